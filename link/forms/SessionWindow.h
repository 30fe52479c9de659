#pragma once
// What the session's dialogs need of the main window: the language texts, the connect routines
// and disconnect, what the scan may try, and the link button. The main window's session
// implements it and registers itself while it exists; tests register a fake.

#include <string>

namespace dsp {

class ISessionWindow {
public:
    virtual ~ISessionWindow() = default;

    // The text of a language key ("SID_CONNECT") in the current language.
    virtual std::string GetText(const std::string& key) const = 0;

    // The connect routines: open the transport and send the connect command; the outcome comes
    // back through ReportConnectResult or ReportLinkBroken of the scan dialog.
    virtual void ConnectUsb() = 0;
    virtual void ConnectNet() = 0;
    virtual void ConnectComm() = 0;
    // Closes whatever transport is open (saying goodbye when the scan had connected).
    virtual void Disconnect() = 0;
    // The network step before a new scan: connects the socket to the device address, or leaves
    // the network out of the scan.
    virtual void DiscoverDevice() = 0;

    // The candidates before the serial ports: the processor's USB device, or else the network
    // address.
    virtual bool HasHidDevice() const = 0;
    virtual bool HasDeviceIp() const = 0;
    // The serial port the next ConnectComm opens ("COM3").
    virtual void SetCommPortName(const std::string& name) = 0;

    // Demonstration mode: the link button and the Connect menu item become usable again.
    virtual void EnableLinkButton() = 0;
    // Opens the network setup (the NetworkSetup menu item).
    virtual void ShowNetworkSetup() = 0;
};

// The registered main window, or null.
ISessionWindow* SessionWindow();
void SetSessionWindow(ISessionWindow* window);

}  // namespace dsp
