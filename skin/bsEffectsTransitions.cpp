#include "skin/bsEffectsTransitions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {
inline int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }
inline uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }
// Round(size * kf), kept within the range of an int (kf is not clamped).
inline int Scaled(int size, double kf) {
    const double v = size * kf;
    return v >= -1e9 && v <= 1e9 ? RoundEven(v) : v > 0 ? 1000000000 : -1000000000;
}
inline double Clamp01(double kf) { return kf >= 0 ? std::min(kf, 1.0) : 0.0; }

// Own * t + other * (1 - t) on one pixel of 3 bytes.
inline void MixPixel(uint8_t* own, const uint8_t* other, double t) {
    for (int c = 0; c < 3; ++c) own[c] = Clamp(RoundEven(own[c] * t + other[c] * (1 - t)));
}

}  // namespace

// ---- creation ---------------------------------------------------------------------------------

void TbsEffectBmp::Allocate(int cx, int cy) {
    Width = std::max(cx, 0);
    Height = std::max(cy, 0);
    stride_ = Width * 3 + Width % 4;
    Size = stride_ * Height;
    BmpHeader = BITMAPINFOHEADER{};
    BmpHeader.biSize = sizeof(BITMAPINFOHEADER);
    BmpHeader.biWidth = Width;
    BmpHeader.biHeight = -Height;
    BmpHeader.biPlanes = 1;
    BmpHeader.biBitCount = 24;
    BmpHeader.biCompression = BI_RGB;
    BmpInfo = BITMAPINFO{};
    BmpInfo.bmiHeader = BmpHeader;
    dib_ = platform::DibSection::Create(BmpInfo);
    Handle = dib_.Handle();
    Bits = dib_.Bits();
    // A failed DIB leaves an empty bitmap that every operation skips.
    if (!dib_) Width = Height = Size = stride_ = 0;
}

TbsEffectBmp::TbsEffectBmp(int cx, int cy) { Allocate(cx, cy); }

TbsEffectBmp* TbsEffectBmp::CreateFromhWnd(HBITMAP hBmp) {
    BITMAP bm{};
    if (!hBmp || !GetObjectW(hBmp, sizeof(bm), &bm)) return new TbsEffectBmp(0, 0);
    auto* e = new TbsEffectBmp(bm.bmWidth, bm.bmHeight);
    if (e->Bits) {
        platform::WindowDC screen;
        GetDIBits(screen.Get(), hBmp, 0, e->Height, e->Bits, &e->BmpInfo, DIB_RGB_COLORS);
    }
    return e;
}

TbsEffectBmp* TbsEffectBmp::CreateCopy(const TbsEffectBmp* other) {
    auto* e = new TbsEffectBmp(other->Width, other->Height);
    if (e->Bits && other->Bits) std::memcpy(e->Bits, other->Bits, static_cast<size_t>(e->Size));
    return e;
}

TbsEffectBmp::~TbsEffectBmp() = default;

uint32_t TbsEffectBmp::GetPixel(int x, int y) const {
    const uint8_t* p = ScanLinePtr(y) + x * 3;
    return p[0] | (p[1] << 8) | (p[2] << 16);
}

void TbsEffectBmp::PutPixel(int x, int y, uint32_t color) {
    uint8_t* p = ScanLinePtr(y) + x * 3;
    p[0] = color & 0xFF, p[1] = (color >> 8) & 0xFF, p[2] = (color >> 16) & 0xFF;
}

void TbsEffectBmp::GetScanLine(int y, void* line) const { std::memcpy(line, ScanLinePtr(y), Width * 3); }
void TbsEffectBmp::SetScanLine(int y, const void* line) { std::memcpy(ScanLinePtr(y), line, Width * 3); }

void TbsEffectBmp::Draw(HDC dc, int x, int y) {
    if (!Bits) return;
    SetDIBitsToDevice(dc, x, y, Width, Height, 0, 0, 0, Height, Bits, &BmpInfo, DIB_RGB_COLORS);
}

void TbsEffectBmp::Stretch(HDC dc, int x, int y, int cx, int cy) {
    if (!Bits) return;
    StretchDIBits(dc, x, y, cx, cy, 0, 0, Width, Height, Bits, &BmpInfo, DIB_RGB_COLORS, SRCCOPY);
}

void TbsEffectBmp::DrawRect(HDC dc, int hx, int hy, int x, int y, int cx, int cy) {
    if (!Handle) return;
    platform::MemoryDC src;
    platform::SelectedObject select(src.Get(), Handle);
    BitBlt(dc, hx, hy, cx, cy, src.Get(), x, y, SRCCOPY);
}

// Every row through a work line: f(y, line) changes the line.
template <class F>
void TbsEffectBmp::ForEachRow(F f) {
    if (!Bits) return;
    std::vector<uint8_t> line(static_cast<size_t>(Width) * 3);
    for (int y = 0; y < Height; ++y) {
        GetScanLine(y, line.data());
        f(y, line.data());
        SetScanLine(y, line.data());
    }
}

// ---- cross-fades -------------------------------------------------------------------------------

void TbsEffectBmp::Morph(TbsEffectBmp* bmp, double kf) {
    if (!SameSize(bmp)) return;
    kf = Clamp01(kf);
    ForEachRow([&](int y, uint8_t* line) {
        const uint8_t* other = bmp->ScanLinePtr(y);
        for (int i = 0; i < Width * 3; ++i) line[i] = Clamp(RoundEven((1 - kf) * line[i] + kf * other[i]));
    });
}

void TbsEffectBmp::MorphRect(TbsEffectBmp* bmp, double kf, const TRect& rct, int startX, int startY) {
    if (!bmp || !Bits || !bmp->Bits) return;
    kf = Clamp01(kf);
    for (int y = std::max<int>(rct.top, 0); y < std::min<int>(rct.bottom, Height); ++y) {
        const int sy = startY + y - rct.top;
        if (sy < 0 || sy >= bmp->Height) continue;
        uint8_t* own = ScanLinePtr(y);
        const uint8_t* other = bmp->ScanLinePtr(sy);
        for (int x = std::max<int>(rct.left, 0); x < std::min<int>(rct.right, Width); ++x) {
            const int sx = startX + x - rct.left;
            if (sx < 0 || sx >= bmp->Width) continue;
            for (int c = 0; c < 3; ++c)
                own[x * 3 + c] = Clamp(RoundEven((1 - kf) * own[x * 3 + c] + kf * other[sx * 3 + c]));
        }
    }
}

void TbsEffectBmp::CopyRect(TbsEffectBmp* bmp, const TRect& rct, int startX, int startY) {
    if (!bmp || !Bits || !bmp->Bits) return;
    const int right = std::min<int>(rct.right, Width - 1), bottom = std::min<int>(rct.bottom, Height - 1);
    for (int y = std::max<int>(rct.top, 0); y <= bottom; ++y) {
        const int sy = startY + y - rct.top;
        if (sy < 0 || sy >= bmp->Height) continue;
        for (int x = std::max<int>(rct.left, 0); x <= right; ++x) {
            const int sx = startX + x - rct.left;
            if (sx >= 0 && sx < bmp->Width) std::memcpy(ScanLinePtr(y) + x * 3, bmp->ScanLinePtr(sy) + sx * 3, 3);
        }
    }
}

// ---- gradient wipes ---------------------------------------------------------------------------------

void TbsEffectBmp::MorphHGrad(TbsEffectBmp* bmp, double kf) {
    if (!SameSize(bmp) || !Bits) return;
    const int b = Scaled(Width, kf);
    const int c = (Width - b) / 2;
    const float step = c == 0 ? 1.0f : 1.0f / c;
    // A factor below -1 would put the edges outside the row; they stay in it.
    const int l = std::clamp(Width / 2 - b / 2, 0, Width - 1), r = std::clamp(Width / 2 + b / 2, 0, Width - 1);
    ForEachRow([&](int y, uint8_t* line) {
        const uint8_t* other = bmp->ScanLinePtr(y);
        if (l <= r) std::memcpy(line + l * 3, other + l * 3, (r - l + 1) * 3);
        float t = 0;
        for (int x = l; x >= 0; --x, t = std::min(t + step, 1.0f)) MixPixel(line + x * 3, other + x * 3, t);
        t = 0;
        for (int x = r; x < Width; ++x, t = std::min(t + step, 1.0f)) MixPixel(line + x * 3, other + x * 3, t);
    });
}

void TbsEffectBmp::MorphVGrad(TbsEffectBmp* bmp, double kf) {
    if (!SameSize(bmp) || !Bits) return;
    const int b = Scaled(Height, kf);
    const int c = (Height - 1 - b) / 2;
    const float step = c == 0 ? 0.0f : 1.0f / c;
    const int top = std::clamp(Height / 2 - b / 2, 0, Height - 1);
    const int bottom = std::clamp(Height / 2 + b / 2, 0, Height - 1);
    for (int y = top; y <= bottom; ++y) std::memcpy(ScanLinePtr(y), bmp->ScanLinePtr(y), Width * 3);
    auto mixRow = [&](int y, float t) {
        uint8_t* own = ScanLinePtr(y);
        const uint8_t* other = bmp->ScanLinePtr(y);
        for (int x = 0; x < Width; ++x) MixPixel(own + x * 3, other + x * 3, t);
    };
    float t = 0;
    for (int y = top; y >= 0; --y, t = std::min(t + step, 1.0f)) mixRow(y, t);
    t = 0;
    for (int y = bottom; y < Height; ++y, t = std::min(t + step, 1.0f)) mixRow(y, t);
}

void TbsEffectBmp::MorphGrad(TbsEffectBmp* bmp, double kf) {
    if (Width < Height) MorphVGrad(bmp, kf);
    else MorphHGrad(bmp, kf);
}

void TbsEffectBmp::MorphLeftGrad(TbsEffectBmp* bmp, double kf) {
    if (!SameSize(bmp) || Width < 2) return;
    const int b = std::clamp(Scaled(Width, kf), 1, Width - 1);
    const float step = 1.0f / b;
    ForEachRow([&](int y, uint8_t* line) {
        const uint8_t* other = bmp->ScanLinePtr(y);
        float t = 0;
        for (int x = 0; x <= b; ++x, t = std::min(t + step, 1.0f)) MixPixel(line + x * 3, other + x * 3, t);
    });
}

void TbsEffectBmp::MorphRightGrad(TbsEffectBmp* bmp, double kf) {
    if (!SameSize(bmp) || Width < 1) return;
    const int c = std::clamp(Width - Scaled(Width, kf), 0, Width - 1);
    const float step = Width - c <= 0 ? 1.0f : 1.0f / (Width - c);
    ForEachRow([&](int y, uint8_t* line) {
        const uint8_t* other = bmp->ScanLinePtr(y);
        float t = 0;
        for (int x = Width - 1; x >= c; --x, t = std::min(t + step, 1.0f)) MixPixel(line + x * 3, other + x * 3, t);
    });
}

// ---- slides and push ------------------------------------------------------------------------------------

void TbsEffectBmp::MorphPush(TbsEffectBmp* bmp, double kf) {
    if (!SameSize(bmp) || Width < 1) return;
    const int b = std::clamp(Scaled(Width, kf), 0, Width - 1);
    ForEachRow([&](int y, uint8_t* line) {
        std::memmove(line + (b + 1) * 3, line, static_cast<size_t>(Width - b - 1) * 3);
        std::memcpy(line, bmp->ScanLinePtr(y) + (Width - b - 1) * 3, static_cast<size_t>(b + 1) * 3);
    });
}

void TbsEffectBmp::MorphLeftSlide(TbsEffectBmp* bmp, double kf) {
    if (!SameSize(bmp) || Width < 2) return;
    const int b = std::clamp(Scaled(Width, kf), 1, Width - 1);
    ForEachRow([&](int y, uint8_t* line) { std::memcpy(line, bmp->ScanLinePtr(y) + (Width - b) * 3, b * 3); });
}

void TbsEffectBmp::MorphRightSlide(TbsEffectBmp* bmp, double kf) {
    if (!SameSize(bmp) || Width < 2) return;
    const int b = std::clamp(Scaled(Width, kf), 1, Width - 1);
    ForEachRow([&](int y, uint8_t* line) { std::memcpy(line + (Width - b) * 3, bmp->ScanLinePtr(y), b * 3); });
}

// ---- filters -----------------------------------------------------------------------------------------------

void TbsEffectBmp::ChangeBrightness(double kf) {
    kf = Clamp01(kf);
    ForEachRow([&](int, uint8_t* line) {
        for (int i = 0; i < Width * 3; ++i) line[i] = Clamp(RoundEven((1 - kf) * line[i] + kf * 255));
    });
}

void TbsEffectBmp::ChangeDarkness(double kf) {
    kf = Clamp01(kf);
    ForEachRow([&](int, uint8_t* line) {
        for (int i = 0; i < Width * 3; ++i) line[i] = Clamp(RoundEven((1 - kf) * line[i]));
    });
}

void TbsEffectBmp::Invert() {
    ForEachRow([&](int, uint8_t* line) {
        for (int i = 0; i < Width * 3; ++i) line[i] ^= 0xFF;
    });
}

void TbsEffectBmp::GrayScale() {
    ForEachRow([&](int, uint8_t* line) {
        for (int x = 0; x < Width; ++x) {
            uint8_t* p = line + x * 3;
            const uint8_t g = Clamp(RoundEven(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]));
            p[0] = p[1] = p[2] = g;
        }
    });
}

namespace {
// The neighbour rows and columns of the split blur.
struct Split {
    int amount, size;
    int Lower(int i) const { return i - amount < 0 ? i : i - amount; }
    int Upper(int i, int limit) const { return i + amount < limit ? i + amount : std::min(size - i, limit - 1); }
};
}  // namespace

void TbsEffectBmp::BlurWithMask(TbsEffectBmp* msk, int amount, bool edgesOnly) {
    amount = std::min({amount, Width - 1, Height - 1});
    if (amount <= 0 || !Bits) return;
    const Split rows{amount, Height}, cols{amount, Width};
    auto white = [](const uint8_t* p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; };
    ForEachRow([&](int i, uint8_t* line) {
        const uint8_t* up = ScanLinePtr(rows.Lower(i));
        const uint8_t* down = ScanLinePtr(rows.Upper(i, Height));
        const uint8_t* mrow = msk ? msk->ScanLinePtr(i) : nullptr;
        const uint8_t* mup = msk ? msk->ScanLinePtr(rows.Lower(i)) : nullptr;
        const uint8_t* mdown = msk ? msk->ScanLinePtr(rows.Upper(i, msk->Height)) : nullptr;
        for (int x = 0; x < Width; ++x) {
            const int l = cols.Lower(x), r = cols.Upper(x, Width);
            if (mrow && white(mrow + x * 3)) continue;
            if (edgesOnly && !(white(mup + l * 3) || white(mdown + l * 3) || white(mup + r * 3) || white(mdown + r * 3)))
                continue;
            for (int c = 0; c < 3; ++c)
                line[x * 3 + c] =
                    static_cast<uint8_t>((up[l * 3 + c] + down[l * 3 + c] + up[r * 3 + c] + down[r * 3 + c]) >> 2);
        }
    });
}

void TbsEffectBmp::SplitBlur(int amount) { BlurWithMask(nullptr, amount, false); }

void TbsEffectBmp::Mosaic(int size) {
    if (size < 2 || !Bits) return;
    for (int by = 0; by < Height; by += size)
        for (int bx = 0; bx < Width; bx += size) {
            const uint32_t c = GetPixel(bx, by);
            for (int y = by; y < std::min(by + size, Height); ++y)
                for (int x = bx; x < std::min(bx + size, Width); ++x) PutPixel(x, y, c);
        }
}

void TbsEffectBmp::AddMonoNoise(int amount) {
    if (amount <= 0) return;
    ForEachRow([&](int, uint8_t* line) {
        for (int x = 0; x < Width; ++x) {
            const int v = std::rand() % amount - amount / 2;
            for (int c = 0; c < 3; ++c) line[x * 3 + c] = Clamp(line[x * 3 + c] + v);
        }
    });
}

void TbsEffectBmp::AddColorNoise(int amount) {
    if (amount <= 0) return;
    ForEachRow([&](int, uint8_t* line) {
        for (int x = 0; x < Width; ++x)
            for (int c = 2; c >= 0; --c) line[x * 3 + c] = Clamp(line[x * 3 + c] + std::rand() % amount - amount / 2);
    });
}

void TbsEffectBmp::Wave(int xdiv, int ydiv, int ratio) {
    if (xdiv == 0 || ydiv == 0 || !Bits) return;
    TbsEffectBmp* copy = CreateCopy(this);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const int sx = std::clamp(RoundEven(x + ratio * std::sin(static_cast<double>(y) / ydiv)), 0, Width - 1);
            const int sy = std::clamp(RoundEven(y + ratio * std::sin(static_cast<double>(x) / xdiv)), 0, Height - 1);
            PutPixel(x, y, copy->GetPixel(sx, sy));
        }
    delete copy;
}

// ---- geometry -------------------------------------------------------------------------------------------------

void TbsEffectBmp::Resize(TbsEffectBmp* dst) {
    if (!dst || !dst->Bits || !Bits) return;
    const double fx = static_cast<double>(dst->Width - 1) / Width, fy = static_cast<double>(dst->Height - 1) / Height;
    const int bw = RoundEven(fx) + 1, bh = RoundEven(fy) + 1;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const uint32_t c = GetPixel(x, y);
            const int x0 = RoundEven(x * fx), y0 = RoundEven(y * fy);
            for (int j = y0; j < std::min(y0 + bh, dst->Height); ++j)
                for (int i = x0; i < std::min(x0 + bw, dst->Width); ++i) dst->PutPixel(i, j, c);
        }
}

void TbsEffectBmp::Rotate90_1(TbsEffectBmp* dst) {
    if (!dst || dst->Width != Height || dst->Height != Width || !Bits) return;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) dst->PutPixel(y, Width - 1 - x, GetPixel(x, y));
}

void TbsEffectBmp::Rotate90_2(TbsEffectBmp* dst) {
    if (!dst || dst->Width != Height || dst->Height != Width || !Bits) return;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) dst->PutPixel(Height - 1 - y, x, GetPixel(x, y));
}

void TbsEffectBmp::FlipVert(TbsEffectBmp* dst) {
    if (!SameSize(dst) || !Bits) return;
    for (int y = 0; y < Height; ++y) std::memcpy(dst->ScanLinePtr(Height - 1 - y), ScanLinePtr(y), Width * 3);
}

// ---- masks ------------------------------------------------------------------------------------------------------

bool TbsEffectBmp::MaskFits(const TbsEffectBmp* msk) const {
    return msk && msk->Bits && Bits && msk->Width == Width && msk->Height >= Height;
}

void TbsEffectBmp::MaskBlur(TbsEffectBmp* msk, int amount) {
    if (MaskFits(msk)) BlurWithMask(msk, amount, false);
}

void TbsEffectBmp::MaskAntialiasing(TbsEffectBmp* msk, int amount) {
    if (MaskFits(msk)) BlurWithMask(msk, amount, true);
}

void TbsEffectBmp::MaskFillColor(TbsEffectBmp* msk, TColor c, double kf) {
    if (!MaskFits(msk)) return;
    const COLORREF rgb = ColorToRGB(c);
    const uint8_t fill[3] = {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
    ForEachRow([&](int y, uint8_t* line) {
        const uint8_t* m = msk->ScanLinePtr(y);
        for (int x = 0; x < Width; ++x) {
            if (m[x * 3] == 255 && m[x * 3 + 1] == 255 && m[x * 3 + 2] == 255) continue;
            for (int k = 0; k < 3; ++k) line[x * 3 + k] = Clamp(RoundEven((1 - kf) * line[x * 3 + k] + kf * fill[k]));
        }
    });
}
