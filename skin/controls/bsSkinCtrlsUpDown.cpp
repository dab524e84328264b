#include "skin/controls/bsSkinCtrlsUpDown.h"

TbsTabScroller::TbsTabScroller(TComponent* owner) : TbsSkinCustomControl(owner) {
    FSkinDataName = L"hupdown";
    SetBounds(0, 0, 50, 25);
}

void TbsTabScroller::SetMin(int v) {
    FMin = v;
    if (FPosition < FMin) FPosition = FMin;
}

void TbsTabScroller::SetMax(int v) {
    FMax = v;
    if (FPosition > FMax) FPosition = FMax;
}

void TbsTabScroller::SetPosition(int v) {
    if (v > FMax || v < FMin) return;
    FPosition = v;
    if (!Has(csDesigning) && OnChange) OnChange(this);
}

TRect TbsTabScroller::ButtonRect(int i) const {
    const int half = Width() / 2;
    return i == 0 ? TRect(half, 0, Width(), Height()) : TRect(0, 0, half, Height());
}

int TbsTabScroller::ButtonAt(int x, int y) const {
    const POINT p{x, y};
    for (int i = 0; i < 2; ++i) {
        const TRect r = ButtonRect(i);
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

void TbsTabScroller::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* c = B->Canvas();
    for (int i = 0; i < 2; ++i) {
        TRect r = ButtonRect(i);
        const bool down = i == FDownButton;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(down ? bsPlainDownFill : clBtnFace);
        c->FillRect(r);
        c->Frame3D(r, down ? bsPlainHotFrame : clBtnHighlight, down ? bsPlainHotFrame : clBtnShadow, 1);
        // A small arrow: right for the up button, left for the down button.
        const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        const int d = i == 0 ? 1 : -1;
        POINT pts[3] = {{cx - 2 * d, cy - 4}, {cx + 2 * d, cy}, {cx - 2 * d, cy + 4}};
        c->Pen()->SetColor(clBtnText);
        c->Brush()->SetColor(clBtnText);
        c->Polygon(pts, 3);
    }
}

void TbsTabScroller::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FDownButton = ButtonAt(x, y);
    Repaint();
}

void TbsTabScroller::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft) return;
    const int pressed = FDownButton;
    FDownButton = -1;
    Repaint();
    if (pressed == -1 || ButtonAt(x, y) != pressed) return;
    const int next = pressed == 0 ? FPosition + FIncrement : FPosition - FIncrement;
    SetPosition(next);
}
