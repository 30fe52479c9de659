#pragma once
// TCollection and TCollectionItem: an owned, ordered list of settings objects of one class, such
// as the buttons of a panel or the lines of a splash screen. The collection creates its items
// through its item class and frees them; an item freed on its own leaves its collection.

#include <functional>
#include <string>
#include <vector>

#include "framework/core/Object.h"

namespace dsp {

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item into another collection (or out of every collection, with null).
    void SetCollection(TCollection* collection);

    // The item's position in its collection; setting it moves the item there.
    int Index() const;
    void SetIndex(int index);
    // A number unique within the collection for the collection's lifetime.
    int ID() const { return id_; }

    // The text an editor lists the item under; the class name unless a class says better.
    virtual std::string DisplayName() const { return ClassName(); }

    TPersistent* GetOwner() override;
    // The collection's path followed by the item's index in brackets: "Splash.Items[2]".
    std::string GetNamePath() override;

protected:
    // Tells the collection that this item (or, with allItems, the whole list) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
public:
    using ItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // The item class: a function that creates an item of the collection's class in a collection.
    template <typename T>
    static ItemFactory ItemClass() {
        return [](TCollection* collection) -> TCollectionItem* { return new T(collection); };
    }

    explicit TCollection(ItemFactory itemClass);
    ~TCollection() override;

    int Count() const { return static_cast<int>(items_.size()); }
    // The item at index; EListError outside the list.
    TCollectionItem* Items(int index) const;
    template <typename T>
    T* ItemAs(int index) const {
        return As<T>(Items(index));
    }

    // A new item of the item class at the end (Add) or at index (Insert).
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    // Frees the item at index.
    void Delete(int index);
    // Frees every item.
    void Clear();
    TCollectionItem* FindItemID(int id) const;

    // Changes inside a BeginUpdate/EndUpdate pair are announced once, by the outermost EndUpdate.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Copies another collection: the same number of items, each assigned from its twin.
    void Assign(TPersistent* source) override;

    // The object that owns the collection, null for a free collection.
    TPersistent* GetOwner() override { return nullptr; }
    // The owner's path and the name of the owner's published property that holds the collection.
    std::string GetNamePath() override;

protected:
    // A change of one item, or of the whole list when item is null.
    virtual void Update(TCollectionItem* item);
    // An item was added, is being taken out, or is about to be freed.
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    // Announces a change of the whole list unless an update is open.
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    ItemFactory itemClass_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextId_ = 0;
};

// A collection that belongs to a persistent object, which it names as its owner.
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* owner, ItemFactory itemClass)
        : TCollection(std::move(itemClass)), owner_(owner) {}
    TPersistent* GetOwner() override { return owner_; }

private:
    TPersistent* owner_;
};

}  // namespace dsp
