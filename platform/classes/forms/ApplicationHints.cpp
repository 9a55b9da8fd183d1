// The application's hints: a pause after the mouse comes to rest on a
// control that shows hints, the hint window, and its hide timeout.
#include "platform/classes/Hints.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/HintWindow.h"
#include "platform/classes/forms/Screen.h"
#include "platform/win/win.h"

namespace {

constexpr int HintTimerId = 1;
constexpr int ShowTimer = 1;
constexpr int HideTimer = 2;

// The control whose hint shows: the first one up the parents that shows hints.
TControl* GetHintControl(TControl* Control)
{
  while (Control && !Control->ShowHint())
    Control = Control->Parent();
  return Control;
}

// The text the hint window shows: the control's own hint, else its parents'.
std::string GetHint(TControl* Control)
{
  for (; Control; Control = Control->Parent())
    if (!Control->Hint().empty())
      return Control->Hint();
  return {};
}

}  // namespace

void TApplication::SetShowHint(bool Value)
{
  if (FShowHint == Value)
    return;
  FShowHint = Value;
  if (!Value) {
    CancelHint();
    FHintWindow.reset();
  }
}

void TApplication::StartHintTimer(int Value, int Mode)
{
  StopHintTimer();
  FTimerMode = Mode;
  if (SetTimer(Handle(), HintTimerId, UINT(Value < 1 ? 1 : Value), nullptr))
    FTimerRunning = true;
  else
    HintTimerExpired();
}

void TApplication::StopHintTimer()
{
  if (FTimerRunning) {
    KillTimer(FHandle, HintTimerId);
    FTimerRunning = false;
  }
}

void TApplication::HintTimerExpired()
{
  StopHintTimer();
  if (FTimerMode == ShowTimer) {
    TPoint p;
    GetCursorPos(&p);
    ActivateHint(p);
  } else {
    CancelHint();
  }
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message)
{
  if (!FShowHint)
    return;
  auto& mouse = MessageAs<TWMMouse>(Message);
  TPoint screenPos = Control->ClientToScreen(mouse.Pos());
  TControl* hintControl = GetHintControl(FindDragTarget(screenPos, true));
  if (!hintControl || !hintControl->ShowHint()) {
    CancelHint();
    return;
  }
  if (hintControl != FHintControl || !PtInRect(FHintCursorRect, screenPos)) {
    bool wasActive = FHintActive;
    int pause = wasActive ? FHintShortPause : FHintPause;
    hintControl->Perform(CM_HINTSHOWPAUSE, wasActive, LPARAM(&pause));
    CancelHint();
    FHintActive = wasActive;
    FHintControl = hintControl;
    StartHintTimer(pause, ShowTimer);
  }
}

void TApplication::ActivateHint(const TPoint& CursorPos)
{
  StopHintTimer();
  if (!FHintControl || !FShowHint)
    return;
  TControl* control = FHintControl;
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = FHintWindowClass;
  info.HintPos = TPoint(CursorPos.x, CursorPos.y + 20);  // below the arrow cursor
  info.HintMaxWidth = Screen()->Width();
  info.HintColor = FHintColor;
  info.CursorRect = control->ClientRect();
  info.CursorPos = control->ScreenToClient(CursorPos);
  info.HintStr = GetShortHint(GetHint(control));
  info.ReshowTimeout = 0;
  info.HideTimeout = FHintHidePause;
  bool canShow = control->Perform(CM_HINTSHOW, 0, LPARAM(&info)) == 0;
  if (canShow && OnShowHint)
    OnShowHint(info.HintStr, canShow, info);
  // A handler may have freed the control.
  if (FHintControl != control)
    return;
  FHintActive = canShow;
  if (canShow && !info.HintStr.empty()) {
    if (!FHintWindow || (info.HintWindowClass && info.HintWindowClass != FHintWindowClass)) {
      FHintWindow.reset();  // the old window goes before the new one is made
      FHintWindow.reset((info.HintWindowClass ? info.HintWindowClass : FHintWindowClass)(nullptr));
    }
    TRect rect = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(&rect, info.HintPos.x, info.HintPos.y);
    FHintWindow->SetColor(info.HintColor);
    FHintWindow->ActivateHintData(rect, info.HintStr, info.HintData);
    TPoint topLeft = control->ClientToScreen(TPoint(info.CursorRect.Left, info.CursorRect.Top));
    TPoint bottomRight = control->ClientToScreen(TPoint(info.CursorRect.Right, info.CursorRect.Bottom));
    FHintCursorRect = TRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    if (info.ReshowTimeout > 0)
      StartHintTimer(info.ReshowTimeout, ShowTimer);
    else if (info.HideTimeout > 0)
      StartHintTimer(info.HideTimeout, HideTimer);
    return;
  }
  if (info.ReshowTimeout > 0)
    StartHintTimer(info.ReshowTimeout, ShowTimer);
  else
    HideHint();
}

void TApplication::HideHint()
{
  if (FHintWindow && FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->Handle()))
    ShowWindow(FHintWindow->Handle(), SW_HIDE);
}

void TApplication::CancelHint()
{
  if (!FHintControl)
    return;
  HideHint();
  FHintControl = nullptr;
  FHintActive = false;
  StopHintTimer();
}

bool TApplication::IsHintMsg(const MSG& Msg)
{
  if (FHintWindow && FHintWindow->IsHintMsg(Msg))
    CancelHint();
  return false;
}
