// One printer document being painted: a PDF written in memory by QPdfWriter, page by page.
// Nothing reaches a file or a server until the document is finished and handed on, so an
// abandoned document leaves nothing behind.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QPdfWriter>

#include <memory>
#include <vector>

#include "common/text.h"
#include "platform/printing/pdf_page_boxes.h"
#include "platform/qt/qt_painter_device.h"

namespace vant::printing {

// The layout of one page: the whole sheet is the PDF page; painting is translated to the
// printable area's top-left corner and clipped to it.
struct PdfPageLayout {
  double sheetWidthMm = 0;   // portrait
  double sheetHeightMm = 0;  // portrait
  bool landscape = false;
  // The painter origin on the page, device pixels: on the printer's dot grid, within half a
  // dot of the printable area's corner (device_grid.h).
  double offsetXPx = 0;
  double offsetYPx = 0;
  double printableWidthPx = 0;
  double printableHeightPx = 0;
};

class PdfDocument {
 public:
  // Device pixels of dpiX by dpiY dots per inch; title is the PDF's title.
  PdfDocument(double dpiX, double dpiY, const Text& title);
  ~PdfDocument();
  PdfDocument(const PdfDocument&) = delete;
  PdfDocument& operator=(const PdfDocument&) = delete;

  // Starts the next page in this layout (the first page starts the document) and returns
  // the painter on it, in device pixels, with the printable area's corner on it.
  qt::PaintTarget StartPage(const PdfPageLayout& layout);
  int PageCount() const { return pages_; }

  // Completes the document and returns the PDF file's bytes, each page exactly the size
  // of its sheet. The document takes no more pages afterwards.
  QByteArray Finish();

 private:
  void PrepareWriter(const PdfPageLayout& layout);

  int resolution_;  // writer units per inch: the horizontal device density
  double dpiY_;
  Text title_;
  QByteArray bytes_;
  QBuffer buffer_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  int pages_ = 0;
  std::vector<PdfPageBox> pageBoxes_;  // each page's sheet, as written and as it is
  bool finished_ = false;
};

}  // namespace vant::printing
