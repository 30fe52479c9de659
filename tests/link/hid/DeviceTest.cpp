#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "framework/hid/HidTypes.h"
#include "framework/runtime/ManualClock.h"
#include "link/hid/JvHidControllerClass.h"
#include "tests/link/hid/FakeHidFixture.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

struct Received {
    std::uint8_t reportId;
    std::vector<std::uint8_t> data;
};

// One controller with the devices the test plugged in before it, listed by its first notification.
class DeviceTest : public test::FakeHidFixture {
protected:
    void List() {
        controller_ = std::make_unique<TJvHidDeviceController>(nullptr);
        controller_->SetDevData(
            [this](TJvHidDevice*, std::uint8_t id, const std::uint8_t* data, std::uint16_t size) {
                received_.push_back({id, std::vector<std::uint8_t>(data, data + size)});
            });
        EXPECT_TRUE(test::RunLoopUntil([this] { return !controller_->Devices().empty(); }));
    }
    void TearDown() override {
        controller_.reset();
        FakeHidFixture::TearDown();
    }
    TJvHidDevice* CheckOutFirst() {
        TJvHidDevice* dev = nullptr;
        EXPECT_TRUE(controller_->CheckOut(dev));
        return dev;
    }

    std::optional<TManualClock> clock_;  // made before the controller, gone after it
    std::unique_ptr<TJvHidDeviceController> controller_;
    std::vector<Received> received_;
};

TEST_F(DeviceTest, InputReportsReachTheDataHandlerWithoutTheirIdByte) {
    auto device = bus_->Plug(test::ProcessorConfig(), false);
    List();
    TJvHidDevice* dev = CheckOutFirst();
    ASSERT_TRUE(test::RunLoopUntil([&] { return device->ReadingConnections() > 0; }));
    std::vector<std::uint8_t> report(65, 0);
    report[0] = 0;
    report[1] = 0x10;
    report[5] = 3;
    device->SendInputReport({});  // a read of no bytes is dropped
    device->SendInputReport(report);
    ASSERT_TRUE(test::RunLoopUntil([&] { return !received_.empty(); }));
    ASSERT_EQ(received_.size(), 1u);
    EXPECT_EQ(received_[0].reportId, 0);
    ASSERT_EQ(received_[0].data.size(), 64u);
    EXPECT_EQ(received_[0].data[0], 0x10);
    EXPECT_EQ(received_[0].data[4], 3);
    controller_->CheckIn(dev);
    EXPECT_EQ(device->OpenConnections(), 0);
}

TEST_F(DeviceTest, ClearingTheDataHandlerStopsReadingAndSettingItStartsAgain) {
    auto device = bus_->Plug(test::ProcessorConfig(), false);
    List();
    TJvHidDevice* dev = CheckOutFirst();
    TJvHidDataEvent handler = dev->OnData();
    dev->SetDataEvent(nullptr);
    device->SendInputReport(std::vector<std::uint8_t>(65, 1));
    test::RunPendingEvents();
    EXPECT_TRUE(received_.empty());
    dev->SetDataEvent(handler);
    ASSERT_TRUE(test::RunLoopUntil(
        [&] { return received_.size() == 1; }));  // the report waited in the queue
    device->SendInputReport(std::vector<std::uint8_t>(65, 2));
    ASSERT_TRUE(test::RunLoopUntil([&] { return received_.size() == 2; }));
    EXPECT_EQ(received_[1].data[0], 2);
    controller_->CheckIn(dev);
}

TEST_F(DeviceTest, WritesFromAnotherThreadWhileTheReadThreadReads) {
    auto device = bus_->Plug(test::ProcessorConfig(), false);
    device->SetOutputHandler([&](const std::vector<std::uint8_t>& report) {
        std::vector<std::uint8_t> reply(65, 0);
        reply[1] = report[1];
        device->SendInputReport(reply);
    });
    List();
    TJvHidDevice* dev = CheckOutFirst();
    std::thread writer([dev] {
        for (std::uint8_t i = 1; i <= 20; ++i) {
            std::vector<std::uint8_t> report(dev->GetCaps().OutputReportByteLength, 0);
            report[1] = i;
            std::uint32_t written = 0;
            ASSERT_TRUE(dev->WriteFile(report.data(), std::uint32_t(report.size()), written));
            EXPECT_EQ(written, 65u);
        }
    });
    writer.join();
    ASSERT_TRUE(test::RunLoopUntil([&] { return received_.size() == 20; }));
    for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(received_[i].data[0], i + 1);
    controller_->CheckIn(dev);
}

TEST_F(DeviceTest, QueryOnlyDeviceChecksOutWithoutReading) {
    TFakeHidDeviceConfig config = test::ProcessorConfig();
    config.readWrite = false;
    auto device = bus_->Plug(config, false);
    List();
    TJvHidDevice* dev = CheckOutFirst();
    EXPECT_FALSE(dev->HasReadWriteAccess());
    EXPECT_EQ(device->ReadingConnections(), 0);
    std::uint8_t report[65] = {};
    std::uint32_t written = 7;
    EXPECT_FALSE(dev->WriteFile(report, 65, written));
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(dev->GetCaps().InputReportByteLength, 65);
    controller_->CheckIn(dev);
}

TEST_F(DeviceTest, DevicesThatCannotBeOpenedOrIdentifiedAreLeftOut) {
    TFakeHidDeviceConfig closed = test::ProcessorConfig();
    closed.openable = false;
    TFakeHidDeviceConfig anonymous = test::ProcessorConfig();
    anonymous.identifiable = false;
    bus_->Plug(closed, false);
    bus_->Plug(anonymous, false);
    bus_->Plug(test::OtherConfig(4, 4), false);
    List();
    ASSERT_EQ(controller_->Devices().size(), 1u);
    EXPECT_EQ(controller_->Devices()[0]->Attributes().VendorID, 4);
}

TEST_F(DeviceTest, ThreadSleepTimeTakesTenToTenThousand) {
    bus_->Plug(test::ProcessorConfig(), false);
    List();
    TJvHidDevice* dev = controller_->Devices()[0];
    struct Case {
        std::int32_t value, expected;
    } cases[] = {{10, 10}, {9, 10}, {10000, 10000}, {10001, 10000}, {-5, 10000}};
    for (const Case& c : cases) {
        dev->SetThreadSleepTime(c.value);
        EXPECT_EQ(dev->ThreadSleepTime(), c.expected) << c.value;
    }
}

TEST_F(DeviceTest, StringsComeFromTheDeviceOnceAndOnlyWhileAccessible) {
    TFakeHidDeviceConfig config = test::ProcessorConfig();
    config.languageIds = {0x0409, 0x1234};
    config.indexedStrings[3] = "Interface";
    auto device = bus_->Plug(config, false);
    List();
    TJvHidDevice* dev = controller_->Devices()[0];
    EXPECT_EQ(dev->ProductName(), "");  // listed but not accessible
    EXPECT_EQ(dev->GetDeviceStringUnicode(3), "");
    dev = CheckOutFirst();
    EXPECT_EQ(dev->ProductName(), "DSP Processor");
    EXPECT_EQ(dev->VendorName(), "WQJ");
    EXPECT_EQ(dev->SerialNumber(), "0001");
    EXPECT_EQ(dev->GetDeviceStringUnicode(0), "");
    EXPECT_EQ(dev->GetDeviceStringAnsi(3), "Interface");
    EXPECT_EQ(dev->LanguageStrings(),
              (std::vector<std::string>{"English (United States)", "unknown Locale ID $1234"}));
    controller_->CheckIn(dev);
    EXPECT_EQ(controller_->Devices()[0]->ProductName(), "DSP Processor");  // cached
}

TEST_F(DeviceTest, SerialNumbersThatCannotBeTrustedReadEmpty) {
    struct Case {
        const char* name;
        std::vector<std::uint16_t> languages;
        std::string serial;
        std::string expected;
    } cases[] = {
        {"ordinary", {0x0409}, "X7", "X7"},
        {"no language IDs", {}, "X7", ""},
        {"serial repeats the language list", {0x0409}, "\xD0\x89", ""},  // U+0409
    };
    for (const Case& c : cases) {
        TFakeHidDeviceConfig config = test::ProcessorConfig();
        config.languageIds = c.languages;
        config.serialNumber = c.serial;
        auto device = bus_->Plug(config, false);
        List();
        TJvHidDevice* dev = CheckOutFirst();
        EXPECT_EQ(dev->SerialNumber(), c.expected) << c.name;
        controller_->CheckIn(dev);
        controller_.reset();
        bus_->Unplug(device, false);
    }
}

TEST(LanguageIdCount, LastWordThatIsNotFillDecides) {
    struct Case {
        std::vector<std::uint16_t> words;
        std::size_t count;
    } cases[] = {
        {{0x0409, 0, 0xFFFF, 0xFFFF}, 1},
        {{0x0409, 0x0407, 0xFFFF}, 2},
        {{0xFFFF, 0xFFFF}, 0},
        {{0, 0xFFFF}, 0},
        {{0x0409, 0x0407}, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(CountLanguageIds(c.words), c.count);
}

TEST_F(DeviceTest, UnplugStepClosesEverythingAndCallsTheHandlerOnce) {
    auto device = bus_->Plug(test::ProcessorConfig(), false);
    List();
    TJvHidDevice* dev = CheckOutFirst();
    std::uint8_t report[65] = {};
    std::uint32_t written;
    ASSERT_TRUE(dev->WriteFile(report, 65, written));  // leaves the synchronous handle open
    EXPECT_NE(dev->HidFileHandle(), kInvalidHidHandle);
    int unplugs = 0;
    dev->SetOnUnplug([&](TJvHidDevice* d) {
        ++unplugs;
        EXPECT_FALSE(d->IsPluggedIn());
    });
    bus_->Unplug(device, false);
    controller_->DeviceChange();
    controller_->DeviceChange();
    EXPECT_EQ(unplugs, 1);
    EXPECT_FALSE(dev->IsPluggedIn());
    EXPECT_EQ(dev->HidFileHandle(), kInvalidHidHandle);
    EXPECT_EQ(dev->HidOverlappedRead(), kInvalidHidHandle);
    EXPECT_EQ(dev->HidOverlappedWrite(), kInvalidHidHandle);
    EXPECT_FALSE(dev->WriteFile(report, 65, written));
    controller_->CheckIn(dev);
    EXPECT_TRUE(controller_->Devices().empty());
}

// A device pulled before its removal is handled fails every read at once. Each failure reaches
// the data-error handler, and the thread waits a sleep slice before it reads again instead of
// spinning; checking the device in ends that wait at once.
TEST_F(DeviceTest, ReadsOfAPulledDeviceAreReportedOneSleepSliceApart) {
    clock_.emplace();
    auto device = bus_->Plug(test::ProcessorConfig(), false);
    List();
    TJvHidDevice* dev = CheckOutFirst();
    dev->SetThreadSleepTime(500);
    std::vector<std::uint32_t> errors;
    dev->SetOnDataError([&](TJvHidDevice*, std::uint32_t error) { errors.push_back(error); });
    ASSERT_TRUE(test::RunLoopUntil([&] { return device->ReadingConnections() > 0; }));

    bus_->Unplug(device, false);
    ASSERT_TRUE(test::RunLoopUntil([&] { return errors.size() == 1; }));
    EXPECT_EQ(errors[0], ERROR_DEVICE_NOT_CONNECTED);
    ASSERT_TRUE(clock_->WaitForWaiters(1));
    clock_->Advance(std::chrono::milliseconds(499));
    test::RunPendingEvents();
    EXPECT_EQ(errors.size(), 1u);  // the clock stands inside the slice: no second read yet

    clock_->Advance(std::chrono::milliseconds(1));
    ASSERT_TRUE(test::RunLoopUntil([&] { return errors.size() == 2; }));
    EXPECT_EQ(errors[1], ERROR_DEVICE_NOT_CONNECTED);
    ASSERT_TRUE(clock_->WaitForWaiters(1));
    controller_->CheckIn(dev);  // would wait for the slice to pass on a clock that stands still
}

TEST_F(DeviceTest, CheckInFromTheDataHandlerItselfNeitherHangsNorCrashes) {
    auto device = bus_->Plug(test::ProcessorConfig(), false);
    List();
    TJvHidDevice* dev = CheckOutFirst();
    bool checkedIn = false;
    dev->SetDataEvent([&](TJvHidDevice* d, std::uint8_t, const std::uint8_t*, std::uint16_t) {
        TJvHidDevice* own = d;
        controller_->CheckIn(own);  // waits for the read thread, which waits for this handler
        checkedIn = true;
    });
    device->SendInputReport(std::vector<std::uint8_t>(65, 0));
    ASSERT_TRUE(test::RunLoopUntil([&] { return checkedIn; }));
    test::RunLoopUntil([&] { return device->ReadingConnections() == 0; });
    EXPECT_FALSE(controller_->Devices()[0]->IsCheckedOut());
}

TEST_F(DeviceTest, DirectReportsNeedTheirEntries) {
    TFakeHidDeviceConfig config = test::ProcessorConfig();
    config.inputReports[0] = {0, 0x42};
    bus_->Plug(config, false);
    List();
    TJvHidDevice* dev = CheckOutFirst();
    std::uint8_t report[65] = {0};
    ASSERT_TRUE(dev->GetInputReport(report, 65));
    EXPECT_EQ(report[1], 0x42);
    controller_->CheckIn(dev);
    controller_.reset();

    bus_->SetDirectReports(false);
    List();
    dev = CheckOutFirst();
    EXPECT_FALSE(dev->GetInputReport(report, 65));
    EXPECT_FALSE(dev->SetOutputReport(report, 65));
    controller_->CheckIn(dev);
}

TEST_F(DeviceTest, QueriesNeedAnAccessibleDevice) {
    bus_->Plug(test::ProcessorConfig(), false);
    List();
    TJvHidDevice* listed = controller_->Devices()[0];
    std::uint8_t report[65] = {};
    std::uint32_t value = 0;
    EXPECT_EQ(listed->GetUsageValue(value, report, 65), HIDP_STATUS_NULL);
    listed->SetUsagePageParam(0xFF00);
    EXPECT_EQ(listed->UsagePageParam(), 0xFF00);
    EXPECT_EQ(listed->MaxDataListLength(), 0u);  // the limits stay as they were
    HIDP_LINK_COLLECTION_NODE none = listed->GetLinkCollectionNode(0);
    EXPECT_EQ(none.LinkUsagePage, 0);  // never fetched: every node reads as zeros

    TJvHidDevice* dev = CheckOutFirst();
    dev->SetReportTypeParam(HidP_Output);
    EXPECT_EQ(dev->MaxDataListLength(), 1u);
    dev->SetUsageParam(0x03);
    std::uint8_t bytes[64] = {1, 2, 3};
    report[0] = 0;
    ASSERT_EQ(dev->SetUsageValueArray(bytes, 64, report, 65), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(report[3], 3);
    EXPECT_EQ(dev->GetUsageValue(value, report, 65), HIDP_STATUS_IS_VALUE_ARRAY);
    EXPECT_EQ(dev->GetLinkCollectionNode(0).LinkUsagePage, 0xFF00);
    EXPECT_EQ(dev->GetLinkCollectionNode(1).LinkUsagePage, 0);
    HIDP_VALUE_CAPS caps[2];
    std::uint16_t count = 2;
    ASSERT_EQ(dev->GetValueCaps(caps, count), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(caps[0].ReportCount, 64);
    EXPECT_EQ(dev->InitializeReportForID(HidP_Output, 0, report, 65), HIDP_STATUS_SUCCESS);
    EXPECT_EQ(report[3], 0);
    controller_->CheckIn(dev);
}

TEST(DirectCreation, IsRefusedWithItsMessage) {
    try {
        TJvHidDevice device;
        ADD_FAILURE();
    } catch (const EControllerError& e) {
        EXPECT_EQ(e.Message(), "Direct creation of a TJvHidDevice object is not allowed");
    }
    try {
        TJvHidDeviceReadThread thread(false);
        ADD_FAILURE();
    } catch (const EControllerError& e) {
        EXPECT_EQ(e.Message(), "Direct creation of a TJvDeviceReadThread object is not allowed");
    }
}

}  // namespace
}  // namespace dsp
