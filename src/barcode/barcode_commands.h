// The barcode commands in the preview: recording a method's symbol for the page being
// built, and rendering a recorded symbol onto a preview page. On paper a symbol is painted
// by DrawSymbol (barcode_fields.h).
#pragma once

#include <cstdint>

#include "barcode/barcode_fields.h"
#include "engine/page_record.h"
#include "engine/picture_box.h"
#include "engine/printer.h"

namespace vant {

// Preview building: converts position and size to preview pixels, marks the page shown and
// returns what is to be recorded. Nothing is encoded or validated here.
BarcodeFields RecordBarcode(const Printer& printer, DrawTarget& picture, PageRec& page,
                            const BarcodeFields& fields);

// Rendering a recorded symbol onto a preview page through the scratch box; refused data
// leaves the cleared scratch box (a white area) and no message.
void RenderBarcode(Symbology symbology, const BarcodeFields& mark, const PageRec& page,
                   PictureBox& picture, PictureBox& scratch);

}  // namespace vant
