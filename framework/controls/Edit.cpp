#include "framework/controls/Edit.h"

#include "framework/controls/Caret.h"
#include "framework/controls/ClassicDraw.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner), field_(*this, *Font()) {
    SetControlStyle(ControlStyle() + TControlStyle{csSetCaption, csDoubleClicks, csCaptureMouse});
    field_.OnUserChange = [this] {
        modified_ = true;
        Change();
    };
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetCursor(crIBeam);
    LayoutField();
}

TCustomEdit::~TCustomEdit() { CaretRelease(*this); }

// ---- settings

void TCustomEdit::SetAlignment(TAlignment value) {
    if (field_.alignment == value) return;
    field_.alignment = value;
    Invalidate();
}

void TCustomEdit::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    LayoutField();
    AdjustHeight();
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (field_.charCase == value) return;
    field_.charCase = value;
    if (field_.ApplyCharCase()) Change();
}

void TCustomEdit::SetHideSelection(bool value) {
    if (field_.hideSelection == value) return;
    field_.hideSelection = value;
    Invalidate();
}

void TCustomEdit::SetPasswordChar(char16_t value) {
    if (field_.passwordChar == value) return;
    field_.passwordChar = value;
    Invalidate();
}

void TCustomEdit::SetReadOnly(bool value) {
    if (field_.readOnly == value) return;
    field_.readOnly = value;
    Invalidate();
}

void TCustomEdit::SetTextHint(const std::string& value) {
    if (field_.textHint == value) return;
    field_.textHint = value;
    if (GetTextLen() == 0) Invalidate();
}

void TCustomEdit::SetSelText(const std::string& value) {
    field_.ReplaceSelection(value);
    Change();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

// ---- geometry

TRect TCustomEdit::TextRect() const {
    return InflateRect(FieldInside(Rect(0, 0, Width(), Height()), borderStyle_), -1, 0);
}

void TCustomEdit::LayoutField() { field_.SetRect(TextRect()); }

int TCustomEdit::AutoHeight() const {
    TCanvas measure;
    measure.SetFont(Font());
    return measure.TextHeight("Wg") + 8;
}

void TCustomEdit::AdjustHeight() {
    if (!autoSize_ || borderStyle_ != bsSingle || ComponentState().Contains(csLoading)) return;
    SetHeight(AutoHeight());
}

// ---- painting

void TCustomEdit::PaintWindow(TCanvas& canvas) {
    TRect r = Rect(0, 0, Width(), Height());
    if (borderStyle_ == bsSingle) DrawSunkenField(canvas, r);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    field_.Paint(canvas, Font()->Color(), Enabled(), Focused());
}

// ---- messages

void TCustomEdit::DoEnter() {
    if (autoSelect_ && !ControlState().Contains(csLButtonDown)) SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_FONTCHANGED:
            TWinControl::Dispatch(message);
            AdjustHeight();
            LayoutField();
            return;
        case WM_SIZE:
            LayoutField();
            TWinControl::Dispatch(message);
            return;
        default: TWinControl::Dispatch(message); return;
    }
}

void TCustomEdit::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_GETTEXT: AnswerGetText(message, field_.Text()); return;
        case WM_SETTEXT:
            if (const std::string* in = SetTextOf(message)) {
                const bool differs = field_.SetText(*in);
                modified_ = false;
                message.Result = 1;
                if (differs) Change();
            }
            return;
        case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
        case WM_KEYDOWN: {
            const TKeyParams key = KeyParamsOf(message);
            const TShiftState shift = key.Shift();
            field_.Key(key.key, shift.Contains(ssShift), shift.Contains(ssCtrl));
            return;
        }
        case WM_CHAR: field_.Char(CharOf(message)); return;
        case WM_SETFOCUS:
            field_.UpdateCaret();
            Invalidate();
            return;
        case WM_KILLFOCUS:
            field_.FocusLost();
            Invalidate();
            return;
        case WM_LBUTTONDOWN:
            if (!Focused() && CanFocus()) SetFocus();
            field_.MouseMessage(message);
            return;
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED: field_.MouseMessage(message); return;
        default: TWinControl::DefaultHandler(message); return;
    }
}

}  // namespace dsp
