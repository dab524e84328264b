#pragma once
// A running application with one shown form, and counters of what the
// process holds, for the tests of the native controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Forms.h"
#include "platform/GdiObjects.h"
#include "platform/ImgList.h"
#include "platform/MainThread.h"

namespace platform_test {

inline BOOL CALLBACK CountChildWindow(HWND, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}

inline BOOL CALLBACK CountThreadWindow(HWND w, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    EnumChildWindows(w, &CountChildWindow, p);
    return TRUE;
}

// Windows of this thread, with their children.
inline int ThreadWindows() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountThreadWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

// A list of 16 x 16 pictures, each one colour.
inline TCustomImageList* SolidColourList(TComponent* owner, const std::vector<TColor>& colours) {
    auto* list = new TCustomImageList(owner);
    list->Masked = false;
    list->SetSize(16, 16);
    for (TColor c : colours) {
        TBitmap b(16, 16, pf24bit);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(TRect(0, 0, 16, 16));
        list->Add(&b, nullptr);
    }
    return list;
}

// Paints a windowed control into a bitmap and tells whether a colour shows
// inside r (client coordinates).
inline bool ShowsColour(TWinControl* control, const TRect& r, TColor colour) {
    TBitmap shot(control->ClientWidth(), control->ClientHeight(), pf24bit);
    SendMessageW(control->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF want = ColorToRGB(colour);
    for (int y = std::max(0, static_cast<int>(r.top)); y < std::min(shot.Height(), static_cast<int>(r.bottom)); ++y)
        for (int x = std::max(0, static_cast<int>(r.left)); x < std::min(shot.Width(), static_cast<int>(r.right)); ++x)
            if (static_cast<COLORREF>(shot.Canvas()->Pixel(x, y)) == want) return true;
    return false;
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        windowsBefore = ThreadWindows();
        gdiBefore = platform::LiveGdiObjects();
        listsBefore = TCustomImageList::LiveLists();
        app = std::make_unique<TApplication>();
        Application->Initialize();
        Application->OnException = [this](TObject*, const std::exception& e) { errors.push_back(e.what()); };
        Application->CreateForm(form);
        form->SetBounds(50, 50, 640, 480);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        form->Free();
        Application->ProcessMessages();
        app.reset();
        platform::DoneMainThread();
        // Everything the test made is gone with the application.
        EXPECT_EQ(ThreadWindows(), windowsBefore);
        EXPECT_EQ(platform::LiveGdiObjects(), gdiBefore);
        EXPECT_EQ(TCustomImageList::LiveLists(), listsBefore);
        EXPECT_TRUE(errors.empty()) << errors.front();
    }
    // Posts a key to a window and lets the application route it.
    void PressKey(HWND wnd, WORD key) {
        PostMessageW(wnd, WM_KEYDOWN, key, 1);
        PostMessageW(wnd, WM_KEYUP, key, 0xC0000001);
        Application->ProcessMessages();
    }
    void Click(HWND wnd, int x, int y) {
        SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Application->ProcessMessages();
    }

    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    std::vector<std::string> errors;
    int windowsBefore = 0;
    long gdiBefore = 0, listsBefore = 0;
};

}  // namespace platform_test
