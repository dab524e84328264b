#pragma once
// Owners of COM and shell resources: each releases what it holds on every
// path (return or exception).
//
//   ComPtr<I>       an interface reference (Release at the end)
//   ItemIdList      a shell item id list of the shell allocator (CoTaskMemFree)
//   CoTaskString    a wide string of the shell allocator (CoTaskMemFree)
//   OleScope        OleInitialize / OleUninitialize on success
//
// Threads: an owner is used on the thread (apartment) that made it.

#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include <utility>

namespace platform {

template <class I>
class ComPtr {
public:
    ComPtr() = default;
    // Takes a reference already counted for us.
    explicit ComPtr(I* p) : p_(p) {}
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    // A new counted reference to p (AddRef).
    static ComPtr Share(I* p) {
        if (p) p->AddRef();
        return ComPtr(p);
    }
    I* Get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset(I* p = nullptr) {
        if (p_) p_->Release();
        p_ = p;
    }
    // Releases the reference held and gives the slot for an out argument.
    I** Put() {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    // QueryInterface for another interface; empty when not supported.
    template <class J>
    ComPtr<J> As(REFIID iid) const {
        ComPtr<J> r;
        if (p_ && FAILED(p_->QueryInterface(iid, r.PutVoid()))) r.Reset();
        return r;
    }

private:
    I* p_ = nullptr;
};

// An item id list allocated by the shell allocator.
class ItemIdList {
public:
    ItemIdList() = default;
    explicit ItemIdList(LPITEMIDLIST p) : p_(p) {}
    ~ItemIdList() { Reset(); }
    ItemIdList(ItemIdList&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ItemIdList& operator=(ItemIdList&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.p_, nullptr));
        return *this;
    }
    ItemIdList(const ItemIdList&) = delete;
    ItemIdList& operator=(const ItemIdList&) = delete;
    LPITEMIDLIST Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset(LPITEMIDLIST p = nullptr) {
        if (p_) CoTaskMemFree(p_);
        p_ = p;
    }
    LPITEMIDLIST* Put() {
        Reset();
        return &p_;
    }
    LPITEMIDLIST Release() { return std::exchange(p_, nullptr); }

private:
    LPITEMIDLIST p_ = nullptr;
};

// A wide string allocated by the shell allocator.
class CoTaskString {
public:
    CoTaskString() = default;
    ~CoTaskString() {
        if (p_) CoTaskMemFree(p_);
    }
    CoTaskString(const CoTaskString&) = delete;
    CoTaskString& operator=(const CoTaskString&) = delete;
    LPWSTR Get() const { return p_; }
    LPWSTR* Put() {
        if (p_) CoTaskMemFree(p_);
        p_ = nullptr;
        return &p_;
    }

private:
    LPWSTR p_ = nullptr;
};

// OleInitialize for the scope; OleUninitialize only when it succeeded.
class OleScope {
public:
    OleScope() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (ok_) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool ok_;
};

}  // namespace platform
