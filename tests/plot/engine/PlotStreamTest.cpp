// The plot in the form stream: a configured plot read back whole into another (objects, their
// order and names, translation pairs, image lists, the axes' extras), the managers and lists
// that are left out when empty, the ZOrder repair on reading, and a written plot left as it was.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/text/Filer.h"
#include "framework/text/Streams.h"
#include "framework/text/WholeFile.h"
#include "plot/engine/TransferPlotSetup.h"
#include "plot/engine/iPlotLimit.h"
#include "plot/engine/iPlotTable.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

std::string Bytes(TiPlotComponent& plot) {
    TMemoryStream stream;
    WriteComponentStream(stream, plot);
    stream.SetPosition(0);
    return stream.ReadRest();
}

void Read(const std::string& bytes, TiPlotComponent& plot) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes);
    stream.SetPosition(0);
    ReadComponentStream(stream, plot);
}

bool Contains(const std::string& bytes, const std::string& name) {
    return bytes.find(name) != std::string::npos;
}

// Everything the property file says of a plot: every object with its published properties.
std::string Described(TiPlotComponent& plot, const test::TTempFolder& folder) {
    plot.SavePropertiesToFile(folder.File("described.txt"));
    return ReadWholeFile(folder.File("described.txt")).value_or("");
}

std::unique_ptr<TBitmap> Square(TColor color) {
    auto bitmap = std::make_unique<TBitmap>(24, 24);
    bitmap->Canvas()->Brush()->SetColor(clWhite);
    bitmap->Canvas()->FillRect({0, 0, 24, 24});
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect({4, 4, 20, 20});
    return bitmap;
}

TEST(PlotStreamTest, AConfiguredPlotComesBackWhole) {
    test::TTempFolder folder;
    TiXYPlot source(nullptr);
    ConfigureTransferPlot(source);  // LabelSeparation 0 on the X axis, two channels
    source.GetChannel(1)->SetName("Operating point");
    source.AddXAxis();
    source.GetXAxis(1)->SetMinSpan(-5, 10);
    TiPlotLimit* limit = source.GetLimit(source.AddLimit());
    limit->SetStyle(iplsBandX);
    limit->SetLine2Position(70);
    source.GetTable(source.AddTable())->SetRowsMax(3);
    source.GetLabel(source.AddLabel())->SetCaption("Second label");
    source.AddTranslation("Edit...", "Bearbeiten...");
    source.ImageListAdd(1, Square(clRed).get());
    source.ImageListAdd(1, Square(clBlue).get());
    const int opcItem = source.OPCAddItem();
    source.SetOPCItemItemName(opcItem, "Tank.Level");
    source.SetOPCItemPropertyName(opcItem, "BackGroundColor");
    const std::string bytes = Bytes(source);

    TiXYPlot copy(nullptr);  // its constructor's objects are replaced
    copy.AddLimit();
    Read(bytes, copy);
    EXPECT_EQ(Described(copy, folder), Described(source, folder));
    EXPECT_EQ(copy.ChannelCount(), 2);
    EXPECT_EQ(copy.GetChannel(1)->Name(), "Operating point");
    EXPECT_EQ(copy.GetChannel(1)->Color(), 8421631);
    EXPECT_TRUE(Contains(bytes, "LabelSeparation"));  // the X axis keeps its 0
    EXPECT_EQ(copy.GetXAxis(1)->Min(), -5);
    EXPECT_EQ(copy.LimitCount(), 1);
    EXPECT_EQ(copy.GetLimit(0)->Style(), iplsBandX);
    EXPECT_EQ(copy.GetTable(0)->RowsMax(), 3);
    EXPECT_EQ(copy.LabelCount(), 2);
    EXPECT_EQ(copy.GetTranslationReplacementString(0), "Bearbeiten...");
    ASSERT_EQ(copy.GetImageList(1)->Count(), 2);
    TBitmap picture(24, 24);
    copy.GetImageList(1)->GetBitmap(1, &picture);
    EXPECT_EQ(picture.Canvas()->Pixels(12, 12), clBlue);
    EXPECT_EQ(copy.GetImageList(0)->Count(), 0);
    ASSERT_EQ(copy.OPCItemCount(), 1);
    EXPECT_EQ(copy.GetOPCItemItemName(0), "Tank.Level");
    // Read back, the plot lays itself out and paints again.
    EXPECT_FALSE(copy.GetUpdateActive());
    EXPECT_TRUE(copy.Master()->LayoutManager()->Enabled());
    EXPECT_EQ(Bytes(copy), bytes);
}

TEST(PlotStreamTest, EmptyManagersListsAndTablesAreLeftOut) {
    TiXYPlot plot(nullptr);
    const std::string bytes = Bytes(plot);
    for (const char* absent : {"TableManager", "LimitManager", "ImageList0", "ImageList1",
                               "ImageList2", "TranslationManager", "OPCItems"}) {
        EXPECT_FALSE(Contains(bytes, absent)) << absent;
    }
    for (const char* present : {"ToolBarManager", "ChannelManager", "DataViewZHorz"}) {
        EXPECT_TRUE(Contains(bytes, present)) << present;
    }
}

// A plot whose constructor adds a data cursor, as the XY plot's does.
TEST(PlotStreamTest, AManagerLeftEmptyKeepsWhatTheConstructorAdded) {
    TiXYPlot source(nullptr);
    source.RemoveAllDataCursors();
    ASSERT_EQ(source.DataCursorCount(), 0);
    TiXYPlot copy(nullptr);
    Read(Bytes(source), copy);
    EXPECT_EQ(copy.DataCursorCount(), 1);
}

TEST(PlotStreamTest, WritingLeavesThePlotAsItWasAndReadingRepairsAToolbarOnTheTitlesBand) {
    TiXYPlot source(nullptr);
    TiPlotToolBar* toolBar = source.GetToolBar(0);
    toolBar->SetZOrder(source.GetLabel(0)->ZOrder());  // both horizontal, one band
    const int zOrder = toolBar->ZOrder();
    const std::string bytes = Bytes(source);
    // Saving neither opens a batch nor turns the layout off nor moves the toolbar.
    EXPECT_FALSE(source.GetUpdateActive());
    EXPECT_TRUE(source.Master()->LayoutManager()->Enabled());
    EXPECT_EQ(toolBar->ZOrder(), zOrder);

    TiXYPlot copy(nullptr);
    Read(bytes, copy);
    EXPECT_EQ(copy.GetToolBar(0)->ZOrder(), zOrder + 1);
    EXPECT_EQ(copy.GetLabel(0)->ZOrder(), zOrder);
}

TEST(PlotStreamTest, TranslationPairsComeBackNewestFirstAsEveryNewPairGoes) {
    TiXYPlot source(nullptr);
    source.AddTranslation("OK", "Ja");
    source.AddTranslation("OK", "Gut");  // the newest pair wins
    EXPECT_EQ(source.GetTranslationManager()->FindReplacement("OK"), "Gut");
    TiXYPlot copy(nullptr);
    Read(Bytes(source), copy);
    ASSERT_EQ(copy.TranslationCount(), 2);
    // Each pair read goes to the front: the table comes back in the reverse order.
    EXPECT_EQ(copy.GetTranslationManager()->FindReplacement("OK"), "Ja");
}

TEST(PlotStreamTest, AnOlderStreamsSpanNameSetsTheSpanWithoutANotification) {
    TiXYPlot source(nullptr);
    source.GetYAxis(0)->SetSpan(50);
    std::string bytes = Bytes(source);
    // The Y axis's "Span" (a name of 4 bytes; the X axis's comes first) renamed to "Span_2".
    const std::string name = std::string(1, '\x04') + "Span";
    const std::size_t at = bytes.find(name, bytes.find(name) + 1);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, name.size(), std::string(1, '\x06') + "Span_2");
    TiXYPlot copy(nullptr);
    int spanEvents = 0;
    copy.OnYAxisSpanChange = [&](int, double, double) { ++spanEvents; };
    Read(bytes, copy);
    EXPECT_EQ(copy.GetYAxis(0)->Span(), 50);
    EXPECT_EQ(spanEvents, 0);
}

TEST(PlotStreamTest, DamagedImageListsAreRefusedWithTheirMessage) {
    TImageList list(nullptr);
    list.SetSize(24, 24);
    list.AddMasked(Square(clGreen).get(), clWhite);
    TMemoryStream good;
    TiPlotComponent::WriteImageList(list, good);
    const std::string bytes = [&] {
        good.SetPosition(0);
        return good.ReadRest();
    }();
    const std::vector<std::string> damaged = {
        "",
        "DSIL",
        "XXXX" + bytes.substr(4),
        bytes.substr(0, 4) + std::string("\xFF\xFF\xFF\x7F", 4) + bytes.substr(8),  // count
        bytes.substr(0, 8) + std::string("\x30\0\0\0", 4) + bytes.substr(12),       // width
        bytes.substr(0, bytes.size() - 10),                                         // cut PNG
    };
    for (const std::string& data : damaged) {
        TMemoryStream stream;
        stream.WriteBuffer(data);
        stream.SetPosition(0);
        TImageList target(nullptr);
        try {
            TiPlotComponent::ReadImageList(target, stream);
            ADD_FAILURE() << "accepted " << data.size() << " bytes";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Failed to read ImageList data from stream");
        }
        EXPECT_EQ(target.Count(), 0);
    }
    TMemoryStream stream;
    stream.WriteBuffer(bytes);
    stream.SetPosition(0);
    TImageList target(nullptr);
    TiPlotComponent::ReadImageList(target, stream);
    EXPECT_EQ(target.Count(), 1);
}

}  // namespace
}  // namespace dsp
