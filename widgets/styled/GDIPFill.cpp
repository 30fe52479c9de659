#include "widgets/styled/GDIPFill.h"

#include <cmath>

#include "framework/core/Exceptions.h"
#include "framework/text/IniFile.h"
#include "framework/text/Streams.h"

namespace dsp {

namespace {

// Nearest integer, halves to even.
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

REAL F(double v) { return static_cast<REAL>(v); }

// The rounding of one part of a two-part body.
TFillRoundingType PartRounding(TFillRoundingType type, bool lower) {
    switch (type) {
        case rtNone: return rtNone;
        case rtTop: return lower ? rtNone : rtTop;
        case rtBottom: return lower ? rtBottom : rtNone;
        case rtBoth: return lower ? rtBottom : rtTop;
        default: return type;
    }
}

TRect PictureBox(const TGPRectF& r) {
    const int x = Round(r.X);
    const int y = Round(r.Y);
    return {x, y, x + Round(r.Width), y + Round(r.Height)};
}

// Clips the graphics to a rectangle (replacing any clip).
void ClipTo(TGPGraphics* g, const TGPRectF& r) {
    TGPGraphicsPath path;
    path.AddRectangle(r);
    g->SetClip(&path, CombineModeReplace);
}

}  // namespace

// ---- TGDIPFill

TGDIPFill::TGDIPFill()
    : FPicture(std::make_unique<TAdvGDIPPicture>()),
      FBackGroundPicture(std::make_unique<TAdvGDIPPicture>()) {
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    FBackGroundPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TGDIPFill::~TGDIPFill() {
    FPicture->OnChange = nullptr;
    FBackGroundPicture->OnChange = nullptr;
}

void TGDIPFill::NotifyChanged() {
    if (OnChange && FUpdateCount == 0) OnChange(this);
}

void TGDIPFill::SetPicture(TAdvGDIPPicture* v) {
    ++FUpdateCount;
    FPicture->Assign(v);
    --FUpdateCount;
    PictureChanged();
}

void TGDIPFill::SetBackGroundPicture(TAdvGDIPPicture* v) {
    ++FUpdateCount;
    FBackGroundPicture->Assign(v);
    --FUpdateCount;
    NotifyChanged();
}

void TGDIPFill::Assign(TPersistent* source) {
    auto* f = dynamic_cast<TGDIPFill*>(source);
    if (f == nullptr || f == this) return;
    ++FUpdateCount;  // the pictures' own change events join the one below
    FPictureAspectRatio = f->FPictureAspectRatio;
    FPictureAspectMode = f->FPictureAspectMode;
    FBackGroundPictureAspectRatio = f->FBackGroundPictureAspectRatio;
    FBackGroundPictureAspectMode = f->FBackGroundPictureAspectMode;
    FColor = f->FColor;
    FColorTo = f->FColorTo;
    FColorMirror = f->FColorMirror;
    FColorMirrorTo = f->FColorMirrorTo;
    FGradientType = f->FGradientType;
    FGradientMirrorType = f->FGradientMirrorType;
    FHatchStyle = f->FHatchStyle;
    FHatchStyleMirror = f->FHatchStyleMirror;
    FBackGroundPicture->Assign(f->FBackGroundPicture.get());
    FBackGroundPicturePosition = f->FBackGroundPicturePosition;
    FBackGroundPictureLeft = f->FBackGroundPictureLeft;
    FBackGroundPictureTop = f->FBackGroundPictureTop;
    FPicture->Assign(f->FPicture.get());
    FPicturePosition = f->FPicturePosition;
    FPictureLeft = f->FPictureLeft;
    FPictureTop = f->FPictureTop;
    FpictureSize = f->FpictureSize;
    FpictureWidth = f->FpictureWidth;
    FpictureHeight = f->FpictureHeight;
    FOpacity = f->FOpacity;
    FOpacityTo = f->FOpacityTo;
    FOpacityMirror = f->FOpacityMirror;
    FOpacityMirrorTo = f->FOpacityMirrorTo;
    FBorderColor = f->FBorderColor;
    FBorderWidth = f->FBorderWidth;
    FRounding = f->FRounding;
    FRoundingType = f->FRoundingType;
    FShadowColor = f->FShadowColor;
    FShadowOffset = f->FShadowOffset;
    FShadowType = f->FShadowType;
    FAngle = f->FAngle;
    FBorderOpacity = f->FBorderOpacity;
    FBackGroundPictureMode = f->FBackGroundPictureMode;
    FGlowGradientColor = f->FGlowGradientColor;
    FGlowRadialColor = f->FGlowRadialColor;
    FGlow = f->FGlow;
    --FUpdateCount;
    NotifyChanged();
}

TGPRectF TGDIPFill::Fill(TGPGraphics* g, const TGPRectF& r, std::uint8_t aBorderOpacity,
                         std::uint8_t aOpacity, std::uint8_t aOpacityTo,
                         std::uint8_t aOpacityMirror, std::uint8_t aOpacityMirrorTo) {
    const std::uint8_t o = aOpacity == 255 ? FOpacity : aOpacity;
    const std::uint8_t oTo = aOpacityTo == 255 ? FOpacityTo : aOpacityTo;
    const std::uint8_t om = aOpacityMirror == 255 ? FOpacityMirror : aOpacityMirror;
    const std::uint8_t omTo = aOpacityMirrorTo == 255 ? FOpacityMirrorTo : aOpacityMirrorTo;
    const std::uint8_t ob = aBorderOpacity == 255 ? FBorderOpacity : aBorderOpacity;
    REAL x = r.X;
    REAL y = r.Y;
    REAL w = r.Width;
    REAL h = r.Height;
    if (g == nullptr) return r;

    if (h == 1.0f || w == 1.0f) {
        // A rectangle one pixel thin is a line.
        if (FBorderWidth > 0 && FBorderColor != clNone) {
            TGPPen pen(ColorToArgbWithAlpha(ob, FBorderColor), F(FBorderWidth));
            g->DrawLine(&pen, x, y, x + w, y + h);
        }
    } else {
        // Shadow.
        if (FShadowOffset > 0 && FShadowColor != clNone) {
            const REAL s = F(FShadowOffset);
            if (FShadowType == stRightBottom || FShadowType == stSurround) {
                const bool surround = FShadowType == stSurround;
                std::unique_ptr<TGPGraphicsPath> outline(
                    CreateRoundedPath(TGPRectF{x, y, w, h}, surround ? FShadowOffset : FRounding,
                                      surround ? rtBoth : FRoundingType));
                TGPPathGradientBrush brush(outline.get());
                brush.SetWrapMode(WrapModeClamp);
                const ARGB shade = ColorToArgbWithAlpha(180, FShadowColor);
                const ARGB colors[3] = {0, shade, shade};
                const REAL positions[3] = {0.0f, 0.1f, 1.0f};
                brush.SetInterpolationColors(colors, positions, 3);
                g->FillPath(&brush, outline.get());
                if (surround) {
                    x += s;
                    y += s;
                    w -= 2 * s;
                    h -= 2 * s;
                } else {
                    w -= s;
                    h -= s;
                }
            } else {
                FillRadialGradient(g, TGPRectF{x, y + h - 2 * s, w, 2 * s},
                                   ColorToArgbWithAlpha(0, FShadowColor), rtBottom, FRounding, true,
                                   ColorToArgbWithAlpha(255, FShadowColor));
                h -= s;
            }
        }

        // Body.
        const TGPRectF body{x, y, w, h};
        auto radial = [&](const TGPRectF& part, TFillRoundingType type) {
            if (FColor == clNone) return;
            FillRadialGradient(g, part, ColorToArgbWithAlpha(o, FColor), type, FRounding, true,
                               ColorToArgbWithAlpha(oTo, FColorTo == clNone ? FColor : FColorTo));
        };
        if (FGradientType == gtHatch || FGradientType == gtTexture || FColorMirror == clNone) {
            if (FGradientType == gtRadial) {
                radial(body, FRoundingType);
            } else {
                DrawGradientBackGround(g, body, false, o, oTo, om, omTo);
            }
        } else {
            const REAL half = h / 2;
            const TGPRectF upper{x, y, w, h - half + 1};
            if (FGradientType == gtRadial) {
                radial(upper, rtTop);
            } else {
                DrawGradientBackGround(g, upper, false, o, oTo, om, omTo);
            }
            const TGPRectF lower{x, y + half - 1, w, h - half + 1};
            if (FGradientMirrorType == gtRadial && FColorMirror != clNone) {
                FillRadialGradient(
                    g, lower, ColorToArgbWithAlpha(om, FColorMirror), rtBottom, FRounding, false,
                    ColorToArgbWithAlpha(omTo,
                                         FColorMirrorTo == clNone ? FColorMirror : FColorMirrorTo));
            } else {
                DrawGradientBackGround(g, lower, true, o, oTo, om, omTo);
            }
        }

        // Background picture inside the fill.
        if (FBackGroundPictureMode == pmInsideFill) {
            FBackGroundPicture->GetImageSizes();
            const TRect box = PictureBox(body);
            if (FGradientType == gtTexture) {
                std::unique_ptr<TGPGraphicsPath> outline(
                    CreateRoundedPath(body, FRounding, FRoundingType));
                g->SetClip(outline.get(), CombineModeReplace);
                DrawFillPicture(g, FBackGroundPictureAspectRatio, FBackGroundPictureAspectMode,
                                FBackGroundPictureTop, FBackGroundPictureLeft, box,
                                FBackGroundPicture->Height(), FBackGroundPicture->Width(),
                                FBackGroundPicturePosition, FBackGroundPicture.get());
                g->ResetClip();
            }
        }

        // Border.
        if (FBorderWidth > 0 && FBorderColor != clNone) {
            std::unique_ptr<TGPGraphicsPath> outline(
                CreateRoundedPath(body, FRounding, FRoundingType));
            TGPPen pen(ColorToArgbWithAlpha(ob, FBorderColor), F(FBorderWidth));
            g->DrawPath(&pen, outline.get());
        }
    }

    DrawGlow(g, TGPRectF{x, y, w, h});

    const REAL b = F(FBorderWidth);
    FFocusRect = TGPRectF{x + b, y + b, w - 2 * b, h - 2 * b};
    if (FFocus) {
        std::unique_ptr<TGPGraphicsPath> outline(
            CreateRoundedPath(FFocusRect, FRounding - FBorderWidth, FRoundingType));
        TGPPen pen(ColorToArgbWithAlpha(o, FFocusColor), 1);
        pen.SetDashStyle(DashStyleDot);
        const SmoothingMode previous = g->GetSmoothingMode();
        g->SetSmoothingMode(SmoothingModeDefault);
        g->DrawPath(&pen, outline.get());
        g->SetSmoothingMode(previous);
    }

    const TRect box = PictureBox(TGPRectF{x, y, w, h});
    if (FBackGroundPictureMode == pmOutsideFill) {
        FBackGroundPicture->GetImageSizes();
        if (FGradientType == gtTexture)
            DrawFillPicture(g, FBackGroundPictureAspectRatio, FBackGroundPictureAspectMode,
                            FBackGroundPictureTop, FBackGroundPictureLeft, box,
                            FBackGroundPicture->Height(), FBackGroundPicture->Width(),
                            FBackGroundPicturePosition, FBackGroundPicture.get());
    }

    if (!FPicture->Empty()) {
        FPicture->GetImageSizes();
        const int pw = FpictureSize == psOriginal ? FPicture->Width() : FpictureWidth;
        const int ph = FpictureSize == psOriginal ? FPicture->Height() : FpictureHeight;
        DrawFillPicture(g, FPictureAspectRatio, FPictureAspectMode, FPictureTop, FPictureLeft, box,
                        ph, pw, FPicturePosition, FPicture.get());
    }
    return TGPRectF{x, y, w, h};
}

void TGDIPFill::DrawGradientBackGround(TGPGraphics* g, const TGPRectF& r, bool mirror,
                                       std::uint8_t oc, std::uint8_t octo, std::uint8_t ocmr,
                                       std::uint8_t ocmrto) {
    if (g == nullptr) return;
    FillShapeParams p;
    p.Graphics = g;
    p.Rect = r;
    p.GradientType = mirror ? FGradientMirrorType : FGradientType;
    p.Color = mirror ? FColorMirror : FColor;
    p.ColorTo = mirror ? FColorMirrorTo : FColorTo;
    p.Opacity = mirror ? ocmr : oc;
    p.OpacityTo = mirror ? ocmrto : octo;
    p.HatchStyle_ = mirror ? FHatchStyleMirror : FHatchStyle;
    if (p.Color == clNone) {
        p.GradientType = gtNone;
    } else if (p.ColorTo == clNone) {
        p.GradientType = gtSolid;
    }
    p.Angle = FAngle;
    p.Picture = FBackGroundPicturePosition == ppTiled ? FBackGroundPicture.get() : nullptr;
    p.BorderColor = clNone;
    p.Mirror = mirror;
    if (FRounding == 0) {
        FillShapeWithStyle(p);
        return;
    }
    const TFillRoundingType type =
        FColorMirror == clNone ? FRoundingType : PartRounding(FRoundingType, mirror);
    std::unique_ptr<TGPGraphicsPath> outline(CreateRoundedPath(r, FRounding, type));
    p.Path = outline.get();
    p.UsePath = true;
    const SmoothingMode previous = g->GetSmoothingMode();
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    FillShapeWithStyle(p);
    g->SetSmoothingMode(previous);
}

void TGDIPFill::DrawGlow(TGPGraphics* g, const TGPRectF& r) {
    if (FGlow == gmNone || g == nullptr) return;
    ClipTo(g, r);
    const TGPRectF r1{r.X + 1, r.Y + 1, r.Width - 2, r.Height - 2};
    const REAL right1 = r1.X + r1.Width;
    const REAL bottom1 = r1.Y + r1.Height;
    if (FGlow == gmGradient || FGlow == gmRadialGradient) {
        std::unique_ptr<TGPGraphicsPath> outline(CreateRoundedPath(r1, FRounding, FRoundingType));
        TGPPen pen(ColorToArgbWithAlpha(200, FGlowGradientColor), 1);
        g->DrawPath(&pen, outline.get());

        TGPLinearGradientBrush top(TGPRectF{r1.X + 4, r1.Y - 1, r1.Width - 8, 6},
                                   ColorToArgbWithAlpha(175, FGlowGradientColor),
                                   ColorToArgbWithAlpha(0, FGlowGradientColor),
                                   LinearGradientModeVertical);
        const TGPPointF topLeft[3] = {{r1.X, r1.Y}, {r1.X + 5, r1.Y}, {r1.X + 5, r1.Y + 4}};
        const TGPPointF topRight[3] = {{right1, r1.Y}, {right1 - 5, r1.Y}, {right1 - 5, r1.Y + 4}};
        g->FillPolygon(&top, topLeft, 3);
        g->FillPolygon(&top, topRight, 3);
        g->FillRectangle(&top, r1.X + 5, r1.Y, r1.Width - 10, 4);

        TGPLinearGradientBrush bottom(TGPRectF{r1.X + 4, bottom1 - 8, r1.Width - 8, 9},
                                      ColorToArgbWithAlpha(0, FGlowGradientColor),
                                      ColorToArgbWithAlpha(220, FGlowGradientColor),
                                      LinearGradientModeVertical);
        const TGPPointF bottomLeft[3] = {
            {r1.X, bottom1}, {r1.X + 5, bottom1}, {r1.X + 5, bottom1 - 7}};
        const TGPPointF bottomRight[3] = {
            {right1, bottom1}, {right1 - 5, bottom1}, {right1 - 5, bottom1 - 7}};
        g->FillPolygon(&bottom, bottomLeft, 3);
        g->FillPolygon(&bottom, bottomRight, 3);
        g->FillRectangle(&bottom, r1.X + 5, bottom1 - 7, r1.Width - 10, 7);
    }
    if (FGlow == gmRadial || FGlow == gmRadialGradient) {
        TGPGraphicsPath ellipse;
        ellipse.AddEllipse(r1.X + 10, r1.Y - r1.Height / 2, r1.Width - 20, 3 * r1.Height);
        TGPPathGradientBrush brush(&ellipse);
        brush.SetCenterPoint(TGPPointF{r1.X + r1.Width / 2, r1.Y + r1.Height});
        brush.SetCenterColor(ColorToArgbWithAlpha(150, FGlowRadialColor));
        const ARGB surround = ColorToArgbWithAlpha(0, FColor);
        INT one = 1;
        brush.SetSurroundColors(&surround, one);
        g->FillPath(&brush, &ellipse);
    }
    g->ResetClip();
}

// ---- shapes and placement

TGPGraphicsPath* CreateRoundedPath(const TGPRectF& r, int radius, TFillRoundingType roundingType) {
    auto* path = new TGPGraphicsPath(FillModeAlternate);
    AddRoundedOutline(roundingType, path, radius, 2 * radius, r);
    path->CloseFigure();
    return path;
}

void AddRoundedOutline(TFillRoundingType type, TGPGraphicsPath* path, int radius, int diameter,
                       const TGPRectF& r) {
    const REAL x = r.X;
    const REAL y = r.Y;
    const REAL rr = F(radius);
    const REAL d = F(diameter);
    const REAL right = r.X + r.Width;
    const REAL bottom = r.Y + r.Height;
    switch (type) {
        case rtNone:
            path->AddLine(x, y, right, y);
            path->AddLine(right, y, right, bottom);
            path->AddLine(right, bottom, x, bottom);
            path->AddLine(x, bottom, x, y);
            break;
        case rtTop:
            path->AddArc(x, y, d, d, 180, 90);
            path->AddLine(x + rr, y, right - rr, y);
            path->AddArc(right - d, y, d, d, 270, 90);
            path->AddLine(right, y + rr, right, bottom);
            path->AddLine(right, bottom, x, bottom);
            path->AddLine(x, bottom, x, y + rr);
            break;
        case rtBottom:
            path->AddLine(x, y, right, y);
            path->AddLine(right, y, right, bottom - rr);
            path->AddArc(right - d, bottom - d, d, d, 0, 90);
            path->AddLine(right - rr, bottom, x + rr, bottom);
            path->AddArc(x, bottom - d, d, d, 90, 90);
            path->AddLine(x, bottom - rr, x, y);
            break;
        case rtBoth:
            path->AddArc(x, y, d, d, 180, 90);
            path->AddLine(x + rr, y, right - rr, y);
            path->AddArc(right - d, y, d, d, 270, 90);
            path->AddLine(right, y + rr, right, bottom - rr);
            path->AddArc(right - d, bottom - d, d, d, 0, 90);
            path->AddLine(right - rr, bottom, x + rr, bottom);
            path->AddArc(x, bottom - d, d, d, 90, 90);
            path->AddLine(x, bottom - rr, x, y + rr);
            break;
        case rtLeft:
            path->AddArc(x, y, d, d, 180, 90);
            path->AddLine(x + rr, y, right - rr, y);
            path->AddLine(right, y, right, bottom);
            path->AddLine(right - rr, bottom, x + rr, bottom);
            path->AddArc(x, bottom - d, d, d, 90, 90);
            path->AddLine(x, bottom - rr, x, y + rr);
            break;
        case rtRight:
            path->AddLine(x, y, right - rr, y);
            path->AddArc(right - d, y, d, d, 270, 90);
            path->AddLine(right, y + rr, right, bottom - rr);
            path->AddArc(right - d, bottom - d, d, d, 0, 90);
            path->AddLine(right - rr, bottom, x, bottom);
            path->AddLine(x, bottom - rr, x, y + rr);
            break;
    }
}

void FillRadialGradient(TGPGraphics* g, const TGPRectF& r, ARGB colorA,
                        TFillRoundingType roundingType, int radius, bool atTop, ARGB colorB) {
    if (g == nullptr) return;
    std::unique_ptr<TGPGraphicsPath> outline(CreateRoundedPath(r, radius, roundingType));
    TGPSolidBrush solid(atTop ? colorA : colorB);
    g->FillPath(&solid, outline.get());
    g->SetClip(outline.get(), CombineModeReplace);
    TGPGraphicsPath ellipse;
    TGPPointF centre;
    if (atTop) {
        ellipse.AddEllipse(r.X, r.Y - r.Height / 2, r.Width, 1.5f * r.Height);
        centre = {r.X + r.Width / 2, r.Y};
    } else {
        ellipse.AddEllipse(r.X, r.Y, r.Width, 1.5f * r.Height);
        centre = {r.X + r.Width / 2, r.Y + r.Height};
    }
    TGPPathGradientBrush brush(&ellipse);
    brush.SetCenterPoint(centre);
    brush.SetCenterColor(atTop ? colorB : colorA);
    const ARGB surround = atTop ? colorA : colorB;
    INT one = 1;
    brush.SetSurroundColors(&surround, one);
    g->FillRectangle(&brush, r);
    g->ResetClip();
}

std::pair<double, double> FitPictureSize(TPictureMode mode, double w, double h, double bw,
                                         double bh) {
    if (w <= 0 || h <= 0 || bw <= 0 || bh <= 0) return {0, 0};
    if (mode == pmNormal && w < bw && h < bh) return {w, h};
    if (bw / bh > w / h) return {w * bh / h, bh};
    return {bw, h * bw / w};
}

void DrawFillPicture(TGPGraphics* g, bool aspectRatio, TPictureMode aspectMode, int customTop,
                     int customLeft, const TRect& box, int h, int w, TFillPicturePosition position,
                     TAdvGDIPPicture* picture) {
    if (g == nullptr || picture == nullptr || picture->Empty()) return;
    const int bw = box.Right - box.Left;
    const int bh = box.Bottom - box.Top;
    const int cx = box.Left + (bw - w) / 2;
    const int cy = box.Top + (bh - h) / 2;
    TRect target;
    switch (position) {
        case ppTopLeft: target = Bounds(box.Left, box.Top, w, h); break;
        case ppTopCenter: target = Bounds(cx, box.Top, w, h); break;
        case ppTopRight: target = Bounds(box.Right - w, box.Top, w, h); break;
        case ppBottomLeft: target = Bounds(box.Left, box.Bottom - h, w, h); break;
        case ppBottomCenter: target = Bounds(cx, box.Bottom - h, w, h); break;
        case ppBottomRight: target = Bounds(box.Right - w, box.Bottom - h, w, h); break;
        case ppTiled: return;  // the body's texture brush tiles it
        case ppStretched: {
            double fw = bw;
            double fh = bh;
            if (aspectRatio) std::tie(fw, fh) = FitPictureSize(aspectMode, w, h, bw, bh);
            target = Bounds(Round(box.Left + (bw - fw) / 2), Round(box.Top + (bh - fh) / 2),
                            Round(fw), Round(fh));
            break;
        }
        case ppCenterLeft: target = Bounds(box.Left, cy, w, h); break;
        case ppCenterCenter: target = Bounds(cx, cy, w, h); break;
        case ppCenterRight: target = Bounds(box.Right - w, cy, w, h); break;
        case ppCustom: target = Bounds(customLeft, customTop, w, h); break;
    }
    picture->GDIPDraw(g, target);
}

}  // namespace dsp
