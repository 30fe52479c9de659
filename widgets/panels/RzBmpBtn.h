#pragma once
// TRzBmpButton: a button drawn from pictures, one per state (up, up and focused, hot, down,
// stay-down, disabled), stretched, tiled or at their own size, with the caption laid out beside
// the picture, an optional border, and the toggle-group rule of the push button (GroupIndex,
// Down, AllowAllUp; the group is the buttons of one parent).
//
// The pictures leave out their transparent colour (Bitmaps.TransparentColor: the main window's
// use clTeal and clOlive), so the parent shows around a shaped face. A state without its own
// picture falls back: hot and up-and-focused to up, down to up, stay-down to down then up; a
// disabled button without a Disabled picture shows Up's pure black pixels embossed on clBtnFace.
//
// Clicks: a release inside after a press (a group button toggles Down first), Space, Enter (which
// clicks without toggling) and the accelerator. SetDown by program raises no click. Each paint
// builds the whole face off-screen (parent background, picture, caption) and copies it at once.

#include <memory>
#include <string>

#include "framework/controls/BitBtn.h"
#include "framework/controls/ButtonGlyph.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/desktop/ModalResult.h"
#include "framework/graphics/Bitmap.h"
#include "widgets/panels/RzCommon.h"

namespace dsp {

class TRzButtonBitmaps : public TPersistent {
    DSP_PUBLISHED(TRzButtonBitmaps, TPersistent) {
        using P = Published<TRzButtonBitmaps>;
        using C = TRzButtonBitmaps;
        return {
            P::Property("Up", &C::Up, &C::SetUp),
            P::Property("UpAndFocused", &C::UpAndFocused, &C::SetUpAndFocused),
            P::Property("Disabled", &C::Disabled, &C::SetDisabled),
            P::Property("Down", &C::Down, &C::SetDown),
            P::Property("StayDown", &C::StayDown, &C::SetStayDown),
            P::Property("Hot", &C::Hot, &C::SetHot),
            P::Property("TransparentColor", &C::TransparentColor, &C::SetTransparentColor)
                .Default(clOlive),
        };
    }

public:
    TRzButtonBitmaps();
    ~TRzButtonBitmaps() override;

    TBitmap* Up() const { return up_.get(); }
    void SetUp(TBitmap* value) { up_->Assign(value); }
    TBitmap* UpAndFocused() const { return upAndFocused_.get(); }
    void SetUpAndFocused(TBitmap* value) { upAndFocused_->Assign(value); }
    TBitmap* Disabled() const { return disabled_.get(); }
    void SetDisabled(TBitmap* value) { disabled_->Assign(value); }
    TBitmap* Down() const { return down_.get(); }
    void SetDown(TBitmap* value) { down_->Assign(value); }
    TBitmap* StayDown() const { return stayDown_.get(); }
    void SetStayDown(TBitmap* value) { stayDown_->Assign(value); }
    TBitmap* Hot() const { return hot_.get(); }
    void SetHot(TBitmap* value) { hot_->Assign(value); }
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor value);

    // Cuts a strip of equal frames side by side (as the artwork draws a button's states) into
    // Up, Hot, Down and StayDown, as many as the strip has frames.
    void AssignStrip(const TBitmap& strip, int frames);

    void Assign(TPersistent* source) override;

    // Any picture or the transparent colour changed.
    TNotifyEvent OnChange;

private:
    void Changed();

    std::unique_ptr<TBitmap> up_;
    std::unique_ptr<TBitmap> upAndFocused_;
    std::unique_ptr<TBitmap> disabled_;
    std::unique_ptr<TBitmap> down_;
    std::unique_ptr<TBitmap> stayDown_;
    std::unique_ptr<TBitmap> hot_;
    TColor transparentColor_ = clOlive;
    bool assigning_ = false;
};

enum TButtonBorder { bbNone, bbSingle, bbButton };
DSP_ENUM_NAMES(TButtonBorder, "bbNone", "bbSingle", "bbButton")

enum TBtnSize { bszNeither, bszButtonToBitmap, bszStretchToButton, bszTileToButton };
DSP_ENUM_NAMES(TBtnSize, "bszNeither", "bszButtonToBitmap", "bszStretchToButton", "bszTileToButton")

class TRzBmpButton : public TCustomControl {
    DSP_PUBLISHED(TRzBmpButton, TCustomControl) {
        using P = Published<TRzBmpButton>;
        using C = TRzBmpButton;
        return {
            P::Property("AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp).Default(false),
            P::Property("Bitmaps", &C::Bitmaps, &C::SetBitmaps),
            P::Property("ButtonBorder", &C::ButtonBorder, &C::SetButtonBorder).Default(bbNone),
            P::Property("ButtonSize", &C::ButtonSize, &C::SetButtonSize).Default(bszButtonToBitmap),
            P::Property("ButtonStyle", &C::ButtonStyle, &C::SetButtonStyle).Default(bsAutoDetect),
            P::Property("CaptionDownOffset", &C::CaptionDownOffset, &C::SetCaptionDownOffset)
                .Default(1),
            P::Property("Down", &C::Down, &C::SetDown).Default(false),
            P::Property("GroupIndex", &C::GroupIndex, &C::SetGroupIndex).Default(0),
            P::Property("Layout", &C::Layout, &C::SetLayout).Default(blGlyphLeft),
            P::Property("Margin", &C::Margin, &C::SetMargin).Default(-1),
            P::Property("ModalResult", &C::ModalResult, &C::SetModalResult).Default(mrNone),
            P::Property("ShowDownPattern", &C::ShowDownPattern, &C::SetShowDownPattern)
                .Default(true),
            P::Property("ShowFocus", &C::ShowFocus, &C::SetShowFocus).Default(true),
            P::Property("Spacing", &C::Spacing, &C::SetSpacing).Default(4),
        };
    }

public:
    explicit TRzBmpButton(TComponent* owner);
    ~TRzBmpButton() override;

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    TRzButtonBitmaps* Bitmaps() const { return bitmaps_.get(); }
    void SetBitmaps(TRzButtonBitmaps* value);
    TButtonBorder ButtonBorder() const { return buttonBorder_; }
    void SetButtonBorder(TButtonBorder value);
    TBtnSize ButtonSize() const { return buttonSize_; }
    void SetButtonSize(TBtnSize value);
    TButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TButtonStyle value);
    int CaptionDownOffset() const { return captionDownOffset_; }
    void SetCaptionDownOffset(int value);
    bool Down() const { return down_; }
    // The group rule: only with a GroupIndex; a down button of a group without AllowAllUp stays
    // down; going down releases the group's other button. Raises no click.
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    // Values from -1 up; others are ignored.
    void SetMargin(int value);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool ShowDownPattern() const { return showDownPattern_; }
    void SetShowDownPattern(bool value);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    TButtonState State() const { return state_; }
    bool MouseOverButton() const { return mouseOverButton_; }

    // Sets the parent form's ModalResult, then raises OnClick.
    void Click() override;
    void DblClick() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void Loaded() override;

private:
    bool NewStyle() const;
    int BorderWidth() const;
    void FitSize();
    void NotifyGroup();
    void SetState(TButtonState value);
    void EndTracking(bool inside);
    const TBitmap* ChoosePicture(std::unique_ptr<TBitmap>& grey) const;

    int groupIndex_ = 0;
    std::unique_ptr<TRzButtonBitmaps> bitmaps_;
    bool down_ = false;
    int captionDownOffset_ = 1;
    bool dragging_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
    TButtonStyle buttonStyle_ = bsAutoDetect;
    TButtonBorder buttonBorder_ = bbNone;
    TBtnSize buttonSize_ = bszButtonToBitmap;
    bool showFocus_ = true;
    bool showDownPattern_ = true;
    bool isFocused_ = false;
    TModalResult modalResult_ = mrNone;
    TButtonState state_ = bsUp;
    bool mouseOverButton_ = false;
    bool spaceTracking_ = false;
    std::unique_ptr<TBitmap> face_;
};

// The disabled look made from an Up picture: clBtnFace, with Up's pure black pixels in the
// shadow colour and a white edge one pixel below and right.
std::unique_ptr<TBitmap> MakeDisabledCopy(const TBitmap& up);

}  // namespace dsp
