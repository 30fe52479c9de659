#pragma once
// Loading libraries and looking their exports up by name while the program runs. A name is first
// looked for among the libraries built into the program (the platform services that have no file
// of their own, such as the HID services) and then loaded from the file system with dlopen.

#include <cstdint>
#include <string>
#include <vector>

namespace dsp {

// An opaque loaded library; null when loading failed.
using TLibraryHandle = void*;

// Load options, combinable: resolve function references only when first called, and open an
// already loaded library only.
inline constexpr unsigned kLibraryLazyBinding = 1;
inline constexpr unsigned kLibraryNoLoad = 2;

// Loads the library of that name (a built-in library or a file); null on failure, with the
// reason in LibraryLastError. Each successful load must be matched by one FreeLibrary.
TLibraryHandle LoadLibrary(const std::string& name, unsigned options = 0);
void FreeLibrary(TLibraryHandle library);
// The address of an exported function or variable, or null when the library does not export it.
void* LibrarySymbol(TLibraryHandle library, const char* name);
// The reason for the last failed load or lookup on the calling thread, or empty.
std::string LibraryLastError();

// An export of a built-in library: a function or a variable.
struct TLibraryExport {
    std::string name;
    void* address;
};

template <typename F>
void* ExportAddress(F* function) {
    return reinterpret_cast<void*>(function);
}

// Makes a library of that name available to LoadLibrary (replacing one of the same name) or
// takes it away again. Libraries already loaded keep their exports until freed.
void RegisterBuiltinLibrary(const std::string& name, std::vector<TLibraryExport> exports);
void UnregisterBuiltinLibrary(const std::string& name);
// The exports of a registered built-in library, empty when there is none of that name.
std::vector<TLibraryExport> BuiltinLibraryExports(const std::string& name);

}  // namespace dsp
