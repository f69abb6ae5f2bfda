// The warning for a page whose bytes do not match its encoding (vant print's and vant
// check's): none for a page that reads cleanly or holds a stray byte or two, one naming the
// file and the encoding beyond; one for a page declaring Shift_JIS or EUC-JP whose Japanese
// text was saved as UTF-8. In Japanese, and in English.
#include <gtest/gtest.h>

#include <string>

#include "app/cli/words.h"
#include "app/run/session.h"
#include "temp_page.h"

namespace vant::app {
namespace {

using platform::LoadHostPage;

// Made in the test, once the program's resources (the catalogue among them) are registered.
const Words& Japanese() {
  static const Words words(Language::kJapanese);
  return words;
}

TEST(EncodingWarning, NamesTheFileAndTheEncodingBeyondAFewStrayBytes) {
  const test::TempDir dir;
  const std::string page = "<meta charset=\"utf-8\"><object><param name=\"method1\" value=\"X\"></object>";
  const struct {
    int line;
    std::string bytes;  // inserted in the value
    const char* warning;
  } cases[] = {
      {__LINE__, "\xe8\xab\x8b\xe6\xb1\x82", nullptr},  // 請求 in UTF-8
      {__LINE__, "\xff\xfe\xff", nullptr},              // three stray bytes
      {__LINE__, "\xff\xfe\xff\xfe", "」の 4 箇所が UTF-8 として読めません。"},
      {__LINE__, "\x90\xbf\x8b\x81\x8f\x91", " 箇所が UTF-8 として読めません。"},  // 請求書 in Shift_JIS
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::string bytes = page;
    bytes.replace(bytes.find('X'), 1, c.bytes);
    const std::filesystem::path file = dir.Write("page.html", bytes);
    const std::optional<std::string> warning = EncodingWarning(file.string(), LoadHostPage(file), Japanese());
    ASSERT_EQ(warning.has_value(), c.warning != nullptr);
    if (!warning) continue;
    const std::string& text = *warning;
    EXPECT_EQ(text.rfind("ページ「" + file.string() + "」の ", 0), 0u) << text;
    EXPECT_NE(text.find(c.warning), std::string::npos) << text;
  }
}

// 請求書の合計金額をご確認ください。 in each encoding.
constexpr char kSentenceUtf8[] =
    "\xe8\xab\x8b\xe6\xb1\x82\xe6\x9b\xb8\xe3\x81\xae\xe5\x90\x88\xe8\xa8\x88\xe9\x87\x91\xe9\xa1\x8d\xe3\x82\x92"
    "\xe3\x81\x94\xe7\xa2\xba\xe8\xaa\x8d\xe3\x81\x8f\xe3\x81\xa0\xe3\x81\x95\xe3\x81\x84\xe3\x80\x82";
constexpr char kSentenceShiftJis[] =
    "\x90\xbf\x8b\x81\x8f\x91\x82\xcc\x8d\x87\x8c\x76\x8b\xe0\x8a\x7a\x82\xf0\x82\xb2\x8a\x6d\x94\x46\x82\xad"
    "\x82\xbe\x82\xb3\x82\xa2\x81\x42";
constexpr char kSentenceEucJp[] =
    "\xc0\xc1\xb5\xe1\xbd\xf1\xa4\xce\xb9\xe7\xb7\xd7\xb6\xe2\xb3\xdb\xa4\xf2\xa4\xb4\xb3\xce\xc7\xa7\xa4\xaf"
    "\xa4\xc0\xa4\xb5\xa4\xa4\xa1\xa3";

TEST(EncodingWarning, UTF8TextInAPageDeclaringShiftJisOrEucJpIsSaidAndRealTextIsNot) {
  const test::TempDir dir;
  const struct {
    int line;
    const char* charset;
    std::string bytes;  // the PARAM's value
    const char* warning;
  } cases[] = {
      {__LINE__, "shift_jis", "\xef\xbc\xad\xef\xbc\xb3\x20\xe6\x98\x8e\xe6\x9c\x9d", "Shift_JIS"},  // ＭＳ 明朝
      {__LINE__, "shift_jis", kSentenceUtf8, "Shift_JIS"},
      {__LINE__, "euc-jp", kSentenceUtf8, "EUC-JP"},
      // ﾃｽﾄ用の伝票です: half-width katakana among the rest.
      {__LINE__, "shift_jis", "\xef\xbe\x83\xef\xbd\xbd\xef\xbe\x84\xe7\x94\xa8\xe3\x81\xae\xe4\xbc\x9d\xe7\xa5\xa8",
       "Shift_JIS"},
      {__LINE__, "shift_jis", kSentenceShiftJis, nullptr},
      {__LINE__, "shift_jis", "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9", nullptr},  // ＭＳ 明朝
      {__LINE__, "euc-jp", kSentenceEucJp, nullptr},
      {__LINE__, "euc-jp", "\xa3\xcd\xa3\xd3\x20\xcc\xc0\xc4\xab", nullptr},  // ＭＳ 明朝
      // ﾃｽﾄ用の伝票です, whose first two bytes are also UTF-8 (ý)
      {__LINE__, "shift_jis", "\xc3\xbd\xc4\x97\x70\x82\xcc\x93\x60\x95\x5b\x82\xc5\x82\xb7", nullptr},
      {__LINE__, "shift_jis", "\xc3\xbd", nullptr},  // ﾃｽ alone: well-formed UTF-8, but ý is not Japanese
      {__LINE__, "utf-8", kSentenceUtf8, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const std::filesystem::path file =
        dir.Write("page.html", std::string("<meta charset=\"") + c.charset +
                                   "\"><object><param name=\"method1\" value=\"" + c.bytes + "\"></object>");
    const platform::LoadedHostPage loaded = LoadHostPage(file);
    const std::optional<std::string> warning = EncodingWarning(file.string(), loaded, Japanese());
    ASSERT_EQ(warning.has_value(), c.warning != nullptr) << warning.value_or("");
    if (!warning) continue;
    EXPECT_EQ(EncodingWarning(file.string(), loaded, Words(Language::kEnglish)),
              "The page \"" + file.string() + "\" declares " + c.warning +
                  " but is saved in UTF-8. Its text may be garbled (check the encoding it declares).");
    EXPECT_EQ(*warning, "ページ「" + file.string() + "」は " + c.warning +
                            " と宣言していますが、UTF-8 で保存されています。文字化けしている可能性があります "
                            "(文字コードの指定を確認してください)。");
  }
}

}  // namespace
}  // namespace vant::app
