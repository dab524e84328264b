#pragma once
// A hyperlink label: a transparent label with the font and colours of the
// "stdlabel" skin record, underlined, turning its hover colour (or glowing)
// while the pointer is over it, with the hand cursor; a click opens URL.
//
// The opener is replaceable (LinkOpener): the shell's "open" by default.
//
// Threads: UI thread only.

#include <functional>

#include "platform/StdCtrls.h"
#include "skin/bsSkinData.h"

// Opens an address (the shell's "open" with SW_SHOWNORMAL by default).
using TbsLinkOpener = std::function<void(const String& url)>;
TbsLinkOpener& LinkOpener();

class TbsSkinLinkLabel : public TCustomLabel {
public:
    explicit TbsSkinLinkLabel(TComponent* owner);
    ~TbsSkinLinkLabel() override;

    String URL;
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* v);
    String SkinDataName = L"stdlabel";
    TFont* DefaultFont() { return &FDefaultFont; }
    bool UseSkinFont = true;
    bool UseUnderLine() const { return FUseUnderLine; }
    void SetUseUnderLine(bool v);
    TColor DefaultActiveFontColor = 0xFF0000;
    bool GlowEffect = false;
    int GlowSize = 7;
    bool MouseIn() const { return FMouseIn; }
    void ChangeSkinData();
    void Click() override;
    void WndProc(TMessage& m) override;

    int FIndex = -1;
    String FontName;
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0;

protected:
    void DoDrawText(TRect& r, UINT flags) override;
    void Notification(TComponent* component, TOperation op) override;

private:
    void GetSkinData();
    TbsSkinData* FSD = nullptr;
    TFont FDefaultFont;
    bool FUseUnderLine = true;
    bool FMouseIn = false;
};
