#include <gtest/gtest.h>

#include <fstream>

#include "framework/desktop/FileDialogs.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "framework/text/FileNames.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

void Touch(const std::string& name) { std::ofstream(name) << "x"; }

TEST(FileFilter, PairsOfDescriptionAndPatterns) {
    struct Case {
        std::string filter;
        std::vector<TFileFilter> expected;
    };
    const Case cases[] = {
        {"", {}},
        {"*.prs|*.prs", {{"*.prs", {"*.prs"}}}},
        {"Text files (*.txt)|*.txt|All files (*.*)|*.*",
         {{"Text files (*.txt)", {"*.txt"}}, {"All files (*.*)", {"*.*"}}}},
        {"Pictures|*.bmp; *.png;*.jpg", {{"Pictures", {"*.bmp", "*.png", "*.jpg"}}}},
        {"Data|*.dat|Orphan description", {{"Data", {"*.dat"}}}},
        {"Nothing||Log|*.log", {{"Nothing", {}}, {"Log", {"*.log"}}}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseFilter(c.filter), c.expected) << c.filter;
}

class SaveDialogTest : public ::testing::Test {
protected:
    test::TTempFolder folder;
    TScriptedDialogs dialogs;
    TSaveDialog dialog{nullptr};

    void SetUp() override {
        dialog.SetFilter("Presets (*.prs)|*.prs|All files|*.*");
        dialog.SetDefaultExt("prs");
        dialog.SetOptions(dialog.Options() + TOpenOptions{ofOverwritePrompt, ofNoChangeDir});
    }
};

TEST_F(SaveDialogTest, TheDefaultExtensionIsAddedOnlyToANameWithoutOne) {
    struct Case {
        std::string typed;
        std::string result;
    };
    const Case cases[] = {
        {"report", "report.prs"},
        {"report.txt", "report.txt"},
        {"report.PRS", "report.PRS"},
        {"my.folder/report", "my.folder/report.prs"},
    };
    std::filesystem::create_directory(folder.File("my.folder"));
    for (const Case& c : cases) {
        dialogs.AnswerFile(folder.File(c.typed));
        ASSERT_TRUE(dialog.Execute());
        EXPECT_EQ(dialog.FileName(), folder.File(c.result));
        ASSERT_EQ(dialog.Files()->Count(), 1);
        EXPECT_EQ(dialog.Files()->Strings(0), folder.File(c.result));
    }
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(SaveDialogTest, TheDialogIsAskedWithItsFiltersAndReportsTheFilterChosen) {
    dialog.SetFileName("start.prs");
    dialog.SetInitialDir(folder.Path());
    dialog.SetFilterIndex(2);
    dialogs.AnswerFile(folder.File("all"), 1);
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
    const TFileDialogRequest& asked = dialogs.FileDialogs()[0];
    EXPECT_EQ(asked.Kind, fdSave);
    EXPECT_EQ(asked.FileName, "start.prs");
    EXPECT_EQ(asked.InitialDir, folder.Path());
    EXPECT_EQ(asked.FilterIndex, 2);
    EXPECT_EQ(asked.Filters.size(), 2u);
    EXPECT_FALSE(asked.AllowMultiSelect);
    EXPECT_EQ(dialog.FilterIndex(), 1);
}

TEST_F(SaveDialogTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysYes) {
    Touch(folder.File("old.prs"));
    // "No" shows the dialog again with the name; the second choice is a new file.
    dialogs.AnswerFile(folder.File("old"));
    dialogs.AnswerButton(mrNo);
    dialogs.AnswerFile(folder.File("new"));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), folder.File("new.prs"));
    ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
    const TMessageBoxRequest& box = dialogs.MessageBoxes()[0];
    EXPECT_EQ(box.Text, folder.File("old.prs") + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(box.Buttons, (std::vector<TMsgDlgBtn>{mbYes, mbNo}));
    EXPECT_EQ(box.DefaultButton, 1);
    ASSERT_EQ(dialogs.FileDialogs().size(), 2u);
    EXPECT_EQ(dialogs.FileDialogs()[1].FileName, folder.File("old.prs"));

    dialogs.AnswerFile(folder.File("old.prs"));
    dialogs.AnswerButton(mrYes);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), folder.File("old.prs"));
    EXPECT_EQ(dialogs.Pending(), 0);
}

TEST_F(SaveDialogTest, WithoutThePromptAnExistingFileIsTakenAtOnce) {
    dialog.SetOptions(dialog.Options() - TOpenOptions{ofOverwritePrompt});
    Touch(folder.File("old.prs"));
    dialogs.AnswerFile(folder.File("old"));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), folder.File("old.prs"));
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(SaveDialogTest, CancellingLeavesEverythingAsItWas) {
    dialog.SetFileName("kept.prs");
    dialogs.Cancel();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "kept.prs");
    EXPECT_EQ(dialog.Files()->Count(), 0);
    EXPECT_EQ(dialog.FilterIndex(), 1);
}

TEST_F(SaveDialogTest, CancellingTheOverwriteQuestionsFollowUpDialogChoosesNothing) {
    Touch(folder.File("old.prs"));
    dialogs.AnswerFile(folder.File("old.prs"));
    dialogs.AnswerButton(mrNo);
    dialogs.Cancel();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "");
}

TEST(OpenDialog, SeveralFilesAreChosenOnlyWithMultiSelect) {
    test::TTempFolder folder;
    TScriptedDialogs dialogs;
    TOpenDialog dialog(nullptr);
    dialog.SetOptions(dialog.Options() + TOpenOptions{ofAllowMultiSelect, ofNoChangeDir});
    const std::vector<std::string> names = {folder.File("a.dat"), folder.File("b.dat"),
                                            folder.File("c.dat")};
    dialogs.AnswerFiles(names);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_TRUE(dialogs.FileDialogs()[0].AllowMultiSelect);
    EXPECT_EQ(dialog.FileName(), names[0]);
    ASSERT_EQ(dialog.Files()->Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dialog.Files()->Strings(i), names[static_cast<std::size_t>(i)]);

    dialog.SetOptions(dialog.Options() - TOpenOptions{ofAllowMultiSelect});
    dialogs.AnswerFiles(names);
    EXPECT_THROW(dialog.Execute(), EScriptedDialogError);
}

TEST(OpenDialog, AMissingFileIsReportedAndTheDialogShownAgain) {
    test::TTempFolder folder;
    Touch(folder.File("there.prs"));
    Touch(folder.File("README"));
    TScriptedDialogs dialogs;
    TOpenDialog dialog(nullptr);
    dialog.SetDefaultExt("prs");
    dialog.SetOptions(dialog.Options() +
                      TOpenOptions{ofFileMustExist, ofPathMustExist, ofNoChangeDir});

    dialogs.AnswerFile(folder.File("missing"));
    dialogs.AnswerButton(mrOk);
    dialogs.AnswerFile(folder.File("nowhere/x.prs"));
    dialogs.AnswerButton(mrOk);
    dialogs.AnswerFile(folder.File("there"));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), folder.File("there.prs"));
    ASSERT_EQ(dialogs.MessageBoxes().size(), 2u);
    EXPECT_EQ(dialogs.MessageBoxes()[0].Text,
              folder.File("missing.prs") + "\nFile not found.\nCheck the file name and try again.");
    EXPECT_EQ(
        dialogs.MessageBoxes()[1].Text,
        folder.File("nowhere/x.prs") + "\nPath does not exist.\nCheck the path and try again.");
    EXPECT_TRUE(dialogs.FileDialogs()[0].FileMustExist);

    // An existing file without extension is opened as it is.
    dialogs.AnswerFile(folder.File("README"));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), folder.File("README"));
    EXPECT_TRUE(dialog.Options().Contains(ofExtensionDifferent));
}

TEST(OpenDialog, TheChosenFilesFolderBecomesTheCurrentDirectoryUnlessAskedNotTo) {
    test::TTempFolder folder;
    std::filesystem::create_directory(folder.File("sub"));
    TScriptedDialogs dialogs;
    TOpenDialog dialog(nullptr);
    const std::string before = GetCurrentDir();

    dialog.SetOptions(dialog.Options() + TOpenOptions{ofNoChangeDir});
    dialogs.AnswerFile(folder.File("sub/a.prs"));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(GetCurrentDir(), before);

    dialog.SetOptions(dialog.Options() - TOpenOptions{ofNoChangeDir});
    dialogs.AnswerFile(folder.File("sub/a.prs"));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(std::filesystem::canonical(GetCurrentDir()),
              std::filesystem::canonical(folder.File("sub")));
}

TEST(ScriptedDialogs, ADialogWithoutAFittingAnswerFailsLoudly) {
    TScriptedDialogs dialogs;
    TOpenDialog dialog(nullptr);
    EXPECT_THROW(dialog.Execute(), EScriptedDialogError);  // nothing queued
    dialogs.AnswerButton(mrOk);
    EXPECT_THROW(dialog.Execute(), EScriptedDialogError);  // an answer for a message box
    dialogs.AnswerFile("a.prs", 3);
    EXPECT_THROW(dialog.Execute(), EScriptedDialogError);  // no third filter
    EXPECT_EQ(dialogs.Shown(), (std::vector<TScriptedDialogKind>{sdFile, sdFile, sdFile}));
}

TEST(ScriptedDialogs, PutsBackTheServiceItReplaced) {
    IDialogService& before = DialogService();
    {
        TScriptedDialogs outer;
        {
            TScriptedDialogs inner;
            EXPECT_EQ(&DialogService(), &inner);
        }
        EXPECT_EQ(&DialogService(), &outer);
    }
    EXPECT_EQ(&DialogService(), &before);
}

}  // namespace
}  // namespace dsp
