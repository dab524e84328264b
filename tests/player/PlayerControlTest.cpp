// The player's control surface against its threads: a waiting stop ends
// every thread, also from inside the player's own events; positions follow
// small seeks back; the wanted streams; an open that fails for want of
// memory or meets a raising handler; the decoders' error recognition; and
// the main thread's waits that a player thread handing a log line to it
// would otherwise dead-lock (frame grab during a hook, stream switch).
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <climits>
#include <future>
#include <mutex>
#include <vector>

#include "PlayerFixture.h"
#include "PlayerMedia.h"
#include "Src/FFPlay.h"
#include "Src/FFmpegLogger.h"
#include "tests/support/Watchdog.h"

namespace {

// The library's limit on a single allocation (av_max_alloc), restored to
// its default by the destructor.
class AllocationLimit {
public:
    AllocationLimit() {
        const FARPROC f = GetProcAddress(GetModuleHandleW(L"avutil-57.dll"), "av_max_alloc");
        FSet = reinterpret_cast<void (*)(size_t)>(reinterpret_cast<void (*)()>(f));
    }
    ~AllocationLimit() { Set(INT_MAX); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
    bool Available() const { return FSet != nullptr; }
    void Set(size_t ABytes) {
        if (FSet) FSet(ABytes);
    }

private:
    void (*FSet)(size_t) = nullptr;
};

// The lines the process logger hands to the main thread, while it exists.
class LoggedLines {
public:
    LoggedLines() {
        GlobalLogger()->SetOnLog([this](TObject* ASender, uint32_t, TLogLevel ALevel, const std::wstring& AMsg) {
            std::lock_guard<std::mutex> lock(FLock);
            FLines.push_back({ASender, ALevel, AMsg});
        });
    }
    ~LoggedLines() { GlobalLogger()->SetOnLog(nullptr); }
    LoggedLines(const LoggedLines&) = delete;
    LoggedLines& operator=(const LoggedLines&) = delete;
    // The texts logged at ALevel by ASender.
    std::vector<std::wstring> Of(const TObject* ASender, TLogLevel ALevel) {
        std::lock_guard<std::mutex> lock(FLock);
        std::vector<std::wstring> texts;
        for (const Line& l : FLines)
            if (l.Sender == ASender && l.Level == ALevel) texts.push_back(l.Text);
        return texts;
    }

private:
    struct Line {
        TObject* Sender;
        TLogLevel Level;
        std::wstring Text;
    };
    std::mutex FLock;
    std::vector<Line> FLines;
};

class PlayerControl : public PlayerFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(PlayerClips().Error.empty()) << PlayerClips().Error;
        host = std::make_unique<HostForm>(320, 240);
        player = std::make_unique<TZADovovi>();
        player->SetOnState([this](TObject*, TPlayState s) {
            std::lock_guard<std::mutex> lock(eventLock);
            states.push_back(s);
        });
        player->SetOnPosition([this](TObject*, int64_t pts) { lastPosition = pts; });
    }
    void TearDown() override {
        if (player) player->Stop(true);
        player.reset();
        host.reset();
    }
    bool Seen(TPlayState AState) {
        std::lock_guard<std::mutex> lock(eventLock);
        return std::find(states.begin(), states.end(), AState) != states.end();
    }
    std::string Error() const { return WideToUtf8(player->LastErrMsg()); }

    std::mutex eventLock;
    std::vector<TPlayState> states;
    std::atomic<int64_t> lastPosition{-1};
    std::unique_ptr<HostForm> host;
    std::unique_ptr<TZADovovi> player;
};

TEST_F(PlayerControl, AWaitingStopReturnsOnlyWhenTheLastEventHasBeenDelivered) {
    player->TriggerEventInMainThread = false;
    std::atomic<bool> handled{false};
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    player->SetOnState([&](TObject*, TPlayState s) {
        if (s != psStop) return;
        WaitForSingleObject(never, 2500);  // a slow consumer of the last event
        handled = true;
    });
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, host->Child())) << Error();
    ASSERT_TRUE(PumpUntil([&] { return lastPosition > 200000; }, 5000));
    player->Stop(true);
    EXPECT_TRUE(handled) << "Stop returned while the event thread was still delivering psStop";
    CloseHandle(never);
    player->SetOnState(nullptr);
    EXPECT_TRUE(player->Open(PlayerClips().BarsOnly, host->Child())) << Error();
}

// A host that opens the next file when one ends: the stop inside that Open
// cannot wait for the event thread delivering psEnd, and does not.
TEST_F(PlayerControl, AnOpenFromInsideTheEndEventOpensTheNextFileAtOnce) {
    const Watchdog watchdog(60000, "an open from inside the end event hung");
    bool opened = false;
    DWORD took = 0;
    player->SetOnState([&](TObject*, TPlayState s) {
        {
            std::lock_guard<std::mutex> lock(eventLock);
            states.push_back(s);
        }
        if (s != psEnd || took) return;
        const DWORD t0 = GetTickCount();
        opened = player->Open(PlayerClips().BarsOnly, host->Child());
        took = std::max<DWORD>(1, GetTickCount() - t0);
    });
    ASSERT_TRUE(player->Open(PlayerClips().Sound, host->Child())) << Error();
    ASSERT_TRUE(PumpUntil([&] { return took != 0; }, 10000));
    EXPECT_TRUE(opened) << Error();
    EXPECT_LT(took, 1500u);
    EXPECT_EQ(player->FileName(), PlayerClips().BarsOnly);
    lastPosition = -1;
    EXPECT_TRUE(PumpUntil([&] { return lastPosition > 200000; }, 5000));
    player->Stop(true);
}

// Every picture of the clip is a key picture: a seek lands where it asks.
TEST_F(PlayerControl, ASeekBackByLessThanTheOldThresholdIsReported) {
    ASSERT_TRUE(player->Open(PlayerClips().EveryKey, host->Child(), true)) << Error();
    ASSERT_TRUE(PumpUntil([&] { return player->PlayState() == psPause; }, 5000));
    player->Seek(int64_t(1000000), TSeekFlags{}, true);
    ASSERT_TRUE(PumpUntil([&] { return lastPosition >= 1000000; }, 3000)) << lastPosition;
    EXPECT_LE(lastPosition, 1040000);
    player->Seek(int64_t(920000), TSeekFlags{}, true);
    ASSERT_TRUE(PumpUntil([&] { return lastPosition < 1000000; }, 3000)) << lastPosition;
    EXPECT_NEAR(lastPosition.load(), 920000, 20000);
}

struct WantedCase {
    std::wstring PlayerMedia::*File;
    char Kind;  // 'v', 'a' or 's': the wanted stream set
    int Wanted;
    int Video, Audio, Subtitle;  // the stream indexes played
};

class WantedStreams : public PlayerControl, public ::testing::WithParamInterface<WantedCase> {};

TEST_P(WantedStreams, PlayTheNthStreamOfTheirTypeAndAreForgottenAtTheClose) {
    const WantedCase c = GetParam();
    int& wanted = c.Kind == 'v'   ? player->wanted_video_stream
                  : c.Kind == 'a' ? player->wanted_audio_stream
                                  : player->wanted_subtitle_stream;
    wanted = c.Wanted;
    ASSERT_TRUE(player->Open(PlayerClips().*c.File, host->Child())) << Error();
    EXPECT_EQ(player->VideoStreamIndex(), c.Video);
    EXPECT_EQ(player->AudioStreamIndex(), c.Audio);
    EXPECT_EQ(player->SubtitleStreamIndex(), c.Subtitle);
    player->Stop(true);
    EXPECT_EQ(player->wanted_video_stream, -1);
    EXPECT_EQ(player->wanted_audio_stream, -1);
    EXPECT_EQ(player->wanted_subtitle_stream, -1);
}

// two-audio.mkv: video 0, MP3 1, AAC 2 (the automatic choice);
// bars5s.mp4: video 0, sound 1; subtitled.mkv: video 0, sound 1, text 2.
INSTANTIATE_TEST_SUITE_P(Player, WantedStreams,
                         ::testing::Values(WantedCase{&PlayerMedia::TwoAudio, 'a', -1, 0, 2, -1},
                                           WantedCase{&PlayerMedia::TwoAudio, 'a', 0, 0, 1, -1},
                                           WantedCase{&PlayerMedia::TwoAudio, 'a', 1, 0, 2, -1},
                                           WantedCase{&PlayerMedia::Bars5s, 'a', 1, 0, -1, -1},
                                           WantedCase{&PlayerMedia::Bars5s, 'v', 1, -1, 1, -1},
                                           WantedCase{&PlayerMedia::Subtitled, 's', 0, 0, 1, 2},
                                           WantedCase{&PlayerMedia::Subtitled, 's', 1, 0, 1, -1}));

TEST_F(PlayerControl, OpenWithoutMemoryForTheFileStateFailsWithTheReason) {
    AllocationLimit limit;
    ASSERT_TRUE(limit.Available());
    LoggedLines log;
    const WNDPROC hostProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(host->Child(), GWLP_WNDPROC));
    limit.Set(256 * 1024);  // less than the state's sound and sample buffers
    bool opened = true;
    EXPECT_NO_THROW(opened = player->Open(PlayerClips().Bars5s, host->Child()));
    limit.Set(INT_MAX);
    EXPECT_FALSE(opened);
    EXPECT_EQ(Error(), "av_mallocz() failed.");
    EXPECT_EQ(log.Of(player.get(), llError), std::vector<std::wstring>{L"av_mallocz() failed."});
    EXPECT_TRUE(player->Paused());
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(host->Child(), GWLP_WNDPROC)), hostProc);
    EXPECT_TRUE(player->Open(PlayerClips().Bars5s, host->Child())) << Error();
}

TEST_F(PlayerControl, AnOpenEventHandlerThatRaisesAnythingLeavesTheFileOpen) {
    LoggedLines log;
    player->OnFileOpen = [](TObject*, int64_t, int, int, int&, int&) { throw 42; };
    bool opened = false;
    EXPECT_NO_THROW(opened = player->Open(PlayerClips().BarsOnly, host->Child()));
    EXPECT_TRUE(opened) << Error();
    EXPECT_EQ(log.Of(player.get(), llError), std::vector<std::wstring>{L"OnFileOpen: unknown exception"});
    EXPECT_TRUE(PumpUntil([&] { return lastPosition > 200000; }, 5000));
}

struct RecognitionCase {
    int Level;
    int Flags;
};
class ErrorRecognition : public ::testing::TestWithParam<RecognitionCase> {};

TEST_P(ErrorRecognition, LevelsBecomeTheDecodersFlagsWithoutChecksumTests) {
    EXPECT_EQ(ErrorRecognitionFlags(GetParam().Level), GetParam().Flags);
}

INSTANTIATE_TEST_SUITE_P(
    Player, ErrorRecognition,
    ::testing::Values(RecognitionCase{0, 0}, RecognitionCase{1, AV_EF_CAREFUL},
                      RecognitionCase{2, AV_EF_CAREFUL | AV_EF_COMPLIANT},
                      RecognitionCase{3, AV_EF_CAREFUL | AV_EF_COMPLIANT | AV_EF_AGGRESSIVE},
                      RecognitionCase{4, AV_EF_CAREFUL | AV_EF_COMPLIANT | AV_EF_AGGRESSIVE}));

TEST_F(PlayerControl, DecodersRecogniseErrorsCarefullyByDefault) {
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, host->Child())) << Error();
    const TVideoState* vs = player->RawState();
    ASSERT_TRUE(vs && vs->video_ctx && vs->audio_ctx);
    EXPECT_EQ(vs->video_ctx->err_recognition, AV_EF_CAREFUL);
    EXPECT_EQ(vs->audio_ctx->err_recognition, AV_EF_CAREFUL);
}

// The hook holds the overlay's lock while its handler hands a log line to
// the main thread; the main thread asks for the frame, which takes that lock.
TEST_F(PlayerControl, AFrameGrabWhileTheHookLogsThroughTheMainThreadFinishes) {
    const Watchdog watchdog(60000, "a frame grab while the hook logged dead-locked");
    LoggedLines log;
    HANDLE inHook = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> done{false};
    player->Hook = true;
    player->SetOnHook([&](TObject* ASender, TBitmap*, int64_t) {
        if (done.exchange(true)) return;
        SetEvent(inHook);
        GlobalLogger()->Log(ASender, llError, L"picture hooked");
    });
    ASSERT_TRUE(player->Open(PlayerClips().BarsOnly, host->Child(), true)) << Error();
    // Not serving: the hook now waits in its hand-over.
    ASSERT_EQ(WaitForSingleObject(inHook, 10000), WAIT_OBJECT_0);
    TBitmap* bmp = player->CurrentFrame();
    EXPECT_EQ(bmp->Width(), 320);
    EXPECT_EQ(log.Of(player.get(), llError), std::vector<std::wstring>{L"picture hooked"});
    player->Stop(true);
    CloseHandle(inHook);
}

// Past the first hooked pictures no library allocation may exceed 1.5 MB,
// less than one 960x720 picture in 24 bits: the hook goes on all the same,
// on the buffers it made for the first picture. Its handler finds the
// bitmap's canvas locked.
TEST_F(PlayerControl, HookedPicturesReuseTheirBuffersWithTheCanvasLocked) {
    AllocationLimit limit;
    ASSERT_TRUE(limit.Available());
    std::atomic<int> hooked{0}, canvasFree{-1};
    player->Hook = true;
    player->VideoFilters = L"scale=960:720";
    player->SetOnHook([&](TObject*, TBitmap* bmp, int64_t) {
        if (canvasFree < 0) {
            canvasFree = std::async(std::launch::async, [bmp] {
                             const bool free = bmp->Canvas()->TryLock();
                             if (free) bmp->Canvas()->Unlock();
                             return free;
                         }).get();
        }
        ++hooked;
    });
    ASSERT_TRUE(player->Open(PlayerClips().Bars5s, host->Child())) << Error();
    ASSERT_TRUE(PumpUntil([&] { return hooked >= 3; }, 5000));
    limit.Set(1500 * 1000);
    const int before = hooked;
    const bool goesOn = PumpUntil([&] { return hooked >= before + 5; }, 5000);
    limit.Set(INT_MAX);
    EXPECT_TRUE(goesOn) << "hooked pictures after the limit: " << hooked - before;
    EXPECT_EQ(canvasFree, 0);
    player->Stop(true);
}

// The switch joins the video thread on the main thread while that thread's
// hook hands a log line to it.
TEST_F(PlayerControl, AVideoStreamSwitchWhileTheVideoThreadLogsThroughTheMainThreadFinishes) {
    const Watchdog watchdog(60000, "a stream switch while the video thread logged dead-locked");
    LoggedLines log;
    HANDLE inHook = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> armed{false};
    std::atomic<int> hooked{0};
    player->Hook = true;
    player->SetOnHook([&](TObject* ASender, TBitmap*, int64_t) {
        ++hooked;
        if (!armed.exchange(false)) return;
        SetEvent(inHook);
        GlobalLogger()->Log(ASender, llError, L"switching");
    });
    ASSERT_TRUE(player->Open(PlayerClips().TwoVideo, host->Child())) << Error();
    ASSERT_TRUE(PumpUntil([&] { return lastPosition > 200000; }, 5000));
    EXPECT_EQ(player->VideoStreamIndex(), 0);
    EXPECT_EQ(player->AudioStreamIndex(), 2);
    armed = true;
    ASSERT_EQ(WaitForSingleObject(inHook, 10000), WAIT_OBJECT_0);
    player->SetVideoStreamIndex(1);
    EXPECT_EQ(player->VideoStreamIndex(), 1);
    EXPECT_EQ(log.Of(player.get(), llError), std::vector<std::wstring>{L"switching"});
    // The read thread has read ahead past the small clip's end: the new
    // stream's pictures come after a seek.
    player->Seek(int64_t(0), TSeekFlags{}, true);
    const int before = hooked;
    EXPECT_TRUE(PumpUntil([&] { return hooked > before + 2; }, 5000)) << "no pictures from the new stream";
    player->Stop(true);
    CloseHandle(inHook);
}

}  // namespace
