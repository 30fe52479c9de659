#pragma once
// The program's heap on large memory pages. Building the main window touches tens of megabytes
// of fresh memory, and where touching a fresh small page is dear (a virtual machine takes a
// trap for each one) the faults are a large part of the time to the first paint. Where the
// system hands out large pages on request (transparent huge pages, "madvise" or "always"),
// the heap asks for them: one fault then brings in 2 MB.

namespace dsp {

// Call once, at the start of main, before the bulk of the allocations. It keeps blocks of up to
// 32 MB in the heap (instead of a fresh mapping for each, faulted in anew each time), grows
// the heap once by a reserve of 64 MB that stays when freed, and asks for large pages for all
// of it. What the program touches in the reserve is counted as resident in 2 MB steps; the
// rest costs address space only. Where the system has no large pages the heap keeps its
// ordinary pages.
void UseLargeHeapPages();

}  // namespace dsp
