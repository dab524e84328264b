// The sound of a conversion follows the input's own sound and clock: a
// stream whose channel layout changes midway (a broadcast going from 5.1 to
// stereo) converts whole, and a hole in the input's sound stays a hole of
// the same length, so the sound after it is where the input has it.
#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PacketFiles.h"
#include "ReadBack.h"
#include "TranscodeFixture.h"

namespace {

using namespace packetfiles;

class AudioTiming : public LoggedTranscodeFixture {
protected:
    // A clip of sound only, as packets in its own time base.
    std::vector<TPacketPtr> SoundPackets(const wchar_t* AName, const testmedia::AudioSpec& AAudio, double ASeconds,
                                         TCodecContextPtr* AParams, AVRational& ATimeBase) {
        testmedia::ClipSpec spec;
        spec.FileName = folder + AName;
        spec.Seconds = ASeconds;
        spec.HasVideo = false;
        spec.Audio = {AAudio};
        EXPECT_EQ(testmedia::MakeClip(spec), "");
        return ReadPackets(spec.FileName, AParams, &ATimeBase);
    }
};

// Two seconds of AC-3: one of 5.1 sound, then one of stereo, in one stream
// with continuous timestamps.
TEST_F(AudioTiming, ChannelLayoutChangingMidwayConvertsWhole) {
    TCodecContextPtr params;
    AVRational tb{}, tb2{};
    std::vector<TPacketPtr> packets = SoundPackets(L"surround.nut", {"ac3", 48000, 6}, 1.0, &params, tb);
    std::vector<TPacketPtr> stereo = SoundPackets(L"stereo.nut", {"ac3", 48000, 2}, 1.0, nullptr, tb2);
    ASSERT_FALSE(packets.empty());
    ASSERT_FALSE(stereo.empty());
    const int64_t shift = ff::av_rescale_q(packets.back()->pts + packets.back()->duration, tb, tb2);
    for (TPacketPtr& p : stereo) {
        p->pts += shift;
        p->dts += shift;
        ff::av_packet_rescale_ts(p.get(), tb2, tb);
        packets.push_back(std::move(p));
    }
    const std::wstring input = folder + L"changing.nut";
    ASSERT_EQ(WriteNut(input, params.get(), tb, packets), "");

    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.wav";
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"acodec", L"pcm_s16le"}, {L"ac", L"2"}}));
    const auto streams = readback::Streams(out);
    const readback::TStream* sound = readback::First(streams, AVMEDIA_TYPE_AUDIO);
    ASSERT_NE(sound, nullptr);
    EXPECT_NEAR(sound->End - std::max(0.0, sound->Start), 2.0, 0.06);
    EXPECT_EQ(Logged("audio changed to stereo"), 1u);
    // Both halves carry the tone (the first from the centre channel, mixed
    // into both sides).
    int rate = 0;
    const std::vector<float> samples = readback::Sound(out, rate);
    ASSERT_GT(rate, 0);
    EXPECT_NEAR(readback::SoundStartsAt(samples, rate, 0.5, 0.01f), 0.5, 0.01);
    EXPECT_NEAR(readback::SoundStartsAt(samples, rate, 1.5, 0.01f), 1.5, 0.01);
}

struct THoleCase {
    const char* Name;
    const wchar_t* Output;
    const wchar_t* Codec;
};

void PrintTo(const THoleCase& AC, std::ostream* AOut) { *AOut << AC.Name; }

class SoundHole : public AudioTiming, public ::testing::WithParamInterface<THoleCase> {};

// Six seconds of a tone with its packets from 2 s to 4 s missing: the output
// is silent there and the tone comes back when the input's does, in every
// container, also in those that keep no timestamps.
TEST_P(SoundHole, SoundAfterTheHoleStaysInPlace) {
    TCodecContextPtr params;
    AVRational tb{};
    std::vector<TPacketPtr> all = SoundPackets(L"tone.nut", {"mp2", 44100, 2}, 6.0, &params, tb);
    ASSERT_GT(all.size(), 100u);
    std::vector<TPacketPtr> kept;
    double resumes = -1;
    for (TPacketPtr& p : all) {
        const double t = p->pts * av_q2d(tb);
        if (t >= 2.0 && t < 4.0) continue;
        if (t >= 4.0 && resumes < 0) resumes = t;
        kept.push_back(std::move(p));
    }
    const std::wstring input = folder + L"hole.nut";
    ASSERT_EQ(WriteNut(input, params.get(), tb, kept), "");

    TCustomFFmpeg t(4);
    const std::wstring out = folder + GetParam().Output;
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"acodec", GetParam().Codec}}));
    int rate = 0;
    const std::vector<float> samples = readback::Sound(out, rate);
    ASSERT_GT(rate, 0);
    EXPECT_NEAR(static_cast<double>(samples.size()) / rate, 6.0, 0.1);
    // Silent in the hole (after the encoder's own edge), the tone back on time.
    EXPECT_NEAR(readback::SoundStartsAt(samples, rate, 2.2), resumes, 0.04);
}

const THoleCase HoleCases[] = {
    {"Wav", L"out.wav", L"pcm_s16le"},
    {"Mp3", L"out.mp3", L"libmp3lame"},
    {"AviMp3", L"out.avi", L"libmp3lame"},
    {"Mp4Aac", L"out.mp4", L"aac"},
};

INSTANTIATE_TEST_SUITE_P(Containers, SoundHole, ::testing::ValuesIn(HoleCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
