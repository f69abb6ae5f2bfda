// An independent barcode decoder for the tests: zbarimg.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vant::test {

// zbarimg --raw -q with the given -S options: the symbols it reports, one a line. A missing
// zbarimg fails loudly; an image without a symbol gives none.
std::vector<std::string> ZbarDecode(const std::filesystem::path& image, const std::string& options);

}  // namespace vant::test
