// The control hosted by a browser page: one host serves one document. The page's controls
// are created and shown as the document reports them, their buttons' clicks come as
// requests, and every request gets one answer. Module-level state is the platform's, as for
// any host: controls on one page share one method list and the last reading wins.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "control/held_buttons.h"
#include "control/preview_opener.h"
#include "control/prn_ctl.h"
#include "platform/browser/browser_answer.h"
#include "platform/browser/collected_boxes.h"
#include "platform/printing/printer_list.h"

namespace vant::browser {

class BrowserHost {
 public:
  // platform.messages must be boxes; downloads, when given, is where the PDF printer writes
  // (named from the page). Everything is borrowed and must outlive the host.
  BrowserHost(Platform& platform, CollectedBoxes& boxes, printing::PrinterList& printers, PreviewOpener& preview,
              std::optional<std::filesystem::path> downloads);
  ~BrowserHost();

  // The answer to one message's bytes; a request that fails on the way is answered with
  // an error naming the failure.
  std::string Answer(std::string_view request);
  // The answer to a message too long to read.
  static std::string AnswerTooLarge(std::uint32_t declaredLength);

 private:
  struct Control;
  std::string AnswerDocument(Request& request);
  std::string AnswerClick(const Request& request);
  void NameDocuments(const DocumentRequest& document);
  // Ends the documents still open, as the vant command does when it ends, and gathers what
  // the request showed and delivered since deliveredBefore.
  Outcome Finish(std::size_t deliveredBefore);

  Platform& platform_;
  CollectedBoxes& boxes_;
  printing::PrinterList& printers_;
  PreviewOpener& preview_;
  std::optional<std::filesystem::path> downloads_;
  bool named_ = false;
  std::map<std::int64_t, std::unique_ptr<Control>> controls_;  // by the page's key
};

}  // namespace vant::browser
