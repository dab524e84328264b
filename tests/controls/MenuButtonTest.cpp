// The menu speed button with the skinned popup menu of its form's frame:
// the menu opens below the button from the track part only, stays open
// after the press, keeps the button down meanwhile, and brings it up when
// it closes by Escape or by a chosen entry.
#include "ControlsSkin.h"

#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMenus.h"

using namespace controlstest;

namespace {

class MenuButtonTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        frame = new TbsSkinFrame(form);
        menu = new TbsSkinPopupMenu(form);
        for (const wchar_t* caption : {L"Add files", L"Add folder"}) {
            auto* item = new TMenuItem(menu);
            item->SetCaption(caption);
            item->OnClick = [this, caption](TObject*) { chosen += String(caption) + L";"; };
            menu->Items()->Add(item);
        }
        button = new TbsSkinMenuSpeedButton(form);
        button->SetParent(form);
        button->SetBounds(20, 30, 90, 40);
        button->SetTrackButtonMode(true);
        button->SetSkinPopupMenu(menu);
        button->OnClick = [this](TObject*) { ++clicks; };
        button->OnHideTrackMenu = [this](TObject*) { ++closes; };
        Application->ProcessMessages();
    }
    void PressAt(int x) {
        button->Perform(CM_MOUSEENTER);
        button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
        button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
        Application->ProcessMessages();
    }
    TbsSkinPopupWindow* Level() { return frame->SkinMenu->LastLevel(); }
    // The open level's window rectangle on the screen.
    RECT LevelRect() {
        RECT r{};
        GetWindowRect(Level()->Handle(), &r);
        return r;
    }

    TbsSkinFrame* frame = nullptr;
    TbsSkinPopupMenu* menu = nullptr;
    TbsSkinMenuSpeedButton* button = nullptr;
    String chosen;
    int clicks = 0, closes = 0;
};

TEST_F(MenuButtonTest, TheTrackPartOpensTheMenuBelowAndTheButtonStaysDownUntilEscape) {
    // Left of the 15-pixel track part: a plain click, no menu.
    PressAt(90 - 16);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(frame->SkinMenu->Visible());
    EXPECT_FALSE(button->Down());

    PressAt(90 - 5);
    ASSERT_TRUE(frame->SkinMenu->Visible());
    ASSERT_NE(Level(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Level()->Handle()));
    EXPECT_TRUE(menu->IsOpen());
    EXPECT_EQ(menu->PopupComponent, button);
    // Below the button, its left edge at the button's.
    const TPoint origin = button->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(LevelRect().top, origin.y + button->Height());
    EXPECT_EQ(LevelRect().left, origin.x);
    // Open after the press: the button stays down, no click, no close yet.
    EXPECT_TRUE(button->MenuTracked());
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(closes, 0);

    PressKey(form->Handle(), VK_ESCAPE);
    EXPECT_FALSE(frame->SkinMenu->Visible());
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_FALSE(button->MenuTracked());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(chosen, L"");
}

TEST_F(MenuButtonTest, AChosenEntryRunsAndBringsTheButtonUp) {
    PressAt(90 - 5);
    ASSERT_TRUE(button->Down());
    ASSERT_NE(Level(), nullptr);
    ASSERT_GE(Level()->ItemList.size(), 2u);
    const TRect entry = Level()->ItemList[1]->ObjectRect;
    const int x = (entry.left + entry.right) / 2, y = (entry.top + entry.bottom) / 2;
    SendMessageW(Level()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageW(Level()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(Level()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Application->ProcessMessages();
    EXPECT_EQ(chosen, L"Add folder;");
    EXPECT_FALSE(frame->SkinMenu->Visible());
    EXPECT_FALSE(button->MenuTracked());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(clicks, 0);
}

// A menu with no entries shows nothing: the button does not stay down.
TEST_F(MenuButtonTest, AnEmptyMenuLeavesTheButtonUp) {
    menu->Items()->Clear();
    PressAt(90 - 5);
    EXPECT_FALSE(frame->SkinMenu->Visible());
    EXPECT_FALSE(button->MenuTracked());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(closes, 1);
}

}  // namespace
