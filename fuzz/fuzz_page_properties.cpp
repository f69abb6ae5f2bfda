// Fuzzes page reading: arbitrary bytes as a host page are decoded, estimated, parsed and
// read into the control's method list, and the PARAMs taken from them survive the trip
// from the reading process unchanged, whether written as the parse is walked or sent
// whole. Nothing may crash; a page is read or refused.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "control/held_buttons.h"
#include "control/intake.h"
#include "platform/host/host_page.h"
#include "platform/host/html_encoding.h"
#include "platform/host/html_parse_work.h"
#include "platform/host/page_reply.h"

namespace {

using namespace vant;

class IgnoredMessages final : public MessageBoxes {
 public:
  void Show(const Text&, MessageIcon, const Text&) override {}
};

// A wrong result is a finding: the engine keeps the input that showed it.
[[noreturn]] void Finding(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

// The page as the reading process hands it over, read back: it must be the page itself.
void CheckReplyRoundTrip(const platform::HostPage& page) {
  platform::ReadPageParams read;
  read.hasObject = page.HasObject();
  if (page.HasObject()) read.objectParams = page.ObjectParams();
  if (page.ControlObject() != nullptr) read.control = *page.ControlObject();
  const auto back = platform::DecodeReply(platform::EncodeReply(read));
  if (!back) Finding("a reply of a real page was rejected");
  const auto& again = std::get<platform::ReadPageParams>(*back);
  if (again.objectParams.size() != read.objectParams.size()) Finding("PARAMs lost");
  for (std::size_t i = 0; i < read.objectParams.size(); ++i) {
    // Text goes as UTF-8: a lone surrogate from the page comes back as U+FFFD, as the
    // conversion promises; anything else comes back as it was.
    if (ToUtf8(again.objectParams[i].name) != ToUtf8(read.objectParams[i].name) ||
        ToUtf8(again.objectParams[i].value) != ToUtf8(read.objectParams[i].value) ||
        again.objectParams[i].line != read.objectParams[i].line) {
      Finding("a PARAM changed on the way");
    }
  }
  if (again.control.has_value() != read.control.has_value()) Finding("the control changed");
  if (read.control && again.control->params != read.control->params) Finding("the bag changed");
  if (read.control && again.control->line != read.control->line) Finding("the control's line changed");
}

// The reading process writes its reply as the parse is walked: the same bytes as the page
// read whole and sent.
void CheckWalkedReply(std::string_view utf8, const platform::HostPage& page) {
  platform::ReadPageParams read;
  read.hasObject = page.HasObject();
  if (page.HasObject()) read.objectParams = page.ObjectParams();
  if (page.ControlObject() != nullptr) read.control = *page.ControlObject();
  platform::ParamsReplyBuilder walked(read.encoding, read.replacedSequences, read.utf8Text, 0);
  platform::WalkPageObjects(utf8, walked, SIZE_MAX, platform::ParseTreeEnd::kFreed);
  if (std::move(walked).Finish(std::nullopt) != platform::EncodeReply(read)) Finding("the walked reply differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Whatever the pipe carries is checked before it is believed.
  (void)platform::DecodeReply(bytes);

  const platform::DecodedPage decoded = platform::DecodePage(bytes);
  const platform::DecodedPage taken = platform::DecodeTakenPage(std::string(bytes));
  if (taken.encoding != decoded.encoding || taken.text.utf8 != decoded.text.utf8 ||
      taken.text.replacedSequences != decoded.text.replacedSequences) {
    Finding("the taken page decodes otherwise");
  }
  if (platform::EstimateParseWork(decoded.text.utf8) > platform::kMaxParseWork) return 0;
  const platform::HostPage page = platform::HostPage::FromHtml(decoded.text.utf8, std::nullopt);
  CheckReplyRoundTrip(page);
  CheckWalkedReply(decoded.text.utf8, page);
  IgnoredMessages messages;
  HeldButtonsView view;
  ControlState state;
  ReadProperties(state, page, page, view, messages);
  return 0;
}
