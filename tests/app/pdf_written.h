// What `vant pdf` says and prints, for the tests of the PDF it writes.
#pragma once

#include <filesystem>
#include <string>

namespace vant::test {

// A title line in the invoice's font: the text most PDF tests print.
inline const std::string kInvoiceTitle = "prntext,20,20,請求書 No.1,ＭＳ 明朝,12,false,false,0";

// "「FILE」に N ページを書き込みました。"
inline std::string Written(const std::filesystem::path& file, int pages) {
  return "「" + file.string() + "」に " + std::to_string(pages) + " ページを書き込みました。\n";
}

}  // namespace vant::test
