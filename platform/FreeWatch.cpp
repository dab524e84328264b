#include "platform/FreeWatch.h"

#include <algorithm>

TFreeWatch::TFreeWatch(std::initializer_list<TComponent*> watched) : TComponent(nullptr) {
    for (TComponent* c : watched)
        if (c) {
            FreeNotification(c);
            alive_.push_back(c);
        }
}

TFreeWatch::~TFreeWatch() {
    for (TComponent* c : alive_) RemoveFreeNotification(c);
}

void TFreeWatch::Notification(TComponent* component, TOperation op) {
    TComponent::Notification(component, op);
    if (op != opRemove) return;
    freed_ = true;
    alive_.erase(std::remove(alive_.begin(), alive_.end(), component), alive_.end());
}
