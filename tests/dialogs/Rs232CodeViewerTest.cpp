// The RS232 code viewers: the column's place as the window widens, scrolling by keys and wheel,
// the size a closed viewer takes back, and the documents' layout: each section of text below
// its picture and above the next one, nothing of the text under a picture. Both documents are
// kept as whole-page pictures in build/artifacts/dialogs.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialogs/FRs232Code.h"
#include "dialogs/FRs232CodeDoc.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/ScrollingWinControl.h"
#include "framework/graphics/Bitmap.h"
#include "model/Lcmd.h"
#include "tests/dialogs/FakeChannelWindow.h"
#include "widgets/styled/AdvOfficeImage.h"
#include "widgets/styled/RTFLabel.h"

namespace dsp::test {
namespace {

template <typename T>
std::unique_ptr<T> MakeViewer() {
    auto form = std::make_unique<T>(nullptr);
    form->AfterConstruction();
    return form;
}

TEST(Rs232CodeViewer, TheColumnStaysAtFiftyUntilTheWindowIsWideThenCentres) {
    for (const auto& [width, left] : {std::pair{700, 50}, std::pair{749, 50}, std::pair{750, 50},
                                      std::pair{850, 100}, std::pair{1000, 175}}) {
        EXPECT_EQ(TRs232CodeViewer::ColumnLeft(width), left) << width;
    }
    auto viewer = MakeViewer<TfmRs232CodeEnglish>();
    viewer->Show();
    viewer->SetWidth(850);
    EXPECT_EQ(viewer->RTFLabel->Left(), 100);
    for (TAdvOfficeImage* image : viewer->AdvOfficeImage) EXPECT_EQ(image->Left(), 100);
    viewer->SetWidth(700);
    EXPECT_EQ(viewer->RTFLabel->Left(), 50);
    EXPECT_EQ(viewer->AdvOfficeImage[9]->Left(), 50);
}

TEST(Rs232CodeViewer, KeysAndWheelScrollByStepsAndPagesWithinTheRange) {
    auto viewer = MakeViewer<TfmRs232Code>();
    viewer->Show();
    TControlScrollBar& vertical = *viewer->VertScrollBar();
    auto key = [&](TKeyCode code) {
        TKeyCode k = code;
        viewer->OnKeyDown(viewer.get(), k, {});
        return vertical.Position();
    };
    auto wheel = [&](bool down) {
        bool handled = false;
        if (down) {
            viewer->OnMouseWheelDown(viewer.get(), {}, TPoint{}, handled);
        } else {
            viewer->OnMouseWheelUp(viewer.get(), {}, TPoint{}, handled);
        }
        EXPECT_TRUE(handled);
        return vertical.Position();
    };
    EXPECT_EQ(key(VK_DOWN), 30);
    EXPECT_EQ(key(VK_NEXT), 30 + viewer->Height());
    EXPECT_EQ(key(VK_UP), viewer->Height());
    EXPECT_EQ(key(VK_HOME), viewer->Height());
    EXPECT_EQ(key(VK_END), viewer->Height());
    EXPECT_EQ(wheel(true), viewer->Height() + 30);
    EXPECT_EQ(wheel(false), viewer->Height());
    EXPECT_EQ(key(VK_PRIOR), 0);
    EXPECT_EQ(key(VK_PRIOR), 0);
    // The far end holds.
    for (int i = 0; i < 10; ++i) key(VK_NEXT);
    const int end = vertical.Position();
    EXPECT_GT(end, 0);
    EXPECT_EQ(wheel(true), end);
    // Sideways only where the window is narrower than the page.
    TControlScrollBar& horizontal = *viewer->HorzScrollBar();
    viewer->SetWidth(500);
    key(VK_RIGHT);
    EXPECT_EQ(horizontal.Position(), 30);
    key(VK_LEFT);
    EXPECT_EQ(horizontal.Position(), 0);
}

TEST(Rs232CodeViewer, AClosedViewerOpensAgainAtItsOwnSizeNotMaximised) {
    auto viewer = MakeViewer<TfmRs232CodeEnglish>();
    EXPECT_EQ(viewer->Width(), 754);
    EXPECT_EQ(viewer->Height(), 662);
    viewer->Show();
    viewer->SetWindowState(wsMaximized);
    viewer->Close();
    EXPECT_FALSE(viewer->Visible());
    viewer->Show();
    EXPECT_EQ(viewer->WindowState(), wsNormal);
    EXPECT_EQ(viewer->Width(), TRs232CodeViewer::kClosedWidth);
    EXPECT_EQ(viewer->Height(), TRs232CodeViewer::kClosedHeight);
}

// Whether a row of a picture holds anything but white.
bool RowHasInk(const TBitmap& picture, int y) {
    for (int x = 0; x < picture.Width(); ++x) {
        if (picture.PixelAt(x, y) != 0xFFFFFF) return true;
    }
    return false;
}

TEST(Rs232CodeViewer, EachSectionOfTextLiesBetweenItsPicturesAndNoneUnderAPicture) {
    struct TCase {
        const char* name;
        std::unique_ptr<TRs232CodeViewer> viewer;
        const TRs232Document* document;
    };
    TCase cases[] = {{"english", MakeViewer<TfmRs232CodeEnglish>(), &Rs232EnglishDocument()},
                     {"chinese", MakeViewer<TfmRs232Code>(), &Rs232ChineseDocument()}};
    for (TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap text;
        text.SetSize(kRs232ColumnWidth, kRs232TextHeight);
        text.Canvas()->Brush()->SetColor(clWhite);
        text.Canvas()->FillRect(Rect(0, 0, kRs232ColumnWidth, kRs232TextHeight));
        c.viewer->RTFLabel->PaintTo(*text.Canvas());
        // The whole page, for people to look at.
        c.viewer->Show();
        c.viewer->SetClientSize(c.viewer->ClientWidth(), 1540);
        KeepDialogPicture(*c.viewer, std::string("rs232code_") + c.name);
        // In the label's rows: a picture's band is blank, the section below it has ink.
        for (int k = 0; k < kRs232Pictures; ++k) {
            const int top = c.document->pictureTops[static_cast<std::size_t>(k)] - kRs232TextTop;
            const int bottom = top + kRs232PictureHeights[static_cast<std::size_t>(k)];
            for (int y = top; y < std::min(bottom, kRs232TextHeight); ++y) {
                ASSERT_FALSE(RowHasInk(text, y)) << "picture " << k + 1 << " row " << y;
            }
            const int sectionTop = Rs232SectionTop(*c.document, k) - kRs232TextTop;
            bool ink = false;
            for (int y = sectionTop; y < top && !ink; ++y) ink = RowHasInk(text, y);
            EXPECT_TRUE(ink) << "section " << k;
        }
        // Below the last picture's top nothing is written.
        for (int y = c.document->pictureTops[9] - kRs232TextTop; y < kRs232TextHeight; ++y) {
            ASSERT_FALSE(RowHasInk(text, y)) << y;
        }
    }
}

TEST(Rs232CodeViewer, TheDocumentsExampleFrameIsTheConnectFrame) {
    const auto frame = LCmd::EncodeFrame(CM_MCS_CMD(1, CommandCode::MCS_CONNECT), FrameMode::Frame);
    std::string bytes;
    for (std::uint8_t b : frame) {
        static const char kHex[] = "0123456789ABCDEF";
        if (!bytes.empty()) bytes += ' ';
        bytes += kHex[b >> 4];
        bytes += kHex[b & 15];
    }
    for (const TRs232Document* document : {&Rs232EnglishDocument(), &Rs232ChineseDocument()}) {
        bool found = false;
        for (const auto& section : document->sections) {
            for (const TRs232Line& line : section) {
                if (line.style == TRs232Style::Code) found = found || line.text == bytes;
            }
        }
        EXPECT_TRUE(found) << document->caption << " lacks " << bytes;
    }
}

}  // namespace
}  // namespace dsp::test
