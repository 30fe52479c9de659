// The USB transport as the program runs it: the HID controller finds the processor's device on
// the fake bus and checks it out, the transport writes each frame as one output report, and the
// device's input reports go back to the transport, all against the processor simulator.

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/runtime/MessageWindow.h"
#include "link/LinkMessages.h"
#include "link/LinkWindow.h"
#include "link/Lusb.h"
#include "link/hid/JvHidControllerClass.h"
#include "model/Lcmd.h"
#include "tests/support/RunLoop.h"
#include "tools/sim/SimHidDevice.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Request(std::uint8_t code) {
    struct Raw : LCmd {
        explicit Raw(std::uint8_t c) : LCmd(1, c) {}
    };
    return LCmd::EncodeFrame(Raw(code), FrameMode::Frame);
}

class UsbLinkAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetHidBackend(bus_);
        door_.Plug();
        controller_ = std::make_unique<TJvHidDeviceController>(nullptr);
        hidCtl_ = controller_.get();
        controller_->SetOnEnumerate([this](TJvHidDevice* dev, std::int32_t idx) {
            if (dev->Attributes().VendorID == sim::kProcessorVendorId &&
                dev->Attributes().ProductID == sim::kProcessorProductId &&
                hidCtl_->CheckOutByIndex(dev, idx))
                hidDevice_ = dev;
            return true;
        });
        controller_->SetDevData(
            [this](TJvHidDevice*, std::uint8_t, const std::uint8_t* data, std::uint16_t size) {
                // One frame per report: its length byte says how much of the report it fills.
                const std::size_t n = size > 4 ? std::min<std::size_t>(data[4] + 8u, size) : size;
                if (link_) link_->PutReceived(data, n);
            });
        controller_->SetDevUnplug([this](TJvHidDevice* dev) {
            if (dev == hidDevice_) {
                hidDevice_ = nullptr;
                hidCtl_->CheckIn(dev);
            }
        });
        controller_->SetDeviceChangeEvent([this](TObject*) { hidCtl_->Enumerate(); });
        ASSERT_TRUE(test::RunLoopUntil([this] { return hidDevice_ != nullptr; }));

        window_ = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == WM_LINK_REPLY) replies_.push_back(ReplyFrameOf(m.WParam));
            if (m.Msg == WM_LINK_STATE) states_.push_back(static_cast<int>(m.WParam));
        });
        owner_ = std::make_unique<LLinkWindow>(window_, nullptr);
        link_ = std::make_unique<LUsbProc>(owner_.get());
        link_->SetWriteRoutine([this](const std::uint8_t* bytes, std::size_t count) {
            TJvHidDevice* dev = hidDevice_.load();
            if (dev == nullptr) return;
            Bytes report(dev->GetCaps().OutputReportByteLength, 0);
            std::copy_n(bytes, std::min(count, report.size() - 1), report.begin() + 1);
            std::uint32_t written = 0;
            dev->WriteFile(report.data(), std::uint32_t(report.size()), written);
        });
        ASSERT_TRUE(link_->OpenLink());
    }
    void TearDown() override {
        if (link_) link_->CloseLink();
        link_.reset();
        owner_.reset();
        DeallocateHWnd(window_);
        controller_.reset();
        SetHidBackend(previous_);
    }

    std::shared_ptr<TFakeHidBus> bus_ = std::make_shared<TFakeHidBus>();
    std::shared_ptr<IHidBackend> previous_;
    sim::ProcessorSimulator processor_;
    sim::SimHidDevice door_{processor_, *bus_};
    std::unique_ptr<TJvHidDeviceController> controller_;
    // What the handlers use: unlike controller_, it still points at the controller while it is
    // destroyed, when the unplug handler of a checked-out device checks it in.
    TJvHidDeviceController* hidCtl_ = nullptr;
    std::atomic<TJvHidDevice*> hidDevice_{nullptr};
    HWND window_{};
    std::unique_ptr<LLinkWindow> owner_;
    std::unique_ptr<LUsbProc> link_;
    std::vector<Bytes> replies_;
    std::vector<int> states_;
};

TEST_F(UsbLinkAgainstSimulator, TheConnectCommandIsAnswered) {
    link_->QueueFrame(Request(CommandCode::MCS_CONNECT), true);
    ASSERT_TRUE(test::RunLoopUntil([&] { return replies_.size() == 1; }));
    EXPECT_EQ(replies_[0], sim::BuildFrame(1, 0, 16, {}));
    EXPECT_TRUE(processor_.Faults().empty());
    EXPECT_TRUE(states_.empty());
}

TEST_F(UsbLinkAgainstSimulator, UnpluggingTheProcessorChecksItIn) {
    link_->QueueFrame(Request(CommandCode::MCS_CONNECT), true);
    ASSERT_TRUE(test::RunLoopUntil([&] { return replies_.size() == 1; }));
    door_.Unplug();
    ASSERT_TRUE(test::RunLoopUntil([&] { return hidDevice_ == nullptr; }));
    EXPECT_TRUE(controller_->Devices().empty());
    door_.Plug();
    ASSERT_TRUE(test::RunLoopUntil([&] { return hidDevice_ != nullptr; }));
    link_->QueueFrame(Request(CommandCode::MCS_KEEP_ALIVE), true);
    ASSERT_TRUE(test::RunLoopUntil([&] { return replies_.size() == 2; }));
}

}  // namespace
}  // namespace dsp
