#pragma once
// TTimer: raises OnTimer every Interval milliseconds while Enabled, on the
// UI thread, through the clock of platform/Clock.h.
//
// Threads: UI thread only.

#include <memory>

#include "platform/Classes.h"
#include "platform/UtilWindow.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    unsigned Interval() const { return interval_; }
    // Restarts the count when the timer runs.
    void SetInterval(unsigned ms);
    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void Update();
    std::unique_ptr<platform::UtilWindow> window_;
    bool enabled_ = true;
    unsigned interval_ = 1000;
};

// A timer of owner's, stopped, with its interval and handler set.
TTimer* NewStoppedTimer(TComponent* owner, unsigned intervalMs, TNotifyEvent onTimer);

