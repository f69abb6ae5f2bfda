// Which face a page's font name prints in, and whether it is the name's own: the shipped
// aliases make the Japanese Windows names the IPA fonts' own; a name with no font and no
// alias falls back to a face of another design.
#include "platform/qt/font_faces.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QStringList>

#include <thread>
#include <vector>

namespace vant::qt {
namespace {

TEST(FontFaces, NamesWithTheirOwnFaceAndNamesThatFallBack) {
  struct Case {
    int line;
    Text name;
    const char* face;  // nullptr: any face but the name's own
    bool own;
  };
  const Case cases[] = {
      {__LINE__, u"ＭＳ 明朝", "IPAMincho", true},
      {__LINE__, u"MS Gothic", "IPAGothic", true},
      {__LINE__, u"ms pgothic", "IPAPGothic", true},      // fontconfig's comparison: case
      {__LINE__, u"MSPゴシック", "IPAPGothic", true},
      {__LINE__, u"IPAMincho", "IPAMincho", true},        // the family itself
      {__LINE__, u"ipa mincho", "IPAMincho", true},       // blanks and case as fontconfig ignores them
      {__LINE__, u"IPA明朝", "IPAMincho", true},          // another name of the same family
      {__LINE__, u"メイリオ", nullptr, false},             // no font: a face of its design
      {__LINE__, u"Vant3 No Such Font", nullptr, false},
  };
  FontFaces faces;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const FaceResolution resolution = faces.Resolve(c.name);
    EXPECT_FALSE(resolution.face.empty());
    if (c.face != nullptr) {
      EXPECT_EQ(ToUtf8(resolution.face), c.face);
    } else {
      EXPECT_NE(resolution.face, c.name);
    }
    EXPECT_EQ(resolution.match == FaceMatch::kOwn, c.own);
  }
}

// A fallback face is one the machine has: the report names what will be printed.
TEST(FontFaces, TheFaceOfAFallbackIsAnInstalledFamily) {
  FontFaces faces;
  const FaceResolution fallback = faces.Resolve(u"メイリオ");
  ASSERT_NE(fallback.match, FaceMatch::kOwn);
  EXPECT_TRUE(QFontDatabase::families().contains(QString::fromStdString(ToUtf8(fallback.face))))
      << ToUtf8(fallback.face);
}

TEST(FontFaces, ResolvedFromSeveralThreadsAlike) {
  FontFaces faces;
  const FaceResolution alone = faces.Resolve(u"ＭＳ ゴシック");
  std::vector<FaceResolution> seen(4);
  {
    std::vector<std::jthread> threads;
    for (size_t i = 0; i < seen.size(); ++i) {
      threads.emplace_back([&, i] { seen[i] = faces.Resolve(i % 2 == 0 ? u"ＭＳ ゴシック" : u"メイリオ"); });
    }
  }
  for (size_t i = 0; i < seen.size(); i += 2) {
    EXPECT_EQ(seen[i].face, alone.face);
    EXPECT_EQ(seen[i].match, FaceMatch::kOwn);
    EXPECT_NE(seen[i + 1].match, FaceMatch::kOwn);
  }
}

}  // namespace
}  // namespace vant::qt
