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

BrowserHost::BrowserHost(Platform& platform, CollectedBoxes& boxes, printing::PrinterList& printers,
                         PreviewOpener& preview, std::optional<std::filesystem::path> downloads)
    : platform_(platform), boxes_(boxes), printers_(printers), preview_(preview), downloads_(std::move(downloads)) {}

BrowserHost::~BrowserHost() = default;

std::string BrowserHost::AnswerTooLarge(std::uint32_t declaredLength) {
  return ErrorAnswer(TooLargeRefusal(declaredLength));
}

std::string BrowserHost::Answer(std::string_view bytes) {
  auto parsed = ParseRequest(bytes);
  if (const auto* refusal = std::get_if<Refusal>(&parsed)) return ErrorAnswer(*refusal);
  Request& request = std::get<Request>(parsed);
  try {
    if (request.kind == Request::Kind::kDocument) return AnswerDocument(request);
    return AnswerClick(request);
  } catch (const std::exception& e) {
    // What this request showed belongs to no later answer.
    (void)boxes_.Take();
    const auto* failure = dynamic_cast<const Failure*>(&e);
    return ErrorAnswer(
        {request.id, boxes_.ForPage(u"要求を処理できません: " + (failure ? failure->Description() : FromUtf8(e.what())))});
  }
}

void BrowserHost::NameDocuments(const DocumentRequest& document) {
  // The first document names the jobs and the PDF file; later ones (objects added by a
  // script) keep the numbering of the files already written.
  if (named_) return;
  named_ = true;
  const Text name = DocumentBaseName(document);
  printers_.SetDocumentName(name);
  // The PDF printer's own series of names (never one the user named), in the downloads.
  if (downloads_) printers_.PdfOutput().SetBaseName(name, *downloads_);
}

std::string BrowserHost::AnswerDocument(Request& request) {
  const std::size_t deliveredBefore = printers_.Delivered().size();
  NameDocuments(request.document);
  const BrowserPage page(std::move(request.document.page));
  std::vector<ControlButtons> buttons;
  for (std::size_t index : page.Controls()) {
    const std::int64_t key = request.document.keys[index];
    auto& slot = controls_[key];
    if (!slot) {
      // A control seen for the first time is created and shown, as the browser does with an
      // OBJECT: its property reading (the last one wins), then the show event.
      slot = std::make_unique<Control>(platform_, preview_);
      slot->control.ReadProperties(page.Document(), page.Bag(index));
      HoldPdfPrinterUnlessChosen(printers_, platform_.state.control);
      slot->control.Show();
    }
    buttons.push_back({key, PlaceOf(slot->view.PrintButton()), PlaceOf(slot->view.PreviewButton())});
  }
  return DocumentAnswer(request.id, buttons, Finish(deliveredBefore));
}

std::string BrowserHost::AnswerClick(const Request& request) {
  const auto found = controls_.find(request.control.key);
  if (found == controls_.end()) {
    return ErrorAnswer({request.id, u"key が " + DecimalText(request.control.key) + u" のコントロールはありません。"});
  }
  Control& control = *found->second;
  const std::size_t deliveredBefore = printers_.Delivered().size();
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

Outcome BrowserHost::Finish(std::size_t deliveredBefore) {
  try {
    printers_.EndOpenDocuments();
  } catch (const Failure& failure) {
    platform_.messages.Show(failure.Description(), MessageIcon::kCritical, u"エラー");
  }
  Outcome outcome;
  outcome.messages = boxes_.Take();
  const auto& delivered = printers_.Delivered();
  outcome.printed.assign(delivered.begin() + static_cast<std::ptrdiff_t>(deliveredBefore), delivered.end());
  outcome.stopped = std::any_of(outcome.messages.begin(), outcome.messages.end(),
                                [](const ShownBox& box) { return box.icon == MessageIcon::kCritical; });
  return outcome;
}

}  // namespace vant::browser
