#include "skin/boxes/bsSkinEdits.h"

#include <algorithm>

#include "platform/Forms.h"
#include "platform/Owners.h"
#include "platform/SysUtils.h"
#include "skin/bsResStrData.h"

TbsEditMenuPopup& EditMenuPopupHook() {
    static TbsEditMenuPopup hook = [](TPopupMenu* menu, TControl*, int x, int y) { menu->Popup(x, y); };
    return hook;
}

namespace {

// The first line of a text (pasted text never brings a line break into a
// single-line edit).
String FirstLine(const String& s) {
    const size_t n = s.find_first_of(L"\r\n");
    return n == String::npos ? s : s.substr(0, n);
}

String ClipboardText() {
    String s;
    if (!OpenClipboard(nullptr)) return s;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            s = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return s;
}

// The skin strings reached through the edit's form: its first skin store
// with strings (none: built-in texts).
TbsResourceStrData* FormStrings(TControl* c) {
    TCustomForm* form = GetParentForm(c);
    if (!form) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* sd = dynamic_cast<TbsSkinData*>(form->Components(i)))
            if (sd->ResourceStrData()) return sd->ResourceStrData();
    return nullptr;
}

}  // namespace

// ---- TbsCustomEdit -----------------------------------------------------------------------------

TbsCustomEdit::TbsCustomEdit(TComponent* owner) : TCustomMaskEdit(owner) {
    ControlStyle |= csOpaque;
}

TbsCustomEdit::~TbsCustomEdit() = default;

void TbsCustomEdit::SetReadOnly(bool v) {
    FReadOnly = v;
    // The window's own flag too, so that input paths we do not see (IME
    // composition, replace-selection from outside) cannot edit either.
    TCustomMaskEdit::SetReadOnly(v);
}

void TbsCustomEdit::SetEditTransparent(bool v) {
    FEditTransparent = v;
    if (HandleAllocated()) RecreateWnd();
}

void TbsCustomEdit::CreateParams(TCreateParams& p) {
    TCustomMaskEdit::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(WS_BORDER);
    p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    if (FEditTransparent) p.ExStyle |= WS_EX_TRANSPARENT;
    if (PasswordChar() != 0) p.Style |= ES_PASSWORD;
    else p.Style |= ES_MULTILINE;
}

void TbsCustomEdit::Change() {
    FChangeSeen = true;
    TCustomMaskEdit::Change();
    if (FEditTransparent) Invalidate();
}

void TbsCustomEdit::Invalidate() {
    if (!FEditTransparent) {
        TCustomMaskEdit::Invalidate();
        return;
    }
    if (!Parent() || !HandleAllocated() || !Parent()->HandleAllocated()) return;
    RECT r = BoundsRect();
    ::InvalidateRect(Parent()->Handle(), &r, TRUE);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

bool TbsCustomEdit::HasSelection() {
    DWORD s = 0, e = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return s < e;
}

bool TbsCustomEdit::AllSelected() {
    DWORD s = 0, e = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return s == 0 && e == static_cast<DWORD>(GetText().size());
}

void TbsCustomEdit::ClearSelection() { SendMessageW(Handle(), WM_CLEAR, 0, 0); }

void TbsCustomEdit::CreateSysPopupMenu() {
    FSysPopupMenu = std::make_unique<TPopupMenu>(nullptr);
    TbsResourceStrData* strings = FormStrings(this);
    auto text = [strings](const wchar_t* key, const wchar_t* builtIn) {
        return strings ? strings->GetResStr(key) : String(builtIn);
    };
    const bool sel = HasSelection();
    const bool clip = !ClipboardText().empty();
    struct Entry {
        String caption;
        std::function<void()> action;
        bool enabled;
    };
    const Entry entries[] = {
        {text(L"EDIT_UNDO", L"Undo"), [this] { Undo(); }, CanUndo()},
        {L"-", nullptr, true},
        {text(L"EDIT_CUT", L"Cut"), [this] { CutToClipboard(); }, sel && !FReadOnly},
        {text(L"EDIT_COPY", L"Copy"), [this] { CopyToClipboard(); }, sel},
        {text(L"EDIT_PASTE", L"Paste"), [this] { PasteFromClipboard(); }, clip && !FReadOnly},
        {text(L"EDIT_DELETE", L"Delete"), [this] { ClearSelection(); }, sel && !FReadOnly},
        {L"-", nullptr, true},
        {text(L"EDIT_SELECTALL", L"Select All"), [this] { SelectAll(); }, !AllSelected()},
    };
    for (const Entry& e : entries) {
        auto* item = new TMenuItem(FSysPopupMenu.get());
        item->SetCaption(e.caption);
        item->SetEnabled(e.enabled);
        if (e.action) item->OnClick = [action = e.action](TObject*) { action(); };
        FSysPopupMenu->Items()->Add(item);
    }
}

void TbsCustomEdit::ContextMenu(TMessage& m) {
    if (PopupMenu) {
        TCustomMaskEdit::WndProc(m);
        return;
    }
    CreateSysPopupMenu();
    int x = static_cast<short>(LOWORD(m.LParam)), y = static_cast<short>(HIWORD(m.LParam));
    if (x < 0 || y < 0) {
        const TPoint p = ClientToScreen(TPoint(Width() / 2, Height() / 2));
        x = p.x;
        y = p.y;
    }
    EditMenuPopupHook()(FSysPopupMenu.get(), this, x, y);
}

void TbsCustomEdit::PasteText() {
    const String s = FirstLine(ClipboardText());
    TMessage r{EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(s.c_str()), 0};
    TCustomMaskEdit::WndProc(r);
}

void TbsCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CHAR: {
        const auto ch = static_cast<wchar_t>(m.WParam);
        if (ch == L'\r' || ch == 27) {
            wchar_t copy = ch;
            if (OnKeyPress) OnKeyPress(this, copy);
            if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, m.WParam, m.LParam);
            return;
        }
        if (ch == L'\n') return;  // Ctrl+Enter would break the line
        if (FReadOnly) return;
        break;
    }
    case WM_KEYDOWN:
        if (FReadOnly && m.WParam == VK_DELETE) return;
        TCustomMaskEdit::WndProc(m);
        if (FEditTransparent) Invalidate();
        return;
    case WM_PASTE:
        if (FReadOnly) return;
        PasteText();
        if (FEditTransparent) Invalidate();
        return;
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        if (FReadOnly) return;
        TCustomMaskEdit::WndProc(m);
        if (FEditTransparent) Invalidate();
        return;
    case EM_REPLACESEL:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
        if (FReadOnly) return;
        break;
    case WM_SETTEXT:
    {
        // A multi-line edit window may not announce text set by code.
        FChangeSeen = false;
        TCustomMaskEdit::WndProc(m);
        if (!FChangeSeen && !(ControlState & csCreating)) Change();
        if (FEditTransparent) Invalidate();
        return;
    }
    case WM_SETFONT:
        TCustomMaskEdit::WndProc(m);
        SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
        return;
    case WM_SETFOCUS:
        TCustomMaskEdit::WndProc(m);
        if (AutoSelect) SelectAll();
        if (FEditTransparent) Invalidate();
        return;
    case WM_CONTEXTMENU: ContextMenu(m); return;
    case WM_SKINMENUCOMMAND: FSysPopupMenu.reset(); return;
    case CM_CANCELMODE:
        TCustomMaskEdit::WndProc(m);
        if (OnEditCancelMode) OnEditCancelMode(reinterpret_cast<TControl*>(m.LParam));
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        if (FEditTransparent) {
            auto dc = reinterpret_cast<HDC>(m.WParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColorToRGB(Font()->Color()));
            m.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (FEditTransparent) {
            Invalidate();
            m.Result = 1;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
        TCustomMaskEdit::WndProc(m);
        FDown = true;
        if (FEditTransparent) Invalidate();
        return;
    case WM_LBUTTONUP: FDown = false; break;
    case WM_MOUSEMOVE:
        TCustomMaskEdit::WndProc(m);
        if (FDown && FEditTransparent) Invalidate();
        return;
    default: break;
    }
    TCustomMaskEdit::WndProc(m);
}

// ---- TbsSkinNumEdit ----------------------------------------------------------------------------

TbsSkinNumEdit::TbsSkinNumEdit(TComponent* owner) : TbsCustomEdit(owner) {
    wchar_t buf[4] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 4);
    DecimalSeparator = buf[0] ? buf[0] : L'.';
}

bool TbsSkinNumEdit::IsValidChar(wchar_t key) {
    const bool control = key < 32 && key != L'\r';
    bool valid = key == L'-' || (key >= L'0' && key <= L'9') || control || (Float && key == DecimalSeparator);
    if (valid && !EditorEnabled && (key >= 32 || key == 8 || key == L'.')) valid = false;
    if (!valid || control) return valid;
    const String text = GetText();
    DWORD s = 0, e = 0;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    // What the text keeps when the key replaces the selection.
    const String kept = text.substr(0, std::min<size_t>(s, text.size())) + text.substr(std::min<size_t>(e, text.size()));
    if (Float && key == DecimalSeparator && kept.find(DecimalSeparator) != String::npos) return false;
    if (key == L'-') {
        // One minus, in front only.
        if (kept.find(L'-') != String::npos || s != 0) return false;
    } else if (s == 0 && !kept.empty() && kept[0] == L'-' && e == s) {
        return false;  // nothing goes in front of the minus
    }
    return true;
}

bool TbsSkinNumEdit::DoKeyPress(wchar_t& key) {
    if (!IsValidChar(key)) {
        key = 0;
        MessageBeep(0);
        return true;
    }
    return TbsCustomEdit::DoKeyPress(key);
}

bool TbsSkinNumEdit::DoKeyDown(WORD& key, TShiftState shift) {
    if (key == VK_UP) {
        if (OnUpClick) OnUpClick(this);
        return true;
    }
    if (key == VK_DOWN) {
        if (OnDownClick) OnDownClick(this);
        return true;
    }
    return TbsCustomEdit::DoKeyDown(key, shift);
}

void TbsSkinNumEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(m.WParam));
        if (delta > 0) {
            if (OnDownClick) OnDownClick(this);
        } else if (OnUpClick) {
            OnUpClick(this);
        }
        return;
    }
    case CM_MOUSEENTER:
        TbsCustomEdit::WndProc(m);
        if (OnNumMouseEnter) OnNumMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        TbsCustomEdit::WndProc(m);
        if (OnNumMouseLeave) OnNumMouseLeave(this);
        return;
    default: break;
    }
    TbsCustomEdit::WndProc(m);
}

// ---- TbsSkinCustomEdit -------------------------------------------------------------------------

TbsSkinCustomEdit::TbsSkinCustomEdit(TComponent* owner) : TbsCustomEdit(owner) {
    FDefaultFont.SetName(L"Arial");
    FDefaultFont.SetHeight(14);
    Font()->Assign(&FDefaultFont);
    SetBounds(Left(), Top(), 121, 20);
}

TbsSkinCustomEdit::~TbsSkinCustomEdit() {
    if (FSD) RemoveFreeNotification(FSD);
}

void TbsSkinCustomEdit::Notification(TComponent* component, TOperation op) {
    TbsCustomEdit::Notification(component, op);
    if (op == opRemove && component == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
    if (op == opRemove && component == FImages) {
        FImages = nullptr;
        LeftButton.R = RightButton.R = TRect();
    }
}

void TbsSkinCustomEdit::CreateParams(TCreateParams& p) {
    TbsCustomEdit::CreateParams(p);
    // The text is never drawn through a transparent window; owners draw the frame.
    p.ExStyle &= ~static_cast<DWORD>(WS_EX_TRANSPARENT);
    p.Style &= ~static_cast<DWORD>(WS_BORDER | ES_LEFT | ES_RIGHT | ES_CENTER);
    static const DWORD align[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    p.Style |= align[FAlignment];
}

void TbsSkinCustomEdit::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (FIndex != -1) return;
    SetColor(v);
    if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
    Invalidate();
}

void TbsSkinCustomEdit::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    if (HandleAllocated()) RecreateWnd();
}

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

void TbsSkinCustomEdit::DrawImageButton(TCanvas* c, const TbsCBButtonX& b, int index, int hot, int down) {
    const int count = FImages->Count();
    if (index < 0 || index >= count || IsNullRect(b.R)) return;
    int i = index;
    if (b.Down && b.MouseIn && down >= 0 && down < count) i = down;
    else if (b.MouseIn && hot >= 0 && hot < count) i = hot;
    const int top = std::max<int>(b.R.top, b.R.Height() / 2 + b.R.top - FImages->Height() / 2);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(b.R);
    FImages->Draw(c, b.R.left, top, i, Enabled());
}

void TbsSkinCustomEdit::PaintImageButtons(HDC dc) {
    if (!FImages) return;
    CalcImageButtons(false);
    TCanvas c;
    c.SetHandle(dc);
    DrawImageButton(&c, LeftButton, FLeftImageIndex, LeftImageHotIndex, LeftImageDownIndex);
    DrawImageButton(&c, RightButton, FRightImageIndex, RightImageHotIndex, RightImageDownIndex);
    c.SetHandle(nullptr);
}

void TbsSkinCustomEdit::SetSkinData(TbsSkinData* v) {
    if (FSD && FSD != v) RemoveFreeNotification(FSD);
    FSD = v;
    if (FSD) FreeNotification(FSD);
    ChangeSkinData();
}

TbsDataSkinEditControl* TbsSkinCustomEdit::Record() const {
    if (!FSD || FIndex < 0 || FIndex >= static_cast<int>(FSD->CtrlList.size())) return nullptr;
    return dynamic_cast<TbsDataSkinEditControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get());
}

void TbsSkinCustomEdit::ChangeSkinData() {
    FIndex = (FSD && !FSD->Empty) ? FSD->GetControlIndex(FSkinDataName) : -1;
    TbsDataSkinEditControl* r = Record();
    if (!r) FIndex = -1;
    if (!r) {
        Font()->Assign(&FDefaultFont);
        SetColor(FDefaultColor);
        if (DefaultWidth > 0) SetWidth(DefaultWidth);
        if (DefaultHeight > 0) SetHeight(DefaultHeight);
    } else {
        if (UseSkinFont) {
            Font()->SetName(r->FontName);
            Font()->SetStyle(r->FontStyle);
            Font()->SetHeight(r->FontHeight);
            if (r->SkinRect.Height() > 0) SetHeight(r->SkinRect.Height());
        } else {
            Font()->Assign(&FDefaultFont);
        }
        Font()->SetColor(Focused() ? r->ActiveFontColor : r->FontColor);
    }
    if (FSD && FSD->ResourceStrData()) Font()->SetCharset(FSD->ResourceStrData()->CharSet);
    else Font()->SetCharset(FDefaultFont.Charset());
    if (HandleAllocated()) RecreateWnd();
    CalcButton();
    if (FImages) {
        CalcImageButtons(true);
        Invalidate();
    }
}

void TbsSkinCustomEdit::SetButtonMode(bool v) {
    FButtonMode = v;
    CalcButton();
    if (HandleAllocated()) SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                                        SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TbsSkinCustomEdit::CalcButton() {
    FButton.R = FButtonMode ? TRect(Width() - 19, 2, Width() - 2, Height() - 2) : TRect();
}

bool TbsSkinCustomEdit::OnButton(LPARAM screenPoint) {
    RECT wr;
    GetWindowRect(Handle(), &wr);
    const POINT p{static_cast<short>(LOWORD(screenPoint)) - wr.left, static_cast<short>(HIWORD(screenPoint)) - wr.top};
    return IsPointInRect(FButton.R, p);
}

// The text area in window coordinates (the client area's place).
TRect TbsSkinCustomEdit::EditRect() {
    int l = 2, t = 2, rr = 2, b = 2;
    if (TbsDataSkinEditControl* rec = Record()) {
        l = rec->ClRect.left;
        t = rec->ClRect.top;
        rr = rec->SkinRect.Width() - rec->ClRect.right;
        b = rec->SkinRect.Height() - rec->ClRect.bottom;
    }
    if (FButtonMode) rr += 19;
    return TRect(l, t, Width() - rr, Height() - b);
}

void TbsSkinCustomEdit::PaintFrame(HDC dc) {
    const int w = Width(), h = Height();
    TBitmap b(w, h);
    ComposeFace(b, Focused() || FMouseIn);
    platform::SavedDC saved(dc);
    const TRect cl = ClientRect();
    POINT o{0, 0};
    MapWindowPoints(Handle(), nullptr, &o, 1);
    RECT wr;
    GetWindowRect(Handle(), &wr);
    const int cx = o.x - wr.left, cy = o.y - wr.top;
    ExcludeClipRect(dc, cx, cy, cx + cl.Width(), cy + cl.Height());
    BitBlt(dc, 0, 0, w, h, b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The whole face (frame, text area and button) at the control's size;
// active: the skin's hot face.
void TbsSkinCustomEdit::ComposeFace(TBitmap& b, bool active) {
    const int w = Width(), h = Height();
    TCanvas* c = b.Canvas();
    TbsDataSkinEditControl* r = Record();
    TBitmap* pic = r && FSD && r->PictureIndex >= 0 && r->PictureIndex < static_cast<int>(FSD->FActivePictures.size())
                       ? FSD->FActivePictures[static_cast<size_t>(r->PictureIndex)].get()
                       : nullptr;
    if (r && pic && !IsNullRect(r->SkinRect)) {
        const TRect src = active && !IsNullRect(r->ActiveSkinRect) ? r->ActiveSkinRect : r->SkinRect;
        const int dw = w - r->SkinRect.Width(), dh = h - r->SkinRect.Height();
        TRect ncl = r->ClRect;
        ncl.right += dw;
        ncl.bottom += dh;
        CreateSkinImage(r->LTPoint, r->RTPoint, r->LBPoint, r->RBPoint, r->ClRect, r->LTPoint,
                        TPoint(r->RTPoint.x + dw, r->RTPoint.y), TPoint(r->LBPoint.x, r->LBPoint.y + dh),
                        TPoint(r->RBPoint.x + dw, r->RBPoint.y + dh), ncl, &b, pic, src, w, h, true, r->LeftStretch,
                        r->TopStretch, r->RightStretch, r->BottomStretch, r->StretchEffect, bsstFull);
    } else {
        // A shadow ring, a face ring inside it, the rest in DefaultColor.
        const TRect outer(0, 0, w, h);
        c->Brush()->SetColor(FDefaultColor);
        c->FillRect(TRect(0, 0, w, h));
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(outer);
        c->Brush()->SetColor(clBtnFace);
        c->FrameRect(TRect(outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1));
    }
    if (FButtonMode) {
        const TRect& br = FButton.R;
        const bool down = FButton.Down && FButton.MouseIn;
        c->Brush()->SetColor(down ? bsPlainDownFill : FButton.MouseIn ? bsPlainHotFill : clBtnFace);
        c->FillRect(br);
        c->Brush()->SetColor(FButton.MouseIn ? bsPlainHotFrame : clBtnShadow);
        c->FrameRect(br);
        c->Brush()->SetColor(clBlack);
        for (int i = 0; i < 3; ++i) {
            const int x = br.left + br.Width() / 2 - 5 + i * 4, y = br.top + br.Height() / 2;
            c->FillRect(TRect(x, y, x + 2, y + 2));
        }
    }
}

void TbsSkinCustomEdit::PaintSkinTo(TCanvas* target, int x, int y, const String& aText) {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    ComposeFace(b, false);
    TCanvas* c = b.Canvas();
    TbsDataSkinEditControl* r = Record();
    if (r && UseSkinFont) {
        c->Font()->SetName(r->FontName);
        c->Font()->SetStyle(r->FontStyle);
        c->Font()->SetHeight(r->FontHeight);
        c->Font()->SetColor(r->FontColor);
    } else {
        c->Font()->Assign(&FDefaultFont);
    }
    c->Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet : FDefaultFont.Charset());
    c->Brush()->SetStyle(bsClear);
    TRect tr = EditRect();
    if (FImages && FLeftImageIndex >= 0) tr.left += FImages->Width() + 2;
    if (FImages && FRightImageIndex >= 0) tr.right -= FImages->Width() + 2;
    const int tw = c->TextExtent(aText).cx;
    const int tx = FAlignment == taRightJustify ? tr.right - tw
                   : FAlignment == taCenter     ? tr.left + 2 + tr.Width() / 2 - tw / 2
                                                : tr.left + 2;
    c->TextRect(tr, tx, tr.top, aText);
    target->Draw(x, y, &b);
}

void TbsSkinCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE: {
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        int l = 2, t = 2, rr = 2, b = 2;
        if (TbsDataSkinEditControl* rec = Record()) {
            l = rec->ClRect.left;
            t = rec->ClRect.top;
            rr = rec->SkinRect.Width() - rec->ClRect.right;
            b = rec->SkinRect.Height() - rec->ClRect.bottom;
        }
        if (FButtonMode) rr += 19;
        r->left += l;
        r->top += t;
        r->right -= rr;
        r->bottom -= b;
        m.Result = 0;
        return;
    }
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(Handle());
        PaintFrame(dc);
        ReleaseDC(Handle(), dc);
        m.Result = 0;
        return;
    }
    case WM_SIZE:
        TbsCustomEdit::WndProc(m);
        CalcButton();
        CalcImageButtons(true);
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        if (!EditTransparent() && FIndex == -1) {
            // The default look's text area in DefaultColor.
            auto dc = reinterpret_cast<HDC>(m.WParam);
            SetBkColor(dc, ColorToRGB(Color()));
            SetTextColor(dc, ColorToRGB(Font()->Color()));
            m.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
            return;
        }
        break;
    case WM_PRINTCLIENT:
        TbsCustomEdit::WndProc(m);
        PaintImageButtons(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_PAINT:
        TbsCustomEdit::WndProc(m);
        if (FImages) {
            HDC dc = GetDC(Handle());
            PaintImageButtons(dc);
            ReleaseDC(Handle(), dc);
        }
        return;
    case WM_NCHITTEST:
        if (ImageHitTest(m)) return;
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (FImages && (m.WParam == bsHTLeftImage || m.WParam == bsHTRightImage)) {
            ImageButtonDown(static_cast<LRESULT>(m.WParam));
            if (m.Msg == WM_NCLBUTTONDBLCLK) UpdateWindow(Handle());
            return;
        }
        if (FButtonMode && OnButton(m.LParam)) {
            FButton.Down = FButton.MouseIn = true;
            SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        }
        return;
    case WM_NCLBUTTONUP:
        if (FImages && (m.WParam == bsHTLeftImage || m.WParam == bsHTRightImage)) {
            ImageButtonUp(static_cast<LRESULT>(m.WParam));
            return;
        }
        if (FButton.Down) {
            FButton.Down = false;
            SendMessageW(Handle(), WM_NCPAINT, 1, 0);
            if (OnButton(m.LParam) && OnButtonClick) OnButtonClick(this);
        }
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseIn = m.Msg == CM_MOUSEENTER;
        if (!FMouseIn) ClearImageHover();
        TbsCustomEdit::WndProc(m);
        if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TbsCustomEdit::WndProc(m);
        if (TbsDataSkinEditControl* r = Record()) Font()->SetColor(Focused() ? r->ActiveFontColor : r->FontColor);
        if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        CalcImageButtons(true);
        return;
    default: break;
    }
    TbsCustomEdit::WndProc(m);
}
