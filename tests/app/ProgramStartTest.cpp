// Starts the staged Vantrel.exe, finds its main window by caption, closes it
// and expects a clean exit.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr wchar_t kCaption[] = L"VantrelH264视频格式转换器";

struct Process {
    PROCESS_INFORMATION pi{};
    ~Process() {
        if (pi.hProcess) {
            if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
};

struct FindData {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMain(HWND wnd, LPARAM lp) {
    auto* data = reinterpret_cast<FindData*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    wchar_t caption[128] = {};
    GetWindowTextW(wnd, caption, 128);
    if (pid == data->pid && wcscmp(caption, kCaption) == 0 && IsWindowVisible(wnd)) {
        data->found = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(DWORD pid, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        FindData data{pid, nullptr};
        EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&data));
        if (data.found) return data.found;
        Sleep(50);
    }
    return nullptr;
}

}  // namespace

TEST(ProgramStart, MainWindowOpensWithCaptionAndClosesCleanly) {
    std::wstring dir = VANTREL_DIST_WIN;
    std::wstring exe = dir + L"\\Vantrel.exe";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    Process p;
    std::wstring cmd = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               dir.c_str(), &si, &p.pi))
        << "CreateProcess failed: " << GetLastError();

    HWND main = WaitForMainWindow(p.pi.dwProcessId, 20000);
    ASSERT_NE(main, nullptr) << "no visible window captioned with the application title";

    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(p.pi.hProcess, 10000), WAIT_OBJECT_0) << "process did not end after WM_CLOSE";
    DWORD code = 12345;
    GetExitCodeProcess(p.pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
}
