#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/menus/PopupMenu.h"
#include "platform/classes/menus/MainMenu.h"
#include "platform/classes/menus/MenuItem.h"

namespace {

struct TMenuOwner : TComponent {
  TMenuOwner() : TComponent(nullptr) {}
  std::vector<std::string> Log;
  void Clicked(TObject* Sender) { Log.push_back(static_cast<TMenuItem*>(Sender)->Caption()); }
  void Popped(TObject*) { Log.push_back("popup"); }
};

TMenuItem* Item(TMenuOwner& form, TMenuItem* parent, const char* caption)
{
  auto* item = new TMenuItem(&form);
  item->SetCaption(caption);
  item->OnClick = TNotifyEvent(&form, &TMenuOwner::Clicked);
  parent->Add(item);
  return item;
}

TMenuItem* Chosen = nullptr;
TMenuItem* ChooseChosen(TPopupMenu*, int, int, UINT)
{
  return Chosen;
}

}  // namespace

TEST(MenuTest, TreeOperationsAndTheirErrors)
{
  TMenuOwner form;
  auto* menu = new TMainMenu(&form);
  TMenuItem* file = Item(form, menu->Items(), "&Corvane");
  TMenuItem* quit = Item(form, file, "&Quitter");
  TMenuItem* connect = new TMenuItem(&form);
  connect->SetCaption("Se &Connecter");
  file->Insert(0, connect);
  Item(form, file, "-");
  EXPECT_EQ(file->Count(), 3);
  EXPECT_EQ(file->IndexOf(quit), 1);
  EXPECT_EQ(file->Find("quitter"), quit);
  EXPECT_EQ(file->Find("Aide"), nullptr);
  EXPECT_TRUE(file->Items(2)->IsLine());
  EXPECT_EQ(quit->Parent(), file);
  EXPECT_EQ(quit->GetParentMenu(), menu);

  EXPECT_THROW(file->Add(quit), EMenuError);           // already in a menu
  EXPECT_THROW(quit->Items(0), EMenuError);
  TMenuItem* loose = new TMenuItem(&form);
  EXPECT_THROW(file->Insert(5, loose), EMenuError);
  file->Remove(quit);
  EXPECT_THROW(file->Remove(quit), EMenuError);
  quit->Add(loose);
  EXPECT_THROW(loose->Add(quit), EMenuError);  // its own parent
  quit->SetMenuIndex(0);                         // no parent: nothing happens
  file->Add(quit);
  quit->SetMenuIndex(0);
  EXPECT_EQ(file->Items(0), quit);

  // Freeing an item frees the sub-items it holds and takes all of them out
  // of their owner.
  int before = form.ComponentCount();
  delete quit;
  EXPECT_EQ(form.ComponentCount(), before - 2);
  EXPECT_EQ(file->Count(), 2);
  file->Clear();
  EXPECT_EQ(file->Count(), 0);
}

TEST(MenuTest, RadioItemsAutoCheckAndDefault)
{
  TMenuOwner form;
  TPopupMenu menu(&form);
  TMenuItem* a = Item(form, menu.Items(), "Envoi direct");
  TMenuItem* b = Item(form, menu.Items(), "Envoi par le serveur");
  TMenuItem* other = Item(form, menu.Items(), "Autre");
  for (TMenuItem* i : {a, b, other}) {
    i->SetRadioItem(true);
    i->SetAutoCheck(true);
  }
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  other->SetChecked(true);
  b->SetChecked(true);
  a->Click();
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  EXPECT_TRUE(other->Checked());  // another group
  EXPECT_EQ(form.Log, std::vector<std::string>{"Envoi direct"});

  a->SetEnabled(false);
  a->Click();
  EXPECT_EQ(form.Log.size(), 1u);

  a->SetDefault(true);
  b->SetDefault(true);
  EXPECT_FALSE(a->Default());
  EXPECT_TRUE(b->Default());
}

TEST(MenuTest, ShortCutsClickEnclosingItemsFirstAndCommandsFindItems)
{
  TMenuOwner form;
  TMainMenu menu(&form);
  TMenuItem* view = Item(form, menu.Items(), "Affichage");
  TMenuItem* console = Item(form, view, "Console");
  console->SetShortCut(TextToShortCut("Alt+C"));
  TMessage m;
  TWMKey& key = MessageAs<TWMKey>(m);
  key.CharCode = 'C';
  key.KeyData = 0x20000000;
  EXPECT_TRUE(menu.IsShortCut(key));
  EXPECT_EQ(form.Log, (std::vector<std::string>{"Affichage", "Console"}));

  view->SetEnabled(false);
  EXPECT_FALSE(menu.IsShortCut(key));
  key.KeyData = 0;
  view->SetEnabled(true);
  EXPECT_FALSE(menu.IsShortCut(key));

  EXPECT_NE(view->Command(), console->Command());
  EXPECT_EQ(menu.FindItem(console->Command(), fkCommand), console);
  form.Log.clear();
  EXPECT_TRUE(menu.DispatchCommand(console->Command()));
  EXPECT_FALSE(menu.DispatchCommand(0x7FFF));
  EXPECT_EQ(form.Log, std::vector<std::string>{"Console"});
}

TEST(MenuTest, PopupRunsOnPopupThenClicksThePresentersChoice)
{
  TMenuOwner form;
  TPopupMenu menu(&form);
  menu.OnPopup = TNotifyEvent(&form, &TMenuOwner::Popped);
  TMenuItem* restore = Item(form, menu.Items(), "Restaurer");
  EXPECT_THROW(menu.Popup(10, 20), EInvalidOperation);
  EXPECT_TRUE(form.Log.empty());

  TPopupMenu::SetPresenter(ChooseChosen);
  Chosen = restore;
  menu.SetAlignment(paRight);
  menu.Popup(10, 20);
  EXPECT_EQ(form.Log, (std::vector<std::string>{"popup", "Restaurer"}));
  EXPECT_EQ(menu.PopupPoint(), TPoint(10, 20));
  EXPECT_EQ(menu.PopupFlags(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON);
  Chosen = nullptr;
  menu.Popup(0, 0);  // dismissed: nothing clicked
  EXPECT_EQ(form.Log.size(), 3u);
  TPopupMenu::SetPresenter(nullptr);

  // The popup component is forgotten when it goes.
  auto* control = new TComponent(nullptr);
  menu.SetPopupComponent(control);
  delete control;
  EXPECT_EQ(menu.PopupComponent(), nullptr);
}
