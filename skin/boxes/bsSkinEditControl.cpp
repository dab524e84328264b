// The skinned edit control: its record, geometry, height rules, the edit
// button and the image buttons, hover and focus. Painting lives in
// bsSkinEditControlPaint.cpp.
#include <algorithm>

#include "platform/ImgList.h"
#include "platform/Owners.h"
#include "skin/bsResStrData.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/controls/bsSkinCtrlsMessages.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/frame/bsSkinFrameWalk.h"

namespace {
// Hit-test answers of the button mode: the edit button, and the frame
// around the text area.
constexpr LRESULT kHitButton = HTHSCROLL;
constexpr LRESULT kHitFrame = HTVSCROLL;
}  // namespace

// ---- TbsSkinCustomEdit -------------------------------------------------------------------------

TbsSkinCustomEdit::TbsSkinCustomEdit(TComponent* owner) : TbsCustomEdit(owner) {
    bsRegisterSkinWalkStep(TbsSkinWalkSlot::CustomEdit, &bsSkinWalkStepOf<TbsSkinCustomEdit>);
    bsRegisterDropDownClass(&bsIsOfClass<TbsSkinCustomEdit>);
    SetEditTransparent(true);
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetColor(clBlack);
    FDefaultFont.SetHeight(14);
    Font()->Assign(&FDefaultFont);
    FDefaultFont.OnChange = [this](TObject*) {
        if (FIndex == -1) Font()->Assign(&FDefaultFont);
    };
    SetBounds(Left(), Top(), 121, 20);
}

TbsSkinCustomEdit::~TbsSkinCustomEdit() {
    FDefaultFont.OnChange = nullptr;
    if (FSD) RemoveFreeNotification(FSD);
}

void TbsSkinCustomEdit::Notification(TComponent* component, TOperation op) {
    TbsCustomEdit::Notification(component, op);
    if (op == opRemove && component == FSD) {
        FSD = nullptr;
        FIndex = -1;
        Picture = nullptr;
    }
    if (op == opRemove && component == FImages) {
        FImages = nullptr;
        LeftButton.R = RightButton.R = TRect();
    }
}

void TbsSkinCustomEdit::Loaded() {
    TbsCustomEdit::Loaded();
    if (FSD && FSD->ResourceStrData()) Font()->SetCharset(FSD->ResourceStrData()->CharSet);
}

void TbsSkinCustomEdit::CreateParams(TCreateParams& p) {
    TbsCustomEdit::CreateParams(p);
    // The text is drawn without background (EditTransparent), but the
    // window itself is never transparent: it paints its own text area.
    p.ExStyle &= ~static_cast<DWORD>(WS_EX_TRANSPARENT);
    p.Style &= ~static_cast<DWORD>(WS_BORDER | ES_LEFT | ES_RIGHT | ES_CENTER);
    static const DWORD align[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    p.Style |= align[FAlignment];
}

void TbsSkinCustomEdit::CreateWnd() {
    TbsCustomEdit::CreateWnd();
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TbsSkinCustomEdit::CharsetNow() {
    return FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet : FDefaultFont.Charset();
}

// ---- properties ----------------------------------------------------------------------------------

void TbsSkinCustomEdit::SetDefaultFont(TFont* v) {
    FDefaultFont.Assign(v);
    if (FIndex == -1) Font()->Assign(v);
}

void TbsSkinCustomEdit::SetDefaultWidth(int v) {
    FDefaultWidth = v;
    if (FIndex == -1 && v > 0) SetWidth(v);
}

void TbsSkinCustomEdit::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    if (FIndex == -1 && v > 0 && UseSkinFont) SetHeight(v);
    else AdjustHeight();
}

void TbsSkinCustomEdit::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (FIndex != -1) return;
    SetColor(v);
    Invalidate();
}

void TbsSkinCustomEdit::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    if (HandleAllocated()) RecreateWnd();
}

void TbsSkinCustomEdit::SetButtonMode(bool v) {
    FButtonMode = v;
    if (HandleAllocated()) RecreateWnd();
}

void TbsSkinCustomEdit::SetSkinData(TbsSkinData* v) {
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) FreeNotification(FSD);
    if (FSD && !FSD->Empty) ChangeSkinData();
}

// ---- the record ----------------------------------------------------------------------------------

void TbsSkinCustomEdit::GetSkinData() {
    if (!FSD || FSD->Empty) {
        FIndex = -1;
        return;
    }
    FIndex = FSD->GetControlIndex(FSkinDataName);
    if (FIndex < 0 || FIndex >= static_cast<int>(FSD->CtrlList.size())) {
        FIndex = -1;
        return;
    }
    auto* r = dynamic_cast<TbsDataSkinEditControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get());
    if (!r) return;
    const int pi = r->PictureIndex;
    Picture = pi >= 0 && pi < static_cast<int>(FSD->FActivePictures.size())
                  ? FSD->FActivePictures[static_cast<size_t>(pi)].get()
                  : nullptr;
    SkinRect = r->SkinRect;
    ActiveSkinRect = IsNullRect(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
    LOffset = r->LTPoint.x;
    ROffset = r->SkinRect.Width() - r->RTPoint.x;
    ClRect = r->ClRect;
    FontName = r->FontName;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    FontColor = r->FontColor;
    DisabledFontColor = r->DisabledFontColor;
    ActiveFontColor = r->ActiveFontColor;
    ButtonRect = r->ButtonRect;
    ActiveButtonRect = r->ActiveButtonRect;
    DownButtonRect = IsNullRect(r->DownButtonRect) ? r->ActiveButtonRect : r->DownButtonRect;
    UnEnabledButtonRect = r->UnEnabledButtonRect;
    StretchEffect = r->StretchEffect;
}

void TbsSkinCustomEdit::ChangeSkinData() {
    GetSkinData();
    if (FIndex == -1) {
        Font()->Assign(&FDefaultFont);
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else {
        if (UseSkinFont) {
            Font()->SetName(FontName);
            Font()->SetStyle(FontStyle);
            SetHeight(SkinRect.Height());
            Font()->SetHeight(FontHeight);
        } else {
            Font()->Assign(&FDefaultFont);
        }
        Font()->SetColor(Focused() ? ActiveFontColor : FontColor);
    }
    Font()->SetCharset(CharsetNow());
    if (HandleAllocated()) RecreateWnd();
    Font()->SetColor(FIndex == -1 ? FDefaultFont.Color() : Focused() ? ActiveFontColor : FontColor);
    if (!UseSkinFont) AdjustHeight();
    RepaintFrame();
    if (FImages) {
        CalcImageButtons(true);
        Invalidate();
    }
}

// ---- geometry and height -------------------------------------------------------------------------

void TbsSkinCustomEdit::CalcRects() {
    const int w = Width(), h = Height();
    if (FIndex == -1) {
        if (FButtonMode) {
            FButtonRect = TRect(w - h, 0, w, h);
            FEditRect = TRect(2, 2, FButtonRect.left - 2, h - 2);
        } else {
            FButtonRect = TRect();
            FEditRect = TRect(2, 2, w - 2, h - 2);
        }
        return;
    }
    const int d = w - SkinRect.Width();
    FEditRect = ClRect;
    FEditRect.right += d;
    FButtonRect = ButtonRect;
    if (ButtonRect.left >= SkinRect.Width() - ROffset) OffsetRect(&FButtonRect, d, 0);
    if (!UseSkinFont) {
        const int dh = h - SkinRect.Height();
        FEditRect.bottom += dh;
        FButtonRect.bottom += dh;
    }
}

int TbsSkinCustomEdit::CalcEditHeight() {
    TEXTMETRICW tm{};
    {
        platform::WindowDC dc;
        platform::SelectedObject font(dc.Get(), Font()->Handle());
        GetTextMetricsW(dc.Get(), &tm);
    }
    GetSkinData();
    const int frame = FIndex == -1 ? 4 : SkinRect.Height() - ClRect.Height();
    return tm.tmHeight + frame;
}

void TbsSkinCustomEdit::AdjustHeight() { SetHeight(CalcEditHeight()); }

void TbsSkinCustomEdit::SetBounds(int left, int top, int width, int height) {
    GetSkinData();
    if ((width != Width() || height != Height()) && !(FIndex == -1 && UseSkinFont)) {
        if (UseSkinFont) height = SkinRect.Height();
        else height = CalcEditHeight();
    }
    if (auto* bar = dynamic_cast<TbsSkinToolBar*>(Parent()); bar && bar->AdjustControls() && Align() != alNone) {
        const TRect r = bar->GetSkinClientRect();
        top = r.Height() / 2 + r.top - height / 2;
    }
    TbsCustomEdit::SetBounds(left, top, width, height);
    Invalidate();
    RepaintFrame();
}

void TbsSkinCustomEdit::RepaintFrame() {
    if (Parent() && HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 0, 0);
}

void TbsSkinCustomEdit::Invalidate() {
    if (!Parent() || !HandleAllocated()) return;
    FStopDraw = false;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

// ---- image buttons -------------------------------------------------------------------------------

void TbsSkinCustomEdit::SetImages(TCustomImageList* v) {
    if (v == FImages) return;
    if (FImages) RemoveFreeNotification(FImages);
    FImages = v;
    if (v) FreeNotification(v);
    if (!v) LeftButton.R = RightButton.R = TRect();
    CalcImageButtons(true);
    Invalidate();
}

void TbsSkinCustomEdit::SetLeftImageIndex(int v) {
    FLeftImageIndex = v;
    CalcImageButtons(true);
    Invalidate();
}

void TbsSkinCustomEdit::SetRightImageIndex(int v) {
    FRightImageIndex = v;
    CalcImageButtons(true);
    Invalidate();
}

void TbsSkinCustomEdit::CalcImageButtons(bool setRect) {
    if (!FImages) return;
    LeftButton.R = RightButton.R = TRect();
    if (!HandleAllocated()) return;
    TRect r = ClientRect();
    const int iw = FImages->Width();
    if (FLeftImageIndex >= 0) {
        LeftButton.R = TRect(r.left, r.top, r.left + iw, r.bottom);
        r.left += iw + 2;
    }
    if (FRightImageIndex >= 0) {
        RightButton.R = TRect(r.right - iw, r.top, r.right, r.bottom);
        r.right -= iw + 2;
    }
    if (setRect) {
        RECT fr = r;
        SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&fr));
    }
}

bool TbsSkinCustomEdit::ImageHitTest(TMessage& m) {
    if (!FImages) return false;
    POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    ::ScreenToClient(Handle(), &p);
    struct Side {
        TbsCBButtonX& b;
        int index;
        LRESULT code;
    } sides[] = {{LeftButton, FLeftImageIndex, bsHTLeftImage}, {RightButton, FRightImageIndex, bsHTRightImage}};
    for (Side& side : sides) {
        const TRect& r = side.b.R;
        if (side.index < 0 || p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) continue;
        m.Result = side.code;
        if (!side.b.MouseIn) {
            side.b.MouseIn = true;
            Invalidate();
        }
        return true;
    }
    ClearImageHover();
    return false;
}

void TbsSkinCustomEdit::ClearImageHover() {
    for (TbsCBButtonX* b : {&LeftButton, &RightButton})
        if (b->MouseIn) {
            b->MouseIn = false;
            Invalidate();
        }
}

void TbsSkinCustomEdit::ImageButtonDown(LRESULT code) {
    TbsCBButtonX& b = code == bsHTLeftImage ? LeftButton : RightButton;
    b.Down = true;
    if (!Focused() && CanFocus()) SetFocus();
    Invalidate();
}

void TbsSkinCustomEdit::ImageButtonUp(LRESULT code) {
    TbsCBButtonX& b = code == bsHTLeftImage ? LeftButton : RightButton;
    if (!b.Down) return;
    b.Down = false;
    Invalidate();
    const TNotifyEvent& ev = code == bsHTLeftImage ? OnLeftButtonClick : OnRightButtonClick;
    if (ev) ev(this);
}

// ---- the edit button -----------------------------------------------------------------------------

// Button mode: the edit button answers kHitButton, the frame around the
// text area kHitFrame; true when one of them was hit.
bool TbsSkinCustomEdit::ButtonHitTest(TMessage& m) {
    if (!FButtonMode) return false;
    POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    ::ScreenToClient(Handle(), &p);
    GetSkinData();
    if (FIndex == -1) p.x += 2, p.y += 2;
    else p.x += ClRect.left, p.y += ClRect.top;
    CalcRects();
    if (IsPointInRect(FButtonRect, p)) m.Result = kHitButton;
    else if (!IsPointInRect(FEditRect, p)) m.Result = kHitFrame;
    else return false;
    return true;
}

void TbsSkinCustomEdit::SetButtonActive(bool v) {
    if (FButtonActive == v) return;
    FButtonActive = v;
    RepaintFrame();
    Invalidate();
}

// Ends a press of the edit button: it comes up, and a release over it
// clicks it.
void TbsSkinCustomEdit::EndButtonPress(bool overButton) {
    FButtonDown = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    if (!overButton) FButtonActive = false;
    RepaintFrame();
    if (!overButton) return;
    if (!Focused() && CanFocus()) SetFocus();
    if (OnButtonClick) OnButtonClick(this);
}

// ---- hover, focus, font --------------------------------------------------------------------------

void TbsSkinCustomEdit::MouseEnterLeave(bool enter) {
    FMouseIn = enter;
    GetSkinData();
    if (FIndex != -1 && !Focused()) {
        Font()->SetColor(enter ? ActiveFontColor : FontColor);
        if (FImages) CalcImageButtons(true);
        RepaintFrame();
        Invalidate();
    }
    if (!enter) {
        const bool was = FButtonDown || FButtonActive;
        if (GetCapture() != Handle()) FButtonDown = false;
        FButtonActive = false;
        if (was) RepaintFrame();
        ClearImageHover();
    }
}

void TbsSkinCustomEdit::FocusChanged() {
    RepaintFrame();
    Invalidate();
    GetSkinData();
    if (!FMouseIn && FIndex != -1) Font()->SetColor(Focused() ? ActiveFontColor : FontColor);
    if (FImages) CalcImageButtons(true);
}

void TbsSkinCustomEdit::ApplyFontChange() {
    if (UseSkinFont) return;
    AdjustHeight();
    if (FIndex == -1 && HandleAllocated()) RecreateWnd();
}

// ---- messages ------------------------------------------------------------------------------------

void TbsSkinCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE: {
        GetSkinData();
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        if (FIndex == -1) {
            const int right = FButtonMode ? (r->bottom - r->top) + 2 : 2;
            *r = RECT{r->left + 2, r->top + 2, r->right - right, r->bottom - 2};
        } else {
            *r = RECT{r->left + ClRect.left, r->top + ClRect.top, r->right - (SkinRect.Width() - ClRect.right),
                      r->bottom - (SkinRect.Height() - ClRect.bottom)};
        }
        m.Result = 0;
        return;
    }
    case WM_NCPAINT: NCPaint(); m.Result = 0; return;
    case WM_ERASEBKGND: EraseBackground(reinterpret_cast<HDC>(m.WParam)); m.Result = 1; return;
    case WM_PAINT: Paint(m); return;
    case WM_SIZE:
        TbsCustomEdit::WndProc(m);
        CalcImageButtons(true);
        RepaintFrame();
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: {
        // The text goes over the text area painted by the erase step.
        auto dc = reinterpret_cast<HDC>(m.WParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        m.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return;
    }
    case CM_PAINTFRAMETODC:
        if (m.WParam) {
            PaintFrameTo(reinterpret_cast<HDC>(m.WParam), false);
            m.Result = 12851;
        }
        return;
    case CM_PAINTTODC:
        if (m.LParam != 16802) break;
        if (m.WParam) PaintFrameTo(reinterpret_cast<HDC>(m.WParam), true);
        m.Result = 16802;
        return;
    case WM_NCHITTEST:
        if (ImageHitTest(m) || ButtonHitTest(m)) return;
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (FImages && (m.WParam == bsHTLeftImage || m.WParam == bsHTRightImage)) {
            ImageButtonDown(static_cast<LRESULT>(m.WParam));
            if (m.Msg == WM_NCLBUTTONDBLCLK) UpdateWindow(Handle());
            return;
        }
        if (FButtonMode && m.WParam == static_cast<WPARAM>(kHitButton)) {
            FButtonDown = FButtonActive = true;
            // The release comes back here wherever it happens.
            SetCapture(Handle());
            RepaintFrame();
            return;
        }
        break;
    case WM_NCLBUTTONUP:
        if (FImages && (m.WParam == bsHTLeftImage || m.WParam == bsHTRightImage)) {
            ImageButtonUp(static_cast<LRESULT>(m.WParam));
            return;
        }
        if (FButtonMode && FButtonDown) {
            EndButtonPress(m.WParam == static_cast<WPARAM>(kHitButton));
            return;
        }
        break;
    case WM_LBUTTONUP:
        if (FButtonDown) {
            // Captured release: the point is in client coordinates.
            POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
            ::ClientToScreen(Handle(), &p);
            TMessage hit{WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y), 0};
            EndButtonPress(ButtonHitTest(hit) && hit.Result == kHitButton);
            return;
        }
        break;
    case WM_CAPTURECHANGED:
        if (FButtonDown && reinterpret_cast<HWND>(m.LParam) != Handle()) {
            FButtonDown = false;
            RepaintFrame();
        }
        break;
    case WM_NCMOUSEMOVE:
        if (FButtonMode) {
            if (m.WParam == static_cast<WPARAM>(kHitButton)) {
                SetButtonActive(true);
                return;
            }
            SetButtonActive(false);
        }
        break;
    case WM_MOUSEMOVE:
        TbsCustomEdit::WndProc(m);
        if (FButtonDown) {
            POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
            ::ClientToScreen(Handle(), &p);
            TMessage hit{WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y), 0};
            SetButtonActive(ButtonHitTest(hit) && hit.Result == kHitButton);
        } else if (FButtonActive) {
            FButtonActive = false;
            RepaintFrame();
        }
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        MouseEnterLeave(m.Msg == CM_MOUSEENTER);
        TbsCustomEdit::WndProc(m);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TbsCustomEdit::WndProc(m);
        FocusChanged();
        return;
    case CM_ENABLEDCHANGED:
        TbsCustomEdit::WndProc(m);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TbsCustomEdit::WndProc(m);
        ApplyFontChange();
        return;
    default: break;
    }
    TbsCustomEdit::WndProc(m);
}
