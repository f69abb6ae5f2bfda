// The screen's mouse pointer: on Qt the application's override cursor, headless only the
// code. Codes are the platform's pointer constants 0 to 15 (0 the default, 11 the
// hourglass); any other code is refused with a Failure.
#pragma once

#include <cstdint>

#include "engine/platform.h"

namespace vant::qt {

bool IsPointerCode(int16_t code);

class QtMousePointer final : public MousePointer {
 public:
  ~QtMousePointer() override;
  // 0 takes the override away; any other code shows its cursor over the whole application.
  void Set(int16_t code) override;
  int16_t Get() const override { return code_; }

 private:
  int16_t code_ = kPointerDefault;
  bool overriding_ = false;
};

class HeadlessMousePointer final : public MousePointer {
 public:
  void Set(int16_t code) override;
  int16_t Get() const override { return code_; }

 private:
  int16_t code_ = kPointerDefault;
};

}  // namespace vant::qt
