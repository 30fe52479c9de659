#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "framework/core/Component.h"

namespace dsp {
namespace {

// Records every notification it hears, and its own destruction, in a shared journal.
class TWatcher : public TComponent {
public:
    TWatcher(TComponent* owner, std::vector<std::string>& journal, std::string label)
        : TComponent(owner), journal_(journal), label_(std::move(label)) {}
    ~TWatcher() override { journal_.push_back(label_ + " destroyed"); }

    TComponent* watched = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == watched) {
            journal_.push_back(label_ + " lost " + component->Name());
            watched = nullptr;
        }
    }

private:
    std::vector<std::string>& journal_;
    std::string label_;
};

TEST(ComponentTest, OwnerFreesOwnedComponentsLastFirst) {
    std::vector<std::string> journal;
    auto* owner = new TComponent(nullptr);
    new TWatcher(owner, journal, "a");
    new TWatcher(owner, journal, "b");
    ASSERT_EQ(owner->ComponentCount(), 2);
    delete owner;
    EXPECT_EQ(journal, (std::vector<std::string>{"b destroyed", "a destroyed"}));
}

TEST(ComponentTest, FreeingAnOwnedComponentTakesItOutOfTheOwner) {
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    child->SetName("Child");
    EXPECT_EQ(child->ComponentIndex(), 0);
    delete child;
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(owner.FindComponent("Child"), nullptr);
}

TEST(ComponentTest, NamesAreIdentifiersUniqueWithoutRegardToCase) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("lbStatus");
    EXPECT_EQ(owner.FindComponent("LBSTATUS"), a);
    EXPECT_THROW(b->SetName("LbStatus"), EComponentError);
    EXPECT_THROW(b->SetName("1st"), EComponentError);
    EXPECT_THROW(b->SetName("two words"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    b->SetName("lbStatus2");
    a->SetName("LBSTATUS");  // renaming to itself in other case is allowed
    EXPECT_EQ(a->Name(), "LBSTATUS");
}

// What FindComponent must answer: the first owned component of that name in list order.
TComponent* FindByWalking(const TComponent& owner, const std::string& name) {
    auto same = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(a[i])) !=
                std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        }
        return true;
    };
    if (name.empty()) return nullptr;
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        if (same(owner.Components(i)->Name(), name)) return owner.Components(i);
    }
    return nullptr;
}

// An owner that lets its components share names, as a class may by relaxing the rule.
class TLaxOwner : public TComponent {
public:
    using TComponent::TComponent;

protected:
    void ValidateRename(TComponent*, const std::string&, const std::string&) override {}
};

TEST(ComponentTest, AManyComponentOwnerFindsNamesAsTheListSays) {
    // Creations, renames, frees and moves to another owner in a random order; after each, every
    // name asked in both letter cases gives what walking the list gives.
    TLaxOwner owner(nullptr);
    TLaxOwner other(nullptr);
    std::mt19937 random(11);
    std::vector<std::string> pool;
    for (int i = 0; i < 40; ++i) pool.push_back("cmp" + std::to_string(i % 30));
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 600; ++step) {
        const int count = owner.ComponentCount();
        switch (count < 20 ? 0 : pick(5)) {
            case 0:
            case 1: (new TComponent(&owner))->SetName(pool[pick(40)]); break;
            case 2:
                owner.Components(pick(count))->SetName(pick(4) == 0 ? "" : pool[pick(40)]);
                break;
            case 3: delete owner.Components(pick(count)); break;
            default: other.InsertComponent(owner.Components(pick(count))); break;
        }
        for (const std::string& name :
             {pool[pick(40)], std::string("CMP") + std::to_string(pick(30)), std::string("absent"),
              std::string()}) {
            ASSERT_EQ(owner.FindComponent(name), FindByWalking(owner, name))
                << "step " << step << " name " << name;
        }
    }
    EXPECT_GE(owner.ComponentCount(), 16);
}

TEST(ComponentTest, FreeNotificationTellsAComponentOfAnotherOwner) {
    std::vector<std::string> journal;
    TComponent formA(nullptr), formB(nullptr);
    auto* watcher = new TWatcher(&formA, journal, "watcher");
    auto* target = new TComponent(&formB);
    target->SetName("Target");
    watcher->watched = target;
    target->FreeNotification(watcher);
    delete target;
    EXPECT_EQ(journal, std::vector<std::string>{"watcher lost Target"});
    EXPECT_EQ(watcher->watched, nullptr);

    // The pair is gone on both sides: destroying the watcher later touches nothing freed.
    auto* second = new TComponent(&formB);
    second->FreeNotification(watcher);
    delete watcher;
    delete second;
}

TEST(ComponentTest, SiblingsHearOfEachOtherThroughTheirOwner) {
    std::vector<std::string> journal;
    TComponent form(nullptr);
    auto* watcher = new TWatcher(&form, journal, "watcher");
    auto* sibling = new TComponent(&form);
    sibling->SetName("Sibling");
    watcher->watched = sibling;
    delete sibling;
    EXPECT_EQ(journal, std::vector<std::string>{"watcher lost Sibling"});
}

// Counts the insertions and removals it hears of; listens for insertions when asked to.
class TNewsCounter : public TComponent {
public:
    TNewsCounter(TComponent* owner, bool listen) : TComponent(owner) {
        if (listen) ListenForInsertions();
    }
    int inserted = 0;
    int removed = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        ++(operation == opInsert ? inserted : removed);
    }
};

TEST(ComponentTest, InsertionsReachTheSiblingsThatListenAndRemovalsEveryOne) {
    TComponent form(nullptr);
    auto* listening = new TNewsCounter(&form, true);
    auto* deaf = new TNewsCounter(&form, false);
    delete new TComponent(&form);
    EXPECT_EQ(listening->inserted, 2);  // the deaf one, then the short-lived one
    EXPECT_EQ(deaf->inserted, 0);
    EXPECT_EQ(listening->removed, 1);
    EXPECT_EQ(deaf->removed, 1);
}

// Counts the removals it hears of.
class TListener : public TComponent {
public:
    TListener(TComponent* owner, int& heard) : TComponent(owner), heard_(heard) {}

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) ++heard_;
    }

private:
    int& heard_;
};

// An owner that, like a parent control, frees its components one by one in its own destructor,
// oldest first, before the owner's part of it frees what is left.
class TParentLike : public TComponent {
public:
    using TComponent::TComponent;
    ~TParentLike() override {
        Destroying();
        while (ComponentCount() > 0) delete Components(0);
    }
};

// While its owner is torn down, a component leaves without telling each sibling, unless one
// asked to hear of its end: a form of thousands of controls tore down in time squared.
TEST(ComponentTest, TearDownTellsOnlyOfComponentsSomeoneWatches) {
    constexpr int kComponents = 200;
    std::vector<std::string> journal;
    int heard = 0;
    auto* form = new TParentLike(nullptr);
    auto* target = new TComponent(form);
    target->SetName("Target");
    auto* watcher = new TWatcher(form, journal, "watcher");
    watcher->watched = target;
    target->FreeNotification(watcher);
    for (int i = 0; i < kComponents; ++i) new TListener(form, heard);
    delete form;
    EXPECT_EQ(journal, (std::vector<std::string>{"watcher lost Target", "watcher destroyed"}));
    EXPECT_EQ(heard, kComponents);  // the target's end alone, once to each listener
}

TEST(ComponentTest, StateMarksLoadingUntilLoaded) {
    TComponent c(nullptr);
    c.SetComponentState(csLoading, true);
    EXPECT_TRUE(c.ComponentState().Contains(csLoading));
    c.Loaded();
    EXPECT_FALSE(c.ComponentState().Contains(csLoading));
}

}  // namespace
}  // namespace dsp

namespace dsp {
namespace {

// Records when Loaded runs and what the component saw while loading.
class TLoadWatcher : public TComponent {
public:
    TLoadWatcher(TComponent* owner, std::vector<std::string>& journal, std::string label)
        : TComponent(owner), journal_(journal), label_(std::move(label)) {}
    void Loaded() override {
        journal_.push_back(label_ + (ComponentState().Contains(csLoading) ? " loaded" : " ?"));
        TComponent::Loaded();
    }

private:
    std::vector<std::string>& journal_;
    std::string label_;
};

TEST(ComponentLoadingTest, ComponentsBuiltDuringLoadingAreLoadedOwnerFirst) {
    std::vector<std::string> journal;
    TLoadWatcher form(nullptr, journal, "form");
    BeginLoading(form);
    auto* panel = new TLoadWatcher(&form, journal, "panel");
    auto* label = new TLoadWatcher(&form, journal, "label");
    EXPECT_TRUE(label->ComponentState().Contains(csLoading));
    // Sub-components a component makes for itself are not read from the form.
    auto* inner = new TLoadWatcher(panel, journal, "inner");
    EXPECT_FALSE(inner->ComponentState().Contains(csLoading));
    EndLoading(form);

    EXPECT_EQ(journal, (std::vector<std::string>{"form loaded", "panel loaded", "label loaded"}));
    for (const TComponent* c : {static_cast<TComponent*>(&form), static_cast<TComponent*>(panel),
                                static_cast<TComponent*>(label)}) {
        EXPECT_FALSE(c->ComponentState().Contains(csLoading));
        EXPECT_FALSE(c->ComponentState().Contains(csReading));
    }
    // After loading, new components are ordinary.
    auto* later = new TLoadWatcher(&form, journal, "later");
    EXPECT_FALSE(later->ComponentState().Contains(csLoading));
}

TEST(ComponentLoadingTest, NameAndTagArePublished) {
    TComponent c(nullptr);
    GetPropInfo(&c, "Tag")->SetOrdinal(&c, 7);
    GetPropInfo(&c, "Name")->SetString(&c, "tmPoll");
    EXPECT_EQ(c.Tag(), 7);
    EXPECT_EQ(c.Name(), "tmPoll");
    EXPECT_THROW(GetPropInfo(&c, "Name")->SetString(&c, "not valid"), EComponentError);
}

}  // namespace
}  // namespace dsp
