#include "widgets/panels/RzLabel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/controls/WinControl.h"
#include "framework/text/Filer.h"
#include "framework/text/Numbers.h"

namespace dsp {

namespace {

TRzBlinkingControlsList*& ListInForce() {
    static TRzBlinkingControlsList* list = nullptr;
    return list;
}

int FrameWidthOf(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
        case fsNone: return 0;
        case fsFlat: return 1;
        case fsStatus:
        case fsPopup: return bevelWidth;
        default: return 2;
    }
}

// Auto-size grows by the frames except the flat bold and rounded ones.
int GrowWidthOf(TFrameStyleEx style, int bevelWidth) {
    return style == fsFlatBold || style == fsFlatRounded ? 0 : FrameWidthOf(style, bevelWidth);
}

TRect DeflateSides(TRect r, int width, TSides sides) {
    if (sides.Contains(sdLeft)) r.Left += width;
    if (sides.Contains(sdTop)) r.Top += width;
    if (sides.Contains(sdRight)) r.Right -= width;
    if (sides.Contains(sdBottom)) r.Bottom -= width;
    return r;
}

// Growing by n on a side widens to the right for the left and right sides, and downwards for
// the top and bottom ones.
TRect GrowSides(TRect r, int width, TSides sides) {
    if (sides.Contains(sdLeft)) r.Right += width;
    if (sides.Contains(sdRight)) r.Right += width;
    if (sides.Contains(sdTop)) r.Bottom += width;
    if (sides.Contains(sdBottom)) r.Bottom += width;
    return r;
}

int RoundToInt(double value) { return static_cast<int>(Round(value)); }

// The characters of a UTF-8 text, each a whole sequence.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) {
            ++n;
        }
        out.emplace_back(text.data() + i, n);
        i += n;
    }
    return out;
}

}  // namespace

// ---- the blink list

TRzBlinkingControlsList::TRzBlinkingControlsList() : timer_(std::make_unique<TTimer>(nullptr)) {
    timer_->SetEnabled(false);
    timer_->SetInterval(intervalOff_);
    timer_->SetOnTimer([this](TObject*) { TimerFired(); });
}

TRzBlinkingControlsList::~TRzBlinkingControlsList() = default;

TRzBlinkingControlsList* TRzBlinkingControlsList::Current() { return ListInForce(); }

void TRzBlinkingControlsList::Add(TControl* control) { controls_.push_back(control); }

void TRzBlinkingControlsList::Remove(TControl* control) {
    auto found = std::find(controls_.begin(), controls_.end(), control);
    if (found == controls_.end()) return;
    const bool blinked = control->Perform(kRzBlinkQuery) == 1;
    controls_.erase(found);
    // Only a blinking control's leaving can stop the timer.
    if (blinked) BlinkingChanged();
}

bool TRzBlinkingControlsList::AnyBlinks() const {
    return std::any_of(controls_.begin(), controls_.end(),
                       [](TControl* c) { return c->Perform(kRzBlinkQuery) == 1; });
}

void TRzBlinkingControlsList::BlinkingChanged() {
    const bool blinks = AnyBlinks();
    if (blinks == timer_->Enabled()) return;
    if (blinks) {
        blinkState_ = bsOff;
        timer_->SetInterval(intervalOff_);
    }
    timer_->SetEnabled(blinks);
}

void TRzBlinkingControlsList::TimerFired() {
    if (blinkState_ == bsOn) {
        blinkState_ = bsOff;
        timer_->SetInterval(intervalOn_);
    } else {
        blinkState_ = bsOn;
        timer_->SetInterval(intervalOff_);
    }
    // A control's handling may add or remove controls: walk a copy, asking each as it comes.
    const std::vector<TControl*> controls = controls_;
    for (TControl* control : controls) {
        if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) continue;
        if (control->Perform(kRzBlinkQuery) == 1) {
            TMessage notice = MakeBlinkStateMessage(blinkState_);
            control->PerformMessage(notice);
        }
    }
}

// ---- the label

TRzLabel::TRzLabel(TComponent* owner) : TLabel(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetLayout(tlTop);
    if (ListInForce() == nullptr) ListInForce() = new TRzBlinkingControlsList();
    ListInForce()->Add(this);
    fontColor_ = Font()->Color();
    currentColor_ = fontColor_;
    origColor_ = fontColor_;
    initColor_ = true;
    try {
        SetColor(clBtnFace);
        SetParentColor(true);
    } catch (...) {
        initColor_ = false;
        throw;
    }
    initColor_ = false;
}

TRzLabel::~TRzLabel() {
    frameController_.Set(nullptr);
    if (TRzBlinkingControlsList* list = ListInForce()) {
        list->Remove(this);
        if (list->Count() == 0) {
            delete list;
            ListInForce() = nullptr;
        }
    }
}

// ---- settings

void TRzLabel::EnsureTrueTypeFont() {
    if (ComponentState().Contains(csLoading)) return;
    if (!FontIsTrueType(*Font())) Font()->SetName("Verdana");
}

void TRzLabel::SetAngle(int value) {
    // Any angle, however far below -360, lands in 0..359.
    value = ((value % 360) + 360) % 360;
    if (angle_ == value) return;
    angle_ = value;
    if (value != 0) EnsureTrueTypeFont();
    if (angle_ != 0 && rotation_ == roNone) rotation_ = roFlat;
    AdjustBounds();
    Invalidate();
}

void TRzLabel::SetRotation(TRotation value) {
    if (rotation_ == value) return;
    if (value != roNone) EnsureTrueTypeFont();
    rotation_ = value;
    if (value == roNone) {
        angle_ = 0;
    } else if (value == roFlat) {
        angle_ = 0;
        centerPoint_ = cpCenter;
    }
    Invalidate();
}

void TRzLabel::SetBlinking(bool value) {
    if (blinking_ == value) return;
    blinking_ = value;
    if (!value) {
        blinkState_ = bsOff;
        currentColor_ = fontColor_;
        Repaint();
    }
    if (TRzBlinkingControlsList* list = ListInForce()) list->BlinkingChanged();
}

void TRzLabel::SetBlinkColor(TColor value) {
    if (blinkColor_ == value) return;
    blinkColor_ = value;
    Invalidate();
}

unsigned TRzLabel::BlinkIntervalOff() const {
    return ListInForce() != nullptr ? ListInForce()->IntervalOff() : 500;
}

void TRzLabel::SetBlinkIntervalOff(unsigned value) {
    if (ListInForce() != nullptr) ListInForce()->SetIntervalOff(value);
}

unsigned TRzLabel::BlinkIntervalOn() const {
    return ListInForce() != nullptr ? ListInForce()->IntervalOn() : 500;
}

void TRzLabel::SetBlinkIntervalOn(unsigned value) {
    if (ListInForce() != nullptr) ListInForce()->SetIntervalOn(value);
}

void TRzLabel::SetBevelWidth(int value) {
    if (bevelWidth_ == value) return;
    bevelWidth_ = value;
    AdjustBounds();
}

void TRzLabel::SetBorderInner(TFrameStyleEx value) {
    if (borderInner_ == value) return;
    borderInner_ = value;
    AdjustBounds();
}

void TRzLabel::SetBorderOuter(TFrameStyleEx value) {
    if (borderOuter_ == value) return;
    borderOuter_ = value;
    AdjustBounds();
}

void TRzLabel::SetBorderSides(TSides value) {
    if (borderSides_ == value) return;
    borderSides_ = value;
    AdjustBounds();
}

void TRzLabel::SetBorderWidth(int value) {
    if (borderWidth_ == value) return;
    borderWidth_ = value;
    AdjustBounds();
}

void TRzLabel::SetBorderColor(TColor value) {
    if (borderColor_ == value) return;
    borderColor_ = value;
    Invalidate();
}

void TRzLabel::SetBorderHighlight(TColor value) {
    if (borderHighlight_ == value) return;
    borderHighlight_ = value;
    Invalidate();
}

void TRzLabel::SetBorderShadow(TColor value) {
    if (borderShadow_ == value) return;
    borderShadow_ = value;
    Invalidate();
}

void TRzLabel::SetCenterPoint(TCenterPoint value) {
    if (centerPoint_ == value) return;
    centerPoint_ = value;
    Invalidate();
}

void TRzLabel::SetCondenseCaption(TRzCondenseCaption value) {
    if (condenseCaption_ == value) return;
    condenseCaption_ = value;
    if (value != ccNone) SetAutoSize(false);
    Invalidate();
}

void TRzLabel::SetFlatColor(TColor value) {
    if (flatColor_ == value) return;
    flatColor_ = value;
    Invalidate();
}

void TRzLabel::SetFlatColorAdjustment(int value) {
    if (flatColorAdjustment_ == value) return;
    flatColorAdjustment_ = value;
    Invalidate();
}

void TRzLabel::SetFlyByColor(TColor value) {
    if (flyByColor_ == value) return;
    flyByColor_ = value;
    Invalidate();
}

void TRzLabel::SetFlyByEnabled(bool value) {
    if (flyByEnabled_ == value) return;
    flyByEnabled_ = value;
    if (!value) Font()->SetColor(origColor_);
    Invalidate();
}

void TRzLabel::SetHighlightColor(TColor value) {
    if (highlightColor_ == value) return;
    highlightColor_ = value;
    Invalidate();
}

void TRzLabel::SetLightTextStyle(bool value) {
    if (lightTextStyle_ == value) return;
    lightTextStyle_ = value;
    Invalidate();
}

void TRzLabel::SetShadowColor(TColor value) {
    if (shadowColor_ == value) return;
    shadowColor_ = value;
    Invalidate();
}

void TRzLabel::SetShadowDepth(int value) {
    if (shadowDepth_ == value) return;
    shadowDepth_ = value;
    Invalidate();
}

void TRzLabel::SetTextMargin(int value) {
    if (textMargin_ == value) return;
    textMargin_ = value;
    Invalidate();
}

void TRzLabel::SetTextStyle(TTextStyle value) {
    if (textStyle_ == value) return;
    textStyle_ = value;
    Invalidate();
}

void TRzLabel::ApplyFramingSettings() {
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

void TRzLabel::BlinkStateChanged(TBlinkState state) {
    // The list's "on" hands out the normal colour, its "off" the blink colour.
    if (state == bsOn) {
        blinkState_ = bsOff;
        currentColor_ = fontColor_;
    } else {
        blinkState_ = bsOn;
        currentColor_ = blinkColor_;
    }
    Repaint();
}

// ---- geometry

TRect TRzLabel::DeflateByBorders(TRect r, bool withBorderWidth) const {
    if (withBorderWidth) r = InflateRect(r, -borderWidth_, -borderWidth_);
    r = DeflateSides(r, FrameWidthOf(borderOuter_, bevelWidth_), borderSides_);
    return DeflateSides(r, FrameWidthOf(borderInner_, bevelWidth_), borderSides_);
}

TRect TRzLabel::GrowRectForFrames(TRect r) const {
    r = GrowSides(r, GrowWidthOf(borderOuter_, bevelWidth_), borderSides_);
    r = GrowSides(r, borderWidth_, borderSides_);
    r = GrowSides(r, textMargin_, kAllSides);
    r = GrowSides(r, GrowWidthOf(borderInner_, bevelWidth_), borderSides_);
    if (rotation_ == roNone && textStyle_ == tsShadow) {
        r.Right += shadowDepth_;
        r.Bottom += shadowDepth_;
    } else if (rotation_ == roFlat && angle_ != 0 && angle_ != 180) {
        if (textStyle_ == tsShadow) {
            r.Right += shadowDepth_ / 2;
            r.Bottom += shadowDepth_ / 2;
        }
        const double w = r.Right;
        const double h = r.Bottom;
        double a = (angle_ % 90) * std::numbers::pi / 180;
        if (angle_ == 90 || angle_ == 270) a += std::numbers::pi / 2;
        r.Right = RoundToInt(w * std::cos(a) + h * std::sin(a));
        r.Bottom = RoundToInt(w * std::sin(a) + h * std::cos(a));
    }
    return r;
}

unsigned TRzLabel::CondenseFlag() const {
    switch (condenseCaption_) {
        case ccAtEnd: return DT_END_ELLIPSIS;
        case ccWithinPath: return DT_PATH_ELLIPSIS;
        default: return 0;
    }
}

unsigned TRzLabel::TextFormat() const {
    unsigned f = AlignmentTextFlag(Alignment()) | DT_EXPANDTABS;
    if (WordWrap()) f |= DT_WORDBREAK;
    if (!ShowAccelChar()) f |= DT_NOPREFIX;
    return f;
}

void TRzLabel::AdjustBounds() {
    if (ComponentState().Contains(csLoading) || !AutoSize()) return;
    TRect r = DeflateByBorders(Rect(0, 0, Width(), Height()), true);
    r = OffsetRect(r, -r.Left, -r.Top);
    TCanvas measure;
    measure.SetFont(Font());
    // An empty caption still measures one line high.
    const std::string caption = GetLabelText();
    measure.DrawText(caption.empty() ? std::string(1, ' ') : caption, r,
                     DT_CALCRECT | DT_EXPANDTABS | WordWrapTextFlag(WordWrap()) | CondenseFlag() |
                         (ShowAccelChar() ? 0u : DT_NOPREFIX));
    r = GrowRectForFrames(r);
    int left = Left();
    if (Alignment() == taRightJustify) left += Width() - r.Right;
    SetBounds(left, Top(), r.Right, r.Bottom);
}

TPoint TRzLabel::TextCenterPoint() const {
    if (rotation_ == roFlat) return {Width() / 2, Height() / 2};
    const int bw = borderWidth_;
    int x = Width() / 2;
    int y = Height() / 2;
    switch (centerPoint_) {
        case cpUpperLeft:
        case cpLeftCenter:
        case cpLowerLeft: x = bw; break;
        case cpUpperRight:
        case cpRightCenter:
        case cpLowerRight: x = Width() - bw; break;
        default: break;
    }
    switch (centerPoint_) {
        case cpUpperLeft:
        case cpUpperCenter:
        case cpUpperRight: y = bw; break;
        case cpLowerLeft:
        case cpLowerCenter:
        case cpLowerRight: y = Height() - bw; break;
        default: break;
    }
    return {x, y};
}

TPoint TRzLabel::CurveRadius() const {
    const int d = 2 * borderWidth_;
    switch (centerPoint_) {
        case cpUpperLeft:
        case cpUpperRight:
        case cpLowerLeft:
        case cpLowerRight: return {Width() - d, Height() - d};
        case cpUpperCenter:
        case cpLowerCenter: return {Width() / 2 - d, Height() - d};
        case cpLeftCenter:
        case cpRightCenter: return {Width() - d, Height() / 2 - d};
        case cpCenter: break;
    }
    return {Width() / 2 - d, Height() / 2 - d};
}

// ---- painting

void TRzLabel::Paint() {
    TCanvas& canvas = *Canvas();
    TBorderSettings s;
    s.borderOuter = borderOuter_;
    s.borderInner = borderInner_;
    s.borderWidth = borderWidth_;
    s.borderSides = borderSides_;
    s.bevelWidth = bevelWidth_;
    s.borderColor = borderColor_;
    s.borderHighlight = borderHighlight_;
    s.borderShadow = borderShadow_;
    s.flatColor = flatColor_;
    s.flatColorAdjustment = flatColorAdjustment_;
    s.color = Color();
    s.parentColor = Parent() != nullptr ? Parent()->Color() : Color();
    s.transparent = Transparent();
    const TRect r = DrawControlBorders(canvas, Rect(0, 0, Width(), Height()), s);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    if (!Transparent()) canvas.FillRect(r);
    canvas.Brush()->SetStyle(bsClear);
    if (rotation_ == roCurve && CurveRadius().X > 0) {
        DrawCurvedText();
    } else {
        // A curve without room (its radius would divide by zero or turn backwards) is drawn flat.
        DrawLabelText();
    }
    canvas.Brush()->SetStyle(bsSolid);
}

TRect TRzLabel::LayoutOffset(TRect r, unsigned format) {
    TCanvas& canvas = *Canvas();
    if (Layout() != tlTop) {
        TRect measured = r;
        DrawTextIn(canvas, GetLabelText(), measured, format | DT_CALCRECT | CondenseFlag());
        const int free = r.Height() - measured.Height();
        r = OffsetRect(r, 0, Layout() == tlBottom ? free : free / 2);
    }
    if ((format & DT_RIGHT) != 0 && textStyle_ == tsShadow) r = OffsetRect(r, -shadowDepth_, 0);
    if (Layout() == tlBottom && textStyle_ == tsShadow) r = OffsetRect(r, 0, -shadowDepth_);
    return r;
}

void TRzLabel::DrawLabelText() {
    TCanvas& canvas = *Canvas();
    const std::string text = GetLabelText();
    const int e2 = shadowDepth_ / 2;
    TRect r = DeflateByBorders(Rect(0, 0, Width(), Height()), true);
    r = InflateRect(r, -textMargin_, -textMargin_);
    unsigned f = TextFormat();
    const unsigned condense = CondenseFlag();
    canvas.SetFont(Font());
    TPoint p = TextCenterPoint();
    const bool rotated = rotation_ == roFlat;
    const unsigned savedAlign = canvas.TextAlign();
    if (rotated) {
        const double a = angle_ * std::numbers::pi / 180 + std::numbers::pi / 2;
        const int pp = canvas.TextHeight("Pp");
        const double q = pp * 0.25;
        const int w = canvas.TextWidth(text);
        const int e = textStyle_ == tsShadow ? e2 : 0;
        const int t = pp + e;
        const int fw = w + e;
        const bool centred = (f & DT_CENTER) != 0;
        const bool right = (f & DT_RIGHT) != 0;
        switch (angle_) {
            case 0:
                if (centred) {
                    canvas.SetTextAlign(TA_CENTER | TA_TOP);
                } else {
                    canvas.SetTextAlign(TA_LEFT | TA_TOP);
                    p.X = right ? r.Right - w - 2 * e : r.Left + e;
                }
                p.Y -= t / 2;
                break;
            case 90:
                p.X -= RoundToInt(std::cos(a) * q);
                p.Y = centred ? r.Bottom - (r.Bottom - fw) / 2
                      : right ? r.Top + e + fw
                              : r.Bottom - e;
                canvas.SetTextAlign(TA_BASELINE);
                break;
            case 180:
                p.X = centred ? r.Right - (r.Right - fw) / 2 : right ? r.Left + fw : r.Right - e;
                p.Y -= t / 4;
                canvas.SetTextAlign(TA_BASELINE);
                break;
            case 270:
                p.X -= RoundToInt(std::cos(a) * q);
                p.Y = centred ? (r.Bottom - fw) / 2 : right ? r.Bottom - fw - e : r.Top + e;
                canvas.SetTextAlign(TA_BASELINE);
                break;
            default:
                p.X -= RoundToInt(std::cos(a) * q);
                p.Y += RoundToInt(std::sin(a) * q);
                canvas.SetTextAlign(TA_BASELINE | TA_CENTER);
                break;
        }
        TLogFont lf = MakeAngledFont(*Font(), angle_);
        canvas.Font()->SetLogFont(lf);
    }
    auto drawAt = [&](int dx, int dy, TColor color) {
        canvas.Font()->SetColor(color);
        if (rotated) {
            canvas.TextRect(OffsetRect(r, dx, dy), p.X + dx, p.Y + dy, text);
        } else {
            TRect place = OffsetRect(LayoutOffset(r, f), dx, dy);
            DrawTextIn(canvas, text, place, f | condense);
        }
    };
    if (Enabled()) {
        if (textStyle_ == tsRaised || textStyle_ == tsRecessed) {
            const TColor first = textStyle_ == tsRaised ? shadowColor_ : highlightColor_;
            const TColor second = textStyle_ == tsRaised ? highlightColor_ : shadowColor_;
            if (!(textStyle_ == tsRaised && lightTextStyle_)) drawAt(1, 1, first);
            if (!(textStyle_ == tsRecessed && lightTextStyle_)) drawAt(-1, -1, second);
        } else if (textStyle_ == tsShadow) {
            if (rotated) {
                drawAt(e2, e2, shadowColor_);
            } else {
                drawAt(shadowDepth_, shadowDepth_, shadowColor_);
            }
        }
        if (rotated && textStyle_ == tsShadow) {
            drawAt(-e2, -e2, currentColor_);
        } else {
            drawAt(0, 0, currentColor_);
        }
    } else {
        drawAt(0, 0, clGrayText);
    }
    canvas.SetTextAlign(savedAlign);
    canvas.SetFont(Font());
}

void TRzLabel::DrawCurvedText() {
    TCanvas& canvas = *Canvas();
    const TPoint c = TextCenterPoint();
    const TPoint radius = CurveRadius();
    canvas.SetFont(Font());
    double t = angle_ * std::numbers::pi / 180;
    const unsigned savedAlign = canvas.SetTextAlign(TA_BASELINE | TA_CENTER);
    const TLogFont base = MakeAngledFont(*Font(), 0);
    const int th = canvas.TextHeight("Yy");
    const double advance = (canvas.TextWidth("w") + 2) / static_cast<double>(radius.X);
    for (const std::string& ch : Characters(GetLabelText())) {
        const int x = RoundToInt(c.X - (radius.X - th) * std::sin(t));
        const int y = RoundToInt(c.Y - (radius.Y - th) * std::cos(t));
        TLogFont lf = base;
        lf.lfEscapement = RoundToInt(t * 1800 / std::numbers::pi);
        canvas.Font()->SetLogFont(lf);
        auto out = [&](int dx, int dy, TColor color) {
            canvas.Font()->SetColor(color);
            canvas.TextOut(x + dx, y + dy, ch);
        };
        if (textStyle_ == tsRaised || textStyle_ == tsRecessed) {
            const TColor first = textStyle_ == tsRaised ? shadowColor_ : highlightColor_;
            const TColor second = textStyle_ == tsRaised ? highlightColor_ : shadowColor_;
            if (!(textStyle_ == tsRaised && lightTextStyle_)) out(1, 1, first);
            if (!(textStyle_ == tsRecessed && lightTextStyle_)) out(-1, -1, second);
        } else if (textStyle_ == tsShadow) {
            out(shadowDepth_, shadowDepth_, shadowColor_);
        }
        if (!Enabled()) {
            out(1, 1, clBtnHighlight);
            out(0, 0, clBtnShadow);
        } else {
            out(0, 0, currentColor_);
        }
        t -= advance;
    }
    canvas.SetTextAlign(savedAlign);
    canvas.SetFont(Font());
}

// ---- messages

void TRzLabel::Notification(TComponent* component, TOperation operation) {
    TLabel::Notification(component, operation);
    if (operation == opRemove) frameController_.Removed(component);
}

void TRzLabel::Loaded() {
    TLabel::Loaded();
    if (angle_ != 0 && rotation_ == roNone) rotation_ = roFlat;
    if (rotation_ != roNone && !FontIsTrueType(*Font())) Font()->SetName("Verdana");
    fontColor_ = Font()->Color();
    currentColor_ = fontColor_;
}

void TRzLabel::DefineProperties(TFiler* filer) {
    TLabel::DefineProperties(filer);
    DefineOldProperty(filer, "FrameSides", &TRzOldPropReader::ReadOldSetProp);
}

void TRzLabel::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case kRzBlinkQuery: message.Result = blinking_ ? 1 : 0; return;
        case kRzBlinkState:
            if (blinking_) BlinkStateChanged(BlinkStateOf(message));
            return;
        case CM_FONTCHANGED:
            TLabel::Dispatch(message);
            if (ComponentState().Contains(csLoading)) return;
            if (!blinking_) {
                fontColor_ = Font()->Color();
                currentColor_ = fontColor_;
            }
            if (angle_ != 0 && !FontIsTrueType(*Font())) angle_ = 0;
            return;
        case CM_TEXTCHANGED:
            TLabel::Dispatch(message);
            Repaint();
            return;
        case CM_MOUSEENTER:
            if (ComponentState().Contains(csDesigning)) return;
            if (flyByEnabled_ && MouseChildOf(message) == nullptr) {
                origColor_ = Font()->Color();
                Font()->SetColor(flyByColor_);
            }
            TLabel::Dispatch(message);
            return;
        case CM_MOUSELEAVE:
            if (flyByEnabled_ && MouseChildOf(message) == nullptr) Font()->SetColor(origColor_);
            TLabel::Dispatch(message);
            return;
        case CM_PARENTCOLORCHANGED:
            if (initColor_) return;
            TLabel::Dispatch(message);
            return;
        default: TLabel::Dispatch(message); return;
    }
}

}  // namespace dsp
