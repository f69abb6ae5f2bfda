#include "platform/host/host_page.h"

#include <algorithm>
#include <stdexcept>

#include "common/failure.h"
#include "control/intake.h"
#include "platform/host/host_page_errors.h"

namespace vant::platform {
namespace {

char16_t AsciiLowerCase(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// The rule the property reading uses for a method line, so that the control chosen is one
// whose reading finds methods.
std::vector<bool> HoldsMethodParam(const PageObjects& page) {
  std::vector<bool> holds;
  holds.reserve(page.objects.size());
  for (const HostObject& object : page.objects) {
    holds.push_back(std::any_of(object.params.begin(), object.params.end(), [&](std::size_t index) {
      return IsMethodName(page.objectParams[index].name);
    }));
  }
  return holds;
}

std::vector<std::size_t> ControlIndexes(const std::vector<bool>& holdsMethodParam) {
  std::vector<std::size_t> controls;
  for (std::size_t i = 0; i < holdsMethodParam.size(); ++i) {
    if (holdsMethodParam[i]) controls.push_back(i);
  }
  if (controls.empty() && !holdsMethodParam.empty()) controls.push_back(0);
  return controls;
}

}  // namespace

std::optional<std::size_t> ChooseControl(const std::vector<HostObject>& objects,
                                         const std::vector<bool>& holdsMethodParam,
                                         const std::optional<Text>& objectId) {
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
  const std::vector<std::size_t> controls = ControlIndexes(holdsMethodParam);
  if (controls.empty()) return std::nullopt;
  return controls.front();
}

std::optional<std::size_t> ChooseControl(const PageObjects& page,
                                         const std::optional<Text>& objectId) {
  return ChooseControl(page.objects, HoldsMethodParam(page), objectId);
}

std::vector<std::size_t> ControlObjectIndexes(const PageObjects& page) {
  return ControlIndexes(HoldsMethodParam(page));
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
  bag_.reserve(control_->params.size());
  for (const std::size_t index : control_->params) {
    if (index >= objectParams_->size()) throw std::out_of_range("a control PARAM the page does not hold");
    bag_.try_emplace((*objectParams_)[index].name, index);  // the first one stays
  }
}

const std::vector<ParamElement>& HostPage::ObjectParams() const {
  if (!HasObject()) throw Failure(NoObjectElementDescription());
  return *objectParams_;
}

std::size_t HostPage::AsciiFoldedHash::operator()(TextView name) const noexcept {
  std::size_t hash = 14695981039346656037u;  // FNV-1a
  for (const char16_t c : name) hash = (hash ^ AsciiLowerCase(c)) * 1099511628211u;
  return hash;
}

bool HostPage::AsciiFoldedEqual::operator()(TextView a, TextView b) const noexcept {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return AsciiLowerCase(x) == AsciiLowerCase(y); });
}

bool HostPage::Holds(TextView name) const { return bag_.contains(name); }

std::optional<Text> HostPage::Read(TextView name) const {
  const auto found = bag_.find(name);
  if (found == bag_.end()) return std::nullopt;
  return (*objectParams_)[found->second].value;
}

}  // namespace vant::platform
