// Benchmark (not a test), run by scripts/bench:
//   1. start-up: from starting Vantrel.exe to its main window being shown,
//      over several runs (the first one also loads the libraries from disk);
//   2. a skin switch of the whole shown main window: the store's switch and
//      the repaint of every control, through the eight skins, with the other
//      three windows of the start-up alive.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/OptionIni.h"
#include "app/StartUp.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "platform/SysUtils.h"
#include "skin/bsSkinData.h"
#include "tests/support/MainWindowSearch.h"

namespace {

constexpr const wchar_t* kCaption = testsupport::kMainCaption;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds from CreateProcess to a visible main window; negative when
// the window did not show within 30 s.
double StartToWindowShown() {
    const std::wstring dir = VANTREL_DIST_WIN;
    const std::wstring exe = dir + L"\\Vantrel.exe";
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const auto t0 = std::chrono::steady_clock::now();
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return -1;
    double ms = -1;
    for (;;) {
        const HWND found = testsupport::FindMainWindow(pi.dwProcessId);
        const double elapsed =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        if (found) {
            ms = elapsed;
            PostMessageW(found, WM_CLOSE, 0, 0);
            break;
        }
        if (elapsed > 30000) break;
        Sleep(2);
    }
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}

// Milliseconds of one switch of the shown main window to the skin, with
// the repaint of the window and every control in it.
double SwitchShownWindow(int skin) {
    const auto t0 = std::chrono::steady_clock::now();
    Form1->bsSkinData1->SetSkinIndex(skin);
    RedrawWindow(Form1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main() {
    std::vector<double> starts;
    for (int run = 0; run < 6; ++run) {
        const double ms = StartToWindowShown();
        if (ms < 0) {
            std::printf("start-up run %d: the main window did not show\n", run + 1);
            return 1;
        }
        std::printf("start-up run %d: %.0f ms\n", run + 1, ms);
        if (run > 0) starts.push_back(ms);
    }
    std::printf("start of Vantrel.exe to the main window shown: median %.0f ms (runs 2-6)\n", Median(starts));

    // The start-up's four windows, with settings in a folder of their own.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const String settings = String(temp) + L"vantrel_mainwindow_bench\\";
    ForceDirectories(settings);
    optionini::SetFolder(settings);
    {
        TApplication app;
        Application->Initialize();
        Application->SetTitle(kCaption);
        CreateProgramForms();
        Form1->Show();
        Application->ProcessMessages();
        for (int skin : {0, 2, 3, 4, 5, 6, 7, 1}) SwitchShownWindow(skin);  // every skin inflated once
        std::vector<double> switches;
        for (int round = 0; round < 3; ++round)
            for (int skin : {0, 2, 3, 4, 5, 6, 7, 1}) switches.push_back(SwitchShownWindow(skin));
        std::printf("skin switch of the shown main window: median %.1f ms, slowest %.1f ms (%zu switches)\n",
                    Median(switches), *std::max_element(switches.begin(), switches.end()), switches.size());
        Form1->Hide();
        FreeProgramForms();
        Application->ProcessMessages();
    }
    DeleteFileW(optionini::FileName().c_str());
    RemoveDirectoryW(settings.c_str());
    return 0;
}
