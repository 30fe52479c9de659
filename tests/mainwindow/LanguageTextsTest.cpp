// The text tables and the lookup by key.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwindow/LanguageTexts.h"

namespace dsp {
namespace {

constexpr char kFirstLine[] = "//---------------------- Menu ------------------------";

TEST(LanguageTexts, LookupFindsWholeLinesWithoutRegardToCase) {
    EXPECT_EQ(LookUpText("English", "sid_file"), "File");
    EXPECT_EQ(LookUpText("English", "SID_FILE"), "File");
    // A key is a whole line: a prefix of one is no key.
    EXPECT_EQ(LookUpText("English", "SID_FIL"), kFirstLine);
}

TEST(LanguageTexts, AnUnknownKeyGivesTheFirstLineAndAKeyOnTheLastLineNothing) {
    EXPECT_EQ(LookUpText("English", "SID_NOT_THERE"), kFirstLine);
    EXPECT_EQ(LookUpText("ChineseGB", "SID_NOT_THERE"), kFirstLine);
    const std::vector<std::string> lines{"// a", "SID_A", "text", "SID_B"};
    EXPECT_EQ(LookUpText(lines, "SID_A"), "text");
    EXPECT_EQ(LookUpText(lines, "SID_B"), "");
}

TEST(LanguageTexts, TheFirstOfTwoOccurrencesWins) {
    EXPECT_EQ(LookUpText("English", "SID_EXIT"), "Exit");
    EXPECT_EQ(LookUpText("ChineseGB", "SID_EXIT"), "取消");
    EXPECT_EQ(LookUpText("English", "SID_NUMBER"), "Number :");
    EXPECT_EQ(LookUpText("ChineseGB", "SID_NUMBER"), "ID 位址:");
}

TEST(LanguageTexts, TextsKeepTheirBlanksAndTheTablesTheirQuirks) {
    EXPECT_EQ(LookUpText("English", "SID_INPUT_ID"), " Input ID Number");
    EXPECT_EQ(LookUpText("English", "SID_LANGUAGE"), "语言");
    EXPECT_EQ(LookUpText("ChineseGB", "SID_LANGUAGE"), "Language");
    EXPECT_EQ(LookUpText("English", "SID_INFO_ERROR_DOWNLAOD"), "Download File Error !!");
    // Any other language name reads the English table.
    EXPECT_EQ(LookUpText("", "SID_ONLINE"), "OnLine");
    EXPECT_EQ(LookUpText("ChineseGB", "SID_ONLINE"), "已连机");
}

TEST(LanguageTexts, BothTablesHoldTheSameKeysInTheSameOrder) {
    const auto keys = [](const std::vector<std::string>& lines) {
        std::vector<std::string> k;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].rfind("SID_", 0) == 0) k.push_back(lines[i++]);
        }
        return k;
    };
    const std::vector<std::string> english = keys(EnglishTextLines());
    EXPECT_EQ(english, keys(SimplifiedTextLines()));
    EXPECT_GE(english.size(), 125u);
    EXPECT_EQ(EnglishTextLines().front(), kFirstLine);
    EXPECT_EQ(SimplifiedTextLines().front(), kFirstLine);
}

}  // namespace
}  // namespace dsp
