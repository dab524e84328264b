// Option records: their not-set values, option text, and how a record and
// its free option text reach a task's transcoder.
#include <gmock/gmock.h>

#include <cstring>

#include "EncoderFixture.h"
#include "Src/AVProbe.h"

namespace {

TEST(OptionRecords, InitOutputOptionsGivesEveryNotSetValue) {
    TOutputOptions o;
    o.FileName = o.FileExt = o.FileFormat = o.AudioCodec = o.VideoFilters = o.ExtOptions = L"x";
    o.PacketSize = o.MuxRate = o.AudioSyncMethod = o.Tag = o.VideoSyncMethod = o.CropLeft = 7;
    o.MuxDelay = o.MuxPreload = 3;
    o.DisableAudio = o.Join = o.CustomHook = o.InputSync = true;
    o.TimeStart = o.TimeLength = 5;
    o.Info.TimeStamp = 2;
    o.Info.Year = o.Info.Track = 9;
    o.Info.Genre = L"g";
    o.TargetType = ttDVD;
    o.NormType = o.NormDefault = ntNTSC;
    o.Data = &o;
    InitOutputOptions(o);
    EXPECT_EQ(o.MuxDelay, -1.0f);
    EXPECT_EQ(o.MuxPreload, -1.0f);
    for (int v : {o.PacketSize, o.MuxRate, o.AudioVolume, o.AudioChannels, o.AudioSampleRate, o.AudioBitrate,
                  o.AudioBitRateTolerance, o.CropTop, o.CropBottom, o.CropLeft, o.CropRight, o.GroupPictureSize,
                  o.VideoBitrate, o.VideoMaxRate, o.VideoMinRate, o.VideoBitRateTolerance, o.VideoBufSize,
                  o.VideoSyncMethod})
        EXPECT_EQ(v, -1);
    EXPECT_EQ(o.AudioSyncMethod, 0);
    EXPECT_EQ(o.Tag, 0);
    EXPECT_EQ(o.TimeStart, INT64_MIN);
    EXPECT_EQ(o.TimeLength, INT64_MIN);
    EXPECT_EQ(o.Info.TimeStamp, -1.0);
    EXPECT_EQ(o.Info.Year, -1);
    EXPECT_EQ(o.Info.Track, -1);
    EXPECT_EQ(o.TargetType, ttIgnore);
    EXPECT_EQ(o.NormType, ntAuto);
    EXPECT_EQ(o.NormDefault, ntPAL);
    for (const std::wstring* s : {&o.FileName, &o.FileExt, &o.FileFormat, &o.AudioCodec, &o.AudioPreset,
                                  &o.AudioLanguage, &o.AudioTag, &o.VideoCodec, &o.VideoPreset, &o.FrameRate,
                                  &o.FrameSize, &o.FrameAspectRatio, &o.VideoTag, &o.VideoFilters, &o.VideoLanguage,
                                  &o.SubtitleCodec, &o.SubtitlePreset, &o.SubtitleLanguage, &o.ExtOptions,
                                  &o.Info.Title, &o.Info.Author, &o.Info.Copyright, &o.Info.Comment, &o.Info.Album,
                                  &o.Info.Genre})
        EXPECT_TRUE(s->empty());
    for (bool b : {o.DisableAudio, o.DisableVideo, o.DisableSubtitle, o.InputSync, o.CopyTimestamp, o.CustomHook, o.Join})
        EXPECT_FALSE(b);
    EXPECT_EQ(o.Data, nullptr);
}

TEST(OptionRecords, InitInputOptionsGivesEveryNotSetValue) {
    TInputOptions o{L"a", L"b", 5, 3, L"c", 4, &o};
    InitInputOptions(o);
    EXPECT_TRUE(o.FileName.empty() && o.FileFormat.empty() && o.ExtOptions.empty());
    EXPECT_EQ(o.TimeStart, INT64_MIN);
    EXPECT_EQ(o.ProgramID, -1);
    EXPECT_EQ(o.Tag, 0);
    EXPECT_EQ(o.Data, nullptr);
}

TEST(OptionRecords, OutputTextSetsFlagsWhateverTheirValues) {
    const TOutputOptions o =
        OutputOptionsFromText(L"  Join=0\r\nhOoK=no<CRLF>timestart=1500000\rTimeLength=abc\nab=128000\n\n");
    EXPECT_TRUE(o.Join);
    EXPECT_TRUE(o.CustomHook);
    EXPECT_EQ(o.TimeStart, 1500000);
    EXPECT_EQ(o.TimeLength, INT64_MIN);
    EXPECT_EQ(o.ExtOptions, L"ab=128000\n");
}

TEST(OptionRecords, InputTextKeepsOtherLinesVerbatim) {
    const TInputOptions o = InputOptionsFromText(L"TIMESTART=12x<CRLF>f=mp3<CRLF>flag<CRLF>a = b=c");
    EXPECT_EQ(o.TimeStart, INT64_MIN);
    EXPECT_EQ(o.ExtOptions, L"f=mp3\nflag=\na = b=c\n");
}

TEST(OptionRecords, ProgressIntervalIsClampedAt100) {
    TDIzizuZUR e;
    for (auto [in, out] : {std::pair{50, 100}, {100, 100}, {101, 101}, {-5, 100}}) {
        e.SetProgressInterval(in);
        EXPECT_EQ(e.ProgressInterval(), out) << in;
    }
}

class RecordApplication : public EncoderFixture {
protected:
    // A task on the MP4 clip with one output set from the record.
    std::shared_ptr<TFFmpeg> TaskWithOutput(TOutputOptions& AOptions, const std::wstring& AOutput) {
        const int index = encoder.AddTask(media().Mp4, PInputOptions(nullptr));
        EXPECT_EQ(index, 0) << U8(encoder.LastErrMsg());
        if (index < 0) return nullptr;
        EXPECT_TRUE(encoder.SetOutputFile(index, AOutput, &AOptions)) << U8(encoder.LastErrMsg());
        return encoder.Task(index);
    }
    static std::vector<AVCodecID> EncoderIds(const TFFmpeg& ATask) {
        std::vector<AVCodecID> ids;
        for (int k = 0; k < MAX_STREAMS; ++k)
            if (const AVCodecContext* enc = ATask.Foutput_setup[k].enc) ids.push_back(enc->codec_id);
        return ids;
    }
    TTestEncoder encoder;
};

TEST_F(RecordApplication, FreeTextSetsCodecWhenTheRecordLeavesItUnset) {
    TOutputOptions o;
    o.ExtOptions = L"vcodec=libx264<CRLF>vpre=fast";
    auto task = TaskWithOutput(o, Out(L"a.mkv"));
    ASSERT_TRUE(task);
    EXPECT_THAT(EncoderIds(*task), ::testing::Contains(AV_CODEC_ID_H264));
    // The built-in preset "libx264-fast" was loaded for it.
    for (int k = 0; k < MAX_STREAMS; ++k) {
        const AVCodecContext* enc = task->Foutput_setup[k].enc;
        if (enc && enc->codec_id == AV_CODEC_ID_H264) {
            EXPECT_EQ(enc->refs, 2);
        }
    }
    EXPECT_EQ(o.FileName, Out(L"a.mkv"));  // filled in the caller's record
}

TEST_F(RecordApplication, TypedFieldsOverrideTheSameOptionInFreeText) {
    TOutputOptions o;
    o.VideoCodec = L"mjpeg";
    o.ExtOptions = L"vcodec=mpeg4\nasync=1\nvsync=2\nalang=eng";
    auto task = TaskWithOutput(o, Out(L"b.avi"));
    ASSERT_TRUE(task);
    EXPECT_THAT(EncoderIds(*task), ::testing::Contains(AV_CODEC_ID_MJPEG));
    EXPECT_THAT(EncoderIds(*task), ::testing::Not(::testing::Contains(AV_CODEC_ID_MPEG4)));
    EXPECT_EQ(task->Faudio_sync_method, 0);
    EXPECT_EQ(task->Fvideo_sync_method, -1);
    EXPECT_EQ(task->Faudio_language, "");
}

TEST_F(RecordApplication, AddedStreamTakesThePendingCodecLine) {
    TOutputOptions o;
    o.AudioCodec = L"aac";
    o.ExtOptions = L"newaudio=\nacodec=mp2";
    auto task = TaskWithOutput(o, Out(L"c.mkv"));
    ASSERT_TRUE(task);
    const auto ids = EncoderIds(*task);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), AV_CODEC_ID_AAC), 1);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), AV_CODEC_ID_MP2), 1);
}

TEST_F(RecordApplication, TargetSetsTheDiscFormatInTheChosenNorm) {
    TOutputOptions o;
    o.TargetType = ttVCD;
    o.NormType = ntNTSC;
    auto task = TaskWithOutput(o, Out(L"v.mpg"));
    ASSERT_TRUE(task);
    bool sawVideo = false;
    for (int k = 0; k < MAX_STREAMS; ++k) {
        const AVCodecContext* enc = task->Foutput_setup[k].enc;
        if (!enc || enc->codec_type != AVMEDIA_TYPE_VIDEO) continue;
        sawVideo = true;
        EXPECT_EQ(enc->codec_id, AV_CODEC_ID_MPEG1VIDEO);
        EXPECT_EQ(enc->width, 352);
        EXPECT_EQ(enc->height, 240);
    }
    EXPECT_TRUE(sawVideo);
}

TEST_F(RecordApplication, TypedFieldsAndMetadataReachTheTask) {
    TOutputOptions o;
    o.AudioSampleRate = 22050;
    o.AudioChannels = 1;
    o.Info.Title = L"Night";
    o.Info.Year = 2001;
    o.Info.Track = 0;
    o.TimeLength = 2000000;
    auto task = TaskWithOutput(o, Out(L"d.mp3"));
    ASSERT_TRUE(task);
    EXPECT_EQ(task->Faudio_sample_rate, 22050);
    EXPECT_EQ(task->Faudio_channels, 1);
    EXPECT_EQ(task->Frecording_time, 2000000);
    EXPECT_THAT(task->Fmetadata, ::testing::ElementsAre(std::pair<std::string, std::string>("year", "2001"),
                                                        std::pair<std::string, std::string>("title", "Night")));
}

TEST_F(RecordApplication, TimeStampZeroMeansNowAndNegativeSetsNothing) {
    TOutputOptions o;
    o.Info.TimeStamp = 0;
    auto task = TaskWithOutput(o, Out(L"e.mp3"));
    ASSERT_TRUE(task);
    const int64_t now = static_cast<int64_t>(time(nullptr));
    EXPECT_NEAR(static_cast<double>(task->Frecording_timestamp), static_cast<double>(now), 5.0);
    encoder.ClearTasks();
    TOutputOptions unset;
    auto second = TaskWithOutput(unset, Out(L"f.mp3"));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Frecording_timestamp, 0);
}

TEST_F(RecordApplication, ABadCodecTagFailsAndLeavesTheTaskWithoutOutput) {
    TOutputOptions o;
    o.AudioTag = L"abc";
    ASSERT_EQ(encoder.AddTask(media().Mp4, PInputOptions(nullptr)), 0);
    EXPECT_FALSE(encoder.SetOutputFile(0, Out(L"g.avi"), &o));
    EXPECT_FALSE(encoder.LastErrMsg().empty());
    EXPECT_EQ(encoder.Task(0)->nb_output_files(), 0);
}

TEST_F(RecordApplication, InputRecordIgnoresPresetLinesAndKeepsAGivenFileName) {
    TInputOptions in;
    in.FileName = L"kept";
    in.ExtOptions = L"vpre=fast";
    in.ProgramID = 0;
    EXPECT_EQ(encoder.AddTask(media().Mp4, &in), 0) << U8(encoder.LastErrMsg());
    EXPECT_EQ(in.FileName, L"kept");
    TInputOptions empty;
    EXPECT_EQ(encoder.AddTask(media().Mkv, &empty), 1);
    EXPECT_EQ(empty.FileName, media().Mkv);
}

TEST_F(RecordApplication, FailedOpenLeavesNoTaskAndTheReason) {
    EXPECT_EQ(encoder.AddTask(media().Garbage, PInputOptions(nullptr)), -1);
    EXPECT_EQ(encoder.TasksCount(), 0);
    EXPECT_FALSE(encoder.LastErrMsg().empty());
}

TEST_F(RecordApplication, InputSlotsRunOutAtCustomMaxFiles) {
    encoder.CustomMaxFiles = 3;
    ASSERT_EQ(encoder.AddTask(media().Wav, PInputOptions(nullptr)), 0);
    EXPECT_TRUE(encoder.AddInputFile(0, media().Wav, PInputOptions(nullptr)));
    EXPECT_TRUE(encoder.AddInputFile(0, media().Wav, L"TimeStart=0"));
    EXPECT_FALSE(encoder.AddInputFile(0, media().Wav, PInputOptions(nullptr)));
    EXPECT_EQ(encoder.LastErrMsg(), L"max input files 3 reached");
    EXPECT_NE(encoder.GetTaskAVProbe(0, 2), nullptr);
    EXPECT_EQ(encoder.GetTaskAVProbe(0, 2)->FileHandle(), encoder.Task(0)->Finput_files[2]);
    EXPECT_THROW(encoder.GetTaskAVProbe(0, 3), Exception);
    EXPECT_THROW(encoder.GetTaskAVProbe(1, 0), Exception);
}

}  // namespace

namespace {

// "Join" in the output text, whatever its value, joins the task's inputs.
TEST_F(RecordApplication, JoinLineWritesTheTasksInputsOneAfterAnother) {
    ASSERT_EQ(encoder.AddTask(media().Mp4, PInputOptions(nullptr)), 0) << U8(encoder.LastErrMsg());
    ASSERT_TRUE(encoder.AddInputFile(0, media().Chinese, PInputOptions(nullptr))) << U8(encoder.LastErrMsg());
    const std::wstring out = Out(L"joined.mp4");
    ASSERT_TRUE(encoder.SetOutputFile(0, out, L"Join=0\nvcodec=mpeg4\ns=320x240")) << U8(encoder.LastErrMsg());
    EXPECT_EQ(encoder.Task(0)->nb_output_files(), 2);
    std::vector<int> ends;
    encoder.OnTerminate = [&](TObject*, const TCustomDIzizuZUR::TTerminateInfo& AInfo) {
        EXPECT_FALSE(AInfo.Exception) << U8(AInfo.ExceptionMsg);
        ends.push_back(AInfo.TaskIndex);
    };
    encoder.Start(0);
    EXPECT_THAT(ends, ::testing::ElementsAre(0, -1));
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out)) << U8(probe.LastErrMsg());
    EXPECT_NEAR(probe.FileHandle()->duration / 1e6, 10.0, 0.1);
}

}  // namespace

namespace {

// A disc record whose typed values contradict its target (the option lists
// of a disc format offer NTSC sizes, other rates and a low video rate): the
// target's own frame size, rate, sample rate and mux rate are what the disc
// holds, and a video rate below the target's minimum does not stop it.
struct TDiscRecord {
    const char* Name;
    TOptionTargetType Target;
    int Width, Height;
    int SampleRate;
    int64_t MuxRate;  // bit/s in the first pack header
};

void PrintTo(const TDiscRecord& AR, std::ostream* AOut) { *AOut << AR.Name; }

class DiscRecord : public RecordApplication, public ::testing::WithParamInterface<TDiscRecord> {};

TEST_P(DiscRecord, TheTargetsValuesWinOverContradictingTypedOnes) {
    const TDiscRecord& c = GetParam();
    TOutputOptions o;
    o.TargetType = c.Target;
    o.NormType = ntPAL;
    o.FrameSize = L"704*480";
    o.FrameRate = L"29.97";
    o.AudioSampleRate = 22050;
    o.VideoBitrate = 528000;
    o.TimeLength = 1000000;
    const std::wstring out = Out(L"disc.mpg");
    ASSERT_TRUE(TaskWithOutput(o, out));
    std::vector<TCustomDIzizuZUR::TTerminateInfo> ends;
    encoder.OnTerminate = [&](TObject*, const TCustomDIzizuZUR::TTerminateInfo& AInfo) { ends.push_back(AInfo); };
    encoder.Start(0);
    ASSERT_EQ(ends.size(), 2u);
    ASSERT_FALSE(ends[0].Exception) << U8(ends[0].ExceptionMsg);
    EXPECT_EQ(testmedia::FirstPackMuxRate(out), c.MuxRate);
    TCustomAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(out)) << U8(probe.LastErrMsg());
    const AVFormatContext* file = probe.FileHandle();
    ASSERT_EQ(probe.VideoStreamCount(), 1);
    ASSERT_EQ(probe.AudioStreamCount(), 1);
    const AVStream* video = file->streams[probe.FirstVideoStreamIndex()];
    EXPECT_EQ(video->codecpar->width, c.Width);
    EXPECT_EQ(video->codecpar->height, c.Height);
    EXPECT_EQ(video->r_frame_rate.num, 25);
    EXPECT_EQ(video->r_frame_rate.den, 1);
    EXPECT_EQ(file->streams[probe.FirstAudioStreamIndex()]->codecpar->sample_rate, c.SampleRate);
}

const TDiscRecord DiscRecords[] = {
    {"PalDvd", ttDVD, 720, 576, 48000, 10080000},
    {"PalVcd", ttVCD, 352, 288, 44100, 1411200},
};

INSTANTIATE_TEST_SUITE_P(Targets, DiscRecord, ::testing::ValuesIn(DiscRecords),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
