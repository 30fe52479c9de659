#pragma once
// The main window as the channel dialogs see it, recorded: every call the dialogs make, in order
// ("send 57 3 17", "SetLinkMask 4 6", "CopyChannel 4 5 0", ...), with link masks and channel
// names the dialogs read and write. Registered for both of the dialogs' interfaces while it
// lives. Also a helper that keeps a dialog's picture in build/artifacts/dialogs.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/ChannelWindow.h"
#include "dialogs/MainWindowServices.h"
#include "model/UnitImage.h"

namespace dsp {
class TCustomForm;
}  // namespace dsp

namespace dsp::test {

class TFakeChannelWindow : public IChannelWindow, public IMainWindowServices {
public:
    TFakeChannelWindow();
    ~TFakeChannelWindow() override;

    std::string GetText(const std::string& key) const override;
    bool IsApplyingImage() const override { return applying; }
    int GetDeviceId() const override { return 1; }
    void SendCommand(const LCmd& record, bool noCoalesce, bool framed) override;
    std::uint16_t GetLinkMask(int channel) const override;
    void SetLinkMask(int channel, std::uint16_t mask) override;
    void CopyChannel(int from, int to, std::uint8_t reRead) override;
    void CommitLinks() override { calls.push_back("CommitLinks"); }
    void ShowOverlayButtons(int channel, bool visible) override;
    void ShowLinkCaption(int leader, int channel) override;
    void ShowGainPage() override { calls.push_back("ShowGainPage"); }
    const ChannelNameBytes& GetChannelName(int channel) const override;
    void SetChannelName(int channel, const ChannelNameBytes& name) override;

    void ConfirmExitAndClose() override {}
    void CancelExit() override {}
    void ResetChannelEq(int) override {}
    void ConfirmFactoryReset() override {}

    // The calls made since the last clear; the calls of one kind ("send", "SetLinkMask").
    std::vector<std::string> CallsOf(const std::string& kind) const;

    std::string language = "English";
    bool applying = false;
    std::vector<std::string> calls;
    // Every channel standing alone, as the default image has them.
    std::array<std::uint16_t, ChannelCount> masks{1, 2, 4, 1, 2, 4, 8, 16, 32};
    std::array<ChannelNameBytes, ChannelCount> names{};
};

// The form's client area as a PNG in build/artifacts/dialogs/<name>.png.
void KeepDialogPicture(TCustomForm& form, const std::string& name);

}  // namespace dsp::test
