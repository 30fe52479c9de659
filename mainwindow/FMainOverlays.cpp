// Curve overlays and view switches. Every channel's total curve is copied into the plots that
// show it (the other channels' pages of its side as an overlay, its side's overview on the Gain
// page) only when it changed: a dirty mark per plot and channel records what each plot has not
// taken over yet. The lamp buttons show and hide those copies; the Mag and Phase switches turn a
// channel's view between magnitude and phase.

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Button.h"
#include "mainwindow/FMain.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/panels/VrButtons.h"

namespace dsp {

namespace {

constexpr int kInputsOverview = 9;
constexpr int kOutputsOverview = 10;

ViewColour ColourOf(int channel) { return ChannelColours[static_cast<std::size_t>(channel)]; }

// The overview plot of a channel's side.
int OverviewOf(int channel) { return IsInput(channel) ? kInputsOverview : kOutputsOverview; }

// Where channel c's total curve lies in plot h: its own number on an overview, an overlay slot
// (by c's place in its side) on a channel plot.
int CurveOf(int c, int h) { return h >= kChannelCount ? c : Plot::FirstOverlaySlot + SideBit(c); }

void CopyTotal(const Plot& from, Plot& to, int curve) {
    to.Curve(curve).Points = from.Curve(Plot::ChannelTotalSlot).Points;
}

}  // namespace

void TfmMain::MarkCurveDirty(int ch) {
    if (ch < 0 || ch >= kChannelCount) return;
    const std::uint32_t bit = 1u << ch;
    for (int h = SideBegin(ch); h < SideEnd(ch); ++h)
        FOverlayMasks[static_cast<std::size_t>(h)] |= bit;
    FOverlayMasks[static_cast<std::size_t>(OverviewOf(ch))] |= bit;
}

void TfmMain::RefreshOverviewCurves() {
    // The totals are copied every time; only the changed ones whose lamps are on are drawn.
    for (int c = 0; c < kChannelCount; ++c) {
        CopyTotal(*FPlots[static_cast<std::size_t>(c)],
                  *FPlots[static_cast<std::size_t>(OverviewOf(c))], c);
    }
    try {
        for (int c = 0; c < kChannelCount; ++c) {
            const int h = OverviewOf(c);
            auto& lamp = Need<TVrPowerButton>(std::string("vrbShow") + ChannelChar(c) + "Gain");
            std::uint32_t& mask = FOverlayMasks[static_cast<std::size_t>(h)];
            if (lamp.Active() && ((mask >> c) & 1u) != 0) {
                mask &= ~(1u << c);
                FPlots[static_cast<std::size_t>(h)]->ShowCurve(c, ColourOf(c));
            }
        }
        Need<LMyFFTDrawPhase>("fftDrawGainIn").UpdateCurvePage();
        Need<LMyFFTDrawPhase>("fftDrawGainOut").UpdateCurvePage();
    } catch (const TNameMissing&) {}
}

void TfmMain::RefreshOverlayCurves(int channel) {
    if (channel < 0 || channel >= kChannelCount) return;
    const auto h = static_cast<std::size_t>(channel);
    try {
        for (int c = SideBegin(channel); c < SideEnd(channel); ++c) {
            if (c == channel) continue;
            auto& lamp = Need<TVrPowerButton>(std::string("vrbShow") + ChannelChar(c) +
                                              ChannelName(channel));
            if (((FOverlayMasks[h] >> c) & 1u) == 0) continue;
            // Taken over even while the lamp is off, so that switching it on shows current data.
            FOverlayMasks[h] &= ~(1u << c);
            const int curve = CurveOf(c, channel);
            CopyTotal(*FPlots[static_cast<std::size_t>(c)], *FPlots[h], curve);
            if (lamp.Active()) FPlots[h]->ShowCurve(curve, ColourOf(c));
        }
        Need<LMyFFTDrawPhase>("fftDraw", channel).UpdateCurvePage();
    } catch (const TNameMissing&) {}
}

void TfmMain::LampClick(TObject* sender, int host) {
    auto* lamp = dynamic_cast<TVrPowerButton*>(sender);
    if (lamp == nullptr) return;
    const int c = static_cast<int>(lamp->Tag());
    if (c < 0 || c >= kChannelCount) return;
    const auto h = static_cast<std::size_t>(host);
    // The data already in the plot is taken as current.
    FOverlayMasks[h] &= ~(1u << c);
    const int curve = CurveOf(c, host);
    if (lamp->Active()) {
        FPlots[h]->ShowCurve(curve, ColourOf(c));
    } else {
        FPlots[h]->HideCurve(curve);
    }
    try {
        if (host == kInputsOverview) {
            Need<LMyFFTDrawPhase>("fftDrawGainIn").UpdateCurvePage();
        } else if (host == kOutputsOverview) {
            Need<LMyFFTDrawPhase>("fftDrawGainOut").UpdateCurvePage();
        } else {
            Need<LMyFFTDrawPhase>("fftDraw", host).UpdateCurvePage();
        }
    } catch (const TNameMissing&) {}
}

void TfmMain::vrbShowAGainClick(TObject* sender) { LampClick(sender, kInputsOverview); }
void TfmMain::vrbShow1GainClick(TObject* sender) { LampClick(sender, kOutputsOverview); }
void TfmMain::vrbShowBInAClick(TObject* sender) { LampClick(sender, 0); }
void TfmMain::vrbShowAInBClick(TObject* sender) { LampClick(sender, 1); }
void TfmMain::vrbShowAInCClick(TObject* sender) { LampClick(sender, 2); }
void TfmMain::vrbShow2Out1Click(TObject* sender) { LampClick(sender, 3); }
void TfmMain::vrbShow1Out2Click(TObject* sender) { LampClick(sender, 4); }
void TfmMain::vrbShow1Out3Click(TObject* sender) { LampClick(sender, 5); }
void TfmMain::vrbShow1Out4Click(TObject* sender) { LampClick(sender, 6); }
void TfmMain::vrbShow1Out5Click(TObject* sender) { LampClick(sender, 7); }
void TfmMain::vrbShow1Out6Click(TObject* sender) { LampClick(sender, 8); }

void TfmMain::SwitchViewMode(TObject* sender, bool phase) {
    auto* switchButton = dynamic_cast<TRadioButton*>(sender);
    if (switchButton == nullptr) return;
    const int ch = static_cast<int>(switchButton->Tag());
    if (ch < 0 || ch >= kChannelCount) return;
    Plot& plot = *FPlots[static_cast<std::size_t>(ch)];
    // Nothing happens unless the view shows the other mode.
    if ((plot.GetPhaseMode() != 0) == phase) return;
    plot.SetPhaseMode(phase ? 1 : 0);
    try {
        auto& view = Need<LMyFFTDrawPhase>("fftDraw", ch);
        auto& table = Need<TMyPEQAllpass>("peqPeq", ch);
        auto& graph = Need<TRzGroupBox>("rzgFft", ch);
        auto& other = Need<TRadioButton>(phase ? "rbShowGain" : "rbShowPhase", ch);
        switchButton->Font()->SetColor(clYellow);
        other.Font()->SetColor(clSilver);
        UpdatePeqCurve(ch);
        UpdateHighPassCurve(ch);
        UpdateLowPassCurve(ch);
        // Magnitude: eleven lines of dB; phase: seven lines, the curve's 18 labelled 180.
        view.SetNumHorzGrid(phase ? 7 : 11);
        view.SetYLabel(phase ? "" : "dB");
        view.SetYLabelScale(phase ? 10.0 : 1.0);
        view.SetYMax(18);
        view.SetYMin(-18);
        const int band = table.GetNowIndex();
        if (band >= 0 && band < table.GetChannelNumber()) {
            plot.ShowSelectedBand(table.GetTypeValue(band), band, table.GetGainValue(band),
                                  table.GetQValue(band), true);
        }
        view.UpdateCurvePage();
        graph.Invalidate();
        MarkCurveDirty(ch);
        RefreshOverlayCurves(ch);
    } catch (const TNameMissing&) {}
}

void TfmMain::rbShowGainInAClick(TObject* sender) { SwitchViewMode(sender, false); }
void TfmMain::rbShowPhaseInAClick(TObject* sender) { SwitchViewMode(sender, true); }

}  // namespace dsp
