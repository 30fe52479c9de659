// The connect and scan dialog against a fake main window, on the manual clock: candidate order
// and counter, the watchdog per candidate, failures, a broken link and the texts.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "framework/controls/Label.h"
#include "framework/controls/ProgressBar.h"
#include "framework/os/SerialPortList.h"
#include "framework/runtime/ManualClock.h"
#include "framework/runtime/Timer.h"
#include "link/forms/FNetWorkScan.h"
#include "tests/link/forms/FakeSessionWindow.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {
namespace {

using std::chrono::milliseconds;

TEST(ScanDialog, PortsAreTriedByTheirNumber) {
    EXPECT_EQ(TfmNetwork::SortPorts({"COM10", "COM3", "COM4"}),
              (std::vector<std::string>{"COM3", "COM4", "COM10"}));
    // Equal numbers keep their order; names without a number come last.
    EXPECT_EQ(TfmNetwork::SortPorts({"COMx", "COM2", "COM02", "ttyACM"}),
              (std::vector<std::string>{"COM2", "COM02", "COMx", "ttyACM"}));
}

class ScanDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSerialDeviceScan(false);
        ClearSerialPortOverrides();
        dialog_ = std::make_unique<TfmNetwork>(nullptr);
        dialog_->AfterConstruction();
    }
    void TearDown() override {
        dialog_.reset();
        ClearSerialPortOverrides();
        SetSerialDeviceScan(true);
    }
    void Ports(std::initializer_list<const char*> names) {
        for (const char* name : names)
            AddSerialPortOverride(name, std::string("/dev/null-") + name);
    }
    void Advance(int ms) { clock_.Advance(milliseconds(ms)); }
    std::string Scan() const { return dialog_->lblScan->Caption(); }
    std::string Count() const { return dialog_->lblDeviceID->Caption(); }
    bool ButtonsEnabled() const {
        return dialog_->btnOK->Enabled() && dialog_->btnId->Enabled() &&
               dialog_->btnExit->Enabled();
    }

    TManualClock clock_;
    TFakeSessionWindow window_;
    std::unique_ptr<TfmNetwork> dialog_;
};

TEST_F(ScanDialogTest, TriesUsbThenEachSerialPortCountingThem) {
    window_.hidDevice = true;
    Ports({"COM2", "COM1"});
    dialog_->btnOK->Click();
    EXPECT_EQ(window_.calls, (std::vector<std::string>{"discover"}));
    EXPECT_FALSE(ButtonsEnabled());
    EXPECT_EQ(Count(), "1/3");
    EXPECT_EQ(Scan(), "Scan USB");
    EXPECT_EQ(dialog_->pbScan->Max(), 3);
    Advance(100);
    EXPECT_EQ(window_.calls.back(), "usb");

    const char* ports[] = {"COM1", "COM2"};
    for (int i = 0; i < 2; ++i) {
        dialog_->ReportConnectResult(0);
        Advance(100);
        EXPECT_EQ(window_.calls.back(), "disconnect");
        EXPECT_EQ(Count(), std::to_string(i + 2) + "/3");
        EXPECT_EQ(Scan(), std::string("Scaning") + ports[i] + " ......");
        EXPECT_EQ(dialog_->pbScan->Position(), i + 2);
        Advance(100);
        EXPECT_EQ(window_.calls.back(), std::string("com:") + ports[i]);
    }
    dialog_->ReportConnectResult(0);
    Advance(100);
    EXPECT_EQ(Scan(), "No Device found.");
    EXPECT_EQ(Count(), "");
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_EQ(dialog_->pbScan->Position(), 3);
}

TEST_F(ScanDialogTest, TheNetworkIsTriedWhenThereIsNoUsbDevice) {
    window_.deviceIp = true;
    dialog_->btnOK->Click();
    EXPECT_EQ(Count(), "1/1");
    EXPECT_EQ(Scan(), "Scan Ethernet");
    Advance(100);
    EXPECT_EQ(window_.calls.back(), "net");
    // Its watchdog ends it after 2000 ms.
    Advance(1899);
    EXPECT_EQ(window_.Count("disconnect"), 0);
    Advance(201);
    EXPECT_EQ(window_.Count("disconnect"), 1);
    EXPECT_EQ(Scan(), "No Device found.");
}

TEST_F(ScanDialogTest, EachSerialPortGetsItsWholeWatchdogTime) {
    Ports({"COM1", "COM2"});
    dialog_->btnOK->Click();
    Advance(100);
    EXPECT_EQ(window_.calls.back(), "com:COM1");
    // The first port fails late; the second starts 100 ms later.
    Advance(8900);
    dialog_->ReportConnectResult(0);
    Advance(100);
    Advance(100);
    EXPECT_EQ(window_.calls.back(), "com:COM2");
    // Past the first port's ten seconds: the second is still being tried.
    Advance(2000);
    EXPECT_EQ(dialog_->Candidate(), 2);
    EXPECT_EQ(window_.Count("disconnect"), 1);
    EXPECT_FALSE(ButtonsEnabled());
    // Its own ten seconds end it.
    Advance(8000);
    EXPECT_EQ(window_.Count("disconnect"), 2);
    EXPECT_EQ(Scan(), "No Device found.");
}

TEST_F(ScanDialogTest, ABrokenLinkEndsTheScanWithItsText) {
    Ports({"COM1", "COM2"});
    dialog_->btnOK->Click();
    Advance(100);
    dialog_->ReportLinkBroken();
    EXPECT_FALSE(dialog_->IsConnected());
    Advance(100);
    EXPECT_EQ(Scan(), "Link Broken");
    EXPECT_EQ(Count(), "");
    EXPECT_TRUE(ButtonsEnabled());
    // Nothing of the scan goes on behind the buttons.
    const std::size_t calls = window_.calls.size();
    Advance(20000);
    EXPECT_EQ(window_.calls.size(), calls);
}

TEST_F(ScanDialogTest, WithNoCandidateNoDeviceIsFoundAtOnce) {
    dialog_->StartScan();
    EXPECT_EQ(Scan(), "No Device found.");
    EXPECT_EQ(Count(), "");
    Advance(100);
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_EQ(window_.calls, (std::vector<std::string>{"disconnect"}));
}

TEST_F(ScanDialogTest, AnAnsweringCandidateClosesTheDialog) {
    window_.hidDevice = true;
    dialog_->Show();
    dialog_->StartScan();
    Advance(100);
    dialog_->ReportConnectResult(1);
    EXPECT_TRUE(dialog_->IsConnected());
    Advance(100);
    EXPECT_FALSE(dialog_->Visible());
    EXPECT_EQ(window_.Count("disconnect"), 0);
    // Its watchdog is over too.
    Advance(10000);
    EXPECT_EQ(window_.Count("disconnect"), 0);
}

TEST_F(ScanDialogTest, ButtonsAndTextsFollowTheLanguage) {
    dialog_->Show();
    EXPECT_EQ(dialog_->Caption(), "Connect");
    EXPECT_EQ(dialog_->btnOK->Caption(), "Scaning");
    EXPECT_EQ(dialog_->btnExit->Caption(), "Demo");
    EXPECT_EQ(dialog_->btnId->Caption(), "Set");
    dialog_->Hide();
    window_.language = kLanguageChineseGB;
    dialog_->Show();
    EXPECT_EQ(dialog_->Caption(), "连接机器");
    EXPECT_EQ(dialog_->btnOK->Caption(), "重新搜索");
    EXPECT_EQ(dialog_->btnExit->Caption(), "演示模式");
    dialog_->btnId->Click();
    dialog_->btnExit->Click();
    EXPECT_EQ(window_.calls, (std::vector<std::string>{"network setup", "link button"}));
    EXPECT_FALSE(dialog_->Visible());
}

}  // namespace
}  // namespace dsp::test
