#include "app/MainDialogs.h"

#include <shellapi.h>
#include <shlobj.h>

#include "app/SkinFrames.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "skin/bsCompressedSkins.h"
#include "skin/bsSkinData.h"

namespace maindialogs {

namespace {

int CALLBACK StartAt(HWND wnd, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED && data) SendMessageW(wnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

struct ItemIdList {
    LPITEMIDLIST pidl = nullptr;
    ~ItemIdList() {
        if (pidl) CoTaskMemFree(pidl);
    }
};

}  // namespace

bool SelectFolder(const String& title, String& dir) {
    BROWSEINFOW info{};
    info.hwndOwner = Screen->ActiveForm() ? Screen->ActiveForm()->Handle() : Application->Handle();
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    const String start = DirectoryExists(dir) ? dir : String();
    info.lpfn = &StartAt;
    info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    ItemIdList chosen;
    chosen.pidl = SHBrowseForFolderW(&info);
    if (!chosen.pidl) return false;
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.pidl, path)) return false;
    dir = path;
    return true;
}

bool SelectSkin(TbsCompressedSkinList* list, TbsSkinData* store, int current, int& selected) {
    selected = -1;
    if (!list) return false;
    TForm* form = new TForm(Application);
    std::unique_ptr<TForm> owner(form);
    form->SetCaption(L"Select skin");
    form->SetBorderStyle(bsDialog);
    form->SetClientSize(420, 240);
    form->Position = poMainFormCenter;
    form->Font()->SetName(L"宋体");
    form->Font()->SetHeight(-12);
    skinframes::AttachSkinFrame(form, store, skinframes::fbSystemMenu, 420, 240);
    auto* skins = new TListBox(form);
    skins->SetParent(form);
    skins->SetBounds(12, 12, 396, 176);
    for (int i = 0; i < list->Skins()->Count(); ++i) skins->Items()->Add(list->Skins()->Items(i)->Description);
    if (current >= 0 && current < skins->Count()) skins->SetItemIndex(current);
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetBounds(236, 200, 80, 28);
    ok->SetCaption(L"确定");
    ok->ModalResult = mrOk;
    ok->SetDefault(true);
    auto* cancel = new TButton(form);
    cancel->SetParent(form);
    cancel->SetBounds(328, 200, 80, 28);
    cancel->SetCaption(L"取消");
    cancel->ModalResult = mrCancel;
    cancel->Cancel = true;
    form->AfterConstruction();
    if (form->ShowModal() != mrOk || skins->ItemIndex() < 0) return false;
    selected = skins->ItemIndex();
    return true;
}

bool OpenWithShell(const String& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace maindialogs
