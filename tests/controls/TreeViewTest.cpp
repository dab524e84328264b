// The skinned tree view: its skinned vertical bar drives the native view
// and follows keys and code.
#include "ControlsSkin.h"

#include "skin/controls/bsSkinCtrlsTree.h"

using namespace controlstest;

namespace {

class TreeViewTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        tree = new TbsSkinCustomTreeView(form);
        tree->SetParent(form);
        tree->SetBounds(10, 10, 200, 150);
        vbar = new TbsSkinScrollBar(form);
        vbar->SetParent(form);
        vbar->SetKind(sbVertical);
        vbar->SetBounds(210, 10, 19, 150);
        tree->HandleNeeded();
        for (int i = 0; i < 200; ++i) tree->Items()->Add(nullptr, L"node " + std::to_wstring(i));
        tree->SetVScrollBar(vbar);
        Application->ProcessMessages();
    }
    int FirstVisible() {
        HTREEITEM first = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree->Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
        int n = 0;
        for (HTREEITEM i = reinterpret_cast<HTREEITEM>(SendMessageW(tree->Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
             i && i != first; i = reinterpret_cast<HTREEITEM>(SendMessageW(tree->Handle(), TVM_GETNEXTITEM, TVGN_NEXT,
                                                                          reinterpret_cast<LPARAM>(i))))
            ++n;
        return n;
    }
    TbsSkinCustomTreeView* tree = nullptr;
    TbsSkinScrollBar* vbar = nullptr;
};

TEST_F(TreeViewTest, TheSkinnedBarAndTheNativeViewMoveTogether) {
    ASSERT_TRUE(vbar->Visible());
    const int page = static_cast<int>(SendMessageW(tree->Handle(), TVM_GETVISIBLECOUNT, 0, 0));
    EXPECT_EQ(vbar->PageSize(), page);
    EXPECT_EQ(vbar->Max(), 199);
    for (int pos : {50, 3, 150}) {
        vbar->SetPosition(pos);
        Application->ProcessMessages();
        EXPECT_EQ(FirstVisible(), pos);
        EXPECT_EQ(GetScrollPos(tree->Handle(), SB_VERT), pos);
    }
    // Keys move the native view; the bar follows.
    tree->SetFocus();
    PressKey(tree->Handle(), VK_END);
    EXPECT_EQ(FirstVisible(), 200 - page);
    EXPECT_EQ(vbar->Position(), FirstVisible());
    PressKey(tree->Handle(), VK_HOME);
    EXPECT_EQ(vbar->Position(), 0);
}

// A row wider than the view: the horizontal bar stands in for the native
// one and moving it scrolls the view sideways.
TEST_F(TreeViewTest, TheHorizontalBarFollowsTheWideRows) {
    auto* hbar = new TbsSkinScrollBar(form);
    hbar->SetParent(form);
    hbar->SetBounds(10, 160, 200, 19);
    tree->Items()->Add(nullptr, String(120, L'W'));
    tree->SetHScrollBar(hbar);
    Application->ProcessMessages();
    ASSERT_TRUE(hbar->Visible());
    int mn = 0, mx = 0;
    GetScrollRange(tree->Handle(), SB_HORZ, &mn, &mx);
    ASSERT_GT(mx, tree->Width());
    EXPECT_EQ(hbar->Max(), mx);
    EXPECT_EQ(hbar->PageSize(), tree->Width());
    // Both bars shown: the horizontal one leaves the corner free.
    EXPECT_TRUE(hbar->Both());
    const int end = mx - tree->Width() + 1;
    for (int pos : {40, 7, end, 0}) {
        hbar->SetPosition(pos);
        Application->ProcessMessages();
        EXPECT_EQ(GetScrollPos(tree->Handle(), SB_HORZ), pos) << pos;
    }
    // The native view scrolled by a message; the bar follows at its repaint.
    SendMessageW(tree->Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    SendMessageW(tree->Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    Application->ProcessMessages();
    const int moved = GetScrollPos(tree->Handle(), SB_HORZ);
    EXPECT_GT(moved, 0);
    EXPECT_EQ(hbar->Position(), moved);
}

}  // namespace
