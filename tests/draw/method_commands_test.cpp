// The command table: every command found under each of its names in the control's order,
// and every command and synonym walked through printing and through the preview (recorded,
// then replayed on a page of its own).
#include "draw/method_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>

#include "common/failure.h"
#include "control/method_line.h"
#include "draw/draw_page.h"
#include "engine/printer_geometry.h"
#include "fake_symbol_encoder.h"
#include "run_fixture.h"

namespace vant {
namespace {

using test::Mark;

// The names in the order the run compares them, as the control has always compared them.
const std::vector<TextView> kDispatchOrder = {
    u"changeprinterdriver", u"changeprinter", u"papersize", u"orientation", u"scalemode",
    u"printquality", u"paperbin", u"colormode", u"newpage", u"enddoc", u"prntextout", u"prntext",
    u"prnbox", u"prnline", u"prncircle", u"prnjan13", u"prnjan8", u"prnnw7", u"prncode39",
    // after the four barcodes, the symbols added since
    u"prnqr", u"prngs1128", u"prncode128", u"prnitf", u"prncustomer"};

TEST(MethodCommands, EveryNameInTheControlsOrder) {
  std::vector<TextView> names;
  for (const CommandRow& row : MethodCommands()) {
    for (const TextView name : row.names) {
      if (!name.empty()) names.push_back(name);
    }
  }
  EXPECT_EQ(names, kDispatchOrder);
}

TEST(MethodCommands, KindsAndWhatTheSetupCommandsChange) {
  struct Row {
    TextView name;
    CommandKind kind;
    bool selectsPrinter;
    bool reshapesPage;
  };
  const Row rows[] = {
      {u"changeprinterdriver", CommandKind::kSetup, true, true},
      {u"changeprinter", CommandKind::kSetup, true, true},
      {u"papersize", CommandKind::kSetup, false, true},
      {u"orientation", CommandKind::kSetup, false, true},
      {u"scalemode", CommandKind::kSetup, false, false},
      {u"printquality", CommandKind::kSetup, false, false},
      {u"paperbin", CommandKind::kSetup, false, false},
      {u"colormode", CommandKind::kSetup, false, false},
      {u"newpage", CommandKind::kPaging, false, false},
      {u"enddoc", CommandKind::kPaging, false, false},
      {u"prntextout", CommandKind::kDrawing, false, false},
      {u"prntext", CommandKind::kDrawing, false, false},
      {u"prnbox", CommandKind::kDrawing, false, false},
      {u"prnline", CommandKind::kDrawing, false, false},
      {u"prncircle", CommandKind::kDrawing, false, false},
      {u"prnjan13", CommandKind::kBarcode, false, false},
      {u"prnjan8", CommandKind::kBarcode, false, false},
      {u"prnnw7", CommandKind::kBarcode, false, false},
      {u"prncode39", CommandKind::kBarcode, false, false},
  };
  for (const Row& r : rows) {
    const CommandRow* row = FindCommand(MethodCommands(), r.name);
    ASSERT_NE(row, nullptr) << ToUtf8(r.name);
    EXPECT_EQ(row->kind, r.kind) << ToUtf8(r.name);
    EXPECT_EQ(row->selectsPrinter, r.selectsPrinter) << ToUtf8(r.name);
    EXPECT_EQ(row->reshapesPage, r.reshapesPage) << ToUtf8(r.name);
    EXPECT_EQ(row->marks != nullptr, r.kind == CommandKind::kDrawing || r.kind == CommandKind::kBarcode);
  }
}

// A row holds what its kind needs and nothing else. (Checked here rather than at compile
// time: with the sanitizers on, GCC cannot compare a function's address in a constant.)
TEST(MethodCommands, EveryRowHoldsWhatItsKindNeeds) {
  for (const CommandRow& row : MethodCommands()) {
    SCOPED_TRACE(ToUtf8(row.names[0]));
    EXPECT_FALSE(row.names[0].empty());
    const bool setup = row.kind == CommandKind::kSetup;
    const bool paging = row.kind == CommandKind::kPaging;
    EXPECT_EQ(row.setUp != nullptr, setup);
    EXPECT_EQ(row.onPrinter != nullptr, paging);
    EXPECT_EQ(row.marks != nullptr, !setup && !paging);
    if (!setup) {
      EXPECT_FALSE(row.selectsPrinter);
      EXPECT_FALSE(row.reshapesPage);
    }
    if (row.marks != nullptr) {
      EXPECT_NE(row.marks->print, nullptr);
      EXPECT_NE(row.marks->record, nullptr);
      EXPECT_NE(row.marks->replay, nullptr);
      EXPECT_NE(row.marks->read, nullptr);
    }
  }
}

TEST(MethodCommands, FoundLowerCasedButNeverTrimmed) {
  const CommandTable table = MethodCommands();
  EXPECT_EQ(FindCommand(table, u"NewPage"), FindCommand(table, u"newpage"));
  EXPECT_EQ(FindCommand(table, u"ChangePrinterDriver"), FindCommand(table, u"changeprinter"));
  EXPECT_EQ(FindCommand(table, u"PRNTEXT"), FindCommand(table, u"prntextout"));
  EXPECT_NE(FindCommand(table, u"prnjan13"), FindCommand(table, u"prnjan8"));
  for (const TextView unknown : {u" newpage", u"newpage ", u"", u"prntxt", u"prnjan", u"ｎｅｗｐａｇｅ", u"prnnw7\t"}) {
    EXPECT_EQ(FindCommand(table, unknown), nullptr) << ToUtf8(unknown);
  }
}

// The setup commands' arguments and what each does to the printer (scalemode: nothing the
// printer logs).
struct SetupCase {
  TextView name;
  TextView argument;
  std::string event;
};
const SetupCase kSetupCases[] = {
    {u"papersize", u"a5", "papersize=11"},      {u"orientation", u"横", "orientation=2"},
    {u"scalemode", u"mm", ""},                  {u"printquality", u"4", "printquality=-4"},
    {u"paperbin", u"2", "paperbin=2"},          {u"colormode", u"1", "colormode=1"},
};

const SetupCase* SetupCaseOf(TextView name) {
  for (const SetupCase& c : kSetupCases) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

// A method line for every name: arguments each command accepts.
Text MethodLine(TextView name) {
  const CommandRow* row = FindCommand(MethodCommands(), name);
  switch (row->kind) {
    case CommandKind::kSetup:
      if (row->selectsPrinter) return Text(name) + u", Label ";
      return Text(name) + u"," + Text(SetupCaseOf(name)->argument);
    case CommandKind::kPaging:
      return Text(name);
    case CommandKind::kDrawing:
      if (name == u"prncircle") return Text(name) + u",1440,1440,720,2,dot,255";
      if (name == u"prnbox" || name == u"prnline") return Text(name) + u",1440,1440,4320,2880,2,dash,255";
      return Text(name) + u",1440,1440,請求書,ＭＳ 明朝,12,true,false,255";
    case CommandKind::kBarcode:
      if (name == u"prnqr") return Text(name) + u",1440,1440,請求書,1440,m";
      if (name == u"prngs1128") return Text(name) + u",1440,1440,(01)0491234567890,2880,720,true";
      if (name == u"prncode128") return Text(name) + u",1440,1440,abc,2880,720,true";
      if (name == u"prnitf") return Text(name) + u",1440,1440,1491234567890,2880,720,true";
      if (name == u"prncustomer") return Text(name) + u",1440,1440,263-00233-30-8-403";
      if (name == u"prnnw7") return Text(name) + u",1440,1440,a1234b,2880,720,true";
      if (name == u"prncode39") return Text(name) + u",1440,1440,abc,2880,720,true";
      return Text(name) + u",1440,1440,490123456789,2880,720,true";
  }
  return Text();
}

// The kind of mark each drawing command leaves on a surface.
Mark::Kind MarkKindOf(TextView name) {
  if (name == u"prnbox") return Mark::kRect;
  if (name == u"prnline") return Mark::kLine;
  if (name == u"prncircle") return Mark::kEllipse;
  if (name == u"prntext" || name == u"prntextout") return Mark::kText;
  return Mark::kFill;  // the bars of a barcode
}

bool HasMark(const std::vector<Mark>& marks, Mark::Kind kind) {
  return std::any_of(marks.begin(), marks.end(), [&](const Mark& m) { return m.kind == kind; });
}

test::PrinterSpec Named(const char16_t* name) {
  test::PrinterSpec spec;
  spec.name = name;
  return spec;
}

class CommandWalk : public test::RunFixture {
 protected:
  CommandWalk() : RunFixture({Named(u"Office"), Named(u"Label")}) {}
};

TEST_F(CommandWalk, EveryCommandAndSynonymPrints) {
  for (const TextView name : kDispatchOrder) {
    SCOPED_TRACE(ToUtf8(name));
    test::FakePlatform platform({Named(u"Office"), Named(u"Label")});
    const test::FakeSymbolEncoder symbols = test::ReadyFakeEncoder();
    platform.platform.symbols = &symbols;
    test::LoadMethods(platform.state, {MethodLine(name)});
    ASSERT_EQ(RunMethods(platform.platform, platform.platform.printer, 0, MethodCommands()), kRunCompleted);
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(platform.state.engine.nextMethod, 2);
    const CommandRow& row = *FindCommand(MethodCommands(), name);
    test::RecordingPrinter& office = platform.printers.Recording(0);
    switch (row.kind) {
      case CommandKind::kSetup:
        if (row.selectsPrinter) {
          EXPECT_EQ(platform.printers.CurrentIndex(), 1);
        } else {
          ASSERT_NE(SetupCaseOf(name), nullptr);
          const std::string& event = SetupCaseOf(name)->event;
          EXPECT_EQ(office.events, event.empty() ? std::vector<std::string>{} : std::vector<std::string>{event});
          if (event.empty()) {
            EXPECT_EQ(office.ScaleMode(), kScaleMillimeters);
          }
        }
        break;
      case CommandKind::kPaging:
        EXPECT_EQ(office.events, std::vector<std::string>{ToUtf8(name)});
        break;
      case CommandKind::kDrawing:
      case CommandKind::kBarcode:
        EXPECT_TRUE(HasMark(office.Marks().marks, MarkKindOf(name)));
        break;
    }
  }
}

TEST_F(CommandWalk, EveryCommandAndSynonymInThePreview) {
  for (const TextView name : kDispatchOrder) {
    SCOPED_TRACE(ToUtf8(name));
    test::FakePlatform platform({Named(u"Office"), Named(u"Label")});
    const test::FakeSymbolEncoder symbols = test::ReadyFakeEncoder();
    platform.platform.symbols = &symbols;
    const CommandRow& row = *FindCommand(MethodCommands(), name);
    // A box first, so that the page is shown and a page step would be seen to clear it; a
    // line after, on the same page unless the command ends it.
    std::vector<Text> lines = {u"prnbox,0,0,1,1", MethodLine(name)};
    if (row.kind != CommandKind::kSetup) lines.push_back(u"prnline,0,0,1,1");
    test::LoadMethods(platform.state, lines);
    test::RecordingPicture built;
    auto& pages = platform.state.engine.pageList;
    pages.resize(2);
    SetupPreviewPage(platform.platform, built.picture, 1);
    ASSERT_EQ(RunMethods(platform.platform, built.picture, 1, MethodCommands()), kRunCompleted);
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_TRUE(built.device.marks.empty());  // nothing is drawn while the preview is built
    EXPECT_TRUE(platform.printers.Recording(0).Marks().marks.empty());
    const PageRec& page = pages[1];
    switch (row.kind) {
      case CommandKind::kSetup:
        // The real printer changes; the page takes its new geometry only after the commands
        // that reshape it, which clear its shown flag.
        EXPECT_EQ(page.marks.size(), 1u);
        EXPECT_EQ(page.shown, !row.reshapesPage);
        EXPECT_EQ(page.printerName, row.selectsPrinter ? u"Label" : u"Office");
        if (name == u"papersize") {
          EXPECT_EQ(page.paperSize, 11);
        }
        if (name == u"orientation") {
          EXPECT_EQ(page.orientation, kLandscape);
        }
        break;
      case CommandKind::kPaging:
        // The page ends at the break: the line after it is the next page's.
        EXPECT_EQ(platform.state.engine.nextMethod, 3);
        EXPECT_EQ(page.marks.size(), 1u);
        EXPECT_TRUE(platform.printers.Recording(0).events.empty());
        break;
      case CommandKind::kDrawing:
      case CommandKind::kBarcode: {
        ASSERT_EQ(page.marks.size(), 3u);
        EXPECT_EQ(page.marks[1].command, &row);
        // Replayed on a page of its own, the mark is drawn as on paper.
        PageRec alone = page;
        alone.marks = {page.marks[1]};
        alone.printerPixelFactorX = alone.printerPixelFactorY = 1;
        test::RecordingPicture shown(1600, 2200);
        test::RecordingPicture scratch(10, 10);
        EXPECT_TRUE(DrawPage(shown.picture, alone, scratch.picture));
        const auto& drawn = row.kind == CommandKind::kBarcode ? scratch.device.marks : shown.device.marks;
        EXPECT_TRUE(HasMark(drawn, MarkKindOf(name)));
        if (row.kind == CommandKind::kBarcode) {
          EXPECT_TRUE(HasMark(shown.device.marks, Mark::kStretch));
        }
        break;
      }
    }
  }
}

TEST_F(CommandWalk, SynonymsDoTheSame) {
  const std::pair<TextView, TextView> synonyms[] = {{u"prntextout", u"prntext"},
                                                    {u"changeprinterdriver", u"changeprinter"}};
  for (const auto& [first, second] : synonyms) {
    ASSERT_EQ(FindCommand(MethodCommands(), first), FindCommand(MethodCommands(), second));
  }
  // Both text commands record the same values.
  LoadMethods({MethodLine(u"prntextout"), MethodLine(u"prntext")});
  ASSERT_EQ(BuildPage(1), kRunCompleted);
  const auto& marks = fake.state.engine.pageList[1].marks;
  ASSERT_EQ(marks.size(), 2u);
  const auto& a = std::get<TextMark>(marks[0].values);
  const auto& b = std::get<TextMark>(marks[1].values);
  EXPECT_EQ(std::tie(a.x, a.y, a.text, a.fontName, a.fontSize, a.italic, a.bold, a.colour),
            std::tie(b.x, b.y, b.text, b.fontName, b.fontSize, b.italic, b.bold, b.colour));
}

// Reading a mark without running it gives what the drawing is given: the reader's values in
// the method's own unit, a text's strings its own, and an argument out of range refused as
// the run refuses it.
TEST(MethodCommands, EveryMarkIsReadAsItsDrawingReadsIt) {
  const auto read = [](TextView line) {
    const std::vector<Text> fields = SplitMethodLine(line);
    MethodRec method;
    for (size_t f = 0; f < std::min<size_t>(fields.size(), kMethodFields); ++f) method.field[f] = fields[f];
    const CommandRow* row = FindCommand(MethodCommands(), method.field[0]);
    if (row == nullptr || row->marks == nullptr) throw std::invalid_argument("no mark command");
    return row->marks->read(method);
  };
  const TextMark text = std::get<TextMark>(read(u"PrnText,20.5,30,1,,234円,ＭＳ 明朝,12,false,TRUE,255"));
  EXPECT_EQ(std::tie(text.x, text.y, text.text, text.fontName, text.fontSize, text.italic, text.bold, text.colour),
            std::make_tuple(20.5f, 30.0f, Text(u"1,234円"), Text(u"ＭＳ 明朝"), 12.0, false, true, 255));
  const ShapeValues box = std::get<ShapeValues>(read(u"prnbox,1,2,3,4,5,dash,65280"));
  EXPECT_EQ(std::tie(box.x1, box.y1, box.x2, box.y2, box.lineWidth, box.lineStyle, box.colour),
            std::make_tuple(1.0f, 2.0f, 3.0f, 4.0f, int16_t{5}, int16_t{1}, 65280));
  const ShapeValues line = std::get<ShapeValues>(read(u"prnline,10,20,30,40"));
  EXPECT_EQ(std::tie(line.x2, line.y2), std::make_tuple(30.0f, 40.0f));
  const CircleValues circle = std::get<CircleValues>(read(u"prncircle,5,6,7,2,insidesolid"));
  EXPECT_EQ(std::tie(circle.x, circle.y, circle.radius, circle.lineWidth, circle.lineStyle),
            std::make_tuple(5.0f, 6.0f, int16_t{7}, int16_t{2}, int16_t{6}));
  // A JAN datum is the number's decimal text; NW-7 and Code 39 keep theirs and their flag.
  const BarcodeValues jan = std::get<BarcodeValues>(read(u"prnjan13,10,20,0490123456789,40,15,true"));
  EXPECT_EQ(std::tie(jan.x, jan.y, jan.data, jan.width, jan.height, jan.showText, jan.check),
            std::make_tuple(10.0f, 20.0f, Text(u"490123456789"), int16_t{40}, int16_t{15}, true, false));
  const BarcodeValues nw7 = std::get<BarcodeValues>(read(u"prnnw7,1,2,A123B,30,10,false,FALSE"));
  EXPECT_EQ(std::tie(nw7.data, nw7.showText, nw7.check), std::make_tuple(Text(u"A123B"), false, false));
  const BarcodeValues code39 = std::get<BarcodeValues>(read(u"prncode39,1,2,abc,30,10,true"));
  EXPECT_EQ(std::tie(code39.data, code39.check), std::make_tuple(Text(u"abc"), true));
  EXPECT_THROW(read(u"prnbox,1,2,3,4,99999"), Failure);
  EXPECT_THROW(read(u"prnjan8,1,2,3,70000"), Failure);
}

}  // namespace
}  // namespace vant
