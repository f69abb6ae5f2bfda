#include "preview/zoom_list.h"

#include "common/failure.h"

namespace vant {

void ZoomList::Clear() {
  entries_.clear();
  listIndex_ = -1;
}

void ZoomList::AddItem(Text text, int32_t itemData) {
  if (entries_.size() >= 32767) throw Failure::Overflow();
  entries_.push_back({std::move(text), itemData});
}

const ZoomList::Entry& ZoomList::At(int index) const {
  if (index < 0 || index >= Count()) throw Failure::IndexOutOfRange();
  return entries_[static_cast<size_t>(index)];
}

void ZoomList::SetListIndex(int16_t index) {
  if (index < -1 || index >= Count()) throw Failure::InvalidPropertyValue();
  if (index == listIndex_) return;
  listIndex_ = index;
  if (onClick) onClick();
}

int32_t ZoomList::SelectedData() const { return At(listIndex_).itemData; }

}  // namespace vant
