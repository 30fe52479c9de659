#pragma once
// TVrPowerButton: a button with a small LED that shows its on/off state (Active); each click
// toggles Active and then raises OnClick. A press that leaves the button and is released outside
// changes nothing. SetActive by program raises nothing.
//
// TVrDemoButton: a bevelled text button with fonts for hover and no hover, an optional tiled
// picture, a flat mode (no bevel until the pointer is over it) and 3-D text.
//
// Both paint through their off-screen picture. The framework's own click (csClickEvents) is
// swallowed: OnClick comes only from the button's own press and release, keys and accelerator.

#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "widgets/panels/VrClasses.h"
#include "widgets/panels/VrControls.h"

namespace dsp {

class TVrPowerButton : public TVrCustomImageControl {
    DSP_PUBLISHED(TVrPowerButton, TVrCustomImageControl) {
        using P = Published<TVrPowerButton>;
        using C = TVrPowerButton;
        return {
            P::Property("Active", &C::Active, &C::SetActive).Default(false),
            P::Property("BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(2),
            P::Property("FocusColor", &C::FocusColor, &C::SetFocusColor).Default(clBlue),
            P::Property("HighlightColor", &C::HighlightColor, &C::SetHighlightColor)
                .Default(clBtnHighlight),
            P::Property("Layout", &C::Layout, &C::SetLayout).Default(ImageLeft),
            P::Property("LedHeight", &C::LedHeight, &C::SetLedHeight).Default(12),
            P::Property("LedWidth", &C::LedWidth, &C::SetLedWidth).Default(12),
            P::Property("Margin", &C::Margin, &C::SetMargin).Default(-1),
            P::Property("OutlineColor", &C::OutlineColor, &C::SetOutlineColor).Default(clBlack),
            P::Property("OutlineWidth", &C::OutlineWidth, &C::SetOutlineWidth).Default(1),
            P::Property("Palette", &C::Palette, &C::SetPalette),
            P::Property("ShadowColor", &C::ShadowColor, &C::SetShadowColor).Default(clBtnShadow),
            P::Property("Spacing", &C::Spacing, &C::SetSpacing).Default(5),
        };
    }

public:
    explicit TVrPowerButton(TComponent* owner);
    ~TVrPowerButton() override;

    bool Active() const { return active_; }
    // Stores the state and repaints; raises nothing.
    void SetActive(bool value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor value);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value);
    TVrImageTextLayout Layout() const { return layout_; }
    void SetLayout(TVrImageTextLayout value);
    int LedHeight() const { return ledHeight_; }
    void SetLedHeight(int value);
    int LedWidth() const { return ledWidth_; }
    void SetLedWidth(int value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    TColor OutlineColor() const { return outlineColor_; }
    void SetOutlineColor(TColor value);
    int OutlineWidth() const { return outlineWidth_; }
    void SetOutlineWidth(int value);
    TVrPalette* Palette() const { return palette_.get(); }
    void SetPalette(TVrPalette* value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    // Where the LED and the caption are drawn (client coordinates).
    const TRect& ImageRect() const { return imageRect_; }
    const TRect& TextBounds() const { return textBounds_; }

    // The framework's clicks do nothing: OnClick follows the button's own toggling.
    void Click() override {}

protected:
    void PaintImage() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyUp(TKeyCode& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;

private:
    void UpdateLayout();
    void CalcLayout();
    void Toggle();
    void SetPressed(bool value);

    bool active_ = false;
    int ledWidth_ = 12;
    int ledHeight_ = 12;
    std::unique_ptr<TVrPalette> palette_;
    int bevelWidth_ = 2;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
    TColor outlineColor_ = clBlack;
    int outlineWidth_ = 1;
    int spacing_ = 5;
    int margin_ = -1;
    TVrImageTextLayout layout_ = ImageLeft;
    bool focused_ = false;
    TColor focusColor_ = clBlue;
    bool down_ = false;
    bool pressed_ = false;
    TRect textBounds_;
    TRect imageRect_;
};

enum TVrTextAlignment {
    vtaLeft,
    vtaCenter,
    vtaRight,
    vtaTopLeft,
    vtaTop,
    vtaTopRight,
    vtaBottomLeft,
    vtaBottom,
    vtaBottomRight
};
DSP_ENUM_NAMES(TVrTextAlignment, "vtaLeft", "vtaCenter", "vtaRight", "vtaTopLeft", "vtaTop",
               "vtaTopRight", "vtaBottomLeft", "vtaBottom", "vtaBottomRight")

class TVrDemoButton : public TVrCustomImageControl {
    DSP_PUBLISHED(TVrDemoButton, TVrCustomImageControl) {
        using P = Published<TVrDemoButton>;
        using C = TVrDemoButton;
        return {
            P::Property("Bitmap", &C::Bitmap, &C::SetBitmap),
            P::Property("BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(2),
            P::Property("DisabledTextColor", &C::DisabledTextColor, &C::SetDisabledTextColor)
                .Default(clInactiveCaption),
            P::Property("Flat", &C::Flat, &C::SetFlat).Default(false),
            P::Property("FocusColor", &C::FocusColor, &C::SetFocusColor).Default(clBlue),
            P::Property("Font3D", &C::Font3D, &C::SetFont3D),
            P::Property("FontEnter", &C::FontEnter, &C::SetFontEnter),
            P::Property("FontLeave", &C::FontLeave, &C::SetFontLeave),
            P::Property("HighlightColor", &C::HighlightColor, &C::SetHighlightColor)
                .Default(clBtnHighlight),
            P::Property("OutlineColor", &C::OutlineColor, &C::SetOutlineColor).Default(clBlack),
            P::Property("OutlineWidth", &C::OutlineWidth, &C::SetOutlineWidth).Default(1),
            P::Property("ShadowColor", &C::ShadowColor, &C::SetShadowColor).Default(clBtnShadow),
            P::Property("TextAlignment", &C::TextAlignment, &C::SetTextAlignment)
                .Default(vtaCenter),
        };
    }

public:
    explicit TVrDemoButton(TComponent* owner);
    ~TVrDemoButton() override;

    TBitmap* Bitmap() const { return bitmap_.get(); }
    void SetBitmap(TBitmap* value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    TColor DisabledTextColor() const { return disabledTextColor_; }
    void SetDisabledTextColor(TColor value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor value);
    TVrFont3D* Font3D() const { return font3D_.get(); }
    void SetFont3D(TVrFont3D* value);
    TFont* FontEnter() const { return fontEnter_.get(); }
    void SetFontEnter(TFont* value);
    TFont* FontLeave() const { return fontLeave_.get(); }
    void SetFontLeave(TFont* value);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value);
    TColor OutlineColor() const { return outlineColor_; }
    void SetOutlineColor(TColor value);
    int OutlineWidth() const { return outlineWidth_; }
    void SetOutlineWidth(int value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    TVrTextAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TVrTextAlignment value);

    // Pressed: the press is being tracked; Down: it looks pressed (the pointer is inside).
    bool Pressed() const { return pressed_; }
    bool Down() const { return down_; }
    bool HasMouse() const { return hasMouse_; }

    void Click() override {}

protected:
    void PaintImage() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyUp(TKeyCode& key, TShiftState shift) override;
    void Dispatch(TMessage& message) override;

private:
    void Press();
    void SetDownLook(bool value);

    std::unique_ptr<TBitmap> bitmap_;
    std::unique_ptr<TFont> fontEnter_;
    std::unique_ptr<TFont> fontLeave_;
    int bevelWidth_ = 2;
    int outlineWidth_ = 1;
    TColor outlineColor_ = clBlack;
    TColor shadowColor_ = clBtnShadow;
    TColor highlightColor_ = clBtnHighlight;
    TColor focusColor_ = clBlue;
    TVrTextAlignment textAlignment_ = vtaCenter;
    TColor disabledTextColor_ = clInactiveCaption;
    std::unique_ptr<TVrFont3D> font3D_;
    bool flat_ = false;
    bool hasMouse_ = false;
    bool focused_ = false;
    bool down_ = false;
    bool pressed_ = false;
};

}  // namespace dsp
