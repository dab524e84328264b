// The tree view (lazy expansion, refused changes, sorting, editing) and the
// page control (switching sheets by code and by click).
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "platform/PageControl.h"
#include "platform/TreeView.h"

namespace {

using platform_test::ControlsTest;

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

}  // namespace
