#pragma once
// Objects, persistent objects, components and collections.
//
// Ownership: a component created with an owner is freed by that owner (in
// reverse order of creation) unless it is deleted earlier, in which case it
// leaves its owner first. Collections own their items.
//
// Threads: UI thread only.

#include <functional>
#include <string>
#include <vector>

#include "platform/SysUtils.h"

class TObject;
using TNotifyEvent = std::function<void(TObject* sender)>;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
    // Class name for messages ("TButton"); derived classes may override.
    virtual String ClassName() const;
};

class TPersistent : public TObject {
public:
    // Copies source into this object; when this class does not know the
    // source, the source is asked through AssignTo; then EConvertError.
    virtual void Assign(TPersistent* source);
    // The object this one belongs to (a collection's owner, an item's
    // collection); nullptr when none.
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* dest);
};

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csUpdating = 1u << 5,
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int i) const { return components_.at(static_cast<size_t>(i)); }
    // Index among the owner's components, -1 without an owner.
    int ComponentIndex() const;
    TComponent* FindComponent(const String& name) const;

    const String& Name() const { return name_; }
    void SetName(const String& name) { name_ = name; }
    int Tag = 0;

    TComponentState ComponentState() const { return state_; }
    bool Has(TComponentStateFlag f) const { return (state_ & f) != 0; }

    // Asks that this component hears (Notification opRemove) when `other`
    // goes away, even when it does not own it. Mutual.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Marks the start of construction from stored properties; owned
    // components created meanwhile are loading too.
    void BeginLoading();
    // Ends loading of this component and of every owned component still
    // loading, calling Loaded on each (owned components first, in order).
    void EndLoading();

    // Frees the component: BeforeDestruction while it is still whole, then
    // delete. Owners free their components this way.
    void Free();

    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    // Frees every owned component (reverse order of creation).
    void DestroyComponents();

protected:
    // Called once construction from stored properties has finished.
    virtual void Loaded();
    // Called by Free before any destructor runs (marks csDestroying).
    virtual void BeforeDestruction();
    // Told about components inserted into / removed from this owner and
    // about freed components registered through FreeNotification.
    virtual void Notification(TComponent* component, TOperation op);
    void SetState(TComponentStateFlag f, bool on);
    // Called by the most derived destructor's first statement when a class
    // must act while it is still whole; marks csDestroying.
    void Destroying();

private:
    void NotifyAll(TComponent* component, TOperation op);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    String name_;
    TComponentState state_ = 0;
};

class TCollection;

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollection* Collection() const { return collection_; }
    // The place in the collection; while the item is being made by Add or
    // Insert, already the place it is going to take.
    int Index() const;
    void SetIndex(int index);
    int ID() const { return id_; }
    TPersistent* GetOwner() const override;
    // The name shown for the item (a list of items, an editor): the class
    // name unless a descendant has a better one.
    virtual String GetDisplayName() const;

protected:
    // Tells the collection that this item changed (Update(this)).
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
public:
    using ItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(ItemFactory factory);
    ~TCollection() override;

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int i) const { return items_.at(static_cast<size_t>(i)); }
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void Assign(TPersistent* source) override;

    // Raised after a change of one item (item) or of the whole list (nullptr).
    std::function<void(TCollection* sender, TCollectionItem* item)> OnUpdate;

protected:
    virtual void Update(TCollectionItem* item);

private:
    friend class TCollectionItem;
    void Changed(TCollectionItem* item);

    ItemFactory factory_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
    int insertingAt_ = -1;  // the place of the item being made
};
