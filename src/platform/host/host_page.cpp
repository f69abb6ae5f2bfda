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

bool HoldsMethodParam(const HostObject& object) {
  for (const ParamElement& param : object.params) {
    if (LowerCase(param.name).starts_with(u"method")) return true;
  }
  return false;
}

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

}  // namespace

std::vector<std::size_t> ControlObjectIndexes(const PageObjects& page) {
  std::vector<std::size_t> controls;
  for (std::size_t i = 0; i < page.objects.size(); ++i) {
    if (HoldsMethodParam(page.objects[i])) controls.push_back(i);
  }
  if (controls.empty() && !page.objects.empty()) controls.push_back(0);
  return controls;
}

Text NoObjectElementDescription() { return u"ページに OBJECT 要素がありません"; }

HostPage HostPage::FromHtml(std::string_view utf8Html, const std::optional<Text>& objectId) {
  PageObjects objects = ReadPageObjects(utf8Html);
  const std::optional<std::size_t> control = ChooseControl(objects, objectId);
  return HostPage(std::move(objects), control);
}

HostPage HostPage::FromObjects(PageObjects objects, std::size_t control) {
  if (control >= objects.objects.size()) throw std::out_of_range("no such OBJECT element");
  return HostPage(std::move(objects), control);
}

HostPage::HostPage(PageObjects objects, std::optional<std::size_t> control)
    : objects_(std::move(objects)), control_(control) {
  if (!control_) return;
  for (const ParamElement& param : objects_.objects[*control_].params) {
    bag_.try_emplace(AsciiLowerCase(param.name), param.value);  // the first one stays
  }
}

std::vector<ParamElement> HostPage::ObjectParams() const {
  if (!HasObject()) throw Failure(NoObjectElementDescription());
  return objects_.objectParams;
}

std::optional<Text> HostPage::Read(TextView name) const {
  const auto found = bag_.find(AsciiLowerCase(name));
  if (found == bag_.end()) return std::nullopt;
  return found->second;
}

const HostObject* HostPage::ControlObject() const {
  return control_ ? &objects_.objects[*control_] : nullptr;
}

}  // namespace vant::platform
