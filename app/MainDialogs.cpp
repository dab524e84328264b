#include "app/MainDialogs.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/SysUtils.h"
#include "skin/bsCompressedSkins.h"
#include "skin/bsSkinData.h"
#include "skin/shell/bsDialogs.h"

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
    TbsSelectSkinDialog dialog(nullptr);
    dialog.SetSkinList(list);
    dialog.SetSkinData(store);
    dialog.SetCtrlSkinData(store);
    if (!dialog.Execute(current)) return false;
    selected = dialog.SelectedSkinIndex();
    return selected >= 0;
}

bool OpenWithShell(const String& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace maindialogs
