#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/ItemStrings.h"
#include "framework/text/StringList.h"

namespace dsp {
namespace {

TEST(StdItemStrings, SortedListsPlaceAddedLinesButInsertWhereAsked) {
    std::vector<std::string> log;
    TItemStrings items([&](TItemChange change, int index, int) {
        log.push_back(std::to_string(static_cast<int>(change)) + ":" + std::to_string(index));
    });
    items.Add("b");
    items.Add("a");
    items.SetSorted(true);
    EXPECT_EQ(items.CommaText(), "a,b");
    EXPECT_EQ(items.Add("B"), 2);  // after the equal line
    EXPECT_EQ(items.Add("A1"), 1);
    items.Insert(0, "z");
    EXPECT_EQ(items.CommaText(), "z,a,A1,b,B");
    items.Delete(0);
    items.SetStrings(0, "a");  // unchanged: no news
    EXPECT_EQ(log, (std::vector<std::string>{"0:0", "0:1", "2:-1", "0:2", "0:1", "0:0", "1:0"}));
    EXPECT_THROW(items.Delete(4), EListError);
}

TEST(StdItemStrings, PrefixSearchGoesRoundAndIgnoresCase) {
    TStringList items;
    items.SetCommaText("\"BW -6\",\"BL -6\",\"BW -12\",\"\xC3\x84rger\"");
    struct Case {
        const char* prefix;
        int after;
        int expected;
    };
    const Case cases[] = {
        {"b", -1, 0},     {"bl", -1, 1}, {"b", 0, 1},  {"b", 2, 0},           // wraps to the top
        {"bw -1", -1, 2}, {"x", -1, -1}, {"", -1, -1}, {"\xC3\xA4r", -1, 3},  // case beyond ASCII
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindItemPrefix(items, c.prefix, c.after), c.expected) << c.prefix << c.after;
    EXPECT_EQ(FindItemExact(items, "bw -12"), 2);
    EXPECT_EQ(FindItemExact(items, "bw -1"), -1);
}

}  // namespace
}  // namespace dsp
