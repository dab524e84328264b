#include "skin/bsEffects.h"

#ifdef __x86_64__
#include <emmintrin.h>
#else
#include <mmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/GdiObjects.h"
#include "platform/SysUtils.h"
#include "skin/bsUtils.h"

// ---- pixel routines ---------------------------------------------------------------------------

namespace {
inline uint32_t Ch(TbsColor c, int shift) { return (c >> shift) & 0xFF; }
inline uint8_t AlphaOf(TbsColor c) { return static_cast<uint8_t>(c >> 24); }
}  // namespace

TbsColor BlendPixelPlain(TbsColor front, TbsColor back) {
    const uint32_t a = AlphaOf(front);
    if (a == 255) return front;
    if (a == 0) return back;
    const uint32_t na = 255 - a;
    const uint32_t b = (Ch(front, 0) * a + Ch(back, 0) * na) >> 8;
    const uint32_t g = (Ch(front, 8) * a + Ch(back, 8) * na) >> 8;
    const uint32_t r = (Ch(front, 16) * a + Ch(back, 16) * na) >> 8;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

void BlendLinePlain(const TbsColor* src, TbsColor* dst, int count) {
    for (int i = 0; i < count; ++i) {
        const TbsColor s = src[i];
        const uint32_t a = AlphaOf(s);
        if (a == 0) continue;
        dst[i] = a == 255 ? s : BlendPixelPlain(s, dst[i]);
    }
}

// (s * a + d * (256 - a)) >> 8 on all four channels in 16-bit lanes: MMX on
// 32-bit processors, SSE2 (which every x86-64 processor has) on 64-bit ones.
#ifdef __x86_64__
namespace {
inline __m128i BlendVector(TbsColor front, TbsColor back, __m128i zero) {
    const uint32_t a = AlphaOf(front);
    const __m128i s = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(front)), zero);
    const __m128i d = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(back)), zero);
    const __m128i fa = _mm_set1_epi16(static_cast<short>(a));
    const __m128i ba = _mm_set1_epi16(static_cast<short>(256 - a));
    const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(s, fa), _mm_mullo_epi16(d, ba));
    return _mm_packus_epi16(_mm_srli_epi16(sum, 8), zero);
}
}  // namespace

TbsColor BlendPixelMMX(TbsColor front, TbsColor back) {
    return static_cast<TbsColor>(_mm_cvtsi128_si32(BlendVector(front, back, _mm_setzero_si128())));
}

void BlendLineMMX(const TbsColor* src, TbsColor* dst, int count) {
    const __m128i zero = _mm_setzero_si128();
    for (int i = 0; i < count; ++i) {
        const TbsColor s = src[i];
        const uint32_t a = AlphaOf(s);
        if (a == 0) continue;
        dst[i] = a == 255 ? s : static_cast<TbsColor>(_mm_cvtsi128_si32(BlendVector(s, dst[i], zero)));
    }
}
#else
__attribute__((target("mmx"))) static inline __m64 BlendMMX(TbsColor front, TbsColor back, __m64 zero) {
    const uint32_t a = AlphaOf(front);
    const __m64 s = _mm_unpacklo_pi8(_mm_cvtsi32_si64(static_cast<int>(front)), zero);
    const __m64 d = _mm_unpacklo_pi8(_mm_cvtsi32_si64(static_cast<int>(back)), zero);
    const __m64 fa = _mm_set1_pi16(static_cast<short>(a));
    const __m64 ba = _mm_set1_pi16(static_cast<short>(256 - a));
    const __m64 sum = _mm_add_pi16(_mm_mullo_pi16(s, fa), _mm_mullo_pi16(d, ba));
    return _mm_packs_pu16(_mm_srli_pi16(sum, 8), zero);
}

__attribute__((target("mmx"))) TbsColor BlendPixelMMX(TbsColor front, TbsColor back) {
    const TbsColor r = static_cast<TbsColor>(_mm_cvtsi64_si32(BlendMMX(front, back, _mm_setzero_si64())));
    _mm_empty();
    return r;
}

__attribute__((target("mmx"))) void BlendLineMMX(const TbsColor* src, TbsColor* dst, int count) {
    const __m64 zero = _mm_setzero_si64();
    for (int i = 0; i < count; ++i) {
        const TbsColor s = src[i];
        const uint32_t a = AlphaOf(s);
        if (a == 0) continue;
        dst[i] = a == 255 ? s : static_cast<TbsColor>(_mm_cvtsi64_si32(BlendMMX(s, dst[i], zero)));
    }
    _mm_empty();
}
#endif

namespace {
void KeyCopyLine(const TbsColor* src, TbsColor* dst, int count) {
    for (int i = 0; i < count; ++i)
        if ((src[i] & 0xFFFFFF) != KeyColor) dst[i] = src[i] | 0xFF000000u;
}
void MoveLine(const TbsColor* src, TbsColor* dst, int count) {
    if (count > 0 && src != dst) std::memmove(dst, src, static_cast<size_t>(count) * 4);
}
void FillLine(TbsColor* dst, int count, TbsColor value) { std::fill(dst, dst + std::max(count, 0), value); }
void FillPixelRect(TbsColor* bits, int stride, TbsColor value, const RECT& r) {
    for (int y = r.top; y < r.bottom; ++y) FillLine(bits + y * stride + r.left, r.right - r.left, value);
}
void SetAlphaLine(TbsColor* dst, int count, uint8_t alpha) {
    const TbsColor a = static_cast<TbsColor>(alpha) << 24;
    for (int i = 0; i < count; ++i) dst[i] = (dst[i] & 0xFFFFFF) | a;
}
void SetAlphaRect(TbsColor* bits, int stride, uint8_t alpha, const RECT& r) {
    for (int y = r.top; y < r.bottom; ++y) SetAlphaLine(bits + y * stride + r.left, r.right - r.left, alpha);
}
void ClearAlphaOfColor(TbsColor* dst, int count, TbsColor value) {
    for (int i = 0; i < count; ++i)
        if ((dst[i] & 0xFFFFFF) == (value & 0xFFFFFF)) dst[i] &= 0xFFFFFF;
}

TbsPixelRoutines g_routines{};
int g_initCount = 0;
std::vector<TbsBitmap*>* g_dcBitmaps = nullptr;

struct Finaliser {
    ~Finaliser() {
        delete g_dcBitmaps;
        g_dcBitmaps = nullptr;
    }
} g_finaliser;
}  // namespace

namespace bseffects {
void InitUnit() {
    if (g_initCount++ > 0) return;
    const bool mmx = HasMMX();
    g_routines.mmx = mmx;
    g_routines.BlendPixel = mmx ? BlendPixelMMX : BlendPixelPlain;
    g_routines.BlendLine = mmx ? BlendLineMMX : BlendLinePlain;
    g_routines.KeyCopyLine = KeyCopyLine;
    g_routines.MoveLine = MoveLine;
    g_routines.FillLine = FillLine;
    g_routines.FillPixelRect = FillPixelRect;
    g_routines.SetAlphaLine = SetAlphaLine;
    g_routines.SetAlphaRect = SetAlphaRect;
    g_routines.ClearAlphaOfColor = ClearAlphaOfColor;
    // The drawing routines' unit loads TransparentBlt after this point, so
    // the colour-key draw takes the composite path.
    const platform::WindowDC screen;
    const int bits = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
    g_routines.transparentBltKeyDraw = IsTransparentBltLoaded() && bits > 23;
}
}  // namespace bseffects

const TbsPixelRoutines& PixelRoutines() {
    if (!g_initCount) bseffects::InitUnit();
    return g_routines;
}

TbsBitmap* FindBitmapByDC(HDC dc) {
    if (!g_dcBitmaps || !dc) return nullptr;
    for (TbsBitmap* b : *g_dcBitmaps)
        if (b->DC() == dc) return b;
    return nullptr;
}

DibInfo GetDCDibInfo(HDC dc) {
    DibInfo info;
    HGDIOBJ bmp = GetCurrentObject(dc, OBJ_BITMAP);
    DIBSECTION ds{};
    if (bmp && GetObjectW(bmp, sizeof(DIBSECTION), &ds) == sizeof(DIBSECTION)) {
        info.bits = ds.dsBm.bmBits;
        info.width = ds.dsBmih.biWidth;
        info.height = ds.dsBmih.biHeight;
        info.bitCount = ds.dsBmih.biBitCount;
    }
    return info;
}

// ---- stretch and copy -----------------------------------------------------------------------------

namespace {
using LineFn = void (*)(const TbsColor*, TbsColor*, int);

LineFn LineFor(TbsBlendMode mode) {
    const auto& r = PixelRoutines();
    switch (mode) {
    case TbsBlendMode::Alpha: return r.BlendLine;
    case TbsBlendMode::Key: return r.KeyCopyLine;
    default: return r.MoveLine;
    }
}

// A destination surface: rows of pixels, top-down or bottom-up.
struct Surface {
    TbsColor* bits;
    int width, height;
    bool bottomUp;
    TbsColor* Row(int y) const {
        return bits + static_cast<ptrdiff_t>(width) * (bottomUp ? height - 1 - y : y);
    }
};

bool SourceInside(const TRect& s, const TbsBitmap* src) {
    return s.left >= 0 && s.top >= 0 && s.right <= src->Width() && s.bottom <= src->Height();
}

// Maps destination coordinate d of run [d0, d1) to a source coordinate.
int MapCoord(int d, int d0, int d1, int s0, int s1, bool roundToNearest) {
    if (d1 - d0 < 2) return (s0 + s1 - 1) / 2;
    const double v = s0 + static_cast<double>(d - d0) * (s1 - s0 - 1) / (d1 - d0 - 1);
    return roundToNearest ? static_cast<int>(std::nearbyint(v)) : static_cast<int>(v);
}

void Stretch(const Surface& dst, const TRect& r, const TRect& s, TbsBitmap* src, TbsBlendMode mode, bool rounding) {
    if (s.IsEmpty() || !src || src->Empty() || !SourceInside(s, src)) return;
    TRect c;
    const TRect bounds(0, 0, dst.width, dst.height);
    if (!IntersectRect(&c, &r, &bounds)) return;
    const LineFn line = LineFor(mode);
    if (s.Width() == r.Width() && s.Height() == r.Height()) {
        const int sx = s.left + c.left - r.left, sy = s.top + c.top - r.top;
        for (int y = c.top; y < c.bottom; ++y)
            line(src->PixelPtr(sx, sy + y - c.top), dst.Row(y) + c.left, c.Width());
        return;
    }
    std::vector<int> cols(static_cast<size_t>(c.Width()));
    for (int x = c.left; x < c.right; ++x) cols[x - c.left] = MapCoord(x, r.left, r.right, s.left, s.right, rounding);
    std::vector<TbsColor> work(cols.size());
    int lastRow = -1;
    for (int y = c.top; y < c.bottom; ++y) {
        const int sy = MapCoord(y, r.top, r.bottom, s.top, s.bottom, rounding);
        TbsColor* out = dst.Row(y) + c.left;
        if (mode == TbsBlendMode::Copy) {
            if (sy == lastRow) {
                MoveLine(dst.Row(y - 1) + c.left, out, c.Width());
            } else {
                const TbsColor* in = src->ScanLine(sy);
                for (size_t i = 0; i < cols.size(); ++i) out[i] = in[cols[i]];
            }
        } else {
            if (sy != lastRow) {
                const TbsColor* in = src->ScanLine(sy);
                for (size_t i = 0; i < cols.size(); ++i) work[i] = in[cols[i]];
            }
            line(work.data(), out, c.Width());
        }
        lastRow = sy;
    }
}

Surface SurfaceOf(TbsBitmap* b) { return Surface{b->Bits(), b->Width(), b->Height(), false}; }
}  // namespace

void BmpStretch(TbsBitmap* dst, const TRect& dstRect, const TRect& srcRect, TbsBitmap* src, TbsBlendMode mode) {
    if (!dst || dst->Empty()) return;
    Stretch(SurfaceOf(dst), dstRect, srcRect, src, mode, false);
}

void BmpCopy(TbsBitmap* dst, const TRect& dstRect, TbsBitmap* src, int sx, int sy, TbsBlendMode mode) {
    BmpStretch(dst, dstRect, Bounds(sx, sy, dstRect.Width(), dstRect.Height()), src, mode);
}

void DibStretch(void* bits, const TRect& dstRect, const TRect& srcRect, TbsBitmap* src, int dibHeight, int dibWidth,
                TbsBlendMode mode) {
    if (!bits) return;
    Stretch(Surface{static_cast<TbsColor*>(bits), dibWidth, dibHeight, true}, dstRect, srcRect, src, mode, true);
}

void DCDraw(HDC dc, const TRect& dstRect, TbsBitmap* src, const TRect& srcRect, TbsBlendMode mode) {
    if (!src || src->Empty() || dstRect.IsEmpty() || srcRect.IsEmpty()) return;
    if (mode == TbsBlendMode::Copy) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dstRect.left, dstRect.top, dstRect.Width(), dstRect.Height(), src->DC(), srcRect.left,
                   srcRect.top, srcRect.Width(), srcRect.Height(), SRCCOPY);
        return;
    }
    if (mode == TbsBlendMode::Key && PixelRoutines().transparentBltKeyDraw && bsutils::Entries().transparentBlt) {
        bsutils::Entries().transparentBlt(dc, dstRect.left, dstRect.top, dstRect.Width(), dstRect.Height(), src->DC(),
                                          srcRect.left, srcRect.top, srcRect.Width(), srcRect.Height(), KeyColor);
        return;
    }
    // Composite: read the destination, draw over it in memory, write back.
    TbsBitmap tmp;
    tmp.SetSize(dstRect.Width(), dstRect.Height());
    BitBlt(tmp.DC(), 0, 0, dstRect.Width(), dstRect.Height(), dc, dstRect.left, dstRect.top, SRCCOPY);
    BmpStretch(&tmp, TRect(0, 0, dstRect.Width(), dstRect.Height()), srcRect, src, mode);
    BitBlt(dc, dstRect.left, dstRect.top, dstRect.Width(), dstRect.Height(), tmp.DC(), 0, 0, SRCCOPY);
}

// ---- TbsBitmap --------------------------------------------------------------------------------------

TbsBitmap::TbsBitmap() {
    PixelRoutines();
    info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info_.bmiHeader.biPlanes = 1;
    info_.bmiHeader.biBitCount = 32;
    info_.bmiHeader.biCompression = BI_RGB;
}

TbsBitmap::~TbsBitmap() {
    if (canvas_) canvas_->SetHandle(nullptr);
    canvas_.reset();
    Release();
    if (g_dcBitmaps) g_dcBitmaps->erase(std::remove(g_dcBitmaps->begin(), g_dcBitmaps->end(), this), g_dcBitmaps->end());
}

void TbsBitmap::Release() {
    if (canvas_) canvas_->SetHandle(nullptr);
    surface_.reset();
    dib_.Reset();
    bits_ = nullptr;
}

TCanvas* TbsBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TCanvas>();
        if (HDC dc = DC()) canvas_->SetHandle(dc);
    }
    return canvas_.get();
}

void TbsBitmap::SetSize(int width, int height) {
    width = std::abs(width), height = std::abs(height);
    if (width == 0 || height == 0 || (width == width_ && height == height_ && dib_)) return;
    Release();
    info_.bmiHeader.biWidth = width;
    info_.bmiHeader.biHeight = -height;
    platform::DibSection dib = platform::DibSection::Create(info_);
    if (!dib) throw Exception(L"Can't allocate the DIB handle");
    auto surface = std::make_unique<Surface>(dib.Handle());
    if (!surface->dc) throw Exception(L"Can't create compatible DC");
    if (!surface->select) throw Exception(L"Can't bslect an object into DC");
    dib_ = std::move(dib);
    surface_ = std::move(surface);
    bits_ = static_cast<TbsColor*>(dib_.Bits());
    if (!g_dcBitmaps) g_dcBitmaps = new std::vector<TbsBitmap*>();
    if (std::find(g_dcBitmaps->begin(), g_dcBitmaps->end(), this) == g_dcBitmaps->end()) g_dcBitmaps->push_back(this);
    if (canvas_) canvas_->SetHandle(DC());
    width_ = width;
    height_ = height;
}

void TbsBitmap::Clear(TbsColor color) {
    if (bits_) PixelRoutines().FillLine(bits_, width_ * height_, color);
}

void TbsBitmap::SetAlpha(uint8_t alpha) {
    if (bits_) PixelRoutines().SetAlphaLine(bits_, width_ * height_, alpha);
}

void TbsBitmap::SetAlpha(uint8_t alpha, const TRect& rect) {
    if (rect.Width() == 0 || rect.Height() == 0 || !bits_) return;
    TRect c;
    const TRect bounds(0, 0, width_, height_);
    if (!IntersectRect(&c, &rect, &bounds)) return;
    PixelRoutines().SetAlphaRect(bits_, width_, alpha, c);
}

void TbsBitmap::SetPixel(int x, int y, TbsColor value) {
    if (bits_ && x >= 0 && y >= 0 && x < width_ && y < height_) *PixelPtr(x, y) = value;
}

TbsColor TbsBitmap::GetPixel(int x, int y) const {
    return bits_ && x >= 0 && y >= 0 && x < width_ && y < height_ ? *PixelPtr(x, y) : 0;
}

void TbsBitmap::CheckingAlphaBlend() {
    AlphaBlend = false;
    const int n = width_ * height_;
    for (int i = 0; bits_ && i < n; ++i) {
        const uint8_t a = AlphaOf(bits_[i]);
        if (a != 0 && a != 255) {
            AlphaBlend = true;
            return;
        }
    }
}

void TbsBitmap::CheckingTransparent(TbsColor color) {
    Transparent = false;
    const int n = width_ * height_;
    const int r = Ch(color, 16), g = Ch(color, 8), b = Ch(color, 0);
    for (int i = 0; bits_ && i < n; ++i) {
        const TbsColor p = bits_[i];
        if (std::abs(static_cast<int>(Ch(p, 16)) - r) < 6 && std::abs(static_cast<int>(Ch(p, 8)) - g) < 6 &&
            std::abs(static_cast<int>(Ch(p, 0)) - b) < 6) {
            bits_[i] = KeyColor;
            Transparent = true;
        }
    }
}

// ---- drawing ------------------------------------------------------------------------------------------

namespace {
TbsBlendMode ModeOf(const TbsBitmap* b) {
    return b->AlphaBlend ? TbsBlendMode::Alpha : b->Transparent ? TbsBlendMode::Key : TbsBlendMode::Copy;
}
TRect AtOrigin(int x, int y, const TRect& src) { return Bounds(x, y, src.Width(), src.Height()); }
POINT WindowOrg(HDC dc) {
    POINT p{0, 0};
    GetWindowOrgEx(dc, &p);
    return p;
}
}  // namespace

void TbsBitmap::Draw(HDC dc, int x, int y) { Draw(dc, Bounds(x, y, width_, height_), TRect(0, 0, width_, height_)); }
void TbsBitmap::Draw(HDC dc, int x, int y, const TRect& srcRect) { Draw(dc, AtOrigin(x, y, srcRect), srcRect); }
void TbsBitmap::Draw(HDC dc, const TRect& dstRect) { Draw(dc, dstRect, TRect(0, 0, width_, height_)); }

void TbsBitmap::Draw(HDC dc, const TRect& dstRect, const TRect& srcRect) {
    if (Empty() || !dc) return;
    if (TbsBitmap* target = FindBitmapByDC(dc)) {
        TRect d = dstRect;
        const POINT org = WindowOrg(dc);
        d.Offset(-org.x, -org.y);
        Draw(target, d, srcRect);
        return;
    }
    DCDraw(dc, dstRect, this, srcRect, ModeOf(this));
}

void TbsBitmap::Draw(TbsBitmap* bitmap, int x, int y) {
    Draw(bitmap, Bounds(x, y, width_, height_), TRect(0, 0, width_, height_));
}
void TbsBitmap::Draw(TbsBitmap* bitmap, int x, int y, const TRect& srcRect) {
    Draw(bitmap, AtOrigin(x, y, srcRect), srcRect);
}
void TbsBitmap::Draw(TbsBitmap* bitmap, const TRect& dstRect) { Draw(bitmap, dstRect, TRect(0, 0, width_, height_)); }
void TbsBitmap::Draw(TbsBitmap* bitmap, const TRect& dstRect, const TRect& srcRect) {
    BmpStretch(bitmap, dstRect, srcRect, this, ModeOf(this));
}

// ---- tiling -----------------------------------------------------------------------------------------------

namespace {
// Visits the tiles of srcRect over dstRect column by column; each tile is
// the cut tile rectangle and the matching top-left part of srcRect.
template <class F>
void ForEachTile(const TRect& dstRect, const TRect& srcRect, F f) {
    const int tw = srcRect.Width(), th = srcRect.Height();
    if (tw <= 0 || th <= 0 || dstRect.IsEmpty()) return;
    const int cols = (dstRect.Width() + tw - 1) / tw, rows = (dstRect.Height() + th - 1) / th;
    for (int i = 0; i <= cols; ++i) {
        for (int j = 0; j <= rows; ++j) {
            const TRect tile = Bounds(dstRect.left + i * tw, dstRect.top + j * th, tw, th);
            TRect cut;
            if (!IntersectRect(&cut, &tile, &dstRect)) break;
            f(cut, Bounds(srcRect.left, srcRect.top, cut.Width(), cut.Height()));
        }
    }
}
}  // namespace

void TbsBitmap::DrawTile(HDC dc, const TRect& tile, const TRect& src, bool direct, const DibInfo* dib,
                         const POINT& org) {
    if (TbsBitmap* target = FindBitmapByDC(dc)) {
        TRect d = tile;
        d.Offset(-org.x, -org.y);
        Draw(target, d, src);
    } else if (direct) {
        TRect d = tile;
        d.Offset(-org.x, -org.y);
        DibStretch(dib->bits, d, src, this, dib->height, dib->width, ModeOf(this));
    } else {
        DCDraw(dc, tile, this, src, ModeOf(this));
    }
}

void TbsBitmap::Tile(HDC dc, const TRect& dstRect, const TRect& srcRect) {
    if (Empty() || !dc) return;
    const DibInfo dib = GetDCDibInfo(dc);
    const bool direct = dib.bits && dib.bitCount == 32 && dib.height > 0;
    const POINT org = WindowOrg(dc);
    ForEachTile(dstRect, srcRect, [&](const TRect& tile, const TRect& src) { DrawTile(dc, tile, src, direct, &dib, org); });
}

void TbsBitmap::Tile(TbsBitmap* bitmap, const TRect& dstRect, const TRect& srcRect) {
    if (Empty()) return;
    ForEachTile(dstRect, srcRect, [&](const TRect& tile, const TRect& src) { Draw(bitmap, tile, src); });
}

void TbsBitmap::TileClip(HDC dc, const TRect& dstRect, const TRect& dstClip, const TRect& srcRect) {
    if (Empty() || !dc) return;
    const POINT org = WindowOrg(dc);
    ForEachTile(dstRect, srcRect, [&](const TRect& tile, const TRect& src) {
        TRect both;
        if (!dstClip.IsEmpty() && !IntersectRect(&both, &tile, &dstClip)) return;
        DrawTile(dc, tile, src, false, nullptr, org);
    });
}

void TbsBitmap::TileClip(TbsBitmap* bitmap, const TRect& dstRect, const TRect& dstClip, const TRect& srcRect) {
    if (Empty()) return;
    ForEachTile(dstRect, srcRect, [&](const TRect& tile, const TRect& src) {
        TRect both;
        if (!dstClip.IsEmpty() && !IntersectRect(&both, &tile, &dstClip)) return;
        Draw(bitmap, tile, src);
    });
}

void TbsBitmap::MergeDraw(TbsBitmap* bitmap, int x, int y, const TRect& srcRect) {
    if (!bitmap || bitmap->Empty() || Empty()) return;
    TRect s = srcRect;
    s.left = std::max<LONG>(s.left, 0), s.top = std::max<LONG>(s.top, 0);
    s.right = std::min<LONG>(s.right, bitmap->Width()), s.bottom = std::min<LONG>(s.bottom, bitmap->Height());
    const auto blend = PixelRoutines().BlendPixel;
    for (int sy = s.top; sy < s.bottom; ++sy) {
        const int dy = y + sy - srcRect.top;
        if (dy < 0 || dy >= height_) continue;
        const TbsColor* in = bitmap->ScanLine(sy);
        TbsColor* out = ScanLine(dy);
        for (int sx = s.left; sx < s.right; ++sx) {
            const int dx = x + sx - srcRect.left;
            if (dx < 0 || dx >= width_) continue;
            const uint8_t a = AlphaOf(out[dx]);
            if (a == 0) out[dx] = in[sx];
            else if (a != 255) out[dx] = blend(out[dx], in[sx]);
        }
    }
    EndMMX();
}

void TbsBitmap::FillRect(const TRect& r, TbsColor color) {
    if (Empty()) return;
    TRect c;
    const TRect bounds(0, 0, width_, height_);
    if (!IntersectRect(&c, &r, &bounds)) return;
    const auto& routines = PixelRoutines();
    if (AlphaBlend) {
        std::vector<TbsColor> line(static_cast<size_t>(c.Width()), color);
        for (int y = c.top; y < c.bottom; ++y) routines.BlendLine(line.data(), ScanLine(y) + c.left, c.Width());
        EndMMX();
    } else {
        routines.FillPixelRect(bits_, width_, color, c);
    }
}

// ---- assigning --------------------------------------------------------------------------------------------

void TbsBitmap::DrawGraphic(TGraphic* graphic, const TRect& dstRect) {
    if (!graphic || Empty()) return;
    TBitmap tmp(width_, height_, pf32bit);
    TCanvas* c = tmp.Canvas();
    c->Pen()->SetColor(0x00FF00FF);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(0x00FF00FF);
    c->Rectangle(-1, -1, width_ + 1, height_ + 1);
    c->StretchDraw(dstRect, graphic);
    GdiFlush();
    for (int y = 0; y < height_; ++y) {
        const auto* in = static_cast<const TbsColor*>(tmp.ScanLine(y));
        TbsColor* out = ScanLine(y);
        for (int x = 0; x < width_; ++x)
            if ((in[x] & 0xFFFFFF) != 0xFF00FF) out[x] = in[x];
    }
}

void TbsBitmap::Assign(TPersistent* source) {
    if (auto* b = dynamic_cast<TbsBitmap*>(source)) {
        if (b == this) return;
        SetSize(b->Width(), b->Height());
        if (!b->Empty() && !Empty()) std::memcpy(bits_, b->Bits(), static_cast<size_t>(width_) * height_ * 4);
        Name = b->Name;
        Transparent = b->Transparent;
        AlphaBlend = b->AlphaBlend;
        return;
    }
    TGraphic* graphic = dynamic_cast<TGraphic*>(source);
    if (auto* picture = dynamic_cast<TPicture*>(source)) graphic = picture->Graphic();
    if (auto* bmp = dynamic_cast<TBitmap*>(graphic)) {
        SetSize(bmp->Width(), bmp->Height());
        if (bmp->Empty() || Empty()) return;
        if (bmp->PixelFormat() == pf32bit) {
            GdiFlush();
            for (int y = 0; y < height_; ++y) std::memcpy(ScanLine(y), bmp->ScanLine(y), static_cast<size_t>(width_) * 4);
            CheckingAlphaBlend();
        } else {
            BitBlt(DC(), 0, 0, width_, height_, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
            GdiFlush();
            SetAlpha(255);
        }
        return;
    }
    if (graphic) {
        SetSize(graphic->Width(), graphic->Height());
        DrawGraphic(graphic, TRect(0, 0, width_, height_));
        SetAlpha(255);
        return;
    }
    TPersistent::Assign(source);
}

void TbsBitmap::AssignTo(TPersistent* dest) {
    TBitmap* bmp = dynamic_cast<TBitmap*>(dest);
    if (auto* picture = dynamic_cast<TPicture*>(dest)) bmp = picture->Bitmap();
    if (!bmp) {
        TPersistent::AssignTo(dest);
        return;
    }
    bmp->SetPixelFormat(pf32bit);
    bmp->SetSize(width_, height_);
    Draw(bmp->Canvas(), 0, 0);
}
