// Page switching: the one click handler of the fourteen page buttons. A page is two panels over
// the same area as every other page's, a graph panel and a parameter panel; switching hides the
// shown page's and shows and raises the new one's. A channel that follows another in a link
// group opens its leader's panels, captioned with its own name and its total curve drawn in its
// own colour.

#include "components/LMyFFTDrawPhase.h"
#include "framework/controls/Label.h"
#include "link/Lcomm.h"
#include "mainwindow/FMain.h"
#include "mainwindow/SharedConstants.h"
#include "model/Lunitcontrol.h"
#include "model/Plot.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzPanel.h"

namespace dsp {

std::string TfmMain::PageName(int page) {
    switch (page) {
        case kPageComp: return "Comp";
        case kPageDelay: return "Delay";
        case kPageGain: return "Gain";
        case kPageMatrix: return "Matrix";
        case kPageGate: return "Gate";
        default: return ChannelName(page);
    }
}

void TfmMain::rzbMenuInAClick(TObject* sender) {
    auto* button = dynamic_cast<TRzBmpButton*>(sender);
    if (button == nullptr) return;
    const int page = static_cast<int>(button->Tag());
    if (page == FPage) return;
    // The serial link writes its last frame once more at its next wait time-out.
    if (FCommLink) FCommLink->SetRepeatCount(1);
    try {
        // 3. The shown page's button and panels; its caption turns white.
        const std::string previous = PageName(FPage);
        TRzBmpButton& previousButton = Need<TRzBmpButton>("rzbMenu" + previous);
        TRzGroupBox& previousGraph = Need<TRzGroupBox>("rzgFft" + previous);
        TRzGroupBox& previousParam = Need<TRzGroupBox>("rzgParam" + previous);
        previousButton.Font()->SetColor(clWhite);
        // 4. The panels to show: the function page's, or the channel's group leader's.
        std::string shown = PageName(page);
        if (page < kChannelCount) {
            int leader = -1;
            if (FUnitControl->GetLinkMask(page) != 0) {
                leader = page;
            } else {
                for (int c = SideBegin(page); c < SideEnd(page); ++c) {
                    if ((FUnitControl->GetLinkMask(c) >> SideBit(page)) & 1u) {
                        leader = c;
                        break;
                    }
                }
            }
            if (leader < 0) return;
            // 5. The leader's panels, its total curve in the selected channel's colour, both
            // labels with the selected channel's name.
            shown = ChannelName(leader);
            Plot& plot = *FPlots[static_cast<std::size_t>(leader)];
            plot.HideCurve(Plot::ChannelTotalSlot);
            plot.ShowCurve(Plot::ChannelTotalSlot, ChannelColours[static_cast<std::size_t>(page)]);
            Need<LMyFFTDrawPhase>("fftDraw" + shown).UpdateCurvePage();
            Need<TLabel>("lbFftChannel" + shown).SetCaption(ChannelName(page));
            Need<TLabel>("lbGainName" + shown).SetCaption(ChannelName(page));
        }
        TRzGroupBox& graph = Need<TRzGroupBox>("rzgFft" + shown);
        TRzGroupBox& param = Need<TRzGroupBox>("rzgParam" + shown);
        // 6. The new button's caption turns lime.
        button->Font()->SetColor(clLime);
        // 7. The old panels go, the new ones come to the front, parameters first.
        previousParam.Hide();
        previousGraph.Hide();
        param.Show();
        param.BringToFront();
        graph.Show();
        graph.BringToFront();
        // 8. The curves the new page shows.
        if (page == kPageGain) {
            RefreshOverviewCurves();
        } else if (page < kChannelCount) {
            RefreshOverlayCurves(page);
        }
        // 9.
        FPage = page;
    } catch (const TNameMissing&) {
        // The form holds every name; a missing one leaves the page as it was.
    }
}

}  // namespace dsp
