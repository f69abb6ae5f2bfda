// The automatic run in a browser tab: once per document load, once per origin within the
// interval, whatever the order in which documents and origins come.
#include "platform/browser/auto_run_gate.h"

#include <gtest/gtest.h>

#include <vector>

namespace vant::browser {
namespace {

using std::chrono::milliseconds;

struct Step {
  int line;
  int atMs;  // since the first step
  std::int64_t document;
  const char16_t* origin;
  bool admitted;
};

TEST(AutoRunGate, OncePerDocumentAndOncePerOriginWithinTheInterval) {
  const std::vector<Step> steps = {
      {__LINE__, 0, 1, u"https://a.example", true},
      {__LINE__, 10, 1, u"https://a.example", false},     // the same document shown again
      {__LINE__, 20, 2, u"https://a.example", false},     // another frame or a reload, at once
      {__LINE__, 30, 3, u"https://b.example", true},      // another origin has its own interval
      {__LINE__, 4999, 4, u"https://a.example", false},   // still within 5 s of the first
      {__LINE__, 5000, 5, u"https://a.example", true},    // the interval has passed
      {__LINE__, 5001, 1, u"https://a.example", false},   // document 1 had its run long ago
      {__LINE__, 5100, 6, u"", true},                     // no origin told: one key of its own
      {__LINE__, 5200, 7, u"", false},
  };
  AutoRunGate gate;
  const auto start = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
  for (const Step& step : steps) {
    EXPECT_EQ(gate.Admit(step.document, step.origin, start + milliseconds(step.atMs)), step.admitted)
        << "line " << step.line;
  }
}

TEST(AutoRunGate, AForgottenDocumentStillCountsForItsOriginsInterval) {
  AutoRunGate gate;
  const auto start = std::chrono::steady_clock::time_point{};
  EXPECT_TRUE(gate.Admit(1, u"https://a.example", start));
  gate.Forget(1);
  // A reload loop: each new document of the origin is held until the interval has passed.
  for (int i = 2; i < 12; ++i) EXPECT_FALSE(gate.Admit(i, u"https://a.example", start + milliseconds(400 * i))) << i;
  EXPECT_TRUE(gate.Admit(20, u"https://a.example", start + AutoRunGate::kOriginInterval));
}

}  // namespace
}  // namespace vant::browser
