#pragma once
// Shared set-up of the player tests: the player's libraries with SDL's dummy
// audio driver, a host form with a child window to play into, and a screen
// grab of that window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "Src/FFmpegLoader.h"
#include "Src/MyUtils.h"
#include "Src/libsdl.h"
#include "platform/MainThread.h"

// Serves the message queue and the hand-overs once.
inline void ServeMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    platform::CheckSynchronize();
}

// Serves the message queue and the hand-overs until the time is up, sleeping
// only while nothing arrives (a hand-over from another thread posts to the
// queue and so wakes the wait).
inline void PumpFor(DWORD AMilliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        ServeMessages();
        const DWORD spent = GetTickCount() - start;
        if (spent >= AMilliseconds) return;
        MsgWaitForMultipleObjectsEx(0, nullptr, AMilliseconds - spent, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

// A top-level form with one child window (the picture panel).
class HostForm {
public:
    HostForm(int AWidth, int AHeight) {
        Register();
        FForm = CreateWindowExW(0, L"VantrelPlayerTestForm", L"player test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                10, 10, AWidth + 40, AHeight + 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        FChild = CreateWindowExW(0, L"VantrelPlayerTestForm", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 5, 5,
                                 AWidth, AHeight, FForm, nullptr, GetModuleHandleW(nullptr), nullptr);
        PumpFor(50);
    }
    ~HostForm() {
        if (FForm) DestroyWindow(FForm);
    }
    HostForm(const HostForm&) = delete;
    HostForm& operator=(const HostForm&) = delete;
    HWND Form() const { return FForm; }
    HWND Child() const { return FChild; }
    // The colour (0xRRGGBB) of a pixel of the child's client area on screen.
    uint32_t GrabPixel(int AX, int AY) const {
        HDC dc = GetDC(FChild);
        const COLORREF c = GetPixel(dc, AX, AY);
        ReleaseDC(FChild, dc);
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    static int Messages;  // messages the host's own procedure received

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        ++Messages;
        return DefWindowProcW(h, m, w, l);
    }
    static void Register() {
        static bool done = false;
        if (done) return;
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = L"VantrelPlayerTestForm";
        RegisterClassW(&wc);
        done = true;
    }
    HWND FForm = nullptr;
    HWND FChild = nullptr;
};
inline int HostForm::Messages = 0;

class PlayerFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        platform::InitMainThread();
        FFLoader.SetLibraryPath(std::wstring(VANTREL_DIST_WIN) + L"\\LibAV");
        ASSERT_TRUE(FFLoader.Load(PlayerLibraries)) << WideToUtf8(FFLoader.LastErrMsg());
        // No sound device on the test machines: SDL plays into its dummy driver.
        SetEnvironmentVariableW(L"SDL_AUDIODRIVER", L"dummy");
    }
    // Pumps until the condition holds or the time runs out.
    template <class Cond>
    static bool PumpUntil(Cond ACond, DWORD ATimeoutMs) {
        const DWORD start = GetTickCount();
        // Every event of the player reaches this thread as a message, so
        // the condition is looked at again as soon as one arrives.
        for (;;) {
            ServeMessages();
            if (ACond()) return true;
            const DWORD spent = GetTickCount() - start;
            if (spent >= ATimeoutMs) return false;
            MsgWaitForMultipleObjectsEx(0, nullptr, ATimeoutMs - spent, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
};
