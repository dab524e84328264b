#include "skin/boxes/bsSkinEdits.h"

#include <algorithm>

#include "platform/Forms.h"
#include "platform/Owners.h"
#include "platform/SysUtils.h"
#include "skin/bsResStrData.h"
#include "skin/frame/bsSkinFrame.h"

TbsEditMenuPopup& EditMenuPopupHook() {
    static TbsEditMenuPopup hook = [](TPopupMenu* menu, TControl* control, int x, int y) {
        if (auto* skinned = dynamic_cast<TbsSkinPopupMenu*>(menu)) skinned->Popup2(control, x, y);
        else menu->Popup(x, y);
    };
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
        if (const void* p = GlobalLock(h)) {
            s = TextOfClipboardBlock(p, GlobalSize(h));
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

String TextOfClipboardBlock(const void* block, size_t bytes) {
    if (!block) return String();
    const auto* p = static_cast<const wchar_t*>(block);
    const size_t most = bytes / sizeof(wchar_t);
    return String(p, std::find(p, p + most, L'\0'));
}

// ---- TbsCustomEdit -----------------------------------------------------------------------------

TbsCustomEdit::TbsCustomEdit(TComponent* owner) : TCustomMaskEdit(owner) {
    ControlStyle |= csOpaque;
}

TbsCustomEdit::~TbsCustomEdit() {
    // A menu chain still showing our entries closes before they go.
    if (FSysPopupMenu && FSysPopupMenu->IsOpen() && FSysPopupMenu->ComponentForm)
        if (TbsSkinFrame* frame = FindSkinFormComponent(FSysPopupMenu->ComponentForm)) frame->SkinMenu->Hide();
}

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
    // The menu before may still be on screen until the new one replaces it.
    FUsedPopupMenu = std::move(FSysPopupMenu);
    FSysPopupMenu = std::make_unique<TbsSkinPopupMenu>(nullptr);
    TCustomForm* form = GetParentForm(this);
    if (form && form->FormStyle() == fsMDIChild && Application) form = Application->MainForm();
    FSysPopupMenu->ComponentForm = form;
    TbsResourceStrData* strings = FormStrings(this);
    auto text = [strings](const wchar_t* key, const wchar_t* builtIn) {
        return bsResText(strings, key, builtIn);
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
    case WM_SKINMENUCOMMAND: FUsedPopupMenu = std::move(FSysPopupMenu); return;
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
