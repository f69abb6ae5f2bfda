#include "platform/browser/browser_request.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <string>

#include "control/intake.h"
#include "platform/browser/native_messaging.h"
#include "platform/qt/qt_fonts.h"

namespace vant::browser {
namespace {

// A request that does not hold what it must: the reason, in Japanese.
struct Malformed {
  Text message;
};

Text Decimal(std::size_t n) { return DecimalText(static_cast<long long>(n)); }

// A name from the request, as it is quoted in a refusal: at most 64 characters.
Text Quoted(const QString& text) {
  Text quoted = qt::FromQString(text.left(64));
  if (text.size() > 64) quoted += u"…";
  return u"「" + quoted + u"」";
}

std::optional<std::int64_t> WholeNumber(const QJsonValue& value, double max) {
  if (!value.isDouble()) return std::nullopt;
  const double d = value.toDouble();
  if (!(d >= 0 && d <= max) || std::floor(d) != d) return std::nullopt;
  return static_cast<std::int64_t>(d);
}

std::int64_t RequiredKey(const QJsonObject& object, const Text& where) {
  const auto key = WholeNumber(object.value(QStringLiteral("key")), kMaxKey);
  if (!key) throw Malformed{where + u"\"key\" は 0 から 2147483647 までの整数で指定してください。"};
  return *key;
}

Text OptionalString(const QJsonObject& object, const char* name, const Text& where) {
  const QJsonValue value = object.value(QLatin1String(name));
  if (value.isUndefined() || value.isNull()) return Text();
  if (!value.isString()) {
    throw Malformed{where + u"\"" + FromUtf8(name) + u"\" は文字列で指定してください。"};
  }
  return qt::FromQString(value.toString());
}

Text ObjectPlace(qsizetype index) { return u"objects[" + Decimal(static_cast<std::size_t>(index)) + u"] の"; }

BrowserObject ReadObject(const QJsonValue& value, qsizetype index) {
  const Text where = ObjectPlace(index);
  if (!value.isObject()) throw Malformed{u"objects[" + Decimal(static_cast<std::size_t>(index)) + u"] はオブジェクトで指定してください。"};
  const QJsonObject object = value.toObject();
  BrowserObject read;
  read.key = RequiredKey(object, where);
  const QJsonValue id = object.value(QStringLiteral("id"));
  if (id.isString()) {
    read.id = qt::FromQString(id.toString());
  } else if (!id.isUndefined() && !id.isNull()) {
    throw Malformed{where + u"\"id\" は文字列か null で指定してください。"};
  }
  (void)OptionalString(object, "width", where);   // the extension's own; only checked
  (void)OptionalString(object, "height", where);
  const QJsonValue params = object.value(QStringLiteral("params"));
  if (!params.isArray()) throw Malformed{where + u"\"params\" は配列で指定してください。"};
  const QJsonArray list = params.toArray();
  read.params.reserve(static_cast<std::size_t>(list.size()));
  for (qsizetype p = 0; p < list.size(); ++p) {
    const QJsonArray pair = list.at(p).toArray();
    const bool ordered = pair.size() == 3;
    const bool shaped = list.at(p).isArray() && (pair.size() == 2 || ordered) && pair.at(0).isString() &&
                        pair.at(1).isString();
    std::optional<std::int64_t> order;
    if (ordered) order = WholeNumber(pair.at(2), kMaxId);
    if (!shaped || (ordered && !order)) {
      throw Malformed{where + u"params[" + Decimal(static_cast<std::size_t>(p)) +
                      u"] は [名前, 値] か [名前, 値, 順番] で指定してください。"};
    }
    read.params.push_back({qt::FromQString(pair.at(0).toString()), qt::FromQString(pair.at(1).toString())});
    if (order) read.paramOrder.push_back(*order);
  }
  return read;
}

// Either every PARAM carries its place in the document, each place once, or none does.
void CheckParamOrder(const std::vector<BrowserObject>& objects) {
  std::size_t params = 0;
  std::vector<std::int64_t> places;
  for (const BrowserObject& object : objects) {
    params += object.params.size();
    places.insert(places.end(), object.paramOrder.begin(), object.paramOrder.end());
  }
  if (places.empty()) return;
  std::sort(places.begin(), places.end());
  if (places.size() != params || std::adjacent_find(places.begin(), places.end()) != places.end()) {
    throw Malformed{u"PARAM の順番は、すべての PARAM に重複なく指定してください。"};
  }
}

bool OptionalFlag(const QJsonObject& object, const char* name, bool absent) {
  const QJsonValue value = object.value(QLatin1String(name));
  if (value.isUndefined()) return absent;
  if (!value.isBool()) throw Malformed{u"\"" + FromUtf8(name) + u"\" は true か false で指定してください。"};
  return value.toBool();
}

std::int64_t DocumentNumber(const QJsonObject& request) {
  const QJsonValue value = request.value(QStringLiteral("doc"));
  if (value.isUndefined()) return 0;
  const auto doc = WholeNumber(value, kMaxId);
  if (!doc) throw Malformed{u"要求の \"doc\" は 0 以上の整数で指定してください。"};
  return *doc;
}

DocumentRequest ReadDocument(const QJsonObject& request) {
  DocumentRequest document;
  document.url = OptionalString(request, "url", Text());
  document.title = OptionalString(request, "title", Text());
  document.origin = OptionalString(request, "origin", Text());
  document.autoRun = OptionalFlag(request, "autoRun", true);
  const QJsonValue objects = request.value(QStringLiteral("objects"));
  if (!objects.isArray()) throw Malformed{u"\"objects\" は配列で指定してください。"};
  const QJsonArray list = objects.toArray();
  if (static_cast<std::size_t>(list.size()) > kMaxObjects) {
    throw Malformed{u"OBJECT 要素が多すぎます (" + Decimal(static_cast<std::size_t>(list.size())) +
                    u" 個、上限 " + Decimal(kMaxObjects) + u" 個)。"};
  }
  std::size_t methods = 0;
  for (qsizetype i = 0; i < list.size(); ++i) {
    document.objects.push_back(ReadObject(list.at(i), i));
    for (const ParamElement& param : document.objects.back().params) methods += IsMethodName(param.name) ? 1 : 0;
  }
  if (methods > kMaxMethodParams) {
    throw Malformed{u"method で始まる PARAM 要素が多すぎます (" + Decimal(methods) + u" 個、上限 " +
                    Decimal(kMaxMethodParams) + u" 個)。"};
  }
  CheckParamOrder(document.objects);
  return document;
}

}  // namespace

std::variant<Request, Refusal> ParseRequest(std::string_view json) {
  QJsonParseError error{};
  const QJsonDocument parsed =
      QJsonDocument::fromJson(QByteArray::fromRawData(json.data(), static_cast<qsizetype>(json.size())), &error);
  if (error.error != QJsonParseError::NoError) {
    return Refusal{std::nullopt, u"要求を JSON として読めません (" + Decimal(static_cast<std::size_t>(error.offset)) +
                                     u" バイト目)。"};
  }
  if (!parsed.isObject()) return Refusal{std::nullopt, u"要求が JSON のオブジェクトではありません。"};
  const QJsonObject object = parsed.object();
  const auto id = WholeNumber(object.value(QStringLiteral("id")), kMaxId);
  if (!id) return Refusal{std::nullopt, u"要求の \"id\" は 0 以上の整数で指定してください。"};
  const QJsonValue kind = object.value(QStringLiteral("kind"));
  if (!kind.isString()) return Refusal{id, u"要求の \"kind\" は文字列で指定してください。"};
  Request request;
  request.id = *id;
  try {
    const QString name = kind.toString();
    request.doc = DocumentNumber(object);
    if (name == QLatin1String("document")) {
      request.kind = Request::Kind::kDocument;
      request.document = ReadDocument(object);
    } else if (name == QLatin1String("print") || name == QLatin1String("preview")) {
      request.kind = name == QLatin1String("print") ? Request::Kind::kPrint : Request::Kind::kPreview;
      request.control.key = RequiredKey(object, Text());
    } else if (name == QLatin1String("gone")) {
      request.kind = Request::Kind::kGone;
    } else {
      return Refusal{id, u"要求の種類" + Quoted(name) + u"は扱えません。"};
    }
  } catch (const Malformed& malformed) {
    return Refusal{id, malformed.message};
  }
  return request;
}

Refusal TooLargeRefusal(std::uint32_t declaredLength) {
  return Refusal{std::nullopt, u"要求が大きすぎます (" + Decimal(declaredLength) + u" バイト、上限 " +
                                   Decimal(kMaxRequestBytes) + u" バイト)。"};
}

}  // namespace vant::browser
