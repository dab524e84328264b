// Components: ownership, free notifications, loading; collections.
#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

#include "platform/Classes.h"

// An item class of the global namespace, whose class name is plain.
class PlainEntry : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
};

namespace {

std::vector<String>* g_log = nullptr;

class Probe : public TComponent {
public:
    Probe(TComponent* owner, const String& name) : TComponent(owner) { SetName(name); }
    ~Probe() override {
        Destroying();
        if (g_log) g_log->push_back(L"free " + Name());
    }
    std::vector<String> removed;
    int loaded = 0;
    bool loadingAtLoaded = false;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove) removed.push_back(c->Name());
    }
    void Loaded() override {
        loadingAtLoaded = Has(csLoading);
        TComponent::Loaded();
        ++loaded;
    }
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { g_log = &log; }
    void TearDown() override { g_log = nullptr; }
    std::vector<String> log;
};

TEST_F(ComponentTest, OwnerFreesOwnedComponentsInReverseOrder) {
    auto* owner = new Probe(nullptr, L"owner");
    new Probe(owner, L"a");
    auto* b = new Probe(owner, L"b");
    new Probe(b, L"b1");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent(L"B"), b);
    delete owner;
    EXPECT_EQ(log, (std::vector<String>{L"free owner", L"free b", L"free b1", L"free a"}));
}

TEST_F(ComponentTest, DeletingAnOwnedComponentLeavesItsOwner) {
    Probe owner(nullptr, L"owner");
    auto* a = new Probe(&owner, L"a");
    auto* b = new Probe(&owner, L"b");
    delete a;
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
    // The owner and its other components hear about the removal.
    EXPECT_EQ(owner.removed, std::vector<String>{L"a"});
    EXPECT_EQ(b->removed, std::vector<String>{L"a"});
}

TEST_F(ComponentTest, FreeNotificationReachesUnrelatedComponentsOnce) {
    auto* watcher = new Probe(nullptr, L"watcher");
    auto* target = new Probe(nullptr, L"target");
    watcher->FreeNotification(target);
    watcher->FreeNotification(target);
    delete target;
    EXPECT_EQ(watcher->removed, std::vector<String>{L"target"});
    // The link is gone both ways: freeing the watcher later is safe.
    auto* other = new Probe(nullptr, L"other");
    other->FreeNotification(watcher);
    delete watcher;
    EXPECT_EQ(other->removed, std::vector<String>{L"watcher"});
    delete other;
}

TEST_F(ComponentTest, RemovedFreeNotificationIsSilent) {
    Probe watcher(nullptr, L"watcher");
    auto* target = new Probe(nullptr, L"target");
    watcher.FreeNotification(target);
    watcher.RemoveFreeNotification(target);
    delete target;
    EXPECT_TRUE(watcher.removed.empty());
}

TEST_F(ComponentTest, ComponentsCreatedWhileOwnerLoadsAreLoadedAfterwards) {
    Probe form(nullptr, L"form");
    form.BeginLoading();
    auto* a = new Probe(&form, L"a");
    auto* b = new Probe(&form, L"b");
    EXPECT_TRUE(a->Has(csLoading));
    EXPECT_TRUE(a->Has(csReading));
    form.EndLoading();
    for (Probe* p : {a, b, &form}) {
        EXPECT_EQ(p->loaded, 1) << p->Name();
        EXPECT_TRUE(p->loadingAtLoaded) << p->Name();
        EXPECT_FALSE(p->Has(csLoading));
    }
    auto* c = new Probe(&form, L"c");
    EXPECT_FALSE(c->Has(csLoading));
}

class Item : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    void Assign(TPersistent* source) override {
        if (auto* i = dynamic_cast<Item*>(source)) {
            value = i->value;
            return;
        }
        TCollectionItem::Assign(source);
    }
    void Set(int v) {
        value = v;
        Changed(false);
    }
    int value = 0;
};

TEST(Collection, ItemsKnowTheirIndexAndReportChanges) {
    TCollection c([](TCollection* owner) { return new Item(owner); });
    std::vector<TCollectionItem*> updates;
    c.OnUpdate = [&](TCollection*, TCollectionItem* i) { updates.push_back(i); };
    auto* a = static_cast<Item*>(c.Add());
    auto* b = static_cast<Item*>(c.Add());
    EXPECT_EQ(b->Index(), 1);
    b->SetIndex(0);
    EXPECT_EQ(c.Items(0), b);
    updates.clear();
    a->Set(5);
    EXPECT_EQ(updates, std::vector<TCollectionItem*>{a});
    EXPECT_EQ(c.FindItemID(a->ID()), a);

    TCollection copy([](TCollection* owner) { return new Item(owner); });
    copy.Assign(&c);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(static_cast<Item*>(copy.Items(1))->value, 5);

    delete b;
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(a->Index(), 0);
}

// Names itself after its place when made, as skin list entries do.
class PlacedItem : public TCollectionItem {
public:
    explicit PlacedItem(TCollection* c) : TCollectionItem(c), name(L"entry" + IntToStr(Index())) {}
    String GetDisplayName() const override { return name; }
    String name;
};

class OwnedCollection : public TCollection {
public:
    explicit OwnedCollection(TPersistent* owner)
        : TCollection([](TCollection* c) { return new PlacedItem(c); }), owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};

TEST(Collection, ItemMadeMidListTakesTheNameOfItsPlace) {
    TComponent owner(nullptr);
    OwnedCollection c(&owner);
    const struct {
        int insertAt;
        const wchar_t* name;
    } steps[] = {{0, L"entry0"}, {1, L"entry1"}, {1, L"entry1"}, {0, L"entry0"}, {99, L"entry4"}, {-5, L"entry0"}};
    for (const auto& step : steps) {
        TCollectionItem* item = c.Insert(step.insertAt);
        EXPECT_EQ(item->GetDisplayName(), step.name) << step.insertAt;
        EXPECT_EQ(item->Index(), std::clamp(step.insertAt, 0, c.Count() - 1));
    }
    // Once made, an item's index is its place in the list again.
    EXPECT_EQ(c.Items(2)->Index(), 2);
    EXPECT_EQ(c.Items(0)->GetOwner(), &c);
    EXPECT_EQ(c.GetOwner(), &owner);
}

TEST(Collection, DisplayNameIsTheClassNameUnlessADescendantSaysMore) {
    TCollection c([](TCollection* owner) { return new PlainEntry(owner); });
    EXPECT_EQ(c.Add()->GetDisplayName(), L"PlainEntry");
    EXPECT_EQ(c.GetOwner(), nullptr);
}

TEST(Persistent, AssigningAnUnknownClassFails) {
    TCollection c([](TCollection* owner) { return new Item(owner); });
    auto* item = static_cast<Item*>(c.Add());
    EXPECT_THROW(item->TCollectionItem::Assign(&c), EConvertError);
}

}  // namespace
