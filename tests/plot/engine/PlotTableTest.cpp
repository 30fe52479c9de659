// The plot table: its layout beside the data view, the rows it shows and the scroll buttons,
// column widths and cells.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "plot/engine/iPlotTable.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/plot/engine/RecordingCanvas.h"

namespace dsp {
namespace {

class PlotTableTest : public ::testing::Test {
protected:
    PlotTableTest() {
        plot_.SetBounds(0, 0, 600, 400);
        plot_.GetLegend(0)->SetVisible(false);
        table_ = plot_.GetTable(plot_.AddTable());
        table_->AddColumn("Name");
        table_->AddColumn("Value");
        for (int row = 0; row < 10; ++row) {
            table_->AddRow();
            table_->SetCellText(0, row, "Row " + IntToStr(row));
            table_->SetCellText(1, row, IntToStr(row * 10));
        }
    }
    test::TRecordingCanvas& Paint() {
        canvas_.ClearCalls();
        plot_.PaintToCanvas(&canvas_);
        return canvas_;
    }
    // The texts of the cells drawn, in drawing order.
    std::vector<std::string> CellTexts() {
        std::vector<std::string> texts;
        for (const test::TCanvasCall& call : Paint().CallsOf("DrawText")) {
            if (call.text.rfind("Row ", 0) == 0) texts.push_back(call.text);
        }
        return texts;
    }
    void Click(TiPlotButton* button) {
        const TRect r = button->DrawRect();
        const int x = (r.Left + r.Right) / 2;
        const int y = (r.Top + r.Bottom) / 2;
        plot_.iMouseDown(mbLeft, {}, x, y);
        plot_.iMouseUp(mbLeft, {}, x, y);
    }

    TiXYPlot plot_{nullptr};
    TiPlotTable* table_ = nullptr;
    test::TRecordingCanvas canvas_{600, 400};
};

TEST_F(PlotTableTest, RowsMaxShowsAWindowThatTheButtonsScrollToTheEnd) {
    EXPECT_EQ(table_->Name(), "Table 1");
    table_->SetRowsMax(4);
    EXPECT_EQ(CellTexts(), (std::vector<std::string>{"Row 0", "Row 1", "Row 2", "Row 3"}));
    ASSERT_TRUE(table_->UpButton()->Visible());
    ASSERT_TRUE(table_->DownButton()->Visible());
    EXPECT_FALSE(table_->UpButton()->Enabled());
    EXPECT_TRUE(table_->DownButton()->Enabled());
    for (int i = 0; i < 6; ++i) {
        Click(table_->DownButton());
        Paint();
    }
    EXPECT_EQ(CellTexts(), (std::vector<std::string>{"Row 6", "Row 7", "Row 8", "Row 9"}));
    EXPECT_FALSE(table_->DownButton()->Enabled());
    EXPECT_TRUE(table_->UpButton()->Enabled());
    // The button is disabled, and a scroll beyond the end is taken back by the layout.
    table_->ScrollDown();
    EXPECT_EQ(CellTexts(), (std::vector<std::string>{"Row 6", "Row 7", "Row 8", "Row 9"}));
    Click(table_->UpButton());
    EXPECT_EQ(CellTexts().front(), "Row 5");
}

TEST_F(PlotTableTest, AllRowsFitWithoutButtonsAndAShortRectangleShowsWhatFits) {
    EXPECT_EQ(CellTexts().size(), 10u);
    EXPECT_FALSE(table_->UpButton()->Visible());
    EXPECT_EQ(table_->RowDisplayStopIndex(), 9);
    // A rectangle with room for two and a half rows: two rows and the buttons, with no RowsMax.
    const int margin = table_->GridRect().Top - table_->Top();  // top and bottom alike
    const int title = table_->TitleRect().Bottom - table_->GridRect().Top;
    const int row = table_->RowHeight();
    table_->SetDrawRect({400, 50, 590, 50 + margin + title + 2 * row + row / 2 + margin});
    table_->CalcLayout(canvas_.Bitmap().Canvas());
    EXPECT_EQ(table_->RowDisplayStartIndex(), 0);
    EXPECT_EQ(table_->RowDisplayStopIndex(), 1);
    EXPECT_TRUE(table_->UpButton()->Visible());
    EXPECT_FALSE(table_->UpButton()->Enabled());
    EXPECT_TRUE(table_->DownButton()->Enabled());
}

TEST_F(PlotTableTest, HiddenTitlesLetTheFirstRowStartAtTheGridTop) {
    Paint();
    const int withTitles = table_->TitleRect().Bottom - table_->GridRect().Top;
    EXPECT_GT(withTitles, 0);
    table_->SetColumnTitlesVisible(false);
    const std::vector<test::TCanvasCall> texts = Paint().CallsOf("DrawText");
    EXPECT_EQ(table_->TitleRect().Bottom, table_->GridRect().Top);
    for (const test::TCanvasCall& call : texts) {
        EXPECT_NE(call.text, "Name");
        if (call.text == "Row 0") {
            EXPECT_EQ(call.rect.Top, table_->GridRect().Top);
        }
    }
}

TEST_F(PlotTableTest, AutomaticColumnTakesItsWidestTextAmongAllRows) {
    table_->SetRowsMax(2);
    table_->SetCellText(1, 9, "a much longer value");  // a row that is not shown
    Paint();
    test::TRecordingCanvas probe(10, 10);
    probe.Font()->Assign(table_->DataFont());
    const int w0 = probe.TextWidth("0");
    const int spacing = static_cast<int>(Round(w0 * table_->ColumnSpacing()));
    EXPECT_EQ(table_->Column(1).WidthPixels, probe.TextWidth("a much longer value") + spacing + w0);
    EXPECT_EQ(table_->Column(1).Width, table_->Column(1).WidthPixels / w0);
    // A fixed width is in widths of "0".
    table_->Column(0).AutoSize = false;
    table_->Column(0).Width = 4;
    Paint();
    EXPECT_EQ(table_->Column(0).WidthPixels, 4 * w0);
}

TEST_F(PlotTableTest, MissingCellsAreEmptyAndBadIndexesRaiseTheListsError) {
    const int row = table_->AddRow();
    table_->SetCellText(1, row, "only the second");
    EXPECT_EQ(table_->GetCellText(0, row), "");
    EXPECT_EQ(table_->GetCellText(1, row), "only the second");
    EXPECT_EQ(table_->GetCellText(5, row), "");
    EXPECT_THROW(table_->GetCellText(0, row + 1), EListError);
    EXPECT_THROW(table_->DeleteRow(-1), EListError);
    EXPECT_THROW(table_->DeleteColumn(2), EListError);
    table_->RemoveAllRows();
    EXPECT_EQ(table_->GetRequiredWidth(canvas_.Bitmap().Canvas()), 0);
    EXPECT_EQ(Paint().IndexOfText("Name"), -1);  // nothing of the table is drawn
}

}  // namespace
}  // namespace dsp
