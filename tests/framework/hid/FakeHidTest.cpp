#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "framework/hid/FakeHid.h"
#include "framework/hid/HidDeviceServices.h"
#include "framework/hid/HidFile.h"
#include "framework/hid/SetupServices.h"
#include "framework/hid/Utf16.h"

namespace dsp {
namespace {

using namespace hidservices;

class FakeBusTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetHidBackend(bus_); }
    void TearDown() override { SetHidBackend(previous_); }

    static TFakeHidDeviceConfig Processor() {
        TFakeHidDeviceConfig s;
        s.vendorId = 0x0168;
        s.productId = 0x0821;
        s.versionNumber = 0x0100;
        s.manufacturer = "WQJ";
        s.product = "DSP 3x6";
        s.serialNumber = "A1";
        s.indexedStrings[4] = "Schnittstelle";
        s.physicalDescriptor = {1, 2, 3, 4, 5, 6};
        s.inputReports[0] = {0, 9, 8};
        return s;
    }

    std::shared_ptr<TFakeHidBus> bus_ = std::make_shared<TFakeHidBus>();
    std::shared_ptr<IHidBackend> previous_;
};

std::string WideBufferText(const char16_t* buffer) { return Utf16ToUtf8(std::u16string(buffer)); }

TEST_F(FakeBusTest, EnumerationWalksPathsIdentitiesAndProperties) {
    bus_->Plug(Processor());
    TFakeHidDeviceConfig other;
    other.vendorId = 0x046D;
    other.properties[SPDRP_CAPABILITIES] = std::uint32_t(0x84);
    bus_->Plug(other);

    TGUID guid;
    HidD_GetHidGuid(&guid);
    HDEVINFO set =
        SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(set, InvalidDeviceInfoSet());
    SP_DEVICE_INTERFACE_DATA item;
    std::vector<std::string> paths;
    std::vector<std::uint32_t> ids;
    for (std::uint32_t i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &guid, i, &item); ++i) {
        std::uint32_t needed = 0;
        EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailA(set, &item, nullptr, 0, &needed, nullptr));
        EXPECT_EQ(HidGetLastError(), ERROR_INSUFFICIENT_BUFFER);
        std::vector<std::uint8_t> buffer(needed);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
        detail->cbSize = 8;
        EXPECT_FALSE(
            SetupDiGetDeviceInterfaceDetailA(set, &item, detail, needed, nullptr, nullptr));
        detail->cbSize = kDeviceInterfaceDetailDataASize;
        SP_DEVINFO_DATA info;
        ASSERT_TRUE(SetupDiGetDeviceInterfaceDetailA(set, &item, detail, needed, nullptr, &info));
        paths.push_back(detail->DevicePath);
        ids.push_back(info.DevInst);

        char16_t text[64];
        std::uint32_t type = 0;
        if (i == 0) {
            ASSERT_TRUE(SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_DEVICEDESC, &type,
                                                          reinterpret_cast<std::uint8_t*>(text),
                                                          sizeof text, nullptr));
            EXPECT_EQ(type, REG_SZ);
            EXPECT_EQ(WideBufferText(text), "DSP 3x6");
            ASSERT_TRUE(SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_HARDWAREID, &type,
                                                          reinterpret_cast<std::uint8_t*>(text),
                                                          sizeof text, nullptr));
            EXPECT_EQ(type, REG_MULTI_SZ);
            EXPECT_EQ(WideBufferText(text), "HID\\VID_0168&PID_0821");
            EXPECT_EQ(text[22], u'\0');  // the list ends with an empty string
            std::uint32_t needed2 = 0;
            EXPECT_FALSE(SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_DEVICEDESC, &type,
                                                           reinterpret_cast<std::uint8_t*>(text), 4,
                                                           &needed2));
            EXPECT_EQ(HidGetLastError(), ERROR_INSUFFICIENT_BUFFER);
            EXPECT_EQ(needed2, 16u);
            EXPECT_FALSE(SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_FRIENDLYNAME, &type,
                                                           reinterpret_cast<std::uint8_t*>(text),
                                                           sizeof text, nullptr));
            EXPECT_EQ(HidGetLastError(), ERROR_INVALID_DATA);
        } else {
            std::uint32_t number = 0;
            ASSERT_TRUE(SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_CAPABILITIES, &type,
                                                          reinterpret_cast<std::uint8_t*>(&number),
                                                          4, nullptr));
            EXPECT_EQ(type, REG_DWORD);
            EXPECT_EQ(number, 0x84u);
        }
    }
    EXPECT_EQ(HidGetLastError(), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(paths, (std::vector<std::string>{"fake-hid/1", "fake-hid/2"}));
    EXPECT_EQ(ids, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
    EXPECT_FALSE(SetupDiDestroyDeviceInfoList(set));
}

TEST_F(FakeBusTest, ReportsTravelBothWays) {
    auto device = bus_->Plug(Processor());
    std::vector<std::uint8_t> seen;
    device->SetOutputHandler([&](const std::vector<std::uint8_t>& report) { seen = report; });
    THidHandle h = HidCreateFile(device->Path(), kHidAccessRead | kHidAccessWrite, false);
    ASSERT_NE(h, kInvalidHidHandle);

    const std::uint8_t out[] = {0, 0x10, 0x02, 0x00};
    std::uint32_t written = 0;
    ASSERT_TRUE(HidWriteFile(h, out, sizeof out, &written));
    EXPECT_EQ(written, 4u);
    EXPECT_EQ(seen, std::vector<std::uint8_t>(out, out + 4));

    device->SendInputReport({0, 0x10, 0x03});
    std::uint8_t in[8] = {};
    std::uint32_t got = 0;
    ASSERT_TRUE(HidReadFile(h, in, sizeof in, &got));
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(in[2], 0x03);
    EXPECT_TRUE(HidCloseHandle(h));
    EXPECT_FALSE(HidCloseHandle(h));
    EXPECT_EQ(device->OpenConnections(), 0);
}

TEST_F(FakeBusTest, OverlappedReadCompletesOnlyWhileItsThreadWaits) {
    auto device = bus_->Plug(Processor());
    THidHandle h = HidCreateFile(device->Path(), kHidAccessRead, true);
    ASSERT_NE(h, kInvalidHidHandle);
    std::uint8_t buffer[4] = {};
    int completions = 0;
    std::uint32_t bytes = 99;
    ASSERT_TRUE(HidReadFileEx(h, buffer, sizeof buffer, [&](std::uint32_t error, std::uint32_t n) {
        ++completions;
        EXPECT_EQ(error, ERROR_SUCCESS);
        bytes = n;
    }));
    EXPECT_FALSE(HidReadFileEx(h, buffer, sizeof buffer, nullptr));  // one pending read per handle
    EXPECT_EQ(HidWaitForCompletion(h, 1), 0u);
    std::uint32_t result = 0;
    EXPECT_FALSE(HidGetOverlappedResult(h, &result));
    EXPECT_EQ(HidGetLastError(), ERROR_IO_INCOMPLETE);

    device->SendInputReport({0, 7, 7, 7, 7, 7});
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(HidWaitForCompletion(h, 1000), WAIT_IO_COMPLETION);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(bytes, 4u);  // cut to the buffer
    ASSERT_TRUE(HidGetOverlappedResult(h, &result));
    EXPECT_EQ(result, 4u);

    ASSERT_TRUE(HidReadFileEx(h, buffer, sizeof buffer, nullptr));
    EXPECT_TRUE(HidCancelIo(h));
    EXPECT_FALSE(HidGetOverlappedResult(h, &result));
    EXPECT_EQ(result, 0u);
    HidCloseHandle(h);
    EXPECT_FALSE(HidCancelIo(h));
}

TEST_F(FakeBusTest, ClosingAHandleEndsAWaitOnAnotherThread) {
    auto device = bus_->Plug(Processor());
    THidHandle h = HidCreateFile(device->Path(), kHidAccessRead, true);
    std::uint8_t buffer[4];
    std::atomic<std::uint32_t> error{0};
    ASSERT_TRUE(HidReadFileEx(h, buffer, sizeof buffer,
                              [&](std::uint32_t e, std::uint32_t) { error = e; }));
    std::atomic<std::uint32_t> waited{0};
    // Whether the close comes before the wait or during it, the wait ends with the read aborted.
    std::thread reader([&] { waited = HidWaitForCompletion(h, 60000); });
    HidCloseHandle(h);
    reader.join();
    EXPECT_EQ(waited.load(), WAIT_IO_COMPLETION);
    EXPECT_EQ(error.load(), ERROR_OPERATION_ABORTED);
}

TEST_F(FakeBusTest, UnpluggedDeviceFailsItsConnectionsAndCannotBeOpened) {
    auto device = bus_->Plug(Processor());
    THidHandle h = HidCreateFile(device->Path(), kHidAccessRead | kHidAccessWrite, false);
    bus_->Unplug(device);
    std::uint8_t report[2] = {};
    std::uint32_t n = 0;
    EXPECT_FALSE(HidReadFile(h, report, 2, &n));
    EXPECT_EQ(HidGetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(HidWriteFile(h, report, 2, &n));
    HIDD_ATTRIBUTES attributes;
    EXPECT_TRUE(HidD_GetAttributes(h, &attributes));  // the identity stays known
    HidCloseHandle(h);
    EXPECT_EQ(HidCreateFile(device->Path(), 0, false), kInvalidHidHandle);
    EXPECT_EQ(HidGetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FakeBusTest, QueryOnlyDevicesOpenWithoutAccess) {
    TFakeHidDeviceConfig config = Processor();
    config.readWrite = false;
    auto device = bus_->Plug(config);
    EXPECT_EQ(HidCreateFile(device->Path(), kHidAccessRead | kHidAccessWrite, false),
              kInvalidHidHandle);
    EXPECT_EQ(HidGetLastError(), ERROR_ACCESS_DENIED);
    THidHandle h = HidCreateFile(device->Path(), 0, false);
    ASSERT_NE(h, kInvalidHidHandle);
    std::uint8_t report[2] = {};
    std::uint32_t n = 0;
    EXPECT_FALSE(HidWriteFile(h, report, 2, &n));
    EXPECT_EQ(HidGetLastError(), ERROR_ACCESS_DENIED);
    HIDD_ATTRIBUTES attributes;
    ASSERT_TRUE(HidD_GetAttributes(h, &attributes));
    EXPECT_EQ(attributes.ProductID, 0x0821);
    HidCloseHandle(h);
}

TEST_F(FakeBusTest, DeviceServicesAnswerFromTheDevice) {
    auto device = bus_->Plug(Processor());
    THidHandle h = HidCreateFile(device->Path(), kHidAccessRead | kHidAccessWrite, false);
    char16_t text[254] = {};
    ASSERT_TRUE(HidD_GetProductString(h, text, sizeof text));
    EXPECT_EQ(WideBufferText(text), "DSP 3x6");
    EXPECT_FALSE(HidD_GetManufacturerString(h, text, 4));
    EXPECT_EQ(HidGetLastError(), ERROR_INSUFFICIENT_BUFFER);
    ASSERT_TRUE(HidD_GetIndexedString(h, 0, text, sizeof text));
    EXPECT_EQ(text[0], 0x0409);
    EXPECT_EQ(text[1], 0);
    ASSERT_TRUE(HidD_GetIndexedString(h, 4, text, sizeof text));
    EXPECT_EQ(WideBufferText(text), "Schnittstelle");

    std::uint8_t physical[8];
    EXPECT_FALSE(HidD_GetPhysicalDescriptor(h, physical, 4));
    EXPECT_EQ(HidGetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_TRUE(HidD_GetPhysicalDescriptor(h, physical, 6));

    std::uint32_t buffers = 0;
    ASSERT_TRUE(HidD_GetNumInputBuffers(h, &buffers));
    EXPECT_EQ(buffers, 32u);
    for (std::uint32_t bad : {1u, 513u}) EXPECT_FALSE(HidD_SetNumInputBuffers(h, bad)) << bad;
    ASSERT_TRUE(HidD_SetNumInputBuffers(h, 2));
    for (std::uint8_t i = 1; i <= 3; ++i) device->SendInputReport({0, i});
    std::uint8_t report[2];
    std::uint32_t n;
    ASSERT_TRUE(HidReadFile(h, report, 2, &n));
    EXPECT_EQ(report[1], 2);  // the oldest report made room
    HIDD_CONFIGURATION configuration;
    ASSERT_TRUE(HidD_GetConfiguration(h, &configuration, sizeof configuration));
    EXPECT_EQ(configuration.RingBufferSize, 2u);

    std::uint8_t input[3] = {0};
    ASSERT_TRUE(HidD_GetInputReport(h, input, 3));
    EXPECT_EQ(input[1], 9);
    std::uint8_t feature[3] = {5, 1, 2};
    ASSERT_TRUE(HidD_SetFeature(h, feature, 3));
    std::uint8_t back[3] = {5};
    ASSERT_TRUE(HidD_GetFeature(h, back, 3));
    EXPECT_EQ(back[2], 2);
    std::uint8_t ioctlOut[4];
    std::uint32_t returned = 7;
    EXPECT_FALSE(HidDeviceIoControl(h, 0x000B0192, nullptr, 0, ioctlOut, 4, &returned));
    EXPECT_EQ(returned, 0u);
    HidCloseHandle(h);
}

TEST_F(FakeBusTest, WatcherHearsPlugAndUnplug) {
    int changes = 0;
    ASSERT_TRUE(bus_->WatchChanges([&] { ++changes; }));
    auto device = bus_->Plug(Processor());
    bus_->Plug(Processor(), false);
    bus_->Unplug(device);
    EXPECT_EQ(changes, 2);
    bus_->WatchChanges(nullptr);
    bus_->NotifyChanged();
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace dsp
