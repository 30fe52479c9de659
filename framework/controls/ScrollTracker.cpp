#include "framework/controls/ScrollTracker.h"
#include "framework/controls/MessageParams.h"

#include "framework/runtime/Timer.h"

namespace dsp {

namespace {
constexpr unsigned kFirstRepeat = 400;
constexpr unsigned kNextRepeat = 50;
}  // namespace

TScrollTracker::TScrollTracker(bool vertical, TBarRect bar, TStateSource state, TScrollTo scrollTo)
    : vertical_(vertical),
      bar_(std::move(bar)),
      state_(std::move(state)),
      scrollTo_(std::move(scrollTo)) {}

TScrollTracker::~TScrollTracker() = default;

bool TScrollTracker::MouseDown(TPoint p) {
    const TRect bar = bar_();
    if (IsRectEmpty(bar) || !PtInRect(bar, p)) return false;
    const TScrollBarState s = state_();
    part_ = ScrollBarHitTest(bar, vertical_, s, p);
    if (part_ == TScrollPart::None) return true;  // on the bar, but nothing to do
    over_ = true;
    last_ = p;
    if (part_ == TScrollPart::Thumb) {
        const TScrollBarGeometry g = ScrollBarGeometry(bar, vertical_, s);
        grabOffset_ = vertical_ ? p.Y - g.thumb.Top : p.X - g.thumb.Left;
        return true;
    }
    Step();
    if (!timer_) {
        timer_ = std::make_unique<TTimer>(nullptr);
        timer_->SetEnabled(false);
        timer_->SetOnTimer([this](TObject*) {
            timer_->SetInterval(kNextRepeat);
            if (over_) Step();
        });
    }
    timer_->SetEnabled(false);
    timer_->SetInterval(kFirstRepeat);
    timer_->SetEnabled(true);
    return true;
}

void TScrollTracker::Step() {
    const TScrollBarState s = state_();
    const int page = page_ > 0 ? page_ : (s.page > 0 ? s.page : 1);
    switch (part_) {
        case TScrollPart::LineUp: scrollTo_(s.position - line_); break;
        case TScrollPart::LineDown: scrollTo_(s.position + line_); break;
        case TScrollPart::PageUp:
        case TScrollPart::PageDown: {
            // The track steps only while the thumb has not reached the mouse.
            const TScrollPart now = ScrollBarHitTest(bar_(), vertical_, s, last_);
            if (now != part_) return;
            scrollTo_(part_ == TScrollPart::PageUp ? s.position - page : s.position + page);
            break;
        }
        default: break;
    }
}

void TScrollTracker::MouseMove(TPoint p) {
    if (part_ == TScrollPart::None) return;
    last_ = p;
    const TRect bar = bar_();
    const TScrollBarState s = state_();
    if (part_ == TScrollPart::Thumb) {
        const TScrollBarGeometry g = ScrollBarGeometry(bar, vertical_, s);
        const int offset = (vertical_ ? p.Y - g.track.Top : p.X - g.track.Left) - grabOffset_;
        scrollTo_(ScrollPositionFromThumb(bar, vertical_, s, offset));
        return;
    }
    const TScrollBarGeometry g = ScrollBarGeometry(bar, vertical_, s);
    const TRect area = part_ == TScrollPart::LineUp     ? g.lineUp
                       : part_ == TScrollPart::LineDown ? g.lineDown
                                                        : g.track;
    over_ = PtInRect(area, p);
}

void TScrollTracker::MouseUp() {
    part_ = TScrollPart::None;
    over_ = false;
    if (timer_) timer_->SetEnabled(false);
}

bool TScrollTracker::TrackMessage(const TMessage& message) {
    if (!Tracking()) return false;
    switch (message.Msg) {
        case WM_MOUSEMOVE: MouseMove(MouseParamsOf(message).pos); return true;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED: MouseUp(); return true;
        default: return false;
    }
}

void TScrollTracker::Paint(TCanvas& canvas, bool enabled) const {
    const TRect bar = bar_();
    if (IsRectEmpty(bar)) return;
    DrawScrollBar(canvas, bar, vertical_, state_(), enabled, Pressed());
}

}  // namespace dsp
