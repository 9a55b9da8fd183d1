#include "platform/classes/forms/CustomForm.h"

#include <algorithm>
#include <functional>

#include "platform/classes/ClassesConsts.h"
#include "platform/classes/actions/BasicAction.h"
#include "platform/classes/actions/CustomActionList.h"
#include "platform/classes/controls/DragObject.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/menus/MainMenu.h"
#include "platform/classes/menus/MenuItem.h"
#include "platform/win/controls/ControlConsts.h"
#include "platform/win/win.h"

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner)
{
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFormState.Include(fsCreating);
  FVisible = false;
  FLeft = 0;
  FTop = 0;
  FWidth = 320;
  FHeight = 240;
  FParentColor = false;
  FParentFont = false;
  SetColor(clBtnFace);
  FCanvas = new TControlCanvas();
  FCanvas->SetControl(this);
  Screen()->AddForm(this);
}

TCustomForm::~TCustomForm()
{
  Destroying();
  if (Screen())
    Screen()->RemoveForm(this);
  if (TApplication* app = ApplicationIfAny())
    app->FormDestroyed(this);
  if (FHandle)
    DestroyHandle();
  delete FCanvas;
  FCanvas = nullptr;
}

void TCustomForm::AfterConstruction()
{
  FFormState.Exclude(fsCreating);
  DoCreate();
}

void TCustomForm::BeforeDestruction()
{
  if (!ComponentState().Contains(csDestroying)) {
    Destroying();
    if (FHandle && FVisible && FShowing)
      Hide();
  }
  if (!FDestroyRan) {
    FDestroyRan = true;
    DoDestroy();
  }
}

void TCustomForm::Free()
{
  BeforeDestruction();
  delete this;
}

void TCustomForm::DoCreate()
{
  if (OnCreate)
    OnCreate(this);
}

void TCustomForm::DoDestroy()
{
  if (OnDestroy)
    OnDestroy(this);
}

void TCustomForm::DoShow()
{
  if (OnShow)
    OnShow(this);
}

void TCustomForm::DoHide()
{
  if (OnHide)
    OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
  if (OnClose)
    OnClose(this, Action);
}

void TCustomForm::Activate()
{
  if (OnActivate)
    OnActivate(this);
}

void TCustomForm::Deactivate()
{
  if (OnDeactivate)
    OnDeactivate(this);
}

// Window

void TCustomForm::CreateParams(TCreateParams& Params)
{
  TWinControl::CreateParams(Params);
  if (!FParent && !ParentWindow()) {
    Params.WndParent = Application() ? Application()->Handle() : nullptr;
    Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
  }
  Params.WindowClass.style = CS_DBLCLKS;
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) {
    Params.X = CW_USEDEFAULT;
    Params.Y = CW_USEDEFAULT;
  }
  TBorderIcons icons = FBorderIcons;
  TFormBorderStyle style = FBorderStyle;
  switch (style) {
  case bsNone:
    if (!FParent && !ParentWindow())
      Params.Style |= WS_POPUP;
    icons = {};
    break;
  case bsSingle:
  case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
  case bsSizeable:
  case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
  case bsDialog:
    Params.Style |= WS_POPUP | WS_CAPTION;
    Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    icons = icons * TBorderIcons{biSystemMenu, biHelp};
    Params.WindowClass.style |= CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
    break;
  }
  if (style == bsToolWindow || style == bsSizeToolWin) {
    Params.ExStyle = WS_EX_TOOLWINDOW;
    icons = icons * TBorderIcons{biSystemMenu};
  }
  if (style == bsSingle || style == bsSizeable || style == bsNone) {
    if (icons.Contains(biMinimize))
      Params.Style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize))
      Params.Style |= WS_MAXIMIZEBOX;
    if (FWindowState == wsMinimized)
      Params.Style |= WS_MINIMIZE;
    else if (FWindowState == wsMaximized)
      Params.Style |= WS_MAXIMIZE;
  } else {
    FWindowState = wsNormal;
  }
  if (icons.Contains(biSystemMenu))
    Params.Style |= WS_SYSMENU;
  if (icons.Contains(biHelp) && (style == bsDialog || !icons.Contains(biMinimize) || !icons.Contains(biMaximize)))
    Params.ExStyle |= WS_EX_CONTEXTHELP;
  if (FFormStyle == fsStayOnTop)
    Params.ExStyle |= WS_EX_TOPMOST;
}

void TCustomForm::CreateWnd()
{
  TWinControl::CreateWnd();
  if (FFormStyle == fsStayOnTop)
    SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
  if (FBorderIcons == Value)
    return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
  if (FFormStyle == Value)
    return;
  FFormStyle = Value;
  if (FHandle)
    SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const
{
  if (FHandle) {
    if (IsIconic(FHandle))
      return wsMinimized;
    if (IsZoomed(FHandle))
      return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value)
{
  FWindowState = Value;
  if (FHandle && FShowing) {
    static const int commands[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, commands[int(Value)]);
  }
}

void TCustomForm::SetMenu(TMainMenu* Value)
{
  if (FMenu == Value)
    return;
  if (FMenu)
    FMenu->RemoveFreeNotification(this);
  FMenu = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FMenu)
    FMenu = nullptr;
  if (AComponent == static_cast<TComponent*>(FActiveControl))
    FActiveControl = nullptr;
  if (AComponent == static_cast<TComponent*>(FFocusedControl))
    FFocusedControl = nullptr;
}

void TCustomForm::PaintWindow(HDC DC)
{
  TCanvasPaintScope painting(FCanvas, DC);
  Paint();
}

void TCustomForm::Paint()
{
  if (OnPaint)
    OnPaint(this);
}

// Showing and closing

void TCustomForm::Show()
{
  SetVisible(true);
  BringToFront();
}

void TCustomForm::VisibleChanging()
{
  if (FFormState.Contains(fsShowing))
    throw EInvalidOperation(SVisibleChanged);
}

void TCustomForm::CMShowingChanged(TMessage&)
{
  if (FFormState.Contains(fsShowing))
    throw EInvalidOperation(SVisibleChanged);
  FFormState.Include(fsShowing);
  // OnShow and OnHide may free the form: nothing is done with it then.
  TAliveToken alive = AliveToken();
  try {
    if (FShowing) {
      try {
        DoShow();
      } catch (...) {
        if (Application())
          Application()->HandleException(*alive ? this : nullptr);
      }
      if (!*alive)
        return;
      if (FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter ||
          FPosition == poOwnerFormCenter) {
        int x, y;
        TCustomForm* center = nullptr;
        if (FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) {
          center = Application() ? Application()->MainForm() : nullptr;
          if (FPosition == poOwnerFormCenter)
            if (auto* owner = dynamic_cast<TCustomForm*>(Owner()))
              center = owner;
          if (center == this)
            center = nullptr;
        }
        if (center) {
          x = (center->Width() - FWidth) / 2 + center->Left();
          y = (center->Height() - FHeight) / 2 + center->Top();
        } else {
          x = (Screen()->Width() - FWidth) / 2;
          y = (Screen()->Height() - FHeight) / 2;
        }
        SetBounds(std::max(x, 0), std::max(y, 0), FWidth, FHeight);
      }
      FPosition = poDesigned;
      static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED};
      ShowWindow(FHandle, commands[int(FWindowState)]);
      if (FFormState.Contains(fsModal) || !FActive)
        SetActiveWindow(FHandle);
    } else {
      try {
        DoHide();
      } catch (...) {
        if (Application())
          Application()->HandleException(*alive ? this : nullptr);
      }
      if (!*alive)
        return;
      if (FFormState.Contains(fsModal))
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      else
        ShowWindow(FHandle, SW_HIDE);
    }
  } catch (...) {
    if (*alive)
      FFormState.Exclude(fsShowing);
    throw;
  }
  FFormState.Exclude(fsShowing);
}

TModalResult TCustomForm::ShowModal()
{
  CancelDrag();
  if (FVisible || !FEnabled || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
    throw EInvalidOperation(SCannotShowModal);
  if (HWND capture = GetCapture())
    SendMessage(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  FFormState.Include(fsModal);
  HWND activeWindow = GetActiveWindow();
  int saveFocusCount = FFocusCount;
  TCursor saveCursor = Screen()->Cursor();
  Screen()->SetCursor(crDefault);
  // The other windows of the thread take no input while the form is up.
  std::vector<HWND> disabled = Application()->DisableTaskWindows(nullptr);
  TModalResult result = mrNone;
  // A handler may free the form while it is up: the loop then ends as
  // cancelled, putting back only what lives outside the form.
  TAliveToken alive = AliveToken();
  auto freedMeanwhile = [&] {
    Screen()->SetCursor(saveCursor);
    Application()->EnableTaskWindows(disabled);
    if (activeWindow && IsWindow(activeWindow))
      SetActiveWindow(activeWindow);
    return mrCancel;
  };
  try {
    Show();
    if (!*alive)
      return freedMeanwhile();
    try {
      SendMessage(Handle(), CM_ACTIVATE, 0, 0);
      FModalResult = mrNone;
      do {
        Application()->HandleMessage();
        if (!*alive)
          return freedMeanwhile();
        if (Application()->Terminated())
          FModalResult = mrCancel;
        else if (FModalResult != mrNone)
          CloseModal();
        if (!*alive)
          return freedMeanwhile();
      } while (FModalResult == mrNone);
      result = FModalResult;
      SendMessage(Handle(), CM_DEACTIVATE, 0, 0);
      if (GetActiveWindow() != FHandle)
        activeWindow = nullptr;
    } catch (...) {
      if (*alive)
        Hide();
      throw;
    }
    Hide();
  } catch (...) {
    Screen()->SetCursor(saveCursor);
    Application()->EnableTaskWindows(disabled);
    if (*alive) {
      FFocusCount = saveFocusCount;
      FFormState.Exclude(fsModal);
    }
    throw;
  }
  Screen()->SetCursor(saveCursor);
  Application()->EnableTaskWindows(disabled);
  if (activeWindow && IsWindow(activeWindow))
    SetActiveWindow(activeWindow);
  FFocusCount = saveFocusCount;
  FFormState.Exclude(fsModal);
  return result;
}

void TCustomForm::CloseModal()
{
  TAliveToken alive = AliveToken();
  try {
    TCloseAction action = caNone;
    if (CloseQuery() && *alive) {
      action = caHide;
      DoClose(action);
    }
    if (!*alive)
      return;
    switch (action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
    }
  } catch (...) {
    if (*alive)
      FModalResult = mrNone;
    Application()->HandleException(*alive ? this : nullptr);
  }
}

bool TCustomForm::CloseQuery()
{
  bool canClose = true;
  if (OnCloseQuery)
    OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close()
{
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  // The close handlers may free the form (instead of answering caFree).
  TAliveToken alive = AliveToken();
  if (!CloseQuery() || !*alive)
    return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone || !*alive)
    return;
  if (Application() && Application()->MainForm() == this)
    Application()->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::Release()
{
  PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&)
{
  Free();
}

void TCustomForm::WMClose(TMessage&)
{
  Close();
}
