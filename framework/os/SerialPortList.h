#pragma once
// The machine's serial ports as the link's scan lists them: each real serial device under a
// name "COMn" (n from 1), mapped to its device path. Tests add names of their own that stand
// for pseudo-terminals.

#include <string>
#include <vector>

namespace dsp {

struct SerialPortEntry {
    std::string key;   // where the port was found: its device path
    std::string name;  // "COMn"
};

// The serial devices under a sysfs class folder (normally "/sys/class/tty"), as device paths
// ("/dev/ttyS0") in name order: entries with a device behind them, without the 8250 ports
// that the driver registers with no hardware (their type reads 0).
std::vector<std::string> ScanSerialDevices(const std::string& classFolder);

// The list the scan reads: the real devices numbered COM1, COM2, ... in ScanSerialDevices
// order, then the names added by tests (an added name hides a real one of the same name).
std::vector<SerialPortEntry> ListSerialPorts();

// The device path for a port name "COMn" or "\\.\COMn"; empty when no such port is listed.
std::string SerialPortPath(const std::string& name);

// Whether the list holds the machine's own serial devices (on by default). Tests that serve
// their own ports turn it off, so that a scan finds only the names they added.
void SetSerialDeviceScan(bool enabled);

// Makes name ("COMn") stand for path (a pseudo-terminal's slave) until removed.
void AddSerialPortOverride(const std::string& name, const std::string& path);
void RemoveSerialPortOverride(const std::string& name);
void ClearSerialPortOverrides();

}  // namespace dsp
