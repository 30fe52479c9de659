#include <gtest/gtest.h>

#include "framework/desktop/MessageBox.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "framework/runtime/Application.h"

namespace dsp {
namespace {

TEST(MessageBox, FlagsChooseButtonsIconAndDefault) {
    struct Case {
        unsigned flags;
        std::vector<TMsgDlgBtn> buttons;
        TMsgDlgType type;
        int defaultButton;
    };
    const Case cases[] = {
        {MB_OK, {mbOK}, mtCustom, 0},
        {MB_OK | MB_ICONINFORMATION, {mbOK}, mtInformation, 0},
        {MB_OKCANCEL | MB_ICONERROR | MB_DEFBUTTON2, {mbOK, mbCancel}, mtError, 1},
        {MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3,
         {mbYes, mbNo, mbCancel},
         mtConfirmation,
         2},
        {MB_YESNO | MB_ICONWARNING, {mbYes, mbNo}, mtWarning, 0},
        {MB_ABORTRETRYIGNORE, {mbAbort, mbRetry, mbIgnore}, mtCustom, 0},
        {MB_RETRYCANCEL | MB_DEFBUTTON3, {mbRetry, mbCancel}, mtCustom, 0},  // no third button
    };
    for (const Case& c : cases) {
        TScriptedDialogs dialogs;
        dialogs.AnswerButton(ModalResultOf(c.buttons.back()));
        EXPECT_EQ(MessageBox(HWND{}, "text", "caption", c.flags), ModalResultOf(c.buttons.back()));
        const TMessageBoxRequest& box = dialogs.MessageBoxes().at(0);
        EXPECT_EQ(box.buttons, c.buttons) << c.flags;
        EXPECT_EQ(box.type, c.type) << c.flags;
        EXPECT_EQ(box.defaultButton, c.defaultButton) << c.flags;
        EXPECT_EQ(box.caption, "caption");
    }
}

TEST(MessageBox, MessageDlgCaptionsByTypeAndShowsButtonsInTheirOrder) {
    TScriptedDialogs dialogs;
    dialogs.AnswerButton(mrNo);
    EXPECT_EQ(MessageDlg("Delete?", mtConfirmation, {mbCancel, mbNo, mbYes}), mrNo);
    dialogs.AnswerButton(mrOk);
    EXPECT_EQ(MessageDlg("Done", mtInformation, {mbOK}), mrOk);
    dialogs.AnswerButton(mrRetry);
    EXPECT_EQ(MessageDlg("Failed", mtError, {mbAbort, mbRetry}), mrRetry);

    const auto& boxes = dialogs.MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].caption, "Confirm");
    EXPECT_EQ(boxes[0].buttons, (std::vector<TMsgDlgBtn>{mbYes, mbNo, mbCancel}));
    EXPECT_EQ(boxes[0].defaultButton, 0);
    EXPECT_EQ(boxes[1].caption, "Information");
    EXPECT_EQ(boxes[2].caption, "Error");
    EXPECT_EQ(boxes[2].defaultButton, 1);  // Retry
}

TEST(MessageBox, ShowMessageIsCaptionedWithTheApplicationTitle) {
    const std::string title = Application->Title();
    Application->SetTitle("WQJ DSP Processor Editor V1.0");
    TScriptedDialogs dialogs;
    dialogs.AnswerButton(mrOk);
    ShowMessage("Hello");
    Application->SetTitle(title);
    ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
    EXPECT_EQ(dialogs.MessageBoxes()[0].caption, "WQJ DSP Processor Editor V1.0");
    EXPECT_EQ(dialogs.MessageBoxes()[0].text, "Hello");
    EXPECT_EQ(dialogs.MessageBoxes()[0].buttons, std::vector<TMsgDlgBtn>{mbOK});
}

TEST(MessageBox, AnAnswerTheBoxDoesNotOfferIsRefused) {
    TScriptedDialogs dialogs;
    dialogs.AnswerButton(mrYes);
    EXPECT_THROW(MessageBox(HWND{}, "Password Error!!", "", MB_OK | MB_ICONINFORMATION),
                 EScriptedDialogError);
    dialogs.Cancel();  // a box without Cancel cannot be cancelled
    EXPECT_THROW(MessageDlg("Saved", mtInformation, {mbOK}), EScriptedDialogError);
}

}  // namespace
}  // namespace dsp
