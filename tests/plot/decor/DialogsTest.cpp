// The dialog wrappers, answered by a scripted dialog service: the save dialog's extension rule,
// the open dialog's files, where the dialogs start, and the colour and font dialogs' rules.

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "plot/decor/iColorDialog.h"
#include "plot/decor/iFontDialog.h"
#include "plot/decor/iOpenDialog.h"
#include "plot/decor/iSaveDialog.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

class DialogsTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> form_ = test::MakeForm(100, 100);
    TScriptedDialogs dialogs_;
    test::TTempFolder folder_;
};

// A name typed in the save dialog, the filter chosen, and the name saved.
struct SaveNameCase {
    const char* name;
    const char* typed;
    int filterIndex;
    const char* saved;
    const char* returnExt;
};
void PrintTo(const SaveNameCase& c, std::ostream* os) { *os << c.name; }

class SaveNameTest : public DialogsTest, public ::testing::WithParamInterface<SaveNameCase> {};

TEST_P(SaveNameTest, SaveGivesTheNameTheChosenFiltersExtensionUnlessItHasIt) {
    const SaveNameCase& c = GetParam();
    TiSaveDialog save(form_.get());
    save.SetFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*");
    save.SetFilterIndex(1);
    dialogs_.AnswerFile(folder_.File(c.typed), c.filterIndex);
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), folder_.File(c.saved));
    EXPECT_EQ(save.FilterIndex(), c.filterIndex);
    EXPECT_EQ(save.ReturnExt(), c.returnExt);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveNameTest,
    ::testing::Values(
        SaveNameCase{"NoExtensionGetsTheFilters", "report", 1, "report.txt", ".txt"},
        SaveNameCase{"ItsExtensionInAnyCase", "report.TXT", 1, "report.TXT", ".txt"},
        SaveNameCase{"AnotherExtensionIsKept", "report.csv", 1, "report.csv.txt", ".txt"},
        SaveNameCase{"AllFilesAppendsNothing", "report", 2, "report", ".*"},
        SaveNameCase{"AllFilesKeepsAnExtension", "report.txt", 2, "report.txt", ".*"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(DialogsTest, SaveLooksForTheFirstPatternOfTheExtension) {
    // "*.dat" chosen third but listed first too: the name gets the chosen one.
    TiSaveDialog twice(form_.get());
    twice.SetFilter("Data|*.dat|Log|*.log|Again|*.DAT");
    dialogs_.AnswerFile(folder_.File("x.dat"), 3);
    ASSERT_TRUE(twice.Execute());
    EXPECT_EQ(twice.FileName(), folder_.File("x.dat.DAT"));
}

TEST_F(DialogsTest, FilterListKeepsThePatternsOfTheFilterText) {
    TiSaveDialog save(form_.get());
    save.SetFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*");
    save.BuildFilterList();
    ASSERT_EQ(save.FilterList().Count(), 2);
    EXPECT_EQ(save.FilterList().Strings(0), "*.txt");
    EXPECT_EQ(save.FilterList().Strings(1), "*.*");
    save.SetFilter("A||*.a|B|*.b|");
    save.BuildFilterList();
    EXPECT_EQ(save.FilterList().Count(), 2);
    save.SetFilter("");
    save.BuildFilterList();
    EXPECT_EQ(save.FilterList().Count(), 0);
}

TEST_F(DialogsTest, SaveAsksBeforeReplacingAFileAndStartsInItsFolder) {
    const std::string existing = folder_.File("old.txt");
    std::ofstream(existing) << "x";
    TiSaveDialog save(form_.get());
    save.SetFilter("Text|*.txt");
    save.SetDefaultDir(folder_.Path());
    save.SetFileName(std::string(300, 'n'));
    dialogs_.AnswerFile(existing);
    dialogs_.AnswerButton(mrNo);
    dialogs_.Cancel();
    EXPECT_FALSE(save.Execute()) << "No, then cancel";
    ASSERT_EQ(dialogs_.FileDialogs().size(), 2u);
    EXPECT_EQ(dialogs_.FileDialogs()[0].initialDir, folder_.Path());
    EXPECT_EQ(dialogs_.FileDialogs()[0].fileName.size(), 260u) << "long names are cut";
    EXPECT_EQ(dialogs_.MessageBoxes().size(), 1u);

    TiSaveDialog here(form_.get());
    dialogs_.Cancel();
    EXPECT_FALSE(here.Execute());
    EXPECT_EQ(dialogs_.FileDialogs().back().initialDir, ".");
}

TEST_F(DialogsTest, OpenGivesEveryChosenFileAndTheFirstAsItsName) {
    TiOpenDialog open(form_.get());
    open.SetAllowMultiSelect(true);
    open.SetFileMustExist(true);
    std::vector<std::string> names;
    for (const char* n : {"a.dat", "b.dat", "c.dat"}) {
        names.push_back(folder_.File(n));
        std::ofstream(names.back()) << "x";
    }
    dialogs_.AnswerFiles(names);
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.Files()->Count(), 3);
    EXPECT_EQ(open.Files()->Strings(2), names[2]);
    EXPECT_EQ(open.FileName(), names[0]);
    EXPECT_TRUE(dialogs_.FileDialogs().back().allowMultiSelect);
    EXPECT_TRUE(dialogs_.FileDialogs().back().fileMustExist);

    TiOpenDialog single(form_.get());
    dialogs_.AnswerFile(names[1]);
    ASSERT_TRUE(single.Execute());
    EXPECT_EQ(single.Files()->Count(), 1);
    EXPECT_EQ(single.FileName(), names[1]);

    // Cancel: no files.
    dialogs_.Cancel();
    EXPECT_FALSE(single.Execute());
    EXPECT_EQ(single.Files()->Count(), 0);
}

TEST_F(DialogsTest, FileDialogsWithoutAFormOnTheirOwnerChainShowNothing) {
    TiOpenDialog open(nullptr);
    TiSaveDialog save(nullptr);
    EXPECT_FALSE(open.Execute());
    EXPECT_FALSE(save.Execute());
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(DialogsTest, ColourOpensOnTheRgbValueWithFreshCustomColours) {
    TiColorDialog colour(form_.get());
    colour.SetColor(clBtnFace);
    dialogs_.AnswerColor(0x123456);
    ASSERT_TRUE(colour.Execute());
    EXPECT_EQ(colour.Color(), static_cast<TColor>(0x123456));
    const TColorDialogRequest& asked = dialogs_.ColorDialogs().back();
    EXPECT_EQ(asked.color, static_cast<TColorRef>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(asked.customColors, std::vector<TColorRef>(16, 0xFFFFFF));

    dialogs_.Cancel();
    EXPECT_FALSE(colour.Execute());
    EXPECT_EQ(colour.Color(), static_cast<TColor>(0x123456));

    TComponent plain(nullptr);
    TiColorDialog orphan(&plain);
    EXPECT_THROW(orphan.Execute(), EInvalidCast);
    TiFontDialog fontOrphan(&plain);
    EXPECT_THROW(fontOrphan.Execute(), EInvalidCast);
}

TEST_F(DialogsTest, FontTakesACharacterSetOnlyWithAnotherFace) {
    TiFontDialog font(form_.get());
    font.Font()->SetName("Tahoma");
    font.Font()->SetCharset(ANSI_CHARSET);
    TLogFont chosen = font.Font()->LogFont();
    chosen.lfCharSet = GB2312_CHARSET;
    chosen.lfWeight = 600;
    chosen.lfItalic = true;
    chosen.lfHeight = -16;
    dialogs_.AnswerFont(chosen, 0x0000FF);
    ASSERT_TRUE(font.Execute());
    EXPECT_EQ(font.Font()->Charset(), ANSI_CHARSET) << "same face: the script is not taken";
    EXPECT_EQ(font.Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(font.Font()->Height(), -16);
    EXPECT_EQ(font.Font()->Color(), static_cast<TColor>(0x0000FF));

    chosen.lfFaceName = "Arial";
    chosen.lfWeight = 400;
    dialogs_.AnswerFont(chosen, 0);
    ASSERT_TRUE(font.Execute());
    EXPECT_EQ(font.Font()->Name(), "Arial");
    EXPECT_EQ(font.Font()->Charset(), GB2312_CHARSET) << "another face brings its script";
    EXPECT_EQ(font.Font()->Style(), TFontStyles{fsItalic});
}

}  // namespace
}  // namespace dsp
