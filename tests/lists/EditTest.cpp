// The edit base, the numeric edit and the skinned edit: read-only on every
// input path, Enter to the form's default button, line breaks kept out,
// the context menu's entries, the numeric character filter.
#include "ListsFixture.h"

#include "platform/Owners.h"
#include "ListsSkin.h"

#include <utility>

#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/controls/bsSkinCtrlsMessages.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/frame/bsSkinFrame.h"

using namespace liststest;

namespace {

void SetClipboard(const String& s) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (!s.empty()) {
        const size_t bytes = (s.size() + 1) * sizeof(wchar_t);
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(h), s.c_str(), bytes);
        GlobalUnlock(h);
        SetClipboardData(CF_UNICODETEXT, h);
    }
    CloseClipboard();
}

String GetClipboard() {
    String s;
    if (!OpenClipboard(nullptr)) return s;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        s = static_cast<const wchar_t*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
}

class EditTest : public ListsTest {
protected:
    template <class E = TbsCustomEdit>
    E* NewEdit(const wchar_t* text) {
        auto* e = new E(form);
        e->SetParent(form);
        e->SetBounds(10, 10, 150, 20);
        e->SetText(text);
        e->HandleNeeded();
        return e;
    }
    void Select(TbsCustomEdit* e, int start, int end) {
        SendMessageW(e->Handle(), EM_SETSEL, static_cast<WPARAM>(start), end);
    }
    // The entries of the context menu as "caption:enabled" lines.
    std::string MenuOf(TbsCustomEdit* e) {
        std::string s;
        const TbsEditMenuPopup shown = EditMenuPopupHook();
        EditMenuPopupHook() = [&](TPopupMenu* menu, TControl* control, int, int) {
            EXPECT_EQ(control, e);
            for (int i = 0; i < menu->Items()->Count(); ++i) {
                TMenuItem* it = menu->Items()->Items(i);
                s += Narrow(it->Caption()) + (it->Enabled() ? "+" : "-") + " ";
            }
        };
        SendMessageW(e->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e->Handle()), MAKELPARAM(-1, -1));
        EditMenuPopupHook() = shown;
        return s;
    }
};

TEST_F(EditTest, ReadOnlyBlocksEveryEditingPathWhileCopyWorks) {
    TbsCustomEdit* e = NewEdit(L"hello");
    e->SetReadOnly(true);
    Select(e, 0, 5);
    SetClipboard(L"xyz");
    const struct Path {
        const char* what;
        std::function<void()> act;
    } paths[] = {
        {"typing", [&] { Char(e->Handle(), L'a'); }},
        {"backspace", [&] { Char(e->Handle(), 8); }},
        {"delete key", [&] { PressKey(e->Handle(), VK_DELETE); }},
        {"paste", [&] { SendMessageW(e->Handle(), WM_PASTE, 0, 0); }},
        {"cut", [&] { SendMessageW(e->Handle(), WM_CUT, 0, 0); }},
        {"clear", [&] { SendMessageW(e->Handle(), WM_CLEAR, 0, 0); }},
        {"undo", [&] { SendMessageW(e->Handle(), WM_UNDO, 0, 0); }},
        {"replace selection", [&] { SendMessageW(e->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"q")); }},
    };
    for (const Path& p : paths) {
        p.act();
        EXPECT_EQ(e->GetText(), L"hello") << p.what;
    }
    // The window itself is read-only too (input we never see).
    EXPECT_NE(GetWindowLongPtrW(e->Handle(), GWL_STYLE) & ES_READONLY, 0);
    Select(e, 1, 4);
    SendMessageW(e->Handle(), WM_COPY, 0, 0);
    EXPECT_EQ(GetClipboard(), L"ell");
    // Writable again: the same paths edit.
    e->SetReadOnly(false);
    SetClipboard(L"xyz");
    Select(e, 0, 5);
    SendMessageW(e->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(e->GetText(), L"xyz");
}

TEST_F(EditTest, PasteKeepsLineBreaksOutOfTheEdit) {
    TbsCustomEdit* e = NewEdit(L"ab");
    Select(e, 1, 1);
    SetClipboard(L"XY\r\nsecond line");
    SendMessageW(e->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(e->GetText(), L"aXYb");
    Char(e->Handle(), L'\n');  // Ctrl+Enter
    EXPECT_EQ(e->GetText().find_first_of(L"\r\n"), String::npos);
}

// A pasted block is read up to its first NUL and never past its size; the
// characters after each block's end stand for memory the block does not own.
TEST(ClipboardBlockTest, TheTextEndsAtTheFirstNulOrTheBlocksEnd) {
    const wchar_t memory[] = {L'a', L'b', L'c', L'X', L'Y', L'Z', 0};
    const wchar_t inner[] = {L'a', L'b', 0, L'c', L'd', L'X', 0};
    const struct Case {
        const char* what;
        const wchar_t* block;
        size_t bytes;
        const wchar_t* text;
    } cases[] = {
        {"no NUL in the block", memory, 3 * sizeof(wchar_t), L"abc"},
        {"an odd byte at the end", memory, 3 * sizeof(wchar_t) + 1, L"abc"},
        {"a NUL inside the block", inner, 5 * sizeof(wchar_t), L"ab"},
        {"a block of one byte", memory, 1, L""},
        {"an empty block", memory, 0, L""},
        {"no block", nullptr, 8, L""},
    };
    for (const Case& k : cases) EXPECT_EQ(TextOfClipboardBlock(k.block, k.bytes), String(k.text)) << k.what;
}

TEST_F(EditTest, EnterClicksTheDefaultButtonAndReachesOnKeyPress) {
    auto* ok = new TbsSkinButton(form);
    ok->SetParent(form);
    ok->SetBounds(10, 50, 70, 25);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    TbsCustomEdit* e = NewEdit(L"text");
    std::string keys;
    e->OnKeyPress = [&](TObject*, wchar_t& k) {
        keys += std::to_string(static_cast<int>(k)) + ",";
        k = L'x';  // a change has no effect
    };
    e->SetFocus();
    Char(e->Handle(), L'\r');
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(keys, "13,");
    EXPECT_EQ(e->GetText(), L"text");
}

TEST_F(EditTest, ContextMenuEntriesFollowSelectionClipboardAndReadOnly) {
    TbsCustomEdit* e = NewEdit(L"hello");
    const struct Case {
        const char* what;
        bool readOnly;
        int selStart, selEnd;
        const wchar_t* clipboard;
        const char* menu;
    } cases[] = {
        {"selection", false, 1, 3, L"c", "Undo- -+ Cut+ Copy+ Paste+ Delete+ -+ Select All+ "},
        {"read-only with selection", true, 1, 3, L"c", "Undo- -+ Cut- Copy+ Paste- Delete- -+ Select All+ "},
        {"no selection, empty clipboard", false, 2, 2, L"", "Undo- -+ Cut- Copy- Paste- Delete- -+ Select All+ "},
        {"all selected", false, 0, 5, L"c", "Undo- -+ Cut+ Copy+ Paste+ Delete+ -+ Select All- "},
    };
    for (const Case& c : cases) {
        e->SetReadOnly(c.readOnly);
        SendMessageW(e->Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
        SetClipboard(c.clipboard);
        Select(e, c.selStart, c.selEnd);
        EXPECT_EQ(MenuOf(e), c.menu) << c.what;
    }
    // An empty edit: nothing to select.
    e->SetReadOnly(false);
    e->SetText(L"");
    SetClipboard(L"");
    EXPECT_EQ(MenuOf(e), "Undo- -+ Cut- Copy- Paste- Delete- -+ Select All- ");
}

// The context menu shows as the form frame's skinned popup menu at the
// edit's centre when asked from the keyboard; a chosen entry runs and the
// menu is let go. A form without a frame shows no menu.
TEST_F(EditTest, TheContextMenuIsTheFramesSkinnedMenu) {
    TbsCustomEdit* e = NewEdit(L"hello");
    e->SetFocus();
    const auto selection = [&] {
        DWORD from = 0, to = 0;
        SendMessageW(e->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        return std::make_pair(static_cast<int>(from), static_cast<int>(to));
    };
    const auto ask = [&] {
        SendMessageW(e->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e->Handle()), MAKELPARAM(-1, -1));
        Application->ProcessMessages();
    };
    ask();
    ASSERT_NE(e->SysPopupMenu(), nullptr);
    EXPECT_FALSE(e->SysPopupMenu()->IsOpen());  // no frame: nothing shown

    auto* frame = new TbsSkinFrame(form);
    Application->ProcessMessages();
    ask();
    EXPECT_FALSE(e->SysPopupMenu()->IsOpen());  // a frame without skin data: nothing either

    TbsSkinData menus(nullptr);
    menus.Empty = false;
    frame->SetMenusSkinData(&menus);
    Select(e, 1, 3);
    ASSERT_EQ(selection(), std::make_pair(1, 3));
    SendMessageW(e->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e->Handle()), MAKELPARAM(-1, -1));
    Application->ProcessMessages();
    ASSERT_TRUE(frame->SkinMenu->Visible());
    TbsSkinPopupWindow* level = frame->SkinMenu->LastLevel();
    ASSERT_NE(level, nullptr);
    ASSERT_EQ(level->ItemList.size(), 8u);
    EXPECT_EQ(level->ItemList[7]->MenuItem->Caption(), L"Select All");
    const TPoint centre = e->ClientToScreen(TPoint(e->Width() / 2, e->Height() / 2));
    RECT at{};
    GetWindowRect(level->Handle(), &at);
    EXPECT_EQ(at.left, centre.x);
    EXPECT_EQ(at.top, centre.y);
    EXPECT_TRUE(e->SysPopupMenu()->IsOpen());

    const TRect entry = level->ItemList[7]->ObjectRect;
    const int x = (entry.left + entry.right) / 2, y = (entry.top + entry.bottom) / 2;
    SendMessageW(level->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageW(level->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(level->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Application->ProcessMessages();
    EXPECT_FALSE(frame->SkinMenu->Visible());
    EXPECT_EQ(e->SysPopupMenu(), nullptr);
    EXPECT_EQ(selection(), std::make_pair(0, 5));

    // Freed while its menu is open: the menu closes with it.
    ask();
    ASSERT_TRUE(frame->SkinMenu->Visible());
    e->Free();
    EXPECT_FALSE(frame->SkinMenu->Visible());
    Application->ProcessMessages();
    frame->SetMenusSkinData(nullptr);
}

TEST_F(EditTest, NumericEditFiltersCharacters) {
    auto* e = NewEdit<TbsSkinNumEdit>(L"12");
    e->DecimalSeparator = L',';
    const struct Case {
        bool isFloat;
        const wchar_t* text;
        int caret;
        wchar_t key;
        bool valid;
    } cases[] = {
        {false, L"12", 2, L'3', true},   {false, L"12", 2, L'a', false}, {false, L"-12", 3, L'-', false},
        {false, L"12", 0, L'-', true},   {false, L"12", 1, L'-', false},  // a minus only in front
        {false, L"-12", 0, L'5', false},  // nothing before the minus
        {false, L"12", 2, L',', false},  {true, L"1,5", 3, L',', false},  {true, L"15", 1, L',', true},
        {false, L"12", 2, 8, true},      {false, L"12", 2, L'\r', false},
    };
    for (const Case& c : cases) {
        e->Float = c.isFloat;
        e->SetText(c.text);
        Select(e, c.caret, c.caret);
        EXPECT_EQ(e->IsValidChar(c.key), c.valid) << Narrow(c.text) << " key " << static_cast<int>(c.key);
    }
    // A refused key leaves the text alone; an accepted one goes in.
    e->Float = false;
    e->SetText(L"12");
    Select(e, 2, 2);
    Char(e->Handle(), L'a');
    EXPECT_EQ(e->GetText(), L"12");
    Char(e->Handle(), L'7');
    EXPECT_EQ(e->GetText(), L"127");
    // With the editor off digits and Backspace are refused.
    e->EditorEnabled = false;
    EXPECT_FALSE(e->IsValidChar(L'5'));
    EXPECT_FALSE(e->IsValidChar(8));
}

TEST_F(EditTest, NumericEditTurnsArrowsAndTheWheelIntoEvents) {
    auto* e = NewEdit<TbsSkinNumEdit>(L"5");
    std::string events;
    e->OnUpClick = [&](TObject*) { events += "up,"; };
    e->OnDownClick = [&](TObject*) { events += "down,"; };
    e->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { events += "key" + std::to_string(k) + ","; };
    e->SetFocus();
    PressKey(e->Handle(), VK_UP);
    PressKey(e->Handle(), VK_DOWN);
    Wheel(e->Handle(), 120);  // away from the user
    Application->ProcessMessages();
    Wheel(e->Handle(), -120);
    Application->ProcessMessages();
    EXPECT_EQ(events, "up,down,down,up,");
}

TEST_F(EditTest, SkinnedEditButtonRaisesItsEvent) {
    auto* e = NewEdit<TbsSkinEdit>(L"C:\\out");
    e->SetButtonMode(true);
    int clicks = 0;
    e->OnButtonClick = [&](TObject*) { ++clicks; };
    RECT client;
    GetClientRect(e->Handle(), &client);
    EXPECT_LE(client.right, e->Width() - 19);  // the button takes room at the right
    RECT wr;
    GetWindowRect(e->Handle(), &wr);
    const LPARAM onButton = MAKELPARAM(wr.right - 8, wr.top + 8), onFrame = MAKELPARAM(wr.left + 1, wr.top + 1);
    // The non-client clicks carry what the hit test answered there.
    auto click = [&](LPARAM at) {
        const WPARAM hit = static_cast<WPARAM>(SendMessageW(e->Handle(), WM_NCHITTEST, 0, at));
        SendMessageW(e->Handle(), WM_NCLBUTTONDOWN, hit, at);
        SendMessageW(e->Handle(), WM_NCLBUTTONUP, hit, at);
    };
    click(onButton);
    EXPECT_EQ(clicks, 1);
    click(onFrame);  // the frame is not the button
    EXPECT_EQ(clicks, 1);
}

// Whether a colour shows on the screen inside r (client coordinates of c)
// once c has painted itself.
bool ScreenShows(TWinControl* c, const TRect& r, TColor colour) {
    RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Application->ProcessMessages();
    HDC dc = GetDC(c->Handle());
    const COLORREF want = ColorToRGB(colour);
    bool found = false;
    for (int y = r.top; y < r.bottom && !found; ++y)
        for (int x = r.left; x < r.right && !found; ++x) found = GetPixel(dc, x, y) == want;
    ReleaseDC(c->Handle(), dc);
    return found;
}

// A real click of the pointer at a client point of a control; input is
// handled until done() holds (or two seconds pass).
void RealClick(TControl* c, int x, int y, const std::function<bool()>& done) {
    const TPoint p = c->ClientToScreen(TPoint(x, y));
    SetCursorPos(p.x, p.y);
    Application->ProcessMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < 2000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Application->ProcessMessages();
    }
}

TEST_F(EditTest, ImageButtonsSitAtTheTextEndsAndClickWithoutMovingTheCaret) {
    auto* e = NewEdit<TbsSkinEdit>(L"some text here");
    TCustomImageList* images = platform_test::SolidColourList(form, {clRed, clBlue});
    e->SetImages(images);
    e->SetLeftImageIndex(0);
    e->SetRightImageIndex(1);
    Application->ProcessMessages();
    const TRect client = e->ClientRect();
    // The text runs between the pictures.
    RECT fr{};
    SendMessageW(e->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&fr));
    EXPECT_GE(fr.left, client.left + 16 + 2);
    EXPECT_LE(fr.right, client.right - 16 - 2);
    // The hit test names the two pictures; the text between is the client.
    const struct {
        int x;
        LRESULT code;
    } hits[] = {{client.left + 3, bsHTLeftImage}, {client.right - 3, bsHTRightImage}, {client.Width() / 2, HTCLIENT}};
    for (const auto& h : hits) {
        const TPoint p = e->ClientToScreen(TPoint(h.x, client.Height() / 2));
        EXPECT_EQ(SendMessageW(e->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), h.code) << h.x;
    }
    // Each picture shows in its place.
    EXPECT_TRUE(ScreenShows(e, TRect(0, 0, 16, client.Height()), clRed));
    EXPECT_TRUE(ScreenShows(e, TRect(client.right - 16, 0, client.right, client.Height()), clBlue));
    EXPECT_FALSE(ScreenShows(e, TRect(0, 0, 16, client.Height()), clBlue));

    std::string clicks;
    e->OnLeftButtonClick = [&](TObject*) { clicks += "left "; };
    e->OnRightButtonClick = [&](TObject*) { clicks += "right "; };
    form->SetFocus();
    SetForegroundWindow(form->Handle());
    e->SetFocus();
    Select(e, 3, 3);
    RealClick(e, client.left + 4, client.Height() / 2, [&] { return clicks == "left "; });
    RealClick(e, client.right - 4, client.Height() / 2, [&] { return clicks == "left right "; });
    EXPECT_EQ(clicks, "left right ");
    DWORD s = 0, en = 0;
    SendMessageW(e->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&en));
    EXPECT_EQ(s, 3u);
    EXPECT_EQ(en, 3u);
    PointerAway();
}

TEST_F(EditTest, AlignmentAndDefaultColourReachTheEditWindow) {
    auto* e = NewEdit<TbsSkinEdit>(L"x");
    const struct {
        TAlignment alignment;
        LONG_PTR style;
    } cases[] = {{taRightJustify, ES_RIGHT}, {taCenter, ES_CENTER}, {taLeftJustify, ES_LEFT}};
    for (const auto& c : cases) {
        e->SetAlignment(c.alignment);
        const LONG_PTR style = GetWindowLongPtrW(e->Handle(), GWL_STYLE);
        EXPECT_EQ(style & (ES_RIGHT | ES_CENTER), c.style) << int(c.alignment);
    }
    e->SetText(L"");
    EXPECT_FALSE(ScreenShows(e, e->ClientRect(), clYellow));
    e->SetDefaultColor(clYellow);
    EXPECT_TRUE(ScreenShows(e, e->ClientRect(), clYellow));
}

// PaintSkinTo places the given text by Alignment inside the text area
// (default look: 2-pixel frame).
TEST_F(EditTest, PaintSkinToPlacesTheTextByAlignment) {
    auto* e = NewEdit<TbsSkinEdit>(L"own text");
    const int w = e->Width(), h = e->Height();
    const struct {
        TAlignment alignment;
        const char* what;
    } cases[] = {{taLeftJustify, "left"}, {taRightJustify, "right"}, {taCenter, "centre"}};
    for (const auto& c : cases) {
        e->SetAlignment(c.alignment);
        TBitmap shot(w, h, pf24bit);
        e->PaintSkinTo(shot.Canvas(), 0, 0, L"WW");
        int first = -1, last = -1;
        for (int x = 2; x < w - 2; ++x)
            for (int y = 2; y < h - 2; ++y)
                if (static_cast<COLORREF>(shot.Canvas()->Pixel(x, y)) != ColorToRGB(clWindow)) {
                    if (first < 0) first = x;
                    last = x;
                }
        ASSERT_GE(first, 0) << c.what;
        switch (c.alignment) {
        case taLeftJustify: EXPECT_LE(first, 2 + 2 + 2) << c.what; break;
        case taRightJustify: EXPECT_GE(last, w - 2 - 4) << c.what; break;
        default: EXPECT_LE(std::abs((first + last) / 2 - w / 2), 4) << c.what; break;
        }
    }
    EXPECT_EQ(e->GetText(), L"own text");
}

TEST_F(EditTest, CancelModeIsReportedWithItsSender) {
    TbsCustomEdit* e = NewEdit(L"x");
    std::vector<TControl*> senders;
    e->OnEditCancelMode = [&](TControl* c) { senders.push_back(c); };
    e->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(form)));
    e->Perform(CM_CANCELMODE, 0, 0);
    ASSERT_EQ(senders.size(), 2u);
    EXPECT_EQ(senders[0], form);
    EXPECT_EQ(senders[1], nullptr);
}

TEST_F(EditTest, AnUnskinnedEditTakesItsDefaultFontAndSize) {
    auto* e = NewEdit<TbsSkinEdit>(L"x");
    e->DefaultFont()->SetName(L"Tahoma");
    e->DefaultFont()->SetHeight(17);
    e->SetDefaultWidth(200);
    e->SetDefaultHeight(27);
    e->ChangeSkinData();
    EXPECT_EQ(e->FIndex, -1);
    EXPECT_EQ(e->Font()->Name(), L"Tahoma");
    EXPECT_EQ(e->Font()->Height(), 17);
    EXPECT_EQ(e->Width(), 200);
    EXPECT_EQ(e->Height(), 27);
}


// ---- the skinned look, from the "edit" and "editbutton" records ----------------------------------

class SkinnedEditTest : public EditTest {
protected:
    std::unique_ptr<TbsSkinData> skin = MakeListsSkin();
    TbsSkinEdit* NewSkinned(bool useSkinFont, bool buttonMode) {
        auto* e = NewEdit<TbsSkinEdit>(L"WWWW");
        e->UseSkinFont = useSkinFont;
        e->SetButtonMode(buttonMode);
        e->SetSkinData(skin.get());
        e->SetBounds(10, 10, 150, 20);
        return e;
    }
    // The whole face as CM_PAINTFRAMETODC paints it.
    static Snap Frame(TbsSkinEdit* e) {
        Snap shot(e->Width(), e->Height());
        EXPECT_EQ(SendMessageW(e->Handle(), CM_PAINTFRAMETODC, reinterpret_cast<WPARAM>(shot.DC()), 0), 12851);
        return shot;
    }
    // The text area as the erase step paints it (background, then the text).
    static Snap TextArea(TbsSkinEdit* e) {
        RECT cr;
        GetClientRect(e->Handle(), &cr);
        Snap shot(cr.right, cr.bottom);
        SendMessageW(e->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(shot.DC()), 0);
        return shot;
    }
    static LPARAM ScreenPoint(TbsSkinEdit* e, int x, int y) {
        RECT wr;
        GetWindowRect(e->Handle(), &wr);
        return MAKELPARAM(wr.left + x, wr.top + y);
    }
    static WPARAM HitAt(TbsSkinEdit* e, LPARAM at) {
        return static_cast<WPARAM>(SendMessageW(e->Handle(), WM_NCHITTEST, 0, at));
    }
};

TEST_F(SkinnedEditTest, TheHeightFollowsTheSkinOrTheFontThroughLaterResizes) {
    TCanvas probe;
    probe.SetHandle(GetDC(nullptr));
    probe.Font()->SetName(L"Arial");
    probe.Font()->SetHeight(14);
    TEXTMETRICW tm{};
    GetTextMetricsW(probe.Handle(), &tm);
    ReleaseDC(nullptr, probe.Handle());
    probe.SetHandle(nullptr);
    struct Case {
        bool useSkinFont;
        int height;
    } cases[] = {
        {true, 20},                          // the record's SkinRect
        {false, static_cast<int>(tm.tmHeight) + 20 - 14},  // text plus the skin's frame
    };
    for (const Case& c : cases) {
        auto* e = NewSkinned(c.useSkinFont, false);
        EXPECT_EQ(e->Height(), c.height) << c.useSkinFont;
        e->SetBounds(5, 5, 200, 45);
        EXPECT_EQ(e->Width(), 200);
        EXPECT_EQ(e->Height(), c.height) << c.useSkinFont;
        delete e;
    }
}

// A later font change sets the height again from the text, unless the
// skin's font is used; the plain look (a store without the record) too.
TEST_F(SkinnedEditTest, AFontChangeSetsTheHeightAgainUnlessTheSkinsFontIsUsed) {
    TEXTMETRICW tm{};
    {
        TCanvas probe;
        probe.SetHandle(GetDC(nullptr));
        probe.Font()->SetName(L"Arial");
        probe.Font()->SetHeight(26);
        GetTextMetricsW(probe.Handle(), &tm);
        ReleaseDC(nullptr, probe.Handle());
        probe.SetHandle(nullptr);
    }
    const int text = static_cast<int>(tm.tmHeight);
    const struct Case {
        bool useSkinFont;
        int height;
    } cases[] = {
        {true, 20},                // the record's SkinRect, whatever the font
        {false, text + 20 - 14},  // the new text plus the skin's frame
    };
    for (const Case& c : cases) {
        auto* e = NewSkinned(c.useSkinFont, false);
        e->Font()->SetName(L"Arial");
        e->Font()->SetHeight(26);
        Application->ProcessMessages();
        EXPECT_EQ(e->Height(), c.height) << c.useSkinFont;
        delete e;
    }
}

// The parent's colour requests for the skinned edit (writable or read-only)
// are answered for a text without background in the record's colour.
TEST_F(SkinnedEditTest, ColourRequestsLeaveTheBackgroundToTheTextArea) {
    auto* e = NewSkinned(true, false);
    for (const UINT msg : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC}) {
        platform::MemoryDC dc;
        SetBkMode(dc.Get(), OPAQUE);
        SetTextColor(dc.Get(), RGB(1, 2, 3));
        const LRESULT brush = SendMessageW(form->Handle(), msg, reinterpret_cast<WPARAM>(dc.Get()),
                                           reinterpret_cast<LPARAM>(e->Handle()));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH))) << msg;
        EXPECT_EQ(GetBkMode(dc.Get()), TRANSPARENT) << msg;
        EXPECT_EQ(GetTextColor(dc.Get()), kEditFont) << msg;
    }
}

TEST_F(SkinnedEditTest, FaceAndTextColourFollowThePointerFromTheRecord) {
    auto* e = NewSkinned(true, false);
    Snap normal = Frame(e);
    EXPECT_EQ(normal.At(1, 1), kEditFrame);
    EXPECT_EQ(normal.At(e->Width() - 2, 1), kEditFrame);
    EXPECT_EQ(normal.At(e->Width() / 2, 10), kEditClient);
    EXPECT_EQ(e->Font()->Color(), static_cast<TColor>(kEditFont));
    SendMessageW(e->Handle(), CM_MOUSEENTER, 0, 0);
    Snap hot = Frame(e);
    EXPECT_EQ(hot.At(1, 1), kEditHotFrame);
    EXPECT_EQ(hot.At(e->Width() / 2, 10), kEditHotClient);
    EXPECT_EQ(e->Font()->Color(), static_cast<TColor>(kEditHotFont));
    SendMessageW(e->Handle(), CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Frame(e).At(1, 1), kEditFrame);
    EXPECT_EQ(e->Font()->Color(), static_cast<TColor>(kEditFont));
}

TEST_F(SkinnedEditTest, TheTextAreaIsTheSkinsClientWithTheTextInTheRecordsColours) {
    auto* e = NewSkinned(true, false);
    RECT cr;
    GetClientRect(e->Handle(), &cr);
    EXPECT_EQ(cr.right, e->Width() - 3 - 20);  // ClRect's frame: 3 at the left, 20 at the right
    EXPECT_EQ(cr.bottom, 14);
    Snap text = TextArea(e);
    EXPECT_EQ(text.At(cr.right - 2, cr.bottom / 2), kEditClient);
    EXPECT_TRUE(text.Shows(TRect(0, 0, cr.right, cr.bottom), kEditFont));
    e->SetEnabled(false);
    Snap disabled = TextArea(e);
    EXPECT_EQ(disabled.At(cr.right - 2, cr.bottom / 2), kEditClient);
    EXPECT_TRUE(disabled.Shows(TRect(0, 0, cr.right, cr.bottom), kEditDisabledFont));
    EXPECT_FALSE(disabled.Shows(TRect(0, 0, cr.right, cr.bottom), kEditFont));
}

// Each erase draws the text over the text area, also when the paint that
// should have followed an earlier erase never came (as at start-up).
TEST_F(SkinnedEditTest, EveryEraseDrawsTheTextEvenWithoutThePaintBetween) {
    auto* e = NewSkinned(true, false);
    RECT cr;
    GetClientRect(e->Handle(), &cr);
    const TRect area(0, 0, cr.right, cr.bottom);
    for (int pass = 0; pass < 3; ++pass)
        EXPECT_TRUE(TextArea(e).Shows(area, kEditFont)) << "erase " << pass;
}

// The button lies in the skin's right end piece, so it moves with the right
// edge; its hot and pressed looks are the record's rectangles. A release
// away from it un-presses it without a click.
TEST_F(SkinnedEditTest, TheEditButtonTakesTheRecordsPlaceAndStates) {
    auto* e = NewSkinned(true, true);
    int clicks = 0;
    e->OnButtonClick = [&](TObject*) { ++clicks; };
    const TRect want(42 + 90, 2, 58 + 90, 18);
    EXPECT_EQ(e->EditButtonRect(), want);
    const int bx = want.left + 8, by = 10;
    EXPECT_EQ(Frame(e).At(bx, by), kEditButton);
    const LPARAM on = ScreenPoint(e, bx, by);
    ASSERT_EQ(HitAt(e, on), static_cast<WPARAM>(HTHSCROLL));
    EXPECT_EQ(HitAt(e, ScreenPoint(e, 1, 1)), static_cast<WPARAM>(HTVSCROLL));
    SendMessageW(e->Handle(), WM_NCMOUSEMOVE, HTHSCROLL, on);
    EXPECT_EQ(Frame(e).At(bx, by), kEditButtonHot);
    SendMessageW(e->Handle(), WM_NCLBUTTONDOWN, HTHSCROLL, on);
    EXPECT_EQ(Frame(e).At(bx, by), kEditButtonDown);
    EXPECT_EQ(GetCapture(), e->Handle());
    // Released over the text area, in client coordinates (the press captured the mouse).
    SendMessageW(e->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(e->ButtonDown());
    EXPECT_NE(GetCapture(), e->Handle());
    EXPECT_EQ(Frame(e).At(bx, by), kEditButton);
    // Pressed and released on it: one click and the focus.
    SendMessageW(e->Handle(), WM_NCLBUTTONDOWN, HTHSCROLL, on);
    RECT wr;
    GetWindowRect(e->Handle(), &wr);
    POINT cp{wr.left + bx, wr.top + by};
    ScreenToClient(e->Handle(), &cp);
    SendMessageW(e->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(cp.x, cp.y));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetFocus(), e->Handle());
}

// An edit that does not take the skin's height draws its button from the
// "editbutton" record, else "resizebutton".
TEST_F(SkinnedEditTest, AComposedFrameDrawsTheButtonFromItsOwnRecord) {
    for (const wchar_t* name : {L"editbutton", L"resizebutton"}) {
        for (auto& r : skin->CtrlList)
            if (dynamic_cast<TbsDataSkinButtonControl*>(r.get())) r->IDName = name;
        auto* e = NewSkinned(false, true);
        const TRect br = e->EditButtonRect();
        const int bx = br.left + br.Width() / 2, by = br.top + br.Height() / 2;
        const LPARAM on = ScreenPoint(e, bx, by);
        EXPECT_EQ(Frame(e).At(bx, by), kOwnButton) << Narrow(name);
        SendMessageW(e->Handle(), WM_NCMOUSEMOVE, HTHSCROLL, on);
        EXPECT_EQ(Frame(e).At(bx, by), kOwnButtonHot) << Narrow(name);
        SendMessageW(e->Handle(), WM_NCLBUTTONDOWN, HTHSCROLL, on);
        EXPECT_EQ(Frame(e).At(bx, by), kOwnButtonDown) << Narrow(name);
        SendMessageW(e->Handle(), WM_NCLBUTTONUP, HTHSCROLL, on);
        delete e;
    }
}

TEST_F(EditTest, ThePlainButtonIsASquareAtTheRightEnd) {
    auto* e = NewEdit<TbsSkinEdit>(L"x");
    e->SetButtonMode(true);
    e->SetBounds(10, 10, 100, 20);
    EXPECT_EQ(e->EditButtonRect(), TRect(80, 0, 100, 20));
    RECT wr, cr;
    GetWindowRect(e->Handle(), &wr);
    GetClientRect(e->Handle(), &cr);
    POINT origin{0, 0};
    ClientToScreen(e->Handle(), &origin);
    EXPECT_EQ(TRect(origin.x - wr.left, origin.y - wr.top, origin.x - wr.left + cr.right, origin.y - wr.top + cr.bottom),
              TRect(2, 2, 78, 18));
}

TEST_F(EditTest, PaintToDCRequestsAreAnsweredOnlyAsAgreed) {
    auto* e = NewEdit<TbsSkinEdit>(L"x");
    struct Case {
        UINT msg;
        LPARAM lParam;
        LRESULT answer;
    } cases[] = {
        {CM_PAINTFRAMETODC, 0, 0},  // no DC: no answer
        {CM_PAINTTODC, 16802, 16802},
        {CM_PAINTTODC, 1, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(SendMessageW(e->Handle(), c.msg, 0, c.lParam), c.answer) << c.msg;
}

}  // namespace
