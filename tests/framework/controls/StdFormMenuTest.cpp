// A form's main menu: its bar in the frame, its shortcuts before the focused control, and the
// bar following the items.

#include <gtest/gtest.h>

#include <QAction>
#include <QEvent>
#include <QMenuBar>

#include "framework/controls/Edit.h"
#include "framework/controls/FormMenu.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/PopupBinding.h"
#include "framework/controls/WindowHost.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;

QMenuBar* BarOf(TCustomForm& form) {
    QWidget* host = HostWidget(form);
    if (host == nullptr || host->parentWidget() == nullptr) return nullptr;
    return host->parentWidget()->findChild<QMenuBar*>();
}

QStringList BarTexts(TCustomForm& form) {
    QStringList texts;
    if (QMenuBar* bar = BarOf(form))
        for (QAction* a : bar->actions()) texts << a->text();
    return texts;
}

class StdFormMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        menu_ = new TMainMenu(form_.get());
        file_ = Item("&File");
        open_ = Item("&Open...");
        open_->SetShortCut(scCtrl | 'O');
        file_->Add(open_);
        menu_->Items()->Add(file_);
        help_ = Item("&Help");
        menu_->Items()->Add(help_);
    }

    TMenuItem* Item(const std::string& caption) {
        auto* item = new TMenuItem(form_.get());
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) { clicks_.push_back(caption); };
        return item;
    }

    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TMainMenu* menu_ = nullptr;
    TMenuItem* file_ = nullptr;
    TMenuItem* open_ = nullptr;
    TMenuItem* help_ = nullptr;
    std::vector<std::string> clicks_;
};

TEST_F(StdFormMenu, TheBarTakesItsPlaceInTheFrame) {
    const int outer = form_->Height();
    SetFormMenu(*form_, menu_);
    EXPECT_EQ(FormMenu(*form_), menu_);
    EXPECT_EQ(form_->MenuBarHeight(), kMenuBarHeight);
    EXPECT_EQ(form_->Height(), outer);
    EXPECT_EQ(form_->ClientHeight(), 200 - kMenuBarHeight);
    form_->Show();
    EXPECT_EQ(BarTexts(*form_), (QStringList{"&File", "&Help"}));
    // A change of the items shows in the bar at the next turn of the loop.
    help_->SetVisible(false);
    file_->SetCaption("&Datei");
    test::RunPendingEvents();
    EXPECT_EQ(BarTexts(*form_), QStringList{"&Datei"});
    // Choosing an action of the bar clicks the item.
    help_->SetVisible(true);
    test::RunPendingEvents();
    BarOf(*form_)->actions().at(1)->trigger();
    EXPECT_EQ(clicks_, std::vector<std::string>{"&Help"});
    SetFormMenu(*form_, nullptr);
    EXPECT_EQ(form_->MenuBarHeight(), 0);
    EXPECT_EQ(BarOf(*form_), nullptr);
}

TEST_F(StdFormMenu, ShortCutsComeBeforeTheFocusedControl) {
    auto* edit = Place(new TEdit(form_.get()), form_.get(), 10, 10, 100, 21);
    SetFormMenu(*form_, menu_);
    form_->Show();
    edit->SetFocus();
    test::SendKey(*edit, Qt::Key_O, "\x0F", Qt::ControlModifier);
    EXPECT_EQ(clicks_, std::vector<std::string>{"&Open..."});
    test::Type(*edit, "o");
    EXPECT_EQ(edit->Text(), "o");
    EXPECT_EQ(clicks_.size(), 1u);
}

TEST_F(StdFormMenu, AFreedMenuLeavesTheForm) {
    SetFormMenu(*form_, menu_);
    form_->Show();
    delete menu_;
    test::RunPendingEvents();
    EXPECT_EQ(FormMenu(*form_), nullptr);
    EXPECT_EQ(form_->MenuBarHeight(), 0);
}

TEST_F(StdFormMenu, ARightClickShowsTheControlsContextMenu) {
    auto* edit = Place(new TEdit(form_.get()), form_.get(), 10, 10, 100, 21);
    auto* popup = new TPopupMenu(form_.get());
    TMenuItem* copy = Item("&Copy");
    popup->Items()->Add(copy);
    SetPopupMenu(*edit, popup);
    EXPECT_EQ(GetPopupMenu(*edit), popup);
    TPoint shownAt;
    TPopupMenu::SetPresenter([&](TPopupMenu& menu, int x, int y) {
        shownAt = {x, y};
        EXPECT_EQ(menu.PopupComponent(), edit);
        return copy;
    });
    form_->Show();
    test::SendMouse(*edit, QEvent::MouseButtonPress, 5, 6, Qt::RightButton, Qt::RightButton);
    test::SendMouse(*edit, QEvent::MouseButtonRelease, 5, 6, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(shownAt, edit->ClientToScreen({5, 6}));
    EXPECT_EQ(clicks_, std::vector<std::string>{"&Copy"});
    popup->SetAutoPopup(false);
    test::SendMouse(*edit, QEvent::MouseButtonRelease, 5, 6, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(clicks_.size(), 1u);
    delete popup;
    test::SendMouse(*edit, QEvent::MouseButtonRelease, 5, 6, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(GetPopupMenu(*edit), nullptr);
    TPopupMenu::SetPresenter(nullptr);
}

}  // namespace
}  // namespace dsp
