#include "skin/controls/bsSkinFaceParts.h"

#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"

void bsComposeNine(const TbsNinePieces& n, TBitmap* pic, const TRect& part, TBitmap* B, int w, int h,
                   bool drawClient) {
    if (!pic) return;
    const int dw = w - part.Width(), dh = h - part.Height();
    TRect cl = n.cl;
    cl.right += dw;
    cl.bottom += dh;
    CreateSkinImage(n.lt, n.rt, n.lb, n.rb, n.cl, n.lt, TPoint(n.rt.x + dw, n.rt.y), TPoint(n.lb.x, n.lb.y + dh),
                    TPoint(n.rb.x + dw, n.rb.y + dh), cl, B, pic, part, w, h, drawClient, n.left, n.top, n.right,
                    n.bottom, n.stretch, n.type);
}

void bsComposeRecord(TbsDataSkinCustomControl* r, TBitmap* pic, const TRect& part, TBitmap* B, int w, int h,
                     bool drawClient) {
    TbsNinePieces n;
    n.lt = r->LTPoint, n.rt = r->RTPoint, n.lb = r->LBPoint, n.rb = r->RBPoint, n.cl = r->ClRect;
    n.left = r->LeftStretch, n.top = r->TopStretch, n.right = r->RightStretch, n.bottom = r->BottomStretch;
    n.stretch = r->StretchEffect, n.type = r->StretchType;
    bsComposeNine(n, pic, part, B, w, h, drawClient);
}

TbsDataSkinButtonControl* bsFindButtonRecord(TbsSkinData* store, std::initializer_list<const wchar_t*> names) {
    if (!store || store->Empty) return nullptr;
    for (const wchar_t* name : names) {
        const int i = store->GetControlIndex(name);
        if (i < 0) continue;
        if (auto* r = dynamic_cast<TbsDataSkinButtonControl*>(store->CtrlList[static_cast<size_t>(i)].get()))
            return r;
    }
    return nullptr;
}

TBitmap* bsRecordPicture(TbsSkinData* store, TbsDataSkinControl* r) {
    if (!r || !store || r->PictureIndex < 0 || r->PictureIndex >= static_cast<int>(store->FActivePictures.size()))
        return nullptr;
    return store->FActivePictures[static_cast<size_t>(r->PictureIndex)].get();
}

void bsDrawMarker(TCanvas* c, TBitmap* picture, const TRect& part, TColor key, const TRect& area, int dy) {
    if (IsNullRect(part) || !picture) return;
    TBitmap m(part.Width(), part.Height());
    m.Canvas()->CopyRect(TRect(0, 0, part.Width(), part.Height()), picture->Canvas(), part);
    m.SetTransparentMode(tmFixed);
    m.SetTransparentColor(key);
    m.SetTransparent(true);
    c->Draw(area.left + area.Width() / 2 - part.Width() / 2, area.top + area.Height() / 2 - part.Height() / 2 + dy,
            &m);
}

TColor bsDisabledFontColor(TbsSkinData* store, bool skinned) {
    if (!skinned || !store || store->Empty) return clGrayText;
    const int i = store->GetControlIndex(L"edit");
    if (i < 0) return clGrayText;
    auto* r = dynamic_cast<TbsDataSkinEditControl*>(store->CtrlList[static_cast<size_t>(i)].get());
    return r ? r->DisabledFontColor : TColor(clGrayText);
}
