#pragma once
// Soft effects on TbsBitmap: Stack Blur, text with a blurred glow or a
// fading reflection behind it, and a grey mask taken into the alpha.
//
// Threads: UI thread only.

#include "platform/Graphics.h"
#include "skin/bsEffects.h"

// An opaque pixel of a colour (system colours are not resolved).
TbsColor ColorToPixel(TColor color);

// The largest blur radius and glow size; larger values (a skin's
// "glowsize" may say anything) are taken as this one, negative ones as 0.
constexpr int kMaxGlowSize = 64;

// Stack Blur of the red, green and blue channels; every pixel ends opaque.
// Nothing happens for a radius of 0 or less or an empty bitmap.
void StackBlurBitmap(TbsBitmap* bitmap, int radius);
// Text with a blurred glow of glowSize pixels in glowColor behind it.
void DrawEffectText(TCanvas* canvas, TRect r, const String& text, int glowSize, TColor glowColor, int offset,
                    UINT format);
int DrawGlowWideText(TCanvas* canvas, TRect r, const String& text, int glowSize, TColor glowColor, int offset,
                     UINT flags);
int DrawVistaGlowText(TCanvas* canvas, TRect r, const String& text, TColor glowColor, UINT flags);
void DrawReflectionText(TCanvas* canvas, TRect r, const String& text, TColor color, int offset, UINT flags);
// Alpha of every pixel := the grey level of the mask pixel at the same place
// (pixels outside a smaller mask keep their alpha).
void AlphaFromMask(TbsBitmap* bitmap, TbsBitmap* mask);
