#pragma once
// A hidden window of its own for a non-visual object (timers, the
// application, notification icons): its messages go to one handler.
//
// Threads: created, used and destroyed on one thread (the UI thread).

#include <windows.h>

#include "platform/Messages.h"

namespace platform {

class UtilWindow {
public:
    // Messages not handled (Result left as it is and handled == false) go to
    // DefWindowProc.
    using Handler = std::function<bool(TMessage& m)>;
    explicit UtilWindow(Handler handler, const wchar_t* title = L"");
    ~UtilWindow();
    UtilWindow(const UtilWindow&) = delete;
    UtilWindow& operator=(const UtilWindow&) = delete;
    HWND Handle() const { return wnd_; }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    Handler handler_;
    HWND wnd_ = nullptr;
};

}  // namespace platform
