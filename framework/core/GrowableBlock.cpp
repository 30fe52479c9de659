#include "framework/core/GrowableBlock.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace dsp {

namespace {

// From this size on a block is mapped pages of its own.
constexpr std::size_t kLargeBytes = std::size_t{256} * 1024;

std::atomic<std::size_t> largeBytes{0};

std::size_t PageRounded(std::size_t bytes) {
    static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

bool Large(std::size_t bytes) { return bytes >= kLargeBytes; }

// Large pages where the system has them: an array filled record by record then stops at a
// page fault once per large page instead of once per small one, and on a virtual machine a
// fault costs more than the records written into its page.
void PreferLargePages(void* block, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    madvise(block, PageRounded(bytes), MADV_HUGEPAGE);
#else
    (void)block;
    (void)bytes;
#endif
}

// A block grows because records are about to be written into its new room: one call brings all
// of its pages in, where a fault per page on first write costs more than the writes themselves.
// Where the system cannot (before Linux 5.14) the pages come in on first write as before.
void PrepareForWriting(void* block, std::size_t fromBytes, std::size_t toBytes) {
#ifdef MADV_POPULATE_WRITE
    const std::size_t from = PageRounded(fromBytes);
    const std::size_t to = PageRounded(toBytes);
    if (to > from)
        madvise(static_cast<unsigned char*>(block) + from, to - from, MADV_POPULATE_WRITE);
#else
    (void)block;
    (void)fromBytes;
    (void)toBytes;
#endif
}

void* MapPages(std::size_t bytes) {
    void* p = mmap(nullptr, PageRounded(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                   -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    largeBytes += PageRounded(bytes);
    PreferLargePages(p, bytes);
    return p;
}

void UnmapPages(void* block, std::size_t bytes) {
    munmap(block, PageRounded(bytes));
    largeBytes -= PageRounded(bytes);
}

}  // namespace

void* ResizeBlock(void* block, std::size_t oldBytes, std::size_t newBytes) {
    if (block == nullptr) oldBytes = 0;
    if (newBytes == 0) {
        if (block != nullptr) {
            if (Large(oldBytes)) {
                UnmapPages(block, oldBytes);
            } else {
                std::free(block);
            }
        }
        return nullptr;
    }
    if (Large(newBytes)) {
        if (block != nullptr && Large(oldBytes)) {
            const std::size_t from = PageRounded(oldBytes);
            const std::size_t to = PageRounded(newBytes);
            if (from == to) return block;
            void* p = mremap(block, from, to, MREMAP_MAYMOVE);
            if (p == MAP_FAILED) throw std::bad_alloc();
            largeBytes += to;
            largeBytes -= from;
            PreferLargePages(p, newBytes);
            PrepareForWriting(p, oldBytes, newBytes);
            return p;
        }
        void* p = MapPages(newBytes);
        if (block != nullptr) {
            std::memcpy(p, block, oldBytes);
            std::free(block);
        }
        PrepareForWriting(p, oldBytes, newBytes);
        return p;
    }
    if (block != nullptr && Large(oldBytes)) {
        void* p = std::malloc(newBytes);
        if (p == nullptr) throw std::bad_alloc();
        std::memcpy(p, block, newBytes);
        UnmapPages(block, oldBytes);
        return p;
    }
    void* p = std::realloc(block, newBytes);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

std::size_t LargeBlockBytes() { return largeBytes.load(); }

}  // namespace dsp
