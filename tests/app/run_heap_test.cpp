#include "app/process/run_heap.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

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

// Resident bytes of this process now.
std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  if (!(statm >> pages >> resident)) throw std::runtime_error("/proc/self/statm cannot be read");
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

TEST(RunHeap, GivesFreedMemoryBackBetweenBlocksStillInUse) {
  if (kSanitized) {
    // The sanitizer's allocator keeps its own heap, which the C library's trim never sees.
    EXPECT_FALSE(GiveBackFreedMemory());
    return;
  }
  // Small blocks come from the heap, not from mappings of their own; every other one is
  // freed, so the heap cannot shrink from its top and only a trim of the free pages between
  // blocks in use gives memory back.
  constexpr std::size_t kBlock = 16 * 4096, kBlocks = 2048;  // 128 MiB
  std::vector<std::unique_ptr<char[]>> blocks;
  for (std::size_t i = 0; i < kBlocks; ++i) {
    blocks.push_back(std::make_unique<char[]>(kBlock));
    std::memset(blocks.back().get(), 1, kBlock);
  }
  for (std::size_t i = 0; i < kBlocks; i += 2) blocks[i].reset();
  const std::size_t before = ResidentBytes();
  EXPECT_TRUE(GiveBackFreedMemory());
  EXPECT_GT(before - std::min(before, ResidentBytes()), kBlock * kBlocks / 4);
}

}  // namespace
}  // namespace vant::app
