#pragma once
// Captions of the gallery's pages, in a font with Chinese glyphs (skin names
// and control texts are Chinese).

#include "platform/Bitmap.h"
#include "platform/Graphics.h"
#include "skin/bsSkinData.h"

inline void GalleryText(TCanvas* c, int x, int y, const String& s, TColor color, int height = 14, bool bold = false) {
    c->Font()->SetName(L"SimSun");
    c->Font()->SetHeight(-height);
    c->Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{0});
    c->Font()->SetColor(color);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(x, y, s);
}

// Starts a page of w x h in the look's button face with its title in the
// look's text colour; returns that colour for the page's own captions.
inline TColor BeginGalleryPage(TBitmap& page, TbsSkinData* store, const String& title, int w, int h) {
    page.SetPixelFormat(pf24bit);
    page.SetSize(w, h);
    TCanvas* c = page.Canvas();
    const bool skinned = store && !store->Empty;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(skinned ? store->SkinColors()->cBtnFace : clBtnFace);
    c->FillRect(TRect(0, 0, w, h));
    const TColor ink = skinned ? store->SkinColors()->cBtnText : clBtnText;
    GalleryText(c, 10, 8, title, ink, 16, true);
    return ink;
}
