// Showing a parameter image: what each control was set to and in which order, the text rules of
// gains, frequencies, dynamics and delays, the transfer plot that follows InA, and the applying
// flag (set while the controls change, cleared on every way out).

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Label.h"
#include "framework/controls/UpDown.h"
#include "framework/graphics/Bitmap.h"
#include "model/Lunitcontrol.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iXYPlot.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {
namespace {

class MainWindowImage : public ::testing::Test {
protected:
    test::TTestMainWindow& Window() { return fixture_.Window(); }
    LUnitControl& Image() { return Window().UnitControl(); }
    std::string TextOf(const std::string& name) {
        auto* box = Window().Control<TCurvyEdit>(name);
        return box == nullptr ? "<missing " + name + ">" : box->Text();
    }
    std::string CaptionOf(const std::string& name) {
        auto* control = Window().Control<TControl>(name);
        return control == nullptr ? "<missing " + name + ">" : control->Caption();
    }
    bool Down(const std::string& name) { return Window().Control<TRzBmpButton>(name)->Down(); }

    // Records every fader change with the applying flag as it stood.
    void RecordFaders() {
        for (int i = 0; i < Window().ComponentCount(); ++i) {
            if (auto* fader = dynamic_cast<TAdvTrackBar*>(Window().Components(i))) {
                fader->OnChange = [this, fader](TObject*) {
                    changes_.push_back(fader->Name() + (Window().IsApplyingImage() ? " 1" : " 0"));
                };
            }
        }
    }

    test::TMainWindowFixture fixture_;
    std::vector<std::string> changes_;
};

TEST_F(MainWindowImage, EveryControlShowsItsValueInItsText) {
    Image().SetGain(0, 79);   // -201
    Image().SetGain(4, 0);    // -280
    Image().SetGain(5, 400);  // 120
    Image().SetGain(6, 280);  // 0
    CrossoverParams x = Image().GetCrossover(1);
    x.HighPassFreq = 170;
    x.HighPassSlope = 5;
    x.LowPassSlope = 20;
    Image().SetHighPass(1, x);
    Image().SetLowPass(1, x);
    CompressorParams comp = Image().GetCompressor(3);
    comp.Ratio = 15;
    comp.Attack = 49;
    comp.Knee = 3;
    comp.Threshold = 0;
    Image().SetCompressor(3, comp);
    GateParams gate = Image().GetGate(2);
    gate.Threshold = 0;
    gate.Attack = 0;
    gate.Hold = 998;
    Image().SetGate(2, gate);
    ChannelNameBytes name{};
    std::memcpy(name.data(), "Bass", 4);
    Image().SetChannelName(4, name);
    Image().SetRouting(3, 0x5);
    Image().SetMute(7, 1);
    Image().SetPolarity(0, 1);
    PeqBandParams band = Image().GetPeqBand(8, 2);
    band.Freq = 300;
    band.Gain = 60;
    Image().SetPeqBand(8, 2, band, 1);
    Window().SetPresetNumber(5);

    Window().ApplyUnitImage();

    EXPECT_EQ(CaptionOf("lbPstNum"), "U05");
    EXPECT_EQ(CaptionOf("lbPstName"), "Default Preset");
    // Gains: 0.1 dB steps down to -20 dB, 0.5 dB steps below, on both pages.
    EXPECT_EQ(TextOf("cvdGainInA"), "-20.5dB");
    EXPECT_EQ(TextOf("cvdGainBackupInA"), "-20.5dB");
    EXPECT_EQ(Window().Control<TAdvTrackBar>("isGainBackupInA")->Position(), -201);
    EXPECT_EQ(TextOf("cvdGainOut2"), "-60.0dB");
    EXPECT_EQ(TextOf("cvdGainOut3"), "+12.0dB");
    EXPECT_EQ(TextOf("cvdGainBackupOut4"), "+0.0dB");
    // Crossovers: the frequency text, the slope item, bypass by slope 0.
    EXPECT_EQ(TextOf("cvdLowCutFreqInB"), "1.00KHz");
    EXPECT_EQ(Window().Control<TRzComboBox>("rzcLowCutSlopInB")->ItemIndex(), 4);
    EXPECT_FALSE(Down("rzbLowCutBypassInB"));
    EXPECT_EQ(Window().Control<TRzComboBox>("rzcHighCutSlopInB")->ItemIndex(), 19);
    EXPECT_EQ(TextOf("cvdLowCutFreqInC"), "19.7Hz");
    EXPECT_TRUE(Down("rzbLowCutBypassInC"));
    // Dynamics.
    EXPECT_EQ(TextOf("cvdCompRatioOut1"), "Limit");
    EXPECT_EQ(TextOf("cvdCompRatioOut2"), "1:1.0");
    EXPECT_EQ(TextOf("cvdCompAttackOut1"), " 50ms");
    EXPECT_EQ(TextOf("cvdCompKneeOut1"), "3dB");
    EXPECT_EQ(Window().Control<TUpDown>("udCompKneeOut1")->Position(), 3);
    EXPECT_EQ(TextOf("cvdCompThresholdOut1"), "-90.0dB");
    EXPECT_EQ(TextOf("cvdGateThresholdInC"), "-90.0dB");
    EXPECT_EQ(TextOf("cvdGateAttackInC"), "1ms");
    EXPECT_EQ(TextOf("cvdGateHoldInC"), "999ms");
    // Names, routing, mute, polarity, a band.
    EXPECT_EQ(CaptionOf("lbMatrixChNameOut2"), "Bass");
    EXPECT_EQ(Window().Control<TControl>("rzbMenuOut2")->Hint(), "Bass");
    EXPECT_TRUE(Down("rzbAMatrixOut1"));
    EXPECT_FALSE(Down("rzbBMatrixOut1"));
    EXPECT_TRUE(Down("rzbCMatrixOut1"));
    EXPECT_TRUE(Down("rzbMuteOut5"));
    EXPECT_TRUE(Down("rzbMuteBackupOut5"));
    EXPECT_TRUE(Down("rzbPhaseInA"));
    EXPECT_TRUE(Down("rzbPhaseBackupInA"));
    EXPECT_EQ(CaptionOf("rzbPhaseInA"), "Inverse");
    EXPECT_EQ(CaptionOf("rzbPhaseBackupInB"), "Normal");
    auto* table = Window().Control<TMyPEQAllpass>("peqPeqOut6");
    EXPECT_NEAR(table->GetFreqValue(2), 20158.7, 1.0);
    EXPECT_DOUBLE_EQ(table->GetGainValue(2), -6.0);
    EXPECT_TRUE(table->GetBypassValue(2));
    EXPECT_FALSE(table->GetBypassValue(1));
}

TEST_F(MainWindowImage, ControlsChangeUnderTheFlagAndTheCurvesComeAfter) {
    Image().SetGain(2, 100);
    Image().SetDelay(5, 4800);
    Image().SetDelayUnit(2);
    RecordFaders();
    bool unitClicked = false;
    bool unitClickedUnderFlag = false;
    auto* feet = Window().Control<TRzBmpButton>("rzbUnit2");
    feet->OnClick = [&](TObject*) {
        unitClicked = true;
        unitClickedUnderFlag = Window().IsApplyingImage() && feet->Down();
    };
    Window().hooks.clear();

    Window().ApplyUnitImage();

    EXPECT_FALSE(Window().IsApplyingImage());
    ASSERT_FALSE(changes_.empty());
    for (const std::string& change : changes_) EXPECT_EQ(change.back(), '1') << change;
    EXPECT_TRUE(unitClicked);
    EXPECT_TRUE(unitClickedUnderFlag);
    EXPECT_TRUE(Down("rzbUnit2"));
    EXPECT_FALSE(Down("rzbUnit0"));
    // The band selection is cleared before the flag is set; every channel's curves are marked
    // while it stands.
    ASSERT_GE(Window().hooks.size(), 10u);
    EXPECT_EQ(Window().hooks.front(), "ClearBandSelection 0");
    for (int ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(Window().hooks[static_cast<std::size_t>(ch) + 1],
                  "MarkCurveDirty " + std::to_string(ch) + " 1");
    }
    // The marker on its 475-pixel line: 4800 * 385 / 65280 + 40.
    EXPECT_EQ(Window().Control<TControl>("imDelayOut3")->Left(), 68);
}

TEST_F(MainWindowImage, TheGatePlotFollowsInAOnceTheWindowIsUp) {
    auto* plot = Window().Control<TiXYPlot>("ipGate");
    ASSERT_NE(plot, nullptr);
    // At start: the first points, not redrawn from InA.
    EXPECT_DOUBLE_EQ(plot->GetChannel(0)->GetDataX(1), -90);
    GateParams gate = Image().GetGate(0);
    gate.Threshold = 100;  // -40 dB
    Image().SetGate(0, gate);
    Window().SetGateChannel(2);
    Window().Control<TControl>("lbGateName")->SetCaption("In C  Gate");

    Window().ApplyUnitImage();

    TiXYPlotChannel* curve = plot->GetChannel(0);
    ASSERT_EQ(curve->GetCount(), 3);
    const double expected[][2] = {{20, 20}, {-40, -40}, {-40, -100}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(curve->GetDataX(i), expected[i][0]) << i;
        EXPECT_DOUBLE_EQ(curve->GetDataY(i), expected[i][1]) << i;
    }
    TiXYPlotChannel* marker = plot->GetChannel(1);
    ASSERT_EQ(marker->GetCount(), 1);
    EXPECT_DOUBLE_EQ(marker->GetDataX(0), -39.8);
    EXPECT_DOUBLE_EQ(marker->GetDataY(0), -40.4);
    EXPECT_EQ(CaptionOf("lbGateName"), "In A  Gate");
}

TEST_F(MainWindowImage, ABypassedEqShowsItsCaptionOnTheView) {
    auto bypassCaptionPixels = [&](const char* name) {
        auto* view = Window().Control<LMyFFTDrawPhase>(name);
        view->UpdateCurvePage();
        const TBitmap& page = view->ShownPlotPage();
        const TColorRef face = ResolveColor(clBtnFace);
        int count = 0;
        for (int y = 0; y < page.Height(); ++y) {
            for (int x = 0; x < page.Width(); ++x) count += page.PixelAt(x, y) == face ? 1 : 0;
        }
        return count;
    };
    Image().SetEqBypassMask(5, 0x4);
    Window().ApplyUnitImage();
    EXPECT_GT(bypassCaptionPixels("fftDrawOut3"), 300);
    EXPECT_EQ(bypassCaptionPixels("fftDrawOut4"), 0);
    Image().SetEqBypassMask(5, 0);
    Window().ApplyUnitImage();
    EXPECT_EQ(bypassCaptionPixels("fftDrawOut3"), 0);
}

TEST_F(MainWindowImage, AMissingControlEndsTheShowingWithTheFlagCleared) {
    Image().SetGain(7, 0);
    delete Window().Control<TCurvyEdit>("cvdGainBackupOut4");
    Window().ApplyUnitImage();
    EXPECT_FALSE(Window().IsApplyingImage());
    // Out4's strip ended the showing: Out5 keeps what it showed.
    EXPECT_EQ(TextOf("cvdGainOut5"), "+0.0dB");
}

}  // namespace
}  // namespace dsp
