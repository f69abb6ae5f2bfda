// The wheel window procedure of the preview window (module BasWheelMouse): it sees every
// message the window receives while it is installed, turns the middle button's release and
// each wheel message into one call of the window's operations, and passes every message on
// to the window's own handling.
#pragma once

#include <cstdint>
#include <functional>

namespace vant {

inline constexpr uint32_t kWmMButtonUp = 0x0208;
inline constexpr uint32_t kWmMouseWheel = 0x020A;

// The operations the procedure calls, and the busy flag it keeps while it handles a
// message: one per thread for every preview window (the module state's wheelBusy), so that
// a message the handling itself causes is only passed on.
class WheelTarget {
 public:
  virtual ~WheelTarget() = default;
  virtual void vbWheelMinus() = 0;  // the wheel turned towards the user
  virtual void vbWheelPlus() = 0;   // the wheel turned away from the user
  virtual void vbMButtonUp() = 0;
  virtual bool& WheelBusy() = 0;
};

// wParam of a wheel message: the wheel distance (120 per notch, negative towards the user)
// in the upper 16 bits, the key state in the lower 16.
int32_t WheelWParam(int16_t distance, uint16_t keys = 0);

// Handles message when the window's busy flag is clear, then returns what passOn (the window's previous
// procedure) returns for it, in every case.
int32_t WheelWindowProc(WheelTarget& window, uint32_t message, int32_t wParam,
                        const std::function<int32_t()>& passOn);

}  // namespace vant
