// TbsSkinFrame: painting of the skinned and the default frame, the window
// region from the skin's mask, the client background and the form icon.
#include <algorithm>

#include "platform/Owners.h"
#include "skin/bsEffectsTransitions.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/frame/bsSkinFrame.h"

namespace {

// Draws b on dc at (x, y), through the inactive effect when asked.
void DrawPiece(HDC dc, TBitmap& b, int x, int y, TbsSkinData* effectStore) {
    if (b.Empty() || b.Width() <= 0 || b.Height() <= 0) return;
    if (effectStore) ApplyInActiveEffect(effectStore, &b);
    BitBlt(dc, x, y, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace

void ApplyInActiveEffect(TbsSkinData* store, TBitmap* B) {
    std::unique_ptr<TbsEffectBmp> e(TbsEffectBmp::CreateFromhWnd(B->Handle()));
    switch (store->InActiveEffect) {
    case ieBrightness: e->ChangeBrightness(0.5); break;
    case ieDarkness: e->ChangeDarkness(0.3); break;
    case ieGrayScale: e->GrayScale(); break;
    case ieNoise: e->AddMonoNoise(50); break;
    case ieSplitBlur: e->SplitBlur(1); break;
    case ieInvert: e->Invert(); break;
    }
    e->Draw(B->Canvas()->Handle(), 0, 0);
}

// ---- the skinned frame ------------------------------------------------------------------------------

void TbsSkinFrame::PaintNCSkin(HDC DC, bool AUseExternalDC) {
    if (!FSD || FSD->Empty) return;
    if (FFormWidth == 0) FFormWidth = FForm->Width();
    if (FFormHeight == 0) FFormHeight = FForm->Height();
    if (FFormWidth < GetMinWidth() || FFormHeight < GetMinHeight()) return;
    CalcRects();
    ArrangeObjects();
    const bool active = GetFormActive();
    TBitmap* pic = (active || FSD->FInActivePicture->Empty()) ? FSD->FPicture.get() : FSD->FInActivePicture.get();
    TBitmap top, left, right, bottom;
    const int W0 = FSD->FPicture->Width(), H0 = FSD->FPicture->Height();
    CreateSkinBorderImages(FSD->LTPoint, FSD->RTPoint, FSD->LBPoint, FSD->RBPoint, FSD->ClRect, NewLTPoint, NewRTPoint,
                           NewLBPoint, NewRBPoint, NewClRect, &left, &top, &right, &bottom, pic, TRect(0, 0, W0, H0),
                           FFormWidth, FFormHeight, FSD->LeftStretch, FSD->TopStretch, FSD->RightStretch,
                           FSD->BottomStretch);
    for (auto& o : ObjectList) {
        if (!o->Visible) continue;
        if (o->ObjectRect.bottom > NewClRect.top) {
            const TRect keep = o->ObjectRect;
            o->ObjectRect.Offset(0, -NewClRect.bottom);
            o->Draw(bottom.Canvas(), false);
            o->ObjectRect = keep;
        } else o->Draw(top.Canvas(), false);
    }
    platform::WholeWindowDC owned(AUseExternalDC ? nullptr : FForm->Handle());
    HDC dc = AUseExternalDC ? DC : owned.Get();
    if (!dc) return;
    platform::SavedDC saved(dc);
    if (NewClRect.Height() > 0) ExcludeClipRect(dc, NewClRect.left, NewClRect.top, NewClRect.right, NewClRect.bottom);
    TbsSkinData* effect = (!active && GetAutoRenderingInActiveImage()) ? FSD : nullptr;
    const int th = top.Height();
    DrawPiece(dc, top, 0, 0, effect);
    DrawPiece(dc, left, 0, th, effect);
    DrawPiece(dc, right, FFormWidth - right.Width(), th, effect);
    DrawPiece(dc, bottom, 0, FFormHeight - bottom.Height(), effect);
}

// ---- the default frame -----------------------------------------------------------------------------

void TbsSkinFrame::PaintNCDefault(HDC DC, bool AUseExternalDC) {
    if (FSD && FSD->ChangeSkinDataProcess) return;
    if (FFormWidth == 0) FFormWidth = FForm->Width();
    if (FFormHeight == 0) FFormHeight = FForm->Height();
    if (ObjectList.empty() && !FSkinSupport) CreateDefaultObjects();
    CalcDefRects();
    const int ch = GetDefCaptionHeight();
    const int BW = std::max(FFormWidth - 6, 1);
    TBitmap cap(BW, ch);
    TCanvas* c = cap.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, BW, ch));
    const int CL = NewDefCaptionRect.left - 3, CR = BW - NewDefCaptionRect.right;
    for (int y = 2; y <= ch - 4; ++y) {
        c->Pen()->SetColor(((y - 2) % 2 == 0) ? clBtnHighlight : clBtnShadow);
        c->MoveTo(CL + 2, y);
        c->LineTo(BW - CR - 6, y);
    }
    const bool active = GetFormActive();
    c->SetFont(active ? &FDefCaptionFont : &FDefInActiveCaptionFont);
    if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    String text = MDICaption();
    if (OnCaptionPaint) OnCaptionPaint(c, TRect(CL, 0, BW - CR - 3, ch), active);
    else if (!text.empty()) {
        FitWideTextToWidth(c, text, BW - CL - CR);
        const int tw = WideTextWidth(c, text), th = WideTextHeight(c, text);
        RECT r{CL + (BW - CL - CR) / 2 - (tw + 5) / 2, ch / 2 - th / 2, 0, 0};
        r.right = r.left;
        r.bottom = r.top;
        DrawWideText(c, text, r, DT_CALCRECT);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(TRect(r.left - 2, r.top - 2, r.right + 2, r.bottom + 2));
        c->Brush()->SetStyle(bsClear);
        DrawWideText(c, text, r, FForm->DrawTextBiDiModeFlags(DT_VCENTER));
    }
    for (auto& o : ObjectList) {
        if (!o->Visible) continue;
        const TRect keep = o->ObjectRect;
        o->ObjectRect.Offset(-3, -3);
        o->Draw(c, true);
        o->ObjectRect = keep;
    }
    platform::WholeWindowDC owned(AUseExternalDC ? nullptr : FForm->Handle());
    HDC dc = AUseExternalDC ? DC : owned.Get();
    if (!dc) return;
    platform::SavedDC saved(dc);
    ExcludeClipRect(dc, 3, ch + 3, FFormWidth - 3, FFormHeight - 3);
    BitBlt(dc, 3, 3, BW, ch, c->Handle(), 0, 0, SRCCOPY);
    TCanvas frame;
    frame.SetHandle(dc);
    TRect r(0, 0, FFormWidth, FFormHeight);
    frame.Frame3D(r, cl3DLight, cl3DDkShadow, 1);
    frame.Frame3D(r, clBtnHighlight, clBtnShadow, 1);
    frame.Frame3D(r, clBtnFace, clBtnFace, 1);
    frame.SetHandle(nullptr);
}

void TbsSkinFrame::DrawSkinObject(TbsActiveSkinObject* AObject) {
    if (!FrameDrawn() || !FForm->HandleAllocated()) return;
    platform::WholeWindowDC dc(FForm->Handle());
    TCanvas c;
    c.SetHandle(dc.Get());
    AObject->Draw(&c, true);
    c.SetHandle(nullptr);
}

// ---- size, region and mask --------------------------------------------------------------------------

void TbsSkinFrame::UpdateFrameForSize(bool AUpdate) {
    if (Has(csDesigning) || !FSD || FSD->Empty) return;
    if (FSkinnableForm) {
        CalcRects();
        if (AUpdate) ArrangeObjects();
    }
    CreateFormRegion(AUpdate);
    if (!FRgn && FSkinnableForm && FForm->BorderStyle() != bsNone) RepaintFrame();
    if (FSkinSupport && FSD->StretchEffect) {
        FForm->Invalidate();
        UpdateChildrenBackground();
    }
}

namespace {

// The region of the black pixels of strip, offset; nullptr for none.
HRGN StripRegion(TBitmap& strip, int x, int y) {
    if (strip.Empty() || strip.Width() <= 0 || strip.Height() <= 0) return nullptr;
    RGNDATA* data = nullptr;
    const DWORD size = GetRgnDataFromMask(&strip, x, y, data);
    if (!size) return nullptr;
    HRGN r = ExtCreateRegion(nullptr, size, data);
    HeapFree(GetProcessHeap(), 0, data);
    return r ? platform::TrackGdi(r) : nullptr;
}

void Join(HRGN dst, HRGN src) {
    if (dst && src) CombineRgn(dst, dst, src, RGN_OR);
}

}  // namespace

void TbsSkinFrame::CreateFormRegion(bool ARecalc) {
    if (!FForm->HandleAllocated()) return;
    HWND h = FForm->Handle();
    // r is an uncounted region: the window owns it from here on, and
    // deletes the one it held.
    const auto hand = [&](HRGN r) {
        if (!SetWindowRgn(h, r, TRUE)) {
            if (r) DeleteObject(r);
            r = nullptr;
        }
        FRgn = r;
    };
    if (!FSkinnableForm || FForm->BorderStyle() == bsNone) {
        if (FRgn) hand(nullptr);
        return;
    }
    if (FFormWidth == 0) FFormWidth = FForm->Width();
    if (FFormHeight == 0) FFormHeight = FForm->Height();
    const bool maxChild = FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized;
    if (!FSD || FSD->Empty) {
        RMTop.SetSize(0, 0);
        RMLeft.SetSize(0, 0);
        RMRight.SetSize(0, 0);
        RMBottom.SetSize(0, 0);
        if (FRgn) hand(nullptr);
        return;
    }
    if (FSD->FMask->Empty() || maxChild) {
        hand(CreateRectRgn(0, 0, FFormWidth, FFormHeight));
        return;
    }
    if (ARecalc) {
        CreateSkinBorderMasks(FSD->LTPoint, FSD->RTPoint, FSD->LBPoint, FSD->RBPoint, FSD->ClRect, NewLTPoint,
                              NewRTPoint, NewLBPoint, NewRBPoint, NewClRect, FSD->FMask.get(), &RMTop, &RMLeft,
                              &RMRight, &RMBottom, FFormWidth, FFormHeight);
        // Temporary strip regions: deleted here; only the joined one goes to the window.
        platform::GdiRegion top(StripRegion(RMTop, 0, 0));
        platform::GdiRegion bottom(StripRegion(RMBottom, 0, NewMaskRectArea.bottom));
        platform::GdiRegion left(StripRegion(RMLeft, 0, NewMaskRectArea.top));
        platform::GdiRegion right(StripRegion(RMRight, NewMaskRectArea.right, NewMaskRectArea.top));
        HRGN whole = CreateRectRgn(NewMaskRectArea.left, NewMaskRectArea.top, NewMaskRectArea.right,
                                   NewMaskRectArea.bottom);
        Join(top.Get(), bottom.Get());
        Join(left.Get(), right.Get());
        Join(left.Get(), top.Get());
        Join(whole, left.Get());
        hand(whole);
        return;
    }
    platform::GdiRegion r(StripRegion(*FSD->FMask, 0, 0));
    if (!r) return;
    HRGN whole = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(whole, r.Get(), nullptr, RGN_COPY);
    hand(whole);
}

bool TbsSkinFrame::PtInMask(TPoint P) const {
    if (IsPointInRect(NewMaskRectArea, P)) return true;
    const auto black = [this](const TBitmap& strip, int x, int y) {
        // Only pixels inside the strip are read.
        if (strip.Empty() || x < 0 || y < 0 || x >= strip.Width() || y >= strip.Height()) return false;
        auto& s = const_cast<TBitmap&>(strip);
        return static_cast<COLORREF>(ColorToRGB(s.Canvas()->Pixel(x, y))) == BlackColor;
    };
    if (P.y <= NewMaskRectArea.top) return black(RMTop, P.x, P.y);
    if (P.y < NewMaskRectArea.bottom) {
        if (P.x > NewMaskRectArea.left)
            return black(RMRight, P.x - NewMaskRectArea.right, P.y - NewMaskRectArea.top);
        return black(RMLeft, P.x, P.y - NewMaskRectArea.top);
    }
    return black(RMBottom, P.x, P.y - NewMaskRectArea.bottom);
}

void TbsSkinFrame::EnableShadow(bool AShowShadow, bool AHideFormBefore) {
    if (!FIsLayerEnabled || AShowShadow == FHaveShadow) return;
    FHaveShadow = AShowShadow;
    if (AHideFormBefore) FForm->Hide();
    HWND h = FForm->Handle();
    ULONG_PTR style = GetClassLongPtrW(h, GCL_STYLE);
    style = AShowShadow ? (style | CS_DROPSHADOW) : (style & ~static_cast<ULONG_PTR>(CS_DROPSHADOW));
    SetClassLongPtrW(h, GCL_STYLE, static_cast<LONG_PTR>(style));
    if (AHideFormBefore) FForm->Show();
}

bool TbsSkinFrame::GetAutoRenderingInActiveImage() const {
    return FSD && !FSD->Empty && FSD->AutoRenderingInActiveImage;
}

// ---- client background -------------------------------------------------------------------------------

void TbsSkinFrame::PaintClientBackground(HDC DC) {
    if (FSD && !FSD->Empty) {
        if (FUseRibbon && FSD->MDIBGPictureIndex != -1) PaintBG3(DC);
        else if (FSD->BGPictureIndex == -1) PaintBG(DC);
        else PaintBG2(DC);
    } else PaintBGDefault(DC);
}

namespace {

void FillFace(HDC dc, const TRect& r, TColor color) {
    platform::GdiBrush b(platform::TrackGdi(CreateSolidBrush(ColorToRGB(color))));
    FillRect(dc, &r, b.Get());
}

}  // namespace

void TbsSkinFrame::PaintBGDefault(HDC DC) {
    if (!DC) return;
    FillFace(DC, FForm->ClientRect(), clBtnFace);
    if (!FLogoBitMap.Empty()) {
        TCanvas c;
        c.SetHandle(DC);
        DrawLogo(&c);
        c.SetHandle(nullptr);
    }
}

void TbsSkinFrame::PaintMDIBGDefault(HDC DC) {
    if (!DC) return;
    FillFace(DC, FForm->ClientRect(), clAppWorkSpace);
}

namespace {

// Covers the client area with P by the stretch rules.
void CoverWith(HDC dc, TBitmap* P, bool stretch, TbsStretchType type, int fw, int fh, int cw, int ch) {
    const int w = P->Width(), h = P->Height();
    if (w <= 0 || h <= 0 || cw <= 0 || ch <= 0) return;
    HDC src = P->Canvas()->Handle();
    if (stretch) {
        SetStretchBltMode(dc, COLORONCOLOR);
        if (type == bsstFull) StretchBlt(dc, 0, 0, fw, fh, src, 0, 0, w, h, SRCCOPY);
        else if (type == bsstHorz)
            for (int i = 0; i <= fw / w; ++i) StretchBlt(dc, i * w, 0, w, fh, src, 0, 0, w, h, SRCCOPY);
        else
            for (int i = 0; i <= fh / h; ++i) StretchBlt(dc, 0, i * h, fw, h, src, 0, 0, w, h, SRCCOPY);
        return;
    }
    for (int y = 0; y <= ch / h; ++y)
        for (int x = 0; x <= cw / w; ++x) BitBlt(dc, x * w, y * h, w, h, src, 0, 0, SRCCOPY);
}

}  // namespace

void TbsSkinFrame::PaintBG(HDC DC) {
    if (!DC || !FSD || FSD->Empty) return;
    if (IsNullRect(FSD->ClRect)) {
        FillFace(DC, FForm->ClientRect(), clBtnFace);
        return;
    }
    TBitmap P(FSD->ClRect.Width(), FSD->ClRect.Height());
    BitBlt(P.Canvas()->Handle(), 0, 0, P.Width(), P.Height(), FSD->FPicture->Canvas()->Handle(), FSD->ClRect.left,
           FSD->ClRect.top, SRCCOPY);
    CoverWith(DC, &P, FSD->StretchEffect, FSD->StretchType, FFormWidth, FFormHeight, FForm->ClientWidth(),
              FForm->ClientHeight());
    if (!FLogoBitMap.Empty()) {
        TCanvas c;
        c.SetHandle(DC);
        DrawLogo(&c);
        c.SetHandle(nullptr);
    }
}

void TbsSkinFrame::PaintBG2(HDC DC) {
    if (!DC || !FSD || FSD->Empty) return;
    const int i = FSD->BGPictureIndex;
    if (i < 0 || i >= static_cast<int>(FSD->FActivePictures.size())) return PaintBG(DC);
    CoverWith(DC, FSD->FActivePictures[static_cast<size_t>(i)].get(), FSD->StretchEffect, FSD->StretchType,
              FFormWidth, FFormHeight, FForm->ClientWidth(), FForm->ClientHeight());
    if (!FLogoBitMap.Empty()) {
        TCanvas c;
        c.SetHandle(DC);
        DrawLogo(&c);
        c.SetHandle(nullptr);
    }
}

void TbsSkinFrame::PaintBG3(HDC DC) {
    if (!DC || !FSD || FSD->Empty) return;
    const int i = FSD->MDIBGPictureIndex;
    if (i < 0 || i >= static_cast<int>(FSD->FActivePictures.size())) return;
    CoverWith(DC, FSD->FActivePictures[static_cast<size_t>(i)].get(), FSD->MDIBGStretchEffect, FSD->MDIBGStretchType,
              FFormWidth, FFormHeight, FForm->ClientWidth(), FForm->ClientHeight());
}

void TbsSkinFrame::DrawLogo(TCanvas* Canvas) {
    const int x = std::max(0, FForm->ClientWidth() / 2 - FLogoBitMap.Width() / 2);
    const int y = std::max(0, FForm->ClientHeight() / 2 - FLogoBitMap.Height() / 2);
    if (FLogoBitMap.Transparent() != LogoBitMapTransparent) FLogoBitMap.SetTransparent(LogoBitMapTransparent);
    Canvas->Draw(x, y, &FLogoBitMap);
}

void TbsSkinFrame::DrawFormIcon(TCanvas* Canvas, int X, int Y) {
    const TPoint s = GetIconSize();
    if (!FIcon) {
        // The form's own icon, else the application's, else the system's.
        HICON src = reinterpret_cast<HICON>(SendMessageW(FForm->Handle(), WM_GETICON, ICON_SMALL, 0));
        if (HWND app = Application ? Application->Handle() : nullptr; !src && app) {
            src = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
            if (!src) src = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
        }
        if (!src) src = LoadIconW(nullptr, IDI_APPLICATION);  // shared: never destroyed
        FIcon = std::make_unique<TIcon>();
        FIcon->SetHandle(static_cast<HICON>(CopyImage(src, IMAGE_ICON, s.x, s.y, 0)));
    }
    DrawIconEx(Canvas->Handle(), X, Y, FIcon->Handle(), s.x, s.y, 0, nullptr, DI_NORMAL);
}

void TbsSkinFrame::UpdateChildrenBackground() {
    for (int i = 0; i < FForm->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(FForm->Controls(i)); w && w->HandleAllocated())
            SendMessageW(w->Handle(), WM_CHECKPARENTBG, 0, 0);
}
