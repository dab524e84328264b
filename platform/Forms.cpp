#include "platform/Forms.h"

#include <algorithm>

#include "platform/MainThread.h"
#include "platform/Menus.h"
#include "platform/Owners.h"

namespace {

// Every descendant of a control, depth first.
void ForEachDescendant(TWinControl* parent, const std::function<void(TControl*)>& fn) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        fn(c);
        if (c->IsWindowed()) ForEachDescendant(static_cast<TWinControl*>(c), fn);
    }
}

BOOL CALLBACK CollectEnabledWindow(HWND w, LPARAM p) {
    if (IsWindowVisible(w) && IsWindowEnabled(w)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
}

TRect CenteredIn(const TRect& area, int width, int height) {
    return Bounds(area.left + (area.Width() - width) / 2, area.top + (area.Height() - height) / 2, width, height);
}

}  // namespace

// ---- TCustomForm ---------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {
    BeginLoading();
    TControl::SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    if (Screen) Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
    if (!destroyed_) TCustomForm::BeforeDestruction();
    canvas_->FreeHandle();
    if (Screen) {
        auto& v = Screen->forms_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        if (Screen->activeForm_ == this) Screen->activeForm_ = nullptr;
    }
    if (Application) Application->DoneForm(this);
}

void TCustomForm::BeforeDestruction() {
    TWinControl::BeforeDestruction();
    if (destroyed_) return;
    destroyed_ = true;
    if (!OnDestroy) return;
    try {
        OnDestroy(this);
    } catch (...) {
        HandleUIException();
    }
}

void TCustomForm::AfterConstruction() {
    if (created_) return;
    created_ = true;
    EndLoading();
    DoCreate();
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

TCanvas* TCustomForm::Canvas() { return canvas_.get(); }

void TCustomForm::PaintWindow(HDC dc) {
    if (OnPaint) canvas_->PaintOn(dc, [this] { OnPaint(this); });
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    if (Parent()) return;  // a form placed inside another control
    p.Style &= ~static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CHILD);
    // A new window of a shown form (RecreateWnd) shows at once.
    if (Visible()) p.Style |= WS_VISIBLE;
    switch (borderStyle_) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: p.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        p.Style |= WS_POPUP | WS_CAPTION;
        p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) p.ExStyle |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        p.Style |= WS_SYSMENU;
        const bool boxes = borderStyle_ == bsSingle || borderStyle_ == bsSizeable;
        if (boxes && (borderIcons_ & biMinimize)) p.Style |= WS_MINIMIZEBOX;
        if (boxes && (borderIcons_ & biMaximize)) p.Style |= WS_MAXIMIZEBOX;
        if ((borderIcons_ & biHelp) && !(p.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) p.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (formStyle_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    if (formStyle_ == fsMDIChild) {
        MDIChildParams(p);
        return;
    }
    if (Position == poDefault || Position == poDefaultPosOnly) p.X = p.Y = CW_USEDEFAULT;
    // The main form stands alone; other forms are owned by it (or by the
    // application window before there is a main form).
    if (!p.WndParent && Application && Application->MainForm() != this) {
        TCustomForm* main = Application->MainForm();
        p.WndParent = main && main->HandleAllocated() ? main->Handle() : Application->Handle();
    }
}

void TCustomForm::ApplyPosition() {
    positioned_ = true;
    TRect area;
    switch (Position) {
    case poScreenCenter:
    case poDesktopCenter:
        area = Screen ? Screen->MonitorFromWindow(Handle()).WorkareaRect : TRect(0, 0, 800, 600);
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* ref = Position == poMainFormCenter && Application ? Application->MainForm()
                                                                       : dynamic_cast<TCustomForm*>(Owner());
        if (!ref || ref == this || !ref->HandleAllocated()) ref = Application ? Application->MainForm() : nullptr;
        if (ref && ref != this && ref->HandleAllocated()) area = ref->BoundsRect();
        else if (Screen) area = Screen->WorkAreaRect();
        break;
    }
    default:
        return;
    }
    const TRect r = CenteredIn(area, Width(), Height());
    SetBounds(r.left, r.top, r.Width(), r.Height());
}

void TCustomForm::SetVisible(bool v) {
    if (v) {
        if (Visible() && Showing()) return;
        AfterConstruction();
        HandleNeeded();
        if (!positioned_) ApplyPosition();
        TControl::SetVisible(true);
        if (OnShow) OnShow(this);
        static const int cmds[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(Handle(), cmds[windowState_]);
        if (Parent()) return;
        if (formStyle_ == fsMDIChild) {
            SendMessageW(GetParent(Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
            return;
        }
        SetForegroundWindow(Handle());
        return;
    }
    if (!Visible() && !Showing()) return;
    if (OnHide) OnHide(this);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    TControl::SetVisible(false);
}

void TCustomForm::Show() {
    SetVisible(true);
    if (HandleAllocated()) BringWindowToTop(Handle());
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::Active() const { return HandleAllocated() && GetActiveWindow() == const_cast<TCustomForm*>(this)->Handle(); }

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (modal_) {
        ModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) Application->Terminate();
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release() {
    if (HandleAllocated()) PostMessageW(Handle(), CM_RELEASE, 0, 0);
    else Free();
}

bool TCustomForm::ModalCloseAllowed() {
    if (!CloseQuery()) return false;
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    return action != caNone;
}

TModalResult TCustomForm::ShowModal() {
    if (modal_ || Showing() || !Enabled()) throw EInvalidOperation(L"Cannot make a visible window modal");
    AfterConstruction();
    if (GetCapture()) SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HandleNeeded();
    const HWND self = Handle();
    const HWND previous = GetActiveWindow();
    // Every other enabled window of this thread waits for the modal form.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    disabled.erase(std::remove(disabled.begin(), disabled.end(), self), disabled.end());
    for (HWND w : disabled) EnableWindow(w, FALSE);
    modal_ = true;
    ModalResult = mrNone;
    try {
        Show();
        while (ModalResult == mrNone) {
            if (Application) Application->HandleMessage();
            else platform::PumpingWait(GetCurrentProcess(), 20);
            if (Application && Application->Terminated()) ModalResult = mrCancel;
            if (ModalResult != mrNone && !ModalCloseAllowed()) ModalResult = mrNone;
        }
    } catch (...) {
        EndModal();
        for (HWND w : disabled) EnableWindow(w, TRUE);
        throw;
    }
    for (HWND w : disabled) EnableWindow(w, TRUE);
    EndModal();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return ModalResult;
}

void TCustomForm::EndModal() {
    modal_ = false;
    Hide();
}

void TCustomForm::SetActiveControl(TWinControl* c) {
    if (c && (c == this || !ContainsControl(c))) throw EInvalidOperation(L"Invalid active control");
    activeControl_ = c;
    if (c && Showing() && Active() && c->CanFocus() && !c->Focused()) c->SetFocus();
}

void TCustomForm::SetFormStyle(TFormStyle v) {
    if (v == formStyle_) return;
    const bool mdi = v == fsMDIForm || v == fsMDIChild || formStyle_ == fsMDIForm || formStyle_ == fsMDIChild;
    formStyle_ = v;
    if (mdi) {
        RecreateWnd();
        return;
    }
    if (HandleAllocated() && !Parent())
        SetWindowPos(Handle(), v == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
    if (v == borderIcons_) return;
    borderIcons_ = v;
    RecreateWnd();
}

TWindowState TCustomForm::WindowState() const {
    if (HandleAllocated()) {
        HWND h = const_cast<TCustomForm*>(this)->Handle();
        if (IsIconic(h)) return wsMinimized;
        if (IsZoomed(h)) return wsMaximized;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState v) {
    windowState_ = v;
    static const int cmds[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    if (HandleAllocated() && Showing()) ShowWindow(Handle(), cmds[v]);
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) {
    bool handled = false;
    if (OnShortCut) OnShortCut(key, shift, handled);
    if (handled) return true;
    if (menu_ && menu_->IsShortCut(key, shift)) return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* popup = dynamic_cast<TPopupMenu*>(Components(i)); popup && popup->IsShortCut(key, shift)) return true;
    return false;
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu_) {
        menu_->RemoveFreeNotification(this);
        menu_->WindowHandle = nullptr;
        if (HandleAllocated() && !Parent()) ::SetMenu(Handle(), nullptr);
    }
    menu_ = menu;
    if (!menu) return;
    menu->FreeNotification(this);
    if (HandleAllocated() && !Parent()) {
        menu->WindowHandle = Handle();
        ::SetMenu(Handle(), menu->Handle());
    }
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (menu_ && !Parent() && formStyle_ != fsMDIChild) {
        menu_->WindowHandle = Handle();
        ::SetMenu(Handle(), menu_->Handle());
    }
    if (formStyle_ == fsMDIForm && !Parent()) CreateMDIClient();
}

void TCustomForm::DestroyWnd() {
    if (menu_ && GetMenu(Handle()) == menu_->Handle()) ::SetMenu(Handle(), nullptr);
    if (menu_) menu_->WindowHandle = nullptr;
    const HWND client = GetParent(Handle());
    if (formStyle_ == fsMDIChild && (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD) && client) {
        // The client window keeps the list of its children.
        SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
    } else {
        TWinControl::DestroyWnd();
    }
    clientHandle_ = nullptr;
}

void TCustomForm::Notification(TComponent* component, TOperation op) {
    TWinControl::Notification(component, op);
    if (op == opRemove && component == menu_) menu_ = nullptr;
    if (op == opRemove && component == windowMenu_) windowMenu_ = nullptr;
}

void TCustomForm::FocusChanged(TWinControl* control) {
    if (focused_ == control) return;
    TWinControl* old = focused_;
    focused_ = control;
    if (control != this) activeControl_ = control;
    if (old) old->DoExit();
    TMessage m{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control), 0};
    ForEachDescendant(this, [&](TControl* c) { c->WindowProc(m); });
    if (control && focused_ == control) control->DoEnter();
}

void TCustomForm::ControlRemoved(TControl* control) {
    auto gone = [control](TWinControl* c) {
        return c && (c == control || (control->IsWindowed() && static_cast<TWinControl*>(control)->ContainsControl(c)));
    };
    if (gone(activeControl_)) activeControl_ = nullptr;
    if (gone(focused_)) focused_ = nullptr;
}

void TCustomForm::Activate() {
    if (Screen) Screen->activeForm_ = this;
    if (activeControl_ && activeControl_->CanFocus()) activeControl_->SetFocus();
    else SelectFirst();
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATE:
        DefaultHandler(m);
        if (LOWORD(m.WParam) != WA_INACTIVE) Activate();
        else Deactivate();
        return;
    case CM_MENUCHANGED:
        UpdateWindowMenu();
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (m.LParam == 0 && autoScroll_) {
            ScrollMessage(m);
            return;
        }
        break;
    case WM_SIZE:
        TWinControl::WndProc(m);
        // The system's frame procedure has stretched the MDI client window
        // over the whole client area: it goes back beside the aligned controls.
        if (clientHandle_) Realign();
        if (Application && Application->MainForm() == this) Application->MainFormSized(m.WParam);
        return;
    case WM_COMMAND:
        // A command of the menu bar.
        if (m.LParam == 0 && HIWORD(m.WParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(m.WParam))) return;
        break;
    case CM_DIALOGKEY:
        if (m.WParam == VK_TAB && !(KeyboardShiftState() & (ssCtrl | ssAlt))) {
            SelectNext(activeControl_, !(KeyboardShiftState() & ssShift), true);
            m.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

// ---- THintWindow ------------------------------------------------------------------------------

bool THintWindow::IsHintMsg(const MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_ACTIVATE:
        return true;
    default:
        return false;
    }
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetColor(clInfoBk);
    TControl::SetVisible(false);
    if (Screen) Font()->Assign(Screen->HintFont());
}

void THintWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.ClassStyle |= CS_SAVEBITS;
    p.WndParent = Application ? Application->Handle() : nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, const String& hint) {
    platform::WindowDC dc;
    platform::SelectedObject font(dc.Get(), Font()->Handle());
    RECT r{0, 0, maxWidth, 0};
    DrawTextW(dc.Get(), hint.c_str(), static_cast<int>(hint.size()), &r,
              DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    return TRect(0, 0, r.right + 8, r.bottom + 4);
}

void THintWindow::ActivateHint(TRect r, const String& hint) {
    SetText(hint);
    SetBounds(r.left, r.top, r.Width(), r.Height());
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::Paint() {
    TRect r = ClientRect();
    Canvas()->FillRect(r);
    InflateRect(&r, -3, -1);
    Canvas()->Brush()->SetStyle(bsClear);
    const String text = Caption();
    DrawTextW(Canvas()->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}
