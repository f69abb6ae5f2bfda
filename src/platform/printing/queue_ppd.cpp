#include "platform/printing/queue_ppd.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

// "NAME/Text:" at the start of a line's rest: the name.
std::string OptionName(std::string_view rest) {
  const size_t end = rest.find_first_of("/:");
  return std::string(rest.substr(0, end));
}

// The numbers of a quoted value, in any locale.
std::vector<double> Numbers(std::string_view text) {
  std::vector<double> numbers;
  const char* at = text.data();
  const char* end = text.data() + text.size();
  while (at < end) {
    while (at < end && (*at == ' ' || *at == '\t' || *at == '"')) ++at;
    double value = 0;
    const auto read = std::from_chars(at, end, value);
    if (read.ec != std::errc()) break;
    numbers.push_back(value);
    at = read.ptr;
  }
  return numbers;
}

// The quoted value after a "*Keyword NAME/Text: " line's colon.
std::string_view QuotedValue(std::string_view line) {
  const size_t colon = line.find(':');
  return colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
}

constexpr double kPtPerMm = 72 / 25.4;

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
      const std::string source = FirstWord(*v2);
      ppd.filterInputs.push_back(source);
      ppd.filterOutputs.push_back(FirstWord(v2->substr(v2->find(source) + source.size())));
    } else if (line.starts_with("*PaperDimension ")) {
      const auto n = Numbers(QuotedValue(line));
      if (n.size() == 2) ppd.paperDimensions[OptionName(line.substr(16))] = {n[0], n[1]};
    } else if (line.starts_with("*ImageableArea ")) {
      const auto n = Numbers(QuotedValue(line));
      if (n.size() == 4) ppd.imageableAreas[OptionName(line.substr(15))] = PpdArea{n[0], n[1], n[2], n[3]};
    } else if (const auto margins = ValueOf(line, "*HWMargins:")) {
      const auto n = Numbers(*margins);
      if (n.size() == 4) ppd.hwMargins = PpdArea{n[0], n[1], n[2], n[3]};
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

PrinterMedia ExactSheet(const QueuePpd& ppd, const PrinterMedia& media) {
  const ServerMedia& m = media.server;
  const SheetMm& sheet = media.sheet;
  // A sheet the program turned (a paper wider than high) keeps the server's figures.
  if (m.width <= 0 || std::abs(sheet.widthMm * 100 - m.width) > 1 || std::abs(sheet.heightMm * 100 - m.length) > 1) {
    return media;
  }
  PrinterMedia exact = media;
  for (const auto& [name, size] : ppd.paperDimensions) {
    const auto area = ppd.imageableAreas.find(name);
    if (area == ppd.imageableAreas.end()) continue;
    // The server measures a PPD's points in hundredths of a millimetre, rounded.
    if (std::abs(size.first / kPtPerMm * 100 - m.width) > 1 || std::abs(size.second / kPtPerMm * 100 - m.length) > 1) {
      continue;
    }
    const PpdArea& a = area->second;
    exact.sheet = SheetMm{size.first / kPtPerMm, size.second / kPtPerMm, a.left / kPtPerMm,
                          (size.second - a.top) / kPtPerMm, (size.first - a.right) / kPtPerMm, a.bottom / kPtPerMm};
    return exact;
  }
  if (ppd.hwMargins) {
    const PpdArea& a = *ppd.hwMargins;
    exact.sheet.leftMm = a.left / kPtPerMm, exact.sheet.bottomMm = a.bottom / kPtPerMm;
    exact.sheet.rightMm = a.right / kPtPerMm, exact.sheet.topMm = a.top / kPtPerMm;
  }
  return exact;
}

GridAnchor AnchorOf(const std::optional<QueuePpd>& ppd) {
  if (!ppd) return GridAnchor::kSheetCorner;
  const auto holds = [](const std::vector<std::string>& formats, std::string_view type) {
    return std::find(formats.begin(), formats.end(), type) != formats.end();
  };
  const auto reads = [&](std::string_view type) { return holds(ppd->filterInputs, type); };
  if (reads("application/vnd.cups-raster") || holds(ppd->filterOutputs, "application/vnd.cups-raster")) {
    return GridAnchor::kPrintableCorner;
  }
  // A filter that takes the job's PDF itself runs before any other: the page arrives as it is.
  if (reads("application/pdf")) return GridAnchor::kPageCorner;
  // A PostScript printer's PPD names no filter, or one fed PostScript.
  if (ppd->filterInputs.empty() || reads("application/vnd.cups-postscript") || reads("application/postscript")) {
    return GridAnchor::kSheetLowerLeft;
  }
  return GridAnchor::kSheetCorner;
}

}  // namespace vant::printing
