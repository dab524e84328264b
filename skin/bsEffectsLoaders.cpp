#include "skin/bsEffectsLoaders.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/SysUtils.h"
#include "skin/bsUtils.h"

namespace {
inline int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }
inline uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

class DataModule {
public:
    explicit DataModule(const String& file) : module_(LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataModule() {
        if (module_) FreeLibrary(module_);
    }
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};
}  // namespace

// ---- loading and saving ---------------------------------------------------------------------------

void TbsBitmap::LoadFromResource(const String& resFileName, const String& resName) {
    DataModule module(resFileName);
    if (!module.get()) return;
    HRSRC res = FindResourceW(module.get(), resName.c_str(), reinterpret_cast<LPCWSTR>(RT_BITMAP));
    if (!res) return;
    HGLOBAL data = LoadResource(module.get(), res);
    const auto* header = data ? static_cast<const BITMAPINFOHEADER*>(LockResource(data)) : nullptr;
    if (!header || SizeofResource(module.get(), res) < sizeof(BITMAPINFOHEADER)) return;
    TBitmap bmp;
    if (header->biBitCount == 32) {
        bmp.LoadFromResourceName(module.get(), resName);
    } else if (HBITMAP h = LoadBitmapW(module.get(), resName.c_str())) {
        bmp.SetHandle(h);
    } else {
        bmp.LoadFromResourceName(module.get(), resName);
    }
    Assign(&bmp);
}

void TbsBitmap::SaveToStream(TStream* stream) {
    WriteStreamString(stream, Name);
    const int32_t w = width_, h = height_;
    stream->WriteBuffer(&w, 4);
    stream->WriteBuffer(&h, 4);
    if (bits_ && w > 0 && h > 0) stream->WriteBuffer(bits_, w * h * 4);
}

void TbsBitmap::LoadFromStream(TStream* stream) {
    ReadStreamString(stream, Name);
    int32_t w = 0, h = 0;
    stream->ReadBuffer(&w, 4);
    stream->ReadBuffer(&h, 4);
    const bool bottomUp = h <= 0;
    w = std::abs(w), h = std::abs(h);
    if (w == 0 || h == 0) return;
    const int64_t bytes = static_cast<int64_t>(w) * h * 4;
    if (bytes > stream->Size() - stream->Position()) throw EReadError(L"Stream read error");
    SetSize(w, h);
    if (width_ != w || height_ != h) return;
    stream->ReadBuffer(bits_, static_cast<int32_t>(bytes));
    if (bottomUp) FlipVert();
}

namespace {
#pragma pack(push, 1)
struct PcxHeader {
    uint8_t manufacturer, version, encoding, bitsPerPixel;
    uint16_t xMin, yMin, xMax, yMax, hDpi, vDpi;
    uint8_t palette16[48];
    uint8_t reserved, planes;
    uint16_t bytesPerLine, paletteInfo, hScreen, vScreen;
    uint8_t filler[54];
};
#pragma pack(pop)
static_assert(sizeof(PcxHeader) == 128);

// The 16 colours of the system palette.
constexpr uint8_t kSystem16[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                      {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                      {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                      {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}  // namespace

void TbsBitmap::LoadFromPcxStream(TStream* stream) {
    const int64_t start = stream->Position(), size = stream->Size();
    if (size - start < static_cast<int64_t>(sizeof(PcxHeader))) return;
    PcxHeader hdr;
    stream->ReadBuffer(&hdr, sizeof(hdr));
    if (hdr.manufacturer != 10 && hdr.manufacturer != 205) return;
    const int w = hdr.xMax - hdr.xMin + 1, h = hdr.yMax - hdr.yMin + 1;
    const int rowBytes = hdr.planes * hdr.bytesPerLine;
    if (w <= 0 || h <= 0 || rowBytes <= 0) return;
    uint8_t palette[256][3] = {};
    int64_t dataEnd = size;
    if (hdr.version == 3) {
        std::memcpy(palette, kSystem16, sizeof(kSystem16));
    } else {
        // The 256-colour palette: a marker byte and 768 bytes at the end.
        if (size - stream->Position() < 769) return;
        dataEnd = size - 769;
        stream->SetPosition(dataEnd + 1);
        stream->ReadBuffer(palette, 768);
        stream->SetPosition(start + static_cast<int64_t>(sizeof(hdr)));
    }
    std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(0, dataEnd - stream->Position())));
    if (!data.empty()) stream->ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
    // Rows of indices; rows the data does not reach stay 0.
    std::vector<uint8_t> pixels(static_cast<size_t>(rowBytes) * h);
    if (hdr.encoding == 1) {
        size_t in = 0, out = 0;
        while (out < pixels.size() && in < data.size()) {
            uint8_t b = data[in++];
            size_t count = 1;
            if (b >= 192) {
                count = std::min<size_t>(b & 0x3F, pixels.size() - out);
                if (in >= data.size()) break;
                b = data[in++];
            }
            std::fill_n(pixels.begin() + static_cast<ptrdiff_t>(out), count, b);
            out += count;
        }
    } else {
        std::copy_n(data.begin(), std::min(data.size(), pixels.size()), pixels.begin());
    }
    TbsBitmap result;
    result.SetSize(w, h);
    const int cols = std::min(w, rowBytes);
    for (int y = 0; y < h; ++y) {
        TbsColor* row = result.ScanLine(y);
        const uint8_t* src = &pixels[static_cast<size_t>(y) * rowBytes];
        for (int x = 0; x < cols; ++x) {
            const uint8_t* c = palette[src[x]];
            row[x] = 0xFF000000u | c[0] << 16 | c[1] << 8 | c[2];
        }
        for (int x = cols; x < w; ++x) row[x] = 0xFF000000u;
    }
    Assign(&result);
    AlphaBlend = Transparent = false;
}

TbsBitmapLink* TbsBitmap::GetBitmapLink(const TRect& rect) {
    auto* link = new TbsBitmapLink();
    link->Image = this;
    link->Name = Name;
    link->Rect = rect;
    return link;
}

TbsBitmapLink* TbsBitmap::GetBitmapLink(const String& rect) {
    TRect r;
    StringToRect(rect, r);
    return GetBitmapLink(r);
}

// ---- colour adjustments ------------------------------------------------------------------------------

void RGBToHSL(uint8_t rb, uint8_t gb, uint8_t bb, float& h, float& s, float& l) {
    const float r = rb / 255.0f, g = gb / 255.0f, b = bb / 255.0f;
    const float mx = std::max({r, g, b}), mn = std::min({r, g, b});
    l = (mx + mn) / 2;
    if (mx == mn) {
        h = s = 0;
        return;
    }
    const float d = mx - mn;
    s = l < 0.5f ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx) h = (g - b) / d;
    else if (g == mx) h = (b - r) / d + 2;
    else h = (r - g) / d + 4;
    h /= 6;
    if (h < 0) h += 1;
}

namespace {
float Channel(float m1, float m2, float h) {
    const float f = h - std::floor(h);
    if (6 * f < 1) return m1 + (m2 - m1) * 6 * f;
    if (2 * f < 1) return m2;
    if (3 * f < 2) return m1 + (m2 - m1) * (2.0f / 3 - f) * 6;
    return m1;
}
}  // namespace

void HSLToRGB(float h, float s, float l, uint8_t& r, uint8_t& g, uint8_t& b) {
    if (s == 0) {
        r = g = b = Clamp(RoundEven(l * 255));
        return;
    }
    const float m2 = l <= 0.5f ? l * (1 + s) : l + s - l * s, m1 = 2 * l - m2;
    r = Clamp(RoundEven(Channel(m1, m2, h + 1.0f / 3) * 255));
    g = Clamp(RoundEven(Channel(m1, m2, h) * 255));
    b = Clamp(RoundEven(Channel(m1, m2, h - 1.0f / 3) * 255));
}

template <class F>
void TbsBitmap::ForOpaquePixels(F f) {
    const int n = width_ * height_;
    for (int i = 0; bits_ && i < n; ++i) {
        TbsColor& p = bits_[i];
        if ((p >> 24) == 0) continue;
        uint8_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        f(r, g, b);
        p = (p & 0xFF000000u) | static_cast<TbsColor>(r) << 16 | static_cast<TbsColor>(g) << 8 | b;
    }
}

void TbsBitmap::ChangeBitmapBrightness(int delta) {
    if (delta == 0) return;
    ForOpaquePixels([delta](uint8_t& r, uint8_t& g, uint8_t& b) {
        r = Clamp(r + delta), g = Clamp(g + delta), b = Clamp(b + delta);
    });
}

void TbsBitmap::SetBitmapHue(int hue) {
    const float value = std::clamp(hue, 0, 255) / 255.0f;
    ForOpaquePixels([value](uint8_t& r, uint8_t& g, uint8_t& b) {
        float h, s, l;
        RGBToHSL(r, g, b, h, s, l);
        HSLToRGB(value, s, l, r, g, b);
    });
}

namespace {
// Round(v * 255) + delta, wrapped into 0 .. 255, back to 0 .. 1.
float Wrapped(float v, int delta) {
    int x = RoundEven(v * 255) + delta;
    if (x >= 256) x -= 255;
    else if (x < 0) x += 255;
    return x / 255.0f;
}
}  // namespace

void TbsBitmap::ChangeBitmapSat(int delta) {
    if (delta == 0) return;
    ForOpaquePixels([delta](uint8_t& r, uint8_t& g, uint8_t& b) {
        float h, s, l;
        RGBToHSL(r, g, b, h, s, l);
        HSLToRGB(h, Wrapped(s, delta), l, r, g, b);
    });
}

void TbsBitmap::ChangeBitmapHue(int delta) {
    if (delta == 0) return;
    ForOpaquePixels([delta](uint8_t& r, uint8_t& g, uint8_t& b) {
        float h, s, l;
        RGBToHSL(r, g, b, h, s, l);
        HSLToRGB(Wrapped(h, delta), s, l, r, g, b);
    });
}

// ---- reflections ------------------------------------------------------------------------------------------

void TbsBitmap::FlipVert() {
    if (!bits_) return;
    std::vector<TbsColor> tmp(static_cast<size_t>(width_));
    for (int i = 0; i < height_ / 2; ++i) {
        std::memcpy(tmp.data(), ScanLine(i), width_ * 4);
        std::memcpy(ScanLine(i), ScanLine(height_ - 1 - i), width_ * 4);
        std::memcpy(ScanLine(height_ - 1 - i), tmp.data(), width_ * 4);
    }
}

void TbsBitmap::ReflectionFade(int divisor) {
    if (!bits_) return;
    FlipVert();
    double k = 1;
    for (int y = 0; y < height_; ++y, k -= 2.0 / height_) {
        TbsColor* row = ScanLine(y);
        for (int x = 0; x < width_; ++x) {
            const int a = row[x] >> 24;
            if (a == 0) continue;
            const int v = std::max(0, RoundEven(k * a) / divisor);
            row[x] = (row[x] & 0xFFFFFF) | static_cast<TbsColor>(std::min(v, 255)) << 24;
        }
    }
}

void TbsBitmap::Reflection() { ReflectionFade(3); }
void TbsBitmap::Reflection2() { ReflectionFade(4); }
void TbsBitmap::Reflection3() { ReflectionFade(2); }

// ---- TbsBitmapLink -------------------------------------------------------------------------------------------

void TbsBitmapLink::Assign(TPersistent* source) {
    if (auto* l = dynamic_cast<TbsBitmapLink*>(source)) {
        Image = l->Image;
        Rect = l->Rect;
        Name = l->Name;
        MaskedBorder = l->MaskedBorder;
        MaskedAngles = l->MaskedAngles;
        Masked = l->Masked;
        return;
    }
    TPersistent::Assign(source);
}

void TbsBitmapLink::SaveToStream(TStream* stream) {
    WriteStreamString(stream, Name);
    const int32_t v[4] = {Rect.left, Rect.top, Rect.right, Rect.bottom};
    stream->WriteBuffer(v, sizeof(v));
}

void TbsBitmapLink::LoadFromStream(TStream* stream) {
    ReadStreamString(stream, Name);
    int32_t v[4];
    stream->ReadBuffer(v, sizeof(v));
    Rect = TRect(v[0], v[1], v[2], v[3]);
}

void TbsBitmapLink::Draw(TbsBitmap* bitmap, int x, int y) {
    if (Drawable()) Image->Draw(bitmap, x, y, Rect);
}

void TbsBitmapLink::Draw(TCanvas* canvas, int x, int y) {
    if (Drawable()) Image->Draw(canvas, x, y, Rect);
}

void TbsBitmapLink::CheckingMasked(const TRect& m) {
    Masked = MaskedBorder = MaskedAngles = false;
    if (!Image) return;
    const bool byRegion = m.left != 0 || m.top != 0 || m.right != 0 || m.bottom != 0;
    const LONG W = Rect.right, H = Rect.bottom;
    const TRect angles[4] = {TRect(0, 0, m.left, m.top), TRect(W - m.right, 0, W, m.top),
                             TRect(W - m.right, H - m.bottom, W, H), TRect(0, H - m.bottom, m.left, H)};
    const TRect borders[4] = {TRect(m.left, 0, W - m.right, m.top), TRect(m.left, H - m.bottom, W - m.right, H),
                              TRect(0, m.top, m.left, H - m.bottom), TRect(W - m.right, m.top, W, H - m.bottom)};
    const TRect centre(m.left, m.top, W - m.right, H - m.bottom);
    auto inAny = [](const TRect* rs, int n, const POINT& p) {
        for (int i = 0; i < n; ++i)
            if (rs[i].Contains(p)) return true;
        return false;
    };
    for (int y = Rect.top; y < Rect.bottom; ++y)
        for (int x = Rect.left; x < Rect.right; ++x) {
            const TbsColor c = Image->GetPixel(x, y);
            if (c == MaskIgnoreColor || !(c == KeyColor || (c >> 24) < 255)) continue;
            if (!byRegion) {
                Masked = true;
                return;
            }
            const POINT p{x - Rect.left, y - Rect.top};
            if (inAny(angles, 4, p)) MaskedAngles = true;
            if (inAny(borders, 4, p)) MaskedBorder = true;
            if (centre.Contains(p)) Masked = true;
        }
}
