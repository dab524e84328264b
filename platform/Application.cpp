// The application object and the screen.
#include "platform/Forms.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/Clock.h"
#include "platform/MainThread.h"
#include "platform/Menus.h"
#include "platform/Owners.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR m, HDC, LPRECT, LPARAM p) {
    reinterpret_cast<std::vector<HMONITOR>*>(p)->push_back(m);
    return TRUE;
}

}  // namespace

// ---- TScreen -------------------------------------------------------------------------------------

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
        // The fonts take copies of what the handles describe.
        const platform::GdiFont status(platform::TrackGdi(CreateFontIndirectW(&ncm.lfStatusFont)));
        const platform::GdiFont menu(platform::TrackGdi(CreateFontIndirectW(&ncm.lfMenuFont)));
        hintFont_.SetHandle(status.Get());
        menuFont_.SetHandle(menu.Get());
    }
}

TScreen::~TScreen() { Destroying(); }

void TScreen::SetCursor(TCursor c) {
    Cursor = c;
    if (HCURSOR h = CursorHandle(c == crDefault ? crArrow : c)) ::SetCursor(h);
}

TRect TScreen::WorkAreaRect() const {
    RECT r{0, 0, Width(), Height()};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

namespace {

TMonitor Describe(HMONITOR m, int index) {
    TMonitor t;
    t.Handle = m;
    t.MonitorNum = index;
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (m && GetMonitorInfoW(m, &mi)) {
        t.BoundsRect = mi.rcMonitor;
        t.WorkareaRect = mi.rcWork;
        t.Primary = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
    }
    return t;
}

std::vector<HMONITOR> AllMonitors() {
    std::vector<HMONITOR> list;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

TMonitor DescribeFound(HMONITOR m) {
    const auto all = AllMonitors();
    const auto it = std::find(all.begin(), all.end(), m);
    return Describe(m, it == all.end() ? 0 : static_cast<int>(it - all.begin()));
}

}  // namespace

int TScreen::MonitorCount() const { return static_cast<int>(AllMonitors().size()); }

TMonitor TScreen::Monitors(int i) const {
    const auto all = AllMonitors();
    if (i < 0 || i >= static_cast<int>(all.size())) throw EListError(L"List index out of bounds (" + IntToStr(i) + L")");
    return Describe(all[static_cast<size_t>(i)], i);
}

TMonitor TScreen::MonitorFromWindow(HWND wnd) const {
    return DescribeFound(::MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST));
}

TMonitor TScreen::MonitorFromPoint(const TPoint& p) const {
    return DescribeFound(::MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST));
}

// ---- TApplication ---------------------------------------------------------------------------------

namespace {
constexpr UINT_PTR kHintTimer = 1;
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
    if (Application) throw EInvalidOperation(L"Only one application object may exist");
    Application = this;
    Screen = new TScreen(this);
    title_ = ChangeFileExt(ExtractFileName(ParamStr0()), L"");
    hintWindowClasses_.SetOnChange([this] { HintWindowClassChanged(); });
}

TApplication::~TApplication() {
    Destroying();
    hintWindowClasses_.SetOnChange(nullptr);
    CancelHint();
    platform::SetMessageDispatcher(nullptr);
    // Forms first (they may still talk to the application and the screen).
    for (int i = ComponentCount() - 1; i >= 0; --i)
        if (i < ComponentCount() && dynamic_cast<TCustomForm*>(Components(i))) Components(i)->Free();
    hintWindow_ = nullptr;
    DestroyComponents();
    Screen = nullptr;
    window_.reset();
    Application = nullptr;
}

void TApplication::Initialize() {
    platform::InitMainThread();
    platform::SetMessageDispatcher([this](MSG& msg) { DispatchOne(msg); });
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    Handle();
}

HWND TApplication::Handle() {
    if (!window_) {
        window_ = std::make_unique<platform::UtilWindow>(
            [this](TMessage& m) {
                // Popup menus of controls without a window are owned here.
                if (MenuItemDrawMessage(m)) return true;
                if (m.Msg != WM_TIMER || m.WParam != kHintTimer) return false;
                HintTimerExpired();
                return true;
            },
            title_.c_str());
    }
    return window_->Handle();
}

void TApplication::SetTitle(const String& v) {
    title_ = v;
    if (window_) SetWindowTextW(window_->Handle(), v.c_str());
}

void TApplication::Run() {
    if (mainForm_ && ShowMainForm) mainForm_->Show();
    while (!terminated_) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException();
        }
    }
}

void TApplication::HandleMessage() {
    if (ProcessMessage()) return;
    TControlCanvas::FreeAllDCs();
    bool done = true;
    if (OnIdle) OnIdle(this, done);
    platform::CheckSynchronize();
    if (done && !terminated_) WaitMessage();
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

bool TApplication::ProcessMessage() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    DispatchOne(msg);
    return true;
}

void TApplication::DispatchOne(MSG& msg) {
    try {
        bool handled = false;
        messageHooks_.VisitNewestFirst([&](const TMessageEvent& hook) {
            hook(msg, handled);
            return handled;
        });
        if (!handled && OnMessage) OnMessage(msg, handled);
        if (hintActive_ && hintWindow_ && hintWindow_->IsHintMsg(msg)) CancelHint();
        if (handled || IsKeyMsg(msg)) return;
        // Ctrl+F4, Ctrl+F6 and the child's system menu keys of MDI children.
        if (mainForm_ && mainForm_->ClientHandle() && TranslateMDISysAccel(mainForm_->ClientHandle(), &msg)) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    } catch (...) {
        HandleException();
    }
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR &&
        msg.message != WM_SYSCHAR)
        return false;
    TWinControl* c = TWinControl::FindControl(msg.hwnd);
    return c && c->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::Minimize() {
    if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
    MainFormSized(SIZE_MINIMIZED);
}

void TApplication::Restore() {
    if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_RESTORE);
    MainFormSized(SIZE_RESTORED);
}

void TApplication::MainFormSized(WPARAM kind) {
    const bool minimized = kind == SIZE_MINIMIZED;
    if (minimized == minimized_ || (kind != SIZE_MINIMIZED && kind != SIZE_RESTORED && kind != SIZE_MAXIMIZED)) return;
    minimized_ = minimized;
    SendMessageW(Handle(), WM_SIZE, minimized ? SIZE_MINIMIZED : SIZE_RESTORED, 0);
    if (minimized && OnMinimize) OnMinimize(this);
    if (!minimized && OnRestore) OnRestore(this);
}

int TApplication::MessageBox(const String& text, const String& caption, UINT flags) {
    return ::MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), flags);
}

bool TApplication::HelpContext(int context) {
    bool callHelp = true;
    bool result = false;
    if (OnHelp) result = OnHelp(HELP_CONTEXT, context, callHelp);
    if (!callHelp) return result;
    if (HelpFile.empty()) return false;
    String file = HelpFile;
    if (ExtractFileDrive(file).empty() && (file.empty() || file[0] != L'\\'))
        file = ExtractFilePath(ParamStr0()) + file;
    if (!FileExists(file)) return false;
    const auto r = reinterpret_cast<INT_PTR>(
        ShellExecuteW(mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr, L"open",
                      file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return r > 32;
}

void TApplication::HandleException() {
    try {
        throw;
    } catch (const std::exception& e) {
        try {
            if (OnException) OnException(this, e);
            else ShowException(e);
        } catch (...) {
            // A failing handler must not take the message loop down.
        }
    } catch (...) {
        HandleExceptionText(L"Unknown exception");
    }
}

void TApplication::HandleExceptionText(const String& text) {
    const Exception e(text);
    try {
        if (OnException) OnException(this, e);
        else ShowException(e);
    } catch (...) {
    }
}

void TApplication::ShowException(const std::exception& e) {
    const auto* ours = dynamic_cast<const Exception*>(&e);
    const String text = ours ? ours->Message() : Utf8Decode(e.what());
    MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

void TApplication::DoneForm(TCustomForm* form) {
    if (form == mainForm_) mainForm_ = nullptr;
    if (hintControl_ && form->ContainsControl(hintControl_)) CancelHint(), hintControl_ = nullptr;
}

void TApplication::ControlDestroyed(TControl* control) {
    if (control == hintControl_) {
        CancelHint();
        hintControl_ = nullptr;
    }
}

// ---- TApplication: hints ------------------------------------------------------------------------

String GetShortHint(const String& hint) { return hint.substr(0, hint.find(L'|')); }

String GetLongHint(const String& hint) {
    const size_t bar = hint.find(L'|');
    return bar == String::npos ? hint : hint.substr(bar + 1);
}

void TApplication::SetShowHint(bool v) {
    if (v == ShowHint) return;
    ShowHint = v;
    CancelHint();
    if (!v && hintWindow_) {
        hintWindow_->Free();
        hintWindow_ = nullptr;
    }
    if (v && !hintWindow_) hintWindow_ = MakeHintWindow();
}

THintWindow* TApplication::MakeHintWindow() {
    if (THintWindowClass installed = hintWindowClasses_.Newest()) return installed(this);
    return HintWindowClass ? HintWindowClass(this) : new THintWindow(this);
}

void TApplication::HintWindowClassChanged() {
    CancelHint();
    if (hintWindow_) {
        hintWindow_->Free();
        hintWindow_ = nullptr;
    }
}

void TApplication::ActivateHint(const TPoint& cursorPos) {
    TWinControl* w = TWinControl::FindControl(WindowFromPoint(POINT{cursorPos.x, cursorPos.y}));
    TControl* c = w;
    if (w) {
        if (TControl* inner = w->ControlAtPos(w->ScreenToClient(cursorPos), false)) c = inner;
    }
    CancelHint();
    hintControl_ = c;
    if (ShowHint && c && c->ShowHint() && !c->Hint.empty()) ShowHintNow();
}

void TApplication::HintMouseMove(TControl* control) {
    if (control == hintControl_) return;
    const bool wasActive = hintActive_;
    CancelHint();
    hintControl_ = control;
    const String longHint = control ? GetLongHint(control->Hint) : String();
    if (longHint != Hint) {
        Hint = longHint;
        if (OnHint) OnHint(this);
    }
    if (!ShowHint || !control || !control->ShowHint() || control->Hint.empty()) return;
    hintTimer_ = hintWaitShow;
    platform::SetWindowTimer(Handle(), kHintTimer, static_cast<UINT>(wasActive ? HintShortPause : HintPause));
}

void TApplication::CancelHint() {
    if (window_) platform::KillWindowTimer(window_->Handle(), kHintTimer);
    hintTimer_ = hintNone;
    if (hintWindow_ && hintWindow_->HandleAllocated()) hintWindow_->ReleaseHandle();
    hintActive_ = false;
}

void TApplication::HintTimerExpired() {
    platform::KillWindowTimer(Handle(), kHintTimer);
    const auto what = hintTimer_;
    hintTimer_ = hintNone;
    if (what == hintWaitShow) ShowHintNow();
    else if (what == hintWaitHide) CancelHint();
}

void TApplication::ShowHintNow() {
    TControl* c = hintControl_;
    if (!c) return;
    THintInfo info;
    info.HintControl = c;
    POINT cursor;
    GetCursorPos(&cursor);
    info.HintPos = TPoint(cursor.x, cursor.y + 20);
    info.CursorPos = c->ScreenToClient(cursor);
    info.CursorRect = c->ClientRect();
    info.HintMaxWidth = Screen ? Screen->Width() : 640;
    info.HintColor = HintColor;
    info.HideTimeout = HintHidePause;
    info.HintStr = GetShortHint(c->Hint);
    if (c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0) return;
    bool canShow = true;
    if (OnShowHint) OnShowHint(info.HintStr, canShow, info);
    showHintHooks_.VisitOldestFirst([&](const TShowHintEvent& hook) { hook(info.HintStr, canShow, info); });
    if (!canShow || info.HintStr.empty()) return;
    if (!hintWindow_) hintWindow_ = MakeHintWindow();
    hintWindow_->SetColor(info.HintColor);
    TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr);
    r.Offset(info.HintPos.x, info.HintPos.y);
    hintWindow_->ActivateHint(r, info.HintStr);
    hintActive_ = true;
    if (info.HideTimeout > 0) {
        hintTimer_ = hintWaitHide;
        platform::SetWindowTimer(Handle(), kHintTimer, static_cast<UINT>(info.HideTimeout));
    }
}
