#include "skin/frame/bsFormLayerBorder.h"

#include <algorithm>
#include <cmath>

#include "platform/Clock.h"
#include "skin/bsEffectsGlow.h"
#include "skin/bsUtilsLayer.h"
#include "skin/frame/bsSkinFrame.h"

namespace {

bool Inside(const TRect& r, TPoint p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

TRect FormBounds(TCustomForm* f) {
    if (f->HandleAllocated()) {
        RECT r;
        GetWindowRect(f->Handle(), &r);
        return TRect(r);
    }
    return f->BoundsRect();
}

TBitmap* StorePicture(TbsSkinData* sd, int index) {
    if (index < 0 || index >= static_cast<int>(sd->FActivePictures.size())) return nullptr;
    return sd->FActivePictures[static_cast<size_t>(index)].get();
}

std::unique_ptr<TbsBitmap> AlphaPicture(TBitmap* picture, TBitmap* mask) {
    auto b = std::make_unique<TbsBitmap>();
    b->Assign(picture);
    TbsBitmap m;
    m.Assign(mask);
    AlphaFromMask(b.get(), &m);
    b->CheckingAlphaBlend();
    return b;
}

// Copies src part s of B into part d of dst, stretching; all four bytes.
void CopyPart(TbsBitmap* dst, const TRect& d, TbsBitmap* B, const TRect& s) {
    if (d.Width() <= 0 || d.Height() <= 0 || s.Width() <= 0 || s.Height() <= 0) return;
    SetStretchBltMode(dst->DC(), COLORONCOLOR);
    StretchBlt(dst->DC(), d.left, d.top, d.Width(), d.Height(), B->DC(), s.left, s.top, s.Width(), s.Height(),
               SRCCOPY);
}

void TileBand(TbsBitmap* dst, int width, int MH, TbsBitmap* B, const TRect& band) {
    const int bh = band.Height();
    if (bh <= 0) return;
    for (int y = 0; y < MH; y += bh) {
        const int h = std::min(bh, MH - y);
        CopyPart(dst, TRect(0, y, width, y + h), B, TRect(band.left, band.top, band.left + width, band.top + h));
    }
}

}  // namespace

TbsFormLayerBorderHit LayerBorderHitTest(TbsFormLayerBorderType side, TPoint P, const TRect& form, int LeftSize,
                                         int TopSize, int RightSize, int BottomSize) {
    const int L = form.left, T = form.top, W = form.Width(), H = form.Height();
    const auto sides = [&]() -> TbsFormLayerBorderHit {
        if (L - LeftSize <= P.x && P.x < L) return bsflhLeft;
        if (L + W < P.x && P.x <= L + W + RightSize) return bsflhRight;
        return bsflhNone;
    };
    switch (side) {
    case bsflLeft:
        return P.x >= L - LeftSize ? bsflhLeft : bsflhNone;
    case bsflRight:
        return P.x <= L + W + RightSize ? bsflhRight : bsflhNone;
    case bsflTop:
        if (Inside(TRect(L - LeftSize, T - TopSize, L + 3, T + 3), P)) return bsflhTopLeft;
        if (Inside(TRect(L, T - TopSize, L + W, T), P)) return bsflhTop;
        if (Inside(TRect(L + W - 3, T - TopSize, L + W + RightSize, T + 3), P)) return bsflhTopRight;
        return P.y > T ? sides() : bsflhNone;
    case bsflBottom:
        if (Inside(TRect(L - LeftSize, T + H - 3, L + 3, T + H + BottomSize), P)) return bsflhBottomLeft;
        if (Inside(TRect(L, T + H, L + W, T + H + BottomSize), P)) return bsflhBottom;
        if (Inside(TRect(L + W - 3, T + H - 3, L + W + RightSize, T + H + BottomSize), P)) return bsflhBottomRight;
        return P.y < T + H ? sides() : bsflhNone;
    }
    return bsflhNone;
}

// ---- the border -------------------------------------------------------------------------------

TbsFormLayerBorder::TbsFormLayerBorder(TComponent* AOwner, TbsSkinFrame* AFrame) : TComponent(AOwner), BSF(AFrame) {}

TbsFormLayerBorder::~TbsFormLayerBorder() { FreeWindows(); }

void TbsFormLayerBorder::InitFrame(TbsSkinData* ASkinData, TCustomForm* AForm) {
    FForm = AForm;
    FSD = ASkinData;
    FData = nullptr;
    if (!FSD || FSD->Empty || !FSD->LayerFrame || FSD->LayerFrame->PictureIndex == -1) return;
    TbsDataSkinLayerFrame* rec = FSD->LayerFrame.get();
    TBitmap* pic = StorePicture(FSD, rec->PictureIndex);
    TBitmap* mask = StorePicture(FSD, rec->MaskPictureIndex);
    if (!pic || !mask) return;
    FSourceBitmap.reset();
    FSourceInActiveBitMap.reset();
    FCurrentAlphaBlendValue = rec->AlphaBlendValue;
    FCurrentInActiveAlphaBlendValue = rec->InActiveAlphaBlendValue;
    FSourceBitmap = AlphaPicture(pic, mask);
    if (rec->InActivePictureIndex != -1) {
        TBitmap* ipic = StorePicture(FSD, rec->InActivePictureIndex);
        TBitmap* imask = StorePicture(FSD, rec->InActiveMaskPictureIndex);
        if (!ipic || !imask) {
            FSourceBitmap.reset();
            return;
        }
        FSourceInActiveBitMap = AlphaPicture(ipic, imask);
    }
    FData = rec;
    const TRect& B = rec->BorderRect;
    if (B.Width() <= 0 || B.Height() <= 0) {
        LeftSize = TopSize = RightSize = BottomSize = 0;
    } else {
        LeftSize = rec->ClRect.left - B.left;
        TopSize = rec->ClRect.top - B.top;
        RightSize = B.right - rec->ClRect.right;
        BottomSize = B.bottom - rec->ClRect.bottom;
    }
}

TRect TbsFormLayerBorder::OuterRect(const TRect& f) const {
    if (!FData) return TRect();
    const TRect& C = FData->ClRect;
    const int SW = FSourceBitmap->Width(), SH = FSourceBitmap->Height();
    const int X = f.left - C.left, Y = f.top - C.top;
    return TRect(X, Y, X + f.Width() + SW - C.Width(), Y + f.Height() + SH - C.Height());
}

void TbsFormLayerBorder::CutImages(int OW, int OH) {
    TbsBitmap* B = (!FActive && FSourceInActiveBitMap) ? FSourceInActiveBitMap.get() : FSourceBitmap.get();
    const TbsDataSkinLayerFrame& r = *FData;
    const int SW = B->Width(), SH = B->Height();
    const TPoint LT = r.LTPoint, RT = r.RTPoint, LB = r.LBPoint, RB = r.RBPoint;
    for (auto& img : Images) img = std::make_unique<TbsBitmap>();

    const int TH = std::max(LT.y, RT.y);
    TbsBitmap* top = Images[bsflTop].get();
    if (OW > 0 && TH > 0) {
        top->SetSize(OW, TH);
        top->Clear(0);
        CopyPart(top, TRect(0, 0, LT.x, TH), B, TRect(0, 0, LT.x, TH));
        CopyPart(top, TRect(OW - (SW - RT.x), 0, OW, TH), B, TRect(RT.x, 0, SW, TH));
        CopyPart(top, TRect(LT.x, 0, OW - (SW - RT.x), TH), B, TRect(LT.x, 0, RT.x, TH));
        top->CheckingAlphaBlend();
    }
    const int BH = SH - std::min(LB.y, RB.y);
    TbsBitmap* bottom = Images[bsflBottom].get();
    if (OW > 0 && BH > 0) {
        bottom->SetSize(OW, BH);
        bottom->Clear(0);
        CopyPart(bottom, TRect(0, 0, LB.x, BH), B, TRect(0, SH - BH, LB.x, SH));
        CopyPart(bottom, TRect(OW - (SW - RB.x), 0, OW, BH), B, TRect(RB.x, SH - BH, SW, SH));
        CopyPart(bottom, TRect(LB.x, 0, OW - (SW - RB.x), BH), B, TRect(LB.x, SH - BH, RB.x, SH));
        bottom->CheckingAlphaBlend();
    }
    const int MH = OH - TH - BH;
    const int bandH = SH - BH - TH;
    if (MH > 0 && bandH > 0) {
        const int lw = r.ClRect.left, rw = SW - r.ClRect.right;
        if (lw > 0) {
            Images[bsflLeft]->SetSize(lw, MH);
            TileBand(Images[bsflLeft].get(), lw, MH, B, TRect(0, TH, lw, SH - BH));
            Images[bsflLeft]->CheckingAlphaBlend();
        }
        if (rw > 0) {
            Images[bsflRight]->SetSize(rw, MH);
            TileBand(Images[bsflRight].get(), rw, MH, B, TRect(r.ClRect.right, TH, SW, SH - BH));
            Images[bsflRight]->CheckingAlphaBlend();
        }
    }
}

void TbsFormLayerBorder::FreeWindows() {
    for (auto& w : Windows)
        if (w) {
            TbsFormLayerWindow* doomed = w;
            w = nullptr;
            doomed->Free();
        }
}

void TbsFormLayerBorder::GiveImage(TbsFormLayerBorderType side) {
    TbsFormLayerWindow* w = Windows[side];
    TbsBitmap* img = Images[side].get();
    if (!w || !img || img->Empty()) return;
    const int a = std::clamp(CurrentAlpha(), 0, 255);
    UpdateLayeredBitmap(img, static_cast<BYTE>(a), w);
    w->AppliedAlpha = a;
}

void TbsFormLayerBorder::PlaceWindows(int X, int Y, int OW, int OH, UINT flags) {
    const int th = Images[bsflTop] && !Images[bsflTop]->Empty() ? Images[bsflTop]->Height() : 0;
    const auto place = [&](TbsFormLayerBorderType side, int x, int y) {
        TbsFormLayerWindow* w = Windows[side];
        if (!w) return;
        TbsBitmap* img = Images[side].get();
        const int iw = img && !img->Empty() ? img->Width() : w->Width();
        const int ih = img && !img->Empty() ? img->Height() : w->Height();
        w->TControl::SetBounds(x, y, iw, ih);
        SetWindowPos(w->Handle(), nullptr, x, y, iw, ih, flags | SWP_NOACTIVATE | SWP_NOZORDER);
    };
    const int bh = Windows[bsflBottom] ? Windows[bsflBottom]->Height() : 0;
    const int rw = Windows[bsflRight] ? Windows[bsflRight]->Width() : 0;
    place(bsflTop, X, Y);
    place(bsflBottom, X, Y + OH - (Images[bsflBottom] && !Images[bsflBottom]->Empty() ? Images[bsflBottom]->Height() : bh));
    place(bsflLeft, X, Y + th);
    place(bsflRight, X + OW - (Images[bsflRight] && !Images[bsflRight]->Empty() ? Images[bsflRight]->Width() : rw), Y + th);
}

void TbsFormLayerBorder::Show(int X, int Y, int AWidth, int AHeight) {
    if (!FData) return;
    FWidth = AWidth;
    FHeight = AHeight;
    FVisible = true;
    CutImages(AWidth, AHeight);
    FreeWindows();
    const auto has = [&](TbsFormLayerBorderType s) { return Images[s] && !Images[s]->Empty(); };
    for (TbsFormLayerBorderType s : {bsflLeft, bsflRight, bsflTop, bsflBottom})
        if (has(s)) Windows[s] = new TbsFormLayerWindow(this, FForm, s);
    // Positions first: the picture is laid on at the window's place.
    PlaceWindows(X, Y, AWidth, AHeight, SWP_NOREDRAW);
    for (TbsFormLayerBorderType s : {bsflTop, bsflBottom, bsflLeft, bsflRight}) GiveImage(s);
    for (auto* w : Windows)
        if (w) SetWindowPos(w->Handle(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
}

void TbsFormLayerBorder::SetBounds(int X, int Y, int AWidth, int AHeight) {
    if (!FData || !FVisible) return;
    FWidth = AWidth;
    FHeight = AHeight;
    CutImages(AWidth, AHeight);
    PlaceWindows(X, Y, AWidth, AHeight, 0);
    for (TbsFormLayerBorderType s : {bsflTop, bsflBottom, bsflLeft, bsflRight}) GiveImage(s);
}

void TbsFormLayerBorder::Hide() {
    FVisible = false;
    for (auto& img : Images) img.reset();
    FreeWindows();
}

void TbsFormLayerBorder::ShowWithForm() {
    if (!FData || !FForm) return;
    const TRect o = OuterRect(FormBounds(FForm));
    Show(o.left, o.top, o.Width(), o.Height());
}

void TbsFormLayerBorder::ShowWithFormAnimation() {
    if (!FData) return;
    const int target = FCurrentAlphaBlendValue;
    FCurrentAlphaBlendValue = 0;
    ShowWithForm();
    Application->ProcessMessages();
    const int step = std::max(1, target / 15);
    DWORD last = GetTickCount();
    while (FCurrentAlphaBlendValue < target) {
        const DWORD now = GetTickCount();
        if (now - last <= 5) {
            Sleep(1);
            continue;
        }
        last = now;
        FCurrentAlphaBlendValue = std::min(FCurrentAlphaBlendValue + step, target);
        SetAlphaBlend();
    }
}

void TbsFormLayerBorder::SetBoundsWithForm() {
    if (!FData || !FVisible) return;
    const TRect o = OuterRect(FormBounds(FForm));
    SetBounds(o.left, o.top, o.Width(), o.Height());
}

void TbsFormLayerBorder::SetBoundsWithForm2(int AW, int AH) {
    const TRect f = FormBounds(FForm);
    SetBoundsWithForm3(f.left, f.top, AW, AH);
}

void TbsFormLayerBorder::SetBoundsWithForm3(int ALeft, int ATop, int AW, int AH) {
    if (!FData || !FVisible) return;
    const TRect o = OuterRect(TRect(ALeft, ATop, ALeft + AW, ATop + AH));
    SetBounds(o.left, o.top, o.Width(), o.Height());
}

void TbsFormLayerBorder::MoveWithForm() {
    const TRect f = FormBounds(FForm);
    MoveWithForm2(f.left, f.top);
}

void TbsFormLayerBorder::MoveWithForm2(int ALeft, int ATop) {
    if (!FData || !FVisible) return;
    const TRect f = FormBounds(FForm);
    const TRect o = OuterRect(TRect(ALeft, ATop, ALeft + f.Width(), ATop + f.Height()));
    PlaceWindows(o.left, o.top, o.Width(), o.Height(), SWP_NOSIZE);
}

void TbsFormLayerBorder::SetAlphaBlend() {
    if (!FData || !FVisible) return;
    for (TbsFormLayerBorderType s : {bsflTop, bsflBottom, bsflLeft, bsflRight}) GiveImage(s);
}

void TbsFormLayerBorder::SetAlphaBlend2() {
    if (!FData || !FVisible) return;
    SetAlphaBlend();
    const TRect o = OuterRect(FormBounds(FForm));
    PlaceWindows(o.left, o.top, o.Width(), o.Height(), SWP_SHOWWINDOW);
}

void TbsFormLayerBorder::CheckFormAlpha(int AFormAlpha, bool AUpdate) {
    if (!FData) return;
    // Halves go to the even neighbour.
    FCurrentAlphaBlendValue = static_cast<int>(std::nearbyint(FData->AlphaBlendValue * AFormAlpha / 255.0));
    FCurrentInActiveAlphaBlendValue =
        static_cast<int>(std::nearbyint(FData->InActiveAlphaBlendValue * AFormAlpha / 255.0));
    if (AUpdate) SetAlphaBlend();
}

void TbsFormLayerBorder::SetActive(bool AValue, bool AUpdate) {
    FActive = AValue;
    if (FVisible && AUpdate) SetAlphaBlend2();
}

void TbsFormLayerBorder::Draw(TCanvas* C, int X, int Y, int AWidth, int AHeight) {
    if (!FData) return;
    CutImages(AWidth, AHeight);
    const auto ok = [&](TbsFormLayerBorderType s) { return Images[s] && !Images[s]->Empty(); };
    const int th = ok(bsflTop) ? Images[bsflTop]->Height() : 0;
    if (ok(bsflTop)) Images[bsflTop]->Draw(C, X, Y);
    if (ok(bsflBottom)) Images[bsflBottom]->Draw(C, X, Y + AHeight - Images[bsflBottom]->Height());
    if (ok(bsflLeft)) Images[bsflLeft]->Draw(C, X, Y + th);
    if (ok(bsflRight)) Images[bsflRight]->Draw(C, X + AWidth - Images[bsflRight]->Width(), Y + th);
}

// ---- the windows ------------------------------------------------------------------------------

TbsFormLayerWindow::TbsFormLayerWindow(TbsFormLayerBorder* ABorder, TCustomForm* AForm, TbsFormLayerBorderType AType)
    : TCustomForm(ABorder), BorderType(AType), FForm(AForm), FLayerBorder(ABorder) {
    TakesBroadcasts = false;
    SetBorderStyle(bsNone);
    if (AForm && AForm->FormStyle() == fsStayOnTop) SetFormStyle(fsStayOnTop);
    AfterConstruction();
    HandleNeeded();
}

void TbsFormLayerWindow::CreateParams(TCreateParams& p) {
    TCustomForm::CreateParams(p);
    p.Style = WS_POPUP;
    p.ExStyle |= WS_EX_LAYERED | WS_EX_TOOLWINDOW;
    const TbsDataSkinLayerFrame* d = FLayerBorder->Data();
    if (d && (d->BorderRect.Width() <= 0 || d->BorderRect.Height() <= 0)) p.ExStyle |= WS_EX_TRANSPARENT;
    p.WndParent = FForm && FForm->HandleAllocated() ? FForm->Handle() : nullptr;
}

void TbsFormLayerWindow::WndProc(TMessage& m) {
    if (m.Msg == WM_MOUSEACTIVATE) {
        m.Result = MA_NOACTIVATE;
        const TbsDataSkinLayerFrame* d = FLayerBorder->Data();
        if (d && d->HitTestEnable) {
            FHitMode = BorderHitTest();
            if (FHitMode != bsflhNone && FForm && !FForm->Active()) FForm->Show();
        }
        return;
    }
    TCustomForm::WndProc(m);
}

TbsFormLayerBorderHit TbsFormLayerWindow::BorderHitTest() const {
    POINT p;
    GetCursorPos(&p);
    const TRect f = FormBounds(FForm);
    const auto* b = FLayerBorder;
    return LayerBorderHitTest(BorderType, TPoint(p.x, p.y), f, b->LeftSize, b->TopSize, b->RightSize, b->BottomSize);
}

bool TbsFormLayerWindow::CanResizeByBorder() const {
    TbsSkinFrame* frame = FLayerBorder->Frame();
    if (!FForm) return false;
    const bool allowed = frame ? frame->CanResize() : FForm->BorderStyle() == bsSizeable;
    if (!allowed) return false;
    if (frame) return !frame->RollUpState() && frame->WindowState() == wsNormal;
    return FForm->WindowState() == wsNormal;
}

void TbsFormLayerWindow::MouseMove(TShiftState Shift, int X, int Y) {
    if (FInProcessMessages) {
        FInProcessMessages = false;
        return;
    }
    TCustomForm::MouseMove(Shift, X, Y);
    const TbsDataSkinLayerFrame* d = FLayerBorder->Data();
    if (!d || !d->HitTestEnable) return;
    POINT p;
    GetCursorPos(&p);
    MousePos2 = TPoint(p.x, p.y);
    if (!CanResizeByBorder()) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    } else if (!FDown) {
        FLayerBorder->SetChangeSize(false);
        FHitMode = BorderHitTest();
        static const LPCWSTR kCursor[] = {IDC_ARROW,    IDC_SIZEWE,   IDC_SIZENS,   IDC_SIZEWE,  IDC_SIZENS,
                                          IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENESW, IDC_SIZENWSE};
        SetCursor(LoadCursorW(nullptr, kCursor[FHitMode]));
    } else {
        FLayerBorder->SetChangeSize(true);
        DragStep();
    }
    MousePos1 = MousePos2;
}

void TbsFormLayerBorder::SetChangeSize(bool AValue) {
    FBorderLayerChangeSize = AValue;
    if (BSF) BSF->FBorderLayerChangeSize = AValue;
}

void TbsFormLayerWindow::DragStep() {
    const int dx = MousePos2.x - MousePos1.x, dy = MousePos2.y - MousePos1.y;
    const TRect f = FormBounds(FForm);
    const int L = f.left, T = f.top, W = f.Width(), H = f.Height();
    TbsSkinFrame* frame = FLayerBorder->Frame();
    const int minW = frame ? frame->GetMinWidth() : 0, minH = frame ? frame->GetMinHeight() : 0;
    const int maxW = frame ? frame->GetMaxWidth() : 0, maxH = frame ? frame->GetMaxHeight() : 0;
    const auto limitW = [&](int w) { return (maxW > 0 && w > maxW) ? maxW : std::max(w, minW); };
    const auto limitH = [&](int h) { return (maxH > 0 && h > maxH) ? maxH : std::max(h, minH); };
    const bool left = FHitMode == bsflhLeft || FHitMode == bsflhTopLeft || FHitMode == bsflhBottomLeft;
    const bool right = FHitMode == bsflhRight || FHitMode == bsflhTopRight || FHitMode == bsflhBottomRight;
    const bool top = FHitMode == bsflhTop || FHitMode == bsflhTopLeft || FHitMode == bsflhTopRight;
    const bool bottom = FHitMode == bsflhBottom || FHitMode == bsflhBottomLeft || FHitMode == bsflhBottomRight;
    int nL = L, nT = T, nW = W, nH = H;
    if (left) {
        const int w = limitW(W - dx);
        // The right edge stays put: applied only when no limit cut in.
        if (L + W == L + dx + w) nL = L + dx, nW = w;
    } else if (right) {
        nW = limitW(W + dx);
    }
    if (top) {
        const int h = limitH(H - dy);
        if (T + H == T + dy + h) nT = T + dy, nH = h;
    } else if (bottom) {
        nH = limitH(H + dy);
    }
    if (nW == W && nH == H) return;
    FForm->SetBounds(nL, nT, nW, nH);
    FLayerBorder->SetBoundsWithForm3(nL, nT, nW, nH);
    MousePos1 = MousePos2;
    FInProcessMessages = true;
    Application->ProcessMessages();
    FInProcessMessages = false;
}

void TbsFormLayerWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomForm::MouseDown(Button, Shift, X, Y);
    const TbsDataSkinLayerFrame* d = FLayerBorder->Data();
    if (!d || !d->HitTestEnable || !CanResizeByBorder()) return;
    FInProcessMessages = false;
    FHitMode = BorderHitTest();
    FDown = FHitMode != bsflhNone;
    POINT p;
    GetCursorPos(&p);
    MousePos1 = MousePos2 = TPoint(p.x, p.y);
}

void TbsFormLayerWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomForm::MouseUp(Button, Shift, X, Y);
    FLayerBorder->SetChangeSize(false);
    const TbsDataSkinLayerFrame* d = FLayerBorder->Data();
    if (!d || !d->HitTestEnable || !CanResizeByBorder()) return;
    FDown = false;
    FInProcessMessages = false;
}
