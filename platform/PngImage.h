#pragma once
// PNG pictures (libpng) with an alpha channel.
//
// The picture keeps its colours as a 24-bit bitmap and, when it has one, a
// separate alpha plane (0 transparent .. 255 opaque, straight, not
// premultiplied). The colour type and transparency of the file are kept so
// that a picture saves as it was loaded: palette pictures (up to 256
// colours) stay palette pictures, a single transparent colour stays one.
// Drawing blends the alpha channel (or leaves out the transparent colour).
//
// Threads: a picture belongs to the thread that uses it.

#include "platform/RasterImage.h"

// Colour types of the PNG format.
constexpr int COLOR_GRAYSCALE = 0, COLOR_RGB = 2, COLOR_PALETTE = 3, COLOR_GRAYSCALEALPHA = 4, COLOR_RGBALPHA = 6;

enum TPNGTransparencyMode { ptmNone, ptmBit, ptmPartial };

class TPngImage : public TRasterImage {
public:
    // Throws EInvalidGraphic for data that is not a readable PNG.
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void Assign(TPersistent* source) override;

    int ColorType() const { return colorType_; }
    TPNGTransparencyMode TransparencyMode() const;
    // The transparent colour of a ptmBit picture (clNone otherwise).
    TColor TransparentColor() const { return transparentKey_; }
    void SetTransparentColor(TColor c);
    bool HasAlpha() const { return !alpha_.empty(); }
    // Gives the picture an alpha channel, every pixel opaque (nothing when
    // it has one); the colour type becomes RGB with alpha.
    void CreateAlpha();
    // Removes the alpha channel; the colour type becomes RGB.
    void RemoveAlpha();
    // Row y of the alpha plane (nullptr without alpha).
    uint8_t* AlphaScanline(int y);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor c);
    // Sets the size of a blank RGB picture (black, no alpha).
    void SetSize(int w, int h);
    void SetWidth(int w) override { SetSize(w, Height()); }
    void SetHeight(int h) override { SetSize(Width(), h); }

protected:
    void AssignTo(TPersistent* dest) override;
    void Draw(TCanvas* canvas, const TRect& r) override;

private:
    void Reset(int colorType);

    std::vector<uint8_t> alpha_;
    int colorType_ = COLOR_RGB;
    TColor transparentKey_ = clNone;
};
