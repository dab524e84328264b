#include "platform/Timer.h"

#include "platform/Clock.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    window_ = std::make_unique<platform::UtilWindow>([this](TMessage& m) {
        if (m.Msg != WM_TIMER) return false;
        Timer();
        return true;
    });
    Update();
}

TTimer::~TTimer() {
    Destroying();
    platform::KillWindowTimer(window_->Handle(), kTimerId);
}

void TTimer::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Update();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Update();
}

void TTimer::Update() {
    platform::KillWindowTimer(window_->Handle(), kTimerId);
    if (enabled_ && interval_ > 0) platform::SetWindowTimer(window_->Handle(), kTimerId, interval_);
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

TTimer* NewStoppedTimer(TComponent* owner, unsigned intervalMs, TNotifyEvent onTimer) {
    auto* t = new TTimer(owner);
    t->SetEnabled(false);
    t->SetInterval(intervalMs);
    t->OnTimer = std::move(onTimer);
    return t;
}
