#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/PixelMap.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::Map;
using Rows = std::vector<std::string>;

void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A BMP file with a 40-byte header: palette (or bit masks) and rows as given (already padded).
Bytes MakeBmp(int width, int height, int bpp, std::uint32_t compression, const Bytes& extra,
              const Bytes& rows, std::uint32_t colorsUsed = 0) {
    Bytes b = {'B', 'M'};
    const std::uint32_t off = 14 + 40 + static_cast<std::uint32_t>(extra.size());
    Put32(b, off + static_cast<std::uint32_t>(rows.size()));
    Put32(b, 0);
    Put32(b, off);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bpp));
    Put32(b, compression);
    Put32(b, static_cast<std::uint32_t>(rows.size()));
    Put32(b, 3780);
    Put32(b, 3780);
    Put32(b, colorsUsed);
    Put32(b, 0);
    b.insert(b.end(), extra.begin(), extra.end());
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

// Palette entries blue, green, red, 0.
const Bytes kPalette = {0, 0, 0,   0, 255, 255, 255, 0,
                        0, 0, 255, 0, 255, 0,   0,   0};  // black white red blue

TEST(BitmapFiles, ReadsTheCommonPixelLayouts) {
    struct Case {
        const char* name;
        Bytes file;
    };
    const std::vector<Case> cases = {
        // 2 x 2, bottom-up: the first row in the file is the bottom row.
        {"8-bit palette", MakeBmp(2, 2, 8, 0, kPalette, {2, 3, 0, 0, 0, 1, 0, 0}, 4)},
        {"4-bit palette", MakeBmp(2, 2, 4, 0, kPalette, {0x23, 0, 0, 0, 0x01, 0, 0, 0}, 4)},
        {"24-bit top-down",
         MakeBmp(2, -2, 24, 0, {}, {0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0})},
        {"32-bit",
         MakeBmp(2, 2, 32, 0, {}, {0, 0, 255, 9, 255, 0, 0, 9, 0, 0, 0, 9, 255, 255, 255, 9})},
        {"16-bit 5-6-5", MakeBmp(2, 2, 16, 3, {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0},
                                 {0x00, 0xF8, 0x1F, 0x00, 0x00, 0x00, 0xFF, 0xFF})},
    };
    for (const Case& c : cases) {
        TBitmap b;
        ASSERT_NO_THROW(b.LoadFromBytes(c.file)) << c.name;
        EXPECT_EQ(Map(b), (Rows{"#.", "rb"})) << c.name;
    }
}

TEST(BitmapFiles, RejectsDamagedOrHostileFiles) {
    const Bytes good = MakeBmp(2, 2, 24, 0, {}, Bytes(16, 0));
    Bytes truncated = good;
    truncated.resize(truncated.size() - 3);
    Bytes badPalette = MakeBmp(2, 2, 8, 0, {}, Bytes(8, 0), 200);
    badPalette.resize(14 + 40 + 10);
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty marker", {'B', 'X', 0, 0}},
        {"truncated pixels", truncated},
        {"zero width", MakeBmp(0, 2, 24, 0, {}, Bytes(16, 0))},
        {"negative width", MakeBmp(-2, 2, 24, 0, {}, Bytes(16, 0))},
        {"seven bits", MakeBmp(2, 2, 7, 0, {}, Bytes(16, 0))},
        {"run-length", MakeBmp(2, 2, 8, 1, kPalette, Bytes(16, 0))},
        {"huge", MakeBmp(100000, 100000, 24, 0, {}, Bytes(16, 0))},
        {"palette past the end", badPalette},
        {"header only", Bytes(good.begin(), good.begin() + 20)},
    };
    for (const auto& [name, file] : cases) {
        TBitmap b;
        EXPECT_THROW(b.LoadFromBytes(file), EInvalidGraphic) << name;
        EXPECT_TRUE(b.Empty()) << name;
    }
}

TEST(BitmapFiles, WritesAndReadsBackEveryWrittenFormat) {
    TBitmap source(5, 3);
    source.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(10, 200, 30)));
    source.Canvas()->FillRect(Rect(1, 0, 4, 2));
    source.Canvas()->SetPixels(4, 2, clBlack);
    for (TPixelFormat format : {pf24bit, pf32bit, pfDevice}) {
        source.SetPixelFormat(format);
        TBitmap copy;
        copy.LoadFromBytes(source.SaveToBytes());
        EXPECT_EQ(Map(copy, {{0xFFFFFF, '.'}, {RGB(10, 200, 30), 'g'}, {0, '#'}}),
                  (Rows{".ggg.", ".ggg.", "....#"}))
            << "format " << format;
    }
    source.SetMonochrome(true);
    TBitmap mono;
    mono.LoadFromBytes(source.SaveToBytes());
    EXPECT_TRUE(mono.Monochrome());
    EXPECT_EQ(Map(mono), (Rows{".###.", ".###.", "....#"}));
    EXPECT_EQ(Map(source), (Rows{".###.", ".###.", "....#"}));
    EXPECT_EQ(source.SaveToBytes().size(), 14u + 40 + 8 + 3 * 4);
}

TEST(BitmapFiles, SixteenColourFilesTakeTheNearestStandardColour) {
    // Teal is the glyphs' transparent colour: it must come back exactly.
    TBitmap source(5, 2);
    source.Canvas()->Brush()->SetColor(clTeal);
    source.Canvas()->FillRect(Rect(0, 0, 5, 2));
    source.Canvas()->SetPixels(1, 0, static_cast<TColor>(RGB(250, 10, 5)));     // near red
    source.Canvas()->SetPixels(2, 0, static_cast<TColor>(RGB(190, 190, 200)));  // near silver
    source.Canvas()->SetPixels(3, 1, clNavy);
    source.SetPixelFormat(pf4bit);
    const std::vector<std::uint8_t> file = source.SaveToBytes();
    EXPECT_EQ(file.size(), 14u + 40 + 16 * 4 + 2 * 4);
    EXPECT_EQ(file[28], 4) << "bits per pixel";
    TBitmap copy;
    copy.LoadFromBytes(file);
    EXPECT_EQ(copy.PixelFormat(), pf4bit);
    EXPECT_EQ(Map(copy, {{RGB(0, 128, 128), 't'},
                         {RGB(255, 0, 0), 'r'},
                         {RGB(192, 192, 192), 's'},
                         {RGB(0, 0, 128), 'n'}}),
              (Rows{"trstt", "tttnt"}));
}

TEST(Bitmaps, ResizingKeepsThePixelsAndWhitensTheNewOnes) {
    TBitmap b(2, 2);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 2, 2));
    b.SetSize(3, 1);
    EXPECT_EQ(Map(b), (Rows{"rr."}));
    b.SetSize(0, 5);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), CLR_INVALID);
}

TEST(Bitmaps, MakingABitmapMonochromeKeepsOnlyWhiteWhite) {
    TBitmap b(4, 1);
    b.Canvas()->SetPixels(0, 0, clRed);
    b.Canvas()->SetPixels(1, 0, clSilver);
    b.Canvas()->SetPixels(2, 0, clBlack);
    b.SetMonochrome(true);
    EXPECT_EQ(Map(b)[0], "###.");
    EXPECT_EQ(b.PixelFormat(), pf1bit);
    // Drawing on a monochrome bitmap gives black or white by brightness.
    b.Canvas()->SetPixels(0, 0, clYellow);
    b.Canvas()->SetPixels(3, 0, clNavy);
    EXPECT_EQ(Map(b)[0], ".###");
}

TEST(Bitmaps, TheTransparentColourIsTheBottomLeftPixelUntilFixed) {
    TBitmap b(2, 2);
    b.Canvas()->SetPixels(0, 1, clTeal);
    EXPECT_EQ(b.TransparentMode(), tmAuto);
    EXPECT_EQ(b.TransparentColor(), clTeal);
    b.SetTransparentColor(clOlive);
    EXPECT_EQ(b.TransparentColor(), clOlive);
    b.SetTransparentMode(tmAuto);
    EXPECT_EQ(b.TransparentColor(), clTeal);
}

TEST(Bitmaps, CanvasDrawingRaisesTheBitmapsChangeAndAssignCopiesPixels) {
    TBitmap b(2, 1);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Canvas()->SetPixels(0, 0, clRed);
    EXPECT_EQ(changes, 1);
    TBitmap copy;
    copy.Assign(&b);
    b.Canvas()->SetPixels(1, 0, clRed);
    EXPECT_EQ(Map(copy)[0], "r.");
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

}  // namespace
}  // namespace dsp
