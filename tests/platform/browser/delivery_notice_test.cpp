// What the clerk is told after a page printed: every document's place, the summary by what
// was delivered, and the PDF file the action shows.
#include "platform/browser/delivery_notice.h"

#include <gtest/gtest.h>

#include <vector>

namespace vant::browser {
namespace {

printing::DeliveredDocument File(const char* path, int pages) {
  printing::DeliveredDocument d;
  d.printer = u"Vant3 PDF";
  d.pages = pages;
  d.file = path;
  return d;
}

printing::DeliveredDocument Job(int id, int pages, bool stopped = false) {
  printing::DeliveredDocument d;
  d.printer = u"Office";
  d.pages = pages;
  d.jobId = id;
  d.printerStopped = stopped;
  return d;
}

struct NoticeCase {
  int line;
  std::vector<printing::DeliveredDocument> delivered;
  Text summary;
  Text body;
  std::optional<std::filesystem::path> shownFile;
};

TEST(DeliveryNotice, SaysWhereEachDocumentWentAndShowsTheLastFile) {
  const std::vector<NoticeCase> cases = {
      {__LINE__, {File("/home/u/ダウンロード/請求.pdf", 2)}, u"PDF ファイルを保存しました",
       u"「請求.pdf」(2 ページ) をフォルダー「/home/u/ダウンロード」に保存しました。", "/home/u/ダウンロード/請求.pdf"},
      {__LINE__, {Job(12, 3)}, u"印刷ジョブを送りました", u"プリンター「Office」にジョブ 12 (3 ページ) を送りました。",
       std::nullopt},
      {__LINE__, {Job(13, 1, true)}, u"印刷ジョブを送りました",
       u"プリンター「Office」にジョブ 13 (1 ページ) を送りました。プリンターが停止しているため、再開されるまで印刷されません。",
       std::nullopt},
      {__LINE__, {File("/d/a.pdf", 1), File("/d/a-2.pdf", 1)}, u"PDF ファイルを保存しました",
       u"「a.pdf」(1 ページ) をフォルダー「/d」に保存しました。\n「a-2.pdf」(1 ページ) をフォルダー「/d」に保存しました。",
       "/d/a-2.pdf"},
      {__LINE__, {File("/d/a.pdf", 1), Job(14, 2)}, u"印刷しました",
       u"「a.pdf」(1 ページ) をフォルダー「/d」に保存しました。\nプリンター「Office」にジョブ 14 (2 ページ) を送りました。", "/d/a.pdf"},
  };
  for (const NoticeCase& c : cases) {
    const auto notice = DeliveryNotice(c.delivered);
    ASSERT_TRUE(notice) << "line " << c.line;
    EXPECT_EQ(ToUtf8(notice->summary), ToUtf8(c.summary)) << "line " << c.line;
    EXPECT_EQ(ToUtf8(notice->body), ToUtf8(c.body)) << "line " << c.line;
    EXPECT_EQ(notice->shownFile, c.shownFile) << "line " << c.line;
  }
  EXPECT_EQ(DeliveryNotice({}), std::nullopt);
}

}  // namespace
}  // namespace vant::browser
