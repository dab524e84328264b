#include "skin/controls/bsSkinCtrlsSlider.h"

#include <windowsx.h>

#include <cmath>

#include "platform/Clock.h"

namespace {
constexpr UINT_PTR kJumpTimer = 1;
constexpr int kMargin = 6;

int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

void Fill(TCanvas* c, const TRect& r, TColor color) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(r);
}

// Copies src (x, y, w, h) to dst at (dx, dy), leaving out the picture's
// transparent colour (its bottom-left pixel) unless opaque.
void DrawPart(HDC dst, int dx, int dy, TBitmap* src, const TRect& part, bool opaque) {
    if (!src || src->Empty() || IsNullRect(part)) return;
    HDC s = src->Canvas()->Handle();
    if (opaque) {
        BitBlt(dst, dx, dy, part.Width(), part.Height(), s, part.left, part.top, SRCCOPY);
        return;
    }
    const COLORREF key = bsPictureColor(src, 0, src->Height() - 1);
    TransparentBlt(dst, dx, dy, part.Width(), part.Height(), s, part.left, part.top, part.Width(), part.Height(), key);
}
}  // namespace

void MakeDefaultSliderImage(TbsSliderImage i, TBitmap* b) {
    const bool thumb = i == siHThumb || i == siVThumb;
    const bool horz = i == siHThumb || i == siHRuler;
    if (thumb) {
        const int w = horz ? 11 : 21, h = horz ? 21 : 11;
        b->SetSize(w * 2, h);
        TCanvas* c = b->Canvas();
        Fill(c, TRect(0, 0, w * 2, h), clFuchsia);
        for (int s = 0; s < 2; ++s) {
            TRect r(s * w + 1, 1, s * w + w - 1, h - 1);
            Fill(c, r, s == 0 ? clBtnFace : bsPlainHotFill);
            c->Frame3D(r, clBtnHighlight, cl3DDkShadow, 1);
        }
        return;
    }
    const int len = 20, across = 6;
    b->SetSize(horz ? len : across, horz ? across : len);
    TCanvas* c = b->Canvas();
    TRect r(0, 0, b->Width(), b->Height());
    Fill(c, r, clWindow);
    c->Frame3D(r, clBtnShadow, clBtnHighlight, 1);
    c->Frame3D(r, cl3DDkShadow, clBtnFace, 1);
}

TbsSkinCustomSlider::TbsSkinCustomSlider(TComponent* owner) : TbsSkinControl(owner) {
    ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks;
    DoubleBuffered = true;
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(true);
    FSkinDataName = L"slider";
    for (int i = 0; i < 4; ++i) LoadDefaultImage(static_cast<TbsSliderImage>(i));
    SetBounds(Left(), Top(), 150, 40);
    FCreating = false;
    UpdateLayout();
}

TbsSkinCustomSlider::~TbsSkinCustomSlider() {
    OnChange = nullptr;
    OnChanged = nullptr;
    OnDrawPoints = nullptr;
    for (auto& img : FImages)
        if (img) img->OnChange = nullptr;
    if (FTimerActive && HandleAllocated()) platform::KillWindowTimer(Handle(), kJumpTimer);
}

void TbsSkinCustomSlider::LoadDefaultImage(TbsSliderImage i) {
    if (!FImages[i]) {
        FImages[i] = std::make_unique<TBitmap>();
        FImages[i]->OnChange = [this](TObject*) {
            if (!FCreating) UpdateLayout();
        };
    }
    const bool creating = FCreating;
    FCreating = true;
    MakeDefaultSliderImage(i, FImages[i].get());
    FCreating = creating;
}

// ---- properties --------------------------------------------------------------------------------------------

void TbsSkinCustomSlider::SetImage(TbsSliderImage i, TBitmap* v) {
    if (v) {
        FImages[i]->Assign(v);
        FUserImages |= 1u << i;
    } else {
        LoadDefaultImage(i);
        FUserImages &= ~(1u << i);
        if (!Has(csReading)) FOptions &= ~((i == siHThumb || i == siVThumb) ? soThumbOpaque : soRulerOpaque);
    }
    UpdateLayout();
}

void TbsSkinCustomSlider::SetValue(int v) {
    v = std::min(v, FMaxValue);
    v = std::max(v, FMinValue);
    const int old = FValue;
    FValue = v;
    // The thumb is painted anew where it was and where it goes, whoever
    // set the value (code, keys or a press on the ruler).
    RepaintThumbArea();
    PlaceThumb(ValueToOffset(v));
    RepaintThumbArea();
    if (v != old) DoChange();
}

void TbsSkinCustomSlider::SetRangeValues(int aMin, int aMax) {
    if (aMin == FMinValue && aMax == FMaxValue) return;
    const bool reading = Has(csReading);
    if (aMin >= aMax && !reading) return;
    FMinValue = aMin;
    FMaxValue = aMax;
    if (!reading && aMax < aMin + FIncrement) FIncrement = aMax - aMin;
    if (FOptions & soShowPoints) Invalidate();
    SetValue(FValue);
}

void TbsSkinCustomSlider::SetIncrement(int v) {
    if (v <= 0 || v == FIncrement) return;
    FIncrement = v;
    SetValue(FValue);
    Invalidate();
}

void TbsSkinCustomSlider::SetOrientation(TbsSliderOrientation v) {
    if (v == FOrientation) return;
    FOrientation = v;
    UpdateLayout();
}

void TbsSkinCustomSlider::SetEdgeSize(int v) {
    TBitmap* ruler = Horizontal() ? FImages[siHRuler].get() : FImages[siVRuler].get();
    const int len = Horizontal() ? ruler->Width() : ruler->Height();
    if (2 * v >= len || v == FEdgeSize || v < 0) return;
    FEdgeSize = v;
    UpdateLayout();
}

void TbsSkinCustomSlider::SetNumThumbStates(int v) {
    v = v < 1 ? 1 : (v > 2 ? 2 : v);
    if (v == FNumThumbStates) return;
    FNumThumbStates = v;
    UpdateLayout();
}

void TbsSkinCustomSlider::SetOptions(TbsSliderOptions v) {
    if (v == FOptions) return;
    FOptions = v;
    Invalidate();
}

void TbsSkinCustomSlider::SetTransparent(bool v) {
    FTransparent = v;
    Invalidate();
}

// ---- skin ---------------------------------------------------------------------------------------------------

void TbsSkinCustomSlider::GetSkinData() {
    TbsSkinControl::GetSkinData();
    Picture = nullptr;
    if (FIndex == -1) return;
    auto* r = dynamic_cast<TbsDataSkinSlider*>(SkinRecord());
    // A record of another kind or without its picture gives the plain look.
    if (!r || !ActivePicture(r->PictureIndex) || IsNullRect(r->HRulerRect) || IsNullRect(r->VRulerRect) ||
        IsNullRect(r->HThumbRect) || IsNullRect(r->VThumbRect)) {
        FIndex = -1;
        return;
    }
    Picture = ActivePicture(r->PictureIndex);
    HRulerRect = r->HRulerRect;
    HThumbRect = r->HThumbRect;
    VRulerRect = r->VRulerRect;
    VThumbRect = r->VThumbRect;
    SkinEdgeSize = r->EdgeSize;
    BGColor = r->BGColor;
    PointsColor = r->PointsColor;
}

void TbsSkinCustomSlider::ChangeSkinData() {
    UpdateLayout();
    Repaint();
}

// ---- layout ---------------------------------------------------------------------------------------------------

void TbsSkinCustomSlider::BuildSkinRuler() {
    const TRect R = WorkRect();
    if (Horizontal())
        CreateHSkinImage(SkinEdgeSize, SkinEdgeSize, &FRuler, Picture, HRulerRect, std::max<int>(0, R.Width() - 12),
                         HRulerRect.Height(), false);
    else
        CreateVSkinImage(SkinEdgeSize, SkinEdgeSize, &FRuler, Picture, VRulerRect, VRulerRect.Width(),
                         std::max<int>(0, R.Height() - 12), false);
}

void TbsSkinCustomSlider::BuildImageRuler() {
    const TRect R = WorkRect();
    TBitmap* img = Horizontal() ? FImages[siHRuler].get() : FImages[siVRuler].get();
    const int n = std::max<int>(0, Horizontal() ? R.Width() - 12 : R.Height() - 12);
    const int f = Horizontal() ? img->Width() : img->Height();
    const int across = Horizontal() ? img->Height() : img->Width();
    if (Horizontal()) FRuler.SetSize(n, across);
    else FRuler.SetSize(across, n);
    if (n == 0 || f == 0) return;
    const int E = FEdgeSize, s = f - 2 * E, a = n - 2 * E;
    HDC d = FRuler.Canvas()->Handle(), src = img->Canvas()->Handle();
    // Copies `len` pixels along the ruler from image position `from` to `to`.
    auto piece = [&](int from, int to, int len) {
        if (len <= 0) return;
        if (Horizontal()) BitBlt(d, to, 0, len, across, src, from, 0, SRCCOPY);
        else BitBlt(d, 0, to, across, len, src, 0, from, SRCCOPY);
    };
    if (s <= 0) {
        piece(0, 0, std::min(f, n));
        return;
    }
    const int count = a > 0 ? a / s + 1 : 1, rest = a > 0 ? a % s : 0;
    piece(0, 0, std::min(f - E, n));
    for (int i = 1; i < count - 1; ++i) piece(E, E + i * s, s);
    if (count - 1 >= 1) piece(E + s - rest, E + (count - 1) * s, E + rest);
}

int TbsSkinCustomSlider::RulerLength() const { return Horizontal() ? FRuler.Width() : FRuler.Height(); }

int TbsSkinCustomSlider::VThumbHeight() const {
    return SkinThumb() ? VThumbRect.Height() : FImages[siVThumb]->Height();
}

int TbsSkinCustomSlider::GetRulerSpan() {
    if (SkinThumb())
        return Horizontal() ? FRuler.Width() - HThumbRect.Width() / 2 : FRuler.Height() - VThumbRect.Height();
    return Horizontal() ? FRuler.Width() - FImages[siHThumb]->Width() / FNumThumbStates
                        : FRuler.Height() - FImages[siVThumb]->Height();
}

void TbsSkinCustomSlider::UpdateLayout() {
    if (FCreating) return;
    GetSkinData();
    const int remembered = FValue;
    const TRect R = WorkRect();
    if (FIndex != -1) BuildSkinRuler();
    else BuildImageRuler();
    int tw, th;
    if (SkinThumb()) {
        const TRect& t = Horizontal() ? HThumbRect : VThumbRect;
        tw = t.Width() / 2, th = t.Height();
    } else {
        TBitmap* img = Horizontal() ? FImages[siHThumb].get() : FImages[siVThumb].get();
        tw = img->Width() / FNumThumbStates, th = img->Height();
    }
    const int rw = FRuler.Width(), rh = FRuler.Height();
    const int x0 = R.left + kMargin, y0 = R.top + kMargin;
    if (Horizontal()) {
        if (th > rh) {
            FThumbRect = Bounds(x0, y0, tw, th);
            FRulerOrg = TPoint(x0, y0 + (th - rh) / 2);
            FPointsRect = TRect(FRulerOrg.x, y0 + th + 1, FRulerOrg.x + rw, R.bottom - R.top - 1);
        } else {
            FThumbRect = Bounds(x0, y0 + (rh - th) / 2, tw, th);
            FRulerOrg = TPoint(x0, y0);
            FPointsRect = TRect(FRulerOrg.x, y0 + rh + 1, FRulerOrg.x + rw, R.bottom - R.top - 1);
        }
    } else {
        if (tw > rw) {
            FThumbRect = Bounds(x0, y0, tw, th);
            FRulerOrg = TPoint(x0 + (tw - rw) / 2, y0);
            FPointsRect = TRect(x0 + tw + 1, FRulerOrg.y, R.right - R.left - 1, FRulerOrg.y + rh);
        } else {
            FThumbRect = Bounds(x0 + (rw - tw) / 2, y0, tw, th);
            FRulerOrg = TPoint(x0, y0);
            FPointsRect = TRect(x0 + rw + 1, FRulerOrg.y, R.right - R.left - 1, FRulerOrg.y + rh);
        }
    }
    FValue = remembered;
    PlaceThumb(ValueToOffset(FValue));
    Invalidate();
}

// ---- value and offset -----------------------------------------------------------------------------------------

int TbsSkinCustomSlider::ValueToOffset(int v) {
    const TRect R = WorkRect();
    const int start = Horizontal() ? R.left + kMargin : R.top + kMargin;
    const double range = double(FMaxValue) - FMinValue;
    // A range of 0 puts every value at the start.
    int p = range == 0 ? start : start + RoundEven(GetRulerSpan() * (v - FMinValue) / range);
    if (!Horizontal()) p = R.top + R.bottom - p - VThumbHeight();
    return std::max(p, start);
}

int TbsSkinCustomSlider::OffsetToValue(int p) {
    if (!Horizontal()) p = Height() - p - VThumbHeight();
    const double range = double(FMaxValue) - FMinValue;
    const int span = GetRulerSpan();
    // Nothing to divide by: the minimum.
    if (span == 0 || range == 0) return FMinValue;
    int x = RoundEven((p - kMargin) * range / span);
    if (!(FOptions & soSmooth) && FIncrement > 0) x = RoundEven(double(x) / FIncrement) * FIncrement;
    return std::min(std::max(x, 0) + FMinValue, FMaxValue);
}

int TbsSkinCustomSlider::SnapThumbOffset(int p) {
    const int start = kMargin, end = start + std::max(GetRulerSpan(), 0);
    p = std::clamp(p, start, end);
    p = ValueToOffset(OffsetToValue(p));
    return std::min(p, end);
}

void TbsSkinCustomSlider::PlaceThumb(int p) {
    p = SnapThumbOffset(p);
    const int w = FThumbRect.Width(), h = FThumbRect.Height();
    if (Horizontal()) FThumbRect = Bounds(p, FThumbRect.top, w, h);
    else FThumbRect = Bounds(FThumbRect.left, p, w, h);
}

void TbsSkinCustomSlider::RepaintThumbArea() {
    if (!HandleAllocated()) return;
    ::InvalidateRect(Handle(), &FThumbRect, !(ControlStyle & csOpaque));
}

void TbsSkinCustomSlider::MoveThumbTo(int p) {
    RepaintThumbArea();
    PlaceThumb(p);
    RepaintThumbArea();
    if (FSliding) {
        const int v = OffsetToValue(Horizontal() ? FThumbRect.left : FThumbRect.top);
        if (v != FValue) {
            FValue = v;
            DoChange();
        }
    }
}

// ---- pointer ------------------------------------------------------------------------------------------------------

TbsJumpMode TbsSkinCustomSlider::JumpModeAtPoint(int x, int y) const {
    if (Horizontal()) {
        if (x < FThumbRect.left) return jmPrior;
        if (x >= FThumbRect.right) return jmNext;
    } else {
        if (y < FThumbRect.top) return jmNext;
        if (y >= FThumbRect.bottom) return jmPrior;
    }
    return jmNone;
}

void TbsSkinCustomSlider::JumpValue(TbsJumpMode mode) {
    int target = FValue;
    const int inc = std::max(FIncrement, 1);
    switch (mode) {
    case jmHome: target = FMinValue; break;
    case jmEnd: target = FMaxValue; break;
    case jmNext: target = inc * RoundEven(double(FValue) / inc) + inc; break;
    case jmPrior: target = inc * RoundEven(double(FValue) / inc) - inc; break;
    default: return;
    }
    if (target >= FMaxValue) target = FMaxValue;
    if (target <= FMinValue) target = FMinValue;
    if (target != FValue) SetValue(target);
}

void TbsSkinCustomSlider::TrackJumpStep() {
    const TbsJumpMode mode = JumpModeAtPoint(FMousePos.x, FMousePos.y);
    if (mode != FStartJump || mode == jmNone) return;
    JumpValue(mode);
    if (!FTimerActive && HandleAllocated()) {
        platform::SetWindowTimer(Handle(), kJumpTimer, 400);
        FTimerActive = true;
    }
}

void TbsSkinCustomSlider::StopTrackJump() {
    if (!FTracking) return;
    if (FTimerActive && HandleAllocated()) platform::KillWindowTimer(Handle(), kJumpTimer);
    FTimerActive = false;
    FTracking = false;
    SetMouseCapture(false);
    DoChanged();
}

void TbsSkinCustomSlider::ThumbPress(TMouseButton button, int x, int y) {
    if (CanFocus() && !Focused()) SetFocus();
    if (button != mbLeft || ReadOnly) return;
    FSliding = true;
    FThumbDown = true;
    FHit = Horizontal() ? x - FThumbRect.left : y - FThumbRect.top;
    RepaintThumbArea();
    if (HandleAllocated()) UpdateWindow(Handle());
}

void TbsSkinCustomSlider::ThumbRelease(TMouseButton button) {
    if (button != mbLeft) return;
    FSliding = false;
    FThumbDown = false;
    RepaintThumbArea();
    if (HandleAllocated()) UpdateWindow(Handle());
    if (!ReadOnly) DoChanged();
}

void TbsSkinCustomSlider::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || (shift & ssDouble)) return;
    if (CanFocus() && !Focused()) SetFocus();
    if (FThumbRect.Contains(TPoint(x, y))) {
        ThumbPress(button, x, y);
        return;
    }
    TRect ruler = Bounds(FRulerOrg.x, FRulerOrg.y, FRuler.Width(), FRuler.Height());
    if (Horizontal()) ruler.top -= 3, ruler.bottom += 3;
    else ruler.left -= 3, ruler.right += 3;
    if (!ruler.Contains(TPoint(x, y)) || ReadOnly) return;
    SetMouseCapture(true);
    FTracking = true;
    FMousePos = TPoint(x, y);
    FStartJump = JumpModeAtPoint(x, y);
    TrackJumpStep();
}

void TbsSkinCustomSlider::MouseMove(TShiftState shift, int x, int y) {
    if (FSliding && (shift & ssLeft) && !ReadOnly) MoveThumbTo(Horizontal() ? x - FHit : y - FHit);
    if (FTracking) FMousePos = TPoint(x, y);
    TbsSkinControl::MouseMove(shift, x, y);
}

void TbsSkinCustomSlider::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    StopTrackJump();
    if (FSliding) ThumbRelease(button);
    TbsSkinControl::MouseUp(button, shift, x, y);
}

// ---- keyboard -------------------------------------------------------------------------------------------------------

bool TbsSkinCustomSlider::KeyDownMsg(WORD key) {
    if (KeyboardShiftState() & (ssShift | ssCtrl | ssAlt)) return false;
    TbsJumpMode mode = jmNone;
    if (key == VK_HOME) mode = jmHome;
    else if (key == VK_END) mode = jmEnd;
    else if (Horizontal() && key == VK_LEFT) mode = jmPrior;
    else if (Horizontal() && key == VK_RIGHT) mode = jmNext;
    else if (!Horizontal() && key == VK_UP) mode = jmNext;
    else if (!Horizontal() && key == VK_DOWN) mode = jmPrior;
    if (mode == jmNone || ReadOnly) return false;
    JumpValue(mode);
    DoChanged();
    return true;
}

// ---- painting ---------------------------------------------------------------------------------------------------------

void TbsSkinCustomSlider::DrawScalePoints(TCanvas* c, int step, int pointsHeight, int extremeHeight) {
    const double range = double(FMaxValue) - FMinValue;
    const int span = GetRulerSpan();
    if (step <= 0 || range <= 0 || span <= 0) return;
    c->Pen()->SetColor(FIndex == -1 ? clWindowText : PointsColor);
    int count = 1, spacing = span;
    for (int k = 1;; ++k) {
        count = RoundEven(range / (double(step) * k)) + 1;
        spacing = count > 1 ? span / (count - 1) : span;
        if (spacing >= 4 || spacing >= span) {
            step *= k;
            break;
        }
    }
    const int tw = FThumbRect.Width(), vt = VThumbHeight();
    for (int i = 1; i <= count; ++i) {
        const int v = i == count ? FMaxValue : FMinValue + (i - 1) * step;
        const int len = (v == FMinValue || v == FMaxValue) ? extremeHeight : pointsHeight;
        if (Horizontal()) {
            const int x = ValueToOffset(v) + tw / 2;
            c->MoveTo(x, FPointsRect.top);
            c->LineTo(x, FPointsRect.top + len);
        } else {
            const int y = ValueToOffset(v) + vt / 2;
            c->MoveTo(FPointsRect.left, y);
            c->LineTo(FPointsRect.left + len, y);
        }
    }
}

void TbsSkinCustomSlider::DrawThumb(TCanvas* c) {
    const bool second = FThumbDown || !Enabled();
    HDC dc = c->Handle();
    if (SkinThumb()) {
        const TRect& t = Horizontal() ? HThumbRect : VThumbRect;
        const int w = t.Width() / 2;
        const TRect part = Bounds(t.left + (second ? w : 0), t.top, w, t.Height());
        TBitmap b(w, t.Height());
        BitBlt(b.Canvas()->Handle(), 0, 0, w, t.Height(), Picture->Canvas()->Handle(), part.left, part.top, SRCCOPY);
        DrawPart(dc, FThumbRect.left, FThumbRect.top, &b, TRect(0, 0, w, t.Height()), false);
        return;
    }
    TBitmap* img = Horizontal() ? FImages[siHThumb].get() : FImages[siVThumb].get();
    const int w = img->Width() / FNumThumbStates;
    const TRect part = Bounds((FNumThumbStates == 2 && second) ? w : 0, 0, w, img->Height());
    DrawPart(dc, FThumbRect.left, FThumbRect.top, img, part, (FOptions & soThumbOpaque) != 0);
}

void TbsSkinCustomSlider::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    TBitmap B(Width(), Height());
    TCanvas* c = B.Canvas();
    if (FTransparent) DrawParentImage(this, c);
    else Fill(c, TRect(0, 0, Width(), Height()), FIndex == -1 ? Color() : BGColor);
    if (FRuler.Width() != 0 && FRuler.Height() != 0)
        DrawPart(c->Handle(), FRulerOrg.x, FRulerOrg.y, &FRuler, TRect(0, 0, FRuler.Width(), FRuler.Height()),
                 (FOptions & soRulerOpaque) && FIndex == -1);
    if ((FOptions & soShowFocus) && FFocused && !Has(csDesigning)) {
        TRect r = WorkRect();
        r = TRect(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
        if (FIndex != -1 && FSD) c->Font()->SetColor(FSD->SkinColors()->cBtnText);
        DrawDottedFocusRect(c, r);
    }
    if (FOptions & soShowPoints) {
        if (OnDrawPoints) {
            // The handler draws on the slider's canvas: during the paint
            // that canvas is the picture being composed.
            TCanvas* shown = Canvas();
            const HDC target = shown->Handle();
            shown->SetHandle(c->Handle());
            try {
                OnDrawPoints(this);
            } catch (...) {
                shown->SetHandle(target);
                throw;
            }
            shown->SetHandle(target);
        } else {
            DrawScalePoints(c, FIncrement, 3, 5);
        }
    }
    DrawThumb(c);
    DrawToCanvas(&B);
}

// ---- messages -----------------------------------------------------------------------------------------------------------

void TbsSkinCustomSlider::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS;
        return;
    case WM_KEYDOWN:
        if (KeyDownMsg(static_cast<WORD>(m.WParam))) return;
        break;
    case WM_TIMER:
        TbsSkinControl::WndProc(m);
        if (m.WParam == kJumpTimer && FTracking) TrackJumpStep();
        return;
    case WM_SIZE:
        TbsSkinControl::WndProc(m);
        if (!Has(csReading)) UpdateLayout();
        return;
    case CM_FOCUSCHANGED: {
        TbsSkinControl::WndProc(m);
        const bool f = reinterpret_cast<TWinControl*>(m.LParam) == this;
        if (f != FFocused) {
            FFocused = f;
            if (FOptions & soShowFocus) Invalidate();
        }
        return;
    }
    case CM_ENABLEDCHANGED:
        TbsSkinControl::WndProc(m);
        RepaintThumbArea();
        return;
    case WM_CHECKPARENTBG:
        if (FTransparent) Repaint();
        return;
    case WM_MOVE:
        TbsSkinControl::WndProc(m);
        if (FTransparent) Invalidate();
        return;
    default:
        break;
    }
    TbsSkinControl::WndProc(m);
}
