#include "platform/printing/printer_choices.h"

#include "engine/papers.h"

namespace vant::printing {

TextView ChoiceName(PrinterSetting setting, int16_t code) {
  if (setting == PrinterSetting::kPaperSize) {
    const PaperSheet* paper = PaperFor(code);
    return paper != nullptr ? paper->choiceName : TextView();
  }
  const SettingValue* row = RowFor(RowOf(setting).values, code);
  return row != nullptr ? row->name : TextView();
}

Text UnsupportedText(TextView printer, PrinterSetting setting, int16_t code) {
  Text text = u"プリンター「";
  text += printer;
  text += u"」は";
  text += RowOf(setting).name;
  text += u" ";
  text += DecimalText(code);
  const TextView name = ChoiceName(setting, code);
  if (!name.empty()) {
    text += u" (";
    text += name;
    text += u")";
  }
  text += u" に対応していません。";
  return text;
}

}  // namespace vant::printing
