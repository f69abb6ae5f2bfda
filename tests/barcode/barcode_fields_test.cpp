// Each symbology's row says how its data field is read and whether it takes field 7's
// check-character flag; the fields are read by those two facts, not by which symbology it is.
#include "barcode/barcode_fields.h"

#include <gtest/gtest.h>

#include "method_of.h"

namespace vant {
namespace {

using test::Method;

TEST(BarcodeFields, TheDataAndTheCheckFlagAreReadAsTheSymbologysRowSays) {
  struct Row {
    int line;
    Symbology symbology;
    DataReading data;
    bool checkCharacter;
    const char16_t* written;  // field 3
    const char16_t* read;     // the data as encoded
  };
  const Row rows[] = {
      {__LINE__, Symbology::kJan13, DataReading::kAsNumber, false, u"0049", u"49"},
      {__LINE__, Symbology::kJan8, DataReading::kAsNumber, false, u"abc", u"0"},
      {__LINE__, Symbology::kNw7, DataReading::kAsWritten, true, u"A0049B", u"A0049B"},
      {__LINE__, Symbology::kCode39, DataReading::kAsWritten, true, u"0049", u"0049"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(RowOf(row.symbology).data, row.data);
    EXPECT_EQ(HasCheckCharacter(row.symbology), row.checkCharacter);
    for (const Text flag : {u"true", u"false"}) {
      const BarcodeFields fields =
          ReadBarcodeFields(row.symbology, Method({u"", u"1", u"2", row.written, u"30", u"40", u"true", flag}));
      EXPECT_EQ(fields.data, row.read);
      EXPECT_EQ(fields.check, row.checkCharacter && flag == u"true") << ToUtf8(flag);
    }
  }
}

}  // namespace
}  // namespace vant
