#include "DialogsPage.h"

#include <functional>

#include "PngWriter.h"
#include "skin/boxes/bsMessages.h"
#include "skin/shell/bsDialogs.h"
#include "skin/shell/bsSkinFolderDialog.h"
#include "skin/shell/bsSkinOpenDialog.h"
#include "skin/shell/bsSkinPictureDialogs.h"

namespace {

std::function<void()>& PendingShot() {
    static std::function<void()> shot;
    return shot;
}

// The shown dialog, copied from the screen (frame included), then closed.
void CALLBACK ShootTimer(HWND w, UINT, UINT_PTR id, DWORD) {
    KillTimer(w, id);
    if (auto shot = std::move(PendingShot())) shot();
}

void ShootAndClose(TForm* f, const String& file) {
    PendingShot() = [f, file] {
        RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application->ProcessMessages();
        RECT r;
        GetWindowRect(f->Handle(), &r);
        TBitmap shot(r.right - r.left, r.bottom - r.top, pf24bit);
        HDC screen = GetDC(nullptr);
        BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        SavePng(&shot, file);
        f->ModalResult = mrCancel;
    };
    // Half a second after showing: the window is painted by then.
    SetTimer(f->Handle(), 0x6A11, 500, ShootTimer);
}

}  // namespace

void DrawDialogPages(const String& dir, TbsCompressedSkinList* skins) {
    struct Look {
        const wchar_t* name;
        bool skinned;
    } looks[] = {{L"skin_main_0", true}, {L"plain", false}};
    const String folder = ExtractFilePath(ParamStr0());
    for (const Look& look : looks) {
        TbsSkinData store(nullptr);
        if (look.skinned) store.LoadCompressedStoredSkin(skins->Skins()->Items(0)->Skin());
        TbsSkinData* s = look.skinned ? &store : nullptr;
        auto shoot = [&](const wchar_t* what) {
            const String file = dir + L"dialog_" + look.name + L"_" + what + L".png";
            DialogFormShownHook() = [file](TForm* f) { ShootAndClose(f, file); };
        };
        TbsSelectSkinDialog skin(nullptr);
        skin.SetSkinList(skins);
        skin.SetSkinData(s);
        skin.SetCtrlSkinData(s);
        shoot(L"skin");
        skin.Execute(0);
        TbsSkinOpenDialog open(nullptr);
        open.SetSkinData(s);
        open.SetCtrlSkinData(s);
        open.Filter = L"视频|*.mp4;*.avi|全部|*.*";
        open.InitialDir = folder;
        shoot(L"open");
        open.Execute();
        TbsSkinOpenPictureDialog picture(nullptr);
        picture.SetSkinData(s);
        picture.SetCtrlSkinData(s);
        picture.InitialDir = folder;
        shoot(L"picture");
        picture.Execute();
        TbsSkinSelectDirectoryDialog dirs(nullptr);
        dirs.SetSkinData(s);
        dirs.SetCtrlSkinData(s);
        dirs.ShowToolBar = true;
        dirs.Directory = folder;
        shoot(L"folder");
        dirs.Execute();
        DialogFormShownHook() = nullptr;
        // The message dialog: the main window's notice (one button, its own
        // caption) and a question with three buttons.
        TbsSkinMessage message(nullptr);
        message.SetSkinData(s);
        message.SetCtrlSkinData(s);
        const auto shootMessage = [&](const wchar_t* what) {
            const String file = dir + L"dialog_" + look.name + L"_" + what + L".png";
            MessageFormShownHook() = [file](TbsMessageForm* f) { ShootAndClose(f, file); };
        };
        shootMessage(L"message");
        message.MessageDlg2(L"转换完成。 The conversion is finished.", L"Vantrel", mtInformation, MsgButtons({mbOK}), 0);
        shootMessage(L"question");
        message.MessageDlg(L"文件已存在，是否覆盖？\nThe file exists. Overwrite it?", mtConfirmation,
                           MsgButtons({mbYes, mbNo, mbCancel}), 0);
        MessageFormShownHook() = nullptr;
    }
}
