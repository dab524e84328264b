#pragma once
// A watchdog for tests that could dead-lock the UI thread.
#include <windows.h>

#include <cstdio>
#include <thread>

// Ends the whole test program with a message when the test has not finished
// in time: a dead-locked UI thread cannot fail the test by itself.
class Watchdog {
public:
    Watchdog(DWORD ATimeoutMs, const char* AWhat) : FWhat(AWhat) {
        FDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        FThread = std::thread([this, ATimeoutMs] {
            if (WaitForSingleObject(FDone, ATimeoutMs) == WAIT_OBJECT_0) return;
            std::fprintf(stderr, "watchdog: %s\n", FWhat);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        });
    }
    ~Watchdog() {
        SetEvent(FDone);
        FThread.join();
        CloseHandle(FDone);
    }

private:
    const char* FWhat;
    HANDLE FDone;
    std::thread FThread;
};
