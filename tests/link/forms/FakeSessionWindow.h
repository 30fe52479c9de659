#pragma once
// A main window for the session dialogs' tests: the language texts of the real tables, what the
// scan may try as the test sets it, and a log of what the dialogs asked for. Registered as the
// session window while it exists.

#include <string>
#include <vector>

#include "link/forms/SessionWindow.h"
#include "mainwindow/LanguageTexts.h"

namespace dsp::test {

class TFakeSessionWindow : public ISessionWindow {
public:
    TFakeSessionWindow() { SetSessionWindow(this); }
    ~TFakeSessionWindow() override {
        if (SessionWindow() == this) SetSessionWindow(nullptr);
    }

    std::string language = kLanguageEnglish;
    bool hidDevice = false;
    bool deviceIp = false;
    // "usb", "net", "com:COM3", "disconnect", "discover", "link button", "network setup".
    std::vector<std::string> calls;
    int Count(const std::string& call) const {
        int n = 0;
        for (const std::string& c : calls) n += c == call;
        return n;
    }

    std::string GetText(const std::string& key) const override { return LookUpText(language, key); }
    void ConnectUsb() override { calls.push_back("usb"); }
    void ConnectNet() override { calls.push_back("net"); }
    void ConnectComm() override { calls.push_back("com:" + port_); }
    void Disconnect() override { calls.push_back("disconnect"); }
    void DiscoverDevice() override { calls.push_back("discover"); }
    bool HasHidDevice() const override { return hidDevice; }
    bool HasDeviceIp() const override { return deviceIp; }
    void SetCommPortName(const std::string& name) override { port_ = name; }
    void EnableLinkButton() override { calls.push_back("link button"); }
    void ShowNetworkSetup() override { calls.push_back("network setup"); }

private:
    std::string port_;
};

}  // namespace dsp::test
