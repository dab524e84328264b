// The skinned list view: a 25-column report view kept in step with its
// skinned scroll bars in both directions, its header painted from a skin
// button record, and the header hook's life.
#include "ControlsSkin.h"

#include <cstdlib>
#include <utility>

#include "platform/Subclass.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "tests/controls/SkinnedViewRig.h"

using namespace controlstest;

namespace {

constexpr int kColumns = 25, kRows = 300, kColumnWidth = 60;

class ListViewTest : public ControlsTest {
protected:
    // A report view like the main window's queue with a bar below and one
    // at its right.
    TbsSkinListView* NewView(bool ownerData = false) {
        const auto setUp = [ownerData](TbsSkinListView* v) {
            if (!ownerData) return;
            v->SetOwnerData(true);
            v->OnData = [](TObject*, TListItem* item) { item->SetCaption(std::to_wstring(item->Index())); };
        };
        const auto fill = [ownerData](TbsSkinListView* v) {
            if (ownerData) return;
            v->Items()->BeginUpdate();
            for (int r = 0; r < kRows; ++r) v->Items()->Add()->SetCaption(L"row " + std::to_wstring(r));
            v->Items()->EndUpdate();
        };
        const SkinnedViewRig rig = MakeSkinnedViewRig(form, kColumns, kColumnWidth, setUp, fill);
        view = rig.view;
        vbar = rig.vbar;
        hbar = rig.hbar;
        Application->ProcessMessages();
        return view;
    }
    HWND H() { return view->Handle(); }
    int TopIndex() { return static_cast<int>(SendMessageW(H(), LVM_GETTOPINDEX, 0, 0)); }
    int PerPage() { return static_cast<int>(SendMessageW(H(), LVM_GETCOUNTPERPAGE, 0, 0)); }
    int FirstRowLeft() {
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageW(H(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r.left;
    }

    TbsSkinListView* view = nullptr;
    TbsSkinScrollBar* vbar = nullptr;
    TbsSkinScrollBar* hbar = nullptr;
};

TEST_F(ListViewTest, SkinnedBarsStandInForTheNativeOnes) {
    NewView();
    ASSERT_GT(PerPage(), 0);
    EXPECT_TRUE(vbar->Visible());
    EXPECT_TRUE(hbar->Visible());
    EXPECT_EQ(vbar->Max(), kRows - 1);
    EXPECT_EQ(vbar->PageSize(), PerPage());
    EXPECT_EQ(vbar->LargeChange(), PerPage());
    // The columns are wider than the view.
    EXPECT_GE(hbar->Max(), kColumns * kColumnWidth - 1);
    EXPECT_EQ(hbar->PageSize(), view->Width());
    // Both bars shown: the horizontal one leaves the corner free.
    EXPECT_TRUE(hbar->Both());
    // The native bars have no room: the whole window is client area.
    RECT client{};
    GetClientRect(H(), &client);
    EXPECT_EQ(client.right, view->Width());
    EXPECT_EQ(client.bottom, view->Height());
}

TEST_F(ListViewTest, MovingTheSkinnedBarsScrollsTheNativeView) {
    NewView();
    const struct Case {
        int v, h;
    } cases[] = {{120, 300}, {7, 0}, {kRows, 5000}, {0, 61}};
    for (const Case& c : cases) {
        vbar->SetPosition(c.v);
        hbar->SetPosition(c.h);
        Application->ProcessMessages();
        const int wantV = std::min(c.v, kRows - PerPage());
        const int wantH = std::min(c.h, kColumns * kColumnWidth - view->Width());
        EXPECT_EQ(TopIndex(), wantV) << c.v;
        EXPECT_EQ(GetScrollPos(H(), SB_VERT), wantV) << c.v;
        EXPECT_EQ(vbar->Position(), wantV) << c.v;
        EXPECT_EQ(GetScrollPos(H(), SB_HORZ), wantH) << c.h;
        EXPECT_EQ(FirstRowLeft(), -wantH) << c.h;
    }
    // A click on the bar's arrow at the bottom end moves one row on.
    vbar->SetPosition(10);
    Application->ProcessMessages();
    vbar->CalcRects();
    const TRect up = vbar->ButtonRect(1);
    const LPARAM at = MAKELPARAM((up.left + up.right) / 2, (up.top + up.bottom) / 2);
    SendMessageW(vbar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(vbar->Handle(), WM_LBUTTONUP, 0, at);
    Application->ProcessMessages();
    EXPECT_EQ(TopIndex(), 11);
}

TEST_F(ListViewTest, BarsFollowKeysWheelAndCode) {
    NewView();
    view->SetFocus();
    view->SetItemIndex(0);
    Application->ProcessMessages();

    PressKey(H(), VK_END);
    EXPECT_EQ(TopIndex(), kRows - PerPage());
    EXPECT_EQ(vbar->Position(), TopIndex());

    PressKey(H(), VK_HOME);
    EXPECT_EQ(TopIndex(), 0);
    EXPECT_EQ(vbar->Position(), 0);

    POINT centre{view->Width() / 2, view->Height() / 2};
    ClientToScreen(H(), &centre);
    SendMessageW(H(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(centre.x, centre.y));
    Application->ProcessMessages();
    ASSERT_GT(TopIndex(), 0);
    EXPECT_EQ(vbar->Position(), TopIndex());

    view->Items()->Item(200)->MakeVisible(false);
    Application->ProcessMessages();
    ASSERT_GE(TopIndex(), 200 - PerPage() + 1);
    EXPECT_EQ(vbar->Position(), TopIndex());

    view->Scroll(150, 0);
    Application->ProcessMessages();
    EXPECT_EQ(hbar->Position(), GetScrollPos(H(), SB_HORZ));
    EXPECT_EQ(hbar->Position(), -FirstRowLeft());
    ASSERT_GT(hbar->Position(), 0);

    // Rows removed until all fit: the vertical bar goes, the horizontal one
    // takes the corner back.
    view->Items()->BeginUpdate();
    while (view->Items()->Count() > 3) view->Items()->Delete(view->Items()->Count() - 1);
    view->Items()->EndUpdate();
    view->Invalidate();
    Application->ProcessMessages();
    EXPECT_FALSE(vbar->Visible());
    EXPECT_FALSE(hbar->Both());
}

// The header's sections: the fixture's button record gives the faces, the
// down face while a section is pressed; without a skin the plain faces.
TEST_F(ListViewTest, HeaderSectionsShowTheSkinsFaces) {
    NewView();
    auto store = MakeControlsSkin(0);
    view->SetHeaderSkinDataName(L"button");
    HWND header = view->HookedHeader();
    ASSERT_NE(header, nullptr);
    ASSERT_EQ(header, view->HeaderHandle());

    const auto paint = [&](TBitmap& out) {
        RECT wr{};
        GetWindowRect(header, &wr);
        out.SetPixelFormat(pf24bit);
        out.SetSize(wr.right - wr.left, wr.bottom - wr.top);
        view->Perform(CM_PAINTHEADERTODC, reinterpret_cast<WPARAM>(out.Canvas()->Handle()), 0);
    };
    const struct Case {
        bool skinned;
        bool pressed;
        COLORREF side, client;
    } cases[] = {
        {true, false, ZoneColor(0, 0, 1), ZoneColor(0, 0, 2)},
        {true, true, ZoneColor(0, 2, 1), ZoneColor(0, 2, 2)},
        {false, false, ColorToRGB(clBtnShadow), ColorToRGB(clBtnFace)},
        {false, true, ColorToRGB(bsPlainHotFrame), ColorToRGB(bsPlainDownFill)},
    };
    for (const Case& c : cases) {
        view->SetSkinData(c.skinned ? store.get() : nullptr);
        const TRect s1 = view->GetHeaderSectionRect(1);
        const int midY = (s1.top + s1.bottom) / 2;
        if (c.pressed) {
            SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(s1.left + 20, midY));
            EXPECT_EQ(view->ActiveSection(), 1);
        }
        TBitmap b;
        paint(b);
        // Section 1 in the tested state, its neighbours never pressed.
        EXPECT_EQ(PixelAt(b, s1.right - 8, midY), c.client) << c.skinned << c.pressed;
        EXPECT_EQ(PixelAt(b, s1.left, midY), c.side) << c.skinned << c.pressed;
        const TRect s2 = view->GetHeaderSectionRect(2);
        const COLORREF normal = c.skinned ? ZoneColor(0, 0, 2) : ColorToRGB(clBtnFace);
        EXPECT_EQ(PixelAt(b, s2.right - 8, midY), normal);
        if (c.pressed) {
            SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(s1.left + 20, midY));
            EXPECT_EQ(view->ActiveSection(), -1);
            TBitmap after;
            paint(after);
            EXPECT_EQ(PixelAt(after, s1.right - 8, midY), normal);
        }
    }
    view->SetSkinData(nullptr);
}

// Section content: the image and the caption placed by the column's
// alignment; a caption that has to be shortened keeps its image at the left.
TEST_F(ListViewTest, HeaderSectionsAlignCaptionAndImage) {
    NewView();
    const TColor imageColour = static_cast<TColor>(0x0000FF);
    view->SetSmallImages(platform_test::SolidColourList(form, {imageColour}));
    HWND header = view->HookedHeader();
    ASSERT_NE(header, nullptr);
    TListColumn* col = view->Columns()->Items(1);
    col->SetWidth(200);
    const String longCaption(60, L'W');
    const struct Case {
        TAlignment align;
        bool image;
        String caption;
    } cases[] = {
        {taLeftJustify, true, L""},  {taRightJustify, true, L""}, {taCenter, true, L""},
        {taRightJustify, true, longCaption}, {taLeftJustify, false, L"Mid"}, {taRightJustify, false, L"Mid"},
        {taCenter, false, L"Mid"},
    };
    for (const Case& c : cases) {
        col->SetAlignment(c.align);
        col->SetImageIndex(c.image ? 0 : -1);
        col->SetCaption(c.caption);
        const TRect s = view->GetHeaderSectionRect(1);
        RECT wr{};
        GetWindowRect(header, &wr);
        TBitmap b;
        b.SetPixelFormat(pf24bit);
        b.SetSize(wr.right - wr.left, wr.bottom - wr.top);
        view->Perform(CM_PAINTHEADERTODC, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
        // The content box is the section less 5 pixels at each side.
        const int left = s.left + 5, right = s.right - 5, mid = (s.top + s.bottom) / 2;
        // The first and last columns inside the section's frame holding a
        // pixel that passes the test.
        const auto firstAndLast = [&](auto test) {
            int first = -1, last = -1;
            for (int x = s.left + 1; x < s.right - 1; ++x)
                for (int y = s.top + 2; y < s.bottom - 2; ++y)
                    if (test(PixelAt(b, x, y))) {
                        if (first < 0) first = x;
                        last = x;
                        break;
                    }
            return std::make_pair(first, last);
        };
        if (c.image) {
            const int iw = 16;
            const int want = c.align == taRightJustify && c.caption.empty() ? right - iw - 10
                             : c.align == taCenter                        ? left + (right - left) / 2 - (iw + 10) / 2
                                                                          : left;
            const auto [first, last] = firstAndLast([&](COLORREF p) { return p == ColorToRGB(imageColour); });
            EXPECT_EQ(first, want) << c.align << " " << c.caption.size();
            EXPECT_EQ(last, want + iw - 1) << c.align;
            EXPECT_EQ(PixelAt(b, want, mid), ColorToRGB(imageColour));
        } else {
            // Smoothed glyph edges: any pixel off the face colour is text.
            const auto [first, last] = firstAndLast([&](COLORREF p) { return p != ColorToRGB(clBtnFace); });
            ASSERT_GE(first, 0) << c.align;
            const int centre = (left + right) / 2;
            switch (c.align) {
            case taLeftJustify:
                EXPECT_LE(first - left, 2);
                EXPECT_LT(last, centre);  // well away from the other side
                break;
            case taRightJustify:
                EXPECT_LE(right - 1 - last, 2);
                EXPECT_GT(first, centre);
                break;
            case taCenter:
                EXPECT_LE(std::abs((first + last) / 2 - centre), 2);
                break;
            }
        }
    }
}

TEST_F(ListViewTest, ListRecordGivesColoursAndAFreedStoreGivesThePlainLook) {
    NewView();
    auto store = MakeControlsSkin(0);
    auto rec = std::make_unique<TbsDataSkinListView>(L"listview");
    rec->BGColor = static_cast<TColor>(RGB(10, 90, 170));
    rec->FontColor = static_cast<TColor>(RGB(200, 30, 60));
    rec->FontName = L"Tahoma";
    rec->FontHeight = 17;
    store->CtrlList.push_back(std::move(rec));
    view->SetSkinData(store.get());
    EXPECT_NE(view->FIndex, -1);
    EXPECT_EQ(SendMessageW(H(), LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(RGB(10, 90, 170)));
    EXPECT_EQ(SendMessageW(H(), LVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(RGB(200, 30, 60)));
    EXPECT_EQ(view->Font()->Height(), 17);
    EXPECT_EQ(view->Font()->Name(), L"Tahoma");

    // The store goes first: the view hears of it and paints plainly.
    store.reset();
    EXPECT_EQ(view->SkinData(), nullptr);
    view->ChangeSkinData();
    EXPECT_EQ(view->FIndex, -1);
    EXPECT_EQ(SendMessageW(H(), LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(ColorToRGB(clWindow)));
    EXPECT_EQ(view->Font()->Height(), 14);
    view->Repaint();
    Application->ProcessMessages();
}

// The header hook goes with the header or the view, and leaves a later
// subclass of the header working.
TEST_F(ListViewTest, HeaderHookIsUndoneWithTheHeaderOrTheView) {
    NewView();
    HWND header = view->HookedHeader();
    ASSERT_NE(header, nullptr);
    int paints = 0;
    platform::WindowSubclass later(header, [&](TMessage& m) {
        if (m.Msg == WM_PAINT) ++paints;
        return false;
    });
    view->Free();
    view = nullptr;
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindow(header));
    EXPECT_FALSE(later.Installed());

    NewView();
    header = view->HookedHeader();
    ASSERT_NE(header, nullptr);
    DestroyWindow(header);
    EXPECT_EQ(view->HookedHeader(), nullptr);
    view->Perform(CM_PAINTHEADERTODC, 0, 0);
    vbar->SetPosition(50);
    Application->ProcessMessages();
    EXPECT_EQ(TopIndex(), 50);
}

// The owner-data view of 10,000 rows walked from top to bottom through the
// skinned bar, ten pages a step with every step painted: each step lands on
// the native top index, and the walk ends on the last page. (The time of
// this walk is a benchmark: controls_listview_bench, run by scripts/bench.)
TEST_F(ListViewTest, OwnerDataViewWalksToTheBottomThroughTheSkinnedBar) {
    NewView(true);
    view->Items()->SetCount(10000);
    Application->ProcessMessages();
    ASSERT_TRUE(vbar->Visible());
    const int page = PerPage();
    ASSERT_GT(page, 0);
    EXPECT_EQ(vbar->Max(), 10000 - 1);
    EXPECT_EQ(vbar->LargeChange(), page);
    int steps = 0;
    while (vbar->Position() < vbar->Max() - vbar->PageSize() + 1) {
        const int want = std::min(vbar->Position() + 10 * vbar->LargeChange(), 10000 - page);
        vbar->SetPosition(vbar->Position() + 10 * vbar->LargeChange());
        view->Update();
        ASSERT_EQ(TopIndex(), want) << "step " << steps;
        ASSERT_EQ(vbar->Position(), want) << "step " << steps;
        ++steps;
    }
    EXPECT_EQ(TopIndex(), 10000 - page);
    EXPECT_EQ(steps, (10000 - page + 10 * page - 1) / (10 * page));
    // The rows shown at the end are the last ones of the data.
    wchar_t text[32] = {};
    LVITEMW it{};
    it.pszText = text;
    it.cchTextMax = 32;
    SendMessageW(H(), LVM_GETITEMTEXTW, 10000 - 1, reinterpret_cast<LPARAM>(&it));
    EXPECT_STREQ(text, L"9999");
}

}  // namespace
