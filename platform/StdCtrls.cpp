#include "platform/StdCtrls.h"

#include <cwctype>

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    // The system button reports clicks itself (BN_CLICKED).
    ControlStyle &= ~static_cast<unsigned>(csClickEvents | csAcceptsControls | csSetCaption);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SystemClassName = L"BUTTON";
    p.Style |= active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
    if (v == default_) return;
    default_ = v;
    SetActive(v);
}

void TButton::SetActive(bool v) {
    if (v == active_) return;
    active_ = v;
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form && ModalResult != mrNone) form->ModalResult = ModalResult;
    TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    case CM_DIALOGKEY:
        if (((m.WParam == VK_RETURN && active_) || (m.WParam == VK_ESCAPE && Cancel)) && CanFocus()) {
            Click();
            m.Result = 1;
        }
        return;
    case CM_DIALOGCHAR: {
        // "&Start" answers Alt+S (and S where the focus takes no characters).
        const String text = GetText();
        const size_t amp = text.find(L'&');
        if (amp != String::npos && amp + 1 < text.size() && CanFocus() &&
            towupper(text[amp + 1]) == towupper(static_cast<wchar_t>(m.WParam))) {
            Click();
            m.Result = 1;
        }
        return;
    }
    case CM_FOCUSCHANGED: {
        // The focused button answers Enter; with a non-button focused, the default one does.
        auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
        SetActive(focused == this || (default_ && !dynamic_cast<TButton*>(focused)));
        return;
    }
    default:
        TWinControl::WndProc(m);
    }
}
