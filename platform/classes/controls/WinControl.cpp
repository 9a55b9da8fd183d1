#include "platform/classes/controls/WinControl.h"

#include <algorithm>

#include "platform/classes/ClassesConsts.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/controls/ControlConsts.h"
#include "platform/win/win.h"

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
  FBrush = std::make_unique<TBrush>();
  FBrush->SetColor(FColor);
}

TWinControl::~TWinControl()
{
  Destroying();
  if (FParent)
    RemoveFocus(true);
  if (FHandle)
    DestroyWindowHandle();
  // The children go with their parent (those owned elsewhere too).
  while (ControlCount() > 0) {
    TControl* child = Controls(ControlCount() - 1);
    Remove(child);
    child->FParent = nullptr;
    delete child;
  }
  SetParent(nullptr);
}

// Children

TControl* TWinControl::Controls(int Index) const
{
  int graphic = int(FControls.size());
  if (Index < 0 || Index >= ControlCount())
    throw EListError(Format(SListIndexError, Index));
  return Index < graphic ? FControls[std::size_t(Index)] : FWinControls[std::size_t(Index - graphic)];
}

void TWinControl::Insert(TControl* AControl)
{
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    FWinControls.push_back(win);
    FTabList.push_back(win);
  } else {
    FControls.push_back(AControl);
  }
  AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl)
{
  // By pointer only: a control being destroyed is no longer its derived class.
  auto drop = [AControl](auto& list) {
    auto it = std::find(list.begin(), list.end(), AControl);
    if (it != list.end())
      list.erase(it);
  };
  drop(FControls);
  drop(FWinControls);
  drop(FTabList);
  AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl)
{
  // A container that takes only some kinds of children refuses the others
  // before anything changes.
  AControl->ValidateContainer(this);
  Perform(CM_CONTROLLISTCHANGING, WPARAM(AControl), 1);
  Insert(AControl);
  Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 1);
  if (!AControl->ComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
      win->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
      win->UpdateControlState();
    } else if (FHandle) {
      AControl->Invalidate();
    }
    AlignControl(AControl);
  }
  Perform(CM_CONTROLCHANGE, WPARAM(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl)
{
  Perform(CM_CONTROLCHANGE, WPARAM(AControl), 0);
  bool windowed = std::find(FWinControls.begin(), FWinControls.end(), AControl) != FWinControls.end();
  if (windowed) {
    auto* win = static_cast<TWinControl*>(AControl);
    win->RemoveFocus(true);
    win->DestroyHandle();
  } else if (FHandle) {
    AControl->InvalidateControl(AControl->Visible(), false);
  }
  Remove(AControl);
  Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 0);
  Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const
{
  while (Control && Control != this)
    Control = Control->Parent();
  return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls)
{
  auto hits = [&](TControl* control) {
    TPoint p(Pos.x - control->Left(), Pos.y - control->Top());
    TRect client = control->ClientRect();
    return PtInRect(client, p) && control->Visible() && (control->Enabled() || AllowDisabled) &&
           control->Perform(CM_HITTEST, 0, MAKELPARAM(WORD(p.x), WORD(p.y))) != 0;
  };
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hits(*it))
        return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hits(*it))
      return *it;
  return nullptr;
}

TControl* TWinControl::FindChildControl(const std::string& ControlName) const
{
  for (int i = 0; i < ControlCount(); ++i)
    if (CompareText(Controls(i)->Name(), ControlName) == 0)
      return Controls(i);
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (child->FWindowProc)
      child->FWindowProc(Message);
    else
      child->WndProc(Message);
    if (Message.Result != 0)
      return;
  }
}

void TWinControl::NotifyControls(UINT Msg)
{
  TMessage message;
  message.Msg = Msg;
  Broadcast(message);
}

void TWinControl::MoveGraphicControl(TControl* Control, bool TopMost)
{
  auto it = std::find(FControls.begin(), FControls.end(), Control);
  if (it == FControls.end())
    return;
  FControls.erase(it);
  if (TopMost)
    FControls.push_back(Control);
  else
    FControls.insert(FControls.begin(), Control);
}

void TWinControl::SetZOrder(bool TopMost)
{
  if (FParent) {
    auto& list = FParent->FWinControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it != list.end()) {
      list.erase(it);
      if (TopMost)
        list.push_back(this);
      else
        list.insert(list.begin(), this);
    }
  }
  // A window of its own brought to the top is brought to the front: the
  // window system activates it (on a desktop, through the window manager).
  // Child windows and a window sent to the back are only restacked.
  const UINT activation = TopMost && !FParent && !ParentWindow() ? 0 : SWP_NOACTIVATE;
  if (FHandle)
    SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | activation);
}

void TWinControl::GetChildren(TGetChildProc Proc, TComponent* Root)
{
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (child->Owner() == Root)
      Proc(child);
  }
}

void TWinControl::SetChildOrder(TComponent* Child, int Order)
{
  auto* control = dynamic_cast<TWinControl*>(Child);
  if (!control)
    return;
  auto it = std::find(FTabList.begin(), FTabList.end(), control);
  if (it == FTabList.end())
    return;
  control->SetTabOrder(Order);
}

void TWinControl::Notification(TComponent* AComponent, TOperation Operation)
{
  TControl::Notification(AComponent, Operation);
}

// Bounds

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (!CheckNewSize(AWidth, AHeight))
    return;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  if (FHandle && !IsIconic(FHandle)) {
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::UpdateBounds()
{
  TRect r;
  GetWindowRect(FHandle, &r);
  if (GetWindowLongPtr(FHandle, GWL_STYLE) & WS_CHILD) {
    if (HWND parent = GetParent(FHandle)) {
      TPoint corners[2] = {TPoint(r.Left, r.Top), TPoint(r.Right, r.Bottom)};
      ::ScreenToClient(parent, &corners[0]);
      ::ScreenToClient(parent, &corners[1]);
      r = TRect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    }
  }
  bool changed = r.Left != FLeft || r.Top != FTop || r.Width() != FWidth || r.Height() != FHeight;
  FLeft = r.Left;
  FTop = r.Top;
  FWidth = r.Width();
  FHeight = r.Height();
  if (changed) {
    UpdateAnchorRules();
    RequestAlign();
  }
}

TRect TWinControl::ClientRect()
{
  TRect r;
  ::GetClientRect(Handle(), &r);
  return r;
}

TPoint TWinControl::ClientOrigin()
{
  TPoint p(0, 0);
  ::ClientToScreen(Handle(), &p);
  return p;
}

void TWinControl::WMSize(TMessage& Message)
{
  UpdateBounds();
  DefaultHandler(Message);
  Realign();
  if (!ComponentState().Contains(csLoading))
    Resize();
}

void TWinControl::WMMove(TMessage& Message)
{
  DefaultHandler(Message);
  UpdateBounds();
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
  if (!FControlState.Contains(csDestroyingHandle) && FHandle)
    UpdateBounds();
  DefaultHandler(Message);
}

void TWinControl::SetBorderWidth(int Value)
{
  if (FBorderWidth == Value)
    return;
  FBorderWidth = Value < 0 ? 0 : Value;
  FrameChanged();
}

void TWinControl::SetCtl3D(bool Value)
{
  if (FCtl3D == Value)
    return;
  FCtl3D = Value;
  FParentCtl3D = false;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

// Component messages

void TWinControl::CMEnabledChanged(TMessage&)
{
  if (!FEnabled && FParent)
    RemoveFocus(false);
  if (FHandle)
    EnableWindow(FHandle, FEnabled);
}

void TWinControl::CMVisibleChanged(TMessage&)
{
  if (!FVisible && FParent)
    RemoveFocus(false);
  UpdateControlState();
}

void TWinControl::CMFontChanged(TMessage& Message)
{
  TControl::CMFontChanged(Message);
  if (FHandle)
    Perform(WM_SETFONT, WPARAM(FFont->Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message)
{
  TControl::CMColorChanged(Message);
  FBrush->SetColor(FColor);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&)
{
  NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMInvalidate(TMessage& Message)
{
  if (FHandle) {
    if (FParent)
      FParent->Perform(CM_INVALIDATE, 1, 0);
    if (Message.WParam == 0)
      InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
  }
}

void TWinControl::WMSysColorChange(TMessage& Message)
{
  NotifyControls(CM_SYSCOLORCHANGE);
  DefaultHandler(Message);
}

// Notifications of children, reflected to them as CN_ messages.

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message)
{
  TControl* control = FindControl(ControlHandle);
  if (!control)
    return false;
  Message.Result = control->Perform(Message.Msg + CN_BASE, Message.WParam, Message.LParam);
  return true;
}

void TWinControl::WMCommand(TMessage& Message)
{
  if (!DoControlMsg(HWND(Message.LParam), Message))
    DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message)
{
  struct NotifyHead {
    HWND hwndFrom;
  };
  auto* head = reinterpret_cast<NotifyHead*>(Message.LParam);
  if (!head || !DoControlMsg(head->hwndFrom, Message))
    DefaultHandler(Message);
}

void TWinControl::WMDrawItem(TMessage& Message)
{
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (!item || item->CtlType == ODT_MENU || !DoControlMsg(item->hwndItem, Message))
    DefaultHandler(Message);
}

namespace {

// The child with the control id, or the one whose window is being made
// (a list box measures its items before CreateWindowEx returns).
HWND ChildByID(TWinControl* parent, UINT id)
{
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (child && child->HandleAllocated() && UINT(GetWindowLongPtr(child->Handle(), GWL_ID)) == id)
      return child->Handle();
  }
  return nullptr;
}

}  // namespace

void TWinControl::WMMeasureItem(TMessage& Message)
{
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  HWND child = item && item->CtlType != ODT_MENU ? ChildByID(this, item->CtlID) : nullptr;
  if (!child && item && item->CtlType != ODT_MENU) {
    // During creation the id is not set yet: the newest child window is the one.
    for (TWinControl* c : FWinControls)
      if (c->HandleAllocated() && GetWindowLongPtr(c->FHandle, GWL_ID) == 0)
        child = c->FHandle;
  }
  if (!child || !DoControlMsg(child, Message))
    DefaultHandler(Message);
}

void TWinControl::WMDeleteItem(TMessage& Message)
{
  auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam);
  if (!item || !DoControlMsg(item->hwndItem, Message))
    DefaultHandler(Message);
}

void TWinControl::WMCompareItem(TMessage& Message)
{
  auto* item = reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam);
  if (!item || !DoControlMsg(item->hwndItem, Message))
    DefaultHandler(Message);
}

void TWinControl::WMScroll(TMessage& Message)
{
  if (!Message.LParam || !DoControlMsg(HWND(Message.LParam), Message))
    DefaultHandler(Message);
}

void TWinControl::WMSetCursor(TMessage& Message)
{
  auto& set = MessageAs<TWMSetCursor>(Message);
  if (set.CursorWnd == FHandle && set.HitTest == HTCLIENT) {
    TCursor cursor = Screen() ? Screen()->Cursor() : crDefault;
    if (cursor == crDefault) {
      TPoint p;
      GetCursorPos(&p);
      if (TControl* control = ControlAtPos(ScreenToClient(p), false))
        cursor = control->Cursor();
      if (cursor == crDefault)
        cursor = Cursor();
    }
    if (cursor != crDefault && Screen()) {
      ::SetCursor(Screen()->Cursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMContextMenu(TMessage& Message)
{
  if (Message.Result != 0)
    return;
  auto& menu = MessageAs<TWMContextMenu>(Message);
  if (!(menu.XPos == -1 && menu.YPos == -1) && FHandle) {
    TPoint p = ScreenToClient(TPoint(menu.XPos, menu.YPos));
    if (TControl* control = ControlAtPos(p, false)) {
      Message.Result = control->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
      if (Message.Result != 0)
        return;
    }
  }
  TControl::WMContextMenu(Message);
}
