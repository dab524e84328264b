#pragma once
// Menus: items with captions, shortcuts, checks and sub-items; the main
// menu of a form (a native menu bar) and popup menus.
//
// The items are the model; native menus are built from them when needed
// (the bar whenever an item changes, a popup each time it opens), so a
// skinned menu may draw the same items its own way. A form offers every
// key to its main menu and popup menus before the focused control (see
// TCustomForm::IsShortCut).
//
// Threads: UI thread only.

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/ActnList.h"
#include "platform/Controls.h"

class TMenu;
class TCustomImageList;
class TBitmap;

VANTREL_EXCEPTION(EMenuError, Exception);

// A key and its shift state in one word: the virtual key in the low byte.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
// "Ctrl+S", "F1", "Shift+Del"; empty for scNone.
String ShortCutToText(TShortCut shortCut);
// The reverse of ShortCutToText (case-insensitive); scNone when unknown.
TShortCut TextToShortCut(const String& text);

// True when caption has key as its accelerator: the character after a
// single "&" ("&&" is a plain ampersand), compared without case.
bool IsAccel(WORD key, const String& caption);

// How a menu treats separator lines that separate nothing: maAutomatic
// hides them before the menu is shown (RethinkLines), maManual leaves them,
// maParent (items only) does what the parent item or the menu does.
enum TMenuAutoFlag { maAutomatic, maManual, maParent };

// Draws an item in place of the system: the canvas is set up on the
// target's DC, rect is the item's rectangle on it, selected = highlighted.
using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas* canvas, const TRect& rect, bool selected)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    String Caption() const { return caption_; }
    void SetCaption(const String& v);
    // A caption of "-" makes a separator line.
    bool IsLine() const { return caption_ == L"-"; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut v);
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the other radio items of its group.
    void SetChecked(bool v);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool v);
    BYTE GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(BYTE v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // The item's own picture, shown when it is not empty (made on first
    // use, owned by the item); SetBitmap copies the given picture.
    TBitmap* Bitmap();
    const TBitmap* Bitmap() const { return bitmap_.get(); }
    bool HasBitmap() const;
    void SetBitmap(TBitmap* v);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    // Checks itself when clicked (radio items check, others toggle).
    bool AutoCheck = false;
    String Hint;
    // For the sub-items of this item (maParent: as the parent says).
    TMenuAutoFlag AutoLineReduction = maParent;
    // Shows exactly the separator lines that lie between two shown items:
    // none first, last or right after another line. Applies to the
    // sub-items, and below them where line reduction is automatic. True
    // when a line was shown or hidden.
    bool RethinkLines();
    // Set: a native menu draws the item through it (owner-drawn); skinned
    // menus call it with their own sender.
    TMenuDrawItemEvent OnDrawItem;

    // ---- sub-items ---------------------------------------------------------------------
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int i) const { return items_.at(static_cast<size_t>(i)); }
    TMenuItem* operator[](int i) const { return Items(i); }
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    int IndexOf(const TMenuItem* item) const;
    // Takes item as the last (or index-th) sub-item; it leaves its old parent.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes item out without freeing it.
    void Remove(TMenuItem* item);
    // Frees sub-item i.
    void Delete(int index);
    // Frees every sub-item.
    void Clear();
    TMenu* GetParentMenu() const;
    // The item of this tree with the command id / the shortcut, or nullptr.
    TMenuItem* FindCommand(UINT command);
    TMenuItem* FindShortCut(TShortCut shortCut);
    UINT Command() const { return command_; }

    TNotifyEvent OnClick;
    // Runs the item: AutoCheck, then its action (one with OnExecute) or OnClick.
    virtual void Click();
    // The action whose caption, enabled and checked state, hint and image
    // the item shows (nullptr: none; dropped when the action is freed).
    TBasicAction* Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }
    void SetAction(TBasicAction* v);

protected:
    // Tells the menu that the item (or one below it) changed.
    void MenuChanged();

private:
    friend class TMenu;
    void AppendTo(HMENU menu);
    String NativeText() const;
    bool LinesAutomatic() const;
    bool RethinkOwnLines();

    String caption_;
    TShortCut shortCut_ = scNone;
    bool checked_ = false, radioItem_ = false, enabled_ = true, visible_ = true, default_ = false;
    BYTE groupIndex_ = 0;
    int imageIndex_ = -1;
    std::unique_ptr<TBitmap> bitmap_;
    UINT command_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item
    std::vector<TMenuItem*> items_;
    void ActionChange(TBasicAction* action);
    std::unique_ptr<TActionLink> actionLink_;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    // The root: its sub-items are the menu's entries.
    TMenuItem* Items() const { return items_; }
    TCustomImageList* Images = nullptr;
    // Separator lines of the whole menu: maAutomatic hides redundant ones
    // whenever a native menu is built (see TMenuItem::RethinkLines).
    TMenuAutoFlag AutoLineReduction = maAutomatic;
    // Builds a native menu of the items; the caller destroys it.
    HMENU CreateNativeMenu(bool popup) const;
    // Runs the enabled, visible item with this shortcut; false when none.
    bool IsShortCut(WORD key, TShiftState shift);
    // Runs the item with this command id; false when none.
    bool DispatchCommand(UINT command);
    TNotifyEvent OnChange;

protected:
    friend class TMenuItem;
    virtual void MenuChanged(TMenuItem* item);

private:
    TMenuItem* items_;
};

// The menu bar of a form (TCustomForm::SetMenu).
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    ~TMainMenu() override;
    // The native bar, rebuilt after changes; owned by this menu.
    HMENU Handle();
    // The window showing the bar (set by the form).
    HWND WindowHandle = nullptr;

protected:
    void MenuChanged(TMenuItem* item) override;

private:
    void FreeHandle();
    HMENU handle_ = nullptr;
};

// Answers WM_CONTEXTMENU for a window of the library: the popup menu of
// the control under the point (or of the window's control) pops up there,
// or at the control's corner for the keyboard (pos -1). False when there is
// no menu with AutoPopup; the message then takes its usual way.
bool ContextPopup(TWinControl* control, LPARAM pos);

// Answers WM_MEASUREITEM and WM_DRAWITEM of an owner-drawn menu item of
// ours (one with OnDrawItem) for the window that owns the menu; false for
// any other message.
bool MenuItemDrawMessage(TMessage& m);

enum TPopupAlignment { paLeft, paRight, paCenter };

// A reference to a component that another owner may free: assigning it
// asks for the free notification of the holder, which forgets the
// component when it goes (the holder's Notification calls Forget).
class TComponentLink {
public:
    explicit TComponentLink(TComponent* holder) : holder_(holder) {}
    TComponentLink(const TComponentLink&) = delete;
    TComponentLink& operator=(const TComponentLink&) = delete;
    TComponentLink& operator=(TComponent* c);
    operator TComponent*() const { return value_; }
    TComponent* Get() const { return value_; }
    // Clears the reference when c is the component it holds.
    void Forget(TComponent* c) {
        if (c == value_) value_ = nullptr;
    }

private:
    TComponent* holder_;
    TComponent* value_ = nullptr;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    // Shows the menu at a screen point and runs the chosen item's OnClick
    // after it closed.
    virtual void Popup(int x, int y);
    TPopupAlignment Alignment = paLeft;
    bool AutoPopup = true;
    // The control whose context menu this is, while it pops up; dropped
    // when that component is freed.
    TComponentLink PopupComponent{this};
    // The item chosen by the last Popup (nullptr when it was cancelled).
    TMenuItem* ChosenItem() const { return chosen_; }
    TNotifyEvent OnPopup;
    TNotifyEvent OnClose;
    // Whether the menu is still on screen. This menu is modal: it has always
    // closed when Popup returns. A menu that stays open after Popup returned
    // answers true until it closes.
    virtual bool IsOpen() const { return false; }
    // Shows the menu for a control, below its screen rectangle r (above it
    // with up). This menu pops up at the rectangle's bottom-left (top-left)
    // corner with the control as PopupComponent. A menu that is still open
    // when this returns (IsOpen) tells the control of its close with the
    // skinned menus' close message (WM_CLOSESKINMENU).
    virtual void PopupForControl(TControl* control, const TRect& r, bool up);

protected:
    virtual void DoPopup();
    void Notification(TComponent* component, TOperation op) override;

private:
    TMenuItem* chosen_ = nullptr;
};
