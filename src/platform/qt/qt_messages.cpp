#include "platform/qt/qt_messages.h"

#include <QMessageBox>

#include "platform/qt/qt_fonts.h"

namespace vant::qt {
namespace {

// The title handed to the window system. An empty window title is not shown empty: the
// platform puts the program's name there instead (on X11 at least). A single blank shows
// nothing and is left as it stands.
QString ShownTitle(const Text& title) {
  return title.empty() ? QStringLiteral(" ") : ToQString(title);
}

}  // namespace

void QtMessageBoxes::Show(const Text& text, MessageIcon icon, const Text& title) {
  QMessageBox box(icon == MessageIcon::kCritical ? QMessageBox::Critical : QMessageBox::Information,
                  ShownTitle(title), ToQString(text), QMessageBox::Ok, parent_.data());
  box.setTextFormat(Qt::PlainText);  // the text is shown as it stands, never as markup
  box.setWindowModality(parent_ ? Qt::WindowModal : Qt::ApplicationModal);
  box.exec();
}

}  // namespace vant::qt
