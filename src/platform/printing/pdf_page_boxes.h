// The exact sheet size in a PDF that the Qt writer made. The writer gives each page's
// MediaBox (and TrimBox) in whole points (A4 as 595 x 842 instead of 595.28 x 841.89) and
// places the page's content from that whole-point height; the sheet must be the paper's
// own size.
#pragma once

#include <QByteArray>
#include <QSizeF>

#include <vector>

namespace vant::printing {

// A page of the document: its sheet as the writer wrote it (whole points) and as it is.
struct PdfPageBox {
  QSizeF written;  // points
  QSizeF exact;    // points
};

// Writes each page's exact size into its MediaBox and TrimBox, page by page in order,
// in place: the new numbers take no more room than the writer's fixed-point ones, so the
// file's cross-reference offsets stay right. A box that is not the size the writer was
// given, or a page count that differs, is a fault of the writer's format: std::logic_error.
void WriteExactPageBoxes(QByteArray& pdf, const std::vector<PdfPageBox>& pages);

}  // namespace vant::printing
