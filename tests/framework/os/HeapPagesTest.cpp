// The heap on large pages: after the call the heap asks for large pages over the reserve it
// grew by, and a block of several megabytes comes from that heap instead of a mapping of its
// own (which would be faulted in page by page again each time).

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/os/HeapPages.h"

namespace dsp {
namespace {

struct THeapArea {
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    bool largePages = false;  // "hg" among its flags
};

std::vector<THeapArea> HeapAreas() {
    std::vector<THeapArea> areas;
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inHeap = false;
    while (std::getline(smaps, line)) {
        const std::size_t dash = line.find('-');
        if (dash != std::string::npos && dash > 0 && line.find(':') > dash &&
            std::isxdigit(static_cast<unsigned char>(line[0]))) {
            inHeap = line.find("[heap]") != std::string::npos;
            if (inHeap) {
                THeapArea area;
                area.start = std::stoull(line.substr(0, dash), nullptr, 16);
                area.end = std::stoull(line.substr(dash + 1), nullptr, 16);
                areas.push_back(area);
            }
        } else if (inHeap && line.rfind("VmFlags:", 0) == 0) {
            std::istringstream flags(line.substr(8));
            std::string flag;
            while (flags >> flag) areas.back().largePages |= flag == "hg";
        }
    }
    return areas;
}

// GCC names the sanitizers with macros, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define DSP_UNDER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define DSP_UNDER_SANITIZER 1
#endif
#endif

TEST(HeapPages, TheHeapAsksForLargePagesAndKeepsLargeBlocks) {
#ifdef DSP_UNDER_SANITIZER
    GTEST_SKIP() << "the sanitizer's allocator keeps no heap of this kind";
#endif
    if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage"))
        GTEST_SKIP() << "this system has no large pages";
    UseLargeHeapPages();
    const std::vector<THeapArea> areas = HeapAreas();
    std::uintptr_t advised = 0;
    for (const THeapArea& area : areas)
        if (area.largePages) advised += area.end - area.start;
    EXPECT_GE(advised, std::uintptr_t{64} << 20) << "the reserve asks for large pages";

    void* volatile block = std::malloc(8 << 20);
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    bool inHeap = false;
    for (const THeapArea& area : HeapAreas()) inHeap |= at >= area.start && at < area.end;
    std::free(block);
    EXPECT_TRUE(inHeap) << "a block of 8 MB has a mapping of its own";
}

}  // namespace
}  // namespace dsp
