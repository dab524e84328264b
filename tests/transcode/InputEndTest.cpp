// The end of an input as its demuxer tells it: a half download fails the
// task with a message naming the input and leaves no output; a whole file
// converts, whatever its header counts (AVI headers count a frame more than
// they hold, MOV and AVI count PCM sound in samples).
#include <gmock/gmock.h>

#include <fstream>
#include <iterator>

#include "TranscodeFixture.h"

using ::testing::StartsWith;

namespace {

std::string ReadAll(const std::wstring& AName) {
    std::ifstream in(AName.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t BigEndian32(const std::string& ABytes, size_t AAt) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(ABytes[AAt + i]);
    return v;
}

// Offset and size of the top-level MP4 box of that type; size 0 when none.
std::pair<size_t, size_t> TopBox(const std::string& ABytes, const char* AType) {
    for (size_t at = 0; at + 8 <= ABytes.size();) {
        const size_t size = BigEndian32(ABytes, at);
        if (size < 8) break;
        if (ABytes.compare(at + 4, 4, AType) == 0) return {at, size};
        at += size;
    }
    return {0, 0};
}

enum class TCutAt { Nowhere, Share, InsideIndex };

struct TCut {
    const char* Name;
    const char* File;  // the whole file: its extension chooses the muxer
    const char* VideoEncoder;
    const char* AudioEncoder;
    int SampleRate;
    bool FastStart;    // MP4 and MOV: the index before the packets
    TCutAt At;
    double Kept;       // TCutAt::Share: share of the file's bytes kept
    bool Fails;
};

void PrintTo(const TCut& AC, std::ostream* AOut) { *AOut << AC.Name; }

class InputEnd : public TranscodeFixture, public ::testing::WithParamInterface<TCut> {};

TEST_P(InputEnd, OnlyAFileCutShortFailsAndNamesTheInput) {
    const TCut& c = GetParam();
    testmedia::ClipSpec spec;
    spec.FileName = folder + Utf8ToWide(c.File);
    spec.Seconds = 4;
    spec.Video = testmedia::VideoSpec{320, 240};
    spec.Video.Encoder = c.VideoEncoder;
    testmedia::AudioSpec audio;
    audio.Encoder = c.AudioEncoder;
    audio.SampleRate = c.SampleRate;
    spec.Audio = {audio};
    if (c.FastStart) spec.MuxerOptions = {{"movflags", "+faststart"}};
    ASSERT_EQ(testmedia::MakeClip(spec), "");

    std::wstring input = spec.FileName;
    if (c.At != TCutAt::Nowhere) {
        const std::string bytes = ReadAll(spec.FileName);
        size_t kept = static_cast<size_t>(bytes.size() * c.Kept);
        if (c.At == TCutAt::InsideIndex) {
            const auto [at, size] = TopBox(bytes, "moov");
            ASSERT_GT(size, 0u) << "no index";
            kept = at + size / 2;
        }
        input = folder + L"download" + spec.FileName.substr(spec.FileName.rfind(L'.'));
        testmedia::WriteBytes(input, bytes.substr(0, kept));
    }

    TCustomFFmpeg t(4);
    std::wstring error;
    const std::wstring out = folder + L"out.avi";
    if (!Configure(t, input, {}, out, {{L"acodec", L"mp2"}}, error)) {
        // A file cut before its index is whole is refused when it is opened.
        EXPECT_TRUE(c.Fails) << U8(error);
        EXPECT_THAT(U8(error), StartsWith(U8(input) + ": "));
        EXPECT_EQ(FileSizeByName(out), -1);
        return;
    }
    t.StartConvert(false);
    if (!c.Fails) {
        EXPECT_FALSE(t.FatalException()) << U8(t.FatalMessage());
        EXPECT_TRUE(t.Finished());
        EXPECT_GT(FileSizeByName(out), 0);
        return;
    }
    EXPECT_TRUE(t.FatalException());
    EXPECT_FALSE(t.Finished());
    EXPECT_THAT(U8(t.FatalMessage()), StartsWith(U8(input) + ": "));
    EXPECT_EQ(FileSizeByName(out), -1) << "an output that looks finished was left";
    EXPECT_EQ(t.OpenCodecCount(), 0);
}

const TCut Cuts[] = {
    {"Mp4Whole", "whole.mp4", "mpeg4", "aac", 44100, true, TCutAt::Nowhere, 1, false},
    {"Mp4CutAfterItsIndexAtThreeQuarters", "whole.mp4", "mpeg4", "aac", 44100, true, TCutAt::Share, 0.75, true},
    {"Mp4CutAfterItsIndexAtAQuarter", "whole.mp4", "mpeg4", "aac", 44100, true, TCutAt::Share, 0.25, true},
    {"Mp4CutInsideItsIndex", "whole.mp4", "mpeg4", "aac", 44100, true, TCutAt::InsideIndex, 0, true},
    {"Mp4CutBeforeItsIndex", "whole.mp4", "mpeg4", "aac", 44100, false, TCutAt::Share, 0.75, true},
    {"AviMpeg4Mp3Whole", "whole.avi", "mpeg4", "libmp3lame", 44100, false, TCutAt::Nowhere, 1, false},
    {"AviPcmWhole", "whole.avi", "mpeg4", "pcm_s16le", 48000, false, TCutAt::Nowhere, 1, false},
    {"AviCutShort", "whole.avi", "mpeg4", "libmp3lame", 44100, false, TCutAt::Share, 0.6, true},
    {"MovPcmWhole", "whole.mov", "libx264", "pcm_s16le", 48000, false, TCutAt::Nowhere, 1, false},
    {"MovPcmCutAfterItsIndex", "whole.mov", "libx264", "pcm_s16le", 48000, true, TCutAt::Share, 0.5, true},
};

INSTANTIATE_TEST_SUITE_P(Cuts, InputEnd, ::testing::ValuesIn(Cuts),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
