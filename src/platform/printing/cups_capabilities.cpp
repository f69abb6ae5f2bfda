#include "platform/printing/cups_capabilities.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>
#include <string_view>

#include "common/failure.h"
#include "engine/papers.h"
#include "engine/printer.h"
#include "engine/printer_setting.h"
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

// The code of the value row the destination's default names: an enum or a keyword, as the
// setting's job sends it.
const SettingValue* DefaultValue(ipp_attribute_t* given, const PrinterSettingRow& row) {
  if (given == nullptr) return nullptr;
  if (row.jobValue == JobValueKind::kEnum) return RowForIpp(row.values, ippGetInteger(given, 0));
  const char* keyword = ippGetString(given, 0, nullptr);
  return keyword != nullptr ? RowForIpp(row.values, keyword) : nullptr;
}

// What the destination takes for a setting, by the IPP attribute its job sends: the values
// whose enum, or whose first keyword, the attribute's "-supported" lists; a paper bin as the
// first of its keywords the destination lists, which the job then names.
SettingChoices ReadSettingChoices(const CupsDestination& d, const PrinterSettingRow& row) {
  const std::string attribute(row.jobAttribute);
  ipp_attribute_t* supported = d.Supported(attribute.c_str());
  SettingChoices choices;
  for (const SettingValue& value : row.values) {
    switch (row.jobValue) {
      case JobValueKind::kEnum:
        if (SupportsInteger(supported, value.ippEnum)) choices.codes.emplace(value.code, "");
        break;
      case JobValueKind::kKeyword:
        if (SupportsKeyword(supported, value.ippKeywords[0])) choices.codes.emplace(value.code, "");
        break;
      case JobValueKind::kQueueKeyword:
        for (const std::string_view keyword : value.ippKeywords) {
          if (!keyword.empty() && SupportsKeyword(supported, keyword)) {
            choices.codes.emplace(value.code, std::string(keyword));
            break;
          }
        }
        break;
      case JobValueKind::kMedia: throw std::logic_error("the sheet is read with the papers");
    }
  }
  choices.defaultCode = StartCode(row, choices);
  if (row.readsServerDefault) {
    if (const SettingValue* given = DefaultValue(d.Default(attribute.c_str()), row)) choices.defaultCode = given->code;
  }
  return choices;
}

}  // namespace

PrinterCapabilities ReadCupsCapabilities(const CupsDestination& destination) {
  PrinterCapabilities caps;
  caps.name = FromUtf8(destination.Name());
  caps.description = FromUtf8(destination.Option("printer-info"));
  ReadResolution(destination, caps);
  ReadPapers(destination, caps);
  for (const PrinterSettingRow& row : PrinterSettingRows()) {
    if (row.jobValue != JobValueKind::kMedia) caps.Choices(row.id) = ReadSettingChoices(destination, row);
  }
  return caps;
}

}  // namespace vant::printing
