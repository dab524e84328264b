// The menu speed button: its track part, the drop-down of its menu and
// its faces with the arrow.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

namespace {
constexpr int kTrackWidth = 15;
}  // namespace

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

bool TbsSkinMenuSpeedButton::InTrackArea(int x, int y) const {
    if (!FSkinPopupMenu && !FSkinImagesMenu) return false;
    if (!TrackButtonMode) return true;
    const TRect r = TrackPosition == bstpBottom ? TRect(0, Height() - kTrackWidth, Width(), Height())
                                                : TRect(Width() - kTrackWidth, 0, Width(), Height());
    // Edges included.
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
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

void TbsSkinMenuSpeedButton::DrawArrow(TCanvas* c, TColor color) {
    TRect a(Width() - kTrackWidth, 0, Width(), Height());
    if (StandardArrowKind != 0) {
        if (PressedLook() || FMenuTracked) OffsetRect(&a, 1, 1);
        DrawArrowImage(c, a, color, StandardArrowKind);
        return;
    }
    if (PressedLook() || FMenuTracked) a.top += 2, a.left = Width() - 13;
    DrawDropDownArrow(c, a, color);
}

void TbsSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* c = B->Canvas();
    c->Brush()->SetStyle(bsSolid);
    const auto face = [&](TRect r, TColor frame, TColor fill, bool framed) {
        if (framed) c->Frame3D(r, frame, frame, 1);
        c->Brush()->SetColor(fill);
        c->FillRect(r);
    };
    const bool pressedIn = FDown && FMouseIn;
    if (TrackButtonMode) {
        const TRect main(0, 0, Width() - kTrackWidth, Height()), track(Width() - kTrackWidth, 0, Width(), Height());
        if (FMenuTracked) face(main, bsPlainHotFrame, bsPlainHotFill, true), face(track, bsPlainHotFrame, bsPlainDownFill, true);
        else if (pressedIn) face(main, bsPlainHotFrame, bsPlainDownFill, true), face(track, bsPlainHotFrame, bsPlainDownFill, true);
        else if (FMouseIn) face(main, bsPlainHotFrame, bsPlainHotFill, true), face(track, bsPlainHotFrame, bsPlainHotFill, true);
        else face(main, clBtnShadow, clBtnFace, !FFlat), face(track, clBtnShadow, clBtnFace, !FFlat);
    } else {
        const TRect all(0, 0, Width(), Height());
        if (pressedIn) face(all, bsPlainHotFrame, bsPlainDownFill, true);
        else if (FMouseIn) face(all, bsPlainHotFrame, bsPlainHotFill, true);
        else face(all, clBtnShadow, clBtnFace, !FFlat);
    }
    SetupFont(c, false);
    c->Font()->SetColor(Enabled() ? FDefaultFont.Color() : clBtnShadow);
    DrawContent(c, TRect(0, 0, Width() - kTrackWidth, Height()), FDown, FMouseIn, pressedIn);
    DrawArrow(c, clBtnText);
}

void TbsSkinMenuSpeedButton::DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool down, bool mouseIn) {
    B->SetSize(Width(), Height());
    DrawSkinPicture(B, Picture, r);
    TCanvas* c = B->Canvas();
    SetupFont(c, true);
    const bool pressedIn = down && mouseIn;
    TColor color = !Enabled() ? DisabledFontColor : pressedIn ? DownFontColor : !mouseIn ? FontColor : ActiveFontColor;
    if (!UseSkinFontColor && Enabled()) color = FDefaultFont.Color();
    c->Font()->SetColor(color);
    TRect content = NewClRect;
    content.right = std::min<LONG>(content.right, Width() - kTrackWidth);
    DrawContent(c, content, down, mouseIn, pressedIn);
    DrawArrow(c, FMenuTracked ? DownFontColor : color);
}
