#include "platform/host/host_page_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "common/failure.h"
#include "platform/host/host_page_errors.h"
#include "temp_page.h"

namespace vant::platform {
namespace {

const std::filesystem::path kData = VANT_HOST_TEST_DATA;

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The message of the HostPageUnreadable that loading path throws; fails the test when
// the page loads.
std::string UnreadableMessage(const std::filesystem::path& path) {
  try {
    (void)LoadHostPage(path);
  } catch (const HostPageUnreadable& error) {
    EXPECT_EQ(error.Path(), path.string());
    return error.what();
  }
  ADD_FAILURE() << path << " loaded";
  return {};
}

bool SameParams(const std::vector<ParamElement>& a, const std::vector<ParamElement>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].value != b[i].value || a[i].line != b[i].line) return false;
  }
  return true;
}

TEST(HostEncodedTwins, TheUtf8PageReadsAsWritten) {
  const LoadedHostPage loaded = LoadHostPage(kData / "twin-utf8.html");
  EXPECT_EQ(loaded.encoding, PageEncoding::kUtf8);
  EXPECT_EQ(loaded.replacedSequences, 0u);
  EXPECT_EQ(loaded.baseName, "twin-utf8");
  const auto params = loaded.page.ObjectParams();
  ASSERT_EQ(params.size(), 6u);
  EXPECT_EQ(params[1].value, u"prntext,20,30,株式会社ソフト表示 御中,ＭＳ 明朝,14,false,true,0");
  EXPECT_EQ(params[2].value, u"prntext,20,40,①～③ ｶﾅ 金額 1,,234円,ＭＳ ゴシック,10");
  EXPECT_EQ(params[3].name, u"Method4");
  EXPECT_EQ(params[3].value, u"prntext,20,50,\"予定表\" & 〒100-0001,ＭＳ ゴシック,10");
  // The lines of the file come back from the reading process with the PARAMs.
  EXPECT_EQ(params[0].line, 11u);
  EXPECT_EQ(params[3].line, 14u);
  ASSERT_NE(loaded.page.ControlObject(), nullptr);
  EXPECT_EQ(loaded.page.ControlObject()->line, 10u);
  EXPECT_EQ(loaded.page.Read(u"cmdproperty"), Text(u"発行,120"));
}

TEST(HostEncodedTwins, EveryEncodingReadsTheSameAsUtf8) {
  const LoadedHostPage reference = LoadHostPage(kData / "twin-utf8.html");
  const struct {
    const char* file;
    PageEncoding encoding;
  } twins[] = {
      {"twin-shift_jis.html", PageEncoding::kShiftJis},
      {"twin-euc-jp.html", PageEncoding::kEucJp},
      {"twin-utf8-bom.html", PageEncoding::kUtf8},
      {"twin-utf16le-bom.html", PageEncoding::kUtf16Le},
      // Declares Shift_JIS in its META, but the byte order mark decides.
      {"twin-utf16be-bom.html", PageEncoding::kUtf16Be},
  };
  for (const auto& twin : twins) {
    SCOPED_TRACE(twin.file);
    const LoadedHostPage loaded = LoadHostPage(kData / twin.file);
    EXPECT_EQ(loaded.encoding, twin.encoding);
    EXPECT_EQ(loaded.replacedSequences, 0u);
    EXPECT_TRUE(SameParams(loaded.page.ObjectParams(), reference.page.ObjectParams()));
    EXPECT_EQ(loaded.page.Read(u"CmdProperty"), Text(u"発行,120"));
  }
}

TEST(HostEncodedTwins, AShiftJisPageWithoutDeclarationIsReadAsUtf8WithReplacements) {
  const vant::test::TempDir dir;
  std::string bytes = ReadBytes(kData / "twin-shift_jis.html");
  const std::string meta = "<meta charset=\"Shift_JIS\">";
  bytes.erase(bytes.find(meta), meta.size());
  const LoadedHostPage loaded = LoadHostPage(dir.Write("undeclared.html", bytes));
  EXPECT_EQ(loaded.encoding, PageEncoding::kUtf8);
  EXPECT_GT(loaded.replacedSequences, 0u);
  // The markup is ASCII, so the PARAMs are all still there.
  EXPECT_EQ(loaded.page.ObjectParams().size(), 6u);
  EXPECT_EQ(loaded.page.Read(u"method1"), Text(u"scalemode,mm"));
}

TEST(HostPageFile, BaseNameDropsFolderAndLastExtension) {
  const vant::test::TempDir dir;
  const auto page = "<object><param name=method1 value=enddoc></object>";
  EXPECT_EQ(LoadHostPage(dir.Write("請求書.2024.html", page)).baseName, "請求書.2024");
  EXPECT_EQ(LoadHostPage(dir.Write("label", page)).baseName, "label");
}

TEST(HostPageFile, AMissingFileIsNamedInTheError) {
  const vant::test::TempDir dir;
  const std::string message = UnreadableMessage(dir.Path() / "nothing-here.html");
  EXPECT_NE(message.find("nothing-here.html"), std::string::npos);
  EXPECT_NE(message.find("ファイルまたはディレクトリがありません"), std::string::npos);
}

TEST(HostPageFile, AFolderIsNotAPage) {
  const vant::test::TempDir dir;
  const std::string message = UnreadableMessage(dir.Path());
  EXPECT_NE(message.find(dir.Path().string()), std::string::npos);
  EXPECT_NE(message.find("ディレクトリです"), std::string::npos);
}

TEST(HostPageFile, APipeIsRefusedWithoutWaitingForAWriter) {
  const vant::test::TempDir dir;
  const auto fifo = dir.Path() / "pipe.html";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_NE(UnreadableMessage(fifo).find("通常のファイルではありません"), std::string::npos);
}

TEST(HostPageFile, AFileBeyondTheSizeLimitIsRefused) {
  const vant::test::TempDir dir;
  const auto path = dir.Write("huge.html", "");
  // A sparse file: no disk space is used.
  ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(kMaxPageBytes + 1)), 0);
  EXPECT_NE(UnreadableMessage(path).find("大きすぎます"), std::string::npos);
}

TEST(HostPageFile, APathThroughAPlainFileIsNamed) {
  const vant::test::TempDir dir;
  const auto file = dir.Write("plain.html", "x");
  const std::string message = UnreadableMessage(file / "inner.html");
  EXPECT_NE(message.find("plain.html/inner.html"), std::string::npos);
  EXPECT_NE(message.find("パスの途中がディレクトリではありません"), std::string::npos);
}

TEST(HostNotText, BinaryJunkWithNulBytesIsNotAPage) {
  const vant::test::TempDir dir;
  std::string junk;
  unsigned state = 12345;
  for (int i = 0; i < 4096; ++i) {
    state = state * 1103515245u + 12345u;
    junk.push_back(static_cast<char>(state >> 16));
  }
  junk[100] = '\0';
  const std::string message = UnreadableMessage(dir.Write("junk.html", junk));
  EXPECT_NE(message.find("junk.html"), std::string::npos);
  EXPECT_NE(message.find("テキストではありません"), std::string::npos);
}

TEST(HostNotText, MostlyUnreadableBytesWithoutNulAreNotAPage) {
  const vant::test::TempDir dir;
  std::string junk;
  for (int i = 0; i < 2000; ++i) junk.push_back(static_cast<char>(0x80 + i % 0x40));
  junk += "<object><param name=method1 value=enddoc></object>";
  EXPECT_NE(UnreadableMessage(dir.Write("high.bin", junk)).find("大半"), std::string::npos);
}

TEST(HostNotText, Utf16WithoutByteOrderMarkIsRefused) {
  const vant::test::TempDir dir;
  const std::string utf16(
      "<\0o\0b\0j\0e\0c\0t\0>\0", 16);
  EXPECT_NE(UnreadableMessage(dir.Write("utf16.html", utf16)).find("NUL"), std::string::npos);
}

TEST(HostNotText, NulBytesBeyondTheFirstKibibyteAreTheParsersBusiness) {
  const vant::test::TempDir dir;
  std::string page = "<object><param name=method1 value=enddoc></object>";
  page += std::string(1100, ' ');
  page += std::string("<p>\0</p>", 8);
  EXPECT_EQ(LoadHostPage(dir.Write("late-nul.html", page)).page.ObjectParams().size(), 1u);
}

TEST(HostNotText, AnEmptyFileIsAPageWithoutObject) {
  const vant::test::TempDir dir;
  const LoadedHostPage loaded = LoadHostPage(dir.Write("empty.html", ""));
  EXPECT_FALSE(loaded.page.HasObject());
  EXPECT_THROW((void)loaded.page.ObjectParams(), Failure);
}

TEST(HostObjectChoice, TheLoaderPassesTheIdOn) {
  const vant::test::TempDir dir;
  const auto path = dir.Write("two.html",
                              "<object id=a><param name=method1 value=newpage></object>"
                              "<object id=b><param name=method1 value=enddoc></object>");
  EXPECT_EQ(LoadHostPage(path).page.Read(u"method1"), Text(u"newpage"));
  EXPECT_EQ(LoadHostPage(path, u"b").page.Read(u"method1"), Text(u"enddoc"));
  EXPECT_THROW(LoadHostPage(path, u"c"), HostObjectNotFound);
}

TEST(HostLargePages, NestingThatWouldKeepTheParserBusyForMinutesIsRefused) {
  const vant::test::TempDir dir;
  std::string page = "<object><param name=method1 value=enddoc>";
  for (int i = 0; i < 50000; ++i) page += "<div>";
  const std::string message = UnreadableMessage(dir.Write("nested.html", page));
  EXPECT_NE(message.find("nested.html"), std::string::npos);
  EXPECT_NE(message.find("入れ子が深すぎる"), std::string::npos);
}

TEST(HostLargePages, MoreThan32767MethodParamsAreAllRead) {
  const vant::test::TempDir dir;
  std::string page = "<!DOCTYPE html><html><body><object id=ctl>\n";
  constexpr int kCount = 32769;
  for (int i = 1; i <= kCount; ++i) {
    page += "<param name=\"method" + std::to_string(i) + "\" value=\"prnline,0," +
            std::to_string(i) + ",10,10\">\n";
  }
  page += "</object></body></html>\n";
  const LoadedHostPage loaded = LoadHostPage(dir.Write("many.html", page));
  const auto params = loaded.page.ObjectParams();
  ASSERT_EQ(params.size(), static_cast<std::size_t>(kCount));
  EXPECT_EQ(params.front().name, u"method1");
  EXPECT_EQ(params[32767].name, u"method32768");
  EXPECT_EQ(params.back().value, u"prnline,0,32769,10,10");
  EXPECT_EQ(loaded.page.Read(u"METHOD32769"), Text(u"prnline,0,32769,10,10"));
}

}  // namespace
}  // namespace vant::platform
