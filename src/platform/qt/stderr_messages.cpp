#include "platform/qt/stderr_messages.h"

#include <iostream>

namespace vant::qt {
namespace {

// C0 controls but the tab, DEL and the C1 controls: the ones a terminal obeys.
bool DrivesTerminal(char16_t unit) {
  return (unit < 0x20 && unit != u'\t') || (unit >= 0x7F && unit <= 0x9F);
}

}  // namespace

// Every control character is written as \uXXXX, as the JSON of `vant methods` writes it:
// a page's text cannot move the cursor, retitle the window, clear the screen or reach the
// clipboard.
std::string VisibleText(TextView text) {
  static constexpr char kHexDigits[] = "0123456789abcdef";
  std::string out;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!DrivesTerminal(text[i])) continue;
    out += ToUtf8(text.substr(start, i - start)) + "\\u00";
    out.push_back(kHexDigits[text[i] >> 4]);
    out.push_back(kHexDigits[text[i] & 0xF]);
    start = i + 1;
  }
  return out + ToUtf8(text.substr(start));
}

std::string StderrBoxText(const Text& text, MessageIcon icon, const Text& title) {
  std::string out = icon == MessageIcon::kCritical ? "[critical]" : "[information]";
  if (!title.empty()) out += " " + VisibleText(title);
  out += "\n";
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    out += VisibleText(TextView(text).substr(start, i - start)) + "\n";
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) out += VisibleText(TextView(text).substr(start)) + "\n";
  out += "\n";
  return out;
}

StderrMessageBoxes::StderrMessageBoxes() : out_(std::cerr) {}

void StderrMessageBoxes::Show(const Text& text, MessageIcon icon, const Text& title) {
  out_ << StderrBoxText(text, icon, title);
  out_.flush();
}

}  // namespace vant::qt
