// The menu speed button's faces by their pixels: the skin's marker in its
// states, the record's track part (where it opens the menu and how it
// looks while the menu is open), the arrow over a transparent idle face and
// the new style's track records.
#include "ControlsSkin.h"

#include "platform/Menus.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

using namespace controlstest;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
// Marker cores: normal, hot, flat.
constexpr COLORREF kMarker = RGB(0, 200, 0), kMarkerHot = RGB(0, 0, 200), kMarkerFlat = RGB(200, 200, 0);

// The fixture's state images with a row of 7 x 7 markers below them (a
// 5 x 5 core in a one-pixel border of the key colour) as picture 1.
void AddMarkerPicture(TbsSkinData* store) {
    TBitmap* states = store->FActivePictures[0].get();
    auto pic = std::make_unique<TBitmap>(5 * kCellW, kCellH + 7);
    pic->Canvas()->CopyRect(TRect(0, 0, 5 * kCellW, kCellH), states->Canvas(), TRect(0, 0, 5 * kCellW, kCellH));
    const COLORREF cores[] = {kMarker, kMarkerHot, kMarkerFlat};
    for (int i = 0; i < 3; ++i) {
        TCanvas* c = pic->Canvas();
        c->Brush()->SetColor(static_cast<TColor>(kKey));
        c->FillRect(Bounds(7 * i, kCellH, 7, 7));
        c->Brush()->SetColor(static_cast<TColor>(cores[i]));
        c->FillRect(Bounds(7 * i + 1, kCellH + 1, 5, 5));
    }
    store->FActivePicturesNames->Add(L"menu.bmp");
    store->FActivePictures.push_back(std::move(pic));
}

// A menu-button record on picture 1 with the normal and hot markers (the
// pressed one falls back to the hot one, the flat one is its own).
TbsDataSkinMenuButtonControl* AddMenuRecord(TbsSkinData* store, const wchar_t* name, bool ninePiece) {
    auto rec = std::make_unique<TbsDataSkinMenuButtonControl>(name);
    rec->PictureIndex = 1;
    rec->SkinRect = StateRect(0);
    rec->ActiveSkinRect = StateRect(1);
    rec->DownSkinRect = StateRect(2);
    rec->ClRect = TRect(6, 5, 24, 15);
    if (ninePiece) {
        rec->LTPoint = TPoint(6, 5);
        rec->RTPoint = TPoint(24, 5);
        rec->LBPoint = TPoint(6, 15);
        rec->RBPoint = TPoint(24, 15);
    }
    rec->MenuMarkerRect = Bounds(0, kCellH, 7, 7);
    rec->MenuMarkerActiveRect = Bounds(7, kCellH, 7, 7);
    rec->MenuMarkerFlatRect = Bounds(14, kCellH, 7, 7);
    rec->MenuMarkerTransparentColor = static_cast<TColor>(kKey);
    auto* raw = rec.get();
    store->CtrlList.push_back(std::move(rec));
    return raw;
}

// A menu that paints the button while it is open.
class SnapshotMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int, int) override {
        ++opened;
        shot.SetPixelFormat(pf24bit);
        shot.SetSize(button->Width(), button->Height());
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
    }
    TControl* button = nullptr;
    int opened = 0;
    TBitmap shot;
};

class MenuButtonFacesTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        store = MakeControlsSkin(0);
        AddMarkerPicture(store.get());
    }
    void TearDown() override {
        // The buttons drop the store as it goes.
        store.reset();
        ControlsTest::TearDown();
    }
    TbsSkinMenuSpeedButton* NewButton(const wchar_t* name) {
        auto* b = new TbsSkinMenuSpeedButton(form);
        b->SetParent(form);
        b->SkinDataName = name;
        b->SetBounds(10, 10, 60, 25);
        b->SetSkinData(store.get());
        return b;
    }
    // The face painted now over a background of `background`.
    static void Shot(TControl* b, TBitmap& out, COLORREF background = RGB(1, 2, 3)) {
        out.SetPixelFormat(pf24bit);
        out.SetSize(b->Width(), b->Height());
        out.Canvas()->Brush()->SetColor(static_cast<TColor>(background));
        out.Canvas()->FillRect(TRect(0, 0, b->Width(), b->Height()));
        b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(out.Canvas()->Handle()), 0);
    }
    std::unique_ptr<TbsSkinData> store;
};

// The shared nine-piece face draws the skin's marker centred in the
// 15-pixel strip: the normal one idle, the hot one under the mouse and, as
// the record has no pressed one, the hot one pressed; its key colour lets
// the face show through.
TEST_F(MenuButtonFacesTest, TheSkinsMarkerFollowsTheState) {
    AddMenuRecord(store.get(), L"resizetoolbutton", true);
    auto* b = NewButton(L"resizetoolbutton");
    TBitmap shot;
    Shot(b, shot);
    // The strip is x 45..60: the 7-pixel marker starts at 45 + 7 - 3 = 49,
    // y 25 / 2 - 3 = 9.
    EXPECT_EQ(PixelAt(shot, 52, 12), kMarker);
    EXPECT_NE(PixelAt(shot, 49, 9), kKey);
    EXPECT_EQ(PixelAt(shot, 49, 9), PixelAt(shot, 40, 9)) << "the face under the key colour";
    b->Perform(CM_MOUSEENTER);
    Shot(b, shot);
    EXPECT_EQ(PixelAt(shot, 52, 12), kMarkerHot);
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(b->Down());
    Shot(b, shot);
    // Pressed: the strip is x 47..60 from y 2, the marker at (50, 10).
    EXPECT_EQ(PixelAt(shot, 53, 13), kMarkerHot);
    b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// A record of its own places the track part (TrackButtonRect, here the
// right 8 of its 30 pixels): only that part opens the menu, and while the
// menu is open it shows the pressed image's part there over the hot face.
TEST_F(MenuButtonFacesTest, TheRecordsTrackPartOpensTheMenuAndLooksPressed) {
    auto* rec = AddMenuRecord(store.get(), L"toolmenubutton", false);
    rec->TrackButtonRect = TRect(22, 0, 30, 20);
    auto* b = NewButton(L"toolmenubutton");
    ASSERT_EQ(b->Width(), kCellW) << "a fixed face takes its skin size";
    b->SetTrackButtonMode(true);
    auto* menu = new SnapshotMenu(form);
    menu->button = b;
    b->SetSkinPopupMenu(menu);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    const auto click = [&](int x) {
        b->Perform(CM_MOUSEENTER);
        b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
        b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    };
    // x 16 lies in a 15-pixel strip but not in the record's track part.
    click(16);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(menu->opened, 0);
    click(25);
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(menu->opened, 1);
    EXPECT_EQ(PixelAt(menu->shot, 2, 2), ZoneColor(0, 1, 0)) << "hot face";
    EXPECT_EQ(PixelAt(menu->shot, 27, 10), ZoneColor(0, 2, 1)) << "pressed track part";
    EXPECT_EQ(PixelAt(menu->shot, 27, 2), ZoneColor(0, 2, 0));
    // Closed: the hot face whole again.
    TBitmap shot;
    b->Perform(CM_MOUSEENTER);
    Shot(b, shot);
    EXPECT_EQ(PixelAt(shot, 27, 10), ZoneColor(0, 1, 1));
}

// A record of its own with no track part shows its marker in the strip
// (x 15..30 of its 30 pixels: the marker at (19, 6)).
TEST_F(MenuButtonFacesTest, ARecordWithoutATrackPartShowsItsMarker) {
    AddMenuRecord(store.get(), L"toolmenubutton", false);
    auto* b = NewButton(L"toolmenubutton");
    TBitmap shot;
    Shot(b, shot);
    EXPECT_EQ(PixelAt(shot, 22, 9), kMarker);
    b->Perform(CM_MOUSEENTER);
    Shot(b, shot);
    EXPECT_EQ(PixelAt(shot, 22, 9), kMarkerHot);
    EXPECT_EQ(PixelAt(shot, 2, 2), ZoneColor(0, 1, 0));
}

// Idle and transparent (flat), only the content and the arrow show over
// the parent: the skin's flat marker when the record has one, else the
// drop-down arrow in the button text colour.
TEST_F(MenuButtonFacesTest, ATransparentIdleFaceShowsItsArrowOverTheParent) {
    AddMenuRecord(store.get(), L"toolmenubutton", false);
    auto* b = NewButton(L"toolmenubutton");
    b->SetFlat(true);
    TBitmap shot;
    Shot(b, shot);
    // The arrow area is (ClRect.right - 2 = 22, 0, 30, 20): marker at (23, 7).
    EXPECT_EQ(PixelAt(shot, 26, 10), kMarkerFlat);
    EXPECT_EQ(PixelAt(shot, 23, 7), RGB(1, 2, 3)) << "the key colour shows the parent";
    EXPECT_EQ(PixelAt(shot, 2, 2), RGB(1, 2, 3)) << "no face";

    // Plain: the drop-down arrow in the strip, nothing else.
    auto* plain = new TbsSkinMenuSpeedButton(form);
    plain->SetParent(form);
    plain->SetBounds(100, 10, 60, 25);
    plain->SetFlat(true);
    Shot(plain, shot, RGB(255, 255, 255));
    long dark = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 45; x < 60; ++x) dark += PixelAt(shot, x, y) == ColorToRGB(clBtnText);
    EXPECT_GT(dark, 3);
    EXPECT_EQ(PixelAt(shot, 2, 2), RGB(255, 255, 255));
}

// The new style composes the store's "resizetoolbutton" and, hovered in
// TrackButtonMode, the "vtracktoolbutton" record over the right strip.
TEST_F(MenuButtonFacesTest, TheNewStyleDrawsTheStoresTrackRecord) {
    AddMenuRecord(store.get(), L"resizetoolbutton", true);
    auto track = std::make_unique<TbsDataSkinButtonControl>(L"vtracktoolbutton");
    track->PictureIndex = 0;
    track->SkinRect = StateRect(3);
    track->ActiveSkinRect = StateRect(4);
    track->ClRect = TRect(6, 5, 24, 15);
    track->LTPoint = TPoint(6, 5);
    track->RTPoint = TPoint(24, 5);
    track->LBPoint = TPoint(6, 15);
    track->RBPoint = TPoint(24, 15);
    store->CtrlList.push_back(std::move(track));
    auto* b = NewButton(L"toolmenubutton");
    b->SetNewStyle(true);
    EXPECT_EQ(b->SkinDataName, L"resizetoolbutton");
    b->SetTrackButtonMode(true);
    b->Perform(CM_MOUSEENTER);
    TBitmap shot;
    Shot(b, shot);
    EXPECT_EQ(PixelAt(shot, 2, 2), ZoneColor(0, 1, 0)) << "main record, hot";
    EXPECT_EQ(PixelAt(shot, 46, 2), ZoneColor(0, 4, 0)) << "track record, hot";
    // Not hovered: one face, no track record.
    b->Perform(CM_MOUSELEAVE);
    Shot(b, shot);
    EXPECT_EQ(PixelAt(shot, 46, 2), ZoneColor(0, 0, 1));
}

// The plain new style with the track at the bottom opens the menu from
// the bottom strip only, and splits its face there while hovered.
TEST_F(MenuButtonFacesTest, ThePlainNewStyleTracksAtTheBottom) {
    auto* b = new TbsSkinMenuSpeedButton(form);
    b->SetParent(form);
    b->SetBounds(10, 10, 60, 40);
    b->SetNewStyle(true);
    b->SetTrackPosition(bstpBottom);
    b->SetTrackButtonMode(true);
    auto* menu = new SnapshotMenu(form);
    menu->button = b;
    b->SetSkinPopupMenu(menu);
    b->Perform(CM_MOUSEENTER);
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 10));
    TBitmap shot;
    Shot(b, shot);
    EXPECT_EQ(PixelAt(shot, 30, 10), ColorToRGB(bsPlainDownFill)) << "main part pressed";
    EXPECT_EQ(PixelAt(shot, 5, 33), ColorToRGB(bsPlainHotFill)) << "bottom strip hot";
    b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(50, 10));
    EXPECT_EQ(menu->opened, 0);
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 30));
    EXPECT_EQ(menu->opened, 1);
}

}  // namespace
