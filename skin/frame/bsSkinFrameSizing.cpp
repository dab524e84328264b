// TbsSkinFrame: moving and sizing. While a move or size loop runs the
// frame keeps its own idea of the form's bounds; with full-window dragging
// it rebuilds the frame geometry and the window region for each proposed
// size before the window takes it, and the layered border follows.
#include <windows.h>

#include "skin/bsUtils.h"
#include "skin/frame/bsFormLayerBorder.h"
#include "skin/frame/bsSkinFrame.h"

bool TbsSkinFrame::GetFullDrag() {
    BOOL full = FALSE;
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    return full != FALSE;
}

bool TbsSkinFrame::VistaLayerFrameShow() const {
    return FIsVistaOs && LayerFrameActive() && !FAlphaBlend && !AlphaBlendAnimation &&
           (!FSD || !FSD->AnimationForAllWindows);
}

void TbsSkinFrame::EnterSizeMove() {
    POINT c;
    GetCursorPos(&c);
    FOnMouseDownCoord = c;
    ResetObjectsState();
    MouseTimer->SetEnabled(false);
    ActiveObject = MouseCaptureObject = -1;
    FSizeMove = true;
    FFullDrag = GetFullDrag();
}

void TbsSkinFrame::ExitSizeMove() {
    if (FSizing && (FForm->Width() != FFormWidth || FForm->Height() != FFormHeight)) {
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
        UpdateFrameForSize(true);
    }
    FSizing = FSizeMove = false;
    MouseTimer->SetEnabled(false);
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    if (FSD && !FSD->Empty) RepaintFrame();
    if (LayerFrameActive()) FLayerBorder->SetBoundsWithForm();
}

// WM_SIZING of a full-window drag: the frame is made for the proposed size
// before the window is given it, so each step shows whole.
void TbsSkinFrame::HandleSizing(TMessage& m, const TWndMethod& next) {
    FSizing = true;
    FBorderLayerChangeSize = false;
    HMagnetized = VMagnetized = HMagnetized2 = VMagnetized2 = false;
    next(m);
    const auto* r = reinterpret_cast<const RECT*>(m.LParam);
    FFormWidth = r->right - r->left;
    FFormHeight = r->bottom - r->top;
    if (!FSD || (FSD->Empty && FSkinnableForm)) {
        CreateFormRegion(true);
        return;
    }
    if (FSD->Empty || !FSkinnableForm) return;
    if (FFormWidth < GetMinWidth() || FFormHeight < GetMinHeight()) return;
    if (FForm->Width() == FFormWidth && FForm->Height() == FFormHeight) return;
    if (LayerFrameActive() && FFormLeft == FOldFormLeft && FFormTop == FOldFormTop)
        FLayerBorder->SetBoundsWithForm3(FFormLeft, FFormTop, FFormWidth, FFormHeight);
    FOldFormLeft = FFormLeft;
    FOldFormTop = FFormTop;
    UpdateFrameForSize(true);
}

void TbsSkinFrame::HandleSize(TMessage& m, const TWndMethod& next) {
    if (FSizeMove && FFullDrag) {
        // The frame was made for this size by WM_SIZING.
        next(m);
        if (!FLogoBitMap.Empty() && FForm->FormStyle() != fsMDIForm) FForm->Repaint();
        return;
    }
    const bool byBorder = FBorderLayerChangeSize;
    if (!byBorder) next(m);
    // Forms whose states the system keeps (forms without the skinned frame)
    // report them here; the frame's own states stay as set.
    if (!OwnsWindowStates()) {
        if (m.WParam == SIZE_MAXIMIZED) FWindowState = wsMaximized;
        else if (m.WParam == SIZE_MINIMIZED) FWindowState = wsMinimized;
        else if (m.WParam == SIZE_RESTORED) FWindowState = wsNormal;
    }
    HMagnetized = VMagnetized = HMagnetized2 = VMagnetized2 = false;
    if (m.WParam == SIZE_MINIMIZED) {
        FLayerBorder->Hide();
        if (byBorder) next(m);
        return;
    }
    if (!byBorder) {
        RECT wr;
        GetWindowRect(FForm->Handle(), &wr);
        FFormWidth = wr.right - wr.left;
        FFormHeight = wr.bottom - wr.top;
    }
    if (FLayerBorder->Visible()) {
        if (byBorder) FLayerBorder->SetBoundsWithForm3(FFormLeft, FFormTop, FFormWidth, FFormHeight);
        else FLayerBorder->SetBoundsWithForm();
    } else if (m.WParam == SIZE_RESTORED && LayerFrameActive()) {
        UpdateLayerBorder(true);
    }
    if (FSkinnableForm) {
        if (FSkinSupport) UpdateFrameForSize(true);
        else {
            CreateFormRegion(true);
            if (FrameDrawn()) RepaintFrame();
        }
    }
    if (byBorder) next(m);
    // A translucent form and a logo are painted whole again at the new size.
    if (FAlphaBlend && FAlphaBlendValue != 255 && IsLayeredSupported()) {
        RepaintFrame();
        FForm->Repaint();
    }
    if (!FLogoBitMap.Empty() && FForm->FormStyle() != fsMDIForm) FForm->Repaint();
}

void TbsSkinFrame::WindowPosChanged(const WINDOWPOS& wp) {
    const int oldLeft = FFormLeft, oldTop = FFormTop;
    if (!(wp.flags & SWP_NOMOVE)) {
        FFormLeft = wp.x;
        FFormTop = wp.y;
    }
    if (!FSizing && FBorderLayerChangeSize && !(wp.flags & SWP_NOSIZE)) {
        FFormWidth = wp.cx;
        FFormHeight = wp.cy;
    }
    if (FSizing) {
        // Sizing by a left or top edge moves the form as well.
        if ((FFormLeft != oldLeft || FFormTop != oldTop) && LayerFrameActive())
            FLayerBorder->SetBoundsWithForm3(FFormLeft, FFormTop, FFormWidth, FFormHeight);
    } else if (!FBorderLayerChangeSize) {
        if (LayerFrameActive() && !(wp.flags & SWP_NOMOVE)) FLayerBorder->MoveWithForm2(FFormLeft, FFormTop);
        FOldFormLeft = FFormLeft;
        FOldFormTop = FFormTop;
    }
}

// A form shown without any fade: its layered border appears once the form
// has painted.
void TbsSkinFrame::ShowLayerBorderWithForm() {
    if (!IsLayeredSupported() || FAlphaBlend || AlphaBlendAnimation || VistaLayerFrameShow()) return;
    if (FSD && FSD->AnimationForAllWindows) return;
    if (!ShownOrInTray() || !LayerFrameActive()) return;
    const std::weak_ptr<bool> alive = FAlive;
    Application->ProcessMessages();
    if (alive.expired() || !LayerFrameActive()) return;
    FLayerBorder->FActive = true;
    FLayerBorder->ShowWithForm();
}
