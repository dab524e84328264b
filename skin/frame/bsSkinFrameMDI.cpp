// The frame, continued: MDI main forms and their children (tile, cascade,
// the operations on all children, the window menu, the tab bar and the
// menu bar's buttons of a maximized child).
#include <algorithm>
#include <cmath>

#include "platform/Menus.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMDITabsBar.h"

namespace {

const String kChildItemSuffix = L"_BSFCHILDITEM";

TbsSkinFrame* MainFrame() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    return main ? FindSkinFormComponent(main) : nullptr;
}

// The child name an item stands for: its name without the first suffix.
String ChildNameOf(const String& itemName) {
    String n = itemName;
    const size_t at = n.find(kChildItemSuffix);
    if (at != String::npos) n.erase(at, kChildItemSuffix.size());
    return n;
}

bool IsChildItem(const TMenuItem* item) { return item->Name().find(kChildItemSuffix) != String::npos; }

}  // namespace

std::vector<TRect> ComputeMDITile(int N, int W, int H) {
    std::vector<TRect> out(static_cast<size_t>(std::max(N, 0)));
    int C = static_cast<int>(std::sqrt(static_cast<double>(N)));
    if (C < 1) return out;
    int rows = N / C;
    if (N > rows * C) ++rows;
    const int CW = W / C;
    int RH = H / rows;
    int X = W, Y = H;
    for (int i = N - 1; i >= 0; --i) {
        out[static_cast<size_t>(i)] = Bounds(std::max(0, X - CW), std::max(0, Y - RH), CW, RH);
        Y -= RH;
        if (Y - RH < 0) {
            Y = H;
            X -= CW;
            C = std::max(1, C - 1);
            const int left = i;  // children still to place
            rows = std::max(1, (left + C - 1) / C);
            RH = H / rows;
        }
    }
    return out;
}

std::vector<TRect> ComputeMDICascade(const std::vector<SIZE>& ownSize, int W, int H, int S, int MinW, int MinH) {
    const int N = static_cast<int>(ownSize.size());
    std::vector<TRect> out(ownSize.size());
    // A skin whose top border is 0 would stack every child on one place.
    S = std::max(S, 1);
    const int K = (W - static_cast<int>(std::nearbyint(W * 0.8))) / S;
    int CW, CH;
    if (N < K) {
        CW = W - S * (N - 1);
        CH = H - S * (N - 1);
    } else {
        CW = W - S * K;
        CH = H - S * K;
    }
    CW = std::max(CW, MinW);
    CH = std::max(CH, MinH);
    int offset = 0;
    for (int i = N - 1; i >= 0; --i) {
        const SIZE own = ownSize[static_cast<size_t>(i)];
        const int w = own.cx > 0 ? own.cx : CW, h = own.cy > 0 ? own.cy : CH;
        if (offset + w > W || offset + h > H) offset = 0;
        out[static_cast<size_t>(i)] = Bounds(offset, offset, w, h);
        offset += S;
    }
    return out;
}

TRect TbsSkinFrame::GetMDIWorkArea() const {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return TRect();
    TRect r(0, 0, main->ClientWidth(), main->ClientHeight());
    bool hasLeft = false, hasTop = false, hasRight = false, hasBottom = false;
    for (int i = 0; i < main->ControlCount(); ++i) {
        TControl* c = main->Controls(i);
        if (!c->Visible()) continue;
        const TRect b = c->BoundsRect();
        switch (c->Align()) {
        case alLeft:
            r.left = hasLeft ? std::max(r.left, b.right) : b.right;
            hasLeft = true;
            break;
        case alTop:
            r.top = hasTop ? std::max(r.top, b.bottom) : b.bottom;
            hasTop = true;
            break;
        case alRight:
            r.right = hasRight ? std::min(r.right, b.left) : b.left;
            hasRight = true;
            break;
        case alBottom:
            r.bottom = hasBottom ? std::min(r.bottom, b.top) : b.top;
            hasBottom = true;
            break;
        default:
            break;
        }
    }
    return r;
}

TCustomForm* TbsSkinFrame::GetMaximizedChild() const {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return nullptr;
    if (TCustomForm* active = main->ActiveMDIChild())
        if (TbsSkinFrame* f = FindSkinFormComponent(active); f && f->WindowState() == wsMaximized) return active;
    for (int i = 0; i < main->MDIChildCount(); ++i)
        if (TbsSkinFrame* f = FindSkinFormComponent(main->MDIChildren(i)); f && f->WindowState() == wsMaximized)
            return main->MDIChildren(i);
    return nullptr;
}

void TbsSkinFrame::ResizeMDIChildren() {
    for (int i = 0; i < FForm->MDIChildCount(); ++i)
        if (TCustomForm* c = FForm->MDIChildren(i); c->HandleAllocated())
            SendMessageW(c->Handle(), WM_MDICHILDRESIZE, 0, 0);
    ArrangeMinimizedChildren();
}

void TbsSkinFrame::ArrangeMinimizedChildren() {
    const TRect work = GetMDIWorkArea();
    int x = 0;
    for (int i = 0; i < FForm->MDIChildCount(); ++i) {
        TCustomForm* c = FForm->MDIChildren(i);
        TbsSkinFrame* f = FindSkinFormComponent(c);
        if (!f || f->WindowState() != wsMinimized) continue;
        // Minimized captions line up along the bottom of the work area.
        c->SetBounds(x, work.Height() - c->Height(), c->Width(), c->Height());
        x += c->Width();
    }
}

bool TbsSkinFrame::HandleMDIMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_MDICHILDRESIZE:
        if (FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized) {
            if (TbsSkinFrame* main = MainFrame()) {
                const TRect w = main->GetMDIWorkArea();
                FForm->SetBounds(0, 0, w.Width(), w.Height());
            }
        }
        m.Result = 0;
        return true;
    case WM_MDICHILDMAX:
        if (FForm->FormStyle() != fsMDIForm) return false;
        FMDIChildMaximized = true;
        RepaintFrame();
        if (MDIMenuBar) MDIMenuBar->MDIChildMaximized();
        m.Result = 0;
        return true;
    case WM_MDICHILDRESTORE:
        if (FForm->FormStyle() != fsMDIForm) return false;
        FMDIChildMaximized = GetMaximizedChild() != nullptr;
        RepaintFrame();
        if (MDIMenuBar) MDIMenuBar->MDIChildRestored();
        m.Result = 0;
        return true;
    default:
        return false;
    }
}

String TbsSkinFrame::MDICaption() const {
    String s = FForm->Caption();
    if (FForm->FormStyle() == fsMDIForm && FMDIChildMaximized)
        if (TCustomForm* child = GetMaximizedChild()) s += L" - [" + child->Caption() + L"]";
    return s;
}

// ---- the window menu --------------------------------------------------------------------------

void TbsSkinFrame::AddChildToMenu(TCustomForm* Child) {
    TbsSkinFrame* main = MainFrame();
    if (!main || !main->FForm->WindowMenu()) return;
    // A child shown again keeps its one item.
    TMenuItem* menu = main->FForm->WindowMenu();
    for (int i = 0; i < menu->Count(); ++i)
        if (IsChildItem(menu->Items(i)) && ChildNameOf(menu->Items(i)->Name()) == Child->Name()) return;
    auto* item = new TMenuItem(this);
    item->SetName(Child->Name() + kChildItemSuffix);
    item->SetCaption(Child->Caption());
    item->OnClick = [main](TObject* sender) { main->MDIItemClick(sender); };
    main->FForm->WindowMenu()->Add(item);
}

void TbsSkinFrame::DeleteChildFromMenu(TCustomForm* Child) {
    TbsSkinFrame* main = MainFrame();
    if (!main || !main->FForm->WindowMenu()) return;
    TMenuItem* menu = main->FForm->WindowMenu();
    for (int i = 0; i < menu->Count(); ++i)
        if (TMenuItem* it = menu->Items(i); IsChildItem(it) && ChildNameOf(it->Name()) == Child->Name()) {
            it->Free();
            break;
        }
    if (main->FForm->MDIChildCount() == 0)
        for (int i = 0; i < menu->Count(); ++i)
            if (IsChildItem(menu->Items(i))) {
                menu->Items(i)->Free();
                break;
            }
}

void TbsSkinFrame::MDIItemClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    TbsSkinFrame* main = MainFrame();
    if (!item || !main) return;
    const String name = ChildNameOf(item->Name());
    for (int i = 0; i < main->FForm->MDIChildCount(); ++i) {
        TCustomForm* c = main->FForm->MDIChildren(i);
        if (c->Name() != name) continue;
        if (TbsSkinFrame* f = FindSkinFormComponent(c); f && f->WindowState() == wsMinimized) f->SetWindowState(wsNormal);
        c->Show();
    }
}

void TbsSkinFrame::UpDateChildCaptionInMenu(TCustomForm* Child) {
    TbsSkinFrame* main = MainFrame();
    if (!main || !main->FForm->WindowMenu()) return;
    TMenuItem* menu = main->FForm->WindowMenu();
    for (int i = 0; i < menu->Count(); ++i)
        if (TMenuItem* it = menu->Items(i); IsChildItem(it) && ChildNameOf(it->Name()) == Child->Name())
            it->SetCaption(Child->Caption());
}

void TbsSkinFrame::UpDateChildActiveInMenu() {
    TbsSkinFrame* main = MainFrame();
    if (!main || !main->FForm->WindowMenu()) return;
    TCustomForm* active = main->FForm->ActiveMDIChild();
    TMenuItem* menu = main->FForm->WindowMenu();
    for (int i = 0; i < menu->Count(); ++i)
        if (TMenuItem* it = menu->Items(i); IsChildItem(it))
            it->SetChecked(active && ChildNameOf(it->Name()) == active->Name());
}

// ---- tab bar and menu bar ---------------------------------------------------------------------

void TbsSkinFrame::AddChildToBar(TCustomForm* Child) {
    TbsSkinFrame* main = MainFrame();
    if (!main || !main->MDITabsBar) return;
    for (int i = 0; i < main->MDITabsBar->TabCount(); ++i)
        if (main->MDITabsBar->Tabs(i)->Child == Child) return;  // shown again: one tab
    bool accept = true;
    if (OnAcceptToMDITabsBar) OnAcceptToMDITabsBar(accept);
    if (accept) main->MDITabsBar->AddTab(Child);
}

void TbsSkinFrame::DeleteChildFromBar(TCustomForm* Child) {
    TbsSkinFrame* main = MainFrame();
    if (main && main->MDITabsBar) main->MDITabsBar->DeleteTab(Child);
}

// A child's window goes: it is no longer maximized, and the main form's
// lists and bars forget it.
void TbsSkinFrame::ChildGoing() {
    FWindowState = wsNormal;
    DeleteChildFromMenu(FForm);
    DeleteChildFromBar(FForm);
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main != FForm && main->HandleAllocated()) SendMessageW(main->Handle(), WM_MDICHILDRESTORE, 0, 0);
    UpdateMainMenuBar();
    UpdateMDITabsBar();
}

void TbsSkinFrame::RefreshMDIBarTab(TCustomForm* Child) {
    TbsSkinFrame* main = MainFrame();
    if (main && main->MDITabsBar) main->MDITabsBar->RefreshTabOf(Child);
}

void TbsSkinFrame::UpdateMDITabsBar() {
    TbsSkinFrame* main = MainFrame();
    if (main && main->MDITabsBar) main->MDITabsBar->UpdateActiveTab();
}

void TbsSkinFrame::UpdateMainMenuBar() {
    TbsSkinFrame* main = MainFrame();
    if (main && main->MDIMenuBar && main->MDIMenuBar->ShowsChildMenu()) main->MDIMenuBar->UpDateItems();
}

// ---- arrangements -----------------------------------------------------------------------------

void TbsSkinFrame::Tile() {
    if (FForm->FormStyle() != fsMDIForm) return;
    RestoreAll();
    const TRect w = GetMDIWorkArea();
    const int n = FForm->MDIChildCount();
    std::vector<TCustomForm*> children;
    for (int i = 0; i < n; ++i) children.push_back(FForm->MDIChildren(i));
    const std::vector<TRect> r = ComputeMDITile(n, w.Width(), w.Height());
    for (int i = 0; i < n; ++i) children[static_cast<size_t>(i)]->SetBoundsRect(r[static_cast<size_t>(i)]);
}

void TbsSkinFrame::Cascade() {
    if (FForm->FormStyle() != fsMDIForm) return;
    RestoreAll();
    const TRect w = GetMDIWorkArea();
    const int S = FSkinSupport ? NewClRect.top : GetDefCaptionHeight() + 3;
    std::vector<TCustomForm*> children;
    std::vector<SIZE> own;
    for (int i = 0; i < FForm->MDIChildCount(); ++i) {
        TCustomForm* c = FForm->MDIChildren(i);
        children.push_back(c);
        own.push_back(c->BorderStyle() == bsSingle ? SIZE{c->Width(), c->Height()} : SIZE{0, 0});
    }
    const std::vector<TRect> r = ComputeMDICascade(own, w.Width(), w.Height(), S, GetMinWidth(), GetMinHeight());
    for (size_t i = 0; i < children.size(); ++i) children[i]->SetBoundsRect(r[i]);
}

void TbsSkinFrame::MinimizeAll() {
    if (FForm->FormStyle() != fsMDIForm) return;
    for (int i = FForm->MDIChildCount() - 1; i >= 0; --i)
        if (TbsSkinFrame* f = FindSkinFormComponent(FForm->MDIChildren(i))) f->SetWindowState(wsMinimized);
}

void TbsSkinFrame::MaximizeAll() {
    if (FForm->FormStyle() != fsMDIForm) return;
    for (int i = FForm->MDIChildCount() - 1; i >= 0; --i)
        if (TbsSkinFrame* f = FindSkinFormComponent(FForm->MDIChildren(i))) f->SetWindowState(wsMaximized);
}

void TbsSkinFrame::RestoreAll() {
    if (FForm->FormStyle() != fsMDIForm) return;
    for (int i = FForm->MDIChildCount() - 1; i >= 0; --i) {
        TbsSkinFrame* f = FindSkinFormComponent(FForm->MDIChildren(i));
        if (f && f->WindowState() != wsNormal) f->SetWindowState(wsNormal);
    }
    for (int i = FForm->MDIChildCount() - 1; i >= 0; --i) {
        TbsSkinFrame* f = FindSkinFormComponent(FForm->MDIChildren(i));
        if (f && f->WindowState() == wsNormal && f->RollUpState()) f->SetRollUpState(false);
    }
}

void TbsSkinFrame::CloseAll() {
    if (FForm->FormStyle() != fsMDIForm) return;
    std::vector<TCustomForm*> children;
    for (int i = 0; i < FForm->MDIChildCount(); ++i) children.push_back(FForm->MDIChildren(i));
    for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->Close();
}
