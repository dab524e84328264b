// An input that ends before its end (a half download whose index is whole)
// fails the task with a message naming the input and leaves no output; the
// whole file converts.
#include <gmock/gmock.h>

#include <fstream>
#include <iterator>

#include "TranscodeFixture.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

struct TCut {
    const char* Name;
    double Kept;  // share of the file's bytes kept
    bool Fails;
};

void PrintTo(const TCut& AC, std::ostream* AOut) { *AOut << AC.Name; }

class InputEnd : public TranscodeFixture, public ::testing::WithParamInterface<TCut> {};

TEST_P(InputEnd, CutFileFailsNamingTheInput) {
    const TCut& c = GetParam();
    // The index at the front, so that the cut leaves it whole.
    testmedia::ClipSpec spec;
    spec.FileName = folder + L"whole.mp4";
    spec.Seconds = 4;
    spec.Video = testmedia::VideoSpec{320, 240};
    spec.Audio = {testmedia::AudioSpec{}};
    spec.MuxerOptions = {{"movflags", "+faststart"}};
    ASSERT_EQ(testmedia::MakeClip(spec), "");
    std::ifstream in(spec.FileName.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::wstring input = folder + L"download.mp4";
    testmedia::WriteBytes(input, bytes.substr(0, static_cast<size_t>(bytes.size() * c.Kept)));

    TCustomFFmpeg t(4);
    std::wstring error;
    const std::wstring out = folder + L"out.avi";
    ASSERT_TRUE(Configure(t, input, {}, out, {{L"acodec", L"mp2"}}, error)) << U8(error);
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
    {"Whole", 1.0, false},
    {"ThreeQuarters", 0.75, true},
    {"AQuarter", 0.25, true},
};

INSTANTIATE_TEST_SUITE_P(Cuts, InputEnd, ::testing::ValuesIn(Cuts),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
