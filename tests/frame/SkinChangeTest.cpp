// Skin changes: every open form and skinned control follows the store in
// the walk's order; repeated resizes and switches hold no handles; timings.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "FrameSkin.h"
#include "skin/bsCompressedSkins.h"
#include "skin/controls/bsSkinCtrlsButton.h"

namespace frametest {
namespace {

// A skinned control that records the skin calls it gets.
class Probe : public TbsSkinControl {
public:
    Probe(TWinControl* parent, const std::string& name, std::vector<std::string>& log)
        : TbsSkinControl(parent), name_(name), log_(log) {
        SetParent(parent);
        SetBounds(0, 0, 20, 20);
    }
    void BeforeChangeSkinData() override {
        log_.push_back("before " + name_);
        TbsSkinControl::BeforeChangeSkinData();
    }
    void ChangeSkinData() override {
        log_.push_back("change " + name_);
        TbsSkinControl::ChangeSkinData();
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class SkinChangeTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        skinA = MakeFrameSkin(0, true);  // with a mask: the switches also remake the region
        skinB = MakeFrameSkin(1);
        storedA = std::make_unique<TbsCompressedStoredSkin>(nullptr);
        storedA->LoadFromSkinData(skinA.get());
        storedB = std::make_unique<TbsCompressedStoredSkin>(nullptr);
        storedB->LoadFromSkinData(skinB.get());
        main = std::make_unique<TbsSkinData>(nullptr);
        main->LoadCompressedStoredSkin(storedA.get());
    }
    void TearDown() override {
        main.reset();
        storedA.reset();
        storedB.reset();
        skinA.reset();
        skinB.reset();
        FrameTest::TearDown();
    }
    std::unique_ptr<TbsSkinData> skinA, skinB, main;
    std::unique_ptr<TbsCompressedStoredSkin> storedA, storedB;
};

TEST_F(SkinChangeTest, TheWalkReachesTheStoresControlsInOrder) {
    std::vector<std::string> log;
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(main.get());
    auto* a = new Probe(form, "A", log);
    new Probe(a, "A1", log);
    new Probe(a, "A2", log);
    new Probe(form, "B", log);
    auto* other = new Probe(form, "other store", log);
    for (TControl* c : {static_cast<TControl*>(a), a->Controls(0), a->Controls(1), form->Controls(1)})
        static_cast<TbsSkinControl*>(c)->SetSkinData(main.get());
    TbsSkinData otherStore(nullptr);
    other->SetSkinData(&otherStore);
    log.clear();
    main->LoadCompressedStoredSkin(storedB.get());
    const std::vector<std::string> want = {"before A", "before A1", "before A2", "before B",
                                           "change A", "change A1", "change A2", "change B"};
    EXPECT_EQ(log, want);
}

TEST_F(SkinChangeTest, EveryOpenFormFollowsTheStore) {
    TForm* second = nullptr;
    Application->CreateForm(second);
    second->Show();
    auto* f1 = new TbsSkinFrame(form);
    auto* f2 = new TbsSkinFrame(second);
    f1->SetSkinData(main.get());
    f2->SetSkinData(main.get());
    auto* button = new TbsSkinButton(second);
    button->SetParent(second);
    button->SetSkinData(main.get());
    int changed = 0;
    f2->OnChangeSkinData = [&changed](TObject*) { ++changed; };
    ASSERT_EQ(f1->GetIndex(L"logo"), -1);
    main->LoadCompressedStoredSkin(storedB.get());
    // Both frames rebuilt their objects from the new skin (it has a "logo").
    EXPECT_NE(f1->GetIndex(L"logo"), -1);
    EXPECT_NE(f2->GetIndex(L"logo"), -1);
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(f2->FSkinSupport);
    // An empty store gives the default look with its six buttons.
    main->ClearAll();
    main->SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    main->Empty = true;
    main->SendSkinDataMessage(WM_CHANGESKINDATA);
    EXPECT_FALSE(f1->FSkinSupport);
    Application->ProcessMessages();
    TBitmap shot;
    PaintFrame(form, shot);
    EXPECT_EQ(f1->ObjectList.size(), 6u);
    second->Free();
}

// A skinned control that counts its paints.
class PaintCounter : public TbsSkinControl {
public:
    explicit PaintCounter(TWinControl* parent, int left) : TbsSkinControl(parent) {
        SetParent(parent);
        SetBounds(left, 0, 30, 20);
    }
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        TbsSkinControl::Paint();
    }
};

// A switch repaints the store's controls with their form: none paints on
// its own in the middle of the switch, each once when the form is painted.
TEST_F(SkinChangeTest, ASwitchPaintsEachControlOnceWithItsForm) {
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(main.get());
    auto* outer = new PaintCounter(form, 0);
    outer->SetBounds(0, 0, 100, 60);
    auto* inner1 = new PaintCounter(outer, 0);
    auto* inner2 = new PaintCounter(outer, 40);
    const std::vector<PaintCounter*> all = {outer, inner1, inner2};
    for (PaintCounter* c : all) c->SetSkinData(main.get());
    Application->ProcessMessages();
    UpdateWindow(form->Handle());
    std::vector<int> before;
    for (PaintCounter* c : all) before.push_back(c->paints);
    main->LoadCompressedStoredSkin(storedB.get());
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i]->paints, before[i]) << "control " << i;
    UpdateWindow(form->Handle());
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i]->paints, before[i] + 1) << "control " << i;
}

TEST_F(SkinChangeTest, ARolledUpOrMinimizedFormTakesTheNewSkinsBarSize) {
    // A skin whose bar is 10 pixels taller and whose forms are at least 200 wide.
    auto tall = MakeFrameSkin(1);
    tall->ClRect = TRect(kLeft, kTop + 10, kW0 - kRight, kH0 - kBottom);
    tall->FormMinWidth = 200;
    TbsCompressedStoredSkin storedTall(nullptr);
    storedTall.LoadFromSkinData(tall.get());
    const int barH = kTop + kBottom;
    const struct {
        const char* name;
        bool minimize;
        int width;  // after the switch back to the first skin
    } cases[] = {{"rolled up", false, 300}, {"minimized", true, kW0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        main->LoadCompressedStoredSkin(&storedTall);
        TForm* f = nullptr;
        Application->CreateForm(f);
        auto* fr = new TbsSkinFrame(f);
        fr->SetSkinData(main.get());
        f->SetBounds(100, 100, 300, 200);
        f->Show();
        Application->ProcessMessages();
        if (c.minimize) fr->SetWindowState(wsMinimized);
        else fr->SetRollUpState(true);
        ASSERT_EQ(f->Height(), barH + 10);
        if (c.minimize) {
            ASSERT_EQ(f->Width(), 200);
        }
        // The new skin's bar is lower: the form shrinks to it.
        main->LoadCompressedStoredSkin(storedA.get());
        EXPECT_EQ(f->Height(), barH);
        EXPECT_EQ(f->Width(), c.width);
        f->Free();
        Application->ProcessMessages();
    }
}

long UserObjects() { return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)); }
long GdiObjects() { return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }

TEST_F(SkinChangeTest, ResizesAndSwitchesHoldNoHandles) {
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(main.get());
    auto* button = new TbsSkinButton(form);
    button->SetParent(form);
    button->SetSkinData(main.get());
    const auto cycle = [&](int i) {
        form->SetBounds(20, 20, 200 + i % 7 * 13, 150 + i % 5 * 11);
        main->LoadCompressedStoredSkin(i % 2 ? storedA.get() : storedB.get());
        Application->ProcessMessages();
        TBitmap shot;
        PaintFrame(form, shot);
    };
    cycle(0);
    cycle(1);
    const long gdi = platform::LiveGdiObjects(), sysGdi = GdiObjects(), user = UserObjects();
    for (int i = 2; i < 102; ++i) cycle(i);
    EXPECT_EQ(platform::LiveGdiObjects(), gdi);
    EXPECT_EQ(GdiObjects(), sysGdi);
    EXPECT_EQ(UserObjects(), user);
}

TEST_F(SkinChangeTest, SwitchAndPaintTimings) {
    auto* frame = new TbsSkinFrame(form);
    frame->SetSkinData(main.get());
    std::vector<TbsSkinButton*> buttons;
    for (int i = 0; i < 50; ++i) {
        auto* b = new TbsSkinButton(form);
        b->SetParent(form);
        b->SetBounds(10 + i % 10 * 60, 10 + i / 10 * 40, 55, 30);
        b->SetSkinData(main.get());
        buttons.push_back(b);
    }
    using Clock = std::chrono::steady_clock;
    auto t0 = Clock::now();
    main->LoadCompressedStoredSkin(storedB.get());
    const double switchMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    EXPECT_NE(frame->GetIndex(L"logo"), -1);
    form->SetBounds(0, 0, 1280, 1024);
    Application->ProcessMessages();
    TBitmap shot;
    t0 = Clock::now();
    PaintFrame(form, shot);
    const double paintMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    EXPECT_EQ(PixelOf(shot, 2, 2), ZoneColor(zLT, frame->GetFormActive()));
    std::printf("skin switch, 50 skinned controls: %.1f ms; frame paint 1280x1024: %.1f ms\n", switchMs, paintMs);
    RecordProperty("switch_ms", std::to_string(switchMs));
    RecordProperty("paint_ms", std::to_string(paintMs));
}

}  // namespace
}  // namespace frametest
