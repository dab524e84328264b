#pragma once
// The page control: a native tab control ("SysTabControl32") with one
// sheet (a windowed child) per tab; the active sheet fills the control's
// display area and the others are hidden.
//
// Threads: UI thread only.

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "platform/Controls.h"

class TPageControl;
class TCustomImageList;

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return pageControl_; }
    // Moves the sheet to a page control (nullptr: to none); it becomes the last tab.
    void SetPageControl(TPageControl* v);
    int PageIndex() const;
    bool TabVisible = true;
    int ImageIndex = -1;
    void SetText(const String& v) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int i) const { return pages_.at(static_cast<size_t>(i)); }
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int i);
    // Activates the next (or previous) sheet, wrapping at the ends.
    void SelectNextPage(bool forward);
    // The tab under a client point, -1 when none.
    int IndexOfTabAt(int x, int y);
    TRect TabRect(int index);
    // The area the sheets fill, in client coordinates.
    TRect DisplayRect();
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);

    // Side of the tabs; tabs on the left or right are always in several rows.
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition v);
    // Tabs wrap into several rows instead of scrolling.
    bool MultiLine() const { return multiLine_ || tabPosition_ == tpLeft || tabPosition_ == tpRight; }
    void SetMultiLine(bool v);
    // Size of every tab; 0 = the size the text needs (width) or the system's
    // (height). A TabWidth above 0 gives all tabs that width.
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int v);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int v);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle v);
    // Index of the selected tab among the shown tabs (sheets with
    // TabVisible); -1 when none. Setting it activates that tab's sheet.
    int TabIndex() const;
    void SetTabIndex(int v);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* control, TRect& rect) override;
    virtual bool CanChange();
    virtual void Change();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void ShowTabs();
    void ShowSheet(TTabSheet* page);
    void ApplyTabSize();
    // The sheets that have a tab, in tab order.
    std::vector<TTabSheet*> TabbedPages() const;

    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
    TCustomImageList* images_ = nullptr;
    TTabPosition tabPosition_ = tpTop;
    TTabStyle style_ = tsTabs;
    bool multiLine_ = false;
    int tabHeight_ = 0, tabWidth_ = 0;
};
