// Options that act on the input or the muxer: input looping, the loop count
// of an animated output, a capture device's video channel. Each either shows
// its effect on the output or is refused with a message saying why.
#include <gmock/gmock.h>

#include <cstdio>

#include "TranscodeFixture.h"

namespace {

std::string ReadAll(const std::wstring& AFile) {
    std::string data;
    if (FILE* f = _wfopen(AFile.c_str(), L"rb")) {
        char buffer[65536];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) data.append(buffer, n);
        fclose(f);
    }
    return data;
}

class OptionEffects : public TranscodeFixture {};

struct TLoop {
    const char* Name;
    TOptionList Options;
    double Seconds;
};

void PrintTo(const TLoop& AL, std::ostream* AOut) { *AOut << AL.Name; }

class InputLoop : public TranscodeFixture, public ::testing::WithParamInterface<TLoop> {};

// The one-second WAV read again until the recording time is reached.
TEST_P(InputLoop, OutputLastsAsLongAsAsked) {
    const TLoop& c = GetParam();
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"loop.wav";
    ASSERT_TRUE(Convert(t, media().Wav, c.Options, out, {{L"t", L"2.5"}}));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    // The recording time ends at the first packet at or after it.
    const double seconds = probe.FileStreamInfo().Duration / 1e6;
    EXPECT_GE(seconds, c.Seconds - 0.01);
    EXPECT_LT(seconds, c.Seconds + 0.2);
}

const TLoop Loops[] = {
    {"Once", {}, 1.0},
    {"Looped", {{L"loop_input", L"1"}}, 2.5},
};

INSTANTIATE_TEST_SUITE_P(Inputs, InputLoop, ::testing::ValuesIn(Loops),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// The application extension of an animated GIF: "NETSCAPE2.0", a 3-byte
// sub-block 1 and the loop count (little-endian).
TEST_F(OptionEffects, LoopOutputSetsTheGifLoopCount) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"anim.gif";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, {{L"s", L"80x60"}, {L"t", L"0.4"}, {L"loop_output", L"3"}}));
    const std::string data = ReadAll(out);
    const size_t at = data.find("NETSCAPE2.0");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(data.substr(at + 11, 4), std::string("\x03\x01\x03\x00", 4));
}

TEST_F(OptionEffects, LoopOutputOnAFormatWithoutLoopsIsRefused) {
    TCustomFFmpeg t(4);
    std::wstring error;
    EXPECT_FALSE(Configure(t, media().Mp4, {}, folder + L"loop.avi", {{L"loop_output", L"3"}}, error));
    EXPECT_EQ(error, L"The output format 'avi' has no option \"loop\" (value \"3\")");
}

TEST_F(OptionEffects, VideoChannelOfAFileIsRefused) {
    TCustomFFmpeg t(4);
    std::wstring error;
    EXPECT_FALSE(Configure(t, media().Mp4, {{L"vc", L"2"}}, folder + L"vc.avi", {}, error));
    EXPECT_EQ(error, media().Mp4 + L": the input format 'mov,mp4,m4a,3gp,3g2,mj2' has no video channel (option vc)");
}

}  // namespace
