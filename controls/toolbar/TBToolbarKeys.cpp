// The toolbar and the keyboard: menu-bar mode, opening the bar from the keys
// (Alt, F10, Alt+letter, accelerators of plain toolbars), and the shortcut
// hook through which toolbars run their items' shortcuts for their forms.
#include <algorithm>
#include <vector>

#include "controls/toolbar/TBDock.h"
#include "controls/toolbar/TBThreadHooks.h"
#include "controls/toolbar/TBToolbar.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Screen.h"
#include "platform/win/win.h"

namespace {

// Toolbars that run their shortcuts; the application window is hooked while
// there is one.
std::vector<TTBCustomToolbar*>& ShortCutMembers()
{
  static std::vector<TTBCustomToolbar*> members;
  return members;
}

bool IsDesigning(const TComponent* C) { return C->ComponentState().Contains(csDesigning); }

}  // namespace

int TTBCustomToolbar::ShortCutMemberCount() { return int(ShortCutMembers().size()); }

void TTBCustomToolbar::SetMenuBar(bool Value)
{
  if (FMenuBar == Value)
    return;
  FMenuBar = Value;
  TControlStyle style = ControlStyle();
  if (Value)
    style += csMenuEvents;
  else
    style -= csMenuEvents;
  SetControlStyle(style);
  const TTBViewTraits menuTraits = vtMenuBar | vtHiddenAccels;
  FView->SetTraits(Value ? TTBViewTraits(FView->Traits() | menuTraits) : TTBViewTraits(FView->Traits() & ~menuTraits));
  if (!ComponentState().Contains(csLoading)) {
    SetFullSize(Value);
    SetShrinkMode(Value ? tbsmWrap : tbsmChevron);
    SetCloseButton(!Value);
    SetProcessShortCuts(Value);
  }
  if (Value && !FMenuBarHooked) {
    InstallHookClient(&MenuBarKeyHookProc, HookKindBit(hnMessageRetrieved), IsDesigning(this));
    FMenuBarHooked = true;
  } else if (!Value && FMenuBarHooked) {
    UninstallHookClient(&MenuBarKeyHookProc);
    FMenuBarHooked = false;
  }
  RefreshShortCutMembership();
}

void TTBCustomToolbar::SetProcessShortCuts(bool Value)
{
  if (FProcessShortCuts == Value)
    return;
  FProcessShortCuts = Value;
  RefreshShortCutMembership();
}

void TTBCustomToolbar::RefreshShortCutMembership()
{
  auto& members = ShortCutMembers();
  const bool join = (FProcessShortCuts || FMenuBar) && !IsDesigning(this);
  if (join == FShortCutsHooked)
    return;
  FShortCutsHooked = join;
  if (join) {
    members.push_back(this);
    if (members.size() == 1 && Application())
      Application()->HookMainWindow(TWindowHook(&ShortCutMainWindowHook));
  } else {
    members.erase(std::remove(members.begin(), members.end(), this), members.end());
    if (members.empty() && Application())
      Application()->UnhookMainWindow(TWindowHook(&ShortCutMainWindowHook));
  }
}

bool TTBCustomToolbar::OpenByKeyboard(char32_t Key, bool RequirePrimary)
{
  FView->ShowAccelerators(true);
  bool ran = false;
  if (Key == 0) {
    if (TTBItemViewer* first = FView->InitialSelection()) {
      FView->SetSelectedViewer(first, false);
      FView->RunToolbarMenuLoop(0);
      ran = true;
    }
  } else {
    bool unique = false;
    TTBItemViewer* found = FView->FindByAccelerator(nullptr, Key, RequirePrimary, unique);
    if (found && found->Item()->Enabled() && (unique || FMenuBar)) {
      FView->SetSelectedViewer(found, false);
      FView->RunToolbarMenuLoop(unique ? tbmlActivateSelected : 0);
      ran = true;
    }
  }
  if (!ran)
    FView->ShowAccelerators(false);
  return ran;
}

// WM_SYSCOMMAND SC_KEYMENU: Alt or F10 (key 0) or Alt+character reaching a
// menu bar. True when the message was taken (its result set).
bool TTBCustomToolbar::SysCommandMessage(TMessage& Message)
{
  if (!FMenuBar || !Enabled() || !Showing())
    return false;
  if ((Message.WParam & 0xFFF0) != SC_KEYMENU || Message.LParam == ' ' || GetCapture())
    return false;
  // Keys arrive as code points on this system: no code-page conversion.
  const char32_t key = char32_t(Message.LParam);
  if (!OpenByKeyboard(key, false)) {
    // Alt+"-" opens the window menu of the active child: the platform's.
    if (key == '-')
      return false;
    MessageBeep(0);
  }
  Message.Result = 1;
  return true;
}

// Alt+character typed in a form's multiple-document client, or Alt+"-" in a
// window inside it, goes to the main form, whose menu bar answers it.
void TTBCustomToolbar::MenuBarKeyHookProc(THookProcKind Kind, HWND, WPARAM WParam, LPARAM LParam)
{
  if (Kind != hnMessageRetrieved || WParam != PM_REMOVE)
    return;
  auto* msg = reinterpret_cast<MSG*>(LParam);
  if (!msg || msg->message != WM_SYSCHAR || !msg->hwnd)
    return;
  TCustomForm* main = Application() ? Application()->MainForm() : nullptr;
  if (!main || !main->HandleAllocated() || GetCapture())
    return;
  HWND client = FindWindowEx(main->Handle(), nullptr, "MDICLIENT", nullptr);
  if (!client)
    return;
  if (msg->hwnd == client || (msg->wParam == '-' && IsChild(client, msg->hwnd)))
    msg->hwnd = main->Handle();
}

bool TTBCustomToolbar::TryShortCutsOfForm(TCustomForm* Form, TMessage& Message)
{
  if (!Form || !Form->HandleAllocated() || !IsWindowEnabled(Form->Handle()))
    return false;
  auto& key = MessageAs<TWMKey>(Message);
  // A handler may free toolbars: walk a copy and skip those that went.
  std::vector<TTBCustomToolbar*> members = ShortCutMembers();
  for (TTBCustomToolbar* bar : members) {
    const auto& live = ShortCutMembers();
    if (std::find(live.begin(), live.end(), bar) == live.end())
      continue;
    if (!bar->FProcessShortCuts || bar->TopForm() != Form)
      continue;
    bool handled = false;
    if (bar->OnShortCut)
      bar->OnShortCut(key, handled);
    if (!handled)
      handled = bar->FItem->IsShortCut(key);
    if (handled)
      return true;
  }
  return false;
}

// Depth first through showing controls: the first dock or menu bar that takes
// the key-menu command ends the search.
bool TTBCustomToolbar::RelaySysCommand(TWinControl* Container, TMessage& SysCommand)
{
  for (int i = 0; i < Container->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(Container->Controls(i));
    if (!child || !child->Showing() || !child->Enabled())
      continue;
    if ((dynamic_cast<TTBDock*>(child) || dynamic_cast<TTBCustomToolbar*>(child)) &&
        child->ControlStyle().Contains(csMenuEvents) &&
        child->Perform(WM_SYSCOMMAND, SysCommand.WParam, SysCommand.LParam) != 0)
      return true;
    if (RelaySysCommand(child, SysCommand))
      return true;
  }
  return false;
}

bool TTBCustomToolbar::ShortCutMainWindowHook(TMessage& Message)
{
  if (Message.Msg == CM_APPKEYDOWN) {
    if (ShortCutMembers().empty())
      return false;
    TCustomForm* active = Screen()->ActiveCustomForm();
    TCustomForm* main = Application()->MainForm();
    if (TryShortCutsOfForm(active, Message) || (main != active && TryShortCutsOfForm(main, Message))) {
      Message.Result = 1;
      return true;
    }
    return false;
  }
  if (Message.Msg == CM_APPSYSCOMMAND) {
    TCustomForm* active = Screen()->ActiveCustomForm();
    auto* command = reinterpret_cast<TMessage*>(Message.LParam);
    if (active && command && active->Showing() && RelaySysCommand(active, *command)) {
      Message.Result = 1;
      return true;
    }
  }
  return false;
}
