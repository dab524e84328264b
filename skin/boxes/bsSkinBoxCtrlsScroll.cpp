// The skinned list box's scroll bars and layout: the mirror of the inner
// list's native scroll state into the skinned bars, the bars' creation and
// removal, and the placement of the bars and the inner list.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/boxes/bsSkinBoxCtrls.h"

namespace {

constexpr int kBothMarkerWidth = 19;

struct ScrollLock {
    explicit ScrollLock(int& n) : n_(n) { ++n_; }
    ~ScrollLock() { --n_; }
    int& n_;
};

struct NativeScroll {
    int min = 0, max = 0, pos = 0;
};

NativeScroll ReadScroll(HWND wnd, int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_POS;
    NativeScroll s;
    if (::GetScrollInfo(wnd, bar, &si)) s = {si.nMin, si.nMax, si.nPos};
    return s;
}

}  // namespace

// ---- TbsListBox ---------------------------------------------------------------------------------

void TbsListBox::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width();
    TListBox::SetBounds(left, top, width, height);
    if (Width() != oldWidth && HorizontalExtentValue >= 1) {
        HorizontalExtentValue = std::max(0, HorizontalExtentValue + oldWidth - Width());
        Invalidate();
    }
    // The columns share the width.
    if (Columns() > 0 && HandleAllocated())
        SendMessageW(Handle(), LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, Width() / Columns())), 0);
}

// ---- properties ------------------------------------------------------------------------------

void TbsSkinCustomListBox::SetColumns(int v) {
    if (v == ListBox->Columns()) return;
    // A bar of the other orientation does not carry over.
    FreeVScrollBar();
    ListBox->SetColumns(v);
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetHorizontalExtent(bool v) {
    FHorizontalExtent = v;
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetTabWidths(TStrings* v) {
    FTabWidths.Assign(v);
    if (FTabWidths.Count() > 0) ListBox->Invalidate();
}

int TbsSkinCustomListBox::GetItemWidth(int index, TCanvas* canvas) {
    return canvas->TextExtent(ListBox->Items()->Get(index)).cx;
}

// ---- bars ---------------------------------------------------------------------------------

void TbsSkinCustomListBox::CreateVScrollBar() {
    if (ScrollBar) return;
    const bool columns = ListBox->Columns() > 0;
    ScrollBar = new TbsSkinScrollBar(this);
    ScrollBar->SetVisible(false);
    ScrollBar->SetKind(columns ? sbHorizontal : sbVertical);
    ScrollBar->SetBounds(0, 0, 20, 100);
    if (columns) ScrollBar->SetBounds(0, 0, 100, 19);
    ScrollBar->SetPageSize(0);
    ScrollBar->SetMin(0);
    ScrollBar->SetPosition(0);
    ScrollBar->OnChange = [this](TObject*) {
        const UINT msg = ListBox->Columns() > 0 ? WM_HSCROLL : WM_VSCROLL;
        SendMessageW(ListBox->Handle(), msg, MAKEWPARAM(SB_THUMBPOSITION, ScrollBar->Position()), 0);
    };
    ScrollBar->SetSkinDataName(FIndex == -1 ? String() : columns ? HScrollBarName : VScrollBarName);
    ScrollBar->SetSkinData(FSD);
    if (HScrollBar) {
        ApplyHScrollBarSkin();
        HScrollBar->SetSkinData(FSD);
    }
    ScrollBar->SetParent(this);
    LayoutListBox();
    ScrollBar->SetVisible(true);
    Invalidate();
}

void TbsSkinCustomListBox::FreeVScrollBar() {
    if (!ScrollBar) return;
    TbsSkinScrollBar* bar = ScrollBar;
    ScrollBar = nullptr;
    bar->SetVisible(false);
    delete bar;
    LayoutListBox();
    Invalidate();
}

// The horizontal bar's record names and "both" flag: with the first bar
// present it leaves the corner square free.
void TbsSkinCustomListBox::ApplyHScrollBarSkin() {
    if (!HScrollBar) return;
    const bool both = ScrollBar != nullptr;
    if (FIndex == -1) {
        HScrollBar->SetSkinDataName(String());
        HScrollBar->FBoth = both;
        if (both) HScrollBar->SetBothMarkerWidth(kBothMarkerWidth);
    } else if (both) {
        HScrollBar->BothSkinDataName = BothScrollBarName;
        HScrollBar->SetSkinDataName(BothScrollBarName);
        HScrollBar->FBoth = true;
    } else {
        HScrollBar->BothSkinDataName = HScrollBarName;
        HScrollBar->SetSkinDataName(HScrollBarName);
        HScrollBar->FBoth = false;
    }
}

void TbsSkinCustomListBox::CreateHScrollBar() {
    if (HScrollBar) return;
    HScrollBar = new TbsSkinScrollBar(this);
    HScrollBar->SetVisible(false);
    HScrollBar->SetKind(sbHorizontal);
    HScrollBar->SetBounds(0, 0, 100, 19);
    HScrollBar->SetPageSize(0);
    HScrollBar->SetMin(0);
    HScrollBar->SetPosition(0);
    HScrollBar->OnChange = [this](TObject*) {
        ListBox->HorizontalExtentValue = HScrollBar->Position();
        ListBox->Invalidate();
    };
    ApplyHScrollBarSkin();
    HScrollBar->SetSkinData(FSD);
    HScrollBar->SetParent(this);
    HScrollBar->SetVisible(true);
    LayoutListBox();
    Invalidate();
}

void TbsSkinCustomListBox::FreeHScrollBar() {
    if (!HScrollBar) return;
    ListBox->HorizontalExtentValue = 0;
    TbsSkinScrollBar* bar = HScrollBar;
    HScrollBar = nullptr;
    bar->SetVisible(false);
    delete bar;
    LayoutListBox();
    ListBox->Invalidate();
}

// ---- the mirror ------------------------------------------------------------------------------

// Moving the bars and the inner list can erase the inner list at once,
// which asks for this mirror again: a bar must not be freed while it is
// being placed or set, so a nested request is left to the running one (its
// callers run the mirror once more after every layout).
void TbsSkinCustomListBox::UpDateScrollBar() {
    if (!ListBox || !ListBox->HandleAllocated() || FScrollLock > 0) return;
    const ScrollLock lock(FScrollLock);
    if (ListBox->Columns() > 0) {
        UpDateColumnsScrollBar();
    } else {
        UpDateHScrollBar();
        UpDateVScrollBar();
    }
}

void TbsSkinCustomListBox::UpDateColumnsScrollBar() {
    const NativeScroll s = ReadScroll(ListBox->Handle(), SB_HORZ);
    const int columns = ListBox->Columns();
    const int rows = ListBox->Height() / std::max(1, ListBox->ItemHeight());
    if (s.max > s.min && s.pos <= s.max && columns <= s.max && rows * columns < ListBox->Count()) {
        CreateVScrollBar();
        ScrollBar->SetRange(s.min, s.max, s.pos, columns);
    } else {
        FreeVScrollBar();
    }
}

void TbsSkinCustomListBox::UpDateHScrollBar() {
    if (!FHorizontalExtent || FStopUpDateHScrollBar) {
        FreeHScrollBar();
        return;
    }
    TCanvas* c = ListBox->Canvas();
    if (FIndex != -1 && UseSkinFont) {
        c->Font()->SetName(FontName);
        c->Font()->SetStyle(FontStyle);
        c->Font()->SetHeight(FontHeight);
    } else {
        c->Font()->Assign(ListBox->Font());
    }
    int widest = 0;
    for (int i = 0; i < ListBox->Count(); ++i) widest = std::max(widest, GetItemWidth(i, c));
    int page = FIndex == -1 ? ListBox->Width() - 4
                            : ListBox->Width() - (SItemRect.Width() - ItemTextRect.Width());
    if (FImages) page -= FImages->Width() + 4;
    if (page < widest) {
        CreateHScrollBar();
        HScrollBar->SetRange(0, widest, HScrollBar->Position(), std::max(0, page));
        const int step = std::max<int>(1, c->TextExtent(L"0").cx);
        HScrollBar->SetSmallChange(step);
        HScrollBar->SetLargeChange(step);
    } else {
        FreeHScrollBar();
    }
}

void TbsSkinCustomListBox::UpDateVScrollBar() {
    const int count = ListBox->Count();
    if (FRowCount >= 1 && FRowCount == count) {
        FreeVScrollBar();
        return;
    }
    const NativeScroll s = ReadScroll(ListBox->Handle(), SB_VERT);
    const int page = ListBox->Height() / std::max(1, ListBox->ItemHeight());
    if (s.max > s.min && s.pos <= s.max && page < count) {
        CreateVScrollBar();
        ScrollBar->SetRange(s.min, s.max, s.pos, page);
        ScrollBar->SetLargeChange(std::max(1, page));
    } else {
        FreeVScrollBar();
    }
}

// ---- layout -----------------------------------------------------------------------------

void TbsSkinCustomListBox::LayoutListBox() {
    if (!ListBox) return;
    const ScrollLock lock(FScrollLock);
    PlaceBarsAndList();
}

void TbsSkinCustomListBox::PlaceBarsAndList() {
    const int w = Width(), h = Height();
    const int capH = FCaptionMode ? FDefaultCaptionHeight : 1;
    const bool skinned = FIndex != -1;
    const bool columns = ListBox->Columns() > 0;
    if (skinned) {
        NewClRect = ClRect;
        NewClRect.right += w - SkinRect.Width();
        NewClRect.bottom += h - SkinRect.Height();
    }
    int hb = 0;
    if (HScrollBar && !columns) {
        if (skinned) {
            HScrollBar->SetBounds(NewClRect.left, NewClRect.bottom - HScrollBar->Height(), NewClRect.Width(),
                                  HScrollBar->Height());
            hb = HScrollBar->Height();
        } else {
            HScrollBar->SetBounds(1, h - 20, w - 2, 19);
            hb = HScrollBar->Height() - 1;
        }
    }
    if (ScrollBar && !columns) {
        if (skinned) {
            const int bw = ScrollBar->Width();
            ScrollBar->SetBounds(NewClRect.right - bw, NewClRect.top, bw, NewClRect.Height() - hb);
            ListRect = TRect(NewClRect.left, NewClRect.top, NewClRect.right - bw, NewClRect.bottom - hb);
        } else {
            ScrollBar->SetBounds(w - 20, capH, 19, h - capH - hb - 1);
            ListRect = TRect(2, capH + 1, w - 20, h - hb - 2);
        }
    } else if (ScrollBar) {
        if (skinned) {
            const int bh = ScrollBar->Height();
            ScrollBar->SetBounds(NewClRect.left, NewClRect.bottom - bh, NewClRect.Width(), bh);
            ListRect = TRect(NewClRect.left, NewClRect.top, NewClRect.right, NewClRect.bottom - bh);
        } else {
            ScrollBar->SetBounds(1, h - 20, w - 2, 19);
            ListRect = TRect(2, capH + 1, w - 2, h - 20);
        }
    } else if (skinned) {
        ListRect = TRect(NewClRect.left, NewClRect.top, NewClRect.right, NewClRect.bottom - hb);
    } else {
        ListRect = TRect(2, capH + 1, w - 2, h - hb - 2);
    }
    ListBox->SetBounds(ListRect.left, ListRect.top, std::max<int>(0, ListRect.Width()),
                       std::max<int>(0, ListRect.Height()));
}
