#pragma once
// The logger: one process-wide component that receives the media libraries'
// log output (assembled into whole lines per thread) and the engine's own
// messages, filters them by level and hands each line to OnLog.
//
// Threads: Log and the library callback run on any thread. With
// TriggerEventInMainThread (the default) OnLog runs on the main thread while
// the caller waits, so the main thread must keep serving hand-overs whenever
// it waits for an engine thread. LogLevel, OnLog and TriggerEventInMainThread
// are set on the main thread.
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "Src/FFBaseComponent.h"

enum TLogLevel { llQuiet, llPanic, llFatal, llError, llWarning, llInfo, llVerbose, llDebug };

// The library level of a log level (ordinal * 8 - 8) and back.
int LogLevelToLib(TLogLevel ALevel);
TLogLevel LibToLogLevel(int ALibLevel);

using TLogEvent =
    std::function<void(TObject* Sender, uint32_t AThreadID, TLogLevel ALogLevel, const std::wstring& ALogMsg)>;

class TFFLogger : public TFFBaseComponent {
public:
    // Becomes the process-wide logger; a second one while the first exists
    // throws EAssertionFailed ("Allow creating only one instance of TFFLogger.").
    explicit TFFLogger(TComponent* AOwner = nullptr);
    ~TFFLogger() override;

    TLogLevel LogLevel() const { return FLogLevel; }
    void SetLogLevel(TLogLevel ALevel);
    // A level name (quiet .. debug, any case) or a library level number;
    // anything else throws std::invalid_argument.
    void OptLogLevel(const std::wstring& AArg);

    bool TriggerEventInMainThread = true;
    void SetOnLog(TLogEvent AHandler);

    void Log(TObject* Sender, TLogLevel ALogLevel, const std::wstring& ALogMsg);
    void Log(TObject* Sender, TLogLevel ALogLevel, const char* AFormat, ...)
        __attribute__((format(gnu_printf, 4, 5)));

    // Installs the library callback in avutil and sends the level to it.
    // Throws EAssertionFailed when avutil is not bound.
    void InstallAVLogCallback();

    // Hands a finished library line to OnLog (no level test: the callback
    // filtered already).
    void DeliverLibraryLine(uint32_t AThreadID, TLogLevel ALevel, const std::wstring& ALine);

private:
    friend TFFLogger* GlobalLogger();
    struct FallbackTag {};
    explicit TFFLogger(FallbackTag);
    void SendLevelToLibrary();
    void Dispatch(TObject* Sender, uint32_t AThreadID, TLogLevel ALevel, const std::wstring& AMsg);

    TLogLevel FLogLevel;
    std::mutex FHandlerLock;  // guards FOnLog
    TLogEvent FOnLog;
};

// The process-wide logger: the one the application created, else a logger
// without owner that the logger unit creates at start-up.
TFFLogger* GlobalLogger();

// The library level last sent to avutil (32 at start). The callback drops
// library calls above it.
int LibraryLogLevelMirror();

// The last error line (library level error or worse) the libraries logged on
// the calling thread since ClearLastLibraryError, whatever the log level; ""
// when none. Lets a failed call report the library's own reason.
void ClearLastLibraryError();
std::wstring LastLibraryError();

// The callback avutil calls (exposed so that tests can drive it directly).
extern "C" void FFLoggerLibraryCallback(void* AContext, int ALevel, const char* AFormat, va_list AArgs);
