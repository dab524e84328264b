// TbsBitmap: sizes, checks, blends, stretches, tiles and assignment.

#include <gtest/gtest.h>

#include "BitmapFixture.h"
#include "skin/bsEffects.h"
#include "skin/bsUtils.h"

using namespace bitmaptest;

namespace {

constexpr TbsColor Argb(int a, int r, int g, int b) {
    return static_cast<TbsColor>(a) << 24 | static_cast<TbsColor>(r) << 16 | static_cast<TbsColor>(g) << 8 |
           static_cast<TbsColor>(b);
}
int Red(TbsColor c) { return (c >> 16) & 0xFF; }
int Alpha(TbsColor c) { return c >> 24; }

TEST(AlphaBitmap, SetSizeTakesAbsoluteValuesAndIgnoresZero) {
    TbsBitmap b;
    b.SetSize(0, 10);
    EXPECT_TRUE(b.Empty());
    b.SetSize(-20, 10);
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(20, b.Width());
    EXPECT_EQ(10, b.Height());
    EXPECT_EQ(&b, FindBitmapByDC(b.DC()));
    EXPECT_EQ(0u, b.GetPixel(3, 3));  // a new DIB starts black and transparent
}

TEST(AlphaBitmap, CheckingAlphaBlend) {
    TbsBitmap b;
    b.SetSize(4, 4);
    b.Clear(Argb(255, 1, 2, 3));
    b.SetPixel(1, 1, Argb(0, 0, 0, 0));
    b.CheckingAlphaBlend();
    EXPECT_FALSE(b.AlphaBlend);
    b.SetPixel(2, 2, Argb(128, 0, 0, 0));
    b.CheckingAlphaBlend();
    EXPECT_TRUE(b.AlphaBlend);
}

TEST(AlphaBitmap, CheckingTransparentMatchesWithinFive) {
    TbsBitmap b;
    b.SetSize(2, 1);
    b.SetPixel(0, 0, Argb(255, 250, 5, 255));
    b.SetPixel(1, 0, Argb(255, 249, 0, 255));
    b.CheckingTransparent(0x00FF00FF);
    EXPECT_TRUE(b.Transparent);
    EXPECT_EQ(KeyColor, b.GetPixel(0, 0));
    EXPECT_EQ(Argb(255, 249, 0, 255), b.GetPixel(1, 0));
}

TEST(AlphaBitmap, PlainAndMMXBlendLines) {
    const TbsColor src = Argb(128, 255, 0, 0);
    TbsColor plain = Argb(255, 0, 0, 0), mmx = plain;
    BlendLinePlain(&src, &plain, 1);
    EXPECT_EQ(127, Red(plain));
    EXPECT_EQ(255, Alpha(plain));
    if (HasMMX()) {
        BlendLineMMX(&src, &mmx, 1);
        EXPECT_EQ(127, Red(mmx));
        EXPECT_EQ(191, Alpha(mmx));
    }
    // Alpha 0 leaves the destination, 255 copies the source.
    const TbsColor pair[2] = {Argb(0, 9, 9, 9), Argb(255, 1, 2, 3)};
    TbsColor dst[2] = {Argb(255, 7, 7, 7), Argb(255, 7, 7, 7)};
    PixelRoutines().BlendLine(pair, dst, 2);
    EXPECT_EQ(Argb(255, 7, 7, 7), dst[0]);
    EXPECT_EQ(Argb(255, 1, 2, 3), dst[1]);
}

// A bitmap whose pixel (x, y) has red x and green y, opaque.
void Ramp(TbsBitmap& b, int w, int h) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, Argb(255, x, y, 0));
}

TEST(AlphaBitmap, StretchToOnePixelWideSamplesTheMiddle) {
    TbsBitmap src, dst;
    Ramp(src, 10, 4);
    dst.SetSize(3, 4);
    src.Draw(&dst, TRect(1, 0, 2, 4), TRect(2, 0, 9, 4));
    EXPECT_EQ(5, Red(dst.GetPixel(1, 0)));  // (2 + 9 - 1) div 2
}

TEST(AlphaBitmap, StretchMapsEndsToEnds) {
    TbsBitmap src, dst;
    Ramp(src, 5, 5);
    dst.SetSize(20, 3);
    src.Draw(&dst, TRect(0, 0, 20, 3), TRect(0, 0, 5, 5));
    EXPECT_EQ(0, Red(dst.GetPixel(0, 0)));
    EXPECT_EQ(4, Red(dst.GetPixel(19, 0)));
    EXPECT_EQ(4, (dst.GetPixel(0, 2) >> 8) & 0xFF);
    // Source outside the bitmap: nothing drawn.
    TbsBitmap untouched;
    untouched.SetSize(4, 4);
    src.Draw(&untouched, TRect(0, 0, 4, 4), TRect(2, 2, 8, 8));
    EXPECT_EQ(0u, untouched.GetPixel(1, 1));
}

TEST(AlphaBitmap, TileCutsTheLastTileFromTheSourceStart) {
    TbsBitmap src, dst;
    Ramp(src, 10, 10);
    dst.SetSize(25, 10);
    src.Tile(&dst, TRect(0, 0, 25, 10), TRect(0, 0, 10, 10));
    for (int x = 0; x < 25; ++x) EXPECT_EQ(x % 10, Red(dst.GetPixel(x, 4))) << x;
}

TEST(AlphaBitmap, TileWritesStraightIntoABottomUpDib) {
    TbsBitmap src;
    Ramp(src, 10, 10);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 25;
    bi.bmiHeader.biHeight = 12;  // bottom-up
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(nullptr, dib);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    src.Tile(dc, TRect(0, 0, 25, 12), TRect(0, 0, 10, 10));
    GdiFlush();
    auto pixel = [&](int x, int y) { return static_cast<TbsColor*>(bits)[(11 - y) * 25 + x]; };
    EXPECT_EQ(3, Red(pixel(23, 0)));
    EXPECT_EQ(1, (pixel(4, 11) >> 8) & 0xFF);  // second tile row, cut at 2 rows
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
}

TEST(AlphaBitmap, TransparentDrawSkipsKeyPixels) {
    TbsBitmap src, dst;
    src.SetSize(2, 1);
    src.SetPixel(0, 0, KeyColor);
    src.SetPixel(1, 0, Argb(0, 10, 20, 30));
    src.Transparent = true;
    dst.SetSize(2, 1);
    dst.Clear(Argb(255, 1, 1, 1));
    src.Draw(&dst, 0, 0);
    EXPECT_EQ(Argb(255, 1, 1, 1), dst.GetPixel(0, 0));
    EXPECT_EQ(Argb(255, 10, 20, 30), dst.GetPixel(1, 0));
}

TEST(AlphaBitmap, AlphaDrawOntoAPlainDeviceContextBlends) {
    TBitmap target(4, 4);
    target.Canvas()->Brush()->SetColor(clBlack);
    target.Canvas()->FillRect(TRect(0, 0, 4, 4));
    TbsBitmap src;
    src.SetSize(2, 2);
    src.Clear(Argb(128, 255, 255, 255));
    src.AlphaBlend = true;
    src.Draw(target.Canvas(), 1, 1);
    const COLORREF c = PixelOf(target, 1, 1);
    EXPECT_NEAR(127, GetRValue(c), 1);
    EXPECT_EQ(0u, PixelOf(target, 0, 0));
}

TEST(AlphaBitmap, DrawOntoAnotherBitmapsDCWorksInMemory) {
    TbsBitmap src, dst;
    Ramp(src, 3, 3);
    dst.SetSize(6, 6);
    src.Draw(dst.DC(), 2, 2);
    EXPECT_EQ(Argb(255, 1, 1, 0), dst.GetPixel(3, 3));
}

TEST(AlphaBitmap, ClippedFillAlphaAndPixels) {
    TbsBitmap b;
    b.SetSize(4, 4);
    b.FillRect(TRect(-5, -5, 2, 2), Argb(255, 9, 9, 9));
    EXPECT_EQ(Argb(255, 9, 9, 9), b.GetPixel(1, 1));
    EXPECT_EQ(0u, b.GetPixel(2, 2));
    b.SetAlpha(77, TRect(2, 2, 40, 40));
    EXPECT_EQ(77, Alpha(b.GetPixel(3, 3)));
    EXPECT_EQ(255, Alpha(b.GetPixel(1, 1)));
    b.SetPixel(-1, 0, 5);
    b.SetPixel(4, 0, 5);
    EXPECT_EQ(0u, b.GetPixel(-1, 0));
}

TEST(AlphaBitmap, MergeDrawFillsBehindTranslucentPixels) {
    TbsBitmap front, back;
    front.SetSize(3, 1);
    front.SetPixel(0, 0, Argb(0, 0, 0, 0));
    front.SetPixel(1, 0, Argb(255, 50, 0, 0));
    front.SetPixel(2, 0, Argb(128, 200, 0, 0));
    back.SetSize(3, 1);
    back.Clear(Argb(255, 100, 0, 0));
    front.MergeDraw(&back, 0, 0, TRect(0, 0, 3, 1));
    EXPECT_EQ(Argb(255, 100, 0, 0), front.GetPixel(0, 0));
    EXPECT_EQ(Argb(255, 50, 0, 0), front.GetPixel(1, 0));
    EXPECT_NEAR(150, Red(front.GetPixel(2, 0)), 1);
}

TEST(AlphaBitmap, AssignFromPlatformBitmaps) {
    TBitmap b32(2, 1, pf32bit);
    auto* p = static_cast<TbsColor*>(b32.ScanLine(0));
    p[0] = Argb(128, 1, 2, 3);
    p[1] = Argb(255, 4, 5, 6);
    TbsBitmap a;
    a.Assign(&b32);
    EXPECT_EQ(Argb(128, 1, 2, 3), a.GetPixel(0, 0));
    EXPECT_TRUE(a.AlphaBlend);
    TBitmap b24(2, 1);
    SetPixelOf(b24, 1, 0, RGB(10, 20, 30));
    TbsBitmap c;
    c.Assign(&b24);
    EXPECT_EQ(Argb(255, 10, 20, 30), c.GetPixel(1, 0));
    TbsBitmap d;
    d.Assign(&c);
    EXPECT_EQ(c.GetPixel(1, 0), d.GetPixel(1, 0));
}

}  // namespace
