#include "platform/printing/printer_choices.h"

#include <array>

#include "engine/papers.h"

namespace vant::printing {
namespace {

struct NamedCode {
  int16_t code;
  TextView name;
};

constexpr std::array<NamedCode, 2> kOrientationNames{{{1, u"縦"}, {2, u"横"}}};

struct Quality {
  int16_t code;
  int ipp;
  TextView name;
};
// Low quality is printed as draft: the server knows three qualities, the language four.
constexpr std::array<Quality, 4> kQualities{{
    {-1, kIppDraft, u"ドラフト"},
    {-2, kIppDraft, u"低"},
    {-3, kIppNormal, u"中"},
    {-4, kIppHigh, u"高"},
}};
static_assert(kQualities[2].ipp == kIppNormal, "medium quality is the server's normal");

struct ColourMode {
  int16_t code;
  std::string_view ipp;
  TextView name;
};
constexpr std::array<ColourMode, 2> kColourModes{{
    {1, kIppMonochrome, u"モノクロ"},
    {2, kIppColor, u"カラー"},
}};

// Paper bins with the media-source keywords that serve them, preferred first. Where the
// PWG registry has no keyword of its own (tractor, small and large format) the keyword is
// the one the print server derives from a driver's slot of that name.
struct Bin {
  int16_t code;
  TextView name;
  std::array<std::string_view, 2> sources;
};
constexpr std::array<Bin, 12> kBins{{
    {1, u"上段トレイ", {"top", ""}},
    {2, u"下段トレイ", {"bottom", ""}},
    {3, u"中段トレイ", {"middle", ""}},
    {4, u"手差し", {"manual", ""}},
    {5, u"封筒", {"envelope", ""}},
    {6, u"封筒手差し", {"by-pass-tray", ""}},
    {7, u"自動選択", {"auto", ""}},
    {8, u"トラクター", {"tractor", ""}},
    {9, u"小型用紙", {"small-format", ""}},
    {10, u"大型用紙", {"large-format", ""}},
    {11, u"大容量トレイ", {"large-capacity", ""}},
    {14, u"カセット", {"main", "tray-1"}},
}};

constexpr bool BinsAreSound() {
  for (size_t i = 0; i < kBins.size(); ++i) {
    if (kBins[i].sources[0].empty()) return false;
    if (i > 0 && kBins[i].code <= kBins[i - 1].code) return false;
  }
  return true;
}
static_assert(BinsAreSound(), "bins in code order, each with a keyword");

template <typename Table>
TextView FindName(const Table& table, int16_t code) {
  for (const auto& row : table) {
    if (row.code == code) return row.name;
  }
  return {};
}

}  // namespace

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

TextView ChoiceName(Setting setting, int16_t code) {
  switch (setting) {
    case Setting::kPaperSize: {
      const PaperSheet* paper = PaperFor(code);
      return paper != nullptr ? paper->choiceName : TextView();
    }
    case Setting::kOrientation: return FindName(kOrientationNames, code);
    case Setting::kPrintQuality: return FindName(kQualities, code);
    case Setting::kPaperBin: return FindName(kBins, code);
    case Setting::kColorMode: return FindName(kColourModes, code);
  }
  return {};
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

std::optional<int> IppOrientation(int16_t code) {
  if (code == 1) return kIppPortrait;
  if (code == 2) return kIppLandscape;
  return std::nullopt;
}

std::optional<int> IppQuality(int16_t code) {
  for (const Quality& q : kQualities) {
    if (q.code == code) return q.ipp;
  }
  return std::nullopt;
}

std::optional<int16_t> QualityCode(int ippQuality) {
  switch (ippQuality) {
    case kIppDraft: return int16_t{-1};
    case kIppNormal: return int16_t{-3};
    case kIppHigh: return int16_t{-4};
    default: return std::nullopt;
  }
}

std::optional<std::string_view> IppColorMode(int16_t code) {
  for (const ColourMode& m : kColourModes) {
    if (m.code == code) return m.ipp;
  }
  return std::nullopt;
}

std::optional<int16_t> ColorModeCode(std::string_view ippColorMode) {
  for (const ColourMode& m : kColourModes) {
    if (m.ipp == ippColorMode) return m.code;
  }
  return std::nullopt;
}

std::vector<std::string_view> MediaSourcesFor(int16_t code) {
  std::vector<std::string_view> sources;
  for (const Bin& bin : kBins) {
    if (bin.code != code) continue;
    for (const std::string_view source : bin.sources) {
      if (!source.empty()) sources.push_back(source);
    }
  }
  return sources;
}

std::optional<int16_t> PaperBinCode(std::string_view mediaSource) {
  for (const Bin& bin : kBins) {
    for (const std::string_view source : bin.sources) {
      if (!source.empty() && source == mediaSource) return bin.code;
    }
  }
  return std::nullopt;
}

std::vector<int16_t> PaperBinCodes() {
  std::vector<int16_t> codes;
  for (const Bin& bin : kBins) codes.push_back(bin.code);
  return codes;
}

}  // namespace vant::printing
