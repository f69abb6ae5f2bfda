#include "app/check/check_report.h"

#include <cmath>
#include <optional>
#include <utility>

#include "common/json_writer.h"
#include "engine/papers.h"
#include "engine/printer_setting.h"
#include "platform/printing/printer_choices.h"
#include "platform/qt/stderr_messages.h"

namespace vant::app {
namespace {

using printing::RecordedPage;

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

void ChoiceJson(JsonWriter& json, PrinterSetting setting, int16_t code) {
  json.BeginObject().Key("code").Int(code).Key("name").String(printing::ChoiceName(setting, code)).EndObject();
}

const char* IconName(MessageIcon icon) { return icon == MessageIcon::kCritical ? "critical" : "information"; }

// A whole number, or null where there is none (0).
void NumberOrNull(JsonWriter& json, std::int64_t number) {
  if (number != 0) {
    json.Int(number);
  } else {
    json.Null();
  }
}

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
                   JsonNumber(laid.widthMm), JsonNumber(laid.heightMm)});
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
  JsonWriter json;
  json.BeginObject().Key("page").StringUtf8(check.page).Key("readable").Bool(!check.unreadable);
  json.Key("reason");
  if (check.unreadable) {
    json.StringUtf8(*check.unreadable);
  } else {
    json.Null();
  }
  json.Key("control");
  if (check.control) {
    json.BeginObject().Key("id");
    if (check.control->id) {
      json.String(*check.control->id);
    } else {
      json.Null();
    }
    json.Key("line").Int(check.control->line).Key("methods").Int(check.control->methods).EndObject();
  } else {
    json.Null();
  }
  json.Key("documents").BeginArray();
  for (const auto& document : check.documents) {
    json.BeginObject().Key("printer").String(document.printer).Key("pages").BeginArray();
    for (const RecordedPage& page : document.pages) {
      const printing::SheetMm laid = LaidPage(page);
      const int16_t paper = page.Get(PrinterSetting::kPaperSize);
      json.BeginObject().Key(RowOf(PrinterSetting::kPaperSize).jsonName).BeginObject();
      json.Key("code").Int(paper).Key("name").String(printing::ChoiceName(PrinterSetting::kPaperSize, paper));
      json.Key("widthMm").Double(laid.widthMm).Key("heightMm").Double(laid.heightMm).EndObject();
      for (const PrinterSettingRow& row : PrinterSettingRows()) {
        if (row.id == PrinterSetting::kPaperSize) continue;  // the sheet above, with its size
        json.Key(row.jsonName);
        ChoiceJson(json, row.id, page.Get(row.id));
      }
      json.EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray().Key("messages").BeginArray();
  for (const browser::ShownBox& box : check.messages) {
    json.BeginObject().Key("icon").StringUtf8(IconName(box.icon)).Key("title").String(box.title);
    json.Key("text").String(LfLines(box.text)).EndObject();
  }
  json.EndArray().Key("warnings").BeginArray();
  for (const CheckWarning& warning : check.warnings) {
    json.BeginObject().Key("kind").StringUtf8(WarningName(warning.kind)).Key("method");
    NumberOrNull(json, warning.method);
    json.Key("line");
    NumberOrNull(json, warning.line);
    json.Key("text").String(warning.text).EndObject();
  }
  json.EndArray().Key("failed").Bool(check.failed).EndObject();
  return std::move(json).Take();
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
