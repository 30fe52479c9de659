#pragma once
// TScrollingWinControl: a windowed control whose children may reach beyond its client area,
// with a horizontal and a vertical scroll bar. With AutoScroll the bars' ranges follow the
// children (their right and bottom edges, plus what aligned children take), and a bar shows
// while its range exceeds the client area; scrolling moves the children. The bars take their
// width from the client area. A control receiving the focus is scrolled into view.

#include <memory>

#include "framework/controls/WinControl.h"

namespace dsp {

class TScrollingWinControl;
struct TScrollBarWidgets;  // the toolkit's scroll bars: framework-internal

enum TScrollBarKind { sbHorizontal, sbVertical };

// The width of a vertical scroll bar and the height of a horizontal one.
inline constexpr int kScrollBarSize = 17;

class TControlScrollBar : public TPersistent {
    DSP_PUBLISHED(TControlScrollBar, TPersistent) {
        using P = Published<TControlScrollBar>;
        return {
            P::Property("Increment", &TControlScrollBar::Increment,
                        &TControlScrollBar::SetIncrement)
                .Default(8),
            P::Property("Margin", &TControlScrollBar::Margin, &TControlScrollBar::SetMargin)
                .Default(0),
            P::Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
                .Default(0),
            P::Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition)
                .Default(0),
            P::Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible)
                .Default(true),
        };
    }

public:
    TControlScrollBar(TScrollingWinControl& control, TScrollBarKind kind)
        : control_(control), kind_(kind) {}

    TScrollBarKind Kind() const { return kind_; }
    // How far a click on an arrow scrolls.
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    // Space kept beyond the children's far edge.
    int Margin() const { return margin_; }
    void SetMargin(int value);
    // The extent of the scrolled area; set by hand it turns AutoScroll off.
    int Range() const { return range_; }
    void SetRange(int value);
    // How far the area is scrolled, 0 to Range less the client extent.
    int Position() const { return position_; }
    void SetPosition(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Whether the bar shows now: visible, and the range beyond the client extent.
    bool IsScrollBarVisible() const { return shown_; }

private:
    friend class TScrollingWinControl;
    TScrollingWinControl& control_;
    TScrollBarKind kind_;
    int increment_ = 8;
    int margin_ = 0;
    int range_ = 0;
    int position_ = 0;
    bool visible_ = true;
    bool shown_ = false;
};

class TScrollingWinControl : public TWinControl {
    DSP_PUBLISHED(TScrollingWinControl, TWinControl) {
        using P = Published<TScrollingWinControl>;
        return {
            P::Property("AutoScroll", &TScrollingWinControl::AutoScroll,
                        &TScrollingWinControl::SetAutoScroll)
                .Default(true),
            P::Property("HorzScrollBar", &TScrollingWinControl::HorzScrollBar),
            P::Property("VertScrollBar", &TScrollingWinControl::VertScrollBar),
        };
    }

public:
    explicit TScrollingWinControl(TComponent* owner);
    ~TScrollingWinControl() override;

    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);
    TControlScrollBar* HorzScrollBar() const { return horz_.get(); }
    TControlScrollBar* VertScrollBar() const { return vert_.get(); }

    // Scrolls so that the control (a child at any depth) shows whole, if it can.
    void ScrollInView(TControl* control);
    // Moves every child by (dx, dy) and repaints.
    void ScrollBy(int dx, int dy);

protected:
    TRect GetClientRect() const override;
    // The aligned children are placed in the whole scrolled area, moved by the positions.
    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Dispatch(TMessage& message) override;
    // The client area before the scroll bars take their part.
    virtual TRect ClientRectWithoutBars() const;

private:
    friend class TControlScrollBar;
    // Works out the ranges (with AutoScroll) and which bars show, and aligns the children
    // again when the client area changed.
    void UpdateScrollBars();
    // The same without aligning; true when the bars that show changed.
    bool UpdateScrollBarState();
    int AutoRange(TScrollBarKind kind) const;
    void ScrollTo(TControlScrollBar& bar, int position);
    void PlaceScrollBarWidgets();

    std::unique_ptr<TControlScrollBar> horz_;
    std::unique_ptr<TControlScrollBar> vert_;
    std::unique_ptr<TScrollBarWidgets> widgets_;
    bool autoScroll_ = true;
    bool updatingBars_ = false;
};

}  // namespace dsp
