#include "platform/qt/qt_picture_box.h"

namespace vant::qt {

QtPictureBox::QtPictureBox(int widthPx, int heightPx)
    : QtPictureBox(widthPx, heightPx, ScreenDpiX(), ScreenDpiY()) {}

QtPictureBox::QtPictureBox(int widthPx, int heightPx, double dpiX, double dpiY)
    : device_(widthPx, heightPx, dpiX, dpiY), surface_(device_) {}

}  // namespace vant::qt
