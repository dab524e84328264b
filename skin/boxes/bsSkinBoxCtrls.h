#pragma once
// The skinned list box: a skinned frame around a real owner-drawn list box
// of the class library. The frame draws the border and, in caption mode, a
// caption with the up, down and check buttons; the inner list keeps items,
// selection and keyboard, draws every row itself and hides its native
// border and scroll bars, whose state is mirrored into a skinned scroll bar.
// TbsPopupListBox is the same list as a non-activating popup: the drop-down
// of the skinned combo box.
//
// Scroll bars: ScrollBar is the first bar (vertical, or horizontal in
// multi-column mode, where it scrolls by columns); HScrollBar scrolls a
// single-column list sideways in pixels when HorizontalExtent is on and the
// widest row does not fit. With both, the horizontal one leaves the corner
// square free ("both" bar). Bars exist only while needed.
//
// Rows: an image of Images (ImageIndex, or the row's own index when it is
// negative) before the text; with TabWidths (one number per line, the first
// ten count, a line not made of digits alone gives 0) the text is drawn
// with tab stops.
//
// Name map: ListRect = the rectangle given to the inner list, CapH = caption
// height (1 without caption), TimerMode = 0 none / 1 repeat up / 2 repeat
// down of a held caption button (timer 1: 500 ms first, then 100 ms; 50 ms
// when the pointer returns to the held button).
//
// Threads: UI thread only.

#include <utility>

#include "platform/StdCtrls.h"
#include "platform/StringList.h"
#include "skin/boxes/bsSkinPopupWindow.h"
#include "skin/boxes/bsSkinBoxTypes.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinCtrlsMessages.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

class TbsSkinCustomListBox;

// Requests without a sender: paint the frame / an empty list into a DC.
// CM_PAINTFRAMETODC and CM_PAINTTODC: skin/controls/bsSkinCtrlsMessages.h.
constexpr UINT CM_PAINTEMPTYLISTTODC = 0xBC4A;
constexpr LRESULT bsPaintFrameAnswer = 12851;
constexpr LRESULT bsPaintToDCKey = 16802;

// Draws s at r.left + offset + 2, vertically centred, with the tab stops of
// the first ten lines of tabs (a line of digits alone gives its number, any
// other line 0).
void bsDrawTabbedText(TCanvas* c, const String& s, const TRect& r, int offset, TStrings* tabs);

class TbsListBox : public TListBox {
public:
    explicit TbsListBox(TComponent* owner);
    TbsSkinCustomListBox* SkinListBox = nullptr;
    int HorizontalExtentValue = 0;
    void WndProc(TMessage& m) override;
    // Paints every visible row (and the space below them) into dc.
    void PaintRows(HDC dc);
    // A width change keeps the horizontal offset's right edge in place.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoKeyDown(WORD& key, TShiftState shift) override;
    bool DoKeyUp(WORD& key, TShiftState shift) override;
    bool DoKeyPress(wchar_t& key) override;
    void DoEnter() override;
    void DoExit() override;
    void CreateWnd() override;

public:
    void Click() override;
};

class TbsSkinCustomListBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinCustomListBox(TComponent* owner);
    ~TbsSkinCustomListBox() override;

    TStrings* Items() { return ListBox->Items(); }
    void SetItems(TStrings* v);
    int ItemIndex() { return ListBox->ItemIndex(); }
    void SetItemIndex(int v) { ListBox->SetItemIndex(v); }
    int TopIndex() { return ListBox->TopIndex(); }
    void SetTopIndex(int v) { ListBox->SetTopIndex(v); }
    int RowCount() const { return FRowCount; }
    void SetRowCount(int v);
    bool Sorted() const { return ListBox->Sorted(); }
    void SetSorted(bool v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool v);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int v);
    TFont* DefaultCaptionFont() { return &FDefaultCaptionFont; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool ShowCaptionButtons() const { return FShowCaptionButtons; }
    void SetShowCaptionButtons(bool v);
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int v);
    int Columns() { return ListBox->Columns(); }
    void SetColumns(int v);
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool v);
    TStrings* TabWidths() { return &FTabWidths; }
    void SetTabWidths(TStrings* v);
    bool UseSkinItemHeight = true;
    TbsDrawSkinItemEvent OnDrawItem;
    TNotifyEvent OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick;
    TNotifyEvent OnListBoxClick, OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown, OnListBoxMouseUp;
    TMouseMoveEvent OnListBoxMouseMove;
    TKeyEvent OnListBoxKeyDown, OnListBoxKeyUp;
    TKeyPressEvent OnListBoxKeyPress;

    // The inner list's own settings, read and written through.
    bool MultiSelect() const { return ListBox->MultiSelect(); }
    void SetMultiSelect(bool v) { ListBox->SetMultiSelect(v); }
    bool ExtandedSelect() const { return ListBox->ExtendedSelect(); }
    void SetExtandedSelect(bool v) { ListBox->SetExtendedSelect(v); }
    bool AutoComplete() const { return ListBox->AutoComplete; }
    void SetAutoComplete(bool v) { ListBox->AutoComplete = v; }
    TFont* ListBoxFont() { return ListBox->Font(); }
    void SetListBoxFont(TFont* v) { ListBox->Font()->Assign(v); }
    int ListBoxTabOrder() const { return ListBox->TabOrder(); }
    void SetListBoxTabOrder(int v) { ListBox->SetTabOrder(v); }
    bool ListBoxTabStop() const { return ListBox->TabStop(); }
    void SetListBoxTabStop(bool v) { ListBox->SetTabStop(v); }
    TPopupMenu* ListBoxPopupMenu() const { return ListBox->PopupMenu; }
    void SetListBoxPopupMenu(TPopupMenu* v) { ListBox->PopupMenu = v; }
    TDragMode ListBoxDragMode() const { return ListBox->DragMode; }
    void SetListBoxDragMode(TDragMode v) { ListBox->DragMode = v; }
    TDragKind ListBoxDragKind() const { return ListBox->DragKind; }
    void SetListBoxDragKind(TDragKind v) { ListBox->DragKind = v; }
    TCursor ListBoxDragCursor() const { return ListBox->DragCursor; }
    void SetListBoxDragCursor(TCursor v) { ListBox->DragCursor = v; }
    // The inner list's drag events (their sender is the inner list).
    const TDragDropEvent& OnListBoxDragDrop() const { return ListBox->OnDragDrop; }
    void SetOnListBoxDragDrop(TDragDropEvent e) { ListBox->OnDragDrop = std::move(e); }
    const TDragOverEvent& OnListBoxDragOver() const { return ListBox->OnDragOver; }
    void SetOnListBoxDragOver(TDragOverEvent e) { ListBox->OnDragOver = std::move(e); }
    const TStartDragEvent& OnListBoxStartDrag() const { return ListBox->OnStartDrag; }
    void SetOnListBoxStartDrag(TStartDragEvent e) { ListBox->OnStartDrag = std::move(e); }
    const TEndDragEvent& OnListBoxEndDrag() const { return ListBox->OnEndDrag; }
    void SetOnListBoxEndDrag(TEndDragEvent e) { ListBox->OnEndDrag = std::move(e); }

    // The caption's glyph: NumGlyphs cells side by side (the second shown
    // while disabled), Spacing pixels before the text.
    TBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);

    int CalcHeight(int itemsCount);
    void Clear();
    int ItemAtPos(const TPoint& p, bool existing) { return ListBox->ItemAtPos(p, existing); }
    TRect ItemRect(int index) { return ListBox->ItemRect(index); }
    void UpDateScrollBar();
    void ChangeSkinData() override;
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& m) override;
    TRect CaptionButtonRect(int i) const { return Buttons[i].R; }

    TbsListBox* ListBox = nullptr;
    TbsSkinScrollBar* ScrollBar = nullptr;
    TbsSkinScrollBar* HScrollBar = nullptr;
    // Copies of the "listbox" record.
    TRect SItemRect, ActiveItemRect, FocusItemRect, ItemTextRect, CaptionRect;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, CaptionFontColor = 0;
    String FontName, CaptionFontName;
    TFontStyles FontStyle = 0, CaptionFontStyle = 0;
    int FontHeight = 14, CaptionFontHeight = 14;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    String VScrollBarName = L"vscrollbar", HScrollBarName = L"hscrollbar", BothScrollBarName = L"bothhscrollbar";
    bool ShowFocus = false;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
        DownDownButtonRect, CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    TRect ButtonsArea, DisabledButtonsRect;
    // The caption text's place at the current size (skinned look).
    TRect NewCaptionRect;

    // Drawn width of a row (the horizontal extent); the text's width here.
    virtual int GetItemWidth(int index, TCanvas* canvas);
    // Hooks of the inner list (descendants override them).
    virtual void ListBoxMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void ListBoxMouseMove(TShiftState shift, int x, int y);
    virtual void ListBoxMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(WORD& key, TShiftState shift);
    virtual void ListBoxKeyUp(WORD& key, TShiftState shift);
    virtual void ListBoxKeyPress(wchar_t& key);
    // Sees every message of the inner list first; cont false drops it.
    virtual void ListBoxWProc(TMessage& m, bool& cont);
    // The inner list got / lost the focus; its window was created.
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    virtual void ListBoxCreateWnd() {}
    // Draws one row (off-screen) onto the inner list's canvas.
    void DrawRow(TCanvas* target, int index, const TRect& rect, TOwnerDrawState state);
    // Fills r of the inner list's canvas as its background.
    void PaintListBackground(TCanvas* c, const TRect& r);

protected:
    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void DefaultFontChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation op) override;
    void LayoutListBox();

private:
    friend class TbsListBox;
    void CreateVScrollBar();
    void FreeVScrollBar();
    void CreateHScrollBar();
    void FreeHScrollBar();
    void ApplyHScrollBarSkin();
    void UpDateColumnsScrollBar();
    void UpDateHScrollBar();
    void UpDateVScrollBar();
    void PlaceBarsAndList();
    // The content of a row: image, then plain or tabbed text.
    void DrawRowContent(TCanvas* c, int index, const TRect& textRect);
    void DrawSkinRow(TCanvas* target, int index, const TRect& rect, TOwnerDrawState state);
    void CalcCaptionButtons();
    void DrawCaption(TCanvas* c);
    void DrawCaptionButton(TCanvas* c, int i);
    void DrawCaptionText(TCanvas* c, const TRect& r, int x, int topOffset);
    int CaptionWidth(TCanvas* c);
    int GlyphCellWidth() const;
    void CoverHiddenButtons(TBitmap* B);
    void TestActive(int x, int y);
    void ButtonDown(int i);
    void ButtonUp(int i);
    void ButtonClick(int i);
    void StopTimer();

    int FRowCount = 0;
    bool FHorizontalExtent = false;
    bool FStopUpDateHScrollBar = false;
    int FScrollLock = 0;  // > 0: a layout or a mirror run is under way
    TStringList FTabWidths;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    bool FCaptionMode = false;
    int FDefaultCaptionHeight = 20;
    TFont FDefaultCaptionFont;
    TAlignment FAlignment = taLeftJustify;
    bool FShowCaptionButtons = true;
    int FDefaultItemHeight = 20;
    TRect ListRect;
    TbsCBButtonX Buttons[3];
    TBitmap FGlyph;
    int FNumGlyphs = 1, FSpacing = 2;
    int ActiveButton = -1, OldActiveButton = -1, CaptureButton = -1;
    int TimerMode = 0;
    bool WaitMode = false;
};

class TbsSkinListBox : public TbsSkinCustomListBox {
public:
    using TbsSkinCustomListBox::TbsSkinCustomListBox;
};

class TbsPopupListBox : public TbsSkinListBox {
public:
    explicit TbsPopupListBox(TComponent* owner);
    // Places the popup at origin (screen) on top, without activation.
    // False when showing ran messages that freed the list or its combo.
    bool Show(const TPoint& origin);
    void Hide();
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    TbsPopupAlphaState FAlphaState;
};
