// Component and reflected messages of the class library, and the message
// records (a TMessage seen through the fields of one message).
//
// Component messages are CM_BASE (0xB000) plus an offset; the values that
// controls of this system handle by number are fixed (CM_DIALOGCHAR 0xB006,
// CM_FOCUSCHANGED 0xB007, CM_COLORCHANGED 0xB00D, CM_FONTCHANGED 0xB00E,
// CM_MOUSEENTER 0xB013, CM_MOUSELEAVE 0xB014, CM_SHOWINGCHANGED 0xB019,
// CM_RELEASE 0xB021, CM_HINTSHOW 0xB030) and the others fill the table in the
// same run:
//
//   +0 ACTIVATE  +1 DEACTIVATE  +2 GOTFOCUS  +3 LOSTFOCUS  +4 CANCELMODE
//   +5 DIALOGKEY  +6 DIALOGCHAR  +7 FOCUSCHANGED  +8 PARENTFONTCHANGED
//   +9 PARENTCOLORCHANGED  +10 HITTEST  +11 VISIBLECHANGED  +12 ENABLEDCHANGED
//   +13 COLORCHANGED  +14 FONTCHANGED  +15 CURSORCHANGED  +16 CTL3DCHANGED
//   +17 PARENTCTL3DCHANGED  +18 TEXTCHANGED  +19 MOUSEENTER  +20 MOUSELEAVE
//   +21 MENUCHANGED  +22 APPKEYDOWN  +23 APPSYSCOMMAND  +24 BUTTONPRESSED
//   +25 SHOWINGCHANGED  +26 ENTER  +27 EXIT  +28 DESIGNHITTEST  +29 ICONCHANGED
//   +30 WANTSPECIALKEY  +31 INVOKEHELP  +32 WINDOWHOOK  +33 RELEASE
//   +34 SHOWHINTCHANGED  +35 PARENTSHOWHINTCHANGED  +36 SYSCOLORCHANGE
//   +37 WININICHANGE  +38 FONTCHANGE  +39 TIMECHANGE  +40 TABSTOPCHANGED
//   +41 UIACTIVATE  +42 UIDEACTIVATE  +43 DOCWINDOWACTIVATE  +44 CONTROLLISTCHANGE
//   +45 GETDATALINK  +46 CHILDKEY  +47 DRAG  +48 HINTSHOW  +49 DIALOGHANDLE
//   +50 ISTOOLCONTROL  +51 RECREATEWND  +52 INVALIDATE  +53 SYSFONTCHANGED
//   +54 CONTROLCHANGE  +55 CHANGED  +56 DOCKCLIENT  +57 UNDOCKCLIENT  +58 FLOAT
//   +59 BORDERCHANGED  +60 BIDIMODECHANGED  +61 PARENTBIDIMODECHANGED
//   +62 ALLCHILDRENFLIPPED  +63 ACTIONUPDATE  +64 ACTIONEXECUTE
//   +65 HINTSHOWPAUSE  +66 DOCKNOTIFICATION  +67 MOUSEWHEEL  +68 ISSHORTCUT
//   +70 INVALIDATEDOCKHOST  +71 SETACTIVECONTROL  +72 POPUPHWNDDESTROY
//   +73 CREATEPOPUP  +74 DESTROYHANDLE  +75 MOUSEACTIVATE
//   +76 CONTROLLISTCHANGING
//
// Reflected messages (a parent hands a child's notification back to the child)
// are CN_BASE (0xBC00) plus the window message: CN_DRAWITEM 0xBC2B,
// CN_MEASUREITEM 0xBC2C, CN_COMMAND 0xBD11.
//
// Records: every record is 32 bytes with the layout of TMessage (Msg at 0,
// WParam at 8, LParam at 16, Result at 24); a handler receives the TMessage
// and reads it through its record with MessageAs<TWMKey>(Message).
#pragma once

#include <cstddef>
#include <string>

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"
#include "platform/classes/Forward.h"
#include "platform/classes/ShiftState.h"
#include "platform/win/window/Messages.h"

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_GOTFOCUS = CM_BASE + 2,
               CM_LOSTFOCUS = CM_BASE + 3, CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
               CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7, CM_PARENTFONTCHANGED = CM_BASE + 8,
               CM_PARENTCOLORCHANGED = CM_BASE + 9, CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
               CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13, CM_FONTCHANGED = CM_BASE + 14,
               CM_CURSORCHANGED = CM_BASE + 15, CM_CTL3DCHANGED = CM_BASE + 16,
               CM_PARENTCTL3DCHANGED = CM_BASE + 17, CM_TEXTCHANGED = CM_BASE + 18, CM_MOUSEENTER = CM_BASE + 19,
               CM_MOUSELEAVE = CM_BASE + 20, CM_MENUCHANGED = CM_BASE + 21, CM_APPKEYDOWN = CM_BASE + 22,
               CM_APPSYSCOMMAND = CM_BASE + 23, CM_BUTTONPRESSED = CM_BASE + 24,
               CM_SHOWINGCHANGED = CM_BASE + 25, CM_ENTER = CM_BASE + 26, CM_EXIT = CM_BASE + 27,
               CM_DESIGNHITTEST = CM_BASE + 28, CM_ICONCHANGED = CM_BASE + 29, CM_WANTSPECIALKEY = CM_BASE + 30,
               CM_INVOKEHELP = CM_BASE + 31, CM_WINDOWHOOK = CM_BASE + 32, CM_RELEASE = CM_BASE + 33,
               CM_SHOWHINTCHANGED = CM_BASE + 34, CM_PARENTSHOWHINTCHANGED = CM_BASE + 35,
               CM_SYSCOLORCHANGE = CM_BASE + 36, CM_WININICHANGE = CM_BASE + 37, CM_FONTCHANGE = CM_BASE + 38,
               CM_TIMECHANGE = CM_BASE + 39, CM_TABSTOPCHANGED = CM_BASE + 40, CM_UIACTIVATE = CM_BASE + 41,
               CM_UIDEACTIVATE = CM_BASE + 42, CM_DOCWINDOWACTIVATE = CM_BASE + 43,
               CM_CONTROLLISTCHANGE = CM_BASE + 44, CM_GETDATALINK = CM_BASE + 45, CM_CHILDKEY = CM_BASE + 46,
               CM_DRAG = CM_BASE + 47, CM_HINTSHOW = CM_BASE + 48, CM_DIALOGHANDLE = CM_BASE + 49,
               CM_ISTOOLCONTROL = CM_BASE + 50, CM_RECREATEWND = CM_BASE + 51, CM_INVALIDATE = CM_BASE + 52,
               CM_SYSFONTCHANGED = CM_BASE + 53, CM_CONTROLCHANGE = CM_BASE + 54, CM_CHANGED = CM_BASE + 55,
               CM_DOCKCLIENT = CM_BASE + 56, CM_UNDOCKCLIENT = CM_BASE + 57, CM_FLOAT = CM_BASE + 58,
               CM_BORDERCHANGED = CM_BASE + 59, CM_BIDIMODECHANGED = CM_BASE + 60,
               CM_PARENTBIDIMODECHANGED = CM_BASE + 61, CM_ALLCHILDRENFLIPPED = CM_BASE + 62,
               CM_ACTIONUPDATE = CM_BASE + 63, CM_ACTIONEXECUTE = CM_BASE + 64, CM_HINTSHOWPAUSE = CM_BASE + 65,
               CM_DOCKNOTIFICATION = CM_BASE + 66, CM_MOUSEWHEEL = CM_BASE + 67, CM_ISSHORTCUT = CM_BASE + 68,
               CM_INVALIDATEDOCKHOST = CM_BASE + 70, CM_SETACTIVECONTROL = CM_BASE + 71,
               CM_POPUPHWNDDESTROY = CM_BASE + 72, CM_CREATEPOPUP = CM_BASE + 73,
               CM_DESTROYHANDLE = CM_BASE + 74, CM_MOUSEACTIVATE = CM_BASE + 75,
               CM_CONTROLLISTCHANGING = CM_BASE + 76;

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + 0x002F, CN_COMMAND = CN_BASE + WM_COMMAND,
               CN_COMPAREITEM = CN_BASE + 0x0039, CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
               CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG, CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
               CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX, CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX,
               CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR,
               CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC, CN_DELETEITEM = CN_BASE + 0x002D,
               CN_DRAWITEM = CN_BASE + WM_DRAWITEM, CN_HSCROLL = CN_BASE + WM_HSCROLL,
               CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM, CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY,
               CN_VKEYTOITEM = CN_BASE + 0x002E, CN_VSCROLL = CN_BASE + WM_VSCROLL, CN_KEYDOWN = CN_BASE + WM_KEYDOWN,
               CN_KEYUP = CN_BASE + WM_KEYUP, CN_CHAR = CN_BASE + WM_CHAR, CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN,
               CN_SYSCHAR = CN_BASE + WM_SYSCHAR, CN_NOTIFY = CN_BASE + WM_NOTIFY;

struct TMessage {
  UINT Msg = 0;
  UINT MsgFiller = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  WORD WParamLo() const { return LOWORD(WParam); }
  WORD WParamHi() const { return HIWORD(WParam); }
  WORD LParamLo() const { return LOWORD(std::uintptr_t(LParam)); }
  WORD LParamHi() const { return HIWORD(std::uintptr_t(LParam)); }
};

// The message seen through one of the records below.
template <class Record>
Record& MessageAs(TMessage& Message)
{
  static_assert(sizeof(Record) == sizeof(TMessage) && offsetof(Record, Result) == offsetof(TMessage, Result));
  return *reinterpret_cast<Record*>(&Message);
}

#define CORVANE_MESSAGE_HEAD \
  UINT Msg;                  \
  UINT MsgFiller

struct TWMNoParams {
  CORVANE_MESSAGE_HEAD;
  WPARAM Unused0;
  LPARAM Unused1;
  LRESULT Result;
};
using TCMCancelMode = TWMNoParams;

// Key messages: the virtual key, and the key data (repeat count, scan code,
// extended, Alt held (bit 29), previous state, transition).
struct TWMKey {
  CORVANE_MESSAGE_HEAD;
  WORD CharCode;
  WORD Unused;
  UINT WParamFiller;
  std::int32_t KeyData;
  UINT LParamFiller;
  LRESULT Result;
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TWMSysKeyDown = TWMKey;
using TWMSysChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;

// Mouse messages: the MK_ keys and the position in client coordinates.
struct TWMMouse {
  CORVANE_MESSAGE_HEAD;
  std::int32_t Keys;
  UINT WParamFiller;
  SHORT XPos;
  SHORT YPos;
  UINT LParamFiller;
  LRESULT Result;
  TPoint Pos() const { return TPoint(XPos, YPos); }
};
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMMouseMove = TWMMouse;
using TWMContextMenuPos = TWMMouse;

struct TWMMouseWheel {
  CORVANE_MESSAGE_HEAD;
  WORD Keys;
  SHORT WheelDelta;
  UINT WParamFiller;
  SHORT XPos;
  SHORT YPos;
  UINT LParamFiller;
  LRESULT Result;
};

struct TWMCommand {
  CORVANE_MESSAGE_HEAD;
  WORD ItemID;
  WORD NotifyCode;
  UINT WParamFiller;
  HWND Ctl;
  LRESULT Result;
};

struct TWMContextMenu {
  CORVANE_MESSAGE_HEAD;
  HWND hWnd;
  SHORT XPos;
  SHORT YPos;
  UINT LParamFiller;
  LRESULT Result;
};

struct TWMSize {
  CORVANE_MESSAGE_HEAD;
  WPARAM SizeType;
  WORD Width;
  WORD Height;
  UINT LParamFiller;
  LRESULT Result;
};

struct TWMTimer {
  CORVANE_MESSAGE_HEAD;
  WPARAM TimerID;
  LPARAM TimerProc;
  LRESULT Result;
};

struct TWMScroll {
  CORVANE_MESSAGE_HEAD;
  WORD ScrollCode;
  SHORT Pos;
  UINT WParamFiller;
  HWND ScrollBar;
  LRESULT Result;
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

struct TWMSetFocus {
  CORVANE_MESSAGE_HEAD;
  HWND FocusedWnd;
  LPARAM Unused;
  LRESULT Result;
};
using TWMKillFocus = TWMSetFocus;

struct TWMPaint {
  CORVANE_MESSAGE_HEAD;
  HDC DC;
  LPARAM Unused;
  LRESULT Result;
};
using TWMEraseBkgnd = TWMPaint;

struct TWMSetCursor {
  CORVANE_MESSAGE_HEAD;
  HWND CursorWnd;
  SHORT HitTest;
  WORD MouseMsg;
  UINT LParamFiller;
  LRESULT Result;
};

struct TWMNCHitTest {
  CORVANE_MESSAGE_HEAD;
  WPARAM Unused;
  SHORT XPos;
  SHORT YPos;
  UINT LParamFiller;
  LRESULT Result;
};

// The hint a control is about to show, filled in by the control's
// CM_HINTSHOW handler before the hint window appears.
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos;
  int HintMaxWidth = 0;
  TColor HintColor = 0;
  TRect CursorRect;
  TPoint CursorPos;
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
  void* HintData = nullptr;
};

struct TCMHintShow {
  CORVANE_MESSAGE_HEAD;
  WPARAM Reserved;
  THintInfo* HintInfo;
  LRESULT Result;
};

struct TCMHintShowPause {
  CORVANE_MESSAGE_HEAD;
  WPARAM WasActive;
  int* Pause;
  LRESULT Result;
};

struct TCMFocusChanged {
  CORVANE_MESSAGE_HEAD;
  WPARAM Unused;
  TWinControl* Sender;
  LRESULT Result;
};

struct TCMHitTest {
  CORVANE_MESSAGE_HEAD;
  WPARAM Unused;
  SHORT XPos;
  SHORT YPos;
  UINT LParamFiller;
  LRESULT Result;
};

struct TCMControlChange {
  CORVANE_MESSAGE_HEAD;
  TControl* Control;
  LPARAM Inserting;
  LRESULT Result;
};
using TCMControlListChange = TCMControlChange;

struct TCMChanged {
  CORVANE_MESSAGE_HEAD;
  WPARAM Unused;
  TComponent* Child;
  LRESULT Result;
};

struct TCMActionExecute {
  CORVANE_MESSAGE_HEAD;
  WPARAM Unused;
  TBasicAction* Action;
  LRESULT Result;
};
using TCMActionUpdate = TCMActionExecute;

#undef CORVANE_MESSAGE_HEAD
