// The skinned page control: switching pages by click and by code, the
// skinned tab scroller of an overflowing strip, closing pages through the
// tab's close button, and the faces of tabs on all four sides.
#include "ControlsSkin.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "skin/controls/bsSkinCtrlsPages.h"

using namespace controlstest;

namespace {

class PageControlTest : public ControlsTest {
protected:
    TbsSkinPageControl* NewPages(int count, int width = 400, const wchar_t* caption = L"Page") {
        pc = new TbsSkinPageControl(form);
        pc->SetParent(form);
        pc->SetBounds(10, 10, width, 200);
        pc->HandleNeeded();
        for (int i = 0; i < count; ++i) {
            auto* s = new TbsSkinTabSheet(form);
            s->SetPageControl(pc);
            s->SetCaption(String(caption) + L" " + std::to_wstring(i));
            sheets.push_back(s);
        }
        pc->SetActivePage(sheets[0]);
        Application->ProcessMessages();
        return pc;
    }
    void Click(int x, int y) {
        SendMessageW(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(pc->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Application->ProcessMessages();
    }
    void ClickTab(int tab) {
        const TRect r = pc->GetItemRect(tab);
        Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    TbsSkinPageControl* pc = nullptr;
    std::vector<TbsSkinTabSheet*> sheets;
};

TEST_F(PageControlTest, AClickOnATabAndAChangeByCodeSwitchPages) {
    NewPages(3);
    std::vector<std::string> events;
    pc->OnChanging = [&](TObject*, bool& allow) {
        events.push_back("changing " + std::to_string(pc->TabIndex()));
        allow = true;
    };
    pc->OnChange = [&](TObject*) { events.push_back("change " + std::to_string(pc->TabIndex())); };

    ClickTab(1);
    EXPECT_EQ(pc->ActivePage(), sheets[1]);
    EXPECT_TRUE(sheets[1]->Visible());
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "change 1"}));

    // OnChanging may refuse.
    events.clear();
    pc->OnChanging = [&](TObject*, bool& allow) {
        events.push_back("refused");
        allow = false;
    };
    ClickTab(2);
    EXPECT_EQ(pc->ActivePage(), sheets[1]);
    EXPECT_EQ(events, std::vector<std::string>{"refused"});

    // By code: the page switches, the user's events stay quiet.
    events.clear();
    pc->SetTabIndex(2);
    Application->ProcessMessages();
    EXPECT_EQ(pc->ActivePage(), sheets[2]);
    EXPECT_TRUE(sheets[2]->Visible());
    EXPECT_FALSE(sheets[1]->Visible());
    EXPECT_EQ(SendMessageW(pc->Handle(), TCM_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(events.empty());
}

TEST_F(PageControlTest, AnOverflowingStripShowsTheSkinnedScrollerAndScrolls) {
    NewPages(12, 300, L"A longer caption");
    TbsSkinUpDown* scroller = pc->TabScroller();
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(FindWindowExW(pc->Handle(), nullptr, UPDOWN_CLASSW, nullptr), nullptr);
    EXPECT_TRUE(scroller->Visible());
    EXPECT_EQ(scroller->Left(), pc->Width() - scroller->Width());
    EXPECT_EQ(scroller->Top(), 0);
    EXPECT_GT(scroller->Max(), 0);
    EXPECT_EQ(pc->GetLeftHiddenTabs(), 0);

    scroller->SetPosition(2);
    Application->ProcessMessages();
    EXPECT_EQ(pc->GetLeftHiddenTabs(), 2);
    EXPECT_LE(pc->GetItemRect(1).right, 0);
    EXPECT_GT(pc->GetItemRect(2).right, 0);

    // The scroller's right button steps one tab on.
    const TRect up = scroller->ButtonRect(0);
    const LPARAM at = MAKELPARAM((up.left + up.right) / 2, (up.top + up.bottom) / 2);
    SendMessageW(scroller->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(scroller->Handle(), WM_LBUTTONUP, 0, at);
    Application->ProcessMessages();
    EXPECT_EQ(scroller->Position(), 3);
    EXPECT_EQ(pc->GetLeftHiddenTabs(), 3);

    // Wide enough for every tab: the scroller goes.
    pc->SetWidth(1900);
    Application->ProcessMessages();
    EXPECT_EQ(pc->TabScroller(), nullptr);
}

TEST_F(PageControlTest, ACloseClickHidesThePageOnlyWhenOnCloseAllows) {
    NewPages(3);
    pc->SetShowCloseButtons(true);
    pc->Repaint();
    Application->ProcessMessages();
    bool allow = false;
    int asked = 0, after = 0;
    pc->OnClose = [&](TObject* sender, bool& canClose) {
        EXPECT_EQ(sender, sheets[0]);
        ++asked;
        canClose = allow;
    };
    pc->OnAfterClose = [&](TObject*) { ++after; };
    const auto closeBox = [&] {
        TRect b = sheets[0]->ButtonRect;
        const TRect r = pc->GetItemRect(0);
        OffsetRect(&b, r.left, r.top);
        return b;
    };
    TRect b = closeBox();
    ASSERT_FALSE(IsNullRect(b));
    // The box lies at the tab's right end, inside the tab.
    const TRect tab = pc->GetItemRect(0);
    EXPECT_GE(b.left, tab.left + tab.Width() / 2);
    EXPECT_LE(b.right, tab.right);

    Click((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(after, 0);
    EXPECT_TRUE(sheets[0]->TabVisible);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);

    // A click on the tab beside the box closes nothing.
    Click(tab.left + 4, (tab.top + tab.bottom) / 2);
    EXPECT_EQ(asked, 1);

    allow = true;
    pc->Repaint();
    Application->ProcessMessages();
    b = closeBox();
    Click((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(after, 1);
    EXPECT_FALSE(sheets[0]->TabVisible);
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_EQ(pc->ActivePage(), sheets[1]);
    EXPECT_EQ(SendMessageW(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
}

// The plain faces on every side: the selected tab in the active fill with
// a navy frame, the others in the button face; the display area framed.
TEST_F(PageControlTest, TabsOnEverySideShowTheirFaces) {
    const TTabPosition sides[] = {tpTop, tpBottom, tpLeft, tpRight};
    for (TTabPosition side : sides) {
        NewPages(3);
        pc->SetTabPosition(side);
        pc->SetTabIndex(1);
        Application->ProcessMessages();
        TBitmap b;
        PaintControl(pc, b);
        const TRect sel = pc->GetItemRect(1), other = pc->GetItemRect(2);
        ASSERT_FALSE(IsNullRect(sel)) << side;
        EXPECT_EQ(PixelAt(b, sel.left + 3, sel.top + 3), ColorToRGB(bsPlainHotFill)) << side;
        EXPECT_EQ(PixelAt(b, sel.left, sel.top + 3), ColorToRGB(bsPlainHotFrame)) << side;
        EXPECT_EQ(PixelAt(b, other.left + 3, other.top + 3), ColorToRGB(clBtnFace)) << side;
        TRect d = pc->DisplayRect();
        InflateRect(&d, 1, 1);
        EXPECT_EQ(PixelAt(b, (d.left + d.right) / 2, d.bottom - 1), ColorToRGB(clBtnShadow)) << side;
        pc->Free();
        sheets.clear();
        Application->ProcessMessages();
    }
}

// The tab record of the skinned strip tests: frame, tab and active tab parts.
std::unique_ptr<TbsDataSkinTabControl> GoodTabRecord() {
    auto rec = std::make_unique<TbsDataSkinTabControl>(L"tab");
    rec->PictureIndex = 0;
    rec->SkinRect = StateRect(4);
    rec->ClRect = TRect(6, 5, 24, 15);
    rec->LTPoint = TPoint(6, 5);
    rec->RTPoint = TPoint(24, 5);
    rec->LBPoint = TPoint(6, 15);
    rec->RBPoint = TPoint(24, 15);
    rec->TabRect = StateRect(0);
    rec->ActiveTabRect = StateRect(2);
    rec->TabLeftOffset = 6;
    rec->TabRightOffset = 6;
    return rec;
}

// A skinned strip: tab faces from the fixture's state images, the selected
// tab in the active part; a store that goes gives the plain look back.
TEST_F(PageControlTest, SkinnedTabsUseTheRecordsParts) {
    auto store = MakeControlsSkin(0);
    auto rec = GoodTabRecord();
    rec->MouseInTabRect = StateRect(1);
    store->CtrlList.push_back(std::move(rec));
    NewPages(3);
    pc->SetSkinData(store.get());
    pc->SetTabIndex(1);
    Application->ProcessMessages();
    ASSERT_TRUE(pc->Skinned());
    TBitmap b;
    PaintControl(pc, b);
    const TRect sel = pc->GetItemRect(1), other = pc->GetItemRect(2);
    EXPECT_EQ(sel.Height(), kCellH);
    EXPECT_EQ(PixelAt(b, sel.left + 1, sel.top + 1), ZoneColor(0, 2, 0));
    EXPECT_EQ(PixelAt(b, other.left + 1, other.top + 1), ZoneColor(0, 0, 0));
    // The page border: the corner of the frame part.
    TRect d = pc->DisplayRect();
    // Its bottom-left corner zone is 6 x 5 pixels.
    EXPECT_EQ(d.bottom + 5, pc->Height());
    EXPECT_EQ(PixelAt(b, d.left - 6 + 1, d.bottom + 5 - 2), ZoneColor(0, 4, 0));

    store.reset();
    EXPECT_EQ(pc->SkinData(), nullptr);
    pc->ChangeSkinData();
    PaintControl(pc, b);
    const TRect plain = pc->GetItemRect(1);
    EXPECT_EQ(PixelAt(b, plain.left + 3, plain.top + 3), ColorToRGB(bsPlainHotFill));
}


// A "tab" record of another kind, one whose picture index names no
// picture, or one without a tab part: the plain look, also when the skin
// before had a good record and has gone since.
TEST_F(PageControlTest, UnusableTabRecordsGiveThePlainLook) {
    const struct Case {
        const char* what;
        std::function<std::unique_ptr<TbsDataSkinControl>()> record;
    } cases[] = {
        {"another kind", [] { return std::make_unique<TbsDataSkinPanelControl>(L"tab"); }},
        {"no picture",
         [] {
             auto r = GoodTabRecord();
             r->PictureIndex = 7;
             return r;
         }},
        {"no tab part",
         [] {
             auto r = GoodTabRecord();
             r->TabRect = TRect();
             return r;
         }},
    };
    for (const Case& c : cases) {
        auto good = MakeControlsSkin(0);
        good->CtrlList.push_back(GoodTabRecord());
        auto bad = MakeControlsSkin(1);
        bad->CtrlList.push_back(c.record());
        NewPages(3);
        pc->SetSkinData(good.get());
        ASSERT_TRUE(pc->Skinned()) << c.what;
        pc->SetSkinData(bad.get());
        good.reset();
        pc->SetTabIndex(1);
        Application->ProcessMessages();
        EXPECT_FALSE(pc->Skinned()) << c.what;
        TBitmap b;
        PaintControl(pc, b);
        const TRect sel = pc->GetItemRect(1);
        EXPECT_EQ(PixelAt(b, sel.left + 3, sel.top + 3), ColorToRGB(bsPlainHotFill)) << c.what;
        pc->Free();
        sheets.clear();
        Application->ProcessMessages();
    }
}

// A background with nothing to repeat (an empty client part, or a
// background picture of no size) is filled plainly, never tiled.
TEST_F(PageControlTest, ABackgroundWithoutATileIsFilledPlainly) {
    auto store = MakeControlsSkin(0);
    store->FActivePicturesNames->Add(L"empty.bmp");
    store->FActivePictures.push_back(std::make_unique<TBitmap>());
    const int emptyPicture = static_cast<int>(store->FActivePictures.size()) - 1;
    const struct Case {
        const char* what;
        bool emptyClient;
        int background;
    } cases[] = {{"empty client part", true, -1}, {"background picture of no size", false, emptyPicture}};
    for (const Case& c : cases) {
        auto rec = GoodTabRecord();
        if (c.emptyClient) rec->ClRect = TRect();
        rec->BGPictureIndex = c.background;
        store->CtrlList.push_back(std::move(rec));
        NewPages(2);
        pc->SetSkinData(store.get());
        ASSERT_TRUE(pc->Skinned()) << c.what;
        TbsSkinTabSheet* sheet = sheets[0];
        TBitmap b;
        b.SetPixelFormat(pf24bit);
        b.SetSize(sheet->Width(), sheet->Height());
        b.Canvas()->Brush()->SetColor(clFuchsia);
        b.Canvas()->FillRect(TRect(0, 0, b.Width(), b.Height()));
        sheet->PaintBG(b.Canvas()->Handle());
        EXPECT_EQ(PixelAt(b, b.Width() / 2, b.Height() / 2), ColorToRGB(clBtnFace)) << c.what;
        pc->Free();
        sheets.clear();
        store->CtrlList.pop_back();
        Application->ProcessMessages();
    }
}

// HideTabs takes the strip away (left and right tabs go to the top, one
// row, tab height 1) and ShowTabs brings back what was there; a second
// HideTabs must not lose the saved state.
TEST_F(PageControlTest, HideTabsAndShowTabsRestoreTheStrip) {
    const struct Case {
        TTabPosition side;
        bool multiLine;
        int tabHeight;
    } cases[] = {{tpTop, false, 0}, {tpLeft, true, 24}, {tpBottom, false, 30}};
    for (const Case& c : cases) {
        NewPages(3);
        pc->SetTabPosition(c.side);
        pc->SetMultiLine(c.multiLine);
        pc->SetTabHeight(c.tabHeight);
        pc->UpDateTabs();  // as a form's control gets its tab height
        pc->SetTabIndex(1);
        Application->ProcessMessages();
        const TRect shownDisplay = pc->DisplayRect();
        const TRect shownTab = pc->GetItemRect(1);

        pc->HideTabs();
        pc->HideTabs();  // already hidden: nothing more
        Application->ProcessMessages();
        EXPECT_TRUE(pc->TabsHidden()) << c.side;
        EXPECT_EQ(pc->TabPosition(), c.side == tpBottom ? tpBottom : tpTop) << c.side;
        EXPECT_FALSE(pc->MultiLine()) << c.side;
        EXPECT_EQ(pc->TabHeight(), 1) << c.side;
        // The page takes the strip's room, and no tab face is drawn.
        const TRect hidden = pc->DisplayRect();
        EXPECT_GT(hidden.Width() * hidden.Height(), shownDisplay.Width() * shownDisplay.Height()) << c.side;
        if (c.side == tpTop) {
            TBitmap b;
            PaintControl(pc, b);
            EXPECT_NE(PixelAt(b, shownTab.left + 3, shownTab.top + 3), ColorToRGB(bsPlainHotFill));
        }
        // The mouse over where a tab was finds no hot tab.
        SendMessageW(pc->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(shownTab.left + 3, shownTab.top + 3));
        EXPECT_EQ(pc->HotTab(), -1) << c.side;

        pc->ShowTabs();
        Application->ProcessMessages();
        EXPECT_FALSE(pc->TabsHidden()) << c.side;
        EXPECT_EQ(pc->TabPosition(), c.side) << c.side;
        EXPECT_EQ(pc->MultiLine(), c.multiLine) << c.side;
        EXPECT_EQ(pc->TabHeight(), c.tabHeight) << c.side;
        EXPECT_EQ(pc->DisplayRect(), shownDisplay) << c.side;
        EXPECT_EQ(pc->GetItemRect(1), shownTab) << c.side;
        ClickTab(2);
        EXPECT_EQ(pc->ActivePage(), sheets[2]) << c.side;
        // Shown already: nothing changes.
        pc->ShowTabs();
        EXPECT_EQ(pc->DisplayRect(), shownDisplay) << c.side;
        pc->Free();
        sheets.clear();
        Application->ProcessMessages();
    }
}

TEST_F(PageControlTest, HiddenTabsTakeTheScrollerAlongAndShowItAgain) {
    NewPages(12, 300, L"A longer caption");
    ASSERT_NE(pc->TabScroller(), nullptr);
    pc->HideTabs();
    EXPECT_EQ(pc->TabScroller(), nullptr);
    pc->ShowTabs();
    ASSERT_NE(pc->TabScroller(), nullptr);
    EXPECT_TRUE(pc->TabScroller()->Visible());
}

// A store with the strip's tab record naming an up/down record whose face
// is the fixture's normal image; its up button (the right half) lights up
// from the hot image and goes down into the pressed image.
std::unique_ptr<TbsSkinData> ScrollerSkin() {
    auto store = MakeControlsSkin(0);
    auto tab = GoodTabRecord();
    tab->UpDown = L"tabupdown";
    store->CtrlList.push_back(std::move(tab));
    auto ud = std::make_unique<TbsDataSkinUpDownControl>(L"tabupdown");
    ud->PictureIndex = 0;
    ud->SkinRect = StateRect(0);
    ud->UpButtonRect = TRect(15, 0, 30, 20);
    ud->DownButtonRect = TRect(0, 0, 15, 20);
    ud->ActiveUpButtonRect = Bounds(kCellW + 15, 0, 15, 20);
    ud->DownUpButtonRect = Bounds(2 * kCellW + 15, 0, 15, 20);
    store->CtrlList.push_back(std::move(ud));
    return store;
}

TEST_F(PageControlTest, TheTabScrollerIsDrawnFromTheSkinsUpDownRecord) {
    auto store = ScrollerSkin();
    NewPages(12, 300, L"A longer caption");
    pc->SetSkinData(store.get());
    Application->ProcessMessages();
    TbsSkinUpDown* scroller = pc->TabScroller();
    ASSERT_NE(scroller, nullptr);
    // The skin's size, at the right end of the strip.
    EXPECT_EQ(scroller->Width(), kCellW);
    EXPECT_EQ(scroller->Height(), kCellH);
    EXPECT_EQ(scroller->Left(), pc->Width() - kCellW);
    TBitmap idle;
    PaintControl(scroller, idle);
    EXPECT_EQ(PixelAt(idle, 1, 1), ZoneColor(0, 0, 0));
    EXPECT_EQ(PixelAt(idle, 28, 1), ZoneColor(0, 0, 0));
    EXPECT_EQ(PixelAt(idle, 20, 10), ZoneColor(0, 0, 2));
    // Pointer over the up button: its half from the hot image.
    SendMessageW(scroller->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(22, 10));
    TBitmap hot;
    PaintControl(scroller, hot);
    EXPECT_EQ(PixelAt(hot, 28, 1), ZoneColor(0, 1, 0));
    EXPECT_EQ(PixelAt(hot, 20, 10), ZoneColor(0, 1, 2));
    EXPECT_EQ(PixelAt(hot, 1, 1), ZoneColor(0, 0, 0));
    // Pressed: from the pressed image.
    SendMessageW(scroller->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(22, 10));
    TBitmap down;
    PaintControl(scroller, down);
    EXPECT_EQ(PixelAt(down, 28, 1), ZoneColor(0, 2, 0));
    EXPECT_EQ(PixelAt(down, 20, 10), ZoneColor(0, 2, 2));
    SendMessageW(scroller->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(22, 10));
    pc->SetSkinData(nullptr);
}

// Holding the scroller's right arrow walks the strip on: the first step
// after 600 ms, then one every 100 ms, one more on release.
TEST_F(PageControlTest, AHeldScrollerArrowKeepsScrollingTheStrip) {
    platform::ScopedManualClock clock;
    NewPages(12, 300, L"A longer caption");
    TbsSkinUpDown* scroller = pc->TabScroller();
    ASSERT_NE(scroller, nullptr);
    ASSERT_GE(scroller->Max(), 4);
    const TRect up = scroller->ButtonRect(0);
    const LPARAM at = MAKELPARAM((up.left + up.right) / 2, (up.top + up.bottom) / 2);
    // From the start of the strip.
    scroller->SetPosition(0);
    Application->ProcessMessages();
    ASSERT_EQ(pc->GetLeftHiddenTabs(), 0);
    SendMessageW(scroller->Handle(), WM_MOUSEMOVE, 0, at);
    SendMessageW(scroller->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    const struct {
        DWORD advance;
        int hidden;
    } steps[] = {{599, 0}, {1, 1}, {99, 1}, {1, 2}, {100, 3}};
    for (const auto& st : steps) {
        clock.Advance(st.advance);
        Application->ProcessMessages();
        EXPECT_EQ(scroller->Position(), st.hidden);
        EXPECT_EQ(pc->GetLeftHiddenTabs(), st.hidden);
    }
    SendMessageW(scroller->Handle(), WM_LBUTTONUP, 0, at);
    Application->ProcessMessages();
    EXPECT_EQ(pc->GetLeftHiddenTabs(), 4);
    EXPECT_FALSE(clock.HasTimer(scroller->Handle(), 1));
}

// A fresh scroller stands at the strip's first tab: one step on the right
// arrow hides exactly one tab, and the left arrow then brings it back.
TEST_F(PageControlTest, TheScrollerStartsAtTheFirstTab) {
    NewPages(12, 300, L"A longer caption");
    TbsSkinUpDown* scroller = pc->TabScroller();
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(scroller->Position(), 0);
    const auto press = [&](int button) {
        const TRect r = scroller->ButtonRect(button);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(scroller->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(scroller->Handle(), WM_LBUTTONUP, 0, at);
        Application->ProcessMessages();
    };
    press(0);
    EXPECT_EQ(scroller->Position(), 1);
    EXPECT_EQ(pc->GetLeftHiddenTabs(), 1);
    press(1);
    EXPECT_EQ(scroller->Position(), 0);
    EXPECT_EQ(pc->GetLeftHiddenTabs(), 0);
}

// With the record's ShowFocus the selected tab of a focused page control
// carries a dotted rectangle in the focus font colour, FocusOffsetX and
// FocusOffsetY inside its edges; not without the focus or without
// ShowFocus.
TEST_F(PageControlTest, ShowFocusOutlinesTheSelectedTabOfAFocusedControl) {
    const COLORREF focusInk = RGB(250, 10, 130);
    struct Case {
        const char* name;
        bool showFocus, focused;
    };
    const Case cases[] = {{"focused", true, true}, {"not focused", true, false}, {"no ShowFocus", false, true}};
    for (const Case& c : cases) {
        auto store = MakeControlsSkin(0);
        auto rec = GoodTabRecord();
        rec->ShowFocus = c.showFocus;
        rec->FocusOffsetX = 3;
        rec->FocusOffsetY = 4;
        rec->FocusFontColor = static_cast<TColor>(focusInk);
        rec->ActiveFontColor = clBlack;
        store->CtrlList.push_back(std::move(rec));
        NewPages(2);
        pc->SetSkinData(store.get());
        if (c.focused) pc->SetFocus();
        else form->SetFocus();
        Application->ProcessMessages();
        ASSERT_EQ(pc->Focused(), c.focused) << c.name;
        TBitmap b;
        PaintControl(pc, b);
        const TRect sel = pc->GetItemRect(0);
        // The left side of the outline: every other pixel of its column.
        int inkLeft = 0, inkOutside = 0;
        for (int y = sel.top + 4; y < sel.bottom - 4; ++y) {
            if (PixelAt(b, sel.left + 3, y) == focusInk) ++inkLeft;
            if (PixelAt(b, sel.left + 2, y) == focusInk) ++inkOutside;
        }
        const int span = sel.Height() - 8;
        if (c.showFocus && c.focused) {
            EXPECT_GE(inkLeft, span / 2 - 1) << c.name;
            EXPECT_LE(inkLeft, span / 2 + 1) << c.name;
        } else {
            EXPECT_EQ(inkLeft, 0) << c.name;
        }
        EXPECT_EQ(inkOutside, 0) << c.name;
        form->SetFocus();
        pc->SetSkinData(nullptr);
        pc->Free();
        sheets.clear();
        Application->ProcessMessages();
    }
}

// A skin without its own close button: the close boxes are small tool
// buttons of the skin's "resizetoolbutton" record with a cross in its
// font colour.
TEST_F(PageControlTest, CloseButtonsFallBackToTheSkinsToolButton) {
    auto store = MakeControlsSkin(0);
    store->CtrlList.push_back(GoodTabRecord());
    auto tool = std::make_unique<TbsDataSkinButtonControl>(L"resizetoolbutton");
    tool->PictureIndex = 0;
    tool->SkinRect = StateRect(0);
    tool->ActiveSkinRect = StateRect(1);
    tool->LTPoint = TPoint(6, 5);
    tool->RTPoint = TPoint(24, 5);
    tool->LBPoint = TPoint(6, 15);
    tool->RBPoint = TPoint(24, 15);
    tool->ClRect = TRect(6, 5, 24, 15);
    tool->FontColor = static_cast<TColor>(RGB(250, 250, 250));
    tool->ActiveFontColor = static_cast<TColor>(RGB(5, 5, 5));
    store->CtrlList.push_back(std::move(tool));
    NewPages(3);
    pc->SetSkinData(store.get());
    pc->SetShowCloseButtons(true);
    Application->ProcessMessages();
    TBitmap b;
    PaintControl(pc, b);
    const TRect tab = pc->GetItemRect(2);
    TRect box = sheets[2]->ButtonRect;
    OffsetRect(&box, tab.left, tab.top);
    ASSERT_EQ(box.right - box.left, 14);
    ASSERT_EQ(box.bottom - box.top, 14);
    // Corners of the normal face, the cross from (box + 2, box + 2).
    EXPECT_EQ(PixelAt(b, box.left, box.top), ZoneColor(0, 0, 0));
    EXPECT_EQ(PixelAt(b, box.right - 1, box.bottom - 1), ZoneColor(0, 0, 0));
    EXPECT_EQ(PixelAt(b, box.left + 3, box.top + 3), RGB(250, 250, 250));
    EXPECT_EQ(PixelAt(b, box.left + 7, box.top + 7), RGB(250, 250, 250));
    pc->SetSkinData(nullptr);
}

TEST_F(PageControlTest, HideTabsWithoutVisibleTabsDoesNothing) {
    NewPages(2);
    for (auto* s : sheets) s->TabVisible = false;
    Application->ProcessMessages();
    pc->HideTabs();
    EXPECT_FALSE(pc->TabsHidden());
    EXPECT_NE(pc->TabHeight(), 1);
}

// Centred and offset tabs are drawn moved right along the top, and a click
// on a moved tab selects that tab.
TEST_F(PageControlTest, CentredAndOffsetTabsAreDrawnAndHitWhereTheyAre) {
    constexpr int kTabWidth = 60;
    const struct Case {
        bool centre;
        int offset;
    } cases[] = {{true, 0}, {false, 35}};
    for (const Case& c : cases) {
        NewPages(3, 400);
        pc->SetTabPosition(tpLeft);
        pc->SetMultiLine(true);
        pc->SetTabWidth(kTabWidth);
        Application->ProcessMessages();
        pc->SetTabPosition(tpTop);
        pc->SetMultiLine(false);
        Application->ProcessMessages();
        const TRect plain0 = pc->GetItemRect(0);
        pc->SetTabPosition(tpLeft);
        pc->SetMultiLine(true);
        if (c.centre) pc->SetTabsInCenter(true);
        else pc->SetTabsOffset(c.offset);
        Application->ProcessMessages();
        // On top in one row, over the parent's background.
        EXPECT_EQ(pc->TabPosition(), tpTop);
        EXPECT_FALSE(pc->MultiLine());
        EXPECT_TRUE(pc->TabsBGTransparent());
        const int shift = c.centre ? 400 / 2 - kTabWidth * 3 / 2 : c.offset;
        EXPECT_EQ(pc->GetTabsOffset(), shift);
        EXPECT_EQ(pc->GetItemRect(0).left, plain0.left + shift) << c.centre;
        for (int tab : {2, 0, 1}) {
            ClickTab(tab);
            EXPECT_EQ(pc->TabIndex(), tab) << c.centre;
        }
        TBitmap b;
        PaintControl(pc, b);
        // The selected tab's frame where the tab is drawn.
        const TRect sel = pc->GetItemRect(1);
        EXPECT_EQ(PixelAt(b, sel.left, sel.top + 3), ColorToRGB(bsPlainHotFrame)) << c.centre;
        EXPECT_NE(PixelAt(b, sel.left + 3, sel.top + 3), ColorToRGB(clBtnFace)) << c.centre;
        pc->Free();
        sheets.clear();
        Application->ProcessMessages();
    }
}

TEST_F(PageControlTest, CentredTabsNeedAFixedTabWidth) {
    NewPages(3);
    pc->SetTabsInCenter(true);
    EXPECT_FALSE(pc->TabsInCenter());
    EXPECT_FALSE(pc->TabsBGTransparent());
    EXPECT_EQ(pc->GetTabsOffset(), 0);
}

// The extended drawing places the tab's image by TabLayout and TabMargin.
TEST_F(PageControlTest, ExtendedTabDrawingPlacesTheImageByLayoutAndMargin) {
    const TColor imageColour = static_cast<TColor>(0x0000FF);
    NewPages(3);
    pc->SetImages(platform_test::SolidColourList(form, {imageColour}));
    for (auto* s : sheets) s->ImageIndex = 0;
    pc->SetTabWidth(100);
    pc->SetTabExtededDraw(true);
    pc->SetTabMargin(-2);  // refused
    EXPECT_EQ(pc->TabMargin(), -1);
    const struct Case {
        TbsButtonLayout layout;
        int margin;
    } cases[] = {{blGlyphLeft, 4}, {blGlyphLeft, 12}, {blGlyphRight, 6}};
    for (const Case& c : cases) {
        pc->SetTabLayout(c.layout);
        pc->SetTabMargin(c.margin);
        TBitmap b;
        PaintControl(pc, b);
        const TRect tab = pc->GetItemRect(2);
        const int y = (tab.top + tab.bottom) / 2;
        int first = -1, last = -1;
        for (int x = tab.left; x < tab.right; ++x)
            if (PixelAt(b, x, y) == ColorToRGB(imageColour)) {
                if (first < 0) first = x;
                last = x;
            }
        if (c.layout == blGlyphLeft) EXPECT_EQ(first, tab.left + c.margin) << c.margin;
        else EXPECT_EQ(last, tab.right - 1 - c.margin) << c.margin;
        EXPECT_EQ(last - first + 1, 16) << c.margin;
    }
}

}  // namespace

