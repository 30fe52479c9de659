// The splash screen's window: its paint steps, layered composition and fades.

#include <algorithm>
#include <cmath>

#include "framework/controls/ControlMessages.h"
#include "framework/controls/TopLevelWindow.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/Region.h"
#include "framework/runtime/Timer.h"
#include "widgets/styled/AdvSmoothSplashScreen.h"
#include "widgets/styled/GDIPPictureContainer.h"
#include "widgets/styled/MiniHtml.h"

namespace dsp {

namespace {

constexpr LRESULT MA_NOACTIVATE = 3;

REAL F(double v) { return static_cast<REAL>(v); }

TextRenderingHint HintOf(TAdvSmoothSplashScreenTextRenderingHint hint) {
    switch (hint) {
        case tAntiAlias: return TextRenderingHintAntiAlias;
        case tAntiAliasGridFit: return TextRenderingHintAntiAliasGridFit;
        case tClearType: break;
    }
    return TextRenderingHintClearTypeGridFit;
}

// The size of text in a font as the window's canvas measures it.
TSize CanvasTextSize(const std::string& text, TFont* font) {
    if (text.empty()) return {};
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(font);
    return {scratch.Canvas()->TextWidth(text), scratch.Canvas()->TextHeight(text)};
}

// Draws a PNG picture in its own size with the colour of its bottom-left pixel left out; other
// kinds of picture are not drawn, nor is one too large to decode.
void DrawKeyedPicture(TGPGraphics* g, TAdvGDIPPicture* picture, int x, int y) {
    if (picture == nullptr || picture->Empty()) return;
    IStream stream;
    stream.data = picture->SaveToBytes();
    if (stream.data.size() > PictureMemoryLimit()) return;
    TGPImage image(&stream);
    if (image.loadStatus != Ok || image.GetFormat() != ifPNG) return;
    const INT width = static_cast<INT>(image.GetWidth());
    const INT height = static_cast<INT>(image.GetHeight());
    if (width <= 0 || height <= 0) return;
    TGPBitmap* bitmap = TGPBitmap::FromStream(&stream);
    ARGB key = 0;
    if (bitmap != nullptr) {
        bitmap->GetPixel(0, height - 1, key);
        delete bitmap;
    }
    TGPImageAttributes attributes;
    attributes.SetColorKey(key, key);
    g->DrawImage(&image, MakeGPRectF(F(x), F(y), F(width), F(height)), 0, 0, F(width), F(height),
                 UnitPixel, &attributes);
}

}  // namespace

// ---- the text of the headings and items

void DrawSplashText(TGPGraphics* g, const std::string& text, int x, int y, TSize& size,
                    TextRenderingHint hint, int angle, bool measureOnly, TColor endColor,
                    TColor startColor, std::uint8_t endOpacity, std::uint8_t startOpacity,
                    HatchStyle hatch, TAdvGDIPPicture* picture, TAdvGradientType gradientType,
                    TFont* font) {
    size = {};
    if (text.empty() || g == nullptr || font == nullptr) return;
    auto family = std::make_unique<TGPFontFamily>(font->Name());
    if (family->lastResult == FontFamilyNotFound || family->lastResult == FontStyleNotFound) {
        family = std::make_unique<TGPFontFamily>("Arial");
    }
    INT style = FontStyleRegular;
    if (font->Style().Contains(fsBold)) style |= FontStyleBold;
    if (font->Style().Contains(fsItalic)) style |= FontStyleItalic;
    if (font->Style().Contains(fsUnderline)) style |= FontStyleUnderline;
    TGPFont gpFont(family.get(), static_cast<REAL>(font->Size()), style, UnitPoint);
    g->SetTextRenderingHint(hint);
    TGPStringFormat format;
    format.SetAlignment(StringAlignmentNear);
    const INT length = static_cast<INT>(text.size());
    TGPRectF box;
    g->MeasureString(text, length, &gpFont, MakeGPRectF(F(x), F(y), 1500, 500), &format, box);
    const int w = static_cast<int>(std::nearbyint(box.Width));
    const int h = static_cast<int>(std::nearbyint(box.Height));
    size = {w, h};
    if (measureOnly) return;

    const ARGB start = ColorToArgbWithAlpha(startOpacity, startColor);
    const ARGB end = ColorToArgbWithAlpha(endOpacity, endColor);
    if (endColor == clNone && gradientType != gtTexture && gradientType != gtNone) {
        gradientType = gtSolid;
    }
    const REAL fx = F(x);
    const REAL fy = F(y);
    std::unique_ptr<TGPBrush> brush;
    switch (gradientType) {
        case gtSolid: brush = std::make_unique<TGPSolidBrush>(start); break;
        case gtVertical:
            brush = std::make_unique<TGPLinearGradientBrush>(
                MakeGPPointF(fx, fy), MakeGPPointF(fx, fy + F(h)), start, end);
            break;
        case gtHorizontal:
            brush = std::make_unique<TGPLinearGradientBrush>(
                MakeGPPointF(fx, fy), MakeGPPointF(fx + F(w), fy), start, end);
            break;
        case gtForwardDiagonal:
            brush = std::make_unique<TGPLinearGradientBrush>(
                MakeGPPointF(fx, fy), MakeGPPointF(fx + F(w), fy + F(h)), start, end);
            break;
        case gtBackwardDiagonal:
            brush = std::make_unique<TGPLinearGradientBrush>(
                MakeGPPointF(fx, fy + F(h)), MakeGPPointF(fx + F(w), fy), end, start);
            break;
        case gtAngle: {
            auto linear = std::make_unique<TGPLinearGradientBrush>(
                MakeGPRectF(fx, fy, F(w + 10), F(h + 10)), start, end, F(angle), true);
            linear->SetGammaCorrection(true);
            brush = std::move(linear);
            break;
        }
        case gtHatch: brush = std::make_unique<TGPHatchBrush>(hatch, start, end); break;
        case gtTexture:
            if (picture != nullptr && !picture->Empty()) {
                IStream stream;
                stream.data = picture->SaveToBytes();
                TGPImage image(&stream);
                brush = std::make_unique<TGPTextureBrush>(&image, WrapModeTile);
            }
            break;
        case gtRadial:
        case gtPath:
        case gtNone: break;
    }
    if (brush == nullptr) return;
    g->DrawString(text, length, &gpFont, MakeGPRectF(fx, fy, F(w + 10), F(h + 10)), &format,
                  brush.get());
}

// ---- the window

TSplashScreenWindow::TSplashScreenWindow(TComponent* owner) : TForm(owner) {
    // It never takes the activation, shown or clicked.
    SetShowWithoutActivation(*this, true);
}

TSplashScreenWindow::~TSplashScreenWindow() {
    if (FSplashScreen != nullptr && FSplashScreen->FSplashWindow == this) {
        FSplashScreen->FSplashWindow = nullptr;
    }
}

void TSplashScreenWindow::DoCreate() {
    TForm::DoCreate();
    FForcedTransparent = false;
    FOpacity = 5;
    FMainBuffer.reset();
}

void TSplashScreenWindow::Click() {
    TForm::Click();
    if (FSplashScreen != nullptr && FSplashScreen->OnClick) FSplashScreen->OnClick(FSplashScreen);
}

void TSplashScreenWindow::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_ACTIVATE: message.Result = 0; return;
        case WM_MOUSEACTIVATE: message.Result = MA_NOACTIVATE; return;
        default: TForm::Dispatch(message); return;
    }
}

void TSplashScreenWindow::Detach() {
    FSplashScreen = nullptr;
    if (FSplashProgressBar != nullptr) {
        FSplashProgressBar->OnPositionChanged = nullptr;
        FSplashProgressBar->OnChange = nullptr;
    }
}

void TSplashScreenWindow::SetLayered(bool value) {
    if (value == FForcedTransparent) return;
    FForcedTransparent = value;
    if (!value) return;
    if (FMainBuffer == nullptr) {
        FMainBuffer = std::make_unique<TGPBitmap>(
            std::max(ClientWidth(), 1), std::max(ClientHeight(), 1), PixelFormat32bppARGB);
    }
    dsp::SetLayered(*this, true);
    // One composition serves: the style is switched before it, so a second pass would hand the
    // window the same picture again.
    LayeredRedraw();
}

void TSplashScreenWindow::SetOpacity(std::uint8_t value) {
    FOpacity = value;
    if (FForcedTransparent) HandOver();
}

void TSplashScreenWindow::Refresh() {
    if (FForcedTransparent) {
        LayeredRedraw();
    } else {
        TForm::Repaint();
    }
}

void TSplashScreenWindow::SetTextHint(TGPGraphics* g) const {
    if (FSplashScreen != nullptr) g->SetTextRenderingHint(HintOf(FSplashScreen->TextRendering()));
}

void TSplashScreenWindow::LayeredRedraw() {
    if (!FForcedTransparent || FMainBuffer == nullptr || FSplashScreen == nullptr) return;
    {
        TGPGraphics g(FMainBuffer.get());
        g.Clear(0);
        // A layered splash is always on top.
        SetStayOnTop(*this, true);
        PaintAll(&g, true);
    }
    HandOver();
}

// Hands the picture to the window with the constant alpha multiplied in. A desktop that cannot
// blend windows would show a faded picture washed out over white: there fades become showing
// and hiding, and the picture goes over whole.
void TSplashScreenWindow::HandOver() {
    if (FMainBuffer == nullptr) return;
    if (FOpacity == 255 || LayeredMode(*this) != TLayeredMode::Translucent) {
        UpdateLayeredImage(*this, FMainBuffer->nativeImage);
        return;
    }
    const INT w = static_cast<INT>(FMainBuffer->GetWidth());
    const INT h = static_cast<INT>(FMainBuffer->GetHeight());
    TGPBitmap faded(w, h, PixelFormat32bppARGB);
    {
        TGPGraphics g(&faded);
        g.Clear(0);
        ColorMatrix matrix{};
        for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1;
        matrix.m[3][3] = F(FOpacity / 255.0);
        TGPImageAttributes attributes;
        attributes.SetColorMatrix(matrix);
        g.DrawImage(FMainBuffer.get(), MakeGPRectF(0, 0, F(w), F(h)), 0, 0, F(w), F(h), UnitPixel,
                    &attributes);
    }
    UpdateLayeredImage(*this, faded.nativeImage);
}

void TSplashScreenWindow::PaintWindow(TCanvas& canvas) {
    if (FForcedTransparent || FSplashScreen == nullptr) return;
    TGPGraphics g(&canvas);
    PaintAll(&g, false);
}

void TSplashScreenWindow::PaintAll(TGPGraphics* g, bool withProgressBar) {
    if (FSplashScreen == nullptr) return;
    DrawFill(g);
    DrawHeadings(g);
    DrawListItems(g);
    DrawTopLayerItems(g);
    DrawItems(g);
    if (withProgressBar) DrawProgressBar(g);
}

void TSplashScreenWindow::DrawFill(TGPGraphics* g) {
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    FSplashScreen->Fill()->Fill(g, MakeGPRectF(0, 0, F(ClientWidth() - 1), F(ClientHeight() - 1)));
}

TRect TSplashScreenWindow::ContentRect() const {
    TRect r = Rect(0, 0, ClientWidth() - 1, ClientHeight() - 1);
    const TGDIPFill* fill = FSplashScreen != nullptr ? FSplashScreen->Fill() : nullptr;
    if (fill != nullptr && fill->BorderColor() != clNone) {
        const int b = fill->BorderWidth() == 1 ? 1 : (fill->BorderWidth() + 1) / 2;
        r = Rect(r.Left + b, r.Top + b, r.Right - b, r.Bottom - b);
    }
    return r;
}

void TSplashScreenWindow::DrawHeadings(TGPGraphics* g) {
    TBasicProgramInfo& info = *FSplashScreen->BasicProgramInfo();
    const TGDIPFill& fill = *FSplashScreen->Fill();
    TRect r = ContentRect();
    const int s = fill.ShadowColor() != clNone ? fill.ShadowOffset() : 0;
    r.Right = r.Right - r.Left - s;
    r.Bottom = r.Bottom - r.Top - s;
    const int half = fill.Rounding() / 2;
    r = Rect(r.Left + half, r.Top + half, r.Right - half - 5, r.Bottom - half);
    const TextRenderingHint hint = HintOf(FSplashScreen->TextRendering());

    TSplashHeadingText& name = *info.ProgramName();
    TSplashHeadingText& version = *info.ProgramVersion();
    TSize n;
    TSize v;
    auto measure = [&](TSplashHeadingText& t, TSize& size) {
        DrawSplashText(g, t.Text(), 0, 0, size, hint, t.Angle(), true, t.ColorEnd(), t.ColorStart(),
                       t.OpacityEnd(), t.OpacityStart(), t.GetHatchStyle(), t.Picture(),
                       t.GradientType(), t.Font());
    };
    measure(name, n);
    measure(version, v);
    const TSize c = CanvasTextSize(info.CopyRight(), info.CopyRightFont());
    auto centred = [&](int width) { return r.Left + (r.Right - r.Left - width) / 2; };
    const TItemLocation nl = name.Location();
    const TItemLocation vl = version.Location();
    const TItemLocation cl = info.CopyRightLocation();

    TPoint np;
    TPoint vp;
    TPoint cp;
    switch (nl) {
        case ilTopLeft: np = {r.Left, r.Top}; break;
        case ilTopCenter: np = {centred(n.cx), r.Top}; break;
        case ilTopRight:
            np = {r.Right - n.cx - (vl == ilTopRight && v.cx > 0 ? v.cx + 1 : 0), r.Top};
            break;
        case ilBottomLeft:
            np = {r.Left, r.Bottom - n.cy - (cl == ilBottomLeft && c.cy > 0 ? c.cy + 3 : 0)};
            break;
        case ilBottomCenter:
            np = {centred(n.cx), r.Bottom - n.cy - (cl == ilBottomCenter ? c.cy + 3 + v.cy : 0)};
            break;
        case ilBottomRight:
            np = {r.Right - n.cx - (vl == ilBottomRight && v.cx > 0 ? v.cx + 1 : 0),
                  r.Bottom - n.cy - (cl == ilBottomRight && c.cy > 0 ? c.cy + 3 : 0)};
            break;
        case ilCustom: np = {name.PosX(), name.PosY()}; break;
    }
    switch (vl) {
        case ilTopLeft:
            vp = nl != ilTopLeft || n.cx < 1 ? TPoint{r.Left, r.Top}
                                             : TPoint{r.Left + n.cx + 1, r.Top + (n.cy - v.cy) / 2};
            break;
        case ilTopCenter:
            vp = {centred(v.cx), r.Top + (nl == ilTopCenter ? n.cy + v.cy : 0)};
            break;
        case ilTopRight: vp = {r.Right - v.cx, r.Top}; break;
        case ilBottomLeft:
            vp = nl == ilBottomLeft && n.cx > 0 ? TPoint{r.Left + n.cx + 1, r.Bottom - n.cy}
                                                : TPoint{r.Left, r.Bottom - v.cy};
            if (cl == ilBottomLeft && c.cy > 0) vp.Y -= c.cy + 3;
            break;
        case ilBottomCenter:
            vp = {centred(v.cx), n.cy < 1 ? r.Bottom - v.cy : r.Bottom - n.cy};
            if (cl == ilBottomCenter && c.cy > 0) vp.Y -= c.cy + 3;
            break;
        case ilBottomRight:
            vp = {r.Right - v.cx, n.cy < 1 ? r.Bottom - v.cy : r.Bottom - n.cy};
            if (cl == ilBottomRight && c.cy > 0) vp.Y -= c.cy + 3;
            break;
        case ilCustom: vp = {version.PosX(), version.PosY()}; break;
    }
    // The copyright goes below a name or version in the same top place.
    auto below = [&](TItemLocation place) {
        if (nl == place && n.cy > 0) return n.cy + 3;
        if (vl == place && v.cy > 0) return v.cy + 3;
        return 0;
    };
    switch (cl) {
        case ilTopLeft: cp = {r.Left, r.Top + below(ilTopLeft)}; break;
        case ilTopCenter: cp = {centred(c.cx), r.Top + below(ilTopCenter)}; break;
        case ilTopRight: cp = {r.Right - c.cx, r.Top + below(ilTopRight)}; break;
        case ilBottomLeft: cp = {r.Left, r.Bottom - c.cy}; break;
        case ilBottomCenter: cp = {centred(c.cx), r.Bottom - c.cy}; break;
        case ilBottomRight: cp = {r.Right - c.cx, r.Bottom - c.cy}; break;
        case ilCustom: cp = {info.CopyRightPosX(), info.CopyRightPosY()}; break;
    }
    TSize drawn;
    auto draw = [&](TSplashHeadingText& t, TPoint p) {
        DrawSplashText(g, t.Text(), p.X, p.Y, drawn, hint, t.Angle(), false, t.ColorEnd(),
                       t.ColorStart(), t.OpacityEnd(), t.OpacityStart(), t.GetHatchStyle(),
                       t.Picture(), t.GradientType(), t.Font());
    };
    draw(name, np);
    draw(version, vp);
    const TColor copyColor = info.CopyRightFont()->Color();
    DrawSplashText(g, info.CopyRight(), cp.X, cp.Y, drawn, hint, 0, false, copyColor, copyColor,
                   255, 255, HatchStyleHorizontal, nullptr, gtSolid, info.CopyRightFont());
}

void TSplashScreenWindow::DrawListItems(TGPGraphics* g) {
    TSplashListItems& lines = *FSplashScreen->ListItems();
    TSplashListItemsSettings& settings = *FSplashScreen->ListItemsSettings();
    const TListItemsRect& rect = *settings.Rect();
    const TRect l = rect.GetRect();
    SetTextHint(g);
    TMiniHtmlParams p;
    p.Graphics = g;
    p.Font = settings.HTMLFont();
    p.Images = FSplashScreen->Images();
    p.PictureContainer = FSplashScreen->PictureContainer();
    p.ShadowOffset = settings.HTMLShadowOffset();
    p.ShadowColor = settings.HTMLShadowColor();
    p.URLColor = settings.HTMLURLColor();
    p.WordWrap = true;
    p.LineSpacing = 2;

    // Lay the lines out from the top of the list rectangle.
    const int count = lines.Count();
    if (count == 0) return;
    std::vector<int> heights(static_cast<std::size_t>(count));
    int y = l.Top;
    for (int i = 0; i < count; ++i) {
        TSplashListItem& line = *lines.Items(i);
        int height = 0;
        if (!line.HTMLText().empty()) {
            p.Text = line.HTMLText();
            p.Rect = Rect(0, 0, rect.Width(), rect.Height());
            p.MeasureOnly = true;
            TMiniHtmlResult measured;
            RenderMiniHtml(p, measured);
            height = measured.SizeY;
        }
        heights[static_cast<std::size_t>(i)] = height;
        line.SetDisplayRect(Rect(l.Left, y, l.Right, y + height));
        y += height + settings.Space();
    }
    // Lines that overflow the rectangle push the oldest ones out.
    int excess = lines.Items(count - 1)->DisplayRect().Bottom - l.Bottom;
    if (excess > 0) {
        int first = 0;
        for (int i = 0; i < count; ++i) {
            lines.Items(i)->SetDisplayRect(Rect(-1, -1, -1, -1));
            excess -= heights[static_cast<std::size_t>(i)] + settings.Space();
            first = std::min(i + 1, count - 1);
            if (excess <= 0) break;
        }
        int top = l.Top;
        for (int i = first; i < count; ++i) {
            const int height = heights[static_cast<std::size_t>(i)];
            lines.Items(i)->SetDisplayRect(Rect(l.Left, top, l.Right, top + height));
            top += height + settings.Space();
        }
    }
    p.MeasureOnly = false;
    for (int i = 0; i < count; ++i) {
        TSplashListItem& line = *lines.Items(i);
        const TRect shown = line.DisplayRect();
        if (shown.Top < 0 && shown.Bottom < 0) continue;
        if (line.HTMLText().empty()) continue;
        p.Text = line.HTMLText();
        p.Rect = Rect(shown.Left, shown.Top, shown.Left + rect.Width(), shown.Top + rect.Height());
        TMiniHtmlResult drawn;
        RenderMiniHtml(p, drawn);
    }
}

void TSplashScreenWindow::DrawTopLayerItems(TGPGraphics* g) {
    TAdvSplashTopLayerItems& items = *FSplashScreen->TopLayerItems();
    const TRect content = ContentRect();
    const TGPRectF c =
        MakeGPRectF(F(content.Left), F(content.Top), F(content.Width()), F(content.Height()));
    for (int i = 0; i < items.Count(); ++i) {
        TAdvSplashTopLayerItem& item = *items.Items(i);
        if (!item.Visible()) continue;
        TGDIPFill& fill = *item.Fill();
        // Each item is drawn as on a fresh surface: smoothed only for rounded corners.
        const SmoothingMode smoothing = g->GetSmoothingMode();
        struct TRestore {
            TGPGraphics* g;
            SmoothingMode mode;
            ~TRestore() {
                if (mode >= 0) g->SetSmoothingMode(mode);
            }
        } restore{g, smoothing};
        g->SetSmoothingMode(fill.Rounding() > 0 && fill.RoundingType() != rtNone
                                ? SmoothingModeAntiAlias
                                : SmoothingModeNone);
        TGPRectF r{};
        switch (item.Align()) {
            case alTop: r = MakeGPRectF(c.X, c.Y, c.Width - c.X, F(item.Height())); break;
            case alBottom:
                r = MakeGPRectF(c.X, c.Y + c.Height - F(item.Height()), c.Width - c.X,
                                F(item.Height()));
                break;
            case alLeft: r = MakeGPRectF(c.X, c.Y, F(item.Width()), c.Height); break;
            case alRight:
                r = MakeGPRectF(c.Width - F(item.Width()), c.Y, F(item.Width()), c.Height);
                break;
            case alClient: r = MakeGPRectF(c.X, c.Y, c.Width - c.X, c.Height); break;
            case alCustom:
                r = MakeGPRectF(c.X + F(item.Left()), c.Y + F(item.Top()), F(item.Width()),
                                F(item.Height()));
                break;
            case alNone: break;
        }
        TGPRectF filled = r;
        if (fill.BorderColor() == clNone || fill.BorderWidth() == 0) filled.Height += 1;
        fill.Fill(g, filled);
        TAdvSplashHTMLText& html = *item.HTMLText();
        if (html.Text().empty()) continue;
        TMiniHtmlParams p;
        p.Graphics = g;
        p.Font = html.Font();
        p.Text = html.Text();
        p.Images = FSplashScreen->Images();
        p.PictureContainer = FSplashScreen->PictureContainer();
        p.ShadowOffset = html.ShadowOffset();
        p.ShadowColor = html.ShadowColor();
        p.URLColor = html.URLColor();
        p.WordWrap = true;
        p.LineSpacing = 2;
        const int width = static_cast<int>(std::nearbyint(r.Width));
        const int height = static_cast<int>(std::nearbyint(r.Height));
        p.Rect = Rect(0, 0, width, height);
        p.MeasureOnly = true;
        TMiniHtmlResult measured;
        SetTextHint(g);
        RenderMiniHtml(p, measured);
        TPoint at;
        if (html.Location() == cpCustom) {
            at = {html.Left(), html.Top()};
        } else {
            const int column = static_cast<int>(html.Location()) % 3;
            const int row = static_cast<int>(html.Location()) / 3;
            const int x = column == 0   ? 0
                          : column == 1 ? (width - measured.SizeX) / 2
                                        : width - measured.SizeX;
            const int y = row == 0   ? 0
                          : row == 1 ? (height - measured.SizeY) / 2
                                     : height - measured.SizeY;
            at = {x + static_cast<int>(std::nearbyint(r.X)),
                  y + static_cast<int>(std::nearbyint(r.Y))};
        }
        p.MeasureOnly = false;
        p.Rect = Rect(at.X, at.Y, at.X + measured.SizeX, at.Y + measured.SizeY);
        TMiniHtmlResult drawn;
        RenderMiniHtml(p, drawn);
    }
}

void TSplashScreenWindow::DrawItems(TGPGraphics* g) {
    TSplashItems& items = *FSplashScreen->Items();
    TImageList* images = FSplashScreen->Images();
    for (int i = 0; i < items.Count(); ++i) {
        TSplashItem& item = *items.Items(i);
        int x = item.PosX();
        TAdvGDIPPicture* picture = item.Picture();
        if (!picture->Empty()) {
            if (picture->Width() <= 0) picture->GetImageSizes();
            DrawKeyedPicture(g, picture, item.PosX(), item.PosY());
            x += picture->Width() + FSplashScreen->PictureGap();
        } else if (images != nullptr && item.ImageIndex() >= 0) {
            if (TCanvas* canvas = g->GetHDC()) {
                images->Draw(canvas, item.PosX(), item.PosY(), item.ImageIndex());
                g->ReleaseHDC(canvas);
            }
            x += images->Width() + FSplashScreen->PictureGap();
        }
        if (!item.Text().empty()) {
            TSize size;
            const TColor color = item.Font()->Color();
            DrawSplashText(g, item.Text(), x, item.PosY(), size,
                           HintOf(FSplashScreen->TextRendering()), 0, false, color, color, 255, 255,
                           HatchStyleHorizontal, nullptr, gtSolid, item.Font());
        }
    }
}

void TSplashScreenWindow::DrawProgressBar(TGPGraphics* g) {
    if (!FSplashScreen->ProgressBar()->Visible() || FSplashProgressBar == nullptr) return;
    TAdvSplashProgressBar& bar = *FSplashProgressBar;
    bar.Appearance()->Draw(g, Bounds(bar.Left(), bar.Top(), bar.Width(), bar.Height()),
                           bar.Minimum(), bar.Maximum(), bar.Position());
}

// ---- fades

void TSplashScreenWindow::StartFade(int step, int intervalMs, int target, bool freeWhenDone) {
    fadeStep_ = std::max(step, 1);
    fadeTarget_ = std::clamp(target, 0, 255);
    fadeFreesWindow_ = freeWhenDone;
    if (fadeTimer_ == nullptr) {
        fadeTimer_ = new TTimer(this);
        fadeTimer_->SetOnTimer([this](TObject*) { FadeTick(); });
    }
    fadeTimer_->SetEnabled(false);
    fadeTimer_->SetInterval(static_cast<unsigned>(std::max(intervalMs, 1)));
    fadeTimer_->SetEnabled(true);
}

bool TSplashScreenWindow::Fading() const { return fadeTimer_ != nullptr && fadeTimer_->Enabled(); }

void TSplashScreenWindow::FadeTick() {
    const int value = FOpacity;
    int next = value;
    bool done = false;
    if (value < fadeTarget_) {
        next = value + fadeStep_ >= fadeTarget_ ? fadeTarget_ : value + fadeStep_;
    } else if (value > fadeTarget_) {
        next = value - fadeStep_ <= fadeTarget_ ? fadeTarget_ : value - fadeStep_;
    }
    done = next == fadeTarget_;
    SetOpacity(static_cast<std::uint8_t>(next));
    if (!done) return;
    fadeTimer_->SetEnabled(false);
    if (fadeFreesWindow_) {
        SetVisible(false);
        Release();
    }
}

}  // namespace dsp
