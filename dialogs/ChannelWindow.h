#pragma once
// What the channel dialogs (test signal, link selection, channel copy, channel names) need of
// the main window: its language texts and send path, the link masks and the operations that
// store links, copies and names and bring the window in line with them. The main window
// implements it and registers itself while it exists; tests register a fake.

#include <cstdint>
#include <string>

#include "model/UnitImage.h"

namespace dsp {

class LCmd;

class IChannelWindow {
public:
    virtual ~IChannelWindow() = default;

    // The text of a language key ("SID_EXIT") in the current language.
    virtual std::string GetText(const std::string& key) const = 0;

    // The window is showing a whole parameter image: the dialogs' controls change without
    // sending.
    virtual bool IsApplyingImage() const = 0;
    // The device ID every record goes to, and the send dispatcher.
    virtual int GetDeviceId() const = 0;
    virtual void SendCommand(const LCmd& record, bool noCoalesce, bool framed) = 0;

    // The stored link mask of a channel (0 to 8), in the bit numbering of its side.
    virtual std::uint16_t GetLinkMask(int channel) const = 0;
    // Stores (and sends) one channel's link mask.
    virtual void SetLinkMask(int channel, std::uint16_t mask) = 0;
    // Copies one channel's settings onto another of the same side; with reRead the shown image
    // is brought in line afterwards.
    virtual void CopyChannel(int from, int to, std::uint8_t reRead) = 0;
    // After a link change: the shown image brought in line with the stored links.
    virtual void CommitLinks() = 0;
    // Shows or hides a channel's overlay and overview buttons.
    virtual void ShowOverlayButtons(int channel, bool visible) = 0;
    // Captions a channel's page button as leading (leader == channel) or following leader.
    virtual void ShowLinkCaption(int leader, int channel) = 0;
    // Shows the Gain page as its page button does.
    virtual void ShowGainPage() = 0;

    // A channel's stored name (8 bytes, zero padded), and a new one stored, shown and sent.
    virtual const ChannelNameBytes& GetChannelName(int channel) const = 0;
    virtual void SetChannelName(int channel, const ChannelNameBytes& name) = 0;
};

// The registered main window, or null.
IChannelWindow* ChannelWindow();
void SetChannelWindow(IChannelWindow* window);

}  // namespace dsp
