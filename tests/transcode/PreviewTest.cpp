// Post hooks: the preview window fed from the converting thread, the
// OnPreviewBitmap event paced by the preview interval, and switching the
// preview off from the UI thread while a task runs.
#include <gmock/gmock.h>

#include "TranscodeFixture.h"
#include "platform/MainThread.h"

using ::testing::MatchesRegex;

namespace {

class Preview : public TranscodeFixture {
protected:
    void SetUp() override {
        TranscodeFixture::SetUp();
        platform::InitMainThread();
    }
    // Starts the task on its thread and serves the UI hand-overs until it ends.
    void RunServingUi(TCustomFFmpeg& AT, bool APaused = false, const std::function<void()>& AWhileRunning = {}) {
        HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        TConvertThread* thread = AT.StartConvert(true);
        ASSERT_NE(thread, nullptr);
        if (APaused) AT.Pause();
        thread->Resume();
        bool done = false;
        for (int i = 0; i < 3000 && AT.Converting(); ++i) {
            if (AWhileRunning && !done && i == 5) {
                AWhileRunning();
                done = true;
            }
            platform::PumpingWait(never, 10);
            if (OnPump) OnPump();
        }
        platform::CheckSynchronize();
        CloseHandle(never);
        ASSERT_FALSE(AT.Converting());
        AT.Stop(true);
    }
    std::function<void()> OnPump;  // runs on the UI thread between hand-overs
    TOptionList Output() const { return {{L"vcodec", L"mpeg4"}, {L"s", L"160x120"}, {L"an", L"1"}}; }
};

TEST_F(Preview, WindowShowsFramesAndTheirTime) {
    TCustomFFmpeg t(4);
    std::wstring error;
    ASSERT_TRUE(Configure(t, media().Mp4, {}, folder + L"preview.avi", Output(), error)) << U8(error);
    t.PreviewInterval = 0;
    t.SetPostHooks(1u << phPreview);
    std::vector<std::wstring> captions;
    RECT client = {};
    OnPump = [&] {
        HWND window = FindWindowW(L"VantrelPreviewWindow", nullptr);
        if (!window) return;
        wchar_t caption[64] = {};
        GetWindowTextW(window, caption, 64);
        if (captions.empty() || captions.back() != caption) captions.push_back(caption);
        GetClientRect(window, &client);
    };
    RunServingUi(t);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    ASSERT_GE(captions.size(), 2u);  // the caption follows the pictures
    for (const std::wstring& c : captions) EXPECT_THAT(U8(c), MatchesRegex("00:00:0\\d\\.\\d\\d\\d"));
    EXPECT_EQ(client.right, 160);
    EXPECT_EQ(client.bottom, 120);
    EXPECT_EQ(FindWindowW(L"VantrelPreviewWindow", nullptr), nullptr);  // gone with the task
}

TEST_F(Preview, BitmapEventIsPacedByTheInterval) {
    TCustomFFmpeg t(4);
    const int64_t clock = 1000000;
    std::wstring error;
    ASSERT_TRUE(Configure(t, media().Mp4, {}, folder + L"paced.avi", Output(), error)) << U8(error);
    t.Clock = [&clock] { return clock; };  // a stopped clock: only the first picture is due
    int shown = 0;
    t.OnPreviewBitmap = [&](TObject*, HBITMAP ABitmap, int, int64_t) {
        BITMAP info = {};
        GetObjectW(ABitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 160);
        ++shown;
    };
    t.SetPostHooks(1u << phBitmap);
    t.StartConvert(false);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_EQ(shown, 1);
}

TEST_F(Preview, SwitchingOffWhileRunningDoesNotHang) {
    TCustomFFmpeg t(4);
    std::wstring error;
    ASSERT_TRUE(Configure(t, media().Mp4, {}, folder + L"toggle.avi", Output(), error)) << U8(error);
    t.PreviewInterval = 0;
    t.SetPostHooks(1u << phPreview);
    // Paused at the start, so the switch is made while the task runs.
    RunServingUi(t, true, [&] {
        t.SetPostHooks(0);
        t.Resume();
    });
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_EQ(t.Previewer(), nullptr);
}

}  // namespace
