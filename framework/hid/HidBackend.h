#pragma once
// Where HID devices come from: a backend lists the HID interfaces that are present, opens them and
// tells when the set of devices changed. The hidraw backend serves real devices; the fake bus
// serves devices made up by tests and by the processor simulator. One backend is current for the
// whole program.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "framework/hid/HidTypes.h"

namespace dsp {

// A device property: text, a list of texts or a number.
using THidProperty = std::variant<std::string, std::vector<std::string>, std::uint32_t>;

// One present HID interface: the path that opens it, an identity that stays the same while the
// device stays plugged in, and its descriptive properties (keys are TDeviceRegistryProperty).
struct THidInterfaceRecord {
    std::string path;
    std::uint32_t instanceId = 0;
    std::map<std::uint32_t, THidProperty> properties;
};

// Access asked of an opened interface.
inline constexpr unsigned kHidAccessRead = 1;
inline constexpr unsigned kHidAccessWrite = 2;

enum class THidStringKind { Manufacturer, Product, SerialNumber };

enum class THidReadResult { Data, TimedOut, Failed };

// An opened HID interface. Operations return false and set the calling thread's last HID error
// when they fail. Read may run on one thread while others write or interrupt.
class IHidConnection {
public:
    virtual ~IHidConnection() = default;

    virtual bool GetAttributes(HIDD_ATTRIBUTES& attributes) = 0;
    virtual bool GetReportDescriptor(std::vector<std::uint8_t>& descriptor) = 0;
    virtual bool GetString(THidStringKind kind, std::u16string& text) = 0;
    // Index 0 is the list of language IDs the device's strings exist in.
    virtual bool GetIndexedString(std::uint32_t index, std::u16string& text) = 0;
    virtual bool GetPhysicalDescriptor(std::vector<std::uint8_t>& descriptor) = 0;

    // Reports carry their report ID in the first byte.
    virtual bool GetFeature(std::uint8_t* report, std::uint32_t length) = 0;
    virtual bool SetFeature(const std::uint8_t* report, std::uint32_t length) = 0;
    virtual bool GetInputReport(std::uint8_t* report, std::uint32_t length) = 0;
    virtual bool SetOutputReport(const std::uint8_t* report, std::uint32_t length) = 0;

    // Waits up to timeoutMs (negative: without limit) for the next input report.
    virtual THidReadResult Read(std::uint8_t* buffer, std::uint32_t size, int timeoutMs,
                                std::uint32_t& bytesRead) = 0;
    virtual bool Write(const std::uint8_t* report, std::uint32_t length,
                       std::uint32_t& bytesWritten) = 0;
    // Ends a Read that waits now and every later one: the connection is being closed.
    virtual void Interrupt() = 0;
    // Drops the input reports that wait to be read.
    virtual bool Flush() = 0;

    // The number of input reports kept for reading before the oldest is dropped.
    virtual std::uint32_t InputBufferCount() const = 0;
    virtual bool SetInputBufferCount(std::uint32_t count) = 0;
};

class IHidBackend {
public:
    virtual ~IHidBackend() = default;

    // The interfaces present now, in a stable order.
    virtual std::vector<THidInterfaceRecord> EnumerateInterfaces() = 0;
    // Opens a path with kHidAccessRead/kHidAccessWrite, or with no access to query it only.
    virtual std::unique_ptr<IHidConnection> Open(const std::string& path, unsigned access) = 0;
    // Whether input reports can be asked for and output reports sent outside the report stream.
    virtual bool SupportsDirectReports() const = 0;
    // A text naming the backend and its version.
    virtual std::string VersionText() const = 0;
    // Calls onChange whenever devices may have come or gone (on the UI thread for real devices, on
    // the thread that changed them for the fake bus); an empty function stops the calls. Returns
    // false when this backend cannot watch for changes.
    virtual bool WatchChanges(std::function<void()> onChange) = 0;
};

// The current backend: the hidraw backend unless another was installed.
std::shared_ptr<IHidBackend> CurrentHidBackend();
// Installs a backend (null brings back the hidraw backend) and returns the one it replaced.
std::shared_ptr<IHidBackend> SetHidBackend(std::shared_ptr<IHidBackend> backend);

// The calling thread's last error of the HID services (ERROR_ codes).
std::uint32_t HidGetLastError();
void HidSetLastError(std::uint32_t error);

}  // namespace dsp
