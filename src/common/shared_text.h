// A text that many holders read and none changes: a copy shares the one buffer. The print
// button's caption is one such text: every control of a thread lays its button out from
// the same caption, and a page may hold a thousand controls and a caption of a million
// characters, so each holding a copy of its own would take gigabytes.
#pragma once

#include <memory>
#include <utility>

#include "common/text.h"

namespace vant {

class SharedText {
 public:
  SharedText() = default;
  // Implicit, so that a caption is given as the text it is.
  SharedText(Text text) : text_(text.empty() ? nullptr : std::make_shared<const Text>(std::move(text))) {}
  SharedText(const char16_t* text) : SharedText(Text(text)) {}

  const Text& Get() const { return text_ ? *text_ : Empty(); }
  operator TextView() const { return Get(); }
  bool empty() const { return text_ == nullptr; }
  std::size_t size() const { return Get().size(); }
  // Whether both hold the very same buffer (not only equal texts).
  bool SharesBufferWith(const SharedText& other) const { return text_ == other.text_; }

  // Compared with any text, another SharedText too, by what they hold.
  friend bool operator==(const SharedText& a, TextView b) { return TextView(a.Get()) == b; }

 private:
  static const Text& Empty() {
    static const Text empty;
    return empty;
  }

  std::shared_ptr<const Text> text_;  // null for the empty text
};

}  // namespace vant
