// The OBJECT elements of a parsed host page and the PARAM elements inside them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "control/host.h"

namespace vant::platform {

struct HostObject {
  std::optional<Text> id;            // the id attribute, when the element has one
  std::optional<Text> width;         // the width and height attributes, as written
  std::optional<Text> height;
  // Its own PARAMs (those with no OBJECT between them), as indices into the page's
  // objectParams: each PARAM is held once.
  std::vector<std::size_t> params;
  uint32_t line = 0;  // the line of the page its start tag stands on, from 1
};

struct PageObjects {
  std::vector<HostObject> objects;         // every OBJECT element, in document order
  std::vector<ParamElement> objectParams;  // every PARAM inside some OBJECT, in document order
};

// A page with more PARAMs inside OBJECTs than the reader was to take.
class TooManyParams : public std::runtime_error {
 public:
  TooManyParams() : std::runtime_error("too many PARAM elements") {}
};

// Parses the page's HTML (UTF-8) as a browser does and collects its OBJECT elements.
// A PARAM counts once, for the nearest OBJECT around it; PARAMs outside every OBJECT, in
// template contents or in NOSCRIPT (which a browser with scripting does not parse) are left
// out. A missing name or value attribute is empty text. Each OBJECT and PARAM carries the
// line its start tag stands on. Beyond maxParams PARAMs the collecting stops and
// TooManyParams is thrown: none of them is copied first.
PageObjects ReadPageObjects(std::string_view utf8Html,
                            std::size_t maxParams = std::numeric_limits<std::size_t>::max());

}  // namespace vant::platform
