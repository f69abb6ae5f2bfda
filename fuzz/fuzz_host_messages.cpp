// Fuzzes what a page can send the browser host: the bytes of the native messaging channel,
// read as messages, parsed as requests, and each document read by the control as its host
// page. Whatever the bytes, every message gets an answer under the browser's limit, a file
// name never leaves its folder, and nothing crashes or hangs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "control/held_buttons.h"
#include "control/intake.h"
#include "platform/browser/browser_answer.h"
#include "platform/browser/browser_document.h"
#include "platform/browser/native_messaging.h"

namespace {

using namespace vant;

class IgnoredBoxes final : public MessageBoxes {
 public:
  void Show(const Text&, MessageIcon, const Text&) override {}
};

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckAnswer(const std::string& answer) { Check(answer.size() <= browser::kMaxAnswerBytes); }

// The page's controls share one state, as those of a tab do: the last reading wins.
void ReadDocument(ControlState& state, const browser::Request& request) {
  const Text name = browser::DocumentBaseName(request.document);
  Check(!name.empty() && name.front() != u'.' && name.find(u'/') == Text::npos);
  Check(request.document.keys.size() == request.document.page.objects.size());
  const browser::BrowserPage page(request.document.page);
  std::vector<browser::ControlButtons> controls;
  IgnoredBoxes boxes;
  for (std::size_t index : page.Controls()) {
    HeldButtonsView view;
    ReadProperties(state, page.Document(), page.Bag(index), view, boxes);
    controls.push_back({request.document.keys[index], browser::PlaceOf(view.print), browser::PlaceOf(view.preview)});
  }
  CheckAnswer(browser::DocumentAnswer(request.id, controls, browser::Outcome{}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ControlState state;  // as a new tab starts
  browser::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
  // A small limit, so that the fuzzer also reaches the skipping of over-long messages.
  constexpr std::size_t kLimit = 1 << 16;
  for (;;) {
    const browser::ReadMessage message = browser::ReadNextMessage(source, kLimit);
    if (message.kind == browser::ReadMessage::Kind::kEnd || message.kind == browser::ReadMessage::Kind::kTruncated) break;
    if (message.kind == browser::ReadMessage::Kind::kTooLarge) {
      Check(message.declaredLength > kLimit);
      CheckAnswer(browser::ErrorAnswer(browser::TooLargeRefusal(message.declaredLength)));
      continue;
    }
    const auto parsed = browser::ParseRequest(message.bytes);
    if (const auto* refusal = std::get_if<browser::Refusal>(&parsed)) {
      CheckAnswer(browser::ErrorAnswer(*refusal));
    } else if (std::get<browser::Request>(parsed).kind == browser::Request::Kind::kDocument) {
      ReadDocument(state, std::get<browser::Request>(parsed));
    }
  }
  return 0;
}
