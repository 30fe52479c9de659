#include <gtest/gtest.h>

#include "framework/hid/DynamicLibrary.h"
#include "link/hid/ModuleLoader.h"

namespace dsp {
namespace {

int exportedCounter = 0;
int ExportedFunction() { return 5; }

class ModuleLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        exportedCounter = 11;
        RegisterBuiltinLibrary(
            "module-loader-test",
            {{"Counter", &exportedCounter}, {"Function", ExportAddress(&ExportedFunction)}});
    }
    void TearDown() override { UnregisterBuiltinLibrary("module-loader-test"); }
};

TEST_F(ModuleLoaderTest, LoadsOnlyIntoAnEmptyHandle) {
    TModuleHandle module = nullptr;
    ASSERT_TRUE(LoadModule(module, "module-loader-test"));
    TModuleHandle first = module;
    EXPECT_TRUE(LoadModule(module, "no-such-library"));  // already loaded: nothing happens
    EXPECT_EQ(module, first);
    UnloadModule(module);
    EXPECT_EQ(module, nullptr);
    UnloadModule(module);
    EXPECT_FALSE(
        LoadModuleEx(module, "no-such-library", ModuleLoadFlags({ltDontResolveDllReferences})));
    EXPECT_EQ(GetModuleSymbol(nullptr, "Counter"), nullptr);
}

TEST_F(ModuleLoaderTest, AccumulatedLookupsStayFalseOnceFalse) {
    TModuleHandle module = nullptr;
    ASSERT_TRUE(LoadModule(module, "module-loader-test"));
    bool accu = true;
    EXPECT_NE(GetModuleSymbolEx(module, "Function", accu), nullptr);
    EXPECT_TRUE(accu);
    EXPECT_EQ(GetModuleSymbolEx(module, "Missing", accu), nullptr);
    EXPECT_FALSE(accu);
    EXPECT_NE(GetModuleSymbolEx(module, "Function", accu), nullptr);
    EXPECT_FALSE(accu);
    UnloadModule(module);
}

TEST_F(ModuleLoaderTest, ExportedVariablesReadAndWrite) {
    TModuleHandle module = nullptr;
    ASSERT_TRUE(LoadModule(module, "module-loader-test"));
    int value = 0;
    ASSERT_TRUE(ReadModuleData(module, "Counter", &value, sizeof value));
    EXPECT_EQ(value, 11);
    value = 23;
    ASSERT_TRUE(WriteModuleData(module, "Counter", &value, sizeof value));
    EXPECT_EQ(exportedCounter, 23);
    int untouched = 99;
    EXPECT_FALSE(ReadModuleData(module, "Missing", &untouched, sizeof untouched));
    EXPECT_EQ(untouched, 99);
    UnloadModule(module);
}

class RecordingLoader : public TModuleLoader {
public:
    using TModuleLoader::TModuleLoader;
    std::vector<std::uint32_t> errors;

protected:
    void Error(std::uint32_t errorCode) override { errors.push_back(errorCode); }
};

TEST_F(ModuleLoaderTest, LoaderReportsFailuresThroughError) {
    RecordingLoader loader("module-loader-test");
    ASSERT_TRUE(loader.Loaded());
    void* proc = nullptr;
    ASSERT_TRUE(loader.GetProcedure("Function", proc));
    void* preset = &exportedCounter;
    EXPECT_TRUE(loader.GetProcedure("Missing", preset));  // a set pointer counts as looked up
    EXPECT_EQ(preset, &exportedCounter);
    void* missing = nullptr;
    EXPECT_FALSE(loader.GetProcedure("Missing", missing));
    EXPECT_EQ(loader.errors, std::vector<std::uint32_t>{TModuleLoader::kProcedureNotFound});
    int value = 0;
    ASSERT_TRUE(loader.GetExportedSymbol("Counter", &value, sizeof value));
    EXPECT_EQ(value, 11);
    value = 4;
    ASSERT_TRUE(loader.SetExportedSymbol("Counter", &value, sizeof value));
    EXPECT_EQ(exportedCounter, 4);
    loader.Unload();
    EXPECT_FALSE(loader.Loaded());

    RecordingLoader absent("no-such-library");
    absent.Load();
    EXPECT_FALSE(absent.Loaded());
    ASSERT_EQ(absent.errors.size(), 1u);  // the constructor's load reports to the base class
    void* none = nullptr;
    EXPECT_FALSE(absent.GetProcedure("Function", none));
    EXPECT_EQ(absent.errors.back(), TModuleLoader::kProcedureNotFound);
}

TEST_F(ModuleLoaderTest, AvailabilityOfLibrariesAndNames) {
    struct Case {
        const char* library;
        const char* name;
        bool available;
    } cases[] = {
        {"module-loader-test", "", true},
        {"module-loader-test", "Function", true},
        {"module-loader-test", "Nope", false},
        {"libm.so.6", "", true},
        {"libm.so.6", "cos", true},
        {"libm.so.6", "dsp_nothing", false},
        {"no-such-library.so", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TModuleLoader::IsAvaliable(c.library, c.name), c.available)
            << c.library << " " << c.name;
    EXPECT_EQ(ModuleLoadFlags({ltDontResolveDllReferences, ltLoadAsDataFile, ltAlteredSearchPath}),
              11u);
    EXPECT_EQ(ModuleLoadFlags({}), 0u);
}

}  // namespace
}  // namespace dsp
