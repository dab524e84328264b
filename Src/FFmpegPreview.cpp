#include "Src/FFmpegPreview.h"

#include "Src/FFUtils.h"
#include "platform/MainThread.h"
#include "platform/Owners.h"

namespace {

const wchar_t* const kPreviewClass = L"VantrelPreviewWindow";

void RegisterPreviewClass(WNDPROC AProc) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kPreviewClass, &wc)) return;
    wc.lpfnWndProc = AProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kPreviewClass;
    RegisterClassExW(&wc);
}

constexpr unsigned kFlagMask = 0xFF;
constexpr unsigned kRemoveShift = 8;

}  // namespace

void RequestPostHookSwitch(std::atomic<int>& ARequest, unsigned AFlags, bool AOn) {
    AFlags &= kFlagMask;
    int old = ARequest.load();
    for (;;) {
        unsigned add = 0, remove = 0;
        if (old != NoPostHookRequest) {
            add = static_cast<unsigned>(old) & kFlagMask;
            remove = (static_cast<unsigned>(old) >> kRemoveShift) & kFlagMask;
        }
        if (AOn) {
            add |= AFlags;
            remove &= ~AFlags;
        } else {
            remove |= AFlags;
            add &= ~AFlags;
        }
        if (ARequest.compare_exchange_weak(old, static_cast<int>(add | (remove << kRemoveShift)))) return;
    }
}

void RequestPostHookSet(std::atomic<int>& ARequest, unsigned ASet) {
    ASet &= kFlagMask;
    ARequest.store(static_cast<int>(ASet | ((~ASet & kFlagMask) << kRemoveShift)));
}

unsigned TakePostHookRequest(std::atomic<int>& ARequest, unsigned ASet) {
    const int request = ARequest.exchange(NoPostHookRequest);
    if (request == NoPostHookRequest) return ASet;
    const unsigned add = static_cast<unsigned>(request) & kFlagMask;
    const unsigned remove = (static_cast<unsigned>(request) >> kRemoveShift) & kFlagMask;
    return (ASet | add) & ~remove;
}

TPreviewer::~TPreviewer() {
    if (!FHandle) return;
    HWND handle = FHandle;
    try {
        platform::CallInMainThread([handle] { DestroyWindow(handle); });
    } catch (...) {
        // No UI thread any more: the window went with it.
    }
}

bool TPreviewer::PaintFrame(HBITMAP ABitmap, int AFrameNumber, int64_t APTS) {
    if (FClosed) return false;
    FBitmap = ABitmap;
    FFrameNumber = AFrameNumber;
    FPTS = APTS;
    platform::CallInMainThread([this] { Paint(); });
    return !FClosed;
}

void TPreviewer::Paint() {
    if (FClosed || !FBitmap) return;
    BITMAP info = {};
    GetObjectW(FBitmap, sizeof info, &info);
    if (!FHandle) {
        RegisterPreviewClass(&WndProc);
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        RECT r = {0, 0, info.bmWidth, info.bmHeight};
        AdjustWindowRectEx(&r, style, FALSE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
        const int w = r.right - r.left, h = r.bottom - r.top;
        FHandle = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPreviewClass, L"", style,
                                  (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
        if (!FHandle) return;
        ShowWindow(FHandle, SW_SHOWNOACTIVATE);
    }
    SetWindowTextW(FHandle, TimeToText(FPTS).c_str());
    {
        const platform::WindowDC dc(FHandle);
        const platform::MemoryDC mem;
        const platform::SelectedObject picture(mem.Get(), FBitmap);
        BitBlt(dc.Get(), 0, 0, info.bmWidth, info.bmHeight, mem.Get(), 0, 0, SRCCOPY);
    }
    ++FFramesShown;
}

LRESULT CALLBACK TPreviewer::WndProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
    try {
        if (AMsg == WM_NCCREATE) {
            const auto* cs = reinterpret_cast<CREATESTRUCTW*>(ALParam);
            SetWindowLongPtrW(AWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* self = reinterpret_cast<TPreviewer*>(GetWindowLongPtrW(AWnd, GWLP_USERDATA));
        switch (AMsg) {
        case WM_LBUTTONDOWN: {
            // The window is dragged by any point of the picture.
            const DWORD pos = GetMessagePos();
            ReleaseCapture();
            SendMessageW(AWnd, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(pos));
            return 0;
        }
        case WM_CLOSE:
            if (self) self->FClosed = true;
            ShowWindow(AWnd, SW_HIDE);
            return 0;
        case WM_NCDESTROY:
            if (self && self->FHandle == AWnd) self->FHandle = nullptr;
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
}
