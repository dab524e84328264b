#pragma once
// Actions: one command (caption, enabled, checked, hint, image) that
// several controls and menu items show and run alike. A client holds a
// TActionLink; the link hears of every change of its action and of its
// end, and runs the action for the client.
//
// TBasicAction runs OnExecute and OnUpdate. TCustomAction adds the shown
// properties and the action list whose Images its ImageIndex names.
// Freeing an action unlinks its clients (their Action() becomes nullptr);
// freeing a link takes it off its action.
//
// Threads: UI thread only.

#include <functional>
#include <memory>
#include <vector>

#include "platform/Classes.h"

class TActionLink;
class TControl;
class TCustomImageList;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* owner);
    ~TBasicAction() override;

    TNotifyEvent OnExecute;
    // Lets the owner bring the action's state up to date before it is shown.
    TNotifyEvent OnUpdate;
    // Runs OnExecute; false when nothing ran.
    virtual bool Execute();
    // Runs OnUpdate; false when there is none.
    virtual bool Update();

protected:
    // Every linked client takes the action's state again.
    void Changed();

private:
    friend class TActionLink;
    std::vector<TActionLink*> links_;
};

// The list an action belongs to: it names the image list of its actions.
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner) : TComponent(owner) {}
    ~TActionList() override;
    TCustomImageList* Images() const { return images_; }
    // Not owned: a list freed first is dropped.
    void SetImages(TCustomImageList* v);

protected:
    void Notification(TComponent* component, TOperation op) override;

private:
    TCustomImageList* images_ = nullptr;
};

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* owner) : TBasicAction(owner) {}
    ~TCustomAction() override;

    // Each setter tells the linked clients when the value changes.
    const String& Caption() const { return caption_; }
    void SetCaption(const String& v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    const String& Hint() const { return hint_; }
    void SetHint(const String& v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    TActionList* ActionList() const { return list_; }
    // Not owned: a list freed first is dropped.
    void SetActionList(TActionList* v);
    // The image list of the action's list, nullptr without one.
    TCustomImageList* Images() const;

    // A disabled action runs nothing.
    bool Execute() override;

protected:
    void Notification(TComponent* component, TOperation op) override;

private:
    String caption_, hint_;
    bool enabled_ = true, checked_ = false;
    int imageIndex_ = -1;
    TActionList* list_ = nullptr;
};

using TAction = TCustomAction;

// What a client does with its action's state: checkDefaults is true when
// the action was just linked (the client may keep values it set itself)
// and false after a change of the action.
using TActionChangeEvent = std::function<void(TBasicAction* action, bool checkDefaults)>;

// The tie of one client to its action. change runs when the action is
// linked and after every change of it; the client copies what it shows
// from the action there.
class TActionLink {
public:
    explicit TActionLink(TActionChangeEvent change) : change_(std::move(change)) {}
    ~TActionLink();
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* v);
    // Runs the action; false without one or when nothing ran.
    bool Execute();
    // Links a client's action: link is made on first use and dropped for
    // nullptr.
    static void Assign(std::unique_ptr<TActionLink>& link, TBasicAction* v, const TActionChangeEvent& change);

private:
    friend class TBasicAction;
    void Unlink();
    TBasicAction* action_ = nullptr;
    TActionChangeEvent change_;
};

// The click of a client with an action link: a linked action with an
// OnExecute runs (onClick does not); otherwise onClick runs when set.
// False when nothing ran.
bool ExecuteActionOrClick(TActionLink* link, const TNotifyEvent& onClick, TObject* sender);

// What every control takes from a custom action: caption, enabled state
// and hint. Right after linking (checkDefaults) only values the control
// still has at their defaults (no caption, enabled, no hint) are replaced.
void ActionChangeControl(TControl* control, TBasicAction* action, bool checkDefaults);
