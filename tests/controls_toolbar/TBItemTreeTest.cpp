#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBCustomItem.h"
#include "platform/classes/Messages.h"
#include "platform/classes/actions/Action.h"
#include "platform/win/win.h"

namespace {

// Records the change notices an item's callbacks receive.
struct Recorder {
  std::vector<std::string> Seen;
  void OnChange(TTBCustomItem*, bool, TTBItemChangedAction Action, int Index, TTBCustomItem*)
  {
    Seen.push_back(std::to_string(int(Action)) + (Index >= 0 ? ":" + std::to_string(Index) : ""));
  }
  TTBItemChangedProc Proc() { return TTBItemChangedProc(this, &Recorder::OnChange); }
};

struct ItemTree : ::testing::Test {
  TTBRootItem Root{nullptr};
  Recorder Rec;
  TTBCustomItem* AddChild()
  {
    auto* item = new TTBItem(nullptr);
    Root.Add(item);
    return item;
  }
};

}  // namespace

TEST_F(ItemTree, InsertBoundsAndFailuresLeaveTheTreeUnchanged)
{
  TTBCustomItem* a = AddChild();
  auto* b = new TTBItem(nullptr);
  Root.Insert(1, b);  // at Count: appends
  EXPECT_EQ(Root.GetItem(1), b);
  auto* c = new TTBItem(nullptr);
  EXPECT_THROW(Root.Insert(3, c), ETBItemError);
  EXPECT_THROW(Root.Insert(0, a), ETBItemError);
  EXPECT_EQ(Root.Count(), 2);
  EXPECT_EQ(c->Parent(), nullptr);
  EXPECT_THROW(Root.GetItem(2), ETBItemError);
  delete c;
}

TEST_F(ItemTree, InsertingIntoItsOwnSubtreeIsRefused)
{
  TTBCustomItem* a = AddChild();
  auto* sub = new TTBItem(nullptr);
  a->Add(sub);
  // Root has no parent, so only the cycle check stands in the way.
  EXPECT_THROW(sub->Add(&Root), ETBItemError);
  EXPECT_THROW(Root.Add(&Root), ETBItemError);
  EXPECT_EQ(sub->Count(), 0);
}

TEST_F(ItemTree, NotificationSequences)
{
  TTBCustomItem* a = AddChild();
  TTBCustomItem* b = AddChild();
  Root.RegisterNotification(Rec.Proc());
  struct Case {
    std::function<void()> change;
    std::vector<std::string> expected;
  } cases[] = {
      {[&] { Root.Insert(0, new TTBItem(nullptr)); }, {"3", "0:0", "4"}},
      {[&] { Root.Move(0, 2); }, {"3", "1:0", "3", "0:2", "4", "4"}},
      {[&] { a->SetImageIndex(3); }, {"6"}},
      {[&] { a->SetImageIndex(5); }, {"5"}},
      {[&] { a->SetImageIndex(-2); }, {"6"}},
      {[&] { a->SetImageIndex(-1); }, {"5"}},
      {[&] { a->SetCaption("x"); }, {"6"}},
      {[&] { a->SetCaption("x"); }, {}},
      {[&] { a->SetChecked(true); }, {"5"}},
      {[&] { b->SetVisible(false); }, {"6"}},
      {[&] { b->SetOptions(tboDefault); }, {"6"}},
      {[&] { b->SetOptions(tboDefault | tboShowHint); }, {}},
      {[&] { Root.Delete(Root.IndexOf(b)); }, {"1:1"}},
  };
  for (Case& c : cases) {
    Rec.Seen.clear();
    c.change();
    EXPECT_EQ(Rec.Seen, c.expected);
  }
  delete b;
  Root.UnregisterNotification(Rec.Proc());
}

TEST_F(ItemTree, EndUpdateArrivesWhenACallbackThrows)
{
  struct Thrower {
    std::vector<int> Seen;
    void OnChange(TTBCustomItem*, bool, TTBItemChangedAction Action, int, TTBCustomItem*)
    {
      Seen.push_back(Action);
      if (Action == tbicInserted)
        throw Exception("boom");
    }
  } thrower;
  Root.RegisterNotification(TTBItemChangedProc(&thrower, &Thrower::OnChange));
  EXPECT_THROW(AddChild(), Exception);
  EXPECT_EQ(thrower.Seen, (std::vector<int>{tbicSubitemsBeginUpdate, tbicInserted, tbicSubitemsEndUpdate}));
  Root.UnregisterNotification(TTBItemChangedProc(&thrower, &Thrower::OnChange));
}

TEST_F(ItemTree, EffectiveOptions)
{
  TTBCustomItem* child = AddChild();
  child->SetOptions(tboToolbarSize);
  EXPECT_EQ(child->Options(), 0);
  Root.SetOptions(tboDefault | tboShowHint);
  EXPECT_EQ(child->EffectiveOptions(), tboShowHint);
  child->SetMaskOptions(tboShowHint);
  EXPECT_EQ(child->EffectiveOptions(), 0);
  child->SetMaskOptions(0);
  child->SetInheritOptions(false);
  EXPECT_EQ(child->EffectiveOptions(), 0);
}

TEST_F(ItemTree, RadioGroups)
{
  TTBCustomItem* items[3] = {AddChild(), AddChild(), AddChild()};
  for (TTBCustomItem* i : items) {
    i->SetGroupIndex(1);
    i->SetChecked(true);
  }
  EXPECT_FALSE(items[0]->Checked());
  EXPECT_FALSE(items[1]->Checked());
  EXPECT_TRUE(items[2]->Checked());
  TTBCustomItem* free1 = AddChild();
  TTBCustomItem* free2 = AddChild();
  free1->SetChecked(true);
  free2->SetChecked(true);
  EXPECT_TRUE(free1->Checked());
}

TEST_F(ItemTree, CallbacksCountRegistrationsAndSurviveUnregisteringDuringDelivery)
{
  Root.RegisterNotification(Rec.Proc());
  Root.RegisterNotification(Rec.Proc());
  Root.UnregisterNotification(Rec.Proc());
  AddChild()->SetCaption("a");
  EXPECT_EQ(Rec.Seen.size(), 4u);  // begin, inserted, end, invalidate-and-resize
  Root.UnregisterNotification(Rec.Proc());

  // The first callback unregisters itself and the last one: the middle one
  // is still reached, the last one not, and nothing reads freed memory.
  struct SelfRemover {
    TTBCustomItem* Root;
    Recorder* Last;
    int Calls = 0;
    void OnChange(TTBCustomItem*, bool, TTBItemChangedAction, int, TTBCustomItem*)
    {
      ++Calls;
      Root->UnregisterNotification(TTBItemChangedProc(this, &SelfRemover::OnChange));
      Root->UnregisterNotification(Last->Proc());
    }
  } remover{&Root, &Rec};
  Recorder middle;
  Root.RegisterNotification(TTBItemChangedProc(&remover, &SelfRemover::OnChange));
  Root.RegisterNotification(middle.Proc());
  Root.RegisterNotification(Rec.Proc());
  Rec.Seen.clear();
  Root.GetItem(0)->SetCaption("b");
  EXPECT_EQ(remover.Calls, 1);
  EXPECT_EQ(middle.Seen.size(), 1u);
  EXPECT_TRUE(Rec.Seen.empty());
  Root.GetItem(0)->SetCaption("c");
  EXPECT_EQ(remover.Calls, 1);
  EXPECT_EQ(middle.Seen.size(), 2u);
  Root.UnregisterNotification(middle.Proc());
}

TEST_F(ItemTree, InlineGroupsRelayNoticesUpwards)
{
  auto* group = new TTBGroupItem(nullptr);
  Root.Add(group);
  struct Relay {
    TTBCustomItem* Ancestor = nullptr;
    bool Relayed = false;
    void OnChange(TTBCustomItem* A, bool R, TTBItemChangedAction Action, int, TTBCustomItem*)
    {
      if (Action == tbicInserted)
        Ancestor = A, Relayed = R;
    }
  } relay;
  Root.RegisterNotification(TTBItemChangedProc(&relay, &Relay::OnChange));
  group->Add(new TTBItem(nullptr));
  EXPECT_EQ(relay.Ancestor, group);
  EXPECT_TRUE(relay.Relayed);
  Root.UnregisterNotification(TTBItemChangedProc(&relay, &Relay::OnChange));
}

TEST_F(ItemTree, ShortcutSearchStopsOnMutualLinks)
{
  auto* a = new TTBSubmenuItem(nullptr);
  auto* b = new TTBSubmenuItem(nullptr);
  Root.Add(a);
  Root.Add(b);
  a->Add(new TTBItem(nullptr));
  b->Add(new TTBItem(nullptr));
  a->GetItem(0)->SetLinkSubitems(b);
  b->GetItem(0)->SetLinkSubitems(a);
  TTBCustomItem* container = nullptr;
  EXPECT_EQ(Root.FindShortCutItem(scCtrl | 'Q', container), nullptr);
}

namespace {

TWMKey CtrlKey(WORD key)
{
  TWMKey m{};
  m.CharCode = key;
  // Ctrl is read from the key state as of the message.
  return m;
}

}  // namespace

TEST_F(ItemTree, IsShortCutClicksThroughEnabledContainersOnly)
{
  auto* menu = new TTBSubmenuItem(nullptr);
  Root.Add(menu);
  auto* target = new TTBItem(nullptr);
  menu->Add(target);
  target->SetShortCut(VK_F5);
  struct Clicks {
    std::vector<std::string> Log;
    void Popup(TTBCustomItem* Sender, bool FromLink) { Log.push_back("popup " + Sender->Name() + (FromLink ? " link" : "")); }
    void Click(TObject*) { Log.push_back("click"); }
  } clicks;
  menu->SetName("menu");
  menu->OnPopup = TTBPopupEvent(&clicks, &Clicks::Popup);
  target->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
  EXPECT_TRUE(Root.IsShortCut(CtrlKey(VK_F5)));
  EXPECT_EQ(clicks.Log, (std::vector<std::string>{"popup menu", "click"}));

  clicks.Log.clear();
  menu->SetEnabled(false);
  EXPECT_FALSE(Root.IsShortCut(CtrlKey(VK_F5)));
  EXPECT_TRUE(clicks.Log.empty());

  menu->SetEnabled(true);
  target->SetEnabled(false);
  EXPECT_FALSE(Root.IsShortCut(CtrlKey(VK_F5)));
}

TEST_F(ItemTree, LinkSubitemsToItselfIsStoredAsNil)
{
  TTBCustomItem* a = AddChild();
  a->SetLinkSubitems(a);
  EXPECT_EQ(a->LinkSubitems(), nullptr);
}

TEST_F(ItemTree, FreeingALinkTargetClearsTheLink)
{
  TTBCustomItem* a = AddChild();
  auto* target = new TTBItem(nullptr);
  a->SetLinkSubitems(target);
  delete target;
  EXPECT_EQ(a->LinkSubitems(), nullptr);
}

TEST_F(ItemTree, LinkedActionGivesItsPropertiesAndKeepsThemInStep)
{
  TAction action(nullptr);
  action.SetCaption("&Envoyer");
  action.SetChecked(true);
  action.SetHint("Envoie le message");
  action.SetImageIndex(3);
  TTBCustomItem* a = AddChild();
  a->SetCaption("old");
  a->SetAction(&action);
  EXPECT_EQ(a->Caption(), "&Envoyer");
  EXPECT_TRUE(a->Checked());
  EXPECT_EQ(a->Hint(), "Envoie le message");
  EXPECT_EQ(a->ImageIndex(), 3);
  action.SetEnabled(false);
  action.SetCaption("&Transmettre");
  EXPECT_FALSE(a->Enabled());
  EXPECT_EQ(a->Caption(), "&Transmettre");
  a->SetAction(nullptr);
}
