#pragma once
// TRzButton: a push button painted by the widget itself (classic face, or shaded from a face
// colour), with default and cancel behaviour, an optional toggle group (GroupIndex, Down,
// AllowAllUp), 3-D caption styles and a hot-track look. A click comes only from a release inside
// the button (or Space, Enter on the active button, Escape on a Cancel button, the accelerator).
//
// Toggle groups are scoped to one parent: a button that goes down tells its siblings, and a down
// sibling of the same group goes up. Down can be set only with a GroupIndex; a down button of a
// group without AllowAllUp cannot be set up, by the user or by the program.
//
// TRzShapeButton: a windowless button shaped by the opaque part of a bitmap; it generates raised
// and sunken pictures with a bevel traced around the shape and, with PreciseClick, reacts only
// over the shape.

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/ButtonGlyph.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/desktop/ModalResult.h"
#include "framework/graphics/Bitmap.h"
#include "widgets/panels/RzCommon.h"

namespace dsp {

class TRzCustomButton : public TCustomControl {
    DSP_PUBLISHED(TRzCustomButton, TCustomControl) {
        using P = Published<TRzCustomButton>;
        using C = TRzCustomButton;
        return {
            P::Property("AlignmentVertical", &C::AlignmentVertical, &C::SetAlignmentVertical)
                .Default(avCenter),
            P::Property("HighlightColor", &C::HighlightColor, &C::SetHighlightColor)
                .Default(clHighlight),
            P::Property("HotTrack", &C::HotTrack, &C::SetHotTrack).Default(false),
            P::Property("HotTrackColor", &C::HotTrackColor, &C::SetHotTrackColor)
                .Default(0x00149BF0),
            P::Property("HotTrackColorType", &C::HotTrackColorType, &C::SetHotTrackColorType)
                .Default(htctActual),
            P::Property("LightTextStyle", &C::LightTextStyle, &C::SetLightTextStyle).Default(false),
            P::Property("TextHighlightColor", &C::TextHighlightColor, &C::SetTextHighlightColor)
                .Default(clBtnHighlight),
            P::Property("TextShadowColor", &C::TextShadowColor, &C::SetTextShadowColor)
                .Default(clBtnShadow),
            P::Property("TextShadowDepth", &C::TextShadowDepth, &C::SetTextShadowDepth).Default(2),
            P::Property("TextStyle", &C::TextStyle, &C::SetTextStyle).Default(tsNormal),
            P::Property("ThemeAware", &C::ThemeAware, &C::SetThemeAware).Default(true),
        };
    }

public:
    explicit TRzCustomButton(TComponent* owner);
    ~TRzCustomButton() override;

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    TColor HighlightColor() const { return highlightColor_; }
    virtual void SetHighlightColor(TColor value);
    bool HotTrack() const { return hotTrack_; }
    virtual void SetHotTrack(bool value);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor value);
    TRzHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TRzHotTrackColorType value);
    bool LightTextStyle() const { return lightTextStyle_; }
    virtual void SetLightTextStyle(bool value);
    TColor TextHighlightColor() const { return textHighlightColor_; }
    virtual void SetTextHighlightColor(TColor value);
    TColor TextShadowColor() const { return textShadowColor_; }
    virtual void SetTextShadowColor(TColor value);
    int TextShadowDepth() const { return textShadowDepth_; }
    virtual void SetTextShadowDepth(int value);
    TTextStyle TextStyle() const { return textStyle_; }
    virtual void SetTextStyle(TTextStyle value);
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);

    // The pressed look while the mouse or Space holds the button.
    bool ShowDownVersion() const { return showDownVersion_; }
    bool MouseOverButton() const { return mouseOverButton_; }

protected:
    // Paints the parent's background under a transparent button; the base paints nothing.
    virtual void DrawParentBackground() {}
    // Redraws after a state change; the base does nothing.
    virtual void RepaintButton() {}
    virtual void RepaintAfterFocusChange() { Invalidate(); }
    virtual TRect HotTrackRect() const { return ClientRect(); }
    // ThemeAware with visual styles on.
    virtual bool UseThemes() const;
    // The caption into r (text flags given), in the text style.
    virtual void DrawCaption(TRect r, unsigned flags);
    // A click by the user: the group toggles, then Click.
    virtual void PerformClick();
    virtual void SetTransparent(bool value);
    bool Transparent() const { return transparent_; }
    bool Dragging() const { return dragging_; }

    void Dispatch(TMessage& message) override;

    bool showDownVersion_ = false;

private:
    TAlignmentVertical alignmentVertical_ = avCenter;
    TColor hotTrackColor_ = 0x00149BF0;
    TRzHotTrackColorType hotTrackColorType_ = htctActual;
    TColor highlightColor_ = clHighlight;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = tsNormal;
    TColor textHighlightColor_ = clBtnHighlight;
    TColor textShadowColor_ = clBtnShadow;
    int textShadowDepth_ = 2;
    bool dragging_ = false;
    bool hotTrack_ = false;
    bool mouseOverButton_ = false;
    bool transparent_ = false;
    bool themeAware_ = true;
};

class TRzButton : public TRzCustomButton {
    DSP_PUBLISHED(TRzButton, TRzCustomButton) {
        using P = Published<TRzButton>;
        using C = TRzButton;
        return {
            P::Property("Alignment", &C::Alignment, &C::SetAlignment).Default(taCenter),
            P::Property("AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp).Default(false),
            P::Property("Cancel", &C::Cancel, &C::SetCancel).Default(false),
            P::Property("Default", &C::Default, &C::SetDefault).Default(false),
            P::Property("DropDownOnEnter", &C::DropDownOnEnter, &C::SetDropDownOnEnter)
                .Default(true),
            P::Property("Down", &C::Down, &C::SetDown).Default(false),
            P::Property("FrameColor", &C::FrameColor, &C::SetFrameColor).Default(cl3DDkShadow),
            P::Property("GroupIndex", &C::GroupIndex, &C::SetGroupIndex).Default(0),
            P::Property("ModalResult", &C::ModalResult, &C::SetModalResult).Default(mrNone),
            P::Property("ShowDownPattern", &C::ShowDownPattern, &C::SetShowDownPattern)
                .Default(true),
            P::Property("ShowFocusRect", &C::ShowFocusRect, &C::SetShowFocusRect).Default(true),
        };
    }

public:
    explicit TRzButton(TComponent* owner);
    ~TRzButton() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool DropDownOnEnter() const { return dropDownOnEnter_; }
    void SetDropDownOnEnter(bool value) { dropDownOnEnter_ = value; }
    bool Down() const { return down_; }
    void SetDown(bool value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool ShowDownPattern() const { return showDownPattern_; }
    void SetShowDownPattern(bool value);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value);

    TButtonState State() const { return state_; }
    // The button acts as the default button now.
    bool Active() const { return active_; }
    // Set while OnClick runs.
    bool Clicking() const { return clicking_; }

    // Sets the parent form's ModalResult, then raises OnClick.
    void Click() override;

protected:
    void RepaintButton() override { Invalidate(); }
    void PerformClick() override;
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void DefineProperties(TFiler* filer) override;

private:
    void NotifyGroup();
    bool LooksPressed() const;
    void UpdateActive(const TWinControl* focused);
    void PaintFace(TCanvas& canvas);
    void PaintHotTrackFace(TCanvas& canvas, TRect r);

    TAlignment alignment_ = taCenter;
    bool clicking_ = false;
    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
    bool keyToggle_ = false;
    bool allowAllUp_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool showDownPattern_ = true;
    bool showFocusRect_ = true;
    bool dropDownOnEnter_ = true;
    TColor frameColor_ = cl3DDkShadow;
    TButtonState state_ = bsUp;
    bool keyWasPressed_ = false;
};

enum TRzCaptionPosition { cpCentered, cpXY };
DSP_ENUM_NAMES(TRzCaptionPosition, "cpCentered", "cpXY")

class TRzShapeButton : public TGraphicControl {
    DSP_PUBLISHED(TRzShapeButton, TGraphicControl) {
        using P = Published<TRzShapeButton>;
        using C = TRzShapeButton;
        return {
            P::Property("AutoSize", &C::AutoSize, &C::SetAutoSize).Default(true),
            P::Property("BevelHighlightColor", &C::BevelHighlightColor, &C::SetBevelHighlightColor)
                .Default(clBtnHighlight),
            P::Property("BevelShadowColor", &C::BevelShadowColor, &C::SetBevelShadowColor)
                .Default(clBtnShadow),
            P::Property("BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(2),
            P::Property("Bitmap", &C::Bitmap, &C::SetBitmap),
            P::Property("BorderColor", &C::BorderColor, &C::SetBorderColor).Default(cl3DDkShadow),
            P::Property("BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsSingle),
            P::Property("CaptionPosition", &C::CaptionPosition, &C::SetCaptionPosition)
                .Default(cpCentered),
            P::Property("CaptionX", &C::CaptionX, &C::SetCaptionX).Default(0),
            P::Property("CaptionY", &C::CaptionY, &C::SetCaptionY).Default(0),
            P::Property("PreciseClick", &C::PreciseClick, &C::SetPreciseClick).Default(true),
            P::Property("PreciseShowHint", &C::PreciseShowHint, &C::SetPreciseShowHint)
                .Default(true),
        };
    }

public:
    explicit TRzShapeButton(TComponent* owner);
    ~TRzShapeButton() override;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TColor BevelHighlightColor() const { return bevelHighlightColor_; }
    void SetBevelHighlightColor(TColor value);
    TColor BevelShadowColor() const { return bevelShadowColor_; }
    void SetBevelShadowColor(TColor value);
    // 0 to 2.
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    TBitmap* Bitmap() const { return bitmap_.get(); }
    void SetBitmap(TBitmap* value);
    const TBitmap* BitmapUp() const { return bitmapUp_.get(); }
    const TBitmap* BitmapDown() const { return bitmapDown_.get(); }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TRzCaptionPosition CaptionPosition() const { return captionPosition_; }
    void SetCaptionPosition(TRzCaptionPosition value);
    int CaptionX() const { return captionX_; }
    void SetCaptionX(int value);
    int CaptionY() const { return captionY_; }
    void SetCaptionY(int value);
    bool PreciseClick() const { return preciseClick_; }
    void SetPreciseClick(bool value) { preciseClick_ = value; }
    bool PreciseShowHint() const { return preciseShowHint_; }
    void SetPreciseShowHint(bool value) { preciseShowHint_ = value; }

    TButtonState State() const { return state_; }
    // Whether a point (client coordinates) lies on the button's shape.
    bool IsOnButton(TPoint p) const;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Dispatch(TMessage& message) override;
    void Loaded() override;
    void DefineProperties(TFiler* filer) override;

private:
    void BitmapChanged();
    void BuildPictures();
    void BuildHitMask();
    TColor KeyColor() const;
    void BuildState(TBitmap& target, bool down) const;
    void SetState(TButtonState value);

    bool autoSize_ = true;
    int bevelWidth_ = 2;
    TColor bevelHighlightColor_ = clBtnHighlight;
    TColor bevelShadowColor_ = clBtnShadow;
    std::unique_ptr<TBitmap> bitmap_;
    std::unique_ptr<TBitmap> bitmapUp_;
    std::unique_ptr<TBitmap> bitmapDown_;
    TBorderStyle borderStyle_ = bsSingle;
    TColor borderColor_ = cl3DDkShadow;
    bool dragging_ = false;
    // The button's shape, one entry per pixel of the up picture (empty: everywhere).
    std::vector<bool> hitMask_;
    int hitWidth_ = 0;
    int hitHeight_ = 0;
    bool prevCursorSaved_ = false;
    TCursor prevCursor_ = crDefault;
    bool prevShowHintSaved_ = false;
    bool prevShowHint_ = false;
    bool prevParentShowHint_ = true;
    bool preciseClick_ = true;
    bool preciseShowHint_ = true;
    TRzCaptionPosition captionPosition_ = cpCentered;
    int captionX_ = 0;
    int captionY_ = 0;
    TButtonState state_ = bsUp;
    bool building_ = false;
};

}  // namespace dsp
