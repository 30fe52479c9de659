// The picture control, the rich-hint settings and the rich-text label: where pictures land,
// mouse enter and leave, the twips rectangle, and rich text laid out in a rectangle (checked by
// the boxes its ink covers).

#include <gtest/gtest.h>

#include <QEvent>
#include <Qt>

#include <memory>

#include "framework/desktop/Printers.h"
#include "framework/graphics/Bitmap.h"
#include "framework/text/Streams.h"
#include "framework/text/WholeFile.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/widgets/styled/SplashSamples.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/AdvHintInfo.h"
#include "widgets/styled/AdvOfficeImage.h"
#include "widgets/styled/RTFLabel.h"

namespace dsp {
namespace {

// A PNG of three bands from top to bottom: red rows [0, a), green rows [a, b), blue below.
std::vector<std::uint8_t> BandedPng(int width, int height, int a, int b) {
    TGPBitmap bitmap(width, height, PixelFormat32bppARGB);
    {
        TGPGraphics g(&bitmap);
        g.Clear(0xFF0000FF);
        TGPSolidBrush red(0xFFFF0000);
        TGPSolidBrush green(0xFF00FF00);
        g.FillRectangle(&red, 0.0f, 0.0f, static_cast<REAL>(width), static_cast<REAL>(a));
        g.FillRectangle(&green, 0.0f, static_cast<REAL>(a), static_cast<REAL>(width),
                        static_cast<REAL>(b - a));
    }
    IStream file;
    bitmap.Save(&file, EncoderPng);
    return file.data;
}

void LoadGdipPicture(TGDIPPicture& picture, const std::vector<std::uint8_t>& file) {
    TMemoryStream s;
    s.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
    picture.LoadFromStream(&s);
}

// The box covered by pixels that are not the background colour.
TRect InkBox(const TBitmap& b, const TRect& area, TColorRef background) {
    TRect box{area.Right, area.Bottom, area.Left, area.Top};
    bool any = false;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            if (b.PixelAt(x, y) == background) continue;
            any = true;
            box.Left = std::min(box.Left, x);
            box.Top = std::min(box.Top, y);
            box.Right = std::max(box.Right, x + 1);
            box.Bottom = std::max(box.Bottom, y + 1);
        }
    }
    return any ? box : TRect{};
}

// The box of pixels whose red channel clearly dominates (the red text of a sample).
TRect RedBox(const TBitmap& b, const TRect& area) {
    TRect box{area.Right, area.Bottom, area.Left, area.Top};
    bool any = false;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            const TColorRef c = b.PixelAt(x, y);
            if (GetRValue(c) < 150 || GetGValue(c) > 110 || GetBValue(c) > 110) continue;
            any = true;
            box.Left = std::min(box.Left, x);
            box.Top = std::min(box.Top, y);
            box.Right = std::max(box.Right, x + 1);
            box.Bottom = std::max(box.Bottom, y + 1);
        }
    }
    return any ? box : TRect{};
}

// ---- the picture control

TEST(OfficeImageTest, ACentredPictureTallerThanTheControlIsCutOnBothSides) {
    auto form = test::MakeForm(630, 70, clWhite);
    auto* image = test::Place(new TAdvOfficeImage(form.get()), form.get(), 0, 0, 630, 70);
    // 113 rows: red [0, 21), green [21, 92), blue [92, 113); centred at (0, -21) only the green
    // rows show.
    LoadGdipPicture(*image->Picture(), BandedPng(630, 113, 21, 92));
    std::unique_ptr<TBitmap> shown = form->RenderToImage();
    EXPECT_EQ(shown->PixelAt(10, 0), static_cast<TColorRef>(RGB(0, 255, 0)));
    EXPECT_EQ(shown->PixelAt(10, 69), static_cast<TColorRef>(RGB(0, 255, 0)));
    // Stretched, the whole picture is squeezed into the control.
    image->SetStretch(true);
    shown = form->RenderToImage();
    EXPECT_EQ(shown->PixelAt(10, 0), static_cast<TColorRef>(RGB(255, 0, 0)));
    EXPECT_EQ(shown->PixelAt(10, 69), static_cast<TColorRef>(RGB(0, 0, 255)));
    // Not centred: from the top-left corner.
    image->SetStretch(false);
    image->SetCenter(false);
    shown = form->RenderToImage();
    EXPECT_EQ(shown->PixelAt(10, 0), static_cast<TColorRef>(RGB(255, 0, 0)));
    EXPECT_EQ(shown->PixelAt(10, 30), static_cast<TColorRef>(RGB(0, 255, 0)));
    EXPECT_EQ(image->Version(), "1.1.0.0");
}

TEST(OfficeImageTest, TheMouseEntersAndLeavesOnceEach) {
    auto form = test::MakeForm(200, 100, clWhite);
    auto* image = test::Place(new TAdvOfficeImage(form.get()), form.get(), 20, 20, 50, 40);
    std::vector<std::string> log;
    image->OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
    image->OnMouseLeave = [&](TObject*) { log.push_back("leave"); };
    test::ShowAndPaint(*form);
    test::SendMouse(*form, QEvent::MouseMove, 5, 5, Qt::NoButton, Qt::NoButton);
    test::SendMouse(*form, QEvent::MouseMove, 30, 30, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(image->MouseInControl());
    test::SendMouse(*form, QEvent::MouseMove, 40, 35, Qt::NoButton, Qt::NoButton);
    test::SendMouse(*form, QEvent::MouseMove, 150, 80, Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(image->MouseInControl());
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
}

TEST(HintInfoTest, APictureAloneLeavesTheHintEmptyAndCopiesTakeEverything) {
    TAdvHintInfo hint;
    LoadGdipPicture(*hint.Picture(), test::PngFile(4, 4, 0xFF00FF00));
    EXPECT_TRUE(hint.IsEmpty());
    hint.Notes()->Add("a note");
    EXPECT_FALSE(hint.IsEmpty());
    hint.SetTitle("Title");
    hint.SetShowHelp(true);
    TAdvHintInfo copy;
    copy.Assign(&hint);
    EXPECT_EQ(copy.Title(), "Title");
    EXPECT_EQ(copy.Notes()->Text(), hint.Notes()->Text());
    EXPECT_TRUE(copy.ShowHelp());
    EXPECT_FALSE(copy.Picture()->Empty());
}

// ---- rich text

TEST(RtfLayoutTest, TheTwipsRectangleKeepsAOnePixelMargin) {
    EXPECT_EQ(RtfTwipsRect(Rect(0, 0, 630, 1400), 96, 96), Rect(15, 15, 9450, 21000));
    EXPECT_EQ(RtfTwipsRect(Rect(0, 0, 630, 1400), 0, 0), Rect(15, 15, 9450, 21000));
    EXPECT_EQ(RtfTwipsRect(Rect(10, 20, 110, 70), 192, 96), Rect(82, 315, 82 + 742, 315 + 735));
}

// Renders rich text into a white bitmap w x h through the label's rectangle arithmetic.
std::unique_ptr<TBitmap> Render(const std::string& rtf, int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(clWhite);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    RenderRtf(*b->Canvas(), ReadRtf(rtf), RtfTwipsRect(Rect(0, 0, w, h), 96, 96), 96, 96);
    return b;
}

constexpr TColorRef kWhite = RGB(255, 255, 255);

TEST(RtfLayoutTest, AlignmentTabsAndSizesPlaceTheText) {
    const std::string colours = "{\\colortbl ;\\red255\\green0\\blue0;}";
    // A centred red title.
    auto centred = Render("{\\rtf1" + colours + "\\qc\\cf1\\fs40 Title\\par}", 400, 100);
    const TRect title = RedBox(*centred, Rect(0, 0, 400, 100));
    ASSERT_FALSE(IsRectEmpty(title));
    EXPECT_NEAR((title.Left + title.Right) / 2, 200, 4);
    EXPECT_LT(title.Top, 12);
    // Right-aligned text ends at the rectangle's right edge.
    auto right = Render("{\\rtf1" + colours + "\\qr\\cf1 End\\par}", 400, 100);
    EXPECT_NEAR(RedBox(*right, Rect(0, 0, 400, 100)).Right, 400, 4);
    // After a tab the text starts at the first half inch (48 pixels) from the left margin.
    auto tabbed = Render("{\\rtf1" + colours + "ab\\tab\\cf1 X\\par}", 400, 100);
    EXPECT_NEAR(RedBox(*tabbed, Rect(0, 0, 400, 100)).Left, 1 + 48, 3);
    // A tab stop of its own (2000 twips: 133 pixels) before the half-inch ones.
    auto stop = Render("{\\rtf1" + colours + "\\tx2000 ab\\tab\\cf1 X\\par}", 400, 100);
    EXPECT_NEAR(RedBox(*stop, Rect(0, 0, 400, 100)).Left, 1 + 133, 3);
    // A left indent of 720 twips moves the paragraph by half an inch.
    auto indented = Render("{\\rtf1" + colours + "\\li720\\cf1 X\\par}", 400, 100);
    EXPECT_NEAR(RedBox(*indented, Rect(0, 0, 400, 100)).Left, 1 + 48, 3);
    // Bigger text is taller: 40 half points against 16.
    auto small = Render("{\\rtf1" + colours + "\\cf1\\fs16 H\\par}", 400, 100);
    auto big = Render("{\\rtf1" + colours + "\\cf1\\fs40 H\\par}", 400, 100);
    EXPECT_GT(RedBox(*big, Rect(0, 0, 400, 100)).Height(),
              2 * RedBox(*small, Rect(0, 0, 400, 100)).Height());
}

TEST(RtfLayoutTest, ParagraphsWrapInsideTheRectangleAndFollowEachOther) {
    std::string words;
    for (int i = 0; i < 40; ++i) words += "word" + std::to_string(i) + " ";
    auto b = Render("{\\rtf1 " + words + "\\par\\fs40 Second\\par}", 200, 400);
    const TRect ink = InkBox(*b, Rect(0, 0, 200, 400), kWhite);
    EXPECT_GE(ink.Left, 1);
    EXPECT_LE(ink.Right, 200);
    EXPECT_GT(ink.Height(), 100) << "forty words take many lines of 200 pixels";
    // Chinese text breaks between characters.
    auto chinese =
        Render(std::string("{\\rtf1\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 ") +
                   "\\'d6\\'d0\\'ce\\'c4\\'d6\\'d0\\'ce\\'c4\\'d6\\'d0\\'ce\\'c4"
                   "\\'d6\\'d0\\'ce\\'c4\\'d6\\'d0\\'ce\\'c4\\'d6\\'d0\\'ce\\'c4\\par}",
               100, 200);
    const TRect cjk = InkBox(*chinese, Rect(0, 0, 100, 200), kWhite);
    EXPECT_LE(cjk.Right, 100);
    EXPECT_GT(cjk.Height(), 30);
    // Lines that would reach below the rectangle are left out.
    auto cut = Render("{\\rtf1 first\\par second\\par third\\par}", 200, 30);
    const TRect shown = InkBox(*cut, Rect(0, 0, 200, 30), kWhite);
    EXPECT_LT(shown.Bottom, 30);
    auto all = Render("{\\rtf1 first\\par second\\par third\\par}", 200, 100);
    EXPECT_GT(InkBox(*all, Rect(0, 0, 200, 100), kWhite).Bottom, shown.Bottom + 10);
}

TEST(RtfLabelTest, ATransparentLabelShowsItsParentAroundTheText) {
    auto form = test::MakeForm(300, 100, clWindow);
    auto* label = test::Place(new TRTFLabel(form.get()), form.get(), 10, 10, 280, 80);
    label->SetTransparent(true);
    label->SetRichText("{\\rtf1 Some text\\par}");
    std::unique_ptr<TBitmap> shown = form->RenderToImage();
    const TColorRef window = static_cast<TColorRef>(ColorToRGB(clWindow));
    EXPECT_EQ(shown->PixelAt(250, 70), window);
    const TRect ink = InkBox(*shown, Rect(0, 0, 300, 100), window);
    EXPECT_GE(ink.Left, 11);
    EXPECT_GE(ink.Top, 11);
    // Not transparent: the label's own colour.
    label->SetTransparent(false);
    label->SetColor(clYellow);
    shown = form->RenderToImage();
    EXPECT_EQ(shown->PixelAt(250, 70), static_cast<TColorRef>(RGB(255, 255, 0)));
}

TEST(RtfLabelTest, UpdatesShowTheBufferOnlyAtTheOutermostEnd) {
    TRTFLabel orphan(nullptr);
    EXPECT_EQ(orphan.RTF(), nullptr) << "no parent, no buffer";

    auto form = test::MakeForm(300, 100, clWindow);
    auto* label = test::Place(new TRTFLabel(form.get()), form.get(), 0, 0, 300, 100);
    label->SetRichText("{\\rtf1 old}");
    TRichTextBuffer* buffer = label->RTF();
    ASSERT_NE(buffer, nullptr);
    EXPECT_TRUE(buffer->Bytes().empty()) << "cleared for the caller to fill";
    label->BeginUpdate();
    label->BeginUpdate();
    buffer->SetBytes("{\\rtf1 new}");
    label->EndUpdate();
    EXPECT_EQ(label->RichText(), "{\\rtf1 old}");
    label->EndUpdate();
    EXPECT_EQ(label->RichText(), "{\\rtf1 new}");
    label->EndUpdate();  // unmatched: nothing
    EXPECT_EQ(label->RichText(), "{\\rtf1 new}");
}

TEST(RtfLabelTest, ADocumentLoadedIntoTheBufferComesBackByteForByteAndShows) {
    test::TTempFolder folder;
    const std::string page = test::SampleRtfPage();
    const std::string file = folder.Path() + "/page.rtf";
    ASSERT_TRUE(WriteWholeFile(file, std::vector<std::uint8_t>(page.begin(), page.end())));
    auto form = test::MakeForm(660, 600, clWindow);
    auto* label = test::Place(new TRTFLabel(form.get()), form.get(), 15, 10, 630, 580);
    label->SetTransparent(true);
    label->RTF()->LoadFromFile(file);
    label->ShowRTF();
    EXPECT_EQ(label->RichText(), page);
    const std::unique_ptr<TBitmap> shown = form->RenderToImage();
    const TColorRef window = static_cast<TColorRef>(ColorToRGB(clWindow));
    const TRect ink = InkBox(*shown, Rect(0, 0, 660, 600), window);
    EXPECT_GE(ink.Left, 16);
    EXPECT_LE(ink.Right, 645);
    EXPECT_GT(ink.Height(), 250);
    // The same through PaintTo on another canvas.
    TBitmap copy(630, 580);
    copy.Canvas()->Brush()->SetColor(clWindow);
    copy.Canvas()->FillRect(Rect(0, 0, 630, 580));
    label->PaintTo(*copy.Canvas());
    EXPECT_EQ(InkBox(copy, Rect(0, 0, 630, 580), window).Top, ink.Top - 10);
}

TEST(RtfLabelTest, PrintingWritesTheDocumentPageAfterPage) {
    test::TTempFolder folder;
    auto form = test::MakeForm(300, 100, clWindow);
    auto* label = test::Place(new TRTFLabel(form.get()), form.get(), 0, 0, 300, 100);
    std::string long_document = "{\\rtf1\\fs40 ";
    for (int i = 0; i < 120; ++i) long_document += "Line " + std::to_string(i) + "\\par ";
    label->SetRichText(long_document + "}");
    TPrinter& printer = *Printer();
    printer.SetPrinterIndex(printer.Printers()->IndexOf(kPdfPrinterName));
    printer.SetFileName(folder.File("document.pdf"));
    label->Print("Code document");
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Title(), "Code document");
    const auto pdf = ReadWholeFile(folder.File("document.pdf"));
    ASSERT_TRUE(pdf.has_value());
    EXPECT_EQ(pdf->substr(0, 5), "%PDF-");
    // 120 lines of 20 points do not fit one page.
    std::size_t pages = 0;
    for (std::size_t at = pdf->find("/Type /Page"); at != std::string::npos;
         at = pdf->find("/Type /Page", at + 1)) {
        if (pdf->compare(at, 12, "/Type /Pages") != 0) ++pages;
    }
    EXPECT_GE(pages, 2u);
    printer.SetFileName("");
}

}  // namespace
}  // namespace dsp
