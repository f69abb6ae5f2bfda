// Recorded preview marks as a test writes them: the values, and the command whose row
// records (and replays) them.
#pragma once

#include <stdexcept>

#include "draw/method_commands.h"
#include "engine/preview_marks.h"

namespace vant::test {

inline PreviewMark RecordedMark(TextView command, MarkValues values) {
  const CommandRow* row = FindCommand(MethodCommands(), command);
  if (row == nullptr || row->marks == nullptr) {
    throw std::invalid_argument("no command that records marks: " + ToUtf8(command));
  }
  return PreviewMark{row, std::move(values)};
}

}  // namespace vant::test
