// Gate editing on the Gate page: three input strips (threshold, attack, release and hold faders
// with their boxes) and one transfer plot of the input touched last. Every change goes into the
// image and to the processor, is shown on every strip of the input's link group, and redraws the
// plot at once (the gate's curve depends only on its threshold).

#include <string>

#include "framework/controls/Label.h"
#include "mainwindow/ApplyingScope.h"
#include "mainwindow/FMain.h"
#include "mainwindow/StripTexts.h"
#include "model/Lunitcontrol.h"
#include "plot/engine/TransferPlotSetup.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

// The fields of a gate record, as the operations select them.
enum GateField { gfThreshold = 0, gfAttack = 1, gfRelease = 2, gfHold = 3 };

// A threshold position is half-dB steps from -90 dB; the record holds it from 0.
constexpr int kThresholdOffset = 180;

const char* FieldStem(int field) {
    switch (field) {
        case gfThreshold: return "Threshold";
        case gfAttack: return "Attack";
        case gfRelease: return "Release";
        default: return "Hold";
    }
}

std::string GateText(int field, int value) {
    return field == gfThreshold ? ThresholdText(value) : GateTimeText(value);
}

}  // namespace

void TfmMain::ApplyGateValue(int channel, int field, int value) {
    GateParams gate = FUnitControl->GetGate(channel);
    switch (field) {
        case gfThreshold:
            gate.Threshold = static_cast<std::uint16_t>(value + kThresholdOffset);
            break;
        case gfAttack: gate.Attack = static_cast<std::uint16_t>(value); break;
        case gfRelease: gate.Release = static_cast<std::uint16_t>(value); break;
        case gfHold: gate.Hold = static_cast<std::uint16_t>(value); break;
        default: return;
    }
    if (!FApplyingImage) FUnitControl->SetGate(channel, gate);
}

void TfmMain::ShowLinkedGate(int channel, int field, int value) {
    TApplyingScope applying(FApplyingImage);
    const std::uint16_t group = GetLinkGroupMask(channel);
    const std::string stem = FieldStem(field);
    const std::string text = GateText(field, value);
    try {
        for (int c = 0; c < kInputCount; ++c) {
            if (((group >> SideBit(c)) & 1u) == 0) continue;
            Need<TAdvTrackBar>("isGate" + stem, c).SetPosition(value);
            Need<TCurvyEdit>("cvdGate" + stem, c).SetText(text);
        }
    } catch (const TNameMissing&) {}
}

bool TfmMain::DrawGateCurveFor(int channel) {
    auto* threshold = StripControl<TAdvTrackBar>("isGateThreshold", channel);
    if (threshold == nullptr) return false;
    // Unity gain down to the threshold, where the gate closes.
    const double t = threshold->Position() * 0.5;
    const TiDoublePoint curve[] = {{20, 20}, {t, t}, {t, -100}};
    ReplaceTransferPoints(*ipGate, curve, {t + 0.2, t - 0.4});
    const char letter = ChannelChar(channel);
    if (auto* name = Control<TLabel>("lbGateName")) {
        name->SetCaption(std::string("In ") + letter + "  " + GetText("SID_GATE"));
    }
    if (auto* head = Control<TLabel>("lbHeadGateIn")) head->SetCaption(std::string("In ") + letter);
    return true;
}

void TfmMain::DrawGateCurve(int channel) {
    if (DrawGateCurveFor(channel)) FGateChannel = channel;
}

void TfmMain::GateFaderChanged(TObject* sender, int field) {
    auto* fader = dynamic_cast<TAdvTrackBar*>(sender);
    if (FApplyingImage || fader == nullptr) return;
    FGateChannel = static_cast<int>(fader->Tag());
    const int value = fader->Position();
    if (auto* box =
            StripControl<TCurvyEdit>(std::string("cvdGate") + FieldStem(field), FGateChannel)) {
        box->SetText(GateText(field, value));
    }
    if (!DrawGateCurveFor(FGateChannel)) return;
    ApplyGateValue(FGateChannel, field, value);
    ShowLinkedGate(FGateChannel, field, value);
}

void TfmMain::isGateThresholdInAChange(TObject* sender) { GateFaderChanged(sender, gfThreshold); }
void TfmMain::isGateAttackInAChange(TObject* sender) { GateFaderChanged(sender, gfAttack); }
void TfmMain::isGateReleaseInAChange(TObject* sender) { GateFaderChanged(sender, gfRelease); }
void TfmMain::isGateHoldInAChange(TObject* sender) { GateFaderChanged(sender, gfHold); }

// A mouse button on a strip's box or title shows its input at once.
void TfmMain::cvdGateThresholdInAMouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
    if (auto* control = dynamic_cast<TComponent*>(sender)) {
        DrawGateCurve(static_cast<int>(control->Tag()));
    }
}
void TfmMain::cvdGateAttackInAMouseDown(TObject* sender, TMouseButton button, TShiftState shift,
                                        int x, int y) {
    cvdGateThresholdInAMouseDown(sender, button, shift, x, y);
}
void TfmMain::cvdGateReleaseInAMouseDown(TObject* sender, TMouseButton button, TShiftState shift,
                                         int x, int y) {
    cvdGateThresholdInAMouseDown(sender, button, shift, x, y);
}
void TfmMain::lbGateInAMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                 int y) {
    cvdGateThresholdInAMouseDown(sender, button, shift, x, y);
}

// A GATE label of the routing page opens the Gate page, showing the input shown before.
void TfmMain::lbMatrixGateInAClick(TObject*) { OpenPageFromMatrix("rzbMenuGate"); }

}  // namespace dsp
