#include "platform/browser/auto_run_gate.h"

#include <iterator>

namespace vant::browser {

bool AutoRunGate::Admit(std::int64_t document, const Text& origin, TimePoint now) {
  // Origins whose interval has passed are dropped, so the map holds only the recent ones.
  for (auto it = lastByOrigin_.begin(); it != lastByOrigin_.end();) {
    it = now - it->second >= kOriginInterval ? lastByOrigin_.erase(it) : std::next(it);
  }
  if (ran_.contains(document) || lastByOrigin_.contains(origin)) return false;
  ran_.insert(document);
  lastByOrigin_[origin] = now;
  return true;
}

void AutoRunGate::Forget(std::int64_t document) { ran_.erase(document); }

}  // namespace vant::browser
