#pragma once
// The frame objects of a skinned form: caption buttons, plain buttons,
// animated objects, user-drawn decorations and the caption. Each is built
// from a frame-object record of the skin (or, for the default look, from
// nothing) by its TbsSkinFrame, knows its images, its place on the window
// (ObjectRect, window coordinates) and its hot, pressed and inactive
// states; the frame owns the list, the timers and the hit testing.
//
// Name map: FMorphKf = hover blend factor (0 normal .. 1 hot), FMouseIn =
// the cursor is over the object, FDown = pressed, FFrame = current frame of
// an animation (1-based), FInc = milliseconds gathered towards the next
// frame, FTempHint = the normal hint kept while the restore hint shows.
//
// Threads: UI thread only.

#include <memory>

#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "skin/bsSkinData.h"

class TbsSkinFrame;
class TMenuItem;

class TbsActiveSkinObject {
public:
    TbsActiveSkinObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData);
    virtual ~TbsActiveSkinObject() = default;
    TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
    TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

    // The point (relative to ObjectRect's top-left) lies on the object.
    virtual bool PointInMask(int X, int Y);
    virtual void ShowLayer();
    virtual void HideLayer();
    virtual bool CanMorphing();
    virtual void Draw(TCanvas* Cnvs, bool UpDate);
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    bool EnableMorphing() const;
    void DoMorphing();
    void RedrawOrMorph();
    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double v);

    TbsSkinFrame* Parent;
    double FMorphKf = 0;
    bool FMouseIn = false;
    TBitmap* Picture = nullptr;
    TBitmap* ActivePicture = nullptr;
    TBitmap* ActiveMaskPicture = nullptr;
    TbsSkinData* SD = nullptr;
    String IDName, Hint;
    TRect SkinRect, ActiveSkinRect, InActiveSkinRect, ObjectRect;
    bool Active = false;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    bool Enabled = true;
    bool Visible = true;
    bool SkinRectInAPicture = false;
    int GlowLayerPictureIndex = -1, GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0, GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

protected:
    bool HasSkin() const;
    bool FormActive() const;
    // Copies src of pic stretched onto ObjectRect of Cnvs.
    void CopyImage(TCanvas* Cnvs, TBitmap* pic, const TRect& src) const;
    // Draws a blend between two images (each rect of its picture) at ObjectRect.
    void DrawBlend(TCanvas* Cnvs, TBitmap* fromPic, const TRect& from, TBitmap* toPic, const TRect& to) const;
    // Whether a blend is under way (MorphKf short of the state's end).
    bool Blending() const;
    // The layer manager of this object's glow.
    virtual class TbsLayerManager* GlowManager() const;
    // ObjectRect in screen coordinates.
    TRect ScreenRect() const;
};

class TbsUserObject : public TbsActiveSkinObject {
public:
    using TbsActiveSkinObject::TbsActiveSkinObject;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
};

class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
    TbsSkinButtonObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    void ShowLayer() override;
    void HideLayer() override;
    bool CanMorphing() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Pops up MenuItem's sub-items under the button.
    virtual void PopupObjectMenu();

    bool FDown = false;
    bool FPopupUp = false;
    TRect DisableSkinRect, DownRect;
    TMenuItem* MenuItem = nullptr;

protected:
    TbsLayerManager* GlowManager() const override;
};

class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
    TbsSkinStdButtonObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData);
    bool PointInMask(int X, int Y) override;
    void ShowLayer() override;
    void HideLayer() override;
    bool CanMorphing() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    // The plain look (no skin).
    void DefaultDraw(TCanvas* Cnvs);
    void RunCommand();

    bool FSkinSupport = false;
    TbsStdCommand Command = cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreInActiveRect, RestoreDownRect;
    String RestoreHint, FTempHint;

    // The restore state: maximize while maximized, minimize while
    // minimized, roll-up while rolled up.
    bool InRestoreState() const;
    // The system-menu button showing the form's icon.
    bool InIconState() const;
};

class TbsSkinAnimateObject : public TbsActiveSkinObject {
public:
    TbsSkinAnimateObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData);
    void ShowLayer() override;
    void HideLayer() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Start();
    void Stop();
    // One step of the animation timer.
    void ChangeFrame();
    void RunCommand();
    void PopupObjectMenu();
    int Frame() const { return FFrame; }
    void SetFrame(int v);
    bool InRestoreState() const;

    int FFrame = 1;
    int FInc = 25;
    int TimerInterval = 25;
    TMenuItem* MenuItem = nullptr;
    bool FPopupUp = false;
    bool FDown = false;
    bool FMenuTracking = false;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    bool Increment = true;
    TbsStdCommand Command = cmDefault;
    TRect DownSkinRect, RestoreRect, RestoreActiveRect, RestoreInActiveRect, RestoreDownRect;
    String RestoreHint, FTempHint;

protected:
    TbsLayerManager* GlowManager() const override;

private:
    TRect FrameRect(int n) const;
};

// A TObject as well: it is the Sender of a quick button's OnClick.
class TbsSkinCaptionObject : public TbsActiveSkinObject, public TObject {
public:
    TbsSkinCaptionObject(TbsSkinFrame* AParent, TbsDataSkinObject* AData);
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool EnableAnimation() const;
    void TestQuickButtons(int X, int Y);
    void DrawCaptionText(TCanvas* Cnvs, int OffsetX, int OffsetY, bool AActive, TCanvas* EventCanvas);
    // The caption picture (part R of Pict) at the caption's current size.
    void CreateCaptionImage(TBitmap* B, const TRect& R, TBitmap* Pict) const;
    TRect GetAnimationFrameRect() const;
    // The text area at the current size (window coordinates relative to ObjectRect).
    TRect TextArea() const;

    int ActiveQuickButton = -1, OldActiveQuickButton = -1;
    String FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0;
    bool Shadow = false;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    bool Light = false;
    TColor LightColor = 0, ActiveLightColor = 0;
    TAlignment Alignment = taCenter;
    TRect TextRct, FrameRect, ActiveFrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    bool StretchEffect = false, FullFrame = false;
    int FIncTime = 0;
    TRect AnimateSkinRect;
    int FrameCount = 0, AnimateInterval = 25;
    int CurrentFrame = 0;
    bool InActiveAnimation = false;
    bool VistaGlowEffect = false, VistaGlowInActiveEffect = false, GlowEffect = false, GlowInActiveEffect = false;
    int GlowSize = 3, GlowOffset = 0;
    TColor GlowColor = 0, GlowActiveColor = 0;
    bool ReflectionEffect = false;
    int ReflectionOffset = 0;
    TColor ReflectionColor = 0, ReflectionActiveColor = 0;

private:
    bool HasQuickButtons() const;
    void PaintQuickButtons(TCanvas* Cnvs);
    // B: the caption picture with its text (fontColor, text drawn as active or not).
    void ComposeCaption(TBitmap& B, const TRect& R, TBitmap* Pict, TColor fontColor, bool textActive);
};

// Applies the store's inactive-window effect to a bitmap.
void ApplyInActiveEffect(TbsSkinData* store, TBitmap* B);
