#pragma once
// The walk over a form's controls at a skin change: which classes are told
// to reload their skin record, in which order (the first class a control
// belongs to decides), and which controls have drop-downs that the frame
// closes. Classes of the libraries above the frame (the skinned edits, the
// link label, the combo boxes) take their place in the walk by registering
// from their constructors: a class that was never constructed has no
// controls to walk.
//
// Threads: UI thread only.

class TComponent;
class TControl;
class TbsSkinData;

// One class's step of the walk: false when C is not of the class;
// otherwise C reloads its record when its store is AStore or AStore is
// nullptr, and the answer is true.
using TbsSkinWalkStep = bool (*)(TControl* C, TbsSkinData* AStore);

// The step of class T (which has SkinData() and ChangeSkinData()).
template <class T>
bool bsSkinWalkStepOf(TControl* C, TbsSkinData* AStore) {
    auto* t = dynamic_cast<T*>(C);
    if (!t) return false;
    if (!AStore || t->SkinData() == AStore) t->ChangeSkinData();
    return true;
}

// The places of the walk filled by later libraries.
enum class TbsSkinWalkSlot { CustomEdit, LinkLabel };
void bsRegisterSkinWalkStep(TbsSkinWalkSlot slot, TbsSkinWalkStep step);

// C is of a class that has a drop-down and closes it on CM_CANCELMODE.
using TbsDropDownTest = bool (*)(TComponent* C);
void bsRegisterDropDownClass(TbsDropDownTest test);
bool bsHasDropDown(TComponent* C);
template <class T>
bool bsIsOfClass(TComponent* C) {
    return dynamic_cast<T*>(C) != nullptr;
}

// The step of the walk for C; true when a class of the walk took it.
bool bsChangeControlSkinData(TControl* C, TbsSkinData* AStore);
