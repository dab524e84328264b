#pragma once
// What the skinned file, folder and picture dialogs share: the common
// properties of the components, the base of their forms with the building
// helpers (tool panel, tool buttons with the program's glyphs, spacers,
// scroll bars, buttons), the texts by key, and the fixed order of the steps
// of Execute.
//
// Execute (TbsSkinDialogComponent::RunDialog) runs, in this order:
//   1 OnShow (the form does not exist yet); 2 CreateDialogForm;
//   3 CopySettings; 4 caption := Title; 5 the frame's settings;
//   6 SetupControls; 7 client size (DialogWidth/DialogHeight or the
//   default, at least the frame's minimum when SkinData holds a skin);
//   8 StartState; 9 ShowModal; 10 DialogWidth/DialogHeight := the client
//   size, then ReadBack(confirmed); 11 always, also after an exception:
//   OnClose, the form freed. Exceptions continue to the caller.
//
// Texts: the string data of CtrlSkinData by key; a key it lacks and a store
// without strings give the built-in text (a dialog whose buttons have no
// captions cannot be answered sensibly).
//
// Glyphs: the 16 x 16 pictures "BS_BACK", "BS_UP", "BS_NEWFOLDER",
// "BS_LVSTYLE", "BS_STRETCH" and the drive and folder pictures of the file
// lists are bitmap resources of the program (drawn by tools/skingen; link
// vantrel_dialog_glyphs). A program without them gets empty pictures.
//
// Threads: UI thread only; Execute runs a modal loop.

#include <functional>
#include <memory>

#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsPanel.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/shell/bsSkinDialogParts.h"

// The text of key from the strings of store, else builtIn.
String bsDialogText(TbsSkinData* store, const wchar_t* key, const wchar_t* builtIn);

// Loads the program's bitmap resource `name` into bmp; false (bmp emptied)
// when the program has no such resource.
bool bsLoadDialogGlyph(TBitmap* bmp, const wchar_t* name);

// Called with every dialog form of this set just before it is shown (tests
// drive the modal loop through it).
std::function<void(TForm*)>& DialogFormShownHook();

class TbsSkinDialogForm : public TForm {
public:
    // The frame (BSF) is created first, before any control.
    TbsSkinDialogForm(TComponent* owner, TbsSkinData* ctrlSkinData, bool toolButtonsTransparent);
    ~TbsSkinDialogForm() override;

    TbsSkinFrame* BSF = nullptr;

    // The text of a key in this form's strings.
    String Text(const wchar_t* key, const wchar_t* builtIn) const { return bsDialogText(CtrlSD, key, builtIn); }

protected:
    TbsSkinPanel* MakePanel(TWinControl* parent, TAlign align, TbsSkinBorderStyle border);
    // A top tool panel, 25 high, without frame ("toolpanel").
    TbsSkinPanel* MakeToolPanel(TWinControl* parent);
    // A 27 x 25 tool button aligned right in the tool panel ("toolbutton").
    TbsSkinSpeedButton* MakeToolButton(TWinControl* parent, const wchar_t* glyph, const wchar_t* hintKey,
                                       const wchar_t* hintText);
    // Puts a glyph resource on a tool button (through the form's image list).
    void SetToolGlyph(TbsSkinSpeedButton* b, const wchar_t* glyph);
    TControl* MakeSpacer(TWinControl* parent, TAlign align, int width);
    // The two bars of a view, created disabled ("hscrollbar", "vscrollbar").
    void MakeScrollBars(TWinControl* parent, TbsSkinScrollBar*& h, TbsSkinScrollBar*& v);
    TbsSkinButton* MakeButton(TWinControl* parent, const String& caption, int left, int top);

    TbsSkinData* CtrlSD = nullptr;
    bool ToolButtonsFlat = false;

private:
    // Owned by the form and made before any button, so that it is freed
    // after every button that paints from it.
    TImageList* glyphs_ = nullptr;
};

class TbsSkinDialogComponent : public TComponent {
public:
    ~TbsSkinDialogComponent() override;

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* v);
    TbsSkinData* CtrlSkinData() const { return FCtrlSD; }
    void SetCtrlSkinData(TbsSkinData* v);
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* v) { FDefaultFont.Assign(v); }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& v) { FTitle = v; }
    int DialogWidth = 0, DialogHeight = 0;
    int DialogMinWidth = 0, DialogMinHeight = 0;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
    bool ToolButtonsTransparent = false;
    TNotifyEvent OnShow, OnClose;

    // The form of the run in progress, nullptr outside Execute.
    TbsSkinDialogForm* DialogForm() const { return FDlgFrm; }

protected:
    TbsSkinDialogComponent(TComponent* owner, const String& title, BYTE alphaValue, int defaultWidth,
                           int defaultHeight);
    void Notification(TComponent* component, TOperation op) override;

    // The common steps; true when the form closed with mrOk.
    bool RunDialog();
    // Step 2: a new form owned by the application.
    virtual TbsSkinDialogForm* CreateDialogForm() = 0;
    virtual void CopySettings(TbsSkinDialogForm*) {}
    virtual void SetupControls(TbsSkinDialogForm*) {}
    virtual void StartState(TbsSkinDialogForm*) {}
    virtual void ReadBack(TbsSkinDialogForm*, bool /*confirmed*/) {}

    TFont FDefaultFont;

private:
    // Steps 2 to 10.
    bool ShowDialogForm();
    // Step 11.
    void FinishRun();

    TbsSkinData* FSD = nullptr;
    TbsSkinData* FCtrlSD = nullptr;
    String FTitle;
    int FDefaultWidth, FDefaultHeight;
    TbsSkinDialogForm* FDlgFrm = nullptr;
};
