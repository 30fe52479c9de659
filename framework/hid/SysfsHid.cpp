#include "framework/hid/SysfsHid.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace dsp {
namespace fs = std::filesystem;

namespace {

std::string ReadLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::map<std::string, std::string> ReadUevent(const fs::path& file) {
    std::map<std::string, std::string> values;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        auto eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

std::uint32_t HexNumber(const std::string& text) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 16);
    return end == text.c_str() ? 0 : std::uint32_t(value);
}

// "hidraw12" -> 12, for ordering.
long NodeNumber(const std::string& name) {
    auto digits = name.find_first_of("0123456789");
    return digits == std::string::npos ? -1 : std::strtol(name.c_str() + digits, nullptr, 10);
}

}  // namespace

std::optional<THidrawNode> ReadHidrawNode(const std::string& sysHidrawRoot,
                                          const std::string& devRoot, const std::string& name) {
    std::error_code ec;
    const fs::path link = fs::path(sysHidrawRoot) / name / "device";
    const fs::path hidDir = fs::canonical(link, ec);
    if (ec || !fs::is_directory(hidDir, ec)) return std::nullopt;

    THidrawNode node;
    node.name = name;
    node.devnode = (fs::path(devRoot) / name).string();
    node.hidDir = hidDir.string();
    // The HID device's folder is named "BBBB:VVVV:PPPP.NNNN", NNNN counting up with every device.
    const std::string dirName = hidDir.filename().string();
    auto dot = dirName.rfind('.');
    if (dot != std::string::npos) node.sequence = HexNumber(dirName.substr(dot + 1));

    const auto uevent = ReadUevent(hidDir / "uevent");
    auto get = [&uevent](const char* key) {
        auto found = uevent.find(key);
        return found == uevent.end() ? std::string() : found->second;
    };
    // HID_ID=0003:00000168:00000821: bus type, vendor, product.
    std::istringstream id(get("HID_ID"));
    std::string bus, vendor, product;
    if (std::getline(id, bus, ':') && std::getline(id, vendor, ':') && std::getline(id, product)) {
        node.busType = std::uint16_t(HexNumber(bus));
        node.vendorId = std::uint16_t(HexNumber(vendor));
        node.productId = std::uint16_t(HexNumber(product));
    } else {
        return std::nullopt;
    }
    node.hidName = get("HID_NAME");
    node.phys = get("HID_PHYS");
    node.uniq = get("HID_UNIQ");
    node.driver = get("DRIVER");

    // The USB device sits a few folders up (HID device, USB interface, USB device).
    fs::path up = hidDir.parent_path();
    for (int level = 0; level < 4 && !up.empty() && up != up.root_path();
         ++level, up = up.parent_path()) {
        if (!fs::exists(up / "idVendor", ec)) continue;
        node.manufacturer = ReadLine(up / "manufacturer");
        node.product = ReadLine(up / "product");
        node.serialNumber = ReadLine(up / "serial");
        node.versionNumber = std::uint16_t(HexNumber(ReadLine(up / "bcdDevice")));
        break;
    }
    if (node.product.empty()) node.product = node.hidName;
    if (node.serialNumber.empty()) node.serialNumber = node.uniq;
    return node;
}

std::vector<THidrawNode> ScanHidrawNodes(const std::string& sysHidrawRoot,
                                         const std::string& devRoot) {
    std::vector<THidrawNode> nodes;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysHidrawRoot, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("hidraw", 0) != 0) continue;
        if (auto node = ReadHidrawNode(sysHidrawRoot, devRoot, name))
            nodes.push_back(std::move(*node));
    }
    std::sort(nodes.begin(), nodes.end(), [](const THidrawNode& a, const THidrawNode& b) {
        return NodeNumber(a.name) < NodeNumber(b.name);
    });
    return nodes;
}

std::vector<std::uint8_t> ReadReportDescriptor(const THidrawNode& node) {
    std::ifstream in(fs::path(node.hidDir) / "report_descriptor", std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

}  // namespace dsp
