// One level of a skinned menu chain (TbsSkinPopupWindow): building its
// entries, measuring, placing against the rectangle it opens from, fading
// in, painting, scrolling, following the cursor and the forwarded keys.
#include <algorithm>

#include "platform/Clock.h"
#include "platform/ImgList.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsImages.h"
#include "skin/bsUtilsLayer.h"
#include "skin/bsResStrData.h"
#include "skin/frame/bsSkinMenus.h"

namespace {
constexpr UINT_PTR kScrollTimer = 1;
constexpr int kScrollArea = 10;

TBitmap* PictureAt(TbsSkinData* sd, int index) {
    if (!sd || index < 0 || index >= static_cast<int>(sd->FActivePictures.size())) return nullptr;
    return sd->FActivePictures[static_cast<size_t>(index)].get();
}

TbsDataSkinMenuItem* FirstMenuItemObject(TbsSkinData* sd) {
    if (!sd || sd->Empty) return nullptr;
    for (auto& o : sd->ObjectList)
        if (auto* mi = dynamic_cast<TbsDataSkinMenuItem*>(o.get())) return mi;
    return nullptr;
}

String MeasureText(const TMenuItem* item) {
    String t = item->Caption();
    if (item->ShortCut() != scNone) t += L"  " + ShortCutToText(item->ShortCut());
    return t;
}
}  // namespace

TbsSkinPopupWindow::TbsSkinPopupWindow(TComponent* AOwner, TbsSkinMenu* AParentMenu, TbsDataSkinPopupWindow* AData)
    : TCustomControl(AOwner), ParentMenu(AParentMenu) {
    SetVisible(false);
    MouseTimer = NewStoppedTimer(this, 50, [this](TObject*) { MouseTimerProc(); });
    MorphTimer = NewStoppedTimer(this, 20, [this](TObject*) { MorphTimerProc(); });
    if (AData && AData->WindowPictureIndex != -1 && ParentMenu->SkinData) {
        TbsSkinData* sd = ParentMenu->SkinData;
        TBitmap* window = PictureAt(sd, AData->WindowPictureIndex);
        TbsDataSkinMenuItem* mi = FirstMenuItemObject(sd);
        // Without its window picture, a menu-item object or that object's
        // picture the skin cannot measure the entries: such a level keeps
        // the plain look.
        if (window && mi && PictureAt(sd, mi->ActivePictureIndex)) {
            PW = AData;
            SD = sd;
            WindowPicture = window;
            MaskPicture = PictureAt(sd, AData->MaskPictureIndex);
            FMenuItemData = std::make_unique<TbsDataSkinMenuItem>(*mi);
            DSMI = FMenuItemData.get();
        }
    }
}

TbsSkinPopupWindow::~TbsSkinPopupWindow() {
    MouseTimer->SetEnabled(false);
    MorphTimer->SetEnabled(false);
    if (HandleAllocated()) platform::KillWindowTimer(Handle(), kScrollTimer);
    ItemList.clear();
    FPaintBuffer.reset();
    FRgn = nullptr;  // the window frees its region with itself
}

void TbsSkinPopupWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP;
    p.ExStyle = WS_EX_TOOLWINDOW;
    p.ClassStyle |= CS_SAVEBITS;
    if (IsWinXPOrLater()) p.ClassStyle |= CS_DROPSHADOW;
    p.WndParent = nullptr;
}

int TbsSkinPopupWindow::LevelIndex() const {
    if (!ParentMenu) return -1;
    const auto& l = ParentMenu->FPopupList;
    const auto it = std::find(l.begin(), l.end(), this);
    return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

// ---- building and measuring ---------------------------------------------------------------------

void TbsSkinPopupWindow::SetupCanvasFont() {
    TFont* f = Canvas()->Font();
    if (PW && DSMI && ParentMenu->UseSkinFont()) {
        f->SetName(DSMI->FontName);
        f->SetHeight(DSMI->FontHeight);
        f->SetStyle(DSMI->FontStyle);
    } else f->Assign(ParentMenu->DefaultMenuItemFont());
    if (ParentMenu->SkinData && ParentMenu->SkinData->ResourceStrData())
        f->SetCharset(ParentMenu->SkinData->ResourceStrData()->CharSet);
    else f->SetCharset(ParentMenu->DefaultMenuItemFont()->Charset());
}

void TbsSkinPopupWindow::AddEntries(TMenuItem* item, int from) {
    for (int i = std::max(from, 0); i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (!child->Visible()) continue;
        // The action brings the item up to date before the entry is made.
        if (TBasicAction* action = child->Action()) action->Update();
        ItemList.push_back(std::make_unique<TbsSkinMenuItem>(this, child, DSMI));
    }
}

int TbsSkinPopupWindow::EntryHeight(const TbsSkinMenuItem* e) const {
    if (!IsMenuSeparator(e->MenuItem)) return PW ? RectHeight(DSMI->SkinRect) : ParentMenu->DefaultMenuItemHeight();
    return PW ? RectHeight(DSMI->DividerRect) : 4;
}

void TbsSkinPopupWindow::CreateMenu(TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool Two) {
    HandleNeeded();
    SetupCanvasFont();
    TMenu* menu = AItem->GetParentMenu();
    if (menu && menu->AutoLineReduction == maAutomatic) AItem->RethinkLines();
    ImgL = menu ? menu->Images : nullptr;
    ItemList.clear();
    AddEntries(AItem, StartIndex);
    if (Two && AItem2) AddEntries(AItem2, std::max(0, StartIndex - AItem->Count()));
    VisibleStartIndex = 0;
    VisibleCount = static_cast<int>(ItemList.size());
    Scroll = Scroll2 = false;
    SizeLevel(Two);
    if (PW) {
        const int picW = WindowPicture->Width(), picH = WindowPicture->Height();
        NewLTPoint = PW->LTPoint;
        NewRTPoint = TPoint(Width() - picW + PW->RTPoint.x, PW->RTPoint.y);
        NewLBPoint = TPoint(PW->LBPoint.x, Height() - picH + PW->LBPoint.y);
        NewRBPoint = TPoint(Width() - picW + PW->RBPoint.x, Height() - picH + PW->RBPoint.y);
        NewItemsRect = TRect(PW->ItemsRect.left, PW->ItemsRect.top, Width() - picW + PW->ItemsRect.right,
                             Height() - picH + PW->ItemsRect.bottom);
    } else NewItemsRect = TRect(2, 2, Width() - 2, Height() - 2);
    CalcItemRects();
    if (PW && MaskPicture) {
        HRGN rgn = nullptr;
        CreateSkinRegion(rgn, PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, PW->ItemsRect, NewLTPoint,
                         NewRTPoint, NewLBPoint, NewRBPoint, NewItemsRect, MaskPicture, Width(), Height());
        // The window takes the region (and frees the one it held).
        SetWindowRgn(Handle(), rgn, TRUE);
        FRgn = rgn;
    }
}

void TbsSkinPopupWindow::SizeLevel(bool Two) {
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Canvas()->Font());
    int m = 0;
    for (auto& e : ItemList) {
        RECT r{0, 0, 0, 0};
        DrawWideText(measure.Canvas(), MeasureText(e->MenuItem), r, DT_CALCRECT);
        m = std::max(m, static_cast<int>(r.right) + 2);
    }
    GlyphWidth = ImgL ? ImgL->Width() + 5 : 19;
    m += GlyphWidth + 19;
    int w;
    int f = 0;
    if (PW) {
        f = WindowPicture->Height() - RectHeight(PW->ItemsRect);
        w = m + (WindowPicture->Width() - RectWidth(PW->ItemsRect)) +
            (DSMI->TextRct.left + RectWidth(DSMI->SkinRect) - DSMI->TextRct.right);
    } else w = m + 10;
    int s = 0;
    for (auto& e : ItemList) s += EntryHeight(e.get());
    const int n = static_cast<int>(ItemList.size());
    const int k = ParentMenu->MaxMenuItemsInWindow;
    int h;
    if (k == 0 || k >= n) {
        h = PW ? s + f : s + (Two ? 6 : 4);
    } else {
        h = PW ? k * RectHeight(DSMI->SkinRect) + f + 2 * kScrollArea
               : k * ParentMenu->DefaultMenuItemHeight() + (Two ? 26 : 24);
        if (!Two) Scroll = Scroll2 = true;
    }
    const int waH = RectHeight(ParentMenu->WorkArea);
    if (waH < h) {
        h = waH;
        Scroll = true;
    }
    SetBounds(Left(), Top(), w, h);
}

void TbsSkinPopupWindow::CalcItemRects() {
    int y = NewItemsRect.top + (Scroll ? kScrollArea : 0);
    const int limit = NewItemsRect.bottom - (Scroll ? kScrollArea : 0);
    VisibleCount = 0;
    const int n = static_cast<int>(ItemList.size());
    for (int i = VisibleStartIndex; i < n; ++i) {
        TbsSkinMenuItem* e = ItemList[static_cast<size_t>(i)].get();
        const int h = EntryHeight(e);
        e->ObjectRect = TRect(NewItemsRect.left, y, NewItemsRect.right, y + h);
        y += h;
        if (y > limit) break;
        e->FVisible = true;
        ++VisibleCount;
    }
    if (Scroll)
        for (int i = 0; i < n; ++i)
            if (i < VisibleStartIndex || i >= VisibleStartIndex + VisibleCount)
                ItemList[static_cast<size_t>(i)]->FVisible = false;
}

int TbsSkinPopupWindow::GetLastStartIndex() const {
    int a = NewItemsRect.bottom - kScrollArea, c = 0;
    for (int i = static_cast<int>(ItemList.size()) - 1; i >= 0; --i) {
        a -= EntryHeight(ItemList[static_cast<size_t>(i)].get());
        if (a < kScrollArea) break;
        ++c;
    }
    return static_cast<int>(ItemList.size()) - c;
}

// ---- placing and showing -----------------------------------------------------------------------------

void TbsSkinPopupWindow::PlaceLevel(const TRect& R, bool PopupByItem, bool PopupUp) {
    const TRect wa = ParentMenu->WorkArea;
    const int w = Width(), h = Height(), t = NewItemsRect.top;
    const int mid = wa.top + (wa.bottom - wa.top) / 2;
    bool beside = false;
    const bool fullHeight = Scroll && !Scroll2;
    int y;
    if (fullHeight) {
        y = wa.top;
    } else if (PopupByItem) {
        if (R.top - t + h <= wa.bottom) y = R.top - t;
        else if (R.top < mid) y = wa.bottom - h;
        else y = std::max<int>(wa.top, R.bottom + t - h);
    } else if (PopupUp) {
        if (R.top - h >= wa.top) y = R.top - h;
        else if (R.top < mid) {
            if (R.bottom + h <= wa.bottom) y = R.bottom;
            else {
                y = wa.bottom - h;
                beside = true;
            }
        } else {
            y = wa.top;
            beside = true;
        }
    } else {
        if (R.bottom + h <= wa.bottom) y = R.bottom;
        else if (R.top < mid) {
            y = wa.bottom - h;
            beside = true;
        } else if (R.top - h >= wa.top) y = R.top - h;
        else {
            y = wa.top;
            beside = true;
        }
    }
    int x;
    if (PopupByItem || fullHeight || beside) {
        x = (R.right + 1 + w <= wa.right) ? R.right + 1 : R.left - w - 1;
    } else {
        x = R.left;
        if (R.left + w > wa.right) x = wa.right - w;
        else if (R.left < wa.left) x = wa.left;
    }
    ShowX = x;
    ShowY = y;
}

void TbsSkinPopupWindow::ShowLevel(const TRect& R, bool PopupByItem, bool PopupUp) {
    PlaceLevel(R, PopupByItem, PopupUp);
    SetBounds(ShowX, ShowY, Width(), Height());
    HWND h = Handle();
    const bool layered = IsLayeredSupported() && ParentMenu->AlphaBlend;
    const bool fade = layered && ParentMenu->AlphaBlendAnimation && ParentMenu->First();
    if (layered) {
        SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredAlpha(h, fade ? 0 : ParentMenu->AlphaBlendValue);
    }
    SetWindowPos(h, HWND_TOPMOST, ShowX, ShowY, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    SetVisible(true);
    if (fade)
        RunFadeIn(ParentMenu->AlphaBlendValue, [] { return ::GetTickCount(); },
                  [h](int a) { SetLayeredAlpha(h, a); });
    MouseTimer->SetEnabled(true);
    PreselectFirst();
}

void TbsSkinPopupWindow::PreselectFirst() {
    ActiveItem = -1;
    for (size_t i = 0; i < ItemList.size(); ++i) {
        TbsSkinMenuItem* e = ItemList[i].get();
        if (!IsMenuSelectable(e->MenuItem)) continue;
        e->WaitCommand = true;
        ActiveItem = static_cast<int>(i);
        e->MouseEnter(true);
        break;
    }
}

void TbsSkinPopupWindow::Show(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp) {
    if (IsLayeredSupported() && ParentMenu->AlphaBlend && ParentMenu->AlphaBlendAnimation && ParentMenu->First() &&
        Application)
        Application->ProcessMessages();
    CreateMenu(AItem, nullptr, StartIndex, false);
    ShowLevel(R, PopupByItem, PopupUp);
}

void TbsSkinPopupWindow::Show2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                               bool PopupUp) {
    if (IsLayeredSupported() && ParentMenu->AlphaBlend && ParentMenu->AlphaBlendAnimation && ParentMenu->First() &&
        Application)
        Application->ProcessMessages();
    CreateMenu(AItem, AItem2, StartIndex, true);
    ShowLevel(R, PopupByItem, PopupUp);
}

void TbsSkinPopupWindow::Hide() {
    if (HandleAllocated()) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        platform::KillWindowTimer(Handle(), kScrollTimer);
    }
    MouseTimer->SetEnabled(false);
    MorphTimer->SetEnabled(false);
    SetVisible(false);
}

// ---- painting ---------------------------------------------------------------------------------------------

void TbsSkinPopupWindow::CreateMenuImage(TBitmap* B, bool DrawClient) {
    if (PW) {
        CreateSkinImage2(PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, PW->ItemsRect, NewLTPoint, NewRTPoint,
                         NewLBPoint, NewRBPoint, NewItemsRect, B, WindowPicture,
                         TRect(0, 0, WindowPicture->Width(), WindowPicture->Height()), Width(), Height(), DrawClient,
                         PW->LeftStretch, PW->TopStretch, PW->RightStretch, PW->BottomStretch, PW->StretchEffect,
                         PW->StretchType);
        return;
    }
    B->SetSize(Width(), Height());
    TCanvas* c = B->Canvas();
    const int g = ImgL ? GlyphWidth + 2 : 21;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, g, Height()));
    c->Brush()->SetColor(clWindow);
    c->FillRect(TRect(g, 0, Width(), Height()));
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(TRect(0, 0, Width(), Height()));
    c->Brush()->SetColor(clWindow);
    c->FrameRect(TRect(1, 1, Width() - 1, Height() - 1));
}

void TbsSkinPopupWindow::PaintMenu(HDC DC) {
    if (Width() <= 0 || Height() <= 0) return;
    TBitmap b;
    CreateMenuImage(&b, Scroll);
    if (PW && DSMI && DSMI->InActiveTransparent) {
        FPaintBuffer = std::make_unique<TBitmap>();
        CreateMenuImage(FPaintBuffer.get(), true);
    }
    const int n = static_cast<int>(ItemList.size());
    for (int i = VisibleStartIndex; i < VisibleStartIndex + VisibleCount && i < n; ++i)
        ItemList[static_cast<size_t>(i)]->Draw(b.Canvas());
    if (Scroll) {
        DrawScrollMarkers(b.Canvas());
        if (PW && VisibleCount > 0) {
            const int bottom = ItemList[static_cast<size_t>(VisibleStartIndex + VisibleCount - 1)]->ObjectRect.bottom;
            if (bottom < NewItemsRect.bottom - kScrollArea)
                DrawScrollAreaBG(b.Canvas(), TRect(NewItemsRect.left, bottom, NewItemsRect.right,
                                                   NewItemsRect.bottom - kScrollArea));
        }
    }
    BitBlt(DC, 0, 0, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinPopupWindow::Paint() { PaintMenu(Canvas()->Handle()); }

TRect TbsSkinPopupWindow::TopScrollArea() const {
    return TRect(NewItemsRect.left, NewItemsRect.top, NewItemsRect.right, NewItemsRect.top + kScrollArea);
}

TRect TbsSkinPopupWindow::BottomScrollArea() const {
    return TRect(NewItemsRect.left, NewItemsRect.bottom - kScrollArea, NewItemsRect.right, NewItemsRect.bottom);
}

void TbsSkinPopupWindow::DrawScrollAreaBG(TCanvas* C, const TRect& R) {
    if (!SD) return;
    int i = SD->GetIndex(L"menuitem");
    if (i < 0) i = SD->GetIndex(L"MENUITEM");
    if (i < 0) return;
    auto* obj = dynamic_cast<TbsDataSkinMenuItem*>(SD->ObjectList[static_cast<size_t>(i)].get());
    if (!obj) return;
    if (DSMI->InActiveTransparent && FPaintBuffer) {
        C->CopyRect(R, FPaintBuffer->Canvas(), R);
        return;
    }
    TBitmap* pic = PictureAt(SD, obj->ActivePictureIndex);
    if (!pic || IsNullRect(obj->SkinRect)) return;
    TBitmap part;
    CreateHSkinImage(obj->ItemLO, obj->ItemRO, &part, pic, obj->SkinRect, RectWidth(R), RectHeight(R),
                     obj->InActiveStretchEffect);
    // The picture is as tall as an entry; the area takes rows from its
    // middle (stretched when the area is the taller) and nothing beyond it.
    const int rows = std::min<int>(part.Height(), RectHeight(R));
    const int top = (part.Height() - rows) / 2;
    C->CopyRect(R, part.Canvas(), TRect(0, top, part.Width(), top + rows));
}

void TbsSkinPopupWindow::DrawScrollMarkers(TCanvas* C) {
    if (PW) {
        const TRect top = TopScrollArea(), bottom = BottomScrollArea();
        DrawScrollAreaBG(C, top);
        DrawScrollAreaBG(C, bottom);
        DrawArrowImage(C, top, ScrollCode == 1 ? PW->ScrollMarkerActiveColor : PW->ScrollMarkerColor, 3);
        DrawArrowImage(C, bottom, ScrollCode == 2 ? PW->ScrollMarkerActiveColor : PW->ScrollMarkerColor, 4);
        return;
    }
    DrawArrowImage(C, TRect(3, 3, Width() - 3, 13), ScrollCode == 1 ? clBtnText : clBtnShadow, 3);
    DrawArrowImage(C, TRect(3, Height() - 10, Width() - 3, Height() - 3), ScrollCode == 2 ? clBtnText : clBtnShadow,
                   4);
}

void TbsSkinPopupWindow::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        PaintMenu(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case WM_LBUTTONUP:
        TCustomControl::WndProc(m);
        MouseUpAt(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
        return;
    case WM_TIMER:
        TCustomControl::WndProc(m);
        if (m.WParam != kScrollTimer) return;
        if (ScrollCode == 1) {
            if (CanScroll(1)) ScrollUp(false);
            else StopScroll();
        } else if (ScrollCode == 2) {
            if (CanScroll(2)) ScrollDown(false);
            else StopScroll();
        }
        return;
    default:
        TCustomControl::WndProc(m);
    }
}

// ---- scrolling --------------------------------------------------------------------------------------------

bool TbsSkinPopupWindow::CanScroll(int code) const {
    if (code == 1) return VisibleStartIndex > 0;
    return VisibleStartIndex + VisibleCount - 1 < static_cast<int>(ItemList.size()) - 1;
}

void TbsSkinPopupWindow::ScrollUp(bool Cycle) {
    if (VisibleStartIndex > 0) --VisibleStartIndex;
    else if (Cycle) VisibleStartIndex = GetLastStartIndex();
    else return;
    CalcItemRects();
    Repaint();
}

void TbsSkinPopupWindow::ScrollDown(bool Cycle) {
    if (CanScroll(2)) ++VisibleStartIndex;
    else if (Cycle) VisibleStartIndex = 0;
    else return;
    CalcItemRects();
    Repaint();
}

void TbsSkinPopupWindow::StartScroll() {
    if (ParentMenu) ParentMenu->CloseLevels(LevelIndex() + 1);
    platform::KillWindowTimer(Handle(), kScrollTimer);
    platform::SetWindowTimer(Handle(), kScrollTimer, 100);
}

void TbsSkinPopupWindow::StopScroll() {
    ScrollCode = 0;
    if (HandleAllocated()) {
        Repaint();
        platform::KillWindowTimer(Handle(), kScrollTimer);
    }
}

// ---- mouse ------------------------------------------------------------------------------------------------

void TbsSkinPopupWindow::MouseTimerProc() {
    if (!ParentMenu || !HandleAllocated()) return;
    POINT c;
    GetCursorPos(&c);
    const TPoint p = ScreenToClient(TPoint(c.x, c.y));
    if (p.x == OMX && p.y == OMY) return;
    if (WindowFromPoint(c) == Handle()) TrackMouse(p.x, p.y);
    else if (Scroll && ScrollCode != 0) {
        ScrollCode = 0;
        Repaint();
    }
    OMX = p.x;
    OMY = p.y;
}

void TbsSkinPopupWindow::TrackMouse(int X, int Y) {
    if (!ParentMenu) return;
    const POINT pt{X, Y};
    if (Scroll) {
        const TRect top = TopScrollArea(), bottom = BottomScrollArea();
        if (PtInRect(&top, pt) && ScrollCode == 0 && CanScroll(1)) {
            ScrollCode = 1;
            Repaint();
            StartScroll();
        } else if (PtInRect(&bottom, pt) && ScrollCode == 0 && CanScroll(2)) {
            ScrollCode = 2;
            Repaint();
            StartScroll();
        } else if (ScrollCode != 0 && !PtInRect(&top, pt) && !PtInRect(&bottom, pt)) StopScroll();
    }
    if (ItemList.empty()) return;
    OldActiveItem = ActiveItem;
    for (size_t i = 0; i < ItemList.size(); ++i)
        if (ItemList[i]->FVisible && PtInRect(&ItemList[i]->ObjectRect, pt)) {
            ActiveItem = static_cast<int>(i);
            break;
        }
    const int n = static_cast<int>(ItemList.size());
    if (ActiveItem >= n) ActiveItem = -1;
    if (OldActiveItem >= n) OldActiveItem = -1;
    if (ActiveItem == OldActiveItem) {
        if (ActiveItem == -1) return;
        TbsSkinMenuItem* e = ItemList[static_cast<size_t>(ActiveItem)].get();
        if (e->WaitCommand) {
            e->WaitCommand = false;
            if (e->MenuItem->Count() > 0) e->MouseEnter(false);
        }
        return;
    }
    if (OldActiveItem != -1) {
        TbsSkinMenuItem* old = ItemList[static_cast<size_t>(OldActiveItem)].get();
        if (IsMenuSelectable(old->MenuItem)) old->MouseLeave();
    }
    if (ActiveItem != -1 && ParentMenu) {
        TbsSkinMenuItem* e = ItemList[static_cast<size_t>(ActiveItem)].get();
        if (IsMenuSelectable(e->MenuItem)) e->MouseEnter(false);
    }
}

void TbsSkinPopupWindow::MouseUpAt(int X, int Y) {
    TrackMouse(X, Y);
    if (!ParentMenu || ActiveItem == -1) return;
    const POINT pt{X, Y};
    bool inEntry = false;
    for (auto& e : ItemList)
        if (e->FVisible && PtInRect(&e->ObjectRect, pt)) inEntry = true;
    TbsSkinMenuItem* e = ItemList[static_cast<size_t>(ActiveItem)].get();
    if (inEntry && !IsMenuSeparator(e->MenuItem)) e->MouseDown(X, Y);
}

// ---- keys -------------------------------------------------------------------------------------------------

// Brings the highlighted entry into the shown range of a scrolling level.
static void KeepActiveShown(TbsSkinPopupWindow* w) {
    if (!w->Scroll || w->ActiveItem < 0) return;
    bool moved = false;
    while (w->ActiveItem < w->VisibleStartIndex) {
        --w->VisibleStartIndex;
        w->CalcItemRects();
        moved = true;
    }
    while (w->ActiveItem >= w->VisibleStartIndex + w->VisibleCount && w->CanScroll(2)) {
        ++w->VisibleStartIndex;
        w->CalcItemRects();
        moved = true;
    }
    if (moved) w->Repaint();
}

void TbsSkinPopupWindow::NextItem() {
    const int n = static_cast<int>(ItemList.size());
    if (n == 0) return;
    if (Scroll && ScrollCode == 0 && VisibleStartIndex + VisibleCount == ActiveItem + 1) ScrollDown(true);
    OldActiveItem = ActiveItem;
    int i = ActiveItem + 1;
    if (ActiveItem < 0 || i >= n) i = 0;
    for (; i < n; ++i) {
        TbsSkinMenuItem* e = ItemList[static_cast<size_t>(i)].get();
        if (IsMenuSelectable(e->MenuItem)) {
            ActiveItem = i;
            break;
        }
        if (Scroll && ScrollCode == 0 && VisibleStartIndex + VisibleCount == i + 1) ScrollDown(true);
    }
    KeepActiveShown(this);
    if (ActiveItem == OldActiveItem) return;
    ItemList[static_cast<size_t>(ActiveItem)]->MouseEnter(true);
    if (OldActiveItem >= 0 && ParentMenu) ItemList[static_cast<size_t>(OldActiveItem)]->MouseLeave();
}

void TbsSkinPopupWindow::PriorItem() {
    const int n = static_cast<int>(ItemList.size());
    if (n == 0) return;
    if (Scroll && ScrollCode == 0 && ActiveItem == VisibleStartIndex) ScrollUp(true);
    OldActiveItem = ActiveItem;
    int i = ActiveItem - 1;
    if (ActiveItem < 0 || i < 0) i = n - 1;
    for (; i >= 0; --i) {
        TbsSkinMenuItem* e = ItemList[static_cast<size_t>(i)].get();
        if (IsMenuSelectable(e->MenuItem)) {
            ActiveItem = i;
            break;
        }
        if (Scroll && ScrollCode == 0 && i == VisibleStartIndex) ScrollUp(true);
    }
    KeepActiveShown(this);
    if (ActiveItem == OldActiveItem) return;
    ItemList[static_cast<size_t>(ActiveItem)]->MouseEnter(true);
    if (OldActiveItem >= 0 && ParentMenu) ItemList[static_cast<size_t>(OldActiveItem)]->MouseLeave();
}

void TbsSkinPopupWindow::CloseFromHere() {
    TbsSkinMenu* menu = ParentMenu;
    const int own = LevelIndex();
    if (own >= 1) {
        TbsSkinPopupWindow* parent = menu->FPopupList[static_cast<size_t>(own - 1)];
        if (parent->ActiveItem >= 0) {
            TbsSkinMenuItem* e = parent->ItemList[static_cast<size_t>(parent->ActiveItem)].get();
            e->Down = false;
            e->ReDraw();
        }
    }
    menu->CloseLevels(static_cast<int>(menu->FPopupList.size()) - 1);
}

void TbsSkinPopupWindow::PopupKeyDown(int CharCode) {
    if (!Visible() || !ParentMenu) return;
    for (size_t i = 0; i < ItemList.size(); ++i) {
        TbsSkinMenuItem* e = ItemList[i].get();
        if (!Enabled() || !IsAccel(static_cast<WORD>(CharCode), e->MenuItem->Caption())) continue;
        e->MouseEnter(false);
        OldActiveItem = ActiveItem;
        ActiveItem = static_cast<int>(i);
        if (OldActiveItem != -1 && OldActiveItem != ActiveItem && ParentMenu)
            ItemList[static_cast<size_t>(OldActiveItem)]->MouseLeave();
        if (ParentMenu) e->MouseDown(0, 0);
        return;
    }
    switch (CharCode) {
    case VK_RETURN:
        if (ActiveItem >= 0) ItemList[static_cast<size_t>(ActiveItem)]->MouseDown(0, 0);
        break;
    case VK_ESCAPE: CloseFromHere(); break;
    case VK_LEFT:
        if (ParentMenu->FPopupList.size() >= 2) CloseFromHere();
        break;
    case VK_RIGHT:
        if (ActiveItem >= 0 && ItemList[static_cast<size_t>(ActiveItem)]->MenuItem->Count() > 0)
            ItemList[static_cast<size_t>(ActiveItem)]->MouseDown(0, 0);
        break;
    case VK_DOWN: NextItem(); break;
    case VK_UP: PriorItem(); break;
    default: break;
    }
}
