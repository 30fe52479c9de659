#include "widgets/panels/RzButton.h"

#include <algorithm>

#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/runtime/SystemInfo.h"
#include "framework/text/Filer.h"
#include "widgets/panels/RzFrameController.h"

namespace dsp {

// ---- TRzCustomButton

TRzCustomButton::TRzCustomButton(TComponent* owner) : TCustomControl(owner) {
    TControlStyle style = ControlStyle() + TControlStyle{csCaptureMouse};
    style.Exclude(csClickEvents);
    SetControlStyle(style);
    SetTabStop(true);
    SetBounds(Left(), Top(), 115, 17);
}

TRzCustomButton::~TRzCustomButton() = default;

void TRzCustomButton::SetAlignmentVertical(TAlignmentVertical value) {
    if (alignmentVertical_ == value) return;
    alignmentVertical_ = value;
    Invalidate();
}

void TRzCustomButton::SetHighlightColor(TColor value) {
    if (highlightColor_ == value) return;
    highlightColor_ = value;
    Invalidate();
}

void TRzCustomButton::SetHotTrack(bool value) {
    if (hotTrack_ == value) return;
    hotTrack_ = value;
    SetTransparent(value);
    Invalidate();
}

void TRzCustomButton::SetHotTrackColor(TColor value) {
    if (hotTrackColor_ == value) return;
    hotTrackColor_ = value;
    Invalidate();
}

void TRzCustomButton::SetHotTrackColorType(TRzHotTrackColorType value) {
    if (hotTrackColorType_ == value) return;
    hotTrackColorType_ = value;
    Invalidate();
}

void TRzCustomButton::SetLightTextStyle(bool value) {
    if (lightTextStyle_ == value) return;
    lightTextStyle_ = value;
    Invalidate();
}

void TRzCustomButton::SetTextHighlightColor(TColor value) {
    if (textHighlightColor_ == value) return;
    textHighlightColor_ = value;
    Invalidate();
}

void TRzCustomButton::SetTextShadowColor(TColor value) {
    if (textShadowColor_ == value) return;
    textShadowColor_ = value;
    Invalidate();
}

void TRzCustomButton::SetTextShadowDepth(int value) {
    if (textShadowDepth_ == value) return;
    textShadowDepth_ = value;
    Invalidate();
}

void TRzCustomButton::SetTextStyle(TTextStyle value) {
    if (textStyle_ == value) return;
    textStyle_ = value;
    Invalidate();
}

void TRzCustomButton::SetThemeAware(bool value) {
    if (themeAware_ == value) return;
    themeAware_ = value;
    Invalidate();
}

void TRzCustomButton::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    SetOpaque(*this, !value);
    Invalidate();
}

bool TRzCustomButton::UseThemes() const { return themeAware_ && ThemesActive(); }

void TRzCustomButton::DrawCaption(TRect r, unsigned flags) {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetFont(Font());
    const std::string caption = Caption();
    TRect measured = r;
    const int h =
        canvas.DrawText(caption, measured, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER);
    switch (alignmentVertical_) {
        case avTop: r.Bottom = r.Top + h; break;
        case avCenter:
            r.Top = (r.Top + r.Bottom - h) / 2;
            r.Bottom = r.Top + h;
            break;
        case avBottom: r.Top = r.Bottom - h - 1; break;
    }
    auto at = [&](int dx, int dy, TColor color) {
        TRect moved = OffsetRect(r, dx, dy);
        canvas.Font()->SetColor(color);
        canvas.DrawText(caption, moved, flags);
    };
    const bool rightAligned = (flags & DT_RIGHT) != 0;
    if (Enabled()) {
        switch (textStyle_) {
            case tsRaised:
                if (!lightTextStyle_) at(1, 1, textShadowColor_);
                at(-1, -1, textHighlightColor_);
                break;
            case tsRecessed:
                at(1, 1, textHighlightColor_);
                if (!lightTextStyle_) at(-1, -1, textShadowColor_);
                break;
            case tsShadow:
                at(rightAligned ? 0 : textShadowDepth_, textShadowDepth_, textShadowColor_);
                break;
            case tsNormal: break;
        }
        if (rightAligned) r = OffsetRect(r, -textShadowDepth_, 0);
        at(0, 0, Font()->Color());
    } else {
        at(0, 0, ColorsAreClose(Color(), clGrayText) ? cl3DDkShadow : clGrayText);
    }
    canvas.Brush()->SetStyle(bsSolid);
}

void TRzCustomButton::PerformClick() { Click(); }

void TRzCustomButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            TCustomControl::Dispatch(message);
            if (!Enabled()) return;
            if (!Focused() && CanFocus()) SetFocus();
            if (Focused()) {
                showDownVersion_ = true;
                RepaintButton();
                dragging_ = true;
            }
            return;
        case WM_MOUSEMOVE:
            TCustomControl::Dispatch(message);
            if (dragging_) {
                const bool inside = PtInRect(ClientRect(), MouseParamsOf(message).pos);
                if (inside != showDownVersion_) {
                    showDownVersion_ = inside;
                    RepaintButton();
                }
            }
            return;
        case WM_LBUTTONUP: {
            // The release ends the capture first: the tracking ends here, not at its notice.
            const bool tracking = dragging_;
            dragging_ = false;
            TCustomControl::Dispatch(message);
            if (!tracking) return;
            showDownVersion_ = false;
            if (PtInRect(ClientRect(), MouseParamsOf(message).pos)) {
                PerformClick();
            }
            RepaintButton();
            return;
        }
        case WM_CAPTURECHANGED:
            TCustomControl::Dispatch(message);
            if (dragging_ && !MouseCapture()) {
                dragging_ = false;
                showDownVersion_ = false;
                RepaintButton();
            }
            return;
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            TCustomControl::Dispatch(message);
            if (MouseChildOf(message) != nullptr) return;
            if (message.Msg == CM_MOUSEENTER && ComponentState().Contains(csDesigning)) return;
            mouseOverButton_ = message.Msg == CM_MOUSEENTER;
            if (hotTrack_ || UseThemes()) {
                const TRect r = HotTrackRect();
                InvalidateRect(&r, false);
            }
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TCustomControl::Dispatch(message);
            RepaintAfterFocusChange();
            return;
        case CM_TEXTCHANGED:
            TCustomControl::Dispatch(message);
            Invalidate();
            return;
        default: TCustomControl::Dispatch(message); return;
    }
}

// ---- TRzButton

TRzButton::TRzButton(TComponent* owner) : TRzCustomButton(owner) {
    SetBounds(Left(), Top(), 75, 25);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TRzButton::~TRzButton() = default;

void TRzButton::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TRzButton::SetAllowAllUp(bool value) {
    if (allowAllUp_ == value) return;
    allowAllUp_ = value;
    NotifyGroup();
}

void TRzButton::SetDefault(bool value) {
    if (default_ == value) return;
    default_ = value;
    UpdateActive(FocusedWindow());
}

void TRzButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    // A down button of a group that does not allow all up stays down.
    if (down_ && !allowAllUp_) return;
    down_ = value;
    state_ = value ? bsExclusive : bsUp;
    Invalidate();
    if (value) NotifyGroup();
}

void TRzButton::SetFrameColor(TColor value) {
    if (frameColor_ == value) return;
    frameColor_ = value;
    Invalidate();
}

void TRzButton::SetGroupIndex(int value) {
    if (groupIndex_ == value) return;
    groupIndex_ = value;
    NotifyGroup();
}

void TRzButton::SetShowDownPattern(bool value) {
    if (showDownPattern_ == value) return;
    showDownPattern_ = value;
    Invalidate();
}

void TRzButton::SetShowFocusRect(bool value) {
    if (showFocusRect_ == value) return;
    showFocusRect_ = value;
    Invalidate();
}

void TRzButton::NotifyGroup() {
    if (groupIndex_ == 0 || Parent() == nullptr) return;
    TMessage message = MakeGroupNoticeMessage(kRzButtonPressed, groupIndex_, this);
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == this) continue;
        message.Result = 0;
        sibling->PerformMessage(message);
    }
}

void TRzButton::UpdateActive(const TWinControl* focused) {
    bool active = default_;
    if (dynamic_cast<const TRzButton*>(focused) != nullptr ||
        dynamic_cast<const TButton*>(focused) != nullptr) {
        active = focused == this;
    }
    if (active == active_) return;
    active_ = active;
    Invalidate();
}

void TRzButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TRzCustomButton::Click();
}

void TRzButton::PerformClick() {
    if (groupIndex_ != 0) {
        SetDown(!down_);
    } else {
        Invalidate();
    }
    clicking_ = true;
    try {
        Click();
    } catch (...) {
        clicking_ = false;
        throw;
    }
    clicking_ = false;
}

bool TRzButton::LooksPressed() const {
    return state_ == bsDown || state_ == bsExclusive || showDownVersion_;
}

void TRzButton::Paint() {
    TCanvas& canvas = *Canvas();
    PaintFace(canvas);
}

void TRzButton::PaintFace(TCanvas& canvas) {
    const TRect client = ClientRect();
    const bool pressed = LooksPressed();
    const bool grouped = groupIndex_ != 0;
    const bool hotOrThemed = HotTrack() || UseThemes();
    TRect focusRect = InflateRect(client, hotOrThemed ? -3 : -4, hotOrThemed ? -3 : -4);
    if (grouped && pressed) focusRect = OffsetRect(focusRect, 1, 1);
    TRect r = client;
    if (HotTrack()) {
        PaintHotTrackFace(canvas, r);
    } else {
        if (!grouped && (((active_ || Focused()) && !pressed) || clicking_)) {
            r = StrokeSides(canvas, r, clWindowFrame, clWindowFrame, kAllSides);
        }
        if (Color() == clBtnFace) {
            if (grouped) {
                r = DrawFrameStyle(canvas, r, pressed ? fsLowered : fsButtonUp);
            } else {
                r = StrokeButtonFrame(canvas, r, pressed);
            }
        } else if (!grouped) {
            r = StrokeColorButtonFrame(canvas, r, Color(), pressed);
        } else if (pressed) {
            r = DrawColoredFrameStyle(canvas, r, Color(), fsLowered);
        } else {
            r = StrokeColorButtonFrame(canvas, r, Color(), false);
        }
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(r);
        if (grouped && state_ == bsExclusive && showDownPattern_) {
            // The stay-down pattern: every other pixel in silver (grey on a silver face).
            const TColor dot = ResolveColor(Color()) == ResolveColor(clSilver) ? clGray : clSilver;
            for (int y = r.Top; y < r.Bottom; ++y)
                for (int x = r.Left + ((r.Left + y) & 1); x < r.Right; x += 2) {
                    canvas.SetPixels(x, y, dot);
                }
        }
    }
    TRect caption = InflateRect(client, -5, -5);
    if (pressed && !hotOrThemed) caption = OffsetRect(caption, 1, 1);
    DrawCaption(caption, AlignmentTextFlag(alignment_) | DT_WORDBREAK | DT_EXPANDTABS);
    if (Focused() && showFocusRect_) DrawDottedFrame(canvas, focusRect);
}

void TRzButton::PaintHotTrackFace(TCanvas& canvas, TRect r) {
    const TColor parentColor = Parent() != nullptr ? Parent()->Color() : clBtnFace;
    if (Parent() != nullptr) {
        // The parent's background only in the four corners.
        const int d = Enabled() ? 1 : 2;
        const TRect a = InflateRect(r, -d, -d);
        const TRect b = {a.Left - 1, a.Top + 1, a.Right + 1, a.Bottom - 1};
        const TRect c = {b.Left + 2, b.Top - 2, b.Right - 2, b.Bottom + 2};
        const int saved = canvas.SaveDC();
        for (const TRect& x : {a, b, c}) canvas.ExcludeClipRect(x.Left, x.Top, x.Right, x.Bottom);
        PaintParentBackground(*this, canvas, true);
        canvas.RestoreDC(saved);
    }
    if (!Enabled()) {
        r = StrokeSides(canvas, InflateRect(r, -1, -1), parentColor, parentColor, kAllSides);
        const TColor frame =
            Color() == clBtnFace ? LighterColor(clBtnShadow, 30) : DarkerColor(Color(), 80);
        r = StrokeRoundedFrame(canvas, InflateRect(r, 1, 1), frame, kAllSides);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(r);
        return;
    }
    TRect outer = StrokeSides(canvas, r, DarkerColor(parentColor, 20),
                              LighterColor(parentColor, 20), kAllSides);
    r = StrokeRoundedFrame(canvas, outer, frameColor_, kAllSides);
    canvas.Brush()->SetStyle(bsSolid);
    const bool pressed = LooksPressed();
    if (pressed) {
        canvas.Brush()->SetColor(DarkerColor(Color(), 10));
        canvas.FillRect(r);
        return;
    }
    const bool hot = MouseOverButton();
    const bool activeFace = (active_ || Focused()) && groupIndex_ == 0;
    if (hot || activeFace) {
        if (ScreenIsFullColor()) {
            FillGradientRect(canvas, r, gdHorizontalEnd, LighterColor(Color(), 10),
                             DarkerColor(Color(), 30), 1);
        } else {
            canvas.Brush()->SetColor(Color());
            canvas.FillRect(r);
        }
        TColor start;
        TColor stop;
        if (hot) {
            if (HotTrackColorType() == htctActual) {
                start = HotTrackColor();
                stop = MixColors(clWhite, HotTrackColor(), 190);
            } else {
                stop = ContrastingHueColor(HotTrackColor(), 180);
                start = DarkerColor(stop, 30);
            }
        } else {
            const TColor f = LighterColor(Color(), 30);
            TColor h = HighlightColor();
            if (ColorsAreClose(h, clBtnFace)) h = DarkerColor(h, 30);
            start = MixColors(h, f, 160);
            stop = MixColors(h, f, 60);
        }
        PaintGradientRing(canvas, r, gdHorizontalEnd, start, stop);
        return;
    }
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
}

void TRzButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case kRzButtonPressed: {
            const TGroupNotice notice = GroupNoticeOf(message);
            auto* sender = dynamic_cast<TRzButton*>(notice.sender);
            if (sender == nullptr || sender == this || notice.groupIndex != groupIndex_) return;
            if (sender->Down() && down_) {
                down_ = false;
                state_ = bsUp;
                Invalidate();
            }
            allowAllUp_ = sender->AllowAllUp();
            return;
        }
        case WM_KEYDOWN:
            if (KeyParamsOf(message).key == VK_SPACE &&
                !KeyParamsOf(message).Shift().Contains(ssAlt)) {
                keyToggle_ = true;
                showDownVersion_ = true;
                Invalidate();
            }
            TRzCustomButton::Dispatch(message);
            return;
        case WM_KEYUP:
            if (KeyParamsOf(message).key == VK_SPACE) {
                showDownVersion_ = false;
                Invalidate();
                if (keyToggle_) {
                    keyToggle_ = false;
                    PerformClick();
                }
            }
            TRzCustomButton::Dispatch(message);
            return;
        case WM_KILLFOCUS:
            if (!ComponentState().Contains(csDestroying)) {
                keyToggle_ = false;
                showDownVersion_ = false;
            }
            TRzCustomButton::Dispatch(message);
            return;
        case CM_DIALOGKEY: {
            const TKeyParams keys = KeyParamsOf(message);
            const int key = static_cast<int>(keys.key);
            const bool plain = keys.Shift().Empty();
            if (((key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_)) && plain &&
                CanFocus()) {
                keyWasPressed_ = !dropDownOnEnter_;
                Click();
                keyWasPressed_ = false;
                message.Result = 1;
                return;
            }
            TRzCustomButton::Dispatch(message);
            return;
        }
        case CM_DIALOGCHAR:
            if (IsAccelerator(CharOf(message), Caption()) && CanFocus()) {
                Click();
                message.Result = 1;
                return;
            }
            TRzCustomButton::Dispatch(message);
            return;
        case CM_FOCUSCHANGED:
            UpdateActive(FocusedControlOf(message));
            TRzCustomButton::Dispatch(message);
            return;
        case CM_ENABLEDCHANGED:
            if (!Enabled() && Focused()) {
                if (TCustomForm* form = GetParentForm(this)) form->SetFocus();
            }
            TRzCustomButton::Dispatch(message);
            Invalidate();
            return;
        default: TRzCustomButton::Dispatch(message); return;
    }
}

void TRzButton::DefineProperties(TFiler* filer) {
    TRzCustomButton::DefineProperties(filer);
    filer->DefineProperty(
        "FrameFlat", [this](TReader& reader) { SetHotTrack(reader.ReadBoolean()); }, nullptr,
        false);
}

// ---- TRzShapeButton

TRzShapeButton::TRzShapeButton(TComponent* owner)
    : TGraphicControl(owner),
      bitmap_(std::make_unique<TBitmap>()),
      bitmapUp_(std::make_unique<TBitmap>()),
      bitmapDown_(std::make_unique<TBitmap>()) {
    TControlStyle style = ControlStyle() + TControlStyle{csCaptureMouse};
    style.Exclude(csClickEvents);
    SetControlStyle(style);
    bitmap_->OnChange = [this](TObject*) { BitmapChanged(); };
    SetBounds(0, 0, 80, 80);
    SetParentFont(true);
}

TRzShapeButton::~TRzShapeButton() = default;

void TRzShapeButton::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    SetBounds(Left(), Top(), Width(), Height());
}

void TRzShapeButton::SetBevelHighlightColor(TColor value) {
    if (bevelHighlightColor_ == value) return;
    bevelHighlightColor_ = value;
    BitmapChanged();
}

void TRzShapeButton::SetBevelShadowColor(TColor value) {
    if (bevelShadowColor_ == value) return;
    bevelShadowColor_ = value;
    BitmapChanged();
}

void TRzShapeButton::SetBevelWidth(int value) {
    value = std::clamp(value, 0, 2);
    if (bevelWidth_ == value) return;
    bevelWidth_ = value;
    BitmapChanged();
}

void TRzShapeButton::SetBitmap(TBitmap* value) { bitmap_->Assign(value); }

void TRzShapeButton::SetBorderColor(TColor value) {
    if (borderColor_ == value) return;
    borderColor_ = value;
    BitmapChanged();
}

void TRzShapeButton::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    BitmapChanged();
}

void TRzShapeButton::SetCaptionPosition(TRzCaptionPosition value) {
    if (captionPosition_ == value) return;
    captionPosition_ = value;
    Invalidate();
}

void TRzShapeButton::SetCaptionX(int value) {
    if (captionX_ == value) return;
    captionX_ = value;
    captionPosition_ = cpXY;
    Invalidate();
}

void TRzShapeButton::SetCaptionY(int value) {
    if (captionY_ == value) return;
    captionY_ = value;
    captionPosition_ = cpXY;
    Invalidate();
}

void TRzShapeButton::SetBounds(int left, int top, int width, int height) {
    if (autoSize_ && !ComponentState().Contains(csReading) && !bitmap_->Empty()) {
        width = bitmap_->Width() + 4;
        height = bitmap_->Height() + 4;
    }
    TGraphicControl::SetBounds(left, top, width, height);
}

TColor TRzShapeButton::KeyColor() const {
    if (bitmap_->Empty()) return clNone;
    if (bitmap_->TransparentMode() == tmFixed) return bitmap_->TransparentColor();
    if (bitmap_->Monochrome()) return clWhite;
    return static_cast<TColor>(bitmap_->PixelAt(0, bitmap_->Height() - 1));
}

void TRzShapeButton::BitmapChanged() {
    if (building_ || ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) {
        return;
    }
    SetBounds(Left(), Top(), Width(), Height());
    BuildPictures();
    Invalidate();
}

void TRzShapeButton::BuildPictures() {
    building_ = true;
    hitMask_.clear();
    hitWidth_ = hitHeight_ = 0;
    if (bitmap_->Empty()) {
        bitmapUp_->Assign(nullptr);
        bitmapDown_->Assign(nullptr);
        building_ = false;
        return;
    }
    BuildState(*bitmapUp_, false);
    BuildState(*bitmapDown_, true);
    BuildHitMask();
    building_ = false;
}

void TRzShapeButton::BuildHitMask() {
    hitMask_.clear();
    hitWidth_ = hitHeight_ = 0;
    if (bitmap_->Empty() || bitmapUp_->Empty()) return;
    // The shape: the picture's own opaque pixels and its bevel.
    const TColorRef key = ResolveColor(KeyColor());
    hitWidth_ = bitmapUp_->Width();
    hitHeight_ = bitmapUp_->Height();
    hitMask_.assign(static_cast<std::size_t>(hitWidth_ * hitHeight_), false);
    for (int y = 0; y < hitHeight_; ++y)
        for (int x = 0; x < hitWidth_; ++x) {
            const bool onUp = bitmapUp_->PixelAt(x, y) != key;
            const bool onSource = bitmap_->PixelAt(x, y) != key;
            hitMask_[static_cast<std::size_t>(y * hitWidth_ + x)] = onUp || onSource;
        }
}

void TRzShapeButton::BuildState(TBitmap& target, bool down) const {
    target.Assign(bitmap_.get());
    target.SetMonochrome(false);
    const int w = bitmap_->Width();
    const int h = bitmap_->Height();
    const TColorRef key = ResolveColor(KeyColor());
    std::vector<bool> shape(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            shape[static_cast<std::size_t>(y * w + x)] = bitmap_->PixelAt(x, y) != key;
    auto covered = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && shape[static_cast<std::size_t>(y * w + x)];
    };
    TColor highlight = bevelHighlightColor_;
    if (ResolveColor(highlight) == key) highlight = DarkerColor(highlight, 1);
    const int rings = bevelWidth_ + (borderStyle_ == bsSingle ? 1 : 0);
    TCanvas& c = *target.Canvas();
    for (int k = 1; k <= rings; ++k) {
        std::vector<TPoint> lowerRight;
        for (int dy = -k; dy <= k; ++dy) lowerRight.push_back({k, dy});
        for (int dx = k - 1; dx >= -k; --dx) lowerRight.push_back({dx, k});
        std::vector<TPoint> upperLeft;
        for (int dy = k - 1; dy >= -k; --dy) upperLeft.push_back({-k, dy});
        for (int dx = -k + 1; dx <= k - 1; ++dx) upperLeft.push_back({dx, -k});
        const bool outermost = k == rings;
        const bool border = outermost && borderStyle_ == bsSingle;
        TColor lrColor = down ? highlight : bevelShadowColor_;
        TColor ulColor = down ? bevelShadowColor_ : highlight;
        if (border) lrColor = ulColor = borderColor_;
        // Both halves from the picture as it stood when the ring began.
        std::vector<bool> open(static_cast<std::size_t>(w * h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                open[static_cast<std::size_t>(y * w + x)] = target.PixelAt(x, y) == key;
        auto paintHalf = [&](const std::vector<TPoint>& offsets, TColor color) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if (!open[static_cast<std::size_t>(y * w + x)]) continue;
                    for (const TPoint o : offsets) {
                        if (covered(x - o.X, y - o.Y)) {
                            c.SetPixels(x, y, color);
                            break;
                        }
                    }
                }
        };
        if (!(down && outermost)) paintHalf(lowerRight, lrColor);
        paintHalf(upperLeft, ulColor);
    }
}

bool TRzShapeButton::IsOnButton(TPoint p) const {
    if (hitMask_.empty()) return true;
    if (p.X < 0 || p.Y < 0 || p.X >= hitWidth_ || p.Y >= hitHeight_) return false;
    return hitMask_[static_cast<std::size_t>(p.Y * hitWidth_ + p.X)];
}

void TRzShapeButton::SetState(TButtonState value) {
    if (state_ == value) return;
    state_ = value;
    Invalidate();
}

void TRzShapeButton::Paint() {
    TCanvas& canvas = *Canvas();
    const bool down = state_ == bsDown;
    const TBitmap& picture = down ? *bitmapDown_ : *bitmapUp_;
    if (!picture.Empty()) {
        const int offset = down ? 1 : 0;
        DrawBitmapTransparentPart(canvas, picture,
                                  Bounds(offset, offset, picture.Width(), picture.Height()),
                                  KeyColor(), Rect(0, 0, picture.Width(), picture.Height()));
    }
    const std::string caption = Caption();
    if (caption.empty()) return;
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    if (captionPosition_ == cpXY) {
        TRect needed = Rect(0, 0, Width(), 0);
        canvas.DrawText(caption, needed, DT_CALCRECT | DT_SINGLELINE);
        r = OffsetRect(needed, captionX_, captionY_);
    }
    if (down) r = OffsetRect(r, 1, 1);
    canvas.DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    canvas.Brush()->SetStyle(bsSolid);
}

void TRzShapeButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (!preciseClick_ || IsOnButton({x, y})) SetState(bsDown);
    dragging_ = true;
}

void TRzShapeButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    const bool on = IsOnButton({x, y});
    if (!on && preciseShowHint_) {
        if (!prevShowHintSaved_) {
            prevShowHint_ = ShowHint();
            prevParentShowHint_ = ParentShowHint();
            prevShowHintSaved_ = true;
            SetShowHint(false);
        }
    } else if (!on && preciseClick_) {
        if (!prevCursorSaved_) {
            prevCursor_ = Cursor();
            prevCursorSaved_ = true;
            SetCursor(crDefault);
        }
    } else {
        if (prevShowHintSaved_) {
            SetShowHint(prevShowHint_);
            SetParentShowHint(prevParentShowHint_);
            prevShowHintSaved_ = false;
        }
        if (prevCursorSaved_) {
            SetCursor(prevCursor_);
            prevCursorSaved_ = false;
        }
    }
    if (!dragging_) return;
    const bool inside = preciseClick_ ? on : PtInRect(ClientRect(), {x, y});
    SetState(inside ? bsDown : bsUp);
}

void TRzShapeButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_) return;
    dragging_ = false;
    if (state_ == bsDown) SetState(bsUp);
    const bool inside = preciseClick_ ? IsOnButton({x, y}) : PtInRect(ClientRect(), {x, y});
    if (inside && Enabled()) Click();
}

void TRzShapeButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_HITTEST:
            message.Result =
                !preciseClick_ || IsOnButton(LParamToPoint(message.LParam)) ? HTCLIENT : HTNOWHERE;
            return;
        case CM_SYSCOLORCHANGE:
            TGraphicControl::Dispatch(message);
            BitmapChanged();
            return;
        case CM_DIALOGCHAR:
            if (Enabled() && IsAccelerator(CharOf(message), Caption())) {
                Click();
                message.Result = 1;
                return;
            }
            TGraphicControl::Dispatch(message);
            return;
        case CM_FONTCHANGED:
        case CM_TEXTCHANGED:
            TGraphicControl::Dispatch(message);
            Invalidate();
            return;
        default: TGraphicControl::Dispatch(message); return;
    }
}

void TRzShapeButton::Loaded() {
    TGraphicControl::Loaded();
    // Pictures stored with the settings are kept; the shape comes from them.
    if (bitmapUp_->Empty()) {
        BuildPictures();
    } else {
        BuildHitMask();
    }
    SetBounds(Left(), Top(), Width(), Height());
}

void TRzShapeButton::DefineProperties(TFiler* filer) {
    TGraphicControl::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "BitmapUp",
        [this](TStream& s) {
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(s.Size()));
            if (!bytes.empty()) s.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()));
            bitmapUp_->LoadFromBytes(bytes);
        },
        [this](TStream& s) {
            const auto bytes = bitmapUp_->SaveToBytes();
            s.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        },
        !bitmapUp_->Empty());
    filer->DefineBinaryProperty(
        "BitmapDown",
        [this](TStream& s) {
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(s.Size()));
            if (!bytes.empty()) s.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()));
            bitmapDown_->LoadFromBytes(bytes);
        },
        [this](TStream& s) {
            const auto bytes = bitmapDown_->SaveToBytes();
            s.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        },
        !bitmapDown_->Empty());
}

}  // namespace dsp
