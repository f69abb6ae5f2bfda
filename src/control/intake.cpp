#include "control/intake.h"

#include <algorithm>
#include <exception>

#include "common/failure.h"
#include "common/numbers.h"
#include "control/method_line.h"

namespace vant {
namespace {

// The first of two property names whose value is not empty.
Text ReadEither(const PropertyBag& bag, TextView name, TextView alternative) {
  Text value = bag.Read(name).value_or(Text());
  if (value.empty()) value = bag.Read(alternative).value_or(Text());
  return value;
}

void ReadMethods(const HostDocument& document, const PropertyBag& bag, ControlState& state) {
  const std::vector<ParamElement>& params = document.ObjectParams();
  // Room for every PARAM up front: growing a list of tens of thousands of methods one
  // position at a time would move it again and again.
  state.methodList.reserve(std::min<size_t>(params.size(), 32767) + 1);
  int k = 1;
  for (const ParamElement& param : params) {
    // A page of a million PARAMs is read by each of its controls: the name is looked at
    // before the bag is asked.
    if (!IsMethodName(param.name)) continue;
    if (!bag.Holds(param.name)) continue;  // present in the page but not the control's
    std::vector<Text> parts = SplitMethodLine(param.value);
    // Grown one position at a time, keeping what the positions hold (also from an earlier
    // reading).
    state.methodList.resize(static_cast<size_t>(k) + 1);
    MethodRec& rec = state.methodList[static_cast<size_t>(k)];
    const size_t written = std::min<size_t>(parts.size(), kMethodFields);
    for (size_t f = 0; f < written; ++f) rec.field[f] = std::move(parts[f]);
    if (k == 32767) throw Failure::Overflow();
    ++k;
  }
  state.methodCount = static_cast<int16_t>(k - 1);
}

void ReadButtonSettings(const PropertyBag& bag, ControlState& state) {
  const Text value = ReadEither(bag, u"CmdProperty", u"pCmdProperty");
  if (value.empty()) return;
  const std::vector<Text> parts = SplitAt(value, u',');
  if (parts.size() > 3) return;
  state.printCaption = parts[0];
  if (parts.size() >= 2) state.printButtonWidth = WholeFromText16(parts[1]);
  if (parts.size() == 3) state.printButtonHeight = WholeFromText16(parts[2]);
}

}  // namespace

bool IsMethodName(TextView name) {
  return StartsWithLowerCased(name, u"method") && !StartsWithLowerCased(name, u"methodcnt");
}

void ReadProperties(ControlState& state, const HostDocument& document, const PropertyBag& bag,
                    ControlView& view, MessageBoxes& messages) {
  state.paramsLoaded = true;
  Text description;
  try {
    ReadMethods(document, bag, state);
    ReadButtonSettings(bag, state);
    state.runMode = WholeFromText16(ReadEither(bag, u"Mode", u"pMode"));
    return;
  } catch (const Failure& failure) {
    description = failure.Description();
  } catch (const std::bad_alloc&) {
    description = u"メモリが不足しています。";
  }
  messages.Show(description, MessageIcon::kCritical, u"Error");
  view.PrintButton().SetEnabled(false);
}

}  // namespace vant
