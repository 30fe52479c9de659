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
        menu = new TMainMenu(form.get());
        file = Item("&File");
        open = Item("&Open...");
        open->SetShortCut(scCtrl | 'O');
        file->Add(open);
        menu->Items()->Add(file);
        help = Item("&Help");
        menu->Items()->Add(help);
    }

    TMenuItem* Item(const std::string& caption) {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) { clicks.push_back(caption); };
        return item;
    }

    std::unique_ptr<TForm> form = MakeForm(300, 200);
    TMainMenu* menu = nullptr;
    TMenuItem* file = nullptr;
    TMenuItem* open = nullptr;
    TMenuItem* help = nullptr;
    std::vector<std::string> clicks;
};

TEST_F(StdFormMenu, TheBarTakesItsPlaceInTheFrame) {
    const int outer = form->Height();
    SetFormMenu(*form, menu);
    EXPECT_EQ(FormMenu(*form), menu);
    EXPECT_EQ(form->MenuBarHeight(), kMenuBarHeight);
    EXPECT_EQ(form->Height(), outer);
    EXPECT_EQ(form->ClientHeight(), 200 - kMenuBarHeight);
    form->Show();
    EXPECT_EQ(BarTexts(*form), (QStringList{"&File", "&Help"}));
    // A change of the items shows in the bar at the next turn of the loop.
    help->SetVisible(false);
    file->SetCaption("&Datei");
    test::RunPendingEvents();
    EXPECT_EQ(BarTexts(*form), QStringList{"&Datei"});
    // Choosing an action of the bar clicks the item.
    help->SetVisible(true);
    test::RunPendingEvents();
    BarOf(*form)->actions().at(1)->trigger();
    EXPECT_EQ(clicks, std::vector<std::string>{"&Help"});
    SetFormMenu(*form, nullptr);
    EXPECT_EQ(form->MenuBarHeight(), 0);
    EXPECT_EQ(BarOf(*form), nullptr);
}

TEST_F(StdFormMenu, ShortCutsComeBeforeTheFocusedControl) {
    auto* edit = Place(new TEdit(form.get()), form.get(), 10, 10, 100, 21);
    SetFormMenu(*form, menu);
    form->Show();
    edit->SetFocus();
    test::SendKey(*edit, Qt::Key_O, "\x0F", Qt::ControlModifier);
    EXPECT_EQ(clicks, std::vector<std::string>{"&Open..."});
    test::Type(*edit, "o");
    EXPECT_EQ(edit->Text(), "o");
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(StdFormMenu, AFreedMenuLeavesTheForm) {
    SetFormMenu(*form, menu);
    form->Show();
    delete menu;
    test::RunPendingEvents();
    EXPECT_EQ(FormMenu(*form), nullptr);
    EXPECT_EQ(form->MenuBarHeight(), 0);
}

TEST_F(StdFormMenu, ARightClickShowsTheControlsContextMenu) {
    auto* edit = Place(new TEdit(form.get()), form.get(), 10, 10, 100, 21);
    auto* popup = new TPopupMenu(form.get());
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
    form->Show();
    test::SendMouse(*edit, QEvent::MouseButtonPress, 5, 6, Qt::RightButton, Qt::RightButton);
    test::SendMouse(*edit, QEvent::MouseButtonRelease, 5, 6, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(shownAt, edit->ClientToScreen({5, 6}));
    EXPECT_EQ(clicks, std::vector<std::string>{"&Copy"});
    popup->SetAutoPopup(false);
    test::SendMouse(*edit, QEvent::MouseButtonRelease, 5, 6, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(clicks.size(), 1u);
    delete popup;
    test::SendMouse(*edit, QEvent::MouseButtonRelease, 5, 6, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(GetPopupMenu(*edit), nullptr);
    TPopupMenu::SetPresenter(nullptr);
}

}  // namespace
}  // namespace dsp
