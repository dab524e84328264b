// A translucent drop-down fades in after running the waiting messages once;
// a combo (or its list) freed by one of those messages must not be touched
// afterwards, whichever way the list was opened.
#include "ListsFixture.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/FreeWatch.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinOfficeCombo.h"

using namespace liststest;

namespace {

constexpr unsigned char kFreed = 0xA5;

// Blocks of freed combos: filled with a pattern and kept until the test
// ends, so a later write through a stale pointer changes the pattern and a
// call through one jumps nowhere.
struct Grave {
    unsigned char* at;
    std::size_t size;
    bool Untouched() const {
        for (std::size_t i = 0; i < size; ++i)
            if (at[i] != kFreed) return false;
        return true;
    }
};
std::vector<Grave>& Graves() {
    static std::vector<Grave> graves;
    return graves;
}
void EmptyGraves() {
    for (const Grave& g : Graves()) std::free(g.at);
    Graves().clear();
}

// The class's own allocation keeps the block; the compiler cannot tell.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

template <class Combo>
class Kept : public Combo {
public:
    using Combo::Combo;
    static void* operator new(std::size_t n) { return std::malloc(n); }
    static void operator delete(void* p, std::size_t n) {
        std::memset(p, kFreed, n);
        Graves().push_back({static_cast<unsigned char*>(p), n});
    }
};

class FadeInTest : public ListsTest {
protected:
    void TearDown() override {
        ListsTest::TearDown();
        EmptyGraves();
    }
    template <class Combo>
    Combo* Place(Combo* c) {
        c->SetParent(form);
        c->SetBounds(20, 20, 150, 20);
        c->AlphaBlend = true;
        c->AlphaBlendAnimation = true;
        c->AlphaBlendValue = 200;
        c->HandleNeeded();
        Application->ProcessMessages();
        return c;
    }
    TbsSkinComboBox* Standard() {
        auto* c = Place(new Kept<TbsSkinComboBox>(form));
        for (const wchar_t* s : {L"a", L"b", L"c"}) c->Items()->Add(s);
        return c;
    }
    TbsSkinOfficeComboBox* Office() {
        auto* c = Place(new Kept<TbsSkinOfficeComboBox>(form));
        for (const wchar_t* s : {L"a", L"b", L"c"}) c->Items()->Add()->SetCaption(s);
        return c;
    }
};

enum class Open { Click, AltDown };

void OpenList(HWND combo, Open how) {
    if (how == Open::Click) {
        SendMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
        SendMessageW(combo, WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
    } else {
        SendMessageW(combo, WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    }
}

TEST_F(FadeInTest, AComboFreedWhileItsListFadesInIsNotTouchedAgain) {
    const struct Case {
        const char* what;
        bool office;
        Open how;
    } cases[] = {
        {"combo, click", false, Open::Click},
        {"combo, alt+down", false, Open::AltDown},
        {"office combo, click", true, Open::Click},
        {"office combo, alt+down", true, Open::AltDown},
    };
    for (const Case& k : cases) {
        TWinControl* c = k.office ? static_cast<TWinControl*>(Office()) : Standard();
        const TFreeWatch spy{c};
        const HWND wnd = c->Handle();
        PostMessageW(wnd, CM_RELEASE, 0, 0);
        OpenList(wnd, k.how);
        // The release ran inside the opening, before the fade.
        ASSERT_TRUE(spy.Freed()) << k.what;
        EXPECT_FALSE(IsWindow(wnd)) << k.what;
        ASSERT_EQ(Graves().size(), 1u) << k.what;
        EXPECT_TRUE(Graves().back().Untouched()) << k.what;
        Application->ProcessMessages();
        EXPECT_TRUE(Graves().back().Untouched()) << k.what;
        EmptyGraves();
    }
}

// The list alone freed in that pass: the fade stops, and the combo opens
// nothing afterwards but goes on working and is freed cleanly.
TEST_F(FadeInTest, AListFreedWhileItFadesInLeavesTheComboWhole) {
    for (const bool office : {false, true}) {
        TWinControl* c = office ? static_cast<TWinControl*>(Office()) : Standard();
        TWinControl* list = office ? static_cast<TWinControl*>(static_cast<TbsSkinOfficeComboBox*>(c)->ListBox())
                                   : static_cast<TbsSkinComboBox*>(c)->ListBox();
        const TFreeWatch spy{list};
        PostMessageW(list->Handle(), CM_RELEASE, 0, 0);
        OpenList(c->Handle(), Open::Click);
        ASSERT_TRUE(spy.Freed()) << office;
        Application->ProcessMessages();
        EXPECT_TRUE(IsWindow(c->Handle())) << office;
        // Opening again shows nothing and breaks nothing.
        OpenList(c->Handle(), Open::Click);
        OpenList(c->Handle(), Open::AltDown);
        Application->ProcessMessages();
        c->Free();
        ASSERT_EQ(Graves().size(), 1u) << office;
        EmptyGraves();
    }
}

}  // namespace
