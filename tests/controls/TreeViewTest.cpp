// The skinned tree view: its skinned vertical bar drives the native view
// and follows keys and code.
#include "ControlsSkin.h"

#include <functional>

#include "skin/controls/bsSkinCtrlsTree.h"
#include "skin/controls/bsSkinCtrlsViews.h"

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

// A skin change sets each attached bar's alignment again, so the parent
// puts bars that were moved out of place back at its edges; for the tree
// view and the list view alike. The bars stay shown throughout, so no
// change of visibility realigns them instead.
TEST_F(TreeViewTest, ASkinChangePutsTheAlignedBarsBackInPlace) {
    auto store = MakeControlsSkin(0);
    auto* hbar = new TbsSkinScrollBar(form);
    hbar->SetParent(form);
    hbar->SetBounds(10, 160, 200, 19);
    tree->Items()->Add(nullptr, String(120, L'W'));
    tree->SetHScrollBar(hbar);

    auto* list = new TbsSkinListView(form);
    list->SetParent(form);
    list->SetBounds(300, 10, 200, 150);
    list->SetViewStyle(vsReport);
    for (int c = 0; c < 6; ++c) list->Columns()->Add()->SetWidth(100);
    list->HandleNeeded();
    for (int i = 0; i < 30; ++i) list->Items()->Add()->SetCaption(L"row " + std::to_wstring(i));
    auto* listV = new TbsSkinScrollBar(form);
    listV->SetParent(form);
    listV->SetKind(sbVertical);
    auto* listH = new TbsSkinScrollBar(form);
    listH->SetParent(form);
    list->SetVScrollBar(listV);
    list->SetHScrollBar(listH);
    Application->ProcessMessages();

    struct Case {
        const char* name;
        TbsSkinScrollBar* v;
        TbsSkinScrollBar* h;
        std::function<void()> changeSkin;
    };
    const Case cases[] = {
        {"tree view", vbar, hbar, [&] { tree->SetSkinData(store.get()); }},
        {"list view", listV, listH, [&] { list->SetSkinData(store.get()); }},
    };
    for (const Case& c : cases) {
        c.v->SetAlign(alRight);
        c.h->SetAlign(alBottom);
        Application->ProcessMessages();
        ASSERT_TRUE(c.v->Visible()) << c.name;
        ASSERT_TRUE(c.h->Visible()) << c.name;
        const int right = form->ClientWidth() - c.v->Width();
        const int bottom = form->ClientHeight() - c.h->Height();
        ASSERT_EQ(c.v->Left(), right) << c.name;
        ASSERT_EQ(c.h->Top(), bottom) << c.name;
        // Moved behind the class library's back: nothing aligns them yet.
        SetWindowPos(c.v->Handle(), nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(c.h->Handle(), nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Application->ProcessMessages();
        ASSERT_EQ(c.v->Left(), 5) << c.name;
        ASSERT_EQ(c.h->Top(), 5) << c.name;
        c.changeSkin();
        Application->ProcessMessages();
        EXPECT_TRUE(c.v->Visible()) << c.name;
        EXPECT_EQ(c.v->Left(), right) << c.name;
        EXPECT_EQ(c.h->Top(), bottom) << c.name;
        c.v->SetAlign(alNone);
        c.h->SetAlign(alNone);
        c.v->SetVisible(false);
        c.h->SetVisible(false);
    }
    tree->SetSkinData(nullptr);
    list->SetSkinData(nullptr);
}

}  // namespace
