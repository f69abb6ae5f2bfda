#include "platform/printing/queue_ppd.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace vant::printing {
namespace {

// A PPD larger than this is no PPD (the largest drivers' PPDs are a few hundred kilobytes).
constexpr long kLargestPpd = 16 * 1024 * 1024;

// The value of a "*Keyword: value" line, quotes taken off; nothing for another keyword.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view keyword) {
  if (!line.starts_with(keyword)) return std::nullopt;
  std::string_view value = line.substr(keyword.size());
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == '\r' || value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return value;
}

std::string FirstWord(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  const size_t end = text.find_first_of(" \t", start);
  return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

struct FileClose {
  void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

QueuePpd ParsePpd(std::string_view text) {
  QueuePpd ppd;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (const auto value = ValueOf(line, "*DefaultPageSize:")) {
      ppd.defaultPageSize = std::string(*value);
    } else if (const auto v1 = ValueOf(line, "*cupsFilter:")) {
      // "TYPE COST PROGRAM": the filter reads TYPE.
      ppd.filterInputs.push_back(FirstWord(*v1));
    } else if (const auto v2 = ValueOf(line, "*cupsFilter2:")) {
      // "SOURCE DESTINATION COST PROGRAM".
      ppd.filterInputs.push_back(FirstWord(*v2));
    }
  }
  return ppd;
}

std::optional<QueuePpd> FetchQueuePpd(const CupsDestination& destination) {
  const std::unique_ptr<FILE, FileClose> file(std::tmpfile());
  if (!file) return std::nullopt;
  const std::string resource = "/printers/" + destination.Name() + ".ppd";
  if (cupsGetFd(destination.Http(), resource.c_str(), fileno(file.get())) != HTTP_STATUS_OK) return std::nullopt;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return std::nullopt;
  const long size = std::ftell(file.get());
  if (size <= 0 || size > kLargestPpd || std::fseek(file.get(), 0, SEEK_SET) != 0) return std::nullopt;
  std::string text(static_cast<size_t>(size), '\0');
  if (std::fread(text.data(), 1, text.size(), file.get()) != text.size()) return std::nullopt;
  return ParsePpd(text);
}

GridAnchor AnchorOf(const std::optional<QueuePpd>& ppd) {
  if (!ppd) return GridAnchor::kSheetCorner;
  const auto reads = [&](std::string_view type) {
    return std::find(ppd->filterInputs.begin(), ppd->filterInputs.end(), type) != ppd->filterInputs.end();
  };
  if (reads("application/vnd.cups-raster")) return GridAnchor::kPrintableCorner;
  // A filter that takes the job's PDF itself runs before any other: the page arrives as it is.
  if (reads("application/pdf")) return GridAnchor::kPageCorner;
  return GridAnchor::kSheetCorner;
}

}  // namespace vant::printing
