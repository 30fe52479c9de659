#include <gtest/gtest.h>

#include <string>

#include "framework/text/Gbk.h"

namespace dsp {
namespace {

// "中文" in GBK is D6 D0 CE C4; in UTF-8 E4 B8 AD E6 96 87.
const std::string kChineseUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string kChineseGbk = "\xD6\xD0\xCE\xC4";

TEST(GbkTest, ConvertsBothWays) {
    EXPECT_EQ(Utf8ToGbk("Main " + kChineseUtf8), "Main " + kChineseGbk);
    EXPECT_EQ(GbkToUtf8("Main " + kChineseGbk), "Main " + kChineseUtf8);
    EXPECT_EQ(Utf8ToGbk(""), "");
}

TEST(GbkTest, UnknownCharactersAndBadBytesBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x8E\xB5"
                        "b"),
              "a?b");  // a musical note GBK lacks
    EXPECT_EQ(Utf8ToGbk("a\xFF"
                        "b"),
              "a?b");                          // not UTF-8
    EXPECT_EQ(GbkToUtf8("a\xD6"), "a?");       // a lead byte cut off at the end
    EXPECT_EQ(GbkToUtf8("\x81\x20x"), "? x");  // a bad pair keeps its second byte
}

TEST(GbkTest, FixedFieldsNeverEndInHalfACharacter) {
    struct Case {
        std::string utf8;
        std::size_t maxBytes;
        std::string gbk;
    };
    const Case cases[] = {
        {"ABCDEFGH", 8, "ABCDEFGH"},
        {"ABCDEFGHIJ", 8, "ABCDEFGH"},
        {"ABCDEFG" + kChineseUtf8, 8, "ABCDEFG"},  // the 8th byte would be a half
        {"ABCDEF" + kChineseUtf8, 8, "ABCDEF\xD6\xD0"},
        {kChineseUtf8 + kChineseUtf8 + kChineseUtf8 + kChineseUtf8, 14,
         kChineseGbk + kChineseGbk + kChineseGbk + "\xD6\xD0"},
        {"A" + kChineseUtf8 + kChineseUtf8 + kChineseUtf8 + kChineseUtf8, 14,
         "A" + kChineseGbk + kChineseGbk + kChineseGbk},
        {"\xE2\x82\xAC"
         "1234567",
         8,
         "\x80"
         "1234567"},  // the euro sign is one byte
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8ToGbkField(c.utf8, c.maxBytes), c.gbk) << c.utf8;
    EXPECT_EQ(GbkCut("\xD6\xD0\xCE", 3), "\xD6\xD0");
}

}  // namespace
}  // namespace dsp
