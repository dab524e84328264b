// The client rectangle of the skin's arithmetic and the hit-test codes of
// window points, for normal and maximized forms, with and without a mask.
#include <functional>

#include "FrameSkin.h"

namespace frametest {
namespace {

using GeometryTest = FrameTest;

TEST_F(GeometryTest, TheClientRectangleIsTheWindowLessTheSkinsBorders) {
    auto store = MakeFrameSkin();
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    const struct {
        RECT in, out;
    } cases[] = {
        {{10, 20, 310, 220}, {10 + kLeft, 20 + kTop, 310 - kRight, 220 - kBottom}},
        {{0, 0, kW0, kH0}, {kLeft, kTop, kW0 - kRight, kH0 - kBottom}},
        // Smaller than the borders: an empty client rectangle, never a negative one.
        {{0, 0, 8, 8}, {kLeft, kTop, kLeft, kTop}},
    };
    for (const auto& c : cases) {
        RECT r = c.in;
        EXPECT_EQ(SendMessageW(form->Handle(), WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r)), 0);
        EXPECT_EQ(r.left, c.out.left);
        EXPECT_EQ(r.top, c.out.top);
        EXPECT_EQ(r.right, c.out.right);
        EXPECT_EQ(r.bottom, c.out.bottom);
    }
    form->SetBounds(40, 40, 333, 222);
    Application->ProcessMessages();
    EXPECT_EQ(form->ClientWidth(), 333 - kLeft - kRight);
    EXPECT_EQ(form->ClientHeight(), 222 - kTop - kBottom);
}

// A dialog is sized before its window exists, when the skin's borders are
// not yet taken off: the first show gives it the kept client size.
TEST_F(GeometryTest, AFormSizedBeforeItsWindowExistsShowsTheKeptClientSize) {
    auto store = MakeFrameSkin();
    auto* dialog = new TForm(Application);
    dialog->SetBorderStyle(bsSingle);
    auto* frame = new TbsSkinFrame(dialog);
    frame->SetSkinData(store.get());
    frame->ClientWidth = 338;
    frame->ClientHeight = 267;
    dialog->SetClientSize(338, 267);
    ASSERT_FALSE(dialog->HandleAllocated());
    dialog->Show();
    Application->ProcessMessages();
    EXPECT_EQ(dialog->ClientWidth(), 338);
    EXPECT_EQ(dialog->ClientHeight(), 267);
    EXPECT_EQ(dialog->Width(), 338 + kLeft + kRight);
    EXPECT_EQ(dialog->Height(), 267 + kTop + kBottom);
    delete dialog;
}

TEST_F(GeometryTest, WithoutASkinTheDefaultFrameTakesThreePixelsAndTheCaption) {
    auto* frame = new TbsSkinFrame(form);
    (void)frame;
    RECT r{0, 0, 200, 100};
    SendMessageW(form->Handle(), WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, 3);
    EXPECT_EQ(r.top, 22);
    EXPECT_EQ(r.right, 197);
    EXPECT_EQ(r.bottom, 97);
    form->SetBorderStyle(bsToolWindow);
    r = RECT{0, 0, 200, 100};
    SendMessageW(form->Handle(), WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 18);
}

TEST_F(GeometryTest, AFormWithoutBorderIsAllClientAndHasNoRegion) {
    auto store = MakeFrameSkin(0, true);
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    form->SetBounds(40, 40, 300, 200);
    Application->ProcessMessages();
    ASSERT_NE(frame->WindowRegion(), nullptr);
    frame->SetFormBorderStyle(bsNone);
    form->SetBounds(40, 40, 310, 210);
    Application->ProcessMessages();
    RECT r{10, 20, 310, 220};
    SendMessageW(form->Handle(), WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 310);
    EXPECT_EQ(r.bottom, 220);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form->Handle(), probe), ERROR);
    DeleteObject(probe);
    EXPECT_EQ(frame->WindowRegion(), nullptr);
}

TEST_F(GeometryTest, ObjectsStayInTheirCornerAndTheCaptionStretches) {
    auto store = MakeFrameSkin();
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(store.get());
    form->SetBounds(40, 40, 300, 200);
    Application->ProcessMessages();
    const int dW = 300 - kW0;
    TRect close = frame->ObjectList[static_cast<size_t>(frame->GetIndex(L"closebutton"))]->ObjectRect;
    EXPECT_EQ(close.left, kCloseOnFrame.left + dW);
    EXPECT_EQ(close.Width(), kCloseOnFrame.Width());
    TRect caption = frame->ObjectList[static_cast<size_t>(frame->GetIndex(L"caption"))]->ObjectRect;
    EXPECT_EQ(caption.left, 6);
    EXPECT_EQ(caption.right, 66 + dW);
}

struct HitRow {
    const char* name;
    std::function<int(int)> x, y;  // of the window's width / height
    LRESULT normal, maximized, masked;
};

TEST_F(GeometryTest, WindowPointsGiveTheirHitTestCodes) {
    const int o = HTOBJECT;
    const HitRow rows[] = {
        {"client", [](int w) { return w / 2; }, [](int h) { return h / 2; }, HTCLIENT, HTCLIENT, HTCLIENT},
        {"caption", [](int w) { return w / 3; }, [](int) { return 14; }, HTCAPTION, HTCAPTION, HTCAPTION},
        {"top-left", [](int) { return 1; }, [](int) { return 1; }, HTTOPLEFT, o, HTTOPLEFT},
        {"top-right", [](int w) { return w - 2; }, [](int) { return 1; }, HTTOPRIGHT, o, HTTOPRIGHT},
        {"bottom-left", [](int) { return 1; }, [](int h) { return h - 2; }, HTBOTTOMLEFT, o, HTBOTTOMLEFT},
        {"bottom-right", [](int w) { return w - 2; }, [](int h) { return h - 2; }, HTBOTTOMRIGHT, o, HTBOTTOMRIGHT},
        {"top probe", [](int w) { return w / 3; }, [](int) { return 3; }, HTTOP, HTCAPTION, HTTOP},
        {"bottom", [](int w) { return w / 2; }, [](int h) { return h - 2; }, HTBOTTOM, o, HTBOTTOM},
        {"left", [](int) { return 1; }, [](int h) { return h / 2; }, HTLEFT, o, HTLEFT},
        {"right", [](int w) { return w - 2; }, [](int h) { return h / 2; }, HTRIGHT, o, HTRIGHT},
        // Inside the caption, but a probe falls on the cut corner of the mask.
        {"cut corner probe", [](int) { return 7; }, [](int) { return 4; }, HTCAPTION, HTCAPTION, HTTOPLEFT},
        {"close button", [](int w) { return w - 13; }, [](int) { return 13; }, o, o, o},
    };
    for (int masked = 0; masked < 2; ++masked) {
        auto store = MakeFrameSkin(0, masked == 1);
        auto* frame = new TbsSkinFrame(form);
        frame->SetSkinData(store.get());
        form->SetBounds(40, 40, 300, 200);
        Application->ProcessMessages();
        for (int maximized = 0; maximized < 2 - masked; ++maximized) {
            if (maximized) {
                frame->SetWindowState(wsMaximized);
                Application->ProcessMessages();
                ASSERT_EQ(frame->WindowState(), wsMaximized);
            }
            RECT wr;
            GetWindowRect(form->Handle(), &wr);
            const int w = wr.right - wr.left, h = wr.bottom - wr.top;
            for (const HitRow& row : rows) {
                SCOPED_TRACE(std::string(row.name) + (masked ? " masked" : "") + (maximized ? " maximized" : ""));
                const LRESULT want = masked ? row.masked : maximized ? row.maximized : row.normal;
                EXPECT_EQ(HitTest(form, row.x(w), row.y(h)), want);
                frame->TestActive(-1, -1, false);  // the mouse leaves again
            }
        }
        frame->SetWindowState(wsNormal);
        frame->Free();
        Application->ProcessMessages();
    }
}

TEST_F(GeometryTest, TheDefaultLookAnswersFromItsThreePixelBorder) {
    auto* frame = new TbsSkinFrame(form);
    (void)frame;
    form->SetBounds(40, 40, 300, 200);
    Application->ProcessMessages();
    EXPECT_EQ(HitTest(form, 1, 1), HTTOPLEFT);
    EXPECT_EQ(HitTest(form, 299, 100), HTRIGHT);
    EXPECT_EQ(HitTest(form, 100, 10), HTCAPTION);
    EXPECT_EQ(HitTest(form, 150, 100), HTCLIENT);
}

}  // namespace
}  // namespace frametest
