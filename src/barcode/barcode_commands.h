// The barcode branch of the drawing dispatch: printing, preview building and rendering a
// preview copy, for "prnjan13", "prnjan8", "prnnw7" and "prncode39".
#pragma once

#include <cstdint>
#include <optional>

#include "common/method_rec.h"
#include "engine/page_record.h"
#include "engine/picture_box.h"
#include "engine/printer_object.h"

namespace vant {

// command is field 0, lower-cased.
bool IsBarcodeCommand(TextView command);

// Printing: reads the fields and calls the command's encoder on the printer. Returns the
// encoder's refusal of the data; nothing when the symbol was painted.
std::optional<Text> PrintBarcode(TextView command, const MethodRec& method, DrawTarget& printer);

// Preview building: converts position and size, marks the page shown, appends the copy.
// Nothing is encoded or validated here.
void RecordBarcode(TextView command, const MethodRec& method, const Printer& printer,
                   DrawTarget& picture, PageRec& page);

// Rendering a copy onto a preview page through the scratch box; refused data leaves the
// cleared scratch box (a white area) and no message.
void RenderBarcode(TextView command, const MethodRec& copy, const PageRec& page,
                   PictureBox& picture, PictureBox& scratch);

}  // namespace vant
