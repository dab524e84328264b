#include "skin/controls/bsSkinCtrlsScrollBar.h"

#include <windowsx.h>

#include <cmath>

#include "platform/Clock.h"

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr int kPlainThumb = 16;

int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

TbsSkinScrollBar::TbsSkinScrollBar(TComponent* owner) : TbsSkinCustomControl(owner) {
    FSkinDataName = L"hscrollbar";
    FDefaultHeight = 19;
    SetBounds(Left(), Top(), 200, 19);
}

TbsSkinScrollBar::~TbsSkinScrollBar() { StopTimer(); }

// ---- range and position ------------------------------------------------------------------------------

int TbsSkinScrollBar::Clamp(int v) const {
    if (FPageSize == 0) v = std::min(v, FMax);
    else v = std::min(v, FMax - FPageSize + 1);
    // Min stays the lower bound even when the page exceeds the range.
    return std::max(v, FMin);
}

void TbsSkinScrollBar::SetPosition(int v) {
    v = Clamp(v);
    if (v == FPosition) return;
    FPosition = v;
    Repaint();
    Fire(OnChange);
}

void TbsSkinScrollBar::SimplySetPosition(int v) {
    v = Clamp(v);
    if (v == FPosition) return;
    FPosition = v;
    Repaint();
}

void TbsSkinScrollBar::SetRange(int aMin, int aMax, int aPosition, int aPageSize) {
    FMin = aMin;
    FMax = aMax;
    FPageSize = aPageSize;
    FPosition = Clamp(aPosition);
    Repaint();
}

void TbsSkinScrollBar::SetMin(int v) {
    FMin = v;
    if (FPosition < FMin) FPosition = FMin;
    Repaint();
}

void TbsSkinScrollBar::SetMax(int v) {
    FMax = v;
    if (FPageSize == 0) {
        if (FPosition > FMax) FPosition = FMax;
    } else if (FMax - FMin < FPageSize + FPosition) {
        FPosition = std::max(FMax - FMin - FPageSize + 1, FMin);
    }
    Repaint();
}

void TbsSkinScrollBar::SetPageSize(int v) {
    if (FPosition + v <= FMax - FMin + 1) FPageSize = v;
    Repaint();
}

void TbsSkinScrollBar::SetSmallChange(int v) {
    FSmallChange = v;
    Repaint();
}

void TbsSkinScrollBar::SetLargeChange(int v) {
    FLargeChange = v;
    Repaint();
}

void TbsSkinScrollBar::SetBoth(bool v) {
    if (v == FBoth) return;
    FBoth = v;
    if (!Has(csDesigning)) {
        if (v) {
            FNormalSkinDataName = FSkinDataName;
            FSkinDataName = BothSkinDataName;
        } else if (!FNormalSkinDataName.empty()) {
            FSkinDataName = FNormalSkinDataName;
        }
    }
    if (FIndex == -1) Repaint();
    else ChangeSkinData();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int v) {
    if (v < 0) return;
    FBothMarkerWidth = v;
    if (FIndex == -1) Repaint();
}

void TbsSkinScrollBar::SetCanFocused(bool v) {
    FCanFocused = v;
    SetTabStop(v);
}

void TbsSkinScrollBar::SetKind(TScrollBarKind v) {
    if (v == FKind) return;
    FKind = v;
    if (Has(csDesigning) && !Has(csLoading)) {
        if (v == sbVertical) {
            FSkinDataName = L"vscrollbar";
            if (Height() < Width()) SetBounds(Left(), Top(), Height(), Width());
            FDefaultWidth = FDefaultHeight, FDefaultHeight = 0;
        } else {
            FSkinDataName = L"hscrollbar";
            if (Width() < Height()) SetBounds(Left(), Top(), Height(), Width());
            FDefaultHeight = FDefaultWidth, FDefaultWidth = 0;
        }
    }
    Repaint();
}

// ---- skin ----------------------------------------------------------------------------------------------

bool TbsSkinScrollBar::RecordFits(TbsDataSkinControl* record) const {
    return dynamic_cast<TbsDataSkinScrollBarControl*>(record) != nullptr;
}

void TbsSkinScrollBar::GetSkinData() {
    TbsSkinCustomControl::GetSkinData();
    auto* r = dynamic_cast<TbsDataSkinScrollBarControl*>(SkinRecord());
    if (FIndex == -1 || !r) return;
    TrackArea = r->TrackArea;
    UpButtonRect = r->UpButtonRect;
    ActiveUpButtonRect = r->ActiveUpButtonRect;
    DownUpButtonRect = r->DownUpButtonRect;
    DownButtonRect = r->DownButtonRect;
    ActiveDownButtonRect = r->ActiveDownButtonRect;
    DownDownButtonRect = r->DownDownButtonRect;
    ThumbRect = r->ThumbRect;
    ActiveThumbRect = r->ActiveThumbRect;
    DownThumbRect = r->DownThumbRect;
    ThumbOffset1Skin = r->ThumbOffset1;
    ThumbOffset2Skin = r->ThumbOffset2;
    ThumbTransparent = r->ThumbTransparent;
    ThumbTransparentColor = r->ThumbTransparentColor;
    ThumbStretchEffect = r->ThumbStretchEffect;
    ThumbMinSize = r->ThumbMinSize;
    ThumbMinPageSize = r->ThumbMinPageSize;
    GlyphRect = r->GlyphRect;
    ActiveGlyphRect = r->ActiveGlyphRect;
    DownGlyphRect = r->DownGlyphRect;
    GlyphTransparent = r->GlyphTransparent;
    GlyphTransparentColor = r->GlyphTransparentColor;
    if (IsNullRect(DownUpButtonRect)) DownUpButtonRect = ActiveUpButtonRect;
    if (IsNullRect(DownDownButtonRect)) DownDownButtonRect = ActiveDownButtonRect;
    if (IsNullRect(ActiveThumbRect)) ActiveThumbRect = ThumbRect;
    if (IsNullRect(DownThumbRect)) DownThumbRect = ActiveThumbRect;
    if (IsNullRect(ActiveGlyphRect)) ActiveGlyphRect = GlyphRect;
    if (IsNullRect(DownGlyphRect)) DownGlyphRect = ActiveGlyphRect;
}

void TbsSkinScrollBar::CalcSize(int& w, int& h) {
    TbsSkinCustomControl::CalcSize(w, h);
    CalcRects();
}

// ---- geometry -------------------------------------------------------------------------------------------

void TbsSkinScrollBar::CalcRects() {
    const double k0 = FMax == FMin ? 0.0 : double(FPosition - FMin) / double(FMax - FMin);
    TRect track;
    int minLen = kPlainThumb;
    int crossStart = 0, crossEnd = 0;
    if (FIndex == -1) {
        const int H = Height(), W = Width();
        if (Horizontal()) {
            const int w = FBoth ? W - FBothMarkerWidth : W;
            Buttons[2].R = TRect(1, 1, 17, H - 1);
            Buttons[1].R = TRect(w - 17, 1, w - 1, H - 1);
            track = TRect(17, 1, w - 17, H - 1);
        } else {
            Buttons[2].R = TRect(1, 1, W - 1, 17);
            Buttons[1].R = TRect(1, H - 17, W - 1, H - 1);
            track = TRect(1, 17, W - 1, H - 17);
        }
        crossStart = Horizontal() ? track.top : track.left;
        crossEnd = Horizontal() ? track.bottom : track.right;
    } else {
        const int d = Horizontal() ? Width() - SkinRect.Width() : Height() - SkinRect.Height();
        NewTrackArea = TrackArea;
        if (Horizontal()) NewTrackArea.right += d;
        else NewTrackArea.bottom += d;
        track = NewTrackArea;
        Buttons[1].R = UpButtonRect;
        Buttons[2].R = DownButtonRect;
        for (int i = 1; i <= 2; ++i) {
            TRect& r = Buttons[i].R;
            if (Horizontal() && r.left > RTPt.x) r.Offset(d, 0);
            if (!Horizontal() && r.top > LBPt.y) r.Offset(0, d);
        }
        minLen = Horizontal() ? ThumbRect.Width() : ThumbRect.Height();
        if (ThumbMinSize != 0) minLen = ThumbMinSize;
        const int across = Horizontal() ? ThumbRect.Height() : ThumbRect.Width();
        const int tStart = Horizontal() ? track.top : track.left;
        const int tSize = Horizontal() ? track.Height() : track.Width();
        crossStart = tStart + tSize / 2 - across / 2;
        crossEnd = crossStart + across;
    }
    const int a = Horizontal() ? track.left : track.top;
    const int b = Horizontal() ? track.right : track.bottom;
    int len;
    double k;
    if (FPageSize == 0) {
        len = minLen;
        if (FIndex != -1 && ThumbMinPageSize != 0) len = ThumbMinPageSize;
        k = k0;
    } else {
        const int span = FMax - FMin + 1;
        len = span == 0 ? 0 : RoundEven(double(b - a) * FPageSize / span);
        len = std::max(len, minLen);
        if (FMin < FMax - FPageSize + 1) k = double(FPosition - FMin) / double(FMax - FPageSize + 1 - FMin);
        else k = Horizontal() ? 1.0 : 0.0;
    }
    const int half = len / 2;
    Offset1 = a + half;
    Offset2 = b - half;
    BOffset = RoundEven((Offset2 - Offset1) * k);
    const int s = Offset1 + BOffset - half, e = Offset1 + BOffset + half;
    Buttons[0].R = Horizontal() ? TRect(s, crossStart, e, crossEnd) : TRect(crossStart, s, crossEnd, e);
}

int TbsSkinScrollBar::CalcValue(double offset) {
    if (FPageSize == 0) {
        const int span = Offset2 - Offset1;
        double f = span > 0 ? offset / span : 0.0;
        f = std::clamp(f, 0.0, 1.0);
        return FMin + RoundEven((FMax - FMin) * f);
    }
    const TRect& t = Buttons[0].R;
    const int half = (Horizontal() ? t.Width() : t.Height()) / 2;
    const TRect track = FIndex == -1 ? TRect() : NewTrackArea;
    int a, b;
    if (FIndex == -1) {
        const int w = Horizontal() ? (FBoth ? Width() - FBothMarkerWidth : Width()) : Height();
        a = 17, b = w - 17;
    } else {
        a = Horizontal() ? track.left : track.top;
        b = Horizontal() ? track.right : track.bottom;
    }
    Offset1 = a + half;
    Offset2 = b - half;
    const int span = Offset2 - Offset1;
    double f = span > 0 ? (offset + OldBOffset) / span : 0.0;
    f = std::clamp(f, 0.0, 1.0);
    return FMin + RoundEven((FMax - FMin - FPageSize + 1) * f);
}

// ---- pointer ----------------------------------------------------------------------------------------------

void TbsSkinScrollBar::TestActive(int x, int y) {
    int found = -1;
    for (int i = 0; i < 3; ++i)
        if (Buttons[i].R.Contains(TPoint(x, y))) {
            found = i;
            break;
        }
    if (CaptureButton != -1 && found != CaptureButton) found = -1;
    OldActiveButton = ActiveButton;
    ActiveButton = found;
    if (ActiveButton == OldActiveButton) return;
    if (OldActiveButton != -1) ButtonLeave(OldActiveButton);
    if (ActiveButton != -1) ButtonEnter(ActiveButton);
}

void TbsSkinScrollBar::ButtonLeave(int i) {
    Buttons[i].MouseIn = false;
    Repaint();
    if ((i == 1 || i == 2) && Buttons[i].Down && HandleAllocated()) {
        platform::KillWindowTimer(Handle(), kRepeatTimer);
        FTimerRunning = false;
    }
}

void TbsSkinScrollBar::ButtonEnter(int i) {
    Buttons[i].MouseIn = true;
    Repaint();
    if ((i == 1 || i == 2) && Buttons[i].Down) StartTimer(50);
}

void TbsSkinScrollBar::StepDown() {
    if (OnDownButtonClick) OnDownButtonClick(this);
    else SetPosition(FPosition - FSmallChange);
}

void TbsSkinScrollBar::StepUp() {
    if (OnUpButtonClick) OnUpButtonClick(this);
    else SetPosition(FPosition + FSmallChange);
}

void TbsSkinScrollBar::ButtonDown(int i, int x, int y) {
    Buttons[i].Down = true;
    Repaint();
    switch (i) {
    case 0:
        OMPos = Along(x, y);
        OldBOffset = BOffset;
        FDown = true;
        Repaint();
        break;
    case 1:
        StepUp();
        TimerMode = 2;
        StartTimer(500);
        break;
    case 2:
        StepDown();
        TimerMode = 1;
        StartTimer(500);
        break;
    default:
        break;
    }
}

void TbsSkinScrollBar::ButtonUp(int i, int x, int y) {
    Buttons[i].Down = false;
    Buttons[i].MouseIn = Buttons[i].R.Contains(TPoint(x, y));
    if (!Buttons[i].MouseIn && ActiveButton == i) ActiveButton = -1;
    Repaint();
    if (i == 0) FDown = false;
    else StopTimer();
}

void TbsSkinScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    MouseD = true;
    MX = x, MY = y;
    CalcRects();
    TimerMode = 0;
    WaitMode = true;
    TestActive(x, y);
    for (int i = 0; i < 3; ++i) {
        if (i == 0 && !Enabled()) continue;
        if (Buttons[i].R.Contains(TPoint(x, y))) {
            CaptureButton = i;
            ButtonDown(i, x, y);
            return;
        }
    }
    const TRect track = FIndex == -1 ? TRect(Buttons[2].R.right, Buttons[2].R.top, Buttons[1].R.left, Buttons[1].R.bottom)
                                     : NewTrackArea;
    const TRect trackV = FIndex == -1 ? TRect(Buttons[2].R.left, Buttons[2].R.bottom, Buttons[1].R.right, Buttons[1].R.top)
                                      : NewTrackArea;
    const TRect& tr = Horizontal() ? track : trackV;
    if (!tr.Contains(TPoint(x, y))) return;
    const TRect& t = Buttons[0].R;
    if (Along(x, y) < (Horizontal() ? t.left : t.top)) {
        SetPosition(FPosition - FLargeChange);
        TimerMode = 3;
        StartTimer(500);
        Fire(OnPageUp);
    } else {
        SetPosition(FPosition + FLargeChange);
        TimerMode = 4;
        StartTimer(500);
        Fire(OnPageDown);
    }
}

void TbsSkinScrollBar::MouseMove(TShiftState shift, int x, int y) {
    MX = x, MY = y;
    TestActive(x, y);
    if (FDown) {
        const int along = Along(x, y);
        const double offset = FPageSize == 0 ? along - OMPos + OldBOffset : along - OMPos;
        SetPosition(CalcValue(offset));
    }
    TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
    MouseD = false;
    if (TimerMode == 3 || TimerMode == 4) StopTimer();
    const int captured = CaptureButton;
    if (captured != -1) ButtonUp(captured, x, y);
    if (button == mbLeft && captured == 0) Fire(OnLastChange);
    CaptureButton = -1;
}

// ---- timer ------------------------------------------------------------------------------------------------

void TbsSkinScrollBar::StartTimer(UINT ms) {
    if (!HandleAllocated()) return;
    platform::SetWindowTimer(Handle(), kRepeatTimer, ms);
    FTimerRunning = true;
}

void TbsSkinScrollBar::StopTimer() {
    if (FTimerRunning && HandleAllocated()) platform::KillWindowTimer(Handle(), kRepeatTimer);
    FTimerRunning = false;
    TimerMode = 0;
}

void TbsSkinScrollBar::TimerStep() {
    if (WaitMode) {
        WaitMode = false;
        StartTimer(50);
        return;
    }
    switch (TimerMode) {
    case 1:
        StepDown();
        break;
    case 2:
        StepUp();
        break;
    case 3:
    case 4: {
        TestActive(MX, MY);
        CalcRects();
        const TRect& t = Buttons[0].R;
        const int p = Along(MX, MY);
        if (TimerMode == 3 && p < (Horizontal() ? t.left : t.top)) {
            SetPosition(FPosition - FLargeChange);
            Fire(OnPageUp);
        } else if (TimerMode == 4 && p > (Horizontal() ? t.right : t.bottom)) {
            SetPosition(FPosition + FLargeChange);
            Fire(OnPageDown);
        } else {
            StopTimer();
        }
        break;
    }
    default:
        break;
    }
}

// ---- painting ----------------------------------------------------------------------------------------------

void TbsSkinScrollBar::DrawPlainPart(TCanvas* c, int i) {
    const Part& p = Buttons[i];
    if (p.R.IsEmpty()) return;
    const bool focusedThumb = i == 0 && FCanFocused && HandleAllocated() && Focused();
    const bool pressed = (p.Down && p.MouseIn) || (i == 0 && (p.Down || focusedThumb));
    TRect r = p.R;
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (pressed) frame = bsPlainHotFrame, fill = bsPlainDownFill;
    else if (p.MouseIn) frame = bsPlainHotFrame, fill = bsPlainHotFill;
    c->Frame3D(r, frame, frame, 1);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(fill);
    c->FillRect(r);
    if (i == 1) DrawArrowImage(c, p.R, clBlack, Horizontal() ? 2 : 4);
    if (i == 2) DrawArrowImage(c, p.R, clBlack, Horizontal() ? 1 : 3);
}

void TbsSkinScrollBar::CreateControlDefaultImage(TBitmap* B) {
    CalcRects();
    TCanvas* c = B->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, Width(), Height()));
    if (Enabled()) DrawPlainPart(c, 0);
    DrawPlainPart(c, 1);
    DrawPlainPart(c, 2);
}

void TbsSkinScrollBar::CreateControlSkinImage(TBitmap* B) {
    TbsSkinCustomControl::CreateControlSkinImage(B);
    CalcRects();
    HDC dc = B->Canvas()->Handle();
    HDC src = Picture->Canvas()->Handle();
    const TRect* down[3] = {nullptr, &DownUpButtonRect, &DownDownButtonRect};
    const TRect* hot[3] = {nullptr, &ActiveUpButtonRect, &ActiveDownButtonRect};
    for (int i = 1; i <= 2; ++i) {
        const Part& p = Buttons[i];
        const TRect* s = (p.Down && p.MouseIn) ? down[i] : (p.MouseIn ? hot[i] : nullptr);
        if (!s || IsNullRect(*s)) continue;
        BitBlt(dc, p.R.left, p.R.top, s->Width(), s->Height(), src, s->left, s->top, SRCCOPY);
    }
    if (Enabled()) DrawSkinThumb(B);
}

void TbsSkinScrollBar::DrawSkinThumb(TBitmap* B) {
    const Part& p = Buttons[0];
    if (p.R.IsEmpty()) return;
    const bool focused = FCanFocused && HandleAllocated() && Focused();
    const bool pressed = p.Down || focused;
    const TRect src = pressed ? DownThumbRect : (p.MouseIn ? ActiveThumbRect : ThumbRect);
    const TRect glyph = pressed ? DownGlyphRect : (p.MouseIn ? ActiveGlyphRect : GlyphRect);
    if (IsNullRect(src)) return;
    TBitmap tb(p.R.Width(), p.R.Height());
    if (FPageSize != 0 || ThumbMinPageSize != 0) {
        if (Horizontal())
            CreateHSkinImage(ThumbOffset1Skin, ThumbOffset2Skin, &tb, Picture, src, p.R.Width(), p.R.Height(),
                             ThumbStretchEffect);
        else
            CreateVSkinImage(ThumbOffset1Skin, ThumbOffset2Skin, &tb, Picture, src, p.R.Width(), p.R.Height(),
                             ThumbStretchEffect);
    } else {
        HDC t = tb.Canvas()->Handle();
        SetStretchBltMode(t, COLORONCOLOR);
        StretchBlt(t, 0, 0, tb.Width(), tb.Height(), Picture->Canvas()->Handle(), src.left, src.top, src.Width(),
                   src.Height(), SRCCOPY);
    }
    const int glen = Horizontal() ? glyph.Width() : glyph.Height();
    const int tlen = Horizontal() ? tb.Width() : tb.Height();
    if (!IsNullRect(glyph) && glen < tlen) {
        const int gx = tb.Width() / 2 - glyph.Width() / 2, gy = tb.Height() / 2 - glyph.Height() / 2;
        if (GlyphTransparent)
            TransparentBlt(tb.Canvas()->Handle(), gx, gy, glyph.Width(), glyph.Height(), Picture->Canvas()->Handle(),
                           glyph.left, glyph.top, glyph.Width(), glyph.Height(), ColorToRGB(GlyphTransparentColor));
        else
            BitBlt(tb.Canvas()->Handle(), gx, gy, glyph.Width(), glyph.Height(), Picture->Canvas()->Handle(),
                   glyph.left, glyph.top, SRCCOPY);
    }
    HDC dc = B->Canvas()->Handle();
    if (ThumbTransparent)
        TransparentBlt(dc, p.R.left, p.R.top, tb.Width(), tb.Height(), tb.Canvas()->Handle(), 0, 0, tb.Width(),
                       tb.Height(), ColorToRGB(ThumbTransparentColor));
    else
        BitBlt(dc, p.R.left, p.R.top, tb.Width(), tb.Height(), tb.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- messages -------------------------------------------------------------------------------------------------

void TbsSkinScrollBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_TIMER:
        TbsSkinCustomControl::WndProc(m);
        if (m.WParam == kRepeatTimer) TimerStep();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FCanFocused && !Has(csDesigning) && !Focused() && CanFocus()) {
            FClicksDisabled = true;
            SetFocus();
            FClicksDisabled = false;
            if (!Focused()) return;
        }
        break;
    case CN_COMMAND:
        if (FClicksDisabled) return;
        break;
    case CM_WANTSPECIALKEY:
        TbsSkinCustomControl::WndProc(m);
        if (m.WParam == VK_LEFT || m.WParam == VK_RIGHT || m.WParam == VK_UP || m.WParam == VK_DOWN) m.Result = 1;
        return;
    case WM_KEYDOWN:
        TbsSkinCustomControl::WndProc(m);
        if (!FCanFocused) return;
        if (m.WParam == VK_LEFT || m.WParam == VK_UP) SetPosition(FPosition - FSmallChange);
        else if (m.WParam == VK_RIGHT || m.WParam == VK_DOWN) SetPosition(FPosition + FSmallChange);
        return;
    case WM_MOUSEWHEEL:
        if (FCanFocused && Focused()) {
            if (GET_WHEEL_DELTA_WPARAM(m.WParam) > 0) SetPosition(FPosition - FSmallChange);
            else SetPosition(FPosition + FSmallChange);
            return;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TbsSkinCustomControl::WndProc(m);
        Repaint();
        return;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(m);
        Repaint();
        return;
    case CM_MOUSELEAVE:
        TbsSkinCustomControl::WndProc(m);
        if (Has(csDesigning)) return;
        if (ActiveButton != -1 && CaptureButton == -1 && !FDown) {
            Buttons[ActiveButton].MouseIn = false;
            ActiveButton = -1;
            Repaint();
        }
        if (MouseD && TimerMode > 3) StopTimer();
        return;
    case WM_ERASEBKGND:
        if (!FromWMPaint) PaintWindow(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    default:
        break;
    }
    TbsSkinCustomControl::WndProc(m);
}
