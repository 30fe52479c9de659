// Link groups, channel copies and channel names, with the menu items and labels that open their
// dialogs. A link change or a copy reaches the processor as commands that are never replaced by
// later frames; online the processor's acknowledgement then reads the whole image back.

#include "dialogs/ChannelNames.h"
#include "dialogs/FChNameList.h"
#include "dialogs/FChannelName.h"
#include "dialogs/FCopy.h"
#include "dialogs/FLinkSel.h"
#include "framework/controls/Label.h"
#include "framework/runtime/Timer.h"
#include "mainwindow/FMain.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "model/Plot.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/VrButtons.h"

namespace dsp {

namespace {

// The overlay mask and plot of the overview of a channel's side.
constexpr int kInputsOverview = 9;
constexpr int kOutputsOverview = 10;
// A channel's overlay curve on another channel's plot: 18 + its index within its side.
constexpr int kFirstOverlayCurve = 18;

}  // namespace

std::uint16_t TfmMain::GetLinkMask(int channel) const { return FUnitControl->GetLinkMask(channel); }

void TfmMain::SetLinkMask(int channel, std::uint16_t mask) {
    FUnitControl->SetLinkMask(channel, mask);
}

void TfmMain::CopyChannel(int from, int to, std::uint8_t reRead) {
    if (from == to) return;
    if (FOnline) {
        if (reRead != 0) {
            BeginPhase(TSessionPhase::Relink);
            AckState = 6;
        }
        SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(FDeviceId), CommandCode::MCS_COPY_CHANNEL,
                               static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)),
                    true, true);
        return;
    }
    if (reRead == 0) {
        // A channel joining a group: its old group is being rewritten, so the copy reaches it
        // alone, as the processor does.
        FUnitControl->CopyChannel(from, to);
        return;
    }
    const std::uint16_t group = GetLinkGroupMask(to);
    for (int c = SideBegin(to); c < SideEnd(to); ++c) {
        if ((group >> SideBit(c)) & 1u) FUnitControl->CopyChannel(from, c);
    }
    ApplyUnitImage();
}

void TfmMain::CommitLinks() {
    if (!FOnline) {
        ApplyUnitImage();
        return;
    }
    tmInLevelDet->SetEnabled(false);
    BeginPhase(TSessionPhase::Relink);
    AckState = 6;
    SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(FDeviceId), CommandCode::MCS_KEEP_ALIVE), true,
                true);
    if (rzbMenuLink->CanFocus()) rzbMenuLink->SetFocus();
}

void TfmMain::ShowOverlayButtons(int channel, bool visible) {
    if (StripControl<TRzBmpButton>("rzbMenu", channel) == nullptr) return;
    const char letter = ChannelChar(channel);
    const int overview = IsInput(channel) ? kInputsOverview : kOutputsOverview;
    if (auto* lamp = Control<TVrPowerButton>(std::string("vrbShow") + letter + "Gain")) {
        lamp->SetVisible(visible);
        if (!visible) {
            lamp->SetActive(false);
            FOverlayMasks[static_cast<std::size_t>(overview)] &= ~(1u << channel);
            ChannelPlot(overview).HideCurve(channel);
        }
    }
    for (int host = SideBegin(channel); host < SideEnd(channel); ++host) {
        if (host == channel) continue;
        auto* lamp = Control<TVrPowerButton>(std::string("vrbShow") + letter + ChannelName(host));
        if (lamp == nullptr) break;
        lamp->SetVisible(visible);
        if (visible) continue;
        lamp->SetActive(false);
        FOverlayMasks[static_cast<std::size_t>(host)] &= ~(1u << channel);
        ChannelPlot(host).HideCurve(kFirstOverlayCurve + SideBit(channel));
    }
}

void TfmMain::ShowLinkCaption(int leader, int channel) {
    auto* button = StripControl<TRzBmpButton>("rzbMenu", channel);
    if (button == nullptr) return;
    if (leader == channel) {
        button->SetCaption(ChannelName(channel));
    } else {
        button->SetCaption(std::string(1, ChannelChar(channel)) + "=" + ChannelChar(leader));
    }
}

void TfmMain::ShowGainPage() {
    auto* gain = Control<TRzBmpButton>("rzbMenuGain");
    if (gain == nullptr) return;
    gain->Click();
    gain->SetDown(true);
}

const ChannelNameBytes& TfmMain::GetChannelName(int channel) const {
    return FUnitControl->GetChannelName(channel);
}

void TfmMain::SetChannelName(int channel, const ChannelNameBytes& name) {
    auto* label = StripControl<TLabel>("lbMatrixChName", channel);
    auto* button = StripControl<TRzBmpButton>("rzbMenu", channel);
    if (label == nullptr || button == nullptr) return;
    const std::string text = ChannelNameText(name);
    label->SetCaption(text);
    button->SetHint(text);
    FUnitControl->SetChannelName(channel, name);
}

void TfmMain::LinkClick(TObject*) {
    if (fmLinkSel) fmLinkSel->ShowModal();
}

void TfmMain::CopyClick(TObject*) {
    if (fmCopy) fmCopy->ShowModal();
}

void TfmMain::ChNameListClick(TObject*) {
    if (fmChNameList) fmChNameList->ShowModal();
}

void TfmMain::lbMatrixChNameInAClick(TObject* sender) {
    auto* label = dynamic_cast<TLabel*>(sender);
    if (label == nullptr || fmChannelName == nullptr) return;
    fmChannelName->SetChannel(static_cast<int>(label->Tag()));
    fmChannelName->SetNameText(label->Caption());
    fmChannelName->ShowModal();
}

}  // namespace dsp
