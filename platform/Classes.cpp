#include "platform/Classes.h"

#include <algorithm>
#include <typeinfo>

namespace {

template <class T>
void Erase(std::vector<T*>& v, T* x) {
    v.erase(std::remove(v.begin(), v.end(), x), v.end());
}

}  // namespace

String TObject::ClassName() const {
    // Mangled names of the global namespace end with the plain class name.
    const char* raw = typeid(*this).name();
    std::string s(raw);
    size_t i = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return String(s.begin() + static_cast<long>(i), s.end());
}

void TPersistent::Assign(TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) {
    const String from = dest == this ? String(L"nil") : ClassName();
    throw EConvertError(L"Cannot assign a " + from + L" to a " + dest->ClassName());
}

// ---- TComponent ------------------------------------------------------------------

TComponent::TComponent(TComponent* owner) {
    if (owner) {
        if (owner->Has(csLoading)) state_ |= csLoading | csReading;
        owner->InsertComponent(this);
    }
}

TComponent::~TComponent() {
    Destroying();
    // Tell those who asked, then forget them (they forget us in turn).
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        Erase(other->freeNotifies_, this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() { state_ |= csDestroying; }

void TComponent::BeforeDestruction() { Destroying(); }

void TComponent::Free() {
    if (!Has(csDestroying)) BeforeDestruction();
    delete this;
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& v = owner_->components_;
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

TComponent* TComponent::FindComponent(const String& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
        other->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    Erase(freeNotifies_, other);
    Erase(other->freeNotifies_, this);
}

void TComponent::BeginLoading() { state_ |= csLoading | csReading; }

void TComponent::EndLoading() {
    // Copy: a Loaded handler may create or free components.
    const std::vector<TComponent*> owned = components_;
    for (TComponent* c : owned) {
        if (std::find(components_.begin(), components_.end(), c) == components_.end()) continue;
        if (c->Has(csLoading)) c->EndLoading();
    }
    if (Has(csLoading)) {
        state_ &= ~static_cast<unsigned>(csReading);
        Loaded();
    }
}

void TComponent::Loaded() { state_ &= ~static_cast<unsigned>(csLoading | csReading); }

void TComponent::Notification(TComponent* component, TOperation op) {
    if (op == opRemove) RemoveFreeNotification(component);
}

void TComponent::SetState(TComponentStateFlag f, bool on) {
    if (on) state_ |= f;
    else state_ &= ~static_cast<unsigned>(f);
}

void TComponent::NotifyAll(TComponent* component, TOperation op) {
    Notification(component, op);
    const std::vector<TComponent*> owned = components_;
    for (TComponent* c : owned)
        if (c != component) c->Notification(component, op);
}

void TComponent::InsertComponent(TComponent* c) {
    if (!c || c->owner_ == this) return;
    if (c->owner_) c->owner_->RemoveComponent(c);
    components_.push_back(c);
    c->owner_ = this;
    NotifyAll(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
    if (!c || c->owner_ != this) return;
    NotifyAll(c, opRemove);
    Erase(components_, c);
    c->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) components_.back()->Free();
}

// ---- collections -----------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* collection) : collection_(collection) {}

TCollectionItem::~TCollectionItem() {
    if (collection_) {
        Erase(collection_->items_, this);
        TCollection* c = collection_;
        collection_ = nullptr;
        c->Changed(nullptr);
    }
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    const auto& v = collection_->items_;
    const auto it = std::find(v.begin(), v.end(), this);
    if (it == v.end() && collection_->insertingAt_ >= 0) return collection_->insertingAt_;
    return static_cast<int>(it - v.begin());
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

String TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::SetIndex(int index) {
    const int cur = Index();
    if (cur < 0 || index == cur || index < 0 || index >= collection_->Count()) return;
    auto& v = collection_->items_;
    v.erase(v.begin() + cur);
    v.insert(v.begin() + index, this);
    collection_->Changed(nullptr);
}

void TCollectionItem::Changed(bool allItems) {
    if (collection_) collection_->Changed(allItems ? nullptr : this);
}

TCollection::TCollection(ItemFactory factory) : factory_(std::move(factory)) {}

TCollection::~TCollection() {
    updateCount_ = 1;  // no change events while dying
    Clear();
}

TCollectionItem* TCollection::Insert(int index) {
    index = std::clamp(index, 0, Count());
    insertingAt_ = index;
    TCollectionItem* item = nullptr;
    try {
        item = factory_(this);
    } catch (...) {
        insertingAt_ = -1;
        throw;
    }
    insertingAt_ = -1;
    item->collection_ = this;
    item->id_ = nextId_++;
    items_.insert(items_.begin() + index, item);
    Changed(nullptr);
    return item;
}

TCollectionItem* TCollection::Add() { return Insert(Count()); }

void TCollection::Delete(int index) { delete items_.at(static_cast<size_t>(index)); }

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) delete items_.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* i : items_)
        if (i->id_ == id) return i;
    return nullptr;
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed(nullptr);
}

void TCollection::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    Clear();
    for (TCollectionItem* i : other->items_) Add()->Assign(i);
    EndUpdate();
}

void TCollection::Update(TCollectionItem* item) {
    if (OnUpdate) OnUpdate(this, item);
}

void TCollection::Changed(TCollectionItem* item) {
    if (updateCount_ == 0) Update(item);
}
