#include "app/run_heap.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "sanitized_build.h"

namespace vant::app {
namespace {

using test::kSanitized;

constexpr std::size_t kBlockBytes = std::size_t{32} << 20;

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

// The page faults of allocating a block, writing every 4 KiB of it and freeing it.
long FaultsOfTouchedBlock() {
  const long before = MinorFaults();
  auto* const block = static_cast<volatile char*>(std::malloc(kBlockBytes));
  if (block == nullptr) throw std::bad_alloc();
  for (std::size_t at = 0; at < kBlockBytes; at += 4096) block[at] = 1;
  std::free(const_cast<char*>(block));
  return MinorFaults() - before;
}

TEST(RunHeap, KeepsFreedMemory) {
  if (kSanitized) {
    // The sanitizer's allocator takes no tuning; the run goes on with it as it is.
    EXPECT_FALSE(PrepareHeapForOneRun());
    return;
  }
  ASSERT_TRUE(PrepareHeapForOneRun());
  (void)FaultsOfTouchedBlock();
  // The block came back to the heap, not to the kernel: using it again costs no faults
  // (a block mapped and unmapped on its own costs one per 4 KiB each time).
  EXPECT_LT(FaultsOfTouchedBlock(), 64);
}

}  // namespace
}  // namespace vant::app
