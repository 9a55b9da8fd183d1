// A form shaped like the host's main window: a top dock with a menu bar of
// three submenus and, in the row below, a toolbar too long for the form, so
// that its last buttons go behind the chevron.
#pragma once

#include <string>
#include <vector>

#include "controls/toolbar/TBDock.h"
#include "controls/toolbar/TBToolbar.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/menus/ShortCuts.h"
#include "platform/win/win.h"

struct TItemClickLog {
  std::vector<std::string> Clicked;
  void Click(TObject* Sender) { Clicked.push_back(static_cast<TTBCustomItem*>(Sender)->Caption()); }
};

class THostLikeForm {
public:
  static constexpr int ToolButtonCount = 9;

  explicit THostLikeForm(TItemClickLog& Log, int Left = 100, int Top = 100)
  {
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(Left, Top, 300, 160);
    Form->SetCaption("Corvane");
    Dock = new TTBDock(Form);
    Dock->SetPosition(dpTop);
    Dock->SetParent(Form);

    MenuBar = new TTBToolbar(Form);
    MenuBar->SetCaption("Menu");
    auto addMenu = [&](const char* caption, std::vector<const char*> children) {
      auto* menu = new TTBSubmenuItem(nullptr);
      menu->SetCaption(caption);
      for (const char* child : children) {
        auto* item = new TTBItem(nullptr);
        item->SetCaption(child);
        item->OnClick = TNotifyEvent(&Log, &TItemClickLog::Click);
        menu->Add(item);
      }
      MenuBar->Items()->Add(menu);
      return menu;
    };
    addMenu("&Fichier", {"&Nouveau", "&Quitter"});
    TTBCustomItem* contacts = addMenu("&Contacts", {"&Ajouter", "&Chercher"});
    contacts->Items(0)->SetShortCut(ShortCut('N', TShiftState{ssCtrl}));
    addMenu("&Aide", {"&Sommaire"});
    MenuBar->SetMenuBar(true);
    MenuBar->SetDockRow(0);
    MenuBar->SetCurrentDock(Dock);

    Tools = new TTBToolbar(Form);
    Tools->SetCaption("Outils");
    // Buttons added later give way first behind the chevron.
    Tools->SetChevronPriorityForNewItems(tbcpLowest);
    for (int i = 0; i < ToolButtonCount; ++i) {
      auto* button = new TTBItem(nullptr);
      button->SetCaption("Outil " + std::to_string(i + 1));
      button->OnClick = TNotifyEvent(&Log, &TItemClickLog::Click);
      Tools->Items()->Add(button);
    }
    Tools->SetDockRow(1);
    Tools->SetCurrentDock(Dock);
    Form->Show();
    SetActiveWindow(Form->Handle());
    SetFocus(Form->Handle());
  }
  ~THostLikeForm() { Form->Free(); }

  TCustomForm* Form = nullptr;
  TTBDock* Dock = nullptr;
  TTBToolbar* MenuBar = nullptr;
  TTBToolbar* Tools = nullptr;
};
