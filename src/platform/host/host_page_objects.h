// The OBJECT elements of a parsed host page and the PARAM elements inside them: the walk of
// the parse, handing them to a PageElementSink (page_elements.h), and their collection.
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
#include "platform/host/page_elements.h"

namespace vant::platform {

struct PageObjects {
  std::vector<HostObject> objects;         // every OBJECT element, in document order
  std::vector<ParamElement> objectParams;  // every PARAM inside some OBJECT, in document order
};

// A page with more PARAMs inside OBJECTs than the reader was to take.
class TooManyParams : public std::runtime_error {
 public:
  TooManyParams() : std::runtime_error("too many PARAM elements") {}
};

// What becomes of the parse tree after a walk. A process that ends right after the walk
// leaves it to its end: taking tens of MiB of small blocks apart one by one costs about a
// fifth of the parse.
enum class ParseTreeEnd { kFreed, kLeftToProcessEnd };

// Parses the page's HTML (UTF-8) as a browser does and hands its OBJECT elements and their
// PARAMs to sink, under the rules of ReadPageObjects below. Beyond maxParams PARAMs the walk
// stops and TooManyParams is thrown.
void WalkPageObjects(std::string_view utf8Html, PageElementSink& sink, std::size_t maxParams, ParseTreeEnd end);

// Parses the page's HTML (UTF-8) as a browser does and collects its OBJECT elements.
// A PARAM counts once, for the nearest OBJECT around it; PARAMs outside every OBJECT, in
// template contents or in NOSCRIPT (which a browser with scripting does not parse) are left
// out. A missing name or value attribute is empty text. Each OBJECT and PARAM carries the
// line its start tag stands on. Beyond maxParams PARAMs the collecting stops and
// TooManyParams is thrown: none of them is copied first.
PageObjects ReadPageObjects(std::string_view utf8Html,
                            std::size_t maxParams = std::numeric_limits<std::size_t>::max());

}  // namespace vant::platform
