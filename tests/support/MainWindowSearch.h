#pragma once
// Finds the program's visible main window in another process by its caption.
// Used by the start-up test and the start-up benchmark.
//
// Threads: any; EnumWindows runs the callback on the calling thread.
#include <windows.h>

#include <cwchar>

namespace testsupport {

inline constexpr wchar_t kMainCaption[] = L"VantrelH264视频格式转换器";

// The visible top-level window of process pid captioned kMainCaption, or
// nullptr when there is none now.
struct TMainWindowSearch {
    DWORD pid;
    HWND found;
};

inline BOOL CALLBACK MatchMainWindow(HWND wnd, LPARAM lp) {
    auto* s = reinterpret_cast<TMainWindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(wnd, &owner);
    wchar_t caption[128] = {};
    GetWindowTextW(wnd, caption, 128);
    if (owner == s->pid && wcscmp(caption, kMainCaption) == 0 && IsWindowVisible(wnd)) {
        s->found = wnd;
        return FALSE;
    }
    return TRUE;
}

inline HWND FindMainWindow(DWORD pid) {
    TMainWindowSearch search{pid, nullptr};
    EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace testsupport
