#include "platform/printermap/map_text.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/printermap/name_lookup.h"

namespace vant::printermap {
namespace {

enum class Section { kNone, kPrinters, kOptions, kOther };

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// A value ends where a comment starts: "#" or ";" after a blank.
std::string_view WithoutComment(std::string_view value) {
  for (std::size_t i = 1; i < value.size(); ++i) {
    if ((value[i] == '#' || value[i] == ';') && IsBlank(value[i - 1])) return value.substr(0, i);
  }
  return value;
}

// Text that is UTF-8 without control characters: what decodes and encodes back unchanged.
bool IsCleanUtf8(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return false;
    if (c == '\x7f') return false;
  }
  return ToUtf8(FromUtf8(s)) == s;
}

class Reader {
 public:
  explicit Reader(const std::string& file) : file_(file) {}

  void Line(std::string_view raw, uint32_t number) {
    number_ = number;
    if (raw.size() > kMostLineBytes) return Problem(u"行が長すぎます (" + DecimalText(kMostLineBytes) + u" バイトまで)");
    if (!IsCleanUtf8(raw)) return Problem(u"UTF-8 の文字でないバイトか制御文字があります");
    const std::string_view line = Trimmed(raw);
    if (line.empty() || line.front() == '#' || line.front() == ';') return;
    if (line.front() == '[') return SectionLine(line);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return Problem(u"「名前 = 値」の行でも [節] の行でもありません");
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Trimmed(WithoutComment(line.substr(equals + 1)));
    switch (section_) {
      case Section::kNone: return Problem(u"[Printers] か [Options] の前にある行です");
      case Section::kOther: return;  // its section's line was reported
      case Section::kPrinters: return PrinterLine(key, value);
      case Section::kOptions: return OptionLine(key, value);
    }
  }

  PrinterMap Take() { return std::move(map_); }

 private:
  void Problem(Text reason) { map_.problems.push_back({file_, number_, std::move(reason)}); }

  void SectionLine(std::string_view line) {
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos || !Trimmed(WithoutComment(line.substr(close + 1))).empty()) {
      section_ = Section::kOther;
      return Problem(u"節の名前が「]」で閉じられていません");
    }
    const Text name = LowerCase(FromUtf8(Trimmed(line.substr(1, close - 1))));
    if (name == u"printers") {
      section_ = Section::kPrinters;
    } else if (name == u"options") {
      section_ = Section::kOptions;
    } else {
      section_ = Section::kOther;
      Problem(u"知らない節です: [" + FromUtf8(line.substr(1, close - 1)) + u"] (この節の行は使いません)");
    }
  }

  void PrinterLine(std::string_view key, std::string_view value) {
    if (key.empty()) return Problem(u"プリンターの名前がありません");
    if (value.empty()) return Problem(u"「" + FromUtf8(key) + u"」の印刷先のプリンターがありません");
    const Text name = FromUtf8(key);
    const auto [first, added] = lines_.try_emplace(PrinterNameKey(name), number_);
    if (!added) {
      return Problem(u"「" + name + u"」は " + DecimalText(first->second) + u" 行目にもあります (そちらを使います)");
    }
    if (map_.entries.size() >= kMostEntries) {
      return Problem(u"プリンターの行が多すぎます (" + DecimalText(kMostEntries) + u" 行まで)");
    }
    map_.entries.push_back({name, FromUtf8(value), file_, number_});
  }

  void OptionLine(std::string_view key, std::string_view value) {
    if (LowerCase(FromUtf8(key)) != u"unknownprinter") return Problem(u"知らない設定です: " + FromUtf8(key));
    if (unknownLine_ != 0) {
      return Problem(u"UnknownPrinter は " + DecimalText(unknownLine_) +
                     u" 行目にもあります (そちらを使います)");
    }
    const Text lowered = LowerCase(FromUtf8(value));
    if (lowered == u"stop") {
      map_.unknown = UnknownPrinter::kStop;
    } else if (lowered == u"current") {
      map_.unknown = UnknownPrinter::kCurrent;
    } else {
      return Problem(u"UnknownPrinter の値は stop か current です: " + FromUtf8(value));
    }
    unknownLine_ = number_;
  }

  const std::string& file_;
  PrinterMap map_;
  Section section_ = Section::kNone;
  uint32_t number_ = 0;
  uint32_t unknownLine_ = 0;
  std::unordered_map<Text, uint32_t> lines_;  // each name's line, by PrinterNameKey
};

}  // namespace

Text MapProblem::Said() const {
  Text said = FromUtf8(file);
  if (line != 0) said += u":" + DecimalText(line);
  return said + u": " + reason;
}

PrinterMap ReadMapText(std::string_view bytes, const std::string& file) {
  Reader reader(file);
  if (bytes.size() > kMostMapBytes) {
    PrinterMap map;
    map.problems.push_back({file, 0, u"大きすぎるため読みません (1 MiB まで)"});
    return map;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  uint32_t number = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    reader.Line(line, ++number);
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return reader.Take();
}

PrinterMap MergeMaps(PrinterMap administrator, PrinterMap user) {
  PrinterMap merged = std::move(administrator);
  std::unordered_set<Text> given;
  for (const MapEntry& entry : merged.entries) given.insert(PrinterNameKey(entry.name));
  for (MapEntry& entry : user.entries) {
    if (!given.contains(PrinterNameKey(entry.name))) merged.entries.push_back(std::move(entry));
  }
  if (!merged.unknown) merged.unknown = user.unknown;
  for (MapProblem& problem : user.problems) merged.problems.push_back(std::move(problem));
  return merged;
}

}  // namespace vant::printermap
