#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/IniFile.h"
#include "framework/text/StringList.h"
#include "framework/text/WholeFile.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    test::TTempFolder folder_;
    std::string file_ = folder_.File("settings.ini");
};

TEST_F(IniFileTest, ReplacesAKeyInPlaceAndKeepsEverythingElse) {
    ASSERT_TRUE(WriteWholeFile(file_,
                               "; kept comment\r\n"
                               "[Fill]\r\n"
                               "Color=1\r\n"
                               "Opacity=255\r\n"
                               "\r\n"
                               "[Other]\r\n"
                               "Keep=yes\r\n"));
    TIniFile ini(file_);
    ini.WriteInteger("fill", "COLOR", -16777201);
    ini.WriteString("Fill", "Angle", "90");
    ini.WriteString("New", "Key", "v");
    EXPECT_EQ(ReadWholeFile(file_),
              "; kept comment\r\n"
              "[Fill]\r\n"
              "COLOR=-16777201\r\n"
              "Opacity=255\r\n"
              "Angle=90\r\n"
              "\r\n"
              "[Other]\r\n"
              "Keep=yes\r\n"
              "\r\n"
              "[New]\r\n"
              "Key=v\r\n");
}

// Names that would not read back as themselves: a key with "=" reads as another key, one that
// begins with "[" can turn into a section that takes the section's later keys, and a line
// break makes lines of its own. They are refused and the file stays as it was.
TEST_F(IniFileTest, NamesTheFileCannotHoldAreRefusedAndChangeNothing) {
    const std::string text =
        "[Fill]\r\n"
        "Color=1\r\n"
        "Opacity=255\r\n";
    ASSERT_TRUE(WriteWholeFile(file_, text));
    struct Name {
        const char* section;
        const char* key;
        const char* value;
    } refused[] = {
        {"Fill", "Color=2", "x"},   {"Fill", "[Other]", "x"}, {"Fill", "[Other", "x]"},
        {"Fill", " ; note", "x"},   {"Fill", "Co\nlor", "x"}, {"Fi]ll", "Color", "x"},
        {"Fill\r\n[X", "Key", "x"},
    };
    TIniFile ini(file_);
    for (const Name& n : refused) {
        SCOPED_TRACE(std::string(n.section) + " / " + n.key);
        EXPECT_THROW(ini.WriteString(n.section, n.key, n.value), EIniFileException);
        EXPECT_EQ(ReadWholeFile(file_), text);
    }
    EXPECT_EQ(ini.ReadString("Fill", "Opacity", ""), "255");
    // Blanks around a name, "[" or ";" inside one, and an empty key are fine.
    ini.WriteString(" Fill ", " Size ", "3");
    ini.WriteString("Fill", "a[b];c", "4");
    ini.WriteString("[Odd", "", "5");
    EXPECT_EQ(ini.ReadString("Fill", "Size", ""), "3");
    EXPECT_EQ(ini.ReadString("fill", "A[B];C", ""), "4");
    EXPECT_EQ(ini.ReadString("[Odd", "", ""), "5");
    EXPECT_EQ(ini.ReadString("Fill", "Opacity", ""), "255");
}

TEST_F(IniFileTest, ReadsWithTheProfileRules) {
    const std::string longValue(40000, 'A');
    ASSERT_TRUE(WriteWholeFile(file_,
                               "Orphan=1\n"
                               "[ Fill ]\n"
                               "  Color =  255  \n"
                               "Quoted=\"  padded  \"\n"
                               "Hex=0x1F\n"
                               "Dollar=$10\n"
                               "Flag=2\n"
                               "Word=True\n"
                               "Ratio=1.5\n"
                               ";Color=0\n"
                               "Picture=" +
                                   longValue +
                                   "\n"
                                   "Color=999\n"
                                   "[fill]\n"
                                   "Late=1\n"));
    TIniFile ini(file_);
    EXPECT_EQ(ini.ReadInteger("FILL", "color", 0), 255);  // the first key wins
    EXPECT_EQ(ini.ReadString("Fill", "Quoted", ""), "  padded  ");
    EXPECT_EQ(ini.ReadInteger("Fill", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Fill", "Dollar", 0), 16);
    EXPECT_TRUE(ini.ReadBool("Fill", "Flag", false));
    EXPECT_TRUE(ini.ReadBool("Fill", "Word", true));  // not a number: the fallback
    EXPECT_FALSE(ini.ReadBool("Fill", "Word", false));
    EXPECT_EQ(ini.ReadFloat("Fill", "Ratio", 0), 1.5);
    EXPECT_EQ(ini.ReadString("Fill", "Picture", "").size(), longValue.size());
    EXPECT_EQ(ini.ReadString("Fill", "Late", "none"), "none");  // only the first section counts
    EXPECT_EQ(ini.ReadString("Nowhere", "Orphan", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Fill", "Missing", -5), -5);

    TStringList keys;
    ini.ReadSection("Fill", keys);
    EXPECT_EQ(keys.CommaText(), "Color,Quoted,Hex,Dollar,Flag,Word,Ratio,Picture,Color");
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.CommaText(), "Fill,fill");
}

TEST_F(IniFileTest, EraseAndDeleteAndAMissingFile) {
    TIniFile ini(file_);
    EXPECT_EQ(ini.ReadString("A", "x", "d"), "d");
    EXPECT_FALSE(ini.SectionExists("A"));
    ini.WriteBool("A", "x", true);
    ini.WriteFloat("A", "y", 0.25);
    ini.WriteString("B", "z", "line\r\nbreak");
    EXPECT_TRUE(ini.ValueExists("a", "Y"));
    EXPECT_EQ(ini.ReadString("A", "y", ""), "0.25");
    EXPECT_EQ(ini.ReadString("B", "z", ""), "line  break");
    ini.DeleteKey("A", "x");
    ini.EraseSection("B");
    TStringList values;
    ini.ReadSectionValues("A", values);
    EXPECT_EQ(values.Text(), "y=0.25\r\n");
    EXPECT_FALSE(ini.SectionExists("B"));

    TIniFile nowhere(folder_.File("no/such/folder.ini"));
    try {
        nowhere.WriteString("A", "x", "1");
        FAIL();
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + folder_.File("no/such/folder.ini"));
    }
}

TEST_F(IniFileTest, MemoryIniWritesOnlyOnUpdate) {
    TMemIniFile ini(file_);
    ini.WriteString("S", "k", "v");
    EXPECT_FALSE(ReadWholeFile(file_).has_value());
    ini.UpdateFile();
    TIniFile check(file_);
    EXPECT_EQ(check.ReadString("S", "k", ""), "v");
}

}  // namespace
}  // namespace dsp
