// The frame objects: base, user object, button, caption button and
// animated object.
#include "skin/frame/bsSkinFrameObjects.h"

#include <algorithm>

#include "platform/Menus.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsLayer.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMainMenuBar.h"
#include "skin/frame/bsSkinMenus.h"

namespace {

// Opens an object's menu below (above) R: a skinned popup menu opens
// itself; any other menu opens as the frame's skin menu chain, in the
// store of a skinned main menu, else in the frame's menu store.
void OpenObjectMenu(TbsSkinFrame* frame, TMenuItem* item, const TRect& R, bool up) {
    TMenu* owner = item->GetParentMenu();
    if (auto* popup = dynamic_cast<TbsSkinPopupMenu*>(owner)) {
        popup->PopupFromRect(R, up);
        return;
    }
    TbsSkinData* store = frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData();
    if (auto* main = dynamic_cast<TbsSkinMainMenu*>(owner)) store = main->SkinData();
    frame->SkinMenuOpen();
    frame->SkinMenu->Popup(nullptr, store, 0, R, item, up);
    if (!frame->SkinMenu->Visible()) frame->SkinMenuClose();
}

TBitmap* PictureAt(TbsSkinData* sd, int index) {
    if (!sd || index < 0 || index >= static_cast<int>(sd->FActivePictures.size())) return nullptr;
    return sd->FActivePictures[static_cast<size_t>(index)].get();
}

}  // namespace

// ---- base ---------------------------------------------------------------------------------------

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData) : Parent(AParent) {
    SD = AParent->SkinData();
    if (!AData) return;
    IDName = AData->IDName;
    Hint = AData->Hint;
    SkinRectInAPicture = AData->SkinRectInAPicture;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    InActiveSkinRect = AData->InActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    GlowLayerPictureIndex = AData->GlowLayerPictureIndex;
    GlowLayerMaskPictureIndex = AData->GlowLayerMaskPictureIndex;
    GlowLayerOffsetX = AData->GlowLayerOffsetX;
    GlowLayerOffsetY = AData->GlowLayerOffsetY;
    GlowLayerAlphaBlendValue = AData->GlowLayerAlphaBlendValue;
    ActivePicture = PictureAt(SD, AData->ActivePictureIndex);
    ActiveMaskPicture = PictureAt(SD, AData->ActiveMaskPictureIndex);
    if (!ActivePicture) ActiveSkinRect = TRect(0, 0, 0, 0);
    if (IsNullRect(ActiveSkinRect)) Morphing = false;
    ObjectRect = SkinRect;
    if (SD) Picture = SD->FPicture.get();
}

bool TbsActiveSkinObject::HasSkin() const { return SD && !SD->Empty; }
bool TbsActiveSkinObject::FormActive() const { return Parent->GetFormActive(); }

void TbsActiveSkinObject::SetMorphKf(double v) { FMorphKf = std::clamp(v, 0.0, 1.0); }

bool TbsActiveSkinObject::EnableMorphing() const { return Morphing && HasSkin() && SD->EnableSkinEffects; }

bool TbsActiveSkinObject::CanMorphing() { return (Active && FMorphKf < 1) || (!Active && FMorphKf > 0); }

void TbsActiveSkinObject::DoMorphing() {
    SetMorphKf(Active ? FMorphKf + 0.2 : FMorphKf - 0.2);
    Parent->DrawSkinObject(this);
}

void TbsActiveSkinObject::RedrawOrMorph() {
    if (EnableMorphing()) Parent->MorphTimer->SetEnabled(true);
    else Parent->DrawSkinObject(this);
}

bool TbsActiveSkinObject::PointInMask(int X, int Y) {
    if (!HasSkin() || !ActiveMaskPicture) return true;
    // Only pixels inside the mask are read; a point outside counts as white.
    if (X < 0 || Y < 0 || X >= ActiveMaskPicture->Width() || Y >= ActiveMaskPicture->Height()) return false;
    return ColorToRGB(ActiveMaskPicture->Canvas()->Pixel(X, Y)) == 0;
}

TbsLayerManager* TbsActiveSkinObject::GlowManager() const { return Parent->FLayerManager; }

TRect TbsActiveSkinObject::ScreenRect() const {
    TRect r = ObjectRect;
    TCustomForm* f = Parent->FForm;
    if (f->FormStyle() == fsMDIChild) {
        const TPoint o = f->ClientToScreen(Parent->FSkinSupport ? TPoint(-Parent->NewClRect.left, -Parent->NewClRect.top)
                                                                : TPoint(-3, -Parent->GetDefCaptionHeight() - 3));
        r.Offset(o.x, o.y);
    } else {
        RECT wr{};
        GetWindowRect(f->Handle(), &wr);
        r.Offset(wr.left, wr.top);
    }
    return r;
}

void TbsActiveSkinObject::ShowLayer() {
    if (!HasSkin() || GlowLayerPictureIndex == -1 || !IsLayeredSupported() || !SD->ShowCaptionButtonGlowFrames) return;
    TBitmap* glow = PictureAt(SD, GlowLayerPictureIndex);
    TBitmap* mask = PictureAt(SD, GlowLayerMaskPictureIndex);
    if (!glow || !mask) return;
    const TRect r = ScreenRect();
    GlowManager()->Show(r.left - GlowLayerOffsetX, r.top - GlowLayerOffsetY, glow, mask, GlowLayerAlphaBlendValue);
}

void TbsActiveSkinObject::HideLayer() {
    if (!HasSkin() || GlowLayerPictureIndex == -1 || !IsLayeredSupported() || !SD->ShowCaptionButtonGlowFrames) return;
    GlowManager()->Hide();
}

void TbsActiveSkinObject::CopyImage(TCanvas* Cnvs, TBitmap* pic, const TRect& src) const {
    if (!pic || IsNullRect(src)) return;
    HDC dc = Cnvs->Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, ObjectRect.left, ObjectRect.top, ObjectRect.Width(), ObjectRect.Height(), pic->Canvas()->Handle(),
               src.left, src.top, src.Width(), src.Height(), SRCCOPY);
}

bool TbsActiveSkinObject::Blending() const { return (Active && FMorphKf != 1) || (!Active && FMorphKf != 0); }

void TbsActiveSkinObject::DrawBlend(TCanvas* Cnvs, TBitmap* fromPic, const TRect& from, TBitmap* toPic,
                                    const TRect& to) const {
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0 || !fromPic || !toPic) return;
    TBitmap a(w, h), b(w, h);
    SetStretchBltMode(a.Canvas()->Handle(), COLORONCOLOR);
    SetStretchBltMode(b.Canvas()->Handle(), COLORONCOLOR);
    StretchBlt(a.Canvas()->Handle(), 0, 0, w, h, fromPic->Canvas()->Handle(), from.left, from.top, from.Width(),
               from.Height(), SRCCOPY);
    StretchBlt(b.Canvas()->Handle(), 0, 0, w, h, toPic->Canvas()->Handle(), to.left, to.top, to.Width(), to.Height(),
               SRCCOPY);
    TBitmap out(w, h);
    bsDrawMorphed(out.Canvas()->Handle(), &a, &b, FMorphKf, MorphKind);
    BitBlt(Cnvs->Handle(), ObjectRect.left, ObjectRect.top, w, h, out.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TbsActiveSkinObject::Draw(TCanvas* Cnvs, bool UpDate) {
    if (!HasSkin()) return;
    TBitmap* normalPic = SkinRectInAPicture ? ActivePicture : Picture;
    if (Enabled && !FormActive() && !IsNullRect(InActiveSkinRect)) CopyImage(Cnvs, ActivePicture, InActiveSkinRect);
    else if (EnableMorphing() && Blending()) DrawBlend(Cnvs, normalPic, SkinRect, ActivePicture, ActiveSkinRect);
    else if (Active && !IsNullRect(ActiveSkinRect)) CopyImage(Cnvs, ActivePicture, ActiveSkinRect);
    else if (UpDate || SkinRectInAPicture) CopyImage(Cnvs, normalPic, SkinRect);
}

void TbsActiveSkinObject::MouseEnter() {
    FMouseIn = true;
    Active = true;
    if (!IsNullRect(ActiveSkinRect)) RedrawOrMorph();
    Parent->ObjectMouseEnterEvent(IDName);
    ShowLayer();
}

void TbsActiveSkinObject::MouseLeave() {
    FMouseIn = false;
    Active = false;
    if (!IsNullRect(ActiveSkinRect)) RedrawOrMorph();
    Parent->ObjectMouseLeaveEvent(IDName);
    HideLayer();
}

void TbsActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button) {
    Parent->ObjectMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button) {
    if (FMouseIn) Parent->ObjectMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseMove(int X, int Y) { Parent->ObjectMouseMoveEvent(IDName, X, Y, ObjectRect); }

void TbsUserObject::Draw(TCanvas* Cnvs, bool) { Parent->ObjectPaintEvent(IDName, Cnvs, ObjectRect); }

// ---- button --------------------------------------------------------------------------------------

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData)
    : TbsActiveSkinObject(AParent, AData) {
    if (auto* d = dynamic_cast<TbsDataSkinButton*>(AData)) {
        DownRect = d->DownRect;
        DisableSkinRect = d->DisableSkinRect;
    }
}

TbsLayerManager* TbsSkinButtonObject::GlowManager() const {
    return MenuItem ? Parent->FMenuLayerManager : Parent->FLayerManager;
}

void TbsSkinButtonObject::SetDown(bool v) {
    FDown = v;
    if (EnableMorphing() && Active) SetMorphKf(1);
    Parent->DrawSkinObject(this);
    if (EnableMorphing() && !FDown) RedrawOrMorph();
}

void TbsSkinButtonObject::ShowLayer() { TbsActiveSkinObject::ShowLayer(); }
void TbsSkinButtonObject::HideLayer() { TbsActiveSkinObject::HideLayer(); }

bool TbsSkinButtonObject::CanMorphing() { return TbsActiveSkinObject::CanMorphing() && !(MenuItem && FDown); }

void TbsSkinButtonObject::Draw(TCanvas* Cnvs, bool UpDate) {
    if (!HasSkin()) return;
    if (!Enabled && !IsNullRect(DisableSkinRect)) CopyImage(Cnvs, ActivePicture, DisableSkinRect);
    else if (FDown && FMouseIn && !IsNullRect(DownRect)) CopyImage(Cnvs, ActivePicture, DownRect);
    else TbsActiveSkinObject::Draw(Cnvs, UpDate);
}

void TbsSkinButtonObject::MouseEnter() {
    FMouseIn = true;
    Active = true;
    if (IsNullRect(DownRect) || !FDown) {
        if (!IsNullRect(ActiveSkinRect)) RedrawOrMorph();
        if (MenuItem) ShowLayer();
    } else {
        if (EnableMorphing()) SetMorphKf(1);
        Parent->DrawSkinObject(this);
    }
    Parent->ObjectMouseEnterEvent(IDName);
    if (!MenuItem) ShowLayer();
}

void TbsSkinButtonObject::MouseLeave() {
    FMouseIn = false;
    Active = false;
    if (!MenuItem || !FDown) {
        if (MenuItem) HideLayer();
        Parent->DrawSkinObject(this);
        RedrawOrMorph();
    }
    Parent->ObjectMouseLeaveEvent(IDName);
    if (!MenuItem) HideLayer();
}

void TbsSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button) {
    if (!Enabled) return;
    if (Button == mbLeft && !FDown) {
        SetDown(true);
        PopupObjectMenu();
    }
    TbsActiveSkinObject::MouseDown(X, Y, Button);
}

void TbsSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
    if (!Enabled) return;
    if (Button == mbLeft && !MenuItem && FDown) SetDown(false);
    TbsActiveSkinObject::MouseUp(X, Y, Button);
}

void TbsSkinButtonObject::PopupObjectMenu() {
    if (!MenuItem || MenuItem->Count() == 0) return;
    if (Parent->FLayerManager->IsVisible) Parent->FLayerManager->Hide();
    if (Parent->FMenuLayerManager->IsVisible) Parent->FMenuLayerManager->Hide();
    if (FMouseIn) ShowLayer();
    // Closing the menu releases the button (the frame's SkinMenuClose).
    OpenObjectMenu(Parent, MenuItem, ScreenRect(), FPopupUp);
}

// ---- caption button -------------------------------------------------------------------------------

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData)
    : TbsSkinButtonObject(AParent, AData) {
    FSkinSupport = AData != nullptr;
    if (auto* d = dynamic_cast<TbsDataSkinStdButton*>(AData)) {
        Command = d->Command;
        RestoreRect = d->RestoreRect;
        RestoreActiveRect = d->RestoreActiveRect;
        RestoreDownRect = d->RestoreDownRect;
        RestoreInActiveRect = d->RestoreInActiveRect;
        RestoreHint = d->RestoreHint;
        FTempHint = d->Hint;
    }
}

bool TbsSkinStdButtonObject::InRestoreState() const {
    return (Command == cmMaximize && Parent->WindowState() == wsMaximized) ||
           (Command == cmMinimize && Parent->WindowState() == wsMinimized) ||
           (Command == cmRollUp && Parent->RollUpState());
}

bool TbsSkinStdButtonObject::InIconState() const {
    return Command == cmSysMenu && Parent->ShowIcon() && FSkinSupport && SkinRectInAPicture;
}

bool TbsSkinStdButtonObject::PointInMask(int X, int Y) {
    return InIconState() || TbsSkinButtonObject::PointInMask(X, Y);
}

void TbsSkinStdButtonObject::ShowLayer() {
    if (!InIconState()) TbsSkinButtonObject::ShowLayer();
}
void TbsSkinStdButtonObject::HideLayer() {
    if (!InIconState()) TbsSkinButtonObject::HideLayer();
}

bool TbsSkinStdButtonObject::CanMorphing() { return !InIconState() && TbsSkinButtonObject::CanMorphing(); }

void TbsSkinStdButtonObject::Draw(TCanvas* Cnvs, bool UpDate) {
    if (!FSkinSupport) return DefaultDraw(Cnvs);
    if (!HasSkin()) return;
    if (InIconState()) {
        Parent->DrawFormIcon(Cnvs, ObjectRect.left, ObjectRect.top);
        FMorphKf = 0;
        return;
    }
    if (Enabled && !IsNullRect(RestoreRect) && InRestoreState()) {
        if (!Parent->FFormActive && !IsNullRect(RestoreInActiveRect)) CopyImage(Cnvs, ActivePicture, RestoreInActiveRect);
        else if (FDown && FMouseIn && !IsNullRect(RestoreDownRect)) CopyImage(Cnvs, ActivePicture, RestoreDownRect);
        else if (EnableMorphing() && Blending())
            DrawBlend(Cnvs, ActivePicture, RestoreRect, ActivePicture, RestoreActiveRect);
        else if (Active && !IsNullRect(RestoreActiveRect)) CopyImage(Cnvs, ActivePicture, RestoreActiveRect);
        else CopyImage(Cnvs, ActivePicture, RestoreRect);
        return;
    }
    TbsSkinButtonObject::Draw(Cnvs, UpDate);
}

void TbsSkinStdButtonObject::DefaultDraw(TCanvas* Cnvs) {
    if (Command == cmSysMenu && Parent->ShowIcon()) {
        Parent->DrawFormIcon(Cnvs, ObjectRect.left, ObjectRect.top);
        return;
    }
    const int W = ObjectRect.Width(), H = ObjectRect.Height();
    if (W <= 0 || H <= 0) return;
    TBitmap b(W, H);
    TCanvas* c = b.Canvas();
    const bool pressed = FDown && FMouseIn;
    c->Brush()->SetStyle(bsSolid);
    if (pressed || FMouseIn) {
        c->Brush()->SetColor(clNavy);
        c->FillRect(TRect(0, 0, W, H));
        c->Brush()->SetColor(pressed ? TColor(0xB59285) : bsPlainHotFill);
        c->FillRect(TRect(1, 1, W - 1, H - 1));
    } else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, W, H));
    }
    const int x = pressed ? W / 2 - 4 : W / 2 - 5, y = pressed ? H / 2 - 3 : H / 2 - 4;
    const TColor ink = Enabled ? clBtnText : clBtnShadow;
    switch (Command) {
    case cmClose: DrawCloseImage(c, x, y, ink); break;
    case cmMaximize:
        if (Parent->WindowState() == wsMaximized) DrawRestoreImage(c, x, y, ink);
        else DrawMaximizeImage(c, x, y, ink);
        break;
    case cmMinimize:
        if (Parent->WindowState() == wsMinimized) DrawRestoreImage(c, x, y, ink);
        else DrawMinimizeImage(c, x, y, ink);
        break;
    case cmSysMenu: DrawSysMenuImage(c, x, y, ink); break;
    case cmRollUp:
        if (Parent->RollUpState()) DrawRollDownImage(c, x, y, ink);
        else DrawRollUpImage(c, x, y, ink);
        break;
    case cmMinimizeToTray: DrawMinimizeToTrayImage(c, x, y, ink); break;
    case cmDefault: break;
    }
    BitBlt(Cnvs->Handle(), ObjectRect.left, ObjectRect.top, W, H, c->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinStdButtonObject::MouseEnter() {
    if (Command != cmDefault) Hint = (!RestoreHint.empty() && InRestoreState()) ? RestoreHint : FTempHint;
    TbsSkinButtonObject::MouseEnter();
}

void TbsSkinStdButtonObject::MouseDown(int, int, TMouseButton Button) {
    if (!Enabled || Button != mbLeft || FDown) return;
    SetDown(true);
    if (Command == cmSysMenu) {
        MenuItem = Parent->GetSysMenuItems();
        PopupObjectMenu();
    }
}

void TbsSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
    const bool run = Active && Button == mbLeft;
    if (Command == cmClose) {
        TbsSkinButtonObject::MouseUp(X, Y, Button);
        if (run) RunCommand();  // the form may be gone afterwards
        return;
    }
    if (run) RunCommand();
    TbsSkinButtonObject::MouseUp(X, Y, Button);
}

void TbsSkinStdButtonObject::DblClick() {
    if (Command == cmSysMenu) Parent->FForm->Close();
}

namespace {

void RunStdCommand(TbsSkinFrame* f, TbsStdCommand c) {
    switch (c) {
    case cmClose:
        f->TestActive(-1, -1, false);
        f->FForm->Close();
        break;
    case cmMaximize:
        f->TestActive(-1, -1, false);
        f->SetWindowState(f->WindowState() == wsMaximized ? wsNormal : wsMaximized);
        break;
    case cmMinimize:
        f->TestActive(-1, -1, false);
        if (f->AlwaysMinimizeToTray) f->MinimizeToTray();
        else f->SetWindowState(f->WindowState() == wsMinimized ? wsNormal : wsMinimized);
        break;
    case cmRollUp: f->SetRollUpState(!f->RollUpState()); break;
    case cmMinimizeToTray:
        f->TestActive(-1, -1, false);
        f->MinimizeToTray();
        break;
    case cmSysMenu:
    case cmDefault: break;
    }
}

}  // namespace

void TbsSkinStdButtonObject::RunCommand() { RunStdCommand(Parent, Command); }

// ---- animated object -------------------------------------------------------------------------------

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData)
    : TbsActiveSkinObject(AParent, AData) {
    if (auto* d = dynamic_cast<TbsDataSkinAnimate*>(AData)) {
        CountFrames = d->CountFrames;
        Cycle = d->Cycle;
        ButtonStyle = d->ButtonStyle;
        TimerInterval = std::max(d->TimerInterval, 25);
        Command = d->Command;
        DownSkinRect = d->DownSkinRect;
        RestoreRect = d->RestoreRect;
        RestoreActiveRect = d->RestoreActiveRect;
        RestoreDownRect = d->RestoreDownRect;
        RestoreInActiveRect = d->RestoreInActiveRect;
        RestoreHint = d->RestoreHint;
        FTempHint = d->Hint;
    }
}

TbsLayerManager* TbsSkinAnimateObject::GlowManager() const {
    return MenuItem ? Parent->FMenuLayerManager : Parent->FLayerManager;
}

bool TbsSkinAnimateObject::InRestoreState() const {
    return (Command == cmMaximize && Parent->WindowState() == wsMaximized) ||
           (Command == cmMinimize && Parent->WindowState() == wsMinimized) ||
           (Command == cmRollUp && Parent->RollUpState());
}

TRect TbsSkinAnimateObject::FrameRect(int n) const {
    const bool restore = !IsNullRect(RestoreRect) && InRestoreState();
    const TRect& S = restore ? RestoreRect : SkinRect;
    const TRect& A = restore ? RestoreActiveRect : ActiveSkinRect;
    const int W = S.Width(), H = S.Height();
    return TRect(A.left + W * (n - 1), A.top, A.left + W * n, A.top + H);
}

void TbsSkinAnimateObject::Draw(TCanvas* Cnvs, bool) {
    if (!HasSkin()) return;
    const bool restore = !IsNullRect(RestoreRect) && InRestoreState();
    const TRect& D = restore ? RestoreDownRect : DownSkinRect;
    const TRect& I = restore ? RestoreInActiveRect : InActiveSkinRect;
    if (FMenuTracking) {
        if (!IsNullRect(D)) return CopyImage(Cnvs, ActivePicture, D);
        FFrame = CountFrames;
        return CopyImage(Cnvs, ActivePicture, FrameRect(CountFrames));
    }
    if (!FormActive() && !IsNullRect(I)) return CopyImage(Cnvs, ActivePicture, I);
    if (FDown && FMouseIn && !IsNullRect(D)) return CopyImage(Cnvs, ActivePicture, D);
    CopyImage(Cnvs, ActivePicture, FrameRect(FFrame));
}

void TbsSkinAnimateObject::SetFrame(int v) {
    if (Increment) FFrame = v > CountFrames ? 1 : v;
    else FFrame = v <= 0 ? CountFrames : v;
    Parent->DrawSkinObject(this);
}

void TbsSkinAnimateObject::ChangeFrame() {
    if (FInc < TimerInterval) {
        FInc += 25;
        return;
    }
    if (Increment) {
        SetFrame(FFrame + 1);
        if (!Cycle && FFrame == CountFrames) Active = false;
    } else {
        SetFrame(FFrame - 1);
        if (FFrame == 1) Active = false;
    }
    FInc = 25;
}

void TbsSkinAnimateObject::Start() {
    FInc = 25;
    FFrame = 1;
    Active = true;
    Parent->AnimateTimer->SetEnabled(true);
}

void TbsSkinAnimateObject::Stop() {
    SetFrame(1);
    Active = false;
    FInc = 25;
}

void TbsSkinAnimateObject::ShowLayer() { TbsActiveSkinObject::ShowLayer(); }
void TbsSkinAnimateObject::HideLayer() { TbsActiveSkinObject::HideLayer(); }

void TbsSkinAnimateObject::MouseEnter() {
    if (Command != cmDefault) Hint = (!RestoreHint.empty() && InRestoreState()) ? RestoreHint : FTempHint;
    FMouseIn = true;
    if (FMenuTracking) return;
    if (ButtonStyle) {
        Active = true;
        Increment = true;
        if (FDown && !IsNullRect(DownSkinRect)) Parent->DrawSkinObject(this);
        else Parent->AnimateTimer->SetEnabled(true);
    }
    Parent->ObjectMouseEnterEvent(IDName);
    ShowLayer();
}

void TbsSkinAnimateObject::MouseLeave() {
    if (!FMouseIn) return;
    FMouseIn = false;
    if (FMenuTracking) return;
    if (ButtonStyle) {
        Active = true;
        Increment = false;
        if (FDown && !IsNullRect(DownSkinRect)) Parent->DrawSkinObject(this);
        else Parent->AnimateTimer->SetEnabled(true);
    }
    Parent->ObjectMouseLeaveEvent(IDName);
    HideLayer();
}

void TbsSkinAnimateObject::MouseDown(int X, int Y, TMouseButton Button) {
    TbsActiveSkinObject::MouseDown(X, Y, Button);
    if (Button == mbLeft && !IsNullRect(DownSkinRect)) {
        FFrame = CountFrames;
        FDown = true;
        Parent->DrawSkinObject(this);
    }
    if (Command == cmSysMenu && FMouseIn && ButtonStyle && Button == mbLeft) RunCommand();
}

void TbsSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button) {
    TbsActiveSkinObject::MouseUp(X, Y, Button);
    if (FMenuTracking) return;
    if (Button == mbLeft && !IsNullRect(DownSkinRect)) {
        FDown = false;
        Parent->DrawSkinObject(this);
        Parent->AnimateTimer->SetEnabled(true);
    }
    if (Command != cmSysMenu && FMouseIn && ButtonStyle && Button == mbLeft) RunCommand();
}

void TbsSkinAnimateObject::DblClick() {
    if (Command == cmSysMenu) Parent->FForm->Close();
}

void TbsSkinAnimateObject::RunCommand() {
    if (Command == cmSysMenu) {
        MenuItem = Parent->GetSysMenuItems();
        PopupObjectMenu();
    } else if (Command == cmDefault) {
        if (MenuItem) PopupObjectMenu();
    } else RunStdCommand(Parent, Command);
}

void TbsSkinAnimateObject::PopupObjectMenu() {
    if (!MenuItem || MenuItem->Count() == 0) return;
    const TRect r = ScreenRect();
    FMenuTracking = true;
    if (Parent->FLayerManager->IsVisible) Parent->FLayerManager->Hide();
    if (Parent->FMenuLayerManager->IsVisible) Parent->FMenuLayerManager->Hide();
    if (FMouseIn) ShowLayer();
    OpenObjectMenu(Parent, MenuItem, r, FPopupUp);
}
