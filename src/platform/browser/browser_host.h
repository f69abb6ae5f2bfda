// The control hosted by a browser tab: one host serves every document of one tab (its
// pages one after another, and their frames), as the control's thread served a browser tab.
// Each document's controls are created and shown as the document reports them, their
// buttons' clicks come as requests, and every request gets one answer. Module-level state
// is the platform's, made once for the tab, so controls on every page and frame of one
// origin in the tab share one method list, the last reading wins, and a Mode 1 list that
// has printed does not print again when its page is shown again (a reload), as the control
// prints it once. A page of another origin finds the state clean: sites never read or print
// what another site's page left in it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/held_buttons.h"
#include "control/preview_opener.h"
#include "control/prn_ctl.h"
#include "platform/browser/auto_run_gate.h"
#include "platform/browser/browser_answer.h"
#include "platform/browser/collected_boxes.h"
#include "platform/printing/printer_list.h"

namespace vant::browser {

// Documents a host serves at once (the extension tells it when one goes); each keeps the
// controls of the OBJECT elements its last request listed, at most kMaxObjects, so this
// bounds the controls a tab can make the host keep (64 × 1024).
inline constexpr std::size_t kMaxDocuments = 64;

class BrowserHost {
 public:
  // platform.messages must be boxes; downloads, when given, is where the PDF printer writes
  // (named from the page); now tells the time for the automatic runs' interval. Everything
  // is borrowed and must outlive the host.
  BrowserHost(Platform& platform, CollectedBoxes& boxes, printing::PrinterList& printers, PreviewOpener& preview,
              std::optional<std::filesystem::path> downloads,
              SteadyClock now = [] { return std::chrono::steady_clock::now(); });
  ~BrowserHost();

  // The answer to one message's bytes; a request that fails on the way is answered with
  // an error naming the failure.
  std::string Answer(std::string_view request);
  // The answer to a message too long to read.
  static std::string AnswerTooLarge(std::uint32_t declaredLength);

 private:
  struct Control;
  struct Document;
  std::string AnswerDocument(Request& request);
  std::string AnswerClick(const Request& request);
  std::string AnswerGone(const Request& request);
  // A document request lists every OBJECT element the document holds now: the controls of
  // those that have left it go, as a browser destroys an OBJECT's control with its element.
  // So a document keeps at most kMaxObjects controls however many requests it sends.
  static void DropControlsGoneFrom(Document& document, std::vector<std::int64_t> keys);
  // The show event of a control just read: its automatic run when the gate lets it through.
  void Show(Control& control, std::int64_t doc, const DocumentRequest& document);
  // Before a request of a page of this origin reads or runs the module state: another
  // origin's leaves it clean first. Within one origin the tab keeps one state.
  void UseStateAs(const Text& origin);
  // Names the jobs and the PDF files after the document the request comes from.
  void NameDocuments(const Document& document);
  // Ends the documents still open, as the vant command does when it ends, and gathers what
  // the request showed and delivered since deliveredBefore.
  Outcome Finish(std::size_t deliveredBefore);

  Platform& platform_;
  CollectedBoxes& boxes_;
  printing::PrinterList& printers_;
  PreviewOpener& preview_;
  std::optional<std::filesystem::path> downloads_;
  SteadyClock now_;
  AutoRunGate autoRuns_;
  std::map<std::int64_t, Document> documents_;  // by the extension's document number
  // The origin whose pages last read or ran the module state; none before the first.
  std::optional<Text> stateOrigin_;
};

}  // namespace vant::browser
