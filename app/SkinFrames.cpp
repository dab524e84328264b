#include "app/SkinFrames.h"

#include "skin/frame/bsSkinFrame.h"

namespace skinframes {

TbsSkinFrame* AttachSkinFrame(TForm* form, TbsSkinData* store, unsigned buttons, int width, int height) {
    auto* frame = new TbsSkinFrame(form);
    frame->SetName(L"bsSkinFrame1");
    frame->SetSkinData(store);
    frame->SetMenusSkinData(store);
    TbsBorderIcons icons = 0;
    if (buttons & fbSystemMenu) icons |= biSkinSystemMenu;
    if (buttons & fbMinimize) icons |= biSkinMinimize;
    if (buttons & fbRollUp) icons |= biRollUp;
    frame->SetBorderIcons(icons);
    frame->SetHideCaptionButtons(buttons == fbNone);
    frame->ClientWidth = width;
    frame->ClientHeight = height;
    form->SetClientSize(width, height);
    return frame;
}

}  // namespace skinframes
