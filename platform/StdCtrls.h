#pragma once
// The standard controls: the push button, labels, edits and the list box
// (the system's BUTTON, EDIT and LISTBOX classes, subclassed; the label is
// windowless).
//
// A default button answers Enter and a cancel button Escape wherever the
// focus is in its form, unless the focused control takes the key itself or
// another button has the focus (then Enter clicks that one).
//
// Threads: UI thread only.

#include <vector>

#include "platform/Forms.h"
#include "platform/StringList.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel = false;
    // Set into the parent form's ModalResult on a click.
    TModalResult ModalResult = mrNone;
    void Click() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    void SetActive(bool v);
    bool default_ = false;
    bool active_ = false;  // answers Enter now
};

// ---- labels ------------------------------------------------------------------------------------

#include "platform/Alignment.h"
enum TTextLayout { tlTop, tlCenter, tlBottom };

// A windowless text. With AutoSize it takes the size of its text; "&x"
// marks an accelerator that focuses FocusControl. Subclasses change how the
// text is drawn and measured by overriding DoDrawText.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    TWinControl* FocusControl = nullptr;
    // Fits the size to the text (when AutoSize), keeping the anchored edge.
    virtual void AdjustBounds();
    void WndProc(TMessage& m) override;

protected:
    // Draws (or, with DT_CALCRECT, measures into r) the label's text.
    virtual void DoDrawText(TRect& r, UINT flags);
    virtual String GetLabelText();
    void Paint() override;
    void Loaded() override;
    UINT TextFlags() const;

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false, transparent_ = false, showAccelChar_ = true;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

// ---- edits -------------------------------------------------------------------------------------

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// The system's EDIT control, single line unless a subclass says otherwise.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    wchar_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(wchar_t v);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase v);
    bool BorderStyleSingle = true;
    bool AutoSelect = true;
    bool HideSelection = true;
    int SelStart();
    void SetSelStart(int v);
    int SelLength();
    void SetSelLength(int v);
    String SelText();
    void SetSelText(const String& v);
    void SelectAll();
    void Clear() { SetText(String()); }
    bool Modified();
    void SetModified(bool v);
    bool CanUndo();
    void Undo();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    TNotifyEvent OnChange;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    virtual void Change();
    void DoEnter() override;

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    wchar_t passwordChar_ = 0;
    TEditCharCase charCase_ = ecNormal;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

// An edit that keeps an input mask text; the mask itself is not enforced.
class TCustomMaskEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    String EditMask;
    // True when the text is acceptable for the mask (always, no mask is applied).
    virtual bool ValidateEdit() { return true; }
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit.
class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v);
    bool WantReturns = true;
    bool WantTabs = false;
    int LineCount();
    String Line(int i);
    // Appends a line at the end of the text. Lines added in a row reach the
    // window together, one update shortly after the first of them (the
    // system's edit control lays out its whole text on every change); a
    // memo not on screen takes them only when it is painted. Either way
    // they go in at once when the text is read or the selection read or
    // set (through this class or by a message to the window), on input, or
    // when the window goes: nobody sees a line missing. New text replaces
    // them with the rest.
    void AddLine(const String& s);
    // Writes the lines added since the last update into the window.
    void FlushLines();
    String GetText() const override;
    void SetText(const String& v) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    static constexpr UINT_PTR kFlushTimer = 0x4D4C;
    static constexpr UINT kFlushDelayMs = 40;
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    std::vector<String> pendingLines_;
    bool flushTimer_ = false;
    void DropLines();  // forgets the lines not yet written
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};

// ---- list box ----------------------------------------------------------------------------------

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateFlag : unsigned { odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16 };
using TOwnerDrawState = unsigned;

class TCustomListBox;
// Dragging rows out of a list box onto another: dmAutomatic starts a drag
// when the pointer moves 5 pixels with the left button held on the list;
// dkDock (docking) is not supported and drags nothing.
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TStartDragEvent = std::function<void(TObject* sender)>;
// accept comes in true; the target takes the drop only when it stays true.
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
// target is null when the drag ended without a drop.
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;
using TDrawItemEvent =
    std::function<void(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TWinControl* control, int index, int& height)>;

// The items of a list box: kept here and mirrored into the window.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox* owner) : owner_(owner) {}
    int Count() const override { return static_cast<int>(items_.size()); }
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const String& s) override;
    int AddObject(const String& s, TObject* obj) override;

private:
    friend class TCustomListBox;
    void Check(int index) const;
    TCustomListBox* owner_;
    std::vector<std::pair<String, TObject*>> items_;
};

// The system's LISTBOX. Owner-drawn styles paint each row through DrawItem
// (OnDrawItem); the window keeps its own selection and keyboard handling.
class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;
    TStrings* Items() { return &items_; }
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle v);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool v);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool v);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool v);
    // Number of columns (0: one column that scrolls vertically).
    int Columns() const { return columns_; }
    void SetColumns(int v);
    bool IntegralHeight = false;
    bool BorderStyleSingle = true;
    // Letters typed less than half a second apart search together for the
    // first row that starts with them (Backspace takes the last one back);
    // off, the window's own search by one letter runs.
    bool AutoComplete = true;

    // Drag and drop between list boxes of this program (see TDragMode). A
    // list box is a drop target when it has OnDragOver; the pointer shows
    // DragCursor over a target that accepts and crNo elsewhere.
    TDragMode DragMode = dmManual;
    TDragKind DragKind = dkDrag;
    TCursor DragCursor = crDrag;
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    bool Dragging() const { return drag_ == DragState::Dragging; }

    // The focused row (multi-select) or the selected one; -1: none.
    int ItemIndex();
    void SetItemIndex(int i);
    bool Selected(int i);
    void SetSelected(int i, bool v);
    int SelCount();
    void ClearSelection();
    void SelectAll();
    int TopIndex();
    void SetTopIndex(int i);
    TRect ItemRect(int i);
    // The row at a client point (-1 when none; the nearest when !existing).
    int ItemAtPos(const TPoint& p, bool existing);
    int Count() const { return items_.Count(); }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    void WndProc(TMessage& m) override;
    TCanvas* Canvas();

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    void Notification(TComponent* component, TOperation op) override;

private:
    friend class TListBoxStrings;
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
    void ShowItems();
    void DrawItemMessage(const DRAWITEMSTRUCT& d);
    // True when the typed character was taken by the search.
    bool SearchTyped(wchar_t ch);
    // True when the mouse message was taken by a drag (ListBoxDrag.cpp).
    bool DragMessage(TMessage& m);
    void DragTo(const TPoint& screen);
    void EndDrag(bool drop, const TPoint& screen);

    TListBoxStrings items_;
    std::unique_ptr<TControlCanvas> canvas_;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    int columns_ = 0;
    bool multiSelect_ = false, extendedSelect_ = true, sorted_ = false;
    String filter_;
    DWORD lastTyped_ = 0;
    enum class DragState { None, Pressed, Dragging } drag_ = DragState::None;
    TPoint dragFrom_;
    TCustomListBox* dragTarget_ = nullptr;
    bool dragAccepted_ = false;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};
