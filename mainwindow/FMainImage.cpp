// Showing the whole parameter image in every control of the window (and of the test-signal and
// link dialogs, once they exist). While it runs the applying flag is set, so that the controls'
// change events and the model's setters send nothing; the flag is cleared on every way out.

#include <cmath>
#include <string>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/UpDown.h"
#include "framework/text/Format.h"
#include "framework/text/Gbk.h"
#include "mainwindow/FMain.h"
#include "mainwindow/SharedConstants.h"
#include "mainwindow/StripTexts.h"
#include "model/Encodings.h"
#include "model/Lunitcontrol.h"
#include "plot/engine/TransferPlotSetup.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

// Bytes up to the first zero, at most max, as text.
template <typename Bytes>
std::string NameText(const Bytes& bytes, std::size_t max) {
    std::string raw;
    for (std::size_t i = 0; i < bytes.size() && i < max && bytes[i] != 0; ++i) {
        raw += static_cast<char>(bytes[i]);
    }
    return GbkToUtf8(raw);
}

// Sets the flag for its life and clears it on every way out.
class TApplyingScope {
public:
    explicit TApplyingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TApplyingScope() { flag_ = false; }
    TApplyingScope(const TApplyingScope&) = delete;
    TApplyingScope& operator=(const TApplyingScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

void TfmMain::ApplyUnitImage() {
    // 1.
    ClearBandSelection();
    try {
        {
            TApplyingScope applying(FApplyingImage);
            const LUnitControl& image = *FUnitControl;
            // 2. The preset box.
            lbPstNum->SetCaption(Format(FPresetNumber >= 1 ? "U%02d" : "F%02d", FPresetNumber));
            lbPstName->SetCaption(NameText(image.GetPresetName(), 14));
            // 3. Every overlay curve is taken anew.
            for (int h = 0; h < kChannelCount; ++h) {
                FOverlayMasks[static_cast<std::size_t>(h)] = IsInput(h) ? 0x007u : 0x1F8u;
            }
            FOverlayMasks[9] = 0xFFF;
            FOverlayMasks[10] = 0xFFF;
            RefreshOverviewCurves();
            // 4, 5. The strips.
            for (int ch = 0; ch < kChannelCount; ++ch) {
                if (IsInput(ch)) {
                    ApplyInputStrip(ch);
                } else {
                    ApplyOutputStrip(ch);
                }
            }
            // 6. The delay unit: its button goes down and is clicked (which sends nothing now).
            TRzBmpButton& unit =
                Need<TRzBmpButton>("rzbUnit" + std::to_string(image.GetDelayUnit()));
            unit.SetDown(true);
            unit.Click();
            // 7. The test-signal dialog, when it exists: its Part fills this in.
            ShowTestSignalInDialog();
            // 8. The routing drawing.
            Need<TPaintBox>("pbMatrix").Invalidate();
            // 9. The link dialog, when it exists.
            ShowLinksInDialog();
            // 10. The delay lines.
            for (int ch = 0; ch < kChannelCount; ++ch) UpdateDelayLine(ch);
        }  // 11. The flag is cleared.
        // 12. The curves, once, now that every control holds its value.
        for (int ch = 0; ch < kChannelCount; ++ch) {
            UpdatePeqCurve(ch);
            UpdateHighPassCurve(ch);
            UpdateLowPassCurve(ch);
        }
        // 13, 14.
        SelectFirstBands();
        if (FPage == kPageGain) {
            RefreshOverviewCurves();
        } else {
            RefreshOverlayCurves(FPage);
        }
        if (OnImageShown) OnImageShown(this);
    } catch (const TNameMissing&) {
        // The form holds every name; a missing one ends the showing here, the flag cleared.
    }
}

void TfmMain::ApplyEqTable(int ch) {
    const LUnitControl& image = *FUnitControl;
    TMyPEQAllpass& table = Need<TMyPEQAllpass>("peqPeq", ch);
    table.SetNowIndex(0);
    const int bands = IsInput(ch) ? InputBandCount : OutputBandCount;
    for (int b = 0; b < bands; ++b) {
        const PeqBandParams band = image.GetPeqBand(ch, b);
        const float hz = 1000.0f * std::pow(static_cast<float>(FreqStepRatio),
                                            static_cast<float>(static_cast<int>(band.Freq) - 170));
        table.SetEqParamValue(b, hz, band.Q, (static_cast<int>(band.Gain) - 120) * 0.1, band.Type,
                              image.IsBandBypassed(ch, b));
    }
}

void TfmMain::ApplyCrossover(int ch) {
    const CrossoverParams x = FUnitControl->GetCrossover(ch);
    struct TFilter {
        const char* stem;
        int frequency;
        int slope;
    };
    const TFilter filters[] = {{"LowCut", x.HighPassFreq, x.HighPassSlope},
                               {"HighCut", x.LowPassFreq, x.LowPassSlope}};
    for (const TFilter& f : filters) {
        const std::string stem = f.stem;
        TAdvTrackBar& fader = Need<TAdvTrackBar>("is" + stem + "Freq", ch);
        fader.SetPosition(f.frequency);
        Need<TCurvyEdit>("cvd" + stem + "Freq", ch)
            .SetText(CrossoverFrequencyText(fader.Position()));
        TRzBmpButton& bypass = Need<TRzBmpButton>("rzb" + stem + "Bypass", ch);
        if (f.slope == 0) {
            bypass.SetDown(true);
        } else {
            Need<TRzComboBox>("rzc" + stem + "Slop", ch).SetItemIndex(f.slope - 1);
            bypass.SetDown(false);
        }
    }
}

void TfmMain::ApplyGainPolarityDelayMuteBypass(int ch) {
    const LUnitControl& image = *FUnitControl;
    // Gain, on the channel page and the Gain page.
    TAdvTrackBar& gain = Need<TAdvTrackBar>("isGain", ch);
    gain.SetPosition(static_cast<int>(image.GetGain(ch)) + gain.Min());
    Need<TAdvTrackBar>("isGainBackup", ch).SetPosition(gain.Position());
    const std::string gainText = GainText(gain.Position());
    Need<TCurvyEdit>("cvdGain", ch).SetText(gainText);
    Need<TCurvyEdit>("cvdGainBackup", ch).SetText(gainText);
    // Polarity.
    const bool inverted = image.GetPolarity(ch);
    const std::string phaseText = GetText(inverted ? "SID_PHASE_ON" : "SID_PHASE_OFF");
    for (const char* stem : {"rzbPhase", "rzbPhaseBackup"}) {
        TRzBmpButton& phase = Need<TRzBmpButton>(stem, ch);
        phase.SetDown(inverted);
        phase.SetCaption(phaseText);
    }
    // Delay: the fader and the marker on its line.
    TAdvTrackBar& delay = Need<TAdvTrackBar>("isDelay", ch);
    delay.SetPosition(image.GetDelay(ch));
    const int lineWidth = Need<TLabel>("lbDelayLine", ch).Width();
    Need<TImage>("imDelay", ch).SetLeft(delay.Position() * (lineWidth - 90) / delay.Max() + 40);
    // The link row of the link dialog (when it exists).
    ShowLinkMaskInDialog(ch, image.GetLinkMask(ch));
    // Mute.
    const bool muted = image.GetMute(ch);
    Need<TRzBmpButton>("rzbMute", ch).SetDown(muted);
    Need<TRzBmpButton>("rzbMuteBackup", ch).SetDown(muted);
    MarkCurveDirty(ch);
    // The EQ bypass caption over the view.
    LMyFFTDrawPhase& view = Need<LMyFFTDrawPhase>("fftDraw", ch);
    const bool bypassed = (image.GetEqBypassMask(ch) >> SideBit(ch)) & 1u;
    view.DrawTextA(view.Width() / 3, view.Height() / 4, 60, clBtnFace, "Times New Roman",
                   bypassed ? "BYPASS" : "");
}

void TfmMain::ApplyInputStrip(int ch) {
    const LUnitControl& image = *FUnitControl;
    // 1. The name.
    const std::string name = NameText(image.GetChannelName(ch), 8);
    Need<TLabel>("lbMatrixChName", ch).SetCaption(name);
    Need<TRzBmpButton>("rzbMenu", ch).SetHint(name);
    // 2. The bands.
    ApplyEqTable(ch);
    // 3. The gate.
    const GateParams gate = image.GetGate(ch);
    TAdvTrackBar& threshold = Need<TAdvTrackBar>("isGateThreshold", ch);
    threshold.SetPosition(static_cast<int>(gate.Threshold) + threshold.Min());
    Need<TCurvyEdit>("cvdGateThreshold", ch).SetText(ThresholdText(threshold.Position()));
    struct TTime {
        const char* stem;
        int value;
    };
    for (const TTime& t :
         {TTime{"Attack", gate.Attack}, TTime{"Release", gate.Release}, TTime{"Hold", gate.Hold}}) {
        TAdvTrackBar& fader = Need<TAdvTrackBar>(std::string("isGate") + t.stem, ch);
        fader.SetPosition(t.value);
        Need<TCurvyEdit>(std::string("cvdGate") + t.stem, ch)
            .SetText(GateTimeText(fader.Position()));
    }
    // 4. The gate plot follows InA, once the window is up.
    if (ch == 0 && !FStartingUp) RedrawGatePlotFromInA();
    // 5. Crossovers; 6 to 11. Gain, polarity, delay, links, mute, EQ bypass.
    ApplyCrossover(ch);
    ApplyGainPolarityDelayMuteBypass(ch);
}

void TfmMain::RedrawGatePlotFromInA() {
    const double t = Need<TAdvTrackBar>("isGateThreshold", 0).Position() * 0.5;
    const TiDoublePoint curve[] = {{20, 20}, {t, t}, {t, -100}};
    ReplaceTransferPoints(*ipGate, curve, {t + 0.2, t - 0.4});
    Need<TLabel>("lbGateName").SetCaption("In A  " + GetText("SID_GATE"));
}

void TfmMain::ApplyOutputStrip(int ch) {
    const LUnitControl& image = *FUnitControl;
    // 1. The name.
    const std::string name = NameText(image.GetChannelName(ch), 8);
    Need<TLabel>("lbMatrixChName", ch).SetCaption(name);
    Need<TRzBmpButton>("rzbMenu", ch).SetHint(name);
    // 2. The routing buttons.
    const std::uint16_t routing = image.GetRoutingMask(ch);
    for (int input = 0; input < kInputCount; ++input) {
        Need<TRzBmpButton>(std::string("rzb") + ChannelChar(input) + "Matrix", ch)
            .SetDown((routing >> input) & 1u);
    }
    // 3. Crossovers; 4. the bands.
    ApplyCrossover(ch);
    ApplyEqTable(ch);
    // 5. The compressor.
    const CompressorParams comp = image.GetCompressor(ch);
    TAdvTrackBar& threshold = Need<TAdvTrackBar>("isCompThreshold", ch);
    threshold.SetPosition(static_cast<int>(comp.Threshold) + threshold.Min());
    Need<TCurvyEdit>("cvdCompThreshold", ch).SetText(ThresholdText(threshold.Position()));
    TUpDown& ratio = Need<TUpDown>("udCompRatio", ch);
    ratio.SetPosition(comp.Ratio);
    Need<TCurvyEdit>("cvdCompRatio", ch).SetText(RatioText(ratio.Position()));
    struct TTime {
        const char* stem;
        int value;
    };
    for (const TTime& t : {TTime{"Attack", comp.Attack}, TTime{"Release", comp.Release}}) {
        TAdvTrackBar& fader = Need<TAdvTrackBar>(std::string("isComp") + t.stem, ch);
        fader.SetPosition(t.value);
        Need<TCurvyEdit>(std::string("cvdComp") + t.stem, ch)
            .SetText(CompressorTimeText(fader.Position()));
    }
    TUpDown& knee = Need<TUpDown>("udCompKnee", ch);
    knee.SetPosition(comp.Knee);
    Need<TCurvyEdit>("cvdCompKnee", ch).SetText(KneeText(knee.Position()));
    // 6. The compressor plot follows Out1, once the window is up.
    if (ch == kInputCount && !FStartingUp) DrawCompressorCurve(kInputCount);
    // 7. Gain, polarity, delay, links, mute, EQ bypass.
    ApplyGainPolarityDelayMuteBypass(ch);
}

}  // namespace dsp
