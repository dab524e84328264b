// Picture formats: BMP, JPEG, GIF and PNG through TPicture, PNG alpha.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

#include "platform/GdiObjects.h"
#include "platform/GifImage.h"
#include "platform/JpegImage.h"
#include "platform/PngImage.h"

namespace {

String TempFile(const String& name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return String(dir) + L"vantrel_picture_" + name;
}

// Smooth colours everywhere (red grows with x, green with y, blue with both).
void FillGradient(TBitmap& b) {
    for (int y = 0; y < b.Height(); ++y) {
        auto* p = static_cast<uint8_t*>(b.ScanLine(y));
        for (int x = 0; x < b.Width(); ++x, p += 3) {
            p[0] = static_cast<uint8_t>((x + y) * 255 / 558);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x * 255 / 319);
        }
    }
}

// Sixteen flat colours in 80 x 60 blocks.
void FillPalette(TBitmap& b) {
    for (int y = 0; y < b.Height(); ++y) {
        auto* p = static_cast<uint8_t*>(b.ScanLine(y));
        for (int x = 0; x < b.Width(); ++x, p += 3) {
            const int block = (y / 60) * 4 + x / 80;
            p[0] = static_cast<uint8_t>(block * 16), p[1] = static_cast<uint8_t>(255 - block * 13),
            p[2] = static_cast<uint8_t>((block * 97) & 0xFF);
        }
    }
}

// Largest difference of one colour channel over the picture.
int MaxDifference(TBitmap& a, TBitmap& b) {
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y) {
        const auto* p = static_cast<const uint8_t*>(a.ScanLine(y));
        const auto* q = static_cast<const uint8_t*>(b.ScanLine(y));
        for (int i = 0; i < a.Width() * 3; ++i) worst = std::max(worst, std::abs(p[i] - q[i]));
    }
    return worst;
}

struct FormatCase {
    const wchar_t* ext;
    bool palette;       // the picture has 16 colours
    int tolerance;      // largest channel difference allowed
    std::function<TGraphic*()> make;
};

class PictureRoundTrip : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PictureRoundTrip, SameSizeAndColours) {
    const FormatCase& c = GetParam();
    const long gdiBefore = platform::LiveGdiObjects();
    {
        TBitmap src(320, 240, pf24bit);
        c.palette ? FillPalette(src) : FillGradient(src);
        std::unique_ptr<TGraphic> g(c.make());
        g->Assign(&src);
        const String file = TempFile(String(L"roundtrip.") + c.ext);
        g->SaveToFile(file);

        TPicture picture;
        picture.LoadFromFile(file);
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_EQ(typeid(*picture.Graphic()), typeid(*g));
        EXPECT_EQ(picture.Width(), 320);
        EXPECT_EQ(picture.Height(), 240);
        TBitmap back;
        back.Assign(picture.Graphic());
        ASSERT_EQ(back.Width(), 320);
        if (back.PixelFormat() != pf24bit) back.SetPixelFormat(pf24bit);
        EXPECT_LE(MaxDifference(src, back), c.tolerance);
        DeleteFileW(file.c_str());
    }
    EXPECT_EQ(platform::LiveGdiObjects(), gdiBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureRoundTrip,
    ::testing::Values(FormatCase{L"bmp", false, 0, [] { return new TBitmap; }},
                      FormatCase{L"png", false, 0, [] { return new TPngImage; }},
                      FormatCase{L"gif", true, 0, [] { return new TGIFImage; }},
                      FormatCase{L"jpg", false, 12, [] { return new TJPEGImage; }},
                      // Too many colours for a palette: reduced to the colour cube.
                      FormatCase{L"gif", false, 26, [] { return new TGIFImage; }}));

TEST(Picture, BrokenFilesRaiseInvalidGraphic) {
    const std::pair<const wchar_t*, std::function<TGraphic*()>> formats[] = {
        {L"png", [] { return new TPngImage; }},
        {L"gif", [] { return new TGIFImage; }},
        {L"jpg", [] { return new TJPEGImage; }},
    };
    for (const auto& [ext, make] : formats) {
        SCOPED_TRACE(String(ext).size());
        TBitmap src(64, 48, pf24bit);
        FillGradient(src);
        std::unique_ptr<TGraphic> g(make());
        g->Assign(&src);
        TMemoryStream full;
        g->SaveToStream(&full);
        // The first half of a good file.
        TMemoryStream half;
        half.WriteBuffer(full.Memory(), static_cast<int32_t>(full.Size() / 2));
        half.SetPosition(0);
        std::unique_ptr<TGraphic> back(make());
        EXPECT_THROW(back->LoadFromStream(&half), EInvalidGraphic);
        // Text is not a picture.
        TMemoryStream text;
        text.WriteBuffer("not a picture at all", 20);
        text.SetPosition(0);
        EXPECT_THROW(back->LoadFromStream(&text), EInvalidGraphic);
    }
}

TEST(PngImage, AlphaChannelSurvivesSaving) {
    TPngImage png;
    png.SetSize(40, 30);
    png.CreateAlpha();
    EXPECT_EQ(png.ColorType(), COLOR_RGBALPHA);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            png.SetPixel(x, y, static_cast<TColor>(RGB(x * 6, y * 8, 77)));
            png.AlphaScanline(y)[x] = static_cast<uint8_t>(x * 6 + y);
        }
    TMemoryStream s;
    png.SaveToStream(&s);
    ASSERT_EQ(std::memcmp(s.Memory(), "\x89PNG\r\n\x1a\n", 8), 0);
    s.SetPosition(0);
    TPngImage back;
    back.LoadFromStream(&s);
    EXPECT_EQ(back.TransparencyMode(), ptmPartial);
    EXPECT_EQ(back.ColorType(), COLOR_RGBALPHA);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(back.AlphaScanline(y)[x], static_cast<uint8_t>(x * 6 + y));
            ASSERT_EQ(back.Pixel(x, y), static_cast<TColor>(RGB(x * 6, y * 8, 77)));
        }
}

TEST(PngImage, TransparentColourStaysBitTransparent) {
    TBitmap src(320, 240, pf24bit);
    FillPalette(src);
    TPngImage png;
    png.Assign(&src);
    EXPECT_EQ(png.TransparencyMode(), ptmNone);
    const TColor key = png.Pixel(100, 70);
    png.SetTransparentColor(key);
    TMemoryStream s;
    png.SaveToStream(&s);
    s.SetPosition(0);
    TPngImage back;
    back.LoadFromStream(&s);
    EXPECT_EQ(back.ColorType(), COLOR_RGB);
    EXPECT_EQ(back.TransparencyMode(), ptmBit);
    EXPECT_EQ(back.TransparentColor(), key);
    EXPECT_FALSE(back.HasAlpha());
    EXPECT_EQ(back.Pixel(100, 70), key);
}

TEST(PngImage, DrawsBlendedWithItsAlpha) {
    const long gdiBefore = platform::LiveGdiObjects();
    {
        TPngImage png;
        png.SetSize(2, 1);
        png.CreateAlpha();
        png.SetPixel(0, 0, clRed);
        png.SetPixel(1, 0, clRed);
        png.AlphaScanline(0)[0] = 0;    // invisible
        png.AlphaScanline(0)[1] = 255;  // opaque
        TBitmap target(2, 1, pf24bit);
        target.Canvas()->Brush()->SetColor(clBlue);
        target.Canvas()->FillRect(TRect(0, 0, 2, 1));
        target.Canvas()->Draw(0, 0, &png);
        const auto* p = static_cast<const uint8_t*>(target.ScanLine(0));
        EXPECT_EQ(p[0], 255);  // blue kept
        EXPECT_EQ(p[2], 0);
        EXPECT_EQ(p[3], 0);  // red drawn
        EXPECT_EQ(p[5], 255);
    }
    EXPECT_EQ(platform::LiveGdiObjects(), gdiBefore);
}

class DerivedPng : public TPngImage {};

TEST(Picture, KeepsAGraphicOfADerivedClassAsItsRegisteredBase) {
    DerivedPng png;
    png.SetSize(3, 2);
    png.SetPixel(2, 1, clYellow);
    TPicture picture;
    picture.SetGraphic(&png);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(typeid(*picture.Graphic()), typeid(TPngImage));
    EXPECT_EQ(static_cast<TPngImage*>(picture.Graphic())->Pixel(2, 1), clYellow);
}

TEST(PngImage, LoadsFromResourceByName) {
    TPngImage png;
    EXPECT_THROW(png.LoadFromResourceName(GetModuleHandleW(nullptr), L"NO_SUCH_PICTURE"), EResNotFound);
}

}  // namespace
