#include "framework/core/Component.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace dsp {

namespace {

bool SameTextAscii(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Owners with fewer components find them by walking the list.
constexpr std::size_t kIndexFrom = 16;

std::string LowerAscii(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

bool IsValidIdent(const std::string& text) {
    if (text.empty()) return false;
    auto alpha = [](unsigned char c) { return std::isalpha(c) || c == '_'; };
    if (!alpha(static_cast<unsigned char>(text[0]))) return false;
    return std::all_of(text.begin() + 1, text.end(),
                       [&](unsigned char c) { return alpha(c) || std::isdigit(c); });
}

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Tell every component that asked to hear of our end; each answer removes the pair.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        other->Notification(this, opRemove);
        // An override that does not pass the news on must not make us loop.
        DropFreeNotify(other);
        other->DropFreeNotify(this);
    }
    DestroyComponents();
    if (owner_ == nullptr) return;
    // An owner being torn down takes its components away without telling every one of the
    // others, which made a form of thousands of controls tear down in time squared; only the end
    // of a component someone asked to hear of goes round. Components that keep another in a
    // field ask for that (FreeNotification), also when they share its owner.
    if (owner_->state_.Contains(csDestroying) && !state_.Contains(csFreeNotification)) {
        owner_->RemoveOwned(this);
    } else {
        owner_->RemoveComponent(this);
    }
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name)) {
        throw EComponentError("Component name \"" + name + "\" is not valid");
    }
    if (owner_ != nullptr) {
        owner_->ValidateRename(this, name_, name);
    } else {
        ValidateRename(nullptr, name_, name);
    }
    const std::string old = name_;
    name_ = name;
    if (owner_ != nullptr && owner_->nameIndex_) {
        owner_->UnindexName(this, old);
        owner_->IndexName(this);
    }
}

void TComponent::ValidateRename(TComponent* component, const std::string& currentName,
                                const std::string& newName) {
    if (component == nullptr || newName.empty() || SameTextAscii(currentName, newName)) return;
    TComponent* existing = FindComponent(newName);
    if (existing != nullptr && existing != component) {
        throw EComponentError("A component named " + newName + " already exists");
    }
}

void TComponent::SetComponentState(TComponentStateItem item, bool on) {
    if (on) {
        state_.Include(item);
    } else {
        state_.Exclude(item);
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) throw EListError::IndexOutOfBounds(index);
    return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (owner_ == nullptr) return -1;
    const auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    if (!nameIndex_ && components_.size() >= kIndexFrom) {
        auto* self = const_cast<TComponent*>(this);
        nameIndex_ = std::make_unique<std::unordered_map<std::string, TNameEntry>>();
        for (TComponent* c : components_) self->IndexName(c);
    }
    if (nameIndex_) {
        auto it = nameIndex_->find(LowerAscii(name));
        return it == nameIndex_->end() ? nullptr : it->second.first;
    }
    for (TComponent* c : components_) {
        if (SameTextAscii(c->name_, name)) return c;
    }
    return nullptr;
}

void TComponent::IndexName(TComponent* component) {
    if (component->name_.empty()) return;
    auto [it, added] =
        nameIndex_->try_emplace(LowerAscii(component->name_), TNameEntry{component, 0});
    ++it->second.count;
    // A twin name (only a class that relaxes the renaming rule makes one) keeps the first in
    // list order as the one found.
    if (!added && component->ComponentIndex() < it->second.first->ComponentIndex()) {
        it->second.first = component;
    }
}

void TComponent::UnindexName(TComponent* component, const std::string& name) {
    if (name.empty()) return;
    auto it = nameIndex_->find(LowerAscii(name));
    if (it == nameIndex_->end()) return;
    if (--it->second.count == 0) {
        nameIndex_->erase(it);
        return;
    }
    if (it->second.first != component) return;
    for (TComponent* c : components_) {
        if (c != component && SameTextAscii(c->name_, name)) {
            it->second.first = c;
            return;
        }
    }
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner_ != nullptr) component->owner_->RemoveOwned(component);
    ValidateRename(component, "", component->name_);
    InsertOwned(component);
    if (state_.Contains(csReading)) component->state_.Include(csLoading);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, opRemove);
    RemoveOwned(component);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        RemoveOwned(last);
        delete last;
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this) return;
    // Components of one owner already hear of each other through that owner.
    if (owner_ == nullptr || component->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) ==
            freeNotifies_.end()) {
            freeNotifies_.push_back(component);
            component->FreeNotification(this);
        }
    }
    state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    DropFreeNotify(component);
    component->DropFreeNotify(this);
}

void TComponent::Destroying() { state_.Include(csDestroying); }

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::GetChildren(const TGetChildProc& proc) {
    for (std::size_t i = 0; i < components_.size(); ++i) {
        if (!components_[i]->name_.empty()) proc(components_[i]);
    }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component != nullptr) RemoveFreeNotification(component);
    // Walk from the end; a handler may free components while we walk.
    for (std::size_t i = components_.size(); i-- > 0;) {
        if (i >= components_.size()) {
            if (components_.empty()) break;
            i = components_.size() - 1;
        }
        TComponent* owned = components_[i];
        if (operation == opInsert && !owned->listensForInsertions_) continue;
        owned->Notification(component, operation);
    }
}

void BeginLoading(TComponent& root) {
    root.SetComponentState(csLoading, true);
    root.SetComponentState(csReading, true);
}

namespace {

void CallLoaded(TComponent& component) {
    if (component.ComponentState().Contains(csLoading)) component.Loaded();
    // Loaded may create or free owned components; walk by index and re-check the count.
    for (int i = 0; i < component.ComponentCount(); ++i) CallLoaded(*component.Components(i));
}

}  // namespace

void EndLoading(TComponent& root) {
    root.SetComponentState(csReading, false);
    CallLoaded(root);
}

void TComponent::InsertOwned(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
    if (nameIndex_) IndexName(component);
}

void TComponent::RemoveOwned(TComponent* component) {
    // From the end: components mostly go newest first.
    auto it = std::find(components_.rbegin(), components_.rend(), component);
    if (it != components_.rend()) components_.erase(std::next(it).base());
    component->owner_ = nullptr;
    if (nameIndex_) UnindexName(component, component->name_);
}

void TComponent::DropFreeNotify(TComponent* component) {
    auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), component);
    if (it != freeNotifies_.end()) freeNotifies_.erase(it);
}

}  // namespace dsp
