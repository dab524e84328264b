#pragma once
// TbsPngImage: the skin's PNG picture. Decoding, encoding, the colour type,
// transparency, alpha channel and alpha-blended drawing are the class
// library's TPngImage; this descendant only adds per-pixel alpha access.
//
// Threads: a picture belongs to the thread that uses it.

#include <cstdint>

#include "platform/PngImage.h"

class TbsPngImage : public TPngImage {
public:
    // The alpha of pixel (x, y); 255 for a picture without alpha channel.
    uint8_t Alpha(int x, int y) { return HasAlpha() ? AlphaScanline(y)[x] : 255; }
    // Sets the alpha of pixel (x, y); nothing without an alpha channel.
    void SetAlpha(int x, int y, uint8_t a) {
        if (HasAlpha()) AlphaScanline(y)[x] = a;
    }
};
