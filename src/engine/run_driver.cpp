#include "engine/run_driver.h"

#include <exception>
#include <vector>

#include "common/failure.h"
#include "engine/module_state.h"
#include "engine/picture_box.h"
#include "engine/printer_geometry.h"
#include "engine/run_stop.h"
#include "engine/run_watcher.h"

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

// A drawing method: drawn on the printer, or on the preview picture converted and recorded
// in its page.
void RunMark(Platform& platform, DrawTarget& target, int16_t page, const CommandRow& row,
             const MethodRec& method) {
  if (IsPictureBox(target)) {
    PageRec& built = BuiltPage(platform.state.engine, page);
    MarkValues values = row.marks->record(platform.printer, target, built, method, platform.symbols);
    built.marks.push_back(PreviewMark{&row, std::move(values)});
  } else if (std::optional<Text> refusal = row.marks->print(target, method, platform.symbols)) {
    throw RunStop{std::move(*refusal)};
  }
}

Flow RunOne(Platform& platform, DrawTarget& target, int16_t page, CommandTable commands,
            int16_t position, const MethodRec& method) {
  const CommandRow* row = FindCommand(commands, method.field[0]);
  if (platform.watcher != nullptr) platform.watcher->MethodStarting(position, row, method);
  if (row == nullptr) throw RunStop{u"\"" + method.field[0] + u"\"\r\nMethod指定が不正です!"};
  switch (row->kind) {
    case CommandKind::kSetup:
      row->setUp(platform, method);
      if (row->reshapesPage) PreviewPageStep(platform, target, page);
      break;
    case CommandKind::kPaging:
      if (!IsPrinter(target)) return Flow::kPageComplete;
      row->onPrinter(platform.printer);
      break;
    case CommandKind::kDrawing:
    case CommandKind::kBarcode:
      RunMark(platform, target, page, *row, method);
      break;
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

int16_t RunMethods(Platform& platform, DrawTarget& target, int16_t page, CommandTable commands) {
  ModuleState& state = platform.state;
  auto& engine = state.engine;
  int16_t i = engine.nextMethod == 0 ? int16_t{1} : engine.nextMethod;
  const int16_t last = state.control.methodCount;
  const std::vector<uint64_t> openBefore = OpenDocuments(platform.printer.Installed());
  Text reason;
  try {
    while (i <= last) {
      const Flow flow = RunOne(platform, target, page, commands, i, MethodAt(state, i));
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
  message += IsPictureBox(target) ? TextView(u"プレビューを中断しました!") : kRunStoppedOnPrinter;
  platform.messages.Show(message, MessageIcon::kCritical, u"エラー");
  return kRunStopped;
}

}  // namespace vant
