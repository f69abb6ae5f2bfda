#include "job_media.h"

#include <cups/cups.h>

#include <stdexcept>

namespace vant::test::cups {
namespace {

// The value after "name=" at the top level of a collection's text "{a=1 b={c=2} ...}".
std::optional<std::string> TopLevelMember(std::string_view text, std::string_view name) {
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '{') {
      ++depth;
      continue;
    }
    if (c == '}') {
      --depth;
      continue;
    }
    const bool starts = depth == 1 && (text[i - 1] == '{' || text[i - 1] == ' ');
    if (!starts || text.compare(i, name.size(), name) != 0 || i + name.size() >= text.size() ||
        text[i + name.size()] != '=') {
      continue;
    }
    size_t end = i + name.size() + 1;
    int inner = 0;
    for (; end < text.size(); ++end) {
      if (text[end] == '{') ++inner;
      if (text[end] == '}') {
        if (inner == 0) break;
        --inner;
        if (inner == 0) {
          ++end;
          break;
        }
      }
      if (text[end] == ' ' && inner == 0) break;
    }
    return std::string(text.substr(i + name.size() + 1, end - i - name.size() - 1));
  }
  return std::nullopt;
}

int Dimension(const std::string& size, std::string_view name, const FinishedJob& job) {
  const auto value = TopLevelMember(size, name);
  if (!value) throw std::runtime_error("job " + std::to_string(job.id) + ": media-size without " + std::string(name));
  return std::stoi(*value);
}

}  // namespace

std::optional<std::string> MediaColMember(const FinishedJob& job, std::string_view member) {
  const auto col = job.attributes.find("media-col");
  if (col == job.attributes.end()) return std::nullopt;
  return TopLevelMember(col->second, member);
}

std::string JobSheetName(const FinishedJob& job) {
  const auto size = MediaColMember(job, "media-size");
  if (!size) throw std::runtime_error("job " + std::to_string(job.id) + " asked for no media-size");
  pwg_media_t* pwg = pwgMediaForSize(Dimension(*size, "x-dimension", job), Dimension(*size, "y-dimension", job));
  if (pwg == nullptr || pwg->pwg == nullptr) throw std::runtime_error("job " + std::to_string(job.id) + ": no name for " + *size);
  return pwg->pwg;
}

}  // namespace vant::test::cups
