#include "app/check/check_report.h"

#include <cmath>
#include <iomanip>
#include <optional>
#include <sstream>

#include "app/run/methods_json.h"
#include "engine/papers.h"
#include "engine/printer_setting.h"
#include "platform/printing/printer_choices.h"
#include "platform/qt/stderr_messages.h"

namespace vant::app {
namespace {

using printing::RecordedPage;

std::string Number(double value) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << std::setprecision(6) << value;
  return out.str();
}

// The page's sheet as it lies: width and height in the page's orientation, to 0.1 mm, as
// the report says every length (a queue's A4 of 595 x 842 points is 209.9 x 297 mm).
printing::SheetMm LaidPage(const RecordedPage& page) {
  printing::SheetMm laid = printing::OrientedPage(page.media.sheet, page.Get(PrinterSetting::kOrientation));
  laid.widthMm = std::round(laid.widthMm * 10) / 10;
  laid.heightMm = std::round(laid.heightMm * 10) / 10;
  return laid;
}

std::string ChoiceText(PrinterSetting setting, int16_t code) {
  const TextView name = printing::ChoiceName(setting, code);
  return name.empty() ? std::to_string(code) : ToUtf8(name);
}

std::string ChoiceJson(PrinterSetting setting, int16_t code) {
  return "{\"code\": " + std::to_string(code) + ", \"name\": " + JsonString(printing::ChoiceName(setting, code)) + "}";
}

std::string IconName(MessageIcon icon) { return icon == MessageIcon::kCritical ? "critical" : "information"; }

std::string NullOr(bool present, const std::string& json) { return present ? json : "null"; }

// A box's text with its lines ended by LF, as the text report writes them: CR LF and CR
// alike end a line.
Text LfLines(TextView text) {
  Text out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r') {
      out.push_back(text[i]);
      continue;
    }
    out.push_back(u'\n');
    if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
  }
  return out;
}

// "Control: OBJECT id="PrnCtl1" (line 4), 7 methods", or that there is none.
std::string ControlLine(const std::optional<CheckedControl>& control, const Words& w) {
  if (!control) return w.translate("vant check", "Control: none (no OBJECT element)");
  std::string where;
  if (control->id) where += " id=\"" + qt::VisibleText(*control->id) + "\"";
  if (control->line != 0) where += Fill(w.translate("vant check", " (line %1)"), {std::to_string(control->line)});
  return Fill(control->methods == 1 ? w.translate("vant check", "Control: OBJECT%1, %2 method")
                                    : w.translate("vant check", "Control: OBJECT%1, %2 methods"),
              {where, std::to_string(control->methods)});
}

// "Warning (method 3, line 7): TEXT", without what the warning has no number of.
std::string WarningLine(const CheckWarning& warning, const Words& w) {
  const std::string text = qt::VisibleText(warning.text);
  const std::string method = std::to_string(warning.method), line = std::to_string(warning.line);
  if (warning.method != 0 && warning.line != 0) {
    return Fill(w.translate("vant check", "Warning (method %1, line %2): %3"), {method, line, text});
  }
  if (warning.method != 0) return Fill(w.translate("vant check", "Warning (method %1): %2"), {method, text});
  if (warning.line != 0) return Fill(w.translate("vant check", "Warning (line %1): %2"), {line, text});
  return Fill(w.translate("vant check", "Warning: %1"), {text});
}

}  // namespace

std::string CheckText(const PageCheck& check, const Words& w) {
  std::string out = "== " + check.page + "\n";
  if (check.unreadable) {
    return out + *check.unreadable + "\n" + w.translate("vant check", "Result: cannot be printed") + "\n\n";
  }
  out += ControlLine(check.control, w) + "\n";
  for (size_t d = 0; d < check.documents.size(); ++d) {
    const auto& document = check.documents[d];
    const size_t pages = document.pages.size();
    out += Fill(pages == 1 ? w.translate("vant check", "Document %1: printer \"%2\", %3 page")
                           : w.translate("vant check", "Document %1: printer \"%2\", %3 pages"),
                {std::to_string(d + 1), qt::VisibleText(document.printer), std::to_string(pages)}) +
           "\n";
    for (size_t p = 0; p < pages; ++p) {
      const RecordedPage& page = document.pages[p];
      const printing::SheetMm laid = LaidPage(page);
      // The settings' names are the status bar's, in every language.
      out += "  " +
             Fill(w.translate("vant check", "Page %1: %2 (%3 x %4 mm)"),
                  {std::to_string(p + 1), ChoiceText(PrinterSetting::kPaperSize, page.Get(PrinterSetting::kPaperSize)),
                   Number(laid.widthMm), Number(laid.heightMm)});
      for (const PrinterSettingRow& row : PrinterSettingRows()) {
        if (row.id == PrinterSetting::kPaperSize) continue;  // the sheet, above with its size
        const std::string value = ChoiceText(row.id, page.Get(row.id));
        // The qualities' names (高, 低) alone would not say what they are.
        out +=
            w.translate("vant check", ", ") +
            (row.id == PrinterSetting::kPrintQuality ? Fill(w.translate("vant check", "quality %1"), {value}) : value);
      }
      out += "\n";
    }
  }
  for (const browser::ShownBox& box : check.messages) out += qt::StderrBoxText(box.text, box.icon, box.title);
  for (const CheckWarning& warning : check.warnings) out += WarningLine(warning, w) + "\n";
  out += check.failed ? w.translate("vant check", "Result: would not print (the run stops)")
                      : w.translate("vant check", "Result: would print");
  return out + "\n\n";
}

std::string CheckJson(const PageCheck& check) {
  std::string out = "{\"page\": " + JsonString(FromUtf8(check.page));
  out += ", \"readable\": ";
  out += check.unreadable ? "false" : "true";
  out += ", \"reason\": " +
         NullOr(check.unreadable.has_value(), check.unreadable ? JsonString(FromUtf8(*check.unreadable)) : "");
  out += ", \"control\": ";
  if (check.control) {
    out += "{\"id\": " + NullOr(check.control->id.has_value(), check.control->id ? JsonString(*check.control->id) : "");
    out += ", \"line\": " + std::to_string(check.control->line);
    out += ", \"methods\": " + std::to_string(check.control->methods) + "}";
  } else {
    out += "null";
  }
  out += ", \"documents\": [";
  for (size_t d = 0; d < check.documents.size(); ++d) {
    if (d > 0) out += ", ";
    out += "{\"printer\": " + JsonString(check.documents[d].printer) + ", \"pages\": [";
    for (size_t p = 0; p < check.documents[d].pages.size(); ++p) {
      const RecordedPage& page = check.documents[d].pages[p];
      const printing::SheetMm laid = LaidPage(page);
      if (p > 0) out += ", ";
      out += "{\"" + std::string(RowOf(PrinterSetting::kPaperSize).jsonName) +
             "\": {\"code\": " + std::to_string(page.Get(PrinterSetting::kPaperSize)) + ", \"name\": " +
             JsonString(printing::ChoiceName(PrinterSetting::kPaperSize, page.Get(PrinterSetting::kPaperSize))) +
             ", \"widthMm\": " + Number(laid.widthMm) + ", \"heightMm\": " + Number(laid.heightMm) + "}";
      for (const PrinterSettingRow& row : PrinterSettingRows()) {
        if (row.id == PrinterSetting::kPaperSize) continue;  // the sheet above, with its size
        out += ", \"" + std::string(row.jsonName) + "\": " + ChoiceJson(row.id, page.Get(row.id));
      }
      out += "}";
    }
    out += "]}";
  }
  out += "], \"messages\": [";
  for (size_t i = 0; i < check.messages.size(); ++i) {
    const browser::ShownBox& box = check.messages[i];
    if (i > 0) out += ", ";
    out += "{\"icon\": \"" + IconName(box.icon) + "\", \"title\": " + JsonString(box.title) +
           ", \"text\": " + JsonString(LfLines(box.text)) + "}";
  }
  out += "], \"warnings\": [";
  for (size_t i = 0; i < check.warnings.size(); ++i) {
    const CheckWarning& warning = check.warnings[i];
    if (i > 0) out += ", ";
    out += "{\"kind\": \"" + std::string(WarningName(warning.kind)) + "\"";
    out += ", \"method\": " + NullOr(warning.method != 0, std::to_string(warning.method));
    out += ", \"line\": " + NullOr(warning.line != 0, std::to_string(warning.line));
    out += ", \"text\": " + JsonString(warning.text) + "}";
  }
  out += "], \"failed\": ";
  out += check.failed ? "true" : "false";
  out += "}";
  return out;
}

void CheckTally::Add(const PageCheck& check) {
  ++pages;
  failed += check.failed ? 1 : 0;
  warnings += check.warnings.size();
}

std::string CheckTally::Summary() const {
  return std::to_string(pages) + (pages == 1 ? " page" : " pages") + " checked, " + std::to_string(failed) +
         " failed, " + std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings");
}

}  // namespace vant::app
