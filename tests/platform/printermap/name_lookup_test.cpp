// Names compared as Windows compares printer names, and the lookup's order: the map's entry,
// then a description; an entry naming no printer is passed over and listed.
#include <gtest/gtest.h>

#include <vector>

#include "platform/printermap/map_text.h"
#include "platform/printermap/name_lookup.h"

namespace vant::printermap {
namespace {

TEST(NameLookup, NamesComparedAsWindowsDoes) {
  struct Row {
    int row;
    std::u16string a, b;
    bool same;
  };
  const Row rows[] = {
      {1, u"ZDesigner GK420d", u"zdesigner gk420D", true},
      {2, u"  EPSON PX-105 ", u"EPSON PX-105", true},
      {3, u"EPSON PX-105", u"EPSON  PX-105", false},
      {4, u"\\\\PRTSRV01\\Label-3F", u"\\\\prtsrv01\\LABEL-3F", true},
      {5, u"ＡＢＣ", u"ａｂｃ", true},
      {6, u"Label", u"Label2", false},
      {7, u"", u" ", true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("row " + std::to_string(r.row));
    EXPECT_EQ(SamePrinterName(r.a, r.b), r.same);
    EXPECT_EQ(PrinterNameKey(r.a) == PrinterNameKey(r.b), r.same);
  }
}

TEST(NameLookup, MapThenDescription) {
  const PrinterMap map = ReadMapText(
      "[Printers]\n\\\\PRTSRV01\\Label-3F = Label\nOld Laser = Gone\nZDesigner GK420d = Office\nPDF = Vant3 PDF\n", "m");
  const std::vector<PrinterNames> printers = {
      {u"Office", u"Office test printer"}, {u"Label", u"ZDesigner GK420d"}, {u"Vant3 PDF", u""}};
  struct Row {
    int row;
    std::u16string name;
    int index;
    bool entry;
  };
  const Row rows[] = {
      {1, u"\\\\prtsrv01\\label-3f", 1, true},
      // The map comes before a description that says the same.
      {2, u"ZDesigner GK420d", 0, true},
      {3, u"office TEST printer", 0, false},
      {4, u"pdf", 2, true},
      // An entry whose queue is not installed: no printer, and the entry is named.
      {5, u"Old Laser", -1, true},
      {6, u"Nowhere", -1, false},
      {7, u"", -1, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("row " + std::to_string(r.row));
    const MapEntry* entry = nullptr;
    EXPECT_EQ(FindByOtherName(map, printers, r.name, &entry), r.index);
    EXPECT_EQ(entry != nullptr, r.entry);
  }
  const std::vector<MapProblem> dead = EntriesNamingNoPrinter(map, printers);
  ASSERT_EQ(dead.size(), 1u);
  EXPECT_EQ(ToUtf8(dead[0].Said()), "m:3: 「Old Laser」の印刷先「Gone」というプリンターはありません");
}

}  // namespace
}  // namespace vant::printermap
