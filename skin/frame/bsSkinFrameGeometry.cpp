// TbsSkinFrame: the frame's geometry at the current size, the client
// rectangle, the layout of the frame objects and hit testing.
#include <algorithm>

#include "platform/ImgList.h"
#include "skin/bsUtils.h"
#include "skin/frame/bsSkinFrame.h"

namespace {

TPoint Moved(const TPoint& p, int dx, int dy) { return TPoint(p.x + dx, p.y + dy); }

bool InRect(const TRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

// ---- geometry ---------------------------------------------------------------------------------

void TbsSkinFrame::CalcRects() {
    if (!FSD || FSD->Empty) return;
    if (FFormWidth == 0) FFormWidth = FForm->Width();
    if (FFormHeight == 0) FFormHeight = FForm->Height();
    const int W0 = FSD->FPicture->Width(), H0 = FSD->FPicture->Height();
    const int dW = FFormWidth - W0, dH = FFormHeight - H0;
    NewLTPoint = FSD->LTPoint;
    NewRTPoint = Moved(FSD->RTPoint, dW, 0);
    NewLBPoint = Moved(FSD->LBPoint, 0, dH);
    NewRBPoint = Moved(FSD->RBPoint, dW, dH);
    const TRect& cl = FSD->ClRect;
    NewClRect = TRect(cl.left, cl.top, cl.right + dW, cl.bottom + dH);
    NewCaptionRect = FSD->CaptionRect;
    if (!IsNullRect(NewCaptionRect)) NewCaptionRect.right += dW;
    NewButtonsRect = FSD->ButtonsRect;
    NewButtonsInLeft = FSD->CapButtonsInLeft;
    if (!IsNullRect(FSD->ButtonsRect) && FSD->ButtonsRect.left > W0 / 2) NewButtonsRect.Offset(dW, 0);
    NewButtonsOffset = FSD->ButtonsOffset;
    NewHitTestLTPoint = FSD->HitTestLTPoint;
    NewHitTestRTPoint = Moved(FSD->HitTestRTPoint, dW, 0);
    NewHitTestLBPoint = Moved(FSD->HitTestLBPoint, 0, dH);
    NewHitTestRBPoint = Moved(FSD->HitTestRBPoint, dW, dH);
    const TRect& m = FSD->MaskRectArea;
    NewMaskRectArea = TRect(m.left, m.top, m.right + dW, m.bottom + dH);
}

void TbsSkinFrame::CalcClientRect(RECT& r) {
    const bool whole = FForm->BorderStyle() == bsNone || (FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized);
    if (whole) return;
    if (FSD && !FSD->Empty) {
        CalcRects();
        const TRect& cl = FSD->ClRect;
        r.left += cl.left;
        r.top += cl.top;
        r.right -= FSD->FPicture->Width() - cl.right;
        r.bottom -= FSD->FPicture->Height() - cl.bottom;
    } else {
        r.left += 3;
        r.top += GetDefCaptionHeight() + 3;
        r.right -= 3;
        r.bottom -= 3;
    }
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
}

TRect TbsSkinFrame::CalcObjectRect(const TRect& R) const {
    const int W0 = FSD->FPicture->Width(), H0 = FSD->FPicture->Height();
    const TRect LT(0, 0, FSD->LTPoint.x, FSD->LTPoint.y);
    const TRect RT(FSD->RTPoint.x, 0, W0, FSD->RTPoint.y);
    const TRect LB(0, FSD->LBPoint.y, FSD->LBPoint.x, H0);
    const TRect RB(FSD->RBPoint.x, FSD->RBPoint.y, W0, H0);
    const int dx = NewRBPoint.x - FSD->RBPoint.x, dy = NewRBPoint.y - FSD->RBPoint.y;
    const TPoint tl(R.left, R.top), br(R.right, R.bottom);
    TRect r = R;
    if (RectInRect(R, LT)) return r;
    if (RectInRect(R, RT)) return r.Offset(dx, 0), r;
    if (RectInRect(R, LB)) return r.Offset(0, dy), r;
    if (RectInRect(R, RB)) return r.Offset(dx, dy), r;
    const auto in = [](const TRect& z, const TPoint& p) { return IsPointInRect(z, p); };
    if (in(LT, tl) && in(RB, br)) return r.right += dx, r.bottom += dy, r;
    if (in(LT, tl) && in(RT, br)) return r.right += dx, r;
    if (in(LB, tl) && in(RB, br)) return r.right += dx, r.Offset(0, dy), r;
    if (in(LT, tl) && in(LB, br)) return r.bottom += dy, r;
    if (in(RT, tl) && in(RB, br)) return r.Offset(dx, 0), r.bottom += dy, r;
    return r;
}

namespace {

// The first visible in-picture std button or animated object of command c.
TbsActiveSkinObject* ButtonOf(const std::vector<std::unique_ptr<TbsActiveSkinObject>>& list, TbsStdCommand c,
                              TbsActiveSkinObject* after = nullptr) {
    bool past = after == nullptr;
    for (auto& o : list) {
        if (!past) {
            past = o.get() == after;
            continue;
        }
        if (!o->Visible || !o->SkinRectInAPicture) continue;
        if (auto* s = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); s && s->Command == c) return s;
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()); a && a->Command == c) return a;
    }
    return nullptr;
}

TbsSkinCaptionObject* CaptionOf(const std::vector<std::unique_ptr<TbsActiveSkinObject>>& list) {
    for (auto& o : list)
        if (auto* c = dynamic_cast<TbsSkinCaptionObject*>(o.get())) return c;
    return nullptr;
}

}  // namespace

void TbsSkinFrame::ArrangeObjects() {
    for (auto& o : ObjectList)
        if (!o->SkinRectInAPicture) o->ObjectRect = CalcObjectRect(o->SkinRect);
    TRect row = !IsNullRect(NewButtonsRect) ? NewButtonsRect : NewCaptionRect;
    if (IsNullRect(row)) return;
    const int top = row.top;
    const auto sizeOf = [this](TbsActiveSkinObject* o) {
        auto* s = dynamic_cast<TbsSkinStdButtonObject*>(o);
        if (s && s->Command == cmSysMenu && FShowIcon) return GetIconSize();
        return TPoint(o->SkinRect.Width(), o->SkinRect.Height());
    };
    std::vector<TbsActiveSkinObject*> order;
    for (TbsStdCommand c : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        if (auto* o = ButtonOf(ObjectList, c)) order.push_back(o);
    for (auto* o = ButtonOf(ObjectList, cmDefault); o; o = ButtonOf(ObjectList, cmDefault, o)) order.push_back(o);
    TbsSkinCaptionObject* caption = CaptionOf(ObjectList);
    TbsActiveSkinObject* sys = ButtonOf(ObjectList, cmSysMenu);
    if (!NewButtonsInLeft) {
        int x = row.right;
        for (auto* o : order) {
            const TPoint s = sizeOf(o);
            o->ObjectRect = TRect(x - s.x, top, x, top + s.y);
            x -= s.x + NewButtonsOffset;
        }
        if (IsNullRect(NewButtonsRect) && caption) caption->ObjectRect.right = x + NewButtonsOffset;
        x = NewCaptionRect.left;
        if (sys) {
            const TPoint s = sizeOf(sys);
            const int t = NewCaptionRect.top + NewCaptionRect.Height() / 2 - s.y / 2;
            sys->ObjectRect = TRect(x, t, x + s.x, t + s.y);
            x += s.x + NewButtonsOffset;
            if (caption) caption->ObjectRect.left = x - NewButtonsOffset;
        }
        return;
    }
    int x = row.left;
    if (IsNullRect(NewButtonsRect) && sys) order.push_back(sys);
    for (auto* o : order) {
        const TPoint s = sizeOf(o);
        o->ObjectRect = TRect(x, top, x + s.x, top + s.y);
        x += s.x + NewButtonsOffset;
    }
    if (IsNullRect(NewButtonsRect) && caption) caption->ObjectRect.left = x + NewButtonsOffset;
}

int TbsSkinFrame::GetDefCaptionHeight() const {
    const auto bs = FForm->BorderStyle();
    return bs == bsToolWindow || bs == bsSizeToolWin ? 15 : 19;
}

int TbsSkinFrame::GetDefButtonSize() const {
    const auto bs = FForm->BorderStyle();
    return bs == bsToolWindow || bs == bsSizeToolWin ? 13 : 17;
}

TPoint TbsSkinFrame::GetIconSize() {
    int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
    if (w == 0) w = GetSystemMetrics(SM_CXSIZE);
    if (h == 0) h = GetSystemMetrics(SM_CYSIZE);
    return TPoint(w, h);
}

void TbsSkinFrame::CalcDefRects() {
    if (ObjectList.empty()) return;
    if (FFormWidth == 0) FFormWidth = FForm->Width();
    if (FFormHeight == 0) FFormHeight = FForm->Height();
    int x = FFormWidth - 3;
    const int S = GetDefButtonSize();
    NewDefCaptionRect = TRect(3, 3, FFormWidth - 3, GetDefCaptionHeight());
    const auto stdOf = [this](TbsStdCommand c) -> TbsSkinStdButtonObject* {
        for (auto& o : ObjectList)
            if (auto* s = dynamic_cast<TbsSkinStdButtonObject*>(o.get());
                s && s->Command == c && s->Visible && s->SkinRectInAPicture)
                return s;
        return nullptr;
    };
    for (TbsStdCommand c : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        if (auto* o = stdOf(c)) {
            o->ObjectRect = TRect(x - S, 4, x, 4 + S);
            x -= S;
        }
    NewDefCaptionRect.right = x;
    x = NewDefCaptionRect.left;
    if (auto* o = stdOf(cmSysMenu)) {
        const TPoint s = FShowIcon ? GetIconSize() : TPoint(S, S);
        o->ObjectRect = TRect(x, 4, x + s.x, 4 + s.y);
        NewDefCaptionRect.left = x + s.x;
    }
}

TRect TbsSkinFrame::GetDefCaptionRect() {
    CalcDefRects();
    return NewDefCaptionRect;
}

void TbsSkinFrame::PointToWindow(TPoint& P) const {
    if (FForm->FormStyle() == fsMDIChild) {
        P = FForm->ScreenToClient(P);
        if (FSkinSupport) P = TPoint(P.x + NewClRect.left, P.y + NewClRect.top);
        else P = TPoint(P.x + 3, P.y + GetDefCaptionHeight() + 3);
        return;
    }
    RECT wr{};
    if (FForm->HandleAllocated()) GetWindowRect(const_cast<TCustomForm*>(FForm)->Handle(), &wr);
    P = TPoint(P.x - wr.left, P.y - wr.top);
}

void TbsSkinFrame::CreateObjects() {
    ClearObjects();
    for (auto& rec : FSD->ObjectList) {
        TbsDataSkinObject* d = rec.get();
        if (dynamic_cast<TbsDataSkinMainMenuItem*>(d) || dynamic_cast<TbsDataSkinMenuItem*>(d) ||
            dynamic_cast<TbsDataSkinMainMenuBarButton*>(d))
            continue;
        std::unique_ptr<TbsActiveSkinObject> o;
        if (dynamic_cast<TbsDataSkinStdButton*>(d)) o = std::make_unique<TbsSkinStdButtonObject>(this, d);
        else if (dynamic_cast<TbsDataSkinButton*>(d)) o = std::make_unique<TbsSkinButtonObject>(this, d);
        else if (dynamic_cast<TbsDataSkinCaption*>(d)) o = std::make_unique<TbsSkinCaptionObject>(this, d);
        else if (dynamic_cast<TbsDataSkinAnimate*>(d)) o = std::make_unique<TbsSkinAnimateObject>(this, d);
        else if (dynamic_cast<TbsDataUserObject*>(d)) o = std::make_unique<TbsUserObject>(this, d);
        if (o) ObjectList.push_back(std::move(o));
    }
}

void TbsSkinFrame::CreateDefaultObjects() {
    ClearObjects();
    const struct {
        TbsStdCommand c;
        const wchar_t* name;
    } defs[] = {{cmClose, L"closebutton"},     {cmMaximize, L"maxbutton"},      {cmMinimize, L"minbutton"},
                {cmRollUp, L"rollupbutton"},   {cmSysMenu, L"sysmenubutton"},   {cmMinimizeToTray, L"traybutton"}};
    for (const auto& d : defs) {
        auto o = std::make_unique<TbsSkinStdButtonObject>(this, nullptr);
        o->SkinRectInAPicture = true;
        o->SkinRect = o->ActiveSkinRect = o->DownRect = TRect(0, 0, 1, 1);
        o->Command = d.c;
        o->IDName = d.name;
        ObjectList.push_back(std::move(o));
    }
    CheckObjects();
}

void TbsSkinFrame::ClearObjects() {
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    ObjectList.clear();
}

// ---- hit testing ------------------------------------------------------------------------------------

bool TbsSkinFrame::CanResize() const {
    const auto bs = FForm->BorderStyle();
    return AlwaysResize || bs == bsSizeable || bs == bsSizeToolWin;
}

int TbsSkinFrame::DefaultHitTest(TPoint P) {
    const int W = FForm->Width(), H = FForm->Height(), x = P.x, y = P.y;
    if (!IsMaximized() && !FRollUpState && !IsMinimized() && CanResize()) {
        if (ActiveObject != -1) return HTOBJECT;
        if (x <= 2 && y <= 2) return HTTOPLEFT;
        if (x >= W - 2 && y <= 2) return HTTOPRIGHT;
        if (x <= 2 && y >= H - 2) return HTBOTTOMLEFT;
        if (x >= W - 2 && y >= H - 2) return HTBOTTOMRIGHT;
        if (x <= 2) return HTLEFT;
        if (y <= 2) return HTTOP;
        if (x >= W - 2) return HTRIGHT;
        if (y >= H - 2) return HTBOTTOM;
    }
    if (IsPointInRect(GetDefCaptionRect(), P)) return HTCAPTION;
    if (InRect(TRect(3, GetDefCaptionHeight() + 3, W - 3, H - 3), x, y)) return HTCLIENT;
    return HTOBJECT;
}

bool TbsSkinFrame::InCaptionDragArea(TPoint P) const {
    for (auto& o : ObjectList) {
        auto* c = dynamic_cast<TbsSkinCaptionObject*>(o.get());
        if (!c || !IsPointInRect(c->ObjectRect, P)) continue;
        if (const_cast<TbsSkinFrame*>(this)->QuickButtons()->Count() > 0 && FQuickImageList) {
            TRect r = c->ObjectRect;
            r.left += FQuickButtons.Count() * (FQuickImageList->Width() + 8);
            return IsPointInRect(r, P);
        }
        return true;
    }
    return false;
}

int TbsSkinFrame::SkinHitTest(TPoint P) {
    const int W = FForm->Width(), H = FForm->Height(), x = P.x, y = P.y;
    if (!FRollUpState && !IsMinimized()) {
        if (ActiveObject != -1 && !InCaptionDragArea(P) && !IsPointInRect(NewClRect, P) && !FSizeMove)
            return HTOBJECT;
        if (!IsMaximized() && CanResize()) {
            const int B = FSD->BorderW;
            const TPoint probes[] = {TPoint(x - B, y), TPoint(x, y - B), TPoint(x + B, y), TPoint(x, y + B)};
            bool edge = false;
            const bool hasMask = FSD->FMask && !FSD->FMask->Empty();
            for (const TPoint& q : probes) {
                if (!hasMask) edge = edge || !InRect(TRect(0, 0, W, H), q.x, q.y);
                else edge = edge || (!IsPointInRect(NewMaskRectArea, P) && !PtInMask(q));
            }
            if (!edge) {
                if (IsPointInRect(NewClRect, P)) return HTCLIENT;
                return InCaptionDragArea(P) ? HTCAPTION : HTOBJECT;
            }
            if (x <= NewHitTestLTPoint.x && y <= NewHitTestLTPoint.y) return HTTOPLEFT;
            if (x >= NewHitTestRTPoint.x && y <= NewHitTestRTPoint.y) return HTTOPRIGHT;
            if (x <= NewHitTestLBPoint.x && y >= NewHitTestLBPoint.y) return HTBOTTOMLEFT;
            if (x >= NewHitTestRBPoint.x && y >= NewHitTestRBPoint.y) return HTBOTTOMRIGHT;
            if (InRect(TRect(NewHitTestLTPoint.x, 0, NewHitTestRTPoint.x, NewClRect.top), x, y)) return HTTOP;
            if (InRect(TRect(NewHitTestLBPoint.x, NewClRect.bottom, NewHitTestRBPoint.x, H), x, y)) return HTBOTTOM;
            if (InRect(TRect(0, NewHitTestLTPoint.y, NewClRect.left, NewHitTestLBPoint.y), x, y)) return HTLEFT;
            if (InRect(TRect(NewClRect.right, NewHitTestRTPoint.y, W, NewHitTestRBPoint.y), x, y)) return HTRIGHT;
        }
        if (IsPointInRect(NewClRect, P)) return HTCLIENT;
    }
    return InCaptionDragArea(P) ? HTCAPTION : HTOBJECT;
}
