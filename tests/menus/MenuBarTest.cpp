// The skinned menu bar driven through its form's frame: Alt enters menu
// mode, the arrows wrap over the bar, Down opens the highlighted menu,
// Escape leaves level by level, accelerators open their menus (in menu
// mode and as Alt shortcuts), F1 reaches the help entry through the
// form's shortcuts, and the items that do not fit are listed behind the
// marker. The menus are built in code: every item has an empty name.
#include "MenusFixture.h"
#include "skin/frame/bsSkinMainMenuBar.h"

using namespace menustest;

namespace {

class MenuBarTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        main = new TMainMenu(form);
        TMenuItem* root = main->Items();
        file = AddItem(main, root, L"文件(&F)");
        AddItem(main, file, L"新建");
        edit = AddItem(main, root, L"编辑(&E)");
        copy = AddItem(main, edit, L"复制", [this](TObject*) { log.push_back("copy"); });
        tools = AddItem(main, root, L"工具(&T)");
        AddItem(main, tools, L"选项");
        help = AddItem(main, root, L"帮助(&H)");
        helpSystem = AddItem(main, help, L"帮助系统", [this](TObject*) { log.push_back("help"); });
        helpSystem->SetShortCut(VK_F1);
        AddItem(main, help, L"关于");
        bar = new TbsSkinMainMenuBar(form);
        bar->SetParent(form);
        bar->SetMainMenu(main);
        bar->SetSkinFrame(frame);
        Application->ProcessMessages();
        Paint();
    }
    // Lays the bar's items out (they are placed while drawn).
    void Paint() {
        TBitmap b(bar->Width(), bar->Height(), pf24bit);
        bar->PaintBar(b.Canvas());
    }
    // The bar's highlighted or pressed item, -1 for none.
    int Highlighted() const {
        for (size_t i = 0; i < bar->ObjectList.size(); ++i)
            if (bar->ObjectList[i]->Active || bar->ObjectList[i]->FDown) return static_cast<int>(i);
        return -1;
    }
    // What the first open level lists.
    std::vector<TMenuItem*> Listed() const {
        std::vector<TMenuItem*> out;
        if (Levels() > 0)
            for (auto& e : Level(0)->ItemList) out.push_back(e->MenuItem);
        return out;
    }
    void AltKey() { SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0); }

    TMainMenu* main = nullptr;
    TMenuItem *file = nullptr, *edit = nullptr, *copy = nullptr, *tools = nullptr, *help = nullptr,
              *helpSystem = nullptr;
    TbsSkinMainMenuBar* bar = nullptr;
};

TEST_F(MenuBarTest, AltEntersMenuModeArrowsWrapDownOpensAndEscapeLeavesStepByStep) {
    ASSERT_EQ(bar->ObjectList.size(), 4u);
    AltKey();
    EXPECT_TRUE(frame->InMainMenu);
    EXPECT_TRUE(frame->InAppHook());
    EXPECT_EQ(Highlighted(), 0);
    Key(VK_LEFT);
    EXPECT_EQ(Highlighted(), 3);
    Key(VK_RIGHT);
    EXPECT_EQ(Highlighted(), 0);
    Key(VK_RIGHT);
    EXPECT_EQ(Highlighted(), 1);
    EXPECT_EQ(Levels(), 0);

    Key(VK_DOWN);
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(Listed(), (std::vector<TMenuItem*>{copy}));
    // The menu drops below its item.
    const TPoint under = bar->ClientToScreen(TPoint(bar->ObjectList[1]->ObjectRect.left,
                                                     bar->ObjectList[1]->ObjectRect.bottom));
    EXPECT_EQ(TPoint(LevelRect(0).left, LevelRect(0).top), under);
    // Right on an entry without a submenu moves along the bar, menu and all.
    Key(VK_RIGHT);
    EXPECT_EQ(Highlighted(), 2);
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(Listed()[0]->Caption(), L"选项");

    Key(VK_ESCAPE);
    EXPECT_EQ(Levels(), 0);
    EXPECT_TRUE(frame->InMainMenu);
    EXPECT_EQ(Highlighted(), 2);
    Key(VK_ESCAPE);
    EXPECT_FALSE(frame->InMainMenu);
    EXPECT_FALSE(frame->InAppHook());
    EXPECT_EQ(Highlighted(), -1);
    EXPECT_TRUE(log.empty());
}

TEST_F(MenuBarTest, AcceleratorsOpenTheirMenusInMenuModeAndAsAltShortcuts) {
    AltKey();
    Key('E');
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(Listed(), (std::vector<TMenuItem*>{copy}));
    EXPECT_EQ(Highlighted(), 1);
    Key(VK_RETURN);
    EXPECT_EQ(log, (Log{"copy"}));
    EXPECT_EQ(Levels(), 0);
    EXPECT_FALSE(frame->InMainMenu);
    EXPECT_FALSE(frame->InAppHook());

    // Alt+H outside menu mode: the form's shortcut handling asks the bar.
    bool handled = false;
    frame->FormShortCut('H', ssAlt, handled);
    EXPECT_TRUE(handled);
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(Listed()[0], helpSystem);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(frame->InMainMenu);
    // A letter no item takes, and Alt+F4, are not the bar's.
    handled = false;
    frame->FormShortCut('Q', ssAlt, handled);
    EXPECT_FALSE(handled);
    frame->FormShortCut(VK_F4, ssAlt, handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(Levels(), 0);
}

TEST_F(MenuBarTest, F1RunsTheHelpEntryThroughTheFormsShortcuts) {
    Key(VK_F1);
    EXPECT_EQ(log, (Log{"help"}));
    EXPECT_EQ(Levels(), 0);
}

TEST_F(MenuBarTest, TheMarkerListsExactlyTheItemsThatDoNotFit) {
    EXPECT_FALSE(bar->Scroll);
    EXPECT_EQ(bar->FittingCount(), 4);
    // Room for the first two items and the marker only.
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, bar->ObjectList[1]->ObjectRect.right + 7, bar->Height());
    Paint();
    EXPECT_TRUE(bar->Scroll);
    ASSERT_EQ(bar->FittingCount(), 2);
    // Hidden items take no keys: the arrows wrap over the two that fit.
    AltKey();
    Key(VK_LEFT);
    EXPECT_EQ(Highlighted(), 1);
    Key(VK_ESCAPE);
    EXPECT_FALSE(frame->InMainMenu);
    // A press on the marker lists the others.
    const TRect m = bar->MarkerRect();
    SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(m.left + 2, m.top + m.Height() / 2));
    SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(m.left + 2, m.top + m.Height() / 2));
    Application->ProcessMessages();
    EXPECT_EQ(Listed(), (std::vector<TMenuItem*>{tools, help}));
    // Widened again, every item is back on the bar.
    frame->SkinMenu->Hide();
    bar->SetBounds(0, 0, form->ClientWidth(), bar->Height());
    Paint();
    EXPECT_FALSE(bar->Scroll);
    EXPECT_EQ(bar->FittingCount(), 4);
}

}  // namespace
