#pragma once
// Subclassing of any window, ours or foreign (a list view's header, a tab
// control's up/down, the MDI client, the application window), chained and
// unchained by identity: a subclass removed out of order leaves the later
// ones working, and nothing stale is put back. The chain of each window is
// kept in the process (one replaced window procedure per window), so a
// message costs no window-property look-up.
//
//   platform::WindowSubclass sub(header, [&](TMessage& m) {
//       if (m.Msg != WM_PAINT) return false;   // passed on down the chain
//       PaintHeader(...);
//       return true;                           // m.Result is the answer
//   });
//
// A handler may call CallNext(m) to run the rest of the chain first. The
// subclass removes itself when its window is destroyed (WM_NCDESTROY) or
// when the object goes.
//
// Threads: install, use and remove on the thread that owns the window.

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/Messages.h"

namespace platform {

class WindowSubclass {
public:
    // True: the handler answered the message (m.Result); false: it goes on
    // to the next procedure of the chain.
    using Handler = std::function<bool(TMessage& m)>;

    WindowSubclass() = default;
    // Throws EOSError when the window cannot be subclassed.
    WindowSubclass(HWND wnd, Handler handler);
    ~WindowSubclass() { Remove(); }
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // Takes the subclass out of the window's chain (again: nothing).
    void Remove();
    bool Installed() const { return state_ && state_->wnd; }
    HWND Window() const { return state_ ? state_->wnd : nullptr; }
    // The rest of the chain below this subclass; only from inside the handler.
    LRESULT CallNext(TMessage& m) const;

    // One link of a window's chain, shared with the chain while a message
    // may still be running through it.
    struct State {
        HWND wnd;
        Handler handler;
        bool removed = false;
        int position = -1;  // its place in the chain during its own handler
    };

private:
    std::shared_ptr<State> state_;
};

}  // namespace platform
