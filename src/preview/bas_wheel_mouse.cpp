#include "preview/bas_wheel_mouse.h"

namespace vant {
namespace {

// Sets the flag for the duration of one handled message; it is cleared again even when
// an operation lets a failure through.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

int32_t WheelWParam(int16_t distance, uint16_t keys) {
  const auto high = static_cast<uint32_t>(static_cast<uint16_t>(distance)) << 16;
  return static_cast<int32_t>(high | keys);
}

int32_t WheelWindowProc(WheelTarget& window, uint32_t message, int32_t wParam,
                        const std::function<int32_t()>& passOn) {
  if (!window.WheelBusy()) {
    BusyScope busy(window.WheelBusy());
    if (message == kWmMButtonUp) {
      window.vbMButtonUp();
    } else if (message == kWmMouseWheel) {
      // Only the sign counts: one message is one step, whatever its distance.
      if (wParam < 0) {
        window.vbWheelMinus();
      } else {
        window.vbWheelPlus();
      }
    }
  }
  return passOn ? passOn() : 0;
}

}  // namespace vant
