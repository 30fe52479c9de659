// Crossover editing on the channel pages: each strip's high-pass ("LowCut") and low-pass
// ("HighCut") filter with its frequency fader, slope selector and bypass button, and the design
// that turns a slope and a frequency into the filter's response from first- and second-order
// prototype sections.
//
// The fader sends at once and leaves the design (up to eight sections of 4096 points) to a 1 ms
// one-shot timer, so moves that come before the tick make one design; a slope or bypass change
// designs at once.

#include <array>
#include <cstddef>
#include <string>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/runtime/Timer.h"
#include "mainwindow/EditTexts.h"
#include "mainwindow/FMain.h"
#include "model/Encodings.h"
#include "model/Lunitcontrol.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

// Every section and total of a crossover is drawn at 0 dB with this Q; a flat section sits at
// 1 kHz.
constexpr double kSectionQ = 0.05;
constexpr double kFlatSectionHz = 1000.0;
constexpr int kSectionCount = static_cast<int>(CrossoverSectionCount);
// The caption kinds of the selected high-pass and low-pass curves.
constexpr int kHighPassCaption = 5;
constexpr int kLowPassCaption = 6;
// The table's current band when it has none; the colour of a dragged handle's frequency.
constexpr int kNoBand = 15;
constexpr TColor kDraggedColour = 0x008000;

// The section kinds of one filter.
struct TSectionKinds {
    std::int32_t first;   // first order, coefficient a
    std::int32_t second;  // second order, coefficient a
    std::int32_t bessel;  // second order, coefficients a and b
};
constexpr TSectionKinds kHighPassKinds{fkHighPassProto1, fkHighPassProto2, fkHighPassProto2b};
constexpr TSectionKinds kLowPassKinds{fkLowPassProto1, fkLowPassProto2, fkLowPassProto2b};

// One section of a design: its kind (fkFlat for none) and coefficients.
struct TSection {
    std::int32_t kind = fkFlat;
    float a = 0;
    float b = 0;
};
using TDesign = std::array<TSection, CrossoverSectionCount>;

// The sections of design row 2 to 20.
TDesign SectionsOf(int row, const TSectionKinds& k) {
    TDesign d{};
    if (row < FirstBesselRow) {
        const auto& c = ButterworthCoefficients[static_cast<std::size_t>(row)];
        if (c[0] != 0) d[0] = {k.first, 1.0f, 0};
        for (std::size_t i = 1; i < CrossoverSectionCount; ++i) {
            if (c[i] != 0) d[i] = {k.second, c[i], 0};
        }
    } else if (row < FirstLinkwitzRileyRow) {
        const auto& c = BesselCoefficients[static_cast<std::size_t>(row - FirstBesselRow + 1)];
        if (c[0].a != 0) d[0] = {k.first, c[0].a, 0};
        for (std::size_t i = 1; i < CrossoverSectionCount; ++i) {
            if (c[i].a != 0) d[i] = {k.bessel, c[i].a, c[i].b};
        }
    } else {
        // Linkwitz-Riley: Butterworth sections twice over.
        switch (row - FirstLinkwitzRileyRow) {
            case 0: d[0] = d[1] = {k.first, 1.0f, 0}; break;
            case 1: d[0] = d[1] = {k.second, 1.4142f, 0}; break;
            case 2:
                d[0] = d[1] = {k.first, 1.0f, 0};
                d[2] = d[3] = {k.second, 1.0f, 0};
                break;
            default:
                d[0] = d[1] = {k.second, 1.8478f, 0};
                d[2] = d[3] = {k.second, 0.7654f, 0};
                break;
        }
    }
    return d;
}

// The strip's controls of one filter, by their stems.
struct TFilterNames {
    const char* fader;
    const char* box;
    const char* slope;
    const char* bypass;
};
constexpr TFilterNames kHighPassNames{"isLowCutFreq", "cvdLowCutFreq", "rzcLowCutSlop",
                                      "rzbLowCutBypass"};
constexpr TFilterNames kLowPassNames{"isHighCutFreq", "cvdHighCutFreq", "rzcHighCutSlop",
                                     "rzbHighCutBypass"};

const TFilterNames& NamesOf(bool highPass) { return highPass ? kHighPassNames : kLowPassNames; }

// 0 when the filter is bypassed, else the selector's item + 1.
int SlopeOf(const TRzBmpButton& bypass, const TRzComboBox& slope) {
    return bypass.Down() ? 0 : slope.ItemIndex() + 1;
}

// The channel's crossover with one filter's half replaced.
CrossoverParams WithFilter(CrossoverParams c, bool highPass, int position, int slope) {
    if (highPass) {
        c.HighPassFreq = static_cast<std::uint16_t>(position);
        c.HighPassSlope = static_cast<std::uint8_t>(slope);
    } else {
        c.LowPassFreq = static_cast<std::uint16_t>(position);
        c.LowPassSlope = static_cast<std::uint8_t>(slope);
    }
    return c;
}

}  // namespace

void TfmMain::DesignCrossoverCurve(bool highPass, int slope, float freqHz, int base, int channel) {
    Plot& plot = *FPlots[static_cast<std::size_t>(channel)];
    FilterCurve& total = plot.Curve(highPass ? base : base + 1);
    const int firstSection = base + 3;
    const TSectionKinds& kinds = highPass ? kHighPassKinds : kLowPassKinds;
    // A slope without a design row (only a damaged image has one) draws as no filter.
    const int row = slope >= 0 && slope < static_cast<int>(SlopeCodeCount)
                        ? SlopeDesignRows[static_cast<std::size_t>(slope)]
                        : 0;
    if (row == 0) {
        total.SetFilter(0.0, freqHz, kSectionQ, fkFlat);
    } else if (row == FirstButterworthRow) {
        total.SetSection(0.0, freqHz, kSectionQ, kinds.first, 1.0f, 0.0f);
    } else {
        // Rows 2 to 20 write all five sections (a scratch area both filters share) and sum them.
        const TDesign design = SectionsOf(row, kinds);
        const TSection* last = nullptr;
        for (int i = 0; i < kSectionCount; ++i) {
            const TSection& s = design[static_cast<std::size_t>(i)];
            FilterCurve& section = plot.Curve(firstSection + i);
            if (s.kind == fkFlat) {
                section.SetFilter(0.0, kFlatSectionHz, kSectionQ, fkFlat);
            } else {
                section.SetSection(0.0, freqHz, kSectionQ, s.kind, s.a, s.b);
                last = &s;
            }
        }
        // The total carries the last section's kind and coefficients and the sum of the points.
        total.GainDb = 0.0;
        total.FreqHz = freqHz;
        total.Qf = kSectionQ;
        total.Kind = last->kind;
        total.ProtoA = last->a;
        total.ProtoB = last->b;
        total.Points.fill(0.0);
        for (int i = 0; i < kSectionCount; ++i) {
            const auto& points = plot.Curve(firstSection + i).Points;
            for (std::size_t p = 0; p < points.size(); ++p) total.Points[p] += points[p];
        }
    }
    plot.DrawBandMarker(highPass ? base : base + 1, 0.0,
                        highPass ? BlockHighPassHandle : BlockLowPassHandle);
}

void TfmMain::UpdateHighPassCurve(int channel) {
    const CrossoverParams c = FUnitControl->GetCrossover(channel);
    DesignCrossoverCurve(true, c.HighPassSlope, static_cast<float>(FreqIndexToHz(c.HighPassFreq)),
                         Plot::HighPassTotalSlot, channel);
    FPlots[static_cast<std::size_t>(channel)]->UpdateTotalCurve(channel);
}

void TfmMain::UpdateLowPassCurve(int channel) {
    const CrossoverParams c = FUnitControl->GetCrossover(channel);
    DesignCrossoverCurve(false, c.LowPassSlope, static_cast<float>(FreqIndexToHz(c.LowPassFreq)),
                         Plot::HighPassTotalSlot, channel);
    FPlots[static_cast<std::size_t>(channel)]->UpdateTotalCurve(channel);
}

// The filter's curve shown as the selected one, the channel's total and the view.
void TfmMain::ShowCrossoverCurve(int channel, bool highPass) {
    Plot& plot = *FPlots[static_cast<std::size_t>(channel)];
    plot.ShowSelectedBand(highPass ? kHighPassCaption : kLowPassCaption,
                          highPass ? Plot::HighPassTotalSlot : Plot::LowPassTotalSlot, 0.0, 0.0,
                          true);
    plot.UpdateTotalCurve(channel);
    if (auto* view = StripControl<LMyFFTDrawPhase>("fftDraw", channel)) view->UpdateCurvePage();
}

void TfmMain::CrossoverFaderChanged(TObject* sender, bool highPass) {
    auto* fader = dynamic_cast<TAdvTrackBar*>(sender);
    if (FApplyingImage || fader == nullptr) return;
    const int channel = static_cast<int>(fader->Tag());
    const TFilterNames& names = NamesOf(highPass);
    auto* box = StripControl<TCurvyEdit>(names.box, channel);
    auto* slopeBox = StripControl<TRzComboBox>(names.slope, channel);
    auto* bypass = StripControl<TRzBmpButton>(names.bypass, channel);
    if (box == nullptr || slopeBox == nullptr || bypass == nullptr) return;
    const int position = fader->Position();
    const auto freq = static_cast<float>(FreqIndexToHz(position));
    box->SetText(EqFrequencyText(freq));
    const int slope = SlopeOf(*bypass, *slopeBox);
    tmHpLpCurve->SetEnabled(true);
    FCurveEditChannel = channel;
    FCurveEditFreq = freq;
    FCurveEditSlope = slope;
    FCurveEditKind = highPass ? 1 : 0;
    // The processor hears of the move at once; only the curve waits for the timer.
    const CrossoverParams c =
        WithFilter(FUnitControl->GetCrossover(channel), highPass, position, slope);
    if (highPass) {
        FUnitControl->SetHighPass(channel, c);
    } else {
        FUnitControl->SetLowPass(channel, c);
    }
}

void TfmMain::CrossoverSlopeChanged(TObject* sender, bool highPass) {
    auto* control = dynamic_cast<TControl*>(sender);
    if (control == nullptr) return;
    const int channel = static_cast<int>(control->Tag());
    const TFilterNames& names = NamesOf(highPass);
    auto* fader = StripControl<TAdvTrackBar>(names.fader, channel);
    auto* slopeBox = StripControl<TRzComboBox>(names.slope, channel);
    auto* bypass = StripControl<TRzBmpButton>(names.bypass, channel);
    if (fader == nullptr || slopeBox == nullptr || bypass == nullptr) return;
    const int position = fader->Position();
    const int slope = SlopeOf(*bypass, *slopeBox);
    DesignCrossoverCurve(highPass, slope, static_cast<float>(FreqIndexToHz(position)),
                         Plot::HighPassTotalSlot, channel);
    ShowCrossoverCurve(channel, highPass);
    if (FApplyingImage) return;
    const CrossoverParams c =
        WithFilter(FUnitControl->GetCrossover(channel), highPass, position, slope);
    if (highPass) {
        FUnitControl->SetHighPass(channel, c);
    } else {
        FUnitControl->SetLowPass(channel, c);
    }
}

void TfmMain::isLowCutFreqInAChange(TObject* sender) { CrossoverFaderChanged(sender, true); }
void TfmMain::isHighCutFreqInAChange(TObject* sender) { CrossoverFaderChanged(sender, false); }
void TfmMain::rzcLowCutSlopInAChange(TObject* sender) { CrossoverSlopeChanged(sender, true); }
void TfmMain::rzcHighCutSlopInAChange(TObject* sender) { CrossoverSlopeChanged(sender, false); }
void TfmMain::rzbLowCutBypassInAClick(TObject* sender) { CrossoverSlopeChanged(sender, true); }
void TfmMain::rzbHighCutBypassInAClick(TObject* sender) { CrossoverSlopeChanged(sender, false); }

// The wheel never changes a slope.
void TfmMain::rzcLowCutSlopInAMouseWheel(TObject*, TShiftState, int, TPoint, bool& handled) {
    handled = true;
}
void TfmMain::rzcHighCutSlopInAMouseWheel(TObject*, TShiftState, int, TPoint, bool& handled) {
    handled = true;
}

// A crossover handle dragged on the view: the fader follows (and runs its own road when it
// moves), the curve waits for the timer, the EQ row loses its selection, and the box turns green
// until the release.
void TfmMain::DragHandle(TMyPEQAllpass& table, int channel, bool highPass, float freqHz) {
    const TFilterNames& names = NamesOf(highPass);
    auto* box = StripControl<TCurvyEdit>(names.box, channel);
    auto* bypass = StripControl<TRzBmpButton>(names.bypass, channel);
    auto* slopeBox = StripControl<TRzComboBox>(names.slope, channel);
    auto* fader = StripControl<TAdvTrackBar>(names.fader, channel);
    if (box == nullptr || bypass == nullptr || slopeBox == nullptr || fader == nullptr) return;
    if (highPass) box->SetText(EqFrequencyText(freqHz));
    fader->SetPosition(FreqHzToIndex(freqHz));
    tmHpLpCurve->SetEnabled(true);
    FCurveEditChannel = channel;
    FCurveEditFreq = freqHz;
    FCurveEditSlope = SlopeOf(*bypass, *slopeBox);
    FCurveEditKind = highPass ? 1 : 0;
    const CrossoverParams stored = FUnitControl->GetCrossover(channel);
    const CrossoverParams c = WithFilter(stored, highPass, fader->Position(),
                                         highPass ? stored.HighPassSlope : stored.LowPassSlope);
    if (highPass) {
        FUnitControl->SetHighPass(channel, c);
    } else {
        FUnitControl->SetLowPass(channel, c);
    }
    const int band = table.GetNowIndex();
    if (band != kNoBand) {
        auto* button = Control<TRzBmpButton>(BandButtonName(band, channel));
        if (button == nullptr) return;
        button->SetDown(false);
        table.SetNowIndex(-1);
    }
    box->Font()->SetColor(kDraggedColour);
}

void TfmMain::tmHpLpCurveTimer(TObject*) {
    tmHpLpCurve->SetEnabled(false);
    const bool highPass = FCurveEditKind != 0;
    DesignCrossoverCurve(highPass, FCurveEditSlope, FCurveEditFreq, Plot::HighPassTotalSlot,
                         FCurveEditChannel);
    ShowCrossoverCurve(FCurveEditChannel, highPass);
}

}  // namespace dsp
