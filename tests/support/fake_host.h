// A host page for the control's tests: PARAM elements in document order, a property bag
// over the control's own PARAMs, and two buttons that remember what they were set to.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "common/failure.h"
#include "control/held_buttons.h"
#include "control/host.h"
#include "control/preview_opener.h"

namespace vant::test {

class FakeDocument final : public HostDocument {
 public:
  std::vector<ParamElement> params;
  bool noWebPage = false;  // a host whose parent has no getElementsByTagName
  const std::vector<ParamElement>& ObjectParams() const override {
    if (noWebPage) throw Failure(u"オブジェクトはこのプロパティまたはメソッドをサポートしていません。");
    return params;
  }
};

class FakeBag final : public PropertyBag {
 public:
  // The first property of a name wins, as in a browser's parameter bag.
  void Add(TextView name, TextView value) { values.try_emplace(LowerCase(name), Text(value)); }
  std::optional<Text> Read(TextView name) const override {
    const auto it = values.find(LowerCase(name));
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool Holds(TextView name) const override { return values.contains(LowerCase(name)); }
  std::map<Text, Text> values;
};

// The page of a control: every PARAM is both in the document and in the bag.
struct FakePage {
  FakeDocument document;
  FakeBag bag;
  void Add(TextView name, TextView value) {
    document.params.push_back({Text(name), Text(value)});
    bag.Add(name, value);
  }
  // "method1".."methodN" with the given lines.
  void AddMethods(const std::vector<Text>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) Add(u"method" + DecimalText(static_cast<long long>(i + 1)), lines[i]);
  }
};

// The control's two buttons, holding what they are set to.
using FakeView = HeldButtonsView;

}  // namespace vant::test
