#pragma once
// Controls: the windowless base TControl, the windowed TWinControl, and the
// two painting bases TCustomControl (windowed) and TGraphicControl
// (windowless).
//
// Messages reach a control through its WindowProc (replaceable; it starts as
// the hooks of TWindowProcHook, newest first, and then the virtual WndProc).
// Components that share a control chain in with a TWindowProcHook, which
// comes out by identity in any order and survives RecreateWnd; windows that
// are not controls of the library are subclassed with
// platform::WindowSubclass (platform/Subclass.h). One window procedure serves every window of the
// library: it finds the control of an HWND through a window property and
// hands the message to its WindowProc; exceptions stop there and go to the
// application's exception handler. A parent window forwards mouse messages
// to its windowless children and reflects child notifications (WM_COMMAND,
// WM_DRAWITEM, ...) back to the child as CN_* messages.
//
// A windowed control frees its windowed and windowless children when it is
// freed.
//
// Threads: UI thread only.

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Messages.h"

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,
    csDesignInteractive = 1u << 2,
    csClickEvents = 1u << 3,
    csFramed = 1u << 4,
    csSetCaption = 1u << 5,
    csOpaque = 1u << 6,
    csDoubleClicks = 1u << 7,
    csFixedWidth = 1u << 8,
    csFixedHeight = 1u << 9,
    csNoDesignVisible = 1u << 10,
    csReplicatable = 1u << 11,
    csNoStdEvents = 1u << 12,
    csParentBackground = 1u << 13,
};
using TControlStyle = unsigned;

enum TControlStateFlag : unsigned {
    csLButtonDown = 1u << 0,
    csClicked = 1u << 1,
    csAlignmentNeeded = 1u << 4,
    csFocusing = 1u << 5,
    csCreating = 1u << 6,
    csPaintCopy = 1u << 7,
    csCustomPaint = 1u << 8,
    csDestroyingHandle = 1u << 9,
};
using TControlState = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;
// The shift state of the keyboard now; of mouse-message key flags.
TShiftState KeyboardShiftState();
TShiftState MouseShiftState(WPARAM keys);

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crDrag = -12, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;
// The system cursor of a cursor constant (nullptr for crDefault / crNone).
HCURSOR CursorHandle(TCursor cursor);

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

// A handler chained in front of a control's message handling: it gets every
// message and passes it on with next(m) (or answers it itself).
using TWindowProcHandler = std::function<void(TMessage& m, const TWndMethod& next)>;

// Chains a handler into a control's WindowProc for its own lifetime, by
// identity: hooks removed in any order leave the others working, each
// passing on to the next older one that is still there. The chain belongs to
// the control, not its window, so it survives RecreateWnd. A hook that
// outlives its control is inert. UI thread only.
class TWindowProcHook {
public:
    TWindowProcHook() = default;
    TWindowProcHook(TControl* control, TWindowProcHandler handler);
    ~TWindowProcHook() { Remove(); }
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;
    // Takes the handler out of the chain (again: nothing).
    void Remove();
    bool Installed() const;

    struct Entry {
        TControl* control;
        unsigned id;
        TWindowProcHandler handler;
    };

private:
    std::shared_ptr<Entry> entry_;
};

class TSizeConstraints : public TPersistent {
public:
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;  // 0 = no limit
    void Apply(int& width, int& height) const;
    void Assign(TPersistent* source) override;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // ---- place -----------------------------------------------------------------
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // Every change of place or size goes through here.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, r.Width(), r.Height()); }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign v);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors v);
    TSizeConstraints* Constraints() { return &constraints_; }

    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientSize(int width, int height);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;
    // A point of this control's client area in the parent's client area.
    TPoint ClientToParent(const TPoint& p) const;

    // ---- state -------------------------------------------------------------------
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to a top-level window is showing.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool v);
    String Caption() const { return GetText(); }
    void SetCaption(const String& v) { SetText(v); }
    virtual String GetText() const;
    virtual void SetText(const String& v);
    TFont* Font() { return &font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState ControlState = 0;
    TCursor Cursor = crDefault;
    String Hint;
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool v);
    TPopupMenu* PopupMenu = nullptr;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool MouseCapture() const;
    void SetMouseCapture(bool v);
    virtual bool IsWindowed() const { return false; }

    // ---- text direction ------------------------------------------------------------
    // Right-to-left takes effect only where the system is set up for
    // right-to-left languages.
    TBiDiMode BiDiMode = bdLeftToRight;
    virtual bool UseRightToLeftAlignment() const;
    virtual bool UseRightToLeftReading() const;
    // DrawText flags for this control: with right-to-left alignment DT_RIGHT
    // becomes left and left becomes DT_RIGHT (centred text stays), with
    // right-to-left reading DT_RTLREADING is added.
    UINT DrawTextBiDiModeFlags(UINT flags) const;
    UINT DrawTextBiDiModeFlagsReadingOnly() const;

    // ---- painting and messages ---------------------------------------------------
    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
    // Where messages enter (replaceable). It starts as the hooks of
    // TWindowProcHook, newest first, followed by WndProc.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& m);
    // What happens to messages no handler took.
    virtual void DefaultHandler(TMessage& m);

    // ---- events -------------------------------------------------------------------
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    virtual void Click();

protected:
    friend class TWinControl;
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Resize();
    // The size AutoSize should give; false keeps the current one.
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    void AdjustSize();
    void Loaded() override;
    // Asks the parent to align its children again.
    void RequestAlign();
    void InvalidateRect(const TRect& r);
    void UpdateAnchorRules();
    // Keeps the text without announcing it.
    void StoreText(const String& v);
    // Font/colour/hint taken over from the parent.
    void ParentFontChanged();

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

private:
    friend class TWindowProcHook;
    void HandleMouse(TMessage& m);
    void FontChanged();
    // Runs the newest hook whose id is below `below`, else WndProc.
    void CallHooks(TMessage& m, unsigned below);

    std::vector<std::shared_ptr<TWindowProcHook::Entry>> hooks_;  // oldest first
    unsigned nextHookId_ = 1;

    TWinControl* parent_ = nullptr;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    TSizeConstraints constraints_;
    TFont font_;
    TColor color_ = clWindow;
    bool visible_ = true, enabled_ = true;
    bool parentFont_ = true, parentColor_ = false;
    bool showHint_ = false, parentShowHint_ = true;
    bool autoSize_ = false;
    String text_;
    // Distances to the parent's right and bottom edges, for anchoring.
    int anchorRight_ = 0, anchorBottom_ = 0;
    bool anchorsKnown_ = false;
    bool settingFont_ = false;
};

struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // The class registered for the control (our window procedure)...
    String WinClassName;
    UINT ClassStyle = CS_DBLCLKS;
    // ...or a system class ("BUTTON", "EDIT", ...) that is subclassed.
    String SystemClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }

    // ---- the window ------------------------------------------------------------------
    // The window, created (with the parents' windows) when first asked for.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window and creates it again from CreateParams.
    void RecreateWnd();
    void DestroyHandle();
    // The control that owns a window of the library, or nullptr.
    static TWinControl* FromHandle(HWND wnd);
    // The library control of wnd or of its nearest parent window.
    static TWinControl* FindControl(HWND wnd);
    // Owner window of a top-level control without a parent control.
    HWND ParentWindow = nullptr;

    // ---- children ---------------------------------------------------------------------
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int i) const { return controls_.at(static_cast<size_t>(i)); }
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    bool ContainsControl(const TControl* c) const;
    // The topmost visible child at a client point that answers CM_HITTEST:
    // windowless ones only unless allowWinControls, enabled ones only unless
    // allowDisabled; nullptr when there is none.
    TControl* ControlAtPos(const TPoint& p, bool allowDisabled, bool allowWinControls = false) const;
    // Sends a message to every child until one answers nonzero.
    LRESULT Broadcast(TMessage& m);

    // ---- alignment ----------------------------------------------------------------------
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return alignDisabled_ > 0; }
    void ScrollBy(int dx, int dy);

    // ---- focus and tab order ------------------------------------------------------------
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v);
    int TabOrder() const;
    void SetTabOrder(int v);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // Children in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    void SelectFirst();
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // ---- painting --------------------------------------------------------------------------
    // Paints into an off-screen bitmap first, then in one copy.
    bool DoubleBuffered = false;
    TBrush* Brush() { return &brush_; }
    // Paints this control with its windowed and windowless children into
    // dc at (x, y).
    void PaintTo(HDC dc, int x, int y);
    // Paints what the control itself shows (PaintWindow: not its background
    // erase, not its children) into dc at the client origin: the background
    // that a see-through child draws behind itself.
    void PaintBackground(HDC dc) { PaintWindow(dc); }
    void Invalidate() override;
    void Update() override;
    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;
    // Showing, and some part of its window lies inside the client area of
    // every parent window (a shown control placed beyond its parent's edge
    // is not on screen). A window that comes on screen is sent WM_PAINT.
    bool OnScreen() const;
    void SetVisible(bool v) override;
    void SetEnabled(bool v) override;
    String GetText() const override;
    void SetText(const String& v) override;

    void WndProc(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    // Registers the library's window class named in params (once).
    static void RegisterWindowClass(const TCreateParams& params);
    virtual void DestroyWnd();
    // Places the aligned children inside rect (the adjusted client area).
    virtual void AlignControls(TControl* control, TRect& rect);
    // Shrinks the area available to aligned children (borders, headers).
    virtual void AdjustClientRect(TRect& rect);
    // A child that is not aligned was moved or sized.
    virtual void ChildMoved(TControl*) {}
    // Paints the control itself (not its children) into dc.
    virtual void PaintWindow(HDC dc);
    // Paints the windowless children, from `first` on, clipped to each.
    void PaintControls(HDC dc, TControl* first);
    virtual void PaintHandler(TMessage& m);
    virtual void EraseBackground(HDC dc);
    virtual void DoEnter();
    virtual void DoExit();
    // True when the key was taken (set to 0 by a handler).
    virtual bool DoKeyDown(WORD& key, TShiftState shift);
    virtual bool DoKeyUp(WORD& key, TShiftState shift);
    virtual bool DoKeyPress(wchar_t& key);
    // Routes a key before the control sees it: shortcuts, then dialog keys.
    virtual void KeyDownBeforeControl(TMessage& m);
    void UpdateBounds();

private:
    friend class TControl;
    friend class TCustomForm;
    friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
    void CreateHandle();
    void CreateChildHandles();
    void RouteMouse(TMessage& m);
    void ReflectNotification(TMessage& m, HWND child);
    void UpdateMouseControl(TControl* target);
    void FocusMessage(TMessage& m);
    void AlignChildren();
    void UpdateShowing();
    void FontToWindow();

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;  // z-order, bottom first
    std::vector<TWinControl*> tabList_;
    TBrush brush_;
    TRect alignedClient_;  // the client area the children were last aligned to
    int alignDisabled_ = 0;
    bool tabStop_ = false;
    bool aligning_ = false;
};

// While one lives, Repaint only marks what it would paint; when the
// outermost one ends, each marked window is painted once. Several changes to
// the same controls (enabled state, picture, look) then cost one paint each,
// and the screen shows only the end state. UI thread only; may nest.
class TPaintBatch {
public:
    TPaintBatch();
    ~TPaintBatch();
    TPaintBatch(const TPaintBatch&) = delete;
    TPaintBatch& operator=(const TPaintBatch&) = delete;
};

// While one lives, Repaint only invalidates: the windows are painted by the
// next paint pass (a WM_PAINT from the queue, UpdateWindow or RedrawWindow
// with RDW_UPDATENOW), once each, however often they were repainted
// meanwhile. For changes that touch a whole window's controls and end in
// a repaint of the window anyway. It outranks a paint batch. UI thread
// only; may nest.
class TDeferredPaint {
public:
    TDeferredPaint();
    ~TDeferredPaint();
    TDeferredPaint(const TDeferredPaint&) = delete;
    TDeferredPaint& operator=(const TDeferredPaint&) = delete;
};

class TControlCanvas;

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas();

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas();
    void WndProc(TMessage& m) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

// The canvas of a control: outside painting it takes a DC of the control's
// window (for a windowless control, its parent's, moved and clipped to it).
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : control_(control) {}
    ~TControlCanvas() override { FreeHandle(); }
    // Releases the DC taken outside painting.
    void FreeHandle();
    // Runs paint with this canvas on dc (set up with the control's font and colour).
    void PaintOn(HDC dc, const std::function<void()>& paint);
    // Gives back every DC that control canvases took outside painting (the
    // application does it when idle).
    static void FreeAllDCs();

protected:
    void CreateHandle() override;

private:
    TControl* control_;
    HDC dc_ = nullptr;
    HWND window_ = nullptr;
};

// The form that contains a control (its topmost parent when that is a form).
TCustomForm* GetParentForm(const TControl* control);
// Where unhandled exceptions of window procedures and event handlers go.
void HandleUIException();
