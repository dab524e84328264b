#include "DialogsPage.h"

#include <algorithm>
#include <functional>

#include "GalleryText.h"
#include "PngWriter.h"
#include "platform/Owners.h"
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

// Copies the shown form from the screen (frame included) into the picture
// `take` receives, then closes the form.
void ShootAndClose(TForm* f, std::function<void(TBitmap&)> take) {
    PendingShot() = [f, take = std::move(take)] {
        RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application->ProcessMessages();
        RECT r;
        GetWindowRect(f->Handle(), &r);
        TBitmap shot(r.right - r.left, r.bottom - r.top, pf24bit);
        HDC screen = GetDC(nullptr);
        BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        take(shot);
        f->ModalResult = mrCancel;
    };
    // Half a second after showing: the window is painted by then.
    SetTimer(f->Handle(), 0x6A11, 500, ShootTimer);
}

void ShootAndClose(TForm* f, const String& file) {
    ShootAndClose(f, [file](TBitmap& shot) { SavePng(&shot, file); });
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

namespace {

// One framed dialog of the sheet with its name above it.
struct SheetShot {
    const wchar_t* name;
    TBitmap picture;
};

// Runs a modal dialog and keeps its picture as it showed.
template <class Run>
void ShootModal(TBitmap& into, Run run) {
    DialogFormShownHook() = [&into](TForm* f) { ShootAndClose(f, [&into](TBitmap& shot) { into.Assign(&shot); }); };
    MessageFormShownHook() = [&into](TbsMessageForm* f) {
        ShootAndClose(f, [&into](TBitmap& shot) { into.Assign(&shot); });
    };
    run();
    DialogFormShownHook() = nullptr;
    MessageFormShownHook() = nullptr;
}

}  // namespace

void DrawDialogsSheet(TForm* options, TbsSkinData* store, TbsCompressedSkinList* skins, int skinIndex,
                      const String& title, const String& file) {
    TbsSkinData* s = store && !store->Empty ? store : nullptr;
    SheetShot shots[] = {{L"选项 options dialog", {}},
                         {L"消息 message dialog", {}},
                         {L"打开 open dialog", {}},
                         {L"皮肤 skin dialog", {}}};
    if (options) {
        options->Show();
        Application->ProcessMessages();
        RedrawWindow(options->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application->ProcessMessages();
        RECT r;
        GetWindowRect(options->Handle(), &r);
        shots[0].picture.SetPixelFormat(pf24bit);
        shots[0].picture.SetSize(r.right - r.left, r.bottom - r.top);
        platform::WindowDC screen;
        BitBlt(shots[0].picture.Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen.Get(), r.left,
               r.top, SRCCOPY);
        options->Hide();
    }
    TbsSkinMessage message(nullptr);
    message.SetSkinData(s);
    message.SetCtrlSkinData(s);
    ShootModal(shots[1].picture, [&] {
        message.MessageDlg(L"文件已存在，是否覆盖？\nThe file exists. Overwrite it?", mtConfirmation,
                           MsgButtons({mbYes, mbNo, mbCancel}), 0);
    });
    TbsSkinOpenDialog open(nullptr);
    open.SetSkinData(s);
    open.SetCtrlSkinData(s);
    open.Filter = L"视频|*.mp4;*.avi|全部|*.*";
    open.InitialDir = ExtractFilePath(ParamStr0());
    ShootModal(shots[2].picture, [&] { open.Execute(); });
    TbsSelectSkinDialog skin(nullptr);
    skin.SetSkinList(skins);
    skin.SetSkinData(s);
    skin.SetCtrlSkinData(s);
    ShootModal(shots[3].picture, [&] { skin.Execute(skinIndex); });

    // The options dialog on the left, the open dialog right of it, the
    // message and skin dialogs below the open dialog.
    constexpr int kGap = 16, kLabel = 20, kTop = 36;
    auto w = [&](int i) { return shots[i].picture.Width(); };
    auto h = [&](int i) { return shots[i].picture.Height(); };
    const int right = kGap + w(0) + kGap;
    const int lowerTop = kTop + kLabel + h(2) + kGap;
    const int width = right + std::max(w(2), w(1) + kGap + w(3)) + kGap;
    const int height = std::max(kTop + kLabel + h(0), lowerTop + kLabel + std::max(h(1), h(3))) + kGap;
    const TPoint at[] = {{kGap, kTop}, {right, lowerTop}, {right, kTop}, {right + w(1) + kGap, lowerTop}};
    TBitmap page;
    const TColor ink = BeginGalleryPage(page, s, title + L" - dialogs", width, height);
    for (int i = 0; i < 4; ++i) {
        GalleryText(page.Canvas(), at[i].x, at[i].y, shots[i].name, ink, 12);
        if (!shots[i].picture.Empty()) page.Canvas()->Draw(at[i].x, at[i].y + kLabel, &shots[i].picture);
    }
    SavePng(&page, file);
}
