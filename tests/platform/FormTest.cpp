// Forms built in code: painting, mouse, keyboard, focus, alignment, leaks.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <memory>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Clock.h"
#include "platform/Forms.h"
#include "platform/GdiObjects.h"
#include "platform/MainThread.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tests/support/ProcessThreads.h"

namespace {

// ---- counting what the process holds ------------------------------------------------------------

BOOL CALLBACK CountChild(HWND, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND w, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    EnumChildWindows(w, &CountChild, p);
    return TRUE;
}

int ThreadWindows() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&n));
    return n;
}


// ---- controls of the test form -------------------------------------------------------------------

struct PaintLog {
    int paints = 0;
    DWORD dcType = 0;
};

// Fills the control with its colour and notes what it painted on.
void PaintFill(TCanvas* canvas, const TRect& r, TColor fill, PaintLog& log) {
    ++log.paints;
    log.dcType = GetObjectType(canvas->Handle());
    canvas->Brush()->SetColor(fill);
    canvas->FillRect(r);
}

class Marker : public TGraphicControl {
public:
    Marker(TComponent* owner, TColor c) : TGraphicControl(owner), fill(c) {}
    TColor fill;
    PaintLog log;

protected:
    void Paint() override { PaintFill(Canvas(), ClientRect(), fill, log); }
};

class Box : public TCustomControl {
public:
    Box(TComponent* owner, TColor c) : TCustomControl(owner), fill(c) { SetTabStop(true); }
    TColor fill;
    PaintLog log;
    bool wantsReturn = false;
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_WANTSPECIALKEY && m.WParam == VK_RETURN && wantsReturn) {
            m.Result = 1;
            return;
        }
        TCustomControl::WndProc(m);
    }

protected:
    void Paint() override { PaintFill(Canvas(), ClientRect(), fill, log); }
};

class TestForm : public TForm {
public:
    explicit TestForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(50, 50, 300, 200);
        DoubleBuffered = true;
        marker = Place(new Marker(this, clRed), 10, 10, 50, 40);
        box = Place(new Box(this, clBlue), 100, 10, 60, 40);
        ok = Place(new TButton(this), 10, 150, 75, 25);
        ok->SetCaption(L"&OK");
        ok->SetDefault(true);
        ok->ModalResult = mrOk;
        cancel = Place(new TButton(this), 100, 150, 75, 25);
        cancel->SetCaption(L"Cancel");
        cancel->Cancel = true;
        cancel->ModalResult = mrCancel;
        ok->OnClick = [this](TObject*) { clicks.push_back(L"ok"); };
        cancel->OnClick = [this](TObject*) { clicks.push_back(L"cancel"); };
    }
    template <class T>
    T* Place(T* c, int l, int t, int w, int h) {
        c->SetParent(this);
        c->SetBounds(l, t, w, h);
        return c;
    }
    Marker* marker;
    Box* box;
    TButton* ok;
    TButton* cancel;
    std::vector<String> clicks;
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<TApplication>();
        Application->Initialize();
        Application->OnException = [this](TObject*, const std::exception& e) { errors.push_back(e.what()); };
    }
    void TearDown() override {
        app.reset();
        platform::DoneMainThread();
        EXPECT_TRUE(errors.empty()) << errors.front();
    }
    TestForm* NewForm() {
        TestForm* f;
        Application->CreateForm(f);
        return f;
    }
    // Posts a key to the focused window and lets the application route it.
    void PressKey(WORD key) {
        HWND focus = GetFocus();
        ASSERT_NE(focus, nullptr);
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        Application->ProcessMessages();
    }
    std::unique_ptr<TApplication> app;
    std::vector<std::string> errors;
};

TEST_F(FormTest, PaintsWindowedAndWindowlessChildrenOffScreen) {
    TestForm* f = NewForm();
    f->Show();
    UpdateWindow(f->Handle());
    Application->ProcessMessages();
    // The double-buffered form paints its windowless child into memory.
    EXPECT_GT(f->marker->log.paints, 0);
    EXPECT_EQ(f->marker->log.dcType, static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_GT(f->box->log.paints, 0);

    // Erasing the background is left to the off-screen pass: no flicker.
    TBitmap probe(20, 20, pf24bit);
    probe.Canvas()->Brush()->SetColor(clLime);
    probe.Canvas()->FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(SendMessageW(f->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(probe.Canvas()->Handle()), 0), 1);
    EXPECT_EQ(probe.Canvas()->Pixel(5, 5), clLime);

    // The whole form, children included, into a bitmap.
    TBitmap shot(300, 200, pf24bit);
    f->PaintTo(shot.Canvas()->Handle(), 0, 0);
    EXPECT_EQ(shot.Canvas()->Pixel(30, 30), clRed);   // windowless
    EXPECT_EQ(shot.Canvas()->Pixel(130, 30), clBlue);  // windowed
    EXPECT_EQ(static_cast<COLORREF>(shot.Canvas()->Pixel(250, 100)), ColorToRGB(clBtnFace));
    // Children are clipped to their bounds.
    EXPECT_EQ(static_cast<COLORREF>(shot.Canvas()->Pixel(61, 30)), ColorToRGB(clBtnFace));
}

// Repaint paints at once; within a paint batch it only marks, and the end
// of the outermost batch paints each marked window once.
TEST_F(FormTest, RepaintInABatchPaintsEachWindowOnceAtTheEnd) {
    TestForm* f = NewForm();
    f->Show();
    UpdateWindow(f->Handle());
    Application->ProcessMessages();
    auto counts = [f] { return std::make_pair(f->marker->log.paints, f->box->log.paints); };
    auto before = counts();
    f->box->Repaint();
    f->marker->Repaint();
    EXPECT_EQ(counts(), std::make_pair(before.first + 1, before.second + 1)) << "no batch: at once";

    before = counts();
    {
        TPaintBatch outer;
        {
            TPaintBatch inner;
            for (int i = 0; i < 3; ++i) {
                f->box->Repaint();
                f->marker->Repaint();
            }
        }
        EXPECT_EQ(counts(), before) << "an inner batch leaves the painting to the outer one";
        f->box->Repaint();
    }
    EXPECT_EQ(counts(), std::make_pair(before.first + 1, before.second + 1));

    // A control freed inside the batch is not painted, nor does it fail the batch.
    before = counts();
    {
        TPaintBatch batch;
        auto* gone = new Box(f, clGreen);
        gone->SetParent(f);
        gone->SetBounds(200, 10, 20, 20);
        UpdateWindow(gone->Handle());
        gone->Repaint();
        f->marker->Repaint();
        gone->Free();
    }
    EXPECT_EQ(counts().first, before.first + 1);
    EXPECT_TRUE(errors.empty());
}

// While paint is deferred, Repaint only invalidates, also inside a batch;
// the next paint pass paints each window once, whatever the count of
// repaints before it.
TEST_F(FormTest, DeferredRepaintWaitsForTheNextPaintPass) {
    TestForm* f = NewForm();
    f->Show();
    UpdateWindow(f->Handle());
    Application->ProcessMessages();
    auto counts = [f] { return std::make_pair(f->marker->log.paints, f->box->log.paints); };
    const auto before = counts();
    {
        TDeferredPaint outer;
        {
            TDeferredPaint inner;
            TPaintBatch batch;
            for (int i = 0; i < 3; ++i) {
                f->box->Repaint();
                f->marker->Repaint();
            }
        }
        f->box->Repaint();
        EXPECT_EQ(counts(), before) << "nothing painted while deferred";
    }
    EXPECT_EQ(counts(), before) << "the end of the scope paints nothing either";
    RECT pending{};
    EXPECT_TRUE(GetUpdateRect(f->box->Handle(), &pending, FALSE)) << "the box waits for its paint";
    EXPECT_TRUE(GetUpdateRect(f->Handle(), &pending, FALSE)) << "the form waits for the windowless marker";
    UpdateWindow(f->Handle());
    EXPECT_EQ(counts(), std::make_pair(before.first + 1, before.second + 1));
    f->box->Repaint();
    EXPECT_EQ(counts().second, before.second + 2) << "after the scope Repaint paints at once again";
}

TEST_F(FormTest, PaintBackgroundDrawsTheControlItselfWithoutChildren) {
    TestForm* f = NewForm();
    f->Show();
    auto* inner = new Marker(f, clRed);
    inner->SetParent(f->box);
    inner->SetBounds(5, 5, 10, 10);
    TBitmap shot(60, 40, pf24bit);
    shot.Canvas()->Brush()->SetColor(clLime);
    shot.Canvas()->FillRect(Rect(0, 0, 60, 40));
    f->box->PaintBackground(shot.Canvas()->Handle());
    EXPECT_EQ(shot.Canvas()->Pixel(30, 30), clBlue);
    EXPECT_EQ(shot.Canvas()->Pixel(8, 8), clBlue);  // the windowless child is left out
    EXPECT_EQ(inner->log.paints, 0);
}

TEST_F(FormTest, WindowlessChildrenGetEnterLeaveAndClicks) {
    TestForm* f = NewForm();
    f->Show();
    std::vector<String> log;
    f->OnMouseEnter = [&](TObject*) { log.push_back(L"form enter"); };
    f->OnMouseLeave = [&](TObject*) { log.push_back(L"form leave"); };
    f->marker->OnMouseEnter = [&](TObject*) { log.push_back(L"marker enter"); };
    f->marker->OnMouseLeave = [&](TObject*) { log.push_back(L"marker leave"); };
    f->marker->OnClick = [&](TObject* s) {
        EXPECT_EQ(s, f->marker);
        log.push_back(L"marker click");
    };
    f->marker->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        EXPECT_EQ(b, mbLeft);
        log.push_back(L"down " + IntToStr(x) + L"," + IntToStr(y));
    };
    HWND h = f->Handle();
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(20, 25));
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 25));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 25));
    // Pressed inside, released outside: no click; the child keeps the mouse meanwhile.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 25));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(200, 100));
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, (std::vector<String>{L"form enter", L"form leave", L"marker enter", L"down 10,15",
                                        L"marker click", L"down 10,15", L"marker leave", L"form enter",
                                        L"form leave"}));
}

TEST_F(FormTest, DisabledWindowlessChildGetsNoClick) {
    TestForm* f = NewForm();
    f->Show();
    int clicks = 0, formClicks = 0;
    f->marker->OnClick = [&](TObject*) { ++clicks; };
    f->OnClick = [&](TObject*) { ++formClicks; };
    f->marker->SetEnabled(false);
    SendMessageW(f->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 25));
    SendMessageW(f->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 25));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(formClicks, 1);  // the form under it takes the click
}

TEST_F(FormTest, EnterAndEscapeReachDefaultAndCancelButtons) {
    TestForm* f = NewForm();
    f->Show();
    f->box->SetFocus();
    ASSERT_EQ(GetFocus(), f->box->Handle());
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    // Alt + the button's accelerator ("&OK").
    PostMessageW(GetFocus(), WM_SYSCHAR, L'o', 1 << 29);
    Application->ProcessMessages();
    EXPECT_EQ(f->clicks, (std::vector<String>{L"ok", L"cancel", L"ok"}));

    // A focused button takes Enter itself.
    f->clicks.clear();
    f->cancel->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(f->clicks, std::vector<String>{L"cancel"});

    // A control that wants Enter gets it as a key.
    f->clicks.clear();
    f->box->wantsReturn = true;
    std::vector<WORD> keys;
    f->box->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { keys.push_back(k); };
    f->box->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_TRUE(f->clicks.empty());
    EXPECT_EQ(keys, std::vector<WORD>{VK_RETURN});
}

TEST_F(FormTest, ShortcutsComeBeforeTheFocusedControl) {
    TestForm* f = NewForm();
    f->Show();
    f->box->SetFocus();
    std::vector<String> log;
    f->OnShortCut = [&](WORD key, TShiftState shift, bool& handled) {
        handled = key == 'S' && (shift & ssCtrl);
        if (handled) log.push_back(L"shortcut");
    };
    f->box->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { log.push_back(L"key " + IntToStr(key)); };
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PressKey('S');
    PressKey('T');
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(log, (std::vector<String>{L"shortcut", L"key 84"}));

    // With KeyPreview the form sees keys first and may take them.
    log.clear();
    f->KeyPreview = true;
    f->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back(L"form " + IntToStr(key));
        if (key == 'K') key = 0;
    };
    PressKey('K');
    PressKey('L');
    EXPECT_EQ(log, (std::vector<String>{L"form 75", L"form 76", L"key 76"}));
}

TEST_F(FormTest, CanvasesOutsidePaintingGiveTheirDCsBack) {
    TestForm* f = NewForm();
    f->Show();
    f->box->Canvas()->TextOut(0, 0, L"x");
    f->marker->Canvas()->FillRect(Rect(0, 0, 4, 4));
    EXPECT_TRUE(f->box->Canvas()->HandleAllocated());
    EXPECT_TRUE(f->marker->Canvas()->HandleAllocated());
    TControlCanvas::FreeAllDCs();
    EXPECT_FALSE(f->box->Canvas()->HandleAllocated());
    EXPECT_FALSE(f->marker->Canvas()->HandleAllocated());
    f->marker->Canvas()->FillRect(Rect(0, 0, 4, 4));  // takes a DC again
    EXPECT_TRUE(f->marker->Canvas()->HandleAllocated());
}

TEST_F(FormTest, CoordinatesMapBetweenControlsAndTheScreen) {
    TestForm* f = NewForm();
    f->Show();
    const TPoint origin = f->ClientOrigin();
    EXPECT_EQ(f->marker->ClientToScreen(TPoint(1, 2)), TPoint(origin.x + 11, origin.y + 12));
    EXPECT_EQ(f->box->ClientToScreen(TPoint(0, 0)), TPoint(origin.x + 100, origin.y + 10));
    EXPECT_EQ(f->marker->ScreenToClient(TPoint(origin.x + 10, origin.y + 10)), TPoint(0, 0));
    EXPECT_EQ(f->box->ClientToParent(TPoint(3, 4)), TPoint(103, 14));
    EXPECT_EQ(f->ControlAtPos(TPoint(20, 20), false), f->marker);
    EXPECT_EQ(f->ControlAtPos(TPoint(120, 20), false), nullptr);  // windowed
    EXPECT_EQ(f->ControlAtPos(TPoint(120, 20), false, true), f->box);
    EXPECT_EQ(f->marker->ClientRect(), TRect(0, 0, 50, 40));
}

TEST_F(FormTest, ShowModalEndsWithTheButtonsModalResult) {
    struct Case {
        WORD key;
        TModalResult expected;
    };
    for (const Case c : {Case{VK_RETURN, mrOk}, Case{VK_ESCAPE, mrCancel}}) {
        TestForm* f = NewForm();
        bool onMessageInside = false;
        Application->OnMessage = [&](MSG&, bool&) { onMessageInside = true; };
        platform::QueueInMainThread([&] {
            HWND focus = GetFocus();
            PostMessageW(focus, WM_KEYDOWN, c.key, 1);
        });
        EXPECT_EQ(f->ShowModal(), c.expected);
        EXPECT_FALSE(f->Showing());
        EXPECT_TRUE(onMessageInside);
        Application->OnMessage = nullptr;
        delete f;
    }
}

TEST_F(FormTest, CloseQueryCanKeepAModalFormOpen) {
    TestForm* f = NewForm();
    int asked = 0;
    f->OnCloseQuery = [&](TObject*, bool& canClose) {
        canClose = ++asked > 1;
        // Refused once: ask again from the message loop.
        if (!canClose) platform::QueueInMainThread([&] { f->ModalResult = mrOk; });
    };
    platform::QueueInMainThread([&] { f->ModalResult = mrOk; });
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_EQ(asked, 2);
}

TEST_F(FormTest, TabWalksTheTabOrder) {
    TestForm* f = NewForm();
    auto* hidden = f->Place(new TButton(f), 200, 150, 20, 20);
    hidden->SetVisible(false);
    auto* disabled = f->Place(new TButton(f), 220, 150, 20, 20);
    disabled->SetEnabled(false);
    auto* noStop = f->Place(new Box(f, clGreen), 200, 60, 20, 20);
    noStop->SetTabStop(false);
    // Order: cancel, box, ok (the rest is skipped).
    f->cancel->SetTabOrder(0);
    f->ok->SetTabOrder(f->box->TabOrder() + 1);
    f->Show();
    EXPECT_EQ(GetFocus(), f->cancel->Handle());  // the first in tab order
    std::vector<HWND> seen;
    for (int i = 0; i < 4; ++i) {
        PressKey(VK_TAB);
        seen.push_back(GetFocus());
    }
    EXPECT_EQ(seen, (std::vector<HWND>{f->box->Handle(), f->ok->Handle(), f->cancel->Handle(), f->box->Handle()}));
    // Shift+Tab walks back.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PressKey(VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), f->cancel->Handle());
    EXPECT_EQ(f->ActiveControl(), f->cancel);
}

// A windowed child freed on its own (not with its parent) leaves the tab
// order: the walk and the first focus at showing see only living controls.
TEST_F(FormTest, AFreedWindowedChildLeavesTheTabOrder) {
    TestForm* f = NewForm();
    auto* panel = f->Place(new TPanel(f), 200, 100, 60, 60);
    auto* first = new Box(f, clRed);
    first->SetParent(panel);
    first->SetBounds(5, 5, 20, 20);
    auto* second = new Box(f, clBlue);
    second->SetParent(panel);
    second->SetBounds(30, 5, 20, 20);
    panel->SetTabOrder(0);
    delete first;  // the plain delete a component's owner would do
    std::vector<TWinControl*> list;
    panel->GetTabOrderList(list);
    EXPECT_EQ(list, std::vector<TWinControl*>{second});
    EXPECT_EQ(panel->ControlCount(), 1);
    f->Show();
    EXPECT_EQ(GetFocus(), second->Handle());
}

TEST_F(FormTest, FocusMovesRaiseEnterExitAndUpdateTheActiveControl) {
    TestForm* f = NewForm();
    std::vector<String> log;
    f->box->OnEnter = [&](TObject*) { log.push_back(L"box enter"); };
    f->box->OnExit = [&](TObject*) { log.push_back(L"box exit"); };
    f->ok->OnEnter = [&](TObject*) { log.push_back(L"ok enter"); };
    f->Show();  // the box is first in tab order
    f->box->SetFocus();
    f->ok->SetFocus();
    EXPECT_EQ(log, (std::vector<String>{L"box enter", L"box exit", L"ok enter"}));
    EXPECT_EQ(f->ActiveControl(), f->ok);
    delete f->ok;  // the active control goes away
    EXPECT_EQ(f->ActiveControl(), nullptr);
}

TEST_F(FormTest, StateChangesArriveAsMessagesThroughAReplaceableWindowProc) {
    TestForm* f = NewForm();
    f->Show();
    f->ok->SetFocus();
    std::vector<UINT> seen;
    TWndMethod previous = f->box->WindowProc;
    f->box->WindowProc = [&](TMessage& m) {
        if (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400 && m.Msg != CM_HITTEST) seen.push_back(m.Msg);
        previous(m);
    };
    f->box->SetCaption(L"x");
    f->box->SetEnabled(false);
    f->box->SetEnabled(true);
    f->box->SetVisible(false);
    f->box->SetVisible(true);
    f->Font()->SetSize(12);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = f->box->Handle();
    SendMessageW(f->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    f->box->WindowProc = previous;
    EXPECT_EQ(seen, (std::vector<UINT>{CM_TEXTCHANGED, CM_ENABLEDCHANGED, CM_ENABLEDCHANGED, CM_VISIBLECHANGED,
                                       CM_VISIBLECHANGED, CM_PARENTFONTCHANGED, CM_FONTCHANGED, CN_DRAWITEM}));
    // Children with ParentFont follow; one with a font of its own does not.
    EXPECT_EQ(f->box->Font()->Size(), 12);
    EXPECT_EQ(f->marker->Font()->Size(), 12);
    f->marker->Font()->SetSize(20);
    f->Font()->SetSize(9);
    EXPECT_EQ(f->marker->Font()->Size(), 20);
    EXPECT_FALSE(f->marker->ParentFont());
    wchar_t text[8] = {};
    GetWindowTextW(f->box->Handle(), text, 8);
    EXPECT_STREQ(text, L"x");
}

TEST_F(FormTest, RecreatedWindowsKeepTheirChildrenTextAndOrder) {
    TestForm* f = NewForm();
    f->Show();
    f->ok->SetCaption(L"Go");
    const HWND before = f->ok->Handle();
    f->RecreateWnd();
    EXPECT_NE(f->ok->Handle(), before);
    EXPECT_TRUE(IsWindow(f->ok->Handle()));
    EXPECT_EQ(GetParent(f->ok->Handle()), f->Handle());
    EXPECT_EQ(f->ok->Caption(), L"Go");
    EXPECT_FALSE(IsWindow(before));
    f->ScrollBy(5, -5);
    EXPECT_EQ(f->marker->BoundsRect(), TRect(15, 5, 65, 45));
    RECT r;
    GetWindowRect(f->box->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, f->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(TRect(r), TRect(105, 5, 165, 45));
}

struct StyleCase {
    TFormBorderStyle border;
    TBorderIcons icons;
    TFormStyle formStyle;
    DWORD styleOn, styleOff, exOn;
};
class FormStyleTest : public FormTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(FormStyleTest, BorderAndIconsBecomeWindowStyles) {
    const StyleCase& c = GetParam();
    auto* f = new TForm(nullptr);
    f->SetBorderStyle(c.border);
    f->SetBorderIcons(c.icons);
    f->SetFormStyle(c.formStyle);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(f->Handle(), GWL_STYLE));
    const DWORD ex = static_cast<DWORD>(GetWindowLongW(f->Handle(), GWL_EXSTYLE));
    EXPECT_EQ(style & c.styleOn, c.styleOn);
    EXPECT_EQ(style & c.styleOff, 0u);
    EXPECT_EQ(ex & c.exOn, c.exOn);
    f->Free();
}

constexpr TBorderIcons kAllIcons = biSystemMenu | biMinimize | biMaximize;
INSTANTIATE_TEST_SUITE_P(
    Borders, FormStyleTest,
    ::testing::Values(
        StyleCase{bsSizeable, kAllIcons, fsNormal, WS_THICKFRAME | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0},
        StyleCase{bsSingle, biSystemMenu, fsNormal, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MAXIMIZEBOX, 0},
        StyleCase{bsDialog, kAllIcons, fsNormal, WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME, WS_EX_DLGMODALFRAME},
        StyleCase{bsToolWindow, kAllIcons, fsNormal, WS_CAPTION, WS_MAXIMIZEBOX, WS_EX_TOOLWINDOW},
        StyleCase{bsNone, kAllIcons, fsStayOnTop, WS_POPUP, WS_CAPTION | WS_SYSMENU, WS_EX_TOPMOST},
        StyleCase{bsSizeable, 0, fsNormal, WS_THICKFRAME, WS_SYSMENU | WS_MINIMIZEBOX, 0}));

TEST_F(FormTest, LifecycleEventsComeInOrder) {
    std::vector<String> log;
    struct Logged : TestForm {
        Logged(TComponent* owner, std::vector<String>* log) : TestForm(owner) {
            auto add = [log](const wchar_t* s) { return [log, s](TObject*) { log->push_back(s); }; };
            OnCreate = add(L"create");
            OnShow = add(L"show");
            OnActivate = add(L"activate");
            OnHide = add(L"hide");
            OnDestroy = add(L"destroy");
            OnCloseQuery = [log](TObject*, bool&) { log->push_back(L"closequery"); };
            OnClose = [log](TObject*, TCloseAction& a) {
                log->push_back(L"close");
                a = caFree;
            };
        }
    };
    auto* f = new Logged(Application, &log);
    // Built in code: the components are loading until construction ends.
    EXPECT_TRUE(f->marker->Has(csLoading));
    EXPECT_TRUE(f->Has(csLoading));
    f->AfterConstruction();
    EXPECT_FALSE(f->marker->Has(csLoading));
    EXPECT_FALSE(f->Has(csLoading));
    f->Show();
    Application->ProcessMessages();
    f->Close();
    Application->ProcessMessages();  // caFree releases the form
    EXPECT_EQ(log, (std::vector<String>{L"create", L"show", L"activate", L"closequery", L"close", L"destroy"}));
    EXPECT_EQ(Screen->FormCount(), 0);
}

class Sized : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    bool CanAutoSize(int& w, int& h) override {
        w = static_cast<int>(Caption().size()) * 10;
        h = 16;
        return true;
    }
    void WndProc(TMessage& m) override {
        TGraphicControl::WndProc(m);
        if (m.Msg == CM_TEXTCHANGED) AdjustSize();
    }
};

TEST_F(FormTest, AutoSizeAsksTheControlForItsSize) {
    TestForm* f = NewForm();
    auto* s = f->Place(new Sized(f), 5, 5, 100, 100);
    s->SetCaption(L"abc");
    EXPECT_EQ(s->Width(), 100);
    s->SetAutoSize(true);
    EXPECT_EQ(s->BoundsRect(), TRect(5, 5, 35, 21));
    s->SetCaption(L"abcdef");
    EXPECT_EQ(s->Width(), 60);
}

TEST_F(FormTest, ScreenKnowsMonitorsAndWorkArea) {
    ASSERT_GE(Screen->MonitorCount(), 1);
    const TMonitor m = Screen->Monitors(0);
    EXPECT_FALSE(m.BoundsRect.IsEmpty());
    TestForm* f = NewForm();
    f->Show();
    const TMonitor of = Screen->MonitorFromWindow(f->Handle());
    EXPECT_NE(of.Handle, nullptr);
    const TRect work = Screen->WorkAreaRect();
    EXPECT_GT(work.Width(), 0);
    EXPECT_LE(work.Width(), Screen->Width());
    EXPECT_THROW(Screen->Monitors(Screen->MonitorCount()), EListError);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->Cursor, crHourGlass);
    Screen->SetCursor(crDefault);
}

// ---- alignment -------------------------------------------------------------------------------------

struct AlignCase {
    TAlign align;
    TRect expected;  // in a 200 x 100 client area with a 20-high top bar
};
class AlignTest : public FormTest, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(AlignTest, PlacesTheChildInTheRemainingArea) {
    auto* f = new TForm(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(0, 0, 200, 100);
    auto* top = new Box(f, clRed);
    top->SetParent(f);
    top->SetHeight(20);
    top->SetAlign(alTop);
    auto* c = new Box(f, clBlue);
    c->SetParent(f);
    c->SetBounds(5, 30, 40, 30);
    c->SetAlign(GetParam().align);
    f->AfterConstruction();
    EXPECT_EQ(c->BoundsRect(), GetParam().expected);
    delete f;
}

INSTANTIATE_TEST_SUITE_P(Aligns, AlignTest,
                         ::testing::Values(AlignCase{alTop, TRect(0, 20, 200, 50)},
                                           AlignCase{alBottom, TRect(0, 70, 200, 100)},
                                           AlignCase{alLeft, TRect(0, 20, 40, 100)},
                                           AlignCase{alRight, TRect(160, 20, 200, 100)},
                                           AlignCase{alClient, TRect(0, 20, 200, 100)},
                                           AlignCase{alNone, TRect(5, 30, 45, 60)}));

TEST_F(FormTest, AnchorsAndDisabledAlignFollowTheParentSize) {
    auto* f = new TForm(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(0, 0, 200, 100);
    f->AfterConstruction();
    auto* stretch = new Box(f, clRed);
    stretch->SetParent(f);
    stretch->SetBounds(10, 10, 100, 20);
    stretch->SetAnchors(akLeft | akTop | akRight);
    auto* corner = new Box(f, clBlue);
    corner->SetParent(f);
    corner->SetBounds(150, 70, 30, 20);
    corner->SetAnchors(akRight | akBottom);
    auto* client = new Box(f, clGreen);
    client->SetParent(f);
    f->DisableAlign();
    client->SetAlign(alClient);
    EXPECT_EQ(client->Width(), 0);  // waits for EnableAlign
    f->SetBounds(0, 0, 300, 150);
    f->EnableAlign();
    EXPECT_EQ(stretch->BoundsRect(), TRect(10, 10, 210, 30));
    EXPECT_EQ(corner->BoundsRect(), TRect(250, 120, 280, 140));
    EXPECT_EQ(client->BoundsRect(), TRect(0, 0, 300, 150));
    f->SetBounds(0, 0, 250, 150);
    EXPECT_EQ(stretch->Width(), 150);
    delete f;
}

TEST_F(FormTest, ShownFormStaysShownWhenItsWindowIsMadeAnew) {
    TestForm* f = NewForm();
    f->Show();
    const HWND before = f->Handle();
    f->SetBorderStyle(bsSingle);  // a new window
    EXPECT_NE(f->Handle(), before);
    EXPECT_TRUE(IsWindowVisible(f->Handle()));
    EXPECT_TRUE(f->Showing());
    f->Hide();
    f->SetBorderStyle(bsSizeable);
    EXPECT_FALSE(IsWindowVisible(f->Handle()));
}

TEST_F(FormTest, NarrowerFrameRealignsTheClientChildWithoutAMove) {
    auto* f = new TForm(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(0, 0, 200, 100);
    auto* client = new Box(f, clGreen);
    client->SetParent(f);
    client->SetAlign(alClient);
    f->AfterConstruction();
    f->HandleNeeded();
    ASSERT_EQ(client->BoundsRect(), TRect(0, 0, 200, 100));
    // A frame that keeps 10 pixels at each side and 6 at the top for itself.
    bool framed = false;
    TWindowProcHook frame(f, [&](TMessage& m, const TWndMethod& next) {
        next(m);
        if (m.Msg != WM_NCCALCSIZE || !framed) return;
        RECT* r = m.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                           : reinterpret_cast<RECT*>(m.LParam);
        r->left += 10, r->right -= 10, r->top += 6;
        m.Result = 0;
    });
    framed = true;
    const TRect boundsBefore = f->BoundsRect();
    SetWindowPos(f->Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                                                      SWP_NOACTIVATE);
    EXPECT_EQ(f->BoundsRect(), boundsBefore);
    EXPECT_EQ(f->ClientWidth(), 180);
    EXPECT_EQ(f->ClientHeight(), 94);
    EXPECT_EQ(client->BoundsRect(), TRect(0, 0, 180, 94));
    framed = false;
    SetWindowPos(f->Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                                                      SWP_NOACTIVATE);
    EXPECT_EQ(client->BoundsRect(), TRect(0, 0, 200, 100));
    delete f;
}

// ---- ownership and leaks ------------------------------------------------------------------------

class Watcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<TComponent*> gone;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove) gone.push_back(c);
    }
};

class Counted : public TComponent {
public:
    Counted(TComponent* owner, int* alive) : TComponent(owner), alive_(alive) { ++*alive_; }
    ~Counted() override { --*alive_; }

private:
    int* alive_;
};

TEST_F(FormTest, FreeingAFormLeavesNoWindowGdiObjectOrThread) {
    // Warm up once so that one-time system allocations are not counted.
    delete NewForm();
    const int windows = ThreadWindows();
    const long gdi = platform::LiveGdiObjects();
    const int threads = ThreadsOfThisProcess();
    Watcher watcher(nullptr);
    int alive = 0;
    for (int round = 0; round < 3; ++round) {
        TestForm* f = NewForm();
        new Counted(f, &alive);
        new Counted(f, &alive);
        watcher.FreeNotification(f->box);
        f->Show();
        UpdateWindow(f->Handle());
        f->marker->Canvas()->FillRect(Rect(0, 0, 5, 5));  // a canvas outside painting
        f->box->Canvas()->TextOut(0, 0, L"x");
        SendMessageW(f->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 25));
        f->box->SetFocus();
        f->box->Font()->SetSize(14);
        f->SetBorderStyle(bsSingle);  // window recreated
        Application->ProcessMessages();
        EXPECT_GT(ThreadWindows(), windows);
        EXPECT_EQ(alive, 2);
        TComponent* box = f->box;
        delete f;
        EXPECT_EQ(alive, 0);
        ASSERT_FALSE(watcher.gone.empty());
        EXPECT_EQ(watcher.gone.back(), box);
        EXPECT_EQ(Screen->FormCount(), 0);
        EXPECT_EQ(Application->MainForm(), nullptr);
        EXPECT_EQ(ThreadWindows(), windows);
        EXPECT_EQ(platform::LiveGdiObjects(), gdi);
        EXPECT_EQ(ThreadsOfThisProcess(), threads);
    }
}

TEST_F(FormTest, ReleaseFreesTheFormAfterPendingMessages) {
    TestForm* f = NewForm();
    f->Show();
    bool destroyed = false;
    f->OnDestroy = [&](TObject*) { destroyed = true; };
    f->ok->OnClick = [&](TObject*) { f->Release(); };
    SendMessageW(f->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(f->ok->Handle()));
    EXPECT_FALSE(destroyed);
    Application->ProcessMessages();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(FormTest, ClosingTheMainFormTerminatesRun) {
    Application->SetTitle(L"VantrelH264视频格式转换器");
    wchar_t title[64] = {};
    GetWindowTextW(Application->Handle(), title, 64);
    EXPECT_STREQ(title, L"VantrelH264视频格式转换器");
    TestForm* f = NewForm();
    EXPECT_EQ(Application->MainForm(), f);
    std::vector<String> log;
    f->OnCreate = [&](TObject*) { log.push_back(L"create"); };  // already ran in CreateForm
    f->OnClose = [&](TObject*, TCloseAction& a) {
        log.push_back(L"close");
        EXPECT_EQ(a, caHide);
    };
    platform::QueueInMainThread([&] { PostMessageW(f->Handle(), WM_CLOSE, 0, 0); });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(log, std::vector<String>{L"close"});
}

TEST_F(FormTest, ExceptionsInHandlersStopAtTheWindowProcedure) {
    TestForm* f = NewForm();
    f->Show();
    f->ok->OnClick = [](TObject*) { throw EConvertError(L"bad value"); };
    SendMessageW(f->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(f->ok->Handle()));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "bad value");
    errors.clear();
}

class FailingPaint : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->FillRect(ClientRect());
        throw EInvalidOperation(L"paint failed");
    }
};

TEST_F(FormTest, AFailingPaintLeaksNothingAndIsReported) {
    TestForm* f = NewForm();
    f->Place(new FailingPaint(f), 200, 10, 20, 20);
    f->Show();
    UpdateWindow(f->Handle());  // the canvases make their pens, brushes and fonts once
    errors.clear();
    const long gdi = platform::LiveGdiObjects();
    InvalidateRect(f->Handle(), nullptr, FALSE);
    UpdateWindow(f->Handle());
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "paint failed");
    EXPECT_EQ(platform::LiveGdiObjects(), gdi);
    errors.clear();
    f->Free();
}

TEST_F(FormTest, PositionCentresOnTheScreenAndTheOwner) {
    TestForm* main = NewForm();
    main->Show();
    auto* dlg = new TestForm(main);
    dlg->SetBounds(0, 0, 100, 60);
    dlg->Position = poOwnerFormCenter;
    dlg->Show();
    EXPECT_EQ(dlg->Left(), main->Left() + (main->Width() - 100) / 2);
    EXPECT_EQ(dlg->Top(), main->Top() + (main->Height() - 60) / 2);
    auto* centred = new TestForm(main);
    centred->Position = poScreenCenter;
    centred->Show();
    const TRect work = Screen->WorkAreaRect();
    EXPECT_EQ(centred->Left(), work.left + (work.Width() - centred->Width()) / 2);
    EXPECT_EQ(Screen->FormCount(), 3);
    EXPECT_EQ(Screen->Forms(1), dlg);
}

// ---- hints on the replaceable clock -------------------------------------------------------------

TEST_F(FormTest, HintWaitsForThePauseThenHides) {
    platform::ScopedManualClock clock;
    TestForm* f = NewForm();
    f->Show();
    f->marker->Hint = L"Red|long help";
    f->marker->SetShowHint(true);
    std::vector<String> shown;
    std::vector<TControl*> controls;
    Application->OnShowHint = [&](String& s, bool& canShow, THintInfo& info) {
        controls.push_back(info.HintControl);
        shown.push_back(s);
        canShow = true;
    };
    SendMessageW(f->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 25));
    clock.Advance(Application->HintPause - 1);
    EXPECT_TRUE(shown.empty());
    clock.Advance(1);
    EXPECT_EQ(shown, std::vector<String>{L"Red"});
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Application->HintWindow()->Handle()));
    // Moving on to another control while a hint shows waits only the short pause.
    f->box->Hint = L"Blue";
    f->box->SetShowHint(true);
    SendMessageW(f->box->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    clock.Advance(Application->HintShortPause);
    EXPECT_EQ(shown, (std::vector<String>{L"Red", L"Blue"}));
    EXPECT_EQ(controls, (std::vector<TControl*>{f->marker, f->box}));
    clock.Advance(Application->HintHidePause);
    EXPECT_FALSE(Application->HintShowing());
    shown.pop_back();
    // Leaving the control before the pause shows nothing.
    SendMessageW(f->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 100));
    SendMessageW(f->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 25));
    clock.Advance(100);
    SendMessageW(f->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 100));
    clock.Advance(5000);
    EXPECT_EQ(shown.size(), 1u);
}

}  // namespace
