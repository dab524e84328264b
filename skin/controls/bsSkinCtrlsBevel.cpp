#include "skin/controls/bsSkinCtrlsBevel.h"

#include "skin/bsSkinRecords.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinCtrlsPanels.h"

// ---- bevel -------------------------------------------------------------------------------------

TbsSkinBevel::TbsSkinBevel(TComponent* owner) : TBevel(owner) {}

TbsSkinBevel::~TbsSkinBevel() {
    if (FSD) RemoveFreeNotification(FSD);
}

void TbsSkinBevel::SetSkinData(TbsSkinData* v) {
    // The store may be freed first: hear of it.
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) FreeNotification(FSD);
    ChangeSkinData();
}

void TbsSkinBevel::Notification(TComponent* component, TOperation op) {
    TBevel::Notification(component, op);
    if (op == opRemove && component == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
}

void TbsSkinBevel::ChangeSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) {
        LightColor = clBtnHighlight;
        DarkColor = clBtnShadow;
    } else if (auto* rec = dynamic_cast<TbsDataSkinBevel*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get())) {
        LightColor = rec->LightColor;
        DarkColor = rec->DarkColor;
    }
    Repaint();
}

void TbsSkinBevel::SetDividerMode(bool v) {
    FDividerMode = v;
    Repaint();
}

void TbsSkinBevel::Line(TColor c, int x1, int y1, int x2, int y2) {
    Canvas()->Pen()->SetColor(c);
    Canvas()->MoveTo(x1, y1);
    Canvas()->LineTo(x2, y2);
}

void TbsSkinBevel::Frame(TColor c1, TColor c2, int l, int t, int r, int b) {
    TCanvas* c = Canvas();
    c->Pen()->SetColor(c1);
    const POINT first[] = {{l, b}, {l, t}, {r, t}};
    c->Polyline(first, 3);
    c->Pen()->SetColor(c2);
    const POINT second[] = {{r, t}, {r, b}, {l, b}};
    c->Polyline(second, 3);
}

void TbsSkinBevel::SetBounds(int left, int top, int width, int height) {
    TBevel::SetBounds(left, ToolBarCentredTop(Parent(), top, height), width, height);
}

void TbsSkinBevel::Paint() {
    TCanvas* c = Canvas();
    if (Has(csDesigning) && Shape() == bsSpacer) {
        c->Pen()->SetStyle(psDot);
        c->Pen()->SetMode(pmXor);
        c->Pen()->SetColor(static_cast<TColor>(0xFFD8CE));
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(0, 0, Width(), Height());
        return;
    }
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);
    TColor c1 = Style() == bsLowered ? DarkColor : LightColor;
    TColor c2 = Style() == bsLowered ? LightColor : DarkColor;
    const int w = Width(), h = Height();
    if (FDividerMode) {
        switch (Shape()) {
        case bsTopLine:
        case bsBottomLine:
            Frame(c1, c2, 2, h / 2 - 1, w - 2, h / 2);
            break;
        case bsSpacer:
            break;
        default:
            Frame(c1, c2, w / 2 - 1, 2, w / 2, h - 2);
            break;
        }
        return;
    }
    switch (Shape()) {
    case bsBox:
        Frame(c1, c2, 0, 0, w - 1, h - 1);
        break;
    case bsFrame: {
        const TColor old = c1;
        Frame(c2, c2, 1, 1, w - 1, h - 1);
        Frame(old, old, 0, 0, w - 2, h - 2);
        break;
    }
    case bsTopLine:
        Line(c1, 0, 0, w, 0);
        Line(c2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        Line(c1, 0, h - 2, w, h - 2);
        Line(c2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        Line(c1, 0, 0, 0, h);
        Line(c2, 1, 0, 1, h);
        break;
    case bsRightLine:
        Line(c1, w - 2, 0, w - 2, h);
        Line(c2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}

// ---- splitter ----------------------------------------------------------------------------------

TbsSkinSplitter::TbsSkinSplitter(TComponent* owner) : TSplitter(owner) { ControlStyle |= csOpaque; }

TbsSkinSplitter::~TbsSkinSplitter() {
    if (FSD) RemoveFreeNotification(FSD);
}

void TbsSkinSplitter::SetSkinData(TbsSkinData* v) {
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) FreeNotification(FSD);
    ChangeSkinData();
}

void TbsSkinSplitter::Notification(TComponent* component, TOperation op) {
    TSplitter::Notification(component, op);
    if (op == opRemove && component == FSD) {
        FSD = nullptr;
        FIndex = -1;
        FSkinPicture = nullptr;
    }
}

void TbsSkinSplitter::SetTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    if (v) ControlStyle &= ~static_cast<unsigned>(csOpaque);
    else ControlStyle |= csOpaque;
    Repaint();
}

void TbsSkinSplitter::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    FSkinPicture = nullptr;
    if (FIndex == -1) return;
    auto* rec = dynamic_cast<TbsDataSkinSplitterControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get());
    if (!rec) return;
    LTPt = rec->LTPoint;
    RTPt = rec->RTPoint;
    LBPt = rec->LBPoint;
    SkinRect = rec->SkinRect;
    StretchEffect = rec->StretchEffect;
    if (rec->PictureIndex >= 0 && rec->PictureIndex < static_cast<int>(FSD->FActivePictures.size()))
        FSkinPicture = FSD->FActivePictures[static_cast<size_t>(rec->PictureIndex)].get();
    GripperRect = rec->GripperRect;
    GripperTransparent = rec->GripperTransparent;
    GripperTransparentColor = rec->GripperTransparentColor;
    // A part without width or height cannot be drawn: the plain look.
    if (IsNullRect(SkinRect)) FSkinPicture = nullptr;
}

void TbsSkinSplitter::ChangeSkinData() {
    GetSkinData();
    const bool plain = FIndex == -1 || !FSkinPicture || FTransparent;
    if (Align() == alTop || Align() == alBottom) SetHeight(plain ? DefaultSize : SkinRect.Height());
    else SetWidth(plain ? DefaultSize : SkinRect.Width());
    Repaint();
}

void TbsSkinSplitter::Paint() {
    if (FTransparent || Width() < 1 || Height() < 1) return;
    GetSkinData();
    if (FIndex == -1 || !FSkinPicture || Align() == alNone || Align() == alClient) {
        TSplitter::Paint();
        return;
    }
    TBitmap B;
    if (Align() == alTop || Align() == alBottom)
        CreateHSkinImage(LTPt.x, SkinRect.Width() - RTPt.x, &B, FSkinPicture, SkinRect, Width(), SkinRect.Height(),
                         StretchEffect);
    else
        CreateVSkinImage(LTPt.y, SkinRect.Height() - LBPt.y, &B, FSkinPicture, SkinRect, SkinRect.Width(), Height(),
                         StretchEffect);
    if (!IsNullRect(GripperRect)) {
        TBitmap g(GripperRect.Width(), GripperRect.Height());
        g.Canvas()->CopyRect(TRect(0, 0, g.Width(), g.Height()), FSkinPicture->Canvas(), GripperRect);
        if (GripperTransparent) {
            g.SetTransparent(true);
            g.SetTransparentMode(tmFixed);
            g.SetTransparentColor(GripperTransparentColor);
        }
        B.Canvas()->Draw(B.Width() / 2 - g.Width() / 2, B.Height() / 2 - g.Height() / 2, &g);
    }
    Canvas()->Draw(0, 0, &B);
}
