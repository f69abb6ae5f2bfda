#include "app/process/run_heap.h"

#include <malloc.h>

#include <cstddef>

namespace vant::app {
namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;
// Freed memory at the heap's top kept for the next allocation instead of given back.
constexpr std::size_t kKeptTop = 256 * kMiB;
// Blocks up to this size come from the heap instead of a mapping of their own.
constexpr std::size_t kLargestHeapBlock = 64 * kMiB;

}  // namespace

bool PrepareHeapForOneRun() {
  // Reading a page builds and frees tens of MiB, and the PDF engine allocates and frees a
  // compressor for every page. By default the allocator hands such memory back to the
  // kernel and takes it again, one page fault per 4 KiB each time; on a virtual machine
  // that costs as much as the drawing. Kept in the heap, it is touched once.
  // The heap is not advised into transparent huge pages: where the kernel compacts memory
  // for advised regions at the fault (defrag "madvise", a common setting), a 2 MiB page
  // costs more to get and to clear than the small pages it replaces (vant pdf of 600
  // pages, 61 alternated runs: median CPU 9 % higher, peak memory 61.6 against 52.7 MiB).
  return mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLargestHeapBlock)) == 1 &&
         mallopt(M_TRIM_THRESHOLD, static_cast<int>(kKeptTop)) == 1 &&
         mallopt(M_TOP_PAD, static_cast<int>(kKeptTop)) == 1;
}

bool GiveBackFreedMemory() { return malloc_trim(0) == 1; }

}  // namespace vant::app
