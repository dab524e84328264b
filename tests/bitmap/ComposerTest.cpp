// Skin image composers and window regions.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BitmapFixture.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"

using namespace bitmaptest;

namespace {

// A 20 x 20 part with 5-pixel corners at (10, 10) of its picture.
struct Part {
    TBitmap sb;
    TRect r{10, 10, 30, 30};
    TRect cl{5, 5, 15, 15};
    TPoint lt{5, 5}, rt{15, 5}, lb{5, 15}, rb{15, 15};
    Part() { MakeSkinPicture(sb, 20, 20, 5, 10, 10); }

    struct Flags {
        bool left = false, top = false, right = false, bottom = false, effect = false;
        TbsStretchType type = bsstFull;
    };

    // The "New" points for aw x ah: right points and the client's right
    // move by aw - W, bottom ones by ah - H.
    void Compose(TBitmap& b, int aw, int ah, const Flags& f, bool left = false) {
        const int dx = aw - r.Width(), dy = ah - r.Height();
        const TRect ncl(cl.left, cl.top, cl.right + dx, cl.bottom + dy);
        auto fn = left ? CreateSkinImageLeft : CreateSkinImage;
        fn(lt, rt, lb, rb, cl, lt, TPoint(rt.x + dx, rt.y), TPoint(lb.x, lb.y + dy), TPoint(rb.x + dx, rb.y + dy), ncl,
           &b, &sb, r, aw, ah, true, f.left, f.top, f.right, f.bottom, f.effect, f.type);
    }
    COLORREF Src(int x, int y) { return PixelOf(sb, r.left + x, r.top + y); }
};

TEST(SkinImage, TiledTopSideRepeatsItsStepAndKeepsCorners) {
    Part p;
    TBitmap b;
    p.Compose(b, 50, 20, {});
    ASSERT_EQ(50, b.Width());
    ASSERT_EQ(20, b.Height());
    for (int y = 0; y < 5; ++y) {
        for (int x = 5; x < 45; ++x) ASSERT_EQ(p.Src(5 + (x - 5) % 10, y), PixelOf(b, x, y)) << x << "," << y;
        for (int x = 0; x < 5; ++x) ASSERT_EQ(p.Src(x, y), PixelOf(b, x, y));
        for (int x = 45; x < 50; ++x) ASSERT_EQ(p.Src(x - 30, y), PixelOf(b, x, y));
    }
}

TEST(SkinImage, LastPartialTileUsesTheStartOfTheSide) {
    Part p;
    TBitmap b;
    p.Compose(b, 47, 20, {});
    // Run [5, 42): whole tiles at 5, 15, 25 and 7 columns at 35.
    for (int x = 35; x < 42; ++x) EXPECT_EQ(p.Src(5 + x - 35, 2), PixelOf(b, x, 2)) << x;
    for (int x = 42; x < 47; ++x) EXPECT_EQ(p.Src(15 + x - 42, 2), PixelOf(b, x, 2)) << x;
}

TEST(SkinImage, SmallerThanCornersDrawsCornersAtNewPlaces) {
    Part p;
    TBitmap b;
    p.Compose(b, 8, 8, {});
    ASSERT_EQ(8, b.Width());
    // The right corners start at 15 - 12 = 3; drawn after the left ones.
    EXPECT_EQ(p.Src(15, 0), PixelOf(b, 3, 0));
    EXPECT_EQ(p.Src(19, 19), PixelOf(b, 7, 7));
}

TEST(SkinImage, EmptyPictureStillSizesTheTarget) {
    TBitmap sb, b;
    CreateSkinImage(TPoint(5, 5), TPoint(15, 5), TPoint(5, 15), TPoint(15, 15), TRect(5, 5, 15, 15), TPoint(5, 5),
                    TPoint(35, 5), TPoint(5, 25), TPoint(35, 25), TRect(5, 5, 35, 25), &b, &sb, TRect(0, 0, 20, 20),
                    40, 30, true, false, false, false, false, false, bsstFull);
    EXPECT_EQ(40, b.Width());
    EXPECT_EQ(30, b.Height());
}

struct GoldenCase {
    const wchar_t* name;
    int aw, ah;
    Part::Flags flags;
    bool left;
};

class SkinImageGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(SkinImageGolden, MatchesRecordedImage) {
    const GoldenCase& c = GetParam();
    Part p;
    TBitmap b;
    p.Compose(b, c.aw, c.ah, c.flags, c.left);
    EXPECT_EQ("", CompareGolden(b, c.name));
}

Part::Flags Stretched(TbsStretchType t) {
    Part::Flags f;
    f.left = f.top = f.right = f.bottom = f.effect = true;
    f.type = t;
    return f;
}
Part::Flags ClientEffect(TbsStretchType t) {
    Part::Flags f;
    f.effect = true;
    f.type = t;
    return f;
}

INSTANTIATE_TEST_SUITE_P(Cases, SkinImageGolden,
                         ::testing::Values(GoldenCase{L"nine_tiled_50x44", 50, 44, {}, false},
                                           GoldenCase{L"nine_stretched_50x44", 50, 44, Stretched(bsstFull), false},
                                           GoldenCase{L"nine_partial_47x33", 47, 33, {}, false},
                                           GoldenCase{L"nine_smaller_8x8", 8, 8, {}, false},
                                           GoldenCase{L"nine_client_horz_47x33", 47, 33, ClientEffect(bsstHorz), false},
                                           GoldenCase{L"nine_client_vert_47x33", 47, 33, ClientEffect(bsstVert), false},
                                           GoldenCase{L"left_tiled_47x33", 47, 33, {}, true}));

// ---- pixel checks of the golden cases -----------------------------------------------------------------
// The fixture's colours name their source: red = 8 * x and green = 8 * y of
// the part, blue = 40 + 20 * region (0 .. 8, row by row, region 4 = client).

int SrcX(COLORREF c) { return GetRValue(c) / 8; }
int SrcY(COLORREF c) { return GetGValue(c) / 8; }
int Region(COLORREF c) { return (GetBValue(c) - 40) / 20; }

// Source coordinates along a stretched run: every source position of
// [s0, s0 + n) appears, in order, as runs of equal length within one pixel.
void ExpectStretched(const std::vector<int>& run, int s0, int n, const std::string& what) {
    ASSERT_FALSE(run.empty()) << what;
    EXPECT_EQ(s0, run.front()) << what;
    EXPECT_EQ(s0 + n - 1, run.back()) << what;
    const int d = static_cast<int>(run.size());
    int lo = d, hi = 0, len = 1;
    for (size_t i = 1; i <= run.size(); ++i) {
        if (i < run.size() && run[i] == run[i - 1]) {
            ++len;
            continue;
        }
        if (i < run.size()) {
            EXPECT_EQ(run[i - 1] + 1, run[i]) << what << " at " << i;
        }
        lo = std::min(lo, len), hi = std::max(hi, len), len = 1;
    }
    EXPECT_GE(lo, d / n) << what;
    EXPECT_LE(hi, (d + n - 1) / n) << what;
}

std::vector<int> RowOf(TBitmap& b, int y, int x0, int x1, int (*pick)(COLORREF)) {
    std::vector<int> v;
    for (int x = x0; x < x1; ++x) v.push_back(pick(PixelOf(b, x, y)));
    return v;
}

std::vector<int> ColumnOf(TBitmap& b, int x, int y0, int y1, int (*pick)(COLORREF)) {
    std::vector<int> v;
    for (int y = y0; y < y1; ++y) v.push_back(pick(PixelOf(b, x, y)));
    return v;
}

// The corners of the 20 x 20 part at a new size: copied unchanged, right and
// bottom ones moved by the size difference.
void ExpectCorners(Part& p, TBitmap& b) {
    const int dx = b.Width() - 20, dy = b.Height() - 20;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(p.Src(x, y), PixelOf(b, x, y)) << "top-left " << x << "," << y;
            EXPECT_EQ(p.Src(x, 15 + y), PixelOf(b, x, 15 + dy + y)) << "bottom-left " << x << "," << y;
            EXPECT_EQ(p.Src(15 + x, y), PixelOf(b, 15 + dx + x, y)) << "top-right " << x << "," << y;
            EXPECT_EQ(p.Src(15 + x, 15 + y), PixelOf(b, 15 + dx + x, 15 + dy + y)) << "bottom-right " << x << "," << y;
        }
}

TEST(SkinImage, StretchedSidesAndClientCoverTheirRunsOnce) {
    Part p;
    TBitmap b;
    p.Compose(b, 50, 44, Stretched(bsstFull));  // sides 10 -> 40 across, 10 -> 34 down
    ExpectCorners(p, b);
    for (int y : {0, 4}) {
        ExpectStretched(RowOf(b, y, 5, 45, SrcX), 5, 10, "top side row " + std::to_string(y));
        for (int x = 5; x < 45; ++x) EXPECT_EQ(y, SrcY(PixelOf(b, x, y))) << x;
    }
    for (int y : {39, 43}) ExpectStretched(RowOf(b, y, 5, 45, SrcX), 5, 10, "bottom side row " + std::to_string(y));
    for (int x : {0, 4}) ExpectStretched(ColumnOf(b, x, 5, 39, SrcY), 5, 10, "left side column " + std::to_string(x));
    for (int x : {45, 49}) ExpectStretched(ColumnOf(b, x, 5, 39, SrcY), 5, 10, "right side column " + std::to_string(x));
    // The client, stretched both ways over (5, 5, 45, 39).
    ExpectStretched(RowOf(b, 20, 5, 45, SrcX), 5, 10, "client row");
    ExpectStretched(ColumnOf(b, 25, 5, 39, SrcY), 5, 10, "client column");
    for (int y = 5; y < 39; ++y)
        for (int x = 5; x < 45; ++x) ASSERT_EQ(4, Region(PixelOf(b, x, y))) << x << "," << y;
}

TEST(SkinImage, HorizontalClientModeTilesAcrossAndStretchesDown) {
    Part p;
    TBitmap b;
    p.Compose(b, 47, 33, ClientEffect(bsstHorz));  // client (5, 5, 42, 28)
    ExpectCorners(p, b);
    for (int y = 5; y < 28; ++y)
        for (int x = 5; x < 42; ++x) {
            const COLORREF c = PixelOf(b, x, y);
            ASSERT_EQ(4, Region(c)) << x << "," << y;
            ASSERT_EQ(5 + (x - 5) % 10, SrcX(c)) << x << "," << y;  // strips 10 wide from x = 5
        }
    for (int x : {5, 14, 35, 41})
        ExpectStretched(ColumnOf(b, x, 5, 28, SrcY), 5, 10, "client column " + std::to_string(x));
    // The last strip is clipped at the client's right edge: the right side follows.
    for (int y = 5; y < 28; ++y) EXPECT_EQ(5, Region(PixelOf(b, 42, y))) << y;
}

TEST(SkinImage, VerticalClientModeTilesDownAndStretchesAcross) {
    Part p;
    TBitmap b;
    p.Compose(b, 47, 33, ClientEffect(bsstVert));  // client (5, 5, 42, 28)
    ExpectCorners(p, b);
    for (int y = 5; y < 28; ++y)
        for (int x = 5; x < 42; ++x) {
            const COLORREF c = PixelOf(b, x, y);
            ASSERT_EQ(4, Region(c)) << x << "," << y;
            ASSERT_EQ(5 + (y - 5) % 10, SrcY(c)) << x << "," << y;  // strips 10 high from y = 5
        }
    for (int y : {5, 14, 25, 27}) ExpectStretched(RowOf(b, y, 5, 42, SrcX), 5, 10, "client row " + std::to_string(y));
    // The last strip is clipped at the client's bottom edge: the bottom side follows.
    for (int x = 5; x < 42; ++x) EXPECT_EQ(7, Region(PixelOf(b, x, 28))) << x;
}

TEST(SkinImage, LeftComposerRunsEverythingToTheRightEdge) {
    Part p;
    TBitmap b;
    p.Compose(b, 47, 33, {}, true);
    ASSERT_EQ(47, b.Width());
    ASSERT_EQ(33, b.Height());
    // Where each destination pixel comes from: left corners and side as in the
    // nine-piece image; the top and bottom sides and the client tiled with a
    // step of 10 from x = 5 up to the right edge; no right corners or side.
    auto fromX = [](int x) { return x < 5 ? x : 5 + (x - 5) % 10; };
    auto fromY = [](int y) { return y < 5 ? y : y >= 28 ? y - 13 : 5 + (y - 5) % 10; };
    for (int y = 0; y < 33; ++y)
        for (int x = 0; x < 47; ++x) ASSERT_EQ(p.Src(fromX(x), fromY(y)), PixelOf(b, x, y)) << x << "," << y;
}

TEST(SkinImage, FromClientRectangleGolden) {
    Part p;
    TBitmap b(37, 29);
    CreateSkinImageFromClRect(&b, &p.sb, p.r, p.cl, true);
    EXPECT_EQ(p.Src(0, 0), PixelOf(b, 0, 0));
    EXPECT_EQ(p.Src(19, 19), PixelOf(b, 36, 28));
    EXPECT_EQ("", CompareGolden(b, L"from_clrect_37x29"));
}

TEST(SkinImage, ThreePieceComposers) {
    Part p;
    TBitmap h, v, hm;
    CreateHSkinImage(5, 5, &h, &p.sb, p.r, 47, 0, false);
    ASSERT_EQ(47, h.Width());
    ASSERT_EQ(20, h.Height());
    EXPECT_EQ(p.Src(5, 3), PixelOf(h, 15, 3));    // second middle tile
    EXPECT_EQ(p.Src(19, 3), PixelOf(h, 46, 3));   // right end
    EXPECT_EQ(p.Src(11, 3), PixelOf(h, 41, 3));   // last tile cut at 42
    CreateVSkinImage(5, 5, &v, &p.sb, p.r, 0, 33, false);
    ASSERT_EQ(20, v.Width());
    ASSERT_EQ(33, v.Height());
    EXPECT_EQ(p.Src(3, 19), PixelOf(v, 3, 32));
    EXPECT_EQ(p.Src(3, 5), PixelOf(v, 3, 15));
    // No ends and no stretch: the whole part tiled from x = 0.
    CreateHSkinImage(0, 0, &hm, &p.sb, p.r, 45, 0, false);
    EXPECT_EQ(p.Src(0, 1), PixelOf(hm, 40, 1));
    EXPECT_EQ("", CompareGolden(h, L"hskin_tiled_47"));
    EXPECT_EQ("", CompareGolden(v, L"vskin_tiled_33"));
}

// The left-hand and middle-only three-piece composers, every pixel: the
// middle is the source columns LO to W - RO (5 to 15 here), tiled with a step
// of 10 from the left end's edge, or from 0 without ends, cut at the width.
TEST(SkinImage, LeftAndMiddleThreePieceComposers) {
    Part p;
    TBitmap left, middle, stretched;
    CreateHSkinImageLeft(5, 5, &left, &p.sb, p.r, 37, 0, false);
    ASSERT_EQ(37, left.Width());
    ASSERT_EQ(20, left.Height());
    CreateHSkinImageMiddle(5, 5, &middle, &p.sb, p.r, 23, 0, false);
    ASSERT_EQ(23, middle.Width());
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(p.Src(x < 5 ? x : 5 + (x - 5) % 10, y), PixelOf(left, x, y)) << "left " << x << "," << y;
        for (int x = 0; x < 23; ++x)
            ASSERT_EQ(p.Src(5 + x % 10, y), PixelOf(middle, x, y)) << "middle " << x << "," << y;
    }
    // Stretched, the middle covers the whole width once.
    CreateHSkinImageMiddle(5, 5, &stretched, &p.sb, p.r, 30, 0, true);
    ExpectStretched(RowOf(stretched, 7, 0, 30, SrcX), 5, 10, "stretched middle");
}

TEST(SkinImage, VerticalMiddleOfHeightZeroDrawsOnlyEnds) {
    TBitmap sb, v;
    MakeSkinPicture(sb, 10, 10, 5);
    v.SetSize(10, 30);
    v.Canvas()->Brush()->SetColor(clWhite);
    v.Canvas()->FillRect(TRect(0, 0, 10, 30));
    CreateVSkinImage(5, 5, &v, &sb, TRect(0, 0, 10, 10), 0, 30, false);
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(v, 2, 15));
    EXPECT_EQ(PixelOf(sb, 2, 9), PixelOf(v, 2, 29));
}

TEST(SkinImage, BorderImagesMatchTheNinePieceFrame) {
    Part p;
    const int aw = 47, ah = 33, dx = aw - 20, dy = ah - 20;
    const TRect ncl(5, 5, 15 + dx, 15 + dy);
    TBitmap l, t, r, b, whole;
    CreateSkinBorderImages(p.lt, p.rt, p.lb, p.rb, p.cl, p.lt, TPoint(15 + dx, 5), TPoint(5, 15 + dy),
                           TPoint(15 + dx, 15 + dy), ncl, &l, &t, &r, &b, &p.sb, p.r, aw, ah, false, false, false,
                           false);
    ASSERT_EQ(aw, t.Width());
    ASSERT_EQ(5, t.Height());
    ASSERT_EQ(5, b.Height());
    ASSERT_EQ(5, l.Width());
    ASSERT_EQ(ah - 10, l.Height());
    ASSERT_EQ(5, r.Width());
    p.Compose(whole, aw, ah, {});
    // Tiled from 0 under the ends, the sides differ from the nine-piece
    // composition only in phase; the ends and the left/right columns agree.
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelOf(whole, x, 2), PixelOf(t, x, 2));
    for (int y = 0; y < l.Height(); ++y) EXPECT_EQ(PixelOf(whole, 1, y + 5), PixelOf(l, 1, y)) << y;
    TBitmap frame(aw, ah);
    frame.Canvas()->Brush()->SetColor(clWhite);
    frame.Canvas()->FillRect(TRect(0, 0, aw, ah));
    frame.Canvas()->Draw(0, 0, &t);
    frame.Canvas()->Draw(0, t.Height(), &l);
    frame.Canvas()->Draw(aw - r.Width(), t.Height(), &r);
    frame.Canvas()->Draw(0, ah - b.Height(), &b);
    EXPECT_EQ("", CompareGolden(frame, L"border_images_47x33"));
}

// ---- regions -------------------------------------------------------------------------------------

void FillWhite(TBitmap& m, int w, int h) {
    m.SetPixelFormat(pf24bit);
    m.SetSize(w, h);
    m.Canvas()->Brush()->SetColor(clWhite);
    m.Canvas()->FillRect(TRect(0, 0, w, h));
}

HRGN RegionOf(const std::vector<RECT>& rects) {
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& x : rects) {
        HRGN one = CreateRectRgnIndirect(&x);
        CombineRgn(r, r, one, RGN_OR);
        DeleteObject(one);
    }
    return r;
}

TEST(Regions, MaskRunsInScanOrder) {
    TBitmap m;
    FillWhite(m, 6, 2);
    for (int x : {0, 1, 4}) SetPixelOf(m, x, 0, 0);
    for (int x : {2, 3, 4, 5}) SetPixelOf(m, x, 1, 0);
    RGNDATA* data = nullptr;
    const DWORD size = GetRgnDataFromMask(&m, 10, 20, data);
    ASSERT_EQ(32u + 16u * 3, size);
    EXPECT_EQ(3u, data->rdh.nCount);
    EXPECT_EQ(RDH_RECTANGLES, data->rdh.iType);
    EXPECT_TRUE(IsEqualRect(TRect(10, 20, 16, 22), data->rdh.rcBound));
    const RECT* r = reinterpret_cast<RECT*>(data->Buffer);
    EXPECT_TRUE(IsEqualRect(TRect(10, 20, 12, 21), r[0]));
    EXPECT_TRUE(IsEqualRect(TRect(14, 20, 15, 21), r[1]));
    EXPECT_TRUE(IsEqualRect(TRect(12, 21, 16, 22), r[2]));
    HeapFree(GetProcessHeap(), 0, data);
}

TEST(Regions, EmptyMaskGivesNoRegion) {
    TBitmap m;
    RGNDATA* data = nullptr;
    EXPECT_EQ(0u, GetRgnDataFromMask(&m, 0, 0, data));
    EXPECT_EQ(nullptr, data);
    HRGN rgn = reinterpret_cast<HRGN>(1);
    CreateRgnFromMask(rgn, &m);
    EXPECT_EQ(nullptr, rgn);
}

TEST(Regions, RunListHasNoFixedCap) {
    TBitmap m;
    FillWhite(m, 200, 120);
    for (int y = 0; y < 120; ++y)
        for (int x = (y & 1); x < 200; x += 2) SetPixelOf(m, x, y, 0);
    RGNDATA* data = nullptr;
    GetRgnDataFromMask(&m, 0, 0, data);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(12000u, data->rdh.nCount);
    HeapFree(GetProcessHeap(), 0, data);
    HRGN rgn = nullptr;
    CreateRgnFromMask(rgn, &m);
    ASSERT_NE(nullptr, rgn);
    EXPECT_TRUE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 1, 0));
    EXPECT_TRUE(PtInRegion(rgn, 199, 119));
    DeleteObject(rgn);
}

TEST(Regions, SkinRegionCutsTheCornersAtTheNewSize) {
    // A 20 x 20 mask, black but for a white 2 x 2 square in each corner.
    TBitmap m;
    FillWhite(m, 20, 20);
    m.Canvas()->Brush()->SetColor(clBlack);
    m.Canvas()->FillRect(TRect(0, 0, 20, 20));
    m.Canvas()->Brush()->SetColor(clWhite);
    for (const TRect& c : {TRect(0, 0, 2, 2), TRect(18, 0, 20, 2), TRect(0, 18, 2, 20), TRect(18, 18, 20, 20)})
        m.Canvas()->FillRect(c);
    const int aw = 50, ah = 40, dx = 30, dy = 20;
    HRGN rgn = nullptr;
    CreateSkinRegion(rgn, TPoint(5, 5), TPoint(15, 5), TPoint(5, 15), TPoint(15, 15), TRect(5, 5, 15, 15),
                     TPoint(5, 5), TPoint(15 + dx, 5), TPoint(5, 15 + dy), TPoint(15 + dx, 15 + dy),
                     TRect(5, 5, 15 + dx, 15 + dy), &m, aw, ah);
    ASSERT_NE(nullptr, rgn);
    HRGN expected = RegionOf({RECT{2, 0, 48, 2}, RECT{0, 2, 50, 38}, RECT{2, 38, 48, 40}});
    EXPECT_TRUE(EqualRgn(rgn, expected));
    DeleteObject(expected);
    DeleteObject(rgn);
}

TEST(Regions, SkinRegionSmallerThanCornersIsNone) {
    TBitmap m;
    FillWhite(m, 20, 20);
    HRGN rgn = reinterpret_cast<HRGN>(1);
    CreateSkinRegion(rgn, TPoint(5, 5), TPoint(15, 5), TPoint(5, 15), TPoint(15, 15), TRect(5, 5, 15, 15),
                     TPoint(5, 5), TPoint(3, 5), TPoint(5, 15), TPoint(3, 15), TRect(5, 5, 3, 15), &m, 8, 20);
    EXPECT_EQ(nullptr, rgn);
}

}  // namespace
