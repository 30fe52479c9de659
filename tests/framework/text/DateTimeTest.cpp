#include <gtest/gtest.h>

#include <array>

#include "framework/core/Exceptions.h"
#include "framework/text/DateTime.h"

namespace dsp {
namespace {

TEST(DateTimeTest, DaysCountFromTheLastDaysOf1899) {
    struct Case {
        int year, month, day;
        double value;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},   {1899, 12, 31, 1},  {1900, 1, 1, 2},
        {1899, 12, 29, -1},  {1900, 3, 1, 61},   {2000, 2, 29, 36585},
        {2024, 1, 1, 45292}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.value) << c.year << "-" << c.month;
        int y = 0, m = 0, d = 0;
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{c.year, c.month, c.day}));
    }
    EXPECT_EQ(DayOfWeek(0), 7);      // a Saturday
    EXPECT_EQ(DayOfWeek(45292), 2);  // 1 January 2024, a Monday
    EXPECT_EQ(DayOfWeek(-1), 6);
}

TEST(DateTimeTest, EncodingRefusesImpossibleDatesAndTimes) {
    for (auto [y, m, d] : {std::array<int, 3>{2023, 2, 29},
                           {1900, 2, 29},
                           {2024, 13, 1},
                           {2024, 4, 31},
                           {0, 1, 1},
                           {10000, 1, 1},
                           {2024, 1, 0}}) {
        EXPECT_THROW(EncodeDate(y, m, d), EConvertError) << y << "-" << m << "-" << d;
    }
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    try {
        EncodeDate(2023, 2, 29);
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to date encode");
    }
}

TEST(DateTimeTest, TimeOfDayRoundsToMillisecondsAndCarriesAtMidnight) {
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(EncodeTime(13, 45, 30, 250), h, n, s, ms);
    EXPECT_EQ((std::array<int, 4>{h, n, s, ms}), (std::array<int, 4>{13, 45, 30, 250}));
    // The fraction of a negative value is still the time of day.
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
    const double justBeforeMidnight = 1 + (86400000 - 0.4) / 86400000.0;
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", justBeforeMidnight),
              "1900-01-01 00:00:00.000");
}

TEST(DateTimeTest, FormatCodes) {
    const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"hh:nn:ss", "14:07:09"},
        {"hh:nn:ss.zzz", "14:07:09.045"},
        {"m/d hh:nn:ss", "3/5 14:07:09"},
        {"d mmm h:nn:ss am/pm", "5 Mar 2:07:09 pm"},
        {"m/d/yy h:nn:ss AM/PM", "3/5/24 2:07:09 PM"},
        {"m/d/yyyy h:nn:ss a/p", "3/5/2024 2:07:09 p"},
        {"dddd, mmmm d", "Tuesday, March 5"},
        {"ddd dd.mm.yyyy", "Tue 05.03.2024"},
        {"h:mm", "14:07"},  // minutes right after an hour code
        {"\"at\" hh'h'", "at 14h"},
        {"c", "3/5/2024 2:07:09 PM"},
        {"", "3/5/2024 2:07:09 PM"},
        {"ddddd", "3/5/2024"},
        {"t", "2:07 PM"},
        {"z", "45"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.format, t), c.text) << c.format;
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "3/5/2024");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", 2.5), "12:00:00");
    EXPECT_EQ(FormatDateTime("h am/pm", 0), "12 am");
}

TEST(DateTimeTest, NowCanBeRoutedToAnotherClock) {
    const TDateTime fixed = EncodeDate(2030, 6, 1) + EncodeTime(8, 0, 0, 0);
    SetNowFunction([fixed] { return fixed; });
    EXPECT_EQ(Now(), fixed);
    EXPECT_EQ(Date(), EncodeDate(2030, 6, 1));
    SetNowFunction(nullptr);
    const TDateTime real = Now();
    EXPECT_GT(real, EncodeDate(2020, 1, 1));
    EXPECT_LT(real, EncodeDate(2200, 1, 1));
}

TEST(DateTimeTest, TextsReadBackWhatTheyShow) {
    SetNowFunction([] { return EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0); });
    const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
    EXPECT_EQ(DateTimeToStr(t), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(DateToStr(t), "3/5/2024");
    EXPECT_EQ(TimeToStr(t), "2:07:09 PM");
    for (TDateTime v : {t, EncodeDate(1999, 12, 31), EncodeDate(1850, 7, 1) - 0.75,
                        EncodeTime(0, 0, 1, 0), 0.5}) {
        EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(v)), v) << DateTimeToStr(v);
    }
    struct Case {
        const char* text;
        TDateTime value;
    };
    const Case cases[] = {
        {" 3/5/2024 ", EncodeDate(2024, 3, 5)},
        {"3/5", EncodeDate(2024, 3, 5)},                         // this year
        {"3/5/30", EncodeDate(2030, 3, 5)},                      // within 50 years
        {"3/5/80", EncodeDate(1980, 3, 5)},                      // not 2080
        {"12/31/1899 12:00 am", EncodeDate(1899, 12, 31)},       //
        {"14:30", EncodeTime(14, 30, 0, 0)},                     // a time alone
        {"2:30:15.250 pm", EncodeTime(14, 30, 15, 250)},         //
        {"12 AM", 0},                                            // midnight
        {"3/5/2024 12:00:00 PM", EncodeDate(2024, 3, 5) + 0.5},  //
        {"12/29/1899 6:00 AM", -1.25},                           // time of day away from 0
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(StrToDateTime(c.text), c.value) << c.text;
    EXPECT_DOUBLE_EQ(StrToDate("2/29/2024"), EncodeDate(2024, 2, 29));
    EXPECT_DOUBLE_EQ(StrToTime("23:59:59.999"), EncodeTime(23, 59, 59, 999));
    for (const char* bad : {"", "abc", "2/30/2024", "13/1/2024", "25:00", "3/5/2024 x", "13:00 PM",
                            "3/5/2024 25:00", "1.5"}) {
        EXPECT_THROW(StrToDateTime(bad), EConvertError) << bad;
    }
    EXPECT_THROW(StrToDate("14:30"), EConvertError);
    EXPECT_THROW(StrToTime("3/5/2024"), EConvertError);
    try {
        StrToDateTime("soon");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'soon' is not a valid date and time");
    }
    SetNowFunction(nullptr);
}

}  // namespace
}  // namespace dsp
