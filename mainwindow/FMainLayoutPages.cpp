// The fourteen pages of the main window: a graph panel (rzgFft + page name) over a parameter
// panel (rzgParam + page name) each. The nine channel pages are made by one routine; the
// function pages (Gain, Gate, Comp, Delay, Matrix) line up one strip per channel, each strip
// made by its kind's routine. Positions are in the panel's coordinates; where the resize rules
// move or stretch a control, its place here is the rule's value at the design size.

#include <array>
#include <span>
#include <string>

#include "components/LMyFFTDrawPhase.h"
#include "components/LProgressBar.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Button.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Shape.h"
#include "framework/controls/UpDown.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLayoutKit.h"
#include "mainwindow/SharedConstants.h"
#include "plot/engine/iXYPlot.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/panels/VrButtons.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

using namespace mainlayout;

namespace {

// Both panels of every page.
constexpr int kGraphTop = 4;
constexpr int kGraphWidth = 1112;
constexpr int kGraphHeight = 284;
constexpr int kParamLeft = 20;
constexpr int kParamTop = 292;
constexpr int kParamWidth = 1070;
constexpr int kParamHeight = 286;
// Faders and their boxes.
constexpr int kFaderHeight = 126;

// A channel's curve colour (lamp captions, stage blocks).
TColor ChannelColour(int ch) {
    return static_cast<TColor>(ChannelColours[static_cast<size_t>(ch)]);
}

TRzGroupBox* GraphPanel(TFormBuilder& build, TWinControl* area, int page) {
    TRzGroupBox* panel = Area(build, "rzgFft" + TfmMain::PageName(page), area, 0, kGraphTop,
                              kGraphWidth, kGraphHeight);
    panel->SetVisible(page == TfmMain::kPageGain);
    return panel;
}

TRzGroupBox* ParamPanel(TFormBuilder& build, TWinControl* area, int page) {
    TRzGroupBox* panel = Area(build, "rzgParam" + TfmMain::PageName(page), area, kParamLeft,
                              kParamTop, kParamWidth, kParamHeight);
    panel->SetVisible(false);
    return panel;
}

// A black row of lamps (the overlay and overview buttons).
TRzGroupBox* LampRow(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                     int width) {
    TRzGroupBox* row = Area(build, name, parent, left, 3, width, 22);
    row->SetTransparent(false);
    row->SetColor(clBlack);
    row->SetBorderOuter(fsFlat);
    row->SetFlatColor(static_cast<TColor>(RGB(70, 76, 88)));
    return row;
}

// A fader with its caption above and its value box below, centred in a column.
struct TFaderColumn {
    TAdvTrackBar* fader;
    TCurvyEdit* box;
};
TFaderColumn FaderColumn(TFormBuilder& build, TWinControl* parent, const std::string& label,
                         const std::string& caption, const std::string& fader,
                         const std::string& box, int left, int width, int top, int min, int max,
                         int page, int position, const std::string& text, bool readOnly,
                         int faderTag, int boxTag) {
    Label(build, label, parent, left, top, width, 16, caption, TTextLook::Text, taCenter);
    TFaderColumn column{};
    column.fader = Fader(build, fader, parent, left + (width - 26) / 2, top + 18, kFaderHeight, min,
                         max, page, faderTag);
    column.fader->SetPosition(position);
    column.box = ValueBox(build, box, parent, left, top + 18 + kFaderHeight + 4, width, text,
                          readOnly, boxTag);
    return column;
}

}  // namespace

// ---- a channel page

void TfmMain::BuildChannelPage(TFormBuilder& build, TWinControl* area, int ch) {
    const std::string name = ChannelName(ch);
    const bool input = IsInput(ch);
    auto named = [ch](std::string_view stem) { return StripName(stem, ch); };

    // The graph panel: the channel's name, the view switches, the key hint, the overlay lamps,
    // the three curve buttons and the response view.
    TRzGroupBox* graph = GraphPanel(build, area, ch);
    Label(build, named("lbFftChannel"), graph, 12, 5, 48, 20, name, TTextLook::Channel);
    // The view switches on a black bezel of their own.
    TPanel* switches = Bezel(build, named("plShowMode"), graph, 62, 3, 118, 22);
    TRadioButton* mag = Switch(build, named("rbShowGain"), switches, 4, 2, 50, "Mag", clYellow, ch);
    mag->SetChecked(true);
    Switch(build, named("rbShowPhase"), switches, 56, 2, 58, "Phase", clSilver, ch);
    Label(build, named("lbFftParam"), graph, 184, 5, 270, 20,
          "Frequency  ( \u2190 / \u2192 )      Q(\uFF0B/\uFF0D)     Gain (  \u2191 / \u2193  )",
          TTextLook::Key);
    const int lampWidth = input ? 84 : 51;
    TRzGroupBox* lamps =
        LampRow(build, StripName("rzgFftShowCh", ch), graph, input ? 500 : 460, input ? 176 : 260);
    int slot = 0;
    for (int c = SideBegin(ch); c < SideEnd(ch); ++c) {
        if (c == ch) continue;
        const std::string lamp = std::string("vrbShow") + ChannelChar(c) + name;
        TVrPowerButton* button =
            Lamp(build, lamp, lamps, 4 + slot * (lampWidth + 1), 2, lampWidth - 2, 16,
                 ChannelName(c), ChannelColour(c), false, c);
        switch (ch) {
            case 0: build.Handle(button->OnClick, this, &TfmMain::vrbShowBInAClick); break;
            case 1: build.Handle(button->OnClick, this, &TfmMain::vrbShowAInBClick); break;
            case 2: build.Handle(button->OnClick, this, &TfmMain::vrbShowAInCClick); break;
            case 3: build.Handle(button->OnClick, this, &TfmMain::vrbShow2Out1Click); break;
            case 4: build.Handle(button->OnClick, this, &TfmMain::vrbShow1Out2Click); break;
            case 5: build.Handle(button->OnClick, this, &TfmMain::vrbShow1Out3Click); break;
            case 6: build.Handle(button->OnClick, this, &TfmMain::vrbShow1Out4Click); break;
            case 7: build.Handle(button->OnClick, this, &TfmMain::vrbShow1Out5Click); break;
            default: build.Handle(button->OnClick, this, &TfmMain::vrbShow1Out6Click); break;
        }
        ++slot;
    }
    TVrDemoButton* bypass =
        PushButton(build, named("vrbEqBypass"), graph, 776, 4, 76, 20, "EQ Bypass", ch);
    TVrDemoButton* reset =
        PushButton(build, named("vrbEqReset"), graph, 857, 4, 72, 20, "EQ Reset", ch);
    TVrPowerButton* showAll = Lamp(build, named("vrbEqShowAll"), graph, 934, 4, 146, 20,
                                   "SHOW ALL EQ", clWhite, false, ch);
    showAll->SetBevelWidth(1);
    LMyFFTDrawPhase* view = ResponseView(build, named("fftDraw"), graph, 10, 28, 1070, ch);

    build.Handle(mag->OnClick, this, &TfmMain::rbShowGainInAClick);
    build.Handle(Need<TRadioButton>("rbShowPhase", ch).OnClick, this,
                 &TfmMain::rbShowPhaseInAClick);
    build.Handle(bypass->OnClick, this, &TfmMain::vrbEqBypassInAClick);
    build.Handle(reset->OnClick, this, &TfmMain::vrbEqResetInAClick);
    build.Handle(showAll->OnClick, this, &TfmMain::vrbEqShowAllInAClick);
    build.Handle(view->OnMouseDown, this, &TfmMain::fftDrawInAMouseDown);
    build.Handle(view->OnMouseMove, this, &TfmMain::fftDrawInAMouseMove);
    build.Handle(view->OnMouseUp, this, &TfmMain::fftDrawInAMouseUp);

    // The parameter panel: gain column, EQ band faders, crossovers, band table.
    TRzGroupBox* param = ParamPanel(build, area, ch);
    Label(build, named("lbGainName"), param, 2, 2, 84, 18, name, TTextLook::Channel);
    Label(build, named("lbGain"), param, 0, 22, 62, 16, "Gain", TTextLook::Text, taCenter);
    TAdvTrackBar* gain =
        Fader(build, named("isGain"), param, 18, 40, kFaderHeight, -280, 120, 6, ch);
    gain->SetPosition(0);
    if (input) {
        Meter(build, named("pbLevel"), param, 70, 22, 199, TMeterKind::Input);
    } else {
        Meter(build, named("pbLimit"), param, 70, 22, 22, TMeterKind::Limit);
        Meter(build, named("pbLevel"), param, 70, 46, 179, TMeterKind::Output);
    }
    ValueBox(build, named("cvdGain"), param, 0, 172, 62, "+0.0dB", true, 0);
    TRzBmpButton* mute = Button(build, named("rzbMute"), param, 3, 204, 56, 22, "Mute",
                                "BTN_MUTE_STATE", 21, true, ch);
    TRzBmpButton* phase = Button(build, named("rzbPhase"), param, 3, 232, 56, 22, "Normal",
                                 "BTN_PHASE_STATE", 22, true, ch);
    build.Handle(gain->OnChange, this, &TfmMain::isGainInAChange);
    build.Handle(mute->OnClick, this, &TfmMain::rzbMuteInAClick);
    build.Handle(phase->OnClick, this, &TfmMain::rzbPhaseInAClick);

    // EQ bands: the band buttons, then frequency, Q and gain.
    constexpr int kEqLeft = 96;
    Label(build, named("lbEqParam"), param, kEqLeft, 2, 240, 18, "PEQ Parameter",
          TTextLook::Heading);
    const int bands = input ? 8 : 9;
    for (int b = 0; b < bands; ++b) {
        TRzBmpButton* band =
            Button(build, "rzbEq" + std::to_string(b + 1) + name, param, kEqLeft + b * 27, 22, 24,
                   20, std::to_string(b + 1), "BTN_BAND", ch + 1, true, b);
        build.Handle(band->OnClick, this, &TfmMain::rzbEq1InAClick);
    }
    struct TEqFader {
        const char* stem;
        const char* caption;
        int max;
        int position;
        const char* text;
        void (TfmMain::*handler)(TObject*);
    };
    const TEqFader eqFaders[] = {
        {"Freq", "Freq", 300, 0, "19.7Hz", &TfmMain::isEqFreqInAChange},
        {"Bw", "Q", 100, 0, "0.4", &TfmMain::isEqBwInAChange},
        {"Gain", "Gain", 240, 120, "+0.0dB", &TfmMain::isEqGainInAChange},
    };
    for (int i = 0; i < 3; ++i) {
        const TEqFader& f = eqFaders[i];
        const std::string stem = f.stem;
        const TFaderColumn column =
            FaderColumn(build, param, named("lbEq" + stem), f.caption, named("isEq" + stem),
                        named("cvdEq" + stem), kEqLeft + i * 80, 64, 48, 0, f.max, 6, f.position,
                        f.text, true, ch, i == 0 ? ch : 0);
        build.Handle(column.fader->OnChange, this, f.handler);
        if (i == 0) {
            build.Handle(column.box->OnKeyDown, this, &TfmMain::cvdEqFreqInAKeyDown);
            build.Handle(column.box->OnExit, this, &TfmMain::cvdEqFreqInAExit);
        }
    }

    // Crossovers: high-pass ("LowCut") and low-pass ("HighCut").
    struct TCrossover {
        const char* stem;
        const char* caption;
        int left;
        int position;
        const char* text;
    };
    const TCrossover crossovers[] = {{"LowCut", "HighPass", 352, 0, "19.7Hz"},
                                     {"HighCut", "LowPass", 442, 300, "20.16KHz"}};
    for (const TCrossover& x : crossovers) {
        const std::string stem = x.stem;
        Label(build, named("lb" + stem + "Freq"), param, x.left, 2, 82, 18, x.caption,
              TTextLook::Heading, taCenter);
        TAdvTrackBar* fader = Fader(build, named("is" + stem + "Freq"), param, x.left + 28, 22,
                                    kFaderHeight, 0, 300, 6, ch);
        fader->SetPosition(x.position);
        ValueBox(build, named("cvd" + stem + "Freq"), param, x.left, 152, 82, x.text, true, 0);
        Label(build, named("lb" + stem + "Slop"), param, x.left, 180, 82, 16, "Slope",
              TTextLook::Text, taCenter);
        TRzComboBox* slope =
            SlopeBox(build, named("rzc" + stem + "Slop"), param, x.left, 198, 82, ch);
        TRzBmpButton* off =
            Button(build, named("rzb" + stem + "Bypass"), param, x.left, 232, 82, 22, "Bypass",
                   "BTN_BYPASS_STATE", x.left == 352 ? 23 : 24, true, ch);
        if (x.left == 352) {
            build.Handle(fader->OnChange, this, &TfmMain::isLowCutFreqInAChange);
            build.Handle(slope->OnChange, this, &TfmMain::rzcLowCutSlopInAChange);
            build.Handle(slope->OnMouseWheel, this, &TfmMain::rzcLowCutSlopInAMouseWheel);
            build.Handle(off->OnClick, this, &TfmMain::rzbLowCutBypassInAClick);
        } else {
            build.Handle(fader->OnChange, this, &TfmMain::isHighCutFreqInAChange);
            build.Handle(slope->OnChange, this, &TfmMain::rzcHighCutSlopInAChange);
            build.Handle(slope->OnMouseWheel, this, &TfmMain::rzcHighCutSlopInAMouseWheel);
            build.Handle(off->OnClick, this, &TfmMain::rzbHighCutBypassInAClick);
        }
    }

    // The band table in its frame, under its column heading.
    auto* frame = build.Add<TRzPanel>(named("rzpPeq"), param, 530, 0, 540, kParamHeight);
    frame->SetBorderOuter(fsLowered);
    frame->SetColor(static_cast<TColor>(RGB(30, 34, 41)));
    frame->SetCaption("");
    Label(build, named("lbEq"), frame, 2, 1, 536, 14,
          " PEQ       Frequency              Q                    Gain                 Type"
          "                Bypass",
          TTextLook::Key);
    auto* table = build.Add<TMyPEQAllpass>(named("peqPeq"), frame, 2, 15, 536, 270);
    table->SetTag(ch);
    table->SetUpdownVisable(false);
    table->SetTitleVisable(false);
    table->SetTopBottomSpace(15);
    table->SetChannelNumber(bands);
    table->SetLabelColor(clBackground);
    table->SetEditBackColor(clWhite);
    table->SetBypassBackColor(clSilver);
    build.Handle(table->OnChange, this, &TfmMain::peqPeqInAChange);
    build.Handle(table->OnEditMouseDown, this, &TfmMain::peqPeqInAEditMouseDown);
    build.Handle(table->OnPeqTypeMouseWheel, this, &TfmMain::peqPeqInAPeqTypeMouseWheel);
}

// ---- the Gain page

void TfmMain::BuildGainStrip(TFormBuilder& build, TWinControl* panel, int ch, int left) {
    auto named = [ch](std::string_view stem) { return StripName(stem, ch); };
    Label(build, named("lbGainTitle"), panel, left, 22, 100, 18, ChannelName(ch),
          TTextLook::Channel, taCenter);
    TAdvTrackBar* fader =
        Fader(build, named("isGainBackup"), panel, left + 22, 44, kFaderHeight, -280, 120, 6, ch);
    fader->SetPosition(0);
    if (IsInput(ch)) {
        Meter(build, named("pbLevelBackup"), panel, left + 62, 48, 122, TMeterKind::Input);
    } else {
        Meter(build, named("pbLimitBackup"), panel, left + 62, 44, 11, TMeterKind::Limit);
        Meter(build, named("pbLevelBackup"), panel, left + 62, 60, 110, TMeterKind::Output);
    }
    ValueBox(build, named("cvdGainBackup"), panel, left + 4, 176, 62, "+0.0dB", true, 0);
    TRzBmpButton* mute = Button(build, named("rzbMuteBackup"), panel, left + 7, 206, 56, 22, "Mute",
                                "BTN_MUTE_STATE", 21 + 2 * ch, true, ch);
    TRzBmpButton* phase = Button(build, named("rzbPhaseBackup"), panel, left + 7, 232, 56, 22,
                                 "Normal", "BTN_PHASE_STATE", 22 + 2 * ch, true, ch);
    build.Handle(fader->OnChange, this, &TfmMain::isGainBackupInAChange);
    build.Handle(mute->OnClick, this, &TfmMain::rzbMuteBackupInAClick);
    build.Handle(phase->OnClick, this, &TfmMain::rzbPhaseBackupInAClick);
}

void TfmMain::BuildGainPage(TFormBuilder& build, TWinControl* area) {
    TRzGroupBox* graph = GraphPanel(build, area, kPageGain);
    Label(build, "lbFftGainIn", graph, 14, 5, 200, 20, "Input", TTextLook::Heading);
    TRzGroupBox* inLamps = LampRow(build, "rzgFftShowChIn", graph, 260, 264);
    for (int ch = 0; ch < kInputCount; ++ch) {
        TVrPowerButton* lamp =
            Lamp(build, std::string("vrbShow") + ChannelChar(ch) + "Gain", inLamps, 4 + ch * 86, 2,
                 82, 16, ChannelName(ch), ChannelColour(ch), ch == 0, ch);
        build.Handle(lamp->OnClick, this, &TfmMain::vrbShowAGainClick);
    }
    Label(build, "lbFftGainOut", graph, 600, 5, 110, 20, "Output", TTextLook::Heading);
    TRzGroupBox* outLamps = LampRow(build, "rzgFftShowChOut", graph, 720, 360);
    for (int ch = kInputCount; ch < kChannelCount; ++ch) {
        TVrPowerButton* lamp =
            Lamp(build, std::string("vrbShow") + ChannelChar(ch) + "Gain", outLamps,
                 4 + (ch - 3) * 59, 2, 55, 16, ChannelName(ch), ChannelColour(ch), ch == 3, ch);
        build.Handle(lamp->OnClick, this, &TfmMain::vrbShow1GainClick);
    }
    for (int overview = 0; overview < 2; ++overview) {
        LMyFFTDrawPhase* view =
            ResponseView(build, overview == 0 ? "fftDrawGainIn" : "fftDrawGainOut", graph,
                         overview == 0 ? 10 : 550, 28, 530, 9 + overview);
        build.Handle(view->OnMouseDown, this, &TfmMain::fftDrawInAMouseDown);
        build.Handle(view->OnMouseMove, this, &TfmMain::fftDrawInAMouseMove);
        build.Handle(view->OnMouseUp, this, &TfmMain::fftDrawInAMouseUp);
    }

    // Nine strips: the inputs, a gap, the outputs; centred.
    TRzGroupBox* param = ParamPanel(build, area, kPageGain);
    constexpr int kStrip = 100;
    constexpr int kFirst = (kParamWidth - (kChannelCount * kStrip + 40)) / 2;
    Label(build, "lbGainInput", param, kFirst, 2, 3 * kStrip, 18, "Input", TTextLook::Heading,
          taCenter);
    Label(build, "lbGainOutput", param, kFirst + 3 * kStrip + 40, 2, 6 * kStrip, 18, "Output",
          TTextLook::Heading, taCenter);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        BuildGainStrip(build, param, ch, kFirst + ch * kStrip + (IsInput(ch) ? 0 : 40));
    }
}

// ---- meter groups of the Gate and Comp pages

void TfmMain::BuildMeterGroup(TFormBuilder& build, TWinControl* graph, bool compressor, int index,
                              int left, int top) {
    // index -1: the page's own group (it mirrors the channel the page shows); else the
    // channel's group, named with its character.
    const std::string suffix = index < 0 ? std::string() : std::string(1, ChannelChar(index));
    const std::string side = compressor ? "CompOut" : "GateIn";
    auto* group =
        Bezel(build, "plLevel" + side + suffix, graph, left, top, compressor ? 60 : 50, 247);
    Label(build, "lbHead" + side + suffix, group, 1, 3, (compressor ? 60 : 50) - 2, 14,
          index < 0 ? (compressor ? "Out1" : "In A") : ChannelName(index), TTextLook::Heading,
          taCenter);
    struct TScale {
        const char* stem;
        const char* text;
    };
    if (compressor) {
        const bool page = index < 0;
        Meter(build, "pbLimit" + side + suffix, group, 6, page ? 20 : 33, 22, TMeterKind::Limit);
        Meter(build, "pbLevel" + side + suffix, group, 6, page ? 43 : 55, 185,
              TMeterKind::CompLevel);
        static constexpr TScale kScale[] = {
            {"lbLimit", "Limit"}, {"lbClip", "Clip"}, {"lb12", "12"},
            {"lb5", "5"},         {"lb0", "0"},       {"lbN5", "-5"},
            {"lbN15", "-15"},     {"lbN30", "-30"},   {"lbN60", "-60"}};
        static constexpr int kPageBases[] = {22, 45, 68, 91, 115, 138, 161, 184, 208};
        static constexpr int kChannelBases[] = {35, 58, 81, 105, 128, 151, 175, 198, 222};
        for (int k = 0; k < 9; ++k) {
            Label(build, kScale[k].stem + side + suffix, group, 24,
                  (page ? kPageBases : kChannelBases)[k], 32, 12, kScale[k].text, TTextLook::Scale);
        }
    } else {
        Meter(build, "pbLevel" + side + suffix, group, 6, 32, 208, TMeterKind::GateLevel);
        static constexpr TScale kScale[] = {{"lbClip", "Clip"}, {"lb12", "12"},   {"lb5", "5"},
                                            {"lb0", "0"},       {"lbN5", "-5"},   {"lbN15", "-15"},
                                            {"lbN20", "-20"},   {"lbN30", "-30"}, {"lbN60", "-60"}};
        static constexpr int kBases[] = {36, 59, 82, 105, 129, 152, 175, 198, 222};
        for (int k = 0; k < 9; ++k) {
            Label(build, kScale[k].stem + side + suffix, group, 24, kBases[k], 24, 12,
                  kScale[k].text, TTextLook::Scale);
        }
    }
}

// ---- the Gate page

void TfmMain::BuildGateStrip(TFormBuilder& build, TWinControl* panel, int ch, int left) {
    auto named = [ch](std::string_view stem) { return StripName(stem, ch); };
    TLabel* title = Label(build, named("lbGate"), panel, left, 2, 300, 18, ChannelName(ch),
                          TTextLook::Channel, taCenter);
    title->SetTag(ch);
    struct TColumn {
        const char* stem;
        const char* caption;
        int min;
        int max;
        const char* text;
        void (TfmMain::*change)(TObject*);
        void (TfmMain::*mouseDown)(TObject*, TMouseButton, TShiftState, int, int);
        void (TfmMain::*keyDown)(TObject*, TKeyCode&, TShiftState);
        void (TfmMain::*exit)(TObject*);
    };
    const TColumn columns[] = {
        {"Threshold", "Threshold", -180, 0, "-90.0dB", &TfmMain::isGateThresholdInAChange,
         &TfmMain::cvdGateThresholdInAMouseDown, &TfmMain::cvdGateThresholdInAKeyDown,
         &TfmMain::cvdGateThresholdInAExit},
        {"Attack", "Attack", 0, 998, "1ms", &TfmMain::isGateAttackInAChange,
         &TfmMain::cvdGateAttackInAMouseDown, &TfmMain::cvdGateAttackInAKeyDown,
         &TfmMain::cvdGateAttackInAExit},
        {"Release", "Release", 9, 2999, "10ms", &TfmMain::isGateReleaseInAChange,
         &TfmMain::cvdGateReleaseInAMouseDown, &TfmMain::cvdGateReleaseInAKeyDown,
         &TfmMain::cvdGateReleaseInAExit},
        {"Hold", "Hold", 9, 998, "10ms", &TfmMain::isGateHoldInAChange,
         &TfmMain::cvdGateThresholdInAMouseDown, &TfmMain::cvdGateHoldInAKeyDown,
         &TfmMain::cvdGateHoldInAExit},
    };
    for (int k = 0; k < 4; ++k) {
        const TColumn& c = columns[k];
        const std::string stem = c.stem;
        const TFaderColumn column =
            FaderColumn(build, panel, named("lbGate" + stem), c.caption, named("isGate" + stem),
                        named("cvdGate" + stem), left + 10 + k * 72, 64, 26, c.min, c.max, 6, c.min,
                        c.text, false, ch, ch);
        build.Handle(column.fader->OnChange, this, c.change);
        build.Handle(column.box->OnMouseDown, this, c.mouseDown);
        build.Handle(column.box->OnKeyDown, this, c.keyDown);
        build.Handle(column.box->OnExit, this, c.exit);
    }
    build.Handle(title->OnMouseDown, this, &TfmMain::lbGateInAMouseDown);
}

void TfmMain::BuildGatePage(TFormBuilder& build, TWinControl* area) {
    TRzGroupBox* graph = GraphPanel(build, area, kPageGate);
    BuildMeterGroup(build, graph, false, -1, 10, 26);
    Label(build, "lbGateName", graph, 93, 6, 800, 20, "In A  Gate", TTextLook::Title, taCenter);
    ipGate = TransferPlot(build, "ipGate", graph, 66, 36, 855, 230);
    for (int ch = 0; ch < kInputCount; ++ch) {
        BuildMeterGroup(build, graph, false, ch, 926 + 53 * ch, 26);
    }
    TRzGroupBox* param = ParamPanel(build, area, kPageGate);
    constexpr int kStrip = 300;
    for (int ch = 0; ch < kInputCount; ++ch) {
        BuildGateStrip(build, param, ch, (kParamWidth - 3 * kStrip) / 2 + ch * kStrip);
    }
}

// ---- the Comp page

void TfmMain::BuildCompStrip(TFormBuilder& build, TWinControl* panel, int ch, int left) {
    auto named = [ch](std::string_view stem) { return StripName(stem, ch); };
    TLabel* title = Label(build, named("lbComp"), panel, left, 2, 177, 18, ChannelName(ch),
                          TTextLook::Channel, taCenter);
    title->SetTag(ch);
    build.Handle(title->OnMouseDown, this, &TfmMain::lbCompOut1MouseDown);
    // Each column as wide as its widest text: "+20.0dB", "999ms", "3000ms".
    struct TColumn {
        const char* stem;
        const char* caption;
        int left;
        int width;
        int min;
        int max;
        const char* text;
        void (TfmMain::*change)(TObject*);
        void (TfmMain::*keyDown)(TObject*, TKeyCode&, TShiftState);
        void (TfmMain::*exit)(TObject*);
    };
    const TColumn columns[] = {
        {"Threshold", "Threshold", 0, 64, -180, 40, "-90.0dB", &TfmMain::isCompThresholdOut1Change,
         &TfmMain::cvdCompThresholdOut1KeyDown, &TfmMain::cvdCompThresholdOut1Exit},
        {"Attack", "Attack", 64, 54, 0, 998, "  1ms", &TfmMain::isCompAttackOut1Change,
         &TfmMain::cvdCompAttackOut1KeyDown, &TfmMain::cvdCompAttackOut1Exit},
        {"Release", "Release", 118, 60, 9, 2999, " 10ms", &TfmMain::isCompReleaseOut1Change,
         &TfmMain::cvdCompReleaseOut1KeyDown, &TfmMain::cvdCompReleaseOut1Exit},
    };
    for (const TColumn& c : columns) {
        const std::string stem = c.stem;
        const TFaderColumn column =
            FaderColumn(build, panel, named("lbComp" + stem), c.caption, named("isComp" + stem),
                        named("cvdComp" + stem), left + c.left, c.width, 22, c.min, c.max, 6, c.min,
                        c.text, false, ch, ch);
        build.Handle(column.fader->OnChange, this, c.change);
        build.Handle(column.fader->OnMouseDown, this, &TfmMain::isCompThresholdOut1MouseDown);
        build.Handle(column.box->OnMouseDown, this, &TfmMain::cvdCompThresholdOut1MouseDown);
        build.Handle(column.box->OnKeyDown, this, c.keyDown);
        build.Handle(column.box->OnExit, this, c.exit);
    }
    struct TStepRow {
        const char* stem;
        const char* caption;
        int max;
        const char* text;
        int top;
        void (TfmMain::*changing)(TObject*, bool&, int, TUpDownDirection);
        void (TfmMain::*keyDown)(TObject*, TKeyCode&, TShiftState);
        void (TfmMain::*exit)(TObject*);
    };
    const TStepRow rows[] = {
        {"Ratio", "Ratio", 15, "1:1.0", 202, &TfmMain::udCompRatioOut1ChangingEx,
         &TfmMain::cvdCompRatioOut1KeyDown, &TfmMain::cvdCompRatioOut1Exit},
        {"Knee", "Knee", 12, "0dB", 232, &TfmMain::udCompKneeOut1ChangingEx,
         &TfmMain::cvdCompKneeOut1KeyDown, &TfmMain::cvdCompKneeOut1Exit},
    };
    for (const TStepRow& r : rows) {
        const std::string stem = r.stem;
        Label(build, named("lbComp" + stem), panel, left, r.top, 60, 24, r.caption, TTextLook::Text,
              taRightJustify);
        TCurvyEdit* box = ValueBox(build, named("cvdComp" + stem), panel, left + 65, r.top, 70,
                                   r.text, false, ch);
        TUpDown* stepper =
            Stepper(build, named("udComp" + stem), panel, left + 137, r.top, 0, r.max, ch);
        build.Handle(stepper->OnChangingEx, this, r.changing);
        build.Handle(box->OnMouseDown, this, &TfmMain::cvdCompThresholdOut1MouseDown);
        build.Handle(box->OnKeyDown, this, r.keyDown);
        build.Handle(box->OnExit, this, r.exit);
    }
}

void TfmMain::BuildCompPage(TFormBuilder& build, TWinControl* area) {
    TRzGroupBox* graph = GraphPanel(build, area, kPageComp);
    BuildMeterGroup(build, graph, true, -1, 10, 26);
    Label(build, "lbCompName", graph, 117, 6, 538, 20, "Out 1  Compressor", TTextLook::Title,
          taCenter);
    ipComp = TransferPlot(build, "ipComp", graph, 76, 36, 620, 230);
    for (int ch = kInputCount; ch < kChannelCount; ++ch) {
        BuildMeterGroup(build, graph, true, ch, 64 * (ch - 2) + 636, 26);
    }
    TRzGroupBox* param = ParamPanel(build, area, kPageComp);
    constexpr int kStrip = 178;
    for (int ch = kInputCount; ch < kChannelCount; ++ch) {
        BuildCompStrip(build, param, ch,
                       (kParamWidth - kOutputCount * kStrip) / 2 + (ch - kInputCount) * kStrip);
    }
}

// ---- the Delay page

void TfmMain::BuildDelayRow(TFormBuilder& build, TWinControl* linePanel, int ch) {
    auto named = [ch](std::string_view stem) { return StripName(stem, ch); };
    // Rows: inputs 64 apart from 38, outputs 36 apart from 8 (the marker's top); the line label
    // is as high as the marker's reach, so its middle is the marker's.
    const bool input = IsInput(ch);
    const int i = input ? ch : ch - kInputCount + 1;
    const int markerTop = input ? 64 * i + 38 : 36 * i - 28;
    const int lineTop = input ? 64 * i + 28 : 36 * i - 28;
    const int lineHeight = input ? 44 : 24;
    Label(build, named("lbDelayShow"), linePanel, 4, markerTop + 6, 36, 12, ChannelName(ch),
          TTextLook::Heading);
    // A faint rail along the marker's way, under the dashed line.
    auto* rail = build.Add<TShape>(named("spDelayRail"), linePanel, 70, markerTop + 12, 385, 1);
    rail->Pen()->SetColor(static_cast<TColor>(RGB(64, 70, 82)));
    rail->SetAnchors(TAnchors{akLeft, akTop, akRight});
    TLabel* line = Label(build, named("lbDelayLine"), linePanel, input ? 40 : 46, lineTop, 475,
                         lineHeight, "", TTextLook::Text);
    line->Font()->SetName("Courier New");
    line->Font()->SetHeight(-10);
    line->Font()->SetColor(static_cast<TColor>(RGB(96, 200, 120)));
    line->SetTag(ch);
    TImage* marker = Picture(build, named("imDelay"), linePanel, 40, markerTop, 30, 24,
                             "DELAY_MARKER", false, true);
    marker->SetTag(ch);
    Label(build, named("lbFftDelayTime"), linePanel, 70, markerTop + 6, 110, 12, "0.000 ms",
          TTextLook::Text);
    build.Handle(line->OnMouseDown, this, &TfmMain::lbDelayLineInAMouseDown);
    build.Handle(line->OnMouseMove, this, &TfmMain::lbDelayLineInAMouseMove);
    build.Handle(line->OnMouseUp, this, &TfmMain::lbDelayLineInAMouseUp);
}

void TfmMain::BuildDelayStrip(TFormBuilder& build, TWinControl* panel, int ch, int left) {
    auto named = [ch](std::string_view stem) { return StripName(stem, ch); };
    Label(build, named("lbDelayTitle"), panel, left, 22, 90, 18, ChannelName(ch),
          TTextLook::Channel, taCenter);
    TAdvTrackBar* fader =
        Fader(build, named("isDelay"), panel, left + 32, 44, kFaderHeight, 0, 65280, 96, ch);
    TCurvyEdit* box =
        ValueBox(build, named("cvdDelay"), panel, left + 5, 176, 80, "0.000 ms", false, ch);
    build.Handle(fader->OnChange, this, &TfmMain::isDelayInAChange);
    build.Handle(box->OnKeyDown, this, &TfmMain::cvdDelayInBKeyDown);
    build.Handle(box->OnExit, this, &TfmMain::cvdDelayInAExit);
}

void TfmMain::BuildDelayPage(TFormBuilder& build, TWinControl* area) {
    TRzGroupBox* graph = GraphPanel(build, area, kPageDelay);
    Label(build, "lbFftDelayIn", graph, 20, 5, 520, 20, "Input Delay", TTextLook::Heading,
          taCenter);
    TPanel* inputs = Bezel(build, "plFftDelayIn", graph, 20, 26, 520, 234);
    Label(build, "lbFftDelayOut", graph, 560, 5, 520, 20, "Output Delay", TTextLook::Heading,
          taCenter);
    TPanel* outputs = Bezel(build, "plFftDelayOut", graph, 560, 26, 520, 234);
    for (int ch = 0; ch < kChannelCount; ++ch)
        BuildDelayRow(build, IsInput(ch) ? inputs : outputs, ch);

    TRzGroupBox* param = ParamPanel(build, area, kPageDelay);
    constexpr int kStrip = 90;
    constexpr int kFirst = 30;
    Label(build, "lbDelayInput", param, kFirst, 2, 3 * kStrip, 18, "Input", TTextLook::Heading,
          taCenter);
    Label(build, "lbDelayOutput", param, kFirst + 3 * kStrip + 30, 2, 6 * kStrip, 18, "Output",
          TTextLook::Heading, taCenter);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        BuildDelayStrip(build, param, ch, kFirst + ch * kStrip + (IsInput(ch) ? 0 : 30));
    }
    Label(build, "lbDelayUnit", param, 920, 22, 120, 18, "Unit", TTextLook::Heading, taCenter);
    static constexpr const char* kUnits[] = {"ms", "m", "ft"};
    for (int u = 0; u < 3; ++u) {
        TRzBmpButton* unit = Button(build, "rzbUnit" + std::to_string(u), param, 940, 52 + u * 32,
                                    80, 24, kUnits[u], "BTN_UNIT", 5, false, u);
        if (u == 0) unit->SetDown(true);
        build.Handle(unit->OnClick, this, &TfmMain::rzbUnit0Click);
    }
}

// ---- the Matrix page

void TfmMain::BuildMatrixRow(TFormBuilder& build, TWinControl* graph, int ch) {
    const bool input = IsInput(ch);
    const std::string name = ChannelName(ch);
    // One row of stage blocks: the input's chain left of the routing lines, the output's right
    // of them; each block a shape with its label over it.
    struct TStage {
        const char* stage;
        const char* caption;
        int left;
        TColor colour;
        void (TfmMain::*click)(TObject*);
    };
    constexpr TColor kLevel = static_cast<TColor>(RGB(44, 96, 150));
    constexpr TColor kFilter = static_cast<TColor>(RGB(40, 120, 84));
    constexpr TColor kDynamics = static_cast<TColor>(RGB(150, 96, 30));
    constexpr TColor kTime = static_cast<TColor>(RGB(110, 70, 140));
    const TStage inputs[] = {{"Gain", "GAIN", 77, kLevel, &TfmMain::lbMatrixHpLpInAClick},
                             {"Gate", "GATE", 134, kDynamics, &TfmMain::lbMatrixGateInAClick},
                             {"HpLp", "HP/LP", 191, kFilter, &TfmMain::lbMatrixHpLpInAClick},
                             {"Peq", "PEQ", 248, kFilter, &TfmMain::lbMatrixHpLpInAClick},
                             {"Phase", "PHASE", 305, kLevel, &TfmMain::lbMatrixHpLpInAClick},
                             {"Delay", "DELAY", 362, kTime, &TfmMain::lbMatrixDelayInAClick}};
    const TStage outputs[] = {{"Xover", "XOVER", 2, kFilter, &TfmMain::lbMatrixHpLpInAClick},
                              {"Peq", "PEQ", 61, kFilter, &TfmMain::lbMatrixHpLpInAClick},
                              {"Gain", "GAIN", 121, kLevel, &TfmMain::lbMatrixHpLpInAClick},
                              {"Comp", "COMP", 180, kDynamics, &TfmMain::lbMatrixCompOut1Click},
                              {"Phase", "PHASE", 240, kLevel, &TfmMain::lbMatrixHpLpInAClick},
                              {"Delay", "DELAY", 298, kTime, &TfmMain::lbMatrixDelayInAClick},
                              {"Mute", "MUTE", 359, kLevel, &TfmMain::lbMatrixHpLpInAClick}};
    const int i = input ? ch : ch - kInputCount;
    const int height = input ? 46 : 32;
    TPanel* row = Bezel(build, StripName("plMatrix", ch), graph, input ? 48 : 561,
                        input ? 50 + 75 * i : 30 + 40 * i, input ? 415 : 510, height);
    row->SetColor(static_cast<TColor>(RGB(18, 20, 25)));
    // The signal's path between the blocks (the name stands clear of it).
    auto* path = build.Add<TShape>("spMatrixPath" + name, row, input ? 62 : 4, height / 2 - 1,
                                   input ? 345 : 412, 2);
    path->Brush()->SetColor(static_cast<TColor>(RGB(120, 128, 144)));
    path->Pen()->SetStyle(psClear);
    path->SetAnchors(TAnchors{akLeft, akTop, akRight});

    auto bindCursor = [&](TLabel* label) {
        build.Handle(label->OnMouseMove, this, &TfmMain::lbMatrixChNameInAMouseMove);
        build.Handle(label->OnMouseLeave, this, &TfmMain::lbMatrixChNameInAMouseLeave);
    };
    const int blockTop = input ? 4 : 2;
    const int blockHeight = height - 2 * blockTop;
    // The name block: the side's caption and the channel's name.
    const int nameLeft = input ? 0 : 416;
    // The name block holds its labels alone: its shape keeps the row's colour.
    TShape* nameBlock = Block(build, StripName("spMatrixName", ch), row, nameLeft, blockTop, 58,
                              blockHeight, clBlack);
    nameBlock->Brush()->SetStyle(bsClear);
    nameBlock->Pen()->SetStyle(psClear);
    Label(build, StripName("lbMatrixName", ch), row, input ? 0 : 418, blockTop + 1, input ? 70 : 80,
          input ? 18 : 14, name, TTextLook::Heading, taCenter);
    TLabel* channelName = Label(build, StripName("lbMatrixChName", ch), row, input ? 0 : 419,
                                input ? blockTop + 19 : blockTop + 14, input ? 70 : 80,
                                input ? 16 : 14, name, TTextLook::Key, taCenter);
    channelName->SetTag(ch);
    build.Handle(channelName->OnClick, this, &TfmMain::lbMatrixChNameInAClick);
    bindCursor(channelName);
    for (const TStage& s :
         input ? std::span<const TStage>(inputs) : std::span<const TStage>(outputs)) {
        const std::string stage = s.stage;
        Block(build, StripName("spMatrix" + stage, ch), row, s.left, blockTop, 50, blockHeight,
              s.colour);
        TLabel* label = Label(build, StripName("lbMatrix" + stage, ch), row, s.left, blockTop, 50,
                              blockHeight, s.caption, TTextLook::Heading, taCenter);
        label->Font()->SetHeight(-10);
        label->SetTag(ch);
        build.Handle(label->OnClick, this, s.click);
        bindCursor(label);
    }
}

void TfmMain::BuildRoutingGroup(TFormBuilder& build, TWinControl* panel, int ch, int left) {
    const int n = ch - kInputCount + 1;
    TRzGroupBox* group = Area(build, "rzgMatrixOut" + std::to_string(n), panel, left, 40, 166, 80);
    Label(build, "lbRouteOut" + std::to_string(n), group, 0, 4, 166, 18, ChannelName(ch),
          TTextLook::Channel, taCenter);
    void (TfmMain::*const handlers[])(TObject*) = {
        &TfmMain::rzbAMatrixOut1Click, &TfmMain::rzbAMatrixOut2Click,
        &TfmMain::rzbAMatrixOut3Click, &TfmMain::rzbAMatrixOut4Click,
        &TfmMain::rzbAMatrixOut5Click, &TfmMain::rzbAMatrixOut6Click};
    for (int input = 0; input < kInputCount; ++input) {
        TRzBmpButton* button = Button(
            build, std::string("rzb") + ChannelChar(input) + "MatrixOut" + std::to_string(n), group,
            2 + input * 54, 30, 52, 24, ChannelName(input), "BTN_ROUTE", input + 1, true, input);
        build.Handle(button->OnClick, this, handlers[n - 1]);
    }
}

void TfmMain::BuildMatrixPage(TFormBuilder& build, TWinControl* area) {
    TRzGroupBox* graph = GraphPanel(build, area, kPageMatrix);
    for (int ch = 0; ch < kChannelCount; ++ch) BuildMatrixRow(build, graph, ch);
    // The routing lines are drawn when the paint box itself paints: its canvas draws nowhere
    // outside its own painting.
    auto* lines = build.Add<TPaintBox>("pbMatrix", graph, 465, 42, 97, 206);
    build.Handle(lines->OnPaint, this, &TfmMain::rzgFftMatrixPaint);

    TRzGroupBox* param = ParamPanel(build, area, kPageMatrix);
    constexpr int kGroup = 170;
    for (int ch = kInputCount; ch < kChannelCount; ++ch) {
        BuildRoutingGroup(build, param, ch,
                          (kParamWidth - kOutputCount * kGroup) / 2 + (ch - kInputCount) * kGroup);
    }
}

}  // namespace dsp
