#pragma once
// State shared by the two halves of the control classes (Controls.cpp and
// WinControl.cpp); not for use elsewhere. UI thread only.

#include <windows.h>

#include "platform/Controls.h"

// The one window procedure of the library's windows.
LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

namespace platform::controls_impl {

// Which control a window of this process belongs to. Kept in the process
// rather than as a window property: a property is a round trip to the window
// server on every message, and a window of another process is never found
// here. Any thread may look up; binding and unbinding happen on the thread
// that owns the window.
void BindControl(HWND wnd, TWinControl* control);
// Unbinds only when the window is still bound to that control.
void UnbindControl(HWND wnd, TWinControl* control);
TWinControl* BoundControl(HWND wnd);

// The control under the pointer and the windowless control that holds the
// mouse capture through its parent window.
extern TControl* g_mouseControl;
extern TControl* g_captureControl;
// The control whose window this thread is creating.
extern thread_local TWinControl* g_creating;
extern UINT g_nextChildId;

inline bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }
inline bool IsButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
           msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}
inline bool IsButtonUp(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }

}  // namespace platform::controls_impl
