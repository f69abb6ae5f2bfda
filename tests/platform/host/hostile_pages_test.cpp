// Pages built to exhaust the reader: each is read or refused with a message naming the
// file, never kills the program, and the reading stays within its memory and CPU budget.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/host/host_page_errors.h"
#include "platform/host/host_page_loader.h"
#include "sanitized_build.h"
#include "temp_page.h"
#include "repeat.h"

namespace vant::platform {
namespace {

using test::Repeat;

// Resident memory of any process reading a page. Under AddressSanitizer its shadow memory
// and quarantine count too, so the goal is checked in the optimised build.
constexpr long kBudgetKiB = (test::kSanitized ? 2048 : 512) * 1024;
constexpr double kBudgetCpuSeconds = 10;

std::string Numbered(std::string_view before, int count, std::string_view after) {
  std::string out;
  for (int i = 0; i < count; ++i) out += std::string(before) + std::to_string(i) + std::string(after);
  return out;
}

const std::string kControl = "<object id=ctl><param name=method1 value=enddoc></object>";

double ChildCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long MaxResidentKiB(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_maxrss;
}

struct HostilePage {
  int line;
  const char* file;
  std::function<std::string()> bytes;
};

TEST(HostilePages, AreReadOrRefusedWithinTheBudget) {
  const HostilePage pages[] = {
      // Open formatting elements are rebuilt inside every following paragraph: N x M
      // elements from a page of N + M tags.
      {__LINE__, "formatting-by-blocks.html",
       [] { return kControl + "<p>" + Numbered("<b id=", 3000, ">") + Repeat("<p>x", 6000); }},
      {__LINE__, "attributes.html",
       [] { return kControl + Numbered("<div a", 100000, "=1 ") + ">"; }},
      // "<!-->" is a whole comment to the parser: the DIVs after it are tags.
      {__LINE__, "empty-comment.html", [] { return kControl + "<!-->" + Repeat("<div>", 100000); }},
      {__LINE__, "dash-comment.html", [] { return kControl + "<!--->" + Repeat("<div>", 100000); }},
      {__LINE__, "nested.html", [] { return kControl + Repeat("<div>", 100000); }},
      {__LINE__, "nested-formatting.html", [] { return kControl + Repeat("<b><div></b>", 30000); }},
  };
  const vant::test::TempDir dir;
  for (const HostilePage& page : pages) {
    SCOPED_TRACE(page.line);
    const auto path = dir.Write(page.file, page.bytes());
    const double cpuBefore = ChildCpuSeconds();
    try {
      const LoadedHostPage loaded = LoadHostPage(path);
      EXPECT_EQ(loaded.page.Read(u"method1"), Text(u"enddoc"));
    } catch (const HostPageUnreadable& refused) {
      RecordProperty(page.file, refused.what());
      EXPECT_NE(std::string(refused.what()).find(page.file), std::string::npos) << refused.what();
      EXPECT_NE(std::string(refused.what()).find("ページを読み込めません"), std::string::npos);
    }
    EXPECT_LE(ChildCpuSeconds() - cpuBefore, kBudgetCpuSeconds);
    // Under AddressSanitizer the address-space limit lies above the sanitizer's shadow
    // reservation, so the child is bounded by its CPU time alone and what it touches in that
    // time follows the machine's speed: the resident goal is the optimised build's.
    if (!test::kSanitized) {
      EXPECT_LE(MaxResidentKiB(RUSAGE_CHILDREN), kBudgetKiB);
    }
  }
  // None of it was parsed in this process.
  EXPECT_LE(MaxResidentKiB(RUSAGE_SELF), kBudgetKiB);
}

TEST(HostilePages, ABroadButHonestPageIsStillRead) {
  // Many OBJECTs, PARAMs and blocks, none of them nested: far inside every limit.
  std::string page = "<body>" + Repeat("<div><p>row</p></div>", 50000) + kControl;
  page += Numbered("<object><param name=other value=", 20000, "></object>");
  const vant::test::TempDir dir;
  const LoadedHostPage loaded = LoadHostPage(dir.Write("broad.html", page));
  EXPECT_EQ(loaded.page.ObjectParams().size(), 20001u);
  EXPECT_EQ(loaded.page.ControlObject()->id, Text(u"ctl"));
}

}  // namespace
}  // namespace vant::platform
