// Speed buttons in groups and bitmap buttons of the standard kinds.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/BitBtn.h"
#include "framework/controls/Edit.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;

class StdSpeedButtons : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        panel = Place(new TPanel(form.get()), form.get(), 0, 0, 300, 60);
        for (int i = 0; i < 3; ++i) {
            auto* b = Place(new TSpeedButton(form.get()), panel, 10 + 30 * i, 10, 25, 25);
            b->SetGroupIndex(1);
            b->OnClick = [this, i](TObject*) { log.push_back("click " + std::to_string(i)); };
            buttons.push_back(b);
        }
    }
    void ClickButton(int i) { test::Click(*panel, buttons[i]->Left() + 5, buttons[i]->Top() + 5); }
    std::vector<bool> Downs() const {
        std::vector<bool> d;
        for (auto* b : buttons) d.push_back(b->Down());
        return d;
    }

    std::unique_ptr<TForm> form = MakeForm(300, 100);
    TPanel* panel = nullptr;
    std::vector<TSpeedButton*> buttons;
    TEventLog log;
};

TEST_F(StdSpeedButtons, OneButtonOfAGroupIsDown) {
    form->Show();
    ClickButton(0);
    ClickButton(1);
    EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
    ClickButton(1);  // down already, and the group does not allow all up
    EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(log, (TEventLog{"click 0", "click 1", "click 1"}));
    buttons[0]->SetAllowAllUp(true);
    EXPECT_TRUE(buttons[2]->AllowAllUp()) << "the group shares the setting";
    ClickButton(1);
    EXPECT_EQ(Downs(), (std::vector<bool>{false, false, false}));
}

TEST_F(StdSpeedButtons, DownByProgramRaisesNothing) {
    buttons[2]->SetDown(true);
    buttons[0]->SetDown(true);
    EXPECT_EQ(Downs(), (std::vector<bool>{true, false, false}));
    buttons[0]->SetDown(false);  // the last one down stays down
    EXPECT_TRUE(buttons[0]->Down());
    EXPECT_TRUE(log.empty());
    auto* single = Place(new TSpeedButton(form.get()), panel, 200, 10, 25, 25);
    single->SetDown(true);
    EXPECT_FALSE(single->Down()) << "outside a group a button does not stay down";
    // Pressed and released outside: no click.
    form->Show();
    test::SendMouse(*panel, QEvent::MouseButtonPress, 75, 15, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*panel, QEvent::MouseButtonRelease, 250, 50, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(log.empty());
}

TEST(StdBitBtns, KindsGiveCaptionResultAndGlyph) {
    auto form = MakeForm(300, 100);
    auto* ok = Place(new TBitBtn(form.get()), form.get(), 10, 10, 80, 27);
    auto* close = Place(new TBitBtn(form.get()), form.get(), 100, 10, 80, 27);
    auto* edit = Place(new TEdit(form.get()), form.get(), 10, 50, 80, 21);
    ok->SetKind(bkOK);
    close->SetKind(bkClose);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(ok->IsDefault());
    form->Show();
    edit->SetFocus();
    auto image = form->RenderToImage();
    int green = 0;
    for (int y = 10; y < 37; ++y)
        for (int x = 10; x < 90; ++x) green += image->PixelAt(x, y) == RGB(0, 128, 0);
    EXPECT_GT(green, 10) << "the OK glyph shows";
    test::SendKey(*edit, Qt::Key_Return, "\r");
    EXPECT_EQ(form->ModalResult(), mrOk);
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        closed = true;
        action = caNone;
    };
    test::Click(*close, 10, 10);
    EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace dsp
