// The frame, continued: the MDI main form's client window (taken over:
// skinned background, no border) and the window states of MDI children
// (maximized into the main form's work area, minimized into a slot along
// its bottom), with their activation.
#include "platform/Controls.h"
#include "skin/frame/bsSkinFrame.h"

namespace {

// The frame that took over a client window, kept on the window itself.
const wchar_t kClientFrameProp[] = L"VantrelSkinFrameOfClient";

LRESULT CALLBACK MDIClientWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* frame = static_cast<TbsSkinFrame*>(GetPropW(wnd, kClientFrameProp));
    if (!frame) return DefWindowProcW(wnd, msg, wp, lp);
    TMessage m{msg, wp, lp, 0};
    try {
        frame->ClientWindowProc(m);
    } catch (...) {
        HandleUIException();
    }
    return m.Result;
}

}  // namespace

void TbsSkinFrame::HookMDIClient() {
    if (FForm->FormStyle() != fsMDIForm) return;
    HWND client = FForm->ClientHandle();
    if (!client || (FClientWnd == client && FPrevClientProc)) return;
    UnhookMDIClient();
    FClientWnd = client;
    SetPropW(client, kClientFrameProp, this);
    FPrevClientProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(client, GWLP_WNDPROC));
    SetWindowLongPtrW(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MDIClientWndProc));
    // The client lost its border: the system lays it out again.
    SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RefreshFormSize();
}

void TbsSkinFrame::UnhookMDIClient() {
    if (!FClientWnd) return;
    if (IsWindow(FClientWnd)) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FClientWnd, GWLP_WNDPROC)) == &MDIClientWndProc)
            SetWindowLongPtrW(FClientWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevClientProc));
        RemovePropW(FClientWnd, kClientFrameProp);
    }
    FClientWnd = nullptr;
    FPrevClientProc = nullptr;
}

bool TbsSkinFrame::ClientBackgroundStretches() const {
    if (!FLogoBitMap.Empty()) return true;
    if (!FSkinSupport || !FSD) return false;
    return FSD->MDIBGPictureIndex == -1 ? FSD->StretchEffect : FSD->MDIBGStretchEffect;
}

void TbsSkinFrame::ClientWindowProc(TMessage& m) {
    HWND client = FClientWnd;
    auto previous = [&] { m.Result = CallWindowProcW(FPrevClientProc, client, m.Msg, m.WParam, m.LParam); };
    switch (m.Msg) {
    case WM_SIZE:
        previous();
        ResizeMDIChildren();
        if (ClientBackgroundStretches()) {
            const RECT r{0, 0, FForm->ClientWidth(), FForm->ClientHeight()};
            RedrawWindow(client, &r, nullptr, RDW_ERASE | RDW_INVALIDATE);
        }
        return;
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        m.Result = 0;
        return;
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        if (!FSD || FSD->Empty) PaintMDIBGDefault(dc);
        else if (FSD->MDIBGPictureIndex != -1) PaintBG3(dc);
        else if (FSD->BGPictureIndex == -1) PaintBG(dc);
        else PaintBG2(dc);
        m.Result = 1;
        return;
    }
    case WM_NCACTIVATE:
        m.Result = 1;
        return;
    case WM_NCDESTROY:
        previous();
        RemovePropW(client, kClientFrameProp);
        FClientWnd = nullptr;
        FPrevClientProc = nullptr;
        return;
    default:
        previous();
    }
}

// ---- states of a child --------------------------------------------------------------------------

void TbsSkinFrame::TellMainOfChildState(UINT Msg) {
    if (FForm->FormStyle() != fsMDIChild) return;
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main != FForm && main->HandleAllocated()) SendMessageW(main->Handle(), Msg, 0, 0);
}

void TbsSkinFrame::MaximizeMDIChild() {
    MouseTimer->SetEnabled(false);
    TestActive(-1, -1, false);
    const TRect w = GetMDIWorkArea();
    const bool sameSize = FForm->Width() == w.Width() && FForm->Height() == w.Height();
    FForm->SetBounds(0, 0, w.Width(), w.Height());
    // The frame went: the system must measure the client area again.
    if (sameSize) RefreshFormSize();
    TellMainOfChildState(WM_MDICHILDMAX);
}

TPoint TbsSkinFrame::GetMDIMinimizedPosition() const {
    const int w = GetMinWidth(), h = GetMinHeight();
    const TRect area = GetMDIWorkArea();
    const int AW = area.Width(), AH = area.Height();
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    auto taken = [&](int x, int y) {
        for (int i = 0; main && i < main->MDIChildCount(); ++i) {
            TCustomForm* c = main->MDIChildren(i);
            if (c == FForm || !c->Visible()) continue;
            TbsSkinFrame* f = FindSkinFormComponent(c);
            if (f && f->WindowState() == wsMinimized && c->Left() == x && c->Top() == y) return true;
        }
        return false;
    };
    int x = 0, y = AH - h;
    while (taken(x, y)) {
        x += w;
        if (x + w > AW) {
            x = 0;
            y -= h;
            if (y < 0) return TPoint(x, AH - h);
        }
    }
    return TPoint(x, y);
}

// A click into the main form's active child while the frame still thinks
// it inactive (the system does not activate a child that is active already).
void TbsSkinFrame::MDIChildMouseActivate() {
    if (!FSkinnableForm || FForm->FormStyle() != fsMDIChild || FFormActive) return;
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || main->ActiveMDIChild() != FForm) return;
    FFormActive = true;
    SetCaptionActive(FWindowState != wsMaximized);
}

// A maximized child's caption lives in the main form's frame.
void TbsSkinFrame::RepaintMainFrameForMaximizedChild() {
    if (FForm->FormStyle() != fsMDIChild || FWindowState != wsMaximized) return;
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main != FForm && main->HandleAllocated()) SendMessageW(main->Handle(), WM_NCPAINT, 1, 0);
}
