// The tool buttons of the skinned dialogs paint their glyphs from one image
// list of the dialog form: the list must outlive every button that paints
// from it, whichever way the form goes.
#include "tests/platform/ControlsFixture.h"

#include <algorithm>
#include <vector>

#include "skin/shell/bsSkinDialogBase.h"

namespace {

class ToolDialog : public TbsSkinDialogForm {
public:
    ToolDialog() : TbsSkinDialogForm(nullptr, nullptr, false) {
        TbsSkinPanel* panel = MakeToolPanel(this);
        back = MakeToolButton(panel, L"BS_BACK", L"back", L"Back");
        up = MakeToolButton(panel, L"BS_UP", L"up", L"Up");
    }
    TbsSkinSpeedButton* back = nullptr;
    TbsSkinSpeedButton* up = nullptr;
};

// Hears components go, in the order they go.
class FreeOrder : public TComponent {
public:
    FreeOrder() : TComponent(nullptr) {}
    void Watch(TComponent* c) { FreeNotification(c); }
    std::vector<TComponent*> gone;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove) gone.push_back(c);
    }
};

using ToolGlyphsTest = platform_test::ControlsTest;

TEST_F(ToolGlyphsTest, TheGlyphListOutlivesTheButtonsThatPaintFromIt) {
    auto* dialog = new ToolDialog;
    TCustomImageList* glyphs = dialog->back->ImageList();
    ASSERT_NE(glyphs, nullptr);
    ASSERT_EQ(dialog->up->ImageList(), glyphs);
    EXPECT_EQ(glyphs->Count(), 2);

    FreeOrder order;
    order.Watch(dialog->back);
    order.Watch(dialog->up);
    order.Watch(glyphs);
    TComponent* back = dialog->back;
    TComponent* up = dialog->up;
    dialog->Free();
    ASSERT_EQ(order.gone.size(), 3u);
    EXPECT_EQ(order.gone.back(), glyphs);
    EXPECT_NE(std::find(order.gone.begin(), order.gone.end(), back), order.gone.end());
    EXPECT_NE(std::find(order.gone.begin(), order.gone.end(), up), order.gone.end());
}

}  // namespace
