#pragma once
// TGroupBox: an etched frame with a caption at its top left; its children are placed inside
// the frame, below the caption. With ParentBackground the box shows its parent's pixels instead
// of filling itself with Color (a transparent group box on a coloured panel).

#include "framework/controls/CustomControl.h"

namespace dsp {

class TCustomGroupBox : public TCustomControl {
    DSP_PUBLISHED(TCustomGroupBox, TCustomControl) {
        using P = Published<TCustomGroupBox>;
        return {
            P::Property("ParentBackground", &TCustomGroupBox::ParentBackground,
                        &TCustomGroupBox::SetParentBackground)
                .Default(false),
        };
    }

public:
    explicit TCustomGroupBox(TComponent* owner);
    ~TCustomGroupBox() override;

    bool ParentBackground() const { return parentBackground_; }
    void SetParentBackground(bool value);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    void Dispatch(TMessage& message) override;

private:
    int CaptionHeight() const;

    bool parentBackground_ = false;
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace dsp
