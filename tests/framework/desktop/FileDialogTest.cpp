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
    test::TTempFolder folder_;
    TScriptedDialogs dialogs_;
    TSaveDialog dialog_{nullptr};

    void SetUp() override {
        dialog_.SetFilter("Presets (*.prs)|*.prs|All files|*.*");
        dialog_.SetDefaultExt("prs");
        dialog_.SetOptions(dialog_.Options() + TOpenOptions{ofOverwritePrompt, ofNoChangeDir});
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
    std::filesystem::create_directory(folder_.File("my.folder"));
    for (const Case& c : cases) {
        dialogs_.AnswerFile(folder_.File(c.typed));
        ASSERT_TRUE(dialog_.Execute());
        EXPECT_EQ(dialog_.FileName(), folder_.File(c.result));
        ASSERT_EQ(dialog_.Files()->Count(), 1);
        EXPECT_EQ(dialog_.Files()->Strings(0), folder_.File(c.result));
    }
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
}

TEST_F(SaveDialogTest, TheDialogIsAskedWithItsFiltersAndReportsTheFilterChosen) {
    dialog_.SetFileName("start.prs");
    dialog_.SetInitialDir(folder_.Path());
    dialog_.SetFilterIndex(2);
    dialogs_.AnswerFile(folder_.File("all"), 1);
    ASSERT_TRUE(dialog_.Execute());
    ASSERT_EQ(dialogs_.FileDialogs().size(), 1u);
    const TFileDialogRequest& asked = dialogs_.FileDialogs()[0];
    EXPECT_EQ(asked.kind, fdSave);
    EXPECT_EQ(asked.fileName, "start.prs");
    EXPECT_EQ(asked.initialDir, folder_.Path());
    EXPECT_EQ(asked.filterIndex, 2);
    EXPECT_EQ(asked.filters.size(), 2u);
    EXPECT_FALSE(asked.allowMultiSelect);
    EXPECT_EQ(dialog_.FilterIndex(), 1);
}

TEST_F(SaveDialogTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysYes) {
    Touch(folder_.File("old.prs"));
    // "No" shows the dialog again with the name; the second choice is a new file.
    dialogs_.AnswerFile(folder_.File("old"));
    dialogs_.AnswerButton(mrNo);
    dialogs_.AnswerFile(folder_.File("new"));
    ASSERT_TRUE(dialog_.Execute());
    EXPECT_EQ(dialog_.FileName(), folder_.File("new.prs"));
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 1u);
    const TMessageBoxRequest& box = dialogs_.MessageBoxes()[0];
    EXPECT_EQ(box.text, folder_.File("old.prs") + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(box.buttons, (std::vector<TMsgDlgBtn>{mbYes, mbNo}));
    EXPECT_EQ(box.defaultButton, 1);
    ASSERT_EQ(dialogs_.FileDialogs().size(), 2u);
    EXPECT_EQ(dialogs_.FileDialogs()[1].fileName, folder_.File("old.prs"));

    dialogs_.AnswerFile(folder_.File("old.prs"));
    dialogs_.AnswerButton(mrYes);
    ASSERT_TRUE(dialog_.Execute());
    EXPECT_EQ(dialog_.FileName(), folder_.File("old.prs"));
    EXPECT_EQ(dialogs_.Pending(), 0);
}

TEST_F(SaveDialogTest, WithoutThePromptAnExistingFileIsTakenAtOnce) {
    dialog_.SetOptions(dialog_.Options() - TOpenOptions{ofOverwritePrompt});
    Touch(folder_.File("old.prs"));
    dialogs_.AnswerFile(folder_.File("old"));
    ASSERT_TRUE(dialog_.Execute());
    EXPECT_EQ(dialog_.FileName(), folder_.File("old.prs"));
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
}

TEST_F(SaveDialogTest, CancellingLeavesEverythingAsItWas) {
    dialog_.SetFileName("kept.prs");
    dialogs_.Cancel();
    EXPECT_FALSE(dialog_.Execute());
    EXPECT_EQ(dialog_.FileName(), "kept.prs");
    EXPECT_EQ(dialog_.Files()->Count(), 0);
    EXPECT_EQ(dialog_.FilterIndex(), 1);
}

TEST_F(SaveDialogTest, CancellingTheOverwriteQuestionsFollowUpDialogChoosesNothing) {
    Touch(folder_.File("old.prs"));
    dialogs_.AnswerFile(folder_.File("old.prs"));
    dialogs_.AnswerButton(mrNo);
    dialogs_.Cancel();
    EXPECT_FALSE(dialog_.Execute());
    EXPECT_EQ(dialog_.FileName(), "");
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
    EXPECT_TRUE(dialogs.FileDialogs()[0].allowMultiSelect);
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
    EXPECT_EQ(dialogs.MessageBoxes()[0].text,
              folder.File("missing.prs") + "\nFile not found.\nCheck the file name and try again.");
    EXPECT_EQ(
        dialogs.MessageBoxes()[1].text,
        folder.File("nowhere/x.prs") + "\nPath does not exist.\nCheck the path and try again.");
    EXPECT_TRUE(dialogs.FileDialogs()[0].fileMustExist);

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
