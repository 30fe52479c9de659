#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Collection.h"
#include "framework/core/Component.h"

namespace dsp {
namespace {

class TLine : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string text;
    void Assign(TPersistent* source) override {
        if (auto* other = dynamic_cast<TLine*>(source)) {
            text = other->text;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(source);
    }
    void SetText(const std::string& t) {
        text = t;
        Changed(false);
    }
};

// Journals the announcements a collection makes.
class TLines : public TOwnedCollection {
public:
    explicit TLines(TPersistent* owner) : TOwnedCollection(owner, ItemClass<TLine>()) {}
    std::vector<std::string> journal;

protected:
    void Update(TCollectionItem* item) override {
        journal.push_back(item == nullptr ? "all" : "item " + static_cast<TLine*>(item)->text);
    }
    void Notify(TCollectionItem* item, TCollectionNotification action) override {
        static const char* names[] = {"added", "extracting", "deleting"};
        journal.push_back(std::string(names[action]) + " " + std::to_string(item->ID()));
    }
};

class TSplash : public TComponent {
    DSP_PUBLISHED(TSplash, TComponent) {
        return {Published<TSplash>::Property("Items", &TSplash::Items)};
    }

public:
    using TComponent::TComponent;
    TLines* Items() const { return items_.get(); }

private:
    std::unique_ptr<TLines> items_ = std::make_unique<TLines>(this);
};

TEST(CollectionTest, ItemsKeepOrderIdsAndLeaveWhenFreed) {
    TLines lines(nullptr);
    auto* a = static_cast<TLine*>(lines.Add());
    auto* b = static_cast<TLine*>(lines.Add());
    auto* c = static_cast<TLine*>(lines.Insert(0));
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ((std::vector<int>{c->ID(), a->ID(), b->ID()}), (std::vector<int>{2, 0, 1}));

    delete a;
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Items(1), b);
    EXPECT_EQ(lines.FindItemID(0), nullptr);
    EXPECT_EQ(lines.FindItemID(1), b);
    // Ids are never reused.
    EXPECT_EQ(lines.Add()->ID(), 3);
    EXPECT_THROW(lines.Items(3), EListError);

    b->SetIndex(0);
    EXPECT_EQ(lines.Items(0), b);
}

TEST(CollectionTest, ChangesAreAnnouncedOnceInsideAnUpdate) {
    TLines lines(nullptr);
    auto* a = static_cast<TLine*>(lines.Add());
    a->SetText("x");
    EXPECT_EQ(lines.journal, (std::vector<std::string>{"added 0", "all", "item x"}));

    lines.journal.clear();
    lines.BeginUpdate();
    a->SetText("y");
    lines.Add();
    lines.Delete(0);
    lines.EndUpdate();
    EXPECT_EQ(lines.journal,
              (std::vector<std::string>{"added 1", "deleting 0", "extracting 0", "all"}));
}

TEST(CollectionTest, AssignCopiesItemByItem) {
    TLines from(nullptr), to(nullptr);
    for (const char* t : {"one", "two"}) static_cast<TLine*>(from.Add())->text = t;
    to.Add();
    to.Add();
    to.Add();
    to.Assign(&from);
    ASSERT_EQ(to.Count(), 2);
    EXPECT_EQ(to.ItemAs<TLine>(1)->text, "two");
}

TEST(CollectionTest, NamePathFollowsTheOwnersProperty) {
    TComponent form(nullptr);
    form.SetName("fmMain");
    auto* splash = new TSplash(&form);
    splash->SetName("Splash");
    splash->Items()->Add();
    splash->Items()->Add();
    EXPECT_EQ(splash->Items()->Items(1)->GetNamePath(), "Splash.Items[1]");
}

}  // namespace
}  // namespace dsp
