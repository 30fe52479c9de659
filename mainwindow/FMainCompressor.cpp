// Compressor editing on the Comp page: six output strips (threshold, attack and release faders,
// ratio and knee steppers, each with its box) and one transfer plot of the output touched last.
// Every change goes into the image and to the processor, is shown on every strip of the output's
// link group, and redraws the plot through a 1 ms one-shot timer (once for a burst of changes).

#include <cstddef>
#include <string>

#include "framework/controls/Label.h"
#include "framework/controls/UpDown.h"
#include "framework/runtime/Timer.h"
#include "mainwindow/ApplyingScope.h"
#include "mainwindow/FMain.h"
#include "mainwindow/StripTexts.h"
#include "model/Constants.h"
#include "model/Lunitcontrol.h"
#include "plot/engine/TransferPlotSetup.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

// The fields of a compressor record, as the operations select them.
enum CompressorField { cfThreshold = 0, cfAttack = 1, cfRelease = 2, cfRatio = 3, cfKnee = 4 };

// A threshold position is half-dB steps from -90 dB; the record holds it from 0.
constexpr int kThresholdOffset = 180;

// The fader or stepper stem of a field, and its box's.
const char* FaderStem(int field) {
    switch (field) {
        case cfThreshold: return "isCompThreshold";
        case cfAttack: return "isCompAttack";
        default: return "isCompRelease";
    }
}
const char* BoxStem(int field) {
    switch (field) {
        case cfThreshold: return "cvdCompThreshold";
        case cfAttack: return "cvdCompAttack";
        case cfRelease: return "cvdCompRelease";
        case cfRatio: return "cvdCompRatio";
        default: return "cvdCompKnee";
    }
}

// How the strips show a field's value.
std::string CompressorText(int field, int value) {
    switch (field) {
        case cfThreshold: return ThresholdText(value);
        case cfAttack:
        case cfRelease: return CompressorTimeText(value);
        case cfRatio: return RatioText(value);
        default: return KneeText(value);
    }
}

}  // namespace

void TfmMain::ApplyCompressorValue(int channel, int field, int value) {
    CompressorParams comp = FUnitControl->GetCompressor(channel);
    switch (field) {
        case cfThreshold:
            comp.Threshold = static_cast<std::uint16_t>(value + kThresholdOffset);
            break;
        case cfAttack: comp.Attack = static_cast<std::uint16_t>(value); break;
        case cfRelease: comp.Release = static_cast<std::uint16_t>(value); break;
        case cfRatio: comp.Ratio = static_cast<std::uint8_t>(value); break;
        case cfKnee: comp.Knee = static_cast<std::uint8_t>(value); break;
        default: return;
    }
    if (!FApplyingImage) FUnitControl->SetCompressor(channel, comp);
}

void TfmMain::ShowLinkedCompressor(int channel, int field, int value) {
    TApplyingScope applying(FApplyingImage);
    const std::uint16_t group = GetLinkGroupMask(channel);
    const std::string text = CompressorText(field, value);
    try {
        for (int c = kInputCount; c < kChannelCount; ++c) {
            if (((group >> SideBit(c)) & 1u) == 0) continue;
            if (field == cfRatio || field == cfKnee) {
                // The edited stepper moves by itself once its event returns.
                if (c == channel) continue;
                Need<TUpDown>(field == cfRatio ? "udCompRatio" : "udCompKnee", c)
                    .SetPosition(value);
            } else {
                Need<TAdvTrackBar>(FaderStem(field), c).SetPosition(value);
            }
            Need<TCurvyEdit>(BoxStem(field), c).SetText(text);
        }
    } catch (const TNameMissing&) {}
}

void TfmMain::DrawCompressorCurve(int channel) {
    auto* threshold = StripControl<TAdvTrackBar>("isCompThreshold", channel);
    auto* knee = StripControl<TUpDown>("udCompKnee", channel);
    auto* ratio = StripControl<TUpDown>("udCompRatio", channel);
    if (threshold == nullptr || knee == nullptr || ratio == nullptr) return;
    const float t = threshold->Position() * 0.5f;
    const auto k = static_cast<float>(knee->Position());
    float a = 0;
    float b = 0;
    const int index = ratio->Position();
    // "Limit" holds the output at the threshold above the knee.
    if (index != ratio->Max() && index >= 0 && index < static_cast<int>(RatioValues.size())) {
        const auto r = static_cast<float>(RatioValues[static_cast<std::size_t>(index)]);
        a = (20 - t) / r;
        b = k / r;
    }
    const TiDoublePoint curve[] = {{20, t + a}, {t + k, t + b}, {t - k, t - k}, {-100, -100}};
    ReplaceTransferPoints(*ipComp, curve, {t + 0.2, t - 0.4});
    const char digit = ChannelChar(channel);
    if (auto* name = Control<TLabel>("lbCompName")) {
        name->SetCaption(std::string("Out ") + digit + "  " + GetText("SID_COMP"));
    }
    if (auto* head = Control<TLabel>("lbHeadCompOut"))
        head->SetCaption(std::string("Out ") + digit);
    FCompChannel = channel;
}

void TfmMain::CompressorFaderChanged(TObject* sender, int field) {
    auto* fader = dynamic_cast<TAdvTrackBar*>(sender);
    if (FApplyingImage || fader == nullptr) return;
    const int channel = static_cast<int>(fader->Tag());
    tmCompDisp->SetEnabled(true);
    FCompDispChannel = channel;
    FCompChannel = channel;
    ApplyCompressorValue(channel, field, fader->Position());
    ShowLinkedCompressor(FCompChannel, field, fader->Position());
}

void TfmMain::CompressorStepperChanging(TObject* sender, int field, int value) {
    auto* stepper = dynamic_cast<TUpDown*>(sender);
    if (FApplyingImage || stepper == nullptr) return;
    // A step beyond either end is let through and changes nothing.
    if (value < stepper->Min() || value > stepper->Max()) return;
    const int channel = static_cast<int>(stepper->Tag());
    if (auto* box = StripControl<TCurvyEdit>(BoxStem(field), channel)) {
        box->SetText(field == cfRatio && value == stepper->Max() ? std::string("Limit")
                                                                 : CompressorText(field, value));
    }
    tmCompDisp->SetEnabled(true);
    FCompDispChannel = channel;
    FCompChannel = channel;
    ApplyCompressorValue(channel, field, value);
    ShowLinkedCompressor(FCompChannel, field, value);
}

void TfmMain::isCompThresholdOut1Change(TObject* sender) {
    CompressorFaderChanged(sender, cfThreshold);
}
void TfmMain::isCompAttackOut1Change(TObject* sender) { CompressorFaderChanged(sender, cfAttack); }
void TfmMain::isCompReleaseOut1Change(TObject* sender) {
    CompressorFaderChanged(sender, cfRelease);
}

// The stepper takes the new position only after its event returns, so the plot waits for the
// timer.
void TfmMain::udCompRatioOut1ChangingEx(TObject* sender, bool&, int newValue, TUpDownDirection) {
    CompressorStepperChanging(sender, cfRatio, newValue);
}
void TfmMain::udCompKneeOut1ChangingEx(TObject* sender, bool&, int newValue, TUpDownDirection) {
    CompressorStepperChanging(sender, cfKnee, newValue);
}

// A mouse button on a strip's fader, box or title shows its output at once.
void TfmMain::isCompThresholdOut1MouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
    if (auto* control = dynamic_cast<TComponent*>(sender)) {
        DrawCompressorCurve(static_cast<int>(control->Tag()));
    }
}
void TfmMain::cvdCompThresholdOut1MouseDown(TObject* sender, TMouseButton button, TShiftState shift,
                                            int x, int y) {
    isCompThresholdOut1MouseDown(sender, button, shift, x, y);
}
void TfmMain::lbCompOut1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                  int y) {
    isCompThresholdOut1MouseDown(sender, button, shift, x, y);
}

void TfmMain::tmCompDispTimer(TObject*) {
    tmCompDisp->SetEnabled(false);
    DrawCompressorCurve(FCompDispChannel);
}

}  // namespace dsp
