#pragma once
// TSpeedButton: a button without a window (it never takes the focus), with a glyph and a
// caption. In a group (GroupIndex other than 0) it stays down when clicked and lets the other
// buttons of its group with the same parent up; a down button of a group comes up on a click
// only with AllowAllUp. Setting Down by program does the same to the group and raises nothing.
// A Flat button shows its frame only while the mouse is over it or it is down.

#include <memory>

#include "framework/controls/ButtonGlyph.h"
#include "framework/controls/GraphicControl.h"

namespace dsp {

class TSpeedButton : public TGraphicControl {
    DSP_PUBLISHED(TSpeedButton, TGraphicControl) {
        using P = Published<TSpeedButton>;
        return {
            P::Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
                .Default(false),
            P::Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false),
            P::Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false),
            P::Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph),
            P::Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
                .Default(0),
            P::Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout)
                .Default(blGlyphLeft),
            P::Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1),
            P::Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
                .Default(1),
            P::Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4),
            P::Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent)
                .Default(true),
        };
    }

public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    TButtonLayout Layout() const { return settings_.Layout(); }
    void SetLayout(TButtonLayout value) { Changed(settings_.SetLayout(value)); }
    int Margin() const { return settings_.Margin(); }
    void SetMargin(int value) { Changed(settings_.SetMargin(value)); }
    int NumGlyphs() const { return settings_.NumGlyphs(); }
    void SetNumGlyphs(int value) { Changed(settings_.SetNumGlyphs(value)); }
    int Spacing() const { return settings_.Spacing(); }
    void SetSpacing(int value) { Changed(settings_.SetSpacing(value)); }
    // A flat button lets its parent show around its face.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    TButtonState State() const;

    void Click() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void ReleaseGroup();
    void Changed(bool repaint) {
        if (repaint) Invalidate();
    }

    std::unique_ptr<TBitmap> glyph_;
    bool allowAllUp_ = false;
    bool down_ = false;
    bool flat_ = false;
    int groupIndex_ = 0;
    TGlyphSettings settings_;
    bool transparent_ = true;
    bool pressed_ = false;   // held with the mouse and over the button
    bool tracking_ = false;  // the left button went down on it
    bool hot_ = false;       // the mouse is over it
};

}  // namespace dsp
