#pragma once
// The skinned combo box: a face with a drop-down button, its items in a
// TbsPopupListBox drop-down and, in the edit style, an inner TbsCustomEdit.
//
// Event rule relied on by the main window and the options dialog: an
// ItemIndex write outside loading raises OnChange first, only when the
// shown text changes, then OnClick and the Change hook, also when the index
// stays the same. Items.Clear and ItemIndex := -1 keep Text. A drop-down
// closed without a choice raises nothing.
//
// Name map: FOldItemIndex = selection at the last ItemIndex write or at
// drop-down time (restored by a cancelled close, shown by the face while
// open), FLBDown = a press started a drop-down drag and the combo holds the
// capture, WasInLB = the pointer has been inside the drop-down since that
// press, TimerMode = 0 / 1 scroll up / 2 scroll down (timer 1, 25 ms),
// FFilter / FLastTime = typed search text and the tick of its last key.
//
// Threads: UI thread only.

#include "skin/boxes/bsSkinBoxCtrls.h"
#include "skin/boxes/bsSkinEdits.h"

enum TbsSkinCustomComboBoxStyle { bscbFixedStyle, bscbEditStyle };

class TbsSkinCustomComboBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinCustomComboBox(TComponent* owner);
    ~TbsSkinCustomComboBox() override;

    TStrings* Items() { return FListBox->Items(); }
    void SetItems(TStrings* v) { FListBox->Items()->Assign(v); }
    int ItemIndex() { return FListBox->ItemIndex(); }
    void SetItemIndex(int value);
    TbsSkinCustomComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TbsSkinCustomComboBoxStyle v);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) {
        if (v >= 1) FDropDownCount = v;
    }
    int ListBoxWidth = 0;
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    void SetToolButtonStyle(bool v);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v);
    bool UseSkinSize = true, HideSelection = true, AutoComplete = true;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 0;
    TNotifyEvent OnChange, OnCloseUp, OnDropDown;
    // The combo's own selection event (not the base class's click).
    TNotifyEvent OnClick;
    TbsDrawSkinItemEvent OnComboBoxDrawItem;
    // Read and written through the drop-down list; the pictures also show
    // on the face.
    bool Sorted() const { return FListBox->Sorted(); }
    void SetSorted(bool v) { FListBox->SetSorted(v); }
    bool HorizontalExtent() const { return FListBox->HorizontalExtent(); }
    void SetHorizontalExtent(bool v) { FListBox->SetHorizontalExtent(v); }
    TStrings* TabWidths() { return FListBox->TabWidths(); }
    void SetTabWidths(TStrings* v) { FListBox->SetTabWidths(v); }
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* v);
    int ImageIndex() const { return FListBox->ImageIndex(); }
    void SetImageIndex(int v);
    // Draws the combo's look at its size into c at (x, y) showing aText.
    void PaintSkinTo(TCanvas* c, int x, int y, const String& aText);
    void SetOnListBoxDrawItem(TbsDrawSkinItemEvent e) { FListBox->OnDrawItem = std::move(e); }

    int SelStart();
    void SetSelStart(int v);
    int SelLength();
    void SetSelLength(int v);
    virtual void DropDown();
    void CloseUp(bool value);
    bool IsPopupVisible() const { return FListBox->Visible(); }
    bool CanCancelDropDown();
    TbsPopupListBox* ListBox() const { return FListBox; }
    TbsCustomEdit* Edit() const { return FEdit; }
    TRect ButtonRect() const { return Button.R; }
    void ChangeSkinData() override;
    void WndProc(TMessage& m) override;
    void Invalidate() override;
    void SetText(const String& v) override;

    bool FNumEdit = false;

protected:
    // The plain face draws with DefaultFont: Font follows it.
    void DefaultFontChanged() override { Font()->Assign(DefaultFont()); }
    virtual void EditWndProc(TMessage& m);
    virtual void CreateEditControl();
    // Runs after OnClick on every selection; empty here.
    virtual void Change() {}
    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CalcSize(int& w, int& h) override;
    void SetControlRegion() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoKeyDown(WORD& key, TShiftState shift) override;
    bool DoKeyPress(wchar_t& key) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    // Makes the drop-down list (again, empty, when another freed it).
    void MakeListBox();
    void ListBoxWindowProc(TMessage& m);
    void CalcRects();
    void TrackListBox();
    void StartTimer(int mode);
    void StopTimer();
    void FindListItem(wchar_t key);
    int FindString(const String& s, int after);
    void EditChange();
    void EditAutoComplete();
    void EditKeyUp(TMessage& m);
    void PaintToEraseDC(HDC dc);
    // The character set of the texts: the skin strings', else DefaultFont's.
    int TextCharset();
    void EditUp(bool flag);
    void EditDown(bool flag);
    void TextChanged();
    bool ClosesOnCancel(TControl* sender) const;
    // Face painting (the looks of the default and skinned combo and of the
    // tool-button style).
    int ShownIndex();
    TColor GetDisabledFontColor();
    void DrawFaceContent(TCanvas* c, int w, int h, const TRect& tr, const String* text);
    void DrawDefaultButton(TCanvas* c);
    void DrawDefaultFace(TCanvas* c);
    void DrawSkinBody(TBitmap* B);
    void DrawSkinButton(TCanvas* c);
    void DrawSkinFace(TCanvas* c);
    void DrawDefaultToolButton(TCanvas* c, const String* text);
    void DrawSkinToolButton(TCanvas* c, const String* text);

    TbsPopupListBox* FListBox = nullptr;
    TWndMethod FListBoxWindowProc, FEditWindowProc;
    TbsCustomEdit* FEdit = nullptr;
    bool FromEdit = false;
    bool FDropDown = false, FToolButtonStyle = false;
    TEditCharCase FCharCase = ecNormal;
    TColor FDefaultColor = clWindow;
    bool WasInLB = false, FLBDown = false, FMouseIn = false;
    int TimerMode = 0;
    DWORD FLastTime = 0;
    String FFilter;
    TbsSkinCustomComboBoxStyle FStyle = bscbFixedStyle;
    int FOldItemIndex = -1;
    int FDropDownCount = 8;
    TbsCBItem CBItem;
    TbsCBButtonX Button;

public:
    // Copies of the "combobox" record.
    TRect ActiveSkinRect, SItemRect, FocusItemRect, ActiveItemRect, ItemTextRect;
    TRect ButtonRectSkin, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    TColor ActiveFontColor = 0, FontColor = 0, FocusFontColor = 0;
    String FontName, ListBoxName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;
};

class TbsSkinComboBox : public TbsSkinCustomComboBox {
public:
    using TbsSkinCustomComboBox::TbsSkinCustomComboBox;
};
