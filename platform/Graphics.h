#pragma once
// Colours, rectangles, fonts, pens, brushes and the canvas.
//
// Every GDI object (font, pen, brush, device context) is owned by exactly one
// object here and freed by it; a canvas deselects its objects before they are
// recreated or freed.
//
// Threads: graphics objects belong to the thread that uses them; a canvas
// shared with another thread is guarded by Lock/Unlock.

#include <windows.h>

#include <cstdint>
#include <mutex>

#include "platform/Classes.h"

// ---- geometry ----------------------------------------------------------------------

struct TPoint : POINT {
    TPoint() : POINT{0, 0} {}
    TPoint(LONG px, LONG py) : POINT{px, py} {}
    TPoint(const POINT& p) : POINT(p) {}
    bool operator==(const TPoint& o) const { return x == o.x && y == o.y; }
};

struct TRect : RECT {
    TRect() : RECT{0, 0, 0, 0} {}
    TRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    TRect(const RECT& r) : RECT(r) {}
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    bool Contains(const POINT& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    void Offset(LONG dx, LONG dy) { left += dx, right += dx, top += dy, bottom += dy; }
    bool operator==(const TRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

inline TRect Rect(LONG l, LONG t, LONG r, LONG b) { return TRect(l, t, r, b); }
inline TRect Bounds(LONG l, LONG t, LONG w, LONG h) { return TRect(l, t, l + w, t + h); }
inline TPoint Point(LONG x, LONG y) { return TPoint(x, y); }

// ---- colours -----------------------------------------------------------------------

// $00BBGGRR, or a system colour: clSystemColor | COLOR_xxx (negative).
using TColor = int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor SystemColor(int index) { return clSystemColor | index; }
constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR), clBackground = SystemColor(COLOR_BACKGROUND),
                 clActiveCaption = SystemColor(COLOR_ACTIVECAPTION),
                 clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION), clMenu = SystemColor(COLOR_MENU),
                 clWindow = SystemColor(COLOR_WINDOW), clWindowFrame = SystemColor(COLOR_WINDOWFRAME),
                 clMenuText = SystemColor(COLOR_MENUTEXT), clWindowText = SystemColor(COLOR_WINDOWTEXT),
                 clCaptionText = SystemColor(COLOR_CAPTIONTEXT), clActiveBorder = SystemColor(COLOR_ACTIVEBORDER),
                 clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER),
                 clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE), clHighlight = SystemColor(COLOR_HIGHLIGHT),
                 clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT), clBtnFace = SystemColor(COLOR_BTNFACE),
                 clBtnShadow = SystemColor(COLOR_BTNSHADOW), clGrayText = SystemColor(COLOR_GRAYTEXT),
                 clBtnText = SystemColor(COLOR_BTNTEXT),
                 clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT),
                 clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT), cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW),
                 cl3DLight = SystemColor(COLOR_3DLIGHT), clInfoText = SystemColor(COLOR_INFOTEXT),
                 clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// The RGB value of a colour; system colours are resolved now.
COLORREF ColorToRGB(TColor color);

// ---- graphics objects ----------------------------------------------------------------

class TGraphicsObject : public TPersistent {
public:
    ~TGraphicsObject() override;
    TNotifyEvent OnChange;
    // Set by a canvas that has this object selected: called before the
    // handle is freed so that the canvas can deselect it.
    std::function<void()> OnReleasing;

protected:
    // Frees the handle (to be recreated on demand) and raises OnChange.
    void Changed();
    void FreeHandle();
    HGDIOBJ handle_ = nullptr;
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = BYTE;

class TFont : public TGraphicsObject {
public:
    TFont();
    HFONT Handle();
    // Takes the attributes of a font handle (the handle stays the caller's).
    void SetHandle(HFONT font);

    const String& Name() const { return name_; }
    void SetName(const String& v);
    int Height() const { return height_; }
    void SetHeight(int v);
    int Size() const;  // points
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles v);
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset v);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch v);
    int PixelsPerInch = 96;

    void Assign(TPersistent* source) override;

private:
    String name_ = L"Tahoma";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmNotXor, pmXor, pmNot, pmMerge, pmMask, pmBlack, pmWhite };

class TPen : public TGraphicsObject {
public:
    HPEN Handle();
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    int Width() const { return width_; }
    void SetWidth(int v);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle v);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode v);
    void Assign(TPersistent* source) override;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

class TBitmap;
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    ~TBrush() override;
    HBRUSH Handle();
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle v);
    // A pattern bitmap (kept by the caller) overrides colour and style.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* v);
    void Assign(TPersistent* source) override;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

// ---- canvas --------------------------------------------------------------------------

class TGraphic;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // The device context with the canvas's pen, brush and font selected and
    // its text colour and background mode set, ready for direct GDI calls; a
    // canvas that has no DC asks CreateHandle for one.
    HDC Handle();
    // Uses dc (owned by the caller) until the next SetHandle; nullptr detaches.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() { return &font_; }
    TPen* Pen() { return &pen_; }
    TBrush* Brush() { return &brush_; }
    void SetFont(TFont* f) { font_.Assign(f); }

    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polygon(const POINT* points, int count);
    void Polyline(const POINT* points, int count);
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    // Draws width rings of the two colours (top-left, bottom-right) and
    // shrinks r by them.
    void Frame3D(TRect& r, TColor topColor, TColor bottomColor, int width);

    void TextOut(int x, int y, const String& text);
    // Text clipped to r, its top-left corner at (x, y).
    void TextRect(const TRect& r, int x, int y, const String& text);
    SIZE TextExtent(const String& text);
    int TextWidth(const String& text) { return TextExtent(text).cx; }
    int TextHeight(const String& text) { return TextExtent(text).cy; }

    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
    DWORD CopyMode = SRCCOPY;

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    TRect ClipRect();

    // Serialises use from several threads (the canvas of a shared picture).
    void Lock() { lock_.lock(); }
    void Unlock() { lock_.unlock(); }
    bool TryLock() { return lock_.try_lock(); }

protected:
    virtual void CreateHandle() {}
    // The DC (made on demand) with the current pen, brush and font selected.
    void RequiredState();
    // The DC alone, made on demand.
    HDC DC();
    // Restores the DC's original objects.
    void DeselectObjects();

private:
    void Unselect(HGDIOBJ stock);

    HDC dc_ = nullptr;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    TPoint penPos_;
    HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
    HGDIOBJ selFont_ = nullptr, selPen_ = nullptr, selBrush_ = nullptr;
    std::recursive_mutex lock_;
};

// Holds a canvas's lock for the scope.
class TCanvasLock {
public:
    explicit TCanvasLock(TCanvas* ACanvas) : FCanvas(ACanvas) { FCanvas->Lock(); }
    ~TCanvasLock() { FCanvas->Unlock(); }
    TCanvasLock(const TCanvasLock&) = delete;
    TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
    TCanvas* FCanvas;
};

// Pixels per logical inch of the screen.
int ScreenPixelsPerInch();
