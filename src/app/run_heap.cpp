#include "app/run_heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace vant::app {
namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;
// Address space the heap takes in one step; memory becomes resident only where touched.
constexpr std::size_t kGrowthStep = 256 * kMiB;
// Blocks up to this size come from the heap instead of a mapping of their own.
constexpr std::size_t kLargestHeapBlock = 64 * kMiB;

std::uintptr_t PageSize() { return static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE)); }

}  // namespace

bool PrepareHeapForOneRun() {
  // Reading a page builds and frees tens of MiB, and the PDF engine allocates and frees a
  // compressor for every page. By default the allocator hands such memory back to the
  // kernel and takes it again, one page fault per 4 KiB each time; on a virtual machine
  // that costs as much as the drawing. Kept and served from huge pages, it costs little.
  if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLargestHeapBlock)) != 1) return false;
  if (mallopt(M_TRIM_THRESHOLD, static_cast<int>(kGrowthStep)) != 1) return false;
  if (mallopt(M_TOP_PAD, static_cast<int>(kGrowthStep)) != 1) return false;
  const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
  // More than the heap has left at its top: it grows now, by the step.
  void* const block = std::malloc(mallinfo2().keepcost + kMiB);
  if (block == nullptr) return false;
  std::free(block);
  const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
  const std::uintptr_t page = PageSize();
  const std::uintptr_t start = (before + page - 1) & ~(page - 1);
  const std::uintptr_t end = after & ~(page - 1);
  if (end < start + kGrowthStep / 2) return false;  // the heap did not grow by the step
  return madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE) == 0;
}

}  // namespace vant::app
