#include "skin/controls/bsSkinCtrlsPanels.h"

#include <windowsx.h>

#include "platform/Clock.h"
#include "platform/ImgList.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButtonFace.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

namespace {
constexpr UINT_PTR kScrollTimer = 1;
constexpr int kArrowWidth = 12;
}  // namespace

// ---- TbsSkinPaintPanel ----------------------------------------------------------------------------------

TbsSkinPaintPanel::TbsSkinPaintPanel(TComponent* owner) : TbsSkinPanel(owner) { FForceBackground = false; }

void TbsSkinPaintPanel::PanelPaint(TCanvas* c) {
    if (OnPanelPaint) OnPanelPaint(c, GetSkinClientRect());
}

void TbsSkinPaintPanel::CreateControlDefaultImage(TBitmap* B) {
    TbsSkinPanel::CreateControlDefaultImage(B);
    PanelPaint(B->Canvas());
}

void TbsSkinPaintPanel::CreateControlSkinImage(TBitmap* B) {
    TbsSkinPanel::CreateControlSkinImage(B);
    PanelPaint(B->Canvas());
}

void TbsSkinPaintPanel::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        if (!FromWMPaint) PaintWindow(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    }
    TbsSkinPanel::WndProc(m);
}

// ---- TbsSkinGroupBox -------------------------------------------------------------------------------------

TbsSkinGroupBox::TbsSkinGroupBox(TComponent* owner) : TbsSkinPanel(owner) {
    FSkinDataName = L"groupbox";
    FCaptionMode = true;
}

void TbsSkinGroupBox::GetSkinData() {
    TbsSkinPanel::GetSkinData();
    if (FIndex != -1 && ClRect.bottom < CaptionRect.top) FForceBackground = false;
}

// ---- TbsSkinToolBar ---------------------------------------------------------------------------------------

TbsSkinToolBar::TbsSkinToolBar(TComponent* owner) : TbsSkinPanel(owner) {
    FForceBackground = false;
    FSkinDataName = L"toolpanel";
    FDefaultHeight = 0;
    FBorderStyle = bvNone;
    SetBounds(Left(), Top(), Width(), 25);
}

TbsSkinToolBar::~TbsSkinToolBar() { StopScrollTimer(); }

void TbsSkinToolBar::SetCanScroll(bool v) {
    FCanScroll = v;
    if (!v) SetArrowsVisible(false);
    else UpdateScrollState();
}

void TbsSkinToolBar::SetShowCaptions(bool v) {
    if (v == FShowCaptions) return;
    FShowCaptions = v;
    if (AutoShowHideCaptions)
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(Controls(i))) b->SetShowCaption(v);
    if (WidthWithCaptions != 0 && WidthWithoutCaptions != 0) SetWidth(v ? WidthWithCaptions : WidthWithoutCaptions);
}

void TbsSkinToolBar::SetFlat(bool v) {
    FFlat = v;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(Controls(i))) b->SetFlat(v);
}

void TbsSkinToolBar::SetSkinData(TbsSkinData* value) {
    TbsSkinPanel::SetSkinData(value);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(c)) b->SetSkinData(value);
        else if (auto* bevel = dynamic_cast<TbsSkinBevel*>(c)) bevel->SetSkinData(value);
    }
}

void TbsSkinToolBar::SetImageList(TCustomImageList*& field, TCustomImageList* v) {
    if (field == v) return;
    TCustomImageList* old = field;
    field = v;
    if (v) FreeNotification(v);
    // One list may serve in more than one role.
    if (old && old != FImages && old != FHotImages && old != FDisabledImages) RemoveFreeNotification(old);
}

void TbsSkinToolBar::SetImages(TCustomImageList* v) {
    SetImageList(FImages, v);
    RepaintSpeedButtons();
}

void TbsSkinToolBar::SetHotImages(TCustomImageList* v) { SetImageList(FHotImages, v); }

void TbsSkinToolBar::SetDisabledImages(TCustomImageList* v) { SetImageList(FDisabledImages, v); }

void TbsSkinToolBar::RepaintSpeedButtons() {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(Controls(i))) b->Repaint();
}

void TbsSkinToolBar::Notification(TComponent* component, TOperation op) {
    TbsSkinPanel::Notification(component, op);
    if (op != opRemove) return;
    if (component == FHotImages) FHotImages = nullptr;
    if (component == FDisabledImages) FDisabledImages = nullptr;
    if (component == FImages) {
        FImages = nullptr;
        RepaintSpeedButtons();
    }
}

void TbsSkinToolBar::GetSkinData() {
    TbsSkinPanel::GetSkinData();
    ButtonData = nullptr;
    if (!FSD || FSD->Empty) return;
    const int i = FSD->GetControlIndex(L"resizebutton");
    if (i == -1) return;
    // Only a button record with a usable picture draws the arrows.
    auto* b = dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[static_cast<size_t>(i)].get());
    if (b && ActivePicture(b->PictureIndex) && !IsNullRect(b->SkinRect)) ButtonData = b;
}

void TbsSkinToolBar::CenterControls() {
    const TRect r = GetSkinClientRect();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        // Skinned children centre themselves in their SetBounds.
        if (dynamic_cast<TbsSkinControl*>(c) || dynamic_cast<TbsGraphicSkinControl*>(c) || c->Align() != alNone)
            continue;
        const int top = r.top + r.Height() / 2 - c->Height() / 2;
        if (top != c->Top()) c->SetBounds(c->Left(), top, c->Width(), c->Height());
    }
}

void TbsSkinToolBar::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width();
    TbsSkinPanel::SetBounds(left, top, width, height);
    if (FAdjustControls)
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height());
        }
    if (FCanScroll) {
        FHSizeOffset = (Width() > oldWidth && oldWidth != 0) ? Width() - oldWidth : 0;
        Buttons[0].R = TRect(0, 0, kArrowWidth, Height());
        Buttons[1].R = TRect(Width() - kArrowWidth, 0, Width(), Height());
        UpdateScrollState();
        CenterControls();
    }
}

void TbsSkinToolBar::SetArrowsVisible(bool v) {
    if (Buttons[0].Visible == v) return;
    Buttons[0].Visible = Buttons[1].Visible = v;
    Buttons[0].R = TRect(0, 0, kArrowWidth, Height());
    Buttons[1].R = TRect(Width() - kArrowWidth, 0, Width(), Height());
    // The non-client area is computed again.
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TbsSkinToolBar::UpdateScrollState() {
    if (Width() == 0 || !FCanScroll) return;
    int r = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible()) r = std::max<int>(r, c->Left() + c->Width());
    }
    if (r == 0) {
        SetArrowsVisible(false);
        return;
    }
    int c = ClientWidth();
    const int need = SPosition + r;
    if (c < need) {
        SetArrowsVisible(true);
        c = ClientWidth();
        if (SPosition > 0 && c > r && FHSizeOffset > 0) {
            FHSizeOffset = std::min(FHSizeOffset, SPosition);
            SMax = need - 1;
            SPosition -= FHSizeOffset;
            SPage = c;
            ScrollBy(FHSizeOffset, 0);
        } else if (FHSizeOffset == 0 && need - 1 < SMax && SPosition > 0 && c > r) {
            SMax = need - 1;
            SPosition -= c - r;
            SPage = c;
            ScrollBy(c - r, 0);
            FHSizeOffset = 0;
        } else {
            SMax = need - 1;
            SPage = c;
            FHSizeOffset = 0;
        }
        SOldPosition = SPosition;
    } else {
        if (SPosition > 0) ScrollBy(SPosition, 0);
        FHSizeOffset = SMax = SPosition = SPage = SOldPosition = 0;
        SetArrowsVisible(false);
    }
}

void TbsSkinToolBar::AdjustClientRect(TRect& rect) {
    if (!Buttons[0].Visible) {
        TbsSkinPanel::AdjustClientRect(rect);
        return;
    }
    const int cw = ClientWidth(), ch = ClientHeight();
    rect = Bounds(-SPosition, 0, std::max(SMax, cw), ch);
    GetSkinData();
    if (FIndex == -1 || Has(csDesigning)) {
        rect.top = 1, rect.bottom = ch - 1;
    } else if (!(FBorderStyle == bvNone && ResizeMode == 1)) {
        int w = Width(), h = Height();
        CalcSize(w, h);
        rect.top = NewClRect.top, rect.bottom = NewClRect.bottom;
    }
}

void TbsSkinToolBar::CreateControlSkinImage(TBitmap* B) {
    if (Buttons[0].Visible && ResizeMode == 2) {
        CreateHSkinImageMiddle(LTPt.x, SkinRect.Width() - RTPt.x, B, Picture, SkinRect, Width(), Height(),
                               StretchEffect);
        return;
    }
    TbsSkinPanel::CreateControlSkinImage(B);
}

// ---- arrows ---------------------------------------------------------------------------------------------------

void TbsSkinToolBar::DrawScrollArrow(HDC dc, int i) {
    const Arrow& a = Buttons[i];
    const int w = a.R.Width(), h = a.R.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    TColor color = clBtnText;
    GetSkinData();
    if (ButtonData) {
        const TbsDataSkinButtonControl* d = ButtonData;
        TRect src = d->SkinRect;
        color = d->FontColor;
        if (!IsNullRect(d->DownSkinRect) && a.MouseIn && (a.Down || HotScroll)) {
            src = d->DownSkinRect;
            color = d->DownFontColor;
        } else if (a.MouseIn && !IsNullRect(d->ActiveSkinRect)) {
            src = d->ActiveSkinRect;
            color = d->ActiveFontColor;
        }
        ComposeRecordFace(*d, ActivePicture(d->PictureIndex), src, &b, w, h);
    } else {
        TColor frame = clBtnShadow, fill = clBtnFace;
        if (a.MouseIn && (a.Down || HotScroll)) frame = bsPlainHotFrame, fill = bsPlainDownFill;
        else if (a.MouseIn) frame = bsPlainHotFrame, fill = bsPlainHotFill;
        TRect r(0, 0, w, h);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fill);
        c->FillRect(r);
        c->Brush()->SetColor(frame);
        c->FrameRect(r);
    }
    DrawArrowImage(c, TRect(0, 0, w, h), color, i == 0 ? 1 : 2);
    BitBlt(dc, a.R.left, a.R.top, w, h, c->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinToolBar::PaintArrows() {
    if (!HandleAllocated() || !FCanScroll || !Buttons[0].Visible) return;
    HDC dc = GetWindowDC(Handle());
    if (!dc) return;
    try {
        for (int i = 0; i < 2; ++i)
            if (Buttons[i].Visible) DrawScrollArrow(dc, i);
    } catch (...) {
        ReleaseDC(Handle(), dc);
        throw;
    }
    ReleaseDC(Handle(), dc);
}

void TbsSkinToolBar::BeginArrowScroll(int mode) {
    TimerMode = mode;
    if (!HandleAllocated()) return;
    platform::SetWindowTimer(Handle(), kScrollTimer, static_cast<UINT>(FScrollTimerInterval));
    FTimerRunning = true;
}

void TbsSkinToolBar::StopScrollTimer() {
    if (FTimerRunning && HandleAllocated()) platform::KillWindowTimer(Handle(), kScrollTimer);
    FTimerRunning = false;
    TimerMode = 0;
}

void TbsSkinToolBar::EndArrowScroll() {
    const int mode = TimerMode;
    StopScrollTimer();
    if (mode != 0) ScrollStep(mode);
}

void TbsSkinToolBar::ScrollStep(int mode) {
    const int step = FScrollOffset != 0 ? FScrollOffset : ClientWidth();
    if (mode == 2) SPosition = std::min(SPosition + step, SMax - SPage + 1);
    else SPosition = std::max(SPosition - step, 0);
    if (SPosition == SOldPosition) {
        StopScrollTimer();
        return;
    }
    ScrollBy(-(SPosition - SOldPosition), 0);
    Repaint();
    SOldPosition = SPosition;
}

void TbsSkinToolBar::ClearHotArrow() {
    for (Arrow& a : Buttons) {
        if (!a.MouseIn) continue;
        StopScrollTimer();
        a.MouseIn = false;
        PaintArrows();
    }
}

bool TbsSkinToolBar::NcMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE: {
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        if (FCanScroll) {
            GetSkinData();
            if (Buttons[0].Visible) r->left += kArrowWidth;
            if (Buttons[1].Visible) r->right -= kArrowWidth;
        }
        m.Result = 0;
        return true;
    }
    case WM_NCPAINT:
        PaintArrows();
        m.Result = 0;
        return true;
    case WM_NCHITTEST: {
        if (Has(csDesigning)) return false;
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ScreenToClient(Handle(), &p);
        if (p.x < 0 && Buttons[0].Visible) m.Result = HTLEFTSCROLLARROW;
        else if (p.x >= ClientWidth() && Buttons[1].Visible) m.Result = HTRIGHTSCROLLARROW;
        else return false;
        return true;
    }
    case WM_SETCURSOR:
        if (LOWORD(m.LParam) == HTLEFTSCROLLARROW || LOWORD(m.LParam) == HTRIGHTSCROLLARROW)
            m.LParam = MAKELPARAM(HTCLIENT, HIWORD(m.LParam));
        return false;
    case WM_NCMOUSEMOVE: {
        const int i = ArrowAt(static_cast<LRESULT>(m.WParam));
        if (i != -1 && !Buttons[i].MouseIn && !Has(csDesigning)) {
            Buttons[i].MouseIn = true;
            Buttons[1 - i].MouseIn = false;
            PaintArrows();
            if (HotScroll) BeginArrowScroll(i + 1);
        }
        return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        const int i = ArrowAt(static_cast<LRESULT>(m.WParam));
        if (i == -1 || Has(csDesigning)) return false;
        Buttons[i].Down = true;
        PaintArrows();
        BeginArrowScroll(i + 1);
        return false;
    }
    case WM_NCLBUTTONUP: {
        const int i = ArrowAt(static_cast<LRESULT>(m.WParam));
        if (i == -1 || Has(csDesigning)) return false;
        Buttons[i].Down = false;
        PaintArrows();
        TimerMode = i + 1;
        EndArrowScroll();
        return false;
    }
    default:
        return false;
    }
}

void TbsSkinToolBar::WndProc(TMessage& m) {
    if (NcMessage(m)) return;
    switch (m.Msg) {
    case WM_TIMER:
        TbsSkinPanel::WndProc(m);
        if (m.WParam == kScrollTimer && TimerMode != 0) ScrollStep(TimerMode);
        return;
    case WM_MOUSEMOVE:
        ClearHotArrow();
        break;
    case CM_MOUSELEAVE: {
        TbsSkinPanel::WndProc(m);
        POINT p;
        GetCursorPos(&p);
        if (!HandleAllocated() || WindowFromPoint(p) != Handle()) ClearHotArrow();
        return;
    }
    case WM_WINDOWPOSCHANGED:
        TbsSkinPanel::WndProc(m);
        if (HandleAllocated() && FAdjustControls) CenterControls();
        return;
    default:
        break;
    }
    TbsSkinPanel::WndProc(m);
}

int ToolBarCentredTop(TWinControl* parent, int top, int height) {
    auto* bar = dynamic_cast<TbsSkinToolBar*>(parent);
    if (!bar || !bar->AdjustControls()) return top;
    const TRect r = bar->GetSkinClientRect();
    return r.top + r.Height() / 2 - height / 2;
}

// ---- TbsSkinStatusBar --------------------------------------------------------------------------------------

void DrawGrip(TCanvas* c, const TRect& r, TColor light, TColor shadow) {
    const int tries = r.Width() / 3 + 1;
    for (int k = 0, d = 3; k < tries && r.right >= r.left + d + 2; ++k, d += 3) {
        c->Pen()->SetColor(shadow);
        c->MoveTo(r.left + d, r.bottom);
        c->LineTo(r.right, r.top + d);
        c->Pen()->SetColor(light);
        c->MoveTo(r.left + d + 1, r.bottom);
        c->LineTo(r.right, r.top + d + 1);
    }
}

TbsSkinStatusBar::TbsSkinStatusBar(TComponent* owner) : TbsSkinPanel(owner) {
    FSkinDataName = L"statusbar";
    FBorderStyle = bvNone;
    FForceBackground = false;
    SetAlign(alBottom);
    SetHeight(21);
}

void TbsSkinStatusBar::SetSizeGrip(bool v) {
    FSizeGrip = v;
    Repaint();
    RealignChildren();
}

void TbsSkinStatusBar::SetShowGrip(bool v) {
    FShowGrip = v;
    Repaint();
    RealignChildren();
}

void TbsSkinStatusBar::SetSkinData(TbsSkinData* value) {
    TbsSkinPanel::SetSkinData(value);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* c = dynamic_cast<TbsSkinControl*>(Controls(i))) c->SetSkinData(value);
}

void TbsSkinStatusBar::GetSkinData() {
    TbsSkinPanel::GetSkinData();
    GripperRect = NullRect();
    auto* r = dynamic_cast<TbsDataSkinPanelControl*>(SkinRecord());
    if (FIndex == -1 || !r) return;
    GripperRect = r->GripperRect;
    GripperTransparent = r->GripperTransparent;
    GripperTransparentColor = r->GripperTransparentColor;
}

void TbsSkinStatusBar::AdjustClientRect(TRect& rect) {
    TbsSkinPanel::AdjustClientRect(rect);
    if (!GripShown()) return;
    if (FIndex == -1 || IsNullRect(GripperRect)) rect.right -= rect.Height();
    else rect.right -= GripperRect.Width();
}

TRect TbsSkinStatusBar::GetGripRect() {
    const TRect r = GetSkinClientRect();
    if (FIndex != -1 && !IsNullRect(GripperRect))
        return TRect(r.right, r.bottom - GripperRect.Height(), r.right + GripperRect.Width(), r.bottom);
    return TRect(r.right + 2, r.top, r.right + r.Height(), r.bottom - 2);
}

void TbsSkinStatusBar::DrawGripTo(TCanvas* c) {
    const TRect g = GetGripRect();
    if (FIndex == -1) {
        DrawGrip(c, g, clBtnHighlight, clBtnShadow);
    } else if (IsNullRect(GripperRect)) {
        DrawGrip(c, g, FSD->SkinColors()->cBtnHighLight, FSD->SkinColors()->cBtnShadow);
    } else if (Picture) {
        HDC src = Picture->Canvas()->Handle();
        const TRect& p = GripperRect;
        if (GripperTransparent)
            TransparentBlt(c->Handle(), g.left, g.top, p.Width(), p.Height(), src, p.left, p.top, p.Width(), p.Height(),
                           ColorToRGB(GripperTransparentColor));
        else
            BitBlt(c->Handle(), g.left, g.top, p.Width(), p.Height(), src, p.left, p.top, SRCCOPY);
    }
}

void TbsSkinStatusBar::Paint() {
    TbsSkinPanel::Paint();
    if (GripShown() && Width() > 0 && Height() > 0) DrawGripTo(Canvas());
}

void TbsSkinStatusBar::WndProc(TMessage& m) {
    if (m.Msg == WM_NCHITTEST && GripShown() && !Has(csDesigning) && HandleAllocated()) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ScreenToClient(Handle(), &p);
        GetSkinData();
        m.Result = IsPointInRect(GetGripRect(), p) ? HTBOTTOMRIGHT : HTCLIENT;
        return;
    }
    TbsSkinPanel::WndProc(m);
}
