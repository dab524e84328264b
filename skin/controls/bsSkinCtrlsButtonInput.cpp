// The skinned button's changing states: cross-fade, frame animation,
// auto-repeat, the glow popup, and its mouse, keyboard and focus handling.
#include "skin/controls/bsSkinCtrlsButton.h"

#include <windowsx.h>

#include "platform/Forms.h"
#include "platform/Timer.h"

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

TbsSkinButton::~TbsSkinButton() {
    StopTimer(MorphTimer);
    StopTimer(RepeatTimer);
    StopTimer(AnimateTimer);
    FLayerManager.reset();
}

bool TbsSkinButton::Animating() const { return Running(AnimateTimer); }

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
