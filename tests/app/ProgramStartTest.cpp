// Starts the staged Vantrel.exe, finds its main window by caption, closes it
// and expects a clean exit.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/MainWindowSearch.h"

namespace {

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

HWND WaitForMainWindow(DWORD pid, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HWND found = testsupport::FindMainWindow(pid)) return found;
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
