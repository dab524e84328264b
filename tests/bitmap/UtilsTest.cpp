// Rectangle, version, text, layout, mark and stream routines.

#include <gtest/gtest.h>

#include "BitmapFixture.h"
#include "platform/Streams.h"
#include "skin/bsEffects.h"
#include "skin/bsUtils.h"

using namespace bitmaptest;

namespace {

TEST(RectRoutines, EdgesAndNulls) {
    EXPECT_TRUE(IsPointInRect(TRect(0, 0, 10, 10), TPoint(10, 10)));
    RECT r{0, 0, 10, 10};
    EXPECT_FALSE(PtInRect(&r, POINT{10, 10}));
    EXPECT_FALSE(RectInRect(r, r));
    EXPECT_TRUE(RectInRect(TRect(1, 1, 9, 9), r));
    EXPECT_TRUE(IsNullPoint(TPoint(5, 0)));
    EXPECT_FALSE(IsNullPoint(TPoint(5, 1)));
    EXPECT_TRUE(IsNullRect(TRect(0, 0, 0, 5)));
    EXPECT_FALSE(IsNullRect(TRect(0, 0, 1, 1)));
    EXPECT_TRUE(RectVertOverlap(TRect(0, 5, 10, 20), TRect(0, 0, 10, 10)));
    EXPECT_FALSE(RectVertOverlap(TRect(0, 15, 10, 20), TRect(0, 0, 10, 10)));
}

struct VersionCase {
    int major, minor;
    bool xp, layered;
};
class VersionRules : public ::testing::TestWithParam<VersionCase> {};
TEST_P(VersionRules, XPAndLayered) {
    const auto& c = GetParam();
    EXPECT_EQ(c.xp, IsWinXPOrLaterVersion(c.major, c.minor));
    EXPECT_EQ(c.layered, IsLayeredSupportedVersion(c.major, c.minor));
}
INSTANTIATE_TEST_SUITE_P(Versions, VersionRules,
                         ::testing::Values(VersionCase{4, 0, false, false}, VersionCase{5, 0, false, true},
                                           VersionCase{5, 1, true, true}, VersionCase{5, 2, false, true},
                                           VersionCase{6, 0, true, true}, VersionCase{10, 0, true, true}));

class TextFixture : public ::testing::Test {
protected:
    TBitmap bmp{100, 20};
    TCanvas* c = bmp.Canvas();
};

TEST_F(TextFixture, FitKeepsFittingTextAndEllipsisesLongText) {
    String s = L"abc";
    FitTextToWidth(c, s, 500);
    EXPECT_EQ(L"abc", s);
    String w = L"abcdefghijklmnopqrstuvwxyz";
    const int full = WideTextWidth(c, w);
    FitWideTextToWidth(c, w, full / 2);
    ASSERT_GE(w.size(), 3u);
    EXPECT_EQ(L"...", w.substr(w.size() - 3));
    EXPECT_LE(WideTextWidth(c, w), full / 2);
    String tiny = L"abcdef";
    FitWideTextToWidth(c, tiny, 1);
    EXPECT_EQ(L"...", tiny);
}

TEST(Layout, CentredWithoutGlyphIgnoresSpacing) {
    int tx, ty, gx, gy;
    CalcImageAndTextLayout(blGlyphLeft, TRect(0, 0, 100, 40), 0, 0, 40, 10, 7, -1, tx, ty, gx, gy);
    EXPECT_EQ(30, tx);
    EXPECT_EQ(15, ty);
}

struct LayoutCase {
    TbsButtonLayout layout;
    int margin;
    int tx, ty, gx, gy;
};
class LayoutRules : public ::testing::TestWithParam<LayoutCase> {};
TEST_P(LayoutRules, Positions) {
    const auto& c = GetParam();
    int tx, ty, gx, gy;
    // R 100 x 60, glyph 16 x 12, text 30 x 10, spacing 4.
    CalcImageAndTextLayout(c.layout, TRect(0, 0, 100, 60), 16, 12, 30, 10, 4, c.margin, tx, ty, gx, gy);
    EXPECT_EQ(c.tx, tx);
    EXPECT_EQ(c.ty, ty);
    EXPECT_EQ(c.gx, gx);
    EXPECT_EQ(c.gy, gy);
}
INSTANTIATE_TEST_SUITE_P(Layouts, LayoutRules,
                         ::testing::Values(LayoutCase{blGlyphLeft, -1, 45, 25, 25, 24},
                                           LayoutCase{blGlyphRight, -1, 25, 25, 59, 24},
                                           LayoutCase{blGlyphTop, -1, 35, 33, 42, 17},
                                           LayoutCase{blGlyphBottom, -1, 35, 17, 42, 31},
                                           LayoutCase{blGlyphLeft, 3, 23, 25, 3, 24},
                                           LayoutCase{blGlyphRight, 3, 47, 25, 81, 24},
                                           LayoutCase{blGlyphTop, 3, 35, 19, 42, 3},
                                           LayoutCase{blGlyphBottom, 3, 35, 31, 42, 45}));

int CountColour(TBitmap& b, COLORREF c) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += PixelOf(b, x, y) == c;
    return n;
}

TEST(Marks, DottedFocusRectAlternatesAndSharesCorners) {
    TBitmap b(8, 6);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, 8, 6));
    b.Canvas()->Font()->SetColor(clBlack);
    DrawDottedFocusRect(b.Canvas(), TRect(0, 0, 8, 6));
    // Never two set neighbours along the frame.
    for (int x = 0; x < 7; ++x) EXPECT_FALSE(PixelOf(b, x, 0) == 0 && PixelOf(b, x + 1, 0) == 0) << x;
    for (int y = 0; y < 5; ++y) EXPECT_FALSE(PixelOf(b, 7, y) == 0 && PixelOf(b, 7, y + 1) == 0) << y;
    EXPECT_EQ(12, CountColour(b, 0));  // every other one of the 24 frame pixels
    TBitmap one(3, 3);
    one.Canvas()->Brush()->SetColor(clWhite);
    one.Canvas()->FillRect(TRect(0, 0, 3, 3));
    one.Canvas()->Font()->SetColor(clBlack);
    DrawDottedFocusRect(one.Canvas(), TRect(1, 1, 2, 2));
    EXPECT_LE(CountColour(one, 0), 1);
}

TEST(Marks, CheckAndArrowsDrawTheirShapes) {
    TBitmap b(20, 20);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, 20, 20));
    DrawDropDownArrow(b.Canvas(), TRect(0, 0, 20, 20), clBlack);
    EXPECT_EQ(9, CountColour(b, 0));  // rows of 5, 3 and 1
    EXPECT_EQ(0u, PixelOf(b, 10, 12));
    b.Canvas()->FillRect(TRect(0, 0, 20, 20));
    DrawMinimizeToTrayImage(b.Canvas(), 0, 0, clBlack);
    EXPECT_EQ(25, CountColour(b, 0));
}

TEST(StreamStrings, RoundTripAndEmpty) {
    TMemoryStream m;
    WriteStreamString(&m, L"");
    EXPECT_EQ(4, m.Size());
    WriteStreamString(&m, L"视频abc");
    EXPECT_EQ(4 + 4 + 10, m.Size());
    m.SetPosition(0);
    String a = L"x", b;
    ReadStreamString(&m, a);
    ReadStreamString(&m, b);
    EXPECT_EQ(L"", a);
    EXPECT_EQ(L"视频abc", b);
}

TEST(StreamStrings, CountBeyondTheDataIsAReadError) {
    TMemoryStream m;
    const int32_t n = 1000;
    m.WriteBuffer(&n, 4);
    m.SetPosition(0);
    String s;
    EXPECT_THROW(ReadStreamString(&m, s), EReadError);
}

TEST(Tokens, CutFirstTokenAndStringToRect) {
    String s = L"12 , 34,56", t;
    CutFirstToken(s, t);
    EXPECT_EQ(L"12", t);
    EXPECT_EQ(L", 34,56", s);
    TRect r;
    StringToRect(L"1,2,30,40", r);
    EXPECT_TRUE(IsEqualRect(TRect(1, 2, 30, 40), r));
    StringToRect(L"1,x,30,40", r);
    EXPECT_TRUE(IsEqualRect(NullRect(), r));
}

TEST(EntryPoints, LookedUpAtStartUp) {
    const auto& e = bsutils::Entries();
    EXPECT_NE(nullptr, e.user32);
    EXPECT_NE(nullptr, e.updateLayeredWindow);
    EXPECT_NE(nullptr, e.setLayeredWindowAttributes);
    EXPECT_TRUE(IsTransparentBltLoaded());
    // The bitmap engine chose its routines before TransparentBlt was loaded.
    EXPECT_FALSE(PixelRoutines().transparentBltKeyDraw);
    EXPECT_EQ(HasMMX(), PixelRoutines().mmx);
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    EXPECT_FALSE(SafeGetScrollBarInfo(nullptr, OBJID_VSCROLL, info));
}

}  // namespace
