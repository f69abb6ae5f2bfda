#include "platform/printing/pdf_page_boxes.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

namespace vant::printing {
namespace {

// Overwrites the number of length bytes at pos with value, in fixed-point notation with
// as many decimals as fit, padded with blanks.
void OverwriteNumber(QByteArray& pdf, qsizetype pos, qsizetype length, double value) {
  for (int decimals = 6; decimals >= 0; --decimals) {
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (written.ec != std::errc()) continue;
    const auto size = static_cast<qsizetype>(written.ptr - buf);
    if (size > length) continue;
    for (qsizetype i = 0; i < length; ++i) pdf[pos + i] = i < size ? buf[i] : ' ';
    return;
  }
  throw std::logic_error("WriteExactPageBoxes: no room for the page size");
}

// The number at pos (up to a blank or "]"): its value, and where it ends.
double ReadNumber(const QByteArray& pdf, qsizetype pos, qsizetype& end) {
  end = pos;
  while (end < pdf.size() && pdf[end] != ' ' && pdf[end] != ']') ++end;
  double value = 0;
  const auto read = std::from_chars(pdf.constData() + pos, pdf.constData() + end, value);
  if (read.ec != std::errc() || read.ptr != pdf.constData() + end) {
    throw std::logic_error("WriteExactPageBoxes: a page box that is not a number");
  }
  return value;
}

// Rewrites every box named key ("/MediaBox [0 0 "), the i-th for the i-th page.
void RewriteBoxes(QByteArray& pdf, const QByteArray& key, const std::vector<PdfPageBox>& pages,
                  bool required) {
  size_t page = 0;
  for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1)) {
    if (page >= pages.size()) throw std::logic_error("WriteExactPageBoxes: more boxes than pages");
    const PdfPageBox& box = pages[page++];
    const qsizetype widthAt = at + key.size();
    qsizetype widthEnd = 0, heightEnd = 0;
    const double width = ReadNumber(pdf, widthAt, widthEnd);
    if (widthEnd >= pdf.size() || pdf[widthEnd] != ' ') {
      throw std::logic_error("WriteExactPageBoxes: a page box without a height");
    }
    const double height = ReadNumber(pdf, widthEnd + 1, heightEnd);
    if (std::fabs(width - box.written.width()) > 1e-3 || std::fabs(height - box.written.height()) > 1e-3) {
      throw std::logic_error("WriteExactPageBoxes: a page box of another size than written");
    }
    OverwriteNumber(pdf, widthAt, widthEnd - widthAt, box.exact.width());
    OverwriteNumber(pdf, widthEnd + 1, heightEnd - widthEnd - 1, box.exact.height());
  }
  if (page != pages.size() && (required || page != 0)) {
    throw std::logic_error("WriteExactPageBoxes: fewer boxes than pages");
  }
}

}  // namespace

void WriteExactPageBoxes(QByteArray& pdf, const std::vector<PdfPageBox>& pages) {
  RewriteBoxes(pdf, QByteArrayLiteral("/MediaBox [0 0 "), pages, /*required=*/true);
  // Only some versions of the writer add a TrimBox.
  RewriteBoxes(pdf, QByteArrayLiteral("/TrimBox [0 0 "), pages, /*required=*/false);
}

}  // namespace vant::printing
