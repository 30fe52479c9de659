#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/GrowableBlock.h"

namespace dsp {
namespace {

constexpr std::size_t kKiB = 1024;

void FillFrom(void* block, std::size_t from, std::size_t to) {
    auto* bytes = static_cast<std::uint8_t*>(block);
    for (std::size_t i = from; i < to; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
}

bool KeepsPattern(const void* block, std::size_t bytes) {
    const auto* p = static_cast<const std::uint8_t*>(block);
    for (std::size_t i = 0; i < bytes; ++i)
        if (p[i] != static_cast<std::uint8_t>(i * 7 + 3)) return false;
    return true;
}

// Every size step keeps the bytes both sizes share, whether the block stays on the heap, moves
// to its own pages, grows or shrinks in them, or comes back to the heap; freeing gives the
// pages back.
TEST(GrowableBlockTest, ResizingKeepsTheBytesAcrossHeapAndPages) {
    const std::size_t pagesBefore = LargeBlockBytes();
    const std::vector<std::size_t> sizes = {
        24,          100 * kKiB,      256 * kKiB, 256 * kKiB + 1,
        4096 * kKiB, 5000 * kKiB + 3, 300 * kKiB, 255 * kKiB,
        8,           600 * kKiB,      0};
    void* block = nullptr;
    std::size_t size = 0;
    for (const std::size_t next : sizes) {
        SCOPED_TRACE(next);
        block = ResizeBlock(block, size, next);
        if (next == 0) {
            EXPECT_EQ(block, nullptr);
        } else {
            ASSERT_NE(block, nullptr);
            EXPECT_TRUE(KeepsPattern(block, std::min(size, next)));
            FillFrom(block, std::min(size, next), next);
            EXPECT_TRUE(KeepsPattern(block, next));
        }
        EXPECT_EQ(LargeBlockBytes() > pagesBefore, next >= 256 * kKiB);
        size = next;
    }
    EXPECT_EQ(LargeBlockBytes(), pagesBefore);
}

}  // namespace
}  // namespace dsp
