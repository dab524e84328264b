#include "skin/bsEffectsGlow.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "skin/bsUtils.h"

TbsColor ColorToPixel(TColor color) {
    const uint32_t c = static_cast<uint32_t>(color);
    return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// ---- Stack Blur ------------------------------------------------------------------------------------

namespace {
struct Sums {
    int r = 0, g = 0, b = 0;
    void Add(int rr, int gg, int bb, int w = 1) { r += rr * w, g += gg * w, b += bb * w; }
    void Sub(const int* p) { r -= p[0], g -= p[1], b -= p[2]; }
    void Add(const int* p) { r += p[0], g += p[1], b += p[2]; }
    void Sub(const Sums& o) { r -= o.r, g -= o.g, b -= o.b; }
    void Add(const Sums& o) { r += o.r, g += o.g, b += o.b; }
};
}  // namespace

void StackBlurBitmap(TbsBitmap* bitmap, int radius) {
    if (!bitmap || bitmap->Empty() || radius <= 0) return;
    radius = std::min(radius, kMaxGlowSize);
    const int w = bitmap->Width(), h = bitmap->Height(), wm = w - 1, hm = h - 1, wh = w * h;
    const int div = 2 * radius + 1, divsum = (radius + 1) * (radius + 1);
    std::vector<int> dv(256 * static_cast<size_t>(divsum));
    for (size_t i = 0; i < dv.size(); ++i) dv[i] = static_cast<int>(i) / divsum;
    std::vector<int> r(wh), g(wh), b(wh), vmin(std::max(w, h));
    std::vector<int> stack(static_cast<size_t>(div) * 3);
    TbsColor* pix = bitmap->Bits();
    auto slot = [&](int i) { return &stack[static_cast<size_t>(i) * 3]; };

    int yi = 0;
    for (int y = 0; y < h; ++y) {
        Sums sum, in, out;
        for (int i = -radius; i <= radius; ++i) {
            const TbsColor p = pix[yi + std::min(wm, std::max(i, 0))];
            int* s = slot(i + radius);
            s[0] = (p >> 16) & 0xFF, s[1] = (p >> 8) & 0xFF, s[2] = p & 0xFF;
            sum.Add(s[0], s[1], s[2], radius + 1 - std::abs(i));
            if (i > 0) in.Add(s);
            else out.Add(s);
        }
        int sp = radius;
        for (int x = 0; x < w; ++x) {
            r[yi] = dv[sum.r], g[yi] = dv[sum.g], b[yi] = dv[sum.b];
            sum.Sub(out);
            int* s = slot((sp - radius + div) % div);
            out.Sub(s);
            if (y == 0) vmin[x] = std::min(x + radius + 1, wm);
            const TbsColor p = pix[y * w + vmin[x]];
            s[0] = (p >> 16) & 0xFF, s[1] = (p >> 8) & 0xFF, s[2] = p & 0xFF;
            in.Add(s);
            sum.Add(in);
            sp = (sp + 1) % div;
            s = slot(sp);
            out.Add(s);
            in.Sub(s);
            ++yi;
        }
    }
    for (int x = 0; x < w; ++x) {
        Sums sum, in, out;
        int yp = -radius * w;
        for (int i = -radius; i <= radius; ++i) {
            const int idx = std::max(0, yp) + x;
            int* s = slot(i + radius);
            s[0] = r[idx], s[1] = g[idx], s[2] = b[idx];
            sum.Add(s[0], s[1], s[2], radius + 1 - std::abs(i));
            if (i > 0) in.Add(s);
            else out.Add(s);
            if (i < hm) yp += w;
        }
        int sp = radius;
        int yo = x;
        for (int y = 0; y < h; ++y) {
            pix[yo] = 0xFF000000u | static_cast<TbsColor>(dv[sum.r]) << 16 | static_cast<TbsColor>(dv[sum.g]) << 8 |
                      static_cast<TbsColor>(dv[sum.b]);
            sum.Sub(out);
            int* s = slot((sp - radius + div) % div);
            out.Sub(s);
            if (x == 0) vmin[y] = std::min(y + radius + 1, hm) * w;
            const int p = x + vmin[y];
            s[0] = r[p], s[1] = g[p], s[2] = b[p];
            in.Add(s);
            sum.Add(in);
            sp = (sp + 1) % div;
            s = slot(sp);
            out.Add(s);
            in.Sub(s);
            yo += w;
        }
    }
}

// ---- glow text -----------------------------------------------------------------------------------------

namespace {
// A bitmap for the glow with the canvas's font in pure red, clear brush.
void PrepareGlow(TbsBitmap& b, TCanvas* canvas, int w, int h) {
    b.SetSize(w, h);
    TCanvas* c = b.Canvas();
    c->Font()->Assign(canvas->Font());
    c->Font()->SetColor(clRed);
    c->Brush()->SetStyle(bsClear);
}

// Alpha := red, colour := the glow colour; drawn blended at (x, y).
void ColouriseAndDraw(TbsBitmap& b, TColor glowColor, TCanvas* canvas, int x, int y) {
    const TbsColor colour = ColorToPixel(glowColor) & 0xFFFFFF;
    TbsColor* p = b.Bits();
    for (int i = 0, n = b.Width() * b.Height(); i < n; ++i) p[i] = ((p[i] >> 16) & 0xFF) << 24 | colour;
    b.AlphaBlend = true;
    b.Draw(canvas, x, y);
}

int DrawTextOn(TCanvas* c, const String& text, RECT r, UINT format) {
    return DrawTextW(c->Handle(), text.c_str(), static_cast<int>(text.size()), &r, format);
}

TRect Moved(const TRect& r, int dx, int dy) {
    TRect m = r;
    m.Offset(dx, dy);
    return m;
}
}  // namespace

void DrawEffectText(TCanvas* canvas, TRect r, const String& text, int glowSize, TColor glowColor, int offset,
                    UINT format) {
    glowSize = std::clamp(glowSize, 0, kMaxGlowSize);
    const int w = r.Width(), h = r.Height();
    if (w + 2 * glowSize <= 0 || h + 2 * glowSize <= 0) return;
    TbsBitmap b;
    PrepareGlow(b, canvas, w + 2 * glowSize, h + 2 * glowSize);
    GdiFlush();
    const TRect t(glowSize, glowSize, glowSize + w, glowSize + h);
    for (const POINT d : {POINT{0, 0}, POINT{-1, 0}, POINT{1, 0}, POINT{0, -1}, POINT{0, 1}})
        DrawTextOn(b.Canvas(), text, Moved(t, d.x, d.y), format);
    GdiFlush();
    StackBlurBitmap(&b, glowSize);
    ColouriseAndDraw(b, glowColor, canvas, r.left - glowSize + offset, r.top - glowSize + offset);
    canvas->Brush()->SetStyle(bsClear);
    DrawTextOn(canvas, text, r, format);
}

int DrawGlowWideText(TCanvas* canvas, TRect r, const String& text, int glowSize, TColor glowColor, int offset,
                     UINT flags) {
    glowSize = std::clamp(glowSize, 0, kMaxGlowSize);
    const int w = r.Width(), h = r.Height();
    if (w + 2 * glowSize > 0 && h + 2 * glowSize > 0) {
        TbsBitmap b;
        PrepareGlow(b, canvas, w + 2 * glowSize, h + 2 * glowSize);
        RECT t{glowSize, glowSize, glowSize + w, glowSize + h};
        DrawWideText(b.Canvas(), text, t, flags);
        GdiFlush();
        StackBlurBitmap(&b, glowSize);
        ColouriseAndDraw(b, glowColor, canvas, r.left - glowSize + offset, r.top - glowSize + offset);
    }
    canvas->Brush()->SetStyle(bsClear);
    RECT rr = r;
    return DrawWideText(canvas, text, rr, flags);
}

int DrawVistaGlowText(TCanvas* canvas, TRect r, const String& text, TColor glowColor, UINT flags) {
    const int w = r.Width(), h = r.Height();
    if (w + 24 > 0 && h + 24 > 0) {
        TbsBitmap b;
        PrepareGlow(b, canvas, w + 24, h + 24);
        const TRect t(12, 12, 12 + w, 12 + h);
        TCanvas* c = b.Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clRed);
        c->FillRect(TRect(t.left - 3, t.top + 2, t.right + 3, t.bottom - 2));
        c->Brush()->SetStyle(bsClear);
        for (const POINT d : {POINT{-1, -1}, POINT{-2, -2}, POINT{-1, 0}, POINT{-2, 0}, POINT{1, 0}, POINT{2, 0},
                              POINT{1, 1}, POINT{2, 2}, POINT{0, 0}}) {
            RECT m = Moved(t, d.x, d.y);
            DrawWideText(c, text, m, flags);
        }
        GdiFlush();
        StackBlurBitmap(&b, 6);
        StackBlurBitmap(&b, 6);
        ColouriseAndDraw(b, glowColor, canvas, r.left - 12, r.top - 12);
    }
    canvas->Brush()->SetStyle(bsClear);
    RECT rr = r;
    return DrawWideText(canvas, text, rr, flags);
}

void DrawReflectionText(TCanvas* canvas, TRect r, const String& text, TColor color, int offset, UINT flags) {
    const int w = r.Width(), h = r.Height();
    if (w > 0 && h > 0) {
        TbsBitmap b;
        PrepareGlow(b, canvas, w, h);
        RECT t{0, 0, w, h};
        DrawWideText(b.Canvas(), text, t, flags);
        RECT m{0, 0, w, h};
        DrawWideText(b.Canvas(), text, m, flags | DT_CALCRECT);
        const int th = m.bottom - m.top;
        RECT rm = r;
        DrawWideText(canvas, text, rm, flags | DT_CALCRECT);
        GdiFlush();
        if (th > 0) {
            const TbsColor colour = ColorToPixel(color) & 0xFFFFFF;
            for (int y = 0; y < h; ++y) {
                TbsColor* row = b.ScanLine(y);
                if (y > th) {
                    std::fill(row, row + w, 0u);
                    continue;
                }
                const double f = std::max(0.0, 0.7 - static_cast<double>(th - y) / th);
                for (int x = 0; x < w; ++x)
                    row[x] = static_cast<TbsColor>(static_cast<int>(((row[x] >> 16) & 0xFF) * f)) << 24 | colour;
            }
        }
        for (int y = 0; y < h / 2; ++y) std::swap_ranges(b.ScanLine(y), b.ScanLine(y) + w, b.ScanLine(h - 1 - y));
        b.AlphaBlend = true;
        b.Draw(canvas, r.left, rm.bottom + th + offset - h);
    }
    canvas->Brush()->SetStyle(bsClear);
    RECT rr = r;
    DrawWideText(canvas, text, rr, flags);
}

void AlphaFromMask(TbsBitmap* bitmap, TbsBitmap* mask) {
    if (!bitmap || !mask || bitmap->Empty() || mask->Empty()) return;
    const int w = std::min(bitmap->Width(), mask->Width()), h = std::min(bitmap->Height(), mask->Height());
    for (int y = 0; y < h; ++y) {
        TbsColor* out = bitmap->ScanLine(y);
        const TbsColor* m = mask->ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const TbsColor p = m[x];
            const TbsColor grey = (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
            out[x] = (out[x] & 0xFFFFFF) | grey << 24;
        }
    }
}
