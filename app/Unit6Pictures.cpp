// The legacy window's pictures, drawn in code like the main window's: the
// twelve category pictures of ImageList1 and the picture of Image1.
#include <algorithm>

#include "app/LegacyCatalogue.h"
#include "app/Unit6.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "skin/bsPngImage.h"

namespace {

constexpr int kPictureSize = 32;
// A colour no picture uses: what stays of it is transparent.
constexpr TColor kKey = 0xFF00FF;

constexpr TColor kTop = 0xC08850;     // plate, upper colour (BGR), as the main window's
constexpr TColor kBottom = 0x603010;  // plate, lower colour
constexpr TColor kRim = 0xF0E0C8;     // light steel

int Blend(int a, int b, int num, int den) { return a + (b - a) * num / den; }

TColor Mix(TColor a, TColor b, int num, int den) {
    TColor c = 0;
    for (int shift : {0, 8, 16}) c |= static_cast<TColor>(Blend((a >> shift) & 0xFF, (b >> shift) & 0xFF, num, den) << shift);
    return c;
}


// A category picture as the main window draws its own: a plate (green-
// tinted for audio) with the caption's first characters, without the words
// for video and audio; the corners outside the plate's rounding stay kKey.
void DrawCategory(TBitmap& bmp, const String& caption, bool audio) {
    const int size = kPictureSize;
    TCanvas* c = bmp.Canvas();
    const TColor top = audio ? Mix(kTop, 0x40A040, 1, 2) : kTop;
    for (int y = 0; y < size; ++y) {
        c->Pen()->SetColor(Mix(top, kBottom, y, size - 1));
        c->MoveTo(0, y);
        c->LineTo(size, y);
    }
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(kRim);
    c->Rectangle(0, 0, size, size);
    const int r = std::max(2, size / 8);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int dx = x < r ? r - x : (x >= size - r ? x - (size - r - 1) : 0);
            const int dy = y < r ? r - y : (y >= size - r ? y - (size - r - 1) : 0);
            if (dx * dx + dy * dy > r * r) c->SetPixel(x, y, kKey);
        }
    String text = caption;
    for (const wchar_t* word : {L"视频", L"音频"}) {
        const size_t at = text.find(word);
        if (at != String::npos && text.size() > 2) text.erase(at, 2);
    }
    text = text.substr(0, 4);
    const bool latin = !text.empty() && text[0] < 0x80;
    const int glyphs = static_cast<int>(text.size());
    const int height = latin ? std::min(size / 3, size * 2 / std::max(3, glyphs + 1)) : size / 3;
    c->Font()->SetName(L"SimSun");
    c->Font()->SetHeight(-std::max(9, height));
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Font()->SetColor(clWhite);
    c->Brush()->SetStyle(bsClear);
    const SIZE extent = c->TextExtent(text);
    c->TextOut((size - extent.cx) / 2, (size - extent.cy) / 2, text);
}

}  // namespace

void TForm6::CreatePictures() {
    ImageList1->SetSize(kPictureSize, kPictureSize);
    ImageList1->SetColorDepth(cd24Bit);
    ImageList1->Masked = true;
    ImageList2->SetSize(kPictureSize, kPictureSize);
    int position = 0;
    for (const legacy::TLegacyCategory& category : legacy::Categories()) {
        TBitmap bmp(kPictureSize, kPictureSize, pf24bit);
        DrawCategory(bmp, category.Caption, position++ == 1);  // "常用音频"
        ImageList1->AddMasked(&bmp, kKey);
    }

    // Image1: a plate with the program's name, as a PNG picture.
    const int w = Image1->Width(), h = Image1->Height();
    TBitmap plate(w, h, pf24bit);
    TCanvas* c = plate.Canvas();
    for (int y = 0; y < h; ++y) {
        c->Pen()->SetColor(Mix(kTop, kBottom, y, h - 1));
        c->MoveTo(0, y);
        c->LineTo(w, y);
    }
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(kRim);
    c->Rectangle(0, 0, w, h);
    c->Rectangle(3, 3, w - 3, h - 3);
    c->Font()->SetName(L"Tahoma");
    c->Font()->SetHeight(-28);
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Font()->SetColor(clWhite);
    const String name = L"Vantrel";
    const SIZE text = c->TextExtent(name);
    c->TextOut((w - text.cx) / 2, (h - text.cy) / 2 - 8, name);
    c->Font()->SetName(L"SimSun");
    c->Font()->SetHeight(-14);
    c->Font()->SetStyle(TFontStyles{});
    const String caption = L"设置选项";
    const SIZE small = c->TextExtent(caption);
    c->TextOut((w - small.cx) / 2, (h + text.cy) / 2 - 4, caption);
    TbsPngImage png;
    png.Assign(&plate);
    Image1->Picture()->SetGraphic(&png);
}
