// Glyphs beside captions and the parent background.

#include <gtest/gtest.h>
#include <png.h>

#include "BitmapFixture.h"
#include "platform/Forms.h"
#include "skin/bsPngImageList.h"
#include "skin/bsUtils.h"

using namespace bitmaptest;

namespace {

// An image list with one opaque 10 x 10 green image.
void GreenList(TbsPngImageList& list) {
    list.SetPngWidth(10);
    list.SetPngHeight(10);
    std::vector<uint8_t> rgb(300);
    for (size_t i = 1; i < rgb.size(); i += 3) rgb[i] = 255;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 10, image.height = 10, image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr);
    std::vector<uint8_t> file(size);
    ASSERT_TRUE(png_image_write_to_memory(&image, file.data(), &size, 0, rgb.data(), 0, nullptr));
    TMemoryStream m;
    FillStream(m, file);
    TbsPngImage png;
    png.LoadFromStream(&m);
    static_cast<TbsPngImageItem*>(list.PngImages()->Add())->SetPngImage(&png);
}

struct ImageCase {
    bool down;
    int gx;
};
class ImageAndText : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ImageAndText, GlyphCentredWithSpacing) {
    TbsPngImageList list(nullptr);
    GreenList(list);
    TBitmap target;
    WhiteBitmap(target, 60, 20);
    // gx = 30 - (10 + 4 + 0) div 2 = 23; gy = 10 - 5 = 5; one more when down.
    DrawImageAndText(target.Canvas(), TRect(0, 0, 60, 20), -1, 4, blGlyphLeft, L"", 0, &list, GetParam().down, true,
                     false, clBlack);
    const int gx = GetParam().gx, gy = 5 + GetParam().down;
    EXPECT_EQ(RGB(0, 255, 0), PixelOf(target, gx, gy));
    EXPECT_EQ(RGB(0, 255, 0), PixelOf(target, gx + 9, gy + 9));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, gx + 10, gy));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, gx - 1, gy));
}
INSTANTIATE_TEST_SUITE_P(Down, ImageAndText, ::testing::Values(ImageCase{false, 23}, ImageCase{true, 24}));

TEST(GlyphAndText, DrawsTheChosenCellTransparently) {
    TBitmap strip(20, 10);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect(0, 0, 10, 10));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(TRect(10, 0, 20, 10));
    SetPixelOf(strip, 10, 9, RGB(0, 255, 0));  // the second cell's transparent colour
    TBitmap plain, marked;
    WhiteBitmap(plain, 40, 20);
    WhiteBitmap(marked, 40, 20);
    // gx = margin 2, gy = 10 - 5.
    DrawGlyphAndText(plain.Canvas(), TRect(0, 0, 40, 20), 2, 0, blGlyphLeft, L"", &strip, 2, 2, false, false, clBlack);
    EXPECT_EQ(RGB(0, 0, 255), PixelOf(plain, 2, 5));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(plain, 2, 14));  // the transparent pixel
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(plain, 12, 5));
    // The colour marker: three lines over the glyph's last two rows and the next.
    DrawGlyphAndText(marked.Canvas(), TRect(0, 0, 40, 20), 2, 0, blGlyphLeft, L"", &strip, 2, 2, false, true, clBlack);
    for (int y : {13, 14, 15}) EXPECT_EQ(RGB(0, 0, 0), PixelOf(marked, 11, y)) << y;
    EXPECT_EQ(RGB(0, 0, 255), PixelOf(marked, 11, 12));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(marked, 12, 14));
}

TEST(ParentImage, PaintsTheParentsBackground) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 80);
    form.SetColor(clRed);
    form.HandleNeeded();
    TCustomControl child(&form);
    child.SetParent(&form);
    child.SetBounds(10, 10, 20, 20);
    TBitmap target;
    WhiteBitmap(target, 20, 20);
    DrawParentImage(&child, target.Canvas());
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(target, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(target, 19, 19));
    EXPECT_EQ(0u, child.ControlState & csPaintCopy);
    EXPECT_EQ(0u, form.ControlState & csPaintCopy);
}

// A windowless control that fills itself with one colour.
class Swatch : public TGraphicControl {
public:
    Swatch(TWinControl* parent, TColor colour, int left, int top) : TGraphicControl(parent), colour_(colour) {
        SetParent(parent);
        SetBounds(left, top, 10, 10);
    }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(colour_);
        Canvas()->FillRect(TRect(0, 0, Width(), Height()));
    }

private:
    TColor colour_;
};

// The parent's image under a control holds the windowless siblings before
// it in the parent's list that overlap it, not those after it, hidden ones
// or windowed ones; the offset variant moves the whole image.
TEST(ParentImage, PaintsTheSiblingsBeforeTheControl) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 80);
    form.SetColor(clRed);
    form.HandleNeeded();
    Swatch before(&form, clBlue, 5, 5);       // overlaps the child's top-left corner
    Swatch hidden(&form, clYellow, 25, 5);    // overlaps the top-right corner
    hidden.SetVisible(false);
    Swatch apart(&form, clFuchsia, 60, 60);   // does not overlap
    TCustomControl child(&form);
    child.SetParent(&form);
    child.SetBounds(10, 10, 20, 20);
    Swatch after(&form, clLime, 25, 25);      // after the child in the list
    TBitmap target;
    WhiteBitmap(target, 20, 20);
    DrawParentImage(&child, target.Canvas());
    EXPECT_EQ(RGB(0, 0, 255), PixelOf(target, 0, 0));     // (10, 10) of the form: the blue swatch
    EXPECT_EQ(RGB(0, 0, 255), PixelOf(target, 4, 4));
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(target, 5, 5));     // past the swatch: the form
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(target, 19, 0));    // the hidden swatch is not drawn
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(target, 19, 19));   // nor the one after the child
    EXPECT_EQ(0u, before.ControlState & csPaintCopy);

    // Offset by (3, 2): the image moves left and up by that much.
    WhiteBitmap(target, 20, 20);
    DrawParentImageOffset(&child, TRect(3, 2, 23, 22), target.Canvas());
    EXPECT_EQ(RGB(0, 0, 255), PixelOf(target, 1, 2));     // (14, 14) of the form
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(target, 2, 2));     // (15, 14): past the swatch
}

}  // namespace
