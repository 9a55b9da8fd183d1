// IAccessible, the interface through which assistive clients read and drive
// the objects of a user interface, with its numbers: object and child ids,
// roles, states, selection flags and navigation directions.
#pragma once

#include "platform/win/accessibility/Dispatch.h"

// Objects of a window, as WM_GETOBJECT's lParam and the events name them.
constexpr LONG OBJID_WINDOW = 0, OBJID_SYSMENU = -1, OBJID_TITLEBAR = -2, OBJID_MENU = -3, OBJID_CLIENT = -4,
               OBJID_VSCROLL = -5, OBJID_HSCROLL = -6, OBJID_SIZEGRIP = -7, OBJID_CARET = -8, OBJID_CURSOR = -9,
               OBJID_ALERT = -10, OBJID_SOUND = -11, OBJID_QUERYCLASSNAMEIDX = -12, OBJID_NATIVEOM = -16;
// The object itself, as opposed to one of its simple children (1, 2, ...).
constexpr LONG CHILDID_SELF = 0;

constexpr LONG ROLE_SYSTEM_TITLEBAR = 1, ROLE_SYSTEM_MENUBAR = 2, ROLE_SYSTEM_SCROLLBAR = 3, ROLE_SYSTEM_GRIP = 4,
               ROLE_SYSTEM_SOUND = 5, ROLE_SYSTEM_CURSOR = 6, ROLE_SYSTEM_CARET = 7, ROLE_SYSTEM_ALERT = 8,
               ROLE_SYSTEM_WINDOW = 9, ROLE_SYSTEM_CLIENT = 10, ROLE_SYSTEM_MENUPOPUP = 11,
               ROLE_SYSTEM_MENUITEM = 12, ROLE_SYSTEM_TOOLTIP = 13, ROLE_SYSTEM_APPLICATION = 14,
               ROLE_SYSTEM_DOCUMENT = 15, ROLE_SYSTEM_PANE = 16, ROLE_SYSTEM_CHART = 17, ROLE_SYSTEM_DIALOG = 18,
               ROLE_SYSTEM_BORDER = 19, ROLE_SYSTEM_GROUPING = 20, ROLE_SYSTEM_SEPARATOR = 21,
               ROLE_SYSTEM_TOOLBAR = 22, ROLE_SYSTEM_STATUSBAR = 23, ROLE_SYSTEM_TABLE = 24,
               ROLE_SYSTEM_COLUMNHEADER = 25, ROLE_SYSTEM_ROWHEADER = 26, ROLE_SYSTEM_COLUMN = 27,
               ROLE_SYSTEM_ROW = 28, ROLE_SYSTEM_CELL = 29, ROLE_SYSTEM_LINK = 30, ROLE_SYSTEM_HELPBALLOON = 31,
               ROLE_SYSTEM_CHARACTER = 32, ROLE_SYSTEM_LIST = 33, ROLE_SYSTEM_LISTITEM = 34,
               ROLE_SYSTEM_OUTLINE = 35, ROLE_SYSTEM_OUTLINEITEM = 36, ROLE_SYSTEM_PAGETAB = 37,
               ROLE_SYSTEM_PROPERTYPAGE = 38, ROLE_SYSTEM_INDICATOR = 39, ROLE_SYSTEM_GRAPHIC = 40,
               ROLE_SYSTEM_STATICTEXT = 41, ROLE_SYSTEM_TEXT = 42, ROLE_SYSTEM_PUSHBUTTON = 43,
               ROLE_SYSTEM_CHECKBUTTON = 44, ROLE_SYSTEM_RADIOBUTTON = 45, ROLE_SYSTEM_COMBOBOX = 46,
               ROLE_SYSTEM_DROPLIST = 47, ROLE_SYSTEM_PROGRESSBAR = 48, ROLE_SYSTEM_DIAL = 49,
               ROLE_SYSTEM_HOTKEYFIELD = 50, ROLE_SYSTEM_SLIDER = 51, ROLE_SYSTEM_SPINBUTTON = 52,
               ROLE_SYSTEM_DIAGRAM = 53, ROLE_SYSTEM_ANIMATION = 54, ROLE_SYSTEM_EQUATION = 55,
               ROLE_SYSTEM_BUTTONDROPDOWN = 56, ROLE_SYSTEM_BUTTONMENU = 57, ROLE_SYSTEM_BUTTONDROPDOWNGRID = 58,
               ROLE_SYSTEM_WHITESPACE = 59, ROLE_SYSTEM_PAGETABLIST = 60, ROLE_SYSTEM_CLOCK = 61,
               ROLE_SYSTEM_SPLITBUTTON = 62, ROLE_SYSTEM_IPADDRESS = 63, ROLE_SYSTEM_OUTLINEBUTTON = 64;

constexpr LONG STATE_SYSTEM_NORMAL = 0, STATE_SYSTEM_UNAVAILABLE = 0x1, STATE_SYSTEM_SELECTED = 0x2,
               STATE_SYSTEM_FOCUSED = 0x4, STATE_SYSTEM_PRESSED = 0x8, STATE_SYSTEM_CHECKED = 0x10,
               STATE_SYSTEM_MIXED = 0x20, STATE_SYSTEM_INDETERMINATE = STATE_SYSTEM_MIXED,
               STATE_SYSTEM_READONLY = 0x40, STATE_SYSTEM_HOTTRACKED = 0x80, STATE_SYSTEM_DEFAULT = 0x100,
               STATE_SYSTEM_EXPANDED = 0x200, STATE_SYSTEM_COLLAPSED = 0x400, STATE_SYSTEM_BUSY = 0x800,
               STATE_SYSTEM_FLOATING = 0x1000, STATE_SYSTEM_MARQUEED = 0x2000, STATE_SYSTEM_ANIMATED = 0x4000,
               STATE_SYSTEM_INVISIBLE = 0x8000, STATE_SYSTEM_OFFSCREEN = 0x10000, STATE_SYSTEM_SIZEABLE = 0x20000,
               STATE_SYSTEM_MOVEABLE = 0x40000, STATE_SYSTEM_SELFVOICING = 0x80000,
               STATE_SYSTEM_FOCUSABLE = 0x100000, STATE_SYSTEM_SELECTABLE = 0x200000,
               STATE_SYSTEM_LINKED = 0x400000, STATE_SYSTEM_TRAVERSED = 0x800000,
               STATE_SYSTEM_MULTISELECTABLE = 0x1000000, STATE_SYSTEM_EXTSELECTABLE = 0x2000000,
               STATE_SYSTEM_ALERT_LOW = 0x4000000, STATE_SYSTEM_ALERT_MEDIUM = 0x8000000,
               STATE_SYSTEM_ALERT_HIGH = 0x10000000, STATE_SYSTEM_PROTECTED = 0x20000000,
               STATE_SYSTEM_HASPOPUP = 0x40000000;

constexpr LONG SELFLAG_NONE = 0, SELFLAG_TAKEFOCUS = 0x1, SELFLAG_TAKESELECTION = 0x2, SELFLAG_EXTENDSELECTION = 0x4,
               SELFLAG_ADDSELECTION = 0x8, SELFLAG_REMOVESELECTION = 0x10, SELFLAG_VALID = 0x1F;

constexpr LONG NAVDIR_UP = 1, NAVDIR_DOWN = 2, NAVDIR_LEFT = 3, NAVDIR_RIGHT = 4, NAVDIR_NEXT = 5,
               NAVDIR_PREVIOUS = 6, NAVDIR_FIRSTCHILD = 7, NAVDIR_LASTCHILD = 8;

// The 21 slots follow IDispatch's, in this order. A child is named by a
// VARIANT: VT_I4 with CHILDID_SELF or a simple child's number. Answers that
// name an object are VT_DISPATCH (a counted reference), a simple child VT_I4,
// nothing VT_EMPTY.
struct IAccessible : IDispatch {
  static constexpr GUID IID = MakeGUID("{618736E0-3C3D-11CF-810C-00AA00389B71}");
  virtual HRESULT get_accParent(IDispatch** parent) = 0;
  virtual HRESULT get_accChildCount(LONG* count) = 0;
  virtual HRESULT get_accChild(VARIANT child, IDispatch** object) = 0;
  virtual HRESULT get_accName(VARIANT child, BSTR* name) = 0;
  virtual HRESULT get_accValue(VARIANT child, BSTR* value) = 0;
  virtual HRESULT get_accDescription(VARIANT child, BSTR* description) = 0;
  virtual HRESULT get_accRole(VARIANT child, VARIANT* role) = 0;
  virtual HRESULT get_accState(VARIANT child, VARIANT* state) = 0;
  virtual HRESULT get_accHelp(VARIANT child, BSTR* help) = 0;
  virtual HRESULT get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic) = 0;
  virtual HRESULT get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) = 0;
  virtual HRESULT get_accFocus(VARIANT* child) = 0;
  virtual HRESULT get_accSelection(VARIANT* children) = 0;
  virtual HRESULT get_accDefaultAction(VARIANT child, BSTR* action) = 0;
  virtual HRESULT accSelect(LONG flags, VARIANT child) = 0;
  virtual HRESULT accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) = 0;
  virtual HRESULT accNavigate(LONG direction, VARIANT start, VARIANT* end) = 0;
  virtual HRESULT accHitTest(LONG x, LONG y, VARIANT* child) = 0;
  virtual HRESULT accDoDefaultAction(VARIANT child) = 0;
  virtual HRESULT put_accName(VARIANT child, BSTR name) = 0;
  virtual HRESULT put_accValue(VARIANT child, BSTR value) = 0;

protected:
  ~IAccessible() = default;
};
inline constexpr GUID IID_IAccessible = IAccessible::IID;
inline constexpr GUID IID_IUnknown = IUnknown::IID;
