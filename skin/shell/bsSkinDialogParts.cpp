#include "skin/shell/bsSkinDialogParts.h"

#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/frame/bsSkinFrame.h"

TbsSkinFrame* bsNewDialogFrame(TForm* form) { return new TbsSkinFrame(form); }

void bsSetupDialogFrame(TbsSkinFrame* frame, const TbsDialogFrameSetup& s) {
    frame->SetBorderIcons(0);
    frame->SetSkinData(s.SkinData);
    frame->SetMenusSkinData(s.MenusSkinData);
    frame->MinWidth = s.MinWidth;
    frame->MinHeight = s.MinHeight;
    frame->SetAlphaBlend(s.AlphaBlend);
    frame->AlphaBlendAnimation = s.AlphaBlendAnimation;
    frame->SetAlphaBlendValue(s.AlphaBlendValue);
}

void bsSetFrameSkinData(TbsSkinFrame* frame, TbsSkinData* skin) { frame->SetSkinData(skin); }

TbsSkinData* bsFrameSkinData(TbsSkinFrame* frame) { return frame->SkinData(); }

void bsSetFramePreviewMode(TbsSkinFrame* frame, bool on) { frame->PreviewMode = on; }

void bsSetFrameMenusAlpha(TbsSkinFrame* frame, bool alphaBlend, BYTE value, bool animation) {
    frame->MenusAlphaBlend = alphaBlend;
    frame->MenusAlphaBlendValue = value;
    frame->MenusAlphaBlendAnimation = animation;
}

int bsFrameMinWidth(TbsSkinFrame* frame) { return frame->GetMinWidth(); }

int bsFrameMinHeight(TbsSkinFrame* frame) { return frame->GetMinHeight(); }

TControl* bsNewSpacer(TComponent* owner, TWinControl* parent, TAlign align, int width) {
    auto* s = new TbsSkinBevel(owner);
    s->SetParent(parent);
    s->SetShape(bsSpacer);
    s->SetWidth(width);
    s->SetAlign(align);
    return s;
}

TbsSkinSplitter* bsNewSplitter(TComponent* owner, TWinControl* parent, TAlign align) {
    auto* s = new TbsSkinSplitter(owner);
    s->SetParent(parent);
    s->SetWidth(10);
    s->DefaultSize = 10;
    s->Beveled = false;
    s->SetAlign(align);
    return s;
}

TControl* bsSplitterControl(TbsSkinSplitter* s) { return s; }

void bsSetSplitterSkinData(TbsSkinSplitter* s, TbsSkinData* skin) { s->SetSkinData(skin); }
