#pragma once
// TiPlotTable: a small grid of text placed by the plot's layout along a side of the data view: a
// row of column titles and rows of cells, with optional grid lines and background, and two
// scroll buttons (auto-repeat) when not all rows fit. Columns are sized to their widest text
// (among all rows, shown or not) or by a width in widths of "0".

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

// One column: its title, width and the alignment and colour of its title and cells.
struct TiPlotTableColumn {
    int WidthPixels = 0;  // from the last layout
    std::string Title;
    double Width = 10;  // in widths of "0" of the data font
    bool Visible = true;
    TiAlignmentHorizontal TitleAlignment = iahCenter;
    double TitleAlignmentMargin = 1;  // in widths of "0"
    TColor TitleFontColor = clAqua;
    TiAlignmentHorizontal DataAlignment = iahCenter;
    double DataAlignmentMargin = 1;
    TColor DataFontColor = clWhite;
    bool AutoSize = true;
};

// The table's scroll buttons, drawn as the legend's are.
class TiPlotTableButton : public TiPlotButton {
public:
    TiPlotTableButton(TObject* owner, bool up) : TiPlotButton(owner), up_(up) {}
    void Draw(TCanvas* canvas, TColor backGroundColor) override;

private:
    bool up_;
};

class TiPlotTable : public TiPlotLayoutObject {
    DSP_PUBLISHED(TiPlotTable, TiPlotLayoutObject) {
        using C = TiPlotTable;
        using P = Published<TiPlotTable>;
        return {
            P::Property("MarginLeft", &C::FMarginLeft, &C::SetMarginLeft),
            P::Property("MarginTop", &C::FMarginTop, &C::SetMarginTop),
            P::Property("MarginRight", &C::FMarginRight, &C::SetMarginRight),
            P::Property("MarginBottom", &C::FMarginBottom, &C::SetMarginBottom),
            P::Property("GridBackGroundColor", &C::FGridBackGroundColor, &C::SetGridBackGroundColor)
                .Default(clGray),
            P::Property("GridBackGroundTransparent", &C::FGridBackGroundTransparent,
                        &C::SetGridBackGroundTransparent)
                .Default(false),
            P::Property("GridLinesColor", &C::FGridLinesColor, &C::SetGridLinesColor)
                .Default(clWhite),
            P::Property("GridLinesShow", &C::FGridLinesShow, &C::SetGridLinesShow).Default(true),
            P::Property("DataFont", &C::DataFont, &C::SetDataFont),
            P::Property("ColumnSpacing", &C::FColumnSpacing, &C::SetColumnSpacing),
            P::Property("RowSpacing", &C::FRowSpacing, &C::SetRowSpacing),
            P::Property("RowsMax", &C::FRowsMax, &C::SetRowsMax).Default(0),
            P::Property("ColumnTitlesVisible", &C::FColumnTitlesVisible, &C::SetColumnTitlesVisible)
                .Default(true),
            P::Property("ColumnTitlesFont", &C::ColumnTitlesFont, &C::SetColumnTitlesFont),
        };
    }

public:
    TiPlotTable(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);
    ~TiPlotTable() override;

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Table; }

    // ---- columns and rows
    // A new column: visible, sized to its texts, centred, in the fonts' current colours.
    int AddColumn(const std::string& title);
    // Raise the list's index error outside the columns.
    void DeleteColumn(int index);
    void RemoveAllColumns();
    int ColumnCount() const { return static_cast<int>(FColumnList.size()); }
    TiPlotTableColumn& Column(int index);
    int AddRow();
    void DeleteRow(int index);
    void RemoveAllRows();
    int RowCount() const { return static_cast<int>(FRowDataList.size()); }
    // The text of a cell; empty for a column the row holds no text for.
    std::string GetCellText(int col, int row) const;
    // Stores the text of a cell (the row's line col, the lines before it padded empty) and
    // repaints. Raises the list's index error outside the rows; col must be 0 or more.
    void SetCellText(int col, int row, const std::string& text);
    int RowDisplayStartIndex() const { return FItemViewStartIndex; }
    int RowDisplayStopIndex() const { return FItemViewStopIndex; }
    void ScrollUp();
    void ScrollDown();

    // ---- properties
    double MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(double value) {
        SetDoubleProperty(value, FMarginLeft, &TiPlotObject::DoChange);
    }
    double MarginTop() const { return FMarginTop; }
    void SetMarginTop(double value) {
        SetDoubleProperty(value, FMarginTop, &TiPlotObject::DoChange);
    }
    double MarginRight() const { return FMarginRight; }
    void SetMarginRight(double value) {
        SetDoubleProperty(value, FMarginRight, &TiPlotObject::DoChange);
    }
    double MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(double value) {
        SetDoubleProperty(value, FMarginBottom, &TiPlotObject::DoChange);
    }
    TColor GridBackGroundColor() const { return FGridBackGroundColor; }
    void SetGridBackGroundColor(TColor value) {
        SetColorProperty(value, FGridBackGroundColor, &TiPlotObject::DoChange);
    }
    bool GridBackGroundTransparent() const { return FGridBackGroundTransparent; }
    void SetGridBackGroundTransparent(bool value) {
        SetBooleanProperty(value, FGridBackGroundTransparent, &TiPlotObject::DoChange);
    }
    TColor GridLinesColor() const { return FGridLinesColor; }
    void SetGridLinesColor(TColor value) {
        SetColorProperty(value, FGridLinesColor, &TiPlotObject::DoChange);
    }
    bool GridLinesShow() const { return FGridLinesShow; }
    void SetGridLinesShow(bool value) {
        SetBooleanProperty(value, FGridLinesShow, &TiPlotObject::DoChange);
    }
    TFont* DataFont() const { return FDataFont.get(); }
    void SetDataFont(TFont* value) { FDataFont->Assign(value); }
    double ColumnSpacing() const { return FColumnSpacing; }
    void SetColumnSpacing(double value) {
        SetDoubleProperty(value, FColumnSpacing, &TiPlotObject::DoChange);
    }
    double RowSpacing() const { return FRowSpacing; }
    void SetRowSpacing(double value) {
        SetDoubleProperty(value, FRowSpacing, &TiPlotObject::DoChange);
    }
    int RowsMax() const { return FRowsMax; }
    void SetRowsMax(int value) { SetIntegerProperty(value, FRowsMax, &TiPlotObject::DoChange); }
    bool ColumnTitlesVisible() const { return FColumnTitlesVisible; }
    void SetColumnTitlesVisible(bool value) {
        SetBooleanProperty(value, FColumnTitlesVisible, &TiPlotObject::DoChange);
    }
    TFont* ColumnTitlesFont() const { return FColumnTitlesFont.get(); }
    void SetColumnTitlesFont(TFont* value) { FColumnTitlesFont->Assign(value); }

    // ---- layout and drawing
    // Measures the table in its draw rectangle: the grid, the rows that fit, the buttons.
    void CalcLayout(TCanvas* canvas);
    // The height of a horizontal table, else its width.
    int GetRequiredWidth(TCanvas* canvas) override;
    int RequiredWidth() const { return FRequiredWidth; }
    int RequiredHeight() const { return FRequiredHeight; }
    int RowHeight() const { return FRowHeight; }
    TRect GridRect() const { return FGridRect; }
    TRect TitleRect() const { return FTitleRect; }
    TiPlotTableButton* UpButton() const { return FUpButton.get(); }
    TiPlotTableButton* DownButton() const { return FDownButton.get(); }
    void Draw(TCanvas* canvas, TColor backGroundColor) override;

    // ---- input
    TiPlotObject* SetMouseOverObject(int x, int y) override;
    bool OwnsButton(const TiPlotObject* object) const override {
        return object == FUpButton.get() || object == FDownButton.get();
    }
    void NotificationSetFocus(TiPlotObject* sender) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    void ClearPopupMenuItems(TPopupMenu* popupMenu) override;

private:
    // The cell in rect r of a title or data text, placed as the column says.
    void DrawCell(TCanvas* canvas, const std::string& text, TRect r,
                  TiAlignmentHorizontal alignment, double margin, TColor color);

    std::unique_ptr<TiPlotTableButton> FUpButton;
    std::unique_ptr<TiPlotTableButton> FDownButton;
    int FRequiredWidth = 0;
    int FRequiredHeight = 0;
    std::vector<TiPlotTableColumn> FColumnList;
    std::vector<std::vector<std::string>> FRowDataList;  // per row, the texts of its cells
    int FItemViewStartIndex = 0;
    int FItemViewStopIndex = 0;
    int FRowHeight = 0;
    double FMarginLeft = 1;
    double FMarginRight = 1;
    double FMarginBottom = 1;
    double FMarginTop = 1;
    bool FGridBackGroundTransparent = false;
    TColor FGridBackGroundColor = clGray;
    bool FGridLinesShow = true;
    TColor FGridLinesColor = clWhite;
    double FColumnSpacing = 2;
    double FRowSpacing = 0.5;
    int FRowsMax = 0;
    std::unique_ptr<TFont> FDataFont;
    TRect FGridRect{};
    TRect FTitleRect{};
    bool FColumnTitlesVisible = true;
    std::unique_ptr<TFont> FColumnTitlesFont;
};

}  // namespace dsp
