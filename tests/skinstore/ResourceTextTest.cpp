// Texts of the skinned components from a store's resource strings: a key the
// table lacks gives the built-in text, in the frame's caption-button hints
// and in the edits' context menu as in the dialogs.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "SkinFixture.h"
#include "platform/Menus.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/bsResStrData.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinFrameObjects.h"
#include "tests/platform/ControlsFixture.h"

namespace {

// A table that has every default line except those named by `drop`.
void DropLines(TbsResourceStrData& table, std::initializer_list<const wchar_t*> drop) {
    TStringList lines;
    for (const String& line : TbsResourceStrData::DefaultLines()) {
        bool keep = true;
        for (const wchar_t* key : drop)
            if (line.rfind(String(key) + L"=", 0) == 0) keep = false;
        if (keep) lines.Add(line);
    }
    table.SetResStrings(&lines);
}

std::string Narrow(const String& s) { return std::string(s.begin(), s.end()); }

class ResourceText : public platform_test::ControlsTest {};

TEST(ResourceTextLookup, AMissingOrEmptyTextGivesTheBuiltInOne) {
    TbsResourceStrData table(nullptr);
    TStringList lines;
    lines.Add(L"EDIT_COPY=Kopieren");
    lines.Add(L"EDIT_CUT=");
    table.SetResStrings(&lines);
    EXPECT_EQ(bsResText(&table, L"edit_copy", L"Copy"), L"Kopieren");
    EXPECT_EQ(bsResText(&table, L"EDIT_CUT", L"Cut"), L"Cut");
    EXPECT_EQ(bsResText(&table, L"EDIT_PASTE", L"Paste"), L"Paste");
    EXPECT_EQ(bsResText(nullptr, L"EDIT_COPY", L"Copy"), L"Copy");
}

TEST_F(ResourceText, TheEditMenuShowsBuiltInTextsForMissingKeys) {
    auto* store = new TbsSkinData(form);
    auto* table = new TbsResourceStrData(form);
    DropLines(*table, {L"EDIT_COPY", L"EDIT_SELECTALL", L"EDIT_UNDO"});
    TStringList lines;
    lines.Assign(table->ResStrings());
    lines.Add(L"EDIT_UNDO=Zurück");
    table->SetResStrings(&lines);
    store->SetResourceStrData(table);

    auto* e = new TbsCustomEdit(form);
    e->SetParent(form);
    e->SetBounds(10, 10, 150, 20);
    e->SetText(L"hello");
    e->HandleNeeded();
    std::string captions;
    const TbsEditMenuPopup shown = EditMenuPopupHook();
    EditMenuPopupHook() = [&](TPopupMenu* menu, TControl*, int, int) {
        for (int i = 0; i < menu->Items()->Count(); ++i) captions += Narrow(menu->Items()->Items(i)->Caption()) + "|";
    };
    SendMessageW(e->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e->Handle()), MAKELPARAM(-1, -1));
    EditMenuPopupHook() = shown;
    // The table's own line wins; the missing ones read as the built-in texts.
    EXPECT_EQ(captions, "Zur\xfc" "ck|-|Cut|Copy|Paste|Delete|-|Select All|");
}

TEST_F(ResourceText, CaptionButtonHintsShowBuiltInTextsForMissingKeys) {
    auto store = MakeSkinStore(L"hints", clBlue);
    for (const auto& [name, command] : {std::pair{L"close", cmClose}, std::pair{L"max", cmMaximize}}) {
        auto button = std::make_unique<TbsDataSkinStdButton>(name);
        button->Command = command;
        button->SkinRect = TRect(30, 2, 38, 10);
        store->ObjectList.push_back(std::move(button));
    }
    store->Empty = false;
    auto* table = new TbsResourceStrData(form);
    DropLines(*table, {L"CLOSEBUTTON_HINT", L"RESTORE_HINT"});
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    store->SetResourceStrData(table);  // the frame reads the hints again
    Application->ProcessMessages();
    std::vector<std::string> hints, restores;
    for (const auto& object : frame->ObjectList)
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(object.get())) {
            hints.push_back(Narrow(b->Hint));
            restores.push_back(Narrow(b->RestoreHint));
        }
    EXPECT_EQ(hints, (std::vector<std::string>{"Close", "Maximize"}));
    EXPECT_EQ(restores, (std::vector<std::string>{"Restore", "Restore"}));
    frame->SetSkinData(nullptr);
    store->SetResourceStrData(nullptr);
}

}  // namespace
