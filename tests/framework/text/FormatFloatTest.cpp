#include <gtest/gtest.h>

#include "framework/text/FormatFloat.h"

namespace dsp {
namespace {

TEST(FormatFloatTest, Pictures) {
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"#,#0", 9876543.5, "9,876,544"},
        {"#,#0.00", 9876543.5, "9,876,543.50"},
        {"#,#0.000", -1234.0625, "-1,234.063"},
        {"#,#0", 0, "0"},
        {"#,#0", 999.4, "999"},
        {"0.00", 0.005, "0.01"},
        {"0.##", 1.5, "1.5"},
        {"0.##", 2, "2"},
        {"#.##", 0.5, ".5"},
        {"#", 0, ""},
        {"000", 7, "007"},
        {"0.0#", 3.14159, "3.14"},
        {"0.00E+00", 1234.5, "1.23E+03"},
        {"0.0e-0", 0.00012, "1.2e-4"},
        {"0.00E+000", 0, "0.00E+000"},
        {"0.0 dB", -3.25, "-3.3 dB"},
        {"\"x=\"0.0", 2, "x=2.0"},
        {"0.00;(0.00)", -5, "(5.00)"},
        {"0.00;(0.00);\"zero\"", 0.001, "zero"},
        {"0.00;;\"zero\"", -2, "-2.00"},
        {"0.0", -0.01, "0.0"},
        {"", 0.1, "0.1"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format;
}

}  // namespace
}  // namespace dsp
