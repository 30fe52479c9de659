#include "framework/controls/Menus.h"

#include <algorithm>
#include <utility>

#include "framework/controls/MenuQt.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/text/StrUtils.h"

namespace dsp {

namespace {

struct KeyName {
    std::uint8_t key;
    const char* name;
};

constexpr KeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

std::string KeyText(std::uint8_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x70 + 1);
    for (const auto& k : kKeyNames)
        if (k.key == key) return k.name;
    return {};
}

TPopupMenu::TPopupPresenter& PopupPresenter() {
    static TPopupMenu::TPopupPresenter presenter;
    return presenter;
}

}  // namespace

TShortCut ShortCut(TKeyCode key, TShiftState shift) {
    TShortCut result = static_cast<TShortCut>(key & 0xFF);
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

std::string ShortCutToText(TShortCut shortCut) {
    const std::string key = KeyText(static_cast<std::uint8_t>(shortCut & 0xFF));
    if (key.empty()) return {};
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
    std::string rest = text;
    TShortCut mods = 0;
    const std::pair<const char*, TShortCut> prefixes[] = {
        {"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, bit] : prefixes) {
            const std::size_t n = std::char_traits<char>::length(prefix);
            if (rest.size() > n && SameText(rest.substr(0, n), prefix)) {
                mods |= bit;
                rest = rest.substr(n);
                found = true;
            }
        }
    }
    for (int key = 1; key < 256; ++key) {
        const std::string name = KeyText(static_cast<std::uint8_t>(key));
        if (!name.empty() && SameText(name, rest)) return static_cast<TShortCut>(mods | key);
    }
    return scNone;
}

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    Destroying();
    while (!items_.empty()) delete items_.back();  // each one leaves this list as it goes
    if (parent_ != nullptr) parent_->Remove(this);
}

void TMenuItem::MenuChanged() {
    if (TMenu* menu = GetParentMenu()) menu->ItemChanged(kFrameworkKey);
}

void TMenuItem::SetCaption(const std::string& value) {
    if (caption_ == value) return;
    caption_ = value;
    MenuChanged();
}

void TMenuItem::UncheckGroupSiblings() {
    if (parent_ == nullptr) return;
    for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->checked_ = false;
}

void TMenuItem::SetChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    if (value && radioItem_) UncheckGroupSiblings();
    MenuChanged();
}

void TMenuItem::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    MenuChanged();
}

void TMenuItem::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    MenuChanged();
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (shortCut_ == value) return;
    shortCut_ = value;
    MenuChanged();
}

void TMenuItem::SetRadioItem(bool value) {
    if (radioItem_ == value) return;
    radioItem_ = value;
    if (radioItem_ && checked_) UncheckGroupSiblings();
    MenuChanged();
}

void TMenuItem::SetGroupIndex(int value) {
    if (groupIndex_ == value) return;
    groupIndex_ = value;
    if (radioItem_ && checked_) UncheckGroupSiblings();
    MenuChanged();
}

void TMenuItem::SetDefault(bool value) {
    if (default_ == value) return;
    default_ = value;
    MenuChanged();
}

void TMenuItem::SetBreak(TMenuBreak value) {
    if (break_ == value) return;
    break_ = value;
    MenuChanged();
}

void TMenuItem::SetImageIndex(int value) {
    if (imageIndex_ == value) return;
    imageIndex_ = value;
    MenuChanged();
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    return items_[index];
}

int TMenuItem::MenuIndex() const { return parent_ == nullptr ? -1 : parent_->IndexOf(this); }

void TMenuItem::SetMenuIndex(int index) {
    if (parent_ == nullptr) return;
    TMenuItem* parent = parent_;
    const int current = parent->IndexOf(this);
    index = std::clamp(index, 0, parent->Count() - 1);
    if (index == current) return;
    parent->items_.erase(parent->items_.begin() + current);
    parent->items_.insert(parent->items_.begin() + index, this);
    MenuChanged();
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item == nullptr) return;
    if (item->parent_ != nullptr) throw EMenuError("Menu inserted twice");
    if (index < 0 || index > Count()) throw EListError::IndexOutOfBounds(index);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->checked_ && item->radioItem_) item->UncheckGroupSiblings();
    MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    MenuChanged();
}

void TMenuItem::Delete(int index) { delete Items(index); }

void TMenuItem::Clear() {
    while (!items_.empty()) delete items_.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    const std::string wanted = StripAccelerators(caption);
    for (TMenuItem* item : items_)
        if (SameText(StripAccelerators(item->caption_), wanted)) return item;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_ != nullptr) item = item->parent_;
    return item->menu_;
}

void TMenuItem::Click() {
    if (autoCheck_) SetChecked(!checked_);
    if (OnClick) OnClick(this);
}

// ---- TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    Destroying();
    // The root is one of this menu's own components and goes with them, after this destructor:
    // its items must not tell a menu that is no more.
    if (items_ != nullptr) items_->menu_ = nullptr;
}

void TMenu::ItemChanged(TFrameworkKey) {
    ++changeCount_;
    // Items that leave while their form is being freed tell no handler of it.
    const bool dying = ComponentState().Contains(csDestroying) ||
                       (Owner() != nullptr && Owner()->ComponentState().Contains(csDestroying));
    if (dying) return;
    for (const auto& [owner, listener] : std::vector(listeners_)) listener();
    if (OnChange) OnChange(this);
}

void TMenu::AddChangeListener(TFrameworkKey, const void* owner, std::function<void()> listener) {
    listeners_.emplace_back(owner, std::move(listener));
}

void TMenu::RemoveChangeListener(TFrameworkKey, const void* owner) {
    std::erase_if(listeners_, [owner](const auto& entry) { return entry.first == owner; });
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == items_) items_ = nullptr;
}

namespace {

TMenuItem* FindShortCutIn(TMenuItem* parent, TShortCut shortCut, bool usableOnly) {
    if (parent == nullptr) return nullptr;
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (usableOnly && (!item->Visible() || !item->Enabled())) continue;
        if (item->ShortCut() == shortCut && item->Count() == 0) return item;
        if (TMenuItem* found = FindShortCutIn(item, shortCut, usableOnly)) return found;
    }
    return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindShortCut(TShortCut shortCut) const {
    if (shortCut == scNone) return nullptr;
    return FindShortCutIn(items_, shortCut, false);
}

bool TMenu::IsShortCut(TShortCut shortCut) {
    if (shortCut == scNone) return false;
    TMenuItem* item = FindShortCutIn(items_, shortCut, true);
    if (item == nullptr) return false;
    item->Click();
    return true;
}

// ---- TMainMenu

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}
TMainMenu::~TMainMenu() = default;

// ---- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}
TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::SetPresenter(TPopupPresenter presenter) {
    PopupPresenter() = std::move(presenter);
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    TMenuItem* chosen =
        PopupPresenter() ? PopupPresenter()(*this, x, y) : ExecNativePopupMenu(*this, x, y);
    if (chosen != nullptr && chosen->Enabled()) chosen->Click();
}

}  // namespace dsp
