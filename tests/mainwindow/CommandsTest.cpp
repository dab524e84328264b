// Every add entry of the menus opens its skinned dialog; the queue's menu
// entries and panel buttons reach the same work; the command groups switch
// their members together, with the glyph and the tool-bar picture of their
// state, through every phase of the queue and of a batch.
#include <gtest/gtest.h>

#include <cstring>

#include "QueueFixture.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/shell/bsSkinShellItems.h"
#include "skin/shell/bsSkinShellTree.h"

namespace mainwindowtest {
namespace {

class CommandsTest : public QueueTest {
protected:
    // A glyph picture of the window, looked up by its component name.
    static TBitmap* GlyphPicture(const wchar_t* name) {
        auto* image = dynamic_cast<TImage*>(Form1->FindComponent(name));
        return image ? image->Picture()->Bitmap() : nullptr;
    }
    static COLORREF PixelAt(TBitmap& b, int x, int y) {
        const auto* p = static_cast<const uint8_t*>(b.ScanLine(y)) + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    static bool SamePixels(TBitmap& a, TBitmap& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height() || a.Empty() || b.Empty()) return false;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (PixelAt(a, x, y) != PixelAt(b, x, y)) return false;
        return true;
    }
    // The button holds the named picture as its glyph.
    static ::testing::AssertionResult HoldsGlyph(TbsSkinButton* button, const wchar_t* name) {
        TBitmap* expected = GlyphPicture(name);
        if (!expected) return ::testing::AssertionFailure() << "no picture " << Narrow(name);
        TBitmap held;
        held.Assign(button->Glyph());
        if (!SamePixels(held, *expected))
            return ::testing::AssertionFailure() << Narrow(button->Name()) << " does not hold " << Narrow(name);
        return ::testing::AssertionSuccess();
    }
    // The button's face, painted, shows every pixel of the named picture
    // that is not in its transparent colour (its bottom-left pixel).
    static ::testing::AssertionResult ShowsGlyph(TbsSkinButton* button, const wchar_t* name) {
        TBitmap* glyph = GlyphPicture(name);
        if (!glyph) return ::testing::AssertionFailure() << "no picture " << Narrow(name);
        TBitmap face(button->Width(), button->Height(), pf24bit);
        button->PaintTo(face.Canvas()->Handle(), 0, 0);
        const int gw = glyph->Width(), gh = glyph->Height();
        const COLORREF key = PixelAt(*glyph, 0, gh - 1);
        for (int top = 0; top + gh <= face.Height(); ++top)
            for (int left = 0; left + gw <= face.Width(); ++left) {
                bool all = true;
                for (int y = 0; y < gh && all; ++y)
                    for (int x = 0; x < gw && all; ++x) {
                        const COLORREF c = PixelAt(*glyph, x, y);
                        all = c == key || PixelAt(face, left + x, top + y) == c;
                    }
                if (all) return ::testing::AssertionSuccess();
            }
        return ::testing::AssertionFailure() << Narrow(button->Name()) << " does not show " << Narrow(name);
    }
};

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
    // No folder has been chosen: the folder dialog opens at My Computer.
    platform::ItemIdList drives;
    ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put()));
    for (const auto& c : cases) {
        String title;
        int kind = -1;
        bool atMyComputer = false;
        DialogFormShownHook() = [&](TForm* f) {
            title = f->Caption();
            if (auto* open = dynamic_cast<TbsOpenDlgForm*>(f))
                kind = open->FileListView->MultiSelect() ? SeveralFiles : OneFile;
            if (auto* folder = dynamic_cast<TbsSelDirDlgForm*>(f)) {
                kind = Folder;
                TbsShellFolder* selected = TbsCustomShellTreeView::NodeFolder(folder->DirTreeView->Selected());
                atMyComputer = selected && SameItemIdList(selected->AbsoluteID(), drives.Get());
            }
            f->ModalResult = mrCancel;
        };
        (Form1->*c.entry)->Click();
        DialogFormShownHook() = nullptr;
        EXPECT_EQ(kind, c.kind) << Narrow((Form1->*c.entry)->Caption());
        EXPECT_EQ(title, c.kind == Folder ? L"选择目录" : L"打开文件");
        if (c.kind == Folder) {
            EXPECT_TRUE(atMyComputer) << Narrow((Form1->*c.entry)->Caption());
        }
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
        const wchar_t *onGlyph, *offGlyph;
    } cases[] = {
        {TForm1::TCommandGroup::Start, &TForm1::N7, &TForm1::bsSkinButton2, 1, 8, L"Image5", L"Image4"},
        {TForm1::TCommandGroup::Stop, &TForm1::N8, &TForm1::bsSkinButton10, 2, 9, L"Image11", L"Image10"},
        {TForm1::TCommandGroup::Pause, &TForm1::N10, &TForm1::bsSkinButton11, 3, 10, L"Image7", L"Image6"},
        {TForm1::TCommandGroup::Resume, &TForm1::N11, &TForm1::bsSkinButton12, 4, 11, L"Image9", L"Image8"},
        {TForm1::TCommandGroup::Row, &TForm1::N13, &TForm1::bsSkinButton7, -1, -1, L"Image15", L"Image14"},
        {TForm1::TCommandGroup::Row, &TForm1::N26, &TForm1::bsSkinButton21, -1, -1, L"Image16", L"Image17"},
        {TForm1::TCommandGroup::Clear, &TForm1::N14, &TForm1::bsSkinButton8, -1, -1, L"Image13", L"Image12"},
    };
    for (const auto& c : cases) {
        for (bool on : {true, false}) {
            Form1->SetGroup(c.group, on);
            EXPECT_EQ((Form1->*c.entry)->Enabled(), on) << Narrow((Form1->*c.entry)->Caption());
            EXPECT_EQ((Form1->*c.button)->Enabled(), on);
            EXPECT_TRUE(HoldsGlyph(Form1->*c.button, on ? c.onGlyph : c.offGlyph));
            if (c.on >= 0) {
                EXPECT_EQ((Form1->*c.button)->ImageIndex(), on ? c.on : c.off);
            } else {
                EXPECT_EQ((Form1->*c.button)->ImageIndex(), -1) << "the queue buttons draw their glyph";
            }
        }
    }
    Form1->SetGroup(TForm1::TCommandGroup::Add, false);
    EXPECT_FALSE(Form1->Item111->Enabled());
    EXPECT_FALSE(Form1->N3331->Enabled());
    EXPECT_FALSE(Form1->bsSkinMenuSpeedButton1->Enabled());
    EXPECT_EQ(Form1->bsSkinMenuSpeedButton1->ImageIndex(), 7);
    Form1->SetGroup(TForm1::TCommandGroup::Add, true);
    EXPECT_TRUE(Form1->N2222->Enabled());
    EXPECT_EQ(Form1->bsSkinMenuSpeedButton1->ImageIndex(), 0);
}

// The glyph pictures lie on the hidden developer panel; each command has a
// coloured picture and a grey one of the same size, and a button can leave
// the corners of both transparent.
TEST_F(CommandsTest, GlyphPicturesComeInColouredAndGreyPairs) {
    Start();
    for (int i = 2; i <= 17; ++i) {
        const std::wstring name = L"Image" + std::to_wstring(i);
        auto* image = dynamic_cast<TImage*>(Form1->FindComponent(name));
        ASSERT_NE(image, nullptr) << Narrow(name);
        EXPECT_EQ(image->Parent(), Form1->Panel1) << Narrow(name);
        EXPECT_GE(image->Left() + Form1->Panel1->Left(), Form1->ClientWidth()) << "never seen";
    }
    const struct {
        const wchar_t *on, *off;
        int size;
    } pairs[] = {{L"Image3", L"Image2", 32},   {L"Image5", L"Image4", 32},   {L"Image7", L"Image6", 32},
                 {L"Image9", L"Image8", 32},   {L"Image11", L"Image10", 32}, {L"Image13", L"Image12", 16},
                 {L"Image15", L"Image14", 16}, {L"Image16", L"Image17", 16}};
    auto grey = [](COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); };
    for (const auto& p : pairs) {
        TBitmap* on = GlyphPicture(p.on);
        TBitmap* off = GlyphPicture(p.off);
        ASSERT_TRUE(on && off);
        ASSERT_EQ(on->Width(), p.size) << Narrow(p.on);
        ASSERT_EQ(on->Height(), p.size);
        ASSERT_EQ(off->Width(), p.size) << Narrow(p.off);
        ASSERT_EQ(off->Height(), p.size);
        const COLORREF key = PixelAt(*on, 0, p.size - 1);
        EXPECT_EQ(PixelAt(*off, 0, p.size - 1), key) << "the same transparent colour";
        int coloured = 0, keyed = 0;
        for (int y = 0; y < p.size; ++y)
            for (int x = 0; x < p.size; ++x) {
                const COLORREF a = PixelAt(*on, x, y), b = PixelAt(*off, x, y);
                EXPECT_EQ(a == key, b == key) << "the same outline";
                if (a == key) {
                    ++keyed;
                    continue;
                }
                if (!grey(a)) ++coloured;
                EXPECT_TRUE(grey(b)) << Narrow(p.off) << " at " << x << "," << y;
            }
        EXPECT_GT(coloured, p.size * p.size / 2) << Narrow(p.on) << " is coloured";
        EXPECT_GT(keyed, 0) << "rounded corners";
        EXPECT_LT(keyed, p.size * p.size / 8);
    }
    // The commands' pictures differ from each other.
    for (size_t i = 0; i < std::size(pairs); ++i)
        for (size_t j = i + 1; j < std::size(pairs); ++j)
            if (pairs[i].size == pairs[j].size) {
                EXPECT_FALSE(SamePixels(*GlyphPicture(pairs[i].on), *GlyphPicture(pairs[j].on)))
                    << Narrow(pairs[i].on) << " " << Narrow(pairs[j].on);
            }
}

// Through start-up, adding files, a batch started, paused, resumed and
// stopped, a row removed and the queue cleared, every command button holds
// the glyph of its command's state, and the queue panel's buttons show it.
TEST_F(CommandsTest, ButtonsShowTheGlyphOfTheirStateThroughQueueAndBatch) {
    Start();
    ChooseThreads(1);
    Form1->bsSkinOfficeComboBox2->SetItemIndex(6);  // "常用视频" / MKV: mpeg4 and mp3
    Form1->bsSkinOfficeComboBox1->SetItemIndex(5);
    Form1->Show();
    Application->ProcessMessages();
    using Button = TbsSkinButton* TForm1::*;
    struct Expect {
        Button button;
        const wchar_t* glyph;
    };
    const std::wstring longClip = Clip(L"long.mp4", 60.0, 320, 240), shortClip = Clip(L"short.mp4");
    const struct {
        const char* what;
        std::function<bool()> act;
        std::vector<Expect> expect;
    } steps[] = {
        {"start-up",
         [] { return true; },
         {{&TForm1::bsSkinButton7, L"Image14"},
          {&TForm1::bsSkinButton21, L"Image17"},
          {&TForm1::bsSkinButton8, L"Image12"},
          {&TForm1::bsSkinButton2, L"Image4"},
          {&TForm1::bsSkinButton10, L"Image10"},
          {&TForm1::bsSkinButton11, L"Image6"},
          {&TForm1::bsSkinButton12, L"Image8"}}},
        {"files added",
         [&] {
             AddOne(longClip);
             AddOne(shortClip);
             return Rows() == 2;
         },
         {{&TForm1::bsSkinButton7, L"Image15"},
          {&TForm1::bsSkinButton21, L"Image16"},
          {&TForm1::bsSkinButton8, L"Image13"},
          {&TForm1::bsSkinButton2, L"Image5"},
          {&TForm1::bsSkinButton10, L"Image10"}}},
        {"batch started",
         [] {
             Form1->bsSkinButton2->ButtonClick();
             return Form1->BatchRunning();
         },
         {{&TForm1::bsSkinButton7, L"Image14"},
          {&TForm1::bsSkinButton21, L"Image17"},
          {&TForm1::bsSkinButton8, L"Image12"},
          {&TForm1::bsSkinButton2, L"Image4"},
          {&TForm1::bsSkinButton10, L"Image11"},
          {&TForm1::bsSkinButton11, L"Image7"},
          {&TForm1::bsSkinButton12, L"Image8"}}},
        {"paused",
         [] {
             Form1->bsSkinButton11->ButtonClick();
             return Form1->BatchRunning();
         },
         {{&TForm1::bsSkinButton11, L"Image6"}, {&TForm1::bsSkinButton12, L"Image9"}}},
        {"resumed",
         [] {
             Form1->bsSkinButton12->ButtonClick();
             return Form1->BatchRunning();
         },
         {{&TForm1::bsSkinButton11, L"Image7"}, {&TForm1::bsSkinButton12, L"Image8"}}},
        {"stopped",
         [] {
             Form1->bsSkinButton10->ButtonClick();
             return WaitUntil([] { return !Form1->BatchRunning(); }, 30000);
         },
         {{&TForm1::bsSkinButton2, L"Image5"},
          {&TForm1::bsSkinButton10, L"Image10"},
          {&TForm1::bsSkinButton11, L"Image6"},
          {&TForm1::bsSkinButton12, L"Image8"}}},
        {"row removed",
         [&] {
             Form1->lvFiles->SetItemIndex(0);
             Form1->btnRemoveClick(nullptr);
             return Rows() == 1;
         },
         {{&TForm1::bsSkinButton7, L"Image15"},
          {&TForm1::bsSkinButton21, L"Image16"},
          {&TForm1::bsSkinButton8, L"Image13"},
          {&TForm1::bsSkinButton2, L"Image5"}}},
        {"cleared",
         [&] {
             Form1->btnClearClick(nullptr);
             return Rows() == 0;
         },
         {{&TForm1::bsSkinButton7, L"Image14"},
          {&TForm1::bsSkinButton21, L"Image17"},
          {&TForm1::bsSkinButton8, L"Image12"},
          {&TForm1::bsSkinButton2, L"Image4"}}},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(step.act()) << step.what;
        Application->ProcessMessages();
        for (const Expect& e : step.expect) {
            TbsSkinButton* button = Form1->*e.button;
            EXPECT_TRUE(HoldsGlyph(button, e.glyph)) << step.what;
            // The tool-bar draws its list's pictures; the queue panel draws the glyph.
            if (button->Parent() == Form1->bsSkinPanel1) {
                EXPECT_TRUE(ShowsGlyph(button, e.glyph)) << step.what;
            }
        }
    }
}

// The add button on the tool bar draws the picture of its index from the
// bar's list: its face changes with the index alone.
TEST_F(CommandsTest, AddButtonDrawsThePictureOfItsIndex) {
    Start();
    Form1->Show();
    Application->ProcessMessages();
    TbsSkinMenuSpeedButton* add = Form1->bsSkinMenuSpeedButton1;
    auto face = [&](int index, TBitmap& out) {
        add->SetImageIndex(index);
        add->Invalidate();
        out.SetSize(Form1->bsSkinToolBar2->Width(), Form1->bsSkinToolBar2->Height());
        Form1->bsSkinToolBar2->PaintTo(out.Canvas()->Handle(), 0, 0);
    };
    TBitmap on(1, 1, pf24bit), off(1, 1, pf24bit), again(1, 1, pf24bit);
    face(0, on);
    face(7, off);
    face(0, again);
    int changed = 0;
    for (int y = add->Top(); y < add->Top() + add->Height(); ++y)
        for (int x = add->Left(); x < add->Left() + add->Width(); ++x)
            if (PixelAt(on, x, y) != PixelAt(off, x, y)) ++changed;
    EXPECT_GT(changed, 32 * 32 / 2) << "the coloured and the dimmed picture";
    EXPECT_TRUE(SamePixels(on, again));
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
