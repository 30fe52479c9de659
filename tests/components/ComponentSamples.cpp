#include "tests/components/ComponentSamples.h"

#include "framework/controls/WinControl.h"
#include "model/Constants.h"
#include "model/ResponseTables.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"
#include "widgets/styled/GDIPicture.h"

namespace dsp::test {

LMyFFTDrawPhase* MakeMainWindowView(TWinControl* parent, int left, int top, int width) {
    auto* view = new LMyFFTDrawPhase(parent);
    view->SetParent(parent);
    view->SetBounds(left, top, width, 255);
    view->SetColor(clBlack);
    view->SetAxisColor(35840);
    view->SetYAutoScale(false);
    view->SetXAutoScale(false);
    view->SetYLabelScale(1);
    view->SetYMax(18);
    view->SetYMin(-18);
    view->SetXMax(3840);
    view->SetXMin(966);
    view->SetYLabelPrecision(5);
    view->SetVertTickLength(0);
    view->SetHorzTickLength(0);
    view->SetNumVertGrid(10);
    view->SetNumHorzGrid(11);
    view->SetGridColor(18432);
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    font.SetColor(clLime);
    view->SetPlotTitleFont(&font);
    view->SetAxisTitleFont(&font);
    view->SetMouseCoordFont(&font);
    font.SetColor(clActiveBorder);
    view->SetAxisLabelFont(&font);
    view->SetFFTNuimber(n4096);
    view->SetSampleRate(n96000);
    view->ResizePaintPage();
    return view;
}

void DrawSampleChannel(Plot& plot, bool selected) {
    for (int b = 0; b < 3; ++b) {
        const TSampleBand& band = kSampleBands[b];
        plot.Curve(b).SetFilter(band.gainDb, band.hz,
                                QTable[static_cast<std::size_t>(band.qPosition)],
                                PeqKindTable[static_cast<std::size_t>(band.peqType)]);
        plot.ShowCurve(b, BandColours[static_cast<std::size_t>(b)]);
        plot.DrawBandMarker(b, band.gainDb, BlockBand);
    }
    plot.UpdateTotalCurve(0);
    const TSampleBand& shown = kSampleBands[kSampleSelectedBand];
    plot.ShowSelectedBand(shown.peqType, kSampleSelectedBand, shown.gainDb,
                          QTable[static_cast<std::size_t>(shown.qPosition)], selected);
}

TAdvTrackBar* MakeMainWindowFader(TWinControl* parent, int left, int top) {
    auto* fader = new TAdvTrackBar(parent);
    fader->SetOrientation(trVertical);
    fader->SetParent(parent);
    fader->SetBounds(left, top, 26, 126);
    fader->SetMin(-280);
    fader->SetMax(120);
    fader->SetPageSize(6);
    fader->Slider()->SetSize(3);
    fader->Slider()->SetColor(clWhite);
    fader->Slider()->SetColorTo(clBlack);
    fader->Slider()->SetBorderColor(clGray);
    fader->TickMark()->SetStyle(tsNone);
    TGDIPPicture picture;
    picture.LoadFromResourceName("FADER_THUMB");
    fader->Thumb()->SetPicture(&picture);
    picture.LoadFromResourceName("FADER_THUMB_HOT");
    fader->Thumb()->SetPictureHot(&picture);
    picture.LoadFromResourceName("FADER_THUMB_DOWN");
    fader->Thumb()->SetPictureDown(&picture);
    return fader;
}

TCurvyEdit* MakeValueBox(TWinControl* parent, int left, int top, const std::string& text) {
    auto* box = new TCurvyEdit(parent);
    box->SetParent(parent);
    box->SetBounds(left, top, 58, 24);
    box->SetRounding(6);
    box->SetBorderColor(clHighlightText);
    box->SetColor(0xFFFFDF);
    box->SetAlignment(taCenter);
    box->SetAutoSelect(false);
    box->SetHideSelection(false);
    box->Font()->SetName("Tahoma");
    box->Font()->SetHeight(-11);
    box->SetText(text);
    return box;
}

}  // namespace dsp::test
