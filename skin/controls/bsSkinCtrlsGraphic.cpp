#include "skin/controls/bsSkinCtrlsGraphic.h"

#include "platform/ImgList.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinCtrlsPanels.h"

// ---- the skin protocol -------------------------------------------------------------------------

TbsGraphicSkinControl::TbsGraphicSkinControl(TComponent* owner) : TGraphicControl(owner) { ControlStyle |= csOpaque; }

TbsGraphicSkinControl::~TbsGraphicSkinControl() {
    if (FSD) RemoveFreeNotification(FSD);
    if (FHintImageList) RemoveFreeNotification(FHintImageList);
}

void TbsGraphicSkinControl::SetHintImageList(TCustomImageList* v) {
    if (FHintImageList) RemoveFreeNotification(FHintImageList);
    FHintImageList = v;
    if (v) FreeNotification(v);
}

void TbsGraphicSkinControl::SetSkinData(TbsSkinData* v) {
    // The store may be freed first: hear of it and fall back to the plain look.
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) FreeNotification(FSD);
    if (FSD && !FSD->Empty && !Has(csDesigning)) ChangeSkinData();
}

void TbsGraphicSkinControl::Notification(TComponent* component, TOperation op) {
    TGraphicControl::Notification(component, op);
    if (op == opRemove && component == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
    if (op == opRemove && component == FHintImageList) FHintImageList = nullptr;
}

void TbsGraphicSkinControl::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(SkinDataName);
}

void TbsGraphicSkinControl::ChangeSkinData() {
    GetSkinData();
    Repaint();
}

void TbsGraphicSkinControl::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    TBitmap B(Width(), Height());
    if (FIndex == -1) CreateControlDefaultImage(&B);
    else CreateControlSkinImage(&B);
    Canvas()->Draw(0, 0, &B);
}

void TbsGraphicSkinControl::WndProc(TMessage& m) {
    // The class library raises OnMouseEnter/OnMouseLeave itself.
    if ((m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) && Has(csDesigning)) return;
    TGraphicControl::WndProc(m);
}

// ---- the resizable skin part -------------------------------------------------------------------

TbsGraphicSkinCustomControl::TbsGraphicSkinCustomControl(TComponent* owner) : TbsGraphicSkinControl(owner) {
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetStyle(0);
    FDefaultFont.SetHeight(14);
    FDefaultFont.OnChange = [this](TObject*) { DefaultFontChange(); };
}

TbsGraphicSkinCustomControl::~TbsGraphicSkinCustomControl() { FDefaultFont.OnChange = nullptr; }

void TbsGraphicSkinCustomControl::DefaultFontChange() {
    DefaultFontChanged();
    if (FIndex == -1) Repaint();
}

void TbsGraphicSkinCustomControl::SetDefaultFont(TFont* v) {
    FDefaultFont.Assign(v);
    DefaultFontChanged();
    if (FIndex == -1) Repaint();
}

void TbsGraphicSkinCustomControl::SetDefaultWidth(int v) {
    FDefaultWidth = v;
    if (FIndex == -1 && v > 0) SetWidth(v);
}

void TbsGraphicSkinCustomControl::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    if (FIndex == -1 && v > 0) SetHeight(v);
}

void TbsGraphicSkinCustomControl::GetSkinData() {
    TbsGraphicSkinControl::GetSkinData();
    if (FIndex == -1) return;
    auto* rec = dynamic_cast<TbsDataSkinCustomControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get());
    if (!rec) {
        ResizeMode = 0;
        Picture = nullptr;
        return;
    }
    LTPt = rec->LTPoint;
    RTPt = rec->RTPoint;
    LBPt = rec->LBPoint;
    RBPt = rec->RBPoint;
    SkinRect = rec->SkinRect;
    ClRect = rec->ClRect;
    StretchEffect = rec->StretchEffect;
    StretchType = rec->StretchType;
    LeftStretch = rec->LeftStretch;
    TopStretch = rec->TopStretch;
    RightStretch = rec->RightStretch;
    BottomStretch = rec->BottomStretch;
    Picture = rec->PictureIndex >= 0 && rec->PictureIndex < static_cast<int>(FSD->FActivePictures.size())
                  ? FSD->FActivePictures[static_cast<size_t>(rec->PictureIndex)].get()
                  : nullptr;
    if (IsNullRect(SkinRect)) ResizeMode = -1;
    else if (RBPt.x != 0 && RBPt.y != 0) ResizeMode = 1;
    else if (RTPt.x != 0 || RTPt.y != 0) ResizeMode = 2;
    else if (LBPt.x != 0 || LBPt.y != 0) ResizeMode = 3;
    else ResizeMode = 0;
}

void TbsGraphicSkinCustomControl::CalcSize(int& w, int& h) {
    if (ResizeMode == -1 || FIndex == -1) return;
    NewLTPoint = LTPt, NewRTPoint = RTPt, NewLBPoint = LBPt, NewRBPoint = RBPt, NewClRect = ClRect;
    switch (ResizeMode) {
    case 0:
        w = SkinRect.Width(), h = SkinRect.Height();
        break;
    case 1: {
        const int dw = w - SkinRect.Width(), dh = h - SkinRect.Height();
        NewRTPoint = TPoint(RTPt.x + dw, RTPt.y);
        NewLBPoint = TPoint(LBPt.x, LBPt.y + dh);
        NewRBPoint = TPoint(RBPt.x + dw, RBPt.y + dh);
        NewClRect.right += dw, NewClRect.bottom += dh;
        break;
    }
    case 2: {
        h = SkinRect.Height();
        const int dw = w - SkinRect.Width();
        NewRTPoint = TPoint(RTPt.x + dw, RTPt.y);
        NewClRect.right += dw;
        break;
    }
    case 3: {
        w = SkinRect.Width();
        const int dh = h - SkinRect.Height();
        NewLBPoint = TPoint(LBPt.x, LBPt.y + dh);
        NewClRect.bottom += dh;
        break;
    }
    default:
        break;
    }
}

void TbsGraphicSkinCustomControl::ChangeSkinData() {
    GetSkinData();
    if (FIndex == -1) {
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
        Repaint();
        return;
    }
    int w = Width(), h = Height();
    CalcSize(w, h);
    if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
    else Repaint();
}

void TbsGraphicSkinCustomControl::SetBounds(int left, int top, int width, int height) {
    GetSkinData();
    const bool resizing = FIndex != -1 && (width != Width() || height != Height());
    if (resizing) CalcSize(width, height);
    top = ToolBarCentredTop(Parent(), top, height);
    TbsGraphicSkinControl::SetBounds(left, top, width, height);
    if (resizing) Repaint();
}

void TbsGraphicSkinCustomControl::CreateControlDefaultImage(TBitmap* B) {
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->FillRect(TRect(0, 0, Width(), Height()));
}

void TbsGraphicSkinCustomControl::CreateControlSkinImage(TBitmap* B) { DrawSkinPicture(B, Picture, SkinRect); }

void TbsGraphicSkinCustomControl::DrawSkinPicture(TBitmap* B, TBitmap* picture, const TRect& r) {
    if (!picture || r.Width() <= 0 || r.Height() <= 0) {
        CreateControlDefaultImage(B);
        return;
    }
    switch (ResizeMode) {
    case 0:
        B->SetSize(r.Width(), r.Height());
        B->Canvas()->CopyRect(TRect(0, 0, r.Width(), r.Height()), picture->Canvas(), r);
        break;
    case 1:
        CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect, B,
                        picture, r, Width(), Height(), true, LeftStretch, TopStretch, RightStretch, BottomStretch,
                        StretchEffect, StretchType);
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
