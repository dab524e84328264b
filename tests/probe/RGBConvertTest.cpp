// Turning a library picture into a 24-bit bitmap.
#include <gtest/gtest.h>

#include <vector>

#include "Src/FFmpegLoader.h"
#include "Src/MyUtils.h"
#include "Src/RGBConvert.h"

namespace {

class RGBConvert : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FFLoader.SetLibraryPath(std::wstring(VANTREL_DIST_WIN) + L"\\LibAV");
        ASSERT_TRUE(FFLoader.Load(ProbeLibraries)) << WideToUtf8(FFLoader.LastErrMsg());
    }
    void TearDown() override { ResetRGBContext(ctx); }

    // A blue-green-red picture whose pixel (x, y) is (x, y, 7).
    TAVPicture Picture(int AWidth, int AHeight, int ALineSize) {
        buffer.assign(static_cast<size_t>(ALineSize) * AHeight, 0);
        for (int y = 0; y < AHeight; ++y)
            for (int x = 0; x < AWidth; ++x) {
                uint8_t* p = &buffer[y * ALineSize + x * 3];
                p[0] = 7;
                p[1] = static_cast<uint8_t>(y);
                p[2] = static_cast<uint8_t>(x);
            }
        TAVPicture pic;
        pic.data[0] = buffer.data();
        pic.linesize[0] = ALineSize;
        return pic;
    }

    TRGBConvertContext ctx;
    std::vector<uint8_t> buffer;
};

TEST_F(RGBConvert, AFittingPictureIsCopiedWithoutConversion) {
    const TAVPicture pic = Picture(64, 32, 64 * 3);
    ASSERT_TRUE(ConvertToBitmap(ctx, pic, AV_PIX_FMT_BGR24, 64, 32));
    EXPECT_EQ(ctx.RGBPictureRef, &pic);
    EXPECT_EQ(ctx.RGBBuf, nullptr);
    EXPECT_EQ(BitmapPixel(*ctx.Bitmap, 10, 20), (10u << 16) | (20u << 8) | 7u);
}

TEST_F(RGBConvert, AnOddWidthIsConvertedAndTheBufferOnlyGrows) {
    const TAVPicture odd = Picture(65, 32, 65 * 3);
    ASSERT_TRUE(ConvertToBitmap(ctx, odd, AV_PIX_FMT_BGR24, 65, 32));
    EXPECT_EQ(ctx.RGBPictureRef, &ctx.RGBPicture);
    EXPECT_EQ(ctx.Bitmap->Width(), 65);
    EXPECT_EQ(BitmapPixel(*ctx.Bitmap, 64, 31), (64u << 16) | (31u << 8) | 7u);
    const int first = ctx.RGBBufSize;
    const TAVPicture big = Picture(129, 64, 129 * 3);
    ASSERT_TRUE(ConvertToBitmap(ctx, big, AV_PIX_FMT_BGR24, 129, 64));
    EXPECT_GT(ctx.RGBBufSize, first);
    const int grown = ctx.RGBBufSize;
    uint8_t* kept = ctx.RGBBuf;
    ASSERT_TRUE(ConvertToBitmap(ctx, odd, AV_PIX_FMT_BGR24, 65, 32));
    EXPECT_EQ(ctx.RGBBufSize, grown);
    EXPECT_EQ(ctx.RGBBuf, kept);
    EXPECT_EQ(ctx.Bitmap->Height(), 32);
}

TEST_F(RGBConvert, ResetRestoresTheDefaults) {
    const TAVPicture odd = Picture(65, 32, 65 * 3);
    ASSERT_TRUE(ConvertToBitmap(ctx, odd, AV_PIX_FMT_BGR24, 65, 32));
    ResetRGBContext(ctx);
    EXPECT_EQ(ctx.Bitmap, nullptr);
    EXPECT_EQ(ctx.RGBBuf, nullptr);
    EXPECT_EQ(ctx.RGBBufSize, 0);
    EXPECT_EQ(ctx.toRGB_convert_ctx, nullptr);
    EXPECT_EQ(ctx.RGBPixFmt, AV_PIX_FMT_BGR24);
}

}  // namespace
