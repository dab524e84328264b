// The images menu grid's looks: the skinned frame of the skin's popup-window
// record, cells framed by the "menuitembutton" (or "resizebutton") record,
// header bands of the "label" record and the button rows' caption fonts;
// without a skin, system colours.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/frame/bsSkinImagesMenu.h"
#include "skin/frame/bsSkinMenus.h"

namespace {
// The plain cell frame and fills.
constexpr TColor kPlainFrame = static_cast<TColor>(0x800000);
constexpr TColor kPlainDown = static_cast<TColor>(0xB59385);
constexpr TColor kPlainHot = static_cast<TColor>(0xD2BDB6);

bool HasSkin(const TbsSkinData* sd) { return sd && !sd->Empty; }
}  // namespace

TBitmap* TbsSkinImagesMenuPopupWindow::SkinPicture(int index) const {
    TbsSkinData* sd = ImagesMenu->SkinData();
    if (!sd || index < 0 || index >= static_cast<int>(sd->FActivePictures.size())) return nullptr;
    return sd->FActivePictures[static_cast<size_t>(index)].get();
}

template <class T>
T* TbsSkinImagesMenuPopupWindow::ControlRecord(const wchar_t* name) const {
    TbsSkinData* sd = ImagesMenu->SkinData();
    if (!HasSkin(sd)) return nullptr;
    const int i = sd->GetControlIndex(name);
    if (i < 0) return nullptr;
    return dynamic_cast<T*>(sd->CtrlList[static_cast<size_t>(i)].get());
}

void TbsSkinImagesMenuPopupWindow::CheckSkin() {
    TbsSkinData* sd = ImagesMenu->SkinData();
    PW = HasSkin(sd) ? sd->PopupWindow.get() : nullptr;
    WindowPicture = PW ? SkinPicture(PW->WindowPictureIndex) : nullptr;
    MaskPicture = PW ? SkinPicture(PW->MaskPictureIndex) : nullptr;
    FSkinSupport = WindowPicture != nullptr;
    if (!FSkinSupport) PW = nullptr;
}

int TbsSkinImagesMenuPopupWindow::HeaderHeight() const {
    auto* label = ControlRecord<TbsDataSkinLabelControl>(L"label");
    return label ? label->SkinRect.Height() : 0;
}

void TbsSkinImagesMenuPopupWindow::SizeSkinFrame() {
    if (!FSkinSupport) {
        NewItemsRect = TRect(0, 0, Width(), Height());
        return;
    }
    const int dw = Width() - WindowPicture->Width(), dh = Height() - WindowPicture->Height();
    NewLTPoint = PW->LTPoint;
    NewRTPoint = TPoint(PW->RTPoint.x + dw, PW->RTPoint.y);
    NewLBPoint = TPoint(PW->LBPoint.x, PW->LBPoint.y + dh);
    NewRBPoint = TPoint(PW->RBPoint.x + dw, PW->RBPoint.y + dh);
    NewItemsRect = TRect(PW->ItemsRect.left, PW->ItemsRect.top, PW->ItemsRect.right + dw, PW->ItemsRect.bottom + dh);
    if (!MaskPicture) return;
    HRGN rgn = nullptr;
    CreateSkinRegion(rgn, PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, PW->ItemsRect, NewLTPoint, NewRTPoint,
                     NewLBPoint, NewRBPoint, NewItemsRect, MaskPicture, Width(), Height());
    // The window takes the region and frees it with itself.
    if (rgn) SetWindowRgn(Handle(), rgn, TRUE);
}

void TbsSkinImagesMenuPopupWindow::DrawBackground(TBitmap& B) {
    if (FSkinSupport) {
        CreateSkinImage2(PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, PW->ItemsRect, NewLTPoint, NewRTPoint,
                         NewLBPoint, NewRBPoint, NewItemsRect, &B, WindowPicture,
                         TRect(0, 0, WindowPicture->Width(), WindowPicture->Height()), Width(), Height(), true,
                         PW->LeftStretch, PW->TopStretch, PW->RightStretch, PW->BottomStretch, PW->StretchEffect,
                         PW->StretchType);
        return;
    }
    B.SetSize(Width(), Height());
    TCanvas* C = B.Canvas();
    C->Pen()->SetColor(clBtnShadow);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clWindow);
    C->Rectangle(0, 0, Width(), Height());
}

void TbsSkinImagesMenuPopupWindow::DrawCellFrame(TCanvas* C, const TRect& IR, bool pressed) {
    TbsDataSkinButtonControl* rec = nullptr;
    if (FSkinSupport) {
        rec = ControlRecord<TbsDataSkinButtonControl>(L"menuitembutton");
        if (!rec) rec = ControlRecord<TbsDataSkinButtonControl>(L"resizebutton");
    }
    TBitmap* picture = rec ? SkinPicture(rec->PictureIndex) : nullptr;
    if (!picture) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(pressed ? kPlainDown : kPlainHot);
        C->FillRect(IR);
        C->Brush()->SetColor(kPlainFrame);
        C->FrameRect(IR);
        C->Brush()->SetStyle(bsClear);
        return;
    }
    TRect part = pressed && !IsNullRect(rec->DownSkinRect) ? rec->DownSkinRect : rec->ActiveSkinRect;
    if (IsNullRect(part)) part = rec->SkinRect;
    const int dw = IR.Width() - rec->SkinRect.Width(), dh = IR.Height() - rec->SkinRect.Height();
    TBitmap cell;
    CreateSkinImage(rec->LTPoint, rec->RTPoint, rec->LBPoint, rec->RBPoint, rec->ClRect, rec->LTPoint,
                    TPoint(rec->RTPoint.x + dw, rec->RTPoint.y), TPoint(rec->LBPoint.x, rec->LBPoint.y + dh),
                    TPoint(rec->RBPoint.x + dw, rec->RBPoint.y + dh),
                    TRect(rec->ClRect.left, rec->ClRect.top, rec->ClRect.right + dw, rec->ClRect.bottom + dh), &cell,
                    picture, part, IR.Width(), IR.Height(), true, rec->LeftStretch, rec->TopStretch,
                    rec->RightStretch, rec->BottomStretch, rec->StretchEffect, rec->StretchType);
    C->Draw(IR.left, IR.top, &cell);
}

void TbsSkinImagesMenuPopupWindow::DrawHeader(TCanvas* C, const TbsImagesMenuItem& it) {
    const TRect& IR = it.ItemRect;
    auto* label = ControlRecord<TbsDataSkinLabelControl>(L"label");
    TBitmap* picture = label ? SkinPicture(label->PictureIndex) : nullptr;
    if (!picture) {
        C->Font()->Assign(ImagesMenu->DefaultFont());
        C->Font()->SetColor(clWindowText);
        C->Brush()->SetStyle(bsClear);
        RECT r = IR;
        DrawWideText(C, it.Caption, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        return;
    }
    TBitmap band;
    MakeLabelBand(band, *label, picture, IR.Width(), it.Caption, DT_SINGLELINE | DT_VCENTER | DT_CENTER,
                  C->Font()->Charset());
    C->Draw(IR.left, IR.top, &band);
}

void TbsSkinImagesMenuPopupWindow::SetupButtonFont(TCanvas* C, bool pressed, bool hover) {
    TbsSkinData* sd = ImagesMenu->SkinData();
    TFont* f = C->Font();
    TbsDataSkinButtonControl* rec = nullptr;
    TbsDataSkinMenuItem* item = nullptr;
    if (FSkinSupport) {
        rec = ControlRecord<TbsDataSkinButtonControl>(L"menuitembutton");
        if (!rec) rec = ControlRecord<TbsDataSkinButtonControl>(L"resizebutton");
        int i = sd->GetIndex(L"menuitem");
        if (i < 0) i = sd->GetIndex(L"MENUITEM");
        if (i >= 0) item = dynamic_cast<TbsDataSkinMenuItem*>(sd->ObjectList[static_cast<size_t>(i)].get());
    }
    if (!rec || !item) {
        f->Assign(ImagesMenu->DefaultFont());
        f->SetColor(clWindowText);
        return;
    }
    if (ImagesMenu->UseSkinFont) {
        f->SetName(rec->FontName);
        f->SetHeight(rec->FontHeight);
        f->SetStyle(rec->FontStyle);
    } else {
        f->Assign(ImagesMenu->DefaultFont());
    }
    f->SetCharset(sd->ResourceStrData() ? sd->ResourceStrData()->CharSet : ImagesMenu->DefaultFont()->Charset());
    f->SetColor(pressed ? rec->DownFontColor : hover ? rec->ActiveFontColor : item->FontColor);
}

void TbsSkinImagesMenuPopupWindow::PaintItem(TCanvas* C, int i, int selected) {
    const TbsImagesMenuItem& it = ImagesMenu->ImagesItems[static_cast<size_t>(i)];
    const TRect& IR = it.ItemRect;
    if (it.Header) {
        DrawHeader(C, it);
        return;
    }
    const bool pressed = (i == selected && !FItemDown) || (i == MouseInItem && FItemDown);
    const bool hover = i == MouseInItem && !FItemDown;
    if (pressed || hover) DrawCellFrame(C, IR, pressed);
    TCustomImageList* il = ImagesMenu->Images();
    int offset = 0;
    if (il && it.ImageIndex >= 0 && it.ImageIndex < il->Count()) {
        il->Draw(C, IR.left + 5, IR.top + 5, it.ImageIndex, true);
        offset = il->Width() + 5;
    }
    if (it.Button && !it.Caption.empty()) {
        SetupButtonFont(C, pressed, hover);
        C->Brush()->SetStyle(bsClear);
        RECT r{IR.left + offset, IR.top, IR.right, IR.bottom};
        UINT flags = DT_SINGLELINE | DT_VCENTER;
        if (WideTextWidth(C, it.Caption) <= r.right - r.left) flags |= DT_CENTER;
        DrawWideText(C, it.Caption, r, flags);
    }
}

void TbsSkinImagesMenuPopupWindow::Paint() {
    CheckSkin();
    TBitmap B(Width(), Height(), pf24bit);
    DrawBackground(B);
    const int selected = ImagesMenu->ShowSelectedItem ? ImagesMenu->ItemIndex : -1;
    for (size_t i = 0; i < ImagesMenu->ImagesItems.size(); ++i) PaintItem(B.Canvas(), static_cast<int>(i), selected);
    Canvas()->Draw(0, 0, &B);
}
