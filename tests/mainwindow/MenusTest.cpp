// The main window's menus open as skinned menu levels of its frame: the
// menu bar (Alt, arrows, Return, Escape), F1 for the help page, and the add
// button's drop-down from its track part.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "platform/Menus.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinMainMenuBar.h"
#include "skin/frame/bsSkinMenus.h"

namespace mainwindowtest {
namespace {

class MainMenusTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        StartWindows();
        Form1->OpenWithShell = [this](const String& target) { opened_.push_back(target); };
        Form1->Show();
        Application->ProcessMessages();
        frame_ = Form1->bsSkinFrame1;
    }
    void Key(WORD vk) {
        PostMessageW(Form1->Handle(), WM_KEYDOWN, vk, 1);
        PostMessageW(Form1->Handle(), WM_KEYUP, vk, 0xC0000001);
        Application->ProcessMessages();
    }
    int Levels() const { return static_cast<int>(frame_->SkinMenu->FPopupList.size()); }
    // The entries the last open level lists.
    std::vector<TMenuItem*> Listed() const {
        std::vector<TMenuItem*> out;
        if (Levels() > 0)
            for (auto& e : frame_->SkinMenu->FPopupList.back()->ItemList) out.push_back(e->MenuItem);
        return out;
    }

    TbsSkinFrame* frame_ = nullptr;
    std::vector<String> opened_;
};

TEST_F(MainMenusTest, TheMenuBarOpensTheMainMenusAsSkinnedLevels) {
    TbsSkinMainMenuBar* bar = Form1->bsSkinMainMenuBar1;
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(frame_, nullptr);
    EXPECT_EQ(bar->MainMenu(), Form1->bsSkinMainMenu1);
    ASSERT_EQ(bar->ObjectList.size(), 5u) << "文件, 编辑, 动作, 功能, 帮助";

    SendMessageW(Form1->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(frame_->InMainMenu);
    Key(VK_LEFT);  // wraps to "帮助"
    Key(VK_DOWN);
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(IsWindowVisible(frame_->SkinMenu->FPopupList.back()->Handle()));
    const std::vector<TMenuItem*> help = Listed();
    ASSERT_FALSE(help.empty());
    EXPECT_EQ(help.front(), Form1->N15);
    EXPECT_EQ(help.back(), Form1->N5);

    // Return on the first entry runs "帮助系统" and closes the chain.
    Key(VK_RETURN);
    EXPECT_EQ(Levels(), 0);
    EXPECT_FALSE(frame_->InMainMenu);
    ASSERT_EQ(opened_.size(), 1u);

    // Escape leaves a level, then menu mode, without running anything.
    SendMessageW(Form1->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    Key(VK_DOWN);
    ASSERT_EQ(Levels(), 1);
    EXPECT_EQ(Listed().front(), Form1->Item111);
    Key(VK_ESCAPE);
    EXPECT_EQ(Levels(), 0);
    Key(VK_ESCAPE);
    EXPECT_FALSE(frame_->InMainMenu);
    EXPECT_EQ(opened_.size(), 1u);
}

TEST_F(MainMenusTest, F1OpensTheHelpPageOnce) {
    Key(VK_F1);
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(Levels(), 0);
    // The same target as the menu entry's.
    Form1->N15->Click();
    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_EQ(opened_[0], opened_[1]);
}

TEST_F(MainMenusTest, TheAddButtonDropsItsMenuAsASkinnedLevel) {
    TbsSkinMenuSpeedButton* add = Form1->bsSkinMenuSpeedButton1;
    const int x = add->Width() - 5;  // inside the 15-pixel track part
    add->Perform(CM_MOUSEENTER);
    add->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
    add->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
    Application->ProcessMessages();
    ASSERT_EQ(Levels(), 1);
    EXPECT_TRUE(Form1->bsSkinPopupMenu1->IsOpen());
    const std::vector<TMenuItem*> entries = Listed();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0]->Caption(), L"添加一个文件");
    EXPECT_EQ(entries[2]->Caption(), L"添加整个目录");
    Key(VK_ESCAPE);
    EXPECT_EQ(Levels(), 0);
    EXPECT_FALSE(add->Down());
}

}  // namespace
}  // namespace mainwindowtest
