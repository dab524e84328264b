#include "skin/controls/bsSkinCtrls.h"

#include "platform/ImgList.h"
#include "skin/bsEffectsTransitions.h"
#include "skin/bsResStrData.h"
#include "skin/controls/bsSkinCtrlsPanels.h"

// ---- TbsSkinControl ------------------------------------------------------------------------------

TbsSkinControl::TbsSkinControl(TComponent* owner) : TCustomControl(owner) {}

TbsSkinControl::~TbsSkinControl() {
    if (FSD) RemoveFreeNotification(FSD);
    if (FHintImageList) RemoveFreeNotification(FHintImageList);
}

void TbsSkinControl::SetHintImageList(TCustomImageList* v) {
    if (FHintImageList) RemoveFreeNotification(FHintImageList);
    FHintImageList = v;
    if (v) FreeNotification(v);
}

void TbsSkinControl::SetSkinData(TbsSkinData* value) {
    // The store may be freed before the control: ask to hear of it, so the
    // control falls back to its plain look instead of reading freed memory.
    if (FSD && FSD != value) RemoveFreeNotification(FSD);
    FSD = value;
    if (FSD) FreeNotification(FSD);
    if (FSD && !FSD->Empty && !Has(csDesigning)) ChangeSkinData();
}

void TbsSkinControl::Notification(TComponent* component, TOperation op) {
    TCustomControl::Notification(component, op);
    if (op == opRemove && component == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
    if (op == opRemove && component == FHintImageList) FHintImageList = nullptr;
}

void TbsSkinControl::GetSkinData() {
    FIndex = (FSD && !FSD->Empty) ? FSD->GetControlIndex(FSkinDataName) : -1;
}

TbsDataSkinControl* TbsSkinControl::SkinRecord() const {
    if (!FSD || FIndex < 0 || FIndex >= static_cast<int>(FSD->CtrlList.size())) return nullptr;
    return FSD->CtrlList[static_cast<size_t>(FIndex)].get();
}

TBitmap* TbsSkinControl::ActivePicture(int index) const {
    if (!FSD || index < 0 || index >= static_cast<int>(FSD->FActivePictures.size())) return nullptr;
    TBitmap* b = FSD->FActivePictures[static_cast<size_t>(index)].get();
    return b && !b->Empty() ? b : nullptr;
}

bool TbsSkinControl::SkinEffectsOn() const { return FSD && !FSD->Empty && FSD->EnableSkinEffects; }

void TbsSkinControl::BeforeChangeSkinData() { FIndex = -1; }

void TbsSkinControl::ChangeSkinData() {
    GetSkinData();
    Repaint();
}

void TbsSkinControl::DrawToCanvas(TBitmap* B, int x, int y) {
    if (!B || B->Empty()) return;
    BitBlt(Canvas()->Handle(), x, y, B->Width(), B->Height(), B->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinControl::PaintOffscreen() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    TBitmap B(Width(), Height());
    if (FIndex == -1) CreateControlDefaultImage(&B);
    else CreateControlSkinImage(&B);
    DrawToCanvas(&B);
}

void TbsSkinControl::Paint() { PaintOffscreen(); }

void TbsSkinControl::SetupFont(TCanvas* canvas, bool useSkin, const String& name, int height, TFontStyles style,
                               TFont* defaultFont) const {
    TFont* f = canvas->Font();
    if (useSkin) {
        f->SetName(name);
        f->SetHeight(height);
        f->SetStyle(style);
    } else {
        f->Assign(defaultFont);
    }
    if (FSD && FSD->ResourceStrData()) f->SetCharset(FSD->ResourceStrData()->CharSet);
    else f->SetCharset(defaultFont->Charset());
}

void TbsSkinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        FromWMPaint = true;
        try {
            TCustomControl::WndProc(m);
        } catch (...) {
            FromWMPaint = false;
            throw;
        }
        FromWMPaint = false;
        return;
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_CHECKPARENTBG:
        CheckParentBackground();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (Has(csDesigning)) return;
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

// ---- TbsSkinCustomControl ---------------------------------------------------------------------------

TbsSkinCustomControl::TbsSkinCustomControl(TComponent* owner) : TbsSkinControl(owner) {
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetStyle(0);
    FDefaultFont.SetHeight(14);
    FDefaultFont.OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (FIndex == -1 && HandleAllocated()) Repaint();
    };
}

TbsSkinCustomControl::~TbsSkinCustomControl() {
    FDefaultFont.OnChange = nullptr;
    // A region handed to the window is the window's: nothing to delete here.
    FRgn = nullptr;
}

bool TbsSkinCustomControl::RecordFits(TbsDataSkinControl* record) const {
    return dynamic_cast<TbsDataSkinCustomControl*>(record) != nullptr;
}

int TbsSkinCustomControl::GetResizeMode() const {
    if (IsNullRect(SkinRect)) return -1;
    if (RBPt.x != 0 && RBPt.y != 0) return 1;
    if (RTPt.x != 0 || RTPt.y != 0) return 2;
    if (LBPt.x != 0 || LBPt.y != 0) return 3;
    return 0;
}

void TbsSkinCustomControl::GetSkinData() {
    TbsSkinControl::GetSkinData();
    Picture = nullptr;
    MaskPicture = nullptr;
    if (FIndex == -1) return;
    TbsDataSkinControl* rec = SkinRecord();
    auto* cc = dynamic_cast<TbsDataSkinCustomControl*>(rec);
    // Records of the wrong kind, without a usable picture or without a part
    // to draw give the plain look.
    if (!cc || !RecordFits(rec) || !ActivePicture(cc->PictureIndex) || IsNullRect(cc->SkinRect)) {
        FIndex = -1;
        ResizeMode = -1;
        return;
    }
    LTPt = cc->LTPoint;
    RTPt = cc->RTPoint;
    LBPt = cc->LBPoint;
    RBPt = cc->RBPoint;
    SkinRect = cc->SkinRect;
    StretchEffect = cc->StretchEffect;
    StretchType = cc->StretchType;
    LeftStretch = cc->LeftStretch;
    TopStretch = cc->TopStretch;
    RightStretch = cc->RightStretch;
    BottomStretch = cc->BottomStretch;
    ClRect = cc->ClRect;
    Picture = ActivePicture(cc->PictureIndex);
    MaskPicture = ActivePicture(cc->MaskPictureIndex);
    ResizeMode = GetResizeMode();
}

void TbsSkinCustomControl::CalcSize(int& w, int& h) {
    if (ResizeMode == -1 || (ResizeMode == 0 && FIndex == -1)) return;
    const int dW = w - SkinRect.Width(), dH = h - SkinRect.Height();
    switch (ResizeMode) {
    case 0:
        w = SkinRect.Width();
        h = SkinRect.Height();
        NewClRect = ClRect;
        break;
    case 1:
        NewLTPoint = LTPt;
        NewRTPoint = TPoint(RTPt.x + dW, RTPt.y);
        NewLBPoint = TPoint(LBPt.x, LBPt.y + dH);
        NewRBPoint = TPoint(RBPt.x + dW, RBPt.y + dH);
        NewClRect = TRect(ClRect.left, ClRect.top, ClRect.right + dW, ClRect.bottom + dH);
        break;
    case 2:
        h = SkinRect.Height();
        NewLTPoint = LTPt;
        NewRTPoint = TPoint(RTPt.x + dW, RTPt.y);
        NewClRect = TRect(ClRect.left, ClRect.top, ClRect.right + dW, ClRect.bottom);
        break;
    case 3:
        w = SkinRect.Width();
        NewLTPoint = LTPt;
        NewLBPoint = TPoint(LBPt.x, LBPt.y + dH);
        NewClRect = TRect(ClRect.left, ClRect.top, ClRect.right, ClRect.bottom + dH);
        break;
    default:
        break;
    }
}

void TbsSkinCustomControl::SetBounds(int left, int top, int width, int height) {
    GetSkinData();
    const bool resizing = FIndex != -1 && (width != Width() || height != Height());
    if (resizing) {
        CalcSize(width, height);
        if (ResizeMode == 0) NewClRect = ClRect;
    }
    top = ToolBarCentredTop(Parent(), top, height);
    TbsSkinControl::SetBounds(left, top, width, height);
    if (resizing) {
        SetControlRegion();
        if (HandleAllocated()) Repaint();
    }
    if (FIndex != -1 && StretchEffect) UpdateChildrenBackground();
}

void TbsSkinCustomControl::ChangeSkinData() {
    GetSkinData();
    bool resized = false;
    if (FIndex == -1) {
        const int w = FDefaultWidth > 0 ? FDefaultWidth : Width();
        const int h = FDefaultHeight > 0 ? FDefaultHeight : Height();
        if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
    } else {
        int w = Width(), h = Height();
        CalcSize(w, h);
        if (w != Width() || h != Height()) {
            SetBounds(Left(), Top(), w, h);
            resized = true;
        }
    }
    if (!resized) {
        SetControlRegion();
        if (HandleAllocated()) Repaint();
    }
}

void TbsSkinCustomControl::SetDefaultWidth(int v) {
    FDefaultWidth = v;
    if (FIndex == -1 && v > 0) SetWidth(v);
}

void TbsSkinCustomControl::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    if (FIndex == -1 && v > 0) SetHeight(v);
}

void TbsSkinCustomControl::CreateControlDefaultImage(TBitmap* B) {
    B->Canvas()->Brush()->SetStyle(bsSolid);
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->FillRect(TRect(0, 0, Width(), Height()));
}

void TbsSkinCustomControl::CreateControlSkinImage(TBitmap* B) { DrawSkinPicture(B, Picture, SkinRect); }

void TbsSkinCustomControl::DrawSkinPicture(TBitmap* B, TBitmap* picture, const TRect& r) {
    if (!picture || IsNullRect(r)) return;
    switch (ResizeMode) {
    case 0:
        B->SetSize(r.Width(), r.Height());
        BitBlt(B->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), picture->Canvas()->Handle(), r.left, r.top,
               SRCCOPY);
        break;
    case 1:
        if (!FForceBackground)
            CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                            NewClRect, B, picture, r, Width(), Height(), true, LeftStretch, TopStretch,
                            RightStretch, BottomStretch, StretchEffect, StretchType);
        break;
    case 2:
        CreateHSkinImage(LTPt.x, SkinRect.Width() - RTPt.x, B, picture, r, Width(), Height(), StretchEffect);
        break;
    case 3:
        CreateVSkinImage(LTPt.y, SkinRect.Height() - LBPt.y, B, picture, r, Width(), Height(), StretchEffect);
        break;
    default:
        break;
    }
}

TRect TbsSkinCustomControl::CorrectSkinRect(const TRect& a) const {
    const int dX = Width() - SkinRect.Width(), dY = Height() - SkinRect.Height();
    const int sw = SkinRect.Width(), sh = SkinRect.Height();
    TRect r = a;
    const TPoint tl(a.left, a.top), br(a.right, a.bottom);
    switch (ResizeMode) {
    case 1: {
        const TRect lt(0, 0, LTPt.x, LTPt.y), rt(RTPt.x, 0, sw, RTPt.y), lb(0, LBPt.y, LBPt.x, sh),
            rb(RBPt.x, RBPt.y, sw, sh);
        if (RectInRect(a, lt)) {
        } else if (RectInRect(a, rt)) {
            r.Offset(dX, 0);
        } else if (RectInRect(a, lb)) {
            r.Offset(0, dY);
        } else if (RectInRect(a, rb)) {
            r.Offset(dX, dY);
        } else if (IsPointInRect(lt, tl) && IsPointInRect(rb, br)) {
            r.right += dX, r.bottom += dY;
        } else if (IsPointInRect(lt, tl) && IsPointInRect(rt, br)) {
            r.right += dX;
        } else if (IsPointInRect(lb, tl) && IsPointInRect(rb, br)) {
            r.right += dX;
            r.Offset(0, dY);
        } else if (IsPointInRect(lt, tl) && IsPointInRect(lb, br)) {
            r.bottom += dY;
        } else if (IsPointInRect(rt, tl) && IsPointInRect(rb, br)) {
            r.Offset(dX, 0);
            r.bottom += dY;
        }
        break;
    }
    case 2:
        if (a.left <= LTPt.x && a.right >= RTPt.x) r.right += dX;
        else if (a.left >= RTPt.x && RTPt.x < a.right) r.Offset(dX, 0);
        break;
    case 3:
        if (a.top <= LTPt.y && a.bottom >= LBPt.y) r.bottom += dY;
        else if (a.top >= LBPt.y && LBPt.y < a.bottom) r.Offset(0, dY);
        break;
    default:
        break;
    }
    return r;
}

void TbsSkinCustomControl::UpdateChildrenBackground() {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->IsWindowed()) SendMessageW(static_cast<TWinControl*>(c)->Handle(), WM_CHECKPARENTBG, 0, 0);
        else c->Perform(WM_CHECKPARENTBG, 0, 0);
    }
}

void TbsSkinCustomControl::SetControlRegion() {
    if (!Parent() || !HandleAllocated()) return;
    if (!MaskPicture || FIndex == -1) {
        if (FRgn) {
            SetWindowRgn(Handle(), nullptr, TRUE);
            FRgn = nullptr;
        }
        return;
    }
    CreateControlRegion();
}

void TbsSkinCustomControl::CreateWnd() {
    TbsSkinControl::CreateWnd();
    // A region of a former window went with it.
    FRgn = nullptr;
    GetSkinData();
    if (FIndex != -1 && MaskPicture) SetControlRegion();
}

void TbsSkinCustomControl::CreateControlRegion() {
    int w = Width(), h = Height();
    CalcSize(w, h);
    HRGN rgn = nullptr;
    switch (ResizeMode) {
    case 0:
        CreateRgnFromMask(rgn, MaskPicture);
        break;
    case 1:
        CreateSkinRegion(rgn, LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                         NewClRect, MaskPicture, Width(), Height());
        break;
    case 2: {
        const TPoint p(Width() + RTPt.x - SkinRect.Width(), RTPt.y);
        CreateSkinRegion(rgn, LTPt, RTPt, LTPt, RTPt, ClRect, LTPt, p, LTPt, p, NewClRect, MaskPicture, Width(),
                         Height());
        break;
    }
    case 3: {
        const TPoint p(LBPt.x, Height() + LBPt.y - SkinRect.Height());
        CreateSkinRegion(rgn, LTPt, LTPt, LBPt, LBPt, ClRect, LTPt, LTPt, p, p, NewClRect, MaskPicture, Width(),
                         Height());
        break;
    }
    default:
        break;
    }
    // The window owns the region it is given (and frees the one it held).
    FRgn = rgn;
    SetWindowRgn(Handle(), rgn, TRUE);
}

void TbsSkinCustomControl::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    int w = Width(), h = Height();
    CalcSize(w, h);
    if (FIndex == -1 || !FForceBackground || ResizeMode != 1) {
        PaintOffscreen();
        return;
    }
    PaintForceBackground();
}

void TbsSkinCustomControl::FillClientPiece(TCanvas* canvas, TBitmap* t, const TRect& dst, bool fromOrigin) {
    const int cw = t->Width(), ch = t->Height();
    if (cw <= 0 || ch <= 0 || dst.IsEmpty()) return;
    HDC dc = canvas->Handle();
    HDC src = t->Canvas()->Handle();
    const int x0 = fromOrigin ? 0 : dst.left, y0 = fromOrigin ? 0 : dst.top;
    if (StretchEffect) {
        SetStretchBltMode(dc, COLORONCOLOR);
        switch (StretchType) {
        case bsstFull:
            StretchBlt(dc, dst.left, dst.top, dst.Width(), dst.Height(), src, 0, 0, cw, ch, SRCCOPY);
            return;
        case bsstHorz:
            for (int k = 0; k <= dst.Width() / cw; ++k)
                StretchBlt(dc, x0 + k * cw, dst.top, cw, dst.Height(), src, 0, 0, cw, ch, SRCCOPY);
            return;
        case bsstVert:
            for (int k = 0; k <= dst.Height() / ch; ++k)
                StretchBlt(dc, dst.left, y0 + k * ch, dst.Width(), ch, src, 0, 0, cw, ch, SRCCOPY);
            return;
        }
    }
    for (int i = 0; i <= dst.Width() / cw; ++i)
        for (int j = 0; j <= dst.Height() / ch; ++j) BitBlt(dc, x0 + i * cw, y0 + j * ch, cw, ch, src, 0, 0, SRCCOPY);
}

void TbsSkinCustomControl::PaintForceBackground() {
    TBitmap leftB, topB, rightB, bottomB;
    CreateSkinBorderImages(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect,
                           &leftB, &topB, &rightB, &bottomB, Picture, SkinRect, Width(), Height(), LeftStretch,
                           TopStretch, RightStretch, BottomStretch);
    CreateControlSkinImage(&topB);
    TCanvas* c = Canvas();
    if (FDrawbackground && !ClRect.IsEmpty() && !NewClRect.IsEmpty()) {
        TBitmap t(ClRect.Width(), ClRect.Height());
        BitBlt(t.Canvas()->Handle(), 0, 0, ClRect.Width(), ClRect.Height(), Picture->Canvas()->Handle(),
               SkinRect.left + ClRect.left, SkinRect.top + ClRect.top, SRCCOPY);
        HDC dc = c->Handle();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, NewClRect.left, NewClRect.top, NewClRect.right, NewClRect.bottom);
        FillClientPiece(c, &t, NewClRect, false);
        RestoreDC(dc, saved);
    }
    DrawToCanvas(&topB, 0, 0);
    DrawToCanvas(&leftB, 0, topB.Height());
    DrawToCanvas(&rightB, Width() - rightB.Width(), topB.Height());
    DrawToCanvas(&bottomB, 0, Height() - bottomB.Height());
}

// ---- shared helpers ----

namespace {

// Blends a towards b by kf with the transition of kind.
void MorphBy(TbsEffectBmp* a, TbsEffectBmp* b, double kf, TbsMorphKind kind) {
    switch (kind) {
    case mkGradient: a->MorphGrad(b, kf); break;
    case mkLeftGradient: a->MorphLeftGrad(b, kf); break;
    case mkRightGradient: a->MorphRightGrad(b, kf); break;
    case mkLeftSlide: a->MorphLeftSlide(b, kf); break;
    case mkRightSlide: a->MorphRightSlide(b, kf); break;
    case mkPush: a->MorphPush(b, kf); break;
    default: a->Morph(b, kf); break;
    }
}

}  // namespace

void bsDrawMorphed(HDC dc, TBitmap* from, TBitmap* to, double kf, TbsMorphKind kind) {
    std::unique_ptr<TbsEffectBmp> a(TbsEffectBmp::CreateFromhWnd(from->Handle()));
    std::unique_ptr<TbsEffectBmp> b(TbsEffectBmp::CreateFromhWnd(to->Handle()));
    MorphBy(a.get(), b.get(), kf, kind);
    a->Draw(dc, 0, 0);
}


COLORREF bsPictureColor(TBitmap* picture, int x, int y) {
    if (!picture || picture->Empty() || x < 0 || y < 0 || x >= picture->Width() || y >= picture->Height()) return 0;
    const TPixelFormat f = picture->PixelFormat();
    if (f != pf24bit && f != pf32bit) return GetPixel(picture->Canvas()->Handle(), x, y);
    const auto* p = static_cast<const uint8_t*>(picture->ScanLine(y)) + x * (f == pf24bit ? 3 : 4);
    return RGB(p[2], p[1], p[0]);
}
