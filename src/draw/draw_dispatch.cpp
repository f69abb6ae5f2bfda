#include "draw/draw_dispatch.h"

#include <array>

#include "barcode/barcode_commands.h"
#include "draw/shape_commands.h"
#include "draw/text_command.h"

namespace vant {
namespace {

// The barcode commands come from the symbology table.
constexpr std::array<std::u16string_view, 5> kMarkCommands = {
    u"prntextout", u"prntext", u"prnbox", u"prnline", u"prncircle",
};

bool IsTextCommand(TextView command) { return command == u"prntextout" || command == u"prntext"; }

}  // namespace

bool IsDrawingCommand(TextView command) {
  for (const auto name : kMarkCommands) {
    if (name == command) return true;
  }
  return IsBarcodeCommand(command);
}

std::optional<Text> RunDrawingMethod(Platform& platform, DrawTarget& target, int16_t page, TextView command,
                      const MethodRec& method) {
  const Printer& printer = platform.printer;
  const bool preview = IsPictureBox(target);
  const auto built = [&]() -> PageRec& { return BuiltPage(platform.state.engine, page); };
  if (IsTextCommand(command)) {
    const TextArgs args = ReadTextArgs(method);
    if (preview) {
      RecordText(printer, target, built(), args);
    } else {
      DrawText(target, args);
    }
  } else if (command == u"prnbox" || command == u"prnline") {
    const BoxArgs args = ReadBoxArgs(method);
    if (preview) {
      RecordBoxOrLine(command, printer, target, built(), args);
    } else if (command == u"prnbox") {
      DrawBox(target, args);
    } else {
      DrawLine(target, args);
    }
  } else if (command == u"prncircle") {
    const CircleArgs args = ReadCircleArgs(method);
    if (preview) {
      RecordCircle(printer, target, built(), args);
    } else {
      DrawCircle(target, args);
    }
  } else if (IsBarcodeCommand(command)) {
    if (preview) {
      RecordBarcode(command, method, printer, target, built());
    } else {
      return PrintBarcode(command, method, target);
    }
  }
  return std::nullopt;
}

const DrawingBranch& DrawingCommands() {
  static constexpr DrawingBranch kBranch{&IsDrawingCommand, &RunDrawingMethod};
  return kBranch;
}

}  // namespace vant
