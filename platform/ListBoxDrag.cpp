// Dragging rows from one list box of the program onto another.
#include <windowsx.h>

#include <cstdlib>

#include "platform/FreeWatch.h"
#include "platform/StdCtrls.h"

namespace {

constexpr int kDragThreshold = 5;

// The list box of this thread under a screen point: the thread's own
// windows are searched from the top, so another program's window lying
// over the point neither takes nor hides a drop.
TCustomListBox* ListBoxAt(const TPoint& screen) {
    const DWORD thread = GetCurrentThreadId();
    const POINT at{screen.x, screen.y};
    for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
        if (GetWindowThreadProcessId(top, nullptr) != thread || !IsWindowVisible(top)) continue;
        RECT r;
        if (!GetWindowRect(top, &r) || !PtInRect(&r, at)) continue;
        HWND w = top;
        for (;;) {
            POINT p = at;
            ScreenToClient(w, &p);
            HWND child = ChildWindowFromPointEx(w, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
            if (!child || child == w) break;
            w = child;
        }
        return dynamic_cast<TCustomListBox*>(TWinControl::FromHandle(w));
    }
    return nullptr;
}

TPoint ScreenPoint(HWND wnd, LPARAM lp) {
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ClientToScreen(wnd, &p);
    return TPoint(p.x, p.y);
}

}  // namespace

bool TCustomListBox::DragMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN: {
        if (DragMode != dmAutomatic || DragKind != dkDrag || drag_ != DragState::None) return false;
        // The press selects its row first, as any press does.
        const TFreeWatch watch{this};
        TWinControl::WndProc(m);
        if (watch.Freed() || !HandleAllocated()) return true;
        drag_ = DragState::Pressed;
        dragFrom_ = ScreenPoint(Handle(), m.LParam);
        if (GetCapture() != Handle()) SetCapture(Handle());
        return true;
    }
    case WM_MOUSEMOVE: {
        if (drag_ == DragState::None) return false;
        const TPoint p = ScreenPoint(Handle(), m.LParam);
        if (drag_ == DragState::Pressed) {
            if (std::abs(p.x - dragFrom_.x) < kDragThreshold && std::abs(p.y - dragFrom_.y) < kDragThreshold)
                return true;
            drag_ = DragState::Dragging;
            const TFreeWatch watch{this};
            if (OnStartDrag) OnStartDrag(this);
            if (watch.Freed()) return true;
        }
        DragTo(p);
        return true;
    }
    case WM_LBUTTONUP:
        if (drag_ == DragState::Dragging) {
            const TFreeWatch watch{this};
            EndDrag(true, ScreenPoint(Handle(), m.LParam));
            if (watch.Freed()) return true;
        }
        drag_ = DragState::None;
        return false;
    case WM_KEYDOWN:
        if (drag_ != DragState::Dragging || m.WParam != VK_ESCAPE) return false;
        EndDrag(false, dragFrom_);
        ReleaseCapture();
        return true;
    case WM_CAPTURECHANGED:
        if (drag_ == DragState::Dragging) EndDrag(false, dragFrom_);
        drag_ = DragState::None;
        return false;
    case WM_SETCURSOR:
        if (drag_ != DragState::Dragging) return false;
        SetCursor(CursorHandle(dragAccepted_ ? DragCursor : crNo));
        m.Result = 1;
        return true;
    default: return false;
    }
}

void TCustomListBox::DragTo(const TPoint& screen) {
    TCustomListBox* target = ListBoxAt(screen);
    TDragState state = dsDragMove;
    if (target != dragTarget_) {
        if (TCustomListBox* old = dragTarget_) {
            dragTarget_ = nullptr;
            RemoveFreeNotification(old);
            bool ignored = false;
            const TPoint p = old->ScreenToClient(screen);
            if (old->OnDragOver) old->OnDragOver(old, this, p.x, p.y, dsDragLeave, ignored);
        }
        dragTarget_ = target;
        if (target) FreeNotification(target);
        state = dsDragEnter;
    }
    dragAccepted_ = false;
    if (dragTarget_ && dragTarget_->OnDragOver) {
        bool accept = true;
        const TPoint p = dragTarget_->ScreenToClient(screen);
        dragTarget_->OnDragOver(dragTarget_, this, p.x, p.y, state, accept);
        dragAccepted_ = accept && dragTarget_;
    }
    SetCursor(CursorHandle(dragAccepted_ ? DragCursor : crNo));
}

void TCustomListBox::EndDrag(bool drop, const TPoint& screen) {
    TCustomListBox* target = dragTarget_;
    const bool dropped = drop && dragAccepted_ && target;
    drag_ = DragState::None;
    dragTarget_ = nullptr;
    dragAccepted_ = false;
    if (target) RemoveFreeNotification(target);
    const TPoint own = ScreenToClient(screen);
    const TPoint there = target ? target->ScreenToClient(screen) : own;
    if (target && !dropped && target->OnDragOver) {
        bool ignored = false;
        target->OnDragOver(target, this, there.x, there.y, dsDragLeave, ignored);
    }
    const TFreeWatch watch{target}, self{this};
    if (dropped && target->OnDragDrop) target->OnDragDrop(target, this, there.x, there.y);
    if (self.Freed()) return;
    if (OnEndDrag) {
        if (dropped && !watch.Freed()) OnEndDrag(this, target, there.x, there.y);
        else OnEndDrag(this, nullptr, own.x, own.y);
    }
}

void TCustomListBox::Notification(TComponent* component, TOperation op) {
    TWinControl::Notification(component, op);
    if (op == opRemove && component == dragTarget_) {
        dragTarget_ = nullptr;
        dragAccepted_ = false;
    }
}
