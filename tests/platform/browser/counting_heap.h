// The bytes this test program holds on the C++ free store, counted by its own operator new
// and delete (counting_heap.cpp replaces them for the whole program): what the host keeps
// of a request, and the most it held while answering, measured rather than guessed.
// Qt's own buffers come from malloc and are not counted.
#pragma once

#include <cstddef>

namespace vant::test {

// Bytes allocated now (as the allocator sizes the blocks).
std::size_t HeldBytes();
// The most held since the last ResetPeakBytes.
std::size_t PeakBytes();
void ResetPeakBytes();

}  // namespace vant::test
