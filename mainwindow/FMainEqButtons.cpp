// The three buttons over each channel's response view: EQ reset (after the reset dialog's
// confirmation the factory bands come back), show all (the view's captions of every band) and
// EQ bypass (the whole EQ of the channel's link group on or off).

#include <cstddef>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "dialogs/FPeqRst.h"
#include "mainwindow/FMain.h"
#include "model/Encodings.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "model/Plot.h"
#include "model/ResponseTables.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/panels/VrButtons.h"

namespace dsp {

void TfmMain::ResetChannelEq(int channel) {
    auto* table = StripControl<TMyPEQAllpass>("peqPeq", channel);
    if (table == nullptr) return;
    const int bands = IsInput(channel) ? InputBandCount : OutputBandCount;
    Plot& plot = *FPlots[static_cast<std::size_t>(channel)];
    table->SetNowIndex(0);
    for (int band = bands - 1; band >= 0; --band) {
        const PeqBandParams factory = FUnitControl->GetDefaultPeqBand(channel, band);
        const double freq = FreqIndexToHz(factory.Freq);
        const auto gain = static_cast<double>(GainIndexToDb(factory.Gain));
        // The factory band goes into the image for the whole link group, and to the processor,
        // before the table shows it; band 1 (the table's current band) runs the change road
        // with every row.
        FUnitControl->SetPeqBand(channel, band, factory, 0);
        table->SetEqParamValue(band, freq, factory.Q, gain, factory.Type, false);
        SetBandCurve(channel, band, gain, freq, QTable[factory.Q], factory.Type, false);
        plot.DrawBandMarker(band, gain, BlockBand);
    }
}

void TfmMain::vrbEqResetInAClick(TObject* sender) {
    auto* button = dynamic_cast<TComponent*>(sender);
    if (button == nullptr || fmPeqRst == nullptr) return;
    fmPeqRst->FResetChannel = static_cast<int>(button->Tag());
    fmPeqRst->ShowModal();
}

void TfmMain::vrbEqShowAllInAClick(TObject* sender) {
    auto* button = dynamic_cast<TVrPowerButton*>(sender);
    if (button == nullptr) return;
    const int channel = static_cast<int>(button->Tag());
    auto* view = StripControl<LMyFFTDrawPhase>("fftDraw", channel);
    auto* graph = StripControl<TRzGroupBox>("rzgFft", channel);
    if (view == nullptr || graph == nullptr) return;
    view->SetParameterDisplay(button->Active());
    view->UpdateCurvePage();
    graph->Invalidate();
}

void TfmMain::vrbEqBypassInAClick(TObject* sender) {
    auto* button = dynamic_cast<TComponent*>(sender);
    if (button == nullptr) return;
    const int channel = static_cast<int>(button->Tag());
    auto* view = StripControl<LMyFFTDrawPhase>("fftDraw", channel);
    if (view == nullptr) return;
    const std::uint16_t own = 1u << SideBit(channel);
    const std::uint16_t sideMask = (1u << (SideEnd(channel) - SideBegin(channel))) - 1u;
    std::uint16_t mask = FUnitControl->GetEqBypassMask(channel);
    const std::uint16_t group = GetLinkGroupMask(channel) & sideMask;
    const bool bypass = (mask & own) == 0;
    mask = bypass ? (mask | group) : (mask & ~group);
    view->DrawTextA(view->Width() / 3, view->Height() / 4, 60, clBtnFace, "Times New Roman",
                    bypass ? "BYPASS" : "");
    FUnitControl->SetEqBypassMask(channel, mask);
    view->UpdateCurvePage();
    // The processor applies a command to the group its channel's own mask names, while the image
    // holds the bypass for every member: every member gets the command. Different channels are
    // different targets, so none of these replaces another in the queue.
    for (int c = SideBegin(channel); c < SideEnd(channel); ++c) {
        if (((group >> SideBit(c)) & 1u) == 0) continue;
        SendCommand(
            CM_MCS_CMD(static_cast<std::uint8_t>(GetDeviceId()), CommandCode::MCS_SET_EQ_BYPASS,
                       static_cast<std::uint8_t>(c), bypass ? 1 : 0),
            false, true);
    }
}

}  // namespace dsp
