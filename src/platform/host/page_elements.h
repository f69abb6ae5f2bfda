// What a walk of a host page's parse hands over, and the one who takes it: an OBJECT and
// the PARAMs inside it, to a PageElementSink. Declared apart from the walk
// (host_page_objects.h) and from the sinks (its collector there, the page-reading child's
// reply builder in page_reply.h), so that the walk calls back into a sink without the
// two knowing each other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace vant::platform {

struct HostObject {
  std::optional<Text> id;     // the id attribute, when the element has one
  std::optional<Text> width;  // the width and height attributes, as written
  std::optional<Text> height;
  // Its own PARAMs (those with no OBJECT between them), as indices into the page's
  // objectParams: each PARAM is held once.
  std::vector<std::size_t> params;
  uint32_t line = 0;  // the line of the page its start tag stands on, from 1
};

// What a walk of a parsed page hands over, in document order. The text is the parser's own
// UTF-8, valid while the walk runs; an attribute the element lacks is nullptr.
class PageElementSink {
 public:
  virtual ~PageElementSink() = default;
  virtual void Object(const char* id, const char* width, const char* height, uint32_t line) = 0;
  // A PARAM inside an OBJECT: object is the index, among the OBJECTs handed over so far, of
  // the nearest one around it.
  virtual void Param(std::size_t object, std::string_view name, std::string_view value, uint32_t line) = 0;
};

// An OBJECT as a walk hands it over, its attributes as text, its PARAMs yet to come.
HostObject ObjectOf(const char* id, const char* width, const char* height, uint32_t line);

}  // namespace vant::platform
