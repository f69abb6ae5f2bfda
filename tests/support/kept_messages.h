// Message boxes and a mouse pointer for runs on real printers: the boxes are kept as
// "title|text" in UTF-8 (for readable failure output), the pointer holds its last code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/text.h"
#include "engine/platform.h"

namespace vant::test {

class KeptMessages final : public MessageBoxes {
 public:
  void Show(const Text& text, MessageIcon, const Text& title) override {
    shown.push_back(ToUtf8(title) + "|" + ToUtf8(text));
  }
  std::vector<std::string> shown;
};

class HeldPointer final : public MousePointer {
 public:
  void Set(int16_t code) override { code_ = code; }
  int16_t Get() const override { return code_; }

 private:
  int16_t code_ = 0;
};

}  // namespace vant::test
