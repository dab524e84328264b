// MDI support of the frame and the MDI tab bar: tile and cascade geometry,
// a maximized child's buttons and caption, the window menu, and the tabs'
// widths, reordering by dragging and close buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/Menus.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"
#include "skin/frame/bsSkinMDITabsBar.h"
#include "skin/frame/bsSkinMenus.h"
#include "skin/controls/bsSkinCtrlsMessages.h"
#include "skin/frame/bsSkinMainMenuBar.h"
#include "tests/platform/ControlsFixture.h"

namespace {

using Rects = std::vector<TRect>;

TEST(MDIArrange, TileFillsColumnsFromTheBottomRight) {
    const struct {
        int n, w, h;
        Rects want;
    } cases[] = {
        {1, 600, 300, {TRect(0, 0, 600, 300)}},
        {4, 600, 300, {Bounds(0, 0, 300, 150), Bounds(0, 150, 300, 150), Bounds(300, 0, 300, 150),
                       Bounds(300, 150, 300, 150)}},
        // Right column three rows of H div 3, left column two of H div 2.
        {5, 600, 300, {Bounds(0, 0, 300, 150), Bounds(0, 150, 300, 150), Bounds(300, 0, 300, 100),
                       Bounds(300, 100, 300, 100), Bounds(300, 200, 300, 100)}},
        {0, 600, 300, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ComputeMDITile(c.n, c.w, c.h), c.want) << c.n;
}

TEST(MDIArrange, CascadeStepsAndRestartsAtOrigin) {
    const SIZE flexible{0, 0};
    // W 500: K = (500 - 400) div 20 = 5.
    EXPECT_EQ(ComputeMDICascade({flexible, flexible, flexible}, 500, 400, 20, 0, 0),
              (Rects{Bounds(40, 40, 460, 360), Bounds(20, 20, 460, 360), Bounds(0, 0, 460, 360)}));
    // Seven children: sizes W - 5S; the seventh would leave the area and starts at (0, 0).
    const Rects seven = ComputeMDICascade(std::vector<SIZE>(7, flexible), 500, 400, 20, 0, 0);
    EXPECT_EQ(seven[6], Bounds(0, 0, 400, 300));
    EXPECT_EQ(seven[1], Bounds(100, 100, 400, 300));
    EXPECT_EQ(seven[0], Bounds(0, 0, 400, 300));
    // A fixed-border child keeps its size; the minimum raises the others.
    EXPECT_EQ(ComputeMDICascade({SIZE{120, 90}, flexible}, 500, 400, 20, 490, 0),
              (Rects{Bounds(20, 20, 120, 90), Bounds(0, 0, 490, 380)}));
    // A skin whose top border is 0 still steps by 1.
    EXPECT_EQ(ComputeMDICascade({flexible, flexible}, 500, 400, 0, 0, 0)[0].left, 1);
}

class StandInMenuBar : public TbsMDIMenuBarLink {
public:
    void MDIChildMaximized() override { calls.push_back("max"); }
    void MDIChildRestored() override { calls.push_back("restore"); }
    bool ShowsChildMenu() const override { return true; }
    void UpDateItems() override { calls.push_back("items"); }
    std::vector<std::string> calls;
};

class MDIFrameTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        form->SetFormStyle(fsMDIForm);
        form->SetCaption(L"Main");
        frame = new TbsSkinFrame(form);
        frame->MDIMenuBar = &bar;
        Application->ProcessMessages();
    }
    void TearDown() override {
        for (TForm* c : children) c->Free();
        children.clear();
        Application->ProcessMessages();
        ControlsTest::TearDown();
    }
    // beforeShow: set up the child's frame before the child first shows.
    TForm* NewChild(const String& name, const std::function<void(TbsSkinFrame*)>& beforeShow = nullptr) {
        auto* child = new TForm(Application);
        child->SetName(name);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(name);
        child->SetBounds(0, 0, 200, 150);
        auto* f = new TbsSkinFrame(child);
        if (beforeShow) beforeShow(f);
        child->Show();
        Application->ProcessMessages();
        children.push_back(child);
        return child;
    }
    TbsSkinFrame* frame = nullptr;
    StandInMenuBar bar;
    std::vector<TForm*> children;
};

TEST_F(MDIFrameTest, TilingFiveChildrenGivesTwoColumns) {
    for (int i = 0; i < 5; ++i) NewChild(L"child" + std::to_wstring(i));
    frame->Tile();
    const int W = form->ClientWidth(), H = form->ClientHeight();
    int right = 0, left = 0;
    for (TForm* c : children) {
        if (c->Left() == W - W / 2 && c->Width() == W / 2 && c->Height() == H / 3) ++right;
        if (c->Left() == 0 && c->Width() == W / 2 && c->Height() == H / 2) ++left;
    }
    EXPECT_EQ(right, 3);
    EXPECT_EQ(left, 2);
}

// The main form's caption strip as painted (the plain look).
std::vector<COLORREF> CaptionStrip(TCustomForm* f) {
    TBitmap b(f->Width(), f->Height(), pf24bit);
    SendMessageW(f->Handle(), CM_PAINTFRAMETODC, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
    std::vector<COLORREF> px;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < f->Width(); ++x) px.push_back(GetPixel(b.Canvas()->Handle(), x, y));
    return px;
}

TEST_F(MDIFrameTest, MaximizedChildAddsButtonsAndCaption) {
    TForm* a = NewChild(L"Alpha");
    NewChild(L"Beta");
    const std::vector<COLORREF> plain = CaptionStrip(form);
    FindSkinFormComponent(a)->SetWindowState(wsMaximized);
    ASSERT_FALSE(bar.calls.empty());
    EXPECT_EQ(bar.calls.back(), "max");
    // The caption shows the child's name after the form's own.
    const std::vector<COLORREF> withChild = CaptionStrip(form);
    EXPECT_NE(withChild, plain);
    FindSkinFormComponent(a)->SetWindowState(wsNormal);
    EXPECT_EQ(bar.calls.back(), "restore");
    EXPECT_EQ(CaptionStrip(form), plain);
    form->SetCaption(L"Main - [Alpha]");
    EXPECT_EQ(CaptionStrip(form), withChild);
}

// The skinned menu bar itself as the main form's link: a maximized child's
// four buttons on the bar, in the plain look (no button records: each
// button keeps the command of its place), acting on the child.
class MenuBarMDITest : public MDIFrameTest {
protected:
    void SetUp() override {
        MDIFrameTest::SetUp();
        auto* menu = new TMainMenu(form);
        auto* file = new TMenuItem(menu);
        file->SetCaption(L"File");
        menu->Items()->Add(file);
        menuBar = new TbsSkinMainMenuBar(form);
        menuBar->SetParent(form);
        menuBar->SetMainMenu(menu);
        menuBar->SetSkinFrame(frame);
        Application->ProcessMessages();
    }
    void Paint() {
        TBitmap b(menuBar->Width(), menuBar->Height(), pf24bit);
        menuBar->PaintBar(b.Canvas());
    }
    void ClickButton(TbsStdCommand command) {
        for (auto& b : menuBar->MDIButtons)
            if (b->Command == command) {
                const int x = b->ObjectRect.left + b->ObjectRect.Width() / 2;
                const int y = b->ObjectRect.top + b->ObjectRect.Height() / 2;
                SendMessageW(menuBar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
                SendMessageW(menuBar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
                Application->ProcessMessages();
                return;
            }
        ADD_FAILURE() << "no button " << command;
    }
    TbsSkinMainMenuBar* menuBar = nullptr;
};

TEST_F(MenuBarMDITest, AMaximizedChildsButtonsComeAndGoOnTheBarAndActOnTheChild) {
    ASSERT_EQ(frame->MDIMenuBar, menuBar);
    TForm* a = NewChild(L"Alpha");
    TbsSkinFrame* af = FindSkinFormComponent(a);
    af->SetWindowState(wsMaximized);
    ASSERT_TRUE(menuBar->FMDIChildMax);
    std::vector<TbsStdCommand> commands;
    for (auto& b : menuBar->MDIButtons) commands.push_back(b->Command);
    EXPECT_EQ(commands, (std::vector<TbsStdCommand>{cmSysMenu, cmClose, cmMaximize, cmMinimize}));
    Paint();
    // Square buttons of the items' height: the system menu at the left end,
    // the others from the right end, 2 pixels apart; the items between.
    const int h = menuBar->Height() - 4, right = menuBar->Width() - 2;
    EXPECT_EQ(menuBar->MDIButtons[0]->ObjectRect, TRect(2, 2, 2 + h, 2 + h));
    EXPECT_EQ(menuBar->MDIButtons[1]->ObjectRect, TRect(right - h, 2, right, 2 + h));
    EXPECT_EQ(menuBar->MDIButtons[2]->ObjectRect.right, right - h - 2);
    EXPECT_EQ(menuBar->ObjectList[0]->ObjectRect.left, 2 + h + 2);

    ClickButton(cmMaximize);  // restores the child
    EXPECT_EQ(af->WindowState(), wsNormal);
    EXPECT_FALSE(menuBar->FMDIChildMax);
    EXPECT_TRUE(menuBar->MDIButtons.empty());
    Paint();
    EXPECT_EQ(menuBar->ObjectList[0]->ObjectRect.left, 2);

    af->SetWindowState(wsMaximized);
    bool closed = false;
    a->OnClose = [&closed](TObject*, TCloseAction& action) {
        closed = true;
        action = caHide;
    };
    Paint();
    ClickButton(cmClose);
    EXPECT_TRUE(closed);
}

std::vector<String> BarCaptions(TbsSkinMainMenuBar* bar) {
    std::vector<String> out;
    for (auto& o : bar->ObjectList) out.push_back(o->MenuItem->Caption());
    return out;
}

TMenuItem* AddItem(TMenu* menu, TMenuItem* parent, const String& caption, BYTE group) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    item->SetGroupIndex(group);
    parent->Add(item);
    return item;
}

TEST_F(MenuBarMDITest, TheActiveChildsMenuMergesByGroupAndItsShortcutsWork) {
    TMainMenu* mainMenu = menuBar->MainMenu();
    AddItem(mainMenu, mainMenu->Items(), L"Window", 9);
    menuBar->UpDateItems();
    int cuts = 0;
    TForm* a = NewChild(L"Alpha", [&cuts](TbsSkinFrame* f) {
        auto* m = new TMainMenu(f->FForm);
        TMenuItem* file = AddItem(m, m->Items(), L"ChildFile", 0);
        TMenuItem* cut = AddItem(m, file, L"Cut", 0);
        cut->SetShortCut(TextToShortCut(L"Ctrl+E"));
        cut->OnClick = [&cuts](TObject*) { ++cuts; };
        AddItem(m, m->Items(), L"Edit", 1);
    });
    // The child's activation rebuilds the bar: its group 0 replaces "File".
    SendMessageW(a->Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(BarCaptions(menuBar), (std::vector<String>{L"ChildFile", L"Edit", L"Window"}));
    // The child's shortcuts reach through the main form's frame.
    bool handled = false;
    frame->FormShortCut('E', ssCtrl, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(cuts, 1);

    // A merged menu takes the child's place until it is unmerged.
    auto* other = new TMainMenu(form);
    AddItem(other, other->Items(), L"Tools", 5);
    menuBar->Merge(other);
    EXPECT_EQ(BarCaptions(menuBar), (std::vector<String>{L"File", L"Tools", L"Window"}));
    menuBar->UnMerge();
    EXPECT_EQ(BarCaptions(menuBar), (std::vector<String>{L"ChildFile", L"Edit", L"Window"}));
    // A merged menu that is freed leaves the bar.
    menuBar->Merge(other);
    other->Free();
    EXPECT_EQ(BarCaptions(menuBar), (std::vector<String>{L"ChildFile", L"Edit", L"Window"}));
}

TEST_F(MenuBarMDITest, TheBarTellsOfThePointerEnteringAndLeavingIt) {
    std::vector<std::string> events;
    menuBar->OnMouseEnter = [&events, this](TObject* s) { events.push_back(s == menuBar ? "enter" : "?"); };
    menuBar->OnMouseLeave = [&events, this](TObject* s) { events.push_back(s == menuBar ? "leave" : "?"); };
    SendMessageW(menuBar->Handle(), CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(menuBar->MouseTimer->Enabled());
    SendMessageW(menuBar->Handle(), CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(menuBar->MouseTimer->Enabled());
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
    // Without a skin the default width sizes the bar.
    menuBar->SetAlign(alNone);
    menuBar->SetDefaultWidth(260);
    EXPECT_EQ(menuBar->Width(), 260);
}

TEST_F(MDIFrameTest, WindowMenuFollowsChildren) {
    auto* mainMenu = new TMainMenu(form);
    auto* window = new TMenuItem(mainMenu);
    window->SetCaption(L"Window");
    mainMenu->Items()->Add(window);
    form->SetMenu(mainMenu);
    form->SetWindowMenu(window);
    // Shown, a child gets its item (once, however often it is added).
    TForm* a = NewChild(L"Alpha");
    TbsSkinFrame* af = FindSkinFormComponent(a);
    af->AddChildToMenu(a);
    ASSERT_EQ(window->Count(), 1);
    EXPECT_EQ(window->Items(0)->Name(), String(L"Alpha_BSFCHILDITEM"));
    // Its caption follows the child's text.
    a->SetCaption(L"Renamed");
    EXPECT_EQ(window->Items(0)->Caption(), String(L"Renamed"));
    // The item brings a minimized child back.
    af->SetWindowState(wsMinimized);
    window->Items(0)->Click();
    EXPECT_EQ(af->WindowState(), wsNormal);
    EXPECT_TRUE(a->Visible());
    // Hidden, it leaves the menu; shown again, it is back.
    a->Hide();
    EXPECT_EQ(window->Count(), 0);
    a->Show();
    ASSERT_EQ(window->Count(), 1);
    children.clear();
    a->Free();
    Application->ProcessMessages();
    EXPECT_EQ(window->Count(), 0);
}

TEST_F(MDIFrameTest, RejectedChildGetsNoTab) {
    auto* tabs = new TbsSkinMDITabsBar(form);
    tabs->SetParent(form);
    tabs->SetAlign(alTop);
    frame->MDITabsBar = tabs;
    TForm* a = NewChild(L"Alpha");
    TForm* b = NewChild(L"Beta", [](TbsSkinFrame* f) { f->OnAcceptToMDITabsBar = [](bool& accept) { accept = false; }; });
    FindSkinFormComponent(a)->AddChildToBar(a);
    FindSkinFormComponent(b)->AddChildToBar(b);
    ASSERT_EQ(tabs->TabCount(), 1);
    EXPECT_EQ(tabs->Tabs(0)->Child, a);
    // The tab bar takes its height off the MDI work area.
    EXPECT_EQ(frame->GetMDIWorkArea().top, tabs->Height());
    // A hidden child leaves the bar; a destroyed one too.
    a->Hide();
    EXPECT_EQ(tabs->TabCount(), 0);
    a->Show();
    ASSERT_EQ(tabs->TabCount(), 1);
    children.erase(std::find(children.begin(), children.end(), a));
    a->Free();
    Application->ProcessMessages();
    EXPECT_EQ(tabs->TabCount(), 0);
}

// A right press on a tab opens the child's system menu in the main frame's
// skinned menu, unless the bar was told not to.
TEST_F(MDIFrameTest, ARightPressOnATabOpensItsChildsMenu) {
    auto* tabs = new TbsSkinMDITabsBar(form);
    tabs->SetParent(form);
    tabs->SetAlign(alTop);
    tabs->SetSkinFrame(frame);
    frame->MDITabsBar = tabs;
    TForm* a = NewChild(L"Alpha");
    FindSkinFormComponent(a)->AddChildToBar(a);
    ASSERT_EQ(tabs->TabCount(), 1);
    tabs->CalcTabRects();
    const TRect r = tabs->Tabs(0)->ObjectRect;
    const LPARAM at = MAKELPARAM(r.left + 5, r.top + r.Height() / 2);
    for (const bool menus : {true, false}) {
        tabs->SupportChildMenus = menus;
        SendMessageW(tabs->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
        SendMessageW(tabs->Handle(), WM_RBUTTONUP, 0, at);
        TbsSkinMenu* m = frame->SkinMenu;
        ASSERT_EQ(m->Visible(), menus) << menus;
        if (!menus) continue;
        ASSERT_FALSE(m->FPopupList.empty());
        const auto& entries = m->FPopupList[0]->ItemList;
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.back()->MenuItem->Name(), String(L"BSF_CLOSE"));
        m->Hide();
        Application->ProcessMessages();
    }
}

class TabsBarTest : public platform_test::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        tabs = new TbsSkinMDITabsBar(form);
        tabs->SetParent(form);
        tabs->SetBounds(0, 0, 415, 21);
    }
    void TearDown() override {
        for (TForm* c : kids) c->Free();
        ControlsTest::TearDown();
    }
    void AddTabs(int n) {
        for (int i = 0; i < n; ++i) {
            auto* c = new TForm(Application);
            c->SetCaption(L"tab" + std::to_wstring(i));
            c->OnClose = [this, i](TObject*, TCloseAction& action) {
                closed.push_back(i);
                action = caHide;
            };
            kids.push_back(c);
            tabs->AddTab(c);
        }
        tabs->CalcTabRects();
    }
    int TabOf(int index) const {
        for (size_t k = 0; k < kids.size(); ++k)
            if (tabs->Tabs(index)->Child == kids[k]) return static_cast<int>(k);
        return -1;
    }
    void Mouse(UINT msg, int x, int y) {
        SendMessageW(tabs->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    TbsSkinMDITabsBar* tabs = nullptr;
    std::vector<TForm*> kids;
    std::vector<int> closed;
};

TEST_F(TabsBarTest, TabWidthsFollowTheBarWidth) {
    AddTabs(4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs->Tabs(i)->ObjectRect, TRect(15 + 100 * i, 0, 115 + 100 * i, 21));
    AddTabs(1);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tabs->Tabs(i)->ObjectRect.left, 15 + 80 * i);
    EXPECT_EQ(tabs->Tabs(4)->ObjectRect.right, 415);
}

TEST_F(TabsBarTest, MinimumWidthHidesTabsWithoutRoom) {
    tabs->SetBounds(0, 0, 300, 21);
    tabs->MinTabWidth = 120;
    AddTabs(4);
    EXPECT_EQ(tabs->InVisibleCount(), 2);
    EXPECT_EQ(tabs->Tabs(0)->ObjectRect.left, 15);
    EXPECT_EQ(tabs->Tabs(1)->ObjectRect.left, 135);
    EXPECT_FALSE(tabs->Tabs(2)->Visible);
    EXPECT_EQ(tabs->GetTabIndex(200, 5), 1);
    EXPECT_EQ(tabs->GetTabIndex(280, 5), -1);
}

TEST_F(TabsBarTest, DraggingPastNeighboursMiddleReorders) {
    AddTabs(4);
    // Tab 0 spans 15..115; tab 1's middle is at 165.
    Mouse(WM_LBUTTONDOWN, 50, 10);
    Mouse(WM_MOUSEMOVE, 90, 10);  // right edge 155: before the middle
    EXPECT_TRUE(tabs->Dragging());
    Mouse(WM_LBUTTONUP, 90, 10);
    EXPECT_EQ(TabOf(0), 0);
    EXPECT_EQ(TabOf(1), 1);

    Mouse(WM_LBUTTONDOWN, 50, 10);
    Mouse(WM_MOUSEMOVE, 110, 10);  // right edge 175: past the middle
    Mouse(WM_LBUTTONUP, 110, 10);
    EXPECT_EQ(TabOf(0), 1);
    EXPECT_EQ(TabOf(1), 0);
    EXPECT_EQ(TabOf(2), 2);

    // Dragging the last tab left past the first's middle puts it first.
    Mouse(WM_LBUTTONDOWN, 350, 10);
    Mouse(WM_MOUSEMOVE, 80, 10);
    Mouse(WM_LBUTTONUP, 80, 10);
    EXPECT_EQ(TabOf(0), 3);
}

TEST_F(TabsBarTest, CloseButtonClosesOnReleaseOverItAndNeverDrags) {
    tabs->ShowCloseButtons = true;
    AddTabs(3);
    tabs->Repaint();  // places the close buttons
    TbsMDITab* t = tabs->Tabs(1);
    TRect b = t->ButtonRect;
    OffsetRect(&b, t->ObjectRect.left, t->ObjectRect.top);
    ASSERT_GT(b.Width(), 0);
    const int cx = b.left + b.Width() / 2, cy = b.top + b.Height() / 2;

    // Press on the button, release elsewhere: nothing closes, no drag.
    Mouse(WM_LBUTTONDOWN, cx, cy);
    Mouse(WM_MOUSEMOVE, cx + 150, cy);
    EXPECT_FALSE(tabs->Dragging());
    Mouse(WM_LBUTTONUP, cx + 150, cy);
    EXPECT_TRUE(closed.empty());
    EXPECT_EQ(TabOf(1), 1);
    EXPECT_FALSE(t->ButtonMouseDown);

    Mouse(WM_LBUTTONDOWN, cx, cy);
    Mouse(WM_LBUTTONUP, cx, cy);
    EXPECT_EQ(closed, (std::vector<int>{1}));
}

}  // namespace

namespace {

// Counts the pixels of colour c in rectangle r of a tab drawn on its own.
int CountInTab(TbsMDITab* t, const TRect& r, COLORREF c) {
    TBitmap b(t->ObjectRect.right, t->ObjectRect.bottom, pf24bit);
    t->Draw(b.Canvas());
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (GetPixel(b.Canvas()->Handle(), x, y) == c) ++n;
    return n;
}

TEST_F(TabsBarTest, AChildFreedWhileHoveredLeavesItsTabWithoutEvents) {
    AddTabs(3);
    std::vector<TbsMDITab*> left;
    tabs->OnTabMouseLeave = [&left](TbsMDITab* t) { left.push_back(t); };
    Mouse(WM_MOUSEMOVE, 150, 10);  // over the second tab
    ASSERT_TRUE(tabs->Tabs(1)->MouseIn);
    TForm* dying = kids[1];
    kids.erase(kids.begin() + 1);
    dying->Free();
    EXPECT_TRUE(left.empty());
    ASSERT_EQ(tabs->TabCount(), 2);
    // Hover tracking goes on with the tabs left.
    Mouse(WM_MOUSEMOVE, 50, 10);
    Mouse(WM_MOUSEMOVE, 300, 10);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0]->Child, kids[0]);
}

TEST_F(TabsBarTest, TabsWithoutRoomStayReachableThroughTheRightButton) {
    tabs->SetBounds(0, 0, 300, 21);
    tabs->MinTabWidth = 120;
    ASSERT_EQ(tabs->ListButton(), nullptr);
    AddTabs(4);
    for (size_t i = 0; i < kids.size(); ++i) kids[i]->SetName(L"kid" + std::to_wstring(i));
    ASSERT_NE(tabs->ListButton(), nullptr);
    EXPECT_EQ(tabs->ListButton()->Align(), alLeft);
    tabs->Repaint();
    ASSERT_NE(tabs->HideListButton(), nullptr);
    EXPECT_EQ(tabs->HideListButton()->Align(), alRight);
    EXPECT_EQ(tabs->HideListButton()->Left(), 300 - 15);
    tabs->FillHideListMenu();
    TMenuItem* hidden = tabs->HideListMenu()->Items();
    ASSERT_EQ(hidden->Count(), 2);
    EXPECT_EQ(hidden->Items(0)->Caption(), String(L"tab2"));
    EXPECT_EQ(hidden->Items(1)->Name(), String(L"kid3_BSFCHILDITEMBARHIDE"));
    // The left button lists every child, the active one checked.
    tabs->Tabs(3)->Active = true;
    tabs->FillListMenu();
    TMenuItem* all = tabs->ListMenu()->Items();
    ASSERT_EQ(all->Count(), 4);
    EXPECT_TRUE(all->Items(3)->Checked());
    EXPECT_FALSE(all->Items(0)->Checked());
    // With room for all, the right button goes; without tabs, the left one.
    tabs->SetBounds(0, 0, 600, 21);
    tabs->Repaint();
    EXPECT_EQ(tabs->HideListButton(), nullptr);
    for (TForm* k : kids) tabs->DeleteTab(k);
    EXPECT_EQ(tabs->ListButton(), nullptr);
}

TEST_F(TabsBarTest, TheCloseButtonLightsUnderThePointer) {
    tabs->ShowCloseButtons = true;
    AddTabs(2);
    tabs->Repaint();
    TbsMDITab* t = tabs->Tabs(0);
    TRect b = t->ButtonRect;
    OffsetRect(&b, t->ObjectRect.left, t->ObjectRect.top);
    ASSERT_GT(b.Width(), 0);
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    EXPECT_EQ(CountInTab(t, b, white), 0);
    Mouse(WM_MOUSEMOVE, b.left + b.Width() / 2, b.top + b.Height() / 2);
    EXPECT_TRUE(t->ButtonMouseIn);
    EXPECT_GT(CountInTab(t, b, white), 0);
    // Elsewhere on the tab the cross is dark again.
    Mouse(WM_MOUSEMOVE, t->ObjectRect.left + 5, 10);
    EXPECT_FALSE(t->ButtonMouseIn);
    EXPECT_EQ(CountInTab(t, b, white), 0);
    EXPECT_GT(CountInTab(t, b, black), 0);
}

TEST_F(TabsBarTest, TheDrawParamsEventSetsTheCaptionFont) {
    AddTabs(1);
    tabs->CalcTabRects();
    TbsMDITab* t = tabs->Tabs(0);
    const COLORREF red = RGB(255, 0, 0);
    EXPECT_EQ(CountInTab(t, t->ObjectRect, red), 0);
    std::vector<TbsMDITab*> asked;
    tabs->OnTabGetDrawParamsEvent = [&asked](TbsMDITab* tab, TCanvas* c) {
        asked.push_back(tab);
        c->Font()->SetColor(clRed);
    };
    EXPECT_GT(CountInTab(t, t->ObjectRect, red), 0);
    EXPECT_EQ(asked, (std::vector<TbsMDITab*>{t}));
}

}  // namespace
