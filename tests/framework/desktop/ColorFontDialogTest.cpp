#include <gtest/gtest.h>

#include "framework/desktop/ColorDialog.h"
#include "framework/desktop/FontDialog.h"
#include "framework/desktop/ScriptedDialogs.h"

namespace dsp {
namespace {

TEST(ColorDialog, OpensOnTheRgbOfASystemColourAndReturnsPlainRgb) {
    TScriptedDialogs dialogs;
    TColorDialog dialog(nullptr);
    dialog.SetColor(clBtnFace);
    dialogs.AnswerColor(RGB(10, 20, 30));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialogs.ColorDialogs().at(0).color, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(dialog.Color(), static_cast<TColor>(RGB(10, 20, 30)));

    dialogs.Cancel();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), static_cast<TColor>(RGB(10, 20, 30)));
    EXPECT_EQ(dialogs.ColorDialogs().at(1).customColors, std::vector<TColorRef>(16, 0xFFFFFF));
}

TEST(FontDialog, TheChosenFontIsCopiedIntoFont) {
    TScriptedDialogs dialogs;
    TFontDialog dialog(nullptr);
    dialog.Font()->SetName("Tahoma");
    dialog.Font()->SetHeight(-11);
    dialog.Font()->SetColor(clWindowText);

    TLogFont chosen = dialog.Font()->LogFont();
    chosen.lfFaceName = "Arial";
    chosen.lfHeight = -16;
    chosen.lfWeight = FW_BOLD;
    chosen.lfUnderline = true;
    dialogs.AnswerFont(chosen, RGB(255, 0, 0));
    ASSERT_TRUE(dialog.Execute());
    const TFontDialogRequest& asked = dialogs.FontDialogs().at(0);
    EXPECT_EQ(asked.font.lfFaceName, "Tahoma");
    EXPECT_EQ(asked.font.lfHeight, -11);
    EXPECT_EQ(asked.color, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(dialog.Font()->Name(), "Arial");
    EXPECT_EQ(dialog.Font()->Height(), -16);
    EXPECT_EQ(dialog.Font()->Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(dialog.Font()->Color(), clRed);
}

TEST(FontDialog, WithoutEffectsColourUnderlineAndStrikeOutStay) {
    TScriptedDialogs dialogs;
    TFontDialog dialog(nullptr);
    dialog.SetOptions({});
    dialog.Font()->SetColor(clBlue);
    TLogFont chosen = dialog.Font()->LogFont();
    chosen.lfFaceName = "Courier New";
    chosen.lfUnderline = true;
    chosen.lfStrikeOut = true;
    dialogs.AnswerFont(chosen, RGB(255, 0, 0));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_FALSE(dialogs.FontDialogs().at(0).effects);
    EXPECT_EQ(dialog.Font()->Name(), "Courier New");
    EXPECT_EQ(dialog.Font()->Color(), clBlue);
    EXPECT_TRUE(dialog.Font()->Style().Empty());

    dialogs.Cancel();
    dialog.Font()->SetName("Tahoma");
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Font()->Name(), "Tahoma");
}

}  // namespace
}  // namespace dsp
