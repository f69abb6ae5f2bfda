// "prnbox", "prnline" and "prncircle": shapes with a line width (device pixels), a line
// style and a colour; drawn on paper, or recorded for the preview scaled to its pixels.
#pragma once

#include <cstdint>

#include "common/method_rec.h"
#include "engine/page_record.h"
#include "engine/preview_marks.h"
#include "engine/printer.h"

namespace vant {

// "solid".."insidesolid" or "0".."6", lower-cased and compared whole; anything else is 0.
int16_t ParseLineStyle(TextView text);

using BoxArgs = ShapeValues;  // prnbox and prnline
using CircleArgs = CircleValues;

BoxArgs ReadBoxArgs(const MethodRec& method);
CircleArgs ReadCircleArgs(const MethodRec& method);

// Each step on its own, a refused one skipped: DrawWidth, DrawStyle, ForeColor (box and
// line), then the shape. A preview page replays its recorded shapes with the same routines.
void DrawBox(DrawTarget& target, const BoxArgs& args);
void DrawLine(DrawTarget& target, const BoxArgs& args);
void DrawCircle(DrawTarget& target, const CircleArgs& args);

// The preview line width: picture pixels in 2 mm over printer pixels in 1 mm, times the
// width, ties to even; at least 1.
int16_t ScaleDrawWidth(int16_t lineWidth, const DrawTarget& picture, const Printer& printer);

// The preview paths: the values converted to preview pixels, the page marked shown from
// the first point, and what is to be recorded returned. Box and line convert alike.
ShapeValues RecordShape(const Printer& printer, DrawTarget& picture, PageRec& page, const BoxArgs& args);
CircleValues RecordCircle(const Printer& printer, DrawTarget& picture, PageRec& page, const CircleArgs& args);

}  // namespace vant
