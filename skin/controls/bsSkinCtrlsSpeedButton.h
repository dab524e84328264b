#pragma once
// TbsSkinSpeedButton: a windowless tool button drawn from a button skin
// record ("toolbutton"): normal, hot, pressed and disabled faces, sticky
// groups (GroupIndex, AllowAllUp), auto-repeat (RepeatMode), flat and
// transparent modes and a caption that can be hidden.
// TbsSkinMenuSpeedButton adds a drop-down: a press on the button, or with
// TrackButtonMode only on its 15-pixel track part at the right, opens
// SkinPopupMenu below the button and keeps the button down until the menu
// closes (WM_CLOSESKINMENU).
//
// Repeat: a TTimer on the class library's clock; the first tick comes
// after 500 ms and only switches to RepeatInterval, every later tick clicks.
//
// Threads: UI thread only.

#include <memory>

#include "platform/Menus.h"
#include "platform/Timer.h"
#include "skin/bsUtils.h"
#include "skin/controls/bsSkinCtrls.h"  // the plain faces
#include "skin/controls/bsSkinCtrlsGraphic.h"

// Sent to the control that opened a skinned popup menu when it closes.
constexpr UINT WM_CLOSESKINMENU = WM_USER + 204;

class TbsSkinSpeedButton : public TbsGraphicSkinCustomControl {
public:
    explicit TbsSkinSpeedButton(TComponent* owner);
    ~TbsSkinSpeedButton() override;

    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool MouseIn() const { return FMouseIn; }
    int GroupIndex = 0;
    bool AllowAllUp = false;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool Transparent() const { return (ControlStyle & csOpaque) == 0; }
    void SetTransparent(bool v);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v);
    int WidthWithCaption = 0, WidthWithoutCaption = 0;
    bool UseSkinFontColor = true;
    bool UseSkinSize = true;
    TCustomImageList* ImageList = nullptr;
    int ImageIndex = 0;
    int Margin = -1, Spacing = 1;
    TbsButtonLayout Layout = blGlyphLeft;

    // Skin copies.
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    String FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;

    void GetSkinData() override;
    void RefreshButton();
    virtual void ButtonClick();
    void WndProc(TMessage& m) override;

protected:
    // The pressed look: down, and in a group or under the mouse.
    bool PressedLook() const { return FDown && (GroupIndex != 0 || FMouseIn); }
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CalcSize(int& w, int& h) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    virtual void DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool down, bool mouseIn);
    void DrawContent(TCanvas* c, const TRect& r, bool shifted);
    void SetupFont(TCanvas* c, bool skinned);
    void MouseEnter();
    void MouseLeave();
    void StartRepeat();
    void StopRepeat();

    bool FDown = false, FMouseIn = false, FMouseDown = false, FAllowAllUpCheck = false;
    bool FFlat = false, FShowCaption = true;
    std::unique_ptr<TTimer> RepeatTimer;
};

enum TbsTrackPosition { bstpRight, bstpBottom };

class TbsSkinMenuSpeedButton : public TbsSkinSpeedButton {
public:
    explicit TbsSkinMenuSpeedButton(TComponent* owner);
    ~TbsSkinMenuSpeedButton() override;

    TPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TPopupMenu* v);
    bool TrackButtonMode = false;
    TbsTrackPosition TrackPosition = bstpRight;
    bool MenuTracked() const { return FMenuTracked; }
    TNotifyEvent OnShowTrackMenu, OnHideTrackMenu;

    // Whether (x, y) opens the menu: anywhere without TrackButtonMode, else
    // on the 15-pixel track part only.
    bool InTrackArea(int x, int y) const;
    void WndProc(TMessage& m) override;

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool down, bool mouseIn) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    void ShowTrackMenu();
    void DrawArrow(TCanvas* c, TColor color);
    bool FMenuTracked = false;
    TPopupMenu* FSkinPopupMenu = nullptr;
};
