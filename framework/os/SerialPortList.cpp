#include "framework/os/SerialPortList.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <utility>

namespace dsp {

namespace {

namespace fs = std::filesystem;

std::mutex& OverrideLock() {
    static std::mutex lock;
    return lock;
}

std::vector<std::pair<std::string, std::string>>& Overrides() {
    static std::vector<std::pair<std::string, std::string>> list;
    return list;
}

std::atomic<bool> deviceScan{true};

std::string ReadFirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// "\\.\COM12" and "COM12" name the same port.
std::string ShortName(const std::string& name) {
    const std::string longPrefix = "\\\\.\\";
    if (name.compare(0, longPrefix.size(), longPrefix) == 0) return name.substr(longPrefix.size());
    return name;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
        if (up(a[i]) != up(b[i])) return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> ScanSerialDevices(const std::string& classFolder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(classFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path entry = it->path();
        std::error_code linkError;
        if (!fs::exists(entry / "device", linkError)) continue;
        const fs::path driver = fs::read_symlink(entry / "device" / "driver", linkError);
        if (!linkError && driver.filename() == "serial8250") {
            // Registered without hardware: the port type reads 0 (unknown).
            if (ReadFirstLine(entry / "type") == "0") continue;
        }
        names.push_back(entry.filename().string());
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& n : names) paths.push_back("/dev/" + n);
    return paths;
}

std::vector<SerialPortEntry> ListSerialPorts() {
    std::vector<SerialPortEntry> list;
    int number = 1;
    const std::vector<std::string> devices =
        deviceScan ? ScanSerialDevices("/sys/class/tty") : std::vector<std::string>{};
    for (const std::string& path : devices) {
        if (number > 98) break;
        list.push_back({path, "COM" + std::to_string(number++)});
    }
    std::lock_guard<std::mutex> guard(OverrideLock());
    for (const auto& entry : Overrides()) {
        const std::string& name = entry.first;
        const std::string& path = entry.second;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const SerialPortEntry& e) { return SameName(e.name, name); }),
                   list.end());
        list.push_back({path, name});
    }
    return list;
}

std::string SerialPortPath(const std::string& name) {
    const std::string shortName = ShortName(name);
    for (const SerialPortEntry& e : ListSerialPorts()) {
        if (SameName(e.name, shortName)) return e.key;
    }
    return {};
}

void SetSerialDeviceScan(bool enabled) { deviceScan = enabled; }

void AddSerialPortOverride(const std::string& name, const std::string& path) {
    std::lock_guard<std::mutex> guard(OverrideLock());
    auto& list = Overrides();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const auto& p) { return SameName(p.first, name); }),
               list.end());
    list.emplace_back(name, path);
}

void RemoveSerialPortOverride(const std::string& name) {
    std::lock_guard<std::mutex> guard(OverrideLock());
    auto& list = Overrides();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const auto& p) { return SameName(p.first, name); }),
               list.end());
}

void ClearSerialPortOverrides() {
    std::lock_guard<std::mutex> guard(OverrideLock());
    Overrides().clear();
}

}  // namespace dsp
