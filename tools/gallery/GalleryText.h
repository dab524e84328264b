#pragma once
// Captions of the gallery's pages, in a font with Chinese glyphs (skin names
// and control texts are Chinese).

#include "platform/Graphics.h"

inline void GalleryText(TCanvas* c, int x, int y, const String& s, TColor color, int height = 14, bool bold = false) {
    c->Font()->SetName(L"SimSun");
    c->Font()->SetHeight(-height);
    c->Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{0});
    c->Font()->SetColor(color);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(x, y, s);
}
