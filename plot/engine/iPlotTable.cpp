#include "plot/engine/iPlotTable.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

int Rnd(double value) { return static_cast<int>(Round(value)); }

void CheckIndex(int index, int count) {
    if (index < 0 || index >= count) throw EListError::IndexOutOfBounds(index);
}

}  // namespace

void TiPlotTableButton::Draw(TCanvas* canvas, TColor) {
    if (Visible()) DrawScrollButtonFace(canvas, *this, up_);
}

TiPlotTable::TiPlotTable(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                         TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                         std::move(onRename)),
      FDataFont(std::make_unique<TFont>()),
      FColumnTitlesFont(std::make_unique<TFont>()) {
    FDataFont->SetColor(clWhite);
    FDataFont->SetStyle(TFontStyles{fsBold});
    FColumnTitlesFont->SetColor(clAqua);
    FColumnTitlesFont->SetStyle(TFontStyles{fsBold});
    for (TFont* font : {FDataFont.get(), FColumnTitlesFont.get()}) {
        font->OnChange = [this](TObject*) { DoChange(); };
    }
    SetHorizontal(false);

    auto makeButton = [this](bool up) {
        auto button = std::make_unique<TiPlotTableButton>(Owner(), up);
        button->SetName(up ? "PlotTableUpButton" : "PlotTableDownButton");
        button->SetTimerEnabled(true);
        button->SetVisible(false);
        button->OnInvalidate = [this](TObject*) { InvalidateNow(); };
        button->OnClick = [this, up](TObject*) { up ? ScrollUp() : ScrollDown(); };
        return button;
    };
    FUpButton = makeButton(true);
    FDownButton = makeButton(false);
}

TiPlotTable::~TiPlotTable() {
    for (TFont* font : {FDataFont.get(), FColumnTitlesFont.get()}) font->OnChange = nullptr;
}

// ---- columns and rows

int TiPlotTable::AddColumn(const std::string& title) {
    TiPlotTableColumn column;
    column.Title = title;
    column.TitleFontColor = FColumnTitlesFont->Color();
    column.DataFontColor = FDataFont->Color();
    FColumnList.push_back(column);
    return ColumnCount() - 1;
}

void TiPlotTable::DeleteColumn(int index) {
    CheckIndex(index, ColumnCount());
    FColumnList.erase(FColumnList.begin() + index);
}

void TiPlotTable::RemoveAllColumns() {
    while (ColumnCount() > 0) DeleteColumn(0);
}

TiPlotTableColumn& TiPlotTable::Column(int index) {
    CheckIndex(index, ColumnCount());
    return FColumnList[static_cast<std::size_t>(index)];
}

int TiPlotTable::AddRow() {
    FRowDataList.emplace_back();
    DoChange();
    return RowCount() - 1;
}

void TiPlotTable::DeleteRow(int index) {
    CheckIndex(index, RowCount());
    FRowDataList.erase(FRowDataList.begin() + index);
    DoChange();
}

void TiPlotTable::RemoveAllRows() {
    FRowDataList.clear();
    DoChange();
}

std::string TiPlotTable::GetCellText(int col, int row) const {
    CheckIndex(row, RowCount());
    const std::vector<std::string>& cells = FRowDataList[static_cast<std::size_t>(row)];
    return col >= 0 && col < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(col)]
                                                            : std::string();
}

void TiPlotTable::SetCellText(int col, int row, const std::string& text) {
    CheckIndex(row, RowCount());
    if (col < 0) throw EListError::IndexOutOfBounds(col);
    std::vector<std::string>& cells = FRowDataList[static_cast<std::size_t>(row)];
    if (static_cast<int>(cells.size()) <= col) cells.resize(static_cast<std::size_t>(col) + 1);
    cells[static_cast<std::size_t>(col)] = text;
    DoChange();
}

void TiPlotTable::ScrollUp() {
    if (FItemViewStartIndex > 0) --FItemViewStartIndex;
}

void TiPlotTable::ScrollDown() {
    if (FItemViewStartIndex < RowCount() - 1) ++FItemViewStartIndex;
}

// ---- layout

int TiPlotTable::GetRequiredWidth(TCanvas* canvas) {
    CalcLayout(canvas);
    return IsHorz() ? FRequiredHeight : FRequiredWidth;
}

void TiPlotTable::CalcLayout(TCanvas* canvas) {
    const int rowCount = RowCount();
    if (rowCount == 0 || ColumnCount() == 0) {
        FRequiredWidth = 0;
        FRequiredHeight = 0;
        return;
    }
    const TRect r = DrawRect();
    canvas->Font()->Assign(FColumnTitlesFont.get());
    const int w0 = canvas->TextWidth("0");
    const int h0 = canvas->TextHeight("0");
    const int top = Rnd(h0 * FMarginTop);
    const int bottom = Rnd(h0 * FMarginBottom);
    const int left = Rnd(w0 * FMarginLeft);
    const int right = Rnd(w0 * FMarginRight);
    FGridRect = {r.Left + left, r.Top + top, r.Right - right, r.Bottom - bottom};
    const int titleHeight = FColumnTitlesVisible ? h0 : 0;
    FTitleRect = {FGridRect.Left, FGridRect.Top, FGridRect.Right, FGridRect.Top + titleHeight};

    canvas->Font()->Assign(FDataFont.get());
    const int w1 = canvas->TextWidth("0");
    const int h1 = canvas->TextHeight("0");
    FRowHeight = std::max(1, h1 + Rnd(h1 * FRowSpacing));

    FRequiredHeight = top + bottom + titleHeight;
    int shown = FRowsMax != 0 && FRowsMax < rowCount ? FRowsMax : rowCount;
    FGridRect.Bottom = FTitleRect.Bottom + shown * FRowHeight;
    FRequiredHeight += shown * FRowHeight;

    FRequiredWidth = left + right;
    int gridWidth = 0;
    for (int c = 0; c < ColumnCount(); ++c) {
        TiPlotTableColumn& column = FColumnList[static_cast<std::size_t>(c)];
        if (!column.Visible) continue;
        if (column.AutoSize) {
            canvas->Font()->Assign(FColumnTitlesFont.get());
            const int tw0 = canvas->TextWidth("0");
            int width = canvas->TextWidth(column.Title) + Rnd(tw0 * FColumnSpacing) + tw0;
            canvas->Font()->Assign(FDataFont.get());
            const int spacing = Rnd(w1 * FColumnSpacing);
            for (int row = 0; row < rowCount; ++row) {
                width = std::max(width, canvas->TextWidth(GetCellText(c, row)) + spacing + w1);
            }
            column.WidthPixels = width;
            column.Width = w1 > 0 ? width / w1 : 0;
        } else {
            column.WidthPixels = Rnd(column.Width * w1);
        }
        FRequiredWidth += column.WidthPixels;
        gridWidth += column.WidthPixels;
    }
    FGridRect.Right = FGridRect.Left + gridWidth;

    if (FGridRect.Bottom > r.Bottom - bottom) {
        shown = std::max(0, (r.Bottom - bottom - FTitleRect.Bottom) / FRowHeight);
        FGridRect.Bottom = FTitleRect.Bottom + shown * FRowHeight;
    }

    if (shown < rowCount) {
        FUpButton->SetVisible(true);
        FDownButton->SetVisible(true);
        if (Enabled()) {
            const int x = FGridRect.Right + 5;
            const int half = FRowHeight / 2;
            const int upMiddle = FTitleRect.Bottom + half;
            const int downMiddle = FTitleRect.Bottom + shown * FRowHeight - half;
            FUpButton->SetDrawRect({x, upMiddle - 8, x + 17, upMiddle + 9});
            FDownButton->SetDrawRect({x, downMiddle - 8, x + 17, downMiddle + 9});
        }
        FRequiredWidth += 17 + 5;
        FItemViewStopIndex = FItemViewStartIndex + shown - 1;
        if (FItemViewStopIndex > rowCount - 1) {
            FItemViewStopIndex = rowCount - 1;
            FItemViewStartIndex = rowCount - shown;
        }
        if (FItemViewStartIndex < 0) {
            FItemViewStartIndex = 0;
            FItemViewStopIndex = shown - 1;
        }
    } else {
        FUpButton->SetVisible(false);
        FDownButton->SetVisible(false);
        FItemViewStartIndex = 0;
        FItemViewStopIndex = shown - 1;
    }
    FUpButton->SetEnabled(FItemViewStartIndex != 0);
    FDownButton->SetEnabled(FItemViewStopIndex + 1 != rowCount);
}

// ---- drawing

void TiPlotTable::DrawCell(TCanvas* canvas, const std::string& text, TRect r,
                           TiAlignmentHorizontal alignment, double margin, TColor color) {
    const int w = canvas->TextWidth("0");
    TiTextFlags flags = kTextSingleLine | kTextVCenter;
    switch (alignment) {
        case iahCenter: flags |= kTextCenter; break;
        case iahLeft:
            r.Left += Rnd(margin * w);
            flags |= kTextLeft;
            break;
        case iahRight:
            r.Right -= Rnd(margin * w);
            flags |= kTextRight;
            break;
    }
    canvas->Font()->SetColor(color);
    DrawTextFormatted(canvas, text, r, flags, true, color);
}

void TiPlotTable::Draw(TCanvas* canvas, TColor) {
    if (!Visible() || RowCount() == 0 || ColumnCount() == 0) return;
    CalcLayout(canvas);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetStyle(psSolid);
    if (!FGridBackGroundTransparent) {
        canvas->Brush()->SetColor(FGridBackGroundColor);
        canvas->FillRect(FGridRect);
    }

    if (FGridLinesShow) {
        canvas->Pen()->SetColor(FGridLinesColor);
        canvas->Pen()->SetWidth(1);
        int x = FGridRect.Left;
        for (const TiPlotTableColumn& column : FColumnList) {
            if (!column.Visible) continue;
            canvas->Polyline({{x, FGridRect.Top}, {x, FGridRect.Bottom}});
            x += column.WidthPixels;
        }
        canvas->Polyline({{x, FGridRect.Top}, {x, FGridRect.Bottom}});
        const auto across = [&](int y) {
            canvas->Polyline({{FGridRect.Left, y}, {FGridRect.Right + 1, y}});
        };
        across(FGridRect.Top);
        across(FTitleRect.Bottom);
        for (int row = FItemViewStartIndex; row <= FItemViewStopIndex; ++row) {
            across(FTitleRect.Bottom + (row - FItemViewStartIndex + 1) * FRowHeight);
        }
    }

    canvas->Brush()->SetStyle(bsClear);
    if (FColumnTitlesVisible) {
        canvas->Font()->Assign(FColumnTitlesFont.get());
        int x = FGridRect.Left;
        for (const TiPlotTableColumn& column : FColumnList) {
            if (!column.Visible) continue;
            DrawCell(canvas, column.Title,
                     {x, FTitleRect.Top, x + column.WidthPixels, FTitleRect.Bottom},
                     column.TitleAlignment, column.TitleAlignmentMargin, column.TitleFontColor);
            x += column.WidthPixels;
        }
    }

    canvas->Font()->Assign(FDataFont.get());
    for (int row = FItemViewStartIndex; row <= FItemViewStopIndex; ++row) {
        const int y = FTitleRect.Bottom + (row - FItemViewStartIndex) * FRowHeight;
        int x = FGridRect.Left;
        for (int c = 0; c < ColumnCount(); ++c) {
            const TiPlotTableColumn& column = FColumnList[static_cast<std::size_t>(c)];
            if (!column.Visible) continue;
            DrawCell(canvas, GetCellText(c, row), {x, y, x + column.WidthPixels, y + FRowHeight},
                     column.DataAlignment, column.DataAlignmentMargin, column.DataFontColor);
            x += column.WidthPixels;
        }
    }

    FUpButton->Draw(canvas, clBtnFace);
    FDownButton->Draw(canvas, clBtnFace);

    if (UserSelected()) {
        TRect focus = DrawRect();
        if (IsHorz()) {
            focus.Top += 2;
            focus.Bottom -= 2;
        }
        DrawFocusRectangle(canvas, focus);
    }
}

// ---- input

TiPlotObject* TiPlotTable::SetMouseOverObject(int x, int y) {
    TiPlotLayoutObject::SetMouseOverObject(x, y);
    const TPoint p{x, y};
    if (FUpButton->Visible() && PtInRect(FUpButton->DrawRect(), p)) return FUpButton.get();
    if (FDownButton->Visible() && PtInRect(FDownButton->DrawRect(), p)) return FDownButton.get();
    return this;
}

void TiPlotTable::NotificationSetFocus(TiPlotObject* sender) {
    if (sender != nullptr && sender != this && sender->UserSelected()) SetUserSelected(false);
}

void TiPlotTable::DoMouseUp(const TiPlotMouseData& mouseData) {
    if (!FMouseDown || Plot() == nullptr) return;
    if (PtInRect(DrawRect(), {mouseData.X, mouseData.Y})) Plot()->DoObjectClick(this);
}

void TiPlotTable::ClearPopupMenuItems(TPopupMenu* popupMenu) {
    TiPlotLayoutObject::ClearPopupMenuItems(popupMenu);
    AddEditMenuItem(popupMenu);
}

}  // namespace dsp
