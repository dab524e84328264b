#pragma once
// Modal message boxes: the kinds of message, the buttons and their modal
// results (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No, 8 All,
// 9 No to all, 10 Yes to all, 11 Close; Help has none: it opens the help
// and leaves the box open), the default texts, and the platform's own
// message dialog, a form built in code that a skinned dialog replaces.
//
// Threads: UI thread only.

#include "platform/Forms.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
// A set of buttons: bit (1 << button).
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons MsgDlgButton(TMsgDlgBtn b) { return 1u << b; }
constexpr TMsgDlgButtons mbYesNo = MsgDlgButton(mbYes) | MsgDlgButton(mbNo);
constexpr TMsgDlgButtons mbYesNoCancel = mbYesNo | MsgDlgButton(mbCancel);
constexpr TMsgDlgButtons mbYesAllNoAllCancel =
    mbYesNo | MsgDlgButton(mbYesToAll) | MsgDlgButton(mbNoToAll) | MsgDlgButton(mbCancel);
constexpr TMsgDlgButtons mbOKCancel = MsgDlgButton(mbOK) | MsgDlgButton(mbCancel);
constexpr TMsgDlgButtons mbAbortRetryIgnore = MsgDlgButton(mbAbort) | MsgDlgButton(mbRetry) | MsgDlgButton(mbIgnore);
constexpr TMsgDlgButtons mbAbortIgnore = MsgDlgButton(mbAbort) | MsgDlgButton(mbIgnore);

// The modal result a button gives.
TModalResult ModalResultOf(TMsgDlgBtn button);
// The button's default text ("OK", "&Yes", ...), its component name
// ("OK", "Yes", "NoToAll", ...) and the type's caption ("Warning", "Error",
// "Information", "Confirm"; empty for mtCustom).
String MsgDlgButtonCaption(TMsgDlgBtn button);
String MsgDlgButtonName(TMsgDlgBtn button);
String MsgDlgTypeCaption(TMsgDlgType type);

// The platform's message dialog: an icon, the text and one button per
// member of buttons (in button order), captioned with the type's caption
// (the application's title for mtCustom); Escape answers the Cancel (or
// No, or the only) button. The caller owns the form.
TForm* CreateMessageDialog(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons);
// Shows the dialog modally and returns the modal result of the pressed
// button (the Cancel result when the box is closed).
int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// The same at a screen position (-1, -1: centred on the screen).
int MessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int x, int y);
// An information box with an OK button, captioned with the application's title.
void ShowMessage(const String& msg);
