#include "framework/controls/Memo.h"

#include <QString>

#include <algorithm>

#include "framework/controls/Caret.h"
#include "framework/controls/ClassicDraw.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/ScrollTracker.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/Clipboard.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

TCanvas& Measuring(const TFont* font) {
    static TCanvas* canvas = new TCanvas();
    canvas->SetFont(const_cast<TFont*>(font));
    return *canvas;
}

std::string Part(const std::u32string& chars, int from, int to) {
    return CharsToUtf8(std::u32string_view(chars).substr(from, std::max(to - from, 0)));
}

// The lines of a memo as a string list: the memo keeps them in its text.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

    int Count() const override {
        const EditBuffer& b = memo_.Buffer(kFrameworkKey);
        const int n = b.LineCount();
        return b.LineLength(n - 1) == 0 ? n - 1 : n;
    }

    void Insert(int index, const std::string& text) override {
        EditBuffer& b = memo_.Buffer(kFrameworkKey);
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
        Changed();
    }

    void Delete(int index) override {
        EditBuffer& b = memo_.Buffer(kFrameworkKey);
        if (index < 0 || index >= Count()) throw EStringListError::IndexOutOfBounds(index);
        const int start = b.LineStart(index);
        const int end = index + 1 < b.LineCount() ? b.LineStart(index + 1) : b.Length();
        b.SetSelection(start, end - start);
        b.DeleteSelection();
        Changed();
    }

    void Clear() override {
        if (memo_.Buffer(kFrameworkKey).Length() == 0) return;
        memo_.Buffer(kFrameworkKey).SetText("");
        Changed();
    }

    void SetText(std::string_view text) override {
        memo_.Buffer(kFrameworkKey).SetText(text);
        Changed();
    }

protected:
    std::string Get(int index) const override {
        const EditBuffer& b = memo_.Buffer(kFrameworkKey);
        if (index < 0 || index >= Count()) throw EStringListError::IndexOutOfBounds(index);
        const int start = b.LineStart(index);
        return Part(b.Chars(), start, start + b.LineLength(index));
    }

    void Put(int index, const std::string& text) override {
        EditBuffer& b = memo_.Buffer(kFrameworkKey);
        if (index < 0 || index >= Count()) throw EStringListError::IndexOutOfBounds(index);
        b.SetSelection(b.LineStart(index), b.LineLength(index));
        b.ReplaceSelection(text);
        Changed();
    }

    void SetUpdateState(bool updating) override {
        if (!updating) memo_.TextChangedByLines(kFrameworkKey);
    }

private:
    void Changed() {
        if (UpdateCount() == 0) memo_.TextChangedByLines(kFrameworkKey);
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
        true, [this] { return VerticalBar(); },
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

void TCustomMemo::TextChangedByLines(TFrameworkKey) {
    // The rows are worked out when the memo is painted, not at each line a program adds.
    RowsChanged();
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
    RowsChanged();
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
    RowsChanged();
    Invalidate();
}

void TCustomMemo::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    RowsChanged();
    Invalidate();
}

// ---- selection

void TCustomMemo::SetSelStart(int value) {
    buffer_.SetSelection(value, 0);
    CaretMoved();
}

void TCustomMemo::SetSelLength(int value) {
    buffer_.SetSelection(buffer_.SelStart(), std::max(value, 0));
    CaretMoved();
}

void TCustomMemo::SelectAll() {
    buffer_.SelectAll();
    CaretMoved();
}

TPoint TCustomMemo::CaretPos() const {
    const int line = buffer_.LineOf(buffer_.Caret());
    return {buffer_.Caret() - buffer_.LineStart(line), line};
}

void TCustomMemo::SetCaretPos(TPoint value) {
    const int line = std::clamp(value.Y, 0, buffer_.LineCount() - 1);
    const int column = std::clamp(value.X, 0, buffer_.LineLength(line));
    buffer_.MoveCaret(buffer_.LineStart(line) + column, false);
    CaretMoved();
}

// ---- rows

TRect TCustomMemo::TextRect() const {
    TRect r = FieldInside(ClientRect(), borderStyle_);
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) r.Right -= kScrollBarSize;
    if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_) {
        r.Bottom -= kScrollBarSize;
    }
    return InflateRect(r, -1, 0);
}

TRect TCustomMemo::VerticalBar() const {
    if (scrollBars_ != ssVertical && scrollBars_ != ssBoth) return {};
    return RightScrollBar(FieldInside(ClientRect(), borderStyle_));
}

int TCustomMemo::LineHeight() const { return Measuring(Font()).TextHeight("Wg"); }

const std::vector<TCustomMemo::Row>& TCustomMemo::Rows() const {
    const int width = TextRect().Width();
    if (rowsValid_ && rowsWidth_ == width) return rows_;
    rows_.clear();
    const std::u32string& text = buffer_.Chars();
    TCanvas& canvas = Measuring(Font());
    for (int line = 0; line < buffer_.LineCount(); ++line) {
        const int start = buffer_.LineStart(line);
        const int end = start + buffer_.LineLength(line);
        if (!wordWrap_ || width <= 0 || canvas.TextWidth(Part(text, start, end)) <= width) {
            rows_.push_back({start, end});
            continue;
        }
        // Break after the last blank that lets the row fit; a word longer than the row breaks
        // where it must.
        int rowStart = start;
        while (rowStart < end) {
            int fit = rowStart;
            int lastBreak = -1;
            while (fit < end && canvas.TextWidth(Part(text, rowStart, fit + 1)) <= width) {
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

int TCustomMemo::RowCount() const { return static_cast<int>(Rows().size()); }

int TCustomMemo::VisibleRows() const {
    return std::max(TextRect().Height() / std::max(LineHeight(), 1), 1);
}

int TCustomMemo::RowOf(int pos) const {
    const auto& r = Rows();
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
    CaretMoved();
}

int TCustomMemo::XOf(int pos) const {
    const auto& r = Rows();
    const Row& row = r[RowOf(pos)];
    const TRect area = TextRect();
    TCanvas& canvas = Measuring(Font());
    const int width = canvas.TextWidth(Part(buffer_.Chars(), row.start, row.end));
    int origin = area.Left;
    if (alignment_ == taRightJustify) origin = area.Right - width - 1;
    if (alignment_ == taCenter) origin = area.Left + (area.Width() - width) / 2;
    return origin + canvas.TextWidth(Part(buffer_.Chars(), row.start, pos));
}

int TCustomMemo::PosAt(TPoint p) const {
    const TRect area = TextRect();
    const auto& r = Rows();
    const int row = std::clamp(topRow_ + (p.Y - area.Top) / std::max(LineHeight(), 1), 0,
                               static_cast<int>(r.size()) - 1);
    int best = r[row].start;
    int bestDistance = std::abs(XOf(best) - p.X);
    for (int pos = r[row].start + 1; pos <= r[row].end; ++pos) {
        const int d = std::abs(XOf(pos) - p.X);
        if (d < bestDistance) {
            best = pos;
            bestDistance = d;
        }
    }
    return best;
}

// ---- caret and changes

void TCustomMemo::MakeCaretVisible() {
    const int row = RowOf(buffer_.Caret());
    if (row < topRow_) {
        topRow_ = row;
        Invalidate();
    } else if (row >= topRow_ + VisibleRows()) {
        topRow_ = row - VisibleRows() + 1;
        Invalidate();
    }
}

void TCustomMemo::CaretMoved() {
    Invalidate();
    if (!Focused()) return;
    const TRect area = TextRect();
    const int row = RowOf(buffer_.Caret());
    const int y = area.Top + (row - topRow_) * LineHeight();
    const int x = XOf(buffer_.Caret());
    CaretPlace(*this, Rect(x, y, x + 1, y + LineHeight()));
}

void TCustomMemo::UserChanged() {
    modified_ = true;
    RowsChanged();
    MakeCaretVisible();
    CaretMoved();
    Change();
}

bool TCustomMemo::TypeText(const std::string& text) {
    if (readOnly_ || !buffer_.Insert(text, maxLength_)) {
        MessageBeep();
        return false;
    }
    desiredX_ = -1;
    UserChanged();
    return true;
}

void TCustomMemo::MoveVertically(int count, bool extend) {
    const auto& r = Rows();
    const int row = RowOf(buffer_.Caret());
    if (desiredX_ < 0) desiredX_ = XOf(buffer_.Caret());
    const int target = std::clamp(row + count, 0, static_cast<int>(r.size()) - 1);
    const TRect area = TextRect();
    const int y = area.Top + (target - topRow_) * LineHeight();
    const int keep = desiredX_;
    buffer_.MoveCaret(PosAt({desiredX_, y}), extend);
    MakeCaretVisible();
    CaretMoved();
    desiredX_ = keep;
}

void TCustomMemo::HandleKeyDown(unsigned key, TShiftState shift) {
    const bool extend = shift.Contains(ssShift);
    const bool ctrl = shift.Contains(ssCtrl);
    const int caret = buffer_.Caret();
    const auto& r = Rows();
    const Row& row = r[RowOf(caret)];
    auto move = [&](int to) {
        buffer_.MoveCaret(to, extend);
        desiredX_ = -1;
        MakeCaretVisible();
        CaretMoved();
    };
    switch (key) {
        case VK_UP: MoveVertically(-1, extend); return;
        case VK_DOWN: MoveVertically(1, extend); return;
        case VK_PRIOR: MoveVertically(-VisibleRows(), extend); return;
        case VK_NEXT: MoveVertically(VisibleRows(), extend); return;
        case VK_LEFT: move(ctrl ? buffer_.PreviousWordStart(caret) : caret - 1); return;
        case VK_RIGHT: move(ctrl ? buffer_.NextWordStart(caret) : caret + 1); return;
        case VK_HOME: move(ctrl ? 0 : row.start); return;
        case VK_END: move(ctrl ? buffer_.Length() : row.end); return;
        case VK_DELETE:
            if (extend) {
                if (!readOnly_ && buffer_.HasSelection()) {
                    Clipboard()->SetAsText(buffer_.SelText());
                    if (buffer_.DeleteSelection()) UserChanged();
                }
            } else if (readOnly_) {
                MessageBeep();
            } else if (buffer_.DeleteForward()) {
                UserChanged();
            }
            return;
        default: return;
    }
}

void TCustomMemo::CharTyped(char16_t ch) {
    switch (ch) {
        case 1: SelectAll(); return;
        case 3:
            if (buffer_.HasSelection()) Clipboard()->SetAsText(buffer_.SelText());
            return;
        case 22:
            if (!readOnly_) TypeText(Clipboard()->AsText());
            return;
        case 24:
            if (!readOnly_ && buffer_.HasSelection()) {
                Clipboard()->SetAsText(buffer_.SelText());
                if (buffer_.DeleteSelection()) UserChanged();
            }
            return;
        case 26:
            if (!readOnly_ && buffer_.Undo()) UserChanged();
            return;
        case 8:
            if (readOnly_) {
                MessageBeep();
            } else if (buffer_.DeleteBackward()) {
                UserChanged();
            }
            return;
        case 13:
            if (wantReturns_ || GetKeyState(VK_CONTROL) < 0) TypeText("\n");
            return;
        case 9:
            if (wantTabs_) TypeText("\t");
            return;
        default: break;
    }
    if (ch < 32) return;
    const char32_t typed = typed_.Take(ch);
    if (typed != 0) TypeText(CharsToUtf8(std::u32string(1, typed)));
}

// ---- painting

void TCustomMemo::PaintWindow(TCanvas& canvas) {
    TRect r = ClientRect();
    if (borderStyle_ == bsSingle) DrawSunkenField(canvas, r);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    const TRect area = TextRect();
    const bool focused = Focused();
    const int h = LineHeight();
    const std::u32string& text = buffer_.Chars();
    const int selStart = buffer_.SelStart();
    const int selEnd = selStart + buffer_.SelLength();
    const bool showSelection = buffer_.HasSelection() && (focused || !hideSelection_);
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(area.Left, area.Top, area.Right, area.Bottom);
    canvas.SetFont(Font());
    const auto& all = Rows();
    topRow_ = std::clamp(topRow_, 0, std::max(static_cast<int>(all.size()) - 1, 0));
    int y = area.Top;
    for (int i = topRow_; i < static_cast<int>(all.size()) && y < area.Bottom; ++i, y += h) {
        const Row& row = all[i];
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
        canvas.TextOut(XOf(row.start), y, Part(text, row.start, row.end));
        const int from = std::max(selStart, row.start);
        const int to = std::min(selEnd, row.end);
        if (showSelection && from < to) {
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(clHighlight);
            canvas.Font()->SetColor(clHighlightText);
            canvas.FillRect(Rect(XOf(from), y, XOf(to), y + h));
            canvas.TextOut(XOf(from), y, Part(text, from, to));
        }
    }
    if (focused && CaretShown(*this)) {
        const int row = RowOf(buffer_.Caret());
        const int cy = area.Top + (row - topRow_) * h;
        const int x = XOf(buffer_.Caret());
        canvas.InvertRect(Rect(x, cy, x + 1, cy + h));
    }
    canvas.RestoreDC(saved);
    canvas.Brush()->SetStyle(bsSolid);
    scroll_->Paint(canvas, Enabled());
}

// ---- messages

bool TCustomMemo::WheelScroll(int rows) {
    SetTopRow(topRow_ + rows);
    return true;
}

void TCustomMemo::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_FONTCHANGED:
        case WM_SIZE:
            RowsChanged();
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
        case WM_GETTEXT: {
            // The lines joined with CR LF, as the framework's memos give them.
            std::string text;
            for (char c : buffer_.Text()) {
                if (c == '\n') text += '\r';
                text += c;
            }
            AnswerGetText(message, text);
            return;
        }
        case WM_SETTEXT:
            if (const std::string* in = SetTextOf(message)) {
                const std::string before = buffer_.Text();
                buffer_.SetText(*in);
                modified_ = false;
                topRow_ = 0;
                RowsChanged();
                CaretMoved();
                message.Result = 1;
                if (buffer_.Text() != before) Change();
            }
            return;
        case WM_GETDLGCODE:
            message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            if (wantReturns_) message.Result |= DLGC_WANTALLKEYS;
            if (wantTabs_) message.Result |= DLGC_WANTTAB;
            return;
        case WM_KEYDOWN: {
            const TKeyParams key = KeyParamsOf(message);
            HandleKeyDown(key.key, key.Shift());
            return;
        }
        case WM_CHAR: CharTyped(CharOf(message)); return;
        case WM_SETFOCUS: CaretMoved(); return;
        case WM_KILLFOCUS:
            selecting_ = false;
            typed_.Reset();
            CaretRelease(*this);
            Invalidate();
            return;
        case WM_LBUTTONDOWN: {
            if (!Focused() && CanFocus()) SetFocus();
            const TPoint p = MouseParamsOf(message).pos;
            if (scroll_->MouseDown(p)) {
                Invalidate();
                return;
            }
            buffer_.MoveCaret(PosAt(p), MouseParamsOf(message).Holds(MK_SHIFT));
            desiredX_ = -1;
            selecting_ = true;
            CaretMoved();
            return;
        }
        case WM_LBUTTONDBLCLK: {
            int start = 0;
            int end = 0;
            buffer_.WordAt(PosAt(MouseParamsOf(message).pos), start, end);
            buffer_.SetSelection(start, end - start);
            CaretMoved();
            return;
        }
        case WM_MOUSEMOVE:
            if (scroll_->TrackMessage(message)) return;
            if (selecting_ && MouseParamsOf(message).Holds(MK_LBUTTON)) {
                buffer_.MoveCaret(PosAt(MouseParamsOf(message).pos), true);
                MakeCaretVisible();
                CaretMoved();
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
