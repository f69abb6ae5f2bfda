// An independent barcode decoder for the tests: zbarimg.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vant::test {

// zbarimg -q with the given -S options: the symbols it reports, their data only. A missing
// zbarimg fails loudly; an image without a symbol gives none.
std::vector<std::string> ZbarDecode(const std::filesystem::path& image, const std::string& options);

// The data of the symbol lines in zbarimg's output ("EAN-13:4901234567894"): a line that
// does not start with a symbology zbar names (a message from its D-Bus connection, which it
// may print on the same stream) is no symbol.
std::vector<std::string> SymbolsInZbarOutput(std::string_view output);

}  // namespace vant::test
