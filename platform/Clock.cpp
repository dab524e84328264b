#include "platform/Clock.h"

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

class SystemClock : public Clock {
public:
    DWORD TickCount() override { return GetTickCount(); }
    UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT ms) override { return ::SetTimer(wnd, id, ms, nullptr); }
    void KillTimer(HWND wnd, UINT_PTR id) override { ::KillTimer(wnd, id); }
};

SystemClock g_system;
Clock* g_clock = &g_system;

}  // namespace

Clock& CurrentClock() { return *g_clock; }

Clock* SetClock(Clock* clock) {
    Clock* previous = g_clock;
    g_clock = clock ? clock : &g_system;
    return previous;
}

UINT_PTR ManualClock::SetTimer(HWND wnd, UINT_PTR id, UINT ms) {
    KillTimer(wnd, id);
    const DWORD interval = std::max<DWORD>(ms, 1);
    timers_.push_back(Timer{wnd, id, interval, now_ + interval});
    return id;
}

void ManualClock::KillTimer(HWND wnd, UINT_PTR id) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [&](const Timer& t) { return t.wnd == wnd && t.id == id; }),
                  timers_.end());
}

bool ManualClock::HasTimer(HWND wnd, UINT_PTR id) const {
    return std::any_of(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.wnd == wnd && t.id == id; });
}

void ManualClock::Advance(DWORD ms) {
    const DWORD target = now_ + ms;
    for (;;) {
        auto next = std::min_element(timers_.begin(), timers_.end(),
                                     [](const Timer& a, const Timer& b) { return a.due < b.due; });
        if (next == timers_.end() || static_cast<int32_t>(next->due - target) > 0) break;
        now_ = next->due;
        next->due += next->interval;
        const HWND wnd = next->wnd;
        const UINT_PTR id = next->id;
        // The handler may start or kill timers, so look them up again after.
        SendMessageW(wnd, WM_TIMER, id, 0);
    }
    now_ = target;
}

}  // namespace platform
