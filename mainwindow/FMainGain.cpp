// Gain, mute and polarity: the six handlers of the channel pages' and the Gain page's strips.
// Each pair of controls is kept in step; the value goes to the model (which sends it) and then
// shows on every strip of the channel's link group.

#include "mainwindow/FMain.h"
#include "mainwindow/StripTexts.h"
#include "model/Lunitcontrol.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

// A channel's strip control looked up from a sender's Tag.
int ChannelOf(const TComponent& sender) { return static_cast<int>(sender.Tag()); }

}  // namespace

void TfmMain::GainFaderChanged(TObject* sender, const char* twinStem) {
    if (FApplyingImage) return;
    auto* fader = dynamic_cast<TAdvTrackBar*>(sender);
    if (fader == nullptr) return;
    const int ch = ChannelOf(*fader);
    try {
        TCurvyEdit& text = Need<TCurvyEdit>("cvdGain", ch);
        TCurvyEdit& textBackup = Need<TCurvyEdit>("cvdGainBackup", ch);
        TAdvTrackBar& twin = Need<TAdvTrackBar>(twinStem, ch);
        const int position = fader->Position();
        // A twin that moves runs these steps itself before this handler goes on: the gain is
        // set twice with one code, and the second replaces the first while it waits.
        twin.SetPosition(position);
        const std::string gain = GainText(position);
        text.SetText(gain);
        textBackup.SetText(gain);
        FUnitControl->SetGain(ch, static_cast<std::uint16_t>(position - fader->Min()));
        ShowLinkedGain(ch, position);
    } catch (const TNameMissing&) {}
}

void TfmMain::isGainInAChange(TObject* sender) { GainFaderChanged(sender, "isGainBackup"); }

void TfmMain::isGainBackupInAChange(TObject* sender) { GainFaderChanged(sender, "isGain"); }

void TfmMain::MuteClicked(TObject* sender, const char* twinStem) {
    auto* button = dynamic_cast<TRzBmpButton*>(sender);
    if (button == nullptr) return;
    const int ch = ChannelOf(*button);
    auto* twin = StripControl<TRzBmpButton>(twinStem, ch);
    if (twin == nullptr) return;
    const bool muted = button->Down();
    twin->SetDown(muted);
    FUnitControl->SetMute(ch, muted ? 1 : 0);
    ShowLinkedMute(ch, muted);
}

void TfmMain::rzbMuteInAClick(TObject* sender) { MuteClicked(sender, "rzbMuteBackup"); }

void TfmMain::rzbMuteBackupInAClick(TObject* sender) { MuteClicked(sender, "rzbMute"); }

void TfmMain::PolarityClicked(TObject* sender, const char* twinStem) {
    auto* button = dynamic_cast<TRzBmpButton*>(sender);
    if (button == nullptr) return;
    const int ch = ChannelOf(*button);
    auto* twin = StripControl<TRzBmpButton>(twinStem, ch);
    if (twin == nullptr) return;
    const bool inverted = button->Down();
    twin->SetDown(inverted);
    button->SetCaption(GetText(inverted ? "SID_PHASE_ON" : "SID_PHASE_OFF"));
    twin->SetCaption(button->Caption());
    FUnitControl->SetPolarity(ch, inverted ? 1 : 0);
    ShowLinkedPolarity(ch, inverted);
}

void TfmMain::rzbPhaseInAClick(TObject* sender) { PolarityClicked(sender, "rzbPhaseBackup"); }

void TfmMain::rzbPhaseBackupInAClick(TObject* sender) { PolarityClicked(sender, "rzbPhase"); }

}  // namespace dsp
