// MDI forms (a frame with child forms in its client window) and forms that
// scroll their controls.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "tests/platform/ControlsFixture.h"

namespace {

using platform_test::ControlsTest;

TRect ScreenRect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

class MDIFormTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        form->SetFormStyle(fsMDIForm);
        Application->ProcessMessages();
    }
    TForm* NewChild(const String& caption) {
        auto* child = new TForm(Application);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(0, 0, 200, 150);
        child->Show();
        Application->ProcessMessages();
        return child;
    }
};

TEST_F(MDIFormTest, ClientWindowFillsWhatTheAlignedControlsLeave) {
    const HWND client = form->ClientHandle();
    ASSERT_NE(client, nullptr);
    wchar_t cls[32] = {};
    GetClassNameW(client, cls, 32);
    EXPECT_EQ(_wcsicmp(cls, L"MDIClient"), 0) << cls;
    EXPECT_EQ(GetParent(client), form->Handle());
    auto* bar = new TPanel(form);
    bar->SetParent(form);
    bar->SetHeight(30);
    bar->SetAlign(alTop);
    Application->ProcessMessages();
    const TRect c = ScreenRect(client);
    const TPoint origin = form->ClientOrigin();
    EXPECT_EQ(c.top, origin.y + 30);
    EXPECT_EQ(c.bottom, origin.y + form->ClientHeight());
    EXPECT_EQ(c.Width(), form->ClientWidth());
    // A new size of the form is followed.
    form->SetBounds(form->Left(), form->Top(), form->Width() - 100, form->Height() - 60);
    Application->ProcessMessages();
    EXPECT_EQ(ScreenRect(client).Width(), form->ClientWidth());
    EXPECT_EQ(ScreenRect(client).Height(), form->ClientHeight() - 30);
}

TEST_F(MDIFormTest, ChildrenLiveInTheClientAndAreListedActiveFirst) {
    EXPECT_EQ(form->MDIChildCount(), 0);
    EXPECT_EQ(form->ActiveMDIChild(), nullptr);
    TForm* a = NewChild(L"A");
    TForm* b = NewChild(L"B");
    EXPECT_EQ(GetParent(a->Handle()), form->ClientHandle());
    EXPECT_TRUE(GetWindowLongW(b->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    ASSERT_EQ(form->MDIChildCount(), 2);
    EXPECT_EQ(form->ActiveMDIChild(), b);
    EXPECT_EQ(form->MDIChildren(0), b);
    EXPECT_EQ(form->MDIChildren(1), a);
    EXPECT_THROW(form->MDIChildren(2), EListError);
    form->Next();
    Application->ProcessMessages();
    EXPECT_EQ(form->ActiveMDIChild(), a);
    b->Free();
    Application->ProcessMessages();
    EXPECT_EQ(form->MDIChildCount(), 1);
    EXPECT_EQ(form->MDIChildren(0), a);
    a->Free();
    EXPECT_EQ(form->MDIChildCount(), 0);
}

TEST_F(MDIFormTest, TileAndCascadeArrangeTheChildren) {
    TForm* a = NewChild(L"A");
    TForm* b = NewChild(L"B");
    RECT area;
    GetClientRect(form->ClientHandle(), &area);
    const auto inClient = [&](TForm* f) {
        TRect r = ScreenRect(f->Handle());
        POINT p{r.left, r.top};
        ScreenToClient(form->ClientHandle(), &p);
        return Bounds(p.x, p.y, r.Width(), r.Height());
    };
    form->TileMode = tbVertical;
    form->Tile();
    // Side by side, together as wide as the client area (less the rest of
    // an even split).
    TRect ra = inClient(a), rb = inClient(b);
    EXPECT_EQ(ra.Height(), area.bottom);
    EXPECT_EQ(rb.Height(), area.bottom);
    EXPECT_NEAR(ra.Width() + rb.Width(), area.right, 1);
    EXPECT_NE(ra.left, rb.left);
    form->TileMode = tbHorizontal;
    form->Tile();
    ra = inClient(a), rb = inClient(b);
    EXPECT_EQ(ra.Width(), area.right);
    EXPECT_NEAR(ra.Height() + rb.Height(), area.bottom, 1);
    form->Cascade();
    ra = inClient(a), rb = inClient(b);
    // One below and right of the other, both the same size.
    EXPECT_TRUE(ra.left != rb.left || ra.top != rb.top);
    EXPECT_EQ(ra.left < rb.left, ra.top < rb.top);
    EXPECT_EQ(ra.Width(), rb.Width());
    form->ArrangeIcons();
}

TEST_F(MDIFormTest, WindowMenuListsTheChildren) {
    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption(L"&File");
    menu->Items()->Add(file);
    auto* window = new TMenuItem(form);
    window->SetCaption(L"&Window");
    menu->Items()->Add(window);
    auto* tile = new TMenuItem(form);
    tile->SetCaption(L"&Tile");
    window->Add(tile);
    form->SetMenu(menu);
    form->SetWindowMenu(window);
    const auto windowEntries = [&] { return GetMenuItemCount(GetSubMenu(GetMenu(form->Handle()), 1)); };
    const int before = windowEntries();
    EXPECT_EQ(before, 1);
    NewChild(L"first");
    NewChild(L"second");
    // A line and one entry per child.
    EXPECT_EQ(windowEntries(), before + 3);
    // Rebuilding the bar keeps the list on the new window menu.
    auto* cascade = new TMenuItem(form);
    cascade->SetCaption(L"&Cascade");
    window->Add(cascade);
    Application->ProcessMessages();
    EXPECT_EQ(windowEntries(), before + 1 + 3);
}

TEST_F(ControlsTest, MDIChildNeedsAnMDIMainForm) {
    auto* child = new TForm(Application);
    child->SetFormStyle(fsMDIChild);
    EXPECT_THROW(child->Show(), EInvalidOperation);
    child->Free();
}

// ---- scrolling ----------------------------------------------------------------------------

TEST_F(ControlsTest, AutoScrollShowsBarsForControlsBeyondTheClientAreaAndScrollsThem) {
    form->SetBorderStyle(bsNone);
    form->SetBounds(50, 50, 300, 200);
    auto* outside = new TPanel(form);
    outside->SetParent(form);
    outside->SetBounds(250, 260, 100, 40);  // reaches 350 x 300
    auto* filler = new TPanel(form);
    filler->SetParent(form);
    filler->SetAlign(alClient);  // aligned controls do not count
    Application->ProcessMessages();
    const auto barsShown = [&] {
        const LONG style = GetWindowLongW(form->Handle(), GWL_STYLE);
        return std::make_pair((style & WS_HSCROLL) != 0, (style & WS_VSCROLL) != 0);
    };
    EXPECT_EQ(barsShown(), std::make_pair(false, false));
    form->SetAutoScroll(true);
    EXPECT_EQ(barsShown(), std::make_pair(true, true));
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(form->Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nMax, 299);
    EXPECT_EQ(static_cast<int>(si.nPage), form->ClientHeight());

    SendMessageW(form->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 60), 0);
    EXPECT_EQ(outside->Top(), 200);
    EXPECT_EQ(form->ScrollPosition().y, 60);
    SendMessageW(form->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(outside->Top() + outside->Height(), form->ClientHeight());  // the last row shows
    SendMessageW(form->Handle(), WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(outside->Left(), 250 - form->ScrollPosition().x);
    EXPECT_GT(form->ScrollPosition().x, 0);
    EXPECT_EQ(filler->BoundsRect(), form->ClientRect());

    // Brought inside, nothing is left to scroll and the controls are back.
    SendMessageW(form->Handle(), WM_VSCROLL, SB_TOP, 0);
    SendMessageW(form->Handle(), WM_HSCROLL, SB_TOP, 0);
    outside->SetBounds(10, 10, 50, 20);
    Application->ProcessMessages();
    EXPECT_EQ(barsShown(), std::make_pair(false, false));
    EXPECT_EQ(outside->BoundsRect(), TRect(10, 10, 60, 30));
    EXPECT_EQ(form->ScrollPosition(), TPoint(0, 0));
}

}  // namespace
