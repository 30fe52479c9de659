#include "framework/hid/HidrawBackend.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "framework/hid/ReportDescriptor.h"
#include "framework/hid/Utf16.h"
#include "framework/runtime/DescriptorWatch.h"

namespace dsp {
namespace {

std::uint32_t ErrorFromErrno(int error) {
    switch (error) {
        case ENOENT: return ERROR_FILE_NOT_FOUND;
        case EACCES:
        case EPERM: return ERROR_ACCESS_DENIED;
        case ENODEV:
        case ENXIO:
        case EIO:
        case ESHUTDOWN:
        case EPIPE: return ERROR_DEVICE_NOT_CONNECTED;
        case EINVAL: return ERROR_INVALID_PARAMETER;
        case ENOTTY:
        case EOPNOTSUPP: return ERROR_NOT_SUPPORTED;
        default: return ERROR_GEN_FAILURE;
    }
}

bool FailErrno() {
    HidSetLastError(ErrorFromErrno(errno));
    return false;
}

bool Fail(std::uint32_t error) {
    HidSetLastError(error);
    return false;
}

std::string KernelRelease() {
    utsname names{};
    return uname(&names) == 0 ? std::string(names.release) : std::string();
}

class HidrawConnection : public IHidConnection {
public:
    HidrawConnection(THidrawNode node, int fd)
        : node_(std::move(node)),
          fd_(fd),
          wake_(eventfd(0, EFD_CLOEXEC)),
          inputNumbered_(NumberedInput(node_)) {}
    ~HidrawConnection() override {
        if (fd_ >= 0) close(fd_);
        if (wake_ >= 0) close(wake_);
    }

    bool GetAttributes(HIDD_ATTRIBUTES& attributes) override {
        attributes.Size = sizeof(HIDD_ATTRIBUTES);
        attributes.VendorID = node_.vendorId;
        attributes.ProductID = node_.productId;
        attributes.VersionNumber = node_.versionNumber;
        return true;
    }
    bool GetReportDescriptor(std::vector<std::uint8_t>& descriptor) override {
        descriptor = ReadReportDescriptor(node_);
        return !descriptor.empty() || Fail(ERROR_DEVICE_NOT_CONNECTED);
    }
    bool GetString(THidStringKind kind, std::u16string& text) override {
        const std::string& value = kind == THidStringKind::Manufacturer ? node_.manufacturer
                                   : kind == THidStringKind::Product    ? node_.product
                                                                        : node_.serialNumber;
        if (value.empty()) return Fail(ERROR_INVALID_PARAMETER);
        text = Utf8ToUtf16(value);
        return true;
    }
    // hidraw reaches neither arbitrary string descriptors nor physical descriptors.
    bool GetIndexedString(std::uint32_t, std::u16string&) override {
        return Fail(ERROR_NOT_SUPPORTED);
    }
    bool GetPhysicalDescriptor(std::vector<std::uint8_t>&) override {
        return Fail(ERROR_NOT_SUPPORTED);
    }

    bool GetFeature(std::uint8_t* report, std::uint32_t length) override {
        return Control(HIDIOCGFEATURE(length), report, length);
    }
    bool SetFeature(const std::uint8_t* report, std::uint32_t length) override {
        return Control(HIDIOCSFEATURE(length), const_cast<std::uint8_t*>(report), length);
    }
    bool GetInputReport(std::uint8_t* report, std::uint32_t length) override {
        return Control(HIDIOCGINPUT(length), report, length);
    }
    bool SetOutputReport(const std::uint8_t* report, std::uint32_t length) override {
        return Control(HIDIOCSOUTPUT(length), const_cast<std::uint8_t*>(report), length);
    }

    THidReadResult Read(std::uint8_t* buffer, std::uint32_t size, int timeoutMs,
                        std::uint32_t& bytesRead) override {
        bytesRead = 0;
        if (fd_ < 0) return ReadFailed(ERROR_ACCESS_DENIED);
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
        for (;;) {
            const int ready = poll(fds, 2, timeoutMs < 0 ? -1 : timeoutMs);
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) return ReadFailed(ErrorFromErrno(errno));
            if (ready == 0) return THidReadResult::TimedOut;
            if (fds[1].revents != 0) return ReadFailed(ERROR_OPERATION_ABORTED);
            if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
                return ReadFailed(ERROR_DEVICE_NOT_CONNECTED);
            // hidraw leaves the report ID out of reports of devices that number none: it is put
            // back, so that every report starts with its ID.
            const std::uint32_t skip = inputNumbered_ || size == 0 ? 0 : 1;
            const ssize_t got = read(fd_, buffer + skip, size - skip);
            if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (got < 0) return ReadFailed(ErrorFromErrno(errno));
            // The end of the node's data: the device is gone, and a read taken as empty data
            // would be started again at once.
            if (got == 0) return ReadFailed(ERROR_DEVICE_NOT_CONNECTED);
            if (skip != 0) buffer[0] = 0;
            bytesRead = std::uint32_t(got) + skip;
            return THidReadResult::Data;
        }
    }
    bool Write(const std::uint8_t* report, std::uint32_t length,
               std::uint32_t& bytesWritten) override {
        bytesWritten = 0;
        if (fd_ < 0) return Fail(ERROR_ACCESS_DENIED);
        ssize_t done;
        do done = write(fd_, report, length);
        while (done < 0 && errno == EINTR);
        if (done < 0) return FailErrno();
        bytesWritten = std::uint32_t(done);
        return true;
    }
    void Interrupt() override {
        const std::uint64_t one = 1;
        if (wake_ >= 0) (void)!write(wake_, &one, sizeof one);
    }
    bool Flush() override {
        if (fd_ < 0) return Fail(ERROR_ACCESS_DENIED);
        std::uint8_t scratch[4096];
        pollfd p{fd_, POLLIN, 0};
        while (poll(&p, 1, 0) > 0 && (p.revents & POLLIN) &&
               read(fd_, scratch, sizeof scratch) > 0) {}
        return true;
    }
    // The kernel keeps its own queue for each open node; the count is kept for those who ask.
    std::uint32_t InputBufferCount() const override { return bufferCount_; }
    bool SetInputBufferCount(std::uint32_t count) override {
        bufferCount_ = count;
        return true;
    }

private:
    static bool NumberedInput(const THidrawNode& node) {
        const std::vector<std::uint8_t> descriptor = ReadReportDescriptor(node);
        auto parsed = ParseReportDescriptor(descriptor.data(), descriptor.size());
        if (!parsed) return false;
        const auto& ids = parsed->reportIds[HidP_Input];
        return std::any_of(ids.begin(), ids.end(), [](std::uint8_t id) { return id != 0; });
    }
    static THidReadResult ReadFailed(std::uint32_t error) {
        HidSetLastError(error);
        return THidReadResult::Failed;
    }
    bool Control(unsigned long request, std::uint8_t* report, std::uint32_t length) {
        if (fd_ < 0) return Fail(ERROR_ACCESS_DENIED);
        if (report == nullptr || length == 0) return Fail(ERROR_INVALID_PARAMETER);
        return ioctl(fd_, request, report) >= 0 || FailErrno();
    }

    const THidrawNode node_;
    const int fd_;
    const int wake_;
    const bool inputNumbered_;
    std::uint32_t bufferCount_ = 64;
};

class HidrawBackend : public IHidBackend {
public:
    explicit HidrawBackend(THidrawSettings settings) : settings_(std::move(settings)) {}
    ~HidrawBackend() override { StopWatching(); }

    std::vector<THidInterfaceRecord> EnumerateInterfaces() override {
        std::vector<THidInterfaceRecord> records;
        for (const THidrawNode& node :
             ScanHidrawNodes(settings_.sysHidrawRoot, settings_.devRoot)) {
            THidInterfaceRecord r;
            r.path = node.devnode;
            r.instanceId = node.sequence;
            char hardwareId[40];
            std::snprintf(hardwareId, sizeof hardwareId, "HID\\VID_%04X&PID_%04X", node.vendorId,
                          node.productId);
            r.properties[SPDRP_CLASS] = std::string("HIDClass");
            r.properties[SPDRP_HARDWAREID] = std::vector<std::string>{hardwareId};
            r.properties[SPDRP_ENUMERATOR_NAME] = std::string("HID");
            r.properties[SPDRP_PHYSICAL_DEVICE_OBJECT_NAME] = node.hidDir;
            r.properties[SPDRP_BUSNUMBER] = std::uint32_t(node.busType);
            if (!node.hidName.empty()) {
                r.properties[SPDRP_DEVICEDESC] = node.hidName;
                r.properties[SPDRP_FRIENDLYNAME] = node.hidName;
            }
            if (!node.manufacturer.empty()) r.properties[SPDRP_MFG] = node.manufacturer;
            if (!node.phys.empty()) r.properties[SPDRP_LOCATION_INFORMATION] = node.phys;
            if (!node.driver.empty()) {
                r.properties[SPDRP_DRIVER] = node.driver;
                r.properties[SPDRP_SERVICE] = node.driver;
            }
            records.push_back(std::move(r));
        }
        return records;
    }

    std::unique_ptr<IHidConnection> Open(const std::string& path, unsigned access) override {
        const std::string name = path.substr(path.find_last_of('/') + 1);
        auto node = ReadHidrawNode(settings_.sysHidrawRoot, settings_.devRoot, name);
        if (!node || node->devnode != path) {
            HidSetLastError(ERROR_FILE_NOT_FOUND);
            return nullptr;
        }
        int fd = -1;
        if (access != 0) {
            const int mode = (access & kHidAccessRead) && (access & kHidAccessWrite) ? O_RDWR
                             : (access & kHidAccessWrite)                            ? O_WRONLY
                                                                                     : O_RDONLY;
            fd = open(path.c_str(), mode | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) {
                FailErrno();
                return nullptr;
            }
        }
        return std::make_unique<HidrawConnection>(std::move(*node), fd);
    }

    // Input and output reports outside the report stream came with Linux 5.11.
    bool SupportsDirectReports() const override {
        return KernelReleaseAtLeast(KernelRelease(), 5, 11);
    }

    std::string VersionText() const override { return "hidraw " + KernelRelease(); }

    // The udev monitor's descriptor is watched from the UI loop, so changes are told on the UI
    // thread.
    bool WatchChanges(std::function<void()> onChange) override {
        StopWatching();
        if (!onChange) return true;
        if (!udev_) udev_ = BindUdev(settings_.udevLibrary);
        if (!udev_) return false;
        context_ = udev_->udev_new();
        monitor_ = context_ ? udev_->udev_monitor_new_from_netlink(context_, "udev") : nullptr;
        if (monitor_ == nullptr ||
            udev_->udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) <
                0 ||
            udev_->udev_monitor_enable_receiving(monitor_) < 0) {
            StopWatching();
            return false;
        }
        watch_ = std::make_unique<TDescriptorWatch>(
            udev_->udev_monitor_get_fd(monitor_), TDescriptorWatch::wdRead,
            [this, onChange = std::move(onChange)] {
                if (void* device = udev_->udev_monitor_receive_device(monitor_))
                    udev_->udev_device_unref(device);
                onChange();
            });
        return true;
    }

private:
    void StopWatching() {
        watch_.reset();
        if (monitor_ != nullptr) udev_->udev_monitor_unref(monitor_);
        if (context_ != nullptr) udev_->udev_unref(context_);
        monitor_ = context_ = nullptr;
    }

    const THidrawSettings settings_;
    std::unique_ptr<TUdevApi> udev_;
    void* context_ = nullptr;
    void* monitor_ = nullptr;
    std::unique_ptr<TDescriptorWatch> watch_;
};

}  // namespace

bool KernelReleaseAtLeast(const std::string& release, int major, int minor) {
    int haveMajor = 0, haveMinor = 0;
    if (std::sscanf(release.c_str(), "%d.%d", &haveMajor, &haveMinor) != 2) return false;
    return haveMajor > major || (haveMajor == major && haveMinor >= minor);
}

std::shared_ptr<IHidBackend> MakeHidrawBackend(THidrawSettings settings) {
    return std::make_shared<HidrawBackend>(std::move(settings));
}

}  // namespace dsp
