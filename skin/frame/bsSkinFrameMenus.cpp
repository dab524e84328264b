// TbsSkinFrame: opening and closing skin menus on behalf of the form, the
// application hook that routes keys to an open menu, and the messages that
// close open menus.
#include <algorithm>

#include "platform/Menus.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinFrameWalk.h"
#include "skin/frame/bsSkinMainMenuBar.h"
#include "skin/frame/bsSkinMenus.h"
#include "skin/bsUtilsLayer.h"

// ---- the application hook ---------------------------------------------------------------------

void TbsSkinFrame::HookApp() {
    if (FInAppHook || !Application) return;
    FAppHookToken = Application->AddMessageHook([this](MSG& msg, bool& handled) { AppMessageHook(msg, handled); });
    FInAppHook = true;
}

void TbsSkinFrame::UnHookApp() {
    if (!FInAppHook) return;
    FInAppHook = false;
    FAppHookToken.Remove();
}

void TbsSkinFrame::AppMessageHook(MSG& Msg, bool& Handled) {
    if (Msg.message == WM_KEYDOWN) {
        const WPARAM wp = Msg.wParam;
        const LPARAM lp = Msg.lParam;
        Msg.message = 0;
        Handled = true;
        try {
            SkinMenuKeyDown(wp, lp);
        } catch (const std::exception& e) {
            OutputDebugStringA(e.what());
            throw;
        }
    } else if (Msg.message == WM_MOUSEWHEEL) {
        Msg.message = 0;
        Handled = true;
    }
}

void TbsSkinFrame::CopyMenuSettings() {
    SkinMenu->AlphaBlend = MenusAlphaBlend;
    SkinMenu->AlphaBlendValue = MenusAlphaBlendValue;
    SkinMenu->AlphaBlendAnimation = MenusAlphaBlendAnimation;
    SkinMenu->MaxMenuItemsInWindow = MaxMenuItemsInWindow;
    SkinMenu->SetUseSkinFont(UseSkinFontInMenu);
    SkinMenu->SetDefaultMenuItemHeight(DefMenuItemHeight);
    SkinMenu->SetDefaultMenuItemFont(&FDefMenuItemFont);
}

// ---- opening and closing ----------------------------------------------------------------------

void TbsSkinFrame::SkinMenuOpen() {
    CopyMenuSettings();
    if (!InMainMenu) HookApp();
    if (!InMenu) {
        InMenu = true;
        if (OnSkinMenuOpen) OnSkinMenuOpen(this);
    }
}

void TbsSkinFrame::SkinMenuClose() {
    if (FMenuLayerManager && FMenuLayerManager->IsVisible) FMenuLayerManager->Hide();
    InMenu = false;
    // Release the one frame object whose menu was open.
    for (auto& o : ObjectList) {
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) {
            if (a->MenuItem && a->FMenuTracking) {
                // Animate back from the last frame.
                a->Active = true;
                a->FFrame = a->CountFrames;
                a->FDown = false;
                a->FMenuTracking = false;
                a->Increment = false;
                AnimateTimer->SetEnabled(true);
                break;
            }
        } else if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o.get()); b && b->MenuItem && b->FDown) {
            b->SetDown(false);
            break;
        }
    }
    UnHookApp();
    if (OnSkinMenuClose) OnSkinMenuClose(this);
    if (InMainMenu) {
        InMainMenu = false;
        if (MainMenuBar) MainMenuBar->LeaveMenuMode();
        if (OnMainMenuExit) OnMainMenuExit(this);
    }
}

void TbsSkinFrame::MainMenuExit() {
    InMainMenu = false;
    if (SkinMenu->Visible()) SkinMenu->Hide();
    if (MainMenuBar) MainMenuBar->LeaveMenuMode();
    UnHookApp();
    if (OnMainMenuExit) OnMainMenuExit(this);
}

void TbsSkinFrame::MainMenuSkinMenuClose() {
    InMenu = false;
    if (MainMenuBar) MainMenuBar->ReleaseDownItem();
    if (OnSkinMenuClose) OnSkinMenuClose(this);
}

void TbsSkinFrame::PopupSkinMenu(TPopupMenu* Menu, const TPoint& P) {
    PopupSkinMenu1(Menu, TRect(P.x, P.y, P.x, P.y), false);
}

void TbsSkinFrame::PopupSkinMenu1(TPopupMenu* Menu, const TRect& R, bool PopupUp) {
    if (!Menu) return;
    SkinMenuOpen();
    SkinMenu->Popup(nullptr, FMSD ? FMSD : FSD, 0, R, Menu->Items(), PopupUp);
}

void TbsSkinFrame::DoPopupMenu(TPopupMenu* Menu, int X, int Y) {
    if (!Menu) return;
    if (Menu->OnPopup) Menu->OnPopup(this);
    if (SkinMenu->Visible()) SkinMenuClose();
    SkinMenuOpen();
    SkinMenu->Popup(nullptr, FSD, 0, TRect(X, Y, X, Y), Menu->Items(), false);
}

// ---- closing messages ----------------------------------------------------------------------------

void TbsSkinFrame::ClosePopupsFor(const TMessage& m) {
    if (!InMainMenu || InMenu) {
        if (SkinMenu->Visible()) SkinMenu->Hide();
        else if (InMenu) SkinMenuClose();
        else if (FForm->FormStyle() == fsMDIForm && FForm->Visible())
            if (TbsSkinFrame* child = GetActiveChildSkinForm(); child && child != this) child->ClosePopupsFor(m);
    } else MainMenuExit();
    CancelDropDowns();
}

void TbsSkinFrame::CancelDropDowns() {
    if (!(FForm->FormStyle() == fsMDIForm && FForm->Visible())) return;
    // Only the skinned combo boxes and edits have drop-downs to close.
    constexpr UINT kCancelDropDown = 0xB004;
    for (int i = 0; i < FForm->ComponentCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(FForm->Components(i));
            w && bsHasDropDown(w) && w->Visible() && w->Enabled() && w->HandleAllocated())
            SendMessageW(w->Handle(), kCancelDropDown, 0, 0);
}

// ---- keys ------------------------------------------------------------------------------------------

void TbsSkinFrame::SkinMenuKeyDown(WPARAM wParam, LPARAM lParam) {
    const WORD K = LOWORD(wParam);
    if (FForm->FormStyle() == fsMDIChild && Application && Application->MainForm()) {
        TbsSkinFrame* main = FindSkinFormComponent(Application->MainForm());
        if (main && main != this && (main->InMenu || main->InMainMenu || main->SkinMenu->Visible())) {
            main->SkinMenuKeyDown(wParam, lParam);
            return;
        }
    }
    TbsSkinPopupWindow* deepest = SkinMenu->LastLevel();
    const int levels = static_cast<int>(SkinMenu->FPopupList.size());
    if (InMainMenu && MainMenuBar && MainMenuBar->CheckAccelerator(K)) return;
    if (K == VK_ESCAPE && InMainMenu && !SkinMenu->Visible()) {
        MainMenuExit();
        return;
    }
    if (K == VK_LEFT && InMainMenu && levels <= 1) {
        if (MainMenuBar) MainMenuBar->SelectPrevItem();
        return;
    }
    if (K == VK_RIGHT && InMainMenu) {
        bool toBar = !deepest || deepest->ActiveItem < 0;
        if (!toBar)
            toBar = deepest->ItemList[static_cast<size_t>(deepest->ActiveItem)]->MenuItem->Count() == 0;
        if (toBar) {
            if (MainMenuBar) MainMenuBar->SelectNextItem();
            return;
        }
    }
    if (K == VK_RETURN || K == VK_DOWN) {
        if (InMainMenu && MainMenuBar && MainMenuBar->OpenSelectedItem()) return;
        if (SkinMenu->Visible() && deepest) deepest->PopupKeyDown(K);
        return;
    }
    if (SkinMenu->Visible() && deepest) deepest->PopupKeyDown(K);
    if (K == VK_ESCAPE && SkinMenu->FPopupList.empty()) {
        if (InMainMenu) MainMenuSkinMenuClose();
        else SkinMenuClose();
    }
}

void TbsSkinFrame::SysKeyMenu() {
    if (!InMainMenu) {
        if (SkinMenu->Visible()) SkinMenu->Hide();
        if (MainMenuBar) MainMenuBar->EnterMenuMode();
    } else MainMenuExit();
}
