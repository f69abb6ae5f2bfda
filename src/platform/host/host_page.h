// A host page as the control sees it: the document's PARAM elements and the property bag
// of the control's own OBJECT element.
#pragma once

#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/text.h"
#include "control/host.h"
#include "platform/host/host_page_objects.h"

namespace vant::platform {

class HostPage final : public HostDocument, public PropertyBag {
 public:
  // Parses the page (UTF-8 HTML) and chooses the control's OBJECT: the one whose id is
  // objectId; without an id, the first OBJECT holding a PARAM whose name starts with
  // "method" in any case, else the first OBJECT. An id that no OBJECT carries throws
  // HostObjectNotFound (host_page_errors.h).
  static HostPage FromHtml(std::string_view utf8Html, const std::optional<Text>& objectId);
  // The page as another reader collected it (a browser's live document): the control is
  // objects.objects[control]; an index outside them throws std::out_of_range.
  static HostPage FromObjects(PageObjects objects, std::size_t control);

  // Every PARAM inside an OBJECT, in document order. A page without any OBJECT element
  // raises a Failure saying so.
  std::vector<ParamElement> ObjectParams() const override;

  // The first of the control's PARAMs with this name, compared without ASCII case, as a
  // browser's parameter bag keeps the first of two PARAMs with the same name.
  std::optional<Text> Read(TextView name) const override;

  bool HasObject() const { return !objects_.objects.empty(); }
  // The control's OBJECT element, when the page has one.
  const HostObject* ControlObject() const;

 private:
  HostPage(PageObjects objects, std::optional<std::size_t> control);

  PageObjects objects_;
  std::optional<std::size_t> control_;      // index into objects_.objects
  std::unordered_map<Text, Text> bag_;      // ASCII-lower-cased name -> first value
};

// Which of the page's OBJECT elements are controls, in document order: those holding a
// PARAM whose name starts with "method" in any case; when none does, the first OBJECT.
std::vector<std::size_t> ControlObjectIndexes(const PageObjects& page);

// The description of the failure that a page without OBJECT elements raises.
Text NoObjectElementDescription();

}  // namespace vant::platform
