// One level of a skinned menu: where it lies against the rectangle it
// opens from near every edge of the work area, a level taller than the
// work area (scroll areas, keys and resting on a scroll area reach every
// entry), the height limit by MaxMenuItemsInWindow, and the skinned and
// plain looks (a skin without a menu-item record keeps the plain look, and
// no level writes into the store's records).
#include <functional>
#include <memory>

#include "MenusFixture.h"
#include "platform/ActnList.h"
#include "skin/bsUtils.h"

using namespace menustest;

namespace {

class MenuLevelTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        menu = new TPopupMenu(form);
        opener = new TPopupMenu(form);
        AddItem(opener, opener->Items(), L"子菜单");
        GetMonitorWorkArea(form->Handle(), true, wa);
    }
    // A menu of n entries, freshly built.
    TMenuItem* Entries(int n) {
        TMenuItem* root = menu->Items();
        root->Clear();
        for (int i = 0; i < n; ++i) AddItem(menu, root, L"项目" + std::to_wstring(i));
        return root;
    }
    // Opens items against R as the first level (or, byItem, as a submenu
    // next to an entry at R) in the plain look; the level's window rectangle.
    TRect Open(TMenuItem* items, const TRect& R, bool byItem, bool up, TbsSkinData* skin = nullptr) {
        frame->SkinMenuOpen();
        if (!byItem) {
            frame->SkinMenu->Popup(nullptr, skin, 0, R, items, up);
        } else {
            frame->SkinMenu->Popup(nullptr, skin, 0, TRect(0, 0, 0, 0), opener->Items(), false);
            frame->SkinMenu->PopupSub(R, items, 0, true, false);
        }
        return LevelRect(Levels() - 1);
    }
    void Close() {
        frame->SkinMenu->Hide();
        Application->ProcessMessages();
    }
    TPopupMenu* menu = nullptr;
    TPopupMenu* opener = nullptr;
    TRect wa;
};

struct PlaceCase {
    const char* name;
    // Entries: a count, or 0 for "about 60 % of the work area's height".
    int count;
    std::function<TRect(const TRect& wa)> from;
    bool byItem, up;
    // Where the level's top-left corner goes: wa, R, level width and height.
    std::function<TPoint(const TRect& wa, const TRect& R, int w, int h)> at;
};

TEST_F(MenuLevelTest, LevelsNearEachEdgeFollowThePlacementTable) {
    constexpr int T = 2;  // plain look: the items start 2 pixels in
    auto mid = [](const TRect& a) { return a.top + a.Height() / 2; };
    const PlaceCase cases[] = {
        {"a point in the open", 3, [](const TRect&) { return TRect(300, 200, 300, 200); }, false, false,
         [](const TRect&, const TRect& R, int, int) { return TPoint(R.left, R.bottom); }},
        {"a point near the right edge", 3,
         [](const TRect& a) { return TRect(a.right - 10, 200, a.right - 10, 200); }, false, false,
         [](const TRect& a, const TRect& R, int w, int) { return TPoint(a.right - w, R.bottom); }},
        {"a point left of the work area", 3,
         [](const TRect& a) { return TRect(a.left - 30, 200, a.left - 30, 200); }, false, false,
         [](const TRect& a, const TRect& R, int, int) { return TPoint(a.left, R.bottom); }},
        {"a point near the bottom opens upwards", 3,
         [](const TRect& a) { return TRect(300, a.bottom - 20, 300, a.bottom - 20); }, false, false,
         [](const TRect&, const TRect& R, int, int h) { return TPoint(R.left, R.top - h); }},
        {"upwards with room above", 3, [](const TRect&) { return TRect(300, 400, 360, 420); }, false, true,
         [](const TRect&, const TRect& R, int, int h) { return TPoint(R.left, R.top - h); }},
        {"upwards near the top goes below", 3,
         [](const TRect& a) { return TRect(300, a.top + 10, 360, a.top + 30); }, false, true,
         [](const TRect&, const TRect& R, int, int) { return TPoint(R.left, R.bottom); }},
        {"downwards without room in the upper half lies beside", 0,
         [mid](const TRect& a) { return TRect(300, mid(a) - 40, 360, mid(a) - 20); }, false, false,
         [](const TRect& a, const TRect& R, int, int h) { return TPoint(R.right + 1, a.bottom - h); }},
        {"a submenu with room on the right", 3, [](const TRect&) { return TRect(300, 200, 400, 220); }, true, false,
         [](const TRect&, const TRect& R, int, int) { return TPoint(R.right + 1, R.top - T); }},
        {"a submenu at the right edge opens to the left", 3,
         [](const TRect& a) { return TRect(a.right - 100, 200, a.right - 5, 220); }, true, false,
         [](const TRect&, const TRect& R, int w, int) { return TPoint(R.left - w - 1, R.top - T); }},
        {"a tall submenu from the upper half ends at the bottom", 0,
         [mid](const TRect& a) { return TRect(300, mid(a) - 30, 400, mid(a) - 10); }, true, false,
         [](const TRect& a, const TRect& R, int, int h) { return TPoint(R.right + 1, a.bottom - h); }},
        {"a submenu from the lower half rises from its item", 3,
         [](const TRect& a) { return TRect(300, a.bottom - 30, 400, a.bottom - 10); }, true, false,
         [](const TRect& a, const TRect& R, int, int h) {
             return TPoint(R.right + 1, std::max<LONG>(a.top, R.bottom + T - h));
         }},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int n = c.count ? c.count : wa.Height() * 6 / 10 / 20;
        TMenuItem* items = Entries(n);
        const TRect R = c.from(wa);
        const TRect got = Open(items, R, c.byItem, c.up);
        EXPECT_EQ(got.Height(), n * 20 + 4);
        EXPECT_EQ(TPoint(got.left, got.top), c.at(wa, R, got.Width(), got.Height()));
        EXPECT_FALSE(Level(Levels() - 1)->Scroll);
        Close();
    }
}

TEST_F(MenuLevelTest, ALevelTallerThanTheWorkAreaScrollsAndEveryEntryIsReachable) {
    const int n = wa.Height() / 20 + 6;
    TMenuItem* items = Entries(n);
    const TRect got = Open(items, TRect(300, 200, 300, 200), false, false);
    TbsSkinPopupWindow* level = Level(0);
    ASSERT_TRUE(level->Scroll);
    // As tall as the work area, at its top, beside the point.
    EXPECT_EQ(got, TRect(301, wa.top, 301 + got.Width(), wa.bottom));
    EXPECT_LT(level->VisibleCount, n);
    EXPECT_EQ(level->ItemList[0]->ObjectRect.top, 2 + 10);  // below the top scroll area

    // Up from the first entry wraps to the last, scrolled into view.
    Key(VK_UP);
    EXPECT_EQ(level->ActiveItem, n - 1);
    EXPECT_EQ(level->VisibleStartIndex, level->GetLastStartIndex());
    EXPECT_GT(level->VisibleStartIndex, 0);
    EXPECT_TRUE(level->ItemList[static_cast<size_t>(n - 1)]->FVisible);
    // Down from the last wraps to the first and scrolls back to the top.
    Key(VK_DOWN);
    EXPECT_EQ(level->ActiveItem, 0);
    EXPECT_EQ(level->VisibleStartIndex, 0);
    // Every entry in turn is highlighted and shown.
    for (int i = 1; i < n; ++i) {
        Key(VK_DOWN);
        ASSERT_EQ(level->ActiveItem, i);
        ASSERT_TRUE(level->ItemList[static_cast<size_t>(i)]->FVisible) << i;
    }

    // The mouse resting on the top scroll area scrolls an entry per 100 ms
    // until the first entry shows, then stops.
    const int start = level->VisibleStartIndex;
    ASSERT_GT(start, 0);
    const TRect& area = level->NewItemsRect;
    SetCursorPos(level->Left() + area.left + 20, level->Top() + area.top + 5);
    clock.Advance(50);  // the level's mouse poll
    EXPECT_EQ(level->ScrollCode, 1);
    clock.Advance(100);
    EXPECT_EQ(level->VisibleStartIndex, start - 1);
    clock.Advance(100 * start);
    EXPECT_EQ(level->VisibleStartIndex, 0);
    EXPECT_EQ(level->ScrollCode, 0);
    // An entry shown there is taken by the mouse.
    const TRect e = level->ItemList[3]->ObjectRect;
    SetCursorPos(level->Left() + e.left + 5, level->Top() + e.top + 5);
    clock.Advance(50);
    EXPECT_EQ(level->ActiveItem, 3);
    Close();
}

TEST_F(MenuLevelTest, MaxMenuItemsInWindowLimitsTheHeightOfAFirstLevel) {
    frame->MaxMenuItemsInWindow = 5;
    TMenuItem* items = Entries(8);
    frame->SkinMenuOpen();
    frame->SkinMenu->Popup(nullptr, nullptr, 0, TRect(300, 200, 300, 200), items, false);
    EXPECT_EQ(LevelRect(0).Height(), 5 * 20 + 24);
    EXPECT_TRUE(Level(0)->Scroll);
    EXPECT_TRUE(Level(0)->Scroll2);
    EXPECT_EQ(Level(0)->VisibleCount, 5);
    Close();
    // Two menus shown as one (the menu bar's merged menus) are not limited.
    TPopupMenu* other = new TPopupMenu(form);
    AddItem(other, other->Items(), L"附加");
    frame->SkinMenuOpen();
    frame->SkinMenu->Popup2(nullptr, nullptr, 0, TRect(300, 200, 300, 200), items, other->Items(), false);
    EXPECT_EQ(LevelRect(0).Height(), 5 * 20 + 26);
    EXPECT_FALSE(Level(0)->Scroll);
    EXPECT_EQ(Level(0)->ItemList.size(), 9u);
    Close();
}

// The scroll areas of a skinned level get the entries' background within
// their 10 pixels only: the first and last entries shown stay whole.
TEST_F(MenuLevelTest, TheScrollAreasOfASkinnedLevelLeaveItsEntriesWhole) {
    auto skin = ProgramSkin();
    frame->MaxMenuItemsInWindow = 5;
    const TRect got = Open(Entries(12), TRect(300, 200, 300, 200), false, false, skin.get());
    TbsSkinPopupWindow* level = Level(0);
    ASSERT_NE(level->PW, nullptr);
    ASSERT_TRUE(level->Scroll);
    level->ScrollDown(false);
    level->ScrollDown(false);
    ASSERT_EQ(level->VisibleStartIndex, 2);
    TBitmap shot(got.Width(), got.Height(), pf24bit);
    level->PaintMenu(shot.Canvas()->Handle());
    TBitmap alone(got.Width(), got.Height(), pf24bit);
    for (const int i : {level->VisibleStartIndex, level->VisibleStartIndex + level->VisibleCount - 1}) {
        TbsSkinMenuItem* entry = level->ItemList[static_cast<size_t>(i)].get();
        entry->Draw(alone.Canvas());
        const TRect& r = entry->ObjectRect;
        int differing = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (shot.Canvas()->Pixel(x, y) != alone.Canvas()->Pixel(x, y)) ++differing;
        EXPECT_EQ(differing, 0) << "entry " << i << " rows " << r.top << ".." << r.bottom;
    }
    Close();
}

// A disabled entry captioned "-…-" is a header: the skin's header band
// with the caption, dashes left out, in the header record's font colour.
TEST_F(MenuLevelTest, AHeaderEntryOfASkinnedLevelShowsItsCaptionOnTheHeaderBand) {
    auto skin = ProgramSkin();
    const int ri = skin->GetControlIndex(L"menuheader");
    ASSERT_GE(ri, 0);
    auto* rec = dynamic_cast<TbsDataSkinLabelControl*>(skin->CtrlList[static_cast<size_t>(ri)].get());
    ASSERT_NE(rec, nullptr) << "the header record carries a font";
    TMenuItem* items = Entries(3);
    TMenuItem* header = AddItem(menu, items, L"-格式-");
    header->SetEnabled(false);
    items->Insert(1, header);
    TMenuItem* plain = AddItem(menu, items, L"-格式-");  // enabled: ordinary text
    items->Insert(3, plain);
    const TRect got = Open(items, TRect(300, 200, 300, 200), false, false, skin.get());
    TbsSkinPopupWindow* level = Level(0);
    ASSERT_NE(level->PW, nullptr);
    TBitmap shot(got.Width(), got.Height(), pf24bit);
    level->PaintMenu(shot.Canvas()->Handle());
    auto inked = [&](int index) {
        const TRect& r = level->ItemList[static_cast<size_t>(index)]->ObjectRect;
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (static_cast<COLORREF>(shot.Canvas()->Pixel(x, y)) == ColorToRGB(rec->FontColor)) ++n;
        return n;
    };
    EXPECT_GE(inked(1), 10) << "the header's caption";
    EXPECT_EQ(inked(3), 0) << "an enabled entry is not a header";
    Close();
}

TEST_F(MenuLevelTest, ASkinnedLevelUsesTheSkinAndASkinWithoutAMenuItemRecordKeepsThePlainLook) {
    auto skin = ProgramSkin();
    ASSERT_NE(skin->PopupWindow, nullptr);
    TbsDataSkinMenuItem* rec = MenuItemRecord(skin.get());
    ASSERT_NE(rec, nullptr);
    TMenuItem* items = Entries(4);
    items->Insert(2, AddItem(menu, items, L"-"));

    TRect got = Open(items, TRect(300, 200, 300, 200), false, false, skin.get());
    TbsSkinPopupWindow* level = Level(0);
    ASSERT_NE(level->PW, nullptr);
    ASSERT_NE(level->DSMI, nullptr);
    EXPECT_NE(level->DSMI, rec);  // the level works on a copy of the record
    const int frameH = level->WindowPicture->Height() - skin->PopupWindow->ItemsRect.Height();
    EXPECT_EQ(got.Height(), 4 * rec->SkinRect.Height() + rec->DividerRect.Height() + frameH);
    Close();

    // A menu-item record whose picture is missing cannot measure entries
    // either: the plain look, and the store's record keeps its parts.
    const TRect kept = rec->SkinRect;
    const int keptIndex = rec->ActivePictureIndex;
    rec->ActivePictureIndex = 1000;
    got = Open(items, TRect(300, 200, 300, 200), false, false, skin.get());
    EXPECT_EQ(Level(0)->PW, nullptr);
    EXPECT_EQ(got.Height(), 4 * 20 + 4 + 4);
    EXPECT_EQ(rec->SkinRect, kept);
    Close();
    rec->ActivePictureIndex = keptIndex;

    // Without any menu-item object the popup-window record cannot measure
    // entries: the plain look, and a level that paints.
    auto& objects = skin->ObjectList;
    objects.erase(std::remove_if(objects.begin(), objects.end(),
                                 [](auto& o) { return dynamic_cast<TbsDataSkinMenuItem*>(o.get()) != nullptr; }),
                  objects.end());
    got = Open(items, TRect(300, 200, 300, 200), false, false, skin.get());
    EXPECT_EQ(Level(0)->PW, nullptr);
    EXPECT_EQ(got.Height(), 4 * 20 + 4 + 4);
    TBitmap shot(got.Width(), got.Height(), pf24bit);
    Level(0)->PaintMenu(shot.Canvas()->Handle());
    // The plain look: the highlighted first entry, the image column beside the second.
    EXPECT_EQ(static_cast<COLORREF>(shot.Canvas()->Pixel(4, 7)), static_cast<COLORREF>(0xD2BDB6));
    EXPECT_EQ(static_cast<COLORREF>(shot.Canvas()->Pixel(4, 30)), ColorToRGB(clBtnFace));
    Close();
}

// Each shown item's action is brought up to date, in menu order, before the
// level is built: a caption its update lengthens widens the level. Hidden
// items are not updated.
TEST_F(MenuLevelTest, ActionsUpdateTheirItemsBeforeTheLevelIsBuilt) {
    // Two short entries set the width to beat.
    TMenuItem* items = Entries(2);
    const int shortWidth = Open(items, TRect(300, 200, 300, 200), false, false).Width();
    Close();

    Log log;
    auto* first = new TAction(form);
    first->SetCaption(L"短");
    first->OnUpdate = [&](TObject*) {
        log.push_back("update first");
        first->SetCaption(L"这是一个很长很长很长很长很长很长的菜单项标题");
    };
    auto* hidden = new TAction(form);
    hidden->OnUpdate = [&](TObject*) { log.push_back("update hidden"); };
    auto* last = new TAction(form);
    last->SetCaption(L"短");
    last->OnUpdate = [&](TObject*) { log.push_back("update last"); };
    items = Entries(3);
    items->Items(0)->SetAction(first);
    items->Items(1)->SetAction(hidden);
    items->Items(1)->SetVisible(false);
    items->Items(2)->SetAction(last);
    ASSERT_EQ(items->Items(0)->Caption(), L"短");

    const TRect got = Open(items, TRect(300, 200, 300, 200), false, false);
    EXPECT_EQ(log, (Log{"update first", "update last"}));
    EXPECT_GT(got.Width(), shortWidth + 100);
    Close();
}

}  // namespace
