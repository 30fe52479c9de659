#include "framework/controls/Memo.h"

#include <QString>

#include <algorithm>

#include "framework/controls/Caret.h"
#include "framework/controls/ClassicDraw.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/ScrollTracker.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/desktop/Clipboard.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

constexpr int kWheelRows = 3;

TCanvas& measuring(const TFont* font) {
    static TCanvas* canvas = new TCanvas();
    canvas->SetFont(const_cast<TFont*>(font));
    return *canvas;
}

std::string part(const std::u32string& chars, int from, int to) {
    return CharsToUtf8(std::u32string_view(chars).substr(from, std::max(to - from, 0)));
}

// The lines of a memo as a string list: the memo keeps them in its text.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

    int Count() const override {
        const EditBuffer& b = memo_.Buffer();
        const int n = b.LineCount();
        return b.LineLength(n - 1) == 0 ? n - 1 : n;
    }

    void Insert(int index, const std::string& text) override {
        EditBuffer& b = memo_.Buffer();
        const int count = Count();
        if (index < 0 || index > count) throw EStringListError::IndexOutOfBounds(index);
        if (index < count) {
            b.SetSelection(b.LineStart(index), 0);
            b.ReplaceSelection(text + "\n");
        } else {
            const bool needsBreak = b.Length() > 0 && b.Chars().back() != U'\n';
            b.SetSelection(b.Length(), 0);
            b.ReplaceSelection(needsBreak ? "\n" + text : text);
        }
        changed();
    }

    void Delete(int index) override {
        EditBuffer& b = memo_.Buffer();
        if (index < 0 || index >= Count()) throw EStringListError::IndexOutOfBounds(index);
        const int start = b.LineStart(index);
        const int end = index + 1 < b.LineCount() ? b.LineStart(index + 1) : b.Length();
        b.SetSelection(start, end - start);
        b.DeleteSelection();
        changed();
    }

    void Clear() override {
        if (memo_.Buffer().Length() == 0) return;
        memo_.Buffer().SetText("");
        changed();
    }

    void SetText(std::string_view text) override {
        memo_.Buffer().SetText(text);
        changed();
    }

protected:
    std::string Get(int index) const override {
        const EditBuffer& b = memo_.Buffer();
        if (index < 0 || index >= Count()) throw EStringListError::IndexOutOfBounds(index);
        const int start = b.LineStart(index);
        return part(b.Chars(), start, start + b.LineLength(index));
    }

    void Put(int index, const std::string& text) override {
        EditBuffer& b = memo_.Buffer();
        if (index < 0 || index >= Count()) throw EStringListError::IndexOutOfBounds(index);
        b.SetSelection(b.LineStart(index), b.LineLength(index));
        b.ReplaceSelection(text);
        changed();
    }

    void SetUpdateState(bool updating) override {
        if (!updating) memo_.TextChangedByLines();
    }

private:
    void changed() {
        if (UpdateCount() == 0) memo_.TextChangedByLines();
    }

    TCustomMemo& memo_;
};

}  // namespace

TCustomMemo::TCustomMemo(TComponent* owner)
    : TWinControl(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
    SetControlStyle(ControlStyle() + TControlStyle{csSetCaption, csDoubleClicks, csCaptureMouse});
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetCursor(crIBeam);
    scroll_ = std::make_unique<TScrollTracker>(
        true, [this] { return verticalBar(); },
        [this] {
            return TScrollBarState{0, std::max(RowCount() - 1, 0), std::max(VisibleRows(), 1),
                                   topRow_};
        },
        [this](int position) { SetTopRow(position); });
}

TCustomMemo::~TCustomMemo() { CaretRelease(*this); }

void TCustomMemo::SetLines(TStrings* value) {
    if (value != lines_.get()) lines_->Assign(value);
}

void TCustomMemo::TextChangedByLines() {
    // The rows are worked out when the memo is painted, not at each line a program adds.
    rowsChanged();
    Invalidate();
    Change();
}

void TCustomMemo::Change() {
    if (OnChange) OnChange(this);
}

// ---- settings

void TCustomMemo::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TCustomMemo::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    rowsChanged();
    Invalidate();
}

void TCustomMemo::SetHideSelection(bool value) {
    if (hideSelection_ == value) return;
    hideSelection_ = value;
    Invalidate();
}

void TCustomMemo::SetReadOnly(bool value) {
    if (readOnly_ == value) return;
    readOnly_ = value;
    Invalidate();
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    if (scrollBars_ == value) return;
    scrollBars_ = value;
    rowsChanged();
    Invalidate();
}

void TCustomMemo::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    rowsChanged();
    Invalidate();
}

// ---- selection

void TCustomMemo::SetSelStart(int value) {
    buffer_.SetSelection(value, 0);
    caretMoved();
}

void TCustomMemo::SetSelLength(int value) {
    buffer_.SetSelection(buffer_.SelStart(), std::max(value, 0));
    caretMoved();
}

void TCustomMemo::SelectAll() {
    buffer_.SelectAll();
    caretMoved();
}

TPoint TCustomMemo::CaretPos() const {
    const int line = buffer_.LineOf(buffer_.Caret());
    return {buffer_.Caret() - buffer_.LineStart(line), line};
}

void TCustomMemo::SetCaretPos(TPoint value) {
    const int line = std::clamp(value.Y, 0, buffer_.LineCount() - 1);
    const int column = std::clamp(value.X, 0, buffer_.LineLength(line));
    buffer_.MoveCaret(buffer_.LineStart(line) + column, false);
    caretMoved();
}

// ---- rows

TRect TCustomMemo::textRect() const {
    TRect r = FieldInside(ClientRect(), borderStyle_);
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) r.Right -= kScrollBarSize;
    if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_) {
        r.Bottom -= kScrollBarSize;
    }
    return InflateRect(r, -1, 0);
}

TRect TCustomMemo::verticalBar() const {
    if (scrollBars_ != ssVertical && scrollBars_ != ssBoth) return {};
    return RightScrollBar(FieldInside(ClientRect(), borderStyle_));
}

int TCustomMemo::lineHeight() const { return measuring(Font()).TextHeight("Wg"); }

const std::vector<TCustomMemo::Row>& TCustomMemo::rows() const {
    const int width = textRect().Width();
    if (rowsValid_ && rowsWidth_ == width) return rows_;
    rows_.clear();
    const std::u32string& text = buffer_.Chars();
    TCanvas& canvas = measuring(Font());
    for (int line = 0; line < buffer_.LineCount(); ++line) {
        const int start = buffer_.LineStart(line);
        const int end = start + buffer_.LineLength(line);
        if (!wordWrap_ || width <= 0 || canvas.TextWidth(part(text, start, end)) <= width) {
            rows_.push_back({start, end});
            continue;
        }
        // Break after the last blank that lets the row fit; a word longer than the row breaks
        // where it must.
        int rowStart = start;
        while (rowStart < end) {
            int fit = rowStart;
            int lastBreak = -1;
            while (fit < end && canvas.TextWidth(part(text, rowStart, fit + 1)) <= width) {
                if (text[fit] == U' ' || text[fit] == U'\t') lastBreak = fit + 1;
                ++fit;
            }
            if (fit >= end) {
                rows_.push_back({rowStart, end});
                break;
            }
            int rowEnd = lastBreak > rowStart ? lastBreak : std::max(fit, rowStart + 1);
            rows_.push_back({rowStart, rowEnd});
            rowStart = rowEnd;
        }
    }
    rowsValid_ = true;
    rowsWidth_ = width;
    return rows_;
}

int TCustomMemo::RowCount() const { return static_cast<int>(rows().size()); }

int TCustomMemo::VisibleRows() const {
    return std::max(textRect().Height() / std::max(lineHeight(), 1), 1);
}

int TCustomMemo::rowOf(int pos) const {
    const auto& r = rows();
    for (int i = static_cast<int>(r.size()) - 1; i >= 0; --i) {
        if (pos >= r[i].start) {
            // A position at the end of a wrapped row belongs to the next row.
            if (pos == r[i].end && i + 1 < static_cast<int>(r.size()) && r[i + 1].start == pos) {
                return i + 1;
            }
            return i;
        }
    }
    return 0;
}

void TCustomMemo::SetTopRow(int value) {
    value = std::clamp(value, 0, std::max(RowCount() - VisibleRows(), 0));
    if (value == topRow_) return;
    topRow_ = value;
    Invalidate();
    caretMoved();
}

int TCustomMemo::xOf(int pos) const {
    const auto& r = rows();
    const Row& row = r[rowOf(pos)];
    const TRect area = textRect();
    TCanvas& canvas = measuring(Font());
    const int width = canvas.TextWidth(part(buffer_.Chars(), row.start, row.end));
    int origin = area.Left;
    if (alignment_ == taRightJustify) origin = area.Right - width - 1;
    if (alignment_ == taCenter) origin = area.Left + (area.Width() - width) / 2;
    return origin + canvas.TextWidth(part(buffer_.Chars(), row.start, pos));
}

int TCustomMemo::posAt(TPoint p) const {
    const TRect area = textRect();
    const auto& r = rows();
    const int row = std::clamp(topRow_ + (p.Y - area.Top) / std::max(lineHeight(), 1), 0,
                               static_cast<int>(r.size()) - 1);
    int best = r[row].start;
    int bestDistance = std::abs(xOf(best) - p.X);
    for (int pos = r[row].start + 1; pos <= r[row].end; ++pos) {
        const int d = std::abs(xOf(pos) - p.X);
        if (d < bestDistance) {
            best = pos;
            bestDistance = d;
        }
    }
    return best;
}

// ---- caret and changes

void TCustomMemo::makeCaretVisible() {
    const int row = rowOf(buffer_.Caret());
    if (row < topRow_) {
        topRow_ = row;
        Invalidate();
    } else if (row >= topRow_ + VisibleRows()) {
        topRow_ = row - VisibleRows() + 1;
        Invalidate();
    }
}

void TCustomMemo::caretMoved() {
    Invalidate();
    if (!Focused()) return;
    const TRect area = textRect();
    const int row = rowOf(buffer_.Caret());
    const int y = area.Top + (row - topRow_) * lineHeight();
    const int x = xOf(buffer_.Caret());
    CaretPlace(*this, Rect(x, y, x + 1, y + lineHeight()));
}

void TCustomMemo::userChanged() {
    modified_ = true;
    rowsChanged();
    makeCaretVisible();
    caretMoved();
    Change();
}

bool TCustomMemo::typeText(const std::string& text) {
    if (readOnly_ || !buffer_.Insert(text, maxLength_)) {
        MessageBeep();
        return false;
    }
    desiredX_ = -1;
    userChanged();
    return true;
}

void TCustomMemo::moveVertically(int count, bool extend) {
    const auto& r = rows();
    const int row = rowOf(buffer_.Caret());
    if (desiredX_ < 0) desiredX_ = xOf(buffer_.Caret());
    const int target = std::clamp(row + count, 0, static_cast<int>(r.size()) - 1);
    const TRect area = textRect();
    const int y = area.Top + (target - topRow_) * lineHeight();
    const int keep = desiredX_;
    buffer_.MoveCaret(posAt({desiredX_, y}), extend);
    makeCaretVisible();
    caretMoved();
    desiredX_ = keep;
}

void TCustomMemo::keyDown(unsigned key, TShiftState shift) {
    const bool extend = shift.Contains(ssShift);
    const bool ctrl = shift.Contains(ssCtrl);
    const int caret = buffer_.Caret();
    const auto& r = rows();
    const Row& row = r[rowOf(caret)];
    auto move = [&](int to) {
        buffer_.MoveCaret(to, extend);
        desiredX_ = -1;
        makeCaretVisible();
        caretMoved();
    };
    switch (key) {
        case VK_UP: moveVertically(-1, extend); return;
        case VK_DOWN: moveVertically(1, extend); return;
        case VK_PRIOR: moveVertically(-VisibleRows(), extend); return;
        case VK_NEXT: moveVertically(VisibleRows(), extend); return;
        case VK_LEFT: move(ctrl ? buffer_.PreviousWordStart(caret) : caret - 1); return;
        case VK_RIGHT: move(ctrl ? buffer_.NextWordStart(caret) : caret + 1); return;
        case VK_HOME: move(ctrl ? 0 : row.start); return;
        case VK_END: move(ctrl ? buffer_.Length() : row.end); return;
        case VK_DELETE:
            if (extend) {
                if (!readOnly_ && buffer_.HasSelection()) {
                    Clipboard()->SetAsText(buffer_.SelText());
                    if (buffer_.DeleteSelection()) userChanged();
                }
            } else if (readOnly_) {
                MessageBeep();
            } else if (buffer_.DeleteForward()) {
                userChanged();
            }
            return;
        default: return;
    }
}

void TCustomMemo::charTyped(char16_t ch) {
    switch (ch) {
        case 1: SelectAll(); return;
        case 3:
            if (buffer_.HasSelection()) Clipboard()->SetAsText(buffer_.SelText());
            return;
        case 22:
            if (!readOnly_) typeText(Clipboard()->AsText());
            return;
        case 24:
            if (!readOnly_ && buffer_.HasSelection()) {
                Clipboard()->SetAsText(buffer_.SelText());
                if (buffer_.DeleteSelection()) userChanged();
            }
            return;
        case 26:
            if (!readOnly_ && buffer_.Undo()) userChanged();
            return;
        case 8:
            if (readOnly_) {
                MessageBeep();
            } else if (buffer_.DeleteBackward()) {
                userChanged();
            }
            return;
        case 13:
            if (wantReturns_ || GetKeyState(VK_CONTROL) < 0) typeText("\n");
            return;
        case 9:
            if (wantTabs_) typeText("\t");
            return;
        default: break;
    }
    if (ch < 32) return;
    const char32_t typed = typed_.Take(ch);
    if (typed != 0) typeText(CharsToUtf8(std::u32string(1, typed)));
}

// ---- painting

void TCustomMemo::PaintWindow(TCanvas& canvas) {
    TRect r = ClientRect();
    if (borderStyle_ == bsSingle) DrawSunkenField(canvas, r);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    const TRect area = textRect();
    const bool focused = Focused();
    const int h = lineHeight();
    const std::u32string& text = buffer_.Chars();
    const int selStart = buffer_.SelStart();
    const int selEnd = selStart + buffer_.SelLength();
    const bool showSelection = buffer_.HasSelection() && (focused || !hideSelection_);
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(area.Left, area.Top, area.Right, area.Bottom);
    canvas.SetFont(Font());
    const auto& all = rows();
    topRow_ = std::clamp(topRow_, 0, std::max(static_cast<int>(all.size()) - 1, 0));
    int y = area.Top;
    for (int i = topRow_; i < static_cast<int>(all.size()) && y < area.Bottom; ++i, y += h) {
        const Row& row = all[i];
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
        canvas.TextOut(xOf(row.start), y, part(text, row.start, row.end));
        const int from = std::max(selStart, row.start);
        const int to = std::min(selEnd, row.end);
        if (showSelection && from < to) {
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(clHighlight);
            canvas.Font()->SetColor(clHighlightText);
            canvas.FillRect(Rect(xOf(from), y, xOf(to), y + h));
            canvas.TextOut(xOf(from), y, part(text, from, to));
        }
    }
    if (focused && CaretShown(*this)) {
        const int row = rowOf(buffer_.Caret());
        const int cy = area.Top + (row - topRow_) * h;
        const int x = xOf(buffer_.Caret());
        canvas.InvertRect(Rect(x, cy, x + 1, cy + h));
    }
    canvas.RestoreDC(saved);
    canvas.Brush()->SetStyle(bsSolid);
    scroll_->Paint(canvas, Enabled());
}

// ---- messages

bool TCustomMemo::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    if (TWinControl::DoMouseWheelDown(shift, mousePos)) return true;
    SetTopRow(topRow_ + kWheelRows);
    return true;
}

bool TCustomMemo::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    if (TWinControl::DoMouseWheelUp(shift, mousePos)) return true;
    SetTopRow(topRow_ - kWheelRows);
    return true;
}

void TCustomMemo::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_FONTCHANGED:
        case WM_SIZE:
            rowsChanged();
            TWinControl::Dispatch(message);
            return;
        default: TWinControl::Dispatch(message); return;
    }
}

void TCustomMemo::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_GETTEXT:
            if (auto* out = reinterpret_cast<std::string*>(message.LParam)) {
                // The lines joined with CR LF, as the framework's memos give them.
                const std::string text = buffer_.Text();
                out->clear();
                for (char c : text) {
                    if (c == '\n') *out += '\r';
                    *out += c;
                }
                message.Result = static_cast<LRESULT>(out->size());
            }
            return;
        case WM_SETTEXT:
            if (auto* in = reinterpret_cast<const std::string*>(message.LParam)) {
                const std::string before = buffer_.Text();
                buffer_.SetText(*in);
                modified_ = false;
                topRow_ = 0;
                rowsChanged();
                caretMoved();
                message.Result = 1;
                if (buffer_.Text() != before) Change();
            }
            return;
        case WM_GETDLGCODE:
            message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            if (wantReturns_) message.Result |= DLGC_WANTALLKEYS;
            if (wantTabs_) message.Result |= DLGC_WANTTAB;
            return;
        case WM_KEYDOWN:
            keyDown(static_cast<unsigned>(message.WParam), KeyDataToShiftState(message.LParam));
            return;
        case WM_CHAR: charTyped(static_cast<char16_t>(message.WParam)); return;
        case WM_SETFOCUS: caretMoved(); return;
        case WM_KILLFOCUS:
            selecting_ = false;
            typed_.Reset();
            CaretRelease(*this);
            Invalidate();
            return;
        case WM_LBUTTONDOWN: {
            if (!Focused() && CanFocus()) SetFocus();
            const TPoint p = LParamToPoint(message.LParam);
            if (scroll_->MouseDown(p)) {
                Invalidate();
                return;
            }
            buffer_.MoveCaret(posAt(p), (message.WParam & MK_SHIFT) != 0);
            desiredX_ = -1;
            selecting_ = true;
            caretMoved();
            return;
        }
        case WM_LBUTTONDBLCLK: {
            int start = 0;
            int end = 0;
            buffer_.WordAt(posAt(LParamToPoint(message.LParam)), start, end);
            buffer_.SetSelection(start, end - start);
            caretMoved();
            return;
        }
        case WM_MOUSEMOVE:
            if (scroll_->TrackMessage(message)) return;
            if (selecting_ && (message.WParam & MK_LBUTTON) != 0) {
                buffer_.MoveCaret(posAt(LParamToPoint(message.LParam)), true);
                makeCaretVisible();
                caretMoved();
            }
            return;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (scroll_->TrackMessage(message)) Invalidate();
            selecting_ = false;
            return;
        default: TWinControl::DefaultHandler(message); return;
    }
}

}  // namespace dsp
