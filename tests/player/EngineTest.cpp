// The player's engine pieces on their own: the event ring, the packet
// queue, picture pacing, picture placement, subtitle colours and blending,
// and the audio buffer correction.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "PlayerFixture.h"
#include "Src/AVCodecStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFPlay.h"
#include "Src/FFPlayThreads.h"

namespace {

std::vector<TPlayEvent::Entry> Drain(TPlayEvent& ARing) {
    std::vector<TPlayEvent::Entry> out;
    for (TPlayEvent::Entry e = ARing.Pop(); e.Kind != 0; e = ARing.Pop()) out.push_back(e);
    return out;
}

TEST(PlayEventRing, ANewerEntryOfTheSameKindReplacesTheUndeliveredOne) {
    TPlayEvent ring;
    for (int i = 1; i <= 10; ++i) ring.Post(1, i * 1000);
    EXPECT_TRUE(ring.Event.Wait(0));
    const auto got = Drain(ring);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].Value, 10000);
    EXPECT_FALSE(ring.Event.Wait(0));
}

TEST(PlayEventRing, HoldsNineEntriesAndLosesTheOldest) {
    TPlayEvent ring;
    for (int i = 0; i < 12; ++i) ring.Post(i % 2 ? 2 : 1, i);
    const auto got = Drain(ring);
    ASSERT_EQ(got.size(), 9u);
    EXPECT_EQ(got.front().Value, 3);
    EXPECT_EQ(got.back().Value, 11);
    EXPECT_EQ(ring.Pop().Kind, 0);
}

struct RectCase {
    int w, h;
    float aspect;
    int x, y, rw, rh;
};
class PictureRectTest : public ::testing::TestWithParam<RectCase> {};

TEST_P(PictureRectTest, PlacesThePictureCentredWithEvenSizes) {
    const RectCase c = GetParam();
    const SDL_Rect r = PictureRect(c.w, c.h, c.aspect);
    EXPECT_EQ(r.x, c.x);
    EXPECT_EQ(r.y, c.y);
    EXPECT_EQ(r.w, c.rw);
    EXPECT_EQ(r.h, c.rh);
}

INSTANTIATE_TEST_SUITE_P(Player, PictureRectTest,
                         ::testing::Values(RectCase{640, 480, 720.0f / 576 * 16 / 15, 0, 0, 640, 480},
                                           RectCase{640, 480, 2.0f, 0, 80, 640, 320},
                                           RectCase{640, 480, 1.0f, 80, 0, 480, 480},
                                           RectCase{321, 241, 321.0f / 241, 0, 0, 320, 241}));

TEST(SubtitlePalette, ConvertsToStudioRangeYUV) {
    EXPECT_EQ(PaletteToYUVA(0xFFFF0000u), 0xFF515AF0u);  // red: Y 81, U 90, V 240
    EXPECT_EQ(PaletteToYUVA(0x80FFFFFFu), 0x80EB8080u);  // white: Y 235
    EXPECT_EQ(PaletteToYUVA(0x00000000u), 0x00108080u);  // black: Y 16
}

TEST(SubtitleBlend, ClipsTheRectangleIntoThePicture) {
    // An 8x8 grey picture and a 4x4 opaque white rectangle placed at (6, 6):
    // it is moved to (4, 4), the bottom-right corner.
    std::vector<uint8_t> y(64, 100), u(16, 100), v(16, 100);
    uint8_t* data[3] = {y.data(), u.data(), v.data()};
    const int linesize[3] = {8, 4, 4};
    uint8_t index[16] = {};
    uint32_t palette[1] = {0xFFEB8080u};
    AVSubtitleRect rect{};
    rect.x = 6;
    rect.y = 6;
    rect.w = 4;
    rect.h = 4;
    rect.nb_colors = 1;
    rect.data[0] = index;
    rect.data[1] = reinterpret_cast<uint8_t*>(palette);
    rect.linesize[0] = 4;
    BlendSubrect(data, linesize, &rect, 8, 8);
    EXPECT_EQ(y[4 * 8 + 4], 235);
    EXPECT_EQ(y[7 * 8 + 7], 235);
    EXPECT_EQ(y[3 * 8 + 3], 100);
    EXPECT_EQ(u[2 * 4 + 2], 128);
    EXPECT_EQ(u[1 * 4 + 1], 100);
    rect.w = -3;  // nothing to draw
    std::fill(y.begin(), y.end(), 100);
    BlendSubrect(data, linesize, &rect, 8, 8);
    EXPECT_EQ(std::count(y.begin(), y.end(), 100), 64);
}

class PlayerEngine : public PlayerFixture {};

TEST_F(PlayerEngine, PacketQueueCountsBytesAndStopsOnAbort) {
    TPacketQueue q;
    q.Init();
    TQueuedPacket out;
    EXPECT_EQ(q.Get(out, false), 0);
    AVPacket* pkt = ff::av_packet_alloc();
    ASSERT_EQ(ff::av_new_packet(pkt, 100), 0);
    memset(pkt->data, 0x5A, 100);
    EXPECT_EQ(q.Put(pkt), 0);
    ff::av_packet_unref(pkt);  // the queue holds its own reference
    EXPECT_EQ(q.PutFlush(), 0);
    EXPECT_EQ(q.Size(), 100 + 72 + 72);
    EXPECT_EQ(q.NbPackets(), 2);
    ASSERT_EQ(q.Get(out, false), 1);
    ASSERT_NE(out.pkt, nullptr);
    ASSERT_EQ(out.pkt->size, 100);
    EXPECT_EQ(out.pkt->data[99], 0x5A);
    ASSERT_EQ(q.Get(out, false), 1);
    EXPECT_TRUE(out.flush);
    EXPECT_EQ(q.Size(), 0);
    ASSERT_EQ(ff::av_new_packet(pkt, 10), 0);
    q.Put(pkt);
    q.Abort();
    EXPECT_EQ(q.Get(out, true), -1);
    q.Flush();
    EXPECT_EQ(q.Size(), 0);
    ff::av_packet_free(&pkt);
}

TEST_F(PlayerEngine, PacingReusesTheLastDelayForImplausibleGaps) {
    TVideoState vs;
    vs.av_sync_type = AV_SYNC_VIDEO_MASTER;
    vs.frame_timer = 100.0;
    vs.frame_last_pts = 0.0;
    vs.frame_last_delay = 0.04;
    EXPECT_DOUBLE_EQ(ComputeTargetTime(&vs, 0.05), 100.05);
    EXPECT_DOUBLE_EQ(ComputeTargetTime(&vs, 12.05), 100.10);  // a 12 s gap
    EXPECT_DOUBLE_EQ(ComputeTargetTime(&vs, 11.0), 100.15);   // a negative gap
    EXPECT_DOUBLE_EQ(vs.frame_last_delay, 0.05);
}

// Resuming moves the pacing by the time since the last picture shown; a
// file opened paused whose first picture has not been shown yet plays from
// that picture at once (its pacing must not jump by the clock's epoch).
TEST_F(PlayerEngine, ResumingMovesThePacingSoTheNextPictureIsDueNow) {
    TCustomPlayer player(nullptr);
    const struct {
        const char* name;
        double shownAgo;  // seconds since the last picture shown; 0 = none shown
    } cases[] = {{"nothing shown since the open", 0}, {"paused 3 s after a picture", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TVideoState vs;
        vs.Owner = &player;
        vs.paused = 1;
        vs.read_pause_return = ERR_NOT_SUPPORTED;
        const double start = NowSeconds();
        const double opened = start - 5;
        // Two pictures queued 40 ms apart, paced from the open (nothing
        // shown) or from the picture shown before the pause.
        const double base = c.shownAgo > 0 ? start - c.shownAgo : opened;
        vs.frame_timer = base + 0.08;
        vs.pictq_size = 2;
        vs.pictq_rindex = 1;
        vs.pictq[1].target_clock = base + 0.04;
        vs.pictq[0].target_clock = base + 0.08;
        if (c.shownAgo > 0) {
            vs.video_current_pts = 2.0;
            vs.video_current_pts_drift = 2.0 - (start - c.shownAgo);
        }
        TogglePauseState(&vs);
        const double end = NowSeconds();
        EXPECT_EQ(vs.paused, 0);
        // Due now, or 40 ms after the picture that was shown.
        const double due = c.shownAgo > 0 ? 0.04 : 0.0;
        EXPECT_GE(vs.pictq[1].target_clock, start + due - 0.001);
        EXPECT_LE(vs.pictq[1].target_clock, end + due + 0.001);
        EXPECT_NEAR(vs.pictq[0].target_clock - vs.pictq[1].target_clock, 0.04, 1e-6);
        EXPECT_NEAR(vs.frame_timer - vs.pictq[0].target_clock, 0.0, 1e-6);
        if (c.shownAgo == 0) {
            // Nothing shown: the clock still stands at the start.
            EXPECT_EQ(vs.video_current_pts_drift, 0.0);
            EXPECT_EQ(GetVideoClock(&vs), 0.0);
        } else {
            EXPECT_NEAR(GetVideoClock(&vs), 2.0, 0.05);
        }
    }
}

TEST_F(PlayerEngine, AudioCorrectionNeverPassesTheBufferEnd) {
    TVideoState vs;
    vs.av_sync_type = AV_SYNC_EXTERNAL_CLOCK;
    vs.audio_device_rate = 44100;
    vs.audio_device_channels = 2;
    vs.audio_diff_avg_coef = 0.904837;
    vs.audio_diff_threshold = 2048.0 / 44100;
    vs.audio_diff_avg_count = 20;
    // Audio 5 s ahead of the external clock: the buffer wants to grow by 10 %.
    vs.audio_clock = ff::av_gettime() / 1e6 + 5;
    std::vector<int16_t> buf(AUDIO_BUF_SIZE / 2, 7);
    const int size = 280000;
    buf[size / 2 - 2] = 11;
    buf[size / 2 - 1] = 12;
    const int out = SynchronizeAudio(&vs, buf.data(), size, AUDIO_BUF_SIZE);
    EXPECT_EQ(out, AUDIO_BUF_SIZE);
    EXPECT_EQ(buf.back(), 12);  // the last sample frame repeated
    EXPECT_EQ(buf[buf.size() - 2], 11);
    // A small buffer grows by at most 10 %.
    vs.audio_diff_avg_count = 20;
    EXPECT_EQ(SynchronizeAudio(&vs, buf.data(), 4000, AUDIO_BUF_SIZE), 4400);
}

}  // namespace
