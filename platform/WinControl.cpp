// The windowed control: its window, children, alignment, focus, painting
// and message routing.
#include <windowsx.h>

#include <algorithm>

#include "platform/Controls.h"
#include "platform/ControlsImpl.h"
#include "platform/Forms.h"
#include "platform/GdiObjects.h"
#include "platform/Menus.h"
#include "platform/Owners.h"

using namespace platform::controls_impl;

namespace {

bool IsDialogKey(WORD key) {
    switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        return true;
    default:
        return false;
    }
}

}  // namespace

// ---- TWinControl: window -------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    ControlStyle |= csAcceptsControls;
    brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
    Destroying();
    // Children go first, while this object is still a whole TWinControl.
    while (!controls_.empty()) controls_.back()->Free();
    // Leave the parent while still windowed: the base destructor would no
    // longer see a windowed control and would leave it in the tab order.
    if (Parent()) Parent()->RemoveControl(this);
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
    // Only windows of this process are bound: another copy of the program
    // never answers here.
    return wnd ? BoundControl(wnd) : nullptr;
}

TWinControl* TWinControl::FindControl(HWND wnd) {
    while (wnd) {
        if (TWinControl* c = FromHandle(wnd)) return c;
        wnd = GetParent(wnd);
    }
    return nullptr;
}

HWND TWinControl::Handle() {
    if (!handle_) CreateHandle();
    return handle_;
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    if (parent_) parent_->HandleNeeded();  // creates ours among its children
    if (!handle_) CreateWnd();
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = TControl::GetText();
    p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (parent_) {
        p.Style |= WS_CHILD;
        p.WndParent = parent_->Handle();
    } else {
        p.Style |= WS_POPUP;
        p.WndParent = ParentWindow;
    }
    if (Visible() && parent_) p.Style |= WS_VISIBLE;
    if (!Enabled()) p.Style |= WS_DISABLED;
    if (tabStop_) p.Style |= WS_TABSTOP;
    p.X = left_, p.Y = top_, p.Width = width_, p.Height = height_;
    p.WinClassName = L"Vantrel." + ClassName();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    const HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(g_nextChildId++)) : nullptr;
    if (!p.SystemClassName.empty()) {
        HWND wnd = CreateWindowExW(p.ExStyle, p.SystemClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                                   p.Width, p.Height, p.WndParent, id, inst, nullptr);
        if (!wnd) RaiseLastOSError();
        handle_ = wnd;
        BindControl(wnd, this);
        defWndProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWndProc)));
        return;
    }
    RegisterWindowClass(p);
    defWndProc_ = &DefWindowProcW;
    g_creating = this;
    const HWND wnd = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                                     p.Width, p.Height, p.WndParent, id, inst, nullptr);
    g_creating = nullptr;
    if (!wnd) RaiseLastOSError();
}

void TWinControl::RegisterWindowClass(const TCreateParams& p) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(inst, p.WinClassName.c_str(), &wc)) return;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = p.ClassStyle;
    wc.lpfnWndProc = &ControlWndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = p.WinClassName.c_str();
    if (!RegisterClassExW(&wc)) RaiseLastOSError();
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    ControlState |= csCreating;
    try {
        CreateWindowHandle(p);
    } catch (...) {
        ControlState &= ~static_cast<unsigned>(csCreating);
        throw;
    }
    ControlState &= ~static_cast<unsigned>(csCreating);
    if (!handle_) throw EOutOfResources(L"Error creating window for " + ClassName());
    FontToWindow();
    UpdateBounds();
    CreateChildHandles();
    AlignChildren();
}

void TWinControl::CreateChildHandles() {
    const std::vector<TControl*> children = controls_;
    for (TControl* c : children)
        if (c->IsWindowed() && !static_cast<TWinControl*>(c)->handle_) static_cast<TWinControl*>(c)->CreateWnd();
}

void TWinControl::DestroyWnd() {
    if (handle_) DestroyWindow(handle_);
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    ControlState |= csDestroyingHandle;
    // Keep the text that lives in the window.
    StoreText(GetText());
    const HWND old = handle_;
    DestroyWnd();
    // A window that could not be destroyed (another thread's) must not lead
    // back to this object once it is gone.
    UnbindControl(old, this);
    handle_ = nullptr;
    ControlState &= ~static_cast<unsigned>(csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    // A shown top-level window (its style never carries WS_VISIBLE) is
    // shown again in the state it had.
    const bool shown = !parent_ && IsWindowVisible(handle_);
    const int cmd = IsZoomed(handle_) ? SW_SHOWMAXIMIZED : IsIconic(handle_) ? SW_SHOWMINNOACTIVE : SW_SHOWNA;
    DestroyHandle();
    HandleNeeded();
    if (shown && !IsWindowVisible(handle_)) ShowWindow(handle_, cmd);
}

void TWinControl::FontToWindow() {
    if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

// ---- TWinControl: children and alignment -----------------------------------------------------

void TWinControl::InsertControl(TControl* c) {
    controls_.push_back(c);
    c->parent_ = this;
    if (c->IsWindowed()) {
        auto* w = static_cast<TWinControl*>(c);
        tabList_.push_back(w);
        if (handle_ && !w->handle_) w->CreateWnd();
    }
}

void TWinControl::RemoveControl(TControl* c) {
    if (TCustomForm* form = GetParentForm(this)) form->ControlRemoved(c);
    if (g_mouseControl == c) g_mouseControl = nullptr;
    if (g_captureControl == c) {
        g_captureControl = nullptr;
        ReleaseCapture();
    }
    c->Invalidate();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    if (c->IsWindowed()) {
        auto* w = static_cast<TWinControl*>(c);
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
        w->DestroyHandle();
    }
    c->parent_ = nullptr;
    if (c->Align() != alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* c) const {
    for (const TControl* p = c; p; p = p->Parent())
        if (p == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& p, bool allowDisabled, bool allowWinControls) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!allowDisabled && !c->Enabled()) || (c->IsWindowed() && !allowWinControls)) continue;
        if (!c->BoundsRect().Contains(p)) continue;
        if (c->Perform(CM_HITTEST, 0, MAKELPARAM(p.x - c->Left(), p.y - c->Top())) != 0) return c;
    }
    return nullptr;
}

LRESULT TWinControl::Broadcast(TMessage& m) {
    const std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
        c->WindowProc(m);
        if (m.Result != 0) return m.Result;
    }
    return 0;
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0 && (ControlState & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignChildren(); }

void TWinControl::AlignChildren() {
    if (alignDisabled_ > 0) {
        ControlState |= csAlignmentNeeded;
        return;
    }
    if (aligning_) return;
    aligning_ = true;
    try {
        // Aligning may change the client area itself (scroll bars coming or
        // going): then once more for the new area.
        for (int pass = 0; pass < 3; ++pass) {
            alignedClient_ = ClientRect();
            TRect r = alignedClient_;
            AdjustClientRect(r);
            AlignControls(nullptr, r);
            if (!handle_ || ClientRect() == alignedClient_) break;
        }
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
    ControlState &= ~static_cast<unsigned>(csAlignmentNeeded);
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl*, TRect& rect) {
    static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign a : order) {
        const std::vector<TControl*> children = controls_;
        for (TControl* c : children) {
            if (c->Align() != a || !c->Visible()) continue;
            switch (a) {
            case alTop:
                c->SetBounds(rect.left, rect.top, rect.Width(), c->Height());
                rect.top += c->Height();
                break;
            case alBottom:
                c->SetBounds(rect.left, rect.bottom - c->Height(), rect.Width(), c->Height());
                rect.bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(rect.left, rect.top, c->Width(), rect.Height());
                rect.left += c->Width();
                break;
            case alRight:
                c->SetBounds(rect.right - c->Width(), rect.top, c->Width(), rect.Height());
                rect.right -= c->Width();
                break;
            default:
                c->SetBounds(rect.left, rect.top, rect.Width(), rect.Height());
                break;
            }
        }
    }
    // Anchored controls keep their distances to the right and bottom edges.
    const TRect client = ClientRect();
    for (TControl* c : controls_) {
        if (c->Align() != alNone) continue;
        if (!c->anchorsKnown_) {
            c->UpdateAnchorRules();
            continue;
        }
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        const TAnchors an = c->Anchors();
        if (an & akRight) {
            if (an & akLeft) w = client.Width() - c->anchorRight_ - l;
            else l = client.Width() - c->anchorRight_ - w;
        }
        if (an & akBottom) {
            if (an & akTop) h = client.Height() - c->anchorBottom_ - t;
            else t = client.Height() - c->anchorBottom_ - h;
        }
        c->SetBounds(l, t, w, h);
    }
}

void TWinControl::ScrollBy(int dx, int dy) {
    DisableAlign();
    for (TControl* c : controls_) {
        c->left_ += dx;
        c->top_ += dy;
        if (c->IsWindowed() && static_cast<TWinControl*>(c)->handle_)
            SetWindowPos(static_cast<TWinControl*>(c)->handle_, nullptr, c->left_, c->top_, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ControlState &= ~static_cast<unsigned>(csAlignmentNeeded);
    EnableAlign();
    Invalidate();
}

// ---- TWinControl: bounds, state -------------------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height) {
    Constraints()->Apply(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool sized = width != width_ || height != height_;
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!Parent() || !Parent()->aligning_) {
        UpdateAnchorRules();
        RequestAlign();
    }
    if (sized) {
        AlignChildren();
        Resize();
    }
}

void TWinControl::UpdateBounds() {
    if (!handle_ || IsIconic(handle_)) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    const TRect b(r);
    if (b == BoundsRect()) return;
    const bool sized = b.Width() != width_ || b.Height() != height_;
    left_ = b.left, top_ = b.top, width_ = b.Width(), height_ = b.Height();
    if (Parent() && !Parent()->aligning_) UpdateAnchorRules();
    if (sized) {
        AlignChildren();
        Resize();
    }
}

TRect TWinControl::ClientRect() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r;
    }
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
    if (handle_) {
        POINT p{0, 0};
        ::ClientToScreen(handle_, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

bool TWinControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

bool TWinControl::OnScreen() const {
    if (!Showing()) return false;
    RECT area;
    if (!GetWindowRect(handle_, &area)) return false;
    for (HWND w = handle_; GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD;) {
        w = GetParent(w);
        if (!w) break;
        RECT client;
        if (!GetClientRect(w, &client)) return false;
        MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (!IntersectRect(&area, &area, &client)) return false;
    }
    return true;
}

void TWinControl::SetVisible(bool v) {
    if (v == Visible()) return;
    TControl::SetVisible(v);
    UpdateShowing();
}

void TWinControl::UpdateShowing() {
    if (!Parent()) return;  // top-level windows are shown by their own class
    if (Visible() && Parent()->HandleAllocated()) HandleNeeded();
    if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetEnabled(bool v) {
    if (v == Enabled()) return;
    TControl::SetEnabled(v);
    if (handle_) EnableWindow(handle_, v);
}

String TWinControl::GetText() const {
    if (!handle_) return TControl::GetText();
    const int n = GetWindowTextLengthW(handle_);
    String s(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(handle_, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(0, got)));
    return s;
}

void TWinControl::SetText(const String& v) {
    if (v == GetText()) return;
    StoreText(v);
    if (handle_) SetWindowTextW(handle_, v.c_str());
    Perform(CM_TEXTCHANGED);
}

// A window not on screen is painted whole when it shows: nothing to mark.
void TWinControl::Invalidate() {
    if (handle_ && IsWindowVisible(handle_))
        ::InvalidateRect(handle_, nullptr, !(ControlStyle & csOpaque) && !DoubleBuffered);
}

void TWinControl::Update() {
    if (handle_ && IsWindowVisible(handle_)) UpdateWindow(handle_);
}

// ---- TWinControl: focus and tab order -------------------------------------------------------

void TWinControl::SetTabStop(bool v) {
    if (v == tabStop_) return;
    tabStop_ = v;
    if (handle_) {
        const LONG s = GetWindowLongW(handle_, GWL_STYLE);
        SetWindowLongW(handle_, GWL_STYLE, v ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
    }
    Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& v = Parent()->tabList_;
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TWinControl::SetTabOrder(int v) {
    if (!Parent()) return;
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    v = std::clamp(v, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + v, this);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && !form->Showing()) {
        form->SetActiveControl(this);
        return;
    }
    if (!CanFocus()) throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int n = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == n) start = forward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        const int i = ((start + (forward ? step : -step)) % n + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current) continue;
        if (!c->CanFocus() || (checkTabStop && !c->TabStop()) || (checkParent && c->Parent() != this)) continue;
        return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* c = FindNextControl(current, forward, checkTabStop, false)) c->SetFocus();
}

void TWinControl::SelectFirst() {
    if (TWinControl* c = FindNextControl(nullptr, true, true, false)) c->SetFocus();
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview && form->DoKeyDown(key, shift)) return true;
    if (OnKeyDown) OnKeyDown(this, key, shift);
    return key == 0;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview && form->DoKeyUp(key, shift)) return true;
    if (OnKeyUp) OnKeyUp(this, key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(wchar_t& key) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview && form->DoKeyPress(key)) return true;
    if (OnKeyPress) OnKeyPress(this, key);
    return key == 0;
}

void TWinControl::KeyDownBeforeControl(TMessage& m) {
    const WORD key = static_cast<WORD>(m.WParam);
    const TShiftState shift = KeyboardShiftState();
    TCustomForm* form = GetParentForm(this);
    if (form && form->IsShortCut(key, shift)) {
        m.Result = 1;
        return;
    }
    if (!IsDialogKey(key) || (shift & (ssAlt | ssCtrl))) return;
    if (Perform(CM_WANTSPECIALKEY, key) != 0) return;
    const LRESULT code = handle_ ? SendMessageW(handle_, WM_GETDLGCODE, key, 0) : 0;
    if (code & DLGC_WANTALLKEYS) return;
    if (key == VK_TAB && (code & DLGC_WANTTAB)) return;
    if ((key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) && (code & DLGC_WANTARROWS)) return;
    if (form && form->Perform(CM_DIALOGKEY, key, m.LParam) != 0) m.Result = 1;
}

void TWinControl::FocusMessage(TMessage& m) {
    if (m.Msg == WM_SETFOCUS) {
        if (TCustomForm* form = GetParentForm(this)) form->FocusChanged(this);
    }
    DefaultHandler(m);
}

// ---- TWinControl: painting -------------------------------------------------------------------

void TWinControl::EraseBackground(HDC dc) {
    const TRect r = ClientRect();
    ::FillRect(dc, &r, brush_.Handle());
}

void TWinControl::PaintWindow(HDC dc) {
    if (defWndProc_ != &DefWindowProcW && defWndProc_) {
        TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
        DefaultHandler(m);
    }
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    bool started = first == nullptr;
    const std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        if (!started) {
            if (c != first) continue;
            started = true;
        }
        if (c->IsWindowed() || !c->Visible()) continue;
        const TRect r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        platform::SavedDC saved(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::PaintHandler(TMessage& m) {
    platform::PaintScope paint(handle_, m.WParam);
    const TRect client = ClientRect();
    if (DoubleBuffered && !m.WParam && !client.IsEmpty()) {
        // Compose everything off-screen, then show it in one copy.
        platform::OffscreenBuffer buffer(paint.DC(), client.Width(), client.Height());
        EraseBackground(buffer.DC());
        PaintWindow(buffer.DC());
        PaintControls(buffer.DC(), nullptr);
        BitBlt(paint.DC(), 0, 0, client.Width(), client.Height(), buffer.DC(), 0, 0, SRCCOPY);
        return;
    }
    if (m.WParam && !(ControlStyle & csOpaque)) {
        // Through the message, so that a hook in WindowProc (a skinned
        // frame) draws the background it draws on screen.
        if (defWndProc_ == &DefWindowProcW && !DoubleBuffered) Perform(WM_ERASEBKGND, m.WParam, 0);
        else EraseBackground(paint.DC());
    }
    PaintWindow(paint.DC());
    PaintControls(paint.DC(), nullptr);
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    HandleNeeded();
    {
        platform::SavedDC saved(dc);
        OffsetViewportOrgEx(dc, x, y, nullptr);
        const TRect client = ClientRect();
        IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
        if (defWndProc_ != &DefWindowProcW) {
            SendMessageW(handle_, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        } else {
            TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
            platform::StateFlagScope paintCopy(ControlState, csPaintCopy);
            PaintHandler(m);
        }
    }
    const std::vector<TControl*> children = controls_;
    for (TControl* c : children)
        if (c->IsWindowed() && c->Visible()) static_cast<TWinControl*>(c)->PaintTo(dc, x + c->Left(), y + c->Top());
}

// ---- TWinControl: messages ---------------------------------------------------------------------

void TWinControl::UpdateMouseControl(TControl* target) {
    if (target != g_mouseControl) {
        TControl* old = g_mouseControl;
        g_mouseControl = target;
        if (old) old->Perform(CM_MOUSELEAVE);
        if (target && g_mouseControl == target) target->Perform(CM_MOUSEENTER);
    }
    if (handle_) {
        TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, handle_, 0};
        TrackMouseEvent(&t);
    }
    if (Application) Application->HintMouseMove(g_mouseControl);
}

void TWinControl::RouteMouse(TMessage& m) {
    const TPoint p(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    TControl* under = ControlAtPos(p, true);
    if (m.Msg == WM_MOUSEMOVE) UpdateMouseControl(under ? under : this);
    TControl* target = (g_captureControl && g_captureControl->Parent() == this) ? g_captureControl : under;
    if (!target || (!target->Enabled() && target != g_captureControl)) {
        TControl::WndProc(m);
        return;
    }
    TMessage cm = m;
    cm.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    if (IsButtonDown(m.Msg) && (target->ControlStyle & csCaptureMouse)) {
        g_captureControl = target;
        SetCapture(handle_);
    }
    target->WindowProc(cm);
    const bool anyButton = (GetKeyState(VK_LBUTTON) | GetKeyState(VK_RBUTTON) | GetKeyState(VK_MBUTTON)) < 0;
    if (IsButtonUp(m.Msg) && g_captureControl == target && (!anyButton || m.Msg == WM_LBUTTONUP)) {
        g_captureControl = nullptr;
        if (GetCapture() == handle_) ReleaseCapture();
    }
    m.Result = cm.Result;
}

void TWinControl::ReflectNotification(TMessage& m, HWND child) {
    TWinControl* c = FromHandle(child);
    if (c && c != this) {
        m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        const bool colour = m.Msg >= WM_CTLCOLORMSGBOX && m.Msg <= WM_CTLCOLORSTATIC;
        if (!colour || m.Result != 0) return;
    }
    DefaultHandler(m);
}

void TWinControl::WndProc(TMessage& m) {
    if (IsMouseMessage(m.Msg)) {
        RouteMouse(m);
        return;
    }
    switch (m.Msg) {
    case WM_PAINT:
        if (defWndProc_ != &DefWindowProcW && controls_.empty()) DefaultHandler(m);
        else PaintHandler(m);
        return;
    case WM_PRINTCLIENT:
        if (defWndProc_ != &DefWindowProcW) break;
        PaintHandler(m);
        return;
    case WM_ERASEBKGND:
        if (defWndProc_ != &DefWindowProcW) break;
        if (!DoubleBuffered && !(ControlStyle & csOpaque)) EraseBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case WM_MOUSELEAVE:
        if (g_mouseControl && (g_mouseControl == this || g_mouseControl->Parent() == this) &&
            !(g_mouseControl->IsWindowed() && g_mouseControl != this)) {
            TControl* old = g_mouseControl;
            g_mouseControl = nullptr;
            old->Perform(CM_MOUSELEAVE);
            if (Application) Application->HintMouseMove(nullptr);
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == handle_) {
            POINT p;
            GetCursorPos(&p);
            ::ScreenToClient(handle_, &p);
            TControl* c = ControlAtPos(p, false);
            const TCursor cur = Screen && Screen->Cursor != crDefault ? Screen->Cursor : (c ? c : this)->Cursor;
            if (HCURSOR h = CursorHandle(cur)) {
                SetCursor(h);
                m.Result = 1;
                return;
            }
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FocusMessage(m);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(m.WParam);
        if (DoKeyDown(key, KeyboardShiftState())) return;
        m.WParam = key;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(m.WParam);
        if (DoKeyUp(key, KeyboardShiftState())) return;
        m.WParam = key;
        break;
    }
    case WM_CHAR: {
        auto ch = static_cast<wchar_t>(m.WParam);
        if (DoKeyPress(ch)) return;
        m.WParam = ch;
        break;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        KeyDownBeforeControl(m);
        return;
    case CN_CHAR:
    case CN_SYSCHAR: {
        TCustomForm* form = GetParentForm(this);
        const LRESULT code = handle_ ? SendMessageW(handle_, WM_GETDLGCODE, m.WParam, 0) : 0;
        const bool wantsChars = (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) != 0 && m.Msg == CN_CHAR;
        if (form && !wantsChars && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) m.Result = 1;
        return;
    }
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(m);
        return;
    case WM_COMMAND:
        if (m.LParam) {
            ReflectNotification(m, reinterpret_cast<HWND>(m.LParam));
            return;
        }
        break;
    case WM_NOTIFY:
        ReflectNotification(m, reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom);
        return;
    case WM_DRAWITEM:
        if (reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->CtlType != ODT_MENU) {
            ReflectNotification(m, reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem);
            return;
        }
        if (MenuItemDrawMessage(m)) return;
        break;
    case WM_MEASUREITEM:
        if (reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlType != ODT_MENU && handle_) {
            ReflectNotification(m, GetDlgItem(handle_, static_cast<int>(m.WParam)));
            return;
        }
        if (reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlType == ODT_MENU && MenuItemDrawMessage(m)) return;
        break;
    case WM_DELETEITEM:
        ReflectNotification(m, reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem);
        return;
    case WM_COMPAREITEM:
        ReflectNotification(m, reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (m.LParam) {
            ReflectNotification(m, reinterpret_cast<HWND>(m.LParam));
            return;
        }
        break;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(m);
        UpdateBounds();
        // A frame that answers WM_NCCALCSIZE differently changes the client
        // area without moving the window: the aligned children follow.
        if (handle_ && ClientRect() != alignedClient_) AlignChildren();
        return;
    case WM_CONTEXTMENU:
        if (ContextPopup(this, m.LParam)) return;
        break;
    case CM_FONTCHANGED: {
        FontToWindow();
        TMessage pm{CM_PARENTFONTCHANGED, 0, 0, 0};
        for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(pm);
        Invalidate();
        return;
    }
    case CM_COLORCHANGED: {
        brush_.SetColor(Color());
        TMessage pm{CM_PARENTCOLORCHANGED, 0, 0, 0};
        for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(pm);
        Invalidate();
        return;
    }
    case CM_SHOWHINTCHANGED: {
        TMessage pm{CM_PARENTSHOWHINTCHANGED, 0, 0, 0};
        for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(pm);
        return;
    }
    default:
        break;
    }
    TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (handle_ && defWndProc_) m.Result = CallWindowProcW(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
    else m.Result = 0;
}

