#include "platform/UtilWindow.h"

#include "platform/Controls.h"
#include "platform/SysUtils.h"

namespace platform {

namespace {
constexpr wchar_t kClass[] = L"Vantrel.UtilWindow";
}  // namespace

UtilWindow::UtilWindow(Handler handler, const wchar_t* title) : handler_(std::move(handler)) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(inst, kClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &Proc;
        wc.hInstance = inst;
        wc.lpszClassName = kClass;
        if (!RegisterClassExW(&wc)) RaiseLastOSError();
    }
    wnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
    if (!wnd_) RaiseLastOSError();
    SetWindowLongPtrW(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

UtilWindow::~UtilWindow() {
    SetWindowLongPtrW(wnd_, GWLP_USERDATA, 0);
    DestroyWindow(wnd_);
}

LRESULT CALLBACK UtilWindow::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<UtilWindow*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (self && self->handler_) {
        TMessage m{msg, wp, lp, 0};
        try {
            if (self->handler_(m)) return m.Result;
        } catch (...) {
            HandleUIException();
            return 0;
        }
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace platform
