#include "platform/classes/forms/Application.h"

#include <algorithm>

#include "platform/base/Exception.h"
#include "platform/base/FreedMemory.h"
#include "platform/classes/Hints.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/Thread.h"
#include "platform/classes/actions/ActionHooks.h"
#include "platform/classes/actions/BasicAction.h"
#include "platform/classes/controls/DragObject.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Dialogs.h"
#include "platform/classes/forms/HintWindow.h"
#include "platform/classes/forms/MenuPresenter.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/win/win.h"

namespace {

TApplication* TheApplication = nullptr;
constexpr const char* ApplicationClass = "TApplication";

}  // namespace

TApplication* Application()
{
  if (!TheApplication)
    TheApplication = new TApplication(nullptr);
  return TheApplication;
}

TApplication* ApplicationIfAny()
{
  return TheApplication;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
  FHintColor = clInfoBk;
  FHintWindowClass = [](TComponent* owner) -> THintWindow* { return new THintWindow(owner); };
  ApplicationActionHooks().ExecuteAction = Method<bool(TBasicAction*)>(this, &TApplication::ExecuteAction);
  ApplicationActionHooks().UpdateAction = Method<bool(TBasicAction*)>(this, &TApplication::UpdateAction);
  SetWakeMainThread(TNotifyEvent(this, &TApplication::WakeMainThread));
  InstallPopupMenuPresenter();
}

TApplication::~TApplication()
{
  Destroying();
  SetWakeMainThread(TNotifyEvent());
  ApplicationActionHooks() = TActionHooks();
  DestroyComponents();
  FHintWindow.reset();  // while the application it reports to is still whole
  if (FHandle)
    DestroyWindow(FHandle);
  if (TheApplication == this)
    TheApplication = nullptr;
}

void TApplication::Initialize()
{
  // The program chose its display before (platform/startup); without a
  // choice, the window system's default among the back ends it registered.
  if (!CurrentDisplayBackend())
    SelectDisplayBackend("");
  InstallPopupMenuPresenter();
  Handle();
}

TIcon* TApplication::Icon()
{
  if (!FIcon) {
    FIcon = std::make_unique<TIcon>();
    HICON own = LoadIcon(GetModuleHandle(nullptr), "MAINICON");
    // The platform's icon is shared: the application's icon is a copy of it,
    // since an icon frees its handle.
    FIcon->SetHandle(own ? own : CopyIcon(LoadIcon(nullptr, IDI_APPLICATION)));
  }
  return FIcon.get();
}

HWND TApplication::Handle()
{
  if (FHandle)
    return FHandle;
  static bool registered = false;
  if (!registered) {
    WNDCLASS wc;
    wc.lpfnWndProc = &AppWndProc;
    wc.hInstance = HInstance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = ApplicationClass;
    RegisterClass(&wc);
    registered = true;
  }
  FHandle = CreateWindowEx(0, ApplicationClass, FTitle.c_str(),
                           WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                           nullptr, nullptr, HInstance(), nullptr);
  return FHandle;
}

LRESULT TApplication::AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TApplication* app = TheApplication;
  if (!app || app->FHandle != hwnd)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  try {
    app->WndProc(message);
  } catch (...) {
    app->HandleException(app);
  }
  return message.Result;
}

void TApplication::WndProc(TMessage& Message)
{
  for (std::size_t i = FWindowHooks.size(); i-- > 0;)
    if (i < FWindowHooks.size() && FWindowHooks[i](Message))
      return;
  switch (Message.Msg) {
  case WM_TIMER:
    if (Message.WParam == 1)
      HintTimerExpired();
    return;
  case WM_NULL:
    CheckSynchronize();
    return;
  case WM_ACTIVATEAPP:
    FActive = Message.WParam != 0;
    if (!FActive)
      CancelHint();
    if (FActive && OnActivate)
      OnActivate(this);
    else if (!FActive && OnDeactivate)
      OnDeactivate(this);
    break;
  case WM_CLOSE:
    if (FMainForm)
      FMainForm->Close();
    return;
  case WM_SYSCOMMAND:
    if ((Message.WParam & 0xFFF0) == SC_MINIMIZE) {
      Minimize();
      return;
    }
    if ((Message.WParam & 0xFFF0) == SC_RESTORE) {
      Restore();
      return;
    }
    break;
  }
  Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TApplication::WakeMainThread(TObject*)
{
  if (FHandle)
    PostMessage(FHandle, WM_NULL, 0, 0);
}

void TApplication::SetTitle(const std::string& Value)
{
  FTitle = Value;
  if (FHandle)
    SetWindowText(FHandle, Value.c_str());
}

void TApplication::HookMainWindow(TWindowHook Hook)
{
  FWindowHooks.push_back(Hook);
}

void TApplication::UnhookMainWindow(TWindowHook Hook)
{
  auto it = std::find(FWindowHooks.begin(), FWindowHooks.end(), Hook);
  if (it != FWindowHooks.end())
    FWindowHooks.erase(it);
}

// The loop

void TApplication::Run()
{
  FRunning = true;
  try {
    if (FMainForm) {
      if (FShowMainForm) {
        if (FMainForm->WindowState() == wsMinimized)
          Minimize();
        else
          FMainForm->SetVisible(true);
      }
      while (!FTerminate) {
        try {
          HandleMessage();
        } catch (...) {
          HandleException(this);
        }
      }
    }
  } catch (...) {
    FRunning = false;
    throw;
  }
  FRunning = false;
}

void TApplication::Terminate()
{
  FTerminate = true;
  PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& Msg)
{
  if (!PeekMessage(&Msg, nullptr, 0, 0, PM_REMOVE))
    return false;
  if (Msg.message == WM_QUIT) {
    FTerminate = true;
    return true;
  }
  bool handled = false;
  if (OnMessage)
    OnMessage(Msg, handled);
  if (!handled && !IsHintMsg(Msg) && !IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
  }
  return true;
}

void TApplication::ProcessMessages()
{
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage()
{
  MSG msg;
  if (!ProcessMessage(msg))
    Idle(msg);
}

bool TApplication::IsKeyMsg(MSG& Msg)
{
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST)
    return false;
  if (DragKeyMessage(Msg.message, Msg.wParam))
    return true;
  HWND wnd = GetCapture();
  if (!wnd) {
    // The nearest window of this library: it turns the key into CN_ messages.
    wnd = Msg.hwnd;
    while (wnd && !FindControl(wnd))
      wnd = GetParent(wnd);
    if (!wnd)
      wnd = Msg.hwnd;
  } else if (!FindControl(wnd)) {
    return false;
  }
  if (!wnd)
    return false;
  return SendMessage(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

void TApplication::Idle(const MSG&)
{
  TControl* control = DoMouseIdle();
  if (FShowHint && !FMouseControl)
    CancelHint();
  std::string hint;
  for (TControl* c = control; c; c = c->Parent())
    if (!c->Hint().empty()) {
      hint = c->Hint();
      break;
    }
  SetHint(GetLongHint(hint));
  bool done = true;
  try {
    if (OnIdle)
      OnIdle(this, done);
    if (done)
      DoActionIdle();
  } catch (...) {
    HandleException(this);
  }
  if (CheckSynchronize())
    done = false;
  // What closed windows freed goes back to the system while nothing waits.
  ReturnFreedMemory();
  if (done)
    WaitMessage();
}

TControl* TApplication::DoMouseIdle()
{
  TPoint p;
  GetCursorPos(&p);
  TControl* control = FindDragTarget(p, true);
  if (TControl* capture = GetCaptureControl(); capture && capture != control)
    control = nullptr;
  if (FMouseControl != control) {
    TControl* old = FMouseControl;
    FMouseControl = control;
    if (old)
      old->Perform(CM_MOUSELEAVE, 0, 0);
    if (FMouseControl)
      FMouseControl->Perform(CM_MOUSEENTER, 0, 0);
  }
  return control;
}

void TApplication::DoActionIdle()
{
  for (int i = 0; i < Screen()->CustomFormCount(); ++i) {
    TCustomForm* form = Screen()->CustomForms(i);
    if (form->HandleAllocated() && IsWindowVisible(form->Handle()) && IsWindowEnabled(form->Handle()))
      form->UpdateActions();
  }
}

void TApplication::SetHint(const std::string& Value)
{
  if (FHint == Value)
    return;
  FHint = Value;
  if (OnHint)
    OnHint(this);
}

// Exceptions and message boxes

void TApplication::HandleException(TObject* Sender)
{
  if (HWND capture = GetCapture())
    SendMessage(capture, WM_CANCELMODE, 0, 0);
  std::exception_ptr current = std::current_exception();
  if (!current)
    return;
  try {
    std::rethrow_exception(current);
  } catch (EAbort&) {
  } catch (Exception& e) {
    if (OnException)
      OnException(Sender, &e);
    else
      ShowException(e.Message());
  } catch (std::exception& e) {
    Exception wrapped(e.what());
    if (OnException)
      OnException(Sender, &wrapped);
    else
      ShowException(wrapped.Message());
  } catch (...) {
    ShowException("Exception inconnue");
  }
}

void TApplication::ShowException(const std::string& Message)
{
  std::string text = Message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
    text += '.';
  MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags)
{
  return MessageBoxDialog(Text, Caption, Flags);
}

// Minimising, restoring and other windows

void TApplication::Minimize()
{
  if (FMainForm && FMainForm->HandleAllocated() && !IsIconic(FMainForm->Handle())) {
    ShowWindow(FMainForm->Handle(), SW_MINIMIZE);
    if (OnMinimize)
      OnMinimize(this);
  }
}

void TApplication::Restore()
{
  if (FMainForm && FMainForm->HandleAllocated() && IsIconic(FMainForm->Handle())) {
    ShowWindow(FMainForm->Handle(), SW_RESTORE);
    if (OnRestore)
      OnRestore(this);
  }
}

void TApplication::BringToFront()
{
  if (FMainForm && FMainForm->HandleAllocated())
    SetForegroundWindow(FMainForm->Handle());
}

namespace {

struct TTaskWindows {
  HWND Except;
  std::vector<HWND>* Disabled;
};

BOOL DisableOne(HWND hwnd, LPARAM param)
{
  auto* state = reinterpret_cast<TTaskWindows*>(param);
  if (hwnd != state->Except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    state->Disabled->push_back(hwnd);
    EnableWindow(hwnd, FALSE);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> TApplication::DisableTaskWindows(HWND Except)
{
  std::vector<HWND> disabled;
  TTaskWindows state{Except, &disabled};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOne, LPARAM(&state));
  return disabled;
}

void TApplication::EnableTaskWindows(const std::vector<HWND>& Windows)
{
  for (HWND hwnd : Windows)
    if (IsWindow(hwnd))
      EnableWindow(hwnd, TRUE);
}

// Actions and shortcuts

bool TApplication::ExecuteAction(TBasicAction* Action)
{
  TCustomForm* form = Screen()->ActiveCustomForm();
  if (form && form->Perform(CM_ACTIONEXECUTE, 0, LPARAM(Action)) != 0)
    return true;
  return false;
}

bool TApplication::UpdateAction(TBasicAction* Action)
{
  TCustomForm* form = Screen()->ActiveCustomForm();
  if (form && form->Perform(CM_ACTIONUPDATE, 0, LPARAM(Action)) != 0)
    return true;
  return false;
}

bool TApplication::IsShortCut(TMessage& Message)
{
  bool handled = false;
  if (OnShortCut)
    OnShortCut(MessageAs<TWMKey>(Message), handled);
  return handled;
}

bool TApplication::HelpCommand(UINT Command, ULONG_PTR Data)
{
  return OnHelp && OnHelp(Command, Data);
}

bool TApplication::HelpContext(THelpContext Context) { return HelpCommand(HELP_CONTEXT, ULONG_PTR(Context)); }

// Going away

void TApplication::ControlDestroyed(TControl* Control)
{
  if (FMainForm && static_cast<TControl*>(FMainForm) == Control)
    FMainForm = nullptr;
  if (FMouseControl == Control)
    FMouseControl = nullptr;
  if (FHintControl == Control) {
    FHintControl = nullptr;
    FHintActive = false;
    StopHintTimer();
    HideHint();
  }
}

void TApplication::FormDestroyed(TCustomForm* Form)
{
  ControlDestroyed(Form);
}
