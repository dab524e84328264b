#pragma once
// The preview window of one conversion task: a small tool window that stays
// on top and shows the last encoded picture with its time as caption.
//
// Threads: PaintFrame is called on the converting thread and hands the
// painting to the UI thread (CallInMainThread; the caller must hold no lock
// the UI thread may take). The window is created, painted and destroyed on
// the UI thread only; the destructor may run on any thread.
#include <windows.h>

#include <atomic>
#include <cstdint>

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
