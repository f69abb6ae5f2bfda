#include "platform/browser/browser_request.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>
#include <utility>

#include "control/intake.h"
#include "platform/browser/json_reader.h"
#include "platform/browser/native_messaging.h"
#include "platform/host/page_reply.h"

namespace vant::browser {
namespace {

// A request that does not hold what it must: the reason, in Japanese.
struct Malformed {
  Text message;
};

using MemberList = std::vector<std::pair<Text, JsonValue>>;

Text Decimal(std::size_t n) { return DecimalText(static_cast<long long>(n)); }

// A name from the request, as it is quoted in a refusal: at most 64 characters.
Text Quoted(const Text& text) {
  Text quoted = text.substr(0, 64);
  if (text.size() > 64) quoted += u"…";
  return u"「" + quoted + u"」";
}

// The members of an object by name; a name given twice is refused rather than guessed at
// (the extension never sends one twice).
class MemberMap {
 public:
  MemberMap(const JsonValue& object, const Text& where) : list_(Members(object)) {
    std::vector<const Text*> names;
    for (const auto& member : list_) names.push_back(&member.first);
    std::sort(names.begin(), names.end(), [](const Text* a, const Text* b) { return *a < *b; });
    const auto twice = std::adjacent_find(names.begin(), names.end(), [](const Text* a, const Text* b) { return *a == *b; });
    if (twice != names.end()) throw Malformed{where + Quoted(**twice) + u"が 2 回指定されています。"};
  }
  // The member's value; a JSON undefined (absent) value when there is none.
  std::optional<JsonValue> Find(TextView name) const {
    for (const auto& [n, value] : list_) {
      if (n == name) return value;
    }
    return std::nullopt;
  }

 private:
  MemberList list_;
};

std::optional<std::int64_t> WholeNumber(const std::optional<JsonValue>& value, double max) {
  if (!value) return std::nullopt;
  const std::optional<double> d = NumberOf(*value);
  if (!d || !(*d >= 0 && *d <= max) || std::floor(*d) != *d) return std::nullopt;
  return static_cast<std::int64_t>(*d);
}

std::int64_t RequiredKey(const MemberMap& object, const Text& where) {
  const auto key = WholeNumber(object.Find(u"key"), kMaxKey);
  if (!key) throw Malformed{where + u"\"key\" は 0 から 2147483647 までの整数で指定してください。"};
  return *key;
}

std::optional<Text> OptionalString(const MemberMap& object, const char16_t* name, const Text& where) {
  const std::optional<JsonValue> value = object.Find(name);
  if (!value || value->Is(JsonType::kNull)) return std::nullopt;
  if (!value->Is(JsonType::kString)) throw Malformed{where + u"\"" + name + u"\" は文字列で指定してください。"};
  return DecodedText(*value);
}

Text ObjectPlace(std::size_t index) { return u"objects[" + Decimal(index) + u"] の"; }

// Reads the document's OBJECT elements one after the other into the page, each PARAM
// decoded once into page.objectParams (object by object; PutInDocumentOrder then follows
// the places the PARAMs carry).
class DocumentReader {
 public:
  explicit DocumentReader(DocumentRequest& document) : document_(document) {}

  void ReadObject(const JsonValue& value, std::size_t index) {
    if (!value.Is(JsonType::kObject)) throw Malformed{u"objects[" + Decimal(index) + u"] はオブジェクトで指定してください。"};
    const Text where = ObjectPlace(index);
    const MemberMap object(value, where);
    platform::HostObject read;
    const std::int64_t key = RequiredKey(object, where);
    const std::optional<JsonValue> id = object.Find(u"id");
    if (id && id->Is(JsonType::kString)) {
      read.id = DecodedText(*id);
    } else if (id && !id->Is(JsonType::kNull)) {
      throw Malformed{where + u"\"id\" は文字列か null で指定してください。"};
    }
    (void)OptionalString(object, u"width", where);  // the extension's own; only checked
    (void)OptionalString(object, u"height", where);
    const std::optional<JsonValue> params = object.Find(u"params");
    if (!params || !params->Is(JsonType::kArray)) throw Malformed{where + u"\"params\" は配列で指定してください。"};
    std::size_t p = 0;
    ForEachElement(*params, [&](const JsonValue& param) {
      read.params.push_back(document_.page.objectParams.size());
      ReadParam(param, where, p++);
      return true;
    });
    document_.page.objects.push_back(std::move(read));
    document_.keys.push_back(key);
  }

  // Every PARAM carries its place in the document, each place once, or none does.
  void PutInDocumentOrder() {
    auto& params = document_.page.objectParams;
    if (places_.empty()) return;
    if (places_.size() != params.size()) throw Malformed{kOrderMessage};
    // order[k]: the PARAM (as read) that comes k-th in the document.
    std::vector<std::uint32_t> order(params.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return places_[a] < places_[b]; });
    const auto same = [&](std::uint32_t a, std::uint32_t b) { return places_[a] == places_[b]; };
    if (std::adjacent_find(order.begin(), order.end(), same) != order.end()) throw Malformed{kOrderMessage};
    places_ = {};
    // rank[i]: where the PARAM read i-th goes. The PARAMs move into place by cycles, each
    // once, without a second list of them.
    std::vector<std::uint32_t> rank(params.size());
    for (std::uint32_t k = 0; k < order.size(); ++k) rank[order[k]] = k;
    order = {};
    for (auto& object : document_.page.objects) {
      for (std::size_t& index : object.params) index = rank[index];
    }
    for (std::uint32_t i = 0; i < rank.size(); ++i) {
      while (rank[i] != i) {
        const std::uint32_t to = rank[i];
        std::swap(params[i], params[to]);
        std::swap(rank[i], rank[to]);
      }
    }
  }

  std::size_t MethodParams() const { return methods_; }

 private:
  static constexpr const char16_t* kOrderMessage = u"PARAM の順番は、すべての PARAM に重複なく指定してください。";

  void ReadParam(const JsonValue& value, const Text& where, std::size_t index) {
    if (document_.page.objectParams.size() == platform::kMaxReplyParams) {
      throw Malformed{FromUtf8(platform::TooManyParamsReason()) + u"。"};
    }
    std::array<JsonValue, 4> parts;  // one more than a PARAM has, to tell a longer list
    std::size_t count = 0;
    ForEachElement(value, [&](const JsonValue& part) {
      parts[count++] = part;
      return count < parts.size();
    });
    const bool shaped = value.Is(JsonType::kArray) && (count == 2 || count == 3) && parts[0].Is(JsonType::kString) &&
                        parts[1].Is(JsonType::kString);
    std::optional<std::int64_t> place;
    if (shaped && count == 3) place = WholeNumber(parts[2], kMaxId);
    if (!shaped || (count == 3 && !place)) {
      throw Malformed{where + u"params[" + Decimal(index) + u"] は [名前, 値] か [名前, 値, 順番] で指定してください。"};
    }
    ParamElement& param = document_.page.objectParams.emplace_back();
    param.name = DecodedText(parts[0]);
    param.value = DecodedText(parts[1]);
    methods_ += IsMethodName(param.name) ? 1 : 0;
    if (place) places_.push_back(*place);
  }

  DocumentRequest& document_;
  std::vector<std::int64_t> places_;  // of the PARAMs read so far, when they carry places
  std::size_t methods_ = 0;
};

DocumentRequest ReadDocument(const MemberMap& request) {
  DocumentRequest document;
  document.url = OptionalString(request, u"url", Text()).value_or(Text());
  document.title = OptionalString(request, u"title", Text()).value_or(Text());
  const std::optional<JsonValue> objects = request.Find(u"objects");
  if (!objects || !objects->Is(JsonType::kArray)) throw Malformed{u"\"objects\" は配列で指定してください。"};
  const std::size_t count = ElementCount(*objects);
  if (count > kMaxObjects) {
    throw Malformed{u"OBJECT 要素が多すぎます (" + Decimal(count) + u" 個、上限 " + Decimal(kMaxObjects) + u" 個)。"};
  }
  DocumentReader reader(document);
  std::size_t index = 0;
  ForEachElement(*objects, [&](const JsonValue& object) {
    reader.ReadObject(object, index++);
    return true;
  });
  if (reader.MethodParams() > kMaxMethodParams) {
    throw Malformed{u"method で始まる PARAM 要素が多すぎます (" + Decimal(reader.MethodParams()) + u" 個、上限 " +
                    Decimal(kMaxMethodParams) + u" 個)。"};
  }
  reader.PutInDocumentOrder();
  return document;
}

}  // namespace

std::variant<Request, Refusal> ParseRequest(std::string_view json) {
  JsonValue root;
  try {
    root = CheckedJson(json);
  } catch (const JsonSyntaxError& error) {
    return Refusal{std::nullopt, u"要求を JSON として読めません (" + Decimal(error.offset) + u" バイト目)。"};
  }
  if (!root.Is(JsonType::kObject)) return Refusal{std::nullopt, u"要求が JSON のオブジェクトではありません。"};
  std::optional<MemberMap> object;
  try {
    object.emplace(root, u"要求の");
  } catch (const Malformed& malformed) {
    return Refusal{std::nullopt, malformed.message};
  }
  const auto id = WholeNumber(object->Find(u"id"), kMaxId);
  if (!id) return Refusal{std::nullopt, u"要求の \"id\" は 0 以上の整数で指定してください。"};
  const std::optional<JsonValue> kind = object->Find(u"kind");
  if (!kind || !kind->Is(JsonType::kString)) return Refusal{id, u"要求の \"kind\" は文字列で指定してください。"};
  Request request;
  request.id = *id;
  try {
    const Text name = DecodedText(*kind);
    if (name == u"document") {
      request.kind = Request::Kind::kDocument;
      request.document = ReadDocument(*object);
    } else if (name == u"print" || name == u"preview") {
      request.kind = name == u"print" ? Request::Kind::kPrint : Request::Kind::kPreview;
      request.control.key = RequiredKey(*object, Text());
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
