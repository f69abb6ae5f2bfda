#include "engine/run_driver.h"

#include <exception>
#include <vector>

#include "common/failure.h"
#include "engine/module_state.h"
#include "engine/picture_box.h"
#include "engine/printer_geometry.h"
#include "engine/run_stop.h"
#include "engine/setup_commands.h"

namespace vant {
namespace {

const MethodRec& MethodAt(const ModuleState& state, int16_t position) {
  const auto& list = state.control.methodList;
  if (position < 0 || static_cast<size_t>(position) >= list.size()) throw Failure::IndexOutOfRange();
  return list[static_cast<size_t>(position)];
}

// After the commands that change the page, a preview page takes the printer's new
// geometry (and loses its shown flag until something is drawn again).
void PreviewPageStep(Platform& platform, DrawTarget& target, int16_t page) {
  if (!IsPictureBox(target)) return;
  auto* picture = dynamic_cast<PictureBox*>(&target);
  if (picture == nullptr) throw Failure::NotSupported();
  SetupPreviewPage(platform, *picture, page);
}

// The document each installed printer has open (0: none), by printer index.
std::vector<uint64_t> OpenDocuments(InstalledPrinters& printers) {
  std::vector<uint64_t> open;
  for (int i = 0; i < printers.Count(); ++i) open.push_back(printers.At(i).OpenDocumentId());
  return open;
}

// A stopped run abandons the document in progress on the current printer and every
// document it opened on a printer it left by "changeprinter": nothing of a stopped run may
// reach any printer. Documents that were open before the run began are not its own and
// stay as they are (except the current printer's, which the run went on with).
void AbandonDocuments(Platform& platform, const std::vector<uint64_t>& openBefore) {
  InstalledPrinters& printers = platform.printer.Installed();
  const int current = printers.CurrentIndex();
  for (int i = 0; i < printers.Count(); ++i) {
    try {
      Printer& printer = printers.At(i);
      const uint64_t open = printer.OpenDocumentId();
      const bool opened = open != 0 && (static_cast<size_t>(i) >= openBefore.size() ||
                                        open != openBefore[static_cast<size_t>(i)]);
      if (i == current || opened) printer.KillDoc();
    } catch (const Failure&) {
      // Nothing of the document may reach the printer either way; the stop is reported.
    }
  }
}

enum class Flow { kNext, kPageComplete };

Flow RunOne(Platform& platform, DrawTarget& target, int16_t page, const DrawingBranch& drawing,
            const MethodRec& method) {
  const Text command = LowerCase(method.field[0]);
  if (command == u"changeprinterdriver" || command == u"changeprinter") {
    ChangePrinter(platform, method);
    PreviewPageStep(platform, target, page);
  } else if (command == u"papersize" || command == u"orientation") {
    SetPrinterProperty(platform, command, method);
    PreviewPageStep(platform, target, page);
  } else if (command == u"scalemode" || command == u"printquality" || command == u"paperbin" ||
             command == u"colormode") {
    SetPrinterProperty(platform, command, method);
  } else if (command == u"newpage" || command == u"enddoc") {
    if (!IsPrinter(target)) return Flow::kPageComplete;
    Printer& printer = platform.printer;
    if (command == u"newpage") {
      printer.NewPage();
    } else {
      printer.EndDoc();
    }
  } else if (drawing.isDrawingCommand(command)) {
    if (std::optional<Text> refusal = drawing.run(platform, target, page, command, method)) {
      throw RunStop{std::move(*refusal)};
    }
  } else {
    throw RunStop{u"\"" + method.field[0] + u"\"\r\nMethod指定が不正です!"};
  }
  return Flow::kNext;
}

}  // namespace

Text MethodEcho(const MethodRec& method) {
  Text echo = LowerCase(method.field[0]) + u"(" + LowerCase(method.field[1]);
  for (int f = 2; f < kMethodFields && !method.field[f].empty(); ++f) {
    echo += u"," + LowerCase(method.field[f]);
  }
  return echo + u")";
}

int16_t RunMethods(Platform& platform, DrawTarget& target, int16_t page,
                   const DrawingBranch& drawing) {
  ModuleState& state = platform.state;
  auto& engine = state.engine;
  int16_t i = engine.nextMethod == 0 ? int16_t{1} : engine.nextMethod;
  const int16_t last = state.control.methodCount;
  const std::vector<uint64_t> openBefore = OpenDocuments(platform.printer.Installed());
  Text reason;
  try {
    while (i <= last) {
      const Flow flow = RunOne(platform, target, page, drawing, MethodAt(state, i));
      engine.nextMethod = static_cast<int16_t>(i + 1);
      if (flow == Flow::kPageComplete) return kRunCompleted;
      ++i;
    }
    return kRunCompleted;
  } catch (const RunStop& stop) {
    reason = stop.stopText;
  } catch (const Failure& failure) {
    reason = failure.Description();
  } catch (const std::bad_alloc&) {
    reason = u"メモリが不足しています。";
  } catch (const std::exception& e) {
    reason = FromUtf8(e.what());
  }

  // The documents in progress are abandoned, in preview building too.
  AbandonDocuments(platform, openBefore);
  Text message = reason + u"\r\n" + DecimalText(i) + u":";
  try {
    message += MethodEcho(MethodAt(state, i));
  } catch (const Failure&) {
    message += u"()";
  }
  message += u"\r\n";
  message += IsPictureBox(target) ? u"プレビューを中断しました!" : u"印刷を中断しました!";
  platform.messages.Show(message, MessageIcon::kCritical, u"エラー");
  return kRunStopped;
}

}  // namespace vant
