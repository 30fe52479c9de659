#include "framework/os/SerialPortList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dsp {
namespace {

namespace fs = std::filesystem;

// A sysfs class folder with the kinds of entries a machine shows.
class FakeTtyClass : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("tty-class-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "drivers" / "serial8250");
        fs::create_directories(root_ / "drivers" / "usb-serial");
        AddPort("ttyS0", "serial8250", "4");  // a real 16550A
        AddPort("ttyS1", "serial8250", "0");  // registered, no hardware
        AddPort("ttyS2", "serial8250", "0");
        AddPort("ttyUSB0", "usb-serial", "");
        fs::create_directories(root_ / "class" / "tty0");  // virtual console: no device
        fs::create_directories(root_ / "class" / "ptmx");
    }
    void TearDown() override { fs::remove_all(root_); }

    void AddPort(const std::string& name, const std::string& driver, const std::string& type) {
        fs::path dev = root_ / "devices" / name;
        fs::create_directories(dev);
        fs::create_directory_symlink(root_ / "drivers" / driver, dev / "driver");
        fs::create_directories(root_ / "class" / name);
        fs::create_directory_symlink(dev, root_ / "class" / name / "device");
        if (!type.empty()) std::ofstream(root_ / "class" / name / "type") << type << "\n";
    }

    fs::path root_;
};

TEST_F(FakeTtyClass, ListsRealDevicesWithoutPhantomPorts) {
    EXPECT_EQ(ScanSerialDevices((root_ / "class").string()),
              (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0"}));
}

TEST(SerialPortList, MissingClassFolderListsNothing) {
    EXPECT_TRUE(ScanSerialDevices("/nonexistent/class/tty").empty());
}

TEST(SerialPortList, NamesAreComAndANumber) {
    for (const SerialPortEntry& e : ListSerialPorts()) {
        ASSERT_GE(e.name.size(), 4u);
        EXPECT_EQ(e.name.substr(0, 3), "COM");
        EXPECT_GT(std::stoi(e.name.substr(3)), 0);
    }
}

TEST(SerialPortList, AnAddedNameMapsBothFormsToItsPath) {
    ClearSerialPortOverrides();
    AddSerialPortOverride("COM12", "/dev/pts/77");
    AddSerialPortOverride("COM3", "/dev/pts/78");
    EXPECT_EQ(SerialPortPath("COM12"), "/dev/pts/77");
    EXPECT_EQ(SerialPortPath("\\\\.\\COM12"), "/dev/pts/77");
    EXPECT_EQ(SerialPortPath("COM3"), "/dev/pts/78");
    AddSerialPortOverride("COM3", "/dev/pts/79");  // a second add replaces the first
    EXPECT_EQ(SerialPortPath("COM3"), "/dev/pts/79");
    int found = 0;
    for (const SerialPortEntry& e : ListSerialPorts()) found += (e.name == "COM3");
    EXPECT_EQ(found, 1);
    RemoveSerialPortOverride("COM12");
    EXPECT_NE(SerialPortPath("COM12"), "/dev/pts/77");
    ClearSerialPortOverrides();
    EXPECT_NE(SerialPortPath("COM3"), "/dev/pts/79");
}

TEST(SerialPortList, WithTheDeviceScanOffOnlyAddedNamesAreListed) {
    ClearSerialPortOverrides();
    SetSerialDeviceScan(false);
    AddSerialPortOverride("COM1", "/dev/pts/80");
    const std::vector<SerialPortEntry> ports = ListSerialPorts();
    SetSerialDeviceScan(true);
    ClearSerialPortOverrides();
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].name, "COM1");
    EXPECT_EQ(ports[0].key, "/dev/pts/80");
}

}  // namespace
}  // namespace dsp
