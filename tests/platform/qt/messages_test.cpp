// Message boxes: the headless form on standard error, byte for byte, and the modal Qt box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <sstream>

#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/stderr_messages.h"

namespace vant::qt {
namespace {

TEST(StderrMessages, CriticalWithTitleThenEachLineThenAnEmptyLine) {
  EXPECT_EQ(StderrBoxText(u"method 3 で\r\nエラーです\r印刷を中断しました!\nend", MessageIcon::kCritical,
                          u"エラー"),
            "[critical] エラー\nmethod 3 で\nエラーです\n印刷を中断しました!\nend\n\n");
}

TEST(StderrMessages, EmptyTitleIsTheBareTag) {
  EXPECT_EQ(StderrBoxText(u"印刷対象がありません!", MessageIcon::kInformation, u""),
            "[information]\n印刷対象がありません!\n\n");
  EXPECT_EQ(StderrBoxText(u"x", MessageIcon::kCritical, u""), "[critical]\nx\n\n");
}

TEST(StderrMessages, LineEndsAtTheEndAndEmptyLinesInside) {
  EXPECT_EQ(StderrBoxText(u"A\r\n", MessageIcon::kInformation, u"印刷中止"),
            "[information] 印刷中止\nA\n\n");
  EXPECT_EQ(StderrBoxText(u"A\n\nB\r\r\nC", MessageIcon::kCritical, u"Error"),
            "[critical] Error\nA\n\nB\n\nC\n\n");
  EXPECT_EQ(StderrBoxText(u"", MessageIcon::kInformation, u"Vant3"), "[information] Vant3\n\n");
  EXPECT_EQ(StderrBoxText(u"\n", MessageIcon::kInformation, u""), "[information]\n\n\n");
}

TEST(StderrMessages, TextIsWrittenAsUtf8) {
  // A character beyond the basic plane, as a surrogate pair, and a lone surrogate.
  EXPECT_EQ(StderrBoxText(u"\U0002000B", MessageIcon::kCritical, u"t"), "[critical] t\n\xF0\xA0\x80\x8B\n\n");
  EXPECT_EQ(StderrBoxText(Text(1, char16_t(0xD800)), MessageIcon::kCritical, u"t"),
            "[critical] t\n\xEF\xBF\xBD\n\n");
}

TEST(StderrMessages, ControlCharactersAreWrittenVisibly) {
  const struct {
    int line;
    Text text;
    Text title;
    std::string box;
  } cases[] = {
      // Window title (OSC … BEL) and clear screen (CSI 2J) in a method's text.
      {__LINE__, u"\x1b]0;owned\x07prnbux\r\n5:\x1b[2J", u"エラー",
       "[critical] エラー\n\\u001b]0;owned\\u0007prnbux\n5:\\u001b[2J\n\n"},
      // The clipboard (OSC 52 … ST), NUL, DEL and the C1 controls.
      {__LINE__, u"\x1b]52;c;ZWNobw==\x1b\\", u"", "[critical]\n\\u001b]52;c;ZWNobw==\\u001b\\\n\n"},
      {__LINE__, Text(u"a\0b\x7f\x80\x9b\x9f\xa0", 8), u"", "[critical]\na\\u0000b\\u007f\\u0080\\u009b\\u009f\xc2\xa0\n\n"},
      // A tab stays; a title cannot end its line early.
      {__LINE__, u"a\tb", u"t\nx\x1b", "[critical] t\\u000ax\\u001b\na\tb\n\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StderrBoxText(c.text, MessageIcon::kCritical, c.title), c.box) << "line " << c.line;
  }
}

TEST(StderrMessages, EachBoxGoesToTheStreamInTurn) {
  std::ostringstream out;
  StderrMessageBoxes boxes(out);
  boxes.Show(u"一", MessageIcon::kInformation, u"");
  boxes.Show(u"二", MessageIcon::kCritical, u"エラー");
  EXPECT_EQ(out.str(), "[information]\n一\n\n[critical] エラー\n二\n\n");
}

struct SeenBox {
  bool found = false;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title, text;
  QString windowTitle;  // the title the window system is given
  int buttons = 0;
  bool modal = false;
};

// Shows a box and, from the event loop that the modal box runs, reads it and presses OK.
SeenBox ShowAndDismiss(const Text& text, MessageIcon icon, const Text& title) {
  SeenBox seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen.found = true;
    seen.icon = box->icon();
    seen.title = box->windowTitle();
    seen.text = box->text();
    if (box->windowHandle() != nullptr) seen.windowTitle = box->windowHandle()->title();
    seen.buttons = static_cast<int>(box->buttons().size());
    seen.modal = box->isModal();
    box->button(QMessageBox::Ok)->click();
  });
  QtMessageBoxes boxes;
  boxes.Show(text, icon, title);
  return seen;
}

TEST(QtMessages, ModalBoxWithIconTitleTextAndOneOkButton) {
  const SeenBox critical = ShowAndDismiss(u"メソッド1 でエラー\r\n印刷を中断しました!",
                                          MessageIcon::kCritical, u"エラー");
  ASSERT_TRUE(critical.found);
  EXPECT_EQ(critical.icon, QMessageBox::Critical);
  EXPECT_EQ(FromQString(critical.title), u"エラー");
  EXPECT_EQ(FromQString(critical.text), u"メソッド1 でエラー\r\n印刷を中断しました!");
  EXPECT_EQ(critical.buttons, 1);
  EXPECT_TRUE(critical.modal);

  const SeenBox information = ShowAndDismiss(u"<b>not markup</b>", MessageIcon::kInformation, u"");
  ASSERT_TRUE(information.found);
  EXPECT_EQ(information.icon, QMessageBox::Information);
  EXPECT_EQ(FromQString(information.text), u"<b>not markup</b>");
}

// The window system replaces an empty window title by the program's name; a box whose
// title is empty must still show none.
TEST(QtMessages, AnEmptyTitleShowsNoTitle) {
  const SeenBox box = ShowAndDismiss(u"印刷対象がありません!", MessageIcon::kInformation, u"");
  ASSERT_TRUE(box.found);
  EXPECT_FALSE(box.windowTitle.isEmpty()) << "an empty title is replaced by the program's name";
  EXPECT_TRUE(box.windowTitle.trimmed().isEmpty()) << box.windowTitle.toStdString();
  const SeenBox titled = ShowAndDismiss(u"x", MessageIcon::kCritical, u"印刷中止");
  EXPECT_EQ(FromQString(titled.windowTitle), u"印刷中止");
}

}  // namespace
}  // namespace vant::qt
