#pragma once
// The main window with media: the transcoder's libraries loaded, a scratch
// folder of short clips made at test time, an output folder, the skinned
// dialogs answered from a timer, notices recorded, the end actions counted,
// and waits that keep the UI thread serving the encoder's hand-overs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "QueueInput.h"
#include "Src/AVProbe.h"
#include "platform/MainThread.h"
#include "platform/StringList.h"
#include "skin/boxes/bsMessages.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/shell/bsSkinDialogBase.h"
#include "skin/shell/bsSkinFolderDialog.h"
#include "skin/shell/bsSkinOpenDialog.h"
#include "tests/dialogs/DialogDriver.h"
#include "tools/testmedia/TestMedia.h"

namespace mainwindowtest {

class QueueTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        platform::InitMainThread();
        libraries_ = testmedia::LoadTranscoderLibraries();
        media_ = testmedia::ScratchFolder(L"vantrel-queue-" + std::to_wstring(counter_));
        outputs_ = media_ + L"out";
        CreateDirectoryW(outputs_.c_str(), nullptr);
        MessageFormShownHook() = [this](TbsMessageForm* f) {
            notices_.push_back(f->Message->Caption());
            noticeCaptions_.push_back(f->Caption());
            f->ModalResult = mrOk;
        };
    }
    void TearDown() override {
        DialogFormShownHook() = nullptr;
        MessageFormShownHook() = nullptr;
        MainWindowTest::TearDown();
        RemoveTree(media_);
    }

    // The windows of the program's start-up, the queue's folder and the
    // end actions recorded instead of run.
    void Start() {
        ASSERT_TRUE(libraries_.empty()) << libraries_;
        StartWindows();
        RecordQueueEffects();
    }
    // The queue's output folder; end actions and message boxes recorded
    // instead of run or shown.
    void RecordQueueEffects() {
        Form1->Video_OutPut_Folder_Edit->SetText(outputs_);
        Form1->FileOutPutPath = outputs_;
        Form1->EndActionSink = [this](TForm1::TEndAction a) { endActions_.push_back(a); };
        Form1->ShowMessageBox = [this](const String& text, const String& caption, UINT flags) {
            warnings_.push_back(text);
            warningCaptions_.push_back(caption);
            warningFlags_.push_back(flags);
            return IDOK;
        };
    }

    // A clip in the scratch folder; an empty name on failure (reported).
    std::wstring Clip(const std::wstring& name, double seconds = 1.0, int width = 176, int height = 144) {
        testmedia::ClipSpec spec;
        spec.FileName = media_ + name;
        spec.Seconds = seconds;
        spec.Video.Width = width;
        spec.Video.Height = height;
        spec.Audio.push_back(testmedia::AudioSpec{});
        const std::string error = testmedia::MakeClip(spec);
        EXPECT_TRUE(error.empty()) << error;
        return error.empty() ? spec.FileName : std::wstring();
    }
    std::wstring TextFile(const std::wstring& name) {
        testmedia::WriteBytes(media_ + name, "not a media file at all\n");
        return media_ + name;
    }

    // Adds files through "添加多个文件": the skinned open dialog opens in
    // their folder, the files are selected in its list and Open is clicked.
    void AddSeveral(const std::vector<std::wstring>& files) {
        Form1->OpenDialog2->SetFileName(media_ + L"start");
        DialogFormShownHook() = [files](TForm* form) {
            auto* f = dynamic_cast<TbsOpenDlgForm*>(form);
            if (!f) {
                form->ModalResult = mrCancel;
                return;
            }
            dialogstest::RunSteps(f, {[f, files] {
                                          for (int i = 0; i < f->FileListView->FolderCount(); ++i)
                                              for (const std::wstring& file : files)
                                                  if (SameText(f->FileListView->FolderAtIndex(i)->DisplayName(),
                                                               ExtractFileName(file)))
                                                      f->FileListView->Items()->Item(i)->SetSelected(true);
                                      },
                                      [f] { dialogstest::PostClick(f->OpenButton->Handle(), 5, 5); },
                                      [f] { f->ModalResult = mrCancel; }});
        };
        Form1->Item121->Click();
        DialogFormShownHook() = nullptr;
    }
    // Adds one file through "添加一个文件": its path typed into the dialog.
    void AddOne(const std::wstring& file) { AddOneThroughOpenDialog(file); }
    // Adds a folder through "添加整个目录": the folder set in the dialog's tree
    // and OK clicked.
    void AddFolder(const std::wstring& folder) {
        DialogFormShownHook() = [folder](TForm* form) {
            auto* d = dynamic_cast<TbsSelDirDlgForm*>(form);
            if (!d) {
                form->ModalResult = mrCancel;
                return;
            }
            dialogstest::RunSteps(d, {[d, folder] { d->DirTreeView->SetPath(folder); },
                                      [d] { dialogstest::PostClick(d->OkButton->Handle(), 5, 5); },
                                      [d] { d->ModalResult = mrCancel; }});
        };
        Form1->N21->Click();
        DialogFormShownHook() = nullptr;
    }

    // Serves messages and the encoder's hand-overs until done() or the
    // deadline; the result is done().
    static bool WaitUntil(const std::function<bool()>& done, DWORD ms = 60000) {
        HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < ms) platform::PumpingWait(never, 20);
        CloseHandle(never);
        return done();
    }

    int Rows() const { return Form1->lvFiles->Items()->Count(); }
    TListItem* Row(int i) const { return Form1->lvFiles->Items()->Item(i); }
    int LogLinesStartingWith(const std::wstring& prefix) {
        int n = 0;
        for (int i = 0; i < Form1->mmoLog->LineCount(); ++i)
            if (Form1->mmoLog->Line(i).rfind(prefix, 0) == 0) ++n;
        return n;
    }
    // The options dialog's end action: 1 folder, 2 shut down, 4 sound, 5 nothing.
    static void ChooseEndAction(int box) {
        TbsSkinCheckRadioBox* boxes[] = {nullptr, Form5->bsSkinCheckRadioBox1, Form5->bsSkinCheckRadioBox2, nullptr,
                                         Form5->bsSkinCheckRadioBox4, Form5->bsSkinCheckRadioBox5};
        boxes[box]->SetChecked(true);
    }
    static void ChooseThreads(int n) { Form5->bsSkinComboBox2->SetItemIndex(n - 1); }

    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((folder + L"*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(folder + name + L"\\");
                else DeleteFileW((folder + name).c_str());
            } while (FindNextFileW(h, &found));
            FindClose(h);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::string libraries_;
    std::wstring media_;    // with a trailing backslash
    std::wstring outputs_;  // without
    std::vector<String> notices_, noticeCaptions_, warnings_, warningCaptions_;
    std::vector<UINT> warningFlags_;
    std::vector<TForm1::TEndAction> endActions_;
};

}  // namespace mainwindowtest
