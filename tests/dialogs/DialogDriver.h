#pragma once
// Drives a modal dialog from a timer of its own window: each step runs on
// one tick (60 ms apart), so the input a step posts has been handled before
// the next step looks. The stepper belongs to the form and goes with it.
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/Forms.h"

namespace dialogstest {

class DialogSteps : public TComponent {
public:
    DialogSteps(TForm* form, std::vector<std::function<void()>> steps)
        : TComponent(form), steps_(std::move(steps)), wnd_(form->Handle()) {
        Current() = this;
        SetTimer(wnd_, kTimerId, 60, &Tick);
    }
    ~DialogSteps() override {
        KillTimer(wnd_, kTimerId);
        if (Current() == this) Current() = nullptr;
    }

private:
    static constexpr UINT_PTR kTimerId = 0x5D1A;
    static DialogSteps*& Current() {
        static DialogSteps* p = nullptr;
        return p;
    }
    static void CALLBACK Tick(HWND w, UINT, UINT_PTR id, DWORD) {
        DialogSteps* self = Current();
        if (!self || self->next_ >= self->steps_.size()) {
            KillTimer(w, id);
            return;
        }
        self->steps_[self->next_++]();
    }
    std::vector<std::function<void()>> steps_;
    HWND wnd_;
    size_t next_ = 0;
};

// Starts the steps on form (call it from the shown hook).
inline void RunSteps(TForm* form, std::vector<std::function<void()>> steps) {
    new DialogSteps(form, std::move(steps));
}

inline void PostKey(HWND wnd, WORD key) {
    PostMessageW(wnd, WM_KEYDOWN, key, 1);
    PostMessageW(wnd, WM_KEYUP, key, 0xC0000001);
}

inline void PostChar(HWND wnd, wchar_t ch) { PostMessageW(wnd, WM_CHAR, ch, 1); }

inline void PostClick(HWND wnd, int x, int y, bool dbl = false) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(wnd, WM_LBUTTONUP, 0, at);
    if (dbl) {
        PostMessageW(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(wnd, WM_LBUTTONUP, 0, at);
    }
}

}  // namespace dialogstest
