#pragma once
// TValueListEditor: a grid of two columns, keys and values, over a list of "key=value" lines
// (Strings), with a row of column titles (doColumnTitles). Selecting a cell (a click, the
// arrow and page keys, or Row and Col set by program when they change) first asks
// OnSelectCell; a click on a data cell asks it even when the cell is the current one. The
// cells are read-only: the grid shows, scrolls and selects. Column widths are the program's;
// with doAutoColResize the value column takes the rest of the width.

#include <functional>
#include <memory>

#include "framework/controls/WinControl.h"
#include "framework/text/StringList.h"

namespace dsp {

class TScrollTracker;

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking,
};
DSP_ENUM_NAMES(TGridOption, "goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine",
               "goRangeSelect", "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving",
               "goColMoving", "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor",
               "goThumbTracking")
using TGridOptions = Set<TGridOption>;

enum TDisplayOption { doColumnTitles, doAutoColResize, doKeyColFixed };
DSP_ENUM_NAMES(TDisplayOption, "doColumnTitles", "doAutoColResize", "doKeyColFixed")
using TDisplayOptions = Set<TDisplayOption>;

enum TKeyOption { keyEdit, keyAdd, keyDelete, keyUnique };
DSP_ENUM_NAMES(TKeyOption, "keyEdit", "keyAdd", "keyDelete", "keyUnique")
using TKeyOptions = Set<TKeyOption>;

using TSelectCellEvent = std::function<void(TObject* sender, int col, int row, bool& canSelect)>;

class TValueListEditor : public TWinControl {
    DSP_PUBLISHED(TValueListEditor, TWinControl) {
        using P = Published<TValueListEditor>;
        return {
            P::Property("BorderStyle", &TValueListEditor::BorderStyle,
                        &TValueListEditor::SetBorderStyle)
                .Default(bsSingle),
            P::Property("DefaultRowHeight", &TValueListEditor::DefaultRowHeight,
                        &TValueListEditor::SetDefaultRowHeight)
                .Default(18),
            P::Property("DisplayOptions", &TValueListEditor::DisplayOptions,
                        &TValueListEditor::SetDisplayOptions)
                .Default(TDisplayOptions{doColumnTitles, doAutoColResize, doKeyColFixed}),
            P::Property("FixedColor", &TValueListEditor::FixedColor,
                        &TValueListEditor::SetFixedColor)
                .Default(clBtnFace),
            P::Property("KeyOptions", &TValueListEditor::KeyOptions,
                        &TValueListEditor::SetKeyOptions)
                .Default(TKeyOptions{}),
            P::Property("Options", &TValueListEditor::Options, &TValueListEditor::SetOptions)
                .Default(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
                                      goDrawFocusSelected, goThumbTracking}),
            P::Property("Strings", &TValueListEditor::Strings, &TValueListEditor::SetStrings),
            P::Property("TitleCaptions", &TValueListEditor::TitleCaptions,
                        &TValueListEditor::SetTitleCaptions),
        };
    }

public:
    explicit TValueListEditor(TComponent* owner);
    ~TValueListEditor() override;

    // The "key=value" lines behind the data rows.
    TStrings* Strings() const { return strings_.get(); }
    void SetStrings(TStrings* value);
    // The captions of the title row: key column, value column.
    TStrings* TitleCaptions() const { return titles_.get(); }
    void SetTitleCaptions(TStrings* value);

    TDisplayOptions DisplayOptions() const { return displayOptions_; }
    void SetDisplayOptions(TDisplayOptions value);
    TKeyOptions KeyOptions() const { return keyOptions_; }
    void SetKeyOptions(TKeyOptions value) { keyOptions_ = value; }
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor value);

    int ColCount() const { return 2; }
    int RowCount() const { return FixedRows() + strings_->Count(); }
    // 1 with the title row, else 0; the key column is fixed with doKeyColFixed.
    int FixedRows() const { return displayOptions_.Contains(doColumnTitles) ? 1 : 0; }
    int FixedCols() const { return displayOptions_.Contains(doKeyColFixed) ? 1 : 0; }
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);

    // The current cell; setting it asks OnSelectCell when it changes.
    int Row() const { return row_; }
    void SetRow(int value);
    int Col() const { return col_; }
    void SetCol(int value);
    int TopRow() const { return topRow_; }
    void SetTopRow(int value);
    int VisibleRowCount() const;

    // Column 0 the key, column 1 the value; row 0 the titles when they show.
    std::string Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);
    std::string Keys(int row) const { return Cells(0, row); }
    std::string Values(const std::string& key) const { return strings_->Values(key); }
    void SetValues(const std::string& key, const std::string& value);
    // The data row of a key, or false.
    bool FindRow(const std::string& key, int& row) const;
    // Adds a line; returns its row.
    int InsertRow(const std::string& key, const std::string& value, bool append);
    void DeleteRow(int row);

    TRect CellRect(int col, int row) const;
    void MouseToCell(int x, int y, int& col, int& row) const;

    TSelectCellEvent OnSelectCell;

protected:
    // OnSelectCell's answer (true without a handler).
    virtual bool SelectCell(int col, int row);
    // Moves the current cell there when SelectCell allows; true when it did.
    bool MoveTo(int col, int row);
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;
    bool WheelScroll(int rows) override;

private:
    TRect GridRect() const;
    TRect ScrollBarRect() const;
    bool NeedsScrollBar() const;
    int ColumnLeft(int col) const;
    int ColumnWidth(int col) const;
    void StringsChanged();
    void HandleKeyDown(unsigned key);
    void MakeRowVisible(int row);

    std::unique_ptr<TStringList> strings_;
    std::unique_ptr<TStringList> titles_;
    std::unique_ptr<TScrollTracker> scroll_;
    TDisplayOptions displayOptions_{doColumnTitles, doAutoColResize, doKeyColFixed};
    TKeyOptions keyOptions_;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine,     goVertLine,
                          goHorzLine,      goDrawFocusSelected, goThumbTracking};
    TBorderStyle borderStyle_ = bsSingle;
    int defaultRowHeight_ = 18;
    TColor fixedColor_ = clBtnFace;
    int colWidths_[2] = {64, 64};
    int row_ = 1;
    int col_ = 1;
    int topRow_ = 1;  // the first data row shown
};

}  // namespace dsp
