// The queue list as the user sees it in the shown window: many rows scroll
// into view with the list's skinned bars, driven by the bars and followed
// by them when the list scrolls itself; the hidden columns stay hidden when
// the user drags a header divider.
#include <gtest/gtest.h>

#include "QueueFixture.h"
#include "platform/ListView.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

namespace mainwindowtest {
namespace {

class QueueViewTest : public QueueTest {
protected:
    static void Serve() {
        Application->ProcessMessages();
        platform::CheckSynchronize();
    }
    static HWND View() { return Form1->lvFiles->Handle(); }
    // Row i lies wholly inside the list's area below the header.
    static bool RowShown(int i) {
        RECT row{};
        row.left = LVIR_BOUNDS;
        if (!SendMessageW(View(), LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&row)))
            return false;
        RECT client{}, header{};
        GetClientRect(View(), &client);
        GetWindowRect(Form1->lvFiles->HookedHeader(), &header);
        return row.top >= header.bottom - header.top && row.bottom <= client.bottom;
    }
    // Clicks one of the bar's arrow buttons until the condition holds (at
    // most `clicks` times); the result is the condition.
    static bool ClickUntil(TbsSkinScrollBar* bar, int button, const std::function<bool()>& done, int clicks = 200) {
        for (int n = 0; n < clicks && !done(); ++n) {
            bar->CalcRects();
            const TRect r = bar->ButtonRect(button);
            dialogstest::PostClick(bar->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            WaitUntil([] { return false; }, 20);
        }
        return done();
    }
    static int ColumnWidth(int i) {
        return static_cast<int>(SendMessageW(View(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
    }
    // A drag with the left button on the header from x to x + dx.
    static void DragHeader(int x, int dx) {
        const HWND header = Form1->lvFiles->HookedHeader();
        PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
        for (int step = 1; step <= 4; ++step)
            PostMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx * step / 4, 5));
        PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, 5));
        WaitUntil([] { return false; }, 200);
    }
};

TEST_F(QueueViewTest, FortyFilesOfAFolderScrollIntoViewWithTheSkinnedBars) {
    Start();
    Form1->Show();
    Serve();
    TbsSkinScrollBar* vbar = Form1->bsSkinScrollBar2;
    TbsSkinScrollBar* hbar = Form1->bsSkinScrollBar1;
    EXPECT_FALSE(vbar->Visible()) << "an empty queue needs no bar";
    const std::wstring folder = media_ + L"forty\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring clip = Clip(L"forty\\clip00.mp4", 0.2);
    ASSERT_FALSE(clip.empty());
    for (int i = 1; i < 40; ++i)
        ASSERT_TRUE(CopyFileW(clip.c_str(), (folder + L"clip" + (i < 10 ? L"0" : L"") + std::to_wstring(i) + L".mp4").c_str(),
                              TRUE));
    AddFolder(folder);
    ASSERT_EQ(Rows(), 40);
    Serve();
    ASSERT_TRUE(vbar->Visible());
    ASSERT_TRUE(hbar->Visible()) << "530 pixels of columns in a narrower list";
    EXPECT_TRUE(hbar->Both()) << "the horizontal bar leaves the corner to the vertical one";
    // The bars take their room from the list, inside the queue's frame.
    EXPECT_LE(Form1->lvFiles->Width() + vbar->Width(), Form1->bsSkinPanel2->ClientWidth());
    EXPECT_LE(Form1->lvFiles->Height() + hbar->Height(), Form1->bsSkinPanel2->ClientHeight());

    // To the top with the bar's "down" button: the last row goes out of view.
    ASSERT_TRUE(ClickUntil(vbar, 2, [vbar] { return vbar->Position() == vbar->Min(); }));
    Serve();
    EXPECT_TRUE(RowShown(0));
    EXPECT_FALSE(RowShown(39));
    // Back to the end with its "up" button: the last row comes into view.
    ASSERT_TRUE(ClickUntil(vbar, 1, [] { return RowShown(39); }));
    EXPECT_FALSE(RowShown(0));

    // The list scrolled from the keyboard takes the bar with it.
    PostMessageW(View(), WM_KEYDOWN, VK_HOME, 0);
    PostMessageW(View(), WM_KEYUP, VK_HOME, 0);
    ASSERT_TRUE(WaitUntil([vbar] { return RowShown(0) && vbar->Position() == vbar->Min(); }, 5000))
        << vbar->Position();

    // The right edge of the last visible column can be reached.
    RECT client{};
    GetClientRect(View(), &client);
    const auto lastColumnRight = [] {
        RECT r{};
        r.top = 7;  // "转换大小"
        r.left = LVIR_BOUNDS;
        SendMessageW(View(), LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        return static_cast<int>(r.right);
    };
    ASSERT_GT(lastColumnRight(), client.right) << "the column starts out of reach";
    ASSERT_TRUE(ClickUntil(hbar, 1, [&] { return lastColumnRight() <= client.right; }))
        << lastColumnRight() << " " << hbar->Position() << "/" << hbar->Max();
    EXPECT_GT(hbar->Position(), hbar->Min());
}

TEST_F(QueueViewTest, AHeaderDragWidensAShownColumnButNeverAHiddenOne) {
    Start();
    Form1->Show();
    Serve();
    AddOne(Clip(L"a.mp4"));
    ASSERT_EQ(Rows(), 1);
    Serve();
    ASSERT_NE(Form1->lvFiles->HookedHeader(), nullptr);
    // The divider right of "转换进度" (80+70+70+80+70 = 370) is also that of the
    // hidden column after it; a press just right of it takes the hidden one.
    DragHeader(372, 60);
    for (int i = 0; i < Form1->lvFiles->Columns()->Count(); ++i) {
        if (Form1->lvFiles->Columns()->Items(i)->Width() == 0) {
            EXPECT_LE(ColumnWidth(i), 1) << "column " << i;
        }
    }
    // Past the last shown column the hidden ones follow one another.
    DragHeader(532, 80);
    for (int i = 8; i < Form1->lvFiles->Columns()->Count(); ++i) EXPECT_LE(ColumnWidth(i), 1) << "column " << i;
    // A shown column still follows the user's drag.
    DragHeader(80, 40);
    EXPECT_GT(ColumnWidth(0), 80);
}

}  // namespace
}  // namespace mainwindowtest
