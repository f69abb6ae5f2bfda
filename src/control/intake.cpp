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
  Text value = ReadEither(bag, u"CmdProperty", u"pCmdProperty");
  if (value.empty()) return;
  const std::size_t commas = static_cast<std::size_t>(std::count(value.begin(), value.end(), u','));
  if (commas > 2) return;
  // Split in place: a caption may be as long as the page, so it is not copied into parts.
  const std::size_t first = std::min(value.find(u','), value.size());
  const Text sizes = value.substr(std::min(first + 1, value.size()));
  value.resize(first);
  // A caption a reading finds again (every control of a page inheriting it, a reload)
  // keeps its one buffer.
  if (state.printCaption != value) state.printCaption = SharedText(std::move(value));
  if (commas == 0) return;
  const std::size_t second = std::min(sizes.find(u','), sizes.size());
  state.printButtonWidth = WholeFromText16(TextView(sizes).substr(0, second));
  if (commas == 2) state.printButtonHeight = WholeFromText16(TextView(sizes).substr(second + 1));
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
