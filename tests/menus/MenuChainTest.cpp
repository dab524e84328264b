// The chain of skinned menu levels driven through the form: posted keys,
// the order of the close messages and events, Escape level by level,
// clicks outside, a second chain replacing an open one, levels freed only
// after their own handler, the application hook shared by two forms, and a
// submenu of radio entries shaped like the main window's snapshot menu.
#include "MenusFixture.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/frame/bsTrayIcon.h"

using namespace menustest;

namespace {

class MenuChainTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        popup = new TbsSkinPopupMenu(form);
        TMenuItem* root = popup->Items();
        AddItem(popup, root, L"打开");
        more = AddItem(popup, root, L"更多", [this](TObject*) { log.push_back("more"); });
        AddItem(popup, more, L"甲");
        AddItem(popup, more, L"乙", [this](TObject*) {
            ++clicks;
            log.push_back("click");
        });
        AddItem(popup, root, L"退出");
        frame->OnSkinMenuClose = [this](TObject*) { log.push_back("form:close"); };
    }
    TbsSkinPopupMenu* popup = nullptr;
    TMenuItem* more = nullptr;
    int clicks = 0;
};

TEST_F(MenuChainTest, KeysDriveTwoLevelsAndACommandClosesTheChainInOrder) {
    Opener opener(form, log, "opener");
    popup->OnMenuClose = [this](TObject*) { log.push_back("menuclose"); };
    popup->PopupFromRect2(opener.control, TRect(200, 150, 200, 150), false);
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(LevelRect(0).left, 200);
    EXPECT_EQ(LevelRect(0).top, 150);
    EXPECT_TRUE(frame->InMenu);
    EXPECT_TRUE(frame->InAppHook());
    // The first selectable entry is highlighted on opening.
    EXPECT_EQ(Level(0)->ActiveItem, 0);

    Key(VK_DOWN);
    EXPECT_EQ(Level(0)->ActiveItem, 1);
    Key(VK_RIGHT);
    ASSERT_EQ(Levels(), 2);
    EXPECT_TRUE(Level(0)->ItemList[1]->Down);
    // The submenu's first entry lines up with its parent entry (plain look:
    // the items start 2 pixels in, 20 pixels each).
    EXPECT_EQ(LevelRect(1).top, 150 + 2 + 20 - 2);
    EXPECT_EQ(LevelRect(1).left, LevelRect(0).right - 2 + 1);
    EXPECT_EQ(Level(1)->ActiveItem, 0);
    Key(VK_DOWN);
    EXPECT_EQ(Level(1)->ActiveItem, 1);
    Key(VK_RETURN);

    EXPECT_EQ(Levels(), 0);
    EXPECT_EQ(clicks, 1);
    // The parent entry's command ran when its submenu opened; then the
    // levels went, the opener heard of it, OnMenuClose, the form, the
    // chosen entry's command, and the opener was told of the command.
    EXPECT_EQ(log, (Log{"more", "opener:close", "menuclose", "form:close", "click", "opener:command"}));
    EXPECT_FALSE(frame->InMenu);
    EXPECT_FALSE(frame->InAppHook());
}

// Resting on an entry with a submenu opens it after 500 ms and not before;
// moving on to another entry sooner opens nothing.
TEST_F(MenuChainTest, ASubmenuOpensAfterTheMouseRestsOnItsEntryFor500Milliseconds) {
    popup->Popup(200, 150);
    ASSERT_EQ(Levels(), 1);
    TbsSkinPopupWindow* level = Level(0);
    auto restOn = [&](int index) {
        const TRect& r = level->ItemList[static_cast<size_t>(index)]->ObjectRect;
        level->TrackMouse(r.left + 5, r.top + r.Height() / 2);
    };
    restOn(1);
    clock.Advance(499);
    EXPECT_EQ(Levels(), 1);
    restOn(2);  // moved on in time
    clock.Advance(1000);
    EXPECT_EQ(Levels(), 1);
    EXPECT_EQ(log, Log{});

    restOn(1);
    clock.Advance(499);
    EXPECT_EQ(Levels(), 1);
    clock.Advance(1);
    ASSERT_EQ(Levels(), 2);
    EXPECT_TRUE(level->ItemList[1]->Down);
    // Opening the submenu runs its entry's command, as a click would.
    EXPECT_EQ(log, Log{"more"});
    frame->SkinMenu->Hide();
}

// A letter after "&" in a caption runs its entry (or opens its submenu);
// the accelerator of a disabled entry highlights it and runs nothing.
TEST_F(MenuChainTest, AcceleratorsRunTheirEntriesAndOpenSubmenus) {
    TMenuItem* root = popup->Items();
    root->Items(0)->SetCaption(L"打开(&O)");
    more->SetCaption(L"更多(&M)");
    TMenuItem* off = AddItem(popup, root, L"禁用(&D)", [this](TObject*) { log.push_back("disabled"); });
    off->SetEnabled(false);
    root->Items(0)->OnClick = [this](TObject*) { log.push_back("open"); };
    const struct {
        WORD key;
        int levels;
        Log log;
    } cases[] = {
        {'O', 0, {"form:close", "open"}},
        {'M', 2, {"more"}},
        {'D', 1, {}},
    };
    for (const auto& c : cases) {
        log.clear();
        popup->Popup(200, 150);
        ASSERT_EQ(Levels(), 1);
        Key(c.key);
        EXPECT_EQ(Levels(), c.levels) << char(c.key);
        EXPECT_EQ(log, c.log) << char(c.key);
        if (c.key == 'D') {
            EXPECT_EQ(Level(0)->ActiveItem, root->IndexOf(off));
        }
        frame->SkinMenu->Hide();
    }
}

// Popup at a point has no opening control, whatever the PopupComponent;
// the PopupComponent is dropped when that component is freed.
TEST_F(MenuChainTest, APopupAtAPointTellsNoOpenerAndAFreedPopupComponentIsDropped) {
    Opener opener(form, log, "opener");
    popup->PopupComponent = opener.control;
    popup->Popup(200, 150);
    ASSERT_EQ(Levels(), 1);
    frame->SkinMenu->Hide();
    EXPECT_EQ(log, Log{"form:close"}) << "the point form opened for nobody";
    auto* gone = new TCustomControl(form);
    popup->PopupComponent = gone;
    gone->Free();
    EXPECT_EQ(popup->PopupComponent.Get(), nullptr);
}

TEST_F(MenuChainTest, EscapeAndLeftCloseOneLevelAtATime) {
    for (WORD back : {VK_ESCAPE, VK_LEFT}) {
        SCOPED_TRACE(back);
        popup->Popup(200, 150);
        Key(VK_DOWN);
        Key(VK_RIGHT);
        ASSERT_EQ(Levels(), 2);
        Key(back);
        EXPECT_EQ(Levels(), 1);
        EXPECT_FALSE(Level(0)->ItemList[1]->Down);
        EXPECT_TRUE(frame->InMenu);
        EXPECT_TRUE(frame->InAppHook());
        // Left on the first level does nothing; Escape closes the chain.
        Key(VK_LEFT);
        EXPECT_EQ(Levels(), 1);
        Key(VK_ESCAPE);
        EXPECT_EQ(Levels(), 0);
        EXPECT_FALSE(frame->InMenu);
        EXPECT_FALSE(frame->InAppHook());
    }
    EXPECT_EQ(clicks, 0);
}

TEST_F(MenuChainTest, AClickOutsideClosesTheChainAndTheWheelIsSwallowedMeanwhile) {
    int wheels = 0;
    TWindowProcHook watch(form, [&wheels](TMessage& m, const TWndMethod& next) {
        if (m.Msg == WM_MOUSEWHEEL) ++wheels;
        next(m);
    });
    popup->Popup(200, 150);
    Key(VK_DOWN);
    Key(VK_RIGHT);
    ASSERT_EQ(Levels(), 2);
    PostMessageW(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(60, 60));
    Application->ProcessMessages();
    EXPECT_EQ(wheels, 0);
    EXPECT_EQ(Levels(), 2);

    PostMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 300));
    PostMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(400, 300));
    Application->ProcessMessages();
    EXPECT_EQ(Levels(), 0);
    EXPECT_FALSE(frame->InMenu);
    EXPECT_FALSE(frame->InAppHook());
    EXPECT_EQ(clicks, 0);
    PostMessageW(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(60, 60));
    Application->ProcessMessages();
    EXPECT_EQ(wheels, 1);
}

TEST_F(MenuChainTest, ASecondChainClosesTheFirstTowardsItsOwnOpener) {
    Opener first(form, log, "first"), second(form, log, "second");
    popup->PopupFromRect2(first.control, TRect(200, 150, 200, 150), false);
    popup->PopupFromRect2(second.control, TRect(260, 180, 260, 180), false);
    // The form's menu state closes, then the first chain towards its opener;
    // the second opener hears nothing yet.
    EXPECT_EQ(log, (Log{"form:close", "first:close"}));
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(LevelRect(0).left, 260);
    log.clear();
    Key(VK_ESCAPE);
    EXPECT_EQ(log, (Log{"second:close", "form:close"}));
    EXPECT_EQ(Levels(), 0);
}

TEST_F(MenuChainTest, ALevelClickedIsFreedOnlyAfterItsOwnHandler) {
    popup->Popup(200, 150);
    TbsSkinPopupWindow* level = Level(0);
    const HWND h = level->Handle();
    // A release over the third entry ("退出") runs it from inside the
    // level's own mouse handling.
    const TRect e = level->ItemList[2]->ObjectRect;
    bool ran = false;
    popup->Items()->Items(2)->OnClick = [&ran, h](TObject*) {
        ran = true;
        EXPECT_TRUE(IsWindow(h));
    };
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(e.left + 5, e.top + 5));
    EXPECT_TRUE(ran);
    EXPECT_EQ(Levels(), 0);
    EXPECT_TRUE(IsWindow(h));
    EXPECT_FALSE(IsWindowVisible(h));
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(MenuChainTest, TwoFormsHookTheApplicationAndLeaveInEitherOrder) {
    int userKeys = 0;
    Application->OnMessage = [&userKeys](MSG& m, bool&) {
        if (m.message == WM_KEYDOWN) ++userKeys;
    };
    TForm* other = nullptr;
    Application->CreateForm(other);
    other->SetBounds(500, 400, 200, 150);
    other->Show();
    auto* otherFrame = new TbsSkinFrame(other);
    auto* otherPopup = new TbsSkinPopupMenu(other);
    AddItem(otherPopup, otherPopup->Items(), L"一");
    AddItem(otherPopup, otherPopup->Items(), L"二");

    popup->Popup(200, 150);
    otherPopup->Popup(520, 420);
    ASSERT_TRUE(frame->InAppHook());
    ASSERT_TRUE(otherFrame->InAppHook());
    // The first form's menu closes first: the second one's hook stays.
    frame->SkinMenu->Hide();
    EXPECT_FALSE(frame->InAppHook());
    EXPECT_TRUE(otherFrame->InAppHook());
    PressKey(other->Handle(), VK_DOWN);
    EXPECT_EQ(otherFrame->SkinMenu->LastLevel()->ActiveItem, 1);
    EXPECT_EQ(userKeys, 0);
    PressKey(other->Handle(), VK_ESCAPE);
    EXPECT_FALSE(otherFrame->InAppHook());
    EXPECT_FALSE(otherFrame->SkinMenu->Visible());
    // Both gone: keys reach the application's own handler again.
    Key(VK_DOWN);
    EXPECT_EQ(userKeys, 1);
    Application->OnMessage = nullptr;
    other->Free();
}

// The add button of the main window's tool bar: a menu button whose
// skinned menu stays open after Popup returned; the button stays down
// until the chain closes.
TEST_F(MenuChainTest, AMenuButtonStaysDownWhileItsSkinnedMenuIsOpen) {
    auto* button = new TbsSkinMenuSpeedButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 84, 52);
    button->SetSkinPopupMenu(popup);
    Application->ProcessMessages();
    PostMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    PostMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    Application->ProcessMessages();
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(popup->IsOpen());
    EXPECT_TRUE(button->MenuTracked());
    EXPECT_TRUE(button->Down());
    // Below the button.
    const TPoint under = form->ClientToScreen(TPoint(10, 62));
    EXPECT_EQ(TPoint(LevelRect(0).left, LevelRect(0).top), under);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);  // "退出"
    EXPECT_EQ(Levels(), 0);
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_FALSE(button->MenuTracked());
    EXPECT_FALSE(button->Down());
}

// The shape of the preview's snapshot pop-up: two commands, a line and a
// submenu of radio entries that choose the picture type.
TEST_F(MenuChainTest, TheRadioSubmenuTicksExactlyTheChosenEntry) {
    auto* snapshot = new TbsSkinPopupMenu(form);
    TMenuItem* root = snapshot->Items();
    AddItem(snapshot, root, L"打开快照目录");
    AddItem(snapshot, root, L"设置快照目录");
    AddItem(snapshot, root, L"-");
    TMenuItem* types = AddItem(snapshot, root, L"图片格式");
    std::vector<TMenuItem*> entries;
    for (const wchar_t* t : {L"BMP", L"JPG", L"GIF", L"PNG"}) {
        TMenuItem* e = AddItem(snapshot, types, t);
        e->SetRadioItem(true);
        e->SetGroupIndex(1);
        e->AutoCheck = true;
        entries.push_back(e);
    }
    entries[0]->SetChecked(true);
    for (int choose : {2, 3, 0, 3}) {
        SCOPED_TRACE(choose);
        snapshot->Popup(200, 150);
        Key(VK_DOWN);
        Key(VK_DOWN);  // over the line to the submenu entry
        EXPECT_EQ(Level(0)->ActiveItem, 3);
        Key(VK_RIGHT);
        ASSERT_EQ(Levels(), 2);
        for (int i = 0; i < choose; ++i) Key(VK_DOWN);
        Key(VK_RETURN);
        EXPECT_EQ(Levels(), 0);
        int ticked = 0;
        for (TMenuItem* e : entries) ticked += e->Checked() ? 1 : 0;
        EXPECT_EQ(ticked, 1);
        EXPECT_TRUE(entries[static_cast<size_t>(choose)]->Checked());
    }
}

}  // namespace

TEST_F(MenuChainTest, TheTrayIconOpensTheFramesTrayMenuAsASkinnedChainAtTheCursor) {
    auto* tray = new TbsTrayIcon(form);
    frame->SetTrayIcon(tray);
    frame->OnRestoreFromTray = [this](TObject*) { log.push_back("restored"); };
    SetCursorPos(300, 250);
    SendMessageW(tray->Handle(), WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(LevelRect(0).left, 300);
    EXPECT_EQ(LevelRect(0).top, 250);
    std::vector<String> captions;
    for (auto& e : Level(0)->ItemList) captions.push_back(e->MenuItem->Caption());
    EXPECT_EQ(captions, (std::vector<String>{L"&Restore", L"-", L"&Close"}));
    // Its entries run through the skinned chain like any other.
    EXPECT_EQ(Level(0)->ActiveItem, 0);
    Key(VK_RETURN);
    EXPECT_EQ(Levels(), 0);
    EXPECT_EQ(log, (Log{"form:close", "restored"}));
}
