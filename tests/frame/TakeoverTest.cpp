// The frame's takeover of the form's window procedure: which messages the
// frame answers itself and which reach the procedure it replaced, and the
// chain after the frame leaves it.
#include <vector>

#include "FrameSkin.h"

namespace frametest {
namespace {

// A procedure older than the frame: records what reaches it.
struct Recorder {
    Recorder(TControl* c, std::vector<UINT>& seen)
        : hook(c, [&seen](TMessage& m, const TWndMethod& next) {
              seen.push_back(m.Msg);
              next(m);
          }) {}
    TWindowProcHook hook;
};

bool Saw(const std::vector<UINT>& seen, UINT msg) {
    for (UINT m : seen)
        if (m == msg) return true;
    return false;
}

using TakeoverTest = FrameTest;

struct Row {
    const char* name;
    UINT msg;
    bool skinnable;  // the form is skinnable
    bool passedOn;
    bool checkResult;
    LRESULT result;
};

TEST_F(TakeoverTest, EachMessageIsAnsweredOrPassedOnAsTheTablesSay) {
    auto store = MakeFrameSkin();
    std::vector<UINT> seen;
    Recorder previous(form, seen);
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    Application->ProcessMessages();
    TBitmap dcPicture(50, 50);
    const WPARAM dc = reinterpret_cast<WPARAM>(dcPicture.Canvas()->Handle());

    const Row rows[] = {
        {"WM_NCCALCSIZE", WM_NCCALCSIZE, true, false, true, 0},
        {"WM_NCHITTEST", WM_NCHITTEST, true, false, false, 0},
        {"WM_NCPAINT", WM_NCPAINT, true, false, true, 0},
        {"WM_NCACTIVATE", WM_NCACTIVATE, true, false, true, 1},
        {"WM_ACTIVATE", WM_ACTIVATE, true, true, false, 0},
        {"WM_SIZE", WM_SIZE, true, true, false, 0},
        {"WM_ERASEBKGND", WM_ERASEBKGND, true, false, true, 1},
        {"WM_SETTEXT", WM_SETTEXT, true, true, false, 0},
        {"WM_GETMINMAXINFO", WM_GETMINMAXINFO, true, true, false, 0},
        {"WM_NCLBUTTONUP", WM_NCLBUTTONUP, true, true, false, 0},
        {"CM_QUERYSKINNEDFRAME", CM_QUERYSKINNEDFRAME, true, false, true, 12853},
        {"CM_PAINTFRAMETODC", CM_PAINTFRAMETODC, true, false, true, 12851},
        {"CM_PAINTTODC", CM_PAINTTODC, true, false, true, 16802},
        {"WM_NCCALCSIZE unskinnable", WM_NCCALCSIZE, false, true, false, 0},
        {"WM_NCHITTEST unskinnable", WM_NCHITTEST, false, true, false, 0},
        {"WM_NCACTIVATE unskinnable", WM_NCACTIVATE, false, true, false, 0},
        {"WM_ERASEBKGND unskinnable", WM_ERASEBKGND, false, false, true, 1},
        {"CM_QUERYSKINNEDFRAME unskinnable", CM_QUERYSKINNEDFRAME, false, false, true, 12852},
        {"CM_PAINTTODC unskinnable", CM_PAINTTODC, false, true, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (frame->SkinnableForm() != row.skinnable) {
            store->SetSkinnableForm(row.skinnable);
            Application->ProcessMessages();
            ASSERT_EQ(frame->SkinnableForm(), row.skinnable);
        }
        RECT r{10, 20, 310, 220};
        MINMAXINFO mmi{};
        std::wstring text = L"Caption";
        WPARAM wp = 0;
        LPARAM lp = 0;
        switch (row.msg) {
        case WM_NCCALCSIZE: lp = reinterpret_cast<LPARAM>(&r); break;
        case WM_NCACTIVATE: wp = 1; break;
        case WM_ERASEBKGND: case CM_PAINTFRAMETODC: wp = dc; break;
        case CM_PAINTTODC: wp = dc, lp = 16802; break;
        case WM_SETTEXT: lp = reinterpret_cast<LPARAM>(text.c_str()); break;
        case WM_GETMINMAXINFO: lp = reinterpret_cast<LPARAM>(&mmi); break;
        case WM_SIZE: lp = MAKELPARAM(form->ClientWidth(), form->ClientHeight()); break;
        case WM_ACTIVATE: wp = WA_ACTIVE; break;
        default: break;
        }
        seen.clear();
        const LRESULT result = SendMessageW(form->Handle(), row.msg, wp, lp);
        EXPECT_EQ(Saw(seen, row.msg), row.passedOn);
        if (row.checkResult) {
            EXPECT_EQ(result, row.result);
        }
    }
}

TEST_F(TakeoverTest, PaintToDCWithAnotherKeyIsPassedOn) {
    auto store = MakeFrameSkin();
    std::vector<UINT> seen;
    Recorder previous(form, seen);
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    TBitmap pic(10, 10);
    SendMessageW(form->Handle(), CM_PAINTTODC, reinterpret_cast<WPARAM>(pic.Canvas()->Handle()), 16801);
    EXPECT_TRUE(Saw(seen, CM_PAINTTODC));
}

TEST_F(TakeoverTest, TheFrameAnswersAfterTheWindowIsRecreated) {
    auto store = MakeFrameSkin();
    auto* frame = new TbsSkinFrame(form);
    // Joining makes a new window for the frame; the shown form stays shown.
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    frame->SetSkinData(store.get());
    form->RecreateWnd();
    Application->ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(SendMessageW(form->Handle(), CM_QUERYSKINNEDFRAME, 0, 0), 12853);
    EXPECT_EQ(form->ClientWidth(), form->Width() - kLeft - kRight);
    // The new window has the frame's region again.
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(form->Handle(), probe), ERROR);
    DeleteObject(probe);
}

TEST_F(TakeoverTest, FreeingTheFrameLeavesOlderAndNewerProceduresInTheChain) {
    auto store = MakeFrameSkin();
    std::vector<UINT> older, newer;
    Recorder before(form, older);
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    Recorder after(form, newer);
    Application->ProcessMessages();
    frame->Free();
    Application->ProcessMessages();
    older.clear();
    newer.clear();
    RECT r{10, 20, 310, 220};
    SendMessageW(form->Handle(), WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_TRUE(Saw(newer, WM_NCCALCSIZE));
    EXPECT_TRUE(Saw(older, WM_NCCALCSIZE));
    EXPECT_EQ(SendMessageW(form->Handle(), CM_QUERYSKINNEDFRAME, 0, 0), 0);
    // The form has its own frame again and no region of the skin.
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form->Handle(), probe), ERROR);
    DeleteObject(probe);
}

TEST_F(TakeoverTest, WithTheFormsCursorInTheFrameEveryFrameCodeButSizingBecomesClient) {
    auto store = MakeFrameSkin();
    WORD seenCode = 0;
    TWindowProcHook previous(form, [&seenCode](TMessage& m, const TWndMethod& next) {
        if (m.Msg == WM_SETCURSOR) seenCode = LOWORD(m.LParam);
        next(m);
    });
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    frame->UseFormCursorInNCArea = true;
    const struct {
        WORD in, out;
    } rows[] = {{HTCAPTION, HTCLIENT}, {HTOBJECT, HTCLIENT}, {HTSYSMENU, HTCLIENT}, {HTLEFT, HTLEFT},
                {HTBOTTOMRIGHT, HTBOTTOMRIGHT}, {HTTOP, HTTOP}, {HTCLIENT, HTCLIENT}};
    for (const auto& r : rows) {
        SendMessageW(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(r.in, WM_MOUSEMOVE));
        EXPECT_EQ(seenCode, r.out) << r.in;
    }
    frame->UseFormCursorInNCArea = false;
    SendMessageW(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_EQ(seenCode, HTCAPTION);
}

TEST_F(TakeoverTest, AnOwnerThatIsNotAFormIsRefused) {
    TComponent owner(nullptr);
    EXPECT_THROW(TbsSkinFrame frame(&owner), Exception);
}

}  // namespace
}  // namespace frametest
