// Seeking and decoding with the probe: the picture of a time, key-frame and
// frame stepping, the end of the file, and the bitmap with the source's
// colours. The test video shows its frame number in its bottom-left corner.
#include <gmock/gmock.h>

#include "ProbeFixture.h"
#include "Src/AVProbe.h"

using ::testing::StartsWith;

namespace {

class Decode : public ProbeFixture, public ::testing::WithParamInterface<std::wstring testmedia::MediaSet::*> {
protected:
    void SetUp() override {
        ProbeFixture::SetUp();
        ASSERT_TRUE(probe.LoadFile(media().*GetParam())) << WideToUtf8(probe.LastErrMsg());
    }
    int FrameNumber() {
        TBitmap bmp(0, 0, pf24bit);
        EXPECT_TRUE(probe.CopyToBitmap(bmp));
        if (bmp.Width() <= 0) return -1;
        return testmedia::FrameNumberFromPicture([&](int x, int y) { return BitmapPixel(bmp, x, y); }, bmp.Height());
    }
    TAVProbe probe;
};

TEST_P(Decode, SeekingToTwoSecondsGivesThePictureOfThatTime) {
    ASSERT_TRUE(probe.Seek(2000000));
    ASSERT_TRUE(probe.Decode());
    const TFrameInfo f = probe.FrameInfo();
    EXPECT_EQ(f.PTS, 2000000);
    EXPECT_TRUE(f.IsKeyFrame);
    EXPECT_EQ(f.PictureType, ptI);
    EXPECT_EQ(f.Width, 640);
    EXPECT_EQ(f.Height, 480);
    EXPECT_EQ(f.StreamIndex, 0);
    EXPECT_GE(f.Position, 0);
    EXPECT_EQ(FrameNumber(), 50);
}

TEST_P(Decode, TheBitmapHasTheColoursOfTheBars) {
    ASSERT_TRUE(probe.Seek(2000000));
    ASSERT_TRUE(probe.Decode());
    TBitmap bmp(0, 0, pf24bit);
    ASSERT_TRUE(probe.CopyToBitmap(bmp));
    ASSERT_EQ(bmp.Width(), 640);
    ASSERT_EQ(bmp.Height(), 480);
    // The top bars from the left: grey, yellow, cyan, green, magenta, red, blue.
    const unsigned expected[7] = {0xC0C0C0, 0xC0C000, 0x00C0C0, 0x00C000, 0xC000C0, 0xC00000, 0x0000C0};
    for (int bar = 0; bar < 7; ++bar) {
        const unsigned p = BitmapPixel(bmp, bar * 640 / 7 + 45, 100);
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(static_cast<int>((p >> shift) & 255), static_cast<int>((expected[bar] >> shift) & 255), 30)
                << "bar " << bar << " channel " << shift;
    }
}

TEST_P(Decode, NextKeyFrameIsOneSecondLater) {
    ASSERT_TRUE(probe.Seek(2000000));
    ASSERT_TRUE(probe.Decode());
    ASSERT_TRUE(probe.DecodeNextKeyFrame());
    EXPECT_EQ(probe.FrameInfo().PTS, 3000000);
    EXPECT_TRUE(probe.FrameInfo().IsKeyFrame);
    EXPECT_EQ(FrameNumber(), 75);
}

TEST_P(Decode, PreviousFrameIsTheOneBefore) {
    ASSERT_TRUE(probe.Seek(2000000));
    ASSERT_TRUE(probe.Decode());
    ASSERT_TRUE(probe.DecodePreviousFrame());
    EXPECT_EQ(probe.FrameInfo().PTS, 1960000);  // the first picture after 1.92 s
    EXPECT_EQ(FrameNumber(), 49);
}

TEST_P(Decode, PreviousKeyFrameIsOneSecondEarlier) {
    ASSERT_TRUE(probe.Seek(2000000));
    ASSERT_TRUE(probe.Decode());
    ASSERT_TRUE(probe.DecodePreviousKeyFrame());
    EXPECT_EQ(probe.FrameInfo().PTS, 1000000);
    EXPECT_TRUE(probe.FrameInfo().IsKeyFrame);
    EXPECT_EQ(FrameNumber(), 25);
}

TEST_P(Decode, PreviousKeyFrameEndsAtTheStartOfTheFile) {
    ASSERT_TRUE(probe.Seek(0));
    ASSERT_TRUE(probe.Decode());
    EXPECT_EQ(probe.FrameInfo().PTS, 0);
    ASSERT_TRUE(probe.Decode());  // the second picture
    ASSERT_TRUE(probe.DecodePreviousKeyFrame());
    EXPECT_EQ(probe.FrameInfo().PTS, 0);
    EXPECT_EQ(FrameNumber(), 0);
}

TEST_P(Decode, ANegativeTimeSeeksToTheStart) {
    ASSERT_TRUE(probe.Seek(3000000));
    ASSERT_TRUE(probe.Seek(-5));
    ASSERT_TRUE(probe.Decode());
    EXPECT_EQ(probe.FrameInfo().PTS, 0);
    EXPECT_EQ(FrameNumber(), 0);
}

TEST_P(Decode, TheLastPicturesAreNotLostAtTheEnd) {
    ASSERT_TRUE(probe.Seek(4000000));
    int last = -1, count = 0;
    while (probe.Decode()) {
        last = FrameNumber();
        ++count;
    }
    EXPECT_EQ(last, 124);
    EXPECT_EQ(count, 25);
    EXPECT_TRUE(probe.Eof());
    EXPECT_EQ(probe.LastErrMsg(), L"stream eof reached.");
    EXPECT_FALSE(probe.Decode());
    EXPECT_EQ(probe.LastErrMsg(), L"stream eof reached.");
    ASSERT_TRUE(probe.Seek(1000000));  // a seek clears the end
    EXPECT_FALSE(probe.Eof());
    EXPECT_TRUE(probe.Decode());
}

INSTANTIATE_TEST_SUITE_P(Containers, Decode, ::testing::Values(&testmedia::MediaSet::Mp4, &testmedia::MediaSet::Mkv),
                         [](const auto& info) {
                             return info.param == &testmedia::MediaSet::Mp4 ? std::string("Mp4") : std::string("Mkv");
                         });

class DecodeErrors : public ProbeFixture {
protected:
    TAVProbe probe;
};

TEST_F(DecodeErrors, NoPictureBeforeTheFirstDecode) {
    ASSERT_TRUE(probe.LoadFile(media().Mp4));
    TBitmap bmp(0, 0, pf24bit);
    EXPECT_FALSE(probe.CopyToBitmap(bmp));
    EXPECT_EQ(probe.LastErrMsg(), L"picture not ready, please decode first");
}

TEST_F(DecodeErrors, AFileWithoutVideoHasNothingToDecode) {
    ASSERT_TRUE(probe.LoadFile(media().Mp3));
    EXPECT_FALSE(probe.Decode());
    EXPECT_EQ(probe.LastErrMsg(), L"no video stream.");
    EXPECT_FALSE(probe.Decode(0));
    EXPECT_EQ(probe.LastErrMsg(), L"stream #0 is not video stream.");
    EXPECT_FALSE(probe.Decode(5));
    EXPECT_EQ(probe.LastErrMsg(), L"stream index #5 is invalid.");
}

TEST_F(DecodeErrors, AnAttachedFileCannotBeSeeked) {
    TAVProbe owner;
    ASSERT_TRUE(owner.LoadFile(media().Mp4));
    probe.SetFileHandle(owner.FileHandle());
    EXPECT_THROW(probe.Seek(1000000), EEngineError);
    EXPECT_THROW(probe.Decode(), EEngineError);
    EXPECT_EQ(probe.LastErrMsg(), L"file cannot be seeked, handle is readonly.");
}

TEST_F(DecodeErrors, WithoutAFileNothingMoves) {
    EXPECT_FALSE(probe.Seek(0));
    EXPECT_EQ(probe.LastErrMsg(), L"file not loaded.");
    EXPECT_EQ(probe.Position(), -1);
}

TEST_F(DecodeErrors, AStillPictureIsDecodedOnceAndNotSeeked) {
    ASSERT_TRUE(probe.LoadFile(media().Still));
    EXPECT_EQ(probe.FormatName(), L"image2");
    ASSERT_TRUE(probe.Decode());
    const int64_t position = probe.Position();
    ASSERT_TRUE(probe.Decode());  // the same picture; nothing more is read
    EXPECT_EQ(probe.Position(), position);
    EXPECT_EQ(probe.FrameInfo().Width, 320);
    EXPECT_FALSE(probe.Seek(0));
    EXPECT_EQ(probe.LastErrMsg(), L"\"image2\" format cannot to be seeked.");
    EXPECT_EQ(LoggedBy(&probe).back().level, llInfo);
}

TEST_F(DecodeErrors, OtherSizesAndNamesDecode) {
    for (const std::wstring* name : {&media().Ntsc, &media().Pal169, &media().Chinese, &media().NonAnsi}) {
        ASSERT_TRUE(probe.LoadFile(*name)) << WideToUtf8(*name);
        ASSERT_TRUE(probe.Decode()) << WideToUtf8(probe.LastErrMsg());
        TBitmap bmp(0, 0, pf24bit);
        ASSERT_TRUE(probe.CopyToBitmap(bmp));
        EXPECT_EQ(bmp.Width(), probe.FrameInfo().Width);
        EXPECT_EQ(testmedia::FrameNumberFromPicture([&](int x, int y) { return BitmapPixel(bmp, x, y); }, bmp.Height()), 0);
    }
}

}  // namespace
