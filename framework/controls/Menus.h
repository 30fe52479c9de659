#pragma once
// Menus: TMenuItem (a caption with a check mark, enabled and visible states, a shortcut and
// submenus), TMainMenu (the menu bar of a form) and TPopupMenu (a context menu). The items are
// components of the form, so handlers find them by name; the host toolkit shows them, but every
// command comes back as the item's Click, and shortcuts are matched by the form's key handling,
// never by the toolkit on its own.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/ControlTypes.h"
#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FrameworkKey.h"
#include "framework/core/TypeInfo.h"

namespace dsp {

class TMenu;

// A menu item put into a second submenu.
class EMenuError : public Exception {
public:
    using Exception::Exception;
};

// A key with its modifiers: the virtual-key code in the low byte, scShift, scCtrl, scAlt above.
using TShortCut = std::uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The shortcut of a key with its modifiers (Shift, Ctrl, Alt).
TShortCut ShortCut(TKeyCode key, TShiftState shift);

// "Ctrl+S", "Shift+F10", "Del"; an empty text for scNone.
std::string ShortCutToText(TShortCut shortCut);
// The reverse of ShortCutToText, compared without case; scNone for an unknown text.
TShortCut TextToShortCut(const std::string& text);

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
DSP_ENUM_NAMES(TMenuBreak, "mbNone", "mbBreak", "mbBarBreak")

class TMenuItem : public TComponent {
    DSP_PUBLISHED(TMenuItem, TComponent) {
        using P = Published<TMenuItem>;
        return {
            P::Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
                .Default(false),
            P::Property("Break", &TMenuItem::Break, &TMenuItem::SetBreak).Default(mbNone),
            P::Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
            P::Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false),
            P::Property("Default", &TMenuItem::IsDefault, &TMenuItem::SetDefault).Default(false),
            P::Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true),
            P::Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0),
            P::Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
            P::Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
                .Default(-1),
            P::Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
                .Default(false),
            P::Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0),
            P::Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true),
        };
    }

public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    // "-" makes the item a separator line; "&" marks the accelerator character ("&&" is one
    // ampersand).
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the other radio items of its group among its siblings.
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // Clicking an auto-check item toggles Checked before OnClick.
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }
    bool IsDefault() const { return default_; }
    void SetDefault(bool value);
    TMenuBreak Break() const { return break_; }
    void SetBreak(TMenuBreak value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

    bool IsLine() const { return caption_ == "-"; }

    // ---- submenus
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    // Position among the parent's items (-1 without parent); setting it moves the item.
    int MenuIndex() const;
    void SetMenuIndex(int index);
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out of this submenu without freeing it.
    void Remove(TMenuItem* item);
    // Takes out and frees the item at index.
    void Delete(int index);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The sub-item whose caption, without accelerator marks, equals caption (without case).
    TMenuItem* Find(const std::string& caption) const;

    // The menu this item belongs to (through its parents), or null.
    TMenu* GetParentMenu() const;

    // What a choice of the item does: toggles an auto-check item, then raises OnClick.
    virtual void Click();

    TNotifyEvent OnClick;

protected:
    // Tells the menu that the shown menu must be rebuilt.
    void MenuChanged();

private:
    friend class TMenu;
    void UncheckGroupSiblings();

    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    TShortCut shortCut_ = scNone;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool autoCheck_ = false;
    bool default_ = false;
    TMenuBreak break_ = mbNone;
    std::string hint_;
    int imageIndex_ = -1;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item of a menu only
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The invisible root whose sub-items are the menu's top level.
    TMenuItem* Items() const { return items_; }

    // Finds the enabled, visible item (among visible, enabled submenus) with the shortcut and
    // clicks it; true when one was found. The form calls it for every key before the focused
    // control sees the key.
    bool IsShortCut(TShortCut shortCut);
    // The item with that shortcut, whether it can be chosen or not, or null.
    TMenuItem* FindShortCut(TShortCut shortCut) const;

    // Raised after any item of the menu changed (the shown menu follows at its next showing).
    TNotifyEvent OnChange;

    // Internal: counts changes, so that whoever shows the menu knows when to rebuild it, and
    // tells those who show it.
    unsigned ChangeCount(TFrameworkKey) const { return changeCount_; }
    void ItemChanged(TFrameworkKey);
    void AddChangeListener(TFrameworkKey, const void* owner, std::function<void()> listener);
    void RemoveChangeListener(TFrameworkKey, const void* owner);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TMenuItem* items_;
    unsigned changeCount_ = 0;
    std::vector<std::pair<const void*, std::function<void()>>> listeners_;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
DSP_ENUM_NAMES(TPopupAlignment, "paLeft", "paRight", "paCenter")

class TPopupMenu : public TMenu {
    DSP_PUBLISHED(TPopupMenu, TMenu) {
        using P = Published<TPopupMenu>;
        return {
            P::Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment)
                .Default(paLeft),
            P::Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
                .Default(true),
        };
    }

public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }
    // Whether a right click on a control that names this menu shows it.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // The control that showed the menu last (set by the control before Popup).
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* value) { popupComponent_ = value; }

    // Raises OnPopup, shows the menu at the screen point and returns when it closes; the chosen
    // item's Click runs after the menu has closed.
    virtual void Popup(int x, int y);
    TNotifyEvent OnPopup;

    // Replaces how the menu is shown (tests): the function gets the menu and the point and
    // returns the chosen item or null. None restores the host toolkit's menu.
    using TPopupPresenter = std::function<TMenuItem*(TPopupMenu& menu, int x, int y)>;
    static void SetPresenter(TPopupPresenter presenter);

private:
    TPopupAlignment alignment_ = paLeft;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

}  // namespace dsp
