#pragma once
// What the network setup dialog needs of the main window: its language texts, the session's
// device ID and online state, the processor's network address with the client socket that
// connects to it, the address label, and the information dialog. The main window implements
// it and registers itself while it exists; tests register a fake.

#include <cstdint>
#include <string>

namespace dsp {

class INetworkSetupHost {
public:
    virtual ~INetworkSetupHost() = default;

    virtual std::string GetText(const std::string& key) const = 0;

    // The device ID every frame goes to; SetDeviceId takes 1 to 254 and ignores the rest.
    virtual int GetDeviceId() const = 0;
    virtual void SetDeviceId(int id) = 0;
    virtual bool IsOnline() const = 0;

    // The processor's address, first octet in the high byte.
    virtual std::uint32_t GetDeviceIp() const = 0;
    virtual void SetDeviceIp(std::uint32_t address) = 0;
    // The automatic-address choice: set, the scan leaves the network out.
    virtual void SetAutoIp(bool automatic) = 0;
    // Points the client socket at a dotted address and starts connecting it again.
    virtual void ReconnectSocket(const std::string& address) = 0;
    // The main window's address label.
    virtual void ShowIpCaption(const std::string& caption) = 0;

    // Shows the text of a language key in the information dialog, modally.
    virtual void ShowInformation(const std::string& key) = 0;
};

// The registered main window, or null.
INetworkSetupHost* NetworkSetupHost();
void SetNetworkSetupHost(INetworkSetupHost* host);

}  // namespace dsp
