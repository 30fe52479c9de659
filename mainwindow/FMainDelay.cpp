// Delay: the faders, the unit buttons, the delay lines with their markers and the typed values.
// A delay is a count of 1/96 ms (0 to 65280, 680 ms); the marker sits on its channel's line at
// the delay's place, and every text shows it in the unit the image holds.

#include <algorithm>
#include <string>

#include "framework/controls/ControlMessages.h"
#include "framework/controls/Image.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/Label.h"
#include "framework/desktop/Cursors.h"
#include "framework/text/Gbk.h"
#include "framework/text/Numbers.h"
#include "mainwindow/FMain.h"
#include "mainwindow/SharedConstants.h"
#include "mainwindow/StripTexts.h"
#include "model/Encodings.h"
#include "model/Lunitcontrol.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

// The marker's left edge on a line of that width: 40 at 0, the width less 50 at the fader's
// end.
int MarkerLeft(int position, int max, int lineWidth) {
    return max > 0 ? position * (lineWidth - 90) / max + 40 : 40;
}

// A press or a hover this close to the marker's middle (the line's coordinates) takes it.
bool NearMarker(int x, int y, int markerLeft, int lineHeight) {
    return std::abs(x - markerLeft + 25) < 15 && std::abs(y - lineHeight / 2) < 15;
}

// The typed text less its unit word: every spelling of the unit found anywhere in it takes the
// text's last characters (two, one for metres) away.
std::string WithoutUnit(std::string text, int unit) {
    auto strip = [&](const auto& spellings, std::size_t count) {
        for (std::string_view spelling : spellings) {
            if (text.find(spelling) == std::string::npos) continue;
            text.erase(text.size() - std::min(count, text.size()));
        }
    };
    switch (unit) {
        case 0: strip(DelayMsSpellings, 2); break;
        case 1: strip(MetreSpellings, 1); break;
        case 2: strip(FootSpellings, 2); break;
        default: break;
    }
    return text;
}

}  // namespace

void TfmMain::isDelayInAChange(TObject* sender) {
    if (FApplyingImage) return;
    auto* fader = dynamic_cast<TAdvTrackBar*>(sender);
    if (fader == nullptr) return;
    const int ch = static_cast<int>(fader->Tag());
    try {
        TCurvyEdit& box = Need<TCurvyEdit>("cvdDelay", ch);
        TImage& marker = Need<TImage>("imDelay", ch);
        TLabel& line = Need<TLabel>("lbDelayLine", ch);
        TLabel& time = Need<TLabel>("lbFftDelayTime", ch);
        const int position = fader->Position();
        marker.SetLeft(MarkerLeft(position, fader->Max(), line.Width()));
        time.SetLeft(marker.Left() + marker.Width());
        time.SetTop(marker.Top() + marker.Height() / 4);
        const std::string text = DelayText(position, FUnitControl->GetDelayUnit());
        box.SetText(text);
        time.SetCaption(text);
        FUnitControl->SetDelay(ch, static_cast<std::uint16_t>(position));
        ShowLinkedDelay(ch, position, marker.Left());
    } catch (const TNameMissing&) {}
}

void TfmMain::rzbUnit0Click(TObject* sender) {
    auto* button = dynamic_cast<TComponent*>(sender);
    if (button == nullptr) return;
    const int unit = static_cast<int>(button->Tag());
    try {
        for (int ch = 0; ch < kChannelCount; ++ch) {
            const std::string text = DelayText(Need<TAdvTrackBar>("isDelay", ch).Position(), unit);
            Need<TCurvyEdit>("cvdDelay", ch).SetText(text);
            Need<TLabel>("lbFftDelayTime", ch).SetCaption(text);
        }
    } catch (const TNameMissing&) {
        return;
    }
    // While an image is shown its unit button is clicked for the texts alone.
    if (!FApplyingImage) FUnitControl->SetDelayUnit(static_cast<std::uint16_t>(unit));
}

void TfmMain::UpdateDelayLine(int channel) {
    try {
        const TImage& marker = Need<TImage>("imDelay", channel);
        TLabel& time = Need<TLabel>("lbFftDelayTime", channel);
        time.SetLeft(marker.Left() + marker.Width());
        time.SetTop(marker.Top() + marker.Height() / 4);
        Need<TLabel>("lbDelayLine", channel).SetCaption(DelayLineText(marker.Left()));
    } catch (const TNameMissing&) {}
}

void TfmMain::lbDelayLineInAMouseDown(TObject* sender, TMouseButton, TShiftState, int x, int y) {
    auto* line = dynamic_cast<TLabel*>(sender);
    if (line == nullptr) return;
    const auto* marker = StripControl<TImage>("imDelay", static_cast<int>(line->Tag()));
    if (marker == nullptr) return;
    if (NearMarker(x, y, marker->Left(), line->Height())) FDelayDragging = 1;
}

void TfmMain::lbDelayLineInAMouseMove(TObject* sender, TShiftState, int x, int y) {
    auto* line = dynamic_cast<TLabel*>(sender);
    if (line == nullptr) return;
    const int ch = static_cast<int>(line->Tag());
    const auto* marker = StripControl<TImage>("imDelay", ch);
    auto* fader = StripControl<TAdvTrackBar>("isDelay", ch);
    if (marker == nullptr || fader == nullptr) return;
    if (FDelayDragging == 0) {
        line->SetCursor(NearMarker(x, y, marker->Left(), line->Height()) ? crHandPoint : crDefault);
        return;
    }
    const int width = line->Width();
    const int along = std::min(x, width - 75) - 15;
    if (width > 90) fader->SetPosition(along * fader->Max() / (width - 90));
    line->SetCaption(DelayLineText(along + 40));
}

void TfmMain::lbDelayLineInAMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    FDelayDragging = 0;
}

void TfmMain::TakeTypedDelay(TObject* sender) {
    auto* box = dynamic_cast<TCurvyEdit*>(sender);
    if (box == nullptr) return;
    auto* fader = StripControl<TAdvTrackBar>("isDelay", static_cast<int>(box->Tag()));
    if (fader == nullptr) return;
    const int unit = FUnitControl->GetDelayUnit();
    const std::string typed = WithoutUnit(Utf8ToGbk(box->Text()), unit);
    // Only digits and points pass, and only a text that reads as a number ("1.2.3" and "."
    // do not) is taken; anything else puts the current delay back.
    std::optional<double> value;
    if (!typed.empty() && IsNumericText(typed)) value = TryStrToFloat(typed);
    box->SetText("");
    if (value) {
        fader->SetPosition(std::clamp(DelayToSamples(*value, unit), fader->Min(), fader->Max()));
        box->SetText(DelayText(fader->Position(), unit));
        return;
    }
    box->SetText(DelayText(fader->Position(), unit));
    box->Perform(WM_KEYDOWN, VK_END, 0);
    box->Perform(WM_KEYUP, VK_END, 0);
}

void TfmMain::cvdDelayInBKeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    if (key == VK_RETURN) TakeTypedDelay(sender);
}

void TfmMain::cvdDelayInAExit(TObject* sender) { TakeTypedDelay(sender); }

}  // namespace dsp
