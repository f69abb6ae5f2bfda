#include "platform/host/page_reply.h"

#include <algorithm>

namespace vant::platform {
namespace {

// The first byte of a reply.
enum class Kind : std::uint8_t { kParams = 0, kRefused = 1, kIdMissing = 2 };
constexpr auto kLastEncoding = static_cast<std::uint8_t>(PageEncoding::kEucJp);

class Writer {
 public:
  void Byte(std::uint8_t value) { out_.push_back(static_cast<char>(value)); }
  void Number(std::uint64_t value) {  // 8 bytes, least significant first
    for (int i = 0; i < 8; ++i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void String(std::string_view bytes) {
    Number(bytes.size());
    out_.append(bytes);
  }
  void Text16(TextView text) { String(ToUtf8(text)); }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

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

void WriteParams(Writer& out, const ReadPageParams& page) {
  out.Byte(static_cast<std::uint8_t>(page.encoding));
  out.Number(page.replacedSequences);
  out.Byte(page.hasObject ? 1 : 0);
  out.Number(page.objectParams.size());
  for (const ParamElement& param : page.objectParams) {
    out.Text16(param.name);
    out.Text16(param.value);
    out.Number(param.line);
  }
  out.Byte(page.control ? 1 : 0);
  if (!page.control) return;
  for (const std::optional<Text>* attribute : {&page.control->id, &page.control->width, &page.control->height}) {
    out.Byte(*attribute ? 1 : 0);
    if (*attribute) out.Text16(**attribute);
  }
  out.Number(page.control->line);
  out.Number(page.control->params.size());
  for (const std::size_t index : page.control->params) out.Number(index);
}

std::optional<ReadPageParams> ReadParams(Reader& in) {
  ReadPageParams page;
  page.encoding = static_cast<PageEncoding>(in.Byte(kLastEncoding));
  page.replacedSequences = in.Number(UINT64_MAX);
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
  Writer out;
  if (const auto* page = std::get_if<ReadPageParams>(&reply)) {
    out.Byte(static_cast<std::uint8_t>(Kind::kParams));
    WriteParams(out, *page);
  } else if (const auto* refused = std::get_if<PageRefused>(&reply)) {
    out.Byte(static_cast<std::uint8_t>(Kind::kRefused));
    out.String(refused->message);
  } else {
    const auto& missing = std::get<ObjectIdMissing>(reply);
    out.Byte(static_cast<std::uint8_t>(Kind::kIdMissing));
    out.String(missing.id);
    out.String(missing.message);
  }
  return out.Take();
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
