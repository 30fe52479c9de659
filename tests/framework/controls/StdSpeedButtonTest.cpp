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
        panel_ = Place(new TPanel(form_.get()), form_.get(), 0, 0, 300, 60);
        for (int i = 0; i < 3; ++i) {
            auto* b = Place(new TSpeedButton(form_.get()), panel_, 10 + 30 * i, 10, 25, 25);
            b->SetGroupIndex(1);
            b->OnClick = [this, i](TObject*) { log_.push_back("click " + std::to_string(i)); };
            buttons_.push_back(b);
        }
    }
    void ClickButton(int i) {
        test::Click(*panel_, buttons_[i]->Left() + 5, buttons_[i]->Top() + 5);
    }
    std::vector<bool> Downs() const {
        std::vector<bool> d;
        for (auto* b : buttons_) d.push_back(b->Down());
        return d;
    }

    std::unique_ptr<TForm> form_ = MakeForm(300, 100);
    TPanel* panel_ = nullptr;
    std::vector<TSpeedButton*> buttons_;
    TEventLog log_;
};

TEST_F(StdSpeedButtons, OneButtonOfAGroupIsDown) {
    form_->Show();
    ClickButton(0);
    ClickButton(1);
    EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
    ClickButton(1);  // down already, and the group does not allow all up
    EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(log_, (TEventLog{"click 0", "click 1", "click 1"}));
    buttons_[0]->SetAllowAllUp(true);
    EXPECT_TRUE(buttons_[2]->AllowAllUp()) << "the group shares the setting";
    ClickButton(1);
    EXPECT_EQ(Downs(), (std::vector<bool>{false, false, false}));
}

TEST_F(StdSpeedButtons, DownByProgramRaisesNothing) {
    buttons_[2]->SetDown(true);
    buttons_[0]->SetDown(true);
    EXPECT_EQ(Downs(), (std::vector<bool>{true, false, false}));
    buttons_[0]->SetDown(false);  // the last one down stays down
    EXPECT_TRUE(buttons_[0]->Down());
    EXPECT_TRUE(log_.empty());
    auto* single = Place(new TSpeedButton(form_.get()), panel_, 200, 10, 25, 25);
    single->SetDown(true);
    EXPECT_FALSE(single->Down()) << "outside a group a button does not stay down";
    // Pressed and released outside: no click.
    form_->Show();
    test::SendMouse(*panel_, QEvent::MouseButtonPress, 75, 15, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*panel_, QEvent::MouseButtonRelease, 250, 50, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(log_.empty());
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
