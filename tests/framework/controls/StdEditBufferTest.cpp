#include <gtest/gtest.h>

#include <string>

#include "framework/controls/EditBuffer.h"

namespace dsp {
namespace {

TEST(StdEditBuffer, ProgramTextIgnoresMaximumAndLeavesCaretAtStart) {
    EditBuffer b;
    b.SetText("123456789");
    EXPECT_EQ(b.Text(), "123456789");
    EXPECT_EQ(b.Caret(), 0);
    EXPECT_FALSE(b.HasSelection());
    EXPECT_FALSE(b.CanUndo());
    // Typing at a maximum of 4 into a longer text inserts nothing.
    EXPECT_FALSE(b.Insert("x", 4));
    EXPECT_EQ(b.Text(), "123456789");
}

TEST(StdEditBuffer, TypedHalvesOfACharacterJoinAndStrayHalvesAreDropped) {
    struct Case {
        std::u16string units;
        std::u32string typed;
    };
    const Case cases[] = {
        {u"a\U0001F600b", U"a\U0001F600b"},         // an emoji comes as two halves
        {u"\U00020000", U"\U00020000"},             // a rare Chinese character
        {{u'a', 0xD83D, u'b'}, U"ab"},              // a first half without its second
        {{0xDE00, u'c'}, U"c"},                     // a second half without its first
        {{0xD83D, 0xD83D, 0xDE00}, U"\U0001F600"},  // the later first half counts
    };
    for (const Case& c : cases) {
        TTypedUnits units;
        std::u32string typed;
        for (char16_t unit : c.units) {
            if (const char32_t ch = units.Take(unit); ch != 0) typed.push_back(ch);
        }
        EXPECT_EQ(typed, c.typed) << CharsToUtf8(c.typed);
    }
}

TEST(StdEditBuffer, TypingStopsAtMaximumButReplacesSelection) {
    struct Case {
        const char* text;
        int selStart, selLength;
        const char* typed;
        int maxLength;
        const char* expected;
        int caret;
    };
    const Case cases[] = {
        {"abc", 3, 0, "d", 4, "abcd", 4},
        {"abcd", 4, 0, "e", 4, "abcd", 4},   // full: refused
        {"abcd", 1, 2, "X", 4, "aXd", 2},    // selection makes room
        {"ab", 2, 0, "cdef", 4, "abcd", 4},  // a paste is cut to what fits
        {"ab", 1, 0, "\xE4\xB8\xAD", 3,
         "a\xE4\xB8\xAD"
         "b",
         2},                                 // characters, not bytes
        {"ab", 0, 0, "xyz", 0, "xyzab", 3},  // 0: no limit
    };
    for (const Case& c : cases) {
        EditBuffer b;
        b.SetText(c.text);
        b.SetSelection(c.selStart, c.selLength);
        b.Insert(c.typed, c.maxLength);
        EXPECT_EQ(b.Text(), c.expected) << c.text << " + " << c.typed;
        EXPECT_EQ(b.Caret(), c.caret) << c.text << " + " << c.typed;
    }
}

TEST(StdEditBuffer, DeletionAndOneStepUndo) {
    EditBuffer b;
    b.SetText("hello");
    b.MoveCaret(5, false);
    EXPECT_TRUE(b.DeleteBackward());
    EXPECT_EQ(b.Text(), "hell");
    EXPECT_FALSE(b.DeleteForward());  // at the end
    b.MoveCaret(0, false);
    EXPECT_FALSE(b.DeleteBackward());  // at the start
    b.MoveCaret(1, false);
    b.MoveCaret(3, true);
    EXPECT_EQ(b.SelText(), "el");
    EXPECT_TRUE(b.DeleteForward());
    EXPECT_EQ(b.Text(), "hl");
    EXPECT_TRUE(b.Undo());
    EXPECT_EQ(b.Text(), "hell");
    EXPECT_TRUE(b.Undo());  // undoing the undo
    EXPECT_EQ(b.Text(), "hl");
}

TEST(StdEditBuffer, WordsForControlArrowsAndDoubleClick) {
    EditBuffer b;
    b.SetText("gain -3.5 dB");
    EXPECT_EQ(b.NextWordStart(0), 5);
    EXPECT_EQ(b.NextWordStart(5), 6);
    EXPECT_EQ(b.PreviousWordStart(12), 10);
    EXPECT_EQ(b.PreviousWordStart(10), 8);
    int start = 0;
    int end = 0;
    b.WordAt(2, start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 4);
}

TEST(StdEditBuffer, StrayBytesSurviveTheRoundTrip) {
    const std::string text =
        "a\xFF"
        "b\xE4\xB8";  // a stray byte and a cut character
    EXPECT_EQ(Utf8ToChars(text).size(), 5u);
    EXPECT_EQ(CharsToUtf8(Utf8ToChars(text)), text);
}

}  // namespace
}  // namespace dsp

namespace dsp {
namespace {

TEST(StdEditBuffer, LinesOfMultiLineText) {
    EditBuffer b;
    b.SetText("Memo\r\nsecond\rthird\n");
    EXPECT_EQ(b.Text(), "Memo\nsecond\nthird\n");
    EXPECT_EQ(b.LineCount(), 4);
    EXPECT_EQ(b.LineStart(1), 5);
    EXPECT_EQ(b.LineLength(1), 6);
    EXPECT_EQ(b.LineLength(3), 0);
    EXPECT_EQ(b.LineOf(4), 0);  // the line break belongs to its line
    EXPECT_EQ(b.LineOf(5), 1);
    EXPECT_EQ(b.LineOf(99), 3);
    b.MoveCaret(4, false);
    b.Insert("!\r\nnew", 0);
    EXPECT_EQ(b.LineCount(), 5);
    EXPECT_EQ(b.LineLength(1), 3);
}

}  // namespace
}  // namespace dsp
