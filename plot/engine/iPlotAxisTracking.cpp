// TiPlotAxis: tracking of new data, increment alignment, zoom to fit, zoom and scroll, and the
// user's control of an axis by mouse, wheel and keys.

#include <cmath>

#include "framework/controls/KeyMap.h"
#include "framework/desktop/Cursors.h"
#include "framework/text/StrUtils.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

// ---- tracking

void TiPlotAxis::NewTrackingData(double value) {
    if (!FTrackingEnabled || !std::isfinite(value)) return;
    double m = FMin;
    double s = FSpan;
    const double maxAtEntry = Max();
    if (!FFirstAlignDone) {
        FFirstAlignDone = true;
        switch (FTrackingAlignFirstStyle) {
            case ipafsMin: m = value; break;
            case ipafsMax: m = value - FSpan; break;
            case ipafsAuto:
                if (value < FMin || value > Max()) m = value;
                break;
            case ipafsNone: return;
        }
        SetMinSpan(m, s);
        return;
    }
    switch (FTrackingStyle) {
        case iptsScaleMinMax:
            if (m + FSpan < value) s = value - m;
            if (value < m) m = value;
            SetMinSpan(m, s);
            AlignToIncrement();
            break;
        case iptsScaleMax:
            if (value > Max()) {
                SetMinSpan(m, value - Max() + FSpan);
                AlignToIncrement();
            }
            break;
        case iptsScaleMin:
            if (value < FMin) {
                SetMinSpan(value, maxAtEntry - value);
                AlignToIncrement();
            }
            break;
        case iptsScrollSmooth:
        case iptsScrollPage: {
            const bool beyond = m + FSpan < value;
            if (beyond && FTrackingScrollCompressMax != 0) {
                if (value - m > FSpan) s = value - m;
                if (FSpan > FTrackingScrollCompressMax) s = FTrackingScrollCompressMax;
            }
            if (FTrackingStyle == iptsScrollSmooth) {
                if (beyond) {
                    m = value - s;
                } else if (value < FMin) {
                    m = value;
                }
            } else {
                if (beyond) {
                    m = m + s;
                } else if (value < FMin) {
                    m = m - s;
                }
            }
            SetMinSpan(m, s);
            break;
        }
        case iptsExpandCollapse:
            ZoomToFit();
            AlignToIncrement();
            break;
        case iptsExpandCollapseFast:
            ZoomToFitFast();
            AlignToIncrement();
            break;
        case iptsExpandMinMax:
            if (value > Max()) s = s + (value - Max());
            if (value < FMin) {
                s = FMin - value + FSpan;
                m = value;
            }
            SetMinSpan(m, s);
            AlignToIncrement();
            break;
    }
    if (FTrackingSpanMinimum != 0 && FSpan < FTrackingSpanMinimum) {
        SetMinSpan(Mid() - FTrackingSpanMinimum / 2, FTrackingSpanMinimum);
    }
    if (FTrackingMinMargin != 0 && FMin + FTrackingMinMargin > value) {
        SetMinSpan(value - FTrackingMinMargin, FSpan);
    }
    if (FTrackingMaxMargin != 0 && value > Max() - FTrackingMaxMargin) {
        SetMinSpan(FMin, value - (Max() - FTrackingMaxMargin) + FSpan);
    }
}

void TiPlotAxis::AlignToIncrement() {
    if (FTrackingIncrementStyle == iptisMinimum) return;
    const double inc = FTrackingIncrementStyle == iptisMajor ? FMajorIncrement : FMinorIncrement;
    if (!(inc > 0) || !std::isfinite(inc)) return;
    // Trunc toward zero in 64 bits; quotients beyond that range are left as they are.
    const auto trunc = [](double v) {
        return std::abs(v) < 9e18 ? static_cast<double>(static_cast<long long>(v)) : v;
    };
    const double max = Max();
    double newMax = max;
    if (max / inc != std::trunc(max / inc)) newMax = trunc(max / inc) * inc;
    double newMin = FMin;
    if (FMin / inc != std::trunc(FMin / inc)) newMin = trunc(FMin / inc) * inc;
    if (newMax < max) newMax += inc;
    if (newMin > FMin) newMin -= inc;
    if (newMin != FMin || newMax != max) SetMinSpan(newMin, newMax - newMin);
}

namespace {

// The extremes of the channels on the axis, by their fit values or their running statistics.
template <typename High, typename Low>
void FitRange(TiPlotComponent* plot, const TiPlotAxis& axis, High high, Low low, double& hi,
              double& lo) {
    hi = -1e300;
    lo = 1e300;
    if (plot == nullptr) return;
    for (int i = 0; i < plot->ChannelCount(); ++i) {
        TiPlotChannelCustom* channel = plot->GetChannel(i);
        const std::string& name = axis.IsXAxis() ? channel->XAxisName() : channel->YAxisName();
        if (!SameText(name, axis.Name())) continue;
        hi = std::max(hi, high(channel));
        lo = std::min(lo, low(channel));
    }
}

}  // namespace

void TiPlotAxis::ZoomToFit() {
    double hi = 0;
    double lo = 0;
    if (IsXAxis()) {
        FitRange(
            Plot(), *this, [](TiPlotChannelCustom* c) { return c->GetFitXMax(); },
            [](TiPlotChannelCustom* c) { return c->GetFitXMin(); }, hi, lo);
    } else {
        FitRange(
            Plot(), *this, [](TiPlotChannelCustom* c) { return c->GetFitYMax(); },
            [](TiPlotChannelCustom* c) { return c->GetFitYMin(); }, hi, lo);
    }
    if (!(hi > -1e300 && lo < 1e300 && hi != lo)) return;
    double d = hi - lo;
    if (FTrackingSpanMinimum != 0 && d < FTrackingSpanMinimum) d = FTrackingSpanMinimum;
    SetMinSpan(lo - FTrackingMinMargin, d + FTrackingMaxMargin + FTrackingMinMargin);
}

void TiPlotAxis::ZoomToFitFast() {
    double hi = 0;
    double lo = 0;
    if (IsXAxis()) {
        FitRange(
            Plot(), *this, [](TiPlotChannelCustom* c) { return c->RunningXMax(); },
            [](TiPlotChannelCustom* c) { return c->RunningXMin(); }, hi, lo);
    } else {
        FitRange(
            Plot(), *this, [](TiPlotChannelCustom* c) { return c->RunningYMax(); },
            [](TiPlotChannelCustom* c) { return c->RunningYMin(); }, hi, lo);
    }
    if (!(hi > -1e300 && lo < 1e300 && hi != lo)) return;
    SetMinSpan(lo - FTrackingMinMargin, hi - lo + FTrackingMaxMargin + FTrackingMinMargin);
}

void TiPlotAxis::ZoomByPower(double min, double span, double max, double factor) {
    if (FScaleType == ipstLinear) {
        const double newSpan = span / std::pow(10.0, factor);
        const double middle = (max + min) / 2;
        SetMinSpan(middle - newSpan / 2, newSpan);
        return;
    }
    const double f = std::pow(10.0, factor);
    SetMinSpan(min * f, span / f);
}

void TiPlotAxis::ScrollByFraction(double min, double span, double max, double fraction) {
    if (FScaleType == ipstLinear) {
        double n = min + fraction * span;
        if (FScrollMinMaxEnabled) {
            if (n <= FScrollMin) {
                n = FScrollMin;
            } else if (n + FSpan >= FScrollMax) {
                n = FScrollMax - FSpan;
            }
        }
        SetMinSpan(n, FSpan);
        return;
    }
    if (!(min > 0) || !(max > 0)) return;
    const double l = std::log10(max) - std::log10(min);
    double n = std::pow(10.0, fraction * l) * min;
    double x = std::pow(10.0, fraction * l) * max;
    if (FScrollMinMaxEnabled) {
        if (n <= FScrollMin) {
            n = FScrollMin;
            x = std::pow(10.0, l) * FScrollMin;
        } else if (n + FSpan >= FScrollMax) {
            n = FScrollMax / std::pow(10.0, l);
            x = FScrollMax;
        }
    }
    SetMinSpan(n, x - n);
}

TiPlotAxisMode TiPlotAxis::GetEffectiveMode(TShiftState shift) const {
    if (!shift.Contains(ssCtrl)) return FMode;
    return FMode == ipamScroll ? ipamZoom : ipamScroll;
}

// ---- the user's control

void TiPlotAxis::DoMouseLeft(const TiPlotMouseData& mouseData) {
    if (FMasterUIInput && Plot() != nullptr) Plot()->MasterAxisMouseLeft(this, mouseData);
    axisMouseDown_ = true;
    FMouseDownX = mouseData.X;
    FMouseDownY = mouseData.Y;
    FMouseDownMin = FMin;
    FMouseDownSpan = FSpan;
}

void TiPlotAxis::DoMouseMove(const TiPlotMouseData& mouseData) {
    if (!axisMouseDown_) return;
    if (FMasterUIInput && Plot() != nullptr) Plot()->MasterAxisMouseMove(this, mouseData);
    if (mouseData.DblClickActive) return;
    InvalidateNow();
    SetTrackingEnabled(false);
    int delta = 0;
    if (IsHorz()) {
        delta = FReverseScale ? FMouseDownX - mouseData.X : mouseData.X - FMouseDownX;
    } else {
        delta = FReverseScale ? mouseData.Y - FMouseDownY : FMouseDownY - mouseData.Y;
    }
    const int length = GetScaleLength();
    const double fraction = length != 0 ? static_cast<double>(delta) / length : 0;
    if (GetEffectiveMode(mouseData.Shift) == ipamScroll) {
        ScrollByFraction(FMin, FSpan, Max(), -fraction);
    } else {
        ZoomByPower(FMin, FSpan, Max(), FScaleType == ipstLinear ? fraction / 4 : fraction * 2);
    }
    FMouseDownX = mouseData.X;
    FMouseDownY = mouseData.Y;
}

void TiPlotAxis::DoMouseUp(const TiPlotMouseData& mouseData) {
    if (!axisMouseDown_) return;
    struct TEndDrag {
        bool& down;
        ~TEndDrag() { down = false; }
    } endDrag{axisMouseDown_};
    if (FMasterUIInput && Plot() != nullptr) Plot()->MasterAxisMouseUp(this, mouseData);
    if (Plot() == nullptr) return;
    if (MouseHitTest(mouseData)) Plot()->DoObjectClick(this);
    if (FMin != FMouseDownMin || FSpan != FMouseDownSpan) {
        Plot()->DoAxisMinSpanChangeFinished(this, FMouseDownMin, FMouseDownSpan, FMin, FSpan);
    }
}

bool TiPlotAxis::DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y) {
    if (wheelDelta == 0) return true;
    SetTrackingEnabled(false);
    if (FMasterUIInput && Plot() != nullptr)
        Plot()->MasterAxisMouseWheel(this, wheelDelta, shift, x, y);
    const double sign = wheelDelta > 0 ? 1 : -1;
    if (GetEffectiveMode(shift) == ipamScroll) {
        ScrollByFraction(FMin, FSpan, Max(), sign * 0.05);
    } else {
        ZoomByPower(FMin, FSpan, Max(), sign * (FScaleType == ipstLinear ? 0.025 : 0.05));
    }
    return true;
}

void TiPlotAxis::DoKeyDown(TKeyCode& key, TShiftState shift, TPopupMenu* popupMenu) {
    TiPlotLayoutObject::DoKeyDown(key, shift, popupMenu);
    if (FMasterUIInput && Plot() != nullptr) Plot()->MasterAxisKeyDown(this, key, shift);
    SetTrackingEnabled(false);
    FMouseDownMin = FMin;
    FMouseDownSpan = FSpan;
    double step = 0;
    switch (key) {
        case VK_PRIOR:
        case VK_END: step = 1; break;
        case VK_NEXT:
        case VK_HOME: step = -1; break;
        case VK_UP:
        case VK_RIGHT: step = 0.01; break;
        case VK_LEFT:
        case VK_DOWN: step = -0.01; break;
        default: break;
    }
    if (step != 0) {
        InvalidateNow();
        if (FMode == ipamScroll) {
            ScrollByFraction(FMin, FSpan, Max(), step);
        } else {
            ZoomByPower(FMin, FSpan, Max(), step);
        }
    }
    if ((FMin != FMouseDownMin || FSpan != FMouseDownSpan) && Plot() != nullptr) {
        Plot()->DoAxisMinSpanChangeFinished(this, FMouseDownMin, FMouseDownSpan, FMin, FSpan);
    }
}

void TiPlotAxis::DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData) {
    if (FTitleShow || Plot() == nullptr) return;
    std::string text = FTitle;
    TCanvas* canvas = Plot()->Canvas();
    canvas->Font()->Assign(FTitleFont.get());
    hintData.Left = mouseData.X;
    hintData.Top = mouseData.Y - 20;
    hintData.Width = canvas->TextWidth(text) + 4;
    hintData.Height = canvas->TextHeight(text) + 4;
    if (IsXAxis()) {
        Plot()->DoXAxisCustomizeHint(this, text);
    } else {
        Plot()->DoYAxisCustomizeHint(this, text);
    }
    hintData.Text = text;
}

TCursor TiPlotAxis::CheckMouseOver(TPoint) {
    TCursor cursor = crHandPoint;
    if (FMode == ipamZoom) cursor = IsHorz() ? crSizeWE : crSizeNS;
    if (Plot() != nullptr) Plot()->DoObjectGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotAxis::NotificationSetFocus(TiPlotObject* sender) {
    if (sender == nullptr || sender == this || !sender->UserSelected()) return;
    const bool axis =
        sender->Kind() == TiPlotObjectKind::XAxis || sender->Kind() == TiPlotObjectKind::YAxis;
    if (axis && (ShiftState().Contains(ssShift) || ShiftState().Contains(ssCtrl))) return;
    SetUserSelected(false);
}

void TiPlotAxis::ClearPopupMenuItems(TPopupMenu* popupMenu) {
    TiPlotLayoutObject::ClearPopupMenuItems(popupMenu);
    AddEditMenuItem(popupMenu);
    TMenuItem* items = popupMenu->Items();

    auto* tracking = new TiMenuItem(popupMenu);
    tracking->SetCaption(TranslateString("Tracking Enabled"));
    tracking->SetChecked(FTrackingEnabled);
    tracking->OnClick = [this](TObject*) { SetTrackingEnabled(!FTrackingEnabled); };
    items->Insert(0, tracking);

    auto* resume = new TiMenuItem(popupMenu);
    resume->SetCaption(TranslateString("Update Resume Values"));
    resume->SetEnabled(!FTrackingEnabled && (FPreviousMin != FMin || FPreviousSpan != FSpan));
    resume->OnClick = [this](TObject*) { UpdateResumeValues(); };
    items->Insert(1, resume);

    auto* fit = new TiMenuItem(popupMenu);
    fit->SetCaption(TranslateString("Zoom to Fit"));
    fit->OnClick = [this](TObject*) { ZoomToFit(); };
    items->Insert(2, fit);
}

}  // namespace dsp
