// SDL's start on the host's window and the window procedure the player
// puts in front of SDL's on it.
#include "Src/AVUtilStubs.h"
#include "Src/FFPlay.h"

namespace {

// One per process; the last Open wins.
struct THostWindow {
    HWND ScreenWindow = nullptr;
    WNDPROC HostProc = nullptr;
    WNDPROC SDLProc = nullptr;
    TCustomPlayer* ScreenPlayer = nullptr;
};
THostWindow GHost;
std::mutex GHostLock;

LRESULT CALLBACK ScreenWndProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
    THostWindow host;
    {
        std::lock_guard<std::mutex> lock(GHostLock);
        host = GHost;
    }
    try {
        if (AWnd != host.ScreenWindow || !host.HostProc) return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
        auto sdl = [&](UINT AMessage) {
            return host.SDLProc ? CallWindowProcW(host.SDLProc, AWnd, AMessage, AWParam, ALParam) : 0;
        };
        auto hostProc = [&] { return CallWindowProcW(host.HostProc, AWnd, AMsg, AWParam, ALParam); };
        switch (AMsg) {
        case WM_CLOSE:
            return 0;
        case WM_ACTIVATE:
            sdl(AMsg);
            return hostProc();
        case WM_PAINT: {
            const LRESULT r = sdl(AMsg);
            if (host.ScreenPlayer && host.ScreenPlayer->RawState() && host.ScreenPlayer->Paused()) sdl(WM_ERASEBKGND);
            return r;
        }
        case WM_ERASEBKGND:
        case WM_SETCURSOR:
        case WM_WINDOWPOSCHANGED:
        case WM_QUERYNEWPALETTE:
        case WM_PALETTECHANGED:
            return sdl(AMsg);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            SetFocus(AWnd);
            return hostProc();
        default:
            return hostProc();
        }
    } catch (...) {
        return 0;
    }
}

}  // namespace

bool TCustomPlayer::InitSDL(HWND AHandle) {
    WNDPROC host_proc = nullptr;
    char id[256];
    if (AHandle) {
        wsprintfA(id, "%u", static_cast<unsigned>(reinterpret_cast<uintptr_t>(AHandle)));
        SetEnvironmentVariableA("SDL_WINDOWID", id);
        host_proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(AHandle, GWLP_WNDPROC));
    }
    constexpr Uint32 flags = SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO;
    bool started = ff::SDL_Init(flags) == 0;
    if (!started && AHandle) {
        wsprintfA(id, "SDL_WINDOWID=%u", static_cast<unsigned>(reinterpret_cast<uintptr_t>(AHandle)));
        ff::SDL_putenv(id);
        started = ff::SDL_Init(flags) == 0;
        if (!started) {
            wsprintfA(id, "SDL_WINDOWID=%ld", static_cast<long>(reinterpret_cast<intptr_t>(AHandle)));
            ff::SDL_putenv(id);
            started = ff::SDL_Init(flags) == 0;
        }
    }
    if (AHandle) {
        char name[257];
        if (ff::SDL_AudioDriverName(name, sizeof name)) ff::av_log(nullptr, AV_LOG_DEBUG, "using audio driver: %s\n", name);
        if (ff::SDL_VideoDriverName(name, sizeof name)) ff::av_log(nullptr, AV_LOG_DEBUG, "using video driver: %s\n", name);
        SetEnvironmentVariableW(L"SDL_WINDOWID", nullptr);
        std::lock_guard<std::mutex> lock(GHostLock);
        GHost.ScreenWindow = AHandle;
        GHost.HostProc = host_proc;
        GHost.SDLProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(AHandle, GWLP_WNDPROC));
        GHost.ScreenPlayer = this;
        SetWindowLongPtrW(AHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ScreenWndProc));
    }
    return started;
}

void RestoreHostWindow(TCustomPlayer* APlayer) {
    std::lock_guard<std::mutex> lock(GHostLock);
    if (GHost.ScreenPlayer != APlayer || !GHost.ScreenWindow) return;
    if (IsWindow(GHost.ScreenWindow)) {
        const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(GHost.ScreenWindow, GWLP_WNDPROC));
        if (current != GHost.HostProc && GHost.HostProc)
            SetWindowLongPtrW(GHost.ScreenWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GHost.HostProc));
    }
    GHost = THostWindow{};
}

void TCustomPlayer::UpdateScreenPosition() {
    if (!FRawState || !FScreenHandle || VideoDriver != vdDirectDraw) return;
    WNDPROC sdl;
    {
        std::lock_guard<std::mutex> lock(GHostLock);
        sdl = GHost.SDLProc;
    }
    if (sdl) CallWindowProcW(sdl, FScreenHandle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&FScreenPos));
}
