// Stack Blur, glow text, alpha from masks and the layered popup manager.

#include <gtest/gtest.h>

#include "BitmapFixture.h"
#include "platform/Clock.h"
#include "skin/bsEffectsGlow.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsLayer.h"

using namespace bitmaptest;

namespace {

int Blue(TbsColor c) { return c & 0xFF; }

TEST(StackBlur, SinglePixelSpreadsByOneTwoOneWeights) {
    TbsBitmap b;
    b.SetSize(7, 7);
    b.Clear(0xFF000000u);
    b.SetPixel(3, 3, 0xFFFFFFFFu);
    StackBlurBitmap(&b, 1);
    EXPECT_EQ(63, Blue(b.GetPixel(3, 3)));
    EXPECT_EQ(31, Blue(b.GetPixel(2, 3)));
    EXPECT_EQ(31, Blue(b.GetPixel(3, 4)));
    EXPECT_EQ(15, Blue(b.GetPixel(4, 4)));
    EXPECT_EQ(0, Blue(b.GetPixel(1, 3)));
    EXPECT_EQ(0xFFu, b.GetPixel(3, 3) >> 24);
}

TEST(StackBlur, UniformStaysAndRadiusZeroDoesNothing) {
    TbsBitmap b;
    b.SetSize(9, 5);
    b.Clear(0x00404040u);
    StackBlurBitmap(&b, 0);
    EXPECT_EQ(0x00404040u, b.GetPixel(4, 2));
    StackBlurBitmap(&b, 3);
    for (int x = 0; x < 9; ++x) EXPECT_EQ(0xFF404040u, b.GetPixel(x, 2)) << x;
}

TEST(StackBlur, ARadiusBeyondAnyGlowIsTakenAsTheLargest) {
    // A skin's "glowsize" reaches the blur unchecked: a radius whose
    // (radius + 1) squared overflows, or whose division table would fill
    // the memory, blurs as the largest radius does.
    TbsBitmap big, largest;
    for (TbsBitmap* b : {&big, &largest}) {
        b->SetSize(40, 30);
        b->Clear(0xFF000000u);
        b->SetPixel(20, 15, 0xFFFFFFFFu);
        b->SetPixel(3, 4, 0xFF80C040u);
    }
    StackBlurBitmap(&big, 100000);
    StackBlurBitmap(&largest, kMaxGlowSize);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(largest.GetPixel(x, y), big.GetPixel(x, y)) << x << "," << y;
    TbsBitmap uniform;
    uniform.SetSize(5, 5);
    uniform.Clear(0x00404040u);
    StackBlurBitmap(&uniform, 2147483647);
    EXPECT_EQ(0xFF404040u, uniform.GetPixel(2, 2));
}

TEST(AlphaMask, WhiteOpaqueBlackTransparentGreyAverage) {
    TbsBitmap b, m;
    b.SetSize(3, 1);
    b.Clear(0x00112233u);
    m.SetSize(3, 1);
    m.SetPixel(0, 0, 0x00FFFFFFu);
    m.SetPixel(1, 0, 0x00000000u);
    m.SetPixel(2, 0, 0x00300609u);  // (48 + 6 + 9) / 3 = 21
    AlphaFromMask(&b, &m);
    EXPECT_EQ(0xFF112233u, b.GetPixel(0, 0));
    EXPECT_EQ(0x00112233u, b.GetPixel(1, 0));
    EXPECT_EQ(21u, b.GetPixel(2, 0) >> 24);
}

// White, with black 16-pixel text.
void TextTarget(TBitmap& target, int w, int h) {
    WhiteBitmap(target, w, h);
    target.Canvas()->Font()->SetColor(clBlack);
    target.Canvas()->Font()->SetHeight(-16);
}

TEST(GlowText, GlowDarkensAroundTheText) {
    TBitmap target;
    TextTarget(target, 120, 40);
    const TRect r(20, 10, 100, 30);
    const int result = DrawGlowWideText(target.Canvas(), r, L"WWWW", 4, clBlue, 0, DT_LEFT | DT_TOP);
    EXPECT_GT(result, 0);
    // Far from the text the background stays; next to it the blue glow shows.
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, 2, 2));
    bool tinted = false;
    for (int x = 16; x < 20 && !tinted; ++x)
        for (int y = 10; y < 26 && !tinted; ++y) {
            const COLORREF c = PixelOf(target, x, y);
            tinted = GetRValue(c) < 255 && GetBValue(c) == 255;
        }
    EXPECT_TRUE(tinted);
}

TEST(GlowText, AGlowSizeFromASkinIsBounded) {
    // Whatever size a skin gives, the glow is drawn as the largest one:
    // the text and the glow beside it appear, the temporary picture stays
    // small.
    for (const int glowSize : {1000000, 2147483647}) {
        for (const bool wide : {true, false}) {
            TBitmap target, largest;
            TextTarget(target, 120, 40);
            TextTarget(largest, 120, 40);
            const TRect r(20, 10, 100, 30);
            if (wide) {
                EXPECT_GT(DrawGlowWideText(target.Canvas(), r, L"WWWW", glowSize, clBlue, 0, DT_LEFT | DT_TOP), 0);
                DrawGlowWideText(largest.Canvas(), r, L"WWWW", kMaxGlowSize, clBlue, 0, DT_LEFT | DT_TOP);
            } else {
                DrawEffectText(target.Canvas(), r, L"WWWW", glowSize, clBlue, 0, DT_LEFT | DT_TOP);
                DrawEffectText(largest.Canvas(), r, L"WWWW", kMaxGlowSize, clBlue, 0, DT_LEFT | DT_TOP);
            }
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 120; ++x)
                    ASSERT_EQ(PixelOf(largest, x, y), PixelOf(target, x, y)) << glowSize << " " << x << "," << y;
        }
    }
}

// Every glow and reflection routine draws outside the text rectangle but
// leaves the far background alone.
using TextEffect = void (*)(TCanvas*, const TRect&);
class TextEffects : public ::testing::TestWithParam<TextEffect> {};

TEST_P(TextEffects, DrawBesideTheText) {
    TBitmap target;
    TextTarget(target, 160, 80);
    const TRect r(30, 20, 130, 40);
    GetParam()(target.Canvas(), r);
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, 1, 1));
    int outside = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 160; ++x)
            if (!r.Contains(POINT{x, y}) && PixelOf(target, x, y) != RGB(255, 255, 255)) ++outside;
    EXPECT_GT(outside, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Routines, TextEffects,
    ::testing::Values(
        [](TCanvas* c, const TRect& r) { DrawEffectText(c, r, L"WWWW", 3, clBlue, 0, DT_LEFT | DT_TOP); },
        [](TCanvas* c, const TRect& r) { EXPECT_GT(DrawVistaGlowText(c, r, L"WWWW", clBlue, DT_LEFT | DT_TOP), 0); },
        [](TCanvas* c, const TRect& r) { DrawReflectionText(c, r, L"WWWW", clBlue, 0, DT_LEFT | DT_TOP); }));

// Coverage of text drawn in red on black at each of `shifts`, one map of
// the size of the text rectangle.
void InkOf(TbsBitmap& ink, TCanvas* like, const String& text, int w, int h, UINT flags,
           std::initializer_list<POINT> shifts) {
    ink.SetSize(w, h);
    ink.Clear(0);
    ink.Canvas()->Font()->Assign(like->Font());
    ink.Canvas()->Font()->SetColor(clRed);
    ink.Canvas()->Brush()->SetStyle(bsClear);
    for (const POINT d : shifts) {
        RECT r{d.x, d.y, w + d.x, h + d.y};
        DrawTextW(ink.Canvas()->Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    }
    GdiFlush();
}

int Coverage(TbsBitmap& ink, int x, int y) {
    if (x < 0 || y < 0 || x >= ink.Width() || y >= ink.Height()) return 0;
    return static_cast<int>((ink.GetPixel(x, y) >> 16) & 0xFF);
}

// Without a glow size the glow is the text and its four one-pixel shifts,
// unblurred, in the glow colour with the coverage as alpha, moved by Offset.
TEST(GlowText, EffectTextOfSizeZeroIsTheShiftedCopiesUnblurred) {
    TBitmap target;
    TextTarget(target, 120, 50);
    TCanvas* c = target.Canvas();
    c->Font()->SetStyle(fsBold);
    const TRect r(20, 10, 100, 30);
    const int offset = 3;
    const UINT flags = DT_LEFT | DT_TOP | DT_SINGLELINE;
    TbsBitmap glow, own;
    InkOf(glow, c, L"HIM", 80, 20, flags, {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}});
    InkOf(own, c, L"HIM", 80, 20, flags, {{0, 0}});
    DrawEffectText(c, r, L"HIM", 0, clBlue, offset, flags);
    int pureGlow = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 120; ++x) {
            const int g = Coverage(glow, x - r.left - offset, y - r.top - offset);
            const int t = Coverage(own, x - r.left, y - r.top);
            if (t != 0) continue;  // the text itself is drawn over the glow
            const COLORREF got = PixelOf(target, x, y);
            if (g == 0) {
                ASSERT_EQ(RGB(255, 255, 255), got) << x << "," << y;
            } else if (g == 255) {
                ASSERT_EQ(RGB(0, 0, 255), got) << x << "," << y;
                ++pureGlow;
            }
        }
    EXPECT_GT(pureGlow, 20);
}

// DrawReflectionText: row y of the drawn text (0 .. th) keeps the factor
// 0.7 - (th - y) / th of its coverage as alpha (none below 0), and the rows
// are mirrored so that the text's bottom row lands just below the text, moved
// down by Offset.
class Reflection : public ::testing::TestWithParam<int> {};

TEST_P(Reflection, RowFactorsAndMirrorPosition) {
    const int offset = GetParam();
    TBitmap target;
    WhiteBitmap(target, 160, 80);
    TCanvas* c = target.Canvas();
    c->Font()->SetHeight(10);  // a line 10 pixels high
    c->Font()->SetStyle(fsBold);
    c->Font()->SetColor(clBlack);
    const TRect r(20, 20, 140, 40);  // 120 x 20
    const UINT flags = DT_LEFT | DT_TOP | DT_SINGLELINE;
    const String text = L"HIMIH";
    // The coverage of every pixel of the text, drawn the same way in red on black.
    TbsBitmap ink;
    ink.SetSize(120, 20);
    ink.Clear(0);
    ink.Canvas()->Font()->Assign(c->Font());
    ink.Canvas()->Font()->SetColor(clRed);
    ink.Canvas()->Brush()->SetStyle(bsClear);
    RECT all{0, 0, 120, 20}, measured{0, 0, 120, 20};
    DrawWideText(ink.Canvas(), text, all, flags);
    DrawWideText(ink.Canvas(), text, measured, flags | DT_CALCRECT);
    GdiFlush();
    ASSERT_EQ(10, measured.bottom - measured.top);

    DrawReflectionText(c, r, text, clBlack, offset, flags);
    // th = 10: the factor in tenths for the rows 0 .. 9 of the text.
    const int tenths[10] = {0, 0, 0, 0, 1, 2, 3, 4, 5, 6};
    const int bottomRowAt = r.top + 10 + offset;
    int strong = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 120; ++x) {
            const int coverage = static_cast<int>((ink.GetPixel(x, y) >> 16) & 0xFF);
            const int alpha = coverage * tenths[y] / 10;
            // Black blended over white: the red channel drops by alpha.
            const COLORREF got = PixelOf(target, r.left + x, bottomRowAt + 9 - y);
            ASSERT_NEAR(255 - alpha, GetRValue(got), 3) << "text row " << y << ", column " << x;
            strong += alpha >= 100;
        }
    EXPECT_GT(strong, 5);  // full-coverage pixels reached the rows of 0.4 and more
    // Between the text and its reflection nothing is drawn.
    for (int y = r.top + 10; y < bottomRowAt; ++y)
        for (int x = 0; x < 120; ++x) ASSERT_EQ(RGB(255, 255, 255), PixelOf(target, r.left + x, y)) << x << "," << y;
    // Below the reflection, and left and right of it, the background stays.
    for (int x = 0; x < 160; ++x) EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, x, bottomRowAt + 10)) << x;
    for (int y = 0; y < 80; ++y) EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, r.left - 1, y)) << y;
}

INSTANTIATE_TEST_SUITE_P(Offsets, Reflection, ::testing::Values(0, 4));

// ---- layered popups -------------------------------------------------------------------------

class TestLayerManager : public TbsLayerManager {
public:
    using TbsLayerManager::TbsLayerManager;
    int Current() const { return BeginAlphaBlendValue; }
    bool Fading() const { return Timer->Enabled(); }
    TbsBitmap* Picture() const { return Bmp.get(); }
};

struct Pictures {
    TBitmap image{20, 10}, mask{20, 10};
    Pictures() {
        image.Canvas()->Brush()->SetColor(clRed);
        image.Canvas()->FillRect(TRect(0, 0, 20, 10));
        mask.Canvas()->Brush()->SetColor(clWhite);
        mask.Canvas()->FillRect(TRect(0, 0, 20, 10));
    }
};

TEST(LayerManager, FadesInAndStopsAfterElevenTicksFor255) {
    platform::ScopedManualClock clock;
    Pictures p;
    TestLayerManager m(nullptr);
    m.Show(100, 120, &p.image, &p.mask, 255);
    ASSERT_TRUE(m.IsVisible);
    ASSERT_NE(nullptr, m.Window());
    HWND wnd = m.Window()->Handle();
    EXPECT_TRUE(IsWindowVisible(wnd));
    const LONG ex = GetWindowLongW(wnd, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_EQ(0xFF, static_cast<int>(m.Picture()->GetPixel(5, 5) >> 24));  // white mask: opaque
    for (int tick = 1; tick <= 10; ++tick) {
        clock.Advance(25);
        EXPECT_EQ(std::min(25 * tick, 255), m.Current());
        EXPECT_TRUE(m.Fading()) << tick;
    }
    clock.Advance(25);
    EXPECT_EQ(255, m.Current());
    EXPECT_FALSE(m.Fading());
    EXPECT_TRUE(UpdateLayeredBitmap(m.Picture(), 200, m.Window()));
    m.Hide();
    EXPECT_FALSE(m.IsVisible);
    EXPECT_EQ(nullptr, m.Window());
    EXPECT_FALSE(IsWindow(wnd));
}

TEST(LayerManager, SmallAndOutOfRangeTargetsStillArrive) {
    platform::ScopedManualClock clock;
    Pictures p;
    TestLayerManager m(nullptr);
    m.Show(0, 0, &p.image, &p.mask, 0);
    clock.Advance(25);
    EXPECT_FALSE(m.Fading());
    // Below 10 the step is 1, so the fade ends after that many ticks.
    m.Show(0, 0, &p.image, &p.mask, 5);
    clock.Advance(100);
    EXPECT_EQ(4, m.Current());
    EXPECT_TRUE(m.Fading());
    clock.Advance(25);
    EXPECT_EQ(5, m.Current());
    EXPECT_FALSE(m.Fading());
    // A target above 255 is held to 255.
    m.Show(0, 0, &p.image, &p.mask, 400);
    clock.Advance(25 * 20);
    EXPECT_EQ(255, m.Current());
    EXPECT_FALSE(m.Fading());
}

TEST(LayerManager, ShowTwiceLeavesOneWindowAndHideWithoutShowIsHarmless) {
    platform::ScopedManualClock clock;
    Pictures p;
    TestLayerManager m(nullptr);
    m.Hide();
    EXPECT_FALSE(m.IsVisible);
    m.Show(0, 0, &p.image, &p.mask, 100);
    HWND first = m.Window()->Handle();
    m.Show(10, 10, &p.image, &p.mask, 100);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(1, m.ComponentCount() - 1);  // the timer and one window
}

TEST(LayerManager, SetLayeredAlphaOnALayeredWindow) {
    HWND wnd = CreateWindowExW(WS_EX_LAYERED, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, wnd);
    for (const int alpha : {128, 0, 255}) {
        EXPECT_TRUE(SetLayeredAlpha(wnd, alpha));
        BYTE got = 1;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &got, &flags));
        EXPECT_EQ(alpha, got);
        EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags & LWA_ALPHA);
    }
    DestroyWindow(wnd);
}

// The Vista glow of an empty text is its blurred patch alone: a bar three
// pixels wider and two lower than the text rectangle on each side, blurred
// twice with radius 6 inside a margin of 12.
TEST(GlowText, VistaGlowIsTheBlurredPatchAroundTheText) {
    TBitmap target;
    TextTarget(target, 200, 80);
    const TRect r(40, 20, 160, 44);
    DrawVistaGlowText(target.Canvas(), r, L"", clBlue, DT_LEFT | DT_TOP);
    const int cy = (r.top + r.bottom) / 2;
    const COLORREF centre = PixelOf(target, 100, cy);
    EXPECT_EQ(255, GetBValue(centre));
    EXPECT_LT(GetRValue(centre), 60);  // nearly the full glow colour
    EXPECT_EQ(GetRValue(centre), GetGValue(centre));
    // Outside the glow's margin nothing is drawn.
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, r.left - 13, cy));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, 100, r.top - 13));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, 2, 2));
    // It fades toward the edges of the margin, the same on both sides.
    const int inner = GetRValue(PixelOf(target, r.left, cy)), outer = GetRValue(PixelOf(target, r.left - 9, cy));
    EXPECT_LT(GetRValue(centre), inner);
    EXPECT_LT(inner, outer);
    EXPECT_EQ(PixelOf(target, r.left - 9, cy), PixelOf(target, r.right - 1 + 9, cy));
}

}  // namespace
