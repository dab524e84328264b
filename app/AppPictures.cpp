#include "app/AppPictures.h"

#include <algorithm>

#include "app/FormatCatalogue.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "skin/bsPngImage.h"
#include "skin/bsPngImageList.h"

namespace apppictures {

namespace {

constexpr TColor kRim = 0xF0E0C8;     // light steel (BGR)
constexpr TColor kTop = 0xC08850;     // plate, upper colour
constexpr TColor kBottom = 0x603010;  // plate, lower colour

TColor Mix(TColor a, TColor b, int num, int den) {
    auto channel = [&](int shift) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return ((ca + (cb - ca) * num / den) & 0xFF) << shift;
    };
    return static_cast<TColor>(channel(0) | channel(8) | channel(16));
}

// A rounded plate with a vertical gradient and a light rim.
void DrawPlate(TCanvas* c, int w, int h, TColor top, TColor bottom) {
    for (int y = 0; y < h; ++y) {
        c->Pen()->SetColor(Mix(top, bottom, y, std::max(1, h - 1)));
        c->MoveTo(0, y);
        c->LineTo(w, y);
    }
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(kRim);
    c->Rectangle(0, 0, w, h);
}

void DrawCentredText(TCanvas* c, int w, int h, const String& text, int height) {
    c->Font()->SetName(L"SimSun");
    c->Font()->SetHeight(-height);
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Font()->SetColor(clWhite);
    c->Brush()->SetStyle(bsClear);
    const SIZE size = c->TextExtent(text);
    c->TextOut((w - size.cx) / 2, (h - size.cy) / 2, text);
}

// Corners outside the plate's rounding become transparent.
void AddToList(TbsPngImageList* list, TBitmap& bmp) {
    TbsPngImage png;
    png.Assign(&bmp);
    png.CreateAlpha();
    const int w = bmp.Width(), h = bmp.Height(), r = std::max(2, w / 8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = x < r ? r - x : (x >= w - r ? x - (w - r - 1) : 0);
            const int dy = y < r ? r - y : (y >= h - r ? y - (h - r - 1) : 0);
            png.SetAlpha(x, y, dx * dx + dy * dy > r * r ? 0 : 255);
        }
    auto* item = static_cast<TbsPngImageItem*>(list->PngImages()->Add());
    item->SetPngImage(&png);
}

// What a category's picture says: its caption without the words for video
// and audio, at most four characters.
String CategoryText(int code) {
    for (const formats::TCategory& category : formats::Categories()) {
        if (category.Code != code) continue;
        String text = category.Caption;
        for (const wchar_t* word : {L"视频", L"音频"}) {
            const size_t at = text.find(word);
            if (at != String::npos && text.size() > 2) text.erase(at, 2);
        }
        return text.substr(0, 4);
    }
    return L"...";
}

bool IsAudio(int code) { return code == 1 || code == 29 || code == 30; }

}  // namespace

void FillCategoryPictures(TbsPngImageList* list, int size) {
    list->SetPngWidth(size);
    list->SetPngHeight(size);
    for (int code = 0; code < formats::CategoryCodeCount; ++code) {
        TBitmap bmp(size, size);
        bmp.SetPixelFormat(pf24bit);
        TCanvas* c = bmp.Canvas();
        DrawPlate(c, size, size, IsAudio(code) ? Mix(kTop, 0x40A040, 1, 2) : kTop, kBottom);
        const String text = CategoryText(code);
        const bool latin = !text.empty() && text[0] < 0x80;
        const int glyphs = static_cast<int>(text.size());
        const int height = latin ? std::min(size / 3, size * 2 / std::max(3, glyphs + 1)) : size / 3;
        DrawCentredText(c, size, size, text, std::max(9, height));
        AddToList(list, bmp);
    }
}

namespace {

// Tool picture i (0 add .. 6 skin) on bmp.
void DrawToolPicture(TBitmap& bmp, int i, int kSize) {
    {
        TCanvas* c = bmp.Canvas();
        DrawPlate(c, kSize, kSize, kTop, kBottom);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clWhite);
        c->Pen()->SetColor(clWhite);
        switch (i) {
        case 0:  // add: a plus
            c->FillRect(TRect(14, 7, 18, 25));
            c->FillRect(TRect(7, 14, 25, 18));
            break;
        case 1: {  // start: a triangle
            const POINT p[] = {{11, 7}, {25, 16}, {11, 25}};
            c->Polygon(p, 3);
            break;
        }
        case 2: c->FillRect(TRect(9, 9, 23, 23)); break;  // stop: a square
        case 3:                                           // pause: two bars
            c->FillRect(TRect(9, 8, 14, 24));
            c->FillRect(TRect(18, 8, 23, 24));
            break;
        case 4: {  // resume: a bar and a triangle
            c->FillRect(TRect(8, 8, 12, 24));
            const POINT p[] = {{14, 8}, {25, 16}, {14, 24}};
            c->Polygon(p, 3);
            break;
        }
        case 5:  // options: a cog-like ring
            c->Ellipse(8, 8, 24, 24);
            c->Brush()->SetColor(kBottom);
            c->Ellipse(13, 13, 19, 19);
            break;
        default:  // skin: a palette
            c->Ellipse(7, 9, 25, 23);
            c->Brush()->SetColor(0x3030D0);
            c->Ellipse(11, 12, 15, 16);
            c->Brush()->SetColor(0x30B030);
            c->Ellipse(17, 12, 21, 16);
            break;
        }
    }
}

// The picture greyed and faded: the look of a command that is off.
void Dim(TBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y) {
        auto* p = static_cast<unsigned char*>(bmp.ScanLine(y));
        for (int x = 0; x < bmp.Width(); ++x, p += 3) {
            const int grey = (p[0] + p[1] + p[2]) / 3;
            p[0] = p[1] = p[2] = static_cast<unsigned char>((grey + 2 * 176) / 3);
        }
    }
}

}  // namespace

void FillToolPictures(TbsPngImageList* list) {
    constexpr int kSize = 32;
    list->SetPngWidth(kSize);
    list->SetPngHeight(kSize);
    for (int i = 0; i < 12; ++i) {
        TBitmap bmp(kSize, kSize);
        bmp.SetPixelFormat(pf24bit);
        DrawToolPicture(bmp, i < 7 ? i : i - 7, kSize);
        if (i >= 7) Dim(bmp);
        AddToList(list, bmp);
    }
}

TImage* MakeAboutPicture(TComponent* owner, TWinControl* parent, int left, int top) {
    auto* image = new TImage(owner);
    image->SetName(L"Image1");
    image->SetParent(parent);
    image->SetBounds(left, top, 53, 55);
    TBitmap bmp(53, 55);
    bmp.SetPixelFormat(pf24bit);
    TCanvas* c = bmp.Canvas();
    DrawPlate(c, 53, 55, kTop, kBottom);
    DrawCentredText(c, 53, 55, L"V", 34);
    image->Picture()->Assign(&bmp);
    return image;
}

}  // namespace apppictures
