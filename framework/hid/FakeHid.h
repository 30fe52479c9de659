#pragma once
// An in-process HID bus for tests and the processor simulator: devices are plugged in and pulled
// out by program, receive the output reports the editor writes and send input reports back.
//
//   auto bus = std::make_shared<TFakeHidBus>();
//   auto previous = SetHidBackend(bus);
//   auto device = bus->Plug(config);
//   device->SetOutputHandler([&](const std::vector<std::uint8_t>& report) { ...
//       device->SendInputReport(reply); });

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/hid/HidBackend.h"

namespace dsp {

struct TFakeHidDeviceConfig {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::string manufacturer;
    std::string product;
    std::string serialNumber;
    std::vector<std::uint16_t> languageIds{0x0409};
    std::map<std::uint32_t, std::string> indexedStrings;
    std::vector<std::uint8_t> reportDescriptor;
    std::vector<std::uint8_t> physicalDescriptor;  // empty: the device has none
    // Reports answered to direct input-report and feature requests, by report ID.
    std::map<std::uint8_t, std::vector<std::uint8_t>> inputReports;
    std::map<std::uint8_t, std::vector<std::uint8_t>> featureReports;
    bool readWrite = true;     // false: the device opens for queries only
    bool openable = true;      // false: the device cannot be opened at all
    bool identifiable = true;  // false: its attributes cannot be read
    // Properties besides those made up from the fields above (keys are TDeviceRegistryProperty).
    std::map<std::uint32_t, THidProperty> properties;
};

class TFakeHidConnection;

class TFakeHidDevice {
public:
    TFakeHidDevice(TFakeHidDeviceConfig config, std::string path, std::uint32_t instanceId);

    const TFakeHidDeviceConfig& Config() const { return config_; }
    const std::string& Path() const { return path_; }
    std::uint32_t InstanceId() const { return instanceId_; }
    bool IsPluggedIn() const;

    // Queues an input report (its report ID first) on every connection opened for reading.
    void SendInputReport(const std::vector<std::uint8_t>& report);
    // Called on the writing thread with every output report written, report ID first.
    void SetOutputHandler(std::function<void(const std::vector<std::uint8_t>&)> handler);
    std::vector<std::vector<std::uint8_t>> WrittenReports() const;
    // Connections open now, and of them those open for reading.
    int OpenConnections() const;
    int ReadingConnections() const;

private:
    friend class TFakeHidBus;
    friend class TFakeHidConnection;
    void Attach(TFakeHidConnection* connection);
    void Detach(TFakeHidConnection* connection);
    void Unplug();
    bool Write(const std::uint8_t* report, std::uint32_t length);

    const TFakeHidDeviceConfig config_;
    const std::string path_;
    const std::uint32_t instanceId_;
    mutable std::mutex lock_;
    bool pluggedIn_ = true;
    std::vector<TFakeHidConnection*> connections_;
    std::function<void(const std::vector<std::uint8_t>&)> outputHandler_;
    std::vector<std::vector<std::uint8_t>> written_;
    std::map<std::uint8_t, std::vector<std::uint8_t>> features_;
};

class TFakeHidBus : public IHidBackend {
public:
    // Plugs a device in; its path is "fake-hid/N" with N its identity, counted from 1.
    std::shared_ptr<TFakeHidDevice> Plug(TFakeHidDeviceConfig config, bool notify = true);
    // Pulls a device out: its open connections fail from now on.
    void Unplug(const std::shared_ptr<TFakeHidDevice>& device, bool notify = true);
    // Tells the watcher that devices changed.
    void NotifyChanged();
    void SetDirectReports(bool supported);
    std::vector<std::shared_ptr<TFakeHidDevice>> Devices() const;

    std::vector<THidInterfaceRecord> EnumerateInterfaces() override;
    std::unique_ptr<IHidConnection> Open(const std::string& path, unsigned access) override;
    bool SupportsDirectReports() const override;
    std::string VersionText() const override { return "fake HID bus 1.0"; }
    bool WatchChanges(std::function<void()> onChange) override;

private:
    mutable std::mutex lock_;
    std::vector<std::shared_ptr<TFakeHidDevice>> devices_;
    std::uint32_t nextId_ = 1;
    bool directReports_ = true;
    std::mutex watchLock_;  // held while the watcher runs, so that replacing it waits for the call
    std::function<void()> watcher_;
};

}  // namespace dsp
