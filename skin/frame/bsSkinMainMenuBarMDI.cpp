// The skinned menu bar, continued: the buttons of a maximized MDI child
// (system menu at the left end; close, restore and minimize at the right),
// their look and their commands on the child.
#include <algorithm>

#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/frame/bsSkinMainMenuBar.h"
#include "skin/frame/bsSkinMenus.h"

void TbsSkinMainMenuBar::CreateMDIButtons() {
    MDIButtons.clear();
    FPressed = nullptr;
    // Inserted at the head one after another: the list ends up as system
    // menu, close, maximize, minimize.
    const struct {
        const String* name;
        TbsStdCommand command;
    } roles[] = {{&MinButton, cmMinimize}, {&MaxButton, cmMaximize}, {&CloseButton, cmClose},
                 {&SysMenuButton, cmSysMenu}};
    for (const auto& role : roles) {
        auto b = std::make_unique<TbsSkinMainMenuBarButton>();
        b->IDName = *role.name;
        // The command of the button's place; a record the skin has may name its own.
        b->Command = role.command;
        TbsDataSkinMainMenuBarButton* rec = nullptr;
        if (FSkinSupport && FSD && !FSD->Empty) {
            const int i = FSD->GetIndex(*role.name);
            if (i >= 0) rec = dynamic_cast<TbsDataSkinMainMenuBarButton*>(FSD->ObjectList[static_cast<size_t>(i)].get());
        }
        if (rec && !IsNullRect(rec->SkinRect)) {
            b->FromRecord = true;
            b->SkinRect = rec->SkinRect;
            b->ActiveSkinRect = rec->ActiveSkinRect;
            b->DownRect = rec->DownRect;
            if (rec->Command != cmDefault) b->Command = rec->Command;
            b->Picture = ActivePicture(rec->ActivePictureIndex);
            if (!b->Picture) b->FromRecord = false;
        }
        MDIButtons.insert(MDIButtons.begin(), std::move(b));
    }
}

void TbsSkinMainMenuBar::DeleteMDIButtons() {
    MDIButtons.clear();
    FPressed = nullptr;
    ActiveObject = MouseCaptureObject = -1;
}

void TbsSkinMainMenuBar::CheckMDIButtons(TbsBorderIcons Icons) {
    for (auto& b : MDIButtons) {
        b->Enabled = true;
        if (b->Command == cmMinimize) b->Enabled = (Icons & biSkinMinimize) != 0;
        if (b->Command == cmSysMenu) b->Enabled = (Icons & biSkinSystemMenu) != 0;
    }
}

void TbsSkinMainMenuBar::MDIChildMaximized() {
    if (FMDIChildMax) return;
    FMDIChildMax = true;
    OldActiveObject = ActiveObject = MouseCaptureObject = -1;
    CreateMDIButtons();
    if (TbsSkinFrame* child = GetMaximizedChildSkinForm()) CheckMDIButtons(child->BorderIcons());
    CalcItemsRect();
    DrawBarObject(nullptr);
}

void TbsSkinMainMenuBar::MDIChildRestored() {
    TbsSkinFrame* child = GetMaximizedChildSkinForm();
    if (!child && FMDIChildMax) {
        FMDIChildMax = false;
        DeleteMDIButtons();
        CalcItemsRect();
        DrawBarObject(nullptr);
    } else if (child) CheckMDIButtons(child->BorderIcons());
}

// The system-menu button at the left end, the others from the right end
// leftwards; the items get the room between.
void TbsSkinMainMenuBar::PlaceMDIButtons() {
    const int h = NewItemsRect.Height();
    for (size_t i = 0; i < MDIButtons.size(); ++i) {
        TbsSkinMainMenuBarButton& b = *MDIButtons[i];
        const int bw = b.FromRecord ? b.SkinRect.Width() : h;
        const int bh = b.FromRecord ? b.SkinRect.Height() : h;
        const int top = NewItemsRect.top + h / 2 - bh / 2;
        if (b.Command == cmSysMenu && i == 0) {
            b.ObjectRect = TRect(NewItemsRect.left, top, NewItemsRect.left + bw, top + bh);
            NewItemsRect.left += bw + 2;
        } else {
            b.ObjectRect = TRect(NewItemsRect.right - bw, top, NewItemsRect.right, top + bh);
            NewItemsRect.right -= bw + 2;
        }
    }
}

void TbsSkinMainMenuBar::DrawMDIButton(TCanvas* C, const TbsSkinMainMenuBarButton& B) {
    const int W = B.ObjectRect.Width(), H = B.ObjectRect.Height();
    if (W <= 0 || H <= 0) return;
    TBitmap b(W, H);
    TCanvas* c = b.Canvas();
    if (B.FromRecord && FSkinSupport && B.Picture) {
        const TRect part = (B.FDown && !IsNullRect(B.DownRect)) ? B.DownRect : B.SkinRect;
        c->CopyRect(TRect(0, 0, W, H), B.Picture->Canvas(), part);
    } else {
        c->Brush()->SetStyle(bsSolid);
        if (B.FDown) {
            c->Brush()->SetColor(clNavy);
            c->FillRect(TRect(0, 0, W, H));
            c->Brush()->SetColor(static_cast<TColor>(0xB59285));
            c->FillRect(TRect(1, 1, W - 1, H - 1));
        } else {
            c->Brush()->SetColor(clBtnFace);
            c->FillRect(TRect(0, 0, W, H));
        }
        const int x = B.FDown ? W / 2 - 4 : W / 2 - 5, y = B.FDown ? H / 2 - 3 : H / 2 - 4;
        const TColor ink = B.Enabled ? clBtnText : clBtnShadow;
        switch (B.Command) {
        case cmClose: DrawCloseImage(c, x, y, ink); break;
        case cmMaximize: DrawRestoreImage(c, x, y, ink); break;
        case cmMinimize: DrawMinimizeImage(c, x, y, ink); break;
        case cmSysMenu: DrawSysMenuImage(c, x, y, ink); break;
        default: break;
        }
    }
    C->Draw(B.ObjectRect.left, B.ObjectRect.top, &b);
}

TbsSkinMainMenuBarButton* TbsSkinMainMenuBar::MDIButtonAt(int X, int Y) const {
    if (!FMDIChildMax) return nullptr;
    const POINT p{X, Y};
    for (auto& b : MDIButtons)
        if (b->Enabled && PtInRect(&b->ObjectRect, p)) return b.get();
    return nullptr;
}

// A press: the button goes down; the system menu opens at once, the others
// act on the release over them.
void TbsSkinMainMenuBar::MDIButtonDown(TbsSkinMainMenuBarButton* B) {
    if (B->FDown) return;
    B->FDown = true;
    DrawBarObject(nullptr);
    if (B->Command == cmSysMenu) RunMDICommand(B);
    else FPressed = B;
}

void TbsSkinMainMenuBar::MDIButtonUp(int X, int Y) {
    TbsSkinMainMenuBarButton* b = FPressed;
    FPressed = nullptr;
    if (!b) return;
    b->FDown = false;
    DrawBarObject(nullptr);
    if (MDIButtonAt(X, Y) == b) RunMDICommand(b);
}

void TbsSkinMainMenuBar::RunMDICommand(TbsSkinMainMenuBarButton* B) {
    TbsSkinFrame* child = GetMaximizedChildSkinForm();
    if (!child) return;
    switch (B->Command) {
    case cmClose: child->FForm->Close(); break;
    case cmMaximize: child->SetWindowState(wsNormal); break;
    case cmMinimize: child->SetWindowState(wsMinimized); break;
    case cmSysMenu: {
        if (!BSF) return;
        const TPoint tl = ClientToScreen(TPoint(B->ObjectRect.left, B->ObjectRect.top));
        const TRect r(tl.x, tl.y, tl.x + B->ObjectRect.Width(), tl.y + B->ObjectRect.Height());
        TMenuItem* items = child->GetSysMenuItems();
        BSF->SkinMenuOpen();
        BSF->SkinMenu->Popup(this, BSF->MenusSkinData() ? BSF->MenusSkinData() : BSF->SkinData(), 0, r, items,
                             PopupToUp);
        break;
    }
    default: break;
    }
}

// ---- child menus ----------------------------------------------------------------------------

TMainMenu* TbsSkinMainMenuBar::GetChildMainMenu() const {
    if (FMergeMenu) return FMergeMenu;
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    TCustomForm* child = main ? main->ActiveMDIChild() : nullptr;
    if (!child) return nullptr;
    for (int i = 0; i < child->ComponentCount(); ++i)
        if (auto* m = dynamic_cast<TMainMenu*>(child->Components(i))) return m;
    return nullptr;
}

void TbsSkinMainMenuBar::Merge(TMainMenu* Menu) {
    if (FMergeMenu && FMergeMenu != Menu) RemoveFreeNotification(FMergeMenu);
    FMergeMenu = Menu;
    if (Menu) FreeNotification(Menu);
    UpDateItems();
}

void TbsSkinMainMenuBar::UnMerge() {
    if (FMergeMenu) RemoveFreeNotification(FMergeMenu);
    FMergeMenu = nullptr;
    UpDateItems();
}

// A child item replaces the main menu's items of its group; the result is
// ordered by group.
std::vector<TMenuItem*> TbsSkinMainMenuBar::BarMenuItems(TMainMenu* child) const {
    std::vector<TMenuItem*> out;
    TMenuItem* root = FMainMenu->Items();
    if (!child) {
        for (int i = 0; i < root->Count(); ++i) out.push_back(root->Items(i));
        return out;
    }
    TMenuItem* croot = child->Items();
    auto childHasGroup = [croot](BYTE g) {
        for (int i = 0; i < croot->Count(); ++i)
            if (croot->Items(i)->GroupIndex() == g) return true;
        return false;
    };
    for (int i = 0; i < root->Count(); ++i)
        if (!childHasGroup(root->Items(i)->GroupIndex())) out.push_back(root->Items(i));
    for (int i = 0; i < croot->Count(); ++i) out.push_back(croot->Items(i));
    std::stable_sort(out.begin(), out.end(),
                     [](TMenuItem* a, TMenuItem* b) { return a->GroupIndex() < b->GroupIndex(); });
    return out;
}
