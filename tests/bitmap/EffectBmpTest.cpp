// TbsEffectBmp: cross-fades, wipes, filters and geometry.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Bitmap.h"
#include "skin/bsEffectsTransitions.h"

namespace {

using Bmp = std::unique_ptr<TbsEffectBmp>;

Bmp Filled(int w, int h, uint32_t c) {
    Bmp b(new TbsEffectBmp(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b->PutPixel(x, y, c);
    return b;
}

Bmp Columns(int w, int h, int base) {
    Bmp b(new TbsEffectBmp(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b->PutPixel(x, y, static_cast<uint32_t>(base + x) << 16 | y);
    return b;
}

int RedAt(const Bmp& b, int x, int y) { return (b->GetPixel(x, y) >> 16) & 0xFF; }

TEST(EffectBmp, MorphHalfRoundsToEven) {
    Bmp a = Filled(3, 2, 0x0A0A0A), b = Filled(3, 2, 0x151414);
    a->Morph(b.get(), 0.5);
    EXPECT_EQ(16u, a->GetPixel(1, 1) >> 16);        // Round(15.5)
    EXPECT_EQ(15u, a->GetPixel(1, 1) & 0xFF);       // Round(15.0)
    Bmp c = Filled(3, 2, 0x0A0A0A);
    c->Morph(b.get(), 2);
    EXPECT_EQ(0x151414u, c->GetPixel(2, 1));
}

TEST(EffectBmp, DifferentSizesDoNothing) {
    Bmp a = Filled(3, 2, 1), b = Filled(4, 2, 2);
    a->Morph(b.get(), 1);
    a->MorphPush(b.get(), 1);
    EXPECT_EQ(1u, a->GetPixel(0, 0));
}

TEST(EffectBmp, SlidesAndPush) {
    Bmp own = Columns(10, 2, 0), other = Columns(10, 2, 100);
    own->MorphLeftSlide(other.get(), 0);
    EXPECT_EQ(109, RedAt(own, 0, 0));
    EXPECT_EQ(1, RedAt(own, 1, 0));
    Bmp push = Columns(10, 2, 0);
    push->MorphPush(other.get(), 0);
    EXPECT_EQ(109, RedAt(push, 0, 1));
    for (int x = 1; x < 10; ++x) EXPECT_EQ(x - 1, RedAt(push, x, 1));
    Bmp right = Columns(10, 2, 0);
    right->MorphRightSlide(other.get(), 0.3);
    EXPECT_EQ(100, RedAt(right, 7, 0));
    EXPECT_EQ(6, RedAt(right, 6, 0));
}

TEST(EffectBmp, HorizontalGradientFromTheCentre) {
    Bmp own = Filled(9, 1, 0), other = Filled(9, 1, 200);
    own->MorphHGrad(other.get(), 0);
    const int expected[9] = {0, 50, 100, 150, 200, 150, 100, 50, 0};
    for (int x = 0; x < 9; ++x) EXPECT_EQ(expected[x], static_cast<int>(own->GetPixel(x, 0) & 0xFF)) << x;
}

TEST(EffectBmp, LeftGradientFadesToOwnAtB) {
    Bmp own = Filled(10, 1, 0), other = Filled(10, 1, 100);
    own->MorphLeftGrad(other.get(), 0.4);  // b = 4, step 0.25
    const int expected[6] = {100, 75, 50, 25, 0, 0};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(expected[x], static_cast<int>(own->GetPixel(x, 0) & 0xFF)) << x;
}

// ---- gradient wipes: numeric cases ------------------------------------------------------------------

// Own picture 0, other picture 200 (or 100): a mixed value shows t directly.
int Blue(const Bmp& b, int x, int y) { return static_cast<int>(b->GetPixel(x, y) & 0xFF); }

struct GradCase {
    const char* what;
    int size;
    double kf;
    std::vector<int> expected;  // along the wipe's direction
};

void PrintTo(const GradCase& c, std::ostream* os) { *os << c.what; }

// Rows of a 2-pixel-wide picture: c = (Height - 1 - b) div 2, a step of 1 / c,
// or no step at all when c = 0.
class VerticalGradient : public ::testing::TestWithParam<GradCase> {};

TEST_P(VerticalGradient, RowsFadeFromTheMiddleBand) {
    const GradCase& c = GetParam();
    Bmp own = Filled(2, c.size, 0), other = Filled(2, c.size, 200);
    own->MorphVGrad(other.get(), c.kf);
    for (int y = 0; y < c.size; ++y) {
        EXPECT_EQ(c.expected[y], Blue(own, 0, y)) << "row " << y;
        EXPECT_EQ(c.expected[y], Blue(own, 1, y)) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VerticalGradient,
    ::testing::Values(
        // b = 0, c = 4, step 0.25, band row 4.
        GradCase{"odd height", 9, 0, {0, 50, 100, 150, 200, 150, 100, 50, 0}},
        // b = 0, c = (9 - 0) div 2 = 4 (not 5), band row 5.
        GradCase{"even height", 10, 0, {0, 0, 50, 100, 150, 200, 150, 100, 50, 0}},
        // b = 4, c = 2, step 0.5, band rows 3 .. 7.
        GradCase{"band of four", 10, 0.4, {0, 0, 100, 200, 200, 200, 200, 200, 100, 0}},
        // b = Round(4.5) = 4 (to even), c = 2, band rows 2 .. 6.
        GradCase{"half rounds to even", 9, 0.5, {0, 100, 200, 200, 200, 200, 200, 100, 0}},
        // b = 1, c = 0: no step, every row shows the other picture.
        GradCase{"zero step", 3, 0.34, {200, 200, 200}},
        GradCase{"whole height", 10, 1, {200, 200, 200, 200, 200, 200, 200, 200, 200, 200}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

// Columns of a one-row picture: c = (Width - b) div 2, a step of 1 / c, or 1
// when c = 0.
class HorizontalGradient : public ::testing::TestWithParam<GradCase> {};

TEST_P(HorizontalGradient, ColumnsFadeFromTheMiddleBand) {
    const GradCase& c = GetParam();
    Bmp own = Filled(c.size, 1, 0), other = Filled(c.size, 1, 200);
    own->MorphHGrad(other.get(), c.kf);
    for (int x = 0; x < c.size; ++x) EXPECT_EQ(c.expected[x], Blue(own, x, 0)) << "column " << x;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HorizontalGradient,
    ::testing::Values(
        // b = 0, c = 5, step 0.2, band column 5.
        GradCase{"even width", 10, 0, {0, 40, 80, 120, 160, 200, 160, 120, 80, 40}},
        // b = 1, c = 1, step 1: only the band shows the other picture.
        GradCase{"step of one", 3, 0.34, {0, 200, 0}},
        // b = 4, c = 3, step 1/3, band columns 3 .. 7.
        GradCase{"band of four", 10, 0.4, {0, 67, 133, 200, 200, 200, 200, 200, 133, 67}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

// Columns of a one-row picture, own 0 and other 100.
struct SideGradCase {
    double kf;
    std::vector<int> expected;
};

class RightGradient : public ::testing::TestWithParam<SideGradCase> {};

TEST_P(RightGradient, OtherAtTheRightEdgeFadingToOwnAtC) {
    Bmp own = Filled(10, 1, 0), other = Filled(10, 1, 100);
    own->MorphRightGrad(other.get(), GetParam().kf);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(GetParam().expected[x], Blue(own, x, 0)) << "column " << x;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RightGradient,
    ::testing::Values(
        // c = 10 - 4 = 6, step 1/4.
        SideGradCase{0.4, {0, 0, 0, 0, 0, 0, 25, 50, 75, 100}},
        // c = 10 limited to 9, step 1 / (10 - 9).
        SideGradCase{0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 100}},
        // Round(2.5) = 2 (to even): c = 8, step 1/2.
        SideGradCase{0.25, {0, 0, 0, 0, 0, 0, 0, 0, 50, 100}},
        // c = 0, step 1/10: the whole row.
        SideGradCase{1, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        // c below 0 is held at 0.
        SideGradCase{3, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}}));

class LeftGradient : public ::testing::TestWithParam<SideGradCase> {};

TEST_P(LeftGradient, OtherAtTheLeftEdgeFadingToOwnAtB) {
    Bmp own = Filled(10, 1, 0), other = Filled(10, 1, 100);
    own->MorphLeftGrad(other.get(), GetParam().kf);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(GetParam().expected[x], Blue(own, x, 0)) << "column " << x;
}

INSTANTIATE_TEST_SUITE_P(Cases, LeftGradient,
                         ::testing::Values(
                             // b = 0 raised to 1, step 1.
                             SideGradCase{0, {100, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                             // b = 20 limited to 9, step 1/9.
                             SideGradCase{2, {100, 89, 78, 67, 56, 44, 33, 22, 11, 0}}));

// The gradient dispatch: vertical only for a picture taller than wide.
TEST(EffectBmp, GradientRunsAcrossTheLongerSide) {
    const std::vector<int> fade = {0, 100, 200, 100, 0};  // 5 pixels: c = 2, step 0.5
    Bmp tall = Filled(2, 5, 0), tallOther = Filled(2, 5, 200);
    tall->MorphGrad(tallOther.get(), 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(fade[y], Blue(tall, x, y)) << x << "," << y;
    Bmp wide = Filled(5, 2, 0), wideOther = Filled(5, 2, 200);
    wide->MorphGrad(wideOther.get(), 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(fade[x], Blue(wide, x, y)) << x << "," << y;
    // A square picture wipes horizontally.
    Bmp square = Filled(5, 5, 0), squareOther = Filled(5, 5, 200);
    square->MorphGrad(squareOther.get(), 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(fade[x], Blue(square, x, y)) << x << "," << y;
}

// ---- filters: numeric cases ----------------------------------------------------------------------------

enum class Filter { Brightness, Darkness, Invert };

struct FilterCase {
    Filter filter;
    double kf;
    int in, out;  // one grey channel value before and after
};

class Filters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(Filters, ChangeEveryChannel) {
    const FilterCase& c = GetParam();
    const uint32_t grey = static_cast<uint32_t>(c.in) * 0x010101u;
    Bmp b = Filled(3, 2, grey);
    switch (c.filter) {
    case Filter::Brightness: b->ChangeBrightness(c.kf); break;
    case Filter::Darkness: b->ChangeDarkness(c.kf); break;
    case Filter::Invert: b->Invert(); break;
    }
    const uint32_t expected = static_cast<uint32_t>(c.out) * 0x010101u;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(expected, b->GetPixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Filters,
    ::testing::Values(FilterCase{Filter::Brightness, 0.5, 10, 132},   // Round(132.5) to even
                      FilterCase{Filter::Brightness, 0.5, 11, 133},   // 5.5 + 127.5
                      FilterCase{Filter::Brightness, 0.2, 100, 131},  // 80 + 51
                      FilterCase{Filter::Brightness, 2, 100, 255},    // Kf held at 1
                      FilterCase{Filter::Brightness, -1, 77, 77},     // Kf held at 0
                      FilterCase{Filter::Brightness, std::nan(""), 77, 77},
                      FilterCase{Filter::Darkness, 0.5, 25, 12},      // Round(12.5) to even
                      FilterCase{Filter::Darkness, 0.5, 27, 14},      // Round(13.5) to even
                      FilterCase{Filter::Darkness, 0.25, 200, 150},
                      FilterCase{Filter::Darkness, 1, 200, 0},
                      FilterCase{Filter::Invert, 0, 0x12, 0xED},
                      FilterCase{Filter::Invert, 0, 0, 255}));

// Pixel (x, y) of an 8 x 8 picture holds red = 10 * x and green = 10 * y.
Bmp Coordinates() {
    Bmp b(new TbsEffectBmp(8, 8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) b->PutPixel(x, y, static_cast<uint32_t>(10 * x) << 16 | (10 * y) << 8);
    return b;
}

TEST(EffectBmp, WaveTakesPixelsAlongSines) {
    Bmp b = Coordinates();
    b->Wave(2, 3, 3);  // x + 3 Sin(y / 3), y + 3 Sin(x / 2)
    struct Case {
        int x, y, fromX, fromY;
    };
    for (const Case& c : {Case{0, 0, 0, 0},
                          Case{2, 3, 5, 6},   // 2 + 2.52, 3 + 2.52
                          Case{5, 0, 5, 2},   // y: 3 Sin 2.5 = 1.80
                          Case{0, 6, 3, 6},   // x: 3 Sin 2 = 2.73
                          Case{1, 4, 4, 5},   // 1 + 2.92, 4 + 1.44
                          Case{6, 7, 7, 7},   // x: 8.17 held at 7
                          Case{7, 0, 7, 0},   // y: -1.05 held at 0
                          Case{4, 5, 7, 7}}) {
        EXPECT_EQ(static_cast<uint32_t>(10 * c.fromX) << 16 | (10 * c.fromY) << 8, b->GetPixel(c.x, c.y))
            << c.x << "," << c.y;
    }
    Bmp still = Coordinates();
    still->Wave(0, 3, 3);
    still->Wave(2, 0, 3);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(Coordinates()->GetPixel(x, y), still->GetPixel(x, y));
}

struct ResizeCase {
    int sw, sh, dw, dh;
    std::vector<int> from;  // per destination pixel, row by row: the source index y * sw + x
};

class ResizeBlocks : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(ResizeBlocks, EverySourcePixelPaintsABlock) {
    const ResizeCase& c = GetParam();
    Bmp src(new TbsEffectBmp(c.sw, c.sh));
    for (int y = 0; y < c.sh; ++y)
        for (int x = 0; x < c.sw; ++x) src->PutPixel(x, y, static_cast<uint32_t>(1 + y * c.sw + x) * 20);
    Bmp dst(new TbsEffectBmp(c.dw, c.dh));
    src->Resize(dst.get());
    for (int y = 0; y < c.dh; ++y)
        for (int x = 0; x < c.dw; ++x)
            EXPECT_EQ(static_cast<uint32_t>(1 + c.from[y * c.dw + x]) * 20, dst->GetPixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Cases, ResizeBlocks,
                         ::testing::Values(
                             // fx = 5/3: blocks of Round(1.67) + 1 = 3 at Round(0), Round(1.67), Round(3.33).
                             ResizeCase{3, 1, 6, 1, {0, 0, 1, 2, 2, 2}},
                             // fx = 1: blocks of 2 at 0 and 1; the later one wins.
                             ResizeCase{2, 1, 3, 1, {0, 1, 1}},
                             // fx = fy = 2: blocks of 3 x 3 at 0 and 2.
                             ResizeCase{2, 2, 5, 5, {0, 0, 1, 1, 1,  //
                                                     0, 0, 1, 1, 1,  //
                                                     2, 2, 3, 3, 3,  //
                                                     2, 2, 3, 3, 3,  //
                                                     2, 2, 3, 3, 3}}));

TEST(EffectBmp, FlipVertMirrorsTheRows) {
    Bmp src = Columns(3, 4, 0), dst(new TbsEffectBmp(3, 4));
    src->FlipVert(dst.get());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(src->GetPixel(x, y), dst->GetPixel(x, 3 - y)) << x << "," << y;
    EXPECT_EQ(static_cast<uint32_t>(2) << 16 | 3, dst->GetPixel(2, 0));  // red = x, blue = y
}

TEST(EffectBmp, GrayOfPureGreen) {
    Bmp g = Filled(2, 2, 0x00FF00);
    g->GrayScale();
    EXPECT_EQ(0x969696u, g->GetPixel(1, 1));  // 150 in every channel
}

TEST(EffectBmp, RotationsUndoEachOther) {
    Bmp a = Columns(5, 3, 7), turned(new TbsEffectBmp(3, 5)), back(new TbsEffectBmp(5, 3));
    a->Rotate90_1(turned.get());
    EXPECT_EQ(a->GetPixel(0, 0), turned->GetPixel(0, 4));
    turned->Rotate90_2(back.get());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(a->GetPixel(x, y), back->GetPixel(x, y));
}

TEST(EffectBmp, RectOperationsAreClipped) {
    Bmp a = Filled(4, 4, 0), b = Filled(4, 4, 0xFFFFFF);
    // Right and bottom are inclusive and limited to the bitmap.
    a->CopyRect(b.get(), TRect(1, 1, 100, 100), 0, 0);
    EXPECT_EQ(0u, a->GetPixel(0, 0));
    EXPECT_EQ(0xFFFFFFu, a->GetPixel(3, 3));
    // Source positions beyond the other bitmap are skipped.
    Bmp c = Filled(4, 4, 0);
    c->MorphRect(b.get(), 0.5, TRect(-2, -2, 50, 50), 1, 1);
    EXPECT_EQ(0x808080u, c->GetPixel(0, 0));  // from b (3, 3), Round(127.5)
    EXPECT_EQ(0u, c->GetPixel(1, 1));         // b (4, 4) does not exist
}

// The gradient wipes take their factor unclamped; one far below -1 (or far
// beyond any size) must still keep every write inside the picture and only
// mix the two pictures.
TEST(EffectBmp, GradientsStayInsideThePictureForAnyFactor) {
    for (const double kf : {-1.5, -3.0, -1e4, -1e12, 1e12}) {
        for (const auto& [w, h] : {std::pair{9, 1}, std::pair{2, 9}, std::pair{64, 48}, std::pair{48, 64}}) {
            Bmp own = Filled(w, h, 0), other = Filled(w, h, 200);
            own->MorphHGrad(other.get(), kf);
            own->MorphVGrad(other.get(), kf);
            own->MorphGrad(other.get(), kf);
            own->MorphLeftGrad(other.get(), kf);
            own->MorphRightGrad(other.get(), kf);
            own->MorphPush(other.get(), kf);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    // Both pictures are blue only: a mix is blue only, at most 200.
                    const uint32_t p = own->GetPixel(x, y);
                    ASSERT_TRUE((p & 0xFFFF00u) == 0 && (p & 0xFF) <= 200)
                        << "kf " << kf << " at " << x << "," << y << " of " << w << "x" << h;
                }
        }
    }
}

TEST(EffectBmp, BlurAmountBeyondTheSizeIsLimited) {
    Bmp a = Columns(3, 3, 0);
    a->SplitBlur(50);
    a->Mosaic(2);
    EXPECT_EQ(a->GetPixel(0, 0), a->GetPixel(1, 1));
    Bmp uniform = Filled(5, 5, 0x404040);
    uniform->SplitBlur(1);
    EXPECT_EQ(0x404040u, uniform->GetPixel(2, 2));
}

TEST(EffectBmp, MaskFillTouchesOnlyNonWhite) {
    Bmp a = Filled(2, 1, 0), m = Filled(2, 1, 0xFFFFFF);
    m->PutPixel(1, 0, 0);
    a->MaskFillColor(m.get(), 0x0000FF, 0.5);  // red
    EXPECT_EQ(0u, a->GetPixel(0, 0));
    EXPECT_EQ(128u << 16, a->GetPixel(1, 0));  // Round(127.5)
    Bmp wrong = Filled(3, 1, 0);
    a->MaskFillColor(wrong.get(), 0x0000FF, 1);
    EXPECT_EQ(128u << 16, a->GetPixel(1, 0));
}

TEST(EffectBmp, MaskBlurFollowsTheMask) {
    Bmp a = Columns(6, 6, 0), b = Columns(6, 6, 0);
    Bmp white = Filled(6, 6, 0xFFFFFF), black = Filled(6, 6, 0);
    a->MaskBlur(white.get(), 1);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(x, RedAt(a, x, 3));
    a->MaskBlur(black.get(), 1);
    b->SplitBlur(1);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(b->GetPixel(x, y), a->GetPixel(x, y));
    // Antialiasing touches only pixels next to white mask pixels.
    Bmp c = Filled(6, 6, 0), edge = Filled(6, 6, 0);
    c->PutPixel(2, 2, 0xFFFFFF);
    c->PutPixel(4, 4, 0xFFFFFF);
    c->PutPixel(3, 3, 0xFFFFFF);
    edge->PutPixel(0, 0, 0xFFFFFF);
    c->MaskAntialiasing(edge.get(), 1);
    EXPECT_EQ(0x3F3F3Fu, c->GetPixel(1, 1));  // (0, 0) of the mask is white: smoothed
    EXPECT_EQ(0xFFFFFFu, c->GetPixel(3, 3));  // no white mask sample: kept
}

TEST(EffectBmp, CopiesABitmapHandleAndDrawsIt) {
    TBitmap src(3, 2);
    src.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(10, 20, 30)));
    src.Canvas()->FillRect(TRect(0, 0, 3, 2));
    Bmp e(TbsEffectBmp::CreateFromhWnd(src.Handle()));
    ASSERT_EQ(3, e->Width);
    EXPECT_EQ(0x0A141Eu, e->GetPixel(2, 1));
    e->PutPixel(0, 0, 0x0000FF);  // blue
    TBitmap dst(3, 2);
    e->Draw(dst.Canvas()->Handle(), 0, 0);
    GdiFlush();
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(dst.Canvas()->Handle(), 0, 0));
    EXPECT_EQ(RGB(10, 20, 30), GetPixel(dst.Canvas()->Handle(), 1, 1));
}

}  // namespace
