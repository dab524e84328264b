// The page control's tab layout settings: centred and offset tabs, the tab
// strip's background and the button-like tab content.
#include <algorithm>

#include "skin/controls/bsSkinCtrlsPages.h"

int TbsSkinPageControl::GetTabsOffset() const {
    if (FTabsOffset > 0) return FTabsOffset;
    if (TabWidth() == 0) return 0;
    return std::max(0, Width() / 2 - (TabWidth() * VisibleTabCount()) / 2);
}

void TbsSkinPageControl::PutTabsOnTop() {
    SetTabPosition(tpTop);
    SetMultiLine(false);
    FTabsBGTransparent = true;
}

void TbsSkinPageControl::SetTabsInCenter(bool v) {
    if (TabWidth() == 0) {
        FTabsInCenter = false;
        return;
    }
    FTabsInCenter = v;
    if (v) PutTabsOnTop();
    Invalidate();
}

void TbsSkinPageControl::SetTabsOffset(int v) {
    FTabsOffset = v;
    if (v > 0) PutTabsOnTop();
    Invalidate();
}

void TbsSkinPageControl::SetTabsBGTransparent(bool v) {
    if (v == FTabsBGTransparent) return;
    FTabsBGTransparent = v;
    Invalidate();
}

void TbsSkinPageControl::SetTabExtededDraw(bool v) {
    FTabExtendedDraw = v;
    Invalidate();
}

void TbsSkinPageControl::SetTabMargin(int v) {
    if (v == FTabMargin || v < -1) return;
    FTabMargin = v;
    Repaint();
}

void TbsSkinPageControl::SetTabSpacing(int v) {
    if (v == FTabSpacing) return;
    FTabSpacing = v;
    Repaint();
}

void TbsSkinPageControl::SetTabLayout(TbsButtonLayout v) {
    if (v == FTabLayout) return;
    FTabLayout = v;
    Repaint();
}
