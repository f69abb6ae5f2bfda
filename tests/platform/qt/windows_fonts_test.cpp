// The Windows font names through the shipped font configuration, as printing resolves them:
// each listed name's face, that face's design, and how near it comes to the font; every
// spelling of the table lands on a face of its row's design; the table's own rules.
#include "platform/qt/windows_fonts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/qt/font_faces.h"
#include "windows_font_rows.h"

namespace vant::qt {
namespace {

using test::FontWarning;

FontWarning WarningOf(FaceMatch match) {
  switch (match) {
    case FaceMatch::kOwn: return FontWarning::kNone;
    case FaceMatch::kSameDesign: return FontWarning::kSameDesign;
    case FaceMatch::kOtherDesign: return FontWarning::kOtherDesign;
  }
  return FontWarning::kOtherDesign;
}

std::string DesignNameOf(const Text& face) {
  const std::optional<FontDesign> design = DesignOfFace(ToUtf8(face));
  return design ? std::string(FacesOf(*design).name) : "none";
}

TEST(WindowsFonts, EachNamePrintsInTheFaceOfItsRow) {
  FontFaces faces;
  for (const test::FontRow& row : test::kFontRows) {
    SCOPED_TRACE(testing::Message() << "windows_font_rows.h:" << row.line);
    const FaceResolution resolution = faces.Resolve(FromUtf8(row.name));
    EXPECT_EQ(ToUtf8(resolution.face), row.face) << row.name;
    EXPECT_EQ(DesignNameOf(resolution.face), row.design) << row.name;
    EXPECT_EQ(WarningOf(resolution.match), row.warning) << row.name;
  }
}

// A face the table names but the machine lacks (a misspelt family, a missing package) sends
// its names to another face: each spelling must still reach a face of its design, and a
// row made to the font's widths its very face.
TEST(WindowsFonts, EverySpellingReachesAFaceOfItsDesign) {
  FontFaces faces;
  for (const WindowsFont& font : WindowsFonts()) {
    for (const std::string& spelling : Spellings(font)) {
      const FaceResolution resolution = faces.Resolve(FromUtf8(spelling));
      EXPECT_EQ(DesignOfFace(ToUtf8(resolution.face)), font.design) << spelling << " → " << ToUtf8(resolution.face);
      if (font.fit == FaceFit::kMetric) {
        EXPECT_EQ(ToUtf8(resolution.face), font.face) << spelling;
        EXPECT_EQ(resolution.match, FaceMatch::kOwn) << spelling;
      } else {
        EXPECT_EQ(resolution.match, FaceMatch::kSameDesign) << spelling;
      }
    }
  }
}

TEST(WindowsFonts, SpellingsAndLookUp) {
  struct Row {
    int line;
    std::string_view name;
    std::string_view face;  // empty: not in the table
  };
  const Row rows[] = {
      {__LINE__, "ＭＳ 明朝", "IPAMincho"},          // full-width letters, ASCII blank
      {__LINE__, "ＭＳ　明朝", "IPAMincho"},         // full-width letters, ideographic space
      {__LINE__, "MS明朝", "IPAMincho"},             // blanks ignored as fontconfig ignores them
      {__LINE__, "ms  mincho", "IPAMincho"},         // case too
      {__LINE__, "ＨＧｺﾞｼｯｸM", ""},                 // half full-width, half not: no spelling
      {__LINE__, "ＨＧｺﾞｼｯｸＭ", "IPAGothic"},
      {__LINE__, "HG丸ｺﾞｼｯｸＭ－ＰＲＯ", ""},
      {__LINE__, "ＨＧ丸ｺﾞｼｯｸＭ－ＰＲＯ", "MotoyaLMaru"},
      {__LINE__, "Arial", "Liberation Sans"},
      {__LINE__, "Ａｒｉａｌ", ""},                  // a Latin name has no full-width spelling
      {__LINE__, "Helvetica", ""},
      {__LINE__, "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const WindowsFont* font = FindWindowsFont(row.name);
    EXPECT_EQ(font == nullptr ? std::string_view() : font->face, row.face) << row.name;
  }
}

// The fontconfig file tries the row's face first, then its design's, then the fallback
// design's: a rounded Gothic ends in Gothic faces, never in a Latin one.
TEST(WindowsFonts, StandInsOfARoundedGothicAreJapanese) {
  const WindowsFont* rounded = FindWindowsFont("HG丸ｺﾞｼｯｸM-PRO");
  ASSERT_NE(rounded, nullptr);
  const std::vector<std::string_view> standIns = StandIns(*rounded);
  ASSERT_FALSE(standIns.empty());
  EXPECT_EQ(standIns.front(), "MotoyaLMaru");
  for (const std::string_view face : standIns) {
    const std::optional<FontDesign> design = DesignOfFace(face);
    EXPECT_TRUE(design == FontDesign::kRoundedGothic || design == FontDesign::kGothic) << face;
  }
  const std::set<std::string_view> unique(standIns.begin(), standIns.end());
  EXPECT_EQ(unique.size(), standIns.size());
}

}  // namespace
}  // namespace vant::qt
