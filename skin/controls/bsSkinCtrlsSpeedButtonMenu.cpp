// The menu speed button: its track part and the drop-down of its menu.
// Its faces are in bsSkinCtrlsSpeedButtonMenuPaint.cpp.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

// ---- menu speed button -------------------------------------------------------------------------

TbsSkinMenuSpeedButton::TbsSkinMenuSpeedButton(TComponent* owner) : TbsSkinSpeedButton(owner) {
    SkinDataName = L"toolmenubutton";
}

TbsSkinMenuSpeedButton::~TbsSkinMenuSpeedButton() {
    if (FSkinPopupMenu) RemoveFreeNotification(FSkinPopupMenu);
    // An images menu open for this button closes with it, without calling
    // back into it.
    TbsCustomImagesMenu* images = FMenuTracked ? FSkinImagesMenu : nullptr;
    UnhookImagesMenu();
    if (images && images->IsOpen()) images->Hide();
}

void TbsSkinMenuSpeedButton::SetSkinPopupMenu(TPopupMenu* v) {
    if (FSkinPopupMenu) RemoveFreeNotification(FSkinPopupMenu);
    FSkinPopupMenu = v;
    if (v) FreeNotification(v);
}

void TbsSkinMenuSpeedButton::SetSkinImagesMenu(TbsCustomImagesMenu* v) {
    if (v == FSkinImagesMenu) return;
    // The old menu open for this button closes (and brings it up) first.
    if (FSkinImagesMenu && FMenuTracked && FSkinImagesMenu->IsOpen()) FSkinImagesMenu->Hide();
    UnhookImagesMenu();
    FSkinImagesMenu = v;
    if (v) {
        FreeNotification(v);
        v->OnInternalChange = [this](TObject*) { Repaint(); };
    }
    Repaint();
}

void TbsSkinMenuSpeedButton::UnhookImagesMenu() {
    if (!FSkinImagesMenu) return;
    RemoveFreeNotification(FSkinImagesMenu);
    // The events hold this button: a menu that outlives it must not call them.
    FSkinImagesMenu->OnInternalChange = nullptr;
    FSkinImagesMenu->OnInternalMenuClose = nullptr;
    FSkinImagesMenu = nullptr;
}

void TbsSkinMenuSpeedButton::SetUseImagesMenuImage(bool v) {
    FUseImagesMenuImage = v;
    Repaint();
}

void TbsSkinMenuSpeedButton::SetUseImagesMenuCaption(bool v) {
    FUseImagesMenuCaption = v;
    Repaint();
}

void TbsSkinMenuSpeedButton::Notification(TComponent* component, TOperation op) {
    TbsSkinSpeedButton::Notification(component, op);
    if (op != opRemove || !component) return;
    if (component == FSkinPopupMenu) {
        FSkinPopupMenu = nullptr;
    } else if (component == FSkinImagesMenu) {
        // The menu is past its own destructor: only the pointer goes.
        FSkinImagesMenu = nullptr;
    } else {
        return;
    }
    // A menu freed while open will never report its close.
    if (FMenuTracked) TrackMenuClosed();
}

void TbsSkinMenuSpeedButton::SetTrackButtonMode(bool v) {
    if (v == FTrackButtonMode) return;
    FTrackButtonMode = v;
    if (FIndex == -1) Repaint();
}

void TbsSkinMenuSpeedButton::SetTrackPosition(TbsTrackPosition v) {
    FTrackPosition = v;
    Repaint();
}

void TbsSkinMenuSpeedButton::SetNewStyle(bool v) {
    FNewStyle = v;
    if (v) SkinDataName = L"resizetoolbutton";
}

bool TbsSkinMenuSpeedButton::HasOwnRecord() const {
    if (FIndex == -1) return false;
    for (const wchar_t* shared : {L"resizebutton", L"resizetoolbutton", L"toolbutton", L"bigtoolbutton"})
        if (SkinDataName == shared) return false;
    return true;
}

TRect TbsSkinMenuSpeedButton::TrackStrip() const {
    if (FNewStyle && FTrackPosition == bstpBottom) return TRect(0, Height() - TrackWidth, Width(), Height());
    return TRect(Width() - TrackWidth, 0, Width(), Height());
}

TRect TbsSkinMenuSpeedButton::GetTrackButtonRect() const {
    TRect r = TrackButtonRect;
    if (ResizeMode == 2) r.Offset(Width() - SkinRect.Width(), 0);
    else if (ResizeMode == 3) r.Offset(0, Height() - SkinRect.Height());
    return r;
}

void TbsSkinMenuSpeedButton::GetSkinData() {
    TbsSkinSpeedButton::GetSkinData();
    TrackButtonRect = NullRect();
    if (FIndex == -1) return;
    if (auto* rec = dynamic_cast<TbsDataSkinMenuButtonControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get()))
        TrackButtonRect = rec->TrackButtonRect;
}

bool TbsSkinMenuSpeedButton::InTrackArea(int x, int y) const {
    if (!FSkinPopupMenu && !FSkinImagesMenu) return false;
    if (!FTrackButtonMode) return true;
    // A record of its own places the track part; one without a track part
    // keeps the strip.
    const TRect r = HasOwnRecord() && !IsNullRect(TrackButtonRect) ? GetTrackButtonRect() : TrackStrip();
    return IsPointInRect(r, TPoint(x, y));
}

void TbsSkinMenuSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        FMenuTracked = InTrackArea(x, y);
        if (FMenuTracked) {
            // The drop-down takes the mouse from here on: the parent's hold
            // on it for this button goes.
            SetMouseCapture(false);
            FMouseIn = true;
            if (!FDown) SetDown(true);
            ShowTrackMenu();
            return;
        }
    }
    TbsSkinSpeedButton::MouseDown(button, shift, x, y);
}

void TbsSkinMenuSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (!FMenuTracked) TbsSkinSpeedButton::MouseUp(button, shift, x, y);
}

void TbsSkinMenuSpeedButton::ShowTrackMenu() {
    const TPoint origin = ClientToScreen(TPoint(0, 0));
    const TRect R(origin.x, origin.y, origin.x + Width(), origin.y + Height());
    if (FSkinPopupMenu) {
        if (OnShowTrackMenu) OnShowTrackMenu(this);
        FSkinPopupMenu->PopupForControl(this, R, false);
        // A modal menu has closed by now; one still open reports its close
        // with WM_CLOSESKINMENU. The menu may also have been freed meanwhile.
        if (FSkinPopupMenu && FSkinPopupMenu->IsOpen()) return;
    }
    if (FSkinImagesMenu && FMenuTracked) {
        if (OnShowTrackMenu) OnShowTrackMenu(this);
        FSkinImagesMenu->OnInternalMenuClose = [this](TObject*) { TrackMenuClosed(); };
        FSkinImagesMenu->PopupFromRect(R);
        // An images menu stays open after this returns and reports its
        // close; one without pictures opened nothing.
        if (FSkinImagesMenu && FSkinImagesMenu->IsOpen()) return;
    }
    if (FMenuTracked) TrackMenuClosed();
}

void TbsSkinMenuSpeedButton::TrackMenuClosed() {
    // A close reported for a drop-down this button no longer tracks.
    if (!FMenuTracked) return;
    FMenuTracked = false;
    FDown = false;
    FMouseIn = false;
    FMouseDown = false;
    if (OnHideTrackMenu) OnHideTrackMenu(this);
    Repaint();
}

void TbsSkinMenuSpeedButton::WndProc(TMessage& m) {
    if (m.Msg == WM_CLOSESKINMENU) {
        TrackMenuClosed();
        return;
    }
    if ((m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) && FMenuTracked) {
        // While the menu is open only the hover flag follows the mouse.
        FMouseIn = m.Msg == CM_MOUSEENTER;
        return;
    }
    TbsSkinSpeedButton::WndProc(m);
}
