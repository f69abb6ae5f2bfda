// "prntextout" and "prntext": one piece of text at a point, in a font, size, style and
// colour; drawn on paper, or recorded for the preview with its size fitted to the preview.
#pragma once

#include <cstdint>

#include "common/method_rec.h"
#include "engine/page_record.h"
#include "engine/printer.h"

namespace vant {

struct TextArgs {
  float x = 0;
  float y = 0;
  Text text;
  Text fontName;
  double fontSize = 0;  // points
  bool italic = false;
  bool bold = false;
  int32_t colour = 0;
};

// Fields 1 to 8, converted in field order.
TextArgs ReadTextArgs(const MethodRec& method);

// Sets font name, size, italic, bold, colour and the position, each a step of its own
// whose refusal is skipped, then prints the text. Nothing is restored.
void DrawText(DrawTarget& target, const TextArgs& args);

// The preview path: converts the position, fits the size, marks the page and appends the
// copy "prntextout" to it.
void RecordText(const Printer& printer, DrawTarget& picture, PageRec& page, const TextArgs& args);

}  // namespace vant
