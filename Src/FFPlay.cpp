#include "Src/FFPlay.h"

#include <process.h>

#include <cmath>
#include <map>
#include <new>
#include <stdexcept>

#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFPlayLoop.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "platform/MainThread.h"

// --- The event ring ---

void TPlayEvent::Post(int32_t AKind, int64_t AValue) {
    std::lock_guard<std::mutex> lock(Lock);
    const int newest = (Tailer + 9) % 10;
    if (Header != Tailer && Events[newest].Kind == AKind) {
        Events[newest].Value = AValue;
    } else {
        Tailer = (Tailer + 1) % 10;
        if (Tailer == Header) Header = (Header + 1) % 10;
        Events[(Tailer + 9) % 10] = Entry{AKind, AValue};
    }
    Event.Set();
}

TPlayEvent::Entry TPlayEvent::Pop() {
    std::lock_guard<std::mutex> lock(Lock);
    if (Header == Tailer) return Entry{};
    const Entry e = Events[Header];
    Header = (Header + 1) % 10;
    if (Header == Tailer) Event.Reset();
    return e;
}

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

// The player whose OnPosition or OnState handler runs on this thread.
thread_local const TCustomPlayer* tEventOf = nullptr;

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

bool TCustomPlayer::InsideOwnEvent() const { return tEventOf == this; }

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

// --- Threads ---

void TCustomPlayer::PlayThreadExecute(const std::shared_ptr<TPlayEvent>& ARing) {
    SetPlayState(psPlay, ARing);
    try {
        EventLoop(this);
    } catch (const std::exception& e) {
        GlobalLogger()->Log(this, llFatal, L"PlayThread Exception: " + Utf8ToWide(e.what()));
        CloseStream();
    }
    SetPlayState(psStop, ARing);
    FStopEvent.Set();
}

void TCustomPlayer::EventThreadExecute(const std::shared_ptr<TPlayEvent>& ARing) {
    for (;;) {
        const TPlayEvent::Entry e = ARing->Pop();
        try {
            if (e.Kind == 1) {
                const int64_t pts = e.Value;
                FireEvent([this, pts] {
                    TPositionEvent h;
                    {
                        std::lock_guard<std::mutex> lock(FEventLock);
                        h = FOnPosition;
                    }
                    if (h) h(this, pts);
                });
            } else if (e.Kind == 2) {
                const auto state = static_cast<TPlayState>(e.Value);
                FireEvent([this, state] {
                    TPlayStateEvent h;
                    {
                        std::lock_guard<std::mutex> lock(FEventLock);
                        h = FOnState;
                    }
                    if (h) h(this, state);
                });
                if (state == psStop) return;
            } else if (e.Kind == 3) {
                return;
            }
        } catch (const std::exception& ex) {
            GlobalLogger()->Log(this, llError, L"event handler: " + Utf8ToWide(ex.what()));
        } catch (...) {
            GlobalLogger()->Log(this, llError, L"event handler: unknown exception");
        }
        if (e.Kind == 0) ARing->Event.Wait(INFINITE);
    }
}

void TCustomPlayer::FireEvent(const std::function<void()>& AFire) {
    auto fire = [this, &AFire] {
        const TCustomPlayer* outer = tEventOf;
        tEventOf = this;
        try {
            AFire();
        } catch (...) {
            tEventOf = outer;
            throw;
        }
        tEventOf = outer;
    };
    if (TriggerEventInMainThread)
        CallInMainThread(fire);
    else
        fire();
}

void TCustomPlayer::SetPlayState(TPlayState AState) { SetPlayState(AState, FPlayEvent); }

void TCustomPlayer::SetPlayState(TPlayState AState, const std::shared_ptr<TPlayEvent>& ARing) {
    FState = AState;
    if (!ARing) return;
    bool has_handler;
    {
        std::lock_guard<std::mutex> lock(FEventLock);
        has_handler = static_cast<bool>(FOnState);
    }
    if (has_handler)
        ARing->Post(2, AState);
    else if (AState == psStop)
        ARing->Post(3, 0);
}

void TCustomPlayer::SetOnPosition(TPositionEvent AHandler) {
    std::lock_guard<std::mutex> lock(FEventLock);
    FOnPosition = std::move(AHandler);
}

void TCustomPlayer::SetOnState(TPlayStateEvent AHandler) {
    std::lock_guard<std::mutex> lock(FEventLock);
    FOnState = std::move(AHandler);
}

void TCustomPlayer::SetOnHook(THookEvent AHandler) {
    // A hook running now finishes first (it may log through this thread).
    LockServingHandOvers(FHookLock);
    std::lock_guard<std::timed_mutex> lock(FHookLock, std::adopt_lock);
    FOnHook = std::move(AHandler);
}

void TCustomPlayer::UpdatePosition() {
    TVideoState* vs = FRawState;
    if (!vs || vs->IsImage2) return;
    std::lock_guard<std::mutex> lock(FPositionLock);
    int64_t pts;
    if (vs->video_st) {
        pts = std::llround(GetVideoClock(vs) * 1000000) - vs->StartTime;
    } else if (vs->audio_st) {
        pts = std::llround(GetAudioClock(vs) * 1000000) - vs->StartTime;
        if (vs->AudioDuration > 0 && pts >= vs->AudioDuration && vs->Duration > pts) pts = vs->Duration;
    } else {
        return;
    }
    FCurrentPTS = pts;
    if (vs->Duration > 0 && pts >= vs->Duration) {
        pts = vs->Duration;
        if (FLastPTS != vs->Duration) FLastPTS = 0;
    }
    if (FLastPTS == INT64_MIN || std::llabs(FLastPTS - pts) > 10000) {
        FLastPTS = pts;
        bool has_handler;
        {
            std::lock_guard<std::mutex> elock(FEventLock);
            has_handler = static_cast<bool>(FOnPosition);
        }
        if (has_handler && FPlayEvent) FPlayEvent->Post(1, pts);
    }
    if (!vs->IsDevice && vs->EventEOF == 0 && vs->ReachEOF == 1) {
        if (vs->video_st) vs->EventEOF = 1;
        SetPlayState(psEnd);
    }
    const int64_t play_time = PlayTime;
    if (play_time == INT64_MIN) return;
    const int64_t end = start_time != INT64_MIN ? play_time + start_time : play_time;
    if (pts < end) return;
    switch (RepeatType.load()) {
    case rtStop:
        PushUserEvent(FF_QUIT_EVENT);
        break;
    case rtLoop:
        if (start_time != INT64_MIN)
            Seek(start_time, TSeekFlags{}, false);
        else
            Seek(int64_t(0), TSeekFlags{sfAny}, false);
        break;
    default:
        break;
    }
}

// --- Playback control ---

bool TCustomPlayer::Paused() {
    auto vs = State();
    return !vs || vs->paused;
}

void TCustomPlayer::Pause() {
    auto vs = State();
    if (!vs || vs->paused) return;
    TogglePauseState(vs.get());
    Fstep = false;
    SetPlayState(psPause);
}

void TCustomPlayer::Resume() {
    auto vs = State();
    if (!vs || !vs->paused) return;
    TogglePauseState(vs.get());
    Fstep = false;
    SetPlayState(psResume);
}

void TCustomPlayer::TogglePause() {
    auto vs = State();
    if (!vs) return;
    TogglePauseState(vs.get());
    Fstep = false;
    SetPlayState(vs->paused ? psPause : psResume);
}

void TCustomPlayer::StepToNextFrame() {
    auto vs = State();
    if (!vs) return;
    if (vs->paused) TogglePauseState(vs.get());
    if (!Fstep.exchange(true)) SetPlayState(psStep);
}

void TCustomPlayer::ToggleAudioDisplay() {
    auto vs = State();
    if (!vs) return;
    vs->show_audio = (vs->show_audio + 1) % 3;
    // The play thread draws: a new surface starts black, then the display
    // of the new mode follows.
    PushReopenEvent(vs.get());
}

void TCustomPlayer::Seek(int64_t APTS, TSeekFlags ASeekFlags, bool AWaitForSeekEnd) {
    auto vs = State();
    if (!vs) return;
    if (ASeekFlags.Contains(sfByte)) {
        StreamSeek(vs.get(), ASeekFlags.LibFlags(), AWaitForSeekEnd, 0, APTS);
        return;
    }
    int64_t target = APTS;
    // A container of unknown duration has no upper bound to clamp to.
    if (vs->ic->duration != AV_NOPTS_VALUE) target = std::min(target, vs->ic->duration);
    if (vs->ic->start_time != AV_NOPTS_VALUE) target += vs->ic->start_time;
    StreamSeek(vs.get(), ASeekFlags.LibFlags(), AWaitForSeekEnd, APTS <= 0 ? 1 : 0, target);
}

void TCustomPlayer::Seek(double ADelta, TSeekFlags ASeekFlags, bool AWaitForSeekEnd) {
    auto vs = State();
    if (!vs) return;
    if (ASeekFlags.Contains(sfByte)) {
        const double bytes = vs->ic->bit_rate ? ADelta * vs->ic->bit_rate / 8.0 : ADelta * 180000.0;
        const int64_t here = vs->ic->pb ? ff::avio_seek(vs->ic->pb, 0, SEEK_CUR) : 0;
        StreamSeek(vs.get(), ASeekFlags.LibFlags(), AWaitForSeekEnd, std::llround(bytes), std::llround(here + bytes));
        return;
    }
    StreamSeek(vs.get(), ASeekFlags.LibFlags(), AWaitForSeekEnd, std::llround(ADelta * 1000000),
               std::llround((GetMasterClock(vs.get()) + ADelta) * 1000000));
}

// --- Property setters ---

void TCustomPlayer::SetAspectRatio(float AValue) {
    if (AValue == FAspectRatio) return;
    FAspectRatio = AValue;
    if (auto vs = State()) PushReopenEvent(vs.get());
}

void TCustomPlayer::SetShowAudio(TShowAudio AValue) {
    FShowAudio = AValue;
    auto vs = State();
    if (vs && vs->audio_st && !DisableDisplay) vs->show_audio = AValue;
}

std::wstring TCustomPlayer::Format() const { return Ffile_iformat ? Utf8ToWide(Ffile_iformat->name) : L""; }

void TCustomPlayer::SetFormat(const std::wstring& AName) {
    if (!AVLibLoaded()) {
        LogError(L"libav or libsdl not loaded.", true);
        return;
    }
    if (AName.empty()) {
        Ffile_iformat = nullptr;
        return;
    }
    const AVInputFormat* f = ff::av_find_input_format(WideToUtf8(AName).c_str());
    if (!f) throw std::invalid_argument("Unknown input format: " + WideToUtf8(AName));
    Ffile_iformat = f;
}

int TCustomPlayer::VideoStreamIndex() {
    auto vs = State();
    return vs ? vs->video_stream.load() : -1;
}
int TCustomPlayer::AudioStreamIndex() {
    auto vs = State();
    return vs ? vs->audio_stream.load() : -1;
}
int TCustomPlayer::SubtitleStreamIndex() {
    auto vs = State();
    return vs ? vs->subtitle_stream.load() : -1;
}

void TCustomPlayer::SetVideoStreamIndex(int AIndex) {
    auto vs = State();
    if (vs && AIndex != vs->video_stream) SwitchStream(vs.get(), AVMEDIA_TYPE_VIDEO, AIndex);
}
void TCustomPlayer::SetAudioStreamIndex(int AIndex) {
    auto vs = State();
    if (vs && AIndex != vs->audio_stream) SwitchStream(vs.get(), AVMEDIA_TYPE_AUDIO, AIndex);
}
void TCustomPlayer::SetSubtitleStreamIndex(int AIndex) {
    auto vs = State();
    if (vs && AIndex != vs->subtitle_stream) SwitchStream(vs.get(), AVMEDIA_TYPE_SUBTITLE, AIndex);
}
