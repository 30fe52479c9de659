#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

#include "model/Constants.h"
#include "model/Encodings.h"

namespace dsp {
namespace {

TEST(EncodingsTest, FrequencyIndexAndHertz) {
    EXPECT_EQ(FreqHzToIndex(1000), 170);
    EXPECT_EQ(FreqHzToIndex(20000), 300);
    EXPECT_NEAR(FreqIndexToHz(0), 19.69, 0.005);
    EXPECT_DOUBLE_EQ(FreqIndexToHz(170), 1000.0);
    EXPECT_NEAR(FreqIndexToHz(200), 2000.0, 1e-9);
    EXPECT_NEAR(FreqIndexToHz(300), 20159, 1);

    // The frequencies the default image's bands stand for.
    struct Case {
        int index;
        double hz;
    };
    const Case defaults[] = {{41, 50.8},   {71, 101.5}, {101, 203},  {140, 500},  {240, 5040},
                             {270, 10079}, {31, 40.3},  {63, 84.4},  {95, 177},   {127, 370},
                             {158, 758},   {190, 1587}, {222, 3325}, {253, 6805}, {285, 14254}};
    for (const Case& c : defaults) {
        EXPECT_NEAR(FreqIndexToHz(c.index), c.hz, c.hz * 0.002) << c.index;
    }
}

TEST(EncodingsTest, EveryFrequencyIndexComesBackFromItsHertz) {
    for (int i = 0; i <= 330; ++i) EXPECT_EQ(FreqHzToIndex(FreqIndexToHz(i)), i) << i;
}

TEST(EncodingsTest, FrequencyRoundsToTheNearestIndexAndTruncatesBelowZero) {
    const double step = std::pow(2.0, 1.0 / 30);
    EXPECT_EQ(FreqHzToIndex(1000 * std::pow(step, 0.4)), 170);
    EXPECT_EQ(FreqHzToIndex(1000 * std::pow(step, 0.6)), 171);
    EXPECT_EQ(FreqHzToIndex(1000 * std::pow(step, -0.6)), 169);
    // Below index 0 the value truncates toward zero instead of rounding.
    EXPECT_EQ(FreqHzToIndex(19.42), 0);  // index -0.68
    EXPECT_EQ(FreqHzToIndex(10), -29);   // index -29.4
    EXPECT_EQ(FreqHzToIndex(9.7), -30);  // index -30.7: still toward zero
}

TEST(EncodingsTest, EqGainIndexAndDecibels) {
    struct Case {
        double db;
        int index;
    };
    const Case cases[] = {{-12, 0},   {12, 240},   {0, 120},   {-0.05, 120}, {-0.15, 119},
                          {0.3, 123}, {-0.3, 117}, {1.2, 132}, {-6.5, 55},   {0.05, 120}};
    for (const Case& c : cases) EXPECT_EQ(GainDbToIndex(c.db), c.index) << c.db;

    EXPECT_EQ(GainIndexToDb(120), 0.0L);
    EXPECT_NEAR(static_cast<double>(GainIndexToDb(0)), -12.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(GainIndexToDb(240)), 12.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(GainIndexToDb(123)), 0.3, 1e-15);
    for (int g = 0; g <= 240; ++g) {
        EXPECT_EQ(GainDbToIndex(static_cast<double>(GainIndexToDb(g))), g) << g;
    }
}

TEST(EncodingsTest, QValueToIndex) {
    struct Case {
        double q;
        int index;
    };
    const Case cases[] = {{3.0, 35}, {0.4, 0}, {128, 100}, {140, 100}, {136, 101}, {200, 106}};
    for (const Case& c : cases) EXPECT_EQ(QValueToIndex(c.q), c.index) << c.q;
    EXPECT_LT(QValueToIndex(0.37), 0);
}

TEST(EncodingsTest, EveryQTableEntryConvertsBackToItsOwnIndex) {
    ASSERT_EQ(QTable.size(), 101u);
    for (std::size_t i = 0; i < QTable.size(); ++i) {
        EXPECT_EQ(QValueToIndex(QTable[i]), static_cast<int>(i)) << QTable[i];
    }
    EXPECT_EQ(QTable[35], 3.0);
    EXPECT_EQ(QTable.front(), 0.4);
    EXPECT_EQ(QTable.back(), 128.0);
}

TEST(EncodingsTest, QRoundingLooksAtTheFirstDecimalDigitOnly) {
    // t = ln(128 / q) / ln(1.0596); t = 0.45 keeps index 100, t = 0.55 gives 99.
    const auto qOf = [](double t) { return 128 / std::pow(1.0596, t); };
    EXPECT_EQ(QValueToIndex(qOf(0.45)), 100);
    EXPECT_EQ(QValueToIndex(qOf(0.55)), 99);
    EXPECT_EQ(QValueToIndex(qOf(2.49)), 98);
    EXPECT_EQ(QValueToIndex(qOf(2.51)), 97);
    // Negative t: the digit still adds 1, so -1.6 becomes -0.6 and truncates to 0.
    EXPECT_EQ(QValueToIndex(qOf(-1.6)), 100);
    EXPECT_EQ(QValueToIndex(qOf(-1.4)), 101);
}

TEST(EncodingsTest, DelayInSamples) {
    EXPECT_EQ(DelayToSamples(1.0, duMilliseconds), 96);
    EXPECT_EQ(DelayToSamples(1.0, duMetres), 279);
    EXPECT_EQ(DelayToSamples(1.0, duFeet), 85);
    EXPECT_EQ(DelayToSamples(0.0, duMilliseconds), 0);
    EXPECT_EQ(DelayToSamples(680.0, duMilliseconds), 65280);
    EXPECT_EQ(DelayToSamples(0.01, duMilliseconds), 0);  // 0.96 truncates
    EXPECT_EQ(DelayToSamples(1.0, 3), 0);
}

TEST(EncodingsTest, OutOfRangeInputsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(FreqHzToIndex(0.0), INT_MIN);
    EXPECT_EQ(FreqHzToIndex(-5.0), 0);
    EXPECT_EQ(FreqHzToIndex(NAN), 0);
    EXPECT_EQ(FreqHzToIndex(INFINITY), INT_MAX);
    EXPECT_EQ(GainDbToIndex(1e300), INT_MAX);
    EXPECT_EQ(GainDbToIndex(-1e300), INT_MIN + 120);
    EXPECT_EQ(QValueToIndex(0.0), 100 - INT_MAX);
    EXPECT_EQ(QValueToIndex(INFINITY), INT_MAX);
    EXPECT_EQ(DelayToSamples(1e300, duFeet), INT_MAX);
    EXPECT_EQ(DelayToSamples(-1e300, duMetres), INT_MIN);
}

TEST(EncodingsTest, SharedConstants) {
    EXPECT_EQ(TitleText, "WQJ DSP Processor Editor");
    EXPECT_EQ(VersionText, "V1.0");
    EXPECT_EQ(DefaultAddressText, "192.168.2.1");
    EXPECT_EQ(FreqStep, std::pow(2.0, 1.0 / 30));
    EXPECT_EQ(SpeedOfSound, 343.5f);
    EXPECT_NEAR(static_cast<double>(PhaseScale * std::numbers::pi_v<long double>), 18.0, 1e-15);
}

TEST(EncodingsTest, NameTables) {
    ASSERT_EQ(RatioNames.size(), 16u);
    ASSERT_EQ(RatioValues.size(), 16u);
    EXPECT_EQ(RatioNames[0], "1.0");
    EXPECT_EQ(RatioNames[13], "10");
    EXPECT_EQ(RatioNames[RatioLimiter], "Limit");
    EXPECT_EQ(RatioValues[13], 10.0);
    EXPECT_EQ(RatioValues[RatioLimiter], 20.1);
    for (std::size_t i = 1; i < RatioValues.size(); ++i)
        EXPECT_LT(RatioValues[i - 1], RatioValues[i]);

    for (std::string_view name : PeqTypeNames) EXPECT_EQ(name.size(), 12u) << name;
    EXPECT_EQ(PeqTypeNames[ptPeak], " Peak       ");
    EXPECT_EQ(PeqTypeNames[ptLowPass], " Low Cut    ");
    EXPECT_EQ(PeqTypeNames[ptHighPass], " High Cut   ");
    EXPECT_EQ(PeqTypeNames[ptAllpass2], " Allpass 2  ");
    EXPECT_EQ(PeqTypeNames[PeqNameBypass], "   BYPASS   ");

    ASSERT_EQ(ValueSuffixes.size(), 21u);
    EXPECT_EQ(ValueSuffixes[duMilliseconds], " ms");
    EXPECT_EQ(ValueSuffixes[duMetres], "  m");
    EXPECT_EQ(ValueSuffixes[duFeet], " ft");
    EXPECT_EQ(ValueSuffixes[3], "dB");
    EXPECT_EQ(ValueSuffixes[15], "m");
    EXPECT_EQ(ValueSuffixes[20], "FT");
}

}  // namespace
}  // namespace dsp
