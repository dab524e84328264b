// The player's events: the ring of position and state events, the play
// thread and the event thread that delivers them, and the positions the
// refresh and the video thread report.
#include <cmath>

#include "Src/FFPlay.h"
#include "Src/FFPlayLoop.h"
#include "Src/FFmpegLogger.h"
#include "platform/MainThread.h"

namespace {

// The player whose OnPosition or OnState handler runs on this thread.
thread_local const TCustomPlayer* tEventOf = nullptr;

}  // namespace

// --- The event ring ---

void TPlayEvent::Post(int32_t AKind, int64_t AValue) {
    std::lock_guard<std::mutex> lock(Lock);
    const int newest = (Tailer + 9) % 10;
    if (Header != Tailer && Events[newest].Kind == AKind) {
        Events[newest].Value = AValue;
    } else {
        Tailer = (Tailer + 1) % 10;
        if (Tailer == Header) Header = (Header + 1) % 10;
        Events[(Tailer + 9) % 10] = Entry{AKind, AValue};
    }
    Event.Set();
}

TPlayEvent::Entry TPlayEvent::Pop() {
    std::lock_guard<std::mutex> lock(Lock);
    if (Header == Tailer) return Entry{};
    const Entry e = Events[Header];
    Header = (Header + 1) % 10;
    if (Header == Tailer) Event.Reset();
    return e;
}

// --- Threads ---

void TCustomPlayer::PlayThreadExecute(const std::shared_ptr<TPlayEvent>& ARing) {
    SetPlayState(psPlay, ARing);
    try {
        EventLoop(this);
    } catch (const std::exception& e) {
        GlobalLogger()->Log(this, llFatal, L"PlayThread Exception: " + Utf8ToWide(e.what()));
        CloseStream();
    }
    SetPlayState(psStop, ARing);
    FStopEvent.Set();
}

void TCustomPlayer::EventThreadExecute(const std::shared_ptr<TPlayEvent>& ARing) {
    for (;;) {
        const TPlayEvent::Entry e = ARing->Pop();
        try {
            if (e.Kind == 1) {
                const int64_t pts = e.Value;
                FireEvent([this, pts] {
                    TPositionEvent h;
                    {
                        std::lock_guard<std::mutex> lock(FEventLock);
                        h = FOnPosition;
                    }
                    if (h) h(this, pts);
                });
            } else if (e.Kind == 2) {
                const auto state = static_cast<TPlayState>(e.Value);
                FireEvent([this, state] {
                    TPlayStateEvent h;
                    {
                        std::lock_guard<std::mutex> lock(FEventLock);
                        h = FOnState;
                    }
                    if (h) h(this, state);
                });
                if (state == psStop) return;
            } else if (e.Kind == 3) {
                return;
            }
        } catch (const std::exception& ex) {
            GlobalLogger()->Log(this, llError, L"event handler: " + Utf8ToWide(ex.what()));
        } catch (...) {
            GlobalLogger()->Log(this, llError, L"event handler: unknown exception");
        }
        if (e.Kind == 0) ARing->Event.Wait(INFINITE);
    }
}

void TCustomPlayer::FireEvent(const std::function<void()>& AFire) {
    auto fire = [this, &AFire] {
        const TCustomPlayer* outer = tEventOf;
        tEventOf = this;
        try {
            AFire();
        } catch (...) {
            tEventOf = outer;
            throw;
        }
        tEventOf = outer;
    };
    if (TriggerEventInMainThread)
        CallInMainThread(fire);
    else
        fire();
}

void TCustomPlayer::SetPlayState(TPlayState AState) { SetPlayState(AState, FPlayEvent); }

void TCustomPlayer::SetPlayState(TPlayState AState, const std::shared_ptr<TPlayEvent>& ARing) {
    FState = AState;
    if (!ARing) return;
    bool has_handler;
    {
        std::lock_guard<std::mutex> lock(FEventLock);
        has_handler = static_cast<bool>(FOnState);
    }
    if (has_handler)
        ARing->Post(2, AState);
    else if (AState == psStop)
        ARing->Post(3, 0);
}

void TCustomPlayer::SetOnPosition(TPositionEvent AHandler) {
    std::lock_guard<std::mutex> lock(FEventLock);
    FOnPosition = std::move(AHandler);
}

void TCustomPlayer::SetOnState(TPlayStateEvent AHandler) {
    std::lock_guard<std::mutex> lock(FEventLock);
    FOnState = std::move(AHandler);
}

void TCustomPlayer::SetOnHook(THookEvent AHandler) {
    // A hook running now finishes first (it may log through this thread).
    LockServingHandOvers(FHookLock);
    std::lock_guard<std::timed_mutex> lock(FHookLock, std::adopt_lock);
    FOnHook = std::move(AHandler);
}

void TCustomPlayer::UpdatePosition() {
    TVideoState* vs = FRawState;
    if (!vs || vs->IsImage2) return;
    std::lock_guard<std::mutex> lock(FPositionLock);
    int64_t pts;
    if (vs->video_st) {
        pts = std::llround(GetVideoClock(vs) * 1000000) - vs->StartTime;
    } else if (vs->audio_st) {
        pts = std::llround(GetAudioClock(vs) * 1000000) - vs->StartTime;
        if (vs->AudioDuration > 0 && pts >= vs->AudioDuration && vs->Duration > pts) pts = vs->Duration;
    } else {
        return;
    }
    FCurrentPTS = pts;
    if (vs->Duration > 0 && pts >= vs->Duration) {
        pts = vs->Duration;
        if (FLastPTS != vs->Duration) FLastPTS = 0;
    }
    if (FLastPTS == INT64_MIN || std::llabs(FLastPTS - pts) > 10000) {
        FLastPTS = pts;
        bool has_handler;
        {
            std::lock_guard<std::mutex> elock(FEventLock);
            has_handler = static_cast<bool>(FOnPosition);
        }
        if (has_handler && FPlayEvent) FPlayEvent->Post(1, pts);
    }
    if (!vs->IsDevice && vs->EventEOF == 0 && vs->ReachEOF == 1) {
        if (vs->video_st) vs->EventEOF = 1;
        SetPlayState(psEnd);
    }
    const int64_t play_time = PlayTime;
    if (play_time == INT64_MIN) return;
    const int64_t end = start_time != INT64_MIN ? play_time + start_time : play_time;
    if (pts < end) return;
    switch (RepeatType.load()) {
    case rtStop:
        PushUserEvent(FF_QUIT_EVENT);
        break;
    case rtLoop:
        if (start_time != INT64_MIN)
            Seek(start_time, TSeekFlags{}, false);
        else
            Seek(int64_t(0), TSeekFlags{sfAny}, false);
        break;
    default:
        break;
    }
}

bool TCustomPlayer::InsideOwnEvent() const { return tEventOf == this; }
