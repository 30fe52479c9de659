#pragma once
// A raw block of memory that grows and shrinks keeping its bytes. Large blocks are whole pages
// that the system moves without copying, and the pages a block grows by are brought in at once,
// so an array grown step by step neither copies its records again nor faults a page at a time.

#include <cstddef>

namespace dsp {

// Resizes block, which holds oldBytes (nullptr when oldBytes is 0), to newBytes, keeping the
// first bytes of both sizes; newBytes 0 frees it and gives nullptr. Throws std::bad_alloc.
// The block must always be resized with the size it was last given.
void* ResizeBlock(void* block, std::size_t oldBytes, std::size_t newBytes);

// The bytes held by large blocks now (whole pages), which the heap's own count leaves out.
std::size_t LargeBlockBytes();

}  // namespace dsp
