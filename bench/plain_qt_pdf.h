// The yardstick for printing: a plain QPainter on QPdfWriter program that draws the same
// text, box, line and circle marks on the same A4 pages at the PDF printer's 600 dpi, in
// the same fonts, and writes the PDF file; as any program drawing many texts in a few fonts
// would, it makes each font and its metrics once. Barcodes are not part of it.
#pragma once

#include <filesystem>
#include <vector>

#include "marks.h"

namespace vant::bench {

// Returns the number of pages written to path.
int WritePlainQtPdf(const std::vector<MarkedPage>& pages, const std::filesystem::path& path);

}  // namespace vant::bench
