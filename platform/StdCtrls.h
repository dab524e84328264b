#pragma once
// The standard push button (the system's BUTTON class, subclassed).
//
// A default button answers Enter and a cancel button Escape wherever the
// focus is in its form, unless the focused control takes the key itself or
// another button has the focus (then Enter clicks that one).
//
// Threads: UI thread only.

#include "platform/Forms.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel = false;
    // Set into the parent form's ModalResult on a click.
    TModalResult ModalResult = mrNone;
    void Click() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    void SetActive(bool v);
    bool default_ = false;
    bool active_ = false;  // answers Enter now
};
