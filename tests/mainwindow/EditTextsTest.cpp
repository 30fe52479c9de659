// The EQ boxes' texts and the four parses of typed dynamics values, with the texts that are
// rejected, that name the value already set, and that are no number at all (none raises).

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "mainwindow/EditTexts.h"
#include "mainwindow/SharedConstants.h"
#include "model/Encodings.h"

namespace dsp {
namespace {

TEST(EditTexts, BandBoxesShowFrequencyGainAndQInTheirFormats) {
    struct TCase {
        std::string shown;
        std::string expected;
    };
    const TCase cases[] = {
        {EqFrequencyText(FreqIndexToHz(0)), " 19.7Hz"},
        {EqFrequencyText(250.0), " 250.0Hz"},
        {EqFrequencyText(FreqIndexToHz(170)), "1.00KHz"},
        {EqFrequencyText(FreqIndexToHz(300)), "20.16KHz"},
        {EqGainText(120), "+0.0dB"},
        {EqGainText(119), "-0.1dB"},
        {EqGainText(0), "-12.0dB"},
        {EqGainText(240), "+12.0dB"},
        {EqQText(0), "0.40"},
        {EqQText(10), "0.71"},
        {EqQText(100), "128.00"},
    };
    for (const TCase& c : cases) EXPECT_EQ(c.shown, c.expected);
}

TEST(EditTexts, EveryUnitSpellingFoundTakesTwoCharactersOff) {
    EXPECT_EQ(WithoutUnit("-12.3dB", DbSpellings), "-12.3");
    EXPECT_EQ(WithoutUnit("15DB", DbSpellings), "15");
    EXPECT_EQ(WithoutUnit("50mS", MsSpellings), "50");
    EXPECT_EQ(WithoutUnit("7", DbSpellings), "7");
    // Each spelling is looked for in what the ones before it left.
    EXPECT_EQ(WithoutUnit("12dbDB", DbSpellings), "12");
    EXPECT_EQ(WithoutUnit("12dBdb", DbSpellings), "12dB");
    EXPECT_EQ(WithoutUnit("dB", DbSpellings), "");
}

enum class TFamily { Level, Time, Knee, Ratio };

struct TParseCase {
    std::string name;
    TFamily family = TFamily::Level;
    std::string text;             // without its unit
    int position = 0;             // the control's position now
    std::optional<int> expected;  // the new position; nothing: shown again
    int min = 0;                  // times: the fader's range
    int max = 998;
    std::string typed;  // ratios: the box as typed
};

TParseCase Level(std::string name, std::string text, int position, std::optional<int> expected) {
    return {std::move(name), TFamily::Level, std::move(text), position, expected, 0, 0, ""};
}
TParseCase Time(std::string name, std::string text, int position, std::optional<int> expected,
                int min = 0, int max = 998) {
    return {std::move(name), TFamily::Time, std::move(text), position, expected, min, max, ""};
}
TParseCase Knee(std::string name, std::string text, int position, std::optional<int> expected) {
    return {std::move(name), TFamily::Knee, std::move(text), position, expected, 0, 0, ""};
}
TParseCase Ratio(std::string name, std::string text, std::optional<int> expected,
                 std::string typed = "") {
    if (typed.empty()) typed = text;
    return {std::move(name), TFamily::Ratio, std::move(text), 0, expected, 0, 0, std::move(typed)};
}

void PrintTo(const TParseCase& c, std::ostream* os) { *os << c.name; }

std::optional<int> Parse(const TParseCase& c) {
    switch (c.family) {
        case TFamily::Level: return ParseTypedLevel(c.text, c.position);
        case TFamily::Time: return ParseTypedTime(c.text, c.min, c.max, c.position);
        case TFamily::Knee: return ParseTypedKnee(c.text, c.position);
        case TFamily::Ratio: return ParseTypedRatio(c.text, c.typed);
    }
    return std::nullopt;
}

class TypedValueParse : public testing::TestWithParam<TParseCase> {};

TEST_P(TypedValueParse, GivesThePositionOrShowsTheValueAgain) {
    EXPECT_EQ(Parse(GetParam()), GetParam().expected);
}

const std::string kHuge = "1" + std::string(400, '0');

INSTANTIATE_TEST_SUITE_P(
    EditTexts, TypedValueParse,
    testing::Values(
        // Levels: truncated toward zero to the half-dB grid, held within -90..+20.
        Level("LevelFirstDecimalBelowFiveDropsTheDecimals", "-12.3", 0, -24),
        Level("LevelFirstDecimalAboveFiveCutsAfterIt", "-12.7", 0, -25),
        Level("LevelFirstDecimalFiveKeepsTheRest", "-10.55", 0, -21),
        Level("LevelWholePositive", "7.4", 0, 14), Level("LevelAboveTwentyIsTwenty", "25", 0, 40),
        Level("LevelBelowMinusNinetyIsMinusNinety", "-100", 0, -180),
        Level("LevelWithPlusSign", "+10", -20, 20),
        Level("LevelMinusZeroPointThreeIsZero", "-0.3", 10, 0),
        Level("LevelPointAndSevenIsAHalf", ".7", 0, 1),
        Level("LevelHugeNumberIsTwenty", "99999999999999999999", 0, 40),
        Level("LevelAlreadySet", "-6", -12, std::nullopt),
        Level("LevelLetters", "abc", 0, std::nullopt),
        Level("LevelTwoPoints", "1.2.3", 0, std::nullopt),
        Level("LevelPointAlone", ".", 0, std::nullopt),
        Level("LevelPlusAlone", "+", 0, std::nullopt),
        Level("LevelSignAfterADigit", "5-", 0, std::nullopt),
        Level("LevelTwoSigns", "+-5", 0, std::nullopt),
        Level("LevelNothingBeforeAPointBelowFive", ".3", 0, std::nullopt),
        Level("LevelSignBeforeAPointBelowFive", "-.3", 0, std::nullopt),
        Level("LevelNothingAfterThePoint", "5.", 0, std::nullopt),
        Level("LevelSignAfterThePoint", "5.-3", 0, std::nullopt),
        Level("LevelBeyondADouble", kHuge, 0, std::nullopt),
        Level("LevelEmpty", "", 0, std::nullopt),
        // Times: Min + 1 .. Max + 1 milliseconds, position = ms - 1.
        Time("AttackZeroIsOneMillisecond", "0", 5, 0), Time("AttackAboveItsRange", "5000", 5, 998),
        Time("AttackAlreadySet", "50", 49, std::nullopt),
        Time("ReleaseBelowItsRange", "5", 100, 9, 9, 2999),
        Time("HoldAboveItsRange", "2000", 100, 998, 9, 998),
        Time("TimeHugeNumberIsTheLongest", "99999999999999999999999", 5, 998),
        Time("TimeWithAPoint", "50.5", 5, std::nullopt),
        Time("TimePointAlone", ".", 5, std::nullopt), Time("TimeNegative", "-5", 5, std::nullopt),
        Time("TimeEmpty", "", 5, std::nullopt),
        // Knees: 0..12 dB, truncated.
        Knee("KneeTruncated", "3.7", 0, 3), Knee("KneeBelowZero", "-2", 5, 0),
        Knee("KneeAboveTwelve", "15", 0, 12), Knee("KneeLower", "3", 6, 3),
        Knee("KneeAlreadySet", "6", 6, std::nullopt),
        Knee("KneeTwoPoints", "1.2.3", 6, std::nullopt),
        // Ratios: up to the next table entry.
        Ratio("RatioOneToTwo", "1:2", 5), Ratio("RatioGoesUpToTheNextEntry", "1:3.2", 8),
        Ratio("RatioNumberAlone", "4", 9), Ratio("RatioBelowOne", "0.5", 0),
        Ratio("RatioJustAboveTwenty", "20.05", 15), Ratio("RatioAboveEveryEntry", "30", 15),
        Ratio("RatioColonAfterAnotherDigit", "2:1", std::nullopt),
        Ratio("RatioTwoColons", "1:1:1", std::nullopt),
        Ratio("RatioColonAndNothing", "1:", std::nullopt),
        Ratio("RatioLimitInLetters", "Limit", std::nullopt),
        Ratio("RatioTypedUnitAfterTheColon", "1:4", std::nullopt, "1:4dB"),
        Ratio("RatioTwoDigitsBeforeTheColon", "12:5", std::nullopt),
        Ratio("RatioNothingAfterThePoint", "1:4.", std::nullopt),
        Ratio("RatioPointAlone", ".", std::nullopt),
        Ratio("RatioBeyondADouble", kHuge, std::nullopt)),
    [](const testing::TestParamInfo<TParseCase>& row) { return row.param.name; });

}  // namespace
}  // namespace dsp
