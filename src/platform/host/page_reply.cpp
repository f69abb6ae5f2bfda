#include "platform/host/page_reply.h"

#include <algorithm>

#include "control/intake.h"
#include "platform/host/host_page.h"

namespace vant::platform {
namespace {

// The first byte of a reply.
enum class Kind : std::uint8_t { kParams = 0, kRefused = 1, kIdMissing = 2 };
constexpr auto kLastEncoding = static_cast<std::uint8_t>(PageEncoding::kEucJp);

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}
  void Byte(std::uint8_t value) { out_.push_back(static_cast<char>(value)); }
  void Number(std::uint64_t value) {  // 8 bytes, least significant first
    for (int i = 0; i < 8; ++i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void String(std::string_view bytes) {
    Number(bytes.size());
    out_.append(bytes);
  }
  void Text16(TextView text) { String(ToUtf8(text)); }
  // Writes a number over the 8 bytes at, written before it was known.
  void NumberAt(std::size_t at, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) out_[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  }

 private:
  std::string& out_;
};

// A PARAMs reply in three parts: its head, each PARAM, and its end with the control.
// Where the head's object flag and PARAM count stand: after the kind, the encoding, the
// count of replaced sequences and the UTF-8 text flag.
constexpr std::size_t kHasObjectAt = 1 + 1 + 8 + 1;
constexpr std::size_t kParamCountAt = kHasObjectAt + 1;

void WriteParamsHead(Writer out, PageEncoding encoding, std::size_t replacedSequences, bool utf8Text) {
  out.Byte(static_cast<std::uint8_t>(Kind::kParams));
  out.Byte(static_cast<std::uint8_t>(encoding));
  out.Number(replacedSequences);
  out.Byte(utf8Text ? 1 : 0);
  out.Byte(0);    // whether the page has an OBJECT, written at the end
  out.Number(0);  // the PARAM count, written at the end
}

void WriteParam(Writer out, std::string_view name, std::string_view value, std::uint32_t line) {
  out.String(name);
  out.String(value);
  out.Number(line);
}

void WriteParamsEnd(std::string& reply, std::size_t params, bool hasObject, const HostObject* control) {
  Writer out(reply);
  reply[kHasObjectAt] = hasObject ? 1 : 0;
  out.NumberAt(kParamCountAt, params);
  out.Byte(control ? 1 : 0);
  if (!control) return;
  for (const std::optional<Text>* attribute : {&control->id, &control->width, &control->height}) {
    out.Byte(*attribute ? 1 : 0);
    if (*attribute) out.Text16(**attribute);
  }
  out.Number(control->line);
  out.Number(control->params.size());
  for (const std::size_t index : control->params) out.Number(index);
}

// Reads what Writer wrote; any read past the end or out of range marks the reply broken.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool Broken() const { return broken_; }
  bool AtEnd() const { return at_ == bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - at_; }

  std::uint8_t Byte(std::uint8_t highest = 0xFF) {
    if (broken_ || at_ >= bytes_.size()) return Break<std::uint8_t>();
    const auto value = static_cast<std::uint8_t>(bytes_[at_++]);
    return value > highest ? Break<std::uint8_t>() : value;
  }
  bool Flag() { return Byte(1) == 1; }
  std::uint64_t Number(std::uint64_t highest) {
    if (broken_ || Left() < 8) return Break<std::uint64_t>();
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value |= std::uint64_t{static_cast<std::uint8_t>(bytes_[at_++])} << (8 * i);
    return value > highest ? Break<std::uint64_t>() : value;
  }
  std::string_view String() {
    const std::uint64_t length = Number(UINT64_MAX);
    if (broken_ || length > Left()) return Break<std::string_view>();
    const std::string_view text = bytes_.substr(at_, length);
    at_ += length;
    return text;
  }
  Text Text16() { return FromUtf8(String()); }

 private:
  template <typename T>
  T Break() {
    broken_ = true;
    return T{};
  }
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool broken_ = false;
};

// The smallest PARAM on the pipe: a name and a value are at least their two lengths, and
// its line follows them.
constexpr std::size_t kSmallestParamBytes = 24;

std::string ParamsReply(const ReadPageParams& page) {
  std::string reply;
  WriteParamsHead(Writer(reply), page.encoding, page.replacedSequences, page.utf8Text);
  for (const ParamElement& param : page.objectParams) {
    WriteParam(Writer(reply), ToUtf8(param.name), ToUtf8(param.value), param.line);
  }
  WriteParamsEnd(reply, page.objectParams.size(), page.hasObject, page.control ? &*page.control : nullptr);
  return reply;
}

std::optional<ReadPageParams> ReadParams(Reader& in) {
  ReadPageParams page;
  page.encoding = static_cast<PageEncoding>(in.Byte(kLastEncoding));
  page.replacedSequences = in.Number(UINT64_MAX);
  page.utf8Text = in.Flag();
  page.hasObject = in.Flag();
  const std::size_t count = in.Number(std::min(kMaxReplyParams, in.Left() / kSmallestParamBytes));
  page.objectParams.reserve(count);
  for (std::size_t i = 0; i < count && !in.Broken(); ++i) {
    Text name = in.Text16();
    Text value = in.Text16();
    page.objectParams.push_back({std::move(name), std::move(value), static_cast<uint32_t>(in.Number(UINT32_MAX))});
  }
  if (in.Flag()) {
    HostObject control;
    for (std::optional<Text>* attribute : {&control.id, &control.width, &control.height}) {
      if (in.Flag()) *attribute = in.Text16();
    }
    control.line = static_cast<uint32_t>(in.Number(UINT32_MAX));
    const std::size_t owned = in.Number(std::min(page.objectParams.size(), in.Left() / 8));
    control.params.reserve(owned);
    for (std::size_t i = 0; i < owned && !in.Broken(); ++i) {
      // An index within the PARAMs, in increasing order: each PARAM belongs to one OBJECT.
      const std::size_t index = in.Number(page.objectParams.size() - 1);
      if (!control.params.empty() && index <= control.params.back()) return std::nullopt;
      control.params.push_back(index);
    }
    if (!page.hasObject) return std::nullopt;
    page.control = std::move(control);
  }
  if (in.Broken()) return std::nullopt;
  return page;
}

}  // namespace

std::string TooManyParamsReason() {
  return "PARAM 要素が多すぎます (上限 " + std::to_string(kMaxReplyParams) + " 個)";
}

std::string EncodeReply(const PageReply& reply) {
  if (const auto* page = std::get_if<ReadPageParams>(&reply)) return ParamsReply(*page);
  std::string bytes;
  Writer out(bytes);
  if (const auto* refused = std::get_if<PageRefused>(&reply)) {
    out.Byte(static_cast<std::uint8_t>(Kind::kRefused));
    out.String(refused->message);
  } else {
    const auto& missing = std::get<ObjectIdMissing>(reply);
    out.Byte(static_cast<std::uint8_t>(Kind::kIdMissing));
    out.String(missing.id);
    out.String(missing.message);
  }
  return bytes;
}

ParamsReplyBuilder::ParamsReplyBuilder(PageEncoding encoding, std::size_t replacedSequences, bool utf8Text,
                                       std::size_t sizeHint) {
  reply_.reserve(sizeHint);
  WriteParamsHead(Writer(reply_), encoding, replacedSequences, utf8Text);
}

void ParamsReplyBuilder::Object(const char* id, const char* width, const char* height, uint32_t line) {
  objects_.push_back(ObjectOf(id, width, height, line));
  holdsMethodParam_.push_back(false);
}

void ParamsReplyBuilder::Param(std::size_t object, std::string_view name, std::string_view value, uint32_t line) {
  WriteParam(Writer(reply_), name, value, line);
  objects_.at(object).params.push_back(params_++);
  // Only until the OBJECT's first method line: the rest need no look.
  if (!holdsMethodParam_[object]) holdsMethodParam_[object] = IsMethodName(FromUtf8(name));
}

std::string ParamsReplyBuilder::Finish(const std::optional<Text>& objectId) && {
  const std::optional<std::size_t> control = ChooseControl(objects_, holdsMethodParam_, objectId);
  WriteParamsEnd(reply_, params_, !objects_.empty(), control ? &objects_[*control] : nullptr);
  return std::move(reply_);
}

std::optional<PageReply> DecodeReply(std::string_view bytes) {
  Reader in(bytes);
  std::optional<PageReply> reply;
  switch (static_cast<Kind>(in.Byte(static_cast<std::uint8_t>(Kind::kIdMissing)))) {
    case Kind::kParams:
      if (auto page = ReadParams(in)) reply = std::move(*page);
      break;
    case Kind::kRefused:
      reply = PageRefused{std::string(in.String())};
      break;
    case Kind::kIdMissing: {
      std::string id(in.String());
      reply = ObjectIdMissing{std::move(id), std::string(in.String())};
      break;
    }
  }
  if (in.Broken() || !in.AtEnd()) return std::nullopt;
  return reply;
}

}  // namespace vant::platform
