#include "platform/StdCtrls.h"

#include <algorithm>
#include <cwctype>

#include "platform/Clock.h"
#include "platform/Owners.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    // The system button reports clicks itself (BN_CLICKED).
    ControlStyle &= ~static_cast<unsigned>(csClickEvents | csAcceptsControls | csSetCaption);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SystemClassName = L"BUTTON";
    p.Style |= active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
    if (v == default_) return;
    default_ = v;
    SetActive(v);
}

void TButton::SetActive(bool v) {
    if (v == active_) return;
    active_ = v;
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form && ModalResult != mrNone) form->ModalResult = ModalResult;
    TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    case CM_DIALOGKEY:
        if (((m.WParam == VK_RETURN && active_) || (m.WParam == VK_ESCAPE && Cancel)) && CanFocus()) {
            Click();
            m.Result = 1;
        }
        return;
    case CM_DIALOGCHAR: {
        // "&Start" answers Alt+S (and S where the focus takes no characters).
        const String text = GetText();
        const size_t amp = text.find(L'&');
        if (amp != String::npos && amp + 1 < text.size() && CanFocus() &&
            towupper(text[amp + 1]) == towupper(static_cast<wchar_t>(m.WParam))) {
            Click();
            m.Result = 1;
        }
        return;
    }
    case CM_FOCUSCHANGED: {
        // The focused button answers Enter; with a non-button focused, the default one does.
        auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
        SetActive(focused == this || (default_ && !dynamic_cast<TButton*>(focused)));
        return;
    }
    default:
        TWinControl::WndProc(m);
    }
}

// ---- TCustomLabel -------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle |= csOpaque | csReplicatable;
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment v) {
    if (v != alignment_) alignment_ = v, Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
    if (v != layout_) layout_ = v, Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
    if (v == wordWrap_) return;
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    if (v) ControlStyle &= ~static_cast<unsigned>(csOpaque);
    else ControlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
    if (v == showAccelChar_) return;
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

String TCustomLabel::GetLabelText() { return Caption(); }

UINT TCustomLabel::TextFlags() const {
    static const UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT f = DT_EXPANDTABS | align[alignment_];
    if (wordWrap_) f |= DT_WORDBREAK;
    if (!showAccelChar_) f |= DT_NOPREFIX;
    return f;
}

void TCustomLabel::DoDrawText(TRect& r, UINT flags) {
    String text = GetLabelText();
    // An empty line still has a height.
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == L"&"))) text += L" ";
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    HDC dc = c->Handle();
    SetBkMode(dc, TRANSPARENT);
    RECT rr = r;
    if (!Enabled() && !(flags & DT_CALCRECT)) {
        OffsetRect(&rr, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rr, flags);
        OffsetRect(&rr, -1, -1);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rr, flags);
    r = rr;
}

void TCustomLabel::Paint() {
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    if (!transparent_) {
        c->Brush()->SetColor(Color());
        c->FillRect(client);
    }
    TRect r = client;
    UINT flags = TextFlags();
    if (layout_ != tlTop) {
        TRect calc = client;
        DoDrawText(calc, flags | DT_CALCRECT);
        const int offset = client.Height() - calc.Height();
        r.top += layout_ == tlBottom ? offset : offset / 2;
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
    if (!AutoSize() || Has(csLoading)) return;
    TRect r = ClientRect();
    if (!wordWrap_) r.right = r.left + 0x7FFF;
    {
        const platform::WindowDC screen;
        Canvas()->SetHandle(screen.Get());
        // The canvas lets the screen DC go before it is released.
        struct Unset {
            TCanvas* canvas;
            ~Unset() { canvas->SetHandle(nullptr); }
        } unset{Canvas()};
        DoDrawText(r, TextFlags() | DT_CALCRECT);
    }
    int left = Left();
    // A right-aligned label keeps its right edge, a centred one its middle.
    if (alignment_ == taRightJustify && !wordWrap_) left += Width() - r.Width();
    else if (alignment_ == taCenter && !wordWrap_) left += (Width() - r.Width()) / 2;
    SetBounds(left, Top(), r.Width(), r.Height());
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TGraphicControl::WndProc(m);
        AdjustBounds();
        Invalidate();
        return;
    case CM_DIALOGCHAR: {
        const String text = Caption();
        const size_t amp = text.find(L'&');
        if (showAccelChar_ && FocusControl && amp != String::npos && amp + 1 < text.size() &&
            towupper(text[amp + 1]) == towupper(static_cast<wchar_t>(m.WParam)) && FocusControl->CanFocus()) {
            FocusControl->SetFocus();
            m.Result = 1;
        }
        return;
    }
    default:
        TGraphicControl::WndProc(m);
    }
}

// ---- TCustomEdit -------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    ControlStyle &= ~static_cast<unsigned>(csAcceptsControls | csClickEvents | csSetCaption);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 23);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SystemClassName = L"EDIT";
    p.Style |= ES_AUTOHSCROLL;
    if (readOnly_) p.Style |= ES_READONLY;
    if (!HideSelection) p.Style |= ES_NOHIDESEL;
    if (charCase_ == ecUpperCase) p.Style |= ES_UPPERCASE;
    if (charCase_ == ecLowerCase) p.Style |= ES_LOWERCASE;
    if (passwordChar_) p.Style |= ES_PASSWORD;
    if (BorderStyleSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (passwordChar_) SendMessageW(Handle(), EM_SETPASSWORDCHAR, passwordChar_, 0);
}

void TCustomEdit::SetMaxLength(int v) {
    maxLength_ = std::max(0, v);
    if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetPasswordChar(wchar_t v) {
    if (v == passwordChar_) return;
    passwordChar_ = v;
    RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
    if (v == charCase_) return;
    charCase_ = v;
    RecreateWnd();
}

int TCustomEdit::SelStart() {
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int v) { SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(v), v); }

int TCustomEdit::SelLength() {
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int v) {
    const int start = SelStart();
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + v);
}

String TCustomEdit::SelText() {
    const String text = GetText();
    const size_t start = static_cast<size_t>(SelStart());
    return start < text.size() ? text.substr(start, static_cast<size_t>(SelLength())) : String();
}

void TCustomEdit::SetSelText(const String& v) {
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(v.c_str()));
}

void TCustomEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

bool TCustomEdit::Modified() { return HandleAllocated() && SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0; }

void TCustomEdit::SetModified(bool v) { SendMessageW(Handle(), EM_SETMODIFY, v, 0); }

bool TCustomEdit::CanUndo() { return HandleAllocated() && SendMessageW(Handle(), EM_CANUNDO, 0, 0) != 0; }

void TCustomEdit::Undo() { SendMessageW(Handle(), WM_UNDO, 0, 0); }
void TCustomEdit::CutToClipboard() { SendMessageW(Handle(), WM_CUT, 0, 0); }
void TCustomEdit::CopyToClipboard() { SendMessageW(Handle(), WM_COPY, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessageW(Handle(), WM_PASTE, 0, 0); }

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::DoEnter() {
    if (AutoSelect && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == EN_CHANGE && !(ControlState & csCreating)) Change();
        return;
    }
    TWinControl::WndProc(m);
}

// ---- TCustomMemo --------------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner) {
    AutoSelect = false;
    SetBounds(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth) p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (WantReturns) p.Style |= ES_WANTRETURN;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
}

void TCustomMemo::SetWordWrap(bool v) {
    if (v != wordWrap_) wordWrap_ = v, RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
    if (v != scrollBars_) scrollBars_ = v, RecreateWnd();
}

int TCustomMemo::LineCount() {
    FlushLines();
    return static_cast<int>(SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0));
}

String TCustomMemo::Line(int i) {
    FlushLines();
    const LRESULT start = SendMessageW(Handle(), EM_LINEINDEX, static_cast<WPARAM>(i), 0);
    if (start < 0) return String();
    const auto n = static_cast<size_t>(SendMessageW(Handle(), EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    // EM_GETLINE takes the buffer size in its first word.
    String s(std::max<size_t>(n, 1) + 1, L'\0');
    s[0] = static_cast<wchar_t>(s.size());
    const auto got = static_cast<size_t>(SendMessageW(Handle(), EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data())));
    s.resize(std::min(got, n));
    return s;
}

void TCustomMemo::AddLine(const String& s) {
    pendingLines_.push_back(s);
    // A memo not on screen (hidden, or beyond its parent's edge) takes its
    // lines when it is read or painted.
    if (flushTimer_ || !OnScreen()) return;
    platform::SetWindowTimer(Handle(), kFlushTimer, kFlushDelayMs);
    flushTimer_ = true;
}

namespace {

// Messages that read, change or show the text of an edit control, or act
// on its selection: the lines still waiting go in first. (New text from
// WM_SETTEXT replaces them instead.)
bool SeesMemoText(UINT msg) {
    switch (msg) {
    case WM_PAINT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_COPY:
    case WM_CUT:
    case WM_CLEAR:
    case WM_PASTE:
        return true;
    default:
        return msg >= EM_GETSEL && msg <= EM_GETIMESTATUS;
    }
}

}  // namespace

void TCustomMemo::DropLines() {
    if (flushTimer_ && HandleAllocated()) platform::KillWindowTimer(Handle(), kFlushTimer);
    flushTimer_ = false;
    pendingLines_.clear();
}

void TCustomMemo::FlushLines() {
    if (flushTimer_ && HandleAllocated()) platform::KillWindowTimer(Handle(), kFlushTimer);
    flushTimer_ = false;
    if (pendingLines_.empty()) return;
    std::vector<String> lines;
    lines.swap(pendingLines_);
    const int end = GetWindowTextLengthW(Handle());
    // Each line after a line break, the first one of an empty text without.
    String text;
    for (const String& line : lines) text += end > 0 || !text.empty() ? L"\r\n" + line : line;
    if (text.empty()) return;
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

String TCustomMemo::GetText() const {
    // Reading gives every line added so far.
    if (!pendingLines_.empty() && HandleAllocated()) const_cast<TCustomMemo*>(this)->FlushLines();
    return TCustomEdit::GetText();
}

void TCustomMemo::SetText(const String& v) {
    DropLines();  // the new text replaces them
    TCustomEdit::SetText(v);
}

void TCustomMemo::WndProc(TMessage& m) {
    if (m.Msg == WM_TIMER && m.WParam == kFlushTimer) {
        FlushLines();
        return;
    }
    if (!pendingLines_.empty()) {
        if (m.Msg == WM_SETTEXT) DropLines();  // the new text replaces them
        else if (SeesMemoText(m.Msg)) FlushLines();
    }
    if (m.Msg == WM_DESTROY) flushTimer_ = false;  // the window's timers go with it
    if (m.Msg == CM_WANTSPECIALKEY && ((m.WParam == VK_RETURN && WantReturns) || (m.WParam == VK_TAB && WantTabs))) {
        m.Result = 1;
        return;
    }
    TCustomEdit::WndProc(m);
}

// ---- TListBoxStrings ----------------------------------------------------------------------------

void TListBoxStrings::Check(int index) const {
    if (index < 0 || index >= Count()) throw EStringListError(L"List index out of bounds (" + IntToStr(index) + L")");
}

String TListBoxStrings::Get(int index) const {
    Check(index);
    return items_[static_cast<size_t>(index)].first;
}

void TListBoxStrings::Put(int index, const String& s) {
    Check(index);
    TObject* obj = items_[static_cast<size_t>(index)].second;
    const bool selected = owner_->HandleAllocated() && owner_->Selected(index);
    Delete(index);
    InsertObject(index, s, obj);
    if (selected) owner_->SetSelected(index, true);
}

TObject* TListBoxStrings::GetObject(int index) const {
    Check(index);
    return items_[static_cast<size_t>(index)].second;
}

void TListBoxStrings::PutObject(int index, TObject* obj) {
    Check(index);
    items_[static_cast<size_t>(index)].second = obj;
    if (owner_->HandleAllocated()) owner_->Send(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(obj));
}

void TListBoxStrings::Insert(int index, const String& s) {
    if (index < 0 || index > Count()) throw EStringListError(L"List index out of bounds (" + IntToStr(index) + L")");
    items_.insert(items_.begin() + index, {s, nullptr});
    if (owner_->HandleAllocated() &&
        owner_->Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str())) < 0) {
        items_.erase(items_.begin() + index);
        throw EOutOfResources(L"Cannot add the line to the list box");
    }
}

int TListBoxStrings::Add(const String& s) { return AddObject(s, nullptr); }

int TListBoxStrings::AddObject(const String& s, TObject* obj) {
    int index = Count();
    if (owner_->sorted_) {
        index = static_cast<int>(std::upper_bound(items_.begin(), items_.end(), s,
                                                  [](const String& a, const auto& b) { return CompareText(a, b.first) < 0; }) -
                                 items_.begin());
    }
    Insert(index, s);
    if (obj) PutObject(index, obj);
    return index;
}

void TListBoxStrings::Delete(int index) {
    Check(index);
    items_.erase(items_.begin() + index);
    if (owner_->HandleAllocated()) owner_->Send(LB_DELETESTRING, static_cast<WPARAM>(index));
}

void TListBoxStrings::Clear() {
    items_.clear();
    if (owner_->HandleAllocated()) owner_->Send(LB_RESETCONTENT);
}

// ---- TCustomListBox -----------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(this), canvas_(std::make_unique<TControlCanvas>(this)) {
    ControlStyle &= ~static_cast<unsigned>(csAcceptsControls | csClickEvents | csSetCaption);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() {
    Destroying();
    canvas_->FreeHandle();
    DestroyHandle();
}

LRESULT TCustomListBox::Send(UINT msg, WPARAM wp, LPARAM lp) { return SendMessageW(Handle(), msg, wp, lp); }

TCanvas* TCustomListBox::Canvas() { return canvas_.get(); }

void TCustomListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SystemClassName = L"LISTBOX";
    p.Style |= LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL;
    if (!IntegralHeight) p.Style |= LBS_NOINTEGRALHEIGHT;
    if (style_ == lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED;
    if (style_ == lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE;
    if (multiSelect_) p.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (columns_ > 0) p.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (BorderStyleSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    if (style_ == lbOwnerDrawFixed) Send(LB_SETITEMHEIGHT, 0, itemHeight_);
    if (columns_ > 0) Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, Width() / columns_)));
    ShowItems();
}

void TCustomListBox::ShowItems() {
    for (size_t i = 0; i < items_.items_.size(); ++i) {
        Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.items_[i].first.c_str()));
        Send(LB_SETITEMDATA, i, reinterpret_cast<LPARAM>(items_.items_[i].second));
    }
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
    if (v != style_) style_ = v, RecreateWnd();
}

void TCustomListBox::SetItemHeight(int v) {
    if (v <= 0 || v == itemHeight_) return;
    itemHeight_ = v;
    if (HandleAllocated() && style_ == lbOwnerDrawFixed) {
        Send(LB_SETITEMHEIGHT, 0, v);
        Invalidate();
    }
}

void TCustomListBox::SetMultiSelect(bool v) {
    if (v != multiSelect_) multiSelect_ = v, RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool v) {
    if (v != extendedSelect_) extendedSelect_ = v, RecreateWnd();
}

void TCustomListBox::SetSorted(bool v) {
    if (v == sorted_) return;
    sorted_ = v;
    if (!v) return;
    std::stable_sort(items_.items_.begin(), items_.items_.end(),
                     [](const auto& a, const auto& b) { return CompareText(a.first, b.first) < 0; });
    if (HandleAllocated()) {
        Send(LB_RESETCONTENT);
        ShowItems();
    }
}

void TCustomListBox::SetColumns(int v) {
    if (v < 0 || v == columns_) return;
    const bool restyle = (v == 0) != (columns_ == 0);
    columns_ = v;
    if (restyle) RecreateWnd();
    else if (HandleAllocated()) Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, Width() / v)));
}

int TCustomListBox::ItemIndex() {
    if (!HandleAllocated()) return -1;
    if (multiSelect_) {
        const int caret = static_cast<int>(Send(LB_GETCARETINDEX));
        return caret >= 0 && caret < Count() && (Selected(caret) || SelCount() > 0) ? caret : -1;
    }
    return static_cast<int>(Send(LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int i) {
    if (i >= Count()) i = -1;
    if (multiSelect_) {
        Send(LB_SETSEL, FALSE, -1);
        if (i >= 0) {
            Send(LB_SETSEL, TRUE, i);
            Send(LB_SETCARETINDEX, static_cast<WPARAM>(i), FALSE);
        }
        return;
    }
    Send(LB_SETCURSEL, static_cast<WPARAM>(i));
}

bool TCustomListBox::Selected(int i) {
    if (i < 0 || i >= Count()) throw EListError(L"List index out of bounds (" + IntToStr(i) + L")");
    return Send(LB_GETSEL, static_cast<WPARAM>(i)) > 0;
}

void TCustomListBox::SetSelected(int i, bool v) {
    if (i < 0 || i >= Count()) throw EListError(L"List index out of bounds (" + IntToStr(i) + L")");
    if (multiSelect_) Send(LB_SETSEL, v, i);
    else if (v) Send(LB_SETCURSEL, static_cast<WPARAM>(i));
    else if (ItemIndex() == i) Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

int TCustomListBox::SelCount() {
    if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
    return static_cast<int>(Send(LB_GETSELCOUNT));
}

void TCustomListBox::ClearSelection() {
    if (multiSelect_) Send(LB_SETSEL, FALSE, -1);
    else Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

void TCustomListBox::SelectAll() {
    if (multiSelect_) Send(LB_SETSEL, TRUE, -1);
}

int TCustomListBox::TopIndex() { return static_cast<int>(Send(LB_GETTOPINDEX)); }

void TCustomListBox::SetTopIndex(int i) { Send(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, i))); }

TRect TCustomListBox::ItemRect(int i) {
    RECT r{};
    if (i < 0 || i >= Count()) {
        // Below the last row: where a new row would go.
        if (i != Count() || Count() == 0) return TRect();
        const TRect last = ItemRect(i - 1);
        return TRect(last.left, last.bottom, last.right, last.bottom + last.Height());
    }
    Send(LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomListBox::ItemAtPos(const TPoint& p, bool existing) {
    const LRESULT hit = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    const int index = LOWORD(hit);
    if (!existing) return index;
    if (HIWORD(hit) || index >= Count() || !ItemRect(index).Contains(p)) return -1;
    return index;
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas* c = Canvas();
    c->Brush()->SetColor((state & odSelected) ? clHighlight : Color());
    c->FillRect(rect);
    if (index < 0 || index >= Count()) return;
    c->Font()->SetColor((state & odSelected) ? clHighlightText : Font()->Color());
    c->TextRect(rect, rect.left + 2, rect.top, items_.Get(index));
}

void TCustomListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomListBox::DrawItemMessage(const DRAWITEMSTRUCT& d) {
    TOwnerDrawState state = 0;
    if (d.itemState & ODS_SELECTED) state |= odSelected;
    if (d.itemState & ODS_GRAYED) state |= odGrayed;
    if (d.itemState & ODS_DISABLED) state |= odDisabled;
    if (d.itemState & ODS_CHECKED) state |= odChecked;
    if (d.itemState & ODS_FOCUS) state |= odFocused;
    const int index = static_cast<int>(d.itemID);
    canvas_->PaintOn(d.hDC, [&] {
        canvas_->Font()->Assign(Font());
        canvas_->Brush()->SetColor(Color());
        DrawItem(index, TRect(d.rcItem), state);
        if ((state & odFocused) && !OnDrawItem) DrawFocusRect(d.hDC, &d.rcItem);
    });
}

bool TCustomListBox::SearchTyped(wchar_t ch) {
    if (ch != VK_BACK && ch < L' ') return false;
    const DWORD now = platform::TickCount();
    if (now - lastTyped_ >= 500) filter_.clear();
    lastTyped_ = now;
    if (ch != VK_BACK) filter_ += ch;
    else if (!filter_.empty()) filter_.pop_back();
    if (filter_.empty()) return true;
    const auto found = static_cast<int>(Send(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(filter_.c_str())));
    if (found == LB_ERR) return true;
    const bool moved = found != ItemIndex();
    SetItemIndex(found);
    if (moved) Click();
    return true;
}

void TCustomListBox::WndProc(TMessage& m) {
    if (DragMessage(m)) return;
    switch (m.Msg) {
    case WM_CHAR:
        if (AutoComplete) {
            auto ch = static_cast<wchar_t>(m.WParam);
            if (DoKeyPress(ch)) return;
            m.WParam = ch;
            if (!SearchTyped(ch)) DefaultHandler(m);
            return;
        }
        TWinControl::WndProc(m);
        return;
    case CN_COMMAND:
        if (HIWORD(m.WParam) == LBN_SELCHANGE) Click();
        else if (HIWORD(m.WParam) == LBN_DBLCLK) DblClick();
        return;
    case CN_DRAWITEM:
        DrawItemMessage(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case CN_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        int h = itemHeight_;
        if (style_ == lbOwnerDrawVariable) MeasureItem(static_cast<int>(mi->itemID), h);
        mi->itemHeight = static_cast<UINT>(h);
        m.Result = TRUE;
        return;
    }
    default:
        TWinControl::WndProc(m);
    }
}
