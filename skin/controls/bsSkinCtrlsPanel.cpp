#include "skin/controls/bsSkinCtrlsPanel.h"

#include "platform/ImgList.h"
#include "skin/bsResStrData.h"

TbsSkinPanel::TbsSkinPanel(TComponent* owner) : TbsSkinCustomControl(owner) {
    ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                   csReplicatable;
    DoubleBuffered = true;
    FForceBackground = true;
    FSkinDataName = L"panel";
    SetBounds(Left(), Top(), 150, 150);
}

TbsSkinPanel::~TbsSkinPanel() = default;

void TbsSkinPanel::CreateParams(TCreateParams& params) {
    TbsSkinCustomControl::CreateParams(params);
    params.ClassStyle &= ~static_cast<UINT>(CS_VREDRAW | CS_HREDRAW);
}

// ---- properties ------------------------------------------------------------------------------------

void TbsSkinPanel::SetRibbonStyle(bool v) {
    if (v != FRibbonStyle) FRibbonStyle = v, Repaint();
}

void TbsSkinPanel::SetImagePosition(TbsImagePosition v) {
    if (v != FImagePosition) FImagePosition = v, Repaint();
}

void TbsSkinPanel::SetCaptionImageIndex(int v) {
    if (v != FCaptionImageIndex) FCaptionImageIndex = v, Repaint();
}

void TbsSkinPanel::SetCaptionImageList(TCustomImageList* v) {
    if (FCaptionImageList) RemoveFreeNotification(FCaptionImageList);
    FCaptionImageList = v;
    if (v) FreeNotification(v);
    Repaint();
}

void TbsSkinPanel::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomControl::Notification(component, op);
    if (op == opRemove && component == FCaptionImageList) FCaptionImageList = nullptr;
}

void TbsSkinPanel::SetGlyph(TBitmap* v) {
    if (v) FGlyph.Assign(v);
    else FGlyph.SetSize(0, 0);
    Repaint();
}

void TbsSkinPanel::SetNumGlyphs(int v) {
    FNumGlyphs = v < 1 ? 1 : (v > 2 ? 2 : v);
    Repaint();
}

void TbsSkinPanel::SetSpacing(int v) {
    FSpacing = v;
    Repaint();
}

void TbsSkinPanel::SetCheckedMode(bool v) {
    FCheckedMode = v;
    Repaint();
}

void TbsSkinPanel::SetDefaultAlignment(TAlignment v) {
    FDefaultAlignment = v;
    if (FIndex == -1 && FCaptionMode) Repaint();
}

void TbsSkinPanel::SetRollUpMode(bool v) {
    FRollUpMode = v;
    if (FIndex == -1 && FCaptionMode) Repaint();
}

void TbsSkinPanel::SetDefaultCaptionHeight(int v) {
    FDefaultCaptionHeight = v;
    if (FIndex == -1 && FCaptionMode) {
        Repaint();
        RealignChildren();
    }
}

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle v) {
    FBorderStyle = v;
    if (FIndex == -1) {
        Repaint();
        RealignChildren();
    }
}

void TbsSkinPanel::SetCaptionMode(bool v) {
    FCaptionMode = v;
    Repaint();
    RealignChildren();
}

void TbsSkinPanel::SetTransparentMode(bool v) {
    if (v == FTransparentMode) return;
    FTransparentMode = v;
    Repaint();
    if (!Has(csDesigning) && !Has(csLoading)) UpdateChildrenBackground();
}

void TbsSkinPanel::SetChecked(bool v) {
    FChecked = v;
    if (FCheckedMode) {
        Repaint();
        if (AutoEnabledControls)
            for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(v);
    }
    if (OnChecked) OnChecked(this);
}

void TbsSkinPanel::RealignChildren() {
    if (HandleAllocated()) Realign();
}

// ---- roll-up ------------------------------------------------------------------------------------------

void TbsSkinPanel::SetRollUpState(bool v) {
    if (v == FRollUpState) return;
    TSizeConstraints* c = Constraints();
    if (!FRollUpMode) {
        c->MaxWidth = FCMaxWidth, c->MinWidth = FCMinWidth, c->MaxHeight = FCMaxHeight, c->MinHeight = FCMinHeight;
        FRollUpState = false;
        return;
    }
    // The real constraints are saved when the panel rolls up and given back
    // when it rolls down; the rolled-up panel has none.
    if (v) {
        FCMaxWidth = c->MaxWidth, FCMinWidth = c->MinWidth, FCMaxHeight = c->MaxHeight, FCMinHeight = c->MinHeight;
        c->MaxWidth = c->MinWidth = c->MaxHeight = c->MinHeight = 0;
    }
    FRollUpState = v;
    DoRollUp(v);
    if (!v) {
        c->MaxWidth = FCMaxWidth, c->MinWidth = FCMinWidth, c->MaxHeight = FCMaxHeight, c->MinHeight = FCMinHeight;
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TbsSkinPanel::DoRollUp(bool aRollUp) {
    FInChangingRollUp = true;
    try {
        if (aRollUp && FRealHeight == -1) {
            FRealHeight = Height();
            DisableAlign();
            for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(false);
            GetSkinData();
            int w = Width(), h = Height();
            CalcSize(w, h);
            SetHeight(FIndex == -1 ? FDefaultCaptionHeight + 1 : Height() - NewClRect.Height());
        } else if (!aRollUp && FRealHeight != -1) {
            SetHeight(FRealHeight);
            FRealHeight = -1;
            for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(true);
            EnableAlign();
        }
    } catch (...) {
        FInChangingRollUp = false;
        throw;
    }
    FInChangingRollUp = false;
}

bool TbsSkinPanel::CanAutoSize(int& newWidth, int& newHeight) {
    if (FInChangingRollUp && FRollUpMode && AutoSize()) return false;
    return TbsSkinCustomControl::CanAutoSize(newWidth, newHeight);
}

void TbsSkinPanel::ChangeSkinData() {
    TbsSkinCustomControl::ChangeSkinData();
    if (FRealHeight == -1) {
        RealignChildren();
        return;
    }
    // Rolled up: roll up again to the new skin's caption height.
    FInChangingRollUp = true;
    int w = Width(), h = FRealHeight;
    CalcSize(w, h);
    SetHeight(FIndex == -1 ? FDefaultCaptionHeight + 1 : FRealHeight - NewClRect.Height());
    FInChangingRollUp = false;
}

void TbsSkinPanel::SetBounds(int left, int top, int width, int height) {
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    if (FIndex == -1 && HandleAllocated()) Invalidate();
}

// ---- skin ---------------------------------------------------------------------------------------------

void TbsSkinPanel::GetSkinData() {
    TbsSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    auto* r = dynamic_cast<TbsDataSkinPanelControl*>(SkinRecord());
    if (FIndex == -1 || !r) return;
    CaptionRect = r->CaptionRect;
    Alignment = r->Alignment;
    FontName = r->FontName;
    FontColor = r->FontColor;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    BGPictureIndex = ActivePicture(r->BGPictureIndex) ? r->BGPictureIndex : -1;
    CheckImageRect = r->CheckImageRect;
    UnCheckImageRect = r->UnCheckImageRect;
    MarkFrameRect = r->MarkFrameRect;
    FrameRect = r->FrameRect;
    FrameTextRect = r->FrameTextRect;
    FrameLeftOffset = r->FrameLeftOffset;
    FrameRightOffset = r->FrameRightOffset;
}

void TbsSkinPanel::AdjustClientRect(TRect& rect) {
    TbsSkinCustomControl::AdjustClientRect(rect);
    GetSkinData();
    if (FIndex == -1 || Has(csDesigning)) {
        if (FBorderStyle != bvNone) rect = TRect(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
        if (FCaptionMode) {
            if (FRibbonStyle) rect.bottom -= FDefaultCaptionHeight;
            else rect.top += FDefaultCaptionHeight;
        }
        return;
    }
    if (BGPictureIndex != -1 || (FBorderStyle == bvNone && !FCaptionMode && ResizeMode == 1)) return;
    int w = Width(), h = Height();
    CalcSize(w, h);
    rect = NewClRect;
}

TRect TbsSkinPanel::GetSkinClientRect() {
    TRect r(0, 0, Width(), Height());
    AdjustClientRect(r);
    return r;
}

void TbsSkinPanel::PaintskinTo(TCanvas* c, int x, int y) {
    GetSkinData();
    TBitmap B(Width(), Height());
    if (FIndex == -1) CreateControlDefaultImage(&B);
    else CreateControlSkinImage(&B);
    BitBlt(c->Handle(), x, y, B.Width(), B.Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- painting ------------------------------------------------------------------------------------------

void TbsSkinPanel::DrawPicturePart(TCanvas* c, const TRect& part, int x, int y, bool transparent) {
    if (!Picture || IsNullRect(part)) return;
    HDC src = Picture->Canvas()->Handle();
    if (transparent) {
        // The part's bottom-left pixel is its transparent colour.
        const COLORREF key = bsPictureColor(Picture, part.left, part.bottom - 1);
        TransparentBlt(c->Handle(), x, y, part.Width(), part.Height(), src, part.left, part.top, part.Width(),
                       part.Height(), key);
    } else {
        BitBlt(c->Handle(), x, y, part.Width(), part.Height(), src, part.left, part.top, SRCCOPY);
    }
}

int TbsSkinPanel::CaptionImageWidth() {
    if (FGlyph.Empty() && FCaptionImageList && FCaptionImageIndex >= 0 &&
        FCaptionImageIndex < FCaptionImageList->Count())
        return FCaptionImageList->Width();
    if (!FGlyph.Empty()) return FGlyph.Width() / FNumGlyphs;
    return 0;
}

int TbsSkinPanel::CaptionImageHeight() {
    if (FGlyph.Empty() && FCaptionImageList && FCaptionImageIndex >= 0 &&
        FCaptionImageIndex < FCaptionImageList->Count())
        return FCaptionImageList->Height();
    return FGlyph.Empty() ? 0 : FGlyph.Height();
}

void TbsSkinPanel::DrawCaptionImage(TCanvas* c, int x, int y) {
    if (FGlyph.Empty() && FCaptionImageList && FCaptionImageIndex >= 0 &&
        FCaptionImageIndex < FCaptionImageList->Count()) {
        FCaptionImageList->Draw(c, x, y, FCaptionImageIndex, Enabled());
    } else if (!FGlyph.Empty()) {
        DrawGlyphFrame(c, x, y, &FGlyph, FNumGlyphs, (!Enabled() && FNumGlyphs == 2) ? 2 : 1);
    }
}

void TbsSkinPanel::FillWhole(TCanvas* c, TBitmap* t, const TRect& dst) { FillClientPiece(c, t, dst, true); }

void TbsSkinPanel::PaintTransparentFrame(TBitmap* B) {
    DrawParentImage(this, B->Canvas());
    if (FBorderStyle != bvNone) {
        TCanvas* c = B->Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FSD->SkinColors()->cBtnShadow);
        c->FrameRect(TRect(0, 0, Width(), Height()));
    }
    PanelPaint(B->Canvas());
}

void TbsSkinPanel::PaintGroupBoxLook(TBitmap* B) {
    DrawParentImage(this, B->Canvas());
    TCanvas* c = B->Canvas();
    const TColor shadow = FSD->SkinColors()->cBtnShadow;
    c->Pen()->SetColor(shadow);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsClear);
    SetupFont(c, UseSkinFont, FontName, FontHeight, FontStyle, &FDefaultFont);
    const String caption = Caption();
    const int th = c->TextHeight(caption.empty() ? String(L"W") : caption);
    NewCaptionRect = TRect(5, 0, Width(), th + 5);
    int x = 5;
    if (FCheckedMode) {
        const TRect& part = FChecked ? CheckImageRect : UnCheckImageRect;
        DrawPicturePart(c, part, 5, (th + 5) / 2 - part.Height() / 2, true);
        x = part.Width() + 10;
    }
    const int iw = CaptionImageWidth();
    const int ix = x, iy = (th + 5) / 2 - CaptionImageHeight() / 2;
    if (iw > 0) x += iw + 2;
    TColor fc = FSD->SkinColors()->cBtnText;
    const int li = FSD->GetControlIndex(L"stdlabel");
    if (li != -1)
        if (auto* lr = dynamic_cast<TbsDataSkinStdLabelControl*>(FSD->CtrlList[static_cast<size_t>(li)].get()))
            fc = lr->FontColor;
    c->Font()->SetColor(fc);
    DrawVCenteredText(c, caption, TRect(x, 0, Width(), th + 5));
    RECT m{0, 0, 0, 0};
    DrawTextW(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &m, DT_CALCRECT | DT_SINGLELINE);
    const int tw = m.right - m.left;
    if (iw > 0) DrawCaptionImage(c, ix, iy);
    const int h = (th + 5) / 2;
    c->Pen()->SetColor(shadow);
    if (FRollUpMode) {
        DrawArrowImage(c, TRect(x + tw + 3, 0, x + tw + 10, th + 5), fc, FRollUpState ? 4 : 3);
        c->Pen()->SetColor(shadow);
        c->MoveTo(x + tw + 12, h);
    } else {
        c->MoveTo(x + tw + 3, h);
    }
    c->LineTo(Width(), h);
    c->MoveTo(0, h);
    c->LineTo(4, h);
    c->MoveTo(Width() - 1, h);
    c->LineTo(Width() - 1, Height() - 1);
    c->LineTo(0, Height() - 1);
    c->LineTo(0, h);
    PanelPaint(c);
}

void TbsSkinPanel::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    const bool skinned = FIndex != -1;
    if (FTransparentMode && skinned) {
        TBitmap B(Width(), Height());
        if (FCaptionMode) PaintGroupBoxLook(&B);
        else PaintTransparentFrame(&B);
        DrawToCanvas(&B);
        return;
    }
    if (!skinned || (!FForceBackground && StretchEffect)) {
        TbsSkinCustomControl::Paint();
        return;
    }
    int w = Width(), h = Height();
    CalcSize(w, h);
    if (FBorderStyle == bvNone && ResizeMode == 1 && !FCaptionMode && FForceBackground) {
        if (ClRect.IsEmpty()) return;
        TBitmap t(ClRect.Width(), ClRect.Height());
        BitBlt(t.Canvas()->Handle(), 0, 0, t.Width(), t.Height(), Picture->Canvas()->Handle(),
               SkinRect.left + ClRect.left, SkinRect.top + ClRect.top, SRCCOPY);
        FillWhole(Canvas(), &t, TRect(0, 0, Width(), Height()));
        return;
    }
    TBitmap* bg = ActivePicture(BGPictureIndex);
    if (!bg) {
        TbsSkinCustomControl::Paint();
        return;
    }
    // The frame from the skin, the client from the background picture.
    const bool drawBack = FDrawbackground;
    FDrawbackground = false;
    TbsSkinCustomControl::Paint();
    FDrawbackground = drawBack;
    HDC dc = Canvas()->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, NewClRect.left, NewClRect.top, NewClRect.right, NewClRect.bottom);
    if (StretchEffect && StretchType == bsstFull) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, NewClRect.left, NewClRect.top, NewClRect.Width(), NewClRect.Height(), bg->Canvas()->Handle(), 0,
                   0, bg->Width(), bg->Height(), SRCCOPY);
    } else {
        FillWhole(Canvas(), bg, TRect(0, 0, Width(), Height()));
    }
    RestoreDC(dc, saved);
}

void TbsSkinPanel::CreateControlSkinImage(TBitmap* B) {
    if (!(FBorderStyle == bvNone && ResizeMode == 1 && !FCaptionMode && !StretchEffect)) {
        TbsSkinCustomControl::CreateControlSkinImage(B);
        if (ResizeMode < 1) NewCaptionRect = CaptionRect;
        else if (!FTransparentMode) NewCaptionRect = CorrectSkinRect(CaptionRect);
        if (!Caption().empty() && !IsNullRect(CaptionRect)) DrawSkinCaption(B);
        return;
    }
    if (ClRect.IsEmpty()) return;
    TBitmap t(ClRect.Width(), ClRect.Height());
    BitBlt(t.Canvas()->Handle(), 0, 0, t.Width(), t.Height(), Picture->Canvas()->Handle(), SkinRect.left + ClRect.left,
           SkinRect.top + ClRect.top, SRCCOPY);
    FillWhole(B->Canvas(), &t, TRect(0, 0, Width(), Height()));
}

void TbsSkinPanel::DrawSkinCaption(TBitmap* B) {
    TCanvas* c = B->Canvas();
    TRect cr = NewCaptionRect;
    if (FRollUpMode) cr.right -= 12;
    if (FCheckedMode) {
        const TRect& part = FChecked ? CheckImageRect : UnCheckImageRect;
        DrawPicturePart(c, part, cr.left, cr.top + cr.Height() / 2 - part.Height() / 2, true);
        cr.left += part.Width() + 2;
    }
    SetupFont(c, UseSkinFont, FontName, FontHeight, FontStyle, &FDefaultFont);
    c->Font()->SetColor(FontColor);
    const String caption = Caption();
    const int textW = c->TextWidth(caption), textH = c->TextHeight(caption);
    const int iw = CaptionImageWidth();
    const int cw = textW + (iw > 0 ? iw + FSpacing : 0);
    const int ty = cr.top + cr.Height() / 2 - textH / 2;
    int tx = cr.left;
    if (Alignment == taRightJustify) tx = cr.right - cw;
    else if (Alignment == taCenter) tx = cr.left + cr.Width() / 2 - cw / 2;
    int ix = tx;
    const int iy = cr.top + cr.Height() / 2 - CaptionImageHeight() / 2;
    if (iw > 0) {
        if (FImagePosition == bsipLeft) {
            ix = cr.left + 2;
            tx = ix + iw + FSpacing;
            if (Alignment == taRightJustify) tx = cr.right - textW;
            else if (Alignment == taCenter) tx = cr.left + cr.Width() / 2 - textW / 2;
            tx = std::max(tx, ix + iw + FSpacing);
        } else {
            ix = tx;
            tx = ix + iw + FSpacing;
        }
    }
    if (FRollUpMode) {
        const TRect m(cr.right, cr.top, cr.right + 10, cr.bottom);
        if (!IsNullRect(MarkFrameRect)) DrawPicturePart(c, MarkFrameRect, m.left, m.top, false);
        DrawArrowImage(c, m, FontColor, FRollUpState ? 4 : 3);
    }
    if (!IsNullRect(FrameRect)) {
        const int fw = FrameRect.Width() - FrameTextRect.Width();
        TBitmap fb;
        CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &fb, Picture, FrameRect, fw + textW, FrameRect.Height(),
                         false);
        int fx = tx;
        if (Alignment == taLeftJustify) {
            tx += FrameTextRect.left;
        } else if (Alignment == taRightJustify) {
            fx = tx - fw;
            tx += FrameTextRect.left - fw;
            ix -= fw;
        } else {
            fx = tx - FrameTextRect.left - 2;
            tx -= 2;
            ix -= FrameTextRect.left;
        }
        BitBlt(c->Handle(), fx, CaptionRect.top, fb.Width(), fb.Height(), fb.Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    c->Brush()->SetStyle(bsClear);
    c->TextRect(cr, tx, ty, caption);
    if (iw > 0) DrawCaptionImage(c, ix, iy);
}

void TbsSkinPanel::CreateControlDefaultImage(TBitmap* B) {
    TbsSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->Canvas();
    TRect r(0, 0, Width(), Height());
    switch (FBorderStyle) {
    case bvFrame: c->Frame3D(r, clBtnShadow, clBtnShadow, 1); break;
    case bvRaised: c->Frame3D(r, clBtnHighlight, clBtnShadow, 1); break;
    case bvLowered: c->Frame3D(r, clBtnShadow, clBtnHighlight, 1); break;
    default: break;
    }
    if (!FCaptionMode) return;
    const int ch = FDefaultCaptionHeight;
    TRect bar;
    if (FBorderStyle != bvFrame) {
        bar = FRibbonStyle ? TRect(1, Height() - ch - 1, Width() - 1, Height() - 1) : TRect(1, 1, Width() - 1, ch);
        c->Frame3D(bar, clBtnShadow, clBtnHighlight, 1);
        c->Frame3D(bar, clBtnHighlight, clBtnShadow, 1);
    } else {
        bar = FRibbonStyle ? TRect(0, Height() - ch, Width(), Height()) : TRect(0, 0, Width(), ch);
        c->Frame3D(bar, clBtnShadow, clBtnShadow, 1);
        c->Frame3D(bar, clBtnHighlight, clBtnFace, 1);
    }
    r = bar;
    if (FCheckedMode) r.left += 20;
    if (FRollUpMode) r.right -= 10;
    c->Font()->Assign(&FDefaultFont);
    if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    const String caption = Caption();
    const int textW = c->TextWidth(caption), textH = c->TextHeight(caption);
    const int iw = CaptionImageWidth();
    const int cw = textW + (iw > 0 ? iw + FSpacing : 0);
    const int ty = r.top + r.Height() / 2 - textH / 2;
    int tx = r.left + 2;
    if (FDefaultAlignment == taRightJustify) tx = r.right - cw;
    else if (FDefaultAlignment == taCenter) tx = r.left + 2 + r.Width() / 2 - cw / 2;
    if (FCheckedMode) {
        const int top = r.top + r.Height() / 2 - 7;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(TRect(5, top, 19, top + 14));
        if (FChecked) DrawCheckImage(c, 8, top + 2, clBtnText);
    }
    const int ix = tx, iy = r.top + r.Height() / 2 - CaptionImageHeight() / 2;
    if (iw > 0) tx += iw + FSpacing;
    c->Brush()->SetStyle(bsClear);
    c->TextRect(r, tx, ty, caption);
    if (iw > 0) DrawCaptionImage(c, ix, iy);
    if (FRollUpMode) DrawArrowImage(c, TRect(r.right, r.top, r.right + 10, r.bottom), clBtnText, FRollUpState ? 4 : 3);
}

// ---- input and messages ---------------------------------------------------------------------------------

void TbsSkinPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FCaptionMode && (FRollUpMode || FCheckedMode)) {
        const TRect area = FIndex != -1 ? NewCaptionRect : TRect(1, 1, Width() - 1, FDefaultCaptionHeight);
        if (IsPointInRect(area, TPoint(x, y))) {
            if (FCheckedMode) SetChecked(!FChecked);
            if (FRollUpMode) SetRollUpState(!FRollUpState);
        }
    }
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinPanel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_TEXTCHANGED:
        TbsSkinCustomControl::WndProc(m);
        if (FCaptionMode) Repaint();
        return;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(m);
        Repaint();
        return;
    case WM_MOVE:
        TbsSkinCustomControl::WndProc(m);
        if (FTransparentMode) {
            Repaint();
            UpdateChildrenBackground();
        }
        return;
    case WM_CHECKPARENTBG:
        if (FTransparentMode) {
            Repaint();
            UpdateChildrenBackground();
        }
        return;
    default:
        break;
    }
    TbsSkinCustomControl::WndProc(m);
}
