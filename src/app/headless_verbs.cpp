// vant methods and vant printers: what the property reading produced, and the installed
// printers.
#include <iostream>

#include "control/held_buttons.h"
#include "app/methods_json.h"
#include "app/session.h"
#include "app/thread_state.h"
#include "app/verbs.h"
#include "engine/papers.h"
#include "engine/module_state.h"
#include "control/intake.h"
#include "platform/qt/qt_pointer.h"
#include "platform/qt/stderr_messages.h"

namespace vant::app {

int MethodsVerb(const CommandLine& line) {
  platform::LoadedHostPage loaded = LoadCommandPage(line);
  qt::StderrMessageBoxes boxes;
  CountingMessages messages(boxes);
  HeldButtonsView view;
  ControlState& state = ThreadModuleState().control;
  ReadProperties(state, loaded.page, loaded.page, view, messages);
  // A failed reading still shows what was stored, after its message; a page without OBJECT
  // has nothing to read, and no JSON says that something was loaded.
  if (loaded.page.HasObject()) std::cout << MethodsJson(state) << '\n';
  return messages.Critical() > 0 ? kExitStopped : kExitDone;
}

int PrintersVerb(int& argc, char** argv, const CommandLine& line) {
  qt::StderrMessageBoxes boxes;
  Session session(argc, argv, line, std::nullopt, {}, boxes, std::make_unique<qt::HeadlessMousePointer>());
  auto& printers = session.printers();
  for (int i = 0; i < printers.Count(); ++i) {
    // The names as --printer compares them, for scripts and the shell's completion.
    if (line.names) {
      std::cout << ToUtf8(TrimBlanks(printers.At(i).DeviceName())) << '\n';
      continue;
    }
    std::cout << (i == printers.CurrentIndex() ? "* " : "  ") << ToUtf8(printers.At(i).DeviceName());
    // A default sheet no paper code stands for is named by its size.
    const printing::PrinterCapabilities& caps = printers.Page(i).Capabilities();
    if (caps.defaultPaper == kPaperUser) {
      std::cout << " (" << ToUtf8(UserSizeName(caps.defaultMedia.widthMm, caps.defaultMedia.heightMm, 2)) << ")";
    }
    std::cout << '\n';
  }
  return kExitDone;
}

}  // namespace vant::app
