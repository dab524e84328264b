// Colours, fonts, canvas drawing and bitmaps.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Bitmap.h"
#include "platform/GdiObjects.h"
#include "platform/Graphics.h"

namespace {

long GdiObjects() { return platform::LiveGdiObjects(); }

// A picture whose every pixel differs: red = x, green = y, blue = x ^ y,
// alpha = x + y (32-bit only).
void FillPattern(TBitmap& b) {
    const int bytes = b.PixelFormat() == pf32bit ? 4 : 3;
    for (int y = 0; y < b.Height(); ++y) {
        auto* row = static_cast<uint8_t*>(b.ScanLine(y));
        for (int x = 0; x < b.Width(); ++x) {
            uint8_t* p = row + x * bytes;
            p[0] = static_cast<uint8_t>(x ^ y);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x);
            if (bytes == 4) p[3] = static_cast<uint8_t>(x + y);
        }
    }
}

bool SamePixels(TBitmap& a, TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat()) return false;
    const int used = a.Width() * (a.PixelFormat() == pf32bit ? 4 : a.PixelFormat() == pf24bit ? 3 : 0) +
                     (a.PixelFormat() == pf1bit ? (a.Width() + 7) / 8 : 0);
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<size_t>(used)) != 0) return false;
    return true;
}

struct RoundTripCase {
    TPixelFormat format;
    int width, height;
};
class BmpRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(BmpRoundTrip, StreamKeepsEveryPixel) {
    const RoundTripCase& c = GetParam();
    TBitmap src(c.width, c.height, c.format);
    FillPattern(src);
    TMemoryStream s;
    src.SaveToStream(&s);
    const int bpp = c.format == pf32bit ? 4 : 3;
    const int stride = ((c.width * bpp) + 3) / 4 * 4;
    EXPECT_EQ(s.Size(), 54 + stride * c.height);
    // The file is bottom-up: its first row is the picture's last.
    const auto* firstRow = static_cast<const uint8_t*>(s.Memory()) + 54;
    EXPECT_EQ(firstRow[1], static_cast<uint8_t>(c.height - 1));
    s.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(&s);
    EXPECT_EQ(back.PixelFormat(), c.format);
    EXPECT_TRUE(SamePixels(src, back));
}

INSTANTIATE_TEST_SUITE_P(Formats, BmpRoundTrip,
                         ::testing::Values(RoundTripCase{pf24bit, 13, 7}, RoundTripCase{pf24bit, 1, 1},
                                           RoundTripCase{pf32bit, 13, 7}, RoundTripCase{pf32bit, 64, 3}));

TEST(Bitmap, MonochromeRoundTripsAndKeepsBlackAndWhite) {
    TBitmap b(10, 4, pf24bit);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(0, 0, 10, 4));
    b.Canvas()->SetPixel(3, 2, clBlack);
    b.SetMonochrome(true);
    EXPECT_TRUE(b.Monochrome());
    TMemoryStream s;
    b.SaveToStream(&s);
    s.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(&s);
    EXPECT_TRUE(back.Monochrome());
    EXPECT_EQ(back.Canvas()->Pixel(3, 2), clBlack);
    EXPECT_EQ(back.Canvas()->Pixel(4, 2), clWhite);
}

TEST(Bitmap, EightBitFilesBecomeTwentyFourBit) {
    // A 2 x 2 picture with a 256-colour palette: index 1 = pure blue.
    std::vector<uint8_t> file(14 + 40 + 256 * 4 + 8, 0);
    const uint32_t off = 14 + 40 + 256 * 4;
    file[0] = 'B', file[1] = 'M';
    std::memcpy(&file[10], &off, 4);
    BITMAPINFOHEADER h{};
    h.biSize = 40, h.biWidth = 2, h.biHeight = 2, h.biPlanes = 1, h.biBitCount = 8;
    std::memcpy(&file[14], &h, 40);
    file[14 + 40 + 4 + 0] = 255;   // palette[1].blue
    file[off] = 1;                 // bottom-left pixel
    TMemoryStream s;
    s.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
    s.SetPosition(0);
    TBitmap b;
    b.LoadFromStream(&s);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(b.Canvas()->Pixel(0, 1), clBlue);
    EXPECT_EQ(b.Canvas()->Pixel(1, 1), clBlack);
}

struct BadCase {
    const char* what;
    std::vector<uint8_t> bytes;
};
class BadBmp : public ::testing::TestWithParam<BadCase> {};
TEST_P(BadBmp, IsRejectedAndLeavesNoPicture) {
    TMemoryStream s;
    s.WriteBuffer(GetParam().bytes.data(), static_cast<int32_t>(GetParam().bytes.size()));
    s.SetPosition(0);
    TBitmap b;
    EXPECT_ANY_THROW(b.LoadFromStream(&s)) << GetParam().what;
}
std::vector<uint8_t> Truncated() {
    TBitmap b(8, 8, pf24bit);
    TMemoryStream s;
    b.SaveToStream(&s);
    const auto* p = static_cast<const uint8_t*>(s.Memory());
    return std::vector<uint8_t>(p, p + s.Size() - 10);
}
INSTANTIATE_TEST_SUITE_P(Files, BadBmp,
                         ::testing::Values(BadCase{"not a bmp", {'P', 'N', 'G', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                                           BadCase{"header only", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}},
                                           BadCase{"pixels cut short", Truncated()}));

// A copy of this test program with a bitmap resource added, loaded as data.
class ModuleWithBitmap {
public:
    explicit ModuleWithBitmap(TBitmap& picture) {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        file_ = String(tmp) + L"vantrel_res_" + IntToStr(GetCurrentProcessId()) + L".exe";
        CopyFileW(ParamStr0().c_str(), file_.c_str(), FALSE);
        TMemoryStream bmp;
        picture.SaveToStream(&bmp);
        // A bitmap resource is the file without its 14-byte file header.
        HANDLE u = BeginUpdateResourceW(file_.c_str(), FALSE);
        UpdateResourceW(u, RT_BITMAP, L"VANTREL_BMP", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                        static_cast<uint8_t*>(bmp.Memory()) + 14, static_cast<DWORD>(bmp.Size() - 14));
        EndUpdateResourceW(u, FALSE);
        module_ = LoadLibraryExW(file_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~ModuleWithBitmap() {
        if (module_) FreeLibrary(module_);
        DeleteFileW(file_.c_str());
    }
    HMODULE Module() const { return module_; }

private:
    String file_;
    HMODULE module_ = nullptr;
};

TEST(Bitmap, LoadsFromTheBitmapResourcesOfAModule) {
    TBitmap src(9, 5, pf24bit);
    FillPattern(src);
    ModuleWithBitmap res(src);
    ASSERT_NE(res.Module(), nullptr);
    TBitmap b;
    b.LoadFromResourceName(res.Module(), L"VANTREL_BMP");
    EXPECT_TRUE(SamePixels(src, b));
    EXPECT_THROW(b.LoadFromResourceName(res.Module(), L"BS_MISSING"), EResNotFound);
}

TEST(Bitmap, AutomaticTransparentColourIsTheBottomLeftPixel) {
    TBitmap b(4, 4, pf24bit);
    b.Canvas()->Brush()->SetColor(clLime);
    b.Canvas()->FillRect(Rect(0, 0, 4, 4));
    b.Canvas()->SetPixel(0, 3, clFuchsia);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    b.SetTransparentColor(clLime);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clLime);

    // Drawn transparently, the key colour leaves the destination alone.
    b.SetTransparentColor(clDefault);
    b.SetTransparent(true);
    TBitmap dest(4, 4, pf24bit);
    dest.Canvas()->Brush()->SetColor(clNavy);
    dest.Canvas()->FillRect(Rect(0, 0, 4, 4));
    dest.Canvas()->Draw(0, 0, &b);
    EXPECT_EQ(dest.Canvas()->Pixel(0, 3), clNavy);
    EXPECT_EQ(dest.Canvas()->Pixel(1, 1), clLime);
}

TEST(Bitmap, ResizingKeepsTheTopLeftPart) {
    TBitmap b(4, 4, pf32bit);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 4, 4));
    b.SetSize(8, 2);
    EXPECT_EQ(b.Canvas()->Pixel(3, 1), clRed);
    EXPECT_EQ(b.Canvas()->Pixel(6, 1), clBlack);
    TBitmap copy;
    copy.Assign(&b);
    EXPECT_TRUE(SamePixels(b, copy));
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
}

TEST(Canvas, DrawsWithPenBrushAndFrames) {
    TBitmap b(20, 20, pf24bit);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 20, 20));
    TRect r(2, 2, 18, 18);
    c->Frame3D(r, clRed, clBlue, 2);
    EXPECT_EQ(r, TRect(4, 4, 16, 16));
    EXPECT_EQ(c->Pixel(2, 10), clRed);
    EXPECT_EQ(c->Pixel(3, 10), clRed);
    EXPECT_EQ(c->Pixel(17, 10), clBlue);
    EXPECT_EQ(c->Pixel(10, 16), clBlue);
    EXPECT_EQ(c->Pixel(10, 10), clWhite);
    c->Pen()->SetColor(clGreen);
    c->MoveTo(5, 10);
    c->LineTo(15, 10);
    EXPECT_EQ(c->Pixel(10, 10), clGreen);
    EXPECT_EQ(c->PenPos(), TPoint(15, 10));

    TBitmap copy(20, 20, pf24bit);
    copy.Canvas()->CopyRect(Rect(0, 0, 10, 10), c, Rect(0, 5, 10, 15));
    EXPECT_EQ(copy.Canvas()->Pixel(7, 5), clGreen);

    // A 2 x 2 picture stretched to 20 x 20 keeps its quarters.
    TBitmap small(2, 2, pf24bit);
    small.Canvas()->SetPixel(0, 0, clRed);
    small.Canvas()->SetPixel(1, 1, clBlue);
    copy.Canvas()->StretchDraw(Rect(0, 0, 20, 20), &small);
    EXPECT_EQ(copy.Canvas()->Pixel(4, 4), clRed);
    EXPECT_EQ(copy.Canvas()->Pixel(15, 15), clBlue);
    EXPECT_EQ(copy.Canvas()->Pixel(15, 4), clBlack);
}

TEST(Canvas, TextMeasuresGrowWithTheFont) {
    TBitmap b(200, 50, pf24bit);
    TCanvas* c = b.Canvas();
    c->Font()->SetHeight(-12);
    const int small = c->TextWidth(L"Vantrel");
    c->Font()->SetHeight(-24);
    EXPECT_GT(c->TextWidth(L"Vantrel"), small);
    // Direct GDI calls on Handle() use the canvas's current font.
    c->Font()->SetHeight(-40);
    RECT calc{0, 0, 0, 0};
    DrawTextW(c->Handle(), L"Vantrel", -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.right, c->TextWidth(L"Vantrel"));
    EXPECT_GT(c->TextHeight(L"Vantrel"), 20);
    EXPECT_EQ(c->TextWidth(L""), 0);
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 200, 50));
    c->Font()->SetColor(clBlack);
    c->TextRect(Rect(0, 0, 10, 50), 0, 0, L"WWWW");
    // Clipped: nothing drawn right of the rectangle.
    bool inked = false, outside = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            if (c->Pixel(x, y) != clWhite) (x < 10 ? inked : outside) = true;
        }
    EXPECT_TRUE(inked);
    EXPECT_FALSE(outside);
}

TEST(Font, SizeAndHeightFollowEachOtherAndChangesAreAnnounced) {
    TFont f;
    f.PixelsPerInch = 96;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    EXPECT_EQ(f.Size(), 9);
    f.SetStyle(fsBold | fsItalic);
    f.SetStyle(fsBold | fsItalic);
    f.SetColor(clRed);
    EXPECT_EQ(changes, 3);
    LOGFONTW lf{};
    GetObjectW(f.Handle(), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    TFont g;
    g.PixelsPerInch = 96;
    g.Assign(&f);
    EXPECT_EQ(g.Height(), -12);
    EXPECT_EQ(g.Color(), clRed);
}

TEST(Colors, SystemColoursResolveThroughTheSystem) {
    EXPECT_LT(clBtnFace, 0);
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clHighlight), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
}

TEST(Graphics, NoGdiObjectOutlivesItsOwner) {
    const long before = GdiObjects();
    for (int i = 0; i < 20; ++i) {
        TBitmap b(16, 16, pf24bit);
        b.Canvas()->Font()->SetSize(10 + i);
        b.Canvas()->Brush()->SetColor(clRed);
        b.Canvas()->Pen()->SetColor(clBlue);
        b.Canvas()->Rectangle(0, 0, 10, 10);
        b.Canvas()->TextOut(0, 0, L"x");
        b.Canvas()->Font()->SetStyle(fsBold);  // recreated while selected
        b.Canvas()->TextOut(0, 0, L"y");
        b.SetPixelFormat(pf32bit);  // the canvas's DC follows the new bitmap
        b.Canvas()->FillRect(Rect(0, 0, 4, 4));
        EXPECT_GE(GdiObjects(), before + 5);  // bitmap, DC, font, pen, brush
        TPicture p;
        p.SetGraphic(&b);
    }
    EXPECT_EQ(GdiObjects(), before);
}

// A 16 x 16 icon file made here: 32-bit colour, red, with an empty mask.
std::vector<uint8_t> RedIconFile() {
    const int w = 16, h = 16;
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof(bi), bi.biWidth = w, bi.biHeight = h * 2, bi.biPlanes = 1, bi.biBitCount = 32;
    std::vector<uint8_t> image(sizeof(bi));
    std::memcpy(image.data(), &bi, sizeof(bi));
    for (int i = 0; i < w * h; ++i) image.insert(image.end(), {0, 0, 255, 255});
    image.insert(image.end(), static_cast<size_t>(4 * h), 0);  // AND mask, rows of 32 bits
    std::vector<uint8_t> file = {0, 0, 1, 0, 1, 0, w, h, 0, 0, 1, 0, 32, 0};
    const uint32_t size = static_cast<uint32_t>(image.size()), offset = 22;
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(size >> (8 * i)));
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(offset >> (8 * i)));
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

TEST(Icon, LoadsAnIconFileAndDrawsIt) {
    const auto file = RedIconFile();
    TMemoryStream s;
    s.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
    s.SetPosition(0);
    TIcon icon;
    icon.SetWidth(16);
    icon.SetHeight(16);
    icon.LoadFromStream(&s);
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 16);
    TBitmap b(20, 20, pf24bit);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(0, 0, 20, 20));
    b.Canvas()->Draw(2, 2, &icon);
    EXPECT_EQ(b.Canvas()->Pixel(10, 10), clRed);
    EXPECT_EQ(b.Canvas()->Pixel(19, 19), clWhite);
    TMemoryStream bad;
    bad.WriteBuffer("\0\0\2\0", 4);
    bad.SetPosition(0);
    EXPECT_THROW(icon.LoadFromStream(&bad), EInvalidGraphic);
    EXPECT_FALSE(icon.Empty());  // the old icon stays
}

TEST(Picture, ChoosesTheGraphicClassByExtension) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const String file = String(tmp) + L"vantrel_picture_" + IntToStr(GetCurrentProcessId()) + L".bmp";
    TBitmap b(5, 6, pf24bit);
    b.SaveToFile(file);
    TPicture p;
    p.LoadFromFile(file);
    EXPECT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
    EXPECT_EQ(p.Width(), 5);
    EXPECT_THROW(p.LoadFromFile(ChangeFileExt(file, L".xyz")), EInvalidGraphic);
    DeleteFileW(file.c_str());
}

}  // namespace
