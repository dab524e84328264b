#pragma once
// The skinned message dialog. TbsSkinMessage builds a TbsMessageForm in
// code for every call: a skinned window frame without caption buttons, an
// icon, the message in a skinned label, one skinned button
// per requested kind and, on request, a check box that turns the message
// off; it shows the form modally, returns the modal result (1 OK, 2 Cancel,
// 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No, 8 All, 9 No to all, 10 Yes to
// all, 11 Close) and frees the form.
//
// Texts: the button and caption texts come by key ("MSG_BTN_...",
// "MSG_CAP_...") from the strings of CtrlSkinData; a key the strings lack
// gives the built-in text.
//
// Layout: buttons 70 wide, 10 apart, as high as the "button" record's
// picture (25 without one); the label at (50, 15); client height = button
// height + label height + 50 (+ 40 with the check box); client width = the
// larger of the label's right edge and the button row, + 40, within the
// frame's maximum width (the work area's unless the frame sets one) and at
// least its minimum width; the row centred at the bottom, 10
// above the edge. Default button: OK, else Yes, else Retry; cancel button:
// Cancel, else No, else OK.
//
// Threads: UI thread only (every method runs a modal loop).

#include <functional>

#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/StdCtrls.h"
#include "skin/bsSkinData.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/frame/bsSkinFrame.h"

using TMsgDlgButtons = unsigned;  // bit (1 << TMsgDlgBtn)
constexpr TMsgDlgButtons MsgButtons(std::initializer_list<TMsgDlgBtn> kinds) {
    TMsgDlgButtons s = 0;
    for (TMsgDlgBtn k : kinds) s |= 1u << k;
    return s;
}

using TbsMessageSetShowPosEvent = std::function<void(int& ax, int& ay, int aWidth, int aHeight)>;

class TbsMessageForm : public TForm {
public:
    // Without a form resource; x < -10000 centres the form on the screen.
    // The frame (BSF) is made here, with no caption buttons.
    TbsMessageForm(TComponent* owner, int x, int y);
    TbsSkinFrame* BSF = nullptr;
    TbsSkinCheckRadioBox* DisplayCheckBox = nullptr;
    TbsSkinStdLabel* Message = nullptr;
    TImage* Image = nullptr;
    String HelpFile;
    // The button of a kind (nullptr when not requested).
    TbsSkinButton* ButtonOf(TMsgDlgBtn kind) const { return buttons_[kind]; }

private:
    friend class TbsSkinMessage;
    TbsSkinButton* buttons_[12] = {};
};

// The text of a button kind / caption of a dialog type from the store's
// strings, or the built-in one.
String GetMessageButtonCaption(TMsgDlgBtn kind, TbsSkinData* store);
String GetMessageDialogCaption(TMsgDlgType type, TbsSkinData* store);

// Called with every message form just before it is shown (tests drive the
// modal loop through it).
std::function<void(TbsMessageForm*)>& MessageFormShownHook();

class TbsSkinMessage : public TComponent {
public:
    explicit TbsSkinMessage(TComponent* owner);
    ~TbsSkinMessage() override;

    bool ShowAgainFlag = false;
    bool ShowAgainFlagValue = false;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* v);
    TbsSkinData* CtrlSkinData() const { return FCtrlFSD; }
    void SetCtrlSkinData(TbsSkinData* v);
    String ButtonSkinDataName = L"button";
    String MessageLabelSkinDataName = L"stdlabel";
    TFont* DefaultFont() { return &FDefaultFont; }
    TFont* DefaultButtonFont() { return &FDefaultButtonFont; }
    bool UseSkinFont = true;
    TbsMessageSetShowPosEvent OnSetShowPos;

    int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx);
    int MessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x, int y);
    int MessageDlgHelp(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx,
                       const String& helpFileName);
    int MessageDlg2(const String& msg, const String& caption, TMsgDlgType type, TMsgDlgButtons buttons,
                    int helpCtx);
    int MessageDlgHelp2(const String& msg, const String& caption, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpCtx, const String& helpFileName);
    int WideMessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx);
    int WideMessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x, int y);
    int CustomMessageDlg(const String& msg, const String& caption, TCustomImageList* images, int imageIndex,
                         TMsgDlgButtons buttons, int helpCtx);
    int CustomMessageDlgPos(const String& msg, const String& caption, TCustomImageList* images, int imageIndex,
                            TMsgDlgButtons buttons, int helpCtx, int x, int y);
    int CustomMessageDlgHelp(const String& msg, const String& caption, TCustomImageList* images, int imageIndex,
                             TMsgDlgButtons buttons, int helpCtx, const String& helpFileName);

protected:
    void Notification(TComponent* component, TOperation op) override;

private:
    enum class Variant { ByType, WithCaption, Wide, CustomImage };
    struct Request {
        Variant variant = Variant::ByType;
        String msg, caption;
        TMsgDlgType type = mtCustom;
        TMsgDlgButtons buttons = 0;
        TCustomImageList* images = nullptr;
        int imageIndex = -1;
        int x = -10001, y = -10001;
        int helpCtx = 0;
        bool hasHelpFile = false;
        String helpFile;
        bool usePosHook = false;
    };
    TbsMessageForm* CreateSkinMessageForm(const Request& r);
    int Show(const Request& r);
    int ButtonHeight() const;

    TbsSkinData* FSD = nullptr;
    TbsSkinData* FCtrlFSD = nullptr;
    TFont FDefaultFont, FDefaultButtonFont;
};
