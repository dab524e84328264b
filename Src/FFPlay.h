#pragma once
// The player component: plays one media file at a time into a window the
// host owns, with SDL 1.2 for picture and sound output and the media
// libraries for demultiplexing and decoding.
//
// Threads: every public operation is for the host's (main) thread. Each
// open runs a play thread (SDL event loop, drawing, closing), an event
// thread (delivers OnPosition/OnState, on the main thread when
// TriggerEventInMainThread) and the engine threads of the state. OnHook runs
// on the video thread. Lock order: FDataLock, then the state's overlay lock,
// then FHookLock, then FStateGuard, then the state's queue locks; nothing
// waits for the main thread while holding FStateGuard or a queue lock. The
// main thread waits for the player's threads only while serving their
// hand-overs (FFPlayState.h), so a thread that logs or raises an event
// meanwhile cannot dead-lock it. A player must not be freed from inside one
// of its own events.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Src/AVProbe.h"
#include "Src/FFBaseComponent.h"
#include "Src/FFOwners.h"
#include "Src/FFPlayState.h"
#include "Src/RGBConvert.h"

enum TPlayState { psPlay, psPause, psResume, psStep, psStop, psEnd };
enum TRepeatType { rtNone, rtStop, rtLoop };
enum TShowAudio { saNone, saWave, saRDFT };
enum TAudioDriver { adDefault, adDirectSound, adWaveOut };
enum TVideoDriver { vdDefault, vdDirectDraw, vdGDI };

using TFileOpenEvent = std::function<void(TObject* Sender, int64_t ADuration, int AFrameWidth, int AFrameHeight,
                                          int& AScreenWidth, int& AScreenHeight)>;
using THookEvent = std::function<void(TObject* Sender, TBitmap* ABitmap, int64_t APTS)>;
using TPositionEvent = std::function<void(TObject* Sender, int64_t APTS)>;
using TPlayStateEvent = std::function<void(TObject* Sender, TPlayState AState)>;

// A manual-reset Win32 event.
class TManualEvent {
public:
    explicit TManualEvent(bool ASignalled) : FHandle(CreateEventW(nullptr, TRUE, ASignalled, nullptr)) {}
    ~TManualEvent() { CloseHandle(FHandle); }
    TManualEvent(const TManualEvent&) = delete;
    TManualEvent& operator=(const TManualEvent&) = delete;
    void Set() { SetEvent(FHandle); }
    void Reset() { ResetEvent(FHandle); }
    bool Wait(DWORD AMs) { return WaitForSingleObject(FHandle, AMs) == WAIT_OBJECT_0; }
    HANDLE Handle() const { return FHandle; }

private:
    HANDLE FHandle;
};

// The ring of position and state events of one open (at most 9 entries; a
// newer entry of the same kind replaces an undelivered one).
class TPlayEvent {
public:
    struct Entry {
        int32_t Kind = 0;  // 1 position, 2 state, 3 quit, 0 nothing
        int64_t Value = 0;
    };
    TPlayEvent() : Event(false) {}
    void Post(int32_t AKind, int64_t AValue);
    Entry Pop();
    TManualEvent Event;

private:
    std::mutex Lock;
    int Header = 0, Tailer = 0;
    Entry Events[10];
};

class TCustomPlayer : public TFFBaseComponent {
public:
    explicit TCustomPlayer(TComponent* AOwner = nullptr);
    ~TCustomPlayer() override;

    bool AVLibLoaded() const;
    bool LoadAVLib(const std::wstring& APath);
    void UnloadAVLib();

    // True when the file is open and its threads run. Never raises: every
    // failure returns False with the reason in LastErrMsg (and logged at
    // llError, except the reasons of the read thread, which are only
    // stored). An Open from inside an Open or a waiting Stop of the same
    // player (one of its events) is refused.
    bool Open(const std::wstring& AFileName, HWND AScreenHandle, bool APaused = false);
    // With AWaitForStop, returns when the file is closed, every thread of the
    // player has ended (but an event thread inside whose event the call is
    // made) and SDL is shut down.
    void Stop(bool AWaitForStop);
    void Pause();
    void Resume();
    void TogglePause();
    void StepToNextFrame();
    void ToggleAudioDisplay();
    void Seek(int64_t APTS, TSeekFlags ASeekFlags = {}, bool AWaitForSeekEnd = false);
    void Seek(double ADelta, TSeekFlags ASeekFlags = {}, bool AWaitForSeekEnd = false);
    // The player-owned bitmap of the picture waiting in the picture queue.
    TBitmap* CurrentFrame();
    TBitmap* CurrentFrame(int64_t& APTS);
    void UpdateScreenPosition();

    // Properties.
    std::wstring About;
    std::wstring Version() const { return L"2.3"; }
    float AspectRatio() const { return FAspectRatio; }
    void SetAspectRatio(float AValue);
    TAudioDriver AudioDriver = adDefault;
    TVideoDriver VideoDriver = vdDefault;
    std::atomic<int> AudioVolume{128};
    std::atomic<bool> Mute{false};
    bool DisableAudio = false;
    bool DisableVideo = false;
    bool DisableDisplay = false;
    int FrameWidth = 0, FrameHeight = 0;
    std::atomic<int> ScreenWidth{0}, ScreenHeight{0};
    std::atomic<bool> Hook{false};
    bool TriggerEventInMainThread = true;
    TFileOpenEvent OnFileOpen;
    void SetOnHook(THookEvent AHandler);
    void SetOnPosition(TPositionEvent AHandler);
    void SetOnState(TPlayStateEvent AHandler);

    const std::wstring& FileName() const { return FFileName; }
    const std::wstring& LastErrMsg() const { return FLastErrMsg; }
    HWND ScreenHandle() const { return FScreenHandle; }
    bool FullScreen() const { return is_full_screen; }
    bool is_full_screen = false;
    TAVProbe* AVProbe() { return &FAVProbe; }
    int64_t CurrentPTS() const { return FCurrentPTS; }
    TPlayState PlayState() const { return FState; }
    bool Paused();
    bool Seeking() const { return FSeeking; }
    std::atomic<int64_t> PlayTime{INT64_MIN};
    std::atomic<TRepeatType> RepeatType{rtStop};
    std::atomic<bool> VerticalFlip{false};
    TShowAudio ShowAudio() const { return FShowAudio; }
    void SetShowAudio(TShowAudio AValue);
    std::wstring VideoFilters;
    std::wstring Format() const;
    void SetFormat(const std::wstring& AName);  // std::invalid_argument for an unknown name
    int VideoStreamIndex();
    int AudioStreamIndex();
    int SubtitleStreamIndex();
    void SetVideoStreamIndex(int AIndex);
    void SetAudioStreamIndex(int AIndex);
    void SetSubtitleStreamIndex(int AIndex);
    // Per media type: the n-th stream of that type to play, -1 = choose
    // automatically. Reset to -1 by every close.
    int wanted_stream[7] = {-1, -1, -1, -1, -1, -1, -1};
    int& wanted_video_stream = wanted_stream[AVMEDIA_TYPE_VIDEO];
    int& wanted_audio_stream = wanted_stream[AVMEDIA_TYPE_AUDIO];
    int& wanted_subtitle_stream = wanted_stream[AVMEDIA_TYPE_SUBTITLE];
    int seek_by_bytes = -1;
    int64_t start_time = INT64_MIN;
    Tav_sync_type av_sync_type = AV_SYNC_AUDIO_MASTER;
    int workaround_bugs = 1;
    int debug_mv = 0;
    bool fast = false;
    bool genpts = false;
    int decoder_reorder_pts = -1;
    int framedrop = 1;
    int rdftspeed = 20;
    int lowres = 0, idct_algo = 0;
    int error_recognition = 1;  // careful (see ErrorRecognitionFlags)
    int error_concealment = 3;

    // --- Engine side (the player's own threads) ---
    void LogError(const std::wstring& AText, bool AStore);
    void SetPlayState(TPlayState AState);
    void SetPlayState(TPlayState AState, const std::shared_ptr<TPlayEvent>& ARing);
    // Forgets the open file's context in AVProbe (the player closes it).
    void DetachProbe(AVFormatContext* AContext);
    void UpdatePosition();
    void CloseStream();
    // Video thread, with the overlay locked: the picture ASrc (the decoded
    // picture, flipped when VerticalFlip) through OnHook into ADst. True when
    // the handler's picture was converted into ADst; False when nothing was
    // written to ADst (no hook, or it failed: the caller copies ASrc).
    bool DoHook(const TAVPicture& ASrc, SDL_Overlay* ADst, double ATime, int AWidth, int AHeight, int ASrcFmt);
    TVideoState* RawState() const { return FRawState; }
    void SetLastErrMsg(const std::wstring& AText);

    TManualEvent FSeekEvent{true}, FPictEvent{true}, FStopEvent{true};
    std::atomic<bool> FSeeking{false};
    std::atomic<bool> Fstep{false};
    std::timed_mutex FDataLock;  // held by the event loop per event; timed tries by WaitForStop
    SDL_Surface* Fscreen = nullptr;
    std::atomic<int64_t> Faudio_callback_time{0};
    HWND FScreenHandle = nullptr;
    WINDOWPOS FScreenPos{};
    int Ffs_screen_width = 0, Ffs_screen_height = 0;
    int Fsws_flags = 4;
    const AVInputFormat* Ffile_iformat = nullptr;
    int Fframe_pix_fmt = -1;
    int Fdebug = 0;
    int Fskip_frame = 0, Fskip_idct = 0, Fskip_loop_filter = 0;

private:
    friend struct TPlayerThreadStart;
    std::shared_ptr<TVideoState> State();
    void ResetState();
    bool OpenFile(const std::wstring& AFileName, HWND AScreenHandle, bool APaused);
    void AbandonOpen();
    void ReportFailure(const std::wstring& AText);
    void WaitForStop();
    void JoinEventThreads();
    bool InsideOwnEvent() const;
    void PlayThreadExecute(const std::shared_ptr<TPlayEvent>& ARing);
    void EventThreadExecute(const std::shared_ptr<TPlayEvent>& ARing);
    bool InitSDL(HWND AHandle);
    void DoFileOpen();
    void FireEvent(const std::function<void()>& AFire);
    void PushUserEvent(int AType);

    TAVProbe FAVProbe;
    float FAspectRatio = 0;
    TShowAudio FShowAudio = saWave;
    std::wstring FFileName, FLastErrMsg;
    std::mutex FMsgLock;  // guards FLastErrMsg
    std::atomic<int64_t> FCurrentPTS{-1};
    int64_t FLastPTS = INT64_MIN;
    std::atomic<TPlayState> FState{psPlay};
    std::mutex FStateGuard;  // guards FVideoState and the event handlers
    std::shared_ptr<TVideoState> FVideoState;
    TVideoState* FRawState = nullptr;  // the same, for the engine threads
    std::shared_ptr<TPlayEvent> FPlayEvent;
    HANDLE FPlayThread = nullptr, FEventThread = nullptr;
    // Event threads of closed files that a stop from inside their own event
    // could not wait for; joined by the next stop that can.
    std::vector<HANDLE> FEndingEventThreads;
    int FBusy = 0;  // Open or a waiting Stop is on the main thread's stack
    THookEvent FOnHook;
    TPositionEvent FOnPosition;
    TPlayStateEvent FOnState;
    // Guards FOnHook, FHookContext and FHookYUV; held by the video thread for
    // a whole hook, so the main thread takes it only serving hand-overs.
    std::timed_mutex FHookLock;
    std::mutex FGrabLock;  // guards FRGBContext
    TRGBConvertContext FRGBContext, FHookContext;
    TFramePtr FHookYUV;  // the hook's picture on its way back to the overlay
    std::mutex FEventLock;  // guards OnPosition and OnState
    std::mutex FPositionLock;  // UpdatePosition runs on the play and the video thread
};

// Publishes the properties; adds nothing.
class TZADovovi : public TCustomPlayer {
public:
    using TCustomPlayer::TCustomPlayer;
};

// The host window: restores the window's own procedure when SDL left ours
// (or its own) installed on it.
void RestoreHostWindow(TCustomPlayer* APlayer);

// Engine entry points of the stream set-up (read thread unit).
bool StreamOpen(TCustomPlayer* APlayer, const std::wstring& AFileName, const AVInputFormat* AFormat, bool APaused,
                std::shared_ptr<TVideoState>& AState);
void StreamClose(TVideoState* vs);
int ComponentOpen(TVideoState* vs, int AStreamIndex);
void ComponentClose(TVideoState* vs, int AStreamIndex);
bool SwitchStream(TVideoState* vs, int AType, int AIndex);
// The decoders' error recognition (err_recognition flags) of an
// error_recognition level: 0 none, 1 careful, 2 compliant, 3 and above
// aggressive; each level includes the ones below it. No level asks for
// checksum tests, which would drop pictures and sound of files whose
// checksums are wrong or missing.
int ErrorRecognitionFlags(int ALevel);
void PushQuitEvent(TVideoState* vs);
void PushReopenEvent(TVideoState* vs);
