#include "platform/printing/cups_media.h"

#include <cups/cups.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace vant::printing {
namespace {

// How far a listed size may be from a standard one it stands for, as the print server
// matches them: hundredths of a millimetre.
constexpr int32_t kCloseSize = 176;
constexpr double kHundredthsPerMm = 100;

bool IsCustomName(std::string_view name) {
  return name.starts_with("custom_") || name.starts_with("Custom.");
}

// The size a name stands for, hundredths of a millimetre; nothing for a name that is none.
std::optional<std::pair<int32_t, int32_t>> SizeOfName(const std::string& name) {
  pwg_media_t* pwg = pwgMediaForPWG(name.c_str());
  if (pwg == nullptr) pwg = pwgMediaForPPD(name.c_str());
  if (pwg == nullptr) pwg = pwgMediaForLegacy(name.c_str());
  if (pwg == nullptr || pwg->width <= 0 || pwg->length <= 0) return std::nullopt;
  return std::pair<int32_t, int32_t>{pwg->width, pwg->length};
}

// A borderless twin has no strips: the entry with strips, the smallest, is the sheet.
long long StripRank(const ServerMedia& m) {
  const long long sum = static_cast<long long>(m.left) + m.top + m.right + m.bottom;
  return sum == 0 ? LLONG_MAX : sum;
}

PrinterMedia MediaOf(const std::string& name, const ServerMedia& server) {
  PrinterMedia media;
  media.keyword = name;
  media.server = server;
  media.sheet = SheetMm{server.width / kHundredthsPerMm, server.length / kHundredthsPerMm,
                        server.left / kHundredthsPerMm,  server.top / kHundredthsPerMm,
                        server.right / kHundredthsPerMm, server.bottom / kHundredthsPerMm};
  return media;
}

const MediaEntry* Exact(const std::vector<MediaEntry>& entries, int32_t width, int32_t length) {
  const MediaEntry* best = nullptr;
  for (const MediaEntry& e : entries) {
    if (e.range || e.media.width != width || e.media.length != length) continue;
    if (best == nullptr || StripRank(e.media) < StripRank(best->media)) best = &e;
  }
  return best;
}

const MediaEntry* Close(const std::vector<MediaEntry>& entries, int32_t width, int32_t length) {
  const MediaEntry* best = nullptr;
  long long bestDistance = 0;
  for (const MediaEntry& e : entries) {
    const int32_t dw = std::abs(e.media.width - width), dl = std::abs(e.media.length - length);
    if (e.range || dw > kCloseSize || dl > kCloseSize) continue;
    const long long distance = static_cast<long long>(dw) + dl;
    if (best == nullptr || distance < bestDistance ||
        (distance == bestDistance && StripRank(e.media) < StripRank(best->media))) {
      best = &e;
      bestDistance = distance;
    }
  }
  return best;
}

const MediaEntry* CustomRange(const std::vector<MediaEntry>& entries, int32_t width, int32_t length) {
  for (const MediaEntry& e : entries) {
    if (e.range && width >= e.minWidth && width <= e.maxWidth && length >= e.minLength &&
        length <= e.maxLength) {
      return &e;
    }
  }
  return nullptr;
}

// The smallest strip a *-margin-supported attribute lists.
int32_t SmallestMargin(const CupsDestination& d, const char* option) {
  ipp_attribute_t* attr = d.Supported(option);
  if (attr == nullptr || ippGetValueTag(attr) != IPP_TAG_INTEGER) return 0;
  int32_t smallest = INT32_MAX;
  for (int i = 0; i < ippGetCount(attr); ++i) smallest = std::min(smallest, ippGetInteger(attr, i));
  return smallest == INT32_MAX ? 0 : smallest;
}

// The range of custom sizes from media-supported's custom_min_ and custom_max_ names, with
// the smallest strips the destination lists (a PPD's HWMargins).
std::optional<MediaEntry> CustomSizes(const CupsDestination& d) {
  ipp_attribute_t* names = d.Supported("media");
  if (names == nullptr) return std::nullopt;
  std::pair<int32_t, int32_t> smallest{}, largest{};
  bool haveSmallest = false, haveLargest = false;
  for (int i = 0; i < ippGetCount(names); ++i) {
    const char* name = ippGetString(names, i, nullptr);
    if (name == nullptr) continue;
    const std::string_view n(name);
    const auto size = SizeOfName(name);
    if (!size) continue;
    if (n.starts_with("custom_min_")) smallest = *size, haveSmallest = true;
    if (n.starts_with("custom_max_")) largest = *size, haveLargest = true;
  }
  if (!haveSmallest || !haveLargest) return std::nullopt;
  MediaEntry range;
  range.range = true;
  range.minWidth = smallest.first, range.maxWidth = largest.first;
  range.minLength = smallest.second, range.maxLength = largest.second;
  range.media.width = range.minWidth, range.media.length = range.minLength;
  range.media.left = SmallestMargin(d, "media-left-margin");
  range.media.top = SmallestMargin(d, "media-top-margin");
  range.media.right = SmallestMargin(d, "media-right-margin");
  range.media.bottom = SmallestMargin(d, "media-bottom-margin");
  return range;
}

}  // namespace

std::optional<PrinterMedia> FindMedia(const std::vector<MediaEntry>& entries, const std::string& name) {
  const auto size = SizeOfName(name);
  if (!size) return std::nullopt;
  const auto [width, length] = *size;
  if (const MediaEntry* exact = Exact(entries, width, length)) return MediaOf(name, exact->media);
  const MediaEntry* close = Close(entries, width, length);
  const MediaEntry* custom = CustomRange(entries, width, length);
  const auto madeToSize = [&](const MediaEntry& range) {
    ServerMedia media = range.media;
    media.width = width;
    media.length = length;
    PrinterMedia made = MediaOf(name, media);
    made.custom = true;
    return made;
  };
  if (IsCustomName(name)) {
    // Never a stock of another size in its place.
    if (custom != nullptr) return madeToSize(*custom);
  } else {
    if (close != nullptr) return MediaOf(name, close->media);
    if (custom != nullptr) return madeToSize(*custom);
  }
  return std::nullopt;
}

std::vector<MediaEntry> ReadMediaEntries(const CupsDestination& destination) {
  std::vector<MediaEntry> entries;
  // The sizes of the destination's information as libcups lists them (no request is made).
  const int count = cupsGetDestMediaCount(destination.Http(), destination.Dest(), destination.Info(),
                                          CUPS_MEDIA_FLAGS_DEFAULT);
  for (int i = 0; i < count; ++i) {
    cups_size_t size{};
    if (!cupsGetDestMediaByIndex(destination.Http(), destination.Dest(), destination.Info(), i,
                                 CUPS_MEDIA_FLAGS_DEFAULT, &size) ||
        size.width <= 0 || size.length <= 0) {
      continue;
    }
    MediaEntry entry;
    entry.media = ServerMedia{size.width, size.length, size.left, size.top, size.right, size.bottom};
    entries.push_back(entry);
  }
  if (auto custom = CustomSizes(destination)) entries.push_back(*custom);
  return entries;
}

}  // namespace vant::printing
