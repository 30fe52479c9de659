#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/StringList.h"
#include "framework/text/WholeFile.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

std::vector<std::string> LinesOf(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
    return lines;
}

// An object that counts its own destruction.
class TCounted : public TObject {
public:
    explicit TCounted(int& freed) : freed_(freed) {}
    ~TCounted() override { ++freed_; }

private:
    int& freed_;
};

TEST(StringListTest, LookUpIgnoresCaseUnlessAskedNot) {
    TStringList list;
    list.Add("Gain");
    list.Add("Delay");
    EXPECT_EQ(list.IndexOf("DELAY"), 1);
    EXPECT_EQ(list.IndexOf("mute"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("DELAY"), -1);
}

TEST(StringListTest, SortedListWithDuplicatesInsertsBeforeEqualKeys) {
    // Keys as a layout sorts its objects by z-order text: "10" sorts before "2".
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    TObject a, b, c, d, e;
    list.AddObject("2", &a);
    list.AddObject("10", &b);
    list.AddObject("2", &c);
    list.AddObject("1", &d);
    list.AddObject("2", &e);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"1", "10", "2", "2", "2"}));
    // The last added of equal keys comes first.
    EXPECT_EQ(list.Objects(2), &e);
    EXPECT_EQ(list.Objects(3), &c);
    EXPECT_EQ(list.Objects(4), &a);
    EXPECT_EQ(list.IndexOf("2"), 2);
}

TEST(StringListTest, DuplicateRulesOfASortedList) {
    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    list.Add("a");
    EXPECT_EQ(list.Add("B"), 1);  // ignored: found without regard to case
    EXPECT_EQ(list.Count(), 2);
    list.SetDuplicates(dupError);
    try {
        list.Add("a");
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    EXPECT_THROW(list.Insert(0, "c"), EStringListError);
    EXPECT_THROW(list.SetStrings(0, "c"), EStringListError);
    try {
        list.Strings(2);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
}

TEST(StringListTest, SortingKeepsTheOrderOfEqualLinesAndTheirObjects) {
    TStringList list;
    TObject x, y;
    list.AddObject("b", &x);
    list.Add("A");
    list.AddObject("B", &y);
    list.SetSorted(true);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"A", "b", "B"}));
    EXPECT_EQ(list.Objects(1), &x);
    EXPECT_EQ(list.Objects(2), &y);
}

TEST(StringListTest, TextSplitsAtEveryKindOfLineBreak) {
    TStringList list;
    list.SetText("one\r\ntwo\nthree\rfour\r\n\r\nsix\n");
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"one", "two", "three", "four", "", "six"}));
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n\r\nsix\r\n");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
}

TEST(StringListTest, CommaTextQuotesWhatNeedsIt) {
    struct Case {
        std::vector<std::string> lines;
        const char* text;
    };
    const Case cases[] = {
        {{"a", "b"}, "a,b"},
        {{"two words", "x"}, "\"two words\",x"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"a,b"}, "\"a,b\""},
        {{"a", "", "c"}, "a,,c"},
        {{""}, "\"\""},
        {{}, ""},
    };
    for (const Case& c : cases) {
        TStringList list;
        for (const std::string& line : c.lines) list.Add(line);
        EXPECT_EQ(list.CommaText(), c.text);
        TStringList back;
        back.SetCommaText(c.text);
        EXPECT_EQ(LinesOf(back), c.lines) << c.text;
    }
    // Reading: blanks separate too, and a comma at the end adds an empty line.
    TStringList list;
    list.SetCommaText("  a b,\"c d\" ,e,");
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"a", "b", "c d", "e", ""}));
}

TEST(StringListTest, NameValuePairs) {
    TStringList list;
    list.Add("Color=255");
    list.Add("plain line");
    list.Add("Size=9=x");
    EXPECT_EQ(list.Values("color"), "255");
    EXPECT_EQ(list.Values("Size"), "9=x");
    EXPECT_EQ(list.Names(1), "");
    list.SetValues("Size", "10");
    list.SetValues("Style", "1");
    list.SetValues("Color", "");
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"plain line", "Size=10", "Style=1"}));
    EXPECT_EQ(list.IndexOfName("STYLE"), 2);
    EXPECT_EQ(list.ValueFromIndex(1), "10");
}

TEST(StringListTest, OwnedObjectsAreFreedWithTheirLines) {
    int freed = 0;
    {
        TStringList list;
        list.SetOwnsObjects(true);
        list.AddObject("a", new TCounted(freed));
        list.AddObject("b", new TCounted(freed));
        list.AddObject("c", new TCounted(freed));
        list.Delete(0);
        EXPECT_EQ(freed, 1);
    }
    EXPECT_EQ(freed, 3);
}

TEST(StringListTest, ChangeEventsComeOncePerBatch) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(changes, 2);
    list.BeginUpdate();
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changes, 3);
    list.SetCommaText("x,y,z");
    EXPECT_EQ(changes, 4);
}

TEST(StringListTest, FilesUseCrLfAndLoadAnyLineBreak) {
    test::TTempFolder folder;
    const std::string file = folder.File("lines.txt");
    TStringList list;
    list.Add("File Type = Plot Config");
    list.Add("\xE4\xB8\xAD");
    list.SaveToFile(file);
    EXPECT_EQ(ReadWholeFile(file), "File Type = Plot Config\r\n\xE4\xB8\xAD\r\n");

    ASSERT_TRUE(WriteWholeFile(file, "\xEF\xBB\xBFx\ny"));
    TStringList loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(LinesOf(loaded), (std::vector<std::string>{"x", "y"}));

    EXPECT_THROW(loaded.LoadFromFile(folder.File("missing.txt")), EFOpenError);
    EXPECT_THROW(list.SaveToFile(folder.File("no/such/folder.txt")), EFCreateError);
}

TEST(StringListTest, AssignCopiesLinesAndObjects) {
    TStringList from, to;
    TObject x;
    from.AddObject("a", &x);
    to.Add("old");
    to.Assign(&from);
    EXPECT_EQ(LinesOf(to), std::vector<std::string>{"a"});
    EXPECT_EQ(to.Objects(0), &x);
    EXPECT_TRUE(to.Equals(from));
}

}  // namespace
}  // namespace dsp
