#include "platform/MainThread.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace platform {
namespace {

constexpr UINT kWakeMessage = WM_APP + 0x3A1;
constexpr wchar_t kWindowClass[] = L"VantrelMainThreadWindow";

struct Call {
    std::function<void()> fn;
    HANDLE done = nullptr;  // set for synchronous calls; signalled after fn ran
    std::exception_ptr error;
};

struct State {
    std::mutex lock;  // guards queue; never held while a call runs
    std::deque<std::shared_ptr<Call>> queue;
    DWORD mainThreadId = 0;
    HWND window = nullptr;
    std::function<void(MSG&)> dispatcher;  // UI thread only
};

State& state() {
    static State s;
    return s;
}

LRESULT CALLBACK WakeWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kWakeMessage) {
        try {
            CheckSynchronize();
        } catch (...) {
            // Errors of queued calls stay in their calls; nothing escapes here.
        }
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

void Wake() {
    HWND wnd = state().window;
    if (wnd) PostMessageW(wnd, kWakeMessage, 0, 0);
}

void Enqueue(std::shared_ptr<Call> call) {
    auto& s = state();
    {
        std::lock_guard<std::mutex> g(s.lock);
        if (!s.mainThreadId) throw std::logic_error("the UI thread is not initialised");
        s.queue.push_back(std::move(call));
    }
    Wake();
}

}  // namespace

void InitMainThread() {
    auto& s = state();
    const DWORD self = GetCurrentThreadId();
    if (s.mainThreadId == self && s.window) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WakeWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    HWND wnd = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    std::lock_guard<std::mutex> g(s.lock);
    s.mainThreadId = self;
    s.window = wnd;
}

void DoneMainThread() {
    auto& s = state();
    if (!IsMainThread()) return;
    CheckSynchronize();
    HWND wnd;
    {
        std::lock_guard<std::mutex> g(s.lock);
        wnd = s.window;
        s.window = nullptr;
        s.mainThreadId = 0;
    }
    if (wnd) DestroyWindow(wnd);
}

bool IsMainThread() {
    return state().mainThreadId == GetCurrentThreadId();
}

void CallInMainThread(const std::function<void()>& fn) {
    if (IsMainThread()) {
        fn();
        return;
    }
    auto call = std::make_shared<Call>();
    call->fn = fn;
    call->done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!call->done) throw std::runtime_error("CreateEvent failed");
    try {
        Enqueue(call);
    } catch (...) {
        CloseHandle(call->done);
        throw;
    }
    WaitForSingleObject(call->done, INFINITE);
    CloseHandle(call->done);
    if (call->error) std::rethrow_exception(call->error);
}

void QueueInMainThread(std::function<void()> fn) {
    auto call = std::make_shared<Call>();
    call->fn = std::move(fn);
    Enqueue(std::move(call));
}

bool CheckSynchronize() {
    if (!IsMainThread()) return false;
    auto& s = state();
    bool ran = false;
    for (;;) {
        std::shared_ptr<Call> call;
        {
            std::lock_guard<std::mutex> g(s.lock);
            if (s.queue.empty()) break;
            call = std::move(s.queue.front());
            s.queue.pop_front();
        }
        ran = true;
        try {
            call->fn();
        } catch (...) {
            call->error = std::current_exception();
        }
        if (call->done) SetEvent(call->done);
    }
    return ran;
}

DWORD PumpingWait(HANDLE handle, DWORD timeoutMs) {
    if (!IsMainThread()) return WaitForSingleObject(handle, timeoutMs);
    auto& s = state();
    const DWORD start = GetTickCount();
    for (;;) {
        CheckSynchronize();
        DWORD slice = 20;
        if (timeoutMs != INFINITE) {
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= timeoutMs) return WaitForSingleObject(handle, 0);
            slice = std::min<DWORD>(slice, timeoutMs - elapsed);
        }
        const DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, slice, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return WAIT_OBJECT_0;
        if (r == WAIT_FAILED) return WAIT_FAILED;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Leave the quit request for the message loop that owns it.
                PostQuitMessage(static_cast<int>(msg.wParam));
                return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0 ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
            }
            if (s.dispatcher) {
                s.dispatcher(msg);
            } else {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
}

void SetMessageDispatcher(std::function<void(MSG&)> dispatcher) { state().dispatcher = std::move(dispatcher); }

}  // namespace platform
