// Painting of single menu entries, checked in pixels: check and radio
// marks, the shortcut's right margin, the glyphs of named window-command
// items, an item's own bitmap, a header caption laid out without a forced
// single line, and the hover cross-fade of a skinned entry.
#include <functional>

#include "MenusFixture.h"
#include "platform/Bitmap.h"
#include "skin/bsUtils.h"

using namespace menustest;

namespace {

class MenuPaintTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        menu = new TPopupMenu(form);
    }
    // Opens the menu's items as a first level; its mouse poll is stopped,
    // so only the test moves the pointer.
    TbsSkinPopupWindow* Open(TbsSkinData* skin = nullptr) {
        frame->SkinMenuOpen();
        frame->SkinMenu->Popup(nullptr, skin, 0, TRect(300, 200, 300, 200), menu->Items(), false);
        TbsSkinPopupWindow* level = Level(0);
        level->MouseTimer->SetEnabled(false);
        return level;
    }
    void TearDown() override {
        frame->SkinMenu->Hide();
        Application->ProcessMessages();
        MenusTest::TearDown();
    }
    // Entry i drawn alone into a bitmap of its own size.
    static std::unique_ptr<TBitmap> Shot(TbsSkinPopupWindow* level, int i) {
        TbsSkinMenuItem* e = level->ItemList[static_cast<size_t>(i)].get();
        TBitmap whole(level->Width(), level->Height(), pf24bit);
        level->PaintMenu(whole.Canvas()->Handle());  // also the background buffer
        e->Draw(whole.Canvas());
        const TRect& r = e->ObjectRect;
        auto b = std::make_unique<TBitmap>(r.Width(), r.Height(), pf24bit);
        b->Canvas()->CopyRect(TRect(0, 0, r.Width(), r.Height()), whole.Canvas(), r);
        return b;
    }
    static COLORREF At(TBitmap* b, int x, int y) { return static_cast<COLORREF>(b->Canvas()->Pixel(x, y)); }
    // Pixels of `a` that differ from `b` within the rectangle.
    static int Differ(TBitmap* a, TBitmap* b, const TRect& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(a, x, y) != At(b, x, y)) ++n;
        return n;
    }
    TPopupMenu* menu = nullptr;
};

const COLORREF kInk = 0;  // clWindowText of the plain look

// Plain look, an entry 20 high: the inner area starts 2 in, the mark at
// (I.left + 3, 6): a check mark passes through (7, 11..13), a radio dot
// fills around (8, 9).
TEST_F(MenuPaintTest, PlainEntriesShowCheckAndRadioMarksOnlyWhenChecked) {
    const struct {
        const char* name;
        bool checked, radio;
        bool tick, dot;
    } cases[] = {
        {"checked", true, false, true, false},
        {"radio", true, true, false, true},
        {"unchecked", false, false, false, false},
        {"unchecked radio", false, true, false, false},
    };
    AddItem(menu, menu->Items(), L"首项");
    for (const auto& c : cases) {
        TMenuItem* item = AddItem(menu, menu->Items(), L"项目");
        item->SetRadioItem(c.radio);
        if (c.checked) item->SetChecked(true);
    }
    TbsSkinPopupWindow* level = Open();
    for (size_t i = 0; i < std::size(cases); ++i) {
        auto b = Shot(level, static_cast<int>(i) + 1);
        const auto& c = cases[i];
        EXPECT_EQ(At(b.get(), 7, 12) == kInk, c.tick) << c.name;
        EXPECT_EQ(At(b.get(), 7, 13) == kInk, c.tick) << c.name;
        EXPECT_EQ(At(b.get(), 8, 9) == kInk, c.dot) << c.name;
        EXPECT_EQ(At(b.get(), 12, 9), ColorToRGB(clBtnFace)) << c.name << ": right of both marks";
    }
}

// The shortcut text ends 19 (plain) or 16 (skinned) pixels before the right
// edge of the text area.
TEST_F(MenuPaintTest, TheShortcutEndsItsMarginBeforeTheTextAreasRightEdge) {
    auto skin = ProgramSkin();
    TbsDataSkinMenuItem* rec = MenuItemRecord(skin.get());
    ASSERT_NE(rec, nullptr);
    AddItem(menu, menu->Items(), L"首项");
    TMenuItem* save = AddItem(menu, menu->Items(), L"保存");
    for (TbsSkinData* sd : {static_cast<TbsSkinData*>(nullptr), skin.get()}) {
        save->SetShortCut(ShortCut('S', ssCtrl));
        TbsSkinPopupWindow* level = Open(sd);
        // The same entry with and without its shortcut.
        auto with = Shot(level, 1);
        save->SetShortCut(scNone);
        auto without = Shot(level, 1);
        const int w = with->Width(), h = with->Height();
        int rightmost = -1;
        for (int x = 0; x < w; ++x)
            if (Differ(with.get(), without.get(), TRect(x, 0, x + 1, h)) > 0) rightmost = x;
        // The text area's right edge in the entry.
        const int right = sd ? w + rec->TextRct.right - rec->SkinRect.Width() : w - 2;
        const int margin = sd ? 16 : 19;
        EXPECT_LT(rightmost, right - margin) << (sd ? "skinned" : "plain");
        EXPECT_GE(rightmost, right - margin - 4) << (sd ? "skinned" : "plain");
        frame->SkinMenu->Hide();
    }
}

// The frame's own items show their glyph in the mark place, in the font
// colour, also when checked (no check mark over it).
TEST_F(MenuPaintTest, NamedWindowCommandItemsShowTheirGlyphs) {
    const struct {
        const wchar_t* name;
        void (*glyph)(TCanvas*, int, int, TColor);
    } cases[] = {
        {L"BSF_CLOSE", DrawCloseImage},         {L"TRAY_BSF_CLOSE", DrawCloseImage},
        {L"BSF_MINITEM", DrawMinimizeImage},    {L"BSF_MAXITEM", DrawMaximizeImage},
        {L"BSF_RESTORE", DrawRestoreImage},     {L"TRAY_BSF_RESTORE", DrawRestoreImage},
        {L"BSF_ROLLUP", DrawRollUpImage},       {L"BSF_MINTOTRAY", DrawMinimizeToTrayImage},
    };
    AddItem(menu, menu->Items(), L"首项");
    for (const auto& c : cases) {
        TMenuItem* item = AddItem(menu, menu->Items(), L"命令");
        item->SetName(c.name);
        item->SetChecked(true);
    }
    TbsSkinPopupWindow* level = Open();
    for (size_t i = 0; i < std::size(cases); ++i) {
        auto got = Shot(level, static_cast<int>(i) + 1);
        // The image column with the glyph at (I.left + 2, 6).
        TBitmap want(got->Width(), got->Height(), pf24bit);
        want.Canvas()->Brush()->SetColor(clBtnFace);
        want.Canvas()->FillRect(TRect(0, 0, 19, want.Height()));
        cases[i].glyph(want.Canvas(), 4, 6, clWindowText);
        EXPECT_EQ(Differ(got.get(), &want, TRect(0, 0, 19, got->Height())), 0)
            << std::string(cases[i].name, cases[i].name + wcslen(cases[i].name));
    }
}

// An item's own bitmap is drawn in the image place; a checked one gets a
// frame around it instead of a check mark.
TEST_F(MenuPaintTest, AnItemsOwnBitmapIsDrawnAndFramedWhenChecked) {
    TBitmap red(12, 12, pf24bit);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(TRect(0, 0, 12, 12));
    AddItem(menu, menu->Items(), L"首项");
    AddItem(menu, menu->Items(), L"图片")->SetBitmap(&red);
    TMenuItem* checked = AddItem(menu, menu->Items(), L"图片");
    checked->SetBitmap(&red);
    checked->SetChecked(true);
    TbsSkinPopupWindow* level = Open();
    // Plain: at (I.left + 2, centred) = (4, 4), 12 x 12.
    auto plain = Shot(level, 1);
    EXPECT_EQ(At(plain.get(), 4, 4), ColorToRGB(clRed));
    EXPECT_EQ(At(plain.get(), 15, 15), ColorToRGB(clRed));
    EXPECT_EQ(At(plain.get(), 3, 3), ColorToRGB(clBtnFace));
    auto framed = Shot(level, 2);
    EXPECT_EQ(At(framed.get(), 3, 3), kInk);
    EXPECT_EQ(At(framed.get(), 16, 16), kInk);
    EXPECT_EQ(At(framed.get(), 9, 10), ColorToRGB(clRed)) << "no check mark over the picture";
    frame->SkinMenu->Hide();

    // Skinned: the picture shows too.
    auto skin = ProgramSkin();
    level = Open(skin.get());
    ASSERT_NE(level->DSMI, nullptr);
    auto b = Shot(level, 1);
    int reds = 0;
    for (int y = 0; y < b->Height(); ++y)
        for (int x = 0; x < b->Width(); ++x)
            if (At(b.get(), x, y) == ColorToRGB(clRed)) ++reds;
    EXPECT_GE(reds, 12 * 12);
}

// A header's caption is laid out centred, not as a forced single line: in a
// tall plain entry it starts at the top of the inner area; a line break in
// it gives a second line.
TEST_F(MenuPaintTest, AHeaderCaptionIsNotForcedOntoOneCentredLine) {
    frame->DefMenuItemHeight = 48;
    AddItem(menu, menu->Items(), L"首项");
    AddItem(menu, menu->Items(), L"-Format-")->SetEnabled(false);
    AddItem(menu, menu->Items(), L"-Top\r\nBottom-")->SetEnabled(false);
    TbsSkinPopupWindow* level = Open();
    const COLORREF text = ColorToRGB(clBtnHighlight);
    auto rowsWithText = [&](TBitmap* b) {
        std::vector<int> rows;
        for (int y = 0; y < b->Height(); ++y)
            for (int x = 0; x < b->Width(); ++x)
                if (At(b, x, y) == text) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    };
    auto one = Shot(level, 1);
    const auto rows = rowsWithText(one.get());
    ASSERT_FALSE(rows.empty());
    EXPECT_LT(rows.front(), 8) << "from the top of the inner area, not centred in 48 pixels";
    auto two = Shot(level, 2);
    const auto rows2 = rowsWithText(two.get());
    ASSERT_FALSE(rows2.empty());
    EXPECT_GT(rows2.back() - rows2.front(), rows.back() - rows.front() + 8) << "two lines";
}

// With morphing, a hover turns an entry to the active look in steps of 0.2
// every 20 ms; a hover that ends half way goes back from the reached mix,
// and the mixed entry is neither look.
TEST_F(MenuPaintTest, ASkinnedEntryCrossFadesInFiveStepsAndReversesFromTheMix) {
    auto skin = ProgramSkin();
    skin->EnableSkinEffects = true;
    for (int i = 0; i < 3; ++i) AddItem(menu, menu->Items(), L"项目" + std::to_wstring(i));
    TbsSkinPopupWindow* level = Open(skin.get());
    ASSERT_NE(level->DSMI, nullptr);
    level->DSMI->Morphing = true;
    level->DSMI->MorphKind = mkDefault;
    TbsSkinMenuItem* e = level->ItemList[1].get();
    auto inactive = Shot(level, 1);
    auto over = [&](int i) {
        const TRect& r = level->ItemList[static_cast<size_t>(i)]->ObjectRect;
        level->TrackMouse(r.left + 5, r.top + r.Height() / 2);
    };
    over(1);
    EXPECT_DOUBLE_EQ(e->MorphKf(), 0.0);
    clock.Advance(20);
    EXPECT_NEAR(e->MorphKf(), 0.2, 1e-9);
    clock.Advance(20);
    EXPECT_NEAR(e->MorphKf(), 0.4, 1e-9);
    auto mixed = Shot(level, 1);
    over(2);  // leaves half way
    clock.Advance(20);
    EXPECT_NEAR(e->MorphKf(), 0.2, 1e-9);
    over(1);
    clock.Advance(100);
    EXPECT_DOUBLE_EQ(e->MorphKf(), 1.0);
    clock.Advance(20);
    EXPECT_FALSE(level->MorphTimer->Enabled()) << "the timer stops once nothing changes";
    auto active = Shot(level, 1);
    const TRect all(0, 0, inactive->Width(), inactive->Height());
    EXPECT_GT(Differ(active.get(), inactive.get(), all), 0);
    EXPECT_GT(Differ(mixed.get(), inactive.get(), all), 0);
    EXPECT_GT(Differ(mixed.get(), active.get(), all), 0);
}

}  // namespace
