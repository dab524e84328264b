// Files of the shapes users bring convert, the way the main window converts
// a queued file, in an MP4 H.264 format, an AVI format and MP3, and read
// back with the streams, picture size and length asked for; sound that has
// a hole stays with the picture after it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "ConversionRoad.h"
#include "RealFiles.h"
#include "Src/AVProbe.h"
#include "Src/FFUtils.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "app/OutputRecord.h"
#include "platform/MainThread.h"
#include "tools/testmedia/TestMedia.h"

namespace realfiles {
void PrintTo(const TShape& AShape, std::ostream* AOut) { *AOut << AShape.Name; }
}  // namespace realfiles

namespace {

struct TTarget {
    const char* Name;
    int Key;  // catalogue key
};

// An MP4 with H.264, an AVI with MPEG-4 and MP3, and MP3 sound alone.
const TTarget Targets[] = {{"Mp4H264", 800}, {"Avi", 100}, {"Mp3", 200}};

void PrintTo(const TTarget& ATarget, std::ostream* AOut) { *AOut << ATarget.Name; }

using TCase = std::tuple<realfiles::TShape, TTarget>;

AVCodecID EncodedCodec(const std::wstring& AEncoder) {
    const AVCodec* codec = FindEncoderByName(WideToUtf8(AEncoder).c_str());
    return codec ? codec->id : AV_CODEC_ID_NONE;
}

class RealFiles : public ::testing::TestWithParam<TCase> {
protected:
    void SetUp() override {
        ASSERT_EQ(realfiles::MakeFiles(), "");
        platform::InitMainThread();
        logger.TriggerEventInMainThread = false;
        logger.SetOnLog([this](TObject*, uint32_t, TLogLevel ALevel, const std::wstring& AText) {
            if (ALevel <= llWarning) logged.push_back(AText);
        });
        outputs = testmedia::ScratchFolder(L"vantrel-realfiles-out");
    }
    void TearDown() override {
        if (HasFailure())
            for (const auto& e : logged) std::printf("logged: %s\n", WideToUtf8(e).c_str());
        testmedia::RemoveFolder(outputs);
    }

    TFFLogger logger;
    std::vector<std::wstring> logged;
    std::wstring outputs;
};

TEST_P(RealFiles, ConvertsAndReadsBack) {
    const auto& [shape, target] = GetParam();
    const std::wstring input = realfiles::PathOf(shape);
    formats::TFormatSettings s;
    ASSERT_TRUE(road::FormatSettings(target.Key, input, outputs.substr(0, outputs.size() - 1), s));
    if (shape.Filters) {
        // The filters set the frame rate; a rate of the format's own would
        // take the pictures back to it.
        s.Video_VideoFilters = shape.Filters;
        s.Video_FrameRate.clear();
    }
    const std::wstring output = s.Video_OutPutFileName;
    TOutputOptions record;
    InitOutputOptions(record);
    formats::FillOutputOptions(s, record);
    const road::TConversion c = road::Convert(input, output, record);
    ASSERT_EQ(c.Stage, "") << WideToUtf8(c.Message);
    EXPECT_EQ(c.Notifications, 2);

    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(output)) << WideToUtf8(probe.LastErrMsg());
    AVFormatContext* file = probe.FileHandle();
    ASSERT_EQ(probe.AudioStreamCount(), 1);
    const AVCodecParameters* audio = file->streams[probe.FirstAudioStreamIndex()]->codecpar;
    if (!s.Video_AudioCodec.empty()) {
        EXPECT_EQ(audio->codec_id, EncodedCodec(s.Video_AudioCodec));
    }
    const bool video = shape.HasVideo && !s.Video_DisableVideo;
    ASSERT_EQ(probe.VideoStreamCount(), video ? 1 : 0);
    if (video) {
        const AVCodecParameters* v = file->streams[probe.FirstVideoStreamIndex()]->codecpar;
        if (!s.Video_VideoCodec.empty()) {
            EXPECT_EQ(v->codec_id, EncodedCodec(s.Video_VideoCodec));
        }
        const std::wstring size = std::to_wstring(v->width) + L"*" + std::to_wstring(v->height);
        EXPECT_EQ(size, s.Video_FrameSize.empty() ? std::to_wstring(shape.Width) + L"*" + std::to_wstring(shape.Height)
                                                  : s.Video_FrameSize);
    }
    ASSERT_GT(file->duration, 0);
    EXPECT_NEAR(file->duration / 1e6, shape.Seconds, shape.Seconds * 0.03);

    if (video && shape.FilteredRate) {
        const double pictures = shape.FilteredRate * shape.Seconds;
        EXPECT_NEAR(realfiles::DecodedPictures(output), pictures, pictures * 0.03 + 1);
    }
    if (shape.Marked) {
        // Measured on the decoded output: the beep sounds with the flash;
        // sound alone has it where the source has it.
        const double beep = realfiles::BeepTime(output);
        ASSERT_GE(beep, 0) << "no beep";
        if (video) {
            const double flash = realfiles::FlashTime(output);
            ASSERT_GE(flash, 0) << "no flash";
            EXPECT_NEAR(beep, flash, 0.04);
        } else {
            EXPECT_NEAR(beep, realfiles::MarkAt, 0.04);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, RealFiles,
                         ::testing::Combine(::testing::ValuesIn(realfiles::Shapes().begin(), realfiles::Shapes().end()),
                                            ::testing::ValuesIn(Targets)),
                         [](const ::testing::TestParamInfo<TCase>& AInfo) {
                             return std::string(std::get<0>(AInfo.param).Name) + "To" + std::get<1>(AInfo.param).Name;
                         });

}  // namespace
