// The skinned menu bar driven through its form's frame: Alt enters menu
// mode, the arrows wrap over the bar, Down opens the highlighted menu,
// Escape leaves level by level, accelerators open their menus (in menu
// mode and as Alt shortcuts), F1 reaches the help entry through the
// form's shortcuts, and the items that do not fit are listed behind the
// marker. The menus are built in code: every item has an empty name.
#include <cstdlib>

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

TEST_F(MenuBarTest, TheFrameHearsTheBarEnterMenuModeOnceBeforeItsMenuOpens) {
    frame->OnMainMenuEnter = [this](TObject* s) { log.push_back(s == bar ? "enter(bar)" : "enter(?)"); };
    frame->OnSkinMenuOpen = [this](TObject*) { log.push_back("open"); };
    frame->OnMainMenuExit = [this](TObject*) { log.push_back("exit"); };

    // A press on an item with a menu: the bar enters menu mode, then the menu opens.
    const TRect r = bar->ObjectList[1]->ObjectRect;
    SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 3));
    SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 3, r.top + 3));
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(log, (Log{"enter(bar)", "open"}));
    // The menu moving to the next item is still the same menu mode.
    bar->ObjectList[2]->MouseEnter();
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(Listed()[0]->Caption(), L"选项");
    EXPECT_EQ(log, (Log{"enter(bar)", "open"}));
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(frame->InMainMenu);
    EXPECT_EQ(log.back(), "exit");

    // Alt enters menu mode with no menu open.
    log.clear();
    AltKey();
    EXPECT_EQ(log, (Log{"enter(bar)"}));
    Key(VK_ESCAPE);
    EXPECT_EQ(log, (Log{"enter(bar)", "exit"}));
}

namespace {

void FillPicture(TBitmap* b, const TRect& r, COLORREF c) {
    b->Canvas()->Brush()->SetStyle(bsSolid);
    b->Canvas()->Brush()->SetColor(static_cast<TColor>(c));
    b->Canvas()->FillRect(r);
}

bool Near(COLORREF a, COLORREF b) {
    const auto d = [](int x, int y) { return std::abs(x - y) <= 2; };
    return d(GetRValue(a), GetRValue(b)) && d(GetGValue(a), GetGValue(b)) && d(GetBValue(a), GetBValue(b));
}

const COLORREF kBarColour = RGB(128, 128, 128), kItemNormal = RGB(0, 200, 0), kItemHot = RGB(0, 0, 200),
               kBarAtItemNormal = RGB(220, 0, 0), kBarAtItemHot = RGB(220, 220, 0);

// A bar skinned by a store made in code. The item record names a picture
// of its own; the bar's picture holds other colours at the same places, so
// an item cut from the wrong picture shows.
class SkinnedMenuBarTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        store = std::make_unique<TbsSkinData>(nullptr);
        auto barPicture = std::make_unique<TBitmap>(100, 20, pf24bit);
        FillPicture(barPicture.get(), TRect(0, 0, 100, 20), kBarColour);
        FillPicture(barPicture.get(), TRect(0, 0, 30, 20), kBarAtItemNormal);
        FillPicture(barPicture.get(), TRect(30, 0, 60, 20), kBarAtItemHot);
        auto itemPicture = std::make_unique<TBitmap>(60, 20, pf24bit);
        FillPicture(itemPicture.get(), TRect(0, 0, 30, 20), kItemNormal);
        FillPicture(itemPicture.get(), TRect(30, 0, 60, 20), kItemHot);
        store->FActivePictures.push_back(std::move(barPicture));
        store->FActivePicturesNames->Add(L"bar.bmp");
        store->FActivePictures.push_back(std::move(itemPicture));
        store->FActivePicturesNames->Add(L"baritem.bmp");
        auto barRecord = std::make_unique<TbsDataSkinMainMenuBar>(L"mainmenubar");
        barRecord->PictureIndex = 0;
        barRecord->SkinRect = TRect(60, 0, 100, 20);
        barRecord->ItemsRect = TRect(62, 0, 98, 20);
        barRecord->MenuBarItem = L"baritem";
        store->CtrlList.push_back(std::move(barRecord));
        auto item = std::make_unique<TbsDataSkinMainMenuBarItem>(L"baritem");
        item->ActivePictureIndex = 1;
        item->SkinRect = TRect(0, 0, 30, 20);
        item->ActiveSkinRect = TRect(30, 0, 60, 20);
        item->TextRct = TRect(8, 2, 22, 18);
        item->ItemLO = item->ItemRO = 3;
        item->Morphing = true;
        store->ObjectList.push_back(std::move(item));
        store->Empty = false;

        main = new TMainMenu(form);
        AddItem(main, AddItem(main, main->Items(), L"文件"), L"新建");
        AddItem(main, AddItem(main, main->Items(), L"编辑"), L"复制");
        bar = new TbsSkinMainMenuBar(form);
        bar->SetParent(form);
        bar->SetSkinData(store.get());
        bar->SetMainMenu(main);
        bar->SetSkinFrame(frame);
        Application->ProcessMessages();
        // Hover comes from the test, not from the real cursor.
        bar->MouseTimer->SetEnabled(false);
        Shot();
    }
    void TearDown() override {
        bar->Free();
        store.reset();
        MenusTest::TearDown();
    }
    // The bar as it paints now; the colour of item i near its left end.
    COLORREF ItemColour(int i) {
        TBitmap b(bar->Width(), bar->Height(), pf24bit);
        bar->PaintBar(b.Canvas());
        const TRect r = bar->ObjectList[static_cast<size_t>(i)]->ObjectRect;
        return static_cast<COLORREF>(b.Canvas()->Pixel(r.left + 1, r.top + 2));
    }
    void Shot() { ItemColour(0); }
    TPoint Inside(int i) {
        const TRect r = bar->ObjectList[static_cast<size_t>(i)]->ObjectRect;
        return TPoint(r.left + 2, r.top + 2);
    }

    std::unique_ptr<TbsSkinData> store;
    TMainMenu* main = nullptr;
    TbsSkinMainMenuBar* bar = nullptr;
};

TEST_F(SkinnedMenuBarTest, ItemsAreCutFromThePictureTheirRecordNames) {
    ASSERT_TRUE(bar->FSkinSupport);
    ASSERT_EQ(bar->ObjectList.size(), 2u);
    EXPECT_EQ(ItemColour(0), kItemNormal);
    EXPECT_EQ(ItemColour(1), kItemNormal);
    // Without effects the hot look comes at once, from the same picture.
    store->EnableSkinEffects = false;
    bar->TestActive(Inside(1).x, Inside(1).y);
    EXPECT_EQ(ItemColour(1), kItemHot);
    EXPECT_EQ(ItemColour(0), kItemNormal);
}

TEST_F(SkinnedMenuBarTest, TheMorphTimerBlendsTheHotLookInFiveStepsAndBackOnTheClock) {
    const TPoint p = Inside(0);
    bar->TestActive(p.x, p.y);
    ASSERT_TRUE(bar->MorphTimer->Enabled());
    EXPECT_EQ(ItemColour(0), kItemNormal) << "nothing moves before the clock does";
    // Each 25 ms tick moves a fifth of the way.
    for (int step = 1; step <= 5; ++step) {
        clock.Advance(25);
        const COLORREF want = RGB(0, 200 - 40 * step, 40 * step);
        EXPECT_TRUE(Near(ItemColour(0), want)) << "step " << step << ": " << std::hex << ItemColour(0);
    }
    EXPECT_TRUE(bar->MorphTimer->Enabled());
    clock.Advance(25);
    EXPECT_FALSE(bar->MorphTimer->Enabled()) << "the timer stops once nothing moves";
    EXPECT_EQ(ItemColour(0), kItemHot);
    // Leaving the bar blends back.
    bar->TestActive(-1, -1);
    ASSERT_TRUE(bar->MorphTimer->Enabled());
    clock.Advance(50);
    EXPECT_TRUE(Near(ItemColour(0), RGB(0, 80, 120))) << std::hex << ItemColour(0);
    clock.Advance(100);
    EXPECT_EQ(ItemColour(0), kItemNormal);
}

TEST_F(SkinnedMenuBarTest, AMovedTransparentBarShowsItsParentAgainOnlyWhenNotAligned) {
    const struct {
        const char* name;
        bool transparent;
        TAlign align;
        bool parentPainted;
    } cases[] = {
        {"transparent, placed freely", true, alNone, true},
        {"transparent, aligned", true, alTop, false},
        {"opaque, placed freely", false, alNone, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store->MainMenuBarTransparent = c.transparent;
        bar->SetAlign(c.align);
        Application->ProcessMessages();
        int erased = 0;
        TWindowProcHook hook(form, [&erased](TMessage& m, const TWndMethod& next) {
            if (m.Msg == WM_ERASEBKGND) ++erased;
            next(m);
        });
        SendMessageW(bar->Handle(), WM_MOVE, 0, MAKELPARAM(bar->Left(), bar->Top()));
        EXPECT_EQ(erased > 0, c.parentPainted);
    }
}

}  // namespace
