// The zoom choice cmbZoom: a drop-down list whose entries carry a stored number, the zoom
// in percent (0 for the automatic fit), and the table loading fills it from.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/text.h"

namespace vant {

struct ZoomChoice {
  TextView text;
  int32_t percent;  // 0: automatic fit
};

inline constexpr std::array<ZoomChoice, 5> kZoomChoices{{
    {u"300%", 300},
    {u"200%", 200},
    {u"150%", 150},
    {u"100%", 100},
    {u"オート", 0},
}};
inline constexpr int16_t kZoomAutoIndex = 4;
static_assert(kZoomChoices[kZoomAutoIndex].percent == 0, "the last entry is the automatic fit");

class ZoomList {
 public:
  struct Entry {
    Text text;
    int32_t itemData = 0;
  };

  void Clear();
  void AddItem(Text text, int32_t itemData);
  int Count() const { return static_cast<int>(entries_.size()); }
  // Entry index; outside the list an IndexOutOfRange failure.
  const Entry& At(int index) const;

  // -1 when nothing is selected.
  int16_t ListIndex() const { return listIndex_; }
  // -1 to Count() - 1, anything else is refused with InvalidPropertyValue. A change of
  // selection runs onClick, as a choice of the user does.
  void SetListIndex(int16_t index);
  // The stored number of the selected entry; with nothing selected an IndexOutOfRange
  // failure.
  int32_t SelectedData() const;

  // The list's Click event: the selection changed.
  std::function<void()> onClick;

 private:
  std::vector<Entry> entries_;
  int16_t listIndex_ = -1;
};

}  // namespace vant
