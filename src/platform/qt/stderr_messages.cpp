#include "platform/qt/stderr_messages.h"

#include <iostream>

namespace vant::qt {

std::string StderrBoxText(const Text& text, MessageIcon icon, const Text& title) {
  std::string out = icon == MessageIcon::kCritical ? "[critical]" : "[information]";
  if (!title.empty()) out += " " + ToUtf8(title);
  out += "\n";
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    out += ToUtf8(TextView(text).substr(start, i - start)) + "\n";
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) out += ToUtf8(TextView(text).substr(start)) + "\n";
  out += "\n";
  return out;
}

StderrMessageBoxes::StderrMessageBoxes() : out_(std::cerr) {}

void StderrMessageBoxes::Show(const Text& text, MessageIcon icon, const Text& title) {
  out_ << StderrBoxText(text, icon, title);
  out_.flush();
}

}  // namespace vant::qt
