#include "control/prn_ctl.h"

#include <exception>

#include "common/failure.h"
#include "control/intake.h"
#include "draw/method_commands.h"
#include "engine/page_record.h"
#include "engine/run_driver.h"
#include "engine/setup_commands.h"

namespace vant {

void PrnCtl::ReadProperties(const HostDocument& document, const PropertyBag& bag) {
  vant::ReadProperties(platform_.state.control, document, bag, view_, platform_.messages);
}

void PrnCtl::Show(AutomaticRun run) {
  const ControlState& state = platform_.state.control;
  if (run == AutomaticRun::kWhenModeOne && state.runMode == 1) {
    if (state.paramsLoaded) {
      // The automatic run keeps NextMethod and the printer selection as the run left them,
      // so the list prints once.
      if (RunMethods(platform_, platform_.printer, 0, MethodCommands()) != kRunCompleted) {
        platform_.messages.Show(u"エラーが発生した為、印刷を中止しました!", MessageIcon::kInformation,
                                u"印刷中止");
      }
    } else {
      platform_.messages.Show(Text(kNothingToPrint), MessageIcon::kInformation, Text());
    }
  }
  LayOutButtons();
}

void PrnCtl::LayOutButtons() {
  const ControlState& state = platform_.state.control;
  Button& print = view_.PrintButton();
  Button& preview = view_.PreviewButton();
  // A size a button refuses (a negative width from the page) is reported and the
  // remaining steps still run, so that the control stays usable.
  const auto step = [&](auto&& action) {
    try {
      action();
    } catch (const Failure& failure) {
      platform_.messages.Show(failure.Description(), MessageIcon::kCritical, u"エラー");
    }
  };
  step([&] { print.SetCaption(state.printCaption.empty() ? SharedText(u"印刷") : state.printCaption); });
  step([&] { print.SetWidth(state.printButtonWidth != 0 ? state.printButtonWidth : kButtonWidth); });
  step([&] { print.SetHeight(state.printButtonHeight != 0 ? state.printButtonHeight : kButtonHeight); });
  step([&] { preview.SetLeft(print.Width() + print.Left() + 5); });
  step([&] { preview.SetCaption(u"印刷プレビュー"); });
}

void PrnCtl::PrintClick() {
  if (!platform_.state.control.paramsLoaded) {
    platform_.messages.Show(Text(kNothingToPrint), MessageIcon::kInformation, Text());
    return;
  }
  const Text previous = TrimBlanks(platform_.printer.DeviceName());
  platform_.pointer.Set(kPointerHourglass);
  // The run reports its own errors.
  (void)RunMethods(platform_, platform_.printer, 0, MethodCommands());
  SelectPrinter(platform_.printer.Installed(), previous);
  platform_.state.engine.nextMethod = 0;
  platform_.pointer.Set(kPointerDefault);
}

void PrnCtl::PreviewClick() {
  if (!platform_.state.control.paramsLoaded) {
    platform_.messages.Show(Text(kNothingToPrint), MessageIcon::kInformation, Text());
    return;
  }
  const Text previous = TrimBlanks(platform_.printer.DeviceName());
  Button& button = view_.PreviewButton();
  button.SetEnabled(false);
  try {
    preview_.OpenModal(platform_);
  } catch (const std::exception& e) {
    // A failure outside the window's own messages (a printer that cannot be measured
    // while a page is set up): said once, and the control stays usable.
    const auto* failure = dynamic_cast<const Failure*>(&e);
    platform_.pointer.Set(kPointerDefault);
    platform_.messages.Show(failure ? failure->Description() : FromUtf8(e.what()),
                            MessageIcon::kCritical, u"エラー");
  }
  SelectPrinter(platform_.printer.Installed(), previous);
  button.SetEnabled(true);
}

}  // namespace vant
