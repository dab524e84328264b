#pragma once
// A shown main form with a skinned frame, running on a manual clock (so no
// timer polls the real cursor unless a test moves time on), and helpers to
// build menus, drive them with posted keys and watch the messages a
// control receives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Menus.h"
#include "skin/bsCompressedSkins.h"
#include "skin/bsSkinData.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMenus.h"
#include "tests/platform/ControlsFixture.h"

namespace menustest {

using Log = std::vector<std::string>;

// A store holding the first of the program's main skins.
inline std::unique_ptr<TbsSkinData> ProgramSkin() {
    TbsCompressedSkinList list(nullptr);
    list.LoadFromResources(GetModuleHandleW(nullptr), L"SKIN_MAIN");
    auto store = std::make_unique<TbsSkinData>(nullptr);
    store->LoadCompressedStoredSkin(list.Skins()->Items(0)->Skin());
    return store;
}

inline TbsDataSkinMenuItem* MenuItemRecord(TbsSkinData* s) {
    for (auto& o : s->ObjectList)
        if (auto* mi = dynamic_cast<TbsDataSkinMenuItem*>(o.get())) return mi;
    return nullptr;
}

// Appends an item with a caption (and a click handler) to parent.
inline TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const String& caption, TNotifyEvent onClick = nullptr) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

// A child control of a form that logs the menu messages it receives as
// "<name>:close" and "<name>:command".
class Opener {
public:
    Opener(TCustomForm* form, Log& log, std::string name) : log_(log), name_(std::move(name)) {
        control = new TCustomControl(form);
        control->SetParent(form);
        control->SetBounds(4, 4, 20, 20);
        hook_ = std::make_unique<TWindowProcHook>(control, [this](TMessage& m, const TWndMethod& next) {
            if (m.Msg == WM_CLOSESKINMENU) log_.push_back(name_ + ":close");
            if (m.Msg == WM_SKINMENUCOMMAND) log_.push_back(name_ + ":command");
            next(m);
        });
    }
    TCustomControl* control;

private:
    Log& log_;
    std::string name_;
    std::unique_ptr<TWindowProcHook> hook_;
};

class MenusTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        frame = new TbsSkinFrame(form);
        Application->ProcessMessages();
    }
    int Levels() const { return static_cast<int>(frame->SkinMenu->FPopupList.size()); }
    TbsSkinPopupWindow* Level(int i) const { return frame->SkinMenu->FPopupList.at(static_cast<size_t>(i)); }
    // A key pressed while the form has the keyboard.
    void Key(WORD vk) { PressKey(form->Handle(), vk); }
    TRect LevelRect(int i) const {
        RECT r;
        GetWindowRect(Level(i)->Handle(), &r);
        return r;
    }

    platform::ScopedManualClock clock;
    TbsSkinFrame* frame = nullptr;
    Log log;
};

}  // namespace menustest
