#pragma once
// What the skin generator's builders share: the pictures' atlas and its
// drawing plan, the faces of plates and wells, and the records' set-up.

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "SkinArt.h"
#include "skin/bsSkinData.h"

namespace skinparts {

// Picture indexes of the further pictures every skin has.
enum Pic { kCapButtons, kControls, kPopup, kHint, kClient, kMenu, kPicCount };
const wchar_t* const kPicNames[] = {L"capbuttons.bmp", L"controls.bmp", L"popup.bmp",
                                    L"hint.bmp",       L"client.bmp",   L"menu.bmp"};

inline TColor Col(Rgb c) { return static_cast<TColor>((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF)); }

// Places rectangles left to right in rows of a picture `width` wide.
class Atlas {
public:
    explicit Atlas(int width) : width_(width) {}
    TRect Take(int w, int h) {
        if (x_ + w > width_) x_ = 0, y_ = rowBottom_ + 2;
        const TRect r(x_, y_, x_ + w, y_ + h);
        x_ += w + 2;
        rowBottom_ = std::max(rowBottom_, y_ + h);
        return r;
    }
    // Starts a new row.
    void Row() { x_ = width_; }
    int Height() const { return rowBottom_; }

private:
    int width_, x_ = 0, y_ = 0, rowBottom_ = 0;
};

// A drawing step recorded while laying out an atlas, run once it has a size.
struct Plan {
    Atlas atlas{256};
    std::vector<std::function<void(Img&)>> steps;
    TRect Take(int w, int h, std::function<void(Img&, const TRect&)> draw) {
        const TRect r = atlas.Take(w, h);
        steps.push_back([r, draw](Img& img) { draw(img, r); });
        return r;
    }
    Img Render(Rgb bg) {
        Img img(256, atlas.Height() + 2, bg);
        for (auto& s : steps) s(img);
        return img;
    }
};

enum class Face { Normal, Hot, Down, Disabled, Focused };

// Text and glyphs on the metal: dark on light metals, light on dark ones.
inline Rgb Ink(const Palette& p) {
    const Rgb c = Shade(p.base, 1.2);
    const int luma = (static_cast<int>(c >> 16 & 0xFF) * 30 + static_cast<int>(c >> 8 & 0xFF) * 59 +
                      static_cast<int>(c & 0xFF) * 11) / 100;
    return luma > 150 ? p.text : p.captionText;
}

// An armour plate: brushed metal, a bevel, cut corners.
inline void Plate(Img& img, const TRect& r, const Palette& p, Face f, Rgb bg, unsigned seed) {
    Rgb top = Shade(p.base, 1.35), bottom = Shade(p.base, 0.82);
    if (f == Face::Hot) top = Mix(top, p.accent, 0.25), bottom = Mix(bottom, p.accent, 0.2);
    if (f == Face::Down) std::swap(top, bottom), top = Shade(top, 0.9);
    if (f == Face::Disabled) top = Mix(top, 0x9A9A9A, 0.7), bottom = Mix(bottom, 0x8A8A8A, 0.7);
    img.Metal(r, top, bottom, seed);
    if (f == Face::Down) img.Bevel(r, p.dark, p.light, 2);
    else img.Bevel(r, p.light, p.dark, 2);
    img.Frame(r, f == Face::Focused || f == Face::Hot ? p.accent : p.dark);
    if (r.Width() > 12 && r.Height() > 12) img.Chamfer(r, 3, bg, p.dark);
}

// A face that is flat until the pointer is over it (tool buttons).
inline void FlatFace(Img& img, const TRect& r, const Palette& p, Face f, unsigned seed) {
    if (f == Face::Normal || f == Face::Disabled) {
        img.Metal(r, Shade(p.face, 1.02), Shade(p.face, 0.96), seed);
        return;
    }
    Plate(img, r, p, f, p.face, seed);
}

// A sunken well (edits, combo boxes, list boxes).
inline void Well(Img& img, const TRect& r, const Palette& p, bool hot) {
    img.Fill(r, Mix(p.face, 0xFFFFFF, 0.75));
    img.Bevel(r, p.dark, Shade(p.face, 1.2), 1);
    img.Frame(r, hot ? p.accent : Shade(p.base, 0.7));
}


// A new record named name, appended to one of the store's lists.
template <class T, class List>
T* AddTo(List& list, const wchar_t* name) {
    auto rec = std::make_unique<T>(name);
    T* raw = rec.get();
    list.push_back(std::move(rec));
    return raw;
}

template <class T>
T* AddCtrl(TbsSkinData* s, const wchar_t* name) {
    return AddTo<T>(s->CtrlList, name);
}

template <class T>
T* AddObj(TbsSkinData* s, const wchar_t* name) {
    return AddTo<T>(s->ObjectList, name);
}

// The four corner points of a nine-piece picture w x h, each side cut at
// the given distance from its edge.
template <class R>
void SetCorners(R& rec, int w, int h, int left, int top, int right, int bottom) {
    rec.LTPoint = TPoint(left, top);
    rec.RTPoint = TPoint(w - right, top);
    rec.LBPoint = TPoint(left, h - bottom);
    rec.RBPoint = TPoint(w - right, h - bottom);
}

inline void NinePiece(TbsDataSkinCustomControl* c, const TRect& r, int b) {
    c->SkinRect = r;
    SetCorners(*c, r.Width(), r.Height(), b, b, b, b);
    c->ClRect = TRect(b, b, r.Width() - b, r.Height() - b);
    c->PictureIndex = kControls;
}

inline void Font(String& name, int& height, TFontStyles& style, TColor& color, Rgb c, bool bold = false) {
    // The captions are Chinese: the program's own font has their glyphs.
    name = L"SimSun";
    height = 13;
    style = bold ? TFontStyles(fsBold) : 0u;
    color = Col(c);
}


// The records of edits, list boxes, combo boxes and views (SkinBuilderLists.cpp).
void BuildEdits(TbsSkinData* s, const Palette& p, Plan& c);

}  // namespace skinparts
