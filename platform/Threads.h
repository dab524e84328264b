#pragma once
// TThread: a worker thread running Execute, with hand-over of work to the UI
// thread (Synchronize waits for it, Queue does not).
//
// Threads: the creating thread calls Start, Terminate, WaitFor and the
// destructor; Execute runs on the new thread; OnTerminate runs on the UI
// thread after Execute. A class deriving from TThread must make Execute end
// (Terminate + WaitFor) in its own destructor when Execute uses its members.

#include <windows.h>

#include <atomic>
#include <exception>

#include "platform/Classes.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
public:
    // A suspended thread waits for Start.
    explicit TThread(bool createSuspended);
    // Terminates and waits for the thread when it still runs.
    ~TThread() override;

    void Start();
    void Resume() { Start(); }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    bool Finished() const { return finished_; }
    // Waits for the end of the thread (on the UI thread in a pumping wait,
    // so that the thread's Synchronize calls still run); returns ReturnValue.
    // A thread never started ends without running Execute.
    int WaitFor();

    // Frees the object when the thread ends (then nobody else may).
    bool FreeOnTerminate = false;
    TNotifyEvent OnTerminate;
    TThreadPriority Priority() const { return priority_; }
    void SetPriority(TThreadPriority p);
    HANDLE Handle() const { return handle_; }
    DWORD ThreadID() const { return id_; }
    int ReturnValue = 0;
    // The exception that ended Execute, if any.
    std::exception_ptr FatalException() const { return fatal_; }

    // Runs method on the UI thread and waits for it (at once when called on
    // the UI thread). Exceptions of method reach the caller.
    static void Synchronize(const std::function<void()>& method);
    // Runs method on the UI thread later; never waits.
    static void Queue(std::function<void()> method);

protected:
    virtual void Execute() = 0;
    virtual void DoTerminate();

private:
    static unsigned __stdcall ThreadProc(void* self);

    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    bool started_ = false;
    std::atomic<bool> skipExecute_{false};
    TThreadPriority priority_ = tpNormal;
    std::exception_ptr fatal_;
};
