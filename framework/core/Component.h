#pragma once
// TComponent: the owned, named building block of forms. An owner frees the components it owns;
// components that asked to be told (FreeNotification) hear of each other's destruction.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"

namespace dsp {

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
    csLoading,     // properties are being read from a stream; Loaded follows
    csReading,     // the component's own properties are being read
    csWriting,     // the component is being written
    csDestroying,  // the destructor has begun
    csDesigning,   // the component is in a designer (never in this program, kept for the rules)
    csUpdating,
    csFreeNotification,
};
using TComponentState = Set<TComponentStateItem>;

class TComponent : public TPersistent {
    DSP_PUBLISHED(TComponent, TPersistent) {
        using P = Published<TComponent>;
        // The name travels apart from the other properties (it names the object in a saved copy).
        return {
            P::Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false),
            P::Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0),
        };
    }

public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }

    const std::string& Name() const { return name_; }
    // A valid identifier, unique among the owner's components (compared without case);
    // EComponentError otherwise. An empty name is always allowed.
    virtual void SetName(const std::string& name);

    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    const TComponentState& ComponentState() const { return state_; }
    void SetComponentState(TComponentStateItem item, bool on);

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    // This component's position in its owner's list, or -1.
    int ComponentIndex() const;
    // The owned component of that name (compared without case), or null. An owner of many
    // components finds them through an index of their names.
    TComponent* FindComponent(const std::string& name) const;

    // A component inserted into an owner that is being read (csReading) joins the loading: it
    // carries csLoading until its Loaded.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last inserted first.
    void DestroyComponents();

    // Both components are told (Notification with opRemove) when the other is destroyed. A
    // component that keeps another in a field asks for this, also when both have one owner:
    // while that owner is torn down, only the ends of components asked about go round.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Marks the component as being destroyed; the destructor calls it too, and a derived class
    // calls it first in its own destructor when its teardown must already see the mark.
    virtual void Destroying();

    // Ends loading: clears csLoading.
    virtual void Loaded();

    // The components a form stream holds inside this one: by default every named component it
    // owns, in creation order (unnamed ones are parts the component makes for itself). Reading
    // puts each back into the component it was written inside.
    using TGetChildProc = std::function<void(TComponent* child)>;
    virtual void GetChildren(const TGetChildProc& proc);

    TPersistent* GetOwner() override { return owner_; }
    std::string GetNamePath() override { return name_; }

protected:
    // Told of components inserted into or removed from this component's owner chain, and of
    // components on the free-notification list being destroyed. The default passes the news on
    // to every owned component; news of an insertion only to those that listen for it.
    virtual void Notification(TComponent* component, TOperation operation);
    // From now on this component is told of the components inserted into its owner (opInsert).
    // Few need it; telling every component of a form of thousands of controls of each new one
    // took time squared.
    void ListenForInsertions() { listensForInsertions_ = true; }

    // Checks a new name; raises EComponentError when it is not a valid identifier or taken.
    virtual void ValidateRename(TComponent* component, const std::string& currentName,
                                const std::string& newName);

private:
    void InsertOwned(TComponent* component);
    void RemoveOwned(TComponent* component);
    void DropFreeNotify(TComponent* component);
    // The index of the owned components' names (lower-case keys), kept once it exists.
    void IndexName(TComponent* component);
    void UnindexName(TComponent* component, const std::string& name);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::intptr_t tag_ = 0;
    TComponentState state_;
    bool listensForInsertions_ = false;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    struct TNameEntry {
        TComponent* first;  // the first of the components of this name, in list order
        int count;
    };
    mutable std::unique_ptr<std::unordered_map<std::string, TNameEntry>> nameIndex_;
};

// Building a form in code stands in for reading it from a form resource. BeginLoading marks the
// root as being read (csLoading, csReading); every component inserted into it until EndLoading
// carries csLoading, so setters can tell loading from use. EndLoading clears csReading and calls
// Loaded on the root and then on every component of its ownership tree that is still loading,
// owner before owned, in creation order, as a form reader does once all properties are read.
void BeginLoading(TComponent& root);
void EndLoading(TComponent& root);

// True when text is an identifier: a letter or underscore, then letters, digits and underscores.
bool IsValidIdent(const std::string& text);

}  // namespace dsp
