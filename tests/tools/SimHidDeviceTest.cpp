#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "framework/hid/FakeHid.h"
#include "framework/hid/HidFile.h"
#include "tests/tools/SimTestSupport.h"
#include "tools/sim/SimHidDevice.h"

namespace dsp::sim {
namespace {

// The editor's side of the USB door: the processor's device opened through the HID services.
class SimHidDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetHidBackend(bus_);
        door_.Plug();
        ASSERT_TRUE(door_.IsPluggedIn());
        handle_ = HidCreateFile(door_.Device()->Path(), kHidAccessRead | kHidAccessWrite, false);
        ASSERT_NE(handle_, kInvalidHidHandle);
    }
    void TearDown() override {
        HidCloseHandle(handle_);
        door_.Unplug();
        SetHidBackend(previous_);
    }
    // Writes one frame as the editor does: report ID 0, the frame, zeros to 64 bytes.
    void Write(const Bytes& frame) {
        Bytes report(1 + kReportDataBytes, 0);
        std::copy(frame.begin(), frame.end(), report.begin() + 1);
        std::uint32_t written = 0;
        ASSERT_TRUE(HidWriteFile(handle_, report.data(), std::uint32_t(report.size()), &written));
    }
    Bytes ReadReport() {
        Bytes report(1 + kReportDataBytes, 0xEE);
        std::uint32_t got = 0;
        EXPECT_TRUE(HidReadFile(handle_, report.data(), std::uint32_t(report.size()), &got));
        report.resize(got);
        return report;
    }

    std::shared_ptr<TFakeHidBus> bus_ = std::make_shared<TFakeHidBus>();
    std::shared_ptr<IHidBackend> previous_;
    ProcessorSimulator processor_;
    SimHidDevice door_{processor_, *bus_};
    THidHandle handle_ = kInvalidHidHandle;
};

TEST_F(SimHidDeviceTest, PresentsTheProcessorsIdentity) {
    auto records = bus_->EnumerateInterfaces();
    ASSERT_EQ(records.size(), 1u);
    const auto& config = door_.Device()->Config();
    EXPECT_EQ(config.vendorId, 0x0168);
    EXPECT_EQ(config.productId, 0x0821);
}

TEST_F(SimHidDeviceTest, EachFrameIsAnsweredWithOneZeroPaddedReport) {
    Write(EditorFrame(16));
    const Bytes reply = BuildFrame(1, 0, 16, {});
    Bytes expected(1 + kReportDataBytes, 0);
    std::copy(reply.begin(), reply.end(), expected.begin() + 1);
    EXPECT_EQ(ReadReport(), expected);

    Write(EditorFrame(39, {3}));  // a memory block: the longest answer still fits one report
    const Bytes block = ReadReport();
    EXPECT_EQ(block[0], 0);
    EXPECT_EQ(block[1 + 5], 36);
    EXPECT_EQ(block[1 + 4], 52);               // the longest frame there is: 60 of the 64 bytes
    EXPECT_TRUE(processor_.Faults().empty());  // the padding never reached the simulator
    EXPECT_EQ(processor_.FrameCount(), 2);
}

TEST_F(SimHidDeviceTest, ADroppedLinkPullsTheDeviceOut) {
    std::mutex mutex;
    std::condition_variable changed;
    int changes = 0;
    bus_->WatchChanges([&] {
        {
            std::lock_guard<std::mutex> guard(mutex);
            ++changes;
        }
        changed.notify_all();
    });
    processor_.SetDropAfterFrames(1);
    Write(EditorFrame(16));
    ReadReport();
    {
        std::unique_lock<std::mutex> lock(mutex);
        EXPECT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return changes > 0; }));
    }
    EXPECT_FALSE(door_.IsPluggedIn());
    EXPECT_TRUE(bus_->EnumerateInterfaces().empty());
    bus_->WatchChanges(nullptr);
    std::lock_guard<std::mutex> guard(mutex);
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace dsp::sim
