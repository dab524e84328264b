#include "skin/bsPngImage.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "platform/SysUtils.h"
#include "skin/bsEffects.h"

namespace {

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
uint16_t BigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

// What the simplified decoder does not report: the colour type, bit depth
// and the tRNS and PLTE chunks.
struct PngChunks {
    int colorType = -1, bitDepth = 0;
    const uint8_t* trns = nullptr;
    uint32_t trnsSize = 0;
    const uint8_t* plte = nullptr;
    uint32_t plteSize = 0;
};

PngChunks ScanChunks(const std::vector<uint8_t>& d) {
    PngChunks c;
    size_t pos = 8;
    while (pos + 12 <= d.size()) {
        const uint32_t len = BigEndian32(&d[pos]);
        if (len > d.size() - pos - 12) break;
        const uint8_t* type = &d[pos + 4];
        const uint8_t* data = &d[pos + 8];
        if (!std::memcmp(type, "IHDR", 4) && len >= 13) c.bitDepth = data[8], c.colorType = data[9];
        else if (!std::memcmp(type, "PLTE", 4)) c.plte = data, c.plteSize = len;
        else if (!std::memcmp(type, "tRNS", 4)) c.trns = data, c.trnsSize = len;
        else if (!std::memcmp(type, "IEND", 4)) break;
        pos += 12 + len;
    }
    return c;
}

uint8_t Sample8(uint16_t v, int depth) {
    if (depth == 16) return static_cast<uint8_t>(v >> 8);
    const int maxv = (1 << depth) - 1;
    return static_cast<uint8_t>(std::min<int>(v, maxv) * 255 / maxv);
}

}  // namespace

void TbsPngImage::Resize(int w, int h) {
    width_ = std::max(w, 0), height_ = std::max(h, 0);
    rgb_.assign(static_cast<size_t>(width_) * height_ * 3, 0);
    if (HasAlpha()) alpha_.assign(static_cast<size_t>(width_) * height_, 255);
    Changed();
}

void TbsPngImage::LoadFromStream(TStream* stream) {
    const int64_t n = stream->Size() - stream->Position();
    std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(n, 0)));
    if (!data.empty()) stream->ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
        throw EInvalidGraphic(L"Invalid PNG image: " + Utf8Decode(image.message));
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        throw EInvalidGraphic(L"Invalid PNG image: " + Utf8Decode(image.message));
    }
    const PngChunks chunks = ScanChunks(data);
    width_ = static_cast<int>(image.width), height_ = static_cast<int>(image.height);
    colorType_ = chunks.colorType;
    mode_ = ptmNone;
    key_ = clNone;
    const size_t count = static_cast<size_t>(width_) * height_;
    rgb_.resize(count * 3);
    for (size_t i = 0; i < count; ++i) std::memcpy(&rgb_[i * 3], &rgba[i * 4], 3);
    bool keepAlpha = colorType_ == COLOR_GRAYSCALEALPHA || colorType_ == COLOR_RGBALPHA;
    if (keepAlpha) mode_ = ptmPartial;
    if (chunks.trns && colorType_ == COLOR_GRAYSCALE && chunks.trnsSize >= 2) {
        const uint8_t g = Sample8(BigEndian16(chunks.trns), chunks.bitDepth);
        mode_ = ptmBit, key_ = RGB(g, g, g);
    } else if (chunks.trns && colorType_ == COLOR_RGB && chunks.trnsSize >= 6) {
        mode_ = ptmBit;
        key_ = RGB(Sample8(BigEndian16(chunks.trns), chunks.bitDepth), Sample8(BigEndian16(chunks.trns + 2), chunks.bitDepth),
                   Sample8(BigEndian16(chunks.trns + 4), chunks.bitDepth));
    } else if (chunks.trns && colorType_ == COLOR_PALETTE) {
        const bool binary = std::all_of(chunks.trns, chunks.trns + chunks.trnsSize, [](uint8_t a) { return a == 0 || a == 255; });
        mode_ = binary ? ptmBit : ptmPartial;
        keepAlpha = !binary;
        for (uint32_t i = 0; binary && i < chunks.trnsSize && (i + 1) * 3 <= chunks.plteSize; ++i)
            if (chunks.trns[i] == 0) {
                key_ = RGB(chunks.plte[i * 3], chunks.plte[i * 3 + 1], chunks.plte[i * 3 + 2]);
                break;
            }
    }
    alpha_.clear();
    if (keepAlpha) {
        alpha_.resize(count);
        for (size_t i = 0; i < count; ++i) alpha_[i] = rgba[i * 4 + 3];
    }
    Changed();
}

void TbsPngImage::SaveToStream(TStream* stream) {
    if (Empty()) return;
    const size_t count = static_cast<size_t>(width_) * height_;
    std::vector<uint8_t> rgba(count * 4);
    const COLORREF key = mode_ == ptmBit ? ColorToRGB(key_) : CLR_INVALID;
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(&rgba[i * 4], &rgb_[i * 3], 3);
        const bool isKey = key != CLR_INVALID && RGB(rgb_[i * 3], rgb_[i * 3 + 1], rgb_[i * 3 + 2]) == key;
        rgba[i * 4 + 3] = HasAlpha() ? alpha_[i] : isKey ? 0 : 255;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width_), image.height = static_cast<png_uint_32>(height_);
    image.format = (HasAlpha() || key != CLR_INVALID) ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels;
    if (image.format == PNG_FORMAT_RGB) pixels = rgb_;
    else pixels.swap(rgba);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
        throw EInvalidGraphic(L"Cannot write PNG image: " + Utf8Decode(image.message));
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr))
        throw EInvalidGraphic(L"Cannot write PNG image: " + Utf8Decode(image.message));
    stream->WriteBuffer(out.data(), static_cast<int32_t>(size));
}

void TbsPngImage::Assign(TPersistent* source) {
    if (auto* p = dynamic_cast<TbsPngImage*>(source)) {
        if (p == this) return;
        width_ = p->width_, height_ = p->height_, colorType_ = p->colorType_, mode_ = p->mode_, key_ = p->key_;
        rgb_ = p->rgb_;
        alpha_ = p->alpha_;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(source)) {
        // A bitmap gives an RGB picture without transparency.
        width_ = b->Width(), height_ = b->Height(), colorType_ = COLOR_RGB, mode_ = ptmNone, key_ = clNone;
        alpha_.clear();
        rgb_.assign(static_cast<size_t>(width_) * height_ * 3, 0);
        if (!b->Empty()) {
            TBitmap copy;
            copy.Assign(b);
            copy.SetPixelFormat(pf24bit);
            GdiFlush();
            for (int y = 0; y < height_; ++y) {
                const auto* row = static_cast<const uint8_t*>(copy.ScanLine(y));
                for (int x = 0; x < width_; ++x) {
                    uint8_t* p = &rgb_[Index(x, y) * 3];
                    p[0] = row[x * 3 + 2], p[1] = row[x * 3 + 1], p[2] = row[x * 3];
                }
            }
        }
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TbsPngImage::CreateAlpha() {
    if (HasAlpha()) return;
    alpha_.assign(static_cast<size_t>(width_) * height_, 255);
    if (colorType_ == COLOR_RGB) colorType_ = COLOR_RGBALPHA;
    else if (colorType_ == COLOR_GRAYSCALE) colorType_ = COLOR_GRAYSCALEALPHA;
}

TColor TbsPngImage::Pixel(int x, int y) const {
    const uint8_t* p = &rgb_[Index(x, y) * 3];
    return RGB(p[0], p[1], p[2]);
}

void TbsPngImage::SetPixel(int x, int y, TColor c) {
    const COLORREF v = ColorToRGB(c);
    uint8_t* p = &rgb_[Index(x, y) * 3];
    p[0] = GetRValue(v), p[1] = GetGValue(v), p[2] = GetBValue(v);
}

void TbsPngImage::Draw(TCanvas* canvas, const TRect& r) {
    if (Empty()) return;
    TbsBitmap b;
    b.SetSize(width_, height_);
    const COLORREF key = mode_ == ptmBit && !HasAlpha() ? ColorToRGB(key_) : CLR_INVALID;
    for (int y = 0; y < height_; ++y) {
        TbsColor* row = b.ScanLine(y);
        for (int x = 0; x < width_; ++x) {
            const uint8_t* p = &rgb_[Index(x, y) * 3];
            uint32_t a = HasAlpha() ? alpha_[Index(x, y)] : 255;
            if (key != CLR_INVALID && RGB(p[0], p[1], p[2]) == key) a = 0;
            row[x] = a << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        }
    }
    b.AlphaBlend = true;
    b.Draw(canvas, r);
}
