#pragma once
// TbsBitmapLink: a named rectangle of a TbsBitmap that classifies the
// transparent pixels of its corners, edges and centre. (The loaders, colour
// adjustments and reflections of TbsBitmap itself are declared with the
// class in bsEffects.h.)
//
// Threads: UI thread only.

#include "platform/Graphics.h"
#include "platform/Streams.h"
#include "skin/bsEffects.h"

class TbsBitmapLink : public TPersistent {
public:
    TbsBitmapLink() = default;
    void Assign(TPersistent* source) override;
    void LoadFromStream(TStream* stream);
    void SaveToStream(TStream* stream);
    void CheckingMasked(const TRect& margin);
    void CheckingMasked() { CheckingMasked(TRect(0, 0, 0, 0)); }
    void Draw(TbsBitmap* bitmap, int x, int y);
    void Draw(TCanvas* canvas, int x, int y);

    TbsBitmap* Image = nullptr;  // not owned
    TRect Rect;
    String Name;
    bool MaskedBorder = false;
    bool MaskedAngles = false;
    bool Masked = false;
    bool Assigned() const { return Image && Rect.Width() * Rect.Height() > 0; }
    int Left() const { return Rect.left; }
    int Top() const { return Rect.top; }
    int Right() const { return Rect.right; }
    int Bottom() const { return Rect.bottom; }
    void SetLeft(int v) { Rect.left = v; }
    void SetTop(int v) { Rect.top = v; }
    void SetRight(int v) { Rect.right = v; }
    void SetBottom(int v) { Rect.bottom = v; }

private:
    bool Drawable() const { return Image && !Image->Empty() && Rect.Width() > 0 && Rect.Height() > 0; }
};

// RGB <-> HSL in single precision (channels and results 0 .. 1).
void RGBToHSL(uint8_t r, uint8_t g, uint8_t b, float& h, float& s, float& l);
void HSLToRGB(float h, float s, float l, uint8_t& r, uint8_t& g, uint8_t& b);
