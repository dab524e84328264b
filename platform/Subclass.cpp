#include "platform/Subclass.h"

#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/Controls.h"
#include "platform/SysUtils.h"

namespace platform {

namespace {

using StatePtr = std::shared_ptr<WindowSubclass::State>;

// The subclasses of one window in installation order (the last runs first)
// over the procedure that was there when the first came. Links removed
// while a message runs through the chain stay, marked, until it is idle.
struct Chain {
    WNDPROC original = nullptr;
    std::vector<StatePtr> links;
    int running = 0;
};
using ChainPtr = std::shared_ptr<Chain>;

std::mutex g_chainsLock;
std::unordered_map<HWND, ChainPtr>& Chains() {
    static std::unordered_map<HWND, ChainPtr> chains;
    return chains;
}

ChainPtr FindChain(HWND wnd) {
    std::lock_guard lock(g_chainsLock);
    const auto it = Chains().find(wnd);
    return it == Chains().end() ? nullptr : it->second;
}

void ForgetChain(HWND wnd) {
    std::lock_guard lock(g_chainsLock);
    Chains().erase(wnd);
}

LRESULT CALLBACK ChainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

// Runs the message through the links from index down, then the original.
LRESULT RunFrom(const ChainPtr& chain, int index, HWND wnd, TMessage& m) {
    for (; index >= 0; --index) {
        const StatePtr link = chain->links[static_cast<size_t>(index)];
        if (link->removed || !link->handler) continue;
        const int saved = link->position;
        link->position = index;
        bool answered = false;
        try {
            answered = link->handler(m);
        } catch (...) {
            link->position = saved;
            HandleUIException();
            return 0;
        }
        link->position = saved;
        if (answered) return m.Result;
    }
    return CallWindowProcW(chain->original, wnd, m.Msg, m.WParam, m.LParam);
}

// With no message running: drops removed links, and gives the window its
// original procedure back once no link is left and nobody subclassed it
// after us (else the chain stays as a pass-through).
void Tidy(HWND wnd, const ChainPtr& chain) {
    if (chain->running > 0) return;
    std::erase_if(chain->links, [](const StatePtr& link) { return link->removed; });
    if (!chain->links.empty()) return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)) != &ChainProc) return;
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    ForgetChain(wnd);
}

LRESULT CALLBACK ChainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    const ChainPtr chain = FindChain(wnd);
    if (!chain) return DefWindowProcW(wnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        // The window goes: every link knows it, and the chain is forgotten.
        for (const StatePtr& link : chain->links) link->wnd = nullptr, link->removed = true;
        ForgetChain(wnd);
        return CallWindowProcW(chain->original, wnd, msg, wp, lp);
    }
    TMessage m{msg, wp, lp, 0};
    ++chain->running;
    const LRESULT result = RunFrom(chain, static_cast<int>(chain->links.size()) - 1, wnd, m);
    --chain->running;
    Tidy(wnd, chain);
    return result;
}

}  // namespace

WindowSubclass::WindowSubclass(HWND wnd, Handler handler) {
    if (!wnd || !IsWindow(wnd)) throw EOSError(L"Cannot subclass a window that does not exist");
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid != GetCurrentProcessId()) throw EOSError(L"Cannot subclass a window of another process");
    ChainPtr chain = FindChain(wnd);
    if (!chain) {
        chain = std::make_shared<Chain>();
        SetLastError(0);
        const LONG_PTR old = SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc));
        if (!old && GetLastError() != 0) RaiseLastOSError();
        chain->original = reinterpret_cast<WNDPROC>(old);
        std::lock_guard lock(g_chainsLock);
        Chains()[wnd] = chain;
    }
    state_ = std::make_shared<State>(State{wnd, std::move(handler)});
    chain->links.push_back(state_);
}

void WindowSubclass::Remove() {
    if (!state_) return;
    state_->removed = true;
    if (const HWND wnd = state_->wnd) {
        state_->wnd = nullptr;
        if (const ChainPtr chain = FindChain(wnd)) Tidy(wnd, chain);
    }
    state_.reset();
}

LRESULT WindowSubclass::CallNext(TMessage& m) const {
    if (!state_ || !state_->wnd || state_->position < 0) return 0;
    const ChainPtr chain = FindChain(state_->wnd);
    if (!chain) return 0;
    return RunFrom(chain, state_->position - 1, state_->wnd, m);
}

}  // namespace platform
