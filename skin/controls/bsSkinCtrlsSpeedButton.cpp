#include "skin/controls/bsSkinCtrlsSpeedButton.h"

#include "platform/ImgList.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtilsImages.h"

namespace {
constexpr unsigned kRepeatDelay = 500;
constexpr int kTrackWidth = 15;
}  // namespace

// ---- speed button: state -----------------------------------------------------------------------

TbsSkinSpeedButton::TbsSkinSpeedButton(TComponent* owner) : TbsGraphicSkinCustomControl(owner) {
    SkinDataName = L"toolbutton";
    ControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
    SetBounds(0, 0, 25, 25);
}

TbsSkinSpeedButton::~TbsSkinSpeedButton() { StopRepeat(); }

void TbsSkinSpeedButton::SetDown(bool v) {
    FDown = v;
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

void TbsSkinSpeedButton::RefreshButton() {
    FMouseIn = FDown = false;
    Repaint();
}

void TbsSkinSpeedButton::ButtonClick() {
    if (OnClick) OnClick(this);
}

void TbsSkinSpeedButton::GetSkinData() {
    TbsGraphicSkinCustomControl::GetSkinData();
    if (FIndex == -1) return;
    auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get());
    if (!rec) return;
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

// ---- speed button: mouse and repeat ------------------------------------------------------------

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
        FMouseIn = false;
        Repaint();
        break;
    case CM_TEXTCHANGED:
        Repaint();
        break;
    default:
        break;
    }
}

void TbsSkinSpeedButton::MouseEnter() {
    FMouseIn = true;
    if (FDown && GroupIndex == 0 && RepeatMode && FMouseDown) StartRepeat();
    Repaint();
}

void TbsSkinSpeedButton::MouseLeave() {
    FMouseIn = false;
    if (FDown && GroupIndex == 0 && RepeatMode) StopRepeat();
    Repaint();
}

void TbsSkinSpeedButton::StartRepeat() {
    if (!RepeatTimer) {
        RepeatTimer = std::make_unique<TTimer>(nullptr);
        RepeatTimer->OnTimer = [this](TObject*) {
            // The first tick only ends the delay.
            if (RepeatTimer->Interval() == kRepeatDelay && RepeatInterval != static_cast<int>(kRepeatDelay)) {
                RepeatTimer->SetInterval(static_cast<unsigned>(RepeatInterval));
                return;
            }
            ButtonClick();
        };
    }
    RepeatTimer->SetEnabled(false);
    RepeatTimer->SetInterval(kRepeatDelay);
    RepeatTimer->SetEnabled(true);
}

void TbsSkinSpeedButton::StopRepeat() {
    if (RepeatTimer) RepeatTimer->SetEnabled(false);
}

void TbsSkinSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsGraphicSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
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

// ---- speed button: painting --------------------------------------------------------------------

void TbsSkinSpeedButton::SetupFont(TCanvas* c, bool skinned) {
    TFont* f = c->Font();
    if (skinned && UseSkinFont) {
        f->SetName(FontName);
        f->SetStyle(FontStyle);
        f->SetHeight(FontHeight);
    } else {
        f->Assign(&FDefaultFont);
    }
    if (FSD && FSD->ResourceStrData()) f->SetCharset(FSD->ResourceStrData()->CharSet);
    else f->SetCharset(FDefaultFont.Charset());
}

void TbsSkinSpeedButton::DrawContent(TCanvas* c, const TRect& r, bool shifted) {
    const String text = FShowCaption ? Caption() : String();
    c->Brush()->SetStyle(bsClear);
    if (ImageList && ImageIndex >= 0 && ImageIndex < ImageList->Count())
        DrawImageAndText(c, r, Margin, Spacing, Layout, text, ImageIndex, ImageList, shifted, Enabled(), false, 0);
    else
        DrawImageAndText(c, r, Margin, Spacing, Layout, text, -1, nullptr, shifted, Enabled(), false, 0);
}

void TbsSkinSpeedButton::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* c = B->Canvas();
    TRect r(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    if (PressedLook() || FMouseIn) {
        c->Frame3D(r, bsPlainHotFrame, bsPlainHotFrame, 1);
        c->Brush()->SetColor(PressedLook() ? bsPlainDownFill : bsPlainHotFill);
        c->FillRect(r);
    } else if (Has(csDesigning) || !FFlat) {
        c->Frame3D(r, clBtnShadow, clBtnShadow, 1);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    } else if (!Transparent()) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    }
    SetupFont(c, false);
    c->Font()->SetColor(Enabled() ? FDefaultFont.Color() : clBtnShadow);
    DrawContent(c, TRect(0, 0, Width(), Height()), PressedLook());
}

void TbsSkinSpeedButton::DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool down, bool mouseIn) {
    B->SetSize(Width(), Height());
    DrawSkinPicture(B, Picture, r);
    TCanvas* c = B->Canvas();
    SetupFont(c, true);
    TColor color = !Enabled() ? DisabledFontColor : down ? DownFontColor : mouseIn ? ActiveFontColor : FontColor;
    if (!UseSkinFontColor && Enabled()) color = FDefaultFont.Color();
    c->Font()->SetColor(color);
    DrawContent(c, NewClRect, down);
}

void TbsSkinSpeedButton::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    GetSkinData();
    const bool skinned = FIndex != -1 && Picture;
    TBitmap B(Width(), Height());
    if (!skinned) {
        if (!PressedLook() && !FMouseIn && Transparent()) {
            SetupFont(Canvas(), false);
            Canvas()->Font()->SetColor(Enabled() ? FDefaultFont.Color() : clBtnShadow);
            DrawContent(Canvas(), TRect(0, 0, Width(), Height()), false);
            return;
        }
        CreateControlDefaultImage(&B);
    } else if (PressedLook()) {
        DrawGlyphAndCaption(&B, DownSkinRect, true, true);
    } else if (FMouseIn) {
        DrawGlyphAndCaption(&B, ActiveSkinRect, false, true);
    } else if (Transparent()) {
        SetupFont(Canvas(), true);
        Canvas()->Font()->SetColor(Enabled() ? FontColor : DisabledFontColor);
        DrawContent(Canvas(), NewClRect, false);
        return;
    } else {
        const TRect part = Enabled() || IsNullRect(DisabledSkinRect) ? SkinRect : DisabledSkinRect;
        DrawGlyphAndCaption(&B, part, false, false);
    }
    Canvas()->Draw(0, 0, &B);
}

// ---- menu speed button -------------------------------------------------------------------------

TbsSkinMenuSpeedButton::TbsSkinMenuSpeedButton(TComponent* owner) : TbsSkinSpeedButton(owner) {
    SkinDataName = L"toolmenubutton";
}

TbsSkinMenuSpeedButton::~TbsSkinMenuSpeedButton() {
    if (FSkinPopupMenu) RemoveFreeNotification(FSkinPopupMenu);
}

void TbsSkinMenuSpeedButton::SetSkinPopupMenu(TPopupMenu* v) {
    if (FSkinPopupMenu) RemoveFreeNotification(FSkinPopupMenu);
    FSkinPopupMenu = v;
    if (v) FreeNotification(v);
}

void TbsSkinMenuSpeedButton::Notification(TComponent* component, TOperation op) {
    TbsSkinSpeedButton::Notification(component, op);
    if (op == opRemove && component == FSkinPopupMenu) FSkinPopupMenu = nullptr;
}

bool TbsSkinMenuSpeedButton::InTrackArea(int x, int y) const {
    if (!FSkinPopupMenu) return false;
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
    if (!FSkinPopupMenu) return;
    if (OnShowTrackMenu) OnShowTrackMenu(this);
    const TPoint origin = ClientToScreen(TPoint(0, 0));
    FSkinPopupMenu->PopupComponent = this;
    FSkinPopupMenu->Popup(origin.x, origin.y + Height());
    // The class library's menu returns when it has closed; the skinned menu
    // sends WM_CLOSESKINMENU itself.
    if (FMenuTracked) Perform(WM_CLOSESKINMENU);
}

void TbsSkinMenuSpeedButton::WndProc(TMessage& m) {
    if (m.Msg == WM_CLOSESKINMENU) {
        FMenuTracked = false;
        FDown = false;
        FMouseIn = false;
        FMouseDown = false;
        if (OnHideTrackMenu) OnHideTrackMenu(this);
        Repaint();
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
    DrawContent(c, TRect(0, 0, Width() - kTrackWidth, Height()), pressedIn);
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
    DrawContent(c, content, pressedIn);
    DrawArrow(c, FMenuTracked ? DownFontColor : color);
}
