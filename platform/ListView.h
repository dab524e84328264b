#pragma once
// The list view (comctl32 "SysListView32") with columns, items and
// sub-items, and its owner-data (virtual) mode.
//
// Items live in this object; their texts are copied into the window and
// kept in step with every change. In owner-data mode the control holds only
// the row count and asks OwnerDataFetch (OnData) for each row it shows.
// The selection events are raised for selections made by code as well as by
// the user. The window's column header ("SysHeader32") is reachable through
// HeaderHandle so that a subclass can take over its painting.
//
// Threads: UI thread only.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "platform/Alignment.h"
#include "platform/Controls.h"

class TCustomListView;
class TListItems;
class TCustomImageList;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };
enum TItemRequestFlag : unsigned { irText = 1, irImage = 2, irParam = 4, irState = 8, irIndent = 16 };
using TItemRequest = unsigned;
enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
enum TItemStateFlag : unsigned { isCut = 1, isDropHilited = 2, isFocused = 4, isSelected = 8 };
using TItemStates = unsigned;  // 0: any row

class TListColumn {
public:
    String Caption() const { return caption_; }
    void SetCaption(const String& v);
    int Width() const { return width_; }
    void SetWidth(int v);
    int Index() const { return index_; }
    // How the column's texts and its header caption are aligned. The native
    // list keeps its first column left-aligned whatever is set here.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    // Image of the header section from the view's SmallImages; -1 = none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // Limits of the width the user can give the column with its header
    // divider (a drag or a double click); 0 = no limit. A width set by code
    // is not limited.
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int v) { minWidth_ = v; }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int v) { maxWidth_ = v; }

private:
    friend class TListColumns;
    friend class TCustomListView;
    TCustomListView* owner_ = nullptr;
    String caption_;
    int width_ = 50;
    int index_ = 0;
    TAlignment alignment_ = taLeftJustify;
    int imageIndex_ = -1;
    int minWidth_ = 0, maxWidth_ = 0;
};

class TListColumns {
public:
    explicit TListColumns(TCustomListView* owner) : owner_(owner) {}
    int Count() const { return static_cast<int>(columns_.size()); }
    TListColumn* Items(int i) const { return columns_.at(static_cast<size_t>(i)).get(); }
    TListColumn* operator[](int i) const { return Items(i); }
    TListColumn* Add();
    void Delete(int i);
    void Clear();
    // Changes between these are laid out and drawn once, at the end.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomListView;
    TCustomListView* owner_;
    int updates_ = 0;
    std::vector<std::unique_ptr<TListColumn>> columns_;
};

class TListItem;

// The texts of an item's columns after the first.
class TSubItems {
public:
    int Count() const { return static_cast<int>(texts_.size()); }
    const String& operator[](int i) const { return texts_.at(static_cast<size_t>(i)); }
    int Add(const String& s);
    void Insert(int i, const String& s);
    void Delete(int i);
    void Put(int i, const String& s);
    void Clear();

private:
    friend class TListItem;
    friend class TListItems;
    friend class TCustomListView;
    void Show(int from, int to = -1);
    TListItem* item_ = nullptr;
    std::vector<String> texts_;
};

class TListItem {
public:
    String Caption() const { return caption_; }
    void SetCaption(const String& v);
    TSubItems* SubItems() { return &subItems_; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // Picture of the view's StateImages shown beside the item; -1: none.
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int v);
    void* Data = nullptr;
    int Index() const { return index_; }
    bool Selected() const;
    void SetSelected(bool v);
    bool Focused() const;
    void SetFocused(bool v);
    TCustomListView* ListView() const { return owner_; }
    void MakeVisible(bool partialOK);
    TRect DisplayRect() const;
    // Starts editing the caption in place; false when the view refuses.
    bool EditCaption();

private:
    friend class TListItems;
    friend class TSubItems;
    friend class TCustomListView;
    TCustomListView* owner_ = nullptr;
    String caption_;
    TSubItems subItems_;
    int imageIndex_ = -1;
    int stateIndex_ = -1;
    int index_ = 0;
    bool live_ = false;  // part of the items (not an owner-data fetch)
};

class TListItems {
public:
    explicit TListItems(TCustomListView* owner) : owner_(owner) {}
    // The rows: the items, or the owner-data row count.
    int Count() const;
    // Sets the owner-data row count (owner-data mode only).
    void SetCount(int n);
    TListItem* Item(int i);
    TListItem* operator[](int i) { return Item(i); }
    TListItem* Add() { return Insert(Count()); }
    TListItem* Insert(int i);
    void Delete(int i);
    void Clear();
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomListView;
    friend class TListItem;
    friend class TSubItems;
    void Renumber(int from);
    TCustomListView* owner_;
    std::vector<std::unique_ptr<TListItem>> items_;
    int virtualCount_ = 0;
    int updates_ = 0;
};

using TLVChangeEvent = std::function<void(TObject* sender, TListItem* item, TItemChange change)>;
using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;
using TLVOwnerDataEvent = std::function<void(TObject* sender, TListItem* item)>;
using TLVOwnerDataHintEvent = std::function<void(TObject* sender, int startIndex, int endIndex)>;
using TLVOwnerDataFindEvent =
    std::function<void(TObject* sender, TItemFind find, const String& findString, const TPoint& findPosition,
                       void* findData, int startIndex, TSearchDirection direction, bool wrap, int& index)>;
using TLVEditingEvent = std::function<void(TObject* sender, TListItem* item, bool& allowEdit)>;
using TLVEditedEvent = std::function<void(TObject* sender, TListItem* item, String& s)>;
using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;
using TLVCompareEvent = std::function<void(TObject* sender, TListItem* a, TListItem* b, int data, int& compare)>;
// Orders two items for CustomSort: below 0, 0 or above 0.
using TLVCompare = int (*)(TListItem* a, TListItem* b, LPARAM data);

class TCustomListView : public TWinControl {
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TListColumns* Columns() { return &columns_; }
    TListItems* Items() { return &items_; }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle v);
    bool OwnerData() const { return ownerData_; }
    void SetOwnerData(bool v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool v);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool v);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool v);
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool v);
    bool ColumnClick = true;
    TCustomImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TCustomImageList* v);
    TCustomImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TCustomImageList* v);
    // Pictures of the items' StateIndex.
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* v);

    // The first selected row (-1: none); setting it selects only that row.
    int ItemIndex();
    void SetItemIndex(int i);
    TListItem* Selected();
    void SetSelected(TListItem* item);
    int SelCount();
    // The next row after start (nullptr: from the first row) in a direction
    // that has every state of states; nullptr when there is none. Walks the
    // selection:
    //     for (auto* i = lv->GetNextItem(nullptr, sdAll, isSelected); i;
    //          i = lv->GetNextItem(i, sdAll, isSelected)) ...
    TListItem* GetNextItem(TListItem* start, TSearchDirection direction, TItemStates states);
    void ClearSelection();
    TListItem* ItemFocused();
    // The first row shown at the top (report and list styles).
    TListItem* TopItem();
    int VisibleRowCount();
    // Scrolls by dx, dy pixels.
    void Scroll(int dx, int dy);
    TListItem* GetItemAt(int x, int y);
    // The row (or nullptr) whose caption starts with / equals s, from start.
    TListItem* FindCaption(int startIndex, const String& s, bool partial, bool inclusive, bool wrap);
    // Sorts the items with compare, else OnCompare, else by caption
    // (ignoring case); owner-data lists sort their own data instead.
    bool CustomSort(TLVCompare compare, LPARAM data);
    bool AlphaSort() { return CustomSort(nullptr, 0); }
    // The native column header (nullptr outside the report style).
    HWND HeaderHandle();
    bool IsEditing();

    TLVChangeEvent OnChange;
    TLVSelectItemEvent OnSelectItem;
    TLVOwnerDataEvent OnData;
    TLVOwnerDataHintEvent OnDataHint;
    TLVOwnerDataFindEvent OnDataFind;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Fills a row of the owner-data list; the default raises OnData.
    virtual bool OwnerDataFetch(TListItem* item, TItemRequest request);
    // Rows about to be shown; the default raises OnDataHint.
    virtual bool OwnerDataHint(int startIndex, int endIndex);
    // Finds a row for the control's type-ahead; the default raises OnDataFind.
    virtual int OwnerDataFind(TItemFind find, const String& findString, const TPoint& findPosition, void* findData,
                              int startIndex, TSearchDirection direction, bool wrap);
    virtual bool CanEdit(TListItem* item);
    virtual void Edit(const LVITEMW& item);
    virtual void Change(TListItem* item, TItemChange change);
    virtual void DoSelectItem(TListItem* item, bool selected);
    virtual void ColClick(TListColumn* column);

private:
    friend class TListColumn;
    friend class TListColumns;
    friend class TListItem;
    friend class TListItems;
    friend class TSubItems;
    void ShowColumn(int i, bool insert);
    void ShowItem(TListItem* item, bool insert);
    void UpdateStyles();
    void ApplyImageLists();
    void Notify(TMessage& m);
    // True when a header notification would give a column a width outside
    // its limits (the change is then refused).
    bool HeaderWidthRefused(const NMHDR& hdr);
    void ItemChanged(const NMLISTVIEW& nm);
    void FetchDispInfo(NMLVDISPINFOW& info);
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0);

    TListColumns columns_;
    TListItems items_;
    TListItem fetched_;       // the owner-data row being shown
    String fetchedText_;
    TViewStyle viewStyle_ = vsIcon;
    bool ownerData_ = false, readOnly_ = false, multiSelect_ = false, hideSelection_ = true;
    bool rowSelect_ = false, gridLines_ = false, showColumnHeaders_ = true;
    TCustomImageList* smallImages_ = nullptr;
    TCustomImageList* largeImages_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    bool filling_ = false;  // adding items to a new window
    bool settingColumn_ = false;  // a column is being set by code
    bool redrawHeld_ = false;
    // Stops and restarts the drawing of a shown view around a batch of
    // changes; a view not shown is left as it is.
    void HoldRedraw(bool hold);
};

class TListView : public TCustomListView {
public:
    using TCustomListView::TCustomListView;
};
