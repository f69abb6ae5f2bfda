#include "plain_qt_pdf.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <compare>
#include <map>
#include <stdexcept>
#include <string>

namespace vant::bench {
namespace {

constexpr int kDpi = 600;
constexpr double kPxPerMm = kDpi / 25.4;
constexpr double kPxPerPoint = kDpi / 72.0;

QColor Colour(int32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

QPen Pen(int32_t colour, int widthPx) {
  QPen pen(Colour(colour), widthPx);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

// A font as the marks ask for it, and what drawing with it needs.
struct FontKey {
  std::string name;
  int points;
  bool italic, bold;
  auto operator<=>(const FontKey&) const = default;
};
struct MadeFont {
  QFont font;
  QFontMetricsF metrics;
};

// Each distinct font made once, with its metrics, as a program drawing many texts in a few
// fonts keeps them. Kept, the metrics also keep Qt's font engines alive: a font whose
// metrics are dropped loses its engines from Qt's cache and has them loaded again (five
// times as many loads on the 350-page list).
class Fonts {
 public:
  explicit Fonts(QPaintDevice& device) : device_(device) {}
  const MadeFont& Of(const TextMark& t) {
    FontKey key{t.font, t.points, t.italic, t.bold};
    auto found = made_.find(key);
    if (found != made_.end()) return found->second;
    QFont font(QString::fromUtf8(t.font));
    font.setPixelSize(static_cast<int>(std::lround(t.points * kPxPerPoint)));
    font.setItalic(t.italic);
    font.setBold(t.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return made_.emplace(std::move(key), MadeFont{font, QFontMetricsF(font, &device_)}).first->second;
  }

 private:
  QPaintDevice& device_;
  std::map<FontKey, MadeFont> made_;
};

void Paint(QPainter& painter, Fonts& fonts, const Mark& mark) {
  if (const auto* t = std::get_if<TextMark>(&mark)) {
    const MadeFont& made = fonts.Of(*t);
    painter.setFont(made.font);
    painter.setPen(Colour(t->colour));
    // The mark's point is the text's top-left corner; QPainter draws at the baseline.
    painter.drawText(QPointF(t->xMm * kPxPerMm, t->yMm * kPxPerMm + made.metrics.ascent()), QString::fromUtf8(t->text));
  } else if (const auto* s = std::get_if<StrokeMark>(&mark)) {
    painter.setPen(Pen(s->colour, s->widthPx));
    painter.setBrush(Qt::NoBrush);
    const QPointF a(s->x1Mm * kPxPerMm, s->y1Mm * kPxPerMm), b(s->x2Mm * kPxPerMm, s->y2Mm * kPxPerMm);
    if (s->box) {
      painter.drawRect(QRectF(a, b));
    } else {
      painter.drawLine(a, b);
    }
  } else if (const auto* c = std::get_if<CircleMark>(&mark)) {
    painter.setPen(Pen(c->colour, c->widthPx));
    painter.setBrush(Qt::NoBrush);
    const double r = c->radiusMm * kPxPerMm;
    painter.drawEllipse(QPointF(c->xMm * kPxPerMm, c->yMm * kPxPerMm), r, r);
  }
}

}  // namespace

int WritePlainQtPdf(const std::vector<MarkedPage>& pages, const std::filesystem::path& path) {
  QByteArray bytes;
  int written = 0;
  {
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) throw std::runtime_error("plain Qt: no PDF buffer");
    QPdfWriter writer(&buffer);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer)) throw std::runtime_error("plain Qt: the PDF painter did not start");
    Fonts fonts(writer);
    for (size_t p = 0; p < pages.size(); ++p) {
      if (p > 0 && !writer.newPage()) throw std::runtime_error("plain Qt: no new page");
      for (const Mark& mark : pages[p]) Paint(painter, fonts, mark);
      ++written;
    }
    if (!painter.end()) throw std::runtime_error("plain Qt: the PDF could not be completed");
  }
  QFile file(QString::fromStdString(path.string()));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    throw std::runtime_error("plain Qt: cannot write " + path.string());
  }
  return written;
}

}  // namespace vant::bench
