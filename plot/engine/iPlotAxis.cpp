#include "plot/engine/iPlotAxis.h"

#include <algorithm>
#include <cmath>

#include "framework/core/Exceptions.h"
#include "framework/text/Filer.h"
#include "framework/text/Numbers.h"
#include "plot/engine/iPlotComponent.h"

namespace dsp {

void TiPlotAxis::DefineProperties(TFiler* filer) {
    TiPlotLayoutObject::DefineProperties(filer);
    const auto readSpan = [this](TReader& reader) { FSpan = reader.ReadFloat(); };
    filer->DefineProperty("Span_2", readSpan, nullptr, false);
    filer->DefineProperty("Span", readSpan, nullptr, false);
    filer->DefineProperty(
        "LabelSeparation", [this](TReader& reader) { FLabelSeparation = reader.ReadFloat(); },
        [this](TWriter& writer) { writer.WriteFloat(FLabelSeparation); }, FLabelSeparation == 0);
    filer->DefineProperty(
        "TitleMargin", [this](TReader& reader) { FTitleMargin = reader.ReadFloat(); },
        [this](TWriter& writer) { writer.WriteFloat(FTitleMargin); }, FTitleMargin == 0);
}

TiPlotAxis::TiPlotAxis(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                       TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                         std::move(onRename)),
      FLabelsFont(std::make_unique<TFont>()),
      FTitleFont(std::make_unique<TFont>()) {
    FLabelsFont->SetColor(clWhite);
    FTitleFont->SetColor(clWhite);
    FTitleFont->SetName("Arial");
    FTitleFont->SetSize(10);
    FTitleFont->SetStyle(TFontStyles{fsBold});
    FLabelsFont->OnChange = [this](TObject*) { DoChange(); };
    FTitleFont->OnChange = [this](TObject*) { DoChange(); };
}

TiPlotAxis::~TiPlotAxis() {
    FLabelsFont->OnChange = nullptr;
    FTitleFont->OnChange = nullptr;
}

TiPlotXAxis::TiPlotXAxis(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                         TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotAxis(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                 std::move(onRename)) {
    const bool stripChart = Plot() != nullptr && Plot()->IsStripChart();
    SetTrackingStyle(stripChart ? iptsScrollSmooth : iptsScaleMinMax);
    SetTrackingAlignFirstStyle(ipafsAuto);
}

TiPlotYAxis::TiPlotYAxis(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                         TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotAxis(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                 std::move(onRename)) {
    SetTrackingStyle(iptsScaleMinMax);
    SetTrackingAlignFirstStyle(ipafsNone);
}

// ---- scale

double TiPlotAxis::Max() const {
    return static_cast<double>(static_cast<long double>(FMin) + static_cast<long double>(FSpan));
}

void TiPlotAxis::SetMin(double value) {
    if (!std::isfinite(value)) return;
    value = std::clamp(value, -1e300, 1e300);
    if (value == FMin) return;
    const double old = FMin;
    FMin = value;
    DoChange();
    if (!FBlockMinSpanEvents && Plot() != nullptr) {
        Plot()->DoAxisMinChange(this, old, FMin);
        Plot()->DoAxisMinSpanChange(this, old, FSpan, FMin, FSpan);
    }
}

void TiPlotAxis::SetSpan(double value) {
    if (!std::isfinite(value)) return;
    value = std::clamp(value, 1e-300, 1e300);
    if (value == FSpan) return;
    const double old = FSpan;
    FSpan = value;
    DoChange();
    if (!FBlockMinSpanEvents && Plot() != nullptr) {
        Plot()->DoAxisSpanChange(this, old, FSpan);
        Plot()->DoAxisMinSpanChange(this, FMin, old, FMin, FSpan);
    }
}

void TiPlotAxis::SetMinSpan(double newMin, double newSpan) {
    if (!std::isfinite(newMin) || !std::isfinite(newSpan)) return;
    if (FScaleType == ipstLog10) {
        if (newMin <= 0) newMin = 1;
        if (newSpan <= 0) newSpan = 1;
    }
    if (newMin == FMin && newSpan == FSpan) return;
    const double oldMin = FMin;
    const double oldSpan = FSpan;
    FBlockMinSpanEvents = true;
    try {
        SetMin(newMin);
        SetSpan(newSpan);
    } catch (...) {
        FBlockMinSpanEvents = false;
        throw;
    }
    FBlockMinSpanEvents = false;
    if (Plot() == nullptr) return;
    if (FMin != oldMin) Plot()->DoAxisMinChange(this, oldMin, FMin);
    if (FSpan != oldSpan) Plot()->DoAxisSpanChange(this, oldSpan, FSpan);
    Plot()->DoAxisMinSpanChange(this, oldMin, oldSpan, FMin, FSpan);
}

void TiPlotAxis::UpdateResumeValues() {
    FPreviousMin = FMin;
    FPreviousSpan = FSpan;
    FPreviousLabelsMinLength = FLabelsMinLength;
}

void TiPlotAxis::SetTrackingEnabled(bool value) {
    if (value == FTrackingEnabled) return;
    FTrackingEnabled = value;
    if (FRestoreValuesOnResume) {
        if (value) {
            SetMinSpan(FPreviousMin, FPreviousSpan);
            FLabelsMinLength = FPreviousLabelsMinLength;
        } else {
            UpdateResumeValues();
        }
    }
    DoChange();
}

void TiPlotAxis::SetScaleType(TiPlotScaleType value) {
    FScaleType = value;
    if (value == ipstLog10 && !(FMin > 0)) FMin = 1;
    DoChange();
}

void TiPlotAxis::SetDesiredIncrement(double value) {
    if (!std::isfinite(value)) return;
    value = std::clamp(value, 0.0, 1e300);
    SetDoubleProperty(value, FDesiredIncrement, &A::DoChange);
}

void TiPlotAxis::SetMode(TiPlotAxisMode value) {
    FMode = value;
    DoChange();
}

void TiPlotAxis::SetCartesianChildRefAxisName(const std::string& value) {
    FCartesianRefAxis = nullptr;
    SetStringProperty(value, FCartesianChildRefAxisName, &A::DoChange);
}

void TiPlotAxis::SetAlignRefAxisName(const std::string& value) {
    FAlignRefAxis = nullptr;
    SetStringProperty(value, FAlignRefAxisName, &A::DoChange);
}

void TiPlotAxis::ZoomToRect(const TRect& rect) {
    int first = 0;
    int second = 0;
    if (IsHorz()) {
        first = FReverseScale ? rect.Right : rect.Left;
        second = FReverseScale ? rect.Left : rect.Right;
    } else {
        first = FReverseScale ? rect.Top : rect.Bottom;
        second = FReverseScale ? rect.Bottom : rect.Top;
    }
    const double newMin = PixelsToPosition(first);
    SetMinSpan(newMin, PixelsToPosition(second) - newMin);
}

void TiPlotAxis::Zoom(double value) {
    if (FScaleType == ipstLinear) {
        if (!(value > 0)) throw Exception("Linear Scale Zoom Factor must be Greater than Zero");
        const double middle = (Max() + FMin) / 2;
        const double span = value * FSpan;
        SetMinSpan(middle - span / 2, span);
        return;
    }
    const double factor = std::pow(10.0, value);
    SetMinSpan(FMin / factor, factor * FSpan);
}

// ---- mapping

TiPlotAxis::TLinearPixels TiPlotAxis::LinearPixels() const {
    const bool linear =
        FScaleType == ipstLinear && FActualStart != FActualStop && !(FSpan <= 1e-300);
    return {linear, FActualStart, FMin, FPixelsPerSpanUnit};
}

int TiPlotAxis::PositionToPixels(double value) const {
    if (FActualStart == FActualStop || FSpan <= 1e-300) return (FActualStart + FActualStop) / 2;
    if (FScaleType == ipstLinear) return LinearPixels()(value);
    const double m = FMin > 0 ? FMin : 1;
    const double s = FSpan > 0 ? FSpan : 1;
    const double lo = std::log10(m);
    const double hi = std::log10(m + s);
    if (hi - lo == 0) return 0;
    const double v = value > 0 ? value : 1;
    return PixelClamped(FActualStart - PixelRoundClamped((std::log10(v) - lo) *
                                                         (FActualStart - FActualStop) / (hi - lo)));
}

double TiPlotAxis::PixelsToPosition(int value) const {
    double f = 0;
    if (IsHorz()) {
        const int l = FScaleRect.Left;
        const int r = FScaleRect.Right;
        if (l == r) return FMin;
        f = FReverseScale ? static_cast<double>(r - value) / (r - l)
                          : static_cast<double>(value - l) / (r - l);
    } else {
        const int t = FScaleRect.Top;
        const int b = FScaleRect.Bottom;
        if (t == b) return FMin;
        f = FReverseScale ? static_cast<double>(value - t) / (b - t)
                          : static_cast<double>(b - value) / (b - t);
    }
    if (FScaleType == ipstLinear) return FMin + FSpan * f;
    return std::pow(10.0, std::log10(FMin) + (std::log10(Max()) - std::log10(FMin)) * f);
}

int TiPlotAxis::WidthToPixels(double value) const {
    return std::abs(PositionToPixels(FMin + value) - PositionToPixels(FMin));
}

double TiPlotAxis::PositionToPercent(double value) const {
    return FReverseScale ? (Max() - value) / FSpan : (value - FMin) / FSpan;
}

double TiPlotAxis::PercentToPosition(double value) const {
    const double d = StopPercent() - StartPercent();
    if (!(d > 0)) return 0;
    if (FScaleType == ipstLinear) {
        if (FReverseScale) return Max() - value * FSpan;
        return ((value * 100 - StartPercent()) / d) * FSpan + FMin;
    }
    const double a = std::log10(Max()) - std::log10(FMin);
    const double f = FReverseScale ? 1 - value : value;
    return std::pow(10.0, std::log10(FMin) + f * a);
}

bool TiPlotAxis::PointOnScale(double value) const {
    const int p = PositionToPixels(value);
    if (IsHorz()) return p >= FScaleRect.Left && p <= FScaleRect.Right;
    return p >= FScaleRect.Top && p <= FScaleRect.Bottom;
}

int TiPlotAxis::GetScaleLength() const {
    return IsHorz() ? FScaleRect.Right - FScaleRect.Left : FScaleRect.Bottom - FScaleRect.Top;
}

// ---- tick list

void TiPlotAxis::TickListClear() {
    FTickList.clear();
    DoChange();
}

int TiPlotAxis::TickListAdd(double position, const std::string& label, TiPlotTickType style) {
    if (FScaleType == ipstLog10 && !(position > 0)) {
        throw Exception("Log Scale Requires Position to be Greater Than Zero");
    }
    TiPlotTickObject tick;
    tick.TickType = style;
    tick.Position = position;
    tick.Text = label;
    FTickList.push_back(std::move(tick));
    DoChange();
    return TickListCount() - 1;
}

const TiPlotTickObject& TiPlotAxis::GetTick(int index) const {
    if (index < 0 || index >= TickListCount()) throw EListError::IndexOutOfBounds(index);
    return FTickList[static_cast<std::size_t>(index)];
}

// ---- other axes

TiPlotAxis* TiPlotAxis::GetCartesianRefAxis() {
    if (FCartesianRefAxis == nullptr && Plot() != nullptr) {
        if (IsXAxis()) {
            FCartesianRefAxis = Plot()->GetYAxisByName(FCartesianChildRefAxisName);
        } else {
            FCartesianRefAxis = Plot()->GetXAxisByName(FCartesianChildRefAxisName);
        }
    }
    return FCartesianRefAxis;
}

TiPlotAxis* TiPlotAxis::GetAlignRefAxis() {
    if (FAlignRefAxis == nullptr && Plot() != nullptr) {
        if (IsXAxis()) {
            FAlignRefAxis = Plot()->GetXAxisByName(FAlignRefAxisName);
        } else {
            FAlignRefAxis = Plot()->GetYAxisByName(FAlignRefAxisName);
        }
    }
    return FAlignRefAxis;
}

void TiPlotAxis::NotificationRemove(TiPlotObject* sender) {
    if (sender == FCartesianRefAxis) FCartesianRefAxis = nullptr;
    if (sender == FAlignRefAxis) FAlignRefAxis = nullptr;
}

void TiPlotAxis::NotificationRename(TiPlotObject* sender) {
    if (sender != nullptr && sender == FCartesianRefAxis) {
        FCartesianChildRefAxisName = sender->Name();
    }
}

bool TiPlotAxis::MouseHitTest(const TiPlotMouseData& mouseData) {
    return PtInRect(FFocusRect, {mouseData.X, mouseData.Y});
}

}  // namespace dsp
