#include "platform/qt/qt_control_widget.h"

#include <exception>
#include <iostream>
#include <limits>

#include "common/failure.h"
#include "platform/qt/qt_fonts.h"

namespace vant::qt {
namespace {

// The platform refuses a negative size.
int CheckedSize(int32_t value) {
  if (value < 0) throw Failure::InvalidPropertyValue();
  return value;
}

// The buttons belong to the widget (Qt deletes children with their parent).
QPushButton& NewButton(QWidget& parent, const char* name, int left, int top) {
  auto* button = new QPushButton(&parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, top, kButtonWidth, kButtonHeight);
  return *button;
}

}  // namespace

void QtButton::SetCaption(const SharedText& caption) { button_.setText(ToQString(caption.Get())); }

SharedText QtButton::Caption() const { return FromQString(button_.text()); }

void QtButton::SetLeft(int32_t left) { button_.move(left, button_.y()); }

void QtButton::SetWidth(int32_t width) { button_.resize(CheckedSize(width), button_.height()); }

void QtButton::SetHeight(int32_t height) { button_.resize(button_.width(), CheckedSize(height)); }

QtControlWidget::QtControlWidget(QWidget* parent)
    : QWidget(parent),
      print_(NewButton(*this, "cmdprint", kPrintButtonLeft, kPrintButtonTop)),
      preview_(NewButton(*this, "cmdPreview", kPreviewButtonLeft, kPreviewButtonTop)) {
  QObject::connect(&print_.Widget(), &QPushButton::clicked, this,
                   [this] { Run(onPrint_, "cmdprint"); });
  QObject::connect(&preview_.Widget(), &QPushButton::clicked, this,
                   [this] { Run(onPreview_, "cmdPreview"); });
}

void QtControlWidget::Run(const std::function<void()>& handler, const char* buttonName) {
  if (!handler) return;  // no handler attached: the click does nothing
  try {
    handler();
  } catch (const std::exception& failure) {
    std::cerr << "[critical] " << buttonName << ": " << failure.what() << "\n" << std::endl;
  }
}

QSize QtControlWidget::sizeHint() const {
  // Both buttons with the margin they keep from the top-left corner on the far side too.
  const QRect buttons = print_.Widget().geometry().united(preview_.Widget().geometry());
  return QSize(buttons.right() + 1 + kPrintButtonLeft, buttons.bottom() + 1 + kPrintButtonTop);
}

void QtControlWidget::SetObjectSize(std::optional<int32_t> width, std::optional<int32_t> height) {
  objectWidth_ = width;
  objectHeight_ = height;
}

void QtControlWidget::FitWindow() {
  const QSize buttons = sizeHint();
  resize(objectWidth_.value_or(buttons.width()), objectHeight_.value_or(buttons.height()));
}

}  // namespace vant::qt
