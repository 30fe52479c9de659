// The response view: page layout, grid and labels of the main window's views, curves and the
// plot list, markers, captions, the selected band's fill, and a view driven by the response
// calculator.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "components/LMyFFTDraw.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"
#include "model/FrequencyGrid.h"
#include "model/ResponseTables.h"
#include "tests/components/ComponentSamples.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

constexpr TColorRef kAxis = 0x008C00;
constexpr TColorRef kGrid = 0x004800;
constexpr TColorRef kBlack = 0x000000;

// Index of a frequency on the 4096-point curve at 96 kHz.
double IndexOf(double hz) { return 4096.0 * std::log10(hz) / std::log10(48000.0); }

bool SameBitmaps(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
    return true;
}

// Runs of columns (or rows) holding anything but the background, closer than a letter gap
// merged: one per label.
std::vector<std::pair<int, int>> InkRuns(const TBitmap& page, bool columns) {
    std::vector<std::pair<int, int>> runs;
    const int outer = columns ? page.Width() : page.Height();
    const int inner = columns ? page.Height() : page.Width();
    bool inRun = false;
    for (int i = 0; i < outer; ++i) {
        bool ink = false;
        for (int j = 0; j < inner && !ink; ++j)
            ink = (columns ? page.PixelAt(i, j) : page.PixelAt(j, i)) != kBlack;
        if (ink && !inRun) {
            if (!runs.empty() && i - runs.back().second <= 4) {
                inRun = true;
            } else {
                runs.push_back({i, i});
            }
        }
        if (ink) runs.back().second = i;
        inRun = ink;
    }
    return runs;
}

class ResponseViewTest : public ::testing::Test {
protected:
    void SetUp() override { form_ = test::MakeForm(1100, 300, clBtnFace); }

    LMyFFTDrawPhase* View(int width) {
        LMyFFTDrawPhase* view = test::MakeMainWindowView(form_.get(), 0, 0, width);
        view->Redraw();
        return view;
    }
    static int X(const LMyFFTDrawPhase& v, double index) {
        return static_cast<int>(v.ScreenX(index));
    }
    static int Y(const LMyFFTDrawPhase& v, double db) { return static_cast<int>(v.ScreenY(db)); }

    std::unique_ptr<TForm> form_;
};

TEST_F(ResponseViewTest, PagesTileTheControlAroundThePlotAreaAtBothWidths) {
    int left = -1;
    for (int width : {530, 1070}) {
        SCOPED_TRACE(width);
        LMyFFTDrawPhase* view = View(width);
        const TRect plot = view->PlotPage().DestRect;
        EXPECT_EQ(plot.Top, 10);  // no plot title
        EXPECT_EQ(plot.Right, width - 10);
        EXPECT_GT(plot.Bottom, 255 - 1.2 * 20);
        EXPECT_LT(plot.Bottom, 255 - 1.2 * 10);
        EXPECT_GT(plot.Left, 20);  // -30 + 4 + the widest level text
        if (left >= 0) {
            EXPECT_EQ(plot.Left, left) << "the left edge does not depend on the width";
        }
        left = plot.Left;
        EXPECT_EQ(view->GetPlotLeft(), plot.Left);
        EXPECT_EQ(view->GetPlotTop(), 10);
        EXPECT_EQ(view->GetPlotWidth(), plot.Width());
        EXPECT_EQ(view->XLabelPage().DestRect, Rect(plot.Left, plot.Bottom, width - 10, 255));
        EXPECT_EQ(view->YLabelPage().DestRect, Rect(0, 10, plot.Left, 255));
    }
}

TEST_F(ResponseViewTest, AViewTooSmallForItsPlotAreaDropsItsLabelsOnceAndDrawsNothing) {
    LMyFFTDrawPhase* view = View(530);
    view->SetBounds(0, 0, 530, 8);
    view->ResizePaintPage();  // returns: the layout does not run again without end
    EXPECT_FALSE(view->ShowXLabel());
    EXPECT_EQ(view->GetPlotWidth() * view->GetPlotHeight(), 0);
    view->Redraw();
    view->UpdateCurvePage();
    view->SetBounds(0, 0, 530, 255);
    view->ResizePaintPage();
    EXPECT_EQ(view->GetPlotTop(), 10);
    EXPECT_EQ(view->PlotPage().DestRect.Bottom, 255) << "the frequency labels stay dropped";
}

TEST_F(ResponseViewTest, TheFrequencyGridFallsOnTheLabelledFrequenciesDecadesInTheAxisColour) {
    LMyFFTDrawPhase* view = View(1070);
    const TBitmap& page = view->CleanPlotPage();
    const int wp = view->GetPlotWidth();
    struct TLine {
        double hz, fraction;
        TColorRef colour;
    };
    const TLine lines[] = {{20, 0.060, kGrid},   {50, 0.181, kGrid},   {100, 0.273, kAxis},
                           {200, 0.364, kGrid},  {500, 0.486, kGrid},  {1000, 0.577, kAxis},
                           {2000, 0.669, kGrid}, {5000, 0.790, kGrid}, {10000, 0.882, kAxis},
                           {20000, 0.973, kGrid}};
    for (const TLine& line : lines) {
        const int x = X(*view, IndexOf(line.hz));
        EXPECT_NEAR(static_cast<double>(x) / wp, line.fraction, 0.002) << line.hz;
        EXPECT_EQ(page.PixelAt(x, 5), line.colour) << line.hz;
        EXPECT_EQ(page.PixelAt(x + 2, 5), kBlack) << line.hz;
    }
    // Every 3 dB a level line; the 0 dB line is the axis.
    const int between = X(*view, IndexOf(25));
    for (int db = -15; db <= 15; db += 3)
        EXPECT_EQ(page.PixelAt(between, Y(*view, db)), db == 0 ? kAxis : kGrid) << db;
    EXPECT_EQ(page.PixelAt(between, Y(*view, -16.5)), kBlack);
    // The frame.
    EXPECT_EQ(page.PixelAt(between, 0), kAxis);
    EXPECT_EQ(page.PixelAt(between, view->GetPlotHeight() - 1), kAxis);
    EXPECT_EQ(page.PixelAt(0, 100), kAxis);
    EXPECT_EQ(page.PixelAt(wp - 1, 100), kAxis);

    view->SetNumHorzGrid(0);
    EXPECT_EQ(view->CleanPlotPage().PixelAt(between, Y(*view, -15)), kBlack);
    EXPECT_EQ(view->CleanPlotPage().PixelAt(between, Y(*view, 0)), kAxis);
}

TEST_F(ResponseViewTest, TicksRunInFromTheBottomAndLeftEdgesInTheAxisColour) {
    LMyFFTDrawPhase* view = View(1070);
    view->SetVertTickLength(5);
    view->SetHorzTickLength(6);
    const TBitmap& page = view->CleanPlotPage();
    const int hp = view->GetPlotHeight();
    // On a frequency line in the grid colour: 5 + 2 pixels up from the bottom edge, which the
    // frame takes the first of.
    const int x = X(*view, IndexOf(20));
    for (int y = hp - 6; y < hp; ++y) EXPECT_EQ(page.PixelAt(x, y), kAxis) << y;
    EXPECT_EQ(page.PixelAt(x, hp - 7), kGrid);
    // On a level line: 6 pixels in from the left edge.
    const int y = Y(*view, -15);
    for (int tx = 0; tx < 6; ++tx) EXPECT_EQ(page.PixelAt(tx, y), kAxis) << tx;
    EXPECT_EQ(page.PixelAt(6, y), kGrid);
    // Without ticks the grid line reaches the frame.
    view->SetShowVertTicks(false);
    view->SetShowHorzTicks(false);
    EXPECT_EQ(view->CleanPlotPage().PixelAt(x, hp - 3), kGrid);
    EXPECT_EQ(view->CleanPlotPage().PixelAt(3, y), kGrid);
}

TEST_F(ResponseViewTest, NarrowViewsLabelFourFrequenciesAndWideOnesTen) {
    struct TCase {
        int width, labels;
    };
    for (const TCase& c : {TCase{530, 4}, TCase{799, 4}, TCase{800, 10}, TCase{1070, 10}}) {
        LMyFFTDrawPhase* view = View(c.width);
        EXPECT_EQ(InkRuns(*view->XLabelPage().Bitmap, true).size(), static_cast<size_t>(c.labels))
            << c.width;
        delete view;
    }
}

TEST_F(ResponseViewTest, LevelLabelsSitOnEverySecondLineWithAPlusAboveZero) {
    LMyFFTDrawPhase* view = View(530);
    const TBitmap& page = *view->YLabelPage().Bitmap;
    const TCanvas& fonts = *page.Canvas();
    const auto rows = InkRuns(page, false);
    ASSERT_EQ(rows.size(), 7u) << "+18, +12, +6, 0, -6, -12, -18";
    // Each label's ink is as wide as its text, right-aligned 2 pixels from the edge.
    auto inkWidth = [&](std::pair<int, int> rowRun) {
        int first = page.Width(), last = -1;
        for (int y = rowRun.first; y <= rowRun.second; ++y)
            for (int x = 0; x < page.Width(); ++x)
                if (page.PixelAt(x, y) != kBlack) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        EXPECT_LE(last, page.Width() - 2);
        EXPECT_GE(last, page.Width() - 5);
        return last - first + 1;
    };
    const std::string texts[] = {"+18dB", "+12dB", "+6dB", "0dB", "-6dB", "-12dB", "-18dB"};
    const std::string without[] = {"18dB", "12dB", "6dB", "+0dB", "6dB", "12dB", "18dB"};
    for (std::size_t i = 0; i < 7; ++i) {
        const int width = inkWidth(rows[i]);
        EXPECT_LT(std::abs(width - fonts.TextWidth(texts[i])),
                  std::abs(width - fonts.TextWidth(without[i])))
            << texts[i];
    }
    // The middle label is centred on the 0 dB line.
    EXPECT_LE(rows[3].first, Y(*view, 0));
    EXPECT_GE(rows[3].second, Y(*view, 0));

    view->SetNumHorzGrid(0);
    EXPECT_EQ(InkRuns(*view->YLabelPage().Bitmap, false).size(), 2u);
}

TEST_F(ResponseViewTest, PlotsKeepTheirFirstColourAndTheFirstAddedLiesOnTop) {
    LMyFFTDrawPhase* view = View(530);
    const std::vector<double> flat(4096, 0.0);
    const std::vector<double> low(4096, -9.0);
    EXPECT_FALSE(view->FFTDraw(flat.data(), 4096, 1, clRed, mpsLine));
    EXPECT_FALSE(view->FFTDraw(flat.data(), 4096, 2, clBlue, mpsLine));
    const int x = X(*view, IndexOf(300));
    EXPECT_EQ(view->CleanPlotPage().PixelAt(x, Y(*view, 0)), static_cast<TColorRef>(clRed));

    EXPECT_TRUE(view->FFTDraw(low.data(), 4096, 1, clLime, mpsLine));
    TColor colour = 0;
    ASSERT_TRUE(view->GetPlotColor(colour, 1));
    EXPECT_EQ(colour, clRed);
    EXPECT_EQ(view->CleanPlotPage().PixelAt(x, Y(*view, -9)), static_cast<TColorRef>(clRed));
    EXPECT_EQ(view->CleanPlotPage().PixelAt(x, Y(*view, 0)), static_cast<TColorRef>(clBlue));

    // A copied list is reversed: the copy draws the other plot on top.
    EXPECT_TRUE(view->FFTDraw(flat.data(), 4096, 1, clLime, mpsLine));
    LMyFFTDrawPhase* copy = View(530);
    copy->AssignPlotData(*view);
    EXPECT_EQ(copy->PlotList().Head()->Id, 1);
    EXPECT_EQ(view->PlotList().Head()->Id, 2);
    EXPECT_EQ(copy->CleanPlotPage().PixelAt(x, Y(*copy, 0)), static_cast<TColorRef>(clBlue));

    EXPECT_FALSE(view->RemovePlot(7));
    EXPECT_TRUE(view->RemovePlot(2));
    EXPECT_EQ(view->CleanPlotPage().PixelAt(x, Y(*view, 0)), static_cast<TColorRef>(clRed));
}

TEST_F(ResponseViewTest, CurvesWithoutPointsAreRefusedAndOneXValueNeedsNoSpan) {
    LMyFFTDrawPhase* view = View(530);
    const double y[2] = {1.0, 2.0};
    EXPECT_FALSE(view->FFTDraw(y, 0, 1, clRed, mpsLine));
    EXPECT_FALSE(view->FFTDraw(y, -5, 1.0, 2.0, 1, clRed, mpsLine));
    EXPECT_TRUE(view->PlotList().Empty());
    EXPECT_FALSE(view->FFTDraw(y, 1, 1500.0, 1500.0, 3, clRed, mpsFilledSquares));
    std::vector<double> x;
    ASSERT_TRUE(view->GetPlotX(x, 3));
    EXPECT_EQ(x, std::vector<double>{1500.0});
    EXPECT_FALSE(view->GetPlotX(x, 4));
}

TEST_F(ResponseViewTest, SettersClampAndRangesNeverCollapse) {
    LMyFFTDrawPhase* view = View(530);
    view->SetHorzTickLength(5000);
    EXPECT_EQ(view->HorzTickLength(), 530);
    view->SetVertTickLength(-3);
    EXPECT_EQ(view->VertTickLength(), 0);
    view->SetVertTickLength(300);
    EXPECT_EQ(view->VertTickLength(), 255);
    view->SetPointSize(0);
    EXPECT_EQ(view->PointSize(), 1);
    view->SetPointSize(11);
    EXPECT_EQ(view->PointSize(), 10);
    view->SetNumHorzGrid(-2);
    EXPECT_EQ(view->NumHorzGrid(), 0);
    view->SetYMax(-18);
    EXPECT_EQ(view->YMax(), -17);
    view->SetYAutoScale(true);
    EXPECT_EQ(view->YMax(), 1);
    EXPECT_EQ(view->YMin(), -1);
    view->SetXMax(-4);
    view->SetXAxisFormat(TMyAxisFormat::Log);
    EXPECT_EQ(view->XMax(), 10);
    EXPECT_EQ(view->XMin(), 1);
}

TEST_F(ResponseViewTest, MarkersShowAtTheirSlotsUnlessHiddenAndStrayslotsAreIgnored) {
    LMyFFTDrawPhase* view = View(1070);
    const double x = IndexOf(300);
    view->DrawBlock(6.0, x, clRed, 4, false, BlockBand);
    view->DrawBlock(-6.0, x, clBlue, 5, true, BlockBand);
    view->DrawBlock(0.0, x, clLime, 50, false, BlockBand);
    view->DrawBlock(0.0, x, clLime, -1, false, BlockBand);
    EXPECT_EQ(view->SetBlockParameter(77, 100, 1, 1, 1), 77);
    view->UpdateCurvePage();
    const TPoint p = view->GetBlockPos(4);
    EXPECT_EQ(p.X, X(*view, x));
    EXPECT_EQ(p.Y, Y(*view, 6.0));
    auto count = [&](TPoint at, TColorRef colour) {
        int n = 0;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                n += view->ShownPlotPage().PixelAt(at.X + dx, at.Y + dy) == colour;
        return n;
    };
    EXPECT_GT(count(p, 0x0000FF), 20) << "a thick ring in the slot's colour";
    EXPECT_EQ(count(view->GetBlockPos(5), 0xFF0000), 0);
    EXPECT_EQ(count({p.X, Y(*view, 0.0)}, 0x00FF00), 0);
    // Slots never set lie left of the plot area of the main window's views.
    EXPECT_LT(view->GetBlockPos(30).X, 0);
    EXPECT_EQ(view->GetBlockPos(50), (TPoint{0, 0}));
    // The slot number above the marker.
    int white = 0;
    for (int y = p.Y - 23; y < p.Y - 5; ++y)
        for (int dx = -3; dx < 10; ++dx)
            white += view->ShownPlotPage().PixelAt(p.X + dx, y) == 0xFFFFFF;
    EXPECT_GT(white, 3);
}

// Caption ink of the selected band's colour above and below its point.
struct TCaptionInk {
    int above = 0, below = 0;
};

TCaptionInk CaptionInk(const LMyFFTDrawPhase& view, double x, double gain) {
    const TBitmap& page = view.ShownPlotPage();
    const int px = static_cast<int>(view.ScreenX(x));
    const int py = static_cast<int>(view.ScreenY(gain));
    TCaptionInk ink;
    for (int y = std::max(py - 72, 0); y < std::min(py + 62, page.Height()); ++y)
        for (int cx = px - 20; cx < px + 40; ++cx) {
            const TColorRef c = page.PixelAt(cx, y);
            const bool yellow = (c & 0xFF) > 150 && ((c >> 8) & 0xFF) > 150 && (c >> 16) < 80;
            if (yellow) (y < py ? ink.above : ink.below)++;
        }
    return ink;
}

TEST_F(ResponseViewTest, SelectedBandCaptionsGoAboveForCutsAndZeroAndBelowForBoosts) {
    LMyFFTDrawPhase* view = View(1070);
    const double x = IndexOf(1000);
    const std::vector<double> flat(4096, 0.0);
    for (double gain : {-6.0, 0.0, 6.0}) {
        view->DrawParam(0, gain, x, 1000.0F, 1.4, 0x00FFFF);
        view->DrawCurveFill(0, flat.data(), 4096);
        view->SetCurveDisplay(true);
        view->UpdateCurvePage();
        const TCaptionInk ink = CaptionInk(*view, x, gain);
        if (gain <= 0) {
            EXPECT_GT(ink.above, 20) << gain;
            EXPECT_EQ(ink.below, 0) << gain;
        } else {
            EXPECT_EQ(ink.above, 0) << gain;
            EXPECT_GT(ink.below, 20) << gain;
        }
    }
    view->SetCurveDisplay(false);
    view->UpdateCurvePage();
    const TCaptionInk none = CaptionInk(*view, x, 6.0);
    EXPECT_EQ(none.above + none.below, 0);
}

TEST_F(ResponseViewTest, TheFillIsTranslucentClosesByKindAndNeverDarkensByRepetition) {
    // A -4 dB cut at 1 kHz, its shape closed along 0 dB (peak) or down to the bottom (pass).
    struct TCase {
        int kind;
        bool aboveCurveFilled, belowCurveFilled;
    };
    FilterCurve cut;
    cut.SetFilter(-4.0, 1000.0, 2.0, fkPeak);
    for (const TCase& c : {TCase{0, true, false}, TCase{3, false, true}}) {
        SCOPED_TRACE(c.kind);
        LMyFFTDrawPhase* view = View(1070);
        view->DrawParam(c.kind, -4.0, IndexOf(1000), 1000.0F, 2.0, 0x00FFFF);
        view->DrawCurveFill(c.kind, cut.Points.data(), 4096);
        view->SetCurveDisplay(true);
        view->UpdateCurvePage();
        const int x = X(*view, IndexOf(1150));
        const TColorRef inside = 0x0F0F0F;  // 30/255 of grey 128 over black
        const TBitmap& page = view->ShownPlotPage();
        EXPECT_EQ(page.PixelAt(x, Y(*view, -1.0)) == inside, c.aboveCurveFilled);
        EXPECT_EQ(page.PixelAt(x, Y(*view, -10.0)) == inside, c.belowCurveFilled);
        // A grid line inside the fill shows through it.
        const TColorRef onLine = page.PixelAt(x, Y(*view, c.kind == 0 ? -3.0 : -9.0));
        EXPECT_EQ(onLine & 0xFF, 0x0Fu);
        EXPECT_NEAR(static_cast<int>((onLine >> 8) & 0xFF), 15 + 72 * 225 / 255, 2);
        view->UpdateCurvePage();
        view->UpdateCurvePage();
        EXPECT_EQ(view->ShownPlotPage().PixelAt(x, Y(*view, c.kind == 0 ? -1.0 : -10.0)), inside);
        delete view;
    }
}

TEST_F(ResponseViewTest, AFillLongerThanACurveTakesOnlyACurvesPoints) {
    LMyFFTDrawPhase* view = View(1070);
    // A cut starting and ending at 0 dB like the real curves, then values that are no curve's.
    std::vector<double> longer(5000, 99.0);
    std::fill(longer.begin(), longer.begin() + 4096, -4.0);
    longer[0] = 0.0;
    longer[4095] = 0.0;
    view->DrawParam(0, -4.0, IndexOf(1000), 1000.0F, 2.0, 0x00FFFF);
    view->DrawCurveFill(0, longer.data(), static_cast<int>(longer.size()));
    view->DrawCurveFill(0, longer.data(), -3);  // nothing to take
    view->SetCurveDisplay(true);
    view->UpdateCurvePage();
    const TColorRef inside = 0x0F0F0F;
    EXPECT_EQ(view->ShownPlotPage().PixelAt(X(*view, IndexOf(1150)), Y(*view, -2.0)), inside);
}

TEST_F(ResponseViewTest, TheFastPathsGiveThePicturesOfAPlainRedraw) {
    LMyFFTDrawPhase* cached = View(1070);
    LMyFFTDrawPhase* plain = View(1070);
    plain->SetFastPaths(false);
    Plot a(cached), b(plain);
    auto step = [&](auto change) {
        change(*cached);
        change(*plain);
        test::DrawSampleChannel(a, true);
        test::DrawSampleChannel(b, true);
        cached->UpdateCurvePage();
        plain->UpdateCurvePage();
        EXPECT_TRUE(SameBitmaps(cached->ShownPlotPage(), plain->ShownPlotPage()));
        EXPECT_TRUE(SameBitmaps(*cached->XLabelPage().Bitmap, *plain->XLabelPage().Bitmap));
        EXPECT_TRUE(SameBitmaps(*cached->YLabelPage().Bitmap, *plain->YLabelPage().Bitmap));
    };
    step([](LMyFFTDrawPhase&) {});
    step([](LMyFFTDrawPhase&) {});  // the second time from the cache
    step([](LMyFFTDrawPhase& v) { v.SetYMax(24); });
    step([](LMyFFTDrawPhase& v) { v.SetGridColor(0x303030); });
    step([](LMyFFTDrawPhase& v) { v.SetAxisStyle(TMyAxisStyle::Box); });
    step([](LMyFFTDrawPhase& v) {
        v.SetBounds(0, 0, 900, 200);
        v.ResizePaintPage();
    });
    // Curves leaving the page at the top, the bottom and the right.
    step([](LMyFFTDrawPhase& v) {
        v.SetYMax(2);
        v.SetYMin(-1);
        v.SetXMax(2500);
    });
    step([](LMyFFTDrawPhase& v) { v.SetYLabelScale(2); });
    step([](LMyFFTDrawPhase& v) { v.AxisLabelFont()->SetColor(clRed); });
}

TEST_F(ResponseViewTest, AViewDrivenByTheResponseCalculatorShowsItsPagesOnTheControl) {
    LMyFFTDrawPhase* view = View(1070);
    Plot plot(view);
    test::DrawSampleChannel(plot, true);
    view->UpdateCurvePage();
    std::vector<double> total;
    ASSERT_TRUE(view->GetPlotY(total, Plot::ChannelTotalSlot));
    EXPECT_TRUE(
        std::equal(total.begin(), total.end(), plot.Curve(Plot::ChannelTotalSlot).Points.begin()));
    for (int id : {0, 1, 2}) EXPECT_TRUE(view->PlotList().Find(id) != nullptr) << id;
    EXPECT_EQ(view->GetBlockPos(0).X, X(*view, GridPosition(test::kSampleBands[0].hz)));

    // What the form shows is the composed plot page at the plot origin.
    test::ShowAndPaint(*form_);
    std::unique_ptr<TBitmap> screen = form_->RenderToImage();
    const TBitmap& page = view->ShownPlotPage();
    int differences = 0;
    for (int y = 0; y < page.Height(); y += 3)
        for (int x = 0; x < page.Width(); x += 3)
            differences += screen->PixelAt(view->GetPlotLeft() + x, view->GetPlotTop() + y) !=
                           page.PixelAt(x, y);
    EXPECT_EQ(differences, 0);
}

TEST_F(ResponseViewTest, TheTwinDrawsLetteredMarkersAndUnscaledLevels) {
    auto* twin = new LMyFFTDraw(form_.get());
    twin->SetParent(form_.get());
    twin->SetBounds(0, 0, 530, 255);
    twin->SetYAutoScale(false);
    twin->SetXAutoScale(false);
    twin->SetXMin(0);
    twin->SetXMax(100);
    twin->ResizePaintPage();
    twin->DrawBlock(0.0, 50.0, clRed, 0, false, 5);
    twin->DrawBlock(0.0, 20.0, clRed, 1, false, 7);
    twin->UpdateCurvePage();
    auto red = [&](int slot) {
        const TPoint p = twin->GetBlockPos(slot);
        int n = 0;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                n += twin->ShownPlotPage().PixelAt(p.X + dx, p.Y + dy) == 0x0000FF;
        return n;
    };
    EXPECT_GT(red(0), 20);
    EXPECT_EQ(red(1), 0);
}

}  // namespace
}  // namespace dsp
