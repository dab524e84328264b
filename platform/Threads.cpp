#include "platform/Threads.h"

#include <process.h>

#include "platform/MainThread.h"

namespace {

int SystemPriority(TThreadPriority p) {
    static const int map[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_BELOW_NORMAL,
                              THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL,
                              THREAD_PRIORITY_HIGHEST,      THREAD_PRIORITY_TIME_CRITICAL};
    return map[p];
}

}  // namespace

TThread::TThread(bool createSuspended) {
    unsigned id = 0;
    handle_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &id));
    if (!handle_) throw EThread(L"Thread creation error: " + IntToStr(errno));
    id_ = id;
    if (!createSuspended) Start();
}

TThread::~TThread() {
    if (!handle_) return;
    if (!started_) {
        // Let the thread end without running Execute of a class that is gone.
        skipExecute_ = true;
        Start();
    }
    if (!finished_ && GetCurrentThreadId() != id_) {
        Terminate();
        WaitFor();
    }
    CloseHandle(handle_);
}

void TThread::Start() {
    if (started_) return;
    started_ = true;
    ResumeThread(handle_);
}

void TThread::SetPriority(TThreadPriority p) {
    if (SetThreadPriority(handle_, SystemPriority(p))) priority_ = p;
}

int TThread::WaitFor() {
    if (GetCurrentThreadId() == id_) throw EThread(L"A thread cannot wait for itself");
    if (!started_) {
        // Nothing was asked to run: let the thread end without Execute.
        skipExecute_ = true;
        Start();
    }
    if (platform::IsMainThread()) platform::PumpingWait(handle_, INFINITE);
    else WaitForSingleObject(handle_, INFINITE);
    return ReturnValue;
}

void TThread::Synchronize(const std::function<void()>& method) { platform::CallInMainThread(method); }

void TThread::Queue(std::function<void()> method) { platform::QueueInMainThread(std::move(method)); }

void TThread::DoTerminate() {
    if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

unsigned __stdcall TThread::ThreadProc(void* p) {
    auto* self = static_cast<TThread*>(p);
    if (self->skipExecute_) {
        self->finished_ = true;
        return 0;
    }
    try {
        self->Execute();
    } catch (...) {
        self->fatal_ = std::current_exception();
    }
    const bool freeSelf = self->FreeOnTerminate;
    try {
        self->DoTerminate();
    } catch (...) {
        // No UI thread to tell, or its handler failed: the thread still ends.
        if (!self->fatal_) self->fatal_ = std::current_exception();
    }
    const auto result = static_cast<unsigned>(self->ReturnValue);
    self->finished_ = true;
    if (freeSelf) delete self;
    return result;
}
