#pragma once
// TLabel: a caption drawn on its parent, without a window of its own.
// - AutoSize makes the label as large as its text (as wide as its widest line with WordWrap);
//   a right-justified label keeps its right edge.
// - Layout places the text at the top, middle or bottom of the label; Alignment left, right or
//   centred.
// - A label that is not Transparent fills itself with Color first (ParentColor by default).
// - "&" marks an accelerator character (unless ShowAccelChar is off); typing it with Alt (or
//   alone where the focused control takes no characters) focuses FocusControl.
// - A disabled label draws its text grey and embossed.

#include <string>

#include "framework/controls/GraphicControl.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/controls/WinControl.h"

namespace dsp {

class TCustomLabel : public TGraphicControl {
    DSP_PUBLISHED(TCustomLabel, TGraphicControl) {
        using P = Published<TCustomLabel>;
        return {
            P::Property("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment)
                .Default(taLeftJustify),
            P::Property("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize)
                .Default(true),
            P::Property("EllipsisPosition", &TCustomLabel::EllipsisPosition,
                        &TCustomLabel::SetEllipsisPosition)
                .Default(epNone),
            P::Property("FocusControl", &TCustomLabel::FocusControl,
                        &TCustomLabel::SetFocusControl),
            P::Property("GlowSize", &TCustomLabel::GlowSize, &TCustomLabel::SetGlowSize).Default(0),
            P::Property("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout).Default(tlTop),
            P::Property("ShowAccelChar", &TCustomLabel::ShowAccelChar,
                        &TCustomLabel::SetShowAccelChar)
                .Default(true),
            P::Property("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent)
                .Default(false),
            P::Property("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap)
                .Default(false),
        };
    }

public:
    explicit TCustomLabel(TComponent* owner);
    ~TCustomLabel() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TEllipsisPosition EllipsisPosition() const { return ellipsis_; }
    void SetEllipsisPosition(TEllipsisPosition value);
    // Kept for the forms; the classic look draws no glow.
    int GlowSize() const { return glowSize_; }
    void SetGlowSize(int value) { glowSize_ = value; }
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);

protected:
    // The text the label shows: its caption.
    virtual std::string GetLabelText() const;
    // Draws (or with DT_CALCRECT measures) the label's text into rect with the given flags.
    virtual void DoDrawText(TRect& rect, unsigned flags);
    // Sizes the label to its text when AutoSize is on.
    virtual void AdjustBounds();
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    unsigned TextFlags() const;

    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TEllipsisPosition ellipsis_ = epNone;
    int glowSize_ = 0;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

}  // namespace dsp
