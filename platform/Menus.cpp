#include "platform/Menus.h"

#include <algorithm>
#include <unordered_set>

#include "platform/Bitmap.h"
#include "platform/Forms.h"
#include "platform/Owners.h"

// ---- shortcuts ----------------------------------------------------------------------------------

namespace {

struct KeyName {
    WORD key;
    const wchar_t* name;
};

const KeyName kKeyNames[] = {
    {VK_BACK, L"BkSp"}, {VK_TAB, L"Tab"},      {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},  {VK_SPACE, L"Space"},
    {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"},    {VK_END, L"End"},      {VK_HOME, L"Home"},   {VK_LEFT, L"Left"},
    {VK_UP, L"Up"},      {VK_RIGHT, L"Right"},  {VK_DOWN, L"Down"},    {VK_INSERT, L"Ins"},  {VK_DELETE, L"Del"},
};

String KeyText(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + IntToStr(key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return k.name;
    return String();
}

// Items alive now: an owner-drawn menu names its item by address.
std::unordered_set<const TMenuItem*>& LiveItems() {
    static std::unordered_set<const TMenuItem*> items;
    return items;
}

UINT g_nextCommand = 1;

UINT NewCommand() {
    const UINT c = g_nextCommand;
    g_nextCommand = g_nextCommand >= 0xEFFF ? 1 : g_nextCommand + 1;
    return c;
}

}  // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
    if (key > 0xFF) return scNone;
    return static_cast<TShortCut>(key | ((shift & ssShift) ? scShift : 0) | ((shift & ssCtrl) ? scCtrl : 0) |
                                  ((shift & ssAlt) ? scAlt : 0));
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = 0;
    if (shortCut & scShift) shift |= ssShift;
    if (shortCut & scCtrl) shift |= ssCtrl;
    if (shortCut & scAlt) shift |= ssAlt;
}

String ShortCutToText(TShortCut shortCut) {
    const String key = KeyText(shortCut & 0xFF);
    if (key.empty()) return String();
    String s;
    if (shortCut & scShift) s += L"Shift+";
    if (shortCut & scCtrl) s += L"Ctrl+";
    if (shortCut & scAlt) s += L"Alt+";
    return s + key;
}

TShortCut TextToShortCut(const String& text) {
    String rest = UpperCase(text);
    WORD flags = 0;
    for (;;) {
        if (rest.rfind(L"SHIFT+", 0) == 0) flags |= scShift, rest.erase(0, 6);
        else if (rest.rfind(L"CTRL+", 0) == 0) flags |= scCtrl, rest.erase(0, 5);
        else if (rest.rfind(L"ALT+", 0) == 0) flags |= scAlt, rest.erase(0, 4);
        else break;
    }
    for (WORD key = 1; key <= 0xFF; ++key)
        if (!rest.empty() && UpperCase(KeyText(key)) == rest) return static_cast<TShortCut>(key | flags);
    return scNone;
}

// ---- items ----------------------------------------------------------------------------------------

bool IsAccel(WORD key, const String& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;  // a plain ampersand
            continue;
        }
        wchar_t pair[2] = {caption[i + 1], static_cast<wchar_t>(key)};
        CharUpperBuffW(pair, 2);
        return pair[0] == pair[1];
    }
    return false;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NewCommand()) { LiveItems().insert(this); }

TMenuItem::~TMenuItem() {
    LiveItems().erase(this);
    Destroying();
    while (!items_.empty()) items_.back()->Free();
    if (parent_) parent_->Remove(this);
}

void TMenuItem::MenuChanged() {
    if (TMenu* m = GetParentMenu(); m && !m->Has(csDestroying)) m->MenuChanged(this);
}

void TMenuItem::SetCaption(const String& v) {
    if (v == caption_) return;
    caption_ = v;
    MenuChanged();
}

void TMenuItem::SetShortCut(TShortCut v) {
    if (v == shortCut_) return;
    shortCut_ = v;
    MenuChanged();
}

void TMenuItem::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (v && radioItem_ && parent_)
        for (TMenuItem* other : parent_->items_)
            if (other != this && other->radioItem_ && other->groupIndex_ == groupIndex_) other->checked_ = false;
    MenuChanged();
}

void TMenuItem::SetRadioItem(bool v) {
    radioItem_ = v;
    MenuChanged();
}

void TMenuItem::SetGroupIndex(BYTE v) {
    groupIndex_ = v;
    MenuChanged();
}

void TMenuItem::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    MenuChanged();
}

void TMenuItem::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    MenuChanged();
}

void TMenuItem::SetImageIndex(int v) {
    imageIndex_ = v;
    MenuChanged();
}

TBitmap* TMenuItem::Bitmap() {
    if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
    return bitmap_.get();
}

bool TMenuItem::HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }

void TMenuItem::SetBitmap(TBitmap* v) {
    Bitmap()->Assign(v);
    MenuChanged();
}

void TMenuItem::SetDefault(bool v) {
    default_ = v;
    MenuChanged();
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

int TMenuItem::IndexOf(const TMenuItem* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) throw EMenuError(L"Cannot insert this menu item");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw EMenuError(L"A menu item cannot contain itself");
    if (index < 0 || index > Count()) throw EMenuError(L"Menu index out of range");
    if (item->parent_) item->parent_->Remove(item);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    const int i = IndexOf(item);
    if (i < 0) throw EMenuError(L"Menu item not found");
    items_.erase(items_.begin() + i);
    item->parent_ = nullptr;
    MenuChanged();
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count()) throw EMenuError(L"Menu index out of range");
    items_[static_cast<size_t>(index)]->Free();
}

void TMenuItem::Clear() {
    while (!items_.empty()) items_.back()->Free();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* p = this;
    while (p->parent_) p = p->parent_;
    return p->menu_;
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
    if (command_ == command) return this;
    for (TMenuItem* c : items_)
        if (TMenuItem* found = c->FindCommand(command)) return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
    if (shortCut == scNone || !visible_ || !enabled_) return nullptr;
    if (shortCut_ == shortCut && parent_) return this;
    for (TMenuItem* c : items_)
        if (TMenuItem* found = c->FindShortCut(shortCut)) return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (AutoCheck) SetChecked(radioItem_ ? true : !checked_);
    ExecuteActionOrClick(actionLink_.get(), OnClick, this);
}

void TMenuItem::SetAction(TBasicAction* v) {
    TActionLink::Assign(actionLink_, v, [this](TBasicAction* a, bool) { ActionChange(a); });
}

void TMenuItem::ActionChange(TBasicAction* action) {
    auto* a = dynamic_cast<TCustomAction*>(action);
    if (!a) return;
    SetCaption(a->Caption());
    SetEnabled(a->Enabled());
    SetChecked(a->Checked());
    Hint = a->Hint();
    SetImageIndex(a->ImageIndex());
}

String TMenuItem::NativeText() const {
    const String keys = ShortCutToText(shortCut_);
    return keys.empty() ? caption_ : caption_ + L"\t" + keys;
}

bool TMenuItem::LinesAutomatic() const {
    for (const TMenuItem* i = this; i; i = i->parent_) {
        if (i->AutoLineReduction == maAutomatic) return true;
        if (i->AutoLineReduction == maManual) return false;
        if (i->menu_) return i->menu_->AutoLineReduction == maAutomatic;
    }
    return false;
}

bool TMenuItem::RethinkOwnLines() {
    // A line is shown when a shown item lies between it and the previous
    // shown line (or the start), and another shown item follows it.
    std::vector<std::pair<TMenuItem*, bool>> lines;
    bool itemSince = false;
    for (TMenuItem* c : items_) {
        if (c->IsLine()) {
            lines.emplace_back(c, itemSince);
            if (itemSince) itemSince = false;
        } else if (c->visible_) {
            itemSince = true;
        }
    }
    // The last shown line needs a shown item after it.
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (it->second) {
            it->second = itemSince;
            break;
        }
    bool changed = false;
    for (auto& [line, show] : lines)
        if (line->visible_ != show) line->visible_ = show, changed = true;
    return changed;
}

bool TMenuItem::RethinkLines() {
    bool changed = RethinkOwnLines();
    for (TMenuItem* c : items_)
        if (!c->items_.empty() && c->LinesAutomatic()) changed = c->RethinkLines() || changed;
    return changed;
}

void TMenuItem::AppendTo(HMENU menu) {
    if (!visible_) return;
    if (IsLine()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    const String text = NativeText();
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_FTYPE;
    info.fType = MFT_STRING | (radioItem_ ? MFT_RADIOCHECK : 0);
    if (OnDrawItem) {
        info.fType |= MFT_OWNERDRAW;
        info.fMask |= MIIM_DATA;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    }
    info.fState = (enabled_ ? MFS_ENABLED : MFS_DISABLED) | (checked_ ? MFS_CHECKED : 0) | (default_ ? MFS_DEFAULT : 0);
    info.wID = command_;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    if (!items_.empty()) {
        HMENU sub = CreatePopupMenu();
        for (TMenuItem* c : items_) c->AppendTo(sub);
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = sub;
    }
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

// ---- menus ---------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu() {
    Destroying();
    items_->menu_ = nullptr;
    items_->Free();
}

HMENU TMenu::CreateNativeMenu(bool popup) const {
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    if (!menu) throw EOutOfResources(L"Cannot create a menu");
    if (items_->LinesAutomatic()) items_->RethinkLines();
    for (TMenuItem* c : items_->items_) c->AppendTo(menu);
    return menu;
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    TMenuItem* item = items_->FindShortCut(ShortCut(key, shift));
    if (!item) return false;
    // Every parent must be usable too.
    for (TMenuItem* p = item->parent_; p && p != items_; p = p->parent_)
        if (!p->enabled_ || !p->visible_) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = items_->FindCommand(command);
    if (!item || item == items_) return false;
    item->Click();
    return true;
}

void TMenu::MenuChanged(TMenuItem*) {
    if (OnChange) OnChange(this);
}

TMainMenu::~TMainMenu() {
    Destroying();
    if (WindowHandle && IsWindow(WindowHandle) && GetMenu(WindowHandle) == handle_) SetMenu(WindowHandle, nullptr);
    FreeHandle();
}

void TMainMenu::FreeHandle() {
    if (handle_) DestroyMenu(handle_);
    handle_ = nullptr;
}

HMENU TMainMenu::Handle() {
    if (!handle_) handle_ = CreateNativeMenu(false);
    return handle_;
}

void TMainMenu::MenuChanged(TMenuItem* item) {
    if (handle_) {
        HMENU old = handle_;
        handle_ = CreateNativeMenu(false);
        if (WindowHandle && IsWindow(WindowHandle) && GetMenu(WindowHandle) == old) {
            SetMenu(WindowHandle, handle_);
            SendMessageW(WindowHandle, CM_MENUCHANGED, 0, 0);
            DrawMenuBar(WindowHandle);
        }
        DestroyMenu(old);
    }
    TMenu::MenuChanged(item);
}

TComponentLink& TComponentLink::operator=(TComponent* c) {
    value_ = c;
    if (c && holder_) holder_->FreeNotification(c);
    return *this;
}

void TPopupMenu::Notification(TComponent* component, TOperation op) {
    TMenu::Notification(component, op);
    if (op == opRemove) PopupComponent.Forget(component);
}

void TPopupMenu::DoPopup() {
    if (OnPopup) OnPopup(this);
}

void TPopupMenu::Popup(int x, int y) {
    DoPopup();
    chosen_ = nullptr;
    HMENU menu = CreateNativeMenu(true);
    HWND owner = nullptr;
    if (auto* c = dynamic_cast<TWinControl*>(PopupComponent.Get())) owner = c->Handle();
    if (!owner && Application) owner = Application->Handle();
    static const UINT align[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, align[Alignment] | TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
    DestroyMenu(menu);
    if (command) chosen_ = Items()->FindCommand(command);
    if (OnClose) OnClose(this);
    // The item runs after the menu has gone.
    if (chosen_) chosen_->Click();
}

void TPopupMenu::PopupForControl(TControl* control, const TRect& r, bool up) {
    PopupComponent = control;
    Popup(r.left, up ? r.top : r.bottom);
}

bool ContextPopup(TWinControl* control, LPARAM pos) {
    const bool keyboard = pos == -1;
    TPoint at = keyboard ? control->ClientToScreen(TPoint(0, 0))
                         : TPoint(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
    TControl* target = control;
    if (!keyboard)
        if (TControl* inner = control->ControlAtPos(control->ScreenToClient(at), false); inner && inner->PopupMenu)
            target = inner;
    TPopupMenu* menu = target->PopupMenu;
    if (!menu || !menu->AutoPopup) return false;
    menu->PopupComponent = target;
    menu->Popup(at.x, at.y);
    return true;
}

// ---- owner-drawn items -------------------------------------------------------------------------

namespace {

TMenuItem* OwnerDrawnItem(ULONG_PTR data) {
    auto* item = reinterpret_cast<TMenuItem*>(data);
    return item && LiveItems().count(item) && item->OnDrawItem ? item : nullptr;
}

// The size the caption needs in the menu font, with room for a check mark.
void MeasureItem(const TMenuItem* item, MEASUREITEMSTRUCT& mi) {
    platform::WindowDC dc;
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    platform::GdiFont font;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        font.Reset(platform::TrackGdi(CreateFontIndirectW(&ncm.lfMenuFont)));
    platform::SelectedObject select(dc.Get(), font.Get());
    const String caption = item->Caption();
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    mi.itemWidth = static_cast<UINT>(r.right + 2 * check);
    mi.itemHeight = static_cast<UINT>(std::max<LONG>(r.bottom + 4, GetSystemMetrics(SM_CYMENU)));
}

}  // namespace

bool MenuItemDrawMessage(TMessage& m) {
    if (m.Msg == WM_MEASUREITEM) {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (!mi || mi->CtlType != ODT_MENU) return false;
        TMenuItem* item = OwnerDrawnItem(mi->itemData);
        if (!item) return false;
        MeasureItem(item, *mi);
        m.Result = TRUE;
        return true;
    }
    if (m.Msg != WM_DRAWITEM) return false;
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (!di || di->CtlType != ODT_MENU) return false;
    TMenuItem* item = OwnerDrawnItem(di->itemData);
    if (!item) return false;
    platform::SavedDC saved(di->hDC);
    TCanvas canvas;  // lets the DC go when it is destroyed
    canvas.SetHandle(di->hDC);
    item->OnDrawItem(item, &canvas, TRect(di->rcItem), (di->itemState & ODS_SELECTED) != 0);
    m.Result = TRUE;
    return true;
}
