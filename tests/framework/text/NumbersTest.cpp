#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"

namespace dsp {
namespace {

TEST(FloatToStrTest, GeneralFormWithFifteenDigits) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},  // the 17th digit stays hidden
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E15"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-0.000012345, "-1.2345E-5"},
        {1.5e-300, "1.5E-300"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
}

TEST(FloatToStrTest, FixedAndNumberFormsRoundHalvesAwayFromZero) {
    EXPECT_EQ(FloatToStrF(2.5, ffFixed, 15, 0), "3");
    EXPECT_EQ(FloatToStrF(-2.5, ffFixed, 15, 0), "-3");
    EXPECT_EQ(FloatToStrF(0.125, ffFixed, 15, 2), "0.13");
    EXPECT_EQ(FloatToStrF(1.005, ffFixed, 15, 2), "1.01");  // as written, not as stored
    EXPECT_EQ(FloatToStrF(-0.004, ffFixed, 15, 2), "0.00");
    EXPECT_EQ(FloatToStrF(9.995, ffFixed, 15, 2), "10.00");
    EXPECT_EQ(FloatToStrF(9876543.5, ffNumber, 15, 2), "9,876,543.50");
    EXPECT_EQ(FloatToStrF(-999.5, ffNumber, 15, 0), "-1,000");
    EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), "1.235E+03");
}

TEST(NumberParsingTest, StrToFloatAcceptsTheFrameworksShapeOnly) {
    struct Case {
        const char* text;
        double value;
    };
    const Case good[] = {
        {"1.5", 1.5}, {"  -2", -2},  {"+3.25", 3.25},   {".5", 0.5},
        {"5.", 5},    {"1e3", 1000}, {"1.5E-2", 0.015}, {"2.5 ", 2.5},
        {"\t7", 7},   {"1e-400", 0}, {"0012.50", 12.5},
    };
    for (const Case& c : good) EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value) << c.text;

    for (const char* bad : {"", " ", "1,5", "1.5.2", "abc", "1e", "e5", "--1", "1 2", "0x10",
                            "1e400", "INF", "NAN", "12dB"}) {
        try {
            StrToFloat(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(),
                      "'" + std::string(bad) + "' is not a valid floating point value");
        }
        EXPECT_EQ(StrToFloatDef(bad, -7), -7);
    }
}

TEST(NumberParsingTest, StrToIntRangesAndRadixes) {
    struct Case {
        const char* text;
        int value;
    };
    const Case good[] = {
        {"42", 42},
        {"  -17", -17},
        {"+8", 8},
        {"$FF", 255},
        {"0x1f", 31},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"$FFFFFFFF", -1},
        {"0x80000000", std::numeric_limits<int>::min()},
    };
    for (const Case& c : good) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;

    for (const char* bad :
         {"", "12 ", "1.0", "2147483648", "-2147483649", "$", "0x", "$1FFFFFFFF", "- 1", "ten"}) {
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
        EXPECT_EQ(StrToIntDef(bad, 99), 99) << bad;
    }
    try {
        StrToInt("x1");
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x1' is not a valid integer value");
    }
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

TEST(RoundingTest, RoundTakesHalvesToEvenTruncCutsTowardZero) {
    struct Case {
        double value;
        std::int64_t round;
        std::int64_t trunc;
    };
    const Case cases[] = {
        {0.5, 0, 0},
        {1.5, 2, 1},
        {2.5, 2, 2},
        {3.5, 4, 3},
        {-0.5, 0, 0},
        {-1.5, -2, -1},
        {-2.5, -2, -2},
        {2.4999999, 2, 2},
        {2.5000001, 3, 2},
        {-2.7, -3, -2},
        {1e15 + 0.5, 1000000000000000, 1000000000000000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Round(c.value), c.round) << c.value;
        EXPECT_EQ(Trunc(c.value), c.trunc) << c.value;
    }
    EXPECT_THROW(Round(std::nan("")), EInvalidOp);
    EXPECT_THROW(Trunc(1e19), EInvalidOp);
    EXPECT_THROW(Round(-1e19), EInvalidOp);
    EXPECT_DOUBLE_EQ(Frac(-2.75), -0.75);
    EXPECT_DOUBLE_EQ(Int(-2.75), -2.0);
}

TEST(IntToTextTest, HexadecimalDigits) {
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(0x123456789A, 0), "123456789A");
    EXPECT_EQ(IntToStr(-12), "-12");
}

}  // namespace
}  // namespace dsp
