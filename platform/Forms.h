#pragma once
// Forms, the application object and the screen.
//
// A form is built in code: its constructor creates its components (they are
// loading meanwhile) and then either calls AfterConstruction itself or leaves
// it to Application->CreateForm / Show / ShowModal; AfterConstruction calls
// Loaded on every component and then OnCreate.
//
// Start-up of a program:
//     TApplication app;                 // sets ::Application and ::Screen
//     Application->Initialize();
//     Application->SetTitle(L"...");
//     Application->HelpFile = L"help.chm";
//     Application->CreateForm(Form1);   // the first form is the main form
//     Application->Run();               // until the main form closes
//
// Threads: UI thread only (other threads reach it through TThread::Synchronize
// or platform::CallInMainThread).

#include <memory>

#include "platform/Controls.h"
#include "platform/HookList.h"
#include "platform/UtilWindow.h"

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TShortCutEvent = std::function<void(WORD key, TShiftState shift, bool& handled)>;
enum TTileMode { tbHorizontal, tbVertical };

class TMainMenu;
class TMenuItem;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // The menu bar of the form (nullptr: none).
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    // Ends construction once: Loaded on every component, then OnCreate.
    void AfterConstruction();

    void Show();
    void Hide();
    // Asks OnCloseQuery and OnClose; a modal form ends its modal loop with
    // mrCancel; closing the main form terminates the application.
    void Close();
    // Shows the form with every other window of the thread disabled until
    // ModalResult is set; returns it.
    TModalResult ShowModal();
    // Frees the form once the messages now queued have been handled.
    void Release();
    void SetVisible(bool v) override;
    bool Active() const;

    TModalResult ModalResult = mrNone;
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* c);
    TFormStyle FormStyle() const { return formStyle_; }
    // Switching to or from an MDI style makes a new window.
    void SetFormStyle(TFormStyle v);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons v);
    TPosition Position = poDesigned;
    TWindowState WindowState() const;
    void SetWindowState(TWindowState v);
    // The form sees key events before its controls.
    bool KeyPreview = false;

    // ---- scrolling -------------------------------------------------------------------------
    // Scroll bars appear when controls (not aligned ones) lie beyond the
    // client area; scrolling moves the controls.
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool v);
    // Where the view stands in the scrolled area.
    TPoint ScrollPosition() const { return TPoint(scrollX_, scrollY_); }

    // ---- MDI (FormStyle fsMDIForm: a frame with child forms; fsMDIChild:
    // such a child, inside the main form's client window) -----------------------------
    // The MDI client window of an MDI form; nullptr otherwise.
    HWND ClientHandle() const { return clientHandle_; }
    int MDIChildCount() const;
    // The children, the active (topmost) one first.
    TCustomForm* MDIChildren(int i) const;
    TCustomForm* ActiveMDIChild() const;
    // The menu-bar item whose sub-menu lists the children.
    TMenuItem* WindowMenu() const { return windowMenu_; }
    void SetWindowMenu(TMenuItem* item);
    TTileMode TileMode = tbHorizontal;
    void Tile();
    void Cascade();
    void ArrangeIcons();
    // Activates the next child.
    void Next();
    // False for helper windows (layered borders, drop-downs) that the
    // program's broadcasts to every form, such as a change of look, skip.
    bool TakesBroadcasts = true;
    // Topic of the help file shown for this form.
    int HelpContext = 0;
    TCanvas* Canvas();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    virtual bool CloseQuery();
    // Keys offered before the focused control gets them: OnShortCut, then
    // the main menu, then the popup menus the form owns.
    virtual bool IsShortCut(WORD key, TShiftState shift);
    // Called by controls of the form.
    void FocusChanged(TWinControl* control);
    void ControlRemoved(TControl* control);
    using TWinControl::DoKeyDown;
    using TWinControl::DoKeyPress;
    using TWinControl::DoKeyUp;

    void WndProc(TMessage& m) override;

protected:
    // Raises OnDestroy while the whole form still exists (forms freed with
    // Free, Release or by their owner); a plain delete raises it from the
    // base destructor instead.
    void BeforeDestruction() override;
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    // Takes the menu bar off first: a window frees the menu it holds.
    void DestroyWnd() override;
    void Notification(TComponent* component, TOperation op) override;
    void PaintWindow(HDC dc) override;
    void CreateWindowHandle(const TCreateParams& p) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void ChildMoved(TControl* control) override;
    void DefaultHandler(TMessage& m) override;
    virtual void DoCreate();
    virtual void Activate();
    virtual void Deactivate();

private:
    void ApplyPosition();
    void EndModal();
    bool ModalCloseAllowed();
    // MDI and scrolling (FormsMDI.cpp).
    void MDIChildParams(TCreateParams& p);
    void CreateMDIClient();
    void UpdateWindowMenu();
    void UpdateScrollRange();
    void ScrollMessage(TMessage& m);
    // Moves the controls that are not aligned (the scrolled area).
    void ScrollChildren(int dx, int dy);
    TCustomForm* MDIMainForm() const;

    TWinControl* activeControl_ = nullptr;
    TWinControl* focused_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TFormStyle formStyle_ = fsNormal;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TWindowState windowState_ = wsNormal;
    std::unique_ptr<TControlCanvas> canvas_;
    bool created_ = false;
    bool destroyed_ = false;  // OnDestroy raised
    bool positioned_ = false;
    bool modal_ = false;
    bool autoScroll_ = false;
    bool updatingScroll_ = false;
    int scrollX_ = 0, scrollY_ = 0;
    HWND clientHandle_ = nullptr;
    TMenuItem* windowMenu_ = nullptr;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// ---- hints -----------------------------------------------------------------------------------

struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;  // screen
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;  // client coordinates of HintControl
    TPoint CursorPos;  // client coordinates of HintControl
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    String HintStr;
};

// The window that shows a hint; derive to draw it differently and install
// the class through Application->HintWindowClass.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    // The size the text needs, at most maxWidth wide.
    virtual TRect CalcHintRect(int maxWidth, const String& hint);
    // Shows the hint at r (screen) without taking the focus.
    virtual void ActivateHint(TRect r, const String& hint);
    // True for the messages that end a showing hint (keys, clicks, the
    // wheel); the application then hides it.
    virtual bool IsHintMsg(const MSG& msg);
    void ReleaseHandle() { DestroyHandle(); }

protected:
    void CreateParams(TCreateParams& p) override;
    void Paint() override;
};

// ---- screen ----------------------------------------------------------------------------------

struct TMonitor {
    HMONITOR Handle = nullptr;
    int MonitorNum = 0;
    TRect BoundsRect;
    TRect WorkareaRect;
    bool Primary = false;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int i) const { return forms_.at(static_cast<size_t>(i)); }
    TCustomForm* ActiveForm() const { return activeForm_; }
    TCustomForm* ActiveCustomForm() const { return activeForm_; }

    // Shown everywhere over the program's windows while not crDefault.
    TCursor Cursor = crDefault;
    void SetCursor(TCursor c);

    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    int PixelsPerInch() const { return ScreenPixelsPerInch(); }
    // Work area of the primary monitor.
    TRect WorkAreaRect() const;
    int MonitorCount() const;
    TMonitor Monitors(int i) const;
    TMonitor MonitorFromWindow(HWND wnd) const;
    TMonitor MonitorFromPoint(const TPoint& p) const;
    TFont* HintFont() { return &hintFont_; }
    TFont* MenuFont() { return &menuFont_; }

private:
    friend class TCustomForm;
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TFont hintFont_, menuFont_;
};

// ---- application -----------------------------------------------------------------------------

using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;
using TShowHintEvent = std::function<void(String& hintStr, bool& canShow, THintInfo& hintInfo)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Makes this thread the UI thread and prepares the common controls.
    void Initialize();
    // The hidden application window (owner of the program's windows).
    HWND Handle();
    const String& Title() const { return title_; }
    void SetTitle(const String& v);
    String HelpFile;
    String ExeName() const { return ParamStr0(); }

    TCustomForm* MainForm() const { return mainForm_; }
    bool ShowMainForm = true;
    // Creates a form owned by the application; the first becomes the main form.
    template <class T>
    void CreateForm(T*& ref) {
        T* form = new T(this);
        ref = form;
        if (!mainForm_) mainForm_ = form;
        form->AfterConstruction();
    }

    // Shows the main form and serves messages until Terminate.
    void Run();
    // Handles one message, or runs the idle work and waits for the next.
    void HandleMessage();
    // Handles every message waiting now.
    void ProcessMessages();
    // The route of every message: OnMessage, hint and key handling, dispatch.
    // Returns false when the queue was empty.
    bool ProcessMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Minimizes / restores the main form. Either way, and whenever the main
    // form is minimized or restored by the user, the application window gets
    // WM_SIZE (SIZE_MINIMIZED / SIZE_RESTORED), which a subclass of it (a
    // tray icon) can watch, and OnMinimize / OnRestore run.
    void Minimize();
    void Restore();
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    int MessageBox(const String& text, const String& caption, UINT flags);
    // Opens HelpFile (beside the program when relative) at a topic; OnHelp
    // may answer instead. False when there is no help to show.
    bool HelpContext(int context);
    // (command, data, callHelp): clear callHelp to answer the request here.
    std::function<bool(WORD command, int data, bool& callHelp)> OnHelp;

    // Call inside a catch block: OnException, else a message box.
    void HandleException();
    void ShowException(const std::exception& e);

    TMessageEvent OnMessage;
    // Message hooks shared by components, added and removed by identity
    // (keep the token). Every message the application's loops take (Run,
    // HandleMessage, ProcessMessages, modal loops, waits that pump) goes to
    // the hooks newest first and then to OnMessage, until one sets handled.
    using TMessageHooks = platform::HookList<void(MSG& msg, bool& handled)>;
    [[nodiscard]] TMessageHooks::Token AddMessageHook(TMessageEvent hook) {
        return messageHooks_.Add(std::move(hook));
    }
    TIdleEvent OnIdle;
    TExceptionEvent OnException;

    // ---- hints ---------------------------------------------------------------------------
    bool ShowHint = true;
    // Sets ShowHint; switching hints on again makes a new hint window of
    // the current HintWindowClass.
    void SetShowHint(bool v);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
    TShowHintEvent OnShowHint;
    // Show-hint hooks shared by components: OnShowHint runs first, then the
    // hooks oldest first (the newest has the last word).
    using TShowHintHooks = platform::HookList<void(String& hintStr, bool& canShow, THintInfo& hintInfo)>;
    [[nodiscard]] TShowHintHooks::Token AddShowHintHook(TShowHintEvent hook) {
        return showHintHooks_.Add(std::move(hook));
    }
    using THintWindowClass = std::function<THintWindow*(TComponent* owner)>;
    THintWindowClass HintWindowClass;
    // Hint window classes installed by components: the newest one still
    // installed is in force (else HintWindowClass, else THintWindow). A
    // change frees the current hint window; the next hint makes one of the
    // class now in force.
    using THintWindowClasses = platform::HookList<THintWindow*(TComponent* owner)>;
    [[nodiscard]] THintWindowClasses::Token AddHintWindowClass(THintWindowClass windowClass) {
        return hintWindowClasses_.Add(std::move(windowClass));
    }
    // The pointer moved over control (nullptr: over nothing of ours).
    void HintMouseMove(TControl* control);
    void CancelHint();
    // Shows the hint of the control under a screen point at once.
    void ActivateHint(const TPoint& cursorPos);
    // The long part of the hint of the control under the pointer; OnHint
    // runs whenever it changes (for a status bar).
    String Hint;
    TNotifyEvent OnHint;
    THintWindow* HintWindow() const { return hintWindow_; }
    bool HintShowing() const { return hintActive_; }
    // Called by controls that go away.
    void ControlDestroyed(TControl* control);

private:
    friend class TCustomForm;
    void HintTimerExpired();
    void ShowHintNow();
    bool IsKeyMsg(MSG& msg);
    void DispatchOne(MSG& msg);
    void DoneForm(TCustomForm* form);
    // The main form's window went to / came back from the taskbar.
    void MainFormSized(WPARAM kind);
    void HandleExceptionText(const String& text);
    THintWindow* MakeHintWindow();
    void HintWindowClassChanged();

    std::unique_ptr<platform::UtilWindow> window_;
    String title_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool minimized_ = false;
    TControl* hintControl_ = nullptr;
    THintWindow* hintWindow_ = nullptr;
    bool hintActive_ = false;
    enum { hintNone, hintWaitShow, hintWaitHide } hintTimer_ = hintNone;
    TMessageHooks messageHooks_;
    TShowHintHooks showHintHooks_;
    THintWindowClasses hintWindowClasses_;
};

// "short|long": the part before the bar, and the part after it (the whole
// text without a bar).
String GetShortHint(const String& hint);
String GetLongHint(const String& hint);

extern TApplication* Application;
extern TScreen* Screen;
