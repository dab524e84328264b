#pragma once
// JPEG pictures (libjpeg-turbo). Loading decodes into a 24-bit bitmap;
// saving encodes that bitmap at CompressionQuality.
//
// Threads: a picture belongs to the thread that uses it.

#include "platform/RasterImage.h"

class TJPEGImage : public TRasterImage {
public:
    // 1 (smallest file) .. 100 (best picture).
    int CompressionQuality = 90;
    // Throws EInvalidGraphic for data that is not a readable JPEG.
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
};
