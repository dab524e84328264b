// The skinned edit control: its frame in the non-client area (skinned or
// plain), the edit button, the image buttons, and PaintSkinTo.
#include <algorithm>

#include "platform/ImgList.h"
#include "platform/Owners.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtilsImages.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/frame/bsSkinFrameWalk.h"

// ---- TbsSkinCustomEdit -------------------------------------------------------------------------

TbsSkinCustomEdit::TbsSkinCustomEdit(TComponent* owner) : TbsCustomEdit(owner) {
    bsRegisterSkinWalkStep(TbsSkinWalkSlot::CustomEdit, &bsSkinWalkStepOf<TbsSkinCustomEdit>);
    bsRegisterDropDownClass(&bsIsOfClass<TbsSkinCustomEdit>);
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    Font()->Assign(&FDefaultFont);
    SetBounds(Left(), Top(), 121, 20);
}

TbsSkinCustomEdit::~TbsSkinCustomEdit() {
    if (FSD) RemoveFreeNotification(FSD);
}

void TbsSkinCustomEdit::Notification(TComponent* component, TOperation op) {
    TbsCustomEdit::Notification(component, op);
    if (op == opRemove && component == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
    if (op == opRemove && component == FImages) {
        FImages = nullptr;
        LeftButton.R = RightButton.R = TRect();
    }
}

void TbsSkinCustomEdit::CreateParams(TCreateParams& p) {
    TbsCustomEdit::CreateParams(p);
    // The text is never drawn through a transparent window; owners draw the frame.
    p.ExStyle &= ~static_cast<DWORD>(WS_EX_TRANSPARENT);
    p.Style &= ~static_cast<DWORD>(WS_BORDER | ES_LEFT | ES_RIGHT | ES_CENTER);
    static const DWORD align[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    p.Style |= align[FAlignment];
}

void TbsSkinCustomEdit::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (FIndex != -1) return;
    SetColor(v);
    if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
    Invalidate();
}

void TbsSkinCustomEdit::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    if (HandleAllocated()) RecreateWnd();
}

void TbsSkinCustomEdit::SetImages(TCustomImageList* v) {
    if (v == FImages) return;
    if (FImages) RemoveFreeNotification(FImages);
    FImages = v;
    if (v) FreeNotification(v);
    if (!v) LeftButton.R = RightButton.R = TRect();
    CalcImageButtons(true);
    Invalidate();
}

void TbsSkinCustomEdit::SetLeftImageIndex(int v) {
    FLeftImageIndex = v;
    CalcImageButtons(true);
    Invalidate();
}

void TbsSkinCustomEdit::SetRightImageIndex(int v) {
    FRightImageIndex = v;
    CalcImageButtons(true);
    Invalidate();
}

void TbsSkinCustomEdit::CalcImageButtons(bool setRect) {
    if (!FImages) return;
    LeftButton.R = RightButton.R = TRect();
    if (!HandleAllocated()) return;
    TRect r = ClientRect();
    const int iw = FImages->Width();
    if (FLeftImageIndex >= 0) {
        LeftButton.R = TRect(r.left, r.top, r.left + iw, r.bottom);
        r.left += iw + 2;
    }
    if (FRightImageIndex >= 0) {
        RightButton.R = TRect(r.right - iw, r.top, r.right, r.bottom);
        r.right -= iw + 2;
    }
    if (setRect) {
        RECT fr = r;
        SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&fr));
    }
}

bool TbsSkinCustomEdit::ImageHitTest(TMessage& m) {
    if (!FImages) return false;
    POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    ::ScreenToClient(Handle(), &p);
    struct Side {
        TbsCBButtonX& b;
        int index;
        LRESULT code;
    } sides[] = {{LeftButton, FLeftImageIndex, bsHTLeftImage}, {RightButton, FRightImageIndex, bsHTRightImage}};
    for (Side& side : sides) {
        const TRect& r = side.b.R;
        if (side.index < 0 || p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) continue;
        m.Result = side.code;
        if (!side.b.MouseIn) {
            side.b.MouseIn = true;
            Invalidate();
        }
        return true;
    }
    ClearImageHover();
    return false;
}

void TbsSkinCustomEdit::ClearImageHover() {
    for (TbsCBButtonX* b : {&LeftButton, &RightButton})
        if (b->MouseIn) {
            b->MouseIn = false;
            Invalidate();
        }
}

void TbsSkinCustomEdit::ImageButtonDown(LRESULT code) {
    TbsCBButtonX& b = code == bsHTLeftImage ? LeftButton : RightButton;
    b.Down = true;
    if (!Focused() && CanFocus()) SetFocus();
    Invalidate();
}

void TbsSkinCustomEdit::ImageButtonUp(LRESULT code) {
    TbsCBButtonX& b = code == bsHTLeftImage ? LeftButton : RightButton;
    if (!b.Down) return;
    b.Down = false;
    Invalidate();
    const TNotifyEvent& ev = code == bsHTLeftImage ? OnLeftButtonClick : OnRightButtonClick;
    if (ev) ev(this);
}

void TbsSkinCustomEdit::DrawImageButton(TCanvas* c, const TbsCBButtonX& b, int index, int hot, int down) {
    const int count = FImages->Count();
    if (index < 0 || index >= count || IsNullRect(b.R)) return;
    int i = index;
    if (b.Down && b.MouseIn && down >= 0 && down < count) i = down;
    else if (b.MouseIn && hot >= 0 && hot < count) i = hot;
    const int top = std::max<int>(b.R.top, b.R.Height() / 2 + b.R.top - FImages->Height() / 2);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(b.R);
    FImages->Draw(c, b.R.left, top, i, Enabled());
}

void TbsSkinCustomEdit::PaintImageButtons(HDC dc) {
    if (!FImages) return;
    CalcImageButtons(false);
    TCanvas c;
    c.SetHandle(dc);
    DrawImageButton(&c, LeftButton, FLeftImageIndex, LeftImageHotIndex, LeftImageDownIndex);
    DrawImageButton(&c, RightButton, FRightImageIndex, RightImageHotIndex, RightImageDownIndex);
    c.SetHandle(nullptr);
}

void TbsSkinCustomEdit::SetSkinData(TbsSkinData* v) {
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) FreeNotification(FSD);
    ChangeSkinData();
}

TbsDataSkinEditControl* TbsSkinCustomEdit::Record() const {
    if (!FSD || FIndex < 0 || FIndex >= static_cast<int>(FSD->CtrlList.size())) return nullptr;
    return dynamic_cast<TbsDataSkinEditControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get());
}

void TbsSkinCustomEdit::ChangeSkinData() {
    FIndex = (FSD && !FSD->Empty) ? FSD->GetControlIndex(FSkinDataName) : -1;
    TbsDataSkinEditControl* r = Record();
    if (!r) FIndex = -1;
    if (!r) {
        Font()->Assign(&FDefaultFont);
        SetColor(FDefaultColor);
        if (DefaultWidth > 0) SetWidth(DefaultWidth);
        if (DefaultHeight > 0) SetHeight(DefaultHeight);
    } else {
        if (UseSkinFont) {
            Font()->SetName(r->FontName);
            Font()->SetStyle(r->FontStyle);
            Font()->SetHeight(r->FontHeight);
            if (r->SkinRect.Height() > 0) SetHeight(r->SkinRect.Height());
        } else {
            Font()->Assign(&FDefaultFont);
        }
        Font()->SetColor(Focused() ? r->ActiveFontColor : r->FontColor);
    }
    if (FSD && FSD->ResourceStrData()) Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    else Font()->SetCharset(FDefaultFont.Charset());
    if (HandleAllocated()) RecreateWnd();
    CalcButton();
    if (FImages) {
        CalcImageButtons(true);
        Invalidate();
    }
}

void TbsSkinCustomEdit::SetButtonMode(bool v) {
    FButtonMode = v;
    CalcButton();
    if (HandleAllocated()) SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                                        SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TbsSkinCustomEdit::CalcButton() {
    FButton.R = FButtonMode ? TRect(Width() - 19, 2, Width() - 2, Height() - 2) : TRect();
}

bool TbsSkinCustomEdit::OnButton(LPARAM screenPoint) {
    RECT wr;
    GetWindowRect(Handle(), &wr);
    const POINT p{static_cast<short>(LOWORD(screenPoint)) - wr.left, static_cast<short>(HIWORD(screenPoint)) - wr.top};
    return IsPointInRect(FButton.R, p);
}

// The text area in window coordinates (the client area's place).
TRect TbsSkinCustomEdit::EditRect() {
    int l = 2, t = 2, rr = 2, b = 2;
    if (TbsDataSkinEditControl* rec = Record()) {
        l = rec->ClRect.left;
        t = rec->ClRect.top;
        rr = rec->SkinRect.Width() - rec->ClRect.right;
        b = rec->SkinRect.Height() - rec->ClRect.bottom;
    }
    if (FButtonMode) rr += 19;
    return TRect(l, t, Width() - rr, Height() - b);
}

void TbsSkinCustomEdit::PaintFrame(HDC dc) {
    const int w = Width(), h = Height();
    TBitmap b(w, h);
    ComposeFace(b, Focused() || FMouseIn);
    platform::SavedDC saved(dc);
    const TRect cl = ClientRect();
    POINT o{0, 0};
    MapWindowPoints(Handle(), nullptr, &o, 1);
    RECT wr;
    GetWindowRect(Handle(), &wr);
    const int cx = o.x - wr.left, cy = o.y - wr.top;
    ExcludeClipRect(dc, cx, cy, cx + cl.Width(), cy + cl.Height());
    BitBlt(dc, 0, 0, w, h, b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The whole face (frame, text area and button) at the control's size;
// active: the skin's hot face.
void TbsSkinCustomEdit::ComposeFace(TBitmap& b, bool active) {
    const int w = Width(), h = Height();
    TCanvas* c = b.Canvas();
    TbsDataSkinEditControl* r = Record();
    TBitmap* pic = r && FSD && r->PictureIndex >= 0 && r->PictureIndex < static_cast<int>(FSD->FActivePictures.size())
                       ? FSD->FActivePictures[static_cast<size_t>(r->PictureIndex)].get()
                       : nullptr;
    if (r && pic && !IsNullRect(r->SkinRect)) {
        const TRect src = active && !IsNullRect(r->ActiveSkinRect) ? r->ActiveSkinRect : r->SkinRect;
        const int dw = w - r->SkinRect.Width(), dh = h - r->SkinRect.Height();
        TRect ncl = r->ClRect;
        ncl.right += dw;
        ncl.bottom += dh;
        CreateSkinImage(r->LTPoint, r->RTPoint, r->LBPoint, r->RBPoint, r->ClRect, r->LTPoint,
                        TPoint(r->RTPoint.x + dw, r->RTPoint.y), TPoint(r->LBPoint.x, r->LBPoint.y + dh),
                        TPoint(r->RBPoint.x + dw, r->RBPoint.y + dh), ncl, &b, pic, src, w, h, true, r->LeftStretch,
                        r->TopStretch, r->RightStretch, r->BottomStretch, r->StretchEffect, bsstFull);
    } else {
        // A shadow ring, a face ring inside it, the rest in DefaultColor.
        const TRect outer(0, 0, w, h);
        c->Brush()->SetColor(FDefaultColor);
        c->FillRect(TRect(0, 0, w, h));
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(outer);
        c->Brush()->SetColor(clBtnFace);
        c->FrameRect(TRect(outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1));
    }
    if (FButtonMode) {
        const TRect& br = FButton.R;
        const bool down = FButton.Down && FButton.MouseIn;
        c->Brush()->SetColor(down ? bsPlainDownFill : FButton.MouseIn ? bsPlainHotFill : clBtnFace);
        c->FillRect(br);
        c->Brush()->SetColor(FButton.MouseIn ? bsPlainHotFrame : clBtnShadow);
        c->FrameRect(br);
        c->Brush()->SetColor(clBlack);
        for (int i = 0; i < 3; ++i) {
            const int x = br.left + br.Width() / 2 - 5 + i * 4, y = br.top + br.Height() / 2;
            c->FillRect(TRect(x, y, x + 2, y + 2));
        }
    }
}

void TbsSkinCustomEdit::PaintSkinTo(TCanvas* target, int x, int y, const String& aText) {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    ComposeFace(b, false);
    TCanvas* c = b.Canvas();
    TbsDataSkinEditControl* r = Record();
    if (r && UseSkinFont) {
        c->Font()->SetName(r->FontName);
        c->Font()->SetStyle(r->FontStyle);
        c->Font()->SetHeight(r->FontHeight);
        c->Font()->SetColor(r->FontColor);
    } else {
        c->Font()->Assign(&FDefaultFont);
    }
    c->Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet : FDefaultFont.Charset());
    c->Brush()->SetStyle(bsClear);
    TRect tr = EditRect();
    if (FImages && FLeftImageIndex >= 0) tr.left += FImages->Width() + 2;
    if (FImages && FRightImageIndex >= 0) tr.right -= FImages->Width() + 2;
    const int tw = c->TextExtent(aText).cx;
    const int tx = FAlignment == taRightJustify ? tr.right - tw
                   : FAlignment == taCenter     ? tr.left + 2 + tr.Width() / 2 - tw / 2
                                                : tr.left + 2;
    c->TextRect(tr, tx, tr.top, aText);
    target->Draw(x, y, &b);
}

void TbsSkinCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE: {
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        int l = 2, t = 2, rr = 2, b = 2;
        if (TbsDataSkinEditControl* rec = Record()) {
            l = rec->ClRect.left;
            t = rec->ClRect.top;
            rr = rec->SkinRect.Width() - rec->ClRect.right;
            b = rec->SkinRect.Height() - rec->ClRect.bottom;
        }
        if (FButtonMode) rr += 19;
        r->left += l;
        r->top += t;
        r->right -= rr;
        r->bottom -= b;
        m.Result = 0;
        return;
    }
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(Handle());
        PaintFrame(dc);
        ReleaseDC(Handle(), dc);
        m.Result = 0;
        return;
    }
    case WM_SIZE:
        TbsCustomEdit::WndProc(m);
        CalcButton();
        CalcImageButtons(true);
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        if (!EditTransparent() && FIndex == -1) {
            // The default look's text area in DefaultColor.
            auto dc = reinterpret_cast<HDC>(m.WParam);
            SetBkColor(dc, ColorToRGB(Color()));
            SetTextColor(dc, ColorToRGB(Font()->Color()));
            m.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
            return;
        }
        break;
    case WM_PRINTCLIENT:
        TbsCustomEdit::WndProc(m);
        PaintImageButtons(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_PAINT:
        TbsCustomEdit::WndProc(m);
        if (FImages) {
            HDC dc = GetDC(Handle());
            PaintImageButtons(dc);
            ReleaseDC(Handle(), dc);
        }
        return;
    case WM_NCHITTEST:
        if (ImageHitTest(m)) return;
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (FImages && (m.WParam == bsHTLeftImage || m.WParam == bsHTRightImage)) {
            ImageButtonDown(static_cast<LRESULT>(m.WParam));
            if (m.Msg == WM_NCLBUTTONDBLCLK) UpdateWindow(Handle());
            return;
        }
        if (FButtonMode && OnButton(m.LParam)) {
            FButton.Down = FButton.MouseIn = true;
            SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        }
        return;
    case WM_NCLBUTTONUP:
        if (FImages && (m.WParam == bsHTLeftImage || m.WParam == bsHTRightImage)) {
            ImageButtonUp(static_cast<LRESULT>(m.WParam));
            return;
        }
        if (FButton.Down) {
            FButton.Down = false;
            SendMessageW(Handle(), WM_NCPAINT, 1, 0);
            if (OnButton(m.LParam) && OnButtonClick) OnButtonClick(this);
        }
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseIn = m.Msg == CM_MOUSEENTER;
        if (!FMouseIn) ClearImageHover();
        TbsCustomEdit::WndProc(m);
        if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TbsCustomEdit::WndProc(m);
        if (TbsDataSkinEditControl* r = Record()) Font()->SetColor(Focused() ? r->ActiveFontColor : r->FontColor);
        if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        CalcImageButtons(true);
        return;
    default: break;
    }
    TbsCustomEdit::WndProc(m);
}
