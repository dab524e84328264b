#pragma once
// The clock of the class library: tick counts and window timers. Everything
// timed (timers, hint pauses, auto-repeat, fades) asks this clock, so a test
// can install a ManualClock and move time on without waiting.
//
// Threads: UI thread only (window timers belong to the UI thread; a
// ManualClock is driven by the test's UI thread).

#include <windows.h>

#include <vector>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DWORD TickCount() = 0;
    // Starts (or restarts) timer id of wnd; WM_TIMER arrives every ms.
    virtual UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT ms) = 0;
    virtual void KillTimer(HWND wnd, UINT_PTR id) = 0;
};

// The clock in use: the system's unless a test installed another.
Clock& CurrentClock();
// Installs clock (nullptr: the system clock again); returns the previous one.
Clock* SetClock(Clock* clock);

inline DWORD TickCount() { return CurrentClock().TickCount(); }
inline UINT_PTR SetWindowTimer(HWND wnd, UINT_PTR id, UINT ms) { return CurrentClock().SetTimer(wnd, id, ms); }
inline void KillWindowTimer(HWND wnd, UINT_PTR id) { CurrentClock().KillTimer(wnd, id); }

// A clock that moves only when told; its timers fire inside Advance.
class ManualClock : public Clock {
public:
    explicit ManualClock(DWORD start = 100000) : now_(start) {}
    DWORD TickCount() override { return now_; }
    UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT ms) override;
    void KillTimer(HWND wnd, UINT_PTR id) override;
    // Moves time on by ms; every timer that falls due meanwhile fires (in
    // time order, WM_TIMER sent to its window) as often as it falls due.
    void Advance(DWORD ms);
    int ActiveTimers() const { return static_cast<int>(timers_.size()); }
    bool HasTimer(HWND wnd, UINT_PTR id) const;

private:
    struct Timer {
        HWND wnd;
        UINT_PTR id;
        DWORD interval;
        DWORD due;
    };
    DWORD now_;
    std::vector<Timer> timers_;
};

// Installs a ManualClock for the lifetime of this object.
class ScopedManualClock : public ManualClock {
public:
    ScopedManualClock() : previous_(SetClock(this)) {}
    ~ScopedManualClock() override { SetClock(previous_); }

private:
    Clock* previous_;
};

}  // namespace platform
