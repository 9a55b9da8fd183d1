// Forms and the application: close actions, modal forms and message
// dialogs answered by the display's idle hook, timers on the virtual clock,
// calls handed over by threads, hooks, and the message loop's start and end.
#include <unistd.h>

#include <atomic>
#include <fstream>

#include "ClassesTestSupport.h"
#include "platform/base/Thread.h"
#include "platform/classes/stdctrls/Button.h"
#include "platform/classes/stdctrls/Edit.h"
#include "platform/classes/stdctrls/Label.h"
#include "platform/classes/stdctrls/Panel.h"

namespace {

class TClosingForm : public TForm {
public:
  explicit TClosingForm(TComponent* AOwner) : TForm(AOwner)
  {
    OnClose = TCloseEvent(this, &TClosingForm::FormClose);
    OnCloseQuery = TCloseQueryEvent(this, &TClosingForm::FormCloseQuery);
    OnDestroy = TNotifyEvent(this, &TClosingForm::FormDestroy);
  }
  void FormClose(TObject*, TCloseAction& Action) { Action = Next; }
  void FormCloseQuery(TObject*, bool& CanClose) { CanClose = MayClose; }
  void FormDestroy(TObject*) { *Destroyed = true; }
  TCloseAction Next = caHide;
  bool MayClose = true;
  bool* Destroyed = nullptr;
};

using ApplicationTest = ClassesFixture;

TEST_F(ApplicationTest, CloseActionsHideFreeMinimiseOrKeepTheForm)
{
  struct TCase {
    TCloseAction Action;
    bool MayClose;
    bool Visible, Freed, Iconic;
  };
  const TCase cases[] = {
      {caHide, true, false, false, false},  {caNone, true, true, false, false},
      {caMinimize, true, true, false, true}, {caFree, true, false, true, false},
      {caFree, false, true, false, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(int(c.Action) * 10 + c.MayClose);
    bool destroyed = false;
    auto* form = TCustomForm::Create<TClosingForm>(Application());
    form->Destroyed = &destroyed;
    form->Next = c.Action;
    form->MayClose = c.MayClose;
    form->Show();
    Pump();
    HWND hwnd = form->Handle();
    int forms = Screen()->CustomFormCount();
    // The window's close button asks the form to close.
    SendMessage(hwnd, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(destroyed, c.Freed);
    EXPECT_EQ(IsWindow(hwnd) != 0, !c.Freed);
    if (c.Freed) {
      EXPECT_EQ(Screen()->CustomFormCount(), forms - 1);
      continue;
    }
    EXPECT_EQ(form->Visible(), c.Visible);
    EXPECT_EQ(IsIconic(hwnd) != 0, c.Iconic);
    form->Free();
    EXPECT_TRUE(destroyed);
  }
}

TEST_F(ApplicationTest, BorderStyleIconsAndFormStyleMakeTheWindowsStyles)
{
  struct TCase {
    TFormBorderStyle Border;
    TBorderIcons Icons;
    TFormStyle Style;
    DWORD WantStyle, NoStyle, WantEx;
  };
  const TBorderIcons all{biSystemMenu, biMinimize, biMaximize};
  const TCase cases[] = {
      {bsSizeable, all, fsNormal, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0},
      {bsSingle, {biSystemMenu, biMinimize}, fsNormal, WS_CAPTION | WS_MINIMIZEBOX, WS_THICKFRAME | WS_MAXIMIZEBOX,
       0},
      {bsDialog, all, fsNormal, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
       WS_EX_DLGMODALFRAME},
      {bsToolWindow, all, fsStayOnTop, WS_CAPTION, WS_MINIMIZEBOX, WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
      {bsNone, all, fsNormal, WS_POPUP, WS_CAPTION | WS_SYSMENU, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(int(c.Border));
    auto* form = TCustomForm::Create<TForm>(Application());
    form->SetBorderStyle(c.Border);
    form->SetBorderIcons(c.Icons);
    form->SetFormStyle(c.Style);
    DWORD style = DWORD(GetWindowLongPtr(form->Handle(), GWL_STYLE));
    DWORD ex = DWORD(GetWindowLongPtr(form->Handle(), GWL_EXSTYLE));
    EXPECT_EQ(style & c.WantStyle, c.WantStyle);
    EXPECT_EQ(style & c.NoStyle, 0u);
    EXPECT_EQ(ex & c.WantEx, c.WantEx);
    form->Free();
  }
}

TEST_F(ApplicationTest, PositionCentresAndKeyPreviewSeesKeysFirst)
{
  auto* form = TCustomForm::Create<TForm>(Application());
  form->SetBounds(0, 0, 300, 200);
  form->SetPosition(poScreenCenter);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  struct TKeys {
    std::string Log;
    void FormKey(TObject*, WORD& key, TShiftState)
    {
      Log += "form;";
      if (key == VK_F5)
        key = 0;  // the form keeps F5
    }
    void EditKey(TObject*, WORD&, TShiftState) { Log += "edit;"; }
  } keys;
  form->SetKeyPreview(true);
  form->OnKeyDown = TKeyEvent(&keys, &TKeys::FormKey);
  edit->OnKeyDown = TKeyEvent(&keys, &TKeys::EditKey);
  form->Show();
  Pump();
  EXPECT_EQ(form->Left(), (1024 - 300) / 2);
  EXPECT_EQ(form->Top(), (768 - 200) / 2);
  EXPECT_EQ(form->Position(), poDesigned) << "centred once";
  Key(VK_F5);
  Key(VK_F6);
  EXPECT_EQ(keys.Log, "form;form;edit;");
  form->Free();
}

TEST_F(ApplicationTest, ShortcutsGoToOnShortCutThenTheMainMenuThenTheActionLists)
{
  auto* form = TCustomForm::Create<TForm>(Application());
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  std::string log;
  struct TLog {
    std::string* Out;
    void Quit(TObject*) { *Out += "menu;"; }
    void Run(TObject*) { *Out += "action;"; }
    void Short(TWMKey& key, bool& handled)
    {
      *Out += "form:" + std::to_string(key.CharCode) + ";";
      handled = key.CharCode == VK_F2;
    }
  } logger{&log};
  auto* menu = new TMainMenu(form);
  auto* quit = new TMenuItem(form);
  quit->SetCaption("&Quitter");
  quit->SetShortCut(TextToShortCut("Ctrl+Q"));
  quit->OnClick = TNotifyEvent(&logger, &TLog::Quit);
  menu->Items()->Add(quit);
  form->SetMenu(menu);
  auto* list = new TActionList(form);
  auto* action = new TAction(form);
  action->SetActionList(list);
  action->SetShortCut(TextToShortCut("Ctrl+Q"));  // the menu comes first
  action->SecondaryShortCuts()->Add("F2");
  action->OnExecute = TNotifyEvent(&logger, &TLog::Run);
  form->OnShortCut = TShortCutEvent(&logger, &TLog::Short);
  form->Show();
  edit->SetFocus();
  Pump();
  KeyWith(VK_CONTROL, 'Q');
  Key(VK_F2);  // OnShortCut says it handled F2: the action does not run
  Key(VK_F3);
  // Every key down is offered (the Ctrl key itself too).
  EXPECT_EQ(log, "form:17;form:81;menu;form:113;form:114;");
  EXPECT_EQ(edit->Text(), "") << "no shortcut reached the edit as a character";
  delete menu;
  EXPECT_EQ(form->Menu(), nullptr);
  form->Free();
}

TEST_F(ApplicationTest, ShowModalRunsUntilAButtonSetsTheResult)
{
  auto* form = TCustomForm::Create<TForm>(Application());
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetTop(40);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  bool otherEnabled = true;
  auto* other = TCustomForm::Create<TForm>(Application());
  other->Show();
  int step = 0;
  WhenIdle([&] {
    if (step++ > 0)
      return false;
    otherEnabled = IsWindowEnabled(other->Handle()) != 0;
    TPoint p = CentreOf(ok);
    Display->Click(p.x, p.y);
    return true;
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(otherEnabled) << "the other forms take no input meanwhile";
  EXPECT_TRUE(IsWindowEnabled(other->Handle()));
  EXPECT_FALSE(form->Visible());
  EXPECT_THROW((form->Show(), form->ShowModal()), EInvalidOperation);
  form->Hide();

  step = 0;
  WhenIdle([&] {
    if (step++ > 0)
      return false;
    Display->PressKey(VK_ESCAPE);
    return true;
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  form->Free();
  other->Free();
}

TEST_F(ApplicationTest, MessageDialogsShowFrenchButtonsAndAnswerTheChoice)
{
  struct TCase {
    TMsgDlgButtons Buttons;
    BYTE Key;  // 0: click the button named Click
    const char* Click;
    TModalResult Expected;
    const char* Captions;
  };
  const TCase cases[] = {
      {mbYesNoCancel, VK_RETURN, "", mrYes, "&Oui|&Non|Annuler|"},
      {mbYesNoCancel, VK_ESCAPE, "", mrCancel, "&Oui|&Non|Annuler|"},
      {mbYesNo, 0, "No", mrNo, "&Oui|&Non|"},
      {mbYesNoCancel, 'N', "", mrNo, "&Oui|&Non|Annuler|"},  // the accelerator of "&Non"
      {mbOKCancel, 'A', "", mrNone, "OK|Annuler|"},  // a key nobody takes: then Escape
      {mbAbortRetryIgnore, 0, "Ignore", mrIgnore, "&Abandonner|&Réessayer|&Ignorer|"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Captions);
    std::string captions, title;
    int step = 0;
    WhenIdle([&] {
      TCustomForm* dialog = Screen()->ActiveCustomForm();
      if (!dialog)
        return false;
      ++step;
      if (step == 1) {
        title = dialog->Caption();
        for (int i = 0; i < dialog->ControlCount(); ++i)
          if (auto* button = dynamic_cast<TButton*>(dialog->Controls(i)))
            captions += button->Caption() + "|";
        if (c.Key)
          Display->PressKey(c.Key);
        else
          ClickAt(CentreOf(static_cast<TControl*>(dialog->FindComponent(c.Click))));
        return true;
      }
      if (step == 2 && c.Expected == mrNone) {
        Display->PressKey(VK_ESCAPE);
        return true;
      }
      return false;
    });
    TModalResult result = MessageDlg("Quitter Corvane ?", mtConfirmation, c.Buttons, 0);
    EXPECT_EQ(result, c.Expected == mrNone ? mrCancel : c.Expected);
    EXPECT_EQ(captions, c.Captions);
    EXPECT_EQ(title, "Confirmation");
  }

  // The application's message box answers the platform's numbers.
  WhenIdle([&] {
    TCustomForm* dialog = Screen()->ActiveCustomForm();
    if (!dialog || !dialog->FindComponent("No"))
      return false;
    ClickAt(CentreOf(static_cast<TControl*>(dialog->FindComponent("No"))));
    return true;
  });
  EXPECT_EQ(Application()->MessageBox("Effacer ?", "Corvane", MB_YESNO | MB_ICONQUESTION), IDNO);

  // ShowMessage: the text under the application's title, with OK.
  Application()->SetTitle("Corvane 2.1");
  std::string title;
  WhenIdle([&] {
    TCustomForm* dialog = Screen()->ActiveCustomForm();
    if (!dialog || !title.empty())
      return false;
    title = dialog->Caption();
    Display->PressKey(VK_RETURN);
    return true;
  });
  ShowMessage("Connexion établie");
  EXPECT_EQ(title, "Corvane 2.1");
}

TEST_F(ApplicationTest, ExceptionsGoToOnExceptionAndAbortIsSilent)
{
  struct TCatcher {
    std::string Seen;
    void Caught(TObject*, Exception* e) { Seen += e->Message() + ";"; }
  } catcher;
  Application()->OnException = TExceptionEvent(&catcher, &TCatcher::Caught);
  for (int kind = 0; kind < 3; ++kind) {
    try {
      if (kind == 0)
        throw EConvertError("'x' n'est pas un entier correct");
      if (kind == 1)
        throw EAbort("");
      throw std::runtime_error("hors mémoire");
    } catch (...) {
      Application()->HandleException(nullptr);
    }
  }
  EXPECT_EQ(catcher.Seen, "'x' n'est pas un entier correct;hors mémoire;");
}

TEST_F(ApplicationTest, TimersTickOnTheVirtualClock)
{
  struct TTicks {
    int Count = 0;
    TTimer* Timer = nullptr;
    void Tick(TObject*)
    {
      if (++Count == 3)
        delete Timer;  // a timer may go in its own handler
    }
  } ticks;
  ticks.Timer = new TTimer(nullptr);
  ticks.Timer->SetInterval(100);
  ticks.Timer->OnTimer = TNotifyEvent(&ticks, &TTicks::Tick);
  Advance(50);
  EXPECT_EQ(ticks.Count, 0);
  for (int i = 0; i < 6; ++i)
    Advance(100);
  EXPECT_EQ(ticks.Count, 3);

  TTicks idle;
  TTimer timer(nullptr);
  timer.SetInterval(100);
  timer.OnTimer = TNotifyEvent(&idle, &TTicks::Tick);
  timer.SetEnabled(false);
  Advance(300);
  EXPECT_EQ(idle.Count, 0);
}

class TWorker : public TThread {
public:
  TWorker() : TThread(true) {}
  std::atomic<bool> RanOnMain{false};
  void OnMain() { RanOnMain = IsMainThread(); }

protected:
  void Execute() override { Synchronize(TThreadMethod(this, &TWorker::OnMain)); }
};

TEST_F(ApplicationTest, SynchronizeRunsOnTheMainThreadThroughTheLoop)
{
  TWorker worker;
  worker.Start();
  // The loop wakes for the queued call (the worker posts to the application
  // window) and runs it; no message of our own is needed.
  for (int i = 0; i < 200 && !worker.Finished(); ++i) {
    Application()->ProcessMessages();
    CheckSynchronize(10);
  }
  worker.WaitFor();
  EXPECT_TRUE(worker.RanOnMain);
}

TEST_F(ApplicationTest, HooksAndOnMessageSeeMessagesFirst)
{
  struct THooks {
    std::vector<UINT> Seen;
    bool Hook(TMessage& m)
    {
      if (m.Msg == WM_USER + 1) {
        Seen.push_back(m.Msg);
        return true;
      }
      return false;
    }
    void OnMessage(MSG& msg, bool& handled)
    {
      if (msg.message == WM_USER + 2) {
        Seen.push_back(msg.message);
        handled = true;
      }
    }
  } hooks;
  TWindowHook hook(&hooks, &THooks::Hook);
  Application()->HookMainWindow(hook);
  Application()->OnMessage = TMessageEvent(&hooks, &THooks::OnMessage);
  PostMessage(Application()->Handle(), WM_USER + 1, 0, 0);
  PostMessage(Application()->Handle(), WM_USER + 2, 0, 0);
  Pump();
  Application()->UnhookMainWindow(hook);
  Application()->OnMessage = nullptr;
  PostMessage(Application()->Handle(), WM_USER + 1, 0, 0);
  Pump();
  EXPECT_EQ(hooks.Seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
}

class TWatched : public TPanel {
public:
  explicit TWatched(TComponent* AOwner) : TPanel(AOwner) {}
  std::string* Log = nullptr;
  void Dispatch(TMessage& Message) override
  {
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE)
      *Log += (Message.Msg == CM_MOUSEENTER ? "enter " : "leave ") + Name() + ";";
    TPanel::Dispatch(Message);
  }
};

TEST_F(ApplicationTest, IdleTellsControlsTheMouseCameAndWentAndSetsTheLongHint)
{
  struct TIdle {
    int Hints = 0;
    void Idle(TObject*, bool& done) { done = false; }  // no waiting in the test
    void Hint(TObject*) { ++Hints; }
  } idle;
  Application()->OnIdle = TIdleEvent(&idle, &TIdle::Idle);
  Application()->OnHint = TNotifyEvent(&idle, &TIdle::Hint);
  auto* form = TCustomForm::Create<TForm>(Application());
  form->SetBounds(20, 20, 300, 200);
  std::string log;
  TWatched* panels[2];
  for (int i = 0; i < 2; ++i) {
    panels[i] = new TWatched(form);
    panels[i]->SetName(i ? "B" : "A");
    panels[i]->Log = &log;
    panels[i]->SetParent(form);
    panels[i]->SetBounds(10 + i * 120, 10, 100, 80);
  }
  panels[0]->SetHint("Contacts|La liste des contacts");
  form->Show();
  Pump();
  auto moveTo = [&](TControl* c) {
    TPoint p = CentreOf(c);
    Display->MoveMouse(p.x, p.y);
    Pump();
    Application()->HandleMessage();  // nothing waits: the loop is idle
  };
  moveTo(panels[0]);
  EXPECT_EQ(Application()->Hint(), "La liste des contacts");
  moveTo(panels[1]);
  EXPECT_EQ(Application()->Hint(), "");
  EXPECT_EQ(log, "enter A;leave A;enter B;");
  EXPECT_EQ(idle.Hints, 2);
  Application()->OnIdle = nullptr;
  Application()->OnHint = nullptr;
  form->Free();
}

// An action that works on whatever edit it is offered (as the standard edit actions do).
class TSelectAllAction : public TAction {
public:
  explicit TSelectAllAction(TComponent* AOwner) : TAction(AOwner) {}
  bool HandlesTarget(TObject* Target) override { return dynamic_cast<TCustomEdit*>(Target) != nullptr; }
  void ExecuteTarget(TObject* Target) override { static_cast<TCustomEdit*>(Target)->SelectAll(); }
};

// Whether a sanitizer's allocator serves the program (it keeps its own
// memory, whatever the program asks of the system's).
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool SanitizerAllocator = true;
#elif defined(__has_feature)
constexpr bool SanitizerAllocator = __has_feature(address_sanitizer) || __has_feature(thread_sanitizer);
#else
constexpr bool SanitizerAllocator = false;
#endif

std::size_t ResidentBytes()
{
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * std::size_t(sysconf(_SC_PAGESIZE));
}

TEST_F(ApplicationTest, WhatClosedWindowsFreedGoesBackToTheSystemWhenIdle)
{
  if (SanitizerAllocator)
    GTEST_SKIP() << "the sanitizer's allocator keeps its own memory";
  struct TIdle {
    void Idle(TObject*, bool& done) { done = false; }  // no waiting in the test
  } idle;
  Application()->OnIdle = TIdleEvent(&idle, &TIdle::Idle);
  // A window that came and went before: the allocator now serves blocks of
  // a window's size from its own heap rather than from the system.
  auto* earlier = TCustomForm::Create<TForm>(Application());
  earlier->SetBounds(10, 10, 700, 500);
  earlier->Show();
  Pump();
  earlier->Free();
  Pump();
  const std::size_t before = ResidentBytes();
  // Windows, each followed by something the program keeps (a log line):
  // their freed pixels lie between live blocks, where the allocator keeps
  // them unless asked to give them back.
  std::vector<TForm*> forms;
  std::vector<std::string> kept;
  for (int i = 0; i < 60; ++i) {
    auto* form = TCustomForm::Create<TForm>(Application());
    form->SetBounds(10, 10, 700, 500);
    form->Show();
    forms.push_back(form);
    kept.push_back(std::string(200, char('a' + i % 26)));
  }
  Pump();
  EXPECT_GT(ResidentBytes(), before + 50 * 700 * 500 * 4) << "the windows' pixels are in use";
  for (TForm* form : forms)
    form->Free();
  Pump();
  Application()->HandleMessage();  // nothing waits: the loop is idle
  EXPECT_LT(ResidentBytes(), before + (30u << 20));
  Application()->OnIdle = nullptr;
}

TEST_F(ApplicationTest, ActionsWithoutHandlerFindTheirTargetOnTheActiveForm)
{
  auto* form = TCustomForm::Create<TForm>(Application());
  auto* first = new TEdit(form);
  first->SetParent(form);
  auto* second = new TEdit(form);
  second->SetParent(form);
  second->SetTop(30);
  first->SetText("premier");
  second->SetText("second");
  auto* action = new TSelectAllAction(form);
  form->Show();
  second->SetFocus();
  first->SetSelStart(0);  // it selected all when it had the focus first (AutoSelect)
  second->SetSelStart(0);
  Pump();
  EXPECT_TRUE(action->Execute());
  EXPECT_EQ(second->SelLength(), 6) << "the focused control first";
  EXPECT_EQ(first->SelLength(), 0);
  form->Free();
}

class TMainForm : public TForm {
public:
  explicit TMainForm(TComponent* AOwner) : TForm(AOwner)
  {
    OnCreate = TNotifyEvent(this, &TMainForm::FormCreate);
    OnShow = TNotifyEvent(this, &TMainForm::FormShow);
  }
  void FormCreate(TObject*)
  {
    if (FailCreate)
      Application()->Terminate();
  }
  void FormShow(TObject*) { Shown = true; }
  static inline bool FailCreate = false;
  static inline bool Shown = false;
};

// The child of the first Run test: shows, minimises, restores and closes the main form.
int RunMainForm()
{
  THeadlessDisplay* display = THeadlessDisplay::Use();
  THeadlessDisplay::UseVirtualClock();
  Application()->Initialize();
  Application()->SetTitle("Corvane 2.1");
  TMainForm* main = nullptr;
  Application()->CreateForm(main);
  int minimised = 0, restored = 0;
  struct TCount {
    int* Value;
    void Bump(TObject*) { ++*Value; }
  } onMinimize{&minimised}, onRestore{&restored};
  Application()->OnMinimize = TNotifyEvent(&onMinimize, &TCount::Bump);
  Application()->OnRestore = TNotifyEvent(&onRestore, &TCount::Bump);
  // A main-window hook sees the main form's minimise command before it is carried out.
  struct TMinimizeHook {
    int Seen = 0;
    bool Hook(TMessage& m)
    {
      if (m.Msg == WM_SYSCOMMAND && (m.WParam & 0xFFF0) == SC_MINIMIZE && !IsIconic(Application()->MainForm()->Handle()))
        ++Seen;
      return false;
    }
  } minimizeHook;
  Application()->HookMainWindow(TWindowHook(&minimizeHook, &TMinimizeHook::Hook));
  bool wasIconic = false;
  int step = 0;
  display->SetIdleScript([&] {
    if (!TMainForm::Shown || !main->Visible())
      return false;
    switch (step++) {
    case 0:
      // The main form's minimise button minimises the application.
      SendMessage(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      wasIconic = IsIconic(main->Handle()) != 0;
      return true;
    case 1: Application()->Restore(); return true;
    case 2: main->Close(); return true;  // the main form's close ends the program
    default: return false;
    }
  });
  Application()->Run();
  bool ok = Application()->MainForm() == main && TMainForm::Shown && Application()->Terminated() &&
            wasIconic && !IsIconic(main->Handle()) && minimised == 1 && restored == 1 &&
            minimizeHook.Seen == 1;
  return ok ? 3 : 1;
}

// Run ends the process's loop for good, so it runs in a child process.
TEST(ApplicationRun, RunShowsTheMainFormUntilItClosesAndReturnsAtOnceAfterATerminatedStart)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(RunMainForm()), ::testing::ExitedWithCode(3), "");
  EXPECT_EXIT(
      {
        THeadlessDisplay::Use();
        Application()->Initialize();
        TMainForm::FailCreate = true;
        TMainForm* main = nullptr;
        Application()->CreateForm(main);
        Application()->Run();
        // No waiting: the loop ends at once (the form still shows, as the product expects).
        std::exit(Application()->Terminated() && main ? 4 : 1);
      },
      ::testing::ExitedWithCode(4), "");
}

}  // namespace
