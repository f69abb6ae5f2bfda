// The method line syntax: a doubled comma is a literal comma; the line splits at the other
// commas into the command (part 0) and up to nine arguments.
#pragma once

#include <vector>

#include "common/text.h"

namespace vant {

// The marker that stands for an escaped comma in every field but field 3.
inline constexpr TextView kCommaMarker = u"$カンマ$";

// The parts of a method line, the escape applied; field 3 (part 3) has its commas back.
// Parts after part 9 are kept here; the intake ignores them.
std::vector<Text> SplitMethodLine(TextView line);

// Where part 0, the command, ends in the line as written: at the first comma that is not
// half of a doubled one, or at the line's end. The command is line.substr(0, CommandEnd)
// with its escapes applied; a command holding an escaped comma is no command of the
// language.
std::size_t CommandEnd(TextView line);

}  // namespace vant
