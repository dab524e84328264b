// The skinned list box (rows, scroll mirror, caption buttons, empty-list
// request) and the link label.
#include "ListsFixture.h"
#include "ListsSkin.h"

#include <shellapi.h>

#include "platform/Clock.h"
#include "skin/boxes/bsSkinBoxCtrls.h"
#include "skin/boxes/bsSkinLinkLabel.h"
#include "platform/ImgList.h"
#include "platform/StringList.h"
#include "skin/bsSkinData.h"
#include "skin/bsSkinRecords.h"

using namespace liststest;

namespace {

class ListBoxTest : public ListsTest {
protected:
    TbsSkinListBox* NewList(int rows) {
        auto* l = new TbsSkinListBox(form);
        l->SetParent(form);
        l->SetBounds(10, 10, 120, 120);
        l->HandleNeeded();
        for (int i = 0; i < rows; ++i) l->Items()->Add(L"row " + IntToStr(i));
        Application->ProcessMessages();
        return l;
    }
};

TEST_F(ListBoxTest, TheSkinnedBarMirrorsTheListOnlyWhileRowsDoNotFit) {
    TbsSkinListBox* l = NewList(3);
    EXPECT_EQ(l->ScrollBar, nullptr);
    for (int i = 3; i < 20; ++i) l->Items()->Add(L"row " + IntToStr(i));
    Application->ProcessMessages();
    ASSERT_NE(l->ScrollBar, nullptr);
    EXPECT_EQ(l->ScrollBar->Max(), 19);
    // The inner list ends where the bar begins.
    EXPECT_EQ(l->ListBox->Left() + l->ListBox->Width(), l->ScrollBar->Left());
    l->ScrollBar->SetPosition(5);
    EXPECT_EQ(l->TopIndex(), 5);
    // With RowCount equal to the item count no bar is shown.
    l->SetRowCount(20);
    EXPECT_EQ(l->ScrollBar, nullptr);
    EXPECT_EQ(l->Height(), l->CalcHeight(20));
    l->SetRowCount(0);
    l->Clear();
    EXPECT_EQ(l->ScrollBar, nullptr);
}

// The inner list's rows as painted.
void Shot(TbsListBox* inner, TBitmap& shot) {
    shot.SetPixelFormat(pf24bit);
    shot.SetSize(inner->ClientWidth(), inner->ClientHeight());
    SendMessageW(inner->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()),
                 PRF_CLIENT | PRF_ERASEBKGND);
}

// The first column from x on where a pixel of the row band [top, bottom)
// differs from the window colour (-1: none).
int FirstInk(TBitmap& shot, int x, int top, int bottom) {
    const auto paper = static_cast<COLORREF>(ColorToRGB(clWindow));
    for (; x < shot.Width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (static_cast<COLORREF>(shot.Canvas()->Pixel(x, y)) != paper) return x;
    return -1;
}

TEST_F(ListBoxTest, AWideRowBringsAHorizontalBarThatTheArrowKeysMove) {
    TbsSkinListBox* l = NewList(3);
    l->SetHorizontalExtent(true);
    EXPECT_EQ(l->HScrollBar, nullptr);  // every row fits
    l->Items()->Add(L"a row far too wide for a list of one hundred and twenty pixels");
    Application->ProcessMessages();
    ASSERT_NE(l->HScrollBar, nullptr);
    TbsSkinScrollBar* bar = l->HScrollBar;
    // The inner list ends above the bar, which spans the frame less its border.
    EXPECT_LE(l->ListBox->Top() + l->ListBox->Height(), bar->Top());
    EXPECT_EQ(bar->Kind(), sbHorizontal);
    EXPECT_GT(bar->Max(), l->ListBox->Width());
    ASSERT_GT(bar->SmallChange(), 0);
    l->SetItemIndex(1);
    l->ListBox->SetFocus();
    PressKey(l->ListBox->Handle(), VK_RIGHT);
    PressKey(l->ListBox->Handle(), VK_RIGHT);
    // Right scrolls by one step each and leaves the selection alone.
    EXPECT_EQ(bar->Position(), 2 * bar->SmallChange());
    EXPECT_EQ(l->ListBox->HorizontalExtentValue, bar->Position());
    EXPECT_EQ(l->ItemIndex(), 1);
    PressKey(l->ListBox->Handle(), VK_LEFT);
    EXPECT_EQ(bar->Position(), bar->SmallChange());
    // Switched off: the bar goes and the rows are no longer shifted.
    l->SetHorizontalExtent(false);
    EXPECT_EQ(l->HScrollBar, nullptr);
    EXPECT_EQ(l->ListBox->HorizontalExtentValue, 0);
    // Without the bar the arrows move the selection as the list box does.
    PressKey(l->ListBox->Handle(), VK_RIGHT);
    EXPECT_EQ(l->ItemIndex(), 2);
}

TEST_F(ListBoxTest, BothBarsShareTheCornerAndTheListEndsBeforeEach) {
    TbsSkinListBox* l = NewList(30);
    l->SetHorizontalExtent(true);
    l->Items()->Add(L"a row far too wide for a list of one hundred and twenty pixels");
    Application->ProcessMessages();
    ASSERT_NE(l->ScrollBar, nullptr);
    ASSERT_NE(l->HScrollBar, nullptr);
    EXPECT_TRUE(l->HScrollBar->FBoth);
    EXPECT_EQ(l->ListBox->Left() + l->ListBox->Width(), l->ScrollBar->Left());
    EXPECT_LE(l->ListBox->Top() + l->ListBox->Height(), l->HScrollBar->Top());
    // The vertical bar stops above the horizontal one.
    EXPECT_LE(l->ScrollBar->Top() + l->ScrollBar->Height(), l->HScrollBar->Top() + 1);
}

TEST_F(ListBoxTest, MultiColumnListsScrollByColumnsThroughAHorizontalBar) {
    TbsSkinListBox* l = NewList(30);
    l->SetColumns(2);
    Application->ProcessMessages();
    ASSERT_NE(l->ScrollBar, nullptr);
    EXPECT_EQ(l->ScrollBar->Kind(), sbHorizontal);
    EXPECT_EQ(l->ScrollBar->PageSize(), 2);
    // The bar lies under the list.
    EXPECT_LE(l->ListBox->Top() + l->ListBox->Height(), l->ScrollBar->Top());
    const int rows = l->ListBox->Height() / l->ListBox->ItemHeight();
    ASSERT_GT(rows, 0);
    l->ScrollBar->SetPosition(2);
    EXPECT_EQ(l->TopIndex(), 2 * rows);
    // Everything fits in the visible columns: no bar.
    l->Clear();
    for (int i = 0; i < rows; ++i) l->Items()->Add(L"r" + IntToStr(i));
    Application->ProcessMessages();
    EXPECT_EQ(l->ScrollBar, nullptr);
}

TEST_F(ListBoxTest, TabWidthsPlaceTheTextAfterATabAtTheirStops) {
    TbsSkinListBox* l = NewList(0);
    l->Items()->Add(L"i\ti");
    // Stops in pixels from the row's left edge; only the first ten lines count.
    const struct {
        std::vector<const wchar_t*> lines;
        int stop;
    } cases[] = {{{L"60"}, 60}, {{L"90", L"5"}, 90}};
    for (const auto& c : cases) {
        TStringList tabs;
        for (const wchar_t* line : c.lines) tabs.Add(line);
        l->SetTabWidths(&tabs);
        TBitmap shot;
        Shot(l->ListBox, shot);
        const int h = l->ListBox->ItemHeight();
        const int first = FirstInk(shot, 0, 0, h);
        ASSERT_GE(first, 0);
        const int second = FirstInk(shot, first + 4, 0, h);
        EXPECT_GE(second, c.stop) << c.stop;
        EXPECT_LE(second, c.stop + 3) << c.stop;
    }
}

TEST_F(ListBoxTest, RowsShowTheirOwnPictureAndTheTextMakesRoomForIt) {
    TbsSkinListBox* l = NewList(2);
    TCustomImageList* images = platform_test::SolidColourList(form, {clRed});
    l->SetImages(images);  // ImageIndex -1: each row its own picture
    TBitmap shot;
    Shot(l->ListBox, shot);
    const int h = l->ListBox->ItemHeight();
    // Row 0 shows picture 0 at the text's left edge; row 1 has no picture 1.
    EXPECT_EQ(static_cast<COLORREF>(shot.Canvas()->Pixel(2 + 8, h / 2)), ColorToRGB(clRed));
    EXPECT_NE(static_cast<COLORREF>(shot.Canvas()->Pixel(2 + 8, h + h / 2)), ColorToRGB(clRed));
    // Both texts start after the picture's width and its gap.
    EXPECT_GE(FirstInk(shot, 0, h, 2 * h), 2 + 16 + 2);
    l->SetImageIndex(0);  // one picture for every row
    Shot(l->ListBox, shot);
    EXPECT_EQ(static_cast<COLORREF>(shot.Canvas()->Pixel(2 + 8, h + h / 2)), ColorToRGB(clRed));
}

// A store with a "listbox" record: a 60 x 60 frame of 3-pixel borders and
// an 18-pixel item strip.
std::unique_ptr<TbsSkinData> ListSkin() {
    auto store = std::make_unique<TbsSkinData>(nullptr);
    store->FPicture->SetSize(4, 4);
    // The frame silver round a green client part; the item strips white
    // (normal), red (selected) and blue (focused), one below the other.
    auto pic = std::make_unique<TBitmap>(120, 60, pf24bit);
    const struct {
        TRect r;
        TColor c;
    } parts[] = {{TRect(0, 0, 60, 60), clSilver}, {TRect(3, 3, 57, 57), clLime}, {TRect(60, 0, 120, 18), clWhite},
                 {TRect(60, 18, 120, 36), clRed}, {TRect(60, 36, 120, 54), clBlue}};
    for (const auto& part : parts) {
        pic->Canvas()->Brush()->SetColor(part.c);
        pic->Canvas()->FillRect(part.r);
    }
    store->FActivePicturesNames->Add(L"controls.bmp");
    store->FActivePictures.push_back(std::move(pic));
    auto rec = std::make_unique<TbsDataSkinListBox>(L"listbox");
    rec->PictureIndex = 0;
    rec->SkinRect = TRect(0, 0, 60, 60);
    rec->LTPoint = TPoint(3, 3);
    rec->RTPoint = TPoint(57, 3);
    rec->LBPoint = TPoint(3, 57);
    rec->RBPoint = TPoint(57, 57);
    rec->ClRect = TRect(3, 3, 57, 57);
    rec->SItemRect = TRect(60, 0, 120, 18);
    rec->ActiveItemRect = TRect(60, 18, 120, 36);
    rec->FocusItemRect = TRect(60, 36, 120, 54);
    rec->ItemLeftOffset = rec->ItemRightOffset = 2;
    rec->ItemTextRect = TRect(4, 0, 56, 18);
    store->CtrlList.push_back(std::move(rec));
    store->Empty = false;
    return store;
}

// A skin change moves the bars and the inner list; the moves erase the
// list at once, which asks for the bars again while they are being placed.
// A table: the horizontal bar alone, and both bars.
TEST_F(ListBoxTest, ASkinChangeLaysTheBarsOutAgainAroundTheList) {
    for (int rows : {3, 30}) {
        auto store = ListSkin();
        TbsSkinListBox* l = NewList(rows);
        l->SetHorizontalExtent(true);
        l->Items()->Add(L"a row far wider than the list shows, far wider than the list shows");
        Application->ProcessMessages();
        ASSERT_NE(l->HScrollBar, nullptr) << rows;
        l->SetSkinData(store.get());
        Application->ProcessMessages();
        EXPECT_EQ(l->FIndex, 0) << rows;
        EXPECT_EQ(l->ListBox->ItemHeight(), 18) << rows;  // the skin's item strip
        ASSERT_NE(l->HScrollBar, nullptr) << rows;
        EXPECT_EQ(l->ScrollBar != nullptr, rows == 30) << rows;
        // Inside the skin's client part (3-pixel borders): the list, the
        // vertical bar at its right and the horizontal one below both.
        const TRect list = l->ListBox->BoundsRect(), h = l->HScrollBar->BoundsRect();
        EXPECT_EQ(list.left, 3) << rows;
        EXPECT_EQ(list.top, 3) << rows;
        EXPECT_EQ(list.bottom, h.top) << rows;
        EXPECT_EQ(h.bottom, l->Height() - 3) << rows;
        EXPECT_EQ(h.Width(), l->Width() - 6) << rows;
        if (l->ScrollBar) {
            const TRect v = l->ScrollBar->BoundsRect();
            EXPECT_EQ(list.right, v.left);
            EXPECT_EQ(v.right, l->Width() - 3);
            EXPECT_EQ(v.bottom, h.top);
        } else {
            EXPECT_EQ(list.right, l->Width() - 3);
        }
        l->Free();
    }
}

TEST_F(ListBoxTest, SkinnedRowsComeFromTheItemStripsAndTheRestFromTheClientPart) {
    auto store = ListSkin();
    TbsSkinListBox* l = NewList(2);
    l->SetSkinData(store.get());
    l->SetItemIndex(1);
    Application->ProcessMessages();
    const int w = l->ListBox->ClientWidth();
    auto at = [&](int row) {
        TBitmap shot;
        Shot(l->ListBox, shot);
        return static_cast<COLORREF>(shot.Canvas()->Pixel(w - 4, row * 18 + 9));
    };
    EXPECT_EQ(at(0), ColorToRGB(clWhite));
    EXPECT_EQ(at(1), ColorToRGB(clRed));  // selected
    EXPECT_EQ(at(3), ColorToRGB(clLime));  // below the rows: the client part
    l->ListBox->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(at(1), ColorToRGB(clBlue));  // selected and focused
    EXPECT_EQ(at(0), ColorToRGB(clWhite));
}

TEST_F(ListBoxTest, OnlyAnEmptyListAnswersTheEmptyPaintRequest) {
    TbsSkinListBox* l = NewList(0);
    HWND inner = l->ListBox->Handle();
    EXPECT_EQ(SendMessageW(inner, CM_PAINTEMPTYLISTTODC, 0, bsPaintToDCKey), bsPaintToDCKey);
    EXPECT_EQ(SendMessageW(inner, CM_PAINTEMPTYLISTTODC, 0, 1), 0);
    l->Items()->Add(L"x");
    EXPECT_EQ(SendMessageW(inner, CM_PAINTEMPTYLISTTODC, 0, bsPaintToDCKey), 0);
    EXPECT_EQ(SendMessageW(inner, CM_PAINTFRAMETODC, 0, 0), bsPaintFrameAnswer);
}

TEST_F(ListBoxTest, CaptionButtonsStepTheSelectionAndRepeatWhileHeld) {
    platform::ScopedManualClock clock;
    TbsSkinListBox* l = NewList(10);
    l->SetCaptionMode(true);
    l->SetItemIndex(0);
    l->Repaint();  // lays the buttons out
    ASSERT_FALSE(IsNullRect(l->CaptionButtonRect(0)));
    const TRect u = l->CaptionButtonRect(0), d = l->CaptionButtonRect(1);
    // Up on the first row does nothing; down steps.
    Click(l->Handle(), u.left + 2, u.top + 2);
    EXPECT_EQ(l->ItemIndex(), 0);
    Click(l->Handle(), d.left + 2, d.top + 2);
    EXPECT_EQ(l->ItemIndex(), 1);
    // Held down: a step after 600 ms, then every 100 ms, one more on release.
    SendMessageW(l->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(d.left + 2, d.top + 2));
    clock.Advance(599);
    EXPECT_EQ(l->ItemIndex(), 1);
    clock.Advance(1);
    EXPECT_EQ(l->ItemIndex(), 2);
    clock.Advance(200);
    EXPECT_EQ(l->ItemIndex(), 4);
    SendMessageW(l->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(d.left + 2, d.top + 2));
    EXPECT_EQ(l->ItemIndex(), 5);
    // With its event assigned the button raises it instead.
    int checks = 0;
    l->OnCheckButtonClick = [&](TObject*) { ++checks; };
    const TRect c = l->CaptionButtonRect(2);
    Click(l->Handle(), c.left + 2, c.top + 2);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(ListBoxTest, ALinkLabelOpensItsAddressThroughTheOpener) {
    std::vector<String> opened;
    LinkOpener() = [&](const String& url) { opened.push_back(url); };
    auto* l = new TbsSkinLinkLabel(form);
    l->SetParent(form);
    l->SetBounds(10, 10, 153, 33);
    l->SetCaption(L"www.example.org");
    int clicks = 0;
    l->OnClick = [&](TObject*) { ++clicks; };
    l->Click();
    EXPECT_TRUE(opened.empty());  // no address: only OnClick
    l->URL = L"mailto:team@example.org";
    l->Click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], L"mailto:team@example.org");
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(l->Cursor, crHandPoint);
    LinkOpener() = [](const String& url) {
        ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
}

TEST_F(ListBoxTest, ALinkLabelTurnsItsHoverColourUnderThePointer) {
    auto* l = new TbsSkinLinkLabel(form);
    l->SetParent(form);
    l->SetBounds(10, 10, 153, 33);
    l->SetCaption(L"WWWWWWWW");
    Application->ProcessMessages();
    const TRect area(10, 10, 163, 43);
    EXPECT_FALSE(platform_test::ShowsColour(form, area, 0xFF0000));
    l->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(platform_test::ShowsColour(form, area, 0xFF0000));
    l->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(platform_test::ShowsColour(form, area, 0xFF0000));
}


// ---- caption from the "listbox" record -----------------------------------------------------------

// A 100 x 60 list on the 60 x 60 skin: the caption buttons lie right of the
// top-right corner point, so they move 40 pixels with the right edge.
class SkinnedCaptionTest : public ListBoxTest {
protected:
    std::unique_ptr<TbsSkinData> skin = MakeListsSkin();
    TbsSkinListBox* NewCaptioned(bool buttons) {
        TbsSkinListBox* l = NewList(3);
        l->SetCaptionMode(true);
        l->SetShowCaptionButtons(buttons);
        l->SetSkinData(skin.get());
        l->SetBounds(10, 10, 100, 60);
        l->SetItemIndex(2);
        return l;
    }
    static Snap Face(TbsSkinListBox* l) {
        Snap s(l->Width(), l->Height());
        l->PaintTo(s.DC(), 0, 0);
        return s;
    }
};

TEST_F(SkinnedCaptionTest, TheButtonsComeFromTheRecordAndOnlyTheyTakeClicks) {
    TbsSkinListBox* l = NewCaptioned(true);
    Face(l);
    EXPECT_EQ(l->CaptionButtonRect(0), TRect(85, 5, 97, 17));
    EXPECT_EQ(l->CaptionButtonRect(1), TRect(73, 5, 85, 17));
    EXPECT_EQ(l->CaptionButtonRect(2), TRect(61, 5, 73, 17));
    Snap idle = Face(l);
    for (int x : {91, 79, 67}) EXPECT_EQ(idle.At(x, 11), kCapButton) << x;
    SendMessageW(l->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(91, 11));
    EXPECT_EQ(Face(l).At(91, 11), kCapButtonHot);
    EXPECT_EQ(Face(l).At(79, 11), kCapButton);
    SendMessageW(l->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(91, 11));
    EXPECT_EQ(Face(l).At(91, 11), kCapButtonDown);
    SendMessageW(l->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(91, 11));
    EXPECT_EQ(l->ItemIndex(), 1);
    // Where the plain look would have its check button the skin has none.
    int checks = 0;
    l->OnCheckButtonClick = [&](TObject*) { ++checks; };
    Click(l->Handle(), 50, 10);
    EXPECT_EQ(checks, 0);
    Click(l->Handle(), 67, 11);
    EXPECT_EQ(checks, 1);
}

TEST_F(SkinnedCaptionTest, HiddenButtonsShowTheSkinsDisabledPictureAndTakeNoClicks) {
    TbsSkinListBox* l = NewCaptioned(false);
    Snap face = Face(l);
    for (int x : {62, 80, 96}) EXPECT_EQ(face.At(x, 10), kCapDisabled) << x;
    Click(l->Handle(), 91, 11);
    EXPECT_EQ(l->ItemIndex(), 2);
}

TEST_F(ListBoxTest, TheCaptionGlyphShowsItsCellBeforeTheText) {
    TbsSkinListBox* l = NewList(1);
    l->SetCaptionMode(true);
    l->SetCaption(L"Cap");
    // Two cells, a square of colour on the transparent colour (the
    // bottom-left pixel).
    TBitmap glyph(16, 8);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect(0, 0, 16, 8));
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect(2, 2, 6, 6));
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(TRect(10, 2, 14, 6));
    l->SetGlyph(&glyph);
    l->SetNumGlyphs(2);
    struct Case {
        bool enabled;
        TColor shown, hidden;
    } cases[] = {{true, clRed, clBlue}, {false, clBlue, clRed}};
    for (const Case& c : cases) {
        l->SetEnabled(c.enabled);
        Snap s(l->Width(), l->Height());
        l->PaintTo(s.DC(), 0, 0);
        const TRect caption(3, 2, 20, 18);
        EXPECT_TRUE(s.Shows(caption, ColorToRGB(c.shown))) << c.enabled;
        EXPECT_FALSE(s.Shows(caption, ColorToRGB(c.hidden))) << c.enabled;
        EXPECT_FALSE(s.Shows(caption, ColorToRGB(clFuchsia))) << c.enabled;
    }
}

// The inner list on its own (no frame) still answers the empty-list request.
TEST_F(ListBoxTest, AnInnerListWithoutItsFrameAnswersTheEmptyPaintRequest) {
    auto* inner = new TbsListBox(form);
    inner->SetParent(form);
    inner->SetBounds(0, 0, 40, 30);
    Snap s(40, 30);
    EXPECT_EQ(SendMessageW(inner->Handle(), CM_PAINTEMPTYLISTTODC, reinterpret_cast<WPARAM>(s.DC()), bsPaintToDCKey),
              bsPaintToDCKey);
    EXPECT_EQ(s.At(20, 15), ColorToRGB(clWindow));
}

TEST_F(ListBoxTest, TheInnerListsKeyReleasesAndFocusReachTheFrame) {
    struct Probe : TbsSkinListBox {
        using TbsSkinListBox::TbsSkinListBox;
        std::string* log = nullptr;
        void ListBoxEnter() override { *log += "enter,"; }
        void ListBoxExit() override { *log += "exit,"; }
    };
    auto* l = new Probe(form);
    l->log = &log;
    l->SetParent(form);
    l->Items()->Add(L"a");
    l->HandleNeeded();
    l->OnListBoxKeyUp = [&](TObject* sender, WORD& key, TShiftState) {
        EXPECT_EQ(sender, l);
        Log("up " + std::to_string(key));
    };
    l->ListBox->SetFocus();
    SendMessageW(l->ListBox->Handle(), WM_KEYUP, 'A', 0);
    ::SetFocus(form->Handle());
    EXPECT_EQ(TakeLog(), "enter,up 65,exit,");
}

// Typed letters reach the inner list. With AutoComplete those typed within
// half a second search together (Backspace takes one back); without it the
// list's own search goes by each letter alone.
TEST_F(ListBoxTest, AutoCompleteSearchesByWhatWasTypedTogether) {
    platform::ScopedManualClock clock;
    const struct Case {
        const char* what;
        bool autoComplete;
        const wchar_t* typed;  // '~' stands for a pause of 600 ms
        int index;
        int clicks;
    } cases[] = {
        {"two letters together", true, L"ba", 2, 2},
        {"a pause between them", true, L"b~a", 0, 2},
        {"no row starts so", true, L"bx", 1, 1},
        {"backspace takes one back", true, L"bac\b", 2, 4},
        {"any case", true, L"CH", 3, 1},
        {"without the search", false, L"ba", 0, 2},
    };
    for (const Case& k : cases) {
        auto* l = new TbsSkinListBox(form);
        l->SetParent(form);
        l->SetBounds(10, 10, 120, 120);
        for (const wchar_t* s : {L"apple", L"bob", L"banana", L"cherry", L"bacon"}) l->Items()->Add(s);
        l->SetAutoComplete(k.autoComplete);
        l->HandleNeeded();
        int clicks = 0;
        l->OnListBoxClick = [&](TObject*) { ++clicks; };
        clock.Advance(1000);
        for (const wchar_t* p = k.typed; *p; ++p) {
            if (*p == L'~') clock.Advance(600);
            else SendMessageW(l->ListBox->Handle(), WM_CHAR, *p, 1);
        }
        EXPECT_EQ(l->ItemIndex(), k.index) << k.what;
        EXPECT_EQ(clicks, k.clicks) << k.what;
        l->Free();
    }
}

// In the plain look the rows are written in DefaultFont: a larger one puts
// more ink into the first row. Once the window exists the hook for it ran.
TEST_F(ListBoxTest, PlainRowsFollowDefaultFontAndTheWindowHookRuns) {
    struct Probe : TbsSkinListBox {
        using TbsSkinListBox::TbsSkinListBox;
        int windows = 0;
        void ListBoxCreateWnd() override { ++windows; }
    };
    auto* l = new Probe(form);
    EXPECT_EQ(l->windows, 0);
    l->SetParent(form);
    l->SetBounds(10, 10, 150, 120);
    l->Items()->Add(L"WWWW");
    l->HandleNeeded();
    EXPECT_EQ(l->windows, 1);
    l->ListBox->SetItemHeight(40);
    auto ink = [&] {
        TBitmap shot;
        Shot(l->ListBox, shot);
        int n = 0;
        const COLORREF paper = ColorToRGB(clWindow);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < l->ListBox->ClientWidth(); ++x)
                if (static_cast<COLORREF>(shot.Canvas()->Pixel(x, y)) != paper) ++n;
        return n;
    };
    const int small = ink();
    ASSERT_GT(small, 0);
    l->DefaultFont()->SetHeight(30);
    l->DefaultFont()->SetStyle(fsBold);
    EXPECT_GT(ink(), small * 2);
}

}  // namespace
