// An input whose timestamps jump back (two MPEG-TS recordings joined byte
// for byte, as a broadcast capture may hold them) converts into one output
// as long as both together: the main loop moves the input's offset over the
// jump. With copyts the timestamps stay as they are, so the second
// recording's pictures fall before the first's end and are dropped.
// In a format without discontinuities, a damaged timestamp hours past the
// end of the file is dropped instead of followed.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "PacketFiles.h"
#include "TranscodeFixture.h"
#include "tests/support/Watchdog.h"

namespace {

using namespace packetfiles;

std::string ReadAll(const std::wstring& AName) {
    std::ifstream in(AName.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

size_t BigEndian24(const std::string& ABytes, size_t AAt) {
    size_t v = 0;
    for (size_t i = 0; i < 3; ++i) v = (v << 8) | static_cast<unsigned char>(ABytes[AAt + i]);
    return v;
}

struct TJump {
    const char* Name;
    bool CopyTs;
    int Pictures;  // in the output: 25 a second of what is kept
};

void PrintTo(const TJump& AJ, std::ostream* AOut) { *AOut << AJ.Name; }

class TimestampJump : public TranscodeFixture, public ::testing::WithParamInterface<TJump> {
protected:
    std::string MakeRecording(const std::wstring& AName, double ASeconds) {
        testmedia::ClipSpec spec;
        spec.FileName = folder + AName;
        spec.Seconds = ASeconds;
        spec.Video = testmedia::VideoSpec{320, 240, {25, 1}, "mpeg2video"};
        spec.Audio = {testmedia::AudioSpec{"mp2", 48000}};
        const std::string made = testmedia::MakeClip(spec);
        return made.empty() ? ReadAll(spec.FileName) : std::string();
    }
};

TEST_P(TimestampJump, SecondRecordingFollowsTheFirst) {
    const TJump& j = GetParam();
    const std::string first = MakeRecording(L"first.ts", 2), second = MakeRecording(L"second.ts", 1);
    ASSERT_FALSE(first.empty() || second.empty());
    const std::wstring joined = folder + L"joined.ts";
    testmedia::WriteBytes(joined, first + second);

    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.mp4";
    TOptionList input;
    if (j.CopyTs) input.push_back({L"copyts", L""});
    ASSERT_TRUE(Convert(t, joined, input, out, {{L"vcodec", L"mpeg4"}, {L"acodec", L"aac"}}));

    AVRational tb{};
    const std::vector<TPacketPtr> pictures = ReadPackets(out, nullptr, &tb);
    EXPECT_NEAR(static_cast<double>(pictures.size()), j.Pictures, 2);
    ASSERT_FALSE(pictures.empty());
    int64_t first_pts = INT64_MAX, end_pts = INT64_MIN;
    for (const TPacketPtr& p : pictures) {
        first_pts = std::min(first_pts, p->pts);
        end_pts = std::max(end_pts, p->pts + std::max<int64_t>(p->duration, 0));
    }
    EXPECT_NEAR((end_pts - first_pts) * av_q2d(tb), j.Pictures / 25.0, 0.09);
    if (!j.CopyTs) {
        TCustomAVProbe probe;
        ASSERT_TRUE(probe.LoadFile(out));
        EXPECT_NEAR(probe.FileHandle()->duration / 1e6, 3.0, 0.09);
    }
}

const TJump Jumps[] = {
    {"Corrected", false, 75},
    {"KeptWithCopyTs", true, 50},
};

INSTANTIATE_TEST_SUITE_P(Jumps, TimestampJump, ::testing::ValuesIn(Jumps),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// An FLV one of whose video tags says 13306.033 s (a flipped byte in its
// timestamp extension) where 1.6 s belongs: followed, the picture before it
// would be copied for hours into the output.
TEST_F(TranscodeFixture, DamagedTimestampPastTheEndIsDropped) {
    testmedia::ClipSpec spec;
    spec.FileName = folder + L"clip.flv";
    spec.Seconds = 3;
    spec.Video = testmedia::VideoSpec{320, 240, {25, 1}, "flv"};
    spec.Audio = {testmedia::AudioSpec{"libmp3lame", 44100}};
    ASSERT_EQ(testmedia::MakeClip(spec), "");
    std::string bytes = ReadAll(spec.FileName);
    // Tags after the 9-byte header and its 4-byte back pointer: type,
    // 24-bit data size, 24-bit timestamp, 8 high timestamp bits, stream id.
    int video = 0;
    size_t at = 13;
    for (; at + 11 <= bytes.size(); at += 11 + BigEndian24(bytes, at + 1) + 4)
        if (bytes[at] == 9 && ++video == 40) break;
    ASSERT_EQ(video, 40);
    const uint32_t wrong = 13306033;
    bytes[at + 4] = static_cast<char>((wrong >> 16) & 255);
    bytes[at + 5] = static_cast<char>((wrong >> 8) & 255);
    bytes[at + 6] = static_cast<char>(wrong & 255);
    bytes[at + 7] = static_cast<char>(wrong >> 24);
    const std::wstring damaged = folder + L"damaged.flv";
    testmedia::WriteBytes(damaged, bytes);

    const Watchdog watchdog(60000, "a damaged FLV timestamp was followed");
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.avi";
    ASSERT_TRUE(Convert(t, damaged, {}, out, {{L"vcodec", L"mpeg4"}, {L"acodec", L"mp2"}}));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    EXPECT_NEAR(probe.FileHandle()->duration / 1e6, 3.0, 0.09);
}

}  // namespace
