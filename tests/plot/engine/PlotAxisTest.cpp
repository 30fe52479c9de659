// Axes: the scale and its events, the value-pixel mapping, tick generation, and the value texts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<double> Majors(const TiPlotAxis& axis) {
    std::vector<double> values;
    for (int i = 0; i < axis.TickListCount(); ++i) {
        const TiPlotTickObject& tick = axis.GetTick(i);
        if (tick.TickType == ipttMajor && tick.Show) values.push_back(tick.Position);
    }
    return values;
}

std::vector<double> Minors(const TiPlotAxis& axis) {
    std::vector<double> values;
    for (int i = 0; i < axis.TickListCount(); ++i) {
        const TiPlotTickObject& tick = axis.GetTick(i);
        if (tick.TickType == ipttMinor && tick.Show) values.push_back(tick.Position);
    }
    return values;
}

class PlotAxisTest : public ::testing::Test {
protected:
    TiPlotYAxis* VerticalAxis(TRect drawRect) {
        TiPlotYAxis* axis = plot_.GetYAxis(plot_.AddYAxis());
        axis->SetDrawRect(drawRect);
        axis->CalcScaleRect(canvas_.Canvas());
        return axis;
    }
    TiPlotComponent plot_{nullptr};
    TBitmap canvas_{10, 10};
};

TEST_F(PlotAxisTest, TheProgramsAxesHaveMajorsFromMinus100To20) {
    test::TAxesPlot transfer(nullptr);
    transfer.SetBounds(0, 0, 620, 230);
    test::ConfigureAsTransferPlot(transfer);
    test::RenderPlot(transfer);
    const std::vector<double> majors = {-100, -80, -60, -40, -20, 0, 20};
    TiPlotXAxis* x = transfer.GetXAxis(0);
    TiPlotYAxis* y = transfer.GetYAxis(0);
    EXPECT_EQ(Majors(*x), majors);
    EXPECT_EQ(x->MajorIncrement(), 20);  // the desired increment is taken
    EXPECT_EQ(Minors(*x).size(), 24u);   // four between every two majors
    EXPECT_EQ(Minors(*x)[0], -96);
    EXPECT_EQ(Majors(*y), majors);
    EXPECT_EQ(y->MajorIncrement(), 20);  // the desired 10 leaves no room for the labels
    EXPECT_EQ(Minors(*y), (std::vector<double>{-90, -70, -50, -30, -10, 10}));
    EXPECT_EQ(x->GetTick(0).Text, "-100");
}

TEST_F(PlotAxisTest, PositionToPixelsRoundsHalvesToEvenAndStaysDrawable) {
    TiPlotYAxis* axis = VerticalAxis({0, 100, 40, 400});
    axis->SetMin(-100);
    axis->SetSpan(120);
    axis->CalcScaleRect(canvas_.Canvas());
    EXPECT_EQ(axis->PositionToPixels(-40), 250);
    EXPECT_EQ(axis->PositionToPixels(-70), 325);
    EXPECT_EQ(axis->PositionToPixels(1e6), -32000);
    EXPECT_EQ(axis->PositionToPixels(-1e6), 32000);
    EXPECT_EQ(axis->PositionToPixels(kInf), -32000);
    EXPECT_EQ(axis->PositionToPixels(kNaN), 400);
    EXPECT_EQ(axis->PixelsToPosition(250), -40);

    TiPlotYAxis* half = VerticalAxis({0, 0, 40, 50});
    half->CalcScaleRect(canvas_.Canvas());
    EXPECT_EQ(half->PositionToPixels(1), 50);
    EXPECT_EQ(half->PositionToPixels(3), 48);

    TiPlotYAxis* log = VerticalAxis({0, 0, 40, 600});
    log->SetScaleType(ipstLog10);
    log->SetMinSpan(1, 999);
    log->CalcScaleRect(canvas_.Canvas());
    EXPECT_EQ(log->PositionToPixels(1e-300), 32000);
    EXPECT_EQ(log->PositionToPixels(1000), 0);
}

// A trace converts its points' X through a pixel run, which skips the conversion of values
// inside a range already known to give one pixel. Every value must still get the pixel its own
// conversion gives: on axes of either direction, fine and coarse scales, values on the
// rounding edges, values stepping back, and values far enough out to be clamped.
TEST_F(PlotAxisTest, APixelRunGivesEveryValueThePixelOfItsOwnConversion) {
    const TiPlotAxis::TLinearPixels maps[] = {
        {true, 780, 0, -780.0 / 1e6}, {true, 20, 0, 780.0 / 1e5}, {true, 300, -100, 3.7},
        {true, 399, 1e9, -1e-7},      {true, 10, 0, 1e5},         {true, 0, 0.1, -1.0 / 3}};
    std::mt19937 random(31);
    for (const TiPlotAxis::TLinearPixels& map : maps) {
        SCOPED_TRACE(::testing::Message()
                     << "start " << map.Start << " per unit " << map.PixelsPerUnit);
        const double pixelWidth = std::abs(1 / map.PixelsPerUnit);
        std::vector<double> values;
        double x = map.Min - 3 * pixelWidth;
        for (int i = 0; i < 4000; ++i) {
            const int kind = std::uniform_int_distribution<int>(0, 19)(random);
            if (kind == 0) {
                x -= pixelWidth * std::uniform_real_distribution<double>(0, 5)(random);
            } else if (kind == 1) {
                // Onto a rounding edge, and the next values either side of it.
                const double k = std::round((x - map.Min) * map.PixelsPerUnit);
                x = map.Min + (k + 0.5) / map.PixelsPerUnit;
                values.push_back(std::nextafter(x, -kInf));
                values.push_back(x);
                x = std::nextafter(x, kInf);
            } else if (kind == 2) {
                values.push_back(map.Min + 1e12 * (i % 2 == 0 ? 1 : -1));
            } else {
                x += pixelWidth * std::uniform_real_distribution<double>(0, 0.3)(random);
            }
            values.push_back(x);
        }
        TiPlotAxis::TPixelRun run(map);
        for (const double value : values) ASSERT_EQ(run(value), map(value)) << value;
    }
}

TEST_F(PlotAxisTest, NonFiniteValuesNeverReachTheScale) {
    TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
    int events = 0;
    plot_.OnXAxisMinSpanChange = [&](int, double, double, double, double) { ++events; };
    axis->SetMin(kNaN);
    axis->SetSpan(kInf);
    axis->SetSpan(kNaN);
    axis->SetMinSpan(kNaN, 5);
    axis->SetMinSpan(5, -kInf);
    axis->SetDesiredIncrement(kNaN);
    EXPECT_EQ(axis->Min(), 0);
    EXPECT_EQ(axis->Span(), 100);
    EXPECT_EQ(axis->DesiredIncrement(), 0);
    EXPECT_EQ(events, 0);
    axis->SetSpan(0);
    EXPECT_EQ(axis->Span(), 1e-300);
    axis->SetMin(-1e305);
    EXPECT_EQ(axis->Min(), -1e300);
    axis->SetDesiredIncrement(-3);
    EXPECT_EQ(axis->DesiredIncrement(), 0);
}

TEST_F(PlotAxisTest, ScaleEventsFollowTheSettersAndMinSpanRaisesOneSet) {
    TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
    std::vector<std::string> log;
    plot_.OnXAxisMinChange = [&](int i, double a, double b) {
        log.push_back("min " + std::to_string(i) + " " + std::to_string(int(a)) + ">" +
                      std::to_string(int(b)));
    };
    plot_.OnXAxisSpanChange = [&](int, double a, double b) {
        log.push_back("span " + std::to_string(int(a)) + ">" + std::to_string(int(b)));
    };
    plot_.OnXAxisMinSpanChange = [&](int, double m0, double s0, double m1, double s1) {
        log.push_back("both " + std::to_string(int(m0)) + "," + std::to_string(int(s0)) + ">" +
                      std::to_string(int(m1)) + "," + std::to_string(int(s1)));
    };
    axis->SetMin(10);
    axis->SetSpan(50);
    axis->SetMinSpan(10, 50);
    axis->SetMinSpan(-5, 50);
    EXPECT_EQ(log,
              (std::vector<std::string>{"min 0 0>10", "both 0,100>10,100", "span 100>50",
                                        "both 10,100>10,50", "min 0 10>-5", "both 10,50>-5,50"}));
    log.clear();
    axis->SetMin(-100);
    log.clear();
    axis->SetScaleType(ipstLog10);
    EXPECT_EQ(axis->Min(), 1);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(axis->Max(), 51);
    EXPECT_EQ(axis->Mid(), 26);
}

TEST_F(PlotAxisTest, TrackingResumesTheRangeItWasPausedAt) {
    TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
    axis->SetMinSpan(10, 20);
    axis->SetTrackingEnabled(false);
    axis->SetMinSpan(500, 5);
    axis->SetTrackingEnabled(true);
    EXPECT_EQ(axis->Min(), 10);
    EXPECT_EQ(axis->Span(), 20);
}

TEST_F(PlotAxisTest, PercentToPositionUsesTheShareExceptOnAReversedScale) {
    TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
    axis->SetMinSpan(0, 200);
    axis->SetStartStopPercent(50, 100);
    EXPECT_EQ(axis->PercentToPosition(0.75), 100);
    axis->SetReverseScale(true);
    EXPECT_EQ(axis->PercentToPosition(0.75), 50);
    axis->SetStartStopPercent(40, 40);
    EXPECT_EQ(axis->PercentToPosition(0.75), 0);
}

TEST_F(PlotAxisTest, LogAxisTicksEveryDecadeWithItsMinors) {
    TiPlotYAxis* axis = VerticalAxis({0, 0, 60, 600});
    axis->SetScaleType(ipstLog10);
    axis->SetMinSpan(1, 999);
    axis->GenerateTicks(canvas_.Canvas());
    EXPECT_EQ(Majors(*axis), (std::vector<double>{1, 10, 100, 1000}));
    const std::vector<double> minors = Minors(*axis);
    EXPECT_EQ(minors.size(), 24u);
    EXPECT_EQ(minors.front(), 2);
    EXPECT_EQ(minors.back(), 900);
    EXPECT_EQ(axis->GetTick(0).Text, "1.00");
}

TEST_F(PlotAxisTest, TooManyTicksBecomeOneInTheMiddle) {
    TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
    axis->SetDrawRect({0, 0, 6000, 40});
    axis->SetLabelsVisible(false);
    axis->SetLabelSeparation(0);
    axis->SetLabelsMinLength(0);
    axis->SetDesiredIncrement(1);
    axis->SetMinorCount(100);
    axis->GenerateTicks(canvas_.Canvas());
    ASSERT_EQ(axis->TickListCount(), 1);
    EXPECT_EQ(axis->GetTick(0).Position, 50);
}

TEST_F(PlotAxisTest, CustomTicksAreKeptAndOnlyPlaced) {
    TiPlotYAxis* axis = VerticalAxis({0, 0, 60, 200});
    axis->TickListAdd(25, "quarter", ipttMajor);
    axis->TickListAdd(150, "off", ipttMajor);
    axis->SetTickListCustom(true);
    axis->GenerateTicks(canvas_.Canvas());
    ASSERT_EQ(axis->TickListCount(), 2);
    EXPECT_TRUE(axis->GetTick(0).Show);
    EXPECT_EQ(axis->GetTick(0).PositionPixels, 150);
    EXPECT_FALSE(axis->GetTick(1).Show);
    axis->SetScaleType(ipstLog10);
    try {
        axis->TickListAdd(0, "zero", ipttMajor);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Log Scale Requires Position to be Greater Than Zero");
    }
}

struct FormatCase {
    TiPlotTextFormat style;
    int precision;
    TiPrecisionStyle precisionStyle;
    TiPlotScaleType scale;
    double span;
    const char* dateTimeFormat;
    double value;
    const char* text;
};

TEST_F(PlotAxisTest, LabelTextsInEveryFormatStyle) {
    const FormatCase cases[] = {
        {iptfValue, 2, ipsSignificantDigits, ipstLinear, 120, "", -100, "-100"},
        {iptfValue, 2, ipsSignificantDigits, ipstLinear, 120, "", 20, "20"},
        {iptfValue, 3, ipsSignificantDigits, ipstLinear, 0.5, "", 0.25, "0.250"},
        {iptfValue, 3, ipsSignificantDigits, ipstLog10, 999, "", 500, "500"},
        {iptfValue, 3, ipsSignificantDigits, ipstLog10, 999, "", 0.05, "0.050"},
        {iptfValue, 3, ipsSignificantDigits, ipstLog10, 999, "", 5000, "5000"},
        {iptfValue, 3, ipsSignificantDigits, ipstLog10, 999, "", 0, "Unknown"},
        {iptfExponent, 3, ipsSignificantDigits, ipstLinear, 100, "", 12345, "1.23E+004"},
        {iptfExponent, 2, ipsFixedDecimalPoints, ipstLinear, 100, "", 12345, "1.23E+004"},
        {iptfPrefix, 3, ipsSignificantDigits, ipstLinear, 120, "", 5678.9, "5.68K"},
        {iptfPrefix, 3, ipsSignificantDigits, ipstLinear, 120, "", -0.0005, "-0.500m"},
        {iptfPrefix, 3, ipsSignificantDigits, ipstLinear, 120, "", 0.002, "0.00200"},
        {iptfPrefix, 3, ipsSignificantDigits, ipstLinear, 120, "", 0, "0.0"},
        {iptfPrefix, 3, ipsSignificantDigits, ipstLinear, 120, "", 2e-7, "0.200\xC2\xB5"},
        {iptfPrefix, 3, ipsSignificantDigits, ipstLinear, 120, "", 1e30, "Unknown"},
        {iptfPrice32nds, 3, ipsSignificantDigits, ipstLinear, 1, "", 101.515625, "101.164"},
        {iptfPrice32nds, 3, ipsSignificantDigits, ipstLinear, 1, "", 99.03125, "99.010"},
        {iptfPrice32nds, 3, ipsSignificantDigits, ipstLinear, 1, "", 12.25, "12.080"},
        {iptfPrice32nds, 3, ipsSignificantDigits, ipstLinear, 1, "", 100, "100.000"},
        {iptfPrice32nds, 3, ipsSignificantDigits, ipstLinear, 1, "", 0.984375, "0.314"},
        {iptfDateTime, 3, ipsSignificantDigits, ipstLinear, 1, "Jhh:nn:ss", 2.5, "2 12:00:00"},
        {iptfDateTime, 3, ipsSignificantDigits, ipstLinear, 1, "hh:nn:ss", 2.5, "12:00:00"},
        {iptfThousands, 2, ipsFixedDecimalPoints, ipstLinear, 1, "", 9876543.5, "9,876,543.50"},
        {iptfThousands, 0, ipsFixedDecimalPoints, ipstLinear, 1, "", 9876543.5, "9,876,544"},
        {iptfValue, -1, ipsFixedDecimalPoints, ipstLinear, 1, "", 1, "Error"},
    };
    for (const FormatCase& c : cases) {
        TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
        axis->SetScaleType(c.scale);
        axis->SetMinSpan(1, c.span);
        axis->SetLabelsFormatStyle(c.style);
        axis->SetLabelsPrecision(c.precision);
        axis->SetLabelsPrecisionStyle(c.precisionStyle);
        axis->SetDateTimeFormat(c.dateTimeFormat);
        EXPECT_EQ(axis->GetLabelText(c.value), c.text) << c.style << " " << c.value;
    }
}

TEST_F(PlotAxisTest, CustomizeHandlerTextWinsOverTheLabelAndNothingRunsWhileLoading) {
    TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
    int calls = 0;
    plot_.OnXAxisCustomizeLabel = [&](int, double, std::string& label) {
        ++calls;
        label = "from label";
        if (calls == 2) plot_.GetXAxis(0)->SetCustomizeLabelEventText("from axis");
    };
    EXPECT_EQ(axis->GetLabelText(5), "from label");
    EXPECT_EQ(axis->GetLabelText(5), "from axis");
    plot_.SetLoading(true);
    EXPECT_EQ(axis->GetLabelText(5), "5");
    plot_.SetLoading(false);

    axis->SetScaleType(ipstLog10);
    EXPECT_EQ(axis->GetLabelText(0), "Unknown");
    EXPECT_EQ(calls, 2);
}

TEST_F(PlotAxisTest, CursorAndLegendTextsAreOneLineAndFallBackToTheLabelSettings) {
    TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
    plot_.OnXAxisCustomizeLabel = [](int, double, std::string& label) { label = "a\r\nb\rc\nd"; };
    EXPECT_EQ(axis->GetLabelText(1), "a\r\nb\rc\nd");
    EXPECT_EQ(axis->GetCursorText(1), "a b c\nd");
    EXPECT_EQ(axis->GetLegendText(1), "a b c\nd");
    plot_.OnXAxisCustomizeLabel = nullptr;
    axis->SetCursorUseDefaultFormat(false);
    axis->SetCursorPrecision(4);
    axis->SetCursorPrecisionStyle(ipsFixedDecimalPoints);
    EXPECT_EQ(axis->GetCursorText(1), "1.0000");
    EXPECT_EQ(axis->GetLabelText(1), "1");
}

TEST_F(PlotAxisTest, MinLengthGrowsOnlyWhileTheWidestLabelIsMeasured) {
    TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
    axis->SetMinSpan(0, 1e7);
    axis->SetLabelsPrecision(8);
    axis->SetLabelsMinLengthAutoAdjust(true);
    axis->GetLabelText(12345678);
    EXPECT_EQ(axis->LabelsMinLength(), 5);
    axis->GetLabelsMaxWidth(canvas_.Canvas(), axis->LabelsFont());
    EXPECT_EQ(axis->LabelsMinLength(), 8);  // "10000000", the width sample
}

TEST_F(PlotAxisTest, LegendMinimumWidthCountsZeroWidths) {
    TiPlotXAxis* axis = plot_.GetXAxis(plot_.AddXAxis());
    TCanvas* c = canvas_.Canvas();
    c->Font()->Assign(axis->LabelsFont());
    const int zero = c->TextWidth("0");
    EXPECT_EQ(axis->GetLegendMinTextWidth(c, axis->LabelsFont()), zero * 5);
    axis->SetLegendUseDefaultFormat(false);
    axis->SetLegendMinLength(2);
    EXPECT_EQ(axis->GetLegendMinTextWidth(c, axis->LabelsFont()), zero * 2);
}

}  // namespace
}  // namespace dsp
