// The warnings `vant check` draws from a run's record, on records made up here where the
// faults are hard to bring about through a page: a barcode's text that does not fit under
// its bars, bars laid one dot a module, a symbol wider than asked; a mark in the margin the
// printer drops, or past several edges at once; and the method a stopped run stopped at,
// whose marks are not judged.
#include "app/check/check_warnings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "barcode/module_string.h"
#include "control/method_line.h"
#include "draw/method_commands.h"

namespace vant::app {
namespace {

using printing::MarkKind;
using printing::PixelBox;
using printing::PrintRecord;
using printing::RecordedMark;

constexpr double kDotsPerMm = 10;
const PixelBox kPrintable{0, 0, 2000, 2800};
const PixelBox kSheet{-50, -50, 2050, 2850};

RecordedMark Mark(MarkKind kind, int16_t method, PixelBox extent, bool painted = true) {
  RecordedMark mark;
  mark.kind = kind;
  mark.method = method;
  mark.extent = extent;
  mark.sheet = kSheet;
  mark.printable = kPrintable;
  mark.dotsPerMmX = mark.dotsPerMmY = kDotsPerMm;
  mark.painted = painted;
  return mark;
}

// The control's list holding the lines at positions 1..n, and the methods as the run met
// them, each in a unit of one dot.
struct MadeRun {
  ControlState control;
  std::vector<MetMethod> met;
  PrintRecord record;

  explicit MadeRun(const std::vector<Text>& lines) {
    for (const Text& line : lines) {
      const std::vector<Text> fields = SplitMethodLine(line);
      MethodRec method;
      for (size_t f = 0; f < std::min<size_t>(fields.size(), kMethodFields); ++f) method.field[f] = fields[f];
      control.methodList.push_back(method);
      const auto position = static_cast<int16_t>(control.methodList.size() - 1);
      met.push_back({position, FindCommand(MethodCommands(), method.field[0]), 1.0});
    }
    control.methodCount = static_cast<int16_t>(lines.size());
  }

  // A symbol of modules modules (quiet zones apart), m dots each, from x = 100: a bar
  // module, then bars m wide every second module.
  void Bars(int16_t method, int modules, double m) {
    const double left = 100 + kQuietModules * m;
    for (int i = 0; i < modules; i += 2) {
      record.marks.push_back(Mark(MarkKind::kFill, method, {left + i * m, 300, left + (i + 1) * m, 400}));
    }
  }

  std::vector<WarningKind> Kinds(bool stopped = false) {
    qt::FontFaces faces;  // asked only of text methods, which these runs do not have
    std::vector<WarningKind> kinds;
    const Words japanese(Language::kJapanese);
    for (const CheckWarning& warning : MarkWarnings(met, stopped, control, record, {0, 11, 12, 13}, faces, japanese)) {
      kinds.push_back(warning.kind);
      EXPECT_EQ(warning.line, static_cast<uint32_t>(10 + warning.method));
      EXPECT_FALSE(warning.text.empty());
    }
    return kinds;
  }
};

TEST(CheckWarnings, ABarcodeIsJudgedFromTheBarsAndTextThePainterLaid) {
  using enum WarningKind;
  struct Row {
    int line;
    int askedWidth;               // dots
    double m;                     // dots a module
    std::vector<PixelBox> texts;  // the text under the bars
    std::vector<WarningKind> kinds;
  };
  static_assert(kQuietModules == 7, "the rows' figures hold for quiet zones of 7 modules");
  // 199 modules plus the quiet zones: 213 modules, from x = 100.
  const Row rows[] = {
      {__LINE__, 700, 3, {{200, 410, 500, 440}}, {}},
      {__LINE__, 639, 3, {{100, 410, 300, 440}, {310, 410, 739, 440}}, {}},
      // 639 dots printed for 580 asked: 10.2 % over.
      {__LINE__, 580, 3, {}, {kBarcodeWidth}},
      {__LINE__, 213, 1, {}, {kBarcodeModules}},
      {__LINE__, 100, 1, {}, {kBarcodeModules, kBarcodeWidth}},
      // Past the symbol's right end, and two groups over each other.
      {__LINE__, 700, 3, {{200, 410, 800, 440}}, {kBarcodeText}},
      {__LINE__, 700, 3, {{200, 410, 400, 440}, {390, 410, 600, 440}}, {kBarcodeText}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    MadeRun run({u"prncode39,10,30,ABC," + DecimalText(static_cast<long long>(row.askedWidth)) + u",10,true,true"});
    run.Bars(1, 199, row.m);
    for (const PixelBox& text : row.texts) run.record.marks.push_back(Mark(MarkKind::kText, 1, text));
    EXPECT_EQ(run.Kinds(), row.kinds);
  }
}

TEST(CheckWarnings, TheNewSymbolsAreJudgedFromTheirModules) {
  using enum WarningKind;
  struct Row {
    int line;
    Text method;
    int modules;  // painted from x = 100, a run of one module every second module
    double m;
    std::vector<WarningKind> kinds;
  };
  // QR: 21 modules, its side without the quiet zone; Code 128: 199 modules and 2 x 10 quiet.
  const Row rows[] = {
      {__LINE__, u"prnqr,10,30,x,63", 21, 3, {}},
      {__LINE__, u"prnqr,10,30,x,21", 21, 1, {kBarcodeModules}},
      {__LINE__, u"prnqr,10,30,x,50", 21, 3, {kBarcodeWidth}},
      {__LINE__, u"prncode128,10,30,x,657,10", 199, 3, {}},
      {__LINE__, u"prncode128,10,30,x,590,10", 199, 3, {kBarcodeWidth}},
      {__LINE__, u"prncustomer,10,30,1000013", 133, 1, {kBarcodeModules}},
      {__LINE__, u"prncustomer,10,30,1000013", 133, 14, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    MadeRun run({row.method});
    for (int i = 0; i < row.modules; i += 2) {
      run.record.marks.push_back(Mark(MarkKind::kFill, 1, {100 + i * row.m, 300, 100 + (i + 1) * row.m, 400}));
    }
    EXPECT_EQ(run.Kinds(), row.kinds);
  }
}

TEST(CheckWarnings, AMarkInTheMarginIsDroppedOrCutAndOneOffTheSheetIsNotPrinted) {
  using enum WarningKind;
  struct Row {
    int line;
    PixelBox box;
    bool painted;
    std::vector<WarningKind> kinds;
  };
  const Row rows[] = {
      {__LINE__, {10, 10, 500, 400}, true, {}},
      {__LINE__, {-20, 10, 500, 400}, true, {kOutsidePrintable}},
      {__LINE__, {-40, -40, -10, -10}, false, {kOutsidePrintable}},
      {__LINE__, {1900, 10, 2100, 400}, true, {kOffSheet}},
      {__LINE__, {3000, 10, 3100, 400}, false, {kOffSheet}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    MadeRun run({u"prnbox,1,2,3,4,1,0,0"});
    run.record.marks.push_back(Mark(MarkKind::kBox, 1, row.box, row.painted));
    EXPECT_EQ(run.Kinds(), row.kinds);
  }
}

// In Japanese and in English: each edge in the order left, top, right, bottom.
TEST(CheckWarnings, AMarkPastSeveralEdgesNamesEachWithHowFar) {
  using enum WarningKind;
  struct Row {
    int line;
    PixelBox box;  // sheet -50..2050 x -50..2850, printable 0..2000 x 0..2800, 10 dots/mm
    WarningKind kind;
    Text japanese;
    std::string english;
  };
  const Row rows[] = {
      {__LINE__,
       {1900, 10, 2100, 400},
       kOffSheet,
       u"印が用紙の右端を 5.0 mm はみ出します (はみ出した部分は印刷されません)。",
       "The marks run past the sheet: right edge by 5.0 mm (what runs past is not printed)."},
      {__LINE__,
       {10, 2700, 500, 2880},
       kOffSheet,
       u"印が用紙の下端を 3.0 mm はみ出します (はみ出した部分は印刷されません)。",
       "The marks run past the sheet: bottom edge by 3.0 mm (what runs past is not printed)."},
      {__LINE__,
       {-90, 10, 500, 400},
       kOffSheet,
       u"印が用紙の左端を 4.0 mm はみ出します (はみ出した部分は印刷されません)。",
       "The marks run past the sheet: left edge by 4.0 mm (what runs past is not printed)."},
      {__LINE__,
       {10, -60, 500, 400},
       kOffSheet,
       u"印が用紙の上端を 1.0 mm はみ出します (はみ出した部分は印刷されません)。",
       "The marks run past the sheet: top edge by 1.0 mm (what runs past is not printed)."},
      {__LINE__,
       {1900, 2700, 2100, 2880},
       kOffSheet,
       u"印が用紙の右端を 5.0 mm、下端を 3.0 mm はみ出します (はみ出した部分は印刷されません)。",
       "The marks run past the sheet: right edge by 5.0 mm, bottom edge by 3.0 mm (what runs past is not printed)."},
      {__LINE__,
       {-90, -60, 500, 400},
       kOffSheet,
       u"印が用紙の左端を 4.0 mm、上端を 1.0 mm はみ出します (はみ出した部分は印刷されません)。",
       "The marks run past the sheet: left edge by 4.0 mm, top edge by 1.0 mm (what runs past is not printed)."},
      {__LINE__,
       {-70, -60, 2080, 2900},
       kOffSheet,
       u"印が用紙の左端を 2.0 mm、上端を 1.0 mm、右端を 3.0 mm、下端を 5.0 mm はみ出します "
       u"(はみ出した部分は印刷されません)。",
       "The marks run past the sheet: left edge by 2.0 mm, top edge by 1.0 mm, right edge by 3.0 mm, bottom edge by "
       "5.0 mm (what runs past is not printed)."},
      {__LINE__,
       {1990, 2790, 2020, 2840},
       kOutsidePrintable,
       u"印がこのプリンターの印刷できる範囲の右端を 2.0 mm、下端を 4.0 mm はみ出します "
       u"(はみ出した部分は印刷されません)。",
       "The marks run past the printable area of this printer: right edge by 2.0 mm, bottom edge by 4.0 mm (what "
       "runs past is not printed)."},
      {__LINE__,
       {3000, 10, 3100, 400},
       kOffSheet,
       u"印が用紙の外にあり、印刷されません。",
       "The marks lie off the sheet and are not printed."},
  };
  const Words japanese(Language::kJapanese), english(Language::kEnglish);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    MadeRun run({u"prnbox,1,2,3,4,1,0,0"});
    run.record.marks.push_back(Mark(MarkKind::kBox, 1, row.box));
    qt::FontFaces faces;
    for (const auto& [words, expected] :
         {std::pair{&japanese, ToUtf8(row.japanese)}, std::pair{&english, row.english}}) {
      const std::vector<CheckWarning> warnings =
          MarkWarnings(run.met, false, run.control, run.record, {0, 11}, faces, *words);
      ASSERT_EQ(warnings.size(), 1u);
      EXPECT_EQ(warnings[0].kind, row.kind);
      EXPECT_EQ(ToUtf8(warnings[0].text), expected);
    }
  }
}

// A barcode's and a dropped mark's sentences in both languages, from made records: a
// symbol of 199 modules and 2 x 7 quiet, m dots a module from x = 100, 10 dots a mm.
TEST(CheckWarnings, TheBarcodeAndMarginSentencesAreSaidInBothLanguages) {
  using enum WarningKind;
  struct Row {
    int line;
    int askedWidth;  // dots; 0: a box in the margin instead of a symbol
    double m;
    Text underBars;  // the text under the bars, past the symbol's right end; empty: none
    WarningKind kind;
    Text japanese;
    std::string english;
  };
  const Row rows[] = {
      {__LINE__, 580, 3, u"", kBarcodeWidth,
       u"幅 58.0 mm の指定に対し 63.9 mm (110 %) で印刷されます "
       u"(バーの幅はドットの整数倍で、指定より狭くはなりません)。",
       "A width of 58.0 mm was asked; the symbol prints 63.9 mm wide (110 %) (a bar is a whole number of dots wide, "
       "never narrower than asked)."},
      {__LINE__, 213, 1, u"", kBarcodeModules,
       u"バーの最も細い幅 (1 モジュール) が 1 ドットです。2 ドット未満のバーは読み取れないことがあります "
       u"(幅を 21.3 mm より広くすると 2 ドットになります)。",
       "The narrowest bar (one module) is 1 dot wide. Bars narrower than 2 dots may not scan (a width over 21.3 mm "
       "makes them 2 dots)."},
      {__LINE__, 700, 3, u"ABC-123", kBarcodeText, u"バーの下の文字「ABC-123」がシンボルの幅に収まりません。",
       "The text \"ABC-123\" under the bars does not fit the symbol's width."},
      {__LINE__, 0, 0, u"", kOutsidePrintable, u"印がこのプリンターの印刷できる範囲の外にあり、印刷されません。",
       "The marks lie outside the printable area of this printer and are not printed."},
  };
  const Words japanese(Language::kJapanese), english(Language::kEnglish);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    MadeRun run({row.askedWidth == 0 ? Text(u"prnbox,1,2,3,4,1,0,0")
                                     : u"prncode39,10,30,ABC," + DecimalText(static_cast<long long>(row.askedWidth)) +
                                           u",10,true,true"});
    if (row.askedWidth == 0) {
      run.record.marks.push_back(Mark(MarkKind::kBox, 1, {-40, -40, -10, -10}, /*painted=*/false));
    } else {
      run.Bars(1, 199, row.m);
    }
    if (!row.underBars.empty()) {
      RecordedMark text = Mark(MarkKind::kText, 1, {200, 410, 800, 440});
      text.text = row.underBars;
      run.record.marks.push_back(text);
    }
    qt::FontFaces faces;
    for (const auto& [words, expected] :
         {std::pair{&japanese, ToUtf8(row.japanese)}, std::pair{&english, row.english}}) {
      const std::vector<CheckWarning> warnings =
          MarkWarnings(run.met, false, run.control, run.record, {0, 11}, faces, *words);
      const auto said = std::ranges::find(warnings, row.kind, &CheckWarning::kind);
      ASSERT_NE(said, warnings.end());
      EXPECT_EQ(ToUtf8(said->text), expected);
    }
  }
}

TEST(CheckWarnings, TheMethodAStoppedRunStoppedAtIsNotJudged) {
  MadeRun run({u"prnbox,1,2,3,4,1,0,0", u"prnbox,1,2,3,4,1,0,0"});
  run.record.marks.push_back(Mark(MarkKind::kBox, 1, {3000, 10, 3100, 400}, false));
  run.record.marks.push_back(Mark(MarkKind::kBox, 2, {3000, 10, 3100, 400}, false));
  EXPECT_EQ(run.Kinds(false), (std::vector{WarningKind::kOffSheet, WarningKind::kOffSheet}));
  EXPECT_EQ(run.Kinds(true), std::vector{WarningKind::kOffSheet});
}

}  // namespace
}  // namespace vant::app
