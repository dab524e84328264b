// The tree view (lazy expansion, refused changes, sorting, editing) and the
// page control (switching sheets by code and by click).
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "platform/PageControl.h"
#include "platform/TreeView.h"

namespace {

using platform_test::ControlsTest;
using platform_test::ShowsColour;
using platform_test::SolidColourList;

class TreeViewTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        tree = new TTreeView(form);
        tree->SetParent(form);
        tree->SetBounds(0, 0, 300, 400);
    }
    // The nodes the window shows under parent, by text.
    std::vector<String> WindowChildren(TTreeNode* parent) {
        std::vector<String> out;
        HWND wnd = tree->Handle();
        auto id = reinterpret_cast<HTREEITEM>(SendMessageW(
            wnd, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent ? parent->ItemId() : nullptr)));
        for (; id; id = reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(id)))) {
            wchar_t buf[100] = {};
            TVITEMW it{};
            it.mask = TVIF_TEXT;
            it.hItem = id;
            it.pszText = buf;
            it.cchTextMax = 100;
            SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
            out.push_back(buf);
        }
        return out;
    }
    TTreeView* tree = nullptr;
};

TEST_F(TreeViewTest, ExpandsLazily) {
    TTreeNode* root = tree->Items()->AddChild(nullptr, L"C:");
    root->SetHasChildren(true);
    int expansions = 0;
    tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
        allow = true;
        if (node->Count() > 0) return;
        ++expansions;
        for (const wchar_t* name : {L"Windows", L"Program Files", L"Users"})
            tree->Items()->AddChildObject(node, name, node)->SetHasChildren(true);
    };
    EXPECT_TRUE(root->HasChildren());
    EXPECT_EQ(root->Count(), 0);
    EXPECT_TRUE(WindowChildren(root).empty());
    root->Expand(false);
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(expansions, 1);
    EXPECT_EQ(WindowChildren(root), (std::vector<String>{L"Windows", L"Program Files", L"Users"}));
    EXPECT_EQ(root->Item(1)->Data, root);
    EXPECT_EQ(root->Item(1)->Level(), 1);
    root->Collapse(false);
    root->Expand(false);
    EXPECT_EQ(expansions, 1);  // filled once
    EXPECT_EQ(tree->Items()->Count(), 4);

    // A refused expansion leaves the node closed.
    tree->OnExpanding = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
    root->Item(0)->Expand(false);
    EXPECT_FALSE(root->Item(0)->Expanded());
}

TEST_F(TreeViewTest, CanChangeRefusesASelection) {
    TTreeNode* a = tree->Items()->Add(nullptr, L"a");
    TTreeNode* b = tree->Items()->Add(nullptr, L"b");
    std::vector<TTreeNode*> changes;
    tree->OnChange = [&](TObject*, TTreeNode* node) { changes.push_back(node); };
    tree->SetSelected(a);
    EXPECT_EQ(tree->Selected(), a);
    tree->OnChanging = [&](TObject*, TTreeNode* node, bool& allow) { allow = node != b; };
    tree->SetSelected(b);
    EXPECT_EQ(tree->Selected(), a);
    // By keyboard too.
    tree->SetFocus();
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    Application->ProcessMessages();
    EXPECT_EQ(tree->Selected(), a);
    EXPECT_EQ(changes, std::vector<TTreeNode*>{a});
    tree->OnChanging = nullptr;
    tree->SetSelected(b);
    EXPECT_EQ(tree->Selected(), b);
}

TEST_F(TreeViewTest, CustomSortOrdersModelAndWindow) {
    for (const wchar_t* s : {L"pear", L"Apple", L"fig"}) tree->Items()->Add(nullptr, s);
    TTreeNode* fig = tree->Items()->Root(2);
    tree->Items()->AddChild(fig, L"z");
    tree->Items()->AddChild(fig, L"y");
    // By length, then default (text) order below.
    tree->CustomSort([](TTreeNode* a, TTreeNode* b, LPARAM) { return static_cast<int>(a->Text().size() - b->Text().size()); },
                     0, false);
    EXPECT_EQ(WindowChildren(nullptr), (std::vector<String>{L"fig", L"pear", L"Apple"}));
    EXPECT_EQ(tree->Items()->GetFirstNode(), fig);
    EXPECT_EQ(WindowChildren(fig), (std::vector<String>{L"z", L"y"}));
    tree->CustomSort(nullptr, 0, true);
    EXPECT_EQ(WindowChildren(nullptr), (std::vector<String>{L"Apple", L"fig", L"pear"}));
    EXPECT_EQ(WindowChildren(fig), (std::vector<String>{L"y", L"z"}));
}

TEST_F(TreeViewTest, DeletingANodeFreesItsChildren) {
    TTreeNode* root = tree->Items()->AddChild(nullptr, L"root");
    for (int i = 0; i < 5; ++i) tree->Items()->AddChild(root, IntToStr(i));
    tree->Items()->AddChild(nullptr, L"other");
    int deleted = 0;
    tree->OnDeletion = [&](TObject*, TTreeNode*) { ++deleted; };
    root->Delete();
    EXPECT_EQ(deleted, 6);
    EXPECT_EQ(tree->Items()->Count(), 1);
    EXPECT_EQ(WindowChildren(nullptr), std::vector<String>{L"other"});
}

TEST_F(TreeViewTest, NodesSurviveANewWindow) {
    TTreeNode* root = tree->Items()->AddChild(nullptr, L"root");
    tree->Items()->AddChild(root, L"child");
    tree->Handle();
    tree->SetReadOnly(true);  // recreates the window
    EXPECT_EQ(WindowChildren(nullptr), std::vector<String>{L"root"});
    EXPECT_EQ(WindowChildren(root), std::vector<String>{L"child"});
}

TEST_F(TreeViewTest, LabelEditingAsksAndStoresTheText) {
    TTreeNode* fixed = tree->Items()->Add(nullptr, L"fixed");
    TTreeNode* free = tree->Items()->Add(nullptr, L"free");
    tree->OnEditing = [&](TObject*, TTreeNode* node, bool& allow) { allow = node != fixed; };
    tree->OnEdited = [](TObject*, TTreeNode*, String& s) { s = L"[" + s + L"]"; };
    tree->SetFocus();
    EXPECT_FALSE(fixed->EditText());
    ASSERT_TRUE(free->EditText());
    HWND edit = reinterpret_cast<HWND>(SendMessageW(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"renamed");
    SendMessageW(tree->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(free->Text(), L"[renamed]");
    EXPECT_EQ(WindowChildren(nullptr), (std::vector<String>{L"fixed", L"[renamed]"}));
}

TEST_F(TreeViewTest, StateImagesShowThePictureOfEachNodesStateIndex) {
    tree->SetStateImages(SolidColourList(form, {clRed, clLime, clBlue}));
    TTreeNode* a = tree->Items()->AddChild(nullptr, L"alpha");
    TTreeNode* b = tree->Items()->AddChild(nullptr, L"beta");
    TTreeNode* c = tree->Items()->AddChild(nullptr, L"gamma");
    a->SetStateIndex(2);
    b->SetStateIndex(1);
    c->SetStateIndex(0);  // the first picture is never shown
    const auto row = [&](TTreeNode* n) {
        const TRect text = n->DisplayRect(true);
        return TRect(0, text.top, text.left, text.bottom);
    };
    EXPECT_TRUE(ShowsColour(tree, row(a), clBlue));
    EXPECT_TRUE(ShowsColour(tree, row(b), clLime));
    EXPECT_FALSE(ShowsColour(tree, row(c), clRed));
    EXPECT_FALSE(ShowsColour(tree, row(a), clLime));
    // Kept by a new window.
    tree->SetReadOnly(true);
    EXPECT_TRUE(ShowsColour(tree, row(a), clBlue));
}

TEST_F(TreeViewTest, RightClickSelectsTheNodeUnderThePointerWhenAsked) {
    TTreeNode* a = tree->Items()->AddChild(nullptr, L"alpha");
    TTreeNode* b = tree->Items()->AddChild(nullptr, L"beta");
    tree->SetSelected(a);
    std::vector<TTreeNode*> changes;
    tree->OnChange = [&](TObject*, TTreeNode* n) { changes.push_back(n); };
    const TRect r = b->DisplayRect(true);
    const LPARAM at = MAKELPARAM(r.left + 2, r.top + r.Height() / 2);
    const auto rightClick = [&] {
        // The control waits for the release inside the press.
        PostMessageW(tree->Handle(), WM_RBUTTONUP, 0, at);
        SendMessageW(tree->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
        Application->ProcessMessages();
    };
    rightClick();
    EXPECT_EQ(tree->Selected(), a);
    EXPECT_TRUE(changes.empty());
    tree->RightClickSelect = true;
    rightClick();
    EXPECT_EQ(tree->Selected(), b);
    EXPECT_EQ(changes, std::vector<TTreeNode*>{b});
}

class PageControlTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        pages = new TPageControl(form);
        pages->SetParent(form);
        pages->SetBounds(10, 10, 400, 300);
        for (const wchar_t* caption : {L"General", L"Video", L"Audio"}) {
            auto* sheet = new TTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        pages->OnChange = [this](TObject*) { ++changes; };
        Application->ProcessMessages();
    }
    int ShownSheets() {
        int n = 0;
        for (int i = 0; i < pages->PageCount(); ++i) n += IsWindowVisible(pages->Pages(i)->Handle()) ? 1 : 0;
        return n;
    }
    TPageControl* pages = nullptr;
    int changes = 0;
};

TEST_F(PageControlTest, SwitchesByCode) {
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    EXPECT_EQ(TabCtrl_GetItemCount(pages->Handle()), 3);
    pages->SetActivePageIndex(2);
    EXPECT_EQ(pages->ActivePage(), pages->Pages(2));
    EXPECT_EQ(TabCtrl_GetCurSel(pages->Handle()), 2);
    EXPECT_TRUE(IsWindowVisible(pages->Pages(2)->Handle()));
    EXPECT_EQ(ShownSheets(), 1);
    // The sheet fills the display area.
    EXPECT_EQ(pages->Pages(2)->BoundsRect(), pages->DisplayRect());
    pages->SelectNextPage(true);
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    EXPECT_EQ(changes, 1);
}

TEST_F(PageControlTest, SwitchesByClickUnlessRefused) {
    const TRect tab = pages->TabRect(1);
    ASSERT_FALSE(tab.IsEmpty());
    Click(pages->Handle(), tab.left + tab.Width() / 2, tab.top + tab.Height() / 2);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ShownSheets(), 1);

    pages->OnChanging = [](TObject*, bool& allow) { allow = false; };
    const TRect other = pages->TabRect(2);
    Click(pages->Handle(), other.left + other.Width() / 2, other.top + other.Height() / 2);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(TabCtrl_GetCurSel(pages->Handle()), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(PageControlTest, RemovingTheActiveSheetActivatesANeighbour) {
    pages->SetActivePageIndex(2);
    pages->Pages(2)->Free();
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(TabCtrl_GetItemCount(pages->Handle()), 2);
    EXPECT_EQ(ShownSheets(), 1);
}

// Where the tabs lie against the display area, for each side.
TEST_F(PageControlTest, TabPositionPutsTheTabsOnThatSide) {
    struct Case {
        TTabPosition position;
        const char* name;
    };
    for (const Case c : {Case{tpTop, "top"}, Case{tpBottom, "bottom"}, Case{tpLeft, "left"}, Case{tpRight, "right"}}) {
        SCOPED_TRACE(c.name);
        pages->SetActivePageIndex(1);
        pages->SetTabPosition(c.position);
        EXPECT_EQ(pages->TabPosition(), c.position);
        ASSERT_EQ(TabCtrl_GetItemCount(pages->Handle()), 3);
        const TRect tab = pages->TabRect(0), display = pages->DisplayRect(), client = pages->ClientRect();
        ASSERT_FALSE(tab.IsEmpty());
        switch (c.position) {
        case tpTop:
            EXPECT_LE(tab.bottom, display.top);
            EXPECT_LT(tab.top, client.Height() / 2);
            break;
        case tpBottom:
            EXPECT_GE(tab.top, display.bottom);
            EXPECT_GT(tab.bottom, client.Height() / 2);
            break;
        case tpLeft:
            EXPECT_LE(tab.right, display.left);
            EXPECT_GT(tab.Height(), tab.Width());  // standing on its side
            break;
        case tpRight:
            EXPECT_GE(tab.left, display.right);
            EXPECT_GT(tab.Height(), tab.Width());
            break;
        }
        // The new window keeps the sheets, the selection and the layout.
        EXPECT_EQ(pages->ActivePageIndex(), 1);
        EXPECT_EQ(TabCtrl_GetCurSel(pages->Handle()), 1);
        EXPECT_EQ(pages->Pages(1)->BoundsRect(), display);
        EXPECT_EQ(pages->Pages(1)->Caption(), L"Video");
        EXPECT_EQ(ShownSheets(), 1);
    }
}

TEST_F(PageControlTest, TabSizeAndStyleReachTheNativeControl) {
    pages->SetTabHeight(30);
    EXPECT_EQ(pages->TabRect(0).Height(), 30);
    EXPECT_EQ(pages->Pages(0)->BoundsRect(), pages->DisplayRect());
    EXPECT_GE(pages->DisplayRect().top, 30);
    pages->SetTabWidth(90);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pages->TabRect(i).Width(), 90) << i;
    EXPECT_EQ(pages->TabRect(0).Height(), 30);
    pages->Pages(1)->SetCaption(L"A caption much longer than the others");
    EXPECT_EQ(pages->TabRect(1).Width(), 90);
    pages->SetTabWidth(0);
    // Back to widths that follow the captions.
    EXPECT_NE(pages->TabRect(0).Width(), pages->TabRect(1).Width());

    const struct {
        TTabStyle style;
        LONG bits;
    } styles[] = {{tsButtons, TCS_BUTTONS}, {tsFlatButtons, TCS_BUTTONS | TCS_FLATBUTTONS}, {tsTabs, 0}};
    for (const auto& c : styles) {
        pages->SetStyle(c.style);
        const LONG style = GetWindowLongW(pages->Handle(), GWL_STYLE);
        EXPECT_EQ(style & (TCS_BUTTONS | TCS_FLATBUTTONS), c.bits) << c.style;
        EXPECT_EQ(TabCtrl_GetItemCount(pages->Handle()), 3);
    }
}

TEST_F(PageControlTest, MultiLineWrapsTabsThatDoNotFit) {
    for (int i = 0; i < 9; ++i) {
        auto* sheet = new TTabSheet(form);
        sheet->SetCaption(L"A longer caption " + IntToStr(i));
        sheet->SetPageControl(pages);
    }
    EXPECT_FALSE(pages->MultiLine());
    EXPECT_EQ(TabCtrl_GetRowCount(pages->Handle()), 1);
    const int singleTop = pages->DisplayRect().top;
    pages->SetMultiLine(true);
    EXPECT_GT(TabCtrl_GetRowCount(pages->Handle()), 1);
    EXPECT_NE(pages->TabRect(0).top, pages->TabRect(11).top);
    // More rows leave less room for the sheets.
    EXPECT_GT(pages->DisplayRect().top, singleTop);
    EXPECT_EQ(pages->ActivePage()->BoundsRect(), pages->DisplayRect());
    // Tabs on a side are always in rows.
    pages->SetMultiLine(false);
    pages->SetTabPosition(tpLeft);
    EXPECT_TRUE(pages->MultiLine());
    EXPECT_TRUE(GetWindowLongW(pages->Handle(), GWL_STYLE) & TCS_MULTILINE);
}

TEST_F(PageControlTest, TabIndexCountsShownTabsOnly) {
    pages->Pages(0)->TabVisible = false;
    pages->SetActivePageIndex(2);
    EXPECT_EQ(pages->TabIndex(), 1);
    pages->SetTabIndex(0);
    EXPECT_EQ(pages->ActivePage(), pages->Pages(1));
    pages->SetTabIndex(5);  // out of range: nothing changes
    EXPECT_EQ(pages->ActivePage(), pages->Pages(1));
    pages->SetTabIndex(-1);
    EXPECT_EQ(pages->ActivePage(), nullptr);
    EXPECT_EQ(pages->TabIndex(), -1);
    EXPECT_EQ(ShownSheets(), 0);
}

}  // namespace
