// Closing the main window: every close request shows the quit dialog and the window stays until
// the user confirms there; Cancel leaves everything as it was.

#include <gtest/gtest.h>

#include "dialogs/FExit.h"
#include "framework/controls/Label.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {
namespace {

class MainWindowExit : public ::testing::Test {
protected:
    MainWindowExit() {
        fmExit = new TfmExit(nullptr);
        fmExit->AfterConstruction();
        fixture_.Window().Show();
    }
    ~MainWindowExit() override {
        delete fmExit;
        fmExit = nullptr;
    }

    test::TMainWindowFixture fixture_;
};

TEST_F(MainWindowExit, ClosingAsksAndTheWindowStaysUntilConfirmed) {
    TfmMain& window = fixture_.Window();
    window.Close();
    EXPECT_TRUE(fmExit->Visible());
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(fmExit->Caption(), "Information");
    EXPECT_EQ(fmExit->Message()->Caption(), "Are you sure to quit ?");
    EXPECT_EQ(fmExit->OkButton()->Caption(), "OK");
    EXPECT_EQ(fmExit->CancelButton()->Caption(), "Cancel");

    // Asked again while the dialog shows: the same dialog, the window stays.
    window.Close();
    EXPECT_TRUE(fmExit->Visible());
    EXPECT_TRUE(window.Visible());

    fmExit->CancelButton()->Click();
    EXPECT_FALSE(fmExit->Visible());
    EXPECT_FALSE(window.ExitConfirmed());
    EXPECT_TRUE(window.Visible());

    window.Close();
    EXPECT_TRUE(window.Visible());
    fmExit->OkButton()->Click();
    EXPECT_TRUE(window.ExitConfirmed());
    EXPECT_FALSE(window.Visible());
}

TEST_F(MainWindowExit, TheQuitDialogSpeaksTheWindowsLanguage) {
    TfmMain& window = fixture_.Window();
    window.ChineseSimplifiedClick(window.Control<TComponent>("ChineseSimplified"));
    window.Close();
    EXPECT_EQ(fmExit->Message()->Caption(), "您确定要退出吗 ?");
    EXPECT_EQ(fmExit->OkButton()->Caption(), "确定");
    EXPECT_EQ(fmExit->CancelButton()->Caption(), "取消");
}

}  // namespace
}  // namespace dsp
