// The main window as start-up builds it: caption, and the skin stores filled
// from the skins embedded in the program.
#include <gtest/gtest.h>

#include "app/Unit1.h"
#include "skin/bsCompressedSkins.h"
#include "skin/bsResStrData.h"
#include "skin/bsSkinData.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        Application->SetTitle(L"VantrelH264视频格式转换器");
        Application->CreateForm(Form1);
    }
    void TearDown() override {
        delete Form1;
        Form1 = nullptr;
    }
    TApplication app_;
};

TEST_F(MainWindowTest, CaptionIsTheApplicationTitle) {
    EXPECT_EQ(Form1->Caption(), L"VantrelH264视频格式转换器");
}

// Before the creation handler reads the stored skin, the store holds skin 1.
TEST_F(MainWindowTest, MainSkinStoreStartsAtSkinOneOfTheEight) {
    delete Form1;
    Form1 = new TForm1(Application);
    const wchar_t* names[] = {L"木星战甲", L"土星战甲", L"宇宙战甲", L"星河战甲",
                              L"银河战甲", L"金星战甲", L"火星战甲", L"水星战甲"};
    TbsSkinListItems* skins = Form1->bsCompressedSkinList1->Skins();
    ASSERT_EQ(skins->Count(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(skins->Items(i)->Description, names[i]) << i;
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), 1);
    EXPECT_FALSE(Form1->bsSkinData1->Empty);
}

TEST_F(MainWindowTest, MainSkinStoreTakesTheFormsResourceStrings) {
    TbsResourceStrData* strings = Form1->bsResourceStrData1;
    ASSERT_NE(strings, nullptr);
    EXPECT_EQ(strings->Owner(), Form1);
    EXPECT_EQ(Form1->bsSkinData1->ResourceStrData(), strings);
    EXPECT_EQ(Form1->bsSkinData2->ResourceStrData(), nullptr);
    // The built-in lines, first and last of the caption-button hints.
    EXPECT_EQ(strings->ResStrings()->Count(), 131);
    EXPECT_EQ(strings->ResStrings()->Get(0), L"MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(strings->GetResStr(L"restore_hint"), L"Restore");
}

TEST_F(MainWindowTest, ListStoreHoldsItsOwnSkin) {
    ASSERT_EQ(Form1->bsCompressedSkinList2->Skins()->Count(), 1);
    EXPECT_EQ(Form1->bsSkinData2->CompressedSkinIndex(), 0);
    EXPECT_FALSE(Form1->bsSkinData2->Empty);
}

TEST_F(MainWindowTest, SwitchingSkinsFollowsTheIndexAndIgnoresOutOfRange) {
    Form1->bsSkinData1->SetSkinIndex(6);
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), 6);
    Form1->bsSkinData1->SetSkinIndex(8);
    EXPECT_EQ(Form1->bsSkinData1->CompressedSkinIndex(), 6);
    EXPECT_FALSE(Form1->bsSkinData1->Empty);
}

}  // namespace
