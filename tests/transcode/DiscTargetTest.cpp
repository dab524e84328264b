// Disc targets write their muxer and encoder settings into the output, and
// the generic option setter reaches the muxer's and the encoders' private
// options, refusing what it cannot apply.
#include <gmock/gmock.h>

#include <cstdio>

#include "TranscodeFixture.h"

using ::testing::StartsWith;

namespace {

// Whether the file holds the byte sequence.
bool FileContains(const std::wstring& AFile, const std::string& ABytes) {
    FILE* f = _wfopen(AFile.c_str(), L"rb");
    if (!f) return false;
    std::string data;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) data.append(buffer, n);
    fclose(f);
    return data.find(ABytes) != std::string::npos;
}

// The user data an MPEG-2 encoder reserves for the SVCD scan offsets.
const std::string kScanOffsetData("\x00\x00\x01\xB2\x10\x0E\x00\x80\x81\x00\x80\x81\xFF\xFF", 14);

// At most this much of the first sound frame comes before the preload (MP2
// and AC-3 start with one frame of delay).
constexpr double kEncoderDelay = 0.04;

struct TDisc {
    const char* Name;
    const wchar_t* Target;
    int64_t MuxRate;     // bit/s in the pack headers
    double FirstPacket;  // seconds: the muxer's preload
    bool ScanOffsets;
};

void PrintTo(const TDisc& AD, std::ostream* AOut) { *AOut << AD.Name; }

class DiscTarget : public TranscodeFixture, public ::testing::WithParamInterface<TDisc> {};

TEST_P(DiscTarget, WritesTheTargetsMuxerAndEncoderSettings) {
    const TDisc& c = GetParam();
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"disc.mpg";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out, {{L"target", c.Target}, {L"t", L"1"}}));
    if (c.MuxRate > 0) {
        EXPECT_EQ(testmedia::FirstPackMuxRate(out), c.MuxRate);
    }
    EXPECT_EQ(FileContains(out, kScanOffsetData), c.ScanOffsets);
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    const AVFormatContext* file = probe.FileHandle();
    // The first time stamp is the preload plus the sound encoder's delay.
    ASSERT_NE(file->start_time, AV_NOPTS_VALUE);
    EXPECT_GE(file->start_time / 1e6, c.FirstPacket);
    EXPECT_LT(file->start_time / 1e6, c.FirstPacket + kEncoderDelay);
}

const TDisc Discs[] = {
    {"PalVcd", L"pal-vcd", 1411200, 0.44, false},
    {"PalSvcd", L"pal-svcd", 0, 0.5, true},
    {"PalDvd", L"pal-dvd", 10080000, 0.5, false},
};

INSTANTIATE_TEST_SUITE_P(Targets, DiscTarget, ::testing::ValuesIn(Discs),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

class PrivateOptions : public TranscodeFixture {};

TEST_F(PrivateOptions, MuxerOptionsReachTheMuxer) {
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"rate.mpg";
    ASSERT_TRUE(Convert(t, media().Mp4, {}, out,
                        {{L"f", L"mpeg"}, {L"vcodec", L"mpeg1video"}, {L"acodec", L"mp2"}, {L"t", L"1"},
                         {L"muxrate", L"4000000"}, {L"muxpreload", L"0.3"}}));
    EXPECT_EQ(testmedia::FirstPackMuxRate(out), 4000000);
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out));
    EXPECT_GE(probe.FileHandle()->start_time / 1e6, 0.3);
    EXPECT_LT(probe.FileHandle()->start_time / 1e6, 0.3 + kEncoderDelay);
}

struct TRefusal {
    const char* Name;
    TOptionList Options;
    const wchar_t* Output;
    std::wstring Error;  // of the output's creation, or of the run when it is created
    bool AtOpen;
};

void PrintTo(const TRefusal& AR, std::ostream* AOut) { *AOut << AR.Name; }

class Refusal : public TranscodeFixture, public ::testing::WithParamInterface<TRefusal> {};

TEST_P(Refusal, NamesTheOptionAndTheReason) {
    const TRefusal& c = GetParam();
    TCustomFFmpeg t(4);
    std::wstring error;
    const std::wstring out = folder + c.Output;
    const bool configured = Configure(t, media().Mp4, {}, out, c.Options, error);
    if (c.AtOpen) {
        EXPECT_FALSE(configured);
        EXPECT_EQ(error, c.Error);
        return;
    }
    ASSERT_TRUE(configured) << U8(error);
    t.StartConvert(false);
    EXPECT_TRUE(t.FatalException());
    EXPECT_EQ(t.FatalMessage(), c.Error);
    EXPECT_EQ(FileSizeByName(out), -1);
}

const TRefusal Refusals[] = {
    {"MuxerOptionTheFormatLacks", {{L"muxrate", L"1000000"}}, L"rate.mp4",
     L"The output format 'mp4' has no option \"muxrate\" (value \"1000000\")", true},
    {"PreloadTheFormatLacks", {{L"muxpreload", L"0.2"}}, L"preload.mkv",
     L"The output format 'matroska' has no option \"preload\" (value \"200000\")", true},
    {"EncoderOptionNoEncoderHas", {{L"crf", L"20"}, {L"acodec", L"mp2"}}, L"crf.avi",
     L"No encoder of the output has the option \"crf\" (value \"20\")", false},
    // The encoder's own reason, not a guess at what might be wrong.
    {"EncoderRefusesItsRates",
     {{L"vcodec", L"mpeg1video"}, {L"b", L"500000"}, {L"minrate", L"1000000"}, {L"maxrate", L"1000000"},
      {L"bufsize", L"327680"}, {L"acodec", L"mp2"}},
     L"low.mpg", L"Error while opening encoder for output stream #0.0 (Video): bitrate below min bitrate", false},
};

INSTANTIATE_TEST_SUITE_P(Options, Refusal, ::testing::ValuesIn(Refusals),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
