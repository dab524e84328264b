#include "platform/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <shared_mutex>
#include <unordered_map>

#include "platform/ControlsImpl.h"
#include "platform/Forms.h"
#include "platform/FreeWatch.h"

namespace platform::controls_impl {
TControl* g_mouseControl = nullptr;
TControl* g_captureControl = nullptr;
thread_local TWinControl* g_creating = nullptr;
UINT g_nextChildId = 100;

namespace {
std::shared_mutex g_boundLock;
std::unordered_map<HWND, TWinControl*>& Bound() {
    static std::unordered_map<HWND, TWinControl*> bound;
    return bound;
}
}  // namespace

void BindControl(HWND wnd, TWinControl* control) {
    std::unique_lock lock(g_boundLock);
    Bound()[wnd] = control;
}

void UnbindControl(HWND wnd, TWinControl* control) {
    std::unique_lock lock(g_boundLock);
    const auto it = Bound().find(wnd);
    if (it != Bound().end() && it->second == control) Bound().erase(it);
}

TWinControl* BoundControl(HWND wnd) {
    std::shared_lock lock(g_boundLock);
    const auto it = Bound().find(wnd);
    return it == Bound().end() ? nullptr : it->second;
}
}  // namespace platform::controls_impl

using namespace platform::controls_impl;

namespace {

TMouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

}  // namespace

// ---- helpers -------------------------------------------------------------------------------

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

HCURSOR CursorHandle(TCursor cursor) {
    const wchar_t* id = nullptr;
    switch (cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crDrag: id = IDC_ARROW; break;  // the system has no drag cursor of its own
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: return nullptr;
    }
    return LoadCursorW(nullptr, id);
}

void TSizeConstraints::Apply(int& width, int& height) const {
    if (MaxWidth > 0 && width > MaxWidth) width = MaxWidth;
    if (MaxHeight > 0 && height > MaxHeight) height = MaxHeight;
    if (width < MinWidth) width = MinWidth;
    if (height < MinHeight) height = MinHeight;
}

void TSizeConstraints::Assign(TPersistent* source) {
    auto* c = dynamic_cast<TSizeConstraints*>(source);
    if (!c) {
        TPersistent::Assign(source);
        return;
    }
    MinWidth = c->MinWidth, MinHeight = c->MinHeight, MaxWidth = c->MaxWidth, MaxHeight = c->MaxHeight;
}

TCustomForm* GetParentForm(const TControl* control) {
    const TControl* c = control;
    while (c && c->Parent()) c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void HandleUIException() {
    if (Application) {
        Application->HandleException();
        return;
    }
    try {
        throw;
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());
    } catch (...) {
        OutputDebugStringW(L"Unknown exception in a window procedure");
    }
}

// ---- the window procedure ------------------------------------------------------------------

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    TWinControl* c = BoundControl(wnd);
    if (!c) {
        c = g_creating;
        if (!c) return DefWindowProcW(wnd, msg, wp, lp);
        g_creating = nullptr;
        c->handle_ = wnd;
        BindControl(wnd, c);
    }
    TMessage m{msg, wp, lp, 0};
    try {
        if (msg == CM_RELEASE) {
            // A form asked to be freed once the messages before this one ran.
            c->Free();
            return 0;
        }
        c->WindowProc(m);
    } catch (...) {
        HandleUIException();
    }
    if (msg == WM_NCDESTROY) {
        UnbindControl(wnd, c);
        if (c->handle_ == wnd) c->handle_ = nullptr;
    }
    return m.Result;
}

// ---- TControl -------------------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { CallHooks(m, ~0u); };
    font_.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    Destroying();
    if (g_mouseControl == this) g_mouseControl = nullptr;
    if (g_captureControl == this) g_captureControl = nullptr;
    if (Application) Application->ControlDestroyed(this);
    font_.OnChange = nullptr;
    if (parent_) parent_->RemoveControl(this);
    for (auto& e : hooks_) e->control = nullptr;
}

void TControl::CallHooks(TMessage& m, unsigned below) {
    std::shared_ptr<TWindowProcHook::Entry> hook;
    for (auto it = hooks_.rbegin(); it != hooks_.rend(); ++it)
        if ((*it)->id < below) {
            hook = *it;
            break;
        }
    if (!hook) {
        WndProc(m);
        return;
    }
    // The entry is kept alive while its handler runs, even if it removes itself.
    hook->handler(m, [this, id = hook->id](TMessage& next) { CallHooks(next, id); });
}

// ---- TWindowProcHook -----------------------------------------------------------------------------

TWindowProcHook::TWindowProcHook(TControl* control, TWindowProcHandler handler) {
    if (!control || !handler) throw EInvalidOperation(L"A window procedure hook needs a control and a handler");
    entry_ = std::make_shared<Entry>(Entry{control, control->nextHookId_++, std::move(handler)});
    control->hooks_.push_back(entry_);
}

void TWindowProcHook::Remove() {
    if (!entry_) return;
    if (TControl* c = entry_->control) {
        auto& v = c->hooks_;
        v.erase(std::remove(v.begin(), v.end(), entry_), v.end());
        entry_->control = nullptr;
    }
    entry_.reset();
}

bool TWindowProcHook::Installed() const { return entry_ && entry_->control; }

bool TControl::UseRightToLeftAlignment() const {
    return BiDiMode == bdRightToLeft && GetSystemMetrics(SM_MIDEASTENABLED) != 0;
}

bool TControl::UseRightToLeftReading() const {
    return BiDiMode != bdLeftToRight && GetSystemMetrics(SM_MIDEASTENABLED) != 0;
}

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const {
    if (UseRightToLeftAlignment()) {
        if (flags & DT_RIGHT) flags &= ~static_cast<UINT>(DT_RIGHT);
        else if (!(flags & DT_CENTER)) flags |= DT_RIGHT;
    }
    return flags | DrawTextBiDiModeFlagsReadingOnly();
}

UINT TControl::DrawTextBiDiModeFlagsReadingOnly() const { return UseRightToLeftReading() ? DT_RTLREADING : 0; }

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        if (parentFont_) ParentFontChanged();
        if (parentColor_) SetColor(parent->Color()), parentColor_ = true;
        if (parentShowHint_) showHint_ = parent->ShowHint();
        UpdateAnchorRules();
        RequestAlign();
        Invalidate();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    constraints_.Apply(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool sized = width != width_ || height != height_;
    Invalidate();
    left_ = left, top_ = top, width_ = width, height_ = height;
    Invalidate();
    if (!parent_ || !parent_->aligning_) {
        UpdateAnchorRules();
        RequestAlign();
    }
    if (sized) Resize();
}

void TControl::SetAlign(TAlign v) {
    // Setting the same value again asks the parent to align once more.
    if (v == align_) {
        RequestAlign();
        return;
    }
    align_ = v;
    if (v == alLeft || v == alRight || v == alClient) anchors_ |= akTop | akBottom;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors v) {
    anchors_ = v;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (!parent_) return;
    const TRect r = parent_->ClientRect();
    if (r.Width() <= 0 && r.Height() <= 0) return;  // not sized yet: learn later
    anchorRight_ = r.Width() - (left_ + width_);
    anchorBottom_ = r.Height() - (top_ + height_);
    anchorsKnown_ = true;
}

TRect TControl::ClientRect() const { return TRect(0, 0, width_, height_); }

void TControl::SetClientSize(int width, int height) {
    const TRect c = ClientRect();
    SetBounds(left_, top_, width_ + width - c.Width(), height_ + height - c.Height());
}

TPoint TControl::ClientOrigin() const {
    if (!parent_) return TPoint(left_, top_);
    const TPoint p = parent_->ClientOrigin();
    return TPoint(p.x + left_, p.y + top_);
}

TPoint TControl::ClientToScreen(const TPoint& p) const {
    const TPoint o = ClientOrigin();
    return TPoint(p.x + o.x, p.y + o.y);
}

TPoint TControl::ScreenToClient(const TPoint& p) const {
    const TPoint o = ClientOrigin();
    return TPoint(p.x - o.x, p.y - o.y);
}

TPoint TControl::ClientToParent(const TPoint& p) const { return TPoint(p.x + left_, p.y + top_); }

void TControl::SetVisible(bool v) {
    if (v == visible_) return;
    if (!v) Invalidate();
    visible_ = v;
    if (v) Invalidate();
    Perform(CM_VISIBLECHANGED, v ? 1 : 0);
    RequestAlign();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Perform(CM_ENABLEDCHANGED);
}

String TControl::GetText() const { return text_; }

void TControl::SetText(const String& v) {
    if (v == GetText()) return;
    StoreText(v);
    Perform(CM_TEXTCHANGED);
}

void TControl::StoreText(const String& v) { text_ = v; }

void TControl::FontChanged() {
    if (!settingFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::ParentFontChanged() {
    if (!parent_) return;
    settingFont_ = true;
    try {
        font_.Assign(parent_->Font());
    } catch (...) {
        settingFont_ = false;
        throw;
    }
    settingFont_ = false;
}

void TControl::SetParentFont(bool v) {
    parentFont_ = v;
    if (v) ParentFontChanged();
}

void TControl::SetColor(TColor v) {
    parentColor_ = false;
    if (v == color_) return;
    color_ = v;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    if (v && parent_) SetColor(parent_->Color());
    parentColor_ = v;
}

void TControl::SetShowHint(bool v) {
    showHint_ = v;
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool v) {
    parentShowHint_ = v;
    if (v && parent_) showHint_ = parent_->ShowHint();
}

void TControl::SetAutoSize(bool v) {
    autoSize_ = v;
    if (v) AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::AdjustSize() {
    int w = width_, h = height_;
    if (autoSize_ && CanAutoSize(w, h)) SetBounds(left_, top_, w, h);
}

bool TControl::MouseCapture() const {
    if (IsWindowed()) return GetCapture() == static_cast<const TWinControl*>(this)->handle_ && GetCapture();
    return g_captureControl == this;
}

void TControl::SetMouseCapture(bool v) {
    if (IsWindowed()) {
        if (v) SetCapture(static_cast<TWinControl*>(this)->Handle());
        else if (MouseCapture()) ReleaseCapture();
        return;
    }
    if (!parent_) return;
    if (v) {
        g_captureControl = this;
        SetCapture(parent_->Handle());
    } else if (g_captureControl == this) {
        g_captureControl = nullptr;
        ReleaseCapture();
    }
}

void TControl::InvalidateRect(const TRect& r) {
    if (parent_ && parent_->HandleAllocated() && IsWindowVisible(parent_->handle_))
        ::InvalidateRect(parent_->handle_, &r, !(ControlStyle & csOpaque));
}

void TControl::Invalidate() {
    if (visible_) InvalidateRect(BoundsRect());
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

namespace {

struct PaintBatchState {
    int depth = 0;
    int deferred = 0;          // depth of the living deferred-paint scopes
    std::vector<HWND> marked;  // in the order first marked
};

PaintBatchState& PaintBatch() {
    static PaintBatchState state;
    return state;
}

}  // namespace

TPaintBatch::TPaintBatch() { ++PaintBatch().depth; }

TPaintBatch::~TPaintBatch() {
    PaintBatchState& batch = PaintBatch();
    if (--batch.depth > 0) return;
    std::vector<HWND> marked;
    marked.swap(batch.marked);
    // A window destroyed meanwhile is skipped.
    for (HWND w : marked)
        if (IsWindow(w) && IsWindowVisible(w)) UpdateWindow(w);
}

TDeferredPaint::TDeferredPaint() { ++PaintBatch().deferred; }

TDeferredPaint::~TDeferredPaint() { --PaintBatch().deferred; }

void TControl::Repaint() {
    Invalidate();
    PaintBatchState& batch = PaintBatch();
    if (batch.deferred > 0) return;
    if (batch.depth == 0) {
        Update();
        return;
    }
    const TWinControl* target = IsWindowed() ? static_cast<TWinControl*>(this) : parent_;
    if (!target || !target->handle_) return;
    if (std::find(batch.marked.begin(), batch.marked.end(), target->handle_) == batch.marked.end())
        batch.marked.push_back(target->handle_);
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& v = parent_->controls_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.push_back(this);
    if (IsWindowed() && static_cast<TWinControl*>(this)->handle_)
        SetWindowPos(static_cast<TWinControl*>(this)->handle_, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& v = parent_->controls_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.insert(v.begin(), this);
    if (IsWindowed() && static_cast<TWinControl*>(this)->handle_)
        SetWindowPos(static_cast<TWinControl*>(this)->handle_, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
    TMessage m{msg, wp, lp, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::RequestAlign() {
    if (!parent_) return;
    if (align_ != alNone) parent_->Realign();
    else parent_->ChildMoved(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (parentFont_) ParentFontChanged();
    RequestAlign();
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::HandleMouse(TMessage& m) {
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    TShiftState shift = MouseShiftState(m.WParam);
    const TMouseButton button = ButtonOf(m.Msg);
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        return;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (ControlStyle & csDoubleClicks) {
            if (button == mbLeft) DblClick();
            shift |= ssDouble;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (button == mbLeft) {
            ControlState |= csLButtonDown;
            if (ControlStyle & csClickEvents) ControlState |= csClicked;
            if ((ControlStyle & csCaptureMouse) && IsWindowed()) SetMouseCapture(true);
        }
        MouseDown(button, shift, x, y);
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        bool clicked = false;
        if (button == mbLeft) {
            clicked = (ControlState & csClicked) != 0;
            ControlState &= ~static_cast<unsigned>(csLButtonDown | csClicked);
            if (IsWindowed() && MouseCapture()) SetMouseCapture(false);
        }
        MouseUp(button, shift, x, y);
        if (clicked && ClientRect().Contains(TPoint(x, y))) Click();
        return;
    }
    default:
        return;
    }
}

void TControl::WndProc(TMessage& m) {
    if (IsMouseMessage(m.Msg)) {
        if (m.Msg == WM_MOUSEMOVE) {
            HandleMouse(m);
        } else if (enabled_) {
            // A button's handler may run messages that free this control.
            const TFreeWatch watch{this};
            HandleMouse(m);
            if (watch.Freed()) return;
        }
        DefaultHandler(m);
        return;
    }
    switch (m.Msg) {
    case CM_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        return;
    case CM_HITTEST:
        m.Result = HTCLIENT;
        return;
    case CM_PARENTFONTCHANGED:
        if (parentFont_) ParentFontChanged();
        return;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_ && parent_) {
            SetColor(parent_->Color());
            parentColor_ = true;
        }
        return;
    case CM_PARENTSHOWHINTCHANGED:
        if (parentShowHint_ && parent_) showHint_ = parent_->ShowHint();
        return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    case CM_VISIBLECHANGED:
    case CM_CANCELMODE:
    case CM_SHOWHINTCHANGED:
        return;
    default:
        DefaultHandler(m);
    }
}

void TControl::DefaultHandler(TMessage& m) { m.Result = 0; }

// ---- painting bases ---------------------------------------------------------------------------

namespace {
// Control canvases that hold a window DC taken outside painting.
std::vector<TControlCanvas*> g_canvasesWithDC;
}  // namespace

void TControlCanvas::CreateHandle() {
    TWinControl* owner = control_->IsWindowed() ? static_cast<TWinControl*>(control_) : control_->Parent();
    if (!owner) return;
    window_ = owner->Handle();
    dc_ = GetDCEx(window_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc_) return;
    g_canvasesWithDC.push_back(this);
    if (!control_->IsWindowed()) {
        const TRect r = control_->BoundsRect();
        IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
        SetViewportOrgEx(dc_, r.left, r.top, nullptr);
    }
    SetHandle(dc_);
}

void TControlCanvas::FreeHandle() {
    SetHandle(nullptr);
    if (dc_) {
        ReleaseDC(window_, dc_);
        g_canvasesWithDC.erase(std::remove(g_canvasesWithDC.begin(), g_canvasesWithDC.end(), this),
                               g_canvasesWithDC.end());
    }
    dc_ = nullptr;
    window_ = nullptr;
}

void TControlCanvas::FreeAllDCs() {
    while (!g_canvasesWithDC.empty()) g_canvasesWithDC.back()->FreeHandle();
}

void TControlCanvas::PaintOn(HDC dc, const std::function<void()>& paint) {
    FreeHandle();
    Lock();
    SetHandle(dc);
    try {
        Font()->Assign(control_->Font());
        Brush()->SetColor(control_->Color());
        paint();
    } catch (...) {
        SetHandle(nullptr);
        Unlock();
        throw;
    }
    SetHandle(nullptr);
    Unlock();
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() { canvas_->FreeHandle(); }

TCanvas* TCustomControl::Canvas() { return canvas_.get(); }

void TCustomControl::PaintWindow(HDC dc) { canvas_->PaintOn(dc, [this] { Paint(); }); }

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() { canvas_->FreeHandle(); }

TCanvas* TGraphicControl::Canvas() { return canvas_.get(); }

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT && m.WParam) {
        canvas_->PaintOn(reinterpret_cast<HDC>(m.WParam), [this] { Paint(); });
        return;
    }
    TControl::WndProc(m);
}
