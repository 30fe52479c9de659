#pragma once
// The simulator's USB door: a device on the in-process fake HID bus with the processor's vendor
// and product IDs and 64-byte reports. Each output report the editor writes (report ID 0, a
// frame, zero padding) goes to the simulator; each answer comes back as input reports of one
// frame each, from a thread of the door's own so that late answers do not hold up the writer.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/hid/FakeHid.h"
#include "tools/sim/ProcessorSimulator.h"

namespace dsp::sim {

inline constexpr std::uint16_t kProcessorVendorId = 0x0168;
inline constexpr std::uint16_t kProcessorProductId = 0x0821;
inline constexpr std::size_t kReportDataBytes = 64;

// The processor's report descriptor: 64 vendor-defined bytes in and out, no report IDs.
const std::vector<std::uint8_t>& ProcessorReportDescriptor();
// The device as the processor presents itself on USB.
TFakeHidDeviceConfig ProcessorHidConfig();

class SimHidDevice {
public:
    SimHidDevice(ProcessorSimulator& simulator, TFakeHidBus& bus);
    SimHidDevice(const SimHidDevice&) = delete;
    SimHidDevice& operator=(const SimHidDevice&) = delete;
    ~SimHidDevice();

    // Plugs the device into the bus (telling the bus's watcher) and starts answering.
    void Plug();
    // Pulls it out, as a cable pulled would; answers not sent yet are dropped.
    void Unplug();
    bool IsPluggedIn() const;
    std::shared_ptr<TFakeHidDevice> Device() const;

private:
    void OnOutputReport(const std::vector<std::uint8_t>& report);
    void SendLoop();

    ProcessorSimulator& simulator_;
    TFakeHidBus& bus_;
    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::shared_ptr<TFakeHidDevice> device_;
    std::deque<SimReply> pending_;
    bool stop_ = false;
    std::thread sender_;
};

}  // namespace dsp::sim
