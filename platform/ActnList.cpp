#include "platform/ActnList.h"

#include <algorithm>

#include "platform/Controls.h"
#include "platform/ImgList.h"

// ---- TBasicAction ---------------------------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
    // The clients keep no pointer to a freed action.
    const std::vector<TActionLink*> links = links_;
    for (TActionLink* l : links) l->action_ = nullptr;
    links_.clear();
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::Changed() {
    // A client may drop its link while it takes the change.
    const std::vector<TActionLink*> links = links_;
    for (TActionLink* l : links)
        if (std::find(links_.begin(), links_.end(), l) != links_.end() && l->change_) l->change_(this, false);
}

// ---- TActionList ----------------------------------------------------------------------------------

TActionList::~TActionList() {
    if (images_) RemoveFreeNotification(images_);
}

void TActionList::SetImages(TCustomImageList* v) {
    if (images_) RemoveFreeNotification(images_);
    images_ = v;
    if (v) FreeNotification(v);
}

void TActionList::Notification(TComponent* component, TOperation op) {
    TComponent::Notification(component, op);
    if (op == opRemove && component == images_) images_ = nullptr;
}

// ---- TCustomAction --------------------------------------------------------------------------------

TCustomAction::~TCustomAction() {
    if (list_) RemoveFreeNotification(list_);
}

void TCustomAction::SetCaption(const String& v) {
    if (v == caption_) return;
    caption_ = v;
    Changed();
}

void TCustomAction::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Changed();
}

void TCustomAction::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    Changed();
}

void TCustomAction::SetHint(const String& v) {
    if (v == hint_) return;
    hint_ = v;
    Changed();
}

void TCustomAction::SetImageIndex(int v) {
    if (v == imageIndex_) return;
    imageIndex_ = v;
    Changed();
}

void TCustomAction::SetActionList(TActionList* v) {
    if (v == list_) return;
    if (list_) RemoveFreeNotification(list_);
    list_ = v;
    if (v) FreeNotification(v);
    Changed();
}

TCustomImageList* TCustomAction::Images() const { return list_ ? list_->Images() : nullptr; }

bool TCustomAction::Execute() { return enabled_ && TBasicAction::Execute(); }

void TCustomAction::Notification(TComponent* component, TOperation op) {
    TBasicAction::Notification(component, op);
    if (op == opRemove && component == list_) list_ = nullptr;
}

// ---- TActionLink ----------------------------------------------------------------------------------

TActionLink::~TActionLink() { Unlink(); }

void TActionLink::Unlink() {
    if (!action_) return;
    auto& links = action_->links_;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
    action_ = nullptr;
}

void TActionLink::SetAction(TBasicAction* v) {
    if (v == action_) return;
    Unlink();
    action_ = v;
    if (!v) return;
    v->links_.push_back(this);
    if (change_) change_(v, true);
}

void TActionLink::Assign(std::unique_ptr<TActionLink>& link, TBasicAction* v, const TActionChangeEvent& change) {
    if (!v) {
        link.reset();
        return;
    }
    if (!link) link = std::make_unique<TActionLink>(change);
    link->SetAction(v);
}

bool TActionLink::Execute() { return action_ && action_->Execute(); }

bool ExecuteActionOrClick(TActionLink* link, const TNotifyEvent& onClick, TObject* sender) {
    if (link && link->Action() && link->Action()->OnExecute) return link->Execute();
    if (!onClick) return false;
    onClick(sender);
    return true;
}

void ActionChangeControl(TControl* control, TBasicAction* action, bool checkDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(action);
    if (!a || !control) return;
    if (!checkDefaults || control->Caption().empty()) control->SetCaption(a->Caption());
    if (!checkDefaults || control->Enabled()) control->SetEnabled(a->Enabled());
    if (!checkDefaults || control->Hint.empty()) control->Hint = a->Hint();
}
