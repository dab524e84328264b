#pragma once
// General routines of the media engine: text conversions, file size,
// application folder, splitting, size and date texts, the message pump,
// the hand-over to the main thread, and the library loading and binding
// steps the loader is built from.
//
// Threads: everything here may run on any thread; ProcessOneMessage and
// ProcessMessages work on the calling thread's queue.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

// The common base of the engine's exceptions; its message is UTF-16.
class EEngineError : public std::exception {
public:
    explicit EEngineError(std::wstring AMessage);
    const std::wstring& Message() const { return FMessage; }
    const char* what() const noexcept override { return FWhat.c_str(); }

private:
    std::wstring FMessage;
    std::string FWhat;  // UTF-8 copy for what()
};

// A broken precondition of the engine (a programming error).
class EAssertionFailed : public EEngineError {
public:
    using EEngineError::EEngineError;
};

// Throws EAssertionFailed with "AMessage (AUnit)" when ACondition is false.
void EngineAssert(bool ACondition, const wchar_t* AUnit, const std::wstring& AMessage);

// The text of the exception being handled; call only inside a catch block.
// Engine and class-library errors give their message, standard exceptions
// their what() text, anything else "Unknown exception".
std::wstring CurrentExceptionText();

// Text conversions. UTF-8 is used only at the media-library boundary.
std::wstring Utf8ToWide(const std::string& AText);
std::string WideToUtf8(const std::wstring& AText);
std::wstring AnsiToWide(const std::string& AText);
std::string WideToAnsi(const std::wstring& AText);
bool IsValidUtf8(const std::string& AText);
// printf-style formatting into UTF-16; string arguments are UTF-8 (%s).
std::wstring FormatText(const char* AFormat, ...) __attribute__((format(gnu_printf, 1, 2)));
// The platform's text for an error code, without the trailing line break.
std::wstring SysErrorMessage(DWORD ACode);

int64_t FileSizeByName(const std::wstring& AFileName);
std::wstring GetApplicationFileName();
std::wstring GetApplicationPath();
void SplitAtFirst(std::wstring& AText, const std::wstring& ADelimiter, bool ARemove, std::wstring& AHead);
std::wstring FormatFileSize(int64_t ASize);
// Days since 1899-12-30 with the time of day as fraction, local time.
double UnixToLocalDateTime(int64_t AUnixSeconds);
// Formats with the tokens yyyy, mm, dd, hh, nn, ss; other characters are kept.
std::wstring DateTimeText(const std::wstring& AFormat, double ADateTime);

// Takes one message off the calling thread's queue and dispatches it.
// A quit message is left in the queue for the thread's own message loop and
// the result is false, so pumping stops there.
bool ProcessOneMessage(MSG& AMsg);
void ProcessMessages();
// Runs AMethod on the main thread and waits for it; runs it directly there.
void CallInMainThread(const std::function<void()>& AMethod);

// Loads AFileName from AFolder (made absolute) with the altered search path
// so that its dependencies come from the same folder, adding the folder to
// PATH once; without the folder or the file there, loads the bare name.
// The current directory is never changed. 0 on failure, with the code.
HMODULE LoadLibraryFromFolder(const std::wstring& AFolder, const std::wstring& AFileName, DWORD& AErrorCode);

// Looks an export up; a missing required one throws EEngineError with
// "Load function %s@%s error: %s" (or "Load variable ..." for data).
void* BindAddress(const std::wstring& ALibName, HMODULE AHandle, const char* AName, bool AOptional, bool AVariable);

template <class T>
void BindFunction(const std::wstring& ALibName, HMODULE AHandle, const char* AName, bool AOptional, T& AVar) {
    AVar = reinterpret_cast<T>(BindAddress(ALibName, AHandle, AName, AOptional, false));
}

template <class T>
void BindVariable(const std::wstring& ALibName, HMODULE AHandle, const char* AName, bool AOptional, T*& AVar) {
    AVar = static_cast<T*>(BindAddress(ALibName, AHandle, AName, AOptional, true));
}
