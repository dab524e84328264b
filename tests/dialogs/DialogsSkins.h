#pragma once
// The program's own skins for the dialog tests (the test links
// vantrel_skin_resources): the list of the eight main skins and a store
// holding one of them.
#include <memory>

#include "skin/bsCompressedSkins.h"
#include "skin/bsSkinData.h"

namespace dialogstest {

// The eight main skins, from the program's resources.
inline std::unique_ptr<TbsCompressedSkinList> MainSkinList() {
    auto list = std::make_unique<TbsCompressedSkinList>(nullptr);
    list->LoadFromResources(GetModuleHandleW(nullptr), L"SKIN_MAIN");
    return list;
}

// A store with main skin i loaded.
inline std::unique_ptr<TbsSkinData> LoadMainSkin(int i) {
    auto list = MainSkinList();
    auto store = std::make_unique<TbsSkinData>(nullptr);
    store->LoadCompressedStoredSkin(list->Skins()->Items(i)->Skin());
    return store;
}

}  // namespace dialogstest
