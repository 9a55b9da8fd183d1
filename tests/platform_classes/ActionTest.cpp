#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/actions/Action.h"
#include "platform/classes/actions/ActionHooks.h"
#include "platform/classes/actions/ActionList.h"
#include "platform/classes/actions/ShortCutList.h"
#include "platform/classes/menus/MenuItem.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/VirtualKeys.h"

namespace {

// A form-like owner recording what ran.
struct TActionOwner : TComponent {
  TActionOwner() : TComponent(nullptr) {}
  std::vector<std::string> Log;
  bool ListHandles = false;
  TMenuItem* Doomed = nullptr;

  void Execute(TObject* Sender) { Log.push_back("execute " + static_cast<TComponent*>(Sender)->Name()); }
  void FreeDoomed(TObject*)
  {
    Log.push_back("free");
    delete Doomed;
    Doomed = nullptr;
  }
  void ListExecute(TBasicAction* Action, bool& Handled)
  {
    Log.push_back("list " + Action->Name());
    Handled = ListHandles;
  }
};

TAction* NewAction(TActionOwner& form, TActionList* list, const char* name)
{
  auto* action = new TAction(&form);
  action->SetName(name);
  action->SetActionList(list);
  action->OnExecute = TNotifyEvent(&form, &TActionOwner::Execute);
  return action;
}

TWMKey Key(WORD vk, bool alt)
{
  TMessage m;
  m.Msg = WM_KEYDOWN;
  TWMKey& key = MessageAs<TWMKey>(m);
  key.CharCode = vk;
  key.KeyData = alt ? 0x20000000 : 0;
  return key;
}

void SetCtrl(bool down)
{
  BYTE keys[256] = {};
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

}  // namespace

TEST(ActionTest, ExecutionGoesThroughTheListThenTheHandler)
{
  TActionOwner form;
  auto* list = new TActionList(&form);
  list->OnExecute = TActionEvent(&form, &TActionOwner::ListExecute);
  TAction* send = NewAction(form, list, "Action1");

  EXPECT_TRUE(send->Execute());
  EXPECT_EQ(form.Log, (std::vector<std::string>{"list Action1", "execute Action1"}));

  form.Log.clear();
  form.ListHandles = true;
  EXPECT_TRUE(send->Execute());
  EXPECT_EQ(form.Log, std::vector<std::string>{"list Action1"});

  form.Log.clear();
  form.ListHandles = false;
  send->SetEnabled(false);
  EXPECT_FALSE(send->Execute());
  EXPECT_TRUE(form.Log.empty());

  send->SetEnabled(true);
  list->SetState(asSuspended);
  EXPECT_FALSE(send->Execute());
  EXPECT_TRUE(form.Log.empty());

  // Suspended with its actions enabled: a disabled action runs no more, and
  // gets its own state back afterwards.
  send->SetEnabled(false);
  list->SetState(asSuspendedEnabled);
  EXPECT_TRUE(send->Enabled());
  list->SetState(asNormal);
  EXPECT_FALSE(send->Enabled());
}

TEST(ActionTest, AutoCheckAndGroupsExcludeEachOther)
{
  TActionOwner form;
  auto* list = new TActionList(&form);
  TAction* direct = NewAction(form, list, "Direct");
  TAction* server = NewAction(form, list, "Server");
  TAction* toggle = NewAction(form, list, "Toggle");
  for (TAction* a : {direct, server, toggle})
    a->SetAutoCheck(true);
  direct->SetGroupIndex(1);
  server->SetGroupIndex(1);

  server->Execute();
  EXPECT_TRUE(server->Checked());
  direct->Execute();
  EXPECT_TRUE(direct->Checked());
  EXPECT_FALSE(server->Checked());
  direct->Execute();  // a checked grouped action stays checked
  EXPECT_TRUE(direct->Checked());
  toggle->Execute();
  toggle->Execute();
  EXPECT_FALSE(toggle->Checked());
}

TEST(ActionTest, ShortCutsAndSecondaryShortCutsDispatchFromTheOwner)
{
  TActionOwner form;
  auto* list = new TActionList(&form);
  TAction* send = NewAction(form, list, "Action1");
  send->SetShortCut(TextToShortCut("Ctrl+Enter"));
  send->SecondaryShortCuts()->Add("Alt+S");
  EXPECT_EQ(send->ShortCut(), 16397);
  EXPECT_EQ(send->SecondaryShortCuts()->ShortCuts(0), TShortCut('S' | scAlt));

  SetCtrl(true);
  TWMKey enter = Key(VK_RETURN, false);
  EXPECT_TRUE(DispatchActionShortCut(&form, enter));
  SetCtrl(false);
  EXPECT_FALSE(DispatchActionShortCut(&form, enter));  // plain Enter is no shortcut here
  TWMKey altS = Key('S', true);
  EXPECT_TRUE(DispatchActionShortCut(&form, altS));
  EXPECT_EQ(form.Log, (std::vector<std::string>{"execute Action1", "execute Action1"}));

  send->SetEnabled(false);
  EXPECT_FALSE(DispatchActionShortCut(&form, altS));
  EXPECT_EQ(form.Log.size(), 2u);
}

TEST(ActionTest, MenuItemShowsItsActionAndForgetsItWhenFreed)
{
  TActionOwner form;
  auto* list = new TActionList(&form);
  TAction* send = NewAction(form, list, "Action1");
  send->SetCaption("Envoyer");
  auto* item = new TMenuItem(&form);
  item->SetAction(send);
  EXPECT_EQ(item->Caption(), "Envoyer");
  send->SetCaption("&Envoyer");
  send->SetEnabled(false);
  EXPECT_EQ(item->Caption(), "&Envoyer");
  EXPECT_FALSE(item->Enabled());
  item->SetCaption("Autre");  // the item's own caption is no longer linked
  send->SetCaption("Envoyer");
  EXPECT_EQ(item->Caption(), "Autre");

  send->SetEnabled(true);
  item->Click();
  EXPECT_EQ(form.Log, std::vector<std::string>{"execute Action1"});

  delete send;
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(list->ActionCount(), 0);
  item->Click();  // nothing left to run
  EXPECT_EQ(form.Log.size(), 1u);
}

TEST(ActionTest, HandlerFreeingTheClickedItemIsSafe)
{
  TActionOwner form;
  auto* list = new TActionList(&form);
  TAction* close = NewAction(form, list, "Close");
  close->OnExecute = TNotifyEvent(&form, &TActionOwner::FreeDoomed);
  form.Doomed = new TMenuItem(&form);
  form.Doomed->SetAction(close);
  form.Doomed->Click();
  EXPECT_EQ(form.Log, std::vector<std::string>{"free"});
  EXPECT_EQ(close->ActionComponent(), nullptr);
  EXPECT_EQ(close->ClientCount(), 0);
}

TEST(ActionTest, ApplicationHookRunsBetweenListAndHandler)
{
  struct THook {
    int Calls = 0;
    bool Execute(TBasicAction*)
    {
      ++Calls;
      return true;
    }
  } hook;
  ApplicationActionHooks().ExecuteAction = Method<bool(TBasicAction*)>(&hook, &THook::Execute);
  TActionOwner form;
  TAction* action = NewAction(form, nullptr, "Alone");
  EXPECT_TRUE(action->Execute());
  ApplicationActionHooks().ExecuteAction = nullptr;
  EXPECT_EQ(hook.Calls, 1);
  EXPECT_TRUE(form.Log.empty());
}
