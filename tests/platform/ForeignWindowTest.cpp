// A window of another process that carries the control property (another
// copy of the program) must never be taken for one of ours: its property
// value is an address in the other process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Controls.h"

namespace {

constexpr wchar_t kChildFlag[] = L"VANTREL_FOREIGN_WINDOW_CHILD";
constexpr wchar_t kReady[] = L"VantrelForeignWindowReady";
constexpr wchar_t kQuit[] = L"VantrelForeignWindowQuit";
constexpr wchar_t kClass[] = L"VantrelForeignWindow";

// In the child copy: makes a window with a bogus control property, says it
// is ready and waits to be told to quit. Runs before main.
void RunChildIfAsked() {
    wchar_t flag[4];
    if (GetEnvironmentVariableW(kChildFlag, flag, 4) == 0) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    HWND wnd = CreateWindowExW(0, kClass, L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                               wc.hInstance, nullptr);
    SetPropW(wnd, L"VantrelControl", reinterpret_cast<HANDLE>(0x1234));
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, kReady);
    HANDLE quit = OpenEventW(SYNCHRONIZE, FALSE, kQuit);
    if (ready) SetEvent(ready);
    if (quit) WaitForSingleObject(quit, 20000);
    ExitProcess(0);
}
const bool childRan = (RunChildIfAsked(), true);

TEST(ForeignWindow, IsNotTakenForAControl) {
    ASSERT_TRUE(childRan);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, kReady);
    HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, kQuit);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SetEnvironmentVariableW(kChildFlag, L"1");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + std::wstring(self) + L"\"";
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    SetEnvironmentVariableW(kChildFlag, nullptr);
    ASSERT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0);

    HWND foreign = FindWindowW(kClass, nullptr);
    ASSERT_NE(foreign, nullptr);
    ASSERT_EQ(GetPropW(foreign, L"VantrelControl"), reinterpret_cast<HANDLE>(0x1234));
    EXPECT_EQ(TWinControl::FromHandle(foreign), nullptr);
    EXPECT_EQ(TWinControl::FindControl(foreign), nullptr);

    SetEvent(quit);
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(ready);
    CloseHandle(quit);
}

}  // namespace
