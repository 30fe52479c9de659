#pragma once
// TPanel: a container with bevels in the classic look. Outside in: the outer bevel
// (BevelWidth rings, raised or lowered), BorderWidth rings of Color, the inner bevel; the rest
// is filled with Color and shows the caption. Children are aligned inside the bevels and the
// border. With ParentBackground the panel shows its parent's pixels instead of filling.

#include "framework/controls/CustomControl.h"
#include "framework/controls/StdControlTypes.h"

namespace dsp {

class TCustomPanel : public TCustomControl {
    DSP_PUBLISHED(TCustomPanel, TCustomControl) {
        using P = Published<TCustomPanel>;
        return {
            P::Property("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment)
                .Default(taCenter),
            P::Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
                .Default(bvNone),
            P::Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
                .Default(bvRaised),
            P::Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
                .Default(1),
            P::Property("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle)
                .Default(bsNone),
            P::Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth)
                .Default(0),
            P::Property("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint)
                .Default(true),
            P::Property("Locked", &TCustomPanel::Locked, &TCustomPanel::SetLocked).Default(false),
            P::Property("ParentBackground", &TCustomPanel::ParentBackground,
                        &TCustomPanel::SetParentBackground)
                .Default(false),
            P::Property("ShowCaption", &TCustomPanel::ShowCaption, &TCustomPanel::SetShowCaption)
                .Default(true),
            P::Property("VerticalAlignment", &TCustomPanel::VerticalAlignment,
                        &TCustomPanel::SetVerticalAlignment)
                .Default(taVerticalCenter),
        };
    }

public:
    explicit TCustomPanel(TComponent* owner);
    ~TCustomPanel() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
    void SetVerticalAlignment(TVerticalAlignment value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    TBevelWidth BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(TBevelWidth value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // bsSingle adds a one-pixel dark frame around everything.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }
    bool ParentBackground() const { return parentBackground_; }
    void SetParentBackground(bool value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    bool RedrawOnResize() const override { return fullRepaint_; }
    void Dispatch(TMessage& message) override;
    // The width of the frames the panel draws (bevels, border rings, single border).
    int FrameWidth() const;

private:
    void FramesChanged();

    TAlignment alignment_ = taCenter;
    TVerticalAlignment verticalAlignment_ = taVerticalCenter;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelWidth bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    bool fullRepaint_ = true;
    bool locked_ = false;
    bool parentBackground_ = false;
    bool showCaption_ = true;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

}  // namespace dsp
