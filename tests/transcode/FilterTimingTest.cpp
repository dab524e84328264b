// What the user's filter chain does to the pictures' timing and shape is
// what gets encoded: a chain that changes the frame rate, drops pictures or
// doubles them, or sets the pixel shape, is not undone by duplicated or
// dropped pictures afterwards.
#include <gmock/gmock.h>

#include <string>

#include "ReadBack.h"
#include "TranscodeFixture.h"

namespace {

struct TChainCase {
    const char* Name;
    const wchar_t* Chain;
    const wchar_t* Output;
    int Pictures;         // encoded in the two seconds
    AVRational Rate;      // the output's average rate; 0/1: not checked
    AVRational Aspect;    // the output's pixel shape; 0/1: not checked
};

void PrintTo(const TChainCase& AC, std::ostream* AOut) { *AOut << AC.Name; }

class FilterChain : public TranscodeFixture, public ::testing::WithParamInterface<TChainCase> {
protected:
    // Two seconds at 25 pictures a second, with square pixels.
    std::wstring Source() {
        testmedia::ClipSpec spec;
        spec.FileName = folder + L"source.mkv";
        spec.Seconds = 2;
        spec.Video = testmedia::VideoSpec{320, 240};
        EXPECT_EQ(testmedia::MakeClip(spec), "");
        return spec.FileName;
    }
};

TEST_P(FilterChain, EncodesWhatTheChainGives) {
    const TChainCase& c = GetParam();
    const std::wstring input = Source();
    TCustomFFmpeg t(4);
    const std::wstring out = folder + c.Output;
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"vcodec", L"mpeg4"}, {L"vf", c.Chain}}));
    const auto streams = readback::Streams(out);
    const readback::TStream* video = readback::First(streams, AVMEDIA_TYPE_VIDEO);
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->Packets, c.Pictures);
    EXPECT_NEAR(video->End - video->Start, 2.0, 0.1);
    if (c.Rate.num) {
        EXPECT_NEAR(av_q2d(video->AverageRate), av_q2d(c.Rate), 0.01);
    }
    if (c.Aspect.num) {
        EXPECT_EQ(video->SampleAspect.num, c.Aspect.num);
        EXPECT_EQ(video->SampleAspect.den, c.Aspect.den);
    }
}

const TChainCase ChainCases[] = {
    {"TenPerSecondMp4", L"fps=10", L"out.mp4", 20, {10, 1}, {0, 1}},
    {"TenPerSecondAvi", L"fps=10", L"out.avi", 20, {10, 1}, {0, 1}},
    {"EveryOtherPicture", L"select='not(mod(n,2))'", L"out.mp4", 25, {0, 1}, {0, 1}},
    {"FieldsAsPictures", L"yadif=1", L"out.mp4", 100, {50, 1}, {0, 1}},
    {"PixelShape", L"setsar=2/1", L"out.mp4", 50, {25, 1}, {2, 1}},
};

INSTANTIATE_TEST_SUITE_P(Chains, FilterChain, ::testing::ValuesIn(ChainCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// Without a chain of the user's the pixel shape is the one asked for, also
// when the scaler changes the size.
TEST_F(FilterChain, AspectOptionHoldsThroughTheScaler) {
    const std::wstring input = Source();
    TCustomFFmpeg t(4);
    const std::wstring out = folder + L"out.mp4";
    // Deinterlacing builds the graph without a chain of the user's.
    ASSERT_TRUE(Convert(t, input, {}, out, {{L"vcodec", L"mpeg4"}, {L"deinterlace", L"1"}, {L"s", L"160x120"}, {L"aspect", L"16:9"}}));
    const auto streams = readback::Streams(out);
    const readback::TStream* video = readback::First(streams, AVMEDIA_TYPE_VIDEO);
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->Width, 160);
    // 16:9 shown on 160x120 pixels: each pixel 4/3 as wide as high.
    EXPECT_EQ(video->SampleAspect.num, 4);
    EXPECT_EQ(video->SampleAspect.den, 3);
}

}  // namespace
