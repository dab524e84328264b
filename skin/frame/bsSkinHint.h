#pragma once
// The skinned hint. TbsSkinHint is placed on the main form; while it exists
// the application's hint window class is TbsSkinHintWindow, which draws
// every hint from the skin's hint-window record (nine-piece picture,
// optional mask region, skin font) or, without a usable skin, in the plain
// tooltip colours. A hint may carry a bold title and an image taken from
// the hinted skinned control. The component can also show a hint on demand
// after the application's hint pause and hide it after the hide pause
// (ActivateHint2 / ActivateHintEx2 / ActivateHint3, used by the frame, its
// caption objects and the images menu).
//
// The hint window class and the show-hint handler are installed through
// the application's hook lists: they leave with the component by identity,
// whatever other components installed meanwhile.
//
// Name map: HW = the component's own hint window, FSD = the skin used for
// the current showing (nullptr: plain look), New* = the skin geometry at
// the window's current size, AExtendedStyle = the last showing had the
// title-and-image layout.
//
// Threads: UI thread only. Timers run on the class library's clock; the
// fade-in is a short busy loop on the system tick count.

#include <memory>

#include "platform/Forms.h"
#include "platform/Timer.h"
#include "skin/bsSkinData.h"

class TCustomImageList;
class TbsSkinHint;

class TbsSkinHintWindow : public THintWindow {
public:
    explicit TbsSkinHintWindow(TComponent* AOwner);
    ~TbsSkinHintWindow() override;

    // Called by the application's hint machinery and by TbsSkinHint; only
    // Rect's top-left corner counts, the window measures itself.
    void ActivateHint(TRect Rect, const String& AHint) override;
    void ActivateHintEx(TRect Rect, const String& AHintTitle, const String& AHint, int AImageIndex,
                        TCustomImageList* AImageList);
    // Centred horizontally above (ATop) or below ARect.
    void ActivateHintFromRect(TRect ARect, const String& AHint, bool ATop);
    TRect CalcHintRect(int maxWidth, const String& hint) override;

    bool AExtendedStyle = false;
    TRect NewClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    // The skin of the current showing (nullptr: the plain look).
    TbsSkinData* SkinInUse() const { return FSD; }
    // Whether the window now carries a region from the skin's mask.
    bool HasRegion() const { return FHasRgn; }

protected:
    void CreateParams(TCreateParams& p) override;
    void Paint() override;
    void WndProc(TMessage& m) override;

private:
    enum class TLayout { Plain, Extended, FromRect };
    void Activate(TLayout layout, TRect Rect, bool ATop, const String& AHint);
    void SetupFont(TCanvas* C);
    void Measure(int& w, int& h);
    void FitCorners(int& w, int& h);
    void ApplyAlpha();
    void ApplyRegion();
    void FadeIn();
    void PaintPlainText(TCanvas* C);
    void PaintExtended(TCanvas* C);

    TbsSkinHint* FspHint = nullptr;
    TbsSkinData* FSD = nullptr;
    String FTitle;
    int FImageIndex = 0;
    TCustomImageList* FImageList = nullptr;
    bool FHasRgn = false;
    bool FOldAlphaBlend = false;
    BYTE FOldAlphaBlendValue = 0;
};

class TbsSkinHint : public TComponent {
public:
    explicit TbsSkinHint(TComponent* AOwner);
    ~TbsSkinHint() override;

    // ---- properties ----
    String LineSeparator = L"@";
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    bool AlphaBlend = false;
    BYTE AlphaBlendValue = 0;
    bool AlphaBlendAnimation = false;
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* Value) { FDefaultFont.Assign(Value); }
    bool UseSkinFont = true;
    TShowHintEvent OnShowHint;

    // ---- showing ----
    void ActivateHint(TPoint P, const String& AHint);
    void ActivateHintEx(TPoint P, const String& AHintTitle, const String& AHint, int AImageIndex,
                        TCustomImageList* AImageList);
    void ActivateHint2(const String& AHint);
    void ActivateHintEx2(const String& AHintTitle, const String& AHint, int AImageIndex,
                         TCustomImageList* AImageList);
    void ActivateHint3(TRect AFromRect, const String& AHint, bool ATop);
    void HideHint();
    bool IsVisible() const;
    // Distance from the cursor's hot spot to its lowest visible row.
    int GetCursorHeightMargin() const;
    TbsSkinHintWindow* HintWindow() const { return HW; }

    // Title and image of the hint now being shown (from the hinted control).
    const String& HintTitle() const { return FHintTitle; }
    int HintImageIndex() const { return FHintImageIndex; }
    TCustomImageList* HintImageList() const { return FHintImageList; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    enum class TTimedKind { Plain, Extended, FromRect };
    void StartTimed(TTimedKind kind);
    void ShowTick();
    void ShowHintHandler(String& HintStr, bool& CanShow, THintInfo& HintInfo);

    bool FActive = true;
    TbsSkinData* FSD = nullptr;
    TbsSkinHintWindow* HW = nullptr;
    TFont FDefaultFont;
    TTimer* HintTimer = nullptr;
    TTimedKind FTimedKind = TTimedKind::Plain;
    String HintText;
    TRect FromRect;
    bool Top = false;
    String FHintTitle;
    int FHintImageIndex = 0;
    TCustomImageList* FHintImageList = nullptr;
    TApplication::THintWindowClasses::Token FClassToken;
    TApplication::TShowHintHooks::Token FShowHintToken;
};

// The component in charge of the skinned hints: the first active
// TbsSkinHint among the main form's components (nullptr: none).
TbsSkinHint* FindActiveSkinHint();
// A hint text with every separator replaced by a line break (CR LF).
String ReplaceHintSeparators(const String& AHint, const String& ASeparator);
// Alpha step of the fade-in: value div 15, at least 1.
int HintFadeStep(int AlphaBlendValue);
