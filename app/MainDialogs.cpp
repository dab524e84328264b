#include "app/MainDialogs.h"

#include <shellapi.h>

#include "platform/SysUtils.h"
#include "skin/bsCompressedSkins.h"
#include "skin/bsSkinData.h"
#include "skin/shell/bsDialogs.h"
#include "skin/shell/bsSkinFolderDialog.h"

namespace maindialogs {

bool SelectFolder(TbsSkinData* store, const String& title, String& dir) {
    TbsSkinSelectDirectoryDialog dialog(nullptr);
    dialog.SetSkinData(store);
    dialog.SetCtrlSkinData(store);
    dialog.SetTitle(title);
    if (DirectoryExists(dir)) dialog.Directory = dir;
    if (!dialog.Execute()) return false;
    dir = dialog.Directory;
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
