// The window of a TWinControl: its class, creation and re-creation, and the
// procedure that hands its messages to the control.
#include <cstring>

#include "platform/base/Format.h"
#include "platform/base/LastError.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/controls/ControlCanvas.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

namespace {

// The control whose window CreateWindowEx is making: its first message ties
// the window to it.
thread_local TWinControl* CreationControl = nullptr;
constexpr const char* ControlProp = "CorvaneControl";

LRESULT StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* control = static_cast<TWinControl*>(GetProp(hwnd, ControlProp));
  if (!control)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  control->MainWndProc(message);
  return message.Result;
}

}  // namespace

LRESULT ControlInitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TWinControl* control = CreationControl;
  if (!control)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  CreationControl = nullptr;
  control->FHandle = hwnd;
  SetProp(hwnd, ControlProp, control);
  SetWindowLongPtr(hwnd, GWLP_WNDPROC, LONG_PTR(&StdWndProc));
  return StdWndProc(hwnd, msg, wParam, lParam);
}

TControl* FindControl(HWND Handle)
{
  if (!Handle || !IsWindow(Handle))
    return nullptr;
  return static_cast<TWinControl*>(GetProp(Handle, ControlProp));
}

void TWinControl::MainWndProc(TMessage& Message)
{
  // A handler run by the message may free the control: after it, only the
  // token is looked at.
  TAliveToken alive = AliveToken();
  try {
    if (FWindowProc)
      FWindowProc(Message);
    else
      WndProc(Message);
  } catch (...) {
    FreeDeviceContexts();
    if (Application())
      Application()->HandleException(*alive ? this : nullptr);
    return;
  }
  FreeDeviceContexts();
}

void TWinControl::CreateParams(TCreateParams& Params)
{
  Params = TCreateParams();
  Params.Caption = FText.c_str();
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!FEnabled)
    Params.Style |= WS_DISABLED;
  if (FTabStop)
    Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->Handle() : FParentWindow;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = &DefWindowProc;
  Params.WindowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  Params.WindowClass.hbrBackground = nullptr;
  Params.WindowClass.hInstance = HInstance();
  std::string name = ClassName();
  std::strncpy(Params.WinClassName, name.c_str(), sizeof(Params.WinClassName) - 1);
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName)
{
  if (!ControlClassName)
    return;
  HINSTANCE saved = Params.WindowClass.hInstance;
  WNDCLASS wc;
  if (!GetClassInfo(nullptr, ControlClassName, &wc) && !GetClassInfo(saved, ControlClassName, &wc))
    throw EInvalidOperation(SWindowClass);
  Params.WindowClass = wc;
  Params.WindowClass.hInstance = saved;
  constexpr UINT off = CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS;
  Params.WindowClass.style = (Params.WindowClass.style & ~off) | CS_VREDRAW | CS_HREDRAW;
}

void TWinControl::CreateWnd()
{
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD)) {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (owner && owner->ComponentState().Contains(csReading))
      params.WndParent = owner->Handle();
    else
      throw EInvalidOperation(Format(SParentRequired, Name()));
  }
  FDefWndProc = params.WindowClass.lpfnWndProc;
  WNDCLASS registered;
  bool classRegistered = GetClassInfo(params.WindowClass.hInstance, params.WinClassName, &registered);
  if (!classRegistered || registered.lpfnWndProc != &ControlInitWndProc) {
    if (classRegistered)
      UnregisterClass(params.WinClassName, params.WindowClass.hInstance);
    WNDCLASS wc = params.WindowClass;
    wc.lpfnWndProc = &ControlInitWndProc;
    wc.lpszClassName = params.WinClassName;
    if (!RegisterClass(&wc))
      throw EInvalidOperation(SWindowClass);
  }
  CreationControl = this;
  {
    ScopeExit creating([&] { CreationControl = nullptr; });
    CreateWindowHandle(params);
  }
  if (!FHandle)
    throw EInvalidOperation(SWindowCreate);
  if ((GetWindowLongPtr(FHandle, GWL_STYLE) & WS_CHILD) && GetWindowLongPtr(FHandle, GWL_ID) == 0)
    SetWindowLongPtr(FHandle, GWL_ID, LONG_PTR(std::uintptr_t(FHandle) & 0x7FFFFFFF));
  FText.clear();
  UpdateBounds();
  Perform(WM_SETFONT, WPARAM(FFont->Handle()), 1);
  if (FAutoSize)
    AdjustSize();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
  HWND made = CreateWindowEx(Params.ExStyle, Params.WinClassName, Params.Caption ? Params.Caption : "",
                             Params.Style, Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent,
                             nullptr, Params.WindowClass.hInstance, Params.Param);
  if (made)
    FHandle = made;
}

void TWinControl::CreateHandle()
{
  if (FHandle)
    return;
  CreateWnd();
  if (FParent) {
    // Keep the window's place among its siblings' windows.
    HWND after = HWND_TOP;
    const auto& siblings = FParent->FWinControls;
    for (std::size_t i = 0; i < siblings.size(); ++i) {
      if (siblings[i] != this)
        continue;
      for (std::size_t j = i + 1; j < siblings.size(); ++j) {
        if (siblings[j]->HandleAllocated()) {
          after = siblings[j]->FHandle;
          break;
        }
      }
      break;
    }
    SetWindowPos(FHandle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  for (int i = 0; i < ControlCount(); ++i)
    Controls(i)->UpdateAnchorRules();
  Realign();
}

HWND TWinControl::Handle()
{
  if (!FHandle) {
    if (FParent)
      FParent->HandleNeeded();
    CreateHandle();
  }
  return FHandle;
}

void TWinControl::SetParentWindow(HWND Value)
{
  if (FParent || FParentWindow == Value)
    return;
  if (FHandle && FParentWindow && Value) {
    FParentWindow = Value;
    ::SetParent(FHandle, Value);
  } else {
    DestroyHandle();
    FParentWindow = Value;
  }
  UpdateControlState();
}

void TWinControl::DestroyWnd()
{
  FText = Text();
  FreeDeviceContexts();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
  FControlState.Include(csDestroyingHandle);
  HWND doomed = FHandle;
  DestroyWindow(doomed);
  FControlState.Exclude(csDestroyingHandle);
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::DestroyHandle()
{
  if (!FHandle)
    return;
  for (TWinControl* child : FWinControls)
    child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd()
{
  if (FHandle)
    Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&)
{
  bool wasFocused = Focused();
  DestroyHandle();
  UpdateControlState();
  if (wasFocused && FHandle)
    ::SetFocus(FHandle);
}

void TWinControl::WMNCDestroy(TMessage& Message)
{
  DefaultHandler(Message);
  if (FHandle)
    RemoveProp(FHandle, ControlProp);
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::UpdateShowing()
{
  bool show = FVisible;
  if (show) {
    if (!FHandle)
      CreateHandle();
    for (std::size_t i = 0; i < FWinControls.size(); ++i)
      FWinControls[i]->UpdateShowing();
  }
  if (!show) {
    // What lies inside a hidden control is not showing either (its windows
    // hide with this one's).
    struct THide {
      static void Children(TWinControl* control)
      {
        for (TWinControl* child : control->FWinControls) {
          child->FShowing = false;
          Children(child);
        }
      }
    };
    THide::Children(this);
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    OnFailure showing([&] { FShowing = !show; });
    Perform(CM_SHOWINGCHANGED, 0, 0);
  }
}

void TWinControl::UpdateControlState()
{
  TWinControl* control = this;
  while (control->FParent) {
    control = control->FParent;
    if (!control->Showing())
      return;
  }
  if (control->FParentWindow || dynamic_cast<TCustomForm*>(control))
    UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&)
{
  constexpr UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

HDC TWinControl::GetDeviceContext(HWND& WindowHandle)
{
  WindowHandle = Handle();
  return GetDC(WindowHandle);
}

void TWinControl::DefaultHandler(TMessage& Message)
{
  if (!FHandle) {
    TControl::DefaultHandler(Message);
    return;
  }
  UINT msg = Message.Msg;
  if (msg == WM_CONTEXTMENU && FParent) {
    Message.Result = FParent->Perform(msg, Message.WParam, Message.LParam);
    if (Message.Result != 0)
      return;
  }
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
    Message.Result = SendMessage(HWND(Message.LParam), CN_BASE + msg, Message.WParam, Message.LParam);
    return;
  }
  if (msg >= CN_CTLCOLORMSGBOX && msg <= CN_CTLCOLORSTATIC) {
    HDC dc = HDC(Message.WParam);
    SetTextColor(dc, ColorToRGB(FFont->Color()));
    SetBkColor(dc, ColorToRGB(FBrush->Color()));
    Message.Result = LRESULT(FBrush->Handle());
    return;
  }
  Message.Result = CallWindowProc(FDefWndProc ? FDefWndProc : &DefWindowProc, FHandle, msg, Message.WParam,
                                  Message.LParam);
}
