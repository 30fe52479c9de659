// The plot's files: the text and "Compact Interval" data files byte for byte, the property and
// annotation files' round trips, corpora of damaged files each refused with its prefix and the
// plot left as it was, the log of AddDataArray's rows, and the image lists.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/text/Numbers.h"
#include "framework/text/StringList.h"
#include "framework/text/Variant.h"
#include "framework/text/WholeFile.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

std::string Float32(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
    return out;
}

std::string MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}

// Everything a property file holds, plus the annotations and points it must not touch.
std::string Snapshot(TiPlotComponent& plot, const test::TTempFolder& folder) {
    plot.SavePropertiesToFile(folder.File("snapshot.txt"));
    std::string points;
    for (int c = 0; c < plot.ChannelCount(); ++c) points += IntToStr(plot.GetChannel(c)->Count());
    return ReadWholeFile(folder.File("snapshot.txt")).value_or("") +
           "annotations=" + IntToStr(plot.AnnotationCount()) + " points=" + points;
}

// The limit and annotation classes the plots of these tests make.
void UseLimitAndAnnotationClasses() {
    test::RestoreEngineClassesAfterTest();
    RegisterPlotObjectClass(TiPlotObjectKind::Limit, PlotObjectFactory<test::TFakeLimit>());
    RegisterPlotObjectClass(TiPlotObjectKind::Annotation,
                            PlotObjectFactory<test::TFakeAnnotation>());
}

class PlotFilesTest : public ::testing::Test {
protected:
    PlotFilesTest() {
        UseLimitAndAnnotationClasses();
        a_ = plot_.GetChannel(0);
        b_ = plot_.GetChannel(plot_.AddChannel());
        a_->SetTitleText("A");
        b_->SetTitleText("B");
    }
    TiXYPlot plot_{nullptr};
    TiXYPlotChannel* a_ = nullptr;
    TiXYPlotChannel* b_ = nullptr;
    test::TTempFolder folder_;
};

// ---- data files

TEST_F(PlotFilesTest, TextDataFileHoldsEveryChannelsPairsAndReadsBack) {
    a_->AddXY(1, 10);
    a_->AddNull();
    a_->AddXY(3, 0.5);
    b_->AddXY(1, -1);
    b_->AddEmpty();
    for (int i = 3; i <= 5; ++i) b_->AddXY(i, i);
    plot_.SaveDataToFile(folder_.File("data.txt"));
    EXPECT_EQ(plot_.LastDataFileName(), folder_.File("data.txt"));
    EXPECT_EQ(ReadWholeFile(folder_.File("data.txt")).value_or(""),
              "A(X)\tA(Y)\tB(X)\tB(Y)\r\n"
              "1\t10\t1\t-1\r\n"
              "0\tNull\t0\tEmpty\r\n"
              "3\t0.5\t3\t3\r\n"
              "\t\t4\t4\r\n"
              "\t\t5\t5\r\n");

    TiXYPlot other(nullptr);
    other.AddChannel();
    other.LoadDataFromFile(folder_.File("data.txt"));
    other.LoadDataFromFile(folder_.File("data.txt"));
    ASSERT_EQ(other.GetChannel(0)->Count(), 6);
    ASSERT_EQ(other.GetChannel(1)->Count(), 10);
    EXPECT_TRUE(other.GetChannel(0)->GetDataNull(4));
    EXPECT_TRUE(other.GetChannel(1)->GetDataEmpty(1));
    EXPECT_EQ(other.GetChannel(1)->GetDataY(9), 5);

    plot_.SetDataFileColumnSeparator(ipdfcsComma);
    plot_.SaveDataToFile(folder_.File("comma.txt"));
    EXPECT_EQ(ReadWholeFile(folder_.File("comma.txt")).value_or("").substr(0, 28),
              "A(X),A(Y),B(X),B(Y)\r\n1,10,1,");
}

TEST_F(PlotFilesTest, SharedXFileGivesEveryChannelTheRowsX) {
    // Written by hand with a comma as decimal separator, which a tab-separated file allows.
    ASSERT_TRUE(
        WriteWholeFile(folder_.File("shared.txt"),
                       "(X)\tA(Y)\tB(Y)\r\n1\t2\tnull\r\n2,5\t3\t\r\n\t7\t7\r\n4\t\tEMPTY\n"));
    plot_.LoadDataFromFile(folder_.File("shared.txt"));
    ASSERT_EQ(a_->Count(), 2);
    ASSERT_EQ(b_->Count(), 2);
    EXPECT_EQ(a_->GetDataX(1), 2.5);
    EXPECT_EQ(a_->GetDataY(1), 3);
    EXPECT_TRUE(b_->GetDataNull(0));
    EXPECT_EQ(b_->GetDataX(1), 4);
    EXPECT_TRUE(b_->GetDataEmpty(1));
}

TEST_F(PlotFilesTest, CompactIntervalKeepsXOfTwoRowsAndEndsWithItsMarker) {
    for (int i = 0; i < 3; ++i) a_->AddXY(0.5 * i, i + 1);
    b_->AddXY(7, -2);
    plot_.SetDataFileFormat(ipdffCompactInterval);
    plot_.SaveDataToFile(folder_.File("compact.bin"));
    const std::string expected = "Compact Interval\r\n2\r\n" + Float32(0) + Float32(1) +
                                 Float32(7) + Float32(-2) + Float32(0.5f) + Float32(2) +
                                 Float32(1e38f) + Float32(1e38f) + Float32(3) + Float32(1e38f) +
                                 Float32(2e38f);
    EXPECT_EQ(ReadWholeFile(folder_.File("compact.bin")).value_or(""), expected);

    TiXYPlot other(nullptr);
    other.AddChannel();
    other.LoadDataFromFile(folder_.File("compact.bin"));
    ASSERT_EQ(other.GetChannel(0)->Count(), 3);
    ASSERT_EQ(other.GetChannel(1)->Count(), 1);
    EXPECT_EQ(other.GetChannel(0)->GetDataX(1), 0.5);
    // The format keeps no X beyond the second row.
    EXPECT_EQ(other.GetChannel(0)->GetDataX(2), 0);
    EXPECT_EQ(other.GetChannel(0)->GetDataY(2), 3);
}

struct TBadDataCase {
    const char* name;
    std::string content;
    const char* message;
};
void PrintTo(const TBadDataCase& c, std::ostream* os) { *os << c.name; }

class PlotBadDataFile : public ::testing::TestWithParam<TBadDataCase> {};

TEST_P(PlotBadDataFile, IsRefusedWithoutAddingAPoint) {
    test::TTempFolder folder;
    TiXYPlot plot(nullptr);
    plot.GetChannel(0)->AddXY(1, 1);
    ASSERT_TRUE(WriteWholeFile(folder.File("bad"), GetParam().content));
    EXPECT_EQ(MessageOf([&] { plot.LoadDataFromFile(folder.File("bad")); }),
              std::string("Error Loading Data - ") + GetParam().message);
    EXPECT_EQ(plot.GetChannel(0)->Count(), 1);
    EXPECT_EQ(plot.LastDataFileName(), "");
    // The batch the load opened is closed again: the plot still repaints.
    EXPECT_FALSE(plot.GetUpdateActive());
}

const std::string kHead = "Compact Interval\r\n";
// clang-format off
const TBadDataCase kBadDataCases[] = {
    {"ChannelCountZero", kHead + "0\r\n" + Float32(1) + Float32(2), "Invalid Data"},
    {"ChannelCountNegative", kHead + "-4\r\n" + Float32(1) + Float32(2), "Invalid Data"},
    {"ChannelCountHuge", kHead + "2000000000\r\n" + Float32(1), "Invalid Data"},
    {"ChannelCountNotANumber", kHead + "two\r\n" + Float32(1), "Invalid Data"},
    {"ValueCutShort", kHead + "1\r\n" + Float32(1) + Float32(2) + "\x01\x02", "Invalid Data"},
    {"RowCutShort", kHead + "2\r\n" + Float32(1) + Float32(2) + Float32(3), "Invalid Data"},
    {"BadNumberAfterGoodRows", "A(X)\tA(Y)\r\n1\t2\r\n3\tx\r\n",
     "'x' is not a valid floating point value"},
    {"BadSharedX", "(X)\tA(Y)\r\n1\t2\r\n1e\t2\r\n", "'1e' is not a valid floating point value"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Files, PlotBadDataFile, ::testing::ValuesIn(kBadDataCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PlotFilesTest, MissingDataFileIsRefusedWithThePrefix) {
    const std::string message =
        MessageOf([&] { plot_.LoadDataFromFile(folder_.File("absent.txt")); });
    EXPECT_EQ(message.rfind("Error Loading Data - ", 0), 0u) << message;
    EXPECT_EQ(MessageOf([&] {
                  plot_.SaveDataToFile(folder_.File("no/such/folder.txt"));
              }).rfind("Error Saving Data - ", 0),
              0u);
}

// ---- property and annotation files

TEST_F(PlotFilesTest, PropertyFileRebuildsThePlotAndSavesTheSameAgain) {
    a_->SetColor(clAqua);
    b_->SetTraceLineWidth(3);
    plot_.GetXAxis(plot_.AddXAxis())->SetMin(-5);
    plot_.GetLimit(plot_.AddLimit())->SetVisible(false);
    plot_.SetTitleText("Levels");
    plot_.AddAnnotation();
    int events = 0;
    plot_.OnAfterSaveProperties = [&](TObject*) { ++events; };
    plot_.SavePropertiesToFile(folder_.File("plot.txt"));
    EXPECT_EQ(events, 1);
    const std::string saved = ReadWholeFile(folder_.File("plot.txt")).value_or("");
    const std::string head =
        "File Type = Plot Config\r\nChannelCount = 2\r\nXAxisCount = 2\r\nYAxisCount = 1\r\n"
        "ToolBarCount = 1\r\nLegendCount = 1\r\nTableCount = 0\r\nLabelCount = 1\r\n"
        "DataViewCount = 1\r\nDataCursorCount = 1\r\nLimitCount = 1\r\nDataViewZHorz = 2\r\n"
        "DataViewZVert = 1\r\nChannel0.Name = Channel 1\r\n";
    EXPECT_EQ(saved.substr(0, head.size()), head);
    EXPECT_NE(saved.find("\r\nChannel1.TraceLineWidth = 3\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nLabel0.Caption = Levels\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("\r\nName = "), std::string::npos);

    TiXYPlot other(nullptr);
    other.AddAnnotation();
    std::vector<std::string> order;
    other.OnBeforeLoadProperties = [&](TObject*) { order.push_back("before"); };
    other.OnAfterLoadProperties = [&](TObject*) { order.push_back("after"); };
    other.LoadPropertiesFromFile(folder_.File("plot.txt"));
    EXPECT_EQ(order, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(other.ChannelCount(), 2);
    EXPECT_EQ(other.GetChannel(0)->Color(), clAqua);
    EXPECT_EQ(other.GetXAxis(1)->Min(), -5);
    EXPECT_FALSE(other.GetLimit(0)->Visible());
    EXPECT_EQ(other.TitleText(), "Levels");
    // Annotations live in their own files: loading properties removes them.
    EXPECT_EQ(other.AnnotationCount(), 0);
    EXPECT_FALSE(other.GetUpdateActive());
    other.SavePropertiesToFile(folder_.File("again.txt"));
    EXPECT_TRUE(ReadWholeFile(folder_.File("again.txt")).value_or("") == saved);
}

TEST_F(PlotFilesTest, DifferentialSaveLeavesDefaultOrdinalsOut) {
    plot_.SetDifferentialPropertySave(true);
    plot_.SavePropertiesToFile(folder_.File("plot.txt"));
    const std::string saved = ReadWholeFile(folder_.File("plot.txt")).value_or("");
    EXPECT_EQ(saved.find("Channel0.TraceVisible"), std::string::npos);
    EXPECT_NE(saved.find("Channel0.TitleText = A\r\n"), std::string::npos);
}

TEST_F(PlotFilesTest, AnnotationFileReplacesTheAnnotations) {
    plot_.AddAnnotation();
    plot_.GetAnnotation(plot_.AddAnnotation())->SetVisible(false);
    plot_.SaveAnnotationsToFile(folder_.File("notes.txt"));
    const std::string saved = ReadWholeFile(folder_.File("notes.txt")).value_or("");
    EXPECT_EQ(saved.rfind("AnnotationCount = 2\r\nAnnotation0.", 0), 0u);
    // Differential: only the value off its default is written.
    EXPECT_NE(saved.find("\r\nAnnotation1.Visible = 0\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("\r\nAnnotation0.Visible"), std::string::npos);

    TiXYPlot other(nullptr);
    for (int i = 0; i < 3; ++i) other.AddAnnotation();
    other.LoadAnnotationsFromFile(folder_.File("notes.txt"));
    ASSERT_EQ(other.AnnotationCount(), 2);
    EXPECT_TRUE(other.GetAnnotation(0)->Visible());
    EXPECT_FALSE(other.GetAnnotation(1)->Visible());
}

struct TBadPropertyCase {
    const char* name;
    const char* content;
    const char* message;
};
void PrintTo(const TBadPropertyCase& c, std::ostream* os) { *os << c.name; }

class PlotBadPropertyFile : public ::testing::TestWithParam<TBadPropertyCase> {};

TEST_P(PlotBadPropertyFile, IsRefusedAndThePlotStaysAsItWas) {
    UseLimitAndAnnotationClasses();
    test::TTempFolder folder;
    TiXYPlot plot(nullptr);
    plot.GetChannel(0)->SetColor(clLime);
    plot.GetChannel(0)->AddXY(1, 2);
    plot.AddLimit();
    plot.AddAnnotation();
    const std::string before = Snapshot(plot, folder);
    ASSERT_TRUE(WriteWholeFile(folder.File("bad.txt"), GetParam().content));
    bool after = false;
    plot.OnAfterLoadProperties = [&](TObject*) { after = true; };
    EXPECT_EQ(MessageOf([&] { plot.LoadPropertiesFromFile(folder.File("bad.txt")); }),
              std::string("Error Loading Properties - ") + GetParam().message);
    EXPECT_FALSE(after);
    EXPECT_FALSE(plot.GetUpdateActive());
    // Compared whole without printing: the snapshot runs to hundreds of lines.
    EXPECT_TRUE(Snapshot(plot, folder) == before);
}

// clang-format off
const TBadPropertyCase kBadPropertyCases[] = {
    {"OtherFileType", "File Type = Plot Channel Config\r\n",
     "Incompatible Plot Configuration File Type"},
    {"NoFileType", "ChannelCount = 1\r\n", "Incompatible Plot Configuration File Type"},
    {"HugeCount", "File Type = Plot Config\r\nChannelCount = 2000000000\r\n",
     "Invalid ChannelCount \"2000000000\""},
    {"NegativeCount", "File Type = Plot Config\r\nLimitCount = -1\r\n",
     "Invalid LimitCount \"-1\""},
    {"CountNotANumber", "File Type = Plot Config\r\nXAxisCount = many\r\n",
     "Invalid XAxisCount \"many\""},
    {"SectionBeyondItsCount",
     "File Type = Plot Config\r\nChannelCount = 1\r\nChannel0.TitleText = a\r\n"
     "Channel1.TitleText = b\r\n",
     "Section Channel1 beyond its count"},
    {"SectionsOutOfOrder",
     "File Type = Plot Config\r\nChannelCount = 1\r\nXAxisCount = 1\r\nXAxis0.Min = 1\r\n"
     "Channel0.TitleText = a\r\n",
     "Section Channel0 out of order"},
    {"SectionAfterThePlotsOwnLines",
     "File Type = Plot Config\r\nChannelCount = 1\r\nTitleText = t\r\nChannel0.TitleText = a\r\n",
     "Section Channel0 out of order"},
    {"ValueThatDoesNotConvert",
     "File Type = Plot Config\r\nChannelCount = 1\r\nXAxisCount = 1\r\nChannel0.TitleText = a\r\n"
     "XAxis0.Min = low\r\n",
     "'low' is not a valid floating point value"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Files, PlotBadPropertyFile, ::testing::ValuesIn(kBadPropertyCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PlotFilesTest, BadAnnotationFilesKeepTheAnnotations) {
    plot_.GetAnnotation(plot_.AddAnnotation())->SetLayer(7);
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"AnnotationCount = 99999999\r\n", "Invalid AnnotationCount \"99999999\""},
        {"AnnotationCount = 1\r\nAnnotation3.Layer = 2\r\n", "Section Annotation3 beyond its count"},
        {"AnnotationCount = 2\r\nAnnotation1.Layer = 2\r\nAnnotation0.Layer = 2\r\n",
         "Section Annotation0 out of order"},
        {"AnnotationCount = 1\r\nAnnotation0.Layer = deep\r\n", "'deep' is not a valid integer value"},
    };
    // clang-format on
    for (const auto& [content, message] : cases) {
        ASSERT_TRUE(WriteWholeFile(folder_.File("bad.txt"), content));
        EXPECT_EQ(MessageOf([&] { plot_.LoadAnnotationsFromFile(folder_.File("bad.txt")); }),
                  std::string("Error Loading Annotations - ") + message);
        ASSERT_EQ(plot_.AnnotationCount(), 1) << content;
        EXPECT_EQ(plot_.GetAnnotation(0)->Layer(), 7) << content;
        EXPECT_FALSE(plot_.GetUpdateActive());
    }
}

// ---- log

TEST_F(PlotFilesTest, LogWritesTheBufferedRowsInOneGo) {
    const std::string log = folder_.File("log.txt");
    EXPECT_EQ(MessageOf([&] { plot_.LogActivate(false); }), "Log File Name not Defined");
    EXPECT_EQ(MessageOf([&] { plot_.LogDeactivate(); }), "Logging not Active");
    plot_.SetLogFileName(log);
    plot_.SetLogBufferSize(10);
    plot_.LogActivate(false);
    EXPECT_EQ(MessageOf([&] { plot_.LogActivate(false); }), "Logging Already Active");
    EXPECT_EQ(MessageOf([&] { plot_.SetLogFileName("x"); }),
              "Log File Name can not be changed while logging is active.");
    EXPECT_EQ(MessageOf([&] { plot_.SetDataFileFormat(ipdffText); }),
              "Data File Format can not be changed while logging active");
    EXPECT_EQ(MessageOf([&] { plot_.SetDataFileColumnSeparator(ipdfcsComma); }),
              "Data File Column Seperator can not be changed while logging active");
    // Points added straight to a channel are not rows of the log.
    a_->AddXY(-1, -1);
    b_->AddXY(-1, -1);
    for (int i = 0; i < 9; ++i) plot_.AddDataArray(i, VarArrayOf({double(i), 5e-301}));
    EXPECT_EQ(ReadWholeFile(log).value_or(""), "(X)\tA(Y)\tB(Y)\r\n");
    plot_.AddDataArray(9, VarArrayOf({9.0, 5e-302}));
    std::string expected = "(X)\tA(Y)\tB(Y)\r\n";
    for (int i = 0; i < 9; ++i) expected += IntToStr(i) + "\t" + IntToStr(i) + "\tNull\r\n";
    expected += "9\t9\tEmpty\r\n";
    EXPECT_EQ(ReadWholeFile(log).value_or(""), expected);
    for (int i = 10; i < 13; ++i) plot_.AddDataArray(i, VarArrayOf({1.5, 2.0}));
    plot_.LogDeactivate();
    expected += "10\t1.5\t2\r\n11\t1.5\t2\r\n12\t1.5\t2\r\n";
    EXPECT_EQ(ReadWholeFile(log).value_or(""), expected);

    // What was logged reads back as a shared-X data file.
    TiXYPlot reader(nullptr);
    reader.AddChannel();
    reader.LoadDataFromFile(log);
    EXPECT_EQ(reader.GetChannel(0)->Count(), 13);
    EXPECT_TRUE(reader.GetChannel(1)->GetDataNull(0));

    // Appending keeps the content and writes no second header; a fresh start truncates.
    plot_.SetLogBufferSize(0);
    plot_.LogActivate(true);
    plot_.AddDataArray(20, VarArrayOf({1.0, 1.0}));
    plot_.ClearAllData();
    EXPECT_FALSE(plot_.LoggingActive());
    EXPECT_EQ(ReadWholeFile(log).value_or(""), expected + "20\t1\t1\r\n");
    plot_.LogActivate(false);
    plot_.LogDeactivate();
    EXPECT_EQ(ReadWholeFile(log).value_or(""), "(X)\tA(Y)\tB(Y)\r\n");
}

// A channel shorter than channel 0 used to fail the flush half-way with the rows kept, so the
// next flush wrote them again.
TEST_F(PlotFilesTest, ShortChannelGivesEmptyFieldsAndEveryRowIsWrittenOnce) {
    plot_.SetLogFileName(folder_.File("log.txt"));
    plot_.SetLogBufferSize(3);
    plot_.LogActivate(false);
    plot_.AddDataArray(1, VarArrayOf({1.0, 1.0}));
    plot_.AddDataArray(2, VarArrayOf({2.0, 2.0}));
    b_->DeletePoints(2);
    plot_.AddDataArray(3, VarArrayOf({3.0}));
    EXPECT_EQ(plot_.LogBufferCount(), 0);
    plot_.AddDataArray(4, VarArrayOf({4.0, 4.0}));
    plot_.LogDeactivate();
    EXPECT_EQ(ReadWholeFile(folder_.File("log.txt")).value_or(""),
              "(X)\tA(Y)\tB(Y)\r\n1\t1\t\r\n2\t2\t\r\n3\t3\t\r\n4\t4\t\r\n");
}

TEST_F(PlotFilesTest, CompactLogWritesXForTheFirstTwoRowsOnly) {
    const std::string log = folder_.File("log.bin");
    plot_.SetDataFileFormat(ipdffCompactInterval);
    plot_.SetLogFileName(log);
    plot_.SetLogBufferSize(2);
    plot_.LogActivate(false);
    for (int i = 0; i < 3; ++i) plot_.AddDataArray(i, VarArrayOf({10.0 + i, 20.0 + i}));
    plot_.LogDeactivate();
    EXPECT_EQ(ReadWholeFile(log).value_or(""),
              "Compact Interval\r\n2\r\n" + Float32(0) + Float32(10) + Float32(0) + Float32(20) +
                  Float32(1) + Float32(11) + Float32(1) + Float32(21) + Float32(12) + Float32(22));
    TiXYPlot reader(nullptr);
    reader.AddChannel();
    reader.LoadDataFromFile(log);
    EXPECT_EQ(reader.GetChannel(1)->Count(), 3);
    EXPECT_EQ(reader.GetChannel(1)->GetDataY(2), 22);
}

// ---- image lists

std::unique_ptr<TBitmap> Square(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    bitmap->SetTransparentColor(clFuchsia);
    return bitmap;
}

TEST_F(PlotFilesTest, SmallerImagesAreCentredOthersMustMatchOrBeLarger) {
    const auto first = Square(24, 24, clRed);
    plot_.ImageListAdd(0, first.get());
    struct TCase {
        int size;
        int offset;
    };
    for (const TCase& c : {TCase{16, 4}, TCase{15, 5}}) {
        const auto small = Square(c.size, c.size, clBlue);
        plot_.ImageListAdd(0, small.get());
        // The caller's bitmap becomes the centred picture.
        ASSERT_EQ(small->Width(), 24);
        EXPECT_EQ(small->PixelAt(c.offset, c.offset), ColorToRGB(clBlue)) << c.size;
        EXPECT_EQ(small->PixelAt(c.offset - 1, c.offset - 1), ColorToRGB(clFuchsia)) << c.size;
    }
    const auto large = Square(30, 30, clBlue);
    plot_.ImageListAdd(0, large.get());
    const auto mixed = Square(30, 20, clBlue);
    EXPECT_EQ(MessageOf([&] { plot_.ImageListAdd(0, mixed.get()); }),
              "Image Width and Height must be the same as other images, or both smaller, or both "
              "larger");
    EXPECT_EQ(plot_.GetImageList(0)->Count(), 4);
    EXPECT_EQ(MessageOf([&] { plot_.ImageListAdd(3, first.get()); }),
              "ImageList Index must be 0-2");
    EXPECT_EQ(MessageOf([&] { plot_.ImageListClear(-1); }), "ImageList Index must be 0-2");
    plot_.ImageListClear(0);
    EXPECT_EQ(plot_.GetImageList(0)->Count(), 0);
}

}  // namespace
}  // namespace dsp
