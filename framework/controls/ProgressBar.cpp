#include "framework/controls/ProgressBar.h"

#include <algorithm>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/ControlErrors.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

constexpr int kFrame = 1;     // the sunken frame
constexpr int kInset = 2;     // frame and the gap inside it
constexpr int kBlockGap = 2;  // between two blocks
constexpr int kMinBlock = 1;

}  // namespace

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetBounds(0, 0, 150, 16);
}

TProgressBar::~TProgressBar() = default;

int TProgressBar::Clamped(int value) const { return std::clamp(value, min_, std::max(min_, max_)); }

void TProgressBar::DrawingChanged() { Invalidate(); }

void TProgressBar::SetRange(int min, int max) {
    const bool loading = ComponentState().Contains(csLoading);
    if (max < min && !loading) {
        throw EInvalidOperation(ClassName() + " property out of range");
    }
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    if (!loading) position_ = Clamped(position_);
    DrawingChanged();
}

void TProgressBar::SetMin(int value) { SetRange(value, max_); }

void TProgressBar::SetMax(int value) { SetRange(min_, value); }

void TProgressBar::SetPosition(int value) {
    if (!ComponentState().Contains(csLoading)) value = Clamped(value);
    if (value == position_) return;
    position_ = value;
    DrawingChanged();
}

void TProgressBar::StepIt() {
    const long long next = static_cast<long long>(position_) + step_;
    SetPosition(next > max_ ? min_ : static_cast<int>(std::max<long long>(next, min_)));
}

void TProgressBar::StepBy(int delta) {
    const long long next = static_cast<long long>(position_) + delta;
    SetPosition(static_cast<int>(std::clamp<long long>(next, min_, std::max(min_, max_))));
}

void TProgressBar::SetSmooth(bool value) {
    if (smooth_ == value) return;
    smooth_ = value;
    DrawingChanged();
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
    if (orientation_ == value) return;
    orientation_ = value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    DrawingChanged();
}

void TProgressBar::SetBarColor(TColor value) {
    if (barColor_ == value) return;
    barColor_ = value;
    DrawingChanged();
}

void TProgressBar::SetBackgroundColor(TColor value) {
    if (backgroundColor_ == value) return;
    backgroundColor_ = value;
    DrawingChanged();
}

void TProgressBar::Loaded() {
    TWinControl::Loaded();
    if (max_ < min_) max_ = min_;
    position_ = Clamped(position_);
}

TRect TProgressBar::DoneRect() const {
    const TRect inner = InflateRect(ClientRect(), -kInset, -kInset);
    const bool vertical = orientation_ == pbVertical;
    const int length = vertical ? inner.Height() : inner.Width();
    if (max_ <= min_ || length <= 0 || IsRectEmpty(inner)) return {};
    const long long span = static_cast<long long>(max_) - min_;
    const int done = static_cast<int>(static_cast<long long>(length) *
                                      (static_cast<long long>(position_) - min_) / span);
    if (done <= 0) return {};
    int extent = done;
    if (!smooth_) {
        // Whole blocks while they start inside the part done; the last one may reach past it.
        const int block = std::max(kMinBlock, (vertical ? inner.Width() : inner.Height()) * 2 / 3);
        int start = 0;
        while (start + block + kBlockGap < done) start += block + kBlockGap;
        extent = std::min(length, start + block);
    }
    if (vertical) return Rect(inner.Left, inner.Bottom - extent, inner.Right, inner.Bottom);
    return Rect(inner.Left, inner.Top, inner.Left + extent, inner.Bottom);
}

void TProgressBar::PaintWindow(TCanvas& canvas) {
    TRect r = ClientRect();
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, kFrame);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(backgroundColor_ == clDefault ? clBtnFace : backgroundColor_);
    canvas.FillRect(r);
    const TRect done = DoneRect();
    if (IsRectEmpty(done)) return;
    canvas.Brush()->SetColor(barColor_ == clDefault ? clHighlight : barColor_);
    if (smooth_) {
        canvas.FillRect(done);
        return;
    }
    const bool vertical = orientation_ == pbVertical;
    const int block = std::max(kMinBlock, (vertical ? done.Width() : done.Height()) * 2 / 3);
    if (vertical) {
        for (int bottom = done.Bottom; bottom > done.Top; bottom -= block + kBlockGap) {
            canvas.FillRect(
                Rect(done.Left, std::max(done.Top, bottom - block), done.Right, bottom));
        }
    } else {
        for (int left = done.Left; left < done.Right; left += block + kBlockGap) {
            canvas.FillRect(Rect(left, done.Top, std::min(done.Right, left + block), done.Bottom));
        }
    }
}

void TProgressBar::DefaultHandler(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
        return;
    }
    TWinControl::DefaultHandler(message);
}

}  // namespace dsp
