// Menus: popup menus driven by keys, shortcuts through the form, the menu
// bar's commands, radio groups, shortcut texts.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "platform/Menus.h"
#include "platform/Timer.h"

namespace {

using platform_test::ControlsTest;

class MenuTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        // A menu whose keys went astray is closed instead of hanging the test.
        watchdog = std::make_unique<TTimer>(nullptr);
        watchdog->SetInterval(5000);
        watchdog->OnTimer = [](TObject*) { EndMenu(); };
        watchdog->SetEnabled(true);
    }
    void TearDown() override {
        watchdog.reset();
        ControlsTest::TearDown();
    }
    std::unique_ptr<TTimer> watchdog;
    TMenuItem* NewItem(TMenuItem* parent, const String& caption, std::vector<String>* log = nullptr) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        if (log) item->OnClick = [log, caption](TObject*) { log->push_back(caption); };
        parent->Add(item);
        return item;
    }
    std::vector<String> clicks;
};

TEST_F(MenuTest, PopupRunsTheChosenEntry) {
    auto* popup = new TPopupMenu(form);
    NewItem(popup->Items(), L"Open", &clicks);
    NewItem(popup->Items(), L"-");
    NewItem(popup->Items(), L"Delete", &clicks);
    bool popped = false;
    popup->OnPopup = [&](TObject*) { popped = true; };
    popup->PopupComponent = form;
    // Down to "Open", past the line to "Delete", Enter.
    HWND wnd = form->Handle();
    for (WORD key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(wnd, WM_KEYDOWN, key, 1);
    const TPoint at = form->ClientToScreen(TPoint(20, 20));
    popup->Popup(at.x, at.y);
    EXPECT_TRUE(popped);
    EXPECT_EQ(clicks, std::vector<String>{L"Delete"});
    EXPECT_EQ(popup->ChosenItem(), popup->Items()->Items(2));

    // Escape closes it without running anything.
    PostMessageW(wnd, WM_KEYDOWN, VK_ESCAPE, 1);
    popup->Popup(at.x, at.y);
    EXPECT_EQ(popup->ChosenItem(), nullptr);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(MenuTest, ContextMenuOfTheControlUnderThePointer) {
    auto* popup = new TPopupMenu(form);
    NewItem(popup->Items(), L"Properties", &clicks);
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 100, 100);
    panel->PopupMenu = popup;
    TComponent* component = nullptr;
    popup->OnPopup = [&](TObject*) { component = popup->PopupComponent; };
    HWND wnd = panel->Handle();
    for (WORD key : {VK_DOWN, VK_RETURN}) PostMessageW(wnd, WM_KEYDOWN, key, 1);
    const TPoint at = panel->ClientToScreen(TPoint(5, 5));
    SendMessageW(wnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(clicks, std::vector<String>{L"Properties"});
    EXPECT_EQ(component, panel);
    // Without AutoPopup nothing opens.
    popup->AutoPopup = false;
    component = nullptr;
    SendMessageW(wnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(component, nullptr);
}

TEST_F(MenuTest, FormShortCutRunsItsMenuEntry) {
    auto* menu = new TMainMenu(form);
    TMenuItem* help = NewItem(menu->Items(), L"&Help");
    TMenuItem* topics = NewItem(help, L"Topics", &clicks);
    topics->SetShortCut(ShortCut(VK_F1, 0));
    TMenuItem* save = NewItem(help, L"Save", &clicks);
    save->SetShortCut(TextToShortCut(L"Ctrl+S"));
    form->SetMenu(menu);
    EXPECT_NE(GetMenu(form->Handle()), nullptr);
    form->SetFocus();
    Application->ProcessMessages();
    PressKey(form->Handle(), VK_F1);
    EXPECT_EQ(clicks, std::vector<String>{L"Topics"});
    // A disabled entry (or one under a disabled parent) does not answer.
    topics->SetEnabled(false);
    PressKey(form->Handle(), VK_F1);
    topics->SetEnabled(true);
    help->SetEnabled(false);
    PressKey(form->Handle(), VK_F1);
    EXPECT_EQ(clicks.size(), 1u);
    help->SetEnabled(true);
    // The bar's command for an entry runs it.
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
    EXPECT_EQ(clicks.back(), L"Save");
}

TEST_F(MenuTest, PopupMenusOfTheFormAnswerShortCuts) {
    auto* popup = new TPopupMenu(form);
    NewItem(popup->Items(), L"Refresh", &clicks)->SetShortCut(ShortCut(VK_F5, 0));
    form->SetFocus();
    PressKey(form->Handle(), VK_F5);
    EXPECT_EQ(clicks, std::vector<String>{L"Refresh"});
}

TEST_F(MenuTest, RadioItemsOfAGroupExcludeEachOther) {
    auto* popup = new TPopupMenu(form);
    std::vector<TMenuItem*> items;
    for (int i = 0; i < 4; ++i) {
        TMenuItem* item = NewItem(popup->Items(), IntToStr(i));
        item->SetRadioItem(true);
        item->SetGroupIndex(i < 3 ? 1 : 2);
        item->AutoCheck = true;
        items.push_back(item);
    }
    items[3]->SetChecked(true);
    items[0]->SetChecked(true);
    items[1]->Click();
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[3]->Checked());  // another group
}

TEST_F(MenuTest, FreeingItemsKeepsTheTreeWhole) {
    auto* menu = new TMainMenu(form);
    TMenuItem* file = NewItem(menu->Items(), L"File");
    NewItem(file, L"Open");
    TMenuItem* exit = NewItem(file, L"Exit");
    form->SetMenu(menu);
    exit->Free();
    EXPECT_EQ(file->Count(), 1);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(form->Handle()), 0)), 1);
    EXPECT_THROW(file->Add(menu->Items()), EMenuError);
    menu->Free();
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
}

struct ShortCutText {
    TShortCut shortCut;
    const wchar_t* text;
};
class ShortCutTexts : public ::testing::TestWithParam<ShortCutText> {};

TEST_P(ShortCutTexts, ConvertBothWays) {
    EXPECT_EQ(ShortCutToText(GetParam().shortCut), GetParam().text);
    EXPECT_EQ(TextToShortCut(GetParam().text), GetParam().shortCut);
}

INSTANTIATE_TEST_SUITE_P(Keys, ShortCutTexts,
                         ::testing::Values(ShortCutText{VK_F1, L"F1"}, ShortCutText{scCtrl | 'S', L"Ctrl+S"},
                                           ShortCutText{scShift | VK_DELETE, L"Shift+Del"},
                                           ShortCutText{scShift | scCtrl | scAlt | 'Z', L"Shift+Ctrl+Alt+Z"},
                                           ShortCutText{scNone, L""}));

}  // namespace
