#include "platform/printing/printer_choices.h"

#include "engine/papers.h"

namespace vant::printing {

TextView SettingName(Setting setting) {
  switch (setting) {
    case Setting::kPaperSize: return u"用紙サイズ";
    case Setting::kOrientation: return u"印刷の向き";
    case Setting::kPrintQuality: return u"印刷品質";
    case Setting::kPaperBin: return u"給紙方法";
    case Setting::kColorMode: return u"カラーモード";
  }
  return {};
}

std::span<const SettingValue> ValuesOf(Setting setting) {
  switch (setting) {
    case Setting::kPaperSize: return {};
    case Setting::kOrientation: return kOrientations;
    case Setting::kPrintQuality: return kPrintQualities;
    case Setting::kPaperBin: return kPaperBins;
    case Setting::kColorMode: return kColourModes;
  }
  return {};
}

TextView ChoiceName(Setting setting, int16_t code) {
  if (setting == Setting::kPaperSize) {
    const PaperSheet* paper = PaperFor(code);
    return paper != nullptr ? paper->choiceName : TextView();
  }
  const SettingValue* row = RowFor(ValuesOf(setting), code);
  return row != nullptr ? row->name : TextView();
}

Text UnsupportedText(TextView printer, Setting setting, int16_t code) {
  Text text = u"プリンター「";
  text += printer;
  text += u"」は";
  text += SettingName(setting);
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
