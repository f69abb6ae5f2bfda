// What the host gives the control when it reads its properties: the page's document (its
// PARAM elements inside OBJECT elements) and the control's property bag.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/text.h"

namespace vant {

struct ParamElement {
  Text name;   // the element's Name
  Text value;  // the element's Value, as the document holds it
  // The line of the page file the element starts on, from 1; 0 where the host knows no
  // file (a browser's live document). Read by nothing that runs the list: it lets a report
  // point the page's author at the PARAM.
  uint32_t line = 0;
};

class HostDocument {
 public:
  virtual ~HostDocument() = default;
  // The PARAM elements of the page's OBJECT elements, in document order. A host that is
  // no web page, or cannot give them, raises a Failure with its description. The document
  // holds them: a page of tens of thousands of methods is not copied to be read.
  virtual const std::vector<ParamElement>& ObjectParams() const = 0;
};

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // The stored value of the named property, or nothing when the bag has none. Names
  // match without regard to ASCII case, as a browser's parameter bag does.
  virtual std::optional<Text> Read(TextView name) const = 0;
  // Whether the bag has the named property, its value not copied.
  virtual bool Holds(TextView name) const = 0;
};

}  // namespace vant
