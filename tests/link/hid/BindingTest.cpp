#include <gtest/gtest.h>

#include <algorithm>

#include "framework/hid/HidLibraries.h"
#include "link/hid/Hid.h"
#include "link/hid/SetupApi.h"
#include "tests/link/hid/FakeHidFixture.h"

namespace dsp {
namespace {

// Replaces a built-in library with a copy that lacks one export, for the length of a test.
class LibraryWithout {
public:
    LibraryWithout(const std::string& library, const std::string& missing) : library_(library) {
        saved_ = BuiltinLibraryExports(library);
        std::vector<TLibraryExport> reduced = saved_;
        reduced.erase(std::remove_if(reduced.begin(), reduced.end(),
                                     [&](const TLibraryExport& e) { return e.name == missing; }),
                      reduced.end());
        RegisterBuiltinLibrary(library, reduced);
    }
    ~LibraryWithout() { RegisterBuiltinLibrary(library_, saved_); }

private:
    std::string library_;
    std::vector<TLibraryExport> saved_;
};

using HidBinding = test::FakeHidFixture;

TEST_F(HidBinding, BindsEveryEntryWithTheButtonsOnTheirUsageTwins) {
    ASSERT_TRUE(LoadHid());
    EXPECT_TRUE(IsHidLoaded());
    EXPECT_NE(HidD_Hello, nullptr);
    EXPECT_NE(HidP_TranslateUsagesToI8042ScanCodes, nullptr);
    EXPECT_NE(HidD_GetInputReport, nullptr);
    EXPECT_NE(HidP_InitializeReportForID, nullptr);
    EXPECT_EQ(HidP_GetButtons, HidP_GetUsages);
    EXPECT_EQ(HidP_SetButtons, HidP_SetUsages);
    EXPECT_EQ(HidP_UnsetButtons, HidP_UnsetUsages);
    EXPECT_EQ(HidP_GetButtonsEx, HidP_GetUsagesEx);
    EXPECT_EQ(HidP_MaxButtonListLength, HidP_MaxUsageListLength);
    ASSERT_TRUE(LoadHid());  // no count: binds the same again
    UnloadHid();
    EXPECT_FALSE(IsHidLoaded());
    EXPECT_EQ(HidP_GetCaps, nullptr);
    EXPECT_EQ(HidD_GetAttributes, nullptr);
    EXPECT_EQ(HidP_TranslateUsagesToI8042ScanCodes, nullptr);
}

TEST_F(HidBinding, OneMissingFunctionLeavesNothingBound) {
    for (const char* missing :
         {"HidD_Hello", "HidP_GetCaps", "HidP_TranslateUsagesToI8042ScanCodes",
          "HidP_InitializeReportForID"}) {
        LibraryWithout reduced(HidModuleName, missing);
        EXPECT_FALSE(LoadHid()) << missing;
        EXPECT_FALSE(IsHidLoaded()) << missing;
        EXPECT_EQ(HidD_GetHidGuid, nullptr) << missing;
        EXPECT_EQ(HidP_GetUsages, nullptr) << missing;
    }
}

TEST_F(HidBinding, DirectReportEntriesFollowThePlatform) {
    bus_->SetDirectReports(false);
    ASSERT_TRUE(LoadHid());
    EXPECT_EQ(HidD_GetInputReport, nullptr);
    EXPECT_EQ(HidD_SetOutputReport, nullptr);
    EXPECT_NE(HidP_GetExtendedAttributes, nullptr);
    UnloadHid();
    // Without the direct-report entries the library may lack them altogether.
    LibraryWithout reduced(HidModuleName, "HidD_GetInputReport");
    EXPECT_TRUE(LoadHid());
    UnloadHid();
}

TEST(SetupBinding, LoadsAreCounted) {
    ASSERT_TRUE(LoadSetupApi());
    ASSERT_TRUE(LoadSetupApi());
    const TModuleHandle module = GetSetupApiModuleHandle();
    EXPECT_NE(module, nullptr);
    EXPECT_EQ(SetupDiGetDeviceInterfaceDetail, SetupDiGetDeviceInterfaceDetailA);
    UnloadSetupApi();
    EXPECT_TRUE(IsSetupApiLoaded());
    EXPECT_NE(SetupDiGetClassDevsW, nullptr);
    UnloadSetupApi();
    EXPECT_FALSE(IsSetupApiLoaded());
    EXPECT_EQ(SetupDiGetClassDevsW, nullptr);
    UnloadSetupApi();  // one too many: the next load still needs only one unload
    ASSERT_TRUE(LoadSetupApi());
    UnloadSetupApi();
    EXPECT_FALSE(IsSetupApiLoaded());
}

TEST(SetupBinding, OneMissingFunctionTakesTheCountBack) {
    {
        LibraryWithout reduced(SetupApiModuleName, "SetupDiDestroyDeviceInfoList");
        EXPECT_FALSE(LoadSetupApi());
        EXPECT_FALSE(IsSetupApiLoaded());
        EXPECT_EQ(SetupDiEnumDeviceInterfaces, nullptr);
    }
    ASSERT_TRUE(LoadSetupApi());
    UnloadSetupApi();
    EXPECT_FALSE(IsSetupApiLoaded());
}

TEST(HidHelpers, SameUsageAndPageNeedsBoth) {
    EXPECT_TRUE(HidP_IsSameUsageAndPage_({1, 7}, {1, 7}));
    EXPECT_FALSE(HidP_IsSameUsageAndPage_({1, 7}, {1, 8}));
    EXPECT_FALSE(HidP_IsSameUsageAndPage_({2, 7}, {1, 7}));
}

}  // namespace
}  // namespace dsp
