// Moving and sizing a skinned form: with full-window dragging the frame is
// made for each proposed size before the window takes it, the size
// message then repaints only what needs it (a logo, a translucent form),
// and the end of the loop repaints the frame at the size the window kept.
#include <string>
#include <vector>

#include "FrameSkin.h"

namespace frametest {
namespace {

TRect RegionBox(HWND h) {
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (GetWindowRgn(h, r) != ERROR) GetRgnBox(r, &box);
    DeleteObject(r);
    return TRect(box);
}

class SizingTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        store = MakeFrameSkin(0, true);
        frame = new TbsSkinFrame(form);
        frame->SetSkinData(store.get());
        form->SetBounds(100, 100, 300, 200);
        Application->ProcessMessages();
        closeCode = HitTest(form, 283, 9);
        hook = std::make_unique<TWindowProcHook>(form, [this](TMessage& m, const TWndMethod& next) {
            if (m.Msg == WM_NCPAINT) seen.push_back("ncpaint");
            if (m.Msg == WM_PAINT) seen.push_back("paint");
            next(m);
        });
    }
    void TearDown() override {
        hook.reset();
        frame->SetSkinData(nullptr);
        store.reset();
        FrameTest::TearDown();
    }
    LRESULT Sizing(RECT r) {
        return SendMessageW(form->Handle(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&r));
    }
    HWND Wnd() { return form->Handle(); }

    std::unique_ptr<TbsSkinData> store;
    TbsSkinFrame* frame = nullptr;
    LRESULT closeCode = 0;
    std::unique_ptr<TWindowProcHook> hook;
    std::vector<std::string> seen;
};

TEST_F(SizingTest, AFullDragMakesTheFrameForTheProposedSizeAndTheLoopsEndTakesTheWindowsOwn) {
    ASSERT_NE(closeCode, HTNOWHERE);
    ASSERT_EQ(RegionBox(Wnd()), TRect(0, 0, 300, 200));
    const struct {
        const char* name;
        bool full;
        TRect region;     // the region's box after the sizing step
        bool closeMoved;  // the close button answers at the new right edge
    } cases[] = {
        {"full-window drag", true, TRect(0, 0, 400, 260), true},
        {"outline drag", false, TRect(0, 0, 300, 200), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FullDrag drag(c.full);
        SendMessageW(Wnd(), WM_ENTERSIZEMOVE, 0, 0);
        Sizing(RECT{100, 100, 500, 360});
        // The window itself has not moved yet.
        ASSERT_EQ(form->Width(), 300);
        EXPECT_EQ(RegionBox(Wnd()), c.region);
        EXPECT_EQ(HitTest(form, 383, 9) == closeCode, c.closeMoved);
        EXPECT_EQ(HitTest(form, 283, 9) == closeCode, !c.closeMoved);
        // The loop ends with the window at its old size: the frame follows
        // the window and is painted again.
        seen.clear();
        SendMessageW(Wnd(), WM_EXITSIZEMOVE, 0, 0);
        EXPECT_EQ(RegionBox(Wnd()), TRect(0, 0, 300, 200));
        EXPECT_EQ(HitTest(form, 283, 9), closeCode);
        EXPECT_NE(std::find(seen.begin(), seen.end(), "ncpaint"), seen.end());
    }
}

TEST_F(SizingTest, DuringAFullDragTheSizeMessageLeavesTheFrameAsTheSizingStepMadeIt) {
    FullDrag drag(true);
    SendMessageW(Wnd(), WM_ENTERSIZEMOVE, 0, 0);
    Sizing(RECT{100, 100, 500, 360});
    SetWindowPos(Wnd(), nullptr, 100, 100, 400, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(RegionBox(Wnd()), TRect(0, 0, 400, 260));
    EXPECT_EQ(HitTest(form, 383, 9), closeCode);
    // A size message of the drag does not rebuild the frame from the window.
    SendMessageW(Wnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(RegionBox(Wnd()), TRect(0, 0, 400, 260));
    SendMessageW(Wnd(), WM_EXITSIZEMOVE, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(RegionBox(Wnd()), TRect(0, 0, 400, 260));
    // After the loop a size message makes the frame from the window again.
    SetWindowPos(Wnd(), nullptr, 100, 100, 350, 220, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(RegionBox(Wnd()), TRect(0, 0, 350, 220));
}

TEST_F(SizingTest, TheSizeMessageRepaintsALogoAndATranslucentFormAtOnce) {
    const struct {
        const char* name;
        bool logo, alpha, fullDrag;
        std::vector<std::string> want;  // what the form paints inside the size message
    } cases[] = {
        // The new window region repaints the frame in every case.
        {"plain form", false, false, false, {"ncpaint"}},
        {"logo", true, false, false, {"ncpaint", "paint"}},
        {"translucent", false, true, false, {"ncpaint", "ncpaint", "paint"}},
        {"logo in a full drag", true, false, true, {"paint"}},
        {"translucent in a full drag", false, true, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.logo) {
            frame->LogoBitMap()->SetSize(20, 20);
            frame->LogoBitMap()->Canvas()->Brush()->SetColor(clRed);
            frame->LogoBitMap()->Canvas()->FillRect(TRect(0, 0, 20, 20));
        } else {
            frame->LogoBitMap()->SetSize(0, 0);
        }
        frame->SetAlphaBlendValue(180);
        frame->SetAlphaBlend(c.alpha);
        FullDrag drag(c.fullDrag);
        if (c.fullDrag) SendMessageW(Wnd(), WM_ENTERSIZEMOVE, 0, 0);
        Application->ProcessMessages();
        ValidateRect(Wnd(), nullptr);
        seen.clear();
        SendMessageW(Wnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(form->ClientWidth(), form->ClientHeight()));
        EXPECT_EQ(seen, c.want);
        if (c.fullDrag) SendMessageW(Wnd(), WM_EXITSIZEMOVE, 0, 0);
        frame->SetAlphaBlend(false);
    }
}

}  // namespace
}  // namespace frametest
