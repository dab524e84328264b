// TbsEffectBmp: cross-fades, wipes, filters and geometry.

#include <gtest/gtest.h>

#include <memory>

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
