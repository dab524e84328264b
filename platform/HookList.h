#pragma once
// A list of handlers that several components share, each added and removed
// by identity: Add returns a token, and the handler stays in the list for
// the token's lifetime. Tokens go in any order; no one saves and restores
// another's handler, so nothing stale comes back. A token that outlives its
// list is inert. A handler may remove itself (or another) while the list is
// being run: removed handlers are not called again.
//
// Threads: one thread (the UI thread) adds, removes and runs.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace platform {

template <class Signature>
class HookList {
    struct Entry {
        std::function<Signature> fn;
        bool removed = false;
    };
    struct Core {
        std::vector<std::shared_ptr<Entry>> entries;  // oldest first
        std::function<void()> changed;
    };

public:
    class Token {
    public:
        Token() = default;
        ~Token() { Remove(); }
        Token(Token&& o) noexcept : core_(std::move(o.core_)), entry_(std::move(o.entry_)) {}
        Token& operator=(Token&& o) noexcept {
            if (this != &o) {
                Remove();
                core_ = std::move(o.core_);
                entry_ = std::move(o.entry_);
            }
            return *this;
        }
        Token(const Token&) = delete;
        Token& operator=(const Token&) = delete;
        // Takes the handler out (again: nothing).
        void Remove() {
            if (!entry_) return;
            entry_->removed = true;
            if (auto core = core_.lock()) {
                auto& v = core->entries;
                for (auto it = v.begin(); it != v.end(); ++it)
                    if (*it == entry_) {
                        v.erase(it);
                        break;
                    }
                if (core->changed) core->changed();
            }
            entry_.reset();
            core_.reset();
        }
        bool Active() const { return entry_ && !core_.expired(); }

    private:
        friend class HookList;
        std::weak_ptr<Core> core_;
        std::shared_ptr<Entry> entry_;
    };

    HookList() : core_(std::make_shared<Core>()) {}
    HookList(const HookList&) = delete;
    HookList& operator=(const HookList&) = delete;

    // Keep the token: the handler goes when it does.
    [[nodiscard]] Token Add(std::function<Signature> fn) {
        Token t;
        t.entry_ = std::make_shared<Entry>(Entry{std::move(fn)});
        t.core_ = core_;
        core_->entries.push_back(t.entry_);
        if (core_->changed) core_->changed();
        return t;
    }
    bool Empty() const { return core_->entries.empty(); }
    // Called after every addition and removal.
    void SetOnChange(std::function<void()> fn) { core_->changed = std::move(fn); }

    // visit(handler) for each handler newest first, until visit returns true.
    template <class Visit>
    bool VisitNewestFirst(Visit visit) const {
        const auto snapshot = core_->entries;
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
            if (!(*it)->removed && visit((*it)->fn)) return true;
        return false;
    }
    // visit(handler) for each handler oldest first.
    template <class Visit>
    void VisitOldestFirst(Visit visit) const {
        const auto snapshot = core_->entries;
        for (const auto& e : snapshot)
            if (!e->removed) visit(e->fn);
    }
    // The newest handler (empty when there is none).
    std::function<Signature> Newest() const {
        return core_->entries.empty() ? std::function<Signature>() : core_->entries.back()->fn;
    }

private:
    std::shared_ptr<Core> core_;
};

}  // namespace platform
