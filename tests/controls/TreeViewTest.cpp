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

}  // namespace
