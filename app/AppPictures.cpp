#include "app/AppPictures.h"

#include <algorithm>
#include <string>

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

// True for a pixel of a w x h plate that lies outside its rounded corners.
bool OutsideRounding(int x, int y, int w, int h) {
    const int r = std::max(2, w / 8);
    const int dx = x < r ? r - x : (x >= w - r ? x - (w - r - 1) : 0);
    const int dy = y < r ? r - y : (y >= h - r ? y - (h - r - 1) : 0);
    return dx * dx + dy * dy > r * r;
}

// Corners outside the plate's rounding become transparent.
void AddToList(TbsPngImageList* list, TBitmap& bmp) {
    TbsPngImage png;
    png.Assign(&bmp);
    png.CreateAlpha();
    const int w = bmp.Width(), h = bmp.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) png.SetAlpha(x, y, OutsideRounding(x, y, w, h) ? 0 : 255);
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

// The picture greyed and faded: the look of a command that is off. Pixels
// of the colour keep (a glyph's transparent colour) stay as they are.
void Dim(TBitmap& bmp, TColor keep = clNone) {
    for (int y = 0; y < bmp.Height(); ++y) {
        auto* p = static_cast<unsigned char*>(bmp.ScanLine(y));
        for (int x = 0; x < bmp.Width(); ++x, p += 3) {
            if (static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16)) == keep) continue;
            const int grey = (p[0] + p[1] + p[2]) / 3;
            p[0] = p[1] = p[2] = static_cast<unsigned char>((grey + 2 * 176) / 3);
        }
    }
}

// The colour that a button leaves transparent in its glyph (the glyph's
// bottom-left pixel); no plate or sign is drawn in it.
constexpr TColor kGlyphKey = clFuchsia;

// The corners outside the plate's rounding take the transparent colour.
void KeyCorners(TBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y) {
        auto* p = static_cast<unsigned char*>(bmp.ScanLine(y));
        for (int x = 0; x < bmp.Width(); ++x, p += 3)
            if (OutsideRounding(x, y, bmp.Width(), bmp.Height())) {
                p[0] = static_cast<unsigned char>(kGlyphKey >> 16);
                p[1] = static_cast<unsigned char>(kGlyphKey >> 8);
                p[2] = static_cast<unsigned char>(kGlyphKey);
            }
    }
}

// The queue commands' glyphs: a small plate of the command's colour with a
// white sign.
enum class TQueueGlyph { Clear, Remove, Rename };

void DrawQueueGlyph(TBitmap& bmp, TQueueGlyph glyph) {
    constexpr int kSize = 16;
    TCanvas* c = bmp.Canvas();
    switch (glyph) {
    case TQueueGlyph::Clear: DrawPlate(c, kSize, kSize, 0x2090E0, 0x104070); break;   // amber
    case TQueueGlyph::Remove: DrawPlate(c, kSize, kSize, 0x3040D8, 0x101870); break;  // red
    case TQueueGlyph::Rename: DrawPlate(c, kSize, kSize, kTop, kBottom); break;       // steel
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->Pen()->SetColor(clWhite);
    switch (glyph) {
    case TQueueGlyph::Clear:  // the rows swept away: three shortening lines
        c->FillRect(TRect(3, 4, 13, 6));
        c->FillRect(TRect(3, 7, 11, 9));
        c->FillRect(TRect(3, 10, 8, 12));
        break;
    case TQueueGlyph::Remove: {  // a cross
        const POINT a[] = {{4, 3}, {12, 11}, {11, 12}, {3, 4}};
        const POINT b[] = {{11, 3}, {12, 4}, {4, 12}, {3, 11}};
        c->Polygon(a, 4);
        c->Polygon(b, 4);
        break;
    }
    case TQueueGlyph::Rename:  // a text caret over a line
        c->FillRect(TRect(7, 3, 9, 11));
        c->FillRect(TRect(5, 3, 11, 4));
        c->FillRect(TRect(5, 10, 11, 11));
        c->FillRect(TRect(3, 12, 13, 13));
        break;
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

std::array<TImage*, CommandGlyphCount> MakeCommandGlyphs(TComponent* owner, TWinControl* parent, int left,
                                                         int top) {
    // Element i is Image<i + 2>: the tool picture it shows (0 add, 1 start,
    // 2 stop, 3 pause, 4 resume) or the queue glyph, and whether it is the
    // coloured (on) form.
    struct TGlyphSource {
        int tool;  // -1: a queue glyph
        TQueueGlyph queue;
        bool on;
    };
    constexpr TGlyphSource kSources[CommandGlyphCount] = {
        {0, {}, false}, {0, {}, true},                                            // Image2, Image3: add
        {1, {}, false}, {1, {}, true},                                            // Image4, Image5: start
        {3, {}, false}, {3, {}, true},                                            // Image6, Image7: pause
        {4, {}, false}, {4, {}, true},                                            // Image8, Image9: resume
        {2, {}, false}, {2, {}, true},                                            // Image10, Image11: stop
        {-1, TQueueGlyph::Clear, false}, {-1, TQueueGlyph::Clear, true},          // Image12, Image13
        {-1, TQueueGlyph::Remove, false}, {-1, TQueueGlyph::Remove, true},        // Image14, Image15
        {-1, TQueueGlyph::Rename, true}, {-1, TQueueGlyph::Rename, false},        // Image16, Image17
    };
    std::array<TImage*, CommandGlyphCount> images{};
    for (int i = 0; i < CommandGlyphCount; ++i) {
        const TGlyphSource& source = kSources[i];
        const int size = source.tool >= 0 ? 32 : 16;
        TBitmap bmp(size, size);
        bmp.SetPixelFormat(pf24bit);
        if (source.tool >= 0) DrawToolPicture(bmp, source.tool, size);
        else DrawQueueGlyph(bmp, source.queue);
        KeyCorners(bmp);
        if (!source.on) Dim(bmp, kGlyphKey);
        auto* image = new TImage(owner);
        image->SetName(L"Image" + std::to_wstring(i + 2));
        image->SetParent(parent);
        image->SetBounds(left + (i % 8) * 36, top + (i / 8) * 36, size, size);
        image->Picture()->Assign(&bmp);
        images[static_cast<size_t>(i)] = image;
    }
    return images;
}

TImage* MakeEmptyQueuePicture(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
    auto* image = new TImage(owner);
    image->SetName(L"Image1");
    image->SetParent(parent);
    image->SetBounds(left, top, width, height);
    TBitmap bmp(width, height);
    bmp.SetPixelFormat(pf24bit);
    TCanvas* c = bmp.Canvas();
    DrawPlate(c, width, height, Mix(kRim, clWhite, 1, 2), Mix(kRim, kTop, 1, 3));
    // The film strip: a dark band with sprocket holes above and below a
    // steel frame, and the add sign in the frame.
    const int fw = std::min(220, width - 40), fh = std::min(130, height - 40);
    const int fx = (width - fw) / 2, fy = (height - fh) / 2;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(0x403020);
    c->Pen()->SetColor(0x403020);
    c->FillRect(TRect(fx, fy, fx + fw, fy + fh));
    c->Brush()->SetColor(Mix(kRim, clWhite, 1, 2));
    const int hole = std::max(4, fh / 14);
    for (int x = fx + hole; x + 2 * hole <= fx + fw - hole; x += 3 * hole) {
        c->FillRect(TRect(x, fy + hole, x + 2 * hole, fy + 2 * hole));
        c->FillRect(TRect(x, fy + fh - 2 * hole, x + 2 * hole, fy + fh - hole));
    }
    const int frameTop = fy + 3 * hole, frameH = fh - 6 * hole;
    for (int y = 0; y < frameH; ++y) {
        c->Pen()->SetColor(Mix(kTop, kBottom, y, std::max(1, frameH - 1)));
        c->MoveTo(fx + 2 * hole, frameTop + y);
        c->LineTo(fx + fw - 2 * hole, frameTop + y);
    }
    const int cx = width / 2, cy = frameTop + frameH / 2, arm = std::max(6, frameH / 3), bar = std::max(3, arm / 4);
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(cx - bar, cy - arm, cx + bar, cy + arm));
    c->FillRect(TRect(cx - arm, cy - bar, cx + arm, cy + bar));
    image->Picture()->Assign(&bmp);
    return image;
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
