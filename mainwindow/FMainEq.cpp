// EQ band editing on the channel pages: the band selection, the three band faders with their
// boxes and the keyboard, the band table's change road that draws and sends a band, and the
// curve of a whole channel.
//
// The faders only note the edit and start a 1 ms one-shot timer; its tick hands the value to the
// band table, whose change event (the change road) draws the band and passes it to the model.
// Moves that arrive before the tick collapse into the last one. The pending edit is one record
// shared with the crossover and drag timers: the last writer before a tick wins.

#include <cstddef>
#include <string>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Label.h"
#include "framework/runtime/Timer.h"
#include "mainwindow/ApplyingScope.h"
#include "mainwindow/EditTexts.h"
#include "mainwindow/FMain.h"
#include "model/Encodings.h"
#include "model/Lunitcontrol.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

// Key codes of the frequency box.
constexpr TKeyCode kKeyShift = 16;
constexpr TKeyCode kKeyLeft = 37;
constexpr TKeyCode kKeyUp = 38;
constexpr TKeyCode kKeyRight = 39;
constexpr TKeyCode kKeyDown = 40;
constexpr TKeyCode kKeyPadPlus = 107;
constexpr TKeyCode kKeyPadMinus = 109;
constexpr TKeyCode kKeyPlus = 187;
constexpr TKeyCode kKeyMinus = 189;

// The Q above which a shelf or second-order pass is limited, and its Q index.
constexpr double kShelfMaxQ = 3.0;
constexpr int kShelfMaxQIndex = 35;
// The Q a shelf or pass band gets when its type changes, and its index.
constexpr double kShelfQ = 0.71;
constexpr int kShelfQIndex = 10;

constexpr int kNoBand = 15;

bool IsShelfOrPass(int type) { return type >= ptLowShelf && type <= ptHighPass; }

// The curve kind of a band; a type outside the table draws flat.
std::int32_t KindOf(int type, bool bypassed) {
    if (bypassed || type < 0 || static_cast<std::size_t>(type) >= PeqKindTable.size()) {
        return fkFlat;
    }
    return PeqKindTable[static_cast<std::size_t>(type)];
}

}  // namespace

std::string TfmMain::BandButtonName(int band, int channel) {
    return StripName("rzbEq" + std::to_string(band + 1), channel);
}

// A bypassed band is drawn flat at 0 dB, its frequency and Q kept.
void TfmMain::SetBandCurve(int channel, int band, double gainDb, double freqHz, double q, int type,
                           bool bypassed) {
    FPlots[static_cast<std::size_t>(channel)]->Curve(band).SetFilter(
        bypassed ? 0.0 : gainDb, freqHz, q, KindOf(type, bypassed));
}

// ---- the band fields and the selection

void TfmMain::ShowBandFields(int channel, bool enabled, double q, double gainDb, double freqHz) {
    if (FApplyingImage) return;
    try {
        auto& freq = Need<TAdvTrackBar>("isEqFreq", channel);
        auto& gain = Need<TAdvTrackBar>("isEqGain", channel);
        auto& bw = Need<TAdvTrackBar>("isEqBw", channel);
        auto& freqBox = Need<TCurvyEdit>("cvdEqFreq", channel);
        auto& gainBox = Need<TCurvyEdit>("cvdEqGain", channel);
        auto& bwBox = Need<TCurvyEdit>("cvdEqBw", channel);
        // The faders' change handlers return at once while the fields are written.
        TApplyingScope applying(FApplyingImage);
        freq.SetPosition(FreqHzToIndex(freqHz));
        freq.SetEnabled(enabled);
        freqBox.SetText(EqFrequencyText(freqHz));
        gain.SetPosition(GainDbToIndex(gainDb));
        gain.SetEnabled(enabled);
        gainBox.SetText(EqGainText(gain.Position()));
        bw.SetPosition(QValueToIndex(q));
        bw.SetEnabled(enabled);
        bwBox.SetText(EqQText(bw.Position()));
    } catch (const TNameMissing&) {}
}

void TfmMain::SelectBand(int channel, int band) {
    auto& button = Need<TRzBmpButton>(BandButtonName(band, channel));
    auto& table = Need<TMyPEQAllpass>("peqPeq", channel);
    auto& view = Need<LMyFFTDrawPhase>("fftDraw", channel);
    button.SetDown(true);
    const double freq = table.GetFreqValue(band);
    const double gain = table.GetGainValue(band);
    const double q = table.GetQValue(band);
    const int type = table.GetTypeValue(band);
    table.SetNowIndex(band);
    ShowBandFields(channel, true, q, gain, freq);
    Plot& plot = *FPlots[static_cast<std::size_t>(channel)];
    plot.DrawBandMarker(band, gain, BlockBand);
    plot.ShowSelectedBand(type, band, gain, q, true);
    plot.UpdateTotalCurve(channel);
    view.UpdateCurvePage();
}

void TfmMain::FocusEqFreqEdit(int channel) {
    auto* box = StripControl<TCurvyEdit>("cvdEqFreq", channel);
    // A page that is not shown cannot take the keyboard; the box gets it when it is clicked.
    if (box != nullptr && box->Edit()->CanFocus()) box->SetFocus();
}

void TfmMain::rzbEq1InAClick(TObject* sender) {
    auto* button = dynamic_cast<TRzBmpButton*>(sender);
    if (button == nullptr) return;
    const int channel = button->GroupIndex() - 1;
    try {
        SelectBand(channel, static_cast<int>(button->Tag()));
        Need<TLabel>("lbFftParam", channel).SetVisible(true);
        FocusEqFreqEdit(channel);
    } catch (const TNameMissing&) {}
}

void TfmMain::peqPeqInAEditMouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
    auto* table = dynamic_cast<TMyPEQAllpass*>(sender);
    if (table == nullptr) return;
    const int channel = static_cast<int>(table->Tag());
    try {
        SelectBand(channel, table->GetNowIndex());
        Need<TLabel>("lbFftParam", channel).SetVisible(true);
    } catch (const TNameMissing&) {}
}

void TfmMain::SelectFirstBands() {
    try {
        for (int ch = 0; ch < kChannelCount; ++ch) SelectBand(ch, 0);
    } catch (const TNameMissing&) {}
}

void TfmMain::ClearBandSelection() {
    try {
        for (int ch = 0; ch < kChannelCount; ++ch) {
            auto& table = Need<TMyPEQAllpass>("peqPeq", ch);
            const int current = table.GetNowIndex();
            Need<TRzBmpButton>(BandButtonName(current == kNoBand ? 0 : current, ch)).SetDown(false);
            ShowBandFields(ch, false, QTable[0], 0.0, FreqIndexToHz(0));
            table.SetNowIndex(kNoBand);
            table.SetNowIndex(-1);
            Plot& plot = *FPlots[static_cast<std::size_t>(ch)];
            plot.ShowSelectedBand(0, 0, 0.0, 0.0, false);
            plot.UpdateTotalCurve(ch);
            Need<LMyFFTDrawPhase>("fftDraw", ch).UpdateCurvePage();
        }
    } catch (const TNameMissing&) {}
}

// ---- the fader road

void TfmMain::isEqFreqInAChange(TObject* sender) {
    auto* fader = dynamic_cast<TAdvTrackBar*>(sender);
    if (FApplyingImage || fader == nullptr) return;
    const int channel = static_cast<int>(fader->Tag());
    auto* box = StripControl<TCurvyEdit>("cvdEqFreq", channel);
    if (box == nullptr || StripControl<TMyPEQAllpass>("peqPeq", channel) == nullptr) return;
    const auto freq = static_cast<float>(FreqIndexToHz(fader->Position()));
    box->SetText(EqFrequencyText(freq));
    tmEqCurve->SetEnabled(true);
    FCurveEditKind = 0;
    FCurveEditChannel = channel;
    FCurveEditFreq = freq;
}

void TfmMain::isEqBwInAChange(TObject* sender) {
    auto* fader = dynamic_cast<TAdvTrackBar*>(sender);
    if (FApplyingImage || fader == nullptr) return;
    const int channel = static_cast<int>(fader->Tag());
    auto* box = StripControl<TCurvyEdit>("cvdEqBw", channel);
    auto* table = StripControl<TMyPEQAllpass>("peqPeq", channel);
    if (box == nullptr || table == nullptr) return;
    // Shelves and second-order passes stop at Q 3.0; the clamp runs this handler again.
    const int type = table->GetTypeValue(table->GetNowIndex());
    if (type != ptPeak && type != ptAllpass1 && type != ptAllpass2 &&
        fader->Position() > kShelfMaxQIndex) {
        fader->SetPosition(kShelfMaxQIndex);
    }
    box->SetText(EqQText(fader->Position()));
    tmEqCurve->SetEnabled(true);
    FCurveEditKind = 1;
    FCurveEditChannel = channel;
    FCurveEditQ = static_cast<float>(fader->Position());
}

void TfmMain::isEqGainInAChange(TObject* sender) {
    auto* fader = dynamic_cast<TAdvTrackBar*>(sender);
    if (FApplyingImage || fader == nullptr) return;
    const int channel = static_cast<int>(fader->Tag());
    auto* box = StripControl<TCurvyEdit>("cvdEqGain", channel);
    if (box == nullptr || StripControl<TMyPEQAllpass>("peqPeq", channel) == nullptr) return;
    box->SetText(EqGainText(fader->Position()));
    tmEqCurve->SetEnabled(true);
    FCurveEditKind = 2;
    FCurveEditChannel = channel;
    FCurveEditGain = (fader->Position() - GainIndex0dB) * 0.1;
}

void TfmMain::tmEqCurveTimer(TObject*) {
    tmEqCurve->SetEnabled(false);
    auto* table = StripControl<TMyPEQAllpass>("peqPeq", FCurveEditChannel);
    if (table == nullptr) return;
    const int band = table->GetNowIndex();
    switch (FCurveEditKind) {
        case 0: table->SetFreqValue(band, FCurveEditFreq); break;
        case 1: table->SetQValue(band, FCurveEditQ); break;
        case 2: table->SetGainValue(band, FCurveEditGain); break;
        default: break;
    }
}

// ---- the keyboard road

void TfmMain::cvdEqFreqInAKeyDown(TObject* sender, TKeyCode& key, TShiftState) {
    auto* box = dynamic_cast<TCurvyEdit*>(sender);
    if (box == nullptr) return;
    const int channel = static_cast<int>(box->Tag());
    auto* freq = StripControl<TAdvTrackBar>("isEqFreq", channel);
    auto* bw = StripControl<TAdvTrackBar>("isEqBw", channel);
    auto* gain = StripControl<TAdvTrackBar>("isEqGain", channel);
    if (freq == nullptr || bw == nullptr || gain == nullptr ||
        StripControl<TMyPEQAllpass>("peqPeq", channel) == nullptr ||
        StripControl<TLabel>("lbFftParam", channel) == nullptr) {
        return;
    }
    // A step beyond either end still runs the fader's road: the fader raises its change event
    // for any value other than its position, also when it clamps back to it.
    auto step = [](TAdvTrackBar& fader, int delta) { fader.SetPosition(fader.Position() + delta); };
    switch (key) {
        case kKeyShift: break;
        case kKeyLeft: step(*freq, -1); break;
        case kKeyRight: step(*freq, +1); break;
        case kKeyPadPlus:
        case kKeyPlus: step(*bw, +1); break;
        case kKeyPadMinus:
        case kKeyMinus: step(*bw, -1); break;
        case kKeyUp: step(*gain, +1); break;
        case kKeyDown: step(*gain, -1); break;
        default: break;
    }
}

void TfmMain::cvdEqFreqInAExit(TObject*) {}

// ---- the change road

double TfmMain::ApplyTypeChangeQRules(TMyPEQAllpass& table, int channel, int band, int type,
                                      double q) {
    const int stored = FUnitControl->GetPeqBand(channel, band).Type;
    // Each adjustment raises the change event again: the inner run finds nothing left to adjust
    // and completes, then this one goes on with the adjusted Q.
    if (IsShelfOrPass(type)) {
        if (type == stored && q > kShelfMaxQ) {
            table.SetQValue(band, kShelfMaxQIndex);
            return kShelfMaxQ;
        }
        if (type != stored && q != kShelfQ) {
            table.SetQValue(band, kShelfQIndex);
            return kShelfQ;
        }
    } else if (type != stored) {
        const int factory = FUnitControl->GetDefaultPeqBand(channel, band).Q;
        const double factoryQ = QTable[static_cast<std::size_t>(factory)];
        if (q != factoryQ) {
            table.SetQValue(band, factory);
            return factoryQ;
        }
    }
    return q;
}

void TfmMain::peqPeqInAChange(TObject* sender) {
    auto* table = dynamic_cast<TMyPEQAllpass*>(sender);
    // Shut while a marker is held on a view: the drag draws and sends itself.
    if (table == nullptr || FSelectedBand != -1) return;
    const int channel = static_cast<int>(table->Tag());
    const int band = table->GetNowIndex();
    try {
        auto& view = Need<LMyFFTDrawPhase>("fftDraw", channel);
        auto& button = Need<TRzBmpButton>(BandButtonName(band, channel));
        Need<TLabel>("lbFftParam", channel);
        const double freq = table->GetFreqValue(band);
        const double gain = table->GetGainValue(band);
        double q = table->GetQValue(band);
        const int type = table->GetTypeValue(band);
        const bool bypassed = table->GetBypassValue(band);
        // While an image is shown the table holds the image's bands as they are.
        if (!FApplyingImage) q = ApplyTypeChangeQRules(*table, channel, band, type, q);
        if (FApplyingImage) return;
        PeqBandParams params{};
        params.Gain = static_cast<std::uint16_t>(GainDbToIndex(gain));
        params.Freq = static_cast<std::uint16_t>(FreqHzToIndex(freq));
        params.Q = static_cast<std::uint8_t>(QValueToIndex(q));
        // A table without a type keeps the band's stored one.
        params.Type = type >= 0 ? static_cast<std::uint8_t>(type)
                                : FUnitControl->GetPeqBand(channel, band).Type;
        button.SetDown(true);
        table->SetNowIndex(band);
        Plot& plot = *FPlots[static_cast<std::size_t>(channel)];
        SetBandCurve(channel, band, gain, freq, q, type, bypassed);
        plot.DrawBandMarker(band, gain, BlockBand);
        plot.ShowSelectedBand(type, band, gain, q, true);
        plot.UpdateTotalCurve(channel);
        view.UpdateCurvePage();
        FUnitControl->SetPeqBand(channel, band, params, bypassed ? 1 : 0);
        ShowBandFields(channel, true, q, gain, freq);
    } catch (const TNameMissing&) {}
}

void TfmMain::peqPeqInAPeqTypeMouseWheel(TObject*, TShiftState, int, TPoint, bool& handled) {
    // The wheel never changes a band's type.
    handled = true;
}

// ---- the curve of a whole channel

void TfmMain::UpdatePeqCurve(int channel) {
    auto* table = StripControl<TMyPEQAllpass>("peqPeq", channel);
    if (table == nullptr) return;
    Plot& plot = *FPlots[static_cast<std::size_t>(channel)];
    for (int band = 0; band < table->GetChannelNumber(); ++band) {
        const double gain = table->GetGainValue(band);
        SetBandCurve(channel, band, gain, table->GetFreqValue(band), table->GetQValue(band),
                     table->GetTypeValue(band), table->GetBypassValue(band));
        plot.DrawBandMarker(band, gain, BlockBand);
    }
    plot.UpdateTotalCurve(channel);
}

}  // namespace dsp
