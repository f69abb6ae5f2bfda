// The system log's lines of a print: each document a printer delivered, and each stop of a
// print run, with the page they came from (its file, or the browser page's origin).
//
//   printed page="/home/u/label.html" printer="Label" job=42 pages=1 copies=2
//   printed page="https://example.com" printer="Vant3 PDF" file="/home/u/Downloads/a.pdf" pages=2 copies=1
//   stopped page="/home/u/label.html" stop="プリンター「X」が見つかりません\r\n3:(changeprinter,x)\r\n印刷を中断しました!"
//
// Values are quoted; a quote, a backslash and every control character in them are escaped,
// so that no page can write a line of its own into the log.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "common/text.h"
#include "engine/platform.h"
#include "platform/printing/printer_output.h"
#include "platform/printlog/print_log.h"

namespace vant::printlog {

// text quoted and escaped as above, in UTF-8.
std::string LogValue(TextView text);

// The line of one delivered document. copies: the copies asked of the print server (a PDF
// file is one).
std::string PrintedLine(TextView page, const printing::DeliveredDocument& delivered, int copies);
// The line of a print run's stop, with its stop box's text.
std::string StoppedLine(TextView page, TextView stopText);

// Message boxes passed on to another, the texts of print runs' stop boxes kept for the log.
class StopBoxes final : public MessageBoxes {
 public:
  // shown: where the boxes go on; none for nowhere.
  explicit StopBoxes(MessageBoxes* shown) : shown_(shown) {}
  void Show(const Text& text, MessageIcon icon, const Text& title) override;
  // The stop texts since the last call.
  std::vector<Text> Take();

 private:
  MessageBoxes* shown_;
  std::vector<Text> stops_;
};

// Writes the lines of the documents and stops.
void LogPrints(PrintLog& log, TextView page, std::span<const printing::DeliveredDocument> delivered, int copies,
               const std::vector<Text>& stops);

}  // namespace vant::printlog
