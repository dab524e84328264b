#include "skin/controls/bsSkinCtrlsPages.h"

#include <algorithm>

#include "skin/bsResStrData.h"

// ---- sheets ----------------------------------------------------------------------------------

TbsSkinCustomTabSheet::TbsSkinCustomTabSheet(TComponent* owner) : TTabSheet(owner) {
    SetAlign(alClient);
    ControlStyle |= csOpaque;
}

TbsSkinCustomTabSheet::~TbsSkinCustomTabSheet() = default;

TbsSkinPageControl* TbsSkinCustomTabSheet::SkinPageControl() const {
    return dynamic_cast<TbsSkinPageControl*>(PageControl());
}

void TbsSkinCustomTabSheet::SetWallPaper(TBitmap* v) {
    FWallPaper.Assign(v);
    if (Has(csDesigning)) Repaint();
}

void TbsSkinCustomTabSheet::PaintWindow(HDC dc) { PaintBG(dc); }

void TbsSkinCustomTabSheet::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        PaintBG(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case CM_PAINTFRAMETODC:
        m.Result = 12851;
        return;
    default:
        break;
    }
    TTabSheet::WndProc(m);
    if (m.Msg == WM_SIZE) {
        Repaint();
        TbsSkinPageControl* pc = SkinPageControl();
        if (pc && pc->SkinData() && !pc->SkinData()->Empty && pc->StretchEffect)
            for (int i = 0; i < ControlCount(); ++i)
                if (Controls(i)->IsWindowed()) SendMessageW(static_cast<TWinControl*>(Controls(i))->Handle(), WM_CHECKPARENTBG, 0, 0);
    }
}

void TbsSkinCustomTabSheet::PaintBG(HDC dc) {
    const int w = Width(), h = Height();
    if (w < 1 || h < 1 || !dc) return;
    TbsSkinPageControl* pc = SkinPageControl();
    if (!pc) return;
    pc->GetSkinData();
    TCanvas c;
    c.SetHandle(dc);
    if (!FWallPaper.Empty() && FWallPaper.Width() > 0 && FWallPaper.Height() > 0) {
        for (int y = 0; y <= h / FWallPaper.Height(); ++y)
            for (int x = 0; x <= w / FWallPaper.Width(); ++x)
                c.Draw(x * FWallPaper.Width(), y * FWallPaper.Height(), &FWallPaper);
    } else if (!pc->Skinned()) {
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(TRect(0, 0, w, h));
    } else {
        c.SetHandle(nullptr);
        pc->PaintSkinBackground(dc, w, h, pc->Width(), pc->Height());
    }
    c.SetHandle(nullptr);
}

// ---- page control: skin ----------------------------------------------------------------------

TbsSkinPageControl::TbsSkinPageControl(TComponent* owner) : TPageControl(owner) {
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetColor(clBtnText);
    FDefaultFont.SetStyle(0);
    Font()->Assign(&FDefaultFont);
    DoubleBuffered = true;
    FTempImages = std::make_unique<TCustomImageList>(nullptr);
    FTempImages->SetSize(1, 1);
}

TbsSkinPageControl::~TbsSkinPageControl() {
    if (FSD) RemoveFreeNotification(FSD);
    if (FImages) RemoveFreeNotification(FImages);
}

void TbsSkinPageControl::SetSkinData(TbsSkinData* v) {
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) FreeNotification(FSD);
    if (FSD && !FSD->Empty && !Has(csDesigning)) ChangeSkinData();
}

void TbsSkinPageControl::Notification(TComponent* component, TOperation op) {
    TPageControl::Notification(component, op);
    if (op != opRemove) return;
    if (component == FSD) {
        FSD = nullptr;
        FIndex = -1;
        Picture = nullptr;
    }
    if (component == FImages) {
        FImages = nullptr;
        UpdateTempImages();
    }
    if (component == FSkinUpDown) FSkinUpDown = nullptr;
}

void TbsSkinPageControl::GetSkinData() {
    BGPictureIndex = -1;
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) return;
    auto* rec = dynamic_cast<TbsDataSkinTabControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get());
    if (!rec) {
        // Another kind of record: the plain look. The picture of an earlier
        // skin may be gone with that skin.
        Picture = nullptr;
        return;
    }
    Picture = rec->PictureIndex >= 0 && rec->PictureIndex < static_cast<int>(FSD->FActivePictures.size())
                  ? FSD->FActivePictures[static_cast<size_t>(rec->PictureIndex)].get()
                  : nullptr;
    SkinRect = rec->SkinRect;
    ClRect = rec->ClRect;
    TabRect = rec->TabRect;
    ActiveTabRect = IsNullRect(rec->ActiveTabRect) ? rec->TabRect : rec->ActiveTabRect;
    FocusTabRect = IsNullRect(rec->FocusTabRect) ? rec->ActiveTabRect : rec->FocusTabRect;
    if (IsNullRect(FocusTabRect)) FocusTabRect = ActiveTabRect;
    TabsBGRect = rec->TabsBGRect;
    LTPoint = rec->LTPoint;
    RTPoint = rec->RTPoint;
    LBPoint = rec->LBPoint;
    RBPoint = rec->RBPoint;
    TabLeftOffset = rec->TabLeftOffset;
    TabRightOffset = rec->TabRightOffset;
    FontName = rec->FontName;
    FontStyle = rec->FontStyle;
    FontHeight = rec->FontHeight;
    FontColor = rec->FontColor;
    ActiveFontColor = rec->ActiveFontColor;
    FocusFontColor = rec->FocusFontColor;
    MouseInFontColor = rec->MouseInFontColor;
    UpDown = rec->UpDown;
    BGPictureIndex = rec->BGPictureIndex;
    MouseInTabRect = rec->MouseInTabRect;
    TabStretchEffect = rec->TabStretchEffect;
    ShowFocus = rec->ShowFocus;
    FocusOffsetX = rec->FocusOffsetX;
    FocusOffsetY = rec->FocusOffsetY;
    LeftStretch = rec->LeftStretch;
    TopStretch = rec->TopStretch;
    RightStretch = rec->RightStretch;
    BottomStretch = rec->BottomStretch;
    StretchEffect = rec->StretchEffect;
    StretchType = rec->StretchType;
    ButtonTransparent = rec->ButtonTransparent;
    ButtonTransparentColor = rec->ButtonTransparentColor;
    CloseButtonRect = rec->CloseButtonRect;
    ClosebuttonActiveRect = IsNullRect(rec->CloseButtonActiveRect) ? CloseButtonRect : rec->CloseButtonActiveRect;
    CloseButtonDownRect = IsNullRect(rec->CloseButtonDownRect) ? ClosebuttonActiveRect : rec->CloseButtonDownRect;
    // A face without width or height cannot be drawn: the plain look.
    if (IsNullRect(SkinRect) || IsNullRect(TabRect)) Picture = nullptr;
}

int TbsSkinPageControl::ItemHeight() const {
    if (TabHeight() > 0) return TabHeight();
    return FIndex == -1 || IsNullRect(TabRect) ? FDefaultItemHeight : TabRect.Height();
}

void TbsSkinPageControl::ChangeSkinData() {
    GetSkinData();
    const int oldClose = FCloseSize;
    FCloseSize = FIndex == -1 || IsNullRect(CloseButtonRect) ? 14 : CloseButtonRect.Width();
    if (FShowCloseButtons && oldClose != FCloseSize) UpdateTempImages();
    if (FIndex == -1 || !UseSkinFont) {
        Font()->Assign(&FDefaultFont);
    } else {
        Font()->SetName(FontName);
        Font()->SetHeight(FontHeight);
        Font()->SetStyle(FontStyle);
    }
    if (FSD && FSD->ResourceStrData()) Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    else Font()->SetCharset(FDefaultFont.Charset());
    if (FIndex != -1) Font()->SetColor(FontColor);
    SetItemSize(TabWidth(), ItemHeight());
    UpdateUpDownPosition();
    Realign();
    if (FSkinUpDown) {
        HideSkinUpDown();
        CheckScroll();
    }
    if (ActivePage()) ActivePage()->Repaint();
    Invalidate();
}

void TbsSkinPageControl::SetItemSize(int w, int h) {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TCM_SETITEMSIZE, 0, static_cast<LPARAM>(h) * 65536 + w);
}

void TbsSkinPageControl::UpDateTabs() {
    SetItemSize(TabWidth(), ItemHeight());
    if (MultiLine() && FSkinUpDown) HideSkinUpDown();
    Realign();
}

void TbsSkinPageControl::Loaded() {
    TPageControl::Loaded();
    if (FIndex == -1) SetItemSize(TabWidth(), TabHeight() > 0 ? TabHeight() : FDefaultItemHeight);
    UpdateUpDownPosition();
    Realign();
}

void TbsSkinPageControl::SetDefaultItemHeight(int v) {
    FDefaultItemHeight = v;
    if (FIndex == -1) {
        SetItemSize(TabWidth(), v);
        UpdateUpDownPosition();
        Realign();
    }
}

void TbsSkinPageControl::UpdateTempImages() {
    // Room in every tab: 1 pixel, the images' size and the close button.
    const bool vertical = TabPosition() == tpLeft || TabPosition() == tpRight;
    int room = 1;
    if (FImages) room += vertical ? FImages->Height() : FImages->Width();
    if (FShowCloseButtons) room += FCloseSize;
    if (vertical) FTempImages->SetSize(1, room);
    else FTempImages->SetSize(room, 1);
    TPageControl::SetImages(FTempImages.get());
    Invalidate();
}

void TbsSkinPageControl::SetImages(TCustomImageList* v) {
    if (FImages) RemoveFreeNotification(FImages);
    FImages = v;
    if (FImages) FreeNotification(FImages);
    UpdateTempImages();
}

void TbsSkinPageControl::SetShowCloseButtons(bool v) {
    if (v != FShowCloseButtons) {
        FShowCloseButtons = v;
        UpdateTempImages();
    }
    Invalidate();
}

void TbsSkinPageControl::SetTextInHorizontal(bool v) {
    FTextInHorizontal = v;
    Invalidate();
}

// ---- tabs ------------------------------------------------------------------------------------

TTabSheet* TbsSkinPageControl::VisiblePage(int tab) const {
    int n = 0;
    for (int i = 0; i < PageCount(); ++i) {
        if (!Pages(i)->TabVisible) continue;
        if (n++ == tab) return Pages(i);
    }
    return nullptr;
}

int TbsSkinPageControl::VisibleTabCount() const {
    int n = 0;
    for (int i = 0; i < PageCount(); ++i) n += Pages(i)->TabVisible ? 1 : 0;
    return n;
}

bool TbsSkinPageControl::HasVisibleTabs() const { return VisibleTabCount() > 0; }

TRect TbsSkinPageControl::GetItemRect(int i) {
    RECT r{};
    if (!HandleAllocated()) return TRect(r);
    SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    if (i == 0 && !MultiLine()) ++r.left;
    return TRect(r);
}

void TbsSkinPageControl::AdjustItemRect(RECT& r) const {
    if (Style() != tsTabs) return;
    switch (TabPosition()) {
    case tpTop:
        if (!MultiLine()) r.left -= 2, r.right -= 2;
        r.top -= 2, r.bottom -= 2;
        if (TabsShifted()) OffsetRect(&r, GetTabsOffset(), 0);
        break;
    case tpBottom:
        if (!MultiLine()) r.left -= 2, r.right -= 2;
        r.top += 2, r.bottom += 2;
        break;
    case tpLeft:
        r.left -= 2, r.right -= 2;
        break;
    case tpRight:
        r.left += 2, r.right += 2;
        break;
    }
}

void TbsSkinPageControl::AdjustDisplayRect(RECT& r) {
    if (FHideBorder) {
        r = RECT{0, -2, Width(), Height()};
        return;
    }
    GetSkinData();
    const TRect client = ClientRect();
    const int cw = client.Width(), ch = client.Height();
    const int hid = FHideTabs ? 1 : 0;
    if (FIndex != -1 && Picture) {
        const int fl = ClRect.left, ft = ClRect.top;
        const int fr = SkinRect.Width() - ClRect.right, fb = SkinRect.Height() - ClRect.bottom;
        switch (TabPosition()) {
        case tpTop:
            r = RECT{fl, r.top + ft - 6 - hid, cw - fr, ch - fb};
            break;
        case tpBottom:
            r = RECT{fl, r.top + ft - 4, cw - fr, r.bottom + 4 - fb + hid};
            break;
        case tpLeft:
            r = RECT{r.left + fl - 4 - hid, r.top + ft - 4, cw - fr, ch - fb};
            break;
        case tpRight:
            r = RECT{fl, r.top + ft - 4, r.right + 4 - fr + hid, ch - fb};
            break;
        }
        return;
    }
    switch (TabPosition()) {
    case tpTop:
        r = RECT{1, r.top - 5 - hid, cw - 1, ch - 1};
        break;
    case tpBottom:
        r = RECT{1, 1, cw - 1, r.bottom + 3};
        break;
    case tpLeft:
        r = RECT{r.left - 3 - hid, r.top - 5, cw - 1, ch - 1};
        break;
    case tpRight:
        r = RECT{r.left - 3, r.top - 5, r.right + 3 + hid, ch - 1};
        break;
    }
}

void TbsSkinPageControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        // Never the native tab painting.
        PaintHandler(m);
        return;
    case WM_ERASEBKGND:
        if (PageCount() > 0 && HasVisibleTabs()) {
            m.Result = 1;
            return;
        }
        GetSkinData();
        if (Skinned()) {
            PaintSkinBackground(reinterpret_cast<HDC>(m.WParam), Width(), Height(), Width(), Height());
            m.Result = 1;
            return;
        }
        break;
    case TCM_INSERTITEMW: {
        // Every tab reserves the room of FTempImages.
        auto* item = reinterpret_cast<TCITEMW*>(m.LParam);
        if (item && (item->mask & TCIF_IMAGE)) item->iImage = 0;
        break;
    }
    case CM_PAINTFRAMETODC:
        m.Result = 12851;
        return;
    case WM_CHECKPARENTBG:
        if (FTabsBGTransparent) Repaint();
        return;
    case WM_SIZE:
        GetSkinData();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_NCHITTEST:
        // The native hit test knows the tabs where it laid them out.
        if (TabsShifted())
            m.LParam = MAKELPARAM(static_cast<short>(LOWORD(m.LParam)) - GetTabsOffset(), HIWORD(m.LParam));
        break;
    default:
        break;
    }
    TPageControl::WndProc(m);
    switch (m.Msg) {
    case TCM_GETITEMRECT:
        if (m.LParam) AdjustItemRect(*reinterpret_cast<RECT*>(m.LParam));
        break;
    case TCM_ADJUSTRECT:
        if (m.LParam) AdjustDisplayRect(*reinterpret_cast<RECT*>(m.LParam));
        break;
    case TCM_SETCURSEL:
        if (!Has(csLoading)) Invalidate();
        break;
    case TCM_INSERTITEMW:
    case TCM_DELETEALLITEMS:
        if (!MultiLine() && !Has(csDesigning) && !FHideTabs) CheckScroll();
        break;
    case WM_SIZE:
        if (!MultiLine() && !Has(csDesigning)) CheckScroll();
        break;
    case WM_HSCROLL:
        Repaint();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (TabsShifted()) Invalidate();
        break;
    case WM_MOUSEWHEEL:
        if (MouseWheelSupport) {
            if (static_cast<short>(HIWORD(m.WParam)) < 0) ActivateNextPage();
            else ActivatePrevPage();
        }
        break;
    case CM_MOUSELEAVE:
        if (!FHideTabs) UpdateHotTab(-1, -1);
        break;
    default:
        break;
    }
}

void TbsSkinPageControl::Change() {
    if (FSkinUpDown) FSkinUpDown->SetPosition(GetLeftHiddenTabs());
    TPageControl::Change();
    Invalidate();
    if (ActivePage()) ActivePage()->Invalidate();
}

void TbsSkinPageControl::ActivateNextPage() {
    const int i = ActivePageIndex();
    if (i < 0) return;
    for (int j = i + 1; j < PageCount(); ++j)
        if (Pages(j)->TabVisible) {
            SetActivePage(Pages(j));
            return;
        }
}

void TbsSkinPageControl::ActivatePrevPage() {
    const int i = ActivePageIndex();
    for (int j = i - 1; j >= 0; --j)
        if (Pages(j)->TabVisible) {
            SetActivePage(Pages(j));
            return;
        }
}

// ---- hidden tabs -----------------------------------------------------------------------------

void TbsSkinPageControl::HideTabs() {
    if (FOldTabHeight != -1 || !HasVisibleTabs()) return;
    FHideTabs = true;
    FOldTabPosition = TabPosition();
    FOldMultiLine = MultiLine();
    if (TabPosition() == tpLeft || TabPosition() == tpRight) SetTabPosition(tpTop);
    SetMultiLine(false);
    FOldTabHeight = TabHeight();
    SetTabHeight(1);
    HideSkinUpDown();
    Realign();
}

void TbsSkinPageControl::ShowTabs() {
    if (FOldTabHeight == -1) return;
    SetTabPosition(FOldTabPosition);
    SetMultiLine(FOldMultiLine);
    FHideTabs = false;
    SetTabHeight(FOldTabHeight);
    if (FOldTabHeight <= 0 && FIndex != -1) SetItemSize(TabWidth(), TabRect.Height());
    else if (FOldTabHeight <= 0) SetItemSize(TabWidth(), FDefaultItemHeight);
    FOldTabHeight = -1;
    if (!MultiLine()) CheckScroll();
    Realign();
    Invalidate();
}

void TbsSkinPageControl::HideBorderAndTabs() {
    SetTabPosition(tpTop);
    FHideTabs = FHideBorder = true;
    HideSkinUpDown();
    Realign();
}

void TbsSkinPageControl::ShowBorderAndTabs() {
    FHideTabs = FHideBorder = false;
    ShowTabs();
    Realign();
    Invalidate();
}

// ---- scroller --------------------------------------------------------------------------------

int TbsSkinPageControl::GetHiddenTabs() {
    int n = 0;
    for (int i = 0, tabs = VisibleTabCount(); i < tabs; ++i) {
        const TRect r = GetItemRect(i);
        if (r.right > Width() - 3 || r.right <= 0) ++n;
    }
    return n;
}

int TbsSkinPageControl::GetLeftHiddenTabs() {
    // A tab scrolled off to the left has an empty rectangle; so has every
    // tab of a strip not laid out yet, which hides none.
    int n = 0;
    bool laidOut = false;
    for (int i = 0, tabs = VisibleTabCount(); i < tabs; ++i) {
        const TRect r = GetItemRect(i);
        if (r.right > r.left) laidOut = true;
        if (r.right <= 0) ++n;
    }
    return laidOut ? n : 0;
}

void TbsSkinPageControl::CheckScroll() {
    if (!HandleAllocated()) return;
    // The native arrows give way to the skinned scroller.
    if (HWND native = FindWindowExW(Handle(), nullptr, UPDOWN_CLASSW, nullptr)) DestroyWindow(native);
    const int n = GetHiddenTabs();
    if (n == 0 || MultiLine()) HideSkinUpDown();
    else if (!FSkinUpDown) ShowSkinUpDown();
    if (!FSkinUpDown) return;
    FSkinUpDown->SetMax(n);
    FSkinUpDown->SetLeft(Width() - FSkinUpDown->Width());
    FSkinUpDown->SetTop(TabPosition() == tpTop ? 0 : Height() - FSkinUpDown->Height());
}

void TbsSkinPageControl::ShowSkinUpDown() {
    if (FHideTabs) return;
    FSkinUpDown = new TbsSkinUpDown(this);
    FSkinUpDown->SetParent(this);
    FSkinUpDown->SetBounds(0, 0, 2 * FDefaultItemHeight, FDefaultItemHeight);
    FSkinUpDown->SetMin(0);
    FSkinUpDown->SetMax(GetHiddenTabs());
    FSkinUpDown->SetIncrement(1);
    FSkinUpDown->OnChange = [this](TObject*) { UpDownChange(); };
    // Set quietly: the native strip is already where it should be.
    {
        auto change = std::move(FSkinUpDown->OnChange);
        FSkinUpDown->SetPosition(GetLeftHiddenTabs());
        FSkinUpDown->OnChange = std::move(change);
    }
    FSkinUpDown->SetLeft(Width() - FSkinUpDown->Width());
    FSkinUpDown->SetTop(TabPosition() == tpTop ? 0 : Height() - FSkinUpDown->Height());
    FSkinUpDown->SetSkinDataName(UpDown);
    FSkinUpDown->SetSkinData(FSD);
    FSkinUpDown->SetVisible(true);
}

void TbsSkinPageControl::HideSkinUpDown() {
    if (!FSkinUpDown) return;
    TbsSkinUpDown* s = FSkinUpDown;
    FSkinUpDown = nullptr;
    s->Free();
}

void TbsSkinPageControl::UpDownChange() {
    if (!FSkinUpDown) return;
    FSkinUpDown->SetMax(GetHiddenTabs());
    // Some tab controls move one tab per message whatever the position
    // asked for: ask again until the strip is where the scroller says.
    const int pos = FSkinUpDown->Position();
    for (int guard = VisibleTabCount(); guard > 0; --guard) {
        const int before = GetLeftHiddenTabs();
        SendMessageW(Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
        const int now = GetLeftHiddenTabs();
        if (now == pos || now == before) break;
    }
}

void TbsSkinPageControl::UpdateUpDownPosition() {
    if (FSkinUpDown) {
        auto change = std::move(FSkinUpDown->OnChange);
        FSkinUpDown->SetPosition(GetLeftHiddenTabs());
        FSkinUpDown->OnChange = std::move(change);
    }
    Invalidate();
}

// ---- hot tab and closing ---------------------------------------------------------------------

TRect TbsSkinPageControl::CloseBox(int tab) {
    auto* page = dynamic_cast<TbsSkinCustomTabSheet*>(VisiblePage(tab));
    if (!page) return TRect();
    const TRect r = GetItemRect(tab);
    TRect b = page->ButtonRect;
    OffsetRect(&b, r.left, r.top);
    return b;
}

void TbsSkinPageControl::UpdateHotTab(int x, int y) {
    if (FHideTabs) return;
    FOldActiveTabIndex = FActiveTabIndex;
    FActiveTabIndex = -1;
    const POINT p{x, y};
    for (int i = 0, tabs = VisibleTabCount(); i < tabs && (x != -1 || y != -1); ++i) {
        const TRect r = GetItemRect(i);
        if (PtInRect(&r, p)) {
            FActiveTabIndex = i;
            break;
        }
    }
    if (FActiveTabIndex != FOldActiveTabIndex) {
        if (auto* old = dynamic_cast<TbsSkinCustomTabSheet*>(VisiblePage(FOldActiveTabIndex))) {
            old->ButtonMouseIn = old->ButtonMouseDown = false;
        }
        RepaintTabs();
    }
    if (FActiveTabIndex == -1 || !FShowCloseButtons) return;
    auto* page = dynamic_cast<TbsSkinCustomTabSheet*>(VisiblePage(FActiveTabIndex));
    if (!page) return;
    const TRect b = CloseBox(FActiveTabIndex);
    const bool in = PtInRect(&b, p) != 0;
    if (in != page->ButtonMouseIn) {
        page->ButtonMouseIn = in;
        if (!in) page->ButtonMouseDown = false;
        RepaintTabs();
    }
}

void TbsSkinPageControl::RepaintTabs() { Invalidate(); }

void TbsSkinPageControl::MouseMove(TShiftState shift, int x, int y) {
    TPageControl::MouseMove(shift, x, y);
    if (!FHideTabs && !Has(csDesigning)) UpdateHotTab(x, y);
}

void TbsSkinPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TPageControl::MouseDown(button, shift, x, y);
    if (FHideTabs || button != mbLeft || Has(csDesigning)) return;
    // Shifted tabs: x arrives lowered for the native hit test, and the hot
    // tab is the one the last move found.
    if (!TabsShifted()) UpdateHotTab(x, y);
    if (FActiveTabIndex == -1 || !FShowCloseButtons) return;
    auto* page = dynamic_cast<TbsSkinCustomTabSheet*>(VisiblePage(FActiveTabIndex));
    if (!page) return;
    TRect b = CloseBox(FActiveTabIndex);
    if (TabsShifted()) OffsetRect(&b, -GetTabsOffset(), 0);
    const POINT p{x, y};
    const bool in = PtInRect(&b, p) != 0;
    page->ButtonMouseIn = page->ButtonMouseDown = in;
    if (in) RepaintTabs();
}

void TbsSkinPageControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TPageControl::MouseUp(button, shift, x, y);
    if (FHideTabs || button != mbLeft || Has(csDesigning)) return;
    // Shifted tabs: x arrives lowered for the native hit test, and the hot
    // tab is the one the last move found.
    if (!TabsShifted()) UpdateHotTab(x, y);
    if (FActiveTabIndex == -1 || !FShowCloseButtons) return;
    auto* page = dynamic_cast<TbsSkinCustomTabSheet*>(VisiblePage(FActiveTabIndex));
    if (!page) return;
    TRect b = CloseBox(FActiveTabIndex);
    if (TabsShifted()) OffsetRect(&b, -GetTabsOffset(), 0);
    const POINT p{x, y};
    if (PtInRect(&b, p) && page->ButtonMouseDown) {
        page->ButtonMouseIn = true;
        page->ButtonMouseDown = false;
        RepaintTabs();
        ClosePage();
    } else {
        page->ButtonMouseIn = page->ButtonMouseDown = false;
    }
}

void TbsSkinPageControl::ClosePage() {
    TTabSheet* page = ActivePage();
    if (!page) return;
    bool canClose = true;
    if (OnClose) OnClose(page, canClose);
    if (!canClose) {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (WindowFromPoint(cursor) != Handle()) {
            if (auto* sp = dynamic_cast<TbsSkinCustomTabSheet*>(page)) sp->ButtonMouseIn = sp->ButtonMouseDown = false;
            RepaintTabs();
        }
        return;
    }
    // The page's tab goes; the nearest shown page takes its place.
    const int index = page->PageIndex();
    page->TabVisible = false;
    TTabSheet* next = nullptr;
    for (int j = index + 1; j < PageCount() && !next; ++j)
        if (Pages(j)->TabVisible) next = Pages(j);
    for (int j = index - 1; j >= 0 && !next; --j)
        if (Pages(j)->TabVisible) next = Pages(j);
    FActiveTabIndex = FOldActiveTabIndex = -1;
    SetActivePage(next);
    if (!next) page->SetVisible(false);
    if (FreeOnClose) page->Free();
    if (OnAfterClose) OnAfterClose(this);
    Invalidate();
}
