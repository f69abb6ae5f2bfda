#include "counting_heap.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace vant::test {
namespace {

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};

void* Counted(std::size_t size, std::size_t alignment) {
  void* block = alignment > alignof(std::max_align_t) ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment)
                                                      : std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  const std::size_t now = held.fetch_add(malloc_usable_size(block)) + malloc_usable_size(block);
  std::size_t before = peak.load();
  while (now > before && !peak.compare_exchange_weak(before, now)) {
  }
  return block;
}

void Uncounted(void* block) noexcept {
  if (block == nullptr) return;
  held.fetch_sub(malloc_usable_size(block));
  std::free(block);
}

}  // namespace

std::size_t HeldBytes() { return held.load(); }
std::size_t PeakBytes() { return peak.load(); }
void ResetPeakBytes() { peak.store(held.load()); }

}  // namespace vant::test

using vant::test::Counted;
using vant::test::Uncounted;

void* operator new(std::size_t size) { return Counted(size, 0); }
void* operator new[](std::size_t size) { return Counted(size, 0); }
void* operator new(std::size_t size, std::align_val_t a) { return Counted(size, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return Counted(size, static_cast<std::size_t>(a)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Counted(size, 0);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Counted(size, 0);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* block) noexcept { Uncounted(block); }
void operator delete[](void* block) noexcept { Uncounted(block); }
void operator delete(void* block, std::size_t) noexcept { Uncounted(block); }
void operator delete[](void* block, std::size_t) noexcept { Uncounted(block); }
void operator delete(void* block, std::align_val_t) noexcept { Uncounted(block); }
void operator delete[](void* block, std::align_val_t) noexcept { Uncounted(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { Uncounted(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { Uncounted(block); }
