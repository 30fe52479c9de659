#include <gtest/gtest.h>

#include <cmath>

#include "framework/hid/DynamicLibrary.h"
#include "framework/hid/HidLibraries.h"

namespace dsp {
namespace {

int Answer() { return 42; }
int counter = 7;

TEST(DynamicLibrary, BuiltinLibrariesExportFunctionsAndVariables) {
    RegisterBuiltinLibrary("test-builtin",
                           {{"answer", ExportAddress(&Answer)}, {"counter", &counter}});
    TLibraryHandle library = LoadLibrary("test-builtin");
    ASSERT_NE(library, nullptr);
    auto* f = reinterpret_cast<int (*)()>(LibrarySymbol(library, "answer"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f(), 42);
    EXPECT_EQ(*static_cast<int*>(LibrarySymbol(library, "counter")), 7);
    EXPECT_EQ(LibrarySymbol(library, "missing"), nullptr);
    EXPECT_NE(LibraryLastError().find("missing"), std::string::npos);

    UnregisterBuiltinLibrary("test-builtin");
    EXPECT_NE(LibrarySymbol(library, "answer"), nullptr);  // a loaded library keeps its exports
    FreeLibrary(library);
    EXPECT_EQ(LoadLibrary("test-builtin"), nullptr);
    EXPECT_FALSE(LibraryLastError().empty());
}

TEST(DynamicLibrary, FilesLoadThroughTheSystemLoader) {
    TLibraryHandle libm = LoadLibrary("libm.so.6");
    ASSERT_NE(libm, nullptr);
    auto* cosine = reinterpret_cast<double (*)(double)>(LibrarySymbol(libm, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(LibrarySymbol(libm, "dsp_not_exported"), nullptr);
    FreeLibrary(libm);
}

TEST(DynamicLibrary, HidServicesAreBuiltIn) {
    for (const char* name : {kHidLibraryName, kSetupLibraryName}) {
        TLibraryHandle library = LoadLibrary(name);
        ASSERT_NE(library, nullptr) << name;
        FreeLibrary(library);
    }
    EXPECT_EQ(BuiltinLibraryExports(kSetupLibraryName).size(), 5u);
}

}  // namespace
}  // namespace dsp
