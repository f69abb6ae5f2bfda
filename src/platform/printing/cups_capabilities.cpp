#include "platform/printing/cups_capabilities.h"

#include <set>
#include <span>
#include <string_view>

#include "common/failure.h"
#include "engine/papers.h"
#include "engine/printer.h"
#include "engine/setting_values.h"

namespace vant::printing {
namespace {

constexpr double kHundredthsPerMm = 100;

PrinterMedia MediaFromSize(const cups_size_t& size) {
  PrinterMedia media;
  media.keyword = size.media;
  media.widthMm = size.width / kHundredthsPerMm;
  media.heightMm = size.length / kHundredthsPerMm;
  media.leftMm = size.left / kHundredthsPerMm;
  media.topMm = size.top / kHundredthsPerMm;
  media.rightMm = size.right / kHundredthsPerMm;
  media.bottomMm = size.bottom / kHundredthsPerMm;
  return media;
}

ipp_attribute_t* Supported(const CupsDestination& d, const char* option) {
  return cupsFindDestSupported(CUPS_HTTP_DEFAULT, d.Dest(), d.Info(), option);
}

ipp_attribute_t* Default(const CupsDestination& d, const char* option) {
  return cupsFindDestDefault(CUPS_HTTP_DEFAULT, d.Dest(), d.Info(), option);
}

bool SupportsInteger(ipp_attribute_t* attr, int value) {
  if (attr == nullptr) return false;
  for (int i = 0; i < ippGetCount(attr); ++i) {
    if (ippGetInteger(attr, i) == value) return true;
  }
  return false;
}

bool SupportsKeyword(ipp_attribute_t* attr, std::string_view value) {
  if (attr == nullptr) return false;
  for (int i = 0; i < ippGetCount(attr); ++i) {
    const char* s = ippGetString(attr, i, nullptr);
    if (s != nullptr && value == s) return true;
  }
  return false;
}

double DotsPerInch(int value, ipp_res_t units) {
  return units == IPP_RES_PER_CM ? value * 2.54 : value;
}

void ReadResolution(const CupsDestination& d, PrinterCapabilities& caps) {
  ipp_attribute_t* res = Default(d, "printer-resolution");
  if (res == nullptr || ippGetValueTag(res) != IPP_TAG_RESOLUTION) res = Supported(d, "printer-resolution");
  if (res == nullptr || ippGetValueTag(res) != IPP_TAG_RESOLUTION || ippGetCount(res) < 1) {
    caps.dpiX = caps.dpiY = kUnreportedDpi;
    return;
  }
  int y = 0;
  ipp_res_t units = IPP_RES_PER_INCH;
  const int x = ippGetResolution(res, 0, &y, &units);
  if (x <= 0 || y <= 0) {
    throw Failure(u"プリンター「" + caps.name + u"」の解像度が不正です。");
  }
  caps.dpiX = DotsPerInch(x, units);
  caps.dpiY = DotsPerInch(y, units);
}

void ReadPapers(const CupsDestination& d, PrinterCapabilities& caps) {
  for (const PaperSheet& sheet : kPaperSheets) {
    cups_size_t size{};
    const std::string name(sheet.media);
    if (cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, d.Dest(), d.Info(), name.c_str(),
                               CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
      caps.papers.emplace(sheet.code, MediaLaidAs(sheet, MediaFromSize(size)));
    }
  }
  // The default sheet: the user's saved choice (lpoptions), else the queue's media-default.
  // (cupsGetDestMediaDefault ignores media-default and answers Letter for an A4 queue.)
  std::string keyword = d.Option("media");
  if (keyword.empty()) {
    if (ipp_attribute_t* media = Default(d, "media")) {
      const char* value = ippGetString(media, 0, nullptr);
      if (value != nullptr) keyword = value;
    }
  }
  cups_size_t size{};
  const bool found = keyword.empty()
      ? cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, d.Dest(), d.Info(), CUPS_MEDIA_FLAGS_DEFAULT, &size)
      : cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, d.Dest(), d.Info(), keyword.c_str(),
                               CUPS_MEDIA_FLAGS_DEFAULT, &size);
  if (!found) {
    throw Failure(u"プリンター「" + caps.name + u"」の既定の用紙を取得できません: " + LastCupsError());
  }
  caps.defaultMedia = MediaFromSize(size);
  caps.defaultPaper = kPaperUser;
  // The first code that stands for the default sheet: Letter is 1, A4 is 9.
  for (const auto& [code, media] : caps.papers) {
    if (media.keyword == caps.defaultMedia.keyword) {
      caps.defaultPaper = code;
      break;
    }
  }
}

// The codes of the rows whose IPP enum the attribute lists.
void InsertSupportedEnums(ipp_attribute_t* supported, std::span<const SettingValue> rows, std::set<int16_t>& codes) {
  for (const SettingValue& row : rows) {
    if (SupportsInteger(supported, row.ippEnum)) codes.insert(row.code);
  }
}

// The code of the row the destination's default keyword stands for.
void ReadDefaultKeyword(ipp_attribute_t* value, std::span<const SettingValue> rows, int16_t& code) {
  const char* keyword = value != nullptr ? ippGetString(value, 0, nullptr) : nullptr;
  if (keyword == nullptr) return;
  if (const SettingValue* row = RowForIpp(rows, keyword)) code = row->code;
}

void ReadChoices(const CupsDestination& d, PrinterCapabilities& caps) {
  InsertSupportedEnums(Supported(d, "orientation-requested"), kOrientations, caps.orientations);

  InsertSupportedEnums(Supported(d, "print-quality"), kPrintQualities, caps.qualities);
  if (ipp_attribute_t* quality = Default(d, "print-quality")) {
    if (const SettingValue* row = RowForIpp(kPrintQualities, ippGetInteger(quality, 0))) {
      caps.defaultQuality = row->code;
    }
  }

  // Each bin as the first of its keywords the destination lists.
  ipp_attribute_t* sources = Supported(d, "media-source");
  for (const SettingValue& bin : kPaperBins) {
    for (const std::string_view source : bin.ippKeywords) {
      if (!source.empty() && SupportsKeyword(sources, source)) {
        caps.bins.emplace(bin.code, std::string(source));
        break;
      }
    }
  }
  ReadDefaultKeyword(Default(d, "media-source"), kPaperBins, caps.defaultBin);

  ipp_attribute_t* modes = Supported(d, "print-color-mode");
  for (const SettingValue& mode : kColourModes) {
    if (SupportsKeyword(modes, mode.ippKeywords[0])) caps.colourModes.insert(mode.code);
  }
  caps.defaultColour = caps.colourModes.contains(kColour) ? kColour : kMonochrome;
  ReadDefaultKeyword(Default(d, "print-color-mode"), kColourModes, caps.defaultColour);
}

}  // namespace

PrinterCapabilities ReadCupsCapabilities(const CupsDestination& destination) {
  PrinterCapabilities caps;
  caps.name = FromUtf8(destination.Name());
  ReadResolution(destination, caps);
  ReadPapers(destination, caps);
  ReadChoices(destination, caps);
  return caps;
}

}  // namespace vant::printing
