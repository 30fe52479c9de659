#include "framework/controls/EditField.h"

#include <QString>

#include <algorithm>
#include <cstdlib>

#include "framework/controls/Caret.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/controls/WinControl.h"
#include "framework/desktop/Clipboard.h"

namespace dsp {

namespace {

// Measures text without drawing; shared, as everything here runs on the UI thread.
TCanvas& MeasuringCanvas(const TFont& font) {
    static TCanvas* canvas = new TCanvas();
    canvas->SetFont(const_cast<TFont*>(&font));
    return *canvas;
}

bool IsDigit(QChar ch) { return ch.unicode() >= u'0' && ch.unicode() <= u'9'; }

}  // namespace

TEditField::TEditField(TWinControl& control, const TFont& font) : control_(control), font_(font) {}

void TEditField::SetRect(const TRect& rect) {
    if (rect_ == rect) return;
    rect_ = rect;
    ScrollToCaret();
}

// ---- text

std::string TEditField::Folded(const std::string& text) const {
    if (charCase == ecNormal) return text;
    const QString q = QString::fromStdString(text);
    return (charCase == ecUpperCase ? q.toUpper() : q.toLower()).toStdString();
}

bool TEditField::SetText(const std::string& text) {
    const std::string folded = Folded(text);
    const bool differs = folded != buffer_.Text();
    buffer_.SetText(folded);
    scrollX_ = 0;
    CaretMoved();
    return differs;
}

bool TEditField::ApplyCharCase() {
    const std::string folded = Folded(buffer_.Text());
    if (folded == buffer_.Text()) return false;
    const int start = buffer_.SelStart();
    const int length = buffer_.SelLength();
    buffer_.SetText(folded);
    buffer_.SetSelection(start, length);
    CaretMoved();
    return true;
}

std::string TEditField::ShownText() const {
    if (passwordChar == 0) return buffer_.Text();
    return QString(static_cast<qsizetype>(buffer_.Length()), QChar(passwordChar)).toStdString();
}

// ---- selection

void TEditField::SetSelection(int start, int length) {
    buffer_.SetSelection(start, std::max(length, 0));
    CaretMoved();
}

void TEditField::SelectAll() {
    buffer_.SelectAll();
    CaretMoved();
}

void TEditField::ReplaceSelection(const std::string& text) {
    buffer_.ReplaceSelection(Folded(text));
    CaretMoved();
}

bool TEditField::DeleteSelection() {
    if (readOnly || !buffer_.DeleteSelection()) return false;
    UserChanged();
    return true;
}

void TEditField::ClearUndo() {
    const int start = buffer_.SelStart();
    const int length = buffer_.SelLength();
    const std::string text = buffer_.Text();
    buffer_.SetText(text);
    buffer_.SetSelection(start, length);
}

// ---- editing

void TEditField::UserChanged() {
    CaretMoved();
    if (OnUserChange) OnUserChange();
}

bool TEditField::Type(const std::string& text) {
    if (readOnly || !buffer_.Insert(Folded(text), maxLength)) {
        MessageBeep();
        return false;
    }
    UserChanged();
    return true;
}

void TEditField::Copy() {
    // A password never leaves the field.
    if (passwordChar != 0 || !buffer_.HasSelection()) return;
    Clipboard()->SetAsText(buffer_.SelText());
}

void TEditField::Cut() {
    if (readOnly || passwordChar != 0 || !buffer_.HasSelection()) return;
    Clipboard()->SetAsText(buffer_.SelText());
    if (buffer_.DeleteSelection()) UserChanged();
}

void TEditField::Paste() {
    if (readOnly) return;
    std::string text = Clipboard()->AsText();
    // One line only: the text stops at its first line break.
    const std::size_t br = text.find_first_of("\r\n");
    if (br != std::string::npos) text.resize(br);
    if (numbersOnly) {
        for (const QChar ch : QString::fromStdString(text))
            if (!IsDigit(ch)) {
                MessageBeep();
                return;
            }
    }
    Type(text);
}

void TEditField::Undo() {
    if (!readOnly && buffer_.Undo()) UserChanged();
}

bool TEditField::Key(unsigned key, bool shift, bool ctrl) {
    const int caret = buffer_.Caret();
    switch (key) {
        case VK_LEFT: {
            int to = ctrl ? buffer_.PreviousWordStart(caret) : caret - 1;
            if (!shift && !ctrl && buffer_.HasSelection()) to = buffer_.SelStart();
            buffer_.MoveCaret(to, shift);
            CaretMoved();
            return true;
        }
        case VK_RIGHT: {
            int to = ctrl ? buffer_.NextWordStart(caret) : caret + 1;
            if (!shift && !ctrl && buffer_.HasSelection()) {
                to = buffer_.SelStart() + buffer_.SelLength();
            }
            buffer_.MoveCaret(to, shift);
            CaretMoved();
            return true;
        }
        case VK_HOME:
            buffer_.MoveCaret(0, shift);
            CaretMoved();
            return true;
        case VK_END:
            buffer_.MoveCaret(buffer_.Length(), shift);
            CaretMoved();
            return true;
        case VK_DELETE:
            if (shift) {
                Cut();
            } else if (readOnly) {
                MessageBeep();
            } else if (buffer_.DeleteForward()) {
                UserChanged();
            }
            return true;
        case VK_INSERT:
            if (ctrl) Copy();
            if (shift) Paste();
            return true;
        default: return false;
    }
}

bool TEditField::Char(char16_t ch) {
    switch (ch) {
        case 1: SelectAll(); return true;  // Ctrl+A
        case 3: Copy(); return true;       // Ctrl+C
        case 22: Paste(); return true;     // Ctrl+V
        case 24: Cut(); return true;       // Ctrl+X
        case 26: Undo(); return true;      // Ctrl+Z
        case 8:
            if (readOnly) {
                MessageBeep();
            } else if (buffer_.DeleteBackward()) {
                UserChanged();
            }
            return true;
        default: break;
    }
    if (ch < 32) return false;
    const char32_t typed = typed_.Take(ch);
    if (typed == 0) return true;
    if (numbersOnly && !(typed >= U'0' && typed <= U'9')) {
        MessageBeep();
        return true;
    }
    Type(CharsToUtf8(std::u32string(1, typed)));
    return true;
}

void TEditField::MouseDown(int x, bool extend) {
    buffer_.MoveCaret(CharAtX(x), extend);
    selecting_ = true;
    CaretMoved();
}

void TEditField::MouseMove(int x) {
    if (!selecting_) return;
    buffer_.MoveCaret(CharAtX(x), true);
    CaretMoved();
}

void TEditField::MouseUp() { selecting_ = false; }

void TEditField::DoubleClick(int x) {
    int start = 0;
    int end = 0;
    buffer_.WordAt(CharAtX(x), start, end);
    buffer_.SetSelection(start, end - start);
    CaretMoved();
}

void TEditField::MouseMessage(const TMessage& message) {
    const int x = MouseParamsOf(message).pos.X;
    switch (message.Msg) {
        case WM_LBUTTONDOWN: MouseDown(x, MouseParamsOf(message).Holds(MK_SHIFT)); return;
        case WM_LBUTTONDBLCLK: DoubleClick(x); return;
        case WM_MOUSEMOVE:
            if (MouseParamsOf(message).Holds(MK_LBUTTON)) MouseMove(x);
            return;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED: MouseUp(); return;
        default: return;
    }
}

void TEditField::FocusLost() {
    selecting_ = false;
    typed_.Reset();
    CaretRelease(control_);
    control_.InvalidateRect(&rect_, false);
}

// ---- geometry and painting

int TEditField::TextHeight() const { return MeasuringCanvas(font_).TextHeight("Wg"); }

int TEditField::XOfChar(int index) const {
    const std::string shown = ShownText();
    const std::u32string chars = Utf8ToChars(shown);
    const auto count =
        static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(chars.size())));
    const std::string prefix = CharsToUtf8(std::u32string_view(chars).substr(0, count));
    TCanvas& canvas = MeasuringCanvas(font_);
    const int full = canvas.TextWidth(shown);
    int origin = rect_.Left - scrollX_;
    if (full < rect_.Width()) {
        if (alignment == taRightJustify) origin = rect_.Right - full - 1;
        if (alignment == taCenter) origin = rect_.Left + (rect_.Width() - full) / 2;
    }
    return origin + canvas.TextWidth(prefix);
}

int TEditField::CharAtX(int x) const {
    int best = 0;
    int bestDistance = std::abs(XOfChar(0) - x);
    for (int i = 1; i <= buffer_.Length(); ++i) {
        const int d = std::abs(XOfChar(i) - x);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

void TEditField::ScrollToCaret() {
    const int width = std::max(rect_.Width() - 1, 1);
    const int full = MeasuringCanvas(font_).TextWidth(ShownText());
    if (full <= width) {
        scrollX_ = 0;
        return;
    }
    const int caretX = XOfChar(buffer_.Caret()) + scrollX_ - rect_.Left;  // unscrolled
    if (caretX - scrollX_ > width) scrollX_ = caretX - width + width / 4;
    if (caretX < scrollX_) scrollX_ = std::max(caretX - width / 4, 0);
}

void TEditField::CaretMoved() {
    ScrollToCaret();
    control_.InvalidateRect(&rect_, false);
    UpdateCaret();
}

void TEditField::UpdateCaret() {
    if (!control_.Focused()) return;
    const int h = TextHeight();
    const int top = rect_.Top + (rect_.Height() - h) / 2;
    const int x = XOfChar(buffer_.Caret());
    CaretPlace(control_, dsp::Rect(x, top, x + 1, top + h));
}

void TEditField::Paint(TCanvas& canvas, TColor textColor, bool enabled, bool focused) {
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(rect_.Left, rect_.Top, rect_.Right, rect_.Bottom);
    canvas.SetFont(const_cast<TFont*>(&font_));
    const int h = canvas.TextHeight("Wg");
    const int top = rect_.Top + (rect_.Height() - h) / 2;
    canvas.Brush()->SetStyle(bsClear);
    if (buffer_.Length() == 0 && !textHint.empty() && !focused) {
        canvas.Font()->SetColor(clGrayText);
        canvas.TextOut(rect_.Left, top, textHint);
    } else {
        const std::u32string chars = Utf8ToChars(ShownText());
        auto part = [&](int from, int to) {
            return CharsToUtf8(std::u32string_view(chars).substr(from, to - from));
        };
        const int len = static_cast<int>(chars.size());
        const int selStart = buffer_.SelStart();
        const int selEnd = selStart + buffer_.SelLength();
        const bool showSelection = buffer_.HasSelection() && (focused || !hideSelection);
        canvas.Font()->SetColor(enabled ? textColor : clGrayText);
        if (!showSelection) {
            canvas.TextOut(XOfChar(0), top, part(0, len));
        } else {
            canvas.TextOut(XOfChar(0), top, part(0, selStart));
            canvas.TextOut(XOfChar(selEnd), top, part(selEnd, len));
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(clHighlight);
            canvas.Font()->SetColor(clHighlightText);
            canvas.FillRect(dsp::Rect(XOfChar(selStart), top, XOfChar(selEnd), top + h));
            canvas.TextOut(XOfChar(selStart), top, part(selStart, selEnd));
        }
    }
    if (focused && CaretShown(control_)) {
        const int x = XOfChar(buffer_.Caret());
        canvas.InvertRect(dsp::Rect(x, top, x + 1, top + h));
    }
    canvas.RestoreDC(saved);
    canvas.Brush()->SetStyle(bsSolid);
}

}  // namespace dsp
