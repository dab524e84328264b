#pragma once
// TbsPngImage: a PNG picture (decoded with libpng) with its colour type,
// transparency mode and colour, optional alpha channel, per-pixel access and
// alpha-blended drawing. It stands in for the class library's PNG picture
// until that exists, and should then become a plain descendant of it.
//
// Threads: a picture belongs to the thread that uses it.

#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

enum TPngTransparencyMode { ptmNone, ptmBit, ptmPartial };

// PNG colour types.
constexpr int COLOR_GRAYSCALE = 0, COLOR_RGB = 2, COLOR_PALETTE = 3, COLOR_GRAYSCALEALPHA = 4, COLOR_RGBALPHA = 6;

class TbsPngImage : public TGraphic {
public:
    TbsPngImage() = default;

    bool Empty() const override { return width_ == 0 || height_ == 0; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int w) override { Resize(w, height_); }
    void SetHeight(int h) override { Resize(width_, h); }

    // A complete PNG file; throws EInvalidGraphic for data libpng rejects.
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void Assign(TPersistent* source) override;

    int ColorType() const { return colorType_; }
    TPngTransparencyMode TransparencyMode() const { return mode_; }
    // The colour that is transparent in a ptmBit picture.
    TColor TransparentColor() const { return key_; }
    bool HasAlpha() const { return !alpha_.empty(); }
    // Adds an opaque alpha channel (RGB and grey pictures gain alpha types).
    void CreateAlpha();

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);
    uint8_t Alpha(int x, int y) const { return HasAlpha() ? alpha_[Index(x, y)] : 255; }
    void SetAlpha(int x, int y, uint8_t a) {
        if (HasAlpha()) alpha_[Index(x, y)] = a;
    }

protected:
    void Draw(TCanvas* canvas, const TRect& r) override;

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
    void Resize(int w, int h);

    int width_ = 0, height_ = 0;
    int colorType_ = COLOR_RGB;
    TPngTransparencyMode mode_ = ptmNone;
    TColor key_ = clNone;
    std::vector<uint8_t> rgb_;    // red, green, blue per pixel
    std::vector<uint8_t> alpha_;  // empty without an alpha channel
};
