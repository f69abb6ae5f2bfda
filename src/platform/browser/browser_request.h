// The requests the browser extension sends, read from their JSON and checked: every member
// a page could influence is untrusted, so a request that is not exactly as described is
// refused with a Japanese reason and never reaches the control.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "common/text.h"
#include "control/host.h"

namespace vant::browser {

// Bounds besides the message size: OBJECT elements a document may hold (each control's
// buttons are in the answer, which must stay under the browser's 1 MiB) and method PARAMs
// (the control counts its methods in 16 bits).
inline constexpr std::size_t kMaxObjects = 1024;
inline constexpr std::size_t kMaxMethodParams = 32767;
// Keys of OBJECT elements: whole numbers 0..2^31-1; request ids: 0..2^53-1, exact in JSON.
inline constexpr double kMaxKey = 2147483647.0;
inline constexpr double kMaxId = 9007199254740991.0;

struct BrowserObject {
  std::int64_t key = 0;
  std::optional<Text> id;            // the element's id attribute
  std::vector<ParamElement> params;  // its own PARAM children, in document order
  // Each PARAM's place among all PARAMs inside OBJECTs of the document, when OBJECTs nest.
  std::vector<std::int64_t> paramOrder;
};

struct DocumentRequest {
  Text url;
  Text title;
  std::vector<BrowserObject> objects;  // every OBJECT element, in document order
  // Set by the extension, never by the page: the document's origin (its Mode 1 runs are
  // counted per origin) and whether it may print its Mode 1 list by itself at all.
  Text origin;
  bool autoRun = true;
};

struct ControlRequest {  // print or preview
  std::int64_t key = 0;
};

struct Request {
  // kGone: the document has left the tab (its controls go with it).
  enum class Kind { kDocument, kPrint, kPreview, kGone };
  Kind kind = Kind::kDocument;
  std::int64_t id = 0;
  // Which document of the tab the request comes from: a number the extension gives each
  // document once (0..2^53-1; 0 when left out).
  std::int64_t doc = 0;
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
