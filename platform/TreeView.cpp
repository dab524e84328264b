#include "platform/TreeView.h"

#include <algorithm>
#include <cstring>

#include "platform/ImgList.h"

// ---- nodes ----------------------------------------------------------------------------------

void TTreeNode::SetText(const String& v) {
    text_ = v;
    owner_->UpdateNode(this, TVIF_TEXT);
}

void TTreeNode::SetHasChildren(bool v) {
    hasChildren_ = v;
    owner_->UpdateNode(this, TVIF_CHILDREN);
}

void TTreeNode::SetImageIndex(int v) {
    imageIndex_ = v;
    owner_->UpdateNode(this, TVIF_IMAGE);
}

void TTreeNode::SetStateIndex(int v) {
    stateIndex_ = std::max(v, -1);
    owner_->UpdateNode(this, TVIF_STATE);
}

void TTreeNode::SetSelectedIndex(int v) {
    selectedIndex_ = v;
    owner_->UpdateNode(this, TVIF_SELECTEDIMAGE);
}

int TTreeNode::Index() const {
    const auto& level = owner_->items_.Siblings(parent_);
    for (size_t i = 0; i < level.size(); ++i)
        if (level[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const {
    int n = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_) ++n;
    return n;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& level = owner_->items_.Siblings(parent_);
    const int i = Index();
    return i + 1 < static_cast<int>(level.size()) ? level[static_cast<size_t>(i) + 1].get() : nullptr;
}

bool TTreeNode::Expanded() const {
    return id_ && (owner_->Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(id_), TVIS_EXPANDED) & TVIS_EXPANDED);
}

void TTreeNode::SetExpanded(bool v) { v ? Expand(false) : Collapse(false); }

void TTreeNode::Expand(bool recurse) {
    if (!owner_->HandleAllocated()) owner_->HandleNeeded();
    owner_->Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(id_));
    if (recurse)
        for (size_t i = 0; i < children_.size(); ++i) children_[i]->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    if (!id_) return;
    owner_->Send(TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(id_));
    if (recurse)
        for (auto& c : children_) c->Collapse(true);
}

bool TTreeNode::Selected() const { return id_ && owner_->Selected() == this; }

void TTreeNode::SetSelected(bool v) { owner_->SetSelected(v ? this : nullptr); }

void TTreeNode::DeleteChildren() {
    while (!children_.empty()) children_.back()->Delete();
}

void TTreeNode::Delete() {
    DeleteChildren();
    owner_->Delete(this);
    if (id_ && owner_->HandleAllocated()) owner_->Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(id_));
    id_ = nullptr;
    auto& level = owner_->items_.Siblings(parent_);
    auto it = std::find_if(level.begin(), level.end(), [&](const auto& n) { return n.get() == this; });
    if (it != level.end()) level.erase(it);  // frees this node
}

bool TTreeNode::EditText() { return id_ && owner_->Send(TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(id_)) != 0; }

TRect TTreeNode::DisplayRect(bool textOnly) const {
    // The item goes in through the rectangle itself.
    RECT r{};
    std::memcpy(&r, &id_, sizeof(id_));
    if (!id_ || !owner_->Send(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&r))) return TRect();
    return r;
}

// ---- node list ---------------------------------------------------------------------------------

int TTreeNodes::Count() const {
    int n = 0;
    std::vector<const TTreeNode*> stack;
    for (const auto& r : roots_) stack.push_back(r.get());
    while (!stack.empty()) {
        const TTreeNode* node = stack.back();
        stack.pop_back();
        ++n;
        for (int i = 0; i < node->Count(); ++i) stack.push_back(node->Item(i));
    }
    return n;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const String& text) { return AddObject(sibling, text, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const String& text, void* data) {
    return AddChildObject(sibling ? sibling->parent_ : nullptr, text, data);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const String& text) { return AddChildObject(parent, text, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const String& text, void* data) {
    auto node = std::make_unique<TTreeNode>();
    node->owner_ = owner_;
    node->parent_ = parent;
    node->text_ = text;
    node->Data = data;
    TTreeNode* p = node.get();
    Siblings(parent).push_back(std::move(node));
    if (owner_->HandleAllocated() && (!parent || parent->id_)) {
        owner_->ShowNode(p);
        if (parent) owner_->UpdateNode(parent, TVIF_CHILDREN);
    }
    return p;
}

void TTreeNodes::Clear() {
    while (!roots_.empty()) roots_.back()->Delete();
}

void TTreeNodes::BeginUpdate() {
    if (updates_++ == 0 && owner_->HandleAllocated()) owner_->Send(WM_SETREDRAW, FALSE);
}

void TTreeNodes::EndUpdate() {
    if (updates_ == 0 || --updates_ > 0 || !owner_->HandleAllocated()) return;
    owner_->Send(WM_SETREDRAW, TRUE);
    InvalidateRect(owner_->Handle(), nullptr, TRUE);
}

// ---- the view --------------------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* owner) : TWinControl(owner), items_(this) {
    ControlStyle &= ~static_cast<unsigned>(csAcceptsControls | csClickEvents | csSetCaption);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

TCustomTreeView::~TCustomTreeView() {
    Destroying();
    destroying_ = true;
    DestroyHandle();
}

LRESULT TCustomTreeView::Send(UINT msg, WPARAM wp, LPARAM lp) const {
    return SendMessageW(const_cast<TCustomTreeView*>(this)->Handle(), msg, wp, lp);
}

void TCustomTreeView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SystemClassName = WC_TREEVIEWW;
    if (ShowLines) p.Style |= TVS_HASLINES;
    if (ShowRoot) p.Style |= TVS_LINESATROOT;
    if (ShowButtons) p.Style |= TVS_HASBUTTONS;
    if (!HideSelection) p.Style |= TVS_SHOWSELALWAYS;
    if (!readOnly_) p.Style |= TVS_EDITLABELS;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
    TWinControl::CreateWnd();
    if (images_) Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_->Handle()));
    if (stateImages_) Send(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_->Handle()));
    std::vector<TTreeNode*> stack;
    for (auto it = items_.roots_.rbegin(); it != items_.roots_.rend(); ++it) stack.push_back(it->get());
    while (!stack.empty()) {
        TTreeNode* node = stack.back();
        stack.pop_back();
        ShowNode(node);
        for (int i = node->Count() - 1; i >= 0; --i) stack.push_back(node->Item(i));
    }
}

void TCustomTreeView::DestroyWnd() {
    TWinControl::DestroyWnd();
    std::vector<TTreeNode*> stack;
    for (auto& r : items_.roots_) stack.push_back(r.get());
    while (!stack.empty()) {
        TTreeNode* node = stack.back();
        stack.pop_back();
        node->id_ = nullptr;
        for (int i = 0; i < node->Count(); ++i) stack.push_back(node->Item(i));
    }
}

void TCustomTreeView::ShowNode(TTreeNode* node) {
    TVINSERTSTRUCTW ins{};
    ins.hParent = node->parent_ ? node->parent_->id_ : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    TVITEMW& it = ins.item;
    it.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    it.stateMask = TVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(std::max(node->stateIndex_, 0)));
    it.pszText = node->text_.data();
    it.lParam = reinterpret_cast<LPARAM>(node);
    it.cChildren = node->HasChildren() ? 1 : 0;
    it.iImage = node->imageIndex_;
    it.iSelectedImage = node->selectedIndex_;
    node->id_ = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    if (!node->id_) throw EOutOfResources(L"Cannot add a tree node");
}

void TCustomTreeView::UpdateNode(TTreeNode* node, UINT mask) {
    if (!node->id_ || !HandleAllocated()) return;
    TVITEMW it{};
    it.mask = mask;
    it.hItem = node->id_;
    it.pszText = node->text_.data();
    it.cChildren = node->HasChildren() ? 1 : 0;
    it.iImage = node->imageIndex_;
    it.iSelectedImage = node->selectedIndex_;
    it.stateMask = TVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(std::max(node->stateIndex_, 0)));
    Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

TTreeNode* TCustomTreeView::Selected() const {
    if (!const_cast<TCustomTreeView*>(this)->HandleAllocated()) return nullptr;
    auto id = reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!id) return nullptr;
    TVITEMW it{};
    it.mask = TVIF_PARAM;
    it.hItem = id;
    Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    return reinterpret_cast<TTreeNode*>(it.lParam);
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->id_ : nullptr));
}

namespace {
TTreeNode* NodeOf(HWND wnd, HTREEITEM id) {
    if (!id) return nullptr;
    TVITEMW it{};
    it.mask = TVIF_PARAM;
    it.hItem = id;
    SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    return reinterpret_cast<TTreeNode*>(it.lParam);
}
}  // namespace

TTreeNode* TCustomTreeView::TopItem() const {
    return NodeOf(const_cast<TCustomTreeView*>(this)->Handle(),
                  reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const {
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    auto id = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & TVHT_ONITEM) ? NodeOf(const_cast<TCustomTreeView*>(this)->Handle(), id) : nullptr;
}

void TCustomTreeView::SetReadOnly(bool v) {
    if (v != readOnly_) readOnly_ = v, RecreateWnd();
}

void TCustomTreeView::SetStateImages(TCustomImageList* v) {
    stateImages_ = v;
    if (HandleAllocated()) Send(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(v ? v->Handle() : nullptr));
}

void TCustomTreeView::SetImages(TCustomImageList* v) {
    images_ = v;
    if (HandleAllocated()) Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(v ? v->Handle() : nullptr));
}

namespace {

// Orders two nodes of the window as they stand in the sorted level.
int CALLBACK CompareByPosition(LPARAM a, LPARAM b, LPARAM level) {
    const auto& list = *reinterpret_cast<std::vector<std::unique_ptr<TTreeNode>>*>(level);
    auto pos = [&](LPARAM n) {
        for (size_t i = 0; i < list.size(); ++i)
            if (reinterpret_cast<LPARAM>(list[i].get()) == n) return static_cast<int>(i);
        return 0;
    };
    return pos(a) - pos(b);
}

}  // namespace

void TCustomTreeView::SortLevel(std::vector<std::unique_ptr<TTreeNode>>& level, TTreeNode* parent,
                                TTVCompare compare, LPARAM data, bool recurse) {
    std::stable_sort(level.begin(), level.end(), [&](const auto& a, const auto& b) {
        if (compare) return compare(a.get(), b.get(), data) < 0;
        int result = 0;
        if (OnCompare) OnCompare(this, a.get(), b.get(), static_cast<int>(data), result);
        else result = CompareText(a->text_, b->text_);
        return result < 0;
    });
    if (HandleAllocated() && (!parent || parent->id_)) {
        // The window's order follows the sorted level.
        TVSORTCB sort{};
        sort.hParent = parent ? parent->id_ : TVI_ROOT;
        sort.lpfnCompare = &CompareByPosition;
        sort.lParam = reinterpret_cast<LPARAM>(&level);
        Send(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    }
    if (recurse)
        for (auto& n : level) SortLevel(n->children_, n.get(), compare, data, true);
}

bool TCustomTreeView::CustomSort(TTVCompare compare, LPARAM data, bool recurse) {
    SortLevel(items_.roots_, nullptr, compare, data, recurse);
    return true;
}

void TCustomTreeView::FullExpand() {
    for (size_t i = 0; i < items_.roots_.size(); ++i) items_.roots_[i]->Expand(true);
}

void TCustomTreeView::FullCollapse() {
    for (auto& r : items_.roots_) r->Collapse(true);
}

bool TCustomTreeView::IsEditing() const { return HandleAllocated() && Send(TVM_GETEDITCONTROL) != 0; }

bool TCustomTreeView::CanExpand(TTreeNode* node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, node, allow);
    return allow;
}

bool TCustomTreeView::CanCollapse(TTreeNode* node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, node, allow);
    return allow;
}

void TCustomTreeView::Expand(TTreeNode* node) {
    if (OnExpanded) OnExpanded(this, node);
}

bool TCustomTreeView::CanChange(TTreeNode* node) {
    bool allow = true;
    if (OnChanging) OnChanging(this, node, allow);
    return allow;
}

void TCustomTreeView::Change(TTreeNode* node) {
    if (OnChange) OnChange(this, node);
}

bool TCustomTreeView::CanEdit(TTreeNode* node) {
    bool allow = !readOnly_;
    if (allow && OnEditing) OnEditing(this, node, allow);
    return allow;
}

void TCustomTreeView::Edit(const TVITEMW& it) {
    auto* node = reinterpret_cast<TTreeNode*>(it.lParam);
    if (!it.pszText || !node) return;
    String s = it.pszText;
    if (OnEdited) OnEdited(this, node, s);
    node->SetText(s);
}

void TCustomTreeView::Delete(TTreeNode* node) {
    if (OnDeletion && !destroying_) OnDeletion(this, node);
}

void TCustomTreeView::Notify(TMessage& m) {
    auto* nm = reinterpret_cast<NMTREEVIEWW*>(m.LParam);
    auto* node = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam);
    switch (nm->hdr.code) {
    case TVN_ITEMEXPANDINGW:
        if (!node) break;
        if (nm->action == TVE_EXPAND) {
            m.Result = !CanExpand(node);
            // Lazily added children may have made the node a leaf.
            if (!m.Result && !node->HasChildren()) UpdateNode(node, TVIF_CHILDREN);
        } else if (nm->action == TVE_COLLAPSE) {
            m.Result = !CanCollapse(node);
        }
        break;
    case TVN_ITEMEXPANDEDW:
        if (node && nm->action == TVE_EXPAND) Expand(node);
        break;
    case TVN_SELCHANGINGW:
        m.Result = node && !CanChange(node);
        break;
    case TVN_SELCHANGEDW:
        Change(node);
        break;
    case TVN_BEGINLABELEDITW: {
        auto* d = reinterpret_cast<NMTVDISPINFOW*>(m.LParam);
        m.Result = !CanEdit(reinterpret_cast<TTreeNode*>(d->item.lParam));
        break;
    }
    case TVN_ENDLABELEDITW: {
        auto* d = reinterpret_cast<NMTVDISPINFOW*>(m.LParam);
        Edit(d->item);
        m.Result = 0;
        break;
    }
    default:
        break;
    }
}

void TCustomTreeView::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        Notify(m);
        return;
    }
    if (m.Msg == WM_RBUTTONDOWN && RightClickSelect) {
        if (TTreeNode* node = GetNodeAt(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)))) SetSelected(node);
    }
    TWinControl::WndProc(m);
}
