#include "platform/printlog/printed_lines.h"

#include <cstdio>
#include <utility>

#include "engine/run_driver.h"

namespace vant::printlog {

std::string LogValue(TextView text) {
  const std::string utf8 = ToUtf8(text);
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string PrintedLine(TextView page, const printing::DeliveredDocument& delivered, int copies) {
  std::string line = "printed page=" + LogValue(page) + " printer=" + LogValue(delivered.printer);
  if (delivered.jobId) {
    line += " job=" + std::to_string(*delivered.jobId);
    for (const int later : delivered.laterJobIds) line += "," + std::to_string(later);
  }
  if (delivered.standardOutput) {
    line += " file=-";
  } else if (delivered.file) {
    line += " file=" + LogValue(FromUtf8(delivered.file->string()));
  }
  const int sent = delivered.jobId ? copies : 1;
  return line + " pages=" + std::to_string(delivered.pages) + " copies=" + std::to_string(sent);
}

std::string StoppedLine(TextView page, TextView stopText) {
  return "stopped page=" + LogValue(page) + " stop=" + LogValue(stopText);
}

void StopBoxes::Show(const Text& text, MessageIcon icon, const Text& title) {
  if (icon == MessageIcon::kCritical && TextView(text).ends_with(kRunStoppedOnPrinter)) stops_.push_back(text);
  if (shown_ != nullptr) shown_->Show(text, icon, title);
}

std::vector<Text> StopBoxes::Take() { return std::exchange(stops_, {}); }

void LogPrints(PrintLog& log, TextView page, std::span<const printing::DeliveredDocument> delivered, int copies,
               const std::vector<Text>& stops) {
  for (const printing::DeliveredDocument& document : delivered) {
    log.Write(LogLevel::kInfo, PrintedLine(page, document, copies));
  }
  for (const Text& stop : stops) log.Write(LogLevel::kWarning, StoppedLine(page, stop));
}

}  // namespace vant::printlog
