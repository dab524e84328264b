#include "platform/Graphics.h"

#include "platform/Bitmap.h"
#include "platform/GdiObjects.h"
#include "platform/Owners.h"

COLORREF ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

int ScreenPixelsPerInch() {
    static const int ppi = [] {
        const platform::WindowDC dc;
        const int v = dc.Get() ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
        return v > 0 ? v : 96;
    }();
    return ppi;
}

// ---- graphics objects ----------------------------------------------------------------

TGraphicsObject::~TGraphicsObject() { FreeHandle(); }

void TGraphicsObject::FreeHandle() {
    if (!handle_) return;
    if (OnReleasing) OnReleasing();
    platform::DeleteGdi(handle_);
    handle_ = nullptr;
}

void TGraphicsObject::Changed() {
    FreeHandle();
    if (OnChange) OnChange(this);
}

// A setter that only acts on a real change.
#define SET_AND_CHANGE(field, value) \
    if ((field) == (value)) return;  \
    (field) = (value);               \
    Changed()

TFont::TFont() : PixelsPerInch(ScreenPixelsPerInch()) {}

HFONT TFont::Handle() {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = charset_;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
        lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_ = platform::TrackGdi(CreateFontIndirectW(&lf));
        if (!handle_) throw EOutOfResources(L"Out of system resources");
    }
    return static_cast<HFONT>(handle_);
}

void TFont::SetHandle(HFONT font) {
    LOGFONTW lf{};
    if (!font || !GetObjectW(font, sizeof(lf), &lf)) return;
    name_ = lf.lfFaceName;
    height_ = lf.lfHeight;
    style_ = (lf.lfWeight >= FW_BOLD ? fsBold : 0u) | (lf.lfItalic ? fsItalic : 0u) |
             (lf.lfUnderline ? fsUnderline : 0u) | (lf.lfStrikeOut ? fsStrikeOut : 0u);
    charset_ = lf.lfCharSet;
    Changed();
}

void TFont::SetName(const String& v) { SET_AND_CHANGE(name_, v); }
void TFont::SetHeight(int v) { SET_AND_CHANGE(height_, v); }
int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }
void TFont::SetStyle(TFontStyles v) { SET_AND_CHANGE(style_, v); }
void TFont::SetCharset(TFontCharset v) { SET_AND_CHANGE(charset_, v); }
void TFont::SetPitch(TFontPitch v) { SET_AND_CHANGE(pitch_, v); }

void TFont::SetColor(TColor v) {
    // The colour is not part of the handle.
    if (color_ == v) return;
    color_ = v;
    if (OnChange) OnChange(this);
}

void TFont::Assign(TPersistent* source) {
    auto* f = dynamic_cast<TFont*>(source);
    if (!f) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (f == this) return;
    name_ = f->name_;
    height_ = MulDiv(f->height_, PixelsPerInch, f->PixelsPerInch);
    style_ = f->style_;
    color_ = f->color_;
    charset_ = f->charset_;
    pitch_ = f->pitch_;
    Changed();
}

HPEN TPen::Handle() {
    if (!handle_) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_ = platform::TrackGdi(CreatePen(styles[style_], width_, ColorToRGB(color_)));
        if (!handle_) throw EOutOfResources(L"Out of system resources");
    }
    return static_cast<HPEN>(handle_);
}

void TPen::SetColor(TColor v) { SET_AND_CHANGE(color_, v); }
void TPen::SetWidth(int v) { SET_AND_CHANGE(width_, v); }
void TPen::SetStyle(TPenStyle v) { SET_AND_CHANGE(style_, v); }
void TPen::SetMode(TPenMode v) {
    if (mode_ == v) return;
    mode_ = v;
    if (OnChange) OnChange(this);
}

void TPen::Assign(TPersistent* source) {
    auto* p = dynamic_cast<TPen*>(source);
    if (!p) {
        TGraphicsObject::Assign(source);
        return;
    }
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
}

TBrush::~TBrush() { FreeHandle(); }

HBRUSH TBrush::Handle() {
    if (!handle_) {
        static const int hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,
                                      HS_DIAGCROSS};
        if (bitmap_ && !bitmap_->Empty()) handle_ = platform::TrackGdi(CreatePatternBrush(bitmap_->Handle()));
        else if (style_ == bsSolid) handle_ = platform::TrackGdi(CreateSolidBrush(ColorToRGB(color_)));
        else if (style_ == bsClear) handle_ = nullptr;
        else handle_ = platform::TrackGdi(CreateHatchBrush(hatches[style_], ColorToRGB(color_)));
        if (!handle_) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return static_cast<HBRUSH>(handle_);
}

void TBrush::SetColor(TColor v) {
    if (color_ == v) return;
    color_ = v;
    if (style_ == bsClear) style_ = bsSolid;
    Changed();
}
void TBrush::SetStyle(TBrushStyle v) { SET_AND_CHANGE(style_, v); }
void TBrush::SetBitmap(TBitmap* v) { SET_AND_CHANGE(bitmap_, v); }

void TBrush::Assign(TPersistent* source) {
    auto* b = dynamic_cast<TBrush*>(source);
    if (!b) {
        TGraphicsObject::Assign(source);
        return;
    }
    color_ = b->color_;
    style_ = b->style_;
    bitmap_ = b->bitmap_;
    Changed();
}

// ---- TCanvas -----------------------------------------------------------------------------

TCanvas::TCanvas() {
    font_.OnReleasing = [this] { Unselect(font_.Handle()); };
    pen_.OnReleasing = [this] { Unselect(pen_.Handle()); };
    brush_.OnReleasing = [this] { Unselect(brush_.Handle()); };
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
    font_.OnReleasing = nullptr;
    pen_.OnReleasing = nullptr;
    brush_.OnReleasing = nullptr;
}

void TCanvas::Unselect(HGDIOBJ handle) {
    if (!dc_) return;
    if (handle == selFont_) {
        SelectObject(dc_, oldFont_);
        selFont_ = nullptr;
    } else if (handle == selPen_) {
        SelectObject(dc_, oldPen_);
        selPen_ = nullptr;
    } else if (handle == selBrush_) {
        SelectObject(dc_, oldBrush_);
        selBrush_ = nullptr;
    }
}

HDC TCanvas::DC() {
    if (!dc_) CreateHandle();
    if (!dc_) throw EInvalidOperation(L"Canvas does not allow drawing");
    return dc_;
}

HDC TCanvas::Handle() {
    RequiredState();
    return dc_;
}

void TCanvas::DeselectObjects() {
    if (!dc_) return;
    if (selFont_) SelectObject(dc_, oldFont_);
    if (selPen_) SelectObject(dc_, oldPen_);
    if (selBrush_) SelectObject(dc_, oldBrush_);
    selFont_ = selPen_ = selBrush_ = nullptr;
    oldFont_ = oldPen_ = oldBrush_ = nullptr;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    DeselectObjects();
    dc_ = dc;
}

void TCanvas::RequiredState() {
    HDC dc = DC();
    auto select = [dc](HGDIOBJ h, HGDIOBJ& selected, HGDIOBJ& old) {
        if (h == selected) return;
        HGDIOBJ prev = SelectObject(dc, h);
        if (!old) old = prev;
        selected = h;
    };
    select(font_.Handle(), selFont_, oldFont_);
    select(pen_.Handle(), selPen_, oldPen_);
    select(brush_.Handle(), selBrush_, oldBrush_);
    static const int rops[] = {R2_COPYPEN, R2_NOTXORPEN, R2_XORPEN, R2_NOT, R2_MERGEPEN, R2_MASKPEN, R2_BLACK,
                               R2_WHITE};
    SetROP2(dc, rops[pen_.Mode()]);
    SetTextColor(dc, ColorToRGB(font_.Color()));
    SetBkColor(dc, ColorToRGB(brush_.Color()));
    SetBkMode(dc, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(DC(), x, y, nullptr);
    penPos_ = TPoint(x, y);
}

void TCanvas::LineTo(int x, int y) {
    RequiredState();
    MoveToEx(dc_, penPos_.x, penPos_.y, nullptr);
    ::LineTo(dc_, x, y);
    penPos_ = TPoint(x, y);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    RequiredState();
    ::Rectangle(dc_, x1, y1, x2, y2);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    RequiredState();
    ::Ellipse(dc_, x1, y1, x2, y2);
}

void TCanvas::Polygon(const POINT* points, int count) {
    RequiredState();
    ::Polygon(dc_, points, count);
}

void TCanvas::Polyline(const POINT* points, int count) {
    RequiredState();
    ::Polyline(dc_, points, count);
}

void TCanvas::FillRect(const TRect& r) {
    RequiredState();
    ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const TRect& r) {
    RequiredState();
    ::FrameRect(dc_, &r, brush_.Handle());
}

void TCanvas::Frame3D(TRect& r, TColor topColor, TColor bottomColor, int width) {
    RequiredState();
    const platform::GdiBrush topBrush(platform::TrackGdi(CreateSolidBrush(ColorToRGB(topColor))));
    const platform::GdiBrush bottomBrush(platform::TrackGdi(CreateSolidBrush(ColorToRGB(bottomColor))));
    const HBRUSH top = topBrush.Get(), bottom = bottomBrush.Get();
    r.right -= 1;
    r.bottom -= 1;
    for (int i = 0; i < width; ++i) {
        const TRect t(r.left, r.top, r.right, r.top + 1), l(r.left, r.top, r.left + 1, r.bottom);
        const TRect b(r.left, r.bottom, r.right + 1, r.bottom + 1), rr(r.right, r.top, r.right + 1, r.bottom);
        ::FillRect(dc_, &t, top);
        ::FillRect(dc_, &l, top);
        ::FillRect(dc_, &b, bottom);
        ::FillRect(dc_, &rr, bottom);
        InflateRect(&r, -1, -1);
    }
    r.right += 1;
    r.bottom += 1;
}

void TCanvas::TextOut(int x, int y, const String& text) {
    RequiredState();
    ExtTextOutW(dc_, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
    RequiredState();
    const UINT opts = ETO_CLIPPED | (brush_.Style() != bsClear ? ETO_OPAQUE : 0);
    ExtTextOutW(dc_, x, y, opts, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const String& text) {
    RequiredState();
    SIZE s{0, 0};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &s);
    return s;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    RequiredState();
    graphic->Draw(this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
    RequiredState();
    HDC from = source->Handle();
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), from, src.left, src.top, src.Width(),
               src.Height(), CopyMode);
}

TColor TCanvas::Pixel(int x, int y) { return static_cast<TColor>(GetPixel(DC(), x, y)); }

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(DC(), x, y, ColorToRGB(color)); }

TRect TCanvas::ClipRect() {
    RECT r{};
    GetClipBox(DC(), &r);
    return r;
}
