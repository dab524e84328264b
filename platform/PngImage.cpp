#include "platform/PngImage.h"

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include <png.h>

#include "platform/GdiObjects.h"

namespace {

// libpng reports fatal errors through a handler that must not return: it
// jumps back to the codec call. Only plain data lives in the frames the jump
// crosses; buffers are owned by the caller.
struct PngError {
    char text[200];
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* err = static_cast<PngError*>(png_get_error_ptr(png));
    std::strncpy(err->text, message, sizeof(err->text) - 1);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

struct Source {
    const unsigned char* data;
    size_t size, at;
};

void ReadData(png_structp png, png_bytep out, png_size_t count) {
    auto* src = static_cast<Source*>(png_get_io_ptr(png));
    if (count > src->size - src->at) png_error(png, "Unexpected end of PNG data");
    std::memcpy(out, src->data + src->at, count);
    src->at += count;
}

struct Decoded {
    unsigned char* bgra;  // malloc'ed, width * 4 bytes a row
    int width, height;
    int colorType, bitDepth;
    png_color palette[256];
    int paletteSize;
    unsigned char trans[256];
    int transCount;
    png_color_16 transColor;
    bool hasTrns;
};

bool Decode(Source* src, Decoded* out, PngError* err) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, err, &OnPngError, &OnPngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    png_bytep* rows = nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        free(rows);
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return false;
    }
    png_set_read_fn(png, src, &ReadData);
    png_read_info(png, info);
    out->width = static_cast<int>(png_get_image_width(png, info));
    out->height = static_cast<int>(png_get_image_height(png, info));
    out->colorType = png_get_color_type(png, info);
    out->bitDepth = png_get_bit_depth(png, info);
    png_colorp palette = nullptr;
    if (png_get_PLTE(png, info, &palette, &out->paletteSize) && palette)
        std::memcpy(out->palette, palette, sizeof(png_color) * static_cast<size_t>(out->paletteSize));
    png_bytep trans = nullptr;
    png_color_16p transColor = nullptr;
    if (png_get_tRNS(png, info, &trans, &out->transCount, &transColor)) {
        out->hasTrns = true;
        if (trans && out->transCount > 0) std::memcpy(out->trans, trans, static_cast<size_t>(out->transCount));
        if (transColor) out->transColor = *transColor;
    }
    if (out->width <= 0 || out->height <= 0 || out->width > 32768 || out->height > 32768)
        png_error(png, "Unsupported PNG picture size");
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t stride = static_cast<size_t>(out->width) * 4;
    out->bgra = static_cast<unsigned char*>(malloc(stride * static_cast<size_t>(out->height)));
    rows = static_cast<png_bytep*>(malloc(sizeof(png_bytep) * static_cast<size_t>(out->height)));
    if (!out->bgra || !rows) png_error(png, "Out of memory");
    for (int y = 0; y < out->height; ++y) rows[y] = out->bgra + stride * static_cast<size_t>(y);
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

struct Sink {
    unsigned char* data;  // malloc'ed
    size_t size, capacity;
    bool failed;
};

void WriteData(png_structp png, png_bytep in, png_size_t count) {
    auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
    if (sink->size + count > sink->capacity) {
        const size_t cap = (sink->size + count) * 2;
        auto* grown = static_cast<unsigned char*>(realloc(sink->data, cap));
        if (!grown) png_error(png, "Out of memory");
        sink->data = grown;
        sink->capacity = cap;
    }
    std::memcpy(sink->data + sink->size, in, count);
    sink->size += count;
}

void FlushData(png_structp) {}

struct EncodeJob {
    int width, height, colorType;
    unsigned char** rows;
    png_color palette[256];
    int paletteSize;
    unsigned char trans[256];
    int transCount;
    png_color_16 transColor;
    bool hasTransColor;
};

bool Encode(const EncodeJob* job, Sink* sink, PngError* err) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, err, &OnPngError, &OnPngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, sink, &WriteData, &FlushData);
    png_set_IHDR(png, info, static_cast<png_uint_32>(job->width), static_cast<png_uint_32>(job->height), 8,
                 job->colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (job->colorType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, job->palette, job->paletteSize);
    if (job->transCount > 0 || job->hasTransColor)
        png_set_tRNS(png, info, job->trans, job->transCount, job->hasTransColor ? &job->transColor : nullptr);
    png_write_info(png, info);
    png_write_image(png, job->rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

uint8_t Scale8(unsigned v, int depth) {
    if (depth == 16) return static_cast<uint8_t>(v >> 8);
    if (depth >= 8) return static_cast<uint8_t>(v);
    return static_cast<uint8_t>(v * 255 / ((1u << depth) - 1));
}

TColor Rgb(uint8_t r, uint8_t g, uint8_t b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

// The single fully transparent colour of a file whose other colours are all
// opaque, or clNone.
TColor BitTransparentColor(const Decoded& d) {
    if (d.colorType == PNG_COLOR_TYPE_PALETTE) {
        int zeros = 0, index = -1;
        for (int i = 0; i < d.transCount; ++i) {
            if (d.trans[i] == 0) ++zeros, index = i;
            else if (d.trans[i] != 255) return clNone;
        }
        if (zeros != 1 || index >= d.paletteSize) return clNone;
        const png_color& c = d.palette[index];
        return Rgb(c.red, c.green, c.blue);
    }
    if (!d.hasTrns) return clNone;
    if (d.colorType == PNG_COLOR_TYPE_GRAY) {
        const uint8_t g = Scale8(d.transColor.gray, d.bitDepth);
        return Rgb(g, g, g);
    }
    if (d.colorType == PNG_COLOR_TYPE_RGB)
        return Rgb(Scale8(d.transColor.red, d.bitDepth), Scale8(d.transColor.green, d.bitDepth),
                   Scale8(d.transColor.blue, d.bitDepth));
    return clNone;
}

}  // namespace

void TPngImage::Reset(int colorType) {
    alpha_.clear();
    colorType_ = colorType;
    transparentKey_ = clNone;
}

void TPngImage::LoadFromStream(TStream* stream) {
    const std::vector<uint8_t> data = platform::ReadRest(stream);
    Source src{data.data(), data.size(), 0};
    auto d = std::make_unique<Decoded>();
    PngError err{};
    const bool ok = Decode(&src, d.get(), &err);
    std::unique_ptr<unsigned char, decltype(&free)> pixels(d->bgra, &free);
    if (!ok) throw EInvalidGraphic(L"PNG image is not valid: " + AnsiDecode(err.text));

    const int w = d->width, h = d->height;
    TBitmap colours(w, h, pf24bit);
    std::vector<uint8_t> alpha(static_cast<size_t>(w) * static_cast<size_t>(h));
    bool anyTransparent = false;
    for (int y = 0; y < h; ++y) {
        const uint8_t* p = d->bgra + static_cast<size_t>(w) * 4 * static_cast<size_t>(y);
        auto* o = static_cast<uint8_t*>(colours.ScanLine(y));
        uint8_t* a = alpha.data() + static_cast<size_t>(w) * static_cast<size_t>(y);
        for (int x = 0; x < w; ++x, p += 4, o += 3) {
            o[0] = p[0], o[1] = p[1], o[2] = p[2];
            a[x] = p[3];
            anyTransparent |= p[3] != 255;
        }
    }
    const bool hasTrns = d->hasTrns;
    const bool alphaType = d->colorType == PNG_COLOR_TYPE_RGB_ALPHA || d->colorType == PNG_COLOR_TYPE_GRAY_ALPHA;
    Reset(d->colorType);
    bitmap_.Assign(&colours);
    if (alphaType) {
        alpha_ = std::move(alpha);
    } else if (hasTrns) {
        // A file with one transparent colour keeps it as a colour key.
        const TColor key = BitTransparentColor(*d);
        if (key != clNone) transparentKey_ = key;
        else if (anyTransparent) alpha_ = std::move(alpha);
    }
    Changed();
}

void TPngImage::SaveToStream(TStream* stream) {
    if (Empty()) throw EInvalidGraphic(L"Cannot save an empty PNG image");
    const int w = Width(), h = Height();
    auto job = std::make_unique<EncodeJob>();
    job->width = w;
    job->height = h;
    const bool grey = colorType_ == COLOR_GRAYSCALE || colorType_ == COLOR_GRAYSCALEALPHA;
    int type = HasAlpha() ? (grey ? COLOR_GRAYSCALEALPHA : COLOR_RGBALPHA) : (grey ? COLOR_GRAYSCALE : COLOR_RGB);

    // Palette pictures stay palette pictures while their colours fit.
    std::map<uint32_t, int> index;
    if (colorType_ == COLOR_PALETTE && !HasAlpha()) {
        if (transparentKey_ != clNone) index[static_cast<uint32_t>(transparentKey_)] = 0;
        for (int y = 0; y < h && index.size() <= 256; ++y) {
            const auto* p = static_cast<const uint8_t*>(bitmap_.ScanLine(y));
            for (int x = 0; x < w && index.size() <= 256; ++x, p += 3)
                index.emplace(static_cast<uint32_t>(Rgb(p[2], p[1], p[0])), 0);
        }
        if (index.size() <= 256) {
            type = COLOR_PALETTE;
            // The transparent colour first, then the others in colour order.
            int next = 0;
            if (transparentKey_ != clNone) {
                const auto key = static_cast<uint32_t>(transparentKey_);
                index[key] = next;
                job->palette[next++] = png_color{static_cast<png_byte>(key & 0xFF), static_cast<png_byte>((key >> 8) & 0xFF),
                                                 static_cast<png_byte>((key >> 16) & 0xFF)};
                job->trans[0] = 0;
                job->transCount = 1;
            }
            for (auto& [c, i] : index) {
                if (transparentKey_ != clNone && c == static_cast<uint32_t>(transparentKey_)) continue;
                i = next;
                job->palette[next++] = png_color{static_cast<png_byte>(c & 0xFF), static_cast<png_byte>((c >> 8) & 0xFF),
                                                 static_cast<png_byte>((c >> 16) & 0xFF)};
            }
            job->paletteSize = next;
        }
    }
    if (type != COLOR_PALETTE && transparentKey_ != clNone && !HasAlpha()) {
        const auto key = static_cast<uint32_t>(ColorToRGB(transparentKey_));
        job->hasTransColor = true;
        job->transColor.red = static_cast<png_uint_16>(key & 0xFF);
        job->transColor.green = static_cast<png_uint_16>((key >> 8) & 0xFF);
        job->transColor.blue = static_cast<png_uint_16>((key >> 16) & 0xFF);
        job->transColor.gray = job->transColor.red;
    }
    job->colorType = type;

    const int channels = type == COLOR_RGBALPHA ? 4 : type == COLOR_RGB ? 3 : type == COLOR_GRAYSCALEALPHA ? 2 : 1;
    const size_t stride = static_cast<size_t>(w) * static_cast<size_t>(channels);
    std::vector<uint8_t> pixels(stride * static_cast<size_t>(h));
    std::vector<unsigned char*> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const auto* p = static_cast<const uint8_t*>(bitmap_.ScanLine(y));
        const uint8_t* a = HasAlpha() ? AlphaScanline(y) : nullptr;
        uint8_t* o = pixels.data() + stride * static_cast<size_t>(y);
        rows[static_cast<size_t>(y)] = o;
        for (int x = 0; x < w; ++x, p += 3) {
            switch (type) {
            case COLOR_PALETTE: *o++ = static_cast<uint8_t>(index[static_cast<uint32_t>(Rgb(p[2], p[1], p[0]))]); break;
            case COLOR_GRAYSCALE: *o++ = p[2]; break;
            case COLOR_GRAYSCALEALPHA: *o++ = p[2], *o++ = a[x]; break;
            case COLOR_RGB: *o++ = p[2], *o++ = p[1], *o++ = p[0]; break;
            default: *o++ = p[2], *o++ = p[1], *o++ = p[0], *o++ = a[x]; break;
            }
        }
    }
    job->rows = rows.data();
    Sink sink{nullptr, 0, 0, false};
    PngError err{};
    const bool ok = Encode(job.get(), &sink, &err);
    std::unique_ptr<unsigned char, decltype(&free)> data(sink.data, &free);
    if (!ok) throw EInvalidGraphic(L"Cannot write the PNG image: " + AnsiDecode(err.text));
    stream->WriteBuffer(sink.data, static_cast<int32_t>(sink.size));
}

void TPngImage::Assign(TPersistent* source) {
    if (auto* p = dynamic_cast<TPngImage*>(source)) {
        if (p == this) return;
        TRasterImage::Assign(p);
        alpha_ = p->alpha_;
        colorType_ = p->colorType_;
        transparentKey_ = p->transparentKey_;
        return;
    }
    Reset(COLOR_RGB);
    TRasterImage::Assign(source);
    if (!bitmap_.Empty() && bitmap_.PixelFormat() != pf24bit) bitmap_.SetPixelFormat(pf24bit);
}

void TPngImage::AssignTo(TPersistent* dest) {
    auto* b = dynamic_cast<TBitmap*>(dest);
    if (!b || !HasAlpha()) {
        TRasterImage::AssignTo(dest);
        return;
    }
    // A bitmap gets the colours and the alpha channel as a 32-bit picture.
    TBitmap out(Width(), Height(), pf32bit);
    for (int y = 0; y < Height(); ++y) {
        const auto* p = static_cast<const uint8_t*>(bitmap_.ScanLine(y));
        const uint8_t* a = AlphaScanline(y);
        auto* o = static_cast<uint8_t*>(out.ScanLine(y));
        for (int x = 0; x < Width(); ++x, p += 3, o += 4) o[0] = p[0], o[1] = p[1], o[2] = p[2], o[3] = a[x];
    }
    b->Assign(&out);
}

TPNGTransparencyMode TPngImage::TransparencyMode() const {
    if (HasAlpha()) return ptmPartial;
    return transparentKey_ != clNone ? ptmBit : ptmNone;
}

void TPngImage::SetTransparentColor(TColor c) {
    transparentKey_ = c == clNone ? clNone : ColorToRGB(c);
    Changed();
}

void TPngImage::CreateAlpha() {
    if (HasAlpha()) return;
    alpha_.assign(static_cast<size_t>(Width()) * static_cast<size_t>(Height()), 255);
    colorType_ = colorType_ == COLOR_GRAYSCALE ? COLOR_GRAYSCALEALPHA : COLOR_RGBALPHA;
    transparentKey_ = clNone;
}

void TPngImage::RemoveAlpha() {
    alpha_.clear();
    if (colorType_ == COLOR_RGBALPHA || colorType_ == COLOR_PALETTE) colorType_ = COLOR_RGB;
    if (colorType_ == COLOR_GRAYSCALEALPHA) colorType_ = COLOR_GRAYSCALE;
}

uint8_t* TPngImage::AlphaScanline(int y) {
    if (!HasAlpha()) return nullptr;
    if (y < 0 || y >= Height()) throw EInvalidGraphic(L"Scan line index out of range");
    return alpha_.data() + static_cast<size_t>(Width()) * static_cast<size_t>(y);
}

TColor TPngImage::Pixel(int x, int y) {
    if (x < 0 || x >= Width()) throw EInvalidGraphic(L"Pixel index out of range");
    const auto* p = static_cast<const uint8_t*>(bitmap_.ScanLine(y)) + static_cast<size_t>(x) * 3;
    return Rgb(p[2], p[1], p[0]);
}

void TPngImage::SetPixel(int x, int y, TColor c) {
    if (x < 0 || x >= Width()) throw EInvalidGraphic(L"Pixel index out of range");
    auto* p = static_cast<uint8_t*>(bitmap_.ScanLine(y)) + static_cast<size_t>(x) * 3;
    const auto rgb = static_cast<uint32_t>(ColorToRGB(c));
    p[0] = static_cast<uint8_t>(rgb >> 16), p[1] = static_cast<uint8_t>(rgb >> 8), p[2] = static_cast<uint8_t>(rgb);
}

void TPngImage::SetSize(int w, int h) {
    Reset(COLOR_RGB);
    TBitmap blank(w, h, pf24bit);
    bitmap_.Assign(&blank);
    Changed();
}

void TPngImage::Draw(TCanvas* canvas, const TRect& r) {
    if (Empty()) return;
    if (!HasAlpha()) {
        const bool keyed = transparentKey_ != clNone;
        bitmap_.SetTransparent(keyed);
        if (keyed) bitmap_.SetTransparentColor(transparentKey_);
        TRasterImage::Draw(canvas, r);
        return;
    }
    // AlphaBlend takes premultiplied colours.
    const int w = Width(), h = Height();
    TBitmap pre(w, h, pf32bit);
    for (int y = 0; y < h; ++y) {
        const auto* p = static_cast<const uint8_t*>(bitmap_.ScanLine(y));
        const uint8_t* a = AlphaScanline(y);
        auto* o = static_cast<uint8_t*>(pre.ScanLine(y));
        for (int x = 0; x < w; ++x, p += 3, o += 4) {
            const unsigned al = a[x];
            o[0] = static_cast<uint8_t>((p[0] * al + 127) / 255);
            o[1] = static_cast<uint8_t>((p[1] * al + 127) / 255);
            o[2] = static_cast<uint8_t>((p[2] * al + 127) / 255);
            o[3] = static_cast<uint8_t>(al);
        }
    }
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(canvas->Handle(), r.left, r.top, r.Width(), r.Height(), pre.Canvas()->Handle(), 0, 0, w, h, blend);
}
