#include "skin/controls/bsSkinCtrlsUpDown.h"

#include "platform/Clock.h"
#include "skin/bsUtilsImages.h"
#include "skin/controls/bsSkinCtrlsButtonFace.h"

// The repeat runs on window timer 1 of the control.
constexpr UINT_PTR kRepeatTimer = 1;

TbsSkinUpDown::TbsSkinUpDown(TComponent* owner) : TbsSkinCustomControl(owner) {
    FSkinDataName = L"hupdown";
    SetBounds(Left(), Top(), 50, 25);
    CalcButtonRects();
}

TbsSkinUpDown::~TbsSkinUpDown() { StopTimer(); }

void TbsSkinUpDown::SetMin(int v) {
    FMin = v;
    if (FPosition < v) FPosition = v;
}

void TbsSkinUpDown::SetMax(int v) {
    FMax = v;
    if (FPosition > v) FPosition = v;
}

void TbsSkinUpDown::SetPosition(int v) {
    if (v > FMax || v < FMin) return;
    FPosition = v;
    if (!Has(csDesigning) && OnChange) OnChange(this);
}

void TbsSkinUpDown::SetOrientation(TUDOrientation v) {
    FOrientation = v;
    CalcButtonRects();
    Invalidate();
}

void TbsSkinUpDown::CalcButtonRects() {
    const int w = Width(), h = Height();
    if (FIndex != -1 && UseSkinSize) {
        Buttons[0].R = UpButtonRect;
        Buttons[1].R = DownButtonRect;
    } else if (FOrientation == udVertical) {
        Buttons[0].R = TRect(0, 0, w, h / 2);
        Buttons[1].R = TRect(0, h / 2, w, h);
    } else {
        Buttons[0].R = TRect(w / 2, 0, w, h);
        Buttons[1].R = TRect(0, 0, w / 2, h);
    }
}

void TbsSkinUpDown::GetSkinData() {
    TbsSkinCustomControl::GetSkinData();
    if (auto* r = dynamic_cast<TbsDataSkinUpDownControl*>(SkinRecord())) {
        UpButtonRect = r->UpButtonRect;
        ActiveUpButtonRect = r->ActiveUpButtonRect;
        DownUpButtonRect = IsNullRect(r->DownUpButtonRect) ? r->ActiveUpButtonRect : r->DownUpButtonRect;
        DownButtonRect = r->DownButtonRect;
        ActiveDownButtonRect = r->ActiveDownButtonRect;
        DownDownButtonRect = IsNullRect(r->DownDownButtonRect) ? r->ActiveDownButtonRect : r->DownDownButtonRect;
        LTPt = RTPt = LBPt = RBPt = TPoint(0, 0);
        ClRect = TRect();
    }
    CalcButtonRects();
}

void TbsSkinUpDown::CalcSize(int& w, int& h) {
    if (UseSkinSize) TbsSkinCustomControl::CalcSize(w, h);
}

void TbsSkinUpDown::SetControlRegion() {
    if (UseSkinSize) TbsSkinCustomControl::SetControlRegion();
}

// ---- mouse and repeat ------------------------------------------------------------------------

void TbsSkinUpDown::TestActive(int x, int y) {
    OldActiveButton = ActiveButton;
    ActiveButton = -1;
    for (int i = 0; i < 2; ++i)
        if (IsPointInRect(Buttons[i].R, TPoint(x, y))) {
            ActiveButton = i;
            break;
        }
    if (CaptureButton != -1 && ActiveButton != CaptureButton) ActiveButton = -1;
    if (ActiveButton == OldActiveButton) return;
    if (OldActiveButton != -1) ButtonLeave(OldActiveButton);
    if (ActiveButton != -1) ButtonEnter(ActiveButton);
}

void TbsSkinUpDown::ButtonEnter(int i) {
    Buttons[1 - i].MouseIn = false;
    Buttons[i].MouseIn = true;
    Invalidate();
    if (FIncrement != 0 && Buttons[i].Down) platform::SetWindowTimer(Handle(), kRepeatTimer, 50);
}

void TbsSkinUpDown::ButtonLeave(int i) {
    Buttons[i].MouseIn = false;
    Invalidate();
    if (FIncrement != 0 && Buttons[i].Down) platform::KillWindowTimer(Handle(), kRepeatTimer);
}

void TbsSkinUpDown::ButtonDown(int i) {
    Buttons[i].Down = true;
    Buttons[i].MouseIn = true;
    Invalidate();
    if (FIncrement == 0) return;
    TimerMode = i == 0 ? 2 : 1;
    WaitMode = true;
    platform::SetWindowTimer(Handle(), kRepeatTimer, 500);
}

void TbsSkinUpDown::StopTimer() {
    if (HandleAllocated()) platform::KillWindowTimer(Handle(), kRepeatTimer);
    TimerMode = 0;
}

void TbsSkinUpDown::ButtonUp(int i) {
    if (FIncrement != 0) StopTimer();
    Buttons[i].Down = false;
    if (ActiveButton != i) Buttons[i].MouseIn = false;
    Invalidate();
    if (!Buttons[i].MouseIn) return;
    if (i == 0) {
        if (FIncrement != 0) SetPosition(FPosition + FIncrement);
        if (OnUpButtonClick) OnUpButtonClick(this);
    } else {
        if (FIncrement != 0) SetPosition(FPosition - FIncrement);
        if (OnDownButtonClick) OnDownButtonClick(this);
    }
}

void TbsSkinUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TestActive(x, y);
    Buttons[ActiveButton == 0 ? 1 : 0].MouseIn = false;
    if (ActiveButton != -1) {
        CaptureButton = ActiveButton;
        ButtonDown(ActiveButton);
    }
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinUpDown::MouseMove(TShiftState shift, int x, int y) {
    TestActive(x, y);
    TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (CaptureButton != -1) ButtonUp(CaptureButton);
    CaptureButton = -1;
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinUpDown::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_TIMER:
        TbsSkinCustomControl::WndProc(m);
        if (m.WParam != kRepeatTimer) return;
        if (WaitMode) {
            WaitMode = false;
            platform::KillWindowTimer(Handle(), kRepeatTimer);
            platform::SetWindowTimer(Handle(), kRepeatTimer, 100);
            return;
        }
        if (TimerMode == 1) SetPosition(FPosition - FIncrement);
        else if (TimerMode == 2) SetPosition(FPosition + FIncrement);
        return;
    case CM_MOUSEENTER:
        ActiveButton = OldActiveButton = -1;
        TbsSkinCustomControl::WndProc(m);
        return;
    case CM_MOUSELEAVE:
        ActiveButton = OldActiveButton = -1;
        TbsSkinCustomControl::WndProc(m);
        for (auto& b : Buttons)
            if (b.MouseIn) {
                b.MouseIn = false;
                Invalidate();
            }
        return;
    case WM_SIZE:
        TbsSkinCustomControl::WndProc(m);
        CalcButtonRects();
        return;
    default: break;
    }
    TbsSkinCustomControl::WndProc(m);
}

// ---- painting ------------------------------------------------------------------------------

int TbsSkinUpDown::ArrowKind(int i) const {
    if (FOrientation == udHorizontal) return i == 0 ? 2 : 1;
    return i == 0 ? 3 : 4;
}

void TbsSkinUpDown::DrawButton(TCanvas* c, int i) {
    const TbsCBButtonX& b = Buttons[i];
    const bool down = b.Down && b.MouseIn;
    if (FIndex == -1) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(down ? bsPlainDownFill : b.MouseIn ? bsPlainHotFill : clBtnFace);
        c->FillRect(b.R);
        c->Brush()->SetColor(down || b.MouseIn ? bsPlainHotFrame : clBtnShadow);
        c->FrameRect(b.R);
        DrawArrowImage(c, b.R, clBlack, ArrowKind(i));
        return;
    }
    const TRect part = down ? (i == 0 ? DownUpButtonRect : DownDownButtonRect)
                       : b.MouseIn ? (i == 0 ? ActiveUpButtonRect : ActiveDownButtonRect)
                                   : TRect();
    if (Picture && !IsNullRect(part)) c->CopyRect(b.R, Picture->Canvas(), part);
}

void TbsSkinUpDown::DrawResizeButton(TCanvas* c, int i) {
    const TbsCBButtonX& b = Buttons[i];
    const int ri = FSD ? FSD->GetControlIndex(L"resizebutton") : -1;
    auto* r = ri >= 0 ? dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[static_cast<size_t>(ri)].get())
                      : nullptr;
    TBitmap* pic = r ? ActivePicture(r->PictureIndex) : nullptr;
    if (!r || !pic) {
        // No button picture in the skin: the plain button.
        const int saved = FIndex;
        FIndex = -1;
        DrawButton(c, i);
        FIndex = saved;
        return;
    }
    const bool down = b.Down && b.MouseIn;
    TRect src = r->SkinRect;
    if (down) src = !IsNullRect(r->DownSkinRect) ? r->DownSkinRect : !IsNullRect(r->ActiveSkinRect) ? r->ActiveSkinRect : r->SkinRect;
    else if (b.MouseIn && !IsNullRect(r->ActiveSkinRect)) src = r->ActiveSkinRect;
    const int w = b.R.Width(), h = b.R.Height();
    TBitmap bb(w, h);
    ComposeRecordFace(*r, pic, src, &bb, w, h);
    c->Draw(b.R.left, b.R.top, &bb);
    const TColor color = down ? r->DownFontColor : b.MouseIn ? r->ActiveFontColor : r->FontColor;
    TRect ar = b.R;
    if (down) {
        ar.left += 2;
        ar.top += 2;
    }
    DrawArrowImage(c, ar, color, ArrowKind(i));
}

void TbsSkinUpDown::CreateControlDefaultImage(TBitmap* B) {
    CalcButtonRects();
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->FillRect(TRect(0, 0, Width(), Height()));
    DrawButton(B->Canvas(), 0);
    DrawButton(B->Canvas(), 1);
}

void TbsSkinUpDown::CreateControlSkinImage(TBitmap* B) {
    CalcButtonRects();
    if (UseSkinSize) {
        TbsSkinCustomControl::CreateControlSkinImage(B);
        DrawButton(B->Canvas(), 0);
        DrawButton(B->Canvas(), 1);
    } else {
        B->Canvas()->Brush()->SetColor(clBtnFace);
        B->Canvas()->FillRect(TRect(0, 0, Width(), Height()));
        DrawResizeButton(B->Canvas(), 0);
        DrawResizeButton(B->Canvas(), 1);
    }
}
