#pragma once
// Hand-over of work from any thread to the UI (main) thread.
//
// The UI thread is the thread that called InitMainThread (at start-up, or at
// the start of a test). Calls from other threads are queued and run on the UI
// thread when it next serves messages or waits in PumpingWait.
//
// Threads:
//   InitMainThread, DoneMainThread, CheckSynchronize, PumpingWait: UI thread only.
//   CallInMainThread, QueueInMainThread, IsMainThread: any thread.
//
// Rule for callers: never call CallInMainThread while holding a lock that the
// UI thread may take, and never block the UI thread on a worker except
// through PumpingWait (which keeps serving these hand-overs).

#include <windows.h>

#include <functional>

namespace platform {

// Makes the calling thread the UI thread and creates the hidden window that
// wakes it for queued work. Calling it again from the same thread is harmless.
void InitMainThread();
// Runs what is still queued and destroys the hidden window.
void DoneMainThread();

bool IsMainThread();

// Runs fn on the UI thread and waits for it; on the UI thread itself fn runs
// at once. An exception thrown by fn is rethrown in the caller.
// Throws std::logic_error when InitMainThread was never called.
void CallInMainThread(const std::function<void()>& fn);

// Runs fn on the UI thread later, in the order of queueing; never waits.
void QueueInMainThread(std::function<void()> fn);

// Runs every queued call; returns true when at least one ran. UI thread only.
bool CheckSynchronize();

// Waits for a handle while serving queued calls and the message queue in
// 20 ms slices. Returns WAIT_OBJECT_0 or WAIT_TIMEOUT (timeout INFINITE
// waits for ever). Also usable from another thread, where it only waits.
DWORD PumpingWait(HANDLE handle, DWORD timeoutMs);

// How PumpingWait hands on the messages it takes from the queue (the
// application routes them like its own message loop); nullptr restores plain
// TranslateMessage + DispatchMessage. UI thread only.
void SetMessageDispatcher(std::function<void(MSG&)> dispatcher);

}  // namespace platform
