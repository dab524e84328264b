// Actions: the button, speed button, check box and menu item show their
// action's state and follow its changes, run it when clicked, and outlive
// it (and it them) safely.
#include "ControlsSkin.h"

#include <functional>

#include "platform/ActnList.h"
#include "platform/Menus.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsSpeedButton.h"

using namespace controlstest;

namespace {

class ActionTest : public ControlsTest {
protected:
    TAction* NewAction() {
        auto* a = new TAction(form);
        a->SetCaption(L"Start");
        a->SetHint(L"Starts the batch");
        a->SetEnabled(false);
        return a;
    }
};

// What each kind of client reads back of the state it shows.
struct Client {
    const char* name;
    std::function<TComponent*(TCustomForm*, TBasicAction*)> make;
    std::function<String(TComponent*)> caption;
    std::function<bool(TComponent*)> enabled;
    std::function<String(TComponent*)> hint;
};

template <class T>
TComponent* MakeControl(TCustomForm* form, TBasicAction* a) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetAction(a);
    return c;
}

const Client kClients[] = {
    {"button", MakeControl<TbsSkinButton>, [](TComponent* c) { return static_cast<TControl*>(c)->Caption(); },
     [](TComponent* c) { return static_cast<TControl*>(c)->Enabled(); },
     [](TComponent* c) { return static_cast<TControl*>(c)->Hint; }},
    {"speed button", MakeControl<TbsSkinSpeedButton>,
     [](TComponent* c) { return static_cast<TControl*>(c)->Caption(); },
     [](TComponent* c) { return static_cast<TControl*>(c)->Enabled(); },
     [](TComponent* c) { return static_cast<TControl*>(c)->Hint; }},
    {"check box", MakeControl<TbsSkinCheckRadioBox>,
     [](TComponent* c) { return static_cast<TControl*>(c)->Caption(); },
     [](TComponent* c) { return static_cast<TControl*>(c)->Enabled(); },
     [](TComponent* c) { return static_cast<TControl*>(c)->Hint; }},
    {"menu item",
     [](TCustomForm* form, TBasicAction* a) -> TComponent* {
         auto* i = new TMenuItem(form);
         i->SetAction(a);
         return i;
     },
     [](TComponent* c) { return static_cast<TMenuItem*>(c)->Caption(); },
     [](TComponent* c) { return static_cast<TMenuItem*>(c)->Enabled(); },
     [](TComponent* c) { return static_cast<TMenuItem*>(c)->Hint; }},
};

TEST_F(ActionTest, ClientsShowTheActionAndFollowItsChanges) {
    for (const Client& k : kClients) {
        TAction* a = NewAction();
        TComponent* c = k.make(form, a);
        EXPECT_EQ(k.caption(c), L"Start") << k.name;
        EXPECT_FALSE(k.enabled(c)) << k.name;
        EXPECT_EQ(k.hint(c), L"Starts the batch") << k.name;
        a->SetCaption(L"Stop");
        a->SetEnabled(true);
        a->SetHint(L"Stops it");
        EXPECT_EQ(k.caption(c), L"Stop") << k.name;
        EXPECT_TRUE(k.enabled(c)) << k.name;
        EXPECT_EQ(k.hint(c), L"Stops it") << k.name;
        // Freed first, the action leaves a client that no longer follows it.
        a->Free();
        c->Free();
    }
}

// Freeing either side first is safe: a freed action unlinks its clients, a
// freed client leaves its action.
TEST_F(ActionTest, EitherSideMayBeFreedFirst) {
    TAction* a = NewAction();
    auto* button = new TbsSkinButton(form);
    button->SetParent(form);
    button->SetAction(a);
    auto* gone = new TbsSkinSpeedButton(form);
    gone->SetParent(form);
    gone->SetAction(a);
    gone->Free();
    a->SetCaption(L"Again");
    EXPECT_EQ(button->Caption(), L"Again");
    a->Free();
    EXPECT_EQ(button->Action(), nullptr);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->ButtonClick();
    EXPECT_EQ(clicks, 1);
}

// A click runs the action's OnExecute instead of OnClick; a disabled
// action runs nothing; an action without OnExecute leaves OnClick to run.
TEST_F(ActionTest, AClickRunsTheAction) {
    TAction* a = NewAction();
    a->SetEnabled(true);
    int executed = 0, clicked = 0;
    auto* b = new TbsSkinSpeedButton(form);
    b->SetParent(form);
    b->SetBounds(10, 10, 60, 25);
    b->OnClick = [&](TObject*) { ++clicked; };
    b->SetAction(a);
    auto* item = new TMenuItem(form);
    item->OnClick = [&](TObject*) { ++clicked; };
    item->SetAction(a);
    const auto click = [&] {
        b->Perform(CM_MOUSEENTER);
        b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        item->Click();
    };
    click();
    EXPECT_EQ(clicked, 2) << "no OnExecute: OnClick";
    a->OnExecute = [&](TObject* sender) {
        EXPECT_EQ(sender, a);
        ++executed;
    };
    click();
    EXPECT_EQ(executed, 2);
    EXPECT_EQ(clicked, 2);
    a->SetEnabled(false);
    // Disabled with the action, the clients take no click.
    click();
    EXPECT_EQ(executed, 2);
    EXPECT_EQ(clicked, 2);
    EXPECT_FALSE(a->Execute());
}

// The check box takes the action's checked state, except right after
// linking when it was checked already; a menu item follows it too.
TEST_F(ActionTest, CheckedFollowsTheAction) {
    TAction* a = NewAction();
    auto* unchecked = new TbsSkinCheckRadioBox(form);
    unchecked->SetParent(form);
    auto* checked = new TbsSkinCheckRadioBox(form);
    checked->SetParent(form);
    checked->SetChecked(true);
    auto* item = new TMenuItem(form);
    a->SetChecked(false);
    unchecked->SetAction(a);
    checked->SetAction(a);
    item->SetAction(a);
    EXPECT_FALSE(unchecked->Checked());
    EXPECT_TRUE(checked->Checked()) << "kept on linking";
    a->SetChecked(true);
    EXPECT_TRUE(unchecked->Checked());
    EXPECT_TRUE(item->Checked());
    a->SetChecked(false);
    EXPECT_FALSE(checked->Checked()) << "follows later changes";
    EXPECT_FALSE(item->Checked());
}

// A button without a glyph shows the action's picture from its list (its
// masked corner becomes the glyph's transparent colour).
TEST_F(ActionTest, AButtonWithoutAGlyphShowsTheActionsPicture) {
    auto* images = new TCustomImageList(form);
    images->SetSize(16, 16);
    TBitmap picture(16, 16, pf24bit);
    picture.Canvas()->Brush()->SetColor(clLime);
    picture.Canvas()->FillRect(TRect(0, 0, 16, 16));
    picture.Canvas()->Brush()->SetColor(clWhite);
    picture.Canvas()->FillRect(TRect(0, 12, 4, 16));
    images->AddMasked(&picture, clWhite);
    auto* list = new TActionList(form);
    list->SetImages(images);
    TAction* a = NewAction();
    a->SetEnabled(true);
    a->SetCaption(L"");
    a->SetImageIndex(0);
    a->SetActionList(list);
    auto* b = new TbsSkinButton(form);
    b->SetParent(form);
    b->SetBounds(10, 10, 75, 25);
    b->HandleNeeded();
    b->SetAction(a);
    TBitmap face;
    PaintControl(b, face);
    // The 16 x 16 glyph is centred: (29..45, 4..20).
    EXPECT_EQ(PixelAt(face, 37, 10), ColorToRGB(clLime));
    EXPECT_EQ(PixelAt(face, 30, 19), ColorToRGB(clBtnFace)) << "the masked corner shows the face";
}

}  // namespace
