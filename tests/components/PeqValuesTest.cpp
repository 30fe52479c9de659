// The EQ band table's value texts, the frequency rounding and the typed-entry rules.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "components/PeqValues.h"
#include "model/Encodings.h"

namespace dsp {
namespace {

TEST(PeqValues, TextsOfThePositions) {
    EXPECT_EQ(PeqFrequencyText(0), "1.00KHz");
    EXPECT_EQ(PeqFrequencyText(-170), "19.7Hz");
    EXPECT_EQ(PeqFrequencyText(130), "20.16KHz");
    EXPECT_EQ(PeqFrequencyText(-100), "99.2Hz");
    EXPECT_EQ(PeqQText(0), "0.40");
    EXPECT_EQ(PeqQText(20), "1.26");
    EXPECT_EQ(PeqQText(100), "128.00");
    EXPECT_EQ(PeqQText(QValueToIndex(12.7)), "12.70");
    EXPECT_EQ(PeqQText(-4), "0.40") << "positions outside the Q table are held to its ends";
    EXPECT_EQ(PeqQText(250), "128.00");
    EXPECT_EQ(PeqGainText(0), "0dB");
    EXPECT_EQ(PeqGainText(-3.5), "-3.5dB");
    EXPECT_EQ(PeqGainText(0.3), "0.3dB");
}

TEST(PeqValues, FrequencyPositionsRoundToThreeDigitsThenCutOrStepAway) {
    auto hzAt = [](double r) { return 1000.0 * std::pow(2.0, r / 30.0); };
    struct TCase {
        double hz;
        int p;
    };
    const TCase cases[] = {{19.6864, -170},
                           {1000, 0},
                           {hzAt(23.46), 23},
                           {hzAt(23.66), 24},
                           {hzAt(-5.7), -6},
                           {hzAt(5.583), 5},
                           {hzAt(-169.31), -169},
                           {hzAt(0.7), 1},
                           {hzAt(-0.04), 0},
                           {0, -170},
                           {-5, -170},
                           {std::nan(""), -170}};
    for (const TCase& c : cases) EXPECT_EQ(PeqFrequencyPosition(c.hz), c.p) << c.hz;
    for (int i = 0; i <= 300; ++i)
        ASSERT_EQ(PeqFrequencyPosition(FreqIndexToHz(i)), i - 170) << "grid index " << i;
    EXPECT_GT(PeqFrequencyPosition(std::numeric_limits<double>::infinity()), 130);
}

enum class TBox { Frequency, Q, Gain };

struct TEntryCase {
    const char* name;
    TBox box;
    std::string text;
    std::optional<int> position;  // nothing: rejected
};

void PrintTo(const TEntryCase& c, std::ostream* os) { *os << c.name; }

class PeqEntry : public ::testing::TestWithParam<TEntryCase> {};

TEST_P(PeqEntry, GivesItsPositionOrIsRejected) {
    const TEntryCase& c = GetParam();
    std::optional<int> got;
    switch (c.box) {
        case TBox::Frequency: got = PeqFrequencyEntry(c.text); break;
        case TBox::Q: got = PeqQEntry(c.text); break;
        case TBox::Gain: got = PeqGainEntry(c.text); break;
    }
    EXPECT_EQ(got, c.position) << '"' << c.text << '"';
}

const TEntryCase kEntries[] = {
    {"FreqSnapsToTheGrid", TBox::Frequency, "1250", 10},
    {"FreqKilo", TBox::Frequency, "1k", 0},
    {"FreqKiloAndUnit", TBox::Frequency, "2.5kHz", 40},
    {"FreqKiloUpperUnit", TBox::Frequency, "1KHZ", 0},
    {"FreqHalfKilo", TBox::Frequency, "1.5k", 18},
    {"FreqHundred", TBox::Frequency, "100", -100},
    {"FreqAboveTheTop", TBox::Frequency, "30k", 130},
    {"FreqBelowTheBottom", TBox::Frequency, "5", -170},
    {"FreqZeroWithPoint", TBox::Frequency, "0.0", -170},
    {"FreqCommaEndsTheNumber", TBox::Frequency, "1250,7", 10},
    {"FreqZero", TBox::Frequency, "0", std::nullopt},
    {"FreqEmpty", TBox::Frequency, "", std::nullopt},
    {"FreqPoint", TBox::Frequency, ".", std::nullopt},
    {"FreqTwoPoints", TBox::Frequency, "1.2.3", std::nullopt},
    {"FreqLetter", TBox::Frequency, "12a", std::nullopt},
    {"FreqUnitAlone", TBox::Frequency, "hz", std::nullopt},
    {"FreqMinus", TBox::Frequency, "-100", std::nullopt},
    {"QAboveTheTop", TBox::Q, "200", 100},
    {"QBelowTheBottom", TBox::Q, "0.1", 0},
    {"QZeroWithPoint", TBox::Q, "0.0", 0},
    {"QCommaEndsTheNumber", TBox::Q, "1,5", QValueToIndex(1.0)},
    {"QTableValue", TBox::Q, "12.7", QValueToIndex(12.7)},
    {"QZero", TBox::Q, "0", std::nullopt},
    {"QUnit", TBox::Q, "2Q", std::nullopt},
    {"GainOneDecimalKept", TBox::Gain, "-3.75dB", -37},
    {"GainAboveTheTop", TBox::Gain, "15", 120},
    {"GainBelowTheBottom", TBox::Gain, "-20", -120},
    {"GainUpperUnit", TBox::Gain, "12DB", 120},
    {"GainTenths", TBox::Gain, "0.3", 3},
    {"GainZero", TBox::Gain, "0", 0},
    {"GainCommaEndsTheNumber", TBox::Gain, "1,5", 10},
    {"GainTrailingMinus", TBox::Gain, "5-", 50},
    {"GainEndsInPoint", TBox::Gain, "5.", std::nullopt},
    {"GainTwoMinus", TBox::Gain, "--5", std::nullopt},
    {"GainMinusAlone", TBox::Gain, "-", std::nullopt},
    {"GainTwoPoints", TBox::Gain, "1.2.3", std::nullopt},
    {"GainLetter", TBox::Gain, "3x", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Table, PeqEntry, ::testing::ValuesIn(kEntries),
                         [](const ::testing::TestParamInfo<TEntryCase>& row) {
                             return std::string(row.param.name);
                         });

TEST(PeqValues, FrequencyIndexOfATypedNumberKeepsExactHalvesDown) {
    // 170.5 exactly: 1000 Hz times half a step.
    const double half = 1000.0 * std::pow(2.0, 0.5 / 30.0);
    EXPECT_EQ(FreqEntryToIndex(half, false), 170);
    EXPECT_EQ(FreqEntryToIndex(half * 1.0001, false), 171);
    EXPECT_EQ(FreqEntryToIndex(2.5, true), 210);
    EXPECT_EQ(FreqEntryToIndex(0, true), 0);
}

}  // namespace
}  // namespace dsp
