#include "platform/qt/preview/qt_preview_viewport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QWheelEvent>

#include <cmath>

namespace vant::qt {

QtPreviewViewport::QtPreviewViewport(const QtPictureBox& pageImage, QWidget* parent)
    : QWidget(parent), pageImage_(pageImage) {
  // The workspace behind documents: the palette's dark shade, as a multiple-document
  // area shows it.
  QPalette colours = palette();
  colours.setBrush(QPalette::Window, colours.brush(QPalette::Dark));
  setPalette(colours);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
}

void QtPreviewViewport::paintEvent(QPaintEvent*) {
  const PictureSurface& image = pageImage_.Surface();
  if (!image.Visible()) return;
  QPainter painter(this);
  // The image carries its device pixel ratio: drawn from a whole device pixel, each of its
  // pixels meets one of the screen's.
  const double ratio = devicePixelRatioF();
  const QPointF at(std::round(image.Left() * ratio) / ratio, std::round(image.Top() * ratio) / ratio);
  painter.drawImage(at, pageImage_.Image());
}

void QtPreviewViewport::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onDoubleClick) {
    onDoubleClick();
    event->accept();
    return;
  }
  QWidget::mouseDoubleClickEvent(event);
}

}  // namespace vant::qt

namespace vant::qt {

void QtPreviewViewport::wheelEvent(QWheelEvent* event) {
  // Handled by the wheel filter already; passing it up would count it twice.
  event->accept();
}

}  // namespace vant::qt
