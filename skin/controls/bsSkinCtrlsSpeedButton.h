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
// Timers (made on first use, then only switched on and off; all on the
// class library's clock): repeat 500 ms then RepeatInterval ms (the first
// tick only ends the delay, every later tick clicks); cross-fade 20 ms, 0.2
// of the way between the normal and the hot face per tick; frame animation
// AnimateInterval ms per cell of the record's AnimateSkinRect. Both effects
// follow the mouse only and need the store's skin effects; a transparent
// button never cross-fades and a flat one never animates.
//
// Content, first that applies: the images menu's chosen item (its picture,
// and its caption instead of Caption, when the menu button asks for them),
// the parent tool bar's image lists (with no Glyph), ImageList's ImageIndex
// (with no Glyph), else the Glyph strip of NumGlyphs cells (1 normal, 2
// disabled, 3 pressed, 4 hot). OnPaint may draw the content itself
// (drawDefault := false).
//
// The menu button's menu: it asks the menu to open for the button below
// the button's rectangle (PopupForControl). A menu that has closed when
// that returns (the class library's own) brings the button up at once; a
// menu still open then (IsOpen, the skinned popup menu) sends
// WM_CLOSESKINMENU to the button when it closes, which brings it up.
// SkinImagesMenu drops down the same way (after the popup menu when both
// are set); the images menu reports its close through its internal close
// event and a change of choice through its internal change event, which
// repaints the button. Neither menu is owned: both are dropped when freed.
//
// Threads: UI thread only.

#include <memory>

#include "platform/Menus.h"
#include "platform/Timer.h"
#include "skin/bsUtils.h"
#include "skin/controls/bsSkinCtrls.h"  // the plain faces
#include "skin/controls/bsSkinCtrlsButton.h"  // TbsButtonPaintEvent
#include "skin/controls/bsSkinCtrlsGraphic.h"
#include "skin/controls/bsSkinCtrlsImagesMenu.h"
#include "skin/controls/bsSkinCtrlsMessages.h"  // WM_CLOSESKINMENU

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
    TCustomImageList* ImageList() const { return FImageList; }
    // Not owned: a list freed first is dropped. Repaints.
    void SetImageList(TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int Margin() const { return FMargin; }
    // Values below -1 (centred) are ignored.
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    TbsButtonLayout Layout() const { return FLayout; }
    void SetLayout(TbsButtonLayout v);
    TBitmap* Glyph() { return &FGlyph; }
    // Copies v (nullptr: no glyph) and repaints.
    void SetGlyph(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    // Kept within 1..4; repaints.
    void SetNumGlyphs(int v);
    TbsButtonPaintEvent OnPaint;
    // The action whose caption, enabled state, hint and image the button
    // shows and which it runs when clicked (nullptr: none).
    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    void SetAction(TBasicAction* v);

    // Skin copies.
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    String FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect, AnimateSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    int FrameCount = 0, AnimateInterval = 25;
    // The drop-down marker parts: empty hot, pressed and flat parts fall
    // back to the normal, hot and normal ones.
    TRect MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;

    // The cross-fade position (0 normal face .. 1 hot face), and whether
    // the cross-fade is on (a Morphing record and the store's effects).
    double MorphKf() const { return FMorphKf; }
    bool MorphActive() const;
    // The cell of the frame animation shown now (0: none runs).
    int CurrentAnimationFrame() const { return Animating() ? CurrentFrame : 0; }
    bool Animating() const;

    void GetSkinData() override;
    void ChangeSkinData() override;
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
    void Notification(TComponent* component, TOperation op) override;
    virtual void ActionChange(TBasicAction* action, bool checkDefaults);
    virtual void DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool down, bool mouseIn);
    // The content (image or glyph cell and caption) into r; down and
    // mouseIn choose the glyph cell and the tool bar's list, shifted moves
    // it by one pixel.
    void DrawContent(TCanvas* c, const TRect& r, bool down, bool mouseIn, bool shifted);
    // OnPaint, then the content unless OnPaint took it over.
    void PaintContent(TCanvas* c, const TRect& r, bool down, bool mouseIn, bool shifted);
    void SetupFont(TCanvas* c, bool skinned);
    bool SkinEffectsOn() const;
    void MouseEnter();
    void MouseLeave();
    // The caption's accelerator: clicks; false when ch is not it.
    bool DialogChar(wchar_t ch);
    void StartRepeat();
    void StopRepeat();
    // Starts the cross-fade towards the hover state when it applies, else repaints.
    void ShowStateChange();
    void StartMorph();
    void StopMorph();
    void MorphStep();
    bool AnimationAllowed() const;
    void StartAnimation(bool forwards);
    void StopAnimation();
    void AnimationStep();

    bool FDown = false, FMouseIn = false, FMouseDown = false, FAllowAllUpCheck = false;
    bool FFlat = false, FShowCaption = true;
    // The images menu whose chosen item may give the picture and caption
    // (set through the menu button only; not owned).
    TbsCustomImagesMenu* FSkinImagesMenu = nullptr;
    bool FUseImagesMenuImage = false, FUseImagesMenuCaption = false;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    TCustomImageList* FImageList = nullptr;
    int FImageIndex = 0;
    int FMargin = -1, FSpacing = 1;
    TbsButtonLayout FLayout = blGlyphLeft;
    double FMorphKf = 0;
    int CurrentFrame = 0;
    bool AnimateInc = true;
    std::unique_ptr<TTimer> RepeatTimer, MorphTimer, AnimateTimer;
    std::unique_ptr<TActionLink> FActionLink;
};

enum TbsTrackPosition { bstpRight, bstpBottom };

class TbsSkinMenuSpeedButton : public TbsSkinSpeedButton {
public:
    explicit TbsSkinMenuSpeedButton(TComponent* owner);
    ~TbsSkinMenuSpeedButton() override;

    TPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TPopupMenu* v);
    TbsCustomImagesMenu* SkinImagesMenu() const { return FSkinImagesMenu; }
    // Hooks the button to the menu's change event and repaints.
    void SetSkinImagesMenu(TbsCustomImagesMenu* v);
    bool UseImagesMenuImage() const { return FUseImagesMenuImage; }
    void SetUseImagesMenuImage(bool v);
    bool UseImagesMenuCaption() const { return FUseImagesMenuCaption; }
    void SetUseImagesMenuCaption(bool v);
    // Only the track part opens the menu; repaints the plain look.
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool v);
    TbsTrackPosition TrackPosition() const { return FTrackPosition; }
    void SetTrackPosition(TbsTrackPosition v);
    // The new style draws from the store's own "resizetoolbutton" (or
    // "resizebutton") record and its track records; on, it also names
    // the record "resizetoolbutton".
    bool NewStyle() const { return FNewStyle; }
    void SetNewStyle(bool v);
    bool MenuTracked() const { return FMenuTracked; }
    // Width of the track part (the arrow's strip).
    static constexpr int TrackWidth = 15;
    // The record's track part (a menu-button record), in picture coordinates.
    TRect TrackButtonRect;
    // The arrow drawn by DrawArrowImage of kind FArrowType instead of the
    // skin's marker or the drop-down arrow.
    bool FDrawStandardArrow = false;
    int FArrowType = 0;
    TNotifyEvent OnShowTrackMenu, OnHideTrackMenu;

    // Whether (x, y) opens a menu (popup or images): anywhere without
    // TrackButtonMode, else on the 15-pixel track part only.
    bool InTrackArea(int x, int y) const;
    // TrackButtonRect at the button's size (moved with a three-piece face).
    TRect GetTrackButtonRect() const;
    void GetSkinData() override;
    void WndProc(TMessage& m) override;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void DrawGlyphAndCaption(TBitmap* B, const TRect& r, bool down, bool mouseIn) override;
    // Part of the skin's marker by state, centred in r, transparent in
    // MenuMarkerTransparentColor.
    void DrawMenuMarker(TCanvas* c, const TRect& r, bool flat, bool down, bool mouseIn);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    void ShowTrackMenu();
    void TrackMenuClosed();
    // Drops the hooks this button set on the images menu.
    void UnhookImagesMenu();
    // Skinned with a record of its own (none of the shared tool-button names).
    bool HasOwnRecord() const;
    // The 15-pixel strip at the right, or at the bottom for the new style
    // with bstpBottom.
    TRect TrackStrip() const;
    void DrawPlainArrow(TCanvas* c, TColor color);
    // The arrow of a skinned face: standard image, skin marker or drop-down arrow.
    void DrawFaceArrow(TCanvas* c, const TRect& r, TColor color, bool down, bool mouseIn);
    // The fixed-part (nine false) or nine-piece face with content and arrow.
    void DrawSharedFace(TBitmap* B, bool down, bool mouseIn, bool nine);
    void DrawNewStyle(TBitmap* B, bool down, bool mouseIn);
    void DrawButtonRecord(TCanvas* c, TbsDataSkinButtonControl* rec, const TRect& area, bool down, bool mouseIn);
    void PaintTransparentIdle();
    void PlainNewStyle(TBitmap* B);
    // The plain face in one piece: pressed, hot, or framed unless flat.
    void PlainWholeFace(TCanvas* c);
    // The plain content (default font, grey when disabled) into r.
    void PlainContent(TCanvas* c, const TRect& r);
    TColor FaceFontColor(bool pressedIn, bool mouseIn) const;
    bool FMenuTracked = false;
    bool FNewStyle = false;
    TbsTrackPosition FTrackPosition = bstpRight;
    bool FTrackButtonMode = false;
    TPopupMenu* FSkinPopupMenu = nullptr;
};
