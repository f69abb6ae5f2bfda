#include "platform/host/host_page.h"

#include <stdexcept>

#include "common/failure.h"
#include "platform/host/host_page_errors.h"

namespace vant::platform {
namespace {

Text AsciiLowerCase(TextView text) {
  Text lower(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower;
}

bool HoldsMethodParam(const PageObjects& page, const HostObject& object) {
  for (const std::size_t index : object.params) {
    if (LowerCase(page.objectParams[index].name).starts_with(u"method")) return true;
  }
  return false;
}

}  // namespace

std::optional<std::size_t> ChooseControl(const PageObjects& page,
                                         const std::optional<Text>& objectId) {
  const auto& objects = page.objects;
  if (objectId) {
    // getElementById: the first element with that id; an empty id matches nothing.
    if (!objectId->empty()) {
      for (std::size_t i = 0; i < objects.size(); ++i) {
        if (objects[i].id == *objectId) return i;
      }
    }
    const std::string id = ToUtf8(*objectId);
    throw HostObjectNotFound(id, "id が \"" + id + "\" の OBJECT 要素はページにありません");
  }
  const std::vector<std::size_t> controls = ControlObjectIndexes(page);
  if (controls.empty()) return std::nullopt;
  return controls.front();
}

std::vector<std::size_t> ControlObjectIndexes(const PageObjects& page) {
  std::vector<std::size_t> controls;
  for (std::size_t i = 0; i < page.objects.size(); ++i) {
    if (HoldsMethodParam(page, page.objects[i])) controls.push_back(i);
  }
  if (controls.empty() && !page.objects.empty()) controls.push_back(0);
  return controls;
}

Text NoObjectElementDescription() { return u"ページに OBJECT 要素がありません"; }

HostPage HostPage::FromHtml(std::string_view utf8Html, const std::optional<Text>& objectId) {
  PageObjects objects = ReadPageObjects(utf8Html);
  const std::optional<std::size_t> control = ChooseControl(objects, objectId);
  std::optional<HostObject> chosen;
  if (control) chosen = std::move(objects.objects[*control]);
  const bool hasObject = !objects.objects.empty();
  return FromParams(std::move(objects.objectParams), hasObject, std::move(chosen));
}

HostPage HostPage::FromObjects(PageObjects objects, std::size_t control) {
  if (control >= objects.objects.size()) throw std::out_of_range("no such OBJECT element");
  HostObject chosen = std::move(objects.objects[control]);
  return FromParams(std::move(objects.objectParams), true, std::move(chosen));
}

HostPage HostPage::FromShared(std::shared_ptr<const std::vector<ParamElement>> objectParams, HostObject control) {
  if (!objectParams) throw std::invalid_argument("a page without its PARAMs");
  return HostPage(std::move(objectParams), true, std::move(control));
}

HostPage HostPage::FromParams(std::vector<ParamElement> objectParams, bool hasObject,
                              std::optional<HostObject> control) {
  return HostPage(std::make_shared<const std::vector<ParamElement>>(std::move(objectParams)), hasObject,
                  std::move(control));
}

HostPage::HostPage(std::shared_ptr<const std::vector<ParamElement>> objectParams, bool hasObject,
                   std::optional<HostObject> control)
    : objectParams_(std::move(objectParams)), hasObject_(hasObject), control_(std::move(control)) {
  if (control_ && !hasObject_) throw std::invalid_argument("a control OBJECT on a page without OBJECT");
  if (!control_) return;
  for (const std::size_t index : control_->params) {
    if (index >= objectParams_->size()) throw std::out_of_range("a control PARAM the page does not hold");
    bag_.try_emplace(AsciiLowerCase((*objectParams_)[index].name), index);  // the first one stays
  }
}

const std::vector<ParamElement>& HostPage::ObjectParams() const {
  if (!HasObject()) throw Failure(NoObjectElementDescription());
  return *objectParams_;
}

std::optional<Text> HostPage::Read(TextView name) const {
  const auto found = bag_.find(AsciiLowerCase(name));
  if (found == bag_.end()) return std::nullopt;
  return (*objectParams_)[found->second].value;
}

}  // namespace vant::platform
