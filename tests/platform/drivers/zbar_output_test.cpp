// zbarimg's output read as the symbols it found: only lines it starts with a symbology's
// name count, so that a message it prints on the same stream (a failed D-Bus connection)
// is never taken for a symbol.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zbar_decode.h"

namespace vant::test {
namespace {

TEST(ZbarOutput, OnlySymbolLinesCount) {
  struct Case {
    const char* what;
    const char* output;
    std::vector<std::string> symbols;
  };
  const Case cases[] = {
      {"one symbol", "EAN-13:4901234567894\n", {"4901234567894"}},
      {"each symbology of the control",
       "EAN-13:4901234567894\nEAN-8:49012346\nCodabar:A12345B\nCODE-39:ABC-123\n",
       {"4901234567894", "49012346", "A12345B", "ABC-123"}},
      {"a D-Bus message before and after",
       "Connection Error (Failed to connect to socket /run/dbus/system_bus_socket: No such file or directory)\n"
       "EAN-8:49012346\nConnection Error (Failed to connect to socket)\n",
       {"49012346"}},
      {"a message whose first word ends in a colon", "Error: cannot open display\n", {}},
      {"data holding a colon", "CODE-39:A:B\n", {"A:B"}},
      {"no last line end", "EAN-8:49012346", {"49012346"}},
      {"nothing", "", {}},
      {"blank lines", "\n\n", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SymbolsInZbarOutput(c.output), c.symbols) << c.what;
}

}  // namespace
}  // namespace vant::test
