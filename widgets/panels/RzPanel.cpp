#include "widgets/panels/RzPanel.h"

#include <algorithm>

#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/controls/WinControl.h"
#include "framework/desktop/Screen.h"
#include "framework/runtime/SystemInfo.h"
#include "framework/text/Filer.h"

namespace dsp {

namespace {

// How many pixels a frame style takes from each of its sides.
int FrameWidthOf(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
        case fsNone: return 0;
        case fsFlat: return 1;
        case fsStatus:
        case fsPopup: return bevelWidth;
        default: return 2;
    }
}

TRect DeflateSides(TRect r, int width, TSides sides) {
    if (sides.Contains(sdLeft)) r.Left += width;
    if (sides.Contains(sdTop)) r.Top += width;
    if (sides.Contains(sdRight)) r.Right -= width;
    if (sides.Contains(sdBottom)) r.Bottom -= width;
    return r;
}

}  // namespace

TRzCustomPanel::TRzCustomPanel(TComponent* owner) : TCustomPanel(owner) {
    TControlStyle style = ControlStyle();
    style.Exclude(csSetCaption);
    style.Exclude(csParentBackground);
    style.Include(csOpaque);
    SetControlStyle(style);
    SetBevelOuter(bvNone);
}

TRzCustomPanel::~TRzCustomPanel() = default;

// ---- settings

void TRzCustomPanel::FramesChanged() {
    Realign();
    Invalidate();
}

void TRzCustomPanel::SetAlignmentVertical(TAlignmentVertical value) {
    if (alignmentVertical_ == value) return;
    alignmentVertical_ = value;
    Invalidate();
}

void TRzCustomPanel::SetBorderInner(TFrameStyleEx value) {
    if (borderInner_ == value) return;
    borderInner_ = value;
    FramesChanged();
}

void TRzCustomPanel::SetBorderOuter(TFrameStyleEx value) {
    if (borderOuter_ == value) return;
    borderOuter_ = value;
    FramesChanged();
}

void TRzCustomPanel::SetBorderSides(TSides value) {
    if (borderSides_ == value) return;
    borderSides_ = value;
    FramesChanged();
}

void TRzCustomPanel::SetBorderColor(TColor value) {
    if (borderColor_ == value) return;
    borderColor_ = value;
    Invalidate();
}

void TRzCustomPanel::SetBorderHighlight(TColor value) {
    if (borderHighlight_ == value) return;
    borderHighlight_ = value;
    Invalidate();
}

void TRzCustomPanel::SetBorderShadow(TColor value) {
    if (borderShadow_ == value) return;
    borderShadow_ = value;
    Invalidate();
}

void TRzCustomPanel::SetFlatColor(TColor value) {
    if (flatColor_ == value) return;
    flatColor_ = value;
    Invalidate();
}

void TRzCustomPanel::SetFlatColorAdjustment(int value) {
    if (flatColorAdjustment_ == value) return;
    flatColorAdjustment_ = value;
    Invalidate();
}

void TRzCustomPanel::SetGradientColorStyle(TRzGradientColorStyle value) {
    if (gradientColorStyle_ == value) return;
    gradientColorStyle_ = value;
    Invalidate();
}

void TRzCustomPanel::SetGradientColorStart(TColor value) {
    if (gradientColorStart_ == value) return;
    gradientColorStart_ = value;
    Invalidate();
    InvalidateTransparentChildren(*this);
}

void TRzCustomPanel::SetGradientColorStop(TColor value) {
    if (gradientColorStop_ == value) return;
    gradientColorStop_ = value;
    Invalidate();
    InvalidateTransparentChildren(*this);
}

void TRzCustomPanel::SetGradientDirection(TGradientDirection value) {
    if (gradientDirection_ == value) return;
    gradientDirection_ = value;
    Invalidate();
    InvalidateTransparentChildren(*this);
}

void TRzCustomPanel::SetGridColor(TColor value) {
    if (gridColor_ == value) return;
    gridColor_ = value;
    Invalidate();
}

void TRzCustomPanel::SetGridStyle(TRzGridStyle value) {
    if (gridStyle_ == value) return;
    gridStyle_ = value;
    Invalidate();
}

void TRzCustomPanel::SetGridXSize(int value) {
    value = std::clamp(value, 0, 0xFFFF);
    if (gridXSize_ == value) return;
    gridXSize_ = value;
    Invalidate();
}

void TRzCustomPanel::SetGridYSize(int value) {
    value = std::clamp(value, 0, 0xFFFF);
    if (gridYSize_ == value) return;
    gridYSize_ = value;
    Invalidate();
}

void TRzCustomPanel::SetGridSize(int xSize, int ySize) {
    SetGridXSize(xSize);
    SetGridYSize(ySize);
}

void TRzCustomPanel::SetPaintClientArea(bool value) {
    if (paintClientArea_ == value) return;
    paintClientArea_ = value;
    Invalidate();
}

void TRzCustomPanel::SetShowDockClientCaptions(bool value) {
    if (showDockClientCaptions_ == value) return;
    showDockClientCaptions_ = value;
    Invalidate();
}

void TRzCustomPanel::SetShowGrid(bool value) {
    if (showGrid_ == value) return;
    showGrid_ = value;
    Invalidate();
}

void TRzCustomPanel::SetTextMargin(int value) {
    if (textMargin_ == value) return;
    textMargin_ = value;
    Invalidate();
}

void TRzCustomPanel::SetTextMarginVertical(int value) {
    if (textMarginVertical_ == value) return;
    textMarginVertical_ = value;
    Invalidate();
}

void TRzCustomPanel::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    // A transparent panel must be erased (with its parent's background) before it paints.
    SetOpaque(*this, !value);
    Invalidate();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

void TRzCustomPanel::SetVisualStyle(TRzVisualStyle value) {
    if (visualStyle_ == value) return;
    visualStyle_ = value;
    Invalidate();
}

void TRzCustomPanel::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    Invalidate();
}

void TRzCustomPanel::SetBounds(int left, int top, int width, int height) {
    // Bottom- and right-aligned panels keep the edge they are aligned to.
    if (Align() == alBottom && height != Height()) {
        top = Top() - (height - Height());
    } else if (Align() == alRight && width != Width()) {
        left = Left() - (width - Width());
    }
    TCustomPanel::SetBounds(left, top, width, height);
}

// ---- geometry

TPoint TRzCustomPanel::ClientCursorPos() const { return ScreenToClient(CursorPos()); }

TRect TRzCustomPanel::DeflateByBorders(TRect r, bool withBorderWidth) const {
    if (withBorderWidth) r = InflateRect(r, -BorderWidth(), -BorderWidth());
    r = DeflateSides(r, FrameWidthOf(borderOuter_, BevelWidth()), borderSides_);
    return DeflateSides(r, FrameWidthOf(borderInner_, BevelWidth()), borderSides_);
}

TRect TRzCustomPanel::GetClientRect() const {
    const TRect client = TCustomPanel::GetClientRect();
    if (DockSite()) return client;
    return DeflateByBorders(client, false);
}

void TRzCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomPanel::AdjustClientRect(rect);
    if (DockSite()) rect = DeflateByBorders(rect, false);
}

std::unique_ptr<TDockTree> TRzCustomPanel::CreateDockManager() {
    auto manager = std::make_unique<TRzPanelDockManager>(this);
    SetDoubleBuffered(true);
    return manager;
}

bool TRzCustomPanel::RedrawOnResize() const { return FullRepaint() || !Caption().empty(); }

// ---- painting

TGradientColors TRzCustomPanel::FetchGradientColors() const {
    if (gradientColorStyle_ == gcsCustom) return {gradientColorStart_, gradientColorStop_};
    return GradientColorsForStyle(gradientColorStyle_);
}

std::pair<TColor, int> TRzCustomPanel::FetchFlatColors() const {
    if (visualStyle_ == vsGradient && gradientColorStyle_ != gcsCustom) {
        return {FlatColorForStyle(gradientColorStyle_), 0};
    }
    return {flatColor_, flatColorAdjustment_};
}

void TRzCustomPanel::Paint() {
    TCanvas& canvas = *Canvas();
    const auto [flat, adjustment] = FetchFlatColors();
    TBorderSettings s;
    s.borderOuter = borderOuter_;
    s.borderInner = borderInner_;
    s.borderWidth = BorderWidth();
    s.borderSides = borderSides_;
    s.bevelWidth = BevelWidth();
    s.borderColor = borderColor_;
    s.borderHighlight = borderHighlight_;
    s.borderShadow = borderShadow_;
    s.flatColor = flat;
    s.flatColorAdjustment = adjustment;
    s.color = Color();
    s.parentColor = Parent() != nullptr ? Parent()->Color() : Color();
    s.transparent = transparent_;
    TRect r = DrawControlBorders(canvas, PaintBounds(), s);

    if (!transparent_ && paintClientArea_) {
        const bool cutCorners =
            (borderOuter_ == fsFlatRounded && borderInner_ == fsNone && BorderWidth() == 0) ||
            borderInner_ == fsFlatRounded;
        TRect fill = cutCorners ? DeflateSides(r, -1, borderSides_) : r;
        canvas.Brush()->SetStyle(bsSolid);
        if (visualStyle_ == vsGradient) {
            const TGradientColors g = FetchGradientColors();
            FillGradientRect(canvas, fill, gradientDirection_, g.start, g.stop, 1);
        } else {
            canvas.Brush()->SetColor(Color());
            canvas.FillRect(fill);
        }
        if (cutCorners) {
            const TColor corner = AdjustedColor(flat, adjustment);
            const bool left = borderSides_.Contains(sdLeft);
            const bool top = borderSides_.Contains(sdTop);
            const bool right = borderSides_.Contains(sdRight);
            const bool bottom = borderSides_.Contains(sdBottom);
            if (left && top) canvas.SetPixels(fill.Left, fill.Top, corner);
            if (right && top) canvas.SetPixels(fill.Right - 1, fill.Top, corner);
            if (right && bottom) canvas.SetPixels(fill.Right - 1, fill.Bottom - 1, corner);
            if (left && bottom) canvas.SetPixels(fill.Left, fill.Bottom - 1, corner);
        }
    }
    if (showGrid_) PaintGridLines(r);
    canvas.Brush()->SetStyle(bsClear);
    PaintCaptionText(r);
    canvas.Brush()->SetStyle(bsSolid);
    if (OnPaint) OnPaint(this);
}

void TRzCustomPanel::PaintCaptionText(TRect r) {
    const std::string caption = Caption();
    if (caption.empty()) return;
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    r = InflateRect(r, -textMargin_, -textMarginVertical_);
    const unsigned flags =
        DT_EXPANDTABS | DT_VCENTER | WordWrapTextFlag(wordWrap_) | AlignmentTextFlag(Alignment());
    TRect measured = r;
    const int c = DrawTextIn(canvas, caption, measured, flags | DT_CALCRECT);
    switch (alignmentVertical_) {
        case avTop: r.Bottom = std::min(r.Bottom, r.Top + c); break;
        case avCenter:
            r.Top = (r.Bottom + r.Top - c) / 2;
            r.Bottom = std::min(r.Bottom, r.Top + c);
            break;
        case avBottom: r.Top = std::max(r.Top, r.Bottom - c - 1); break;
    }
    canvas.Brush()->SetStyle(bsClear);
    if (!Enabled()) canvas.Font()->SetColor(clGrayText);
    DrawTextIn(canvas, caption, r, flags);
}

void TRzCustomPanel::PaintGridLines(TRect r) {
    TCanvas& canvas = *Canvas();
    canvas.Pen()->SetColor(gridColor_);
    const int nx = gridXSize_ > 0 ? r.Width() / gridXSize_ : 0;
    const int ny = gridYSize_ > 0 ? r.Height() / gridYSize_ : 0;
    auto xAt = [&](int i) { return r.Left + i * gridXSize_ - 1; };
    auto yAt = [&](int j) { return r.Top + j * gridYSize_ - 1; };
    switch (gridStyle_) {
        case gsDots:
            for (int i = 1; i <= nx; ++i)
                for (int j = 1; j <= ny; ++j) canvas.SetPixels(xAt(i), yAt(j), gridColor_);
            break;
        case gsSolidLines:
            for (int i = 1; i <= nx; ++i) {
                canvas.MoveTo(xAt(i), r.Top);
                canvas.LineTo(xAt(i), r.Bottom);
            }
            for (int j = 1; j <= ny; ++j) {
                canvas.MoveTo(r.Left, yAt(j));
                canvas.LineTo(r.Right, yAt(j));
            }
            break;
        case gsDottedLines:
            for (int i = 1; i <= nx; ++i)
                for (int y = r.Top + 1; y < r.Bottom; y += 2) {
                    canvas.SetPixels(xAt(i), y, gridColor_);
                }
            for (int j = 1; j <= ny; ++j)
                for (int x = r.Left + 1; x < r.Right; x += 2) {
                    canvas.SetPixels(x, yAt(j), gridColor_);
                }
            break;
    }
}

// ---- frame controller

void TRzCustomPanel::ApplyFramingSettings() {
    TRzFrameController* c = FrameController();
    if (c == nullptr || !c->FrameVisible()) return;
    const TRzFrameControllerNotifications flags = frameNotifications_;
    if (flags.Contains(fcpFrameStyle)) borderOuter_ = c->FrameStyle();
    if (flags.Contains(fcpFrameSides)) borderSides_ = c->FrameSides();
    if (flags.Contains(fcpFrameColor)) {
        flatColor_ = c->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (flags.Contains(fcpColor)) SetColor(c->Color());
    if (flags.Contains(fcpParentColor)) SetParentColor(c->ParentColor());
    if (flags.Contains(fcpColor)) {
        borderHighlight_ = LighterColor(Color(), 100);
        borderShadow_ = DarkerColor(Color(), 50);
    }
    Invalidate();
}

void TRzCustomPanel::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation == opRemove) frameController_.Removed(component);
}

// ---- messages

void TRzCustomPanel::EnabledChanged() {
    if (!Enabled()) {
        enabledList_.clear();
        std::vector<TControl*> children;
        for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
        for (TControl* child : children) enabledList_.emplace_back(child, child->Enabled());
        for (TControl* child : children) child->SetEnabled(false);
        return;
    }
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
    for (TControl* child : children) {
        auto found = std::find_if(enabledList_.begin(), enabledList_.end(),
                                  [child](const auto& entry) { return entry.first == child; });
        if (found == enabledList_.end() || found->second) child->SetEnabled(true);
    }
    enabledList_.clear();
}

void TRzCustomPanel::WindowPosChanged(const TMessage& message) {
    const TWindowPos* pos = WindowPosOf(message);
    if (pos == nullptr || RedrawOnResize() || (pos->flags & SWP_NOSIZE) != 0) return;
    // Only the strips that held the old right and bottom frames need painting again.
    const TRect inner = DeflateByBorders(Rect(0, 0, Width(), Height()), true);
    const TPoint margin = BorderResizeMargin();
    if (pos->cx != Width()) {
        const TRect strip = Rect(inner.Right - margin.X, 0, Width(), Height());
        InvalidateRect(&strip, true);
    }
    if (pos->cy != Height()) {
        const TRect strip = Rect(0, inner.Bottom - margin.Y, Width(), Height());
        InvalidateRect(&strip, true);
    }
}

void TRzCustomPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_ERASEBKGND:
            if (transparent_ && paintClientArea_) {
                if (TCanvas* dc = MessageCanvas(message)) PaintParentBackground(*this, *dc, true);
                message.Result = 1;
                return;
            }
            TCustomControl::Dispatch(message);
            return;
        case WM_WINDOWPOSCHANGED:
            WindowPosChanged(message);
            TCustomPanel::Dispatch(message);
            return;
        case WM_THEMECHANGED:
            TCustomPanel::Dispatch(message);
            ReloadXPColorScheme();
            return;
        case CM_ENABLEDCHANGED:
            TCustomPanel::Dispatch(message);
            EnabledChanged();
            Invalidate();
            return;
        case CM_CONTROLLISTCHANGE:
            // A child that leaves is forgotten: a later child at its address is a new one.
            if (const TControlChangeParams change = ControlChangeOf(message); !change.inserting) {
                TControl* child = change.control;
                std::erase_if(enabledList_,
                              [child](const auto& entry) { return entry.first == child; });
            }
            TCustomPanel::Dispatch(message);
            return;
        case CM_MOUSEENTER:
            if (ComponentState().Contains(csDesigning)) return;
            TCustomPanel::Dispatch(message);
            return;
        default: TCustomPanel::Dispatch(message); return;
    }
}

void TRzCustomPanel::DefineProperties(TFiler* filer) {
    TCustomPanel::DefineProperties(filer);
    DefineOldProperty(filer, "FrameSides", &TRzOldPropReader::ReadOldSetProp);
    DefineOldProperty(filer, "ThemeAware", &TRzOldPropReader::ReadOldBooleanProp);
    filer->DefineProperty(
        "UseGradients",
        [this](TReader& reader) {
            if (reader.ReadBoolean()) SetVisualStyle(vsGradient);
        },
        nullptr, false);
}

// ---- group box

TRzCustomGroupBox::TRzCustomGroupBox(TComponent* owner) : TRzCustomPanel(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csSetCaption, csDoubleClicks});
    borderOuter_ = fsNone;
    SetBorderInner(fsNone);
    SetAlignment(taLeftJustify);
    SetAlignmentVertical(avTop);
    SetBounds(Left(), Top(), Width(), 105);
    captionFont_ = std::make_unique<TFont>();
    captionFont_->Assign(Font());
    captionFont_->OnChange = [this](TObject*) {
        if (copyingFont_) return;
        captionFontChanged_ = true;
        Invalidate();
    };
}

TRzCustomGroupBox::~TRzCustomGroupBox() = default;

void TRzCustomGroupBox::SetBannerHeight(int value) {
    if (bannerHeight_ == value) return;
    bannerHeight_ = value;
    FramesChanged();
}

void TRzCustomGroupBox::SetGroupStyle(TRzGroupBoxStyle value) {
    if (groupStyle_ == value) return;
    groupStyle_ = value;
    FramesChanged();
}

void TRzCustomGroupBox::SetCaptionFont(TFont* value) {
    if (value == nullptr || value == captionFont_.get()) return;
    captionFont_->Assign(value);
}

void TRzCustomGroupBox::ChangeScale(int multiplier, int divider) {
    if (!captionFontChanged_ || divider == 0) return;
    const long long size = static_cast<long long>(captionFont_->Size()) * multiplier / divider;
    captionFont_->SetSize(static_cast<int>(size));
}

int TRzCustomGroupBox::TextHeightOf(const TFont& font, const std::string& sample) const {
    TCanvas measure;
    measure.SetFont(const_cast<TFont*>(&font));
    return measure.TextHeight(sample);
}

void TRzCustomGroupBox::AdjustClientRect(TRect& rect) {
    TRzCustomPanel::AdjustClientRect(rect);
    const int h = TextHeightOf(*Font(), "Yy");
    switch (groupStyle_) {
        case gsStandard:
        case gsFlat: {
            const int a = h / 2 - 1;
            rect.Top += a < BorderWidth() ? a : h - BorderWidth();
            const int inset = groupStyle_ == gsStandard ? 2 : 1;
            rect = InflateRect(rect, -inset, -inset);
            break;
        }
        case gsCustom:
            if (!Caption().empty()) rect.Top += h;
            rect = InflateRect(rect, -2, -2);
            break;
        case gsTopLine: rect.Top += h; break;
        case gsBanner: rect.Top += bannerHeight_ != 0 ? bannerHeight_ : h + 8; break;
        case gsUnderline: rect.Top += h + 4; break;
    }
}

void TRzCustomGroupBox::Paint() {
    if (groupStyle_ == gsCustom) {
        TRzCustomPanel::Paint();
        return;
    }
    TCanvas& canvas = *Canvas();
    canvas.SetFont(captionFont_.get());
    const std::string caption = Caption();
    const int th = canvas.TextHeight("Pp");
    const bool rightToLeft = false;
    TRect c;
    if (!caption.empty()) {
        const TSize extent = canvas.TextExtent(StripAccelChars(caption));
        const int cx = extent.cx;
        const int cy = extent.cy;
        switch (groupStyle_) {
            case gsStandard:
            case gsFlat:
                c = rightToLeft ? Rect(Width() - cx - 8, 0, Width() - 8, cy)
                                : Rect(8, 0, cx + 8, cy);
                break;
            case gsTopLine:
                c = rightToLeft ? Rect(Width() - cx - 4, 0, Width() - 4, cy)
                                : Rect(0, 0, cx + 4, cy);
                break;
            case gsBanner:
                c = Rect(0, 0, Width(), bannerHeight_ != 0 ? bannerHeight_ : cy + 6);
                break;
            case gsUnderline: c = Rect(0, 0, Width(), cy + 2); break;
            case gsCustom: break;
        }
    }
    const int saved = canvas.SaveDC();
    if (Transparent()) {
        if (groupStyle_ != gsBanner && !IsRectEmpty(c)) {
            canvas.ExcludeClipRect(c.Left, c.Top, c.Right, c.Bottom);
        }
    } else {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(Rect(0, 0, Width(), Height()));
    }
    const TRect f = Rect(0, th / 2 - 1, Width(), Height());
    const TColor fc = AdjustedColor(flatColor_, flatColorAdjustment_);
    canvas.Pen()->SetStyle(psSolid);
    switch (groupStyle_) {
        case gsStandard:
            switch (borderOuter_) {
                case fsNone: DrawFrameStyleSides(canvas, f, fsGroove, kAllSides); break;
                case fsFlat: StrokeFlatFrame(canvas, f, fc); break;
                case fsFlatBold: StrokeSidesRepeated(canvas, f, fc, fc, 2, kAllSides); break;
                default: DrawFrameStyleSides(canvas, f, borderOuter_, kAllSides); break;
            }
            break;
        case gsTopLine:
            switch (borderOuter_) {
                case fsNone: DrawFrameStyleSides(canvas, f, fsGroove, {sdTop}); break;
                case fsFlat:
                case fsFlatBold:
                    canvas.Pen()->SetColor(fc);
                    canvas.MoveTo(f.Left + 2, f.Top);
                    canvas.LineTo(f.Right - 2, f.Top);
                    if (borderOuter_ == fsFlatBold) {
                        canvas.MoveTo(f.Left + 2, f.Top + 1);
                        canvas.LineTo(f.Right - 2, f.Top + 1);
                    }
                    break;
                default: DrawFrameStyleSides(canvas, f, borderOuter_, {sdTop}); break;
            }
            break;
        case gsFlat:
            canvas.Pen()->SetColor(fc);
            canvas.MoveTo(f.Left, f.Top + 2);
            canvas.LineTo(f.Left, f.Bottom - 2);
            canvas.MoveTo(f.Left + 2, f.Top);
            canvas.LineTo(f.Right - 2, f.Top);
            canvas.MoveTo(f.Right - 1, f.Top + 2);
            canvas.LineTo(f.Right - 1, f.Bottom - 2);
            canvas.MoveTo(f.Left + 2, f.Bottom - 1);
            canvas.LineTo(f.Right - 2, f.Bottom - 1);
            canvas.SetPixels(f.Left + 1, f.Top + 1, fc);
            canvas.SetPixels(f.Left + 1, f.Bottom - 2, fc);
            canvas.SetPixels(f.Right - 2, f.Bottom - 2, fc);
            canvas.SetPixels(f.Right - 2, f.Top + 1, fc);
            break;
        case gsBanner: {
            TColor start = GradientColorStart();
            TColor stop = GradientColorStop();
            TColor pen = fc;
            if (GradientColorStyle() != gcsCustom) {
                const TBannerColors banner = BannerColorsForStyle(GradientColorStyle());
                start = banner.start;
                stop = banner.stop;
                pen = banner.frame;
            }
            canvas.Pen()->SetColor(pen);
            canvas.MoveTo(c.Left, c.Top + 1);
            canvas.LineTo(c.Left, c.Bottom - 1);
            canvas.MoveTo(c.Left + 1, c.Top);
            canvas.LineTo(c.Right - 1, c.Top);
            canvas.MoveTo(c.Right - 1, c.Top + 1);
            canvas.LineTo(c.Right - 1, c.Bottom - 1);
            canvas.MoveTo(c.Left + 1, c.Bottom - 1);
            canvas.LineTo(c.Right - 1, c.Bottom - 1);
            c = InflateRect(c, -1, -1);
            FillGradientRect(canvas, c, gdHorizontalEnd, start, stop, 1);
            break;
        }
        case gsUnderline:
            canvas.Pen()->SetColor(fc);
            canvas.MoveTo(c.Left, c.Bottom);
            canvas.LineTo(c.Right, c.Bottom);
            break;
        case gsCustom: break;
    }
    canvas.RestoreDC(saved);
    if (!caption.empty()) {
        if (!Transparent() && groupStyle_ != gsBanner) {
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(Color());
            canvas.FillRect(c);
        }
        if (groupStyle_ == gsBanner) c = InflateRect(c, -4, -1);
        canvas.Brush()->SetStyle(bsClear);
        if (!Enabled()) {
            canvas.Font()->SetColor(clGrayText);
        } else if (VisualStyle() == vsWinXP && ThemesActive()) {
            canvas.Font()->SetColor(ThemedSystemColor(6));
        }
        DrawTextIn(canvas, caption, c, AlignmentTextFlag(Alignment()) | DT_VCENTER | DT_SINGLELINE);
        canvas.Brush()->SetStyle(bsSolid);
    }
    canvas.SetFont(Font());
}

void TRzCustomGroupBox::ApplyFramingSettings() {
    if (groupStyle_ == gsCustom) TRzCustomPanel::ApplyFramingSettings();
}

void TRzCustomGroupBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_FONTCHANGED:
            TRzCustomPanel::Dispatch(message);
            if (!captionFontChanged_) {
                copyingFont_ = true;
                captionFont_->Assign(Font());
                copyingFont_ = false;
            }
            Invalidate();
            return;
        case CM_DIALOGCHAR:
            if (IsAccelerator(CharOf(message), Caption()) && CanFocus()) {
                if (TWinControl* first = FindNextControl(nullptr, true, true, true)) {
                    first->SetFocus();
                }
                message.Result = 1;
                return;
            }
            TRzCustomPanel::Dispatch(message);
            return;
        default: TRzCustomPanel::Dispatch(message); return;
    }
}

}  // namespace dsp

namespace dsp {

// ---- dock manager

namespace {

constexpr int kDockGrabberSize = 14;

// The close box's cross, drawn in the font colour inside the box.
void DrawCloseGlyph(TCanvas& canvas, const TRect& box, TColor color) {
    canvas.Pen()->SetColor(color);
    const int size = std::min(box.Width(), box.Height()) - 4;
    if (size <= 0) return;
    const int x = box.Left + (box.Width() - size) / 2;
    const int y = box.Top + (box.Height() - size) / 2;
    for (int d = 0; d < 2; ++d) {
        canvas.MoveTo(x + d, y);
        canvas.LineTo(x + d + size, y + size);
        canvas.MoveTo(x + d + size - 1, y);
        canvas.LineTo(x + d - 1, y + size);
    }
}

}  // namespace

TRzPanelDockManager::TRzPanelDockManager(TRzCustomPanel* panel)
    : TDockTree(panel), panel_(panel), font_(std::make_unique<TFont>()) {
    font_->SetName("Verdana");
    font_->SetSize(8);
    SetGrabberSize(kDockGrabberSize);
    oldWndProc_ = panel->WindowProc();
    if (!panel->ComponentState().Contains(csDesigning)) {
        panel->SetWindowProc([this](TMessage& message) {
            if (message.Msg == WM_COMMAND || message.Msg == WM_MOUSEACTIVATE) {
                panel_->Invalidate();
            }
            oldWndProc_(message);
        });
    }
}

TRzPanelDockManager::~TRzPanelDockManager() { panel_->SetWindowProc(oldWndProc_); }

void TRzPanelDockManager::AdjustDockRect(TControl*, TRect& rect) {
    if (panel_->Align() == alTop || panel_->Align() == alBottom) {
        rect.Left += kDockGrabberSize;
    } else {
        rect.Top += kDockGrabberSize;
    }
}

void TRzPanelDockManager::PaintDockFrame(TCanvas& canvas, TControl* control, const TRect& rect) {
    if (!panel_->ShowDockClientCaptions()) {
        TDockTree::PaintDockFrame(canvas, control, rect);
        return;
    }
    const std::string caption = control->Caption();
    auto* windowed = dynamic_cast<TWinControl*>(control);
    const bool active = windowed == nullptr || windowed->Focused();
    const int saved = canvas.SaveDC();
    canvas.SetFont(font_.get());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(active ? clActiveCaption : clInactiveCaption);
    const TColor text = active ? clCaptionText : clInactiveCaptionText;
    canvas.Font()->SetColor(text);
    if (panel_->Align() == alTop || panel_->Align() == alBottom) {
        const TRect grabber = Rect(rect.Left, rect.Top, rect.Left + kDockGrabberSize, rect.Bottom);
        canvas.FillRect(grabber);
        const unsigned align = canvas.SetTextAlign(TA_BASELINE);
        canvas.Font()->SetLogFont(MakeAngledFont(*font_, 90));
        canvas.Font()->SetColor(clCaptionText);
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextRect(grabber, grabber.Right - 2, grabber.Bottom - 3, caption);
        canvas.SetTextAlign(align);
        DrawCloseGlyph(canvas, Rect(rect.Left + 1, rect.Top + 1, rect.Left + 12, rect.Top + 12),
                       clCaptionText);
    } else {
        const TRect grabber = Rect(rect.Left, rect.Top, rect.Right, rect.Top + kDockGrabberSize);
        canvas.TextRect(grabber, rect.Left + 2, rect.Top, caption);
        DrawCloseGlyph(canvas, Rect(rect.Right - 15, rect.Top + 1, rect.Right - 2, rect.Top + 12),
                       text);
    }
    canvas.RestoreDC(saved);
    canvas.Brush()->SetStyle(bsSolid);
}

}  // namespace dsp
