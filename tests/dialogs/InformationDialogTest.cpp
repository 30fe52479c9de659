// The information dialog: its caption and button follow the language each time it is shown;
// the message is the caller's.

#include <gtest/gtest.h>

#include "dialogs/FInformation.h"
#include "framework/controls/Label.h"
#include "tests/link/forms/FakeSessionWindow.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {
namespace {

TEST(InformationDialog, ShowsTheCallersMessageUnderTheCurrentLanguagesCaption) {
    TFakeSessionWindow window;
    TfmInformation dialog(nullptr);
    dialog.AfterConstruction();
    EXPECT_EQ(dialog.lbMessage->Caption(), "You Must Connect First !!");
    dialog.lbMessage->SetCaption(window.GetText("SID_INFO_ERROR_UNIT"));
    dialog.Show();
    EXPECT_EQ(dialog.Caption(), "Information");
    EXPECT_EQ(dialog.btnOK->Caption(), "OK");
    EXPECT_EQ(dialog.lbMessage->Caption(), "Unit's Type Error !!");
    dialog.btnOK->Click();
    EXPECT_FALSE(dialog.Visible());
    // A language change while hidden: caption and button follow, the message stays.
    window.language = kLanguageChineseGB;
    dialog.Show();
    EXPECT_EQ(dialog.Caption(), "讯息");
    EXPECT_EQ(dialog.btnOK->Caption(), "确定");
    EXPECT_EQ(dialog.lbMessage->Caption(), "Unit's Type Error !!");
}

}  // namespace
}  // namespace dsp::test
