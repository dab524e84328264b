#pragma once
// The preview window of one conversion task: a small tool window that stays
// on top and shows the last encoded picture with its time as caption; and the
// requests by which other threads change a running task's post-hook set.
//
// Threads: PaintFrame is called on the converting thread and hands the
// painting to the UI thread (CallInMainThread; the caller must hold no lock
// the UI thread may take). The window is created, painted and destroyed on
// the UI thread only; the destructor may run on any thread.
#include <windows.h>

#include <atomic>
#include <cstdint>

// A change of a running task's post-hook set asked from another thread. It
// lives in one atomic word, never behind a lock, so the asking thread (the
// UI thread) never waits for a post hook that may itself be waiting for the
// UI thread; the task takes the request up at its next post hook. The word
// holds the flags to add (low byte) and the flags to take out (next byte);
// NoPostHookRequest means nothing is asked.
constexpr int NoPostHookRequest = -1;
// Adds the switching on or off of AFlags to the request.
void RequestPostHookSwitch(std::atomic<int>& ARequest, unsigned AFlags, bool AOn);
// Replaces the request by one for the whole set ASet.
void RequestPostHookSet(std::atomic<int>& ARequest, unsigned ASet);
// Takes the request (none is left) and returns ASet changed by it.
unsigned TakePostHookRequest(std::atomic<int>& ARequest, unsigned ASet);

class TPreviewer {
public:
    TPreviewer() = default;
    ~TPreviewer();
    TPreviewer(const TPreviewer&) = delete;
    TPreviewer& operator=(const TPreviewer&) = delete;
    // Shows the bitmap; false once the user closed the window.
    bool PaintFrame(HBITMAP ABitmap, int AFrameNumber, int64_t APTS);
    HWND Handle() const { return FHandle; }
    int FramesShown() const { return FFramesShown; }

private:
    void Paint();
    static LRESULT CALLBACK WndProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam);
    HWND FHandle = nullptr;
    std::atomic<bool> FClosed{false};
    HBITMAP FBitmap = nullptr;
    int FFrameNumber = 0;
    int64_t FPTS = 0;
    int FFramesShown = 0;
};
