// The list view: report style with columns and sub-items, selection
// events, scrolling, owner data.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "platform/ListView.h"
#include "platform/Subclass.h"

namespace {

using platform_test::ControlsTest;
using platform_test::ShowsColour;
using platform_test::SolidColourList;

// The text the window shows in a cell.
String CellText(TCustomListView* lv, int row, int column) {
    wchar_t buf[256] = {};
    LVITEMW it{};
    it.iSubItem = column;
    it.pszText = buf;
    it.cchTextMax = 256;
    SendMessageW(lv->Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    return buf;
}

String Cell(int row, int column) { return L"r" + IntToStr(row) + L"c" + IntToStr(column); }

class ListViewTest : public ControlsTest {
protected:
    TListView* NewReport(int columns, int rows) {
        auto* lv = new TListView(form);
        lv->SetParent(form);
        lv->SetBounds(0, 0, 600, 400);
        lv->SetViewStyle(vsReport);
        for (int c = 0; c < columns; ++c) {
            TListColumn* col = lv->Columns()->Add();
            col->SetCaption(L"Column " + IntToStr(c));
            col->SetWidth(60);
        }
        lv->Items()->BeginUpdate();
        for (int r = 0; r < rows; ++r) {
            TListItem* item = lv->Items()->Add();
            item->SetCaption(Cell(r, 0));
            for (int c = 1; c < columns; ++c) item->SubItems()->Add(Cell(r, c));
        }
        lv->Items()->EndUpdate();
        return lv;
    }
};

TEST_F(ListViewTest, ReportKeepsSubItemsInStep) {
    TListView* lv = NewReport(25, 300);
    ASSERT_EQ(SendMessageW(lv->Handle(), LVM_GETITEMCOUNT, 0, 0), 300);
    EXPECT_EQ(CellText(lv, 299, 24), Cell(299, 24));
    EXPECT_EQ(Header_GetItemCount(lv->HeaderHandle()), 25);

    TListItem* item = lv->Items()->Item(10);
    item->SubItems()->Put(3, L"replaced");
    EXPECT_EQ(CellText(lv, 10, 4), L"replaced");
    item->SubItems()->Delete(0);  // later columns move left
    EXPECT_EQ(CellText(lv, 10, 1), Cell(10, 2));
    EXPECT_EQ(CellText(lv, 10, 24), L"");
    item->SubItems()->Add(L"new last");
    EXPECT_EQ(CellText(lv, 10, 24), L"new last");

    lv->Items()->Delete(0);
    EXPECT_EQ(lv->Items()->Count(), 299);
    EXPECT_EQ(lv->Items()->Item(0)->Index(), 0);
    EXPECT_EQ(CellText(lv, 0, 5), Cell(1, 5));
    lv->Items()->Insert(0)->SetCaption(L"first");
    EXPECT_EQ(CellText(lv, 0, 0), L"first");
    EXPECT_EQ(CellText(lv, 1, 0), Cell(1, 0));
}

// A column's alignment and header image reach the window, and come back
// with a window made anew.
TEST_F(ListViewTest, ColumnAlignmentAndImageReachTheWindow) {
    TListView* lv = NewReport(4, 3);
    lv->Columns()->Items(2)->SetAlignment(taRightJustify);
    lv->Columns()->Items(3)->SetAlignment(taCenter);
    lv->Columns()->Items(1)->SetImageIndex(0);
    const auto column = [&](int i) {
        LVCOLUMNW c{};
        c.mask = LVCF_FMT | LVCF_IMAGE;
        SendMessageW(lv->Handle(), LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
        return c;
    };
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(column(1).fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT) << pass;
        EXPECT_EQ(column(2).fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT) << pass;
        EXPECT_EQ(column(3).fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER) << pass;
        EXPECT_TRUE(column(1).fmt & LVCFMT_IMAGE) << pass;
        EXPECT_EQ(column(1).iImage, 0) << pass;
        EXPECT_FALSE(column(2).fmt & LVCFMT_IMAGE) << pass;
        EXPECT_EQ(lv->Columns()->Items(2)->Alignment(), taRightJustify);
        lv->RecreateWnd();
    }
    // Taking the image away clears it in the window too.
    lv->Columns()->Items(1)->SetImageIndex(-1);
    EXPECT_FALSE(column(1).fmt & LVCFMT_IMAGE);
}

TEST_F(ListViewTest, SelectingByCodeRaisesTheEvent) {
    TListView* lv = NewReport(3, 20);
    std::vector<std::pair<int, bool>> events;
    lv->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        events.emplace_back(item ? item->Index() : -1, selected);
    };
    lv->SetItemIndex(5);
    EXPECT_EQ(lv->ItemIndex(), 5);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), std::make_pair(5, true));
    events.clear();
    lv->Items()->Item(7)->SetSelected(true);  // single selection moves
    EXPECT_EQ(lv->ItemIndex(), 7);
    EXPECT_NE(std::find(events.begin(), events.end(), std::make_pair(5, false)), events.end());
    EXPECT_NE(std::find(events.begin(), events.end(), std::make_pair(7, true)), events.end());
    EXPECT_EQ(lv->Selected(), lv->Items()->Item(7));
    lv->SetItemIndex(-1);
    EXPECT_EQ(lv->Selected(), nullptr);
}

TEST_F(ListViewTest, ScrollMovesTheTopItem) {
    TListView* lv = NewReport(25, 300);
    Application->ProcessMessages();
    ASSERT_EQ(lv->TopItem()->Index(), 0);
    const TRect row = lv->Items()->Item(0)->DisplayRect();
    ASSERT_GT(row.Height(), 0);
    lv->Scroll(0, row.Height() * 40);
    EXPECT_EQ(lv->TopItem()->Index(), 40);
    lv->Scroll(0, -row.Height() * 15);
    EXPECT_EQ(lv->TopItem()->Index(), 25);
}

TEST_F(ListViewTest, OwnerDataShowsAndFindsRowsThroughTheCallback) {
    auto* lv = new TListView(form);
    lv->SetOwnerData(true);
    lv->SetParent(form);
    lv->SetBounds(0, 0, 600, 400);
    lv->SetViewStyle(vsReport);
    lv->Columns()->Add()->SetCaption(L"Name");
    lv->Columns()->Add()->SetCaption(L"Size");
    int fetches = 0, hints = 0;
    lv->OnData = [&](TObject*, TListItem* item) {
        ++fetches;
        item->SetCaption(L"row " + IntToStr(item->Index()));
        item->SubItems()->Add(IntToStr(item->Index() * 2));
    };
    lv->OnDataHint = [&](TObject*, int from, int to) { hints += from <= to; };
    lv->OnDataFind = [&](TObject*, TItemFind find, const String& s, const TPoint&, void*, int start,
                         TSearchDirection, bool wrap, int& index) {
        if (find != ifPartialString && find != ifExactString) return;
        for (int k = 0; k < 10000; ++k) {
            const int i = (start + k) % 10000;
            if (!wrap && i < start) break;
            if (String(L"row " + IntToStr(i)).rfind(s, 0) == 0) {
                index = i;
                return;
            }
        }
    };
    lv->Items()->SetCount(10000);
    EXPECT_EQ(SendMessageW(lv->Handle(), LVM_GETITEMCOUNT, 0, 0), 10000);
    EXPECT_EQ(CellText(lv, 9999, 0), L"row 9999");
    EXPECT_EQ(CellText(lv, 4321, 1), L"8642");
    EXPECT_GT(fetches, 0);
    EXPECT_EQ(lv->Items()->Item(77)->Caption(), L"row 77");
    EXPECT_THROW(lv->Items()->Add(), EInvalidOperation);

    TListItem* found = lv->FindCaption(0, L"row 5000", false, true, false);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Index(), 5000);
    EXPECT_EQ(lv->FindCaption(0, L"no such row", true, true, true), nullptr);

    lv->Repaint();
    Application->ProcessMessages();
    EXPECT_GT(hints, 0);  // the rows about to be painted are announced
    lv->SetItemIndex(9000);
    EXPECT_EQ(lv->ItemIndex(), 9000);
    EXPECT_EQ(lv->Selected()->Caption(), L"row 9000");
}

TEST_F(ListViewTest, SortsItemsAndWindow) {
    TListView* lv = NewReport(3, 0);
    for (const wchar_t* name : {L"pear", L"Apple", L"fig"}) {
        TListItem* item = lv->Items()->Add();
        item->SetCaption(name);
        item->SubItems()->Add(String(name).substr(0, 1));
    }
    ASSERT_TRUE(lv->AlphaSort());
    EXPECT_EQ(CellText(lv, 0, 0), L"Apple");
    EXPECT_EQ(CellText(lv, 0, 1), L"A");
    EXPECT_EQ(CellText(lv, 2, 0), L"pear");
    EXPECT_EQ(lv->Items()->Item(2)->Index(), 2);
    lv->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& c) {
        c = static_cast<int>(a->Caption().size()) - static_cast<int>(b->Caption().size());
    };
    lv->AlphaSort();
    EXPECT_EQ(CellText(lv, 0, 0), L"fig");
    EXPECT_EQ(CellText(lv, 2, 1), L"A");
}

// Columns added in one batch all reach the header with their texts and
// widths; the batch leaves a shown view shown and a hidden one hidden (the
// drawing switch of a window also sets its visibility).
TEST_F(ListViewTest, ColumnBatchReachesTheHeaderAndKeepsVisibility) {
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "shown view" : "hidden view");
        TListView* lv = NewReport(0, 0);
        lv->SetVisible(shown);
        lv->Columns()->BeginUpdate();
        lv->Columns()->BeginUpdate();
        for (int c = 0; c < 6; ++c) {
            TListColumn* col = lv->Columns()->Add();
            col->SetCaption(L"Batch " + IntToStr(c));
            col->SetWidth(40 + c);
        }
        lv->Columns()->EndUpdate();
        lv->Columns()->EndUpdate();
        const HWND header = lv->HeaderHandle();
        ASSERT_EQ(Header_GetItemCount(header), 6);
        for (int c = 0; c < 6; ++c) {
            wchar_t text[32] = {};
            HDITEMW hd{};
            hd.mask = HDI_TEXT | HDI_WIDTH;
            hd.pszText = text;
            hd.cchTextMax = 32;
            ASSERT_TRUE(Header_GetItem(header, c, &hd));
            EXPECT_STREQ(text, (L"Batch " + IntToStr(c)).c_str());
            EXPECT_EQ(hd.cxy, 40 + c);
        }
        EXPECT_EQ((GetWindowLongW(lv->Handle(), GWL_STYLE) & WS_VISIBLE) != 0, shown);
        lv->Free();
    }
}

TEST_F(ListViewTest, HeaderCanBeSubclassed) {
    TListView* lv = NewReport(4, 3);
    HWND header = lv->HeaderHandle();
    ASSERT_NE(header, nullptr);
    wchar_t cls[64] = {};
    GetClassNameW(header, cls, 64);
    EXPECT_STREQ(cls, L"SysHeader32");
    int paints = 0;
    {
        platform::WindowSubclass sub(header, [&](TMessage& m) {
            if (m.Msg == WM_PAINT) ++paints;
            return false;
        });
        InvalidateRect(header, nullptr, TRUE);
        Application->ProcessMessages();
        EXPECT_GT(paints, 0);
    }
    const int seen = paints;
    InvalidateRect(header, nullptr, TRUE);
    Application->ProcessMessages();
    EXPECT_EQ(paints, seen);
    EXPECT_EQ(Header_GetItemCount(header), 4);
}

TEST_F(ListViewTest, LabelEditingAsksAndStoresTheCaption) {
    TListView* lv = NewReport(2, 5);
    bool asked = false;
    lv->OnEditing = [&](TObject*, TListItem* item, bool& allow) {
        asked = true;
        allow = item->Index() != 0;
    };
    lv->OnEdited = [&](TObject*, TListItem*, String& s) { s += L"!"; };
    lv->SetFocus();
    EXPECT_FALSE(lv->Items()->Item(0)->EditCaption());
    EXPECT_TRUE(asked);
    ASSERT_TRUE(lv->Items()->Item(2)->EditCaption());
    HWND edit = reinterpret_cast<HWND>(SendMessageW(lv->Handle(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"renamed");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    Application->ProcessMessages();
    EXPECT_EQ(lv->Items()->Item(2)->Caption(), L"renamed!");
    EXPECT_EQ(CellText(lv, 2, 0), L"renamed!");
}

TEST_F(ListViewTest, StateImagesShowThePictureOfEachItemsStateIndex) {
    TListView* lv = NewReport(2, 3);
    lv->SetStateImages(SolidColourList(form, {clRed, clLime, clBlue}));
    lv->Items()->Item(0)->SetStateIndex(1);
    lv->Items()->Item(2)->SetStateIndex(2);
    // The state picture lies left of the item's icon.
    const auto stateArea = [&](int row) {
        RECT bounds{LVIR_BOUNDS, 0, 0, 0}, icon{LVIR_ICON, 0, 0, 0};
        SendMessageW(lv->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
        SendMessageW(lv->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&icon));
        return TRect(bounds.left, bounds.top, icon.left, bounds.bottom);
    };
    EXPECT_TRUE(ShowsColour(lv, stateArea(0), clLime));
    EXPECT_FALSE(ShowsColour(lv, stateArea(0), clRed));
    EXPECT_TRUE(ShowsColour(lv, stateArea(2), clBlue));
    EXPECT_FALSE(ShowsColour(lv, stateArea(1), clRed));  // -1: none
    // A new window keeps them.
    lv->SetViewStyle(vsList);
    lv->SetViewStyle(vsReport);
    EXPECT_TRUE(ShowsColour(lv, stateArea(2), clBlue));
    lv->Items()->Item(2)->SetStateIndex(-1);
    EXPECT_FALSE(ShowsColour(lv, stateArea(2), clBlue));
}

TEST_F(ListViewTest, GetNextItemWalksTheSelection) {
    TListView* lv = NewReport(1, 12);
    lv->SetMultiSelect(true);
    for (int i : {2, 5, 6, 11}) lv->Items()->Item(i)->SetSelected(true);
    std::vector<int> walked;
    for (TListItem* i = lv->GetNextItem(nullptr, sdAll, isSelected); i; i = lv->GetNextItem(i, sdAll, isSelected))
        walked.push_back(i->Index());
    EXPECT_EQ(walked, (std::vector<int>{2, 5, 6, 11}));
    EXPECT_EQ(static_cast<int>(walked.size()), lv->SelCount());
    lv->Items()->Item(7)->SetFocused(true);
    EXPECT_EQ(lv->GetNextItem(nullptr, sdAll, isFocused), lv->Items()->Item(7));
    EXPECT_EQ(lv->GetNextItem(nullptr, sdAll, isFocused | isSelected), nullptr);
    // Without a state every row comes, and the walk ends after the last.
    EXPECT_EQ(lv->GetNextItem(lv->Items()->Item(3), sdAll, 0), lv->Items()->Item(4));
    EXPECT_EQ(lv->GetNextItem(lv->Items()->Item(11), sdAll, 0), nullptr);
    lv->ClearSelection();
    EXPECT_EQ(lv->GetNextItem(nullptr, sdAll, isSelected), nullptr);
}

}  // namespace
