// The skinned list view's column header: hooking the native header and
// painting its sections from a skin button record.
#include <algorithm>
#include <vector>

#include "platform/ImgList.h"
#include "skin/controls/bsSkinCtrlsViews.h"

void TbsSkinCustomListView::HookHeader(HWND header) {
    if (HookedHeader() == header) return;
    ReleaseHeader();
    FHeaderHook =
        std::make_unique<platform::WindowSubclass>(header, [this](TMessage& m) { return HeaderWndProc(m); });
}

void TbsSkinCustomListView::ReleaseHeader() {
    // Taken out of the chain by identity: a later subclass of the header
    // keeps working and nothing stale is put back.
    FHeaderHook.reset();
    FActiveSection = -1;
    FHeaderDown = FDevDown = false;
}

// Exceptions are caught and logged by the subclass itself.
bool TbsSkinCustomListView::HeaderWndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGING:
        // The header runs on under the place the native bar would take.
        reinterpret_cast<WINDOWPOS*>(m.LParam)->cx += 25;
        m.Result = 0;
        return true;
    case WM_PAINT:
        PaintHeader(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return true;
    case WM_ERASEBKGND:
        m.Result = 1;
        return true;
    default:
        break;
    }
    m.Result = FHeaderHook->CallNext(m);
    HeaderMouse(m);
    return true;
}

void TbsSkinCustomListView::HeaderMouse(const TMessage& m) {
    const HWND header = HookedHeader();
    if (!header) return;
    switch (m.Msg) {
    case WM_LBUTTONDOWN: {
        const POINT pt{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        FActiveSection = -1;
        for (int i = 0; i < Columns()->Count(); ++i) {
            const TRect r = GetHeaderSectionRect(i);
            if (PtInRect(&r, pt)) {
                FActiveSection = i;
                break;
            }
        }
        HDHITTESTINFO hit{};
        hit.pt = pt;
        SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        FHeaderDown = hit.flags != HHT_ONDIVIDER;
        FDevDown = hit.flags == HHT_ONDIVIDER;
        RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE);
        break;
    }
    case WM_MOUSEMOVE:
        if (FDevDown) RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE);
        break;
    case WM_LBUTTONUP:
        FHeaderDown = FDevDown = false;
        FActiveSection = -1;
        RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE);
        break;
    default:
        break;
    }
}

TRect TbsSkinCustomListView::GetHeaderSectionRect(int i) {
    const HWND header = HookedHeader();
    RECT r{};
    if (!header) return TRect(r);
    int item = i;
    if (FullDrag) {
        std::vector<int> order(static_cast<size_t>(std::max(1, Columns()->Count())));
        if (SendMessageW(header, HDM_GETORDERARRAY, static_cast<WPARAM>(Columns()->Count()),
                         reinterpret_cast<LPARAM>(order.data())) &&
            i >= 0 && i < Columns()->Count())
            item = order[static_cast<size_t>(i)];
    }
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return TRect(r);
}

void TbsSkinCustomListView::GetHeaderSkinData() {
    FHIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FHeaderSkinDataName);
    HPicture = nullptr;
    if (FHIndex == -1) return;
    auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[static_cast<size_t>(FHIndex)].get());
    if (!rec) return;  // another kind of record: the plain faces
    HLTPt = rec->LTPoint;
    HRTPt = rec->RTPoint;
    HLBPt = rec->LBPoint;
    HRBPt = rec->RBPoint;
    HSkinRect = rec->SkinRect;
    HClRect = rec->ClRect;
    HStretchEffect = rec->StretchEffect;
    HLeftStretch = rec->LeftStretch;
    HTopStretch = rec->TopStretch;
    HRightStretch = rec->RightStretch;
    HBottomStretch = rec->BottomStretch;
    HStretchType = rec->StretchType;
    if (rec->PictureIndex >= 0 && rec->PictureIndex < static_cast<int>(FSD->FActivePictures.size()))
        HPicture = FSD->FActivePictures[static_cast<size_t>(rec->PictureIndex)].get();
    HFontColor = rec->FontColor;
    HDownFontColor = rec->DownFontColor;
    HActiveSkinRect = rec->ActiveSkinRect;
    HDownSkinRect = rec->DownSkinRect;
    if (IsNullRect(HActiveSkinRect)) HActiveSkinRect = HSkinRect;
    if (IsNullRect(HDownSkinRect)) HDownSkinRect = HActiveSkinRect;
    // A face without width or height draws nothing: plain faces instead.
    if (IsNullRect(HSkinRect)) HPicture = nullptr;
}

void TbsSkinCustomListView::PaintHeader(HDC dc) {
    const HWND header = HookedHeader();
    if (!header) return;
    PAINTSTRUCT ps{};
    const bool own = dc == nullptr;
    if (own) dc = BeginPaint(header, &ps);
    TCanvas canvas;
    canvas.SetHandle(dc);
    int right = 0;
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const TRect r = GetHeaderSectionRect(i);
        const bool pressed = i == FActiveSection && FHeaderDown;
        if (i < Columns()->Count()) DrawHeaderSection(&canvas, Columns()->Items(i), r, pressed);
        right = std::max(right, static_cast<int>(r.right));
    }
    RECT wr{};
    GetWindowRect(header, &wr);
    const TRect rest(right, 0, wr.right - wr.left + 1, wr.bottom - wr.top);
    if (!IsNullRect(rest)) {
        GetHeaderSkinData();
        TBitmap B(rest.Width(), rest.Height());
        if (!HPicture) {
            TRect f(0, 0, rest.Width(), rest.Height());
            B.Canvas()->Brush()->SetColor(clBtnFace);
            B.Canvas()->FillRect(f);
            B.Canvas()->Frame3D(f, clBtnShadow, clBtnShadow, 1);
        } else {
            DrawHeaderFace(&B, HSkinRect, true);
        }
        canvas.Draw(rest.left, rest.top, &B);
    }
    canvas.SetHandle(nullptr);
    if (own) EndPaint(header, &ps);
}

void TbsSkinCustomListView::DrawHeaderFace(TBitmap* B, const TRect& src, bool leftAnchored) {
    const int w = B->Width(), h = B->Height();
    const int dx = w - HSkinRect.Width(), dy = h - HSkinRect.Height();
    if (HLBPt.x != 0 || HLBPt.y != 0) {
        const TPoint nlt = HLTPt, nrt(HRTPt.x + dx, HRTPt.y), nlb(HLBPt.x, HLBPt.y + dy),
                     nrb(HRBPt.x + dx, HRBPt.y + dy);
        const TRect ncl(HClRect.left, HClRect.top, HClRect.right + dx, HClRect.bottom + dy);
        auto compose = leftAnchored ? CreateSkinImageLeft : CreateSkinImage;
        compose(HLTPt, HRTPt, HLBPt, HRBPt, HClRect, nlt, nrt, nlb, nrb, ncl, B, HPicture, src, w, h, true,
                HLeftStretch, HTopStretch, HRightStretch, HBottomStretch, HStretchEffect, HStretchType);
    } else {
        TBitmap strip;
        auto compose = leftAnchored ? CreateHSkinImageLeft : CreateHSkinImage;
        compose(HLTPt.x, src.Width() - HRTPt.x, &strip, HPicture, src, w, HSkinRect.Height(), HStretchEffect);
        B->Canvas()->StretchDraw(TRect(0, 0, w, h), &strip);
    }
}

void TbsSkinCustomListView::DrawHeaderSection(TCanvas* c, TListColumn* column, const TRect& r, bool pressed) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    TBitmap B(r.Width(), r.Height());
    TRect b(0, 0, r.Width(), r.Height());
    GetHeaderSkinData();
    TCanvas* bc = B.Canvas();
    if (!HPicture) {
        TRect f = b;
        bc->Frame3D(f, pressed ? bsPlainHotFrame : clBtnShadow, pressed ? bsPlainHotFrame : clBtnShadow, 1);
        bc->Brush()->SetColor(pressed ? bsPlainDownFill : clBtnFace);
        bc->FillRect(f);
        bc->Brush()->SetStyle(bsClear);
        bc->Font()->Assign(Font());
        bc->Font()->SetColor(clBtnText);
    } else {
        bc->Font()->Assign(Font());
        bc->Font()->SetColor(pressed ? HDownFontColor : HFontColor);
        DrawHeaderFace(&B, pressed ? HDownSkinRect : HSkinRect, false);
    }
    if (OnDrawHeaderSection) {
        OnDrawHeaderSection(bc, column, pressed, b);
    } else {
        bc->Brush()->SetStyle(bsClear);
        b.left += 5;
        b.right -= 5;
        DrawHeaderContent(bc, column, b);
    }
    c->Draw(r.left, r.top, &B);
}

void TbsSkinCustomListView::DrawHeaderContent(TCanvas* c, TListColumn* column, const TRect& b) {
    const String caption = column->Caption();
    String text = caption;
    TCustomImageList* images = SmallImages();
    const int index = column->ImageIndex();
    int x = b.left;
    if (images && index >= 0 && index < images->Count()) {
        const int iw = images->Width(), ih = images->Height();
        FitTextToWidth(c, text, b.Width() - 10 - iw);
        const int tw = c->TextWidth(text);
        // A shortened caption keeps the image at the left.
        if (text == caption && column->Alignment() == taRightJustify) x = b.right - tw - iw - 10;
        else if (text == caption && column->Alignment() == taCenter) x = b.left + b.Width() / 2 - (tw + iw + 10) / 2;
        images->Draw(c, x, b.top + b.Height() / 2 - ih / 2, index, true);
        x += iw + 10;
    } else {
        FitTextToWidth(c, text, b.Width());
        const int tw = c->TextWidth(text);
        if (column->Alignment() == taRightJustify) x = b.right - tw;
        else if (column->Alignment() == taCenter) x = b.left + b.Width() / 2 - tw / 2;
    }
    const int y = b.top + b.Height() / 2 - c->TextHeight(text) / 2;
    c->TextRect(b, x, y, text);
}
