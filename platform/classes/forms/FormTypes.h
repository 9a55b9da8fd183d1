// The enumerations, modal results and event types of forms, described for
// the run-time type information.
#pragma once

#include "platform/base/Method.h"
#include "platform/base/Set.h"
#include "platform/classes/Messages.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

CORVANE_ENUM(TFormBorderStyle, "Forms", bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
using TBorderStyle = TFormBorderStyle;
CORVANE_ENUM(TBorderIcon, "Forms", biSystemMenu, biMinimize, biMaximize, biHelp);
using TBorderIcons = Set<TBorderIcon>;
CORVANE_DESCRIBE_SET(TBorderIcons);
CORVANE_ENUM(TFormStyle, "Forms", fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
CORVANE_ENUM(TPosition, "Forms", poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
             poDesktopCenter, poMainFormCenter, poOwnerFormCenter);
CORVANE_ENUM(TWindowState, "Forms", wsNormal, wsMinimized, wsMaximized);
CORVANE_ENUM(TCloseAction, "Forms", caNone, caHide, caFree, caMinimize);
CORVANE_ENUM(TFormStateFlag, "Forms", fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated);
using TFormState = Set<TFormStateFlag>;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

using TCloseEvent = Method<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = Method<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = Method<void(TWMKey& Msg, bool& Handled)>;
