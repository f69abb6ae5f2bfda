// "prntextout" and "prntext": one piece of text at a point, in a font, size, style and
// colour; drawn on paper, or recorded for the preview with its size fitted to the preview.
#pragma once

#include <cstdint>

#include "common/method_rec.h"
#include "engine/page_record.h"
#include "engine/preview_marks.h"
#include "engine/printer.h"

namespace vant {

// A text method's arguments: the text and the font name are views into the method.
using TextArgs = TextValues<TextView>;

// Fields 1 to 8, converted in field order. The method must outlive the arguments.
TextArgs ReadTextArgs(const MethodRec& method);

// Sets font name, size, italic, bold, colour and the position, each a step of its own
// whose refusal is skipped, then prints the text. Nothing is restored.
void DrawText(DrawTarget& target, const TextArgs& args);

// The preview path: converts the position, fits the size, marks the page and returns the
// mark to record (both command names record the same).
TextMark RecordText(const Printer& printer, DrawTarget& picture, PageRec& page, const TextArgs& args);

// Draws a recorded mark on a preview page, as DrawText draws a method on paper.
void ReplayText(DrawTarget& picture, const TextMark& mark);

}  // namespace vant
