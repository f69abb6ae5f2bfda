#include "platform/qt/preview/qt_preview_window.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>

#include "common/failure.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/preview/qt_preview_viewport.h"
#include "platform/qt/preview/qt_preview_wheel.h"
#include "preview/preview_layout.h"

namespace vant::qt {
namespace {


void PlaceWidget(QWidget& widget, const DesignPlace& place) {
  widget.setGeometry(TwipsToWholePixels(place.left), TwipsToWholePixels(place.top), TwipsToWholePixels(place.width),
                     TwipsToWholePixels(place.height));
}

// A pane's place in whole pixels; sizes stay at least 0.
QRect RectOf(const Pane& pane) {
  return QRect(static_cast<int>(pane.Left()), static_cast<int>(pane.Top()),
               std::max(0, static_cast<int>(pane.Width())),
               std::max(0, static_cast<int>(pane.Height())));
}

QPushButton* MakeButton(const char* name, const char16_t* caption, const DesignPlace& place,
                        QWidget* parent) {
  auto* button = new QPushButton(ToQString(caption), parent);  // owned by parent
  button->setObjectName(QString::fromLatin1(name));
  PlaceWidget(*button, place);
  button->setAutoDefault(false);
  return button;
}

// The keys of the window besides its buttons' access keys and Escape (the dialog's own
// rejection, which closes as the close button does). They act wherever the focus is, the
// zoom list included, as the access keys do.
struct KeyBinding {
  QKeyCombination keys;
  PreviewKey key;
};
constexpr KeyBinding kKeyBindings[] = {
    {QKeyCombination(Qt::Key_PageDown), PreviewKey::kNextPage},
    {QKeyCombination(Qt::Key_PageUp), PreviewKey::kPreviousPage},
    {QKeyCombination(Qt::Key_Home), PreviewKey::kFirstPage},
    {QKeyCombination(Qt::Key_End), PreviewKey::kLastPage},
};

// Ctrl with + (shifted, unshifted as = on the same key, or on the keypad) or - zooms. Shift
// and the keypad differ between keyboards, so these are matched by their key alone.
std::optional<PreviewKey> ZoomKey(const QKeyEvent& event) {
  if (!event.modifiers().testFlag(Qt::ControlModifier) ||
      event.modifiers().testAnyFlags(Qt::AltModifier | Qt::MetaModifier)) {
    return std::nullopt;
  }
  switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: return PreviewKey::kZoomIn;
    case Qt::Key_Minus: return PreviewKey::kZoomOut;
    default: return std::nullopt;
  }
}

// The bar shows the model: its values run between the maximum and 0 whichever way round,
// the thumb at the top or left for 0.
void ShowBar(QScrollBar& widget, const ScrollBarModel& bar, const Pane& place) {
  widget.setGeometry(RectOf(place));
  widget.setInvertedAppearance(bar.Max() < ScrollBarModel::kMin);
  widget.setInvertedControls(bar.Max() < ScrollBarModel::kMin);
  widget.setRange(bar.Lowest(), bar.Highest());
  widget.setValue(bar.Value());
  widget.setSingleStep(bar.SmallChange());
  widget.setPageStep(bar.LargeChange());
  widget.setEnabled(bar.Enabled());
  widget.setVisible(bar.Visible());
}

}  // namespace

// The pictures start at the ratio of the screen the window will open on; a move to another
// screen changes it (FollowScreenRatio).
QtPreviewWindow::QtPreviewWindow() : QtPreviewControls(devicePixelRatioF()) {
  setWindowTitle(ToQString(kWindowCaption));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

  nextButton_ = MakeButton("cmdNextPage", kNextPageCaption, kNextPagePlace, this);
  backButton_ = MakeButton("cmdBackPage", kBackPageCaption, kBackPagePlace, this);
  zoomLabel_ = new QLabel(ToQString(kZoomLabelCaption), this);
  zoomLabel_->setObjectName(QStringLiteral("lblZoom"));
  PlaceWidget(*zoomLabel_, kZoomLabelPlace);
  QFont labelFont(ToQString(kZoomLabelFont));
  labelFont.setPointSizeF(kZoomLabelPoints);
  zoomLabel_->setFont(labelFont);
  zoomBox_ = new QComboBox(this);
  zoomBox_->setObjectName(QStringLiteral("cmbZoom"));
  PlaceWidget(*zoomBox_, kZoomListPlace);
  zoomLabel_->setBuddy(zoomBox_);
  printButton_ = MakeButton("cmdPrint", kPrintCaption, kPrintPlace, this);
  closeButton_ = MakeButton("cmdClose", kCloseCaption, kClosePlace, this);

  viewportWidget_ = new QtPreviewViewport(pageImage_, this);
  viewportWidget_->setObjectName(QStringLiteral("picBase"));
  verticalBar_ = new QScrollBar(Qt::Vertical, this);
  verticalBar_->setObjectName(QStringLiteral("vsbPicture"));
  horizontalBar_ = new QScrollBar(Qt::Horizontal, this);
  horizontalBar_->setObjectName(QStringLiteral("hsbPicture"));
  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName(QStringLiteral("StatusBar1"));
  statusBar_->setSizeGripEnabled(false);
  for (size_t i = 0; i < panelLabels_.size(); ++i) {
    panelLabels_[i] = new QLabel(statusBar_);
    panelLabels_[i]->setFrameShape(QFrame::StyledPanel);
    // The page count is short; the printer and the margins take what is left.
    statusBar_->addWidget(panelLabels_[i], i == 0 ? 0 : static_cast<int>(i));
  }

  connect(nextButton_, &QPushButton::clicked, this,
          [this] { Dispatch("next page", [](FrmPreview& w) { w.NextPageClick(); }); });
  connect(backButton_, &QPushButton::clicked, this,
          [this] { Dispatch("previous page", [](FrmPreview& w) { w.BackPageClick(); }); });
  connect(printButton_, &QPushButton::clicked, this,
          [this] { Dispatch("print", [](FrmPreview& w) { w.PrintClick(); }); });
  connect(closeButton_, &QPushButton::clicked, this,
          [this] { Dispatch("close", [](FrmPreview& w) { w.CloseClick(); }); });
  connect(zoomBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (syncing_) return;
    Dispatch("zoom", [this, index](FrmPreview&) {
      zoom_.SetListIndex(static_cast<int16_t>(std::clamp(index, -1, 32767)));
    });
  });
  connect(verticalBar_, &QScrollBar::valueChanged, this,
          [this](int value) { OnBarMoved(vertical_, value); });
  connect(horizontalBar_, &QScrollBar::valueChanged, this,
          [this](int value) { OnBarMoved(horizontal_, value); });
  viewportWidget_->onDoubleClick = [this] {
    Dispatch("double-click", [](FrmPreview& w) { w.DoubleClick(); });
  };
  for (const KeyBinding& binding : kKeyBindings) {
    auto* shortcut = new QShortcut(QKeySequence(binding.keys), this);  // owned by the window
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, key = binding.key] { Press(key); });
  }
  resize(TwipsToWholePixels(kWindowClient.width), TwipsToWholePixels(kWindowClient.height));
  PlaceFixedControls();
  Sync();
}

QtPreviewWindow::~QtPreviewWindow() { RemoveWheelHandler(); }

void QtPreviewWindow::Attach(FrmPreview* window) { window_ = window; }

float QtPreviewWindow::ScaleWidth() const { return static_cast<float>(width()); }

float QtPreviewWindow::ScaleHeight() const { return static_cast<float>(height()); }

float QtPreviewWindow::StatusBarHeight() const { return static_cast<float>(statusBar_->height()); }

float QtPreviewWindow::ScreenWidth() const {
  const QScreen* shown = screen();
  return static_cast<float>(shown != nullptr ? shown->geometry().width() : width());
}

float QtPreviewWindow::ScreenHeight() const {
  const QScreen* shown = screen();
  return static_cast<float>(shown != nullptr ? shown->geometry().height() : height());
}

void QtPreviewWindow::Maximize() { setWindowState(windowState() | Qt::WindowMaximized); }

void QtPreviewWindow::FocusViewport() { viewportWidget_->setFocus(Qt::OtherFocusReason); }

void QtPreviewWindow::InstallWheelHandler(WheelTarget& target) {
  RemoveWheelHandler();
  wheelFilter_ = std::make_unique<QtWheelFilter>(
      target, [this] { Sync(); },
      [this](bool closer) { Press(closer ? PreviewKey::kZoomIn : PreviewKey::kZoomOut); });
  // The window sees the wheel over its buttons and bars' gaps, the viewport the wheel over
  // the page; the viewport keeps its wheel events, so each is seen once. Over the zoom list
  // the wheel scrolls the page like everywhere else, never changing the zoom.
  installEventFilter(wheelFilter_.get());
  viewportWidget_->installEventFilter(wheelFilter_.get());
  wheelFilter_->TakeWheelFrom(*zoomBox_);
}

void QtPreviewWindow::RemoveWheelHandler() {
  if (!wheelFilter_) return;
  removeEventFilter(wheelFilter_.get());
  viewportWidget_->removeEventFilter(wheelFilter_.get());
  zoomBox_->removeEventFilter(wheelFilter_.get());
  wheelFilter_.reset();
}

void QtPreviewWindow::CloseWindow() {
  if (isVisible()) QDialog::done(QDialog::Accepted);
}

QWidget& QtPreviewWindow::ViewportWidget() const { return *viewportWidget_; }

QLabel& QtPreviewWindow::PanelWidget(int panel) const {
  if (panel < 1 || panel > kStatusPanelCount) throw Failure::IndexOutOfRange();
  return *panelLabels_[static_cast<size_t>(panel - 1)];
}

void QtPreviewWindow::Sync() {
  syncing_ = true;
  viewportWidget_->setGeometry(RectOf(viewport_));
  ShowBar(*verticalBar_, vertical_, verticalPlace_);
  ShowBar(*horizontalBar_, horizontal_, horizontalPlace_);
  if (zoomBox_->count() != zoom_.Count()) {
    zoomBox_->clear();
    for (int i = 0; i < zoom_.Count(); ++i) zoomBox_->addItem(ToQString(zoom_.At(i).text));
  }
  zoomBox_->setCurrentIndex(zoom_.ListIndex());
  nextButton_->setEnabled(next_.Enabled());
  backButton_->setEnabled(back_.Enabled());
  for (int panel = 1; panel <= kStatusPanelCount; ++panel) {
    PanelWidget(panel).setText(ToQString(panels_.PanelText(panel)));
  }
  viewportWidget_->update();
  syncing_ = false;
}

void QtPreviewWindow::Dispatch(const char* what, const std::function<void(FrmPreview&)>& handler) {
  if (window_ == nullptr) return;
  try {
    handler(*window_);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "vant: preview %s: %s\n", what, failure.what());
  }
  Sync();
}

void QtPreviewWindow::Press(PreviewKey key) {
  Dispatch("key", [key](FrmPreview& w) { w.KeyPress(key); });
}

void QtPreviewWindow::OnBarMoved(ScrollBarModel& bar, int value) {
  if (syncing_) return;
  Dispatch("scroll", [&bar, value](FrmPreview&) {
    try {
      bar.SetValue(static_cast<int16_t>(std::clamp(value, -32768, 32767)));
    } catch (const Failure&) {
      // The widget's range is the model's; a value outside it is refused and shown back.
    }
  });
}

void QtPreviewWindow::PlaceFixedControls() {
  const int statusHeight = std::max(TwipsToWholePixels(kStatusBarPlace.height), statusBar_->sizeHint().height());
  statusBar_->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

void QtPreviewWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  PlaceFixedControls();
  if (window_ == nullptr) return;
  laidOut_ = true;
  Dispatch("resize", [](FrmPreview& w) { w.Resize(); });
}

void QtPreviewWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FollowScreenRatio();
  // The first showing needs a layout even when no resize reached the window.
  if (window_ != nullptr && !laidOut_) {
    laidOut_ = true;
    PlaceFixedControls();
    Dispatch("first layout", [](FrmPreview& w) { w.Resize(); });
  }
}

void QtPreviewWindow::closeEvent(QCloseEvent* event) {
  Dispatch("unload", [](FrmPreview& w) { w.Unload(); });
  QDialog::closeEvent(event);
}

bool QtPreviewWindow::event(QEvent* event) {
  // The zoom keys come before the focused control's own handling of the key.
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    if (const auto zoom = ZoomKey(static_cast<const QKeyEvent&>(*event))) {
      event->accept();
      if (event->type() == QEvent::KeyPress) Press(*zoom);
      return true;
    }
  }
  if (event->type() == QEvent::WindowActivate) {
    Dispatch("activate", [](FrmPreview& w) { w.Activate(); });
  }
  const bool screenChanged = event->type() == QEvent::ScreenChangeInternal
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
                             || event->type() == QEvent::DevicePixelRatioChange
#endif
      ;
  const bool handled = QDialog::event(event);
  if (screenChanged) FollowScreenRatio();
  return handled;
}

void QtPreviewWindow::FollowScreenRatio() {
  const double ratio = devicePixelRatioF();
  if (ratio == DevicePixelRatio()) return;
  try {
    SetDevicePixelRatio(ratio);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "vant: preview screen: %s\n", failure.what());
    return;
  }
  Dispatch("screen", [](FrmPreview& w) { w.ScreenChanged(); });
}

void QtPreviewWindow::reject() {
  // Escape closes the window as the close button does.
  if (window_ == nullptr) {
    QDialog::reject();
    return;
  }
  Press(PreviewKey::kClose);
}

}  // namespace vant::qt
