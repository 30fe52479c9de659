#include <gtest/gtest.h>

#include <random>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/CanvasImpl.h"
#include "tests/framework/graphics/PixelMap.h"

namespace dsp {
namespace {

using testing::Map;
using Rows = std::vector<std::string>;

std::unique_ptr<TBitmap> FromRows(const Rows& rows) {
    const testing::Legend& legend = testing::DefaultLegend();
    auto b =
        std::make_unique<TBitmap>(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            for (const auto& [colour, ch] : legend)
                if (ch == rows[y][x])
                    b->Canvas()->SetPixels(static_cast<int>(x), static_cast<int>(y),
                                           static_cast<TColor>(colour));
    return b;
}

struct RopCase {
    const char* name;
    TCopyMode rop;
    Rows expected;
};

void PrintTo(const RopCase& c, std::ostream* os) { *os << c.name; }

class RopTruthTable : public ::testing::TestWithParam<RopCase> {};

// Source columns are black and white; destination rows are black and white: the four cells
// are the four combinations of source and destination bits. The brush is white.
TEST_P(RopTruthTable, MixesSourceAndDestination) {
    const RopCase& c = GetParam();
    auto source = FromRows({"#.", "#."});
    auto dest = FromRows({"##", ".."});
    EXPECT_TRUE(dest->Canvas()->BitBlt(0, 0, 2, 2, source->Canvas(), 0, 0, c.rop));
    EXPECT_EQ(Map(*dest), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rops, RopTruthTable,
                         ::testing::Values(RopCase{"SRCCOPY", SRCCOPY, {"#.", "#."}},
                                           RopCase{"SRCAND", SRCAND, {"##", "#."}},
                                           RopCase{"SRCPAINT", SRCPAINT, {"#.", ".."}},
                                           RopCase{"SRCINVERT", SRCINVERT, {"#.", ".#"}},
                                           RopCase{"NOTSRCCOPY", NOTSRCCOPY, {".#", ".#"}},
                                           RopCase{"SRCERASE", SRCERASE, {"#.", "##"}},
                                           RopCase{"MERGEPAINT", MERGEPAINT, {".#", ".."}},
                                           RopCase{"DSTINVERT", DSTINVERT, {"..", "##"}},
                                           RopCase{"PATINVERT", PATINVERT, {"..", "##"}},
                                           RopCase{"BLACKNESS", BLACKNESS, {"##", "##"}},
                                           RopCase{"WHITENESS", WHITENESS, {"..", ".."}}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(CanvasBlits, RopsWorkBitwiseOnColours) {
    auto dest = FromRows({"bb"});
    auto source = FromRows({"rg"});
    dest->Canvas()->BitBlt(0, 0, 2, 1, source->Canvas(), 0, 0, SRCPAINT);
    EXPECT_EQ(dest->PixelAt(0, 0), 0xFF00FFu);
    EXPECT_EQ(dest->PixelAt(1, 0), 0xFFFF00u);
    dest->Canvas()->Brush()->SetColor(clRed);
    dest->Canvas()->BitBlt(0, 0, 2, 1, nullptr, 0, 0, PATCOPY);
    EXPECT_EQ(Map(*dest)[0], "rr");
}

TEST(CanvasBlits, ColourToMonochromeMarksThePixelsOfTheSourceBackgroundColourWhite) {
    auto source = FromRows({"rgbr"});
    source->Canvas()->SetBkColor(clRed);
    TBitmap mask(4, 1);
    mask.SetMonochrome(true);
    mask.Canvas()->BitBlt(0, 0, 4, 1, source->Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(Map(mask)[0], ".##.");
}

TEST(CanvasBlits, MonochromeToColourUsesTheDestinationTextAndBackgroundColours) {
    auto mono = FromRows({"#..#"});
    mono->SetMonochrome(true);
    TBitmap dest(4, 1);
    dest.Canvas()->SetTextColor(clRed);
    dest.Canvas()->SetBkColor(clBlue);
    dest.Canvas()->BitBlt(0, 0, 4, 1, mono->Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(Map(dest)[0], "rbbr");
    // The classic transparent draw: AND with the mask (black text, white background), then OR
    // with the picture whose transparent pixels were made black.
    auto picture = FromRows({"g##g"});
    auto target = FromRows({"yyyy"});
    target->Canvas()->SetTextColor(clBlack);
    target->Canvas()->SetBkColor(clWhite);
    auto maskOfPicture = FromRows({"#..#"});
    maskOfPicture->SetMonochrome(true);
    target->Canvas()->BitBlt(0, 0, 4, 1, maskOfPicture->Canvas(), 0, 0, SRCAND);
    target->Canvas()->BitBlt(0, 0, 4, 1, picture->Canvas(), 0, 0, SRCPAINT);
    EXPECT_EQ(Map(*target)[0], "gyyg");
}

TEST(CanvasBlits, StretchBltScalesByNearestPixelsAndMirrorsOnNegativeExtents) {
    auto source = FromRows({"#.", "r."});
    TBitmap big(4, 4);
    big.Canvas()->StretchBlt(0, 0, 4, 4, source->Canvas(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(Map(big), (Rows{"##..", "##..", "rr..", "rr.."}));
    TBitmap mirrored(2, 2);
    mirrored.Canvas()->StretchBlt(2, 0, -2, 2, source->Canvas(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(Map(mirrored), (Rows{".#", ".r"}));
    auto wide = FromRows({"#.r."});
    TBitmap small(2, 1);
    small.Canvas()->StretchBlt(0, 0, 2, 1, wide->Canvas(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(Map(small)[0], "..");
    small.Canvas()->StretchBlt(0, 0, 2, 1, wide->Canvas(), 0, 0, -4, 1, SRCCOPY);
    EXPECT_EQ(Map(small)[0], "..");
}

TEST(CanvasBlits, OverlappingCopiesWithinOneBitmapReadTheOriginalPixels) {
    auto b = FromRows({"#r...."});
    b->Canvas()->BitBlt(1, 0, 2, 1, b->Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(Map(*b)[0], "##r...");
    b->Canvas()->BitBlt(2, 0, 4, 1, b->Canvas(), 0, 0, SRCCOPY);  // doubling copy
    EXPECT_EQ(Map(*b)[0], "####r.");
}

TEST(CanvasBlits, BlitsStayInsideTheDestinationClipAndSkipMissingSourcePixels) {
    auto source = FromRows({"rr", "rr"});
    TBitmap dest(4, 2);
    dest.Canvas()->IntersectClipRect(0, 0, 3, 2);
    dest.Canvas()->BitBlt(1, 0, 3, 2, source->Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(Map(dest), (Rows{".rr.", ".rr."}));
}

// Copies that take whole spans against the per-pixel loop they stand in for: random pictures,
// places partly outside both bitmaps, clip regions with holes, shifted origins, copies within
// one bitmap, and every operation of source and destination alone.
TEST(CanvasBlits, SpanCopiesMatchThePerPixelLoop) {
    struct PerPixelLoop {
        PerPixelLoop() { raster::SetBlitSpanPath(false); }
        ~PerPixelLoop() { raster::SetBlitSpanPath(true); }
    };
    const TCopyMode rops[] = {SRCCOPY,  NOTSRCCOPY, SRCPAINT,    SRCAND,    SRCINVERT,
                              SRCERASE, MERGEPAINT, NOTSRCERASE, 0x00990066 /* not (S xor D) */};
    std::mt19937 random(1234);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto noise = [&](int width, int height) {
        auto b = std::make_unique<TBitmap>(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                b->Canvas()->SetPixels(x, y, static_cast<TColor>(random() & 0xFFFFFF));
        return b;
    };
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        auto source = noise(pick(20, 60), pick(10, 40));
        auto spans = noise(pick(20, 60), pick(10, 40));
        TBitmap pixels;
        pixels.Assign(spans.get());
        const bool within = pick(0, 3) == 0;
        const TCopyMode rop = rops[pick(0, std::size(rops) - 1)];
        const int dw = spans->Width(), dh = spans->Height();
        const int x = pick(-8, dw - 1), y = pick(-8, dh - 1);
        const int sx = pick(-8, source->Width() - 1), sy = pick(-8, source->Height() - 1);
        // Now and then negative extents, which flip source and destination alike.
        const int width = pick(0, 9) == 0 ? -pick(1, 20) : pick(1, 50);
        const int height = pick(0, 9) == 0 ? -pick(1, 20) : pick(1, 40);
        const TPoint origin{pick(-4, 4), pick(-4, 4)};
        const TRect keep =
            Rect(pick(-5, dw / 2), pick(-5, dh / 2), pick(dw / 2, dw + 5), pick(dh / 2, dh + 5));
        const int holeX = pick(0, dw - 1), holeY = pick(0, dh - 1);
        const TRect hole = Rect(holeX, holeY, holeX + pick(0, 12), holeY + pick(0, 12));
        for (TBitmap* dest : {spans.get(), &pixels}) {
            std::optional<PerPixelLoop> general;
            if (dest == &pixels) general.emplace();
            TCanvas* c = dest->Canvas();
            c->SetViewportOrg(origin.X, origin.Y);
            c->IntersectClipRect(keep.Left, keep.Top, keep.Right, keep.Bottom);
            c->ExcludeClipRect(hole.Left, hole.Top, hole.Right, hole.Bottom);
            c->BitBlt(x, y, width, height, within ? c : source->Canvas(), sx, sy, rop);
            c->SelectClipRgn(nullptr);
            c->SetViewportOrg(0, 0);
        }
        for (int py = 0; py < spans->Height(); ++py)
            for (int px = 0; px < spans->Width(); ++px)
                ASSERT_EQ(spans->Canvas()->Pixels(px, py), pixels.Canvas()->Pixels(px, py))
                    << px << ", " << py;
    }
}

TEST(CanvasBlits, TransparentStretchCopiesOnlyWhereTheMaskIsBlack) {
    auto source = FromRows({"rg", "by"});
    auto mask = FromRows({"#.", ".#"});
    mask->SetMonochrome(true);
    TBitmap dest(4, 4);
    dest.Canvas()->TransparentStretchBlt(Rect(0, 0, 4, 4), source->Canvas(), Rect(0, 0, 2, 2),
                                         mask->Canvas(), {0, 0});
    EXPECT_EQ(Map(dest), (Rows{"rr..", "rr..", "..yy", "..yy"}));
}

TEST(CanvasBlits, TransparentBitmapsLeaveOutTheirKeyColour) {
    auto picture = FromRows({"rgr", "ggg", "bgr"});
    picture->SetTransparent(true);
    EXPECT_EQ(picture->TransparentColor(), clBlue);  // the bottom-left pixel
    auto dest = FromRows({"yyy", "yyy", "yyy"});
    dest->Canvas()->Draw(0, 0, picture.get());
    EXPECT_EQ(Map(*dest), (Rows{"rgr", "ggg", "ygr"}));
    picture->SetTransparentColor(clLime);
    EXPECT_EQ(picture->TransparentMode(), tmFixed);
    auto other = FromRows({"yyy", "yyy", "yyy"});
    other->Canvas()->StretchDraw(Rect(0, 0, 3, 3), picture.get());
    EXPECT_EQ(Map(*other), (Rows{"ryr", "yyy", "byr"}));
}

TEST(CanvasBlits, CopyRectUsesTheCopyMode) {
    auto source = FromRows({"#."});
    auto dest = FromRows({"..", "##"});
    dest->Canvas()->SetCopyMode(cmSrcInvert);
    dest->Canvas()->CopyRect(Rect(0, 1, 2, 2), source->Canvas(), Rect(0, 0, 2, 1));
    EXPECT_EQ(Map(*dest), (Rows{"..", "#."}));
}

}  // namespace
}  // namespace dsp
