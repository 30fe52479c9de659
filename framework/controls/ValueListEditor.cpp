#include "framework/controls/ValueListEditor.h"

#include <algorithm>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/ScrollTracker.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {
constexpr int kCellMargin = 2;
}  // namespace

TValueListEditor::TValueListEditor(TComponent* owner)
    : TWinControl(owner),
      strings_(std::make_unique<TStringList>()),
      titles_(std::make_unique<TStringList>()) {
    TControlStyle style = ControlStyle() + TControlStyle{csCaptureMouse, csDoubleClicks};
    style.Exclude(csClickEvents);
    SetControlStyle(style);
    titles_->Add("Key");
    titles_->Add("Value");
    strings_->OnChange = [this](TObject*) { StringsChanged(); };
    titles_->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 306, 300);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    scroll_ = std::make_unique<TScrollTracker>(
        true, [this] { return ScrollBarRect(); },
        [this] {
            return TScrollBarState{FixedRows(), std::max(RowCount() - 1, FixedRows()),
                                   std::max(VisibleRowCount(), 1), topRow_};
        },
        [this](int position) { SetTopRow(position); });
}

TValueListEditor::~TValueListEditor() {
    strings_->OnChange = nullptr;
    titles_->OnChange = nullptr;
}

// ---- settings

void TValueListEditor::SetStrings(TStrings* value) {
    if (value != strings_.get()) strings_->Assign(value);
}

void TValueListEditor::SetTitleCaptions(TStrings* value) {
    if (value != titles_.get()) titles_->Assign(value);
}

void TValueListEditor::SetDisplayOptions(TDisplayOptions value) {
    if (displayOptions_ == value) return;
    displayOptions_ = value;
    row_ = std::max(row_, FixedRows());
    col_ = std::max(col_, FixedCols());
    topRow_ = std::max(topRow_, FixedRows());
    Invalidate();
}

void TValueListEditor::SetOptions(TGridOptions value) {
    if (options_ == value) return;
    options_ = value;
    Invalidate();
}

void TValueListEditor::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    Invalidate();
}

void TValueListEditor::SetDefaultRowHeight(int value) {
    if (value <= 0 || defaultRowHeight_ == value) return;
    defaultRowHeight_ = value;
    Invalidate();
}

void TValueListEditor::SetFixedColor(TColor value) {
    if (fixedColor_ == value) return;
    fixedColor_ = value;
    Invalidate();
}

void TValueListEditor::StringsChanged() {
    const int last = std::max(RowCount() - 1, FixedRows());
    row_ = std::clamp(row_, FixedRows(), last);
    topRow_ = std::clamp(topRow_, FixedRows(), last);
    Invalidate();
}

// ---- cells

int TValueListEditor::ColWidths(int col) const {
    if (col < 0 || col > 1) throw EListError::IndexOutOfBounds(col);
    return colWidths_[col];
}

void TValueListEditor::SetColWidths(int col, int width) {
    if (col < 0 || col > 1) throw EListError::IndexOutOfBounds(col);
    colWidths_[col] = std::max(width, 0);
    Invalidate();
}

std::string TValueListEditor::Cells(int col, int row) const {
    if (col < 0 || col > 1 || row < 0 || row >= RowCount()) return {};
    if (row < FixedRows()) return col < titles_->Count() ? titles_->Strings(col) : std::string();
    const int index = row - FixedRows();
    return col == 0 ? strings_->Names(index) : strings_->ValueFromIndex(index);
}

void TValueListEditor::SetCells(int col, int row, const std::string& text) {
    if (col < 0 || col > 1 || row < 0 || row >= RowCount()) return;
    if (row < FixedRows()) {
        while (titles_->Count() <= col) titles_->Add("");
        titles_->SetStrings(col, text);
        return;
    }
    const int index = row - FixedRows();
    const std::string key = col == 0 ? text : strings_->Names(index);
    const std::string value = col == 1 ? text : strings_->ValueFromIndex(index);
    strings_->SetStrings(index, key + "=" + value);
}

void TValueListEditor::SetValues(const std::string& key, const std::string& value) {
    int row = 0;
    if (FindRow(key, row)) {
        SetCells(1, row, value);
    } else {
        InsertRow(key, value, true);
    }
}

bool TValueListEditor::FindRow(const std::string& key, int& row) const {
    const int index = strings_->IndexOfName(key);
    if (index < 0) return false;
    row = index + FixedRows();
    return true;
}

int TValueListEditor::InsertRow(const std::string& key, const std::string& value, bool append) {
    const std::string line = key + "=" + value;
    if (append || row_ < FixedRows()) {
        strings_->Add(line);
        return RowCount() - 1;
    }
    strings_->Insert(row_ - FixedRows(), line);
    return row_;
}

void TValueListEditor::DeleteRow(int row) {
    if (row < FixedRows() || row >= RowCount()) throw EListError::IndexOutOfBounds(row);
    strings_->Delete(row - FixedRows());
}

// ---- geometry

TRect TValueListEditor::GridRect() const {
    TRect r = FieldInside(ClientRect(), borderStyle_);
    if (NeedsScrollBar()) r.Right -= kScrollBarSize;
    return r;
}

bool TValueListEditor::NeedsScrollBar() const {
    return RowCount() * defaultRowHeight_ > FieldInside(ClientRect(), borderStyle_).Height();
}

TRect TValueListEditor::ScrollBarRect() const {
    if (!NeedsScrollBar()) return {};
    return RightScrollBar(FieldInside(ClientRect(), borderStyle_));
}

int TValueListEditor::ColumnWidth(int col) const {
    if (col == 1 && displayOptions_.Contains(doAutoColResize)) {
        return std::max(GridRect().Width() - colWidths_[0], colWidths_[1]);
    }
    return colWidths_[col];
}

int TValueListEditor::ColumnLeft(int col) const {
    return GridRect().Left + (col == 0 ? 0 : colWidths_[0]);
}

int TValueListEditor::VisibleRowCount() const {
    return std::max((GridRect().Height() - FixedRows() * defaultRowHeight_) / defaultRowHeight_, 0);
}

TRect TValueListEditor::CellRect(int col, int row) const {
    if (col < 0 || col > 1 || row < 0 || row >= RowCount()) return {};
    const TRect grid = GridRect();
    int y = grid.Top;
    if (row >= FixedRows()) {
        if (row < topRow_ || row >= topRow_ + VisibleRowCount()) return {};
        y += (FixedRows() + row - topRow_) * defaultRowHeight_;
    } else {
        y += row * defaultRowHeight_;
    }
    const int x = ColumnLeft(col);
    return Rect(x, y, x + ColumnWidth(col), y + defaultRowHeight_);
}

void TValueListEditor::MouseToCell(int x, int y, int& col, int& row) const {
    col = row = -1;
    const TRect grid = GridRect();
    if (!PtInRect(grid, {x, y})) return;
    const int line = (y - grid.Top) / defaultRowHeight_;
    row = line < FixedRows() ? line : topRow_ + line - FixedRows();
    if (row >= RowCount()) row = -1;
    col = x < ColumnLeft(1) ? 0 : (x < ColumnLeft(1) + ColumnWidth(1) ? 1 : -1);
}

// ---- selection

bool TValueListEditor::SelectCell(int col, int row) {
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
    return canSelect;
}

bool TValueListEditor::MoveTo(int col, int row) {
    if (row < FixedRows() || row >= RowCount() || col < FixedCols() || col > 1) return false;
    if (!SelectCell(col, row)) return false;
    row_ = row;
    col_ = col;
    MakeRowVisible(row);
    Invalidate();
    return true;
}

void TValueListEditor::SetRow(int value) {
    if (value != row_) MoveTo(col_, value);
}

void TValueListEditor::SetCol(int value) {
    if (value != col_) MoveTo(value, row_);
}

void TValueListEditor::SetTopRow(int value) {
    const int last = std::max(RowCount() - VisibleRowCount(), FixedRows());
    value = std::clamp(value, FixedRows(), last);
    if (value == topRow_) return;
    topRow_ = value;
    Invalidate();
}

void TValueListEditor::MakeRowVisible(int row) {
    if (row < topRow_) SetTopRow(row);
    if (row >= topRow_ + VisibleRowCount()) SetTopRow(row - VisibleRowCount() + 1);
}

// ---- painting

void TValueListEditor::PaintWindow(TCanvas& canvas) {
    TRect r = ClientRect();
    if (borderStyle_ == bsSingle) DrawSunkenField(canvas, r);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    const TRect grid = GridRect();
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(grid.Left, grid.Top, grid.Right, grid.Bottom);
    canvas.SetFont(Font());
    const bool focused = Focused();
    auto drawCell = [&](int col, int row) {
        const TRect cell = CellRect(col, row);
        if (IsRectEmpty(cell)) return;
        const bool fixed = row < FixedRows() || col < FixedCols();
        const bool current = row == row_ && (col == col_ || options_.Contains(goRowSelect));
        const bool highlighted =
            current && !fixed && (focused || options_.Contains(goDrawFocusSelected));
        TRect inner = cell;
        if (fixed) {
            canvas.Brush()->SetColor(fixedColor_);
            canvas.FillRect(cell);
            const bool lines =
                options_.Contains(goFixedVertLine) || options_.Contains(goFixedHorzLine);
            if (lines) canvas.DrawEdge(inner, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        } else {
            canvas.Brush()->SetColor(highlighted ? clHighlight : Color());
            canvas.FillRect(cell);
            canvas.Brush()->SetColor(clBtnFace);
            if (options_.Contains(goVertLine)) {
                canvas.FillRect(Rect(cell.Right - 1, cell.Top, cell.Right, cell.Bottom));
            }
            if (options_.Contains(goHorzLine)) {
                canvas.FillRect(Rect(cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom));
            }
        }
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetColor(!Enabled()    ? clGrayText
                                : highlighted ? clHighlightText
                                              : Font()->Color());
        TRect text = InflateRect(inner, -kCellMargin, 0);
        canvas.DrawText(Cells(col, row), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        canvas.Brush()->SetStyle(bsSolid);
        if (current && focused && !fixed) canvas.DrawFocusRect(InflateRect(cell, -1, -1));
    };
    for (int row = 0; row < FixedRows(); ++row) {
        drawCell(0, row);
        drawCell(1, row);
    }
    for (int row = topRow_; row < RowCount() && row < topRow_ + VisibleRowCount() + 1; ++row) {
        drawCell(0, row);
        drawCell(1, row);
    }
    canvas.RestoreDC(saved);
    scroll_->Paint(canvas, Enabled());
}

// ---- input

void TValueListEditor::HandleKeyDown(unsigned key) {
    const int page = std::max(VisibleRowCount() - 1, 1);
    const int first = FixedRows();
    const int last = RowCount() - 1;
    if (last < first) return;
    switch (key) {
        case VK_UP:
            if (row_ > first) MoveTo(col_, row_ - 1);
            return;
        case VK_DOWN:
            if (row_ < last) MoveTo(col_, row_ + 1);
            return;
        case VK_PRIOR: MoveTo(col_, std::max(row_ - page, first)); return;
        case VK_NEXT: MoveTo(col_, std::min(row_ + page, last)); return;
        case VK_HOME: MoveTo(col_, first); return;
        case VK_END: MoveTo(col_, last); return;
        case VK_LEFT:
            if (col_ > FixedCols()) MoveTo(col_ - 1, row_);
            return;
        case VK_RIGHT:
            if (col_ < 1) MoveTo(col_ + 1, row_);
            return;
        default: return;
    }
}

bool TValueListEditor::WheelScroll(int rows) {
    SetTopRow(topRow_ + rows);
    return true;
}

void TValueListEditor::Dispatch(TMessage& message) {
    if (message.Msg == CM_FONTCHANGED) Invalidate();
    TWinControl::Dispatch(message);
}

void TValueListEditor::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); return;
        case WM_KEYDOWN: HandleKeyDown(KeyParamsOf(message).key); return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (CanFocus() && !Focused()) SetFocus();
            const TPoint p = MouseParamsOf(message).pos;
            if (scroll_->MouseDown(p)) {
                Invalidate();
                return;
            }
            int col = -1;
            int row = -1;
            MouseToCell(p.X, p.Y, col, row);
            if (row < FixedRows() || col < 0) return;
            // A fixed key column selects the row's value cell.
            MoveTo(std::max(col, FixedCols()), row);
            if (message.Msg == WM_LBUTTONDBLCLK) {
                DblClick();
            } else {
                Click();
            }
            return;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (scroll_->TrackMessage(message)) Invalidate();
            return;
        default: TWinControl::DefaultHandler(message); return;
    }
}

}  // namespace dsp
