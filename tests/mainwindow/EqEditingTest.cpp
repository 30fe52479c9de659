// EQ band editing on the main window: the selection, the band faders and their texts, the
// pending edit that a 1 ms tick hands to the band table, the keyboard steps, the band table's
// change road with its Q rules, and what reaches the send path. Also the curve overlays and the
// Mag/Phase switches, which follow every band edit.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/MessageParams.h"
#include "framework/graphics/Bitmap.h"
#include "mainwindow/EditTexts.h"
#include "model/Encodings.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"
#include "tests/mainwindow/EditingFixture.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/panels/VrButtons.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {
namespace {

constexpr int kOut1 = 3;
constexpr int kInB = 1;
constexpr std::uint8_t kPeq = CommandCode::CM_MCS_PEQ;

// A band record as sent: channel, band, gain, frequency, Q, type, bypass.
struct TBandSent {
    int channel, band, gain, freq, q, type, bypass;
};
TBandSent BandOf(const test::TSentRecord& r) {
    const auto& d = r.data;
    return {d[0], d[1], d[2] | d[3] << 8, d[4] | d[5] << 8, d[6], d[7], d[8]};
}

// A lamp clicked as the user clicks it: pressed and released over it.
void ClickLamp(TVrPowerButton& lamp) {
    lamp.Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, {5, 5}));
    lamp.Perform(MakeMouseMessage(WM_LBUTTONUP, 0, {5, 5}));
}

void PressKey(TCurvyEdit& box, TKeyCode key) { box.Edit()->Perform(WM_KEYDOWN, key, 0); }

// How many pixels two pictures of one size differ in.
int DifferingPixels(const TBitmap& a, const TBitmap& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) count += a.PixelAt(x, y) != b.PixelAt(x, y);
    }
    return count;
}

class EqEditing : public testing::Test {
protected:
    template <typename T>
    T& Get(std::string_view stem, int channel) {
        return f_.Get<T>(stem, channel);
    }
    TMyPEQAllpass& Table(int ch) { return Get<TMyPEQAllpass>("peqPeq", ch); }
    std::string Box(std::string_view stem, int ch) { return Get<TCurvyEdit>(stem, ch).Text(); }
    std::vector<TBandSent> BandsSent() {
        std::vector<TBandSent> bands;
        for (const test::TSentRecord& r : f_.SentWithCode(kPeq)) bands.push_back(BandOf(r));
        return bands;
    }

    test::TEditingFixture f_;
    test::TEditingWindow& w_ = f_.Window();
};

TEST_F(EqEditing, WithoutASelectionEveryStripShowsTheEmptyBandWithItsFadersOff) {
    w_.ClearBandSelection();
    for (int ch = 0; ch < kChannelCount; ++ch) {
        SCOPED_TRACE(ChannelName(ch));
        EXPECT_EQ(Box("cvdEqFreq", ch), " 19.7Hz");
        EXPECT_EQ(Box("cvdEqGain", ch), "+0.0dB");
        EXPECT_EQ(Box("cvdEqBw", ch), "0.40");
        for (const char* fader : {"isEqFreq", "isEqBw", "isEqGain"}) {
            EXPECT_FALSE(Get<TAdvTrackBar>(fader, ch).Enabled()) << fader;
        }
        for (int b = 0; b < Table(ch).GetChannelNumber(); ++b) {
            EXPECT_FALSE(
                f_.Get<TRzBmpButton>(StripName("rzbEq" + std::to_string(b + 1), ch)).Down());
        }
        EXPECT_EQ(Table(ch).GetNowIndex(), 15);
    }
    EXPECT_TRUE(w_.sent.empty());
}

TEST_F(EqEditing, ABandButtonSelectsItsBandInTheFadersAndTheTable) {
    Table(kOut1).SetNowIndex(4);  // a row already current loses nothing by it
    auto& button = f_.Get<TRzBmpButton>("rzbEq3Out1");
    button.SetDown(true);
    button.Click();
    EXPECT_EQ(Table(kOut1).GetNowIndex(), 2);
    EXPECT_EQ(Box("cvdEqFreq", kOut1), EqFrequencyText(Table(kOut1).GetFreqValue(2)));
    EXPECT_EQ(Get<TAdvTrackBar>("isEqFreq", kOut1).Position(),
              FreqHzToIndex(Table(kOut1).GetFreqValue(2)));
    EXPECT_TRUE(Get<TAdvTrackBar>("isEqGain", kOut1).Enabled());
    EXPECT_TRUE(Get<TLabel>("lbFftParam", kOut1).Visible());
    EXPECT_TRUE(w_.sent.empty());
}

TEST_F(EqEditing, FaderTextsFollowTheirPositions) {
    struct TCase {
        const char* fader;
        int position;
        const char* box;
        const char* text;
    };
    const TCase cases[] = {
        {"isEqGain", 120, "cvdEqGain", "+0.0dB"},   {"isEqGain", 119, "cvdEqGain", "-0.1dB"},
        {"isEqGain", 0, "cvdEqGain", "-12.0dB"},    {"isEqGain", 240, "cvdEqGain", "+12.0dB"},
        {"isEqFreq", 170, "cvdEqFreq", "1.00KHz"},  {"isEqFreq", 0, "cvdEqFreq", " 19.7Hz"},
        {"isEqFreq", 300, "cvdEqFreq", "20.16KHz"}, {"isEqBw", 10, "cvdEqBw", "0.71"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.fader) + " " + std::to_string(c.position));
        Get<TAdvTrackBar>(c.fader, kOut1).SetPosition(c.position);
        EXPECT_EQ(Box(c.box, kOut1), c.text);
    }
}

TEST_F(EqEditing, MovesBeforeTheTickBecomeOneEditOfTheLastValue) {
    auto& gain = Get<TAdvTrackBar>("isEqGain", kOut1);
    gain.SetPosition(130);
    gain.SetPosition(150);
    EXPECT_TRUE(BandsSent().empty());
    const double before = w_.ChannelPlot(kOut1).Curve(0).GainDb;
    f_.Tick();
    const std::vector<TBandSent> sent = BandsSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].channel, kOut1);
    EXPECT_EQ(sent[0].band, 0);
    EXPECT_EQ(sent[0].gain, 150);
    EXPECT_EQ(w_.Model().GetPeqBand(kOut1, 0).Gain, 150);
    EXPECT_DOUBLE_EQ(Table(kOut1).GetGainValue(0), 3.0);
    EXPECT_NE(w_.ChannelPlot(kOut1).Curve(0).GainDb, before);
    EXPECT_DOUBLE_EQ(w_.ChannelPlot(kOut1).Curve(0).GainDb, 3.0);
}

TEST_F(EqEditing, AShelfsQFaderStopsAtThreePointZero) {
    Table(kOut1).SetTypeValue(0, ptLowShelf);
    f_.ClearSent();
    auto& q = Get<TAdvTrackBar>("isEqBw", kOut1);
    q.SetPosition(60);
    EXPECT_EQ(q.Position(), 35);
    EXPECT_EQ(Box("cvdEqBw", kOut1), "3.00");
    f_.Tick();
    ASSERT_EQ(BandsSent().size(), 1u);
    EXPECT_EQ(BandsSent()[0].q, 35);
    EXPECT_EQ(w_.Model().GetPeqBand(kOut1, 0).Q, 35);
}

TEST_F(EqEditing, ATypeChangeSetsTheQOfTheNewTypeAndSendsTheBandTwice) {
    const int factoryQ = w_.Model().GetDefaultPeqBand(kOut1, 0).Q;
    ASSERT_EQ(Table(kOut1).GetTypeValue(0), ptPeak);
    Table(kOut1).SetTypeValue(0, ptLowShelf);
    EXPECT_DOUBLE_EQ(Table(kOut1).GetQValue(0), 0.71);
    std::vector<TBandSent> sent = BandsSent();
    ASSERT_EQ(sent.size(), 2u);
    for (const TBandSent& b : sent) {
        EXPECT_EQ(b.q, 10);
        EXPECT_EQ(b.type, ptLowShelf);
    }
    f_.ClearSent();
    Table(kOut1).SetTypeValue(0, ptPeak);
    EXPECT_EQ(QValueToIndex(Table(kOut1).GetQValue(0)), factoryQ);
    sent = BandsSent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().q, factoryQ);
    EXPECT_EQ(w_.Model().GetPeqBand(kOut1, 0).Type, ptPeak);
}

TEST_F(EqEditing, AShelfAboveQThreeIsLimitedByItsNextChangeButNotWhileAnImageIsShown) {
    PeqBandParams shelf = w_.Model().GetPeqBand(kOut1, 0);
    shelf.Type = ptHighShelf;
    shelf.Q = 50;
    w_.ApplyingImage() = true;  // written into the image only
    w_.Model().SetPeqBand(kOut1, 0, shelf, 0);
    w_.ApplyingImage() = false;
    w_.ApplyUnitImage();
    EXPECT_EQ(QValueToIndex(Table(kOut1).GetQValue(0)), 50);
    EXPECT_EQ(w_.Model().GetPeqBand(kOut1, 0).Q, 50);
    EXPECT_TRUE(w_.sent.empty());

    Get<TAdvTrackBar>("isEqGain", kOut1).SetPosition(125);
    f_.Tick();
    EXPECT_EQ(QValueToIndex(Table(kOut1).GetQValue(0)), 35);
    ASSERT_FALSE(BandsSent().empty());
    EXPECT_EQ(BandsSent().back().q, 35);
    EXPECT_EQ(BandsSent().back().gain, 125);
}

TEST_F(EqEditing, KeysStepTheFadersOfTheSelectedBand) {
    auto& freq = Get<TAdvTrackBar>("isEqFreq", kOut1);
    auto& q = Get<TAdvTrackBar>("isEqBw", kOut1);
    auto& gain = Get<TAdvTrackBar>("isEqGain", kOut1);
    freq.SetPosition(100);
    q.SetPosition(20);
    gain.SetPosition(120);
    f_.Tick();
    struct TCase {
        TKeyCode key;
        int freq, q, gain;  // the steps
    };
    const TCase cases[] = {{37, -1, 0, 0},  {39, +1, 0, 0},  {107, 0, +1, 0}, {187, 0, +1, 0},
                           {109, 0, -1, 0}, {189, 0, -1, 0}, {38, 0, 0, +1},  {40, 0, 0, -1},
                           {16, 0, 0, 0},   {65, 0, 0, 0}};
    auto& box = Get<TCurvyEdit>("cvdEqFreq", kOut1);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.key);
        const int f0 = freq.Position(), q0 = q.Position(), g0 = gain.Position();
        f_.ClearSent();
        PressKey(box, c.key);
        f_.Tick();
        EXPECT_EQ(freq.Position() - f0, c.freq);
        EXPECT_EQ(q.Position() - q0, c.q);
        EXPECT_EQ(gain.Position() - g0, c.gain);
        EXPECT_EQ(BandsSent().size(), c.freq != 0 || c.q != 0 || c.gain != 0 ? 1u : 0u);
    }
}

TEST_F(EqEditing, AStepBeyondTheEndSendsTheBandAgainUnchanged) {
    auto& freq = Get<TAdvTrackBar>("isEqFreq", kOut1);
    freq.SetPosition(0);
    f_.Tick();
    f_.ClearSent();
    PressKey(Get<TCurvyEdit>("cvdEqFreq", kOut1), 37);
    f_.Tick();
    EXPECT_EQ(freq.Position(), 0);
    ASSERT_EQ(BandsSent().size(), 1u);
    EXPECT_EQ(BandsSent()[0].freq, 0);
}

TEST_F(EqEditing, TheTableIsNeitherDrawnNorSentWhileAMarkerIsHeld) {
    const double before = w_.ChannelPlot(kOut1).Curve(1).GainDb;
    w_.SelectedBand() = 1;
    Table(kOut1).SetNowIndex(1);
    Table(kOut1).SetGainValue(1, 5.0);
    EXPECT_TRUE(w_.sent.empty());
    EXPECT_EQ(w_.ChannelPlot(kOut1).Curve(1).GainDb, before);
    w_.SelectedBand() = -1;
}

TEST_F(EqEditing, TheWheelChangesNoTypeAndNoSlope) {
    for (const auto& wheel :
         {Table(kOut1).OnPeqTypeMouseWheel, Get<TRzComboBox>("rzcLowCutSlop", kOut1).OnMouseWheel,
          Get<TRzComboBox>("rzcHighCutSlop", kOut1).OnMouseWheel}) {
        bool handled = false;
        wheel(nullptr, {}, 120, {}, handled);
        EXPECT_TRUE(handled);
    }
}

// ---- overlays and view switches

TEST_F(EqEditing, AnEditMarksTheSidesPlotsAndAPageTakesTheChangedCurvesOver) {
    f_.OpenPage(0);
    f_.OpenPage(TfmMain::kPageGain);
    ASSERT_EQ(w_.OverlayMask(0) & (1u << kInB), 0u);
    Get<TAdvTrackBar>("isEqGain", kInB).SetPosition(180);
    f_.Tick();
    for (int h : {0, 1, 2, 9}) EXPECT_NE(w_.OverlayMask(h) & (1u << kInB), 0u) << h;
    for (int h = 3; h < kChannelCount; ++h) EXPECT_EQ(w_.OverlayMask(h) & (1u << kInB), 0u) << h;

    f_.OpenPage(0);
    EXPECT_EQ(w_.OverlayMask(0) & (1u << kInB), 0u);
    EXPECT_EQ(w_.ChannelPlot(0).Curve(Plot::FirstOverlaySlot + 1).Points,
              w_.ChannelPlot(kInB).Curve(Plot::ChannelTotalSlot).Points);
    auto& view = Get<LMyFFTDrawPhase>("fftDraw", 0);
    EXPECT_EQ(view.PlotList().Find(19), nullptr);  // the lamp is off
    ClickLamp(f_.Get<TVrPowerButton>("vrbShowBInA"));
    ASSERT_NE(view.PlotList().Find(19), nullptr);
    EXPECT_EQ(view.PlotList().Find(19)->PlotColor, static_cast<TColor>(ChannelColours[kInB]));
}

TEST_F(EqEditing, TheOverviewDrawsAChangedCurveOnlyWhileItsLampIsOn) {
    constexpr int kOut4 = 6;
    auto& lamp = f_.Get<TVrPowerButton>("vrbShow4Gain");
    auto& overview = f_.Get<LMyFFTDrawPhase>("fftDrawGainOut");
    auto editAndComeBack = [&](int gain) {
        Get<TAdvTrackBar>("isEqGain", kOut4).SetPosition(gain);
        f_.Tick();
        f_.OpenPage(kOut1);
        f_.OpenPage(TfmMain::kPageGain);
    };
    // Off: the data is taken, nothing is drawn and the mark stays.
    editAndComeBack(200);
    EXPECT_EQ(w_.ChannelPlot(10).Curve(kOut4).Points,
              w_.ChannelPlot(kOut4).Curve(Plot::ChannelTotalSlot).Points);
    EXPECT_EQ(overview.PlotList().Find(kOut4), nullptr);
    EXPECT_NE(w_.OverlayMask(10) & (1u << kOut4), 0u);

    lamp.SetActive(true);
    editAndComeBack(60);
    ASSERT_NE(overview.PlotList().Find(kOut4), nullptr);
    EXPECT_EQ(overview.PlotList().Find(kOut4)->PlotColor, clBlue);
    EXPECT_EQ(w_.OverlayMask(10) & (1u << kOut4), 0u);
}

TEST_F(EqEditing, AnOverlayLampHidesItsCurveAndShowsTheDataLastTaken) {
    constexpr int kOut3 = 5;
    const int curve = Plot::FirstOverlaySlot + 2;
    auto& lamp = f_.Get<TVrPowerButton>("vrbShow3Out1");
    auto& view = Get<LMyFFTDrawPhase>("fftDraw", kOut1);
    ClickLamp(lamp);
    ASSERT_TRUE(lamp.Active());
    ASSERT_NE(view.PlotList().Find(curve), nullptr);
    EXPECT_EQ(view.PlotList().Find(curve)->PlotColor, clYellow);
    ClickLamp(lamp);
    EXPECT_EQ(view.PlotList().Find(curve), nullptr);
    // Out3 changes while Out1's page is not refreshed: the lamp shows what the plot holds.
    Get<TAdvTrackBar>("isEqGain", kOut3).SetPosition(60);
    f_.Tick();
    const auto held = w_.ChannelPlot(kOut1).Curve(curve).Points;
    ClickLamp(lamp);
    std::vector<double> shown;
    ASSERT_TRUE(view.GetPlotY(shown, curve));
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), held.begin()));
    EXPECT_EQ(w_.OverlayMask(kOut1) & (1u << kOut3), 0u);
}

TEST_F(EqEditing, MagAndPhaseSwitchTheViewOnlyWhenItShowsTheOtherMode) {
    auto& view = Get<LMyFFTDrawPhase>("fftDraw", kOut1);
    auto& mag = Get<TRadioButton>("rbShowGain", kOut1);
    auto& phase = Get<TRadioButton>("rbShowPhase", kOut1);
    w_.rbShowGainInAClick(&mag);
    EXPECT_EQ(w_.ChannelPlot(kOut1).GetPhaseMode(), 0);
    EXPECT_EQ(view.NumHorzGrid(), 11);

    phase.SetChecked(true);
    EXPECT_EQ(w_.ChannelPlot(kOut1).GetPhaseMode(), 1);
    EXPECT_EQ(view.NumHorzGrid(), 7);
    EXPECT_EQ(view.YLabel(), "");
    EXPECT_DOUBLE_EQ(view.YLabelScale(), 10.0);
    EXPECT_DOUBLE_EQ(view.YMax(), 18);
    EXPECT_EQ(phase.Font()->Color(), clYellow);
    EXPECT_EQ(mag.Font()->Color(), clSilver);
    // The curves are computed anew in phase.
    EXPECT_NE(w_.ChannelPlot(kOut1).Curve(0).ShowPhase, 0);
    EXPECT_NE(w_.OverlayMask(4) & (1u << kOut1), 0u);

    mag.SetChecked(true);
    EXPECT_EQ(w_.ChannelPlot(kOut1).GetPhaseMode(), 0);
    EXPECT_EQ(view.NumHorzGrid(), 11);
    EXPECT_EQ(view.YLabel(), "dB");
    EXPECT_DOUBLE_EQ(view.YLabelScale(), 1.0);
    EXPECT_TRUE(w_.sent.empty());
}

}  // namespace
}  // namespace dsp

namespace dsp {
namespace {

// ---- EQ reset, show all and bypass

class EqButtons : public EqEditing {
protected:
    // Out1 and Out2 in one group led by Out1, in the image alone.
    void LinkOut1AndOut2() {
        w_.ApplyingImage() = true;
        w_.Model().SetLinkMask(kOut1, 0x3);
        w_.Model().SetLinkMask(kOut2, 0x0);
        w_.ApplyingImage() = false;
    }
    static constexpr int kOut2 = 4;
};

TEST_F(EqButtons, AResetPutsEveryFactoryBandIntoTheImageOfTheWholeGroup) {
    LinkOut1AndOut2();
    for (int b = 0; b < OutputBandCount; ++b) {
        Table(kOut1).SetNowIndex(b);
        Table(kOut1).SetEqParamValue(b, 5000.0, 60, -7.5, ptHighShelf, b == 4);
    }
    ASSERT_NE(w_.Model().GetPeqBand(kOut2, 6), w_.Model().GetDefaultPeqBand(kOut2, 6));
    f_.ClearSent();
    w_.ResetChannelEq(kOut1);
    for (int ch : {kOut1, kOut2}) {
        for (int b = 0; b < OutputBandCount; ++b) {
            SCOPED_TRACE(ChannelName(ch) + " band " + std::to_string(b + 1));
            EXPECT_EQ(w_.Model().GetPeqBand(ch, b), w_.Model().GetDefaultPeqBand(ch, b));
            EXPECT_FALSE(w_.Model().IsBandBypassed(ch, b));
        }
    }
    // Every band went out, from band 9 down, each without its bypass.
    std::vector<int> bands;
    for (const TBandSent& s : BandsSent()) {
        if (s.band != 0) bands.push_back(s.band);
        EXPECT_EQ(s.bypass, 0);
    }
    EXPECT_EQ(bands, (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(BandsSent().back().band, 0);
    // The table and the view show the factory bands, band 1 selected.
    EXPECT_EQ(Table(kOut1).GetNowIndex(), 0);
    EXPECT_TRUE(f_.Get<TRzBmpButton>("rzbEq1Out1").Down());
    for (int b = 0; b < OutputBandCount; ++b) {
        const PeqBandParams factory = w_.Model().GetDefaultPeqBand(kOut1, b);
        EXPECT_EQ(FreqHzToIndex(Table(kOut1).GetFreqValue(b)), factory.Freq);
        EXPECT_DOUBLE_EQ(w_.ChannelPlot(kOut1).Curve(b).FreqHz, FreqIndexToHz(factory.Freq));
    }
}

TEST_F(EqButtons, AnInputResetSendsItsEightBands) {
    w_.ResetChannelEq(kInB);
    std::vector<int> bands;
    for (const TBandSent& s : BandsSent()) {
        EXPECT_EQ(s.channel, kInB);
        if (s.band != 0) bands.push_back(s.band);
    }
    EXPECT_EQ(bands, (std::vector<int>{7, 6, 5, 4, 3, 2, 1}));
}

TEST_F(EqButtons, BypassSwitchesTheWholeGroupAndTellsEveryMember) {
    LinkOut1AndOut2();
    const auto curves = w_.ChannelPlot(kOut1).Curve(Plot::ChannelTotalSlot).Points;
    auto& bypass = Get<TVrDemoButton>("vrbEqBypass", kOut1);
    const std::uint8_t code = CommandCode::MCS_SET_EQ_BYPASS;
    for (int state : {1, 0}) {
        SCOPED_TRACE(state);
        f_.ClearSent();
        bypass.OnClick(&bypass);
        EXPECT_EQ(w_.Model().GetEqBypassMask(kOut1) & 0x3, state ? 0x3 : 0x0);
        const auto sent = f_.SentWithCode(code);
        ASSERT_EQ(sent.size(), 2u);
        EXPECT_EQ(sent[0].data, (std::vector<std::uint8_t>{kOut1, std::uint8_t(state)}));
        EXPECT_EQ(sent[1].data, (std::vector<std::uint8_t>{kOut2, std::uint8_t(state)}));
    }
    EXPECT_EQ(w_.ChannelPlot(kOut1).Curve(Plot::ChannelTotalSlot).Points, curves);
}

TEST_F(EqButtons, ShowAllTurnsTheViewsBandCaptionsOnAndOff) {
    auto& showAll = Get<TVrPowerButton>("vrbEqShowAll", kOut1);
    auto& view = Get<LMyFFTDrawPhase>("fftDraw", kOut1);
    TBitmap before;
    before.Assign(const_cast<TBitmap*>(&view.ShownPlotPage()));
    ClickLamp(showAll);
    ASSERT_TRUE(showAll.Active());
    EXPECT_GT(DifferingPixels(view.ShownPlotPage(), before), 0);
    ClickLamp(showAll);
    EXPECT_EQ(DifferingPixels(view.ShownPlotPage(), before), 0);
}

}  // namespace
}  // namespace dsp
