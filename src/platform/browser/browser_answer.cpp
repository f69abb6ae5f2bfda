#include "platform/browser/browser_answer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <functional>

#include "platform/browser/native_messaging.h"
#include "platform/qt/qt_fonts.h"

namespace vant::browser {
namespace {

enum class Detail { kFull, kShortened };

QString Q(TextView text) { return qt::ToQString(text); }

QString Cut(TextView text, Detail detail) {
  if (detail == Detail::kFull || text.size() <= kShortTextUnits) return Q(text);
  return Q(text.substr(0, kShortTextUnits)) + QString::fromUtf8("…");
}

// Fewer bytes than the answer in full takes: every text's UTF-16 units (each one byte at
// least in UTF-8). An answer that cannot fit is not built in full, so that a thousand
// controls sharing a long caption never stand in a thousand copies.
std::size_t TextUnits(const Outcome& outcome) {
  std::size_t units = 0;
  for (const ShownBox& box : outcome.messages) units += box.title.size() + box.text.size();
  return units;
}

QJsonObject ButtonJson(const ButtonPlace& place, Detail detail) {
  return QJsonObject{{"caption", Cut(place.caption.Get(), detail)}, {"left", place.left},   {"top", place.top},
                     {"width", place.width},        {"height", place.height}, {"enabled", place.enabled}};
}

QJsonObject DeliveredJson(const printing::DeliveredDocument& delivered) {
  QJsonObject json{{"printer", Q(delivered.printer)}, {"pages", delivered.pages}};
  if (delivered.jobId) json.insert("job", *delivered.jobId);
  if (delivered.file) {
    // The PDF printer of a page writes into the user's download folder alone: the page
    // learns the file's name, and where it is in words, not the folder's path.
    json.insert("file", QString::fromStdString(delivered.file->filename().string()));
    json.insert("folder", "downloads");
  }
  return json;
}

QJsonObject OutcomeJson(const Outcome& outcome, Detail detail) {
  const bool shortened = detail == Detail::kShortened;
  const std::size_t listed = shortened ? kListedEntries : SIZE_MAX;
  QJsonArray messages;
  for (std::size_t i = 0; i < outcome.messages.size() && i < listed; ++i) {
    const ShownBox& box = outcome.messages[i];
    messages.append(QJsonObject{{"icon", box.icon == MessageIcon::kCritical ? "critical" : "information"},
                                {"title", Cut(box.title, detail)},
                                {"text", Cut(box.text, detail)}});
  }
  QJsonArray printed;
  for (std::size_t i = 0; i < outcome.printed.size() && i < listed; ++i) printed.append(DeliveredJson(outcome.printed[i]));
  QJsonObject json{{"messages", messages}, {"printed", printed}, {"stopped", outcome.stopped}};
  if (shortened) {
    const auto over = [&](std::size_t n) { return static_cast<qint64>(n > listed ? n - listed : 0); };
    json.insert("omitted", QJsonObject{{"messages", over(outcome.messages.size())},
                                       {"printed", over(outcome.printed.size())}});
  }
  return json;
}

std::string Compact(const QJsonObject& json) {
  return QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString();
}

QJsonValue IdJson(std::optional<std::int64_t> id) { return id ? QJsonValue(static_cast<qint64>(*id)) : QJsonValue(); }

std::string Fitted(std::int64_t id, std::size_t leastFullBytes, const std::function<QJsonObject(Detail)>& build) {
  for (Detail detail : {Detail::kFull, Detail::kShortened}) {
    if (detail == Detail::kFull && leastFullBytes > kMaxAnswerBytes) continue;
    std::string json = Compact(build(detail));
    if (json.size() <= kMaxAnswerBytes) return json;
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
  return Fitted(id, leastBytes, [&](Detail detail) {
    QJsonArray list;
    for (const ControlButtons& control : controls) {
      list.append(QJsonObject{{"key", static_cast<qint64>(control.key)},
                              {"print", ButtonJson(control.print, detail)},
                              {"preview", ButtonJson(control.preview, detail)}});
    }
    return QJsonObject{{"kind", "document"}, {"id", static_cast<qint64>(id)}, {"controls", list},
                       {"outcome", OutcomeJson(outcome, detail)}};
  });
}

std::string ControlAnswer(Request::Kind kind, std::int64_t id, const Outcome& outcome) {
  return Fitted(id, TextUnits(outcome), [&](Detail detail) {
    return QJsonObject{{"kind", KindName(kind)}, {"id", static_cast<qint64>(id)},
                       {"outcome", OutcomeJson(outcome, detail)}};
  });
}

std::string ErrorAnswer(const Refusal& refusal) {
  // A refusal quotes at most a few names from the request: it always fits.
  return Compact(QJsonObject{{"kind", "error"}, {"id", IdJson(refusal.id)}, {"message", Q(refusal.message)}});
}

}  // namespace vant::browser
