#include "framework/controls/Label.h"

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"

namespace dsp {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
}

TCustomLabel::~TCustomLabel() = default;

std::string TCustomLabel::GetLabelText() const { return Caption(); }

unsigned TCustomLabel::TextFlags() const {
    unsigned flags = DT_EXPANDTABS | AlignmentTextFlag(alignment_);
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    switch (ellipsis_) {
        case epPathEllipsis: flags |= DT_PATH_ELLIPSIS; break;
        case epEndEllipsis: flags |= DT_END_ELLIPSIS; break;
        case epWordEllipsis: flags |= DT_WORD_ELLIPSIS; break;
        default: break;
    }
    return flags;
}

void TCustomLabel::DoDrawText(TRect& rect, unsigned flags) {
    std::string text = GetLabelText();
    // An empty caption still measures one line high.
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    if (flags & DT_CALCRECT) {
        canvas.DrawText(text, rect, flags);
        return;
    }
    if (!Enabled()) {
        DrawDisabledText(canvas, text, rect, flags);
        return;
    }
    canvas.DrawText(text, rect, flags);
}

void TCustomLabel::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect client = ClientRect();
    if (!Transparent()) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(client);
    }
    canvas.Brush()->SetStyle(bsClear);
    TRect r = client;
    const unsigned flags = TextFlags();
    if (layout_ != tlTop) {
        TRect measured = r;
        DoDrawText(measured, flags | DT_CALCRECT);
        const int free = client.Height() - measured.Height();
        const int dy = layout_ == tlBottom ? free : free / 2;
        r = OffsetRect(r, 0, dy);
        if (layout_ == tlBottom) r.Bottom = client.Bottom + dy;
    }
    DoDrawText(r, flags);
    canvas.Brush()->SetStyle(bsSolid);
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || ComponentState().Contains(csLoading)) return;
    TRect r = ClientRect();
    DoDrawText(r, (TextFlags() & ~unsigned(DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) |
                      DT_CALCRECT);
    int x = Left();
    if (alignment_ == taRightJustify) x += Width() - r.Right;
    SetBounds(x, Top(), r.Right, r.Bottom);
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (layout_ == value) return;
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (Transparent() == value) return;
    SetOpaque(*this, !value);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (showAccelChar_ == value) return;
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition value) {
    if (ellipsis_ == value) return;
    ellipsis_ = value;
    if (value != epNone) SetAutoSize(false);
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
    if (focusControl_ == value) return;
    if (focusControl_ != nullptr) focusControl_->RemoveFreeNotification(this);
    focusControl_ = value;
    if (value != nullptr) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_TEXTCHANGED:
            Invalidate();
            AdjustBounds();
            return;
        case CM_FONTCHANGED:
            TGraphicControl::Dispatch(message);
            AdjustBounds();
            return;
        case CM_DIALOGCHAR:
            if (focusControl_ != nullptr && Enabled() && showAccelChar_ &&
                IsAccelerator(CharOf(message), Caption())) {
                if (focusControl_->CanFocus()) focusControl_->SetFocus();
                message.Result = 1;
            }
            return;
        default: TGraphicControl::Dispatch(message); return;
    }
}

}  // namespace dsp
