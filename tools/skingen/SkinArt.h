#pragma once
// Drawing of the skin pictures: an RGB picture in memory and the shapes the
// armour themes are made of (brushed metal, bevels, rivets, glyphs).

#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

// 0xRRGGBB.
using Rgb = uint32_t;

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Shade(Rgb c, double f);  // f < 1 darker, > 1 lighter

// The colours of one theme.
struct Palette {
    Rgb base;       // the metal
    Rgb light;      // its highlights
    Rgb dark;       // its shadows and outlines
    Rgb accent;     // trims, hover glow
    Rgb face;       // client and control faces
    Rgb text;       // text on faces
    Rgb captionText;
};

enum class Glyph { Close, Maximize, Restore, Minimize, SysMenu, Check, Radio, ArrowUp, ArrowDown, ArrowLeft, ArrowRight };

class Img {
public:
    Img(int w, int h, Rgb fill = 0);
    int W() const { return w_; }
    int H() const { return h_; }
    Rgb Get(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
    void Set(int x, int y, Rgb c);
    void Blend(int x, int y, Rgb c, double alpha);

    void Fill(const TRect& r, Rgb c);
    void Frame(const TRect& r, Rgb c);
    void VGrad(const TRect& r, Rgb top, Rgb bottom);
    // Brushed metal: a vertical gradient with fine horizontal streaks.
    void Metal(const TRect& r, Rgb top, Rgb bottom, unsigned seed);
    // Raised (or sunken) edge of `width` pixels.
    void Bevel(const TRect& r, Rgb light, Rgb dark, int width);
    // Cuts the four corners diagonally by `size`, filling them with bg.
    void Chamfer(const TRect& r, int size, Rgb bg, Rgb edge);
    void Rivet(int cx, int cy, const Palette& p);
    void Disc(int cx, int cy, double radius, Rgb c);
    void Glyph(Glyph g, const TRect& r, Rgb c);
    void Copy(const Img& src, const TRect& from, int x, int y);
    // A darker, greyer copy (the looks of an inactive window).
    Img Dimmed(double grey, double dark) const;

    TBitmap* ToBitmap() const;

private:
    int w_, h_;
    std::vector<Rgb> px_;
};
