#include "SkinArt.h"

#include <algorithm>
#include <cmath>

namespace {

int Ch(Rgb c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }
Rgb Make(int r, int g, int b) {
    auto cl = [](int v) { return static_cast<Rgb>(std::clamp(v, 0, 255)); };
    return cl(r) << 16 | cl(g) << 8 | cl(b);
}

unsigned Hash(unsigned x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    return x ^ (x >> 16);
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    auto m = [&](int s) { return static_cast<int>(std::lround(Ch(a, s) + (Ch(b, s) - Ch(a, s)) * t)); };
    return Make(m(16), m(8), m(0));
}

Rgb Shade(Rgb c, double f) {
    if (f <= 1) return Mix(0, c, f);
    return Mix(c, 0xFFFFFF, std::min(1.0, f - 1));
}

Img::Img(int w, int h, Rgb fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill) {}

void Img::Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<size_t>(y) * w_ + x] = c;
}

void Img::Blend(int x, int y, Rgb c, double alpha) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) Set(x, y, Mix(Get(x, y), c, alpha));
}

void Img::Fill(const TRect& r, Rgb c) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) Set(x, y, c);
}

void Img::Frame(const TRect& r, Rgb c) {
    for (int x = r.left; x < r.right; ++x) Set(x, r.top, c), Set(x, r.bottom - 1, c);
    for (int y = r.top; y < r.bottom; ++y) Set(r.left, y, c), Set(r.right - 1, y, c);
}

void Img::VGrad(const TRect& r, Rgb top, Rgb bottom) {
    const int h = std::max(1L, r.Height() - 1);
    for (int y = r.top; y < r.bottom; ++y) {
        const Rgb c = Mix(top, bottom, static_cast<double>(y - r.top) / h);
        for (int x = r.left; x < r.right; ++x) Set(x, y, c);
    }
}

void Img::Metal(const TRect& r, Rgb top, Rgb bottom, unsigned seed) {
    const int h = std::max(1L, r.Height() - 1);
    for (int y = r.top; y < r.bottom; ++y) {
        const double t = static_cast<double>(y - r.top) / h;
        // A soft sheen a third of the way down, like polished plate.
        const double sheen = 0.10 * std::exp(-std::pow((t - 0.33) * 5, 2));
        const Rgb row = Shade(Mix(top, bottom, t), 1 + sheen);
        for (int x = r.left; x < r.right; ++x) {
            const unsigned n = Hash(seed * 977u + static_cast<unsigned>(y) * 131u + static_cast<unsigned>(x / 7));
            const double streak = ((n & 0xFF) / 255.0 - 0.5) * 0.07;
            Set(x, y, Shade(row, 1 + streak));
        }
    }
}

void Img::Bevel(const TRect& r, Rgb light, Rgb dark, int width) {
    for (int i = 0; i < width; ++i) {
        const double a = 0.8 - 0.25 * i;
        for (int x = r.left + i; x < r.right - i; ++x) Blend(x, r.top + i, light, a), Blend(x, r.bottom - 1 - i, dark, a);
        for (int y = r.top + i; y < r.bottom - i; ++y) Blend(r.left + i, y, light, a), Blend(r.right - 1 - i, y, dark, a);
    }
}

void Img::Chamfer(const TRect& r, int size, Rgb bg, Rgb edge) {
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size - i; ++j) {
            Set(r.left + j, r.top + i, bg);
            Set(r.right - 1 - j, r.top + i, bg);
            Set(r.left + j, r.bottom - 1 - i, bg);
            Set(r.right - 1 - j, r.bottom - 1 - i, bg);
        }
        const int j = size - i;
        Set(r.left + j, r.top + i, edge);
        Set(r.right - 1 - j, r.top + i, edge);
        Set(r.left + j, r.bottom - 1 - i, edge);
        Set(r.right - 1 - j, r.bottom - 1 - i, edge);
    }
}

void Img::Disc(int cx, int cy, double radius, Rgb c) {
    const int r = static_cast<int>(std::ceil(radius)) + 1;
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x) {
            const double d = std::sqrt(static_cast<double>(x * x + y * y));
            const double cover = std::clamp(radius + 0.5 - d, 0.0, 1.0);
            if (cover > 0) Blend(cx + x, cy + y, c, cover);
        }
}

void Img::Rivet(int cx, int cy, const Palette& p) {
    Disc(cx, cy, 2.2, p.dark);
    Disc(cx, cy, 1.5, Shade(p.base, 1.25));
    Blend(cx - 1, cy - 1, 0xFFFFFF, 0.7);
}

void Img::Glyph(::Glyph g, const TRect& r, Rgb c) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const int s = std::min(r.Width(), r.Height()) / 4;
    auto line = [&](double x0, double y0, double x1, double y1) {
        const int steps = static_cast<int>(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)) * 3) + 1;
        for (int i = 0; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            Disc(static_cast<int>(std::lround(x0 + (x1 - x0) * t)), static_cast<int>(std::lround(y0 + (y1 - y0) * t)),
                 0.7, c);
        }
    };
    auto tri = [&](int dx, int dy) {  // filled arrow pointing along (dx, dy)
        for (int i = 0; i <= s; ++i) {
            const int half = s - i;
            for (int k = -half; k <= half; ++k) {
                const int along = i - s / 2;
                if (dx) Set(cx + dx * along, cy + k, c);
                else Set(cx + k, cy + dy * along, c);
            }
        }
    };
    switch (g) {
        case Glyph::Close: line(cx - s, cy - s, cx + s, cy + s), line(cx - s, cy + s, cx + s, cy - s); break;
        case Glyph::Maximize:
            Frame(TRect(cx - s - 1, cy - s, cx + s + 1, cy + s + 1), c);
            Fill(TRect(cx - s - 1, cy - s, cx + s + 1, cy - s + 2), c);
            break;
        case Glyph::Restore:
            Frame(TRect(cx - s + 1, cy - s - 1, cx + s + 2, cy + s - 2), c);
            Fill(TRect(cx - s - 2, cy - s + 2, cx + s - 1, cy + s + 2), Mix(c, 0, 0));
            Frame(TRect(cx - s - 2, cy - s + 2, cx + s - 1, cy + s + 2), c);
            break;
        case Glyph::Minimize: Fill(TRect(cx - s, cy + s - 1, cx + s + 1, cy + s + 1), c); break;
        case Glyph::SysMenu:
            for (int i = 0; i <= s + 1; ++i)
                for (int k = -(s + 1 - i); k <= s + 1 - i; ++k) Set(cx + k, cy - i, c), Set(cx + k, cy + i, c);
            break;
        case Glyph::Check: line(cx - s, cy, cx - 1, cy + s - 1), line(cx - 1, cy + s - 1, cx + s + 1, cy - s); break;
        case Glyph::Radio: Disc(cx, cy, s * 0.8 + 0.5, c); break;
        case Glyph::ArrowUp: tri(0, -1); break;
        case Glyph::ArrowDown: tri(0, 1); break;
        case Glyph::ArrowLeft: tri(-1, 0); break;
        case Glyph::ArrowRight: tri(1, 0); break;
    }
}

void Img::Copy(const Img& src, const TRect& from, int x, int y) {
    for (int j = from.top; j < from.bottom; ++j)
        for (int i = from.left; i < from.right; ++i) Set(x + i - from.left, y + j - from.top, src.Get(i, j));
}

Img Img::Dimmed(double grey, double dark) const {
    Img out(w_, h_);
    for (size_t i = 0; i < px_.size(); ++i) {
        const Rgb c = px_[i];
        const int l = (Ch(c, 16) * 30 + Ch(c, 8) * 59 + Ch(c, 0) * 11) / 100;
        out.px_[i] = Shade(Mix(c, Make(l, l, l), grey), dark);
    }
    return out;
}

TBitmap* Img::ToBitmap() const {
    auto* bmp = new TBitmap(w_, h_, pf24bit);
    for (int y = 0; y < h_; ++y) {
        auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
        for (int x = 0; x < w_; ++x) {
            const Rgb c = Get(x, y);
            row[x * 3] = static_cast<uint8_t>(c);
            row[x * 3 + 1] = static_cast<uint8_t>(c >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(c >> 16);
        }
    }
    return bmp;
}
