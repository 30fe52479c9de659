#pragma once
// TProgressBar: a bar that shows how far an operation has come, Position within Min..Max, in
// the classic look: a sunken one-pixel frame around the background colour, and the part done
// in the bar colour, as separate blocks or (Smooth) as one piece. The rules the program relies
// on:
// - Position stays within Min..Max: a value outside is taken as the nearer end, and narrowing
//   the range pulls the position in with it;
// - Max below Min raises EInvalidOperation ("property out of range"), except while the bar is
//   loading (a form sets Min and Max one after the other); with Min = Max nothing is done;
// - StepIt moves by Step and starts again from Min when it would pass Max; StepBy moves by any
//   amount and stops at the ends;
// - the bar raises no events.

#include "framework/controls/WinControl.h"

namespace dsp {

enum TProgressBarOrientation { pbHorizontal, pbVertical };
DSP_ENUM_NAMES(TProgressBarOrientation, "pbHorizontal", "pbVertical")

class TProgressBar : public TWinControl {
    DSP_PUBLISHED(TProgressBar, TWinControl) {
        using P = Published<TProgressBar>;
        return {
            P::Property("Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0),
            P::Property("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100),
            P::Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0),
            P::Property("Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10),
            P::Property("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth).Default(false),
            P::Property("Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation)
                .Default(pbHorizontal),
            P::Property("BarColor", &TProgressBar::BarColor, &TProgressBar::SetBarColor)
                .Default(clDefault),
            P::Property("BackgroundColor", &TProgressBar::BackgroundColor,
                        &TProgressBar::SetBackgroundColor)
                .Default(clDefault),
        };
    }

public:
    explicit TProgressBar(TComponent* owner);
    ~TProgressBar() override;

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // Both ends at once; EInvalidOperation when max < min (outside loading).
    void SetRange(int min, int max);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Step() const { return step_; }
    void SetStep(int value) { step_ = value; }
    void StepIt();
    void StepBy(int delta);

    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    TProgressBarOrientation Orientation() const { return orientation_; }
    // Turning the bar swaps its width and height (outside loading).
    void SetOrientation(TProgressBarOrientation value);
    // clDefault: clHighlight for the bar and clBtnFace for the background.
    TColor BarColor() const { return barColor_; }
    void SetBarColor(TColor value);
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor value);

    // The part of the client area the bar colour covers now (blocks included), in client
    // coordinates; empty when nothing is done or the range is empty.
    TRect DoneRect() const;

protected:
    void PaintWindow(TCanvas& canvas) override;
    void DefaultHandler(TMessage& message) override;
    void Loaded() override;

private:
    void DrawingChanged();
    int Clamped(int value) const;

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
    bool smooth_ = false;
    TProgressBarOrientation orientation_ = pbHorizontal;
    TColor barColor_ = clDefault;
    TColor backgroundColor_ = clDefault;
};

}  // namespace dsp
