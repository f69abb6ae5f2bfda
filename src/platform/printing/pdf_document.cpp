#include "platform/printing/pdf_document.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

#include <cmath>
#include <stdexcept>

#include "common/failure.h"
#include "platform/qt/qt_fonts.h"

namespace vant::printing {
namespace {

QPageLayout QtLayout(const PdfPageLayout& layout) {
  const QPageSize size(QSizeF(layout.sheetWidthMm, layout.sheetHeightMm), QPageSize::Millimeter);
  return QPageLayout(size, layout.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

constexpr double kPointsPerMm = 72.0 / 25.4;

// The page's sheet as the writer writes it (whole points) and as it is.
PdfPageBox PageBoxOf(const PdfPageLayout& layout) {
  const QSizeF portrait(layout.sheetWidthMm * kPointsPerMm, layout.sheetHeightMm * kPointsPerMm);
  return {QSizeF(QtLayout(layout).fullRectPoints().size()), layout.landscape ? portrait.transposed() : portrait};
}

}  // namespace

PdfDocument::PdfDocument(double dpiX, double dpiY, const Text& title)
    : resolution_(static_cast<int>(std::lround(dpiX))), dpiY_(dpiY), title_(title), buffer_(&bytes_) {
  if (resolution_ < 1 || !(dpiY_ > 0)) throw std::invalid_argument("PdfDocument: resolution");
}

PdfDocument::~PdfDocument() {
  // The painter ends before the writer it paints on goes away.
  if (painter_ && painter_->isActive()) painter_->end();
}

void PdfDocument::PrepareWriter(const PdfPageLayout& layout) {
  if (!buffer_.open(QIODevice::WriteOnly)) {
    throw Failure(u"PDF の作成を開始できません。");
  }
  writer_ = std::make_unique<QPdfWriter>(&buffer_);
  // The writer's unit is the device pixel across; a device with another vertical density
  // is scaled on the painter.
  writer_->setResolution(resolution_);
  writer_->setCreator(QStringLiteral("Vant3"));
  writer_->setTitle(qt::ToQString(title_));
  writer_->setPageLayout(QtLayout(layout));
}

qt::PaintTarget PdfDocument::StartPage(const PdfPageLayout& layout) {
  if (finished_) throw std::logic_error("PdfDocument: page started after Finish");
  if (!writer_) {
    PrepareWriter(layout);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(writer_.get())) throw Failure(u"PDF のページを開始できません。");
  } else {
    // The new layout applies from the page that newPage starts.
    writer_->setPageLayout(QtLayout(layout));
    if (!writer_->newPage()) throw Failure(u"PDF のページを開始できません。");
  }
  ++pages_;
  pageBoxes_.push_back(PageBoxOf(layout));
  // The writer puts the page's top edge at its whole-point height; the sheet's top is at
  // its exact height (Finish writes that size), so the painting moves down by the
  // difference.
  const PdfPageBox& box = pageBoxes_.back();
  const double topShiftPx = (box.written.height() - box.exact.height()) * resolution_ / 72.0;
  const double yScale = static_cast<double>(resolution_) / dpiY_;
  painter_->resetTransform();
  painter_->setClipping(false);
  if (yScale != 1.0) painter_->scale(1.0, yScale);
  // The printable corner goes to the marks, not on the painter (qt::PaintTarget).
  const QPointF origin(layout.offsetXPx, layout.offsetYPx + topShiftPx / yScale);
  painter_->setClipRect(QRectF(origin, QSizeF(layout.printableWidthPx, layout.printableHeightPx)));
  return {*painter_, origin};
}

QByteArray PdfDocument::Finish() {
  if (finished_) throw std::logic_error("PdfDocument: finished twice");
  finished_ = true;
  if (painter_ && painter_->isActive() && !painter_->end()) {
    throw Failure(u"PDF を完成できません。");
  }
  painter_.reset();
  writer_.reset();
  buffer_.close();
  WriteExactPageBoxes(bytes_, pageBoxes_);
  return bytes_;
}

}  // namespace vant::printing
