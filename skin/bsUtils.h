#pragma once
// Small drawing and utility routines shared by every skinned component:
// rectangle arithmetic, Windows version tests, text measuring and fitting,
// glyph-and-caption layout, marks and default caption-button glyphs, the
// parent background, monitor work areas, CPU feature tests and the optional
// system entry points (looked up once at start-up).
//
// Threads: UI thread only (the entry-point table is written once, during
// start-up, before any window exists).

#include <windows.h>

#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Streams.h"

enum TbsButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using TbsNumGlyphs = int;  // 1 .. 4

// ---- rectangles and numbers ------------------------------------------------------------

inline int RectWidth(const RECT& r) { return r.right - r.left; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }
inline TRect NullRect() { return TRect(0, 0, 0, 0); }
inline bool IsNullRect(const RECT& r) { return r.right - r.left <= 0 || r.bottom - r.top <= 0; }
inline bool IsNullPoint(const POINT& p) { return p.x == 0 || p.y == 0; }
inline bool IsEqualRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
// Right and bottom edges count as inside (unlike PtInRect).
inline bool IsPointInRect(const RECT& r, const POINT& p) {
    return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}
bool RectInRect(const RECT& r1, const RECT& r2);
bool RectVertOverlap(const RECT& r1, const RECT& r2);
inline int IntMax(int a, int b) { return a > b ? a : b; }
inline int IntMin(int a, int b) { return a < b ? a : b; }

// ---- Windows version -----------------------------------------------------------------------

void GetWinVersion(int& major, int& minor);
bool IsVistaOrLater();
bool IsWinXPOrLater();
bool IsLayeredSupported();
// The pure version rules, for any major/minor pair.
bool IsWinXPOrLaterVersion(int major, int minor);
bool IsLayeredSupportedVersion(int major, int minor);

// ---- text ------------------------------------------------------------------------------------

int DrawWideText(TCanvas* canvas, const String& s, RECT& r, UINT format);
int WideTextWidth(TCanvas* canvas, const String& s);
int WideTextHeight(TCanvas* canvas, const String& s);
void FitWideTextToWidth(TCanvas* canvas, String& s, int w);
void FitTextToWidth(TCanvas* canvas, String& s, int w);
void DrawVCenteredText(TCanvas* canvas, const String& s, const TRect& r);
void TextRectVCentered(TCanvas* canvas, const String& s, const TRect& r);
void TextRectVCenteredOffset(TCanvas* canvas, const String& s, const TRect& r, int offset);

// ---- glyph and caption -------------------------------------------------------------------------

void CalcImageAndTextLayout(TbsButtonLayout layout, const TRect& r, int gw, int gh, int tw, int th, int spacing,
                            int margin, int& tx, int& ty, int& gx, int& gy);
class TCustomImageList;
// The image list stands for any image list of the skinned controls.
void DrawImageAndText(TCanvas* canvas, const TRect& r, int margin, int spacing, TbsButtonLayout layout,
                      const String& caption, int imageIndex, TCustomImageList* il, bool down, bool enabled,
                      bool drawColorMarker, TColor colorMarkerValue);
// As DrawImageAndText with the caption's lines left-aligned.
void DrawImageAndLeftText(TCanvas* canvas, const TRect& r, int margin, int spacing, TbsButtonLayout layout,
                          const String& caption, int imageIndex, TCustomImageList* il, bool down, bool enabled,
                          bool drawColorMarker, TColor colorMarkerValue);
void DrawGlyphAndText(TCanvas* canvas, const TRect& r, int margin, int spacing, TbsButtonLayout layout,
                      const String& caption, TBitmap* glyph, int numGlyphs, int glyphNum, bool down,
                      bool drawColorMarker, TColor colorMarkerValue);
void DrawGlyphFrame(TCanvas* canvas, int x, int y, TBitmap* glyph, int numGlyphs, int glyphNum);

// ---- marks and caption-button glyphs -------------------------------------------------------------

void DrawDottedFocusRect(TCanvas* canvas, const TRect& r);
void DrawDropDownArrow(TCanvas* canvas, const TRect& r, TColor color);
void DrawArrowImage(TCanvas* canvas, const TRect& r, TColor color, int kind);
void DrawRadioImage(TCanvas* canvas, int x, int y, TColor color);
void DrawCheckImage(TCanvas* canvas, int x, int y, TColor color);
void DrawCloseImage(TCanvas* canvas, int x, int y, TColor color);
void DrawSysMenuImage(TCanvas* canvas, int x, int y, TColor color);
void DrawMinimizeImage(TCanvas* canvas, int x, int y, TColor color);
void DrawMaximizeImage(TCanvas* canvas, int x, int y, TColor color);
void DrawRestoreImage(TCanvas* canvas, int x, int y, TColor color);
void DrawRollDownImage(TCanvas* canvas, int x, int y, TColor color);
void DrawRollUpImage(TCanvas* canvas, int x, int y, TColor color);
void DrawMinimizeToTrayImage(TCanvas* canvas, int x, int y, TColor color);

// ---- parent background ----------------------------------------------------------------------------

void DrawParentImage(TControl* control, TCanvas* canvas);
void DrawParentImageOffset(TControl* control, const TRect& r, TCanvas* canvas);

// ---- screen and monitors ----------------------------------------------------------------------------

bool IsMultiMonitor();
void GetScreenWorkArea(bool workArea, TRect& r);
void GetMonitorWorkArea(HWND wnd, bool workArea, TRect& r);

// ---- stream strings and tokens -----------------------------------------------------------------------

void WriteStreamString(TStream* stream, const String& s);
void ReadStreamString(TStream* stream, String& s);
void CutFirstToken(String& s, String& token);
void StringToRect(const String& s, TRect& r);

// ---- CPU and optional entry points ----------------------------------------------------------------------

bool HasCPUID();
DWORD GetCPUSignature();
DWORD GetCPUFeatures();
bool HasMMX();
void EndMMX();
bool IsTransparentBltLoaded();
void LoadTransparentBlt();
BOOL SafeGetScrollBarInfo(HWND wnd, LONG objectId, SCROLLBARINFO& info);

namespace bsutils {
using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
using GetMonitorInfoAFn = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);
using GetScrollBarInfoFn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// The optional entry points; each is nullptr when the system lacks it.
struct EntryPoints {
    HMODULE user32 = nullptr;
    MonitorFromWindowFn monitorFromWindow = nullptr;
    GetMonitorInfoAFn getMonitorInfoA = nullptr;
    GetScrollBarInfoFn getScrollBarInfo = nullptr;
    SetLayeredWindowAttributesFn setLayeredWindowAttributes = nullptr;
    UpdateLayeredWindowFn updateLayeredWindow = nullptr;
    HMODULE msimg32 = nullptr;
    TransparentBltFn transparentBlt = nullptr;
    bool transparentBltLoaded = false;
    bool mmx = false;
    bool nt = false;
};
// Filled on first use, after the bitmap engine chose its pixel routines.
EntryPoints& Entries();
}  // namespace bsutils
