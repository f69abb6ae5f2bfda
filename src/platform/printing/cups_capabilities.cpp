#include "platform/printing/cups_capabilities.h"

#include <optional>
#include <set>
#include <string>
#include <vector>
#include <span>
#include <string_view>

#include "common/failure.h"
#include "engine/papers.h"
#include "engine/printer.h"
#include "engine/setting_values.h"
#include "platform/printing/cups_media.h"
#include "platform/printing/queue_ppd.h"

namespace vant::printing {
namespace {

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
  ipp_attribute_t* res = d.Default("printer-resolution");
  if (res == nullptr || ippGetValueTag(res) != IPP_TAG_RESOLUTION) res = d.Supported("printer-resolution");
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

// A name the destination gives for its default sheet; empty when it gives none ("unknown"
// is what the server says of a PPD's custom default size).
std::string NamedDefault(const CupsDestination& d) {
  // The user's saved choice (lpoptions) comes first.
  std::string keyword = d.Option("media");
  if (keyword.empty()) {
    if (ipp_attribute_t* media = d.Default("media")) {
      const char* value = ippGetString(media, 0, nullptr);
      if (value != nullptr) keyword = value;
    }
  }
  return keyword == "unknown" ? std::string() : keyword;
}

// The destination's default sheet: the name it gives, else the size its media-col-default
// gives, else the PPD's own default (a custom size the server cannot name).
std::optional<PrinterMedia> DefaultMedia(const CupsDestination& d, const std::vector<MediaEntry>& entries,
                                         std::string& asked) {
  asked = NamedDefault(d);
  if (!asked.empty()) return FindMedia(entries, asked);
  if (ipp_attribute_t* col = d.Default("media-col"); col != nullptr && ippGetValueTag(col) == IPP_TAG_BEGIN_COLLECTION) {
    ipp_attribute_t* size = ippFindAttribute(ippGetCollection(col, 0), "media-size", IPP_TAG_BEGIN_COLLECTION);
    ipp_t* dims = size != nullptr ? ippGetCollection(size, 0) : nullptr;
    ipp_attribute_t* x = dims != nullptr ? ippFindAttribute(dims, "x-dimension", IPP_TAG_INTEGER) : nullptr;
    ipp_attribute_t* y = dims != nullptr ? ippFindAttribute(dims, "y-dimension", IPP_TAG_INTEGER) : nullptr;
    if (x != nullptr && y != nullptr) {
      pwg_media_t* pwg = pwgMediaForSize(ippGetInteger(x, 0), ippGetInteger(y, 0));
      if (pwg != nullptr && pwg->pwg != nullptr) {
        asked = pwg->pwg;
        return FindMedia(entries, asked);
      }
    }
  }
  if (const auto ppd = FetchQueuePpd(d); ppd && !ppd->defaultPageSize.empty()) {
    asked = ppd->defaultPageSize;
    return FindMedia(entries, asked);
  }
  return std::nullopt;
}

void ReadPapers(const CupsDestination& d, PrinterCapabilities& caps) {
  const std::vector<MediaEntry> entries = ReadMediaEntries(d);
  for (const PaperSheet& sheet : kPaperSheets) {
    if (auto media = FindMedia(entries, std::string(sheet.media))) {
      caps.papers.emplace(sheet.code, MediaLaidAs(sheet, *media));
    }
  }
  std::string asked;
  const std::optional<PrinterMedia> found = DefaultMedia(d, entries, asked);
  if (!found) {
    const Text reason = asked.empty() ? Text(u"プリンターが既定の用紙を知らせません。")
                                      : u"「" + FromUtf8(asked) + u"」はこのプリンターの用紙にありません。";
    throw Failure(u"プリンター「" + caps.name + u"」の既定の用紙を取得できません: " + reason);
  }
  caps.defaultMedia = *found;
  caps.defaultPaper = kPaperUser;
  // The first code that stands for the default sheet: Letter is 1, A4 is 9.
  for (const auto& [code, media] : caps.papers) {
    if (media.server == caps.defaultMedia.server) {
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
  InsertSupportedEnums(d.Supported("orientation-requested"), kOrientations, caps.orientations);

  InsertSupportedEnums(d.Supported("print-quality"), kPrintQualities, caps.qualities);
  if (ipp_attribute_t* quality = d.Default("print-quality")) {
    if (const SettingValue* row = RowForIpp(kPrintQualities, ippGetInteger(quality, 0))) {
      caps.defaultQuality = row->code;
    }
  }

  // Each bin as the first of its keywords the destination lists.
  ipp_attribute_t* sources = d.Supported("media-source");
  for (const SettingValue& bin : kPaperBins) {
    for (const std::string_view source : bin.ippKeywords) {
      if (!source.empty() && SupportsKeyword(sources, source)) {
        caps.bins.emplace(bin.code, std::string(source));
        break;
      }
    }
  }
  ReadDefaultKeyword(d.Default("media-source"), kPaperBins, caps.defaultBin);

  ipp_attribute_t* modes = d.Supported("print-color-mode");
  for (const SettingValue& mode : kColourModes) {
    if (SupportsKeyword(modes, mode.ippKeywords[0])) caps.colourModes.insert(mode.code);
  }
  caps.defaultColour = caps.colourModes.contains(kColour) ? kColour : kMonochrome;
  ReadDefaultKeyword(d.Default("print-color-mode"), kColourModes, caps.defaultColour);
}

}  // namespace

PrinterCapabilities ReadCupsCapabilities(const CupsDestination& destination) {
  PrinterCapabilities caps;
  caps.name = FromUtf8(destination.Name());
  caps.description = FromUtf8(destination.Option("printer-info"));
  ReadResolution(destination, caps);
  ReadPapers(destination, caps);
  ReadChoices(destination, caps);
  return caps;
}

}  // namespace vant::printing
