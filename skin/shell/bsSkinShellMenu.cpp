// The shell context menu and verbs of an item.
#include "skin/shell/bsSkinShellItems.h"

#include <shellapi.h>

using platform::ComPtr;

namespace {

// The menu being tracked by InvokeShellContextMenu.
ComPtr<IContextMenu2> gOpenMenu;

}  // namespace

// ---- context menu and verbs ------------------------------------------------------------

bool ShellContextMenuOpen() { return static_cast<bool>(gOpenMenu); }

bool ForwardShellMenuMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_INITMENUPOPUP:
    case WM_MENUCHAR:
        break;
    default:
        return false;
    }
    if (!gOpenMenu) return false;
    gOpenMenu->HandleMenuMsg(m.Msg, m.WParam, m.LParam);
    m.Result = 0;
    return true;
}

namespace {

class PopupMenuOwner {
public:
    PopupMenuOwner() : menu_(CreatePopupMenu()) {}
    ~PopupMenuOwner() {
        if (menu_) DestroyMenu(menu_);
    }
    PopupMenuOwner(const PopupMenuOwner&) = delete;
    PopupMenuOwner& operator=(const PopupMenuOwner&) = delete;
    HMENU Get() const { return menu_; }

private:
    HMENU menu_;
};

// Clears the tracked menu at the end of the scope.
struct OpenMenuScope {
    explicit OpenMenuScope(ComPtr<IContextMenu2> m) { gOpenMenu = std::move(m); }
    ~OpenMenuScope() { gOpenMenu.Reset(); }
};

}  // namespace

void InvokeShellContextMenu(TWinControl* owner, TbsShellFolder* folder, int x, int y) {
    if (!folder || !owner) return;
    HWND wnd = owner->Handle();
    LPCITEMIDLIST id = nullptr;
    ComPtr<IShellFolder> parent = ItemParentFolder(folder->ParentShellFolder(), folder->RelativeID(), id);
    ComPtr<IContextMenu> menu;
    if (!parent || FAILED(parent->GetUIObjectOf(wnd, 1, &id, IID_IContextMenu, nullptr, menu.PutVoid())) || !menu)
        return;
    POINT pt{x, y};
    ClientToScreen(wnd, &pt);
    PopupMenuOwner popup;
    if (!popup.Get()) return;
    menu->QueryContextMenu(popup.Get(), 0, 1, 0x7FFF, CMF_EXPLORE | CMF_CANRENAME);
    int chosen = 0;
    {
        OpenMenuScope tracking(menu.As<IContextMenu2>(IID_IContextMenu2));
        chosen = TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, wnd, nullptr);
    }
    if (chosen == 0) return;
    const UINT offset = static_cast<UINT>(chosen - 1);
    char verbA[256] = {};
    menu->GetCommandString(offset, GCS_VERBA, nullptr, verbA, sizeof(verbA));
    const String verb = AnsiDecode(verbA);
    auto* callback = dynamic_cast<IShellVerbCallback*>(owner);
    bool handled = false;
    if (callback) callback->ExecuteCommand(verb, handled);
    bool succeeded = handled;
    if (!handled) {
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof(info);
        info.hwnd = wnd;
        info.lpVerb = MAKEINTRESOURCEA(offset);
        info.nShow = SW_SHOWNORMAL;
        succeeded = menu->InvokeCommand(&info) == S_OK;
    }
    if (callback) callback->CommandCompleted(verb, succeeded);
}

void InvokeShellVerb(TbsShellFolder* folder, const char* verb) {
    if (!folder) return;
    LPCITEMIDLIST id = nullptr;
    ComPtr<IShellFolder> parent = ItemParentFolder(folder->ParentShellFolder(), folder->RelativeID(), id);
    ComPtr<IContextMenu> menu;
    if (!parent || FAILED(parent->GetUIObjectOf(nullptr, 1, &id, IID_IContextMenu, nullptr, menu.PutVoid())) || !menu)
        return;
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = CMIC_MASK_ASYNCOK;
    info.lpVerb = verb;
    info.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(&info);
}

