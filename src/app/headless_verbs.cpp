#include <iostream>

#include "control/held_buttons.h"
#include "app/methods_json.h"
#include "app/output_targets.h"
#include "engine/platform.h"
#include "app/preview_openers.h"
#include "app/session.h"
#include "app/thread_state.h"
#include "platform/host/host_page_errors.h"
#include "app/verbs.h"
#include "control/intake.h"
#include "control/prn_ctl.h"
#include "platform/qt/qt_pointer.h"
#include "platform/qt/stderr_messages.h"

namespace vant::app {

int PrintVerb(int& argc, char** argv, const CommandLine& line) {
  CheckOutputTargets(line);
  qt::StderrMessageBoxes boxes;
  Session session(argc, argv, line, /*windowed=*/false, boxes, std::make_unique<qt::HeadlessMousePointer>());
  HeldButtonsView view;
  NoPreview noPreview;
  PrnCtl control(session.platform(), view, noPreview);
  control.ReadProperties(session.page().page, session.page().page);
  if (session.PrintRefusal() && view.PrintButton().Enabled()) {
    std::cerr << "vant: " << ToUtf8(*session.PrintRefusal()) << '\n';
    return kExitStopped;
  }
  // A failed reading disables the print button: nothing is printed.
  if (view.PrintButton().Enabled()) control.PrintClick();
  session.Finish();
  // A run that neither stopped nor delivered anything says so: a list of set-up methods
  // and enddoc alone prints nothing, which no other message tells.
  if (session.messages().Critical() == 0 && session.printers().Delivered().empty()) {
    session.messages().Show(Text(kNothingToPrint), MessageIcon::kInformation, u"");
  }
  return session.messages().Critical() > 0 ? kExitStopped : kExitDone;
}

int MethodsVerb(const CommandLine& line) {
  platform::LoadedHostPage loaded = LoadCommandPage(line);
  qt::StderrMessageBoxes boxes;
  CountingMessages messages(boxes);
  HeldButtonsView view;
  ControlState& state = ThreadModuleState().control;
  ReadProperties(state, loaded.page, loaded.page, view, messages);
  // A failed reading still shows what was stored, after its message.
  std::cout << MethodsJson(state) << '\n';
  return messages.Critical() > 0 ? kExitStopped : kExitDone;
}

int PrintersVerb(int& argc, char** argv, const CommandLine& line) {
  qt::StderrMessageBoxes boxes;
  Session session(argc, argv, line, /*windowed=*/false, boxes, std::make_unique<qt::HeadlessMousePointer>());
  auto& printers = session.printers();
  for (int i = 0; i < printers.Count(); ++i) {
    std::cout << (i == printers.CurrentIndex() ? "* " : "  ") << ToUtf8(printers.At(i).DeviceName()) << '\n';
  }
  return kExitDone;
}

}  // namespace vant::app
