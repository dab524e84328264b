// Every add entry of the menus opens its skinned dialog; the queue's menu
// entries and panel buttons reach the same work; the command groups switch
// their members together, with the dimmed tool-bar picture when off.
#include <gtest/gtest.h>

#include "QueueFixture.h"
#include "platform/Menus.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

namespace mainwindowtest {
namespace {

using CommandsTest = QueueTest;

TEST_F(CommandsTest, EveryAddEntryOpensItsDialog) {
    Start();
    enum Kind { OneFile, SeveralFiles, Folder };
    const struct {
        TMenuItem* TForm1::*entry;
        Kind kind;
    } cases[] = {
        {&TForm1::Item111, OneFile}, {&TForm1::N11111, OneFile},     {&TForm1::Item121, SeveralFiles},
        {&TForm1::N2222, SeveralFiles}, {&TForm1::N21, Folder}, {&TForm1::N3331, Folder},
    };
    for (const auto& c : cases) {
        String title;
        int kind = -1;
        DialogFormShownHook() = [&](TForm* f) {
            title = f->Caption();
            if (auto* open = dynamic_cast<TbsOpenDlgForm*>(f))
                kind = open->FileListView->MultiSelect() ? SeveralFiles : OneFile;
            if (dynamic_cast<TbsSelDirDlgForm*>(f)) kind = Folder;
            f->ModalResult = mrCancel;
        };
        (Form1->*c.entry)->Click();
        DialogFormShownHook() = nullptr;
        EXPECT_EQ(kind, c.kind) << Narrow((Form1->*c.entry)->Caption());
        EXPECT_EQ(title, c.kind == Folder ? L"选择目录" : L"打开文件");
    }
    EXPECT_EQ(Rows(), 0) << "a cancelled dialog adds nothing";
    EXPECT_TRUE(notices_.empty());
}

TEST_F(CommandsTest, QueueEntriesAndButtonsReachTheirWork) {
    Start();
    // Without a selected row: the remove and rename notices, from the menu
    // and from the panel buttons alike (a disabled entry cannot be chosen).
    Form1->N13->Click();
    EXPECT_TRUE(notices_.empty());
    Form1->SetGroup(TForm1::TCommandGroup::Row, true);
    Form1->N13->Click();
    Form1->bsSkinButton7Click(nullptr);
    Form1->N26->Click();
    Form1->bsSkinButton21Click(nullptr);
    ASSERT_EQ(notices_.size(), 4u);
    EXPECT_EQ(notices_[0], L"请先选择您需要删除的项目！");
    EXPECT_EQ(notices_[1], L"请先选择您需要删除的项目！");
    EXPECT_EQ(notices_[2], L"请先选中您需要重命名的项目！");
    EXPECT_EQ(notices_[3], L"请先选中您需要重命名的项目！");
    // Moves from the menu and the buttons; clear from the menu.
    AddSelectedRow(L"C:\\in\\a.avi", L"a.mkv");
    AddSelectedRow(L"C:\\in\\b.avi", L"b.mkv");
    Form1->N111->Click();
    EXPECT_EQ(Row(0)->Caption(), L"C:\\in\\b.avi");
    Form1->bsSkinButton4->ButtonClick();
    EXPECT_EQ(Row(1)->Caption(), L"C:\\in\\b.avi");
    Form1->bsSkinButton3->ButtonClick();
    EXPECT_EQ(Row(0)->Caption(), L"C:\\in\\b.avi");
    Form1->N14->Click();
    EXPECT_EQ(Rows(), 2) << "clear is off until a file is added";
    Form1->SetGroup(TForm1::TCommandGroup::Clear, true);
    Form1->N14->Click();
    EXPECT_EQ(Rows(), 0);
    // Without a batch the batch entries change nothing.
    for (TMenuItem* entry : {Form1->N7, Form1->N8, Form1->N10, Form1->N11}) entry->Click();
    EXPECT_FALSE(Form1->BatchRunning());
    EXPECT_EQ(Form1->ROREZ->TasksCount(), 0);
}

TEST_F(CommandsTest, GroupsSwitchTheirMembersAndLooksTogether) {
    Start();
    const struct {
        TForm1::TCommandGroup group;
        TMenuItem* TForm1::*entry;
        TbsSkinButton* TForm1::*button;
        int on, off;
    } cases[] = {
        {TForm1::TCommandGroup::Start, &TForm1::N7, &TForm1::bsSkinButton2, 1, 8},
        {TForm1::TCommandGroup::Stop, &TForm1::N8, &TForm1::bsSkinButton10, 2, 9},
        {TForm1::TCommandGroup::Pause, &TForm1::N10, &TForm1::bsSkinButton11, 3, 10},
        {TForm1::TCommandGroup::Resume, &TForm1::N11, &TForm1::bsSkinButton12, 4, 11},
        {TForm1::TCommandGroup::Row, &TForm1::N13, &TForm1::bsSkinButton7, -1, -1},
        {TForm1::TCommandGroup::Clear, &TForm1::N14, &TForm1::bsSkinButton8, -1, -1},
    };
    for (const auto& c : cases) {
        for (bool on : {true, false}) {
            Form1->SetGroup(c.group, on);
            EXPECT_EQ((Form1->*c.entry)->Enabled(), on) << Narrow((Form1->*c.entry)->Caption());
            EXPECT_EQ((Form1->*c.button)->Enabled(), on);
            if (c.on >= 0) {
                EXPECT_EQ((Form1->*c.button)->ImageIndex(), on ? c.on : c.off);
            }
        }
    }
    Form1->SetGroup(TForm1::TCommandGroup::Add, false);
    EXPECT_FALSE(Form1->Item111->Enabled());
    EXPECT_FALSE(Form1->N3331->Enabled());
    EXPECT_FALSE(Form1->bsSkinMenuSpeedButton1->Enabled());
    EXPECT_EQ(Form1->bsSkinMenuSpeedButton1->ImageIndex, 7);
    Form1->SetGroup(TForm1::TCommandGroup::Add, true);
    EXPECT_TRUE(Form1->N2222->Enabled());
    EXPECT_EQ(Form1->bsSkinMenuSpeedButton1->ImageIndex, 0);
}

// The shut-down asks the system without forcing programs closed, and drops
// the privilege again when the system refuses.
TEST_F(CommandsTest, ShutDownNeverForcesProgramsToClose) {
    Start();
    std::vector<UINT> asked;
    Form1->ExitWindowsCall = [&](UINT flags, DWORD) {
        asked.push_back(flags);
        return false;
    };
    Form1->Button25Click(nullptr);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0] & EWX_FORCE, 0u);
    EXPECT_EQ(asked[0] & EWX_FORCEIFHUNG, 0u);
    EXPECT_EQ(asked[0] & (EWX_SHUTDOWN | EWX_POWEROFF), static_cast<UINT>(EWX_SHUTDOWN | EWX_POWEROFF));
}

}  // namespace
}  // namespace mainwindowtest
