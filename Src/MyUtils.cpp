#include "Src/MyUtils.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "platform/MainThread.h"
#include "platform/SysUtils.h"

EEngineError::EEngineError(std::wstring AMessage) : FMessage(std::move(AMessage)), FWhat(WideToUtf8(FMessage)) {}

std::wstring CurrentExceptionText() {
    try {
        throw;
    } catch (const EEngineError& e) {
        return e.Message();
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return Utf8ToWide(e.what());
    } catch (...) {
        return L"Unknown exception";
    }
}

void EngineAssert(bool ACondition, const wchar_t* AUnit, const std::wstring& AMessage) {
    if (!ACondition) throw EAssertionFailed(AMessage + L" (" + AUnit + L")");
}

namespace {

std::wstring ToWide(UINT ACodePage, const std::string& AText, DWORD AFlags) {
    if (AText.empty()) return {};
    const int n = MultiByteToWideChar(ACodePage, AFlags, AText.data(), static_cast<int>(AText.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(n, L'\0');
    MultiByteToWideChar(ACodePage, AFlags, AText.data(), static_cast<int>(AText.size()), out.data(), n);
    return out;
}

std::string FromWide(UINT ACodePage, const std::wstring& AText) {
    if (AText.empty()) return {};
    const int n = WideCharToMultiByte(ACodePage, 0, AText.data(), static_cast<int>(AText.size()), nullptr, 0, nullptr,
                                      nullptr);
    if (n <= 0) return {};
    std::string out(n, '\0');
    WideCharToMultiByte(ACodePage, 0, AText.data(), static_cast<int>(AText.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// Civil date of a day count since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

std::wstring DecimalSeparator() {
    wchar_t sep[8] = L".";
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8) <= 0) return L".";
    return sep;
}

std::wstring FormatFixed2(double AValue, const wchar_t* AUnit) {
    std::wstring text = FormatText("%.2f", AValue);
    const auto dot = text.find(L'.');
    if (dot != std::wstring::npos) text.replace(dot, 1, DecimalSeparator());
    return text + L" " + AUnit;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& AText) { return ToWide(CP_UTF8, AText, 0); }
std::string WideToUtf8(const std::wstring& AText) { return FromWide(CP_UTF8, AText); }
std::wstring AnsiToWide(const std::string& AText) { return ToWide(CP_ACP, AText, 0); }
std::string WideToAnsi(const std::wstring& AText) { return FromWide(CP_ACP, AText); }

bool IsValidUtf8(const std::string& AText) {
    return AText.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, AText.data(),
                                                static_cast<int>(AText.size()), nullptr, 0) > 0;
}

std::wstring FormatText(const char* AFormat, ...) {
    char small[512];
    va_list args;
    va_start(args, AFormat);
    const int n = std::vsnprintf(small, sizeof small, AFormat, args);
    va_end(args);
    if (n < 0) return {};
    if (static_cast<size_t>(n) < sizeof small) return Utf8ToWide(std::string(small, n));
    std::vector<char> big(n + 1);
    va_start(args, AFormat);
    std::vsnprintf(big.data(), big.size(), AFormat, args);
    va_end(args);
    return Utf8ToWide(std::string(big.data(), n));
}

std::wstring SysErrorMessage(DWORD ACode) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, ACode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n && buffer ? std::wstring(buffer, n) : FormatText("System error %lu", ACode);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    return text;
}

int64_t FileSizeByName(const std::wstring& AFileName) {
    wchar_t full[MAX_PATH * 4];
    const DWORD n = GetFullPathNameW(AFileName.c_str(), MAX_PATH * 4, full, nullptr);
    if (n == 0 || n >= MAX_PATH * 4) return -1;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(full, GetFileExInfoStandard, &data)) return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring GetApplicationFileName() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n < name.size()) {
            name.resize(n);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

std::wstring GetApplicationPath() {
    std::wstring name = GetApplicationFileName();
    const auto slash = name.find_last_of(L"\\/:");
    return slash == std::wstring::npos ? std::wstring() : name.substr(0, slash + 1);
}

void SplitAtFirst(std::wstring& AText, const std::wstring& ADelimiter, bool ARemove, std::wstring& AHead) {
    const auto at = AText.find(ADelimiter);
    if (at == std::wstring::npos) {
        AHead = AText;
        if (ARemove) AText.clear();
        return;
    }
    AHead = AText.substr(0, at);
    if (ARemove) AText.erase(0, at + ADelimiter.size());
}

std::wstring FormatFileSize(int64_t ASize) {
    if (ASize <= 1024) return FormatText("%lld Byte", static_cast<long long>(ASize));
    if (ASize <= 1048576) return FormatFixed2(ASize / 1024.0, L"KB");
    if (ASize <= 1073741824) return FormatFixed2(ASize / 1048576.0, L"MB");
    return FormatFixed2(ASize / 1073741824.0, L"GB");
}

double UnixToLocalDateTime(int64_t AUnixSeconds) {
    TIME_ZONE_INFORMATION tz;
    const DWORD r = GetTimeZoneInformation(&tz);
    const double bias = r == TIME_ZONE_ID_INVALID ? 0.0 : tz.Bias;
    return AUnixSeconds / 86400.0 + 25569.0 - bias / 1440.0;
}

std::wstring DateTimeText(const std::wstring& AFormat, double ADateTime) {
    // Round to the millisecond first so that 12:00:00 does not show as 11:59:59.
    const int64_t ms = static_cast<int64_t>(std::llround((ADateTime - 25569.0) * 86400000.0));
    int64_t days = ms / 86400000;
    int64_t rest = ms % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --days;
    }
    int y, m, d;
    CivilFromDays(days, y, m, d);
    const int hh = static_cast<int>(rest / 3600000), nn = static_cast<int>(rest / 60000 % 60),
              ss = static_cast<int>(rest / 1000 % 60);
    struct Token {
        const wchar_t* text;
        int value;
        int width;
    };
    const Token tokens[] = {{L"yyyy", y, 4}, {L"mm", m, 2}, {L"dd", d, 2}, {L"hh", hh, 2}, {L"nn", nn, 2}, {L"ss", ss, 2}};
    std::wstring out;
    for (size_t i = 0; i < AFormat.size();) {
        bool matched = false;
        for (const Token& t : tokens) {
            const size_t len = wcslen(t.text);
            if (AFormat.compare(i, len, t.text) == 0) {
                out += FormatText("%0*d", t.width, t.value);
                i += len;
                matched = true;
                break;
            }
        }
        if (!matched) out += AFormat[i++];
    }
    return out;
}

bool ProcessOneMessage(MSG& AMsg) {
    if (!PeekMessageW(&AMsg, nullptr, 0, 0, PM_NOREMOVE)) return false;
    if (AMsg.message == WM_QUIT) return false;  // stays queued for the message loop
    const bool wide = AMsg.hwnd == nullptr || IsWindowUnicode(AMsg.hwnd);
    if (wide ? !PeekMessageW(&AMsg, nullptr, 0, 0, PM_REMOVE) : !PeekMessageA(&AMsg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (AMsg.message == WM_QUIT) {
        // Another quit arrived between the two looks: put it back.
        PostQuitMessage(static_cast<int>(AMsg.wParam));
        return false;
    }
    TranslateMessage(&AMsg);
    if (wide)
        DispatchMessageW(&AMsg);
    else
        DispatchMessageA(&AMsg);
    return true;
}

void ProcessMessages() {
    MSG msg;
    while (ProcessOneMessage(msg)) {
    }
}

void CallInMainThread(const std::function<void()>& AMethod) { platform::CallInMainThread(AMethod); }

HMODULE LoadLibraryFromFolder(const std::wstring& AFolder, const std::wstring& AFileName, DWORD& AErrorCode) {
    AErrorCode = 0;
    HMODULE handle = nullptr;
    std::wstring folder;
    if (!AFolder.empty()) {
        wchar_t full[MAX_PATH * 4];
        const DWORD n = GetFullPathNameW(AFolder.c_str(), MAX_PATH * 4, full, nullptr);
        folder = n && n < MAX_PATH * 4 ? full : AFolder;
        if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    }
    const std::wstring path = folder + AFileName;
    if (!folder.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        const DWORD need = GetEnvironmentVariableW(L"PATH", nullptr, 0);
        std::wstring old(need, L'\0');
        old.resize(GetEnvironmentVariableW(L"PATH", old.data(), need));
        std::wstring lowerPath = old, lowerFolder = folder;
        CharLowerBuffW(lowerPath.data(), static_cast<DWORD>(lowerPath.size()));
        CharLowerBuffW(lowerFolder.data(), static_cast<DWORD>(lowerFolder.size()));
        if (lowerPath.find(lowerFolder) == std::wstring::npos)
            SetEnvironmentVariableW(L"PATH", (folder + L";" + old).c_str());
        handle = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    } else {
        handle = LoadLibraryW(AFileName.c_str());
    }
    if (!handle) AErrorCode = GetLastError();
    return handle;
}

void* BindAddress(const std::wstring& ALibName, HMODULE AHandle, const char* AName, bool AOptional, bool AVariable) {
    void* address = reinterpret_cast<void*>(GetProcAddress(AHandle, AName));
    if (!address && !AOptional) {
        const DWORD code = GetLastError();
        throw EEngineError(FormatText(AVariable ? "Load variable %s@%s error: %s" : "Load function %s@%s error: %s",
                                      AName, WideToUtf8(ALibName).c_str(), WideToUtf8(SysErrorMessage(code)).c_str()));
    }
    return address;
}
