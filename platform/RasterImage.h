#pragma once
// The common base of the compressed picture formats (JPEG, GIF, PNG): the
// decoded picture is kept as a bitmap that draws, converts and copies.
//
// Threads: a picture belongs to the thread that uses it.

#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

class TRasterImage : public TGraphic {
public:
    bool Empty() const override { return bitmap_.Empty(); }
    int Width() const override { return bitmap_.Width(); }
    int Height() const override { return bitmap_.Height(); }
    void SetWidth(int w) override;
    void SetHeight(int h) override;
    // The decoded picture (24-bit, or 32-bit with straight alpha).
    TBitmap* Bitmap() { return &bitmap_; }
    // Takes the picture of a bitmap or of another raster image.
    void Assign(TPersistent* source) override;
    // Loads the whole file from a module's resources (RT_RCDATA by default).
    void LoadFromResourceName(HINSTANCE instance, const String& name, const wchar_t* type = RT_RCDATA);

protected:
    // Copies the picture into a TBitmap.
    void AssignTo(TPersistent* dest) override;
    void Draw(TCanvas* canvas, const TRect& r) override;
    // Replaces the picture by w x h pixels of 24 bits, taken from rows of
    // blue, green, red triplets (stride bytes apart), top row first.
    void SetPixelsBgr(int w, int h, const uint8_t* rows, size_t stride);
    // The picture as tightly packed RGB triplets, top row first.
    std::vector<uint8_t> PixelsRgb();

    TBitmap bitmap_;
};

namespace platform {
// The whole remaining contents of a stream.
std::vector<uint8_t> ReadRest(TStream* stream);
}  // namespace platform
