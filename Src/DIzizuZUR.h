#pragma once
// The encoder component (TCustomDIzizuZUR / TDIzizuZUR): an ordered list of
// conversion tasks, each a transcoder of its own, run as a batch on worker
// threads or inline; and the option records that describe a task's inputs
// and outputs (TInputOptions / TOutputOptions) with their application to a
// task (TFFmpeg).
//
// Threads:
// - Every public operation of the component is called from one thread, the
//   caller's (normally the UI thread). Pause, Resume, Stop and the property
//   setters may be called at any time; ClearTasks also from the handler of
//   the final (-1) end notification.
// - DoProgress and DoPreviewBitmap run on a task's converting thread and hand
//   their handler over to the UI thread (synchronously, through
//   CallInMainThread) when TriggerEventInMainThread is set; the handler gets
//   a copy of the record and the worker holds no lock while it waits. Run on
//   the worker itself, handlers of one kind run one at a time under that
//   kind's lock.
// - DoCustomHook runs and calls its handler on the converting thread.
// - DoTerminate runs on the thread that ended the task. In thread mode the
//   end notifications are queued (copies of the record) and delivered, in the
//   order they were made, on a short-lived delivery thread of the component;
//   the final -1 notification is queued last and so never overtakes a task's
//   own. Without threads OnTerminate is called directly.
// - Lock order: FTerminateLock, then FListLock, then the delivery queue's
//   lock. None of them is held while waiting for a worker or the UI thread.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Src/AVProbe.h"
#include "Src/FFBaseComponent.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLoader.h"

// The no-value marker of a 64-bit microsecond time.
constexpr int64_t NoTimeValue = INT64_MIN;

struct TInputOptions {
    std::wstring FileName;
    std::wstring FileFormat;
    int64_t TimeStart = NoTimeValue;
    int ProgramID = -1;
    std::wstring ExtOptions;
    int Tag = 0;
    void* Data = nullptr;
};
using PInputOptions = TInputOptions*;

struct TStreamInfo {
    double TimeStamp = -1.0;  // local date-time as a day count; 0 = now
    int Year = -1;
    int Track = -1;
    std::wstring Title, Author, Copyright, Comment, Album, Genre;
};

enum TOptionTargetType { ttIgnore, ttVCD, ttSVCD, ttDVD };
enum TOptionNormType { ntAuto, ntPAL, ntNTSC };
using TOptionNormDefault = TOptionNormType;  // ntPAL .. ntNTSC

struct TOutputOptions {
    std::wstring FileName;
    std::wstring FileExt;
    std::wstring FileFormat;
    int PacketSize = -1;
    int MuxRate = -1;
    float MuxDelay = -1.0f;
    float MuxPreload = -1.0f;
    std::wstring AudioCodec;
    std::wstring AudioPreset;
    bool DisableAudio = false;
    int AudioVolume = -1;
    int AudioChannels = -1;
    int AudioSampleRate = -1;
    int AudioBitrate = -1;
    int AudioBitRateTolerance = -1;
    std::wstring AudioLanguage;
    int AudioSyncMethod = 0;
    std::wstring AudioTag;
    std::wstring VideoCodec;
    std::wstring VideoPreset;
    bool DisableVideo = false;
    std::wstring FrameRate;
    std::wstring FrameSize;
    std::wstring FrameAspectRatio;
    int CropTop = -1, CropBottom = -1, CropLeft = -1, CropRight = -1;
    int GroupPictureSize = -1;
    int VideoBitrate = -1;
    int VideoMaxRate = -1, VideoMinRate = -1;
    int VideoBitRateTolerance = -1;
    int VideoBufSize = -1;
    int VideoSyncMethod = -1;
    std::wstring VideoTag;
    std::wstring VideoFilters;
    std::wstring VideoLanguage;
    std::wstring SubtitleCodec;
    std::wstring SubtitlePreset;
    bool DisableSubtitle = false;
    std::wstring SubtitleLanguage;
    bool InputSync = false;
    bool CopyTimestamp = false;
    int64_t TimeStart = NoTimeValue;
    int64_t TimeLength = NoTimeValue;
    TStreamInfo Info;
    TOptionTargetType TargetType = ttIgnore;
    TOptionNormType NormType = ntAuto;
    TOptionNormDefault NormDefault = ntPAL;
    bool CustomHook = false;
    bool Join = false;
    std::wstring ExtOptions;
    int Tag = 0;
    void* Data = nullptr;
};
using POutputOptions = TOutputOptions*;

void InitInputOptions(TInputOptions& AOptions);
void InitOutputOptions(TOutputOptions& AOptions);

// Option text as records: "TimeStart" (and for outputs "TimeLength", "Hook",
// "CustomHook", "Join") become fields, every other line goes to ExtOptions.
TInputOptions InputOptionsFromText(const std::wstring& AText);
TOutputOptions OutputOptionsFromText(const std::wstring& AText);

// Option text normalised and split into (name, value) lines.
std::vector<std::pair<std::wstring, std::wstring>> OptionLines(const std::wstring& AText);

// The pending codec, preset, size and filter values of one output.
struct TDefaultOptions {
    std::vector<std::pair<std::wstring, std::wstring>> Items;  // name=value, in order
    std::wstring Value(const std::wstring& AName) const;
    void SetValue(const std::wstring& AName, const std::wstring& AValue);
    // Takes (and removes) the first pending stream line of that name.
    bool TakeStreamLine(const std::wstring& AName, std::wstring& AValue);
};

// One conversion task: a transcoder with a probe and a stored option record
// per input slot and a stored record per output slot.
// Threads: everything here runs on the thread that configures the task,
// except StopTask and SwitchPostHook (any thread).
class TFFmpeg : public TCustomFFmpeg {
public:
    explicit TFFmpeg(int AMaxFiles);
    ~TFFmpeg() override;

    TAVProbe* AVProbe(int AIndex);  // created on first use
    TAVProbe* AVProbeIfAny(int AIndex) const;
    // Lets the probes go of the inputs, which an ended run has closed.
    void DetachProbes();
    void StoreInputOptions(int AIndex, const TInputOptions& AOptions);
    void StoreOutputOptions(int AIndex, const TOutputOptions& AOptions);
    void ResetInputSlot(int AIndex);
    void ResetOutputSlot(int AIndex);

    void ParseExtOptions(const std::wstring& AText, bool AAll);
    // Applies the record before the input is opened.
    void ApplyInputOptions(const TInputOptions& AOptions);
    // Applies the record up to the creation of the output (steps before it).
    TDefaultOptions ApplyOutputOptions(const TOutputOptions& AOptions);
    // After the output was created: the stream-adding lines of ExtOptions.
    void ApplyNewStreamOptions(const TOutputOptions& AOptions, TDefaultOptions& ADefaults);

    // Stops a converting task, or ends a task that never started (its end
    // notification comes from a thread of its own). Never waits.
    void StopTask();
    // Waits until no thread works for the task, serving the UI thread's
    // hand-overs when called there.
    void WaitStopped();
    // Switches one post-hook flag and leaves the others (a flag the task
    // dropped itself stays dropped). Never waits: a running task takes the
    // change up at its next post hook.
    void SwitchPostHook(TPostHook AHook, bool AOn);

    // Set by the component while the task holds one of the batch's thread
    // slots; guarded by the component's terminate lock.
    bool FRunSlot = false;

private:
    void ApplyTypedOutputOptions(const TOutputOptions& AOptions);
    void ApplyTarget(const TOutputOptions& AOptions);
    void ApplyTimeStamp(double ATimeStamp);
    void Option(const wchar_t* AName, const std::wstring& AValue);
    void GenericOption(const char* AName, int AValue);

    std::vector<std::unique_ptr<TAVProbe>> FAVProbes;
    std::vector<std::unique_ptr<TInputOptions>> FInputOptions;
    std::vector<std::unique_ptr<TOutputOptions>> FOutputOptions;
};

class TCustomDIzizuZUR : public TFFBaseComponent {
public:
    enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

    struct THookInfo {
        int TaskIndex;
        HBITMAP Bitmap;
        int FrameNumber;
        int64_t PTS;
        bool Update;
        bool StopHook;
    };
    using PHookInfo = THookInfo*;
    struct TPreviewInfo {
        int TaskIndex;
        HBITMAP Bitmap;
        int FrameNumber;
        int64_t PTS;
    };
    struct TProgressInfo {
        int TaskIndex;
        int FileIndex;
        int FrameNumber;
        int FPS;
        float Quality;
        float BitRate;
        int64_t CurrentSize;
        int64_t CurrentDuration;
        int64_t TotalDuration;
    };
    using PProgressInfo = TProgressInfo*;
    struct TTerminateInfo {
        int TaskIndex = 0;
        bool Finished = false;
        bool Exception = false;
        std::wstring ExceptionMsg;
    };

    using TCustomHookEvent = std::function<void(TObject* Sender, PHookInfo AHookInfo)>;
    using TPreviewBitmapEvent = std::function<void(TObject* Sender, const TPreviewInfo& APreviewInfo)>;
    using TProgressEvent = std::function<void(TObject* Sender, PProgressInfo AProgressInfo)>;
    using TTerminateEvent = std::function<void(TObject* Sender, const TTerminateInfo& ATerminateInfo)>;

    explicit TCustomDIzizuZUR(TComponent* AOwner = nullptr);
    ~TCustomDIzizuZUR() override;
    TCustomDIzizuZUR(const TCustomDIzizuZUR&) = delete;
    TCustomDIzizuZUR& operator=(const TCustomDIzizuZUR&) = delete;

    bool AVLibLoaded() const;
    bool LoadAVLib(const TPathFileName& APath);
    void UnloadAVLib();

    int AddTask(const std::wstring& AFileName, PInputOptions AOptions = nullptr);
    int AddTask(const std::wstring& AFileName, const std::wstring& AExtOptions);
    int AddTask(const void* AStream, const std::wstring& APrivateData, PInputOptions AOptions = nullptr);
    bool AddInputFile(int ATaskIndex, const std::wstring& AFileName, PInputOptions AOptions = nullptr);
    bool AddInputFile(int ATaskIndex, const std::wstring& AFileName, const std::wstring& AExtOptions);
    bool SetOutputFile(int ATaskIndex, const std::wstring& AFileName, POutputOptions AOptions = nullptr);
    bool SetOutputFile(int ATaskIndex, const std::wstring& AFileName, const std::wstring& AExtOptions);
    bool SetOutputStream(int ATaskIndex, const void* AStream, const std::wstring& APrivateData,
                         POutputOptions AOptions = nullptr);
    void RemoveTask(int ATaskIndex);
    void Exchange(int ATaskIndex1, int ATaskIndex2);
    void ClearTasks();
    int TasksCount() const;
    TAVProbe* GetTaskAVProbe(int ATaskIndex, int AFileIndex);

    void Start(int AThreadCount);
    void Pause();
    void Resume();
    // Asks every task to stop; with AWaitFor, waits (serving the UI thread's
    // hand-overs) until they have. Called from inside a handler that a worker
    // handed to the UI thread, it only asks: that worker waits for the handler.
    void Stop(bool AWaitFor);

    bool Preview() const { return FPreview; }
    void SetPreview(bool AValue);
    bool PreviewBitmap() const { return FPreviewBitmap; }
    void SetPreviewBitmap(bool AValue);
    int ProgressInterval() const { return FProgressInterval; }
    void SetProgressInterval(int AValue) { FProgressInterval = AValue <= 100 ? 100 : AValue; }

    std::wstring About;
    static constexpr const wchar_t* Version = L"3.3";
    TThreadPriority ThreadPriority = tpNormal;
    bool TriggerEventInMainThread = true;
    int CustomMaxFiles = 20;
    int Verbose = 1;
    void* UserData = nullptr;

    TCustomHookEvent OnCustomHook;
    TPreviewBitmapEvent OnPreviewBitmap;
    TProgressEvent OnProgress;
    TTerminateEvent OnTerminate;

    TAVProbe* AVProbe() const { return FAVProbe.get(); }
    const std::wstring& LastErrMsg() const { return FLastErrMsg; }
    bool Working() const { return FWorking; }
    bool Terminated() const { return FTerminated; }

protected:
    using TTaskPtr = std::shared_ptr<TFFmpeg>;

    void DoCustomHook(TObject* Sender, HBITMAP ABitmap, int AFrameNumber, int64_t APTS, bool& AUpdate,
                      bool& AStopHook);
    void DoPreviewBitmap(TObject* Sender, HBITMAP ABitmap, int AFrameNumber, int64_t APTS);
    void DoProgress(TObject* Sender, int AFileIndex, int AFrameNumber, int AFPS, float AQuality, float ABitRate,
                    int64_t ACurrentSize, int64_t ACurrentDuration, int64_t ATotalDuration);
    void DoTerminate(TObject* Sender);

    void CheckWorking(const char* AOperation) const;
    // Starts pending tasks while thread slots are free (all of them, one
    // after another, without threads).
    void StartNextTasks();
    // True once per batch: nothing pending and every task counted.
    bool BatchEndDue();
    // The codec threads of each task of the batch: the machine's cores
    // divided by the tasks that run at once; 0 (the library's automatic
    // count) when they run one at a time. Caller holds FTerminateLock.
    int SharedCodecThreads() const;
    void DoAllTasksDone();
    // Runs a delivery on the UI thread (waiting for it) or on this thread.
    void HandOver(std::recursive_mutex& ALock, const std::function<void()>& ADelivery);
    static unsigned __stdcall DeliveryThreadProc(void* ASelf);
    void DeliverTerminate(const TTerminateInfo& AInfo);
    void TerminateQueueLoop();
    TTaskPtr Task(int AIndex) const;  // raises the list error for a bad index
    int IndexOfTask(const TObject* ATask) const;
    std::vector<TTaskPtr> Snapshot() const;
    // Runs AStep guarded: an engine or class-library error gives its message.
    bool Guarded(const std::function<void()>& AStep);

    int FCompleteTasks = 0;
    int FCurrentTask = -1;
    int FPendingTasks = 0;
    int FRunningTasks = 0;
    int FThreadCount = 0;
    bool FAllDone = false;
    bool FTerminated = false;
    bool FThreadMode = false;
    bool FWorking = false;
    bool FPreview = false;
    bool FPreviewBitmap = false;
    int FProgressInterval = 500;
    std::wstring FLastErrMsg;

    std::recursive_mutex FHookLock, FPreviewLock, FProgressLock, FTerminateLock;
    // Handlers handed over to the UI thread and running now (UI thread only).
    int FHandOverDepth = 0;
    THookInfo FHookInfo{};
    TPreviewInfo FPreviewInfo{};
    TProgressInfo FProgressInfo{};
    TTerminateInfo FTerminateInfo;

    std::unique_ptr<TAVProbe> FAVProbe;
    mutable std::mutex FListLock;  // short holds only: never while waiting
    std::vector<TTaskPtr> FFFmpegList;

    // Queued end notifications of thread mode and their delivery thread.
    std::mutex FQueueLock;
    std::deque<TTerminateInfo> FTerminateQueue;
    HANDLE FDeliveryThread = nullptr;
    bool FDelivering = false;
};

class TDIzizuZUR : public TCustomDIzizuZUR {
public:
    using TCustomDIzizuZUR::TCustomDIzizuZUR;
};
