// The preview's viewport picBase on Qt: the application-workspace colour with the page
// image picImage(0) painted at its place when it is visible. A double-click anywhere on
// it, the page image included, is reported. The wheel over it is the window's: the wheel
// filter sees it here and it goes no further.
#pragma once

#include <QWidget>

#include <functional>

#include "platform/qt/qt_picture_box.h"

namespace vant::qt {

class QtPreviewViewport final : public QWidget {
 public:
  QtPreviewViewport(const QtPictureBox& pageImage, QWidget* parent);

  std::function<void()> onDoubleClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  const QtPictureBox& pageImage_;
};

}  // namespace vant::qt
