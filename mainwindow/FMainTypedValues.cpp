// Typed values in the dynamics boxes of the Comp and Gate pages. Enter in a box, or leaving it,
// takes its text: the unit goes, the text is read as its kind of value (level, time, knee or
// ratio), and the strip's fader or stepper is set to it, whose change event stores, sends and
// shows the value. A text that is rejected, names the value already set or is no number shows
// the current value again, with the caret at its end.

#include <optional>
#include <span>
#include <string>

#include "framework/controls/Edit.h"
#include "framework/controls/UpDown.h"
#include "framework/text/Format.h"
#include "mainwindow/EditTexts.h"
#include "mainwindow/FMain.h"
#include "mainwindow/SharedConstants.h"
#include "mainwindow/StripTexts.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

constexpr TKeyCode kKeyEnter = 13;

// A level position (half dB) as a typed level shows it.
std::string TypedLevelText(int position) {
    return Format(position >= 0 ? "+%1.1fdB" : "%1.1fdB", position * 0.5);
}

}  // namespace

void TfmMain::TakeTypedValue(TObject* sender, const char* target, TTypedFamily family) {
    auto* box = dynamic_cast<TCurvyEdit*>(sender);
    if (box == nullptr) return;
    const int channel = static_cast<int>(box->Tag());
    const bool stepped = family == TTypedFamily::Knee || family == TTypedFamily::Ratio;
    TAdvTrackBar* fader = stepped ? nullptr : StripControl<TAdvTrackBar>(target, channel);
    TUpDown* stepper = stepped ? StripControl<TUpDown>(target, channel) : nullptr;
    if (fader == nullptr && stepper == nullptr) return;
    auto position = [&] { return fader != nullptr ? fader->Position() : stepper->Position(); };

    const std::string typed = box->Text();
    const std::span<const std::string_view> units =
        family == TTypedFamily::Time ? std::span<const std::string_view>(MsSpellings)
                                     : std::span<const std::string_view>(DbSpellings);
    const std::string text = WithoutUnit(typed, units);
    std::optional<int> value;
    switch (family) {
        case TTypedFamily::Level: value = ParseTypedLevel(text, position()); break;
        case TTypedFamily::Time:
            value = ParseTypedTime(text, fader->Min(), fader->Max(), position());
            break;
        case TTypedFamily::Knee: value = ParseTypedKnee(text, position()); break;
        case TTypedFamily::Ratio: value = ParseTypedRatio(text, typed); break;
    }
    box->SetText("");
    // The control's change event stores, sends and shows the value (unless it holds it already).
    if (value) {
        if (fader != nullptr) {
            fader->SetPosition(*value);
        } else {
            stepper->SetPosition(*value);
        }
    }
    std::string shown;
    switch (family) {
        case TTypedFamily::Level: shown = TypedLevelText(position()); break;
        case TTypedFamily::Time: shown = GateTimeText(position()); break;
        case TTypedFamily::Knee: shown = KneeText(position()); break;
        case TTypedFamily::Ratio: shown = RatioText(position()); break;
    }
    box->SetText(shown);
    if (!value) box->Edit()->SetSelStart(static_cast<int>(shown.size()));
}

// Enter takes the value (the key stays the box's); so does leaving the box.
void TfmMain::cvdCompThresholdOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == kKeyEnter) TakeTypedValue(sender, "isCompThreshold", TTypedFamily::Level);
}
void TfmMain::cvdCompThresholdOut1Exit(TObject* sender) {
    TakeTypedValue(sender, "isCompThreshold", TTypedFamily::Level);
}
void TfmMain::cvdGateThresholdInAKeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == kKeyEnter) TakeTypedValue(sender, "isGateThreshold", TTypedFamily::Level);
}
void TfmMain::cvdGateThresholdInAExit(TObject* sender) {
    TakeTypedValue(sender, "isGateThreshold", TTypedFamily::Level);
}
void TfmMain::cvdCompAttackOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == kKeyEnter) TakeTypedValue(sender, "isCompAttack", TTypedFamily::Time);
}
void TfmMain::cvdCompAttackOut1Exit(TObject* sender) {
    TakeTypedValue(sender, "isCompAttack", TTypedFamily::Time);
}
void TfmMain::cvdCompReleaseOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == kKeyEnter) TakeTypedValue(sender, "isCompRelease", TTypedFamily::Time);
}
void TfmMain::cvdCompReleaseOut1Exit(TObject* sender) {
    TakeTypedValue(sender, "isCompRelease", TTypedFamily::Time);
}
void TfmMain::cvdGateAttackInAKeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == kKeyEnter) TakeTypedValue(sender, "isGateAttack", TTypedFamily::Time);
}
void TfmMain::cvdGateAttackInAExit(TObject* sender) {
    TakeTypedValue(sender, "isGateAttack", TTypedFamily::Time);
}
void TfmMain::cvdGateReleaseInAKeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == kKeyEnter) TakeTypedValue(sender, "isGateRelease", TTypedFamily::Time);
}
void TfmMain::cvdGateReleaseInAExit(TObject* sender) {
    TakeTypedValue(sender, "isGateRelease", TTypedFamily::Time);
}
void TfmMain::cvdGateHoldInAKeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == kKeyEnter) TakeTypedValue(sender, "isGateHold", TTypedFamily::Time);
}
void TfmMain::cvdGateHoldInAExit(TObject* sender) {
    TakeTypedValue(sender, "isGateHold", TTypedFamily::Time);
}
void TfmMain::cvdCompKneeOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == kKeyEnter) TakeTypedValue(sender, "udCompKnee", TTypedFamily::Knee);
}
void TfmMain::cvdCompKneeOut1Exit(TObject* sender) {
    TakeTypedValue(sender, "udCompKnee", TTypedFamily::Knee);
}
void TfmMain::cvdCompRatioOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == kKeyEnter) TakeTypedValue(sender, "udCompRatio", TTypedFamily::Ratio);
}
void TfmMain::cvdCompRatioOut1Exit(TObject* sender) {
    TakeTypedValue(sender, "udCompRatio", TTypedFamily::Ratio);
}

}  // namespace dsp
