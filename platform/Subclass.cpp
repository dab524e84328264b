#include "platform/Subclass.h"

#include <commctrl.h>

#include "platform/Controls.h"
#include "platform/SysUtils.h"

namespace platform {

WindowSubclass::WindowSubclass(HWND wnd, Handler handler) {
    if (!wnd || !IsWindow(wnd)) throw EOSError(L"Cannot subclass a window that does not exist");
    state_ = std::make_unique<State>(State{wnd, std::move(handler)});
    // The state's address is the subclass's identity in the chain.
    const auto id = reinterpret_cast<UINT_PTR>(state_.get());
    if (!SetWindowSubclass(wnd, &WindowSubclass::Proc, id, reinterpret_cast<DWORD_PTR>(state_.get()))) {
        state_.reset();
        RaiseLastOSError();
    }
}

void WindowSubclass::Remove() {
    if (!state_) return;
    if (state_->wnd) RemoveWindowSubclass(state_->wnd, &WindowSubclass::Proc, reinterpret_cast<UINT_PTR>(state_.get()));
    state_.reset();
}

LRESULT WindowSubclass::CallNext(TMessage& m) const {
    if (!state_ || !state_->wnd) return 0;
    return DefSubclassProc(state_->wnd, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK WindowSubclass::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* state = reinterpret_cast<State*>(data);
    if (msg == WM_NCDESTROY) {
        // The window goes: out of the chain, and the object knows it.
        RemoveWindowSubclass(wnd, &WindowSubclass::Proc, id);
        state->wnd = nullptr;
        return DefSubclassProc(wnd, msg, wp, lp);
    }
    TMessage m{msg, wp, lp, 0};
    try {
        if (state->handler && state->handler(m)) return m.Result;
    } catch (...) {
        HandleUIException();
        return 0;
    }
    return DefSubclassProc(wnd, msg, wp, lp);
}

}  // namespace platform
