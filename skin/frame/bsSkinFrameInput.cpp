// TbsSkinFrame: hover tracking, routing of non-client mouse input to the
// frame objects, the objects' states from BorderIcons, hints, the timers
// and the caption's active state.
#include "platform/Menus.h"
#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsLayer.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinFramePanel.h"

void TbsSkinFrame::TestActive(int X, int Y, bool AFlag) {
    if (ObjectList.empty() || !GetFormActive() || FSizeMove || FBorderLayerChangeSize || PreviewMode) return;
    if (!FrameDrawn()) return;
    OldActiveObject = ActiveObject;
    int hit = -1;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto& o = ObjectList[i];
        if (!o->Enabled || !o->Visible || !IsPointInRect(o->ObjectRect, TPoint(X, Y))) continue;
        if (!o->PointInMask(X - o->ObjectRect.left, Y - o->ObjectRect.top)) continue;
        hit = static_cast<int>(i);
        break;
    }
    ActiveObject = AFlag ? hit : -1;
    if (MouseCaptureObject != -1 && MouseCaptureObject != ActiveObject && ActiveObject != -1) ActiveObject = -1;
    if (ActiveObject >= static_cast<int>(ObjectList.size())) ActiveObject = -1;
    if (ActiveObject == OldActiveObject) return;
    if (OldActiveObject >= 0 && OldActiveObject < static_cast<int>(ObjectList.size())) {
        auto& o = ObjectList[static_cast<size_t>(OldActiveObject)];
        if (o->Enabled && o->Visible) {
            o->MouseLeave();
            if (!o->Hint.empty()) HideObjectHint();
        }
    }
    if (ActiveObject >= 0) {
        auto& o = ObjectList[static_cast<size_t>(ActiveObject)];
        if (o->Enabled && o->Visible) {
            o->MouseEnter();  // a caption button takes its hint for the state here
            ShowObjectHintOf(o.get());
        }
    }
}

void TbsSkinFrame::MouseTimerProc() {
    if (!GetFormActive()) return;
    POINT c;
    GetCursorPos(&c);
    if (WindowFromPoint(c) != FForm->Handle()) {
        MouseTimer->SetEnabled(false);
        TestActive(-1, -1, false);
        return;
    }
    if (FSizeMove || FBorderLayerChangeSize) {
        MouseTimer->SetEnabled(false);
        return;
    }
    TPoint p(c.x, c.y);
    PointToWindow(p);
    if (!IsPointInRect(NewClRect, p)) TestActive(p.x, p.y, true);
    else if (ActiveObject != -1) TestActive(-1, -1, true);
}

void TbsSkinFrame::ObjectsMouseMove(int X, int Y) {
    const int i = MouseCaptureObject != -1 ? MouseCaptureObject : ActiveObject;
    if (i >= 0 && i < static_cast<int>(ObjectList.size())) ObjectList[static_cast<size_t>(i)]->MouseMove(X, Y);
}

void TbsSkinFrame::ObjectsDblClick() {
    if (ActiveObject >= 0 && ActiveObject < static_cast<int>(ObjectList.size()))
        ObjectList[static_cast<size_t>(ActiveObject)]->DblClick();
}

void TbsSkinFrame::ObjectsMouseDown(TMouseButton Button, int X, int Y) {
    if (ActiveObject < 0 || ActiveObject >= static_cast<int>(ObjectList.size())) return;
    TbsActiveSkinObject* o = ObjectList[static_cast<size_t>(ActiveObject)].get();
    if (!dynamic_cast<TbsSkinCaptionObject*>(o)) SetCapture(FForm->Handle());
    MouseCaptureObject = ActiveObject;
    o->MouseDown(X, Y, Button);
}

void TbsSkinFrame::ObjectsMouseUp(TMouseButton Button, int X, int Y) {
    if (MouseCaptureObject < 0 || MouseCaptureObject >= static_cast<int>(ObjectList.size())) return;
    TbsActiveSkinObject* o = ObjectList[static_cast<size_t>(MouseCaptureObject)].get();
    if (!dynamic_cast<TbsSkinCaptionObject*>(o)) ReleaseCapture();
    MouseCaptureObject = -1;
    o->MouseUp(X, Y, Button);  // may close the form: nothing of the frame is used afterwards
}

namespace {

// Visible from Enabled for in-picture images, else always visible.
void ByPicture(TbsActiveSkinObject* o, bool enabled) {
    o->Enabled = enabled;
    o->Visible = o->SkinRectInAPicture ? enabled : true;
}

}  // namespace

void TbsSkinFrame::CheckObjects() {
    for (auto& up : ObjectList) {
        TbsActiveSkinObject* o = up.get();
        TbsStdCommand cmd;
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o)) {
            if (!FHideCaptionButtons && !a->ButtonStyle) continue;
            cmd = a->Command;
        } else if (auto* s = dynamic_cast<TbsSkinStdButtonObject*>(o)) cmd = s->Command;
        else continue;
        if (FHideCaptionButtons) {
            o->Enabled = false;
            o->Visible = !o->SkinRectInAPicture;
            continue;
        }
        switch (cmd) {
        case cmMaximize: ByPicture(o, FBorderIcons & biSkinMaximize); break;
        case cmMinimize: ByPicture(o, FBorderIcons & biSkinMinimize); break;
        case cmSysMenu: ByPicture(o, (FBorderIcons & biSkinSystemMenu) && !DisableSystemMenu); break;
        case cmRollUp: ByPicture(o, FBorderIcons & biRollUp); break;
        case cmMinimizeToTray: ByPicture(o, FBorderIcons & biMinimizeToTray); break;
        case cmDefault: {
            bool visible = false;
            if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, visible);
            o->Visible = visible;
            break;
        }
        case cmClose: ByPicture(o, true); break;  // back after the buttons were hidden
        }
    }
    UpdateObjectHints();
}

void TbsSkinFrame::SetBorderIcons(TbsBorderIcons Value) {
    FBorderIcons = Value;
    if (Has(csDesigning) || Has(csLoading)) return;
    CheckObjects();
    RepaintFrame();
}

void TbsSkinFrame::UpdateObjectHints() {
    if (!UseDefaultObjectHint || !FSD) return;
    static const struct {
        TbsStdCommand c;
        const wchar_t* key;
        const wchar_t* text;
    } table[] = {{cmClose, L"CLOSEBUTTON_HINT", L"Close"},
                 {cmMaximize, L"MAXBUTTON_HINT", L"Maximize"},
                 {cmMinimize, L"MINBUTTON_HINT", L"Minimize"},
                 {cmSysMenu, L"MENUBUTTON_HINT", L"System menu"},
                 {cmRollUp, L"ROLLUPBUTTON_HINT", L"Roll Up"},
                 {cmMinimizeToTray, L"TRAYBUTTON_HINT", L"Minimize to Tray"}};
    TbsResourceStrData* rs = FSD->ResourceStrData();
    const auto text = [rs](const wchar_t* key, const wchar_t* builtIn) {
        return bsResText(rs, key, builtIn);
    };
    for (auto& up : ObjectList) {
        TbsStdCommand cmd;
        String *hint, *temp, *restore;
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(up.get())) {
            cmd = a->Command, hint = &a->Hint, temp = &a->FTempHint, restore = &a->RestoreHint;
        } else if (auto* s = dynamic_cast<TbsSkinStdButtonObject*>(up.get())) {
            cmd = s->Command, hint = &s->Hint, temp = &s->FTempHint, restore = &s->RestoreHint;
        } else continue;
        for (const auto& row : table)
            if (row.c == cmd) *hint = text(row.key, row.text);
        *temp = *hint;
        *restore = text(L"RESTORE_HINT", L"Restore");
    }
}

void TbsSkinFrame::AnimateTimerProc() {
    bool moved = false;
    for (auto& up : ObjectList) {
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(up.get())) {
            if (a->Active && (!a->FDown || IsNullRect(a->DownSkinRect))) {
                a->ChangeFrame();
                moved = true;
            }
        } else if (auto* c = dynamic_cast<TbsSkinCaptionObject*>(up.get()); c && c->EnableAnimation()) {
            if (c->FIncTime < c->AnimateInterval) {
                c->FIncTime += 25;
                moved = true;
                continue;
            }
            bool step = false;
            if (c->Active && c->CurrentFrame <= c->FrameCount) ++c->CurrentFrame, step = true;
            else if (!c->Active && c->CurrentFrame > 0) --c->CurrentFrame, step = true;
            if (step) {
                DrawSkinObject(c);
                c->FIncTime = 25;
                moved = true;
            }
        }
    }
    if (!moved) AnimateTimer->SetEnabled(false);
}

void TbsSkinFrame::MorphTimerProc() {
    bool stepped = false;
    for (auto& up : ObjectList)
        if (up->EnableMorphing() && up->CanMorphing()) {
            up->DoMorphing();
            stepped = true;
        }
    if (!stepped) MorphTimer->SetEnabled(false);
}

void TbsSkinFrame::ResetObjectsState() {
    for (auto& up : ObjectList) {
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(up.get())) {
            a->FMouseIn = false;
            a->Active = false;
            a->FFrame = 1;
        } else if (!dynamic_cast<TbsSkinCaptionObject*>(up.get())) {
            up->Active = false;
            up->FMouseIn = false;
            up->FMorphKf = 0;
        }
    }
}

void TbsSkinFrame::SetCaptionActive(bool AAnimate) {
    const bool A = GetFormActive();
    for (auto& up : ObjectList) {
        auto* c = dynamic_cast<TbsSkinCaptionObject*>(up.get());
        if (!c || c->Active == A) continue;
        c->Active = A;
        if (AAnimate) {
            if (c->EnableAnimation()) {
                c->FIncTime = 25;
                c->CurrentFrame = A ? 1 : (c->InActiveAnimation ? c->FrameCount : 0);
                AnimateTimer->SetEnabled(true);
            }
            RepaintFrame();
            if (c->EnableMorphing()) MorphTimer->SetEnabled(true);
        } else if (c->EnableMorphing()) c->FMorphKf = A ? 1 : 0;
        break;
    }
    if (A && OnActivate) OnActivate(this);
    if (!A && OnDeActivate) OnDeActivate(this);
}

void TbsSkinFrame::ShowClientInActiveEffect() {
    HideClientInActiveEffect();
    FClientPanel = new TbsClientInActivePanel(this);
    FClientInActiveDraw = true;
    FClientPanel->ShowPanel(FForm, ClientInActiveEffectType);
    FClientInActiveDraw = false;
}

void TbsSkinFrame::HideClientInActiveEffect() {
    if (!FClientPanel) return;
    TbsClientInActivePanel* p = FClientPanel;
    FClientPanel = nullptr;
    p->HidePanel();
    p->Free();
}

int TbsSkinFrame::GetIndex(const String& AIDName) const {
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == AIDName) return static_cast<int>(i);
    return -1;
}

void TbsSkinFrame::UserObjectDraw(const String& AIDName) {
    const int i = GetIndex(AIDName);
    if (i < 0) return;
    if (auto* u = dynamic_cast<TbsUserObject*>(ObjectList[static_cast<size_t>(i)].get())) u->Draw(FForm->Canvas(), true);
}

void TbsSkinFrame::LinkMenu(const String& AIDName, TPopupMenu* AMenu, bool APopupUp) {
    const int i = GetIndex(AIDName);
    if (i < 0 || !AMenu) return;
    TbsActiveSkinObject* o = ObjectList[static_cast<size_t>(i)].get();
    if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o)) {
        b->MenuItem = AMenu->Items();
        b->FPopupUp = APopupUp;
    } else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o); a && a->ButtonStyle) {
        a->MenuItem = AMenu->Items();
        a->FPopupUp = APopupUp;
    }
}

void TbsSkinFrame::ObjectPaintEvent(const String& n, TCanvas* c, const TRect& r) {
    if (OnPaintEvent) OnPaintEvent(n, c, r);
}
void TbsSkinFrame::ObjectMouseUpEvent(const String& n, int x, int y, const TRect& r, TMouseButton b) {
    if (OnMouseUpEvent) OnMouseUpEvent(n, x, y, r, b);
}
void TbsSkinFrame::ObjectMouseDownEvent(const String& n, int x, int y, const TRect& r, TMouseButton b) {
    if (OnMouseDownEvent) OnMouseDownEvent(n, x, y, r, b);
}
void TbsSkinFrame::ObjectMouseMoveEvent(const String& n, int x, int y, const TRect& r) {
    if (OnMouseMoveEvent) OnMouseMoveEvent(n, x, y, r);
}
void TbsSkinFrame::ObjectMouseEnterEvent(const String& n) {
    if (OnMouseEnterEvent) OnMouseEnterEvent(n);
}
void TbsSkinFrame::ObjectMouseLeaveEvent(const String& n) {
    if (OnMouseLeaveEvent) OnMouseLeaveEvent(n);
}
