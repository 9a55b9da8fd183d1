// TApplication: the program's message loop and what belongs to the whole
// program: the main form, the hidden application window, the title,
// exceptions that reach the loop (shown in the default dialog), hints with
// their pause and hide timers, minimising and restoring, hooks of the main
// window, idle and message events, and the calls other threads hand the main
// thread (TThread::Synchronize). Application() answers the one instance.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/base/Method.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/controls/ControlTypes.h"
#include "platform/classes/forms/FormTypes.h"
#include "platform/classes/graphics/Icon.h"

using TIdleEvent = Method<void(TObject* Sender, bool& Done)>;
using TMessageEvent = Method<void(MSG& Msg, bool& Handled)>;
using TExceptionEvent = Method<void(TObject* Sender, Exception* E)>;
using TShowHintEvent = Method<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
// A hook of the main window: true when it handled the message.
using TWindowHook = Method<bool(TMessage& Message)>;
// Asked for help: the command (HELP_CONTEXT, HELP_CONTEXTPOPUP) and its data
// (the help context); answers whether help was given.
using THelpEvent = Method<bool(UINT Command, ULONG_PTR Data)>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Chooses the display and ties threads' Synchronize to this loop.
  void Initialize();
  // Creates a form owned by the application (the first one is the main form).
  template <class T>
  void CreateForm(T*& Reference)
  {
    Reference = nullptr;
    T* form = new T(this);
    Reference = form;
    form->AfterConstruction();
    if (!FMainForm) {
      form->HandleNeeded();
      FMainForm = form;
    }
  }
  // Shows the main form and runs the message loop until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminate; }
  // Handles every message waiting, then returns.
  void ProcessMessages();
  // Handles one message, or is idle (and waits) when there is none.
  void HandleMessage();
  // Inside a catch block: the exception goes to OnException or the default dialog.
  void HandleException(TObject* Sender);
  void ShowException(const std::string& Message);
  // The application's message box: a modal dialog with the flags' buttons
  // (MB_OK, MB_OKCANCEL, MB_YESNO, ...); answers IDOK, IDCANCEL, ...
  int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags = 0);

  HWND Handle();
  // The application's own icon: the program's "MAINICON" icon resource when
  // it has one, else the platform's application icon.
  TIcon* Icon();
  TCustomForm* MainForm() const { return FMainForm; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value);
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }
  bool Active() const { return FActive; }
  void Minimize();
  void Restore();
  void BringToFront();
  void HookMainWindow(TWindowHook Hook);
  void UnhookMainWindow(TWindowHook Hook);
  // Actions: the hooks the action classes call (and the active form's say).
  bool ExecuteAction(TBasicAction* Action);
  bool UpdateAction(TBasicAction* Action);
  bool IsShortCut(TMessage& Message);
  // Help goes to OnHelp: there is no help viewer of the platform's own, so
  // without a handler nothing is shown and the answer is false.
  bool HelpCommand(UINT Command, ULONG_PTR Data);
  bool HelpContext(THelpContext Context);
  std::vector<HWND> DisableTaskWindows(HWND Except);
  void EnableTaskWindows(const std::vector<HWND>& Windows);

  // Hints.
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  bool HintShortCuts() const { return FHintShortCuts; }
  void SetHintShortCuts(bool Value) { FHintShortCuts = Value; }
  THintWindow* HintWindow() const { return FHintWindow.get(); }
  THintWindowClass HintWindowClass() const { return FHintWindowClass; }
  void SetHintWindowClass(THintWindowClass Value) { FHintWindowClass = Value; }
  void ActivateHint(const TPoint& CursorPos);
  void CancelHint();
  void HideHint();
  // Mouse moves over controls start the hint pause.
  void HintMouseMessage(TControl* Control, TMessage& Message);
  // Runs what an idle loop does (mouse enter and leave, hints, OnIdle, actions).
  void Idle(const MSG& Msg);
  TControl* MouseControl() const { return FMouseControl; }

  // Forms and controls going away.
  void ControlDestroyed(TControl* Control);
  void FormDestroyed(TCustomForm* Form);

  TIdleEvent OnIdle;
  TMessageEvent OnMessage;
  TExceptionEvent OnException;
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  TShortCutEvent OnShortCut;
  THelpEvent OnHelp;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

private:
  static LRESULT AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void WndProc(TMessage& Message);
  bool ProcessMessage(MSG& Msg);
  bool IsKeyMsg(MSG& Msg);
  bool IsHintMsg(const MSG& Msg);
  TControl* DoMouseIdle();
  void StartHintTimer(int Value, int Mode);
  void StopHintTimer();
  void HintTimerExpired();
  void WakeMainThread(TObject* Sender);
  void DoActionIdle();

  HWND FHandle = nullptr;
  TCustomForm* FMainForm = nullptr;
  std::string FTitle;
  bool FTerminate = false;
  bool FRunning = false;
  bool FShowMainForm = true;
  bool FActive = true;
  std::vector<TWindowHook> FWindowHooks;
  std::string FHint;
  bool FShowHint = true;
  bool FHintActive = false;
  TColor FHintColor;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  bool FHintShortCuts = true;
  std::unique_ptr<THintWindow> FHintWindow;
  std::unique_ptr<TIcon> FIcon;
  THintWindowClass FHintWindowClass;
  TControl* FHintControl = nullptr;
  TRect FHintCursorRect;
  int FTimerMode = 0;
  bool FTimerRunning = false;
  TControl* FMouseControl = nullptr;
};

// The application object (made on first use).
TApplication* Application();
// The instance when there is one (never makes it).
TApplication* ApplicationIfAny();
