// The player component: construction, libraries, and the opening and
// closing of a file with the threads that play it.
#include "Src/FFPlay.h"

#include <process.h>

#include <map>
#include <new>
#include <stdexcept>

#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "platform/MainThread.h"

// --- Threads of the component ---

struct TPlayerThreadStart {
    TCustomPlayer* Player;
    std::shared_ptr<TPlayEvent> Ring;
    bool Play;
    static unsigned __stdcall Proc(void* AArg) {
        std::unique_ptr<TPlayerThreadStart> start(static_cast<TPlayerThreadStart*>(AArg));
        ApplyEngineFPUControlWord();
        if (start->Play)
            start->Player->PlayThreadExecute(start->Ring);
        else
            start->Player->EventThreadExecute(start->Ring);
        return 0;
    }
    static HANDLE Start(TCustomPlayer* APlayer, const std::shared_ptr<TPlayEvent>& ARing, bool APlay) {
        auto* start = new (std::nothrow) TPlayerThreadStart{APlayer, ARing, APlay};
        if (!start) return nullptr;
        const uintptr_t h = _beginthreadex(nullptr, 0, Proc, start, 0, nullptr);
        if (!h) delete start;
        return reinterpret_cast<HANDLE>(h);
    }
};

namespace {

// Counts an Open or a waiting Stop on the main thread's stack.
class TBusy {
public:
    explicit TBusy(int& ACount) : FCount(ACount) { ++FCount; }
    ~TBusy() { --FCount; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    int& FCount;
};

}  // namespace

// --- Construction ---

TCustomPlayer::TCustomPlayer(TComponent* AOwner) : TFFBaseComponent(AOwner), FAVProbe(nullptr) {
    ResetState();
}

TCustomPlayer::~TCustomPlayer() {
    {
        std::lock_guard<std::mutex> lock(FEventLock);
        FOnPosition = nullptr;
        FOnState = nullptr;
    }
    {
        LockServingHandOvers(FHookLock);
        std::lock_guard<std::timed_mutex> lock(FHookLock, std::adopt_lock);
        FOnHook = nullptr;
    }
    try {
        Stop(true);
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());
    } catch (...) {
        OutputDebugStringA("player: stop failed");
    }
    LockServingHandOvers(FHookLock);
    std::lock_guard<std::timed_mutex> lock(FHookLock, std::adopt_lock);
    ResetRGBContext(FRGBContext);
    ResetRGBContext(FHookContext);
    FHookYUV.reset();
}

bool TCustomPlayer::AVLibLoaded() const { return FFLoader.Loaded(PlayerLibraries); }

bool TCustomPlayer::LoadAVLib(const std::wstring& APath) {
    if (Designing()) return true;
    FFLoader.SetLibraryPath(APath);
    if (FFLoader.Load(PlayerLibraries)) return true;
    SetLastErrMsg(FFLoader.LastErrMsg());
    return false;
}

void TCustomPlayer::UnloadAVLib() { FFLoader.Unload(PlayerLibraries); }

void TCustomPlayer::SetLastErrMsg(const std::wstring& AText) {
    std::lock_guard<std::mutex> lock(FMsgLock);
    FLastErrMsg = AText;
}

void TCustomPlayer::LogError(const std::wstring& AText, bool AStore) {
    GlobalLogger()->Log(this, llError, AText);
    if (AStore) SetLastErrMsg(AText);
}

std::shared_ptr<TVideoState> TCustomPlayer::State() {
    std::lock_guard<std::mutex> lock(FStateGuard);
    return FVideoState;
}

void TCustomPlayer::ResetState() {
    Fscreen = nullptr;
    FLastPTS = INT64_MIN;
    FCurrentPTS = -1;
    Fstep = false;
    for (int& w : wanted_stream) w = -1;
    seek_by_bytes = -1;
    start_time = INT64_MIN;
    PlayTime = INT64_MIN;
    RepeatType = rtStop;
    VerticalFlip = false;
    FSeekEvent.Set();
    FSeeking = false;
}

// --- Open and stop ---

namespace {

const char* AudioDriverText(TAudioDriver ADriver) {
    return ADriver == adDirectSound ? "dsound" : ADriver == adWaveOut ? "waveout" : "";
}
const char* VideoDriverText(TVideoDriver ADriver) {
    return ADriver == vdDirectDraw ? "directx" : ADriver == vdGDI ? "windib" : "";
}

// The driver variables. The default driver puts back what the process
// environment held before any player chose one (an empty value otherwise),
// so that a driver chosen for the whole process, such as a dummy sound
// driver on a machine without a sound device, still applies.
void SetDriverVariable(const char* AName, const char* AText) {
    static std::mutex lock;
    static std::map<std::string, std::pair<bool, std::string>> original;
    std::lock_guard<std::mutex> guard(lock);
    auto it = original.find(AName);
    if (it == original.end()) {
        char value[256];
        const DWORD n = GetEnvironmentVariableA(AName, value, sizeof value);
        it = original.emplace(AName, std::make_pair(n > 0 && n < sizeof value, std::string(n > 0 && n < sizeof value ? value : ""))).first;
    }
    SetEnvironmentVariableA(AName, *AText || !it->second.first ? AText : it->second.second.c_str());
}

}  // namespace

bool TCustomPlayer::Open(const std::wstring& AFileName, HWND AScreenHandle, bool APaused) {
    try {
        if (FBusy > 0) {
            ReportFailure(L"another file is being opened or closed.");
            return false;
        }
        TBusy busy(FBusy);
        return OpenFile(AFileName, AScreenHandle, APaused);
    } catch (const std::bad_alloc&) {
        AbandonOpen();
        ReportFailure(L"av_mallocz() failed.");
    } catch (const std::exception& e) {
        AbandonOpen();
        ReportFailure(Utf8ToWide(e.what()));
    } catch (...) {
        AbandonOpen();
        ReportFailure(L"the file could not be opened.");
    }
    return false;
}

// The body of Open; may throw (Open cleans up).
bool TCustomPlayer::OpenFile(const std::wstring& AFileName, HWND AScreenHandle, bool APaused) {
    if (!AVLibLoaded()) {
        LogError(L"libav or libsdl not loaded.", true);
        return false;
    }
    Stop(true);
    SetDriverVariable("SDL_AUDIODRIVER", AudioDriverText(AudioDriver));
    SetDriverVariable("SDL_VIDEODRIVER", VideoDriverText(VideoDriver));
    if (!InitSDL(AScreenHandle)) {
        LogError(FormatText("Could not initialize SDL with ScreenHandle(%u): ", unsigned(uintptr_t(AScreenHandle))) +
                     Utf8ToWide(ff::SDL_GetError()),
                 true);
        ff::SDL_Quit();
        RestoreHostWindow(this);
        return false;
    }
    if (DisableDisplay) {
        DisableVideo = true;
    } else {
        const SDL_VideoInfo* info = ff::SDL_GetVideoInfo();
        if (!info) {
            LogError(L"SDL_GetVideoInfo() failed", true);
            ff::SDL_Quit();
            RestoreHostWindow(this);
            return false;
        }
        Ffs_screen_width = info->current_w;
        Ffs_screen_height = info->current_h;
    }
    ff::SDL_EventState(SDL_ACTIVEEVENT, SDL_IGNORE);
    ff::SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
    ff::SDL_EventState(SDL_SYSWMEVENT, SDL_IGNORE);
    ff::SDL_EventState(SDL_USEREVENT, SDL_IGNORE);
    std::shared_ptr<TVideoState> vs;
    if (!StreamOpen(this, AFileName, Ffile_iformat, APaused, vs)) {
        ResetState();
        ff::SDL_Quit();
        RestoreHostWindow(this);
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(FStateGuard);
        FVideoState = vs;
        FRawState = vs.get();
    }
    FFileName = AFileName;
    FScreenHandle = AScreenHandle;
    FAVProbe.SetFileHandle(vs->ic);
    FScreenPos = WINDOWPOS{};
    FScreenPos.hwnd = AScreenHandle;
    FScreenPos.flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
    try {
        if (TriggerEventInMainThread)
            CallInMainThread([this] { DoFileOpen(); });
        else
            DoFileOpen();
    } catch (const std::exception& e) {
        LogError(L"OnFileOpen: " + Utf8ToWide(e.what()), false);
    } catch (...) {
        LogError(L"OnFileOpen: unknown exception", false);
    }
    // Each open gets its own event ring: events of a closed file never reach
    // the handlers of a later one.
    FPlayEvent = std::make_shared<TPlayEvent>();
    FStopEvent.Reset();
    FEventThread = TPlayerThreadStart::Start(this, FPlayEvent, false);
    if (FEventThread) FPlayThread = TPlayerThreadStart::Start(this, FPlayEvent, true);
    if (!FPlayThread) {
        FStopEvent.Set();
        AbandonOpen();
        LogError(L"SDL_CreateThread() failed.", true);
        return false;
    }
    return true;
}

// After a failure inside Open: closes what it opened (no play thread runs
// yet) and ends its event thread. Never throws.
void TCustomPlayer::AbandonOpen() {
    try {
        if (!FPlayThread) {
            CloseStream();
            if (FPlayEvent) FPlayEvent->Post(3, 0);
            JoinEventThreads();
        }
    } catch (...) {
        OutputDebugStringA("player: an open could not be undone");
    }
}

void TCustomPlayer::ReportFailure(const std::wstring& AText) {
    try {
        LogError(AText, true);
    } catch (...) {
        try {
            SetLastErrMsg(AText);
        } catch (...) {
            OutputDebugStringA("player: no memory for an error message");
        }
    }
}

void TCustomPlayer::DoFileOpen() {
    {
        std::lock_guard<std::mutex> lock(FGrabLock);
        ResetRGBContext(FRGBContext);
    }
    {
        LockServingHandOvers(FHookLock);
        std::lock_guard<std::timed_mutex> lock(FHookLock, std::adopt_lock);
        ResetRGBContext(FHookContext);
        FHookYUV.reset();
    }
    auto vs = State();
    if (OnFileOpen && vs) {
        const int64_t duration = vs->IsImage2 ? 0 : vs->Duration;
        int w = -1, h = -1;
        if (vs->video_ctx && vs->video_ctx->width > 0) {
            w = vs->video_ctx->width;
            h = vs->video_ctx->height;
        }
        int sw = ScreenWidth, sh = ScreenHeight;
        OnFileOpen(this, duration, w, h, sw, sh);
        ScreenWidth = sw;
        ScreenHeight = sh;
    }
    if (FScreenHandle && (ScreenWidth == 0 || ScreenHeight == 0)) {
        RECT r;
        GetClientRect(FScreenHandle, &r);
        ScreenWidth = r.right - r.left;
        ScreenHeight = r.bottom - r.top;
    }
}

void TCustomPlayer::PushUserEvent(int AType) {
    SDL_Event ev{};
    ev.type = static_cast<Uint8>(AType);
    ev.user.data1 = FRawState;
    ff::SDL_PushEvent(&ev);
}

void TCustomPlayer::Stop(bool AWaitForStop) {
    if (auto vs = State()) {
        if (vs->paused) {
            TogglePauseState(vs.get());
            Fstep = false;
        }
        PushUserEvent(FF_QUIT_EVENT);
    }
    if (!AWaitForStop) return;
    TBusy busy(FBusy);
    WaitForStop();
    if (ff::SDL_Quit) ff::SDL_Quit();
}

// Waits until the play thread has closed the file and ended, asking again
// every 100 ms; after more than 10 rounds while the read thread is inside a
// read, or more than 20 in any case, the engine threads are told to give up
// (a blocked read returns), so that the close cannot hang on them.
void TCustomPlayer::WaitForStop() {
    int tries = 1;
    while (FPlayThread && !WaitServingHandOvers(FPlayThread, 100)) {
        auto vs = State();
        if (!vs) continue;  // closed: the play thread is on its way out
        // Taken, the play thread is between events: the quit has not come.
        if (!FDataLock.try_lock()) continue;
        std::unique_lock<std::timed_mutex> lock(FDataLock, std::adopt_lock);
        ++tries;
        if ((tries > 10 && vs->Reading == 1) || tries > 20) vs->abort_request = 1;
        PushUserEvent(FF_QUIT_EVENT);
    }
    if (FPlayThread) {
        CloseHandle(FPlayThread);
        FPlayThread = nullptr;
    }
    JoinEventThreads();
}

// The event threads end after delivering psStop (or the quit entry), which
// their play threads posted before they ended. One inside whose event this
// runs cannot be waited for: it is joined by a later stop.
void TCustomPlayer::JoinEventThreads() {
    if (FEventThread) {
        FEndingEventThreads.push_back(FEventThread);
        FEventThread = nullptr;
    }
    if (InsideOwnEvent()) return;
    for (HANDLE h : FEndingEventThreads) {
        WaitServingHandOvers(h, INFINITE);
        CloseHandle(h);
    }
    FEndingEventThreads.clear();
}

void TCustomPlayer::CloseStream() {
    auto vs = State();
    if (vs) {
        StreamClose(vs.get());
        {
            std::lock_guard<std::mutex> lock(FStateGuard);
            FVideoState.reset();
            FRawState = nullptr;
        }
        ResetState();
    }
    ff::SDL_Quit();
    RestoreHostWindow(this);
}

void TCustomPlayer::DetachProbe(AVFormatContext* AContext) {
    if (AContext && FAVProbe.FileHandle() == AContext) FAVProbe.CloseFile();
}
