// The speed button's state: groups, mouse, auto-repeat, cross-fade and
// frame animation, and its skin lookup. Painting is in
// bsSkinCtrlsSpeedButtonPaint.cpp, the menu button in
// bsSkinCtrlsSpeedButtonMenu.cpp.
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

#include <algorithm>
#include <cmath>

#include "platform/ImgList.h"

namespace {
constexpr unsigned kRepeatDelay = 500;
constexpr unsigned kMorphInterval = 20;

// Timers are made on first use and then only switched on and off: a timer
// must never be freed from inside its own tick.
void StartTimer(std::unique_ptr<TTimer>& t, unsigned ms, std::function<void()> tick) {
    if (!t) t = std::make_unique<TTimer>(nullptr);
    t->SetEnabled(false);
    t->SetInterval(ms);
    t->OnTimer = [tick = std::move(tick)](TObject*) { tick(); };
    t->SetEnabled(true);
}

void StopTimer(const std::unique_ptr<TTimer>& t) {
    if (t) t->SetEnabled(false);
}

bool Running(const std::unique_ptr<TTimer>& t) { return t && t->Enabled(); }
}  // namespace

// ---- speed button: state -----------------------------------------------------------------------

TbsSkinSpeedButton::TbsSkinSpeedButton(TComponent* owner) : TbsGraphicSkinCustomControl(owner) {
    SkinDataName = L"toolbutton";
    ControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
    SetBounds(0, 0, 25, 25);
}

TbsSkinSpeedButton::~TbsSkinSpeedButton() {
    if (FImageList) RemoveFreeNotification(FImageList);
    StopRepeat();
    StopTimer(AnimateTimer);
    StopTimer(MorphTimer);
}

void TbsSkinSpeedButton::SetDown(bool v) {
    FDown = v;
    if (MorphActive()) {
        FMorphKf = 1;
        if (v) StopMorph();
        else StartMorph();
    }
    Repaint();
    if (GroupIndex == 0 || !v || AllowAllUp || !Parent()) return;
    // A group keeps one button down.
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TbsSkinSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->GroupIndex == GroupIndex && other->FDown) other->SetDown(false);
    }
}

void TbsSkinSpeedButton::SetFlat(bool v) {
    FFlat = v;
    SetTransparent(v);
}

void TbsSkinSpeedButton::SetTransparent(bool v) {
    if (v) ControlStyle &= ~static_cast<unsigned>(csOpaque);
    else ControlStyle |= csOpaque;
    Repaint();
}

void TbsSkinSpeedButton::SetShowCaption(bool v) {
    if (v == FShowCaption) return;
    FShowCaption = v;
    if (WidthWithCaption > 0 && WidthWithoutCaption > 0) SetWidth(v ? WidthWithCaption : WidthWithoutCaption);
    else Repaint();
}

void TbsSkinSpeedButton::SetGlyph(TBitmap* v) {
    if (v) FGlyph.Assign(v);
    else FGlyph.SetSize(0, 0);
    Repaint();
}

void TbsSkinSpeedButton::SetNumGlyphs(int v) {
    FNumGlyphs = std::clamp(v, 1, 4);
    Repaint();
}

void TbsSkinSpeedButton::SetImageList(TCustomImageList* v) {
    if (v == FImageList) return;
    if (FImageList) RemoveFreeNotification(FImageList);
    FImageList = v;
    if (v) FreeNotification(v);
    Repaint();
}

void TbsSkinSpeedButton::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    FImageIndex = v;
    Repaint();
}

void TbsSkinSpeedButton::SetMargin(int v) {
    if (v == FMargin || v < -1) return;
    FMargin = v;
    Repaint();
}

void TbsSkinSpeedButton::SetSpacing(int v) {
    if (v == FSpacing) return;
    FSpacing = v;
    Repaint();
}

void TbsSkinSpeedButton::SetLayout(TbsButtonLayout v) {
    if (v == FLayout) return;
    FLayout = v;
    Repaint();
}

void TbsSkinSpeedButton::Notification(TComponent* component, TOperation op) {
    TbsGraphicSkinCustomControl::Notification(component, op);
    if (op != opRemove) return;
    if (component == FImageList) {
        FImageList = nullptr;
        // The parent repaints the area later; no paint from a list's destructor.
        Invalidate();
    }
}

void TbsSkinSpeedButton::RefreshButton() {
    FMouseIn = FDown = false;
    if (MorphActive()) FMorphKf = 0;
    if (SkinEffectsOn()) StopAnimation();
    Repaint();
}

void TbsSkinSpeedButton::ButtonClick() { ExecuteActionOrClick(FActionLink.get(), OnClick, this); }

void TbsSkinSpeedButton::SetAction(TBasicAction* v) {
    TActionLink::Assign(FActionLink, v, [this](TBasicAction* a, bool checkDefaults) { ActionChange(a, checkDefaults); });
}

void TbsSkinSpeedButton::ActionChange(TBasicAction* action, bool checkDefaults) {
    ActionChangeControl(this, action, checkDefaults);
    ActionGlyph(action, FGlyph);
    Repaint();
}

bool TbsSkinSpeedButton::SkinEffectsOn() const { return FSD && !FSD->Empty && FSD->EnableSkinEffects; }

bool TbsSkinSpeedButton::MorphActive() const { return Morphing && !Transparent() && SkinEffectsOn(); }

bool TbsSkinSpeedButton::Animating() const { return Running(AnimateTimer); }

void TbsSkinSpeedButton::GetSkinData() {
    TbsGraphicSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        AnimateSkinRect = NullRect();
        return;
    }
    auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get());
    if (!rec || !Picture) {
        // Another kind of record, or one without its picture: the plain look.
        FIndex = -1;
        Picture = nullptr;
        AnimateSkinRect = NullRect();
        return;
    }
    FontName = rec->FontName;
    FontHeight = rec->FontHeight;
    FontStyle = rec->FontStyle;
    FontColor = rec->FontColor;
    ActiveFontColor = rec->ActiveFontColor;
    DownFontColor = rec->DownFontColor;
    DisabledFontColor = rec->DisabledFontColor == rec->FontColor ? static_cast<TColor>(0x808080) : rec->DisabledFontColor;
    ActiveSkinRect = IsNullRect(rec->ActiveSkinRect) ? rec->SkinRect : rec->ActiveSkinRect;
    DownSkinRect = IsNullRect(rec->DownSkinRect) ? ActiveSkinRect : rec->DownSkinRect;
    DisabledSkinRect = rec->DisabledSkinRect;
    // A transparent button shows the parent behind it: nothing to fade from.
    Morphing = rec->Morphing && !Transparent();
    MorphKind = rec->MorphKind;
    AnimateSkinRect = rec->AnimateSkinRect;
    FrameCount = rec->FrameCount;
    AnimateInterval = rec->AnimateInterval;
    MenuMarkerRect = rec->MenuMarkerRect;
    MenuMarkerActiveRect = IsNullRect(rec->MenuMarkerActiveRect) ? MenuMarkerRect : rec->MenuMarkerActiveRect;
    MenuMarkerDownRect = IsNullRect(rec->MenuMarkerDownRect) ? MenuMarkerActiveRect : rec->MenuMarkerDownRect;
    MenuMarkerFlatRect = IsNullRect(rec->MenuMarkerFlatRect) ? MenuMarkerRect : rec->MenuMarkerFlatRect;
    MenuMarkerTransparentColor = rec->MenuMarkerTransparentColor;
    if (!SkinEffectsOn() || !Animating()) return;
    // The running animation shows its current cell instead of the hot face
    // (forwards) or the normal face (backwards).
    TRect f;
    if (!AnimationFrameRect(AnimateSkinRect, SkinRect, FrameCount, CurrentFrame, f)) return;
    if (AnimateInc) ActiveSkinRect = f;
    else SkinRect = f;
}

void TbsSkinSpeedButton::ChangeSkinData() {
    StopAnimation();
    StopMorph();
    // A fade cut short would leave the face half-blended with no timer to
    // finish it: the new skin starts from the normal face.
    FMorphKf = 0;
    TbsGraphicSkinCustomControl::ChangeSkinData();
    if (MorphActive() && FIndex != -1 && FMouseIn && !Transparent()) FMorphKf = 1;
}

void TbsSkinSpeedButton::CalcSize(int& w, int& h) {
    if (UseSkinSize || ResizeMode == 1) {
        TbsGraphicSkinCustomControl::CalcSize(w, h);
        return;
    }
    NewClRect = ClRect;
    NewClRect.right += w - SkinRect.Width();
    NewClRect.bottom += h - SkinRect.Height();
}

// ---- speed button: mouse -----------------------------------------------------------------------

void TbsSkinSpeedButton::WndProc(TMessage& m) {
    TbsGraphicSkinCustomControl::WndProc(m);
    switch (m.Msg) {
    case CM_MOUSEENTER:
        if (!Has(csDesigning) && Enabled()) MouseEnter();
        break;
    case CM_MOUSELEAVE:
        if (!Has(csDesigning) && Enabled()) MouseLeave();
        break;
    case CM_ENABLEDCHANGED:
        if (MorphActive()) StopMorph(), FMorphKf = 0;
        FMouseIn = false;
        Repaint();
        break;
    case CM_TEXTCHANGED:
        Repaint();
        break;
    case CM_DIALOGCHAR:
        if (DialogChar(static_cast<wchar_t>(m.WParam))) m.Result = 1;
        break;
    default:
        break;
    }
}

bool TbsSkinSpeedButton::DialogChar(wchar_t ch) {
    // Windowless: the accelerator clicks without taking the focus.
    if (!IsAccelChar(ch, Caption()) || !Enabled() || !Visible() || !Parent() || !Parent()->Showing()) return false;
    ButtonClick();
    return true;
}

void TbsSkinSpeedButton::MouseEnter() {
    FMouseIn = true;
    if (FDown && GroupIndex != 0) return;  // a down group button keeps its look
    if (FDown) {
        // A plain button pressed, dragged out and brought back.
        if (MorphActive()) FMorphKf = 1;
        Repaint();
        if (RepeatMode && FMouseDown) StartRepeat();
        return;
    }
    if (AnimationAllowed()) StartAnimation(true);
    ShowStateChange();
}

void TbsSkinSpeedButton::MouseLeave() {
    FMouseIn = false;
    if (FDown && GroupIndex != 0) return;
    if (AnimationAllowed()) StartAnimation(false);
    ShowStateChange();
    if (FDown && RepeatMode) StopRepeat();
}

void TbsSkinSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsGraphicSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (FIndex != -1 && SkinEffectsOn() && !IsNullRect(AnimateSkinRect)) StopAnimation();
    FMouseDown = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (RepeatMode && GroupIndex == 0) StartRepeat();
        else if (GroupIndex != 0) ButtonClick();
        FAllowAllUpCheck = false;
    } else if (GroupIndex != 0) {
        FAllowAllUpCheck = true;
    }
}

void TbsSkinSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TbsGraphicSkinCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !FMouseDown) return;
    FMouseDown = false;
    const POINT p{x, y};
    const TRect client(0, 0, Width(), Height());
    FMouseIn = PtInRect(&client, p) != 0;
    if (GroupIndex == 0) {
        const bool wasDown = FDown;
        StopRepeat();
        if (FMouseIn) {
            SetDown(false);
            if (wasDown) ButtonClick();
        } else {
            FDown = false;
            Repaint();
        }
    } else if (FDown && AllowAllUp && FAllowAllUpCheck && FMouseIn) {
        SetDown(false);
        ButtonClick();
    }
}

// ---- speed button: timers ----------------------------------------------------------------------

void TbsSkinSpeedButton::StartRepeat() {
    StartTimer(RepeatTimer, kRepeatDelay, [this] {
        // The first tick only ends the delay.
        if (RepeatTimer->Interval() == kRepeatDelay && RepeatInterval != static_cast<int>(kRepeatDelay)) {
            RepeatTimer->SetInterval(static_cast<unsigned>(std::max(RepeatInterval, 1)));
            return;
        }
        ButtonClick();
    });
}

void TbsSkinSpeedButton::StopRepeat() { StopTimer(RepeatTimer); }

void TbsSkinSpeedButton::ShowStateChange() {
    if (MorphActive() && FIndex != -1 && !Transparent()) StartMorph();
    else Repaint();
}

void TbsSkinSpeedButton::StartMorph() {
    if (!Running(MorphTimer)) StartTimer(MorphTimer, kMorphInterval, [this] { MorphStep(); });
}

void TbsSkinSpeedButton::StopMorph() { StopTimer(MorphTimer); }

void TbsSkinSpeedButton::MorphStep() {
    GetSkinData();
    const double target = FMouseIn ? 1 : 0;
    if (FIndex == -1 || !MorphActive()) FMorphKf = target;
    else if (FMorphKf < target) FMorphKf = std::min(target, FMorphKf + 0.2);
    else if (FMorphKf > target) FMorphKf = std::max(target, FMorphKf - 0.2);
    // Five steps of 0.2 land on the end up to rounding.
    if (std::abs(FMorphKf - target) < 1e-9) FMorphKf = target;
    if (FMorphKf == target) StopMorph();
    Repaint();
}

bool TbsSkinSpeedButton::AnimationAllowed() const {
    return FIndex != -1 && SkinEffectsOn() && !IsNullRect(AnimateSkinRect) && FrameCount > 0 && !FFlat;
}

void TbsSkinSpeedButton::StartAnimation(bool forwards) {
    StopAnimation();
    AnimateInc = forwards;
    CurrentFrame = forwards ? 1 : FrameCount;
    StartTimer(AnimateTimer, static_cast<unsigned>(std::max(AnimateInterval, 1)), [this] { AnimationStep(); });
}

void TbsSkinSpeedButton::StopAnimation() {
    CurrentFrame = 0;
    StopTimer(AnimateTimer);
}

void TbsSkinSpeedButton::AnimationStep() {
    if (AnimateInc) {
        ++CurrentFrame;
        if (CurrentFrame > FrameCount) StopAnimation();
    } else {
        --CurrentFrame;
        if (CurrentFrame <= 0) StopAnimation();
    }
    Repaint();
}
