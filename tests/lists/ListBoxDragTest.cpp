// Dragging rows from one skinned list box onto another: the drag starts
// past the threshold, the target hears enter, move and leave and takes the
// drop only when it accepts, and the source hears how the drag ended.
#include "ListsFixture.h"

#include <windowsx.h>

#include <functional>

#include "skin/boxes/bsSkinBoxCtrls.h"

using namespace liststest;

namespace {

const char* StateName(TDragState s) {
    return s == dsDragEnter ? "enter" : s == dsDragMove ? "move" : "leave";
}

class ListBoxDragTest : public ListsTest {
protected:
    void SetUp() override {
        ListsTest::SetUp();
        source = NewList(10);
        target = NewList(200);
        for (const wchar_t* s : {L"a", L"b", L"c"}) source->Items()->Add(s);
        source->SetListBoxDragMode(dmAutomatic);
        source->SetListBoxDragCursor(crHandPoint);
        source->SetOnListBoxStartDrag([this](TObject* sender) {
            EXPECT_EQ(sender, source->ListBox);
            Log("start");
        });
        source->SetOnListBoxEndDrag([this](TObject*, TObject* t, int x, int y) {
            Log(std::string("end:") + (t == target->ListBox ? "target" : t ? "?" : "none"));
            if (t) Log(std::to_string(x) + " " + std::to_string(y));
        });
        target->SetOnListBoxDragOver([this](TObject* sender, TObject* src, int, int, TDragState s, bool& accept) {
            EXPECT_EQ(sender, target->ListBox);
            EXPECT_EQ(src, source->ListBox);
            Log(std::string("over:") + StateName(s));
            accept = accepts;
        });
        target->SetOnListBoxDragDrop([this](TObject* sender, TObject* src, int x, int y) {
            EXPECT_EQ(sender, target->ListBox);
            Log("drop:" + Narrow(source->Items()->Get(dynamic_cast<TCustomListBox*>(src)->ItemIndex())) + " " +
                std::to_string(x) + " " + std::to_string(y));
        });
        Application->ProcessMessages();
    }
    TbsSkinListBox* NewList(int left) {
        auto* l = new TbsSkinListBox(form);
        l->SetParent(form);
        l->SetBounds(left, 10, 120, 120);
        l->HandleNeeded();
        return l;
    }
    HWND From() const { return source->ListBox->Handle(); }
    // The source's client point over the target's client point (x, y).
    LPARAM OverTarget(int x, int y) const {
        const TPoint p = source->ListBox->ScreenToClient(target->ListBox->ClientToScreen(TPoint(x, y)));
        return MAKELPARAM(p.x, p.y);
    }
    void PressRow(int row) {
        const TRect r = source->ListBox->ItemRect(row);
        press = MAKELPARAM(r.left + 5, r.top + r.Height() / 2);
        SendMessageW(From(), WM_LBUTTONDOWN, MK_LBUTTON, press);
    }
    void Move(LPARAM at) { SendMessageW(From(), WM_MOUSEMOVE, MK_LBUTTON, at); }
    void Release(LPARAM at) {
        SendMessageW(From(), WM_LBUTTONUP, 0, at);
        Application->ProcessMessages();
    }
    LPARAM Nudge(int dx) const { return MAKELPARAM(GET_X_LPARAM(press) + dx, GET_Y_LPARAM(press)); }

    TbsSkinListBox* source = nullptr;
    TbsSkinListBox* target = nullptr;
    bool accepts = true;
    LPARAM press = 0;
};

TEST_F(ListBoxDragTest, ARowDraggedOntoAnAcceptingListDropsThere) {
    PressRow(1);
    EXPECT_EQ(source->ItemIndex(), 1);
    Move(Nudge(4));  // inside the threshold: no drag yet
    EXPECT_EQ(TakeLog(), "");
    Move(OverTarget(20, 30));
    EXPECT_EQ(TakeLog(), "start,over:enter,");
    EXPECT_EQ(GetCursor(), CursorHandle(crHandPoint));
    Move(OverTarget(25, 40));
    EXPECT_EQ(TakeLog(), "over:move,");
    Release(OverTarget(25, 40));
    EXPECT_EQ(TakeLog(), "drop:b 25 40,end:target,25 40,");
    // The pointer's way over the source did not move its selection.
    EXPECT_EQ(source->ItemIndex(), 1);
    EXPECT_NE(GetCapture(), From());
}

TEST_F(ListBoxDragTest, ARefusingOrMissedTargetTakesNoDrop) {
    const struct Case {
        const char* what;
        bool accepts;
        std::function<void()> finish;
        const char* log;
    } cases[] = {
        {"the target refuses", false, [this] { Release(OverTarget(20, 30)); },
         "over:leave,end:none,"},
        {"back over the source", true,
         [this] {
             Move(Nudge(0));
             Release(Nudge(0));
         },
         "over:leave,end:none,"},
        {"escape", true,
         [this] {
             SendMessageW(From(), WM_KEYDOWN, VK_ESCAPE, 1);
             Release(OverTarget(20, 30));
         },
         "over:leave,end:none,"},
    };
    for (const Case& k : cases) {
        accepts = k.accepts;
        PressRow(0);
        Move(OverTarget(20, 30));
        EXPECT_EQ(TakeLog(), "start,over:enter,") << k.what;
        if (!k.accepts) {
            EXPECT_EQ(GetCursor(), CursorHandle(crNo)) << k.what;
        }
        k.finish();
        EXPECT_EQ(TakeLog(), k.log) << k.what;
    }
}

// A press released inside the threshold is a plain click; a list left in
// manual mode or set to docking drags nothing.
TEST_F(ListBoxDragTest, NoDragWithoutTheModeOrPastTheThreshold) {
    const struct Case {
        const char* what;
        TDragMode mode;
        TDragKind kind;
        int moveTo;  // 0: only a nudge inside the threshold
    } cases[] = {
        {"short move", dmAutomatic, dkDrag, 0},
        {"manual mode", dmManual, dkDrag, 1},
        {"docking", dmAutomatic, dkDock, 1},
    };
    for (const Case& k : cases) {
        source->SetListBoxDragMode(k.mode);
        source->SetListBoxDragKind(k.kind);
        PressRow(2);
        Move(k.moveTo ? OverTarget(20, 30) : Nudge(3));
        Release(k.moveTo ? OverTarget(20, 30) : Nudge(3));
        EXPECT_EQ(TakeLog(), "") << k.what;
        if (!k.moveTo) {
            EXPECT_EQ(source->ItemIndex(), 2) << k.what;
        }
    }
}

}  // namespace
