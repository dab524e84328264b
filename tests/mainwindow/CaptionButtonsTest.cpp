// The caption buttons of the program's windows: each window shows only the
// buttons it is given; the others are drawn from the skin's disabled
// picture and take no click.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "platform/Bitmap.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrlsMessages.h"
#include "skin/frame/bsSkinFrame.h"
#include "skin/frame/bsSkinFrameObjects.h"

namespace mainwindowtest {
namespace {

using CaptionButtonsTest = MainWindowTest;

// The frame of the window as it is drawn, window coordinates.
std::unique_ptr<TBitmap> FramePicture(TForm* form) {
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    auto shot = std::make_unique<TBitmap>(wr.right - wr.left, wr.bottom - wr.top, pf32bit);
    SendMessageW(form->Handle(), CM_PAINTFRAMETODC, reinterpret_cast<WPARAM>(shot->Canvas()->Handle()), 0);
    return shot;
}

bool SamePixels(TBitmap* a, const TRect& ra, TBitmap* b, const TRect& rb) {
    if (ra.Width() != rb.Width() || ra.Height() != rb.Height() || ra.IsEmpty()) return false;
    for (int y = 0; y < ra.Height(); ++y)
        for (int x = 0; x < ra.Width(); ++x)
            if (GetPixel(a->Canvas()->Handle(), ra.left + x, ra.top + y) !=
                GetPixel(b->Canvas()->Handle(), rb.left + x, rb.top + y))
                return false;
    return true;
}

void NCClick(TForm* form, const TPoint& windowPoint) {
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    const LPARAM p = MAKELPARAM(wr.left + windowPoint.x, wr.top + windowPoint.y);
    const auto code = static_cast<WPARAM>(SendMessageW(form->Handle(), WM_NCHITTEST, 0, p));
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, code, p);
    SendMessageW(form->Handle(), WM_NCLBUTTONUP, code, p);
    Application->ProcessMessages();
}

TEST_F(CaptionButtonsTest, EachWindowShowsOnlyTheCaptionButtonsItIsGiven) {
    StartWindows();
    TbsSkinData* store = Form1->bsSkinData1;
    ASSERT_FALSE(store->Empty);
    const wchar_t* names[] = {L"sysmenubutton", L"minbutton", L"maxbutton", L"closebutton"};
    const struct {
        TForm* form;
        TbsSkinFrame* frame;
        bool given[4];  // in the order of names
    } windows[] = {
        {Form1, Form1->bsSkinFrame1, {true, true, false, true}},
        {Form2, Form2->bsSkinFrame1, {true, false, false, true}},
        {Form5, Form5->bsSkinFrame1, {false, false, false, false}},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.form->Name().c_str());
        w.form->Show();
        SetForegroundWindow(w.form->Handle());
        SetActiveWindow(w.form->Handle());
        Application->ProcessMessages();
        // An inactive caption looks like a disabled one in these skins.
        ASSERT_EQ(GetActiveWindow(), w.form->Handle());
        const auto shot = FramePicture(w.form);
        for (int b = 0; b < 4; ++b) {
            SCOPED_TRACE(names[b]);
            const int i = w.frame->GetIndex(names[b]);
            const int r = store->GetIndex(names[b]);
            ASSERT_GE(i, 0);
            ASSERT_GE(r, 0);
            const auto* rec = static_cast<TbsDataSkinStdButton*>(store->ObjectList[static_cast<size_t>(r)].get());
            TBitmap* buttons = store->FActivePictures[static_cast<size_t>(rec->ActivePictureIndex)].get();
            const TRect at = w.frame->ObjectList[static_cast<size_t>(i)]->ObjectRect;
            EXPECT_EQ(SamePixels(shot.get(), at, buttons, rec->DisableSkinRect), !w.given[b]);
            if (!w.given[b]) {
                NCClick(w.form, TPoint((at.left + at.right) / 2, (at.top + at.bottom) / 2));
                EXPECT_TRUE(IsWindowVisible(w.form->Handle()));
                EXPECT_FALSE(IsIconic(w.form->Handle()));
                EXPECT_FALSE(IsZoomed(w.form->Handle()));
                EXPECT_EQ(w.frame->WindowState(), wsNormal);
            }
        }
        if (w.form != Form1) w.form->Hide();
    }
}

}  // namespace
}  // namespace mainwindowtest
