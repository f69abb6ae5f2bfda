// The control the host embeds: it reads its properties, prints by itself when shown in run
// mode 1, lays out its two buttons, prints on its print button and opens the preview on
// its preview button.
#pragma once

#include "control/control_view.h"
#include "control/host.h"
#include "control/preview_opener.h"
#include "engine/printer_object.h"

namespace vant {

// Whether a show event may run the list by itself. A host holds the automatic run of a page
// it does not trust to print unasked; the buttons are laid out either way.
enum class AutomaticRun { kWhenModeOne, kHeld };

class PrnCtl {
 public:
  PrnCtl(Platform& platform, ControlView& view, PreviewOpener& preview)
      : platform_(platform), view_(view), preview_(preview) {}

  // The read-properties event.
  void ReadProperties(const HostDocument& document, const PropertyBag& bag);
  // The show event: the automatic run in run mode 1 (unless the host holds it), then the
  // buttons' layout.
  void Show(AutomaticRun run = AutomaticRun::kWhenModeOne);
  // Click of cmdprint: prints the list and puts the previous printer back.
  void PrintClick();
  // Click of cmdPreview: opens the preview window and puts the previous printer back.
  void PreviewClick();

 private:
  void LayOutButtons();

  Platform& platform_;
  ControlView& view_;
  PreviewOpener& preview_;
};

}  // namespace vant
