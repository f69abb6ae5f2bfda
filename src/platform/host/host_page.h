// A host page as the control sees it: the document's PARAM elements and the property bag
// of the control's own OBJECT element.
#pragma once

#include <cstddef>
#include <memory>
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
  // Parses the page (UTF-8 HTML) and chooses the control's OBJECT (ChooseControl). An id
  // that no OBJECT carries throws HostObjectNotFound (host_page_errors.h).
  static HostPage FromHtml(std::string_view utf8Html, const std::optional<Text>& objectId);
  // The page as another reader collected it (a browser's live document): the control is
  // objects.objects[control]; an index outside them throws std::out_of_range.
  static HostPage FromObjects(PageObjects objects, std::size_t control);
  // One of several controls of a page whose PARAMs they share (not copied for each): an
  // index of the control's that objectParams does not hold throws std::out_of_range.
  static HostPage FromShared(std::shared_ptr<const std::vector<ParamElement>> objectParams, HostObject control);

  // A page already read: every PARAM inside an OBJECT, whether the page has any OBJECT,
  // and the control's OBJECT (its params index objectParams).
  static HostPage FromParams(std::vector<ParamElement> objectParams, bool hasObject,
                             std::optional<HostObject> control);

  // Every PARAM inside an OBJECT, in document order. A page without any OBJECT element
  // raises a Failure saying so.
  const std::vector<ParamElement>& ObjectParams() const override;

  // The first of the control's PARAMs with this name, compared without ASCII case, as a
  // browser's parameter bag keeps the first of two PARAMs with the same name.
  std::optional<Text> Read(TextView name) const override;
  bool Holds(TextView name) const override;

  bool HasObject() const { return hasObject_; }
  // The control's OBJECT element, when the page has one.
  const HostObject* ControlObject() const { return control_ ? &*control_ : nullptr; }

 private:
  HostPage(std::shared_ptr<const std::vector<ParamElement>> objectParams, bool hasObject,
           std::optional<HostObject> control);

  std::shared_ptr<const std::vector<ParamElement>> objectParams_;  // never null
  bool hasObject_ = false;
  std::optional<HostObject> control_;
  // Names compared without ASCII case, looked up without a copy of the name asked for.
  struct AsciiFoldedHash {
    using is_transparent = void;
    std::size_t operator()(TextView name) const noexcept;
  };
  struct AsciiFoldedEqual {
    using is_transparent = void;
    bool operator()(TextView a, TextView b) const noexcept;
  };
  // The name as the first PARAM of it writes it (a view into objectParams_, which never
  // changes) -> its index into objectParams_.
  std::unordered_map<TextView, std::size_t, AsciiFoldedHash, AsciiFoldedEqual> bag_;
};

// Which of the page's OBJECT elements are controls, in document order: those holding a
// method line PARAM (IsMethodName: "method" at the start of its name in any case, but not
// "methodcnt"); when none does, the first OBJECT.
std::vector<std::size_t> ControlObjectIndexes(const PageObjects& page);

// The same rule over OBJECTs whose method line PARAMs were looked at as they were read:
// holdsMethodParam[i] says whether objects[i] holds one.
std::optional<std::size_t> ChooseControl(const std::vector<HostObject>& objects,
                                         const std::vector<bool>& holdsMethodParam,
                                         const std::optional<Text>& objectId);

// The control's OBJECT among the page's: the one whose id is objectId; without an id, the
// first of ControlObjectIndexes; nothing for a page without OBJECT. An id that no OBJECT carries throws
// HostObjectNotFound.
std::optional<std::size_t> ChooseControl(const PageObjects& page,
                                         const std::optional<Text>& objectId);

// The description of the failure that a page without OBJECT elements raises.
Text NoObjectElementDescription();

}  // namespace vant::platform
