#include "skin/bsUtils.h"

#include <cpuid.h>

#include <functional>
#include <stdexcept>

#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Owners.h"
#include "platform/SysUtils.h"
#include "skin/bsEffects.h"

namespace bsutils {
namespace {

EntryPoints g_entries;
bool g_initialised = false;

template <class F>
F Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void InitUnit() {
    if (g_initialised) return;
    g_initialised = true;
    // The bitmap engine picks its pixel routines first, so its colour-key
    // entry is chosen before TransparentBlt is loaded here.
    bseffects::InitUnit();
    g_entries.mmx = HasMMX();
    g_entries.user32 = GetModuleHandleW(L"user32.dll");
    if (g_entries.user32) {
        g_entries.monitorFromWindow = Lookup<MonitorFromWindowFn>(g_entries.user32, "MonitorFromWindow");
        g_entries.getMonitorInfoA = Lookup<GetMonitorInfoAFn>(g_entries.user32, "GetMonitorInfoA");
        g_entries.getScrollBarInfo = Lookup<GetScrollBarInfoFn>(g_entries.user32, "GetScrollBarInfo");
        g_entries.setLayeredWindowAttributes =
            Lookup<SetLayeredWindowAttributesFn>(g_entries.user32, "SetLayeredWindowAttributes");
        g_entries.updateLayeredWindow = Lookup<UpdateLayeredWindowFn>(g_entries.user32, "UpdateLayeredWindow");
    }
    LoadTransparentBlt();
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    g_entries.nt = GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

struct UnitLifetime {
    UnitLifetime() { InitUnit(); }
    ~UnitLifetime() {
        if (g_entries.msimg32) FreeLibrary(g_entries.msimg32);
        g_entries.msimg32 = nullptr;
        g_entries.transparentBlt = nullptr;
        g_entries.transparentBltLoaded = false;
        g_entries.getScrollBarInfo = nullptr;
        g_entries.monitorFromWindow = nullptr;
        g_entries.getMonitorInfoA = nullptr;
    }
} g_unit;

}  // namespace

EntryPoints& Entries() {
    InitUnit();
    return g_entries;
}
}  // namespace bsutils

using bsutils::Entries;

// ---- rectangles ---------------------------------------------------------------------------

bool RectInRect(const RECT& r1, const RECT& r2) {
    const POINT tl{r1.left, r1.top}, br{r1.right, r1.bottom};
    return PtInRect(&r2, tl) && PtInRect(&r2, br);
}

bool RectVertOverlap(const RECT& r1, const RECT& r2) {
    return PtInRect(&r2, POINT{r2.left + 1, r1.top}) || PtInRect(&r2, POINT{r2.right - 1, r1.bottom});
}

// ---- version ---------------------------------------------------------------------------------

void GetWinVersion(int& major, int& minor) {
    const DWORD v = GetVersion();
    major = LOBYTE(LOWORD(v));
    minor = HIBYTE(LOWORD(v));
}

bool IsWinXPOrLaterVersion(int major, int minor) { return major > 5 || (major == 5 && minor == 1); }
bool IsLayeredSupportedVersion(int major, int minor) { return major > 5 || (major == 5 && minor >= 0 && minor <= 2); }

bool IsVistaOrLater() {
    int major, minor;
    GetWinVersion(major, minor);
    return major > 5;
}
bool IsWinXPOrLater() {
    int major, minor;
    GetWinVersion(major, minor);
    return IsWinXPOrLaterVersion(major, minor);
}
bool IsLayeredSupported() {
    int major, minor;
    GetWinVersion(major, minor);
    return IsLayeredSupportedVersion(major, minor);
}

// ---- text ------------------------------------------------------------------------------------

int DrawWideText(TCanvas* canvas, const String& s, RECT& r, UINT format) {
    // Every supported system is of the NT family: the wide call serves all.
    return DrawTextW(canvas->Handle(), s.c_str(), static_cast<int>(s.size()), &r, format);
}

int WideTextWidth(TCanvas* canvas, const String& s) {
    RECT r{0, 0, 0, 0};
    DrawWideText(canvas, s, r, DT_CALCRECT);
    return r.right - r.left;
}

int WideTextHeight(TCanvas* canvas, const String& s) {
    RECT r{0, 0, 0, 0};
    DrawWideText(canvas, s, r, DT_CALCRECT);
    return r.bottom - r.top;
}

namespace {
template <class Measure>
void FitToWidth(String& s, int w, Measure measure) {
    if (measure(s) <= w) return;
    while (!s.empty() && measure(s + L"...") > w) s.pop_back();
    s += L"...";
}
}  // namespace

void FitWideTextToWidth(TCanvas* canvas, String& s, int w) {
    FitToWidth(s, w, [canvas](const String& t) { return WideTextWidth(canvas, t); });
}

void FitTextToWidth(TCanvas* canvas, String& s, int w) {
    FitToWidth(s, w, [canvas](const String& t) { return canvas->TextWidth(t); });
}

void DrawVCenteredText(TCanvas* canvas, const String& s, const TRect& r) {
    if (s.empty()) return;
    RECT rr = r;
    DrawTextW(canvas->Handle(), s.c_str(), static_cast<int>(s.size()), &rr, DT_SINGLELINE | DT_VCENTER);
}

void TextRectVCenteredOffset(TCanvas* canvas, const String& s, const TRect& r, int offset) {
    if (s.empty()) return;
    canvas->TextRect(r, r.left + offset + 2, r.top + RectHeight(r) / 2 - canvas->TextHeight(s) / 2, s);
}

void TextRectVCentered(TCanvas* canvas, const String& s, const TRect& r) { TextRectVCenteredOffset(canvas, s, r, 0); }

// ---- glyph and caption -------------------------------------------------------------------------

void CalcImageAndTextLayout(TbsButtonLayout layout, const TRect& r, int gw, int gh, int tw, int th, int spacing,
                            int margin, int& tx, int& ty, int& gx, int& gy) {
    if (gw == 0) spacing = 0;
    const int cx = r.left + RectWidth(r) / 2, cy = r.top + RectHeight(r) / 2;
    if (margin == -1) {
        const int m = (gw + spacing + tw) / 2, v = (gh + spacing + th) / 2;
        switch (layout) {
        case blGlyphLeft: gx = cx - m, tx = cx + m - tw, gy = cy - gh / 2, ty = cy - th / 2; break;
        case blGlyphRight: tx = cx - m, gx = cx + m - gw, gy = cy - gh / 2, ty = cy - th / 2; break;
        case blGlyphTop: gy = cy - v, ty = cy + v - th, gx = cx - gw / 2, tx = cx - tw / 2; break;
        case blGlyphBottom: ty = cy - v, gy = cy + v - gh, gx = cx - gw / 2, tx = cx - tw / 2; break;
        }
        return;
    }
    switch (layout) {
    case blGlyphLeft: gx = r.left + margin, tx = gx + gw + spacing, gy = cy - gh / 2, ty = cy - th / 2; break;
    case blGlyphRight: gx = r.right - gw - margin, tx = gx - spacing - tw, gy = cy - gh / 2, ty = cy - th / 2; break;
    case blGlyphTop: gy = r.top + margin, ty = gy + gh + spacing, gx = cx - gw / 2, tx = cx - tw / 2; break;
    case blGlyphBottom: gy = r.bottom - gh - margin, ty = gy - spacing - th, gx = cx - gw / 2, tx = cx - tw / 2; break;
    }
}

namespace {
void MarkerLines(TCanvas* canvas, TColor color, int x1, int x2, int firstRow) {
    canvas->Pen()->SetColor(color);
    for (int i = 0; i < 3; ++i) {
        canvas->MoveTo(x1, firstRow + i);
        canvas->LineTo(x2, firstRow + i);
    }
}
}  // namespace

namespace {
// What differs between drawing an image-list image and a glyph strip cell.
struct GlyphSource {
    int gw = 0, gh = 0;
    bool clearBrushAlways = true;
    std::function<void(int gx, int gy)> draw;
};

void DrawGlyphSourceAndText(TCanvas* canvas, const TRect& r, int margin, int spacing, TbsButtonLayout layout,
                            const String& caption, const GlyphSource& glyph, bool down, bool drawColorMarker,
                            TColor colorMarkerValue, UINT textAlign, const TRect& plainMarker) {
    const int gw = glyph.gw, gh = glyph.gh;
    int tw = 0, th = 0;
    RECT tr{0, 0, RectWidth(r), RectHeight(r)};
    if (!caption.empty()) {
        if (layout == blGlyphLeft || layout == blGlyphRight) tr.right -= gw;
        else tr.bottom -= gh;
        DrawTextW(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &tr,
                  DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        tw = tr.right - tr.left, th = tr.bottom - tr.top;
    }
    if (glyph.clearBrushAlways || !caption.empty()) canvas->Brush()->SetStyle(bsClear);
    int tx = 0, ty = 0, gx = 0, gy = 0;
    CalcImageAndTextLayout(layout, r, gw, gh, tw, th, spacing, margin, tx, ty, gx, gy);
    if (down) ++tx, ++ty, ++gx, ++gy;
    tr = RECT{tx, ty, tx + tw + 2, ty + th};
    if (!caption.empty())
        DrawTextW(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &tr,
                  DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | textAlign);
    if (gw != 0) {
        glyph.draw(gx, gy);
        if (drawColorMarker) MarkerLines(canvas, colorMarkerValue, gx, gx + gw, gy + gh - 2);
    } else if (drawColorMarker) {
        if (!caption.empty()) {
            MarkerLines(canvas, colorMarkerValue, tr.left, tr.right, tr.bottom - 1);
        } else {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(colorMarkerValue);
            canvas->FillRect(plainMarker);
        }
    }
}

GlyphSource ImageListGlyph(TCanvas* canvas, TCustomImageList* il, int imageIndex, bool enabled) {
    GlyphSource g;
    if (il && imageIndex >= 0 && imageIndex < il->Count()) {
        g.gw = il->Width(), g.gh = il->Height();
        g.draw = [=](int gx, int gy) { il->Draw(canvas, gx, gy, imageIndex, enabled); };
    }
    return g;
}
}  // namespace

namespace {
void ImageAndText(TCanvas* canvas, const TRect& r, int margin, int spacing, TbsButtonLayout layout,
                  const String& caption, int imageIndex, TCustomImageList* il, bool down, bool enabled,
                  bool drawColorMarker, TColor colorMarkerValue, UINT textAlign) {
    DrawGlyphSourceAndText(canvas, r, margin, spacing, layout, caption, ImageListGlyph(canvas, il, imageIndex, enabled),
                           down, drawColorMarker, colorMarkerValue, textAlign,
                           TRect(r.left + 4, r.top + 4, r.right - 2, r.bottom - 4));
}
}  // namespace

void DrawImageAndText(TCanvas* canvas, const TRect& r, int margin, int spacing, TbsButtonLayout layout,
                      const String& caption, int imageIndex, TCustomImageList* il, bool down, bool enabled,
                      bool drawColorMarker, TColor colorMarkerValue) {
    ImageAndText(canvas, r, margin, spacing, layout, caption, imageIndex, il, down, enabled, drawColorMarker,
                 colorMarkerValue, DT_CENTER);
}

void DrawImageAndLeftText(TCanvas* canvas, const TRect& r, int margin, int spacing, TbsButtonLayout layout,
                          const String& caption, int imageIndex, TCustomImageList* il, bool down, bool enabled,
                          bool drawColorMarker, TColor colorMarkerValue) {
    ImageAndText(canvas, r, margin, spacing, layout, caption, imageIndex, il, down, enabled, drawColorMarker,
                 colorMarkerValue, DT_LEFT);
}

void DrawGlyphAndText(TCanvas* canvas, const TRect& r, int margin, int spacing, TbsButtonLayout layout,
                      const String& caption, TBitmap* glyph, int numGlyphs, int glyphNum, bool down,
                      bool drawColorMarker, TColor colorMarkerValue) {
    if (numGlyphs < 1) numGlyphs = 1;
    GlyphSource g;
    g.clearBrushAlways = false;
    if (glyph && !glyph->Empty()) {
        g.gw = glyph->Width() / numGlyphs, g.gh = glyph->Height();
        g.draw = [=](int gx, int gy) { DrawGlyphFrame(canvas, gx, gy, glyph, numGlyphs, glyphNum); };
    }
    DrawGlyphSourceAndText(canvas, r, margin, spacing, layout, caption, g, down, drawColorMarker, colorMarkerValue,
                           DT_CENTER,
                           down ? TRect(r.left + 4, r.top + 5, r.right - 2, r.bottom - 3)
                                : TRect(r.left + 4, r.top + 4, r.right - 2, r.bottom - 4));
}

void DrawGlyphFrame(TCanvas* canvas, int x, int y, TBitmap* glyph, int numGlyphs, int glyphNum) {
    if (!glyph || glyph->Empty()) return;
    if (numGlyphs < 1) numGlyphs = 1;
    const int cw = glyph->Width() / numGlyphs;
    if (cw <= 0) return;
    TBitmap cell(cw, glyph->Height());
    cell.Canvas()->CopyRect(TRect(0, 0, cw, glyph->Height()), glyph->Canvas(),
                            TRect(cw * (glyphNum - 1), 0, cw * glyphNum, glyph->Height()));
    cell.SetTransparent(true);
    canvas->Draw(x, y, &cell);
}

// ---- marks ------------------------------------------------------------------------------------------

namespace {
void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}
void PenAndBrush(TCanvas* c, TColor color) {
    c->Pen()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
}
void PenAndClearBrush(TCanvas* c, TColor color) {
    c->Pen()->SetColor(color);
    c->Brush()->SetStyle(bsClear);
}
}  // namespace

void DrawDottedFocusRect(TCanvas* canvas, const TRect& r) {
    const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
    const TColor color = canvas->Font()->Color();
    canvas->Pen()->SetColor(color);
    const COLORREF rgb = ColorToRGB(color);
    HDC dc = canvas->Handle();
    bool draw = !((rr - l) % 2 == 0 && (b - t) % 2 == 0);
    auto step = [&](int x, int y) {
        if (draw) ::SetPixel(dc, x, y, rgb);
        draw = !draw;
    };
    if (rr < l || b < t) return;
    if (rr == l || b == t) {  // a single row or column: one walk
        for (int x = l; x <= rr; ++x)
            for (int y = t; y <= b; ++y) step(x, y);
        return;
    }
    // Each corner is walked once, by the edge it starts, so the phase runs
    // on unbroken around the frame.
    for (int x = l; x < rr; ++x) step(x, t);
    for (int y = t; y < b; ++y) step(rr, y);
    for (int x = rr; x > l; --x) step(x, b);
    for (int y = b; y > t; --y) step(l, y);
}

void DrawDropDownArrow(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Pen()->SetColor(color);
    const int cx = r.left + RectWidth(r) / 2, cy = r.top + RectHeight(r) / 2;
    Line(canvas, cx - 2, cy, cx + 3, cy);
    Line(canvas, cx - 1, cy + 1, cx + 2, cy + 1);
    Line(canvas, cx, cy + 2, cx + 1, cy + 2);
}

void DrawArrowImage(TCanvas* canvas, const TRect& r, TColor color, int kind) {
    canvas->Pen()->SetColor(color);
    const int cx = r.left + RectWidth(r) / 2, cy = r.top + RectHeight(r) / 2;
    switch (kind) {
    case 1:
        for (int i = 0; i <= 3; ++i) Line(canvas, cx + i - 2, cy - i, cx + i - 2, cy + i + 1);
        break;
    case 2:
        for (int n = 3; n >= 0; --n) Line(canvas, cx - n + 2, cy - n, cx - n + 2, cy + n + 1);
        break;
    case 3:
        for (int i = 0; i <= 3; ++i) Line(canvas, cx - i, cy + i - 2, cx + i + 1, cy + i - 2);
        break;
    case 4:
        for (int n = 3; n >= 0; --n) Line(canvas, cx - n, cy - n + 2, cx + n + 1, cy - n + 2);
        break;
    default: break;
    }
}

void DrawRadioImage(TCanvas* canvas, int x, int y, TColor color) {
    PenAndBrush(canvas, color);
    canvas->Rectangle(x, y, x + 6, y + 6);
}

void DrawCheckImage(TCanvas* canvas, int x, int y, TColor color) {
    canvas->Pen()->SetColor(color);
    for (int i = 0; i <= 2; ++i) {
        canvas->MoveTo(x, y + 5 - i);
        canvas->LineTo(x + 2, y + 7 - i);
        canvas->LineTo(x + 7, y + 2 - i);
    }
}

void DrawCloseImage(TCanvas* canvas, int x, int y, TColor color) {
    canvas->Pen()->SetColor(color);
    Line(canvas, x + 1, y + 1, x + 9, y + 9);
    Line(canvas, x + 9, y + 1, x + 1, y + 9);
    Line(canvas, x + 2, y + 1, x + 10, y + 9);
    Line(canvas, x + 8, y + 1, x, y + 9);
}

void DrawSysMenuImage(TCanvas* canvas, int x, int y, TColor color) {
    PenAndClearBrush(canvas, color);
    canvas->Rectangle(x + 1, y + 3, x + 9, y + 6);
}

void DrawMinimizeImage(TCanvas* canvas, int x, int y, TColor color) {
    canvas->Pen()->SetColor(color);
    Line(canvas, x + 1, y + 8, x + 9, y + 8);
    Line(canvas, x + 1, y + 9, x + 9, y + 9);
}

void DrawMaximizeImage(TCanvas* canvas, int x, int y, TColor color) {
    PenAndClearBrush(canvas, color);
    canvas->Rectangle(x, y, x + 11, y + 10);
    canvas->Rectangle(x, y, x + 11, y + 2);
}

void DrawRestoreImage(TCanvas* canvas, int x, int y, TColor color) {
    PenAndClearBrush(canvas, color);
    canvas->Rectangle(x + 2, y, x + 10, y + 6);
    canvas->Rectangle(x + 2, y, x + 10, y + 2);
    canvas->Rectangle(x, y + 4, x + 7, y + 10);
    canvas->Rectangle(x, y + 4, x + 7, y + 6);
}

void DrawRollDownImage(TCanvas* canvas, int x, int y, TColor color) {
    canvas->Pen()->SetColor(color);
    for (int i = 0; i <= 4; ++i) Line(canvas, x + 1 + i, y + 2 + i, x + 9 - i, y + 2 + i);
}

void DrawRollUpImage(TCanvas* canvas, int x, int y, TColor color) {
    canvas->Pen()->SetColor(color);
    for (int i = 0; i <= 4; ++i) Line(canvas, x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i);
}

void DrawMinimizeToTrayImage(TCanvas* canvas, int x, int y, TColor color) {
    PenAndBrush(canvas, color);
    canvas->Rectangle(x + 2, y + 2, x + 7, y + 7);
}

// ---- parent background ---------------------------------------------------------------------------

namespace {
void PaintParent(TControl* control, int dx, int dy, TCanvas* canvas) {
    if (!control || !control->Parent()) return;
    TWinControl* parent = control->Parent();
    HDC dc = canvas->Handle();
    platform::StateFlagScope parentPaintCopy(parent->ControlState, csPaintCopy);
    {
        platform::SavedDC saved(dc);
        SetViewportOrgEx(dc, -control->Left() - dx, -control->Top() - dy, nullptr);
        IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientRect().Height());
        auto* form = dynamic_cast<TCustomForm*>(parent);
        HWND mdiClient = form && form->FormStyle() == fsMDIForm && form->HandleAllocated()
                             ? FindWindowExW(form->Handle(), nullptr, L"MDICLIENT", nullptr)
                             : nullptr;
        if (mdiClient) {
            SendMessageW(mdiClient, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        } else {
            parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            if (!form) parent->PaintBackground(dc);
        }
    }
    const TRect bounds = control->BoundsRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == control) break;
        if (c->IsWindowed() || !c->Visible()) continue;
        TRect cb = c->BoundsRect(), both;
        if (!IntersectRect(&both, &bounds, &cb)) continue;
        platform::StateFlagScope paintCopy(c->ControlState, csPaintCopy);
        platform::SavedDC saved(dc);
        SetViewportOrgEx(dc, c->Left() - control->Left() - dx, c->Top() - control->Top() - dy, nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}
}  // namespace

void DrawParentImage(TControl* control, TCanvas* canvas) { PaintParent(control, 0, 0, canvas); }

void DrawParentImageOffset(TControl* control, const TRect& r, TCanvas* canvas) {
    PaintParent(control, r.left, r.top, canvas);
}

// ---- monitors ----------------------------------------------------------------------------------------

bool IsMultiMonitor() { return GetSystemMetrics(SM_CMONITORS) > 1 && Entries().getMonitorInfoA; }

void GetScreenWorkArea(bool workArea, TRect& r) {
    RECT wa;
    if (workArea && SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0)) r = wa;
    else r = TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void GetMonitorWorkArea(HWND wnd, bool workArea, TRect& r) {
    auto& e = Entries();
    if (!IsMultiMonitor() || !e.monitorFromWindow) {
        GetScreenWorkArea(workArea, r);
        return;
    }
    MONITORINFO info{};
    info.cbSize = sizeof(MONITORINFO);
    if (e.getMonitorInfoA(e.monitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &info))
        r = workArea ? info.rcWork : info.rcMonitor;
}

// ---- stream strings and tokens -------------------------------------------------------------------------

void WriteStreamString(TStream* stream, const String& s) {
    const int32_t n = static_cast<int32_t>(s.size());
    stream->WriteBuffer(&n, 4);
    if (n > 0) stream->WriteBuffer(s.data(), n * 2);
}

void ReadStreamString(TStream* stream, String& s) {
    int32_t n = 0;
    stream->ReadBuffer(&n, 4);
    if (n < 0 || n > (stream->Size() - stream->Position()) / 2) throw EReadError(L"Stream read error");
    s.assign(static_cast<size_t>(n), L'\0');
    if (n > 0) stream->ReadBuffer(s.data(), n * 2);
}

namespace {
bool IsSeparator(wchar_t c) { return c == L' ' || c == L'(' || c == L')' || c == L',' || c == L':' || c == L';' || c == L'='; }
String Trimmed(const String& s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] <= L' ') ++b;
    while (e > b && s[e - 1] <= L' ') --e;
    return s.substr(b, e - b);
}
}  // namespace

void CutFirstToken(String& s, String& token) {
    const size_t limit = s.size() % 256;
    size_t i = 0;
    while (i < limit && !IsSeparator(s[i])) ++i;
    token = s.substr(0, i);
    s.erase(0, i < s.size() ? i + 1 : i);
    token = Trimmed(token);
    s = Trimmed(s);
}

void StringToRect(const String& s, TRect& r) {
    String rest = s, token;
    LONG v[4];
    for (LONG& x : v) {
        CutFirstToken(rest, token);
        int value = 0;
        if (!TryStrToInt(token, value)) {
            r = NullRect();
            return;
        }
        x = value;
    }
    r = TRect(v[0], v[1], v[2], v[3]);
}

// ---- CPU ------------------------------------------------------------------------------------------------

bool HasCPUID() {
#ifdef __x86_64__
    return true;  // every x86-64 processor has it
#else
    unsigned a, b;
    __asm__ volatile(
        "pushfl\n\tpopl %0\n\tmovl %0, %1\n\txorl $0x200000, %0\n\tpushl %0\n\tpopfl\n\t"
        "pushfl\n\tpopl %0\n\tpushl %1\n\tpopfl"
        : "=&r"(a), "=&r"(b)
        :
        : "cc");
    return ((a ^ b) & 0x200000) != 0;
#endif
}

DWORD GetCPUSignature() {
    unsigned a, b, c, d;
    __cpuid(1, a, b, c, d);
    return a;
}

DWORD GetCPUFeatures() {
    unsigned a, b, c, d;
    __cpuid(1, a, b, c, d);
    return d;
}

bool HasMMX() {
    if (!HasCPUID()) return false;
    return ((GetCPUSignature() >> 8) & 0xF) > 4 && (GetCPUFeatures() & (1u << 23)) != 0;
}

void EndMMX() {
    if (Entries().mmx) __asm__ volatile("emms");
}

bool IsTransparentBltLoaded() { return bsutils::g_entries.transparentBltLoaded; }

void LoadTransparentBlt() {
    auto& e = bsutils::g_entries;
    if (!IsLayeredSupported() || e.msimg32) return;
    e.msimg32 = LoadLibraryW(L"msimg32.dll");
    if (e.msimg32) {
        e.transparentBlt = bsutils::Lookup<bsutils::TransparentBltFn>(e.msimg32, "TransparentBlt");
        e.transparentBltLoaded = true;
    }
}

BOOL SafeGetScrollBarInfo(HWND wnd, LONG objectId, SCROLLBARINFO& info) {
    if (auto f = Entries().getScrollBarInfo) return f(wnd, objectId, &info);
    info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
    return FALSE;
}
