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

namespace {

// Timers are made on first use and then only switched on and off: a timer
// must never be freed from inside its own tick.
void StopTimer(TTimer* t) {
    if (t) t->SetEnabled(false);
}

bool Running(const TTimer* t) { return t && t->Enabled(); }

void StartTimer(TTimer*& t, TComponent* owner, unsigned ms, std::function<void()> tick) {
    if (!t) t = new TTimer(owner);
    t->SetEnabled(false);
    t->SetInterval(ms);
    t->OnTimer = [tick = std::move(tick)](TObject*) { tick(); };
    t->SetEnabled(true);
}

}  // namespace

TbsSkinButton::TbsSkinButton(TComponent* owner)
    : TbsSkinCustomControl(owner), FLayerManager(std::make_unique<TbsLayerManager>(nullptr)) {
    SetTabStop(true);
    FSkinDataName = L"button";
    SetBounds(Left(), Top(), 75, 25);
}

TbsSkinButton::~TbsSkinButton() {
    StopTimer(MorphTimer);
    StopTimer(RepeatTimer);
    StopTimer(AnimateTimer);
    FLayerManager.reset();
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
        if (v) StopTimer(MorphTimer);
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
    if (OnClick) OnClick(this);
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
    if (SkinEffectsOn() && Running(AnimateTimer) && FrameCount > 0 && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        TRect f = AnimateSkinRect;
        if (AnimateSkinRect.Width() > SkinRect.Width()) {
            const int cw = AnimateSkinRect.Width() / FrameCount;
            f = Bounds(AnimateSkinRect.left + (CurrentFrame - 1) * cw, AnimateSkinRect.top, cw,
                       AnimateSkinRect.Height());
        } else {
            const int ch = AnimateSkinRect.Height() / FrameCount;
            f = Bounds(AnimateSkinRect.left, AnimateSkinRect.top + (CurrentFrame - 1) * ch, AnimateSkinRect.Width(),
                       ch);
        }
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
    StopTimer(MorphTimer);
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
    else if (focused && !IsNullRect(FocusedSkinRect) && !Running(AnimateTimer))
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
    DrawContent(B, NewClRect, aDown, aMouseIn);
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
    DrawContent(B, tr, aDown, aMouseIn);
}

void TbsSkinButton::DrawContent(TBitmap* B, const TRect& r, bool aDown, bool aMouseIn) {
    TCanvas* c = B->Canvas();
    bool drawDefault = true;
    if (OnPaint) OnPaint(this, c, NewClRect, aDown, aMouseIn, drawDefault);
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
    DrawContent(B, r, FDown, FMouseIn);
}

// ---- morph, animation, repeat ------------------------------------------------------------------------------

void TbsSkinButton::ShowStateChange() {
    if (MorphActive() && FIndex != -1) StartMorph();
    else Repaint();
}

void TbsSkinButton::StartMorph() {
    if (!Running(MorphTimer)) StartTimer(MorphTimer, this, 20, [this] { MorphStep(); });
}

void TbsSkinButton::StopMorph() { StopTimer(MorphTimer); }

void TbsSkinButton::MorphStep() {
    const bool hot = FMouseIn || IsFocusedLook();
    GetSkinData();
    if (FIndex == -1 || !MorphActive()) {
        FMorphKf = hot ? 1 : 0;
        StopMorph();
    } else if (hot && FMorphKf < 1) {
        FMorphKf = std::min(1.0, FMorphKf + 0.2);
        if (FMorphKf >= 1 - 1e-9) FMorphKf = 1, StopMorph();
    } else if (!hot && FMorphKf > 0) {
        FMorphKf = std::max(0.0, FMorphKf - 0.2);
        if (FMorphKf <= 1e-9) FMorphKf = 0, StopMorph();
    } else {
        FMorphKf = hot ? 1 : 0;
        StopMorph();
    }
    Repaint();
}

bool TbsSkinButton::AnimationAllowed() const {
    return FIndex != -1 && SkinEffectsOn() && !IsNullRect(AnimateSkinRect) && FrameCount > 0;
}

void TbsSkinButton::StartAnimation(bool forwards) {
    StopAnimation();
    AnimateInc = forwards;
    CurrentFrame = forwards ? 1 : FrameCount;
    StartTimer(AnimateTimer, this, static_cast<unsigned>(std::max(AnimateInterval, 1)), [this] { AnimationStep(); });
}

void TbsSkinButton::StopAnimation() {
    CurrentFrame = 0;
    StopTimer(AnimateTimer);
}

void TbsSkinButton::AnimationStep() {
    if (AnimateInc) {
        if (CurrentFrame <= FrameCount) ++CurrentFrame, Repaint();
        if (CurrentFrame > FrameCount) StopAnimation(), Repaint();
    } else {
        if (CurrentFrame >= 0) --CurrentFrame, Repaint();
        if (CurrentFrame <= 0) StopAnimation(), Repaint();
    }
}

void TbsSkinButton::StartRepeat() {
    StopTimer(RepeatTimer);
    FRepeatWaiting = true;
    StartTimer(RepeatTimer, this, 500, [this] { RepeatStep(); });
}

void TbsSkinButton::StopRepeat() { StopTimer(RepeatTimer); }

void TbsSkinButton::RepeatStep() {
    if (FRepeatWaiting) {
        FRepeatWaiting = false;
        RepeatTimer->SetInterval(static_cast<unsigned>(std::max(RepeatInterval, 1)));
        return;
    }
    ButtonClick();
}

// ---- glow ----------------------------------------------------------------------------------------------------

bool TbsSkinButton::GlowImages(TBitmap& g, TBitmap& m) {
    TBitmap* gp = ActivePicture(GlowLayerPictureIndex);
    TBitmap* mp = ActivePicture(GlowLayerMaskPictureIndex);
    if (!gp || !mp) return false;
    const int dW = Width() - SkinRect.Width(), dH = Height() - SkinRect.Height();
    if (ResizeMode == 0) {
        g.Assign(gp);
        m.Assign(mp);
    } else if (ResizeMode == 2 && UseSkinSize) {
        CreateHSkinImage(GlowLayerOffsetLeft, GlowLayerOffsetRight, &g, gp, TRect(0, 0, gp->Width(), gp->Height()),
                         gp->Width() + dW, gp->Height(), true);
        CreateHSkinImage(GlowLayerOffsetLeft, GlowLayerOffsetRight, &m, mp, TRect(0, 0, mp->Width(), mp->Height()),
                         mp->Width() + dW, mp->Height(), true);
    } else if (ResizeMode == 1) {
        auto grow = [&](TBitmap& dst, TBitmap* src) {
            dst.SetSize(src->Width() + dW, src->Height() + dH);
            const TRect cl(GlowLayerOffsetLeft, GlowLayerOffsetTop, src->Width() - GlowLayerOffsetRight,
                           src->Height() - GlowLayerOffsetBottom);
            CreateSkinImageFromClRect(&dst, src, TRect(0, 0, src->Width(), src->Height()), cl, true);
        };
        grow(g, gp);
        grow(m, mp);
    } else {
        return false;
    }
    return !g.Empty() && !m.Empty();
}

void TbsSkinButton::ShowLayer() {
    if (!FSD || FSD->Empty || !IsLayeredSupported() || !(FSD->ShowButtonGlowFrames || AlwaysShowLayeredFrame) ||
        GlowLayerPictureIndex == -1 || FIndex == -1 || !HandleAllocated())
        return;
    TBitmap g, m;
    if (!GlowImages(g, m)) return;
    TCustomForm* form = GetParentForm(this);
    FLayerManager->TopMostMode = form && form->FormStyle() == fsStayOnTop;
    const TPoint o = ClientOrigin();
    FLayerManager->Show(o.x - GlowLayerShowOffsetX, o.y - GlowLayerShowOffsetY, &g, &m, GlowLayerAlphaBlendValue);
}

void TbsSkinButton::HideLayer() {
    if (FLayerManager && FLayerManager->IsVisible) FLayerManager->Hide();
}

// ---- mouse ------------------------------------------------------------------------------------------------------

void TbsSkinButton::OnMouseEnterMsg() {
    FMouseIn = true;
    if ((FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && (FDown || !IsFocusedLook()))) {
        if (FDown) {
            if (MorphActive()) FMorphKf = 1;
            Repaint();
        } else {
            if (AnimationAllowed()) StartAnimation(true);
            ShowStateChange();
        }
    }
    if (FDown && RepeatMode && FGroupIndex == 0) StartRepeat();
    if (HandleAllocated()) PostMessageW(Handle(), WM_SHOWBUTTONLAYER, 0, 0);
}

void TbsSkinButton::OnMouseLeaveMsg() {
    // A default button that Enter would press keeps its hover look.
    if (!(FCanFocused && FDefault && FActive && !IsFocusedLook())) FMouseIn = false;
    if ((FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && (FDown || !IsFocusedLook()))) {
        if (AnimationAllowed()) StartAnimation(false);
        ShowStateChange();
    }
    if (FDown && RepeatMode && FGroupIndex == 0 && Running(RepeatTimer)) StopRepeat();
    if (HandleAllocated()) PostMessageW(Handle(), WM_HIDEBUTTONLAYER, 0, 0);
}

void TbsSkinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    if (AnimationAllowed()) StopAnimation();
    FMouseDown = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (RepeatMode && FGroupIndex == 0) StartRepeat();
        else if (FGroupIndex != 0) ButtonClick();
        FAllowAllUpCheck = false;
    } else if (FGroupIndex != 0) {
        FAllowAllUpCheck = true;
    }
}

void TbsSkinButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        FMouseDown = false;
        if (FGroupIndex == 0) {
            const bool wasDown = FDown;
            if (FMouseIn) {
                SetDown(false);
                StopRepeat();
                if (wasDown) ButtonClick();
            } else {
                FDown = false;
                StopRepeat();
            }
        } else if (FDown && AllowAllUp && FAllowAllUpCheck && FMouseIn) {
            SetDown(false);
            ButtonClick();
        }
    }
    if (HandleAllocated() && Visible()) TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

// ---- keyboard and focus ----------------------------------------------------------------------------------------

bool TbsSkinButton::KeyDownMsg(WORD key) {
    if (!FCanFocused) return false;
    if (key == VK_SPACE && FSpaceSupport) {
        if (FIndex != -1 && !IsNullRect(AnimateSkinRect)) StopAnimation();
        SetDown(true);
        if (RepeatMode) ButtonClick();
        return true;
    }
    if (key == VK_RETURN && FSpaceSupport) {
        ButtonClick();
        return true;
    }
    return false;
}

bool TbsSkinButton::KeyUpMsg(WORD key) {
    if (!FCanFocused || key != VK_SPACE) return false;
    SetDown(false);
    ButtonClick();
    return true;
}

bool TbsSkinButton::DialogKey(WORD key) {
    if (!FCanFocused) return false;
    const bool noShift = (KeyboardShiftState() & (ssShift | ssCtrl | ssAlt)) == 0;
    if ((key == VK_RETURN && FActive && Enabled()) || (key == VK_ESCAPE && Cancel && noShift && CanFocus())) {
        ButtonClick();
        return true;
    }
    return false;
}

bool TbsSkinButton::DialogChar(wchar_t ch) {
    if (!IsAccelChar(ch, Caption()) || !CanFocus() || !FCanFocused) return false;
    SetFocus();
    ButtonClick();
    return true;
}

void TbsSkinButton::FocusChangedMsg(TWinControl* focused) {
    auto* fb = dynamic_cast<TbsSkinButton*>(focused);
    FActive = fb ? fb == this : FDefault;
    if (FCanFocused && FDefault) {
        if (fb && fb != this && FMouseIn) {
            FMouseIn = false;
            Repaint();
        } else if (!fb && !FMouseIn) {
            FMouseIn = true;
            if (MorphActive()) FMorphKf = 1;
            Repaint();
        }
    }
}

void TbsSkinButton::CreateWnd() {
    TbsSkinCustomControl::CreateWnd();
    FActive = FDefault;
}

void TbsSkinButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Has(csDesigning) && FCanFocused && !Focused() && CanFocus()) {
            FClicksDisabled = true;
            SetFocus();
            FClicksDisabled = false;
            if (!Focused()) return;
        }
        break;
    case WM_MOUSEMOVE:
        TbsSkinCustomControl::WndProc(m);
        // While the button is held, leaving and re-entering its rectangle
        // counts as leaving and entering, whoever holds the capture.
        if (FMouseDown) {
            const bool inside = ClientRect().Contains(TPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
            if (inside != FMouseIn) SetMouseIn(inside);
        }
        return;
    case CN_COMMAND:
        if (FClicksDisabled) return;
        break;
    case CM_MOUSEENTER:
        if (Has(csDesigning)) return;
        TbsSkinCustomControl::WndProc(m);
        if (!FMouseIn && !FMouseDown) OnMouseEnterMsg();
        return;
    case CM_MOUSELEAVE:
        if (Has(csDesigning)) return;
        TbsSkinCustomControl::WndProc(m);
        if (FMouseIn && !FMouseDown) OnMouseLeaveMsg();
        return;
    case WM_KEYDOWN:
        TbsSkinCustomControl::WndProc(m);
        KeyDownMsg(static_cast<WORD>(m.WParam));
        return;
    case WM_KEYUP:
        TbsSkinCustomControl::WndProc(m);
        KeyUpMsg(static_cast<WORD>(m.WParam));
        return;
    case CM_DIALOGKEY:
        if (DialogKey(static_cast<WORD>(m.WParam))) m.Result = 1;
        else TbsSkinCustomControl::WndProc(m);
        return;
    case CM_DIALOGCHAR:
        if (DialogChar(static_cast<wchar_t>(m.WParam))) m.Result = 1;
        else TbsSkinCustomControl::WndProc(m);
        return;
    case CM_FOCUSCHANGED:
        FocusChangedMsg(reinterpret_cast<TWinControl*>(m.LParam));
        TbsSkinCustomControl::WndProc(m);
        return;
    case WM_SETFOCUS:
        TbsSkinCustomControl::WndProc(m);
        if (FCanFocused) {
            if (AnimationAllowed()) StartAnimation(true);
            ShowStateChange();
        }
        return;
    case WM_KILLFOCUS:
        StopRepeat();
        if (FDown && FGroupIndex == 0) FDown = false;
        TbsSkinCustomControl::WndProc(m);
        if (FCanFocused) {
            if (AnimationAllowed()) StartAnimation(false);
            if (MorphActive() && FIndex != -1) StartMorph();
            else Invalidate();
        }
        return;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(m);
        if (MorphActive()) StopMorph(), FMorphKf = 0;
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TbsSkinCustomControl::WndProc(m);
        Repaint();
        return;
    case WM_ERASEBKGND:
        if (!FromWMPaint) PaintWindow(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case WM_SHOWBUTTONLAYER:
        ShowLayer();
        return;
    case WM_HIDEBUTTONLAYER:
        HideLayer();
        return;
    default:
        break;
    }
    TbsSkinCustomControl::WndProc(m);
}
