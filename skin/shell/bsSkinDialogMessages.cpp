// The dialogs' messages (kept apart: the message box's header cannot share
// a source file with the skinned panels).
#include "skin/boxes/bsMessages.h"
#include "skin/shell/bsSkinDialogParts.h"

bool bsDialogWarning(TComponent* owner, TbsSkinData* skin, TbsSkinData* ctrlSkin, const String& text,
                     bool okCancel) {
    TbsSkinMessage m(owner);
    m.SetSkinData(skin);
    m.SetCtrlSkinData(ctrlSkin);
    const TMsgDlgButtons buttons = okCancel ? MsgButtons({mbOK, mbCancel}) : MsgButtons({mbOK});
    return m.MessageDlg(text, mtWarning, buttons, 0) == mrOk;
}
