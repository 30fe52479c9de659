// The plot out of the window: the clipboard in its three formats, the snapshot, image files
// chosen by extension, and printing on the PDF printer page by page along X axis 0.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/desktop/Clipboard.h"
#include "framework/desktop/Metafile.h"
#include "framework/desktop/Printers.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/PngImage.h"
#include "framework/text/FileNames.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotDecorServices.h"
#include "plot/engine/iPlotToolBar.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

// Decor services that answer the save dialog as the test says and note what was asked.
class TFakeDecor : public IPlotDecorServices {
public:
    TFakeDecor() : previous_(SetPlotDecorServices(this)) {}
    ~TFakeDecor() { SetPlotDecorServices(previous_); }
    TFakeDecor(const TFakeDecor&) = delete;
    TFakeDecor& operator=(const TFakeDecor&) = delete;

    void EditProperties(TiPlotMasterManager*) override { ++edits; }
    void EditObject(TiPlotMasterManager*, TiPlotObject*) override { ++edits; }
    bool ExecuteSaveImageDialog(TiPlotComponent*, const std::string& defaultDir, int& filterIndex,
                                std::string& fileName) override {
        askedDir = defaultDir;
        askedFilter = filterIndex;
        if (answer.empty()) return false;
        fileName = answer;
        filterIndex = answerFilter;
        return true;
    }
    void PreviewChart(TiPlotComponent*) override { ++previews; }

    std::string answer;
    int answerFilter = 1;
    std::string askedDir;
    int askedFilter = 0;
    int edits = 0;
    int previews = 0;

private:
    IPlotDecorServices* previous_;
};

std::vector<std::uint8_t> Head(const std::string& fileName, std::size_t count) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(fileName);
    bytes.resize(std::min(bytes.size(), count));
    return bytes;
}

class PlotOutTest : public ::testing::Test {
protected:
    PlotOutTest() { plot_.SetBounds(0, 0, 300, 200); }
    // The plot_ painted as the clipboard copy paints it: toolbars hidden.
    std::unique_ptr<TBitmap> WithoutToolBars() {
        plot_.Master()->ShowToolBars(false);
        auto bitmap = std::make_unique<TBitmap>(plot_.Width(), plot_.Height());
        plot_.PaintToCanvas(bitmap->Canvas());
        plot_.Master()->ShowToolBars(true);
        return bitmap;
    }
    test::TAxesPlot plot_{nullptr};
    test::TTempFolder folder_;
};

TEST_F(PlotOutTest, ClipboardCopyLeavesOutTheToolbarsAndShowsThemAsToolbarZeroWas) {
    const auto expected = WithoutToolBars();
    plot_.AddToolBar();
    plot_.SetCopyToClipBoardFormat(ipefBitmap);
    plot_.CopyToClipBoard();
    TBitmap copied;
    copied.Assign(Clipboard());
    ASSERT_EQ(copied.Width(), 300);
    for (int y = 0; y < 200; y += 7) {
        for (int x = 0; x < 300; x += 7) {
            ASSERT_EQ(copied.PixelAt(x, y), expected->PixelAt(x, y)) << x << "," << y;
        }
    }
    EXPECT_TRUE(plot_.GetToolBar(0)->Visible());
    EXPECT_TRUE(plot_.GetToolBar(1)->Visible());
    EXPECT_FALSE(plot_.GetUpdateActive()) << "the batch is closed";

    plot_.GetToolBar(0)->SetVisible(false);
    plot_.CopyToClipBoard();
    EXPECT_FALSE(plot_.GetToolBar(1)->Visible()) << "all toolbars take toolbar 0's state";
}

TEST_F(PlotOutTest, ClipboardHoldsAVectorPictureOrAJpegAsAsked) {
    plot_.SetCopyToClipBoardFormat(ipefMetaFile);
    plot_.CopyToClipBoard();
    EXPECT_TRUE(Clipboard()->HasFormat(CF_ENHMETAFILE));
    TMetafile metafile;
    metafile.Assign(Clipboard());
    EXPECT_EQ(metafile.Width(), 300);
    EXPECT_EQ(metafile.Description(), "Strip Chart");
    EXPECT_GT(metafile.RecordCount(), 10);

    plot_.SetCopyToClipBoardFormat(ipefJPEG);
    plot_.CopyToClipBoard();
    TPicture picture;
    picture.Assign(Clipboard());
    ASSERT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 300);

    TPicture* snapshot = plot_.GetSnapShotPicture();
    auto* snapshotMetafile = dynamic_cast<TMetafile*>(snapshot->Graphic());
    ASSERT_NE(snapshotMetafile, nullptr);
    EXPECT_EQ(snapshotMetafile->Description(), "iPlot");
    EXPECT_EQ(snapshot, plot_.GetSnapShotPicture()) << "the plot_ keeps one";
}

TEST_F(PlotOutTest, SavedImageTakesTheFormatOfItsExtensionInAnyCaseElseTheFilters) {
    TFakeDecor decor;
    plot_.SetDefaultSaveImageDirectory("/pictures");
    plot_.SetDefaultSaveImageFormat(ipifJPEG);
    const std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G'};
    const std::vector<std::uint8_t> jpeg{0xFF, 0xD8};
    const std::vector<std::uint8_t> bmp{'B', 'M'};
    const std::vector<std::uint8_t> emf{'D', 'S', 'P', 'M'};
    struct Case {
        const char* name;
        int filter;
        const std::vector<std::uint8_t>* head;
    };
    const Case cases[] = {
        {"PLOT.PNG", 1, &png}, {"a.Bmp", 4, &bmp},  {"b.emf", 1, &emf},
        {"c.jpg", 1, &jpeg},   {"d.xyz", 3, &jpeg}, {"e.picture", 4, &png},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        decor.answer = folder_.File(c.name);
        decor.answerFilter = c.filter;
        plot_.Save();
        EXPECT_EQ(Head(decor.answer, c.head->size()), *c.head);
    }
    EXPECT_EQ(decor.askedDir, "/pictures");
    EXPECT_EQ(decor.askedFilter, 3) << "the dialog starts on the default format";
    decor.answer.clear();
    plot_.Save();
    EXPECT_EQ(FileExists(folder_.File("untitled")), false);
}

TEST_F(PlotOutTest, ToolbarButtonsReachTheEditorCopySavePrintAndPreview) {
    TFakeDecor decor;
    plot_.SetCopyToClipBoardFormat(ipefBitmap);
    Clipboard()->Clear();
    std::vector<std::string> events;
    plot_.OnToolBarButtonClick = [&](int, TiPlotToolBarButtonType type) {
        events.push_back("after " + std::to_string(type));
    };
    TiPlotToolBar* bar = plot_.GetToolBar(0);
    bar->DoButtonClickEdit();
    EXPECT_EQ(decor.edits, 1);
    EXPECT_TRUE(events.empty()) << "the editor raises no after-event";
    bar->DoButtonClickCopy();
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    bar->DoButtonClickPreview();
    EXPECT_EQ(decor.previews, 1);
    plot_.OnBeforeToolBarButtonClick = [](int, TiPlotToolBarButtonType, bool& cancel) {
        cancel = true;
    };
    bar->DoButtonClickPreview();
    EXPECT_EQ(decor.previews, 1) << "cancelled before";
    EXPECT_EQ(events.size(), 2u);
}

// ---- printing

class PlotPrintTest : public PlotOutTest {
protected:
    void SetUp() override {
        TPrinter& p = *Printer();
        if (p.Printing()) p.Abort();
        p.SetPrinterIndex(p.Printers()->IndexOf(kPdfPrinterName));
        p.SetPaperSize(DMPAPER_A4);
        p.SetPdfResolution(72);
        p.SetPdfMargin(0);
        p.SetFileName(folder_.File("plot_.pdf"));
        plot_.SetPrintShowDialog(false);
        plot_.GetXAxis(0)->SetMinSpan(0, 10);
    }
    void TearDown() override {
        if (Printer()->Printing()) Printer()->Abort();
        Printer()->SetFileName("");
    }
    std::string Pdf() {
        std::ifstream in(folder_.File("plot_.pdf"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static int PdfPages(const std::string& pdfText) {
        int pages = 0;
        for (auto at = pdfText.find("/Type"); at != std::string::npos;
             at = pdfText.find("/Type", at + 1)) {
            auto p = pdfText.find_first_not_of(" \r\n", at + 5);
            if (p != std::string::npos && pdfText.compare(p, 5, "/Page") == 0 &&
                (p + 5 >= pdfText.size() || pdfText[p + 5] != 's'))
                ++pages;
        }
        return pages;
    }
};

TEST_F(PlotPrintTest, PrintsOnePageOfTheSpanAndPutsTheSettingsBack) {
    std::vector<std::string> events;
    plot_.OnBeforePrint = [&](TObject*) {
        events.push_back("before");
        EXPECT_FALSE(plot_.GetToolBar(0)->Visible()) << "printed without toolbars";
    };
    plot_.OnBeforePrintPage = [&](int page, bool last) {
        events.push_back("page " + std::to_string(page) + (last ? " last" : ""));
    };
    plot_.OnAfterPrint = [&](TObject*) { events.push_back("after"); };
    plot_.PrintChart();
    EXPECT_EQ(events, (std::vector<std::string>{"before", "page 1 last", "after"}));
    const std::string pdf = Pdf();
    ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_TRUE(plot_.GetToolBar(0)->Visible());
    EXPECT_EQ(Printer()->Orientation(), poLandscape) << "the plot_'s orientation";
    EXPECT_EQ(Printer()->Title(), "Untitled");
    EXPECT_NEAR(plot_.PrinterPaperWidthInches(), 297 / 25.4, 1e-9) << "A4 turned";
    EXPECT_EQ(plot_.PrinterPaperWidthPixels(), 842);
    EXPECT_FALSE(plot_.GetUpdateActive());
}

TEST_F(PlotPrintTest, AHalvedSpanPrintsTwoPagesAndEverythingComesBack) {
    plot_.SetOuterMarginLeft(9);
    std::vector<std::pair<int, bool>> pages;
    std::vector<double> mins;
    plot_.OnBeforePrint = [&](TObject*) {
        plot_.GetXAxis(0)->SetSpan(5);
        plot_.SetOuterMarginLeft(0);
        plot_.SetBounds(0, 0, 600, 100);
    };
    plot_.OnBeforePrintPage = [&](int page, bool last) {
        pages.emplace_back(page, last);
        mins.push_back(plot_.GetXAxis(0)->Min());
    };
    plot_.PrintChart();
    EXPECT_EQ(pages, (std::vector<std::pair<int, bool>>{{1, false}, {2, true}}));
    EXPECT_EQ(mins, (std::vector<double>{0, 5}));
    EXPECT_EQ(PdfPages(Pdf()), 2);
    EXPECT_EQ(plot_.GetXAxis(0)->Min(), 0);
    EXPECT_EQ(plot_.GetXAxis(0)->Span(), 10);
    EXPECT_EQ(plot_.Width(), 300);
    EXPECT_EQ(plot_.Height(), 200);
    EXPECT_EQ(plot_.OuterMarginLeft(), 9);
}

TEST_F(PlotPrintTest, ACancelledDialogPrintsNothingAndAFailureSaysSo) {
    TScriptedDialogs dialogs;
    plot_.SetPrintShowDialog(true);
    int events = 0;
    plot_.OnBeforePrint = [&](TObject*) { ++events; };
    dialogs.Cancel();
    plot_.PrintChart();
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(FileExists(folder_.File("plot_.pdf")));

    plot_.SetPrintShowDialog(false);
    plot_.OnBeforePrint = [&](TObject*) {
        plot_.GetXAxis(0)->SetSpan(3);
        throw Exception("paper jam");
    };
    try {
        plot_.PrintChart();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Error Printing : paper jam");
    }
    EXPECT_FALSE(Printer()->Printing()) << "the job is ended";
    EXPECT_EQ(plot_.GetXAxis(0)->Span(), 10);
    EXPECT_TRUE(plot_.GetToolBar(0)->Visible());
    EXPECT_FALSE(plot_.GetUpdateActive());
}

TEST_F(PlotPrintTest, SizeToFillPageFollowsThePaperOfTheLastPrint) {
    plot_.PrintChart();  // A4 landscape
    plot_.PrintSizeToFillPage();
    EXPECT_EQ(plot_.Height(), static_cast<int>(300 * 210.0 / 297.0));
}

}  // namespace
}  // namespace dsp
