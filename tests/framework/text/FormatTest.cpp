#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/text/Format.h"

namespace dsp {
namespace {

TEST(FormatTest, IntegerAndTextConversions) {
    EXPECT_EQ(Format("U%02d", 7), "U07");
    EXPECT_EQ(Format("F%02d", 0), "F00");
    EXPECT_EQ(Format("%3dms", 5), "  5ms");
    EXPECT_EQ(Format("%ddB", -3), "-3dB");
    EXPECT_EQ(Format("%-4d|", 12), "12  |");
    EXPECT_EQ(Format("%05d", -42), "-0042");
    EXPECT_EQ(Format("%.3d", 7), "007");
    EXPECT_EQ(Format("%d.%d.%d.%d", 192, 168, 2, 1), "192.168.2.1");
    EXPECT_EQ(Format("%02X ", std::uint8_t{0x0A}), "0A ");
    EXPECT_EQ(Format("unknown HID error %x", 0xC0110011u), "unknown HID error c0110011");
    EXPECT_EQ(Format("$%.4x", 0x409), "$0409");
    EXPECT_EQ(Format("%x", -1), "ffffffff");
    EXPECT_EQ(Format("%u", -1), "4294967295");
    EXPECT_EQ(Format("%s=%s", "Default", std::string("x")), "Default=x");
    EXPECT_EQ(Format("[%5s][%-5s]", "ab", "cd"), "[   ab][cd   ]");
    EXPECT_EQ(Format("%.2s", "\xE4\xB8\xAD\xE6\x96\x87\x41"), "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(Format("%3s|", "\xE4\xB8\xAD"), "  \xE4\xB8\xAD|");  // width counts characters
    EXPECT_EQ(Format("%*d|%-*d|", 4, 1, 3, 2), "   1|2  |");
    EXPECT_EQ(Format("%1:s %0:s", "world", "hello"), "hello world");
    EXPECT_EQ(Format("100%%"), "100%");
}

TEST(FormatTest, FloatingConversions) {
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"%4.2fKHz", 1.0, "1.00KHz"},
        {"%4.1fHz", 19.7, "19.7Hz"},
        {" %4.1fHz", 250, " 250.0Hz"},
        {"+%3.1fdB", 0.0, "+0.0dB"},
        {"%4.1f", -12.0, "-12.0"},
        {"%+1.1fdB", 6.5, "+6.5dB"},
        {"%+1.1fdB", -6.5, "-6.5dB"},
        {"%3.2f", 0.4, "0.40"},
        {"%4.3f ms", 6.0 / 96, "0.063 ms"},
        {"%.0f%%", 42.4, "42%"},
        {"%.0f", 2.5, "3"},
        {"%f", 3.14159, "3.14"},
        {"%.3f", 0.25, "0.250"},
        {"%08.2f", -3.5, "-0003.50"},
        {"%.2e", 1234.5, "1.2E+003"},
        {"%.4e", 1234.5, "1.235E+003"},
        {"%.3e", -0.000123456, "-1.23E-004"},
        {"%.4e", 0.0, "0.000E+000"},
        {"%.3e", 1e300, "1.00E+300"},
        {"%e", 1.0, "1.00000000000000E+000"},
        {"%g", 0.1 + 0.2, "0.3"},
        {"%.3g", 1234567.0, "1.23E6"},
        {"%n", 1234567.891, "1,234,567.89"},
        {"%.0n", -1234.5, "-1,235"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(c.format, c.value), c.text) << c.format;
    EXPECT_EQ(Format("%.1f", 3), "3.0");  // integers are taken as floating values
}

TEST(FormatTest, MismatchedOrMissingArgumentsRaise) {
    EXPECT_THROW(Format("%d", 1.5), EConvertError);
    EXPECT_THROW(Format("%s", 5), EConvertError);
    EXPECT_THROW(Format("%x", "a"), EConvertError);
    EXPECT_THROW(Format("%q", 1), EConvertError);
    EXPECT_THROW(Format("%5", 1), EConvertError);
    try {
        Format("%d and %d", 1);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "No argument for format '%d and %d'");
    }
    try {
        Format("%d", "x");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format '%d' invalid or incompatible with argument");
    }
    int local = 0;
    EXPECT_EQ(Format("%p", static_cast<const void*>(&local)).size(), 16u);
}

}  // namespace
}  // namespace dsp
