// The lengths the driver tests convert between.
#pragma once

namespace vant::test::drivers {

inline constexpr double kMmPerInch = 25.4;
inline constexpr double kMmPerPoint = kMmPerInch / 72;

}  // namespace vant::test::drivers
