#pragma once
// GIF pictures (giflib): the first frame of the file. A transparent colour
// index makes the picture transparent with that colour.
//
// Saving writes one frame with a palette: exact when the picture has at
// most 256 colours, otherwise reduced to a fixed 252-colour table.
//
// Threads: a picture belongs to the thread that uses it.

#include "platform/RasterImage.h"

class TGIFImage : public TRasterImage {
public:
    // Throws EInvalidGraphic for data that is not a readable GIF.
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void Assign(TPersistent* source) override;
    // The colour left out when drawing (clNone: none).
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor c);

protected:
    void Draw(TCanvas* canvas, const TRect& r) override;

private:
    TColor transparentColor_ = clNone;
};
