#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

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

std::size_t PageSize() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }

// Whether the system brings a range's pages in on request (Linux 5.14 on).
bool SystemPopulatesPages() {
    const std::size_t page = PageSize();
    void* probe = mmap(nullptr, page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (probe == MAP_FAILED) return false;
    const bool populates = madvise(probe, page, MADV_POPULATE_WRITE) == 0;
    munmap(probe, page);
    return populates;
}

std::size_t ResidentPages(void* block, std::size_t bytes) {
    const std::size_t page = PageSize();
    std::vector<unsigned char> resident((bytes + page - 1) / page);
    if (mincore(block, bytes, resident.data()) != 0) return 0;
    return static_cast<std::size_t>(
        std::count_if(resident.begin(), resident.end(), [](unsigned char r) { return r & 1; }));
}

// A block grows because records are about to be written into it: its new room is in memory
// before the first write, whether it moved from the heap to pages of its own or grew in them.
TEST(GrowableBlockTest, TheRoomABlockGrowsByIsInMemoryBeforeItIsWritten) {
    if (!SystemPopulatesPages()) GTEST_SKIP() << "the system brings pages in only on first write";
    const std::size_t page = PageSize();
    const std::vector<std::size_t> sizes = {100 * kKiB, 300 * kKiB, 4096 * kKiB + 5, 9000 * kKiB};
    void* block = nullptr;
    std::size_t size = 0;
    for (const std::size_t next : sizes) {
        SCOPED_TRACE(next);
        block = ResizeBlock(block, size, next);
        if (next >= 256 * kKiB) {
            EXPECT_EQ(ResidentPages(block, next), (next + page - 1) / page);
        }
        size = next;
    }
    ResizeBlock(block, size, 0);
}

}  // namespace
}  // namespace dsp
