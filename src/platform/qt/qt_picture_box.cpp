#include "platform/qt/qt_picture_box.h"

namespace vant::qt {

QtPictureBox::QtPictureBox(int widthPx, int heightPx, double ratio)
    : QtPictureBox(widthPx, heightPx, ScreenDpiX(), ScreenDpiY(), ratio) {}

QtPictureBox::QtPictureBox(int widthPx, int heightPx, double dpiX, double dpiY, double ratio)
    : device_(widthPx, heightPx, dpiX, dpiY, ratio), surface_(device_) {}

}  // namespace vant::qt
