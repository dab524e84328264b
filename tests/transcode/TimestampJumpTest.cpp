// An input whose timestamps jump back (two MPEG-TS recordings joined byte
// for byte, as a broadcast capture may hold them) converts into one output
// as long as both together: the main loop moves the input's offset over the
// jump. With copyts the timestamps stay as they are, so the second
// recording's pictures fall before the first's end and are dropped.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "PacketFiles.h"
#include "TranscodeFixture.h"

namespace {

using namespace packetfiles;

std::string ReadAll(const std::wstring& AName) {
    std::ifstream in(AName.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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

}  // namespace
