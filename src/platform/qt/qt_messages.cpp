#include "platform/qt/qt_messages.h"

#include <QMessageBox>

#include "platform/qt/qt_fonts.h"

namespace vant::qt {

void QtMessageBoxes::Show(const Text& text, MessageIcon icon, const Text& title) {
  QMessageBox box(icon == MessageIcon::kCritical ? QMessageBox::Critical : QMessageBox::Information,
                  ToQString(title), ToQString(text), QMessageBox::Ok, parent_.data());
  box.setTextFormat(Qt::PlainText);  // the text is shown as it stands, never as markup
  box.setWindowModality(parent_ ? Qt::WindowModal : Qt::ApplicationModal);
  box.exec();
}

}  // namespace vant::qt
