#include "skin/shell/bsSkinScrollBox.h"

#include <algorithm>

#include "platform/Owners.h"
#include "skin/boxes/bsSkinBoxCtrls.h"
#include "skin/bsUtilsImages.h"

TbsSkinScrollBox::TbsSkinScrollBox(TComponent* owner) : TbsSkinCustomControl(owner) {
    ControlStyle |= csAcceptsControls;
    FSkinDataName = L"scrollbox";
    SetBounds(0, 0, 150, 150);
}

TbsSkinScrollBox::~TbsSkinScrollBox() {
    if (FVScrollBar) FVScrollBar->OnChange = FVScrollBar->OnLastChange = nullptr;
    if (FHScrollBar) FHScrollBar->OnChange = FHScrollBar->OnLastChange = nullptr;
}

// ---- linked bars ------------------------------------------------------------------------------

void TbsSkinScrollBox::SetVScrollBar(TbsSkinScrollBar* bar) {
    FVScrollBar = bar;
    if (!bar) return;
    FreeNotification(bar);
    bar->SetCanFocused(false);
    bar->OnChange = [this](TObject*) { VScrollBarChange(); };
    bar->OnLastChange = [this](TObject*) { Invalidate(); };
    bar->SetEnabled(true);
    bar->SetVisible(false);
    GetVRange();
}

void TbsSkinScrollBox::SetHScrollBar(TbsSkinScrollBar* bar) {
    FHScrollBar = bar;
    if (!bar) return;
    FreeNotification(bar);
    bar->SetCanFocused(false);
    bar->OnChange = [this](TObject*) { HScrollBarChange(); };
    bar->OnLastChange = [this](TObject*) { Invalidate(); };
    bar->SetEnabled(true);
    bar->SetVisible(false);
    GetHRange();
}

void TbsSkinScrollBox::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomControl::Notification(component, op);
    if (op != opRemove) return;
    if (component == FVScrollBar) FVScrollBar = nullptr;
    if (component == FHScrollBar) FHScrollBar = nullptr;
}

void TbsSkinScrollBox::SetBorderStyle(TbsSkinBorderStyle v) {
    FBorderStyle = v;
    if (HandleAllocated()) RecreateWnd();
}

// ---- scrolling ------------------------------------------------------------------------------------

void TbsSkinScrollBox::VScrollControls(int d) {
    ScrollBy(0, -d);
    if (FIndex != -1 && StretchEffect) Invalidate();
}

void TbsSkinScrollBox::HScrollControls(int d) {
    ScrollBy(-d, 0);
    if (FIndex != -1 && StretchEffect) Invalidate();
}

void TbsSkinScrollBox::VScrollBarChange() {
    VScrollControls(FVScrollBar->Position() - FOldVScrollBarPos);
    FOldVScrollBarPos = FVScrollBar->Position();
}

void TbsSkinScrollBox::HScrollBarChange() {
    HScrollControls(FHScrollBar->Position() - FOldHScrollBarPos);
    FOldHScrollBarPos = FHScrollBar->Position();
}

void TbsSkinScrollBox::VScroll(int pos) {
    if (!FVScrollBar || FVScrollBar->PageSize() == 0) return;
    const int target = std::min(pos, FVScrollBar->Max() - FVScrollBar->PageSize());
    VScrollControls(target - FVScrollBar->Position());
    FVScrollBar->SimplySetPosition(target);
    FOldVScrollBarPos = FVScrollBar->Position();
}

void TbsSkinScrollBox::HScroll(int pos) {
    if (!FHScrollBar || FHScrollBar->PageSize() == 0) return;
    HScrollControls(pos - FHScrollBar->Position());
    FHScrollBar->SimplySetPosition(pos);
    FOldHScrollBarPos = FHScrollBar->Position();
}

void TbsSkinScrollBox::UpDateScrollRange() {
    GetHRange();
    GetVRange();
}

void TbsSkinScrollBox::GetVRange() { GetRange(true); }

void TbsSkinScrollBox::GetHRange() { GetRange(false); }

void TbsSkinScrollBox::GetRange(bool vertical) {
    TbsSkinScrollBar* bar = vertical ? FVScrollBar : FHScrollBar;
    // A hidden box keeps its bars hidden: the window's own hiding must not
    // bring them back.
    if (!bar || FInCheckScrollBars || !Parent() || !Visible()) return;
    int& sizeOffset = vertical ? FVSizeOffset : FHSizeOffset;
    int& oldPos = vertical ? FOldVScrollBarPos : FOldHScrollBarPos;
    auto scrollControls = [&](int d) { vertical ? VScrollControls(d) : HScrollControls(d); };

    const int client = vertical ? ClientHeight() : ClientWidth();
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        extent = std::max(extent, vertical ? c->Top() + c->Height() : c->Left() + c->Width());
    }
    const int pos = bar->Position();
    const int total = pos + extent;
    bool changeVisible = false;
    if (total > client) {
        changeVisible = !bar->Visible();
        if (pos > 0 && extent < client && sizeOffset > 0) {
            // The box grew: the content follows the growth downwards.
            sizeOffset = std::min(sizeOffset, pos);
            bar->SetRange(0, total - 1, pos - sizeOffset, client);
            scrollControls(-sizeOffset);
        } else if (sizeOffset == 0 && total - 1 < bar->Max() && pos > 0 && extent < client) {
            // The content shrank: close the gap below it.
            const int d = std::min(client - extent, pos);
            scrollControls(-d);
            bar->SetRange(0, total - 1, pos - d, client);
        } else {
            bar->SetRange(0, total - 1, pos, client);
        }
        sizeOffset = 0;
        oldPos = bar->Position();
    } else {
        if (pos > 0) scrollControls(-pos);
        sizeOffset = 0;
        oldPos = 0;
        bar->SetRange(0, 0, 0, 0);
        changeVisible = bar->Visible();
    }
    UpdateCornerMarker();
    if (changeVisible) SetBarVisible(bar, !bar->Visible());
}

void TbsSkinScrollBox::UpdateCornerMarker() {
    if (!FVScrollBar || !FHScrollBar) return;
    if (FHScrollBar->Both() != FVScrollBar->Visible()) FHScrollBar->SetBoth(FVScrollBar->Visible());
}

void TbsSkinScrollBox::SetBarVisible(TbsSkinScrollBar* bar, bool visible) {
    FInCheckScrollBars = true;
    bar->SetVisible(visible);
    FInCheckScrollBars = false;
    UpdateCornerMarker();
    if (Align() == alNone) return;
    FInCheckScrollBars = true;
    if (Parent()) Parent()->Realign();
    Realign();
    FInCheckScrollBars = false;
}

// ---- placement --------------------------------------------------------------------------------------

void TbsSkinScrollBox::AdjustClientRect(TRect& rect) {
    int top = 0, height = ClientHeight(), left = 0, width = ClientWidth();
    if (FVScrollBar && FVScrollBar->Visible()) {
        top = -FVScrollBar->Position();
        height = std::max(FVScrollBar->Max(), ClientHeight());
    }
    if (FHScrollBar && FHScrollBar->Visible()) {
        left = -FHScrollBar->Position();
        width = std::max(FHScrollBar->Max(), ClientWidth());
    }
    rect = Bounds(left, top, width, height);
    TbsSkinCustomControl::AdjustClientRect(rect);
}

void TbsSkinScrollBox::SetBounds(int left, int top, int width, int height) {
    const int oldW = Width(), oldH = Height();
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    FHSizeOffset = (oldW != 0 && Width() > oldW) ? Width() - oldW : 0;
    if (Align() != alNone) GetHRange();
    FVSizeOffset = (oldH != 0 && Height() > oldH) ? Height() - oldH : 0;
    if (Align() != alNone) GetVRange();
}

void TbsSkinScrollBox::CalcSize(int&, int&) {
    // The box keeps any size; only the frame's new corners follow it.
    if (FIndex == -1 || IsNullRect(SkinRect)) return;
    const int dW = Width() - SkinRect.Width(), dH = Height() - SkinRect.Height();
    NewLTPoint = LTPt;
    NewRTPoint = TPoint(RTPt.x + dW, RTPt.y);
    NewLBPoint = TPoint(LBPt.x, LBPt.y + dH);
    NewRBPoint = TPoint(RBPt.x + dW, RBPt.y + dH);
    NewClRect = TRect(ClRect.left, ClRect.top, ClRect.right + dW, ClRect.bottom + dH);
}

void TbsSkinScrollBox::CreateParams(TCreateParams& p) {
    TbsSkinCustomControl::CreateParams(p);
    p.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

// ---- skin -------------------------------------------------------------------------------------------

void TbsSkinScrollBox::GetSkinData() {
    TbsSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    if (auto* r = dynamic_cast<TbsDataSkinScrollBoxControl*>(SkinRecord()); r && FIndex != -1)
        BGPictureIndex = r->BGPictureIndex;
}

void TbsSkinScrollBox::ChangeSkinData() {
    TbsSkinCustomControl::ChangeSkinData();
    if (HandleAllocated()) RecreateWnd();
    // The frame's width may have changed: the parent lays the bars out anew.
    if ((FVScrollBar || FHScrollBar) && Parent()) Parent()->Realign();
}

// ---- frame -------------------------------------------------------------------------------------------

bool TbsSkinScrollBox::HasFrame() {
    GetSkinData();
    return FBorderStyle != bvNone && BGPictureIndex == -1;
}

void TbsSkinScrollBox::CalcFrame(RECT* r) {
    if (!HasFrame()) return;
    if (FIndex != -1) {
        r->left += ClRect.left;
        r->top += ClRect.top;
        r->right -= SkinRect.Width() - ClRect.right;
        r->bottom -= SkinRect.Height() - ClRect.bottom;
    } else {
        InflateRect(r, -1, -1);
    }
}

bool TbsSkinScrollBox::PaintFrame(HDC dc) {
    if (!HasFrame() || !dc) return false;
    const int w = Width(), h = Height();
    TCanvas c;
    c.SetHandle(dc);
    if (FIndex == -1) {
        const TColor tl = FBorderStyle == bvLowered ? clBtnHighlight : clBtnShadow;
        const TColor br = FBorderStyle == bvRaised ? clBtnHighlight : clBtnShadow;
        TRect r(0, 0, w, h);
        c.Brush()->SetStyle(bsClear);
        c.Frame3D(r, tl, br, 1);
    } else {
        const int dw = w - SkinRect.Width(), dh = h - SkinRect.Height();
        TRect ncl = ClRect;
        ncl.right += dw;
        ncl.bottom += dh;
        TBitmap left, top, right, bottom;
        CreateSkinBorderImages(LTPt, RTPt, LBPt, RBPt, ClRect, LTPt, TPoint(RTPt.x + dw, RTPt.y),
                               TPoint(LBPt.x, LBPt.y + dh), TPoint(RBPt.x + dw, RBPt.y + dh), ncl, &left, &top,
                               &right, &bottom, Picture, SkinRect, w, h, LeftStretch, TopStretch, RightStretch,
                               BottomStretch);
        c.Draw(0, 0, &top);
        c.Draw(0, top.Height(), &left);
        c.Draw(w - right.Width(), top.Height(), &right);
        c.Draw(0, h - bottom.Height(), &bottom);
    }
    c.SetHandle(nullptr);
    return true;
}

bool TbsSkinScrollBox::HandleFrameRequest(TMessage& m) {
    if (m.Msg == CM_PAINTFRAMETODC) {
        const bool painted = m.WParam && PaintFrame(reinterpret_cast<HDC>(m.WParam));
        m.Result = painted ? bsPaintFrameAnswer : 0;
        return true;
    }
    if (m.Msg == CM_PAINTTODC && m.LParam == bsPaintToDCKey) {
        if (m.WParam) PaintFrame(reinterpret_cast<HDC>(m.WParam));
        m.Result = bsPaintToDCKey;
        return true;
    }
    return false;
}

// ---- background ----------------------------------------------------------------------------------------

void TbsSkinScrollBox::CreateControlDefaultImage(TBitmap* B) {
    B->Canvas()->Brush()->SetStyle(bsSolid);
    B->Canvas()->Brush()->SetColor(Color());
    B->Canvas()->FillRect(TRect(0, 0, B->Width(), B->Height()));
}

void TbsSkinScrollBox::Paint() {
    GetSkinData();
    if (FIndex == -1) {
        // The plain look: the client area in the box's colour.
        const int cw = ClientWidth(), ch = ClientHeight();
        if (cw < 1 || ch < 1) return;
        TBitmap B(cw, ch);
        CreateControlDefaultImage(&B);
        DrawToCanvas(&B);
        return;
    }
    PaintSkinBackground();
}

void TbsSkinScrollBox::PaintSkinBackground() {
    const int cw = ClientWidth(), ch = ClientHeight();
    if (cw < 1 || ch < 1) return;
    TBitmap tile;
    TBitmap* bg = BGPictureIndex != -1 ? ActivePicture(BGPictureIndex) : nullptr;
    if (bg) {
        tile.Assign(bg);
    } else {
        tile.SetSize(ClRect.Width(), ClRect.Height());
        if (!tile.Empty())
            BitBlt(tile.Canvas()->Handle(), 0, 0, ClRect.Width(), ClRect.Height(), Picture->Canvas()->Handle(),
                   SkinRect.left + ClRect.left, SkinRect.top + ClRect.top, SRCCOPY);
    }
    const int tw = tile.Width(), th = tile.Height();
    HDC dc = Canvas()->Handle();
    platform::SavedDC saved(dc);
    IntersectClipRect(dc, 0, 0, cw, ch);
    if (tw <= 0 || th <= 0) {
        // An empty client part or picture: the box's colour instead.
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(TRect(0, 0, cw, ch));
        return;
    }
    HDC src = tile.Canvas()->Handle();
    const int w = Width(), h = Height();
    if (StretchEffect && w > 0 && h > 0) {
        SetStretchBltMode(dc, COLORONCOLOR);
        switch (StretchType) {
        case bsstFull: StretchBlt(dc, 0, 0, w, h, src, 0, 0, tw, th, SRCCOPY); break;
        case bsstHorz:
            for (int i = 0; i <= w / tw; ++i) StretchBlt(dc, i * tw, 0, tw, h, src, 0, 0, tw, th, SRCCOPY);
            break;
        case bsstVert:
            for (int j = 0; j <= h / th; ++j) StretchBlt(dc, 0, j * th, w, th, src, 0, 0, tw, th, SRCCOPY);
            break;
        }
        return;
    }
    const int n = bg ? w / tw : cw / tw, mCount = bg ? h / th : ch / th;
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= mCount; ++j) BitBlt(dc, i * tw, j * th, tw, th, src, 0, 0, SRCCOPY);
}

// ---- messages -------------------------------------------------------------------------------------------

void TbsSkinScrollBox::WndProc(TMessage& m) {
    if (HandleFrameRequest(m)) return;
    switch (m.Msg) {
    case WM_NCCALCSIZE:
        CalcFrame(reinterpret_cast<RECT*>(m.LParam));
        m.Result = 0;
        return;
    case WM_NCPAINT: {
        if (!HasFrame()) {
            m.Result = 0;
            return;
        }
        platform::WholeWindowDC dc(Handle());
        PaintFrame(dc.Get());
        m.Result = 0;
        return;
    }
    case WM_SIZE:
        TbsSkinCustomControl::WndProc(m);
        if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 0, 0);
        return;
    case WM_WINDOWPOSCHANGING:
        TbsSkinCustomControl::WndProc(m);
        if (HandleAllocated() && Align() == alNone) {
            GetVRange();
            GetHRange();
        }
        return;
    case CM_VISIBLECHANGED:
        TbsSkinCustomControl::WndProc(m);
        if (FVScrollBar) FVScrollBar->SetVisible(Visible());
        if (FHScrollBar) FHScrollBar->SetVisible(Visible());
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FCanFocused && !Focused()) {
            FClicksDisabled = true;
            SetFocus();
            FClicksDisabled = false;
            if (!Focused()) return;  // a click that does not focus the box is dropped
        }
        break;
    case CN_COMMAND:
        if (FClicksDisabled) return;
        break;
    default: break;
    }
    TbsSkinCustomControl::WndProc(m);
}
