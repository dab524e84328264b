// The program's own skins give a list box a caption strip with its up,
// down and check buttons ("captionlistbox"): the buttons are cut from the
// skin's pictures at any width, in their normal, hot and pressed looks,
// hidden buttons leave the skin's plain strip, and the buttons step the
// selection through the skinned geometry.
#include "ListsFixture.h"
#include "ListsSkin.h"

#include "skin/bsCompressedSkins.h"
#include "skin/boxes/bsSkinBoxCtrls.h"

using namespace liststest;

namespace {

struct SkinRef {
    const wchar_t* list;
    int index;
};

class CaptionListSkinsTest : public ListsTest, public ::testing::WithParamInterface<SkinRef> {
protected:
    void SetUp() override {
        ListsTest::SetUp();
        TbsCompressedSkinList list(nullptr);
        list.LoadFromResources(GetModuleHandleW(nullptr), GetParam().list);
        ASSERT_GT(list.Skins()->Count(), GetParam().index);
        skin = std::make_unique<TbsSkinData>(nullptr);
        skin->LoadCompressedStoredSkin(list.Skins()->Items(GetParam().index)->Skin());
        const int i = skin->GetControlIndex(L"captionlistbox");
        ASSERT_GE(i, 0) << "no caption list box in this skin";
        rec = dynamic_cast<TbsDataSkinListBox*>(skin->CtrlList[i].get());
        ASSERT_NE(rec, nullptr);
        ASSERT_GE(rec->PictureIndex, 0);
        picture = skin->FActivePictures[rec->PictureIndex].get();
    }
    void TearDown() override {
        delete list;
        list = nullptr;
        skin.reset();
        ListsTest::TearDown();
    }

    // A caption-mode list of ten rows, 60 px wider and 50 px taller than
    // the skin's picture.
    void Place(bool buttons = true) {
        list = new TbsSkinListBox(form);
        list->SetParent(form);
        list->SetBounds(10, 10, rec->SkinRect.Width() + kGrowW, rec->SkinRect.Height() + kGrowH);
        list->SetCaption(L"列表");
        list->SetCaptionMode(true);
        list->SetShowCaptionButtons(buttons);
        list->SetSkinDataName(L"captionlistbox");
        for (int i = 0; i < 10; ++i) list->Items()->Add(L"row " + IntToStr(i));
        list->HandleNeeded();
        list->SetSkinData(skin.get());
        list->SetItemIndex(1);
        Application->ProcessMessages();
    }
    Snap Face() {
        Snap s(list->Width(), list->Height());
        list->PaintTo(s.DC(), 0, 0);
        return s;
    }
    // The pixels of the control's rectangle `at` that differ from the
    // skin picture's rectangle `from`.
    int Differences(Snap& face, const TRect& at, const TRect& from) {
        EXPECT_EQ(at.Width(), from.Width());
        EXPECT_EQ(at.Height(), from.Height());
        HDC pic = picture->Canvas()->Handle();
        int bad = 0;
        for (int y = 0; y < at.Height(); ++y)
            for (int x = 0; x < at.Width(); ++x)
                if (face.At(at.left + x, at.top + y) != GetPixel(pic, from.left + x, from.top + y)) ++bad;
        return bad;
    }
    static TRect Moved(TRect r, int dx) {
        OffsetRect(&r, dx, 0);
        return r;
    }
    static TRect InSkin(TRect r, const TRect& skinRect) {
        OffsetRect(&r, skinRect.left, skinRect.top);
        return r;
    }
    static POINT Centre(const TRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    static constexpr int kGrowW = 60, kGrowH = 50;
    std::unique_ptr<TbsSkinData> skin;
    TbsDataSkinListBox* rec = nullptr;
    TBitmap* picture = nullptr;
    TbsSkinListBox* list = nullptr;
};

TEST_P(CaptionListSkinsTest, TheButtonsKeepToTheRightEndInTheirNormalHotAndPressedLooks) {
    Place();
    // Each button stays at the right end, its picture cut from the face.
    const TRect normal[3] = {rec->UpButtonRect, rec->DownButtonRect, rec->CheckButtonRect};
    const TRect hot[3] = {rec->ActiveUpButtonRect, rec->ActiveDownButtonRect, rec->ActiveCheckButtonRect};
    const TRect pressed[3] = {rec->DownUpButtonRect, rec->DownDownButtonRect, rec->DownCheckButtonRect};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_FALSE(IsNullRect(normal[i]) || IsNullRect(hot[i]) || IsNullRect(pressed[i]));
        const TRect at = list->CaptionButtonRect(i);
        ASSERT_EQ(at, Moved(normal[i], kGrowW));
        Snap idle = Face();
        EXPECT_EQ(Differences(idle, at, InSkin(normal[i], rec->SkinRect)), 0);
        const POINT c = Centre(at);
        SendMessageW(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
        Snap over = Face();
        EXPECT_EQ(Differences(over, at, hot[i]), 0);
        // The hot look is a picture of its own, not the normal one.
        EXPECT_GT(Differences(over, at, InSkin(normal[i], rec->SkinRect)), 0);
        list->OnUpButtonClick = list->OnDownButtonClick = list->OnCheckButtonClick = [](TObject*) {};
        SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
        Snap down = Face();
        EXPECT_EQ(Differences(down, at, pressed[i]), 0);
        SendMessageW(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        SendMessageW(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, list->Height() - 5));
    }
}

TEST_P(CaptionListSkinsTest, TheCaptionIsWrittenInTheStripAndTheRowsStartBelowIt) {
    Place();
    Snap face = Face();
    // Caption text in its colour between the strip's left end and the buttons.
    const TRect text(rec->CaptionRect.left, rec->CaptionRect.top, list->CaptionButtonRect(2).left,
                     rec->CaptionRect.bottom);
    EXPECT_TRUE(face.Shows(text, static_cast<COLORREF>(rec->CaptionFontColor)));
    EXPECT_GE(list->ListBox->Top(), rec->ClRect.top);
    EXPECT_GT(rec->ClRect.top, rec->CaptionRect.bottom);
}

TEST_P(CaptionListSkinsTest, HiddenButtonsLeaveTheSkinsPlainStrip) {
    Place(false);
    EXPECT_TRUE(IsNullRect(list->CaptionButtonRect(0)));
    ASSERT_FALSE(IsNullRect(rec->DisabledButtonsRect));
    Snap face = Face();
    const TRect area = Moved(rec->ButtonsArea, kGrowW);
    EXPECT_EQ(Differences(face, area, rec->DisabledButtonsRect), 0);
    // Nothing there takes a click.
    const int before = list->ItemIndex();
    const POINT c = Centre(area);
    Click(list->Handle(), c.x, c.y);
    EXPECT_EQ(list->ItemIndex(), before);
}

TEST_P(CaptionListSkinsTest, TheUpAndDownButtonsStepTheSelection) {
    Place();
    const POINT up = Centre(list->CaptionButtonRect(0)), down = Centre(list->CaptionButtonRect(1));
    Click(list->Handle(), down.x, down.y);
    EXPECT_EQ(list->ItemIndex(), 2);
    Click(list->Handle(), up.x, up.y);
    Click(list->Handle(), up.x, up.y);
    EXPECT_EQ(list->ItemIndex(), 0);
}

INSTANTIATE_TEST_SUITE_P(ProgramSkins, CaptionListSkinsTest,
                         ::testing::Values(SkinRef{L"SKIN_MAIN", 0}, SkinRef{L"SKIN_MAIN", 1}, SkinRef{L"SKIN_MAIN", 2},
                                           SkinRef{L"SKIN_MAIN", 3}, SkinRef{L"SKIN_MAIN", 4}, SkinRef{L"SKIN_MAIN", 5},
                                           SkinRef{L"SKIN_MAIN", 6}, SkinRef{L"SKIN_MAIN", 7},
                                           SkinRef{L"SKIN_LISTS", 0}));

}  // namespace
