#include "skin/controls/bsSkinCtrlsButton.h"

#include <windowsx.h>

#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Timer.h"
#include "skin/bsResStrData.h"

bool IsAccelChar(wchar_t ch, const String& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return towupper(caption[i + 1]) == towupper(ch);
    }
    return false;
}

bool ActionGlyph(TBasicAction* action, TBitmap& glyph) {
    auto* a = dynamic_cast<TCustomAction*>(action);
    TCustomImageList* images = a ? a->Images() : nullptr;
    if (!images || !glyph.Empty() || a->ImageIndex() < 0 || a->ImageIndex() >= images->Count()) return false;
    glyph.SetSize(images->Width(), images->Height());
    glyph.Canvas()->Brush()->SetStyle(bsSolid);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect(0, 0, images->Width(), images->Height()));
    images->Draw(glyph.Canvas(), 0, 0, a->ImageIndex(), true);
    return true;
}

bool AnimationFrameRect(const TRect& strip, const TRect& face, int count, int frame, TRect& cell) {
    if (count <= 0 || frame < 1 || frame > count) return false;
    if (strip.Width() > face.Width()) {
        const int cw = strip.Width() / count;
        if (cw < 1 || strip.Height() < 1) return false;
        cell = Bounds(strip.left + (frame - 1) * cw, strip.top, cw, strip.Height());
    } else {
        const int ch = strip.Height() / count;
        if (ch < 1 || strip.Width() < 1) return false;
        cell = Bounds(strip.left, strip.top + (frame - 1) * ch, strip.Width(), ch);
    }
    return true;
}

TbsSkinButton::TbsSkinButton(TComponent* owner)
    : TbsSkinCustomControl(owner), FLayerManager(std::make_unique<TbsLayerManager>(nullptr)) {
    SetTabStop(true);
    FSkinDataName = L"button";
    SetBounds(Left(), Top(), 75, 25);
}


// ---- properties -----------------------------------------------------------------------------------

void TbsSkinButton::SetGlyph(TBitmap* v) {
    if (v) FGlyph.Assign(v);
    else FGlyph.SetSize(0, 0);
    Repaint();
}

void TbsSkinButton::SetNumGlyphs(int v) {
    FNumGlyphs = v < 1 ? 1 : (v > 4 ? 4 : v);
    Repaint();
}

void TbsSkinButton::SetMargin(int v) {
    if (v < -1 || v == FMargin) return;
    FMargin = v;
    Repaint();
}

void TbsSkinButton::SetSpacing(int v) {
    if (v != FSpacing) FSpacing = v, Repaint();
}

void TbsSkinButton::SetLayout(TbsButtonLayout v) {
    if (v != FLayout) FLayout = v, Repaint();
}

void TbsSkinButton::SetImageIndex(int v) {
    if (v != FImageIndex) FImageIndex = v, Repaint();
}

void TbsSkinButton::SetImageList(TCustomImageList* v) {
    if (FImageList) RemoveFreeNotification(FImageList);
    FImageList = v;
    if (v) FreeNotification(v);
    Repaint();
}

void TbsSkinButton::Notification(TComponent* component, TOperation op) {
    TbsSkinCustomControl::Notification(component, op);
    if (op == opRemove && component == FImageList) FImageList = nullptr;
}

void TbsSkinButton::SetCanFocused(bool v) {
    FCanFocused = v;
    SetTabStop(v);
}

void TbsSkinButton::SetGroupIndex(int v) {
    FGroupIndex = v;
    if (v != 0) SetCanFocused(false);
}

void TbsSkinButton::SetDefault(bool v) {
    FDefault = v;
    // Whether Enter presses this button now depends on the focused control.
    if (HandleAllocated() && FCanFocused) {
        TCustomForm* form = GetParentForm(this);
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form ? form->ActiveControl() : nullptr));
    }
}

void TbsSkinButton::SetDown(bool v) {
    FDown = v;
    if (MorphActive()) {
        FMorphKf = 1;
        if (v) StopMorph();
        else StartMorph();
    }
    Repaint();
    if (v && FGroupIndex != 0 && !AllowAllUp && Parent()) {
        TWinControl* p = Parent();
        for (int i = 0; i < p->ControlCount(); ++i) {
            auto* b = dynamic_cast<TbsSkinButton*>(p->Controls(i));
            if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) b->SetDown(false);
        }
    }
}

void TbsSkinButton::SetMouseIn(bool v) {
    if (v == FMouseIn) return;
    if (v) OnMouseEnterMsg();
    else OnMouseLeaveMsg();
}

bool TbsSkinButton::MorphActive() const { return Morphing && SkinEffectsOn(); }

bool TbsSkinButton::IsFocusedLook() { return FCanFocused && HandleAllocated() && Focused(); }

bool TbsSkinButton::PressedLook() {
    return FDown && (FGroupIndex != 0 || FMouseIn || (IsFocusedLook() && !FMouseDown));
}

void TbsSkinButton::RefreshButton() {
    FMouseIn = false;
    FDown = false;
    if (MorphActive()) FMorphKf = 0;
    if (SkinEffectsOn()) StopAnimation();
    Repaint();
}

void TbsSkinButton::Click() {
    // The button's click is ButtonClick; the class library's automatic click
    // after a mouse release does not apply.
}

void TbsSkinButton::ButtonClick() {
    if (FCanFocused) {
        if (TCustomForm* form = GetParentForm(this)) form->ModalResult = ModalResult;
    }
    ExecuteActionOrClick(FActionLink.get(), OnClick, this);
}

void TbsSkinButton::SetAction(TBasicAction* v) {
    TActionLink::Assign(FActionLink, v, [this](TBasicAction* a, bool checkDefaults) { ActionChange(a, checkDefaults); });
}

void TbsSkinButton::ActionChange(TBasicAction* action, bool checkDefaults) {
    ActionChangeControl(this, action, checkDefaults);
    ActionGlyph(action, FGlyph);
    Repaint();
}

// ---- skin -------------------------------------------------------------------------------------------

bool TbsSkinButton::RecordFits(TbsDataSkinControl* record) const {
    return dynamic_cast<TbsDataSkinButtonControl*>(record) != nullptr;
}

void TbsSkinButton::GetSkinData() {
    TbsSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        AnimateSkinRect = NullRect();
        return;
    }
    auto* r = dynamic_cast<TbsDataSkinButtonControl*>(SkinRecord());
    if (!r) return;
    if (!UseSkinSize) MaskPicture = nullptr;
    FontName = r->FontName;
    FontColor = r->FontColor;
    ActiveFontColor = r->ActiveFontColor;
    DownFontColor = r->DownFontColor;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    ActiveSkinRect = r->ActiveSkinRect;
    DownSkinRect = r->DownSkinRect;
    DisabledSkinRect = r->DisabledSkinRect;
    FocusedSkinRect = r->FocusedSkinRect;
    DisabledFontColor = r->DisabledFontColor;
    Morphing = r->Morphing;
    MorphKind = r->MorphKind;
    AnimateSkinRect = r->AnimateSkinRect;
    FrameCount = r->FrameCount;
    AnimateInterval = r->AnimateInterval;
    ShowFocus = r->ShowFocus;
    MenuMarkerFlatRect = r->MenuMarkerFlatRect;
    MenuMarkerRect = r->MenuMarkerRect;
    MenuMarkerActiveRect = IsNullRect(r->MenuMarkerActiveRect) ? MenuMarkerRect : r->MenuMarkerActiveRect;
    MenuMarkerDownRect = IsNullRect(r->MenuMarkerDownRect) ? MenuMarkerActiveRect : r->MenuMarkerDownRect;
    MenuMarkerTransparentColor = r->MenuMarkerTransparentColor;
    GlowLayerPictureIndex = r->GlowLayerPictureIndex;
    GlowLayerMaskPictureIndex = r->GlowLayerMaskPictureIndex;
    GlowLayerOffsetLeft = r->GlowLayerOffsetLeft;
    GlowLayerOffsetRight = r->GlowLayerOffsetRight;
    GlowLayerOffsetTop = r->GlowLayerOffsetTop;
    GlowLayerOffsetBottom = r->GlowLayerOffsetBottom;
    GlowLayerShowOffsetX = r->GlowLayerShowOffsetX;
    GlowLayerShowOffsetY = r->GlowLayerShowOffsetY;
    GlowLayerAlphaBlendValue = r->GlowLayerAlphaBlendValue;
    if (IsNullRect(ActiveSkinRect)) ActiveSkinRect = SkinRect;
    if (IsNullRect(DownSkinRect)) DownSkinRect = ActiveSkinRect;
    if (DisabledFontColor == FontColor) DisabledFontColor = clGray;
    TRect f;
    if (SkinEffectsOn() && Animating() && AnimationFrameRect(AnimateSkinRect, SkinRect, FrameCount, CurrentFrame, f)) {
        if (AnimateInc) ActiveSkinRect = f;
        else SkinRect = f;
    }
}

void TbsSkinButton::CalcSize(int& w, int& h) {
    if (UseSkinSize || ResizeMode == 1) {
        TbsSkinCustomControl::CalcSize(w, h);
        return;
    }
    NewClRect = TRect(ClRect.left, ClRect.top, ClRect.right + w - SkinRect.Width(),
                      ClRect.bottom + h - SkinRect.Height());
}

void TbsSkinButton::BeforeChangeSkinData() {
    if (FLayerManager && FLayerManager->IsVisible) HideLayer();
    TbsSkinCustomControl::BeforeChangeSkinData();
}

void TbsSkinButton::ChangeSkinData() {
    StopMorph();
    StopAnimation();
    FMorphKf = 0;
    TbsSkinCustomControl::ChangeSkinData();
    if (MorphActive() && FIndex != -1 && (FMouseIn || IsFocusedLook())) FMorphKf = 1;
    if (FMouseIn && HandleAllocated()) PostMessageW(Handle(), WM_SHOWBUTTONLAYER, 0, 0);
}

// ---- painting ------------------------------------------------------------------------------------------

void TbsSkinButton::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    if (FIndex == -1) {
        PaintOffscreen();
        return;
    }
    int w = Width(), h = Height();
    CalcSize(w, h);
    if (MorphActive() && FMorphKf > 0 && FMorphKf < 1 && Enabled()) {
        PaintMorph();
        return;
    }
    TBitmap B(Width(), Height());
    const bool focused = IsFocusedLook();
    if (!Enabled() && !IsNullRect(DisabledSkinRect)) DrawGlyphAndCaption(&B, DisabledSkinRect, false, false);
    else if (PressedLook()) DrawGlyphAndCaption(&B, DownSkinRect, true, true);
    else if (focused && !IsNullRect(FocusedSkinRect) && !Animating())
        DrawGlyphAndCaption(&B, FocusedSkinRect, false, true);
    else if (focused || FMouseIn) DrawGlyphAndCaption(&B, ActiveSkinRect, false, true);
    else if (MorphActive() && FMorphKf >= 1) DrawGlyphAndCaption(&B, ActiveSkinRect, false, true);
    else DrawGlyphAndCaption(&B, SkinRect, false, false);
    DrawToCanvas(&B);
}

void TbsSkinButton::PaintMorph() {
    TBitmap b1(Width(), Height()), b2(Width(), Height());
    DrawGlyphAndCaption(&b1, SkinRect, false, false);
    DrawGlyphAndCaption(&b2, ActiveSkinRect, false, true);
    bsDrawMorphed(Canvas()->Handle(), &b1, &b2, FMorphKf, MorphKind);
}

void TbsSkinButton::SetTextColor(TCanvas* c, bool aDown, bool aMouseIn) {
    TColor col;
    if (Enabled() && !UseSkinFontColor) col = FDefaultFont.Color();
    else if (!Enabled()) col = DisabledFontColor;
    else if (aDown && aMouseIn) col = DownFontColor;
    else if (aMouseIn) col = ActiveFontColor;
    else col = FontColor;
    c->Font()->SetColor(col);
}

void TbsSkinButton::DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool aDown, bool aMouseIn) {
    if (!UseSkinSize && ResizeMode != 1) {
        DrawFreeSize(B, r, aDown, aMouseIn);
        return;
    }
    DrawSkinPicture(B, Picture, r);
    TCanvas* c = B->Canvas();
    SetupFont(c, UseSkinFont, FontName, FontHeight, FontStyle, &FDefaultFont);
    SetTextColor(c, aDown, aMouseIn);
    if (ShowFocus && IsFocusedLook()) DrawDottedFocusRect(c, NewClRect);
    DrawContent(B, NewClRect, NewClRect, aDown, aMouseIn);
}

void TbsSkinButton::DrawFreeSize(TBitmap* B, const TRect& r, bool aDown, bool aMouseIn) {
    if (ResizeMode == 0) {
        HDC dc = B->Canvas()->Handle();
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, B->Width(), B->Height(), Picture->Canvas()->Handle(), r.left, r.top, r.Width(),
                   r.Height(), SRCCOPY);
    } else if (ResizeMode == 2 || ResizeMode == 3) {
        CreateSkinImageFromClRect(B, Picture, r, ClRect, true);
    }
    const TRect tr(ClRect.left, ClRect.top, ClRect.right + B->Width() - r.Width(),
                   ClRect.bottom + B->Height() - r.Height());
    TCanvas* c = B->Canvas();
    SetupFont(c, UseSkinFont, FontName, FontHeight, FontStyle, &FDefaultFont);
    SetTextColor(c, aDown, aMouseIn);
    if (ShowFocus && IsFocusedLook()) DrawDottedFocusRect(c, tr);
    DrawContent(B, tr, NewClRect, aDown, aMouseIn);
}

void TbsSkinButton::DrawContent(TBitmap* B, const TRect& r, const TRect& eventRect, bool aDown, bool aMouseIn) {
    TCanvas* c = B->Canvas();
    bool drawDefault = true;
    if (OnPaint) OnPaint(this, c, eventRect, aDown, aMouseIn, drawDefault);
    if (!drawDefault) return;
    c->Brush()->SetStyle(bsClear);
    const bool shifted = aDown && aMouseIn;
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count()) {
        DrawImageAndText(c, r, FMargin, FSpacing, FLayout, Caption(), FImageIndex, FImageList, shifted, Enabled(),
                         false, 0);
        return;
    }
    int cell = 1;
    if (aDown && aMouseIn && FNumGlyphs > 2) cell = 3;
    else if (aMouseIn && FNumGlyphs > 3) cell = 4;
    else if (Enabled() || FNumGlyphs < 2) cell = 1;
    else cell = 2;
    DrawGlyphAndText(c, r, FMargin, FSpacing, FLayout, Caption(), FGlyph.Empty() ? nullptr : &FGlyph, FNumGlyphs,
                     cell, shifted, false, 0);
}

void TbsSkinButton::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* c = B->Canvas();
    const TRect r(0, 0, Width(), Height());
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (PressedLook()) frame = clNavy, fill = bsPlainDownFill;
    else if (FMouseIn || IsFocusedLook()) frame = clNavy, fill = bsPlainHotFill;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(fill);
    c->FillRect(r);
    c->Brush()->SetColor(frame);
    c->FrameRect(r);
    c->Font()->Assign(&FDefaultFont);
    if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    if (!Enabled()) c->Font()->SetColor(clBtnShadow);
    DrawContent(B, r, r, FDown, FMouseIn);
}
