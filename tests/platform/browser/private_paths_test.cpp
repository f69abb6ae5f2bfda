// What of the user's folders a page's texts keep: nothing, whichever way a path is written
// into them; other paths and names stay as they are.
#include "platform/browser/private_paths.h"

#include <gtest/gtest.h>

#include <vector>

namespace vant::browser {
namespace {

struct PathCase {
  int line;
  Text text;
  Text hidden;
};

TEST(PrivatePaths, TheDownloadAndHomeFoldersAreNamedInWords) {
  const PrivatePaths paths(std::filesystem::path("/home/taro/ダウンロード/"), std::filesystem::path("/home/taro"));
  const std::vector<PathCase> cases = {
      {__LINE__, u"PDF ファイル「/home/taro/ダウンロード/invoice.pdf」を書き込めません",
       u"PDF ファイル「ダウンロードフォルダー/invoice.pdf」を書き込めません"},
      {__LINE__, u"/home/taro/ダウンロード", u"ダウンロードフォルダー"},
      {__LINE__, u"/home/taro/ダウンロードに 2 ページ", u"ダウンロードフォルダーに 2 ページ"},
      {__LINE__, u"「/home/taro/.config/x」と「/home/taro」", u"「~/.config/x」と「~」"},
      {__LINE__, u"/home/taro/a /home/taro/b", u"~/a ~/b"},
      // Another user's folder, a longer name, a path that merely ends the same: kept.
      {__LINE__, u"/home/taro2/x /home/taroko /srv/home/taro-b", u"/home/taro2/x /home/taroko /srv/home/taro-b"},
      {__LINE__, u"", u""},
  };
  for (const PathCase& c : cases) EXPECT_EQ(ToUtf8(paths.Hidden(c.text)), ToUtf8(c.hidden)) << "line " << c.line;
}

TEST(PrivatePaths, UnknownOrRootFoldersHideNothing) {
  const Text text = u"「/home/taro/x」";
  EXPECT_EQ(PrivatePaths().Hidden(text), text);
  EXPECT_EQ(PrivatePaths(std::nullopt, std::filesystem::path("/")).Hidden(text), text);
  EXPECT_EQ(PrivatePaths(std::filesystem::path("relative"), std::filesystem::path("also")).Hidden(u"relative also"),
            u"relative also");
  EXPECT_EQ(PrivatePaths(std::nullopt, std::filesystem::path("/home/taro")).Hidden(text), u"「~/x」");
}

}  // namespace
}  // namespace vant::browser
