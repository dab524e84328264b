#include "Src/FFmpegLogger.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "Src/AVUtilStubs.h"
#include "Src/MyUtils.h"
#include "platform/MainThread.h"

namespace {

std::atomic<int> LevelMirror{32};
std::atomic<TFFLogger*> AppLogger{nullptr};

// Pending (not yet line-ended) library text of every thread that logged.
// Each thread touches only its own item; the map itself changes under Lock.
class TLogList {
public:
    std::wstring& PendingOf(uint32_t AThreadID) {
        std::lock_guard<std::mutex> guard(FLock);
        auto& item = FItems[AThreadID];
        if (!item) item = std::make_unique<std::wstring>();
        return *item;
    }
    void Clear() {
        std::lock_guard<std::mutex> guard(FLock);
        FItems.clear();
    }
    ~TLogList() {
        // The libraries stay loaded until the process ends; stop them from
        // calling into a list that is gone.
        if (ff::av_log_set_callback && ff::av_log_default_callback)
            ff::av_log_set_callback(ff::av_log_default_callback);
    }

private:
    std::mutex FLock;
    std::unordered_map<uint32_t, std::unique_ptr<std::wstring>> FItems;
};

TLogList& LogList() {
    static TLogList list;
    return list;
}

// Both are created during start-up, before any library is loaded.
[[maybe_unused]] TLogList& TheLogList = LogList();
[[maybe_unused]] TFFLogger* const TheStartUpLogger = GlobalLogger();

// Library text is UTF-8 in this generation; anything else is kept byte for
// character.
std::wstring LibraryText(const char* AText, size_t ALength) {
    const std::string bytes(AText, ALength);
    if (IsValidUtf8(bytes)) return Utf8ToWide(bytes);
    std::wstring out(bytes.size(), L'\0');
    std::transform(bytes.begin(), bytes.end(), out.begin(), [](char c) { return wchar_t(static_cast<unsigned char>(c)); });
    return out;
}

// "[name @ address]" of a library context, or nothing.
int FormatContextPrefix(void* AContext, char* ABuffer, size_t ASize) {
    const AVClass* cls = *static_cast<const AVClass* const*>(AContext);
    const char* name = cls ? (cls->item_name ? cls->item_name(AContext) : cls->class_name) : nullptr;
    const int n = std::snprintf(ABuffer, ASize, "[%s @ %0*" PRIXPTR "]", name ? name : "NULL",
                                static_cast<int>(sizeof(void*) * 2), reinterpret_cast<uintptr_t>(AContext));
    return std::clamp(n, 0, static_cast<int>(ASize) - 1);
}

// Per thread: the last error line of the libraries, whatever the log level
// lets through, and the part of the next one received so far. A locked map
// rather than thread-local storage, which library worker threads would have
// to tear down as they end (and which could then block the process's exit).
struct TErrorLines {
    std::string Last, Pending;
};

std::mutex ErrorLinesLock;

std::unordered_map<uint32_t, TErrorLines>& ErrorLines() {
    static auto* lines = new std::unordered_map<uint32_t, TErrorLines>;  // outlives every thread
    return *lines;
}

void NoteErrorText(int ALevel, const char* AFormat, va_list AArgs) {
    if (ALevel > AV_LOG_ERROR || !AFormat) return;
    char buffer[1024] = {};
    va_list args;
    va_copy(args, AArgs);
    std::vsnprintf(buffer, sizeof buffer, AFormat, args);
    va_end(args);
    std::lock_guard<std::mutex> lock(ErrorLinesLock);
    TErrorLines& lines = ErrorLines()[GetCurrentThreadId()];
    lines.Pending += buffer;
    const size_t end = lines.Pending.find('\n');
    if (end == std::string::npos) return;
    lines.Last = lines.Pending.substr(0, end);
    lines.Pending.clear();
}

}  // namespace

void ClearLastLibraryError() {
    std::lock_guard<std::mutex> lock(ErrorLinesLock);
    ErrorLines().erase(GetCurrentThreadId());
}

std::wstring LastLibraryError() {
    std::string last;
    {
        std::lock_guard<std::mutex> lock(ErrorLinesLock);
        const auto it = ErrorLines().find(GetCurrentThreadId());
        if (it != ErrorLines().end()) last = it->second.Last;
    }
    return LibraryText(last.data(), last.size());
}

extern "C" void FFLoggerLibraryCallback(void* AContext, int ALevel, const char* AFormat, va_list AArgs) {
    try {
        NoteErrorText(ALevel, AFormat, AArgs);
        if (ALevel > LevelMirror.load(std::memory_order_relaxed)) return;
        const uint32_t thread = GetCurrentThreadId();
        std::wstring& pending = TheLogList.PendingOf(thread);
        char buffer[2048] = {};
        int prefix = AContext && pending.empty() ? FormatContextPrefix(AContext, buffer, sizeof buffer) : 0;
        va_list args;
        va_copy(args, AArgs);
        const int n = std::vsnprintf(buffer + prefix, sizeof buffer - prefix, AFormat ? AFormat : "", args);
        va_end(args);
        if (n < 0) return;
        if (static_cast<size_t>(prefix + n) < sizeof buffer) {
            pending += LibraryText(buffer, prefix + n);
        } else {  // too long for the buffer: format the whole message
            std::vector<char> big(prefix + n + 1);
            std::copy(buffer, buffer + prefix, big.begin());
            va_copy(args, AArgs);
            std::vsnprintf(big.data() + prefix, n + 1, AFormat, args);
            va_end(args);
            pending += LibraryText(big.data(), prefix + n);
        }
        const TLogLevel level = LibToLogLevel(ALevel);
        while (pending.find(L'\n') != std::wstring::npos) {
            std::wstring line;
            SplitAtFirst(pending, L"\n", true, line);
            GlobalLogger()->DeliverLibraryLine(thread, level, line);
        }
    } catch (...) {
        // Nothing may unwind into the library; the line is lost.
        OutputDebugStringW(L"Vantrel: a library log line could not be delivered\n");
    }
}

int LogLevelToLib(TLogLevel ALevel) { return static_cast<int>(ALevel) * 8 - 8; }

TLogLevel LibToLogLevel(int ALibLevel) {
    return static_cast<TLogLevel>(std::clamp(ALibLevel / 8 + 1, 0, static_cast<int>(llDebug)));
}

int LibraryLogLevelMirror() { return LevelMirror.load(); }

TFFLogger* GlobalLogger() {
    if (TFFLogger* app = AppLogger.load()) return app;
    static TFFLogger fallback{TFFLogger::FallbackTag{}};
    return &fallback;
}

TFFLogger::TFFLogger(FallbackTag) : FLogLevel(LibToLogLevel(LevelMirror.load())) {}

TFFLogger::TFFLogger(TComponent* AOwner) : TFFBaseComponent(AOwner), FLogLevel(LibToLogLevel(LevelMirror.load())) {
    TFFLogger* expected = nullptr;
    if (!AppLogger.compare_exchange_strong(expected, this))
        throw EAssertionFailed(L"Allow creating only one instance of TFFLogger. (FFmpegLogger)");
}

TFFLogger::~TFFLogger() {
    TFFLogger* self = this;
    AppLogger.compare_exchange_strong(self, nullptr);
}

void TFFLogger::SendLevelToLibrary() {
    if (!ff::av_log_set_level) return;
    LevelMirror.store(LogLevelToLib(FLogLevel));
    ff::av_log_set_level(LogLevelToLib(FLogLevel));
}

void TFFLogger::SetLogLevel(TLogLevel ALevel) {
    if (ALevel == FLogLevel) return;
    FLogLevel = ALevel;
    SendLevelToLibrary();
}

void TFFLogger::OptLogLevel(const std::wstring& AArg) {
    static const struct {
        const wchar_t* name;
        int level;
    } names[] = {{L"quiet", -8}, {L"panic", 0},    {L"fatal", 8},    {L"error", 16},
                 {L"warning", 24}, {L"info", 32}, {L"verbose", 40}, {L"debug", 48}};
    for (const auto& n : names)
        if (_wcsicmp(AArg.c_str(), n.name) == 0) return SetLogLevel(LibToLogLevel(n.level));
    size_t used = 0;
    const int level = std::stoi(AArg, &used);  // throws std::invalid_argument
    if (used != AArg.size()) throw std::invalid_argument("not an integer: " + WideToUtf8(AArg));
    SetLogLevel(LibToLogLevel(level));
}

void TFFLogger::SetOnLog(TLogEvent AHandler) {
    std::lock_guard<std::mutex> guard(FHandlerLock);
    FOnLog = std::move(AHandler);
}

void TFFLogger::Log(TObject* Sender, TLogLevel ALogLevel, const std::wstring& ALogMsg) {
    const bool passes = ALogLevel <= FLogLevel || (ALogLevel == llVerbose && FLogLevel != llQuiet);
    if (passes) Dispatch(Sender, GetCurrentThreadId(), ALogLevel, ALogMsg);
}

void TFFLogger::Log(TObject* Sender, TLogLevel ALogLevel, const char* AFormat, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, AFormat);
    const int n = std::vsnprintf(buffer, sizeof buffer, AFormat, args);
    va_end(args);
    std::string text(buffer, std::clamp(n, 0, static_cast<int>(sizeof buffer) - 1));
    if (n >= static_cast<int>(sizeof buffer)) {
        std::vector<char> big(n + 1);
        va_start(args, AFormat);
        std::vsnprintf(big.data(), big.size(), AFormat, args);
        va_end(args);
        text.assign(big.data(), n);
    }
    Log(Sender, ALogLevel, Utf8ToWide(text));
}

void TFFLogger::InstallAVLogCallback() {
    EngineAssert(ff::av_log_set_callback && ff::av_log_set_level, L"FFmpegLogger", L"avutil is not loaded");
    ff::av_log_set_callback(&FFLoggerLibraryCallback);
    SendLevelToLibrary();
}

void TFFLogger::DeliverLibraryLine(uint32_t AThreadID, TLogLevel ALevel, const std::wstring& ALine) {
    Dispatch(this, AThreadID, ALevel, ALine);
}

void TFFLogger::Dispatch(TObject* Sender, uint32_t AThreadID, TLogLevel ALevel, const std::wstring& AMsg) {
    {
        std::lock_guard<std::mutex> guard(FHandlerLock);
        if (!FOnLog) return;
    }
    auto call = [this, Sender, AThreadID, ALevel, &AMsg] {
        TLogEvent handler;
        {
            std::lock_guard<std::mutex> guard(FHandlerLock);
            handler = FOnLog;  // may have been detached meanwhile
        }
        if (handler) handler(Sender, AThreadID, ALevel, AMsg);
    };
    if (TriggerEventInMainThread)
        platform::CallInMainThread(call);
    else
        call();
}
