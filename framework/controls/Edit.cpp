#include "framework/controls/Edit.h"

#include <QString>

#include <algorithm>

#include "framework/controls/Caret.h"
#include "framework/controls/ClassicDraw.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/desktop/Clipboard.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

// Measures text without drawing; shared, as everything here runs on the UI thread.
TCanvas& measuringCanvas(const TFont* font) {
    static TCanvas* canvas = new TCanvas();
    canvas->SetFont(const_cast<TFont*>(font));
    return *canvas;
}

bool isDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() +
                    TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csCaptureMouse});
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetCursor(crIBeam);
}

TCustomEdit::~TCustomEdit() { CaretRelease(*this); }

// ---- settings

void TCustomEdit::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    invalidateText();
}

void TCustomEdit::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    AdjustHeight();
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (charCase_ == value) return;
    charCase_ = value;
    const std::string folded = caseFolded(buffer_.Text());
    if (folded != buffer_.Text()) {
        const int start = buffer_.SelStart();
        const int length = buffer_.SelLength();
        buffer_.SetText(folded);
        buffer_.SetSelection(start, length);
        invalidateText();
        Change();
    }
}

void TCustomEdit::SetHideSelection(bool value) {
    if (hideSelection_ == value) return;
    hideSelection_ = value;
    invalidateText();
}

void TCustomEdit::SetPasswordChar(char16_t value) {
    if (passwordChar_ == value) return;
    passwordChar_ = value;
    invalidateText();
}

void TCustomEdit::SetReadOnly(bool value) {
    if (readOnly_ == value) return;
    readOnly_ = value;
    invalidateText();
}

void TCustomEdit::SetTextHint(const std::string& value) {
    if (textHint_ == value) return;
    textHint_ = value;
    if (buffer_.Length() == 0) invalidateText();
}

// ---- selection and clipboard

void TCustomEdit::SetSelStart(int value) {
    buffer_.SetSelection(value, 0);
    caretMoved();
}

void TCustomEdit::SetSelLength(int value) {
    buffer_.SetSelection(buffer_.SelStart(), std::max(value, 0));
    caretMoved();
}

void TCustomEdit::SetSelText(const std::string& value) {
    buffer_.ReplaceSelection(caseFolded(value));
    scrollToCaret();
    invalidateText();
    Change();
}

void TCustomEdit::SelectAll() {
    buffer_.SelectAll();
    caretMoved();
}

void TCustomEdit::ClearSelection() {
    if (buffer_.DeleteSelection()) userChanged();
}

void TCustomEdit::CopyToClipboard() {
    // A password never leaves the box.
    if (passwordChar_ != 0 || !buffer_.HasSelection()) return;
    Clipboard()->SetAsText(buffer_.SelText());
}

void TCustomEdit::CutToClipboard() {
    if (readOnly_ || passwordChar_ != 0 || !buffer_.HasSelection()) return;
    Clipboard()->SetAsText(buffer_.SelText());
    if (buffer_.DeleteSelection()) userChanged();
}

void TCustomEdit::PasteFromClipboard() {
    if (readOnly_) return;
    std::string text = Clipboard()->AsText();
    // One line only: the text stops at its first line break.
    const std::size_t br = text.find_first_of("\r\n");
    if (br != std::string::npos) text.resize(br);
    if (numbersOnly_) {
        for (char c : text)
            if (c < '0' || c > '9') {
                MessageBeep();
                return;
            }
    }
    TypeText(text);
}

void TCustomEdit::Undo() {
    if (!readOnly_ && buffer_.Undo()) userChanged();
}

void TCustomEdit::ClearUndo() {
    const int start = buffer_.SelStart();
    const int length = buffer_.SelLength();
    const std::string text = buffer_.Text();
    buffer_.SetText(text);
    buffer_.SetSelection(start, length);
}

// ---- changes

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

std::string TCustomEdit::caseFolded(const std::string& text) const {
    if (charCase_ == ecNormal) return text;
    const QString q = QString::fromStdString(text);
    return (charCase_ == ecUpperCase ? q.toUpper() : q.toLower()).toStdString();
}

void TCustomEdit::userChanged() {
    modified_ = true;
    scrollToCaret();
    invalidateText();
    caretMoved();
    Change();
}

bool TCustomEdit::TypeText(const std::string& text) {
    if (readOnly_) {
        MessageBeep();
        return false;
    }
    if (!buffer_.Insert(caseFolded(text), maxLength_)) {
        MessageBeep();
        return false;
    }
    userChanged();
    return true;
}

// ---- geometry

TRect TCustomEdit::TextRect() const {
    TRect r = Rect(0, 0, Width(), Height());
    if (borderStyle_ == bsSingle) r = InflateRect(r, -kEditBorder, -kEditBorder);
    return InflateRect(r, -1, 0);
}

int TCustomEdit::AutoHeight() const {
    return measuringCanvas(Font()).TextHeight("Wg") + 8;
}

void TCustomEdit::AdjustHeight() {
    if (!autoSize_ || borderStyle_ != bsSingle || ComponentState().Contains(csLoading)) return;
    SetHeight(AutoHeight());
}

std::string TCustomEdit::shownText() const {
    if (passwordChar_ == 0) return buffer_.Text();
    const QString mask(static_cast<qsizetype>(buffer_.Length()), QChar(passwordChar_));
    return mask.toStdString();
}

int TCustomEdit::xOfChar(int index) const {
    const std::string shown = shownText();
    const std::u32string chars = Utf8ToChars(shown);
    const auto count =
        static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(chars.size())));
    const std::string prefix = CharsToUtf8(std::u32string_view(chars).substr(0, count));
    const TRect r = TextRect();
    TCanvas& canvas = measuringCanvas(Font());
    const int full = canvas.TextWidth(shown);
    int origin = r.Left - scrollX_;
    if (full < r.Width()) {
        if (alignment_ == taRightJustify) origin = r.Right - full - 1;
        if (alignment_ == taCenter) origin = r.Left + (r.Width() - full) / 2;
    }
    return origin + canvas.TextWidth(prefix);
}

int TCustomEdit::charAtX(int x) const {
    // The boundary nearest to x.
    int best = 0;
    int bestDistance = std::abs(xOfChar(0) - x);
    for (int i = 1; i <= buffer_.Length(); ++i) {
        const int d = std::abs(xOfChar(i) - x);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

void TCustomEdit::scrollToCaret() {
    const TRect r = TextRect();
    const int width = std::max(r.Width() - 1, 1);
    const int caretX = xOfChar(buffer_.Caret()) + scrollX_ - r.Left;  // unscrolled
    if (caretX - scrollX_ > width) scrollX_ = caretX - width + width / 4;
    if (caretX < scrollX_) scrollX_ = std::max(caretX - width / 4, 0);
    const int full = measuringCanvas(Font()).TextWidth(shownText());
    if (full <= width) scrollX_ = 0;
}

void TCustomEdit::caretMoved() {
    scrollToCaret();
    invalidateText();
    if (Focused()) {
        const TRect r = TextRect();
        const int h = measuringCanvas(Font()).TextHeight("Wg");
        const int top = r.Top + (r.Height() - h) / 2;
        const int x = xOfChar(buffer_.Caret());
        CaretPlace(*this, Rect(x, top, x + 1, top + h));
    }
}

void TCustomEdit::invalidateText() { InvalidateRect(nullptr, false); }

// ---- painting

void TCustomEdit::PaintWindow(TCanvas& canvas) {
    TRect r = Rect(0, 0, Width(), Height());
    if (borderStyle_ == bsSingle) DrawSunkenField(canvas, r);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);

    const TRect textRect = TextRect();
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(textRect.Left, textRect.Top, textRect.Right, textRect.Bottom);
    canvas.SetFont(Font());
    const int h = canvas.TextHeight("Wg");
    const int top = textRect.Top + (textRect.Height() - h) / 2;
    const bool focused = Focused();

    if (buffer_.Length() == 0 && !textHint_.empty() && !focused) {
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetColor(clGrayText);
        canvas.TextOut(textRect.Left, top, textHint_);
    } else {
        const std::u32string chars = Utf8ToChars(shownText());
        auto part = [&](int from, int to) {
            return CharsToUtf8(std::u32string_view(chars).substr(from, to - from));
        };
        const int selStart = buffer_.SelStart();
        const int selEnd = selStart + buffer_.SelLength();
        const bool showSelection = buffer_.HasSelection() && (focused || !hideSelection_);
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
        const int len = static_cast<int>(chars.size());
        if (!showSelection) {
            canvas.TextOut(xOfChar(0), top, part(0, len));
        } else {
            canvas.TextOut(xOfChar(0), top, part(0, selStart));
            canvas.TextOut(xOfChar(selEnd), top, part(selEnd, len));
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(clHighlight);
            canvas.Font()->SetColor(clHighlightText);
            canvas.FillRect(Rect(xOfChar(selStart), top, xOfChar(selEnd), top + h));
            canvas.TextOut(xOfChar(selStart), top, part(selStart, selEnd));
        }
    }
    if (focused && CaretShown(*this)) {
        const int x = xOfChar(buffer_.Caret());
        canvas.InvertRect(Rect(x, top, x + 1, top + h));
    }
    canvas.RestoreDC(saved);
    canvas.Brush()->SetStyle(bsSolid);
}

// ---- keys

bool TCustomEdit::HandleEditKey(unsigned key, TShiftState shift) {
    const bool extend = shift.Contains(ssShift);
    const bool word = shift.Contains(ssCtrl);
    const int caretPos = buffer_.Caret();
    switch (key) {
        case VK_LEFT: {
            int to = word ? buffer_.PreviousWordStart(caretPos) : caretPos - 1;
            if (!extend && !word && buffer_.HasSelection()) to = buffer_.SelStart();
            buffer_.MoveCaret(to, extend);
            caretMoved();
            return true;
        }
        case VK_RIGHT: {
            int to = word ? buffer_.NextWordStart(caretPos) : caretPos + 1;
            if (!extend && !word && buffer_.HasSelection()) to = buffer_.SelStart() + buffer_.SelLength();
            buffer_.MoveCaret(to, extend);
            caretMoved();
            return true;
        }
        case VK_HOME:
            buffer_.MoveCaret(0, extend);
            caretMoved();
            return true;
        case VK_END:
            buffer_.MoveCaret(buffer_.Length(), extend);
            caretMoved();
            return true;
        case VK_DELETE:
            if (extend) {
                CutToClipboard();
            } else if (readOnly_) {
                MessageBeep();
            } else if (buffer_.DeleteForward()) {
                userChanged();
            }
            return true;
        case VK_INSERT:
            if (word) CopyToClipboard();
            if (extend) PasteFromClipboard();
            return true;
        default:
            return false;
    }
}

bool TCustomEdit::HandleChar(char16_t ch) {
    switch (ch) {
        case 1: SelectAll(); return true;              // Ctrl+A
        case 3: CopyToClipboard(); return true;        // Ctrl+C
        case 22: PasteFromClipboard(); return true;    // Ctrl+V
        case 24: CutToClipboard(); return true;        // Ctrl+X
        case 26: Undo(); return true;                  // Ctrl+Z
        case 8:
            if (readOnly_) {
                MessageBeep();
            } else if (buffer_.DeleteBackward()) {
                userChanged();
            }
            return true;
        default: break;
    }
    if (ch < 32) return false;
    // A character beyond the basic plane comes as two units.
    if (ch >= 0xD800 && ch < 0xDC00) {
        pendingSurrogate_ = ch;
        return true;
    }
    QString typed;
    if (ch >= 0xDC00 && ch < 0xE000 && pendingSurrogate_ != 0) {
        const QChar pair[2] = {QChar(pendingSurrogate_), QChar(ch)};
        typed = QString(pair, 2);
    } else {
        typed = QString(QChar(ch));
    }
    pendingSurrogate_ = 0;
    if (numbersOnly_ && !(typed.size() == 1 && isDigit(typed[0].unicode()))) {
        MessageBeep();
        return true;
    }
    TypeText(typed.toStdString());
    return true;
}

// ---- messages

void TCustomEdit::DoEnter() {
    if (autoSelect_ && !ControlState().Contains(csLButtonDown)) SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::DoExit() { TWinControl::DoExit(); }

void TCustomEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_FONTCHANGED:
            TWinControl::Dispatch(message);
            AdjustHeight();
            scrollToCaret();
            return;
        case CM_ENABLEDCHANGED:
            TWinControl::Dispatch(message);
            Invalidate();
            return;
        default:
            TWinControl::Dispatch(message);
            return;
    }
}

void TCustomEdit::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_GETTEXT:
            if (auto* out = reinterpret_cast<std::string*>(message.LParam)) {
                *out = buffer_.Text();
                message.Result = static_cast<LRESULT>(out->size());
            }
            return;
        case WM_SETTEXT:
            if (auto* in = reinterpret_cast<const std::string*>(message.LParam)) {
                const std::string text = caseFolded(*in);
                const bool differs = text != buffer_.Text();
                buffer_.SetText(text);
                modified_ = false;
                scrollX_ = 0;
                caretMoved();
                message.Result = 1;
                if (differs) Change();
            }
            return;
        case WM_GETDLGCODE:
            message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            return;
        case WM_KEYDOWN:
            HandleEditKey(static_cast<unsigned>(message.WParam),
                          KeyDataToShiftState(message.LParam));
            return;
        case WM_CHAR:
            HandleChar(static_cast<char16_t>(message.WParam));
            return;
        case WM_SETFOCUS:
            caretMoved();
            Invalidate();
            return;
        case WM_KILLFOCUS:
            CaretRelease(*this);
            selecting_ = false;
            pendingSurrogate_ = 0;
            Invalidate();
            return;
        case WM_LBUTTONDOWN: {
            if (!Focused() && CanFocus()) SetFocus();
            const TPoint p = LParamToPoint(message.LParam);
            const bool extend = (message.WParam & MK_SHIFT) != 0;
            buffer_.MoveCaret(charAtX(p.X), extend);
            selecting_ = true;
            caretMoved();
            return;
        }
        case WM_LBUTTONDBLCLK: {
            int start = 0;
            int end = 0;
            buffer_.WordAt(charAtX(LParamToPoint(message.LParam).X), start, end);
            buffer_.SetSelection(start, end - start);
            caretMoved();
            return;
        }
        case WM_MOUSEMOVE:
            if (selecting_ && (message.WParam & MK_LBUTTON) != 0) {
                buffer_.MoveCaret(charAtX(LParamToPoint(message.LParam).X), true);
                caretMoved();
            }
            return;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            selecting_ = false;
            return;
        default:
            TWinControl::DefaultHandler(message);
            return;
    }
}

}  // namespace dsp
