// Menus: popup menus driven by keys, shortcuts through the form, the menu
// bar's commands, radio groups, shortcut texts.
#include <gtest/gtest.h>

#include <sstream>

#include "ControlsFixture.h"
#include "platform/Bitmap.h"
#include "platform/Menus.h"
#include "platform/Timer.h"

namespace {

using platform_test::ControlsTest;

class MenuTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        // A menu whose keys went astray is closed instead of hanging the test.
        watchdog = std::make_unique<TTimer>(nullptr);
        watchdog->SetInterval(5000);
        watchdog->OnTimer = [](TObject*) { EndMenu(); };
        watchdog->SetEnabled(true);
    }
    void TearDown() override {
        watchdog.reset();
        ControlsTest::TearDown();
    }
    std::unique_ptr<TTimer> watchdog;
    TMenuItem* NewItem(TMenuItem* parent, const String& caption, std::vector<String>* log = nullptr) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        if (log) item->OnClick = [log, caption](TObject*) { log->push_back(caption); };
        parent->Add(item);
        return item;
    }
    std::vector<String> clicks;
};

TEST_F(MenuTest, PopupRunsTheChosenEntry) {
    auto* popup = new TPopupMenu(form);
    NewItem(popup->Items(), L"Open", &clicks);
    NewItem(popup->Items(), L"-");
    NewItem(popup->Items(), L"Delete", &clicks);
    bool popped = false;
    popup->OnPopup = [&](TObject*) { popped = true; };
    popup->PopupComponent = form;
    // Down to "Open", past the line to "Delete", Enter.
    HWND wnd = form->Handle();
    for (WORD key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(wnd, WM_KEYDOWN, key, 1);
    const TPoint at = form->ClientToScreen(TPoint(20, 20));
    popup->Popup(at.x, at.y);
    EXPECT_TRUE(popped);
    EXPECT_EQ(clicks, std::vector<String>{L"Delete"});
    EXPECT_EQ(popup->ChosenItem(), popup->Items()->Items(2));

    // Escape closes it without running anything.
    PostMessageW(wnd, WM_KEYDOWN, VK_ESCAPE, 1);
    popup->Popup(at.x, at.y);
    EXPECT_EQ(popup->ChosenItem(), nullptr);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(MenuTest, ContextMenuOfTheControlUnderThePointer) {
    auto* popup = new TPopupMenu(form);
    NewItem(popup->Items(), L"Properties", &clicks);
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 100, 100);
    panel->PopupMenu = popup;
    TComponent* component = nullptr;
    popup->OnPopup = [&](TObject*) { component = popup->PopupComponent; };
    HWND wnd = panel->Handle();
    for (WORD key : {VK_DOWN, VK_RETURN}) PostMessageW(wnd, WM_KEYDOWN, key, 1);
    const TPoint at = panel->ClientToScreen(TPoint(5, 5));
    SendMessageW(wnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(clicks, std::vector<String>{L"Properties"});
    EXPECT_EQ(component, panel);
    // Without AutoPopup nothing opens.
    popup->AutoPopup = false;
    component = nullptr;
    SendMessageW(wnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(component, nullptr);
}

TEST_F(MenuTest, FormShortCutRunsItsMenuEntry) {
    auto* menu = new TMainMenu(form);
    TMenuItem* help = NewItem(menu->Items(), L"&Help");
    TMenuItem* topics = NewItem(help, L"Topics", &clicks);
    topics->SetShortCut(ShortCut(VK_F1, 0));
    TMenuItem* save = NewItem(help, L"Save", &clicks);
    save->SetShortCut(TextToShortCut(L"Ctrl+S"));
    form->SetMenu(menu);
    EXPECT_NE(GetMenu(form->Handle()), nullptr);
    form->SetFocus();
    Application->ProcessMessages();
    PressKey(form->Handle(), VK_F1);
    EXPECT_EQ(clicks, std::vector<String>{L"Topics"});
    // A disabled entry (or one under a disabled parent) does not answer.
    topics->SetEnabled(false);
    PressKey(form->Handle(), VK_F1);
    topics->SetEnabled(true);
    help->SetEnabled(false);
    PressKey(form->Handle(), VK_F1);
    EXPECT_EQ(clicks.size(), 1u);
    help->SetEnabled(true);
    // The bar's command for an entry runs it.
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
    EXPECT_EQ(clicks.back(), L"Save");
}

TEST_F(MenuTest, PopupMenusOfTheFormAnswerShortCuts) {
    auto* popup = new TPopupMenu(form);
    NewItem(popup->Items(), L"Refresh", &clicks)->SetShortCut(ShortCut(VK_F5, 0));
    form->SetFocus();
    PressKey(form->Handle(), VK_F5);
    EXPECT_EQ(clicks, std::vector<String>{L"Refresh"});
}

TEST_F(MenuTest, RadioItemsOfAGroupExcludeEachOther) {
    auto* popup = new TPopupMenu(form);
    std::vector<TMenuItem*> items;
    for (int i = 0; i < 4; ++i) {
        TMenuItem* item = NewItem(popup->Items(), IntToStr(i));
        item->SetRadioItem(true);
        item->SetGroupIndex(i < 3 ? 1 : 2);
        item->AutoCheck = true;
        items.push_back(item);
    }
    items[3]->SetChecked(true);
    items[0]->SetChecked(true);
    items[1]->Click();
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[3]->Checked());  // another group
}

TEST_F(MenuTest, FreeingItemsKeepsTheTreeWhole) {
    auto* menu = new TMainMenu(form);
    TMenuItem* file = NewItem(menu->Items(), L"File");
    NewItem(file, L"Open");
    TMenuItem* exit = NewItem(file, L"Exit");
    form->SetMenu(menu);
    exit->Free();
    EXPECT_EQ(file->Count(), 1);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(form->Handle()), 0)), 1);
    EXPECT_THROW(file->Add(menu->Items()), EMenuError);
    menu->Free();
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
}

struct ShortCutText {
    TShortCut shortCut;
    const wchar_t* text;
};
class ShortCutTexts : public ::testing::TestWithParam<ShortCutText> {};

TEST_P(ShortCutTexts, ConvertBothWays) {
    EXPECT_EQ(ShortCutToText(GetParam().shortCut), GetParam().text);
    EXPECT_EQ(TextToShortCut(GetParam().text), GetParam().shortCut);
}

INSTANTIATE_TEST_SUITE_P(Keys, ShortCutTexts,
                         ::testing::Values(ShortCutText{VK_F1, L"F1"}, ShortCutText{scCtrl | 'S', L"Ctrl+S"},
                                           ShortCutText{scShift | VK_DELETE, L"Shift+Del"},
                                           ShortCutText{scShift | scCtrl | scAlt | 'Z', L"Shift+Ctrl+Alt+Z"},
                                           ShortCutText{scNone, L""}));

// ---- separator lines -----------------------------------------------------------------------

// Captions of a menu level with "x" for a hidden item, and what stays shown.
struct LineCase {
    const wchar_t* layout;  // items separated by spaces: a name, "-", or "x" (hidden)
    const wchar_t* shown;   // the shown items in order
};
class LineReduction : public MenuTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineReduction, ShowsOnlyLinesBetweenShownItems) {
    auto* popup = new TPopupMenu(form);
    std::wistringstream in(GetParam().layout);
    for (std::wstring word; in >> word;) NewItem(popup->Items(), word == L"x" ? L"hidden" : word)->SetVisible(word != L"x");
    popup->Items()->RethinkLines();
    std::wstring shown;
    for (int i = 0; i < popup->Items()->Count(); ++i)
        if (popup->Items()->Items(i)->Visible()) shown += (shown.empty() ? L"" : L" ") + popup->Items()->Items(i)->Caption();
    EXPECT_EQ(shown, GetParam().shown);
    // The native menu has the same entries.
    HMENU native = popup->CreateNativeMenu(true);
    std::wistringstream expected(GetParam().shown);
    int n = 0;
    for (std::wstring w; expected >> w;) ++n;
    EXPECT_EQ(GetMenuItemCount(native), n);
    DestroyMenu(native);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LineReduction,
    ::testing::Values(LineCase{L"- a - b -", L"a - b"}, LineCase{L"a - - - b", L"a - b"},
                      LineCase{L"a - x - b", L"a - b"}, LineCase{L"a - x", L"a"}, LineCase{L"x - a", L"a"},
                      LineCase{L"- -", L""}, LineCase{L"a b", L"a b"}, LineCase{L"a - b - c", L"a - b - c"}));

TEST_F(MenuTest, LinesComeBackWhenTheirItemsDoAndManualMenusKeepThem) {
    auto* popup = new TPopupMenu(form);
    NewItem(popup->Items(), L"a");
    TMenuItem* line = NewItem(popup->Items(), L"-");
    TMenuItem* b = NewItem(popup->Items(), L"b");
    b->SetVisible(false);
    EXPECT_TRUE(popup->Items()->RethinkLines());
    EXPECT_FALSE(line->Visible());
    EXPECT_FALSE(popup->Items()->RethinkLines());  // nothing left to change
    b->SetVisible(true);
    HMENU native = popup->CreateNativeMenu(true);  // automatic: rethought while built
    EXPECT_TRUE(line->Visible());
    EXPECT_EQ(GetMenuItemCount(native), 3);
    DestroyMenu(native);

    // A sub-menu follows its own flag, else its parent's, else the menu's.
    TMenuItem* sub = NewItem(popup->Items(), L"sub");
    NewItem(sub, L"-");
    TMenuItem* inner = NewItem(sub, L"c");
    popup->AutoLineReduction = maManual;
    native = popup->CreateNativeMenu(true);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(native, 3)), 2);
    DestroyMenu(native);
    sub->AutoLineReduction = maAutomatic;
    popup->Items()->RethinkLines();  // the level itself is the caller's to ask for
    EXPECT_FALSE(sub->Items(0)->Visible());
    EXPECT_TRUE(inner->Visible());
}

// ---- accelerators and text direction --------------------------------------------------------

TEST(MenuAccelerators, IsAccelFindsTheMarkedLetterOnly) {
    const struct {
        WORD key;
        const wchar_t* caption;
        bool expected;
    } cases[] = {
        {'O', L"&Open", true},    {'o', L"&Open", true},      {'P', L"&Open", false},  {'X', L"E&xit", true},
        {'E', L"E&xit", false},   {'A', L"Save && &All", true}, {'&', L"A&&B", false},  {'B', L"A&&B", false},
        {'S', L"Save", false},    {'S', L"&", false},         {'1', L"&1 recent", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsAccel(c.key, c.caption), c.expected) << c.caption << " " << c.key;
}

class RightToLeftLabel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    // As on a system set up for right-to-left languages.
    bool UseRightToLeftAlignment() const override { return BiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const override { return BiDiMode != bdLeftToRight; }
};

TEST(TextDirection, DrawTextFlagsFollowTheBiDiMode) {
    const struct {
        TBiDiMode mode;
        UINT in, out;
    } cases[] = {
        {bdLeftToRight, DT_LEFT | DT_VCENTER, DT_LEFT | DT_VCENTER},
        {bdLeftToRight, DT_RIGHT, DT_RIGHT},
        {bdRightToLeft, DT_LEFT | DT_SINGLELINE, DT_RIGHT | DT_SINGLELINE | DT_RTLREADING},
        {bdRightToLeft, DT_RIGHT, DT_LEFT | DT_RTLREADING},
        {bdRightToLeft, DT_CENTER | DT_VCENTER, DT_CENTER | DT_VCENTER | DT_RTLREADING},
        {bdRightToLeftNoAlign, DT_LEFT, DT_LEFT | DT_RTLREADING},
        {bdRightToLeftReadingOnly, DT_RIGHT, DT_RIGHT | DT_RTLREADING},
    };
    RightToLeftLabel label(nullptr);
    for (const auto& c : cases) {
        label.BiDiMode = c.mode;
        EXPECT_EQ(label.DrawTextBiDiModeFlags(c.in), c.out) << c.mode << " " << c.in;
    }
    // Here (no right-to-left system) a plain control leaves every flag alone.
    TGraphicControl plain(nullptr);
    if (GetSystemMetrics(SM_MIDEASTENABLED) == 0) {
        plain.BiDiMode = bdRightToLeft;
        EXPECT_EQ(plain.DrawTextBiDiModeFlags(DT_LEFT | DT_WORDBREAK), static_cast<UINT>(DT_LEFT | DT_WORDBREAK));
    }
}

// ---- owner-drawn items ----------------------------------------------------------------------

TEST_F(MenuTest, OnDrawItemMakesTheItemOwnerDrawnAndDrawsIt) {
    auto* menu = new TMainMenu(form);
    TMenuItem* file = NewItem(menu->Items(), L"File");
    NewItem(menu->Items(), L"Plain");
    struct Call {
        TObject* sender;
        TRect rect;
        bool selected;
    };
    std::vector<Call> calls;
    file->OnDrawItem = [&](TObject* sender, TCanvas* canvas, const TRect& r, bool selected) {
        calls.push_back({sender, r, selected});
        canvas->Brush()->SetColor(clRed);
        canvas->FillRect(r);
    };
    form->SetMenu(menu);
    HMENU bar = GetMenu(form->Handle());
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(bar, 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(file));
    ASSERT_TRUE(GetMenuItemInfoW(bar, 1, TRUE, &info));
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);

    // The form answers the system's measure and draw requests for it.
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    mi.itemData = reinterpret_cast<ULONG_PTR>(file);
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi)));
    EXPECT_GT(mi.itemWidth, 0u);
    EXPECT_GT(mi.itemHeight, 0u);
    // The system draws the bar through it.
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Application->ProcessMessages();
    ASSERT_FALSE(calls.empty());
    for (const Call& c : calls) {
        EXPECT_EQ(c.sender, file);
        EXPECT_FALSE(c.rect.IsEmpty());
    }
    calls.clear();
    TBitmap target(40, 20, pf24bit);
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_MENU;
    di.itemData = reinterpret_cast<ULONG_PTR>(file);
    di.itemState = ODS_SELECTED;
    di.hDC = target.Canvas()->Handle();
    di.rcItem = RECT{5, 2, 30, 18};
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di)));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].sender, file);
    EXPECT_EQ(calls[0].rect, TRect(5, 2, 30, 18));
    EXPECT_TRUE(calls[0].selected);
    EXPECT_EQ(target.Canvas()->Pixel(10, 10), clRed);
    EXPECT_NE(target.Canvas()->Pixel(2, 10), clRed);

    // A freed item is never called through a stale address.
    file->Free();
    EXPECT_FALSE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di)));
    EXPECT_EQ(calls.size(), 1u);
}

}  // namespace
