// Alignment of children: the aligned ones fill the client area from its edges inwards (top,
// bottom, left, right, then the rest for alClient); the anchored ones keep their distances
// to the edges they are anchored to when the parent changes size.

#include "framework/controls/WinControl.h"

#include <vector>

namespace dsp {

namespace {

// Whether control a goes before control b among the children of one alignment.
bool GoesBefore(const TControl* a, const TControl* b, TAlign align) {
    switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() >= b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() >= b->Left() + b->Width();
        default: return false;
    }
}

}  // namespace

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0) --alignLevel_;
    if (alignLevel_ == 0 && ControlState().Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* control) {
    if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
    TControlState state = ControlState();
    if (alignLevel_ != 0) {
        SetControlState(state.Include(csAlignmentNeeded));
        return;
    }
    DisableAlign();
    try {
        TRect rect = GetClientRect();
        AlignControls(control, rect);
    } catch (...) {
        state = ControlState();
        SetControlState(state.Exclude(csAlignmentNeeded));
        EnableAlign();
        throw;
    }
    state = ControlState();
    SetControlState(state.Exclude(csAlignmentNeeded));
    EnableAlign();
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    bool work = false;
    for (int i = 0; i < ControlCount() && !work; ++i) {
        const TControl* c = Controls(i);
        work = c->Align() != alNone || !(c->Anchors() == TAnchors{akLeft, akTop});
    }
    if (!work) return;
    AdjustClientRect(rect);
    const TRect parentClient = GetClientRect();

    auto position = [&](TControl* c, TAlign align) {
        if (align == alNone) {
            if (c->originalParentSize_.X == 0 || c->originalParentSize_.Y == 0) return;
            int left = c->Left();
            int top = c->Top();
            int width = c->Width();
            int height = c->Height();
            const TPoint size{parentClient.Right, parentClient.Bottom};
            const TAnchors anchors = c->Anchors();
            const TPoint rules = c->anchorRules_;
            const TPoint original = c->originalParentSize_;
            if (anchors.Contains(akRight)) {
                if (anchors.Contains(akLeft)) {
                    width = size.X - (original.X - rules.X);
                } else {
                    left = size.X - (original.X - rules.X);
                }
            } else if (!anchors.Contains(akLeft)) {
                left = static_cast<int>(static_cast<long long>(rules.X) * size.X / original.X) -
                       width / 2;
            }
            if (anchors.Contains(akBottom)) {
                if (anchors.Contains(akTop)) {
                    height = size.Y - (original.Y - rules.Y);
                } else {
                    top = size.Y - (original.Y - rules.Y);
                }
            } else if (!anchors.Contains(akTop)) {
                top = static_cast<int>(static_cast<long long>(rules.Y) * size.Y / original.Y) -
                      height / 2;
            }
            c->anchorMove_ = true;
            c->SetBounds(left, top, width, height);
            c->anchorMove_ = false;
            return;
        }
        int left = rect.Left;
        int top = rect.Top;
        int width = rect.Width();
        int height = rect.Height();
        switch (align) {
            case alTop:
                height = c->Height();
                rect.Top += height;
                break;
            case alBottom:
                height = c->Height();
                top = rect.Bottom - height;
                rect.Bottom -= height;
                break;
            case alLeft:
                width = c->Width();
                rect.Left += width;
                break;
            case alRight:
                width = c->Width();
                left = rect.Right - width;
                rect.Right -= width;
                break;
            default: break;
        }
        c->anchorMove_ = true;
        c->SetBounds(left, top, width, height);
        c->anchorMove_ = false;
        // A control that did not take the size it was given keeps its own.
        switch (align) {
            case alTop: rect.Top -= height - c->Height(); break;
            case alBottom: rect.Bottom += height - c->Height(); break;
            case alLeft: rect.Left -= width - c->Width(); break;
            case alRight: rect.Right += width - c->Width(); break;
            default: break;
        }
    };

    std::vector<TControl*> list;
    for (const TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alNone}) {
        list.clear();
        if (control != nullptr && control->Parent() == this && control->Align() == align &&
            (align == alNone || control->Visible())) {
            list.push_back(control);
        }
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c == control || c->Align() != align || (align != alNone && !c->Visible())) {
                continue;
            }
            std::size_t j = 0;
            while (j < list.size() && !GoesBefore(c, list[j], align)) ++j;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
        }
        for (TControl* c : list) {
            if (align == alNone && c->Anchors() == TAnchors{akLeft, akTop}) continue;
            position(c, align);
        }
    }
}

}  // namespace dsp
