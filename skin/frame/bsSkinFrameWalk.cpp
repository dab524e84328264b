// The control walk of a skin change and the registry of the classes that
// join it from the libraries above the frame.
#include "skin/frame/bsSkinFrameWalk.h"

#include <array>
#include <vector>

#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsGraphic.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsPages.h"
#include "skin/controls/bsSkinCtrlsTree.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "skin/frame/bsSkinFrame.h"

namespace {

template <class T>
constexpr TbsSkinWalkStep Step = &bsSkinWalkStepOf<T>;

// The walk's order; the two empty places are filled by registration.
constexpr size_t kEditPlace = 3, kLinkLabelPlace = 5;

std::array<TbsSkinWalkStep, 11>& Steps() {
    static std::array<TbsSkinWalkStep, 11> steps = {
        Step<TbsSkinControl>,       Step<TbsGraphicSkinControl>, Step<TbsSkinPageControl>,
        nullptr,                     Step<TbsSkinStdLabel>,       nullptr,
        Step<TbsSkinTextLabel>,     Step<TbsSkinCustomTreeView>, Step<TbsSkinBevel>,
        Step<TbsSkinCustomListView>, Step<TbsSkinSplitter>};
    return steps;
}

std::vector<TbsDropDownTest>& DropDownTests() {
    static std::vector<TbsDropDownTest> tests;
    return tests;
}

}  // namespace

void bsRegisterSkinWalkStep(TbsSkinWalkSlot slot, TbsSkinWalkStep step) {
    Steps()[slot == TbsSkinWalkSlot::CustomEdit ? kEditPlace : kLinkLabelPlace] = step;
}

void bsRegisterDropDownClass(TbsDropDownTest test) {
    for (TbsDropDownTest t : DropDownTests())
        if (t == test) return;
    DropDownTests().push_back(test);
}

bool bsHasDropDown(TComponent* C) {
    for (TbsDropDownTest t : DropDownTests())
        if (t(C)) return true;
    return false;
}

bool bsChangeControlSkinData(TControl* C, TbsSkinData* AStore) {
    for (TbsSkinWalkStep step : Steps())
        if (step && step(C, AStore)) return true;
    return false;
}

// ---- the walk of a form ------------------------------------------------------------------------

void TbsSkinFrame::BeforeChangeControlSkinData(TbsSkinData* AStore, TControl* C) {
    if (auto* s = dynamic_cast<TbsSkinControl*>(C); s && (!AStore || s->SkinData() == AStore))
        s->BeforeChangeSkinData();
}

void TbsSkinFrame::ChangeControlSkinData(TbsSkinData* AStore, TControl* C) { bsChangeControlSkinData(C, AStore); }

void TbsSkinFrame::BeforeChangeChildrenSkinData(TbsSkinData* AStore, TControl* AControl) {
    BeforeChangeControlSkinData(AStore, AControl);
    auto* w = dynamic_cast<TWinControl*>(AControl);
    if (!w) return;
    for (int i = 0; i < w->ControlCount(); ++i) {
        TControl* c = w->Controls(i);
        if (c->IsWindowed()) BeforeChangeChildrenSkinData(AStore, c);
        else BeforeChangeControlSkinData(AStore, c);
    }
}

void TbsSkinFrame::ChangeChildrenSkinData(TbsSkinData* AStore, TControl* AControl) {
    ChangeControlSkinData(AStore, AControl);
    auto* w = dynamic_cast<TWinControl*>(AControl);
    if (!w) return;
    for (int i = 0; i < w->ControlCount(); ++i) {
        TControl* c = w->Controls(i);
        if (c->IsWindowed()) ChangeChildrenSkinData(AStore, c);
        else ChangeControlSkinData(AStore, c);
    }
}
