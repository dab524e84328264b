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
    EXPECT_TRUE(SetLayeredAlpha(wnd, 128));
    DestroyWindow(wnd);
}

}  // namespace
