#include "platform/Dialogs.h"

#include <algorithm>

#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const wchar_t* const kButtonCaptions[] = {L"&Yes",   L"&No",      L"OK",        L"Cancel", L"&Abort", L"&Retry",
                                          L"&Ignore", L"&All",    L"N&oToAll", L"&YesToAll", L"&Help", L"Close"};
const wchar_t* const kButtonNames[] = {L"Yes",    L"No",  L"OK",      L"Cancel",   L"Abort", L"Retry",
                                       L"Ignore", L"All", L"NoToAll", L"YesToAll", L"Help",  L"Close"};

const wchar_t* IconName(TMsgDlgType type) {
    switch (type) {
    case mtWarning: return IDI_EXCLAMATION;
    case mtError: return IDI_HAND;
    case mtInformation: return IDI_ASTERISK;
    case mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
    }
}

// The icon of a message type, drawn from the system's own.
class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* owner, TMsgDlgType type) : TGraphicControl(owner), icon_(LoadIconW(nullptr, IconName(type))) {
        SetBounds(0, 0, 32, 32);
    }

protected:
    void Paint() override {
        if (icon_) DrawIconEx(Canvas()->Handle(), 0, 0, icon_, 32, 32, 0, nullptr, DI_NORMAL);
    }

private:
    HICON icon_;  // shared system icon: never destroyed
};

}  // namespace

TModalResult ModalResultOf(TMsgDlgBtn button) {
    static const TModalResult results[] = {mrYes, mrNo,    mrOk,       mrCancel,   mrAbort, mrRetry,
                                           mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone, mrClose};
    return results[button];
}

String MsgDlgButtonCaption(TMsgDlgBtn button) { return kButtonCaptions[button]; }

String MsgDlgButtonName(TMsgDlgBtn button) { return kButtonNames[button]; }

String MsgDlgTypeCaption(TMsgDlgType type) {
    static const wchar_t* const captions[] = {L"Warning", L"Error", L"Information", L"Confirm", L""};
    return captions[type];
}

TForm* CreateMessageDialog(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons) {
    if ((buttons & ((1u << (mbClose + 1)) - 1)) == 0) buttons = MsgDlgButton(mbOK);
    struct FreeForm {
        void operator()(TForm* f) const { f->Free(); }
    };
    std::unique_ptr<TForm, FreeForm> form(new TForm(Application));
    form->SetBorderStyle(bsDialog);
    form->Position = poScreenCenter;
    form->SetCaption(type == mtCustom ? (Application ? Application->Title() : String()) : MsgDlgTypeCaption(type));

    const int margin = 12, buttonWidth = 75, buttonHeight = 25, gap = 8;
    int textLeft = margin;
    if (IconName(type)) {
        auto* icon = new TMessageIcon(form.get(), type);
        icon->SetParent(form.get());
        icon->SetBounds(margin, margin, 32, 32);
        textLeft += 32 + margin;
    }
    auto* text = new TLabel(form.get());
    text->SetParent(form.get());
    text->SetWordWrap(true);
    text->SetBounds(textLeft, margin, 320, 10);
    text->SetCaption(msg);

    std::vector<TMsgDlgBtn> shown;
    for (int b = mbYes; b <= mbClose; ++b)
        if (buttons & MsgDlgButton(static_cast<TMsgDlgBtn>(b))) shown.push_back(static_cast<TMsgDlgBtn>(b));
    const int rowWidth = static_cast<int>(shown.size()) * (buttonWidth + gap) - gap;
    const int contentHeight = std::max(text->Height(), IconName(type) ? 32 : 0);
    const int width = std::max(textLeft + text->Width(), rowWidth) + 2 * margin;
    const int top = margin + contentHeight + margin;
    form->SetClientSize(width, top + buttonHeight + margin);

    // Escape answers Cancel, else No, else the only button.
    const TMsgDlgBtn cancel = (buttons & MsgDlgButton(mbCancel)) ? mbCancel
                              : (buttons & MsgDlgButton(mbNo))   ? mbNo
                              : shown.size() == 1                ? shown.front()
                                                                 : mbClose;
    int x = (width - rowWidth) / 2;
    bool first = true;
    for (TMsgDlgBtn b : shown) {
        auto* button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetName(MsgDlgButtonName(b));
        if (b == mbHelp) {
            TForm* owner = form.get();
            button->OnClick = [owner](TObject*) {
                if (Application) Application->HelpContext(owner->HelpContext);
            };
        }
        button->SetCaption(MsgDlgButtonCaption(b));
        button->ModalResult = ModalResultOf(b);
        button->SetBounds(x, top, buttonWidth, buttonHeight);
        button->Cancel = b == cancel;
        if (first) {
            button->SetDefault(true);
            form->SetActiveControl(button);
            first = false;
        }
        x += buttonWidth + gap;
    }
    return form.release();
}

int MessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int x, int y) {
    struct FreeForm {
        void operator()(TForm* f) const { f->Free(); }
    };
    std::unique_ptr<TForm, FreeForm> form(CreateMessageDialog(msg, type, buttons));
    form->HelpContext = helpContext;
    if (x >= 0 && y >= 0) {
        form->Position = poDesigned;
        form->SetBounds(x, y, form->Width(), form->Height());
    }
    const TModalResult result = form->ShowModal();
    // A box closed from its frame answers like its cancel button.
    if (result == mrCancel && !(buttons & MsgDlgButton(mbCancel))) {
        for (TMsgDlgBtn b : {mbNo, mbClose, mbOK})
            if (buttons & MsgDlgButton(b)) return ModalResultOf(b);
    }
    return result;
}

int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
    return MessageDlgPos(msg, type, buttons, helpContext, -1, -1);
}

void ShowMessage(const String& msg) { MessageDlg(msg, mtCustom, MsgDlgButton(mbOK)); }
