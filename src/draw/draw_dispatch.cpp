#include "draw/draw_dispatch.h"

#include <array>

#include "barcode/barcode_commands.h"
#include "draw/shape_commands.h"
#include "draw/text_command.h"

namespace vant {
namespace {

constexpr std::array<std::u16string_view, 9> kDrawingCommands = {
    u"prntextout", u"prntext", u"prnbox", u"prnline", u"prncircle",
    u"prnjan13", u"prnjan8", u"prnnw7", u"prncode39",
};

bool IsTextCommand(TextView command) { return command == u"prntextout" || command == u"prntext"; }

}  // namespace

bool IsDrawingCommand(TextView command) {
  for (const auto name : kDrawingCommands) {
    if (name == command) return true;
  }
  return false;
}

bool RunDrawingMethod(Platform& platform, DrawTarget& target, int16_t page, TextView command,
                      const MethodRec& method) {
  const Printer& printer = platform.printer;
  const bool preview = IsPictureBox(target);
  if (IsTextCommand(command)) {
    const TextArgs args = ReadTextArgs(method);
    if (preview) {
      RecordText(printer, target, page, args);
    } else {
      DrawText(target, args);
    }
  } else if (command == u"prnbox" || command == u"prnline") {
    const BoxArgs args = ReadBoxArgs(method);
    if (preview) {
      RecordBoxOrLine(command, printer, target, page, args);
    } else if (command == u"prnbox") {
      DrawBox(target, args);
    } else {
      DrawLine(target, args);
    }
  } else if (command == u"prncircle") {
    const CircleArgs args = ReadCircleArgs(method);
    if (preview) {
      RecordCircle(printer, target, page, args);
    } else {
      DrawCircle(target, args);
    }
  } else if (IsBarcodeCommand(command)) {
    if (preview) {
      RecordBarcode(command, method, printer, target, page);
    } else {
      return PrintBarcode(command, method, target);
    }
  }
  return true;
}

}  // namespace vant
