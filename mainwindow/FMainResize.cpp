// The layout on resize. Above the design size (1118 x 720) the pages stretch: the graphs, plots,
// meters with their scales, delay rows and routing rows take up the extra height; the graphs,
// the right-hand buttons and the routing blocks the extra width; the parameter panels stay
// centred. Below it, that dimension keeps its last layout and the window scrolls. The rules are
// integer arithmetic exactly as the tables give them (k * dy / 9 is not (dy / 9) * k).

#include <string>
#include <vector>

#include "components/LMyFFTDrawPhase.h"
#include "components/LProgressBar.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Shape.h"
#include "mainwindow/FMain.h"
#include "plot/engine/iXYPlot.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/styled/AdvTrackBar.h"

namespace dsp {

namespace {

constexpr int kStageBasesIn[] = {0, 77, 134, 191, 248, 305, 362};  // k = 1..7
constexpr const char* kStagesIn[] = {"Name", "Gain", "Gate", "HpLp", "Peq", "Phase", "Delay"};
constexpr int kStageBasesOut[] = {2, 61, 121, 180, 240, 298, 359, 418};  // k = 0..7
constexpr const char* kStagesOut[] = {"Xover", "Peq",   "Gain", "Comp",
                                      "Phase", "Delay", "Mute", "Name"};

// The meter scales' labels, top to bottom, and their tops at the design height.
constexpr const char* kCompScale[] = {"lbLimit", "lbClip", "lb12",  "lb5",  "lb0",
                                      "lbN5",    "lbN15",  "lbN30", "lbN60"};
constexpr int kCompPageBases[] = {22, 45, 68, 91, 115, 138, 161, 184, 208};
constexpr int kCompChannelBases[] = {35, 58, 81, 105, 128, 151, 175, 198, 222};
constexpr const char* kGateScale[] = {"lbClip", "lb12",  "lb5",   "lb0",  "lbN5",
                                      "lbN15",  "lbN20", "lbN30", "lbN60"};
constexpr int kGateBases[] = {36, 59, 82, 105, 129, 152, 175, 198, 222};

}  // namespace

void TfmMain::FormResize(TObject*) {
    const int width = Width();
    const int height = Height();
    // 1. Below the design size the window scrolls.
    SetAutoScroll(width < kDesignWidth || height < kDesignHeight);
    try {
        // 2, 3. The tables, each only at or above its design dimension.
        if (height >= kDesignHeight) {
            FExtraHeight = height - kDesignHeight;
            ApplyHeightRules(FExtraHeight);
        }
        if (width >= kDesignWidth) ApplyWidthRules(width - kDesignWidth);
        // 4. The delay markers on their lines.
        PlaceDelayMarkers();
        // 5. The page area repainted at once.
        rzgMain->Hide();
        rzgMain->Show();
        // 6. The delay lines, once the dialogs exist (not while the window is being created).
        if (DialogsExist()) {
            for (int ch = 0; ch < kChannelCount; ++ch) UpdateDelayLine(ch);
        }
    } catch (const TNameMissing&) {
        // The form holds every name; a missing one leaves the rest of the layout as it was.
    }
}

void TfmMain::ApplyHeightRules(int dy) {
    rzgMain->SetHeight(dy + 629);
    for (const char* name : {"imLeftUpBase", "imRightUpBase"})
        Need<TImage>(name).SetHeight(dy + 256);
    for (const char* name : {"imLeftDownBase", "imRightDownBase"})
        Need<TImage>(name).SetTop(dy + 256);
    rzgPreset->SetTop(dy + 626);
    for (int page = 0; page < kPageCount; ++page) {
        Need<TRzGroupBox>("rzgFft" + PageName(page)).SetHeight(dy + 284);
        Need<TRzGroupBox>("rzgParam" + PageName(page)).SetTop(dy + 292);
    }
    for (int ch = 0; ch < kChannelCount; ++ch)
        Need<LMyFFTDrawPhase>("fftDraw", ch).SetHeight(dy + 255);
    for (const char* name : {"fftDrawGainIn", "fftDrawGainOut"}) {
        Need<LMyFFTDrawPhase>(name).SetHeight(dy + 255);
    }
    for (const char* name : {"plFftDelayIn", "plFftDelayOut"})
        Need<TPanel>(name).SetHeight(dy + 234);
    ipComp->SetHeight(dy + 230);
    ipGate->SetHeight(dy + 230);
    TPaintBox& matrix = Need<TPaintBox>("pbMatrix");
    matrix.SetTop(dy / 9 + 42);
    matrix.SetHeight(dy + 206);

    // The meter groups: panels, meters and scales. "" is the page's own group.
    std::vector<std::string> compSuffixes{""};
    std::vector<std::string> gateSuffixes{""};
    for (int ch = kInputCount; ch < kChannelCount; ++ch)
        compSuffixes.emplace_back(1, ChannelChar(ch));
    for (int ch = 0; ch < kInputCount; ++ch) gateSuffixes.emplace_back(1, ChannelChar(ch));
    for (const std::string& s : compSuffixes) {
        Need<TPanel>("plLevelCompOut" + s).SetHeight(dy + 247);
        LProgressBar& level = Need<LProgressBar>("pbLevelCompOut" + s);
        level.SetHeight(8 * dy / 9 + 185);
        level.SetTop(dy / 9 + (s.empty() ? 43 : 55));
        Need<LProgressBar>("pbLimitCompOut" + s).SetHeight(dy / 9 + 22);
        for (int k = 1; k <= 9; ++k) {
            const int base = (s.empty() ? kCompPageBases : kCompChannelBases)[k - 1];
            Need<TLabel>(std::string(kCompScale[k - 1]) + "CompOut" + s).SetTop(k * dy / 9 + base);
        }
    }
    for (const std::string& s : gateSuffixes) {
        Need<TPanel>("plLevelGateIn" + s).SetHeight(dy + 247);
        LProgressBar& level = Need<LProgressBar>("pbLevelGateIn" + s);
        level.SetHeight(8 * dy / 9 + 208);
        level.SetTop(dy / 9 + 32);
        for (int k = 1; k <= 9; ++k) {
            Need<TLabel>(std::string(kGateScale[k - 1]) + "GateIn" + s)
                .SetTop(k * dy / 9 + kGateBases[k - 1]);
        }
    }

    // The delay rows and the routing rows share the extra height.
    for (int i = 0; i < kInputCount; ++i) {
        const int top = (dy / 4) * (i + 1) + 64 * i;
        Need<TImage>("imDelay", i).SetTop(top + 38);
        Need<TLabel>("lbDelayLine", i).SetTop(top + 28);
        Need<TLabel>("lbDelayShow", i).SetTop(top + 44);
        Need<TPanel>("plMatrix", i).SetTop((dy / 4) * (i + 1) + 75 * i + 50);
    }
    for (int n = 1; n <= kOutputCount; ++n) {
        const int ch = n + kInputCount - 1;
        const int top = (dy / 7) * n + 36 * n;
        Need<TImage>("imDelay", ch).SetTop(top - 28);
        Need<TLabel>("lbDelayLine", ch).SetTop(top - 28);
        Need<TLabel>("lbDelayShow", ch).SetTop(top - 22);
        Need<TPanel>("plMatrix", ch).SetTop((dy / 7) * n + 40 * n - 10);
    }
}

void TfmMain::ApplyWidthRules(int dx) {
    Need<TControl>("rzbMenuLink").SetLeft(dx + 1040);
    rzgFunction->SetWidth(dx + 1115);
    rzgMain->SetWidth(dx + 1112);
    for (int page = 0; page < kPageCount; ++page) {
        Need<TRzGroupBox>("rzgFft" + PageName(page)).SetWidth(dx + 1112);
        Need<TRzGroupBox>("rzgParam" + PageName(page)).SetLeft(dx / 2 + 20);
    }
    for (const char* name : {"imRightUpBase", "imRightDownBase"})
        Need<TImage>(name).SetLeft(dx + 1077);
    for (const char* name : {"imLeftUpBase", "imLeftDownBase"})
        Need<TImage>(name).SetWidth(dx + 1082);
    rzgPreset->SetLeft(dx / 2 + 10);

    // The channel pages: the view, the three curve buttons, the overlay lamps.
    for (int ch = 0; ch < kChannelCount; ++ch) {
        Need<LMyFFTDrawPhase>("fftDraw", ch).SetWidth(dx + 1070);
        Need<TControl>("vrbEqBypass", ch).SetLeft(dx + 776);
        Need<TControl>("vrbEqReset", ch).SetLeft(dx + 857);
        Need<TControl>("vrbEqShowAll", ch).SetLeft(dx + 934);
        TControl& lamps = Need<TControl>("rzgFftShowCh", ch);
        lamps.SetLeft(dx / 2 + (IsInput(ch) ? 500 : 460));
        lamps.SetWidth(IsInput(ch) ? 176 : 260);
    }
    // The Gain page.
    Need<TControl>("fftDrawGainIn").SetWidth(dx / 2 + 530);
    TControl& gainOut = Need<TControl>("fftDrawGainOut");
    gainOut.SetWidth(dx / 2 + 530);
    gainOut.SetLeft(dx / 2 + 550);
    Need<TControl>("rzgFftShowChIn").SetLeft(dx / 2 + 260);
    Need<TControl>("rzgFftShowChOut").SetLeft(dx + 720);
    Need<TControl>("lbFftGainOut").SetLeft(dx / 2 + 600);
    // The Delay page.
    for (const char* name : {"plFftDelayIn", "lbFftDelayIn", "plFftDelayOut", "lbFftDelayOut"}) {
        Need<TControl>(name).SetWidth(dx / 2 + 520);
    }
    Need<TControl>("plFftDelayOut").SetLeft(dx / 2 + 560);
    Need<TControl>("lbFftDelayOut").SetLeft(dx / 2 + 560);
    for (int ch = 0; ch < kChannelCount; ++ch)
        Need<TControl>("lbDelayLine", ch).SetWidth(dx / 2 + 475);
    // The Comp and Gate pages.
    ipComp->SetWidth(dx + 620);
    Need<TControl>("lbCompName").SetWidth(dx + 538);
    for (int n = 1; n <= kOutputCount; ++n) {
        Need<TControl>("plLevelCompOut" + std::to_string(n)).SetLeft(dx + 64 * n + 636);
    }
    ipGate->SetWidth(dx + 855);
    Need<TControl>("lbGateName").SetWidth(dx + 800);
    for (int i = 0; i < kInputCount; ++i) {
        Need<TControl>(std::string("plLevelGateIn") + ChannelChar(i)).SetLeft(dx + 53 * i + 926);
    }
    // The Matrix page: the lines' box, the rows and their blocks.
    TControl& matrix = Need<TControl>("pbMatrix");
    matrix.SetLeft(dx / 3 + 465);
    matrix.SetWidth(dx / 3 + 97);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        TControl& row = Need<TControl>("plMatrix", ch);
        if (IsInput(ch)) {
            row.SetWidth(dx / 3 + 415);
            for (int k = 1; k <= 7; ++k) {
                const std::string stage = kStagesIn[k - 1];
                const int left = (dx / 3) * k / 8 + kStageBasesIn[k - 1];
                TControl& label = Need<TControl>("lbMatrix" + stage, ch);
                TControl& shape = Need<TControl>("spMatrix" + stage, ch);
                label.SetLeft(left);
                shape.SetLeft(left);
                if (k == 1) {
                    label.SetWidth(dx / 21 + 70);
                    Need<TControl>("lbMatrixChName", ch).SetWidth(dx / 21 + 70);
                    shape.SetWidth(dx / 21 + 58);
                } else {
                    label.SetWidth(dx / 21 + 50);
                    shape.SetWidth(dx / 21 + 50);
                }
            }
        } else {
            row.SetLeft(2 * dx / 3 + 561);
            row.SetWidth(dx / 3 + 510);
            for (int k = 0; k <= 7; ++k) {
                const std::string stage = kStagesOut[k];
                const int shift = (dx / 3) * k / 9;
                TControl& label = Need<TControl>("lbMatrix" + stage, ch);
                TControl& shape = Need<TControl>("spMatrix" + stage, ch);
                if (k == 7) {
                    label.SetLeft(shift + 418);
                    label.SetWidth(dx / 24 + 80);
                    TControl& name = Need<TControl>("lbMatrixChName", ch);
                    name.SetLeft(shift + 419);
                    name.SetWidth(dx / 24 + 80);
                    shape.SetLeft(shift + 416);
                    shape.SetWidth(dx / 24 + 58);
                } else {
                    label.SetLeft(shift + kStageBasesOut[k]);
                    label.SetWidth(dx / 24 + 50);
                    shape.SetLeft(shift + kStageBasesOut[k]);
                    shape.SetWidth(dx / 24 + 50);
                }
            }
        }
    }
}

void TfmMain::PlaceDelayMarkers() {
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const TAdvTrackBar& fader = Need<TAdvTrackBar>("isDelay", ch);
        TImage& marker = Need<TImage>("imDelay", ch);
        const int lineWidth = Need<TLabel>("lbDelayLine", ch).Width();
        marker.SetLeft(fader.Position() * (lineWidth - 90) / fader.Max() + 40);
        TLabel& time = Need<TLabel>("lbFftDelayTime", ch);
        time.SetLeft(marker.Left() + 30);
        time.SetTop(marker.Top() + marker.Height() / 4);
    }
}

}  // namespace dsp
