// When the browser host lets a control print its Mode 1 list by itself. One host serves
// every document of a browser tab, so a page that reloads itself, or frames the same form
// many times, reaches the same host again and again: the automatic run is let through at
// most once per document load, and at most once per origin within a short interval across
// the tab, whatever the pages do. A held run leaves the buttons as they are: the user's
// click still prints.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <set>

#include "common/text.h"

namespace vant::browser {

using SteadyClock = std::function<std::chrono::steady_clock::time_point()>;

class AutoRunGate {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  // The interval within which an origin's pages run no second automatic run in the tab.
  static constexpr std::chrono::seconds kOriginInterval{5};

  // True, and remembered, when the document has run no automatic run yet and the origin's
  // last one in this tab is at least kOriginInterval before now.
  bool Admit(std::int64_t document, const Text& origin, TimePoint now);
  // The document has gone: its id is never used again.
  void Forget(std::int64_t document);

 private:
  std::set<std::int64_t> ran_;             // documents that had their automatic run
  std::map<Text, TimePoint> lastByOrigin_;  // the origin's last automatic run
};

}  // namespace vant::browser
