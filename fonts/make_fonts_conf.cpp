// Writes the shipped fontconfig file from the table of Windows font names
// (platform/qt/windows_fonts.h): every spelling of a row is an alias for the row's face and
// then the other faces of its design, so that a page's name finds a face of its design
// even where a recommended font package is missing. Usage: vant_make_fonts_conf OUTPUT
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/qt/windows_fonts.h"

namespace {

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

constexpr std::string_view kHead = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<!--
  Vant3's font configuration, written when the program is built from its table of Windows
  font names (src/platform/qt/windows_fonts.cpp): edit the table, not this file. It is the
  machine's own configuration plus the Windows font names business pages ask for, each
  mapped onto a free face with the font's widths where one exists, else onto faces of the
  font's design. The program points FONTCONFIG_FILE here; the machine's configuration is
  not touched. fontconfig compares family names without regard to ASCII blanks and case;
  the full-width spellings (full-width letters, the ideographic space) are listed one by one.
  The aliases come before the system's rules so that those rules see the faces and give
  them their generic family (serif or sans-serif) for glyph fallback.
-->
<fontconfig>
)";

constexpr std::string_view kTail = R"(
  <include ignore_missing="no">/etc/fonts/fonts.conf</include>
</fontconfig>
)";

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: vant_make_fonts_conf OUTPUT\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << kHead;
  for (const vant::qt::WindowsFont& font : vant::qt::WindowsFonts()) {
    std::string prefer;
    for (const std::string_view face : vant::qt::StandIns(font)) prefer += "<family>" + Escaped(face) + "</family>";
    out << "  <!-- " << Escaped(font.face) << " -->\n";
    for (const std::string& spelling : vant::qt::Spellings(font)) {
      out << "  <alias binding=\"same\"><family>" << Escaped(spelling) << "</family><prefer>" << prefer
          << "</prefer></alias>\n";
    }
  }
  out << kTail;
  out.close();
  if (!out) {
    std::cerr << "vant_make_fonts_conf: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
