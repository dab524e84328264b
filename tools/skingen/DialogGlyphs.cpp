#include "DialogGlyphs.h"

#include <functional>

#include "platform/Bitmap.h"

namespace {

constexpr TColor kBack = 0xFF00FF;  // the transparent background
constexpr TColor kInk = 0x404040;
constexpr TColor kFolder = 0x3CC8F0;
constexpr TColor kFolderDark = 0x1E8CB4;
constexpr TColor kArrow = 0x2E8B2E;

void Fill(TCanvas* c, int l, int t, int r, int b, TColor color) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(TRect(l, t, r, b));
}

void Poly(TCanvas* c, std::initializer_list<POINT> pts, TColor fill, TColor line) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(fill);
    c->Pen()->SetColor(line);
    c->Polygon(pts.begin(), static_cast<int>(pts.size()));
}

// A folder in the lower part of the picture, open (lid tilted) or closed.
void Folder(TCanvas* c, int h, bool open) {
    const int top = h - 12;
    Poly(c, {{1, top}, {6, top}, {7, top + 1}, {14, top + 1}, {14, h - 2}, {1, h - 2}}, kFolderDark, kInk);
    if (open) Poly(c, {{3, top + 4}, {15, top + 4}, {13, h - 2}, {1, h - 2}}, kFolder, kInk);
    else Poly(c, {{1, top + 3}, {14, top + 3}, {14, h - 2}, {1, h - 2}}, kFolder, kInk);
}

void Drive(TCanvas* c, int h, TColor body, TColor light) {
    Fill(c, 1, h / 2 - 3, 15, h / 2 + 4, kInk);
    Fill(c, 2, h / 2 - 2, 14, h / 2 + 3, body);
    Fill(c, 11, h / 2, 13, h / 2 + 2, light);
}

void Write(const String& folder, const wchar_t* name, int w, int h, const std::function<void(TCanvas*)>& draw) {
    TBitmap b(w, h);
    b.SetPixelFormat(pf24bit);
    Fill(b.Canvas(), 0, 0, w, h, kBack);
    draw(b.Canvas());
    // The rule of the controls: the bottom-left pixel is the background.
    b.Canvas()->SetPixel(0, h - 1, kBack);
    b.SaveToFile(folder + name);
}

}  // namespace

void WriteDialogGlyphs(const String& folder) {
    Write(folder, L"bs_back.bmp", 16, 16, [](TCanvas* c) {
        Poly(c, {{2, 8}, {8, 2}, {8, 5}, {14, 5}, {14, 11}, {8, 11}, {8, 14}}, kArrow, kInk);
    });
    Write(folder, L"bs_up.bmp", 16, 16, [](TCanvas* c) {
        Folder(c, 16, false);
        Poly(c, {{8, 1}, {13, 6}, {10, 6}, {10, 11}, {6, 11}, {6, 6}, {3, 6}}, kArrow, kInk);
    });
    Write(folder, L"bs_newfolder.bmp", 16, 16, [](TCanvas* c) {
        Folder(c, 16, false);
        Fill(c, 11, 0, 13, 7, 0x00D7FF);
        Fill(c, 9, 2, 15, 4, 0x00D7FF);
    });
    Write(folder, L"bs_lvstyle.bmp", 16, 16, [](TCanvas* c) {
        for (int y = 2; y < 14; y += 4) {
            Fill(c, 1, y, 4, y + 3, kFolderDark);
            Fill(c, 6, y + 1, 15, y + 2, kInk);
        }
    });
    Write(folder, L"bs_stretch.bmp", 16, 16, [](TCanvas* c) {
        Fill(c, 1, 1, 15, 15, kInk);
        Fill(c, 2, 2, 14, 14, 0xF0E6DC);
        Poly(c, {{3, 3}, {8, 3}, {3, 8}}, kArrow, kArrow);
        Poly(c, {{12, 12}, {12, 7}, {7, 12}}, kArrow, kArrow);
    });
    Write(folder, L"bs_floppy.bmp", 16, 16, [](TCanvas* c) {
        Fill(c, 2, 2, 14, 14, kInk);
        Fill(c, 4, 2, 12, 7, 0xE0E0E0);
        Fill(c, 4, 9, 12, 14, 0xB0B0B0);
    });
    Write(folder, L"bs_hard.bmp", 16, 16, [](TCanvas* c) { Drive(c, 16, 0xC0C0C0, 0x00C000); });
    Write(folder, L"bs_network.bmp", 16, 16, [](TCanvas* c) {
        Drive(c, 12, 0xC0C0C0, 0x00C000);
        Fill(c, 7, 10, 9, 14, kInk);
        Fill(c, 2, 14, 14, 15, kInk);
    });
    Write(folder, L"bs_cdrom.bmp", 16, 16, [](TCanvas* c) {
        c->Brush()->SetColor(0xE6D8AD);
        c->Pen()->SetColor(kInk);
        c->Ellipse(1, 1, 15, 15);
        c->Brush()->SetColor(kBack);
        c->Ellipse(6, 6, 10, 10);
    });
    Write(folder, L"bs_ram.bmp", 16, 11, [](TCanvas* c) {
        Fill(c, 1, 2, 15, 8, 0x2E7D32);
        for (int x = 2; x < 15; x += 3) Fill(c, x, 8, x + 1, 10, 0x00C0E0);
    });
    Write(folder, L"bs_openfolder.bmp", 16, 15, [](TCanvas* c) { Folder(c, 15, true); });
    Write(folder, L"bs_closedfolder.bmp", 16, 15, [](TCanvas* c) { Folder(c, 15, false); });
    Write(folder, L"bs_currentfolder.bmp", 16, 15, [](TCanvas* c) {
        Folder(c, 15, true);
        Fill(c, 6, 7, 10, 11, 0x2020D0);
    });
}
