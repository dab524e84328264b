// The skinned combo box: the order of OnChange and OnClick on every kind of
// selection (by code, keys, wheel, typing, mouse), the drop-down's closing
// rules and its placement near the bottom of the work area.
#include "ListsFixture.h"

#include "platform/Clock.h"
#include "skin/boxes/bsSkinComboBox.h"

using namespace liststest;

namespace {

class ComboBoxTest : public ListsTest {
protected:
    TbsSkinComboBox* NewCombo(std::initializer_list<const wchar_t*> items, int top = 20) {
        auto* c = new TbsSkinComboBox(form);
        c->SetParent(form);
        c->SetBounds(20, top, 150, 20);
        for (const wchar_t* s : items) c->Items()->Add(s);
        c->OnChange = [this, c](TObject* sender) {
            EXPECT_EQ(sender, c);
            Log("change:" + std::to_string(c->ItemIndex()) + ":" + Narrow(c->GetText()));
        };
        c->OnClick = [this, c](TObject*) { Log("click:" + std::to_string(c->ItemIndex())); };
        c->HandleNeeded();
        Application->ProcessMessages();
        return c;
    }
    // Opens the list with a press and release on the face, as a user does.
    void OpenByClick(TbsSkinComboBox* c) {
        PointerTo(c, 30, 10);
        Click(c->Handle(), 30, 10);
    }
    // Moves the pointer over a row of the open list and clicks it there.
    void ClickRow(TbsSkinComboBox* c, int row) {
        TbsListBox* inner = c->ListBox()->ListBox;
        const TRect r = inner->ItemRect(row);
        const int x = r.left + 5, y = r.top + r.Height() / 2;
        PointerTo(inner, x, y);
        SendMessageW(inner->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageW(inner->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        const TPoint p = c->ScreenToClient(inner->ClientToScreen(TPoint(x, y)));
        SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Application->ProcessMessages();
    }
};

// One combo through a sequence of writes; each step shows what it raises.
// Items "a", "b", "c", "b": index 3 shows the same text as index 1.
TEST_F(ComboBoxTest, ItemIndexWritesRaiseChangeOnlyForANewTextThenClick) {
    TbsSkinComboBox* c = NewCombo({L"a", L"b", L"c", L"b"});
    const struct Step {
        const char* what;
        std::function<void()> act;
        const char* log;
        const wchar_t* text;
    } steps[] = {
        {"first choice", [&] { c->SetItemIndex(1); }, "change:1:b,click:1,", L"b"},
        {"same index again", [&] { c->SetItemIndex(1); }, "click:1,", L"b"},
        {"other index, same text", [&] { c->SetItemIndex(3); }, "click:3,", L"b"},
        {"no choice", [&] { c->SetItemIndex(-1); }, "click:-1,", L"b"},
        {"clear the items", [&] { c->Items()->Clear(); }, "", L"b"},
        {"add items", [&] { c->Items()->Add(L"x"), c->Items()->Add(L"b"); }, "", L"b"},
        {"the old text again", [&] { c->SetItemIndex(1); }, "click:1,", L"b"},
        {"a new text", [&] { c->SetItemIndex(0); }, "change:0:x,click:0,", L"x"},
        {"disable", [&] { c->SetEnabled(false); }, "", L"x"},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(TakeLog(), s.log) << s.what;
        EXPECT_EQ(c->GetText(), s.text) << s.what;
    }
}

// Keys on the closed combo: each step is one posted key from the index
// before it. Pages are one page less one row in both directions.
TEST_F(ComboBoxTest, KeysOnTheClosedComboCommitThroughTheWriteRule) {
    TbsSkinComboBox* c = NewCombo({L"a0", L"a1", L"a2", L"a3", L"a4", L"a5", L"a6", L"a7", L"a8", L"a9", L"b0",
                                   L"b1", L"b2", L"b3", L"b4"});
    c->SetDropDownCount(5);
    c->SetFocus();
    c->SetItemIndex(0);
    TakeLog();
    const struct Key {
        WORD key;
        int index;
        const char* log;
    } keys[] = {
        {VK_DOWN, 1, "change:1:a1,click:1,"},
        {VK_RIGHT, 2, "change:2:a2,click:2,"},
        {VK_NEXT, 6, "change:6:a6,click:6,"},
        {VK_NEXT, 10, "change:10:b0,click:10,"},
        {VK_PRIOR, 6, "change:6:a6,click:6,"},
        {VK_UP, 5, "change:5:a5,click:5,"},
        {VK_LEFT, 4, "change:4:a4,click:4,"},
        {VK_HOME, 4, ""},  // not a key of the combo
        {VK_END, 4, ""},
        {VK_PRIOR, 0, "change:0:a0,click:0,"},
        {VK_UP, 0, ""},  // nothing above the first item
    };
    for (const Key& k : keys) {
        PressKey(c->Handle(), k.key);
        EXPECT_EQ(c->ItemIndex(), k.index) << "key " << k.key;
        EXPECT_EQ(TakeLog(), k.log) << "key " << k.key;
    }
    // Paging at the end stays on the last item and still commits.
    c->SetItemIndex(14);
    TakeLog();
    PressKey(c->Handle(), VK_NEXT);
    EXPECT_EQ(c->ItemIndex(), 14);
    EXPECT_EQ(TakeLog(), "click:14,");
}

// The same keys with the drop-down open: each one commits through the
// write rule as on the closed combo and the list stays open, its highlight
// on the new item; Enter then accepts (OnClick only, the text is already
// shown) and Escape goes back to the last committed item without events.
TEST_F(ComboBoxTest, KeysOnTheOpenComboCommitAndKeepTheListOpen) {
    platform::ScopedManualClock clock;
    TbsSkinComboBox* c = NewCombo({L"a0", L"a1", L"a2", L"a3", L"a4", L"a5", L"a6", L"a7", L"a8", L"a9", L"b0",
                                   L"b1", L"b2", L"b3", L"b4"});
    c->SetDropDownCount(5);
    c->SetFocus();
    c->SetItemIndex(0);
    TakeLog();
    c->DropDown();
    ASSERT_TRUE(c->IsPopupVisible());
    const struct Key {
        WORD key;
        wchar_t ch;  // a typed character instead of a key
        int index;
        const char* log;
    } keys[] = {
        {VK_DOWN, 0, 1, "change:1:a1,click:1,"},
        {VK_NEXT, 0, 5, "change:5:a5,click:5,"},
        {VK_NEXT, 0, 9, "change:9:a9,click:9,"},
        {VK_PRIOR, 0, 5, "change:5:a5,click:5,"},
        {VK_UP, 0, 4, "change:4:a4,click:4,"},
        {VK_HOME, 0, 4, ""},
        {VK_END, 0, 4, ""},
        {0, L'b', 10, "change:10:b0,click:10,"},
    };
    for (const Key& k : keys) {
        if (k.key) PressKey(c->Handle(), k.key);
        else Char(c->Handle(), k.ch);
        EXPECT_EQ(c->ItemIndex(), k.index) << "key " << k.key << " " << static_cast<int>(k.ch);
        EXPECT_EQ(TakeLog(), k.log) << "key " << k.key << " " << static_cast<int>(k.ch);
        EXPECT_TRUE(c->IsPopupVisible()) << "key " << k.key;
        EXPECT_EQ(c->ListBox()->ItemIndex(), k.index);
    }
    PressKey(c->Handle(), VK_RETURN);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 10);
    EXPECT_EQ(TakeLog(), "click:10,");

    c->DropDown();
    c->ListBox()->SetItemIndex(13);  // hovered row
    PressKey(c->Handle(), VK_ESCAPE);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 10);
    EXPECT_EQ(c->GetText(), L"b0");
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(ComboBoxTest, TypedLettersSearchFromTheNextItemOrThePairFromTheFirst) {
    platform::ScopedManualClock clock;
    TbsSkinComboBox* c = NewCombo({L"apple", L"banana", L"blueberry", L"cherry"});
    c->SetFocus();
    Char(c->Handle(), L'b');
    EXPECT_EQ(c->ItemIndex(), 1);
    clock.Advance(600);
    Char(c->Handle(), L'B');  // the same letter later: the next match
    EXPECT_EQ(c->ItemIndex(), 2);
    clock.Advance(600);
    Char(c->Handle(), L'a');
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(TakeLog(), "change:1:banana,click:1,change:2:blueberry,click:2,change:0:apple,click:0,");
    clock.Advance(600);
    Char(c->Handle(), L'b');
    clock.Advance(100);
    Char(c->Handle(), L'l');  // "bl" within 500 ms
    EXPECT_EQ(c->ItemIndex(), 2);
    clock.Advance(600);
    Char(c->Handle(), L'z');  // no match: nothing
    EXPECT_EQ(c->ItemIndex(), 2);
}

TEST_F(ComboBoxTest, AClickOpensTheListAndAClickOnARowCommitsIt) {
    TbsSkinComboBox* c = NewCombo({L"a", L"b", L"c", L"d"});
    c->SetItemIndex(0);
    TakeLog();
    int closeUps = 0;
    c->OnCloseUp = [&](TObject*) { ++closeUps; };
    OpenByClick(c);
    ASSERT_TRUE(c->IsPopupVisible());  // a release without entering the list leaves it open
    EXPECT_EQ(TakeLog(), "");
    // The popup never takes the activation.
    EXPECT_EQ(SendMessageW(c->ListBox()->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->Handle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    ClickRow(c, 2);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(TakeLog(), "change:2:c,click:2,");
    EXPECT_EQ(closeUps, 1);
}

TEST_F(ComboBoxTest, EscapeAndCancelModeRestoreTheChoiceWithoutEvents) {
    TbsSkinComboBox* c = NewCombo({L"a", L"b", L"c", L"d"});
    c->SetItemIndex(1);
    TakeLog();
    c->SetFocus();
    const struct Way {
        const char* what;
        std::function<void()> close;
    } ways[] = {
        {"escape", [&] { PressKey(c->Handle(), VK_ESCAPE); }},
        {"cancel mode from the form", [&] { c->Perform(CM_CANCELMODE, 0, 0); }},
        {"a click on the button", [&] { Click(c->Handle(), c->ButtonRect().left + 3, 10); }},
    };
    for (const Way& w : ways) {
        c->DropDown();
        ASSERT_TRUE(c->IsPopupVisible()) << w.what;
        c->ListBox()->SetItemIndex(3);  // hovered row
        w.close();
        EXPECT_FALSE(c->IsPopupVisible()) << w.what;
        EXPECT_EQ(c->ItemIndex(), 1) << w.what;
        EXPECT_EQ(TakeLog(), "") << w.what;
    }
    // Cancel mode sent by the drop-down itself keeps it open.
    c->DropDown();
    c->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(c->ListBox())));
    EXPECT_TRUE(c->IsPopupVisible());
    PressKey(c->Handle(), VK_RETURN);  // Enter accepts the highlighted row
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(TakeLog(), "click:1,");
}

TEST_F(ComboBoxTest, TheWheelCommitsWhileClosedAndOnlyMovesTheHighlightWhileOpen) {
    TbsSkinComboBox* c = NewCombo({L"a", L"b", L"c", L"d"});
    c->SetItemIndex(1);
    TakeLog();
    Wheel(c->Handle(), -120);
    Application->ProcessMessages();
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(TakeLog(), "change:2:c,click:2,");
    Wheel(c->Handle(), 120);
    Application->ProcessMessages();
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(TakeLog(), "change:1:b,click:1,");
    c->DropDown();
    Wheel(c->Handle(), -120);
    Application->ProcessMessages();
    EXPECT_EQ(c->ListBox()->ItemIndex(), 2);
    EXPECT_EQ(c->GetText(), L"b");
    EXPECT_EQ(TakeLog(), "");
    c->CloseUp(false);
    EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, TheListOpensBelowOrAboveNearTheBottomOfTheWorkArea) {
    TRect work;
    GetMonitorWorkArea(form->Handle(), true, work);
    TbsSkinComboBox* c = NewCombo({L"a", L"b", L"c", L"d", L"e", L"f"});
    form->SetBounds(50, 50, 300, 200);
    Application->ProcessMessages();
    c->DropDown();
    RECT list, combo;
    GetWindowRect(c->ListBox()->Handle(), &list);
    GetWindowRect(c->Handle(), &combo);
    EXPECT_EQ(list.top, combo.bottom);
    EXPECT_EQ(list.left, combo.left);
    EXPECT_EQ(list.bottom - list.top, c->ListBox()->CalcHeight(6));
    c->CloseUp(false);
    // Near the bottom the list ends at the combo's top.
    form->SetBounds(50, work.bottom - 90, 300, 80);
    Application->ProcessMessages();
    c->DropDown();
    GetWindowRect(c->ListBox()->Handle(), &list);
    GetWindowRect(c->Handle(), &combo);
    EXPECT_EQ(list.bottom, combo.top);
    EXPECT_LE(list.bottom, work.bottom);
    c->CloseUp(false);
    // An empty list never opens.
    c->Items()->Clear();
    c->DropDown();
    EXPECT_FALSE(c->IsPopupVisible());
}

TEST_F(ComboBoxTest, TheEditStyleKeepsTextAndEditInStep) {
    TbsSkinComboBox* c = NewCombo({L"red", L"green", L"blue"});
    c->SetStyle(bscbEditStyle);
    ASSERT_NE(c->Edit(), nullptr);
    c->SetItemIndex(2);
    EXPECT_EQ(c->Edit()->GetText(), L"blue");
    EXPECT_EQ(TakeLog(), "change:2:blue,click:2,");
    // Typing in the edit sets the combo's text and raises OnChange.
    c->Edit()->SetText(L"gr");
    EXPECT_EQ(c->GetText(), L"gr");
    EXPECT_EQ(TakeLog(), "change:1:gr,");  // the drop-down follows the typed prefix
    c->SetStyle(bscbFixedStyle);
    EXPECT_EQ(c->Edit(), nullptr);
}

// The combo's face as it paints itself.
void Shot(TWinControl* c, TBitmap& shot) {
    shot.SetPixelFormat(pf24bit);
    shot.SetSize(c->Width(), c->Height());
    SendMessageW(c->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), PRF_CLIENT);
}

// Pixels of r that differ between two shots.
int Differences(TBitmap& a, TBitmap& b, const TRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += a.Canvas()->Pixel(x, y) != b.Canvas()->Pixel(x, y);
    return n;
}

int CountColour(TBitmap& shot, const TRect& r, TColor colour) {
    const TColor want = static_cast<TColor>(ColorToRGB(colour));
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += shot.Canvas()->Pixel(x, y) == want;
    return n;
}

TEST_F(ComboBoxTest, WhileOpenTheFaceKeepsShowingTheCommittedItem) {
    TbsSkinComboBox* c = NewCombo({L"alpha", L"WWWWWW", L"iii"});
    c->SetItemIndex(0);
    TBitmap closed0, closed1, open;
    Shot(c, closed0);
    c->SetItemIndex(1);
    Shot(c, closed1);
    c->SetItemIndex(0);
    c->DropDown();
    c->ListBox()->SetItemIndex(1);  // the highlight moves in the open list
    Shot(c, open);
    c->CloseUp(false);
    const TRect face = TRect(2, 2, c->ButtonRect().left - 1, c->Height() - 2);
    EXPECT_GT(Differences(closed0, closed1, face), 0);  // the two items look different
    EXPECT_EQ(Differences(closed0, open, face), 0);
}

TEST_F(ComboBoxTest, TheDefaultArrowIsBlackAndGreyWhenDisabled) {
    TbsSkinComboBox* c = NewCombo({L"a"});
    TBitmap shot;
    Shot(c, shot);
    const TRect b = c->ButtonRect();
    EXPECT_GT(CountColour(shot, b, clBlack), 0);
    c->SetEnabled(false);
    Shot(c, shot);
    EXPECT_EQ(CountColour(shot, b, clBlack), 0);
    EXPECT_GT(CountColour(shot, TRect(b.left + 3, b.top + 3, b.right - 3, b.bottom - 3), clBtnShadow), 0);
}

// The tool-button look fills the whole control by its state: face, hot
// (pointer over it) and pressed (list open).
TEST_F(ComboBoxTest, TheToolButtonLookFollowsHoverAndTheOpenList) {
    TbsSkinComboBox* c = NewCombo({L"a", L"b"});
    c->SetToolButtonStyle(true);
    const TRect inner(2, 2, c->Width() - 2, c->Height() - 2);
    TBitmap shot;
    Shot(c, shot);
    EXPECT_GT(CountColour(shot, inner, clBtnFace), 0);
    c->Perform(CM_MOUSEENTER);
    Shot(c, shot);
    EXPECT_GT(CountColour(shot, inner, bsPlainHotFill), 0);
    EXPECT_EQ(CountColour(shot, inner, clBtnFace), 0);
    c->DropDown();
    Shot(c, shot);
    c->CloseUp(false);
    EXPECT_GT(CountColour(shot, inner, bsPlainDownFill), 0);
    EXPECT_EQ(CountColour(shot, inner, bsPlainHotFill), 0);
}

TEST_F(ComboBoxTest, PaintSkinToShowsTheGivenTextAndKeepsTheCombosOwn) {
    TbsSkinComboBox* c = NewCombo({L"a", L"b"});
    c->SetItemIndex(0);
    TakeLog();
    TBitmap empty(c->Width(), c->Height(), pf24bit), shown(c->Width(), c->Height(), pf24bit);
    c->PaintSkinTo(empty.Canvas(), 0, 0, L"");
    c->PaintSkinTo(shown.Canvas(), 0, 0, L"WWWW");
    EXPECT_EQ(c->GetText(), L"a");
    const TRect face = TRect(2, 2, c->ButtonRect().left - 1, c->Height() - 2);
    EXPECT_GT(Differences(empty, shown, face), 20);
    // Nothing outside the face changes with the text.
    EXPECT_EQ(Differences(empty, shown, c->ButtonRect()), 0);
}

// An erase request from outside (a neighbour taking the combo's picture)
// gets the combo's face and, in the edit style, the edit's text.
TEST_F(ComboBoxTest, AnOutsideEraseRequestGetsTheFaceAndTheEdit) {
    TbsSkinComboBox* c = NewCombo({L"WWWW", L"b"});
    c->SetStyle(bscbEditStyle);
    c->SetItemIndex(0);
    Application->ProcessMessages();
    TBitmap face, erased(c->Width(), c->Height(), pf24bit);
    Shot(c, face);
    erased.Canvas()->Brush()->SetColor(clRed);
    erased.Canvas()->FillRect(TRect(0, 0, c->Width(), c->Height()));
    EXPECT_EQ(SendMessageW(c->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.Canvas()->Handle()), 0), 1);
    EXPECT_EQ(Differences(face, erased, c->ButtonRect()), 0);
    EXPECT_EQ(CountColour(erased, TRect(0, 0, c->Width(), c->Height()), clRed), 0);
    // The edit's text shows where the edit lies.
    const TRect edit = c->Edit()->BoundsRect();
    EXPECT_GT(CountColour(erased, edit, c->Edit()->Font()->Color()), 0);
}

// Key releases in the edit by the texts' character set: with a Japanese or
// Chinese set a character key's release first drops the selected part (the
// input method's text comes after it), then completes; arrow keys never
// drop a choice's text.
TEST_F(ComboBoxTest, KeyReleasesInTheEditFollowTheCharacterSet) {
    platform::ScopedManualClock clock;
    const struct {
        BYTE charset;
        const wchar_t* afterTyping;
    } cases[] = {{GB2312_CHARSET, L"banana"},
                 {SHIFTJIS_CHARSET, L"banana"},
                 {CHINESEBIG5_CHARSET, L"banana"},
                 {ANSI_CHARSET, L"bananas"}};
    for (const auto& k : cases) {
        TbsSkinComboBox* c = NewCombo({L"apple", L"banana", L"cherry"});
        c->DefaultFont()->SetCharset(k.charset);
        c->SetStyle(bscbEditStyle);
        TbsCustomEdit* e = c->Edit();
        ASSERT_NE(e, nullptr);
        e->SetFocus();
        c->SetItemIndex(0);
        PressKey(e->Handle(), VK_DOWN);
        EXPECT_EQ(e->GetText(), L"banana") << int(k.charset);
        // "bananas" with its last letter selected; the S key comes up.
        e->SetText(L"bananas");
        e->SetSelStart(6);
        e->SetSelLength(1);
        clock.Advance(300);
        PostMessageW(e->Handle(), WM_KEYUP, 'S', 0xC0000001);
        Application->ProcessMessages();
        EXPECT_EQ(e->GetText(), k.afterTyping) << int(k.charset);
        c->Free();
        TakeLog();
    }
}

// Press on the face, drag through the list, release: over a row it is
// chosen, outside the list the old choice comes back without events.
TEST_F(ComboBoxTest, DraggingFromTheFaceChoosesWhereTheReleaseIs) {
    TbsSkinComboBox* c = NewCombo({L"a", L"b", L"c", L"d"});
    c->SetItemIndex(1);
    TakeLog();
    TbsListBox* inner = c->ListBox()->ListBox;
    auto drag = [&](int row, bool releaseInside) {
        PointerTo(c, 30, 10);
        SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
        EXPECT_TRUE(c->IsPopupVisible());
        const TRect r = inner->ItemRect(row);
        PointerTo(inner, r.left + 5, r.top + 3);
        const TPoint p = c->ScreenToClient(inner->ClientToScreen(TPoint(r.left + 5, r.top + 3)));
        SendMessageW(c->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        EXPECT_EQ(c->ListBox()->ItemIndex(), row);  // the highlight follows, no event yet
        EXPECT_EQ(TakeLog(), "");
        if (!releaseInside) PointerTo(c, 30, 300);
        POINT now;
        GetCursorPos(&now);
        const TPoint q = c->ScreenToClient(TPoint(now.x, now.y));
        SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(q.x, q.y));
        Application->ProcessMessages();
        EXPECT_FALSE(c->IsPopupVisible());
    };
    drag(3, false);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(TakeLog(), "");
    drag(2, true);
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(TakeLog(), "change:2:c,click:2,");
}

TEST_F(ComboBoxTest, AnAnimatedDropDownWithAlphaZeroStaysTransparent) {
    TbsSkinComboBox* c = NewCombo({L"a", L"b"});
    c->AlphaBlend = true;
    c->AlphaBlendAnimation = true;
    c->AlphaBlendValue = 0;
    c->DropDown();
    ASSERT_TRUE(c->IsPopupVisible());
    HWND list = c->ListBox()->Handle();
    EXPECT_NE(GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 255;
    DWORD flags = 0;
    // A layered window whose alpha was never set shows nothing; one that
    // has an alpha has 0.
    if (GetLayeredWindowAttributes(list, nullptr, &alpha, &flags)) {
        EXPECT_EQ(alpha, 0);
    }
    c->CloseUp(false);
    // Without the animation the value applies at once.
    c->AlphaBlendAnimation = false;
    c->AlphaBlendValue = 200;
    c->DropDown();
    ASSERT_TRUE(GetLayeredWindowAttributes(list, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 200);
    c->CloseUp(false);
    // Without the blend the layered style goes again.
    c->AlphaBlend = false;
    c->DropDown();
    EXPECT_EQ(GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    c->CloseUp(false);
}

}  // namespace
