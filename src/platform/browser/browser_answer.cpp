#include "platform/browser/browser_answer.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "common/json_writer.h"
#include "platform/browser/native_messaging.h"

namespace vant::browser {
namespace {

enum class Detail { kFull, kShortened };

// A text as the answer holds it: whole, or cut to kShortTextUnits with an ellipsis.
void CutText(JsonWriter& json, TextView text, Detail detail) {
  if (detail == Detail::kFull || text.size() <= kShortTextUnits) {
    json.String(text);
  } else {
    json.String(Text(text.substr(0, kShortTextUnits)) + u"…");
  }
}

// Fewer bytes than the answer in full takes: every text's UTF-16 units (each one byte at
// least in UTF-8). An answer that cannot fit is not built in full, so that a thousand
// controls sharing a long caption never stand in a thousand copies.
std::size_t TextUnits(const Outcome& outcome) {
  std::size_t units = 0;
  for (const ShownBox& box : outcome.messages) units += box.title.size() + box.text.size();
  return units;
}

void ButtonJson(JsonWriter& json, const ButtonPlace& place, Detail detail) {
  json.BeginObject().Key("caption");
  CutText(json, place.caption.Get(), detail);
  json.Key("left").Int(place.left).Key("top").Int(place.top).Key("width").Int(place.width);
  json.Key("height").Int(place.height).Key("enabled").Bool(place.enabled).EndObject();
}

void DeliveredJson(JsonWriter& json, const printing::DeliveredDocument& delivered) {
  json.BeginObject().Key("printer").String(delivered.printer).Key("pages").Int(delivered.pages);
  if (delivered.jobId) json.Key("job").Int(*delivered.jobId);
  if (delivered.file) {
    // The PDF printer of a page writes into the user's download folder alone: the page
    // learns the file's name, and where it is in words, not the folder's path.
    json.Key("file").StringUtf8(delivered.file->filename().string()).Key("folder").StringUtf8("downloads");
  }
  json.EndObject();
}

void OutcomeJson(JsonWriter& json, const Outcome& outcome, Detail detail) {
  const bool shortened = detail == Detail::kShortened;
  const std::size_t listed = shortened ? kListedEntries : SIZE_MAX;
  json.BeginObject().Key("messages").BeginArray();
  for (std::size_t i = 0; i < outcome.messages.size() && i < listed; ++i) {
    const ShownBox& box = outcome.messages[i];
    json.BeginObject().Key("icon").StringUtf8(box.icon == MessageIcon::kCritical ? "critical" : "information");
    json.Key("title");
    CutText(json, box.title, detail);
    json.Key("text");
    CutText(json, box.text, detail);
    json.EndObject();
  }
  json.EndArray().Key("printed").BeginArray();
  for (std::size_t i = 0; i < outcome.printed.size() && i < listed; ++i) DeliveredJson(json, outcome.printed[i]);
  json.EndArray().Key("stopped").Bool(outcome.stopped);
  if (shortened) {
    const auto over = [&](std::size_t n) { return static_cast<std::int64_t>(n > listed ? n - listed : 0); };
    json.Key("omitted").BeginObject().Key("messages").Int(over(outcome.messages.size()));
    json.Key("printed").Int(over(outcome.printed.size())).EndObject();
  }
  json.EndObject();
}

// The answer in full, or shortened when the full one is over kMaxAnswerBytes (measured in
// the bytes written), or the refusal of one that is over the limit either way. build
// writes the answer's object for a detail into the writer it is given.
std::string Fitted(std::int64_t id, std::size_t leastFullBytes,
                   const std::function<void(JsonWriter&, Detail)>& build) {
  for (Detail detail : {Detail::kFull, Detail::kShortened}) {
    if (detail == Detail::kFull && leastFullBytes > kMaxAnswerBytes) continue;
    JsonWriter json;
    build(json, detail);
    std::string answer = std::move(json).Take();
    if (answer.size() <= kMaxAnswerBytes) return answer;
  }
  return ErrorAnswer(Refusal{id, u"応答が大きすぎるため送れません。"});
}

const char* KindName(Request::Kind kind) {
  switch (kind) {
    case Request::Kind::kDocument: return "document";
    case Request::Kind::kPrint: return "print";
    case Request::Kind::kPreview: return "preview";
    case Request::Kind::kGone: return "gone";
  }
  return "error";
}

}  // namespace

ButtonPlace PlaceOf(const Button& button) {
  return {button.Caption(), button.Left(), button.Top(), button.Width(), button.Height(), button.Enabled()};
}

std::string DocumentAnswer(std::int64_t id, const std::vector<ControlButtons>& controls, const Outcome& outcome) {
  std::size_t leastBytes = TextUnits(outcome);
  for (const ControlButtons& control : controls) leastBytes += control.print.caption.size() + control.preview.caption.size();
  return Fitted(id, leastBytes, [&](JsonWriter& json, Detail detail) {
    json.BeginObject().Key("kind").StringUtf8("document").Key("id").Int(id).Key("controls").BeginArray();
    for (const ControlButtons& control : controls) {
      json.BeginObject().Key("key").Int(control.key).Key("print");
      ButtonJson(json, control.print, detail);
      json.Key("preview");
      ButtonJson(json, control.preview, detail);
      json.EndObject();
    }
    json.EndArray().Key("outcome");
    OutcomeJson(json, outcome, detail);
    json.EndObject();
  });
}

std::string ControlAnswer(Request::Kind kind, std::int64_t id, const Outcome& outcome) {
  return Fitted(id, TextUnits(outcome), [&](JsonWriter& json, Detail detail) {
    json.BeginObject().Key("kind").StringUtf8(KindName(kind)).Key("id").Int(id).Key("outcome");
    OutcomeJson(json, outcome, detail);
    json.EndObject();
  });
}

std::string ErrorAnswer(const Refusal& refusal) {
  // A refusal quotes at most a few names from the request: it always fits.
  JsonWriter json;
  json.BeginObject().Key("kind").StringUtf8("error").Key("id");
  if (refusal.id) {
    json.Int(*refusal.id);
  } else {
    json.Null();
  }
  json.Key("message").String(refusal.message).EndObject();
  return std::move(json).Take();
}

}  // namespace vant::browser
