// The print preview window frmPreview on Qt: the top row of buttons with the zoom label
// and list, the viewport with the page image, the scroll bars at its right and under it,
// and a status bar of five panels. It holds the controls' models that FrmPreview drives
// (PreviewView), shows them, and reports the user's actions to the attached FrmPreview.
#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

#include "platform/qt/preview/qt_preview_controls.h"
#include "preview/frm_preview.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QStatusBar;

namespace vant::qt {

class QtPreviewViewport;
class QtWheelFilter;

class QtPreviewWindow final : public QDialog, public QtPreviewControls {
 public:
  QtPreviewWindow();
  ~QtPreviewWindow() override;

  // The logic that the window's events go to while the window is shown; nullptr detaches.
  void Attach(FrmPreview* window);

  float ScaleWidth() const override;
  float ScaleHeight() const override;
  float StatusBarHeight() const override;
  float ScreenWidth() const override;
  float ScreenHeight() const override;

  void Maximize() override;
  void FocusViewport() override;
  void InstallWheelHandler(WheelTarget& target) override;
  void RemoveWheelHandler() override;
  void CloseWindow() override;

  // Shows every model's state in the widgets.
  void Sync();

  // The widgets, for the window's tests.
  QPushButton& NextPageWidget() const { return *nextButton_; }
  QPushButton& BackPageWidget() const { return *backButton_; }
  QPushButton& PrintWidget() const { return *printButton_; }
  QPushButton& CloseWidget() const { return *closeButton_; }
  QComboBox& ZoomWidget() const { return *zoomBox_; }
  QWidget& ViewportWidget() const;
  QScrollBar& VerticalBarWidget() const { return *verticalBar_; }
  QScrollBar& HorizontalBarWidget() const { return *horizontalBar_; }
  QLabel& PanelWidget(int panel) const;
  QLabel& ZoomLabelWidget() const { return *zoomLabel_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  void reject() override;

 private:
  // Runs an event handler of the logic, then shows the result; a failure that escapes
  // the handler is written to standard error, never thrown into Qt.
  void Dispatch(const char* what, const std::function<void(FrmPreview&)>& handler);
  void PlaceFixedControls();
  void OnBarMoved(ScrollBarModel& bar, int value);
  // A key of the window (PreviewKey), or a Ctrl+wheel step, to the logic.
  void Press(PreviewKey key);
  // The picture boxes take the device pixel ratio of the screen the window is on; when it
  // changed, the page is shown again at the new one.
  void FollowScreenRatio();

  // Child widgets, owned by this window as their Qt parent.
  QPushButton* nextButton_;
  QPushButton* backButton_;
  QLabel* zoomLabel_;
  QComboBox* zoomBox_;
  QPushButton* printButton_;
  QPushButton* closeButton_;
  QtPreviewViewport* viewportWidget_;
  QScrollBar* verticalBar_;
  QScrollBar* horizontalBar_;
  QStatusBar* statusBar_;
  std::array<QLabel*, kStatusPanelCount> panelLabels_{};

  std::unique_ptr<QtWheelFilter> wheelFilter_;
  FrmPreview* window_ = nullptr;  // attached, not owned
  bool syncing_ = false;
  bool laidOut_ = false;
};

}  // namespace vant::qt
