// Which methods choose the printer, asked of the command table: the command under any of
// its names as the run finds it, and for a named printer the argument as the command
// compares names.
#include "engine/command_table.h"

#include <gtest/gtest.h>

#include "method_of.h"

namespace vant {
namespace {

using test::Method;

TEST(CommandTable, ChoosesPrinterByTheCommandsRowAndTheNameAsTheCommandComparesIt) {
  struct Row {
    int line;
    const char16_t* command;
    const char16_t* argument;
    bool choosesAPrinter;
    bool choosesOffice;  // the printer "Office"
  };
  const Row rows[] = {
      {__LINE__, u"changeprinter", u"Office", true, true},
      {__LINE__, u"ChangePrinterDriver", u"  Office ", true, true},
      {__LINE__, u"changeprinter", u"office", true, false},
      {__LINE__, u"changeprinter", u"Label", true, false},
      {__LINE__, u"changeprinter", u"", true, false},
      {__LINE__, u" changeprinter", u"Office", false, false},
      {__LINE__, u"papersize", u"Office", false, false},
      {__LINE__, u"", u"Office", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(ChoosesPrinter(kSetupAndPagingCommands, row.command), row.choosesAPrinter);
    EXPECT_EQ(ChoosesPrinter(kSetupAndPagingCommands, Method({row.command, row.argument}), u"Office"),
              row.choosesOffice);
  }
}

}  // namespace
}  // namespace vant
