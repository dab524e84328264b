#pragma once
// The single-line edit under every skinned edit, the numeric edit, and the
// skinned edit control with its frame and edit button.
//
// TbsCustomEdit adds to the class library's mask edit: a context menu of
// its own (Undo, Cut, Copy, Paste, Delete, Select All; texts from the
// form's skin strings when there are any), shown as the form frame's
// skinned popup menu (none on a form without a frame or skin), a
// transparent mode, a read-only
// flag that blocks every editing path (typing, Delete, cut, paste, clear,
// undo, replace-selection, IME input: the window's own read-only flag is set
// too), Enter and Esc handed to the parent form as dialog keys, and an event
// that reports cancel-mode requests to an owning control. Line breaks never
// enter the text: pasted text is cut at its first line break.
//
// TbsSkinNumEdit takes digits, one minus sign in front and, with Float, one
// decimal separator; Up/Down keys and the wheel become OnUpClick and
// OnDownClick.
//
// Threads: UI thread only.

#include <functional>
#include <memory>

#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "skin/boxes/bsSkinBoxTypes.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/frame/bsSkinMenus.h"

// WM_SKINMENUCOMMAND (bsSkinMenus.h) reaches the edit after one of its
// menu's commands ran.

using TbsOnEditCancelMode = std::function<void(TControl* c)>;

// Shows the edit's context menu at a screen point for the edit: the skinned
// popup menu's Popup2. Replaceable (tests record what would be shown).
using TbsEditMenuPopup = std::function<void(TPopupMenu* menu, TControl* control, int x, int y)>;
TbsEditMenuPopup& EditMenuPopupHook();

// The text of a clipboard block of `bytes` bytes: up to its first NUL, and
// never past its end (another program's block need not end in a NUL).
String TextOfClipboardBlock(const void* block, size_t bytes);

class TbsCustomEdit : public TCustomMaskEdit {
public:
    explicit TbsCustomEdit(TComponent* owner);
    ~TbsCustomEdit() override;

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    bool EditTransparent() const { return FEditTransparent; }
    void SetEditTransparent(bool v);
    TbsOnEditCancelMode OnEditCancelMode;
    void Invalidate() override;
    void WndProc(TMessage& m) override;

    // The context menu of the last request (nullptr when none, or once one
    // of its commands ran).
    TbsSkinPopupMenu* SysPopupMenu() const { return FSysPopupMenu.get(); }
    // Builds the context menu with the entries enabled for the edit's state.
    void CreateSysPopupMenu();
    void ClearSelection();

protected:
    void CreateParams(TCreateParams& p) override;
    void Change() override;

private:
    void ContextMenu(TMessage& m);
    void PasteText();
    bool HasSelection();
    bool AllSelected();

    bool FDown = false;
    bool FChangeSeen = false;
    bool FReadOnly = false;
    bool FEditTransparent = false;
    std::unique_ptr<TbsSkinPopupMenu> FSysPopupMenu;
    // The menu before the current one, or one whose command ran: its
    // entries may still be in use by the menu's own handling, so it goes at
    // the next request or with the edit.
    std::unique_ptr<TbsSkinPopupMenu> FUsedPopupMenu;
};

class TbsSkinNumEdit : public TbsCustomEdit {
public:
    explicit TbsSkinNumEdit(TComponent* owner);
    TNotifyEvent OnUpClick, OnDownClick;
    TNotifyEvent OnNumMouseEnter, OnNumMouseLeave;
    bool EditorEnabled = true;
    bool Float = false;
    // The separator accepted with Float (the locale's by default).
    wchar_t DecimalSeparator;
    bool IsValidChar(wchar_t key);
    void WndProc(TMessage& m) override;

protected:
    bool DoKeyDown(WORD& key, TShiftState shift) override;
    bool DoKeyPress(wchar_t& key) override;
};

// The skinned edit control: a TbsCustomEdit with a skinned frame drawn in
// its non-client area, an optional edit button at its right and up to two
// image buttons inside the text area (a left and a right image of Images).
// The image buttons answer the hit test with 104 (left) and 105 (right), so
// their clicks arrive as non-client messages and never move the caret; the
// text runs between them (the edit's formatting rectangle).
//
// DefaultColor is the text area's colour in the default look; Alignment
// sets the edit window's ES_LEFT / ES_RIGHT / ES_CENTER (the window is
// recreated).
constexpr LRESULT bsHTLeftImage = 104;
constexpr LRESULT bsHTRightImage = 105;

class TbsSkinCustomEdit : public TbsCustomEdit {
public:
    explicit TbsSkinCustomEdit(TComponent* owner);
    ~TbsSkinCustomEdit() override;

    TbsSkinData* SkinData() const { return FSD; }
    virtual void SetSkinData(TbsSkinData* v);
    const String& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const String& v) { FSkinDataName = v; }
    // Reloads the skin record and applies its font, height and colours.
    virtual void ChangeSkinData();
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* v);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int v);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    bool UseSkinFont = true;
    bool ButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool v);
    TNotifyEvent OnButtonClick;
    // The edit button and the text area, window coordinates.
    TRect EditButtonRect() const { return FButtonRect; }
    TRect EditAreaRect() const { return FEditRect; }
    bool ButtonDown() const { return FButtonDown; }
    bool ButtonActive() const { return FButtonActive; }
    int FIndex = -1;
    void WndProc(TMessage& m) override;
    void Invalidate() override;
    void SetBounds(int left, int top, int width, int height) override;
    // The text height of Font plus the frame's height (2 + 2 in the
    // default look, the skin's frame when skinned).
    int CalcEditHeight();
    void AdjustHeight();

    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    int LeftImageIndex() const { return FLeftImageIndex; }
    void SetLeftImageIndex(int v);
    int RightImageIndex() const { return FRightImageIndex; }
    void SetRightImageIndex(int v);
    int LeftImageHotIndex = -1, LeftImageDownIndex = -1;
    int RightImageHotIndex = -1, RightImageDownIndex = -1;
    TNotifyEvent OnLeftButtonClick, OnRightButtonClick;
    // The image buttons, client coordinates (empty when not shown).
    TbsCBButtonX LeftButton, RightButton;
    // Places the image buttons in the client area; with setRect the text
    // runs between them. Nothing without Images.
    void CalcImageButtons(bool setRect);
    // Paints the whole control (normal look) with aText as its text into c
    // at (x, y), the text placed by Alignment.
    void PaintSkinTo(TCanvas* c, int x, int y, const String& aText);

    // Copies of the skin record, refreshed by every lookup.
    int LOffset = 0, ROffset = 0;
    TRect ClRect, SkinRect, ActiveSkinRect;
    String FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 0;
    TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    bool StretchEffect = false;
    TBitmap* Picture = nullptr;

protected:
    void Notification(TComponent* component, TOperation op) override;
    void CreateParams(TCreateParams& p) override;
    void Loaded() override;
    // The system edit class computes its frame before the control sees its
    // messages: the frame is computed again once the window exists.
    void CreateWnd() override;
    void GetSkinData();
    void CalcRects();
    // Sends the frame a WM_NCPAINT.
    void RepaintFrame();

private:
    // Hit test of the image buttons; true (with m.Result set) on a hit.
    bool ImageHitTest(TMessage& m);
    void ImageButtonDown(LRESULT code);
    void ImageButtonUp(LRESULT code);
    void ClearImageHover();
    void PaintImageButtons(TCanvas* c);
    void DrawImageButton(TCanvas* c, const TbsCBButtonX& b, int index, int hot, int down);
    bool ButtonHitTest(TMessage& m);
    void SetButtonActive(bool v);
    void EndButtonPress(bool overButton);
    void MouseEnterLeave(bool enter);
    void FocusChanged();
    void ApplyFontChange();
    int CharsetNow();

    // Painting (bsSkinEditControlPaint.cpp).
    void NCPaint();
    void PaintFrameTo(HDC dc, bool clipText);
    TRect FaceRect() const;
    void DrawFrame(TBitmap& b);
    void DrawComposedFrame(TBitmap& b, const TRect& face);
    void DrawEditButton(TBitmap& b);
    void PaintBackground(TCanvas* c);
    void EraseBackground(HDC dc);
    void Paint(TMessage& m);
    void PaintDisabledText(HDC dc);

    TbsSkinData* FSD = nullptr;
    String FSkinDataName = L"edit";
    TFont FDefaultFont;
    int FDefaultWidth = 0, FDefaultHeight = 0;
    bool FButtonMode = false;
    bool FButtonDown = false, FButtonActive = false;
    bool FMouseIn = false;
    bool FStopDraw = false;
    // The edit window's own painting is running: it draws the text after
    // the erase step it starts.
    bool FInOwnPaint = false;
    TRect FButtonRect, FEditRect;
    TColor FDefaultColor = clWindow;
    TAlignment FAlignment = taLeftJustify;
    TCustomImageList* FImages = nullptr;
    int FLeftImageIndex = -1, FRightImageIndex = -1;
};

class TbsSkinEdit : public TbsSkinCustomEdit {
public:
    using TbsSkinCustomEdit::TbsSkinCustomEdit;
};
