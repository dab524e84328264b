// PNG pictures and the PNG image list.

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "BitmapFixture.h"
#include "platform/Streams.h"
#include "skin/bsPngImageList.h"

using namespace bitmaptest;

namespace {

// Writes a PNG of w x h from pixels in the given simplified-API format.
std::vector<uint8_t> WritePng(int w, int h, png_uint_32 format, const std::vector<uint8_t>& pixels,
                              const std::vector<uint8_t>& colormap = {}) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = w, image.height = h, image.format = format;
    if (!colormap.empty()) image.colormap_entries = static_cast<png_uint_32>(colormap.size() / 4);
    png_alloc_size_t size = 0;
    const void* cmap = colormap.empty() ? nullptr : colormap.data();
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, cmap));
    std::vector<uint8_t> out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, cmap));
    out.resize(size);
    return out;
}

void Load(TbsPngImage& png, const std::vector<uint8_t>& file) {
    TMemoryStream m;
    FillStream(m, file);
    png.LoadFromStream(&m);
}

// 2 x 1 RGBA: opaque red, half-transparent red; and 1 transparent pixel.
std::vector<uint8_t> RgbaFile() {
    return WritePng(3, 1, PNG_FORMAT_RGBA, {255, 0, 0, 255, 255, 0, 0, 128, 0, 0, 255, 0});
}

TEST(PngImage, LoadsRgbaWithAlpha) {
    TbsPngImage png;
    Load(png, RgbaFile());
    EXPECT_EQ(COLOR_RGBALPHA, png.ColorType());
    EXPECT_EQ(ptmPartial, png.TransparencyMode());
    EXPECT_EQ(3, png.Width());
    EXPECT_EQ(static_cast<TColor>(RGB(255, 0, 0)), png.Pixel(1, 0));
    EXPECT_EQ(128, png.Alpha(1, 0));
    TMemoryStream m;
    png.SaveToStream(&m);
    m.SetPosition(0);
    std::vector<uint8_t> head(8);
    m.ReadBuffer(head.data(), 8);
    EXPECT_EQ((std::vector<uint8_t>{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}), head);
    m.SetPosition(0);
    TbsPngImage back;
    back.LoadFromStream(&m);
    EXPECT_EQ(128, back.Alpha(1, 0));
}

TEST(PngImage, RejectsGarbage) {
    TbsPngImage png;
    EXPECT_THROW(Load(png, {1, 2, 3, 4, 5, 6, 7, 8, 9}), EInvalidGraphic);
}

TEST(PngImage, HalfTransparencyOfOpaqueRgbaIs128) {
    TbsPngImage png;
    Load(png, RgbaFile());
    MakeImageHalfTransparent(&png);
    EXPECT_EQ(128, png.Alpha(0, 0));  // Round(255 / 256 * 128)
    EXPECT_EQ(64, png.Alpha(1, 0));
    EXPECT_EQ(0, png.Alpha(2, 0));
}

TEST(PngImage, HalfTransparencyOfPaletteWithKey) {
    // Colour map: entry 0 transparent blue, entry 1 opaque green.
    const std::vector<uint8_t> cmap = {0, 0, 255, 0, 0, 255, 0, 255};
    TbsPngImage png;
    Load(png, WritePng(2, 1, PNG_FORMAT_RGBA_COLORMAP, {0, 1}, cmap));
    ASSERT_EQ(COLOR_PALETTE, png.ColorType());
    ASSERT_EQ(ptmBit, png.TransparencyMode());
    MakeImageHalfTransparent(&png);
    EXPECT_EQ(COLOR_RGBALPHA, png.ColorType());
    EXPECT_EQ(0, png.Alpha(0, 0));
    EXPECT_EQ(127, png.Alpha(1, 0));
    EXPECT_EQ(static_cast<TColor>(RGB(0, 255, 0)), png.Pixel(1, 0));
}

TEST(PngImage, HalfTransparencyOfGreyIs127) {
    TbsPngImage png;
    Load(png, WritePng(2, 1, PNG_FORMAT_GRAY, {10, 200}));
    ASSERT_EQ(COLOR_GRAYSCALE, png.ColorType());
    MakeImageHalfTransparent(&png);
    EXPECT_EQ(127, png.Alpha(0, 0));
    EXPECT_EQ(static_cast<TColor>(RGB(200, 200, 200)), png.Pixel(1, 0));
}

// ---- the image list --------------------------------------------------------------------------

class LoadingList : public TbsPngImageList {
public:
    using TbsPngImageList::TbsPngImageList;
    void SetLoading(bool v) { SetState(csLoading, v); }
};

TbsPngImageItem* AddItem(TbsPngImageList& list, const std::vector<uint8_t>& file) {
    auto* item = static_cast<TbsPngImageItem*>(list.PngImages()->Add());
    TbsPngImage png;
    Load(png, file);
    item->SetPngImage(&png);
    return item;
}

TEST(PngImageList, ItemsNamedByIndexAndPlaceholdersInStep) {
    TbsPngImageList list(nullptr);
    list.SetPngWidth(3);
    list.SetPngHeight(1);
    for (int i = 0; i < 3; ++i) AddItem(list, RgbaFile());
    EXPECT_EQ(L"PngImage2", list.PngImages()->Items(2)->Name);
    EXPECT_EQ(3, list.Count());
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list.Handle(), &cx, &cy);
    EXPECT_EQ(3, cx);
    // Deleting item 1 of 3: item 2 becomes image 1 and still draws.
    TbsPngImage grey;
    Load(grey, WritePng(3, 1, PNG_FORMAT_GRAY, {9, 9, 9}));
    list.PngImages()->Items(2)->SetPngImage(&grey);
    list.PngImages()->Delete(1);
    EXPECT_EQ(2, list.Count());
    TBitmap target(3, 1);
    list.Draw(target.Canvas(), 0, 0, 1);
    EXPECT_EQ(RGB(9, 9, 9), PixelOf(target, 0, 0));
    // No such item: the target stays as it was.
    target.Canvas()->SetPixel(0, 0, RGB(1, 2, 3));
    list.Draw(target.Canvas(), 0, 0, 5);
    list.Draw(target.Canvas(), 0, 0, -1);
    EXPECT_EQ(RGB(1, 2, 3), PixelOf(target, 0, 0));
}

TEST(PngImageList, DrawsWithAlphaAndDisabledHalvesIt) {
    TbsPngImageList list(nullptr);
    list.SetPngWidth(3);
    list.SetPngHeight(1);
    AddItem(list, RgbaFile());
    TBitmap target;
    WhiteBitmap(target, 3, 2);
    list.Draw(target.Canvas(), 0, 0, 0, true);
    list.Draw(target.Canvas(), 0, 1, 0, false);
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(target, 0, 0));
    EXPECT_NEAR(127, GetGValue(PixelOf(target, 1, 0)), 1);
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(target, 2, 0));
    // Disabled: alpha 128 over white.
    EXPECT_NEAR(127, GetGValue(PixelOf(target, 0, 1)), 1);
    EXPECT_EQ(255, GetRValue(PixelOf(target, 0, 1)));
}

TEST(PngImageList, ChangingSizeClearsItemsUnlessLoading) {
    LoadingList list(nullptr);
    AddItem(list, RgbaFile());
    list.SetLoading(true);
    list.SetPngWidth(32);
    EXPECT_EQ(1, list.PngImages()->Count());
    EXPECT_EQ(1, list.Count());
    list.SetLoading(false);
    list.SetPngHeight(32);
    EXPECT_EQ(0, list.PngImages()->Count());
    EXPECT_EQ(0, list.Count());
}

}  // namespace
