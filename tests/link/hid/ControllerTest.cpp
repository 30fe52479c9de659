#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/hid/DynamicLibrary.h"
#include "framework/hid/HidLibraries.h"
#include "link/hid/JvHidControllerClass.h"
#include "tests/link/hid/FakeHidFixture.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

// The controller as the main window uses it: enumerate on every change, check the processor out
// while it is offered, check it in when it is unplugged. Every event is written to a log.
class ControllerTest : public test::FakeHidFixture {
protected:
    void SetUp() override {
        FakeHidFixture::SetUp();
        controller_ = std::make_unique<TJvHidDeviceController>(nullptr);
        hidCtl_ = controller_.get();
    }
    void TearDown() override {
        controller_.reset();
        FakeHidFixture::TearDown();
    }

    void WireLikeTheMainWindow() {
        controller_->SetOnEnumerate([this](TJvHidDevice* dev, std::int32_t idx) {
            log_.push_back("enumerate " + std::to_string(idx));
            if (dev->Attributes().VendorID == 0x0168 && dev->Attributes().ProductID == 0x0821 &&
                hidCtl_->CheckOutByIndex(dev, idx)) {
                processor_ = dev;
                log_.push_back("checked out");
            }
            return true;
        });
        controller_->SetDevUnplug([this](TJvHidDevice* dev) {
            log_.push_back("unplug " + dev->ProductName());
            if (dev->Attributes().VendorID == 0x0168 && dev->Attributes().ProductID == 0x0821) {
                processor_ = nullptr;
                hidCtl_->CheckIn(dev);
            }
        });
        controller_->SetOnRemoval(
            [this](TJvHidDevice* dev) { log_.push_back("removal " + dev->ProductName()); });
        controller_->SetOnArrival(
            [this](TJvHidDevice* dev) { log_.push_back("arrival " + dev->ProductName()); });
        controller_->SetDeviceChangeEvent([this](TObject*) {
            log_.push_back("change");
            hidCtl_->Enumerate();
        });
    }

    std::unique_ptr<TJvHidDeviceController> controller_;
    // What the handlers use: unlike controller_, it still points at the controller while it is
    // destroyed, when the unplug handler of a checked-out device checks it in.
    TJvHidDeviceController* hidCtl_ = nullptr;
    TJvHidDevice* processor_ = nullptr;
    std::vector<std::string> log_;
};

using Log = std::vector<std::string>;

TEST_F(ControllerTest, FirstNotificationCountsAsAChangeEvenWithoutDevices) {
    int changes = 0;
    controller_->SetDeviceChangeEvent([&](TObject* sender) {
        EXPECT_EQ(sender, controller_.get());
        ++changes;
    });
    EXPECT_EQ(changes, 0);  // setting the handler enumerated, but nothing changed yet
    test::RunPendingEvents();
    EXPECT_EQ(changes, 1);
    controller_->DeviceChange();  // a direct call reuses the first notification's mark
    EXPECT_EQ(changes, 2);
    bus_->NotifyChanged();
    test::RunPendingEvents();
    EXPECT_EQ(changes, 2);  // a platform notification with nothing changed raises nothing
    controller_->DeviceChange();
    EXPECT_EQ(changes, 2);
}

TEST_F(ControllerTest, ProcessorIsCheckedOutAndStaysSoAcrossOtherChanges) {
    bus_->Plug(test::OtherConfig(0x046D, 0xC077), false);
    bus_->Plug(test::ProcessorConfig(), false);
    WireLikeTheMainWindow();
    test::RunPendingEvents();
    ASSERT_NE(processor_, nullptr);
    EXPECT_EQ(controller_->NumCheckedOutDevices(), 1);
    EXPECT_EQ(controller_->NumCheckedInDevices(), 1);

    log_.clear();
    bus_->Plug(test::OtherConfig(0x1234, 0x0001));
    test::RunPendingEvents();
    EXPECT_EQ(log_, (Log{"arrival Other", "change", "enumerate 0", "enumerate 1", "enumerate 2"}));
    TJvHidDevice* again = nullptr;
    EXPECT_FALSE(controller_->CheckOutByIndex(again, 1));
    EXPECT_EQ(again, nullptr);
    EXPECT_EQ(controller_->Devices().size(), 3u);
}

TEST_F(ControllerTest, UnpluggingTheCheckedOutProcessorChecksItIn) {
    auto device = bus_->Plug(test::ProcessorConfig(), false);
    bus_->Plug(test::OtherConfig(0x046D, 0xC077), false);
    WireLikeTheMainWindow();
    test::RunPendingEvents();
    ASSERT_NE(processor_, nullptr);
    log_.clear();
    bus_->Unplug(device);
    test::RunPendingEvents();
    EXPECT_EQ(log_, (Log{"unplug DSP Processor", "change", "enumerate 0"}));
    EXPECT_EQ(processor_, nullptr);
    EXPECT_EQ(controller_->Devices().size(), 1u);
    EXPECT_EQ(controller_->NumUnpluggedDevices(), 0);
    EXPECT_EQ(controller_->NumCheckedOutDevices(), 0);
    EXPECT_EQ(controller_->NumCheckedInDevices(), 1);
}

TEST_F(ControllerTest, RemovalsRunFromTheEndOfTheList) {
    auto first = bus_->Plug(test::OtherConfig(1, 1), false);
    auto second = bus_->Plug(test::OtherConfig(2, 2), false);
    TFakeHidDeviceConfig third = test::OtherConfig(3, 3);
    third.product = "Third";
    auto last = bus_->Plug(third, false);
    test::RunPendingEvents();
    controller_->SetDevUnplug([this](TJvHidDevice* dev) {
        log_.push_back("unplug " + std::to_string(dev->Attributes().VendorID));
    });
    controller_->SetOnRemoval([this](TJvHidDevice* dev) {
        log_.push_back("removal " + std::to_string(dev->Attributes().VendorID));
    });
    bus_->Unplug(first, false);
    bus_->Unplug(last, false);
    controller_->DeviceChange();
    EXPECT_EQ(log_, (Log{"unplug 3", "removal 3", "unplug 1", "removal 1"}));
    ASSERT_EQ(controller_->Devices().size(), 1u);
    EXPECT_EQ(controller_->Devices()[0]->Attributes().VendorID, 2);
}

TEST_F(ControllerTest, AnUnpluggedDeviceKeptCheckedOutIsRemovedAgainAtEveryChange) {
    auto device = bus_->Plug(test::ProcessorConfig(), false);
    test::RunPendingEvents();
    TJvHidDevice* held = nullptr;
    ASSERT_TRUE(controller_->CheckOut(held));
    int unplugs = 0, removals = 0, changes = 0;
    controller_->SetDevUnplug([&](TJvHidDevice*) { ++unplugs; });
    controller_->SetOnRemoval([&](TJvHidDevice*) { ++removals; });
    controller_->SetDeviceChangeEvent([&](TObject*) { ++changes; });
    changes = 0;  // setting the handler enumerated once
    bus_->Unplug(device, false);
    controller_->DeviceChange();
    controller_->DeviceChange();
    EXPECT_EQ(unplugs, 1);  // the handler is taken away after its one call
    EXPECT_EQ(removals, 2);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(held->IsPluggedIn());
    EXPECT_EQ(held->HidFileHandle(), kInvalidHidHandle);
    EXPECT_EQ(controller_->NumUnpluggedDevices(), 1);
    EXPECT_EQ(controller_->NumCheckedOutDevices(), 0);
    controller_->CheckIn(held);
    EXPECT_EQ(held, nullptr);
    EXPECT_TRUE(controller_->Devices().empty());
    EXPECT_EQ(controller_->NumUnpluggedDevices(), 0);
    // The device comes back as a new object.
    bus_->Plug(test::ProcessorConfig(), false);
    controller_->DeviceChange();
    ASSERT_EQ(controller_->Devices().size(), 1u);
    EXPECT_TRUE(controller_->Devices()[0]->IsPluggedIn());
}

TEST_F(ControllerTest, CheckOutOperationsAndCounts) {
    bus_->Plug(test::OtherConfig(0x0168, 0x0001), false);
    bus_->Plug(test::ProcessorConfig(), false);
    bus_->Plug(test::OtherConfig(0x0999, 0x0821), false);
    test::RunPendingEvents();
    TJvHidDevice* dev = reinterpret_cast<TJvHidDevice*>(1);
    for (std::int32_t bad : {-1, 3}) {
        EXPECT_FALSE(controller_->CheckOutByIndex(dev, bad)) << bad;
        EXPECT_EQ(dev, nullptr) << bad;
    }
    EXPECT_EQ(controller_->CountByID(0x0168, -1), 2);
    EXPECT_EQ(controller_->CountByID(0x0168, 0x0821), 1);
    EXPECT_EQ(controller_->CountByProductName("Other"), 2);
    EXPECT_EQ(controller_->CountByClass("HIDClass"), 3);
    EXPECT_EQ(controller_->CountByCallback(
                  [](TJvHidDevice* d) { return d->Attributes().ProductID == 0x0821; }),
              2);

    ASSERT_TRUE(controller_->CheckOutByID(dev, 0x0168, -1));
    EXPECT_EQ(dev->Attributes().ProductID, 0x0001);  // the first free device of the vendor
    TJvHidDevice* second = nullptr;
    ASSERT_TRUE(controller_->CheckOutByID(second, 0x0168, -1));
    EXPECT_EQ(second->Attributes().ProductID, 0x0821);
    TJvHidDevice* none = nullptr;
    EXPECT_FALSE(controller_->CheckOutByID(none, 0x0168, -1));
    EXPECT_FALSE(controller_->CheckOutByClass(none, ""));
    EXPECT_FALSE(controller_->CheckOutByProductName(none, ""));
    ASSERT_TRUE(controller_->CheckOutByVendorName(none, "WQJ"));
    EXPECT_EQ(controller_->NumCheckedOutDevices(), 3);
    EXPECT_EQ(controller_->NumCheckedInDevices(), 0);

    TJvHidDevice* nothing = nullptr;
    controller_->CheckIn(nothing);
    hidCtl_->CheckIn(dev);
    EXPECT_EQ(dev, nullptr);
    EXPECT_EQ(controller_->NumCheckedInDevices(), 1);
    TJvHidDevice* refused = nullptr;
    EXPECT_FALSE(controller_->CheckOutByCallback(refused, [](TJvHidDevice* d) {
        EXPECT_NE(d->VendorName(), "");  // the device is open to the callback
        return false;
    }));
    ASSERT_TRUE(controller_->CheckOut(refused));
    EXPECT_EQ(refused->Attributes().ProductID, 0x0001);
}

TEST_F(ControllerTest, EnumerateWithoutHandlerOffersOneDevice) {
    EXPECT_EQ(controller_->Enumerate(), 0);
    bus_->Plug(test::ProcessorConfig(), false);
    bus_->Plug(test::OtherConfig(5, 5), false);
    test::RunPendingEvents();
    EXPECT_EQ(controller_->Enumerate(), 1);
    std::vector<std::int32_t> offered;
    controller_->SetOnEnumerate([&](TJvHidDevice*, std::int32_t idx) {
        offered.push_back(idx);
        return false;
    });
    EXPECT_EQ(controller_->Enumerate(), 1);
    EXPECT_EQ(offered, std::vector<std::int32_t>{0});
}

TEST_F(ControllerTest, TheSameChangeHandlerAgainDoesNotEnumerate) {
    bus_->Plug(test::ProcessorConfig(), false);
    test::RunPendingEvents();
    int changes = 0;
    TJvHidNotifyEvent handler = [&](TObject*) { ++changes; };
    controller_->SetDeviceChangeEvent(handler);
    changes = 0;  // setting the handler enumerated once
    bus_->Plug(test::OtherConfig(7, 7), false);
    controller_->SetDeviceChangeEvent(handler);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(controller_->Devices().size(), 1u);
    controller_->SetDeviceChangeEvent([&](TObject*) { ++changes; });
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(controller_->Devices().size(), 2u);
}

TEST_F(ControllerTest, ANotificationDuringAHandlerIsLost) {
    test::RunPendingEvents();
    bool armed = false, plugged = false;
    controller_->SetDeviceChangeEvent([&](TObject*) {
        if (!armed || plugged) return;
        plugged = true;
        bus_->Plug(test::OtherConfig(9, 9));  // its notification arrives while this handler runs
        test::RunPendingEvents();
    });
    armed = true;
    bus_->Plug(test::ProcessorConfig());
    test::RunPendingEvents();
    EXPECT_TRUE(plugged);
    EXPECT_EQ(controller_->Devices().size(), 1u);
}

TEST_F(ControllerTest, DataErrorHandlerReachesListedDevicesOnlyWhenSetAgain) {
    bus_->Plug(test::ProcessorConfig(), false);
    int errors = 0;
    TJvHidDataErrorEvent onError = [&](TJvHidDevice*, std::uint32_t) { ++errors; };
    controller_->SetDevDataError(onError);
    test::RunPendingEvents();
    ASSERT_EQ(controller_->Devices().size(), 1u);
    TJvHidDevice* dev = controller_->Devices()[0];
    EXPECT_FALSE(static_cast<bool>(dev->OnDataError()));
    controller_->SetDevDataError(nullptr);
    controller_->SetDevDataError(onError);
    EXPECT_TRUE(static_cast<bool>(dev->OnDataError()));
}

TEST_F(ControllerTest, DevicesTakeTheControllersHandlersButKeepTheirOwn) {
    bus_->Plug(test::ProcessorConfig(), false);
    bus_->Plug(test::OtherConfig(3, 3), false);
    TJvHidPlugEvent first = [](TJvHidDevice*) {};
    controller_->SetDevUnplug(first);
    controller_->SetDevThreadSleepTime(500);
    test::RunPendingEvents();
    TJvHidDevice* own = controller_->Devices()[1];
    TJvHidPlugEvent individual = [](TJvHidDevice*) {};
    own->SetOnUnplug(individual);
    own->SetThreadSleepTime(250);
    EXPECT_EQ(controller_->Devices()[0]->ThreadSleepTime(), 100);  // new devices start at 100
    controller_->SetDevThreadSleepTime(100);
    controller_->SetDevThreadSleepTime(20);
    TJvHidPlugEvent second = [](TJvHidDevice*) {};
    controller_->SetDevUnplug(second);
    EXPECT_TRUE(controller_->Devices()[0]->OnUnplug() == second);
    EXPECT_TRUE(own->OnUnplug() == individual);
    EXPECT_EQ(controller_->Devices()[0]->ThreadSleepTime(), 20);
    EXPECT_EQ(own->ThreadSleepTime(), 250);
}

TEST_F(ControllerTest, VersionTexts) {
    EXPECT_EQ(controller_->Version(), "1.0.34");
    controller_->SetVersion("9");
    EXPECT_EQ(controller_->Version(), "1.0.34");
    EXPECT_EQ(controller_->HidVersion(), "fake HID bus 1.0");
}

TEST(ControllerWithoutLibraries, StaysEmpty) {
    auto bus = std::make_shared<TFakeHidBus>();
    auto previous = SetHidBackend(bus);
    bus->Plug(test::ProcessorConfig());
    const auto saved = BuiltinLibraryExports(kSetupLibraryName);
    UnregisterBuiltinLibrary(kSetupLibraryName);
    {
        TJvHidDeviceController controller(nullptr);
        int changes = 0;
        controller.SetDeviceChangeEvent([&](TObject*) { ++changes; });
        test::RunPendingEvents();
        controller.DeviceChange();
        EXPECT_EQ(changes, 0);
        EXPECT_TRUE(controller.HidGuid() == kHidInterfaceGuid);
        TJvHidDevice* dev = nullptr;
        EXPECT_FALSE(controller.CheckOut(dev));
        EXPECT_EQ(controller.CountByID(0x0168, -1), 0);
    }
    RegisterBuiltinLibrary(kSetupLibraryName, saved);
    SetHidBackend(previous);
}

TEST(HidStatusTexts, ErrorsOnlyForErrorCodes) {
    struct Case {
        NTSTATUS code;
        const char* text;
    } cases[] = {
        {HIDP_STATUS_SUCCESS, ""},
        {0x00120000, ""},
        {0xC0120001, ""},
        {HIDP_STATUS_NULL, "HID Error: device not plugged in"},
        {HIDP_STATUS_BUFFER_TOO_SMALL, "HID Error: buffer too small"},
        {HIDP_STATUS_NOT_IMPLEMENTED, "HID Error: not implemented"},
        {0xC0110011, "HID Error: unknown HID error c0110011"},
        {0x40110000, "HID Error: unknown HID error 40110000"},
    };
    for (const Case& c : cases) EXPECT_EQ(HidErrorString(c.code), c.text) << std::hex << c.code;
    EXPECT_NO_THROW(HidCheck(HIDP_STATUS_SUCCESS));
    EXPECT_NO_THROW(HidError(0x00120000));
    EXPECT_NO_THROW(HidCheck(0x00110005));  // not success, but not an error either
    try {
        HidCheck(HIDP_STATUS_USAGE_NOT_FOUND);
        ADD_FAILURE() << "no exception";
    } catch (const EHidClientError& e) {
        EXPECT_EQ(e.Message(), "HID Error: usage not found");
    }
}

}  // namespace
}  // namespace dsp
