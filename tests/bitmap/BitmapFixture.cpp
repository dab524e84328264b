#include "BitmapFixture.h"

#include <cstdlib>
#include <cstring>

namespace bitmaptest {

COLORREF PixelOf(TBitmap& b, int x, int y) {
    GdiFlush();
    const auto* p = static_cast<const uint8_t*>(b.ScanLine(y)) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

void SetPixelOf(TBitmap& b, int x, int y, COLORREF c) {
    GdiFlush();
    auto* p = static_cast<uint8_t*>(b.ScanLine(y)) + x * 3;
    p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
}

void MakeSkinPicture(TBitmap& b, int w, int h, int c, int ox, int oy) {
    b.SetPixelFormat(pf24bit);
    b.SetSize(ox + w, oy + h);
    for (int y = 0; y < oy + h; ++y)
        for (int x = 0; x < ox + w; ++x) {
            const int px = x - ox, py = y - oy;
            const int col = px < c ? 0 : px >= w - c ? 2 : 1;
            const int row = py < c ? 0 : py >= h - c ? 2 : 1;
            SetPixelOf(b, x, y, RGB((px * 8) & 0xFF, (py * 8) & 0xFF, 40 + 20 * (row * 3 + col)));
        }
}

void FillStream(TMemoryStream& stream, const std::vector<uint8_t>& data) {
    stream.WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
    stream.SetPosition(0);
}

void WhiteBitmap(TBitmap& b, int w, int h) {
    b.SetPixelFormat(pf24bit);
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetStyle(bsSolid);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, w, h));
}

std::string CompareGolden(TBitmap& b, const std::wstring& name) {
    const std::wstring path = std::wstring(BITMAP_GOLDEN_DIR) + L"/" + name + L".bmp";
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (!std::getenv("VANTREL_RECORD_GOLDEN")) return "golden image missing";
        b.SaveToFile(path);
        return {};
    }
    TBitmap golden;
    golden.LoadFromFile(path);
    if (golden.Width() != b.Width() || golden.Height() != b.Height())
        return "size " + std::to_string(b.Width()) + "x" + std::to_string(b.Height()) + " differs from golden " +
               std::to_string(golden.Width()) + "x" + std::to_string(golden.Height());
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (PixelOf(b, x, y) != PixelOf(golden, x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") differs";
    return {};
}

}  // namespace bitmaptest
