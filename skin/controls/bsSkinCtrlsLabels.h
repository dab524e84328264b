#pragma once
// The skinned labels. TbsSkinStdLabel is the class library's label with the
// font and colour of a "stdlabel" skin record (TbsDataSkinStdLabelControl);
// painting and measuring both use that font, so auto-size follows the skin.
// TbsSkinTextLabel is a windowless multi-line label whose text is a string
// list (Lines), with the same font rules.
//
// Font rules: unskinned, the whole DefaultFont with UseSkinFont, else the
// whole Font; skinned, the record's name, style and height with UseSkinFont
// (else Font) and the record's colour with UseSkinColor (else Font's). A
// disabled label draws its text twice: a highlight copy one pixel down and
// right, then the shadow-coloured text in place.
//
// Name map: FSD = the store, FIndex = the record's index (-1: plain).
//
// Threads: UI thread only.

#include "platform/StdCtrls.h"
#include "platform/StringList.h"
#include "skin/bsSkinData.h"

enum TbsEllipsType { bsetNone, bsetEndEllips, bsetPathEllips };

// The skin-font part shared by both labels.
class TbsLabelSkin {
public:
    TbsSkinData* FSD = nullptr;
    String FSkinDataName = L"stdlabel";
    int FIndex = -1;
    TFont FDefaultFont;
    bool UseSkinFont = true, UseSkinColor = true;
    String FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 0;
    TColor FontColor = 0;

    void GetSkinData();
    // Sets up canvas's font by the rules above.
    void SetupFont(TCanvas* canvas, TFont* ownFont);
    // Draws text into r with flags, embossed when disabled.
    void DrawLabelText(TCanvas* canvas, const String& text, TRect& r, UINT flags, bool enabled, bool useEx);
};

class TbsSkinStdLabel : public TCustomLabel {
public:
    explicit TbsSkinStdLabel(TComponent* owner);
    ~TbsSkinStdLabel() override;

    TbsSkinData* SkinData() const { return FSkin.FSD; }
    void SetSkinData(TbsSkinData* v);
    const String& SkinDataName() const { return FSkin.FSkinDataName; }
    void SetSkinDataName(const String& v) { FSkin.FSkinDataName = v; }
    TFont* DefaultFont() { return &FSkin.FDefaultFont; }
    void SetDefaultFont(TFont* v) { FSkin.FDefaultFont.Assign(v); }
    bool& UseSkinFont() { return FSkin.UseSkinFont; }
    bool& UseSkinColor() { return FSkin.UseSkinColor; }
    TbsEllipsType EllipsType() const { return FEllipsType; }
    void SetEllipsType(TbsEllipsType v);
    int SkinIndex() const { return FSkin.FIndex; }

    void GetSkinData() { FSkin.GetSkinData(); }
    void ChangeSkinData();
    // Paints the label's look with another text onto c, moved by (x, y).
    void PaintSkinTo(TCanvas* c, int x, int y, const String& text);

protected:
    void DoDrawText(TRect& r, UINT flags) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    UINT EllipsFlag() const;
    TbsLabelSkin FSkin;
    TbsEllipsType FEllipsType = bsetNone;
};

class TbsSkinTextLabel : public TGraphicControl {
public:
    explicit TbsSkinTextLabel(TComponent* owner);
    ~TbsSkinTextLabel() override;

    TbsSkinData* SkinData() const { return FSkin.FSD; }
    void SetSkinData(TbsSkinData* v);
    const String& SkinDataName() const { return FSkin.FSkinDataName; }
    void SetSkinDataName(const String& v) { FSkin.FSkinDataName = v; }
    TFont* DefaultFont() { return &FSkin.FDefaultFont; }
    void SetDefaultFont(TFont* v) { FSkin.FDefaultFont.Assign(v); }
    bool& UseSkinFont() { return FSkin.UseSkinFont; }
    bool& UseSkinColor() { return FSkin.UseSkinColor; }
    TStringList* Lines() { return &FLines; }
    void SetLines(TStrings* v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    // The label's own auto-size (the text's extent), in place of the
    // class library's.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    int SkinIndex() const { return FSkin.FIndex; }

    void GetSkinData() { FSkin.GetSkinData(); }
    void ChangeSkinData();
    // Fits the size to the text (when auto-sized); a right-aligned label
    // keeps its right edge.
    virtual void AdjustBounds();
    virtual String GetLabelText();
    void WndProc(TMessage& m) override;

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation op) override;
    void DoDrawText(TRect& r, UINT flags);

private:
    TbsLabelSkin FSkin;
    TStringList FLines;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false, FAutoSize = true;
};
