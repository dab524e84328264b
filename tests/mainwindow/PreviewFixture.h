#pragma once
// The main window shown with its preview player ready: the player's
// libraries loaded from the staged folder with SDL's dummy sound driver,
// test clips made once per process, a snapshot folder of the test's own,
// and waits that serve the window's messages and the player's hand-overs
// until a condition holds or a deadline passes.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "Src/FFPlay.h"
#include "Src/FFmpegLoader.h"
#include "Src/MyUtils.h"
#include "platform/MainThread.h"
#include "platform/StdCtrls.h"
#include "tools/testmedia/TestMedia.h"

namespace mainwindowtest {

struct PreviewClips {
    std::wstring Folder;
    std::wstring Clip;       // "clip.mp4": 5 s 320x240 colour bars at 25 fps with sound
    std::wstring Long;       // 600 s 320x240 at one picture a second, every picture a key picture
    std::wstring Subtitled;  // 2 s bars, sound and a text subtitle stream (MKV)
    std::wstring TwoAudio;   // 2 s bars and two sound streams (MKV)
    std::string Error;
};

inline const PreviewClips& Clips() {
    static const PreviewClips clips = [] {
        PreviewClips c;
        c.Folder = testmedia::ScratchFolder(L"vantrel-preview");
        c.Error = testmedia::LoadTranscoderLibraries();
        auto make = [&](std::wstring& field, const wchar_t* name, testmedia::ClipSpec spec) {
            field = c.Folder + name;
            spec.FileName = field;
            spec.Video.Width = 320;
            spec.Video.Height = 240;
            if (c.Error.empty()) c.Error = testmedia::MakeClip(spec);
        };
        testmedia::ClipSpec clip;
        clip.Seconds = 5;
        clip.Audio = {testmedia::AudioSpec{}};
        make(c.Clip, L"clip.mp4", clip);
        testmedia::ClipSpec longClip;
        longClip.Seconds = 600;
        longClip.Video.Rate = {1, 1};
        longClip.Video.Gop = 1;
        make(c.Long, L"long.mp4", longClip);
        testmedia::ClipSpec subtitled;
        subtitled.Seconds = 2;
        subtitled.Audio = {testmedia::AudioSpec{}};
        subtitled.SubtitleLanguage = "eng";
        make(c.Subtitled, L"subtitled.mkv", subtitled);
        testmedia::ClipSpec two;
        two.Seconds = 2;
        two.Audio = {testmedia::AudioSpec{"libmp3lame"}, testmedia::AudioSpec{"aac", 44100, 2, nullptr, 880}};
        make(c.TwoAudio, L"two-audio.mkv", two);
        return c;
    }();
    return clips;
}

class PreviewTest : public MainWindowTest {
protected:
    static void SetUpTestSuite() {
        // No sound device on the test machines: SDL plays into its dummy driver.
        SetEnvironmentVariableW(L"SDL_AUDIODRIVER", L"dummy");
    }
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(Clips().Error.empty()) << Clips().Error;
        FFLoader.SetLibraryPath(std::wstring(VANTREL_DIST_WIN) + L"\\LibAV");
        ASSERT_TRUE(FFLoader.Load(PlayerLibraries)) << WideToUtf8(FFLoader.LastErrMsg());
        snapshots_ = folder_ + L"snapshots";
        StartWindows();
        Form1->Show();
        Serve();
    }
    void TearDown() override {
        if (Form1) Form1->ZADovovi->Stop(true);
        testmedia::RemoveFolder(snapshots_ + L"\\");
        MainWindowTest::TearDown();
    }

public:
    // Serves the window's messages and the player's hand-overs once.
    static void Serve() {
        Application->ProcessMessages();
        platform::CheckSynchronize();
    }
    // Serves until the condition holds or the time runs out; every event of
    // the player arrives as a message, which wakes the wait.
    template <class Cond>
    static bool Until(Cond cond, DWORD timeoutMs = 10000) {
        const DWORD start = GetTickCount();
        for (;;) {
            Serve();
            if (cond()) return true;
            const DWORD spent = GetTickCount() - start;
            if (spent >= timeoutMs) return false;
            MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs - spent, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }

    // What the queue's row selection does: the file, then the open command.
    void Preview(const std::wstring& file) {
        Form1->T_Movie_PLayer_FileName = file;
        Form1->Button31->Click();
    }
    // Opens the file and waits until its first picture waits, paused.
    void PreviewPaused(const std::wstring& file) {
        Preview(file);
        ASSERT_TRUE(Until([] { return Form1->ZADovovi->PlayState() == psPause; })) << LogText();
        ASSERT_TRUE(Until([] { return Form1->ZADovovi->CurrentFrame()->Width() > 0; }));
    }

    // The log memo's lines.
    static std::vector<String> LogLines() {
        std::vector<String> lines;
        for (int i = 0; i < Form1->mmoLog->LineCount(); ++i) lines.push_back(Form1->mmoLog->Line(i));
        return lines;
    }
    static int LogCount(const String& line) {
        const auto lines = LogLines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    static std::string LogText() {
        std::string text;
        for (const String& l : LogLines()) text += WideToUtf8(l) + "\n";
        return text;
    }
    static double LabelSeconds(TLabel* label) { return std::stod(label->Caption()); }

protected:
    String snapshots_;
};

}  // namespace mainwindowtest
