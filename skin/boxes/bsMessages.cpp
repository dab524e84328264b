#include "skin/boxes/bsMessages.h"

#include <memory>

#include "skin/bsResStrData.h"
#include "skin/bsUtils.h"

namespace {

struct ButtonKind {
    const wchar_t* name;
    const wchar_t* key;  // nullptr: no key
    const wchar_t* text;
    int result;
};

// In the enumeration order of TMsgDlgBtn.
const ButtonKind kButtons[12] = {
    {L"Yes", L"MSG_BTN_YES", L"&Yes", 6},
    {L"No", L"MSG_BTN_NO", L"&No", 7},
    {L"OK", L"MSG_BTN_OK", L"OK", 1},
    {L"Cancel", L"MSG_BTN_CANCEL", L"Cancel", 2},
    {L"Abort", L"MSG_BTN_ABORT", L"&Abort", 3},
    {L"Retry", L"MSG_BTN_RETRY", L"&Retry", 4},
    {L"Ignore", L"MSG_BTN_IGNORE", L"&Ignore", 5},
    {L"All", L"MSG_BTN_ALL", L"&All", 8},
    {L"NoToAll", L"MSG_BTN_NOTOALL", L"N&oToAll", 9},
    {L"YesToAll", L"MSG_BTN_YESTOALL", L"&YesToAll", 10},
    {L"Help", L"MSG_BTN_HELP", L"&Help", 0},
    {L"Close", nullptr, L"Close", 11},
};

struct CaptionKind {
    const wchar_t* key;
    const wchar_t* text;
    LPCWSTR icon;
};

// In the enumeration order of TMsgDlgType.
const CaptionKind kCaptions[5] = {
    {L"MSG_CAP_WARNING", L"Warning", IDI_EXCLAMATION},
    {L"MSG_CAP_ERROR", L"Error", IDI_HAND},
    {L"MSG_CAP_INFORMATION", L"Information", IDI_ASTERISK},
    {L"MSG_CAP_CONFIRM", L"Confirm", IDI_QUESTION},
    {nullptr, L"", nullptr},
};

const wchar_t* const kShowFlagKey = L"MSG_CAP_SHOWFLAG";
const wchar_t* const kShowFlagText = L"Do not display this message again";

// A keyed text: the store's when it has the key, else the built-in one (a
// dialog with empty buttons or caption cannot be answered sensibly).
String KeyedText(TbsSkinData* store, const wchar_t* key, const wchar_t* builtIn) {
    if (key && store && store->ResourceStrData()) {
        String s = store->ResourceStrData()->GetResStr(key);
        if (!s.empty()) return s;
    }
    return builtIn;
}

constexpr int kButtonWidth = 70, kButtonGap = 10;

}  // namespace

std::function<void(TbsMessageForm*)>& MessageFormShownHook() {
    static std::function<void(TbsMessageForm*)> hook;
    return hook;
}

String GetMessageButtonCaption(TMsgDlgBtn kind, TbsSkinData* store) {
    const ButtonKind& k = kButtons[kind];
    return KeyedText(store, k.key, k.text);
}

String GetMessageDialogCaption(TMsgDlgType type, TbsSkinData* store) {
    const CaptionKind& k = kCaptions[type];
    return KeyedText(store, k.key, k.text);
}

// ---- TbsMessageForm ------------------------------------------------------------------------

TbsMessageForm::TbsMessageForm(TComponent* owner, int x, int y) : TForm(owner) {
    SetBorderStyle(bsDialog);
    KeyPreview = true;
    if (x < -10000) {
        Position = poScreenCenter;
    } else {
        SetLeft(x);
        SetTop(y);
    }
    BSF = new TbsSkinFrame(this);
    BSF->SetBorderIcons(0);
}

// ---- TbsSkinMessage -------------------------------------------------------------------------

TbsSkinMessage::TbsSkinMessage(TComponent* owner) : TComponent(owner) {
    for (TFont* f : {&FDefaultFont, &FDefaultButtonFont}) {
        f->SetName(L"Arial");
        f->SetHeight(14);
        f->SetStyle(0);
    }
}

TbsSkinMessage::~TbsSkinMessage() {
    if (FSD) RemoveFreeNotification(FSD);
    if (FCtrlFSD && FCtrlFSD != FSD) RemoveFreeNotification(FCtrlFSD);
}

void TbsSkinMessage::SetSkinData(TbsSkinData* v) {
    FSD = v;
    if (v) FreeNotification(v);
}

void TbsSkinMessage::SetCtrlSkinData(TbsSkinData* v) {
    FCtrlFSD = v;
    if (v) FreeNotification(v);
}

void TbsSkinMessage::Notification(TComponent* component, TOperation op) {
    TComponent::Notification(component, op);
    if (op != opRemove) return;
    if (component == FSD) FSD = nullptr;
    if (component == FCtrlFSD) FCtrlFSD = nullptr;
}

int TbsSkinMessage::ButtonHeight() const {
    if (!FCtrlFSD || FCtrlFSD->Empty) return 25;
    const int i = FCtrlFSD->GetControlIndex(ButtonSkinDataName);
    if (i < 0) return 25;
    auto* r = dynamic_cast<TbsDataSkinButtonControl*>(FCtrlFSD->CtrlList[static_cast<size_t>(i)].get());
    return r ? r->SkinRect.Height() : 25;
}

TbsMessageForm* TbsSkinMessage::CreateSkinMessageForm(const Request& r) {
    // Freed again when building fails part-way; handed to the caller at the end.
    auto owned = std::make_unique<TbsMessageForm>(Application, r.x, r.y);
    TbsMessageForm* form = owned.get();
    // Constructed: the controls made below size themselves at once (the
    // label to its text).
    form->AfterConstruction();
    form->BSF->SetSkinData(FSD);
    form->BSF->SetMenusSkinData(FCtrlFSD);
    form->BSF->SetAlphaBlend(AlphaBlend);
    form->BSF->AlphaBlendAnimation = AlphaBlendAnimation;
    form->BSF->SetAlphaBlendValue(AlphaBlendValue);
    // The frame's real size decides the client area from here on.
    form->HandleNeeded();
    const int bh = ButtonHeight();
    int n = 0;
    for (int k = 0; k < 12; ++k)
        if (r.buttons & (1u << k)) ++n;
    const int rowWidth = n == 0 ? 0 : n * kButtonWidth + (n - 1) * kButtonGap;

    if (r.variant == Variant::WithCaption || r.variant == Variant::CustomImage) form->SetCaption(r.caption);
    else if (r.type == mtCustom) form->SetCaption(Application->Title());
    else form->SetCaption(GetMessageDialogCaption(r.type, FCtrlFSD));

    auto* label = new TbsSkinStdLabel(form);
    form->Message = label;
    label->Font()->Assign(&FDefaultFont);
    label->SetDefaultFont(&FDefaultFont);
    label->UseSkinFont() = UseSkinFont;
    label->SetSkinDataName(MessageLabelSkinDataName);
    label->SetSkinData(FCtrlFSD);
    label->SetName(L"Message");
    label->SetParent(form);
    // Sized to the text; lines break only where the text has line breaks.
    label->SetAutoSize(true);
    label->SetCaption(r.msg);
    label->SetLeft(50);
    label->SetTop(15);
    const int labelRight = label->Left() + label->Width();

    if (r.variant != Variant::CustomImage) {
        auto* image = new TImage(form);
        image->SetName(L"Image");
        image->SetParent(form);
        if (r.type != mtCustom) image->Picture()->Icon()->SetHandle(LoadIconW(nullptr, kCaptions[r.type].icon));
        image->SetBounds(5, std::max(10, label->Top() + label->Height() / 2 - 16), 32, 32);
        form->Image = image;
    } else if (r.images && r.imageIndex >= 0 && r.imageIndex <= r.images->Count() - 1) {
        auto* image = new TImage(form);
        image->SetName(L"Image");
        image->SetParent(form);
        image->SetTransparent(true);
        TBitmap b(r.images->Width(), r.images->Height());
        b.Canvas()->Brush()->SetColor(clBtnFace);
        b.Canvas()->FillRect(TRect(0, 0, b.Width(), b.Height()));
        r.images->Draw(b.Canvas(), 0, 0, r.imageIndex, true);
        image->Picture()->Assign(&b);
        image->SetBounds(5, label->Top() + label->Height() / 2 - 16, r.images->Width(), r.images->Height());
        form->Image = image;
    }

    int clientH = bh + label->Height() + 50;
    int clientW = std::max(labelRight, rowWidth) + 40;
    form->SetClientSize(clientW, clientH);

    if (ShowAgainFlag && r.variant != Variant::Wide) {
        clientH += 40;
        auto* box = new TbsSkinCheckRadioBox(form);
        form->DisplayCheckBox = box;
        box->SetName(L"checkbox");
        box->SetDefaultHeight(30);
        box->SetChecked(!ShowAgainFlagValue);
        box->SetParent(form);
        box->SetDefaultFont(&FDefaultFont);
        box->UseSkinFont = UseSkinFont;
        box->SetSkinData(FCtrlFSD);
        box->SetCaption(KeyedText(FCtrlFSD, kShowFlagKey, kShowFlagText));
        TBitmap measure(1, 1);
        if (box->FIndex != -1 && UseSkinFont) {
            measure.Canvas()->Font()->SetName(box->FontName);
            measure.Canvas()->Font()->SetHeight(box->FontHeight);
        } else {
            measure.Canvas()->Font()->Assign(&FDefaultFont);
        }
        const int tw = measure.Canvas()->TextExtent(box->Caption()).cx;
        clientW = std::max(clientW, tw + 60);
        box->SetBounds(5, clientH - bh - 50, tw + 55, 30);
        form->SetClientSize(clientW, clientH);
    }

    // The frame's limits: at most its maximum width, at least its minimum.
    if (form->BSF->GetMaxWidth() < form->Width()) form->SetWidth(form->BSF->GetMaxWidth());
    else if (form->BSF->GetMinWidth() > form->Width()) form->SetWidth(form->BSF->GetMinWidth());

    auto requested = [&](TMsgDlgBtn k) { return (r.buttons & (1u << k)) != 0; };
    const TMsgDlgBtn defKind = requested(mbOK) ? mbOK : requested(mbYes) ? mbYes : mbRetry;
    const TMsgDlgBtn cancelKind = requested(mbCancel) ? mbCancel : requested(mbNo) ? mbNo : mbOK;
    int x = (form->ClientWidth() - rowWidth) / 2;
    for (int k = 0; k < 12; ++k) {
        const auto kind = static_cast<TMsgDlgBtn>(k);
        if (!requested(kind)) continue;
        auto* b = new TbsSkinButton(form);
        form->buttons_[k] = b;
        b->SetParent(form);
        b->SetName(kButtons[k].name);
        b->SetCanFocused(true);
        b->SetCaption(GetMessageButtonCaption(kind, FCtrlFSD));
        b->ModalResult = kButtons[k].result;
        b->SetDefault(kind == defKind);
        b->Cancel = kind == cancelKind;
        b->SetDefaultHeight(bh);
        b->SetBounds(x, form->ClientHeight() - bh - 10, kButtonWidth, bh);
        b->SetDefaultFont(&FDefaultButtonFont);
        b->UseSkinFont = UseSkinFont;
        if (kind == mbHelp) b->OnClick = [form](TObject*) { Application->HelpContext(form->HelpContext); };
        b->SetSkinDataName(ButtonSkinDataName);
        b->SetSkinData(FCtrlFSD);
        x += kButtonWidth + kButtonGap;
    }
    if (TbsSkinButton* d = form->buttons_[defKind]) form->SetActiveControl(d);
    return owned.release();
}

int TbsSkinMessage::Show(const Request& r) {
    std::unique_ptr<TbsMessageForm> form(CreateSkinMessageForm(r));
    form->HelpContext = r.helpCtx;
    if (r.hasHelpFile) form->HelpFile = r.helpFile;
    if (r.usePosHook && OnSetShowPos) {
        int ax = form->Left(), ay = form->Top();
        OnSetShowPos(ax, ay, form->Width(), form->Height());
        form->SetLeft(ax);
        form->SetTop(ay);
    }
    struct WriteBack {
        TbsSkinMessage* self;
        TbsMessageForm* form;
        ~WriteBack() {
            if (form->DisplayCheckBox) self->ShowAgainFlagValue = !form->DisplayCheckBox->Checked();
        }
    } writeBack{this, form.get()};
    if (auto& hook = MessageFormShownHook()) {
        TbsMessageForm* f = form.get();
        form->OnShow = [&hook, f](TObject*) { hook(f); };
    }
    return form->ShowModal();
}

int TbsSkinMessage::MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx) {
    Request r;
    r.msg = msg, r.type = type, r.buttons = buttons, r.helpCtx = helpCtx;
    return Show(r);
}

int TbsSkinMessage::MessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x,
                                  int y) {
    Request r;
    r.msg = msg, r.type = type, r.buttons = buttons, r.helpCtx = helpCtx, r.x = x, r.y = y, r.usePosHook = true;
    return Show(r);
}

int TbsSkinMessage::MessageDlgHelp(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx,
                                   const String& helpFileName) {
    Request r;
    r.msg = msg, r.type = type, r.buttons = buttons, r.helpCtx = helpCtx;
    r.hasHelpFile = true, r.helpFile = helpFileName;
    return Show(r);
}

int TbsSkinMessage::MessageDlg2(const String& msg, const String& caption, TMsgDlgType type, TMsgDlgButtons buttons,
                                int helpCtx) {
    Request r;
    r.variant = Variant::WithCaption;
    r.msg = msg, r.caption = caption, r.type = type, r.buttons = buttons, r.helpCtx = helpCtx;
    return Show(r);
}

int TbsSkinMessage::MessageDlgHelp2(const String& msg, const String& caption, TMsgDlgType type,
                                    TMsgDlgButtons buttons, int helpCtx, const String& helpFileName) {
    Request r;
    r.variant = Variant::WithCaption;
    r.msg = msg, r.caption = caption, r.type = type, r.buttons = buttons, r.helpCtx = helpCtx;
    r.hasHelpFile = true, r.helpFile = helpFileName;
    return Show(r);
}

int TbsSkinMessage::WideMessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx) {
    Request r;
    r.variant = Variant::Wide;
    r.msg = msg, r.type = type, r.buttons = buttons, r.helpCtx = helpCtx;
    return Show(r);
}

int TbsSkinMessage::WideMessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx,
                                      int x, int y) {
    Request r;
    r.variant = Variant::Wide;
    r.msg = msg, r.type = type, r.buttons = buttons, r.helpCtx = helpCtx, r.x = x, r.y = y;
    return Show(r);
}

int TbsSkinMessage::CustomMessageDlg(const String& msg, const String& caption, TCustomImageList* images,
                                     int imageIndex, TMsgDlgButtons buttons, int helpCtx) {
    Request r;
    r.variant = Variant::CustomImage;
    r.msg = msg, r.caption = caption, r.images = images, r.imageIndex = imageIndex, r.buttons = buttons;
    r.helpCtx = helpCtx;
    return Show(r);
}

int TbsSkinMessage::CustomMessageDlgPos(const String& msg, const String& caption, TCustomImageList* images,
                                        int imageIndex, TMsgDlgButtons buttons, int helpCtx, int x, int y) {
    Request r;
    r.variant = Variant::CustomImage;
    r.msg = msg, r.caption = caption, r.images = images, r.imageIndex = imageIndex, r.buttons = buttons;
    r.helpCtx = helpCtx, r.x = x, r.y = y, r.usePosHook = true;
    return Show(r);
}

int TbsSkinMessage::CustomMessageDlgHelp(const String& msg, const String& caption, TCustomImageList* images,
                                         int imageIndex, TMsgDlgButtons buttons, int helpCtx,
                                         const String& helpFileName) {
    Request r;
    r.variant = Variant::CustomImage;
    r.msg = msg, r.caption = caption, r.images = images, r.imageIndex = imageIndex, r.buttons = buttons;
    r.helpCtx = helpCtx, r.hasHelpFile = true, r.helpFile = helpFileName;
    return Show(r);
}
