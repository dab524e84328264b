// The office item list and the office combo box: the scroll range, key
// navigation over headers and disabled items, and the combo's OnClick /
// OnChange contract on every path.
#include "ListsFixture.h"

#include "skin/boxes/bsSkinOfficeCombo.h"

using namespace liststest;

namespace {

struct ItemSpec {
    const wchar_t* caption;
    bool header = false;
    bool enabled = true;
};

void Fill(TbsSkinOfficeItems* items, std::initializer_list<ItemSpec> specs) {
    for (const ItemSpec& s : specs) {
        TbsSkinOfficeItem* it = items->Add();
        it->SetCaption(s.caption);
        it->SetHeader(s.header);
        it->SetEnabled(s.enabled);
    }
}

class OfficeListTest : public ListsTest {
protected:
    TbsSkinOfficeListBox* NewList(int itemHeight = 30) {
        auto* l = new TbsSkinOfficeListBox(form);
        l->SetParent(form);
        l->SetBounds(10, 10, 150, 150);
        l->SetItemHeight(itemHeight);
        l->HandleNeeded();
        l->OnItemClick = [this, l](TObject*) { Log("item:" + std::to_string(l->ItemIndex())); };
        return l;
    }
    TbsSkinOfficeComboBox* NewCombo(std::initializer_list<ItemSpec> specs) {
        auto* c = new TbsSkinOfficeComboBox(form);
        c->SetParent(form);
        c->SetBounds(20, 20, 200, 41);
        Fill(c->Items(), specs);
        c->OnClick = [this, c](TObject* s) {
            EXPECT_EQ(s, c);
            Log("click:" + std::to_string(c->ItemIndex()));
        };
        c->OnChange = [this, c](TObject*) { Log("change:" + std::to_string(c->ItemIndex())); };
        c->HandleNeeded();
        Application->ProcessMessages();
        return c;
    }
};

TEST_F(OfficeListTest, TenItemsOfThirtyInA150PixelListScrollOverTheirContent) {
    TbsSkinOfficeListBox* l = NewList();
    for (int i = 0; i < 10; ++i) l->Items()->Add()->SetCaption(L"item " + IntToStr(i));
    int mn = -1, mx = -1, pos = -1, page = -1;
    l->GetScrollInfo(mn, mx, pos, page);
    // Items area 2..148 (146 high), content 10 x 30.
    EXPECT_EQ(mn, 0);
    EXPECT_EQ(mx, 300);
    EXPECT_EQ(page, 146);
    EXPECT_EQ(pos, 0);
    ASSERT_NE(l->ScrollBar(), nullptr);
    EXPECT_EQ(l->ScrollBar()->Max(), 300);
    EXPECT_EQ(l->ScrollBar()->PageSize(), 146);
    // The bar takes 19 pixels off the items.
    EXPECT_EQ(l->Items()->Items(0)->ItemRect.Width(), 146 - 19);
    l->ScrollBar()->SetPosition(1000);
    EXPECT_EQ(l->ScrollOffset(), 300 - 146 + 1);
    // Cleared: the bar goes and the index is reset.
    l->SetItemIndex(3);
    l->Items()->Clear();
    EXPECT_EQ(l->ScrollBar(), nullptr);
    EXPECT_EQ(l->ItemIndex(), -1);
    TbsSkinOfficeItem* fresh = l->Items()->Add();
    EXPECT_FALSE(fresh->Active);
}

TEST_F(OfficeListTest, KeysSkipHeadersAndDisabledItems) {
    TbsSkinOfficeListBox* l = NewList(20);
    // A page of 146 / 20 = 7 rows.
    Fill(l->Items(), {{L"H1", true}, {L"a"}, {L"b"}, {L"H2", true}, {L"c"}, {L"d"}, {L"off", false, false}, {L"e"}});
    l->SetItemIndex(5);  // d
    TakeLog();
    l->SetFocus();
    const struct Key {
        WORD key;
        int index;
        const char* log;
    } keys[] = {
        {VK_DOWN, 7, "item:7,"},   // past the disabled item
        {VK_UP, 5, "item:5,"},     // back over it
        {VK_PRIOR, 2, "item:2,"},  // the first selectable item beyond the header
        {VK_PRIOR, 1, "item:1,"},
        {VK_UP, 1, ""},            // only a header above: nothing
        {VK_NEXT, 4, "item:4,"},   // b is a candidate, then past the header c is taken at once
        {VK_HOME, 4, ""},          // not a key of the list
    };
    for (const Key& k : keys) {
        PressKey(l->Handle(), k.key);
        EXPECT_EQ(l->ItemIndex(), k.index) << "key " << k.key;
        EXPECT_EQ(TakeLog(), k.log) << "key " << k.key;
    }
}

TEST_F(OfficeListTest, ItemIndexWritesOnTheListRaiseItemEventsEvenUnchanged) {
    TbsSkinOfficeListBox* l = NewList();
    Fill(l->Items(), {{L"a"}, {L"b"}, {L"c"}});
    l->Items()->Items(2)->OnClick = [this](TObject*) { Log("c clicked"); };
    const struct Step {
        int write;
        int index;
        const char* log;
    } steps[] = {{2, 2, "c clicked,item:2,"}, {2, 2, "c clicked,item:2,"}, {3, 2, ""},  // beyond: ignored
                 {-1, -1, ""}, {3, -1, ""}, {0, 0, "item:0,"}, {7, 0, ""}};
    for (const Step& s : steps) {
        l->SetItemIndex(s.write);
        EXPECT_EQ(l->ItemIndex(), s.index) << "write " << s.write;
        EXPECT_EQ(TakeLog(), s.log) << "write " << s.write;
    }
    // -1 keeps the highlight where it was.
    l->SetItemIndex(-1);
    EXPECT_TRUE(l->Items()->Items(0)->Active);
}

TEST_F(OfficeListTest, ZeroItemHeightStillPages) {
    TbsSkinOfficeListBox* l = NewList(0);
    Fill(l->Items(), {{L"a"}, {L"b"}});
    l->SetItemIndex(0);
    l->SetFocus();
    PressKey(l->Handle(), VK_NEXT);
    EXPECT_EQ(l->ItemIndex(), 1);
    PressKey(l->Handle(), VK_PRIOR);
    EXPECT_EQ(l->ItemIndex(), 0);
}

// The combo's contract: every write raises OnClick then OnChange; inside
// them the index already reads the new position.
TEST_F(OfficeListTest, ComboWritesRaiseClickThenChangeEveryTime) {
    TbsSkinOfficeComboBox* c = NewCombo({{L"a"}, {L"b"}, {L"c"}});
    const struct Step {
        const char* what;
        std::function<void()> act;
        int index;
        const char* log;
    } steps[] = {
        {"first", [&] { c->SetItemIndex(1); }, 1, "click:1,change:1,"},
        {"same again", [&] { c->SetItemIndex(1); }, 1, "click:1,change:1,"},
        {"none", [&] { c->SetItemIndex(-1); }, -1, "click:-1,change:-1,"},
        {"beyond the items", [&] { c->SetItemIndex(3); }, -1, ""},
        {"back", [&] { c->SetItemIndex(0); }, 0, "click:0,change:0,"},
        {"beyond, from a choice", [&] { c->SetItemIndex(3); }, 0, ""},
        {"clear", [&] { c->Items()->Clear(); }, -1, ""},
        {"add", [&] { c->Items()->Add()->SetCaption(L"n"); }, -1, ""},
        {"disable", [&] { c->SetEnabled(false); }, -1, ""},
        {"after the clear", [&] { c->SetItemIndex(0); }, 0, "click:0,change:0,"},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(c->ItemIndex(), s.index) << s.what;
        EXPECT_EQ(TakeLog(), s.log) << s.what;
    }
}

TEST_F(OfficeListTest, ComboKeysCommitOnEveryPressOpenOrClosed) {
    TbsSkinOfficeComboBox* c = NewCombo({{L"H", true}, {L"a"}, {L"b"}, {L"c"}});
    c->SetItemIndex(1);
    TakeLog();
    c->SetFocus();
    const struct Key {
        WORD key;
        int index;
        const char* log;
    } keys[] = {
        {VK_DOWN, 2, "click:2,change:2,"},
        {VK_RIGHT, 3, "click:3,change:3,"},
        {VK_DOWN, 3, "click:3,change:3,"},  // the end: unchanged but committed
        {VK_UP, 2, "click:2,change:2,"},
        {VK_LEFT, 1, "click:1,change:1,"},
        {VK_UP, 1, "click:1,change:1,"},  // only the header above
        {VK_HOME, 1, ""},
        {VK_END, 1, ""},
        {VK_RETURN, 1, ""},  // closed: nothing
        {VK_ESCAPE, 1, ""},
    };
    for (const Key& k : keys) {
        PressKey(c->Handle(), k.key);
        EXPECT_EQ(c->ItemIndex(), k.index) << "closed, key " << k.key;
        EXPECT_EQ(TakeLog(), k.log) << "closed, key " << k.key;
    }
    c->DropDown();
    ASSERT_TRUE(c->IsPopupVisible());
    PressKey(c->Handle(), VK_DOWN);
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(TakeLog(), "click:2,change:2,");
    EXPECT_TRUE(c->IsPopupVisible());
    PressKey(c->Handle(), VK_RETURN);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(TakeLog(), "click:2,change:2,");
}

TEST_F(OfficeListTest, ComboHoverThenEscapeRestoresWithoutEvents) {
    TbsSkinOfficeComboBox* c = NewCombo({{L"a"}, {L"b"}, {L"c"}, {L"d"}});
    c->SetItemIndex(1);
    TakeLog();
    c->DropDown();
    TbsPopupOfficeListBox* list = c->ListBox();
    const TRect r = list->Items()->Items(3)->ItemRect;
    SendMessageW(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 5, r.top + 5));
    EXPECT_EQ(c->ItemIndex(), 3);  // the hover highlight
    EXPECT_EQ(TakeLog(), "");
    PressKey(c->Handle(), VK_ESCAPE);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(TakeLog(), "");
    // Focus loss and cancel mode close the same way.
    c->DropDown();
    c->Perform(CM_CANCELMODE, 0, 0);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(OfficeListTest, ComboClickOpensAndAClickOnARowCommits) {
    TbsSkinOfficeComboBox* c = NewCombo({{L"a"}, {L"b"}, {L"c"}});
    c->SetItemIndex(0);
    TakeLog();
    int closeUps = 0;
    c->OnCloseUp = [&](TObject*) { ++closeUps; };
    PointerTo(c, 30, 20);
    Click(c->Handle(), 30, 20);
    ASSERT_TRUE(c->IsPopupVisible());
    EXPECT_EQ(TakeLog(), "");
    TbsPopupOfficeListBox* list = c->ListBox();
    EXPECT_EQ(SendMessageW(list->Handle(), WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    // The already chosen row: the events come all the same.
    const TRect r = list->Items()->Items(0)->ItemRect;
    PointerTo(list, r.left + 5, r.top + 5);
    SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 5, r.top + 5));
    const TPoint p = c->ScreenToClient(list->ClientToScreen(TPoint(r.left + 5, r.top + 5)));
    SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Application->ProcessMessages();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(TakeLog(), "click:0,change:0,");
    EXPECT_EQ(closeUps, 1);
}

TEST_F(OfficeListTest, ComboDragReleasedOutsideTheListRestoresWithoutEvents) {
    TbsSkinOfficeComboBox* c = NewCombo({{L"a"}, {L"b"}, {L"c"}});
    c->SetItemIndex(0);
    TakeLog();
    PointerTo(c, 30, 20);
    SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
    ASSERT_TRUE(c->IsPopupVisible());
    TbsPopupOfficeListBox* list = c->ListBox();
    const TRect r = list->Items()->Items(2)->ItemRect;
    PointerTo(list, r.left + 5, r.top + 5);
    SendMessageW(c->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_EQ(c->ItemIndex(), 2);  // hover highlight, no event
    EXPECT_EQ(TakeLog(), "");
    PointerTo(c, 30, 400);
    SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 400));
    Application->ProcessMessages();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(OfficeListTest, ComboWheelCommitsClosedAndMovesTheHighlightOpen) {
    TbsSkinOfficeComboBox* c = NewCombo({{L"a"}, {L"b"}, {L"c"}, {L"d"}});
    c->SetItemIndex(2);
    TakeLog();
    PointerAway();
    Wheel(c->Handle(), -120);
    Application->ProcessMessages();
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(TakeLog(), "click:3,change:3,");
    c->DropDown();
    Wheel(c->Handle(), 120);
    Application->ProcessMessages();
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(TakeLog(), "");
    c->CloseUp(false);
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(TakeLog(), "");
}

void OfficeShot(TWinControl* c, TBitmap& shot) {
    shot.SetPixelFormat(pf24bit);
    shot.SetSize(c->Width(), c->Height());
    SendMessageW(c->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), PRF_CLIENT);
}

int InkIn(TBitmap& shot, const TRect& r, TColor paper) {
    const TColor want = static_cast<TColor>(ColorToRGB(paper));
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += shot.Canvas()->Pixel(x, y) != want;
    return n;
}

// The classic default face shows the chosen item's title and caption; with
// no item chosen only its background.
TEST_F(OfficeListTest, ComboFaceShowsTheChosenItemOrNothing) {
    TbsSkinOfficeComboBox* c = NewCombo({{L"caption"}, {L"second"}});
    c->Items()->Items(0)->SetTitle(L"Title");
    c->SetShowItemImage(false);
    const TRect item = c->ItemRect();
    TBitmap shot;
    c->SetItemIndex(0);
    OfficeShot(c, shot);
    EXPECT_GT(InkIn(shot, item, clWindow), 20);
    c->SetItemIndex(-1);
    OfficeShot(c, shot);
    EXPECT_EQ(InkIn(shot, item, clWindow), 0);
}

// The plain face writes the item in the combo's Font, which follows
// DefaultFont.
TEST_F(OfficeListTest, ThePlainComboFaceFollowsDefaultFont) {
    TbsSkinOfficeComboBox* c = NewCombo({{L"caption"}});
    c->SetShowItemImage(false);
    c->SetItemIndex(0);
    const TRect item = c->ItemRect();
    TBitmap shot;
    OfficeShot(c, shot);
    const int small = InkIn(shot, item, clWindow);
    c->DefaultFont()->SetHeight(26);
    c->DefaultFont()->SetStyle(fsBold);
    OfficeShot(c, shot);
    EXPECT_GT(InkIn(shot, item, clWindow), small * 2);
}

// The tool-button look: hot while the pointer is over it, pressed while the
// list is open (its content then moves 2 pixels right and down).
TEST_F(OfficeListTest, ComboToolButtonLookFollowsHoverAndTheOpenList) {
    TbsSkinOfficeComboBox* c = NewCombo({{L"caption"}});
    c->SetShowItemImage(false);
    c->SetToolButtonStyle(true);
    c->SetItemIndex(0);
    TBitmap shot;
    OfficeShot(c, shot);
    EXPECT_EQ(InkIn(shot, TRect(1, 1, 2, 2), clBtnFace), 0);
    c->Perform(CM_MOUSEENTER);
    OfficeShot(c, shot);
    EXPECT_EQ(InkIn(shot, TRect(1, 1, 2, 2), bsPlainHotFill), 0);
    c->DropDown();
    OfficeShot(c, shot);
    c->CloseUp(false);
    EXPECT_EQ(InkIn(shot, TRect(1, 1, 2, 2), bsPlainDownFill), 0);
}

TEST_F(OfficeListTest, ComboListOpensAboveNearTheBottomAlignedRight) {
    TRect work;
    GetMonitorWorkArea(form->Handle(), true, work);
    TbsSkinOfficeComboBox* c = NewCombo({{L"a"}, {L"b"}, {L"c"}, {L"d"}, {L"e"}});
    c->SetDropDownCount(4);
    c->SetListBoxItemHeight(60);
    c->ListBoxWidth = 300;
    form->SetBounds(50, work.bottom - 120, 400, 110);
    Application->ProcessMessages();
    c->DropDown();
    RECT list, combo;
    GetWindowRect(c->ListBox()->Handle(), &list);
    GetWindowRect(c->Handle(), &combo);
    EXPECT_EQ(list.bottom - list.top, 4 * 60 + 5);
    EXPECT_EQ(list.bottom, combo.top);
    EXPECT_EQ(list.right, combo.right);
    c->CloseUp(false);
    c->SetDropDownCount(-1);  // ignored
    EXPECT_EQ(c->DropDownCount(), 4);
    c->ListBoxHeight = 200;
    c->DropDown();
    EXPECT_EQ(c->ListBox()->Height(), 200);
    c->CloseUp(false);
}

}  // namespace
