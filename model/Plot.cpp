#include "model/Plot.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "framework/core/Exceptions.h"
#include "model/ResponseTables.h"

namespace dsp {

namespace {

constexpr int PointCount = static_cast<int>(CurvePointCount);

// A sum of phases brought back into -18 to 18 (a whole turn is 36). Slots 0 to 11 can add up
// to twelve half turns, so the folding repeats as often as needed.
double WrapPhase(double s) {
    if (!std::isfinite(s)) return s;
    while (s > 18) s -= 36;
    while (s < -18) s += 36;
    return s;
}

// total[i] += points[i] for every point; the arrays never overlap, so the loop vectorises.
void AddPoints(double* __restrict total, const double* __restrict points) {
    for (std::size_t i = 0; i < CurvePointCount; ++i) total[i] += points[i];
}

}  // namespace

Plot::Plot(IResponseView* view) : FView(view), FCurves(CurveSlotCount) {
    for (FilterCurve& curve : FCurves) {
        curve.SetFilter(0.0, 1000.0, 0.4, fkHighShelf);
    }
}

Plot::~Plot() = default;

FilterCurve& Plot::Curve(int n) {
    if (!IsSlot(n)) throw EListError::IndexOutOfBounds(n);
    return FCurves[static_cast<std::size_t>(n)];
}

const FilterCurve& Plot::Curve(int n) const {
    if (!IsSlot(n)) throw EListError::IndexOutOfBounds(n);
    return FCurves[static_cast<std::size_t>(n)];
}

void Plot::SetPhaseMode(std::uint8_t mode) {
    FPhaseMode = mode;
    for (FilterCurve& curve : FCurves) {
        curve.ShowPhase = mode;
    }
}

void Plot::DrawBandMarker(int n, double gainDb, int type) {
    if (!IsSlot(n) || FView == nullptr) return;
    const FilterCurve& curve = Curve(n);
    // The colour table ends with the high-pass handle (slot 10); the low-pass handle and any
    // later slot take that last colour rather than reading past the table.
    const std::size_t colourIndex = std::min(static_cast<std::size_t>(n), BandColours.size() - 1);
    FView->DrawBlock(gainDb, GridPosition(curve.FreqHz), BandColours[colourIndex], n, false, type);
    FView->SetBlockParameter(n, curve.FreqHz, curve.GainDb, curve.Qf, curve.Kind);
}

void Plot::UpdateTotalCurve(int c) {
    FilterCurve& total = Curve(ChannelTotalSlot);
    total.Points.fill(0.0);
    for (int slot = 0; slot < ChannelTotalSlot; ++slot) {
        AddPoints(total.Points.data(), Curve(slot).Points.data());
    }
    if (FPhaseMode != 0) {
        for (double& s : total.Points) {
            s = WrapPhase(s);
        }
    }
    if (FView == nullptr || c < 0 || c >= static_cast<int>(ChannelColours.size())) return;
    FView->FFTDraw(total.Points.data(), PointCount, ChannelTotalSlot,
                   ChannelColours[static_cast<std::size_t>(c)], mpsLine);
}

void Plot::ShowCurve(int n, ViewColour colour) {
    if (!IsSlot(n) || FView == nullptr) return;
    FView->FFTDraw(Curve(n).Points.data(), PointCount, n, colour, mpsLine);
}

void Plot::HideCurve(int n) {
    if (FView == nullptr) return;
    FView->RemovePlot(n);
}

void Plot::ShowSelectedBand(int kind, int n, double gainDb, double q, bool on) {
    if (FView == nullptr) return;
    if (!on) {
        FView->SetCurveDisplay(false);
        return;
    }
    if (n < 0) n = 0;
    if (!IsSlot(n)) return;
    const FilterCurve& curve = Curve(n);
    FView->DrawParam(kind, gainDb, GridPosition(curve.FreqHz), static_cast<float>(curve.FreqHz), q,
                     SelectedBandColour);
    FView->DrawCurveFill(kind, curve.Points.data(), PointCount);
    FView->SetCurveDisplay(true);
}

}  // namespace dsp
