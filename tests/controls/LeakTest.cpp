// Creating, re-skinning and destroying every skinned control many times
// leaves no window, GDI object, handle or timer behind.
#include "ControlsSkin.h"

#include "platform/Clock.h"
#include "skin/bsCompressedSkins.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsPanels.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/controls/bsSkinCtrlsSlider.h"

using namespace controlstest;

namespace {

struct Counts {
    int windows;
    long gdi;
    DWORD guiGdi, guiUser, handles;
    int timers;
    bool operator==(const Counts&) const = default;
};

Counts Now(platform::ManualClock& clock) {
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return Counts{platform_test::ThreadWindows(),
                  platform::LiveGdiObjects(),
                  GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                  GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
                  handles,
                  clock.ActiveTimers()};
}

using LeakTest = ControlsTest;

TEST_F(LeakTest, HundredCreateReskinDestroyCyclesLeaveNothing) {
    platform::ScopedManualClock clock;
    auto* store = MakeControlsSkin(0).release();
    auto skinA = MakeControlsSkin(0), skinB = MakeControlsSkin(1);
    TbsCompressedStoredSkin storedA(nullptr), storedB(nullptr);
    storedA.LoadFromSkinData(skinA.get());
    storedB.LoadFromSkinData(skinB.get());

    auto cycle = [&](int i) {
        auto* panel = new TbsSkinPanel(form);
        panel->SetParent(form);
        panel->SetBounds(5, 5, 300, 200);
        auto* button = new TbsSkinButton(panel);
        button->SetParent(panel);
        auto* bar = new TbsSkinScrollBar(form);
        bar->SetParent(panel);
        bar->SetTop(40);
        auto* slider = new TbsSkinSlider(form);
        slider->SetParent(panel);
        slider->SetTop(70);
        auto* box = new TbsSkinCheckRadioBox(form);
        box->SetParent(panel);
        box->SetTop(120);
        auto* tools = new TbsSkinToolBar(form);
        tools->SetParent(form);
        tools->SetBounds(320, 5, 100, 30);
        tools->SetCanScroll(true);
        auto* status = new TbsSkinStatusBar(form);
        status->SetParent(form);
        status->SetSizeGrip(true);
        TbsSkinControl* all[] = {panel, button, bar, slider, box, tools, status};
        for (TbsSkinControl* c : all) c->SetSkinData(store);
        panel->HandleNeeded();
        tools->HandleNeeded();
        status->HandleNeeded();
        // Re-skin while hovered and mid-fade, then paint everything.
        button->SetMouseIn(true);
        clock.Advance(20);
        store->LoadCompressedStoredSkin(i % 2 ? &storedA : &storedB);
        for (TbsSkinControl* c : all) c->ChangeSkinData();
        button->SetMouseIn(false);
        clock.Advance(20);
        SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 9));
        clock.Advance(600);
        Application->ProcessMessages();
        form->Update();
        // The panel frees its children with it.
        status->Free();
        tools->Free();
        panel->Free();
        Application->ProcessMessages();
    };
    cycle(0);  // first use makes lasting things (window classes, fonts)
    const Counts before = Now(clock);
    for (int i = 1; i <= 100; ++i) cycle(i);
    const Counts after = Now(clock);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.guiGdi, before.guiGdi);
    EXPECT_EQ(after.guiUser, before.guiUser);
    EXPECT_EQ(after.handles, before.handles);
    EXPECT_EQ(after.timers, 0);
    store->Free();
}

}  // namespace
