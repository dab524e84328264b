// The program's own skins, as embedded in the resources.
#include <gtest/gtest.h>

#include "SkinCheck.h"
#include "SkinFixture.h"

namespace {

class EmbeddedSkins : public ::testing::Test {
protected:
    void SetUp() override {
        main.LoadFromResources(GetModuleHandleW(nullptr), L"SKIN_MAIN");
        lists.LoadFromResources(GetModuleHandleW(nullptr), L"SKIN_LISTS");
    }
    std::vector<TbsCompressedStoredSkin*> AllSkins() {
        std::vector<TbsCompressedStoredSkin*> all;
        for (int i = 0; i < main.Skins()->Count(); ++i) all.push_back(main.Skins()->Items(i)->Skin());
        all.push_back(lists.Skins()->Items(0)->Skin());
        return all;
    }
    TbsCompressedSkinList main{nullptr}, lists{nullptr};
};

TEST_F(EmbeddedSkins, TheListsHoldEightAndOneSkinsWithTheirNames) {
    const std::vector<String> names = {L"木星战甲", L"土星战甲", L"宇宙战甲", L"星河战甲",
                                       L"银河战甲", L"金星战甲", L"火星战甲", L"水星战甲"};
    ASSERT_EQ(main.Skins()->Count(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(main.Skins()->Items(i)->Description, names[static_cast<size_t>(i)]);
    ASSERT_EQ(lists.Skins()->Count(), 1);
    for (TbsCompressedStoredSkin* s : AllSkins()) EXPECT_FALSE(s->Empty());
}

TEST_F(EmbeddedSkins, EverySkinLoadsCompleteAndItsTextRoundTrips) {
    for (TbsCompressedStoredSkin* stored : AllSkins()) {
        TbsSkinData a(nullptr);
        a.LoadCompressedStoredSkin(stored);
        ASSERT_FALSE(a.Empty);
        const std::vector<String> problems = CheckSkin(&a);
        EXPECT_TRUE(problems.empty()) << a.SkinName << ": " << problems.front();
        // text -> records -> text
        TbsCompressedStoredSkin again(nullptr);
        again.LoadFromSkinData(&a);
        TbsSkinData b(nullptr);
        b.LoadCompressedStoredSkin(&again);
        EXPECT_EQ(SkinText(&b), SkinText(&a)) << a.SkinName;
        EXPECT_EQ(b.FActivePictures.size(), a.FActivePictures.size());
    }
}

TEST_F(EmbeddedSkins, SkinIndexSwitchesAmongTheEightSkins) {
    const std::vector<String> order = {L"jupiter", L"saturn", L"cosmos", L"starriver",
                                       L"galaxy",  L"venus",  L"mars",   L"mercury"};
    TbsSkinData store(nullptr);
    store.SetSkinIndex(1);
    store.SetSkinList(&main);
    EXPECT_EQ(store.SkinName, order[1]);
    for (int i : {0, 7, 3, 5, 2, 6, 4}) {
        store.SetSkinIndex(i);
        EXPECT_EQ(store.CompressedSkinIndex(), i);
        EXPECT_EQ(store.SkinName, order[static_cast<size_t>(i)]);
    }
    store.SetSkinIndex(8);
    store.SetSkinIndex(-1);
    EXPECT_EQ(store.SkinIndex(), 4);
    EXPECT_EQ(store.SkinName, L"galaxy");
}

}  // namespace
