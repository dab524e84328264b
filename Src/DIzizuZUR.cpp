// The encoder component: task list, batch control and event delivery.
#include "Src/DIzizuZUR.h"

#include <process.h>

#include <algorithm>

#include "Src/FFmpegLogger.h"
#include "platform/MainThread.h"
#include "platform/SysUtils.h"

namespace {

int WinPriority(TCustomDIzizuZUR::TThreadPriority APriority) {
    static const int map[] = {THREAD_PRIORITY_IDLE,   THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL,
                              THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                              THREAD_PRIORITY_TIME_CRITICAL};
    return map[APriority >= 0 && APriority <= 6 ? APriority : 3];
}

std::wstring StreamFileName(const void* AStream, const std::wstring& APrivateData) {
    return L"stream:" + std::to_wstring(reinterpret_cast<uintptr_t>(AStream)) + L":" + APrivateData;
}

}  // namespace

// ---------------------------------------------------------------- tasks

void TFFmpeg::SwitchPostHook(TPostHook AHook, bool AOn) {
    const TPostHooks flag = 1u << AHook;
    if (Converting()) {
        RequestPostHookSwitch(FPendingPostHooks, flag, AOn);
        return;
    }
    SetPostHooks(AOn ? FPostHooks | flag : FPostHooks & ~flag);
}

// ---------------------------------------------------------------- life cycle

TCustomDIzizuZUR::TCustomDIzizuZUR(TComponent* AOwner) : TFFBaseComponent(AOwner), FAVProbe(std::make_unique<TAVProbe>()) {}

TCustomDIzizuZUR::~TCustomDIzizuZUR() {
    // The owner normally stops the batch first; tasks still converting are
    // stopped here so that no thread outlives the component.
    {
        std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
        FPendingTasks = 0;
    }
    for (const TTaskPtr& task : Snapshot()) {
        if (task->Converting()) task->StopTask();
        // Also waits for end notifications of a Stop still on their way.
        task->WaitStopped();
    }
    for (;;) {
        HANDLE h = nullptr;
        {
            std::lock_guard<std::mutex> lock(FQueueLock);
            if (!FDelivering) break;
            h = FDeliveryThread;
        }
        platform::PumpingWait(h, INFINITE);
    }
    if (FDeliveryThread) {
        WaitForSingleObject(FDeliveryThread, INFINITE);
        CloseHandle(FDeliveryThread);
    }
    // An event still being delivered completes before its lock goes.
    for (std::recursive_mutex* m : {&FHookLock, &FPreviewLock, &FProgressLock, &FTerminateLock}) {
        m->lock();
        m->unlock();
    }
    std::vector<TTaskPtr> tasks;
    {
        std::lock_guard<std::mutex> lock(FListLock);
        tasks.swap(FFFmpegList);
    }
}

bool TCustomDIzizuZUR::AVLibLoaded() const { return FFLoader.Loaded(TranscoderLibraries); }

bool TCustomDIzizuZUR::LoadAVLib(const TPathFileName& APath) {
    if (Designing()) return true;
    FFLoader.SetLibraryPath(APath);
    if (FFLoader.Load(TranscoderLibraries)) return true;
    FLastErrMsg = FFLoader.LastErrMsg();
    return false;
}

void TCustomDIzizuZUR::UnloadAVLib() { FFLoader.Unload(TranscoderLibraries); }

// ---------------------------------------------------------------- task list

void TCustomDIzizuZUR::CheckWorking(const char* AOperation) const {
    if (FWorking) throw EEngineError(FormatText("Cannot %s while working.", AOperation));
}

TCustomDIzizuZUR::TTaskPtr TCustomDIzizuZUR::Task(int AIndex) const {
    std::lock_guard<std::mutex> lock(FListLock);
    if (AIndex < 0 || AIndex >= static_cast<int>(FFFmpegList.size()))
        throw EListError(FormatText("List index out of bounds (%d)", AIndex));
    return FFFmpegList[AIndex];
}

int TCustomDIzizuZUR::IndexOfTask(const TObject* ATask) const {
    std::lock_guard<std::mutex> lock(FListLock);
    for (size_t i = 0; i < FFFmpegList.size(); ++i)
        if (FFFmpegList[i].get() == ATask) return static_cast<int>(i);
    return -1;
}

std::vector<TCustomDIzizuZUR::TTaskPtr> TCustomDIzizuZUR::Snapshot() const {
    std::lock_guard<std::mutex> lock(FListLock);
    return FFFmpegList;
}

int TCustomDIzizuZUR::TasksCount() const {
    std::lock_guard<std::mutex> lock(FListLock);
    return static_cast<int>(FFFmpegList.size());
}

bool TCustomDIzizuZUR::Guarded(const std::function<void()>& AStep) {
    try {
        AStep();
        return true;
    } catch (const EEngineError& e) {
        FLastErrMsg = e.Message();
    } catch (const Exception& e) {
        FLastErrMsg = e.Message();
    }
    return false;
}

int TCustomDIzizuZUR::AddTask(const std::wstring& AFileName, PInputOptions AOptions) {
    CheckWorking("AddTask");
    auto task = std::make_shared<TFFmpeg>(CustomMaxFiles);
    int result = -1;
    Guarded([&] {
        task->InitOptions();
        task->Fverbose = Verbose;
        task->SwitchPostHook(phPreview, FPreview);
        task->SwitchPostHook(phBitmap, FPreviewBitmap);
        task->OnPreviewBitmap = [this](TObject* s, HBITMAP b, int n, int64_t pts) { DoPreviewBitmap(s, b, n, pts); };
        if (AOptions) {
            if (AOptions->FileName.empty()) AOptions->FileName = AFileName;
            task->StoreInputOptions(0, *AOptions);
            task->ApplyInputOptions(*AOptions);
        }
        if (!task->OpenInput(AFileName)) {
            FLastErrMsg = task->LastErrMsg();
            return;
        }
        task->AVProbe(0)->SetFileHandle(task->Finput_files[0]);
        task->OnProgress = [this](TObject* s, int f, int n, int fps, float q, float br, int64_t sz, int64_t cur,
                                  int64_t total) { DoProgress(s, f, n, fps, q, br, sz, cur, total); };
        task->OnTerminate = [this](TObject* s) { DoTerminate(s); };
        std::lock_guard<std::mutex> lock(FListLock);
        FFFmpegList.push_back(task);
        result = static_cast<int>(FFFmpegList.size()) - 1;
    });
    return result;
}

int TCustomDIzizuZUR::AddTask(const std::wstring& AFileName, const std::wstring& AExtOptions) {
    TInputOptions options = InputOptionsFromText(AExtOptions);
    return AddTask(AFileName, &options);
}

int TCustomDIzizuZUR::AddTask(const void* AStream, const std::wstring& APrivateData, PInputOptions AOptions) {
    return AddTask(StreamFileName(AStream, APrivateData), AOptions);
}

bool TCustomDIzizuZUR::AddInputFile(int ATaskIndex, const std::wstring& AFileName, PInputOptions AOptions) {
    CheckWorking("AddInputFile");
    TTaskPtr task = Task(ATaskIndex);
    if (task->nb_input_files() >= task->FMaxFiles) {
        FLastErrMsg = FormatText("max input files %d reached", task->FMaxFiles);
        return false;
    }
    const int slot = task->nb_input_files();
    bool opened = false;
    const bool ok = Guarded([&] {
        if (AOptions) {
            if (AOptions->FileName.empty()) AOptions->FileName = AFileName;
            task->StoreInputOptions(slot, *AOptions);
            task->ApplyInputOptions(*AOptions);
        } else {
            task->ResetInputSlot(slot);
        }
        opened = task->OpenInput(AFileName);
        if (opened) task->AVProbe(slot)->SetFileHandle(task->Finput_files[slot]);
        else FLastErrMsg = task->LastErrMsg();
    });
    if (!ok || !opened) task->ResetInputSlot(slot);
    return ok && opened;
}

bool TCustomDIzizuZUR::AddInputFile(int ATaskIndex, const std::wstring& AFileName, const std::wstring& AExtOptions) {
    TInputOptions options = InputOptionsFromText(AExtOptions);
    return AddInputFile(ATaskIndex, AFileName, &options);
}

bool TCustomDIzizuZUR::SetOutputFile(int ATaskIndex, const std::wstring& AFileName, POutputOptions AOptions) {
    CheckWorking("SetOutputFile");
    TTaskPtr task = Task(ATaskIndex);
    if (task->nb_output_files() >= task->FMaxFiles) {
        FLastErrMsg = FormatText("max output files %d reached", task->FMaxFiles);
        return false;
    }
    const int slot = task->nb_output_files();
    bool created = false;
    const bool ok = Guarded([&] {
        TDefaultOptions defaults;
        bool join = false;
        if (AOptions) {
            if (AOptions->FileName.empty()) AOptions->FileName = AFileName;
            task->StoreOutputOptions(slot, *AOptions);
            defaults = task->ApplyOutputOptions(*AOptions);
            if (AOptions->CustomHook)
                task->OnCustomHook = [this](TObject* s, HBITMAP b, int n, int64_t pts, bool& u, bool& sh) {
                    DoCustomHook(s, b, n, pts, u, sh);
                };
            join = AOptions->Join;
        } else {
            task->ResetOutputSlot(slot);
        }
        created = task->OpenOutput(AFileName, join) >= 0;
        if (!created) {
            FLastErrMsg = task->LastErrMsg();
            return;
        }
        if (AOptions) task->ApplyNewStreamOptions(*AOptions, defaults);
    });
    if (!ok || !created) task->ResetOutputSlot(slot);
    return ok && created;
}

bool TCustomDIzizuZUR::SetOutputFile(int ATaskIndex, const std::wstring& AFileName, const std::wstring& AExtOptions) {
    TOutputOptions options = OutputOptionsFromText(AExtOptions);
    return SetOutputFile(ATaskIndex, AFileName, &options);
}

bool TCustomDIzizuZUR::SetOutputStream(int ATaskIndex, const void* AStream, const std::wstring& APrivateData,
                                       POutputOptions AOptions) {
    return SetOutputFile(ATaskIndex, StreamFileName(AStream, APrivateData), AOptions);
}

void TCustomDIzizuZUR::RemoveTask(int ATaskIndex) {
    CheckWorking("RemoveTask");
    TTaskPtr task = Task(ATaskIndex);
    std::lock_guard<std::mutex> lock(FListLock);
    FFFmpegList.erase(FFFmpegList.begin() + ATaskIndex);
}

void TCustomDIzizuZUR::Exchange(int ATaskIndex1, int ATaskIndex2) {
    CheckWorking("Exchange");
    Task(ATaskIndex1);
    Task(ATaskIndex2);
    std::lock_guard<std::mutex> lock(FListLock);
    std::swap(FFFmpegList[ATaskIndex1], FFFmpegList[ATaskIndex2]);
}

void TCustomDIzizuZUR::ClearTasks() {
    if (FWorking && !FTerminated) throw EEngineError(L"Cannot ClearTasks while working.");
    std::vector<TTaskPtr> tasks;
    {
        std::lock_guard<std::mutex> lock(FListLock);
        tasks.swap(FFFmpegList);
    }
    // Each task waits here until its converting thread has left it; no lock
    // of the component is held meanwhile.
    tasks.clear();
    FLastErrMsg.clear();
    std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
    FCompleteTasks = 0;
    FCurrentTask = -1;
    FPendingTasks = 0;
    FRunningTasks = 0;
    FAllDone = false;
    FTerminated = FThreadMode = FWorking = false;
}

TAVProbe* TCustomDIzizuZUR::GetTaskAVProbe(int ATaskIndex, int AFileIndex) {
    TTaskPtr task = Task(ATaskIndex);
    if (AFileIndex < 0 || AFileIndex >= task->FMaxFiles)
        throw EListError(FormatText("List index out of bounds (%d)", AFileIndex));
    return task->AVProbeIfAny(AFileIndex);
}

// ---------------------------------------------------------------- batch control

void TCustomDIzizuZUR::Start(int AThreadCount) {
    CheckWorking("StartTask");
    {
        std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
        FCompleteTasks = 0;
        FCurrentTask = 0;
        FPendingTasks = TasksCount();
        FRunningTasks = 0;
        FThreadCount = AThreadCount;
        FAllDone = false;
        FTerminated = false;
        FThreadMode = AThreadCount > 0;
        FWorking = true;
    }
    StartNextTasks();
    if (BatchEndDue()) DoAllTasksDone();
}

void TCustomDIzizuZUR::StartNextTasks() {
    for (;;) {
        TTaskPtr task;
        bool skipped = false;
        {
            std::unique_lock<std::recursive_mutex> lock(FTerminateLock);
            if (FPendingTasks <= 0 || (FThreadMode && FRunningTasks >= FThreadCount)) return;
            --FPendingTasks;
            {
                std::lock_guard<std::mutex> listLock(FListLock);
                task = FFFmpegList.at(FCurrentTask++);
            }
            // A task that ended earlier is counted, never started again.
            skipped = task->Terminated() || task->Converting();
            if (skipped) {
                ++FCompleteTasks;
            } else {
                task->Fverbose = Verbose;
                task->ReportInterval = static_cast<int64_t>(FProgressInterval) * 1000;
                task->CodecThreads = SharedCodecThreads();
                if (FThreadMode) {
                    ++FRunningTasks;
                    task->FRunSlot = true;
                    // Started under the lock, so Stop never meets a task half started.
                    if (TConvertThread* thread = task->StartConvert(true, WinPriority(ThreadPriority))) thread->Resume();
                    // No thread and no end notification: the thread could not be made.
                    else if (task->FRunSlot) DoTerminate(task.get());
                    continue;
                }
            }
        }
        if (skipped) {
            if (BatchEndDue()) DoAllTasksDone();
            continue;
        }
        task->StartConvert(false);
    }
}

int TCustomDIzizuZUR::SharedCodecThreads() const {
    const int together = FThreadMode ? std::max(1, std::min(FThreadCount, TasksCount())) : 1;
    if (together == 1) return 0;  // the library's own choice for the whole machine
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return std::max(1, static_cast<int>(info.dwNumberOfProcessors) / together);
}

bool TCustomDIzizuZUR::BatchEndDue() {
    std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
    if (FAllDone || FPendingTasks >= 1 || FCompleteTasks < TasksCount()) return false;
    FAllDone = true;
    return true;
}

void TCustomDIzizuZUR::Pause() {
    for (const TTaskPtr& task : Snapshot()) task->Pause();
}

void TCustomDIzizuZUR::Resume() {
    for (const TTaskPtr& task : Snapshot()) task->Resume();
}

void TCustomDIzizuZUR::Stop(bool AWaitFor) {
    {
        std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
        FPendingTasks = 0;
    }
    for (const TTaskPtr& task : Snapshot()) {
        {
            std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
            task->StopTask();
        }
        if (AWaitFor && FHandOverDepth == 0) task->WaitStopped();
    }
}

void TCustomDIzizuZUR::SetPreview(bool AValue) {
    for (const TTaskPtr& task : Snapshot()) task->SwitchPostHook(phPreview, AValue);
    FPreview = AValue;
}

void TCustomDIzizuZUR::SetPreviewBitmap(bool AValue) {
    for (const TTaskPtr& task : Snapshot()) task->SwitchPostHook(phBitmap, AValue);
    FPreviewBitmap = AValue;
}

// ---------------------------------------------------------------- events

namespace {

// A handler's failure ends its task like any failure of the transcoder.
[[noreturn]] void RaiseAsEngineError() {
    try {
        throw;
    } catch (const EEngineError&) {
        throw;
    } catch (const Exception& e) {
        throw EEngineError(e.Message());
    } catch (const std::exception& e) {
        throw EEngineError(Utf8ToWide(e.what()));
    }
}

}  // namespace

void TCustomDIzizuZUR::HandOver(std::recursive_mutex& ALock, const std::function<void()>& ADelivery) {
    bool ran = false;
    try {
        if (!TriggerEventInMainThread || platform::IsMainThread()) {
            // Handlers on workers run one at a time.
            std::lock_guard<std::recursive_mutex> lock(ALock);
            ran = true;
            ADelivery();
            return;
        }
        platform::CallInMainThread([&] {
            ran = true;
            struct DepthGuard {
                int& depth;
                explicit DepthGuard(int& d) : depth(d) { ++depth; }
                ~DepthGuard() { --depth; }
            } guard(FHandOverDepth);
            ADelivery();
        });
    } catch (const std::exception& e) {
        if (ran) RaiseAsEngineError();
        // No UI thread to hand over to: deliver here rather than lose it.
        GlobalLogger()->Log(this, llWarning, Utf8ToWide(e.what()));
        std::lock_guard<std::recursive_mutex> lock(ALock);
        ADelivery();
    }
}

void TCustomDIzizuZUR::DoProgress(TObject* Sender, int AFileIndex, int AFrameNumber, int AFPS, float AQuality,
                                  float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration,
                                  int64_t ATotalDuration) {
    if (!OnProgress) return;
    TProgressInfo info;
    {
        std::lock_guard<std::recursive_mutex> lock(FProgressLock);
        FProgressInfo = {IndexOfTask(Sender), AFileIndex,   AFrameNumber,     AFPS,         AQuality,
                         ABitRate,            ACurrentSize, ACurrentDuration, ATotalDuration};
        info = FProgressInfo;
    }
    // The worker waits for the UI thread without holding any lock.
    HandOver(FProgressLock, [this, info]() mutable {
        if (TProgressEvent handler = OnProgress) handler(this, &info);
    });
}

void TCustomDIzizuZUR::DoPreviewBitmap(TObject* Sender, HBITMAP ABitmap, int AFrameNumber, int64_t APTS) {
    if (!OnPreviewBitmap) return;
    TPreviewInfo info;
    {
        std::lock_guard<std::recursive_mutex> lock(FPreviewLock);
        FPreviewInfo = {IndexOfTask(Sender), ABitmap, AFrameNumber, APTS};
        info = FPreviewInfo;
    }
    HandOver(FPreviewLock, [this, info] {
        if (TPreviewBitmapEvent handler = OnPreviewBitmap) handler(this, info);
    });
}

void TCustomDIzizuZUR::DoCustomHook(TObject* Sender, HBITMAP ABitmap, int AFrameNumber, int64_t APTS, bool& AUpdate,
                                    bool& AStopHook) {
    if (!OnCustomHook) return;
    std::lock_guard<std::recursive_mutex> lock(FHookLock);
    FHookInfo = {IndexOfTask(Sender), ABitmap, AFrameNumber, APTS, AUpdate, AStopHook};
    THookInfo info = FHookInfo;
    try {
        if (TCustomHookEvent handler = OnCustomHook) handler(this, &info);
    } catch (const std::exception&) {
        RaiseAsEngineError();
    }
    AUpdate = info.Update;
    AStopHook = info.StopHook;
}

void TCustomDIzizuZUR::DoTerminate(TObject* Sender) {
    auto* task = dynamic_cast<TFFmpeg*>(Sender);
    if (task) {
        try {
            task->DetachProbes();
        } catch (const EEngineError& e) {
            GlobalLogger()->Log(this, llError, e.Message());
        }
        TTerminateInfo info;
        {
            std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
            info = {IndexOfTask(task), task->Finished(), task->FatalException(), task->FatalMessage()};
            FTerminateInfo = info;
            if (task->FRunSlot) {
                task->FRunSlot = false;
                --FRunningTasks;
            }
        }
        // Queued (thread mode) before the task is counted, so the final
        // notification is always queued after it.
        if (OnTerminate) DeliverTerminate(info);
        std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
        ++FCompleteTasks;
    }
    if (FThreadMode) StartNextTasks();
    if (BatchEndDue()) DoAllTasksDone();
}

void TCustomDIzizuZUR::DoAllTasksDone() {
    const TTerminateInfo info{-1, true, false, L""};
    {
        std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
        FTerminateInfo = info;
        // In thread mode the handler may clear the list at once.
        if (FThreadMode) FTerminated = true;
    }
    try {
        if (OnTerminate) DeliverTerminate(info);
    } catch (...) {
        std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
        FTerminated = true;  // the batch has ended even when its handler failed
        throw;
    }
    std::lock_guard<std::recursive_mutex> lock(FTerminateLock);
    FTerminated = true;
}

void TCustomDIzizuZUR::DeliverTerminate(const TTerminateInfo& AInfo) {
    if (!FThreadMode) {
        if (TTerminateEvent handler = OnTerminate) handler(this, AInfo);
        return;
    }
    std::lock_guard<std::mutex> lock(FQueueLock);
    FTerminateQueue.push_back(AInfo);
    if (FDelivering) return;
    if (FDeliveryThread) {
        // It has left the queue for good and is returning.
        WaitForSingleObject(FDeliveryThread, INFINITE);
        CloseHandle(FDeliveryThread);
    }
    FDeliveryThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &DeliveryThreadProc, this, 0, nullptr));
    FDelivering = FDeliveryThread != nullptr;
    if (!FDelivering) GlobalLogger()->Log(this, llError, L"Cannot create the notification thread");
}

unsigned __stdcall TCustomDIzizuZUR::DeliveryThreadProc(void* ASelf) {
    static_cast<TCustomDIzizuZUR*>(ASelf)->TerminateQueueLoop();
    return 0;
}

void TCustomDIzizuZUR::TerminateQueueLoop() {
    for (;;) {
        TTerminateInfo info;
        {
            std::lock_guard<std::mutex> lock(FQueueLock);
            if (FTerminateQueue.empty()) {
                FDelivering = false;
                return;
            }
            info = FTerminateQueue.front();
            FTerminateQueue.pop_front();
        }
        try {
            if (TTerminateEvent handler = OnTerminate) handler(this, info);
        } catch (...) {
            // A failing handler must not end the deliveries still queued.
            GlobalLogger()->Log(this, llError, CurrentExceptionText());
        }
    }
}
