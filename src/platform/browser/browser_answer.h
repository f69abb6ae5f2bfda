// The host's answers, as JSON text that fits the browser's 1 MiB: what a request did (the
// message boxes shown, the documents delivered, whether a run stopped) and each control's
// two buttons.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "control/control_view.h"
#include "engine/platform.h"
#include "platform/browser/browser_request.h"
#include "platform/printing/printer_output.h"

namespace vant::browser {

struct ShownBox {
  MessageIcon icon = MessageIcon::kCritical;
  Text title;
  Text text;
};

struct Outcome {
  std::vector<ShownBox> messages;                      // in the order shown
  std::vector<printing::DeliveredDocument> printed;    // in the order delivered
  bool stopped = false;                                // a stop message was shown
};

struct ButtonPlace {
  SharedText caption;  // the button's own, shared with every control showing it
  std::int32_t left = 0, top = 0, width = 0, height = 0;  // CSS pixels
  bool enabled = true;
};
ButtonPlace PlaceOf(const Button& button);

struct ControlButtons {
  std::int64_t key = 0;
  ButtonPlace print, preview;
};

// {"kind": "document", "id": …, "controls": […], "outcome": {…}}
std::string DocumentAnswer(std::int64_t id, const std::vector<ControlButtons>& controls, const Outcome& outcome);
// {"kind": "print"|"preview"|"gone", "id": …, "outcome": {…}}
std::string ControlAnswer(Request::Kind kind, std::int64_t id, const Outcome& outcome);
// {"kind": "error", "id": …|null, "message": "…"}
std::string ErrorAnswer(const Refusal& refusal);

// An answer over kMaxAnswerBytes is sent again with every message text cut to
// kShortTextUnits and at most kListedEntries messages and documents (the rest counted in
// "omitted"); one still over the limit becomes an error answer.
inline constexpr std::size_t kShortTextUnits = 1000;
inline constexpr std::size_t kListedEntries = 1000;

}  // namespace vant::browser
