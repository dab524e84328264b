#include "ChildProcess.h"

#include <algorithm>

#include "tools/testmedia/TestMedia.h"

namespace {
std::wstring ReadPath() {
    const DWORD need = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(need, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), need));
    return path;
}
const std::wstring TheStartUpPath = ReadPath();

struct Handle {
    HANDLE h = nullptr;
    ~Handle() {
        if (h) CloseHandle(h);
    }
};
}  // namespace

const std::wstring& StartUpPath() { return TheStartUpPath; }

std::wstring EnvValue(const wchar_t* AName) {
    wchar_t buffer[4096];
    const DWORD n = GetEnvironmentVariableW(AName, buffer, 4096);
    return n && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

ChildResult RunSelf(const std::wstring& AFilter, const std::vector<std::wstring>& AEnv) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring cmd = L"\"" + std::wstring(self) + L"\" --gtest_brief=1 --gtest_filter=" + AFilter;

    std::wstring block;
    wchar_t* env = GetEnvironmentStringsW();
    for (wchar_t* p = env; *p; p += wcslen(p) + 1)
        if (_wcsnicmp(p, L"PATH=", 5) != 0) block += std::wstring(p) + L'\0';
    FreeEnvironmentStringsW(env);
    block += L"PATH=" + TheStartUpPath + L'\0';
    for (const auto& e : AEnv) block += e + L'\0';
    block += L'\0';

    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    Handle readEnd, writeEnd;
    CreatePipe(&readEnd.h, &writeEnd.h, &sa, 0);
    SetHandleInformation(readEnd.h, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd.h;
    si.hStdError = writeEnd.h;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    ChildResult result;
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr,
                        &si, &pi)) {
        result.ExitCode = 0xFFFFFFFF;
        result.Output = "CreateProcess failed";
        return result;
    }
    CloseHandle(writeEnd.h);
    writeEnd.h = nullptr;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd.h, buffer, sizeof buffer, &got, nullptr) && got) result.Output.append(buffer, got);
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &result.ExitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return result;
}

TempLibraryFolder::TempLibraryFolder(const std::wstring& ASource, const std::vector<std::wstring>& AOmit) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"vantrel-lib-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(rand()) + L"\\";
    FPath = dir;
    CreateDirectoryW(dir.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((ASource + L"\\*.dll").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const bool omit = std::any_of(AOmit.begin(), AOmit.end(),
                                      [&](const std::wstring& o) { return _wcsicmp(o.c_str(), fd.cFileName) == 0; });
        if (!omit) CopyFileW((ASource + L"\\" + fd.cFileName).c_str(), (dir + fd.cFileName).c_str(), FALSE);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
}

TempLibraryFolder::~TempLibraryFolder() { testmedia::RemoveFolder(FPath); }
