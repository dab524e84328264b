#pragma once
// The office combo box: its face shows the chosen office item (title,
// image, caption) and a press drops a TbsPopupOfficeListBox below it (or
// above, near the bottom of the work area).
//
// Event rule relied on by the main window: every ItemIndex assignment
// outside loading raises OnClick then OnChange, changed or not; arrow and
// page keys (open or closed) and, with the list closed, the wheel commit the
// same way; a closed drop-down with no choice raises nothing.
//
// Name map: FOldItemIndex = index committed by the last assignment or
// recorded at drop-down (shown by the face while open, restored by a
// rejected close), FLBDown = a press belongs to the list, WasInLB = the
// pointer has been inside the open list during that press, TimerMode =
// 0 idle / 1 auto-scroll up / 2 down (window timer 1, 25 ms).
//
// Threads: UI thread only.

#include "skin/boxes/bsSkinBoxTypes.h"
#include "skin/boxes/bsSkinExCtrls.h"

class TbsSkinCustomOfficeComboBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinCustomOfficeComboBox(TComponent* owner);
    ~TbsSkinCustomOfficeComboBox() override;

    TbsSkinOfficeItems* Items() { return FListBox->Items(); }
    void SetItems(const TbsSkinOfficeItems& v) { FListBox->Items()->Assign(v); }
    int ItemIndex() const { return FListBox->ItemIndex(); }
    void SetItemIndex(int value);
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* v);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) {
        if (v >= 0) FDropDownCount = v;
    }
    int ListBoxWidth = 0, ListBoxHeight = 0;
    bool ListBoxShowItemTitles() const { return FListBox->ShowItemTitles(); }
    void SetListBoxShowItemTitles(bool v) { FListBox->SetShowItemTitles(v); }
    bool ListBoxShowLines() const { return FListBox->ShowLines(); }
    void SetListBoxShowLines(bool v) { FListBox->SetShowLines(v); }
    int ListBoxItemHeight() const { return FListBox->ItemHeight(); }
    void SetListBoxItemHeight(int v) { FListBox->SetItemHeight(v); }
    int ListBoxHeaderHeight() const { return FListBox->HeaderHeight(); }
    void SetListBoxHeaderHeight(int v) { FListBox->SetHeaderHeight(v); }
    String ListBoxSkinDataName() const { return FListBox->SkinDataName(); }
    void SetListBoxSkinDataName(const String& v) { FListBox->SetSkinDataName(v); }
    bool ListBoxUseSkinFont() const { return FListBox->UseSkinFont; }
    void SetListBoxUseSkinFont(bool v) { FListBox->UseSkinFont = v; }
    TFont* ListBoxDefaultFont() { return FListBox->DefaultFont(); }
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 0;
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    void SetToolButtonStyle(bool v);
    bool HideSelection = true;
    bool ShowItemTitle() const { return FShowItemTitle; }
    void SetShowItemTitle(bool v);
    bool ShowItemImage() const { return FShowItemImage; }
    void SetShowItemImage(bool v);
    bool ShowItemText() const { return FShowItemText; }
    void SetShowItemText(bool v);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor v);
    bool UseSkinSize = false;
    TbsDrawSkinOfficeItemEvent OnDrawItem;
    TNotifyEvent OnChange, OnCloseUp, OnDropDown;
    // The combo's own selection event (not the base class's click).
    TNotifyEvent OnClick;

    bool IsPopupVisible() const { return FListBox->Visible(); }
    bool CanCancelDropDown();
    virtual void DropDown();
    void CloseUp(bool acceptValue);
    virtual void Change();
    TbsPopupOfficeListBox* ListBox() const { return FListBox; }
    // The popup's fade-in ends any press that began before it.
    void ClearListPress() { FLBDown = false; }
    TRect ButtonRect() const { return Button.R; }
    TRect ItemRect() const { return CBItem.R; }
    // Paints the face with aText as its text into c at (x, y).
    void PaintSkinTo(TCanvas* c, int x, int y, const String& aText);

    void ChangeSkinData() override;
    void WndProc(TMessage& m) override;

protected:
    // The plain face draws with DefaultFont: Font follows it.
    void DefaultFontChanged() override { Font()->Assign(DefaultFont()); }
    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CalcSize(int& w, int& h) override;
    void SetControlRegion() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoKeyDown(WORD& key, TShiftState shift) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    // Makes the drop-down list (again, empty, when another freed it).
    void MakeListBox();
    void ListBoxWindowProc(TMessage& m);
    void CalcRects();
    void TrackListBox();
    void StartTimer(int mode);
    void StopTimer();
    void SelectUp(bool commit);
    void SelectDown(bool commit);
    void SelectPageUp(bool commit);
    void SelectPageDown(bool commit);
    // Face painting: the classic looks (default and skinned) and the two
    // tool-button looks; text, when given, replaces the item's caption.
    int ShownIndex() const;
    void DrawItemContent(TCanvas* c, TRect t, int index, const String* text = nullptr);
    void DrawDefaultButton(TCanvas* c);
    void DrawDefaultItem(TCanvas* c);
    void DrawSkinBody(TBitmap* B);
    void DrawSkinButton(TCanvas* c);
    void DrawSkinItem(TCanvas* c);
    void DrawSkinSizeItem(TCanvas* c);
    void DrawItemBackground(TCanvas* bc, TCanvas* body, const TRect& part, const TRect& cl);
    void SetupItemFont(TCanvas* c, bool disabledColour);
    void DrawToolButtonDefault(TCanvas* c, const String* text);
    void DrawToolButtonSkin(TBitmap* B, const String* text);

    TbsPopupOfficeListBox* FListBox = nullptr;
    TWndMethod FListBoxWindowProc;
    int FOldItemIndex = -1;
    bool FDropDown = false;
    bool FLBDown = false, WasInLB = false;
    int TimerMode = 0;
    bool FMouseIn = false;
    int FDropDownCount = 7;
    bool FShowItemTitle = true, FShowItemImage = true, FShowItemText = true, FToolButtonStyle = false;
    TColor FDefaultColor = clWindow;
    TbsCBItem CBItem;
    TbsCBButtonX Button;

public:
    // Copies of the "combobox" record.
    TRect ActiveSkinRect, SItemRect, FocusItemRect, ActiveItemRect, ItemTextRect;
    TRect ButtonRectSkin, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    TColor ActiveFontColor = 0, FontColor = 0, FocusFontColor = 0;
    String FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    String ListBoxName;
    bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;
};

class TbsSkinOfficeComboBox : public TbsSkinCustomOfficeComboBox {
public:
    using TbsSkinCustomOfficeComboBox::TbsSkinCustomOfficeComboBox;
};
