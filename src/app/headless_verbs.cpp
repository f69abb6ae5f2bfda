#include <iostream>

#include "control/held_buttons.h"
#include "app/methods_json.h"
#include "app/session.h"
#include "platform/host/host_page_errors.h"
#include "app/verbs.h"
#include "control/control_state.h"
#include "control/intake.h"
#include "control/prn_ctl.h"
#include "platform/qt/qt_pointer.h"
#include "platform/qt/stderr_messages.h"

namespace vant::app {
namespace {

// The headless verbs have no preview window to open.
class NoPreview final : public PreviewOpener {
 public:
  void OpenModal(Platform&) override { throw Failure(u"この実行方法ではプレビューを表示できません。"); }
};

}  // namespace

int PrintVerb(int& argc, char** argv, const CommandLine& line) {
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
  return session.messages().Critical() > 0 ? kExitStopped : kExitDone;
}

int MethodsVerb(const CommandLine& line) {
  std::optional<Text> id;
  if (line.objectId) id = FromUtf8(*line.objectId);
  platform::LoadedHostPage loaded = [&] {
    try {
      return platform::LoadHostPage(line.page, id);
    } catch (const vant::platform::HostObjectNotFound& e) {
      throw UsageError(e.what());
    }
  }();
  qt::StderrMessageBoxes boxes;
  CountingMessages messages(boxes);
  HeldButtonsView view;
  ReadProperties(loaded.page, loaded.page, view, messages);
  // A failed reading still shows what was stored, after its message.
  std::cout << MethodsJson(PrnCtlState()) << '\n';
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
