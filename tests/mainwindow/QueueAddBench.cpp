// Benchmark (not a test): adding a folder of 200 one-second clips to the
// queue through "添加整个目录", each probed and checked by the encoder.
#include <windows.h>

#include <cstdio>

#include "Src/DIzizuZUR.h"
#include "app/StartUp.h"
#include "app/OptionIni.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "platform/ListView.h"
#include "platform/MainThread.h"
#include "platform/SysUtils.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "skin/shell/bsSkinDialogBase.h"
#include "skin/shell/bsSkinFolderDialog.h"
#include "tests/mainwindow/BenchApplication.h"
#include "tools/testmedia/TestMedia.h"

int main() {
    constexpr int kFiles = 200;
    TApplication app;
    if (!mainwindowbench::StartApplication()) return 1;
    const std::wstring folder = testmedia::ScratchFolder(L"vantrel-queue-bench");
    const std::wstring clips = folder + L"clips\\", outputs = folder + L"out";
    CreateDirectoryW(clips.c_str(), nullptr);
    CreateDirectoryW(outputs.c_str(), nullptr);
    optionini::SetFolder(folder);
    testmedia::ClipSpec spec;
    spec.FileName = folder + L"one.mp4";
    spec.Video.Width = 176;
    spec.Video.Height = 144;
    spec.Audio.push_back(testmedia::AudioSpec{});
    const std::string made = testmedia::MakeClip(spec);
    if (!made.empty()) {
        std::printf("cannot make the clip: %s\n", made.c_str());
        return 1;
    }
    for (int i = 0; i < kFiles; ++i)
        CopyFileW(spec.FileName.c_str(), (clips + L"clip" + std::to_wstring(i) + L".mp4").c_str(), FALSE);

    CreateProgramForms();
    Form1->Video_OutPut_Folder_Edit->SetText(outputs);
    Form1->FileOutPutPath = outputs;
    Form1->bsSkinSelectDirectoryDialog1->Directory = clips;
    DialogFormShownHook() = [](TForm* f) { f->ModalResult = mrOk; };
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t0);
    Form1->N21->Click();
    QueryPerformanceCounter(&t1);
    const int rows = Form1->lvFiles->Items()->Count();
    std::printf("add a folder of %d clips: %d rows in %.2f s\n", kFiles, rows,
                static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(frequency.QuadPart));
    DialogFormShownHook() = nullptr;
    Form1->btnClearClick(nullptr);
    FreeProgramForms();
    for (int i = 0; i < kFiles; ++i) DeleteFileW((clips + L"clip" + std::to_wstring(i) + L".mp4").c_str());
    RemoveDirectoryW(clips.c_str());
    RemoveDirectoryW(outputs.c_str());
    DeleteFileW(spec.FileName.c_str());
    DeleteFileW((folder + L"option.ini").c_str());
    RemoveDirectoryW(folder.c_str());
    return rows == kFiles ? 0 : 1;
}
