// Window procedures chained and unchained by identity: subclasses of any
// window through the system's subclass chain, and hooks in a control's
// WindowProc that outlive its window.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/StdCtrls.h"
#include "platform/Subclass.h"
#include "tests/platform/ControlsFixture.h"

namespace {

using platform_test::ControlsTest;

// A window of a system class that none of our code handles.
HWND MakeForeignEdit(HWND parent) {
    return CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

std::wstring TextOf(HWND wnd) {
    wchar_t buf[64] = {};
    GetWindowTextW(wnd, buf, 64);
    return buf;
}

class SubclassTest : public ControlsTest {};

TEST_F(SubclassTest, ForeignSubclassRemovedOutOfOrderKeepsTheOther) {
    struct Case {
        const char* name;
        bool removeEarlierFirst;
    };
    for (const Case c : {Case{"earlier first", true}, Case{"later first", false}}) {
        SCOPED_TRACE(c.name);
        const HWND edit = MakeForeignEdit(form->Handle());
        ASSERT_NE(edit, nullptr);
        int earlierSeen = 0, laterSeen = 0;
        auto earlier = std::make_unique<platform::WindowSubclass>(edit, [&](TMessage& m) {
            if (m.Msg == WM_SETTEXT) ++earlierSeen;
            return false;
        });
        auto later = std::make_unique<platform::WindowSubclass>(edit, [&](TMessage& m) {
            if (m.Msg == WM_SETTEXT) ++laterSeen;
            return false;
        });
        SetWindowTextW(edit, L"one");
        EXPECT_EQ(earlierSeen, 1);
        EXPECT_EQ(laterSeen, 1);

        (c.removeEarlierFirst ? earlier : later).reset();
        SetWindowTextW(edit, L"two");
        // The one still there sees the message, the removed one does not, and
        // the window's own procedure still runs at the end of the chain.
        EXPECT_EQ(earlierSeen, c.removeEarlierFirst ? 1 : 2);
        EXPECT_EQ(laterSeen, c.removeEarlierFirst ? 2 : 1);
        EXPECT_EQ(TextOf(edit), L"two");

        earlier.reset();
        later.reset();
        SetWindowTextW(edit, L"three");
        EXPECT_EQ(TextOf(edit), L"three");
        EXPECT_EQ(earlierSeen + laterSeen, 3);
        DestroyWindow(edit);
    }
}

TEST_F(SubclassTest, AnsweringHandlerStopsTheChainAndCallNextRunsTheRest) {
    const HWND edit = MakeForeignEdit(form->Handle());
    int innerSeen = 0;
    platform::WindowSubclass inner(edit, [&](TMessage& m) {
        if (m.Msg == WM_GETTEXTLENGTH) ++innerSeen;
        return false;
    });
    std::unique_ptr<platform::WindowSubclass> outer;
    outer = std::make_unique<platform::WindowSubclass>(edit, [&](TMessage& m) {
        if (m.Msg == WM_GETTEXTLENGTH) {
            m.Result = 42;
            return true;
        }
        if (m.Msg == WM_GETTEXT) {
            // Lets the rest of the chain fill the buffer, then changes it.
            m.Result = outer->CallNext(m);
            reinterpret_cast<wchar_t*>(m.LParam)[0] = L'X';
            return true;
        }
        return false;
    });
    SetWindowTextW(edit, L"abc");
    EXPECT_EQ(GetWindowTextLengthW(edit), 42);
    EXPECT_EQ(innerSeen, 0);
    EXPECT_EQ(TextOf(edit), L"Xbc");
    outer->Remove();
    EXPECT_EQ(GetWindowTextLengthW(edit), 3);
    EXPECT_EQ(innerSeen, 1);
    DestroyWindow(edit);
}

TEST_F(SubclassTest, SubclassOfDestroyedWindowIsGoneAndRemovesSafely) {
    const HWND edit = MakeForeignEdit(form->Handle());
    platform::WindowSubclass sub(edit, [](TMessage&) { return false; });
    EXPECT_TRUE(sub.Installed());
    DestroyWindow(edit);
    EXPECT_FALSE(sub.Installed());
    sub.Remove();
    EXPECT_THROW(platform::WindowSubclass(edit, [](TMessage&) { return false; }), EOSError);
}

// ---- hooks of a control's WindowProc ------------------------------------------------------

class Box : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    using TWinControl::RecreateWnd;
};

constexpr UINT kProbe = WM_APP + 7;

TEST_F(SubclassTest, WindowProcHooksRemovedInEitherOrderLeaveTheOtherWorking) {
    for (const bool olderFirst : {true, false}) {
        SCOPED_TRACE(olderFirst ? "older first" : "newer first");
        auto* box = new Box(form);
        box->SetParent(form);
        std::vector<std::string> log;
        auto older = std::make_unique<TWindowProcHook>(box, [&](TMessage& m, const TWndMethod& next) {
            if (m.Msg == kProbe) log.push_back("older");
            next(m);
        });
        auto newer = std::make_unique<TWindowProcHook>(box, [&](TMessage& m, const TWndMethod& next) {
            if (m.Msg == kProbe) log.push_back("newer");
            next(m);
        });
        SendMessageW(box->Handle(), kProbe, 0, 0);
        EXPECT_EQ(log, (std::vector<std::string>{"newer", "older"}));

        log.clear();
        (olderFirst ? older : newer).reset();
        SendMessageW(box->Handle(), kProbe, 0, 0);
        EXPECT_EQ(log, (std::vector<std::string>{olderFirst ? "newer" : "older"}));

        log.clear();
        older.reset();
        newer.reset();
        SendMessageW(box->Handle(), kProbe, 0, 0);
        EXPECT_TRUE(log.empty());
        box->Free();
    }
}

TEST_F(SubclassTest, ReplacedWindowProcAndHooksSurviveRecreateWnd) {
    auto* box = new Box(form);
    box->SetParent(form);
    int replacedSeen = 0, hookSeen = 0;
    const TWndMethod old = box->WindowProc;
    box->WindowProc = [&, old](TMessage& m) {
        if (m.Msg == kProbe) ++replacedSeen;
        old(m);
    };
    TWindowProcHook hook(box, [&](TMessage& m, const TWndMethod& next) {
        if (m.Msg == kProbe) {
            ++hookSeen;
            m.Result = 5;
            return;
        }
        next(m);
    });
    const HWND before = box->Handle();
    box->RecreateWnd();
    const HWND after = box->Handle();
    ASSERT_NE(after, nullptr);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(SendMessageW(after, kProbe, 0, 0), 5);
    EXPECT_EQ(replacedSeen, 1);
    EXPECT_EQ(hookSeen, 1);
    // Messages the hooks pass on still reach the control's own handling.
    SendMessageW(after, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"kept"));
    EXPECT_EQ(box->Caption(), L"kept");
    box->Free();
}

TEST_F(SubclassTest, HookOutlivingItsControlIsInert) {
    auto* box = new Box(form);
    box->SetParent(form);
    TWindowProcHook hook(box, [](TMessage& m, const TWndMethod& next) { next(m); });
    EXPECT_TRUE(hook.Installed());
    box->Free();
    EXPECT_FALSE(hook.Installed());
    hook.Remove();
}

TEST_F(SubclassTest, SubclassOfOurOwnSystemControlKeepsItsHandling) {
    auto* button = new TButton(form);
    button->SetParent(form);
    int seenBySubclass = 0, seenByHook = 0, changes = 0;
    TWindowProcHook hook(button, [&](TMessage& m, const TWndMethod& next) {
        if (m.Msg == WM_SETTEXT) ++seenByHook;
        if (m.Msg == CM_TEXTCHANGED) ++changes;
        next(m);
    });
    {
        platform::WindowSubclass sub(button->Handle(), [&](TMessage& m) {
            if (m.Msg == WM_SETTEXT) ++seenBySubclass;
            return false;
        });
        SetWindowTextW(button->Handle(), L"Go");
    }
    SetWindowTextW(button->Handle(), L"Stop");
    EXPECT_EQ(seenBySubclass, 1);
    EXPECT_EQ(seenByHook, 2);
    // The system button still keeps its text, and the control reads it.
    EXPECT_EQ(button->Caption(), L"Stop");
    button->SetCaption(L"Again");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seenByHook, 3);
}

// ---- the application window --------------------------------------------------------------

TEST_F(SubclassTest, ApplicationWindowHearsTheMainFormGoAndComeBack) {
    ASSERT_EQ(Application->MainForm(), form);
    std::vector<WPARAM> sizes;
    platform::WindowSubclass tray(Application->Handle(), [&](TMessage& m) {
        if (m.Msg == WM_SIZE) sizes.push_back(m.WParam);
        return false;
    });
    int minimized = 0, restored = 0;
    Application->OnMinimize = [&](TObject*) { ++minimized; };
    Application->OnRestore = [&](TObject*) { ++restored; };
    // By the user (the system's minimize box), then by code.
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(IsIconic(form->Handle()));
    EXPECT_EQ(sizes, std::vector<WPARAM>{SIZE_MINIMIZED});
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Application->ProcessMessages();
    Application->Minimize();
    Application->Minimize();  // already down: no second notice
    Application->Restore();
    Application->ProcessMessages();
    EXPECT_EQ(sizes, (std::vector<WPARAM>{SIZE_MINIMIZED, SIZE_RESTORED, SIZE_MINIMIZED, SIZE_RESTORED}));
    EXPECT_EQ(minimized, 2);
    EXPECT_EQ(restored, 2);
    EXPECT_FALSE(IsIconic(form->Handle()));
    // Another form minimized says nothing.
    auto* other = new TForm(Application);
    other->Show();
    ShowWindow(other->Handle(), SW_MINIMIZE);
    Application->ProcessMessages();
    EXPECT_EQ(sizes.size(), 4u);
    other->Free();
    Application->OnMinimize = nullptr;
    Application->OnRestore = nullptr;
}

}  // namespace
