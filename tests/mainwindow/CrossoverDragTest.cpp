// Crossover editing and dragging on the response views, on the main window: the designs from
// prototype sections and the five sections both filters share, the fader road that sends at once
// and draws at the tick, the slope and bypass road; the hit test, the press order, snapping and
// clamping while a band or handle is dragged, and the smaller hover reach at 96 pixels per inch.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Edit.h"
#include "framework/controls/MessageParams.h"
#include "framework/desktop/Cursors.h"
#include "framework/desktop/Screen.h"
#include "mainwindow/EditTexts.h"
#include "model/Encodings.h"
#include "model/FilterCurve.h"
#include "model/FrequencyGrid.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "model/Plot.h"
#include "tests/mainwindow/EditingFixture.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {
namespace {

constexpr int kOut1 = 3;
constexpr int kHighPass = Plot::HighPassTotalSlot;
constexpr int kLowPass = Plot::LowPassTotalSlot;
// Slope items of the selectors.
constexpr int kBw6 = 0;
constexpr int kBl6 = 1;
constexpr int kLk24 = 9;
constexpr int kBw48 = 17;
constexpr int kLk48 = 19;

using TPoints = std::array<double, CurvePointCount>;

class CrossoverEditing : public testing::Test {
protected:
    // Both filters of Out1 on (the factory image has them bypassed).
    void SetUp() override {
        for (const char* bypass : {"rzbLowCutBypass", "rzbHighCutBypass"}) {
            if (Get<TRzBmpButton>(bypass).Down()) Toggle(Get<TRzBmpButton>(bypass));
        }
        f_.ClearSent();
    }
    // A bypass button clicked: it toggles, then its click.
    static void Toggle(TRzBmpButton& button) {
        button.SetDown(!button.Down());
        button.Click();
    }
    template <typename T>
    T& Get(std::string_view stem, int channel = kOut1) {
        return f_.Get<T>(stem, channel);
    }
    Plot& PlotOf(int ch = kOut1) { return w_.ChannelPlot(ch); }
    // A slope chosen in a selector as the user chooses it.
    void ChooseSlope(const char* selector, int item) {
        auto& box = Get<TRzComboBox>(selector);
        box.SetItemIndex(item);
        box.OnChange(&box);
    }
    // The sum of sections of one kind and coefficients, as a design builds it.
    static TPoints SumOf(const std::vector<FilterCurve>& sections) {
        TPoints sum{};
        for (const FilterCurve& s : sections) {
            for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += s.Points[i];
        }
        return sum;
    }
    static FilterCurve Section(double hz, std::int32_t kind, float a) {
        FilterCurve s;
        s.SetSection(0.0, hz, 0.05, kind, a, 0.0f);
        return s;
    }
    std::vector<test::TSentRecord> Sent(std::uint8_t code) { return f_.SentWithCode(code); }

    test::TEditingFixture f_;
    test::TEditingWindow& w_ = f_.Window();
};

TEST_F(CrossoverEditing, TheFaderSendsAtOnceAndTheCurveFollowsAtTheTick) {
    auto& fader = Get<TAdvTrackBar>("isLowCutFreq");
    const double before = PlotOf().Curve(kHighPass).FreqHz;
    fader.SetPosition(50);
    EXPECT_EQ(Get<TCurvyEdit>("cvdLowCutFreq").Text(), EqFrequencyText(FreqIndexToHz(50)));
    const auto sent = Sent(CommandCode::CM_MCS_HIGH_PASS);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].data[0], kOut1);
    EXPECT_EQ(sent[0].data[1] | sent[0].data[2] << 8, 50);
    EXPECT_EQ(sent[0].data[3], Get<TRzComboBox>("rzcLowCutSlop").ItemIndex() + 1);
    EXPECT_EQ(w_.Model().GetCrossover(kOut1).HighPassFreq, 50);
    EXPECT_EQ(PlotOf().Curve(kHighPass).FreqHz, before);
    f_.Tick();
    EXPECT_FLOAT_EQ(static_cast<float>(PlotOf().Curve(kHighPass).FreqHz),
                    static_cast<float>(FreqIndexToHz(50)));
}

TEST_F(CrossoverEditing, TheFaderEndsShowTheirFrequencies) {
    Get<TAdvTrackBar>("isLowCutFreq").SetPosition(1);
    Get<TAdvTrackBar>("isLowCutFreq").SetPosition(0);
    Get<TAdvTrackBar>("isHighCutFreq").SetPosition(299);
    Get<TAdvTrackBar>("isHighCutFreq").SetPosition(300);
    EXPECT_EQ(Get<TCurvyEdit>("cvdLowCutFreq").Text(), " 19.7Hz");
    EXPECT_EQ(Get<TCurvyEdit>("cvdHighCutFreq").Text(), "20.16KHz");
}

TEST_F(CrossoverEditing, ABypassedFilterSendsSlopeZeroAndIsFlatWithItsHandleAtItsFrequency) {
    auto& bypass = Get<TRzBmpButton>("rzbHighCutBypass");
    ChooseSlope("rzcHighCutSlop", kLk48);
    Get<TAdvTrackBar>("isHighCutFreq").SetPosition(200);
    f_.Tick();
    f_.ClearSent();
    Toggle(bypass);
    ASSERT_TRUE(bypass.Down());
    const auto sent = Sent(CommandCode::CM_MCS_LOW_PASS);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].data[3], 0);
    const FilterCurve& total = PlotOf().Curve(kLowPass);
    EXPECT_TRUE(
        std::all_of(total.Points.begin(), total.Points.end(), [](double p) { return p == 0.0; }));
    EXPECT_FLOAT_EQ(static_cast<float>(total.FreqHz), static_cast<float>(FreqIndexToHz(200)));
    auto& view = Get<LMyFFTDrawPhase>("fftDraw");
    EXPECT_EQ(view.GetBlockPos(kLowPass).Y, static_cast<int>(view.ScreenY(0.0)));
    EXPECT_EQ(view.GetBlockPos(kLowPass).X,
              static_cast<int>(view.ScreenX(GridPosition(total.FreqHz))));
}

TEST_F(CrossoverEditing, ButterworthAndBesselOfTheFirstOrderAreOneSection) {
    ChooseSlope("rzcLowCutSlop", kBw6);
    const TPoints butterworth = PlotOf().Curve(kHighPass).Points;
    ChooseSlope("rzcLowCutSlop", kBl6);
    EXPECT_EQ(PlotOf().Curve(kHighPass).Points, butterworth);
    const double hz = PlotOf().Curve(kHighPass).FreqHz;
    EXPECT_EQ(butterworth, Section(hz, fkHighPassProto1, 1.0f).Points);
}

TEST_F(CrossoverEditing, ALinkwitzRileyDesignTakesNoPartOfTheSectionsLeftBeforeIt) {
    ChooseSlope("rzcHighCutSlop", kBw48);
    // Butterworth of order 8 wrote four second-order sections.
    EXPECT_NE(PlotOf().Curve(Plot::FirstSectionSlot + 3).Kind, fkFlat);
    ChooseSlope("rzcLowCutSlop", kLk24);
    const double hz = PlotOf().Curve(kHighPass).FreqHz;
    const FilterCurve twice = Section(hz, fkHighPassProto2, 1.4142f);
    EXPECT_EQ(PlotOf().Curve(kHighPass).Points, SumOf({twice, twice}));
    for (int s = 2; s < 5; ++s) EXPECT_EQ(PlotOf().Curve(Plot::FirstSectionSlot + s).Kind, fkFlat);
}

TEST_F(CrossoverEditing, FirstOrderAndBypassDesignsLeaveTheSharedSectionsAlone) {
    ChooseSlope("rzcHighCutSlop", kLk48);
    std::vector<TPoints> sections;
    for (int s = 0; s < 5; ++s)
        sections.push_back(PlotOf().Curve(Plot::FirstSectionSlot + s).Points);
    ChooseSlope("rzcLowCutSlop", kBw6);
    Toggle(Get<TRzBmpButton>("rzbLowCutBypass"));
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(PlotOf().Curve(Plot::FirstSectionSlot + s).Points, sections[s]) << s;
    }
}

TEST_F(CrossoverEditing, ASlopeChangedWhileAnImageIsShownIsDrawnButNotSent) {
    w_.ApplyingImage() = true;
    ChooseSlope("rzcLowCutSlop", kBw48);
    w_.ApplyingImage() = false;
    EXPECT_TRUE(w_.sent.empty());
    EXPECT_NE(PlotOf().Curve(Plot::FirstSectionSlot + 3).Kind, fkFlat);
}

// ---- dragging

class Dragging : public CrossoverEditing {
protected:
    LMyFFTDrawPhase& View(int ch = kOut1) { return Get<LMyFFTDrawPhase>("fftDraw", ch); }
    // Where marker slot k lies on the view.
    TPoint MarkerOf(int slot, int ch = kOut1) {
        LMyFFTDrawPhase& v = View(ch);
        const TPoint p = v.GetBlockPos(slot);
        return {p.X + v.GetPlotLeft(), p.Y + v.GetPlotTop()};
    }
    // The view row of a level (dB) and the view column of a frequency.
    int RowOf(double db, int ch = kOut1) {
        return static_cast<int>(View(ch).ScreenY(db)) + View(ch).GetPlotTop();
    }
    void Press(TPoint at, unsigned button = WM_LBUTTONDOWN, int ch = kOut1) {
        View(ch).Perform(
            MakeMouseMessage(button, button == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, at));
    }
    void Move(TPoint at, int ch = kOut1) {
        View(ch).Perform(MakeMouseMessage(WM_MOUSEMOVE, MK_LBUTTON, at));
    }
    void Release(TPoint at, int ch = kOut1) {
        View(ch).Perform(MakeMouseMessage(WM_LBUTTONUP, 0, at));
    }
    // Puts band b of Out1 at a frequency index and gain, as the user would type them.
    void SetBand(int band, int freqIndex, double gainDb) {
        auto& table = Get<TMyPEQAllpass>("peqPeq");
        table.SetNowIndex(band);
        table.SetEqParamValue(band, FreqIndexToHz(freqIndex), QValueToIndex(table.GetQValue(band)),
                              gainDb, table.GetTypeValue(band), false);
        f_.ClearSent();
    }
    TMyPEQAllpass& Table() { return Get<TMyPEQAllpass>("peqPeq"); }
};

TEST_F(Dragging, ABandFollowsTheCursorInTenthsOfADecibelOnTheFrequencyGrid) {
    const TPoint marker = MarkerOf(2);
    Press(marker);
    EXPECT_EQ(w_.SelectedBand(), 2);
    EXPECT_EQ(Table().GetNowIndex(), 2);
    EXPECT_TRUE(f_.Get<TRzBmpButton>("rzbEq3Out1").Down());
    const int row = RowOf(4.37);
    Move({marker.X + 40, row});
    const double gain = Table().GetGainValue(2);
    EXPECT_NEAR(gain, 4.3, 0.2);
    EXPECT_DOUBLE_EQ(gain * 10, std::round(gain * 10));
    const int index = FreqHzToIndex(Table().GetFreqValue(2));
    EXPECT_NEAR(Table().GetFreqValue(2), FreqIndexToHz(index), 1e-6 * FreqIndexToHz(index));
    // The band goes to the image and the send path at the move; its curve waits for the tick.
    const auto sent = f_.SentWithCode(CommandCode::CM_MCS_PEQ);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].data[1], 2);
    EXPECT_EQ(sent[0].data[2] | sent[0].data[3] << 8, GainDbToIndex(gain));
    EXPECT_EQ(w_.Model().GetPeqBand(kOut1, 2).Freq, index);
    EXPECT_NE(PlotOf().Curve(2).GainDb, gain);
    f_.Tick();
    EXPECT_DOUBLE_EQ(PlotOf().Curve(2).GainDb, gain);
    EXPECT_EQ(Get<TCurvyEdit>("cvdEqGain").Text(), EqGainText(GainDbToIndex(gain)));
    Release({marker.X + 40, row});
    EXPECT_EQ(w_.SelectedBand(), -1);
}

TEST_F(Dragging, ABandIsHeldWithinTheGridAndTwelveDecibels) {
    auto& v = View();
    struct TCase {
        const char* name;
        TPoint at;
        double gain;
        int freqIndex;
    };
    const int left = v.GetPlotLeft() - 30;
    const int right = v.GetPlotLeft() + v.GetPlotWidth() + 30;
    const int top = v.GetPlotTop() - 30;
    const int bottom = v.GetPlotTop() + v.GetPlotHeight() + 30;
    const TCase cases[] = {{"above +12 dB", {MarkerOf(4).X, top}, 12.0, -1},
                           {"below -12 dB", {MarkerOf(4).X, bottom}, -12.0, -1},
                           {"left of the grid", {left, RowOf(0.0)}, 0.0, 0},
                           {"right of the grid", {right, RowOf(0.0)}, 0.0, 300}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetBand(4, 150, 0.0);
        Press(MarkerOf(4));
        ASSERT_EQ(w_.SelectedBand(), 4);
        Move(c.at);
        Release(c.at);
        EXPECT_NEAR(Table().GetGainValue(4), c.gain, 1e-9);
        if (c.freqIndex >= 0) {
            EXPECT_EQ(w_.Model().GetPeqBand(kOut1, 4).Freq, c.freqIndex);
            EXPECT_EQ(FreqHzToIndex(Table().GetFreqValue(4)), c.freqIndex);
        }
    }
}

TEST_F(Dragging, ABandBelowZeroIsSetOneDecibelBelowTheCursor) {
    const int row = RowOf(-5.05);
    double gains[2] = {};
    for (int k = 0; k < 2; ++k) {
        SetBand(5, 180, k == 0 ? 0.0 : -3.0);
        Press(MarkerOf(5));
        ASSERT_EQ(w_.SelectedBand(), 5);
        Move({MarkerOf(5).X + 10 + k, row});
        Release({MarkerOf(5).X + 10 + k, row});
        gains[k] = Table().GetGainValue(5);
    }
    EXPECT_NEAR(gains[0], -5.0, 0.2);
    EXPECT_NEAR(gains[1], gains[0] - 1.0, 1e-9);
}

TEST_F(Dragging, ThePressReachesFivePixelsAcrossAndTwoDecibelsTruncated) {
    struct TCase {
        const char* name;
        double gain;   // of band 3 (slot 2)
        int dx;        // pixels right of the marker
        double level;  // the level under the press, dB
        bool reached;
    };
    const TCase cases[] = {
        {"four pixels across", 0.0, 4, 0.0, true},
        {"six pixels across", 0.0, 6, 0.0, false},
        // Above 0 dB the reach is the whole decibels from 1 dB above to 2 dB below the marker.
        {"+3 dB band, 0.8 dB higher", 3.0, 0, 3.8, true},
        {"+3 dB band, 1.3 dB higher", 3.0, 0, 4.3, false},
        {"+3 dB band, 1.7 dB lower", 3.0, 0, 1.3, true},
        {"+3 dB band, 2.4 dB lower", 3.0, 0, 0.6, false},
        // Below 0 dB it is shifted up by one decibel.
        {"-3 dB band, 1.6 dB higher", -3.0, 0, -1.4, true},
        {"-3 dB band, 2.4 dB higher", -3.0, 0, -0.6, false},
        {"-3 dB band, 0.9 dB lower", -3.0, 0, -3.9, true},
        {"-3 dB band, 1.3 dB lower", -3.0, 0, -4.3, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetBand(2, 120, c.gain);
        Press({MarkerOf(2).X + c.dx, RowOf(c.level)});
        EXPECT_EQ(w_.SelectedBand() == 2, c.reached);
        Release(MarkerOf(2));
    }
}

TEST_F(Dragging, TheLowestBandWithinReachEndsHeldAndAHandleWinsOverEveryBand) {
    SetBand(3, 150, 0.0);
    SetBand(1, 150, 0.0);
    Press(MarkerOf(1));
    EXPECT_EQ(w_.SelectedBand(), 1);
    EXPECT_EQ(Table().GetNowIndex(), 1);
    EXPECT_TRUE(f_.Get<TRzBmpButton>("rzbEq2Out1").Down());
    EXPECT_FALSE(f_.Get<TRzBmpButton>("rzbEq4Out1").Down());
    Release(MarkerOf(1));

    // The high-pass handle on band 2's marker, then the low-pass one too.
    Get<TAdvTrackBar>("isLowCutFreq").SetPosition(150);
    f_.Tick();
    Press(MarkerOf(1));
    EXPECT_EQ(w_.SelectedBand(), kHighPass);
    Release(MarkerOf(1));
    Get<TAdvTrackBar>("isHighCutFreq").SetPosition(150);
    f_.Tick();
    Press(MarkerOf(1));
    EXPECT_EQ(w_.SelectedBand(), kLowPass);
    Release(MarkerOf(1));
}

TEST_F(Dragging, TheRightButtonGrabsNothingAndEndsAHold) {
    w_.SelectedBand() = 4;
    Press(MarkerOf(4), WM_RBUTTONDOWN);
    EXPECT_EQ(w_.SelectedBand(), -1);
}

TEST_F(Dragging, AHandleDragTurnsItsBoxGreenAndTakesTheBandsSelection) {
    Get<TAdvTrackBar>("isLowCutFreq").SetPosition(100);
    f_.Tick();
    f_.ClearSent();
    const TPoint handle = MarkerOf(kHighPass);
    Press(handle);
    ASSERT_EQ(w_.SelectedBand(), kHighPass);
    const int band = Table().GetNowIndex();
    Move({handle.X + 60, handle.Y + 30});
    auto& box = Get<TCurvyEdit>("cvdLowCutFreq");
    EXPECT_EQ(box.Font()->Color(), static_cast<TColor>(0x008000));
    EXPECT_FALSE(f_.Get<TRzBmpButton>("rzbEq" + std::to_string(band + 1) + "Out1").Down());
    EXPECT_NE(Table().FrequencyBox(band)->Font()->Color(), TMyPEQAllpass::kHighlightColour);
    const int position = Get<TAdvTrackBar>("isLowCutFreq").Position();
    EXPECT_GT(position, 100);
    EXPECT_EQ(box.Text(), EqFrequencyText(FreqIndexToHz(position)));
    EXPECT_EQ(w_.Model().GetCrossover(kOut1).HighPassFreq, position);
    EXPECT_FALSE(f_.SentWithCode(CommandCode::CM_MCS_HIGH_PASS).empty());
    f_.Tick();
    EXPECT_FLOAT_EQ(static_cast<float>(PlotOf().Curve(kHighPass).FreqHz),
                    static_cast<float>(FreqIndexToHz(position)));
    Release({handle.X + 60, handle.Y + 30});
    EXPECT_EQ(box.Font()->Color(), clBlack);
    EXPECT_EQ(Get<TCurvyEdit>("cvdHighCutFreq").Font()->Color(), clBlack);
}

TEST_F(Dragging, TheHoverCrossReachesAboutThreePixelsAt96PixelsPerInch) {
    ASSERT_EQ(Screen->PixelsPerInch(), 96);
    auto& v = View();
    const TPoint marker = MarkerOf(6);
    Move({marker.X + 2, marker.Y});
    EXPECT_EQ(v.Cursor(), crCross);
    Move({marker.X + 4, marker.Y});
    EXPECT_EQ(v.Cursor(), crDefault);
    // A press still reaches four pixels.
    Press({marker.X + 4, marker.Y});
    EXPECT_EQ(w_.SelectedBand(), 6);
}

TEST_F(Dragging, ARepeatedPositionIsIgnoredFromAnyView) {
    const TPoint marker = MarkerOf(6);
    Move({marker.X + 2, marker.Y});
    ASSERT_EQ(View().Cursor(), crCross);
    // Out2's marker lies at the same place; the same position reported by its view is dropped.
    constexpr int kOut2 = 4;
    ASSERT_EQ(MarkerOf(6, kOut2).X, marker.X);
    Move({marker.X + 2, marker.Y}, kOut2);
    EXPECT_EQ(View(kOut2).Cursor(), crDefault);
    Move({marker.X + 1, marker.Y}, kOut2);
    EXPECT_EQ(View(kOut2).Cursor(), crCross);
}

TEST_F(Dragging, NothingIsReachedOnTheOverviews) {
    auto& overview = f_.Get<LMyFFTDrawPhase>("fftDrawGainOut");
    const TPoint p{overview.GetPlotLeft() + 20,
                   overview.GetPlotTop() + overview.GetPlotHeight() / 2};
    for (int x = p.X; x < p.X + overview.GetPlotWidth(); x += 3) {
        overview.Perform(MakeMouseMessage(WM_MOUSEMOVE, 0, {x, p.Y}));
        ASSERT_EQ(overview.Cursor(), crDefault);
        overview.Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, {x, p.Y}));
        ASSERT_EQ(w_.SelectedBand(), -1);
        overview.Perform(MakeMouseMessage(WM_LBUTTONUP, 0, {x, p.Y}));
    }
    EXPECT_TRUE(w_.sent.empty());
}

}  // namespace
}  // namespace dsp
