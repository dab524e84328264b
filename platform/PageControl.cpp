#include "platform/PageControl.h"

#include <algorithm>

#include "platform/ImgList.h"

// ---- sheets ----------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    ControlStyle |= csAcceptsControls;
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    Destroying();
    SetPageControl(nullptr);
}

void TTabSheet::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
    p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TTabSheet::SetPageControl(TPageControl* v) {
    if (v == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    pageControl_ = v;
    SetParent(v);
    if (v) v->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetText(const String& v) {
    TWinControl::SetText(v);
    if (pageControl_) pageControl_->ShowTabs();
}

// ---- page control ---------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    ControlStyle &= ~static_cast<unsigned>(csClickEvents | csSetCaption);
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    Destroying();
    // The sheets are freed with the children; they must not call back.
    for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
    pages_.clear();
    active_ = nullptr;
}

void TPageControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SystemClassName = WC_TABCONTROLW;
    p.Style |= WS_CLIPCHILDREN;
    switch (tabPosition_) {
    case tpBottom:
        p.Style |= TCS_BOTTOM;
        break;
    case tpLeft:
        p.Style |= TCS_VERTICAL;
        break;
    case tpRight:
        p.Style |= TCS_VERTICAL | TCS_RIGHT;
        break;
    default:
        break;
    }
    if (MultiLine()) p.Style |= TCS_MULTILINE;
    if (style_ == tsButtons) p.Style |= TCS_BUTTONS;
    if (style_ == tsFlatButtons) p.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    if (tabWidth_ > 0) p.Style |= TCS_FIXEDWIDTH;
}

void TPageControl::CreateWnd() {
    TWinControl::CreateWnd();
    if (images_) SendMessageW(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    ApplyTabSize();
    ShowTabs();
}

void TPageControl::ApplyTabSize() {
    if (!HandleAllocated() || (tabWidth_ <= 0 && tabHeight_ <= 0)) return;
    SendMessageW(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(std::max(tabWidth_, 0), std::max(tabHeight_, 0)));
}

void TPageControl::SetTabPosition(TTabPosition v) {
    if (v == tabPosition_) return;
    tabPosition_ = v;
    RecreateWnd();
}

void TPageControl::SetMultiLine(bool v) {
    if (v == multiLine_) return;
    multiLine_ = v;
    RecreateWnd();
}

void TPageControl::SetStyle(TTabStyle v) {
    if (v == style_) return;
    style_ = v;
    RecreateWnd();
}

void TPageControl::SetTabHeight(int v) {
    v = std::max(v, 0);
    if (v == tabHeight_) return;
    tabHeight_ = v;
    // Back to the system's height needs a new window.
    if (v == 0) RecreateWnd();
    else ApplyTabSize();
    Realign();
}

void TPageControl::SetTabWidth(int v) {
    v = std::max(v, 0);
    if (v == tabWidth_) return;
    const bool fixedChanged = (v > 0) != (tabWidth_ > 0);
    tabWidth_ = v;
    if (fixedChanged) RecreateWnd();
    else ApplyTabSize();
    Realign();
}

std::vector<TTabSheet*> TPageControl::TabbedPages() const {
    std::vector<TTabSheet*> list;
    for (TTabSheet* p : pages_)
        if (p->TabVisible) list.push_back(p);
    return list;
}

int TPageControl::TabIndex() const {
    const auto tabs = TabbedPages();
    const auto it = std::find(tabs.begin(), tabs.end(), active_);
    return it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin());
}

void TPageControl::SetTabIndex(int v) {
    const auto tabs = TabbedPages();
    if (v < -1 || v >= static_cast<int>(tabs.size())) return;
    SetActivePage(v < 0 ? nullptr : tabs[static_cast<size_t>(v)]);
}

void TPageControl::ShowTabs() {
    if (!HandleAllocated()) return;
    HWND wnd = Handle();
    SendMessageW(wnd, TCM_DELETEALLITEMS, 0, 0);
    int tab = 0, current = -1;
    for (TTabSheet* p : pages_) {
        if (!p->TabVisible) continue;
        String text = p->Caption();
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
        item.pszText = text.data();
        item.iImage = p->ImageIndex;
        item.lParam = reinterpret_cast<LPARAM>(p);
        SendMessageW(wnd, TCM_INSERTITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        if (p == active_) current = tab;
        ++tab;
    }
    SendMessageW(wnd, TCM_SETCURSEL, static_cast<WPARAM>(current), 0);
    Realign();
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    ShowTabs();
    if (!active_) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
    const bool wasActive = page == active_;
    const int index = page->PageIndex();
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    if (wasActive) {
        active_ = nullptr;
        page->SetVisible(false);
        if (!pages_.empty()) ShowSheet(pages_[static_cast<size_t>(std::min(index, PageCount() - 1))]);
    }
    ShowTabs();
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int i) { SetActivePage(i >= 0 && i < PageCount() ? Pages(i) : nullptr); }

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this) return;
    ShowSheet(page);
    ShowTabs();
}

void TPageControl::ShowSheet(TTabSheet* page) {
    if (page == active_) return;
    TTabSheet* old = active_;
    active_ = page;
    if (page) {
        TRect r = ClientRect();
        AdjustClientRect(r);
        page->SetBoundsRect(r);
        page->SetVisible(true);
        page->BringToFront();
    }
    if (old) old->SetVisible(false);
}

void TPageControl::SelectNextPage(bool forward) {
    if (pages_.empty()) return;
    const int n = PageCount();
    const int i = ActivePageIndex();
    const int next = ((i < 0 ? (forward ? -1 : 0) : i) + (forward ? 1 : -1) + n) % n;
    if (CanChange()) {
        SetActivePageIndex(next);
        Change();
    }
}

int TPageControl::IndexOfTabAt(int x, int y) {
    TCHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    return static_cast<int>(SendMessageW(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

TRect TPageControl::TabRect(int index) {
    RECT r{};
    if (!SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r))) return TRect();
    return r;
}

TRect TPageControl::DisplayRect() {
    TRect r = ClientRect();
    AdjustClientRect(r);
    return r;
}

void TPageControl::AdjustClientRect(TRect& rect) {
    if (!HandleAllocated()) return;
    RECT r = rect;
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    rect = r;
}

void TPageControl::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    if (active_) active_->SetBoundsRect(rect);
}

void TPageControl::SetImages(TCustomImageList* v) {
    images_ = v;
    if (HandleAllocated()) SendMessageW(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(v ? v->Handle() : nullptr));
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

void TPageControl::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
        if (hdr->code == TCN_SELCHANGING) {
            m.Result = !CanChange();
            return;
        }
        if (hdr->code == TCN_SELCHANGE) {
            const int tab = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
            TCITEMW item{};
            item.mask = TCIF_PARAM;
            if (tab >= 0 && SendMessageW(Handle(), TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item)))
                ShowSheet(reinterpret_cast<TTabSheet*>(item.lParam));
            Change();
            return;
        }
    }
    TWinControl::WndProc(m);
    if (m.Msg == WM_SIZE) Realign();
}
