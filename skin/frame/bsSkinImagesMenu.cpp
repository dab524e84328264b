#include "skin/frame/bsSkinImagesMenu.h"

#include <algorithm>

#include "platform/ImgList.h"
#include "platform/MainThread.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsLayer.h"
#include "skin/frame/bsSkinHint.h"

void TbsImagesMenuItem::Assign(const TbsImagesMenuItem& source) {
    ImageIndex = source.ImageIndex;
    Caption = source.Caption;
    Button = source.Button;
    Hint = source.Hint;
}

void LayoutImagesMenu(std::vector<TbsImagesMenuItem>& items, int CW, int CH, int ColumnsCount, int L, int Y,
                      int HeaderH) {
    const int RW = ColumnsCount * CW;
    int X = L;
    for (TbsImagesMenuItem& it : items) {
        if (it.Header || it.Button) {
            if (X != L) Y += CH + 1;
            const int h = it.Header && HeaderH > 0 ? HeaderH : CH;
            it.ItemRect = TRect(L, Y, L + RW, Y + h);
            Y += h + 1;
            X = L;
        } else {
            it.ItemRect = TRect(X, Y, X + CW, Y + CH);
            const int oldX = X;
            X += CW;
            if (L + RW < oldX + 2 * CW) {
                X = L;
                Y += CH + 1;
            }
        }
    }
}

int ImagesMenuKeyTarget(const std::vector<TbsImagesMenuItem>& items, int current, WORD key) {
    const int n = static_cast<int>(items.size());
    if (n == 0) return current;
    const auto first = [&] { return items[0].Header && n > 1 ? 1 : 0; };
    const auto at = [&](int i) -> const TbsImagesMenuItem& { return items[static_cast<size_t>(i)]; };
    switch (key) {
    case VK_LEFT:
        if (current == -1 || current == 0 || (current == 1 && at(0).Header && n >= 2)) return n - 1;
        for (int i = current - 1; i >= 0; --i)
            if (!at(i).Header) return i;
        return current;
    case VK_RIGHT:
        if (current == -1 || current == n - 1) return first();
        for (int i = current + 1; i < n; ++i)
            if (!at(i).Header) return i;
        return current;
    case VK_UP:
        if (current == -1) return n - 1;
        for (int i = current - 1; i >= 0; --i) {
            const auto& it = at(i);
            if (!it.Header && it.ItemRect.top < at(current).ItemRect.top &&
                (it.Button || it.ItemRect.left == at(current).ItemRect.left))
                return i;
        }
        return current;
    case VK_DOWN:
        if (current == -1) return first();
        for (int i = current + 1; i < n; ++i) {
            const auto& it = at(i);
            if (!it.Header && it.ItemRect.top > at(current).ItemRect.top &&
                (it.Button || it.ItemRect.left == at(current).ItemRect.left))
                return i;
        }
        return current;
    default:
        return current;
    }
}

// ---- the menu ---------------------------------------------------------------------------------

TbsSkinImagesMenu::TbsSkinImagesMenu(TComponent* AOwner) : TbsCustomImagesMenu(AOwner) {
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
}

TbsSkinImagesMenu::~TbsSkinImagesMenu() {
    FDestroying = true;
    if (FPopupWindow) FPopupWindow->Hide(false);
}

void TbsSkinImagesMenu::SetSkinData(TbsSkinData* v) {
    if (FSkinData) RemoveFreeNotification(FSkinData);
    FSkinData = v;
    if (v) FreeNotification(v);
}

void TbsSkinImagesMenu::SetSkinHint(TbsSkinHint* v) {
    if (FSkinHint) RemoveFreeNotification(FSkinHint);
    FSkinHint = v;
    if (v) FreeNotification(v);
}

void TbsSkinImagesMenu::Notification(TComponent* component, TOperation op) {
    TbsCustomImagesMenu::Notification(component, op);
    if (op != opRemove || !component) return;
    if (component == FSkinData) {
        FSkinData = nullptr;
        // An open grid keeps its size and shows the plain look from now on.
        if (FPopupWindow) FPopupWindow->Invalidate();
    }
    if (component == FSkinHint) FSkinHint = nullptr;
}

void TbsSkinImagesMenu::SetColumnsCount(int v) {
    if (v >= 1 && v <= 50) FColumnsCount = v;
}

TbsImagesMenuItem* TbsSkinImagesMenu::SelectedItem() {
    if (ItemIndex < 0 || ItemIndex >= static_cast<int>(ImagesItems.size())) return nullptr;
    return &ImagesItems[static_cast<size_t>(ItemIndex)];
}

bool TbsSkinImagesMenu::SelectedImage(int& imageIndex, String& caption) const {
    if (ItemIndex < 0 || ItemIndex >= static_cast<int>(ImagesItems.size())) return false;
    const TbsImagesMenuItem& item = ImagesItems[static_cast<size_t>(ItemIndex)];
    imageIndex = item.ImageIndex;
    caption = item.Caption;
    return true;
}

void TbsSkinImagesMenu::PopupFromRect(const TRect& R) {
    if (FPopupWindow) Hide();
    if (OnMenuPopup) OnMenuPopup(this);
    if (!Images() || Images()->Count() == 0) return;
    FOldItemIndex = ItemIndex;
    FPopupWindow = std::make_unique<TbsSkinImagesMenuPopupWindow>(this);
    FPopupWindow->Show(R);
}

void TbsSkinImagesMenu::Hide() {
    if (FPopupWindow) FPopupWindow->Hide(false);
}

void TbsSkinImagesMenu::GridClosed(bool AProcessEvents) {
    // The grid may be inside one of its own handlers, and a handler called
    // below may open a new grid: the closed one goes once its message is done.
    if (FPopupWindow) FPopupWindow.release()->ReleaseLater();
    if (FDestroying) return;
    if (OnInternalMenuClose) OnInternalMenuClose(this);
    if (OnMenuClose) OnMenuClose(this);
    if (!AProcessEvents || ItemIndex == -1) return;
    if (TbsImagesMenuItem* item = SelectedItem())
        if (item->OnClick) item->OnClick(this);
    if (OnItemClick) OnItemClick(this);
    if (ItemIndex != FOldItemIndex) {
        if (OnInternalChange) OnInternalChange(this);
        if (OnChange) OnChange(this);
    }
}

// ---- the grid ---------------------------------------------------------------------------------

TbsSkinImagesMenuPopupWindow::TbsSkinImagesMenuPopupWindow(TbsSkinImagesMenu* AMenu)
    : TCustomControl(nullptr), ImagesMenu(AMenu) {
    TControl::SetVisible(false);
}

TbsSkinImagesMenuPopupWindow::~TbsSkinImagesMenuPopupWindow() { FHook.Remove(); }

void TbsSkinImagesMenuPopupWindow::ReleaseLater() {
    if (HandleAllocated()) PostMessageW(Handle(), CM_RELEASE, 0, 0);
    else platform::QueueInMainThread([this] { Free(); });
}

void TbsSkinImagesMenuPopupWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP;
    p.ExStyle = WS_EX_TOOLWINDOW;
    p.ClassStyle |= CS_SAVEBITS;
    if (IsWinXPOrLater()) p.ClassStyle |= CS_DROPSHADOW;
    p.WndParent = Application ? Application->Handle() : nullptr;
}

void TbsSkinImagesMenuPopupWindow::Show(const TRect& R) {
    TCustomImageList* il = ImagesMenu->Images();
    const int CW = il->Width() + 10, CH = il->Height() + 10;
    const int RW = ImagesMenu->ColumnsCount() * CW;
    auto& items = ImagesMenu->ImagesItems;
    CheckSkin();
    const TPoint origin = FSkinSupport ? TPoint(PW->ItemsRect.left, PW->ItemsRect.top) : TPoint(5, 5);
    LayoutImagesMenu(items, CW, CH, ImagesMenu->ColumnsCount(), origin.x, origin.y, HeaderHeight());
    const int D = items.empty() ? 0 : items.back().ItemRect.bottom - items.front().ItemRect.top;
    const int w = FSkinSupport ? WindowPicture->Width() + RW - PW->ItemsRect.Width() : RW + 10;
    const int h = FSkinSupport ? WindowPicture->Height() + D - PW->ItemsRect.Height() : D + 10;

    TRect work;
    TCustomForm* f = Screen ? Screen->ActiveCustomForm() : nullptr;
    if (!f && Application->MainForm() && Application->MainForm()->Visible()) f = Application->MainForm();
    if (!f) f = dynamic_cast<TCustomForm*>(ImagesMenu->Owner());
    if (f && f->HandleAllocated())
        GetMonitorWorkArea(f->Handle(), true, work);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int X = R.left, Y = R.bottom;
    if (Y + h > work.bottom) Y = R.top - h;
    if (X + w > work.right) X = work.right - w;
    X = std::max(X, static_cast<int>(work.left));
    Y = std::max(Y, static_cast<int>(work.top));
    SetBounds(X, Y, w, h);
    SizeSkinFrame();
    const HWND wnd = Handle();
    const bool layered = IsLayeredSupported() && ImagesMenu->AlphaBlend;
    if (layered) {
        SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredAlpha(wnd, ImagesMenu->AlphaBlendAnimation ? 0 : ImagesMenu->AlphaBlendValue);
    }
    SetWindowPos(wnd, HWND_TOPMOST, X, Y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    TControl::SetVisible(true);
    if (layered && ImagesMenu->AlphaBlendAnimation) {
        Application->ProcessMessages();
        int a = 0;
        DWORD last = GetTickCount();
        while (a < ImagesMenu->AlphaBlendValue) {
            const DWORD now = GetTickCount();
            if (now - last <= 5) {
                Sleep(1);
                continue;
            }
            last = now;
            a = std::min(a + 10, static_cast<int>(ImagesMenu->AlphaBlendValue));
            SetLayeredAlpha(wnd, a);
        }
    }
    FHook = Application->AddMessageHook([this](MSG& msg, bool& handled) { AppMessage(msg, handled); });
    SetCapture(wnd);
}

void TbsSkinImagesMenuPopupWindow::Hide(bool AProcessEvents) {
    if (FClosed) return;
    FClosed = true;
    if (ImagesMenu->ShowHints && ImagesMenu->SkinHint()) ImagesMenu->SkinHint()->HideHint();
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    TControl::SetVisible(false);
    FHook.Remove();
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    ImagesMenu->GridClosed(AProcessEvents);
}

void TbsSkinImagesMenuPopupWindow::AppMessage(MSG& msg, bool& handled) {
    switch (msg.message) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY:
        Hide(false);
        break;
    case WM_KEYDOWN:
        HandleKey(static_cast<WORD>(msg.wParam));
        msg.message = 0;
        handled = true;
        break;
    default:
        break;
    }
}

void TbsSkinImagesMenuPopupWindow::SetMouseInItem(int i) {
    if (i == MouseInItem) return;
    MouseInItem = i;
    OldMouseInItem = i;
    Repaint();
}

void TbsSkinImagesMenuPopupWindow::HandleKey(WORD key) {
    switch (key) {
    case VK_RETURN:
    case VK_SPACE:
        if (MouseInItem != -1) ImagesMenu->ItemIndex = MouseInItem;
        Hide(true);
        return;
    case VK_ESCAPE:
        Hide(false);
        return;
    default:
        SetMouseInItem(ImagesMenuKeyTarget(ImagesMenu->ImagesItems, MouseInItem, key));
    }
}

int TbsSkinImagesMenuPopupWindow::ItemAt(int X, int Y) const {
    const auto& items = ImagesMenu->ImagesItems;
    for (size_t i = 0; i < items.size(); ++i) {
        const TRect& r = items[i].ItemRect;
        if (!items[i].Header && X >= r.left && X <= r.right && Y >= r.top && Y <= r.bottom) return static_cast<int>(i);
    }
    return -1;
}

void TbsSkinImagesMenuPopupWindow::WndProc(TMessage& m) {
    // A closed grid waits to be freed and no longer answers the pointer or
    // paints: its menu may be gone.
    if (FClosed && ((m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) || m.Msg == CM_MOUSELEAVE ||
                    m.Msg == CM_MOUSEENTER || m.Msg == WM_PAINT)) {
        m.Result = DefWindowProcW(Handle(), m.Msg, m.WParam, m.LParam);
        return;
    }
    switch (m.Msg) {
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case CM_MOUSELEAVE:
        if (ImagesMenu->ShowHints && ImagesMenu->SkinHint()) ImagesMenu->SkinHint()->HideHint();
        MouseInItem = OldMouseInItem = -1;
        if (!FClosed) Repaint();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) && !FClosed) {
        POINT p;
        GetCursorPos(&p);
        if (WindowFromPoint(p) != Handle()) Hide(false);
    }
}

void TbsSkinImagesMenuPopupWindow::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    const int hit = ItemAt(X, Y);
    TbsSkinHint* hint = ImagesMenu->SkinHint();
    if (hit == -1 && hint) hint->HideHint();
    MouseInItem = hit;
    if (MouseInItem == OldMouseInItem) return;
    OldMouseInItem = MouseInItem;
    Repaint();
    if (ImagesMenu->ShowHints && hint && MouseInItem != -1) {
        hint->HideHint();
        const String& text = ImagesMenu->ImagesItems[static_cast<size_t>(MouseInItem)].Hint;
        if (!text.empty()) hint->ActivateHint2(text);
    }
}

void TbsSkinImagesMenuPopupWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (FClosed) return;
    if (ImagesMenu->ShowHints && ImagesMenu->SkinHint()) ImagesMenu->SkinHint()->HideHint();
    FDown = true;
    FItemDown = ItemAt(X, Y) != -1;
    Repaint();
}

void TbsSkinImagesMenuPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FClosed) return;
    const int hit = ItemAt(X, Y);
    if (FDown && hit != -1) {
        ImagesMenu->ItemIndex = hit;
        Hide(true);
        return;
    }
    if (GetCapture() == Handle()) ReleaseCapture();
    SetCapture(Handle());
}
