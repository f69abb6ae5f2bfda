// The requests the browser extension sends, read from their JSON and checked: every member
// a page could influence is untrusted, so a request that is not exactly as described is
// refused with a Japanese reason and never reaches the control. The JSON is read where it
// lies (no tree of it is built): each PARAM's name and value are decoded once, into the
// place the control reads them from.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "common/text.h"
#include "control/host.h"
#include "platform/host/host_page_objects.h"

namespace vant::browser {

// Bounds besides the message size: OBJECT elements a document may hold (each control's
// buttons are in the answer, which must stay under the browser's 1 MiB), method PARAMs
// (the control counts its methods in 16 bits) and PARAMs of any name (as many as a page
// file may hand over, platform::kMaxReplyParams), so that what the host keeps of a request
// stays a small multiple of its size.
inline constexpr std::size_t kMaxObjects = 1024;
inline constexpr std::size_t kMaxMethodParams = 32767;
// Keys of OBJECT elements: whole numbers 0..2^31-1; request ids: 0..2^53-1, exact in JSON.
inline constexpr double kMaxKey = 2147483647.0;
inline constexpr double kMaxId = 9007199254740991.0;

struct DocumentRequest {
  Text url;
  Text title;
  // Every OBJECT element (with its id and its own PARAMs) and every PARAM inside one, in
  // document order: by the places the request gives each PARAM when OBJECTs nest, else
  // object by object.
  platform::PageObjects page;
  std::vector<std::int64_t> keys;  // the key of each of page.objects
};

struct ControlRequest {  // print or preview
  std::int64_t key = 0;
};

struct Request {
  enum class Kind { kDocument, kPrint, kPreview };
  Kind kind = Kind::kDocument;
  std::int64_t id = 0;
  DocumentRequest document;  // for kDocument
  ControlRequest control;    // for kPrint and kPreview
};

struct Refusal {
  std::optional<std::int64_t> id;  // when the request's id could be read
  Text message;
};

std::variant<Request, Refusal> ParseRequest(std::string_view json);

// The refusal of a message longer than the host reads.
Refusal TooLargeRefusal(std::uint32_t declaredLength);

}  // namespace vant::browser
