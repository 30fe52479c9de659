#include "framework/hid/FakeHid.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>

#include "framework/hid/Utf16.h"

namespace dsp {

// One opened device: its own queue of input reports, as each open file of a device has.
class TFakeHidConnection : public IHidConnection {
public:
    TFakeHidConnection(std::shared_ptr<TFakeHidDevice> device, unsigned access)
        : device_(std::move(device)), access_(access) {
        device_->Attach(this);
    }
    ~TFakeHidConnection() override { device_->Detach(this); }

    unsigned Access() const { return access_; }

    void Push(const std::vector<std::uint8_t>& report) {
        std::lock_guard<std::mutex> guard(lock_);
        queue_.push_back(report);
        while (queue_.size() > bufferCount_) queue_.pop_front();
        ready_.notify_all();
    }
    void Disconnect() {
        std::lock_guard<std::mutex> guard(lock_);
        disconnected_ = true;
        ready_.notify_all();
    }

    bool GetAttributes(HIDD_ATTRIBUTES& attributes) override {
        const TFakeHidDeviceConfig& s = device_->Config();
        if (!s.identifiable) return Fail(ERROR_GEN_FAILURE);
        attributes.Size = sizeof(HIDD_ATTRIBUTES);
        attributes.VendorID = s.vendorId;
        attributes.ProductID = s.productId;
        attributes.VersionNumber = s.versionNumber;
        return true;
    }
    bool GetReportDescriptor(std::vector<std::uint8_t>& descriptor) override {
        if (!Usable()) return false;
        descriptor = device_->Config().reportDescriptor;
        return true;
    }
    bool GetString(THidStringKind kind, std::u16string& text) override {
        if (!Usable()) return false;
        const TFakeHidDeviceConfig& s = device_->Config();
        const std::string& value = kind == THidStringKind::Manufacturer ? s.manufacturer
                                   : kind == THidStringKind::Product    ? s.product
                                                                        : s.serialNumber;
        if (value.empty()) return Fail(ERROR_INVALID_PARAMETER);
        text = Utf8ToUtf16(value);
        return true;
    }
    bool GetIndexedString(std::uint32_t index, std::u16string& text) override {
        if (!Usable()) return false;
        const TFakeHidDeviceConfig& s = device_->Config();
        if (index == 0) {
            text.assign(s.languageIds.begin(), s.languageIds.end());
            return true;
        }
        auto found = s.indexedStrings.find(index);
        if (found == s.indexedStrings.end()) return Fail(ERROR_INVALID_PARAMETER);
        text = Utf8ToUtf16(found->second);
        return true;
    }
    bool GetPhysicalDescriptor(std::vector<std::uint8_t>& descriptor) override {
        if (!Usable()) return false;
        if (device_->Config().physicalDescriptor.empty()) return Fail(ERROR_NOT_SUPPORTED);
        descriptor = device_->Config().physicalDescriptor;
        return true;
    }
    bool GetFeature(std::uint8_t* report, std::uint32_t length) override {
        if (!Usable() || report == nullptr || length == 0)
            return Usable() && Fail(ERROR_INVALID_PARAMETER);
        std::lock_guard<std::mutex> guard(device_->lock_);
        auto found = device_->features_.find(report[0]);
        if (found == device_->features_.end()) return Fail(ERROR_INVALID_PARAMETER);
        std::fill_n(report, length, 0);
        std::copy_n(found->second.begin(), std::min<std::size_t>(length, found->second.size()),
                    report);
        return true;
    }
    bool SetFeature(const std::uint8_t* report, std::uint32_t length) override {
        if (!Usable() || report == nullptr || length == 0)
            return Usable() && Fail(ERROR_INVALID_PARAMETER);
        std::lock_guard<std::mutex> guard(device_->lock_);
        device_->features_[report[0]].assign(report, report + length);
        return true;
    }
    bool GetInputReport(std::uint8_t* report, std::uint32_t length) override {
        if (!Usable() || report == nullptr || length == 0)
            return Usable() && Fail(ERROR_INVALID_PARAMETER);
        const auto& reports = device_->Config().inputReports;
        auto found = reports.find(report[0]);
        if (found == reports.end()) return Fail(ERROR_INVALID_PARAMETER);
        std::fill_n(report, length, 0);
        std::copy_n(found->second.begin(), std::min<std::size_t>(length, found->second.size()),
                    report);
        return true;
    }
    bool SetOutputReport(const std::uint8_t* report, std::uint32_t length) override {
        if (!Usable() || report == nullptr || length == 0)
            return Usable() && Fail(ERROR_INVALID_PARAMETER);
        return device_->Write(report, length) || Fail(ERROR_DEVICE_NOT_CONNECTED);
    }

    THidReadResult Read(std::uint8_t* buffer, std::uint32_t size, int timeoutMs,
                        std::uint32_t& bytesRead) override {
        bytesRead = 0;
        std::unique_lock<std::mutex> guard(lock_);
        auto stop = [this] { return !queue_.empty() || interrupted_ || disconnected_; };
        if (timeoutMs < 0)
            ready_.wait(guard, stop);
        else if (!ready_.wait_for(guard, std::chrono::milliseconds(timeoutMs), stop))
            return THidReadResult::TimedOut;
        if (interrupted_) return ReadFailed(ERROR_OPERATION_ABORTED);
        if (queue_.empty()) return ReadFailed(ERROR_DEVICE_NOT_CONNECTED);
        const std::vector<std::uint8_t> report = std::move(queue_.front());
        queue_.pop_front();
        bytesRead = std::uint32_t(std::min<std::size_t>(size, report.size()));
        std::copy_n(report.begin(), bytesRead, buffer);
        return THidReadResult::Data;
    }
    bool Write(const std::uint8_t* report, std::uint32_t length,
               std::uint32_t& bytesWritten) override {
        bytesWritten = 0;
        if (report == nullptr || length == 0) return Fail(ERROR_INVALID_PARAMETER);
        if (!device_->Write(report, length)) return Fail(ERROR_DEVICE_NOT_CONNECTED);
        bytesWritten = length;
        return true;
    }
    void Interrupt() override {
        std::lock_guard<std::mutex> guard(lock_);
        interrupted_ = true;
        ready_.notify_all();
    }
    bool Flush() override {
        std::lock_guard<std::mutex> guard(lock_);
        queue_.clear();
        return true;
    }
    std::uint32_t InputBufferCount() const override {
        std::lock_guard<std::mutex> guard(lock_);
        return bufferCount_;
    }
    bool SetInputBufferCount(std::uint32_t count) override {
        std::lock_guard<std::mutex> guard(lock_);
        bufferCount_ = count;
        while (queue_.size() > bufferCount_) queue_.pop_front();
        return true;
    }

private:
    static bool Fail(std::uint32_t error) {
        HidSetLastError(error);
        return false;
    }
    static THidReadResult ReadFailed(std::uint32_t error) {
        HidSetLastError(error);
        return THidReadResult::Failed;
    }
    bool Usable() const { return device_->IsPluggedIn() || Fail(ERROR_DEVICE_NOT_CONNECTED); }

    std::shared_ptr<TFakeHidDevice> device_;
    const unsigned access_;
    mutable std::mutex lock_;
    std::condition_variable ready_;
    std::deque<std::vector<std::uint8_t>> queue_;
    std::uint32_t bufferCount_ = 32;
    bool interrupted_ = false;
    bool disconnected_ = false;
};

TFakeHidDevice::TFakeHidDevice(TFakeHidDeviceConfig config, std::string path,
                               std::uint32_t instanceId)
    : config_(std::move(config)),
      path_(std::move(path)),
      instanceId_(instanceId),
      features_(config_.featureReports) {}

bool TFakeHidDevice::IsPluggedIn() const {
    std::lock_guard<std::mutex> guard(lock_);
    return pluggedIn_;
}

void TFakeHidDevice::SendInputReport(const std::vector<std::uint8_t>& report) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!pluggedIn_) return;
    for (TFakeHidConnection* c : connections_)
        if (c->Access() & kHidAccessRead) c->Push(report);
}

void TFakeHidDevice::SetOutputHandler(
    std::function<void(const std::vector<std::uint8_t>&)> handler) {
    std::lock_guard<std::mutex> guard(lock_);
    outputHandler_ = std::move(handler);
}

std::vector<std::vector<std::uint8_t>> TFakeHidDevice::WrittenReports() const {
    std::lock_guard<std::mutex> guard(lock_);
    return written_;
}

int TFakeHidDevice::OpenConnections() const {
    std::lock_guard<std::mutex> guard(lock_);
    return int(connections_.size());
}

int TFakeHidDevice::ReadingConnections() const {
    std::lock_guard<std::mutex> guard(lock_);
    return int(std::count_if(connections_.begin(), connections_.end(), [](TFakeHidConnection* c) {
        return (c->Access() & kHidAccessRead) != 0;
    }));
}

void TFakeHidDevice::Attach(TFakeHidConnection* connection) {
    std::lock_guard<std::mutex> guard(lock_);
    connections_.push_back(connection);
}

void TFakeHidDevice::Detach(TFakeHidConnection* connection) {
    std::lock_guard<std::mutex> guard(lock_);
    connections_.erase(std::remove(connections_.begin(), connections_.end(), connection),
                       connections_.end());
}

void TFakeHidDevice::Unplug() {
    std::lock_guard<std::mutex> guard(lock_);
    pluggedIn_ = false;
    for (TFakeHidConnection* c : connections_) c->Disconnect();
}

bool TFakeHidDevice::Write(const std::uint8_t* report, std::uint32_t length) {
    std::function<void(const std::vector<std::uint8_t>&)> handler;
    std::vector<std::uint8_t> bytes(report, report + length);
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!pluggedIn_) return false;
        written_.push_back(bytes);
        handler = outputHandler_;
    }
    if (handler) handler(bytes);
    return true;
}

std::shared_ptr<TFakeHidDevice> TFakeHidBus::Plug(TFakeHidDeviceConfig config, bool notify) {
    std::shared_ptr<TFakeHidDevice> device;
    {
        std::lock_guard<std::mutex> guard(lock_);
        const std::uint32_t id = nextId_++;
        device = std::make_shared<TFakeHidDevice>(std::move(config),
                                                  "fake-hid/" + std::to_string(id), id);
        devices_.push_back(device);
    }
    if (notify) NotifyChanged();
    return device;
}

void TFakeHidBus::Unplug(const std::shared_ptr<TFakeHidDevice>& device, bool notify) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        devices_.erase(std::remove(devices_.begin(), devices_.end(), device), devices_.end());
    }
    device->Unplug();
    if (notify) NotifyChanged();
}

void TFakeHidBus::NotifyChanged() {
    std::lock_guard<std::mutex> guard(watchLock_);
    if (watcher_) watcher_();
}

void TFakeHidBus::SetDirectReports(bool supported) {
    std::lock_guard<std::mutex> guard(lock_);
    directReports_ = supported;
}

bool TFakeHidBus::SupportsDirectReports() const {
    std::lock_guard<std::mutex> guard(lock_);
    return directReports_;
}

std::vector<std::shared_ptr<TFakeHidDevice>> TFakeHidBus::Devices() const {
    std::lock_guard<std::mutex> guard(lock_);
    return devices_;
}

std::vector<THidInterfaceRecord> TFakeHidBus::EnumerateInterfaces() {
    std::vector<THidInterfaceRecord> records;
    for (const auto& device : Devices()) {
        const TFakeHidDeviceConfig& s = device->Config();
        THidInterfaceRecord r;
        r.path = device->Path();
        r.instanceId = device->InstanceId();
        char hardwareId[40];
        std::snprintf(hardwareId, sizeof hardwareId, "HID\\VID_%04X&PID_%04X", s.vendorId,
                      s.productId);
        r.properties[SPDRP_CLASS] = std::string("HIDClass");
        r.properties[SPDRP_HARDWAREID] = std::vector<std::string>{hardwareId};
        r.properties[SPDRP_ENUMERATOR_NAME] = std::string("HID");
        if (!s.product.empty()) r.properties[SPDRP_DEVICEDESC] = s.product;
        if (!s.manufacturer.empty()) r.properties[SPDRP_MFG] = s.manufacturer;
        for (const auto& [key, value] : s.properties) r.properties[key] = value;
        records.push_back(std::move(r));
    }
    return records;
}

std::unique_ptr<IHidConnection> TFakeHidBus::Open(const std::string& path, unsigned access) {
    for (const auto& device : Devices()) {
        if (device->Path() != path) continue;
        if (!device->Config().openable || (access != 0 && !device->Config().readWrite)) {
            HidSetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        return std::make_unique<TFakeHidConnection>(device, access);
    }
    HidSetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

bool TFakeHidBus::WatchChanges(std::function<void()> onChange) {
    std::lock_guard<std::mutex> guard(watchLock_);
    watcher_ = std::move(onChange);
    return true;
}

}  // namespace dsp
