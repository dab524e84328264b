#pragma once
// The tree view (comctl32 "SysTreeView32"). Nodes live in this object and
// are mirrored into the window; a node may announce children it does not
// have yet (HasChildren) and get them when it first expands (OnExpanding /
// CanExpand). CanChange may refuse a change of the selection.
//
// Threads: UI thread only.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "platform/Controls.h"

class TCustomTreeView;
class TCustomImageList;

class TTreeNode {
public:
    String Text() const { return text_; }
    void SetText(const String& v);
    void* Data = nullptr;
    bool HasChildren() const { return hasChildren_ || !children_.empty(); }
    void SetHasChildren(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int v);
    // Picture of the view's StateImages shown beside the node; 0 or -1:
    // none (the first picture of a tree's state images is never shown).
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int v);
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int i) const { return children_.at(static_cast<size_t>(i)).get(); }
    int Index() const;
    int Level() const;
    bool Expanded() const;
    void SetExpanded(bool v);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool v);
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TTreeNode* GetNextSibling() const;
    // Frees the node and its children.
    void Delete();
    void DeleteChildren();
    HTREEITEM ItemId() const { return id_; }
    TCustomTreeView* TreeView() const { return owner_; }
    bool EditText();
    TRect DisplayRect(bool textOnly) const;

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TCustomTreeView* owner_ = nullptr;
    TTreeNode* parent_ = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    String text_;
    HTREEITEM id_ = nullptr;
    int imageIndex_ = -1, selectedIndex_ = -1, stateIndex_ = -1;
    bool hasChildren_ = false;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* owner) : owner_(owner) {}
    // Every node of the tree.
    int Count() const;
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
    int RootCount() const { return static_cast<int>(roots_.size()); }
    TTreeNode* Root(int i) const { return roots_.at(static_cast<size_t>(i)).get(); }
    // A node after the last sibling of `sibling` (a root when nullptr).
    TTreeNode* Add(TTreeNode* sibling, const String& text);
    TTreeNode* AddObject(TTreeNode* sibling, const String& text, void* data);
    // A last child of parent (a root when nullptr).
    TTreeNode* AddChild(TTreeNode* parent, const String& text);
    TTreeNode* AddChildObject(TTreeNode* parent, const String& text, void* data);
    void Delete(TTreeNode* node) { node->Delete(); }
    void Clear();
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    std::vector<std::unique_ptr<TTreeNode>>& Siblings(TTreeNode* parent) { return parent ? parent->children_ : roots_; }
    TCustomTreeView* owner_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
    int updates_ = 0;
};

using TTVExpandingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowExpansion)>;
using TTVChangingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowChange)>;
using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVCompareEvent = std::function<void(TObject* sender, TTreeNode* a, TTreeNode* b, int data, int& compare)>;
using TTVEditingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowEdit)>;
using TTVEditedEvent = std::function<void(TObject* sender, TTreeNode* node, String& s)>;
// Orders two nodes for CustomSort: below 0, 0 or above 0.
using TTVCompare = int (*)(TTreeNode* a, TTreeNode* b, LPARAM data);

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() { return &items_; }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    TTreeNode* TopItem() const;
    TTreeNode* GetNodeAt(int x, int y) const;
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    bool ShowLines = true, ShowRoot = true, ShowButtons = true;
    bool HideSelection = true;
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* v);
    // A right click selects the node under the pointer first.
    bool RightClickSelect = false;
    // Sorts the roots (and every level below when recurse) with compare,
    // or with OnCompare when compare is nullptr.
    bool CustomSort(TTVCompare compare, LPARAM data, bool recurse = true);
    void FullExpand();
    void FullCollapse();
    bool IsEditing() const;

    TTVExpandingEvent OnExpanding;
    TTVExpandingEvent OnCollapsing;
    TTVChangedEvent OnExpanded;
    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVCompareEvent OnCompare;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVChangedEvent OnDeletion;

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual bool CanExpand(TTreeNode* node);
    virtual bool CanCollapse(TTreeNode* node);
    virtual void Expand(TTreeNode* node);
    virtual bool CanChange(TTreeNode* node);
    virtual void Change(TTreeNode* node);
    virtual bool CanEdit(TTreeNode* node);
    virtual void Edit(const TVITEMW& item);
    virtual void Delete(TTreeNode* node);

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void ShowNode(TTreeNode* node);
    void UpdateNode(TTreeNode* node, UINT mask);
    void Notify(TMessage& m);
    void SortLevel(std::vector<std::unique_ptr<TTreeNode>>& level, TTreeNode* parent, TTVCompare compare, LPARAM data,
                   bool recurse);
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;

    TTreeNodes items_;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    bool readOnly_ = false;
    bool destroying_ = false;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};
