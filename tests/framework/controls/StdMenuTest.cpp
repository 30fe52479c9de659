#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Menus.h"

namespace dsp {
namespace {

// A form-like owner with File (Open Ctrl+O, -, Exit) and Language (English, Chinese as a radio
// group) menus.
struct StdMenu : ::testing::Test {
    TComponent owner{nullptr};
    TMainMenu* menu = new TMainMenu(&owner);
    TMenuItem* file = Item("File", "&File");
    TMenuItem* open = Item("Open", "&Open...");
    TMenuItem* line = Item("N1", "-");
    TMenuItem* exitItem = Item("Exit", "E&xit");
    TMenuItem* language = Item("Language", "&Language");
    TMenuItem* english = Item("English", "English");
    TMenuItem* chinese = Item("Chinese", "Chinese");
    std::vector<std::string> clicks;

    TMenuItem* Item(const std::string& name, const std::string& caption) {
        auto* i = new TMenuItem(&owner);
        i->SetName(name);
        i->SetCaption(caption);
        i->OnClick = [this](TObject* sender) {
            clicks.push_back(static_cast<TMenuItem*>(sender)->Name());
        };
        return i;
    }

    void SetUp() override {
        menu->Items()->Add(file);
        file->Add(open);
        file->Add(line);
        file->Add(exitItem);
        menu->Items()->Add(language);
        language->Add(english);
        language->Add(chinese);
        open->SetShortCut(scCtrl | 'O');
        for (TMenuItem* i : {english, chinese}) {
            i->SetRadioItem(true);
            i->SetGroupIndex(1);
        }
    }
};

TEST_F(StdMenu, RadioItemsOfOneGroupCheckEachOtherOut) {
    english->SetChecked(true);
    chinese->SetChecked(true);
    EXPECT_FALSE(english->Checked());
    EXPECT_TRUE(chinese->Checked());
    // Another group index is another group.
    english->SetGroupIndex(2);
    english->SetChecked(true);
    EXPECT_TRUE(chinese->Checked());
}

TEST_F(StdMenu, ShortCutsClickOnlyUsableItems) {
    EXPECT_TRUE(menu->IsShortCut(scCtrl | 'O'));
    EXPECT_EQ(clicks, std::vector<std::string>{"Open"});
    open->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut(scCtrl | 'O'));
    open->SetEnabled(true);
    file->SetVisible(false);  // a hidden submenu hides its shortcuts too
    EXPECT_FALSE(menu->IsShortCut(scCtrl | 'O'));
    EXPECT_EQ(menu->FindShortCut(scCtrl | 'O'), open);
    EXPECT_FALSE(menu->IsShortCut(scCtrl | 'P'));
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(StdMenu, AutoCheckTogglesBeforeOnClick) {
    bool checkedInHandler = false;
    exitItem->SetAutoCheck(true);
    exitItem->OnClick = [&](TObject*) { checkedInHandler = exitItem->Checked(); };
    exitItem->Click();
    EXPECT_TRUE(checkedInHandler);
}

TEST_F(StdMenu, FreeingItemsKeepsTheTreeSound) {
    EXPECT_EQ(file->Find("open..."), open);
    EXPECT_EQ(file->Find("Exit"), exitItem);  // accelerator marks do not count
    delete line;
    EXPECT_EQ(file->Count(), 2);
    EXPECT_EQ(exitItem->MenuIndex(), 1);
    delete file;  // frees Open and Exit with it
    EXPECT_EQ(owner.FindComponent("Open"), nullptr);
    EXPECT_EQ(menu->Items()->Count(), 1);
    EXPECT_THROW(language->Add(english), EMenuError);
}

TEST_F(StdMenu, ChangesAreAnnounced) {
    int changes = 0;
    menu->OnChange = [&](TObject*) { ++changes; };
    english->SetCaption("English");  // unchanged
    EXPECT_EQ(changes, 0);
    english->SetCaption("&English");
    chinese->SetVisible(false);
    EXPECT_EQ(changes, 2);
    menu->OnChange = nullptr;
}

TEST_F(StdMenu, PopupRunsTheChosenItemAfterOnPopup) {
    auto* popup = new TPopupMenu(&owner);
    auto* a = Item("A", "A");
    auto* b = Item("B", "B");
    popup->Items()->Add(a);
    popup->Items()->Add(b);
    popup->OnPopup = [&](TObject*) { clicks.push_back("popup"); };
    TPopupMenu::SetPresenter([&](TPopupMenu& m, int x, int y) {
        EXPECT_EQ(&m, popup);
        EXPECT_EQ(x, 10);
        EXPECT_EQ(y, 20);
        return b;
    });
    popup->Popup(10, 20);
    b->SetEnabled(false);
    popup->Popup(10, 20);  // a disabled choice does nothing
    TPopupMenu::SetPresenter(nullptr);
    EXPECT_EQ(clicks, (std::vector<std::string>{"popup", "B", "popup"}));
}

TEST(StdShortCut, TextRoundTrip) {
    struct Case {
        TShortCut shortCut;
        const char* text;
    };
    const Case cases[] = {
        {scCtrl | 'S', "Ctrl+S"},
        {scShift | 0x79, "Shift+F10"},
        {0x2E, "Del"},
        {scShift | scCtrl | scAlt | '1', "Shift+Ctrl+Alt+1"},
        {scNone, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortCutToText(c.shortCut), c.text);
        EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
    }
    EXPECT_EQ(TextToShortCut("ctrl+s"), scCtrl | 'S');
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), scNone);
}

}  // namespace
}  // namespace dsp
