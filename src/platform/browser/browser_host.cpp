#include "platform/browser/browser_host.h"

#include <algorithm>

#include "common/failure.h"
#include "engine/module_state.h"
#include "platform/browser/browser_document.h"
#include "platform/browser/gone_server.h"

namespace vant::browser {

struct BrowserHost::Control {
  Control(Platform& platform, PreviewOpener& preview) : control(platform, view, preview) {}
  HeldButtonsView view;
  PrnCtl control;
};

struct BrowserHost::Document {
  Text name;    // of its print jobs and PDF files, from its first request
  Text origin;  // the extension's, from its first request; also named in the system log
  std::map<std::int64_t, std::unique_ptr<Control>> controls;  // by the page's key
};

BrowserHost::BrowserHost(Platform& platform, CollectedBoxes& boxes, printing::PrinterList& printers,
                         PreviewOpener& preview, std::optional<std::filesystem::path> downloads, SteadyClock now)
    : platform_(platform),
      boxes_(boxes),
      printers_(printers),
      preview_(preview),
      downloads_(std::move(downloads)),
      now_(std::move(now)) {}

BrowserHost::~BrowserHost() = default;

std::string BrowserHost::AnswerTooLarge(std::uint32_t declaredLength) {
  return ErrorAnswer(TooLargeRefusal(declaredLength));
}

std::string BrowserHost::Answer(std::string_view bytes) {
  auto parsed = ParseRequest(bytes);
  if (const auto* refusal = std::get_if<Refusal>(&parsed)) return ErrorAnswer(*refusal);
  Request& request = std::get<Request>(parsed);
  try {
    switch (request.kind) {
      case Request::Kind::kDocument: return AnswerDocument(request);
      case Request::Kind::kGone: return AnswerGone(request);
      case Request::Kind::kPrint:
      case Request::Kind::kPreview: return AnswerClick(request);
    }
    return ErrorAnswer({request.id, u"要求の種類を扱えません。"});
  } catch (const std::exception& e) {
    // What this request showed belongs to no later answer.
    (void)boxes_.Take();
    const auto* failure = dynamic_cast<const Failure*>(&e);
    return ErrorAnswer(
        {request.id, boxes_.ForPage(u"要求を処理できません: " + (failure ? failure->Description() : FromUtf8(e.what())))});
  }
}

void BrowserHost::NameDocuments(const Document& document) {
  printers_.SetDocumentName(document.name);
  origin_ = document.origin;
  // The PDF printer's own series of names (never one the user named), in the downloads.
  if (downloads_) printers_.PdfOutput().SetBaseName(document.name, *downloads_);
}

void BrowserHost::UseStateAs(const Text& origin) {
  if (stateOrigin_ == origin) return;
  // What another origin's pages read (their method lines, the caption, where their run
  // stands) is theirs: a page of this origin starts from a clean state, as a control's
  // first reading in a fresh thread does, and never sees or prints it.
  platform_.state.control = ControlState{};
  platform_.state.engine = EngineState{};
  stateOrigin_ = origin;
}

void BrowserHost::DropControlsGoneFrom(Document& document, std::vector<std::int64_t> keys) {
  std::sort(keys.begin(), keys.end());
  std::erase_if(document.controls,
                [&](const auto& entry) { return !std::binary_search(keys.begin(), keys.end(), entry.first); });
}

void BrowserHost::Show(Control& control, std::int64_t doc, const DocumentRequest& document) {
  // Only a list that would run asks the gate, so that a page without one spends nothing.
  const ControlState& state = platform_.state.control;
  const bool wouldRun = state.runMode == 1;
  const bool admitted = wouldRun && document.autoRun && autoRuns_.Admit(doc, document.origin, now_());
  control.control.Show(!wouldRun || admitted ? AutomaticRun::kWhenModeOne : AutomaticRun::kHeld);
}

std::string BrowserHost::AnswerDocument(Request& request) {
  auto found = documents_.find(request.doc);
  if (found == documents_.end()) {
    if (documents_.size() >= kMaxDocuments) {
      return ErrorAnswer({request.id, u"このタブの文書が多すぎます (上限 " +
                                          DecimalText(static_cast<long long>(kMaxDocuments)) + u" 個)。"});
    }
    found = documents_.emplace(request.doc, Document{DocumentBaseName(request.document), request.document.origin, {}})
                .first;
  }
  Document& document = found->second;
  DropControlsGoneFrom(document, request.document.keys);
  const std::size_t deliveredBefore = printers_.Delivered().size();
  NameDocuments(document);
  const BrowserPage page(std::move(request.document.page));
  std::vector<ControlButtons> buttons;
  for (std::size_t index : page.Controls()) {
    const std::int64_t key = request.document.keys[index];
    auto& slot = document.controls[key];
    if (!slot) {
      // A control seen for the first time is created and shown, as the browser does with an
      // OBJECT: its property reading (the last one wins), then the show event.
      slot = std::make_unique<Control>(platform_, preview_);
      UseStateAs(document.origin);
      slot->control.ReadProperties(page.Document(), page.Bag(index));
      HoldPdfPrinterUnlessChosen(printers_, platform_.state.control);
      Show(*slot, request.doc, request.document);
    }
    buttons.push_back({key, PlaceOf(slot->view.PrintButton()), PlaceOf(slot->view.PreviewButton())});
  }
  return DocumentAnswer(request.id, buttons, Finish(deliveredBefore));
}

std::string BrowserHost::AnswerClick(const Request& request) {
  const auto document = documents_.find(request.doc);
  Control* clicked = nullptr;  // owned by its document
  if (document != documents_.end()) {
    const auto found = document->second.controls.find(request.control.key);
    if (found != document->second.controls.end()) clicked = found->second.get();
  }
  if (clicked == nullptr) {
    return ErrorAnswer({request.id, u"key が " + DecimalText(request.control.key) + u" のコントロールはありません。"});
  }
  Control& control = *clicked;
  const std::size_t deliveredBefore = printers_.Delivered().size();
  NameDocuments(document->second);
  UseStateAs(document->second.origin);
  HoldPdfPrinterUnlessChosen(printers_, platform_.state.control);
  if (request.kind == Request::Kind::kPrint) {
    // A disabled button cannot be clicked (a failed property reading disables it).
    if (!control.view.PrintButton().Enabled()) return ErrorAnswer({request.id, u"このコントロールの印刷ボタンは無効です。"});
    control.control.PrintClick();
  } else {
    if (!control.view.PreviewButton().Enabled()) return ErrorAnswer({request.id, u"このコントロールのプレビューボタンは無効です。"});
    control.control.PreviewClick();
  }
  return ControlAnswer(request.kind, request.id, Finish(deliveredBefore));
}

std::string BrowserHost::AnswerGone(const Request& request) {
  // Its controls go; what they read stays in the tab's state, as it does when a control of
  // the thread is destroyed.
  documents_.erase(request.doc);
  autoRuns_.Forget(request.doc);
  return ControlAnswer(request.kind, request.id, Outcome{});
}

Outcome BrowserHost::Finish(std::size_t deliveredBefore) {
  printers_.EndOpenDocumentsShowingFailure(platform_.messages);
  Outcome outcome;
  outcome.messages = boxes_.Take();
  const auto& delivered = printers_.Delivered();
  outcome.printed.assign(delivered.begin() + static_cast<std::ptrdiff_t>(deliveredBefore), delivered.end());
  outcome.stopped = std::any_of(outcome.messages.begin(), outcome.messages.end(),
                                [](const ShownBox& box) { return box.icon == MessageIcon::kCritical; });
  return outcome;
}

}  // namespace vant::browser
