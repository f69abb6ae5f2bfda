// What the page-reading child hands back to the parent, and its small length-prefixed
// form on the pipe: either the PARAMs the control needs or the reason the page was refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/text.h"
#include "control/host.h"
#include "platform/host/html_charset.h"
#include "platform/host/page_elements.h"

namespace vant::platform {

// The most PARAMs a page may hand over: thirty times the 32767 methods a control can hold,
// few enough that the reading process stays far below its memory goal.
inline constexpr std::size_t kMaxReplyParams = 1'000'000;
// Why a page of more PARAMs is refused, whoever read it.
std::string TooManyParamsReason();

struct ReadPageParams {
  PageEncoding encoding = PageEncoding::kUtf8;
  std::size_t replacedSequences = 0;
  bool utf8Text = false;                   // declared Shift_JIS or EUC-JP, holds Japanese text in UTF-8
  std::vector<ParamElement> objectParams;  // every PARAM inside an OBJECT
  bool hasObject = false;
  std::optional<HostObject> control;       // its params index objectParams
};

struct PageRefused {
  std::string message;  // names the file
};

struct ObjectIdMissing {
  std::string id;  // UTF-8
  std::string message;
};

using PageReply = std::variant<ReadPageParams, PageRefused, ObjectIdMissing>;

std::string EncodeReply(const PageReply& reply);

// Writes the reply of a page that was read as its parse is walked: each PARAM's text goes
// from the parser's tree into the reply as it stands, converted and copied nowhere else.
// The control is chosen when the walk is over, by ChooseControl's rule.
class ParamsReplyBuilder final : public PageElementSink {
 public:
  ParamsReplyBuilder(PageEncoding encoding, std::size_t replacedSequences, bool utf8Text, std::size_t sizeHint);
  void Object(const char* id, const char* width, const char* height, uint32_t line) override;
  void Param(std::size_t object, std::string_view name, std::string_view value, uint32_t line) override;
  // The whole reply. An objectId that no OBJECT carries throws HostObjectNotFound.
  std::string Finish(const std::optional<Text>& objectId) &&;

 private:
  std::string reply_;
  std::size_t params_ = 0;
  std::vector<HostObject> objects_;
  std::vector<bool> holdsMethodParam_;  // for each of objects_
};

// Reads a reply back; nothing when the bytes are not a whole, consistent reply (a length
// beyond the end, an index beyond the PARAMs, an unknown kind or encoding, bytes left over,
// more than kMaxReplyParams PARAMs).
std::optional<PageReply> DecodeReply(std::string_view bytes);

}  // namespace vant::platform
