#include "tools/sim/SimHidDevice.h"

#include <algorithm>
#include <chrono>

namespace dsp::sim {

const std::vector<std::uint8_t>& ProcessorReportDescriptor() {
    // clang-format off
    static const std::vector<std::uint8_t> descriptor{
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,                                      // vendor page, application
        0x09, 0x02, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40, 0x81, 0x02,  // 64 bytes in
        0x09, 0x03, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40, 0x91, 0x02,  // 64 bytes out
        0xC0};
    // clang-format on
    return descriptor;
}

TFakeHidDeviceConfig ProcessorHidConfig() {
    TFakeHidDeviceConfig config;
    config.vendorId = kProcessorVendorId;
    config.productId = kProcessorProductId;
    config.versionNumber = 0x0100;
    config.manufacturer = "WQJ";
    config.product = "DSP Processor";
    config.reportDescriptor = ProcessorReportDescriptor();
    return config;
}

SimHidDevice::SimHidDevice(ProcessorSimulator& simulator, TFakeHidBus& bus)
    : simulator_(simulator), bus_(bus), sender_([this] { SendLoop(); }) {}

SimHidDevice::~SimHidDevice() {
    Unplug();
    {
        std::lock_guard<std::mutex> guard(lock_);
        stop_ = true;
    }
    wake_.notify_all();
    sender_.join();
}

void SimHidDevice::Plug() {
    std::shared_ptr<TFakeHidDevice> device;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (device_) return;
        simulator_.StartConnection();
        device = device_ = bus_.Plug(ProcessorHidConfig(), false);
    }
    device->SetOutputHandler(
        [this](const std::vector<std::uint8_t>& report) { OnOutputReport(report); });
    bus_.NotifyChanged();
}

void SimHidDevice::Unplug() {
    std::shared_ptr<TFakeHidDevice> device;
    {
        std::lock_guard<std::mutex> guard(lock_);
        device = std::move(device_);
        pending_.clear();
    }
    if (!device) return;
    device->SetOutputHandler(nullptr);
    bus_.Unplug(device);
}

bool SimHidDevice::IsPluggedIn() const {
    std::lock_guard<std::mutex> guard(lock_);
    return device_ != nullptr;
}

std::shared_ptr<TFakeHidDevice> SimHidDevice::Device() const {
    std::lock_guard<std::mutex> guard(lock_);
    return device_;
}

// Runs on the editor's writing thread: the frame is the report's bytes after the ID, as long as
// its length byte says, and never the padding.
void SimHidDevice::OnOutputReport(const std::vector<std::uint8_t>& report) {
    if (report.size() < 2) return;
    const std::size_t data = report.size() - 1;
    const std::size_t frame = data > 4 ? std::min<std::size_t>(report[1 + 4] + 8u, data) : data;
    std::vector<SimReply> replies = simulator_.Receive(report.data() + 1, frame);
    {
        std::lock_guard<std::mutex> guard(lock_);
        for (SimReply& r : replies) pending_.push_back(std::move(r));
    }
    wake_.notify_all();
}

void SimHidDevice::SendLoop() {
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        wake_.wait(guard, [this] { return stop_ || !pending_.empty(); });
        if (stop_) return;
        SimReply reply = std::move(pending_.front());
        pending_.pop_front();
        std::shared_ptr<TFakeHidDevice> device = device_;
        guard.unlock();
        if (reply.delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
        // One report per 64 bytes: a reply frame fits one, bytes sent before it take their own.
        for (std::size_t at = 0; device && at < reply.bytes.size(); at += kReportDataBytes) {
            std::vector<std::uint8_t> input(1 + kReportDataBytes, 0);
            const std::size_t n = std::min(kReportDataBytes, reply.bytes.size() - at);
            std::copy_n(reply.bytes.begin() + std::ptrdiff_t(at), n, input.begin() + 1);
            device->SendInputReport(input);
        }
        if (reply.dropLink) Unplug();
        guard.lock();
    }
}

}  // namespace dsp::sim
