#include "widgets/styled/AdvProgressBar.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Bitmap.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Format.h"
#include "widgets/styled/GDIPPictureContainer.h"
#include "widgets/styled/UserFormat.h"

namespace dsp {

namespace {

constexpr std::uint32_t kProgressBarVersion = 0x01020000;  // 1.2.0.0
constexpr TColor kCornerColor = 0xFF00FF;                  // fuchsia: left out when drawn

// Nearest integer, halves to even.
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

void FillRectColor(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Brush()->SetColor(color);
    canvas->Pen()->SetColor(color);
    canvas->Rectangle(r);
}

void FillStripedGradient(TCanvas* canvas, TColor from, TColor to, bool acrossX, const TRect& r,
                         int steps) {
    if (steps <= 0) steps = 1;
    const auto f = static_cast<TColorRef>(ColorToRGB(from));
    const auto t = static_cast<TColorRef>(ColorToRGB(to));
    const double h = static_cast<double>(acrossX ? r.Width() : r.Height()) / steps;
    for (int n = 0; n < steps; ++n) {
        auto mix = [&](int a, int b) {
            return a + Round(static_cast<double>(n) * (b - a) / steps);
        };
        const TColor c = static_cast<TColor>(RGB(mix(GetRValue(f), GetRValue(t)),
                                                 mix(GetGValue(f), GetGValue(t)),
                                                 mix(GetBValue(f), GetBValue(t))));
        canvas->Pen()->SetColor(c);
        canvas->Brush()->SetColor(c);
        if (acrossX) {
            const int first = r.Left + Round(n * h);
            const int last = std::min(r.Right, first + static_cast<int>(h) + 1);
            canvas->Rectangle(first, r.Top, last, r.Bottom);
        } else {
            const int first = r.Top + Round(n * h);
            const int last = std::min(r.Bottom, first + static_cast<int>(h) + 1);
            canvas->Rectangle(r.Left, first, r.Right, last);
        }
    }
}

// One piece of the bar in a colour pair: strongest in the middle of its thickness.
void FillPiece(TCanvas* canvas, const TRect& r, TColor color, TColor colorTo,
               const TGaugeSettings& s) {
    if (!s.ShowGradient) {
        FillRectColor(canvas, r, color);
        return;
    }
    if (s.Orientation == goVertical) {
        const int mid = r.Left + (r.Right - r.Left) / 2;
        FillStripedGradient(canvas, colorTo, color, true, Rect(r.Left, r.Top, mid, r.Bottom),
                            s.Steps);
        FillStripedGradient(canvas, color, colorTo, true, Rect(mid, r.Top, r.Right, r.Bottom),
                            s.Steps);
    } else {
        const int mid = r.Top + (r.Bottom - r.Top) / 2;
        FillStripedGradient(canvas, colorTo, color, false, Rect(r.Left, r.Top, r.Right, mid),
                            s.Steps);
        FillStripedGradient(canvas, color, colorTo, false, Rect(r.Left, mid, r.Right, r.Bottom),
                            s.Steps);
    }
}

void DrawZoneBackgrounds(TCanvas* canvas, const TRect& r, const TGaugeSettings& s, int length) {
    if (s.Level0BkColor == clNone && s.Level1BkColor == clNone && s.Level2BkColor == clNone) return;
    const int w1 = Round(s.Level1Perc / 100.0 * length);
    const int w2 = Round(length * (s.Level2Perc - s.Level1Perc) / 100.0);
    const int w3 = length - w1 - w2;
    TRect z0;
    TRect z1;
    TRect z2;
    if (s.Orientation == goVertical) {
        z0 = Rect(r.Left + 1, r.Bottom - w1 + 1, r.Right - 1, r.Bottom - 2);
        z1 = Rect(r.Left + 1, z0.Top - w2, r.Right - 1, z0.Top);
        z2 = Rect(r.Left + 1, z1.Top - 1 - w3, r.Right - 1, z1.Top - 1);
    } else {
        z0 = Rect(r.Left + 2, r.Top + 1, r.Left + w1, r.Bottom - 1);
        z1 = Rect(z0.Right, r.Top + 1, z0.Right + w2, r.Bottom - 1);
        z2 = Rect(z1.Right, r.Top + 1, z1.Right + w3, r.Bottom - 1);
    }
    if (s.Level0BkColor != clNone) FillRectColor(canvas, z0, s.Level0BkColor);
    if (s.Level1BkColor != clNone) FillRectColor(canvas, z1, s.Level1BkColor);
    if (s.Level2BkColor != clNone) FillRectColor(canvas, z2, s.Level2BkColor);
}

void DrawBlocks(TCanvas* canvas, const TRect& r, const TGaugeSettings& s, int length, TColor color,
                TColor colorTo) {
    const bool vertical = s.Orientation == goVertical;
    if (s.CompletionSmooth) {
        const int u = Round(s.Position / 100.0 * length);
        FillPiece(canvas,
                  vertical ? Rect(r.Left + 2, r.Bottom - u, r.Right - 2, r.Bottom - 2)
                           : Rect(r.Left + 2, r.Top + 2, r.Left + u, r.Bottom - 2),
                  color, colorTo, s);
        return;
    }
    const int h = Round(static_cast<double>(s.Position) * length / 100.0);
    if (h < 10) {
        if (h > 1)
            FillPiece(canvas,
                      vertical ? Rect(r.Left + 2, r.Bottom - h - 1, r.Right - 2, r.Bottom - 2)
                               : Rect(r.Left + 2, r.Top + 2, r.Left + h + 1, r.Bottom - 2),
                      color, colorTo, s);
        return;
    }
    TRect block = vertical ? Rect(r.Left + 2, r.Bottom - 9, r.Right - 2, r.Bottom - 2)
                           : Rect(r.Left + 2, r.Top + 2, r.Left + 9, r.Bottom - 2);
    FillPiece(canvas, block, color, colorTo, s);
    for (int i = 0; i < h / 9 - 1; ++i) {
        block = vertical ? Rect(block.Left, block.Top - 9, block.Right, block.Top - 2)
                         : Rect(block.Right + 2, block.Top, block.Right + 9, block.Bottom);
        FillPiece(canvas, block, color, colorTo, s);
    }
    const int rest = h % 9;
    if (rest > 2) {
        block = vertical ? Rect(block.Left, std::max(r.Top + 2, block.Top - 1 - rest), block.Right,
                                block.Top - 2)
                         : Rect(block.Right + 2, block.Top, block.Right + 1 + rest, block.Bottom);
        FillPiece(canvas, block, color, colorTo, s);
    }
}

void DrawStacked(TCanvas* canvas, const TRect& r, const TGaugeSettings& s, int length) {
    const bool vertical = s.Orientation == goVertical;
    const bool last0 = s.Position < s.Level1Perc;
    const int l0 =
        last0 ? Round(s.Position / 100.0 * length) : Round(s.Level1Perc / 100.0 * length);
    const TRect z0 = vertical ? Rect(r.Left + 1, r.Bottom - l0 + 1, r.Right - 1, r.Bottom - 2)
                              : Rect(r.Left + 2, r.Top + 1, r.Left + l0, r.Bottom - 1);
    FillPiece(canvas, z0, s.Level0Color, s.Level0ColorTo, s);
    if (last0) return;
    const bool last1 = s.Position < s.Level2Perc;
    const int l1 = last1 ? Round(length * (s.Position - s.Level1Perc) / 100.0)
                         : Round(length * (s.Level2Perc - s.Level1Perc) / 100.0);
    const TRect z1 = vertical ? Rect(r.Left + 1, z0.Top - l1, r.Right - 1, z0.Top)
                              : Rect(z0.Right, r.Top + 1, z0.Right + l1, r.Bottom - 1);
    FillPiece(canvas, z1, s.Level1Color, s.Level1ColorTo, s);
    if (last1) return;
    const int l2 =
        s.Position == 100 ? length - l0 - l1 : Round(length * (s.Position - s.Level2Perc) / 100.0);
    const TRect z2 = vertical ? Rect(r.Left + 1, z1.Top - 1 - l2, r.Right - 1, z1.Top - 1)
                              : Rect(z1.Right, r.Top + 1, z1.Right + l2, r.Bottom - 1);
    FillPiece(canvas, z2, s.Level2Color, s.Level2ColorTo, s);
}

void DrawSweep(TCanvas* canvas, const TRect& r, const TGaugeSettings& s) {
    canvas->Brush()->SetColor(s.BackgroundColor);
    canvas->Pen()->SetColor(s.BackgroundColor);
    if (s.Orientation == goVertical) {
        const int extent = r.Bottom - r.Top - 4;
        const int p = extent <= 0 ? 0 : Round(s.InfinitePos / 100.0 * extent);
        canvas->Rectangle(r.Left + 2, r.Top + 2, r.Right - 2, r.Top + 2 + std::max(0, p - 12));
        canvas->Rectangle(r.Left + 2, std::min(r.Bottom - 2, r.Top + p + 12), r.Right - 2,
                          r.Bottom - 2);
    } else {
        const int extent = r.Right - r.Left - 4;
        const int p = extent <= 0 ? 0 : Round(s.InfinitePos / 100.0 * extent);
        canvas->Rectangle(r.Left + 2, r.Top + 1, r.Left + 2 + std::max(0, p - 12), r.Bottom - 1);
        canvas->Rectangle(std::min(r.Right - 2, r.Left + p + 12), r.Top + 2, r.Right - 2,
                          r.Bottom - 2);
    }
}

void DrawGaugeText(TCanvas* canvas, const TRect& r, const TGaugeSettings& s) {
    canvas->Brush()->SetStyle(bsClear);
    if (s.Font != nullptr) canvas->Font()->Assign(s.Font);
    const std::string text = GaugeText(s);
    const int tw = canvas->TextWidth(text);
    const int th = canvas->TextHeight(text);
    if (s.Orientation == goVertical) {
        TLogFont turned = canvas->Font()->LogFont();
        turned.lfEscapement = 900;
        turned.lfOrientation = 900;
        canvas->Font()->SetLogFont(turned);
        canvas->TextOut(r.Left + (r.Right - r.Left) / 2 - th / 2,
                        r.Top + (r.Bottom - r.Top) / 2 + tw / 2, text);
    } else {
        canvas->TextOut(r.Left + (r.Right - r.Left) / 2 - tw / 2,
                        r.Top + (r.Bottom - r.Top) / 2 - th / 2, text);
    }
}

}  // namespace

std::string GaugeText(const TGaugeSettings& s) {
    const std::string fallback = Format("%d%%", s.Position);
    if (!s.Format.empty()) return TryUserFormat(s.Format, s.Value, s.Max).value_or(fallback);
    return s.ShowPercentage ? fallback : Format("%d", s.Value);
}

void PaintGaugeBar(TCanvas* canvas, const TRect& r, TGaugeSettings s) {
    if (canvas == nullptr) return;
    int length = s.Orientation == goVertical ? r.Bottom - r.Top : r.Right - r.Left;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    if (s.Rounded) FillRectColor(canvas, r, kCornerColor);
    if (s.Infinite) {
        s.Position = 100;
        s.Level1Perc = 101;
        s.Level2Perc = 101;
    }
    canvas->Brush()->SetColor(s.BackgroundColor);
    canvas->Pen()->SetColor(s.ShowBorder ? s.BorderColor : s.BackgroundColor);
    if (s.Rounded) {
        canvas->RoundRect(r.Left, r.Top, r.Right, r.Bottom, 6, 6);
    } else {
        canvas->Rectangle(r);
    }
    length -= 2;
    DrawZoneBackgrounds(canvas, r, s, length);
    if (s.Position > 0) {
        if (s.Stacked) {
            DrawStacked(canvas, r, s, length);
        } else {
            TColor color = s.Level3Color;
            TColor colorTo = s.Level3ColorTo;
            if (s.Position < s.Level1Perc) {
                color = s.Level0Color;
                colorTo = s.Level0ColorTo;
            } else if (s.Position < s.Level2Perc) {
                color = s.Level1Color;
                colorTo = s.Level1ColorTo;
            } else if (s.Position < 100) {
                color = s.Level2Color;
                colorTo = s.Level2ColorTo;
            }
            DrawBlocks(canvas, r, s, length, color, colorTo);
        }
    }
    if (s.Infinite) DrawSweep(canvas, r, s);
    if (s.ShowPosition) DrawGaugeText(canvas, r, s);
}

// ---- TAdvProgressBar

TAdvProgressBar::TAdvProgressBar(TComponent* owner)
    : TGraphicControl(owner), FFontPercentage(std::make_unique<TFont>()) {
    FFontPercentage->SetName("Verdana");
    FFontPercentage->SetSize(10);
    FFontPercentage->OnChange = [this](TObject*) { Invalidate(); };
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(static_cast<unsigned>(FInfiniteInterval));
    FTimer->SetOnTimer([this](TObject*) { InfiniteTimerTick(); });
    SetBounds(Left(), Top(), 128, 18);
}

TAdvProgressBar::~TAdvProgressBar() { FFontPercentage->OnChange = nullptr; }

int TAdvProgressBar::Percentage() const {
    if (FMax == FMin) return 0;
    return Round(static_cast<double>(FPosition - FMin) / (FMax - FMin) * 100.0);
}

void TAdvProgressBar::SetPosition(int value) {
    if (value < FMin) {
        FPosition = FMin;
        return;
    }
    if (value > FMax) {
        FPosition = FMax;
        return;
    }
    FPosition = value;
    const int p = Percentage();
    // The order matters: the modulo is reached only with a step other than 0.
    if (FMaxIncrement == 0 || value % FMaxIncrement == 0 || value / FMaxIncrement != FOldBlockPos ||
        p != FOldPos)
        Paint();
    FOldPos = p;
    if (FMaxIncrement != 0) FOldBlockPos = FPosition / FMaxIncrement;
}

void TAdvProgressBar::SetMin(int value) {
    FMin = value;
    FMaxIncrement = (FMax - FMin) / 100;
    Invalidate();
}

void TAdvProgressBar::SetMax(int value) {
    FMax = value;
    FMaxIncrement = (FMax - FMin) / 100;
    Invalidate();
}

void TAdvProgressBar::UpdateTimer() { FTimer->SetEnabled(FInfinite && FAnimated); }

void TAdvProgressBar::SetAnimated(bool value) {
    FAnimated = value;
    UpdateTimer();
    Invalidate();
}

void TAdvProgressBar::SetInfinite(bool value) {
    FInfinite = value;
    UpdateTimer();
    if (value) FInfinitePos = 0;
    Invalidate();
}

void TAdvProgressBar::SetInfiniteInterval(int value) {
    FInfiniteInterval = value;
    FTimer->SetInterval(static_cast<unsigned>(std::max(0, value)));
}

void TAdvProgressBar::SetFont(TFont* value) {
    FFontPercentage->Assign(value);
    Invalidate();
}

std::string TAdvProgressBar::Version() const { return VersionText(kProgressBarVersion); }

void TAdvProgressBar::InfiniteTimerTick() {
    if (FInfiniteInc) {
        FInfinitePos += 4;
        if (FInfinitePos >= 100) {
            FInfinitePos = 100;
            FInfiniteInc = false;
        }
    } else {
        FInfinitePos -= 4;
        if (FInfinitePos <= 0) {
            FInfinitePos = 0;
            FInfiniteInc = true;
        }
    }
    Paint();
}

void TAdvProgressBar::Paint() {
    const bool designing = ComponentState().Contains(csDesigning);
    if ((!Visible() && !designing) || Parent() == nullptr) return;
    const TRect r = Rect(0, 0, Width(), Height());
    if (r.Width() <= 0 || r.Height() <= 0) return;
    TFont font;
    font.Assign(FFontPercentage.get());
    TGaugeSettings s;
    s.Level0Color = FLevel0Color;
    s.Level0ColorTo = FLevel0ColorTo;
    s.Level1Color = FLevel1Color;
    s.Level1ColorTo = FLevel1ColorTo;
    s.Level2Color = FLevel2Color;
    s.Level2ColorTo = FLevel2ColorTo;
    s.Level3Color = FLevel3Color;
    s.Level3ColorTo = FLevel3ColorTo;
    s.Level1Perc = FLevel1Perc;
    s.Level2Perc = FLevel2Perc;
    s.BorderColor = FBorderColor;
    s.Level0BkColor = FLevel0BkColor;
    s.Level1BkColor = FLevel1BkColor;
    s.Level2BkColor = FLevel2BkColor;
    s.ShowBorder = FShowBorder;
    s.Stacked = FStacked;
    s.ShowPercentage = FShowPercentage;
    s.ShowPosition = FShowPosition;
    s.Font = &font;
    s.CompletionSmooth = FCompletionSmooth;
    s.ShowGradient = FShowGradient;
    s.Steps = FSteps;
    s.Format = FFormat;
    s.Position = Percentage();
    s.Value = FPosition;
    s.Max = FMax;
    s.BackgroundColor = FBackgroundColor;
    s.Orientation = FOrientation;
    s.Rounded = FRounded;
    s.Infinite = FInfinite;
    s.InfinitePos = FInfinitePos;
    TBitmap bitmap(r.Width(), r.Height());
    PaintGaugeBar(bitmap.Canvas(), r, s);
    if (FRounded) {
        // The fuchsia corners let the parent show through.
        bitmap.SetTransparentMode(tmAuto);
        bitmap.SetTransparent(true);
    }
    Canvas()->Draw(0, 0, &bitmap);
}

}  // namespace dsp
