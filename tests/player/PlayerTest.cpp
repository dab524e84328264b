// The player playing into a child window of a test form: states and
// positions on the main thread, seeking, pausing, stepping, the end of the
// file, the frame grab and the picture hook, sound-only files, and clean
// closing.
#include <gmock/gmock.h>
#include <windows.h>
// windows.h first
#include <tlhelp32.h>

#include <mutex>
#include <vector>

#include "PlayerFixture.h"
#include "PlayerMedia.h"
#include "Src/FFPlay.h"
#include "tests/support/ProcessThreads.h"

namespace {

class Player : public PlayerFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(PlayerClips().Error.empty()) << PlayerClips().Error;
        mainThread = GetCurrentThreadId();
        host = std::make_unique<HostForm>(320, 240);
        player = std::make_unique<TZADovovi>();
        player->SetOnState([this](TObject*, TPlayState s) {
            if (GetCurrentThreadId() != mainThread) offMainThread = true;
            states.push_back(s);
        });
        player->SetOnPosition([this](TObject*, int64_t pts) {
            if (GetCurrentThreadId() != mainThread) offMainThread = true;
            positions.push_back({GetTickCount(), pts});
        });
    }
    void TearDown() override {
        // The player stops before its window goes.
        if (player) player->Stop(true);
        player.reset();
        host.reset();
    }
    bool Seen(TPlayState AState) const { return std::find(states.begin(), states.end(), AState) != states.end(); }
    int64_t LastPosition() const { return positions.empty() ? -1 : positions.back().pts; }
    // Waits until a position event later than the given count arrives.
    bool NextPosition(size_t ACount, DWORD ATimeout = 2000) {
        return PumpUntil([&] { return positions.size() > ACount; }, ATimeout);
    }

    struct Position {
        DWORD tick;
        int64_t pts;
    };
    DWORD mainThread = 0;
    bool offMainThread = false;
    std::vector<TPlayState> states;
    std::vector<Position> positions;
    std::unique_ptr<HostForm> host;
    std::unique_ptr<TZADovovi> player;
};

TEST_F(Player, PlaysAFileToItsEndWithPositionsAtRealTimeOnTheMainThread) {
    HostForm& form = *host;
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child())) << WideToUtf8(player->LastErrMsg());
    EXPECT_EQ(player->ScreenHandle(), form.Child());
    ASSERT_TRUE(PumpUntil([&] { return Seen(psEnd); }, 15000));
    // The last pictures still waiting at the end of the input are shown.
    ASSERT_TRUE(PumpUntil([&] { return LastPosition() == 5000000; }, 1000)) << LastPosition();
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.front(), psPlay);
    EXPECT_FALSE(offMainThread);
    ASSERT_GT(positions.size(), 20u);
    // A picture shown late restarts the clock at its own time: the position
    // then steps back by that lateness, and is reported so.
    for (size_t i = 1; i < positions.size(); ++i) EXPECT_GE(positions[i].pts, positions[i - 1].pts - 100000) << i;
    // Over the middle of the file, position advances like the wall clock.
    const Position* a = nullptr;
    const Position* b = nullptr;
    for (const auto& p : positions) {
        if (!a && p.pts >= 1000000) a = &p;
        if (!b && p.pts >= 4000000) b = &p;
    }
    ASSERT_TRUE(a && b);
    const double wall = (b->tick - a->tick) / 1000.0, media = (b->pts - a->pts) / 1e6;
    EXPECT_NEAR(wall, media, 0.6);
    EXPECT_EQ(player->PlayState(), psEnd);
    EXPECT_GE(player->AudioStreamIndex(), 0);
}

TEST_F(Player, SeekPauseStepAndResume) {
    HostForm& form = *host;
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child())) << WideToUtf8(player->LastErrMsg());
    ASSERT_TRUE(PumpUntil([&] { return LastPosition() > 300000; }, 5000));

    player->Seek(int64_t(2000000), TSeekFlags{}, true);
    PumpFor(20);  // positions posted before the seek, still on their way
    size_t n = positions.size();
    ASSERT_TRUE(NextPosition(n));
    EXPECT_GE(positions[n].pts, 2000000);
    EXPECT_LE(positions[n].pts, 2300000);

    player->Pause();
    EXPECT_TRUE(player->Paused());
    PumpFor(150);
    const int64_t held = player->CurrentPTS();
    PumpFor(400);
    EXPECT_EQ(player->CurrentPTS(), held);
    EXPECT_EQ(player->PlayState(), psPause);

    player->StepToNextFrame();
    ASSERT_TRUE(PumpUntil([&] { return player->CurrentPTS() != held && player->Paused(); }, 2000));
    PumpFor(300);
    const int64_t stepped = player->CurrentPTS();
    // One picture: 40 ms at 25 fps, or the next one the decoder passed on
    // when it was thinning late pictures.
    EXPECT_GT(stepped, held);
    EXPECT_LE(stepped - held, 120000);
    PumpFor(300);
    EXPECT_EQ(player->CurrentPTS(), stepped);
    EXPECT_TRUE(Seen(psStep));

    player->Resume();
    EXPECT_FALSE(player->Paused());
    PumpFor(600);
    EXPECT_GT(player->CurrentPTS(), stepped + 300000);
    EXPECT_EQ(states.back(), psResume);

    // Relative: one second back from here lands on the key frame at or
    // before the target (one a second in the fixture).
    const int64_t target = player->CurrentPTS() - 1000000;
    player->Seek(-1.0, TSeekFlags{}, true);
    PumpFor(20);
    n = positions.size();
    ASSERT_TRUE(NextPosition(n));
    EXPECT_GE(positions[n].pts, target - 1050000);
    EXPECT_LE(positions[n].pts, target + 300000);
}

// The colour-bars source: the top part of the picture shows, from the left,
// grey, yellow, cyan, green, magenta, red and blue bars.
struct Bar {
    int index;
    bool red, green, blue;
};
const Bar kBars[] = {{1, true, true, false}, {2, false, true, true}, {3, false, true, false},
                     {4, true, false, true}, {5, true, false, false}, {6, false, false, true}};

void ExpectBarColours(const std::function<uint32_t(int, int)>& APixel, int AWidth) {
    for (const Bar& bar : kBars) {
        const uint32_t c = APixel(AWidth * (2 * bar.index + 1) / 14, 30);
        SCOPED_TRACE(testing::Message() << "bar " << bar.index << " colour " << std::hex << c);
        EXPECT_EQ(((c >> 16) & 255) > 128, bar.red);
        EXPECT_EQ(((c >> 8) & 255) > 128, bar.green);
        EXPECT_EQ((c & 255) > 128, bar.blue);
    }
}

TEST_F(Player, FrameGrabOfAPausedOpenShowsTheBarsAndTheHookDrawing) {
    HostForm& form = *host;
    player->Hook = true;
    std::atomic<int> hooked{0};
    player->SetOnHook([&](TObject*, TBitmap* bmp, int64_t) {
        // A white square in the middle of the lower half.
        for (int y = 150; y < 170; ++y)
            for (int x = 150; x < 170; ++x) memset(static_cast<uint8_t*>(bmp->ScanLine(y)) + x * 3, 255, 3);
        ++hooked;
    });
    ASSERT_TRUE(player->Open(PlayerClips().BarsOnly, form.Child(), true)) << WideToUtf8(player->LastErrMsg());
    ASSERT_TRUE(PumpUntil([&] { return player->PlayState() == psPause; }, 5000));
    PumpFor(200);
    EXPECT_GE(hooked.load(), 2);
    int64_t pts = -2;
    TBitmap* bmp = player->CurrentFrame(pts);
    ASSERT_EQ(bmp->Width(), 320);
    ASSERT_EQ(bmp->Height(), 240);
    EXPECT_GE(pts, 0);
    EXPECT_LT(pts, 200000);
    ExpectBarColours([&](int x, int y) { return BitmapPixel(*bmp, x, y); }, 320);
    const uint32_t square = BitmapPixel(*bmp, 160, 160);
    EXPECT_EQ(square & 0xE0E0E0, 0xE0E0E0u) << std::hex << square;
    // What SDL drew into the host window is the same picture.
    ExpectBarColours([&](int x, int y) { return form.GrabPixel(x, y); }, 320);
    player->Stop(true);  // the hook uses this test's locals
}

TEST_F(Player, FlippedPicturesAndFilteredSizesReachGrabAndHook) {
    HostForm& form = *host;
    player->VerticalFlip = true;
    player->VideoFilters = L"scale=160:120";
    player->Hook = true;
    std::mutex lock;
    std::vector<std::pair<int, int>> sizes;
    player->SetOnHook([&](TObject*, TBitmap* bmp, int64_t) {
        std::lock_guard<std::mutex> guard(lock);
        sizes.push_back({bmp->Width(), bmp->Height()});
    });
    ASSERT_TRUE(player->Open(PlayerClips().BarsOnly, form.Child(), true)) << WideToUtf8(player->LastErrMsg());
    ASSERT_TRUE(PumpUntil([&] { return player->PlayState() == psPause; }, 5000));
    {
        std::lock_guard<std::mutex> guard(lock);
        ASSERT_FALSE(sizes.empty());
        for (const auto& s : sizes) EXPECT_EQ(s, std::make_pair(160, 120));
    }
    TBitmap* bmp = player->CurrentFrame();
    ASSERT_EQ(bmp->Width(), 160);
    ASSERT_EQ(bmp->Height(), 120);
    // Upside down: the bars are at the bottom.
    ExpectBarColours([&](int x, int y) { return BitmapPixel(*bmp, x, 119 - y / 2); }, 160);
    player->Stop(true);  // the hook uses this test's locals
}

TEST_F(Player, FileOpenEventGivesDurationAndPictureSize) {
    HostForm& form = *host;
    int64_t duration = 0;
    int w = 0, h = 0;
    DWORD thread = 0;
    player->OnFileOpen = [&](TObject*, int64_t ADuration, int AW, int AH, int&, int&) {
        duration = ADuration;
        w = AW;
        h = AH;
        thread = GetCurrentThreadId();
    };
    ASSERT_TRUE(player->Open(PlayerClips().Sound, form.Child()));
    EXPECT_EQ(w, -1);
    EXPECT_EQ(h, -1);
    EXPECT_NEAR(duration, 2000000, 50000);
    player->Stop(true);
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child()));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_NEAR(duration, 5000000, 100000);
    EXPECT_EQ(thread, mainThread);
    EXPECT_EQ(player->ScreenWidth.load(), 320);  // the window's client size
    EXPECT_EQ(player->ScreenHeight.load(), 240);
    player->Stop(true);
}

TEST_F(Player, ControlsAgainstAStoppingPlayerReturn) {
    HostForm& form = *host;
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child()));
    ASSERT_TRUE(PumpUntil([&] { return LastPosition() > 200000; }, 5000));
    // Grabs while the video thread writes the next ten pictures.
    const size_t first = positions.size();
    const DWORD grabStart = GetTickCount();
    while (positions.size() < first + 10) {
        TBitmap* bmp = player->CurrentFrame();
        ASSERT_EQ(bmp->Width(), 320);
        ServeMessages();
        ASSERT_LT(GetTickCount() - grabStart, 5000u) << "no new pictures while grabbing";
    }
    player->Stop(false);
    const DWORD t0 = GetTickCount();
    player->Seek(int64_t(3000000), TSeekFlags{}, true);
    player->Pause();
    player->Seek(1.0, TSeekFlags{}, true);
    player->CurrentFrame();
    player->SetShowAudio(saRDFT);
    EXPECT_LT(GetTickCount() - t0, 1500u);
    ASSERT_TRUE(PumpUntil([&] { return Seen(psStop); }, 3000));
}

TEST_F(Player, FrameGrabWithNothingOpenIsEmpty) {
    int64_t pts = 0;
    TBitmap* bmp = player->CurrentFrame(pts);
    EXPECT_EQ(bmp->Width(), 0);
    EXPECT_EQ(pts, -1);
}

TEST_F(Player, SoundOnlyFilePlaysAndDrawsItsWave) {
    HostForm& form = *host;
    ASSERT_TRUE(player->Open(PlayerClips().Sound, form.Child())) << WideToUtf8(player->LastErrMsg());
    EXPECT_EQ(player->VideoStreamIndex(), -1);
    EXPECT_EQ(player->AudioStreamIndex(), 0);
    ASSERT_TRUE(PumpUntil([&] { return LastPosition() > 500000; }, 5000));
    // The waveform: white columns on black around the middle line.
    int white = 0, black = 0;
    for (int x = 0; x < 320; x += 4)
        for (int y = 0; y < 240; y += 4) {
            const uint32_t c = form.GrabPixel(x, y);
            white += c == 0xFFFFFF;
            black += c == 0;
        }
    EXPECT_GT(white, 20);
    EXPECT_GT(black, 1000);
    ASSERT_TRUE(PumpUntil([&] { return Seen(psEnd); }, 5000));
}

TEST_F(Player, OpenOfAMissingFileFailsWithTheReason) {
    HostForm& form = *host;
    const WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(form.Child(), GWLP_WNDPROC));
    EXPECT_FALSE(player->Open(PlayerClips().Folder + L"missing.mp4", form.Child()));
    EXPECT_THAT(WideToUtf8(player->LastErrMsg()), testing::HasSubstr("missing.mp4"));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(form.Child(), GWLP_WNDPROC)), before);
    EXPECT_TRUE(player->Paused());
}

TEST_F(Player, StateChangesFollowTheControls) {
    HostForm& form = *host;
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child()));
    ASSERT_TRUE(PumpUntil([&] { return LastPosition() > 200000; }, 5000));
    // Pause and Resume act only on a change; a pending step is not stepped again.
    for (auto control : {&TCustomPlayer::Pause, &TCustomPlayer::Pause, &TCustomPlayer::Resume, &TCustomPlayer::Resume,
                         &TCustomPlayer::Pause, &TCustomPlayer::StepToNextFrame, &TCustomPlayer::StepToNextFrame}) {
        (player.get()->*control)();
        PumpFor(100);
    }
    const std::vector<TPlayState> want{psPlay, psPause, psResume, psPause, psStep};
    EXPECT_EQ(states, want);
    player->Pause();
    player->RepeatType = rtNone;
    PumpFor(100);
    states.clear();
    player->Stop(true);  // a stop while paused resumes silently
    PumpFor(100);
    EXPECT_EQ(states, std::vector<TPlayState>{psStop});
    EXPECT_EQ(player->RepeatType.load(), rtStop);  // reset by the close
    EXPECT_TRUE(player->Paused());
}

TEST_F(Player, PlayTimeWithRepeatStopEndsPlayback) {
    HostForm& form = *host;
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child()));
    player->PlayTime = 1000000;
    ASSERT_TRUE(PumpUntil([&] { return Seen(psStop); }, 4000));
    EXPECT_LT(LastPosition(), 1500000);
    EXPECT_GE(LastPosition(), 1000000);
}

TEST_F(Player, SubtitledFilePlaysAndStreamSwitchesAreChecked) {
    HostForm& form = *host;
    ASSERT_TRUE(player->Open(PlayerClips().Subtitled, form.Child())) << WideToUtf8(player->LastErrMsg());
    ASSERT_TRUE(PumpUntil([&] { return LastPosition() > 300000; }, 5000));
    EXPECT_EQ(player->VideoStreamIndex(), 0);
    EXPECT_EQ(player->AudioStreamIndex(), 1);
    EXPECT_EQ(player->SubtitleStreamIndex(), 2);
    player->SetAudioStreamIndex(0);
    EXPECT_EQ(WideToUtf8(player->LastErrMsg()), "the stream type is not matched.");
    player->SetAudioStreamIndex(7);
    EXPECT_EQ(WideToUtf8(player->LastErrMsg()), "the stream index is not valid.");
    EXPECT_EQ(player->AudioStreamIndex(), 1);
    player->SetSubtitleStreamIndex(-1);  // subtitles off
    EXPECT_EQ(player->SubtitleStreamIndex(), -1);
    PumpFor(200);
    const DWORD t0 = GetTickCount();
    player->Stop(true);
    EXPECT_LT(GetTickCount() - t0, 1000u);
}

// Without a wanted stream the player takes the sound the probe saw most
// frames of (AAC, 43 a second, over MP3's 38), as the transcoder does.
TEST_F(Player, AutomaticAudioChoiceTakesTheStreamWithMostFrames) {
    HostForm& form = *host;
    ASSERT_TRUE(player->Open(PlayerClips().TwoAudio, form.Child())) << WideToUtf8(player->LastErrMsg());
    ASSERT_TRUE(PumpUntil([&] { return LastPosition() > 200000; }, 5000));
    EXPECT_EQ(player->VideoStreamIndex(), 0);
    EXPECT_EQ(player->AudioStreamIndex(), 2);
}

TEST_F(Player, HostWindowKeepsItsMessagesWhileSDLDraws) {
    HostForm& form = *host;
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child()));
    PumpFor(100);
    SendMessageW(form.Child(), WM_CLOSE, 0, 0);  // swallowed
    EXPECT_TRUE(IsWindow(form.Child()));
    SetFocus(form.Form());
    const int before = HostForm::Messages;
    SendMessageW(form.Child(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_NE(GetFocus(), form.Child());
    SendMessageW(form.Child(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), form.Child());
    EXPECT_GE(HostForm::Messages, before + 2);  // both clicks reached the host
    SendMessageW(form.Child(), 45108, 0, 0);
    EXPECT_GE(HostForm::Messages, before + 3);
}


BOOL CALLBACK CountOwnWindow(HWND AWnd, LPARAM ACount) {
    DWORD pid = 0;
    GetWindowThreadProcessId(AWnd, &pid);
    if (pid == GetCurrentProcessId()) ++*reinterpret_cast<int*>(ACount);
    return TRUE;
}

int WindowCount() {
    int n = 0;
    EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

TEST_F(Player, FiftyOpenStopCyclesLeaveNothingBehind) {
    HostForm& form = *host;
    const WNDPROC hostProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(form.Child(), GWLP_WNDPROC));
    // One cycle first: the libraries start their own helpers once.
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child()));
    PumpFor(100);
    player->Stop(true);
    PumpFor(200);
    const int threads = ThreadsOfThisProcess(), windows = WindowCount();
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    DWORD slowest = 0;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child(), i % 2 == 1)) << i;
        PumpFor(30 + (i % 5) * 20);
        const DWORD t0 = GetTickCount();
        player->Stop(true);
        slowest = std::max(slowest, GetTickCount() - t0);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(form.Child(), GWLP_WNDPROC)), hostProc) << i;
    }
    PumpFor(300);
    EXPECT_LT(slowest, 1000u);
    EXPECT_LE(ThreadsOfThisProcess(), threads);
    EXPECT_LE(WindowCount(), windows);
    DWORD after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &after);
    EXPECT_LE(after, handles + 5);
    EXPECT_EQ(states.back(), psStop);
}

TEST_F(Player, DestroyingAPlayingPlayerStopsItsThreads) {
    HostForm& form = *host;
    PumpFor(50);
    const int threads = ThreadsOfThisProcess();
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, form.Child()));
    PumpFor(300);
    player.reset();
    PumpFor(300);
    EXPECT_LE(ThreadsOfThisProcess(), threads + 1);  // SDL may keep its timer thread
}

}  // namespace
