#include "app/SkinFrames.h"

#include "skin/frame/bsSkinFrame.h"

namespace skinframes {

TbsSkinFrame* AttachSkinFrame(TForm* form, TbsSkinData* store, unsigned buttons, int width, int height) {
    auto* frame = new TbsSkinFrame(form);
    frame->SetName(L"bsSkinFrame1");
    // The buttons first: while the form is being built the frame only stores
    // them, and taking the skin sets its caption buttons from what is stored.
    TbsBorderIcons icons = 0;
    if (buttons & fbSystemMenu) icons |= biSkinSystemMenu;
    if (buttons & fbMinimize) icons |= biSkinMinimize;
    if (buttons & fbRollUp) icons |= biRollUp;
    frame->SetBorderIcons(icons);
    frame->SetHideCaptionButtons(buttons == fbNone);
    frame->SetSkinData(store);
    frame->SetMenusSkinData(store);
    frame->ClientWidth = width;
    frame->ClientHeight = height;
    form->SetClientSize(width, height);
    return frame;
}

}  // namespace skinframes
