#pragma once
// TbsSkinImagesMenu: a choice among the pictures of an image list as a
// popup grid of cells (one image each), full-width button rows (image and
// caption) and header rows that divide the grid into groups. The grid is a
// never-activated top-most popup that captures the mouse and hooks the
// application's messages while it is open; it is made anew at every popup.
//
// A grid closes from inside its own handlers (a click, a key): it is then
// only hidden and put aside, and freed at the next popup or with the menu,
// never while one of its messages is being handled.
//
// Name map: CW / CH = cell size (image + 10), RW = row width
// (ColumnsCount cells), MouseInItem = the item under the pointer or chosen
// by keys (-1 none), FDown / FItemDown = a button went down in the grid /
// on an item.
//
// The looks (skinned frame, cells, header bands, fonts) are in
// bsSkinImagesMenuPaint.cpp.
//
// Threads: UI thread only.

#include <memory>
#include <vector>

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "skin/bsSkinData.h"
#include "skin/bsSkinRecords.h"
#include "skin/controls/bsSkinCtrlsImagesMenu.h"

class TCustomImageList;
class TbsSkinHint;
class TbsSkinImagesMenu;

class TbsImagesMenuItem {
public:
    int ImageIndex = -1;
    String Caption;
    bool Button = false;
    bool Header = false;
    String Hint;
    TNotifyEvent OnClick;
    // Set by the layout: the item's place in the grid.
    TRect ItemRect;
    // Copies ImageIndex, Caption, Button and Hint.
    void Assign(const TbsImagesMenuItem& source);
};

// Lays the items out: cells of CW x CH, ColumnsCount to a row of width RW,
// from (L, Y); header rows are HeaderH high (0: CH).
void LayoutImagesMenu(std::vector<TbsImagesMenuItem>& items, int CW, int CH, int ColumnsCount, int L, int Y,
                      int HeaderH);
// The item a navigation key moves to from `current` (-1: none).
int ImagesMenuKeyTarget(const std::vector<TbsImagesMenuItem>& items, int current, WORD key);

class TbsSkinImagesMenuPopupWindow : public TCustomControl {
public:
    explicit TbsSkinImagesMenuPopupWindow(TbsSkinImagesMenu* AMenu);
    ~TbsSkinImagesMenuPopupWindow() override;
    void Show(const TRect& PopupRect);
    void Hide(bool AProcessEvents);
    int MouseInItem = -1, OldMouseInItem = -1;
    int ItemAt(int X, int Y) const;
    void HandleKey(WORD key);
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void AppMessage(MSG& msg, bool& handled);
    void PaintItem(TCanvas* C, int i, int selected);
    void SetMouseInItem(int i);
    // Looks the skin up: FSkinSupport, PW and the window pictures.
    void CheckSkin();
    // The skin's control record of that name and class (nullptr: none).
    template <class T>
    T* ControlRecord(const wchar_t* name) const;
    TBitmap* SkinPicture(int index) const;
    // Height of the header band of the "label" record (0: none).
    int HeaderHeight() const;
    // The skinned frame's new corner points and items rectangle for the
    // window's size, and its region when the skin has a mask.
    void SizeSkinFrame();
    void DrawBackground(TBitmap& B);
    void DrawCellFrame(TCanvas* C, const TRect& IR, bool pressed);
    void DrawHeader(TCanvas* C, const TbsImagesMenuItem& it);
    void SetupButtonFont(TCanvas* C, bool pressed, bool hover);

    TbsSkinImagesMenu* ImagesMenu;
    // The skinned look (the skin's popup-window record has a window
    // picture); its pictures belong to the store.
    bool FSkinSupport = false;
    TbsDataSkinPopupWindow* PW = nullptr;
    TBitmap* WindowPicture = nullptr;
    TBitmap* MaskPicture = nullptr;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewItemsRect;
    bool FDown = false, FItemDown = false, FClosed = false;
    TApplication::TMessageHooks::Token FHook;

    friend class TbsSkinImagesMenu;
    // Frees the closed grid once the message now being handled is done
    // (the close may come from the grid's own handlers).
    void ReleaseLater();
};

// Images (the pictures) and the internal change and close events, set by
// the menu speed button, come from TbsCustomImagesMenu.
class TbsSkinImagesMenu : public TbsCustomImagesMenu {
public:
    explicit TbsSkinImagesMenu(TComponent* AOwner);
    ~TbsSkinImagesMenu() override;

    std::vector<TbsImagesMenuItem> ImagesItems;
    int ItemIndex = -1;
    int ColumnsCount() const { return FColumnsCount; }
    // Accepts 1 to 50; other values are ignored.
    void SetColumnsCount(int v);
    // Not owned; dropped when freed.
    TbsSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TbsSkinData* v);
    TbsSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TbsSkinHint* v);
    bool ShowHints = true, ShowSelectedItem = true, UseSkinFont = true;
    TFont* DefaultFont() { return &FDefaultFont; }
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
    TbsImagesMenuItem* SelectedItem();
    TNotifyEvent OnItemClick, OnChange, OnMenuPopup, OnMenuClose;

    void Popup(int X, int Y) { PopupFromRect(TRect(X, Y, X, Y)); }
    void PopupFromRect(const TRect& R) override;
    void Hide() override;
    bool IsOpen() const override { return FPopupWindow != nullptr; }
    // The item at ItemIndex: its ImageIndex and Caption.
    bool SelectedImage(int& imageIndex, String& caption) const override;
    // The open grid (nullptr: closed).
    TbsSkinImagesMenuPopupWindow* PopupWindow() const { return FPopupWindow.get(); }

protected:
    void Notification(TComponent* component, TOperation op) override;

private:
    friend class TbsSkinImagesMenuPopupWindow;
    // Called by the grid when it has closed.
    void GridClosed(bool AProcessEvents);

    int FColumnsCount = 1;
    int FOldItemIndex = -1;
    TbsSkinData* FSkinData = nullptr;
    TbsSkinHint* FSkinHint = nullptr;
    TFont FDefaultFont;
    std::unique_ptr<TbsSkinImagesMenuPopupWindow> FPopupWindow;
    // Set while the menu is being freed: a grid closed then fires nothing.
    bool FDestroying = false;
};
