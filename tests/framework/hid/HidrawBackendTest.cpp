#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "framework/hid/HidrawBackend.h"
#include "framework/hid/SysfsHid.h"
#include "framework/hid/Udev.h"
#include "framework/hid/Utf16.h"

namespace dsp {
namespace {
namespace fs = std::filesystem;

// A sysfs and /dev laid out in a temporary folder: a USB processor behind hidraw1, a Bluetooth
// keyboard without USB parent behind hidraw0, and a hidraw2 whose device is gone.
class SysfsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("hidraw-fixture-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        const fs::path usb = root_ / "sys/devices/pci0000:00/usb1/1-2";
        const fs::path processorHid = usb / "1-2:1.0/0003:0168:0821.000A";
        Write(usb / "idVendor", "0168\n");
        Write(usb / "manufacturer", "WQJ\n");
        Write(usb / "product", "DSP 3x6\n");
        Write(usb / "serial", "0042\n");
        Write(usb / "bcdDevice", "0102\n");
        Write(processorHid / "uevent",
              "DRIVER=hid-generic\nHID_ID=0003:00000168:00000821\nHID_NAME=WQJ DSP "
              "3x6\nHID_PHYS=usb-0000:00:14.0-2/input0\n");
        Write(processorHid / "report_descriptor",
              std::string("\x06\x00\xFF\x09\x01\xA1\x01\xC0", 8));
        const fs::path keyboardHid = root_ / "sys/devices/virtual/misc/uhid/0005:046D:B342.0003";
        Write(keyboardHid / "uevent",
              "HID_ID=0005:0000046D:0000B342\nHID_NAME=Keys K380\nHID_UNIQ=aa:bb:cc\n");
        Write(keyboardHid / "report_descriptor",
              std::string("\x05\x01\x09\x06\xA1\x01\x85\x01\x75\x08\x95\x01\x81\x02\xC0", 15));
        Link(processorHid, "hidraw1");
        Link(keyboardHid, "hidraw0");
        Link(root_ / "sys/devices/gone", "hidraw2");
        fs::create_directories(root_ / "dev");
        settings_.sysHidrawRoot = (root_ / "sys/class/hidraw").string();
        settings_.devRoot = (root_ / "dev").string();
    }
    void TearDown() override { fs::remove_all(root_); }

    static void Write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    void Link(const fs::path& target, const std::string& name) {
        const fs::path dir = root_ / "sys/class/hidraw" / name;
        fs::create_directories(dir);
        fs::create_directory_symlink(target, dir / "device");
    }

    fs::path root_;
    THidrawSettings settings_;
};

TEST_F(SysfsFixture, ScanReadsIdentityNamesAndUsbStrings) {
    auto nodes = ScanHidrawNodes(settings_.sysHidrawRoot, settings_.devRoot);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0].name, "hidraw0");
    EXPECT_EQ(nodes[0].busType, 5);
    EXPECT_EQ(nodes[0].product, "Keys K380");  // no USB device: the HID name stands in
    EXPECT_EQ(nodes[0].serialNumber, "aa:bb:cc");
    const THidrawNode& p = nodes[1];
    EXPECT_EQ(p.devnode, settings_.devRoot + "/hidraw1");
    EXPECT_EQ(p.sequence, 0x0Au);
    EXPECT_EQ(p.vendorId, 0x0168);
    EXPECT_EQ(p.productId, 0x0821);
    EXPECT_EQ(p.versionNumber, 0x0102);
    EXPECT_EQ(p.manufacturer, "WQJ");
    EXPECT_EQ(p.product, "DSP 3x6");
    EXPECT_EQ(p.serialNumber, "0042");
    EXPECT_EQ(ReadReportDescriptor(p).size(), 8u);
}

TEST_F(SysfsFixture, BackendListsInterfacesAndOpensThemForQueries) {
    auto backend = MakeHidrawBackend(settings_);
    auto records = backend->EnumerateInterfaces();
    ASSERT_EQ(records.size(), 2u);
    const THidInterfaceRecord& r = records[1];
    EXPECT_EQ(r.instanceId, 0x0Au);
    EXPECT_EQ(std::get<std::string>(r.properties.at(SPDRP_DEVICEDESC)), "WQJ DSP 3x6");
    EXPECT_EQ(std::get<std::string>(r.properties.at(SPDRP_MFG)), "WQJ");
    EXPECT_EQ(std::get<std::vector<std::string>>(r.properties.at(SPDRP_HARDWAREID))[0],
              "HID\\VID_0168&PID_0821");

    auto query = backend->Open(r.path, 0);
    ASSERT_NE(query, nullptr);
    HIDD_ATTRIBUTES attributes;
    ASSERT_TRUE(query->GetAttributes(attributes));
    EXPECT_EQ(attributes.VersionNumber, 0x0102);
    std::u16string text;
    ASSERT_TRUE(query->GetString(THidStringKind::Manufacturer, text));
    EXPECT_EQ(Utf16ToUtf8(text), "WQJ");
    EXPECT_FALSE(query->GetIndexedString(0, text));
    EXPECT_EQ(HidGetLastError(), ERROR_NOT_SUPPORTED);
    std::uint32_t n;
    std::uint8_t buffer[4];
    EXPECT_FALSE(query->Write(buffer, 4, n));  // no access asked

    EXPECT_EQ(backend->Open(settings_.devRoot + "/hidraw9", 0), nullptr);
    EXPECT_EQ(HidGetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(backend->Open(r.path, kHidAccessRead), nullptr);  // no node in the fixture's /dev
    EXPECT_EQ(HidGetLastError(), ERROR_FILE_NOT_FOUND);
}

// A FIFO stands in for the device node: reading waits for bytes, times out, wakes when the
// connection is interrupted, and puts back the report ID that hidraw leaves out for devices
// without numbered reports.
TEST_F(SysfsFixture, ReadsWaitTimeOutAndWakeOnInterrupt) {
    struct Case {
        const char* node;
        std::vector<std::uint8_t> delivered;  // as hidraw hands it over
        std::vector<std::uint8_t> read;       // as the reader sees it
    } cases[] = {
        {"hidraw1", {0x10, 0x02, 0x05}, {0x00, 0x10, 0x02, 0x05}},
        {"hidraw0", {0x01, 0x04}, {0x01, 0x04}},
    };
    auto backend = MakeHidrawBackend(settings_);
    for (const Case& c : cases) {
        const std::string node = settings_.devRoot + "/" + c.node;
        ASSERT_EQ(::mkfifo(node.c_str(), 0600), 0);
        auto connection = backend->Open(node, kHidAccessRead | kHidAccessWrite);
        ASSERT_NE(connection, nullptr) << c.node;
        std::uint32_t n = 0;
        ASSERT_TRUE(connection->Write(c.delivered.data(), std::uint32_t(c.delivered.size()), n));
        std::uint8_t in[8] = {};
        ASSERT_EQ(connection->Read(in, sizeof in, 1000, n), THidReadResult::Data) << c.node;
        EXPECT_EQ(std::vector<std::uint8_t>(in, in + n), c.read) << c.node;
        EXPECT_EQ(connection->Read(in, sizeof in, 1, n), THidReadResult::TimedOut);

        std::thread stopper([&] { connection->Interrupt(); });
        EXPECT_EQ(connection->Read(in, sizeof in, -1, n), THidReadResult::Failed);
        EXPECT_EQ(HidGetLastError(), ERROR_OPERATION_ABORTED);
        stopper.join();
    }
}

// A node whose data has ended (read gives 0 bytes) is a device that is gone: the read fails
// instead of handing over an empty report that the read loop would ask for again at once.
TEST_F(SysfsFixture, ANodeAtTheEndOfItsDataFailsTheRead) {
    auto backend = MakeHidrawBackend(settings_);
    const std::string node = settings_.devRoot + "/hidraw0";
    { std::ofstream empty(node); }
    auto connection = backend->Open(node, kHidAccessRead);
    ASSERT_NE(connection, nullptr);
    std::uint8_t in[8] = {};
    std::uint32_t n = 7;
    EXPECT_EQ(connection->Read(in, sizeof in, 1000, n), THidReadResult::Failed);
    EXPECT_EQ(HidGetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(n, 0u);
}

TEST(KernelRelease, ComparesMajorThenMinor) {
    struct Case {
        const char* release;
        bool atLeast511;
    } cases[] = {{"5.10.0-28-amd64", false}, {"5.11.0", true}, {"6.1.0-18-amd64", true},
                 {"4.19.0", false},          {"10.0", true},   {"garbage", false}};
    for (const Case& c : cases)
        EXPECT_EQ(KernelReleaseAtLeast(c.release, 5, 11), c.atLeast511) << c.release;
}

TEST(UdevBinding, AllFunctionsOrNone) {
    EXPECT_EQ(BindUdev("libdsp-no-such-library.so"), nullptr);
    EXPECT_EQ(BindUdev("libm.so.6"), nullptr);  // loads, but exports none of the functions
    TLibraryHandle probe = LoadLibrary(kUdevLibraryName);
    if (probe == nullptr) GTEST_SKIP() << "libudev is not installed";
    FreeLibrary(probe);
    auto api = BindUdev();
    ASSERT_NE(api, nullptr);
    EXPECT_NE(api->udev_monitor_get_fd, nullptr);
}

}  // namespace
}  // namespace dsp
