// The filter combo box: entries and masks of a filter string.
#include <gtest/gtest.h>

#include "skin/shell/bsSkinFilterCombo.h"
#include "tests/platform/ControlsFixture.h"

namespace {

class FilterComboTest : public platform_test::ControlsTest {
protected:
    TbsSkinFilterComboBox* NewBox(bool withWindow = true) {
        auto* c = new TbsSkinFilterComboBox(form);
        c->OnClick = [this](TObject*) { ++clicks; };
        if (!withWindow) return c;
        c->SetParent(form);
        c->SetBounds(10, 10, 200, 20);
        c->HandleNeeded();
        return c;
    }
    int clicks = 0;
};

TEST_F(FilterComboTest, EntriesAndMasksOfFilters) {
    const struct {
        const wchar_t* filter;
        std::vector<String> entries;
        const wchar_t* mask;  // after the rebuild
    } cases[] = {
        {L"视频|*.mp4;*.avi|全部|*.*", {L"视频", L"全部"}, L"*.mp4;*.avi"},
        {L"Text|*.txt|Trailing", {L"Text"}, L"*.txt"},
        {L"Empty mask|", {L"Empty mask"}, L""},
        {L"no bar at all", {}, L"*.*"},
        {L"", {}, L"*.*"},
    };
    TbsSkinFilterComboBox* c = NewBox();
    for (const auto& t : cases) {
        SCOPED_TRACE(Utf8Encode(t.filter));
        c->SetFilter(t.filter);
        std::vector<String> entries;
        for (int i = 0; i < c->Items()->Count(); ++i) entries.push_back(c->Items()->Get(i));
        EXPECT_EQ(entries, t.entries);
        EXPECT_EQ(c->Mask(), t.mask);
    }
}

TEST_F(FilterComboTest, ChoosingAnEntryGivesItsMask) {
    TbsSkinFilterComboBox* c = NewBox();
    EXPECT_EQ(c->Items()->Get(0), L"All files (*.*)");  // the built-in filter
    c->SetFilter(L"Text|*.txt|All|*.*");
    EXPECT_EQ(c->Mask(), L"*.txt");
    c->SetItemIndex(1);
    EXPECT_EQ(c->Mask(), L"*.*");
    // With nothing selected the last entry is taken.
    c->SetItemIndex(-1);
    c->SetFilter(L"A|*.a|B|*.b|C|*.c");
    c->SetItemIndex(-1);
    EXPECT_EQ(c->Mask(), L"*.c");
    EXPECT_EQ(c->ItemIndex(), 2);
}

TEST_F(FilterComboTest, TheSameFilterInOtherCaseChangesNothing) {
    TbsSkinFilterComboBox* c = NewBox();
    c->SetFilter(L"Video|*.mp4|All|*.*");
    c->SetItemIndex(1);
    clicks = 0;
    c->SetFilter(L"VIDEO|*.MP4|ALL|*.*");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->Filter(), L"Video|*.mp4|All|*.*");
}

TEST_F(FilterComboTest, AFilterSetBeforeTheWindowComesWithIt) {
    TbsSkinFilterComboBox* c = NewBox(false);
    c->SetFilter(L"Video|*.mp4|All|*.*");
    EXPECT_EQ(c->Filter(), L"Video|*.mp4|All|*.*");
    EXPECT_FALSE(c->HandleAllocated());
    EXPECT_EQ(c->Items()->Count(), 0);
    c->SetParent(form);
    c->HandleNeeded();
    EXPECT_EQ(c->Items()->Count(), 2);
    EXPECT_EQ(c->Mask(), L"*.mp4");
}

}  // namespace
