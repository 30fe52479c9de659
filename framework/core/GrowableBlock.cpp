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
            return p;
        }
        void* p = MapPages(newBytes);
        if (block != nullptr) {
            std::memcpy(p, block, oldBytes);
            std::free(block);
        }
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
