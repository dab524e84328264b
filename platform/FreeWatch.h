#pragma once
// A watch over components that another piece of code may free while the
// watcher runs handlers or a message pump: it tells afterwards whether any
// of them went, so the watcher does not touch them again.
//
// Threads: the thread that owns the watched components.

#include <initializer_list>
#include <vector>

#include "platform/Classes.h"

class TFreeWatch : public TComponent {
public:
    // Null entries are ignored.
    explicit TFreeWatch(std::initializer_list<TComponent*> watched);
    // Leaves the components still alive without telling them.
    ~TFreeWatch() override;
    TFreeWatch(const TFreeWatch&) = delete;
    TFreeWatch& operator=(const TFreeWatch&) = delete;
    bool Freed() const { return freed_; }

protected:
    void Notification(TComponent* component, TOperation op) override;

private:
    std::vector<TComponent*> alive_;
    bool freed_ = false;
};
