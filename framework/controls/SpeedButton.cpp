#include "framework/controls/SpeedButton.h"

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

TSpeedButton::TSpeedButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
    TControlStyle style = ControlStyle() + TControlStyle{csCaptureMouse, csDoubleClicks};
    style.Exclude(csClickEvents);
    SetControlStyle(style);
    glyph_->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 23, 22);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TSpeedButton::~TSpeedButton() { glyph_->OnChange = nullptr; }

TButtonState TSpeedButton::State() const {
    if (!Enabled()) return bsDisabled;
    if (pressed_) return bsDown;
    if (down_) return bsExclusive;
    return bsUp;
}

void TSpeedButton::SetAllowAllUp(bool value) {
    if (allowAllUp_ == value) return;
    allowAllUp_ = value;
    // The group shares the setting.
    if (Parent() != nullptr && groupIndex_ != 0) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
            if (other != nullptr && other != this && other->groupIndex_ == groupIndex_) {
                other->allowAllUp_ = value;
            }
        }
    }
}

void TSpeedButton::ReleaseGroup() {
    if (Parent() == nullptr || groupIndex_ == 0) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other != nullptr && other != this && other->groupIndex_ == groupIndex_ &&
            other->down_) {
            other->down_ = false;
            other->Invalidate();
        }
    }
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    // The last down button of a group stays down unless the group allows all up.
    if (down_ && !allowAllUp_) return;
    down_ = value;
    if (value) ReleaseGroup();
    Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
    if (flat_ == value) return;
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* value) { glyph_->Assign(value); }

void TSpeedButton::SetGroupIndex(int value) {
    if (groupIndex_ == value) return;
    groupIndex_ = value;
    if (down_ && value == 0) down_ = false;
    if (down_) ReleaseGroup();
    Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    Invalidate();
}

void TSpeedButton::Click() {
    if (groupIndex_ != 0) {
        if (!down_) {
            down_ = true;
            ReleaseGroup();
        } else if (allowAllUp_) {
            down_ = false;
        }
        Invalidate();
    }
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        tracking_ = true;
        pressed_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    if (tracking_) {
        const bool inside = PtInRect(ClientRect(), {x, y});
        if (inside != pressed_) {
            pressed_ = inside;
            Invalidate();
        }
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool click = tracking_ && button == mbLeft && PtInRect(ClientRect(), {x, y});
    if (button == mbLeft) {
        tracking_ = false;
        pressed_ = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
    if (click) Click();
}

void TSpeedButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            if (MouseChildOf(message) == nullptr) {
                hot_ = message.Msg == CM_MOUSEENTER;
                if (flat_) Invalidate();
            }
            TGraphicControl::Dispatch(message);
            return;
        case CM_TEXTCHANGED: Invalidate(); return;
        case CM_ENABLEDCHANGED:
            pressed_ = tracking_ = false;
            TGraphicControl::Dispatch(message);
            return;
        default: TGraphicControl::Dispatch(message); return;
    }
}

void TSpeedButton::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    const TButtonState state = State();
    const bool sunken = state == bsDown || state == bsExclusive;
    if (flat_) {
        if (!transparent_) {
            canvas.Brush()->SetColor(Color());
            canvas.FillRect(r);
        }
        if (sunken) {
            canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        } else if (hot_ && Enabled()) {
            canvas.DrawEdge(r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        }
    } else if (sunken) {
        canvas.DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(r);
    } else {
        DrawButtonFace(canvas, r, false, false);
    }
    if (state == bsExclusive) {
        // A button held down in its group shows a light checker pattern.
        TBitmap pattern(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                pattern.Canvas()->SetPixels(x, y, (x + y) % 2 ? clBtnFace : clBtnHighlight);
        canvas.Brush()->SetBitmap(&pattern);
        canvas.FillRect(r);
        canvas.Brush()->SetBitmap(nullptr);
    }
    canvas.SetFont(Font());
    settings_.Draw(canvas, ClientRect(), glyph_.get(), state, Caption(), Enabled(), sunken ? 1 : 0);
}

}  // namespace dsp
