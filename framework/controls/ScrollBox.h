#pragma once
// TScrollBox: a container whose children may reach beyond it; scroll bars show when they do
// (AutoScroll) and scrolling moves the children. A single BorderStyle draws the sunken frame
// of the classic look, inside which the children and the scroll bars lie.

#include "framework/controls/ScrollingWinControl.h"

namespace dsp {

class TScrollBox : public TScrollingWinControl {
    DSP_PUBLISHED(TScrollBox, TScrollingWinControl) {
        using P = Published<TScrollBox>;
        return {
            P::Property("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle)
                .Default(bsSingle),
        };
    }

public:
    explicit TScrollBox(TComponent* owner);
    ~TScrollBox() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

protected:
    TRect ClientRectWithoutBars() const override;
    void AdjustClientRect(TRect& rect) override;
    void PaintWindow(TCanvas& canvas) override;
    void DefaultHandler(TMessage& message) override;

private:
    int Border() const;

    TBorderStyle borderStyle_ = bsSingle;
};

}  // namespace dsp
