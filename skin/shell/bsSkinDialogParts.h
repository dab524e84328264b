#pragma once
// The skinned frame, the spacers and the splitter of the dialog forms,
// reached through small functions: their headers cannot share a source file
// with the skinned panels, speed buttons and list boxes (they define
// messages and border-style names of the same spelling), so the dialogs
// build and set them here.
//
// Threads: UI thread only.

#include <windows.h>

#include "platform/Controls.h"

class TbsSkinData;
class TbsSkinFrame;
class TbsSkinSplitter;
class TForm;

struct TbsDialogFrameSetup {
    TbsSkinData* SkinData = nullptr;
    TbsSkinData* MenusSkinData = nullptr;
    int MinWidth = 0, MinHeight = 0;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
};

// A frame owned by form (it takes over the form's window).
TbsSkinFrame* bsNewDialogFrame(TForm* form);
// No caption buttons, then the skins, the minimum size and translucency.
void bsSetupDialogFrame(TbsSkinFrame* frame, const TbsDialogFrameSetup& s);
void bsSetFrameSkinData(TbsSkinFrame* frame, TbsSkinData* skin);
TbsSkinData* bsFrameSkinData(TbsSkinFrame* frame);
// The sample frame of a preview: always drawn active, no layered border.
void bsSetFramePreviewMode(TbsSkinFrame* frame, bool on);
void bsSetFrameMenusAlpha(TbsSkinFrame* frame, bool alphaBlend, BYTE value, bool animation);
// The smallest client size the frame's skin allows.
int bsFrameMinWidth(TbsSkinFrame* frame);
int bsFrameMinHeight(TbsSkinFrame* frame);

// A spacer bevel of the given width (bsSpacer).
TControl* bsNewSpacer(TComponent* owner, TWinControl* parent, TAlign align, int width);
// A splitter 10 wide (DefaultSize 10, not bevelled).
TbsSkinSplitter* bsNewSplitter(TComponent* owner, TWinControl* parent, TAlign align);
TControl* bsSplitterControl(TbsSkinSplitter* s);
void bsSetSplitterSkinData(TbsSkinSplitter* s, TbsSkinData* skin);

// A skinned message on behalf of a dialog form: the text with a warning
// icon and OK (and Cancel when okCancel); true when answered with OK.
bool bsDialogWarning(TComponent* owner, TbsSkinData* skin, TbsSkinData* ctrlSkin, const String& text,
                     bool okCancel);

// The picture preview of the picture dialogs (a TImage; its header cannot
// share a source file with the skinned panels either).
class TImage;
TImage* bsNewPreviewImage(TComponent* owner, TWinControl* parent);
TControl* bsPreviewControl(TImage* image);
// Loads a picture file (its format by the extension); a file that cannot be
// read or decoded leaves the picture empty and returns false.
bool bsLoadPreviewPicture(TImage* image, const String& fileName);
int bsPreviewPictureWidth(TImage* image);
int bsPreviewPictureHeight(TImage* image);
bool bsPreviewPictureEmpty(TImage* image);
// Stretched to the whole parent (aligned to the client), or at the
// picture's own size at the origin.
void bsSetPreviewStretch(TImage* image, bool stretch);
bool bsPreviewStretch(TImage* image);
