#pragma once
// Soft effects on TbsBitmap: Stack Blur, text with a blurred glow or a
// fading reflection behind it, and a grey mask taken into the alpha.
//
// Threads: UI thread only.

#include "platform/Graphics.h"
#include "skin/bsEffects.h"

// An opaque pixel of a colour (system colours are not resolved).
TbsColor ColorToPixel(TColor color);

void StackBlurBitmap(TbsBitmap* bitmap, int radius);
void DrawEffectText(TCanvas* canvas, TRect r, const String& text, int glowSize, TColor glowColor, int offset,
                    UINT format);
int DrawGlowWideText(TCanvas* canvas, TRect r, const String& text, int glowSize, TColor glowColor, int offset,
                     UINT flags);
int DrawVistaGlowText(TCanvas* canvas, TRect r, const String& text, TColor glowColor, UINT flags);
void DrawReflectionText(TCanvas* canvas, TRect r, const String& text, TColor color, int offset, UINT flags);
// Alpha of every pixel := the grey level of the mask pixel at the same place
// (pixels outside a smaller mask keep their alpha).
void AlphaFromMask(TbsBitmap* bitmap, TbsBitmap* mask);
