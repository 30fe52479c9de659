// The rich-text reader: tables, formatting, characters in their code pages and as Unicode,
// skipped destinations, and text that is not well formed.

#include <gtest/gtest.h>

#include <string>

#include "widgets/styled/RtfReader.h"

namespace dsp {
namespace {

const char* const kDocument =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern\\fcharset0 Courier New;}"
    "{\\f2\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
    "{\\*\\generator Some Writer 1.0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title Ignored}}\r\n"
    "\\pard\\qc\\sb120\\b\\fs32\\cf1 Title\\b0\\par\r\n"
    "\\pard\\li720\\fi-360\\fs20 Normal \\i italic\\i0  \\ul under\\ulnone\\tab x\\par\r\n"
    "\\f2\\fs21 \\'d6\\'d0\\'ce\\'c4\\par\r\n"
    "\\f0 caf\\'e9 \\u8364? \\uc2\\u8212 xy z\\line next\\par\r\n"
    "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}{\\pict\\pngblip 89504e47}\\par}";

TEST(RtfReaderTest, ReadsTablesParagraphsFormatsAndCharacters) {
    const TRtfDocument d = ReadRtf(kDocument);
    ASSERT_EQ(d.fonts.size(), 3u);
    EXPECT_EQ(d.FontName(0), "Arial");
    EXPECT_EQ(d.FontName(1), "Courier New");
    EXPECT_EQ(d.FontName(2), "\xE5\xAE\x8B\xE4\xBD\x93") << "a GBK name (SimSun)";
    EXPECT_EQ(d.FontName(7), "");
    ASSERT_EQ(d.colors.size(), 3u);
    EXPECT_EQ(d.Color(0), clNone) << "the automatic colour";
    EXPECT_EQ(d.Color(1), static_cast<TColor>(RGB(255, 0, 0)));
    EXPECT_EQ(d.Color(2), static_cast<TColor>(RGB(0, 0, 128)));
    EXPECT_EQ(d.Color(9), clNone);

    EXPECT_EQ(d.PlainText(),
              "Title\r\n"
              "Normal italic under\tx\r\n"
              "\xE4\xB8\xAD\xE6\x96\x87\r\n"                       // GBK D6D0 CEC4
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x94 z\vnext\r\n"  // é, €, em dash
              "link\r\n");
    ASSERT_EQ(d.paragraphs.size(), 5u);
    const TRtfParagraph& title = d.paragraphs[0];
    EXPECT_EQ(title.alignment, TRtfAlignment::Center);
    EXPECT_EQ(title.spaceBefore, 120);
    ASSERT_EQ(title.runs.size(), 1u);
    EXPECT_TRUE(title.runs[0].format.bold);
    EXPECT_EQ(title.runs[0].format.halfPoints, 32);
    EXPECT_EQ(title.runs[0].format.color, 1);
    EXPECT_FALSE(title.markFormat.bold);

    const TRtfParagraph& body = d.paragraphs[1];
    EXPECT_EQ(body.alignment, TRtfAlignment::Left) << "\\pard resets the paragraph";
    EXPECT_EQ(body.leftIndent, 720);
    EXPECT_EQ(body.firstIndent, -360);
    ASSERT_EQ(body.runs.size(), 6u);
    EXPECT_EQ(body.runs[0].text, "Normal ");
    EXPECT_EQ(body.runs[0].format.halfPoints, 20);
    EXPECT_EQ(body.runs[0].format.color, 1) << "character formats hold across paragraphs";
    EXPECT_TRUE(body.runs[1].format.italic);
    EXPECT_EQ(body.runs[2].text, " ");
    EXPECT_TRUE(body.runs[3].format.underline);
    EXPECT_EQ(body.runs[4].kind, TRtfRun::TKind::Tab);
    EXPECT_EQ(body.runs[5].text, "x");
    EXPECT_TRUE(body.tabStops.empty());
    EXPECT_EQ(ReadRtf("{\\rtf1\\tx3000\\tx1000 a\\par}").paragraphs[0].tabStops,
              (std::vector<int>{1000, 3000}));
    EXPECT_EQ(d.paragraphs[2].runs[0].format.font, 2);
    EXPECT_EQ(d.paragraphs[2].runs[0].format.halfPoints, 21);
    EXPECT_EQ(d.paragraphs[3].runs[1].kind, TRtfRun::TKind::LineBreak);
}

TEST(RtfReaderTest, FontTablesWithBlanksBetweenEntriesOrWithoutGroupsKeepEveryFont) {
    const TRtfDocument spaced =
        ReadRtf("{\\rtf1{\\fonttbl {\\f0 Arial;} {\\f3 Courier New;}}\\f3 x}");
    EXPECT_EQ(spaced.FontName(0), "Arial");
    EXPECT_EQ(spaced.FontName(3), "Courier New");
    const TRtfDocument flat = ReadRtf("{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1 Tahoma;}x}");
    EXPECT_EQ(flat.FontName(0), "Arial");
    EXPECT_EQ(flat.FontName(1), "Tahoma");
    EXPECT_EQ(flat.PlainText(), "x\r\n");
}

TEST(RtfReaderTest, TheDocumentsCodePageDecidesForFontsOfTheDefaultCharset) {
    const TRtfDocument chinese =
        ReadRtf("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset1 X;}}\\f0 \\'d6\\'d0}");
    EXPECT_EQ(chinese.PlainText(), "\xE4\xB8\xAD\r\n");
    const TRtfDocument western = ReadRtf("{\\rtf1\\ansi\\'80\\'e9}");
    EXPECT_EQ(western.PlainText(), "\xE2\x82\xAC\xC3\xA9\r\n");
    // \plain goes back to the default font and size.
    const TRtfDocument plain = ReadRtf("{\\rtf1\\deff1\\b\\fs40 a\\plain b}");
    ASSERT_EQ(plain.paragraphs[0].runs.size(), 2u);
    EXPECT_EQ(plain.paragraphs[0].runs[1].format.font, 1);
    EXPECT_EQ(plain.paragraphs[0].runs[1].format.halfPoints, 24);
    EXPECT_FALSE(plain.paragraphs[0].runs[1].format.bold);
}

TEST(RtfReaderTest, TextThatIsNotWellFormedIsReadAsFarAsItGoes) {
    struct Case {
        std::string text;
        std::string plain;
    };
    const Case cases[] = {
        {"{\\rtf1 unclosed", "unclosed\r\n"},
        {"}}}after{", "after\r\n"},
        {"{\\rtf1 a\\'zzb}", "azzb\r\n"},
        {"{\\rtf1 a\\u}", "a\r\n"},
        {"{\\rtf1 a\\bin3 xyzb}", "ab\r\n"},
        {"{\\rtf1 a\\bin999999999}", "a\r\n"},
        {"not rtf at all", "not rtf at all\r\n"},
        {"{\\rtf1 \\fs999999999 big\\cf-4 c}", "bigc\r\n"},
        {"{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop x}", "ghijklmnop x\r\n"},
        {std::string(5000, '{') + "deep" + std::string(5000, '}'), "deep\r\n"},
        {"", ""},
    };
    for (const Case& c : cases) {
        const TRtfDocument d = ReadRtf(c.text);
        EXPECT_EQ(d.PlainText(), c.plain) << c.text.substr(0, 60);
    }
    const TRtfDocument huge = ReadRtf("{\\rtf1 \\fs999999999 big}");
    EXPECT_EQ(huge.paragraphs[0].runs[0].format.halfPoints, 2000) << "sizes are kept in range";
}

}  // namespace
}  // namespace dsp
