#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "framework/desktop/Metafile.h"
#include "framework/desktop/PrintDialog.h"
#include "framework/desktop/Printers.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "framework/graphics/Canvas.h"
#include "framework/text/FileNames.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

// The PDF printer as it is at the start: A4 portrait, 300 pixels per inch, no margin.
class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        TPrinter& p = *Printer();
        if (p.Printing()) p.Abort();
        pdf_ = p.Printers()->IndexOf(kPdfPrinterName);
        ASSERT_GE(pdf_, 0);
        p.SetPrinterIndex(pdf_);
        p.SetOrientation(poPortrait);
        p.SetPaperSize(DMPAPER_A4);
        p.SetPdfResolution(300);
        p.SetPdfMargin(0);
        p.SetCopies(1);
        p.SetFileName("");
        p.SetTitle("Plot");
    }
    void TearDown() override {
        if (Printer()->Printing()) Printer()->Abort();
        Printer()->SetFileName("");
    }

    static std::string ReadFile(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The page objects of a PDF: "/Type /Page", not "/Type /Pages".
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

    test::TTempFolder folder_;
    int pdf_ = -1;
};

TEST_F(PrinterTest, PageGeometryFollowsPaperOrientationResolutionAndMargin) {
    struct Case {
        int paper;
        TPrinterOrientation orientation;
        int resolution;
        double margin;
        int pageWidth, pageHeight, paperWidth, paperHeight, offset;
    };
    const Case cases[] = {
        {DMPAPER_A4, poPortrait, 300, 0, 2480, 3508, 2480, 3508, 0},
        {DMPAPER_A4, poLandscape, 300, 0, 3508, 2480, 3508, 2480, 0},
        {DMPAPER_LETTER, poPortrait, 300, 0, 2550, 3300, 2550, 3300, 0},
        {DMPAPER_LETTER, poPortrait, 300, 0.25, 2400, 3150, 2550, 3300, 75},
        {DMPAPER_LEGAL, poLandscape, 100, 0.5, 1300, 750, 1400, 850, 50},
        {DMPAPER_A5, poPortrait, 72, 0, 420, 595, 420, 595, 0},
    };
    TPrinter& p = *Printer();
    for (const Case& c : cases) {
        p.SetPaperSize(c.paper);
        p.SetOrientation(c.orientation);
        p.SetPdfResolution(c.resolution);
        p.SetPdfMargin(c.margin);
        EXPECT_EQ(p.PaperSize(), c.paper);
        EXPECT_EQ(p.DeviceCaps(LOGPIXELSX), c.resolution);
        EXPECT_EQ(p.DeviceCaps(LOGPIXELSY), c.resolution);
        EXPECT_EQ(p.PageWidth(), c.pageWidth) << c.paper << " " << c.orientation;
        EXPECT_EQ(p.PageHeight(), c.pageHeight) << c.paper << " " << c.orientation;
        EXPECT_EQ(p.DeviceCaps(HORZRES), c.pageWidth);
        EXPECT_EQ(p.DeviceCaps(PHYSICALWIDTH), c.paperWidth);
        EXPECT_EQ(p.DeviceCaps(PHYSICALHEIGHT), c.paperHeight);
        EXPECT_EQ(p.DeviceCaps(PHYSICALOFFSETX), c.offset);
        EXPECT_EQ(p.DeviceCaps(PHYSICALOFFSETY), c.offset);
    }
}

TEST_F(PrinterTest, TheDeviceModeTellsTheSettingsAndUnknownPaperIsRefused) {
    TPrinter& p = *Printer();
    p.SetPaperSize(DMPAPER_A5);
    p.SetOrientation(poLandscape);
    p.SetCopies(3);
    TDeviceMode mode;
    ASSERT_TRUE(p.GetDeviceMode(mode));
    EXPECT_EQ(mode.deviceName, kPdfPrinterName);
    EXPECT_EQ(mode.paperSize, DMPAPER_A5);
    EXPECT_EQ(mode.orientation, poLandscape);
    EXPECT_EQ(mode.copies, 3);
    EXPECT_THROW(p.SetPaperSize(30000), EPrinter);
    EXPECT_EQ(p.PaperSize(), DMPAPER_A5);
    EXPECT_THROW(p.SetPrinterIndex(p.Printers()->Count()), EPrinter);
    EXPECT_THROW(p.SetPrinterIndex(-2), EPrinter);
    EXPECT_TRUE(p.IsPdfPrinter());
}

TEST_F(PrinterTest, AJobWritesEveryPageIntoThePdfFile) {
    TPrinter& p = *Printer();
    const std::string file = folder_.File("plot.pdf");
    p.SetFileName(file);
    p.SetPdfMargin(0.25);
    EXPECT_EQ(p.PageNumber(), 0);
    p.BeginDoc();
    ASSERT_TRUE(p.Printing());
    EXPECT_EQ(p.PageNumber(), 1);
    TCanvas& c = *p.Canvas();
    EXPECT_EQ(c.DeviceCaps(LOGPIXELSX), 300);
    EXPECT_EQ(c.DeviceCaps(HORZRES), p.PageWidth());
    c.Font()->SetSize(10);
    EXPECT_EQ(c.Font()->Height(), -42) << "points on the page are points on paper";
    c.Brush()->SetColor(clRed);
    c.FillRect(Rect(100, 100, 400, 300));
    EXPECT_EQ(c.Pixels(150, 150), clRed);
    EXPECT_THROW(p.SetOrientation(poLandscape), EPrinter);
    EXPECT_THROW(p.BeginDoc(), EPrinter);
    p.NewPage();
    EXPECT_EQ(p.PageNumber(), 2);
    EXPECT_EQ(c.Pixels(150, 150), clWhite);  // a fresh page
    c.TextOut(100, 100, "Page 2");
    p.NewPage();
    p.EndDoc();
    EXPECT_FALSE(p.Printing());
    EXPECT_FALSE(p.Aborted());
    EXPECT_THROW(p.EndDoc(), EPrinter);
    EXPECT_THROW(p.NewPage(), EPrinter);

    const std::string text = ReadFile(file);
    ASSERT_EQ(text.substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPages(text), 3);
}

TEST_F(PrinterTest, AnAbortedJobLeavesNoFile) {
    TPrinter& p = *Printer();
    const std::string file = folder_.File("aborted.pdf");
    p.SetFileName(file);
    p.BeginDoc();
    p.Canvas()->Rectangle(10, 10, 50, 50);
    p.Abort();
    EXPECT_FALSE(p.Printing());
    EXPECT_TRUE(p.Aborted());
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(p.Canvas()->HandleAllocated());
    p.BeginDoc();
    EXPECT_FALSE(p.Aborted());
    p.EndDoc();
    EXPECT_TRUE(FileExists(file));
}

TEST_F(PrinterTest, WithoutAFileNameTheJobAsksWhereToWrite) {
    TPrinter& p = *Printer();
    TScriptedDialogs dialogs;
    dialogs.AnswerFile(folder_.File("asked"));
    p.BeginDoc();
    p.EndDoc();
    EXPECT_TRUE(FileExists(folder_.File("asked.pdf")));
    ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs()[0].kind, fdSave);
    EXPECT_EQ(dialogs.FileDialogs()[0].fileName, "Plot");

    // Cancelled, the job runs on quietly and writes nothing.
    dialogs.Cancel();
    p.BeginDoc();
    EXPECT_TRUE(p.Printing());
    EXPECT_TRUE(p.Aborted());
    p.Canvas()->FillRect(Rect(0, 0, 10, 10));
    p.NewPage();
    p.EndDoc();
    EXPECT_FALSE(p.Printing());
}

TEST_F(PrinterTest, AFileThatCannotBeWrittenFailsTheJobAtItsStart) {
    TPrinter& p = *Printer();
    p.SetFileName(folder_.File("no/such/folder/plot.pdf"));
    EXPECT_THROW(p.BeginDoc(), EPrinter);
    EXPECT_FALSE(p.Printing());
}

TEST_F(PrinterTest, AMetafilePlayedIntoThePagePrintsAtThePrintersResolution) {
    TMetafile snapshot;
    snapshot.SetSize(200, 100);
    {
        TMetafileCanvas canvas(&snapshot);
        canvas.Brush()->SetColor(clBlue);
        canvas.FillRect(Rect(50, 25, 150, 75));
        canvas.Pen()->SetColor(clRed);
        canvas.MoveTo(0, 99);
        canvas.LineTo(200, 99);
    }
    TPrinter& p = *Printer();
    p.SetFileName(folder_.File("snapshot.pdf"));
    p.BeginDoc();
    // One inch in from the paper's corner, eight inches wide.
    const int ppi = p.DeviceCaps(LOGPIXELSX);
    const TRect page = Rect(ppi, ppi, 9 * ppi, 5 * ppi);
    p.Canvas()->StretchDraw(page, &snapshot);
    EXPECT_EQ(p.Canvas()->Pixels(300 + 600, 300 + 300), clBlue);
    EXPECT_EQ(p.Canvas()->Pixels(300 + 599, 300 + 299), clWhite);
    EXPECT_EQ(p.Canvas()->Pixels(300 + 1799, 300 + 899), clBlue);
    EXPECT_EQ(p.Canvas()->Pixels(300 + 1800, 300 + 900), clWhite);
    // The one-pixel pen is twelve printer pixels thick at twelve times the size.
    int red = 0;
    for (int y = 1280; y < 1500; ++y) red += p.Canvas()->Pixels(1000, y) == clRed;
    EXPECT_EQ(red, 12);
    p.EndDoc();
}

TEST_F(PrinterTest, ThePrintDialogSetsThePrinterWhenConfirmed) {
    TScriptedDialogs dialogs;
    TPrintDialog dialog(nullptr);
    dialog.SetCopies(2);
    Printer()->SetOrientation(poLandscape);
    dialogs.AnswerPrint(pdf_, poPortrait, 4, folder_.File("chosen.pdf"));
    ASSERT_TRUE(dialog.Execute());
    const TPrintDialogRequest& asked = dialogs.PrintDialogs().at(0);
    EXPECT_EQ(asked.printerIndex, pdf_);
    EXPECT_EQ(asked.orientation, poLandscape);
    EXPECT_EQ(asked.copies, 2);
    EXPECT_EQ(asked.printers.at(static_cast<std::size_t>(pdf_)), kPdfPrinterName);
    EXPECT_EQ(Printer()->Orientation(), poPortrait);
    EXPECT_EQ(Printer()->Copies(), 4);
    EXPECT_EQ(dialog.Copies(), 4);
    EXPECT_EQ(Printer()->FileName(), folder_.File("chosen.pdf"));

    dialogs.Cancel();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(Printer()->Orientation(), poPortrait);
    EXPECT_EQ(Printer()->Copies(), 4);
}

}  // namespace
}  // namespace dsp
