// Window-procedure hooks (order, handled, changes during a dispatch,
// deferred release) and form placement: the values written, version checks,
// tracking sizes, malformed or off-screen values, and a form saved to the
// file store by one process and restored by the next.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

#include "StreamedState.h"

#include "controls/utility/UtUtilityWindow.h"
#include "controls/utility/placement/UtFormPlacement.h"
#include "controls/utility/placement/UtPlacementValues.h"
#include "controls/utility/placement/UtWndProcHook.h"
#include "controls/utility/storage/UtFileAppStorage.h"
#include "controls/utility/storage/UtMemoryAppStorage.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

constexpr UINT Probe = WM_USER + 77;

class TProbe : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::vector<std::string>* Log = nullptr;
  void Dispatch(TMessage& Message) override
  {
    if (Message.Msg == Probe) {
      Log->push_back("control");
      return;
    }
    TWinControl::Dispatch(Message);
  }
};

class UtPlacementTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
  }
  void Pump() { Application()->ProcessMessages(); }
};

struct THooks {
  std::vector<std::string>* Log;
  TControl* Control = nullptr;
  bool StopBefore = false;
  bool A(TMessage& m) { return m.Msg == Probe && (Log->push_back("a"), StopBefore); }
  bool B(TMessage& m)
  {
    if (m.Msg == Probe) {
      Log->push_back("b");
      // Taking itself out and adding an after hook while dispatching.
      UnRegisterWndProcHook(Control, TUtHookProc(this, &THooks::B), hoBeforeMsg);
      RegisterWndProcHook(Control, TUtHookProc(this, &THooks::Late), hoAfterMsg);
    }
    return false;
  }
  bool C(TMessage& m) { return m.Msg == Probe && (Log->push_back("c"), false); }
  bool Late(TMessage& m) { return m.Msg == Probe && (Log->push_back("late"), false); }
};

TEST_F(UtPlacementTest, HooksRunBeforeAndAfterAndSurviveChangesDuringDispatch)
{
  std::vector<std::string> log;
  TProbe probe(nullptr);
  probe.Log = &log;
  THooks hooks{&log, &probe};
  ASSERT_TRUE(RegisterWndProcHook(&probe, TUtHookProc(&hooks, &THooks::A), hoBeforeMsg));
  ASSERT_TRUE(RegisterWndProcHook(&probe, TUtHookProc(&hooks, &THooks::B), hoBeforeMsg));
  ASSERT_TRUE(RegisterWndProcHook(&probe, TUtHookProc(&hooks, &THooks::C), hoBeforeMsg));
  EXPECT_FALSE(RegisterWndProcHook(nullptr, TUtHookProc(&hooks, &THooks::A), hoBeforeMsg));
  EXPECT_FALSE(RegisterWndProcHook(&probe, TUtHookProc(), hoBeforeMsg));
  probe.Perform(Probe, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c", "control", "late"}));

  log.clear();
  hooks.StopBefore = true;
  probe.Perform(Probe, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"a"})) << "a handled message goes no further";

  // Once every hook is gone the control has its own procedure back.
  UnRegisterWndProcHook(&probe, TUtHookProc(&hooks, &THooks::A), hoBeforeMsg);
  UnRegisterWndProcHook(&probe, TUtHookProc(&hooks, &THooks::C), hoBeforeMsg);
  UnRegisterWndProcHook(&probe, TUtHookProc(&hooks, &THooks::Late), hoAfterMsg);
  EXPECT_TRUE(probe.WindowProc() == TWndMethod(&probe, &TControl::WndProc));
}

TEST_F(UtPlacementTest, ADestroyedControlsRecordIsFreedFromTheQueue)
{
  // Records released by earlier tests wait for a pump; free them first so
  // the count below is this control's alone.
  Pump();
  ASSERT_EQ(TUtWndProcHook::PendingReleases(), 0);
  std::vector<std::string> log;
  auto* probe = new TProbe(nullptr);
  probe->Log = &log;
  THooks hooks{&log, probe};
  RegisterWndProcHook(probe, TUtHookProc(&hooks, &THooks::C), hoAfterMsg);
  delete probe;
  EXPECT_EQ(TUtWndProcHook::PendingReleases(), 1);
  Pump();
  EXPECT_EQ(TUtWndProcHook::PendingReleases(), 0);
}

// A hook on its own form is streamed as "IsForm" and comes back on the
// form that owns the reading hook.
TEST_F(UtPlacementTest, AHookOnItsOwnFormSurvivesStreaming)
{
  auto* form = TCustomForm::Create<TForm>(nullptr);
  auto* hook = new TUtWindowHook(form);
  hook->SetControl(form);
  std::string bytes = WrittenState(hook);
  EXPECT_NE(bytes.find("IsForm"), std::string::npos);

  auto* other = TCustomForm::Create<TForm>(nullptr);
  auto* copy = new TUtWindowHook(other);
  ReadState(copy, bytes);
  EXPECT_EQ(copy->Control(), other);

  EXPECT_EQ(WrittenState(hook, copy).find("IsForm"), std::string::npos) << "same as the ancestor";
  auto* probe = new TProbe(form);
  hook->SetControl(probe);
  EXPECT_EQ(WrittenState(hook).find("IsForm"), std::string::npos) << "another control";
  EXPECT_NE(WrittenState(hook, copy).find("IsForm"), std::string::npos) << "differs from the ancestor";
  other->Free();
  form->Free();
}

TEST_F(UtPlacementTest, PlacementNumbersRefuseWhatIsNoNumber)
{
  int n[4];
  EXPECT_TRUE(ParsePlacementNumbers("10,20,300,400", n));
  EXPECT_EQ(n[3], 400);
  EXPECT_TRUE(ParsePlacementNumbers("-1,-1", n));
  EXPECT_EQ(n[2], 0);
  EXPECT_FALSE(ParsePlacementNumbers("10,abc,300,400", n));
  EXPECT_FALSE(ParsePlacementNumbers("10,20x,300,400", n));
}

// A sizeable form at (40, 50), 320 x 200, with a placement over a memory store.
struct TPlacedForm {
  TCustomForm* Form = TCustomForm::Create<TForm>(nullptr);
  TUtMemoryAppStorage* Store = new TUtMemoryAppStorage(Form);
  TUtFormPlacement* Placement = new TUtFormPlacement(Form);
  TPlacedForm()
  {
    Form->SetBorderStyle(bsSizeable);
    Form->SetBounds(40, 50, 320, 200);
    Placement->SetAppStorage(Store);
  }
};

TEST_F(UtPlacementTest, FormValuesVersionsAndTrackingSizes)
{
  TPlacedForm placed;
  TCustomForm* form = placed.Form;
  TUtMemoryAppStorage* store = placed.Store;
  TUtFormPlacement* placement = placed.Placement;
  placement->SetAppStoragePath("Fenetres\\Principale");
  EXPECT_EQ(placement->AppStoragePath(), "Fenetres\\Principale\\");
  placement->Loaded();
  form->Show();
  Pump();
  placement->StoreAll();
  std::string p = "Fenetres\\Principale\\";
  EXPECT_EQ(store->ReadString(p + "NormPos", ""), "40,50,360,250");
  EXPECT_EQ(store->ReadString(p + "NormPos" + ScreenSuffix(), ""), "40,50,360,250");
  EXPECT_EQ(store->ReadInteger(p + "ShowCmd", -1), SW_SHOWNORMAL);

  // A placement newer than the stored one is not restored.
  store->WriteString(p + "NormPos" + ScreenSuffix(), "60,70,400,300");
  placement->SetVersion(2);
  placement->LoadAll();
  EXPECT_EQ(form->Left(), 40);
  placement->SetVersion(0);
  placement->LoadAll();
  EXPECT_EQ(form->Left(), 60);
  EXPECT_EQ(form->Width(), 340);

  // Malformed or off-screen values leave the form where it is.
  for (const char* bad : {"60,x,400,300", "5000,5000,5300,5200", "-900,-900,-600,-700"}) {
    store->WriteString(p + "NormPos" + ScreenSuffix(), bad);
    placement->LoadAll();
    EXPECT_EQ(form->Left(), 60) << bad;
  }

  // Tracking sizes: only the given member changes.
  placement->MinMaxInfo()->SetMinTrackWidth(300);
  MINMAXINFO info{};
  info.ptMinTrackSize = TPoint(1, 2);
  info.ptMaxTrackSize = TPoint(3000, 3000);
  SendMessage(form->Handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
  EXPECT_EQ(info.ptMinTrackSize, TPoint(300, 2));
  EXPECT_EQ(info.ptMaxTrackSize, TPoint(3000, 3000));
  placement->MinMaxInfo()->SetMinTrackWidth(0);
  placement->SetPreventResize(true);
  SendMessage(form->Handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
  EXPECT_EQ(info.ptMinTrackSize, TPoint(form->Width(), form->Height()));
  EXPECT_EQ(info.ptMaxTrackSize, info.ptMinTrackSize);
  EXPECT_EQ(SendMessage(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(form->Left() + 1, form->Top() + 100)),
            HTNOWHERE) << "no sizing border";
  form->Free();
}

struct TLinkLog {
  std::vector<std::string> Events;
  TUtIniLink* Link = nullptr;
  void Save(TObject* Sender) { Events.push_back(Sender == Link ? "save:link" : "save:other"); }
  void Load(TObject* Sender) { Events.push_back(Sender == Link ? "load:link" : "load:other"); }
};

// A stored placement older than Version is not read, yet the form counts as
// restored (and its placement is corrected); links hear saving and loading
// with themselves as Sender.
TEST_F(UtPlacementTest, AnOlderPlacementIsSkippedButTheFormIsRestoredAndLinksAreTheirOwnSender)
{
  TPlacedForm placed;
  TUtFormPlacement* placement = placed.Placement;
  TUtIniLink link;
  TLinkLog log;
  log.Link = &link;
  link.OnSave = TNotifyEvent(&log, &TLinkLog::Save);
  link.OnLoad = TNotifyEvent(&log, &TLinkLog::Load);
  link.SetStorage(placement);
  placed.Store->WriteInteger("FormVersion", 1);
  placement->SetVersion(2);
  placement->Loaded();
  placed.Form->Show();  // restores
  Pump();
  EXPECT_TRUE(placement->Restored());
  EXPECT_TRUE(log.Events.empty()) << "nothing read from an older placement";

  placement->StoreAll();
  placement->SetVersion(0);
  placement->LoadAll();
  EXPECT_EQ(log.Events, (std::vector<std::string>{"save:link", "load:link"}));
  link.SetStorage(nullptr);
  placed.Form->Free();
}

// With PreventResize the system menu's Size and Maximize are grayed, also
// when the form has a main menu (which sees the popup first).
TEST_F(UtPlacementTest, TheSystemMenuOfAFormThatMayNotBeResizedGraysSizeAndMaximize)
{
  auto* form = TCustomForm::Create<TForm>(nullptr);
  form->SetBorderStyle(bsSizeable);
  auto* menu = new TMainMenu(form);
  auto* item = new TMenuItem(menu);
  item->SetCaption("&Fichier");
  menu->Items()->Add(item);
  form->SetMenu(menu);
  auto* placement = new TUtFormPlacement(form);
  placement->Loaded();
  placement->SetPreventResize(true);
  form->Show();
  Pump();
  HMENU system = CreatePopupMenu();
  AppendMenu(system, MF_STRING, SC_SIZE, "Taille");
  AppendMenu(system, MF_STRING, SC_MAXIMIZE, "Agrandir");
  AppendMenu(system, MF_STRING, SC_CLOSE, "Fermer");
  EXPECT_EQ(SendMessage(form->Handle(), WM_INITMENUPOPUP, WPARAM(system), MAKELPARAM(0, 1)), 1);
  EXPECT_TRUE(GetMenuState(system, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(system, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  DestroyMenu(system);
  form->Free();
}

// PreventResize takes the maximise icon; it comes back only on a form that
// had it and is no dialog.
TEST_F(UtPlacementTest, PreventResizeTakesTheMaximiseIconAndGivesItBack)
{
  struct TCase {
    TFormBorderStyle Style;
    bool HadMax;
    bool MaxAfter;
  } cases[] = {{bsSizeable, true, true}, {bsSizeable, false, false}, {bsDialog, true, false}};
  for (const TCase& c : cases) {
    auto* form = TCustomForm::Create<TForm>(nullptr);
    form->SetBorderStyle(c.Style);
    TBorderIcons icons = form->BorderIcons();
    c.HadMax ? icons.Include(biMaximize) : icons.Exclude(biMaximize);
    form->SetBorderIcons(icons);
    auto* placement = new TUtFormPlacement(form);
    placement->Loaded();
    placement->SetPreventResize(true);
    EXPECT_FALSE(form->BorderIcons().Contains(biMaximize)) << int(c.Style) << c.HadMax;
    placement->SetPreventResize(false);
    EXPECT_EQ(form->BorderIcons().Contains(biMaximize), c.MaxAfter) << int(c.Style) << c.HadMax;
    form->Free();
  }
}

std::string StoreFile()
{
  return (std::filesystem::temp_directory_path() / ("corvane-placement-" + std::to_string(getpid()) + ".ini"))
      .string();
}

// One run of the "program": shows the form, moves it the first time, and
// closes it (saving); answers the form's place and state as an exit code
// check in the second run.
int RunProgram(const std::string& file, bool first)
{
  THeadlessDisplay::Use();
  THeadlessDisplay::UseVirtualClock();
  Application()->Initialize();
  auto* form = TCustomForm::Create<TForm>(nullptr);
  form->SetName("Principale");
  form->SetBorderStyle(bsSizeable);
  form->SetBounds(10, 10, 200, 150);
  auto* store = new TUtFileAppStorage(file, form);
  auto* placement = new TUtFormPlacement(form);
  placement->SetAppStorage(store);
  placement->Loaded();
  form->Show();
  Application()->ProcessMessages();
  if (first) {
    form->SetBounds(123, 87, 345, 210);
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    Application()->ProcessMessages();
    form->Close();
    Application()->ProcessMessages();
    return 0;
  }
  WINDOWPLACEMENT wp;
  GetWindowPlacement(form->Handle(), &wp);
  bool same = wp.rcNormalPosition == TRect(123, 87, 468, 297) && form->WindowState() == wsMaximized;
  return same ? 5 : 1;
}

// Runs one "program" in a child process of its own and answers its exit
// code. A forked child starts from this process's state before the run, so
// the second run knows nothing of the first but what the file holds.
int RunInChildProcess(const std::string& file, bool first)
{
  pid_t child = fork();
  if (child == 0) {
    int code = 1;
    try {
      code = RunProgram(file, first);
    } catch (...) {
      code = 2;
    }
    _exit(code);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
    return -1;
  return WEXITSTATUS(status);
}

TEST(UtPlacementRestart, AFormComesBackWhereTheLastRunLeftIt)
{
  std::string file = StoreFile();
  std::filesystem::remove(file);
  EXPECT_EQ(RunInChildProcess(file, true), 0);
  ASSERT_TRUE(std::filesystem::exists(file)) << "closing the form saves its placement";
  EXPECT_EQ(RunInChildProcess(file, false), 5) << "the form is back at the same place and state";
  std::filesystem::remove(file);
}

}  // namespace
