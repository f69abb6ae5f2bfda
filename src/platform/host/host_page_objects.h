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
