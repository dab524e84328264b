// The skinned looks of the combo box, the up/down buttons and the office
// drop-down's rows, read as pixels from a skin made in code: each part of
// the picture has its own colour.
#include "ListsFixture.h"
#include "ListsSkin.h"

#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinExCtrls.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsUpDown.h"

using namespace liststest;

namespace {

class SkinRecordTest : public ListsTest {
protected:
    std::unique_ptr<TbsSkinData> skin = MakeListsSkin();
    template <class C>
    C* Place(C* c, int w, int h) {
        PlaceControl(c, w, h);
        return c;
    }
    // Out of line, so that the compiler does not guess the control's class
    // from the caller's allocation.
    [[gnu::noinline]] void PlaceControl(TbsSkinCustomControl* c, int w, int h) {
        c->SetParent(form);
        c->SetBounds(10, 10, w, h);
        c->HandleNeeded();
        c->SetSkinData(skin.get());
        Application->ProcessMessages();
    }
    static Snap Face(TWinControl* c) {
        Snap s(c->Width(), c->Height());
        c->PaintTo(s.DC(), 0, 0);
        return s;
    }
};

// The combo's body, button and item strip come from "combobox"; the button
// lies in the right end piece and moves with the right edge.
TEST_F(SkinRecordTest, TheComboFaceIsCutFromItsRecord) {
    auto* c = Place(new TbsSkinComboBox(form), 150, 20);
    c->Items()->Add(L"one");
    c->SetItemIndex(0);
    ASSERT_EQ(c->Height(), 20);
    Snap idle = Face(c);
    EXPECT_EQ(idle.At(1, 1), kComboFrame);
    EXPECT_EQ(idle.At(140, 10), kComboButton);
    EXPECT_EQ(idle.At(125, 10), kComboItem);  // the item strip, past the text
    c->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(c->Focused());
    EXPECT_EQ(Face(c).At(125, 10), kComboFocusItem);
}

TEST_F(SkinRecordTest, UpDownButtonsShowTheRecordsHotAndPressedPictures) {
    auto* u = Place(new TbsSkinUpDown(form), 40, 20);
    EXPECT_EQ(Face(u).At(30, 10), kUpDown);
    EXPECT_EQ(Face(u).At(10, 10), kUpDown);
    SendMessageW(u->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 10));
    EXPECT_EQ(Face(u).At(30, 10), kUpDownHot);
    EXPECT_EQ(Face(u).At(10, 10), kUpDown);
    SendMessageW(u->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
    EXPECT_EQ(Face(u).At(30, 10), kUpDownDown);
    SendMessageW(u->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
}

// The highlighted row of an office list is the skin's active item picture,
// the focus item picture while the list has the focus.
TEST_F(SkinRecordTest, TheOfficeRowHighlightIsTheSkinsItemPicture) {
    auto* l = Place(new TbsSkinOfficeListBox(form), 150, 100);
    for (const wchar_t* s : {L"a", L"b", L"c"}) l->Items()->Add()->SetCaption(s);
    l->SetItemIndex(1);
    const TRect row = l->Items()->Items(1)->ItemRect;
    const int x = row.right - 4, y = row.top + row.Height() / 2;
    const int y0 = l->Items()->Items(0)->ItemRect.top + row.Height() / 2;
    Snap idle = Face(l);
    EXPECT_EQ(idle.At(x, y), kActiveItem);
    EXPECT_NE(idle.At(x, y0), kActiveItem);
    EXPECT_TRUE(idle.Shows(row, kActiveItemFont));
    l->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(l->Focused());
    Snap focused = Face(l);
    EXPECT_EQ(focused.At(x, y), kFocusItem);
    EXPECT_TRUE(focused.Shows(row, kFocusItemFont));
}

// The open office drop-down draws its highlighted row from the same skin
// picture, and the picture follows the pointer over the rows.
TEST_F(SkinRecordTest, TheOpenOfficeDropDownHighlightsItsRowWithTheSkinsPicture) {
    auto* c = Place(new TbsSkinOfficeComboBox(form), 150, 41);
    for (const wchar_t* s : {L"a", L"b", L"c"}) c->Items()->Add()->SetCaption(s);
    c->SetItemIndex(1);
    c->DropDown();
    ASSERT_TRUE(c->IsPopupVisible());
    TbsPopupOfficeListBox* l = c->ListBox();
    const TRect row = l->Items()->Items(1)->ItemRect;
    const int x = row.right - 4, y = row.top + row.Height() / 2;
    const int y0 = l->Items()->Items(0)->ItemRect.top + row.Height() / 2;
    Snap open = Face(l);
    EXPECT_EQ(open.At(x, y), kActiveItem);
    EXPECT_NE(open.At(x, y0), kActiveItem);
    EXPECT_TRUE(open.Shows(row, kActiveItemFont));
    SendMessageW(l->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y0));
    Snap moved = Face(l);
    EXPECT_EQ(moved.At(x, y0), kActiveItem);
    EXPECT_NE(moved.At(x, y), kActiveItem);
    c->CloseUp(false);
}

}  // namespace
