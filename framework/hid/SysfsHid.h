#pragma once
// What sysfs tells about the hidraw devices present: the device node, the HID identity and name,
// and the strings of the USB device behind it. The roots are parameters so that tests can lay out
// a folder of their own.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dsp {

inline constexpr const char* kSysHidrawRoot = "/sys/class/hidraw";
inline constexpr const char* kDevRoot = "/dev";

struct THidrawNode {
    std::string name;            // "hidraw3"
    std::string devnode;         // devRoot + "/hidraw3"
    std::string hidDir;          // the HID device's sysfs folder
    std::uint32_t sequence = 0;  // the kernel's running number of the HID device, new at each plug
    std::uint16_t busType = 0, vendorId = 0, productId = 0, versionNumber = 0;
    std::string hidName, phys, uniq, driver;
    std::string manufacturer, product, serialNumber;  // of the USB device, when there is one
};

// Every hidraw node under sysHidrawRoot, in the order of their numbers.
std::vector<THidrawNode> ScanHidrawNodes(const std::string& sysHidrawRoot,
                                         const std::string& devRoot);
// The node of that name ("hidraw3"), or nothing when sysfs does not know it.
std::optional<THidrawNode> ReadHidrawNode(const std::string& sysHidrawRoot,
                                          const std::string& devRoot, const std::string& name);
// The report descriptor sysfs keeps for the node; empty when it cannot be read.
std::vector<std::uint8_t> ReadReportDescriptor(const THidrawNode& node);

}  // namespace dsp
