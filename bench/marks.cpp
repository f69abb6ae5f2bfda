#include "marks.h"

#include <array>
#include <cstdio>
#include <random>
#include <stdexcept>

namespace vant::bench {
namespace {

// The printable area of the PDF printer's A4 sheet, millimetres.
constexpr double kSheetWidthMm = 210, kSheetHeightMm = 297;

constexpr std::array<const char*, 8> kTextPieces{
    "請求書", "株式会社サンプル商事 御中", "合計金額 ¥", "品番 A-", "納品日 2026年12月",
    "数量", "東京都千代田区丸の内 1-", "Invoice No. "};
static_assert(kTextPieces.size() == 8, "one piece per text slot of a row");

constexpr std::array<int32_t, 4> kColours{0, 255, 128 * 65536, 0};

std::string Number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", v);
  return buffer;
}

std::string Jan13Data(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "4901234%05d", n % 100000);  // 12 digits
  return buffer;
}

std::string Nw7Data(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "A%08dB", n);
  return buffer;
}

Mark MakeText(std::mt19937& random, int serial, double x, double y) {
  const bool mincho = serial % 2 == 0;
  Mark mark{std::in_place_type<TextMark>};
  auto& t = std::get<TextMark>(mark);
  t.xMm = x;
  t.yMm = y;
  t.text = std::string(kTextPieces[static_cast<size_t>(serial) % kTextPieces.size()]) +
           std::to_string(random() % 100000);
  t.font = mincho ? kMinchoFont : kGothicFont;
  t.points = 8 + static_cast<int>(random() % 7);
  t.italic = serial % 7 == 3;
  t.bold = serial % 5 == 1;
  t.colour = kColours[static_cast<size_t>(serial) % kColours.size()];
  return mark;
}

StrokeMark MakeStroke(std::mt19937& random, bool box) {
  StrokeMark s;
  s.box = box;
  s.x1Mm = 10 + static_cast<double>(random() % 1700) / 10;
  s.y1Mm = 10 + static_cast<double>(random() % 2600) / 10;
  s.x2Mm = s.x1Mm + static_cast<double>(random() % 300) / 10;
  s.y2Mm = s.y1Mm + static_cast<double>(random() % 200) / 10;
  s.widthPx = 1 + static_cast<int>(random() % 6);
  s.colour = kColours[random() % kColours.size()];
  return s;
}

CircleMark MakeCircle(std::mt19937& random) {
  return CircleMark{30 + static_cast<double>(random() % 1500) / 10,
                    30 + static_cast<double>(random() % 2400) / 10,
                    3 + static_cast<int>(random() % 20), 1 + static_cast<int>(random() % 4),
                    kColours[random() % kColours.size()]};
}

const char* SymbologyCommand(Symbology s) {
  switch (s) {
    case Symbology::kJan13: return "prnjan13";
    case Symbology::kNw7: return "prnnw7";
    case Symbology::kCode39: return "prncode39";
  }
  throw std::logic_error("unknown symbology");
}

const char* Flag(bool v) { return v ? "true" : "false"; }

}  // namespace

std::vector<MarkedPage> DrawingPages(int pages, int marksPerPage) {
  std::mt19937 random(20261208);
  const int texts = marksPerPage * 2 / 5;
  const int circles = marksPerPage / 10;
  std::vector<MarkedPage> result(static_cast<size_t>(pages));
  int serial = 0;
  for (auto& page : result) {
    for (int i = 0; i < texts; ++i, ++serial) {
      page.push_back(MakeText(random, serial, 15 + (i % 2) * 95, 15 + (i / 2) * 13.0));
    }
    for (int i = texts; i < marksPerPage - circles; ++i) page.emplace_back(MakeStroke(random, i % 2 == 0));
    for (int i = 0; i < circles; ++i) page.emplace_back(MakeCircle(random));
  }
  return result;
}

MarkedPage DensePage() {
  std::mt19937 random(4);
  MarkedPage page;
  for (int i = 0; i < 60; ++i) page.push_back(MakeText(random, i, 12 + (i % 3) * 65, 12 + (i / 3) * 13.5));
  for (int i = 0; i < 100; ++i) page.emplace_back(MakeStroke(random, i % 2 == 0));
  for (int i = 0; i < 4; ++i) page.emplace_back(MakeCircle(random));
  page.push_back(BarcodeMark{Symbology::kJan13, 20, 250, Jan13Data(1), 40, 15, true});
  page.push_back(BarcodeMark{Symbology::kJan13, 120, 250, Jan13Data(2), 40, 15, true});
  page.push_back(BarcodeMark{Symbology::kNw7, 20, 272, Nw7Data(3), 50, 10, true});
  page.push_back(BarcodeMark{Symbology::kCode39, 120, 272, "VANT-39", 60, 10, true});
  return page;
}

std::vector<MarkedPage> LabelPages(int count) {
  constexpr int kAcross = 2, kDown = 10;
  constexpr double kLabelWidthMm = kSheetWidthMm / kAcross, kLabelHeightMm = kSheetHeightMm / kDown;
  std::vector<MarkedPage> pages;
  for (int label = 0; label < count; ++label) {
    const int onPage = label % (kAcross * kDown);
    if (onPage == 0) pages.emplace_back();
    const double x = 8 + (onPage % kAcross) * kLabelWidthMm;
    const double y = 3 + (onPage / kAcross) * kLabelHeightMm;
    pages.back().push_back(BarcodeMark{Symbology::kJan13, x, y, Jan13Data(label), 40, 13, true});
    pages.back().push_back(BarcodeMark{Symbology::kNw7, x + 45, y, Nw7Data(label), 45, 13, true});
  }
  return pages;
}

std::string MethodLine(const Mark& mark) {
  if (const auto* t = std::get_if<TextMark>(&mark)) {
    return "prntext," + Number(t->xMm) + "," + Number(t->yMm) + "," + t->text + "," + t->font +
           "," + std::to_string(t->points) + "," + Flag(t->italic) + "," + Flag(t->bold) + "," +
           std::to_string(t->colour);
  }
  if (const auto* s = std::get_if<StrokeMark>(&mark)) {
    return std::string(s->box ? "prnbox," : "prnline,") + Number(s->x1Mm) + "," + Number(s->y1Mm) +
           "," + Number(s->x2Mm) + "," + Number(s->y2Mm) + "," + std::to_string(s->widthPx) +
           ",0," + std::to_string(s->colour);
  }
  if (const auto* c = std::get_if<CircleMark>(&mark)) {
    return "prncircle," + Number(c->xMm) + "," + Number(c->yMm) + "," + std::to_string(c->radiusMm) +
           "," + std::to_string(c->widthPx) + ",0," + std::to_string(c->colour);
  }
  const auto& b = std::get<BarcodeMark>(mark);
  std::string line = std::string(SymbologyCommand(b.symbology)) + "," + Number(b.xMm) + "," +
                     Number(b.yMm) + "," + b.data + "," + std::to_string(b.widthMm) + "," +
                     std::to_string(b.heightMm) + "," + Flag(b.showText);
  if (b.symbology != Symbology::kJan13) line += ",true";
  return line;
}

std::vector<std::string> PageMethodLines(const std::vector<MarkedPage>& pages) {
  std::vector<std::string> lines{"papersize,a4", "orientation,1", "scalemode,mm"};
  for (size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) lines.emplace_back("newpage");
    for (const Mark& mark : pages[p]) lines.push_back(MethodLine(mark));
  }
  lines.emplace_back("enddoc");
  return lines;
}

std::vector<std::string> SetupMethodLines(int count) {
  // Twelve methods a round; the paper and orientation alternate between rounds.
  constexpr std::array<const char*, 9> kRound{
      "scalemode,mm", "printquality,vbprpqhigh", "paperbin,vbprbnauto", "colormode,vbprcmcolor",
      "PaperSize,A4", "scalemode,pxl", "printquality,3", "ColorMode,1", "scalemode,vbmillimeters"};
  std::vector<std::string> lines;
  for (int round = 0; static_cast<int>(lines.size()) < count - 1; ++round) {
    lines.emplace_back(round % 2 == 0 ? "papersize,b5" : "papersize,vbprpsa4");
    lines.emplace_back(round % 2 == 0 ? "orientation,2" : "orientation,prorportrait");
    for (size_t i = 0; i + 3 < kRound.size(); ++i) lines.emplace_back(kRound[i]);
    lines.emplace_back("newpage");
    for (size_t i = kRound.size() - 3; i < kRound.size(); ++i) lines.emplace_back(kRound[i]);
  }
  lines.resize(static_cast<size_t>(count - 1));
  lines.emplace_back("enddoc");
  return lines;
}

MarkCounts CountMarks(const std::vector<MarkedPage>& pages) {
  MarkCounts counts;
  for (const auto& page : pages) {
    for (const Mark& mark : page) {
      if (std::holds_alternative<TextMark>(mark)) ++counts.texts;
      if (std::holds_alternative<StrokeMark>(mark)) ++counts.strokes;
      if (std::holds_alternative<CircleMark>(mark)) ++counts.circles;
      if (std::holds_alternative<BarcodeMark>(mark)) ++counts.barcodes;
    }
  }
  return counts;
}

}  // namespace vant::bench
