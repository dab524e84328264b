#pragma once
// The office item list: a skinned list of items that are either header
// strips or rows with a bold title line, an image and a word-wrapped
// caption. Rows and headers have heights of their own; the list keeps its
// item geometry, draws its own vertical scroll bar, and reports a choice
// through the item's OnClick and its own OnItemClick. TbsPopupOfficeListBox
// is the same list as a borderless popup that never takes the activation:
// the drop-down of the office combo box.
//
// Name map: FItemIndex = the current item, FScrollOffset = pixels scrolled,
// FMax = bottom of the content (unscrolled), FRealMax = bottom of the last
// item touching the items area, FMouseActive = the item the mouse last
// moved to.
//
// An ItemIndex beyond the items is ignored (nothing changes, no event);
// Clear resets the index to -1; a zero or negative ItemHeight counts as one
// pixel in the page computations.
//
// Threads: UI thread only.

#include <memory>
#include <vector>

#include "skin/boxes/bsSkinPopupWindow.h"
#include "skin/boxes/bsSkinBoxTypes.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

class TbsSkinOfficeListBox;
class TbsSkinOfficeItems;

class TbsSkinOfficeItem {
public:
    explicit TbsSkinOfficeItem(TbsSkinOfficeItems* owner) : owner_(owner) {}
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    const String& Title() const { return FTitle; }
    void SetTitle(const String& v);
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Header() const { return FHeader; }
    void SetHeader(bool v);
    void* Data = nullptr;
    TNotifyEvent OnClick;  // Sender: the list box
    // Copies image, caption, title, enabled and header (not Data, OnClick).
    void Assign(const TbsSkinOfficeItem& source);
    int Index() const;

    // Kept by the list.
    TRect ItemRect;
    bool IsVisible = false;
    bool Active = false;

private:
    void Changed();
    TbsSkinOfficeItems* owner_;
    int FImageIndex = -1;
    String FTitle, FCaption;
    bool FEnabled = true;
    bool FHeader = false;
};

class TbsSkinOfficeItems {
public:
    explicit TbsSkinOfficeItems(TbsSkinOfficeListBox* list) : OfficeListBox(list) {}
    TbsSkinOfficeListBox* OfficeListBox;
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range outside 0..Count-1.
    TbsSkinOfficeItem* Items(int index) const;
    TbsSkinOfficeItem* operator[](int index) const { return Items(index); }
    TbsSkinOfficeItem* Add();
    TbsSkinOfficeItem* Insert(int index);
    void Delete(int index);
    // Removes every item; the list's index becomes -1.
    void Clear();
    void Assign(const TbsSkinOfficeItems& source);
    int IndexOf(const TbsSkinOfficeItem* item) const;
    // An item changed: repaint and new scroll range.
    void Update();

private:
    std::vector<std::unique_ptr<TbsSkinOfficeItem>> items_;
};

class TbsSkinOfficeListBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinOfficeListBox(TComponent* owner);
    ~TbsSkinOfficeListBox() override;

    TbsSkinOfficeItems* Items() { return FItems.get(); }
    void SetItems(const TbsSkinOfficeItems& v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v) { FImages = v; }
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v);
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v);
    bool ShowItemTitles() const { return FShowItemTitles; }
    void SetShowItemTitles(bool v);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool v);
    bool MouseMoveChangeIndex = false;
    int ItemIndex() const { return FItemIndex; }
    // Highlights, scrolls into view, raises the item's OnClick then
    // OnItemClick (also for the current index). -1 only repaints; an index
    // beyond the items is ignored.
    void SetItemIndex(int value);
    // Moves the index and the highlight without events.
    void SetItemActive(int index);
    TbsDrawSkinOfficeItemEvent OnDrawItem;
    TNotifyEvent OnItemClick;

    // Height that shows n rows (headers count as rows).
    int CalcHeight(int n);
    void CalcItemRects();
    void Scroll(int offset);
    void GetScrollInfo(int& aMin, int& aMax, int& aPosition, int& aPage);
    void ScrollToItem(int index);
    void UpdateScrollInfo();
    int ItemAtPos(int x, int y);
    void FindUp();
    void FindDown();
    void FindPageUp();
    void FindPageDown();
    TbsSkinScrollBar* ScrollBar() const { return FScrollBar; }
    int ScrollOffset() const { return FScrollOffset; }
    TRect ItemsRect() const { return FItemsRect; }
    void ChangeSkinData() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoKeyDown(WORD& key, TShiftState shift) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    friend class TbsSkinOfficeItems;
    TRect AreaRect() const;
    int Page() const;
    bool Selectable(int i) const;
    void ShowScrollbar();
    void HideScrollBar();
    void AdjustScrollBar();
    void DrawItems(TCanvas* c);
    void DrawItem(int index, TCanvas* c);
    void DrawItemContent(TCanvas* c, TRect r, TbsSkinOfficeItem* item, bool skinned);
    void DefaultDrawItem(int index, TCanvas* c);
    void SkinDrawItem(int index, TCanvas* c);
    void SkinDrawHeaderItem(int index, TCanvas* c);
    void HandleSize();

    std::unique_ptr<TbsSkinOfficeItems> FItems;
    TCustomImageList* FImages = nullptr;
    int FItemHeight = 30, FHeaderHeight = 20;
    int FItemIndex = -1;
    bool FShowItemTitles = true, FShowLines = false;
    TRect FItemsRect;
    int FScrollOffset = 0;
    int FMax = 0, FRealMax = 0;
    TbsSkinScrollBar* FScrollBar = nullptr;
    TColor FDisabledFontColor = 0x808080;
    bool FMouseDown = false;
    int FMouseActive = -1;
    int FOldHeight = -1;
};

class TbsSkinCustomOfficeComboBox;

class TbsPopupOfficeListBox : public TbsSkinOfficeListBox {
public:
    explicit TbsPopupOfficeListBox(TComponent* owner);
    // Shows the popup at origin (screen) without activating it.
    // False when showing ran messages that freed the list or its combo.
    bool Show(const TPoint& origin);
    void Hide();
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    TbsPopupAlphaState FAlphaState;
};
