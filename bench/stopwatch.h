// Wall time of one step, seconds.
#pragma once

#include <chrono>

namespace vant::bench {

template <typename Step>
double SecondsOf(Step&& step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace vant::bench
