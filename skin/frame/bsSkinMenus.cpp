// The chain of skinned menu levels (TbsSkinMenu), the reactions of its
// entries, and the popup menu that opens through it (TbsSkinPopupMenu).
#include "skin/frame/bsSkinMenus.h"

#include <algorithm>

#include "platform/MainThread.h"
#include "skin/bsUtils.h"
#include "skin/frame/bsSkinFrame.h"

bool IsPopupCloseMessage(UINT msg) {
    switch (msg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE: case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
        return true;
    default:
        return false;
    }
}

bool IsMenuSeparator(const TMenuItem* item) { return item->Caption() == L"-"; }

bool IsMenuHeader(const TMenuItem* item) {
    const String& c = item->Caption();
    return !c.empty() && c.front() == L'-' && c.back() == L'-' && !item->Enabled();
}

bool IsMenuSelectable(const TMenuItem* item) { return item->Enabled() && !IsMenuSeparator(item); }

void RunFadeIn(int target, const std::function<DWORD()>& tick, const std::function<void(int)>& setAlpha) {
    const int step = std::max(1, target / 15);
    int alpha = 0;
    DWORD last = 0;
    while (alpha < target) {
        const DWORD now = tick();
        if (now - last > 5) {
            last = now;
            alpha = std::min(alpha + step, target);
            setAlpha(alpha);
        }
    }
}

void SendToControl(TControl* c, UINT msg) {
    if (!c) return;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) SendMessageW(w->Handle(), msg, 0, 0);
    else c->Perform(msg, 0, 0);
}

// ---- entry reactions --------------------------------------------------------------------------

TbsSkinMenuItem::TbsSkinMenuItem(TbsSkinPopupWindow* AParent, TMenuItem* AMenuItem, TbsDataSkinMenuItem* AData)
    : Parent(AParent), MI(AData), MenuItem(AMenuItem) {
    if (!MI) return;
    TbsSkinData* sd = Parent->SD;
    const int i = MI->ActivePictureIndex;
    if (sd && i >= 0 && i < static_cast<int>(sd->FActivePictures.size()))
        ActivePicture = sd->FActivePictures[static_cast<size_t>(i)].get();
    // Without its picture the object has no parts; the level works on its
    // own copy of the record (see the level), never on the store's.
    if (!ActivePicture) {
        MI->SkinRect = NullRect();
        MI->ActiveSkinRect = NullRect();
    }
}

void TbsSkinMenuItem::MouseEnter(bool Kb) {
    Active = true;
    if (EnableAnimation()) CurrentFrame = 0;
    for (auto& e : Parent->ItemList)
        if (e.get() != this && e->Down) {
            e->Down = false;
            e->ReDraw();
        }
    TbsSkinMenu* menu = Parent->ParentMenu;
    if (WaitCommand && !Kb) {
        ReDraw();
    } else if (Down) {
        const int own = Parent->LevelIndex();
        const int count = static_cast<int>(menu->FPopupList.size());
        if (own + 2 < count) {
            // Close what lies beyond this entry's submenu and release its entries.
            TbsSkinPopupWindow* sub = menu->FPopupList[static_cast<size_t>(own + 1)];
            menu->CloseLevels(own + 2);
            for (auto& e : sub->ItemList)
                if (e->Down) {
                    e->Down = false;
                    if (e->EnableAnimation() && e->MI && !e->MI->InActiveAnimation) {
                        e->CurrentFrame = 0;
                        if (sub->HandleAllocated()) e->Draw(sub->Canvas());
                    } else e->ReDraw();
                }
        }
    } else {
        ReDraw();
        menu->CheckItem(Parent, this, false, Kb);
    }
    if (Parent->LevelHint != MenuItem->Hint) Parent->LevelHint = MenuItem->Hint;
}

void TbsSkinMenuItem::MouseLeave() {
    Active = false;
    if (EnableAnimation()) CurrentFrame = MI->FrameCount + 1;
    WaitCommand = false;
    if (!Down) ReDraw();
    TbsSkinMenu* menu = Parent->ParentMenu;
    if (menu && menu->WItem == this) {
        menu->WaitTimer->SetEnabled(false);
        menu->WItem = nullptr;
    }
}

void TbsSkinMenuItem::MouseDown(int, int) {
    WaitCommand = false;
    if (!Down && MenuItem->Enabled()) Parent->ParentMenu->CheckItem(Parent, this, true, false);
}

// ---- the chain --------------------------------------------------------------------------------

TbsSkinMenu::TbsSkinMenu(TComponent* AOwner, TCustomForm* AForm) : TComponent(AOwner), FForm(AForm) {
    WaitTimer = NewStoppedTimer(this, 500, [this](TObject*) { WaitTimerProc(); });
    FDefaultMenuItemFont.SetName(L"Arial");
    FDefaultMenuItemFont.SetHeight(14);
    FDefaultMenuItemFont.SetStyle(TFontStyles{});
    if (FForm) FreeNotification(FForm);
}

TbsSkinMenu::~TbsSkinMenu() {
    CloseLevels(0);
}

void TbsSkinMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FForm) FForm = nullptr;
    if (AComponent == PopupCtrl) PopupCtrl = nullptr;
    if (AComponent == DCtrl) DCtrl = nullptr;
    if (AComponent == SkinData) SkinData = nullptr;
}

// An open chain closes towards its own opener before the new one starts; the
// new chain's opener, skin and work area are taken.
void TbsSkinMenu::BeginChain(TControl* APopupCtrl, TbsSkinData* ASkinData) {
    FFirst = !FVisible;
    if (!FPopupList.empty() || FVisible) CloseLevels(0);
    PopupCtrl = APopupCtrl;
    if (PopupCtrl) FreeNotification(PopupCtrl);
    if (FForm && FForm->HandleAllocated()) GetMonitorWorkArea(FForm->Handle(), true, WorkArea);
    else GetScreenWorkArea(true, WorkArea);
    SkinData = ASkinData;
    if (SkinData) FreeNotification(SkinData);
}

void TbsSkinMenu::Popup(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R,
                        TMenuItem* AItem, bool PopupUp) {
    BeginChain(APopupCtrl, ASkinData);
    if (AItem && AItem->Count() > 0 && StartIndex < AItem->Count()) {
        FVisible = true;
        PopupSub(R, AItem, StartIndex, false, PopupUp);
        FFirst = false;
    }
}

void TbsSkinMenu::Popup2(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R,
                         TMenuItem* AItem, TMenuItem* AItem2, bool PopupUp) {
    BeginChain(APopupCtrl, ASkinData);
    const int total = (AItem ? AItem->Count() : 0) + (AItem2 ? AItem2->Count() : 0);
    if (AItem && AItem->Count() > 0 && StartIndex < total) {
        FVisible = true;
        PopupSub2(R, AItem, AItem2, StartIndex, false, PopupUp);
        FFirst = false;
    }
}

void TbsSkinMenu::PopupSub(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp) {
    TbsDataSkinPopupWindow* rec = (SkinData && !SkinData->Empty) ? SkinData->PopupWindow.get() : nullptr;
    auto* level = new TbsSkinPopupWindow(nullptr, this, rec);
    FPopupList.push_back(level);
    level->Show(R, AItem, StartIndex, PopupByItem, PopupUp);
}

void TbsSkinMenu::PopupSub2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                            bool PopupUp) {
    TbsDataSkinPopupWindow* rec = (SkinData && !SkinData->Empty) ? SkinData->PopupWindow.get() : nullptr;
    auto* level = new TbsSkinPopupWindow(nullptr, this, rec);
    FPopupList.push_back(level);
    level->Show2(R, AItem, AItem2, StartIndex, PopupByItem, PopupUp);
}

// A closed level leaves the chain and the screen at once; the object goes
// once the message now being handled is done, since the close may come
// from the level's own mouse, key or timer handling.
void TbsSkinMenu::FreeLevel(TbsSkinPopupWindow* level) {
    level->Hide();
    level->ParentMenu = nullptr;
    if (WItem && WItem->Parent == level) {
        WaitTimer->SetEnabled(false);
        WItem = nullptr;
    }
    platform::QueueInMainThread([level] { delete level; });
}

void TbsSkinMenu::CloseLevels(int N) {
    N = std::max(N, 0);
    while (static_cast<int>(FPopupList.size()) > N) {
        TbsSkinPopupWindow* level = FPopupList.back();
        FPopupList.pop_back();
        FreeLevel(level);
    }
    if (N != 0) return;
    FVisible = false;
    WaitTimer->SetEnabled(false);
    DCtrl = PopupCtrl;
    if (PopupCtrl) {
        TControl* c = PopupCtrl;
        PopupCtrl = nullptr;
        SendToControl(c, WM_CLOSESKINMENU);
    }
    if (OnMenuClose) {
        TNotifyEvent ev = std::move(OnMenuClose);
        OnMenuClose = nullptr;
        ev(this);
    }
}

void TbsSkinMenu::Hide() {
    CloseLevels(0);
    WaitTimer->SetEnabled(false);
    WItem = nullptr;
    if (FForm && FForm->HandleAllocated()) SendMessageW(FForm->Handle(), WM_CLOSESKINMENU, 0, 0);
}

void TbsSkinMenu::StopDelay() {
    WaitTimer->SetEnabled(false);
    WItem = nullptr;
}

namespace {
// Runs the item's command through its menu (an item outside any menu, such
// as one built in code for a system menu, runs itself).
void DispatchItem(TMenuItem* item) {
    if (TMenu* m = item->GetParentMenu()) {
        if (!m->DispatchCommand(item->Command())) item->Click();
    } else item->Click();
}
}  // namespace

// Item has children / Click / Kb -> action:
//   no,  False, any : stop the delay, close the levels after Level
//   no,  True,  any : stop the delay, Hide, run the command, tell DCtrl
//   yes, False, False: stop the delay, close after Level, start the delay
//   yes, True,  any : run the command, stop the delay, open the submenu now
//   yes, False, True : nothing (keys never open submenus by themselves)
void TbsSkinMenu::CheckItem(TbsSkinPopupWindow* Level, TbsSkinMenuItem* Entry, bool Click, bool Kb) {
    TMenuItem* item = Entry->MenuItem;
    const bool hasChildren = item->Count() > 0;
    const int levelIndex = Level->LevelIndex();
    if (!hasChildren) {
        StopDelay();
        if (!Click) {
            CloseLevels(levelIndex + 1);
            return;
        }
        Hide();
        DispatchItem(item);
        if (DCtrl) {
            TControl* c = DCtrl;
            DCtrl = nullptr;
            SendToControl(c, WM_SKINMENUCOMMAND);
        }
        return;
    }
    if (!Click) {
        if (Kb) return;
        StopDelay();
        CloseLevels(levelIndex + 1);
        WItem = Entry;
        WaitTimer->SetEnabled(true);
        return;
    }
    DispatchItem(item);
    StopDelay();
    if (Level->ParentMenu != this) return;  // the command closed the chain
    CloseLevels(levelIndex + 1);
    Entry->Down = true;
    TRect r = Entry->ObjectRect;
    OffsetRect(&r, Level->Left(), Level->Top());
    PopupSub(r, item, 0, true, false);
}

void TbsSkinMenu::WaitTimerProc() {
    WaitTimer->SetEnabled(false);
    if (TbsSkinMenuItem* e = WItem) CheckItem(e->Parent, e, true, false);
}

// ---- the popup menu ---------------------------------------------------------------------------

TbsSkinPopupMenu::TbsSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

void TbsSkinPopupMenu::SetSkinData(TbsSkinData* v) {
    FSD = v;
    if (v) FreeNotification(v);
}

void TbsSkinPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TPopupMenu::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) FSD = nullptr;
    if (AComponent == ComponentForm) ComponentForm = nullptr;
    if (AComponent == SkinComponent) SkinComponent = nullptr;
}

TbsSkinFrame* TbsSkinPopupMenu::FindFrame() const {
    if (SkinComponent) return SkinComponent;
    if (ComponentForm) return FindSkinFormComponent(ComponentForm);
    TbsSkinFrame* f = nullptr;
    if (auto* form = dynamic_cast<TCustomForm*>(Owner())) f = FindSkinFormComponent(form);
    else if (Owner())
        if (auto* form2 = dynamic_cast<TCustomForm*>(Owner()->Owner())) f = FindSkinFormComponent(form2);
    if (f && f->FForm->FormStyle() == fsMDIChild && Application && Application->MainForm())
        f = FindSkinFormComponent(Application->MainForm());
    return f;
}

void TbsSkinPopupMenu::DoShow(TControl* ctrl, const TRect& R, bool PopupUp, bool needsSkin) {
    DoPopup();
    TbsSkinFrame* frame = FindFrame();
    if (frame && !FSD) SetSkinData(frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData());
    if (!frame || (needsSkin && !FSD)) return;
    if (frame->SkinMenu->Visible()) frame->SkinMenuClose();
    FPopupPoint = TPoint(R.left, R.top);
    frame->SkinMenuOpen();
    frame->SkinMenu->Popup(ctrl, FSD, 0, R, Items(), PopupUp);
    if (OnMenuClose) frame->SkinMenu->OnMenuClose = OnMenuClose;
}

void TbsSkinPopupMenu::Popup(int X, int Y) { DoShow(nullptr, TRect(X, Y, X, Y), false, false); }

bool TbsSkinPopupMenu::IsOpen() const {
    TbsSkinFrame* frame = FindFrame();
    if (!frame || !frame->SkinMenu->Visible() || frame->SkinMenu->FPopupList.empty()) return false;
    const auto& first = frame->SkinMenu->FPopupList.front()->ItemList;
    return !first.empty() && first.front()->MenuItem->GetParentMenu() == this;
}

void TbsSkinPopupMenu::PopupFromRect(const TRect& R, bool APopupUp) { DoShow(nullptr, R, APopupUp, false); }

void TbsSkinPopupMenu::Popup2(TControl* ACtrl, int X, int Y) { DoShow(ACtrl, TRect(X, Y, X, Y), false, true); }

void TbsSkinPopupMenu::PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) {
    DoShow(ACtrl, R, APopupUp, false);
}

void TbsSkinPopupMenu::PopupForControl(TControl* control, const TRect& R, bool up) {
    PopupComponent = control;
    PopupFromRect2(control, R, up);
}

