// Forms, continued: MDI frames and children, and scrolling forms.
#include <algorithm>

#include "platform/ControlsImpl.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

namespace {

// First command id of the child entries the system adds to the window menu
// (above the ids of the menu items).
constexpr UINT kFirstMDIChildId = 0xFF00;

}  // namespace

// ---- MDI ------------------------------------------------------------------------------------------

TCustomForm* TCustomForm::MDIMainForm() const {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    return main && main != this && main->FormStyle() == fsMDIForm && main->clientHandle_ ? main : nullptr;
}

void TCustomForm::MDIChildParams(TCreateParams& p) {
    TCustomForm* main = MDIMainForm();
    if (!main) throw EInvalidOperation(L"Cannot create form. No MDI forms are currently active");
    p.Style &= ~static_cast<DWORD>(WS_POPUP);
    p.Style |= WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (borderStyle_ == bsNone) p.Style |= WS_CAPTION | WS_THICKFRAME | WS_SYSMENU;
    p.ExStyle |= WS_EX_MDICHILD;
    p.WndParent = main->clientHandle_;
}

void TCustomForm::CreateWindowHandle(const TCreateParams& p) {
    if (formStyle_ != fsMDIChild) {
        TWinControl::CreateWindowHandle(p);
        return;
    }
    // The client window makes its children itself and keeps their list.
    RegisterWindowClass(p);
    defWndProc_ = &DefWindowProcW;
    MDICREATESTRUCTW mcs{};
    mcs.szClass = p.WinClassName.c_str();
    mcs.szTitle = p.Caption.c_str();
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = p.X, mcs.y = p.Y, mcs.cx = p.Width, mcs.cy = p.Height;
    mcs.style = p.Style & ~static_cast<DWORD>(WS_CHILD);
    platform::controls_impl::g_creating = this;
    const auto wnd = reinterpret_cast<HWND>(SendMessageW(p.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    platform::controls_impl::g_creating = nullptr;
    if (!wnd) RaiseLastOSError();
}

void TCustomForm::CreateMDIClient() {
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = nullptr;
    ccs.idFirstChild = kFirstMDIChildId;
    TRect r = ClientRect();
    AdjustClientRect(r);
    clientHandle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, r.left, r.top,
                                    r.Width(), r.Height(), Handle(), nullptr, GetModuleHandleW(nullptr), &ccs);
    if (!clientHandle_) RaiseLastOSError();
    Realign();
    UpdateWindowMenu();
}

void TCustomForm::DefaultHandler(TMessage& m) {
    if (HandleAllocated() && formStyle_ == fsMDIChild && (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        m.Result = DefMDIChildProcW(Handle(), m.Msg, m.WParam, m.LParam);
        return;
    }
    if (HandleAllocated() && clientHandle_) {
        m.Result = DefFrameProcW(Handle(), clientHandle_, m.Msg, m.WParam, m.LParam);
        return;
    }
    TWinControl::DefaultHandler(m);
}

void TCustomForm::SetWindowMenu(TMenuItem* item) {
    if (item == windowMenu_) return;
    if (windowMenu_) windowMenu_->RemoveFreeNotification(this);
    windowMenu_ = item;
    if (item) item->FreeNotification(this);
    UpdateWindowMenu();
}

void TCustomForm::UpdateWindowMenu() {
    if (!clientHandle_ || !menu_ || !HandleAllocated()) return;
    HMENU bar = menu_->Handle();
    HMENU sub = nullptr;
    // The native bar holds the visible items only.
    int pos = 0;
    for (int i = 0; i < menu_->Items()->Count(); ++i) {
        TMenuItem* item = menu_->Items()->Items(i);
        if (!item->Visible()) continue;
        if (item == windowMenu_) sub = GetSubMenu(bar, pos);
        ++pos;
    }
    SendMessageW(clientHandle_, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(sub));
    DrawMenuBar(Handle());
}

int TCustomForm::MDIChildCount() const {
    int n = 0;
    for (HWND w = clientHandle_ ? GetWindow(clientHandle_, GW_CHILD) : nullptr; w; w = GetWindow(w, GW_HWNDNEXT))
        if (dynamic_cast<TCustomForm*>(TWinControl::FromHandle(w))) ++n;
    return n;
}

TCustomForm* TCustomForm::MDIChildren(int i) const {
    int n = 0;
    for (HWND w = clientHandle_ ? GetWindow(clientHandle_, GW_CHILD) : nullptr; w; w = GetWindow(w, GW_HWNDNEXT))
        if (auto* f = dynamic_cast<TCustomForm*>(TWinControl::FromHandle(w)); f && n++ == i) return f;
    throw EListError(L"List index out of bounds (" + IntToStr(i) + L")");
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    const auto active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(TWinControl::FromHandle(active));
}

void TCustomForm::Tile() {
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDITILE, TileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::Cascade() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::ArrangeIcons() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDINEXT, 0, 0);
}

// ---- scrolling ------------------------------------------------------------------------------------

void TCustomForm::SetAutoScroll(bool v) {
    if (v == autoScroll_) return;
    autoScroll_ = v;
    Realign();  // the range follows the alignment
}

void TCustomForm::ChildMoved(TControl*) {
    if (autoScroll_ && !updatingScroll_) Realign();
}

void TCustomForm::ScrollChildren(int dx, int dy) {
    const bool was = updatingScroll_;
    updatingScroll_ = true;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() == alNone) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    updatingScroll_ = was;
    Invalidate();
}

void TCustomForm::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    if (clientHandle_)
        SetWindowPos(clientHandle_, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateScrollRange();
}

void TCustomForm::UpdateScrollRange() {
    if (!HandleAllocated() || updatingScroll_) return;
    updatingScroll_ = true;
    // The extent of the controls that stay where they are put, in
    // unscrolled coordinates.
    int right = 0, bottom = 0;
    if (autoScroll_) {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (!c->Visible() || c->Align() != alNone) continue;
            right = std::max(right, c->Left() + c->Width() + scrollX_);
            bottom = std::max(bottom, c->Top() + c->Height() + scrollY_);
        }
    }
    const HWND wnd = Handle();
    for (int bar : {SB_HORZ, SB_VERT}) {
        const bool horz = bar == SB_HORZ;
        const int extent = horz ? right : bottom;
        // The page is the client size without this bar's own room.
        RECT client;
        GetClientRect(wnd, &client);
        const int page = horz ? client.right : client.bottom;
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        int& pos = horz ? scrollX_ : scrollY_;
        if (autoScroll_ && extent > page) {
            si.nMax = extent - 1;
            si.nPage = static_cast<UINT>(std::max(page, 0));
            const int newPos = std::clamp(pos, 0, extent - page);
            if (newPos != pos) {
                ScrollChildren(horz ? pos - newPos : 0, horz ? 0 : pos - newPos);
                pos = newPos;
            }
            si.nPos = pos;
        } else if (pos != 0) {
            ScrollChildren(horz ? pos : 0, horz ? 0 : pos);
            pos = 0;
        }
        SetScrollInfo(wnd, bar, &si, TRUE);
    }
    updatingScroll_ = false;
}

void TCustomForm::ScrollMessage(TMessage& m) {
    const bool horz = m.Msg == WM_HSCROLL;
    const int bar = horz ? SB_HORZ : SB_VERT;
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Handle(), bar, &si);
    const int line = 8, page = std::max(static_cast<int>(si.nPage), 1);
    const int last = std::max(si.nMax - page + 1, 0);
    int& pos = horz ? scrollX_ : scrollY_;
    int target = pos;
    switch (LOWORD(m.WParam)) {
    case SB_LINEUP: target -= line; break;
    case SB_LINEDOWN: target += line; break;
    case SB_PAGEUP: target -= page; break;
    case SB_PAGEDOWN: target += page; break;
    case SB_THUMBPOSITION: target = HIWORD(m.WParam); break;
    case SB_THUMBTRACK: target = si.nTrackPos; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = last; break;
    default: return;
    }
    target = std::clamp(target, 0, last);
    if (target == pos) return;
    ScrollChildren(horz ? pos - target : 0, horz ? 0 : pos - target);
    pos = target;
    SetScrollPos(Handle(), bar, pos, TRUE);
}
