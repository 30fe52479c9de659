#include "framework/os/HeapPages.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace dsp {

namespace {

constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
constexpr int kReserve = 64 << 20;

// The start of the heap as the process's memory map names it, or 0.
std::uintptr_t HeapStart() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("[heap]") != std::string::npos) return std::stoull(line, nullptr, 16);
    }
    return 0;
}

}  // namespace

void UseLargeHeapPages() {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 2 * kReserve);
    mallopt(M_TOP_PAD, kReserve);
    // One block that does not fit makes the heap grow by it and the reserve; freed, it stays.
    // (Through a volatile pointer: a block freed unused may otherwise never be asked for.)
    void* volatile block = std::malloc(16 << 20);
    std::free(block);
    const std::uintptr_t start = HeapStart();
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = end & ~(kLargePage - 1);
    if (start == 0 || last <= first) return;
    // Advice only: where the system has no large pages it is refused and nothing changes.
    madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace dsp
