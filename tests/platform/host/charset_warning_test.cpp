// The warning for a page whose bytes do not match its encoding: none for a page that
// reads cleanly or holds a stray byte or two, one naming the file and the encoding beyond.
#include <gtest/gtest.h>

#include <string>

#include "platform/host/charset_warning.h"
#include "temp_page.h"

namespace vant::platform {
namespace {

TEST(CharsetWarning, NamesTheFileAndTheEncodingBeyondAFewStrayBytes) {
  const test::TempDir dir;
  const std::string page = "<meta charset=\"utf-8\"><object><param name=\"method1\" value=\"X\"></object>";
  const struct {
    int line;
    std::string bytes;  // inserted in the value
    const char* warning;
  } cases[] = {
      {__LINE__, "\xe8\xab\x8b\xe6\xb1\x82", nullptr},  // 請求 in UTF-8
      {__LINE__, "\xff\xfe\xff", nullptr},               // three stray bytes
      {__LINE__, "\xff\xfe\xff\xfe", "」の 4 箇所が UTF-8 として読めません。"},
      {__LINE__, "\x90\xbf\x8b\x81\x8f\x91", " 箇所が UTF-8 として読めません。"},  // 請求書 in Shift_JIS
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::string bytes = page;
    bytes.replace(bytes.find('X'), 1, c.bytes);
    const std::filesystem::path file = dir.Write("page.html", bytes);
    const std::optional<Text> warning = CharsetWarning(file, LoadHostPage(file));
    ASSERT_EQ(warning.has_value(), c.warning != nullptr);
    if (!warning) continue;
    const std::string text = ToUtf8(*warning);
    EXPECT_EQ(text.rfind("ページ「" + file.string() + "」の ", 0), 0u) << text;
    EXPECT_NE(text.find(c.warning), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace vant::platform
