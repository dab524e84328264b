// Post hooks: the preview window fed from the converting thread (closing and
// dragging it, two tasks with a window each, an inline task beside a threaded
// one), the OnPreviewBitmap event paced by the preview interval, and
// switching the preview off from the UI thread while a task runs.
#include <gmock/gmock.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

#include "TranscodeFixture.h"
#include "tests/support/Watchdog.h"
#include "platform/MainThread.h"

using ::testing::MatchesRegex;

namespace {

const wchar_t* const kPreviewClass = L"VantrelPreviewWindow";

// The preview windows of this process, visible or hidden.
std::vector<HWND> PreviewWindows() {
    std::vector<HWND> windows;
    for (HWND w = FindWindowExW(nullptr, nullptr, kPreviewClass, nullptr); w;
         w = FindWindowExW(nullptr, w, kPreviewClass, nullptr))
        windows.push_back(w);
    return windows;
}

std::wstring Caption(HWND AWindow) {
    wchar_t caption[64] = {};
    GetWindowTextW(AWindow, caption, 64);
    return caption;
}

// Serves the UI thread until the condition holds; false after the timeout.
bool PumpUntil(const std::function<bool()>& ACondition, DWORD ATimeoutMs = 30000) {
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const DWORD start = GetTickCount();
    bool met = ACondition();
    while (!met && GetTickCount() - start < ATimeoutMs) {
        platform::PumpingWait(never, 5);
        met = ACondition();
    }
    CloseHandle(never);
    return met;
}


// What the close button of the caption sends.
void ClickClose(HWND AWindow) { SendMessageW(AWindow, WM_SYSCOMMAND, SC_CLOSE, 0); }

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
    TOptionList Output(const wchar_t* ASize = L"160x120") const {
        return {{L"vcodec", L"mpeg4"}, {L"s", ASize}, {L"an", L"1"}};
    }
    // A video-only task showing every encoded picture in its window.
    ::testing::AssertionResult ConfigurePreview(TCustomFFmpeg& AT, const std::wstring& AOutput,
                                                const TOptionList& AInputOptions = {},
                                                const wchar_t* ASize = L"160x120") {
        std::wstring error;
        if (!Configure(AT, media().Mp4, AInputOptions, folder + AOutput, Output(ASize), error))
            return ::testing::AssertionFailure() << U8(error);
        AT.PreviewInterval = 0;
        AT.SetPostHooks(1u << phPreview);
        return ::testing::AssertionSuccess();
    }
};

TEST_F(Preview, WindowShowsFramesAndTheirTime) {
    TCustomFFmpeg t(4);
    ASSERT_TRUE(ConfigurePreview(t, L"preview.avi"));
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
    ASSERT_TRUE(ConfigurePreview(t, L"toggle.avi"));
    // Paused at the start, so the switch is made while the task runs.
    RunServingUi(t, true, [&] {
        t.SetPostHooks(0);
        t.Resume();
    });
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    EXPECT_EQ(t.Previewer(), nullptr);
}

TEST_F(Preview, ClosingTheWindowRemovesItForTheRestOfTheTask) {
    TCustomFFmpeg t(4);
    ASSERT_TRUE(ConfigurePreview(t, L"closed.avi"));
    std::atomic<int> lastFrames{0};
    t.OnProgress = [&](TObject*, int, int AFrameNumber, int, float, float, int64_t, int64_t, int64_t) {
        lastFrames = AFrameNumber;
    };
    HWND closed = nullptr;
    bool hiddenAtOnce = false, goneWhileConverting = false, another = false;
    OnPump = [&] {
        const std::vector<HWND> windows = PreviewWindows();
        if (!closed) {
            if (windows.empty()) return;
            closed = windows[0];
            ClickClose(closed);
            hiddenAtOnce = !IsWindowVisible(closed);
            return;
        }
        for (HWND w : windows) another = another || w != closed;
        if (!IsWindow(closed) && t.Converting()) goneWhileConverting = true;
    };
    RunServingUi(t);
    ASSERT_FALSE(t.FatalException()) << U8(t.FatalMessage());
    ASSERT_NE(closed, nullptr) << "no preview window appeared";
    EXPECT_TRUE(hiddenAtOnce);
    EXPECT_TRUE(goneWhileConverting);  // at the next picture, not at the end
    EXPECT_FALSE(another);             // it does not come back
    EXPECT_TRUE(t.Finished());         // the conversion went on to the end
    EXPECT_EQ(lastFrames, 125);        // 5 s at 25 frames per second
    EXPECT_TRUE(PreviewWindows().empty());
}

// A conversion run inline on the UI thread waits for its turn at the post
// hooks while a threaded task holds them and waits for the UI thread to paint.
TEST_F(Preview, AnInlineConversionBesideAThreadedOneBothWithPreviewsFinishes) {
    const Watchdog watchdog(60000, "an inline conversion with a preview beside a threaded one hung");
    TCustomFFmpeg threaded(4), inlined(4);
    ASSERT_TRUE(ConfigurePreview(threaded, L"threaded.avi", {{L"re", L"1"}}));  // runs for the source's 5 s
    ASSERT_TRUE(ConfigurePreview(inlined, L"inline.avi", {}, L"176x144"));
    TConvertThread* thread = threaded.StartConvert(true);
    ASSERT_NE(thread, nullptr);
    thread->Resume();
    ASSERT_TRUE(PumpUntil([] { return PreviewWindows().size() == 1; }));
    inlined.StartConvert(false);
    EXPECT_FALSE(inlined.FatalException()) << U8(inlined.FatalMessage());
    EXPECT_TRUE(inlined.Finished());
    EXPECT_TRUE(threaded.Converting());
    threaded.Stop(true);
    EXPECT_FALSE(threaded.FatalException()) << U8(threaded.FatalMessage());
    EXPECT_TRUE(PreviewWindows().empty());
}

// Two tasks converting side by side each get their own window; whichever
// ends first, the other window keeps working: it still shows pictures and
// still closes, and nothing is left after both.
class TwoPreviews : public Preview, public ::testing::WithParamInterface<bool> {};

TEST_P(TwoPreviews, EachTaskHasItsOwnWindowWhicheverEndsFirst) {
    const bool firstOpenedEndsFirst = GetParam();
    TCustomFFmpeg a(4), b(4);
    // Rate emulation keeps both running for the whole source length.
    ASSERT_TRUE(ConfigurePreview(a, L"a.avi", {{L"re", L"1"}}, L"160x120"));
    ASSERT_TRUE(ConfigurePreview(b, L"b.avi", {{L"re", L"1"}}, L"176x144"));
    TConvertThread* ta = a.StartConvert(true);
    ASSERT_NE(ta, nullptr);
    ta->Resume();
    ASSERT_TRUE(PumpUntil([] { return PreviewWindows().size() == 1; }));
    const HWND wa = PreviewWindows()[0];
    TConvertThread* tb = b.StartConvert(true);
    ASSERT_NE(tb, nullptr);
    tb->Resume();
    ASSERT_TRUE(PumpUntil([] { return PreviewWindows().size() == 2; }));
    HWND wb = nullptr;
    for (HWND w : PreviewWindows())
        if (w != wa) wb = w;
    RECT ra = {}, rb = {};
    GetClientRect(wa, &ra);
    GetClientRect(wb, &rb);
    EXPECT_EQ(ra.right, 160);  // each window shows its own task's pictures
    EXPECT_EQ(rb.right, 176);

    TCustomFFmpeg& first = firstOpenedEndsFirst ? a : b;
    TCustomFFmpeg& second = firstOpenedEndsFirst ? b : a;
    const HWND firstWindow = firstOpenedEndsFirst ? wa : wb;
    const HWND survivor = firstOpenedEndsFirst ? wb : wa;
    first.Stop(true);
    EXPECT_FALSE(IsWindow(firstWindow));
    ASSERT_TRUE(second.Converting()) << "the second task ended too early for the test";
    const std::wstring caption = Caption(survivor);
    EXPECT_TRUE(PumpUntil([&] { return Caption(survivor) != caption; })) << "the other window stopped showing pictures";
    ClickClose(survivor);
    EXPECT_FALSE(IsWindowVisible(survivor));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(survivor); })) << "the closed window stayed";
    EXPECT_TRUE(second.Converting());
    second.Stop(true);
    EXPECT_FALSE(first.FatalException()) << U8(first.FatalMessage());
    EXPECT_FALSE(second.FatalException()) << U8(second.FatalMessage());
    EXPECT_TRUE(PreviewWindows().empty());
}

INSTANTIATE_TEST_SUITE_P(EndingOrder, TwoPreviews, ::testing::Bool(), [](const auto& AInfo) {
    return std::string(AInfo.param ? "FirstOpenedEndsFirst" : "LastOpenedEndsFirst");
});

// A picture of the given size in one colour.
HBITMAP SolidBitmap(int AWidth, int AHeight, COLORREF AColor) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, AWidth, AHeight);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(AColor);
    const RECT r = {0, 0, AWidth, AHeight};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// Mouse input as the user's hand makes it, in screen pixels.
void MouseAt(POINT APoint, DWORD AFlags = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(APoint.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(APoint.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | AFlags;
    SendInput(1, &input, sizeof input);
}

TEST_F(Preview, DraggingByAPointInsideThePictureMovesTheWindow) {
    HBITMAP picture = SolidBitmap(160, 120, RGB(0, 128, 255));
    TPreviewer previewer;
    ASSERT_TRUE(previewer.PaintFrame(picture, 1, 0));  // on the UI thread: shown at once
    const HWND window = previewer.Handle();
    ASSERT_NE(window, nullptr);
    RECT before = {};
    GetWindowRect(window, &before);
    POINT grip = {100, 70};  // inside the picture, away from the caption
    ClientToScreen(window, &grip);
    const int dx = 90, dy = 60;
    // The hand works from another thread: the UI thread serves the move.
    std::atomic<bool> released{false};
    std::thread hand([&] {
        MouseAt(grip);
        Sleep(100);
        MouseAt(grip, MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 10; ++step) {
            Sleep(30);
            MouseAt({grip.x + dx * step / 10, grip.y + dy * step / 10});
        }
        Sleep(100);
        MouseAt({grip.x + dx, grip.y + dy}, MOUSEEVENTF_LEFTUP);
        released = true;
    });
    PumpUntil([&] { return released.load(); }, 10000);
    hand.join();
    PumpUntil([] { return false; }, 200);  // the button-up and the last move
    RECT after = {};
    GetWindowRect(window, &after);
    EXPECT_NEAR(after.left - before.left, dx, 1);
    EXPECT_NEAR(after.top - before.top, dy, 1);
    EXPECT_EQ(after.right - after.left, before.right - before.left);  // moved, not resized
    EXPECT_TRUE(previewer.PaintFrame(picture, 2, 40000));  // a drag is not a close
    DeleteObject(picture);
}

}  // namespace
