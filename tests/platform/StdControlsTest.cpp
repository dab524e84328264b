// List box, edits, label, bevel, splitter, image, panel, image list and
// the message dialog.
#include <gtest/gtest.h>

#include <functional>

#include "ControlsFixture.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/ImgList.h"
#include "platform/PngImage.h"
#include "platform/StdCtrls.h"
#include "platform/Timer.h"

namespace {

using platform_test::ControlsTest;

// ---- list box ----------------------------------------------------------------------------------

class ListBoxTest : public ControlsTest {
protected:
    TListBox* NewListBox(TListBoxStyle style, int rows) {
        auto* lb = new TListBox(form);
        lb->SetStyle(style);
        lb->SetItemHeight(20);
        lb->SetParent(form);
        lb->SetBounds(0, 0, 200, 200);
        for (int i = 0; i < rows; ++i) lb->Items()->AddObject(L"line " + IntToStr(i), reinterpret_cast<TObject*>(static_cast<intptr_t>(i + 100)));
        return lb;
    }
};

TEST_F(ListBoxTest, OwnerDrawFixedPaintsEveryVisibleRow) {
    TListBox* lb = NewListBox(lbOwnerDrawFixed, 50);
    std::vector<int> drawn;
    lb->OnDrawItem = [&](TWinControl*, int index, const TRect& r, TOwnerDrawState) {
        drawn.push_back(index);
        EXPECT_EQ(r.Height(), 20);
    };
    lb->Repaint();
    Application->ProcessMessages();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(*std::max_element(drawn.begin(), drawn.end()), lb->ClientHeight() / 20 - 1 + (lb->ClientHeight() % 20 ? 1 : 0));
    EXPECT_EQ(lb->ItemRect(3), TRect(0, 60, lb->ClientWidth(), 80));
    EXPECT_EQ(SendMessageW(lb->Handle(), LB_GETITEMDATA, 7, 0), 107);
    EXPECT_EQ(reinterpret_cast<intptr_t>(lb->Items()->GetObject(7)), 107);
}

TEST_F(ListBoxTest, SelectionTopIndexAndHitTests) {
    TListBox* lb = NewListBox(lbStandard, 100);
    int clicks = 0;
    lb->OnClick = [&](TObject*) { ++clicks; };
    lb->SetItemIndex(42);
    EXPECT_EQ(lb->ItemIndex(), 42);
    EXPECT_TRUE(lb->Selected(42));
    lb->SetTopIndex(30);
    EXPECT_EQ(lb->TopIndex(), 30);
    const TRect r = lb->ItemRect(31);
    EXPECT_EQ(lb->ItemAtPos(TPoint(5, r.top + 1), true), 31);
    EXPECT_EQ(lb->ItemAtPos(TPoint(5, 10000), true), -1);
    // A user's click selects and raises OnClick.
    Click(lb->Handle(), 5, r.top + 1);
    EXPECT_EQ(lb->ItemIndex(), 31);
    EXPECT_EQ(clicks, 1);
    lb->Items()->Delete(0);
    EXPECT_EQ(lb->Items()->Get(0), L"line 1");
    EXPECT_EQ(SendMessageW(lb->Handle(), LB_GETCOUNT, 0, 0), 99);
}

TEST_F(ListBoxTest, MultiSelectAndColumnsSurviveANewWindow) {
    TListBox* lb = NewListBox(lbStandard, 30);
    lb->SetMultiSelect(true);
    lb->SetSelected(2, true);
    lb->SetSelected(5, true);
    EXPECT_EQ(lb->SelCount(), 2);
    lb->SetColumns(3);  // a new window with the same items
    EXPECT_EQ(SendMessageW(lb->Handle(), LB_GETCOUNT, 0, 0), 30);
    EXPECT_TRUE(GetWindowLongW(lb->Handle(), GWL_STYLE) & LBS_MULTICOLUMN);
    EXPECT_GT(lb->ItemRect(29).left, 0);  // later rows stand in other columns
    lb->SetSorted(true);
    EXPECT_EQ(lb->Items()->Get(3), L"line 11");
    wchar_t text[32] = {};
    SendMessageW(lb->Handle(), LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"line 11");
    EXPECT_EQ(lb->Items()->Add(L"line 105"), 3);  // sorted in
}

// A list box that hides the native scroll bar and border and paints
// everything itself, as the skinned lists do.
class SelfPaintedListBox : public TListBox {
public:
    using TListBox::TListBox;
    int paints = 0, ncPaints = 0;
    void WndProc(TMessage& m) override {
        switch (m.Msg) {
        case WM_NCCALCSIZE:
            m.Result = 0;  // the whole window is client area
            return;
        case WM_NCPAINT:
            ++ncPaints;
            return;
        case WM_PAINT: {
            ++paints;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            EndPaint(Handle(), &ps);
            return;
        }
        default:
            TListBox::WndProc(m);
        }
    }

protected:
    void CreateParams(TCreateParams& p) override {
        TListBox::CreateParams(p);
        p.Style &= ~static_cast<DWORD>(WS_VSCROLL);
        p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    }
};

TEST_F(ControlsTest, SubclassTakesOverPaintingAndKeepsTheKeyboard) {
    auto* lb = new SelfPaintedListBox(form);
    lb->SetParent(form);
    lb->SetBounds(0, 0, 120, 100);
    for (int i = 0; i < 50; ++i) lb->Items()->Add(IntToStr(i));
    lb->SetItemIndex(0);
    SetWindowPos(lb->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    lb->Repaint();
    Application->ProcessMessages();
    EXPECT_GT(lb->paints, 0);
    EXPECT_GT(lb->ncPaints, 0);
    EXPECT_EQ(lb->ClientWidth(), 120);
    EXPECT_FALSE(GetWindowLongW(lb->Handle(), GWL_STYLE) & WS_VSCROLL);
    // The native list still moves its selection and scrolls.
    lb->SetFocus();
    for (int i = 0; i < 20; ++i) SendMessageW(lb->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(lb->ItemIndex(), 20);
    EXPECT_GT(lb->TopIndex(), 0);
}

// ---- edits and labels ------------------------------------------------------------------------------

TEST_F(ControlsTest, EditReportsChangesAndSelection) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText(L"hello world");
    EXPECT_EQ(changes, 1);
    edit->SetSelStart(6);
    edit->SetSelLength(5);
    EXPECT_EQ(edit->SelText(), L"world");
    edit->SetSelText(L"there");
    EXPECT_EQ(edit->GetText(), L"hello there");
    edit->SetMaxLength(5);
    edit->SetText(L"");
    SendMessageW(edit->Handle(), WM_CHAR, L'1', 1);
    for (int i = 0; i < 9; ++i) SendMessageW(edit->Handle(), WM_CHAR, L'x', 1);
    EXPECT_EQ(edit->GetText(), L"1xxxx");
    edit->SetReadOnly(true);
    SendMessageW(edit->Handle(), WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(edit->GetText(), L"1xxxx");
}

TEST_F(ControlsTest, MemoKeepsLines) {
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->AddLine(L"first");
    memo->AddLine(L"second");
    EXPECT_EQ(memo->LineCount(), 2);
    EXPECT_EQ(memo->Line(1), L"second");
    EXPECT_TRUE(GetWindowLongW(memo->Handle(), GWL_STYLE) & ES_MULTILINE);
}

// Counts the text changes that reach the system's edit control.
class CountingMemo : public TMemo {
public:
    using TMemo::TMemo;
    int Writes = 0;
    void WndProc(TMessage& m) override {
        if (m.Msg == EM_REPLACESEL) ++Writes;
        TMemo::WndProc(m);
    }
};

TEST_F(ControlsTest, MemoWritesLinesAddedInARowAsOneChange) {
    platform::ScopedManualClock clock;
    auto* memo = new CountingMemo(form);
    memo->SetParent(form);
    memo->SetText(L"kept");
    for (const wchar_t* line : {L"one", L"", L"three"}) memo->AddLine(line);
    EXPECT_EQ(memo->Writes, 0);
    clock.Advance(1000);
    EXPECT_EQ(memo->Writes, 1);
    wchar_t shown[64] = {};
    GetWindowTextW(memo->Handle(), shown, 64);
    EXPECT_STREQ(shown, L"kept\r\none\r\n\r\nthree");

    // Reading gives every line added so far, without waiting.
    memo->AddLine(L"four");
    EXPECT_EQ(memo->LineCount(), 5);
    EXPECT_EQ(memo->Line(4), L"four");
    memo->AddLine(L"five");
    EXPECT_EQ(memo->GetText(), L"kept\r\none\r\n\r\nthree\r\nfour\r\nfive");
    EXPECT_EQ(memo->Writes, 3);

    // New text replaces the lines added before it, also those not yet shown.
    memo->AddLine(L"six");
    memo->SetText(L"new");
    clock.Advance(1000);
    EXPECT_EQ(memo->GetText(), L"new");
    // A window made anew keeps the lines that were waiting.
    memo->AddLine(L"seven");
    memo->SetScrollBars(ssVertical);
    EXPECT_EQ(memo->GetText(), L"new\r\nseven");
}

// A memo that is not on screen (the program's hidden log, or one placed
// beyond its parent's edge) takes its lines only when they are needed: a
// read through the window's own messages, or a paint once it comes on
// screen, sees every line in order, written in one change.
TEST_F(ControlsTest, MemoOffScreenTakesItsLinesWhenReadOrShown) {
    platform::ScopedManualClock clock;
    struct Placement {
        const char* name;
        std::function<void(TPanel*, TMemo*)> away, back;
    };
    const Placement placements[] = {
        {"in a hidden panel", [](TPanel* p, TMemo*) { p->SetVisible(false); },
         [](TPanel* p, TMemo*) { p->SetVisible(true); }},
        {"beyond the right edge of a shown panel", [](TPanel*, TMemo* m) { m->SetLeft(210); },
         [](TPanel*, TMemo* m) { m->SetLeft(150); }},
        {"in a panel beyond the window's client area", [](TPanel* p, TMemo*) { p->SetTop(2000); },
         [](TPanel* p, TMemo*) { p->SetTop(0); }},
    };
    for (const Placement& placement : placements) {
        SCOPED_TRACE(placement.name);
        auto* panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(0, 0, 200, 120);
        auto* memo = new CountingMemo(form);
        memo->SetParent(panel);
        memo->SetBounds(0, 0, 200, 120);
        placement.away(panel, memo);
        Application->ProcessMessages();
        struct Read {
            const char* name;
            std::function<String()> read;
        };
        const Read reads[] = {
            {"WM_GETTEXT", [memo] {
                 wchar_t text[64] = {};
                 GetWindowTextW(memo->Handle(), text, 64);
                 return String(text);
             }},
            {"EM_GETLINE of the last line", [memo] {
                 const auto last = SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0) - 1;
                 wchar_t text[64] = {};
                 text[0] = 63;
                 const auto n = SendMessageW(memo->Handle(), EM_GETLINE, static_cast<WPARAM>(last),
                                             reinterpret_cast<LPARAM>(text));
                 return String(text, static_cast<size_t>(n));
             }},
        };
        int round = 0;
        String all;
        for (const Read& r : reads) {
            SCOPED_TRACE(r.name);
            const int writes = memo->Writes;
            const String a = L"a" + IntToStr(round), b = L"b" + IntToStr(round);
            memo->AddLine(a);
            memo->AddLine(b);
            clock.Advance(1000);
            Application->ProcessMessages();
            EXPECT_EQ(memo->Writes, writes) << "nothing is written while nobody looks";
            all += (all.empty() ? L"" : L"\r\n") + a + L"\r\n" + b;
            EXPECT_EQ(r.read(), round == 0 ? all : b);
            EXPECT_EQ(memo->Writes, writes + 1);
            ++round;
        }
        memo->AddLine(L"shown");
        placement.back(panel, memo);
        UpdateWindow(memo->Handle());
        EXPECT_EQ(memo->Writes, 3);
        EXPECT_EQ(memo->GetText(), all + L"\r\nshown");
        memo->Free();
        panel->Free();
    }
}

TEST_F(ControlsTest, LabelSizesItselfToItsText) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption(L"Short");
    const int shortWidth = label->Width();
    label->SetCaption(L"A much longer caption than before");
    EXPECT_GT(label->Width(), shortWidth * 3);
    const int oneLine = label->Height();
    label->SetCaption(L"two\nlines");
    EXPECT_GE(label->Height(), oneLine * 2 - 2);
    // The accelerator focuses its control.
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetTop(100);
    label->SetCaption(L"&Name");
    label->FocusControl = edit;
    EXPECT_EQ(label->Perform(CM_DIALOGCHAR, L'n'), 1);
    EXPECT_TRUE(edit->Focused());
}

// ---- bevel, splitter, image, panel ------------------------------------------------------------------

TEST_F(ControlsTest, SplitterResizesItsNeighbour) {
    auto* left = new TPanel(form);
    left->SetParent(form);
    left->SetAlign(alLeft);
    left->SetWidth(150);
    auto* splitter = new TSplitter(form);
    splitter->SetParent(form);
    splitter->SetLeft(200);  // placed after the panel by the alignment
    splitter->SetAlign(alLeft);
    auto* rest = new TPanel(form);
    rest->SetParent(form);
    rest->SetAlign(alClient);
    Application->ProcessMessages();
    ASSERT_EQ(splitter->Left(), 150);
    int moved = 0;
    splitter->OnMoved = [&](TObject*) { ++moved; };
    // Drag 60 pixels to the right through the form's mouse routing.
    HWND wnd = form->Handle();
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(151, 50));
    SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(211, 50));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(211, 50));
    EXPECT_EQ(left->Width(), 210);
    EXPECT_EQ(splitter->Left(), 210);
    EXPECT_EQ(rest->Left(), 213);
    EXPECT_EQ(moved, 1);
    // Below half the minimum the panel snaps shut.
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(211, 50));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 50));
    EXPECT_EQ(left->Width(), 0);
}

TEST_F(ControlsTest, ImageDrawsItsPictureWithAlpha) {
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(0, 0, 40, 40);
    TPngImage png;
    png.SetSize(20, 20);
    png.CreateAlpha();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            png.SetPixel(x, y, clRed);
            png.AlphaScanline(y)[x] = x < 10 ? 0 : 255;
        }
    image->Picture()->SetGraphic(&png);
    image->SetStretch(true);
    EXPECT_EQ(image->DestRect(), TRect(0, 0, 40, 40));
    image->SetProportional(true);
    image->SetBounds(0, 0, 40, 20);
    EXPECT_EQ(image->DestRect(), TRect(0, 0, 20, 20));
    image->SetCenter(true);
    EXPECT_EQ(image->DestRect(), TRect(10, 0, 30, 20));
    // Painted onto a bitmap: the clear half shows the form's colour.
    TBitmap shot(40, 20, pf24bit);
    form->PaintTo(shot.Canvas()->Handle(), 0, 0);
    EXPECT_EQ(shot.Canvas()->Pixel(25, 10), clRed);
    EXPECT_EQ(shot.Canvas()->Pixel(15, 10), ColorToRGB(form->Color()));
}

TEST_F(ControlsTest, PanelGivesItsChildrenTheInnerArea) {
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetBevelOuter(TPanelBevel::bvRaised);
    panel->SetBevelInner(TPanelBevel::bvLowered);
    panel->SetBorderWidth(3);
    auto* child = new TBevel(form);
    child->SetParent(panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), TRect(5, 5, 195, 95));
}

// ---- image list ---------------------------------------------------------------------------------------

class PlaceholderList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
    std::vector<int> drawn;

protected:
    void DoDraw(int index, TCanvas* canvas, int x, int y, UINT, bool) override {
        drawn.push_back(index);
        canvas->Brush()->SetColor(clLime);
        canvas->FillRect(TRect(x, y, x + Width(), y + Height()));
    }
};

TEST_F(ControlsTest, ImageListKeepsPicturesAndLetsSubclassesDraw) {
    TImageList list(nullptr);
    list.SetSize(16, 16);
    for (TColor c : {clRed, clBlue, clGreen}) {
        TBitmap b(16, 16, pf24bit);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(TRect(0, 0, 16, 16));
        list.Add(&b, nullptr);
    }
    EXPECT_EQ(list.Count(), 3);
    TBitmap mono(16, 16, pf1bit);
    list.Insert(1, &mono, nullptr);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 3);
    TBitmap out;
    ASSERT_TRUE(list.GetBitmap(1, &out));
    EXPECT_EQ(out.Canvas()->Pixel(8, 8), clBlue);
    EXPECT_FALSE(list.GetBitmap(5, &out));

    PlaceholderList own(nullptr);
    own.SetSize(8, 8);
    TBitmap target(8, 8, pf24bit);
    own.Draw(target.Canvas(), 0, 0, 4);
    EXPECT_EQ(own.drawn, std::vector<int>{4});
    EXPECT_EQ(target.Canvas()->Pixel(3, 3), clLime);
}

// ---- message dialog ----------------------------------------------------------------------------------

struct DialogCase {
    TMsgDlgButtons buttons;
    WORD key;
    int result;
};
class MessageDialogTest : public ControlsTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(MessageDialogTest, AnswersWithTheButtonsResult) {
    // The key is pressed once the dialog runs its modal loop.
    TTimer timer(nullptr);
    timer.SetInterval(50);
    const WORD key = GetParam().key;
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        // The dialog is the newest form showing; its focused button gets the
        // key. A dialog still open seconds later is ended with -1 (a failure,
        // not a hang).
        for (int i = Screen->FormCount() - 1; i >= 0; --i) {
            TCustomForm* dlg = Screen->Forms(i);
            if (dlg == form || !dlg->Showing()) continue;
            if (++ticks > 100) {
                dlg->ModalResult = -1;
            } else if (ticks == 1) {
                HWND target = dlg->ActiveControl() ? dlg->ActiveControl()->Handle() : dlg->Handle();
                PostMessageW(target, WM_KEYDOWN, key, 1);
                PostMessageW(target, WM_KEYUP, key, 0xC0000001);
            }
            return;
        }
    };
    timer.SetEnabled(true);
    EXPECT_EQ(MessageDlg(L"Overwrite the file?", mtConfirmation, GetParam().buttons), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Buttons, MessageDialogTest,
                         ::testing::Values(DialogCase{mbYesNoCancel, VK_RETURN, mrYes},
                                           DialogCase{mbYesNoCancel, VK_ESCAPE, mrCancel},
                                           DialogCase{mbYesNo, VK_ESCAPE, mrNo},
                                           DialogCase{mbYesAllNoAllCancel, VK_ESCAPE, mrCancel},
                                           DialogCase{MsgDlgButton(mbClose), VK_RETURN, mrClose},
                                           DialogCase{MsgDlgButton(mbYesToAll) | MsgDlgButton(mbAll), VK_RETURN, mrAll}));

TEST_F(ControlsTest, MessageDialogNamesItsButtons) {
    struct FreeForm {
        void operator()(TForm* f) const { f->Free(); }
    };
    std::unique_ptr<TForm, FreeForm> dlg(CreateMessageDialog(L"Text", mtWarning, mbYesAllNoAllCancel | MsgDlgButton(mbHelp)));
    EXPECT_EQ(dlg->Caption(), L"Warning");
    std::vector<String> names;
    for (int i = 0; i < dlg->ComponentCount(); ++i)
        if (auto* b = dynamic_cast<TButton*>(dlg->Components(i))) names.push_back(b->Name());
    EXPECT_EQ(names, (std::vector<String>{L"Yes", L"No", L"Cancel", L"NoToAll", L"YesToAll", L"Help"}));
    auto* help = static_cast<TButton*>(dlg->FindComponent(L"Help"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->ModalResult, mrNone);
    EXPECT_EQ(static_cast<TButton*>(dlg->FindComponent(L"NoToAll"))->Caption(), L"N&oToAll");
}

TEST(ModalResults, NumberTheButtons) {
    const int expected[] = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0, 11};
    for (int b = mbYes; b <= mbClose; ++b) EXPECT_EQ(ModalResultOf(static_cast<TMsgDlgBtn>(b)), expected[b]);
}

}  // namespace
