// Dragging on the response views: a band marker moves its band's frequency and gain, a crossover
// handle its filter's frequency. All eleven views share the three mouse handlers; the overviews
// carry no markers, so nothing is within reach there.
//
// Mouse positions are taken relative to the view's own plot area (where it actually lies on the
// view), so the marker stays under the cursor whatever the view's labels take. A band goes to
// the image and the processor at every move; its curve is redrawn by a 1 ms one-shot timer, once
// for the moves that arrive before the tick.

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "components/LMyFFTDrawPhase.h"
#include "components/MyPEQAllpass.h"
#include "framework/controls/Label.h"
#include "framework/desktop/Cursors.h"
#include "framework/desktop/Screen.h"
#include "framework/runtime/Timer.h"
#include "mainwindow/FMain.h"
#include "model/Encodings.h"
#include "model/Lunitcontrol.h"
#include "model/Plot.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

// Marker slots tested, highest first: the bands 0 to 8, the handles 10 (high-pass) and 11.
constexpr int kLastSlot = 35;
constexpr int kHighPassHandle = 10;
// Within reach: closer than this many pixels across, and than this many dB up or down.
constexpr int kReachPixels = 5;
constexpr int kReachDb = 2;
// The span of a dragged frequency and gain.
constexpr double kLowestHz = 19.7;
constexpr double kBelowLowestHz = 19.6;
constexpr double kHighestHz = 20160.0;
constexpr double kDragDbLimit = 12.0;
// The curves' points: point i lies at 48000^(i / 4096) Hz.
constexpr double kTopHz = 48000.0;
constexpr double kCurvePoints = 4096.0;

// The hover cross shows within a smaller reach on a screen of 96 pixels per inch.
double HoverScale() { return Screen != nullptr && Screen->PixelsPerInch() == 96 ? 1.5 : 1.0; }

// The curve position under a view column.
double DataX(const LMyFFTDrawPhase& view, int x) {
    return view.XMin() + static_cast<double>(x - view.GetPlotLeft()) / view.GetPlotWidth() *
                             (view.XMax() - view.XMin());
}

// The depth under a view row: -YMax at the top of the plot area to -YMin at its bottom (a
// marker at gain g lies at depth -g).
double Depth(const LMyFFTDrawPhase& view, int y) {
    return static_cast<double>(y - view.GetPlotTop()) / view.GetPlotHeight() *
               (view.YMax() - view.YMin()) +
           view.YMin();
}

}  // namespace

bool TfmMain::MarkerWithinReach(const LMyFFTDrawPhase& view, const TMyPEQAllpass& table, int slot,
                                int x, int y, double scale) const {
    const int mx = static_cast<int>(std::trunc(view.GetBlockPos(slot).X * scale));
    const double dx = DataX(view, x);
    const int cx = static_cast<int>(
        std::trunc(view.GetPlotWidth() * (dx - view.XMin()) / (view.XMax() - view.XMin()) * scale));
    const double m = slot < kHighPassHandle ? -table.GetGainValue(slot) : 0.0;
    double v = std::trunc(static_cast<double>(y - view.GetPlotTop()) / view.GetPlotHeight() *
                          (view.YMax() - view.YMin())) +
               view.YMin();
    // Markers of bands below 0 dB are reached one dB lower.
    if (m > 0) v += 1;
    const int d = static_cast<int>(std::trunc(std::fabs(v - m)));
    return std::abs(cx - mx) < kReachPixels && d < kReachDb;
}

void TfmMain::fftDrawInAMouseDown(TObject* sender, TMouseButton button, TShiftState, int x, int y) {
    FSelectedBand = -1;
    auto* view = dynamic_cast<LMyFFTDrawPhase*>(sender);
    if (view == nullptr) return;
    const int channel = static_cast<int>(view->Tag());
    auto* table = StripControl<TMyPEQAllpass>("peqPeq", channel);
    if (table == nullptr || button != mbLeft) return;
    // A handle within reach wins over every band (the low-pass over the high-pass); bands within
    // reach are each selected from the highest down, and the lowest one ends held.
    for (int slot = kLastSlot; slot >= 0; --slot) {
        if (!MarkerWithinReach(*view, *table, slot, x, y, 1.0)) continue;
        FSelectedBand = slot;
        auto* band = Control<TRzBmpButton>(BandButtonName(slot, channel));
        if (band == nullptr) break;
        band->SetDown(true);
        band->Click();
    }
}

void TfmMain::fftDrawInAMouseMove(TObject* sender, TShiftState, int x, int y) {
    // Repeated positions are dropped before any work, whichever view reports them.
    if (x == FLastMoveX && y == FLastMoveY) return;
    FLastMoveX = x;
    FLastMoveY = y;
    auto* view = dynamic_cast<LMyFFTDrawPhase*>(sender);
    if (view == nullptr) return;
    const int channel = static_cast<int>(view->Tag());
    auto* table = StripControl<TMyPEQAllpass>("peqPeq", channel);
    if (table == nullptr) return;
    if (FSelectedBand == -1) {
        TCursor cursor = crDefault;
        const double scale = HoverScale();
        for (int slot = kLastSlot; slot >= 0; --slot) {
            if (MarkerWithinReach(*view, *table, slot, x, y, scale)) {
                cursor = crCross;
                break;
            }
        }
        view->SetCursor(cursor);
        return;
    }
    // The frequency under the cursor, on the frequency grid and within its span.
    double hz = std::pow(10.0, std::log10(kTopHz) * DataX(*view, x) / kCurvePoints);
    hz = FreqIndexToHz(FreqHzToIndex(hz));
    if (hz < kBelowLowestHz) hz = kLowestHz;
    if (hz > kHighestHz) hz = kHighestHz;
    const auto freq = static_cast<float>(hz);
    if (FSelectedBand < kHighPassHandle) {
        // The gain under the cursor, 0.1 dB steps; a band below 0 dB is set 1 dB lower.
        double depth = Depth(*view, y);
        if (table->GetGainValue(FSelectedBand) < 0) depth += 1;
        depth = std::fmax(-kDragDbLimit, std::fmin(kDragDbLimit, depth));
        DragBand(*table, channel, freq, std::trunc(-depth * 10) * 0.1);
    } else {
        DragHandle(*table, channel, FSelectedBand == kHighPassHandle, freq);
    }
}

void TfmMain::DragBand(TMyPEQAllpass& table, int channel, float freqHz, double gainDb) {
    const int band = FSelectedBand;
    auto* button = Control<TRzBmpButton>(BandButtonName(band, channel));
    if (button == nullptr || StripControl<TLabel>("lbFftParam", channel) == nullptr) return;
    const double q = table.GetQValue(band);
    const int type = table.GetTypeValue(band);
    const bool bypassed = table.GetBypassValue(band);
    // The table's change events find the change road shut while the band is held.
    table.SetFreqValue(band, freqHz);
    table.SetGainValue(band, gainDb);
    button->SetDown(true);
    tmMouseEqCurve->SetEnabled(true);
    FCurveEditChannel = channel;
    FCurveEditFreq = freqHz;
    FCurveEditGain = gainDb;
    FCurveEditQ = static_cast<float>(q);
    FCurveEditType = type;
    FCurveEditBand = band;
    FCurveEditBypass = bypassed ? 1 : 0;
    table.SetNowIndex(band);
    PeqBandParams params{};
    params.Gain = static_cast<std::uint16_t>(GainDbToIndex(gainDb));
    params.Freq = static_cast<std::uint16_t>(std::min(FreqHzToIndex(freqHz), 300));
    params.Q = static_cast<std::uint8_t>(QValueToIndex(q));
    params.Type =
        type >= 0 ? static_cast<std::uint8_t>(type) : FUnitControl->GetPeqBand(channel, band).Type;
    FUnitControl->SetPeqBand(channel, band, params, bypassed ? 1 : 0);
}

void TfmMain::fftDrawInAMouseUp(TObject* sender, TMouseButton, TShiftState, int, int) {
    if (auto* view = dynamic_cast<LMyFFTDrawPhase*>(sender)) {
        const int channel = static_cast<int>(view->Tag());
        for (const char* stem : {"cvdLowCutFreq", "cvdHighCutFreq"}) {
            if (auto* box = StripControl<TCurvyEdit>(stem, channel)) box->Font()->SetColor(clBlack);
        }
    }
    // The hold ends with the release, whatever the view.
    FSelectedBand = -1;
}

void TfmMain::tmMouseEqCurveTimer(TObject*) {
    tmMouseEqCurve->SetEnabled(false);
    const int channel = FCurveEditChannel;
    const int band = FCurveEditBand;
    ShowBandFields(channel, true, FCurveEditQ, FCurveEditGain, FCurveEditFreq);
    FocusEqFreqEdit(channel);
    SetBandCurve(channel, band, FCurveEditGain, FCurveEditFreq, FCurveEditQ, FCurveEditType,
                 FCurveEditBypass != 0);
    Plot& plot = *FPlots[static_cast<std::size_t>(channel)];
    plot.DrawBandMarker(band, FCurveEditGain, BlockBand);
    plot.ShowSelectedBand(FCurveEditType, band, FCurveEditGain, FCurveEditQ, true);
    plot.UpdateTotalCurve(channel);
    if (auto* hint = StripControl<TLabel>("lbFftParam", channel)) {
        hint->SetVisible(true);
        if (auto* view = StripControl<LMyFFTDrawPhase>("fftDraw", channel)) view->UpdateCurvePage();
    }
}

}  // namespace dsp
