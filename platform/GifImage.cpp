#include "platform/GifImage.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <map>

#include <gif_lib.h>

namespace {

struct Source {
    const uint8_t* data;
    size_t size, at;
};

int ReadData(GifFileType* gif, GifByteType* out, int count) {
    auto* src = static_cast<Source*>(gif->UserData);
    const size_t n = std::min(static_cast<size_t>(count), src->size - src->at);
    std::memcpy(out, src->data + src->at, n);
    src->at += n;
    return static_cast<int>(n);
}

int WriteData(GifFileType* gif, const GifByteType* in, int count) {
    static_cast<std::vector<uint8_t>*>(gif->UserData)->insert(
        static_cast<std::vector<uint8_t>*>(gif->UserData)->end(), in, in + count);
    return count;
}

String GifError(int code) {
    const char* text = GifErrorString(code);
    return AnsiDecode(text ? text : "unknown error");
}

struct DecoderCloser {
    void operator()(GifFileType* gif) const {
        int err = 0;
        DGifCloseFile(gif, &err);
    }
};

struct MapFree {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

uint32_t Key(const uint8_t* bgr) { return bgr[0] | (bgr[1] << 8) | (bgr[2] << 16); }

// The palette index of every pixel: exact with up to 256 colours, else the
// nearest entry of a 6 x 7 x 6 colour cube.
std::vector<GifByteType> Indexes(TBitmap* b, std::vector<GifColorType>& palette) {
    const int w = b->Width(), h = b->Height();
    std::map<uint32_t, int> colours;
    for (int y = 0; y < h && colours.size() <= 256; ++y) {
        const auto* p = static_cast<const uint8_t*>(b->ScanLine(y));
        for (int x = 0; x < w && colours.size() <= 256; ++x, p += 3) colours.emplace(Key(p), 0);
    }
    const bool exact = colours.size() <= 256;
    if (exact) {
        for (auto& [c, i] : colours) {
            i = static_cast<int>(palette.size());
            palette.push_back(GifColorType{static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                                           static_cast<GifByteType>(c)});
        }
    } else {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int bl = 0; bl < 6; ++bl)
                    palette.push_back(GifColorType{static_cast<GifByteType>(r * 51), static_cast<GifByteType>(g * 255 / 6),
                                                   static_cast<GifByteType>(bl * 51)});
    }
    std::vector<GifByteType> out(static_cast<size_t>(w) * static_cast<size_t>(h));
    GifByteType* o = out.data();
    for (int y = 0; y < h; ++y) {
        const auto* p = static_cast<const uint8_t*>(b->ScanLine(y));
        for (int x = 0; x < w; ++x, p += 3) {
            if (exact) {
                *o++ = static_cast<GifByteType>(colours[Key(p)]);
            } else {
                const int r = (p[2] + 25) / 51, g = (p[1] * 6 + 127) / 255, bl = (p[0] + 25) / 51;
                *o++ = static_cast<GifByteType>((r * 7 + g) * 6 + bl);
            }
        }
    }
    return out;
}

}  // namespace

void TGIFImage::LoadFromStream(TStream* stream) {
    const std::vector<uint8_t> data = platform::ReadRest(stream);
    Source src{data.data(), data.size(), 0};
    int err = 0;
    std::unique_ptr<GifFileType, DecoderCloser> gif(DGifOpen(&src, &ReadData, &err));
    if (!gif) throw EInvalidGraphic(L"GIF image is not valid: " + GifError(err));
    if (DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1)
        throw EInvalidGraphic(L"GIF image is not valid: " + GifError(gif->Error));
    const SavedImage& frame = gif->SavedImages[0];
    const GifImageDesc& desc = frame.ImageDesc;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    const int w = gif->SWidth > 0 ? gif->SWidth : desc.Width, h = gif->SHeight > 0 ? gif->SHeight : desc.Height;
    if (!map || w <= 0 || h <= 0) throw EInvalidGraphic(L"GIF image is not valid");
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif.get(), 0, &gcb);

    auto colour = [&](int index, uint8_t* o) {
        if (index < 0 || index >= map->ColorCount) return;
        const GifColorType& c = map->Colors[index];
        o[0] = c.Blue, o[1] = c.Green, o[2] = c.Red;
    };
    // The frame is placed on the logical screen, filled with the background
    // (or the transparent) colour.
    const int fill = gcb.TransparentColor != NO_TRANSPARENT_COLOR ? gcb.TransparentColor : gif->SBackGroundColor;
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    for (size_t i = 0; i < pixels.size(); i += 3) colour(fill, &pixels[i]);
    for (int y = 0; y < desc.Height; ++y) {
        const int sy = desc.Top + y;
        if (sy < 0 || sy >= h) continue;
        for (int x = 0; x < desc.Width; ++x) {
            const int sx = desc.Left + x;
            const int index = frame.RasterBits[static_cast<size_t>(y) * static_cast<size_t>(desc.Width) + static_cast<size_t>(x)];
            if (sx < 0 || sx >= w || index == gcb.TransparentColor) continue;
            colour(index, &pixels[(static_cast<size_t>(sy) * static_cast<size_t>(w) + static_cast<size_t>(sx)) * 3]);
        }
    }
    SetPixelsBgr(w, h, pixels.data(), static_cast<size_t>(w) * 3);
    transparentColor_ = clNone;
    if (gcb.TransparentColor >= 0 && gcb.TransparentColor < map->ColorCount) {
        const GifColorType& c = map->Colors[gcb.TransparentColor];
        transparentColor_ = static_cast<TColor>(c.Red | (c.Green << 8) | (c.Blue << 16));
    }
    transparent_ = transparentColor_ != clNone;
    Changed();
}

void TGIFImage::SaveToStream(TStream* stream) {
    if (Empty()) throw EInvalidGraphic(L"Cannot save an empty GIF image");
    if (bitmap_.PixelFormat() != pf24bit) bitmap_.SetPixelFormat(pf24bit);
    std::vector<GifColorType> palette;
    const std::vector<GifByteType> indexes = Indexes(&bitmap_, palette);
    const int size = 1 << GifBitSize(static_cast<int>(palette.size()));
    palette.resize(static_cast<size_t>(size), GifColorType{0, 0, 0});
    std::unique_ptr<ColorMapObject, MapFree> map(GifMakeMapObject(size, palette.data()));
    if (!map) throw EOutOfResources(L"Out of memory");

    std::vector<uint8_t> out;
    int err = 0;
    GifFileType* gif = EGifOpen(&out, &WriteData, &err);
    if (!gif) throw EInvalidGraphic(L"Cannot write the GIF image: " + GifError(err));
    const int w = Width(), h = Height();
    bool ok = EGifPutScreenDesc(gif, w, h, map->BitsPerPixel, 0, map.get()) == GIF_OK;
    if (ok && transparentColor_ != clNone) {
        const auto key = static_cast<uint32_t>(ColorToRGB(transparentColor_));
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        for (size_t i = 0; i < palette.size(); ++i)
            if (static_cast<uint32_t>(palette[i].Red | (palette[i].Green << 8) | (palette[i].Blue << 16)) == key) {
                gcb.TransparentColor = static_cast<int>(i);
                break;
            }
        GifByteType ext[4];
        const size_t n = EGifGCBToExtension(&gcb, ext);
        if (gcb.TransparentColor != NO_TRANSPARENT_COLOR)
            ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; y < h && ok; ++y)
        ok = EGifPutLine(gif, const_cast<GifByteType*>(indexes.data()) + static_cast<size_t>(y) * static_cast<size_t>(w),
                         w) == GIF_OK;
    const int writeError = gif->Error;
    const bool closed = EGifCloseFile(gif, &err) == GIF_OK;
    if (!ok || !closed) throw EInvalidGraphic(L"Cannot write the GIF image: " + GifError(ok ? err : writeError));
    stream->WriteBuffer(out.data(), static_cast<int32_t>(out.size()));
}

void TGIFImage::Assign(TPersistent* source) {
    if (auto* g = dynamic_cast<TGIFImage*>(source)) transparentColor_ = g->transparentColor_;
    else transparentColor_ = clNone;
    TRasterImage::Assign(source);
    if (!bitmap_.Empty() && bitmap_.PixelFormat() != pf24bit) bitmap_.SetPixelFormat(pf24bit);
}

void TGIFImage::SetTransparentColor(TColor c) {
    transparentColor_ = c == clNone ? clNone : ColorToRGB(c);
    transparent_ = transparentColor_ != clNone;
    Changed();
}

void TGIFImage::Draw(TCanvas* canvas, const TRect& r) {
    bitmap_.SetTransparent(Transparent() && transparentColor_ != clNone);
    if (bitmap_.Transparent()) bitmap_.SetTransparentColor(transparentColor_);
    TRasterImage::Draw(canvas, r);
}
