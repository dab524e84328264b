// TbsBitmap loaders, colour adjustments, reflections and bitmap links.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "BitmapFixture.h"
#include "platform/Streams.h"
#include "skin/bsEffects.h"
#include "skin/bsEffectsLoaders.h"

namespace {

constexpr TbsColor Argb(int a, int r, int g, int b) {
    return static_cast<TbsColor>(a) << 24 | static_cast<TbsColor>(r) << 16 | static_cast<TbsColor>(g) << 8 |
           static_cast<TbsColor>(b);
}

TEST(Reflection, FadesRowsToTransparent) {
    TbsBitmap b;
    b.SetSize(2, 4);
    b.Clear(Argb(255, 1, 2, 3));
    b.Reflection();
    const int expected[4] = {85, 42, 0, 0};
    for (int y = 0; y < 4; ++y) EXPECT_EQ(expected[y], static_cast<int>(b.GetPixel(1, y) >> 24)) << y;
}

TEST(Reflection, FlipVertSwapsRows) {
    TbsBitmap b;
    b.SetSize(1, 3);
    for (int y = 0; y < 3; ++y) b.SetPixel(0, y, static_cast<TbsColor>(y));
    b.FlipVert();
    EXPECT_EQ(2u, b.GetPixel(0, 0));
    EXPECT_EQ(1u, b.GetPixel(0, 1));
}

TEST(ColourAdjust, SaturationWrapsAbove255) {
    TbsBitmap b;
    b.SetSize(1, 1);
    b.SetPixel(0, 0, Argb(200, 200, 2, 2));
    float h, s, l;
    RGBToHSL(200, 2, 2, h, s, l);
    ASSERT_EQ(250, static_cast<int>(std::nearbyint(s * 255)));
    b.ChangeBitmapSat(10);
    const TbsColor p = b.GetPixel(0, 0);
    RGBToHSL((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF, h, s, l);
    EXPECT_NEAR(5, s * 255, 1.5);
    EXPECT_EQ(200u, p >> 24);
}

TEST(ColourAdjust, HueBrightnessAndTransparentPixels) {
    TbsBitmap b;
    b.SetSize(3, 1);
    b.SetPixel(0, 0, Argb(255, 0, 255, 0));
    b.SetPixel(1, 0, Argb(0, 0, 255, 0));
    b.SetPixel(2, 0, Argb(255, 250, 5, 128));
    b.SetBitmapHue(0);
    EXPECT_EQ(Argb(255, 255, 0, 0), b.GetPixel(0, 0));
    EXPECT_EQ(Argb(0, 0, 255, 0), b.GetPixel(1, 0));
    b.ChangeBitmapBrightness(10);
    EXPECT_EQ(255, static_cast<int>((b.GetPixel(0, 0) >> 16) & 0xFF));
    EXPECT_EQ(10, static_cast<int>(b.GetPixel(0, 0) & 0xFF));
    EXPECT_EQ(Argb(0, 0, 255, 0), b.GetPixel(1, 0));
}

TEST(HSL, RoundTripOfPrimariesAndGreys) {
    for (const TbsColor c : {Argb(0, 255, 0, 0), Argb(0, 0, 0, 255), Argb(0, 128, 128, 128), Argb(0, 10, 200, 90)}) {
        float h, s, l;
        uint8_t r, g, b;
        RGBToHSL((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, h, s, l);
        HSLToRGB(h, s, l, r, g, b);
        EXPECT_EQ(c, Argb(0, r, g, b));
    }
}

TEST(BitmapStream, RoundTripAndBottomUp) {
    TbsBitmap a;
    a.SetSize(3, 2);
    a.Name = L"glow";
    for (int i = 0; i < 6; ++i) a.Bits()[i] = Argb(i * 40, i, i, i);
    TMemoryStream m;
    a.SaveToStream(&m);
    m.SetPosition(0);
    TbsBitmap b;
    b.LoadFromStream(&m);
    EXPECT_EQ(L"glow", b.Name);
    ASSERT_EQ(3, b.Width());
    ASSERT_EQ(2, b.Height());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(a.Bits()[i], b.Bits()[i]);
    // A negative height: rows stored bottom row first.
    TMemoryStream up;
    up.WriteBuffer("\0\0\0\0", 4);
    const int32_t w = 1, h = -2;
    const TbsColor rows[2] = {1, 2};
    up.WriteBuffer(&w, 4);
    up.WriteBuffer(&h, 4);
    up.WriteBuffer(rows, 8);
    up.SetPosition(0);
    TbsBitmap c;
    c.LoadFromStream(&up);
    EXPECT_EQ(2u, c.GetPixel(0, 0));
    EXPECT_EQ(1u, c.GetPixel(0, 1));
}

TEST(BitmapStream, SizeBeyondTheDataIsAReadErrorAndKeepsTheBitmap) {
    TMemoryStream m;
    m.WriteBuffer("\0\0\0\0", 4);
    const int32_t w = 100000, h = 100000;
    m.WriteBuffer(&w, 4);
    m.WriteBuffer(&h, 4);
    m.SetPosition(0);
    TbsBitmap b;
    b.SetSize(2, 2);
    EXPECT_THROW(b.LoadFromStream(&m), EReadError);
    EXPECT_EQ(2, b.Width());
}

// A 256-colour PCX of w x h: palette entry i is (i, 255 - i, 7).
std::vector<uint8_t> Pcx(int w, int h, const std::vector<uint8_t>& body, uint8_t encoding = 1) {
    std::vector<uint8_t> d(128, 0);
    d[0] = 10, d[1] = 5, d[2] = encoding, d[3] = 8;
    d[8] = static_cast<uint8_t>(w - 1), d[10] = static_cast<uint8_t>(h - 1);
    d[65] = 1, d[66] = static_cast<uint8_t>(w);
    for (uint8_t b : body) d.push_back(b);
    d.push_back(12);
    for (int i = 0; i < 256; ++i) {
        d.push_back(static_cast<uint8_t>(i));
        d.push_back(static_cast<uint8_t>(255 - i));
        d.push_back(7);
    }
    return d;
}

void LoadPcx(TbsBitmap& b, const std::vector<uint8_t>& data) {
    TMemoryStream m;
    bitmaptest::FillStream(m, data);
    b.LoadFromPcxStream(&m);
}

TEST(Pcx, RunLengthRowsWithPalette) {
    TbsBitmap b;
    // Row 0: three of index 5 then index 200; row 1: 1, 2, 3, 4.
    LoadPcx(b, Pcx(4, 2, {0xC3, 5, 0xC1, 200, 1, 2, 3, 4}));
    ASSERT_EQ(4, b.Width());
    ASSERT_EQ(2, b.Height());
    EXPECT_EQ(Argb(255, 5, 250, 7), b.GetPixel(2, 0));
    EXPECT_EQ(Argb(255, 200, 55, 7), b.GetPixel(3, 0));
    EXPECT_EQ(Argb(255, 3, 252, 7), b.GetPixel(2, 1));
}

TEST(Pcx, BadSignatureAndShortDataAreSafe) {
    TbsBitmap b;
    b.SetSize(1, 1);
    auto bad = Pcx(4, 2, {1, 2, 3, 4, 5, 6, 7, 8});
    bad[0] = 11;
    LoadPcx(b, bad);
    EXPECT_EQ(1, b.Width());
    // A run longer than the room left and data that ends early.
    TbsBitmap c;
    LoadPcx(c, Pcx(4, 3, {0xFF, 9, 0xC2}));
    ASSERT_EQ(4, c.Width());
    EXPECT_EQ(Argb(255, 9, 246, 7), c.GetPixel(3, 2));
    TbsBitmap d;
    LoadPcx(d, Pcx(4, 3, {0xC2, 9}));
    EXPECT_EQ(Argb(255, 0, 255, 7), d.GetPixel(3, 2));  // unreached rows hold index 0
}

TEST(BitmapLink, ClassifiesTransparentPixelsByMargin) {
    TbsBitmap b;
    b.SetSize(10, 10);
    b.Clear(Argb(255, 1, 1, 1));
    b.SetPixel(5, 8, KeyColor);  // in the bottom edge band of a 4-pixel bottom margin
    b.Name = L"frame";
    std::unique_ptr<TbsBitmapLink> link(b.GetBitmapLink(L"0,0,10,10"));
    EXPECT_EQ(L"frame", link->Name);
    EXPECT_TRUE(link->Assigned());
    link->CheckingMasked(TRect(0, 0, 0, 4));
    EXPECT_TRUE(link->MaskedBorder);
    EXPECT_FALSE(link->Masked);
    link->CheckingMasked();
    EXPECT_TRUE(link->Masked);
    b.SetPixel(5, 8, MaskIgnoreColor);
    link->CheckingMasked();
    EXPECT_FALSE(link->Masked);
    std::unique_ptr<TbsBitmapLink> bad(b.GetBitmapLink(L"0,x,10,10"));
    EXPECT_FALSE(bad->Assigned());
}

TEST(BitmapLink, StreamRoundTrip) {
    TbsBitmapLink a;
    a.Name = L"链接";
    a.Rect = TRect(1, 2, 3, 4);
    TMemoryStream m;
    a.SaveToStream(&m);
    m.SetPosition(0);
    TbsBitmapLink b;
    b.LoadFromStream(&m);
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_TRUE(a.Rect == b.Rect);
}

TEST(BitmapResource, MissingResourceLeavesTheBitmap) {
    TbsBitmap b;
    b.SetSize(3, 3);
    b.LoadFromResource(L"kernel32.dll", L"NO_SUCH_BITMAP");
    EXPECT_EQ(3, b.Width());
}

}  // namespace
