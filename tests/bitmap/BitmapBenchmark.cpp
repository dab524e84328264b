// Figures of the hot pixel paths: composing a 1280 x 1024 nine-piece skin
// image and blending a 1280 x 1024 alpha bitmap. Run by hand; prints the
// mean time of each operation.

#include <windows.h>

#include <cstdio>
#include <functional>

#include "platform/Bitmap.h"
#include "skin/bsEffects.h"
#include "skin/bsEffectsGlow.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"

namespace {

double Measure(const char* name, int runs, const std::function<void()>& f) {
    LARGE_INTEGER freq, a, b;
    QueryPerformanceFrequency(&freq);
    f();  // warm up
    QueryPerformanceCounter(&a);
    for (int i = 0; i < runs; ++i) f();
    QueryPerformanceCounter(&b);
    const double ms = 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart) / runs;
    std::printf("%-48s %9.3f ms\n", name, ms);
    return ms;
}

void SkinPicture(TBitmap& sb) {
    sb.SetSize(60, 60);
    for (int y = 0; y < 60; ++y) {
        auto* row = static_cast<uint8_t*>(sb.ScanLine(y));
        for (int x = 0; x < 60; ++x) row[x * 3] = static_cast<uint8_t>(x * 4), row[x * 3 + 1] = static_cast<uint8_t>(y * 4), row[x * 3 + 2] = 90;
    }
}

void Compose(TBitmap& b, TBitmap& sb, bool stretch) {
    const int aw = 1280, ah = 1024, dx = aw - 60, dy = ah - 60;
    CreateSkinImage(TPoint(20, 20), TPoint(40, 20), TPoint(20, 40), TPoint(40, 40), TRect(20, 20, 40, 40),
                    TPoint(20, 20), TPoint(40 + dx, 20), TPoint(20, 40 + dy), TPoint(40 + dx, 40 + dy),
                    TRect(20, 20, 40 + dx, 40 + dy), &b, &sb, TRect(0, 0, 60, 60), aw, ah, true, stretch, stretch,
                    stretch, stretch, stretch, bsstFull);
}

}  // namespace

int main() {
    std::printf("MMX: %s\n", HasMMX() ? "yes" : "no");
    TBitmap sb, b;
    SkinPicture(sb);
    Measure("nine-piece 1280x1024, tiled sides and client", 20, [&] { Compose(b, sb, false); GdiFlush(); });
    Measure("nine-piece 1280x1024, stretched", 20, [&] { Compose(b, sb, true); GdiFlush(); });

    TbsBitmap front, back;
    front.SetSize(1280, 1024);
    back.SetSize(1280, 1024);
    for (int i = 0; i < 1280 * 1024; ++i) front.Bits()[i] = static_cast<TbsColor>((i % 251) << 24 | (i & 0xFFFFFF));
    back.Clear(0xFF204060u);
    front.AlphaBlend = true;
    Measure("alpha blend 1280x1024 bitmap onto bitmap", 20, [&] { front.Draw(&back, 0, 0); });
    Measure("BlendLine plain, 1280x1024 pixels", 20, [&] {
        for (int y = 0; y < 1024; ++y) BlendLinePlain(front.ScanLine(y), back.ScanLine(y), 1280);
    });
    if (HasMMX())
        Measure("BlendLine MMX, 1280x1024 pixels", 20, [&] {
            for (int y = 0; y < 1024; ++y) BlendLineMMX(front.ScanLine(y), back.ScanLine(y), 1280);
        });
    TBitmap target(1280, 1024);
    Measure("alpha blend 1280x1024 bitmap onto a DC", 10, [&] { front.Draw(target.Canvas(), 0, 0); });
    Measure("stretch blend 640x512 -> 1280x1024", 10, [&] {
        front.Draw(&back, TRect(0, 0, 1280, 1024), TRect(0, 0, 640, 512));
    });
    Measure("StackBlur radius 3, 1280x1024", 5, [&] { StackBlurBitmap(&back, 3); });
    return 0;
}
