// "prnbox", "prnline" and "prncircle": shapes with a line width (device pixels), a line
// style and a colour; drawn on paper, or recorded for the preview scaled to its pixels.
#pragma once

#include <cstdint>

#include "common/method_rec.h"
#include "engine/page_record.h"
#include "engine/printer.h"

namespace vant {

// "solid".."insidesolid" or "0".."6", lower-cased and compared whole; anything else is 0.
int16_t ParseLineStyle(TextView text);

struct BoxArgs {  // prnbox and prnline
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int16_t lineWidth = 0;
  int16_t lineStyle = 0;
  int32_t colour = 0;
};

struct CircleArgs {
  float x = 0, y = 0;
  int16_t radius = 0;
  int16_t lineWidth = 0;
  int16_t lineStyle = 0;
  int32_t colour = 0;
};

BoxArgs ReadBoxArgs(const MethodRec& method);
CircleArgs ReadCircleArgs(const MethodRec& method);

// Each step on its own, a refused one skipped: DrawWidth, DrawStyle, ForeColor (box and
// line), then the shape.
void DrawBox(DrawTarget& target, const BoxArgs& args);
void DrawLine(DrawTarget& target, const BoxArgs& args);
void DrawCircle(DrawTarget& target, const CircleArgs& args);

// The preview line width: picture pixels in 2 mm over printer pixels in 1 mm, times the
// width, ties to even; at least 1.
int16_t ScaleDrawWidth(int16_t lineWidth, const DrawTarget& picture, const Printer& printer);

// The preview paths. command is "prnbox" or "prnline".
void RecordBoxOrLine(TextView command, const Printer& printer, DrawTarget& picture, PageRec& page,
                     const BoxArgs& args);
void RecordCircle(const Printer& printer, DrawTarget& picture, PageRec& page, const CircleArgs& args);

}  // namespace vant
