// TbsSkinFrame: construction, the window procedure and its two dispatch
// passes, skin application and the walk over the form's controls, and the
// frame's window states.
#include "skin/frame/bsSkinFrame.h"

#include "skin/frame/bsFormLayerBorder.h"

#include <algorithm>

#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"
#include "skin/bsUtils.h"
#include "skin/bsUtilsLayer.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/frame/bsSkinFramePanel.h"
#include "skin/frame/bsSkinHint.h"
#include "skin/frame/bsSkinMenus.h"
#include "skin/frame/bsSkinMDITabsBar.h"
#include "skin/frame/bsTrayIcon.h"

// ---- construction ---------------------------------------------------------------------------

namespace {

TCustomForm* FormOwner(TComponent* owner) {
    auto* form = dynamic_cast<TCustomForm*>(owner);
    if (!form) throw Exception(L"Invalid class typecast: the skinned frame belongs on a form");
    return form;
}

void SetupDefFont(TFont& f, TColor color) {
    f.SetName(L"Arial");
    f.SetStyle(TFontStyles{fsBold});
    f.SetHeight(14);
    f.SetColor(color);
}

}  // namespace

TbsSkinFrame::TbsSkinFrame(TComponent* AOwner) : TComponent(FormOwner(AOwner)), FQuickButtons(this) {
    FIsVistaOs = IsVistaOrLater();
    FIsLayerEnabled = IsLayeredSupported();
    FLayerManager = new TbsLayerManager(this);
    FMenuLayerManager = new TbsLayerManager(this);
    FLayerBorder = new TbsFormLayerBorder(this, this);
    SetupDefFont(FDefCaptionFont, clBtnText);
    SetupDefFont(FDefInActiveCaptionFont, clBtnShadow);
    MouseTimer = NewStoppedTimer(this, 50, [this](TObject*) { MouseTimerProc(); });
    MorphTimer = NewStoppedTimer(this, 25, [this](TObject*) { MorphTimerProc(); });
    AnimateTimer = NewStoppedTimer(this, 25, [this](TObject*) { AnimateTimerProc(); });
    FDefMenuItemFont.SetName(L"Arial");
    FDefMenuItemFont.SetHeight(14);
    FDefMenuItemFont.SetStyle(TFontStyles{});

    FForm = static_cast<TCustomForm*>(AOwner);
    SkinMenu = new TbsSkinMenu(this, FForm);
    CreateSysTrayMenu();
    FForm->SetBorderIcons(0);
    FForm->SetAutoSize(false);
    FForm->SetAutoScroll(false);
    if (Has(csDesigning)) return;
    // A handler the form already had runs first, as the frame's own. The
    // link outlives the frame: a form whose frame went keeps its handler.
    OnShortCut = std::move(FForm->OnShortCut);
    FShortCutLink = std::make_shared<TShortCutLink>();
    FShortCutLink->frame = this;
    FForm->OnShortCut = [link = FShortCutLink](WORD key, TShiftState shift, bool& handled) {
        if (link->frame) link->frame->FormShortCut(key, shift, handled);
        else if (link->previous) link->previous(key, shift, handled);
    };
    hook_ = std::make_unique<TWindowProcHook>(FForm, [this](TMessage& m, const TWndMethod& next) {
        FormWindowProc(m, next);
    });
    if (FForm->HandleAllocated()) FForm->RecreateWnd();
}

TbsSkinFrame::~TbsSkinFrame() {
    FQuickButtons.BSF = nullptr;
    if (FShortCutLink) {
        FShortCutLink->frame = nullptr;
        FShortCutLink->previous = std::move(OnShortCut);
    }
    UnHookApp();
    if (SkinMenu) {
        SkinMenu->OnMenuClose = nullptr;
        delete SkinMenu;
        SkinMenu = nullptr;
    }
    ClearObjects();
    HideClientInActiveEffect();
    UnhookMDIClient();
    hook_.reset();  // the form's previous procedure is in force again
    if (FForm && !FForm->Has(csDestroying) && FForm->HandleAllocated()) {
        HWND h = FForm->Handle();
        if (FRgn) SetWindowRgn(h, nullptr, TRUE);  // the window frees the region
        SetWindowPos(h, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FRgn = nullptr;
}

void TbsSkinFrame::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) {
        // A store that goes takes the skinned look with it.
        FSD = nullptr;
        FSkinSupport = false;
        MorphTimer->SetEnabled(false);
        AnimateTimer->SetEnabled(false);
        ClearObjects();
    }
    if (AComponent == FMSD) FMSD = nullptr;
    if (AComponent == SystemMenu) SystemMenu = nullptr;
    if (AComponent == FTrayIcon) FTrayIcon = nullptr;
    if (MDITabsBar && AComponent == MDITabsBar) MDITabsBar = nullptr;
    if (AComponent == static_cast<TComponent*>(FStatusBar)) FStatusBar = nullptr;
    if (AComponent == FQuickImageList) FQuickImageList = nullptr;
    if (AComponent == FSkinHint) FSkinHint = nullptr;
    if (AComponent == FClientPanel) FClientPanel = nullptr;
}

bool TbsSkinFrame::GetFormActive() const {
    if (PreviewMode) return true;
    if (FForm->FormStyle() == fsMDIChild || FForm->FormStyle() == fsMDIForm) return FFormActive;
    return FForm->Active();
}

void TbsSkinFrame::SetEnabled(const String& AIDName, bool Value) {
    const int i = GetIndex(AIDName);
    if (i >= 0) ObjectList[static_cast<size_t>(i)]->Enabled = Value;
}

void TbsSkinFrame::SetShowIcon(bool v) {
    FShowIcon = v;
    if (!Has(csDesigning) && !Has(csLoading)) RepaintFrame();
}

// ---- small tests ----------------------------------------------------------------------------

bool TbsSkinFrame::FrameDrawn() const {
    if (FForm->BorderStyle() == bsNone) return false;
    return !(FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized);
}

bool TbsSkinFrame::IsMaximized() const {
    return FWindowState == wsMaximized || (FForm->HandleAllocated() && IsZoomed(FForm->Handle()));
}

bool TbsSkinFrame::IsMinimized() const {
    return FWindowState == wsMinimized || (FForm->HandleAllocated() && IsIconic(FForm->Handle()));
}

void TbsSkinFrame::RepaintFrame() {
    if (FForm->HandleAllocated()) SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
}

TPoint TbsSkinFrame::MessagePoint(const TMessage& m) const {
    TPoint p(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
    PointToWindow(p);
    return p;
}

// ---- the window procedure -------------------------------------------------------------------

void TbsSkinFrame::FormWindowProc(TMessage& m, const TWndMethod& next) {
    // A form being destroyed is no longer whole: its last messages go on untouched.
    if (FForm->Has(csDestroying)) return next(m);
    CheckPopupCloseMessage(m);
    if (FirstPass(m, next)) return;
    next(m);
    SecondPass(m);
}

void TbsSkinFrame::CheckPopupCloseMessage(const TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEACTIVATE: case WM_ACTIVATE: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: case WM_KILLFOCUS: case WM_MOVE: case WM_SIZE: case WM_CANCELMODE:
        if (FLayerManager && FLayerManager->IsVisible && m.Msg != WM_MOUSEACTIVATE) FLayerManager->Hide();
        break;
    default: break;
    }
    if (IsPopupCloseMessage(m.Msg)) {
        HideObjectHint();
        ClosePopupsFor(m);
    }
}

bool TbsSkinFrame::HandlePaintToDC(TMessage& m, LRESULT answer, bool always) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    bool painted = false;
    if (dc && FrameDrawn()) {
        if (FSkinSupport) PaintNCSkin(dc, true);
        else PaintNCDefault(dc, true);
        painted = true;
    }
    m.Result = (painted || always) ? answer : 0;
    return true;
}

// Table 1: true when the message was handled (not passed on).
bool TbsSkinFrame::FirstPass(TMessage& m, const TWndMethod& next) {
    const bool skinnable = FSkinnableForm;
    if (HandleMDIMessage(m)) return true;
    switch (m.Msg) {
    case WM_DESTROY:
        FRgn = nullptr;  // the window frees its region with itself
        MouseTimer->SetEnabled(false);
        MorphTimer->SetEnabled(false);
        AnimateTimer->SetEnabled(false);
        if (FForm->FormStyle() == fsMDIChild) ChildGoing();
        return false;
    case WM_SIZE:
        HandleSize(m, next);
        return true;
    case WM_SIZING:
        if (!(FSizeMove && FFullDrag) || !m.LParam) return false;
        HandleSizing(m, next);
        return false;
    case WM_MOUSEACTIVATE:
        MDIChildMouseActivate();
        return false;
    case WM_ACTIVATE:
        if (!skinnable) return false;
        HandleActivate(m, next);
        return true;
    case WM_SETTEXT:
        if (!skinnable) return false;
        next(m);
        if (FrameDrawn()) RepaintFrame();
        if (FForm->FormStyle() == fsMDIChild) {
            UpDateChildCaptionInMenu(FForm);
            RefreshMDIBarTab(FForm);
        }
        return true;
    case WM_ERASEBKGND:
        if (FForm->FormStyle() == fsMDIForm && !FClientInActiveDraw) return false;
        PaintClientBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return true;
    case WM_SHOWWINDOW:
        if (m.WParam && LayerFrameActive()) {
            FLayerBorder->InitFrame(FSD, FForm);
        } else if (!m.WParam) {
            FLayerBorder->Hide();
        }
        if (m.WParam) FForm->SetMenu(nullptr);
        if (m.WParam) HookMDIClient();
        // A form sized before its window existed was given the kept client
        // size as its whole size: the skin's borders are known only now.
        if (m.WParam && !FClientSizeShown && FWindowState == wsNormal) {
            FClientSizeShown = true;
            ApplyClientSize();
        }
        StartShow(m.WParam != 0);
        if (skinnable && FForm->FormStyle() == fsMDIChild) {
            // The main form's window menu and tab bar list the shown children.
            if (m.WParam) {
                AddChildToMenu(FForm);
                AddChildToBar(FForm);
            } else {
                DeleteChildFromMenu(FForm);
                DeleteChildFromBar(FForm);
            }
        }
        if (!m.WParam && skinnable) {
            if (FLayerManager->IsVisible) FLayerManager->Hide();
            if (FMenuLayerManager->IsVisible) FMenuLayerManager->Hide();
        }
        return false;
    case WM_SETCURSOR:
        if (skinnable && UseFormCursorInNCArea) {
            const WORD code = LOWORD(m.LParam);
            switch (code) {
            case HTCLIENT: case HTLEFT: case HTRIGHT: case HTTOP: case HTTOPLEFT: case HTTOPRIGHT: case HTBOTTOM:
            case HTBOTTOMLEFT: case HTBOTTOMRIGHT: break;
            default: m.LParam = MAKELPARAM(HTCLIENT, HIWORD(m.LParam));
            }
        }
        return false;
    case WM_GETMINMAXINFO:
        if (skinnable) {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(m.LParam);
            mmi->ptMinTrackSize = POINT{GetMinWidth(), GetMinHeight()};
            mmi->ptMaxTrackSize = POINT{GetMaxWidth(), GetMaxHeight()};
        }
        return false;
    case WM_NCCALCSIZE:
        if (!skinnable) return false;
        CalcClientRect(m.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                                : *reinterpret_cast<RECT*>(m.LParam));
        m.Result = 0;
        return true;
    case WM_NCHITTEST: {
        if (!skinnable) return false;
        const TPoint p = MessagePoint(m);
        m.Result = FSkinSupport ? SkinHitTest(p) : DefaultHitTest(p);
        if (!MouseTimer->Enabled() && m.Result == HTOBJECT) {
            TestActive(p.x, p.y, true);
            MouseTimer->SetEnabled(true);
        }
        return true;
    }
    case WM_NCPAINT:
        if (!skinnable) return false;
        if (FrameDrawn()) {
            if (FSkinSupport) PaintNCSkin(nullptr, false);
            else if (!FStopPainting) PaintNCDefault(nullptr, false);
        }
        m.Result = 0;
        return true;
    case WM_NCACTIVATE:
        if (!skinnable) return false;
        HandleNCActivate(m, next);
        return true;
    case WM_SYNCPAINT:
        if (!(skinnable && FRollUpState)) return false;
        RepaintFrame();
        m.Result = 0;
        return true;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_KEYMENU && skinnable) {
            SysKeyMenu();
            m.Result = 0;
            return true;
        }
        if ((m.WParam & 0xFFF0) == SC_RESTORE && OnRestore) OnRestore(this);
        return false;
    case WM_ENTERSIZEMOVE:
        if (skinnable) EnterSizeMove();
        return false;
    case WM_EXITSIZEMOVE:
        if (skinnable) ExitSizeMove();
        else if (LayerFrameActive()) FLayerBorder->SetBoundsWithForm();
        return false;
    case WM_MOVING:
        if (skinnable && m.LParam) HandleMoving(*reinterpret_cast<RECT*>(m.LParam));
        return false;
    case WM_TIMER:
        if (m.WParam != 1) return false;
        FadeInTimer();
        m.Result = 0;
        return true;
    case WM_WINDOWPOSCHANGED:
        if (m.LParam) WindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(m.LParam));
        return false;
    case WM_CHANGELAYEREDBORDERS:
        if (!LayerFrameActive()) FLayerBorder->Hide();
        else if (!FLayerBorder->Visible()) UpdateLayerBorder(true);
        return false;
    case WM_BEFORECHANGESKINDATA: case WM_CHANGESKINDATA: case WM_AFTERCHANGESKINDATA: case WM_CHANGERESSTRDATA:
    case WM_CHANGEFORMSKINNABLE:
        HandleSkinMessage(m);
        return false;
    case WM_CLOSESKINMENU:
        SkinMenuClose();
        return false;
    case CM_QUERYSKINNEDFRAME:
        m.Result = (skinnable || !FIsVistaOs) ? 12853 : 12852;
        return true;
    case CM_BEGINSMARTEFFECTS:
        FSmartEffectsShow = true;
        return false;
    case CM_ENDSMARTEFFECTS:
        if (!FSmartEffectsShow) return false;
        FSmartEffectsShow = false;
        // The layered border fades in with the form it was kept off for.
        if (ShownOrInTray() && LayerFrameActive()) {
            Application->ProcessMessages();
            FLayerBorder->InitFrame(FSD, FForm);
            FLayerBorder->FActive = true;
            FLayerBorder->ShowWithFormAnimation();
        }
        return false;
    case WM_DISPLAYCHANGE:
        if (FForm->BorderStyle() != bsNone && (FForm->Width() > GetMaxWidth() || FForm->Height() > GetMaxHeight()))
            RefreshFormSize();
        return false;
    case WM_TRAYRESTORED:
        if (FForm->Tag != kTrayFormTag) return false;
        if (LayerFrameActive()) BringRestoredFormsForward();
        FForm->Tag = 0;
        return false;
    case CM_PAINTFRAMETODC:
        if (!skinnable) return false;
        return HandlePaintToDC(m, 12851, false);
    case CM_PAINTTODC:
        if (!skinnable || m.LParam != 16802) return false;
        return HandlePaintToDC(m, 16802, true);
    default:
        return false;
    }
}

// Table 2: after the message was passed on.
void TbsSkinFrame::SecondPass(TMessage& m) {
    if (!FSkinnableForm && m.Msg != WM_LBUTTONUP && m.Msg != WM_RBUTTONUP) return;
    switch (m.Msg) {
    case WM_NCMOUSEMOVE: {
        const TPoint p = MessagePoint(m);
        ObjectsMouseMove(p.x, p.y);
        break;
    }
    case WM_NCLBUTTONDOWN:
        if (FSizeMove) {
            FSizeMove = false;
            break;
        }
        NCMouseDown(m, mbLeft, false);
        break;
    case WM_NCLBUTTONDBLCLK: NCMouseDown(m, mbLeft, true); break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK: NCMouseDown(m, mbRight, false); break;
    case WM_NCLBUTTONUP: case WM_NCRBUTTONUP: {
        const TPoint p = MessagePoint(m);
        ObjectsMouseUp(m.Msg == WM_NCLBUTTONUP ? mbLeft : mbRight, p.x, p.y);
        break;
    }
    case WM_SHOWWINDOW:
        if (m.WParam) ShowLayerBorderWithForm();
        else if (LayerFrameActive()) FLayerBorder->Hide();
        break;
    case WM_LBUTTONUP: ObjectsMouseUp(mbLeft, -1, -1); break;
    case WM_RBUTTONUP: ObjectsMouseUp(mbRight, -1, -1); break;
    default: break;
    }
}

void TbsSkinFrame::NCMouseDown(TMessage& m, TMouseButton button, bool dblClick) {
    const TPoint p = MessagePoint(m);
    TestActive(p.x, p.y, true);
    ObjectsMouseDown(button, p.x, p.y);
    if (dblClick) ObjectsDblClick();
    if (m.WParam != HTCAPTION) return;
    MouseCaptureObject = -1;
    if (dblClick) CaptionDoubleClick();
    if (button == mbRight && m.Msg == WM_NCRBUTTONDOWN && !DisableSystemMenu) {
        POINT c;
        GetCursorPos(&c);
        PopupSystemMenu(c.x, c.y);
    }
}

void TbsSkinFrame::HandleActivate(TMessage& m, const TWndMethod& next) {
    next(m);
    FFormActive = LOWORD(m.WParam) != WA_INACTIVE;
    if (FForm->HandleAllocated() && IsWindowVisible(FForm->Handle()))
        FLayerBorder->SetActive(FFormActive, true);
    else
        FLayerBorder->Hide();
    RepaintFrame();
    if (FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized) SetCaptionActive(false);
    else {
        ResetObjectsState();
        SetCaptionActive(true);
    }
}

void TbsSkinFrame::HandleNCActivate(TMessage& m, const TWndMethod& next) {
    FBorderLayerChangeSize = false;
    if (FLayerManager->IsVisible) FLayerManager->Hide();
    if (FMenuLayerManager->IsVisible) FMenuLayerManager->Hide();
    FFormActive = m.WParam != 0;
    if (!FFormActive) TestActive(-1, -1, false);
    if (FForm->FormStyle() == fsMDIChild) {
        UpDateChildActiveInMenu();
        UpdateMDITabsBar();
        UpdateMainMenuBar();
    }
    const bool mdi = FForm->FormStyle() == fsMDIChild || (FForm->FormStyle() == fsMDIForm && !FIsVistaOs);
    if (mdi) next(m);
    else m.Result = 1;
    if (!FrameDrawn()) SetCaptionActive(false);
    else {
        RepaintFrame();
        SetCaptionActive(true);
    }
    RepaintMainFrameForMaximizedChild();
    if (FForm->Visible() && ClientInActiveEffect) {
        if (FFormActive) HideClientInActiveEffect();
        else ShowClientInActiveEffect();
    }
}

// ---- skin application --------------------------------------------------------------------------

void TbsSkinFrame::SetSkinData(TbsSkinData* Value) {
    if (FSD && FSD != Value) RemoveFreeNotification(FSD);
    FSD = Value;
    if (Value) {
        FreeNotification(Value);
        if (FForm->FormStyle() != fsMDIChild) FSkinnableForm = FUseRibbon ? false : Value->SkinnableForm();
    }
    if (!Has(csDesigning)) ApplySkinData();
}

void TbsSkinFrame::SetUseRibbon(bool Value) {
    FUseRibbon = Value;
    if (Value && !Has(csDesigning)) SetSkinnableForm(false);
}

void TbsSkinFrame::HandleSkinMessage(TMessage& m) {
    auto* store = reinterpret_cast<TbsSkinData*>(m.WParam);
    switch (m.Msg) {
    case WM_BEFORECHANGESKINDATA:
        if (store != FSD) return;
        FStopPainting = true;
        FSkinSupport = false;
        MouseTimer->SetEnabled(false);
        MorphTimer->SetEnabled(false);
        AnimateTimer->SetEnabled(false);
        ClearObjects();
        BeforeChangeChildrenSkinData(FSD, FForm);
        if (OnBeforeChangeSkinData) OnBeforeChangeSkinData(this);
        return;
    case WM_CHANGESKINDATA:
        FStopPainting = false;
        if (store == FSD) ApplySkinData();
        ChangeChildrenSkinData(store, FForm);
        return;
    case WM_AFTERCHANGESKINDATA:
        if (store == FSD && FForm->FormStyle() == fsMDIForm) ResizeMDIChildren();
        if (OnAfterChangeSkinData) OnAfterChangeSkinData(this);
        return;
    case WM_CHANGEFORMSKINNABLE:
        if (!FUseRibbon && FSD && FSD == store && FForm->FormStyle() != fsMDIChild)
            SetSkinnableForm(FSD->SkinnableForm());
        return;
    case WM_CHANGERESSTRDATA:
        UpdateObjectHints();
        return;
    default: return;
    }
}

void TbsSkinFrame::ApplySkinData() {
    if (FUseRibbon) FSkinnableForm = false;
    OldActiveObject = ActiveObject = MouseCaptureObject = -1;
    FSkinSupport = FSD && !FSD->Empty;
    if (FLayerManager->IsVisible) FLayerManager->Hide();
    if (FMenuLayerManager->IsVisible) FMenuLayerManager->Hide();
    if (FSkinSupport && FSkinnableForm) {
        CreateObjects();
        CheckObjects();
    } else {
        ClearObjects();
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
        if (FForm->HandleAllocated()) CreateFormRegion(true);
    }
    if (FSkinnableForm) {
        if (FForm->BorderIcons() != 0) FForm->SetBorderIcons(0);
    } else UpdateFormBorderIcons();
    FInChangeSkinData = true;
    const int minW = GetMinWidth(), minH = GetMinHeight();
    if (FForm->Width() < minW && FForm->Height() < minH) FForm->SetBounds(FForm->Left(), FForm->Top(), minW, minH);
    else if (FForm->Height() < minH) FForm->SetHeight(minH);
    else if (FForm->Width() < minW) FForm->SetWidth(minW);
    else if (FForm->HandleAllocated())
        SetWindowPos(FForm->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A rolled-up form or a minimized bar is the new skin's bar alone.
    if ((FRollUpState || FWindowState == wsMinimized) && FForm->Height() != minH) FForm->SetHeight(minH);
    if (FWindowState == wsMinimized && FForm->Width() != minW) FForm->SetWidth(minW);
    FFormWidth = FForm->Width();
    FFormHeight = FForm->Height();
    if (FSkinSupport && FForm->HandleAllocated()) UpdateFrameForSize(true);
    if (FForm->HandleAllocated()) {
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (FForm->FormStyle() == fsMDIForm) {
        if (FForm->ClientHandle()) RedrawWindow(FForm->ClientHandle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
        ResizeMDIChildren();
    }
    if (!(FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized)) SetCaptionActive(true);
    UpdateLayerBorder(true);
    MouseTimer->SetEnabled(true);
    if (OnChangeSkinData) OnChangeSkinData(this);
    FInChangeSkinData = false;
    ApplyClientSize();
}

void TbsSkinFrame::ApplyClientSize() {
    if (FRollUpState || (ClientWidth <= 0 && ClientHeight <= 0)) return;
    FForm->SetClientSize(ClientWidth > 0 ? ClientWidth : FForm->ClientWidth(),
                         ClientHeight > 0 ? ClientHeight : FForm->ClientHeight());
}

void TbsSkinFrame::UpdateFormBorderIcons() {
    TBorderIcons icons = 0;
    if (!FHideCaptionButtons && !FSkinnableForm) icons |= biSystemMenu;
    if (FBorderIcons & biSkinMinimize) icons |= biMinimize;
    if (FBorderIcons & biSkinMaximize) icons |= biMaximize;
    FForm->SetBorderIcons(icons);
}

bool TbsSkinFrame::ShownOrInTray() const { return FForm->Visible() || FForm->Tag == kTrayFormTag; }

bool TbsSkinFrame::LayerFrameActive() const {
    return FSD && !FSD->Empty && FSD->ShowLayeredBorders() && FSD->LayerFrame && FSD->LayerFrame->PictureIndex != -1 &&
           FIsLayerEnabled && !AlwaysDisableLayeredFrames && !PreviewMode && !FSmartEffectsShow && FSkinnableForm &&
           FForm->BorderStyle() != bsNone && FForm->FormStyle() != fsMDIChild;
}

void TbsSkinFrame::UpdateLayerBorder(bool AShow) {
    FLayerBorder->Hide();
    if (!LayerFrameActive()) {
        FLayerBorder->InitFrame(nullptr, FForm);
        return;
    }
    FLayerBorder->InitFrame(FSD, FForm);
    if (AShow && FForm->HandleAllocated() && IsWindowVisible(FForm->Handle()) && !IsMinimized()) {
        FLayerBorder->FActive = FFormActive;
        FLayerBorder->ShowWithForm();
    }
}

void TbsSkinFrame::SetSkinnableForm(bool Value) {
    FFormActive = GetFormActive();
    if (Has(csDesigning)) return;
    if (FForm->FormStyle() == fsMDIForm && FForm->MDIChildCount() > 0) return;
    bool wasMaximized = false;
    if (FWindowState == wsMaximized && FSkinnableForm) {
        wasMaximized = true;
        SetWindowState(wsNormal);
    }
    FSkinnableForm = FUseRibbon ? false : Value;
    ApplySkinData();
    ChangeChildrenSkinData(nullptr, FForm);
    if (FForm->HandleAllocated()) FForm->RecreateWnd();
    HookMDIClient();
    if (wasMaximized) SetWindowState(wsMaximized);
}

void TbsSkinFrame::SetFormBorderStyle(TFormBorderStyle BS) {
    FForm->SetBorderStyle(BS);
    ChangeChildrenSkinData(nullptr, FForm);
}

void TbsSkinFrame::SetFormStyle(TFormStyle FS) {
    if (FS != fsNormal && FS != fsStayOnTop) return;
    FForm->SetFormStyle(FS);
    ChangeChildrenSkinData(nullptr, FForm);
}
