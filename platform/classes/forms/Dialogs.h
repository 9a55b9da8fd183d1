// Message dialogs: modal forms with a text, the icon of their kind and a row
// of buttons with French captions. The answer is the modal result of the
// button chosen (Escape answers the cancel button).
#pragma once

#include <string>

#include "platform/base/Set.h"
#include "platform/classes/forms/FormTypes.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

class TForm;

CORVANE_ENUM(TMsgDlgType, "Dialogs", mtWarning, mtError, mtInformation, mtConfirmation, mtCustom);
CORVANE_ENUM(TMsgDlgBtn, "Dialogs", mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
             mbYesToAll, mbHelp);
using TMsgDlgButtons = Set<TMsgDlgBtn>;
CORVANE_DESCRIBE_SET(TMsgDlgButtons);

inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The message box flags and answers of the application's MessageBox.
constexpr UINT MB_OKCANCEL = 0x01, MB_ABORTRETRYIGNORE = 0x02, MB_YESNOCANCEL = 0x03, MB_YESNO = 0x04,
               MB_RETRYCANCEL = 0x05, MB_TYPEMASK = 0x0F, MB_ICONSTOP = 0x10, MB_ICONERROR = 0x10,
               MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0, MB_DEFBUTTON2 = 0x100,
               MB_DEFBUTTON3 = 0x200, MB_DEFMASK = 0xF00;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

// The dialog, not shown yet (the caller owns it).
TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// X, Y < 0: centred on the screen.
TModalResult MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                           int Y);
// The text with an OK button, titled with the application's title.
void ShowMessage(const std::string& Msg);
// The application's message box (TApplication::MessageBox).
int MessageBoxDialog(const std::string& Text, const std::string& Caption, UINT Flags);
